// SPShowAllButton.cpp - the chevron line of a personalised popup menu.
#include "SPShowAllButton.h"

#include "SPGlobalData.h"
#include "SPKeyboardManager.h"
#include "SPMenuImages.h"
#include "SPPopupMenu.h"
#include "SPPopupMenuBar.h"
#include "SPToolBar.h"
#include "SPVisualManager.h"

IMPLEMENT_DYNCREATE(CSPShowAllButton, CSPToolbarMenuButton)

namespace {

const UINT nIdsExpand = 16025;

}  // namespace

CSPShowAllButton::CSPShowAllButton() {}

SIZE CSPShowAllButton::OnCalculateSize(CDC* /*pDC*/, const CSize& /*sizeDefault*/, BOOL /*bHorz*/) {
    // The popup bar stretches the line to its own width.
    return CSize(50, CSPMenuImages::Size().cy + 6);
}

void CSPShowAllButton::OnDraw(CDC* pDC, const CRect& rect, CSPButtonImages* /*pImages*/, BOOL /*bHorz*/,
                              BOOL /*bCustomizeMode*/, BOOL bHighlight, BOOL /*bDrawBorder*/,
                              BOOL /*bGrayDisabledButtons*/) {
    CSPVisualManager* pVisual = CSPVisualManager::GetInstance();
    pVisual->OnFillButtonInterior(pDC, this, rect,
                                  bHighlight ? CSPVisualManager::ButtonsIsHighlighted : CSPVisualManager::ButtonsIsRegular);
    const CSize sizeGlyph = CSPMenuImages::Size();
    const CPoint ptGlyph(rect.left + (rect.Width() - sizeGlyph.cx) / 2, rect.top + (rect.Height() - sizeGlyph.cy) / 2);
    CSPMenuImages::Draw(pDC, CSPMenuImages::IdArowShowAll, ptGlyph);

    CRect rectBorder = rect;
    rectBorder.DeflateRect(0, 1);
    if (m_nStyle & (TBBS_CHECKED | TBBS_PRESSED))
        pVisual->OnDrawButtonBorder(pDC, this, rectBorder, CSPVisualManager::ButtonsIsPressed);
    else if (bHighlight)
        pVisual->OnDrawButtonBorder(pDC, this, rectBorder, CSPVisualManager::ButtonsIsHighlighted);
}

BOOL CSPShowAllButton::OnClick(CWnd* pWnd, BOOL bDelay) {
    CSPPopupMenuBar* pBar = DYNAMIC_DOWNCAST(CSPPopupMenuBar, pWnd);
    if (pBar == NULL) return FALSE;
    if (!bDelay) {
        CSPPopupMenu* pPopup = DYNAMIC_DOWNCAST(CSPPopupMenu, pBar->GetParent());
        if (pPopup != NULL) pPopup->ShowAllCommands();
        return TRUE;
    }
    if (CSPToolBar::m_bShowAllMenusAfterDelay) pBar->StartPopupMenuTimer(this, 2);
    return TRUE;
}

BOOL CSPShowAllButton::OpenPopupMenu(CWnd* pWnd) { return OnClick(pWnd, FALSE); }

CString CSPShowAllButton::GetToolTipText() {
    ACCEL accel = {};
    accel.fVirt = FCONTROL | FVIRTKEY;
    accel.key = VK_DOWN;
    CString strKey;
    CSPKeyHelper(&accel).Format(strKey);
    CString strFormat;
    {
        CSPResourceScope scope;
        strFormat.LoadString(nIdsExpand);
    }
    CString strText;
    strText.Format(strFormat, (LPCTSTR)strKey);
    return strText;
}
