// ForcedBitsPerPixel.h - makes the UI library believe in another screen
// colour depth while alive (for programs that link the UI foundation).
#pragma once
#include "SPGlobalData.h"

// Rebuilds the colours for another bit depth, and back on leaving.
struct ForcedBitsPerPixel {
    explicit ForcedBitsPerPixel(int nBits) {
        SPGlobalData::s_nForceBitsPerPixel = nBits;
        spGlobalData.UpdateSysColors();
    }
    ~ForcedBitsPerPixel() {
        SPGlobalData::s_nForceBitsPerPixel = 0;
        spGlobalData.UpdateSysColors();
    }
};
