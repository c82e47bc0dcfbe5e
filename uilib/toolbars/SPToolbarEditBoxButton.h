// SPToolbarEditBoxButton.h - CSPToolbarEditBoxButton: a toolbar button that
// hosts a single-line edit on horizontal bars.
#pragma once
#include "SPToolbarButton.h"

class CSPToolbarEditBoxButton : public CSPToolbarButton {
    DECLARE_SERIAL(CSPToolbarEditBoxButton)

public:
    CSPToolbarEditBoxButton();
    virtual ~CSPToolbarEditBoxButton();
};
