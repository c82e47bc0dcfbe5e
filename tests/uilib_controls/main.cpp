// The test program of the UI library's controls: one application object,
// no message box may ever block.
#include "afxwin.h"
#include <gtest/gtest.h>

#include "MessageBoxRecorder.h"

class CControlsTestApp : public CWinApp {
public:
    CControlsTestApp() : CWinApp(_T("UilibControlsTests")) {}
};
CControlsTestApp theControlsTestApp;

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    return RunAllTestsWithoutMessageBoxes();
}
