// The test program of the toolbars: one application object whose registry
// key is this program's own; no message box may ever block.
#include "afxwin.h"
#include <gtest/gtest.h>

#include "MessageBoxRecorder.h"

class CToolbarsTestApp : public CWinApp {
public:
    CToolbarsTestApp() : CWinApp(_T("UilibToolbarsTests")) {}
    BOOL InitInstance() override { return TRUE; }
};
CToolbarsTestApp theToolbarsTestApp;

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    theToolbarsTestApp.SetRegistryKey(_T("TomewiseTests"));
    const int nResult = RunAllTestsWithoutMessageBoxes();
    // A child run by a test reads what its parent saved; the parent cleans up.
    if (::GetEnvironmentVariableA("TW_TOOLBARS_CHILD", NULL, 0) != 0) return nResult;
    ::RegDeleteTreeA(HKEY_CURRENT_USER, "SOFTWARE\\TomewiseTests\\UilibToolbarsTests");
    ::RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\TomewiseTests\\uilib_toolbars");
    return nResult;
}
