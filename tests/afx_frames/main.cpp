// The test program of the frame tests: one application object, GoogleTest's main.
#include "frames_test.h"
#include <gtest/gtest.h>

CFramesTestApp theTestApp;

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    return RunAllTestsWithoutMessageBoxes();
}
