// SPDockingPlaceholderBar.h - CSPDockingPlaceholderBar: the empty docking
// pane that a tabbed bar shows as a tab while a dragged pane hovers over its
// tab strip, so that the user sees where the new tab would go.
#pragma once
#include "SPDockingControlBar.h"

class CSPDockingPlaceholderBar : public CSPDockingControlBar {
public:
    // The one placeholder, its window made on first use as a hidden child
    // of the frame; NULL when it cannot be made.
    static CSPDockingPlaceholderBar* Get(CFrameWnd* pFrame);
    // Its control id, clear of the ids an application gives its panes.
    static const UINT m_nPlaceholderID = 0xEFF0;

protected:
    BOOL CanFloat() const override { return FALSE; }
    afx_msg void OnPaint();
    DECLARE_MESSAGE_MAP()
};
