// Tabbed panes, pinned-away (auto-hide) panes, the docking wrapper and the
// docking state in a shown frame: panes dropped on panes, tabs closed and
// detached, a pane pinned away, slid out and back step by step, a layout
// saved and restored in a new process, and damaged saved values.
#include "afxwin.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ChildProcess.h"
#include "CreationRefusal.h"
#include "SPAutoHideButton.h"
#include "SPAutoHideDockBar.h"
#include "SPAutoHideToolBar.h"
#include "SPDockingCBWrapper.h"
#include "SPMultiMiniFrameWnd.h"
#include "SPTabbedControlBar.h"
#include "SPTabWnd.h"
#include "WindowPicture.h"
#include "panes_support.h"

using namespace panetest;

namespace {

class CStatePane : public CSPDockingControlBar {
public:
    void GetMinSize(CSize& size) const override { size = CSize(20, 20); }
    void PostNcDestroy() override { delete this; }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message != WM_PAINT) return CSPDockingControlBar::WindowProc(message, wParam, lParam);
        CPaintDC dc(this);
        CRect rect;
        GetClientRect(rect);
        dc.FillSolidRect(rect, RGB(255, 255, 255));
        CString strText;
        GetWindowText(strText);
        dc.SetBkMode(TRANSPARENT);
        dc.DrawText(strText, rect, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        return 0;
    }
};

const DWORD dwAllBarStyles = SPCBRS_FLOAT | SPCBRS_AUTOHIDE | SPCBRS_RESIZE | SPCBRS_CLOSE;

CStatePane* NewPane(CFrameWnd* pFrame, UINT nID, CSize size, DWORD dwExtraStyle = 0) {
    CStatePane* pPane = new CStatePane;
    CString strName;
    strName.Format(_T("Pane %u"), nID);
    if (!pPane->Create(strName, pFrame, CRect(CPoint(0, 0), size), TRUE, nID,
                       WS_CHILD | WS_VISIBLE | CBRS_LEFT | dwExtraStyle, 0x20, dwAllBarStyles)) {
        // it has deleted itself (PostNcDestroy)
        return NULL;
    }
    pPane->EnableDocking(CBRS_ALIGN_ANY);
    return pPane;
}

struct TabbedFixture : PanesFixture {
    void SetUp() override {
        PanesFixture::SetUp();
        pFrame->MoveWindow(40, 40, 700, 500);
        ASSERT_TRUE(pManager->EnableAutoHideBars(CBRS_ALIGN_ANY));
        PumpPending();
    }
    CStatePane* Docked(UINT nID, DWORD dwSide, CSize size = CSize(160, 160), DWORD dwStyle = 0) {
        CStatePane* pPane = NewPane(pFrame, nID, size, dwStyle);
        if (pPane == NULL) return NULL;
        if (!pPane->DockToFrameSide(dwSide, FALSE)) return NULL;
        PumpPending();
        return pPane;
    }
    CSPBaseTabbedBar* Tabbed(CSPDockingControlBar* pPane) { return pPane->GetParentTabbedBar(); }
    int CountTopLevel() {
        int n = 0;
        ::EnumThreadWindows(::GetCurrentThreadId(), [](HWND, LPARAM l) -> BOOL { ++*(int*)l; return TRUE; },
                            (LPARAM)&n);
        return n;
    }
    int CountChildren(CWnd* pWnd) {
        int n = 0;
        ::EnumChildWindows(pWnd->m_hWnd, [](HWND, LPARAM l) -> BOOL { ++*(int*)l; return TRUE; }, (LPARAM)&n);
        return n;
    }
};

CString Caption(CWnd* pWnd) {
    CString s;
    pWnd->GetWindowText(s);
    return s;
}

}  // namespace

// --- tabbed bars ---------------------------------------------------------------------------------

TEST_F(TabbedFixture, PaneDroppedOnPaneMakesTabsAndTheCaptionFollowsTheActiveTab) {
    CStatePane* p1 = Docked(301, CBRS_ALIGN_LEFT);
    CStatePane* p2 = Docked(302, CBRS_ALIGN_RIGHT);
    ASSERT_NE(p1, nullptr);
    ASSERT_NE(p2, nullptr);
    const CRect rectBefore = Rect(p1);
    CSPBaseTabbedBar* pTabbed = p2->AttachToTabWnd(p1, SP_DM_MOUSE, TRUE);
    ASSERT_NE(pTabbed, nullptr);
    PumpPending();
    EXPECT_TRUE(pTabbed->IsKindOf(RUNTIME_CLASS(CSPTabbedControlBar)));
    EXPECT_EQ(pTabbed->GetTabsNum(), 2);
    EXPECT_EQ(Tabbed(p1), pTabbed);
    EXPECT_EQ(Tabbed(p2), pTabbed);
    EXPECT_TRUE(p1->IsTabbed());
    // The tabbed bar stands where the target stood, on its slider.
    EXPECT_EQ(Rect(pTabbed), rectBefore);
    EXPECT_EQ(pTabbed->GetDefaultSlider()->GetCurrentAlignment(), (DWORD)CBRS_ALIGN_LEFT);
    EXPECT_EQ(Caption(pTabbed), CString("Pane 302"));
    pTabbed->ActivateTab(0);
    EXPECT_EQ(Caption(pTabbed), CString("Pane 301"));
    // A renamed pane renames its tab, and the caption with it.
    p1->SetWindowText(_T("Contents"));
    EXPECT_EQ(Caption(pTabbed), CString("Contents"));
    EXPECT_EQ(pManager->FindBarByID(302, TRUE), p2);

    const char* pszPicture = getenv("TW_DOCKING_TABBED_SCREENSHOT");
    if (pszPicture != NULL && *pszPicture != 0) {
        pFrame->RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
        PumpPending();
        EXPECT_TRUE(WriteWindowBitmap(pFrame->m_hWnd, pszPicture, TRUE));
    }

    // Closing with two visible tabs hides only the active tab.
    pTabbed->OnPressCloseButton();
    PumpPending();
    EXPECT_TRUE(pTabbed->IsWindowVisible());
    EXPECT_EQ(pTabbed->GetVisibleTabsNum(), 1);
    EXPECT_FALSE(pTabbed->GetTabWnd()->IsTabVisible(0));
}

TEST_F(TabbedFixture, ATabbedBarDroppedOnAPaneHandsOverItsTabsInOrderAndGoes) {
    CStatePane* pTarget = Docked(311, CBRS_ALIGN_LEFT);
    CStatePane* a = Docked(312, CBRS_ALIGN_RIGHT);
    CStatePane* b = Docked(313, CBRS_ALIGN_BOTTOM);
    CStatePane* c = Docked(314, CBRS_ALIGN_TOP);
    ASSERT_TRUE(pTarget && a && b && c);
    CSPBaseTabbedBar* pThree = b->AttachToTabWnd(a, SP_DM_MOUSE, TRUE);
    ASSERT_NE(pThree, nullptr);
    ASSERT_NE(c->AttachToTabWnd(a, SP_DM_MOUSE, TRUE), nullptr);
    ASSERT_EQ(pThree->GetTabsNum(), 3);
    HWND hThree = pThree->m_hWnd;
    pThree->UnDockControlBar(FALSE);
    CSPBaseTabbedBar* pNew = pTarget->AttachToTabWnd(pTarget, SP_DM_MOUSE);
    EXPECT_EQ(pNew, nullptr);  // a pane is no tab of itself
    CSPBaseTabbedBar* pTabbed = NULL;
    {
        CStatePane* pOther = Docked(315, CBRS_ALIGN_RIGHT);
        ASSERT_NE(pOther, nullptr);
        pTabbed = pOther->AttachToTabWnd(pTarget, SP_DM_MOUSE);
        ASSERT_NE(pTabbed, nullptr);
    }
    EXPECT_FALSE(pTabbed->AddTab(pThree, TRUE, TRUE, TRUE));
    PumpPending();
    EXPECT_FALSE(::IsWindow(hThree));
    ASSERT_EQ(pTabbed->GetTabsNum(), 5);
    EXPECT_EQ(pTabbed->GetTabBar(2, FALSE), a);
    EXPECT_EQ(pTabbed->GetTabBar(3, FALSE), b);
    EXPECT_EQ(pTabbed->GetTabBar(4, FALSE), c);
}

TEST_F(TabbedFixture, TabsLeaveByDoubleClickAndTheLastTabTakesTheBarAlong) {
    CStatePane* p1 = Docked(321, CBRS_ALIGN_LEFT);
    CStatePane* p2 = Docked(322, CBRS_ALIGN_RIGHT);
    ASSERT_TRUE(p1 && p2);
    CSPBaseTabbedBar* pTabbed = p2->AttachToTabWnd(p1, SP_DM_MOUSE, TRUE);
    ASSERT_NE(pTabbed, nullptr);
    // A tab whose pane has no text leaves with the tab's label.
    CSPBaseTabWnd* pTabWnd = pTabbed->GetTabWnd();
    pTabWnd->SetTabLabel(1, _T("Second"));
    p2->DefWindowProc(WM_SETTEXT, 0, (LPARAM) "");
    ASSERT_TRUE(pTabWnd->SetActiveTab(1));
    EXPECT_TRUE(pTabWnd->DetachTab(2, -1));
    PumpPending();
    EXPECT_FALSE(p2->IsTabbed());
    EXPECT_NE(p2->GetParentMiniFrame(TRUE), nullptr);
    EXPECT_EQ(Caption(p2), CString("Second"));
    EXPECT_EQ(pTabbed->GetTabsNum(), 1);

    // A tabbed bar keeps its last tab for itself; removing it destroys the bar.
    EXPECT_FALSE(pTabbed->DetachControlBar(p1, SP_DM_SHOW));
    HWND hTabbed = pTabbed->m_hWnd;
    EXPECT_FALSE(pTabbed->RemoveTab(p1));
    PumpPending();
    EXPECT_FALSE(::IsWindow(hTabbed));
}

// --- auto-hide -----------------------------------------------------------------------------------

TEST_F(TabbedFixture, APinnedPaneSlidesOutInTwelveStepsFlushWithItsStripAndBack) {
    CStatePane* pPane = Docked(331, CBRS_ALIGN_LEFT, CSize(180, 200));
    ASSERT_NE(pPane, nullptr);
    CSPAutoHideToolBar* pToolBar = pPane->SetAutoHideMode(TRUE, CBRS_ALIGN_LEFT, NULL, FALSE);
    ASSERT_NE(pToolBar, nullptr);
    PumpPending();
    EXPECT_TRUE(pPane->IsAutoHideMode());
    EXPECT_FALSE(pPane->IsWindowVisible());
    EXPECT_FALSE(pPane->IsVisible());
    CSPAutoHideDockBar* pStrip = DYNAMIC_DOWNCAST(CSPAutoHideDockBar, pToolBar->GetParentDockBar());
    ASSERT_NE(pStrip, nullptr);
    EXPECT_EQ(pStrip->GetCurrentAlignment(), (DWORD)CBRS_ALIGN_LEFT);
    EXPECT_TRUE(pToolBar->IsWindowVisible());
    ASSERT_NE(pPane->GetAutoHideButton(), nullptr);
    EXPECT_EQ(pToolBar->GetFirstPane(), pPane);
    EXPECT_EQ(pManager->FindBarByID(331, TRUE), pPane);

    // Sliding out, one timer tick a step.
    pPane->Slide(TRUE, TRUE);
    ASSERT_TRUE(pPane->IsSliding());
    const int nWidth = Rect(pPane).Width();
    EXPECT_EQ(pPane->GetSlideStep(), nWidth / 12);
    int nTicks = 0;
    while (pPane->IsSliding() && nTicks < 100) {
        pPane->SendMessage(WM_TIMER, CSPDockingControlBar::nTimerSlideOut);
        nTicks++;
    }
    ASSERT_EQ(nWidth, 180);
    EXPECT_EQ(nTicks, 12);
    CRect rectStrip;
    pStrip->GetWindowRect(rectStrip);
    pFrame->ScreenToClient(rectStrip);
    EXPECT_TRUE(pPane->IsWindowVisible());
    EXPECT_EQ(Rect(pPane).left, rectStrip.right);
    EXPECT_EQ(Rect(pPane->GetDefaultSlider()).left, Rect(pPane).right);
    EXPECT_EQ(pPane->GetCheckTimer(), CSPDockingControlBar::nTimerCheck);

    const char* pszPicture = getenv("TW_DOCKING_AUTOHIDE_SCREENSHOT");
    if (pszPicture != NULL && *pszPicture != 0) {
        pFrame->RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
        PumpPending();
        EXPECT_TRUE(WriteWindowBitmap(pFrame->m_hWnd, pszPicture, TRUE));
    }

    // While its caption is active it stays out.
    pPane->SetKeepShown(TRUE);
    EXPECT_FALSE(pPane->CheckAutoHideCondition());
    pPane->SetKeepShown(FALSE);
    pPane->Slide(FALSE, TRUE);
    nTicks = 0;
    while (pPane->IsSliding() && nTicks < 100) {
        pPane->SendMessage(WM_TIMER, CSPDockingControlBar::nTimerSlideIn);
        nTicks++;
    }
    EXPECT_LE(nTicks, 13);
    EXPECT_FALSE(pPane->IsWindowVisible());
    EXPECT_LE(Rect(pPane).right, rectStrip.right);

    // The pin puts it back in its place; the toolbar goes with its button.
    HWND hToolBar = pToolBar->m_hWnd;
    pPane->SetAutoHideMode(FALSE, CBRS_ALIGN_LEFT, NULL, TRUE);
    PumpPending();
    EXPECT_FALSE(pPane->IsAutoHideMode());
    EXPECT_FALSE(::IsWindow(hToolBar));
    EXPECT_TRUE(pPane->IsWindowVisible());
    ASSERT_NE(pPane->GetDefaultSlider(), nullptr);
    EXPECT_EQ(pPane->GetDefaultSlider()->GetCurrentAlignment(), (DWORD)CBRS_ALIGN_LEFT);
    EXPECT_TRUE(pManager->GetAutoHideBars().IsEmpty());
}

TEST_F(TabbedFixture, ANarrowPaneSlidesOnePixelAStepAndHoverStartsTheSlide) {
    CStatePane* pPane = Docked(341, CBRS_ALIGN_RIGHT, CSize(8, 200));
    ASSERT_NE(pPane, nullptr);
    CSPAutoHideToolBar* pToolBar = pPane->SetAutoHideMode(TRUE, CBRS_ALIGN_RIGHT, NULL, FALSE);
    ASSERT_NE(pToolBar, nullptr);
    pPane->Slide(TRUE, TRUE);
    EXPECT_EQ(pPane->GetSlideStep(), 1);
    pPane->Slide(FALSE, FALSE);
    EXPECT_FALSE(pPane->IsWindowVisible());

    // A pointer resting on the button arms the hover timer; its tick
    // slides the pane out.
    CRect rectButton = pPane->GetAutoHideButton()->GetRect();
    pToolBar->SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(rectButton.CenterPoint().x, rectButton.CenterPoint().y));
    EXPECT_TRUE(pToolBar->IsHoverPending());
    EXPECT_EQ(pToolBar->GetHoverTimer(), CSPAutoHideToolBar::nHoverTimerID);
    CPoint pt = rectButton.CenterPoint();
    pToolBar->ClientToScreen(&pt);
    if (MoveCursorTo(pt.x, pt.y)) {
        pToolBar->SendMessage(WM_TIMER, CSPAutoHideToolBar::nHoverTimerID);
        EXPECT_TRUE(pPane->IsWindowVisible());
        EXPECT_FALSE(pToolBar->IsHoverPending());
        // Hovering a button whose pane is out starts no timer.
        pToolBar->SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(rectButton.CenterPoint().x, rectButton.CenterPoint().y));
        EXPECT_FALSE(pToolBar->IsHoverPending());
    }
}

TEST_F(TabbedFixture, ThePinBringsBackTheEdgeAndEveryGroupAsItWas) {
    CStatePane* p1 = Docked(351, CBRS_ALIGN_BOTTOM, CSize(300, 120));
    CStatePane* p2 = Docked(352, CBRS_ALIGN_RIGHT);
    CStatePane* p3 = Docked(353, CBRS_ALIGN_RIGHT);
    ASSERT_TRUE(p1 && p2 && p3);
    CSPBaseTabbedBar* pTabbed = p2->AttachToTabWnd(p1, SP_DM_MOUSE, TRUE);
    ASSERT_NE(pTabbed, nullptr);
    ASSERT_NE(p3->AttachToTabWnd(p1, SP_DM_MOUSE, TRUE), nullptr);
    // Two panes side by side on the same edge, pinned away one by one.
    CStatePane* p4 = Docked(354, CBRS_ALIGN_BOTTOM, CSize(300, 100));
    ASSERT_NE(p4, nullptr);
    CStatePane* p5 = NewPane(pFrame, 355, CSize(150, 100));
    ASSERT_NE(p5, nullptr);
    ASSERT_TRUE(p5->DockBeside(p4, CBRS_ALIGN_RIGHT));
    PumpPending();
    ASSERT_LT(Rect(p4).right, Rect(p5).left);

    HWND hTabbed = pTabbed->m_hWnd;
    pTabbed->SetAutoHideMode(TRUE, CBRS_ALIGN_BOTTOM, NULL, FALSE);
    ASSERT_NE(p4->SetAutoHideMode(TRUE, CBRS_ALIGN_BOTTOM, NULL, FALSE), nullptr);
    ASSERT_NE(p5->SetAutoHideMode(TRUE, CBRS_ALIGN_BOTTOM, NULL, FALSE), nullptr);
    PumpPending();
    EXPECT_FALSE(::IsWindow(hTabbed));
    for (CStatePane* p : {p1, p2, p3, p4, p5}) EXPECT_TRUE(p->IsAutoHideMode());
    EXPECT_TRUE(p1->GetAutoHideToolBar()->IsFirstInGroup());
    EXPECT_FALSE(p1->GetAutoHideToolBar()->IsLastInGroup());
    EXPECT_TRUE(p3->GetAutoHideToolBar()->IsLastInGroup());
    EXPECT_TRUE(p3->GetAutoHideToolBar()->IsActiveInGroup());
    EXPECT_EQ(p1->GetAutoHideToolBar()->GetDockBarRow(), p5->GetAutoHideToolBar()->GetDockBarRow());

    // The pin of any pane brings back every pane of the edge: the group as
    // one tabbed bar, the panes pinned alone each to its own place.
    p5->SetAutoHideMode(FALSE, CBRS_ALIGN_BOTTOM, NULL, TRUE);
    PumpPending();
    for (CStatePane* p : {p1, p2, p3, p4, p5}) EXPECT_FALSE(p->IsAutoHideMode());
    CSPBaseTabbedBar* pBack = Tabbed(p2);
    ASSERT_NE(pBack, nullptr);
    EXPECT_EQ(Tabbed(p1), pBack);
    EXPECT_EQ(Tabbed(p3), pBack);
    EXPECT_EQ(pBack->GetTabsNum(), 3);
    EXPECT_EQ(Tabbed(p4), nullptr);
    EXPECT_EQ(Tabbed(p5), nullptr);
    // Their region went when the last of them was pinned away: each docks
    // on the edge again, beside the others.
    for (CStatePane* p : {p4, p5}) {
        ASSERT_NE(p->GetDefaultSlider(), nullptr);
        EXPECT_EQ(p->GetDefaultSlider()->GetCurrentAlignment(), (DWORD)CBRS_ALIGN_BOTTOM);
        EXPECT_TRUE(p->IsWindowVisible());
    }
    std::string strWhich;
    EXPECT_TRUE(NoneOverlap({pBack, p4, p5}, &strWhich)) << strWhich;
    EXPECT_TRUE(pManager->GetAutoHideBars().IsEmpty());
}

// --- the wrapper ---------------------------------------------------------------------------------

TEST_F(TabbedFixture, TheWrapperSavesItsNameUnderItsKey) {
    CSPDockingCBWrapper* pWrapper = new CSPDockingCBWrapper;
    ASSERT_TRUE(pWrapper->Create(_T("Wrapped"), pFrame, CRect(0, 0, 100, 100), TRUE, 361,
                                 WS_CHILD | WS_VISIBLE | CBRS_LEFT, 0x20, dwAllBarStyles));
    CEdit* pEdit = new CEdit;
    ASSERT_TRUE(pEdit->Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 10, 10), pFrame, 362));
    ASSERT_TRUE(pWrapper->SetWrappedWnd(pEdit));
    EXPECT_EQ(pEdit->GetParent(), pWrapper);
    EXPECT_EQ(pWrapper->GetEnabledAlignment(), (DWORD)CBRS_ALIGN_ANY);

    const CString strProfile = _T("Software\\TomewiseTests\\uilib_panes\\wrapper\\");
    DeleteTree(strProfile);
    EXPECT_EQ(pWrapper->GetStateKey(strProfile, -1, (UINT)-1), strProfile + _T("SPDockingCBWrapper-361"));
    EXPECT_EQ(pWrapper->GetStateKey(strProfile, 2, 0x1f), strProfile + _T("SPDockingCBWrapper-21f"));
    // A missing key: FALSE, and the name stays.
    EXPECT_FALSE(pWrapper->LoadState(strProfile, -1, (UINT)-1));
    EXPECT_EQ(Caption(pWrapper), CString("Wrapped"));
    ASSERT_TRUE(pWrapper->SaveState(strProfile, -1, (UINT)-1));
    EXPECT_EQ(ReadRegString(pWrapper->GetStateKey(strProfile, -1, (UINT)-1), "BarName"), std::string("Wrapped"));
    pWrapper->SetWindowText(_T("Renamed"));
    EXPECT_TRUE(pWrapper->LoadState(strProfile, -1, (UINT)-1));
    EXPECT_EQ(Caption(pWrapper), CString("Wrapped"));
    // An empty name leaves the text as it is.
    ::WriteRegRaw(pWrapper->GetStateKey(strProfile, -1, (UINT)-1), "BarName", REG_SZ, "", 1);
    pWrapper->SetWindowText(_T("Kept"));
    pWrapper->LoadState(strProfile, -1, (UINT)-1);
    EXPECT_EQ(Caption(pWrapper), CString("Kept"));
    pWrapper->DestroyWindow();
    delete pWrapper;
    DeleteTree(strProfile);
}

// --- the docking state -----------------------------------------------------------------------------

namespace {

const char* const kChildVariable = "TW_PANES_STATE_CHILD";
LPCTSTR const kStateProfile = _T("Software\\TomewiseTests\\uilib_panes\\dockstate\\");
const char* const kRectsValue = "ExpectedRects";

bool IsStateChild() { return ::GetEnvironmentVariableA(kChildVariable, NULL, 0) != 0; }

// The application's own layout of the state tests: five panes, all docked
// on the left in one region.
struct StateFixture : TabbedFixture {
    std::vector<CStatePane*> panes;
    void SetUp() override {
        TabbedFixture::SetUp();
        for (UINT nID = 401; nID <= 406; nID++) {
            CStatePane* pPane = NewPane(pFrame, nID, CSize(150, 150), SP_CBRS_FLOAT_MULTI);
            ASSERT_NE(pPane, nullptr);
            panes.push_back(pPane);
        }
        ASSERT_TRUE(panes[0]->DockToFrameSide(CBRS_ALIGN_LEFT, FALSE));
        for (size_t i = 1; i < panes.size(); i++) ASSERT_TRUE(panes[i]->DockBeside(panes[i - 1], CBRS_ALIGN_BOTTOM));
        PumpPending();
    }
    CStatePane* Pane(UINT nID) { return panes[nID - 401]; }
    // The saved arrangement: 401 and 402 on the left, 403 with 404 as
    // tabs on the bottom, 405 floating in a multi-bar frame, 406 pinned
    // away on the right.
    void Arrange() {
        Pane(403)->DockToFrameSide(CBRS_ALIGN_BOTTOM, FALSE);
        ASSERT_NE(Pane(404)->AttachToTabWnd(Pane(403), SP_DM_MOUSE, TRUE), nullptr);
        CRect rectFrame;
        pFrame->GetWindowRect(rectFrame);
        ASSERT_TRUE(Pane(405)->FloatControlBar(CRect(rectFrame.right + 10, rectFrame.top, rectFrame.right + 200,
                                                     rectFrame.top + 200),
                                               SP_DM_SHOW, true));
        Pane(406)->DockToFrameSide(CBRS_ALIGN_RIGHT, FALSE);
        ASSERT_NE(Pane(406)->SetAutoHideMode(TRUE, CBRS_ALIGN_RIGHT, NULL, FALSE), nullptr);
        PumpPending();
    }
    // What the layout is: each pane's place and state, in one text.
    std::string Describe() {
        pFrame->RecalcLayout();
        PumpPending();
        std::string s;
        for (CStatePane* p : panes) {
            CRect r = Rect(p);
            char buf[160];
            const char* where = p->IsAutoHideMode() ? "autohide" : p->IsTabbed() ? "tab" : p->IsFloating() ? "float" : "docked";
            if (p->IsFloating() && !p->IsTabbed()) p->GetWindowRect(r);
            sprintf(buf, "%u:%s:%s:%ld,%ld,%ld,%ld;", p->GetDlgCtrlID(), where,
                    p->IsWindowVisible() ? "v" : "h", r.left, r.top, r.right, r.bottom);
            s += buf;
        }
        return s;
    }
    CString Key() { return pManager->GetStateKey(kStateProfile, 0); }
};

class DockStateChild : public StateFixture {};

}  // namespace

TEST_F(StateFixture, AFrameWithoutDockingPanesWritesFourEmptySections) {
    CSPFrameWnd* pBare = new CSPFrameWnd;
    ASSERT_TRUE(pBare->Create(NULL, _T("bare"), WS_OVERLAPPEDWINDOW, CRect(0, 0, 300, 200)));
    pBare->EnableDocking(CBRS_ALIGN_ANY);
    DeleteTree(kStateProfile);
    ASSERT_TRUE(pBare->GetDockManager()->SaveState(kStateProfile, 7));
    const std::vector<BYTE> bytes = ReadRegRaw(pBare->GetDockManager()->GetStateKey(kStateProfile, 7), "DockingCBAndSliders");
    EXPECT_EQ(bytes, std::vector<BYTE>(16, 0));
    pBare->DestroyWindow();
}

TEST_F(StateFixture, ALayoutComesBackInANewProcess) {
    if (IsStateChild()) return;
    DeleteTree(kStateProfile);
    Arrange();
    ASSERT_TRUE(Pane(404)->IsTabbed());
    ASSERT_TRUE(Pane(405)->IsInMultiMiniFrame());
    ASSERT_TRUE(Pane(406)->IsAutoHideMode());
    ASSERT_TRUE(pManager->SaveState(kStateProfile, 0));
    const std::string strExpected = Describe();
    ASSERT_TRUE(::WriteRegRaw(Key(), kRectsValue, REG_SZ, strExpected.c_str(), (DWORD)strExpected.size() + 1));
    EXPECT_EQ(RunThisProgramAsChild(kChildVariable, "DockStateChild.*"), 0u);
}

// Disabled in ordinary runs: the test above runs it in its child process.
TEST_F(DockStateChild, DISABLED_RestoresTheSavedLayout) {
    ASSERT_TRUE(IsStateChild());
    const std::string strExpected = ReadRegString(Key(), kRectsValue);
    ASSERT_FALSE(strExpected.empty());
    ASSERT_TRUE(pManager->LoadState(kStateProfile, 0));
    pManager->SetDockState();
    PumpPending();
    EXPECT_TRUE(Pane(404)->IsTabbed());
    EXPECT_EQ(Pane(403)->GetParentTabbedBar(), Pane(404)->GetParentTabbedBar());
    EXPECT_TRUE(Pane(405)->IsInMultiMiniFrame());
    EXPECT_TRUE(Pane(406)->IsAutoHideMode());
    EXPECT_EQ(Describe(), strExpected);
}

TEST_F(StateFixture, DamagedValuesLeaveTheApplicationsLayout) {
    DeleteTree(kStateProfile);
    Arrange();
    ASSERT_TRUE(pManager->SaveState(kStateProfile, 0));
    const std::vector<BYTE> good = ReadRegRaw(Key(), "DockingCBAndSliders");
    ASSERT_GT(good.size(), 40u);

    // A fresh frame with the application's own layout reads the damaged
    // values.
    TearDown();
    panes.clear();
    SetUp();
    const std::string strOwn = Describe();
    const int nTopLevel = CountTopLevel();
    const int nChildren = CountChildren(pFrame);

    struct Case {
        const char* name;
        std::vector<BYTE> bytes;
    };
    std::vector<Case> cases;
    for (size_t n : {size_t(0), size_t(3), size_t(4), size_t(8), good.size() / 3, good.size() / 2, good.size() - 20,
                     good.size() - 1})
        cases.push_back({"cut", std::vector<BYTE>(good.begin(), good.begin() + n)});
    {
        std::vector<BYTE> b = good;  // section 1 with a count larger than the data
        b[0] = 0xFF;
        b[1] = 0x7F;
        cases.push_back({"huge count", b});
    }
    {
        std::vector<BYTE> b(good.begin(), good.end());  // section 1 naming a bar that does not exist
        std::vector<BYTE> head = {1, 0, 0, 0, 0x39, 0x30, 0, 0};
        b.erase(b.begin(), b.begin() + 4);
        b.insert(b.begin(), head.begin(), head.end());
        cases.push_back({"unknown tabbed bar", b});
    }
    auto replaceText = [&](const char* from, const char* to) {
        std::vector<BYTE> b = good;
        const std::string f(from), t(to);
        for (size_t i = 0; i + f.size() <= b.size(); i++)
            if (memcmp(&b[i], f.data(), f.size()) == 0) {
                memcpy(&b[i], t.data(), t.size());
                return b;
            }
        return std::vector<BYTE>();
    };
    std::vector<BYTE> b1 = replaceText("CSPMultiMiniFrameWnd", "CSPMultiMiniFrameWnX");
    if (!b1.empty()) cases.push_back({"unknown class", b1});
    std::vector<BYTE> b2 = replaceText("CSPMultiMiniFrameWnd", "CSPTabbedControlBar\0");
    if (!b2.empty()) cases.push_back({"class of another kind", b2});
    ASSERT_GE(cases.size(), 12u);

    for (const Case& c : cases) {
        ASSERT_TRUE(::WriteRegRaw(Key(), "DockingCBAndSliders", c.bytes)) << c.name;
        EXPECT_FALSE(pManager->LoadState(kStateProfile, 0)) << c.name << " " << c.bytes.size();
        EXPECT_TRUE(pManager->IsLoadFailed()) << c.name;
        PumpPending();
        EXPECT_EQ(CountTopLevel(), nTopLevel) << c.name;
        EXPECT_EQ(CountChildren(pFrame), nChildren) << c.name;
        pManager->SetDockState();
        PumpPending();
        EXPECT_EQ(Describe(), strOwn) << c.name;
    }
    // A good value read afterwards is applied again.
    ASSERT_TRUE(::WriteRegRaw(Key(), "DockingCBAndSliders", good));
    EXPECT_TRUE(pManager->LoadState(kStateProfile, 0));
    EXPECT_FALSE(pManager->IsLoadFailed());
    pManager->SetDockState();
    PumpPending();
    EXPECT_TRUE(Pane(404)->IsTabbed());
    EXPECT_TRUE(Pane(406)->IsAutoHideMode());
}

TEST_F(TabbedFixture, ATabbedBarThatCannotFloatKeepsItsTabLayout) {
    // A tabbed bar the application makes with an id of its own and without
    // the right to float: the docking state keeps only its tabs' layout.
    CSPTabbedControlBar* pFixed = new CSPTabbedControlBar(TRUE);
    ASSERT_TRUE(pFixed->Create(_T("Fixed"), pFrame, CRect(0, 0, 180, 200), TRUE, 450,
                               WS_CHILD | WS_VISIBLE | CBRS_RIGHT, 0x20, SPCBRS_RESIZE | SPCBRS_CLOSE));
    ASSERT_FALSE(pFixed->CanFloat());
    ASSERT_TRUE(pFixed->DockToFrameSide(CBRS_ALIGN_RIGHT, FALSE));
    std::vector<CStatePane*> tabs;
    for (UINT nID : {451u, 452u, 453u}) {
        CStatePane* p = NewPane(pFrame, nID, CSize(150, 150));
        ASSERT_NE(p, nullptr);
        ASSERT_TRUE(pFixed->AddTab(p, TRUE, TRUE, TRUE));
        tabs.push_back(p);
    }
    CSPBaseTabWnd* pTabWnd = pFixed->GetTabWnd();
    ASSERT_TRUE(pTabWnd->SetActiveTab(1));
    pTabWnd->ShowTab(2, FALSE);
    PumpPending();
    const CRect rectFixed = Rect(pFixed);
    const CString strProfile = _T("Software\\TomewiseTests\\uilib_panes\\fixedtabs\\");
    DeleteTree(strProfile);
    ASSERT_TRUE(pManager->SaveState(strProfile, 0));
    const std::vector<BYTE> bytes = ReadRegRaw(pManager->GetStateKey(strProfile, 0), "DockingCBAndSliders");
    ASSERT_GE(bytes.size(), 8u);
    EXPECT_EQ(std::vector<BYTE>(bytes.begin(), bytes.begin() + 8), (std::vector<BYTE>{1, 0, 0, 0, 0xC2, 1, 0, 0}));

    // The user reorders the tabs, shows the hidden one and picks another.
    pTabWnd->SwapTabs(0, 2);
    pTabWnd->ShowTab(0, TRUE);
    pTabWnd->ShowTab(2, TRUE);
    ASSERT_TRUE(pTabWnd->SetActiveTab(0));
    ASSERT_EQ(pTabWnd->GetTabWnd(0), tabs[2]);
    ASSERT_TRUE(pManager->LoadState(strProfile, 0));
    // Reading changes nothing yet.
    EXPECT_EQ(pTabWnd->GetTabWnd(0), tabs[2]);
    pManager->SetDockState();
    PumpPending();
    for (int i = 0; i < 3; i++) EXPECT_EQ(pTabWnd->GetTabWnd(i), tabs[i]) << i;
    EXPECT_EQ(pTabWnd->GetActiveTab(), 1);
    EXPECT_FALSE(pTabWnd->IsTabVisible(2));
    EXPECT_TRUE(pTabWnd->IsTabVisible(0));
    EXPECT_EQ(Rect(pFixed), rectFixed);
    EXPECT_EQ(pFixed->GetTabsNum(), 3);

    // A damaged value read after it leaves the tabs as they are, and a good
    // restore later does not bring back the layout of the damaged read.
    pTabWnd->SwapTabs(0, 1);
    std::vector<BYTE> cut(bytes.begin(), bytes.begin() + bytes.size() - 3);
    ASSERT_TRUE(::WriteRegRaw(pManager->GetStateKey(strProfile, 0), "DockingCBAndSliders", cut));
    EXPECT_FALSE(pManager->LoadState(strProfile, 0));
    pManager->SetDockState();
    EXPECT_EQ(pTabWnd->GetTabWnd(0), tabs[1]);
    EXPECT_TRUE(pTabWnd->GetRestoredTabs().IsEmpty());
    DeleteTree(strProfile);
}

TEST_F(TabbedFixture, APlainWindowInADetachableTabIsWrappedIntoAPane) {
    CStatePane* p1 = Docked(461, CBRS_ALIGN_LEFT);
    CStatePane* p2 = Docked(462, CBRS_ALIGN_RIGHT);
    ASSERT_TRUE(p1 && p2);
    CSPBaseTabbedBar* pTabbed = p2->AttachToTabWnd(p1, SP_DM_MOUSE, TRUE);
    ASSERT_NE(pTabbed, nullptr);
    CSPBaseTabWnd* pTabWnd = pTabbed->GetTabWnd();
    ASSERT_FALSE(pTabWnd->m_bEnableWrapping);
    struct Case {
        BOOL bWrapping;
        BOOL bDetachable;
        bool bWrapped;
    };
    UINT nID = 463;
    for (const Case& c : {Case{FALSE, TRUE, false}, Case{TRUE, FALSE, false}, Case{TRUE, TRUE, true}}) {
        pTabWnd->m_bEnableWrapping = c.bWrapping;
        CEdit* pEdit = new CEdit;
        ASSERT_TRUE(pEdit->Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 50, 20), pFrame, nID));
        pTabWnd->AddTab(pEdit, _T("Notes"), (UINT)-1, c.bDetachable);
        const int iTab = pTabWnd->GetTabsNum() - 1;
        ASSERT_EQ(pTabWnd->GetTabWndNoWrapper(iTab), pEdit) << nID;
        CSPDockingCBWrapper* pWrapper = DYNAMIC_DOWNCAST(CSPDockingCBWrapper, pTabWnd->GetTabWnd(iTab));
        EXPECT_EQ(pWrapper != NULL, c.bWrapped) << nID;
        EXPECT_EQ(pTabbed->GetTabBar(iTab, TRUE), pEdit);
        if (pWrapper != NULL) {
            EXPECT_EQ(pEdit->GetParent(), pWrapper);
            EXPECT_EQ(pWrapper->GetParent(), pTabWnd);
            EXPECT_EQ(pWrapper->GetDlgCtrlID(), (int)nID);
            EXPECT_FALSE(pWrapper->CanFloat());
            // The wrapped tab is a pane's tab: its strip may tear it out.
            EXPECT_TRUE(pTabWnd->IsTabDetachable(iTab));
        }
        nID++;
    }
    // The wrapper goes with its tab window's bar, and deletes itself.
    HWND hTabbed = pTabbed->m_hWnd;
    pTabbed->UnDockControlBar(TRUE);
    pTabbed->DestroyWindow();
    PumpPending();
    EXPECT_FALSE(::IsWindow(hTabbed));
}

// --- refused windows -----------------------------------------------------------------------------

namespace {

// A slider that counts its deletions and, while told to, refuses its window
// in PreCreateWindow.
class CCountedSlider : public CSPSlider {
    DECLARE_DYNCREATE(CCountedSlider)

public:
    static bool s_bRefuse;
    static int s_nDeleted;
    ~CCountedSlider() override { s_nDeleted++; }

protected:
    BOOL PreCreateWindow(CREATESTRUCT& cs) override { return !s_bRefuse && CSPSlider::PreCreateWindow(cs); }
};
IMPLEMENT_DYNCREATE(CCountedSlider, CSPSlider)
bool CCountedSlider::s_bRefuse = false;
int CCountedSlider::s_nDeleted = 0;

}  // namespace

// A slider whose window is refused has deleted itself once, and neither its
// maker nor a region keeps it.
TEST_F(TabbedFixture, ARefusedSliderIsDeletedOnceAndNothingKeepsIt) {
    for (bool bBySystem : {false, true}) {
        SCOPED_TRACE(bBySystem ? "refused by the system" : "refused in PreCreateWindow");
        CCountedSlider::s_nDeleted = 0;
        CCreationRefusal refusal(RUNTIME_CLASS(CSPSlider), bBySystem ? 1 : 0);
        CCountedSlider::s_bRefuse = !bBySystem;
        EXPECT_EQ(CSPDockingControlBar::CreateDefaultSlider(CBRS_ALIGN_LEFT, pFrame, RUNTIME_CLASS(CCountedSlider)),
                  nullptr);
        CCountedSlider::s_bRefuse = false;
        EXPECT_EQ(CCountedSlider::s_nDeleted, 1);
        EXPECT_EQ(refusal.Refused(), bBySystem ? 1 : 0);
    }
    CSPSlider* pSide = SideSlider(CBRS_ALIGN_LEFT);
    ASSERT_NE(pSide, nullptr);
    CSPBarContainerManager* pRegion = pSide->GetContainerManager();
    ASSERT_NE(pRegion, nullptr);
    const INT_PTR nSliders = pRegion->GetSliders().GetCount();
    {
        CCreationRefusal refusal(RUNTIME_CLASS(CSPSlider), 1);
        EXPECT_EQ(pRegion->CreateSlider(CRect(0, 0, 4, 100), SP_SS_VERT), nullptr);
        EXPECT_EQ(refusal.Refused(), 1);
    }
    EXPECT_EQ(pRegion->GetSliders().GetCount(), nSliders);
    EXPECT_NE(pRegion->CreateSlider(CRect(0, 0, 4, 100), SP_SS_VERT), nullptr);
    EXPECT_EQ(pRegion->GetSliders().GetCount(), nSliders + 1);
}

// A refused window of a tab group or of a pin (its slider, its strip bar)
// has deleted itself: the panes stay docked as they were, and the next try
// works.
struct RefusedWindow {
    const char* pszName;
    CRuntimeClass* pClass;
    bool bPin;  // else a tab group
};
struct RefusedWindowTest : TabbedFixture, ::testing::WithParamInterface<RefusedWindow> {};

TEST_P(RefusedWindowTest, LeavesThePanesDockedAndTheNextTryWorks) {
    CStatePane* p1 = Docked(351, CBRS_ALIGN_LEFT, CSize(180, 200));
    CStatePane* p2 = Docked(352, CBRS_ALIGN_RIGHT);
    ASSERT_NE(p1, nullptr);
    ASSERT_NE(p2, nullptr);
    const CRect rect1 = Rect(p1);
    auto act = [&]() -> CWnd* {
        if (GetParam().bPin) return p1->SetAutoHideMode(TRUE, CBRS_ALIGN_LEFT, NULL, FALSE);
        return p2->AttachToTabWnd(p1, SP_DM_MOUSE, TRUE);
    };
    {
        CCreationRefusal refusal(GetParam().pClass, 1);
        EXPECT_EQ(act(), nullptr);
        EXPECT_EQ(refusal.Refused(), 1);
    }
    PumpPending();
    EXPECT_FALSE(p1->IsAutoHideMode());
    EXPECT_TRUE(pManager->GetAutoHideBars().IsEmpty());
    EXPECT_EQ(Tabbed(p1), nullptr);
    EXPECT_EQ(Tabbed(p2), nullptr);
    EXPECT_TRUE(p1->IsWindowVisible());
    EXPECT_TRUE(p2->IsWindowVisible());
    EXPECT_EQ(Rect(p1), rect1);

    CWnd* pMade = act();
    ASSERT_NE(pMade, nullptr);
    PumpPending();
    if (GetParam().bPin) {
        EXPECT_TRUE(p1->IsAutoHideMode());
        p1->SetAutoHideMode(FALSE, CBRS_ALIGN_LEFT, NULL, TRUE);
        PumpPending();
        EXPECT_TRUE(pManager->GetAutoHideBars().IsEmpty());
    } else {
        EXPECT_EQ(Tabbed(p1), pMade);
        EXPECT_EQ(Tabbed(p2), pMade);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Refusals, RefusedWindowTest,
    ::testing::Values(RefusedWindow{"TabGroup", RUNTIME_CLASS(CSPBaseTabbedBar), false},
                      RefusedWindow{"PinSlider", RUNTIME_CLASS(CSPSlider), true},
                      RefusedWindow{"PinStrip", RUNTIME_CLASS(CSPAutoHideToolBar), true}),
    [](const ::testing::TestParamInfo<RefusedWindow>& info) { return std::string(info.param.pszName); });
