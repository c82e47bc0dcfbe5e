// MainFrm.h - CMainFrame, the application's MDI main window with its bars:
// the menu bar, the standard toolbar, the status bar and the contents pane.
#pragma once

#include "SPMDIFrameWnd.h"
#include "SPMenuBar.h"
#include "SPStatusBar.h"
#include "SPToolBar.h"

#include "ContentsBar.h"

class CSPPopupMenu;

class CMainFrame : public CSPMDIFrameWnd {
    DECLARE_DYNAMIC(CMainFrame)

public:
    CMainFrame();
    ~CMainFrame() override;

    // Called by Convert to PDF when the engine has returned: a close asked
    // for meanwhile is carried out now.
    void OnConversionEnded();

    // The frame's hook before a library popup menu opens: the "&Toolbars"
    // item of the View menu opens the bars popup's items; while the toolbars
    // are customised it does not open. FALSE keeps the popup from opening.
    // (It overrides the library frame's hook of the same signature once the
    // MDI frame offers one.)
    BOOL OnShowPopupMenu(CSPPopupMenu* pMenuPopup) override;

    // Destroyed in the reverse order.
    CContentsBar m_wndContentsBar;
    CSPStatusBar m_wndStatusBar;
    CSPMenuBar m_wndMenuBar;
    CSPToolBar m_wndToolBar;

protected:
    BOOL m_bCloseAfterConversion;


    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnClose();
    afx_msg void OnViewCustomize();
    afx_msg void OnViewWorkspace();
    afx_msg void OnUpdateViewWorkspace(CCmdUI* pCmdUI);
    afx_msg LRESULT OnToolbarContextMenu(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()
};
