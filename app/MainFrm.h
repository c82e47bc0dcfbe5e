// MainFrm.h - CMainFrame, the application's MDI main window with its bars:
// the standard toolbar, the status bar and the contents pane.
#pragma once

#include "SPMDIFrameWnd.h"
#include "SPStatusBar.h"
#include "SPToolBar.h"

#include "ContentsBar.h"

// Until the library's full status bar is on hand: its least form, showing
// the frame's message text in one stretching pane.
class CMainFrame : public CSPMDIFrameWnd {
    DECLARE_DYNAMIC(CMainFrame)

public:
    CMainFrame();
    ~CMainFrame() override;

    // Called by Convert to PDF when the engine has returned: a close asked
    // for meanwhile is carried out now.
    void OnConversionEnded();

    // Destroyed in the reverse order.
    CContentsBar m_wndContentsBar;
    CSPStatusBar m_wndStatusBar;
    CSPToolBar m_wndToolBar;

protected:
    BOOL m_bCloseAfterConversion;

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnClose();
    afx_msg void OnViewCustomize();
    afx_msg void OnViewWorkspace();
    afx_msg void OnUpdateViewWorkspace(CCmdUI* pCmdUI);
    afx_msg LRESULT OnToolbarContextMenu(WPARAM wParam, LPARAM lParam);
    afx_msg void OnInitMenuPopup(CMenu* pPopupMenu, UINT nIndex, BOOL bSysMenu);
    DECLARE_MESSAGE_MAP()
};
