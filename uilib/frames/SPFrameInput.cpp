// SPFrameInput.cpp - CSPFrameImpl: the library menu bar of a frame, and the
// keys and mouse clicks the frame pre-translates for the library's popup
// menus, its menu bar and its toolbars.
#include "SPFrameImpl.h"

#include "SPClientHooks.h"
#include "SPFrameWnd.h"
#include "SPKeyboardManager.h"
#include "SPMDIFrameWnd.h"
#include "SPMenuBar.h"
#include "SPOleDocIPFrameWnd.h"
#include "SPOleIPFrameWnd.h"
#include "SPPopupMenu.h"
#include "SPPopupMenuBar.h"
#include "SPPrintPreviewView.h"
#include "SPToolBar.h"
#include "SPToolbarButton.h"
#include "SPToolbarMenuButton.h"
#include "SPToolbarState.h"

SHORT(WINAPI* CSPFrameImpl::m_pfnGetAsyncKeyState)(int vKey) = &::GetAsyncKeyState;

namespace {

// The window of the open library popup menu, NULL when none is open.
CSPPopupMenu* OpenPopupMenu() {
    CSPPopupMenu* pPopup = SPPopupMenuClient::GetActivePopupMenu();
    return pPopup != NULL && ::IsWindow(pPopup->GetSafeHwnd()) ? pPopup : NULL;
}

// Where a point lies against a popup menu (CSPPopupMenu::MenuHitTest).
enum { hitItems = 0, hitRightShadow = 1, hitBottomShadow = 2, hitLogo = 3, hitOutside = 4, hitTearOff = 5 };

// A window of this thread that the framework knows as an object.
BOOL IsPermanentWindow(CWnd* pWnd) {
    return pWnd->GetSafeHwnd() != NULL && CWnd::FromHandlePermanent(pWnd->GetSafeHwnd()) == pWnd;
}

// The framework's own dock bars get the toolbar menu on a right click; this
// class library has none, so only a class of that name would be one.
BOOL IsFrameworkDockBar(HWND hwnd) { return SPIsKindOf(CWnd::FromHandlePermanent(hwnd), "CDockBar"); }

}  // namespace

// --- the menu bar ---------------------------------------------------------------------

void CSPFrameImpl::SetMenuBar(CSPMenuBar* pMenuBar) {
    m_pMenuBar = pMenuBar;
    if (pMenuBar == NULL || m_pFrame->GetSafeHwnd() == NULL) return;
    // The library bar shows the frame's menu from now on; the window's own
    // menu bar would show it twice.
    m_hDefaultMenu = ::GetMenu(m_pFrame->GetSafeHwnd());
    pMenuBar->CreateFromMenu(m_hDefaultMenu, TRUE, FALSE);
    if (m_hDefaultMenu != NULL) m_pFrame->SetMenu(NULL);
    pMenuBar->SetDefaultMenuResId(m_nIDDefaultResource);
}

BOOL CSPFrameImpl::IsMenuBarVisible() const {
    return m_pMenuBar->GetSafeHwnd() != NULL && (m_pMenuBar->GetStyle() & WS_VISIBLE) != 0;
}

BOOL CSPFrameImpl::OnMenuChar(UINT nChar) {
    // During print preview the other bars are hidden: only the preview's
    // toolbar may take the letter.
    const BOOL bPreview = m_dockManager.IsPrintPreviewValid();
    if (!bPreview && IsMenuBarVisible() && m_pMenuBar->FindButtonByMnemonic(nChar)) return TRUE;
    const CObList& lst = CSPToolbarSharedState::GetAllToolbars();
    for (POSITION pos = lst.GetHeadPosition(); pos != NULL;) {
        CSPToolBar* pBar = DYNAMIC_DOWNCAST(CSPToolBar, lst.GetNext(pos));
        if (pBar == NULL || pBar == m_pMenuBar || !IsPermanentWindow(pBar)) continue;
        if ((pBar->GetStyle() & WS_VISIBLE) == 0 || pBar->GetTopLevelFrame() != m_pFrame) continue;
        if (bPreview && !pBar->IsKindOf(RUNTIME_CLASS(CSPPrintPreviewToolBar))) continue;
        if (pBar->FindButtonByMnemonic(nChar)) return TRUE;
    }
    return FALSE;
}

void CSPFrameImpl::DeactivateMenu() {
    if (CSPToolbarSharedState::IsCustomizeMode() || m_pMenuBar->GetSafeHwnd() == NULL) return;
    if (SPPopupMenuClient::GetActivePopupMenu() != NULL) m_pMenuBar->Deactivate();
}

// --- keys ----------------------------------------------------------------------------------

BOOL CSPFrameImpl::ProcessKeyboard(int nKey, BOOL* pbProcessAccel) {
    if (pbProcessAccel != NULL) *pbProcessAccel = TRUE;

    // An open popup menu has the keys.
    if (CSPPopupMenu* pPopup = OpenPopupMenu()) {
        pPopup->SendMessage(WM_KEYDOWN, (WPARAM)nKey, 0);
        return TRUE;
    }
    if (m_pFrame->GetSafeHwnd() != NULL && m_pFrame->IsIconic()) return TRUE;
    if (CSPToolbarSharedState::IsCustomizeMode()) return FALSE;

    // A control on a toolbar (an edit box, a combo box) with the focus
    // keeps its keys: Ctrl+C copies in the box, not in the document.
    BOOL bFocusOnToolbar = FALSE;
    const CObList& lst = CSPToolbarSharedState::GetAllToolbars();
    for (POSITION pos = lst.GetHeadPosition(); pos != NULL && !bFocusOnToolbar;) {
        CSPToolBar* pBar = DYNAMIC_DOWNCAST(CSPToolBar, lst.GetNext(pos));
        if (pBar == NULL || !IsPermanentWindow(pBar)) continue;
        for (int i = 0; i < pBar->GetCount() && !bFocusOnToolbar; i++) {
            CSPToolbarButton* pButton = pBar->GetButton(i);
            bFocusOnToolbar = pButton != NULL && pButton->HasFocus();
        }
    }

    BYTE fVirt = 0;
    if (m_pfnGetAsyncKeyState(VK_CONTROL) & 0x8000) fVirt |= FCONTROL;
    if (m_pfnGetAsyncKeyState(VK_MENU) & 0x8000) fVirt |= FALT;
    if (m_pfnGetAsyncKeyState(VK_SHIFT) & 0x8000) fVirt |= FSHIFT;

    if (!bFocusOnToolbar && m_pFrame->GetSafeHwnd() != NULL) {
        // An accelerator of the key runs before any mnemonic.
        const WORD wKey = (WORD)nKey;
        const BYTE fKey = (BYTE)(fVirt | FVIRTKEY);
        if (CSPKeyboardManager::IsKeyInAccelTable(wKey, fKey, m_pFrame, TRUE)) return FALSE;
        CFrameWnd* pActiveFrame = m_pFrame->GetActiveFrame();
        if (pActiveFrame != NULL && CSPKeyboardManager::IsKeyInAccelTable(wKey, fKey, pActiveFrame, FALSE))
            return FALSE;
    }
    if (fVirt == FALT && OnMenuChar((UINT)nKey)) return TRUE;
    if (bFocusOnToolbar && pbProcessAccel != NULL) *pbProcessAccel = FALSE;
    return FALSE;
}

// --- the mouse -----------------------------------------------------------------------------

BOOL CSPFrameImpl::ProcessMouseClick(UINT uiMsg, POINT pt, HWND hwnd) {
    const BOOL bCustomize = CSPToolbarSharedState::IsCustomizeMode();

    // While customising, or with Alt, a control hosted by a toolbar button
    // is dragged like any other button: the press goes to its toolbar.
    if (uiMsg == WM_LBUTTONDOWN && (bCustomize || (m_pfnGetAsyncKeyState(VK_MENU) & 0x8000))) {
        const CObList& lst = CSPToolbarSharedState::GetAllToolbars();
        for (POSITION pos = lst.GetHeadPosition(); pos != NULL;) {
            CSPToolBar* pBar = DYNAMIC_DOWNCAST(CSPToolBar, lst.GetNext(pos));
            if (pBar == NULL || !IsPermanentWindow(pBar)) continue;
            CPoint ptClient = pt;
            pBar->ScreenToClient(&ptClient);
            const int iButton = pBar->HitTest(ptClient);
            if (iButton < 0) continue;
            CSPToolbarButton* pButton = pBar->GetButton(iButton);
            if (pButton != NULL && pButton->GetHwnd() != NULL && pButton->GetHwnd() == hwnd &&
                pButton->Rect().PtInRect(ptClient)) {
                pBar->SendMessage(WM_LBUTTONDOWN, 0, MAKELPARAM(ptClient.x, ptClient.y));
                return TRUE;
            }
            break;
        }
    }

    if (bCustomize) return FALSE;
    CSPPopupMenu* pPopup = OpenPopupMenu();
    if (pPopup == NULL) return FALSE;

    // The answer for a click against one popup window: TRUE/FALSE decided,
    // -1 when the click lies outside it.
    auto hitPopup = [this](CSPPopupMenu* pMenu, CPoint ptScreen) -> int {
        switch (pMenu->MenuHitTest(ptScreen)) {
        case hitRightShadow:
        case hitBottomShadow:
            // The shadow is no part of the menu: the click closes it.
            pMenu->SendMessage(WM_CLOSE);
            if (m_pFrame->GetSafeHwnd() != NULL) m_pFrame->SetFocus();
            return TRUE;
        case hitOutside: return -1;
        default: return FALSE;  // items, logo and tear-off caption are the menu's
        }
    };
    const int nHit = hitPopup(pPopup, pt);
    if (nHit >= 0) return nHit;

    CSPToolbarMenuButton* pParentButton = pPopup->GetParentButton();
    CSPToolBar* pParentBar = pPopup->GetParentToolBar();
    if (pParentButton != NULL && pParentBar != NULL) {
        CPoint ptClient = pt;
        pParentBar->ScreenToClient(&ptClient);
        const BOOL bOnPopupBar = pParentBar->IsKindOf(RUNTIME_CLASS(CSPPopupMenuBar));
        if (pParentButton->Rect().PtInRect(ptClient)) {
            // A click on the button that opened the menu closes it and does
            // not open it again.
            if (!bOnPopupBar && !pPopup->IsCommandInProgress()) pPopup->SendMessage(WM_CLOSE);
            return TRUE;
        }
        if (bOnPopupBar) {
            // A submenu: the popup holding its item decides in the same way.
            CSPPopupMenuBar* pPopupBar = (CSPPopupMenuBar*)pParentBar;
            pPopupBar->CloseDelayedSubMenu();
            CSPPopupMenu* pHolder = DYNAMIC_DOWNCAST(CSPPopupMenu, pPopupBar->GetParent());
            if (pHolder != NULL && ::IsWindow(pHolder->GetSafeHwnd())) {
                const int nParentHit = hitPopup(pHolder, pt);
                if (nParentHit >= 0) return nParentHit;
            }
        }
    }

    // A click anywhere else closes the menu and is then processed as usual.
    pPopup = OpenPopupMenu();
    if (pPopup == NULL) return FALSE;
    if (pPopup->IsCommandInProgress()) return FALSE;
    pPopup->SendMessage(WM_CLOSE);
    CWnd* pFocus = CWnd::FromHandlePermanent(::GetFocus());
    if (pFocus != NULL && pFocus->IsKindOf(RUNTIME_CLASS(CSPToolBar)) && m_pFrame->GetSafeHwnd() != NULL)
        m_pFrame->SetFocus();
    return FALSE;
}

BOOL CSPFrameImpl::ProcessMouseMove(POINT pt) {
    if (CSPToolbarSharedState::IsCustomizeMode()) return FALSE;
    CSPPopupMenu* pPopup = OpenPopupMenu();
    if (pPopup == NULL) return FALSE;
    CRect rectPopup;
    pPopup->GetWindowRect(rectPopup);
    if (rectPopup.PtInRect(pt) || pPopup->GetMenuBar()->FindDestBar(pt) != NULL) return FALSE;
    // The windows below an open menu see no moves: nothing lights up there.
    return TRUE;
}

// --- popup menus ----------------------------------------------------------------------

BOOL CSPFrameImpl::OnShowPopupMenu(CSPPopupMenu* pMenuPopup) {
    SPPopupMenuClient::SetActivePopupMenu(pMenuPopup);
    if (pMenuPopup == NULL || CSPToolbarSharedState::IsCustomizeMode()) return TRUE;

    // The bar the chain of menus was opened from takes the keys back when
    // the menus close.
    CSPBaseControlBar* pBar = NULL;
    for (CSPPopupMenu* pMenu = pMenuPopup; pMenu != NULL; pMenu = pMenu->GetParentPopupMenu()) {
        if (pMenu->GetParentButton() == NULL) break;
        CWnd* pParent = pMenu->GetParentToolBar();
        pBar = DYNAMIC_DOWNCAST(CSPBaseControlBar, pParent);
    }
    if (pBar != NULL && !pBar->IsKindOf(RUNTIME_CLASS(CSPPopupMenuBar)) && pBar->IsDocked() &&
        ::GetFocus() != pBar->GetSafeHwnd())
        pBar->SetFocus();
    return TRUE;
}

BOOL CSPPopupMenu::ActivatePopupMenu(CFrameWnd* pTopFrame, CSPPopupMenu* pPopup) {
    if (pTopFrame != NULL) {
        if (pTopFrame->IsKindOf(RUNTIME_CLASS(CSPMDIFrameWnd))) return ((CSPMDIFrameWnd*)pTopFrame)->ShowPopupMenu(pPopup);
        if (pTopFrame->IsKindOf(RUNTIME_CLASS(CSPFrameWnd))) return ((CSPFrameWnd*)pTopFrame)->ShowPopupMenu(pPopup);
        if (pTopFrame->IsKindOf(RUNTIME_CLASS(CSPOleIPFrameWnd)))
            return ((CSPOleIPFrameWnd*)pTopFrame)->ShowPopupMenu(pPopup);
        if (pTopFrame->IsKindOf(RUNTIME_CLASS(CSPOleDocIPFrameWnd)))
            return ((CSPOleDocIPFrameWnd*)pTopFrame)->ShowPopupMenu(pPopup);
    }
    // A frame without the hooks accepts every popup.
    SPPopupMenuClient::SetActivePopupMenu(pPopup);
    return TRUE;
}

void CSPPopupMenu::OnFrameClosePopupMenu(CFrameWnd* pTopFrame, CSPPopupMenu* pPopup) {
    if (pTopFrame != NULL) {
        if (pTopFrame->IsKindOf(RUNTIME_CLASS(CSPMDIFrameWnd))) return ((CSPMDIFrameWnd*)pTopFrame)->OnClosePopupMenu(pPopup);
        if (pTopFrame->IsKindOf(RUNTIME_CLASS(CSPFrameWnd))) return ((CSPFrameWnd*)pTopFrame)->OnClosePopupMenu(pPopup);
        if (pTopFrame->IsKindOf(RUNTIME_CLASS(CSPOleIPFrameWnd)))
            return ((CSPOleIPFrameWnd*)pTopFrame)->OnClosePopupMenu(pPopup);
        if (pTopFrame->IsKindOf(RUNTIME_CLASS(CSPOleDocIPFrameWnd)))
            return ((CSPOleDocIPFrameWnd*)pTopFrame)->OnClosePopupMenu(pPopup);
    }
    if (SPPopupMenuClient::GetActivePopupMenu() == pPopup) SPPopupMenuClient::SetActivePopupMenu(NULL);
}

// --- the routing of the frames' PreTranslateMessage ---------------------------------------

BOOL SPIsHelpKey(const MSG* pMsg) {
    return pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_F1 && (pMsg->lParam & (1 << 30)) == 0 &&
           ::GetKeyState(VK_SHIFT) >= 0 && ::GetKeyState(VK_CONTROL) >= 0 && ::GetKeyState(VK_MENU) >= 0;
}

int CSPFrameImpl::RouteMessage(MSG* pMsg, BOOL bInPlace) {
    const UINT message = pMsg->message;
    // Any other key or button between Alt's press and release makes it no
    // lone Alt (Alt held down repeats its own press).
    const BOOL bPress = message == WM_KEYDOWN || message == WM_SYSKEYDOWN || message == WM_CHAR ||
                        message == WM_SYSCHAR || (message >= WM_LBUTTONDOWN && message <= WM_MOUSELAST) ||
                        (message >= WM_NCLBUTTONDOWN && message <= WM_NCMBUTTONDBLCLK);
    if (bPress && !((message == WM_KEYDOWN || message == WM_SYSKEYDOWN) && pMsg->wParam == VK_MENU))
        m_bAltAlone = FALSE;

    switch (message) {
    case WM_KEYDOWN: {
        if (SPIsHelpKey(pMsg)) return SP_ROUTE_BASE;
        BOOL bProcessAccel = TRUE;
        if (ProcessKeyboard((int)pMsg->wParam, bInPlace ? NULL : &bProcessAccel)) return SP_ROUTE_DONE;
        return bProcessAccel ? SP_ROUTE_BASE : SP_ROUTE_UNTRANSLATED;
    }
    case WM_SYSKEYDOWN:
    case WM_CONTEXTMENU:
        if (bInPlace) return SP_ROUTE_BASE;
        if (OpenPopupMenu() != NULL && pMsg->wParam == VK_MENU) {
            // Alt closes an open menu and leaves the menu mode.
            OpenPopupMenu()->SendMessage(WM_CLOSE);
            return SP_ROUTE_DONE;
        }
        if (message == WM_SYSKEYDOWN && pMsg->wParam == VK_MENU && (pMsg->lParam & (1 << 30)) == 0)
            m_bAltAlone = TRUE;
        return ProcessKeyboard((int)pMsg->wParam) ? SP_ROUTE_DONE : SP_ROUTE_BASE;
    case WM_SYSKEYUP:
        if (bInPlace) return SP_ROUTE_BASE;
        if (m_pMenuBar->GetSafeHwnd() != NULL && pMsg->wParam == VK_MENU) {
            // Alt alone moves the keys to the menu bar, and back again.
            if (m_bAltAlone && IsMenuBarVisible() && !m_pFrame->IsIconic()) {
                if (::GetFocus() == m_pMenuBar->GetSafeHwnd())
                    m_pFrame->SetFocus();
                else
                    m_pMenuBar->SetFocus();
            }
            m_bAltAlone = FALSE;
            return SP_ROUTE_DONE;
        }
        // The release of a key that went to an open menu is the menu's.
        return OpenPopupMenu() != NULL ? SP_ROUTE_DONE : SP_ROUTE_BASE;
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONUP:
    case WM_NCRBUTTONDOWN:
    case WM_NCRBUTTONUP:
    case WM_NCMBUTTONDOWN:
    case WM_NCMBUTTONUP: {
        const CPoint pt((short)LOWORD(pMsg->lParam), (short)HIWORD(pMsg->lParam));
        return ProcessMouseClick(message, pt, pMsg->hwnd) ? SP_ROUTE_DONE : SP_ROUTE_BASE;
    }
    case WM_MOUSEMOVE: {
        CPoint pt((short)LOWORD(pMsg->lParam), (short)HIWORD(pMsg->lParam));
        ::ClientToScreen(pMsg->hwnd, &pt);
        return ProcessMouseMove(pt) ? SP_ROUTE_DONE : SP_ROUTE_BASE;
    }
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDBLCLK:
        if (!bInPlace) return SP_ROUTE_BASE;
        // fall through: the in-place frames route double clicks too
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP: {
        CPoint pt((short)LOWORD(pMsg->lParam), (short)HIWORD(pMsg->lParam));
        const HWND hwndTarget = pMsg->hwnd;
        ::ClientToScreen(hwndTarget, &pt);
        if (ProcessMouseClick(message, pt, hwndTarget)) return SP_ROUTE_DONE;
        // The click closed the window it was meant for.
        if (!::IsWindow(hwndTarget)) return SP_ROUTE_DONE;
        if (message == WM_RBUTTONUP && !CSPToolbarSharedState::IsCustomizeMode() && IsFrameworkDockBar(hwndTarget) &&
            m_pFrame->GetSafeHwnd() != NULL) {
            static const UINT nPopupMenuMsg = ::RegisterWindowMessage(_T("STOOLBAR_POPUPMENU"));
            m_pFrame->SendMessage(nPopupMenuMsg, (WPARAM)m_pFrame->GetSafeHwnd(), MAKELPARAM(pt.x, pt.y));
        }
        return SP_ROUTE_BASE;
    }
    default: return SP_ROUTE_BASE;
    }
}
