// afxmt.h - synchronisation: CCriticalSection and CSingleLock (afxapp.h).
#pragma once
#include "afxwin.h"
