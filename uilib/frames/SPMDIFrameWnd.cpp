#include "SPMDIFrameWnd.h"

#include "afxoleip.h"
#include "afxpreview.h"

#include "SPBaseControlBar.h"
#include "SPMDIChildWnd.h"
#include "SPMenuBar.h"
#include "SPPopupMenu.h"
#include "SPToolBar.h"
#include "SPToolbarMenuButton.h"
#include "SPToolbarState.h"
#include "SPUserToolsManager.h"
#include "SPWindowsDlg.h"

IMPLEMENT_DYNCREATE(CSPMDIFrameWnd, CMDIFrameWnd)

BEGIN_MESSAGE_MAP(CSPMDIFrameWnd, CSPDockingFrame<CMDIFrameWnd>)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_WM_CLOSE()
    ON_WM_ACTIVATE()
    ON_WM_ACTIVATEAPP()
    ON_WM_SIZE()
    ON_WM_SIZING()
    ON_WM_EXITSIZEMOVE()
    ON_WM_WINDOWPOSCHANGED()
    ON_WM_MENUCHAR()
    ON_COMMAND(ID_CONTEXT_HELP, OnContextHelp)
    ON_UPDATE_COMMAND_UI(ID_VIEW_STATUS_BAR, OnUpdateControlBarMenu)
    ON_COMMAND_EX(ID_VIEW_STATUS_BAR, OnBarCheck)
    ON_UPDATE_COMMAND_UI(ID_VIEW_TOOLBAR, OnUpdateControlBarMenu)
    ON_COMMAND_EX(ID_VIEW_TOOLBAR, OnBarCheck)
    ON_UPDATE_COMMAND_UI(ID_VIEW_REBAR, OnUpdateControlBarMenu)
    ON_COMMAND_EX(ID_VIEW_REBAR, OnBarCheck)
    ON_COMMAND(ID_WINDOW_NEW, OnWindowNew)
END_MESSAGE_MAP()

namespace {

// The commands of the Window menu (cascade, tile, ...), which tell a Window
// popup from any other.
const UINT uiFirstWindowCmd = 0xE130;
const UINT uiLastWindowCmd = 0xE13F;
// The MDI client's "More Windows..." entry after the ninth document.
const UINT uiMoreWindowsCmd = AFX_IDM_FIRST_MDICHILD + 9;

BOOL HoldsWindowCommands(HMENU hMenu) {
    for (int i = 0; i < ::GetMenuItemCount(hMenu); i++) {
        const UINT uiID = ::GetMenuItemID(hMenu, i);
        if (uiID >= uiFirstWindowCmd && uiID <= uiLastWindowCmd) return TRUE;
    }
    return FALSE;
}

}  // namespace

CSPMDIFrameWnd::CSPMDIFrameWnd()
    : m_hmenuWindow(NULL),
      m_bContextHelp(FALSE),
      m_bDoSubclass(TRUE),
      m_uiWindowsDlgMenuId(0),
      m_bShowWindowsDlgAlways(FALSE),
      m_bShowWindowsDlgHelpButton(FALSE),
      m_bWasMaximized(FALSE),
      m_bIsMinimized(FALSE),
      m_bClosing(FALSE),
      m_uiDefaultAccelResId(0) {}

CSPMDIFrameWnd::~CSPMDIFrameWnd() {}

// --- creation ------------------------------------------------------------------------

BOOL CSPMDIFrameWnd::PreCreateWindow(CREATESTRUCT& cs) {
    // (the frame implementation holds the dock manager from the start)
    return CSPDockingFrame<CMDIFrameWnd>::PreCreateWindow(cs);
}

BOOL CSPMDIFrameWnd::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd, CCreateContext* pContext) {
    m_Impl.SetDefaultResId(nIDResource);
    // A failed load has deleted the frame: nothing of it may be touched then.
    if (!CMDIFrameWnd::LoadFrame(nIDResource, dwDefaultStyle, pParentWnd, pContext)) return FALSE;
    m_uiDefaultAccelResId = m_hAccelTable != NULL ? nIDResource : 0;
    // The saved user interface comes back once the frame is complete.
    m_Impl.OnLoadFrame();
    // The menu the menu bar took from the window is the one shown while no
    // document is active.
    if (GetMenuBar() != NULL) m_hMenuDefault = m_Impl.GetDefaultMenu();
    return TRUE;
}

int CSPMDIFrameWnd::OnCreate(LPCREATESTRUCT lpCreateStruct) {
    if (CMDIFrameWnd::OnCreate(lpCreateStruct) == -1) return -1;
    GetDockManager()->SetDockSite(this);
    return 0;
}

BOOL CSPMDIFrameWnd::OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext* pContext) {
    if (!CMDIFrameWnd::OnCreateClient(lpcs, pContext)) return FALSE;
    if (m_bDoSubclass) m_wndClientArea.SubclassWindow(m_hWndMDIClient);
    return TRUE;
}

// --- menus ----------------------------------------------------------------------------

COleClientItem* CSPMDIFrameWnd::GetActiveOleItem() { return SPGetActiveOleItem(this); }

BOOL CSPMDIFrameWnd::OnSetMenu(HMENU hMenu) {
    CSPMenuBar* pMenuBar = GetMenuBar();
    COleClientItem* pItem = GetActiveOleItem();
    if (pMenuBar == NULL || (pItem != NULL && pItem->GetInPlaceWindow() != NULL)) return FALSE;
    if (::GetMenu(m_hWnd) != NULL) ::SetMenu(m_hWnd, NULL);
    HMENU hShow = hMenu != NULL ? hMenu : m_Impl.GetDefaultMenu();
    pMenuBar->CreateFromMenu(hShow, hShow == m_Impl.GetDefaultMenu(), FALSE);
    return TRUE;
}

void CSPMDIFrameWnd::OnUpdateFrameMenu(HMENU hMenuAlt) {
    CMDIFrameWnd::OnUpdateFrameMenu(hMenuAlt);
    if (!m_Impl.IsMenuBarVisible()) return;
    // Only an in-place item's merged menu, which the menu bar cannot show,
    // stays on the window.
    COleClientItem* pItem = GetActiveOleItem();
    if (pItem != NULL && pItem->GetInPlaceWindow() != NULL)
        ::SetMenu(m_hWnd, hMenuAlt);
    else if (::GetMenu(m_hWnd) != NULL)
        ::SetMenu(m_hWnd, NULL);
}

HMENU CSPMDIFrameWnd::GetWindowMenuPopup(HMENU hMenuBar) {
    m_hmenuWindow = CMDIFrameWnd::GetWindowMenuPopup(hMenuBar);
    return m_hmenuWindow;
}

void CSPMDIFrameWnd::OnClosePopupMenu(CSPPopupMenu* pMenuPopup) {
    if (SPPopupMenuClient::GetActivePopupMenu() == pMenuPopup) SPPopupMenuClient::SetActivePopupMenu(NULL);
}

BOOL CSPMDIFrameWnd::ShowPopupMenu(CSPPopupMenu* pMenuPopup) {
    if (!m_Impl.OnShowPopupMenu(pMenuPopup)) return FALSE;
    if (pMenuPopup == NULL) return OnShowPopupMenu(NULL);

    HMENU hPopupMenu = pMenuPopup->GetHMenu();
    if (!CSPToolbarSharedState::IsCustomizeMode() && m_hmenuWindow != NULL && hPopupMenu != NULL &&
        HoldsWindowCommands(hPopupMenu)) {
        // The Window menu: the open documents follow its own items.
        CSPPopupMenuBar* pBar = pMenuPopup->GetMenuBar();
        BOOL bMoreWindows = FALSE, bFirst = TRUE;
        for (int i = 0; i < ::GetMenuItemCount(m_hmenuWindow); i++) {
            const UINT uiID = ::GetMenuItemID(m_hmenuWindow, i);
            if (uiID < AFX_IDM_FIRST_MDICHILD || uiID == (UINT)-1) continue;
            if (m_uiWindowsDlgMenuId != 0 && uiID == uiMoreWindowsCmd) {
                // The dialog lists every document instead.
                bMoreWindows = TRUE;
                continue;
            }
            if (bFirst) {
                bFirst = FALSE;
                pBar->InsertSeparator();
                ::SendMessage(m_hWndMDIClient, WM_MDIREFRESHMENU, 0, 0);
            }
            CString strText;
            CMenu::FromHandle(m_hmenuWindow)->GetMenuString(i, strText, MF_BYPOSITION);
            CSPToolbarMenuButton button(uiID, NULL, -1, strText);
            if (::GetMenuState(m_hmenuWindow, i, MF_BYPOSITION) & MF_CHECKED) button.m_nStyle |= TBBS_CHECKED;
            pBar->InsertButtonCopy(button);
        }
        if (m_uiWindowsDlgMenuId != 0 && (bMoreWindows || m_bShowWindowsDlgAlways)) {
            if (!CSPToolbarSharedState::m_lstBasicCommands.IsEmpty()) CSPToolBar::AddBasicCommand(m_uiWindowsDlgMenuId);
            CSPToolbarMenuButton button(m_uiWindowsDlgMenuId, NULL, -1, m_strWindowsDlgMenuText);
            pBar->InsertButtonCopy(button);
        }
    }
    return OnShowPopupMenu(pMenuPopup);
}

// --- commands and keys ------------------------------------------------------------------

BOOL CSPMDIFrameWnd::PreTranslateMessage(MSG* pMsg) {
    switch (m_Impl.RouteMessage(pMsg, FALSE)) {
    case CSPFrameImpl::SP_ROUTE_DONE: return TRUE;
    case CSPFrameImpl::SP_ROUTE_UNTRANSLATED: return FALSE;
    default: return CMDIFrameWnd::PreTranslateMessage(pMsg);
    }
}

BOOL CSPMDIFrameWnd::OnCommand(WPARAM wParam, LPARAM lParam) {
    const UINT uiCmd = LOWORD(wParam);
    if (HIWORD(wParam) == 1) {
        // An accelerator: counted like a click; with a menu open it only
        // closes the menu; a user tool runs.
        CSPToolbarSharedState::AddCommandUsage(uiCmd);
        if (m_Impl.ProcessKeyboard(VK_ESCAPE)) return TRUE;
        if (g_pUserToolsManager != NULL && g_pUserToolsManager->InvokeTool(uiCmd)) return TRUE;
    }
    // Commands must not run while the user rearranges the bars.
    if (CSPToolbarSharedState::IsCustomizeMode()) return FALSE;
    // The "Windows..." item, and the system's "More Windows..." entry it
    // replaces, open the library's dialog.
    if (m_uiWindowsDlgMenuId != 0 && (uiCmd == m_uiWindowsDlgMenuId || uiCmd == uiMoreWindowsCmd)) {
        ShowWindowsDialog();
        return TRUE;
    }
    return CMDIFrameWnd::OnCommand(wParam, lParam);
}

void CSPMDIFrameWnd::WinHelp(DWORD_PTR dwData, UINT nCmd) {
    if (dwData == 0 && m_bContextHelp) {
        OnContextHelp();
        return;
    }
    CMDIFrameWnd::WinHelp(dwData, nCmd);
}

void CSPMDIFrameWnd::OnContextHelp() {
    // While the framework's help mode runs, a click on a toolbar button asks
    // for its help instead of running it: the toolbars' mouse hook sees it.
    m_bContextHelp = TRUE;
    const BOOL bHook = m_bHelpMode == HELP_INACTIVE && CanEnterHelpMode();
    if (bHook) CSPToolBar::SetMouseHook(TRUE);
    CMDIFrameWnd::OnContextHelp();
    if (bHook && m_bHelpMode == HELP_INACTIVE) CSPToolBar::SetMouseHook(FALSE);
    m_bContextHelp = FALSE;
}

LRESULT CSPMDIFrameWnd::OnMenuChar(UINT nChar, UINT nFlags, CMenu* pMenu) {
    // MNC_EXECUTE in the high word: the key was taken, no beep.
    if (m_Impl.OnMenuChar(nChar)) return MAKELRESULT(2, 0xFFFF);
    return CMDIFrameWnd::OnMenuChar(nChar, nFlags, pMenu);
}

void CSPMDIFrameWnd::OnUpdateControlBarMenu(CCmdUI* pCmdUI) {
    CWnd* pBar = GetControlBar(pCmdUI->m_nID);
    if (pBar == NULL) {
        pCmdUI->ContinueRouting();
        return;
    }
    pCmdUI->SetCheck((pBar->GetStyle() & WS_VISIBLE) != 0);
}

BOOL CSPMDIFrameWnd::OnBarCheck(UINT nID) {
    CSPBaseControlBar* pBar = DYNAMIC_DOWNCAST(CSPBaseControlBar, GetControlBar(nID));
    if (pBar == NULL) return FALSE;
    pBar->ShowControlBar((pBar->GetStyle() & WS_VISIBLE) == 0, FALSE, FALSE);
    return TRUE;
}

void CSPMDIFrameWnd::ShowControlBar(CSPBaseControlBar* pBar, BOOL bShow, BOOL bDelay, BOOL bActivate) {
    if (pBar != NULL) pBar->ShowControlBar(bShow, bDelay, bActivate);
}

void CSPMDIFrameWnd::OnWindowNew() {
    BOOL bMaximized = FALSE;
    CMDIChildWnd* pActiveChild = MDIGetActive(&bMaximized);
    if (pActiveChild == NULL) return;
    // The new window comes up beside the old one; a maximised one is
    // maximised again afterwards.
    if (bMaximized) MDIRestore(pActiveChild);
    CMDIFrameWnd::OnWindowNew();
    if (bMaximized && ::IsWindow(pActiveChild->GetSafeHwnd())) MDIMaximize(pActiveChild);
}

// --- the "Windows" dialog ----------------------------------------------------------------

void CSPMDIFrameWnd::EnableWindowsDialog(UINT uiCmdID, LPCTSTR lpszMenuText, BOOL bShowAllways,
                                         BOOL bShowHelpButton) {
    m_uiWindowsDlgMenuId = uiCmdID;
    m_strWindowsDlgMenuText = lpszMenuText != NULL ? lpszMenuText : _T("");
    m_bShowWindowsDlgAlways = bShowAllways;
    m_bShowWindowsDlgHelpButton = bShowHelpButton;
}

void CSPMDIFrameWnd::EnableWindowsDialog(UINT uiCmdID, UINT uiMenuTextResID, BOOL bShowAllways,
                                         BOOL bShowHelpButton) {
    CString strText;
    strText.LoadString(uiMenuTextResID);
    EnableWindowsDialog(uiCmdID, strText, bShowAllways, bShowHelpButton);
}

void CSPMDIFrameWnd::ShowWindowsDialog() {
    CSPWindowsDlg dlg(this, m_bShowWindowsDlgHelpButton);
    dlg.DoModal();
}

// --- layout ----------------------------------------------------------------------------------

void CSPMDIFrameWnd::AdjustDockingLayout(HDWP hdwp) {
    if (GetSafeHwnd() == NULL || IsIconic()) return;
    m_Impl.LayOutDockedBars(hdwp);
    AdjustClientArea();
    if (GetDockManager()->AreDockedBarsHidden()) RecalcLayout(TRUE);
}

BOOL CSPMDIFrameWnd::OnMoveMiniFrame(CWnd* pFrame) { return m_Impl.OnMoveMiniFrame(pFrame); }

BOOL CSPMDIFrameWnd::ShowDockedBars(BOOL bShow) {
    const BOOL bResult = GetDockManager()->ShowDockedBars(bShow);
    AdjustDockingLayout();
    return bResult;
}

void CSPMDIFrameWnd::AdjustClientArea() {
    if (m_wndClientArea.GetSafeHwnd() == NULL) {
        // A client nobody took over: the framework's way.
        m_Impl.PlaceView(FALSE);
        return;
    }
    // The room the bars leave, less the border space the frame keeps for
    // in-place servers.
    CRect rect = m_Impl.GetClientAreaRect();
    rect.left += m_rectBorder.left;
    rect.top += m_rectBorder.top;
    rect.right -= m_rectBorder.right;
    rect.bottom -= m_rectBorder.bottom;
    if (rect.right < rect.left) rect.right = rect.left;
    if (rect.bottom < rect.top) rect.bottom = rect.top;
    m_wndClientArea.CalcWindowRect(rect, 0);
}

void CSPMDIFrameWnd::RecalcLayout(BOOL bNotify) {
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
        // The preview view takes the client's place in the room the bars
        // leave.
        m_Impl.LayOutDockedBars();
        pDockManager->AdjustBarsLayout();
        m_Impl.PlaceView(FALSE);
    } else {
        CMDIFrameWnd::RecalcLayout(bNotify);
        AdjustClientArea();
    }
    m_bInRecalcLayout = FALSE;
}

BOOL CSPMDIFrameWnd::NegotiateBorderSpace(UINT nBorderCmd, LPRECT lpRectBorder) {
    switch (nBorderCmd) {
    case BORDER_GET:
        CMDIFrameWnd::NegotiateBorderSpace(nBorderCmd, lpRectBorder);
        // What is free is what the docked bars leave.
        if (lpRectBorder != NULL) *lpRectBorder = m_Impl.GetClientAreaRect();
        return TRUE;
    case BORDER_SET: return CMDIFrameWnd::NegotiateBorderSpace(nBorderCmd, lpRectBorder);
    default: return TRUE;
    }
}

void CSPMDIFrameWnd::OnSetPreviewMode(BOOL bPreview, CPrintPreviewState* pState) {
    // The document tabs make no sense over a preview.
    if (m_wndClientArea.AreMDITabsEnabled()) {
        m_wndClientArea.ShowTabs(!bPreview);
        CSPTabWnd& wndTab = m_wndClientArea.GetMDITabs();
        if (wndTab.GetSafeHwnd() != NULL) wndTab.ShowWindow(bPreview ? SW_HIDE : SW_SHOWNOACTIVATE);
    }
    m_Impl.SetPrintPreviewMode(bPreview, pState);
    // The framework's preview would hide the bars by its own mask; the dock
    // manager has hidden them already and the caller keeps its mask.
    const DWORD dwStates = pState != NULL ? pState->dwStates : 0;
    CMDIFrameWnd::OnSetPreviewMode(bPreview, pState);
    if (pState != NULL) pState->dwStates = dwStates;
    AdjustDockingLayout();
    RecalcLayout(TRUE);
    if (!bPreview && m_wndClientArea.AreMDITabsEnabled()) m_wndClientArea.UpdateTabs();
}

void CSPMDIFrameWnd::UpdateMenuBarMaximizeMode() {
    CSPMenuBar* pMenuBar = GetMenuBar();
    if (pMenuBar->GetSafeHwnd() == NULL || m_hWndMDIClient == NULL) return;
    BOOL bMaximized = FALSE;
    CMDIChildWnd* pActive = MDIGetActive(&bMaximized);
    const BOOL bMaximize = pActive != NULL && bMaximized;
    if (bMaximize == pMenuBar->IsMaximizeMode()) return;
    pMenuBar->SetMaximizeMode(bMaximize, pActive);
    // The bar grew or shrank by the caption buttons.
    RecalcLayout();
}

// --- messages ---------------------------------------------------------------------------

void CSPMDIFrameWnd::OnDestroy() {
    if (m_hAccelTable != NULL) {
        ::DestroyAcceleratorTable(m_hAccelTable);
        m_hAccelTable = NULL;
    }
    // The bars are going: a layout pass now would touch dying windows.
    GetDockManager()->EnableLayout(FALSE);
    m_bClosing = TRUE;
    // Documents still open go first, through their client, while it still
    // keeps its list of them (the client would otherwise go before them).
    if (m_hWndMDIClient != NULL) {
        CArray<HWND, HWND> documents;
        for (HWND hChild = ::GetWindow(m_hWndMDIClient, GW_CHILD); hChild != NULL;
             hChild = ::GetWindow(hChild, GW_HWNDNEXT))
            documents.Add(hChild);
        for (int i = 0; i < documents.GetSize(); i++)
            if (::IsWindow(documents[i]) && ::GetParent(documents[i]) == m_hWndMDIClient)
                ::SendMessage(m_hWndMDIClient, WM_MDIDESTROY, (WPARAM)documents[i], 0);
    }
    // Everything but the client (which the framework takes down with the
    // documents in it) goes before the frame.
    CArray<HWND, HWND> children;
    for (HWND hChild = ::GetWindow(m_hWnd, GW_CHILD); hChild != NULL; hChild = ::GetWindow(hChild, GW_HWNDNEXT))
        if (hChild != m_hWndMDIClient) children.Add(hChild);
    for (int i = 0; i < children.GetSize(); i++) {
        if (!::IsWindow(children[i]) || ::GetParent(children[i]) != m_hWnd) continue;
        CWnd* pChild = CWnd::FromHandlePermanent(children[i]);
        if (pChild != NULL)
            pChild->DestroyWindow();
        else
            ::DestroyWindow(children[i]);
    }
    CMDIFrameWnd::OnDestroy();
}

void CSPMDIFrameWnd::OnClose() {
    m_bClosing = TRUE;
    // An item active in place leaves the activation first.
    if (COleClientItem* pItem = GetActiveOleItem()) pItem->Deactivate();
    // The frame's state is saved while the bars still exist.
    m_Impl.OnCloseFrame();
    CMDIFrameWnd::OnClose();
    if (::IsWindow(m_hWnd)) m_bClosing = FALSE;  // the close was refused
}

void CSPMDIFrameWnd::OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized) {
    CMDIFrameWnd::OnActivate(nState, pWndOther, bMinimized);
    if (nState == WA_INACTIVE) {
        if (!CSPToolbarSharedState::IsCustomizeMode()) m_Impl.DeactivateMenu();
    } else if (nState == WA_CLICKACTIVE) {
        UpdateWindow();
    }
}

void CSPMDIFrameWnd::OnActivateApp(BOOL bActive, DWORD dwThreadID) {
    CMDIFrameWnd::OnActivateApp(bActive, dwThreadID);
    GetDockManager()->OnActivateFrame(bActive);
}

void CSPMDIFrameWnd::OnSize(UINT nType, int cx, int cy) {
    // (the default frame procedure would size the client over the bars:
    // the layout places it)
    (void)cx;
    (void)cy;
    if (m_bClosing) return;
    m_bIsMinimized = nType == SIZE_MINIMIZED;
    // Floating bars go with a minimised frame and come back with it.
    GetDockManager()->OnActivateFrame(!m_bIsMinimized);
    if (!m_bIsMinimized && nType != SIZE_MAXIMIZED && !m_bWasMaximized) {
        // A plain resize moves the bars; nothing inside them changes.
        AdjustDockingLayout();
        BOOL bDragFullWindows = TRUE;
        ::SystemParametersInfo(SPI_GETDRAGFULLWINDOWS, 0, &bDragFullWindows, 0);
        if (!bDragFullWindows) RecalcLayout(TRUE);
    } else if (nType == SIZE_MAXIMIZED || (nType == SIZE_RESTORED && m_bWasMaximized)) {
        // Leaving or entering the maximised state may change what fits in
        // the bars: the full layout.
        RecalcLayout(TRUE);
    }
    m_bWasMaximized = nType == SIZE_MAXIMIZED;
}

void CSPMDIFrameWnd::OnSizing(UINT fwSide, LPRECT pRect) {
    CMDIFrameWnd::OnSizing(fwSide, pRect);
    // A move that keeps the size leaves the bars where they are.
    if (SPIsSizeChange(this, pRect)) AdjustDockingLayout();
}

void CSPMDIFrameWnd::OnExitSizeMove() { Default(); }

void CSPMDIFrameWnd::OnWindowPosChanged(WINDOWPOS* lpwndpos) {
    CMDIFrameWnd::OnWindowPosChanged(lpwndpos);
    UpdateMenuBarMaximizeMode();
}
