// TomewiseApp.h - CTomewiseApp, the one application object: start-up, the
// document template, the About box and the end of the process. Its second
// base, the library's workspace, keeps the user interface (bars, their
// places, customised toolbars and menus, the window's place) from one run to
// the next under "Settings".
#pragma once

#include "afxwin.h"
#include "afxdocvw.h"

#include "SPWorkspace.h"

class CMainFrame;

class CTomewiseApp : public CWinApp, public CSPWorkspace {
public:
    CTomewiseApp();

    BOOL InitInstance() override;
    // Deletes what outlives every command (the progress dialog and the
    // engine host) and ends the process: code 0 after a normal run, 1 after
    // a start-up that failed.
    int ExitInstance() override;

    // The full path the "CHM Contents" document is known by, fixed at
    // start-up so that file dialogs changing the current folder do not make
    // a second document of it.
    const CString& GetContentsDocPath() const { return m_strContentsDocPath; }

    CMainFrame* m_pMainFrame;
    CMultiDocTemplate* m_pDocTemplate;

protected:
    afx_msg void OnAppAbout();
    DECLARE_MESSAGE_MAP()

private:
    BOOL m_bStarted;  // InitInstance succeeded
    CString m_strContentsDocPath;
};

extern CTomewiseApp theApp;

// The document every command shows its pages in, opened (or found) by its
// full path; its first view, or null.
class CTomewiseView;
CTomewiseView* AfxGetContentsView();
