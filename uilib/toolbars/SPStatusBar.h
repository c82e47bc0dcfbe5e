// SPStatusBar.h - CSPStatusBar: the library's status bar. So far the class
// the docking layer asks about: the dock manager never hides a status bar
// when it hides the bars for print preview or as a whole.
#pragma once
#include "SPControlBar.h"

class CSPStatusBar : public CSPControlBar {
    DECLARE_DYNCREATE(CSPStatusBar)

public:
    CSPStatusBar();
    virtual ~CSPStatusBar();
};
