// SPOleDocIPFrameWnd.h - CSPOleDocIPFrameWnd: the library's in-place frame
// of an embedded document, with the docking services every library frame
// offers its bars.
#pragma once
#include "SPFrameImpl.h"

class CSPOleDocIPFrameWnd : public CSPDockingFrame<CFrameWnd> {
    DECLARE_DYNCREATE(CSPOleDocIPFrameWnd)

public:
    CSPOleDocIPFrameWnd();
    virtual ~CSPOleDocIPFrameWnd();
};
