// The test program of the docking layer: one application object whose
// registry key is this program's own; no message box may ever block.
#include "afxwin.h"
#include <gtest/gtest.h>

#include "MessageBoxRecorder.h"

class CDockingTestApp : public CWinApp {
public:
    CDockingTestApp() : CWinApp(_T("UilibDockingTests")) {}
    BOOL InitInstance() override { return TRUE; }
};
CDockingTestApp theDockingTestApp;

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    // Every default state key lands below HKCU\SOFTWARE\TomewiseTests\UilibDockingTests.
    theDockingTestApp.SetRegistryKey(_T("TomewiseTests"));
    int nResult = RunAllTestsWithoutMessageBoxes();
    ::RegDeleteTreeA(HKEY_CURRENT_USER, "SOFTWARE\\TomewiseTests\\UilibDockingTests");
    ::RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\TomewiseTests\\uilib_docking");
    return nResult;
}
