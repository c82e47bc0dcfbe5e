// SPDockBar.h - CSPDockBar: the strip along one side of a frame's client
// area into which control bars dock.
//
// The dock manager makes one per side the frame enables. The dock bar keeps
// the docked bars in a list and arranges them in rows stacked from the
// frame's edge inwards; it grows and shrinks by whole rows. It deletes
// itself when its window goes.
#pragma once
#include "SPBaseControlBar.h"
#include "afxcoll.h"

class CSPControlBar;
class CSPDockBarRow;

class CSPDockBar : public CSPBaseControlBar {
    DECLARE_DYNCREATE(CSPDockBar)

public:
    CSPDockBar();
    virtual ~CSPDockBar();

    // --- base bar operations it answers itself -----------------------------------
    BOOL CanDockToFrame() const override { return FALSE; }
    BOOL IsResizable() const override { return FALSE; }
    // Any bar but the auto-hide toolbars, which only the auto-hide strips take.
    BOOL CanAcceptBar(const CSPBaseControlBar* pBar) const override;
    void AdjustLayout() override;
    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;

    // --- its own operations, in slot order -------------------------------------
    virtual BOOL IsAnyBarDragged() const;
    virtual CSPDockBarRow* CreateRow(int nOffset, int nRowHeight);
    virtual void DockControlBar(CSPControlBar* pBar, LPCRECT lpRect, int nDockMethod);
    virtual BOOL DockControlBarInRow(CSPControlBar* pBar, CSPControlBar* pNeighbour);
    virtual void RemoveControlBar(CSPControlBar* pBar);
    virtual BOOL MoveControlBar(CSPControlBar* pBar, UINT nReserved, int dx, int dy);
    virtual void OnInsertRow(POSITION pos);
    virtual void OnRemoveRow(POSITION pos, BOOL bForce = FALSE);
    virtual int ResizeRow(CSPDockBarRow* pRow, int nOffset);
    virtual void OnShowRow(POSITION pos, BOOL bShow);
    virtual void ReservedDockBarOp(DWORD_PTR, DWORD_PTR, DWORD_PTR, DWORD_PTR) {}
    virtual void RepositionBars(CRect& rectNewClientArea);
    virtual void UpdateVirtualRects();
    virtual BOOL ShowControlBar(CSPBaseControlBar* pBar, BOOL bShow, BOOL bDelay, BOOL bActivate);
    virtual CSPControlBar* ControlBarFromPoint(CPoint pt);
    virtual UINT GetDockBarID() const { return m_nDockBarID; }
    virtual HDWP SetWindowPosRect(const CWnd* pWndInsertAfter, CRect rect, UINT nFlags, HDWP hdwp = NULL);
    virtual BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID = 0);
    virtual BOOL CreateEx(DWORD dwStyleEx, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID = 0);

    using CSPBaseControlBar::CreateEx;
    using CSPBaseControlBar::ShowControlBar;

    // --- rows ---------------------------------------------------------------------
    CSPDockBarRow* FindRowOfBar(const CSPControlBar* pBar) const;
    int GetRowIndex(const CSPDockBarRow* pRow) const;
    BOOL IsFirstOrLastRow(const CSPDockBarRow* pRow) const;
    // The first visible row whose rectangle holds the screen point, NULL
    // when none; bBefore tells whether the point lies before the rows.
    CSPDockBarRow* RowFromPoint(CPoint ptScreen, BOOL& bBefore) const;
    // The first visible row holding a dock-bar client point, NULL for none.
    CSPDockBarRow* RowFromClientPoint(CPoint ptClient) const;
    // A new row of the thickness at the list position (NULL: appended).
    CSPDockBarRow* AddRow(POSITION posBefore, int nThickness);
    // Takes the row out and deletes it, shrinking the dock bar.
    void RemoveRow(CSPDockBarRow* pRow);
    // Sets the row's thickness, growing or shrinking the dock bar with it;
    // refuses (0) to shrink a row below its bars. Answers the change.
    int ResizeRow(CSPDockBarRow* pRow, int nNewThickness, BOOL bAdjustLayout);
    // A shown or hidden row gives or takes its thickness.
    void OnShowRow(CSPDockBarRow* pRow, BOOL bShow, BOOL bDelay);
    // The docked bar with the control id (also inside a rebar here).
    CWnd* FindBarByID(UINT nID) const;
    // The sum of the visible rows' thicknesses.
    int GetThickness() const;

    const CObList& GetControlBarList() const { return m_lstControlBars; }
    const CObList& GetRows() const { return m_lstDockBarRows; }

protected:
    CObList m_lstControlBars;
    CObList m_lstDockBarRows;
    UINT m_nDockBarID;
    BOOL m_bClosing;  // the window is going: bars leaving it ask for no layout

    // Grows the inner edge by nDelta (negative: shrinks), with frame layout
    // when asked.
    void ResizeDockBar(int nDelta, BOOL bAdjustLayout);
    // The offset across of a row that would stand at the position.
    int OffsetAt(POSITION posBefore) const;
    // Exchanges two neighbouring visible rows.
    void SwapRows(CSPDockBarRow* pFirst, CSPDockBarRow* pSecond);
    // The row for a bar that does not allow siblings or a row that is
    // exclusive: a new one right behind pRow.
    CSPDockBarRow* RowForBar(CSPControlBar* pBar, CSPDockBarRow* pRow, int nThickness);

    void PostNcDestroy() override;
    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnContextMenu(CWnd* pWnd, CPoint point);
    afx_msg void OnDestroy();
    DECLARE_MESSAGE_MAP()
};

// The dock bar ids of the four sides and their alignments.
UINT SPDockBarIDFromAlignment(DWORD dwAlignment);
