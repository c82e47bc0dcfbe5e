// The application object of the frame tests (the program's main is the
// shared one of tests/support).
#include "frames_test.h"

CFramesTestApp theTestApp;
