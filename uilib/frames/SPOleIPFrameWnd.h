// SPOleIPFrameWnd.h - CSPOleIPFrameWnd: the library's in-place frame of an
// embedded object, with the docking services every library frame offers its
// bars.
#pragma once
#include "SPFrameImpl.h"

class CSPOleIPFrameWnd : public CSPDockingFrame<CFrameWnd> {
    DECLARE_DYNCREATE(CSPOleIPFrameWnd)

public:
    CSPOleIPFrameWnd();
    virtual ~CSPOleIPFrameWnd();
};
