// The test program: one application object, GoogleTest's main.
#include "test_app.h"
#include <gtest/gtest.h>

CTestApp theTestApp;

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    return RunAllTestsWithoutMessageBoxes();
}
