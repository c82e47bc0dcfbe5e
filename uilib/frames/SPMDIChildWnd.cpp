#include "SPMDIChildWnd.h"

#include "SPBaseControlBar.h"

IMPLEMENT_DYNCREATE(CSPMDIChildWnd, CMDIChildWnd)

CSPMDIChildWnd::CSPMDIChildWnd() { m_dockManager.SetDockSite(this); }

CSPMDIChildWnd::~CSPMDIChildWnd() {}

BOOL CSPMDIChildWnd::AddControlBar(CSPBaseControlBar* pBar, BOOL bTail) {
    return m_dockManager.AddControlBar(pBar, bTail);
}

BOOL CSPMDIChildWnd::RemoveControlBarFromDockManager(CSPBaseControlBar* pBar, BOOL bDestroy, BOOL bAdjustLayout,
                                              BOOL bAutoHide) {
    return m_dockManager.RemoveControlBar(pBar, bDestroy, bAdjustLayout, bAutoHide);
}

BOOL CSPMDIChildWnd::IsPointNearDockBar(CPoint point, DWORD& dwBarAlignment, BOOL& bOuterEdge) const {
    return m_dockManager.IsPointNearDockBar(point, dwBarAlignment, bOuterEdge);
}

CSPBaseControlBar* CSPMDIChildWnd::ControlBarFromPoint(CPoint point, int nSensitivity, bool bExactBar,
                                                CRuntimeClass* pRTCBarType) const {
    return m_dockManager.ControlBarFromPoint(point, nSensitivity, bExactBar, pRTCBarType);
}

BOOL CSPMDIChildWnd::InsertControlBar(CSPBaseControlBar* pBar, CSPBaseControlBar* pTarget, BOOL bAfter) {
    return m_dockManager.InsertControlBar(pBar, pTarget, bAfter);
}

void CSPMDIChildWnd::DockControlBar(CSPBaseControlBar* pBar, UINT nDockBarID, LPCRECT lpRect) {
    m_dockManager.DockControlBar(pBar, nDockBarID, lpRect);
}

void CSPMDIChildWnd::AdjustDockingLayout(HDWP hdwp) { m_dockManager.AdjustDockingLayout(hdwp); }
