// SPPropertyPage.h - CSPPropertyPage: the library's property page base.
// Library popup menus work inside it (CSPDialogMenuHelper), and it tells a
// library property sheet (CSPPropertySheet) when it becomes active.
#pragma once
#include "afxwin.h"
#include "SPDlgImpl.h"

// Implemented by the library property sheet (CSPPropertySheet, which lives
// with the toolbars because its navigation pane is one): the page that
// became active, so that the sheet can select the page's button.
class ISPPropertySheet {
public:
    virtual void OnActivatePage(CPropertyPage* pPage) = 0;

protected:
    ~ISPPropertySheet() {}
};

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
