// The test program: the application's own object (theApp) is started once,
// as tomewise.exe starts it, and every test drives its windows.
#include <gtest/gtest.h>

#include "MessageBoxRecorder.h"
#include "TomewiseApp.h"

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    // No file argument reaches the application's command line.
    __argc = 1;
    AfxWinInit(::GetModuleHandle(NULL), NULL, (LPTSTR) "", SW_SHOWNORMAL);
    return RunAllTestsWithoutMessageBoxes();
}
