// The grid of button images: its layout and scroll bar, a layout run while
// scrolled, selection by mouse, keys and image index, the notification of
// the parent, drawing while disabled, and the drag of a picked button.
#include "afxwin.h"
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "MemoryDC.h"
#include "SPButtonsList.h"
#include "SPToolbarButton.h"
#include "appearance_support.h"

using namespace apptest;

namespace {

const int nGridId = 4321;

// A parent that counts the grid's notifications.
class CGridParent : public CWnd {
public:
    int nNotified = 0;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_COMMAND && LOWORD(wParam) == nGridId) nNotified++;
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

class ButtonsListTest : public AppearanceTest {
protected:
    CGridParent parent;
    CSPButtonsList grid;
    std::vector<std::unique_ptr<CSPToolbarButton>> buttons;

    void SetUp() override {
        AppearanceTest::SetUp();
        ASSERT_TRUE(parent.CreateEx(0, AfxRegisterWndClass(0), _T("grid parent"), WS_POPUP | WS_VISIBLE,
                                    CRect(0, 0, 400, 400), NULL, 0));
    }
    void TearDown() override {
        grid.RemoveButtons();
        if (grid.GetSafeHwnd() != NULL) grid.DestroyWindow();
        if (parent.GetSafeHwnd() != NULL) parent.DestroyWindow();
        AppearanceTest::TearDown();
    }
    // A grid whose area takes exactly nColumns cells a row and nRows rows.
    void MakeGrid(int nColumns, int nRows) {
        const int cxScroll = ::GetSystemMetrics(SM_CXVSCROLL);
        const int cx = 8 + nColumns * 26 - 4 + cxScroll + 1;
        const int cy = 10 + nRows * 27;
        ASSERT_TRUE(grid.Create(_T(""), WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, CRect(0, 0, cx, cy), &parent, nGridId));
        grid.SetImages(&userImages);
    }
    // Buttons showing user image i % 3.
    void AddButtons(int n) {
        for (int i = 0; i < n; i++) {
            buttons.emplace_back(new CSPToolbarButton(0, (int)buttons.size() % 3, NULL, TRUE));
            grid.AddButton(buttons.back().get());
        }
    }
    CRect Cell(int i) const { return buttons[i]->Rect(); }
    void Key(UINT vk) { grid.SendMessage(WM_KEYDOWN, vk, 1); }
    void Click(CPoint point) { grid.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(point.x, point.y)); }
};

struct LayoutCase {
    int nColumns, nRows, nButtons;
    int nHiddenRows;  // rows beyond the page
};

}  // namespace

// 16 by 15 images give cells of 22 by 22, 4 pixels apart, as many a row as
// fit; the scroll bar comes only when the rows do not fit.
TEST_F(ButtonsListTest, LayoutAsATable) {
    const LayoutCase cases[] = {
        {4, 3, 1, 0}, {4, 3, 4, 0}, {4, 3, 5, 0}, {4, 3, 12, 0}, {4, 3, 13, 1}, {4, 3, 25, 4}, {1, 1, 3, 2},
    };
    for (const LayoutCase& c : cases) {
        SCOPED_TRACE(testing::Message() << c.nColumns << " columns, " << c.nRows << " rows, " << c.nButtons);
        MakeGrid(c.nColumns, c.nRows);
        AddButtons(c.nButtons);
        EXPECT_EQ(CSize(22, 22), grid.GetCellSize());
        EXPECT_EQ(CRect(4, 5, 26, 27), Cell(0));
        for (int i = 1; i < c.nButtons; i++) {
            const CRect expected(4 + (i % c.nColumns) * 26, 5 + (i / c.nColumns) * 27, 0, 0);
            EXPECT_EQ(expected.TopLeft(), Cell(i).TopLeft()) << "cell " << i;
        }
        EXPECT_EQ(c.nRows, grid.GetRowsPerPage());
        EXPECT_EQ(c.nHiddenRows * 27, grid.GetScrollMaximum());
        EXPECT_EQ(c.nHiddenRows > 0, grid.GetScrollBarCtrl(SB_VERT) != NULL);
        grid.RemoveButtons();
        grid.DestroyWindow();
        buttons.clear();
    }
}

// A layout run while scrolled keeps the cells where they belong: drawing
// and hit testing alone apply the scroll position.
TEST_F(ButtonsListTest, LayoutWhileScrolledKeepsTheCells) {
    MakeGrid(4, 2);
    AddButtons(16);
    grid.SetFocus();  // taking the focus selects the first cell
    ASSERT_EQ(buttons[0].get(), grid.GetSelectedButton());
    ASSERT_EQ(2 * 27, grid.GetScrollMaximum());
    grid.SendMessage(WM_VSCROLL, SB_BOTTOM, (LPARAM)grid.GetScrollBarCtrl(SB_VERT)->GetSafeHwnd());
    ASSERT_EQ(2 * 27, grid.GetScrollPosition());

    AddButtons(1);  // lays the grid out again
    grid.SendMessage(WM_SIZE, SIZE_RESTORED, 0);
    EXPECT_EQ(CRect(4, 5, 26, 27), Cell(0));
    EXPECT_EQ(CPoint(4, 5 + 4 * 27), Cell(16).TopLeft());
    EXPECT_EQ(3 * 27, grid.GetScrollMaximum()) << "five rows, two on the page";
    EXPECT_EQ(2 * 27, grid.GetScrollPosition());

    // The first visible row is the third: a click there picks cell 8.
    Click(CPoint(10, 10));
    EXPECT_EQ(buttons[8].get(), grid.GetSelectedButton());

    // Line and page steps, thumb positions rounded to whole rows, clamped.
    grid.SendMessage(WM_VSCROLL, SB_LINEUP, 0);
    EXPECT_EQ(27, grid.GetScrollPosition());
    grid.SendMessage(WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 40), 0);
    EXPECT_EQ(27, grid.GetScrollPosition());
    grid.SendMessage(WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 41), 0);
    EXPECT_EQ(54, grid.GetScrollPosition());
    grid.SendMessage(WM_VSCROLL, SB_PAGEDOWN, 0);
    EXPECT_EQ(81, grid.GetScrollPosition());
    grid.SendMessage(WM_VSCROLL, MAKEWPARAM(SB_THUMBTRACK, 0), 0);
    EXPECT_EQ(81, grid.GetScrollPosition()) << "tracking moves nothing";
    grid.SendMessage(WM_VSCROLL, SB_TOP, 0);
    EXPECT_EQ(0, grid.GetScrollPosition());
}

TEST_F(ButtonsListTest, KeysMouseAndImageIndexes) {
    MakeGrid(4, 1);
    // An empty grid: no key selects anything.
    for (UINT vk : {VK_HOME, VK_END, VK_LEFT, VK_RIGHT, VK_UP, VK_DOWN}) Key(vk);
    EXPECT_TRUE(grid.GetSelectedButton() == NULL);
    EXPECT_EQ(0, parent.nNotified);

    AddButtons(12);
    Key(VK_RIGHT);
    EXPECT_EQ(buttons[0].get(), grid.GetSelectedButton()) << "with no selection an arrow picks the first";
    Key(VK_LEFT);
    EXPECT_EQ(buttons[0].get(), grid.GetSelectedButton()) << "nothing before the first";
    Key(VK_DOWN);
    Key(VK_DOWN);
    EXPECT_EQ(buttons[2].get(), grid.GetSelectedButton()) << "arrows go in list order";
    Key(VK_END);
    EXPECT_EQ(buttons[11].get(), grid.GetSelectedButton());
    EXPECT_GT(grid.GetScrollPosition(), 0) << "the last cell was scrolled into view";
    Key(VK_RIGHT);
    EXPECT_EQ(buttons[11].get(), grid.GetSelectedButton());
    Key(VK_HOME);
    EXPECT_EQ(buttons[0].get(), grid.GetSelectedButton());
    EXPECT_EQ(0, grid.GetScrollPosition());
    const int nNotified = parent.nNotified;
    EXPECT_EQ(5, nNotified) << "one notification a change of the selection";

    // By image index: the first cell showing it; an index no cell shows
    // keeps the selection; a negative one clears it.
    EXPECT_TRUE(grid.SelectButton(2));
    EXPECT_EQ(buttons[2].get(), grid.GetSelectedButton());
    EXPECT_FALSE(grid.SelectButton(7));
    EXPECT_EQ(buttons[2].get(), grid.GetSelectedButton());
    EXPECT_TRUE(grid.SelectButton(-1));
    EXPECT_TRUE(grid.GetSelectedButton() == NULL);

    // A click below the last cell picks none.
    Click(CPoint(10, 10));
    EXPECT_EQ(buttons[0].get(), grid.GetSelectedButton());
    Click(CPoint(Cell(1).CenterPoint()));
    EXPECT_EQ(buttons[1].get(), grid.GetSelectedButton());
    EXPECT_EQ(CWnd::GetFocus(), &grid);
}

// Drawn while disabled: every image disabled, no selection frame.
TEST_F(ButtonsListTest, DisabledDrawing) {
    MakeGrid(4, 2);
    AddButtons(3);
    grid.SelectButton(buttons[0].get());
    CRect rectClient;
    grid.GetClientRect(rectClient);
    auto Draw = [&](MemoryDC& mem) {
        DRAWITEMSTRUCT dis = {};
        dis.CtlType = ODT_BUTTON;
        dis.hwndItem = grid.m_hWnd;
        dis.hDC = mem.dc.GetSafeHdc();
        dis.rcItem = rectClient;
        grid.DrawItem(&dis);
    };
    MemoryDC enabled(rectClient.Width(), rectClient.Height());
    Draw(enabled);
    EXPECT_EQ(16 * 15, enabled.Count(Cell(0), clrRed));
    EXPECT_EQ(16 * 15, enabled.Count(Cell(1), clrGreen));

    grid.EnableWindow(FALSE);
    MemoryDC disabled(rectClient.Width(), rectClient.Height());
    Draw(disabled);
    for (int i = 0; i < 3; i++) {
        for (COLORREF color : {clrRed, clrGreen, clrBlue}) EXPECT_EQ(0, disabled.Count(Cell(i), color)) << i;
    }
    // The selection frame of the enabled drawing (two dotted frames: the
    // grid has no focus) is missing.
    CRect rectFrame = Cell(0);
    int nDifferent = 0;
    for (int x = rectFrame.left; x < rectFrame.right; x++)
        if (enabled.Pixel(x, rectFrame.top) != disabled.Pixel(x, rectFrame.top)) nDifferent++;
    EXPECT_GT(nDifferent, 0);
    EXPECT_EQ(buttons[0].get(), grid.GetSelectedButton()) << "the selection itself stays";
}

namespace {
UINT g_nDraggedCmd = 0;
int g_nDrags = 0;
DROPEFFECT RecordDrag(COleDataSource& source) {
    g_nDrags++;
    CSPToolbarButton* pButton = CSPToolbarButton::CreateFromOleData(&source);
    g_nDraggedCmd = pButton != NULL ? pButton->m_nID : 0;
    delete pButton;
    return DROPEFFECT_COPY;
}
}  // namespace

TEST_F(ButtonsListTest, ThePickedButtonIsDraggedWhenAllowed) {
    MakeGrid(4, 2);
    buttons.emplace_back(new CSPToolbarButton(ID_A_OPEN, 1));
    grid.AddButton(buttons.back().get());
    CSPButtonsList::s_pfnDragDropForTest = RecordDrag;
    g_nDrags = 0;
    Click(Cell(0).CenterPoint());
    EXPECT_EQ(0, g_nDrags) << "no drag unless enabled";
    grid.EnableDragFromList();
    Click(Cell(0).CenterPoint());
    EXPECT_EQ(1, g_nDrags);
    EXPECT_EQ((UINT)ID_A_OPEN, g_nDraggedCmd);
    EXPECT_FALSE(buttons[0]->m_bDragFromCollection);
    CSPButtonsList::s_pfnDragDropForTest = NULL;

    // Emptied: no selection, no scrolling, the buttons have no parent.
    grid.RemoveButtons();
    EXPECT_EQ(0, grid.GetCount());
    EXPECT_TRUE(grid.GetSelectedButton() == NULL);
    EXPECT_EQ(0, grid.GetScrollMaximum());
}

// A colour change reloads the images from their file, unless images were
// added or edited since: those would be lost.
TEST_F(ButtonsListTest, AColourChangeKeepsNewImages) {
    char szDir[MAX_PATH] = "";
    ::GetTempPathA(sizeof(szDir), szDir);
    const CString strPath = CString(szDir) + _T("tw_user_images_grid.bmp");
    ASSERT_TRUE(userImages.SaveToFile(strPath));
    CSPButtonImages images;
    images.SetImageSize(CSize(16, 15));
    ASSERT_TRUE(images.LoadFromFile(strPath));
    MakeGrid(4, 2);
    grid.SetImages(&images);
    grid.SendMessage(WM_SYSCOLORCHANGE);
    EXPECT_EQ(3, images.GetCount()) << "reloaded";

    HBITMAP hbm = SolidBitmap(16, 15, clrRed);
    EXPECT_EQ(3, images.AddImage(hbm));
    ::DeleteObject(hbm);
    grid.SendMessage(WM_SYSCOLORCHANGE);
    EXPECT_EQ(4, images.GetCount()) << "the new image stays";
    grid.SetImages(NULL);
    ::DeleteFileA(strPath);
}
