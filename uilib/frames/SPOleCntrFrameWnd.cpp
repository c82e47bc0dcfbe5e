#include "SPOleCntrFrameWnd.h"

IMPLEMENT_DYNAMIC(CSPOleCntrFrameWnd, CFrameWnd)

CSPOleCntrFrameWnd::CSPOleCntrFrameWnd() {}

CSPOleCntrFrameWnd::~CSPOleCntrFrameWnd() {}
