// SPTabbedControlBar.h - CSPTabbedControlBar: the tabbed docking pane built
// on a CSPTabWnd, the tabbed bar every docking pane makes by default when
// another pane is dropped on it.
#pragma once
#include "SPBaseTabbedBar.h"

class CSPTabWnd;

class CSPTabbedControlBar : public CSPBaseTabbedBar {
    DECLARE_SERIAL(CSPTabbedControlBar)

public:
    explicit CSPTabbedControlBar(BOOL bAutoDestroy = FALSE);
    ~CSPTabbedControlBar() override;

    // The control id of the tab window inside the bar.
    static const UINT m_nTabWndID = 101;

    // --- operations the class adds, in slot order ---------------------------------
    virtual CSPTabWnd* GetUnderlinedWindow() const { return (CSPTabWnd*)m_pTabWnd; }

    // --- base operations --------------------------------------------------------------
    void GetTabArea(CRect& rectTabAreaTop, CRect& rectTabAreaBottom) const override;
    BOOL IsTabLocationBottom() const override;
    BOOL ReservedPaneQuery() override { return TRUE; }
    void OnPressCloseButton() override;
    BOOL DetachControlBar(CWnd* pBar, int nMethod, BOOL bHide = FALSE, int nDockMethod = SP_DM_SHOW) override;
    BOOL FloatTab(CWnd* pBar, int nDockMethod) override;

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    DECLARE_MESSAGE_MAP()
};
