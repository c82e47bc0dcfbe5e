// SPOleDocIPFrameWnd.h - CSPOleDocIPFrameWnd: the library's in-place frame
// of an embedded document; it behaves as CSPOleIPFrameWnd does.
#pragma once
#include "SPOleIPFrameWnd.h"

class CSPOleDocIPFrameWnd : public CSPInPlaceFrame<COleDocIPFrameWnd> {
    DECLARE_DYNCREATE(CSPOleDocIPFrameWnd)

public:
    CSPOleDocIPFrameWnd();
    virtual ~CSPOleDocIPFrameWnd();
};
