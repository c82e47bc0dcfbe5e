// SPHostedEdit.h - CSPHostedEdit: the edit that a toolbar button lays on its
// bar. It tells its button when the mouse is over it or it has the focus,
// so that the button can draw itself hot.
#pragma once
#include "afxwin.h"

class CSPHostedEdit : public CEdit {
protected:
    CSPHostedEdit() : m_bTracking(FALSE) {}

    // The button's hot state follows the mouse and the focus.
    virtual void SetOwnerHot(BOOL bHot) = 0;
    // After the focus came (TRUE) or went.
    virtual void OnFocusChanged(BOOL /*bFocus*/) {}

    BOOL m_bTracking;  // a mouse-leave request is outstanding

    afx_msg void OnSetFocus(CWnd* pOldWnd);
    afx_msg void OnKillFocus(CWnd* pNewWnd);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg LRESULT OnMouseLeave(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()
};
