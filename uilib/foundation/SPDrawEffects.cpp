#include "SPDrawEffects.h"
#include "SPGlobalData.h"
#include <math.h>

static inline int ClampChannel(int c) { return c < 0 ? 0 : (c > 255 ? 255 : c); }

HBITMAP CSPDrawEffects::Create32BitDIB(HDC hdc, int cx, int cy, LPDWORD* ppBits) {
    BITMAPINFOHEADER bih;
    ZeroMemory(&bih, sizeof(bih));
    bih.biSize = sizeof(BITMAPINFOHEADER);
    bih.biWidth = cx;
    bih.biHeight = cy;
    bih.biPlanes = 1;
    bih.biBitCount = 32;
    bih.biCompression = BI_RGB;
    void* pBits = NULL;
    HBITMAP hbm = ::CreateDIBSection(hdc, (BITMAPINFO*)&bih, DIB_RGB_COLORS, &pBits, NULL, 0);
    if (hbm == NULL || pBits == NULL) {
        if (hbm != NULL) ::DeleteObject(hbm);
        return NULL;
    }
    *ppBits = (LPDWORD)pBits;
    return hbm;
}

BOOL CSPDrawEffects::ScaleRectBrightness(CRect rect, int nPercentage, COLORREF clrTransparent) {
    if (nPercentage == 100) return TRUE;
    const int cx = rect.Width();
    const int cy = rect.Height();
    if (cx < 1 || cy < 1) return TRUE;

    if (spGlobalData.nBitsPerPixel <= 8) {
        ::FillRect(m_dc.GetSafeHdc(), &rect, (HBRUSH)spGlobalData.brLight.GetSafeHandle());
        return TRUE;
    }

    CDC dcMem;
    if (!dcMem.CreateCompatibleDC(&m_dc)) return FALSE;
    LPDWORD pBits = NULL;
    CBitmap bmp;
    if (!bmp.Attach(Create32BitDIB(m_dc.GetSafeHdc(), cx, cy, &pBits))) return FALSE;
    HDC hdcMem = dcMem.GetSafeHdc();
    CSelectObject selBitmap(&dcMem, &bmp);
    ::BitBlt(hdcMem, 0, 0, cx, cy, m_dc.GetSafeHdc(), rect.left, rect.top, SRCCOPY);
    ::GdiFlush();

    const DWORD dwTransparent = clrTransparent == (COLORREF)-1 ? 0xFFFFFFFF : ColorToPixel(clrTransparent);
    const COLORREF clrHilite = spGlobalData.clrBtnHilite;
    const double dbl = nPercentage * 0.01;
    const int n = cx * cy;
    for (int i = 0; i < n; i++) {
        const DWORD px = pBits[i] & 0x00FFFFFF;
        if (px == dwTransparent) continue;
        COLORREF color = PixelToColor(px);
        if (nPercentage == -1) {
            int r = GetRValue(color), g = GetGValue(color), b = GetBValue(color);
            r = ClampChannel(r + (GetRValue(clrHilite) - r) / 2);
            g = ClampChannel(g + (GetGValue(clrHilite) - g) / 2);
            b = ClampChannel(b + (GetBValue(clrHilite) - b) / 2);
            color = RGB(r, g, b);
        } else {
            color = ScaleColorChannels(color, dbl, dbl, dbl);
        }
        pBits[i] = ColorToPixel(color);
    }

    ::BitBlt(m_dc.GetSafeHdc(), rect.left, rect.top, cx, cy, hdcMem, 0, 0, SRCCOPY);
    return TRUE;
}

void CSPDrawEffects::FillGradient(CRect rect, COLORREF colorStart, COLORREF colorFinish, BOOL bHorz) {
    const int nSteps = 64;
    const int r0 = GetRValue(colorStart), g0 = GetGValue(colorStart), b0 = GetBValue(colorStart);
    const int dr = GetRValue(colorFinish) - r0, dg = GetGValue(colorFinish) - g0,
              db = GetBValue(colorFinish) - b0;
    HDC hdc = m_dc.GetSafeHdc();
    for (int i = 0; i < nSteps; i++) {
        const COLORREF color = RGB(r0 + dr * i / nSteps, g0 + dg * i / nSteps, b0 + db * i / nSteps);
        CRect band;
        if (bHorz) {
            band.SetRect(rect.left, rect.bottom - ((rect.Height() * (i + 1)) >> 6), rect.right,
                         rect.bottom - ((rect.Height() * i) >> 6));
        } else {
            band.SetRect(rect.left + ((rect.Width() * i) >> 6), rect.top,
                         rect.left + ((rect.Width() * (i + 1)) >> 6), rect.bottom);
        }
        if (band.Width() > 0 && band.Height() > 0) {
            CBrush br;
            br.CreateSolidBrush(color);
            ::FillRect(hdc, &band, (HBRUSH)br.GetSafeHandle());
        }
    }
}

void CSPDrawEffects::FillGradient2(CRect rect, COLORREF colorStart, COLORREF colorFinish, int nAngle) {
    switch (nAngle) {
    case 0:
    case 360: FillGradient(rect, colorStart, colorFinish, FALSE); return;
    case 180: FillGradient(rect, colorFinish, colorStart, FALSE); return;
    case 90: FillGradient(rect, colorStart, colorFinish, TRUE); return;
    case 270: FillGradient(rect, colorFinish, colorStart, TRUE); return;
    }
    const int cx = rect.Width(), cy = rect.Height();
    if (cx <= 0 || cy <= 0) return;

    CDC dcMem;
    if (!dcMem.CreateCompatibleDC(&m_dc)) return;
    CBitmap bmp;
    if (!bmp.Attach(::CreateCompatibleBitmap(m_dc.GetSafeHdc(), cx, cy))) return;
    HDC hdcMem = dcMem.GetSafeHdc();
    CSelectObject selBitmap(&dcMem, &bmp);
    CSelectObject selPen(hdcMem, ::GetStockObject(NULL_PEN));

    // The gradient runs along the direction of the angle (counter-clockwise
    // from the x axis, y pointing down on the screen); bands are the strips
    // between lines perpendicular to it.
    const double a = nAngle * 3.1415926 / 180;
    const double dx = cos(a), dy = -sin(a);
    const double cxh = cx / 2.0, cyh = cy / 2.0;
    const double tExtent = fabs(dx) * cxh + fabs(dy) * cyh;
    const double len = cxh + cyh + 2;
    const int nSteps = 64;
    const int r0 = GetRValue(colorStart), g0 = GetGValue(colorStart), b0 = GetBValue(colorStart);
    const int dr = GetRValue(colorFinish) - r0, dg = GetGValue(colorFinish) - g0,
              db = GetBValue(colorFinish) - b0;
    for (int i = 0; i < nSteps; i++) {
        double t1 = -tExtent + 2 * tExtent * i / nSteps;
        double t2 = -tExtent + 2 * tExtent * (i + 1) / nSteps;
        if (i == 0) t1 -= 2;
        if (i == nSteps - 1) t2 += 2;
        POINT pts[4];
        const double nx = -dy, ny = dx;
        pts[0].x = (LONG)(cxh + dx * t1 + nx * len);
        pts[0].y = (LONG)(cyh + dy * t1 + ny * len);
        pts[1].x = (LONG)(cxh + dx * t2 + nx * len);
        pts[1].y = (LONG)(cyh + dy * t2 + ny * len);
        pts[2].x = (LONG)(cxh + dx * t2 - nx * len);
        pts[2].y = (LONG)(cyh + dy * t2 - ny * len);
        pts[3].x = (LONG)(cxh + dx * t1 - nx * len);
        pts[3].y = (LONG)(cyh + dy * t1 - ny * len);
        CBrush br;
        br.CreateSolidBrush(RGB(r0 + dr * i / nSteps, g0 + dg * i / nSteps, b0 + db * i / nSteps));
        CSelectObject selBrush(hdcMem, br.GetSafeHandle());
        ::Polygon(hdcMem, pts, 4);
    }
    ::BitBlt(m_dc.GetSafeHdc(), rect.left, rect.top, cx, cy, hdcMem, 0, 0, SRCCOPY);
}

void CSPDrawEffects::FillEllipseGradient(CRect rect, COLORREF colorStart, COLORREF colorFinish) {
    const int cx = rect.Width(), cy = rect.Height();
    if (cx <= 0 || cy <= 0) return;
    HDC hdc = m_dc.GetSafeHdc();
    CSelectObject selPen(hdc, ::GetStockObject(NULL_PEN));
    const int nSteps = 64;
    const int r0 = GetRValue(colorStart), g0 = GetGValue(colorStart), b0 = GetBValue(colorStart);
    const int dr = GetRValue(colorFinish) - r0, dg = GetGValue(colorFinish) - g0,
              db = GetBValue(colorFinish) - b0;
    // Rings shrink towards the centre along a quarter sine, so the colour
    // changes faster near the border.
    for (int i = 0; i < nSteps; i++) {
        const double f = sin((3.1415926 / 2) * i / nSteps);
        CRect r(rect);
        const int inX = (int)(cx / 2.0 * f);
        const int inY = (int)(cy / 2.0 * f);
        r.DeflateRect(inX, inY);
        if (r.IsRectEmpty()) break;
        CBrush br;
        br.CreateSolidBrush(RGB(r0 + dr * i / nSteps, g0 + dg * i / nSteps, b0 + db * i / nSteps));
        CSelectObject selBrush(hdc, br.GetSafeHandle());
        ::Ellipse(hdc, r.left, r.top, r.right + 1, r.bottom + 1);
    }
}

BOOL CSPDrawEffects::DrawStateEffect(CRect rect, int nDepth, int iMinBrightness, int iMaxBrightness,
                                     CBitmap* pBmpSaveRight, CBitmap* pBmpSaveBottom) {
    if (nDepth <= 0 || rect.IsRectEmpty()) return TRUE;
    HDC hdc = m_dc.GetSafeHdc();
    CDC dcMem;
    if (!dcMem.CreateCompatibleDC(&m_dc)) return TRUE;
    HDC hdcMem = dcMem.GetSafeHdc();

    // The right strip includes the lower right corner; the bottom strip
    // starts nDepth pixels in from the left edge.
    const CRect rectRight(rect.right, rect.top + nDepth, rect.right + nDepth, rect.bottom + nDepth);
    const CRect rectBottom(rect.left + nDepth, rect.bottom, rect.right, rect.bottom + nDepth);

    const BOOL bRestore = pBmpSaveRight != NULL && pBmpSaveBottom != NULL &&
                          pBmpSaveRight->GetSafeHandle() != NULL && pBmpSaveBottom->GetSafeHandle() != NULL;
    for (int nStrip = 0; nStrip < 2; nStrip++) {
        const CRect& r = nStrip == 0 ? rectRight : rectBottom;
        CBitmap* pSave = nStrip == 0 ? pBmpSaveRight : pBmpSaveBottom;
        const int cx = r.Width(), cy = r.Height();
        if (cx <= 0 || cy <= 0) continue;
        if (bRestore) {
            CSelectObject selSaved(&dcMem, pSave);
            ::BitBlt(hdc, r.left, r.top, cx, cy, hdcMem, 0, 0, SRCCOPY);
            continue;
        }
        LPDWORD pBits = NULL;
        CBitmap bmpStrip;
        if (!bmpStrip.Attach(Create32BitDIB(hdc, cx, cy, &pBits))) continue;
        {
            CSelectObject selStrip(&dcMem, &bmpStrip);
            ::BitBlt(hdcMem, 0, 0, cx, cy, hdc, r.left, r.top, SRCCOPY);
            ::GdiFlush();
            for (int y = 0; y < cy; y++) {
                for (int x = 0; x < cx; x++) {
                    // Distance from the object across the strip, and along it
                    // from the strip's start (where the shadow fades in).
                    int across = nStrip == 0 ? x : y;
                    int along = nStrip == 0 ? y : x;
                    int nFadeAcross = iMaxBrightness + (iMinBrightness - iMaxBrightness) * across / nDepth;
                    int nPerc = nFadeAcross;
                    if (along < nDepth) {
                        nPerc = nFadeAcross + (iMinBrightness - nFadeAcross) * (nDepth - along) / (nDepth + 1);
                    }
                    if (nStrip == 0 && y >= cy - nDepth) {
                        // the corner below the object: fade along the bottom too
                        int down = y - (cy - nDepth);
                        nPerc = nPerc + (iMinBrightness - nPerc) * down / nDepth;
                    }
                    DWORD& px = pBits[(cy - 1 - y) * cx + x];
                    px = ColorToPixel(ScaleColor(PixelToColor(px & 0x00FFFFFF), nPerc));
                }
        }
        ::BitBlt(hdc, r.left, r.top, cx, cy, hdcMem, 0, 0, SRCCOPY);
        }
        if (pSave != NULL) {
            pSave->DeleteObject();
            pSave->Attach(bmpStrip.Detach());
        }
    }
    return TRUE;
}

BOOL CSPDrawEffects::DrawStateScaled(CRect rect, HICON hIcon, LPCTSTR lpszText, int nPercentage) {
    const int cx = rect.Width(), cy = rect.Height();
    if (cx <= 0 || cy <= 0) return FALSE;
    HDC hdc = m_dc.GetSafeHdc();
    CDC dcMem;
    if (!dcMem.CreateCompatibleDC(&m_dc)) return FALSE;
    LPDWORD pBits = NULL;
    CBitmap bmp;
    if (!bmp.Attach(Create32BitDIB(hdc, cx, cy, &pBits))) return FALSE;
    HDC hdcMem = dcMem.GetSafeHdc();
    CSelectObject selBitmap(&dcMem, &bmp);
    ::BitBlt(hdcMem, 0, 0, cx, cy, hdc, rect.left, rect.top, SRCCOPY);
    CSelectObject selFont(hdcMem, ::GetCurrentObject(hdc, OBJ_FONT));
    ::SetBkMode(hdcMem, TRANSPARENT);
    ::SetTextColor(hdcMem, ::GetTextColor(hdc));
    if (hIcon != NULL) {
        ::DrawStateA(hdcMem, NULL, NULL, (LPARAM)hIcon, 0, 0, 0, 0, 0, DST_ICON | DSS_NORMAL);
    } else if (lpszText != NULL) {
        ::DrawStateA(hdcMem, NULL, NULL, (LPARAM)lpszText, 0, 0, 0, cx, cy, DST_TEXT | DSS_NORMAL);
    }
    ::GdiFlush();
    for (int i = 0; i < cx * cy; i++) pBits[i] = ColorToPixel(ScaleColor(PixelToColor(pBits[i] & 0xFFFFFF), nPercentage));
    ::BitBlt(hdc, rect.left, rect.top, cx, cy, hdcMem, 0, 0, SRCCOPY);
    return TRUE;
}

COLORREF CSPDrawEffects::ScaleColor(COLORREF color, int nPercentage) {
    int r = GetRValue(color) * nPercentage / 100;
    int g = GetGValue(color) * nPercentage / 100;
    int b = GetBValue(color) * nPercentage / 100;
    return RGB(ClampChannel(r), ClampChannel(g), ClampChannel(b));
}

static int ScaleChannel(int c, double dbl) {
    int v;
    if (c == 0 && dbl > 1) v = (int)((dbl - 1) * 255 + 0.5);
    else v = (int)(c * dbl + 0.5);
    return ClampChannel(v);
}

COLORREF CSPDrawEffects::ScaleColorChannels(COLORREF color, double dblRed, double dblGreen, double dblBlue) {
    return RGB(ScaleChannel(GetRValue(color), dblRed), ScaleChannel(GetGValue(color), dblGreen),
               ScaleChannel(GetBValue(color), dblBlue));
}

COLORREF CSPDrawEffects::BlendColors(COLORREF color1, COLORREF color2, int nPercentage) {
    const int p = nPercentage;
    return RGB((GetRValue(color1) * p + GetRValue(color2) * (100 - p)) / 100,
               (GetGValue(color1) * p + GetGValue(color2) * (100 - p)) / 100,
               (GetBValue(color1) * p + GetBValue(color2) * (100 - p)) / 100);
}

void CSPDrawEffects::SetDIBPixel(LPDWORD pBits, int nWidth, int nHeight, int x, int y, COLORREF color) {
    // The buffer is bottom-up: screen row y is buffer row nHeight - 1 - y.
    if (pBits == NULL || x < 0 || y < 0 || x >= nWidth || y >= nHeight) return;
    pBits[(nHeight - 1 - y) * nWidth + x] = ColorToPixel(color);
}

double CSPDrawEffects::HueToRGB(double m1, double m2, double h) {
    if (h < 0) h += 1.0;
    if (h > 1) h -= 1.0;
    if (6.0 * h < 1) return m1 + (m2 - m1) * h * 6.0;
    if (2.0 * h < 1) return m2;
    if (3.0 * h < 2.0) return m1 + (m2 - m1) * ((2.0 / 3.0) - h) * 6.0;
    return m1;
}

int CSPDrawEffects::HueToRGBDegrees(float m1, float m2, float hue) {
    if (hue >= 360) hue -= 360;
    if (hue < 0) hue += 360;
    float v;
    if (hue < 60) v = m1 + (m2 - m1) * hue / 60;
    else if (hue < 180) v = m2;
    else if (hue < 240) v = m1 + (m2 - m1) * (240 - hue) / 60;
    else v = m1;
    return (int)(v * 255);
}

COLORREF CSPDrawEffects::HLSToRGB(double H, double L, double S) {
    if (S == 0) {
        const int c = ClampChannel((int)(L * 255));
        return RGB(c, c, c);
    }
    const double m2 = L <= 0.5 ? L * (1.0 + S) : L + S - L * S;
    const double m1 = 2.0 * L - m2;
    const int r = (int)(HueToRGB(m1, m2, H + 1.0 / 3.0) * 255);
    const int g = (int)(HueToRGB(m1, m2, H) * 255);
    const int b = (int)(HueToRGB(m1, m2, H - 1.0 / 3.0) * 255);
    return RGB(ClampChannel(r), ClampChannel(g), ClampChannel(b));
}

COLORREF CSPDrawEffects::HLSDegreesToRGB(double H, double L, double S) {
    if (S == 0) {
        const int c = ClampChannel((int)(L * 255));
        return RGB(c, c, c);
    }
    const double m2 = L <= 0.5 ? L * (1.0 + S) : L + S - L * S;
    const double m1 = 2.0 * L - m2;
    const int r = HueToRGBDegrees((float)m1, (float)m2, (float)(H + 120));
    const int g = HueToRGBDegrees((float)m1, (float)m2, (float)H);
    const int b = HueToRGBDegrees((float)m1, (float)m2, (float)(H - 120));
    return RGB(ClampChannel(r), ClampChannel(g), ClampChannel(b));
}

void CSPDrawEffects::RGBToHLS(COLORREF rgb, double* H, double* L, double* S) {
    const double r = GetRValue(rgb) / 255.0, g = GetGValue(rgb) / 255.0, b = GetBValue(rgb) / 255.0;
    const double cmax = r > g ? (r > b ? r : b) : (g > b ? g : b);
    const double cmin = r < g ? (r < b ? r : b) : (g < b ? g : b);
    double h = 0, s = 0;
    const double l = (cmax + cmin) / 2.0;
    if (cmax != cmin) {
        const double delta = cmax - cmin;
        s = l <= 0.5 ? delta / (cmax + cmin) : delta / (2.0 - cmax - cmin);
        if (r == cmax) h = (g - b) / delta;
        else if (g == cmax) h = 2.0 + (b - r) / delta;
        else h = 4.0 + (r - g) / delta;
        h /= 6.0;
        if (h < 0) h += 1.0;
    }
    if (H != NULL) *H = h;
    if (L != NULL) *L = l;
    if (S != NULL) *S = s;
}

HBITMAP SPCreateScreenBitmap(int cx, int cy) {
    HDC hdcScreen = ::GetDC(NULL);
    HBITMAP hbm = ::CreateCompatibleBitmap(hdcScreen, cx, cy);
    ::ReleaseDC(NULL, hdcScreen);
    return hbm;
}

CSPOffscreenDC::CSPOffscreenDC(CDC* pDCTarget, const CRect& rectClient)
    : m_pDCTarget(pDCTarget), m_pDC(pDCTarget), m_pOldBitmap(NULL) {
    pDCTarget->GetClipBox(m_rectClip);
    if (m_dcMem.CreateCompatibleDC(pDCTarget) &&
        m_bmp.CreateCompatibleBitmap(pDCTarget, rectClient.Width(), rectClient.Height())) {
        m_pOldBitmap = m_dcMem.SelectObject(&m_bmp);
        m_pDC = &m_dcMem;
    }
}

CSPOffscreenDC::~CSPOffscreenDC() {
    if (IsOffscreen()) m_dcMem.SelectObject(m_pOldBitmap);
}

void CSPOffscreenDC::Flush() {
    if (IsOffscreen())
        m_pDCTarget->BitBlt(m_rectClip.left, m_rectClip.top, m_rectClip.Width(), m_rectClip.Height(), &m_dcMem,
                            m_rectClip.left, m_rectClip.top, SRCCOPY);
}
