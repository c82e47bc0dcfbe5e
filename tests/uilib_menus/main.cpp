// The test program of the library menus: one application object; no
// message box may ever block.
#include "afxwin.h"
#include <gtest/gtest.h>

#include "MessageBoxRecorder.h"

class CMenusTestApp : public CWinApp {
public:
    CMenusTestApp() : CWinApp(_T("UilibMenusTests")) {}
    BOOL InitInstance() override { return TRUE; }
};
CMenusTestApp theMenusTestApp;

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    theMenusTestApp.SetRegistryKey(_T("TomewiseTests"));
    const int nResult = RunAllTestsWithoutMessageBoxes();
    ::RegDeleteTreeA(HKEY_CURRENT_USER, "SOFTWARE\\TomewiseTests\\UilibMenusTests");
    return nResult;
}
