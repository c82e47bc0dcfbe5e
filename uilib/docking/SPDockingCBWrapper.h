// SPDockingCBWrapper.h - CSPDockingCBWrapper: a docking pane whose only
// content is another window, so that a plain window (or a bar that is no
// docking pane) can take part in docking and tabbing.
#pragma once
#include "SPBaseTabWnd.h"
#include "SPDockingControlBar.h"

class CSPDockingCBWrapper : public CSPDockingControlBar, public ISPTabWrapper {
    DECLARE_DYNCREATE(CSPDockingCBWrapper)

public:
    CSPDockingCBWrapper();
    ~CSPDockingCBWrapper() override;

    // The registry section of the wrappers' own values.
    static LPCTSTR const m_lpszSection;

    // Whether the object deletes itself with its window (PostNcDestroy);
    // set before Create, a refused creation deletes it too.
    void SetAutoDelete(BOOL bAutoDelete) { m_bAutoDelete = bAutoDelete; }

    // --- operations the class adds, in slot order ----------------------------------
    // Makes the window the wrapper's content; a library bar hands over its
    // docking sides, its saved visibility and its restored flag.
    virtual BOOL SetWrappedWnd(CWnd* pWnd);
    virtual CWnd* GetWrappedWnd() const { return m_pWnd; }

    // --- the tab window's wrapper -------------------------------------------------
    // A wrapper made by a tab window for a plain window going into a tab:
    // it cannot float on its own and deletes itself with its window.
    BOOL CreateTabWrapper(CSPBaseTabWnd* pTabWnd, CWnd* pWnd, LPCTSTR lpszLabel) override;
    CWnd* GetWrappedWindow() const override { return m_pWnd; }

    // --- base operations --------------------------------------------------------------
    BOOL SaveState(LPCTSTR lpszProfileName = NULL, int nIndex = -1, UINT uiID = (UINT)-1) override;
    BOOL LoadState(LPCTSTR lpszProfileName = NULL, int nIndex = -1, UINT uiID = (UINT)-1) override;

    // The key of the wrapper's values (index -1: its control id).
    CString GetStateKey(LPCTSTR lpszProfileName, int nIndex, UINT uiID) const;

protected:
    void PostNcDestroy() override;

    BOOL m_bAutoDelete;
    CRect m_rectFloatingDefault;
    DWORD m_dwDockingAlignment;
    CWnd* m_pWnd;

    afx_msg void OnSize(UINT nType, int cx, int cy);
    DECLARE_MESSAGE_MAP()
};
