#include "SPFrameWnd.h"

#include "SPMDIFrameWnd.h"

IMPLEMENT_DYNCREATE(CSPFrameWnd, CFrameWnd)

CSPFrameWnd::CSPFrameWnd() : m_uiDefaultAccelResId(0) {}

CSPFrameWnd::~CSPFrameWnd() {}

BOOL CSPFrameWnd::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd, CCreateContext* pContext) {
    // A failed load has deleted the frame: nothing of it may be touched then.
    if (!CFrameWnd::LoadFrame(nIDResource, dwDefaultStyle, pParentWnd, pContext)) return FALSE;
    m_uiDefaultAccelResId = m_hAccelTable != NULL ? nIDResource : 0;
    // The saved user interface comes back once the frame is complete.
    m_Impl.OnLoadFrame();
    return TRUE;
}
