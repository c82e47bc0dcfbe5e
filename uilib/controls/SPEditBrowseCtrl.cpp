#include "SPEditBrowseCtrl.h"
#include <algorithm>
#include "SPEditListBase.h"

IMPLEMENT_DYNAMIC(CSPEditBrowseCtrl, CEdit)

BEGIN_MESSAGE_MAP(CSPEditBrowseCtrl, CEdit)
    ON_WM_NCCALCSIZE()
    ON_WM_NCHITTEST()
    ON_WM_NCLBUTTONDOWN()
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONUP()
    ON_WM_CAPTURECHANGED()
    ON_WM_CANCELMODE()
    ON_WM_NCPAINT()
    ON_WM_WINDOWPOSCHANGING()
    ON_WM_WINDOWPOSCHANGED()
END_MESSAGE_MAP()

CSPEditBrowseCtrl::CSPEditBrowseCtrl()
    : m_bIsFixedSize(FALSE),
      m_bBrowseButton(FALSE),
      m_bIsButtonPressed(FALSE),
      m_bIsButtonCaptured(FALSE),
      m_pParentList(NULL) {}

CSPEditBrowseCtrl::~CSPEditBrowseCtrl() {}

void CSPEditBrowseCtrl::EnableBrowseButton(BOOL bEnable) {
    m_bBrowseButton = bEnable;
    if (GetSafeHwnd() != NULL)
        SetWindowPos(NULL, 0, 0, 0, 0, SWP_FRAMECHANGED | SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

CRect CSPEditBrowseCtrl::GetButtonRect() const {
    CRect rect(0, 0, 0, 0);
    if (!m_bBrowseButton || GetSafeHwnd() == NULL) return rect;
    GetWindowRect(rect);
    rect.left = std::max(rect.left, rect.right - nBrowseButtonWidth);
    return rect;
}

void CSPEditBrowseCtrl::RedrawFrame() { RedrawWindow(NULL, NULL, RDW_FRAME | RDW_INVALIDATE); }

void CSPEditBrowseCtrl::OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp) {
    CEdit::OnNcCalcSize(bCalcValidRects, lpncsp);
    if (m_bBrowseButton && lpncsp != NULL) {
        RECT& rc = lpncsp->rgrc[0];
        rc.right = std::max(rc.left, rc.right - nBrowseButtonWidth);
    }
}

LRESULT CSPEditBrowseCtrl::OnNcHitTest(CPoint point) {
    m_rectBtn = GetButtonRect();
    if (m_bBrowseButton && m_rectBtn.PtInRect(point)) return HTBORDER;
    return CEdit::OnNcHitTest(point);
}

void CSPEditBrowseCtrl::OnNcLButtonDown(UINT nHitTest, CPoint point) {
    m_rectBtn = GetButtonRect();
    if (m_bBrowseButton && m_rectBtn.PtInRect(point)) {
        m_bIsButtonPressed = TRUE;
        m_bIsButtonCaptured = TRUE;
        SetCapture();
        RedrawFrame();
        return;
    }
    CEdit::OnNcLButtonDown(nHitTest, point);
}

void CSPEditBrowseCtrl::OnMouseMove(UINT nFlags, CPoint point) {
    if (m_bIsButtonCaptured) {
        CPoint ptScreen = point;
        ClientToScreen(&ptScreen);
        const BOOL bPressed = GetButtonRect().PtInRect(ptScreen);
        if (bPressed != m_bIsButtonPressed) {
            m_bIsButtonPressed = bPressed;
            RedrawFrame();
        }
        return;
    }
    CEdit::OnMouseMove(nFlags, point);
}

void CSPEditBrowseCtrl::EndButtonTracking() {
    m_bIsButtonCaptured = FALSE;
    m_bIsButtonPressed = FALSE;
    if (GetCapture() == this) ReleaseCapture();
    RedrawFrame();
}

void CSPEditBrowseCtrl::OnLButtonUp(UINT nFlags, CPoint point) {
    if (m_bIsButtonCaptured) {
        CPoint ptScreen = point;
        ClientToScreen(&ptScreen);
        const BOOL bInside = GetButtonRect().PtInRect(ptScreen);
        EndButtonTracking();
        if (bInside && m_pParentList != NULL) m_pParentList->OnBrowse();
        return;
    }
    CEdit::OnLButtonUp(nFlags, point);
}

void CSPEditBrowseCtrl::OnCaptureChanged(CWnd* pWnd) {
    if (m_bIsButtonCaptured && pWnd != this) {
        m_bIsButtonCaptured = FALSE;
        m_bIsButtonPressed = FALSE;
        RedrawFrame();
    }
    CEdit::OnCaptureChanged(pWnd);
}

void CSPEditBrowseCtrl::OnCancelMode() {
    CEdit::OnCancelMode();
    if (m_bIsButtonCaptured) EndButtonTracking();
}

void CSPEditBrowseCtrl::OnNcPaint() {
    CEdit::OnNcPaint();
    if (!m_bBrowseButton) return;
    CRect rectWindow;
    GetWindowRect(rectWindow);
    CRect rectButton = GetButtonRect();
    rectButton.OffsetRect(-rectWindow.left, -rectWindow.top);

    HDC hdc = ::GetWindowDC(m_hWnd);
    if (hdc == NULL) return;
    CDC* pDC = CDC::FromHandle(hdc);
    if (m_pParentList != NULL) {
        CSaveDC saved(pDC);
        pDC->IntersectClipRect(rectButton);
        m_pParentList->OnDrawBrowseButton(pDC, rectButton, m_bIsButtonPressed);
    } else {
        ::FillRect(hdc, rectButton, ::GetSysColorBrush(COLOR_BTNFACE));
    }
    ::ReleaseDC(m_hWnd, hdc);
}

void CSPEditBrowseCtrl::OnWindowPosChanging(WINDOWPOS* lpwndpos) {
    if (m_bIsFixedSize && lpwndpos != NULL) lpwndpos->flags |= SWP_NOSIZE;
    CEdit::OnWindowPosChanging(lpwndpos);
}

void CSPEditBrowseCtrl::OnWindowPosChanged(WINDOWPOS* lpwndpos) {
    CEdit::OnWindowPosChanged(lpwndpos);
    m_rectBtn = GetButtonRect();
}
