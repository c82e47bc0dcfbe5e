// The colour picker: the geometry of its cells and markers, what a press,
// a drag, a double click and the arrow keys pick and report.
#include "test_support.h"
#include "SPColorPickerCtrl.h"
#include "SPDrawEffects.h"
#include <gtest/gtest.h>

namespace {

struct PickerTest : public ::testing::Test {
    CHostWnd host;
    CSPColorPickerCtrl picker;
    void Make(CSPColorPickerCtrl::COLORTYPE type, int cx, int cy) {
        ASSERT_TRUE(host.CreateHost(400, 400));
        picker.SetType(type);
        ASSERT_TRUE(picker.Create(_T(""), WS_CHILD | WS_VISIBLE | BS_DEFPUSHBUTTON, CRect(10, 10, 10 + cx, 10 + cy),
                                  &host, 42));
        picker.UpdateWindow();  // the first paint builds the cells
    }
    int Clicks(UINT nCode) const {
        int n = 0;
        for (const auto& c : host.commands)
            if (c.nID == 42 && c.nCode == nCode && c.hWnd == picker.m_hWnd) n++;
        return n;
    }
};

TEST_F(PickerTest, CreatedPickerIsOwnerDrawn) {
    Make(CSPColorPickerCtrl::CURRENT, 40, 40);
    EXPECT_EQ(picker.GetStyle() & 0xF, (DWORD)BS_OWNERDRAW);
    EXPECT_EQ(picker.SendMessage(WM_GETDLGCODE), (LRESULT)DLGC_WANTARROWS);
}

TEST_F(PickerTest, HoneycombOf260Pixels) {
    Make(CSPColorPickerCtrl::HEX, 260, 260);
    ASSERT_EQ(picker.GetCellCount(), 127);
    const CSPColorCell* pWhite = picker.GetCell(0);
    EXPECT_EQ(pWhite->m_nSize, 21);
    EXPECT_EQ(pWhite->m_color, RGB(255, 255, 255));
    EXPECT_EQ(CPoint(pWhite->m_x, pWhite->m_y), CPoint(130, 130));
    // d = 21: h = (int)(21 x 0.57735026) / 2 = 6, s = 10
    const POINT expected[6] = {{120, 124}, {130, 120}, {140, 124}, {140, 136}, {130, 140}, {120, 136}};
    for (int i = 0; i < 6; i++) EXPECT_EQ(CPoint(pWhite->m_pts[i]), CPoint(expected[i])) << i;
    // ring 1 starts one cell right of the centre; ring 6 holds 36 cells
    EXPECT_EQ(CPoint(picker.GetCell(1)->m_x, picker.GetCell(1)->m_y), CPoint(151, 130));
    EXPECT_EQ(CPoint(picker.GetCell(91)->m_x, picker.GetCell(91)->m_y), CPoint(130 + 6 * 21, 130));
    // a longer side is cut equally at both ends
    CSPColorPickerCtrl wide;
    wide.SetType(CSPColorPickerCtrl::HEX);
    ASSERT_TRUE(wide.Create(_T(""), WS_CHILD | WS_VISIBLE, CRect(0, 0, 300, 260), &host, 43));
    wide.UpdateWindow();
    EXPECT_EQ(CPoint(wide.GetCell(0)->m_x, wide.GetCell(0)->m_y), CPoint(150, 130));
    EXPECT_EQ(wide.GetCell(0)->m_nSize, 21);
}

TEST_F(PickerTest, GreyRowStartsWhiteAndEndsBlackAtAnySize) {
    ASSERT_TRUE(host.CreateHost(400, 400));
    const CSize sizes[] = {{260, 40}, {130, 60}, {390, 30}};
    for (const CSize& size : sizes) {
        CSPColorPickerCtrl grey;
        grey.SetType(CSPColorPickerCtrl::HEX_GREYSCALE);
        ASSERT_TRUE(grey.Create(_T(""), WS_CHILD | WS_VISIBLE, CRect(CPoint(0, 0), size), &host, 44));
        grey.UpdateWindow();
        ASSERT_GE(grey.GetCellCount(), 3);
        const CSPColorCell* pFirst = grey.GetCell(0);
        const CSPColorCell* pLast = grey.GetCell(grey.GetCellCount() - 1);
        EXPECT_EQ(pFirst->m_color, RGB(255, 255, 255));
        EXPECT_EQ(pLast->m_color, RGB(0, 0, 0));
        EXPECT_EQ(pFirst->m_nSize, 2 * grey.GetCell(1)->m_nSize);  // big cells
        EXPECT_EQ(grey.GetCell(1)->m_nSize % 2, 0);
        // every cell lies inside the control
        for (int i = 0; i < grey.GetCellCount(); i++)
            for (const POINT& pt : grey.GetCell(i)->m_pts) {
                EXPECT_GE(pt.x, 0);
                EXPECT_LE(pt.x, size.cx);
            }
        grey.DestroyWindow();
    }
}

TEST_F(PickerTest, EightBitCellsPaintWithPaletteIndexes) {
    ForcedBitsPerPixel depth(8);
    Make(CSPColorPickerCtrl::HEX, 130, 130);
    ASSERT_EQ(picker.GetCellCount(), 127);
    for (int i = 0; i < picker.GetCellCount(); i++) EXPECT_EQ(picker.GetCell(i)->m_colorPaint >> 24, 1u) << i;
}

TEST_F(PickerTest, SelectionIsTheLastCellOfTheColour) {
    Make(CSPColorPickerCtrl::HEX, 260, 260);
    // snapping gives several cells the same colour: find such a pair
    int nFirst = -1, nLast = -1;
    for (int i = 0; i < picker.GetCellCount() && nFirst < 0; i++)
        for (int j = picker.GetCellCount() - 1; j > i; j--)
            if (picker.GetCell(j)->m_color == picker.GetCell(i)->m_color) {
                nFirst = i;
                nLast = j;
                break;
            }
    ASSERT_GE(nFirst, 0);
    picker.SelectColor(picker.GetCell(nFirst)->m_color);
    EXPECT_EQ(picker.GetSelectedCell(), nLast);
    picker.SelectColor(RGB(1, 2, 3));
    EXPECT_EQ(picker.GetSelectedCell(), -1);
}

TEST_F(PickerTest, PressOnACellPicksAndReportsBetweenCellsNothing) {
    Make(CSPColorPickerCtrl::HEX, 260, 260);
    const CSPColorCell* pCell = picker.GetCell(5);
    Click(&picker, pCell->m_x, pCell->m_y);
    EXPECT_EQ(picker.GetColor(), pCell->m_color);
    EXPECT_EQ(Clicks(BN_CLICKED), 1);
    Click(&picker, pCell->m_x, pCell->m_y);  // already selected: reported again
    EXPECT_EQ(Clicks(BN_CLICKED), 2);
    // the corner is in no cell
    Click(&picker, 1, 1);
    EXPECT_EQ(picker.GetColor(), pCell->m_color);
    EXPECT_EQ(Clicks(BN_CLICKED), 2);
    // a double click reports after the press
    picker.SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(pCell->m_x, pCell->m_y));
    EXPECT_EQ(Clicks(BN_DOUBLECLICKED), 1);
    EXPECT_EQ(host.commands.back().nCode, (UINT)BN_DOUBLECLICKED);
}

TEST_F(PickerTest, SpectrumDragWithCtrlAndShiftKeepsHueOrSaturation) {
    Make(CSPColorPickerCtrl::PICKER, 200, 100);
    Click(&picker, 50, 25);
    double h, l, s;
    picker.GetHLS(h, l, s);
    EXPECT_DOUBLE_EQ(h, 0.25);
    EXPECT_DOUBLE_EQ(s, 0.75);
    EXPECT_EQ(picker.GetMarkerPos(), CPoint(50, 25));
    EXPECT_EQ(picker.GetMarkerRect(), CRect(41, 16, 60, 35));
    EXPECT_EQ(picker.GetColor(), CSPDrawEffects::HLSToRGB(0.25, l, 0.75));

    struct Case {
        UINT nFlags;
        bool hueMoves, satMoves;
    } cases[] = {{MK_CONTROL, false, true}, {MK_SHIFT, true, false}, {MK_CONTROL | MK_SHIFT, false, false}};
    for (const Case& c : cases) {
        double h0, l0, s0;
        picker.GetHLS(h0, l0, s0);
        picker.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON | c.nFlags, MAKELPARAM(10, 10));
        picker.SendMessage(WM_MOUSEMOVE, MK_LBUTTON | c.nFlags, MAKELPARAM(150, 80));
        picker.SendMessage(WM_LBUTTONUP, c.nFlags, MAKELPARAM(150, 80));
        picker.GetHLS(h, l, s);
        EXPECT_EQ(h != h0, c.hueMoves) << c.nFlags;
        EXPECT_EQ(s != s0, c.satMoves) << c.nFlags;
        Click(&picker, 50, 25);
    }
    // a point beyond the control is held at its edge (right and bottom included)
    picker.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(500, 500));
    picker.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(500, 500));
    picker.GetHLS(h, l, s);
    EXPECT_DOUBLE_EQ(h, 1.0);
    EXPECT_DOUBLE_EQ(s, 0.0);
}

TEST_F(PickerTest, LuminanceBarKeysStepAndStopAtTheLimit) {
    Make(CSPColorPickerCtrl::LUMINANCE, 40, 110);
    picker.SetHLS(0.5, 0.9, 1.0, TRUE);
    // luminance 1 at the top of the bar (5 px in)
    Click(&picker, 5, 5);
    double h, l, s;
    picker.GetHLS(h, l, s);
    EXPECT_DOUBLE_EQ(l, 1.0);
    EXPECT_EQ(picker.GetMarkerPos(), CPoint(20 + 6, 5));
    EXPECT_EQ(picker.GetMarkerRect(), CRect(22, 1, 31, 10));
    const int nReports = Clicks(BN_CLICKED);
    picker.SendMessage(WM_KEYDOWN, VK_UP, 0);  // at the limit: nothing
    EXPECT_EQ(Clicks(BN_CLICKED), nReports);
    picker.SendMessage(WM_KEYDOWN, VK_DOWN, 0);
    picker.GetHLS(h, l, s);
    EXPECT_NEAR(l, 0.95, 1e-9);
    EXPECT_EQ(Clicks(BN_CLICKED), nReports + 1);
    picker.SendMessage(WM_KEYDOWN, VK_LEFT, 0);  // not a key of the bar
    EXPECT_EQ(Clicks(BN_CLICKED), nReports + 1);
}

TEST_F(PickerTest, ResizeKeepsTheCellsOfTheFirstPaint) {
    Make(CSPColorPickerCtrl::HEX, 260, 260);
    const int x = picker.GetCell(3)->m_x, y = picker.GetCell(3)->m_y;
    picker.SetWindowPos(NULL, 0, 0, 130, 130, SWP_NOMOVE | SWP_NOZORDER);
    picker.SetType(CSPColorPickerCtrl::HEX_GREYSCALE);
    picker.UpdateWindow();
    EXPECT_EQ(picker.GetCellCount(), 127);
    EXPECT_EQ(CPoint(picker.GetCell(3)->m_x, picker.GetCell(3)->m_y), CPoint(x, y));
}

TEST(PickerSnapTest, ComponentsSnapToTheirNeighbours) {
    struct Case {
        COLORREF in, out;
        int t;
    } cases[] = {{RGB(10, 250, 130), RGB(0, 255, 128), 16}, {RGB(180, 100, 16), RGB(192, 100, 16), 16},
                 {RGB(10, 250, 130), RGB(10, 250, 130), 0},   {RGB(7, 248, 121), RGB(7, 248, 121), 7}};
    for (const Case& c : cases) EXPECT_EQ(CSPColorPickerCtrl::SnapColor(c.in, c.t), c.out);
}

}  // namespace
