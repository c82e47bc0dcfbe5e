// The application object of the tests (the program's main is the shared one
// of tests/support).
#include "test_app.h"

CTestApp theTestApp;
