// afxpriv.h - the private messages and CTestCmdUI (afxwnd.h).
#pragma once
#include "afxwin.h"
