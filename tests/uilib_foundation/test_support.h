// Helpers of the foundation tests: memory DCs, a forced colour depth, and a
// scope that leaves no current visual manager behind.
#pragma once
#include "afxwin.h"
#include "SPGlobalData.h"
#include "SPVisualManager.h"

#include "ForcedBitsPerPixel.h"
#include "MemoryDC.h"
#include "MessagePump.h"

// Leaves no current visual manager behind.
struct ManagerReset {
    ManagerReset() { Reset(); }
    ~ManagerReset() { Reset(); }
    static void Reset() {
        CSPVisualManager::DestroyInstance();
        CSPVisualManager::s_pDefaultClass = NULL;
    }
};
