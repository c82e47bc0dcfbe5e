// SPReBar.h - CSPReBar: the library's rebar. So far the class the docking
// layer asks about: a dock bar looking for a bar by control id also looks
// among the bands of a rebar docked in it, which are the rebar's child
// windows.
#pragma once
#include "SPControlBar.h"

class CSPReBar : public CSPControlBar {
    DECLARE_DYNCREATE(CSPReBar)

public:
    CSPReBar();
    virtual ~CSPReBar();
};
