// SPPropertySheet.h - CSPPropertySheet: a property sheet that shows its
// pages either as the usual tab row or, in the navigation-pane look, as a
// column of large icon buttons in an outlook bar page at its left.
//
// Clicking a button opens its page; a page opened any other way selects its
// button and scrolls it into view. Pages derived from CSPPropertyPage report
// their activation; the sheet keeps one button per page, at the page's
// position, through AddPage and RemovePage.
#pragma once
#include "SPOutlookBarPane.h"
#include "SPPropertyPage.h"

class CSPPropertySheet;

// The navigation pane: its buttons carry no command, a click opens the page
// of the button's position.
class CSPPropSheetPane : public CSPOutlookBarPane {
    DECLARE_DYNCREATE(CSPPropSheetPane)

public:
    CSPPropSheetPane() : m_pParent(NULL) {}
    BOOL OnSendCommand(const CSPToolbarButton* pButton) override;

    CSPPropertySheet* m_pParent;
};

class CSPPropertySheet : public CPropertySheet, public ISPPropertySheet {
    DECLARE_DYNAMIC(CSPPropertySheet)
    friend class CSPPropSheetPane;

public:
    enum PropSheetLook { PropSheetLook_Tabs = 0, PropSheetLook_OutlookBar = 1 };

    CSPPropertySheet();
    explicit CSPPropertySheet(UINT nIDCaption, CWnd* pParentWnd = NULL, UINT iSelectPage = 0);
    explicit CSPPropertySheet(LPCTSTR pszCaption, CWnd* pParentWnd = NULL, UINT iSelectPage = 0);
    ~CSPPropertySheet() override;

    // Before the sheet is created.
    void SetLook(int nLook) { m_look = nLook; }
    int GetLook() const { return m_look; }
    // One icon per page, by page index.
    BOOL SetIconsList(HIMAGELIST hIcons);
    // cx-wide icons cut from a bitmap resource; FALSE when it does not load.
    BOOL SetIconsList(UINT uiImageListResID, int cx, COLORREF clrTransparent = RGB(255, 0, 255));
    CImageList& GetIcons() { return m_Icons; }

    // The MFC operations, keeping one pane button per page.
    void AddPage(CPropertyPage* pPage);
    void RemovePage(CPropertyPage* pPage);
    void RemovePage(int nPage);

    // NULL until the navigation pane exists.
    CSPOutlookBarPane* GetNavigationPane() { return m_wndPane.GetSafeHwnd() != NULL ? &m_wndPane : NULL; }
    int GetActiveButton() const { return m_nActivePage; }

    // A library page became active: its button is selected and scrolled
    // into view (posted, so that the switch completes first).
    void OnActivatePage(CPropertyPage* pPage) override;

    BOOL OnInitDialog() override;

    // Posted to the sheet after a page became active.
    enum { WM_SELECT_ACTIVE_BUTTON = WM_USER + 1001 };

protected:
    int m_look;
    CSPPropSheetPane m_wndPane;
    int m_nBarWidth;
    int m_nActivePage;  // the selected pane button, -1 none
    CImageList m_Icons;

    void CommonInit();
    // The pane button for a tab item: its text, and the icon of its index.
    void AddPaneButton(int iTab);
    void OnPaneButton(int iButton);
    void SetButtonSelected(int iButton, BOOL bSelected);

    afx_msg LRESULT OnSelectActiveButton(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()
};
