#include "SPURLLinkButton.h"
#include "SPGlobalData.h"

IMPLEMENT_DYNCREATE(CSPURLLinkButton, CSPButton)

CSPURLLinkButton::PFNSHELLEXECUTE CSPURLLinkButton::s_pfnShellExecute = NULL;

BEGIN_MESSAGE_MAP(CSPURLLinkButton, CSPButton)
    ON_CONTROL_REFLECT(BN_CLICKED, OnClicked)
END_MESSAGE_MAP()

CSPURLLinkButton::CSPURLLinkButton() {
    m_clrRegular = spGlobalData.clrHilite;
    m_clrHover = spGlobalData.clrHotLinkText;
    m_sizePushOffset = CSize(0, 0);
    m_nFlatStyle = BUTTONSTYLE_NOBORDERS;
    m_bTransparent = TRUE;
    SetHandCursor();
}

CSPURLLinkButton::~CSPURLLinkButton() {}

CSPURLLinkButton::PFNSHELLEXECUTE CSPURLLinkButton::SetShellExecuteHook(PFNSHELLEXECUTE pfn) {
    PFNSHELLEXECUTE pfnOld = s_pfnShellExecute;
    s_pfnShellExecute = pfn;
    return pfnOld;
}

void CSPURLLinkButton::SetURL(LPCTSTR lpszURL) { m_strURL = lpszURL != NULL ? lpszURL : _T(""); }

void CSPURLLinkButton::SetURLPrefix(LPCTSTR lpszPrefix) { m_strPrefix = lpszPrefix != NULL ? lpszPrefix : _T(""); }

CString CSPURLLinkButton::GetTarget() const {
    CString strTarget = m_strURL;
    if (strTarget.IsEmpty() && GetSafeHwnd() != NULL) GetWindowText(strTarget);
    return m_strPrefix + strTarget;
}

void CSPURLLinkButton::OpenLink() {
    if (GetSafeHwnd() == NULL || !IsWindowEnabled()) return;
    CWaitCursor wait;
    const CString strTarget = GetTarget();
    PFNSHELLEXECUTE pfn = s_pfnShellExecute != NULL ? s_pfnShellExecute : &::ShellExecuteA;
    // Shown normally: a hidden start would leave a document's program invisible.
    pfn(NULL, NULL, strTarget, NULL, NULL, SW_SHOWNORMAL);
    m_bHover = FALSE;
    m_bHighlighted = FALSE;
    Invalidate();
    UpdateWindow();
}

void CSPURLLinkButton::OnClicked() { OpenLink(); }

void CSPURLLinkButton::OnDraw(CDC* pDC, const CRect& rect, UINT) {
    CString strLabel;
    GetWindowText(strLabel);
    CSelectObject selFont(pDC, &spGlobalData.fontUnderline);
    const COLORREF clrOld = pDC->SetTextColor(m_bHover ? m_clrHover : m_clrRegular);
    const int nOldMode = pDC->SetBkMode(TRANSPARENT);
    CRect rectText = rect;
    pDC->DrawText(strLabel, rectText, DT_SINGLELINE);
    pDC->SetBkMode(nOldMode);
    pDC->SetTextColor(clrOld);
}

void CSPURLLinkButton::OnDrawFocusRect(CDC* pDC, const CRect& rectClient) { pDC->DrawFocusRect(rectClient); }

CSize CSPURLLinkButton::SizeToContent(BOOL bVCenter, BOOL bHCenter) {
    if (m_sizeImage.cx > 0 && m_sizeImage.cy > 0) return CSPButton::SizeToContent(FALSE);
    if (GetSafeHwnd() == NULL) return CSize(0, 0);

    CString strLabel;
    GetWindowText(strLabel);
    CRect rectText(0, 0, 0, 0);
    {
        CClientDC dc(this);
        CSelectObject selFont(&dc, &spGlobalData.fontUnderline);
        dc.DrawText(strLabel, rectText, DT_CALCRECT | DT_SINGLELINE);
    }
    rectText.InflateRect(3, 3);
    const CSize size = rectText.Size();

    if (bVCenter || bHCenter) {
        CRect rectOld;
        GetWindowRect(rectOld);
        CWnd* pParent = GetParent();
        if (pParent != NULL) pParent->ScreenToClient(rectOld);
        const int x = bHCenter ? rectOld.left + (rectOld.Width() - size.cx) / 2 : rectOld.left;
        const int y = bVCenter ? rectOld.top + (rectOld.Height() - size.cy) / 2 : rectOld.top;
        SetWindowPos(NULL, x, y, size.cx, size.cy, SWP_NOZORDER | SWP_NOACTIVATE);
    } else {
        SetWindowPos(NULL, 0, 0, size.cx, size.cy, SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOMOVE);
    }
    return size;
}

BOOL CSPURLLinkButton::PreTranslateMessage(MSG* pMsg) {
    if (pMsg->hwnd == m_hWnd) {
        if (pMsg->message == WM_KEYDOWN && (pMsg->wParam == VK_SPACE || pMsg->wParam == VK_RETURN)) return TRUE;
        if (pMsg->message == WM_KEYUP) {
            if (pMsg->wParam == VK_SPACE) return TRUE;
            if (pMsg->wParam == VK_RETURN) {
                OpenLink();
                return TRUE;
            }
        }
    }
    return CSPButton::PreTranslateMessage(pMsg);
}
