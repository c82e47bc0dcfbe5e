// SPHostedEdit.cpp - CSPHostedEdit.
#include "SPHostedEdit.h"

#include "SPTrackMouse.h"

BEGIN_MESSAGE_MAP(CSPHostedEdit, CEdit)
    ON_WM_SETFOCUS()
    ON_WM_KILLFOCUS()
    ON_WM_MOUSEMOVE()
    ON_MESSAGE(WM_MOUSELEAVE, OnMouseLeave)
END_MESSAGE_MAP()

void CSPHostedEdit::OnSetFocus(CWnd* pOldWnd) {
    CEdit::OnSetFocus(pOldWnd);
    SetOwnerHot(TRUE);
    OnFocusChanged(TRUE);
}

void CSPHostedEdit::OnKillFocus(CWnd* pNewWnd) {
    CEdit::OnKillFocus(pNewWnd);
    SetOwnerHot(FALSE);
    OnFocusChanged(FALSE);
}

void CSPHostedEdit::OnMouseMove(UINT nFlags, CPoint point) {
    CEdit::OnMouseMove(nFlags, point);
    SetOwnerHot(TRUE);
    if (!m_bTracking) {
        m_bTracking = TRUE;
        TRACKMOUSEEVENT tme = {sizeof(tme), TME_LEAVE, m_hWnd, 0};
        SPTrackMouse(&tme);
    }
}

LRESULT CSPHostedEdit::OnMouseLeave(WPARAM, LPARAM) {
    m_bTracking = FALSE;
    if (::GetFocus() != m_hWnd) SetOwnerHot(FALSE);
    return 0;
}
