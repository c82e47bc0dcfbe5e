// TomewiseApp.cpp - start-up, the About box and the end of the process.
#include "TomewiseApp.h"

#include <ole2.h>

#include "AppState.h"
#include "ChildFrm.h"
#include "ConvertProgressDlg.h"
#include "GeckoHost.h"
#include "MainFrm.h"
#include "SPURLLinkButton.h"
#include "TomewiseDoc.h"
#include "TomewiseResource.h"
#include "TomewiseView.h"

CTomewiseApp theApp;

// The engine host, created by the first Open CHM File and deleted at exit.
CGeckoHost* g_pGeckoHost = NULL;

namespace {

class CAboutDlg : public CDialog {
public:
    CAboutDlg() : CDialog(IDD_ABOUTBOX) {}

protected:
    void DoDataExchange(CDataExchange* pDX) override {
        CDialog::DoDataExchange(pDX);
        DDX_Control(pDX, IDC_ABOUT_LINK, m_btnLink);
    }
    // The link button opens its address itself.
    afx_msg void OnLinkClicked() {}
    DECLARE_MESSAGE_MAP()

private:
    CSPURLLinkButton m_btnLink;
};

BEGIN_MESSAGE_MAP(CAboutDlg, CDialog)
    ON_BN_CLICKED(IDC_ABOUT_LINK, OnLinkClicked)
END_MESSAGE_MAP()

}  // namespace

BEGIN_MESSAGE_MAP(CTomewiseApp, CWinApp)
    ON_COMMAND(ID_APP_ABOUT, OnAppAbout)
    ON_COMMAND(ID_FILE_PRINT_SETUP, CWinApp::OnFilePrintSetup)
END_MESSAGE_MAP()

CTomewiseApp::CTomewiseApp() : CSPWorkspace(FALSE), m_pMainFrame(NULL), m_pDocTemplate(NULL), m_bStarted(FALSE) {}

BOOL CTomewiseApp::InitInstance() {
    if (FAILED(::OleInitialize(NULL))) {
        AfxMessageBox(IDS_OLE_INIT_FAILED);
        return FALSE;
    }
    AfxEnableControlContainer();
    Enable3dControls();
    SetRegistryKey(_T("KARVOLEN"));
    LoadStdProfileSettings(4);
    SetRegistryBase(_T("Settings"));

    // The document name, resolved once against the folder the program
    // started in.
    TCHAR szPath[MAX_PATH * 2];
    if (!AfxFullPath(szPath, _T("CHM Contents"))) lstrcpyn(szPath, _T("CHM Contents"), MAX_PATH);
    m_strContentsDocPath = szPath;

    m_pDocTemplate = new CMultiDocTemplate(IDR_TOMEWISETYPE, RUNTIME_CLASS(CTomewiseDoc),
                                           RUNTIME_CLASS(CChildFrame), RUNTIME_CLASS(CTomewiseView));
    AddDocTemplate(m_pDocTemplate);

    m_pMainFrame = new CMainFrame;
    if (!m_pMainFrame->LoadFrame(IDR_MAINFRAME, WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE, NULL, NULL)) {
        // A frame that failed to load has deleted itself.
        m_pMainFrame = NULL;
        return FALSE;
    }
    m_pMainWnd = m_pMainFrame;

    CCommandLineInfo cmdInfo;
    ParseCommandLine(cmdInfo);
    if (!ProcessShellCommand(cmdInfo)) return FALSE;

    m_pMainFrame->ShowWindow(m_nCmdShow);
    m_pMainFrame->UpdateWindow();
    m_bStarted = TRUE;
    return TRUE;
}

int CTomewiseApp::ExitInstance() {
    if (g_pConvertProgressDlg != NULL) {
        delete g_pConvertProgressDlg;
        g_pConvertProgressDlg = NULL;
    }
    if (g_pGeckoHost != NULL) {
        delete g_pGeckoHost;
        g_pGeckoHost = NULL;
    }
    CWinApp::ExitInstance();
    ::OleUninitialize();
    // At once: the engine's objects are gone, nothing else needs its
    // destructor. A failed start must not read as success.
    ::ExitProcess(m_bStarted ? 0 : 1);
    return 0;
}

void CTomewiseApp::OnAppAbout() {
    CAboutDlg dlg;
    dlg.DoModal();
}

CTomewiseView* AfxGetContentsView() {
    CDocument* pDoc = theApp.OpenDocumentFile(theApp.GetContentsDocPath());
    if (pDoc == NULL) return NULL;
    POSITION pos = pDoc->GetFirstViewPosition();
    CView* pView = pos != NULL ? pDoc->GetNextView(pos) : NULL;
    return DYNAMIC_DOWNCAST(CTomewiseView, pView);
}
