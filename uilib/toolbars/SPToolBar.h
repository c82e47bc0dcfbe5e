// SPToolBar.h - the toolbar family.
//
// Its process-wide state (g_bCustomizeMode, g_lstAllToolbars) lives in the
// foundation, which reads it too. The toolbar class itself, CSPToolBar, is
// declared here once its base, the library's control bar, exists.
#pragma once
#include "SPToolbarState.h"
