#include "SPFrameWnd.h"

#include "SPBaseControlBar.h"
#include "SPMDIFrameWnd.h"

IMPLEMENT_DYNCREATE(CSPFrameWnd, CFrameWnd)

CSPFrameWnd::CSPFrameWnd() : m_uiDefaultAccelResId(0) { m_dockManager.SetDockSite(this); }

CSPFrameWnd::~CSPFrameWnd() {}

BOOL CSPFrameWnd::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd, CCreateContext* pContext) {
    // A failed load has deleted the frame: nothing of it may be touched then.
    if (!CFrameWnd::LoadFrame(nIDResource, dwDefaultStyle, pParentWnd, pContext)) return FALSE;
    m_uiDefaultAccelResId = m_hAccelTable != NULL ? nIDResource : 0;
    return TRUE;
}

BOOL CSPFrameWnd::AddControlBar(CSPBaseControlBar* pBar, BOOL bTail) {
    return m_dockManager.AddControlBar(pBar, bTail);
}

BOOL CSPFrameWnd::RemoveControlBarFromDockManager(CSPBaseControlBar* pBar, BOOL bDestroy, BOOL bAdjustLayout,
                                              BOOL bAutoHide) {
    return m_dockManager.RemoveControlBar(pBar, bDestroy, bAdjustLayout, bAutoHide);
}

BOOL CSPFrameWnd::IsPointNearDockBar(CPoint point, DWORD& dwBarAlignment, BOOL& bOuterEdge) const {
    return m_dockManager.IsPointNearDockBar(point, dwBarAlignment, bOuterEdge);
}

CSPBaseControlBar* CSPFrameWnd::ControlBarFromPoint(CPoint point, int nSensitivity, bool bExactBar,
                                                CRuntimeClass* pRTCBarType) const {
    return m_dockManager.ControlBarFromPoint(point, nSensitivity, bExactBar, pRTCBarType);
}

BOOL CSPFrameWnd::InsertControlBar(CSPBaseControlBar* pBar, CSPBaseControlBar* pTarget, BOOL bAfter) {
    return m_dockManager.InsertControlBar(pBar, pTarget, bAfter);
}

void CSPFrameWnd::DockControlBar(CSPBaseControlBar* pBar, UINT nDockBarID, LPCRECT lpRect) {
    m_dockManager.DockControlBar(pBar, nDockBarID, lpRect);
}

void CSPFrameWnd::AdjustDockingLayout(HDWP hdwp) { m_dockManager.AdjustDockingLayout(hdwp); }
