// ContentsBar.h - CContentsBar, the pane "CHM Contents" that holds the
// contents tree and opens the page of the entry selected in it.
#pragma once

#include "SPDockingControlBar.h"

#include "ContentsTree.h"

class CContentsBar : public CSPDockingControlBar {
public:
    CContentsBar();
    ~CContentsBar() override;

    CContentsTree m_wndTree;  // id 1
    char m_szDocName[32];     // the document that shows the pages

    // The address of the page at the selected item, or "" when there is
    // nothing to open (no selection, an entry without page, no CHM folder).
    CString GetSelectedPageURL() const;

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnPaint();
    afx_msg void OnOpenSelectedPage();
    DECLARE_MESSAGE_MAP()
};
