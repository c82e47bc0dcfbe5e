// SPAutoHideButton.cpp - one pinned-away pane's button: its size, drawing
// and the pane's slide.
#include "SPAutoHideButton.h"
#include <algorithm>
using std::max;
using std::min;
#include "SPAutoHideToolBar.h"
#include "SPDockingControlBar.h"
#include "SPDockingUtils.h"
#include "SPGlobalData.h"

IMPLEMENT_DYNCREATE(CSPAutoHideButton, CObject)

int CSPAutoHideButton::m_nBorderSize = 2;
int CSPAutoHideButton::m_nMarginSize = 1;
int CSPAutoHideButton::m_nTextMargin = 10;
int CSPAutoHideButton::m_nTextSizeNoIcon = 20;

CSPAutoHideButton::CSPAutoHideButton()
    : m_rect(0, 0, 0, 0),
      m_bIsActive(FALSE),
      m_dwAlignment(0),
      m_bHighlighted(FALSE),
      m_pParentBar(NULL),
      m_pAutoHideWindow(NULL) {}

CSPAutoHideButton::~CSPAutoHideButton() {}

BOOL CSPAutoHideButton::Create(CSPAutoHideToolBar* pParentBar, CSPDockingControlBar* pAutoHideWnd,
                               DWORD dwAlignment) {
    m_pParentBar = pParentBar;
    m_pAutoHideWindow = pAutoHideWnd;
    m_dwAlignment = dwAlignment & CBRS_ALIGN_ANY;
    if (pAutoHideWnd != NULL) pAutoHideWnd->SetAutoHideParents(pParentBar, this);
    m_rect = CRect(CPoint(0, 0), GetSize());
    m_bHighlighted = TRUE;
    return TRUE;
}

CSize CSPAutoHideButton::GetSize() const {
    const BOOL bHorz = IsHorizontal();
    int cx = m_nBorderSize + 2 * m_nMarginSize;
    int cy = cx;
    if (m_pAutoHideWindow == NULL) return CSize(cx, cy);

    // The text runs along the button: its first value is its length.
    CSize sizeText(0, 0);
    CString strText;
    if (m_pAutoHideWindow->GetSafeHwnd() != NULL) m_pAutoHideWindow->GetWindowText(strText);
    if (m_pParentBar->GetSafeHwnd() != NULL) {
        CWindowDC dc(m_pParentBar);
        CFont* pOld = dc.SelectObject(bHorz ? &spGlobalData.fontRegular : &spGlobalData.fontVert);
        sizeText = dc.GetTextExtent(strText);
        dc.SelectObject(pOld);
    }
    if (m_pParentBar == NULL || m_pParentBar->GetRecentRowIndex() == 0) sizeText.cx = 0;

    HICON hIcon = m_pAutoHideWindow->GetSafeHwnd() != NULL ? m_pAutoHideWindow->GetBarIcon(FALSE) : NULL;
    CSize sizeIcon(0, 0);
    int nExtra = 0;
    if (hIcon != NULL) {
        sizeIcon = spGlobalData.sizeSmallIcon;
        nExtra = sizeText.cx > 0 ? m_nTextMargin + (bHorz ? sizeIcon.cx : sizeIcon.cy) : m_nBorderSize + 1;
    } else {
        nExtra = m_nTextSizeNoIcon + m_nBorderSize;
    }
    if (bHorz) {
        cx += sizeText.cx + nExtra + sizeIcon.cx;
        cy += max(sizeIcon.cy, sizeText.cy);
    } else {
        cx += max(sizeIcon.cx, sizeText.cy);
        cy += sizeText.cx + sizeIcon.cy + nExtra;
    }
    return CSize(cx, cy);
}

void CSPAutoHideButton::Move(int nOffset) {
    if (IsHorizontal())
        m_rect.OffsetRect(nOffset, 0);
    else
        m_rect.OffsetRect(0, nOffset);
}

void CSPAutoHideButton::ShowAttachedWindow(BOOL bShow) {
    if (m_pAutoHideWindow->GetSafeHwnd() == NULL) return;
    const BOOL bVisible = m_pAutoHideWindow->IsWindowVisible();
    if ((bShow && !bVisible) || (!bShow && bVisible)) m_pAutoHideWindow->Slide(bShow, TRUE);
    if (m_pParentBar->GetSafeHwnd() != NULL) m_pParentBar->SetRecentRowIndex(bShow);
}

void CSPAutoHideButton::UnSetAutoHideMode(CSPDockingControlBar* pFirstBarInGroup) {
    if (m_pAutoHideWindow != NULL) m_pAutoHideWindow->UnSetAutoHideMode(pFirstBarInGroup);
}

void CSPAutoHideButton::OnFillBackground(CDC* pDC, CRect rect) { pDC->FillRect(rect, &spGlobalData.brBtnFace); }

void CSPAutoHideButton::OnDrawBorder(CDC* pDC, CRect rectBounds, CRect rectBorderSize) {
    const COLORREF clrOld = pDC->GetTextColor();
    const COLORREF clr = spGlobalData.clrBtnShadow;
    if (rectBorderSize.left > 0)
        pDC->FillSolidRect(rectBounds.left, rectBounds.top, rectBorderSize.left, rectBounds.Height(), clr);
    if (rectBorderSize.top > 0)
        pDC->FillSolidRect(rectBounds.left, rectBounds.top, rectBounds.Width(), rectBorderSize.top, clr);
    if (rectBorderSize.right > 0)
        pDC->FillSolidRect(rectBounds.right - rectBorderSize.right, rectBounds.top, rectBorderSize.right,
                           rectBounds.Height(), clr);
    if (rectBorderSize.bottom > 0)
        pDC->FillSolidRect(rectBounds.left, rectBounds.bottom - rectBorderSize.bottom, rectBounds.Width(),
                           rectBorderSize.bottom, clr);
    pDC->SetTextColor(clrOld);
}

void CSPAutoHideButton::OnDraw(CDC* pDC) {
    CRect rect = m_rect;
    OnFillBackground(pDC, rect);
    // The button's open side faces the frame's client area; the border
    // runs round the other three, turned to the button's side.
    CRect rectBorder(m_nBorderSize, 0, m_nBorderSize, m_nBorderSize);
    switch (m_dwAlignment) {
    case CBRS_ALIGN_TOP: CSPDockingUtils::RotateRect(rectBorder, 180); break;
    case CBRS_ALIGN_LEFT: CSPDockingUtils::RotateRect(rectBorder, 90); break;
    case CBRS_ALIGN_RIGHT: CSPDockingUtils::RotateRect(rectBorder, -90); break;
    default: break;
    }
    OnDrawBorder(pDC, rect, rectBorder);
    rect.DeflateRect(m_nBorderSize + m_nMarginSize, m_nBorderSize + m_nMarginSize);
    if (m_pAutoHideWindow->GetSafeHwnd() == NULL) return;

    const BOOL bHorz = IsHorizontal();
    HICON hIcon = m_pAutoHideWindow->GetBarIcon(FALSE);
    if (hIcon != NULL) {
        const CSize sizeIcon = spGlobalData.sizeSmallIcon;
        ::DrawIconEx(pDC->GetSafeHdc(), rect.left, rect.top, hIcon, sizeIcon.cx, sizeIcon.cy, 0, NULL, DI_NORMAL);
        if (bHorz)
            rect.left += sizeIcon.cx + m_nMarginSize;
        else
            rect.top += sizeIcon.cy + m_nMarginSize;
    } else if (bHorz) {
        rect.left += m_nMarginSize;
    } else {
        rect.top += m_nMarginSize;
    }
    if (m_pParentBar->GetRecentRowIndex() == 0) return;
    CString strText;
    m_pAutoHideWindow->GetWindowText(strText);
    const int nOldMode = pDC->SetBkMode(TRANSPARENT);
    const COLORREF clrOld = pDC->SetTextColor(spGlobalData.clrBtnText);
    CFont* pOldFont = pDC->SelectObject(bHorz ? &spGlobalData.fontRegular : &spGlobalData.fontVert);
    if (bHorz) {
        pDC->DrawText(strText, rect, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    } else {
        // The vertical font turns the text down the button from its top.
        TEXTMETRIC tm;
        pDC->GetTextMetrics(&tm);
        const int x = rect.left + (rect.Width() + tm.tmHeight) / 2;
        pDC->ExtTextOut(x, rect.top, ETO_CLIPPED, rect, strText, NULL);
    }
    pDC->SelectObject(pOldFont);
    pDC->SetTextColor(clrOld);
    pDC->SetBkMode(nOldMode);
}
