#include "SPCaptionBar.h"

#include <algorithm>

#include "SPFrameImpl.h"
#include "SPGlobalData.h"
#include "SPOleCntrFrameWnd.h"
#include "SPToolbarState.h"
#include "SPTrackMouse.h"
#include "SPVisualManager.h"

using std::max;
using std::min;

IMPLEMENT_DYNCREATE(CSPCaptionBar, CSPControlBar)

BEGIN_MESSAGE_MAP(CSPCaptionBar, CSPControlBar)
    ON_WM_CREATE()
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_WM_SIZE()
    ON_WM_NCCALCSIZE()
    ON_WM_NCPAINT()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_MOUSEMOVE()
    ON_WM_RBUTTONUP()
    ON_MESSAGE(WM_MOUSELEAVE, OnMouseLeave)
    ON_MESSAGE(WM_SETFONT, OnSetFont)
    ON_MESSAGE(WM_GETFONT, OnGetFont)
    ON_WM_SYSCOLORCHANGE()
END_MESSAGE_MAP()

// The space a button with a command keeps for its arrow.
static const int nArrowSpace = 10;

CSPCaptionBar::CSPCaptionBar()
    : m_clrBarText((COLORREF)-1),
      m_clrBarBackground((COLORREF)-1),
      m_nBorderSize(4),
      m_nMargin(4),
      m_nHorzElementOffset(4),
      m_hIcon(NULL),
      m_bStretchImage(FALSE),
      m_iconAlignment(ALIGN_LEFT),
      m_rectImage(0, 0, 0, 0),
      m_hFont(NULL),
      m_textAlignment(ALIGN_LEFT),
      m_rectDrawText(0, 0, 0, 0),
      m_rectText(0, 0, 0, 0),
      m_uiBtnID(0),
      m_btnAlignnment(ALIGN_LEFT),
      m_rectButton(0, 0, 0, 0),
      m_bIsBtnPressed(FALSE),
      m_bIsBtnHighlighted(FALSE),
      m_bIsBtnForcePressed(FALSE),
      m_bTracked(FALSE),
      m_bBtnEnabled(TRUE),
      m_nDefaultHeight(-1),
      m_nBarHeight(0),
      m_bFlatBorder(FALSE),
      m_clrTransparent((COLORREF)-1) {}

CSPCaptionBar::~CSPCaptionBar() {}

BOOL CSPCaptionBar::Create(DWORD dwStyle, CWnd* pParentWnd, UINT uID, int nHeight) {
    SetControlBarStyle(CBRS_ALIGN_TOP);
    m_nDefaultHeight = nHeight;
    // A caption bar neither floats nor is resized by the user.
    if (!CSPControlBar::Create(NULL, dwStyle, CRect(0, 0, 0, 0), pParentWnd, uID, 0)) return FALSE;
    // A container's frame wrapper is not one the bar registers with.
    CSPFrameImpl* pImpl = CSPFrameImpl::FromFrame(pParentWnd);
    if (pImpl != NULL && !pParentWnd->IsKindOf(RUNTIME_CLASS(CSPOleCntrFrameWnd)))
        pImpl->AddControlBar(this, TRUE);
    else if (pParentWnd != NULL && pParentWnd->IsKindOf(RUNTIME_CLASS(CDialog)))
        m_bIsInDialog = TRUE;
    return TRUE;
}

// --- elements -----------------------------------------------------------------------

void CSPCaptionBar::SetButton(LPCTSTR lpszLabel, UINT uiCmdUI, BarElementAlignment btnAlignmnet) {
    m_strBtnText = lpszLabel != NULL ? lpszLabel : _T("");
    m_uiBtnID = uiCmdUI;
    m_btnAlignnment = btnAlignmnet;
    RecalcLayout();
}

void CSPCaptionBar::RemoveButton() {
    m_strBtnText.Empty();
    RecalcLayout();
}

void CSPCaptionBar::EnableButton(BOOL bEnable) {
    m_bBtnEnabled = bEnable;
    if (GetSafeHwnd() == NULL) return;
    CRect rectOld = m_rectButton;
    RecalcLayout();
    InvalidateRect(rectOld);
    InvalidateRect(m_rectButton);
    UpdateWindow();
}

void CSPCaptionBar::SetButtonPushed(BOOL bPushed) {
    m_bIsBtnForcePressed = bPushed;
    RedrawButton();
}

void CSPCaptionBar::SetIcon(HICON hIcon, BarElementAlignment iconAlignment) {
    m_Bitmap.Clear();
    m_hIcon = hIcon;
    m_iconAlignment = iconAlignment;
    RecalcLayout();
}

void CSPCaptionBar::RemoveIcon() {
    m_Bitmap.Clear();
    m_hIcon = NULL;
    RecalcLayout();
}

void CSPCaptionBar::SetBitmap(HBITMAP hBitmap, COLORREF clrTransparent, BOOL bStretch,
                              BarElementAlignment bmpAlignment) {
    m_hIcon = NULL;
    m_Bitmap.Clear();
    BITMAP bmp;
    if (hBitmap != NULL && ::GetObject(hBitmap, sizeof(bmp), &bmp) != 0) {
        m_Bitmap.SetImageSize(CSize(bmp.bmWidth, bmp.bmHeight));
        if (clrTransparent != m_clrTransparent) {
            m_clrTransparent = clrTransparent;
            m_Bitmap.SetTransparentColor(clrTransparent);
        }
        m_Bitmap.AddImage(hBitmap);
    }
    m_bStretchImage = bStretch;
    m_iconAlignment = bmpAlignment;
    RecalcLayout();
}

void CSPCaptionBar::RemoveBitmap() {
    m_Bitmap.Clear();
    RecalcLayout();
}

void CSPCaptionBar::SetText(const CString& strText, BarElementAlignment textAlignment) {
    m_strText = strText;
    m_textAlignment = textAlignment;
    RecalcLayout();
}

void CSPCaptionBar::RemoveText() {
    m_strText.Empty();
    RecalcLayout();
}

CSPCaptionBar::BarElementAlignment CSPCaptionBar::GetAlignment(BarElement elem) const {
    switch (elem) {
    case ELEM_BUTTON:
        return m_btnAlignnment;
    case ELEM_TEXT:
        return m_textAlignment;
    default:
        return m_iconAlignment;
    }
}

CSize CSPCaptionBar::GetImageSize() const {
    if (m_Bitmap.GetCount() > 0) return m_Bitmap.GetImageSize();
    if (m_hIcon == NULL) return CSize(0, 0);
    ICONINFO info;
    if (!::GetIconInfo(m_hIcon, &info)) return CSize(0, 0);
    BITMAP bmp = {};
    ::GetObject(info.hbmColor != NULL ? info.hbmColor : info.hbmMask, sizeof(bmp), &bmp);
    if (info.hbmColor != NULL) ::DeleteObject(info.hbmColor);
    if (info.hbmMask != NULL) ::DeleteObject(info.hbmMask);
    // A mask-only icon holds the mask and the image one above the other.
    return CSize(bmp.bmWidth, info.hbmColor != NULL ? bmp.bmHeight : bmp.bmHeight / 2);
}

CFont* CSPCaptionBar::SelectBarFont(CDC* pDC) {
    return pDC->SelectObject(m_hFont != NULL ? CFont::FromHandle(m_hFont) : &spGlobalData.fontRegular);
}

void CSPCaptionBar::GetVisualInfo(SPBarInfo& info) {
    CSPControlBar::GetVisualInfo(info);
    info.bCaptionBar = TRUE;
    info.clrCaptionBack = m_clrBarBackground;
}

// --- layout -------------------------------------------------------------------------

CSize CSPCaptionBar::CalcFixedLayout(BOOL /*bStretch*/, BOOL /*bHorz*/) {
    RecalcLayout();
    return CSize(32767, m_nBarHeight);
}

void CSPCaptionBar::RecalcLayout() {
    if (GetSafeHwnd() == NULL) return;
    CClientDC dc(this);
    CFont* pOldFont = SelectBarFont(&dc);
    TEXTMETRIC tm;
    dc.GetTextMetrics(&tm);
    const CSize sizeImage = GetImageSize();
    m_nBarHeight = m_nDefaultHeight != -1 ? m_nDefaultHeight
                                          : m_nBorderSize + 2 * m_nMargin + max((int)tm.tmHeight, (int)sizeImage.cy);

    CRect rectClient;
    GetClientRect(rectClient);
    int nLeft = rectClient.left + m_nMargin, nRight = rectClient.right - m_nMargin;
    const int nGap = m_nHorzElementOffset;
    // The elements held for the centre, in order, with their widths.
    CRect* centred[3];
    int nCentred = 0;
    auto place = [&](CRect& rect, int nWidth, int nTop, int nBottom, BarElementAlignment alignment) {
        switch (alignment) {
        case ALIGN_RIGHT:
            rect.SetRect(nRight - nWidth, nTop, nRight, nBottom);
            nRight -= nWidth + nGap;
            break;
        case ALIGN_CENTER:
            rect.SetRect(0, nTop, nWidth, nBottom);
            centred[nCentred++] = &rect;
            break;
        default:
            rect.SetRect(nLeft, nTop, nLeft + nWidth, nBottom);
            nLeft += nWidth + nGap;
            break;
        }
    };

    m_rectImage.SetRectEmpty();
    if (sizeImage.cx > 0 && sizeImage.cy > 0) {
        int nTop = rectClient.top, nBottom = rectClient.bottom;
        if (sizeImage.cy < rectClient.Height()) {
            nTop = rectClient.top + (rectClient.Height() - sizeImage.cy) / 2;
            nBottom = nTop + sizeImage.cy;
        }
        place(m_rectImage, sizeImage.cx, nTop, nBottom, m_iconAlignment);
    }

    m_rectButton.SetRectEmpty();
    if (!m_strBtnText.IsEmpty()) {
        const int nWidth = dc.GetTextExtent(m_strBtnText).cx + 2 * nGap + (HasActiveButton() ? nArrowSpace : 0);
        place(m_rectButton, nWidth, rectClient.top, rectClient.bottom, m_btnAlignnment);
    }

    m_rectText.SetRectEmpty();
    if (!m_strText.IsEmpty()) {
        CRect rectCalc(0, 0, max(1, nRight - nLeft), rectClient.Height());
        dc.DrawText(m_strText, rectCalc, DT_CALCRECT | DT_VCENTER);
        const int nTop = rectClient.top + (rectClient.Height() - rectCalc.Height()) / 2;
        place(m_rectText, rectCalc.Width(), nTop, nTop + rectCalc.Height(), m_textAlignment);
    }

    // The centred elements stand one after the other around the middle.
    int nTotal = 0;
    for (int i = 0; i < nCentred; i++) nTotal += centred[i]->Width() + (i > 0 ? nGap : 0);
    int x = rectClient.CenterPoint().x - nTotal / 2;
    for (int i = 0; i < nCentred; i++) {
        const int nWidth = centred[i]->Width();
        centred[i]->left = x;
        centred[i]->right = x + nWidth;
        x += nWidth + nGap;
    }

    // Everything stays inside the margins, and a later element gives way
    // to an earlier one it runs into.
    CRect* rects[] = {&m_rectImage, &m_rectButton, &m_rectText};
    const int nMinLeft = rectClient.left + m_nMargin, nMaxRight = rectClient.right - m_nMargin;
    for (int i = 0; i < 3; i++) {
        CRect& rect = *rects[i];
        if (rect.IsRectEmpty()) continue;
        rect.left = max((int)rect.left, nMinLeft);
        rect.right = min((int)rect.right, nMaxRight);
        for (int j = 0; j < i; j++) {
            const CRect& rectEarlier = *rects[j];
            CRect rectOverlap;
            if (rectEarlier.IsRectEmpty() || !rectOverlap.IntersectRect(rect, rectEarlier)) continue;
            if (rect.CenterPoint().x >= rectEarlier.CenterPoint().x)
                rect.left = rectEarlier.right;
            else
                rect.right = rectEarlier.left;
        }
        if (rect.right < rect.left) rect.right = rect.left;
    }
    m_rectDrawText = m_rectText;
    dc.SelectObject(pOldFont);
}

// --- drawing ------------------------------------------------------------------------

void CSPCaptionBar::OnDrawBackground(CDC* pDC, CRect rect) {
    CSPVisualManager::GetInstance()->OnFillBarBackground(pDC, this, rect, rect, FALSE);
}

void CSPCaptionBar::OnDrawBorder(CDC* pDC, CRect rect) {
    rect.InflateRect(2, 2);
    if (m_clrBarBackground != (COLORREF)-1) {
        CBrush brush(m_clrBarBackground);
        pDC->FillRect(rect, &brush);
    } else {
        pDC->FillRect(rect, &spGlobalData.brBtnFace);
    }
    if (!m_bFlatBorder) pDC->Draw3dRect(rect, spGlobalData.clrBtnHilite, spGlobalData.clrBtnShadow);
}

void CSPCaptionBar::OnDrawText(CDC* pDC, CRect rect, const CString& strText) {
    pDC->DrawText(strText, rect, DT_END_ELLIPSIS | DT_SINGLELINE | DT_VCENTER);
}

void CSPCaptionBar::OnDrawImage(CDC* pDC, CRect rect) {
    if (m_hIcon != NULL) {
        ::DrawIconEx(pDC->GetSafeHdc(), rect.left, rect.top, m_hIcon, rect.Width(), rect.Height(), 0, NULL,
                     DI_NORMAL);
    } else if (m_Bitmap.GetCount() > 0) {
        CSPDrawState ds;
        CSize sizeDest = m_bStretchImage ? rect.Size() : m_Bitmap.GetImageSize();
        if (m_Bitmap.PrepareDraw(ds, sizeDest)) {
            m_Bitmap.Draw(pDC, rect.left, rect.top, 0);
            m_Bitmap.EndDraw(ds);
        }
    }
}

void CSPCaptionBar::OnDrawButton(CDC* pDC, CRect rect, const CString& strButton, BOOL bEnabled) {
    CRect rectText = rect;
    rectText.DeflateRect(m_nHorzElementOffset, 0);
    const BOOL bArrow = m_uiBtnID != 0 && bEnabled;
    if (bArrow) rectText.right -= nArrowSpace;
    pDC->DrawText(strButton, rectText, DT_END_ELLIPSIS | DT_SINGLELINE | DT_VCENTER);
    if (bArrow) {
        const int nHeight = max(3, rect.Height() / 3);
        const int xCentre = rectText.right + nArrowSpace / 2, yCentre = rect.CenterPoint().y;
        POINT pts[3] = {{xCentre - nHeight / 2, yCentre - nHeight / 4},
                        {xCentre + nHeight / 2, yCentre - nHeight / 4},
                        {xCentre, yCentre + nHeight / 4}};
        CBrush brush(pDC->GetTextColor());
        CPen pen(PS_SOLID, 1, pDC->GetTextColor());
        CBrush* pOldBrush = pDC->SelectObject(&brush);
        CPen* pOldPen = pDC->SelectObject(&pen);
        ::SetPolyFillMode(pDC->GetSafeHdc(), WINDING);
        pDC->Polygon(pts, 3);
        pDC->SelectObject(pOldPen);
        pDC->SelectObject(pOldBrush);
    }
    if (m_bIsBtnPressed || m_bIsBtnForcePressed)
        pDC->Draw3dRect(rect, spGlobalData.clrBtnShadow, spGlobalData.clrBtnHilite);
    else if (m_bIsBtnHighlighted)
        pDC->Draw3dRect(rect, spGlobalData.clrBtnHilite, spGlobalData.clrBtnShadow);
}

void CSPCaptionBar::RedrawButton() {
    if (GetSafeHwnd() == NULL) return;
    InvalidateRect(m_rectButton);
    UpdateWindow();
}

// --- messages -----------------------------------------------------------------------

int CSPCaptionBar::OnCreate(LPCREATESTRUCT lpCreateStruct) {
    if (CSPControlBar::OnCreate(lpCreateStruct) == -1) return -1;
    return 0;
}

void CSPCaptionBar::OnPaint() {
    CPaintDC dc(this);
    const int nSaved = dc.SaveDC();
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(m_clrBarText != (COLORREF)-1 ? m_clrBarText
                                                  : CSPVisualManager::GetInstance()->GetCaptionBarTextColor(this));
    SelectBarFont(&dc);
    if (!m_rectButton.IsRectEmpty()) OnDrawButton(&dc, m_rectButton, m_strBtnText, m_bBtnEnabled);
    if (!m_rectText.IsRectEmpty()) OnDrawText(&dc, m_rectDrawText, m_strText);
    if (!m_rectImage.IsRectEmpty()) OnDrawImage(&dc, m_rectImage);
    dc.RestoreDC(nSaved);
}

BOOL CSPCaptionBar::OnEraseBkgnd(CDC* pDC) {
    CRect rect;
    GetClientRect(rect);
    OnDrawBackground(pDC, rect);
    return TRUE;
}

void CSPCaptionBar::OnSize(UINT nType, int cx, int cy) {
    CSPControlBar::OnSize(nType, cx, cy);
    RecalcLayout();
    InvalidateRect(NULL);
}

void CSPCaptionBar::OnNcCalcSize(BOOL /*bCalcValidRects*/, NCCALCSIZE_PARAMS* lpncsp) {
    lpncsp->rgrc[0].top += m_nBorderSize;
    lpncsp->rgrc[0].bottom -= m_nBorderSize;
    if (lpncsp->rgrc[0].bottom < lpncsp->rgrc[0].top) lpncsp->rgrc[0].bottom = lpncsp->rgrc[0].top;
}

void CSPCaptionBar::OnNcPaint() {
    CWindowDC dc(this);
    CRect rectWindow, rectClient;
    GetWindowRect(rectWindow);
    GetClientRect(rectClient);
    ClientToScreen(rectClient);
    rectClient.OffsetRect(-rectWindow.left, -rectWindow.top);
    dc.ExcludeClipRect(rectClient);
    rectWindow.OffsetRect(-rectWindow.left, -rectWindow.top);
    OnDrawBorder(&dc, CRect(rectWindow.left, rectWindow.top, rectWindow.right, rectWindow.top + m_nBorderSize));
    OnDrawBorder(&dc, CRect(rectWindow.left, rectWindow.bottom - m_nBorderSize, rectWindow.right, rectWindow.bottom));
}

void CSPCaptionBar::OnLButtonDown(UINT nFlags, CPoint point) {
    CSPControlBar::OnLButtonDown(nFlags, point);
    if (!HasActiveButton() || !m_bIsBtnHighlighted) return;
    m_bIsBtnPressed = TRUE;
    RedrawButton();
    CWnd* pTarget = GetOwner();
    if (pTarget == NULL) pTarget = GetParent();
    if (pTarget != NULL) pTarget->SendMessage(WM_COMMAND, m_uiBtnID, 0);
}

void CSPCaptionBar::OnLButtonUp(UINT nFlags, CPoint point) {
    if (m_bIsBtnPressed) {
        m_bIsBtnPressed = FALSE;
        RedrawButton();
    }
    CSPControlBar::OnLButtonUp(nFlags, point);
}

void CSPCaptionBar::OnMouseMove(UINT nFlags, CPoint point) {
    CSPControlBar::OnMouseMove(nFlags, point);
    if (!HasActiveButton()) return;
    const BOOL bHot = m_rectButton.PtInRect(point);
    if (bHot != m_bIsBtnHighlighted) {
        m_bIsBtnHighlighted = bHot;
        m_bIsBtnPressed = (nFlags & MK_LBUTTON) != 0 && bHot;
        RedrawButton();
    }
    if (!m_bTracked) {
        TRACKMOUSEEVENT tme;
        tme.cbSize = sizeof(tme);
        tme.dwFlags = TME_LEAVE;
        tme.hwndTrack = GetSafeHwnd();
        tme.dwHoverTime = HOVER_DEFAULT;
        m_bTracked = SPTrackMouse(&tme);
    }
}

LRESULT CSPCaptionBar::OnMouseLeave(WPARAM /*wParam*/, LPARAM /*lParam*/) {
    m_bTracked = FALSE;
    if (m_bIsBtnPressed || m_bIsBtnHighlighted) {
        m_bIsBtnPressed = FALSE;
        m_bIsBtnHighlighted = FALSE;
        RedrawButton();
    }
    return 0;
}

void CSPCaptionBar::OnRButtonUp(UINT nFlags, CPoint point) {
    if (g_bCustomizeMode) {
        CSPControlBar::OnRButtonUp(nFlags, point);
        return;
    }
    CWnd* pTarget = GetOwner();
    if (pTarget == NULL) pTarget = GetParent();
    CPoint ptScreen = point;
    ClientToScreen(&ptScreen);
    if (pTarget != NULL)
        pTarget->SendMessage(GetPopupMenuMessage(), (WPARAM)GetSafeHwnd(), MAKELPARAM(ptScreen.x, ptScreen.y));
}

LRESULT CSPCaptionBar::OnSetFont(WPARAM wParam, LPARAM /*lParam*/) {
    m_hFont = (HFONT)wParam;
    RecalcLayout();
    return 0;
}

LRESULT CSPCaptionBar::OnGetFont(WPARAM /*wParam*/, LPARAM /*lParam*/) { return (LRESULT)m_hFont; }

void CSPCaptionBar::OnSysColorChange() {}
