// Owner-painted header: sort marks (single and multiple), the sort arrow's
// place, and hot tracking of the column under the mouse.
#include "SPHeaderCtrl.h"
#include "test_support.h"
#include <gtest/gtest.h>

namespace {

// Records where the sort arrows are drawn and in which direction.
class CRecordingHeader : public CSPHeaderCtrl {
public:
    struct Arrow {
        CRect rect;
        BOOL bAscending;
    };
    std::vector<Arrow> arrows;
    void OnDrawSortArrow(CDC* pDC, CRect rectArrow) override {
        arrows.push_back({rectArrow, m_bAscending});
        CSPHeaderCtrl::OnDrawSortArrow(pDC, rectArrow);
    }
};

struct HeaderFixture : ::testing::Test {
    CHostWnd host;
    CRecordingHeader header;
    void SetUp() override {
        ASSERT_TRUE(host.CreateHost());
        ASSERT_TRUE(header.Create(WS_CHILD | WS_VISIBLE | HDS_HORZ | HDS_BUTTONS, CRect(0, 0, 360, 20), &host, 400));
        for (int i = 0; i < 3; i++) {
            HDITEM item = {};
            item.mask = HDI_TEXT | HDI_WIDTH | HDI_FORMAT;
            item.cxy = 100;
            item.fmt = HDF_STRING | HDF_LEFT;
            item.pszText = (LPTSTR)(i == 0 ? _T("Name") : i == 1 ? _T("Size") : _T("Date"));
            ASSERT_EQ(i, header.InsertItem(i, &item));
        }
    }
};

TEST_F(HeaderFixture, SingleSortKeepsOneColumn) {
    EXPECT_EQ(-1, header.GetSortColumn());
    header.SetSortColumn(1, FALSE);
    EXPECT_EQ(1, header.GetSortColumn());
    EXPECT_FALSE(header.IsAscending());
    header.SetSortColumn(2, TRUE, TRUE);  // adding needs multiple sort
    EXPECT_EQ(2, header.GetSortColumn());
    EXPECT_EQ(0, header.GetColumnState(1));
    EXPECT_TRUE(header.IsAscending());
    header.RemoveSortColumn(2);
    EXPECT_EQ(-1, header.GetSortColumn());
}

TEST_F(HeaderFixture, TurningMultipleSortOffRemovesEveryMark) {
    header.EnableMultipleSort(TRUE);
    header.SetSortColumn(0, TRUE, TRUE);
    header.SetSortColumn(2, FALSE, TRUE);
    EXPECT_EQ(-1, header.GetSortColumn());  // no single answer in this mode
    EXPECT_EQ(-1, header.IsAscending());
    EXPECT_EQ(1, header.GetColumnState(0));
    EXPECT_EQ(-1, header.GetColumnState(2));

    header.EnableMultipleSort(TRUE);  // no change
    EXPECT_EQ(1, header.GetColumnState(0));
    header.EnableMultipleSort(FALSE);
    EXPECT_EQ(0, header.GetColumnState(0));
    EXPECT_EQ(0, header.GetColumnState(2));
    EXPECT_EQ(-1, header.GetSortColumn());
    MemoryDC mem(360, 20);
    header.arrows.clear();
    header.DoPaint(&mem.dc);
    EXPECT_TRUE(header.arrows.empty());
}

TEST_F(HeaderFixture, SortArrowIsASquareAtTheRightOfTheItem) {
    header.SetSortColumn(1, TRUE);
    header.arrows.clear();
    MemoryDC mem(360, 20);
    header.DoPaint(&mem.dc);
    ASSERT_EQ(1u, header.arrows.size());
    // item 100..200 x 0..20: deflated by 5, squared at the right (10 wide),
    // then deflated vertically by int(10 * 0.134) = 1
    EXPECT_EQ(CRect(185, 6, 195, 14), header.arrows[0].rect);
    EXPECT_TRUE(header.arrows[0].bAscending);

    header.SetSortColumn(1, FALSE);
    header.arrows.clear();
    header.DoPaint(&mem.dc);
    ASSERT_EQ(1u, header.arrows.size());
    EXPECT_FALSE(header.arrows[0].bAscending);
}

TEST_F(HeaderFixture, HotItemFollowsTheMouseUntilItLeaves) {
    EXPECT_EQ(-1, header.GetHighlightedItem());
    header.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(150, 10));
    EXPECT_EQ(1, header.GetHighlightedItem());
    header.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(20, 10));
    EXPECT_EQ(0, header.GetHighlightedItem());
    // right of the last column is no item
    header.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(340, 10));
    EXPECT_EQ(-1, header.GetHighlightedItem());
    header.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(250, 10));
    EXPECT_EQ(2, header.GetHighlightedItem());
    // with the button held the hot item stays
    header.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(20, 10));
    EXPECT_EQ(2, header.GetHighlightedItem());
    header.SendMessage(WM_MOUSELEAVE, 0, 0);
    EXPECT_EQ(-1, header.GetHighlightedItem());
    header.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(20, 10));
    header.SendMessage(WM_CANCELMODE, 0, 0);
    EXPECT_EQ(-1, header.GetHighlightedItem());
}

TEST_F(HeaderFixture, PaintingFillsTheFaceAndDrawsTheTexts) {
    MemoryDC mem(360, 20);
    mem.Fill(CRect(0, 0, 360, 20), RGB(1, 2, 3));
    header.DoPaint(&mem.dc);
    EXPECT_EQ(0, mem.Count(CRect(0, 0, 360, 20), RGB(1, 2, 3)));
    // some text pixels inside each column
    for (int i = 0; i < 3; i++) EXPECT_GT(mem.Count(CRect(i * 100 + 5, 2, i * 100 + 95, 18), ::GetSysColor(COLOR_BTNTEXT)), 0);
}

}  // namespace
