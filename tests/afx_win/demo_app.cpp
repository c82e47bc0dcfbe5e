// A small program built only from the class library: the library's own
// WinMain and AfxWinMain start it; InitInstance opens a frame-less main
// window; the main window then runs a modal dialog, opens a modeless
// property sheet and closes everything, checking each step. The exit code
// is the number of failed checks (CTest reads it).
#include "afxwin.h"
#include "test_res.h"
#include <stdio.h>

namespace {

int g_nFailures = 0;
bool g_bAllStepsRan = false;

void Check(bool bOk, const char* what) {
    if (!bOk) {
        g_nFailures++;
        fprintf(stderr, "demo check failed: %s\n", what);
    }
}

int AFXAPI NoMessageBoxes(LPCTSTR lpszText, UINT, UINT) {
    Check(false, lpszText);  // nothing here should ever ask the user
    return IDCANCEL;
}

const UINT WM_DEMO_STEP = WM_APP + 1;

class CDemoDialog : public CDialog {
public:
    CString m_strName = _T("start");
    CDemoDialog() : CDialog(IDD_DATA) {}

protected:
    void DoDataExchange(CDataExchange* pDX) override { DDX_Text(pDX, IDC_NAME, m_strName); }
    BOOL OnInitDialog() override {
        CDialog::OnInitDialog();
        PostMessage(WM_DEMO_STEP);
        return TRUE;
    }
    afx_msg LRESULT OnStep(WPARAM, LPARAM) {
        CString str;
        GetDlgItemText(IDC_NAME, str);
        Check(str == _T("start"), "dialog shows the member");
        SetDlgItemText(IDC_NAME, _T("answered"));
        SendMessage(WM_COMMAND, IDOK);
        return 0;
    }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CDemoDialog, CDialog)
    ON_MESSAGE(WM_DEMO_STEP, OnStep)
END_MESSAGE_MAP()

class CDemoPage : public CPropertyPage {
public:
    explicit CDemoPage(UINT nID) : CPropertyPage(nID) {}
};

class CDemoWnd : public CWnd {
public:
    CDemoPage m_page1{IDD_PAGE1}, m_page2{IDD_PAGE2};
    CPropertySheet m_sheet{_T("Demo Sheet")};
    int m_nStep = 0;

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpcs) {
        if (CWnd::OnCreate(lpcs) == -1) return -1;
        PostMessage(WM_DEMO_STEP);
        return 0;
    }
    afx_msg LRESULT OnStep(WPARAM, LPARAM) {
        switch (m_nStep++) {
        case 0: {
            CDemoDialog dlg;
            Check(dlg.DoModal() == IDOK, "modal dialog answers IDOK");
            Check(dlg.m_strName == _T("answered"), "DDX read the answer back");
            PostMessage(WM_DEMO_STEP);
            break;
        }
        case 1:
            m_sheet.AddPage(&m_page1);
            m_sheet.AddPage(&m_page2);
            Check(m_sheet.Create(this) != FALSE, "modeless sheet opens");
            Check(m_sheet.GetActivePage() == &m_page1, "first page active");
            Check(m_sheet.SetActivePage(1) != FALSE, "second page selectable");
            Check(m_sheet.GetActivePage() == &m_page2, "second page active");
            PostMessage(WM_DEMO_STEP);
            break;
        default:
            g_bAllStepsRan = true;
            m_sheet.DestroyWindow();
            PostMessage(WM_CLOSE);  // ends the program through the main window
            break;
        }
        return 0;
    }
    void PostNcDestroy() override { delete this; }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CDemoWnd, CWnd)
    ON_WM_CREATE()
    ON_MESSAGE(WM_DEMO_STEP, OnStep)
END_MESSAGE_MAP()

class CDemoApp : public CWinApp {
public:
    BOOL InitInstance() override {
        AfxSetMessageBoxHook(&NoMessageBoxes);
        CDemoWnd* pWnd = new CDemoWnd;
        if (!pWnd->CreateEx(0, AfxRegisterWndClass(0, ::LoadCursor(NULL, IDC_ARROW), (HBRUSH)(COLOR_WINDOW + 1)),
                            _T("Demo"), WS_OVERLAPPEDWINDOW, 20, 20, 300, 200, NULL, NULL))
            return FALSE;
        m_pMainWnd = pWnd;
        pWnd->ShowWindow(m_nCmdShow);
        return TRUE;
    }
    int ExitInstance() override {
        CWinApp::ExitInstance();
        Check(m_pMainWnd == NULL, "main window gone");
        Check(g_bAllStepsRan, "every step ran");
        return g_nFailures;
    }
};

CDemoApp theApp;

}  // namespace
