// The library's MDI document window: its own dock manager and the bars
// docked in it (floating switched off in documents unless allowed), the
// view below them, the tab's label and icon following the window, and a
// move that keeps the size leaving the bars alone.
#include "afxwin.h"
#include <gtest/gtest.h>

#include <vector>

#include "FrameTestBars.h"
#include "MessagePump.h"
#include "SPMDIChildWnd.h"
#include "SPMDIFrameWnd.h"
#include "SPToolBar.h"
#include "SPToolbarButton.h"

namespace {

struct MdiChildFixture : ::testing::Test {
    CSPMDIFrameWnd* pFrame = NULL;
    CSPMDIChildWnd* pChild = NULL;
    CSPToolBar bar;
    CWnd view;

    void SetUp() override {
        CSPMDIChildWnd::m_bEnableFloatingBars = FALSE;
        pFrame = new CSPMDIFrameWnd;
        ASSERT_TRUE(pFrame->Create(NULL, _T("mdi test"), WS_OVERLAPPEDWINDOW, CRect(10, 10, 650, 490)));
        pFrame->ShowWindow(SW_SHOWNOACTIVATE);
        pChild = new CSPMDIChildWnd;
        ASSERT_TRUE(pChild->Create(NULL, _T("Document"), WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW,
                                   CRect(0, 0, 400, 300), pFrame));
        ASSERT_TRUE(view.Create(_T("STATIC"), _T(""), WS_CHILD | WS_VISIBLE, CRect(0, 0, 10, 10), pChild,
                                AFX_IDW_PANE_FIRST));
        ASSERT_TRUE(MakeRunToolbar(bar, pChild, 0x7601, 0x7602));
        pChild->EnableDocking(CBRS_ALIGN_ANY);
    }
    void TearDown() override {
        CSPMDIChildWnd::m_bEnableFloatingBars = FALSE;
        if (pFrame != NULL && pFrame->GetSafeHwnd() != NULL) pFrame->DestroyWindow();
    }
    CRect InChild(CWnd& wnd) { return RectIn(pChild, &wnd); }
};

TEST_F(MdiChildFixture, BarsDockedInADocumentFloatOnlyWhenAllowed) {
    for (BOOL bAllow : {FALSE, TRUE}) {
        SCOPED_TRACE(bAllow ? "allowed" : "not allowed");
        CSPMDIChildWnd::m_bEnableFloatingBars = bAllow;
        bar.SetSPBarStyle(SPCBRS_FLOAT | SPCBRS_RESIZE);
        pChild->DockControlBar(&bar);
        EXPECT_EQ(bAllow, bar.CanFloat());
        EXPECT_TRUE(pChild->GetDockManager()->FindDockBarByID(&bar) != NULL);  // docked in the document
    }
}

TEST_F(MdiChildFixture, ABarThatNeitherFloatsNorResizesIsOnlyAdded) {
    bar.SetSPBarStyle(SPCBRS_FLOAT);
    pChild->DockControlBar(&bar);  // loses floating, cannot be resized
    EXPECT_FALSE(bar.CanFloat());
    EXPECT_TRUE(pChild->GetDockManager()->IsBarKnown(&bar));
    EXPECT_EQ(pChild, bar.GetParent());
    // Laid out by the document's own dock manager, above the view.
    pChild->RecalcLayout();
    PumpPending();
    EXPECT_EQ(0, InChild(bar).top);
    EXPECT_EQ(InChild(bar).bottom, InChild(view).top);
    EXPECT_TRUE((view.GetStyle() & WS_CLIPSIBLINGS) != 0);
}

TEST_F(MdiChildFixture, TheTabLabelAndIconFollowTheWindow) {
    EXPECT_EQ(_T("Document"), pChild->GetFrameText());
    pChild->SetWindowText(_T("Renamed"));
    EXPECT_EQ(_T("Renamed"), pChild->GetFrameText());
    HICON hIcon = ::LoadIcon(NULL, IDI_INFORMATION);
    pChild->SendMessage(WM_SETICON, ICON_SMALL, (LPARAM)hIcon);
    EXPECT_EQ(hIcon, pChild->GetFrameIcon());
    EXPECT_EQ(pFrame, pChild->GetMDIFrameWnd());
}

TEST_F(MdiChildFixture, AMoveThatKeepsTheSizeLeavesTheBarsAlone) {
    pChild->AddControlBar(&bar);
    pChild->RecalcLayout();
    bar.SetWindowPos(NULL, 30, 30, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    CRect rect;
    pChild->GetWindowRect(rect);
    CRect rectMoved = rect + CPoint(15, 10);
    pChild->SendMessage(WM_SIZING, WMSZ_BOTTOMRIGHT, (LPARAM)&rectMoved);
    EXPECT_EQ(30, InChild(bar).left);
    CRect rectWider = rect;
    rectWider.right += 40;
    pChild->SendMessage(WM_SIZING, WMSZ_RIGHT, (LPARAM)&rectWider);
    EXPECT_EQ(0, InChild(bar).left);
}

}  // namespace

namespace {

TEST_F(MdiChildFixture, ADocumentTakesItsFloatingBarsWithIt) {
    CSPMDIChildWnd::m_bEnableFloatingBars = TRUE;
    bar.SetSPBarStyle(SPCBRS_FLOAT | SPCBRS_RESIZE);
    pChild->DockControlBar(&bar);
    ASSERT_TRUE(bar.FloatControlBar(CRect(300, 300, 420, 340), SP_DM_RECT, true));
    PumpPending();
    CWnd* pMiniFrame = bar.GetParentMiniFrameWnd();
    ASSERT_TRUE(pMiniFrame != NULL);
    const HWND hMiniFrame = pMiniFrame->GetSafeHwnd();
    // The floating frame is a window of its own, no child of the document.
    EXPECT_FALSE(::IsChild(pChild->GetSafeHwnd(), hMiniFrame));
    pChild->MDIDestroy();
    pChild = NULL;
    PumpPending();
    EXPECT_FALSE(::IsWindow(hMiniFrame));
    EXPECT_EQ(NULL, bar.GetSafeHwnd());
}

TEST_F(MdiChildFixture, TheTabsFollowRenamingAndActivation) {
    pFrame->EnableMDITabs(TRUE, TRUE, CSPTabWnd::LOCATION_TOP);
    CSPTabWnd& tabs = pFrame->GetClientArea().GetMDITabs();
    auto label = [&](CWnd* pWnd) {
        CString strLabel;
        tabs.GetTabLabel(tabs.GetTabFromHwnd(pWnd->GetSafeHwnd()), strLabel);
        return strLabel;
    };
    pChild->SetWindowText(_T("Renamed"));
    EXPECT_EQ(_T("Renamed"), label(pChild));

    CSPMDIChildWnd* pSecond = new CSPMDIChildWnd;
    ASSERT_TRUE(pSecond->Create(NULL, _T("Second"), WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW,
                                CRect(20, 20, 300, 200), pFrame));
    PumpPending();
    ASSERT_EQ(2, tabs.GetTabsNum());
    // Activated by the MDI client, by the keyboard's next window or by a
    // click: the tab follows.
    pFrame->MDIActivate(pChild);
    EXPECT_EQ(pChild, tabs.GetActiveWnd());
    pFrame->MDINext();
    EXPECT_EQ(pFrame->MDIGetActive(), tabs.GetActiveWnd());
}

}  // namespace
