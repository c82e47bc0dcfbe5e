// The test program of the button appearance dialog, the image editor and
// the image grid: one application object whose registry key is this
// program's own; no message box may ever block.
#include "afxwin.h"
#include <gtest/gtest.h>

#include "MessageBoxRecorder.h"

class CAppearanceTestApp : public CWinApp {
public:
    CAppearanceTestApp() : CWinApp(_T("UilibAppearanceTests")) {}
    BOOL InitInstance() override { return TRUE; }
};
CAppearanceTestApp theAppearanceTestApp;

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    theAppearanceTestApp.SetRegistryKey(_T("TomewiseTests"));
    const int nResult = RunAllTestsWithoutMessageBoxes();
    ::RegDeleteTreeA(HKEY_CURRENT_USER, "SOFTWARE\\TomewiseTests\\UilibAppearanceTests");
    return nResult;
}
