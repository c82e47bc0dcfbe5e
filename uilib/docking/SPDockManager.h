// SPDockManager.h - CSPDockManager: the docking services of one library
// frame. Every library frame embeds one and hands its docking requests to
// it. So far it keeps the frame's list of bars (in the order the frame gave
// them) and finds bars by point; dock bars and the layout pass join it later.
#pragma once
#include "afxwin.h"
#include "afxframe.h"
#include "afxcoll.h"

class CSPBaseControlBar;

class CSPDockManager : public CObject {
public:
    CSPDockManager();
    virtual ~CSPDockManager();

    // Set by the dock manager while it applies a loaded docking state; bars
    // then report the visibility they had when the state was saved.
    static BOOL m_bRestoringDockState;

    void SetDockSite(CFrameWnd* pFrame) { m_pParentWnd = pFrame; }
    CFrameWnd* GetDockSite() const { return m_pParentWnd; }

    // A bar joins the list once; bTail adds it behind the others, else in
    // front. TRUE when the bar is in the list afterwards.
    BOOL AddControlBar(CSPBaseControlBar* pBar, BOOL bTail = TRUE, BOOL bAutoHide = FALSE,
                       BOOL bInsertForOuterEdge = FALSE);
    // Puts the bar before or after the target; a target that is not in the
    // list puts it at the tail. FALSE for a NULL bar.
    BOOL InsertControlBar(CSPBaseControlBar* pBar, CSPBaseControlBar* pTarget, BOOL bAfter = TRUE);
    // Takes the bar out of the list; bDestroy destroys its window, and
    // bAdjustLayout runs the layout pass afterwards. TRUE when the bar was in
    // the list.
    BOOL RemoveControlBar(CSPBaseControlBar* pBar, BOOL bDestroy = FALSE, BOOL bAdjustLayout = FALSE,
                          BOOL bAutoHide = FALSE);
    // The first listed bar whose window holds the point (widened by
    // nSensitivity unless bExactBar), of class pRTCBarType when one is given,
    // with WS_VISIBLE when bVisibleOnly, and not pBarToIgnore. NULL when none.
    CSPBaseControlBar* ControlBarFromPoint(CPoint point, int nSensitivity, bool bExactBar = false,
                                           CRuntimeClass* pRTCBarType = NULL, BOOL bVisibleOnly = FALSE,
                                           const CSPBaseControlBar* pBarToIgnore = NULL) const;
    // The dock-bar hit test: FALSE while the frame has no dock bars.
    BOOL IsPointNearDockBar(CPoint point, DWORD& dwBarAlignment, BOOL& bOuterEdge) const;
    // Docks the bar on the side given by a dock bar id; with no dock bars
    // yet the bar only joins the list.
    void DockControlBar(CSPBaseControlBar* pBar, UINT nDockBarID = 0, LPCRECT lpRect = NULL);
    // The layout pass of the docked bars.
    void AdjustDockingLayout(HDWP hdwp = NULL);

    BOOL IsBarKnown(const CSPBaseControlBar* pBar) const;
    const CObList& GetControlBarList() const { return m_lstControlBars; }

protected:
    CFrameWnd* m_pParentWnd;
    CObList m_lstControlBars;
    BOOL m_bAdjustingLayout;
};
