// ContentsBar.h - CContentsBar, the pane "CHM Contents" that holds the
// contents tree and opens the page of the entry selected in it.
#pragma once

#include "SPControlBar.h"

#include "ContentsTree.h"

// Until the library's docking pane is on hand the pane stands on its plain
// control bar, which keeps its width when docked at a side.
typedef CSPControlBar CContentsBarBase;

class CContentsBar : public CContentsBarBase {
public:
    CContentsBar();
    ~CContentsBar() override;

    // The pane's size while docked at a side: its width and the height the
    // frame gives it.
    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;

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
