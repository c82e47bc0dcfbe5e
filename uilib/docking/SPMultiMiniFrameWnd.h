// SPMultiMiniFrameWnd.h - CSPMultiMiniFrameWnd: the floating frame that holds
// several docking panes at once, split by sliders through its own bar
// container manager.
//
// A pane can be dropped beside a pane under the cursor (DockBarAtCursor),
// another such frame can be dropped into it (DockMiniFrame), and a double
// click on its caption sends every pane back to its recent docked place.
#pragma once
#include "SPBarContainerManager.h"
#include "SPMiniFrameWnd.h"

class CSPDockingControlBar;

class CSPMultiMiniFrameWnd : public CSPMiniFrameWnd {
    DECLARE_SERIAL(CSPMultiMiniFrameWnd)

public:
    CSPMultiMiniFrameWnd();
    virtual ~CSPMultiMiniFrameWnd();

    // --- operations the class adds, in slot order --------------------------------
    // Takes every pane of another multi-bar frame beside the pane under the
    // cursor; FALSE when the panes were taken.
    virtual BOOL DockMiniFrame(CSPMiniFrameWnd* pMiniFrame, int nDockMethod);
    // Puts the bar beside the pane under the cursor; FALSE when it was put.
    virtual BOOL DockBarAtCursor(CSPControlBar* pBar);
    // A pane returning to the frame it last floated in.
    virtual BOOL AddRecentControlBar(CSPControlBar* pBar);
    // Sends one pane back to its recent docked place.
    virtual void RedockControlBar(CSPControlBar* pBar);
    virtual BOOL RegisterControlBar(CSPControlBar* pBar);

    // --- base operations -------------------------------------------------------------
    BOOL CanBeDockedToBar(const CSPDockingControlBar* pPane) const;
    void AddControlBar(CSPBaseControlBar* pBar) override;
    void RemoveControlBar(CSPBaseControlBar* pBar, BOOL bDestroyIfEmpty = TRUE, BOOL bHideOnly = FALSE) override;
    void ReplaceControlBar(CSPBaseControlBar* pBarOrg, CSPBaseControlBar* pBarReplaceWith) override;
    void CheckCaptionVisibility() override;
    CString GetCaptionText() override;
    int GetControlBarCount() const override;
    int GetVisibleBarCount() const override;
    CWnd* GetControlBar() const override;
    CWnd* GetFirstVisibleBar() const override;
    CSPControlBar* ControlBarFromPoint(CPoint point, int nSensitivity, BOOL bCheckVisibility) override;
    void AdjustLayout() override;
    void RecalcLayout() override;
    void SizeToContent() override;
    CWnd* TryDockControlBar(BOOL& bAttached) override;
    // Docks the whole frame: as tabs of the target pane (nDockState 2),
    // beside it (1), or, without a target, on the frame side under the
    // cursor. FALSE when the panes were docked.
    BOOL DockToTarget(int nDockState, CSPBaseControlBar* pTarget, DWORD_PTR dwDockMethod) override;
    // Where a window dragged over this frame would go among its panes;
    // nothing while this frame is the one dragged.
    void CalcDockPreviewRect(CWnd* pDraggedWnd, CPoint pt, CRect& rect, BOOL& bTab, CSPBaseControlBar*& pTarget);
    BOOL SaveState(LPCTSTR lpszProfileName = NULL, UINT uiID = (UINT)-1) override;
    BOOL LoadState(LPCTSTR lpszProfileName = NULL, UINT uiID = (UINT)-1) override;
    void SaveRecentFloatingRect() override;
    void CheckEmbeddedBar() override;
    void Serialize(CArchive& ar) override;
    // Takes in the panes its loaded region names (they have left their
    // places already); a frame whose region holds none goes.
    void SetDockState(CSPDockManager* pDockManager) override;

    // --- helpers of the panes ------------------------------------------------------------
    // Inserts a bar beside a pane of this frame, on the side given.
    BOOL InsertBar(CSPControlBar* pBar, CSPControlBar* pTarget, DWORD dwAlignment);
    // Records the node of this frame's tree that holds the pane.
    void StoreBarDockInfo(CSPControlBar* pBar);
    void OnShowControlBar(CSPControlBar* pBar, BOOL bShow);
    CSPBarContainerManager& GetContainerManager() { return m_barContainerManager; }
    // The pane under the screen point and the side of it the point is
    // nearest to; NULL when none.
    CSPDockingControlBar* PaneAtPoint(CPoint ptScreen, DWORD& dwAlignment);

protected:
    CSPBarContainerManager m_barContainerManager;

    // The bars of the frame, in layout order.
    void GetBars(CObList& lst) const;

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnGetMinMaxInfo(MINMAXINFO FAR* lpMMI);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg LRESULT OnCheckEmptyMiniFrame(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()
};
