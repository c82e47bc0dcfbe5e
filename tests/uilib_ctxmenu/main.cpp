// The test program of the context menus, tear-off menus and menu button:
// one application object whose registry key is this program's own; no
// message box may ever block.
#include "afxwin.h"
#include <gtest/gtest.h>

#include "MessageBoxRecorder.h"
#include "ctxmenu_support.h"

class CContextMenuTestApp : public CWinApp {
public:
    CContextMenuTestApp() : CWinApp(_T("UilibContextMenuTests")) {}
    BOOL InitInstance() override { return TRUE; }
};
CContextMenuTestApp theContextMenuTestApp;

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    theContextMenuTestApp.SetRegistryKey(_T("TomewiseTests"));
    const int nResult = RunAllTestsWithoutMessageBoxes();
    // A child run by a test reads what its parent saved; the parent cleans up.
    if (ctxtest::IsChild()) return nResult;
    ::RegDeleteTreeA(HKEY_CURRENT_USER, "SOFTWARE\\TomewiseTests\\UilibContextMenuTests");
    return nResult;
}
