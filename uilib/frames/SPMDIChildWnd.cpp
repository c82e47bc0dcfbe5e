#include "SPMDIChildWnd.h"

IMPLEMENT_DYNCREATE(CSPMDIChildWnd, CMDIChildWnd)

CSPMDIChildWnd::CSPMDIChildWnd() {}

CSPMDIChildWnd::~CSPMDIChildWnd() {}
