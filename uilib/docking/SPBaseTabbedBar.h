// SPBaseTabbedBar.h - CSPBaseTabbedBar: a docking pane whose client area is a
// tab window holding other panes as its tabs.
//
// Dropping one docking pane on another makes both tabs of a tabbed bar. The
// bar follows its active tab with its caption, carries its tabs along when
// it docks, floats, is pinned away or restored, and writes its part of the
// docking state. The kinds (CSPTabbedControlBar) create the tab window.
#pragma once
#include "SPDockingControlBar.h"
#include "SPBaseTabWnd.h"

class CSPBaseTabbedBar : public CSPDockingControlBar, public ISPTabDockingHost {
    DECLARE_DYNAMIC(CSPBaseTabbedBar)

public:
    explicit CSPBaseTabbedBar(BOOL bAutoDestroy = FALSE);
    ~CSPBaseTabbedBar() override;

    // --- operations the class adds, in slot order --------------------------------
    virtual CSPBaseTabWnd* GetTabWnd() const { return m_pTabWnd; }
    virtual int GetTabsNum() const { return m_pTabWnd != NULL ? m_pTabWnd->GetTabsNum() : 0; }
    virtual int GetVisibleTabsNum() const { return m_pTabWnd != NULL ? m_pTabWnd->GetVisibleTabsNum() : 0; }
    virtual int GetTabLocation() const { return m_pTabWnd != NULL ? m_pTabWnd->GetLocation() : 0; }
    virtual BOOL CanDetachTabs() const { return TRUE; }
    // Adds a bar as a tab; a tabbed bar gives up all its tabs here and is
    // destroyed (the answer is then FALSE).
    virtual BOOL AddTab(CWnd* pNewBar, BOOL bVisible = TRUE, BOOL bSetActive = TRUE, BOOL bDetachable = TRUE);
    // Takes a tab's bar out into a floating frame (nMethod 1: it goes on
    // with the drag; 2: back to the multi-bar frame it came from first).
    virtual BOOL DetachControlBar(CWnd* pBar, int nMethod, BOOL bHide = FALSE, int nDockMethod = SP_DM_SHOW);
    virtual BOOL FloatTab(CWnd* pBar, int nDockMethod);
    // Removes the bar's tab; the bar destroys itself when no tab is left
    // (FALSE then).
    virtual BOOL RemoveTab(CWnd* pBar);
    virtual void ShowTab(CWnd* pBar, BOOL bShow, BOOL bDelay, BOOL bActivate);
    virtual CWnd* FindBarByID(UINT uBarID) const;
    // The tab's window; with bUnwrap the window a docking wrapper holds.
    virtual CWnd* GetTabBar(int nTabNum, BOOL bUnwrap = TRUE) const;
    virtual CWnd* GetFirstVisibleTab(int& iTabNum) const;
    virtual void ApplyRestoredTabInfo();
    virtual void SerializeTabWnd(CArchive& ar);
    virtual void SaveSiblingBarIDs(CArchive& ar);
    virtual void SetTabCaptionFlag(BOOL bFlag) { m_bSetCaptionTextToTabName = bFlag; }
    virtual BOOL GetTabCaptionFlag() const { return m_bSetCaptionTextToTabName; }
    virtual void OnActiveTabChanged(int /*iTab*/) {}

    // Reads the ids SaveSiblingBarIDs wrote, appended to the list.
    static void LoadSiblingBarIDs(CArchive& ar, CList<UINT, UINT>& lstBarIDs);
    // No tab list is longer than this; a longer count is a damaged record.
    static const int m_nMaxSiblingIDs = 1024;

    // --- base operations -------------------------------------------------------------
    BOOL ReservedPaneQuery() override { return FALSE; }
    void Serialize(CArchive& ar) override;
    HICON GetBarIcon(BOOL bBig) override;
    BOOL FloatControlBar(CRect rectFloat, int nDockMethod = SP_DM_RECT, bool bShow = true) override;
    void RecalcLayout() override;
    BOOL LoadState(LPCTSTR lpszProfileName = NULL, int nIndex = -1, UINT uiID = (UINT)-1) override;
    BOOL SaveState(LPCTSTR lpszProfileName = NULL, int nIndex = -1, UINT uiID = (UINT)-1) override;
    BOOL DockControlBar(CSPBaseControlBar* pDockBar, LPCRECT lpRect, int nDockMethod) override;
    void StoreRecentDockInfo() override;
    CSPAutoHideToolBar* SetAutoHideMode(BOOL bMode, DWORD dwAlignment, CSPAutoHideToolBar* pCurrAutoHideBar = NULL,
                                        BOOL bUseTimer = TRUE) override;

    // ISPTabDockingHost
    BOOL DetachTabWnd(CSPBaseTabWnd* pTabWnd, int iTab, int nMode) override;
    void AttachRestoredBar(CSPBaseTabWnd* pTabWnd, UINT nBarID) override;

    BOOL IsAutoDestroy() const { return m_bAutoDestroy; }
    void SetAutoDestroy(BOOL bAutoDestroy) { m_bAutoDestroy = bAutoDestroy; }
    // Makes the active tab's label the caption (when the caption follows it).
    void UpdateCaptionFromActiveTab();
    // Activates a tab, moving the caption along.
    BOOL ActivateTab(int iTab);

protected:
    void PostNcDestroy() override;
    // Each visible detachable pane tab leaves the tab window for the dock
    // site, last to first; the panes come back in tab order.
    void TakeOutPaneTabs(CObList& lstPanes);

    BOOL m_bAutoDestroy;
    CSPBaseTabWnd* m_pTabWnd;
    BOOL m_bSetCaptionTextToTabName;

    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnNcDestroy();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    afx_msg LRESULT OnChangeActiveTab(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()
};
