#include "SPDlgImpl.h"
#include "SPClientHooks.h"
#include "SPToolbarState.h"
#include "SPUserToolsManager.h"

// ---------------------------------------------------------------------------
// CSPDialogMenuHelper

HHOOK CSPDialogMenuHelper::s_hookMouse = NULL;
CSPDialogMenuHelper* CSPDialogMenuHelper::s_pCurrentHelper = NULL;

CSPDialogMenuHelper::~CSPDialogMenuHelper() { Release(); }

CWnd* CSPDialogMenuHelper::GetOpenPopupWnd() {
    CWnd* pWnd = SPPopupMenuClient::PopupAsWnd(SPPopupMenuClient::GetActivePopupMenu());
    return pWnd != NULL && ::IsWindow(pWnd->GetSafeHwnd()) ? pWnd : NULL;
}

void CSPDialogMenuHelper::ClosePopup(CWnd* pPopupWnd) {
    if (pPopupWnd != NULL && ::IsWindow(pPopupWnd->GetSafeHwnd())) pPopupWnd->SendMessage(WM_CLOSE);
}

void CSPDialogMenuHelper::SetActiveMenu(CSPPopupMenu* pMenu) {
    SPPopupMenuClient::SetActivePopupMenu(pMenu);
    if (pMenu != NULL) {
        if (s_hookMouse == NULL)
            s_hookMouse = ::SetWindowsHookEx(WH_MOUSE, MouseHookProc, NULL, ::GetCurrentThreadId());
        s_pCurrentHelper = this;
    } else {
        if (s_hookMouse != NULL) {
            ::UnhookWindowsHookEx(s_hookMouse);
            s_hookMouse = NULL;
        }
        s_pCurrentHelper = NULL;
    }
}

void CSPDialogMenuHelper::Release() {
    if (s_pCurrentHelper != NULL && s_pCurrentHelper->m_pOwner == m_pOwner) {
        s_pCurrentHelper = NULL;
        // no helper left to serve: the hook goes as well
        if (s_hookMouse != NULL) {
            ::UnhookWindowsHookEx(s_hookMouse);
            s_hookMouse = NULL;
        }
    }
}

LRESULT CALLBACK CSPDialogMenuHelper::MouseHookProc(int nCode, WPARAM wParam, LPARAM lParam) {
    if (nCode == HC_ACTION && s_pCurrentHelper != NULL && lParam != 0) {
        switch (wParam) {
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
        case WM_NCLBUTTONDOWN:
        case WM_NCRBUTTONDOWN:
        case WM_NCMBUTTONDOWN: {
            const MOUSEHOOKSTRUCT* pMouse = (const MOUSEHOOKSTRUCT*)lParam;
            CWnd* pOwner = s_pCurrentHelper->m_pOwner;
            CRect rectOwner;
            if (pOwner != NULL && ::IsWindow(pOwner->GetSafeHwnd())) {
                pOwner->GetWindowRect(rectOwner);
                if (!rectOwner.PtInRect(pMouse->pt)) {
                    try {
                        s_pCurrentHelper->ProcessMouseClick(pMouse->pt);
                    } catch (CException* e) {
                        AfxReportBarrierException(e, NULL);
                    } catch (...) {
                        AfxReportForeignException(NULL);
                    }
                }
            }
            break;
        }
        default: break;
        }
    }
    return ::CallNextHookEx(s_hookMouse, nCode, wParam, lParam);
}

BOOL CSPDialogMenuHelper::ProcessMessage(MSG* pMsg) {
    if (pMsg == NULL) return FALSE;
    CWnd* pPopupWnd = GetOpenPopupWnd();
    switch (pMsg->message) {
    case WM_KEYDOWN:
        if (pPopupWnd == NULL) return FALSE;
        pPopupWnd->SendMessage(WM_KEYDOWN, pMsg->wParam, pMsg->lParam);
        return TRUE;
    case WM_SYSKEYDOWN:
        if (pPopupWnd == NULL || pMsg->wParam != VK_MENU) return FALSE;
        ClosePopup(pPopupWnd);
        return TRUE;
    case WM_SYSKEYUP: return pPopupWnd != NULL;
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONUP:
    case WM_NCRBUTTONDOWN:
    case WM_NCRBUTTONUP:
    case WM_NCMBUTTONDOWN:
    case WM_NCMBUTTONUP: {
        const CPoint pt((short)LOWORD(pMsg->lParam), (short)HIWORD(pMsg->lParam));
        return ProcessMouseClick(pt);
    }
    case WM_MOUSEMOVE: {
        CPoint pt((short)LOWORD(pMsg->lParam), (short)HIWORD(pMsg->lParam));
        ::ClientToScreen(pMsg->hwnd, &pt);
        return ProcessMouseMove(pt);
    }
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP: {
        CPoint pt((short)LOWORD(pMsg->lParam), (short)HIWORD(pMsg->lParam));
        const HWND hwndTarget = pMsg->hwnd;
        ::ClientToScreen(hwndTarget, &pt);
        if (ProcessMouseClick(pt)) return TRUE;
        if (!::IsWindow(hwndTarget)) return TRUE;
        if (pMsg->message == WM_RBUTTONUP && !g_bCustomizeMode && m_pOwner != NULL &&
            SPIsKindOf(CWnd::FromHandlePermanent(hwndTarget), "CDockBar")) {
            static const UINT nPopupMenuMsg = ::RegisterWindowMessage(_T("STOOLBAR_POPUPMENU"));
            m_pOwner->SendMessage(nPopupMenuMsg, (WPARAM)m_pOwner->GetSafeHwnd(), MAKELPARAM(pt.x, pt.y));
        }
        return FALSE;
    }
    default: return FALSE;
    }
}

BOOL CSPDialogMenuHelper::ProcessMouseClick(POINT ptScreen) {
    if (g_bCustomizeMode) return FALSE;
    CWnd* pPopupWnd = GetOpenPopupWnd();
    if (pPopupWnd == NULL) return FALSE;
    CSPPopupMenu* pPopup = SPPopupMenuClient::GetActivePopupMenu();

    switch (SPPopupMenuClient::MenuHitTest(pPopup, ptScreen)) {
    case 1:
    case 2:
        ClosePopup(pPopupWnd);
        if (m_pOwner != NULL && ::IsWindow(m_pOwner->GetSafeHwnd())) m_pOwner->SetFocus();
        return TRUE;
    case 4: {
        CRect rectButton;
        BOOL bOnPopupMenuBar, bHoldsPopupOpen;
        if (SPPopupMenuClient::GetParentButton(pPopup, rectButton, bOnPopupMenuBar, bHoldsPopupOpen) &&
            rectButton.PtInRect(ptScreen)) {
            // the button that opened the popup handles its own click
            if (!bOnPopupMenuBar && !bHoldsPopupOpen) ClosePopup(pPopupWnd);
            return TRUE;
        }
        CSPPopupMenu* pParentPopup = SPPopupMenuClient::GetParentPopupMenu(pPopup);
        if (pParentPopup != NULL) {
            switch (SPPopupMenuClient::MenuHitTest(pParentPopup, ptScreen)) {
            case 1:
            case 2:
                ClosePopup(pPopupWnd);
                if (m_pOwner != NULL && ::IsWindow(m_pOwner->GetSafeHwnd())) m_pOwner->SetFocus();
                return TRUE;
            case 4: break;
            default: return FALSE;
            }
        }
        ClosePopup(pPopupWnd);
        CWnd* pFocus = CWnd::FromHandlePermanent(::GetFocus());
        if (SPClientHooks::GetBarInfo(reinterpret_cast<CSPBaseControlBar*>(pFocus)).bToolBar && m_pOwner != NULL &&
            ::IsWindow(m_pOwner->GetSafeHwnd()))
            m_pOwner->SetFocus();
        return FALSE;
    }
    default: return FALSE;
    }
}

BOOL CSPDialogMenuHelper::ProcessMouseMove(POINT ptScreen) {
    if (g_bCustomizeMode) return FALSE;
    CWnd* pPopupWnd = GetOpenPopupWnd();
    if (pPopupWnd == NULL) return FALSE;
    CRect rectPopup;
    pPopupWnd->GetWindowRect(rectPopup);
    if (rectPopup.PtInRect(ptScreen) || SPPopupMenuClient::IsOverPopupMenuBar(ptScreen)) return FALSE;
    return TRUE;  // the dialog's controls see no moves while the menu is open
}

BOOL CSPDialogMenuHelper::OnMenuCommand(WPARAM wParam, LPARAM) {
    if (HIWORD(wParam) != 1) return FALSE;
    const UINT uiCmd = LOWORD(wParam);
    CSPToolbarSharedState::AddCommandUsage(uiCmd);
    CWnd* pPopupWnd = GetOpenPopupWnd();
    if (pPopupWnd != NULL) {
        pPopupWnd->SendMessage(WM_KEYDOWN, VK_ESCAPE);
        return TRUE;
    }
    if (g_pUserToolsManager != NULL) return g_pUserToolsManager->InvokeTool(uiCmd);
    return FALSE;
}

void CSPDialogMenuHelper::OnNcActivate(BOOL& bActive) {
    if (m_pOwner == NULL) return;
    if (m_pOwner->m_nFlags & WF_STAYACTIVE) bActive = TRUE;
    if (!m_pOwner->IsWindowEnabled()) bActive = FALSE;
}

void CSPDialogMenuHelper::OnActivate(UINT nState, CWnd* pWndOther) {
    if (m_pOwner == NULL) return;
    m_pOwner->m_nFlags &= ~WF_STAYACTIVE;
    CWnd* pWndActive = nState != WA_INACTIVE ? m_pOwner : pWndOther;
    const HWND hwndActive = AfxGetSafeHwnd(pWndActive);
    if (hwndActive != NULL && hwndActive != m_pOwner->GetSafeHwnd() &&
        !::SendMessage(hwndActive, WM_FLOATSTATUS, FS_SYNCACTIVE, 0))
        return;
    m_pOwner->m_nFlags |= WF_STAYACTIVE;
    if (hwndActive == NULL) m_pOwner->SendMessage(WM_NCACTIVATE, TRUE);
}
