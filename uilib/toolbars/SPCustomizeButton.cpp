// SPCustomizeButton.cpp - CCustomizeButton: measuring and drawing.
#include "SPCustomizeButton.h"

#include "SPGlobalData.h"
#include "SPMenuImages.h"
#include "SPPopupMenu.h"
#include "SPToolbarComboBoxButton.h"
#include "SPToolBar.h"
#include "SPVisualManager.h"

IMPLEMENT_SERIAL(CCustomizeButton, CSPToolbarMenuButton, VERSIONABLE_SCHEMA | 1)

namespace {

const UINT nIdsMoreButtons = 16026;
const int nInset = 5;

}  // namespace

CCustomizeButton::CCustomizeButton()
    : m_iCustomizeCmdId(0), m_pWndParentToolbar(NULL), m_bIsEmpty(FALSE), m_lstInvisibleButtons(10) {}

CCustomizeButton::CCustomizeButton(int iCustomizeCmdId, const CString& strCustomizeText)
    : m_iCustomizeCmdId(iCustomizeCmdId),
      m_strCustomizeText(strCustomizeText),
      m_pWndParentToolbar(NULL),
      m_bIsEmpty(FALSE),
      m_lstInvisibleButtons(10) {}

void CCustomizeButton::CopyFrom(const CSPToolbarButton& s) {
    CSPToolbarMenuButton::CopyFrom(s);
    const CCustomizeButton* pSrc = DYNAMIC_DOWNCAST(CCustomizeButton, const_cast<CSPToolbarButton*>(&s));
    if (pSrc == NULL) return;
    m_iCustomizeCmdId = pSrc->m_iCustomizeCmdId;
    m_strCustomizeText = pSrc->m_strCustomizeText;
    m_bIsEmpty = pSrc->m_bIsEmpty;
}

void CCustomizeButton::OnChangeParentWnd(CWnd* pWndParent) {
    CSPToolbarButton::OnChangeParentWnd(pWndParent);
    m_pWndParentToolbar = DYNAMIC_DOWNCAST(CSPToolBar, pWndParent);
    m_pWndParent = pWndParent;
    m_bText = FALSE;
    m_bIsEmpty = FALSE;
}

SIZE CCustomizeButton::OnCalculateSize(CDC* /*pDC*/, const CSize& sizeDefault, BOOL bHorz) {
    m_bHorz = bHorz;
    if (m_bIsEmpty) return CSize(0, 0);
    // A floating bar shows every button: no customise button.
    if (m_pWndParentToolbar != NULL && m_pWndParentToolbar->IsFloating()) return CSize(0, 0);
    if (m_strText.IsEmpty()) {
        CSPResourceScope scope;
        m_strText.LoadString(nIdsMoreButtons);
    }
    const CSize sizeGlyph = CSPMenuImages::Size();
    return bHorz ? CSize(sizeGlyph.cx + 9, sizeDefault.cy) : CSize(sizeDefault.cx, sizeGlyph.cy + 9);
}

// Draws the glyph centred in the cell.
static void DrawGlyphIn(CDC* pDC, int id, const CRect& rectCell, int nState, CSize sizeOffset) {
    const CSize sizeGlyph = CSPMenuImages::Size();
    CPoint pt(rectCell.left + (rectCell.Width() - sizeGlyph.cx) / 2, rectCell.top + (rectCell.Height() - sizeGlyph.cy) / 2);
    pt += sizeOffset;
    CSPMenuImages::Draw(pDC, id, pt, nState);
}

void CCustomizeButton::OnDraw(CDC* pDC, const CRect& rect, CSPButtonImages* /*pImages*/, BOOL bHorz,
                              BOOL bCustomizeMode, BOOL bHighlight, BOOL /*bDrawBorder*/, BOOL /*bGrayDisabledButtons*/) {
    if (m_bMenuMode || rect.IsRectEmpty()) return;
    CSPVisualManager* pVisual = CSPVisualManager::GetInstance();
    CRect rectWork = rect;
    if (bHorz)
        rectWork.left += nInset;
    else
        rectWork.top += nInset;
    const BOOL bOpenOrPressed = IsDroppedDown() || (m_nStyle & (TBBS_CHECKED | TBBS_PRESSED));
    pVisual->OnFillButtonInterior(pDC, this, rectWork,
                                  (bHighlight || IsDroppedDown()) ? CSPVisualManager::ButtonsIsHighlighted
                                                                  : CSPVisualManager::ButtonsIsRegular);

    const CSize sizeGlyph = CSPMenuImages::Size();
    const CSize sizeOffset = (bOpenOrPressed && !pVisual->m_bFlatLook) ? CSize(1, 1) : CSize(0, 0);
    if (m_iCustomizeCmdId > 0) {
        CRect rectCell = bHorz ? CRect(rectWork.left, rectWork.bottom - sizeGlyph.cy - 4, rectWork.right, rectWork.bottom)
                               : CRect(rectWork.left, rectWork.top, rectWork.left + sizeGlyph.cx + 4, rectWork.bottom);
        DrawGlyphIn(pDC, bHorz ? CSPMenuImages::IdArowDown : CSPMenuImages::IdArowLeft, rectCell,
                    CSPMenuImages::ImageBlack, sizeOffset);
    }
    if (!m_lstInvisibleButtons.IsEmpty()) {
        CRect rectCell = bHorz ? CRect(rectWork.left, rectWork.top, rectWork.right, rectWork.top + sizeGlyph.cy + 4)
                               : CRect(rectWork.right - sizeGlyph.cx - 4, rectWork.top, rectWork.right, rectWork.bottom);
        DrawGlyphIn(pDC, bHorz ? CSPMenuImages::IdArowShowAll : CSPMenuImages::IdArowShowAllUp, rectCell,
                    CSPMenuImages::ImageBlack, sizeOffset);
    }
    if (bCustomizeMode) return;
    if (bOpenOrPressed)
        pVisual->OnDrawButtonBorder(pDC, this, rectWork, CSPVisualManager::ButtonsIsPressed);
    else if (bHighlight && !(m_nStyle & (TBBS_DISABLED | TBBS_CHECKED | TBBS_INDETERMINATE)))
        pVisual->OnDrawButtonBorder(pDC, this, rectWork, CSPVisualManager::ButtonsIsHighlighted);
}

// The text a hidden button shows in the list: its own, or for a button
// without one (or a combo box, whose text is its content) the command's
// short name from the string resource.
static CString HiddenItemText(const CSPToolbarButton* pButton) {
    CString strText = pButton->m_strText;
    if ((strText.IsEmpty() || pButton->IsKindOf(RUNTIME_CLASS(CSPToolbarComboBoxButton))) && pButton->m_nID != 0) {
        CString strResource;
        if (strResource.LoadString(pButton->m_nID)) {
            const int iFirst = strResource.Find('\n');
            if (iFirst >= 0) {
                strText = strResource.Mid(iFirst + 1);
                const int iNext = strText.Find('\n');
                if (iNext >= 0) strText = strText.Left(iNext);
            }
        }
    }
    return strText;
}

HMENU CCustomizeButton::CreateMenu() const {
    HMENU hMenu = ::CreatePopupMenu();
    if (hMenu == NULL) return NULL;
    int nItems = 0;
    BOOL bPendingSeparator = FALSE;
    for (POSITION pos = m_lstInvisibleButtons.GetHeadPosition(); pos != NULL;) {
        const CSPToolbarButton* pButton = (const CSPToolbarButton*)m_lstInvisibleButtons.GetNext(pos);
        if (pButton == NULL) continue;
        if (pButton->IsSeparator()) {
            // Only between items: none at the top, none at the end.
            bPendingSeparator = nItems > 0;
            continue;
        }
        if (bPendingSeparator) ::AppendMenuA(hMenu, MF_SEPARATOR, 0, NULL);
        bPendingSeparator = FALSE;
        const CSPToolbarMenuButton* pMenuButton = DYNAMIC_DOWNCAST(CSPToolbarMenuButton, const_cast<CSPToolbarButton*>(pButton));
        HMENU hSubMenu = pMenuButton != NULL && !pMenuButton->GetCommands().IsEmpty() ? pMenuButton->CreateMenu() : NULL;
        const CString strText = HiddenItemText(pButton);
        BOOL bAppended;
        if (hSubMenu != NULL) {
            bAppended = ::AppendMenuA(hMenu, MF_POPUP, (UINT_PTR)hSubMenu, strText);
            if (!bAppended) ::DestroyMenu(hSubMenu);
        } else {
            bAppended = ::AppendMenuA(hMenu, MF_STRING, pButton->m_nID, strText);
        }
        if (bAppended) nItems++;
    }
    if (m_iCustomizeCmdId > 0) {
        if (nItems > 0) ::AppendMenuA(hMenu, MF_SEPARATOR, 0, NULL);
        ::AppendMenuA(hMenu, MF_STRING, (UINT)m_iCustomizeCmdId, m_strCustomizeText);
    }
    return hMenu;
}

CSPPopupMenu* CCustomizeButton::CreatePopupMenu() {
    CSPPopupMenu* pPopup = new CSPPopupMenu;
    pPopup->SetShowAllCommands(TRUE);
    if (m_pWndParentToolbar != NULL && m_pWndParentToolbar->GetSafeHwnd() != NULL) {
        CWnd* pTarget = m_pWndParentToolbar->GetOwner();
        if (pTarget == NULL) pTarget = m_pWndParentToolbar->GetParent();
        pPopup->SetMessageWnd(pTarget);
    }
    return pPopup;
}
