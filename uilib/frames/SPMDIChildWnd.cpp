#include "SPMDIChildWnd.h"

#include "SPBaseControlBar.h"
#include "SPClientHooks.h"
#include "SPMDIFrameWnd.h"
#include "SPMainClientAreaWnd.h"

IMPLEMENT_DYNCREATE(CSPMDIChildWnd, CMDIChildWnd)

BOOL CSPMDIChildWnd::m_bEnableFloatingBars = FALSE;

BEGIN_MESSAGE_MAP(CSPMDIChildWnd, CSPDockingFrame<CMDIChildWnd>)
    ON_WM_CREATE()
    ON_WM_MDIACTIVATE()
    ON_WM_SIZE()
    ON_WM_SIZING()
    ON_WM_DESTROY()
    ON_MESSAGE(WM_SETTEXT, OnSetTextOrIcon)
    ON_MESSAGE(WM_SETICON, OnSetTextOrIcon)
    ON_WM_SHOWWINDOW()
END_MESSAGE_MAP()

CSPMDIChildWnd::CSPMDIChildWnd() : m_pMDIFrame(NULL), m_bToBeDestroyed(FALSE) {}

CSPMDIChildWnd::~CSPMDIChildWnd() {}

int CSPMDIChildWnd::OnCreate(LPCREATESTRUCT lpcs) {
    if (CMDIChildWnd::OnCreate(lpcs) == -1) return -1;
    m_pMDIFrame = DYNAMIC_DOWNCAST(CSPMDIFrameWnd, GetMDIFrame());
    return 0;
}

CString CSPMDIChildWnd::GetFrameText() const {
    CString strText;
    GetWindowText(strText);
    return strText;
}

HICON CSPMDIChildWnd::GetFrameIcon() const {
    HICON hIcon = (HICON)::SendMessage(m_hWnd, WM_GETICON, ICON_SMALL, 0);
    if (hIcon == NULL) hIcon = (HICON)::GetClassLongPtr(m_hWnd, GCLP_HICONSM);
    return hIcon;
}

void CSPMDIChildWnd::DockControlBar(CSPBaseControlBar* pBar, UINT nDockBarID, LPCRECT /*lpRect*/) {
    if (pBar == NULL) return;
    if (pBar->CanFloat() && !m_bEnableFloatingBars) pBar->SetSPBarStyle(pBar->GetSPBarStyle() & ~SPCBRS_FLOAT);
    if (!pBar->CanBeResized() && !pBar->CanFloat()) {
        GetDockManager()->AddControlBar(pBar, TRUE);
        return;
    }
    pBar->EnableDocking(CBRS_ALIGN_ANY);
    GetDockManager()->DockControlBar(pBar, nDockBarID, NULL);
}

BOOL CSPMDIChildWnd::CanBarsBeTabbed(CSPBaseControlBar* pBar, CSPBaseControlBar* pTabbedBar) {
    GetDockManager()->CanBarsBeTabbed(pBar, pTabbedBar);
    return TRUE;
}

void CSPMDIChildWnd::ShowControlBar(CSPBaseControlBar* pBar, BOOL bShow, BOOL bDelay, BOOL bActivate) {
    if (pBar != NULL) pBar->ShowControlBar(bShow, bDelay, bActivate);
}

void CSPMDIChildWnd::RecalcLayout(BOOL bNotify) {
    if (m_bInRecalcLayout) return;
    m_bInRecalcLayout = TRUE;
    m_nIdleFlags &= ~(idleLayout | idleNotify);
    CMDIChildWnd::RecalcLayout(bNotify);
    m_Impl.LayOutDockedBars();
    GetDockManager()->AdjustBarsLayout();
    // A preview shown in a document window covers the room the bars leave.
    m_Impl.PlaceView(!(GetDockManager()->IsPrintPreviewValid() && SPIsLibraryPreviewView(GetActiveView())));
    m_bInRecalcLayout = FALSE;
}

void CSPMDIChildWnd::AdjustDockingLayout(HDWP hdwp) {
    m_Impl.LayOutDockedBars(hdwp);
    m_Impl.PlaceView(TRUE);
}

void CSPMDIChildWnd::ActivateFrame(int nCmdShow) {
    // The client repaints once, when the window is in place.
    CMDIFrameWnd* pFrame = GetMDIFrame();
    HWND hClient = pFrame != NULL ? pFrame->m_hWndMDIClient : NULL;
    if (hClient != NULL) ::SendMessage(hClient, WM_SETREDRAW, FALSE, 0);
    CMDIChildWnd::ActivateFrame(nCmdShow);
    if (hClient != NULL) {
        ::SendMessage(hClient, WM_SETREDRAW, TRUE, 0);
        ::RedrawWindow(hClient, NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    }
}

BOOL CSPMDIChildWnd::PreTranslateMessage(MSG* pMsg) {
    // An open library popup menu takes the keys.
    if (pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST && m_pMDIFrame != NULL &&
        SPPopupMenuClient::GetActivePopupMenu() != NULL)
        return FALSE;
    return CMDIChildWnd::PreTranslateMessage(pMsg);
}

void CSPMDIChildWnd::OnMDIActivate(BOOL bActivate, CWnd* pActivateWnd, CWnd* pDeactivateWnd) {
    // The floating bars of this document show only while it is active.
    GetDockManager()->OnActivateFrame(bActivate);
    static BOOL bActivating = FALSE;
    if (bActivating) return;
    bActivating = TRUE;
    CMDIChildWnd::OnMDIActivate(bActivate, pActivateWnd, pDeactivateWnd);
    // The tab of the window being activated is selected, however it was
    // activated.
    if (bActivate && GetClientArea() != NULL) GetClientArea()->SetActiveTab(pActivateWnd);
    // The menu bar shows the caption buttons of the active document while
    // it is maximised.
    if (bActivate && m_pMDIFrame != NULL) m_pMDIFrame->UpdateMenuBarMaximizeMode();
    bActivating = FALSE;
}

CSPMainClientAreaWnd* CSPMDIChildWnd::GetClientArea() const {
    return m_pMDIFrame != NULL ? &m_pMDIFrame->GetClientArea() : NULL;
}

LRESULT CSPMDIChildWnd::OnSetTextOrIcon(WPARAM, LPARAM) {
    const LRESULT lResult = Default();
    // A renamed document shows its new name on its tab at once.
    if (GetClientArea() != NULL) GetClientArea()->UpdateTabs();
    return lResult;
}

void CSPMDIChildWnd::OnShowWindow(BOOL bShow, UINT nStatus) {
    CMDIChildWnd::OnShowWindow(bShow, nStatus);
    // A document that shows gets its tab, one that hides loses it, once it
    // is so.
    CSPMainClientAreaWnd* pClientArea = GetClientArea();
    if (pClientArea != NULL && pClientArea->GetSafeHwnd() != NULL) pClientArea->PostMessage(SP_WM_UPDATE_MDI_TABS);
}

void CSPMDIChildWnd::OnUpdateFrameTitle(BOOL bAddToTitle) {
    CMDIChildWnd::OnUpdateFrameTitle(bAddToTitle);
    if (GetClientArea() != NULL) GetClientArea()->UpdateTabs();
}

void CSPMDIChildWnd::OnSize(UINT nType, int cx, int cy) {
    CMDIChildWnd::OnSize(nType, cx, cy);
    if (nType != SIZE_MINIMIZED) AdjustDockingLayout();
    if (m_pMDIFrame != NULL && ::IsWindow(m_pMDIFrame->GetSafeHwnd())) m_pMDIFrame->UpdateMenuBarMaximizeMode();
}

void CSPMDIChildWnd::OnSizing(UINT fwSide, LPRECT pRect) {
    CMDIChildWnd::OnSizing(fwSide, pRect);
    // A move that keeps the size leaves the bars where they are.
    if (SPIsSizeChange(this, pRect)) AdjustDockingLayout();
}

void CSPMDIChildWnd::OnDestroy() {
    GetDockManager()->EnableLayout(FALSE);
    // The bars floating out of this document are top-level windows: they
    // go with it, not with the main frame.
    GetDockManager()->DestroyMiniFrames();
    SPDestroyChildWindows(this);
    CMDIChildWnd::OnDestroy();
}
