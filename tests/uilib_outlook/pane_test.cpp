// Outlook bar pages: the shared large images, the column layout, scrolling
// with buttons of different heights, damaged input and drops.
#include "afxwin.h"
#include "afxole.h"

#include <gtest/gtest.h>

#include <vector>

#include "MemoryDC.h"
#include "outlook_res.h"
#include "outlook_support.h"

using namespace outlooktest;

namespace {

class PaneTest : public HostTest {
protected:
    CSPOutlookBarPane pane;

    void SetUp() override {
        HostTest::SetUp();
        ASSERT_TRUE(pane.CreatePane(&host, WS_CHILD | WS_VISIBLE | CBRS_ALIGN_LEFT, 1));
        Resize(100, 300);
    }
    void TearDown() override {
        if (pane.GetSafeHwnd() != NULL) pane.DestroyWindow();
        HostTest::TearDown();
    }
    void Resize(int cx, int cy) { pane.SetWindowPos(NULL, 0, 0, cx, cy, SWP_NOZORDER | SWP_NOACTIVATE); }
    void Add(LPCTSTR lpszLabel, UINT nID = 0, int nSize = 32) {
        HBITMAP hbmp = Square(nSize, RGB(0, 0, 200));
        EXPECT_TRUE(pane.AddButton(hbmp, lpszLabel, nID));
        ::DeleteObject(hbmp);
    }
    CRect ButtonRect(int i) { return pane.GetButton(i)->Rect(); }
    BOOL Shown(CSPButton& btn) { return (btn.GetStyle() & WS_VISIBLE) != 0; }
};

TEST_F(PaneTest, FirstImageFixesTheLargeImageSizeOfAllPages) {
    Add(_T("First"), 1, 32);
    CSPOutlookBarPane other;
    ASSERT_TRUE(other.CreatePane(&host, WS_CHILD | WS_VISIBLE | CBRS_ALIGN_LEFT, 2));
    HBITMAP hSmall = Square(24, RGB(0, 200, 0));
    EXPECT_TRUE(other.AddButton(hSmall, _T("Second"), 2));
    ::DeleteObject(hSmall);

    EXPECT_EQ(CSize(32, 32), CSPOutlookBarPane::GetLargeImageSize());
    EXPECT_EQ(2, CSPOutlookBarPane::GetLargeImages().GetCount());
    EXPECT_EQ(1, other.GetButton(0)->GetImage());
    other.DestroyWindow();

    // Without an image (resource 0) the button still comes; an image that
    // does not load brings none.
    EXPECT_TRUE(pane.AddButton((UINT)0, _T("No image"), 3));
    EXPECT_EQ(-1, pane.GetButton(1)->GetImage());
    EXPECT_FALSE(pane.AddButton((UINT)9999, _T("Missing"), 4));
    EXPECT_FALSE(pane.AddButton(_T("no such file.bmp"), _T("Missing"), 4));
    EXPECT_FALSE(pane.AddButton((HBITMAP)NULL, _T("Missing"), 4));
    EXPECT_EQ(2, pane.GetCount());

    // An icon becomes an image of the collection too.
    HICON hIcon = ::LoadIcon(NULL, IDI_INFORMATION);
    EXPECT_TRUE(pane.AddButton(hIcon, _T("Icon"), 5, 0));
    EXPECT_EQ(5u, pane.GetButton(0)->m_nID);
    EXPECT_EQ(3, CSPOutlookBarPane::GetLargeImages().GetCount());
}

TEST_F(PaneTest, ButtonsStandInOneCentredColumnWithTheirLabelsBelow) {
    Add(_T("Contents"), 1);
    Add(_T("Index"), 2);
    Add(_T("Search"), 3);
    CRect rectClient;
    pane.GetClientRect(rectClient);
    int yNext = 0;
    for (int i = 0; i < 3; i++) {
        const CRect rect = ButtonRect(i);
        SCOPED_TRACE(i);
        EXPECT_EQ(yNext, rect.top);
        EXPECT_LE(abs(rect.left - (rectClient.right - rect.right)), 1);
        EXPECT_GE(rect.Width(), 32);
        // image (32), 10 pixels of margins and at least one line of text
        EXPECT_GT(rect.Height(), 32 + 10);
        yNext = rect.bottom;
    }
    EXPECT_FALSE(pane.IsMoreBelow());
    EXPECT_FALSE(Shown(pane.GetScrollUpButton()));
    EXPECT_FALSE(Shown(pane.GetScrollDownButton()));

    EXPECT_TRUE(pane.RemoveButton((UINT)2));
    EXPECT_FALSE(pane.RemoveButton((UINT)2));
    ASSERT_EQ(2, pane.GetCount());
    EXPECT_EQ(3u, pane.GetButton(1)->m_nID);
    EXPECT_EQ(ButtonRect(0).bottom, ButtonRect(1).top);
}

// Labels that wrap to one, two and three lines give buttons of different
// heights; scrolling up must retrace scrolling down exactly.
TEST_F(PaneTest, ScrollingUpRetracesScrollingDownWithButtonsOfDifferentHeights) {
    LPCTSTR labels[] = {_T("Mail"), _T("A label long enough to wrap"), _T("Notes"),
                        _T("Another label that wraps over three lines here"), _T("Tasks"), _T("Journal"),
                        _T("Shortcuts of the folder list"), _T("Calendar")};
    for (LPCTSTR lpszLabel : labels) Add(lpszLabel);
    Resize(100, 160);
    ASSERT_NE(ButtonRect(0).Height(), ButtonRect(1).Height());
    EXPECT_TRUE(pane.IsMoreBelow());
    EXPECT_TRUE(Shown(pane.GetScrollDownButton()));
    EXPECT_FALSE(Shown(pane.GetScrollUpButton()));

    std::vector<int> offsets{pane.GetScrollOffset()};
    while (pane.IsMoreBelow() && pane.GetFirstVisibleButton() + 1 < pane.GetCount()) {
        pane.ScrollDown();
        offsets.push_back(pane.GetScrollOffset());
        // the first visible button starts at the top edge, never cut off
        EXPECT_EQ(0, ButtonRect(pane.GetFirstVisibleButton()).top);
    }
    ASSERT_GT(offsets.size(), 2u);
    EXPECT_FALSE(Shown(pane.GetScrollDownButton()));
    EXPECT_TRUE(Shown(pane.GetScrollUpButton()));
    pane.ScrollDown();  // nothing more below
    EXPECT_EQ(offsets.back(), pane.GetScrollOffset());

    for (size_t i = offsets.size() - 1; i > 0; i--) {
        pane.ScrollUp();
        EXPECT_EQ(offsets[i - 1], pane.GetScrollOffset()) << "step " << i;
        EXPECT_EQ(0, ButtonRect(pane.GetFirstVisibleButton()).top);
    }
    EXPECT_EQ(0, pane.GetFirstVisibleButton());
    EXPECT_FALSE(Shown(pane.GetScrollUpButton()));
    pane.ScrollUp();
    EXPECT_EQ(0, pane.GetScrollOffset());
}

TEST_F(PaneTest, EnlargingAScrolledPageBringsTheButtonsBackDown) {
    for (int i = 0; i < 8; i++) Add(_T("Folder"));
    Resize(100, 150);
    for (int i = 0; i < 4; i++) pane.ScrollDown();
    ASSERT_GT(pane.GetScrollOffset(), 0);
    const int nButtonHeight = ButtonRect(0).Height();
    // Taller, but not tall enough for all: the last button reaches the bottom.
    Resize(100, 150 + nButtonHeight + 5);
    CRect rectClient;
    pane.GetClientRect(rectClient);
    EXPECT_GT(pane.GetScrollOffset(), 0);
    EXPECT_GE(ButtonRect(7).bottom, rectClient.bottom);
    // Tall enough for all: back at the start.
    Resize(100, 8 * nButtonHeight + 20);
    EXPECT_EQ(0, pane.GetScrollOffset());
    EXPECT_EQ(0, pane.GetFirstVisibleButton());
    EXPECT_EQ(0, ButtonRect(0).top);
}

TEST_F(PaneTest, HugeLabelsAndPagesOfNoHeightAreLaidOutSafely) {
    Add(CString('W', 3000), 1);
    CString strWords;
    for (int i = 0; i < 600; i++) strWords += _T("word ");
    Add(strWords, 2);
    CRect rectClient;
    pane.GetClientRect(rectClient);
    CSPOutlookButton* pLong = DYNAMIC_DOWNCAST(CSPOutlookButton, pane.GetButton(0));
    ASSERT_TRUE(pLong != NULL);
    EXPECT_FALSE(pLong->IsTextFits());  // drawn with an ellipsis
    EXPECT_LE(ButtonRect(0).Width(), rectClient.Width() - 1);
    EXPECT_TRUE(DYNAMIC_DOWNCAST(CSPOutlookButton, pane.GetButton(1))->IsTextFits());
    EXPECT_GT(ButtonRect(1).Height(), rectClient.Height());

    MemoryDC mem(100, 300);
    pane.DoPaint(&mem.dc);

    for (CSize size : {CSize(100, 0), CSize(0, 0), CSize(3, 3)}) {
        Resize(size.cx, size.cy);
        pane.ScrollDown();
        pane.ScrollUp();
        EXPECT_FALSE(Shown(pane.GetScrollDownButton())) << size.cx << "x" << size.cy;
        EXPECT_FALSE(Shown(pane.GetScrollUpButton()));
    }
    pane.RemoveAllButtons();
    EXPECT_EQ(0, pane.GetScrollOffset());
    EXPECT_EQ(0, pane.GetFirstVisibleButton());
}

TEST_F(PaneTest, BackgroundIsTheColourOrTheTiledBitmap) {
    pane.SetBackColor(RGB(10, 120, 30));
    MemoryDC plain(100, 300);
    pane.DoPaint(&plain.dc);
    EXPECT_EQ(RGB(10, 120, 30), plain.Pixel(50, 150));

    pane.SetBackImage(IDB_BACK);
    ASSERT_EQ((UINT)IDB_BACK, pane.GetBackImage());
    MemoryDC tiled(100, 300);
    pane.DoPaint(&tiled.dc);
    // The strip is 48 x 15: the picture repeats with that period.
    int nDiffer = 0;
    for (int x = 0; x < 48; x++)
        for (int y = 0; y < 15; y++) {
            EXPECT_EQ(tiled.Pixel(x, y), tiled.Pixel(x + 48, y + 30));
            if (tiled.Pixel(x, y) != RGB(10, 120, 30)) nDiffer++;
        }
    EXPECT_GT(nDiffer, 0);

    pane.SetBackImage(0);
    EXPECT_FALSE(pane.IsBackgroundTiled());
    pane.SetBackImage(9999);  // no such bitmap: the colour stays
    EXPECT_EQ(0u, pane.GetBackImage());
}

TEST_F(PaneTest, PressingTheScrollButtonScrollsAtOnce) {
    for (int i = 0; i < 8; i++) Add(_T("Folder"));
    Resize(100, 150);
    CSPButton& down = pane.GetScrollDownButton();
    ASSERT_TRUE(Shown(down));
    CRect rect;
    down.GetClientRect(rect);
    MSG msg = {down.GetSafeHwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(rect.Width() / 2, rect.Height() / 2)};
    pane.PreTranslateMessage(&msg);
    EXPECT_EQ(1, pane.GetFirstVisibleButton());
    msg.message = WM_LBUTTONUP;
    pane.PreTranslateMessage(&msg);
    EXPECT_EQ(1, pane.GetFirstVisibleButton());
}

class PaneDropTest : public PaneTest {
protected:
    void SetUp() override {
        ASSERT_TRUE(SUCCEEDED(::OleInitialize(NULL)));
        PaneTest::SetUp();
    }
    void TearDown() override {
        PaneTest::TearDown();
        ::OleUninitialize();
    }
    CSPToolbarButton* Dropped(CSPToolbarButton& button) {
        COleDataSource source;
        EXPECT_TRUE(button.PrepareDrag(source));
        return pane.CreateDroppedButton(source.GetDataObject());
    }
};

TEST_F(PaneDropTest, OnlyOutlookButtonsAreAccepted) {
    CSPOutlookButton outlook;
    outlook.m_nID = 7;
    outlook.m_strText = _T("Outlook");
    CSPToolbarButton plain(8, 0, _T("Plain"));
    EXPECT_TRUE(outlook.CanBeDropped(&pane));
    CSPToolBar bar;
    EXPECT_FALSE(outlook.CanBeDropped(&bar));

    CSPToolbarButton* pAccepted = Dropped(outlook);
    ASSERT_TRUE(pAccepted != NULL);
    EXPECT_TRUE(pAccepted->IsKindOf(RUNTIME_CLASS(CSPOutlookButton)));
    delete pAccepted;
    EXPECT_TRUE(Dropped(plain) == NULL);
}

}  // namespace
