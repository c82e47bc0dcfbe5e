// wintip.cpp - tooltips of child windows: OnToolHitTest and the filter that
// feeds the thread's tooltip control.
#include "afximpl.h"
#include "afxcmn.h"

// a tooltip flag the platform headers no longer define
#ifndef TTF_NOTBUTTON
#define TTF_NOTBUTTON 0x80000000
#endif

// The visible child of hWnd under point (client coordinates), or NULL.
static HWND VisibleChildFromPoint(HWND hWnd, POINT pt) {
    ::ClientToScreen(hWnd, &pt);
    for (HWND hWndChild = ::GetTopWindow(hWnd); hWndChild != NULL; hWndChild = ::GetNextWindow(hWndChild, GW_HWNDNEXT)) {
        if (::GetDlgCtrlID(hWndChild) == 0xFFFF || !(::GetWindowLong(hWndChild, GWL_STYLE) & WS_VISIBLE)) continue;
        RECT rect;
        ::GetWindowRect(hWndChild, &rect);
        if (::PtInRect(&rect, pt)) return hWndChild;
    }
    return NULL;
}

INT_PTR CWnd::OnToolHitTest(CPoint point, TOOLINFO* pTI) const {
    HWND hWndChild = VisibleChildFromPoint(m_hWnd, point);
    if (hWndChild == NULL) return -1;
    if (pTI != NULL && pTI->cbSize >= TTTOOLINFOA_V1_SIZE) {
        pTI->hwnd = m_hWnd;
        pTI->uId = (UINT_PTR)hWndChild;
        pTI->uFlags |= TTF_IDISHWND;
        pTI->lpszText = LPSTR_TEXTCALLBACK;
        if (!(::SendMessage(hWndChild, WM_GETDLGCODE, 0, 0) & DLGC_BUTTON)) pTI->uFlags |= TTF_NOTBUTTON | TTF_CENTERTIP;
    }
    return ::GetDlgCtrlID(hWndChild);
}

// Frees the text a hit test allocated (anything but the callback marker).
static void FreeToolText(TOOLINFO& ti) {
    if (ti.lpszText != NULL && ti.lpszText != LPSTR_TEXTCALLBACK) free(ti.lpszText);
    ti.lpszText = NULL;
}

void CWnd::FilterToolTipMessage(MSG* pMsg) {
    UINT message = pMsg->message;
    if ((message != WM_MOUSEMOVE && message != WM_NCMOUSEMOVE && message != WM_LBUTTONUP &&
         message != WM_RBUTTONUP && message != WM_MBUTTONUP && message != WM_LBUTTONDOWN &&
         message != WM_RBUTTONDOWN && message != WM_MBUTTONDOWN) ||
        m_hWnd == NULL)
        return;
    AFX_THREAD_STATE* pState = AfxGetThreadState();
    CToolTipCtrl* pToolTip = pState->m_pToolTip;
    if (pToolTip == NULL || pToolTip->m_hWnd == NULL) {
        delete pToolTip;
        pToolTip = new CToolTipCtrl;
        if (!pToolTip->Create(this, TTS_ALWAYSTIP)) {
            delete pToolTip;
            pState->m_pToolTip = NULL;
            return;
        }
        pToolTip->SendMessage(TTM_ACTIVATE, FALSE);
        pState->m_pToolTip = pToolTip;
    }

    // the point in this window's client coordinates
    CPoint point = pMsg->pt;
    ::ScreenToClient(m_hWnd, &point);
    TOOLINFO ti = {};
    ti.cbSize = TTTOOLINFOA_V1_SIZE;
    INT_PTR nHit = OnToolHitTest(point, &ti);
    if (pState->m_nLastHit != nHit || pState->m_pLastHit != this) {
        // a different tool: the old one goes, the new one is added
        if (pState->m_pLastHit != NULL) {
            TOOLINFO tiOld = {};
            tiOld.cbSize = TTTOOLINFOA_V1_SIZE;
            tiOld.hwnd = pState->m_pLastHit->m_hWnd;
            tiOld.uId = 0;
            while (pToolTip->SendMessage(TTM_ENUMTOOLS, 0, (LPARAM)&tiOld)) {
                pToolTip->SendMessage(TTM_DELTOOL, 0, (LPARAM)&tiOld);
                tiOld.cbSize = TTTOOLINFOA_V1_SIZE;
            }
        }
        if (nHit != -1) {
            if (!(ti.uFlags & TTF_IDISHWND) && ti.rect.right == 0) ::GetClientRect(m_hWnd, &ti.rect);
            ti.uFlags &= ~TTF_NOTBUTTON;
            pToolTip->SendMessage(TTM_ADDTOOL, 0, (LPARAM)&ti);
            pToolTip->SendMessage(TTM_ACTIVATE, TRUE);
            pState->m_pLastHit = this;
        } else {
            pToolTip->SendMessage(TTM_ACTIVATE, FALSE);
            pState->m_pLastHit = NULL;
        }
        pState->m_nLastHit = nHit;
    }
    FreeToolText(ti);
    if (nHit != -1) {
        MSG msg = *pMsg;
        msg.hwnd = m_hWnd;
        msg.lParam = MAKELPARAM(point.x, point.y);
        pToolTip->SendMessage(TTM_RELAYEVENT, 0, (LPARAM)&msg);
    }
}

void CWnd::CancelToolTips(BOOL) {
    AFX_THREAD_STATE* pState = AfxGetThreadState();
    if (pState->m_pToolTip != NULL && pState->m_pToolTip->m_hWnd != NULL)
        pState->m_pToolTip->SendMessage(TTM_POP);
}
