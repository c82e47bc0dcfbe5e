// SPDockingControlBar.h - CSPDockingControlBar: the resizable docking pane.
//
// A control bar with a caption drawn in its non-client area and two caption
// buttons (close and the auto-hide pin) with tooltips. Docked, it belongs to
// the region of a default slider on a frame side and shares it with other
// panes through sliders; floating, it sits in a mini frame (several panes
// share a multi-bar mini frame when the pane was made with the multi-bar
// style). It remembers where it was docked and floated and goes back there.
#pragma once
#include "SPCaptionButton.h"
#include "SPControlBar.h"

class CSPAutoHideButton;
class CSPAutoHideToolBar;
class CSPBarContainerManager;
class CSPBaseTabbedBar;
class CSPSlider;

// Control bar style bit: the pane floats in a multi-bar mini frame.
#define SP_CBRS_FLOAT_MULTI 0x40

class CSPDockingControlBar : public CSPControlBar {
    DECLARE_DYNCREATE(CSPDockingControlBar)

public:
    CSPDockingControlBar();
    virtual ~CSPDockingControlBar();

    // Caption button hit codes.
    static const UINT nHitClose = 19;
    static const UINT nHitPin = 9;
    static const int m_nCaptionBorder = 2;
    static const int m_nCaptionGap = 2;
    // Buttons that cannot act are not shown at all.
    static BOOL m_bHideDisabledButtons;
    // Within this distance of a pane's edge a dragged pane docks beside it.
    static int m_nDockSensitivity;
    // What the pointer must travel before a press on the caption drags.
    static CSize m_sizeDragThreshold;

    // Auto-hide timing, class-wide: the period of the check that slides an
    // unused pane back in, the period of the slide steps and their number;
    // with animation off a timed slide is one step. Tests set them.
    static int m_nTimeOutBeforeAutoHide;
    static int m_nSlideDefaultTimeOut;
    static int m_nSlideSteps;
    static BOOL m_bDisableAnimation;
    // 1: a pinned-away pane moves in and out from behind the frame edge;
    // 2: it grows and shrinks. Copied into each new pane.
    static int m_nSlideModeDefault;
    // TRUE: an auto-hidden pane counts as visible while its button shows.
    static BOOL m_bHideInAutoHideModeDefault;
    // Timer ids of the pane: sliding in, sliding out, the check.
    static constexpr UINT nTimerSlideIn = 1;
    static constexpr UINT nTimerSlideOut = 2;
    static constexpr UINT nTimerCheck = 3;

    // --- operations the class adds, in slot order --------------------------------
    virtual BOOL Create(LPCTSTR lpszCaption, CWnd* pParentWnd, const CSize& size, BOOL bHasGripper, UINT nID,
                        DWORD dwStyle, DWORD dwTabbedStyle = 0x20,
                        DWORD dwSPBarStyle = SPCBRS_FLOAT | SPCBRS_AUTOHIDE | SPCBRS_RESIZE | SPCBRS_CLOSE);
    virtual BOOL Create(LPCTSTR lpszCaption, CWnd* pParentWnd, const RECT& rect, BOOL bHasGripper, UINT nID,
                        DWORD dwStyle, DWORD dwTabbedStyle = 0x20,
                        DWORD dwSPBarStyle = SPCBRS_FLOAT | SPCBRS_AUTOHIDE | SPCBRS_RESIZE | SPCBRS_CLOSE,
                        CCreateContext* pContext = NULL);
    virtual BOOL CreateEx(DWORD dwStyleEx, LPCTSTR lpszCaption, CWnd* pParentWnd, const RECT& rect,
                          BOOL bHasGripper, UINT nID, DWORD dwStyle, DWORD dwTabbedStyle, DWORD dwSPBarStyle,
                          CCreateContext* pContext = NULL);
    virtual void GetTabArea(CRect& rectTop, CRect& rectBottom) const {
        rectTop.SetRectEmpty();
        rectBottom.SetRectEmpty();
    }
    virtual BOOL IsTabLocationBottom() const { return TRUE; }
    // A caption button's hit code, HTCLIENT, HTCAPTION (with bDetectCaption)
    // or -2 for nothing; 0 outside the window.
    virtual int HitTest(CPoint ptScreen, BOOL bDetectCaption = FALSE);
    virtual BOOL CanAcceptMiniFrame(CSPMiniFrameWnd* pMiniFrame) const;
    virtual BOOL IsAutoHideMode() const { return m_bAutoHideMode; }
    // 3 (attach as a tab), 2 (dock beside the pane) or 0 (nothing).
    virtual int GetDockingStatus(CPoint ptScreen, int nSensitivity);
    // Docked panes go back to the slider they last belonged to.
    virtual BOOL DockToRecentSlider();
    // Docks every pane of another region beside this one.
    virtual BOOL DockContainer(CSPBarContainerManager& manager, DWORD dwAlignment, int nDockMethod);
    virtual BOOL ReservedPaneQuery() { return TRUE; }
    // Makes this pane a tab of the target: the target's tabbed bar, or a
    // new one that takes the target's place. The tabbed bar, NULL when the
    // panes cannot be tabbed.
    virtual CSPBaseTabbedBar* AttachToTabWnd(CSPDockingControlBar* pTabControlBarAttachTo, int nDockMethod,
                                             BOOL bSetActive = TRUE, CSPBaseTabbedBar** ppTabbedControlBar = NULL);
    virtual CSPBaseTabbedBar* CreateTabbedControlBar();
    // Pins the pane away on the side (bMode TRUE; the toolbar holding its
    // button is the answer) or puts it, with its group, back (FALSE).
    virtual CSPAutoHideToolBar* SetAutoHideMode(BOOL bMode, DWORD dwAlignment,
                                                CSPAutoHideToolBar* pCurrAutoHideBar = NULL, BOOL bUseTimer = TRUE);
    // Leaves auto-hide mode: back to the recent place, or as a tab of the
    // group's first pane.
    virtual void UnSetAutoHideMode(CSPDockingControlBar* pFirstBarInGroup);
    virtual void Slide(BOOL bSlideOut, BOOL bUseTimer = TRUE);
    virtual BOOL IsHideInAutoHideMode() const { return m_bHideInAutoHideMode; }
    virtual BOOL IsNotHiding() const { return !(m_bIsSliding && m_bIsHiding); }
    virtual int GetSlideMode() const { return m_nSlideMode; }
    // A tab records its place relative to its tabbed bar.
    virtual void StoreRecentTabRelatedInfo();
    virtual void OnPressCloseButton();
    virtual void DrawCaption(CDC* pDC, CRect rectCaption);
    virtual BOOL CheckAutoHideCondition();
    virtual BOOL CheckStopSlideCondition(BOOL bDirection);
    virtual void OnSlide(BOOL bSlideOut);

    // --- base operations ---------------------------------------------------------------
    BOOL PreTranslateMessage(MSG* pMsg) override;
    BOOL CanBeTabbed() const override { return TRUE; }
    BOOL IsDocked() const override;
    BOOL IsInMultiMiniFrame() const override;
    BOOL IsVisible() const override;
    void ShowCaption(BOOL bShow) override;
    BOOL DockToFrameSide() override;
    void OnBeforeChangeParent(CWnd* pWndNewParent, BOOL bDelay = FALSE) override;
    void OnAfterChangeParent(CWnd* pWndOldParent) override;
    BOOL ShowControlBar(BOOL bShow, BOOL bDelay, BOOL bActivate) override;
    void UnDockControlBar(BOOL bDelay = FALSE) override;
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;
    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    BOOL DockControlBar(CSPBaseControlBar* pDockBar, LPCRECT lpRect, int nDockMethod) override;
    CSPBaseControlBar* DockOnDrag(BOOL& bHandled) override;
    void OnAfterDock(CSPBaseControlBar* pDockBar, LPCRECT lpRect, int nDockMethod) override;
    void StoreRecentDockInfo() override;
    CSPMiniFrameWnd* CreateDefaultMiniFrame(CRect rectInitial) override;
    void Serialize(CArchive& ar) override;
    BOOL CanDockToFrame() const override { return TRUE; }
    BOOL CanAcceptBar(const CSPBaseControlBar* pBar) const override;
    int GetCaptionHeight() const override;
    void StartTrackingFromCursor() override {}
    void GetVisualInfo(SPBarInfo& info) override;

    using CSPControlBar::Create;
    using CSPControlBar::CreateEx;

    // --- the default slider ----------------------------------------------------------
    CSPSlider* GetDefaultSlider() const;
    void SetDefaultSlider(HWND hSlider);
    // A default slider for the side of the frame, listed nowhere yet.
    static CSPSlider* CreateDefaultSlider(DWORD dwAlignment, CWnd* pFrame, CRuntimeClass* pSliderRTC = NULL);
    // Docks the pane on a frame side in a region of its own.
    BOOL DockToFrameSide(DWORD dwAlignment, BOOL bOuterEdge = FALSE);
    // Docks the pane beside a docked pane, on the given side of it.
    BOOL DockBeside(CSPDockingControlBar* pTarget, DWORD dwAlignment);
    // The new bar takes this pane's place in its region (slider or
    // floating frame); FALSE when the pane holds none.
    BOOL ReplaceInRegion(CSPDockingControlBar* pNewBar);
    // The tabbed bar whose tab this pane is, NULL when none.
    CSPBaseTabbedBar* GetParentTabbedBar() const;

    // --- auto-hide ---------------------------------------------------------------------
    void SetAutoHideParents(CSPAutoHideToolBar* pToolBar, CSPAutoHideButton* pBtn) {
        m_pAutoHideBar = pToolBar;
        m_pAutoHideButton = pBtn;
    }
    CSPAutoHideToolBar* GetAutoHideToolBar() const { return m_pAutoHideBar; }
    CSPAutoHideButton* GetAutoHideButton() const { return m_pAutoHideButton; }
    void SetKeepShown(BOOL bKeepShown) { m_bKeepShown = bKeepShown; }
    BOOL IsSliding() const { return m_bIsSliding; }
    const CRect& GetExpandedRect() const { return m_rectRestored; }
    void SetSlideMode(int nMode) { m_nSlideMode = nMode; }
    int GetSlideStep() const { return m_nSlideStep; }
    UINT GetSlideTimer() const { return m_nSlideTimer; }
    UINT GetCheckTimer() const { return m_nAutoHideTimer; }
    // The slider a loaded docking state gave the pane, until it is applied.
    HWND GetRestoredSlider() const { return m_hRestoredDefaultSlider; }
    void SetRestoredSlider(HWND hSlider) { m_hRestoredDefaultSlider = hSlider; }
    CRuntimeClass* GetTabbedControlBarClass() const { return m_pTabbedControlBarRTC; }

    // --- attributes ----------------------------------------------------------------
    static void SetCaptionStyle(BOOL /*bDrawText*/, BOOL /*bForceGradient*/, BOOL bHideDisabledButtons) {
        m_bHideDisabledButtons = bHideDisabledButtons;
    }
    BOOL HasCaption() const { return m_bHasGripper; }
    BOOL IsCaptionActive() const { return m_bActive; }
    CSPCaptionButton& GetCloseButton() { return m_btnClose; }
    CSPCaptionButton& GetPinButton() { return m_btnPin; }
    CRuntimeClass* GetMiniFrameClass() const { return m_pMiniFrameRTC; }
    int GetPlacementWeight() const { return m_nPlacementWeight; }
    void SetPlacementWeight(int nWeight) { m_nPlacementWeight = nWeight; }
    BOOL IsDragPending() const { return m_bPrepareToFloat; }
    CToolTipCtrl& GetToolTip() { return m_wndToolTip; }

protected:
    BOOL m_bPrepareToFloat;
    BOOL m_bReadyToFloat;
    int m_nCaptionHeight;
    BOOL m_bHasGripper;
    BOOL m_bActive;
    CRect m_rectRedraw;
    int m_nPlacementWeight;
    BOOL m_bAutoHideMode;
    BOOL m_bHideInAutoHideMode;
    UINT m_nAutoHideTimer;
    UINT m_nSlideTimer;
    int m_nSlideStepCount;
    int m_nSlideStep;
    CRect m_rectRestored;
    BOOL m_bIsSliding;
    BOOL m_bKeepShown;
    BOOL m_bIsHiding;
    int m_nSlideMode;
    CSPAutoHideButton* m_pAutoHideButton;
    CSPAutoHideToolBar* m_pAutoHideBar;
    CRuntimeClass* m_pTabbedControlBarRTC;
    HWND m_hRestoredDefaultSlider;
    CSPCaptionButton m_btnClose;
    CSPCaptionButton m_btnPin;
    CRuntimeClass* m_pMiniFrameRTC;
    HWND m_hDefaultSlider;
    UINT m_nHotButton;
    UINT m_nPressedButton;
    CToolTipCtrl m_wndToolTip;

    CSPCaptionButton* FindButton(UINT nHit);
    CRect ButtonRect(const CSPCaptionButton& button) const;
    BOOL IsPinAllowed() const;
    void RedrawButton(CSPCaptionButton* pButton);
    void UpdateHotButton(CPoint ptScreen);
    void ReleaseButtons();
    void UpdateToolTips();
    // The recent placement's way back into a floating multi-bar frame.
    BOOL ReturnToMultiMiniFrame();

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS FAR* lpncsp);
    afx_msg void OnNcPaint();
    afx_msg LRESULT OnNcHitTest(CPoint point);
    afx_msg void OnPaint();
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnRButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnNcLButtonDown(UINT nHitTest, CPoint point);
    afx_msg void OnNcMouseMove(UINT nHitTest, CPoint point);
    afx_msg void OnClose();
    afx_msg void OnDestroy();
    afx_msg void OnCancelMode();
    afx_msg LRESULT OnSetText(WPARAM wParam, LPARAM lParam);
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    // The pane's and its slider's rectangles in the dock site's client
    // coordinates.
    void GetSlideRects(CRect& rectPane, CRect& rectSlider) const;
    // The rectangle of the auto-hide toolbar's dock bar, in the same.
    CRect GetAutoHideDockBarRect() const;
    DECLARE_MESSAGE_MAP()
};
