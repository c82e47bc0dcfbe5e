// SPMainClientAreaWnd.h - CSPMainClientAreaWnd: the MDI client window of a
// CSPMDIFrameWnd, taken over (subclassed) by the frame. It hands the menus
// MDI would put into a Win32 menu to the frame's menu bar, lets the frame
// paint the client background, and, with MDI tabs on, keeps a tab window
// above the client with one tab per document window, labelled with the
// window's text and icon.
#pragma once
#include "afxwin.h"
#include "afxcmn.h"
#include "afxtempl.h"

#include "SPTabWnd.h"

class CSPMDIFrameWnd;

// The tab window of the document tabs: its place (top or bottom) and its
// close button change with EnableMDITabs after it was created.
// The documents' windows belong to the MDI client: the tabs neither move
// nor hide them.
class CSPMDITabWnd : public CSPTabWnd {
public:
    void SetLocationAndCloseButton(Location location, BOOL bCloseButton) {
        m_location = location == LOCATION_TOP ? LOCATION_TOP : LOCATION_BOTTOM;
        m_bCloseBtn = bCloseButton;
    }
    using CSPTabWnd::InsertTab;
    void InsertTab(CWnd* pNewWnd, LPCTSTR lpszTabLabel, int nInsertAt, UINT uiImageId = (UINT)-1,
                   BOOL bDetachable = TRUE) override;
};

class CSPMainClientAreaWnd : public CWnd {
    DECLARE_DYNAMIC(CSPMainClientAreaWnd)

public:
    CSPMainClientAreaWnd();
    virtual ~CSPMainClientAreaWnd();

    // Tabs on or off; bIcons shows the documents' icons on them; the
    // location is CSPBaseTabWnd's (top or bottom); bCloseButton adds the
    // tab window's close button.
    void EnableMDITabs(BOOL bEnable = TRUE, BOOL bIcons = TRUE,
                       CSPTabWnd::Location location = CSPTabWnd::LOCATION_BOTTOM, BOOL bCloseButton = FALSE);
    BOOL AreMDITabsEnabled() const { return m_bTabsEnabled; }
    // Print preview hides the tabs and brings them back afterwards.
    void ShowTabs(BOOL bShow) { m_bTabsShown = bShow && m_bTabsEnabled; }
    BOOL AreTabsShown() const { return m_bTabsShown; }

    // One tab per document window, in Z order, following its text, its
    // icon and whether it shows.
    void UpdateTabs();
    // Selects the tab of the document window, when it has one.
    void SetActiveTab(CWnd* pWnd);

    CSPTabWnd& GetMDITabs() { return m_wndTab; }
    // The images of the tabs: one per distinct icon.
    CImageList& GetTabImages() { return m_TabIcons; }

    // Places the tab window (when shown) and the client on the rectangle
    // (frame client coordinates); the rectangle is then the client's.
    void CalcWindowRect(LPRECT lpClientRect, UINT nAdjustType = 0) override;

protected:
    CSPMDITabWnd m_wndTab;
    int m_nTabLocation;
    BOOL m_bTabsShown;
    BOOL m_bTabsEnabled;
    CImageList m_TabIcons;
    BOOL m_bTabIcons;
    BOOL m_bTabCloseButton;
    CMap<HICON, HICON, int, int> m_mapIcons;
    // Documents whose tab went when they were hidden: no tab until they
    // show again.
    CList<HWND, HWND> m_lstHiddenDocuments;

    CSPMDIFrameWnd* GetMDIFrame() const;
    // The image of the icon, added on first sight; -1 for none.
    int ImageOfIcon(HICON hIcon);

    void PreSubclassWindow() override;

    afx_msg LRESULT OnSetMenu(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnRefreshMenu(WPARAM wParam, LPARAM lParam);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg LRESULT OnMDIDestroy(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnUpdateTabs(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()
};

// Posted or sent to the client area: the tabs follow the document windows.
#define SP_WM_UPDATE_MDI_TABS (WM_USER + 101)
