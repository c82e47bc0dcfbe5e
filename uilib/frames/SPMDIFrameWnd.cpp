#include "SPMDIFrameWnd.h"

#include "SPBaseControlBar.h"

IMPLEMENT_DYNCREATE(CSPMDIFrameWnd, CMDIFrameWnd)

CSPMDIFrameWnd::CSPMDIFrameWnd() : m_uiDefaultAccelResId(0) { m_dockManager.SetDockSite(this); }

CSPMDIFrameWnd::~CSPMDIFrameWnd() {}

BOOL CSPMDIFrameWnd::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd, CCreateContext* pContext) {
    // A failed load has deleted the frame: nothing of it may be touched then.
    if (!CMDIFrameWnd::LoadFrame(nIDResource, dwDefaultStyle, pParentWnd, pContext)) return FALSE;
    m_uiDefaultAccelResId = m_hAccelTable != NULL ? nIDResource : 0;
    return TRUE;
}

BOOL CSPMDIFrameWnd::AddControlBar(CSPBaseControlBar* pBar, BOOL bTail) {
    return m_dockManager.AddControlBar(pBar, bTail, FALSE, FALSE);
}

BOOL CSPMDIFrameWnd::RemoveControlBarFromDockManager(CSPBaseControlBar* pBar, BOOL bDestroy, BOOL bAdjustLayout,
                                              BOOL bAutoHide) {
    return m_dockManager.RemoveControlBar(pBar, bDestroy, bAdjustLayout, bAutoHide);
}

BOOL CSPMDIFrameWnd::IsPointNearDockBar(CPoint point, DWORD& dwBarAlignment, BOOL& bOuterEdge) const {
    return m_dockManager.IsPointNearDockBar(point, dwBarAlignment, bOuterEdge);
}

CSPBaseControlBar* CSPMDIFrameWnd::ControlBarFromPoint(CPoint point, int nSensitivity, bool bExactBar,
                                                CRuntimeClass* pRTCBarType) const {
    return m_dockManager.ControlBarFromPoint(point, nSensitivity, bExactBar, pRTCBarType);
}

BOOL CSPMDIFrameWnd::InsertControlBar(CSPBaseControlBar* pBar, CSPBaseControlBar* pTarget, BOOL bAfter) {
    return m_dockManager.InsertControlBar(pBar, pTarget, bAfter);
}

void CSPMDIFrameWnd::DockControlBar(CSPBaseControlBar* pBar, UINT nDockBarID, LPCRECT lpRect) {
    m_dockManager.DockControlBar(pBar, nDockBarID, lpRect);
}

void CSPMDIFrameWnd::AdjustDockingLayout(HDWP hdwp) { m_dockManager.AdjustDockingLayout(hdwp); }
