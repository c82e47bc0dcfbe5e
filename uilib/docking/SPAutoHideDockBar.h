// SPAutoHideDockBar.h - CSPAutoHideDockBar: the dock bar on a frame side
// that takes the auto-hide toolbars of that side, in one row.
#pragma once
#include "SPDockBar.h"

class CSPAutoHideToolBar;

class CSPAutoHideDockBar : public CSPDockBar {
    DECLARE_DYNCREATE(CSPAutoHideDockBar)

public:
    CSPAutoHideDockBar();
    ~CSPAutoHideDockBar() override;

    // Kept between the row and the bar's edges.
    static int m_nAutoHideBarRowMargin;

    // Where the neighbouring sides' strips meet this one, so that the
    // buttons do not overlap.
    void SetOffsetLeft(int nOffset) { m_nOffsetLeft = nOffset; }
    void SetOffsetRight(int nOffset) { m_nOffsetRight = nOffset; }
    int GetOffsetLeft() const { return m_nOffsetLeft; }
    int GetOffsetRight() const { return m_nOffsetRight; }

    // Puts the panes of the toolbar's row back: the first toolbar's panes
    // dock, the others' panes join the first pane as tabs.
    void SyncToolbarsInRow(CSPAutoHideToolBar* pToolBar);

    // --- base operations -------------------------------------------------------------
    BOOL CanAcceptBar(const CSPBaseControlBar* pBar) const override;
    void DockControlBar(CSPControlBar* pBar, LPCRECT lpRect, int nDockMethod) override;
    void RepositionBars(CRect& rectNewClientArea) override;
    void RemoveControlBar(CSPControlBar* pBar) override;
    void GetVisualInfo(SPBarInfo& info) override;

protected:
    int m_nOffsetLeft;
    int m_nOffsetRight;

    afx_msg void OnPaint();
    DECLARE_MESSAGE_MAP()
};
