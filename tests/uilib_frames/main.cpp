// The test program of the library frames: one application object whose
// registry key is this program's own; no message box may ever block.
#include "afxwin.h"
#include <gtest/gtest.h>

#include "MessageBoxRecorder.h"

class CFramesTestApp : public CWinApp {
public:
    CFramesTestApp() : CWinApp(_T("UilibFramesTests")) {}
    BOOL InitInstance() override { return TRUE; }
};
CFramesTestApp theFramesTestApp;

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    // Every state key lands below HKCU\SOFTWARE\TomewiseTests\UilibFramesTests.
    theFramesTestApp.SetRegistryKey(_T("TomewiseTests"));
    int nResult = RunAllTestsWithoutMessageBoxes();
    ::RegDeleteTreeA(HKEY_CURRENT_USER, "SOFTWARE\\TomewiseTests\\UilibFramesTests");
    return nResult;
}
