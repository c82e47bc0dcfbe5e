// The test program of the outlook bar family and the tabbed toolbar: one
// application object whose registry key is this program's own; no message
// box may ever block.
#include "afxwin.h"
#include <gtest/gtest.h>

#include "MessageBoxRecorder.h"

class COutlookTestApp : public CWinApp {
public:
    COutlookTestApp() : CWinApp(_T("UilibOutlookTests")) {}
    BOOL InitInstance() override { return TRUE; }
};
COutlookTestApp theOutlookTestApp;

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    theOutlookTestApp.SetRegistryKey(_T("TomewiseTests"));
    const int nResult = RunAllTestsWithoutMessageBoxes();
    ::RegDeleteTreeA(HKEY_CURRENT_USER, "SOFTWARE\\TomewiseTests\\UilibOutlookTests");
    return nResult;
}
