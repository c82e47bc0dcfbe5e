// SPDrawEffects.h - CSPDrawEffects: pixel effects on one device context
// (brightness, gradients, shadows) and the colour arithmetic shared by the
// visual managers and the image strips.
//
// Pixel buffers are 32-bit DIB sections; one pixel is a 32-bit word in
// blue-green-red order, so a COLORREF has red and blue exchanged before it
// is compared with a pixel.
#pragma once
#include "afxwin.h"

class CSPDrawEffects : public CObject {
public:
    // data
    CDC& m_dc;  // the DC drawn on; not owned

    // construction
    explicit CSPDrawEffects(CDC& dc) : m_dc(dc) {}

    // effects
    // Scales the brightness of every pixel in the rectangle that is not
    // clrTransparent. 100 % or an empty rectangle does nothing; -1 moves each
    // channel halfway to the button-highlight colour. On a screen of 8 bits
    // per pixel or less the rectangle is filled with the light brush instead.
    BOOL ScaleRectBrightness(CRect rect, int nPercentage = -1, COLORREF clrTransparent = (COLORREF)-1);
    // 64 bands from colorStart to colorFinish: stacked from the bottom when
    // bHorz, side by side from the left otherwise.
    void FillGradient(CRect rect, COLORREF colorStart, COLORREF colorFinish, BOOL bHorz = TRUE);
    // A gradient at any angle in degrees (0 runs left to right).
    void FillGradient2(CRect rect, COLORREF colorStart, COLORREF colorFinish, int nAngle = 0);
    // Rings of ellipses from colorStart at the border to colorFinish at the
    // centre.
    void FillEllipseGradient(CRect rect, COLORREF colorStart, COLORREF colorFinish);
    // Drop shadow of nDepth pixels to the right of and below rect: the screen
    // pixels there are darkened from iMinBrightness % (at the object) to
    // iMaxBrightness % (at the outer edge). The strips are kept in the two
    // bitmaps; when both already hold bitmaps those are drawn instead, so a
    // shadow taken once can be put back over a changed background.
    BOOL DrawStateEffect(CRect rect, int nDepth, int iMinBrightness = 100, int iMaxBrightness = 65,
                         CBitmap* pBmpSaveRight = NULL, CBitmap* pBmpSaveBottom = NULL);
    // Draws an icon or text through DrawState into a 32-bit buffer and scales
    // its pixels by nPercentage before copying it to rect.
    BOOL DrawStateScaled(CRect rect, HICON hIcon, LPCTSTR lpszText, int nPercentage);

    // colour arithmetic
    static COLORREF ScaleColor(COLORREF color, int nPercentage);
    static COLORREF ScaleColorChannels(COLORREF color, double dblRed, double dblGreen, double dblBlue);
    static COLORREF BlendColors(COLORREF color1, COLORREF color2, int nPercentage);
    static void SetDIBPixel(LPDWORD pBits, int nWidth, int nHeight, int x, int y, COLORREF color);
    static double HueToRGB(double m1, double m2, double h);
    static int HueToRGBDegrees(float m1, float m2, float hue);
    static COLORREF HLSToRGB(double H, double L, double S);
    static COLORREF HLSDegreesToRGB(double H, double L, double S);
    static void RGBToHLS(COLORREF rgb, double* H, double* L, double* S);

    // A COLORREF as a pixel of the 32-bit buffers, and back.
    static DWORD ColorToPixel(COLORREF color) {
        return (DWORD)((GetRValue(color) << 16) | (GetGValue(color) << 8) | GetBValue(color));
    }
    static COLORREF PixelToColor(DWORD px) {
        return RGB((px >> 16) & 0xFF, (px >> 8) & 0xFF, px & 0xFF);
    }

private:
    // A bottom-up 32-bit DIB section of cx x cy; NULL on failure.
    static HBITMAP Create32BitDIB(HDC hdc, int cx, int cy, LPDWORD* ppBits);
};

// A bitmap of cx x cy in the screen's format (one made compatible with a
// memory DC alone would be monochrome), or NULL.
HBITMAP SPCreateScreenBitmap(int cx, int cy);

// Drawing of a window's client area into an off-screen bitmap of its size
// when one can be made, else straight into the target DC; Flush copies the
// target's clip box from the bitmap.
class CSPOffscreenDC {
public:
    CSPOffscreenDC(CDC* pDCTarget, const CRect& rectClient);
    ~CSPOffscreenDC();
    // The DC to draw into.
    CDC* GetDC() const { return m_pDC; }
    BOOL IsOffscreen() const { return m_pDC != m_pDCTarget; }
    // The target's clip box (at construction).
    const CRect& GetClipBox() const { return m_rectClip; }
    void Flush();

private:
    CDC* m_pDCTarget;
    CDC* m_pDC;
    CDC m_dcMem;
    CBitmap m_bmp;
    CBitmap* m_pOldBitmap;
    CRect m_rectClip;

    CSPOffscreenDC(const CSPOffscreenDC&) = delete;
    CSPOffscreenDC& operator=(const CSPOffscreenDC&) = delete;
};
