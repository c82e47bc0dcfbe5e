#include "SPDialog.h"

IMPLEMENT_DYNAMIC(CSPDialog, CDialog)

BEGIN_MESSAGE_MAP(CSPDialog, CDialog)
    ON_WM_ACTIVATE()
    ON_WM_NCACTIVATE()
    ON_WM_ERASEBKGND()
    ON_WM_DESTROY()
    ON_WM_CTLCOLOR()
END_MESSAGE_MAP()

CSPDialog::CSPDialog()
    : m_hBkgrBitmap(NULL), m_sizeBkgrBitmap(0, 0), m_nBkgrLocation(-1), m_bAutoDestroyBmp(FALSE), m_Impl(this) {}

CSPDialog::CSPDialog(UINT nIDTemplate, CWnd* pParentWnd)
    : CDialog(nIDTemplate, pParentWnd),
      m_hBkgrBitmap(NULL),
      m_sizeBkgrBitmap(0, 0),
      m_nBkgrLocation(-1),
      m_bAutoDestroyBmp(FALSE),
      m_Impl(this) {}

CSPDialog::CSPDialog(LPCTSTR lpszTemplateName, CWnd* pParentWnd)
    : CDialog(lpszTemplateName, pParentWnd),
      m_hBkgrBitmap(NULL),
      m_sizeBkgrBitmap(0, 0),
      m_nBkgrLocation(-1),
      m_bAutoDestroyBmp(FALSE),
      m_Impl(this) {}

CSPDialog::~CSPDialog() {
    if (m_bAutoDestroyBmp && m_hBkgrBitmap != NULL) ::DeleteObject(m_hBkgrBitmap);
}

void CSPDialog::Repaint() {
    if (GetSafeHwnd() != NULL) RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

void CSPDialog::SetBackgroundColor(COLORREF color, BOOL bRepaint) {
    if (m_brBkgr.GetSafeHandle() != NULL) m_brBkgr.DeleteObject();
    if (color != (COLORREF)-1) {
        m_brBkgr.CreateSolidBrush(color);
        if (bRepaint) Repaint();
    }
}

void CSPDialog::SetBackgroundImage(HBITMAP hBitmap, int nLocation, BOOL bAutoDestroy, BOOL bRepaint) {
    if (m_bAutoDestroyBmp && m_hBkgrBitmap != NULL && m_hBkgrBitmap != hBitmap) ::DeleteObject(m_hBkgrBitmap);
    m_hBkgrBitmap = hBitmap;
    m_nBkgrLocation = nLocation;
    m_bAutoDestroyBmp = bAutoDestroy;
    m_sizeBkgrBitmap = CSize(0, 0);
    if (hBitmap != NULL) {
        BITMAP bmp = {};
        if (::GetObject(hBitmap, sizeof(bmp), &bmp) != 0) m_sizeBkgrBitmap = CSize(bmp.bmWidth, bmp.bmHeight);
    }
    if (bRepaint) Repaint();
}

BOOL CSPDialog::SetBackgroundImage(UINT uiBmpResId, int nLocation, BOOL bRepaint) {
    HBITMAP hBitmap = NULL;
    if (uiBmpResId != 0) {
        hBitmap = (HBITMAP)::LoadImage(::GetModuleHandle(NULL), MAKEINTRESOURCE(uiBmpResId), IMAGE_BITMAP, 0, 0,
                                       LR_DEFAULTCOLOR);
        if (hBitmap == NULL) return FALSE;
    }
    SetBackgroundImage(hBitmap, nLocation, TRUE, bRepaint);
    return TRUE;
}

BOOL CSPDialog::OnEraseBkgnd(CDC* pDC) {
    if (m_brBkgr.GetSafeHandle() == NULL && m_hBkgrBitmap == NULL) return CDialog::OnEraseBkgnd(pDC);

    CRect rectClient;
    GetClientRect(rectClient);
    if (m_nBkgrLocation != BACKGR_TILE || m_hBkgrBitmap == NULL) {
        if (m_brBkgr.GetSafeHandle() != NULL) pDC->FillRect(rectClient, &m_brBkgr);
        else CDialog::OnEraseBkgnd(pDC);
    }
    if (m_hBkgrBitmap == NULL || m_sizeBkgrBitmap.cx <= 0 || m_sizeBkgrBitmap.cy <= 0) return TRUE;

    if (m_nBkgrLocation == BACKGR_TILE) {
        for (int x = rectClient.left; x < rectClient.right; x += m_sizeBkgrBitmap.cx)
            for (int y = rectClient.top; y < rectClient.bottom; y += m_sizeBkgrBitmap.cy)
                pDC->DrawState(CPoint(x, y), m_sizeBkgrBitmap, m_hBkgrBitmap, DSS_NORMAL);
        return TRUE;
    }
    CPoint pt = rectClient.TopLeft();
    switch (m_nBkgrLocation) {
    case BACKGR_TOPRIGHT: pt.x = rectClient.right - m_sizeBkgrBitmap.cx; break;
    case BACKGR_BOTTOMLEFT: pt.y = rectClient.bottom - m_sizeBkgrBitmap.cy; break;
    case BACKGR_BOTTOMRIGHT:
        pt.x = rectClient.right - m_sizeBkgrBitmap.cx;
        pt.y = rectClient.bottom - m_sizeBkgrBitmap.cy;
        break;
    default: break;
    }
    pDC->DrawState(pt, m_sizeBkgrBitmap, m_hBkgrBitmap, DSS_NORMAL);
    return TRUE;
}

void CSPDialog::OnDestroy() {
    if (m_bAutoDestroyBmp && m_hBkgrBitmap != NULL) {
        ::DeleteObject(m_hBkgrBitmap);
        m_hBkgrBitmap = NULL;
        m_sizeBkgrBitmap = CSize(0, 0);
    }
    m_Impl.Release();
    CDialog::OnDestroy();
}

HBRUSH CSPDialog::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor) {
    if ((m_brBkgr.GetSafeHandle() != NULL || m_hBkgrBitmap != NULL) && nCtlColor == CTLCOLOR_STATIC &&
        pWnd != NULL) {
        TCHAR szClass[32] = {};
        ::GetClassName(pWnd->GetSafeHwnd(), szClass, 31);
        if (lstrcmpi(szClass, _T("Static")) == 0 || lstrcmpi(szClass, _T("Button")) == 0) {
            pDC->SetBkMode(TRANSPARENT);
            return (HBRUSH)::GetStockObject(HOLLOW_BRUSH);
        }
    }
    return CDialog::OnCtlColor(pDC, pWnd, nCtlColor);
}

void CSPDialog::OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized) {
    CDialog::OnActivate(nState, pWndOther, bMinimized);
    m_Impl.OnActivate(nState, pWndOther);
}

BOOL CSPDialog::OnNcActivate(BOOL bActive) {
    m_Impl.OnNcActivate(bActive);
    return (BOOL)DefWindowProc(WM_NCACTIVATE, bActive, 0L);
}

BOOL CSPDialog::PreTranslateMessage(MSG* pMsg) {
    if (m_Impl.ProcessMessage(pMsg)) return TRUE;
    return CDialog::PreTranslateMessage(pMsg);
}

BOOL CSPDialog::OnCommand(WPARAM wParam, LPARAM lParam) {
    if (m_Impl.OnMenuCommand(wParam, lParam)) return TRUE;
    return CDialog::OnCommand(wParam, lParam);
}
