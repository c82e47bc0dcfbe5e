#include "SPFrameImpl.h"

#include "afxoleip.h"

#include "SPBaseControlBar.h"
#include "SPControlBar.h"
#include "SPFrameWnd.h"
#include "SPMDIChildWnd.h"
#include "SPMDIFrameWnd.h"
#include "SPOleCntrFrameWnd.h"
#include "SPOleDocIPFrameWnd.h"
#include "SPOleIPFrameWnd.h"
#include "SPPrintPreviewView.h"
#include "SPToolBar.h"
#include "SPToolbarState.h"

CFrameWnd* CSPFrameImpl::m_pMainFrame = NULL;
CFrameWnd* g_pTopLevelFrame = NULL;

CSPFrameImpl::CSPFrameImpl(CFrameWnd* pFrame)
    : m_pFrame(pFrame),
      m_pMenuBar(NULL),
      m_hDefaultMenu(NULL),
      m_nIDDefaultResource(0),
      m_bAltAlone(FALSE),
      m_uiUserToolbarFirst((UINT)-1),
      m_uiUserToolbarLast((UINT)-1) {
    m_dockManager.SetDockSite(pFrame);
}

CSPFrameImpl::~CSPFrameImpl() {
    if (m_pMainFrame == m_pFrame) m_pMainFrame = NULL;
    // The user toolbars' windows went with the frame's; their objects are ours.
    while (!m_listUserDefinedToolbars.IsEmpty()) {
        CWnd* pBar = (CWnd*)m_listUserDefinedToolbars.RemoveHead();
        if (pBar->GetSafeHwnd() != NULL) pBar->DestroyWindow();
        delete pBar;
    }
    DeleteTearOffBars();
}

// Calls fn with the window as the library frame class it is, tested in the
// fixed order of the six frame classes; any other window gets nothing and
// the answer is fallback.
template <class R, class Fn>
static R CallLibraryFrame(CWnd* pWnd, R fallback, Fn fn) {
    if (pWnd == NULL) return fallback;
    if (pWnd->IsKindOf(RUNTIME_CLASS(CSPFrameWnd))) return fn((CSPFrameWnd*)pWnd);
    if (pWnd->IsKindOf(RUNTIME_CLASS(CSPMDIFrameWnd))) return fn((CSPMDIFrameWnd*)pWnd);
    if (pWnd->IsKindOf(RUNTIME_CLASS(CSPOleIPFrameWnd))) return fn((CSPOleIPFrameWnd*)pWnd);
    if (pWnd->IsKindOf(RUNTIME_CLASS(CSPOleDocIPFrameWnd))) return fn((CSPOleDocIPFrameWnd*)pWnd);
    if (pWnd->IsKindOf(RUNTIME_CLASS(CSPMDIChildWnd))) return fn((CSPMDIChildWnd*)pWnd);
    if (pWnd->IsKindOf(RUNTIME_CLASS(CSPOleCntrFrameWnd))) return fn((CSPOleCntrFrameWnd*)pWnd);
    return fallback;
}

CSPFrameImpl* CSPFrameImpl::FromFrame(CWnd* pWnd) {
    return CallLibraryFrame(pWnd, (CSPFrameImpl*)NULL, [](auto* pFrame) { return &pFrame->m_Impl; });
}

CSPFrameImpl* CSPFrameImpl::FromMenuBarFrame(CWnd* pWnd) {
    if (pWnd == NULL || pWnd->IsKindOf(RUNTIME_CLASS(CSPMDIChildWnd)) || pWnd->IsKindOf(RUNTIME_CLASS(CSPOleCntrFrameWnd)))
        return NULL;
    return FromFrame(pWnd);
}

BOOL CSPFrameImpl::AdjustFrameDockingLayout(CWnd* pWnd, HDWP hdwp) {
    return CallLibraryFrame(pWnd, FALSE, [hdwp](auto* pFrame) {
        pFrame->AdjustDockingLayout(hdwp);
        return TRUE;
    });
}

CFrameWnd* CSPFrameImpl::GetMainFrame() {
    // The application's main window, when it is a library frame, is the
    // one; the record outlives a main window that is not.
    CWnd* pMain = AfxGetMainWnd();
    CSPFrameImpl* pImpl = FromFrame(pMain);
    if (pImpl != NULL) m_pMainFrame = pImpl->m_pFrame;
    return m_pMainFrame != NULL && m_pMainFrame->GetSafeHwnd() != NULL ? m_pMainFrame : NULL;
}

// --- the docking services ----------------------------------------------------------

BOOL CSPFrameImpl::AddControlBar(CSPBaseControlBar* pBar, BOOL bTail) {
    return m_dockManager.AddControlBar(pBar, bTail, FALSE, FALSE);
}

BOOL CSPFrameImpl::RemoveControlBarFromDockManager(CSPBaseControlBar* pBar, BOOL bDestroy, BOOL bAdjustLayout,
                                                   BOOL bAutoHide) {
    return m_dockManager.RemoveControlBar(pBar, bDestroy, bAdjustLayout, bAutoHide);
}

BOOL CSPFrameImpl::IsPointNearDockBar(CPoint point, DWORD& dwBarAlignment, BOOL& bOuterEdge) const {
    return m_dockManager.IsPointNearDockBar(point, dwBarAlignment, bOuterEdge);
}

CSPBaseControlBar* CSPFrameImpl::ControlBarFromPoint(CPoint point, int nSensitivity, bool bExactBar,
                                                     CRuntimeClass* pRTCBarType) const {
    return m_dockManager.ControlBarFromPoint(point, nSensitivity, bExactBar, pRTCBarType);
}

BOOL CSPFrameImpl::InsertControlBar(CSPBaseControlBar* pBar, CSPBaseControlBar* pTarget, BOOL bAfter) {
    return m_dockManager.InsertControlBar(pBar, pTarget, bAfter);
}

void CSPFrameImpl::DockControlBar(CSPBaseControlBar* pBar, UINT nDockBarID, LPCRECT lpRect) {
    m_dockManager.DockControlBar(pBar, nDockBarID, lpRect);
}

BOOL CSPFrameImpl::DockControlBarLeftOf(CSPControlBar* pBar, CSPControlBar* pLeftOf) {
    return m_dockManager.DockControlBarLeftOf(pBar, pLeftOf);
}

BOOL CSPFrameImpl::EnableDocking(DWORD dwDockStyle) { return m_dockManager.EnableDocking(dwDockStyle); }

BOOL CSPFrameImpl::EnableAutoHideBars(DWORD dwDockStyle) { return m_dockManager.EnableAutoHideBars(dwDockStyle); }

BOOL CSPFrameImpl::OnMoveMiniFrame(CWnd* pFrame) { return m_dockManager.OnMoveMiniFrame(pFrame); }

void CSPFrameImpl::SetPrintPreviewMode(BOOL bPreview, CPrintPreviewState* pState) {
    m_dockManager.SetPrintPreviewMode(bPreview, pState);
}

BOOL CSPFrameImpl::SendMessageToMiniFrames(UINT uMessage, WPARAM wParam, LPARAM lParam) {
    return m_dockManager.SendMessageToMiniFrames(uMessage, wParam, lParam);
}

void CSPFrameImpl::AdjustDockingLayout(HDWP hdwp) {
    if (m_pFrame->GetSafeHwnd() == NULL || m_pFrame->IsIconic()) return;
    LayOutDockedBars(hdwp);
    // The view, or the MDI client, takes what the bars leave.
    CRect rectView = GetClientAreaRect();
    AfxRepositionBars(m_pFrame, 0, 0xFFFF, AFX_IDW_PANE_FIRST, reposDefault, NULL, rectView);
}

void CSPFrameImpl::LayOutDockedBars(HDWP hdwp) {
    if (m_pFrame->GetSafeHwnd() == NULL) return;
    // The docking area is the client area less the border space the frame
    // keeps for itself.
    CRect rectClient;
    m_pFrame->GetClientRect(rectClient);
    rectClient.DeflateRect(m_pFrame->m_rectBorder);
    if (rectClient.right < rectClient.left) rectClient.right = rectClient.left;
    if (rectClient.bottom < rectClient.top) rectClient.bottom = rectClient.top;
    m_rectDockingArea = rectClient;
    m_dockManager.SetDockingArea(rectClient);
    m_dockManager.AdjustDockingLayout(hdwp);
}

CRect CSPFrameImpl::GetClientAreaRect() const {
    // Without bars the dock manager never measured anything.
    return m_dockManager.GetControlBarList().IsEmpty() ? m_rectDockingArea : m_dockManager.GetClientAreaBounds();
}

void CSPFrameImpl::PlaceView(BOOL bZOrder) {
    // Windows that are no docked bars (the framework's own bars) still
    // take their room the framework's way; the view gets the rest.
    CRect rectView = GetClientAreaRect();
    AfxRepositionBars(m_pFrame, 0, 0xFFFF, AFX_IDW_PANE_FIRST, reposDefault, NULL, rectView);
    CWnd* pView = m_pFrame->GetDlgItem(AFX_IDW_PANE_FIRST);
    if (pView == NULL || !bZOrder) return;
    // Bars overlapping the view must not be painted over by it.
    pView->ModifyStyle(0, WS_CLIPSIBLINGS | WS_CLIPCHILDREN);
    pView->SetWindowPos(&CWnd::wndBottom, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

// --- helpers of the frames -----------------------------------------------------------

COleClientItem* SPGetActiveOleItem(CFrameWnd* pFrame) {
    if (pFrame->GetSafeHwnd() == NULL) return NULL;
    CFrameWnd* pActiveFrame = pFrame->GetActiveFrame();
    CView* pView = pActiveFrame != NULL ? pActiveFrame->GetActiveView() : NULL;
    COleDocument* pDoc = pView != NULL ? DYNAMIC_DOWNCAST(COleDocument, pView->GetDocument()) : NULL;
    return pDoc != NULL ? pDoc->GetInPlaceActiveItem(pView) : NULL;
}

BOOL SPIsLibraryPreviewView(CWnd* pView) { return pView != NULL && pView->IsKindOf(RUNTIME_CLASS(CSPPrintPreviewView)); }

void SPDestroyChildWindows(CWnd* pWnd) {
    if (pWnd->GetSafeHwnd() == NULL) return;
    CArray<HWND, HWND> children;
    for (HWND hChild = ::GetWindow(pWnd->m_hWnd, GW_CHILD); hChild != NULL; hChild = ::GetWindow(hChild, GW_HWNDNEXT))
        children.Add(hChild);
    for (int i = 0; i < children.GetSize(); i++) {
        if (::IsWindow(children[i]) && ::GetParent(children[i]) == pWnd->m_hWnd) {
            CWnd* pChild = CWnd::FromHandlePermanent(children[i]);
            if (pChild != NULL)
                pChild->DestroyWindow();
            else
                ::DestroyWindow(children[i]);
        }
    }
}

CFrameWnd* SPGetTopLevelFrame(CWnd* pWnd) {
    if (g_pTopLevelFrame != NULL) return g_pTopLevelFrame;
    return pWnd != NULL ? pWnd->GetTopLevelFrame() : NULL;
}

BOOL SPIsUserToolbar(CWnd* pBar) {
    CSPFrameImpl* pImpl = CSPFrameImpl::FromFrame(SPGetTopLevelFrame(pBar));
    return pImpl != NULL && pImpl->IsUserBarID(pBar);
}

void SPCloseActivePopupMenu() {
    CSPPopupMenu* pPopup = SPPopupMenuClient::GetActivePopupMenu();
    CWnd* pWnd = pPopup != NULL ? SPPopupMenuClient::PopupAsWnd(pPopup) : NULL;
    if (pWnd->GetSafeHwnd() != NULL) pWnd->SendMessage(WM_CLOSE);
}

BOOL SPIsSizeChange(CWnd* pWnd, LPCRECT lpRectNew) {
    CRect rectWindow;
    pWnd->GetWindowRect(rectWindow);
    const CRect rectNew(lpRectNew);
    return rectNew.Width() != rectWindow.Width() || rectNew.Height() != rectWindow.Height();
}
