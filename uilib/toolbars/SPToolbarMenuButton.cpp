// SPToolbarMenuButton.cpp - CSPToolbarMenuButton: items from and to menu
// handles, the stored record with its items, the split button's arrow.
#include "SPToolbarMenuButton.h"
#include "SPPopupMenu.h"

#include "SPButtonImages.h"
#include "SPCommandManager.h"
#include "SPFrameImpl.h"
#include "SPFrameWnd.h"
#include "SPGlobalData.h"
#include "SPKeyboardManager.h"
#include "SPMDIFrameWnd.h"
#include "SPMenuBar.h"
#include "SPMenuImages.h"
#include "SPOleDocIPFrameWnd.h"
#include "SPOleIPFrameWnd.h"
#include "SPPopupMenuBar.h"
#include "SPToolBar.h"
#include "SPUserTool.h"
#include "SPUserToolsManager.h"
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
    m_bMenuMode = FALSE;
    m_pWndParent = pWndParent;
    if (pWndParent != NULL && pWndParent->IsKindOf(RUNTIME_CLASS(CSPMenuBar))) {
        // A menu title of the menu bar is its text alone; only a command
        // that carries a menu shows the arrow.
        m_bText = TRUE;
        m_bImage = FALSE;
        m_bDrawDownArrow = m_nID != 0 && !m_listCommands.IsEmpty();
        return;
    }
    if (pWndParent != NULL && pWndParent->IsKindOf(RUNTIME_CLASS(CSPPopupMenuBar))) {
        // A line of a popup menu: its text, its image column, and the arrow
        // of a submenu.
        m_bMenuMode = TRUE;
        m_bText = TRUE;
        m_bImage = FALSE;
        const BOOL bCommand = m_nID != 0 && m_nID != (UINT)-1;
        m_bDrawDownArrow = !(bCommand && m_listCommands.IsEmpty());
        return;
    }
    m_bDrawDownArrow = m_nID == 0 || !m_listCommands.IsEmpty();
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
    if (m_bMenuMode && g_pKeyboardManager != NULL && (m_nID < 0xF000 || m_nID >= 0xF1F0) && m_nID != 0 &&
        m_nID != (UINT)-1) {
        // The key the user gave the command now, not the one the menu
        // resource was written with.
        CFrameWnd* pFrame = NULL;
        if (g_pTopLevelFrame != NULL)
            pFrame = g_pTopLevelFrame;
        else if (m_pWndParent != NULL && m_pWndParent->GetSafeHwnd() != NULL)
            pFrame = m_pWndParent->GetTopLevelFrame();
        else
            pFrame = DYNAMIC_DOWNCAST(CFrameWnd, AfxGetMainWnd());
        CString strKey;
        BOOL bFound = pFrame != NULL && CSPKeyboardManager::FindDefaultAccelerator(m_nID, strKey, pFrame, TRUE);
        if (!bFound && pFrame != NULL) {
            CFrameWnd* pActive = pFrame->GetActiveFrame();
            if (pActive != NULL && pActive != pFrame)
                bFound = CSPKeyboardManager::FindDefaultAccelerator(m_nID, strKey, pActive, FALSE);
        }
        if (bFound && !strKey.IsEmpty()) {
            const int iTab = m_strText.Find('\t');
            if (iTab >= 0) m_strText = m_strText.Left(iTab);
            m_strText += '\t';
            m_strText += strKey;
        }
    }
    CSize size = CSPToolbarButton::OnCalculateSize(pDC, sizeDefault, bHorz);
    const int nExtra = nArrow + (m_bMenuMode ? 0 : 2 * CSPVisualManager::GetInstance()->GetMenuImageMargin());
    if (bHorz)
        size.cx += nExtra;
    else
        size.cy += nExtra;
    if (m_bMenuMode) {
        size.cx += sizeDefault.cx + 6;
        CSPPopupMenuBar* pBar = DYNAMIC_DOWNCAST(CSPPopupMenuBar, m_pWndParent);
        if (pBar != NULL) size.cy = pBar->GetRowHeight();
    }
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
    // The popup owns the menu handle from here on. A popup that failed has
    // deleted itself (PostNcDestroy), the handle with it.
    if (!pPopup->Create(pWnd, pt.x, pt.y, hMenu, FALSE, FALSE)) {
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
    if (m_bMenuMode) {
        DrawMenuItem(pDC, rect, pImages, bCustomizeMode, bHighlight, bGrayDisabledButtons);
        return;
    }
    CSPVisualManager* pVisual = CSPVisualManager::GetInstance();
    const BOOL bOpen = IsDroppedDown();
    if (bOpen) bHighlight = TRUE;
    m_bHorz = bHorz;

    int state = CSPVisualManager::ButtonsIsRegular;
    if (bHighlight)
        state = CSPVisualManager::ButtonsIsHighlighted;
    else if (m_nStyle & (TBBS_CHECKED | TBBS_PRESSED))
        state = CSPVisualManager::ButtonsIsPressed;
    if (!m_bDisableFill)
        pVisual->OnFillButtonInterior(pDC, this, rect,
                                      CSPToolBar::IsCustomizeMode() ? CSPVisualManager::ButtonsIsRegular : state);

    const CSize sizeExtra = m_bExtraSize ? pVisual->GetButtonExtraBorder() : CSize(0, 0);
    CRect rectInner = rect;
    if (m_bExtraSize) rectInner.DeflateRect(sizeExtra.cx / 2 + 1, sizeExtra.cy / 2 + 1);
    const int nMargin = pVisual->GetMenuImageMargin();
    CRect rectContent = rectInner;
    if (bHorz)
        rectContent.DeflateRect(nMargin, 0);
    else
        rectContent.DeflateRect(0, nMargin);
    CRect rectArrow = rectContent;
    if (m_bDrawDownArrow) {
        const int nGlyph = GetArrowSize(bHorz) + 2;
        if (bHorz) {
            rectContent.right -= nGlyph;
            rectArrow.left = rectContent.right - 1;
            rectArrow.OffsetRect(-sizeExtra.cx / 2, 0);
        } else {
            rectContent.bottom -= nGlyph;
            rectArrow.top = rectContent.bottom - 1;
        }
    }

    // The style as drawn: an open menu shows its title pressed, a split
    // button clicked on its arrow shows only the arrow pressed; the flat
    // look presses nothing.
    const BOOL bFlat = pVisual->m_bFlatLook;
    const BOOL bSplit = m_bDrawDownArrow && m_nID != 0 && m_nID != (UINT)-1 && !m_bMenuOnly;
    const UINT nStyleSaved = m_nStyle;
    if (bFlat)
        m_nStyle &= ~(TBBS_CHECKED | TBBS_PRESSED);
    else if (bSplit && m_bClickedOnMenu)
        m_nStyle &= ~TBBS_PRESSED;
    else if (bOpen)
        m_nStyle |= TBBS_PRESSED;

    const BOOL bFillSaved = m_bDisableFill;
    m_bDisableFill = TRUE;
    CSPToolbarButton::OnDraw(pDC, rectContent, pImages, bHorz, bCustomizeMode, bHighlight, bDrawBorder,
                             bGrayDisabledButtons);
    m_bDisableFill = bFillSaved;

    if (m_bDrawDownArrow) {
        const BOOL bPressed = !bFlat && (m_nStyle & (TBBS_CHECKED | TBBS_PRESSED)) != 0;
        CRect rectGlyph = rectArrow;
        if (bPressed) rectGlyph.OffsetRect(1, 1);
        if (bSplit && (bHighlight || (m_nStyle & TBBS_PRESSED) || bOpen) && !(bFlat && bOpen)) {
            CRect rectDivider = rectArrow;
            if (bHorz)
                rectDivider.right = rectDivider.left + 2;
            else
                rectDivider.bottom = rectDivider.top + 2;
            pVisual->OnDrawButtonBorder(pDC, this, rectDivider,
                                        (bHighlight || bPressed) ? CSPVisualManager::ButtonsIsPressed
                                                                 : CSPVisualManager::ButtonsIsRegular);
        }
        if (!bFlat && bOpen && !(m_nStyle & TBBS_PRESSED)) rectGlyph.OffsetRect(1, 1);
        const BOOL bDisabled = bCustomizeMode ? !IsEditable() : (m_nStyle & TBBS_DISABLED) != 0;
        const CSize sizeGlyph = CSPMenuImages::Size();
        CSPMenuImages::Draw(pDC, (!bHorz || m_bMenuOnly) ? CSPMenuImages::IdArowRight : CSPMenuImages::IdArowDown,
                            CPoint(rectGlyph.left + (rectGlyph.Width() - sizeGlyph.cx) / 2,
                                   rectGlyph.top + (rectGlyph.Height() - sizeGlyph.cy) / 2),
                            bDisabled ? CSPMenuImages::ImageGray : CSPMenuImages::ImageBlack);
    }
    m_nStyle = nStyleSaved;

    if (bCustomizeMode) return;
    if ((m_nStyle & (TBBS_CHECKED | TBBS_PRESSED)) || bOpen) {
        if (bSplit && m_bClickedOnMenu && !bFlat) {
            pVisual->OnDrawButtonBorder(pDC, this, rectContent, CSPVisualManager::ButtonsIsHighlighted);
            CRect rectArrowBorder = rectArrow;
            rectArrowBorder.right--;
            rectArrowBorder.bottom--;
            pVisual->OnDrawButtonBorder(pDC, this, rectArrowBorder, CSPVisualManager::ButtonsIsPressed);
        } else {
            pVisual->OnDrawButtonBorder(pDC, this, rect, CSPVisualManager::ButtonsIsPressed);
        }
    } else if (bHighlight && bDrawBorder && !(m_nStyle & (TBBS_DISABLED | TBBS_CHECKED | TBBS_INDETERMINATE))) {
        pVisual->OnDrawButtonBorder(pDC, this, rect, CSPVisualManager::ButtonsIsHighlighted);
    }
}

// The glyph colouring that reads on the text colour: light glyphs on a
// light text (drawn on a dark highlight), grey ones for grey text.
static int GlyphStateFor(COLORREF clrText) {
    if (clrText == spGlobalData.clrGrayedText) return CSPMenuImages::ImageGray;
    const int nLight = GetRValue(clrText) + GetGValue(clrText) + GetBValue(clrText);
    return nLight >= 3 * 192 ? CSPMenuImages::ImageWhite : CSPMenuImages::ImageBlack;
}

void CSPToolbarMenuButton::ShowMenuImage() {
    if (m_bImage && IsImageValid()) return;
    if (m_iUserImage >= 0) {
        m_bUserButton = TRUE;
        m_bImage = TRUE;
    } else if (m_iImage >= 0) {
        m_bUserButton = FALSE;
        m_bImage = TRUE;
    }
}

// The frame the menu belongs to draws an image where the command has none
// (a frame that does not answers FALSE).
static BOOL DrawFrameMenuImage(CWnd* pParent, CDC* pDC, const CSPToolbarMenuButton* pButton, const CRect& rectImage) {
    CFrameWnd* pFrame = g_pTopLevelFrame;
    if (pFrame == NULL && pParent != NULL && pParent->GetSafeHwnd() != NULL) pFrame = pParent->GetTopLevelFrame();
    if (pFrame == NULL) pFrame = DYNAMIC_DOWNCAST(CFrameWnd, AfxGetMainWnd());
    if (pFrame == NULL) return FALSE;
    if (pFrame->IsKindOf(RUNTIME_CLASS(CSPMDIFrameWnd)))
        return ((CSPMDIFrameWnd*)pFrame)->OnDrawMenuImage(pDC, pButton, rectImage);
    if (pFrame->IsKindOf(RUNTIME_CLASS(CSPFrameWnd)))
        return ((CSPFrameWnd*)pFrame)->OnDrawMenuImage(pDC, pButton, rectImage);
    if (pFrame->IsKindOf(RUNTIME_CLASS(CSPOleIPFrameWnd)))
        return ((CSPOleIPFrameWnd*)pFrame)->OnDrawMenuImage(pDC, pButton, rectImage);
    if (pFrame->IsKindOf(RUNTIME_CLASS(CSPOleDocIPFrameWnd)))
        return ((CSPOleDocIPFrameWnd*)pFrame)->OnDrawMenuImage(pDC, pButton, rectImage);
    return FALSE;
}

void CSPToolbarMenuButton::DrawMenuItem(CDC* pDC, const CRect& rect, CSPButtonImages* pImages, BOOL bCustomizeMode,
                                        BOOL bHighlight, BOOL bGrayDisabledButtons) {
    CSPVisualManager* pVisual = CSPVisualManager::GetInstance();
    const BOOL bDisabled = bCustomizeMode ? !IsEditable() : (m_nStyle & TBBS_DISABLED) != 0;
    if (m_pPopupMenu != NULL && !m_bDelayedSubmenu) bHighlight = TRUE;
    const BOOL bChecked = (m_nStyle & TBBS_CHECKED) != 0;
    const BOOL bNoImage = m_nID != 0 && SPGetCommandManager()->IsMenuItemWithoutImage(m_nID);
    CSPPopupMenuBar* pParentBar = DYNAMIC_DOWNCAST(CSPPopupMenuBar, m_pWndParent);
    const BOOL bDefault = pParentBar != NULL && m_nID != 0 && pParentBar->GetDefaultItem() == m_nID && !m_bMenuOnly;

    CFont* pOldFont = pDC->SelectObject(bDefault ? &spGlobalData.fontBold : &spGlobalData.fontRegular);
    const int nOldMode = pDC->SetBkMode(TRANSPARENT);
    const COLORREF clrOldText = pDC->GetTextColor();

    // The image column and the frame the visual manager fills as the
    // button's interior.
    const int nMargin = pVisual->GetMenuImageMargin();
    const CSize sizeMenuImage = CSPToolBar::GetMenuImageSize();
    const CRect rectImage(rect.left + nMargin, rect.top, rect.left + 2 * nMargin + sizeMenuImage.cx, rect.bottom);
    CRect rectFrame = rectImage;
    rectFrame.InflateRect(1, 0);
    rectFrame.DeflateRect(0, 1);
    CSPPopupMenu* pPopup = pParentBar != NULL ? DYNAMIC_DOWNCAST(CSPPopupMenu, pParentBar->GetParent()) : NULL;
    const BOOL bRarelyUsed = CSPToolBar::m_bRecentlyUsedMenus && CSPToolBar::IsCommandRarelyUsed(m_nID) &&
                             pPopup != NULL && pPopup->HasParentButton();

    ShowMenuImage();
    CSPUserTool* pUserTool = NULL;
    if (!m_bUserButton && g_pUserToolsManager != NULL) pUserTool = g_pUserToolsManager->FindTool(m_nID);
    const BOOL bImage = m_bImage && IsImageValid() && (pImages != NULL || pUserTool != NULL) && !bNoImage;
    const BOOL bSystemGlyph =
        m_nID == SC_CLOSE || m_nID == SC_MINIMIZE || m_nID == SC_MAXIMIZE || m_nID == SC_RESTORE;
    const BOOL bColumnUsed = bImage || bChecked || bSystemGlyph;

    int state = CSPVisualManager::ButtonsIsRegular;
    if (bHighlight)
        state = CSPVisualManager::ButtonsIsHighlighted;
    else if (m_nStyle & (TBBS_CHECKED | TBBS_PRESSED))
        state = CSPVisualManager::ButtonsIsPressed;
    if (!bCustomizeMode && bColumnUsed) pVisual->OnFillButtonInterior(pDC, this, rectFrame, state);

    // The text area and its highlight; the visual manager may set the
    // text colour for the highlight it drew.
    CRect rectText = rect;
    rectText.left = rectImage.right + nMargin + 2;
    pDC->SetTextColor(bDisabled ? spGlobalData.clrGrayedText : spGlobalData.clrBtnText);
    if (bHighlight) {
        CRect rectFill = rect;
        rectFill.left = bColumnUsed ? rectText.left - 1 : rect.left;
        rectFill.right--;
        pVisual->OnFillHighlightedArea(pDC, this, rectFill,
                                       bDisabled ? &spGlobalData.brBtnFace : &spGlobalData.brHilite);
    }
    const COLORREF clrText = pDC->GetTextColor();

    BOOL bImageDrawn = FALSE;
    if (bImage) {
        CRgn rgnClip;
        rgnClip.CreateRectRgnIndirect(rectImage);
        pDC->SelectClipRgn(&rgnClip, RGN_AND);
        const CSize sizeImage = pImages != NULL ? pImages->GetImageSize() : sizeMenuImage;
        CPoint ptImage(rectImage.left + (rectImage.Width() - sizeImage.cx) / 2,
                       rectImage.top + (rectImage.Height() - sizeImage.cy) / 2);
        if (bChecked) ptImage.Offset(1, 1);
        if (pUserTool != NULL)
            pUserTool->DrawToolIcon(pDC, CRect(ptImage, sizeImage));
        else
            pImages->Draw(pDC, ptImage.x, ptImage.y, GetImage(), FALSE, bDisabled && bGrayDisabledButtons);
        pDC->SelectClipRgn(NULL);
        bImageDrawn = TRUE;
        if (!bCustomizeMode) {
            if (bChecked)
                pVisual->OnDrawButtonBorder(pDC, this, rectFrame, CSPVisualManager::ButtonsIsPressed);
            else if (bHighlight && !bDisabled)
                pVisual->OnDrawButtonBorder(pDC, this, rectFrame, CSPVisualManager::ButtonsIsHighlighted);
        }
    }
    if (!bImageDrawn && !bNoImage) bImageDrawn = DrawFrameMenuImage(m_pWndParent, pDC, this, rectImage);
    if (!bImageDrawn) {
        CRect rectCheck = rectImage;
        rectCheck.DeflateRect(0, 1);
        if (bChecked) {
            if (bHighlight && bRarelyUsed) pDC->FillRect(rectCheck, &spGlobalData.brLight);
            const int nGlyphState = bDisabled ? CSPMenuImages::ImageGray : GlyphStateFor(clrText);
            CSPMenuImages::DrawGlyph(pDC, m_bIsRadio ? _T("h") : _T("a"),
                                     m_bIsRadio ? CSPMenuImages::IdRadio : CSPMenuImages::IdCheck, rectCheck,
                                     clrText, nGlyphState);
            if (!bCustomizeMode) pVisual->OnDrawButtonBorder(pDC, this, rectFrame, CSPVisualManager::ButtonsIsPressed);
        } else if (bSystemGlyph) {
            CRect rectGlyph = rectImage;
            rectGlyph.DeflateRect(nMargin, nMargin);
            static const struct {
                UINT nCmd;
                LPCTSTR lpszMarlett;
                int id;
            } glyphs[] = {{SC_CLOSE, _T("r"), CSPMenuImages::IdClose},
                          {SC_MINIMIZE, _T("0"), CSPMenuImages::IdMinimize},
                          {SC_MAXIMIZE, _T("1"), CSPMenuImages::IdMaximize},
                          {SC_RESTORE, _T("2"), CSPMenuImages::IdRestore}};
            for (const auto& glyph : glyphs)
                if (glyph.nCmd == m_nID)
                    CSPMenuImages::DrawGlyph(pDC, glyph.lpszMarlett, glyph.id, rectGlyph, clrText,
                                             bDisabled ? CSPMenuImages::ImageGray : GlyphStateFor(clrText));
        }
    }

    // The label and, right-aligned, its accelerator.
    CString strLabel = m_strText, strAccel;
    const int iTab = strLabel.Find('\t');
    if (iTab >= 0) {
        strAccel = strLabel.Mid(iTab + 1);
        strLabel = strLabel.Left(iTab);
    }
    CRect rectLabel = rectText;
    rectLabel.left += 3;
    if (!m_bWholeText) {
        // Cut to fit, a character at a time from its end.
        const CString strDots("...");
        while (!strLabel.IsEmpty() &&
               pDC->GetTextExtent(StripMnemonics(strLabel) + strDots).cx > rectLabel.Width())
            strLabel = strLabel.Left(strLabel.GetLength() - 1);
        strLabel += strDots;
    }
    const UINT uiLabelFormat = DT_SINGLELINE | DT_VCENTER;
    const CSize sizeGlyph = CSPMenuImages::Size();
    CRect rectAccel = rectLabel;
    rectAccel.right -= sizeGlyph.cx + 3;
    if (bDisabled && !bHighlight) {
        // Embossed: a light copy one pixel down and right under the grey.
        pDC->SetTextColor(spGlobalData.clrBtnHilite);
        CRect rectShift = rectLabel;
        rectShift.OffsetRect(1, 1);
        pDC->DrawText(strLabel, rectShift, uiLabelFormat);
        if (!strAccel.IsEmpty()) {
            rectShift = rectAccel;
            rectShift.OffsetRect(1, 1);
            pDC->DrawText(strAccel, rectShift, uiLabelFormat | DT_RIGHT);
        }
        pDC->SetTextColor(spGlobalData.clrGrayedText);
    } else {
        pDC->SetTextColor(clrText);
    }
    pDC->DrawText(strLabel, rectLabel, uiLabelFormat);
    if (!strAccel.IsEmpty()) pDC->DrawText(strAccel, rectAccel, uiLabelFormat | DT_RIGHT);

    // A submenu's arrow at the right end.
    if (m_nID == (UINT)-1 || m_bDrawDownArrow || m_bMenuOnly) {
        CRect rectArrow = rect;
        rectArrow.left = rectArrow.right - sizeGlyph.cx - 6;
        const COLORREF clrArrow = bDisabled ? spGlobalData.clrGrayedText : clrText;
        CSPMenuImages::DrawGlyph(pDC, _T("4"), CSPMenuImages::IdArowRight, rectArrow, clrArrow,
                                 bDisabled ? CSPMenuImages::ImageGray : GlyphStateFor(clrArrow));
    }

    pDC->SetTextColor(clrOldText);
    pDC->SetBkMode(nOldMode);
    pDC->SelectObject(pOldFont);
}

int CSPToolbarMenuButton::OnDrawOnCustomizeList(CDC* pDC, const CRect& rect, BOOL bSelected) {
    // The image cell holds the image alone; a menu's arrow goes to the
    // line's end.
    const BOOL bArrow = m_bDrawDownArrow;
    m_bDrawDownArrow = FALSE;
    const int nWidth = CSPToolbarButton::OnDrawOnCustomizeList(pDC, rect, bSelected);
    m_bDrawDownArrow = bArrow;
    if (m_nID != 0 && m_listCommands.IsEmpty()) return nWidth;
    // A menu: its arrow at the right end, a sunken divider before it.
    const CSize sizeGlyph = CSPMenuImages::Size();
    CRect rectArrow = rect;
    rectArrow.left = rectArrow.right - sizeGlyph.cx - 6;
    CSPMenuImages::Draw(pDC, CSPMenuImages::IdArowRight,
                        CPoint(rectArrow.left + (rectArrow.Width() - sizeGlyph.cx) / 2,
                               rectArrow.top + (rectArrow.Height() - sizeGlyph.cy) / 2),
                        bSelected ? CSPMenuImages::ImageWhite : CSPMenuImages::ImageBlack);
    CRect rectDivider(rectArrow.left - 3, rect.top, rectArrow.left - 1, rect.bottom);
    rectDivider.DeflateRect(0, 2);
    pDC->Draw3dRect(rectDivider, spGlobalData.clrBtnShadow, spGlobalData.clrBtnHilite);
    return nWidth;
}
