// The status bar in a hidden library frame: pane geometry and addressing,
// the size grip, progress panes and the text messages of pane id 0.
#include "afxwin.h"
#include <gtest/gtest.h>

#include <commctrl.h>

#include <memory>

#include "MessagePump.h"
#include "SPFrameWnd.h"
#include "SPStatusBar.h"
#include "WindowPicture.h"

namespace {

const UINT ID_CAP = 0x7101;
const UINT ID_NUM = 0x7102;

struct StatusFixture : ::testing::Test {
    CSPFrameWnd* pFrame = NULL;
    CSPStatusBar bar;

    void MakeFrame(DWORD dwStyle = WS_OVERLAPPEDWINDOW) {
        pFrame = new CSPFrameWnd;
        ASSERT_TRUE(pFrame->Create(NULL, _T("status test"), dwStyle, CRect(40, 40, 640, 440)));
        ASSERT_TRUE(bar.Create(pFrame));
        pFrame->RecalcLayout();
    }
    void Layout() {
        pFrame->RecalcLayout();
        PumpPending();
    }
    void TearDown() override {
        if (bar.GetSafeHwnd() != NULL) bar.DestroyWindow();
        if (pFrame != NULL && pFrame->GetSafeHwnd() != NULL) pFrame->DestroyWindow();
    }
    CRect Inside() {
        CRect rect;
        bar.GetClientRect(rect);
        bar.CalcInsideRect(rect, TRUE);
        return rect;
    }
    CRect Pane(int i) {
        CRect rect;
        bar.GetItemRect(i, rect);
        return rect;
    }
};

TEST_F(StatusFixture, OneIdZeroIsABorderlessStretchPaneUpToTheGrip) {
    MakeFrame();
    const UINT ids[] = {0};
    ASSERT_TRUE(bar.SetIndicators(ids, 1));
    Layout();
    ASSERT_FALSE(bar.IsSizeGripHidden());
    EXPECT_EQ(SBPS_STRETCH | SBPS_NOBORDERS, bar.GetPaneStyle(0));
    const CRect grip = bar.GetSizeGripRect();
    ASSERT_FALSE(grip.IsRectEmpty());
    EXPECT_EQ(Inside().left, Pane(0).left);
    EXPECT_EQ(grip.left, Pane(0).right);
    EXPECT_EQ(Inside().right, grip.right);
    // The bar has the height of its font plus the pane frame.
    EXPECT_GT(bar.CalcFixedLayout(FALSE, TRUE).cy, 4);
}

TEST_F(StatusFixture, OnlyTheFirstIdZeroStretchesAndIndex255AddressesIt) {
    MakeFrame();
    const UINT ids[] = {ID_CAP, 0, ID_NUM, 0};
    ASSERT_TRUE(bar.SetIndicators(ids, 4));
    Layout();
    EXPECT_EQ(_T("CAP"), bar.GetPaneText(0));
    EXPECT_EQ(_T("NUM LOCK"), bar.GetPaneText(2));
    // Only the first pane of the array may become the stretch pane.
    EXPECT_EQ(0u, bar.GetPaneStyle(1) & SBPS_STRETCH);
    EXPECT_EQ(-1, bar.CommandToIndex(0x7777));
    EXPECT_EQ(1, bar.CommandToIndex(0));
    // No stretch pane: 255 is an ordinary (missing) index.
    EXPECT_EQ(0u, bar.GetItemID(255));
    EXPECT_EQ(-1, bar.GetPaneProgressPos(255));

    const UINT ids2[] = {0, ID_CAP, ID_NUM};
    ASSERT_TRUE(bar.SetIndicators(ids2, 3));
    Layout();
    bar.SetPaneText(255, _T("ready"));
    EXPECT_EQ(_T("ready"), bar.GetPaneText(0));
    // The stretch pane takes what the others leave; they keep their text width.
    CClientDC dc(NULL);
    dc.SelectObject(bar.GetFont());
    EXPECT_EQ(dc.GetTextExtent(_T("CAP")).cx + 4, Pane(1).Width());
    EXPECT_EQ(Pane(0).right + 2, Pane(1).left);
    EXPECT_EQ(bar.GetSizeGripRect().left, Pane(2).right);
    // Bad indices give nothing and change nothing.
    for (int bad : {-1, 3, 254}) {
        EXPECT_EQ(_T(""), bar.GetPaneText(bad));
        EXPECT_FALSE(bar.SetPaneText(bad, _T("x")));
        EXPECT_EQ(0u, bar.GetItemID(bad));
    }
}

TEST_F(StatusFixture, PanesBeyondTheRightLimitGetAZeroRectangle) {
    MakeFrame();
    const UINT ids[] = {ID_CAP, ID_NUM, ID_CAP};
    ASSERT_TRUE(bar.SetIndicators(ids, 3));
    bar.SetPaneWidth(0, 500);
    bar.SetPaneWidth(1, 500);
    Layout();
    const CRect grip = bar.GetSizeGripRect();
    EXPECT_EQ(grip.left, Pane(1).right);  // cut at the limit
    EXPECT_TRUE(Pane(2).IsRectNull());
    EXPECT_EQ(0, bar.GetPaneWidth(2));
    // The width given is that of the contents: the pane adds its frame.
    bar.SetPaneWidth(0, 60);
    EXPECT_EQ(64, bar.GetPaneWidth(0));
}

TEST_F(StatusFixture, TheGripNeedsAResizableFrameThatIsNotMaximised) {
    struct Case {
        DWORD dwStyle;
        bool bMaximise;
        bool bGrip;
    } cases[] = {
        {WS_OVERLAPPEDWINDOW, false, true},
        {WS_OVERLAPPEDWINDOW, true, false},
        {WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.bMaximise ? "maximised" : (c.bGrip ? "resizable" : "fixed frame"));
        MakeFrame(c.dwStyle);
        const UINT ids[] = {0, ID_CAP};
        ASSERT_TRUE(bar.SetIndicators(ids, 2));
        if (c.bMaximise) pFrame->ShowWindow(SW_SHOWMAXIMIZED);
        Layout();
        EXPECT_EQ(!c.bGrip, !!bar.IsSizeGripHidden());
        EXPECT_EQ(!c.bGrip, !!bar.GetSizeGripRect().IsRectEmpty());
        const CRect inside = Inside();
        if (c.bGrip) {
            EXPECT_EQ(bar.GetSizeGripRect().left, Pane(1).right);
            CPoint pt(inside.right - 2, inside.bottom - 2);
            bar.ClientToScreen(&pt);
            EXPECT_EQ(HTBOTTOMRIGHT, bar.SendMessage(WM_NCHITTEST, 0, MAKELPARAM(pt.x, pt.y)));
        } else {
            // Without the grip the panes take its room too.
            EXPECT_EQ(inside.right, Pane(1).right);
        }
        TearDown();
        pFrame = NULL;
    }
}

TEST_F(StatusFixture, ProgressPanesClampAndAGradientShowsNoPercent) {
    MakeFrame();
    const UINT ids[] = {0, ID_CAP};
    ASSERT_TRUE(bar.SetIndicators(ids, 2));
    bar.EnablePaneProgressBar(1, 50, TRUE);
    SPStatusBarPane* pPane = bar._GetPanePtr(1);
    EXPECT_TRUE(pPane->bProgressText);
    bar.SetPaneProgressPos(1, 80);
    EXPECT_EQ(50, bar.GetPaneProgressPos(1));
    bar.SetPaneProgressPos(1, -3);
    EXPECT_EQ(0, bar.GetPaneProgressPos(1));
    bar.SetPaneProgressPos(1, 20);
    EXPECT_EQ(20, bar.GetPaneProgressPos(1));
    bar.EnablePaneProgressBar(1, 100, TRUE, RGB(0, 0, 255), RGB(0, 255, 0));
    EXPECT_FALSE(pPane->bProgressText);
    EXPECT_EQ(0, bar.GetPaneProgressPos(1));  // a new bar starts at 0
    bar.RedrawWindow();
    bar.EnablePaneProgressBar(1, 0);
    EXPECT_EQ(0, pPane->nProgressTotal);
    // Back to a text pane: the text drawn again.
    EXPECT_EQ(_T("CAP"), bar.GetPaneText(1));
}

TEST_F(StatusFixture, WindowTextGoesToThePaneWithIdZero) {
    MakeFrame();
    const UINT noZero[] = {ID_CAP};
    ASSERT_TRUE(bar.SetIndicators(noZero, 1));
    EXPECT_EQ(-1, bar.SendMessage(WM_SETTEXT, 0, (LPARAM) _T("lost")));
    char buf[16] = "xxxx";
    EXPECT_EQ(1, bar.SendMessage(WM_GETTEXT, sizeof(buf), (LPARAM)buf));
    EXPECT_STREQ("", buf);

    const UINT ids[] = {ID_CAP, 0};
    ASSERT_TRUE(bar.SetIndicators(ids, 2));
    EXPECT_EQ(0, bar.SendMessage(WM_SETTEXT, 0, (LPARAM) _T("Ready")));
    EXPECT_EQ(_T("Ready"), bar.GetPaneText(1));
    EXPECT_EQ(5, bar.SendMessage(WM_GETTEXTLENGTH));
    EXPECT_EQ(0, bar.SendMessage(WM_GETTEXT, 0, (LPARAM)buf));
    strcpy(buf, "xxxx");
    EXPECT_EQ(1, bar.SendMessage(WM_GETTEXT, 1, (LPARAM)buf));
    EXPECT_EQ('\0', buf[0]);
    EXPECT_EQ(4, bar.SendMessage(WM_GETTEXT, 4, (LPARAM)buf));
    EXPECT_STREQ("Rea", buf);
    EXPECT_EQ(6, bar.SendMessage(WM_GETTEXT, sizeof(buf), (LPARAM)buf));
    EXPECT_STREQ("Ready", buf);
    // The same text again is accepted without a change; empty stores none.
    EXPECT_TRUE(bar.SetPaneText(1, _T("Ready")));
    EXPECT_TRUE(bar.SetPaneText(1, _T("")));
    EXPECT_EQ(NULL, bar._GetPanePtr(1)->lpszText);
}

TEST_F(StatusFixture, TooltipsIconsAndAnimationsLiveWithThePane) {
    MakeFrame();
    const UINT ids[] = {0, ID_CAP};
    ASSERT_TRUE(bar.SetIndicators(ids, 2));
    bar.SetPaneTipText(1, _T("Caps lock"));
    EXPECT_NE(0u, bar.GetControlBarStyle() & CBRS_TOOLTIPS);
    EXPECT_EQ(_T("Caps lock"), bar.GetPaneTipText(1));
    Layout();
    TOOLINFO ti = {};
    ti.cbSize = sizeof(ti);
    EXPECT_EQ((INT_PTR)ID_CAP, bar.OnToolHitTest(Pane(1).CenterPoint(), &ti));
    EXPECT_STREQ("Caps lock", ti.lpszText);
    EXPECT_EQ(Pane(1), CRect(ti.rect));
    free(ti.lpszText);
    EXPECT_EQ(-1, bar.OnToolHitTest(Pane(0).CenterPoint(), NULL));

    // An icon makes room before the text and keeps it when removed.
    const int cxBefore = Pane(1).Width();
    bar.SetPaneIcon(1, ::LoadIcon(NULL, IDI_APPLICATION));
    const int cxIcon = bar._GetPanePtr(1)->cxIcon;
    ASSERT_GT(cxIcon, 0);
    EXPECT_EQ(cxBefore + cxIcon + 4, Pane(1).Width());
    bar.SetPaneIcon(1, NULL);
    EXPECT_EQ(NULL, bar._GetPanePtr(1)->hImage);
    EXPECT_EQ(cxBefore + cxIcon + 4, Pane(1).Width());

    // Animation: the timer of the pane's id steps and wraps the frames.
    HIMAGELIST hList = ImageList_Create(8, 8, ILC_COLORDDB | ILC_MASK, 3, 1);
    for (int i = 0; i < 3; i++) ImageList_AddIcon(hList, ::LoadIcon(NULL, IDI_APPLICATION));
    bar.SetPaneAnimation(1, hList, 10);
    ImageList_Destroy(hList);  // the pane keeps its own copy
    SPStatusBarPane* pPane = bar._GetPanePtr(1);
    EXPECT_EQ(3, pPane->nFrameCount);
    for (int step : {1, 2, 0}) {
        bar.SendMessage(WM_TIMER, ID_CAP);
        EXPECT_EQ(step, pPane->nCurrFrame);
    }
    bar.RedrawWindow();
    bar.DestroyWindow();  // releases texts, tips and images
}

TEST_F(StatusFixture, DoubleClickCommandsGoToTheOwner) {
    MakeFrame();
    const UINT ids[] = {0, ID_CAP};
    ASSERT_TRUE(bar.SetIndicators(ids, 2));
    Layout();
    bar.SetDoubleClickCommands(TRUE);
    const CPoint pt = Pane(1).CenterPoint();
    bar.SendMessage(WM_LBUTTONDBLCLK, 0, MAKELPARAM(pt.x, pt.y));
    MSG msg;
    ASSERT_TRUE(::PeekMessage(&msg, pFrame->GetSafeHwnd(), WM_COMMAND, WM_COMMAND, PM_REMOVE));
    EXPECT_EQ(ID_CAP, (UINT)msg.wParam);
}

}  // namespace

namespace {

// A picture of a status bar for the docs, when TW_FRAMES_SCREENSHOT names
// the file: a text, a gradient and a percent progress pane, an icon pane and
// the grip.
TEST_F(StatusFixture, Picture) {
    const char* pszPicture = getenv("TW_FRAMES_SCREENSHOT");
    if (pszPicture == NULL || *pszPicture == 0) return;
    MakeFrame();
    const UINT ids[] = {0, ID_CAP, ID_NUM, ID_CAP};
    ASSERT_TRUE(bar.SetIndicators(ids, 4));
    bar.SetPaneWidth(0, 150);  // the stretch pane grows from there
    bar.SetPaneWidth(1, 120);
    bar.EnablePaneProgressBar(1, 100, FALSE, RGB(40, 90, 200), RGB(150, 200, 255));
    bar.SetPaneProgressPos(1, 60);
    bar.SetPaneWidth(2, 90);
    bar.EnablePaneProgressBar(2, 100, TRUE);
    bar.SetPaneProgressPos(2, 35);
    bar.SetPaneIcon(3, ::LoadIcon(NULL, IDI_INFORMATION));
    bar.SetPaneTextColor(3, RGB(160, 0, 0));
    bar.SetPaneWidth(3, bar._GetPanePtr(3)->cxIcon + 4 + 30);
    pFrame->SetWindowPos(&CWnd::wndTopMost, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
    Layout();
    pFrame->RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    PumpPending();
    ::Sleep(300);
    PumpPending();
    // The frame's idle message has gone to the pane of id 0 by now.
    bar.SetPaneText(255, _T("Converting the help file to PDF..."));
    EXPECT_TRUE(WriteWindowBitmap(pFrame->GetSafeHwnd(), pszPicture, TRUE));
}

}  // namespace
