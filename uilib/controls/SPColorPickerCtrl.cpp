// SPColorPickerCtrl.cpp - the colour picker control and its cells.
#include "SPColorPickerCtrl.h"
#include "SPDrawEffects.h"
#include "SPGlobalData.h"
#include <math.h>

static const double dblHexFactor = 0.57735026;
static const double dblKeyStep = 0.05;

// --- CSPColorCell -----------------------------------------------------------------

CSPColorCell::CSPColorCell(int x, int y, int nSize, COLORREF color, COLORREF colorPaint)
    : m_color(color), m_colorPaint(colorPaint), m_x(x), m_y(y), m_nSize(nSize) {
    MakeHexagon(x, y, nSize, m_pts);
}

void CSPColorCell::MakeHexagon(int x, int y, int d, POINT pts[6]) {
    const int h = (int)(d * dblHexFactor) / 2;
    const int s = d / 2;
    pts[0].x = x - s, pts[0].y = y - h;
    pts[1].x = x, pts[1].y = y - s;
    pts[2].x = x + s, pts[2].y = y - h;
    pts[3].x = x + s, pts[3].y = y + h;
    pts[4].x = x, pts[4].y = y + s;
    pts[5].x = x - s, pts[5].y = y + h;
}

BOOL CSPColorCell::HitTest(CPoint pt) const {
    HRGN hrgn = ::CreatePolygonRgn(m_pts, 6, ALTERNATE);
    if (hrgn == NULL) return FALSE;
    BOOL bIn = ::PtInRegion(hrgn, pt.x, pt.y);
    ::DeleteObject(hrgn);
    return bIn;
}

void CSPColorCell::Draw(CDC* pDC) const {
    CBrush br;
    br.CreateSolidBrush(m_colorPaint);
    CPen pen;
    pen.CreatePen(PS_SOLID, 1, m_colorPaint);
    CSelectObject selBrush(pDC, &br);
    CSelectObject selPen(pDC, &pen);
    ::Polygon(pDC->GetSafeHdc(), m_pts, 6);
}

// --- CSPColorPickerCtrl -----------------------------------------------------------

IMPLEMENT_DYNAMIC(CSPColorPickerCtrl, CButton)

BEGIN_MESSAGE_MAP(CSPColorPickerCtrl, CButton)
    ON_WM_LBUTTONDOWN()
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONUP()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_KEYDOWN()
    ON_WM_GETDLGCODE()
    ON_WM_SETFOCUS()
    ON_WM_KILLFOCUS()
    ON_WM_SIZE()
    ON_WM_ERASEBKGND()
    ON_WM_QUERYNEWPALETTE()
    ON_WM_PALETTECHANGED()
    ON_WM_CANCELMODE()
END_MESSAGE_MAP()

CSPColorPickerCtrl::CSPColorPickerCtrl()
    : m_COLORTYPE(PICKER), m_dblLum(0.5), m_dblSat(0), m_dblHue(0), m_colorNew(RGB(0, 0, 0)),
      m_colorOriginal(RGB(0, 0, 0)), m_nLumBarWidth(20), m_pPalette(NULL) {
    double dblLum = 0;
    CSPDrawEffects::RGBToHLS(RGB(0, 0, 0), &m_dblHue, &dblLum, &m_dblSat);
}

CSPColorPickerCtrl::~CSPColorPickerCtrl() {
    for (int i = 0; i < m_arCells.GetSize(); i++) delete m_arCells[i];
    m_arCells.RemoveAll();
}

COLORREF CSPColorPickerCtrl::SnapColor(COLORREF color, int nTolerance) {
    if (nTolerance == 0) return color;
    int c[3] = {GetRValue(color), GetGValue(color), GetBValue(color)};
    for (int& v : c) {
        if (v < nTolerance) v = 0;
        else if (v > 255 - nTolerance) v = 255;
        else if (abs(v - 128) < nTolerance) v = 128;
        else if (abs(v - 192) < nTolerance) v = 192;
    }
    return RGB(c[0], c[1], c[2]);
}

void CSPColorPickerCtrl::SetColor(COLORREF color) {
    CSPDrawEffects::RGBToHLS(color, &m_dblHue, &m_dblLum, &m_dblSat);
    m_colorNew = color;
    if (m_hWnd != NULL) Invalidate();
}

void CSPColorPickerCtrl::SelectColor(COLORREF color) {
    CSPDrawEffects::RGBToHLS(color, &m_dblHue, &m_dblLum, &m_dblSat);
    m_colorNew = color;
    if (m_hWnd != NULL) RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

void CSPColorPickerCtrl::SetPalette(CPalette* pPalette) {
    m_pPalette = pPalette;
    m_bmpPicker.DeleteObject();
    if (m_hWnd != NULL) {
        Invalidate();
        UpdateWindow();
    }
}

void CSPColorPickerCtrl::SetLuminanceBarWidth(int nWidth) {
    if (m_hWnd != NULL) {
        CRect rectClient;
        GetClientRect(rectClient);
        nWidth = std::min(nWidth, rectClient.Width() * 3 / 4);
        Invalidate();
    }
    m_nLumBarWidth = nWidth;
}

void CSPColorPickerCtrl::SetHLS(double hue, double luminance, double saturation, BOOL bRedraw) {
    if (hue != -1.0) m_dblHue = hue;
    if (luminance != -1.0) m_dblLum = luminance;
    if (saturation != -1.0) m_dblSat = saturation;
    m_colorNew = CSPDrawEffects::HLSToRGB(m_dblHue, m_dblLum, m_dblSat);
    if (bRedraw && m_hWnd != NULL) {
        Invalidate();
        UpdateWindow();
    }
}

// --- geometry ---------------------------------------------------------------------

CRect CSPColorPickerCtrl::GetLumBarRect() const {
    CRect rect;
    ::GetClientRect(m_hWnd, rect);
    rect.DeflateRect(0, 5);
    rect.right = rect.left + m_nLumBarWidth;
    return rect;
}

CPoint CSPColorPickerCtrl::GetMarkerPos() const {
    CRect rectClient;
    ::GetClientRect(m_hWnd, rectClient);
    if (m_COLORTYPE == LUMINANCE) {
        CRect rect = GetLumBarRect();
        return CPoint(m_nLumBarWidth + 6, rect.bottom - (int)(m_dblLum * rect.Height()));
    }
    return CPoint((int)(rectClient.Width() * m_dblHue), (int)(rectClient.Height() * (1.0 - m_dblSat)));
}

CRect CSPColorPickerCtrl::GetMarkerRect() const {
    const CPoint pt = GetMarkerPos();
    switch (m_COLORTYPE) {
    case LUMINANCE:
        return CRect(pt.x - 4, pt.y - 4, pt.x + 5, pt.y + 5);
    case PICKER:
        return CRect(pt.x - 9, pt.y - 9, pt.x + 10, pt.y + 10);
    default:
        return CRect(0, 0, 0, 0);
    }
}

COLORREF CSPColorPickerCtrl::PaintColor(COLORREF color) const {
    if (spGlobalData.nBitsPerPixel != 8) return color;
    HPALETTE hPal = m_pPalette != NULL ? (HPALETTE)m_pPalette->GetSafeHandle() : NULL;
    if (hPal == NULL) hPal = (HPALETTE)::GetStockObject(DEFAULT_PALETTE);
    return PALETTEINDEX(::GetNearestPaletteIndex(hPal, color));
}

void CSPColorPickerCtrl::CreateHexagon() {
    CRect rect;
    GetClientRect(rect);
    if (rect.Width() > rect.Height()) rect.DeflateRect((rect.Width() - rect.Height()) / 2, 0);
    else if (rect.Height() > rect.Width()) rect.DeflateRect(0, (rect.Height() - rect.Width()) / 2);
    const int d = rect.Width() / 13 + 1;
    const CPoint ptCenter = rect.CenterPoint();

    const COLORREF clrWhite = RGB(255, 255, 255);
    m_arCells.Add(new CSPColorCell(ptCenter.x, ptCenter.y, d, clrWhite, PaintColor(clrWhite)));

    static const double steps[6][2] = {{-0.5, 0.866}, {-1, 0}, {-0.5, -0.866}, {0.5, -0.866}, {1, 0}, {0.5, 0.866}};
    for (int k = 1; k <= 6; k++) {
        int x = ptCenter.x + k * d;
        int y = ptCenter.y;
        const double dblLum = (7.0 - k) / 7.0 + 0.1;
        for (int side = 0; side < 6; side++) {
            const int dx = (int)(d * steps[side][0]);
            const int dy = (int)(d * steps[side][1]);
            for (int j = 0; j < k; j++) {
                const int nHue = (int)(atan2((double)(y - ptCenter.y), (double)(x - ptCenter.x)) * 57.29577951308239);
                COLORREF color = SnapColor(CSPDrawEffects::HLSDegreesToRGB(nHue, dblLum, 1.0), 16);
                m_arCells.Add(new CSPColorCell(x, y, d, color, PaintColor(color)));
                x += dx;
                y += dy;
            }
        }
    }
}

void CSPColorPickerCtrl::CreateHexGreyScaleBar() {
    CRect rect;
    GetClientRect(rect);
    int c = std::min(rect.Height() / 2 - 2, rect.Width() / 13);
    if (c < 2) c = 2;
    if (c & 1) c++;
    const int w = (int)(c * dblHexFactor * 1.5);
    const int yMid = rect.CenterPoint().y;
    const int yUp = yMid - w / 2, yDown = yMid + w / 2;

    // white (2c wide), sixteen greys c/2 apart on alternating rows, black
    // (2c): 12.5c from the white cell's left to the black cell's right
    int x = rect.CenterPoint().x - (21 * c) / 4;
    const COLORREF clrWhite = RGB(255, 255, 255), clrBlack = RGB(0, 0, 0);
    m_arCells.Add(new CSPColorCell(x, yMid, 2 * c, clrWhite, PaintColor(clrWhite)));
    x += c + c / 2;
    BOOL bUp = TRUE;
    for (int nGrey = 240; nGrey >= 15; nGrey -= 15) {
        COLORREF color = SnapColor(RGB(nGrey, nGrey, nGrey), 7);
        m_arCells.Add(new CSPColorCell(x, bUp ? yUp : yDown, c, color, PaintColor(color)));
        bUp = !bUp;
        x += c / 2;
    }
    x += c;
    m_arCells.Add(new CSPColorCell(x, yMid, 2 * c, clrBlack, PaintColor(clrBlack)));
}

int CSPColorPickerCtrl::GetSelectedCell() const {
    int nSel = -1;
    for (int i = 0; i < m_arCells.GetSize(); i++)
        if (m_arCells[i]->m_color == m_colorNew) nSel = i;
    return nSel;
}

// --- painting ---------------------------------------------------------------------

void CSPColorPickerCtrl::DrawItem(LPDRAWITEMSTRUCT lpDIS) {
    CDC* pDCItem = CDC::FromHandle(lpDIS->hDC);
    CRect rectClient = lpDIS->rcItem;
    CRect rectClip;
    pDCItem->GetClipBox(rectClip);

    CPalette* pOldPalItem = NULL;
    if (m_pPalette != NULL) {
        pOldPalItem = pDCItem->SelectPalette(m_pPalette, FALSE);
        pDCItem->RealizePalette();
    }

    CDC dcMem;
    CBitmap bmpMem;
    if (dcMem.CreateCompatibleDC(pDCItem) &&
        bmpMem.CreateCompatibleBitmap(pDCItem, rectClient.Width(), rectClient.Height())) {
        CBitmap* pOldBmp = dcMem.SelectObject(&bmpMem);
        CPalette* pOldPalMem = NULL;
        if (m_pPalette != NULL) {
            pOldPalMem = dcMem.SelectPalette(m_pPalette, FALSE);
            dcMem.RealizePalette();
        }
        spGlobalData.DrawParentBackground(this, &dcMem);
        DrawPresentation(&dcMem, rectClient);
        pDCItem->BitBlt(rectClip.left, rectClip.top, rectClip.Width(), rectClip.Height(), &dcMem, rectClip.left,
                        rectClip.top, SRCCOPY);
        if (m_pPalette != NULL) dcMem.SelectPalette(pOldPalMem, FALSE);
        dcMem.SelectObject(pOldBmp);
    } else {
        DrawPresentation(pDCItem, rectClient);
    }
    if (m_pPalette != NULL) pDCItem->SelectPalette(pOldPalItem, FALSE);
}

void CSPColorPickerCtrl::DrawPresentation(CDC* pDC, const CRect& rectClient) {
    switch (m_COLORTYPE) {
    case CURRENT: {
        CRect rectTop = rectClient, rectBottom = rectClient;
        rectTop.bottom = rectClient.top + rectClient.Height() / 2;
        rectBottom.top = rectTop.bottom;
        CBrush brNew(PaintColor(m_colorNew)), brOld(PaintColor(m_colorOriginal));
        pDC->FillRect(rectTop, &brNew);
        pDC->FillRect(rectBottom, &brOld);
        pDC->Draw3dRect(rectClient, spGlobalData.clrBtnHilite, spGlobalData.clrBtnHilite);
        break;
    }
    case LUMINANCE:
        DrawLuminanceBar(pDC, rectClient);
        break;
    case PICKER:
        DrawPicker(pDC, rectClient);
        break;
    case HEX:
    case HEX_GREYSCALE:
        if (m_arCells.GetSize() == 0) {
            if (m_COLORTYPE == HEX) CreateHexagon();
            else CreateHexGreyScaleBar();
        }
        DrawCells(pDC);
        break;
    }
}

void CSPColorPickerCtrl::DrawLuminanceBar(CDC* pDC, const CRect& rectClient) {
    (void)rectClient;
    CRect rect = GetLumBarRect();
    const int nHeight = rect.Height();
    for (int y = rect.top; y < rect.bottom; y++) {
        const double dblLum = nHeight > 0 ? (double)(rect.bottom - y) / nHeight : 0;
        pDC->FillSolidRect(rect.left, y, rect.Width(), 1,
                           PaintColor(CSPDrawEffects::HLSToRGB(m_dblHue, dblLum, m_dblSat)));
    }
    DrawCursor(pDC, GetMarkerRect());
}

BOOL CSPColorPickerCtrl::BuildPickerBitmap(CDC* pDC, const CRect& rectClient) {
    const int cx = rectClient.Width(), cy = rectClient.Height();
    if (cx <= 0 || cy <= 0) return FALSE;
    CDC dc;
    if (!dc.CreateCompatibleDC(pDC)) return FALSE;
    if (spGlobalData.nBitsPerPixel > 8) {
        // every pixel, written straight into a 32-bit section
        BITMAPINFOHEADER bih = {};
        bih.biSize = sizeof(bih);
        bih.biWidth = cx;
        bih.biHeight = -cy;
        bih.biPlanes = 1;
        bih.biBitCount = 32;
        void* pvBits = NULL;
        HBITMAP hbm = ::CreateDIBSection(NULL, (BITMAPINFO*)&bih, DIB_RGB_COLORS, &pvBits, NULL, 0);
        if (hbm == NULL) return FALSE;
        DWORD* pBits = (DWORD*)pvBits;
        for (int y = 0; y < cy; y++) {
            const double dblSat = (double)(cy - 1 - y) / cy;
            for (int x = 0; x < cx; x++)
                pBits[y * cx + x] = CSPDrawEffects::ColorToPixel(CSPDrawEffects::HLSToRGB((double)x / cx, 0.5, dblSat));
        }
        m_bmpPicker.Attach(hbm);
    } else {
        if (!m_bmpPicker.CreateCompatibleBitmap(pDC, cx, cy)) return FALSE;
        CBitmap* pOld = dc.SelectObject(&m_bmpPicker);
        CPalette* pOldPal = NULL;
        if (m_pPalette != NULL) {
            pOldPal = dc.SelectPalette(m_pPalette, FALSE);
            dc.RealizePalette();
        }
        for (int y = 0; y < cy; y += 4)
            for (int x = 0; x < cx; x += 4) {
                const COLORREF color = CSPDrawEffects::HLSToRGB((double)x / cx, 0.5, (double)(cy - 1 - y) / cy);
                dc.FillSolidRect(x, y, 4, 4, PaintColor(color));
            }
        if (m_pPalette != NULL) dc.SelectPalette(pOldPal, FALSE);
        dc.SelectObject(pOld);
    }
    return TRUE;
}

void CSPColorPickerCtrl::DrawPicker(CDC* pDC, const CRect& rectClient) {
    if (m_bmpPicker.GetSafeHandle() == NULL) BuildPickerBitmap(pDC, rectClient);
    if (m_bmpPicker.GetSafeHandle() != NULL) {
        CDC dc;
        if (dc.CreateCompatibleDC(pDC)) {
            CBitmap* pOld = dc.SelectObject(&m_bmpPicker);
            pDC->BitBlt(rectClient.left, rectClient.top, rectClient.Width(), rectClient.Height(), &dc, 0, 0, SRCCOPY);
            dc.SelectObject(pOld);
        }
    }
    DrawCursor(pDC, GetMarkerRect());
    pDC->Draw3dRect(rectClient, spGlobalData.clrBtnShadow, spGlobalData.clrBtnHilite);
}

void CSPColorPickerCtrl::DrawCells(CDC* pDC) {
    spGlobalData.DrawParentBackground(this, pDC);
    for (int i = 0; i < m_arCells.GetSize(); i++) m_arCells[i]->Draw(pDC);

    const int nSel = GetSelectedCell();
    if (nSel < 0) return;
    const CSPColorCell* pCell = m_arCells[nSel];
    struct Frame {
        int nStock, nSize, dy, nWidth;
    } frames[] = {
        {WHITE_BRUSH, pCell->m_nSize + 2, -1, 2},
        {BLACK_BRUSH, pCell->m_nSize + 2, 0, 1},
        {BLACK_BRUSH, pCell->m_nSize - 1, 0, 1},
    };
    for (const Frame& f : frames) {
        POINT pts[6];
        CSPColorCell::MakeHexagon(pCell->m_x, pCell->m_y + f.dy, f.nSize, pts);
        HRGN hrgn = ::CreatePolygonRgn(pts, 6, ALTERNATE);
        if (hrgn == NULL) continue;
        ::FrameRgn(pDC->GetSafeHdc(), hrgn, (HBRUSH)::GetStockObject(f.nStock), f.nWidth, f.nWidth);
        ::DeleteObject(hrgn);
    }
}

void CSPColorPickerCtrl::DrawCursor(CDC* pDC, const CRect& rect) {
    const BOOL bFocused = ::GetFocus() == m_hWnd;
    const CPoint pt = GetMarkerPos();
    if (m_COLORTYPE == PICKER) {
        (void)rect;
        const COLORREF clr = bFocused ? RGB(0, 0, 0) : RGB(255, 255, 255);
        pDC->FillSolidRect(pt.x - 1, pt.y - 7, 3, 5, clr);
        pDC->FillSolidRect(pt.x - 1, pt.y + 3, 3, 5, clr);
        pDC->FillSolidRect(pt.x - 7, pt.y - 1, 5, 3, clr);
        pDC->FillSolidRect(pt.x + 3, pt.y - 1, 5, 3, clr);
    } else if (m_COLORTYPE == LUMINANCE) {
        POINT pts[3] = {{pt.x, pt.y}, {pt.x + 4, pt.y - 4}, {pt.x + 4, pt.y + 4}};
        HDC hdc = pDC->GetSafeHdc();
        CPen pen;
        pen.CreatePen(PS_SOLID, 1, spGlobalData.clrBtnDkShadow);
        CSelectObject selPen(hdc, pen.GetSafeHandle());
        CSelectObject selBrush(hdc, ::GetSysColorBrush(bFocused ? COLOR_BTNTEXT : COLOR_BTNSHADOW));
        ::Polygon(hdc, pts, 3);
    }
}

// --- creation ---------------------------------------------------------------------

void CSPColorPickerCtrl::PreSubclassWindow() {
    ModifyStyle(BS_DEFPUSHBUTTON, BS_OWNERDRAW);
    CButton::PreSubclassWindow();
}

BOOL CSPColorPickerCtrl::PreCreateWindow(CREATESTRUCT& cs) {
    cs.style &= ~BS_DEFPUSHBUTTON;
    cs.style |= BS_OWNERDRAW;
    return CButton::PreCreateWindow(cs);
}

// --- input ------------------------------------------------------------------------

void CSPColorPickerCtrl::Notify(UINT nCode) {
    CWnd* pParent = GetParent();
    if (pParent != NULL)
        pParent->SendMessage(WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(), nCode), (LPARAM)m_hWnd);
}

void CSPColorPickerCtrl::InvalidateMarker(const CRect& rectOld) {
    CRect rect = rectOld;
    rect.InflateRect(1, 1);
    InvalidateRect(rect);
    InvalidateRect(GetMarkerRect());
}

void CSPColorPickerCtrl::OnPick(UINT nFlags, CPoint point) {
    CRect rectClient;
    GetClientRect(rectClient);
    point.x = std::max((int)rectClient.left, std::min((int)point.x, (int)rectClient.right));
    point.y = std::max((int)rectClient.top, std::min((int)point.y, (int)rectClient.bottom));
    const CRect rectOld = GetMarkerRect();
    const int cx = rectClient.Width(), cy = rectClient.Height();

    switch (m_COLORTYPE) {
    case LUMINANCE: {
        CRect rect = GetLumBarRect();
        double dbl = rect.Height() > 0 ? (double)(rect.bottom - point.y) / rect.Height() : 0;
        m_dblLum = std::max(0.0, std::min(1.0, dbl));
        break;
    }
    case PICKER: {
        if (cx <= 0 || cy <= 0) break;
        if (nFlags & MK_CONTROL) point.x = (int)(cx * m_dblHue);
        if (nFlags & MK_SHIFT) point.y = (int)(cy * (1.0 - m_dblSat));
        m_dblHue = (double)point.x / cx;
        m_dblSat = 1.0 - (double)point.y / cy;
        break;
    }
    case HEX:
    case HEX_GREYSCALE: {
        int nHit = -1;
        for (int i = 0; i < m_arCells.GetSize() && nHit < 0; i++)
            if (m_arCells[i]->HitTest(point)) nHit = i;
        if (nHit < 0) return;
        m_colorNew = m_arCells[nHit]->m_color;
        CSPDrawEffects::RGBToHLS(m_colorNew, &m_dblHue, &m_dblLum, &m_dblSat);
        Invalidate();
        break;
    }
    default:
        break;
    }
    if (m_COLORTYPE == LUMINANCE || m_COLORTYPE == PICKER) {
        m_colorNew = CSPDrawEffects::HLSToRGB(m_dblHue, m_dblLum, m_dblSat);
        InvalidateMarker(rectOld);
    }
    Notify(BN_CLICKED);
    UpdateWindow();
}

void CSPColorPickerCtrl::OnLButtonDown(UINT nFlags, CPoint point) {
    SetCapture();
    SetFocus();
    OnPick(nFlags, point);
}

void CSPColorPickerCtrl::OnMouseMove(UINT nFlags, CPoint point) {
    if (::GetCapture() == m_hWnd) OnPick(nFlags, point);
}

void CSPColorPickerCtrl::OnLButtonUp(UINT, CPoint) {
    if (::GetCapture() == m_hWnd) ::ReleaseCapture();
    Default();
}

void CSPColorPickerCtrl::OnLButtonDblClk(UINT, CPoint) {
    if (m_COLORTYPE == PICKER || m_COLORTYPE == HEX || m_COLORTYPE == HEX_GREYSCALE) Notify(BN_DOUBLECLICKED);
    else Default();
}

void CSPColorPickerCtrl::OnKeyDown(UINT nChar, UINT, UINT) {
    double* pValue = NULL;
    double dblDelta = 0;
    if (m_COLORTYPE == LUMINANCE) {
        if (nChar == VK_UP) pValue = &m_dblLum, dblDelta = dblKeyStep;
        else if (nChar == VK_DOWN) pValue = &m_dblLum, dblDelta = -dblKeyStep;
    } else if (m_COLORTYPE == PICKER) {
        if (nChar == VK_LEFT) pValue = &m_dblHue, dblDelta = -dblKeyStep;
        else if (nChar == VK_RIGHT) pValue = &m_dblHue, dblDelta = dblKeyStep;
        else if (nChar == VK_UP) pValue = &m_dblSat, dblDelta = dblKeyStep;
        else if (nChar == VK_DOWN) pValue = &m_dblSat, dblDelta = -dblKeyStep;
    }
    if (pValue != NULL) {
        const double dblNew = std::max(0.0, std::min(1.0, *pValue + dblDelta));
        if (dblNew != *pValue) {
            const CRect rectOld = GetMarkerRect();
            *pValue = dblNew;
            m_colorNew = CSPDrawEffects::HLSToRGB(m_dblHue, m_dblLum, m_dblSat);
            InvalidateMarker(rectOld);
            Notify(BN_CLICKED);
        }
    }
    Default();
}

UINT CSPColorPickerCtrl::OnGetDlgCode() { return DLGC_WANTARROWS; }

void CSPColorPickerCtrl::OnSetFocus(CWnd*) {
    Default();
    Invalidate();
}

void CSPColorPickerCtrl::OnKillFocus(CWnd*) {
    Default();
    Invalidate();
}

void CSPColorPickerCtrl::OnSize(UINT, int, int) {
    Default();
    m_bmpPicker.DeleteObject();
    Invalidate();
    UpdateWindow();
}

BOOL CSPColorPickerCtrl::OnEraseBkgnd(CDC*) { return TRUE; }

BOOL CSPColorPickerCtrl::OnQueryNewPalette() {
    Invalidate();
    return (BOOL)Default();
}

void CSPColorPickerCtrl::OnPaletteChanged(CWnd* pFocusWnd) {
    Default();
    if (AfxGetSafeHwnd(pFocusWnd) != m_hWnd) Invalidate();
}

void CSPColorPickerCtrl::OnCancelMode() { Default(); }
