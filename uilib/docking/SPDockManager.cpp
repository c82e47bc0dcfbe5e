#include "SPDockManager.h"

#include "SPBaseControlBar.h"

BOOL CSPDockManager::m_bRestoringDockState = FALSE;

CSPDockManager::CSPDockManager() : m_pParentWnd(NULL), m_bAdjustingLayout(FALSE) {}

CSPDockManager::~CSPDockManager() {}

BOOL CSPDockManager::IsBarKnown(const CSPBaseControlBar* pBar) const {
    return pBar != NULL && m_lstControlBars.Find((CObject*)pBar) != NULL;
}

BOOL CSPDockManager::AddControlBar(CSPBaseControlBar* pBar, BOOL bTail, BOOL /*bAutoHide*/,
                                   BOOL /*bInsertForOuterEdge*/) {
    if (pBar == NULL) return FALSE;
    if (IsBarKnown(pBar)) return TRUE;
    if (bTail)
        m_lstControlBars.AddTail(pBar);
    else
        m_lstControlBars.AddHead(pBar);
    return TRUE;
}

BOOL CSPDockManager::InsertControlBar(CSPBaseControlBar* pBar, CSPBaseControlBar* pTarget, BOOL bAfter) {
    if (pBar == NULL) return FALSE;
    POSITION posOld = m_lstControlBars.Find(pBar);
    if (posOld != NULL) m_lstControlBars.RemoveAt(posOld);
    POSITION posTarget = pTarget != NULL && pTarget != pBar ? m_lstControlBars.Find(pTarget) : NULL;
    if (posTarget == NULL)
        m_lstControlBars.AddTail(pBar);
    else if (bAfter)
        m_lstControlBars.InsertAfter(posTarget, pBar);
    else
        m_lstControlBars.InsertBefore(posTarget, pBar);
    return TRUE;
}

BOOL CSPDockManager::RemoveControlBar(CSPBaseControlBar* pBar, BOOL bDestroy, BOOL bAdjustLayout,
                                      BOOL /*bAutoHide*/) {
    if (pBar == NULL) return FALSE;
    POSITION pos = m_lstControlBars.Find(pBar);
    if (pos != NULL) m_lstControlBars.RemoveAt(pos);
    if (bDestroy && pBar->GetSafeHwnd() != NULL) pBar->DestroyWindow();
    if (bAdjustLayout) AdjustDockingLayout();
    return pos != NULL;
}

CSPBaseControlBar* CSPDockManager::ControlBarFromPoint(CPoint point, int nSensitivity, bool bExactBar,
                                                       CRuntimeClass* pRTCBarType, BOOL bVisibleOnly,
                                                       const CSPBaseControlBar* pBarToIgnore) const {
    for (POSITION pos = m_lstControlBars.GetHeadPosition(); pos != NULL;) {
        CSPBaseControlBar* pBar = (CSPBaseControlBar*)m_lstControlBars.GetNext(pos);
        if (pBar == pBarToIgnore || pBar->GetSafeHwnd() == NULL) continue;
        if (bVisibleOnly && (pBar->GetStyle() & WS_VISIBLE) == 0) continue;
        if (pRTCBarType != NULL && !pBar->IsKindOf(pRTCBarType)) continue;
        CRect rect;
        pBar->GetWindowRect(rect);
        if (!bExactBar) rect.InflateRect(nSensitivity, nSensitivity);
        if (rect.PtInRect(point)) return pBar;
    }
    return NULL;
}

BOOL CSPDockManager::IsPointNearDockBar(CPoint /*point*/, DWORD& dwBarAlignment, BOOL& bOuterEdge) const {
    dwBarAlignment = 0;
    bOuterEdge = FALSE;
    return FALSE;
}

void CSPDockManager::DockControlBar(CSPBaseControlBar* pBar, UINT /*nDockBarID*/, LPCRECT /*lpRect*/) {
    AddControlBar(pBar);
}

void CSPDockManager::AdjustDockingLayout(HDWP /*hdwp*/) {
    // A layout pass may send messages that ask for another one.
    if (m_bAdjustingLayout || m_pParentWnd->GetSafeHwnd() == NULL) return;
    m_bAdjustingLayout = TRUE;
    m_bAdjustingLayout = FALSE;
}
