// The test program of the customisation sheet: one application object whose
// registry key is this program's own; no message box may ever block.
#include "afxwin.h"
#include <gtest/gtest.h>

#include "MessageBoxRecorder.h"
#include "customize_support.h"

std::vector<std::pair<DWORD_PTR, UINT>> custtest::g_winHelpCalls;

// Help is recorded, never shown.
class CCustomizeTestApp : public CWinApp {
public:
    CCustomizeTestApp() : CWinApp(_T("UilibCustomizeTests")) {}
    BOOL InitInstance() override { return TRUE; }
    void WinHelp(DWORD_PTR dwData, UINT nCmd) override { custtest::g_winHelpCalls.emplace_back(dwData, nCmd); }
};
CCustomizeTestApp theCustomizeTestApp;

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    theCustomizeTestApp.SetRegistryKey(_T("TomewiseTests"));
    const int nResult = RunAllTestsWithoutMessageBoxes();
    ::RegDeleteTreeA(HKEY_CURRENT_USER, "SOFTWARE\\TomewiseTests\\UilibCustomizeTests");
    return nResult;
}
