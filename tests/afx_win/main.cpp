// The test program: one application object, GoogleTest's main.
#include "test_app.h"
#include <gtest/gtest.h>

CTestApp theTestApp;

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    // No test may ever block on a real message box.
    MessageBoxRecorder unexpected(IDCANCEL);
    int nResult = RUN_ALL_TESTS();
    for (const std::string& s : unexpected.texts) fprintf(stderr, "unexpected message box: %s\n", s.c_str());
    return nResult != 0 || !unexpected.texts.empty();
}
