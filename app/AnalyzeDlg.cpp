// AnalyzeDlg.cpp - the analysing dialog and its time-based progress bar.
#include "AnalyzeDlg.h"

namespace {

class CWindowTimerClock : public CAnalyzeDlg::Clock {
public:
    UINT_PTR Start(CWnd* pWnd, UINT_PTR nIDEvent, UINT nElapse) override {
        return pWnd->SetTimer(nIDEvent, nElapse, NULL);
    }
    void Stop(CWnd* pWnd, UINT_PTR nIDEvent) override { pWnd->KillTimer(nIDEvent); }
};

CWindowTimerClock g_windowTimerClock;
CAnalyzeDlg::Clock* g_pClock = &g_windowTimerClock;

}  // namespace

CAnalyzeDlg::Clock* CAnalyzeDlg::SetClock(Clock* pClock) {
    Clock* pOld = g_pClock;
    g_pClock = pClock ? pClock : &g_windowTimerClock;
    return pOld == &g_windowTimerClock ? nullptr : pOld;
}

BEGIN_MESSAGE_MAP(CAnalyzeDlg, CDialog)
    ON_WM_TIMER()
END_MESSAGE_MAP()

CAnalyzeDlg::CAnalyzeDlg() : CDialog(IDD_ANALYZE), m_nSteps(1), m_nTimer(0), m_nTicks(0) {}

CAnalyzeDlg::~CAnalyzeDlg() {
    if (m_hWnd) DestroyWindow();
}

void CAnalyzeDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_ANALYZE_PROGRESS, m_ctlProgress);
}

BOOL CAnalyzeDlg::Create(LPCTSTR, LPCTSTR, DWORD, const RECT&, CWnd* pParentWnd, UINT, void*) {
    BOOL bCreated = CDialog::Create(IDD_ANALYZE, pParentWnd);
    m_nTicks = 0;
    if (!bCreated) return FALSE;
    m_nTimer = g_pClock->Start(this, 1, 1000);
    m_ctlProgress.SetRange(0, 100);
    m_ctlProgress.SetPos(0);
    return bCreated;
}

BOOL CAnalyzeDlg::Create(CWnd* pParentWnd) {
    return Create(NULL, NULL, 0, CRect(0, 0, 0, 0), pParentWnd, 0);
}

BOOL CAnalyzeDlg::DestroyWindow() {
    if (m_nTimer && m_hWnd) g_pClock->Stop(this, m_nTimer);
    m_nTimer = 0;
    return CDialog::DestroyWindow();
}

void CAnalyzeDlg::OnTimer(UINT_PTR nIDEvent) {
    if (nIDEvent == 1) ++m_nTicks;
    // Past 100 the control keeps the bar full. A creator that left the
    // steps at 0 gets a full bar rather than a division by zero.
    const int nSteps = m_nSteps > 0 ? m_nSteps : 1;
    m_ctlProgress.SetPos(static_cast<int>(m_nTicks * 100.0 / nSteps));
}

int CAnalyzeDlg::StepsForFileSize(LONG nSize) {
    // The factor is the single-precision 0.00002 (1.9999999494757503e-05),
    // multiplied in double: a file of 1,000,000 bytes makes 19 steps.
    const double dSteps = static_cast<double>(nSize) * static_cast<double>(0.00002f);
    return dSteps < 1.0 ? 1 : static_cast<int>(dSteps);
}

int CAnalyzeDlg::StepsForFile(LPCTSTR lpszPath) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!::GetFileAttributesExA(lpszPath, GetFileExInfoStandard, &data)) return 1;
    return StepsForFileSize(static_cast<LONG>(data.nFileSizeLow));
}
