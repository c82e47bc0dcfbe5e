// SPToolbarMenuButton.cpp - CSPToolbarMenuButton: items from and to menu
// handles, the stored record with its items, the split button's arrow.
#include "SPToolbarMenuButton.h"
#include "SPPopupMenu.h"

#include "SPGlobalData.h"
#include "SPMenuImages.h"
#include "SPToolBar.h"
#include "SPVisualManager.h"

IMPLEMENT_SERIAL(CSPToolbarMenuButton, CSPToolbarButton, VERSIONABLE_SCHEMA | 1)

namespace {

// A menu item that opens at its own row: kept in the item's style.
const UINT nStyleMenuBreak = 0x20000000;

}  // namespace

void CSPToolbarMenuButton::Initialize() {
    m_pPopupMenu = NULL;
    m_bDrawDownArrow = FALSE;
    m_bMenuMode = FALSE;
    m_pWndParent = NULL;
    m_bDefault = FALSE;
    m_bClickedOnMenu = FALSE;
    m_bHorz = TRUE;
    m_bDelayedSubmenu = FALSE;
    m_bMenuOnly = FALSE;
    m_uiTearOffBarID = 0;
    m_bIsRadio = FALSE;
    m_pWndMessage = NULL;
}

CSPToolbarMenuButton::CSPToolbarMenuButton() : m_listCommands(10) { Initialize(); }

CSPToolbarMenuButton::CSPToolbarMenuButton(UINT uiID, HMENU hMenu, int iImage, LPCTSTR lpszText, BOOL bUserButton)
    : m_listCommands(10) {
    Initialize();
    m_bUserButton = bUserButton;
    m_nID = uiID;
    SetImage(iImage);
    m_strText = lpszText != NULL ? lpszText : "";
    CreateFromMenu(hMenu);
}

CSPToolbarMenuButton::CSPToolbarMenuButton(const CSPToolbarMenuButton& src) : CSPToolbarButton(), m_listCommands(10) {
    Initialize();
    m_nID = src.m_nID;
    m_nStyle = src.m_nStyle;
    m_bUserButton = src.m_bUserButton;
    SetImage(src.GetImage());
    m_strText = src.m_strText;
    m_bText = src.m_bText;
    m_bImage = src.m_bImage;
    m_bDrawDownArrow = src.m_bDrawDownArrow;
    m_bMenuMode = src.m_bMenuMode;
    m_bDefault = src.m_bDefault;
    m_bMenuOnly = src.m_bMenuOnly;
    m_bIsRadio = src.m_bIsRadio;
    SetTearOff(src.m_uiTearOffBarID);
    HMENU hMenu = src.CreateMenu();
    CreateFromMenu(hMenu);
    if (hMenu != NULL) ::DestroyMenu(hMenu);
    m_rect.SetRectEmpty();
    m_bDragFromCollection = FALSE;
}

CSPToolbarMenuButton::~CSPToolbarMenuButton() {
    // The open popup forgets its button with the popup menus.
    RemoveAllItems();
}

void CSPToolbarMenuButton::RemoveAllItems() {
    while (!m_listCommands.IsEmpty()) delete m_listCommands.RemoveHead();
}

void CSPToolbarMenuButton::SetTearOff(UINT uiBarID) {
    // The tear-off manager takes and releases the ids once it exists.
    m_uiTearOffBarID = uiBarID;
}

void CSPToolbarMenuButton::CreateFromMenu(HMENU hMenu) {
    RemoveAllItems();
    if (hMenu == NULL || !::IsMenu(hMenu)) return;
    const UINT uiDefault = ::GetMenuDefaultItem(hMenu, FALSE, 0);
    const int nCount = ::GetMenuItemCount(hMenu);
    for (int i = 0; i < nCount; i++) {
        CSPToolbarMenuButton* pItem = new CSPToolbarMenuButton;
        pItem->m_nID = ::GetMenuItemID(hMenu, i);
        char szText[512] = {0};
        if (::GetMenuStringA(hMenu, (UINT)i, szText, sizeof(szText) - 1, MF_BYPOSITION) > 0) pItem->m_strText = szText;
        if (pItem->m_nID == (UINT)-1) {
            pItem->CreateFromMenu(::GetSubMenu(hMenu, i));
        } else if (pItem->m_nID != 0 && pItem->m_nID == uiDefault) {
            pItem->m_bDefault = TRUE;
        }
        if (::GetMenuState(hMenu, (UINT)i, MF_BYPOSITION) & MF_MENUBREAK) pItem->m_nStyle |= nStyleMenuBreak;
        m_listCommands.AddTail(pItem);
    }
}

HMENU CSPToolbarMenuButton::CreateMenu() const {
    if (m_listCommands.IsEmpty() && m_nID != 0 && m_nID != (UINT)-1 && !m_bMenuOnly) return NULL;
    HMENU hMenu = ::CreatePopupMenu();
    if (hMenu == NULL) return NULL;
    UINT uiDefault = 0;
    for (POSITION pos = m_listCommands.GetHeadPosition(); pos != NULL;) {
        const CSPToolbarMenuButton* pItem = (const CSPToolbarMenuButton*)m_listCommands.GetNext(pos);
        UINT nFlags = MF_STRING;
        if (pItem->m_nStyle & nStyleMenuBreak) nFlags |= MF_MENUBREAK;
        if (pItem->IsTearOffMenu()) nFlags |= MF_MENUBARBREAK;
        BOOL bAppended;
        if (pItem->m_nID == 0) {
            bAppended = ::AppendMenuA(hMenu, MF_SEPARATOR, 0, NULL);
        } else if (pItem->m_nID == (UINT)-1) {
            HMENU hSubMenu = pItem->CreateMenu();
            bAppended = hSubMenu != NULL &&
                        ::AppendMenuA(hMenu, nFlags | MF_POPUP, (UINT_PTR)hSubMenu, pItem->m_strText);
            if (!bAppended && hSubMenu != NULL) ::DestroyMenu(hSubMenu);
        } else {
            bAppended = ::AppendMenuA(hMenu, nFlags, pItem->m_nID, pItem->m_strText);
            if (pItem->m_bDefault) uiDefault = pItem->m_nID;
        }
        if (!bAppended) {
            ::DestroyMenu(hMenu);
            return NULL;
        }
    }
    if (uiDefault != 0) ::SetMenuDefaultItem(hMenu, uiDefault, FALSE);
    return hMenu;
}

void CSPToolbarMenuButton::Serialize(CArchive& ar) {
    CSPToolbarButton::Serialize(ar);
    const BOOL bTearOffStored = CSPToolBar::WorkspaceStoresTearOffIds();
    if (ar.IsStoring()) {
        if (bTearOffStored) ar << (DWORD)m_uiTearOffBarID;
        ar.WriteCount(m_listCommands.GetCount());
        for (POSITION pos = m_listCommands.GetHeadPosition(); pos != NULL;) ar.WriteObject(m_listCommands.GetNext(pos));
        return;
    }
    RemoveAllItems();
    if (bTearOffStored) {
        DWORD dwTearOff = 0;
        ar >> dwTearOff;
        SetTearOff(dwTearOff);
    }
    DWORD_PTR nCount = ar.ReadCount();
    AfxCheckStoredCount(ar, nCount, 2);
    while (nCount-- > 0) {
        CObject* pItem = ar.ReadObject(RUNTIME_CLASS(CSPToolbarMenuButton));
        if (pItem != NULL) m_listCommands.AddTail(pItem);
    }
}

void CSPToolbarMenuButton::CopyFrom(const CSPToolbarButton& s) {
    CSPToolbarButton::CopyFrom(s);
    const CSPToolbarMenuButton* pSrc = DYNAMIC_DOWNCAST(CSPToolbarMenuButton, const_cast<CSPToolbarButton*>(&s));
    if (pSrc == NULL) return;
    m_bDefault = pSrc->m_bDefault;
    m_bMenuOnly = pSrc->m_bMenuOnly;
    m_bIsRadio = pSrc->m_bIsRadio;
    m_pWndMessage = pSrc->m_pWndMessage;
    SetTearOff(pSrc->m_uiTearOffBarID);
    RemoveAllItems();
    for (POSITION pos = pSrc->m_listCommands.GetHeadPosition(); pos != NULL;) {
        const CSPToolbarMenuButton* pItem = (const CSPToolbarMenuButton*)pSrc->m_listCommands.GetNext(pos);
        CSPToolbarMenuButton* pCopy = DYNAMIC_DOWNCAST(CSPToolbarMenuButton, pItem->GetRuntimeClass()->CreateObject());
        if (pCopy == NULL) continue;
        pCopy->CopyFrom(*pItem);
        m_listCommands.AddTail(pCopy);
    }
}

void CSPToolbarMenuButton::OnChangeParentWnd(CWnd* pWndParent) {
    CSPToolbarButton::OnChangeParentWnd(pWndParent);
    // The menu bar and the popup menu bar set their own modes when they
    // exist; every other bar shows the arrow of a menu.
    m_bDrawDownArrow = m_nID == 0 || !m_listCommands.IsEmpty();
    m_bMenuMode = FALSE;
    m_pWndParent = pWndParent;
}

BOOL CSPToolbarMenuButton::CompareWith(const CSPToolbarButton& other) const {
    if (m_nID != other.m_nID) return FALSE;
    const CSPToolbarMenuButton* pOther = DYNAMIC_DOWNCAST(CSPToolbarMenuButton, const_cast<CSPToolbarButton*>(&other));
    if (pOther == NULL) return m_listCommands.IsEmpty();
    if (m_listCommands.GetCount() != pOther->m_listCommands.GetCount()) return FALSE;
    POSITION posOther = pOther->m_listCommands.GetHeadPosition();
    for (POSITION pos = m_listCommands.GetHeadPosition(); pos != NULL;) {
        const CSPToolbarButton* pItem = (const CSPToolbarButton*)m_listCommands.GetNext(pos);
        const CSPToolbarButton* pOtherItem = (const CSPToolbarButton*)pOther->m_listCommands.GetNext(posOther);
        if (!pItem->CompareWith(*pOtherItem)) return FALSE;
    }
    return TRUE;
}

void CSPToolbarMenuButton::UpdateTextFromResource() {
    CSPToolbarButton::UpdateTextFromResource();
    for (POSITION pos = m_listCommands.GetHeadPosition(); pos != NULL;)
        ((CSPToolbarButton*)m_listCommands.GetNext(pos))->UpdateTextFromResource();
}

void CSPToolbarMenuButton::GetImageRect(RECT& rectImage) const {
    const int nMargin = CSPVisualManager::GetInstance()->GetMenuImageMargin();
    rectImage = m_rect;
    rectImage.left += nMargin;
    rectImage.right = rectImage.left + CSPToolBar::GetMenuImageSize().cx + nMargin;
}

void CSPToolbarMenuButton::SetRadio() {
    m_bIsRadio = TRUE;
    if (m_pWndParent != NULL && m_pWndParent->GetSafeHwnd() != NULL) {
        CRect rectImage;
        GetImageRect(rectImage);
        m_pWndParent->InvalidateRect(rectImage);
        m_pWndParent->UpdateWindow();
    }
}

void CSPToolbarMenuButton::GetTextHorzOffsets(int& xOffset, int& xGlyphWidth) {
    xOffset = CSPToolBar::GetMenuImageSize().cx / 2 + 3;
    xGlyphWidth = CSPMenuImages::Size().cx;
}

int CSPToolbarMenuButton::GetArrowSize(BOOL bHorz) const {
    const CSize sizeGlyph = CSPMenuImages::Size();
    int nSize = bHorz ? sizeGlyph.cx : sizeGlyph.cy;
    if (CSPToolBar::IsLargeIcons()) nSize *= 2;
    return nSize;
}

SIZE CSPToolbarMenuButton::OnCalculateSize(CDC* pDC, const CSize& sizeDefault, BOOL bHorz) {
    m_bHorz = bHorz;
    const int nArrow = (m_bDrawDownArrow || m_bMenuMode) ? GetArrowSize(bHorz) - 1 : 0;
    CSize size = CSPToolbarButton::OnCalculateSize(pDC, sizeDefault, bHorz);
    const int nExtra = nArrow + (m_bMenuMode ? 0 : 2 * CSPVisualManager::GetInstance()->GetMenuImageMargin());
    if (bHorz)
        size.cx += nExtra;
    else
        size.cy += nExtra;
    if (m_bMenuMode) size.cx += sizeDefault.cx + 6;
    return size;
}

CRect CSPToolbarMenuButton::GetArrowRect() const {
    CRect rect = m_rect;
    if (m_bExtraSize) {
        const CSize sizeExtra = CSPVisualManager::GetInstance()->GetButtonExtraBorder();
        rect.DeflateRect(sizeExtra.cx / 2 + 1, sizeExtra.cy / 2 + 1);
    }
    const int nArrow = 2 + GetArrowSize(m_bHorz);
    if (m_bHorz)
        rect.left = rect.right - nArrow;
    else
        rect.top = rect.bottom - nArrow;
    return rect;
}

BOOL CSPToolbarMenuButton::OnClick(CWnd* pWnd, BOOL bDelay) {
    m_bClickedOnMenu = FALSE;
    const BOOL bCommand = m_nID != 0 && m_nID != (UINT)-1;
    if (m_bDrawDownArrow && !m_bMenuMode && !bDelay) {
        if (bCommand && pWnd != NULL && !m_bMenuOnly) {
            CPoint ptCursor;
            ::GetCursorPos(&ptCursor);
            pWnd->ScreenToClient(&ptCursor);
            if (!GetArrowRect().PtInRect(ptCursor)) return FALSE;  // the bar sends the command
        }
        m_bClickedOnMenu = TRUE;
    }
    if (bCommand && !m_bDrawDownArrow && !m_bMenuOnly) return FALSE;

    if (m_pPopupMenu != NULL) {
        OnCancelMode();
    } else {
        CSPToolBar* pBar = DYNAMIC_DOWNCAST(CSPToolBar, pWnd);
        if (pBar != NULL) {
            CSPToolbarMenuButton* pDropped = pBar->GetDroppedDownMenu();
            if (pDropped != NULL && pDropped != this) pDropped->OnCancelMode();
        }
        if (!OpenPopupMenu(pWnd)) return FALSE;
    }
    if (pWnd != NULL && pWnd->GetSafeHwnd() != NULL) {
        CRect rect = m_rect;
        rect.InflateRect(4, 4);
        pWnd->InvalidateRect(rect);
    }
    return TRUE;
}

BOOL CSPToolbarMenuButton::OpenPopupMenu(CWnd* pWnd) {
    if (m_pPopupMenu != NULL) return FALSE;
    if (pWnd == NULL) pWnd = m_pWndParent;
    if (pWnd == NULL || pWnd->GetSafeHwnd() == NULL) return FALSE;
    HMENU hMenu = CreateMenu();
    if (hMenu == NULL && !IsEmptyMenuAllowed()) return FALSE;
    CSPPopupMenu* pPopup = CreatePopupMenu();
    if (pPopup == NULL) {
        if (hMenu != NULL) ::DestroyMenu(hMenu);
        return FALSE;
    }
    // Below a horizontal button, beside a vertical one.
    CRect rectScreen = m_rect;
    pWnd->ClientToScreen(rectScreen);
    const CPoint pt = m_bHorz ? CPoint(rectScreen.left, rectScreen.bottom) : CPoint(rectScreen.right, rectScreen.top);
    m_pPopupMenu = pPopup;
    pPopup->SetParentButton(this, rectScreen);
    // The popup owns the menu handle from here on.
    if (!pPopup->Create(pWnd, pt.x, pt.y, hMenu, FALSE, FALSE)) {
        if (pPopup->GetSafeHwnd() == NULL) delete pPopup;
        m_pPopupMenu = NULL;
        return FALSE;
    }
    return m_pPopupMenu != NULL;
}

CSPPopupMenu* CSPToolbarMenuButton::CreatePopupMenu() { return new CSPPopupMenu; }

void CSPToolbarMenuButton::OnCancelMode() {
    CSPPopupMenu* pPopup = m_pPopupMenu;
    m_pPopupMenu = NULL;
    if (pPopup != NULL && ::IsWindow(pPopup->GetSafeHwnd())) pPopup->DestroyWindow();
    if (m_pWndParent != NULL && m_pWndParent->GetSafeHwnd() != NULL) {
        CRect rect = m_rect;
        rect.InflateRect(4, 4);
        m_pWndParent->InvalidateRect(rect);
        m_pWndParent->UpdateWindow();
    }
    m_bDelayedSubmenu = FALSE;
}

void CSPToolbarMenuButton::OnDraw(CDC* pDC, const CRect& rect, CSPButtonImages* pImages, BOOL bHorz,
                                  BOOL bCustomizeMode, BOOL bHighlight, BOOL bDrawBorder, BOOL bGrayDisabledButtons) {
    if (!m_bDrawDownArrow || m_bMenuMode) {
        CSPToolbarButton::OnDraw(pDC, rect, pImages, bHorz, bCustomizeMode, bHighlight || IsDroppedDown(),
                                 bDrawBorder, bGrayDisabledButtons);
        return;
    }
    // The content leaves room for the arrow at the far edge.
    const int nArrow = GetArrowSize(bHorz) + 2;
    CRect rectContent = rect;
    CRect rectArrow = rect;
    if (bHorz) {
        rectContent.right -= nArrow;
        rectArrow.left = rectContent.right - 1;
    } else {
        rectContent.bottom -= nArrow;
        rectArrow.top = rectContent.bottom - 1;
    }
    const UINT nStyle = m_nStyle;
    if (IsDroppedDown()) m_nStyle |= TBBS_PRESSED;
    CSPToolbarButton::OnDraw(pDC, rectContent, pImages, bHorz, bCustomizeMode, bHighlight || IsDroppedDown(),
                             bDrawBorder, bGrayDisabledButtons);
    m_nStyle = nStyle;

    const CSize sizeGlyph = CSPMenuImages::Size();
    const CPoint ptGlyph(rectArrow.left + (rectArrow.Width() - sizeGlyph.cx) / 2,
                         rectArrow.top + (rectArrow.Height() - sizeGlyph.cy) / 2);
    const BOOL bDisabled = bCustomizeMode ? !IsEditable() : (m_nStyle & TBBS_DISABLED) != 0;
    CSPMenuImages::Draw(pDC, (!bHorz || m_bMenuOnly) ? CSPMenuImages::IdArowRight : CSPMenuImages::IdArowDown, ptGlyph,
                        bDisabled ? CSPMenuImages::ImageGray : CSPMenuImages::ImageBlack);
}

