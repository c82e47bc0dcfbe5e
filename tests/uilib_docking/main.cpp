// The test program of the docking layer: one application object whose
// registry key is this program's own, no message box may ever block.
#include "afxwin.h"
#include <gtest/gtest.h>
#include <string>
#include <vector>

class CDockingTestApp : public CWinApp {
public:
    CDockingTestApp() : CWinApp(_T("UilibDockingTests")) {}
    BOOL InitInstance() override { return TRUE; }
};
CDockingTestApp theDockingTestApp;

static std::vector<std::string> g_messageBoxes;

static int AFXAPI RecordMessageBox(LPCTSTR lpszText, UINT, UINT) {
    g_messageBoxes.push_back(lpszText);
    return IDCANCEL;
}

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    AfxSetMessageBoxHook(&RecordMessageBox);
    // Every default state key lands below HKCU\SOFTWARE\TomewiseTests\UilibDockingTests.
    theDockingTestApp.SetRegistryKey(_T("TomewiseTests"));
    int nResult = RUN_ALL_TESTS();
    ::RegDeleteTreeA(HKEY_CURRENT_USER, "SOFTWARE\\TomewiseTests\\UilibDockingTests");
    ::RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\TomewiseTests\\uilib_docking");
    for (const std::string& s : g_messageBoxes) fprintf(stderr, "unexpected message box: %s\n", s.c_str());
    return nResult != 0 || !g_messageBoxes.empty();
}
