#include "SPReBar.h"

IMPLEMENT_DYNCREATE(CSPReBar, CSPControlBar)

CSPReBar::CSPReBar() {}

CSPReBar::~CSPReBar() {}
