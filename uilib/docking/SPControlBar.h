// SPControlBar.h - CSPControlBar: the movable bar of the UI library, the base
// of docking panes, toolbars, status and caption bars.
//
// Beside the base bar it has its own window class, inside borders and a
// gripper, mouse tracking, stretching inside a row, an exclusive-row mode,
// a context menu, and the record of its last docked and floating places
// that it saves in the registry under "SControlBars".
#pragma once
#include "SPBaseControlBar.h"
#include "SPRecentDockInfo.h"

class CSPDockManager;

class CSPControlBar : public CSPBaseControlBar {
    DECLARE_DYNAMIC(CSPControlBar)

public:
    CSPControlBar();
    virtual ~CSPControlBar();

    // The registry section of the control bars' placement.
    static LPCTSTR const m_lpszSection;

    // --- operations the class adds, in slot order ------------------------------
    virtual BOOL IsDragMode() const { return m_bDragMode; }
    virtual void GetMinSize(CSize& size) const { size = CSize(1, 1); }
    virtual int GetResizeStep() const;
    virtual int GetFirstResizeLimit() const { return -1; }
    virtual int CalcAvailableExpandSize() const;
    virtual int CalcAvailableShrinkSize() const;
    virtual BOOL AllowsSiblingBars() const { return !m_bExclusiveRow; }
    virtual void SetBarOption(BOOL bOption) { m_bOption3 = bOption; }
    virtual void SetExclusiveRowMode(BOOL bExclusive = TRUE) { m_bExclusiveRow = bExclusive; }
    virtual BOOL GetExclusiveRowMode() const { return m_bExclusiveRow; }
    // The dock bar becomes the bar's parent and side; the bar loses its
    // floating style and gains all four borders.
    virtual void AttachToDockBar(CSPDockBar* pDockBar, BOOL bDelay);
    // Docks into the row under the cursor.
    virtual BOOL DockByMouse(CSPBaseControlBar* pDockBar);
    virtual CSize CalcDefaultSize(int /*nArg*/) { return CSize(0, 0); }
    // The bar to float at the end of an outline drag; bHandled TRUE when the
    // bar took care of the drop itself.
    virtual CSPBaseControlBar* DockOnDrag(BOOL& bHandled) {
        bHandled = FALSE;
        return this;
    }
    virtual CSize ResizeToRect(CRect rectNew, bool bKeepPosition = false);
    virtual int StretchControlBar(int nStretchSize, HDWP& hdwp);
    // TRUE when the bar should change its docking state at the cursor: it
    // was dragged out of its dock bar, or it floats near one (pTarget).
    virtual BOOL GetDockTargetAtCursor(int nSensitivity, CSPDockBar*& pTarget);
    // After a state load: the saved visibility, and for a docked bar its
    // saved side and place.
    virtual void ApplyLoadedDockState(CSPDockManager* pDockManager);
    virtual BOOL StopTracking();
    virtual BOOL OnBeforeFloat(CRect& /*rectFloat*/, int /*nDockMethod*/) { return TRUE; }
    virtual void OnAfterFloat();
    virtual BOOL Create(LPCTSTR lpszClassName, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID,
                        DWORD dwSPBarStyle = SPCBRS_FLOAT, CCreateContext* pContext = NULL);
    virtual BOOL CreateEx(DWORD dwStyleEx, LPCTSTR lpszClassName, DWORD dwStyle, const RECT& rect,
                          CWnd* pParentWnd, UINT nID, DWORD dwSPBarStyle = SPCBRS_FLOAT,
                          CCreateContext* pContext = NULL);
    // The size that keeps the minimum when the bar is pulled to the point.
    virtual CSize CalcSizeForPoint(CPoint ptScreen, CSize sizeMin, CSize sizeOffsets);
    virtual void AdjustSize();
    virtual void StartTrackingFromCursor() { StartTracking(FALSE); }
    virtual void DrawDragRectangle(CPoint /*pt*/, BOOL /*bErase*/) {}
    virtual BOOL OnBeforeDock(CSPBaseControlBar** /*ppDockBar*/, LPCRECT /*lpRect*/, int /*nDockMethod*/);
    virtual void OnAfterDock(CSPBaseControlBar* /*pDockBar*/, LPCRECT /*lpRect*/, int /*nDockMethod*/) {}
    virtual void OnBeforeStretch(CSize& /*sizeDelta*/) {}
    virtual void OnAfterStretch(CSize /*sizeDelta*/) {}
    // Moves the bar into another parent window.
    virtual void ChangeParent(CWnd* pNewParent, BOOL bDelay = FALSE);
    virtual void SetDragMode(BOOL bDragMode) { m_bDragMode = bDragMode; }
    virtual BOOL DockToDockBar(CSPDockBar* pDockBar, LPCRECT lpRect, int nDockMethod);
    virtual void StartTracking(BOOL bFromCurrentPosition);
    virtual void StoreRecentDockInfo();

    // --- base operations it answers itself -------------------------------------
    BOOL IsTabbed() const override;
    void RecalcLayout() override;
    void OnAfterChangeParent(CWnd* pWndOldParent) override;
    BOOL CanDockToFrame() const override { return FALSE; }
    BOOL CanBeDocked(CSPBaseControlBar* pDockBar) const override;
    BOOL DockControlBar(CSPBaseControlBar* pDockBar, LPCRECT lpRect, int nDockMethod) override;
    BOOL FloatControlBar(CRect rectFloat, int nDockMethod = SP_DM_RECT, bool bShow = true) override;
    // A floating frame for the bar, owned by the bar's frame; NULL when
    // none can be made.
    CSPMiniFrameWnd* CreateDefaultMiniFrame(CRect rectInitial) override;
    void OnBeforeChangeParent(CWnd* pWndNewParent, BOOL bDelay = FALSE) override;
    void UnDockControlBar(BOOL bDelay = FALSE) override;
    BOOL LoadState(LPCTSTR lpszProfileName = NULL, int nIndex = -1, UINT uiID = (UINT)-1) override;
    BOOL SaveState(LPCTSTR lpszProfileName = NULL, int nIndex = -1, UINT uiID = (UINT)-1) override;

    // The base form with the window name stays reachable.
    using CSPBaseControlBar::CreateEx;

    // --- inside borders ----------------------------------------------------------
    void SetBorders(int cxLeft = 0, int cyTop = 0, int cxRight = 0, int cyBottom = 0);
    void SetBorders(LPCRECT lpRect);
    CRect GetBorders() const { return CRect(m_cxLeftBorder, m_cyTopBorder, m_cxRightBorder, m_cyBottomBorder); }
    // Narrows rect to the area inside the borders and the gripper.
    virtual void CalcInsideRect(CRect& rect, BOOL bHorz) const;

    // A zero-filled block of nCount elements of nSize bytes each, replacing
    // the previous block; FALSE (and no block) when it cannot be had.
    BOOL AllocElements(int nCount, int nSize);
    void* GetElements() const { return m_pData; }
    int GetElementCount() const { return m_nCount; }

    // Moves the bar and its wanted rectangle by the offset across the side:
    // along x for the left and right sides, along y for top and bottom.
    void MoveToAlignment(DWORD dwAlignment, CSize sizeOffset);

    // The wanted rectangle in the parent's client coordinates.
    void UpdateVirtualRect();
    const CRect& GetVirtualRect() const { return m_rectVirtual; }
    void OffsetVirtualRect(CSize size) { m_rectVirtual.OffsetRect(size); }
    // Whether the point lies before the bar along its dock bar (left of it
    // in a horizontal one, above it in a vertical one); TRUE when docked
    // nowhere.
    BOOL IsPointBefore(CPoint pt, BOOL bScreen) const;
    CPoint GetDragStartPoint() const { return m_ptClientHotSpot; }
    BOOL IsTracking() const { return m_bCaptured; }
    int GetMRUWidth() const { return m_nMRUWidth; }
    void SetMRUWidth(int nWidth) { m_nMRUWidth = nWidth; }
    int GetPinState() const { return m_nPinState; }
    UINT GetID() const { return m_nID; }

    // The loaded placement (LoadState), read by the dock manager.
    const CRect& GetLoadedDockedRect() const { return m_rectSavedDockedRect; }
    BOOL GetLoadedFloatingFlag() const { return m_bRecentFloatingState; }

    CSPRecentDockInfo m_recentDockInfo;

protected:
    int m_nCount;
    void* m_pData;
    int m_cxLeftBorder, m_cxRightBorder, m_cyTopBorder, m_cyBottomBorder;
    int m_cxDefaultGap;
    int m_nMRUWidth;
    CRect m_rectVirtual;
    CRect m_rectDragStart;
    BOOL m_bCaptured;
    UINT m_nID;
    CPoint m_ptClientHotSpot;
    bool m_bCancelled;
    BOOL m_bDragMode;
    BOOL m_bOption1, m_bOption2, m_bOption3;
    HWND m_hwndOutline;  // shown while dragging; destroyed when tracking stops
    BOOL m_bExclusiveRow;
    int m_nPinState;
    CRect m_rectSavedDockedRect;
    BOOL m_bRecentFloatingState;
    BOOL m_bClickForwarded;
    CPoint m_ptLastCursor;  // the cursor at the last step of a drag

    void ReleaseTracking();

    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnCancelMode();
    afx_msg void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnContextMenu(CWnd* pWnd, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnDestroy();
    afx_msg void OnNcDestroy();
    DECLARE_MESSAGE_MAP()
};
