// SPOleCntrFrameWnd.h - CSPOleCntrFrameWnd: the library's wrapper of a
// container's frame around an in-place object, with the docking services
// every library frame offers its bars.
#pragma once
#include "SPFrameImpl.h"

class CSPOleCntrFrameWnd : public CSPDockingFrame<CFrameWnd> {
    DECLARE_DYNAMIC(CSPOleCntrFrameWnd)

public:
    CSPOleCntrFrameWnd();
    virtual ~CSPOleCntrFrameWnd();
};
