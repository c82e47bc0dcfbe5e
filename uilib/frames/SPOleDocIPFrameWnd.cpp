#include "SPOleDocIPFrameWnd.h"

IMPLEMENT_DYNCREATE(CSPOleDocIPFrameWnd, COleDocIPFrameWnd)

CSPOleDocIPFrameWnd::CSPOleDocIPFrameWnd() {}

CSPOleDocIPFrameWnd::~CSPOleDocIPFrameWnd() {}
