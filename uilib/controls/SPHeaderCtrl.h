// SPHeaderCtrl.h - CSPHeaderCtrl: a header control painted entirely in the
// current visual manager's style, with hot tracking of the column under the
// mouse and a sort mark per column (one sort column, or several).
#pragma once
#include "afxwin.h"
#include "afxtempl.h"

class CSPHeaderCtrl : public CHeaderCtrl {
    DECLARE_DYNAMIC(CSPHeaderCtrl)

public:
    CSPHeaderCtrl();
    virtual ~CSPHeaderCtrl();

    // A sort mark on the column; without multiple sort (or without bAdd)
    // the other columns lose theirs.
    void SetSortColumn(int iColumn, BOOL bAscending = TRUE, BOOL bAdd = FALSE);
    void RemoveSortColumn(int iColumn);
    void EnableMultipleSort(BOOL bEnable = TRUE);
    BOOL IsMultipleSort() const { return m_bMultipleSort; }
    // -1 in multiple-sort mode or when no column is sorted.
    int GetSortColumn() const;
    // -1 in multiple-sort mode.
    BOOL IsAscending() const;
    // The column's sort state: positive ascending, negative descending, 0 none.
    int GetColumnState(int iColumn) const;
    int GetHighlightedItem() const { return m_nHighlightedItem; }

    // Paints the whole control into pDC (what WM_PAINT puts on the screen
    // through a memory bitmap).
    void DoPaint(CDC* pDC);

    // overridables, in slot order
    virtual void OnDrawItem(CDC* pDC, int iItem, CRect rect, BOOL bIsPressed, BOOL bIsHighlighted);
    virtual void OnFillBackground(CDC* pDC);
    virtual void OnDrawSortArrow(CDC* pDC, CRect rectArrow);

protected:
    CMap<int, int, int, int> m_mapColumnsStatus;
    BOOL m_bIsMousePressed;
    BOOL m_bMultipleSort;
    BOOL m_bAscending;  // direction of the arrow being drawn
    int m_nHighlightedItem;
    BOOL m_bTracked;

    void RedrawHeader();

    afx_msg void OnPaint();
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnCancelMode();
    afx_msg LRESULT OnMouseLeave(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()
};
