// SPTabbedToolbar.h - CSPTabbedToolbar: a horizontal toolbar whose whole
// client area is a tab window; each tab holds another library toolbar. The
// bar is as large as its largest toolbar plus the tab strip.
//
// While toolbar buttons are dragged in customise mode, the tab under the
// cursor opens, so that a button can be dropped on a toolbar of any tab.
#pragma once
#include "SPTabWnd.h"
#include "SPToolBar.h"

class CSPTabbedToolbar : public CSPToolBar, public ISPTabbedToolbar {
    DECLARE_SERIAL(CSPTabbedToolbar)

public:
    CSPTabbedToolbar();
    ~CSPTabbedToolbar() override;

    // With SPCBRS_FLOAT in dwSPBarStyle the bar gets a gripper; it always
    // lies horizontally.
    virtual BOOL CreateEx(CWnd* pParentWnd, DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_TOP,
                          UINT nID = AFX_IDW_TOOLBAR, DWORD dwSPBarStyle = SPCBRS_FLOAT);
    using CSPToolBar::CreateEx;

    // Moves the toolbar's window into a new tab labelled with its window
    // text; FALSE before the bar has its tab window.
    virtual BOOL AddTab(CSPControlBar* pNewBar, BOOL bVisible = TRUE, BOOL bSetActive = TRUE,
                        BOOL bDetachable = TRUE);
    virtual CSPTabWnd* GetTabWnd() const { return m_pTabWnd; }

    void RecalcLayout() override;
    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;

    // What the tab window asks while data is dragged over its strip.
    BOOL IsToolbarButtonData(COleDataObject* pDataObject) override;

protected:
    CSPTabWnd* m_pTabWnd;

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnNcDestroy();
    afx_msg LRESULT OnChangeActiveTab(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()
};
