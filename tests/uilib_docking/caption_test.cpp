// The caption bar (its height, its button's command, its context-menu
// request) and the library's mouse-leave notification.
#include "layout_support.h"

#include "SPCaptionBar.h"
#include "SPGlobalData.h"
#include "SPToolBar.h"
#include "SPTrackMouse.h"

using namespace docktest;

namespace {

// A frame that records the commands and bars-menu requests it gets.
class CRecordingFrame : public CSPFrameWnd {
public:
    std::vector<UINT> commands;
    std::vector<std::pair<HWND, LPARAM>> menuRequests;

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override {
        commands.push_back(LOWORD(wParam));
        return CSPFrameWnd::OnCommand(wParam, lParam);
    }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == CSPBaseControlBar::GetPopupMenuMessage()) {
            menuRequests.push_back({(HWND)wParam, lParam});
            return 0;
        }
        return CSPFrameWnd::WindowProc(message, wParam, lParam);
    }
};

struct CaptionFixture : ::testing::Test {
    CRecordingFrame* pFrame = NULL;
    CSPCaptionBar* pBar = NULL;

    void SetUp() override {
        pFrame = new CRecordingFrame;
        ASSERT_TRUE(pFrame->Create(NULL, _T("caption"), WS_OVERLAPPEDWINDOW, CRect(60, 60, 560, 360)));
        pFrame->ShowWindow(SW_SHOWNOACTIVATE);
        pBar = new CSPCaptionBar;
        ASSERT_TRUE(pBar->Create(WS_CHILD | WS_VISIBLE, pFrame, 0x3001));
        pFrame->RecalcLayout();
    }
    void TearDown() override {
        if (pFrame != NULL && pFrame->GetSafeHwnd() != NULL) pFrame->DestroyWindow();
        delete pBar;
    }
    int TextHeight() {
        CClientDC dc(pBar);
        CFont* pOld = dc.SelectObject(&spGlobalData.fontRegular);
        TEXTMETRIC tm;
        dc.GetTextMetrics(&tm);
        dc.SelectObject(pOld);
        return tm.tmHeight;
    }
};

}  // namespace

TEST_F(CaptionFixture, AnEmptyBarIsAsHighAsItsBordersAndOneLineOfText) {
    EXPECT_EQ(pBar->GetBarHeight(), 4 + 2 * 4 + TextHeight());
    EXPECT_TRUE(pFrame->GetDockManager()->IsBarKnown(pBar));
    // It spans the frame at the top; the view area starts below it.
    CRect rect = FrameRect(pFrame, pBar), rectClient;
    pFrame->GetClientRect(rectClient);
    EXPECT_EQ(rect, CRect(0, 0, rectClient.right, pBar->GetBarHeight()));
    EXPECT_EQ(pFrame->GetDockManager()->GetClientAreaBounds().top, pBar->GetBarHeight());
    // Its client area lies inside the borders above and below.
    CRect rectInside;
    pBar->GetClientRect(rectInside);
    EXPECT_EQ(rectInside.Height(), pBar->GetBarHeight() - 2 * 4);
}

TEST_F(CaptionFixture, ElementsStandLeftRightOrCentredWithoutOverlap) {
    pBar->SetText(_T("Contents of the help file"), CSPCaptionBar::ALIGN_LEFT);
    pBar->SetButton(_T("Options"), 0x7100, CSPCaptionBar::ALIGN_RIGHT);
    CRect rectClient;
    pBar->GetClientRect(rectClient);
    CRect rectText = pBar->GetTextRect(), rectButton = pBar->GetButtonRect(), rectOverlap;
    EXPECT_EQ(rectText.left, 4);
    EXPECT_EQ(rectButton.right, rectClient.right - 4);
    EXPECT_FALSE(rectOverlap.IntersectRect(rectText, rectButton));
    EXPECT_EQ(pBar->GetAlignment(CSPCaptionBar::ELEM_BUTTON), CSPCaptionBar::ALIGN_RIGHT);

    pBar->SetText(_T("Centre"), CSPCaptionBar::ALIGN_CENTER);
    rectText = pBar->GetTextRect();
    EXPECT_LE(abs(rectText.CenterPoint().x - rectClient.CenterPoint().x), 1);
}

TEST_F(CaptionFixture, TheButtonSendsItsCommandWhenHotAndEnabledOnly) {
    pBar->SetButton(_T("Go"), 0x7101);
    CRect rectButton = pBar->GetButtonRect();
    const LPARAM lInside = MAKELPARAM(rectButton.CenterPoint().x, rectButton.CenterPoint().y);
    // Not hot yet: a press sends nothing.
    pBar->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, lInside);
    pBar->SendMessage(WM_LBUTTONUP, 0, lInside);
    EXPECT_TRUE(pFrame->commands.empty());

    pBar->SendMessage(WM_MOUSEMOVE, 0, lInside);
    EXPECT_TRUE(pBar->IsButtonHot());
    EXPECT_TRUE(pBar->IsTrackingLeave());
    pBar->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, lInside);
    EXPECT_TRUE(pBar->IsButtonPressed());
    pBar->SendMessage(WM_LBUTTONUP, 0, lInside);
    EXPECT_FALSE(pBar->IsButtonPressed());
    ASSERT_EQ(pFrame->commands.size(), 1u);
    EXPECT_EQ(pFrame->commands[0], 0x7101u);

    // Leaving clears the hot state.
    pBar->SendMessage(WM_MOUSELEAVE, 0, 0);
    EXPECT_FALSE(pBar->IsButtonHot());
    EXPECT_FALSE(pBar->IsTrackingLeave());

    // A disabled button keeps no arrow space and ignores hovering and clicks.
    const int nEnabledWidth = pBar->GetButtonRect().Width();
    pBar->EnableButton(FALSE);
    EXPECT_EQ(pBar->GetButtonRect().Width(), nEnabledWidth - 10);
    rectButton = pBar->GetButtonRect();
    const LPARAM lInsideNow = MAKELPARAM(rectButton.CenterPoint().x, rectButton.CenterPoint().y);
    pBar->SendMessage(WM_MOUSEMOVE, 0, lInsideNow);
    EXPECT_FALSE(pBar->IsButtonHot());
    pBar->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, lInsideNow);
    pBar->SendMessage(WM_LBUTTONUP, 0, lInsideNow);
    EXPECT_EQ(pFrame->commands.size(), 1u);
}

TEST_F(CaptionFixture, ARightClickAsksForTheBarsMenuUnlessCustomising) {
    pBar->SendMessage(WM_RBUTTONUP, 0, MAKELPARAM(10, 5));
    ASSERT_EQ(pFrame->menuRequests.size(), 1u);
    EXPECT_EQ(pFrame->menuRequests[0].first, pBar->GetSafeHwnd());
    CPoint pt(10, 5);
    pBar->ClientToScreen(&pt);
    EXPECT_EQ(pFrame->menuRequests[0].second, MAKELPARAM(pt.x, pt.y));

    g_bCustomizeMode = TRUE;
    pBar->SendMessage(WM_RBUTTONUP, 0, MAKELPARAM(10, 5));
    g_bCustomizeMode = FALSE;
    EXPECT_EQ(pFrame->menuRequests.size(), 1u);
}

TEST(TrackMouse, PostsOneLeaveAfterThePointerLeavesAndNothingWithoutTheLeaveFlag) {
    CMessageCounter wnd(WM_MOUSELEAVE);
    ASSERT_TRUE(wnd.CreateEx(WS_EX_TOPMOST, BarClass(), _T("leave"), WS_POPUP | WS_VISIBLE, CRect(100, 100, 300, 200),
                             NULL, 0));
    TRACKMOUSEEVENT tme = {};
    tme.cbSize = sizeof(tme);
    tme.hwndTrack = wnd.GetSafeHwnd();
    tme.dwFlags = TME_LEAVE;
    ASSERT_TRUE(MoveCursorTo(150, 150));
    EXPECT_TRUE(SPTrackMouse(&tme));
    PumpFor(300);
    EXPECT_EQ(wnd.nCount, 0);  // still inside
    ASSERT_TRUE(MoveCursorTo(400, 400));
    PumpFor(400);
    EXPECT_EQ(wnd.nCount, 1);
    PumpFor(300);
    EXPECT_EQ(wnd.nCount, 1);  // once only

    // Without TME_LEAVE nothing is started.
    ASSERT_TRUE(MoveCursorTo(150, 150));
    tme.dwFlags = TME_HOVER;
    EXPECT_TRUE(SPTrackMouse(&tme));
    ASSERT_TRUE(MoveCursorTo(400, 400));
    PumpFor(400);
    EXPECT_EQ(wnd.nCount, 1);

    // A cancelled request posts nothing.
    ASSERT_TRUE(MoveCursorTo(150, 150));
    tme.dwFlags = TME_LEAVE;
    EXPECT_TRUE(SPTrackMouse(&tme));
    tme.dwFlags = TME_LEAVE | TME_CANCEL;
    EXPECT_TRUE(SPTrackMouse(&tme));
    ASSERT_TRUE(MoveCursorTo(400, 400));
    PumpFor(400);
    EXPECT_EQ(wnd.nCount, 1);

    // Bad requests are refused.
    EXPECT_FALSE(SPTrackMouse(NULL));
    tme.cbSize = 3;
    EXPECT_FALSE(SPTrackMouse(&tme));
    wnd.DestroyWindow();
}
