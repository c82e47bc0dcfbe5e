// Image strips: loading, adding, colour mapping and drawing in each state.
#include <gtest/gtest.h>
#include <string>
#include <vector>
#include "SPButtonImages.h"
#include "SPMenuImages.h"
#include "SPVisualManagerXP.h"
#include "test_support.h"

namespace {

// Writes a bottom-up bitmap file of 8 bits (with a palette of the colours
// used) or 24 bits per pixel.
std::string WriteBmp(const char* name, int cx, int cy, int nBits, const std::vector<COLORREF>& px) {
    char szDir[MAX_PATH];
    ::GetTempPathA(MAX_PATH, szDir);
    std::string path = std::string(szDir) + name;
    std::vector<COLORREF> palette;
    if (nBits == 8) {
        for (COLORREF c : px)
            if (std::find(palette.begin(), palette.end(), c) == palette.end()) palette.push_back(c);
    }
    const int row = ((cx * nBits + 31) / 32) * 4;
    std::vector<BYTE> bits(row * cy, 0);
    for (int y = 0; y < cy; y++) {
        BYTE* p = &bits[(cy - 1 - y) * row];
        for (int x = 0; x < cx; x++) {
            const COLORREF c = px[y * cx + x];
            if (nBits == 8) {
                p[x] = (BYTE)(std::find(palette.begin(), palette.end(), c) - palette.begin());
            } else {
                p[3 * x] = GetBValue(c);
                p[3 * x + 1] = GetGValue(c);
                p[3 * x + 2] = GetRValue(c);
            }
        }
    }
    BITMAPINFOHEADER bih = {};
    bih.biSize = sizeof(bih);
    bih.biWidth = cx;
    bih.biHeight = cy;
    bih.biPlanes = 1;
    bih.biBitCount = (WORD)nBits;
    bih.biClrUsed = (DWORD)palette.size();
    std::vector<RGBQUAD> quads;
    for (COLORREF c : palette) quads.push_back(RGBQUAD{GetBValue(c), GetGValue(c), GetRValue(c), 0});
    BITMAPFILEHEADER bfh = {};
    bfh.bfType = 0x4D42;
    bfh.bfOffBits = sizeof(bfh) + sizeof(bih) + quads.size() * sizeof(RGBQUAD);
    bfh.bfSize = bfh.bfOffBits + bits.size();
    FILE* f = fopen(path.c_str(), "wb");
    fwrite(&bfh, sizeof(bfh), 1, f);
    fwrite(&bih, sizeof(bih), 1, f);
    if (!quads.empty()) fwrite(quads.data(), sizeof(RGBQUAD), quads.size(), f);
    fwrite(bits.data(), 1, bits.size(), f);
    fclose(f);
    return path;
}

// A strip of n 16 x 15 cells, cell i filled with colours[i % size].
std::vector<COLORREF> Cells(int n, const std::vector<COLORREF>& colours) {
    std::vector<COLORREF> px(16 * n * 15);
    for (int y = 0; y < 15; y++)
        for (int x = 0; x < 16 * n; x++) px[y * 16 * n + x] = colours[(x / 16) % colours.size()];
    return px;
}

HBITMAP MakeBitmap(int cx, int cy, COLORREF clr) {
    HDC hdc = ::GetDC(NULL);
    HBITMAP hbm = ::CreateCompatibleBitmap(hdc, cx, cy);
    ::ReleaseDC(NULL, hdc);
    CDC dc;
    dc.Attach(::CreateCompatibleDC(NULL));
    HGDIOBJ hOld = ::SelectObject(dc.GetSafeHdc(), hbm);
    dc.FillSolidRect(CRect(0, 0, cx, cy), clr);
    ::SelectObject(dc.GetSafeHdc(), hOld);
    ::DeleteDC(dc.Detach());
    return hbm;
}

COLORREF DrawnPixel(CSPButtonImages& images, int iImage, int x, int y) {
    MemoryDC mem(16, 15);
    CSPDrawState ds;
    EXPECT_TRUE(images.PrepareDraw(ds));
    EXPECT_TRUE(images.Draw(&mem.dc, 0, 0, iImage));
    images.EndDraw(ds);
    return mem.Pixel(x, y);
}

}  // namespace

TEST(ButtonImages, AddImageAppendsCells) {
    const COLORREF red = RGB(255, 0, 0), blue = RGB(0, 0, 255);
    CSPButtonImages images;
    ASSERT_TRUE(images.LoadFromFile(WriteBmp("tw_strip5.bmp", 80, 15, 24, Cells(5, {red})).c_str()));
    EXPECT_EQ(5, images.GetCount());
    HBITMAP hbm = MakeBitmap(48, 15, blue);
    EXPECT_EQ(7, images.AddImage(hbm));
    ::DeleteObject(hbm);
    EXPECT_EQ(8, images.GetCount());
    EXPECT_EQ(red, DrawnPixel(images, 4, 8, 8));
    EXPECT_EQ(blue, DrawnPixel(images, 7, 8, 8));

    EXPECT_TRUE(images.DeleteImage(0));
    EXPECT_EQ(7, images.GetCount());
    EXPECT_EQ(red, DrawnPixel(images, 3, 8, 8));
    EXPECT_EQ(blue, DrawnPixel(images, 4, 8, 8));
    EXPECT_FALSE(images.Draw(NULL, 0, 0, 0));
}

TEST(ButtonImages, CellsReplacedAndColoursSwapped) {
    const COLORREF red = RGB(255, 0, 0), blue = RGB(0, 0, 255), green = RGB(0, 255, 0);
    const COLORREF yellow = RGB(255, 255, 0);
    CSPButtonImages images;
    ASSERT_TRUE(images.LoadFromFile(WriteBmp("tw_strip3.bmp", 48, 15, 24, Cells(3, {red, blue})).c_str()));
    HBITMAP hbm = MakeBitmap(16, 15, green);
    EXPECT_TRUE(images.UpdateImage(1, hbm));
    EXPECT_FALSE(images.UpdateImage(3, hbm));
    ::DeleteObject(hbm);
    EXPECT_EQ(green, DrawnPixel(images, 1, 8, 8));
    EXPECT_EQ(red, DrawnPixel(images, 2, 8, 8));

    EXPECT_TRUE(images.MapTo3dColors(FALSE, red, yellow));
    EXPECT_EQ(yellow, DrawnPixel(images, 0, 8, 8));
    EXPECT_EQ(yellow, DrawnPixel(images, 2, 8, 8));
    EXPECT_EQ(green, DrawnPixel(images, 1, 8, 8));
    EXPECT_FALSE(images.MapTo3dColors(FALSE, red, (COLORREF)-1)) << "a colour mapped to nothing";
}

TEST(ButtonImages, TrueColourStripsTakeTheSystemColours) {
    const std::vector<COLORREF> std4 = {RGB(0, 0, 0), RGB(128, 128, 128), RGB(192, 192, 192), RGB(255, 255, 255),
                                        RGB(255, 0, 0)};
    CSPButtonImages images;
    ASSERT_TRUE(images.LoadFromFile(WriteBmp("tw_strip24.bmp", 80, 15, 24, Cells(5, std4)).c_str()));
    EXPECT_EQ(::GetSysColor(COLOR_BTNTEXT), DrawnPixel(images, 0, 3, 3));
    EXPECT_EQ(::GetSysColor(COLOR_BTNSHADOW), DrawnPixel(images, 1, 3, 3));
    EXPECT_EQ(::GetSysColor(COLOR_BTNFACE), DrawnPixel(images, 2, 3, 3));
    EXPECT_EQ(::GetSysColor(COLOR_BTNHIGHLIGHT), DrawnPixel(images, 3, 3, 3));
    EXPECT_EQ(RGB(255, 0, 0), DrawnPixel(images, 4, 3, 3));

    const std::vector<COLORREF> colours = {RGB(255, 0, 0), RGB(0, 0, 0), RGB(0, 128, 255)};
    CSPButtonImages images8;
    ASSERT_TRUE(images8.LoadFromFile(WriteBmp("tw_strip8.bmp", 48, 15, 8, Cells(3, colours)).c_str()));
    EXPECT_EQ(8, images8.m_nBitsPerPixel);
    for (int i = 0; i < 3; i++) EXPECT_EQ(colours[i], DrawnPixel(images8, i, 5, 5)) << i;
}

// A reload that fails leaves the strip as it was.
TEST(ButtonImages, FailedLoadKeepsTheStrip) {
    CSPButtonImages images;
    ASSERT_TRUE(images.LoadFromFile(WriteBmp("tw_strip3.bmp", 48, 15, 24, Cells(3, {RGB(9, 9, 9)})).c_str()));
    HBITMAP hbmBefore = images.GetImageWell();
    EXPECT_FALSE(images.Load(31999));
    EXPECT_FALSE(images.LoadFromFile("Z:\\no\\such\\strip.bmp"));
    EXPECT_EQ(hbmBefore, images.GetImageWell());
    EXPECT_EQ(3, images.GetCount());
}

TEST(ButtonImages, SharedCopiesNeverChangeTheBitmaps) {
    CSPButtonImages images, shared;
    ASSERT_TRUE(images.LoadFromFile(WriteBmp("tw_strip2.bmp", 32, 15, 24, Cells(2, {RGB(1, 2, 3)})).c_str()));
    images.CopyTemplate(shared);
    EXPECT_TRUE(shared.IsReadOnly());
    EXPECT_EQ(images.GetImageWell(), shared.GetImageWell());
    EXPECT_EQ(2, shared.GetCount());
    HBITMAP hbm = MakeBitmap(16, 15, RGB(0, 0, 0));
    EXPECT_EQ(-1, shared.AddImage(hbm));
    ::DeleteObject(hbm);
    EXPECT_FALSE(shared.Load(16129));
    shared.Clear();
    EXPECT_NE(0, ::GetObjectType(images.GetImageWell()));  // still alive
}

TEST(ButtonImages, SaveToFileRoundTrips) {
    CSPButtonImages images;
    ASSERT_TRUE(images.LoadFromFile(
        WriteBmp("tw_strip_rt.bmp", 32, 15, 24, Cells(2, {RGB(10, 20, 30), RGB(200, 100, 50)})).c_str()));
    char szDir[MAX_PATH];
    ::GetTempPathA(MAX_PATH, szDir);
    const std::string path = std::string(szDir) + "tw_strip_saved.bmp";
    ASSERT_TRUE(images.SaveToFile(path.c_str()));
    CSPButtonImages again;
    ASSERT_TRUE(again.LoadFromFile(path.c_str()));
    EXPECT_EQ(2, again.GetCount());
    EXPECT_EQ(RGB(200, 100, 50), DrawnPixel(again, 1, 4, 4));
}

TEST(ButtonImages, DisabledImagesUseTheDisabledColours) {
    ManagerReset reset;
    // A black square on the face colour: only the square is image.
    std::vector<COLORREF> px(16 * 15, ::GetSysColor(COLOR_BTNFACE));
    for (int y = 4; y < 10; y++)
        for (int x = 4; x < 10; x++) px[y * 16 + x] = RGB(0, 0, 0);
    CSPButtonImages images;
    ASSERT_TRUE(images.LoadFromFile(WriteBmp("tw_disabled.bmp", 16, 15, 24, px).c_str()));

    const COLORREF bg = RGB(1, 77, 1);
    for (int nManager = 0; nManager < 2; nManager++) {
        CSPVisualManager::SetDefaultManager(nManager == 0 ? RUNTIME_CLASS(CSPVisualManager)
                                                          : RUNTIME_CLASS(CSPVisualManagerXP));
        const BOOL bEmboss = CSPVisualManager::GetInstance()->m_bEmbossDisabledImage;
        MemoryDC mem(20, 20);
        mem.Fill(CRect(0, 0, 20, 20), bg);
        CSPDrawState ds;
        ASSERT_TRUE(images.PrepareDraw(ds));
        EXPECT_TRUE(images.Draw(&mem.dc, 0, 0, 0, FALSE, TRUE));
        images.EndDraw(ds);
        // Every pixel is the background, the shadow or (embossed) the highlight.
        const int nShadow = mem.Count(CRect(0, 0, 20, 20), spGlobalData.clrBtnShadow);
        const int nHilite = mem.Count(CRect(0, 0, 20, 20), spGlobalData.clrBtnHilite);
        const int nBack = mem.Count(CRect(0, 0, 20, 20), bg);
        EXPECT_EQ(36, nShadow) << nManager;
        EXPECT_EQ(bEmboss ? 11 : 0, nHilite) << nManager;  // the L-shaped edge one pixel down-right
        EXPECT_EQ(400, nShadow + nHilite + nBack) << nManager;
    }
}

TEST(ButtonImages, TransparentPixelsLeaveTheTargetAlone) {
    std::vector<COLORREF> px(16 * 15, RGB(255, 0, 255));
    for (int x = 0; x < 16; x++) px[7 * 16 + x] = RGB(0, 0, 200);
    CSPButtonImages images;
    ASSERT_TRUE(images.LoadFromFile(WriteBmp("tw_transparent.bmp", 16, 15, 24, px).c_str()));
    images.SetTransparentColor(RGB(255, 0, 255));

    MemoryDC mem(40, 40);
    mem.Fill(CRect(0, 0, 40, 40), RGB(10, 200, 10));
    CSPDrawState ds;
    ASSERT_TRUE(images.PrepareDraw(ds));
    EXPECT_TRUE(images.Draw(&mem.dc, 2, 2, 0));
    images.EndDraw(ds);
    EXPECT_EQ(RGB(10, 200, 10), mem.Pixel(5, 3));
    EXPECT_EQ(RGB(0, 0, 200), mem.Pixel(5, 9));

    // Stretched to twice the size, the line is two pixels high.
    ASSERT_TRUE(images.PrepareDraw(ds, CSize(32, 30)));
    EXPECT_TRUE(images.Draw(&mem.dc, 0, 0, 0));
    images.EndDraw(ds);
    EXPECT_EQ(RGB(0, 0, 200), mem.Pixel(20, 14));
    EXPECT_EQ(RGB(0, 0, 200), mem.Pixel(20, 15));
    EXPECT_EQ(RGB(10, 200, 10), mem.Pixel(20, 10));
}

TEST(ButtonImages, ResourcesAddedAfterEachOther) {
    CSPButtonImages images;
    images.SetImageSize(CSize(9, 9));
    ASSERT_TRUE(images.Load(IDB_SP_MENU_IMAGES));
    EXPECT_EQ(25, images.GetCount());
    EXPECT_TRUE(images.Load(IDB_SP_MENU_IMAGES, NULL, TRUE));  // already there
    EXPECT_EQ(25, images.GetCount());
    ASSERT_TRUE(images.Load(31000, NULL, TRUE));
    EXPECT_EQ(50, images.GetCount());
    EXPECT_EQ(0, images.GetResourceOffset(IDB_SP_MENU_IMAGES));
    EXPECT_EQ(25, images.GetResourceOffset(31000));
    EXPECT_TRUE(images.Reload());
    EXPECT_EQ(50, images.GetCount());
    EXPECT_EQ(25, images.GetResourceOffset(31000));
}

TEST(ButtonImages, HighlightedAndShadowedImages) {
    ManagerReset reset;
    std::vector<COLORREF> px(16 * 15, ::GetSysColor(COLOR_BTNFACE));
    for (int y = 4; y < 10; y++)
        for (int x = 4; x < 10; x++) px[y * 16 + x] = RGB(200, 0, 0);
    CSPButtonImages images;
    ASSERT_TRUE(images.LoadFromFile(WriteBmp("tw_states.bmp", 16, 15, 24, px).c_str()));

    // Highlighted: the image over the light brush.
    MemoryDC mem(20, 20);
    CSPDrawState ds;
    ASSERT_TRUE(images.PrepareDraw(ds));
    EXPECT_TRUE(images.Draw(&mem.dc, 0, 0, 0, TRUE));
    images.EndDraw(ds);
    LOGBRUSH lb;
    ::GetObject(spGlobalData.brLight.GetSafeHandle(), sizeof(lb), &lb);
    EXPECT_EQ(RGB(200, 0, 0), mem.Pixel(6, 6));
    if (lb.lbStyle == BS_SOLID) {
        EXPECT_EQ(lb.lbColor, mem.Pixel(1, 1));
    }

    // Shadowed: the image's shape joined with itself one pixel down and right
    // (6 x 6 twice, overlapping in 5 x 5), in the shadow colour.
    const COLORREF bg = RGB(1, 77, 1);
    mem.Fill(CRect(0, 0, 20, 20), bg);
    images.m_clrImageShadow = RGB(90, 90, 90);
    ASSERT_TRUE(images.PrepareDraw(ds));
    EXPECT_TRUE(images.Draw(&mem.dc, 0, 0, 0, FALSE, FALSE, FALSE, TRUE));
    images.EndDraw(ds);
    EXPECT_EQ(47, mem.Count(CRect(0, 0, 20, 20), RGB(90, 90, 90)));
    EXPECT_EQ(400 - 47, mem.Count(CRect(0, 0, 20, 20), bg));
    {
        ForcedBitsPerPixel eight(8);  // no shadows on 256 colours
        mem.Fill(CRect(0, 0, 20, 20), bg);
        ASSERT_TRUE(images.PrepareDraw(ds));
        EXPECT_TRUE(images.Draw(&mem.dc, 0, 0, 0, FALSE, FALSE, FALSE, TRUE));
        images.EndDraw(ds);
        EXPECT_EQ(400, mem.Count(CRect(0, 0, 20, 20), bg));
    }
}

// A 16-colour strip prepared for fading draws its images at 130 % unless the
// image is asked for as inactive; transparent pixels stay transparent.
TEST(ButtonImages, FadedImages) {
    CSPButtonImages images;
    images.SetImageSize(CSize(9, 9));
    ASSERT_TRUE(images.Load(IDB_SP_MENU_IMAGES));  // 4 bits per pixel
    images.SetTransparentColor(RGB(255, 0, 255));
    ASSERT_NE(nullptr, images.m_hbmImageLight);
    const COLORREF bg = RGB(3, 150, 3);
    for (int nInactive = 0; nInactive < 2; nInactive++) {
        MemoryDC mem(9, 9);
        mem.Fill(CRect(0, 0, 9, 9), bg);
        CSPDrawState ds;
        ASSERT_TRUE(images.PrepareDraw(ds, CSize(0, 0), TRUE));
        EXPECT_TRUE(images.Draw(&mem.dc, 0, 0, CSPMenuImages::IdClose, FALSE, FALSE, FALSE, FALSE, nInactive));
        images.EndDraw(ds);
        // Black lifted by 30 % of white, or black as it is.
        EXPECT_EQ(nInactive ? RGB(0, 0, 0) : RGB(77, 77, 77), mem.Pixel(4, 4)) << nInactive;
        EXPECT_EQ(bg, mem.Pixel(0, 0)) << nInactive;
    }
}

// The glyphs drawn are those of the readable source they were made from.
TEST(MenuImages, GlyphsMatchTheirSource) {
    const std::string path = std::string("Z:") + TW_SOURCE_DIR + "/res/uilib/menu_glyphs.txt";
    FILE* f = fopen(path.c_str(), "r");
    ASSERT_NE(nullptr, f) << path;
    std::vector<std::vector<std::string>> glyphs;
    char line[256];
    while (fgets(line, sizeof(line), f)) {
        std::string s(line);
        while (!s.empty() && (s.back() == '\n' || s.back() == '\r')) s.pop_back();
        if (s.rfind("= ", 0) == 0) glyphs.emplace_back();
        else if (s.size() == 9 && s.find(' ') == std::string::npos && !glyphs.empty()) glyphs.back().push_back(s);
    }
    fclose(f);
    ASSERT_EQ(25u, glyphs.size());

    const COLORREF bg = RGB(3, 150, 3), ink = ::GetSysColor(COLOR_BTNTEXT);
    for (size_t n = 0; n < glyphs.size(); n++) {
        ASSERT_EQ(9u, glyphs[n].size()) << n;
        MemoryDC mem(9, 9);
        mem.Fill(CRect(0, 0, 9, 9), bg);
        CSPMenuImages::Draw(&mem.dc, (int)n, CPoint(0, 0));
        for (int y = 0; y < 9; y++)
            for (int x = 0; x < 9; x++)
                EXPECT_EQ(glyphs[n][y][x] == '#' ? ink : bg, mem.Pixel(x, y)) << "glyph " << n << " at " << x << "," << y;
    }
}

TEST(MenuImages, GlyphsInFourColourings) {
    ASSERT_TRUE(CSPMenuImages::Initialize());
    EXPECT_EQ(25, CSPMenuImages::GetImages(CSPMenuImages::ImageBlack).GetCount());
    EXPECT_EQ(CSize(9, 9), CSPMenuImages::GetImages(CSPMenuImages::ImageWhite).GetImageSize());

    const COLORREF bg = RGB(3, 150, 3);
    const COLORREF expected[4] = {::GetSysColor(COLOR_BTNTEXT), ::GetSysColor(COLOR_BTNSHADOW),
                                  ::GetSysColor(COLOR_BTNFACE), ::GetSysColor(COLOR_BTNHIGHLIGHT)};
    for (int state = 0; state < 4; state++) {
        MemoryDC mem(9, 9);
        mem.Fill(CRect(0, 0, 9, 9), bg);
        CSPMenuImages::Draw(&mem.dc, CSPMenuImages::IdClose, CPoint(0, 0), state);
        // The close glyph: its centre is ink, its corners are transparent.
        EXPECT_EQ(expected[state], mem.Pixel(4, 4)) << state;
        EXPECT_EQ(bg, mem.Pixel(0, 0)) << state;
        EXPECT_EQ(bg, mem.Pixel(8, 8)) << state;
    }

    // A colour change drops the glyphs; the next draw builds them again.
    spGlobalData.UpdateSysColors();
    EXPECT_EQ(0, CSPMenuImages::GetImages(CSPMenuImages::ImageBlack).GetCount());
    MemoryDC mem(9, 9);
    CSPMenuImages::Draw(&mem.dc, CSPMenuImages::IdArowDown, CPoint(0, 0));
    EXPECT_EQ(25, CSPMenuImages::GetImages(CSPMenuImages::ImageBlack).GetCount());
}
