#include "SPOleIPFrameWnd.h"

IMPLEMENT_DYNCREATE(CSPOleIPFrameWnd, COleIPFrameWnd)

CSPOleIPFrameWnd::CSPOleIPFrameWnd() {}

CSPOleIPFrameWnd::~CSPOleIPFrameWnd() {}
