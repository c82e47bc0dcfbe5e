// SPButtonsList.h - CSPButtonsList: an owner-drawn button that shows toolbar
// button objects as a grid of image cells with a vertical scroll bar. The
// user picks a cell with the mouse or the keys; a pick may start an OLE
// drag of the button. The button-appearance dialog chooses user images in
// it.
#pragma once
#include "afxwin.h"
#include "afxcoll.h"
#include "afxctl.h"
#include "afxole.h"

class CSPToolbarButton;
class CSPButtonImages;

class CSPButtonsList : public CButton {
    DECLARE_DYNAMIC(CSPButtonsList)

public:
    CSPButtonsList();
    ~CSPButtonsList() override;

    // The collection the buttons draw from; the cells become its image size
    // plus 6 by 7, and the list is emptied.
    void SetImages(CSPButtonImages* pImages);
    CSPButtonImages* GetImages() const { return m_pImages; }

    // The list does not own its buttons.
    void AddButton(CSPToolbarButton* pButton);
    void RemoveButtons();
    int GetCount() const { return (int)m_Buttons.GetCount(); }
    CSPToolbarButton* GetButton(int iIndex) const;

    // NULL clears the selection.
    void SelectButton(CSPToolbarButton* pButton);
    // The cell showing the image (its user image for a user-image button);
    // a negative index clears the selection. FALSE when no cell shows it.
    BOOL SelectButton(int iImage);
    CSPToolbarButton* GetSelectedButton() const { return m_pSelButton; }

    void EnableDragFromList(BOOL bEnable = TRUE) { m_bEnableDragFromList = bEnable; }

    CScrollBar* GetScrollBarCtrl(int nBar) const override;
    int GetScrollPosition() const { return m_iScrollOffset; }
    int GetScrollMaximum() const { return m_iScrollTotal; }
    int GetRowsPerPage() const { return m_iScrollPage; }
    CSize GetCellSize() const { return CSize(m_sizeButton.cx, m_sizeButton.cy); }

    // Test seam: when set, runs in place of the OLE drag loop.
    static DROPEFFECT (*s_pfnDragDropForTest)(COleDataSource& source);

    void DrawItem(LPDRAWITEMSTRUCT lpDIS) override;

protected:
    CObList m_Buttons;
    CSPButtonImages* m_pImages;
    CSize m_sizeButton;
    BOOL m_bInited;
    BOOL m_bHasFocus;
    CSPToolbarButton* m_pSelButton;
    int m_iScrollOffset;
    int m_iScrollTotal;
    int m_iScrollPage;
    CScrollBar m_wndScrollBar;
    BOOL m_bEnableDragFromList;

    // The vertical distance from one row to the next.
    int RowStep() const { return m_sizeButton.cy + 5; }
    // The cells' rectangles in unscrolled client coordinates.
    void RebuildLocations();
    // The cell on the screen: its rectangle moved by the scroll position.
    CRect ScreenRect(const CSPToolbarButton* pButton) const;
    CSPToolbarButton* HitTest(CPoint point) const;
    void InvalidateCell(const CSPToolbarButton* pButton);
    void ScrollTo(int iPos);

    void PreSubclassWindow() override;

    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg UINT OnGetDlgCode();
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    afx_msg void OnKillFocus(CWnd* pNewWnd);
    afx_msg void OnEnable(BOOL bEnable);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnSysColorChange();
    afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
    DECLARE_MESSAGE_MAP()
};
