// SPOutlookBar.h - CSPOutlookBar: a docking bar whose client area is an
// outlook window (CSPOutlookWnd): a stack of page buttons with the active
// page open below its button. The pages are the tabs of the bar.
//
// Besides the pages the program adds, the user (or the program) may create
// custom pages at run time (AddCustomPage); the bar writes their ids and
// labels to the registry ("SPOutlookCustomPages") and builds them again when
// its state is loaded. A docking pane created with the tabbed style 0x40
// makes an outlook bar its tab container.
//
// CSPOutlookBarDockingPane: the docking pane that wraps a page that is no
// docking pane, so that it can be tabbed, dragged and stored like one.
#pragma once
#include "SPBaseTabbedBar.h"
#include "SPDockingCBWrapper.h"

class CSPOutlookBarPane;
class CSPOutlookWnd;

class CSPOutlookBarDockingPane : public CSPDockingCBWrapper {
    DECLARE_DYNCREATE(CSPOutlookBarDockingPane)

public:
    // The object lives as long as its window.
    CSPOutlookBarDockingPane();
    ~CSPOutlookBarDockingPane() override;
};

class CSPOutlookBar : public CSPBaseTabbedBar {
    DECLARE_SERIAL(CSPOutlookBar)

public:
    CSPOutlookBar();
    ~CSPOutlookBar() override;

    // The custom page ids: 0xF000 + index, a hundred of them for the
    // process.
    enum { nFirstCustomPageID = 0xF000, nMaxCustomPages = 100 };
    // The style every page the bar creates itself is made with.
    static const DWORD dwCustomPageStyle = 0x50402848;

    // --- operations the class adds, in slot order --------------------------------
    // A scroll button of the outlook window was clicked (bDown TRUE: the
    // lower one). Nothing here; kinds scroll what they show.
    virtual void OnScroll(BOOL /*bDown*/) {}
    // Without a gripper; with SPCBRS_RESIZE in dwSPBarStyle the bar is
    // docked in its frame at once, else only made known to the frame's
    // dock manager.
    virtual BOOL Create(LPCTSTR lpszCaption, CWnd* pParentWnd, const RECT& rect, UINT nID, DWORD dwStyle,
                        DWORD dwSPBarStyle = SPCBRS_RESIZE, CCreateContext* pContext = NULL);

    // The docking layer makes an outlook bar through its own Create (a
    // tabbed bar for a pane dropped on a pane of the tabbed style 0x40, or
    // one read from a container record); the outlook window comes with the
    // window either way.

    // A new custom page labelled lpszLabel (docking enabled with
    // dwEnabledDocking); NULL when all hundred ids are in use.
    CSPOutlookBarPane* AddCustomPage(LPCTSTR lpszLabel, BOOL bActivate = TRUE,
                                     DWORD dwEnabledDocking = CBRS_ALIGN_ANY, BOOL bEnableTextLabels = TRUE);
    // Removes the custom page of the tab; FALSE (nothing removed) for a
    // page the bar did not create as a custom page.
    BOOL RemoveCustomPage(int iPage, CSPOutlookWnd* pTabWnd);
    const CObList& GetCustomPages() const { return m_lstCustomPages; }
    CSPOutlookWnd* GetOutlookWnd() const;

    // A custom page of this bar that moved to another outlook bar becomes
    // that bar's to keep and to store.
    void HandOverCustomPage(CSPOutlookBarPane* pPage, CSPOutlookBar* pNewBar);

    // Whether the custom page id is taken in this process.
    static BOOL IsCustomPageIDInUse(UINT uiID);
    // The key under which the custom pages are stored.
    CString GetCustomPagesKey(LPCTSTR lpszProfileName, int nIndex, UINT uiID) const;

    // --- base operations --------------------------------------------------------------
    BOOL IsResizable() const override { return FALSE; }
    BOOL CanAcceptBar(const CSPBaseControlBar* pBar) const override;
    BOOL LoadState(LPCTSTR lpszProfileName = NULL, int nIndex = -1, UINT uiID = (UINT)-1) override;
    // FALSE when the custom pages could not be written (their key or value).
    BOOL SaveState(LPCTSTR lpszProfileName = NULL, int nIndex = -1, UINT uiID = (UINT)-1) override;
    void GetTabArea(CRect& rectTabAreaTop, CRect& rectTabAreaBottom) const override;
    int GetDockingStatus(CPoint ptScreen, int nSensitivity) override;
    BOOL CanDetachTabs() const override { return CanFloat(); }
    // A page is moved to another outlook bar by dropping its button there,
    // never floated out of its tab.
    BOOL DetachTabWnd(CSPBaseTabWnd* pTabWnd, int iTab, int nMode) override;

protected:
    CObList m_lstCustomPages;  // the custom pages the bar created and owns

    static BOOL s_bCustomPageIDs[nMaxCustomPages];

    // A custom page of the id, labelled, made a tab (not activated); NULL
    // when it cannot be created.
    CSPOutlookBarPane* CreateCustomPage(UINT uiID, LPCTSTR lpszLabel);
    static int FirstFreeCustomPageID();
    static BOOL IsCustomPageID(UINT uiID) {
        return uiID >= (UINT)nFirstCustomPageID && uiID < (UINT)(nFirstCustomPageID + nMaxCustomPages);
    }
    void DeleteCustomPages();

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnPaint();
    DECLARE_MESSAGE_MAP()
};
