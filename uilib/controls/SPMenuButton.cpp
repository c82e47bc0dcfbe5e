// SPMenuButton.cpp - the push button that drops a menu.
#include "SPMenuButton.h"

#include "SPMenuImages.h"
#include "SPPopupMenuTracker.h"

IMPLEMENT_DYNCREATE(CSPMenuButton, CSPButton)

BEGIN_MESSAGE_MAP(CSPMenuButton, CSPButton)
    ON_WM_KEYDOWN()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_KILLFOCUS()
    ON_WM_GETDLGCODE()
END_MESSAGE_MAP()

// The space the arrow takes right of the label.
static const int nArrowGap = 10;

CSPMenuButton::CSPMenuButton()
    : m_bRightArrow(FALSE),
      m_hMenu(NULL),
      m_nMenuResult(0),
      m_bStayPressed(FALSE),
      m_bOSMenu(TRUE),
      m_bMenuIsActive(FALSE) {}

CSPMenuButton::~CSPMenuButton() {}

CSize CSPMenuButton::SizeToContent(BOOL bCalcOnly) {
    CSize size = CSPButton::SizeToContent(TRUE);
    size.cx += CSPMenuImages::Size().cx;
    if (!bCalcOnly && GetSafeHwnd() != NULL)
        SetWindowPos(NULL, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    return size;
}

void CSPMenuButton::OnDraw(CDC* pDC, const CRect& rect, UINT uiState) {
    const CSize sizeArrow = CSPMenuImages::Size();
    CRect rectLabel = rect;
    rectLabel.right -= sizeArrow.cx + nArrowGap;
    CSPButton::OnDraw(pDC, rectLabel, uiState);

    CRect rectArrow = rect;
    rectArrow.left = rectLabel.right;
    const CPoint ptArrow(rectArrow.left + (rectArrow.Width() - sizeArrow.cx) / 2,
                         rectArrow.top + (rectArrow.Height() - sizeArrow.cy) / 2);
    CSPMenuImages::Draw(pDC, m_bRightArrow ? CSPMenuImages::IdArowRightSmall : CSPMenuImages::IdArowDownLarge,
                        ptArrow, (uiState & ODS_DISABLED) ? CSPMenuImages::ImageGray : CSPMenuImages::ImageBlack);
}

CPoint CSPMenuButton::MenuAnchor() const {
    CRect rectWindow;
    GetWindowRect(rectWindow);
    return m_bRightArrow ? CPoint(rectWindow.right, rectWindow.top) : CPoint(rectWindow.left, rectWindow.bottom);
}

void CSPMenuButton::OnShowMenu() {
    if (m_hMenu == NULL || m_bMenuIsActive) return;
    const CPoint pt = MenuAnchor();
    if (m_bStayPressed) {
        m_bPushed = TRUE;
        m_bHighlighted = TRUE;
    }
    m_bMenuIsActive = TRUE;
    Invalidate();

    // The button may go while the menu is open (the parent closing).
    const HWND hwndSelf = GetSafeHwnd();
    int nResult = 0;
    if (!m_bOSMenu && g_pSPPopupMenuTracker != NULL) {
        nResult = (int)g_pSPPopupMenuTracker->TrackPopupMenu(m_hMenu, pt.x, pt.y, this);
        if (::IsWindow(hwndSelf)) SetFocus();
    } else {
        nResult = ::TrackPopupMenu(m_hMenu, TPM_LEFTALIGN | TPM_RETURNCMD | TPM_NONOTIFY, pt.x, pt.y, 0, hwndSelf,
                                   NULL);
    }
    if (!::IsWindow(hwndSelf)) return;

    if (nResult != 0) {
        m_nMenuResult = nResult;
        if (CWnd* pParent = GetParent())
            pParent->SendMessage(WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(), BN_CLICKED), (LPARAM)hwndSelf);
    }
    if (!::IsWindow(hwndSelf)) return;
    m_bPushed = FALSE;
    m_bHighlighted = FALSE;
    m_bMenuIsActive = FALSE;
    Invalidate();
    UpdateWindow();
    if (::GetCapture() == hwndSelf) ::ReleaseCapture();
    m_bCaptured = FALSE;
}

UINT CSPMenuButton::OnGetDlgCode() { return DLGC_WANTARROWS; }

void CSPMenuButton::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) {
    if (nChar == VK_SPACE || nChar == VK_DOWN) {
        OnShowMenu();
        return;
    }
    CButton::OnKeyDown(nChar, nRepCnt, nFlags);
}

void CSPMenuButton::OnLButtonDown(UINT /*nFlags*/, CPoint /*point*/) {
    SetFocus();
    OnShowMenu();
}

void CSPMenuButton::OnLButtonUp(UINT nFlags, CPoint point) {
    if (m_bStayPressed && m_bMenuIsActive) {
        // The press belongs to the open menu: no click comes of it.
        m_bClickedInside = FALSE;
        if (m_bCaptured && ::GetCapture() == GetSafeHwnd()) ::ReleaseCapture();
        m_bCaptured = FALSE;
        return;
    }
    CSPButton::OnLButtonUp(nFlags, point);
}

void CSPMenuButton::OnKillFocus(CWnd* pNewWnd) {
    if (m_bStayPressed && m_bMenuIsActive) {
        CButton::OnKillFocus(pNewWnd);
        m_bClickedInside = FALSE;
        return;
    }
    CSPButton::OnKillFocus(pNewWnd);
}
