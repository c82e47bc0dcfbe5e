// SPMDIChildWnd.h - CSPMDIChildWnd: a child frame of the library's multiple-
// document frame, with the docking services every library frame offers its
// bars.
#pragma once
#include "SPFrameImpl.h"

class CSPMDIChildWnd : public CSPDockingFrame<CMDIChildWnd> {
    DECLARE_DYNCREATE(CSPMDIChildWnd)

public:
    CSPMDIChildWnd();
    virtual ~CSPMDIChildWnd();
};
