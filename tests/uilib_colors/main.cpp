// The test program of the colour bars and popups: one application object; no
// message box may ever block.
#include "afxwin.h"
#include <gtest/gtest.h>

#include "MessageBoxRecorder.h"

class CColorsTestApp : public CWinApp {
public:
    CColorsTestApp() : CWinApp(_T("UilibColorsTests")) {}
    BOOL InitInstance() override { return TRUE; }
};
CColorsTestApp theColorsTestApp;

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    theColorsTestApp.SetRegistryKey(_T("TomewiseTests"));
    const int nResult = RunAllTestsWithoutMessageBoxes();
    ::RegDeleteTreeA(HKEY_CURRENT_USER, "SOFTWARE\\TomewiseTests\\UilibColorsTests");
    return nResult;
}
