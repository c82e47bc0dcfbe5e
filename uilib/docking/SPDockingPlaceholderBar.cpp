// SPDockingPlaceholderBar.cpp - the stand-in tab of a drag over a tab strip.
#include "SPDockingPlaceholderBar.h"

#include "SPGlobalData.h"

BEGIN_MESSAGE_MAP(CSPDockingPlaceholderBar, CSPDockingControlBar)
    ON_WM_PAINT()
END_MESSAGE_MAP()

CSPDockingPlaceholderBar* CSPDockingPlaceholderBar::Get(CFrameWnd* pFrame) {
    static CSPDockingPlaceholderBar s_bar;
    if (s_bar.GetSafeHwnd() != NULL) return &s_bar;
    if (pFrame == NULL || pFrame->GetSafeHwnd() == NULL) return NULL;
    // A tab window takes no window without an id.
    if (!s_bar.Create(_T(""), pFrame, CRect(0, 0, 1, 1), FALSE, m_nPlaceholderID, WS_CHILD, 0, 0)) return NULL;
    return &s_bar;
}

void CSPDockingPlaceholderBar::OnPaint() {
    CPaintDC dc(this);
    CRect rect;
    GetClientRect(rect);
    dc.FillRect(rect, &spGlobalData.brBtnFace);
}
