// SPPopupMenuBar.cpp - the items of a library popup menu.
#include "SPPopupMenuBar.h"
#include "SPTearOffManager.h"
#include "SPPopupMenu.h"
#include "SPGlobalData.h"
#include "SPKeyboardManager.h"
#include "SPMenuBar.h"
#include "SPMenuImages.h"
#include "SPMenuSounds.h"
#include "SPToolbarMenuButton.h"
#include "SPVisualManager.h"

#include <stdlib.h>

#include <algorithm>
using std::max;

IMPLEMENT_SERIAL(CSPPopupMenuBar, CSPToolBar, VERSIONABLE_SCHEMA | 1)

UINT CSPPopupMenuBar::s_uiSubMenuDelay = (UINT)-1;

// Timer 1 opens a submenu late, timer 2 closes one late.
static const UINT_PTR SP_TIMER_OPEN = 1;
static const UINT_PTR SP_TIMER_CLOSE = 2;
static const int SP_SEPARATOR_HEIGHT = 8;
static const int SP_ACCEL_GAP = 10;

BEGIN_MESSAGE_MAP(CSPPopupMenuBar, CSPToolBar)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_WM_TIMER()
    ON_WM_NCPAINT()
    ON_WM_NCCALCSIZE()
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
END_MESSAGE_MAP()

CSPPopupMenuBar::CSPPopupMenuBar()
    : m_uiDefaultItem(0),
      m_pDelayedPopupItem(NULL),
      m_pDelayedCloseItem(NULL),
      m_bFirstClick(TRUE),
      m_bFirstMove(TRUE),
      m_iOffset(0),
      m_xSeparatorOffsetLeft(0),
      m_xSeparatorOffsetRight(0),
      m_bAreAllCommandsShown(TRUE),
      m_nMaxWidth(-1),
      m_HiddenItemsAccel(17),
      m_bInCommand(FALSE),
      m_bTrackMode(FALSE),
      m_bButtonUpExecutes(TRUE),
      m_pOpenSubMenu(NULL),
      m_iOpenSubMenu(-1) {
    m_bMenuMode = TRUE;
}

CSPPopupMenuBar::~CSPPopupMenuBar() { ForgetSubMenus(); }

void CSPPopupMenuBar::ForgetSubMenus() {
    m_SubMenus.RemoveAll();
    while (!m_OwnedSubMenus.IsEmpty()) {
        HMENU hMenu = m_OwnedSubMenus.RemoveHead();
        if (::IsMenu(hMenu)) ::DestroyMenu(hMenu);
    }
}

BOOL CSPPopupMenuBar::RemoveButton(int iIndex) {
    // A later item may come to live at the same address.
    CSPToolbarButton* pItem = GetItem(iIndex);
    if (pItem != NULL && pItem != m_pCustomizeButton) m_SubMenus.RemoveKey(pItem);
    return CSPToolBar::RemoveButton(iIndex);
}

void CSPPopupMenuBar::RemoveAllButtons() {
    CSPToolBar::RemoveAllButtons();
    ForgetSubMenus();
}

void CSPPopupMenuBar::GetVisualInfo(SPBarInfo& info) {
    CSPToolBar::GetVisualInfo(info);
    info.bPopupMenuBar = TRUE;
}

CSPToolbarButton* CSPPopupMenuBar::GetItem(int iIndex) const {
    if (iIndex < 0 || iIndex >= m_Buttons.GetCount()) return NULL;
    POSITION pos = m_Buttons.FindIndex(iIndex);
    return pos == NULL ? NULL : (CSPToolbarButton*)m_Buttons.GetAt(pos);
}

HMENU CSPPopupMenuBar::GetItemSubMenu(const CSPToolbarButton* pItem) const {
    if (pItem == NULL) return NULL;
    CSPToolbarButton* pKey = const_cast<CSPToolbarButton*>(pItem);
    HMENU hSub = NULL;
    if (m_SubMenus.Lookup(pKey, hSub)) return ::IsMenu(hSub) ? hSub : NULL;
    // An item of a stored layout (a customised context menu) brings its
    // submenu as its own items: the menu its popup opens is made from them.
    const CSPToolbarMenuButton* pMenuItem = DYNAMIC_DOWNCAST(CSPToolbarMenuButton, pKey);
    if (pMenuItem == NULL || pMenuItem->m_nID != (UINT)-1 || pMenuItem->IsKindOf(RUNTIME_CLASS(CSPShowAllButton)))
        return NULL;
    hSub = pMenuItem->CreateMenu();
    if (hSub == NULL) return NULL;
    m_SubMenus.SetAt(pKey, hSub);
    m_OwnedSubMenus.AddTail(hSub);
    return hSub;
}

CSPPopupMenu* CSPPopupMenuBar::GetParentPopup() const {
    CWnd* pParent = GetParent();
    return pParent != NULL ? DYNAMIC_DOWNCAST(CSPPopupMenu, pParent) : NULL;
}

// ---------------------------------------------------------------------------
// The submenu delay

UINT CSPPopupMenuBar::ParseMenuShowDelay(LPCSTR lpszValue) {
    if (lpszValue == NULL) return 500;
    // Compared unsigned: a negative delay is as long as the longest.
    const UINT uiDelay = (UINT)atol(lpszValue);
    return uiDelay > 5000 ? 5000 : uiDelay;
}

UINT CSPPopupMenuBar::GetSubMenuDelay() {
    if (s_uiSubMenuDelay != (UINT)-1) return s_uiSubMenuDelay;
    s_uiSubMenuDelay = 500;
    HKEY hKey = NULL;
    if (::RegOpenKeyExA(HKEY_CURRENT_USER, "Control Panel\\Desktop", 0, KEY_READ, &hKey) != ERROR_SUCCESS)
        return s_uiSubMenuDelay;
    char szValue[64] = {0};
    DWORD dwType = 0, cb = sizeof(szValue) - 1;
    if (::RegQueryValueExA(hKey, "MenuShowDelay", NULL, &dwType, (LPBYTE)szValue, &cb) == ERROR_SUCCESS &&
        (dwType == REG_SZ || dwType == REG_EXPAND_SZ)) {
        szValue[sizeof(szValue) - 1] = 0;
        s_uiSubMenuDelay = ParseMenuShowDelay(szValue);
    }
    ::RegCloseKey(hKey);
    return s_uiSubMenuDelay;
}

// ---------------------------------------------------------------------------
// Import and export

// The upper-cased mnemonic character of a menu text, 0 for none.
static UINT MnemonicOf(const CString& str) {
    for (int i = 0; i + 1 < str.GetLength(); i++) {
        if (str[i] != '&') continue;
        if (str[i + 1] == '&') {
            i++;
            continue;
        }
        return (UINT)(BYTE)(UINT_PTR)::CharUpperA((LPSTR)(UINT_PTR)(BYTE)str[i + 1]);
    }
    return 0;
}

BOOL CSPPopupMenuBar::ImportFromMenu(HMENU hMenu, BOOL bShowAllCommands) {
    RemoveAllButtons();
    m_bAreAllCommandsShown = TRUE;
    m_HiddenItemsAccel.RemoveAll();
    if (hMenu == NULL) return FALSE;

    // The application enables, checks and fills the menu first.
    CWnd* pOwner = NULL;
    CSPPopupMenu* pPopup = GetParentPopup();
    if (pPopup != NULL) pOwner = pPopup->GetMessageWnd();
    if (pOwner == NULL && GetSafeHwnd() != NULL) pOwner = GetTopLevelFrame();
    if (pOwner == NULL) pOwner = AfxGetMainWnd();
    if (pOwner != NULL && ::IsWindow(pOwner->GetSafeHwnd()))
        pOwner->SendMessage(WM_INITMENUPOPUP, (WPARAM)hMenu, LOWORD(m_iOffset));

    const int nCount = ::GetMenuItemCount(hMenu);
    BOOL bLastIsSeparator = TRUE;  // no separator at the top
    for (int i = 0; i < nCount; i++) {
        MENUITEMINFOA mii = {};
        mii.cbSize = sizeof(mii);
        mii.fMask = MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_FTYPE;
        if (!::GetMenuItemInfoA(hMenu, i, TRUE, &mii)) continue;
        char szText[512] = {0};
        ::GetMenuStringA(hMenu, i, szText, sizeof(szText) - 1, MF_BYPOSITION);
        const UINT uiState = ::GetMenuState(hMenu, i, MF_BYPOSITION);

        if (mii.fType & MFT_SEPARATOR) {
            if (!bLastIsSeparator && i < nCount - 1) {
                InsertSeparator();
                bLastIsSeparator = TRUE;
            }
            continue;
        }
        const UINT uiCmd = mii.hSubMenu != NULL ? (UINT)-1 : mii.wID;
        CString strText = szText;
        // A sub-menu marked for tearing off carries its id in front of its text.
        const UINT uiTearOffID =
            mii.hSubMenu != NULL && g_pTearOffMenuManager != NULL ? g_pTearOffMenuManager->ParseTearOffTag(strText) : 0;
        const BOOL bDisabled = (uiState & (MF_GRAYED | MF_DISABLED)) != 0;

        if (!m_bTrackMode && !bShowAllCommands && !CSPMenuBar::IsShowAllCommands() && m_bRecentlyUsedMenus &&
            m_UsageCount.HasEnoughInformation() &&
            IsCommandRarelyUsed(uiCmd)) {
            if (m_lstUnpermittedCommands.Find(uiCmd) != NULL) continue;
            m_bAreAllCommandsShown = FALSE;
            // A disabled command must not run through its letter either.
            const UINT uiChar = MnemonicOf(strText);
            if (uiChar != 0 && !bDisabled) m_HiddenItemsAccel.SetAt(uiChar, uiCmd);
            continue;
        }

        CSPToolbarMenuButton item;
        item.m_nID = uiCmd;
        item.m_strText = strText;
        item.m_iImage = -1;
        item.m_bText = TRUE;
        item.m_bImage = FALSE;
        // The item carries its submenu's items, so that a stored layout of
        // this menu can open the submenu too.
        if (mii.hSubMenu != NULL) item.CreateFromMenu(mii.hSubMenu);
        const int iIndex = InsertButtonCopy(item);
        CSPToolbarButton* pNew = GetItem(iIndex);
        if (pNew == NULL) continue;
        bLastIsSeparator = FALSE;
        pNew->m_bImage = pNew->GetImage() >= 0;
        if (bDisabled) pNew->m_nStyle |= TBBS_DISABLED;
        if (uiState & MF_CHECKED) pNew->m_nStyle |= TBBS_CHECKED;
        if (mii.fType & MFT_MENUBREAK) pNew->m_nStyle |= SP_TBBS_BREAK;
        if (mii.hSubMenu != NULL) m_SubMenus.SetAt(pNew, mii.hSubMenu);
        if (uiTearOffID != 0) ((CSPToolbarMenuButton*)pNew)->SetTearOff(uiTearOffID);
    }
    // A separator left at the end (the items after it were hidden) goes too.
    CSPToolbarButton* pLast = GetItem(GetCount() - 1);
    if (pLast != NULL && pLast->IsSeparator()) RemoveButton(GetCount() - 1);

    const UINT uiDefault = ::GetMenuDefaultItem(hMenu, FALSE, 0);
    m_uiDefaultItem = uiDefault == (UINT)-1 ? 0 : uiDefault;
    return TRUE;
}

HMENU CSPPopupMenuBar::ExportToMenu() const {
    HMENU hMenu = ::CreatePopupMenu();
    for (POSITION pos = m_Buttons.GetHeadPosition(); pos != NULL;) {
        CSPToolbarButton* pItem = (CSPToolbarButton*)m_Buttons.GetNext(pos);
        if (pItem->IsSeparator()) {
            ::AppendMenuA(hMenu, MF_SEPARATOR, 0, NULL);
            continue;
        }
        if (!pItem->IsKindOf(RUNTIME_CLASS(CSPToolbarMenuButton)) ||
            pItem->IsKindOf(RUNTIME_CLASS(CSPShowAllButton)))
            continue;
        UINT uiFlags = MF_STRING;
        if (pItem->m_nStyle & TBBS_DISABLED) uiFlags |= MF_GRAYED;
        if (pItem->m_nStyle & TBBS_CHECKED) uiFlags |= MF_CHECKED;
        if (pItem->m_nStyle & SP_TBBS_BREAK) uiFlags |= MF_MENUBREAK;
        // A submenu goes out as a menu of its own, which the exported menu
        // then owns, with its tear-off tag in front of its text.
        HMENU hSub = pItem->m_nID == (UINT)-1 ? ((CSPToolbarMenuButton*)pItem)->CreateMenu() : NULL;
        if (hSub != NULL) {
            CString strText = pItem->m_strText;
            const UINT uiTearOff = ((CSPToolbarMenuButton*)pItem)->GetTearOffID();
            if (uiTearOff != 0 && g_pTearOffMenuManager != NULL) g_pTearOffMenuManager->Build(uiTearOff, strText);
            if (!::AppendMenuA(hMenu, uiFlags | MF_POPUP, (UINT_PTR)hSub, strText)) ::DestroyMenu(hSub);
        } else {
            ::AppendMenuA(hMenu, uiFlags, pItem->m_nID, pItem->m_strText);
        }
    }
    if (m_uiDefaultItem != 0) ::SetMenuDefaultItem(hMenu, m_uiDefaultItem, FALSE);
    return hMenu;
}

// ---------------------------------------------------------------------------
// Size and locations

// The size every item starts from: the menu image with room round it.
static CSize DefaultItemSize() {
    CSize size = CSPToolBar::GetMenuImageSize();
    size += CSize(4, 4);
    return size;
}

int CSPPopupMenuBar::GetRowHeight() const {
    const int cyImage = DefaultItemSize().cy;
    const int cyText = spGlobalData.nTextHeightHorz + 2;
    return cyImage > cyText ? cyImage : cyText;
}

CSize CSPPopupMenuBar::MeasureItem(CDC* pDC, CSPToolbarButton* pItem, const CSize& sizeDefault) {
    if (pItem->IsSeparator()) return CSize(sizeDefault.cx, SP_SEPARATOR_HEIGHT);
    CFont* pOldFont = NULL;
    if (m_uiDefaultItem != 0 && pItem->m_nID == m_uiDefaultItem) pOldFont = pDC->SelectObject(&spGlobalData.fontBold);
    CSize size;
    if (pItem->IsKindOf(RUNTIME_CLASS(CSPToolbarMenuButton))) {
        // A menu line measures itself: image column, text, arrow.
        size = pItem->OnCalculateSize(pDC, sizeDefault, TRUE);
    } else {
        CString strText = pItem->m_strText;
        const int iTab = strText.Find('\t');
        if (iTab >= 0) strText = strText.Left(iTab) + strText.Mid(iTab + 1);
        const CSize sizeText = pDC->GetTextExtent(CSPToolbarButton::StripMnemonics(strText));
        size = CSize(sizeDefault.cx + 6 + sizeText.cx + 9 + CSPMenuImages::Size().cx, GetRowHeight());
    }
    if (pOldFont != NULL) pDC->SelectObject(pOldFont);
    // Room between a label and its accelerator.
    if (pItem->m_bText && pItem->m_strText.Find('\t') > 0) size.cx += SP_ACCEL_GAP;
    return size;
}

CSize CSPPopupMenuBar::CalcSize(BOOL /*bVertDock*/) {
    m_arColumns.RemoveAll();
    if (m_Buttons.IsEmpty()) return CSize(50 + 2, 20 + 2);

    CClientDC dc(this);
    CFont* pOldFont = dc.SelectObject(&spGlobalData.fontRegular);
    const CSize sizeDefault = DefaultItemSize();
    int xColumn = 0, cxColumn = 0, cyColumn = 0, cyMax = 0;
    for (POSITION pos = m_Buttons.GetHeadPosition(); pos != NULL;) {
        CSPToolbarButton* pItem = (CSPToolbarButton*)m_Buttons.GetNext(pos);
        if ((pItem->m_nStyle & SP_TBBS_BREAK) && !g_bCustomizeMode && cyColumn > 0) {
            cyMax = max(cyMax, cyColumn);
            const int xRight = xColumn + cxColumn + 1;
            m_arColumns.Add((UINT)xRight);
            xColumn = xRight + 1;
            cxColumn = cyColumn = 0;
        }
        const CSize size = MeasureItem(&dc, pItem, sizeDefault);
        cyColumn += size.cy;
        if (!pItem->IsSeparator()) {
            pItem->m_bWholeText = m_nMaxWidth < 1 || size.cx <= m_nMaxWidth - 2;
            cxColumn = max(cxColumn, (int)size.cx);
        }
    }
    dc.SelectObject(pOldFont);
    cyMax = max(cyMax, cyColumn);
    int cx = xColumn + cxColumn + 2;
    if (m_nMaxWidth >= 1 && cx > m_nMaxWidth) cx = m_nMaxWidth;
    m_arColumns.Add((UINT)cx);
    return CSize(cx, cyMax + 2);
}

void CSPPopupMenuBar::AdjustLocations() {
    if (GetSafeHwnd() == NULL) return;
    CRect rectClient;
    GetClientRect(rectClient);
    CClientDC dc(this);
    CFont* pOldFont = dc.SelectObject(&spGlobalData.fontRegular);
    const CSize sizeDefault = DefaultItemSize();

    const int yTop = rectClient.top + 1 - GetRowHeight() * m_iOffset;
    int x = rectClient.left + 1, y = yTop, iColumn = 0;
    int xRight = (g_bCustomizeMode || m_arColumns.GetSize() == 0) ? rectClient.right : (int)m_arColumns[0];
    for (POSITION pos = m_Buttons.GetHeadPosition(); pos != NULL;) {
        CSPToolbarButton* pItem = (CSPToolbarButton*)m_Buttons.GetNext(pos);
        if ((pItem->m_nStyle & SP_TBBS_BREAK) && !g_bCustomizeMode && y != yTop) {
            x = xRight + 1;
            iColumn++;
            xRight = iColumn < m_arColumns.GetSize() ? (int)m_arColumns[iColumn] : rectClient.right;
            y = yTop;
        }
        CRect rect;
        if (pItem->IsSeparator()) {
            rect.SetRect(x + m_xSeparatorOffsetLeft, y, xRight - m_xSeparatorOffsetRight, y + SP_SEPARATOR_HEIGHT);
        } else {
            const CSize size = MeasureItem(&dc, pItem, sizeDefault);
            rect.SetRect(x, y, xRight, y + size.cy);
        }
        y = rect.bottom;
        if (rect != pItem->Rect()) {
            pItem->SetRect(rect);
            pItem->OnMove();
        }
    }
    dc.SelectObject(pOldFont);
    RebuildAccelerationKeys();

    CPoint ptCursor;
    ::GetCursorPos(&ptCursor);
    ScreenToClient(&ptCursor);
    if (HitTest(ptCursor) >= 0) m_bButtonUpExecutes = FALSE;
    UpdateTooltips();
}

void CSPPopupMenuBar::AdjustLayout() {
    if (GetSafeHwnd() == NULL) return;
    AdjustLocations();
    Invalidate();
    UpdateWindow();
    // While customising, an item dropped in or dragged out sizes the popup
    // anew.
    CSPPopupMenu* pPopup = DYNAMIC_DOWNCAST(CSPPopupMenu, GetParent());
    if (g_bCustomizeMode && pPopup != NULL) pPopup->RecalcLayout();
}

void CSPPopupMenuBar::GetSeparatorRect(CSPToolbarButton* pButton, CRect& rect, BOOL /*bHorz*/) const {
    rect = pButton->Rect();
}

// ---------------------------------------------------------------------------
// Drawing: one menu line per item

BOOL CSPPopupMenuBar::DrawButton(CDC* pDC, CSPToolbarButton* pButton, CSPButtonImages* pImages,
                                 BOOL bHighlighted, BOOL bDrawDisabledImages) {
    CRect rect = pButton->Rect();
    if (pButton->IsSeparator()) {
        DrawSeparator(pDC, rect, FALSE);
        return TRUE;
    }
    // The item whose submenu is open stays highlighted, unless that
    // submenu waits to close.
    const int iIndex = ButtonToIndex(pButton);
    if (m_pOpenSubMenu != NULL && iIndex == m_iOpenSubMenu && pButton != m_pDelayedCloseItem) bHighlighted = TRUE;
    const BOOL bCustomizeMode = g_bCustomizeMode && !m_bLocked;
    CSPToolbarMenuButton* pMenuItem = DYNAMIC_DOWNCAST(CSPToolbarMenuButton, pButton);
    if (pMenuItem != NULL) {
        pMenuItem->SetDelayedSubmenu(pButton == m_pDelayedCloseItem);
        pMenuItem->OnDraw(pDC, rect, pImages, FALSE, bCustomizeMode, bHighlighted, TRUE,
                          m_bGrayDisabledButtons && !bDrawDisabledImages);
        return TRUE;
    }

    // Another kind of button (one dropped in while customising): its text
    // as a plain menu line.
    const BOOL bDisabled = bCustomizeMode ? !pButton->IsEditable() : (pButton->m_nStyle & TBBS_DISABLED) != 0;
    const CSize sizeImage = GetMenuImageSize();
    const int nMargin = CSPVisualManager::GetInstance()->GetMenuImageMargin();
    CRect rectText = rect;
    rectText.left += 3 * nMargin + sizeImage.cx + 5;
    pDC->SetTextColor(bDisabled ? spGlobalData.clrGrayedText : spGlobalData.clrBtnText);
    if (bHighlighted) {
        CRect rectFill = rect;
        rectFill.right--;
        CSPVisualManager::GetInstance()->OnFillHighlightedArea(pDC, pButton, rectFill, &spGlobalData.brHilite);
    }
    CFont* pOldFont = pDC->SelectObject(&spGlobalData.fontRegular);
    pDC->SetBkMode(TRANSPARENT);
    CString strText = pButton->m_strText;
    const int iTab = strText.Find('\t');
    if (iTab >= 0) strText = strText.Left(iTab);
    pDC->DrawText(strText, rectText, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
    pDC->SelectObject(pOldFont);
    return TRUE;
}

void CSPPopupMenuBar::DrawSeparator(CDC* pDC, const CRect& rect, BOOL /*bHorz*/) {
    CSPVisualManager::GetInstance()->OnDrawSeparator(pDC, this, rect, FALSE);
}

// ---------------------------------------------------------------------------
// Hot item and submenus

BOOL CSPPopupMenuBar::OpenSubMenu(int iIndex) {
    CSPToolbarButton* pItem = GetItem(iIndex);
    HMENU hSub = GetItemSubMenu(pItem);
    CSPPopupMenu* pPopup = GetParentPopup();
    if (hSub == NULL || pPopup == NULL || (pItem->m_nStyle & TBBS_DISABLED)) return FALSE;
    if (m_pOpenSubMenu != NULL && m_iOpenSubMenu == iIndex) return TRUE;
    CloseSubMenu();
    CRect rectItem = pItem->Rect();
    ClientToScreen(rectItem);
    CSPPopupMenu* pSub = new CSPPopupMenu;
    m_pOpenSubMenu = pSub;
    m_iOpenSubMenu = iIndex;
    if (!pSub->CreateSubMenu(pPopup, rectItem, hSub)) {
        // The popup deletes itself with its window, and a refused one has
        // deleted itself already (PostNcDestroy): it is not touched again.
        m_pOpenSubMenu = NULL;
        m_iOpenSubMenu = -1;
        return FALSE;
    }
    return TRUE;
}

void CSPPopupMenuBar::OnSubMenuGone() {
    m_pOpenSubMenu = NULL;
    m_iOpenSubMenu = -1;
    m_pDelayedCloseItem = NULL;
    KillTimer(SP_TIMER_CLOSE);
}

void CSPPopupMenuBar::CloseSubMenu() {
    // Customising, the submenu's items go into its item while it still
    // knows which one that is.
    if (g_bCustomizeMode && m_pOpenSubMenu != NULL && ::IsWindow(m_pOpenSubMenu->GetSafeHwnd()))
        m_pOpenSubMenu->SaveItemsToParents();
    CSPPopupMenu* pSub = m_pOpenSubMenu;
    m_pOpenSubMenu = NULL;
    m_iOpenSubMenu = -1;
    if (pSub != NULL && ::IsWindow(pSub->GetSafeHwnd())) pSub->DestroyWindow();
}

void CSPPopupMenuBar::OnChangeHot(int iHot) {
    CSPToolBar::OnChangeHot(iHot);
    CSPToolbarButton* pHot = GetItem(iHot);
    if (m_pOpenSubMenu != NULL && iHot == m_iOpenSubMenu) {
        // Back on the item whose submenu is open: it stays open.
        if (m_pDelayedCloseItem != NULL) RestoreDelayedSubMenu();
        return;
    }
    const BOOL bByKey = GetCurrentMessage() != NULL && GetCurrentMessage()->message == WM_KEYDOWN;
    if (m_pOpenSubMenu != NULL) {
        if (!bByKey && !g_bCustomizeMode) {
            m_pDelayedCloseItem = GetItem(m_iOpenSubMenu);
            SetTimer(SP_TIMER_CLOSE, max(1u, GetSubMenuDelay()) - 1, NULL);
        } else {
            KillTimer(SP_TIMER_CLOSE);
            m_pDelayedCloseItem = NULL;
            CloseSubMenu();
        }
    }
    if (pHot == NULL || bByKey) return;
    if (GetItemSubMenu(pHot) != NULL)
        StartPopupMenuTimer(pHot);
    else if (pHot->IsKindOf(RUNTIME_CLASS(CSPShowAllButton)))
        pHot->OnClick(this, TRUE);
}

void CSPPopupMenuBar::StartPopupMenuTimer(CSPToolbarButton* pItem, int nDelayFactor) {
    KillTimer(SP_TIMER_OPEN);
    m_pDelayedPopupItem = pItem;
    if (pItem != NULL && pItem == m_pDelayedCloseItem) {
        RestoreDelayedSubMenu();
        m_pDelayedPopupItem = NULL;
        return;
    }
    if (pItem != NULL) SetTimer(SP_TIMER_OPEN, max(1u, GetSubMenuDelay() * nDelayFactor), NULL);
}

void CSPPopupMenuBar::CloseDelayedSubMenu() {
    KillTimer(SP_TIMER_CLOSE);
    if (m_pDelayedCloseItem == NULL) return;
    m_pDelayedCloseItem = NULL;
    CloseSubMenu();
}

void CSPPopupMenuBar::RestoreDelayedSubMenu() {
    KillTimer(SP_TIMER_CLOSE);
    m_pDelayedCloseItem = NULL;
}

void CSPPopupMenuBar::OnTimer(UINT_PTR nIDEvent) {
    if (nIDEvent == SP_TIMER_OPEN) {
        KillTimer(SP_TIMER_OPEN);
        CloseDelayedSubMenu();
        CSPToolbarButton* pItem = m_pDelayedPopupItem;
        m_pDelayedPopupItem = NULL;
        if (pItem == NULL || pItem != GetItem(m_iHot)) return;
        if (pItem->IsKindOf(RUNTIME_CLASS(CSPShowAllButton)))
            pItem->OnClick(this, FALSE);
        else
            OpenSubMenu(m_iHot);
        return;
    }
    if (nIDEvent == SP_TIMER_CLOSE) {
        KillTimer(SP_TIMER_CLOSE);
        // Another timer of the same id must not close what is not waiting.
        if (m_pDelayedCloseItem == NULL) return;
        m_pDelayedCloseItem = NULL;
        CloseSubMenu();
        return;
    }
    CSPToolBar::OnTimer(nIDEvent);
}

// ---------------------------------------------------------------------------
// Keyboard

int CSPPopupMenuBar::NextNavigableItem(int iStart, BOOL bForward) const {
    const int nCount = GetCount();
    if (nCount == 0) return -1;
    int i = iStart;
    for (int nStep = 0; nStep < nCount; nStep++) {
        i = bForward ? i + 1 : i - 1;
        if (i >= nCount) i = 0;
        if (i < 0) i = nCount - 1;
        CSPToolbarButton* pItem = GetItem(i);
        if (!pItem->IsSeparator() && !pItem->Rect().IsRectEmpty()) return i;
    }
    return -1;
}

void CSPPopupMenuBar::ChangeHotByKey(int iHot) {
    if (iHot < 0 || iHot == m_iHot) return;
    const int iOld = m_iHot;
    m_iHighlighted = iHot;
    OnChangeHot(iHot);
    m_iHot = iHot;
    InvalidateButton(iOld);
    InvalidateButton(iHot);
    UpdateWindow();
    CSPToolbarButton* pItem = GetItem(iHot);
    if (pItem != NULL && pItem->m_nID != (UINT)-1) ShowCommandMessageString(pItem->m_nID);
}

BOOL CSPPopupMenuBar::OnKey(UINT nChar) {
    switch (nChar) {
    case VK_RETURN: {
        CSPToolbarButton* pItem = GetItem(m_iHot);
        if (pItem == NULL || !pItem->IsKindOf(RUNTIME_CLASS(CSPToolbarMenuButton))) return TRUE;
        if (OpenSubMenu(m_iHot)) {
            if (m_pOpenSubMenu != NULL) m_pOpenSubMenu->SendMessage(WM_KEYDOWN, VK_HOME);
            return TRUE;
        }
        ShowCommandMessageString((UINT)-1);
        OnSendCommand(pItem);
        return TRUE;
    }
    case VK_DOWN:
    case VK_HOME:
        ChangeHotByKey(NextNavigableItem(nChar == VK_HOME || m_iHot < 0 ? -1 : m_iHot, TRUE));
        return TRUE;
    case VK_UP:
    case VK_END:
        ChangeHotByKey(NextNavigableItem(nChar == VK_END || m_iHot < 0 ? GetCount() : m_iHot, FALSE));
        return TRUE;
    }
    if (g_bCustomizeMode || (::GetKeyState(VK_CONTROL) & 0x8000)) return FALSE;

    const UINT uiChar = (UINT)::MapVirtualKeyA(nChar, 2 /* virtual key to character */) & 0xFFFF;
    if (uiChar == 0) return FALSE;
    const UINT uiUpper = (UINT)(BYTE)(UINT_PTR)::CharUpperA((LPSTR)(UINT_PTR)(BYTE)uiChar);
    CSPToolbarButton* pItem = NULL;
    if (m_AcellKeys.Lookup(uiUpper, pItem) && pItem != NULL) {
        const int iIndex = ButtonToIndex(pItem);
        if (GetItemSubMenu(pItem) != NULL && !(pItem->m_nStyle & TBBS_DISABLED)) {
            ChangeHotByKey(iIndex);
            if (OpenSubMenu(iIndex) && m_pOpenSubMenu != NULL) m_pOpenSubMenu->SendMessage(WM_KEYDOWN, VK_HOME);
            return TRUE;
        }
        if (pItem->m_nStyle & TBBS_DISABLED) {
            SendMenuCommand(0);
            return TRUE;
        }
        if (!OnSendCommand(pItem)) ChangeHotByKey(iIndex);
        return TRUE;
    }
    UINT uiCmd = 0;
    if (m_bRecentlyUsedMenus && !m_bAreAllCommandsShown && m_HiddenItemsAccel.Lookup(uiUpper, uiCmd)) {
        SendMenuCommand(uiCmd);
        return TRUE;
    }
    return FALSE;
}

// ---------------------------------------------------------------------------
// Mouse

void CSPPopupMenuBar::OnMouseMove(UINT nFlags, CPoint point) {
    if (m_bFirstMove) {
        // The move made by the menu appearing under the cursor.
        m_bFirstMove = FALSE;
        return;
    }
    CRect rectClient;
    GetClientRect(rectClient);
    if (!rectClient.PtInRect(point) && !g_bCustomizeMode) {
        CPoint ptScreen = point;
        ClientToScreen(&ptScreen);
        CSPToolBar* pDest = FindDestBar(ptScreen);
        if (pDest != NULL && pDest != this) {
            pDest->ScreenToClient(&ptScreen);
            pDest->SendMessage(WM_MOUSEMOVE, nFlags, MAKELPARAM(ptScreen.x, ptScreen.y));
            return;
        }
    }
    CSPToolBar::OnMouseMove(nFlags, point);
}

void CSPPopupMenuBar::OnLButtonDown(UINT nFlags, CPoint point) {
    m_bFirstClick = FALSE;
    m_bButtonUpExecutes = TRUE;
    CSPToolBar::OnLButtonDown(nFlags, point);
}

void CSPPopupMenuBar::OnLButtonUp(UINT nFlags, CPoint point) {
    const int iHit = HitTest(point);
    CSPToolbarButton* pItem = GetItem(iHit);
    if (g_bCustomizeMode) {
        if (m_bButtonUpExecutes) CSPToolBar::OnLButtonUp(nFlags, point);
        return;
    }
    m_bFirstClick = FALSE;
    if (pItem == NULL || !m_bButtonUpExecutes) return;
    if (GetItemSubMenu(pItem) != NULL) {
        OpenSubMenu(iHit);
        return;
    }
    OnSendCommand(pItem);
}

// ---------------------------------------------------------------------------
// Commands

BOOL CSPPopupMenuBar::OnSendCommand(const CSPToolbarButton* pButton) {
    if (pButton == NULL || (pButton->m_nStyle & TBBS_DISABLED) || pButton->m_nID == (UINT)-1) return FALSE;
    if (pButton->IsKindOf(RUNTIME_CLASS(CSPShowAllButton))) {
        CSPPopupMenu* pPopup = GetParentPopup();
        if (pPopup != NULL) pPopup->ShowAllCommands();
        return TRUE;
    }
    SendMenuCommand(pButton->m_nID);
    return TRUE;
}

void CSPPopupMenuBar::SetInCommand(BOOL bInCommand) {
    m_bInCommand = bInCommand;
    CSPPopupMenu* pPopup = GetParentPopup();
    for (CSPPopupMenu* pParent = pPopup != NULL ? pPopup->GetParentPopupMenu() : NULL; pParent != NULL;
         pParent = pParent->GetParentPopupMenu())
        pParent->GetMenuBar()->m_bInCommand = bInCommand;
}

void CSPPopupMenuBar::SendMenuCommand(UINT uiCmd) {
    CSPPopupMenu* pPopup = GetParentPopup();
    CWnd* pMessageWnd = pPopup != NULL ? pPopup->GetMessageWnd() : NULL;
    CWnd* pStatusTarget = pMessageWnd != NULL ? pMessageWnd : GetOwnerOrParent();
    if (pStatusTarget != NULL && ::IsWindow(pStatusTarget->GetSafeHwnd()))
        pStatusTarget->SendMessage(WM_SETMESSAGESTRING, AFX_IDS_IDLEMESSAGE);

    if (uiCmd != 0) {
        SetInCommand(TRUE);
        SPPlayMenuSound(SP_SOUND_MENU_COMMAND);
        AddCommandUsage(uiCmd);
        if (pMessageWnd != NULL && ::IsWindow(pMessageWnd->GetSafeHwnd()))
            pMessageWnd->PostMessage(WM_COMMAND, uiCmd);
        else if (CWnd* pOwner = GetOwnerOrParent())
            pOwner->PostMessage(WM_COMMAND, uiCmd);
        SetInCommand(FALSE);
    }
    // The whole chain goes: the outermost popup takes its submenus with it.
    // The bar is a part of its popup: the windows go once this handler has
    // returned, hidden at once.
    CSPPopupMenu* pTop = pPopup;
    while (pTop != NULL && pTop->GetParentPopupMenu() != NULL) pTop = pTop->GetParentPopupMenu();
    for (CSPPopupMenu* pMenu = pPopup; pMenu != NULL; pMenu = pMenu->GetParentPopupMenu())
        if (::IsWindow(pMenu->GetSafeHwnd())) pMenu->ShowWindow(SW_HIDE);
    if (pTop != NULL && ::IsWindow(pTop->GetSafeHwnd())) {
        pTop->PostMessage(WM_CLOSE);
    }
}

BOOL CSPPopupMenuBar::OnUserToolTip(CSPToolbarButton* pButton, CString& strTTText) const {
    if (pButton == NULL || !pButton->IsKindOf(RUNTIME_CLASS(CSPShowAllButton))) return FALSE;
    strTTText = CSPShowAllButton::GetToolTipText();
    return TRUE;
}

CSPToolBar* CSPPopupMenuBar::FindDestBar(CPoint ptScreen) {
    CSPPopupMenu* pPopup = GetParentPopup();
    for (CSPPopupMenu* pParent = pPopup != NULL ? pPopup->GetParentPopupMenu() : NULL; pParent != NULL;
         pParent = pParent->GetParentPopupMenu()) {
        CSPPopupMenuBar* pBar = pParent->GetMenuBar();
        if (pBar->GetSafeHwnd() == NULL) continue;
        CRect rect;
        pBar->GetWindowRect(rect);
        if (rect.PtInRect(ptScreen)) return pBar;
    }
    return NULL;
}

CWnd* CSPPopupMenuBar::GetCommandTarget() const {
    if (m_bTrackMode) return NULL;
    CSPPopupMenu* pPopup = GetParentPopup();
    if (pPopup != NULL && pPopup->GetMessageWnd() != NULL) return pPopup;
    return CSPToolBar::GetCommandTarget();
}

// ---------------------------------------------------------------------------
// Customising

DROPEFFECT (*CSPPopupMenuBar::s_pfnDragDropForTest)(CSPPopupMenuBar* pBar, COleDataSource& source) = NULL;

DROPEFFECT CSPPopupMenuBar::DoButtonDragDrop(COleDataSource& source, const CRect& rectStart) {
    if (s_pfnDragDropForTest != NULL) {
        m_DropSource.OnBeginDrag(this);
        m_DropSource.m_bDragStarted = TRUE;
        return s_pfnDragDropForTest(this, source);
    }
    return CSPToolBar::DoButtonDragDrop(source, rectStart);
}

CSPToolbarButton* CSPPopupMenuBar::CreateDroppedButton(IDataObject* pDataObject) {
    CSPToolbarButton* pButton = CSPToolbarButton::CreateFromOleData(pDataObject);
    if (pButton == NULL) return NULL;
    if (pButton->IsKindOf(RUNTIME_CLASS(CSPToolbarMenuButton))) return pButton;
    CString strText = pButton->m_strText;
    const int iTab = strText.Find('\t');
    if (iTab >= 0) strText = strText.Left(iTab);
    CSPToolbarMenuButton* pItem = new CSPToolbarMenuButton(pButton->m_nID, NULL, -1, strText, pButton->m_bUserButton);
    if (pButton->IsLocked()) {
        // A locked button's image is its bar's own: the item shows none.
        pItem->m_iImage = pItem->m_iUserImage = -1;
        pItem->m_bImage = FALSE;
    } else if (pButton->GetImage() >= 0) {
        pItem->SetImage(pButton->GetImage());
        pItem->m_bImage = TRUE;
    }
    pItem->m_bText = TRUE;
    const BOOL bExported = pButton->ExportToMenuButton(*pItem);
    delete pButton;
    if (!bExported || pItem->m_strText.IsEmpty()) {
        delete pItem;
        return NULL;
    }
    return pItem;
}

void CSPPopupMenuBar::RemoveDraggedItem() {
    if (!g_bCustomizeMode || m_pDragButton == NULL || !m_DropSource.m_bDragStarted) return;
    if (m_bIsDragCopy || (::GetKeyState(VK_CONTROL) & 0x8000)) return;
    const int iItem = ButtonToIndex(m_pDragButton);
    m_pDragButton = NULL;
    if (iItem < 0) return;
    RemoveButton(iItem);
    m_iSelected = -1;
}

void CSPPopupMenuBar::AdjustSize() {
    CSPPopupMenu* pPopup = GetParentPopup();
    if (pPopup != NULL && g_bCustomizeMode && pPopup->GetSafeHwnd() != NULL) {
        pPopup->RecalcLayout();
        return;
    }
    CSPToolBar::AdjustSize();
}

// ---------------------------------------------------------------------------
// Window

int CSPPopupMenuBar::OnCreate(LPCREATESTRUCT lpCreateStruct) {
    if (CSPToolBar::OnCreate(lpCreateStruct) == -1) return -1;
    GetSubMenuDelay();
    return 0;
}

void CSPPopupMenuBar::OnDestroy() {
    KillTimer(SP_TIMER_OPEN);
    KillTimer(SP_TIMER_CLOSE);
    m_pDelayedPopupItem = NULL;
    m_pDelayedCloseItem = NULL;
    CloseSubMenu();
    CSPToolBar::OnDestroy();
}
