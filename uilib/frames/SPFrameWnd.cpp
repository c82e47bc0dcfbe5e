#include "SPFrameWnd.h"

#include "SPMDIFrameWnd.h"
#include "SPManagerHooks.h"

// The keyboard manager's question for the library frames that keep an
// accelerator resource.
static UINT GetDefaultAccelResId(CFrameWnd* pFrame) {
    if (pFrame == NULL) return 0;
    if (pFrame->IsKindOf(RUNTIME_CLASS(CSPFrameWnd))) return ((CSPFrameWnd*)pFrame)->GetDefaultResId();
    if (pFrame->IsKindOf(RUNTIME_CLASS(CSPMDIFrameWnd))) return ((CSPMDIFrameWnd*)pFrame)->GetDefaultResId();
    return 0;
}
static struct FrameHooks {
    FrameHooks() { SPManagerHooks::pfnGetDefaultAccelResId = GetDefaultAccelResId; }
} s_frameHooks;

IMPLEMENT_DYNCREATE(CSPFrameWnd, CFrameWnd)

CSPFrameWnd::CSPFrameWnd() : m_uiDefaultAccelResId(0) {}

CSPFrameWnd::~CSPFrameWnd() {}

BOOL CSPFrameWnd::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd, CCreateContext* pContext) {
    // A failed load has deleted the frame: nothing of it may be touched then.
    if (!CFrameWnd::LoadFrame(nIDResource, dwDefaultStyle, pParentWnd, pContext)) return FALSE;
    m_uiDefaultAccelResId = m_hAccelTable != NULL ? nIDResource : 0;
    return TRUE;
}
