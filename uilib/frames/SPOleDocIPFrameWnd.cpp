#include "SPOleDocIPFrameWnd.h"

IMPLEMENT_DYNCREATE(CSPOleDocIPFrameWnd, CFrameWnd)

CSPOleDocIPFrameWnd::CSPOleDocIPFrameWnd() {}

CSPOleDocIPFrameWnd::~CSPOleDocIPFrameWnd() {}
