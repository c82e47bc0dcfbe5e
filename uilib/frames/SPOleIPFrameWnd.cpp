#include "SPOleIPFrameWnd.h"

IMPLEMENT_DYNCREATE(CSPOleIPFrameWnd, CFrameWnd)

CSPOleIPFrameWnd::CSPOleIPFrameWnd() {}

CSPOleIPFrameWnd::~CSPOleIPFrameWnd() {}
