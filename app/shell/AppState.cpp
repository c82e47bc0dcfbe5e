// AppState.cpp - the shell's process-wide state and the progress callback.
#include "AppState.h"

#include "ConvertProgressDlg.h"

BOOL g_bConverting = FALSE;
char g_szChmFolder[1024];
CConvertProgressDlg* g_pConvertProgressDlg = nullptr;

namespace {

void DefaultConvertProgress(int nKind, LPCTSTR) {
    if (nKind == 1) CConvertProgressDlg::Report();
}

PFN_CONVERT_PROGRESS g_pfnConvertProgress = &DefaultConvertProgress;

}  // namespace

PFN_CONVERT_PROGRESS AfxSetConvertProgressHandler(PFN_CONVERT_PROGRESS pfn) {
    PFN_CONVERT_PROGRESS old = g_pfnConvertProgress;
    g_pfnConvertProgress = pfn ? pfn : &DefaultConvertProgress;
    return old == &DefaultConvertProgress ? nullptr : old;
}

void AfxConvertProgress(int nKind, LPCTSTR lpszText) {
    g_pfnConvertProgress(nKind, lpszText ? lpszText : "");
}
