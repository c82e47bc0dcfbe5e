// SPPropertyPage.h - CSPPropertyPage: the library's property page base.
// Library popup menus work inside it (CSPDialogMenuHelper), and it tells a
// library property sheet (CSPPropertySheet) when it becomes active.
#pragma once
#include "afxwin.h"
#include "SPDlgImpl.h"

class CSPPropertyPage : public CPropertyPage {
    DECLARE_DYNCREATE(CSPPropertyPage)

public:
    CSPPropertyPage();
    explicit CSPPropertyPage(UINT nIDTemplate, UINT nIDCaption = 0);
    explicit CSPPropertyPage(LPCTSTR lpszTemplateName, UINT nIDCaption = 0);
    virtual ~CSPPropertyPage();

    void SetActiveMenu(CSPPopupMenu* pMenu) { m_Impl.SetActiveMenu(pMenu); }
    CSPDialogMenuHelper& GetMenuHelper() { return m_Impl; }

    BOOL OnSetActive() override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

protected:
    CSPDialogMenuHelper m_Impl;

    afx_msg void OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized);
    afx_msg BOOL OnNcActivate(BOOL bActive);
    afx_msg void OnDestroy();
    DECLARE_MESSAGE_MAP()
};
