// SPMenuButton.h - CSPMenuButton: a push button with an arrow that drops a
// menu. The chosen command reaches the parent as WM_COMMAND with the
// button's own control id and stays readable in m_nMenuResult.
//
// The menu is the system's, or, with m_bOSMenu cleared and the library's
// popup menus present (g_pSPPopupMenuTracker), a library popup menu.
#pragma once
#include "SPButton.h"

class CSPMenuButton : public CSPButton {
    DECLARE_DYNCREATE(CSPMenuButton)

public:
    CSPMenuButton();
    virtual ~CSPMenuButton();

    BOOL m_bRightArrow;   // arrow right, menu at the top-right corner; else down, at the bottom-left
    HMENU m_hMenu;        // the caller's
    int m_nMenuResult;    // the command chosen last time, 0 when none
    BOOL m_bStayPressed;  // drawn pressed while the menu is open
    BOOL m_bOSMenu;       // the system's menu rather than the library's

    BOOL IsMenuActive() const { return m_bMenuIsActive; }

    CSize SizeToContent(BOOL bCalcOnly = FALSE) override;
    void OnDraw(CDC* pDC, const CRect& rect, UINT uiState) override;
    // Drops the menu and waits for it to close; nothing without a menu or
    // while it is open.
    virtual void OnShowMenu();

protected:
    BOOL m_bMenuIsActive;

    // The anchor of the menu, in screen coordinates.
    CPoint MenuAnchor() const;

    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnKillFocus(CWnd* pNewWnd);
    afx_msg UINT OnGetDlgCode();
    DECLARE_MESSAGE_MAP()
};
