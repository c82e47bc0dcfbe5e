// AnalyzeDlg.h - CAnalyzeDlg, the modeless "Analyzing CHM, please wait..."
// dialog shown while a CHM is opened.
//
// Its progress bar is driven by time, not by the work: it fills in `m_nSteps`
// ticks of a one-second timer, a number the opener derives from the CHM's
// size (StepsForFileSize). Where the ticks come from is a seam (SetClock), so
// tests step seconds without waiting.
#pragma once

#include "afxwin.h"
#include "afxcmn.h"
#include "AppResource.h"

class CAnalyzeDlg : public CDialog {
public:
    // The source of the one-second ticks: a window timer unless a test puts
    // its own clock in place.
    class Clock {
    public:
        virtual ~Clock() {}
        // Starts ticks of nIDEvent every nElapse ms as WM_TIMER to pWnd;
        // answers the timer's id, 0 when none could be started.
        virtual UINT_PTR Start(CWnd* pWnd, UINT_PTR nIDEvent, UINT nElapse) = 0;
        virtual void Stop(CWnd* pWnd, UINT_PTR nIDEvent) = 0;
    };
    // Installs a clock for every analysing dialog created from now on (null:
    // the window timer again). Answers the one before (null for the default).
    static Clock* SetClock(Clock* pClock);

    CAnalyzeDlg();
    ~CAnalyzeDlg() override;

    enum { IDD = IDD_ANALYZE };

    // Ticks that make 100 %; set before Create.
    int m_nSteps;
    CProgressCtrl m_ctlProgress;  // 1043
    UINT_PTR m_nTimer;            // 0 when no timer runs
    int m_nTicks;

    // Creates the modeless dialog from its template with the given parent
    // (every other argument is ignored), starts the one-second timer and
    // puts the bar at 0 of 0..100. Not shown: the creator shows it.
    BOOL Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                CWnd* pParentWnd, UINT nID, void* pContext = NULL) override;
    BOOL Create(CWnd* pParentWnd = NULL);
    // Stops the timer, then destroys the window.
    BOOL DestroyWindow() override;

    // The steps for a CHM of nSize bytes (the low 32 bits of its size, taken
    // as signed): about one second per 50,000 bytes, at least 1.
    static int StepsForFileSize(LONG nSize);
    // The same for the file at lpszPath; 1 when it cannot be read.
    static int StepsForFile(LPCTSTR lpszPath);

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    DECLARE_MESSAGE_MAP()
};
