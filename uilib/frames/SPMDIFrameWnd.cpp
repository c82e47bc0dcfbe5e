#include "SPMDIFrameWnd.h"

IMPLEMENT_DYNCREATE(CSPMDIFrameWnd, CMDIFrameWnd)

CSPMDIFrameWnd::CSPMDIFrameWnd() : m_uiDefaultAccelResId(0) {}

CSPMDIFrameWnd::~CSPMDIFrameWnd() {}

BOOL CSPMDIFrameWnd::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd, CCreateContext* pContext) {
    // A failed load has deleted the frame: nothing of it may be touched then.
    if (!CMDIFrameWnd::LoadFrame(nIDResource, dwDefaultStyle, pParentWnd, pContext)) return FALSE;
    m_uiDefaultAccelResId = m_hAccelTable != NULL ? nIDResource : 0;
    // The saved user interface comes back once the frame is complete.
    m_Impl.OnLoadFrame();
    return TRUE;
}
