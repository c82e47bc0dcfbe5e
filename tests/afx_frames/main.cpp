// The test program of the frame tests: one application object, GoogleTest's main.
#include "frames_test.h"
#include <gtest/gtest.h>

CFramesTestApp theTestApp;

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    MessageBoxRecorder unexpected(IDCANCEL);  // no test may block on a message box
    int nResult = RUN_ALL_TESTS();
    for (const std::string& s : unexpected.texts) fprintf(stderr, "unexpected message box: %s\n", s.c_str());
    return nResult != 0 || !unexpected.texts.empty();
}
