// TestMain.cpp - the main of the test programs that use the class library:
// every test runs with message boxes refused (MessageBoxRecorder.h).
#include <gtest/gtest.h>

#include "MessageBoxRecorder.h"

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    return RunAllTestsWithoutMessageBoxes();
}
