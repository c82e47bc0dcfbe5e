// Colour arithmetic and pixel effects of CSPDrawEffects, drawn into memory DCs.
#include <gtest/gtest.h>
#include "SPDrawEffects.h"
#include "SPGlobalData.h"
#include "test_support.h"

TEST(DrawEffectsColors, ScaleColor) {
    EXPECT_EQ(RGB(0xC0, 0xC0, 0xC0), CSPDrawEffects::ScaleColor(RGB(0x80, 0x80, 0x80), 150));
    EXPECT_EQ(RGB(255, 255, 255), CSPDrawEffects::ScaleColor(RGB(0x80, 0x90, 0xA0), 300));
    EXPECT_EQ(RGB(0x40, 0x00, 0x01), CSPDrawEffects::ScaleColor(RGB(0x80, 0x00, 0x03), 50));
}

TEST(DrawEffectsColors, ScaleColorChannelsLiftsBlack) {
    EXPECT_EQ(RGB(51, 51, 51), CSPDrawEffects::ScaleColorChannels(RGB(0, 0, 0), 1.2, 1.2, 1.2));
    // A factor below 1 keeps black black; rounding adds a half.
    EXPECT_EQ(RGB(0, 50, 255), CSPDrawEffects::ScaleColorChannels(RGB(0, 100, 200), 0.5, 0.5, 2.0));
}

TEST(DrawEffectsColors, BlendColors) {
    EXPECT_EQ(RGB(0x3F, 0x3F, 0x3F), CSPDrawEffects::BlendColors(RGB(255, 255, 255), RGB(0, 0, 0), 25));
    EXPECT_EQ(RGB(10, 20, 30), CSPDrawEffects::BlendColors(RGB(10, 20, 30), RGB(200, 0, 7), 100));
}

TEST(DrawEffectsColors, HlsConversions) {
    EXPECT_EQ(RGB(255, 0, 0), CSPDrawEffects::HLSToRGB(0, 0.5, 1));
    EXPECT_EQ(RGB(255, 0, 0), CSPDrawEffects::HLSDegreesToRGB(0, 0.5, 1));
    EXPECT_EQ(RGB(0, 255, 0), CSPDrawEffects::HLSDegreesToRGB(120, 0.5, 1));
    double H, L, S;
    CSPDrawEffects::RGBToHLS(RGB(0, 0, 255), &H, &L, &S);
    EXPECT_NEAR(2.0 / 3.0, H, 1e-9);
    EXPECT_NEAR(0.5, L, 1e-9);
    EXPECT_NEAR(1.0, S, 1e-9);
    CSPDrawEffects::RGBToHLS(RGB(128, 128, 128), &H, &L, &S);
    EXPECT_EQ(0.0, S);
    EXPECT_EQ(0.0, H);
    EXPECT_EQ(RGB(128, 128, 128), CSPDrawEffects::HLSToRGB(H, L, S));
}

// SetDIBPixel addresses a bottom-up buffer: screen row 0 is the last buffer
// row, and no position outside the buffer is written.
TEST(DrawEffectsColors, SetDIBPixelStaysInsideTheBuffer) {
    DWORD buf[3 * 2 + 2];
    for (DWORD& d : buf) d = 0xDEADBEEF;
    LPDWORD pBits = buf + 1;  // guards before and after
    CSPDrawEffects::SetDIBPixel(pBits, 3, 2, 0, 0, RGB(1, 2, 3));
    CSPDrawEffects::SetDIBPixel(pBits, 3, 2, 2, 1, RGB(4, 5, 6));
    CSPDrawEffects::SetDIBPixel(pBits, 3, 2, 3, 0, RGB(7, 7, 7));
    CSPDrawEffects::SetDIBPixel(pBits, 3, 2, 0, 2, RGB(7, 7, 7));
    CSPDrawEffects::SetDIBPixel(pBits, 3, 2, -1, 0, RGB(7, 7, 7));
    EXPECT_EQ(0x00010203u, pBits[3]);  // row 1 of the buffer = screen row 0
    EXPECT_EQ(0x00040506u, pBits[2]);  // row 0 of the buffer = screen row 1
    EXPECT_EQ(0xDEADBEEFu, buf[0]);
    EXPECT_EQ(0xDEADBEEFu, buf[7]);
}

TEST(DrawEffectsPixels, ScaleRectBrightness) {
    MemoryDC mem(20, 10);
    mem.Fill(CRect(0, 0, 20, 10), RGB(100, 100, 100));
    mem.Fill(CRect(0, 0, 2, 2), RGB(255, 0, 255));
    CSPDrawEffects dm(mem.dc);

    EXPECT_TRUE(dm.ScaleRectBrightness(CRect(0, 0, 20, 10), 100));
    EXPECT_EQ(RGB(100, 100, 100), mem.Pixel(5, 5));

    EXPECT_TRUE(dm.ScaleRectBrightness(CRect(0, 0, 10, 10), 150, RGB(255, 0, 255)));
    EXPECT_EQ(RGB(150, 150, 150), mem.Pixel(5, 5));
    EXPECT_EQ(RGB(100, 100, 100), mem.Pixel(15, 5));  // outside the rectangle
    EXPECT_EQ(RGB(255, 0, 255), mem.Pixel(1, 1));     // the transparent colour stays

    // -1: halfway to the button highlight colour.
    const COLORREF h = spGlobalData.clrBtnHilite;
    EXPECT_TRUE(dm.ScaleRectBrightness(CRect(10, 0, 20, 10)));
    EXPECT_EQ(RGB(100 + (GetRValue(h) - 100) / 2, 100 + (GetGValue(h) - 100) / 2, 100 + (GetBValue(h) - 100) / 2),
              mem.Pixel(15, 5));

    EXPECT_TRUE(dm.ScaleRectBrightness(CRect(5, 5, 5, 9), 50));  // empty: nothing, TRUE
}

TEST(DrawEffectsPixels, FillGradientBands) {
    MemoryDC mem(128, 64);
    CSPDrawEffects dm(mem.dc);
    dm.FillGradient(CRect(0, 0, 128, 64), RGB(0, 0, 0), RGB(128, 64, 255), FALSE);
    EXPECT_EQ(RGB(0, 0, 0), mem.Pixel(0, 10));                   // band 0 at the left
    EXPECT_EQ(RGB(2, 1, 3), mem.Pixel(2, 10));                   // band 1: i/64 of the way
    EXPECT_EQ(RGB(126, 63, 251), mem.Pixel(127, 10));            // band 63
    dm.FillGradient(CRect(0, 0, 128, 64), RGB(0, 0, 0), RGB(64, 64, 64), TRUE);
    EXPECT_EQ(RGB(0, 0, 0), mem.Pixel(10, 63));                  // the start colour at the bottom
    EXPECT_EQ(RGB(63, 63, 63), mem.Pixel(10, 0));

    // Right angles are the two straight gradients, turned as the angle says
    // (turned round, the start colour is the last band's, 63/64 of the way).
    const struct {
        int nAngle;
        POINT ptStart;
    } angles[] = {{0, {0, 30}}, {360, {0, 30}}, {180, {127, 30}}, {90, {60, 63}}, {270, {60, 0}}};
    for (const auto& a : angles) {
        dm.FillGradient2(CRect(0, 0, 128, 64), RGB(0, 0, 0), RGB(255, 255, 255), a.nAngle);
        EXPECT_LE(GetRValue(mem.Pixel(a.ptStart.x, a.ptStart.y)), 4) << a.nAngle;
    }
    // Any other angle: the start colour in the corner the angle leaves from.
    dm.FillGradient2(CRect(0, 0, 128, 64), RGB(0, 0, 0), RGB(255, 255, 255), 45);
    EXPECT_LT(GetRValue(mem.Pixel(1, 62)), 16);
    EXPECT_GT(GetRValue(mem.Pixel(126, 1)), 239);
}

TEST(DrawEffectsPixels, EllipseGradientAndScaledIcon) {
    MemoryDC mem(40, 40);
    mem.Fill(CRect(0, 0, 40, 40), RGB(9, 9, 9));
    CSPDrawEffects dm(mem.dc);
    dm.FillEllipseGradient(CRect(0, 0, 40, 40), RGB(0, 0, 0), RGB(255, 255, 255));
    EXPECT_EQ(RGB(9, 9, 9), mem.Pixel(0, 0)) << "outside the outer ring";
    EXPECT_GT(GetRValue(mem.Pixel(20, 20)), 200) << "the centre nears the finish colour";
    EXPECT_LT(GetRValue(mem.Pixel(20, 1)), 40) << "the outer ring is the start colour";

    // An icon drawn at half brightness: its white pixels come out grey, the
    // background outside the rectangle stays.
    mem.Fill(CRect(0, 0, 40, 40), RGB(200, 200, 200));
    HICON hIcon = ::LoadIcon(NULL, IDI_APPLICATION);
    EXPECT_TRUE(dm.DrawStateScaled(CRect(0, 0, 32, 32), hIcon, NULL, 50));
    EXPECT_EQ(RGB(200, 200, 200), mem.Pixel(36, 36));
    int nBright = 0;
    for (int y = 0; y < 32; y++)
        for (int x = 0; x < 32; x++)
            if (GetRValue(mem.Pixel(x, y)) > 128 || GetGValue(mem.Pixel(x, y)) > 128) nBright++;
    EXPECT_EQ(0, nBright);
    EXPECT_FALSE(dm.DrawStateScaled(CRect(0, 0, 0, 0), hIcon, NULL, 50));
}

TEST(DrawEffectsPixels, LowColourScreenFillsWithTheLightBrush) {
    ForcedBitsPerPixel eight(8);
    MemoryDC mem(16, 16);
    mem.Fill(CRect(0, 0, 16, 16), RGB(1, 2, 3));
    CSPDrawEffects dm(mem.dc);
    EXPECT_TRUE(dm.ScaleRectBrightness(CRect(0, 0, 16, 16), 150));
    // The checkerboard of face and highlight.
    EXPECT_NE(mem.Pixel(0, 0), mem.Pixel(1, 0));
    EXPECT_EQ(mem.Pixel(0, 0), mem.Pixel(1, 1));
    const COLORREF a = mem.Pixel(0, 0), b = mem.Pixel(1, 0);
    EXPECT_TRUE((a == spGlobalData.clrBtnFace && b == spGlobalData.clrBtnHilite) ||
                (b == spGlobalData.clrBtnFace && a == spGlobalData.clrBtnHilite));
}

TEST(DrawEffectsPixels, ShadowDarkensBesideTheObjectAndKeepsItsStrips) {
    MemoryDC mem(40, 40);
    mem.Fill(CRect(0, 0, 40, 40), RGB(200, 200, 200));
    CSPDrawEffects dm(mem.dc);
    CBitmap bmpRight, bmpBottom;
    EXPECT_TRUE(dm.DrawStateEffect(CRect(5, 5, 25, 25), 4, 100, 65, &bmpRight, &bmpBottom));
    EXPECT_EQ(RGB(200, 200, 200), mem.Pixel(15, 15));  // the object itself is untouched
    EXPECT_EQ(RGB(130, 130, 130), mem.Pixel(25, 15));  // 65 % next to it
    EXPECT_LT(GetRValue(mem.Pixel(15, 25)), 200);
    EXPECT_EQ(RGB(200, 200, 200), mem.Pixel(30, 15));  // beyond the depth
    EXPECT_NE(nullptr, bmpRight.GetSafeHandle());
    EXPECT_NE(nullptr, bmpBottom.GetSafeHandle());
    // Put back over a new background: the saved strips are drawn as they were.
    mem.Fill(CRect(0, 0, 40, 40), RGB(0, 0, 255));
    EXPECT_TRUE(dm.DrawStateEffect(CRect(5, 5, 25, 25), 4, 100, 65, &bmpRight, &bmpBottom));
    EXPECT_EQ(RGB(130, 130, 130), mem.Pixel(25, 15));
    EXPECT_TRUE(dm.DrawStateEffect(CRect(5, 5, 25, 25), 0));
}
