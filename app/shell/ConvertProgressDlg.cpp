// ConvertProgressDlg.cpp - the conversion progress dialog.
#include "ConvertProgressDlg.h"

#include <commctrl.h>

#include "AppState.h"

BEGIN_MESSAGE_MAP(CConvertProgressDlg, CDialog)
    ON_BN_CLICKED(IDC_CANCEL_CONVERT, OnCancelConvert)
    ON_WM_CLOSE()
    ON_WM_TIMER()
END_MESSAGE_MAP()

CConvertProgressDlg::CConvertProgressDlg()
    : CDialog(IDD_CONVERT_PROGRESS), m_nPercent(0), m_nSeconds(0), m_nTimer(0), m_dwCurrentShown(0) {}

CConvertProgressDlg::~CConvertProgressDlg() {
    if (m_hWnd) {
        if (m_nTimer) KillTimer(m_nTimer);
        DestroyWindow();
    }
}

BOOL CConvertProgressDlg::Create(CWnd* pParentWnd) {
    return CDialog::Create(IDD_CONVERT_PROGRESS, pParentWnd);
}

void CConvertProgressDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_OPEN_PDF, m_btnOpen);
    DDX_Control(pDX, IDC_CONVERT_PROGRESS, m_ctlProgress);
    DDX_Text(pDX, IDC_CURRENT_URL, m_strCurrent);
    DDX_Text(pDX, IDC_DEST_PDF, m_strDestination);
    DDX_Text(pDX, IDC_SOURCE_CHM, m_strSource);
}

BOOL CConvertProgressDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    m_ctlProgress.SetRange32(0, 100);
    return TRUE;
}

void CConvertProgressDlg::Start() {
    m_nSeconds = 0;
    if (!m_hWnd) return;
    ShowWindow(SW_SHOW);
    if (m_nTimer) KillTimer(m_nTimer);
    m_nTimer = SetTimer(1, 1000, NULL);
}

void CConvertProgressDlg::Stop() {
    if (!m_hWnd) return;
    ShowWindow(SW_HIDE);
    if (m_nTimer) KillTimer(m_nTimer);
    m_nTimer = 0;
}

void CConvertProgressDlg::SetPercent(int nPercent) {
    if (nPercent == m_nPercent && m_ctlProgress.m_hWnd && m_ctlProgress.GetPos() == nPercent) return;
    m_nPercent = nPercent;
    if (m_ctlProgress.m_hWnd) m_ctlProgress.SetPos(nPercent);
}

void CConvertProgressDlg::SetCurrentPage(LPCTSTR lpszPage) {
    m_strCurrent = lpszPage ? lpszPage : "";
    // A walk over thousands of entries without pages would spend its time
    // redrawing this text: the control follows at most every 50 ms, and the
    // timer brings it up to date.
    DWORD now = ::GetTickCount();
    if (m_hWnd && now - m_dwCurrentShown >= 50) {
        SetDlgItemText(IDC_CURRENT_URL, m_strCurrent);
        m_dwCurrentShown = now;
    }
}

void CConvertProgressDlg::SetSource(LPCTSTR lpszChm) {
    m_strSource = lpszChm ? lpszChm : "";
    if (m_hWnd) SetDlgItemText(IDC_SOURCE_CHM, m_strSource);
}

void CConvertProgressDlg::SetDestination(LPCTSTR lpszPdf) {
    m_strDestination = lpszPdf ? lpszPdf : "";
    if (m_hWnd) SetDlgItemText(IDC_DEST_PDF, m_strDestination);
}

void CConvertProgressDlg::SetOpenWhenDone(BOOL bOpen) {
    if (m_btnOpen.m_hWnd) m_btnOpen.SendMessage(BM_SETCHECK, bOpen ? BST_CHECKED : BST_UNCHECKED);
}

BOOL CConvertProgressDlg::GetOpenWhenDone() const {
    return m_btnOpen.m_hWnd && m_btnOpen.SendMessage(BM_GETCHECK) == BST_CHECKED;
}

void CConvertProgressDlg::Report() {
    if (!g_pConvertProgressDlg) {
        CConvertProgressDlg* dlg = new CConvertProgressDlg;
        if (!dlg->Create(AfxGetMainWnd())) {
            delete dlg;
            return;
        }
        g_pConvertProgressDlg = dlg;
    }
    if (g_bConverting)
        g_pConvertProgressDlg->Start();
    else
        g_pConvertProgressDlg->Stop();
}

void CConvertProgressDlg::OnCancelConvert() {
    if (AfxMessageBox("CHM file is converting to PDF file, do you confirm to cancel?", MB_OKCANCEL) ==
        IDCANCEL)
        return;
    g_bConverting = FALSE;
    Stop();
    // A wait of the engine that is running a nested message loop notices the
    // cleared flag at its next message: make sure one comes.
    PostMessage(WM_NULL);
}

void CConvertProgressDlg::OnClose() { ShowWindow(SW_MINIMIZE); }

CString CConvertProgressDlg::FormatTime(LPCTSTR lpszLabel, int nSeconds) {
    CString s;
    s.Format("%s %02d:%02d:%02d", lpszLabel, nSeconds / 3600, (nSeconds % 3600) / 60, nSeconds % 60);
    return s;
}

int CConvertProgressDlg::RemainingSeconds(int nPercent, int nSeconds) {
    if (nPercent == 0 || nPercent == 100) return -1;
    return static_cast<int>(static_cast<double>(100 - nPercent) * nSeconds / nPercent);
}

void CConvertProgressDlg::OnTimer(UINT_PTR nIDEvent) {
    if (nIDEvent == 1) {
        CString shown;
        GetDlgItemText(IDC_CURRENT_URL, shown);
        if (shown != m_strCurrent) SetDlgItemText(IDC_CURRENT_URL, m_strCurrent);
        ++m_nSeconds;
        SetDlgItemText(IDC_TIME_USED, FormatTime("Time used:", m_nSeconds));
        if (!g_bConverting) ShowWindow(SW_HIDE);
        if (m_nSeconds % 2 == 1) {
            int remaining = RemainingSeconds(m_nPercent, m_nSeconds);
            if (remaining >= 0)
                SetDlgItemText(IDC_TIME_REMAINING, FormatTime("Time remaining:", remaining));
        }
    }
    Default();
}
