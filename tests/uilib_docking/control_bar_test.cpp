// The control bar: its window class and borders, stretching, tracking, and
// its recent dock info saved to and restored from the registry.
#include "docking_support.h"

#include "SPControlBar.h"
#include "SPRecentDockInfo.h"
#include "SPBarBorderHelper.h"
#include "SPToolBar.h"

using namespace docktest;

namespace {

// A bar that wants a given size and has a minimum one.
class CSizedBar : public CSPControlBar {
public:
    CSize m_sizeWanted{0, 0};
    CSize m_sizeMin{1, 1};
    CSize CalcFixedLayout(BOOL /*bStretch*/, BOOL /*bHorz*/) override { return m_sizeWanted; }
    void GetMinSize(CSize& size) const override { size = m_sizeMin; }
};

struct ControlBarFixture : ::testing::Test {
    CSPFrameWnd* pFrame = NULL;

    void SetUp() override {
        pFrame = MakeFrame();
        ASSERT_NE(pFrame, nullptr);
    }
    void TearDown() override {
        if (pFrame != NULL && pFrame->GetSafeHwnd() != NULL) pFrame->DestroyWindow();
    }
};

}  // namespace

TEST_F(ControlBarFixture, CreationUsesTheBarsOwnWindowClass) {
    CSPControlBar bar;
    ASSERT_TRUE(bar.Create(NULL, WS_CHILD | WS_VISIBLE, CRect(20, 30, 220, 60), pFrame, 0x2001));
    char szClass[128] = {};
    ::GetClassNameA(bar.GetSafeHwnd(), szClass, sizeof(szClass));
    EXPECT_EQ(std::string(szClass).rfind("SControlBar:", 0), 0u) << szClass;
    WNDCLASSA wc;
    ASSERT_TRUE(::GetClassInfoA(AfxGetInstanceHandle(), szClass, &wc));
    EXPECT_EQ(wc.style, (UINT)CS_DBLCLKS);
    EXPECT_EQ((UINT_PTR)wc.hbrBackground, (UINT_PTR)(COLOR_BTNFACE + 1));

    EXPECT_EQ(bar.GetStyle() & (WS_CLIPSIBLINGS | WS_CLIPCHILDREN), (DWORD)(WS_CLIPSIBLINGS | WS_CLIPCHILDREN));
    EXPECT_EQ(bar.GetOwner(), pFrame);
    EXPECT_EQ(bar.GetID(), 0x2001u);
    EXPECT_EQ(bar.GetBorders(), CRect(6, 2, 6, 2));
    EXPECT_EQ(bar.GetMRUWidth(), 32767);
    EXPECT_FALSE(bar.CanDockToFrame());
    EXPECT_TRUE(bar.AllowsSiblingBars());
    bar.SetExclusiveRowMode(TRUE);
    EXPECT_FALSE(bar.AllowsSiblingBars());

    // The creation rectangle, in screen coordinates, is the recent floating one.
    CRect rectScreen(20, 30, 220, 60);
    pFrame->ClientToScreen(rectScreen);
    EXPECT_EQ(bar.m_recentDockInfo.m_rectRecentFloatingRect, rectScreen);

    // A second bar shares the registered class.
    CSPControlBar second;
    ASSERT_TRUE(second.Create(NULL, WS_CHILD, CRect(0, 0, 10, 10), pFrame, 0x2002));
    char szSecond[128] = {};
    ::GetClassNameA(second.GetSafeHwnd(), szSecond, sizeof(szSecond));
    EXPECT_STREQ(szClass, szSecond);
}

TEST_F(ControlBarFixture, InsideRectTakesBordersAndGripper) {
    CSPControlBar bar;
    ASSERT_TRUE(bar.Create(NULL, WS_CHILD, CRect(0, 0, 100, 200), pFrame, 1));
    struct {
        DWORD dwStyle;
        BOOL bHorz;
        CRect in, out;
    } cases[] = {
        // vertical, gripper, no border bits: the widths turn with the bar
        {CBRS_ALIGN_LEFT | CBRS_GRIPPER, FALSE, CRect(0, 0, 100, 200), CRect(2, 13, 98, 194)},
        // horizontal with all border bits and a gripper
        {CBRS_ALIGN_TOP | CBRS_BORDER_ANY | CBRS_GRIPPER, TRUE, CRect(0, 0, 100, 30), CRect(14, 3, 93, 27)},
        // a floating style draws no gripper
        {CBRS_ALIGN_TOP | CBRS_GRIPPER | CBRS_FLOATING, TRUE, CRect(0, 0, 100, 30), CRect(6, 2, 94, 28)},
    };
    for (auto& c : cases) {
        bar.SetControlBarStyle(c.dwStyle);
        CRect rect = c.in;
        bar.CalcInsideRect(rect, c.bHorz);
        EXPECT_EQ(rect, c.out) << std::hex << c.dwStyle;
    }
    bar.SetBorders(CRect(1, 2, 3, 4));
    EXPECT_EQ(bar.GetBorders(), CRect(1, 2, 3, 4));
}

TEST_F(ControlBarFixture, StretchIsBoundByTheRoomThereIs) {
    CSizedBar bar;
    bar.m_sizeWanted = CSize(120, 30);
    bar.m_sizeMin = CSize(70, 10);
    ASSERT_TRUE(bar.Create(NULL, WS_CHILD, CRect(0, 0, 100, 30), pFrame, 1));
    bar.SetCurrentAlignment(CBRS_ALIGN_TOP);
    bar.UpdateVirtualRect();

    HDWP hdwp = NULL;
    EXPECT_EQ(bar.StretchControlBar(50, hdwp), 20);  // 20 pixels available
    CRect rect;
    bar.GetWindowRect(rect);
    EXPECT_EQ(rect.Width(), 120);
    EXPECT_EQ(bar.StretchControlBar(50, hdwp), 0);  // none left: nothing moves
    bar.GetWindowRect(rect);
    EXPECT_EQ(rect.Width(), 120);

    EXPECT_EQ(bar.StretchControlBar(-80, hdwp), -50);  // down to the minimum width
    bar.GetWindowRect(rect);
    EXPECT_EQ(rect.Width(), 70);
    EXPECT_EQ(bar.StretchControlBar(-10, hdwp), 0);

    // Resizing below the minimum keeps the edge that did not move.
    CSize change = bar.ResizeToRect(CRect(0, 0, 40, 5));
    bar.GetWindowRect(rect);
    pFrame->ScreenToClient(rect);
    EXPECT_EQ(rect, CRect(0, 0, 70, 10));
    EXPECT_EQ(change, CSize(0, -20));
}

TEST_F(ControlBarFixture, PressTracksOnlyBarsThatMayFloat) {
    CSPControlBar fixed, floating;
    ASSERT_TRUE(fixed.Create(NULL, WS_CHILD | WS_VISIBLE, CRect(0, 0, 100, 30), pFrame, 1, 0));
    ASSERT_TRUE(floating.Create(NULL, WS_CHILD | WS_VISIBLE, CRect(0, 40, 100, 70), pFrame, 2));

    fixed.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    EXPECT_FALSE(fixed.IsTracking());
    EXPECT_NE(::GetCapture(), fixed.GetSafeHwnd());

    struct {
        UINT msg;
        WPARAM wParam;
    } enders[] = {{WM_CHAR, VK_ESCAPE}, {WM_CANCELMODE, 0}, {WM_LBUTTONUP, 0}, {WM_LBUTTONDBLCLK, 0}};
    for (auto& e : enders) {
        floating.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
        ASSERT_TRUE(floating.IsTracking());
        EXPECT_TRUE(floating.IsDragMode());
        EXPECT_EQ(::GetCapture(), floating.GetSafeHwnd());
        floating.SendMessage(e.msg, e.wParam, 0);
        EXPECT_FALSE(floating.IsTracking()) << e.msg;
        EXPECT_FALSE(floating.IsDragMode());
        EXPECT_NE(::GetCapture(), floating.GetSafeHwnd());
    }
    EXPECT_FALSE(floating.StopTracking());
}

TEST_F(ControlBarFixture, PlacementIsSavedAndRestored) {
    const CString profile = ProfilePath("placement");
    DeleteTree(profile);

    CSPControlBar bar;
    ASSERT_TRUE(bar.Create(NULL, WS_CHILD | WS_VISIBLE, CRect(10, 10, 110, 40), pFrame, 77));
    bar.m_recentDockInfo.m_rectRecentFloatingRect = CRect(300, 200, 500, 260);
    bar.m_recentDockInfo.m_dwRecentAlignmentToFrame = CBRS_ALIGN_BOTTOM;
    bar.m_recentDockInfo.m_nRecentRowIndex = 2;
    bar.SetMRUWidth(140);
    ASSERT_TRUE(bar.SaveState(profile));

    const CString key = profile + "SPControlBar-77";
    EXPECT_EQ(ReadDword(key, "ID"), 77);
    EXPECT_EQ(ReadDword(key, "RecentFrameAlignment"), CBRS_ALIGN_BOTTOM);
    EXPECT_EQ(ReadDword(key, "RecentRowIndex"), 2);
    EXPECT_EQ(ReadDword(key, "IsFloating"), 0);
    EXPECT_EQ(ReadDword(key, "MRUWidth"), 140);
    EXPECT_EQ(ReadDword(key, "PinState"), 0);
    // The base bar adds the visibility under its own key name.
    EXPECT_EQ(ReadDword(profile + "SPBaseControlBar-77", "IsVisible"), 1);

    CSPControlBar restored;
    ASSERT_TRUE(restored.Create(NULL, WS_CHILD, CRect(0, 0, 10, 10), pFrame, 77));
    ASSERT_TRUE(restored.LoadState(profile));
    EXPECT_EQ(restored.m_recentDockInfo.m_rectRecentFloatingRect, CRect(300, 200, 500, 260));
    // The docked rectangle is the one in the dock site when saved.
    EXPECT_EQ(restored.GetLoadedDockedRect(), CRect(10, 10, 110, 40));
    EXPECT_EQ(restored.m_recentDockInfo.GetRect(TRUE), CRect(10, 10, 110, 40));
    EXPECT_EQ(restored.m_recentDockInfo.m_dwRecentAlignmentToFrame, (DWORD)CBRS_ALIGN_BOTTOM);
    EXPECT_EQ(restored.m_recentDockInfo.m_nRecentRowIndex, 2);
    EXPECT_EQ(restored.GetMRUWidth(), 140);
    EXPECT_FALSE(restored.GetLoadedFloatingFlag());
    EXPECT_TRUE(restored.IsRestoredFromRegistry());
    EXPECT_TRUE(restored.GetRecentVisibleState());

    // A damaged side or row is not taken; the rest still is.
    WriteDword(key, "RecentFrameAlignment", 0x12345);
    WriteDword(key, "RecentRowIndex", (DWORD)-3);
    WriteDword(key, "MRUWidth", 90);
    ASSERT_TRUE(restored.LoadState(profile));
    EXPECT_EQ(restored.m_recentDockInfo.m_dwRecentAlignmentToFrame, (DWORD)CBRS_ALIGN_BOTTOM);
    EXPECT_EQ(restored.m_recentDockInfo.m_nRecentRowIndex, 2);
    EXPECT_EQ(restored.GetMRUWidth(), 90);
    DeleteTree(profile);
}

TEST_F(ControlBarFixture, MissingKeyLeavesEverythingAsItWas) {
    const CString profile = ProfilePath("missing");
    DeleteTree(profile);
    // Only the base bar's key exists: it is not read either.
    WriteDword(profile + "SPBaseControlBar-78", "IsVisible", 1);

    CSPControlBar bar;
    ASSERT_TRUE(bar.Create(NULL, WS_CHILD, CRect(0, 0, 10, 10), pFrame, 78));
    const CRect rectFloat = bar.m_recentDockInfo.m_rectRecentFloatingRect;
    EXPECT_FALSE(bar.LoadState(profile));
    EXPECT_FALSE(bar.IsRestoredFromRegistry());
    EXPECT_FALSE(bar.GetRecentVisibleState());
    EXPECT_EQ(bar.m_recentDockInfo.m_rectRecentFloatingRect, rectFloat);
    EXPECT_EQ(bar.m_recentDockInfo.m_dwRecentAlignmentToFrame, (DWORD)CBRS_ALIGN_LEFT);
    DeleteTree(profile);
}

TEST_F(ControlBarFixture, DefaultKeyIsBelowTheControlBarsSection) {
    CSPControlBar bar;
    ASSERT_TRUE(bar.Create(NULL, WS_CHILD, CRect(0, 0, 10, 10), pFrame, 79));
    ASSERT_TRUE(bar.SaveState(NULL, 4, 0xAB));
    const CString base = "SOFTWARE\\TomewiseTests\\UilibDockingTests\\";
    EXPECT_EQ(ReadDword(base + "SControlBars\\SPControlBar-4ab", "ID"), 79);
    EXPECT_EQ(ReadDword(base + "SPBaseControlBars\\SPBaseControlBar-4ab", "IsVisible"), 0);
    DeleteTree(base + "SControlBars");
    DeleteTree(base + "SPBaseControlBars");
}

TEST_F(ControlBarFixture, RecentDockInfoRecordsAndCopies) {
    CSPControlBar bar;
    ASSERT_TRUE(bar.Create(NULL, WS_CHILD, CRect(5, 6, 85, 36), pFrame, 80));
    CSPRecentDockInfo& info = bar.m_recentDockInfo;

    info.Init();
    EXPECT_EQ(info.m_rectRecentFloatingRect, CRect(10, 10, 110, 110));
    EXPECT_EQ(info.m_dwRecentAlignmentToFrame, (DWORD)CBRS_ALIGN_LEFT);
    for (BOOL bDocked : {TRUE, FALSE}) {
        EXPECT_EQ(info.GetRect(bDocked), CRect(0, 0, 30, 30));
        EXPECT_EQ(info.GetWeight(bDocked), 50);
        EXPECT_EQ(info.GetPosition(bDocked), 1);
        EXPECT_EQ(info.GetContainer(bDocked), nullptr);
        EXPECT_EQ(info.GetTabbedContainer(bDocked), nullptr);
    }
    EXPECT_EQ(info.GetSlider(), nullptr);

    // Neither in a mini frame nor on a slider: a floating placement without
    // container, at the bar's window rectangle.
    info.StoreDockInfo(NULL);
    CRect rectWnd;
    bar.GetWindowRect(rectWnd);
    EXPECT_EQ(info.GetRect(FALSE), rectWnd);
    EXPECT_EQ(info.GetContainer(FALSE), nullptr);
    EXPECT_EQ(info.m_hRecentMiniFrame, (HWND)NULL);

    CList<UINT, UINT> ids;
    ids.AddTail(3);
    ids.AddTail(9);
    info.SetSiblingIds(ids, TRUE);
    ids.AddTail(12);  // a copy was taken
    EXPECT_EQ(info.GetSiblingIds(TRUE).GetCount(), 2);
    EXPECT_EQ(info.GetSiblingIds(FALSE).GetCount(), 0);

    // Each half is copied on its own.
    CSPRecentDockInfo other(NULL);
    other.m_dwRecentAlignmentToFrame = CBRS_ALIGN_RIGHT;
    other.m_rectRecentFloatingRect = CRect(1, 2, 3, 4);
    other.GetRect(TRUE) = CRect(7, 7, 70, 70);
    other.m_recentSliderInfo.m_nRecentPosition = 5;
    info.CopyFrom(TRUE, other);
    EXPECT_EQ(info.m_dwRecentAlignmentToFrame, (DWORD)CBRS_ALIGN_RIGHT);
    EXPECT_EQ(info.GetRect(TRUE), CRect(7, 7, 70, 70));
    EXPECT_EQ(info.GetSiblingIds(TRUE).GetCount(), 0);
    EXPECT_EQ(info.GetPosition(TRUE), 1);  // the position is not copied
    EXPECT_EQ(info.m_rectRecentFloatingRect, CRect(10, 10, 110, 110));
    info.CopyFrom(FALSE, other);
    EXPECT_EQ(info.m_rectRecentFloatingRect, CRect(1, 2, 3, 4));
    EXPECT_EQ(info.GetRect(FALSE), CRect(0, 0, 30, 30));
}

namespace {

// A bar that keeps its borders and gripper outside the client area.
class CBorderedBar : public CSPControlBar {
public:
    CBorderedBar() : m_helper(this) {}
    CSPBarBorderHelper m_helper;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_NCCALCSIZE) {
            m_helper.CalcInsideRect(((NCCALCSIZE_PARAMS*)lParam)->rgrc[0]);
            return 0;
        }
        if (message == WM_NCPAINT) {
            m_helper.DrawBorders();
            return 0;
        }
        return CSPControlBar::WindowProc(message, wParam, lParam);
    }
};

// A frame that records the bars' context-menu requests.
class CMenuFrame : public CSPFrameWnd {
public:
    static UINT s_nMsg;
    WPARAM m_wParam = 0;
    LPARAM m_lParam = 0;
    int m_nCount = 0;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == s_nMsg) {
            m_wParam = wParam;
            m_lParam = lParam;
            m_nCount++;
            return 0;
        }
        return CSPFrameWnd::WindowProc(message, wParam, lParam);
    }
};
UINT CMenuFrame::s_nMsg = ::RegisterWindowMessage(_T("STOOLBAR_POPUPMENU"));

}  // namespace

TEST_F(ControlBarFixture, BorderHelperKeepsBordersAndGripperOutsideTheClient) {
    CBorderedBar bar;
    bar.SetControlBarStyle(CBRS_ALIGN_TOP | CBRS_GRIPPER);
    ASSERT_TRUE(bar.Create(NULL, WS_CHILD | WS_VISIBLE, CRect(0, 0, 100, 30), pFrame, 1));
    bar.SetWindowPos(NULL, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
    CRect rectClient;
    bar.GetClientRect(rectClient);
    EXPECT_EQ(rectClient.Size(), CSize(100 - 6 - 6 - 7, 30 - 2 - 2));

    // The gripper is the part left of the client area.
    CRect rectGripper;
    bar.m_helper.GetGripperRect(rectGripper, FALSE);
    EXPECT_EQ(rectGripper, CRect(0, 0, 12, 30));
    bar.m_helper.GetGripperRect(rectGripper, TRUE);
    EXPECT_EQ(rectGripper, CRect(-13, -2, -1, 28));

    // Vertical: above the client area.
    bar.SetCurrentAlignment(CBRS_ALIGN_LEFT);
    bar.SetWindowPos(NULL, 0, 0, 30, 100, SWP_NOMOVE | SWP_NOZORDER | SWP_FRAMECHANGED);
    bar.GetClientRect(rectClient);
    EXPECT_EQ(rectClient.Size(), CSize(30 - 2 - 2, 100 - 6 - 6 - 7));
    bar.m_helper.GetGripperRect(rectGripper, FALSE);
    EXPECT_EQ(rectGripper, CRect(0, 0, 30, 12));
    bar.m_helper.DrawBorders();  // draws through the current visual manager
}

TEST(ControlBarMenu, ContextMenuGoesToTheFrameUnlessCustomising) {
    CMenuFrame* pFrame = new CMenuFrame;
    ASSERT_TRUE(pFrame->Create(NULL, _T("menu"), WS_OVERLAPPEDWINDOW, CRect(0, 0, 400, 300)));
    CSPControlBar bar;
    ASSERT_TRUE(bar.Create(NULL, WS_CHILD | WS_VISIBLE, CRect(0, 0, 100, 30), pFrame, 1));

    bar.SendMessage(WM_CONTEXTMENU, (WPARAM)bar.GetSafeHwnd(), MAKELPARAM(120, 340));
    EXPECT_EQ(pFrame->m_nCount, 1);
    EXPECT_EQ(pFrame->m_wParam, (WPARAM)bar.GetSafeHwnd());
    EXPECT_EQ(pFrame->m_lParam, MAKELPARAM(120, 340));

    g_bCustomizeMode = TRUE;
    bar.SendMessage(WM_CONTEXTMENU, (WPARAM)bar.GetSafeHwnd(), MAKELPARAM(1, 1));
    g_bCustomizeMode = FALSE;
    EXPECT_EQ(pFrame->m_nCount, 1);
    pFrame->DestroyWindow();
}

TEST_F(ControlBarFixture, MoveToAlignmentMovesAcrossTheSide) {
    CSPControlBar bar;
    ASSERT_TRUE(bar.Create(NULL, WS_CHILD, CRect(10, 20, 60, 50), pFrame, 1));
    struct {
        DWORD dwAlign;
        CPoint ptExpected;
    } cases[] = {{CBRS_ALIGN_LEFT, CPoint(15, 20)}, {CBRS_ALIGN_TOP, CPoint(15, 27)},
                 {CBRS_ALIGN_RIGHT, CPoint(20, 27)}, {CBRS_ALIGN_BOTTOM, CPoint(20, 34)}};
    for (auto& c : cases) {
        bar.MoveToAlignment(c.dwAlign, CSize(5, 7));
        CRect rect;
        bar.GetWindowRect(rect);
        pFrame->ScreenToClient(rect);
        EXPECT_EQ(rect.TopLeft(), c.ptExpected) << std::hex << c.dwAlign;
        EXPECT_EQ(rect.Size(), CSize(50, 30));
    }
}

TEST_F(ControlBarFixture, ElementBlockParentChangeAndSize) {
    CSizedBar bar;
    bar.m_sizeWanted = CSize(80, 24);
    ASSERT_TRUE(bar.Create(NULL, WS_CHILD, CRect(0, 0, 10, 10), pFrame, 1));

    ASSERT_TRUE(bar.AllocElements(4, 8));
    EXPECT_EQ(bar.GetElementCount(), 4);
    const BYTE* p = (const BYTE*)bar.GetElements();
    for (int i = 0; i < 32; i++) ASSERT_EQ(p[i], 0) << i;
    // A block too large to have leaves none, without a crash.
    EXPECT_FALSE(bar.AllocElements(0x7FFFFFFF, 0x7FFFFFFF));
    EXPECT_EQ(bar.GetElements(), nullptr);
    EXPECT_EQ(bar.GetElementCount(), 0);
    EXPECT_TRUE(bar.AllocElements(0, 8));

    // The wanted size is applied.
    bar.AdjustSize();
    CRect rect;
    bar.GetWindowRect(rect);
    EXPECT_EQ(rect.Size(), CSize(80, 24));

    // A new parent that is no dock bar: the bar is in no dock bar or row.
    bar.SetParentDockBar(reinterpret_cast<CSPDockBar*>(&bar));
    bar.SetDockBarRow(reinterpret_cast<CSPDockBarRow*>(&bar));
    CWnd host;
    ASSERT_TRUE(host.CreateEx(0, BarClass(), _T(""), WS_CHILD, CRect(0, 0, 200, 200), pFrame, 9));
    bar.ChangeParent(&host);
    EXPECT_EQ(bar.GetParent(), &host);
    EXPECT_EQ(bar.GetParentDockBar(), nullptr);
    EXPECT_EQ(bar.GetDockBarRow(), nullptr);

    bar.SetCurrentAlignment(CBRS_ALIGN_LEFT);
    bar.OnAfterFloat();
    EXPECT_EQ(bar.GetCurrentAlignment(), (DWORD)CBRS_ALIGN_TOP);
    BOOL bHandled = TRUE;
    EXPECT_EQ(bar.DockOnDrag(bHandled), &bar);
    EXPECT_FALSE(bHandled);
}
