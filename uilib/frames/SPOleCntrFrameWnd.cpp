#include "SPOleCntrFrameWnd.h"

#include "SPBaseControlBar.h"

IMPLEMENT_DYNAMIC(CSPOleCntrFrameWnd, COleCntrFrameWnd)

BEGIN_MESSAGE_MAP(CSPOleCntrFrameWnd, CSPDockingFrame<COleCntrFrameWnd>)
    ON_WM_SIZE()
    ON_WM_SIZING()
END_MESSAGE_MAP()

CSPOleCntrFrameWnd::CSPOleCntrFrameWnd(COleIPFrameWnd* pInPlaceFrame) { m_pInPlaceFrame = pInPlaceFrame; }

CSPOleCntrFrameWnd::~CSPOleCntrFrameWnd() {
    // The server's bars leave the container with the activation; the
    // container's own windows stay.
    GetDockManager()->EnableLayout(FALSE);
    CObList lstBars;
    GetDockManager()->GetControlBarList(lstBars, TRUE);
    for (POSITION pos = lstBars.GetHeadPosition(); pos != NULL;) {
        CWnd* pBar = (CWnd*)lstBars.GetNext(pos);
        if (pBar->GetSafeHwnd() != NULL) pBar->DestroyWindow();
    }
}

void CSPOleCntrFrameWnd::RecalcLayout(BOOL bNotify) {
    COleCntrFrameWnd::RecalcLayout(bNotify);
    if (m_hWnd == NULL) return;
    m_Impl.LayOutDockedBars();
    GetDockManager()->AdjustBarsLayout();
    if (GetDockManager()->IsPrintPreviewValid() && SPIsLibraryPreviewView(GetActiveView())) m_Impl.PlaceView(FALSE);
}

void CSPOleCntrFrameWnd::AdjustDockingLayout(HDWP hdwp) {
    if (m_hWnd == NULL) return;
    m_Impl.LayOutDockedBars(hdwp);
    // The container's own view, when it has one of the framework's id.
    if (GetDlgItem(AFX_IDW_PANE_FIRST) != NULL) m_Impl.PlaceView(TRUE);
}

BOOL CSPOleCntrFrameWnd::CanBarsBeTabbed(CWnd*, CWnd*) { return TRUE; }

void CSPOleCntrFrameWnd::OnIdleUpdate(WPARAM wParam, LPARAM lParam) {
    SendMessageToMiniFrames(WM_IDLEUPDATECMDUI, wParam, lParam);
    if (!wParam) return;
    const CObList& lstBars = GetDockManager()->GetControlBarList();
    for (POSITION pos = lstBars.GetHeadPosition(); pos != NULL;) {
        CWnd* pBar = (CWnd*)lstBars.GetNext(pos);
        if (pBar->GetSafeHwnd() != NULL) pBar->SendMessageToDescendants(WM_IDLEUPDATECMDUI, wParam, lParam, TRUE, TRUE);
    }
}

void CSPOleCntrFrameWnd::OnSize(UINT nType, int cx, int cy) {
    COleCntrFrameWnd::OnSize(nType, cx, cy);
    if (nType != SIZE_MINIMIZED) AdjustDockingLayout();
}

void CSPOleCntrFrameWnd::OnSizing(UINT fwSide, LPRECT pRect) {
    Default();
    (void)fwSide;
    // Moving the container leaves the bars where they are.
    if (SPIsSizeChange(this, pRect)) AdjustDockingLayout();
}
