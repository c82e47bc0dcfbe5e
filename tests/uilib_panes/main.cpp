// The test program of the docking panes: one application object; no
// message box may ever block.
#include "afxwin.h"
#include <gtest/gtest.h>

#include "MessageBoxRecorder.h"

class CPanesTestApp : public CWinApp {
public:
    CPanesTestApp() : CWinApp(_T("UilibPanesTests")) {}
    BOOL InitInstance() override { return TRUE; }
};
CPanesTestApp thePanesTestApp;

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    return RunAllTestsWithoutMessageBoxes();
}
