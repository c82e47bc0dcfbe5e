// The test program of the UI library's controls: one application object,
// no message box may ever block.
#include "afxwin.h"
#include <gtest/gtest.h>
#include <string>
#include <vector>

class CControlsTestApp : public CWinApp {
public:
    CControlsTestApp() : CWinApp(_T("UilibControlsTests")) {}
};
CControlsTestApp theControlsTestApp;

static std::vector<std::string> g_messageBoxes;

static int AFXAPI RecordMessageBox(LPCTSTR lpszText, UINT, UINT) {
    g_messageBoxes.push_back(lpszText);
    return IDCANCEL;
}

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    AfxSetMessageBoxHook(&RecordMessageBox);
    int nResult = RUN_ALL_TESTS();
    for (const std::string& s : g_messageBoxes) fprintf(stderr, "unexpected message box: %s\n", s.c_str());
    return nResult != 0 || !g_messageBoxes.empty();
}
