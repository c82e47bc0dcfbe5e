// SPMiniFrameWnd.h - CSPMiniFrameWnd: the small floating frame that holds a
// control bar while it is not docked.
//
// Its caption and caption buttons are drawn in the non-client area; the
// caption itself answers HTCLIENT so that the frame drags itself through
// client mouse messages: the window follows the mouse (dock mode 1) or an
// outline is dragged (dock mode 2). Where the drag ends over a dock bar the
// bar docks again. Every frame registers itself with the dock manager of
// the frame it was created for, in the library-wide list of floating
// frames, and enters its bar in the library-wide map of bars by id.
#pragma once
#include "afxwin.h"
#include "afxtempl.h"

#include "SPClientHooks.h"
#include "SPDockDragHelper.h"

class CSPBaseControlBar;
class CSPControlBar;
class CSPDockManager;
class CSPCaptionButton;
class CSPPopupMenu;

// Caption-button flags of a floating frame.
enum SPMiniFrameButtons { SP_CAPTION_BTN_PIN = 1, SP_CAPTION_BTN_CLOSE = 2, SP_CAPTION_BTN_ROLL = 4 };

class CSPMiniFrameWnd : public CWnd, public ISPMiniFrame {
    DECLARE_SERIAL(CSPMiniFrameWnd)

public:
    CSPMiniFrameWnd();
    virtual ~CSPMiniFrameWnd();

    // Every bar inside any floating frame, by control id.
    static CMap<UINT, UINT, HWND, HWND> s_mapBarsById;
    // The windows of all floating frames, in creation order.
    static CList<HWND, HWND>& s_lstMiniFrames;
    // The roll-up check interval, milliseconds.
    static UINT s_nRollUpDelay;
    // The frame a floating frame read from an archive is created for.
    static CFrameWnd* s_pParentWndForSerialize;
    // Posted to a frame whose last bar left it: it hides or destroys itself
    // unless a bar came back in the meantime.
    static const UINT m_nCheckEmptyMessage;
    static const UINT_PTR nDockTimerId = 4;
    static const UINT_PTR nRollUpTimerId = 5;

    // --- operations, in slot order ---------------------------------------------------
    virtual BOOL CheckRollDownCondition();
    virtual BOOL CheckRollUpCondition();
    virtual int GetCaptionHeight() const { return m_nCaptionHeight; }
    virtual void AddControlBar(CSPBaseControlBar* pBar);
    virtual void RemoveControlBar(CSPBaseControlBar* pBar, BOOL bDestroyIfEmpty = TRUE, BOOL bHideOnly = FALSE);
    virtual void ReplaceControlBar(CSPBaseControlBar* pBarOrg, CSPBaseControlBar* pBarReplaceWith);
    virtual CWnd* OnEndDrag(BOOL& bAttached);
    virtual void CheckCaptionVisibility() {}
    virtual BOOL DockToTarget(int nDockState, CSPBaseControlBar* pTarget, DWORD_PTR dwReserved);
    virtual void MoveByOffset(int dx, int dy);
    virtual int GetControlBarCount() const;
    virtual int GetVisibleBarCount() const;
    virtual CWnd* GetControlBar() const;
    virtual CWnd* GetFirstVisibleBar() const;
    virtual void SizeToContent();
    virtual CString GetCaptionText();
    virtual void CalcBorderSize(CRect& rectBorderSize) const;
    virtual CSPControlBar* ControlBarFromPoint(CPoint point, int nSensitivity, BOOL bCheckVisibility);
    virtual void GetCaptionRect(CRect& rectCaption) const;
    virtual void AdjustLayout();
    virtual void RecalcLayout();
    virtual BOOL SaveState(LPCTSTR lpszProfileName = NULL, UINT uiID = (UINT)-1);
    virtual BOOL LoadState(LPCTSTR lpszProfileName = NULL, UINT uiID = (UINT)-1);
    virtual void SetDockState(CSPDockManager* pDockManager);
    virtual LRESULT HitTest(CPoint point, BOOL bDetectCaption);
    virtual void CheckEmbeddedBar();
    virtual BOOL Create(LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd = NULL,
                        CCreateContext* pContext = NULL);
    virtual BOOL CreateEx(DWORD dwStyleEx, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                          CWnd* pParentWnd = NULL, CCreateContext* pContext = NULL);
    virtual void SetDragMode(BOOL bOn);
    virtual void EnterDragMode(HWND hwndOutline = NULL);
    virtual void OnDrawBorder(CDC* pDC);
    virtual void SaveRecentFloatingRect();
    virtual BOOL CanBeClosed() const { return TRUE; }
    virtual void HideMiniFrame();
    virtual int GetDockMode() const;
    virtual CWnd* TryDockControlBar(BOOL& bAttached);
    virtual void CalcMinSize(CSize& sizeBase, MINMAXINFO FAR* lpMMI);
    virtual void OnRollUpTimer();
    virtual void SetRollUpTimer();
    virtual void KillRollUpTimer();

    // --- the library-wide map and list ------------------------------------------------
    static BOOL RegisterBarInGlobalMap(CSPBaseControlBar* pBar, BOOL bAdd);
    static CSPBaseControlBar* FindBarById(UINT nID);
    static void CollectBarsInMiniFrames(CObList& lst, CRuntimeClass* pRTCFilter = NULL);
    static void RedrawAll();

    // --- caption buttons, timers and the rest -----------------------------------------
    void SetCaptionButtons(DWORD dwButtons);
    DWORD GetCaptionButtons() const { return m_dwCaptionButtons; }
    const CObList& GetCaptionButtonList() const { return m_lstCaptionButtons; }
    CSPCaptionButton* FindButton(UINT nHit) const;
    void SetDockTimer(UINT nInterval);
    void KillDockTimer();
    BOOL IsDragging() const { return m_bCaptured; }
    BOOL IsRolledUp() const { return m_bRolledUp; }
    BOOL IsPinned() const { return m_bPinned; }
    void Pin(BOOL bPin) { m_bPinned = bPin; }
    int GetFullHeight() const { return m_nFullHeight; }
    CFrameWnd* GetOwnerFrame() const;
    UINT GetLoadedBarId() const { return m_nLoadedBarId; }
    CSPDockDragHelper& GetDragHelper() { return m_dragHelper; }
    const CRect& GetRecentFloatingRect() const { return m_rectRecentFloatingRect; }

    // The modal loop that drags the frame of a menu just torn off: TRUE
    // when the button is released, FALSE on Escape, a right click, a lost
    // capture or a quit request (posted again), after which frame and bar
    // are gone.
    virtual BOOL TrackTearOff(CSPPopupMenu* pMenu);

    void Serialize(CArchive& ar) override;

    // ISPMiniFrame
    HWND GetOwnerFrameHwnd() const override { return m_hwndOwnerFrame; }
    BOOL HoldsToolBar() const override;

protected:
    BOOL m_bSkipNextMove;
    BOOL m_bActive;
    int m_nCaptionHeight;
    CObList m_lstCaptionButtons;
    DWORD m_dwCaptionButtons;
    CSPBaseControlBar* m_pDockTarget;
    HWND m_hEmbeddedBar;
    BOOL m_bCaptured;
    int m_nDockState;
    CSize m_sizeMinTrack;
    UINT m_nPressedButton;
    UINT m_nHotButton;
    CRect m_rectRedraw;
    UINT_PTR m_nDockTimer;
    UINT_PTR m_nRollUpTimer;
    BOOL m_bRolledUp;
    int m_nFullHeight;
    BOOL m_bPinned;
    CSPDockDragHelper m_dragHelper;
    BOOL m_bHideWhenEmpty;
    HWND m_hwndOwnerFrame;
    HWND m_hwndDragOutline;
    HWND m_hwndRefocus;
    UINT m_nLoadedBarId;
    CRect m_rectRecentFloatingRect;
    BOOL m_bAutoDelete;  // set once the window exists: from then on the window owns the object

    CSPBaseControlBar* GetEmbeddedBar() const;
    CSPControlBar* GetEmbeddedControlBar() const;
    CSPDockManager* GetDockManager() const;
    void ArrangeCaptionButtons();
    void RedrawButton(CSPCaptionButton* pButton);
    void TrackCaptionButtons(CPoint ptScreen);
    void ResetCaptionButtons();
    void EndDrag();
    void CancelDrag();
    static CString GetWindowClassName();

    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    void PostNcDestroy() override;

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnDestroy();
    afx_msg void OnNcDestroy();
    afx_msg void OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS FAR* lpncsp);
    afx_msg void OnNcPaint();
    afx_msg LRESULT OnNcHitTest(CPoint point);
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnNcMouseMove(UINT nHitTest, CPoint point);
    afx_msg void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnCancelMode();
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnMoving(UINT fwSide, LPRECT pRect);
    afx_msg void OnSizing(UINT fwSide, LPRECT pRect);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnGetMinMaxInfo(MINMAXINFO FAR* lpMMI);
    afx_msg void OnWindowPosChanging(WINDOWPOS FAR* lpwndpos);
    afx_msg int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message);
    afx_msg BOOL OnNcActivate(BOOL bActive);
    afx_msg BOOL OnNcCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg LRESULT OnFloatStatus(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam);
    afx_msg void OnContextMenu(CWnd* pWnd, CPoint point);
    afx_msg void OnClose();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    afx_msg void OnExitSizeMove();
    afx_msg LRESULT OnCheckEmptyMiniFrame(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()
};
