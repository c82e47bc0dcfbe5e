#include "SPFrameWnd.h"

#include "afxoleip.h"
#include "afxpreview.h"

#include "SPBaseControlBar.h"
#include "SPMenuBar.h"
#include "SPMDIFrameWnd.h"
#include "SPToolBar.h"
#include "SPToolbarState.h"
#include "SPUserToolsManager.h"

IMPLEMENT_DYNCREATE(CSPFrameWnd, CFrameWnd)

BEGIN_MESSAGE_MAP(CSPFrameWnd, CSPDockingFrame<CFrameWnd>)
    ON_WM_SIZE()
    ON_WM_SIZING()
    ON_WM_MENUCHAR()
    ON_WM_ACTIVATE()
    ON_WM_ACTIVATEAPP()
    ON_WM_DESTROY()
    ON_UPDATE_COMMAND_UI(ID_VIEW_STATUS_BAR, OnUpdateControlBarMenu)
    ON_COMMAND_EX(ID_VIEW_STATUS_BAR, OnBarCheck)
    ON_UPDATE_COMMAND_UI(ID_VIEW_TOOLBAR, OnUpdateControlBarMenu)
    ON_COMMAND_EX(ID_VIEW_TOOLBAR, OnBarCheck)
    ON_UPDATE_COMMAND_UI(ID_VIEW_REBAR, OnUpdateControlBarMenu)
    ON_COMMAND_EX(ID_VIEW_REBAR, OnBarCheck)
    ON_COMMAND(ID_CONTEXT_HELP, OnContextHelp)
END_MESSAGE_MAP()

CSPFrameWnd::CSPFrameWnd()
    : m_uiDefaultAccelResId(0), m_bContextHelp(FALSE), m_bWasMaximized(FALSE), m_bIsMinimized(FALSE) {}

CSPFrameWnd::~CSPFrameWnd() {}

BOOL CSPFrameWnd::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd, CCreateContext* pContext) {
    m_Impl.SetDefaultResId(nIDResource);
    // A failed load has deleted the frame: nothing of it may be touched then.
    if (!CFrameWnd::LoadFrame(nIDResource, dwDefaultStyle, pParentWnd, pContext)) return FALSE;
    m_uiDefaultAccelResId = m_hAccelTable != NULL ? nIDResource : 0;
    // The saved user interface comes back once the frame is complete.
    m_Impl.OnLoadFrame();
    return TRUE;
}

// --- layout ------------------------------------------------------------------------------

void CSPFrameWnd::RecalcLayout(BOOL bNotify) {
    if (m_bInRecalcLayout) return;
    // A minimised frame has no room to lay anything out in; the layout
    // runs again when it is restored.
    if (m_bIsMinimized) return;
    m_bInRecalcLayout = TRUE;
    m_nIdleFlags &= ~(idleLayout | idleNotify);
    CSPDockManager* pDockManager = GetDockManager();
    if (!pDockManager->IsPrintPreviewValid() && !pDockManager->AreDockedBarsHidden()) {
        m_Impl.LayOutDockedBars();
        pDockManager->AdjustBarsLayout();
        AdjustClientArea();
    } else if (pDockManager->IsPrintPreviewValid() && SPIsLibraryPreviewView(GetActiveView())) {
        // The preview view covers the whole room the bars leave.
        m_Impl.LayOutDockedBars();
        pDockManager->AdjustBarsLayout();
        m_Impl.PlaceView(FALSE);
    } else {
        CFrameWnd::RecalcLayout(bNotify);
        AdjustClientArea();
    }
    m_bInRecalcLayout = FALSE;
}

void CSPFrameWnd::AdjustDockingLayout(HDWP hdwp) {
    m_Impl.LayOutDockedBars(hdwp);
    AdjustClientArea();
    if (GetDockManager()->AreDockedBarsHidden()) RecalcLayout(TRUE);
}

void CSPFrameWnd::AdjustClientArea() { m_Impl.PlaceView(TRUE); }

BOOL CSPFrameWnd::ShowDockedBars(BOOL bShow) {
    const BOOL bResult = GetDockManager()->ShowDockedBars(bShow);
    AdjustDockingLayout();
    return bResult;
}

BOOL CSPFrameWnd::NegotiateBorderSpace(UINT nBorderCmd, LPRECT lpRectBorder) {
    switch (nBorderCmd) {
    case BORDER_GET:
        CFrameWnd::NegotiateBorderSpace(nBorderCmd, lpRectBorder);
        // What is free is what the docked bars leave.
        if (lpRectBorder != NULL) *lpRectBorder = m_Impl.GetClientAreaRect();
        return TRUE;
    case BORDER_SET:
        return CFrameWnd::NegotiateBorderSpace(nBorderCmd, lpRectBorder);
    default:
        return TRUE;
    }
}

void CSPFrameWnd::OnSetPreviewMode(BOOL bPreview, CPrintPreviewState* pState) {
    m_Impl.SetPrintPreviewMode(bPreview, pState);
    // The framework's preview would hide the bars by its own mask; the
    // dock manager has hidden them already and the caller keeps its mask.
    const DWORD dwStates = pState != NULL ? pState->dwStates : 0;
    CFrameWnd::OnSetPreviewMode(bPreview, pState);
    if (pState != NULL) pState->dwStates = dwStates;
    AdjustDockingLayout();
    RecalcLayout(TRUE);
}

// --- menus and commands -------------------------------------------------------------

void CSPFrameWnd::OnUpdateFrameMenu(HMENU hMenuAlt) {
    CFrameWnd::OnUpdateFrameMenu(hMenuAlt);
    if (!m_Impl.IsMenuBarVisible()) return;
    // The library menu bar shows the menu; only an in-place server's merged
    // menu, which the menu bar cannot show, stays on the window.
    COleClientItem* pItem = GetActiveOleItem();
    if (pItem != NULL && pItem->GetInPlaceWindow() != NULL)
        ::SetMenu(m_hWnd, hMenuAlt);
    else if (::GetMenu(m_hWnd) != NULL)
        ::SetMenu(m_hWnd, NULL);
}

void CSPFrameWnd::DelayUpdateFrameMenu(HMENU hMenuAlt) {
    OnUpdateFrameMenu(hMenuAlt);
    CFrameWnd::DelayUpdateFrameMenu(hMenuAlt);
}

BOOL CSPFrameWnd::OnSetMenu(HMENU hMenu) {
    CSPMenuBar* pMenuBar = GetMenuBar();
    if (pMenuBar == NULL) return FALSE;
    HMENU hShow = hMenu != NULL ? hMenu : m_Impl.GetDefaultMenu();
    pMenuBar->CreateFromMenu(hShow, FALSE, FALSE);
    return TRUE;
}

BOOL CSPFrameWnd::PreTranslateMessage(MSG* pMsg) {
    switch (m_Impl.RouteMessage(pMsg, FALSE)) {
    case CSPFrameImpl::SP_ROUTE_DONE: return TRUE;
    case CSPFrameImpl::SP_ROUTE_UNTRANSLATED: return FALSE;
    default: return CFrameWnd::PreTranslateMessage(pMsg);
    }
}

BOOL CSPFrameWnd::OnCommand(WPARAM wParam, LPARAM lParam) {
    if (HIWORD(wParam) == 1) {
        // An accelerator: counted like a click; with a menu open (or the
        // frame minimised) it only gives the menu its Escape; a user tool
        // runs.
        const UINT uiCmd = LOWORD(wParam);
        CSPToolbarSharedState::AddCommandUsage(uiCmd);
        if (m_Impl.ProcessKeyboard(VK_ESCAPE)) return TRUE;
        if (g_pUserToolsManager != NULL && g_pUserToolsManager->InvokeTool(uiCmd)) return TRUE;
    }
    // Commands must not run while the user rearranges the bars.
    if (CSPToolbarSharedState::IsCustomizeMode()) return FALSE;
    return CFrameWnd::OnCommand(wParam, lParam);
}

void CSPFrameWnd::WinHelp(DWORD_PTR dwData, UINT nCmd) {
    if (dwData == 0 && m_bContextHelp) {
        OnContextHelp();
        return;
    }
    CFrameWnd::WinHelp(dwData, nCmd);
}

CWnd* CSPFrameWnd::GetControlBar(UINT nID) { return GetDockManager()->FindBarByID(nID, TRUE); }

void CSPFrameWnd::ShowControlBar(CSPBaseControlBar* pBar, BOOL bShow, BOOL bDelay, BOOL bActivate) {
    if (pBar != NULL) pBar->ShowControlBar(bShow, bDelay, bActivate);
}

// --- messages ------------------------------------------------------------------------

void CSPFrameWnd::OnSize(UINT nType, int cx, int cy) {
    m_bIsMinimized = nType == SIZE_MINIMIZED;
    // Floating bars go with a minimised frame and come back with it.
    GetDockManager()->OnActivateFrame(!m_bIsMinimized);
    if (!m_bIsMinimized && nType != SIZE_MAXIMIZED && !m_bWasMaximized) {
        // A plain resize moves the bars; nothing inside them changes.
        CWnd::OnSize(nType, cx, cy);
        AdjustDockingLayout();
    } else {
        CWnd::OnSize(nType, cx, cy);
        // Leaving or entering the maximised state may change what fits
        // in the bars: the full layout.
        if (nType == SIZE_MAXIMIZED || (nType == SIZE_RESTORED && m_bWasMaximized)) RecalcLayout(TRUE);
    }
    m_bWasMaximized = nType == SIZE_MAXIMIZED;
}

void CSPFrameWnd::OnSizing(UINT fwSide, LPRECT pRect) {
    CFrameWnd::OnSizing(fwSide, pRect);
    AdjustDockingLayout();
}

LRESULT CSPFrameWnd::OnMenuChar(UINT nChar, UINT nFlags, CMenu* pMenu) {
    // MNC_EXECUTE in the high word: the key was taken, no beep.
    if (m_Impl.OnMenuChar(nChar)) return MAKELRESULT(2, 0xFFFF);
    return CFrameWnd::OnMenuChar(nChar, nFlags, pMenu);
}

void CSPFrameWnd::OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized) {
    CFrameWnd::OnActivate(nState, pWndOther, bMinimized);
    if (nState == WA_INACTIVE) {
        if (!CSPToolbarSharedState::IsCustomizeMode()) m_Impl.DeactivateMenu();
    } else if (nState == WA_CLICKACTIVE) {
        UpdateWindow();
    }
}

void CSPFrameWnd::OnActivateApp(BOOL bActive, DWORD dwThreadID) {
    CFrameWnd::OnActivateApp(bActive, dwThreadID);
    GetDockManager()->OnActivateFrame(bActive);
}

void CSPFrameWnd::OnDestroy() {
    if (m_hAccelTable != NULL) {
        ::DestroyAcceleratorTable(m_hAccelTable);
        m_hAccelTable = NULL;
    }
    // The bars are going: a layout pass now would touch dying windows.
    GetDockManager()->EnableLayout(FALSE);
    SPDestroyChildWindows(this);
    CFrameWnd::OnDestroy();
}

void CSPFrameWnd::OnUpdateControlBarMenu(CCmdUI* pCmdUI) {
    CWnd* pBar = GetControlBar(pCmdUI->m_nID);
    if (pBar == NULL) {
        pCmdUI->ContinueRouting();
        return;
    }
    pCmdUI->SetCheck((pBar->GetStyle() & WS_VISIBLE) != 0);
}

BOOL CSPFrameWnd::OnBarCheck(UINT nID) {
    CSPBaseControlBar* pBar = DYNAMIC_DOWNCAST(CSPBaseControlBar, GetControlBar(nID));
    if (pBar == NULL) return FALSE;
    pBar->ShowControlBar((pBar->GetStyle() & WS_VISIBLE) == 0, FALSE, FALSE);
    return TRUE;
}

void CSPFrameWnd::OnContextHelp() {
    // While the framework's help mode runs, a click on a toolbar button asks
    // for its help instead of running it: the toolbars' mouse hook sees it.
    m_bContextHelp = TRUE;
    const BOOL bHook = m_bHelpMode == HELP_INACTIVE && CanEnterHelpMode();
    if (bHook) CSPToolBar::SetMouseHook(TRUE);
    CFrameWnd::OnContextHelp();
    if (bHook && m_bHelpMode == HELP_INACTIVE) CSPToolBar::SetMouseHook(FALSE);
    m_bContextHelp = FALSE;
}

// --- library popup menus --------------------------------------------------------------

BOOL CSPFrameWnd::ShowPopupMenu(CSPPopupMenu* pMenuPopup) {
    if (!m_Impl.OnShowPopupMenu(pMenuPopup)) return FALSE;
    return OnShowPopupMenu(pMenuPopup);
}

void CSPFrameWnd::OnClosePopupMenu(CSPPopupMenu* pMenuPopup) {
    if (SPPopupMenuClient::GetActivePopupMenu() == pMenuPopup) SPPopupMenuClient::SetActivePopupMenu(NULL);
}
