// TomewiseView.h - CTomewiseView, the page view of the "CHM Contents"
// document and the command target of the CHM commands: open, close,
// convert, export, options and help.
#pragma once

#include "afxhtml.h"

// The full path of the open CHM (a C heap string), null when none is open.
extern char* g_pszChmPath;

class CTomewiseView : public CHtmlView {
    DECLARE_DYNCREATE(CTomewiseView)

public:
    CTomewiseView();
    ~CTomewiseView() override;

    // The engine's progress callback: kind 0 to the status bar, kind 1 shows
    // or stops the progress dialog.
    static void OnConvertProgress(int nKind, LPCTSTR lpszText);
    // Nonzero while Convert to PDF runs (the engine's conversion included).
    static int s_nConvertDepth;

    CString m_strLastExportFolder;

    afx_msg void OnOpenChmFile();
    afx_msg void OnCloseChmFile();
    afx_msg void OnConvertToPdf();
    afx_msg void OnExportWebPages();
    afx_msg void OnOptions();
    afx_msg void OnHelpContent();
    afx_msg void OnHelpGettingStarted();
    afx_msg void OnHelpFaq();

protected:
    void OnActivateView(BOOL bActivate, CView* pActivateView, CView* pDeactiveView) override;
    // Whether a conversion runs; if so says so.
    static BOOL RefuseWhileConverting();
    // Whether a CHM is open whose file name has an extension; else says
    // what is missing (`lpszNoExtension`).
    static BOOL CheckChmForCommand(LPCTSTR lpszNoExtension);
    static void ShowHelp(LPCTSTR lpszAddress);
    DECLARE_MESSAGE_MAP()
};
