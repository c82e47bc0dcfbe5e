// SPSlider.h - CSPSlider: the thin splitter between docked docking panes and
// between the panes of a multi-bar mini frame.
//
// Dragging it draws an outline on the desktop; the release moves it and
// resizes the bars on both sides through a bar container manager. A default
// slider owns the container manager of the panes docked on one frame side;
// the sliders a container manager creates between two containers own
// nothing.
#pragma once
#include "SPBaseControlBar.h"

class CSPBarContainerManager;
class CSPControlBar;

// Slider style bits.
enum SPSliderStyle { SP_SS_HORZ = 1, SP_SS_VERT = 2 };

class CSPSlider : public CSPBaseControlBar {
    DECLARE_DYNCREATE(CSPSlider)

public:
    explicit CSPSlider(BOOL bDefaultSlider = FALSE, CWnd* pOwnerWnd = NULL);
    virtual ~CSPSlider();

    // The thickness of the sliders a container manager creates, and the
    // default sliders' creation width.
    static int m_nDefaultWidth;

    // --- operations the class adds, in slot order ----------------------------
    virtual void MoveSlider(const SIZE& offset);
    virtual void AddControlBar(CSPControlBar* pBar);
    virtual BOOL AddRecentControlBar(CSPControlBar* pBar);
    virtual BOOL InsertControlBar(CSPControlBar* pBar, CSPControlBar* pTarget, DWORD dwAlignment,
                                  LPCRECT lpRect = NULL);
    virtual BOOL ReplaceControlBar(CSPControlBar* pOldBar, CSPControlBar* pNewBar);
    virtual void RemoveControlBar(CSPControlBar* pBar);
    // Moves the slider to the new frame-side rectangle (the region and the
    // slider together, in the parent's client coordinates) and lays the
    // region out in the rest.
    virtual HDWP RepositionBars(CRect& rectNew, HDWP hdwp = NULL);
    virtual BOOL AddContainerManager(CSPBarContainerManager& manager, BOOL bOuterEdge);
    virtual int CheckVisibility();
    virtual void OnShowControlBar(CSPControlBar* pBar, BOOL bShow);
    virtual BOOL CanFloatBars() const;
    // Where a window dragged to the screen point would dock among the panes
    // of this slider's region (see CSPDockingUtils::CalcContainerDockTarget).
    virtual void CalcBarLayout(CWnd* pDraggedWnd, CPoint pt, CRect& rect, BOOL& bTab, CSPBaseControlBar*& pTarget);
    virtual void RemoveIfEmpty();
    virtual BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID,
                        CCreateContext* pContext = NULL);
    virtual BOOL CreateEx(DWORD dwStyleEx, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID,
                          CCreateContext* pContext = NULL);
    virtual void StopTracking(BOOL bMove);

    // --- base operations ----------------------------------------------------------
    BOOL IsHorizontal() const override { return (m_dwSliderStyle & SP_SS_HORZ) != 0; }
    BOOL IsResizable() const override;
    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    // Loading makes the window. A slider whose record fails to load is gone
    // when the exception leaves, as one whose creation is refused.
    void Serialize(CArchive& ar) override;
    using CSPBaseControlBar::CreateEx;

    // --- attributes ----------------------------------------------------------------
    BOOL IsDefault() const { return m_bDefaultSlider; }
    BOOL IsAutoHideMode() const { return m_bAutoHideMode; }
    void SetAutoHideMode(BOOL bMode) { m_bAutoHideMode = bMode; }
    BOOL IsTracking() const { return m_bTracking; }
    int GetWidth() const { return m_nWidth; }
    DWORD GetSliderStyle() const { return m_dwSliderStyle; }
    UINT GetSliderID() const { return m_nID; }
    CSPBarContainerManager* GetContainerManager() const { return m_pContainerManager; }
    // The manager that created a plain slider (its back pointer).
    void SetContainerManager(CSPBarContainerManager* pManager) { m_pContainerManager = pManager; }
    const CRect& GetDragRect() const { return m_rectDragBounds; }
    const CRect& GetBoundsRect() const { return m_rectBounds; }
    void SetOwnerWnd(CWnd* pOwner) { m_pOwnerWnd = pOwner; }

protected:
    void Load(CArchive& ar);
    void PostNcDestroy() override;
    // The outline for the cursor position, kept inside the bounds.
    CRect OutlineAt(CPoint ptScreen) const;
    void DrawOutline(const CRect& rectNew, const CRect& rectOld);

    UINT m_nID;
    DWORD m_dwSliderStyle;
    int m_nWidth;
    BOOL m_bTracking;
    BOOL m_bDefaultSlider;
    BOOL m_bAutoHideMode;
    int m_nMinOffset;
    int m_nMaxOffset;
    int m_nContainerValue;
    CRect m_rectDragBounds;
    CRect m_rectBounds;
    CSPBarContainerManager* m_pContainerManager;
    CWnd* m_pOwnerWnd;

    static HCURSOR m_hCursorHorz;
    static HCURSOR m_hCursorVert;

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnCancelMode();
    afx_msg void OnPaint();
    afx_msg void OnNcDestroy();
    DECLARE_MESSAGE_MAP()
};
