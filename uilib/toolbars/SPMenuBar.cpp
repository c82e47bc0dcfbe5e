// SPMenuBar.cpp - the frame's menu as a row of menu buttons.
#include "SPMenuBar.h"
#include "SPFrameImpl.h"
#include "SPGlobalData.h"
#include "SPMenuPage.h"
#include "SPPopupMenu.h"
#include "SPTearOffManager.h"
#include "SPToolbarMenuButton.h"
#include "SPToolbarSystemMenuButton.h"

IMPLEMENT_SERIAL(CSPMenuBar, CSPToolBar, VERSIONABLE_SCHEMA | 1)

namespace {

const UINT nIdsMenuBar = 16006;
// Resting this long on an open menu shows all of its items.
const UINT_PTR SP_TIMER_SHOW_ALL = 1;
const UINT SP_SHOW_ALL_DELAY = 5000;

}  // namespace

BOOL CSPMenuBar::s_bShowAllCommands = FALSE;

BEGIN_MESSAGE_MAP(CSPMenuBar, CSPToolBar)
    ON_WM_CREATE()
    ON_WM_SETTINGCHANGE()
    ON_WM_TIMER()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_SETFOCUS()
END_MESSAGE_MAP()

CSPMenuBar::CSPMenuBar()
    : m_bMDIApp(FALSE),
      m_pParentFrame(NULL),
      m_hMenu(NULL),
      m_hDefaultMenu(NULL),
      m_bAltPressed(FALSE),
      m_bMaximizeMode(FALSE),
      m_hSysMenu(NULL),
      m_hSysIcon(NULL),
      m_nSystemButtonsNum(0),
      m_nSystemButtonsNumSaved(0),
      m_szSystemButton(0, 0),
      m_uiDefMenuResId(0),
      m_bHaveImages(FALSE),
      m_pMenuPage(NULL) {
    // The menu takes a dock row of its own.
    SetExclusiveRowMode(TRUE);
}

CSPMenuBar::~CSPMenuBar() {}

BOOL CSPMenuBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID) {
    m_pParentFrame = pParentWnd;
    return CSPToolBar::Create(pParentWnd, dwStyle, nID);
}

int CSPMenuBar::OnCreate(LPCREATESTRUCT lpCreateStruct) {
    if (CSPToolBar::OnCreate(lpCreateStruct) == -1) return -1;
    CString strName;
    if (!strName.LoadString(nIdsMenuBar)) strName = _T("Menu Bar");
    SetWindowText(strName);
    SetSPBarStyle(GetSPBarStyle() | SPCBRS_CLOSE);
    MeasureSystemButton();
    // A library frame hands the bar its menus and routes the menu keys to it.
    CSPFrameImpl* pImpl = CSPFrameImpl::FromMenuBarFrame(m_pParentFrame != NULL ? m_pParentFrame : GetParent());
    if (pImpl != NULL) pImpl->SetMenuBar(this);
    return 0;
}

void CSPMenuBar::GetVisualInfo(SPBarInfo& info) {
    CSPToolBar::GetVisualInfo(info);
    info.bMenuBar = TRUE;
}

BOOL CSPMenuBar::SetMenuFont(LPLOGFONT lpLogFont, BOOL bHorz) {
    if (lpLogFont == NULL || !spGlobalData.SetMenuFont(lpLogFont, bHorz)) return FALSE;
    for (POSITION pos = g_lstAllToolbars.GetHeadPosition(); pos != NULL;) {
        CSPToolBar* pBar = (CSPToolBar*)g_lstAllToolbars.GetNext(pos);
        if (::IsWindow(pBar->GetSafeHwnd())) pBar->AdjustLayout();
    }
    return TRUE;
}

CFont* CSPMenuBar::GetMenuFont(BOOL bHorz) { return bHorz ? &spGlobalData.fontRegular : &spGlobalData.fontVert; }

// --- layout -----------------------------------------------------------------------------

int CSPMenuBar::CalcMaxButtonHeight() {
    // Rows are as high as a button only when a menu shows an image.
    m_bHaveImages = FALSE;
    for (POSITION pos = m_Buttons.GetHeadPosition(); pos != NULL && !m_bHaveImages;) {
        CSPToolbarButton* pButton = (CSPToolbarButton*)m_Buttons.GetNext(pos);
        if (pButton->IsKindOf(RUNTIME_CLASS(CSPToolbarSystemMenuButton)) ||
            pButton->IsKindOf(RUNTIME_CLASS(CSPToolbarMenuButtonsButton)))
            continue;
        m_bHaveImages = pButton->m_bImage && pButton->GetImage() >= 0;
    }
    return GetRowHeight();
}

int CSPMenuBar::GetRowHeight() const {
    int nButtonHeight;
    if (m_bHaveImages) {
        nButtonHeight = GetButtonSize().cy;
    } else {
        const CSize sizeMenuImage = GetMenuImageSize();
        nButtonHeight = (sizeMenuImage.cy > 0 ? sizeMenuImage.cy : GetButtonSize().cy) - 2;
    }
    const int nTextHeight = IsHorizontalAligned() ? spGlobalData.nTextHeightHorz : spGlobalData.nTextHeightVert;
    return nTextHeight > nButtonHeight ? nTextHeight : nButtonHeight;
}

int CSPMenuBar::GetColumnWidth() const {
    if (m_bHaveImages) return GetButtonSize().cx;
    const CSize sizeMenuImage = GetMenuImageSize();
    return (sizeMenuImage.cx > 0 ? sizeMenuImage.cx : GetButtonSize().cx) - 2;
}

CSize CSPMenuBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz) {
    if (m_Buttons.IsEmpty()) return GetButtonSize();
    DWORD dwMode = bStretch ? LM_STRETCH : 0;
    if (bHorz) dwMode |= LM_HORZ;
    return CalcLayout(dwMode);
}

CSize CSPMenuBar::CalcLayout(DWORD dwMode, int nLength) {
    CalcMaxButtonHeight();
    if (IsFloating() || !GetExclusiveRowMode() || GetSafeHwnd() == NULL) return CSPToolBar::CalcLayout(dwMode, nLength);
    // Docked, the bar fills its row: the menus wrap to the row's length.
    CRect rectAvail(0, 0, 0, 0);
    if (CWnd* pDockBar = (CWnd*)GetParentDockBar()) pDockBar->GetClientRect(rectAvail);
    if (rectAvail.IsRectEmpty() && GetParent() != NULL) GetParent()->GetClientRect(rectAvail);
    const BOOL bVert = (dwMode & LM_VERTDOCK) != 0 || (dwMode & LM_HORZ) == 0;
    CRect rectInside(0, 0, 0, 0);
    CalcInsideRect(rectInside, !bVert);
    const int cxBorders = -rectInside.Width(), cyBorders = -rectInside.Height();
    CSize size;
    if (bVert) {
        WrapToolBar(32767, 32767);
        size = CSize(CalcSize(TRUE).cx + cxBorders, rectAvail.Height() + cyBorders / 2);
    } else {
        WrapToolBar(rectAvail.Width() - cxBorders - 1);
        size = CSize(rectAvail.Width() + cxBorders / 2, CalcSize(FALSE).cy + cyBorders);
    }
    RebuildAccelerationKeys();
    return size;
}

int CSPMenuBar::FindDropIndex(CPoint point, CRect& rectMark) {
    const int iIndex = CSPToolBar::FindDropIndex(point, rectMark);
    if (!m_bMaximizeMode || iIndex < 0) return iIndex;
    if (GetSystemMenu() != NULL && iIndex == 0) {
        rectMark.SetRectEmpty();
        return -1;
    }
    const int iFirstSystem = GetMenuItemsEnd();
    if (m_nSystemButtonsNum > 0 && iIndex > iFirstSystem) {
        // Among the caption buttons: as a drop after the last menu.
        CSPToolbarButton* pLast = GetButton(iFirstSystem - 1);
        if (pLast != NULL) {
            const CRect rectLast = pLast->Rect();
            return CSPToolBar::FindDropIndex(CPoint(rectLast.right, rectLast.CenterPoint().y), rectMark);
        }
        return iFirstSystem;
    }
    return iIndex;
}

INT_PTR CSPMenuBar::OnToolHitTest(CPoint point, TOOLINFO* pTI) const {
    const int iHit = const_cast<CSPMenuBar*>(this)->HitTest(point);
    if (iHit >= GetFirstMenuItem() && iHit < GetMenuItemsEnd()) return -1;
    return CSPToolBar::OnToolHitTest(point, pTI);
}

// --- personalised menus -------------------------------------------------------------------

void CSPMenuBar::OnChangeHot(int iHot) {
    CSPToolBar::OnChangeHot(iHot);
    if (GetSafeHwnd() == NULL) return;
    KillTimer(SP_TIMER_SHOW_ALL);
    if (GetDroppedDownMenu() != NULL)
        SetTimer(SP_TIMER_SHOW_ALL, SP_SHOW_ALL_DELAY, NULL);
    else
        s_bShowAllCommands = FALSE;
}

void CSPMenuBar::OnTimer(UINT_PTR nIDEvent) {
    if (nIDEvent != SP_TIMER_SHOW_ALL) {
        CSPToolBar::OnTimer(nIDEvent);
        return;
    }
    KillTimer(SP_TIMER_SHOW_ALL);
    int iDropped = -1;
    CSPToolbarMenuButton* pDropped = GetDroppedDownMenu(&iDropped);
    if (pDropped == NULL || pDropped->m_pPopupMenu == NULL) return;
    CPoint pt;
    ::GetCursorPos(&pt);
    ScreenToClient(&pt);
    if (HitTest(pt) == iDropped && !pDropped->m_pPopupMenu->GetMenuBar()->AreAllCommandsShown())
        pDropped->m_pPopupMenu->ShowAllCommands();
}

void CSPMenuBar::OnLButtonDblClk(UINT nFlags, CPoint point) {
    const HWND hWnd = m_hWnd;
    CSPToolBar::OnLButtonDblClk(nFlags, point);
    if (!::IsWindow(hWnd) || CWnd::FromHandlePermanent(hWnd) != this) return;
    const int iHit = HitTest(point);
    if (iHit < GetFirstMenuItem() || iHit >= GetMenuItemsEnd()) return;
    CSPToolbarMenuButton* pItem = DYNAMIC_DOWNCAST(CSPToolbarMenuButton, GetButton(iHit));
    if (pItem == NULL || s_bShowAllCommands || !m_bRecentlyUsedMenus || !m_UsageCount.HasEnoughInformation() ||
        g_bCustomizeMode)
        return;
    // A double click opens the menu again with all of its items.
    s_bShowAllCommands = TRUE;
    pItem->OnCancelMode();
    pItem->OnClick(this, FALSE);
    SetHotButtonForMenu(pItem);
    InvalidateButton(iHit);
    UpdateWindow();
}

void CSPMenuBar::OnSetFocus(CWnd* pOldWnd) {
    CSPToolBar::OnSetFocus(pOldWnd);
    if (GetDroppedDownMenu() != NULL) return;
    if (CWnd* pOwner = GetOwnerOrParent()) pOwner->SendMessage(WM_SETMESSAGESTRING, AFX_IDS_IDLEMESSAGE);
    if (m_iHot < 0 && GetMenuItemsEnd() > GetFirstMenuItem()) SetHot(GetFirstMenuItem());
}

void CSPMenuBar::MeasureSystemButton() {
    const int cx = ::GetSystemMetrics(SM_CXMENUSIZE);
    CRect rect(0, 0, cx, cx);
    CClientDC dc(this);
    ::DrawFrameControl(dc.GetSafeHdc(), &rect, DFC_CAPTION, DFCS_ADJUSTRECT);
    m_szSystemButton = rect.Size();
    if (m_szSystemButton.cx <= 0 || m_szSystemButton.cy <= 0) m_szSystemButton = CSize(cx, cx);
}

void CSPMenuBar::OnSettingChange(UINT uFlags, LPCTSTR lpszSection) {
    CSPToolBar::OnSettingChange(uFlags, lpszSection);
    // The caption buttons follow the system's metrics.
    MeasureSystemButton();
    AdjustLocations();
    Invalidate();
}

CMDIFrameWnd* CSPMenuBar::GetMDIFrame() const {
    CWnd* pFrame = m_pParentFrame != NULL ? m_pParentFrame : SPGetParentFrame(const_cast<CSPMenuBar*>(this));
    return DYNAMIC_DOWNCAST(CMDIFrameWnd, pFrame);
}

int CSPMenuBar::GetSystemButtonsEnd() const {
    const int iCustomize = m_pCustomizeButton != NULL ? ButtonToIndex(m_pCustomizeButton) : -1;
    return iCustomize >= 0 ? iCustomize : GetCount();
}

CSPToolbarButton* CSPMenuBar::GetMenuItem(int iIndex) const {
    if (iIndex < 0 || GetFirstMenuItem() + iIndex >= GetMenuItemsEnd()) return NULL;
    return GetButton(GetFirstMenuItem() + iIndex);
}

CSPToolbarSystemMenuButton* CSPMenuBar::GetSystemMenu() const {
    if (!m_bMaximizeMode) return NULL;
    return DYNAMIC_DOWNCAST(CSPToolbarSystemMenuButton, GetButton(0));
}

CSPToolbarMenuButtonsButton* CSPMenuBar::GetMenuBarButton(UINT uiIndexOrCommand, BOOL bByCommand) const {
    if (!m_bMaximizeMode) return NULL;
    const int iFirst = GetMenuItemsEnd();
    for (int i = 0; i < m_nSystemButtonsNum; i++) {
        CSPToolbarMenuButtonsButton* pButton = DYNAMIC_DOWNCAST(CSPToolbarMenuButtonsButton, GetButton(iFirst + i));
        if (pButton == NULL) continue;
        if (bByCommand ? pButton->GetSysCommand() == uiIndexOrCommand : (UINT)i == uiIndexOrCommand) return pButton;
    }
    return NULL;
}

void CSPMenuBar::SetMaximizeMode(BOOL bMax, CWnd* pWndActiveMDIChild, BOOL bRecalcLayout) {
    if (m_bMaximizeMode == bMax) return;
    if (!bMax) {
        m_nSystemButtonsNumSaved = m_nSystemButtonsNum;
        if (m_hSysMenu != NULL && GetSystemMenu() != NULL) RemoveButton(0);
        for (; m_nSystemButtonsNum > 0; m_nSystemButtonsNum--) RemoveButton(GetSystemButtonsEnd() - 1);
    } else {
        if (pWndActiveMDIChild == NULL || !::IsWindow(pWndActiveMDIChild->GetSafeHwnd())) return;
        HMENU hSysMenu = ::GetSystemMenu(pWndActiveMDIChild->GetSafeHwnd(), FALSE);
        m_hSysMenu = ::IsMenu(hSysMenu) ? hSysMenu : NULL;
        m_nSystemButtonsNum = InsertSystemButtons(pWndActiveMDIChild);
    }
    m_bMaximizeMode = bMax;
    if (bRecalcLayout && GetSafeHwnd() != NULL) AdjustLayout();
}

int CSPMenuBar::InsertSystemButtons(CWnd* pWndChild) {
    if (m_hSysMenu == NULL) return 0;
    const HWND hwndChild = pWndChild->GetSafeHwnd();
    HICON hIcon = (HICON)::SendMessage(hwndChild, WM_GETICON, ICON_SMALL, 0);
    if (hIcon == NULL) hIcon = (HICON)::GetClassLongPtr(hwndChild, GCLP_HICONSM);
    m_hSysIcon = hIcon;
    CSPToolbarSystemMenuButton sysButton(m_hSysMenu, m_hSysIcon);
    InsertButtonCopy(sysButton, 0);

    const DWORD dwStyle = pWndChild->GetStyle();
    const UINT uiCloseState = ::GetMenuState(m_hSysMenu, SC_CLOSE, MF_BYCOMMAND);
    const struct {
        BOOL bShown;
        UINT uiCmd;
        BOOL bDisabled;
    } buttons[] = {{(dwStyle & WS_MINIMIZEBOX) != 0, SC_MINIMIZE, FALSE},
                   {(dwStyle & WS_MAXIMIZEBOX) != 0, SC_RESTORE, FALSE},
                   {TRUE, SC_CLOSE, uiCloseState == (UINT)-1 || (uiCloseState & (MF_GRAYED | MF_DISABLED))}};
    int nCount = 0;
    for (const auto& b : buttons) {
        if (!b.bShown) continue;
        CSPToolbarMenuButtonsButton button(b.uiCmd);
        if (b.bDisabled) button.m_nStyle |= TBBS_DISABLED;
        InsertButtonCopy(button, GetSystemButtonsEnd());
        nCount++;
    }
    return nCount;
}

void CSPMenuBar::RestoreMaximizeMode(BOOL bRecalcLayout) {
    if (m_bMaximizeMode) return;
    CMDIFrameWnd* pFrame = GetMDIFrame();
    CMDIChildWnd* pChild = pFrame != NULL ? pFrame->MDIGetActive() : NULL;
    if (m_hSysMenu == NULL || pChild == NULL || !::IsMenu(m_hSysMenu)) return;
    // The child's menu may have changed states since (Close greyed).
    m_nSystemButtonsNum = InsertSystemButtons(pChild);
    m_bMaximizeMode = TRUE;
    if (!bRecalcLayout || GetSafeHwnd() == NULL) return;
    if (CFrameWnd* pParent = GetParentFrame()) pParent->RecalcLayout();
    AdjustLayout();
    RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
}

void CSPMenuBar::AdjustLocations() {
    CSPToolBar::AdjustLocations();
    if (!m_bMaximizeMode || m_nSystemButtonsNum == 0 || GetSafeHwnd() == NULL) return;
    CRect rectClient;
    GetClientRect(rectClient);
    const BOOL bHorz = IsHorizontalAligned();
    const CSize size = m_szSystemButton;
    // The last button sits in the corner, the others before it.
    CRect rect(rectClient.right - size.cx, rectClient.bottom - size.cy, rectClient.right, rectClient.bottom);
    const int iLast = GetSystemButtonsEnd() - 1;
    for (int i = iLast; i > iLast - m_nSystemButtonsNum; i--) {
        CSPToolbarButton* pButton = GetButton(i);
        if (pButton == NULL) break;
        if (pButton->Rect() != rect) {
            pButton->SetRect(rect);
            pButton->OnMove();
        }
        if (bHorz)
            rect.OffsetRect(-(size.cx + 1), 0);
        else
            rect.OffsetRect(0, -(size.cy + 1));
    }
}

BOOL CSPMenuBar::CreateFromMenu(HMENU hMenu, BOOL bDefaultMenu, BOOL bForceUpdate) {
    if (GetSafeHwnd() != NULL && ::GetFocus() == GetSafeHwnd() && m_pParentFrame != NULL) m_pParentFrame->SetFocus();
    CMDIFrameWnd* pMDIFrame = GetMDIFrame();
    if (hMenu == m_hMenu && hMenu != NULL && !g_bCustomizeMode && !bForceUpdate) {
        // The same menu: only the caption buttons follow the active child.
        if (m_bMaximizeMode && pMDIFrame != NULL) {
            SetMaximizeMode(FALSE, NULL, FALSE);
            SetMaximizeMode(TRUE, pMDIFrame->MDIGetActive(), TRUE);
            if (GetSafeHwnd() != NULL) Invalidate();
        }
        return TRUE;
    }
    // The caption buttons go first: they belong to no menu's layout.
    const BOOL bWasMaximized = m_bMaximizeMode;
    SetMaximizeMode(FALSE, NULL, FALSE);
    const BOOL bChanged = m_hMenu != hMenu;
    // The layout of the menu that goes is kept for when it comes back.
    if (m_hMenu != NULL && m_hMenu != hMenu) {
        if (g_pTearOffMenuManager != NULL) g_pTearOffMenuManager->SetupTearOffMenus(m_hMenu);
        SaveMenuLayout(m_hMenu);
    }
    m_hMenu = hMenu;
    if (bDefaultMenu) m_hDefaultMenu = hMenu;
    if (hMenu == NULL) return FALSE;

    if (bForceUpdate || !LoadMenuLayout(hMenu)) BuildFromMenu(hMenu);
    if (bWasMaximized && pMDIFrame != NULL) SetMaximizeMode(TRUE, pMDIFrame->MDIGetActive(), FALSE);
    if (GetSafeHwnd() != NULL) AdjustLayout();
    RebuildAccelerationKeys();
    if (bChanged) SelectMenuOnPage(hMenu);
    return TRUE;
}

void CSPMenuBar::SelectMenuOnPage(HMENU hMenu) {
    // Only a change the page did not make itself.
    if (m_pMenuPage == NULL || m_pMenuPage->GetSafeHwnd() == NULL || m_pMenuPage->IsSwitchingMenu()) return;
    CDocTemplate* pTemplate = NULL;
    BOOL bFound = hMenu == m_hDefaultMenu;
    CWinApp* pApp = AfxGetApp();
    if (!bFound && pApp != NULL && pApp->m_pDocManager != NULL) {
        for (POSITION pos = pApp->GetFirstDocTemplatePosition(); pos != NULL && !bFound;) {
            CMultiDocTemplate* pMulti = DYNAMIC_DOWNCAST(CMultiDocTemplate, pApp->GetNextDocTemplate(pos));
            if (pMulti != NULL && pMulti->m_hMenuShared == hMenu) {
                pTemplate = pMulti;
                bFound = TRUE;
            }
        }
    }
    // The bar has kept the layout of the menu it left: the page parks
    // nothing more.
    if (bFound) m_pMenuPage->SelectMenu(pTemplate, FALSE);
}

void CSPMenuBar::BuildFromMenu(HMENU hMenu) {
    if (g_pTearOffMenuManager != NULL) g_pTearOffMenuManager->Reset(hMenu);
    RemoveAllButtons();
    const int nCount = ::GetMenuItemCount(hMenu);
    for (int i = 0; i < nCount; i++) {
        char szText[256] = {0};
        ::GetMenuStringA(hMenu, i, szText, sizeof(szText) - 1, MF_BYPOSITION);
        const UINT uiID = ::GetMenuItemID(hMenu, i);
        if (uiID == 0) {
            InsertSeparator();
        } else if (uiID == (UINT)-1) {
            CString strText = szText;
            const UINT uiTearOff =
                g_pTearOffMenuManager != NULL ? g_pTearOffMenuManager->ParseTearOffTag(strText) : 0;
            CSPToolbarMenuButton item(0, ::GetSubMenu(hMenu, i), -1, strText);
            item.m_bText = TRUE;
            item.m_bImage = FALSE;
            item.SetTearOff(uiTearOff);
            InsertButtonCopy(item);
        } else {
            CSPToolbarButton item(uiID, -1, szText);
            item.m_bText = TRUE;
            item.m_bImage = FALSE;
            InsertButtonCopy(item);
        }
    }
}

void CSPMenuBar::SetHot(int iHot) {
    const int iOld = m_iHot;
    m_iHighlighted = iHot;
    m_iHot = iHot;
    if (iOld >= 0) InvalidateButton(iOld);
    if (iHot >= 0) InvalidateButton(iHot);
    UpdateWindow();
}

BOOL CSPMenuBar::TranslateFrameMessage(MSG* pMsg) {
    if (GetSafeHwnd() == NULL || !IsWindowVisible()) return FALSE;
    switch (pMsg->message) {
    case WM_SYSKEYDOWN:
        if (pMsg->wParam == VK_MENU) {
            m_bAltPressed = TRUE;
            return TRUE;
        }
        m_bAltPressed = FALSE;
        if (GetDroppedDownMenu() != NULL) return FALSE;
        return FindButtonByMnemonic((UINT)pMsg->wParam);
    case WM_SYSKEYUP:
        if (pMsg->wParam != VK_MENU || !m_bAltPressed) return FALSE;
        m_bAltPressed = FALSE;
        if (m_iHot >= 0 || GetDroppedDownMenu() != NULL) {
            Deactivate();
            return TRUE;
        }
        // Alt alone: the bar takes the keys with its first item hot.
        SetFocus();
        if (GetMenuItemsEnd() > GetFirstMenuItem()) SetHot(GetFirstMenuItem());
        return TRUE;
    default: return FALSE;
    }
}

BOOL CSPMenuBar::PreTranslateMessage(MSG* pMsg) {
    const int iFirst = GetFirstMenuItem(), iEnd = GetMenuItemsEnd();
    if (pMsg->message != WM_KEYDOWN || GetDroppedDownMenu() != NULL || m_iHot < iFirst || m_iHot >= iEnd)
        return CSPToolBar::PreTranslateMessage(pMsg);
    CSPToolbarButton* pHot = GetButton(m_iHot);
    switch (pMsg->wParam) {
    case VK_RETURN:
    case VK_DOWN:
        if (!DropDownMenu(pHot) && pMsg->wParam == VK_RETURN) ProcessCommand(pHot);
        return TRUE;
    case VK_LEFT:
    case VK_RIGHT: {
        // Around the menu items only: not onto the child's icon or buttons.
        const int nCount = iEnd - iFirst;
        const int iNew = iFirst + (m_iHot - iFirst + (pMsg->wParam == VK_RIGHT ? 1 : nCount - 1)) % nCount;
        SetHot(iNew);
        return TRUE;
    }
    case VK_ESCAPE:
        Deactivate();
        RestoreFocus();
        s_bShowAllCommands = FALSE;
        break;
    default:
        if (FindButtonByMnemonic((UINT)pMsg->wParam)) return TRUE;
    }
    return CSPToolBar::PreTranslateMessage(pMsg);
}

BOOL CSPMenuBar::OnSendCommand(const CSPToolbarButton* pButton) {
    const CSPToolbarMenuButtonsButton* pSysButton =
        DYNAMIC_DOWNCAST(CSPToolbarMenuButtonsButton, const_cast<CSPToolbarButton*>(pButton));
    if (pSysButton == NULL) return FALSE;
    const UINT uiCmd = pSysButton->GetSysCommand();
    if (uiCmd != SC_CLOSE && uiCmd != SC_MINIMIZE && uiCmd != SC_RESTORE) return TRUE;
    CMDIFrameWnd* pFrame = GetMDIFrame();
    if (pFrame == NULL) {
        ::MessageBeep((UINT)-1);
        return TRUE;
    }
    CMDIChildWnd* pChild = pFrame->MDIGetActive();
    if (pChild != NULL) pChild->SendMessage(WM_SYSCOMMAND, uiCmd);
    return TRUE;
}
