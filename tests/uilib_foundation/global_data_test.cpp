// The shared colours, brushes, fonts and metrics of SPGlobalData.
#include <gtest/gtest.h>
#include "SPGlobalData.h"
#include "test_support.h"

TEST(GlobalData, ColoursFollowTheSystem) {
    spGlobalData.UpdateSysColors();
    EXPECT_EQ(::GetSysColor(COLOR_BTNFACE), spGlobalData.clrBtnFace);
    EXPECT_EQ(::GetSysColor(COLOR_BTNSHADOW), spGlobalData.clrBtnShadow);
    EXPECT_EQ(::GetSysColor(COLOR_3DDKSHADOW), spGlobalData.clrBtnDkShadow);
    EXPECT_EQ(::GetSysColor(COLOR_3DLIGHT), spGlobalData.clrBtnLight);
    EXPECT_EQ(::GetSysColor(COLOR_HIGHLIGHTTEXT), spGlobalData.clrTextHilite);
    EXPECT_EQ(RGB(0, 0, 255), spGlobalData.clrHotLinkText);
    EXPECT_EQ(::GetSysColorBrush(COLOR_BTNFACE), (HBRUSH)spGlobalData.brBtnFace.GetSafeHandle());
    EXPECT_EQ(::GetSysColorBrush(COLOR_BTNSHADOW), spGlobalData.hbrBtnShadow);
    EXPECT_EQ(4, spGlobalData.nDragFrameThickness);
    EXPECT_EQ(3, spGlobalData.nDragTabInset);
    EXPECT_EQ(14, spGlobalData.nAutoHideSpacing);
    EXPECT_EQ(4, spGlobalData.nAutoHideMargin);
    EXPECT_EQ(50, spGlobalData.nMaxDockedPercent);
    EXPECT_GT(spGlobalData.sizeSmallIcon.cx, 0);
}

TEST(GlobalData, LightBrushIsTheMidColourOrACheckerboard) {
    {
        ForcedBitsPerPixel high(24);
        LOGBRUSH lb;
        ASSERT_NE(0, ::GetObject(spGlobalData.brLight.GetSafeHandle(), sizeof(lb), &lb));
        EXPECT_EQ((UINT)BS_SOLID, lb.lbStyle);
        const COLORREF f = spGlobalData.clrBtnFace, h = spGlobalData.clrBtnHilite;
        EXPECT_EQ(RGB(GetRValue(f) + (GetRValue(h) - GetRValue(f)) / 2,
                      GetGValue(f) + (GetGValue(h) - GetGValue(f)) / 2,
                      GetBValue(f) + (GetBValue(h) - GetBValue(f)) / 2),
                  lb.lbColor);
    }
    {
        ForcedBitsPerPixel eight(8);
        MemoryDC mem(8, 8);
        mem.dc.FillRect(CRect(0, 0, 8, 8), &spGlobalData.brLight);
        EXPECT_EQ(mem.Pixel(0, 0), mem.Pixel(1, 1));
        EXPECT_NE(mem.Pixel(0, 0), mem.Pixel(1, 0));
    }
}

static CString FaceOf(CFont& font, LOGFONT* plf = NULL) {
    LOGFONT lf = {};
    font.GetLogFont(&lf);
    if (plf != NULL) *plf = lf;
    return CString(lf.lfFaceName);
}

TEST(GlobalData, FontsAreBuiltFromTheMenuFont) {
    SPGlobalData::s_nForceTahoma = 0;
    spGlobalData.UpdateFonts();
    NONCLIENTMETRICSA ncm = {};
    ncm.cbSize = 340;
    ASSERT_TRUE(::SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, ncm.cbSize, &ncm, 0));
    if (ncm.lfMenuFont.lfCharSet <= SYMBOL_CHARSET) {
        EXPECT_STREQ("MS Sans Serif", FaceOf(spGlobalData.fontRegular));
        SPGlobalData::s_nForceTahoma = 1;
        spGlobalData.UpdateFonts();
        EXPECT_STREQ("Tahoma", FaceOf(spGlobalData.fontRegular));
    }
    SPGlobalData::s_nForceTahoma = -1;
    spGlobalData.UpdateFonts();

    LOGFONT lf;
    FaceOf(spGlobalData.fontBold, &lf);
    EXPECT_EQ(700, lf.lfWeight);
    FaceOf(spGlobalData.fontUnderline, &lf);
    EXPECT_TRUE(lf.lfUnderline);
    EXPECT_STREQ("Marlett", FaceOf(spGlobalData.fontMarlett, &lf));
    EXPECT_EQ(SYMBOL_CHARSET, lf.lfCharSet);
    EXPECT_EQ(::GetSystemMetrics(SM_CYMENUCHECK) - 1, lf.lfHeight);
    EXPECT_STREQ("Arial", FaceOf(spGlobalData.fontVert, &lf));
    EXPECT_EQ(2700, lf.lfEscapement);
    EXPECT_EQ(900, lf.lfOrientation);

    // The text heights match the fonts.
    HDC hdc = ::GetDC(NULL);
    HGDIOBJ hOld = ::SelectObject(hdc, spGlobalData.fontRegular.GetSafeHandle());
    TEXTMETRIC tm;
    ::GetTextMetrics(hdc, &tm);
    ::SelectObject(hdc, hOld);
    ::ReleaseDC(NULL, hdc);
    EXPECT_EQ(tm.tmHeight + 2, spGlobalData.nTextHeightHorz);
}

TEST(GlobalData, SetMenuFontKeepsTheCallersLogFont) {
    LOGFONT lf = {};
    lf.lfHeight = -20;
    lf.lfWeight = 400;
    lstrcpy(lf.lfFaceName, "Arial");
    ASSERT_TRUE(spGlobalData.SetMenuFont(&lf, TRUE));
    EXPECT_EQ(400, lf.lfWeight);
    EXPECT_FALSE(lf.lfUnderline);
    LOGFONT lfBold;
    FaceOf(spGlobalData.fontBold, &lfBold);
    EXPECT_EQ(700, lfBold.lfWeight);
    EXPECT_EQ(-20, lfBold.lfHeight);
    const int nOldVert = spGlobalData.nTextHeightVert;
    EXPECT_GT(spGlobalData.nTextHeightHorz, 18);
    EXPECT_EQ(nOldVert, spGlobalData.nTextHeightVert);
    EXPECT_FALSE(spGlobalData.SetMenuFont(NULL, TRUE));
    spGlobalData.UpdateFonts();
}

// A change of the system colours reaches the shared colours, the light
// brush, the menu glyphs and the XP manager's blends.
TEST(GlobalData, FollowsASystemColourChange) {
    const INT nIndex = COLOR_BTNFACE;
    const COLORREF clrOld = ::GetSysColor(nIndex);
    const COLORREF clrNew = RGB(200, 180, 160);
    ASSERT_TRUE(::SetSysColors(1, &nIndex, &clrNew));
    spGlobalData.UpdateSysColors();
    EXPECT_EQ(clrNew, spGlobalData.clrBtnFace);
    LOGBRUSH lb;
    ::GetObject(spGlobalData.brLight.GetSafeHandle(), sizeof(lb), &lb);
    if (spGlobalData.nBitsPerPixel > 8) {
        const COLORREF h = spGlobalData.clrBtnHilite;
        EXPECT_EQ(RGB(200 + (GetRValue(h) - 200) / 2, 180 + (GetGValue(h) - 180) / 2, 160 + (GetBValue(h) - 160) / 2),
                  lb.lbColor);
    }
    ::SetSysColors(1, &nIndex, &clrOld);
    spGlobalData.UpdateSysColors();
    EXPECT_EQ(clrOld, spGlobalData.clrBtnFace);
}
