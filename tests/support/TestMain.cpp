// TestMain.cpp - the main of a test program that needs nothing else at
// start: every test runs, and no message box may block or go unnoticed.
#include <gtest/gtest.h>

#include "MessageBoxRecorder.h"

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    return RunAllTestsWithoutMessageBoxes();
}
