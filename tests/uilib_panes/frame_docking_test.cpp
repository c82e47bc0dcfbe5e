// Floating frames of several panes docked as a whole, and the outline drag's
// previews: a frame put on a frame side keeps the shape of its visible
// panes, a frame dropped on a pane's caption or tab strip gives tabs, one
// dropped at a pane's edge docks beside it; the preview beside a docked
// pane comes from its slider and a tab strip shows a placeholder tab.
#include "afxwin.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "SPBaseTabWnd.h"
#include "SPBaseTabbedBar.h"
#include "SPDockBar.h"
#include "SPDockingControlBar.h"
#include "SPDockingPlaceholderBar.h"
#include "SPMultiMiniFrameWnd.h"
#include "panes_support.h"

using namespace panetest;

namespace {

class CFramePane : public CSPDockingControlBar {
public:
    void GetMinSize(CSize& size) const override { size = CSize(20, 20); }
    void PostNcDestroy() override { delete this; }
};

struct FrameDockingFixture : PanesFixture {
    void SetUp() override {
        PanesFixture::SetUp();
        pFrame->MoveWindow(40, 40, 700, 500);
        PumpPending();
    }
    void TearDown() override {
        if (::GetCapture() != NULL) ::ReleaseCapture();
        PanesFixture::TearDown();
        PumpPending();
    }
    CFramePane* Pane(UINT nID, DWORD dwSide = CBRS_ALIGN_LEFT, CSize size = CSize(150, 120)) {
        CFramePane* pPane = new CFramePane;
        CString strName;
        strName.Format(_T("Pane %u"), nID);
        if (!pPane->Create(strName, pFrame, CRect(CPoint(0, 0), size), TRUE, nID,
                           WS_CHILD | WS_VISIBLE | CBRS_LEFT | SP_CBRS_FLOAT_MULTI, 0x20,
                           SPCBRS_FLOAT | SPCBRS_AUTOHIDE | SPCBRS_RESIZE | SPCBRS_CLOSE)) {
            // it has deleted itself (PostNcDestroy)
            return NULL;
        }
        pPane->EnableDocking(CBRS_ALIGN_ANY);
        if (!pPane->DockToFrameSide(dwSide, FALSE)) return NULL;
        PumpPending();
        return pPane;
    }
    // A floating frame right of the main frame with the panes, the first
    // above the others, which stand side by side below it.
    CSPMultiMiniFrameWnd* Floating(std::vector<CFramePane*> panes) {
        CRect rectFrame;
        pFrame->GetWindowRect(rectFrame);
        const CRect rectFloat(rectFrame.right + 10, rectFrame.top, rectFrame.right + 330, rectFrame.top + 300);
        if (!panes[0]->FloatControlBar(rectFloat, SP_DM_SHOW, true)) return NULL;
        CSPMultiMiniFrameWnd* pMulti = DYNAMIC_DOWNCAST(CSPMultiMiniFrameWnd, panes[0]->GetParentMiniFrame(TRUE));
        if (pMulti == NULL) return NULL;
        pMulti->MoveWindow(rectFloat);
        for (size_t i = 1; i < panes.size(); i++) {
            panes[i]->UnDockControlBar(FALSE);
            if (!pMulti->InsertBar(panes[i], panes[i - 1], i == 1 ? CBRS_ALIGN_BOTTOM : CBRS_ALIGN_RIGHT)) return NULL;
        }
        PumpPending();
        return pMulti;
    }
    CPoint CaptionPoint(CSPDockingControlBar* pPane) {
        CRect rect;
        pPane->GetWindowRect(rect);
        return CPoint(rect.left + 10, rect.top + pPane->GetCaptionHeight() / 2);
    }
    CPoint BottomTabPoint(CSPDockingControlBar* pPane) {
        CRect rectTop, rectBottom;
        pPane->GetTabArea(rectTop, rectBottom);
        return CPoint(rectBottom.left + 10, rectBottom.CenterPoint().y);
    }
};

}  // namespace

TEST_F(FrameDockingFixture, AFrameOfPanesDocksOntoASideAsAWhole) {
    CFramePane* p1 = Pane(501);
    CFramePane* p2 = Pane(502);
    CFramePane* p3 = Pane(503);
    ASSERT_TRUE(p1 && p2 && p3);
    CSPMultiMiniFrameWnd* pMulti = Floating({p1, p2, p3});
    ASSERT_NE(pMulti, nullptr);
    ASSERT_EQ(pMulti->GetControlBarCount(), 3);
    // The hidden pane stays in the frame.
    p3->ShowControlBar(FALSE, FALSE, FALSE);
    PumpPending();
    ASSERT_FALSE(p3->IsWindowVisible());
    ASSERT_TRUE(pMulti->IsWindowVisible());

    CRect rectClient = ClientRect();
    CPoint pt(rectClient.left + 3, rectClient.CenterPoint().y);
    pFrame->ClientToScreen(&pt);
    ASSERT_TRUE(PointAt(pt.x, pt.y));
    const HWND hMulti = pMulti->GetSafeHwnd();
    EXPECT_FALSE(pMulti->DockToTarget(1, NULL, 5));
    PumpPending();

    for (CFramePane* p : {p1, p2}) {
        EXPECT_EQ(p->GetParent(), pFrame) << p->GetDlgCtrlID();
        EXPECT_FALSE(p->IsFloating());
        EXPECT_TRUE(p->IsWindowVisible());
        EXPECT_GT(p->GetCaptionHeight(), 0);
    }
    CSPSlider* pSlider = p1->GetDefaultSlider();
    ASSERT_NE(pSlider, nullptr);
    EXPECT_EQ(p2->GetDefaultSlider(), pSlider);
    EXPECT_EQ(pSlider->GetCurrentAlignment(), (DWORD)CBRS_ALIGN_LEFT);
    EXPECT_TRUE(pManager->IsBarKnown(pSlider));
    CSPBarContainerManager* pRegion = pSlider->GetContainerManager();
    ASSERT_NE(pRegion, nullptr);
    EXPECT_EQ(pRegion->GetBars().GetCount(), 2);
    EXPECT_EQ(pRegion->GetSliders().GetCount(), 1);
    // The shape came along: the first pane above the second, a slider
    // between, the region on the left edge.
    EXPECT_LT(Rect(p1).bottom, Rect(p2).top);
    EXPECT_EQ(Rect(p1).left, 0);
    EXPECT_EQ(Rect(p1).left, Rect(p2).left);
    std::string strWhich;
    EXPECT_TRUE(NoneOverlap({p1, p2, pSlider}, &strWhich)) << strWhich;
    // The hidden pane's frame is left, hidden, with the pane.
    ASSERT_TRUE(::IsWindow(hMulti));
    EXPECT_FALSE(pMulti->IsWindowVisible());
    EXPECT_EQ(pMulti->GetControlBarCount(), 1);
    EXPECT_EQ(p3->GetParentMiniFrame(TRUE), pMulti);
    EXPECT_EQ(pMulti->GetContainerManager().GetSliders().GetCount(), 0);

    // Away from every side nothing docks.
    CFramePane* p4 = Pane(504, CBRS_ALIGN_RIGHT);
    ASSERT_NE(p4, nullptr);
    CSPMultiMiniFrameWnd* pOther = Floating({p4});
    ASSERT_NE(pOther, nullptr);
    ASSERT_TRUE(PointAt(rectClient.CenterPoint().x + 40, rectClient.CenterPoint().y + 40));
    EXPECT_TRUE(pOther->DockToTarget(1, NULL, 5));
    EXPECT_TRUE(p4->IsFloating());
}

TEST_F(FrameDockingFixture, AFrameDroppedOnAPaneBecomesItsTabsOrDocksBesideIt) {
    CFramePane* pTarget = Pane(511, CBRS_ALIGN_BOTTOM, CSize(300, 150));
    CFramePane* a = Pane(512);
    CFramePane* b = Pane(513);
    ASSERT_TRUE(pTarget && a && b);
    CSPMultiMiniFrameWnd* pMulti = Floating({a, b});
    ASSERT_NE(pMulti, nullptr);
    const HWND hMulti = pMulti->GetSafeHwnd();
    // On the caption: every pane of the frame becomes a tab of the target.
    CPoint pt = CaptionPoint(pTarget);
    ASSERT_TRUE(PointAt(pt.x, pt.y));
    EXPECT_FALSE(pMulti->DockToTarget(2, pTarget, 5));
    PumpPending();
    EXPECT_FALSE(::IsWindow(hMulti));
    CSPBaseTabbedBar* pTabbed = pTarget->GetParentTabbedBar();
    ASSERT_NE(pTabbed, nullptr);
    EXPECT_EQ(a->GetParentTabbedBar(), pTabbed);
    EXPECT_EQ(b->GetParentTabbedBar(), pTabbed);
    EXPECT_EQ(pTabbed->GetTabsNum(), 3);
    EXPECT_EQ(pTabbed->GetTabBar(1, FALSE), a);
    EXPECT_EQ(pTabbed->GetTabBar(2, FALSE), b);

    // Near the tabbed bar's right edge another frame docks beside it, in
    // its region.
    CFramePane* c = Pane(514);
    CFramePane* d = Pane(515);
    ASSERT_TRUE(c && d);
    CSPMultiMiniFrameWnd* pSecond = Floating({c, d});
    ASSERT_NE(pSecond, nullptr);
    CRect rectTabbed;
    pTabbed->GetWindowRect(rectTabbed);
    ASSERT_TRUE(PointAt(rectTabbed.right - 4, rectTabbed.CenterPoint().y));
    EXPECT_FALSE(pSecond->DockToTarget(1, pTabbed, 5));
    PumpPending();
    for (CFramePane* p : {c, d}) {
        EXPECT_EQ(p->GetParent(), pFrame);
        EXPECT_EQ(p->GetDefaultSlider(), pTabbed->GetDefaultSlider());
    }
    EXPECT_LT(Rect(pTabbed).right, Rect(c).left);
    std::string strWhich;
    EXPECT_TRUE(NoneOverlap({pTabbed, c, d}, &strWhich)) << strWhich;

    // A pane of the frame itself is no target.
    CFramePane* e = Pane(516);
    ASSERT_NE(e, nullptr);
    CSPMultiMiniFrameWnd* pThird = Floating({e});
    ASSERT_NE(pThird, nullptr);
    EXPECT_TRUE(pThird->DockToTarget(2, e, 5));
    EXPECT_TRUE(e->IsFloating());
}

TEST_F(FrameDockingFixture, AFrameDroppedOnAnotherFramesCaptionGivesTabs) {
    CFramePane* a = Pane(521);
    CFramePane* b = Pane(522);
    CFramePane* c = Pane(523);
    ASSERT_TRUE(a && b && c);
    CSPMultiMiniFrameWnd* pHost = Floating({a, b});
    ASSERT_NE(pHost, nullptr);
    CSPMultiMiniFrameWnd* pGuest = Floating({c});
    ASSERT_NE(pGuest, nullptr);
    pGuest->MoveWindow(CRect(20, 20, 200, 200));
    PumpPending();
    const HWND hGuest = pGuest->GetSafeHwnd();
    CPoint pt = CaptionPoint(b);
    ASSERT_TRUE(PointAt(pt.x, pt.y));
    EXPECT_FALSE(pHost->DockMiniFrame(pGuest, 5));
    PumpPending();
    EXPECT_FALSE(::IsWindow(hGuest));
    CSPBaseTabbedBar* pTabbed = b->GetParentTabbedBar();
    ASSERT_NE(pTabbed, nullptr);
    EXPECT_EQ(c->GetParentTabbedBar(), pTabbed);
    EXPECT_EQ(pTabbed->GetParentMiniFrame(TRUE), pHost);
    EXPECT_EQ(pHost->GetControlBarCount(), 2);
}

TEST_F(FrameDockingFixture, TheOutlinePreviewsBesideAPaneAndAPlaceholderTabOnATabStrip) {
    CFramePane* p1 = Pane(531);
    CFramePane* p2 = Pane(532);
    ASSERT_TRUE(p1 && p2);
    ASSERT_TRUE(p2->DockBeside(p1, CBRS_ALIGN_BOTTOM));
    CFramePane* pDragged = Pane(533, CBRS_ALIGN_RIGHT);
    ASSERT_NE(pDragged, nullptr);
    CSPMultiMiniFrameWnd* pMulti = Floating({pDragged});
    ASSERT_NE(pMulti, nullptr);
    pMulti->MoveWindow(CRect(300, 300, 460, 420));
    PumpPending();

    // At the lower edge of a docked pane: the lower part of the pane, no
    // more than half of it, through the pane's slider.
    CRect r1;
    p1->GetWindowRect(r1);
    CRect rect;
    BOOL bTab = TRUE;
    CSPBaseControlBar* pTarget = NULL;
    ASSERT_TRUE(PointAt(r1.CenterPoint().x, r1.bottom - 3));
    pManager->CalcDragPreview(pMulti, CPoint(r1.CenterPoint().x, r1.bottom - 3), rect, bTab, pTarget);
    EXPECT_EQ(pTarget, p1);
    EXPECT_FALSE(bTab);
    EXPECT_EQ(rect.bottom, r1.bottom);
    EXPECT_EQ(rect.left, r1.left);
    EXPECT_EQ(rect.right, r1.right);
    EXPECT_GE(rect.top, r1.top + r1.Height() / 2);
    // On its caption: a tab.
    pManager->CalcDragPreview(pMulti, CaptionPoint(p1), rect, bTab, pTarget);
    EXPECT_EQ(pTarget, p1);
    EXPECT_TRUE(bTab);
    // At the frame's right edge: the side's dock bar.
    CRect rectClient = ClientRect();
    CPoint ptRight(rectClient.right - 3, rectClient.CenterPoint().y);
    pFrame->ClientToScreen(&ptRight);
    pManager->CalcDragPreview(pMulti, ptRight, rect, bTab, pTarget);
    EXPECT_EQ(pTarget, DockBar(CBRS_ALIGN_RIGHT));
    EXPECT_FALSE(rect.IsRectEmpty());
    EXPECT_FALSE(bTab);

    // Over a tab strip the drag shows a placeholder tab labelled as the
    // dragged frame, and takes it away when it leaves.
    CFramePane* p4 = Pane(534);
    ASSERT_NE(p4, nullptr);
    CSPBaseTabbedBar* pTabbed = p4->AttachToTabWnd(p1, SP_DM_MOUSE, TRUE);
    ASSERT_NE(pTabbed, nullptr);
    PumpPending();
    CSPBaseTabWnd* pTabWnd = pTabbed->GetTabWnd();
    const int nActive = pTabWnd->GetActiveTab();
    CSPDockDragHelper& helper = pMulti->GetDragHelper();
    CPoint ptTab = BottomTabPoint(pTabbed);
    ASSERT_TRUE(PointAt(ptTab.x, ptTab.y));
    helper.m_ptLast = ptTab - CSize(30, 30);
    helper.MoveDrag(TRUE);
    EXPECT_TRUE(helper.IsTabPreviewActive());
    ASSERT_EQ(pTabWnd->GetTabsNum(), 3);
    CString strLabel;
    pTabWnd->GetTabLabel(2, strLabel);
    EXPECT_EQ(strLabel, CString("Pane 533"));
    EXPECT_EQ(pTabWnd->GetActiveTab(), 2);
    EXPECT_FALSE(helper.IsOutlineShown());
    CPoint ptAway = rectClient.CenterPoint();
    pFrame->ClientToScreen(&ptAway);
    ASSERT_TRUE(PointAt(ptAway.x, ptAway.y));
    helper.MoveDrag(TRUE);
    EXPECT_FALSE(helper.IsTabPreviewActive());
    EXPECT_EQ(pTabWnd->GetTabsNum(), 2);
    EXPECT_EQ(pTabWnd->GetActiveTab(), nActive);
    EXPECT_EQ(pTabbed->GetTabBar(0, FALSE), p1);
    EXPECT_EQ(pTabbed->GetTabBar(1, FALSE), p4);
    EXPECT_TRUE(helper.IsOutlineShown());

    // Released over the strip: the placeholder goes, the frame's pane
    // becomes the tab.
    ASSERT_TRUE(PointAt(ptTab.x, ptTab.y));
    helper.MoveDrag(TRUE);
    ASSERT_TRUE(helper.IsTabPreviewActive());
    helper.EndTracking(TRUE);
    EXPECT_EQ(pTabWnd->GetTabsNum(), 2);
    EXPECT_TRUE(helper.m_bTabPreviewShown);
    EXPECT_EQ(helper.m_pFinalTarget, pTabbed);
    EXPECT_FALSE(helper.IsOutlineShown());
    BOOL bAttached = FALSE;
    pMulti->TryDockControlBar(bAttached);
    PumpPending();
    EXPECT_TRUE(bAttached);
    EXPECT_EQ(pDragged->GetParentTabbedBar(), pTabbed);
    EXPECT_EQ(pTabbed->GetTabsNum(), 3);
}

namespace {

clock_t g_clkFake = 0;
clock_t FakeTicks() { return g_clkFake; }

}  // namespace

// Dragged by its own window in dock mode 1, a frame of panes rests over its
// target and then docks as a whole: every pane leaves, the frame goes.
TEST_F(FrameDockingFixture, AFrameDraggedByItsWindowDocksAsAWholeAfterTheRest) {
    enum Where { Side, Beside, Tabs };
    struct Case {
        Where where;
        const char* name;
    };
    const Case cases[] = {{Side, "onto the left side"}, {Beside, "beside a pane"}, {Tabs, "as tabs of a pane"}};
    struct FakeClock {
        clock_t (*pfnOld)() = CSPDockManager::m_pfnClock;
        FakeClock() { CSPDockManager::m_pfnClock = FakeTicks; }
        ~FakeClock() { CSPDockManager::m_pfnClock = pfnOld; }
    } fakeClock;
    UINT nID = 540;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CFramePane* pTarget = c.where == Side ? NULL : Pane(nID++, CBRS_ALIGN_BOTTOM, CSize(300, 150));
        CFramePane* a = Pane(nID++);
        CFramePane* b = Pane(nID++);
        ASSERT_TRUE(a && b && (c.where == Side || pTarget));
        for (CFramePane* p : {a, b}) p->SetDockMode(SP_DT_IMMEDIATE);
        CSPMultiMiniFrameWnd* pMulti = Floating({a, b});
        ASSERT_NE(pMulti, nullptr);
        ASSERT_EQ(pMulti->GetDockMode(), SP_DT_IMMEDIATE);
        const HWND hMulti = pMulti->GetSafeHwnd();

        CPoint ptDrop;
        if (c.where == Side) {
            ptDrop = CPoint(ClientRect().left + 3, ClientRect().CenterPoint().y);
            pFrame->ClientToScreen(&ptDrop);
        } else if (c.where == Beside) {
            ptDrop = CPoint(Rect(pTarget).right - 4, Rect(pTarget).CenterPoint().y);
            pFrame->ClientToScreen(&ptDrop);
        } else {
            ptDrop = CaptionPoint(pTarget);
        }

        CRect rectCaption, rectWnd;
        pMulti->GetCaptionRect(rectCaption);
        pMulti->GetWindowRect(rectWnd);
        const CPoint ptGrip(rectWnd.left + rectCaption.left + 10, rectWnd.top + rectCaption.CenterPoint().y);
        ASSERT_TRUE(PressAt(ptGrip));
        for (int i = 0; i < 100 && !pMulti->IsDragging(); i++) {
            ::Sleep(5);
            PumpPending();
        }
        ASSERT_TRUE(pMulti->IsDragging());
        g_clkFake = 1000;
        ASSERT_TRUE(DragTo(ptDrop.x, ptDrop.y));
        ASSERT_TRUE(DragTo(ptDrop.x + 1, ptDrop.y));
        PumpFor(100);
        ASSERT_TRUE(::IsWindow(hMulti)) << "not before the rest";
        EXPECT_EQ(a->GetParentMiniFrame(TRUE), pMulti);
        g_clkFake += 300;
        PumpFor(200);
        // The rest docks it, with the button still down: the release alone
        // would not take the frame's panes along.
        EXPECT_FALSE(::IsWindow(hMulti)) << "docked after the rest, before the release";
        SendMouse(MOUSEEVENTF_LEFTUP);
        PumpFor(50);

        for (CFramePane* p : {a, b}) {
            // In the frame now (a floating frame is an owned window, not a
            // child); not floating already held in the frame of two.
            EXPECT_TRUE(::IsChild(pFrame->GetSafeHwnd(), p->GetSafeHwnd())) << p->GetDlgCtrlID();
            EXPECT_EQ(p->GetParentMiniFrame(TRUE), nullptr) << p->GetDlgCtrlID();
            // A tab behind the active one is hidden.
            if (c.where != Tabs) EXPECT_TRUE(p->IsWindowVisible()) << p->GetDlgCtrlID();
        }
        if (c.where == Side) {
            CSPSlider* pSlider = a->GetDefaultSlider();
            ASSERT_NE(pSlider, nullptr);
            EXPECT_EQ(b->GetDefaultSlider(), pSlider);
            EXPECT_EQ(pSlider->GetCurrentAlignment(), (DWORD)CBRS_ALIGN_LEFT);
            EXPECT_LT(Rect(a).bottom, Rect(b).top) << "the frame's shape came along";
        } else if (c.where == Beside) {
            EXPECT_EQ(a->GetParentTabbedBar(), nullptr);
            EXPECT_EQ(a->GetDefaultSlider(), pTarget->GetDefaultSlider());
            EXPECT_EQ(b->GetDefaultSlider(), pTarget->GetDefaultSlider());
            EXPECT_LT(Rect(pTarget).right, Rect(a).left);
            std::string strWhich;
            EXPECT_TRUE(NoneOverlap({pTarget, a, b}, &strWhich)) << strWhich;
        } else {
            CSPBaseTabbedBar* pTabbed = pTarget->GetParentTabbedBar();
            ASSERT_NE(pTabbed, nullptr);
            EXPECT_EQ(a->GetParentTabbedBar(), pTabbed);
            EXPECT_EQ(b->GetParentTabbedBar(), pTabbed);
            EXPECT_EQ(pTabbed->GetTabsNum(), 3);
        }
        EXPECT_EQ(::GetCapture(), (HWND)NULL);
    }
}
