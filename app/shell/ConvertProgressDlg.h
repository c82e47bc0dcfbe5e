// ConvertProgressDlg.h - CConvertProgressDlg, the modeless dialog that shows
// a conversion's progress and lets the user cancel it.
//
// The conversion driver writes the percent, the progress bar and the three
// texts (through the Set* helpers, which keep member and control alike) and
// reads the open-when-done check box. A one-second timer shows the time used
// and the estimated time remaining.
#pragma once

#include "afxwin.h"
#include "afxcmn.h"
#include "ShellResource.h"

class CConvertProgressDlg : public CDialog {
public:
    CConvertProgressDlg();
    ~CConvertProgressDlg() override;

    enum { IDD = IDD_CONVERT_PROGRESS };

    // Creates the modeless dialog from its template.
    BOOL Create(CWnd* pParentWnd = NULL);

    // seconds = 0, shows the dialog and starts the one-second timer.
    void Start();
    // Hides the dialog and kills the timer.
    void Stop();

    void SetPercent(int nPercent);           // the percent and the progress bar
    void SetCurrentPage(LPCTSTR lpszPage);   // 1045
    void SetSource(LPCTSTR lpszChm);         // 1047
    void SetDestination(LPCTSTR lpszPdf);    // 1048
    void SetOpenWhenDone(BOOL bOpen);        // 1072
    BOOL GetOpenWhenDone() const;

    // The shell's kind-1 progress report: creates the dialog when there is
    // none (g_pConvertProgressDlg), then starts it while the converting flag
    // is set and stops it when the flag is clear.
    static void Report();

    // "Time used: %02d:%02d:%02d" and "Time remaining: ..." of a count of
    // seconds; the remaining time of a percent after some seconds (-1 when
    // it is not shown: at 0 % and 100 %).
    static CString FormatTime(LPCTSTR lpszLabel, int nSeconds);
    static int RemainingSeconds(int nPercent, int nSeconds);

    int m_nPercent;
    CButton m_btnOpen;           // 1072
    CProgressCtrl m_ctlProgress; // 1043
    CString m_strCurrent;        // 1045
    CString m_strDestination;    // 1048
    CString m_strSource;         // 1047
    int m_nSeconds;
    UINT_PTR m_nTimer;
    DWORD m_dwCurrentShown;  // when the current-page control was last written

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    afx_msg void OnCancelConvert();
    afx_msg void OnClose();
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    DECLARE_MESSAGE_MAP()
};
