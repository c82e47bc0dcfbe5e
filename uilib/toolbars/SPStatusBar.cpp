#include "SPStatusBar.h"

IMPLEMENT_DYNCREATE(CSPStatusBar, CSPControlBar)

CSPStatusBar::CSPStatusBar() {}

CSPStatusBar::~CSPStatusBar() {}
