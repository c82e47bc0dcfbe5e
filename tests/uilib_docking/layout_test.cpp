// Rows, dock bars and the dock manager: docking by id and by rectangle on
// the four sides, pushing and stretching in a row, the layout pass around
// the frame's client area.
#include "layout_support.h"

#include "CreationRefusal.h"
#include "SPAutoHideDockBar.h"
#include "SPDockingUtils.h"
#include "SPStatusBar.h"

using namespace docktest;

TEST_F(DockingFixture, EnablingTwiceMakesFourDockBarsOnceInSideOrder) {
    ASSERT_TRUE(pFrame->EnableDocking(CBRS_ALIGN_ANY));
    const CObList& lst = pManager->GetControlBarList();
    ASSERT_EQ(lst.GetCount(), 4);
    const DWORD order[] = {CBRS_ALIGN_TOP, CBRS_ALIGN_BOTTOM, CBRS_ALIGN_LEFT, CBRS_ALIGN_RIGHT};
    const UINT ids[] = {AFX_IDW_DOCKBAR_TOP, AFX_IDW_DOCKBAR_BOTTOM, AFX_IDW_DOCKBAR_LEFT, AFX_IDW_DOCKBAR_RIGHT};
    int i = 0;
    for (POSITION pos = lst.GetHeadPosition(); pos != NULL; i++) {
        CSPDockBar* pDockBar = (CSPDockBar*)lst.GetNext(pos);
        ASSERT_TRUE(pDockBar->IsKindOf(RUNTIME_CLASS(CSPDockBar)));
        EXPECT_EQ(pDockBar->GetCurrentAlignment(), order[i]);
        EXPECT_EQ(pDockBar->GetDockBarID(), ids[i]);
        EXPECT_EQ((UINT)pDockBar->GetDlgCtrlID(), ids[i]);
        EXPECT_EQ(pDockBar->GetParent(), pFrame);
        // A dock bar with no rows has no thickness.
        EXPECT_EQ(pDockBar->GetThickness(), 0);
    }
    EXPECT_EQ(pManager->GetClientAreaBounds(), ClientRect());
}

TEST_F(DockingFixture, TheBorderSpaceTheFrameKeepsIsNotDockedInto) {
    pFrame->m_rectBorder = CRect(5, 7, 3, 2);
    pFrame->RecalcLayout();
    const CRect rectClient = ClientRect();
    EXPECT_EQ(FrameRect(pFrame, DockBar(CBRS_ALIGN_TOP)).TopLeft(), CPoint(5, 7));
    EXPECT_EQ(pManager->GetClientAreaBounds(), CRect(5, 7, rectClient.right - 3, rectClient.bottom - 2));
    pFrame->m_rectBorder.SetRectEmpty();
}

TEST_F(DockingFixture, BarsDockByIdOnEachSideAndTheViewGetsTheRest) {
    struct {
        UINT nID;
        DWORD dwSide;
        int nLength, nThickness;
    } cases[] = {
        {AFX_IDW_DOCKBAR_TOP, CBRS_ALIGN_TOP, 150, 26},
        {AFX_IDW_DOCKBAR_BOTTOM, CBRS_ALIGN_BOTTOM, 120, 22},
        {AFX_IDW_DOCKBAR_LEFT, CBRS_ALIGN_LEFT, 90, 30},
        {AFX_IDW_DOCKBAR_RIGHT, CBRS_ALIGN_RIGHT, 80, 28},
    };
    std::vector<CWnd*> wnds;
    for (auto& c : cases) {
        SCOPED_TRACE(c.dwSide);
        CFixedBar* pBar = MakeFixedBar(pFrame, 100 + c.nID % 100, c.nLength, c.nThickness);
        ASSERT_NE(pBar, nullptr);
        pFrame->DockControlBar(pBar, c.nID);
        CSPDockBar* pDockBar = DockBar(c.dwSide);
        EXPECT_EQ(pBar->GetParentDockBar(), pDockBar);
        EXPECT_EQ(pBar->GetParent(), pDockBar);
        EXPECT_EQ(pBar->GetCurrentAlignment(), c.dwSide);
        EXPECT_EQ(pBar->GetControlBarStyle() & CBRS_BORDER_ANY, (DWORD)CBRS_BORDER_ANY);
        ASSERT_NE(pBar->GetDockBarRow(), nullptr);
        EXPECT_EQ(pDockBar->GetThickness(), c.nThickness);
        // The bar stands at the leading end of its dock bar, at its own size.
        CRect rectBar = FrameRect(pFrame, pBar), rectDock = FrameRect(pFrame, pDockBar);
        EXPECT_EQ(rectBar.TopLeft(), rectDock.TopLeft());
        const BOOL bHorz = (c.dwSide & CBRS_ORIENT_HORZ) != 0;
        EXPECT_EQ(rectBar.Size(), bHorz ? CSize(c.nLength, c.nThickness) : CSize(c.nThickness, c.nLength));
        wnds.push_back(pBar);
    }
    const CRect rectClient = ClientRect();
    CRect rectTop = FrameRect(pFrame, DockBar(CBRS_ALIGN_TOP)), rectBottom = FrameRect(pFrame, DockBar(CBRS_ALIGN_BOTTOM));
    CRect rectLeft = FrameRect(pFrame, DockBar(CBRS_ALIGN_LEFT)), rectRight = FrameRect(pFrame, DockBar(CBRS_ALIGN_RIGHT));
    // Top and bottom span the frame; left and right fit between them.
    EXPECT_EQ(rectTop, CRect(0, 0, rectClient.right, 26));
    EXPECT_EQ(rectBottom, CRect(0, rectClient.bottom - 22, rectClient.right, rectClient.bottom));
    EXPECT_EQ(rectLeft, CRect(0, 26, 30, rectClient.bottom - 22));
    EXPECT_EQ(rectRight, CRect(rectClient.right - 28, 26, rectClient.right, rectClient.bottom - 22));
    EXPECT_EQ(pManager->GetClientAreaBounds(), CRect(30, 26, rectClient.right - 28, rectClient.bottom - 22));
    // The view takes what the bars leave.
    CWnd view;
    ASSERT_TRUE(view.CreateEx(0, BarClass(), _T("view"), WS_CHILD | WS_VISIBLE, CRect(0, 0, 10, 10), pFrame,
                              AFX_IDW_PANE_FIRST));
    pFrame->RecalcLayout();
    EXPECT_EQ(FrameRect(pFrame, &view), pManager->GetClientAreaBounds());
    view.DestroyWindow();
    std::string which;
    EXPECT_TRUE(NoneOverlap(wnds, &which)) << which;

    // A bar docked with an id of no side, or into a side it does not
    // enable, stays where it is.
    CFixedBar* pTopOnly = MakeFixedBar(pFrame, 200, 60);
    pTopOnly->EnableDocking(CBRS_ALIGN_TOP);
    pFrame->DockControlBar(pTopOnly, AFX_IDW_DOCKBAR_LEFT);
    EXPECT_EQ(pTopOnly->GetParentDockBar(), nullptr);
    EXPECT_EQ(pTopOnly->GetParent(), pFrame);
    pFrame->DockControlBar(pTopOnly, 0);
    EXPECT_EQ(pTopOnly->GetParentDockBar(), DockBar(CBRS_ALIGN_TOP));
}

TEST(DockingWithoutDockBars, ChangesNothing) {
    CSPFrameWnd* pFrame = MakeFrame();
    ASSERT_NE(pFrame, nullptr);
    CFixedBar* pBar = MakeFixedBar(pFrame, 300, 80);
    pFrame->DockControlBar(pBar, AFX_IDW_DOCKBAR_TOP);
    EXPECT_EQ(pBar->GetParent(), pFrame);
    EXPECT_EQ(pBar->GetParentDockBar(), nullptr);
    EXPECT_EQ(pFrame->GetDockManager()->GetControlBarList().GetCount(), 0);
    // The list operations refuse what they cannot do.
    CSPDockManager* pManager = pFrame->GetDockManager();
    EXPECT_TRUE(pManager->AddControlBar(pBar));
    EXPECT_FALSE(pManager->AddControlBar(pBar));
    CFixedBar* pOther = MakeFixedBar(pFrame, 301, 80);
    EXPECT_FALSE(pManager->InsertControlBar(pOther, pOther));
    EXPECT_FALSE(pManager->InsertControlBar(pBar, pOther));
    EXPECT_TRUE(pManager->InsertControlBar(pOther, pBar, FALSE));
    EXPECT_EQ(pManager->GetControlBarList().GetHead(), pOther);
    EXPECT_FALSE(pManager->RemoveControlBar(NULL));
    pFrame->DestroyWindow();
}

TEST_F(DockingFixture, DockingByRectangleChoosesTheRowUnderItsCorner) {
    CFixedBar* pFirst = MakeFixedBar(pFrame, 401, 100);
    CFixedBar* pSecond = MakeFixedBar(pFrame, 402, 100);
    CFixedBar* pThird = MakeFixedBar(pFrame, 403, 100);
    pFrame->DockControlBar(pFirst, AFX_IDW_DOCKBAR_TOP);
    // A rectangle over the first row, further along: the same row, there.
    CRect rect(250, 5, 350, 29);
    pFrame->DockControlBar(pSecond, AFX_IDW_DOCKBAR_TOP, rect);
    EXPECT_EQ(pSecond->GetDockBarRow(), pFirst->GetDockBarRow());
    EXPECT_EQ(FrameRect(pFrame, pSecond).left, 250);
    // A rectangle below every row: a new row behind them.
    CRect rectBelow(10, 40, 110, 64);
    pFrame->DockControlBar(pThird, AFX_IDW_DOCKBAR_TOP, rectBelow);
    CSPDockBar* pTop = DockBar(CBRS_ALIGN_TOP);
    EXPECT_EQ(pTop->GetRows().GetCount(), 2);
    EXPECT_EQ(pTop->GetThickness(), 48);
    EXPECT_EQ(pTop->GetRowIndex(pThird->GetDockBarRow()), 1);
    EXPECT_EQ(FrameRect(pFrame, pThird).top, 24);
    EXPECT_EQ(pManager->GetClientAreaBounds().top, 48);

    // The last bar of a row takes the row with it, and the dock bar shrinks.
    pThird->UnDockControlBar(FALSE);
    EXPECT_EQ(pTop->GetRows().GetCount(), 1);
    EXPECT_EQ(pTop->GetThickness(), 24);
    EXPECT_EQ(pManager->GetClientAreaBounds().top, 24);

    // A row is not made thinner than its bars; a thicker bar widens it.
    CSPDockBarRow* pRow = pFirst->GetDockBarRow();
    EXPECT_EQ(pTop->ResizeRow(pRow, 10, TRUE), 0);
    EXPECT_EQ(pRow->GetRowHeight(), 24);
    CFixedBar* pThick = MakeFixedBar(pFrame, 404, 60, 40);
    pFrame->DockControlBar(pThick, AFX_IDW_DOCKBAR_TOP, CRect(400, 0, 460, 40));
    EXPECT_EQ(pThick->GetDockBarRow(), pRow);
    EXPECT_EQ(pRow->GetRowHeight(), 40);
    EXPECT_EQ(pTop->GetThickness(), 40);
    EXPECT_EQ(pManager->GetClientAreaBounds().top, 40);
}

// Three bars of 50 in the top row at the given places; the first is moved
// by 10 and the row keeps them apart.
TEST_F(DockingFixture, APushTravelsThroughTouchingBarsAndGapsAbsorbIt) {
    struct {
        int nSecond, nThird;        // leading edges before the push
        int nSecondAfter, nThirdAfter;
    } cases[] = {
        {50, 100, 60, 110},  // touching: all move by 10
        {54, 104, 60, 110},  // a gap of 4: the others move by 6
        {70, 120, 70, 120},  // a gap of 20 takes the whole push
    };
    CFixedBar* bars[3];
    for (int i = 0; i < 3; i++) {
        bars[i] = MakeFixedBar(pFrame, 500 + i, 50);
        pFrame->DockControlBar(bars[i], AFX_IDW_DOCKBAR_TOP, CRect(i * 60, 0, i * 60 + 50, 24));
    }
    CSPDockBarRow* pRow = bars[0]->GetDockBarRow();
    ASSERT_EQ(pRow->GetControlBarList().GetCount(), 3);
    for (auto& c : cases) {
        SCOPED_TRACE(c.nSecond);
        bars[0]->SetWindowPos(NULL, 0, 0, 50, 24, SWP_NOZORDER);
        bars[1]->SetWindowPos(NULL, c.nSecond, 0, 50, 24, SWP_NOZORDER);
        bars[2]->SetWindowPos(NULL, c.nThird, 0, 50, 24, SWP_NOZORDER);
        bars[0]->SetWindowPos(NULL, 10, 0, 50, 24, SWP_NOZORDER);
        pRow->ResolveOverlaps(bars[0]);
        EXPECT_EQ(FrameRect(pFrame, bars[0]).left, 10);
        EXPECT_EQ(FrameRect(pFrame, bars[1]).left, c.nSecondAfter);
        EXPECT_EQ(FrameRect(pFrame, bars[2]).left, c.nThirdAfter);
    }
}

TEST_F(DockingFixture, ARowTooShortShrinksItsBarsAndGivesLengthBackWhenItGrows) {
    std::vector<CWnd*> wnds;
    std::vector<CFixedBar*> bars;
    for (int i = 0; i < 3; i++) {
        bars.push_back(MakeFixedBar(pFrame, 600 + i, 250));
        bars.back()->m_nMinLength = 60;
        pFrame->DockControlBar(bars.back(), AFX_IDW_DOCKBAR_TOP, CRect(i * 250, 0, i * 250 + 250, 24));
        wnds.push_back(bars.back());
    }
    CSPDockBarRow* pRow = bars[0]->GetDockBarRow();
    EXPECT_EQ(pRow->GetControlBarList().GetCount(), 3);
    const int nRow = ClientRect().Width();
    ASSERT_LT(nRow, 750);
    std::string which;
    EXPECT_TRUE(NoneOverlap(wnds, &which)) << which;
    int nUsed = 0;
    for (CFixedBar* pBar : bars) {
        CRect rect = FrameRect(pFrame, pBar);
        EXPECT_GE(rect.left, 0);
        EXPECT_LE(rect.right, nRow);
        EXPECT_GE(rect.Width(), 60);
        nUsed += rect.Width();
    }
    EXPECT_EQ(nUsed, nRow);  // squeezed bars fill the row

    // A wider frame gives the bars their lengths back.
    pFrame->SetWindowPos(NULL, 0, 0, 900, 400, SWP_NOMOVE | SWP_NOZORDER);
    EXPECT_TRUE(NoneOverlap(wnds, &which)) << which;
    for (CFixedBar* pBar : bars) EXPECT_EQ(FrameRect(pFrame, pBar).Width(), 250);
}

TEST_F(DockingFixture, ARowOfMoreBarsThanTheFrameIsLongLaysOutWithoutOverlap) {
    // Even at their minimum lengths the bars do not fit: the tail sticks
    // out past the row's end rather than bars covering each other.
    std::vector<CWnd*> wnds;
    for (int i = 0; i < 40; i++) {
        CFixedBar* pBar = MakeFixedBar(pFrame, 700 + i, 60);
        pBar->m_nMinLength = 30;
        pFrame->DockControlBar(pBar, AFX_IDW_DOCKBAR_LEFT, CRect(0, 10, 24, 70));
        wnds.push_back(pBar);
    }
    CSPDockBar* pLeft = DockBar(CBRS_ALIGN_LEFT);
    EXPECT_EQ(pLeft->GetRows().GetCount(), 1);
    std::string which;
    EXPECT_TRUE(NoneOverlap(wnds, &which)) << which;
    pFrame->SetWindowPos(NULL, 0, 0, 400, 200, SWP_NOMOVE | SWP_NOZORDER);
    EXPECT_TRUE(NoneOverlap(wnds, &which)) << which;
}

TEST_F(DockingFixture, HiddenBarsTakeNoSpaceAndHiddenDockBarsKeepTheirPlace) {
    CFixedBar* pLeft = MakeFixedBar(pFrame, 801, 100, 40);
    pFrame->DockControlBar(pLeft, AFX_IDW_DOCKBAR_LEFT);
    EXPECT_EQ(pManager->GetClientAreaBounds().left, 40);
    EXPECT_TRUE(pLeft->ShowControlBar(FALSE, FALSE, FALSE));
    EXPECT_FALSE(pLeft->IsWindowVisible());
    EXPECT_EQ(DockBar(CBRS_ALIGN_LEFT)->GetThickness(), 0);
    EXPECT_EQ(pManager->GetClientAreaBounds().left, 0);
    EXPECT_TRUE(pLeft->ShowControlBar(TRUE, FALSE, FALSE));
    EXPECT_EQ(pManager->GetClientAreaBounds().left, 40);

    // A bar of the frame's own list that is hidden takes no space either.
    CFixedBar* pStrip = MakeFixedBar(pFrame, 802, 100, 18);
    pStrip->SetCurrentAlignment(CBRS_ALIGN_BOTTOM);
    ASSERT_TRUE(pFrame->AddControlBar(pStrip));
    pFrame->RecalcLayout();
    EXPECT_EQ(pManager->GetClientAreaBounds().bottom, ClientRect().bottom - 18);
    pStrip->ShowWindow(SW_HIDE);
    pFrame->RecalcLayout();
    EXPECT_EQ(pManager->GetClientAreaBounds().bottom, ClientRect().bottom);

    // Print preview hides the bars, but not a status bar, and brings back
    // what it hid.
    CSPStatusBar status;
    ASSERT_TRUE(status.Create(NULL, WS_CHILD | WS_VISIBLE, CRect(0, 0, 100, 20), pFrame, 803, 0));
    status.SetCurrentAlignment(CBRS_ALIGN_BOTTOM);
    ASSERT_TRUE(pFrame->AddControlBar(&status));
    pFrame->SetPrintPreviewMode(TRUE, NULL);
    EXPECT_TRUE(status.IsWindowVisible());
    EXPECT_FALSE(pLeft->IsWindowVisible());
    EXPECT_EQ(pManager->GetClientAreaBounds().left, 0);
    pFrame->SetPrintPreviewMode(FALSE, NULL);
    EXPECT_TRUE(pLeft->IsWindowVisible());
    EXPECT_FALSE(pStrip->IsWindowVisible());  // it was hidden before
    EXPECT_EQ(pManager->GetClientAreaBounds().left, 40);

    // Hiding all bars is refused a second time, and so is showing them
    // when they are not hidden.
    EXPECT_FALSE(pManager->ShowAllControlBars(TRUE));
    EXPECT_TRUE(pManager->ShowAllControlBars(FALSE));
    EXPECT_FALSE(pManager->ShowAllControlBars(FALSE));
    EXPECT_FALSE(pLeft->IsWindowVisible());
    EXPECT_TRUE(status.IsWindowVisible());
    EXPECT_TRUE(pManager->ShowAllControlBars(TRUE));
    EXPECT_TRUE(pLeft->IsWindowVisible());
}

TEST_F(DockingFixture, DraggingAcrossTwoThirdsOfTheThicknessChangesTheRow) {
    CFixedBar* pFirst = MakeFixedBar(pFrame, 901, 100);
    CFixedBar* pSecond = MakeFixedBar(pFrame, 902, 100);
    pFrame->DockControlBar(pFirst, AFX_IDW_DOCKBAR_TOP);
    pFrame->DockControlBar(pSecond, AFX_IDW_DOCKBAR_TOP, CRect(150, 0, 250, 24));
    CSPDockBar* pTop = DockBar(CBRS_ALIGN_TOP);
    ASSERT_EQ(pTop->GetRows().GetCount(), 1);
    // 15 of 24 pixels down is less than two thirds: the bar stays.
    EXPECT_FALSE(pTop->MoveControlBar(pSecond, 0, 0, 15));
    EXPECT_EQ(pTop->GetRows().GetCount(), 1);
    pSecond->UpdateVirtualRect();
    // 17 is more: its row had another bar, so it gets a new row of its own.
    pTop->MoveControlBar(pSecond, 0, 0, 17);
    ASSERT_EQ(pTop->GetRows().GetCount(), 2);
    EXPECT_EQ(pTop->GetRowIndex(pSecond->GetDockBarRow()), 1);
    EXPECT_EQ(pTop->GetThickness(), 48);
    // Back up into the first row: the second row goes with its last bar.
    pSecond->UpdateVirtualRect();
    pTop->MoveControlBar(pSecond, 0, 0, -20);
    EXPECT_EQ(pTop->GetRows().GetCount(), 1);
    EXPECT_EQ(pSecond->GetDockBarRow(), pFirst->GetDockBarRow());
    std::string which;
    EXPECT_TRUE(NoneOverlap({pFirst, pSecond}, &which)) << which;
    // Dragged far out of the dock bar the bar floats in a frame of its own.
    pSecond->UpdateVirtualRect();
    EXPECT_TRUE(pTop->MoveControlBar(pSecond, 0, 0, 300));
    EXPECT_EQ(pSecond->GetParentDockBar(), nullptr);
    EXPECT_NE(pSecond->GetParentMiniFrame(), nullptr);
    EXPECT_TRUE(pSecond->IsFloating());
    EXPECT_EQ(pTop->GetRows().GetCount(), 1);
}

TEST_F(DockingFixture, AFrameResizedLaysItsBarsOutAgainWithoutOverlap) {
    std::vector<CWnd*> wnds;
    const UINT ids[] = {AFX_IDW_DOCKBAR_TOP, AFX_IDW_DOCKBAR_BOTTOM, AFX_IDW_DOCKBAR_LEFT, AFX_IDW_DOCKBAR_RIGHT};
    UINT nID = 1000;
    for (UINT nDockID : ids) {
        for (int i = 0; i < 3; i++) {
            CFixedBar* pBar = MakeFixedBar(pFrame, nID++, 90 + 20 * i);
            pFrame->DockControlBar(pBar, nDockID);
            wnds.push_back(pBar);
        }
        // A second row on every side.
        CFixedBar* pBar = MakeFixedBar(pFrame, nID++, 70);
        const BOOL bHorz = nDockID == AFX_IDW_DOCKBAR_TOP || nDockID == AFX_IDW_DOCKBAR_BOTTOM;
        CRect rect = bHorz ? CRect(5, 30, 75, 54) : CRect(30, 5, 54, 75);
        pFrame->DockControlBar(pBar, nDockID, rect);
        wnds.push_back(pBar);
    }
    const CSize sizes[] = {CSize(360, 340), CSize(900, 700), CSize(330, 320), CSize(600, 400)};
    for (CSize size : sizes) {
        SCOPED_TRACE(size.cx);
        pFrame->SetWindowPos(NULL, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER);
        PumpPending();
        std::string which;
        EXPECT_TRUE(NoneOverlap(wnds, &which)) << which;
        // Every bar stays inside its dock bar across.
        for (size_t i = 0; i < wnds.size(); i++) {
            CSPControlBar* pBar = (CSPControlBar*)wnds[i];
            CRect rectBar, rectDock;
            pBar->GetWindowRect(rectBar);
            pBar->GetParentDockBar()->GetWindowRect(rectDock);
            if (pBar->IsHorizontal()) {
                EXPECT_GE(rectBar.top, rectDock.top);
                EXPECT_LE(rectBar.bottom, rectDock.bottom);
            } else {
                EXPECT_GE(rectBar.left, rectDock.left);
                EXPECT_LE(rectBar.right, rectDock.right);
            }
        }
        CRect rectClient = ClientRect();
        EXPECT_EQ(FrameRect(pFrame, DockBar(CBRS_ALIGN_TOP)).Width(), rectClient.Width());
        EXPECT_EQ(FrameRect(pFrame, DockBar(CBRS_ALIGN_BOTTOM)).Width(), rectClient.Width());
    }
}

TEST_F(DockingFixture, HitTestsFindTheSideNearTheDockingEdges) {
    CFixedBar* pBar = MakeFixedBar(pFrame, 1101, 100, 30);
    pFrame->DockControlBar(pBar, AFX_IDW_DOCKBAR_LEFT);
    CRect rectClient = pManager->GetClientAreaBounds();
    pFrame->ClientToScreen(rectClient);
    DWORD dwSide = 0;
    BOOL bOuter = FALSE;
    // Just inside the client area's left edge: near the left side. With no
    // panes docked to the frame the outer docking edge is that edge too.
    EXPECT_TRUE(pFrame->IsPointNearDockBar(CPoint(rectClient.left + 5, rectClient.CenterPoint().y), dwSide, bOuter));
    EXPECT_EQ(dwSide, (DWORD)CBRS_ALIGN_LEFT);
    EXPECT_TRUE(bOuter);
    EXPECT_TRUE(pFrame->IsPointNearDockBar(CPoint(rectClient.CenterPoint().x, rectClient.bottom - 3), dwSide, bOuter));
    EXPECT_EQ(dwSide, (DWORD)CBRS_ALIGN_BOTTOM);
    EXPECT_FALSE(pFrame->IsPointNearDockBar(rectClient.CenterPoint(), dwSide, bOuter));

    CRect rectBar;
    pBar->GetWindowRect(rectBar);
    EXPECT_EQ(pFrame->ControlBarFromPoint(rectBar.CenterPoint(), 0, true, RUNTIME_CLASS(CSPDockBar)),
              DockBar(CBRS_ALIGN_LEFT));
    EXPECT_EQ(pManager->FindBarByID(1101), pBar);
    EXPECT_EQ(pManager->FindDockBarByID(pBar), DockBar(CBRS_ALIGN_LEFT));
    CObList lst;
    pManager->GetControlBarList(lst, FALSE, RUNTIME_CLASS(CSPControlBar));
    ASSERT_EQ(lst.GetCount(), 1);
    EXPECT_EQ(lst.GetHead(), pBar);
}

namespace {
clock_t g_clkNow = 0;
clock_t FakeClock() { return g_clkNow; }
}  // namespace

TEST_F(DockingFixture, AFloatingBarDocksAfterRestingOverADockBar) {
    // A bar that floats (here: a plain child of the frame outside every
    // dock bar) with the cursor over the top dock bar.
    pFrame->DockControlBar(MakeFixedBar(pFrame, 1200, 100), AFX_IDW_DOCKBAR_TOP);
    CFixedBar* pBar = MakeFixedBar(pFrame, 1201, 100);
    pBar->SetWindowPos(NULL, 100, 10, 100, 24, SWP_NOZORDER);
    CRect rectTop;
    DockBar(CBRS_ALIGN_TOP)->GetWindowRect(rectTop);
    clock_t (*pfnOld)() = CSPDockManager::m_pfnClock;
    CSPDockManager::m_pfnClock = FakeClock;
    g_clkNow = 1000;
    ASSERT_TRUE(MoveCursorTo(rectTop.left + 150, rectTop.top + 2));
    EXPECT_TRUE(pManager->OnMoveFloatingBar(pBar, NULL));  // the rest starts
    g_clkNow += 150;
    EXPECT_TRUE(pManager->OnMoveFloatingBar(pBar, NULL));
    EXPECT_EQ(pBar->GetParentDockBar(), nullptr);
    // With Ctrl held nothing docks, however long the bar rests.
    BYTE keys[256];
    ASSERT_TRUE(::GetKeyboardState(keys));
    keys[VK_CONTROL] |= 0x80;
    ASSERT_TRUE(::SetKeyboardState(keys));
    g_clkNow += 5000;
    EXPECT_TRUE(pManager->OnMoveFloatingBar(pBar, NULL));
    EXPECT_EQ(pBar->GetParentDockBar(), nullptr);
    keys[VK_CONTROL] &= ~0x80;
    ASSERT_TRUE(::SetKeyboardState(keys));
    g_clkNow -= 5000;
    g_clkNow += 60;
    EXPECT_FALSE(pManager->OnMoveFloatingBar(pBar, NULL));  // docked away
    EXPECT_EQ(pBar->GetParentDockBar(), DockBar(CBRS_ALIGN_TOP));

    // Moving on to another dock bar starts the wait again.
    CFixedBar* pOther = MakeFixedBar(pFrame, 1202, 100);
    pFrame->DockControlBar(MakeFixedBar(pFrame, 1203, 100), AFX_IDW_DOCKBAR_LEFT);
    pOther->SetWindowPos(NULL, 100, 10, 100, 24, SWP_NOZORDER);
    EXPECT_TRUE(pManager->OnMoveFloatingBar(pOther, NULL));
    g_clkNow += 190;
    CRect rectLeft;
    DockBar(CBRS_ALIGN_LEFT)->GetWindowRect(rectLeft);
    pOther->SetWindowPos(NULL, 5, 100, 100, 24, SWP_NOZORDER);
    ASSERT_TRUE(MoveCursorTo(rectLeft.left + 5, rectLeft.top + 90));
    EXPECT_TRUE(pManager->OnMoveFloatingBar(pOther, NULL));
    g_clkNow += 190;
    EXPECT_TRUE(pManager->OnMoveFloatingBar(pOther, NULL));
    EXPECT_EQ(pOther->GetParentDockBar(), nullptr);
    g_clkNow += 20;
    EXPECT_FALSE(pManager->OnMoveFloatingBar(pOther, NULL));
    EXPECT_EQ(pOther->GetParentDockBar(), DockBar(CBRS_ALIGN_LEFT));
    CSPDockManager::m_pfnClock = pfnOld;
}

TEST_F(DockingFixture, ABarWithARowOfItsOwnTakesTheWholeRow) {
    CFixedBar* pMenu = MakeFixedBar(pFrame, 1301, 120);
    pMenu->SetExclusiveRowMode(TRUE);
    pFrame->DockControlBar(pMenu, AFX_IDW_DOCKBAR_TOP);
    EXPECT_EQ(FrameRect(pFrame, pMenu).Width(), ClientRect().Width());
    // Another bar asking for that row gets a new one behind it.
    CFixedBar* pBar = MakeFixedBar(pFrame, 1302, 80);
    pFrame->DockControlBar(pBar, AFX_IDW_DOCKBAR_TOP, CRect(200, 0, 280, 24));
    EXPECT_NE(pBar->GetDockBarRow(), pMenu->GetDockBarRow());
    pFrame->SetWindowPos(NULL, 0, 0, 800, 400, SWP_NOMOVE | SWP_NOZORDER);
    EXPECT_EQ(FrameRect(pFrame, pMenu).Width(), ClientRect().Width());
}

TEST_F(DockingFixture, OnlyToolbarsDockLeftOfOneAnother) {
    CFixedBar* pTarget = MakeFixedBar(pFrame, 1401, 80);
    CFixedBar* pBar = MakeFixedBar(pFrame, 1402, 80);
    pFrame->DockControlBar(pTarget, AFX_IDW_DOCKBAR_TOP);
    EXPECT_FALSE(pFrame->DockControlBarLeftOf(pBar, pTarget));
    EXPECT_EQ(pBar->GetParentDockBar(), nullptr);
    EXPECT_FALSE(pFrame->DockControlBarLeftOf(pBar, NULL));
}

TEST_F(DockingFixture, FloatingFramesGetTheIdleUpdateAndPreviewHidesTheBars) {
    CMessageCounter floating(WM_IDLEUPDATECMDUI);
    ASSERT_TRUE(floating.CreateEx(0, BarClass(), _T("floating"), WS_POPUP, CRect(0, 0, 50, 50), pFrame, 0));
    EXPECT_TRUE(pManager->AddMiniFrame(&floating));
    EXPECT_FALSE(pManager->AddMiniFrame(&floating));
    pFrame->SendMessage(WM_IDLEUPDATECMDUI, TRUE, 0);
    EXPECT_EQ(floating.nCount, 1);
    EXPECT_TRUE(pManager->RemoveMiniFrame(&floating));
    pFrame->SendMessage(WM_IDLEUPDATECMDUI, TRUE, 0);
    EXPECT_EQ(floating.nCount, 1);
    floating.DestroyWindow();

    CFixedBar* pBar = MakeFixedBar(pFrame, 1501, 100);
    pFrame->DockControlBar(pBar, AFX_IDW_DOCKBAR_TOP);
    pFrame->OnSetPreviewMode(TRUE, NULL);
    EXPECT_TRUE(pManager->IsPrintPreviewValid());
    EXPECT_FALSE(pBar->IsWindowVisible());
    pFrame->OnSetPreviewMode(FALSE, NULL);
    EXPECT_TRUE(pBar->IsWindowVisible());
}

TEST_F(DockingFixture, ADestroyedBarLeavesItsRowItsDockBarAndTheFramesList) {
    CFixedBar* pFirst = MakeFixedBar(pFrame, 1601, 100);
    CFixedBar* pSecond = MakeFixedBar(pFrame, 1602, 100);
    pFrame->DockControlBar(pFirst, AFX_IDW_DOCKBAR_BOTTOM);
    pFrame->DockControlBar(pSecond, AFX_IDW_DOCKBAR_BOTTOM, CRect(150, 0, 250, 24));
    CSPDockBar* pBottom = DockBar(CBRS_ALIGN_BOTTOM);
    CSPDockBarRow* pRow = pFirst->GetDockBarRow();
    ASSERT_EQ(pRow->GetControlBarList().GetCount(), 2);
    pFirst->DestroyWindow();  // the window deletes the object
    EXPECT_EQ(pRow->GetControlBarList().GetCount(), 1);
    EXPECT_EQ(pBottom->GetControlBarList().GetCount(), 1);
    pSecond->DestroyWindow();
    EXPECT_EQ(pBottom->GetRows().GetCount(), 0);
    EXPECT_EQ(pBottom->GetThickness(), 0);
    EXPECT_EQ(pManager->GetClientAreaBounds().bottom, ClientRect().bottom);

    CFixedBar* pListed = MakeFixedBar(pFrame, 1603, 100);
    ASSERT_TRUE(pFrame->AddControlBar(pListed));
    pListed->DestroyWindow();
    EXPECT_EQ(pManager->GetControlBarList().GetCount(), 4);  // the dock bars
    pFrame->RecalcLayout();
}

TEST_F(DockingFixture, ThePreviewOfADockedWindowIsAStripOfItsThicknessAtMostHalfTheClientArea) {
    CRect rectClient = pManager->GetClientAreaBounds();
    pFrame->ClientToScreen(rectClient);
    CWnd dragged;
    ASSERT_TRUE(dragged.CreateEx(0, BarClass(), _T("dragged"), WS_POPUP, CRect(0, 0, 120, 80), NULL, 0));
    CRect rect;
    pManager->CalcDockPreviewRect(&dragged, CPoint(rectClient.left + 100, rectClient.top + 3), rect);
    EXPECT_EQ(rect, CRect(rectClient.left, rectClient.top, rectClient.right, rectClient.top + 80));
    pManager->CalcDockPreviewRect(&dragged, CPoint(rectClient.right - 3, rectClient.top + 100), rect);
    EXPECT_EQ(rect, CRect(rectClient.right - 120, rectClient.top, rectClient.right, rectClient.bottom));
    // A side the dragged bar does not enable, or the middle: no preview.
    pManager->CalcDockPreviewRect(&dragged, CPoint(rectClient.right - 3, rectClient.top + 100), rect,
                                  CBRS_ALIGN_LEFT);
    EXPECT_TRUE(rect.IsRectEmpty());
    pManager->CalcDockPreviewRect(&dragged, rectClient.CenterPoint(), rect);
    EXPECT_TRUE(rect.IsRectEmpty());
    // A window taller than half the client area is cut to half of it.
    dragged.SetWindowPos(NULL, 0, 0, 120, 1000, SWP_NOMOVE | SWP_NOZORDER);
    pManager->CalcDockPreviewRect(&dragged, CPoint(rectClient.left + 100, rectClient.bottom - 3), rect);
    EXPECT_EQ(rect, CRect(rectClient.left, rectClient.bottom - rectClient.Height() / 2, rectClient.right,
                          rectClient.bottom));
    dragged.DestroyWindow();
}

// A dock bar or sliding strip whose window is refused has deleted itself:
// its side stays without one, and enabling the side again makes it.
TEST(DockManager, ARefusedDockBarLeavesItsSideDisabledUntilTheNextTry) {
    CSPFrameWnd* pFrame = MakeFrame();
    ASSERT_NE(pFrame, nullptr);
    CSPDockManager* pManager = pFrame->GetDockManager();
    struct Case {
        const char* pszName;
        CRuntimeClass* pClass;
        BOOL bAutoHide;
    };
    for (const Case& c : {Case{"dock bar", RUNTIME_CLASS(CSPDockBar), FALSE},
                          Case{"sliding strip", RUNTIME_CLASS(CSPAutoHideDockBar), TRUE}}) {
        SCOPED_TRACE(c.pszName);
        auto enable = [&] {
            return c.bAutoHide ? pManager->EnableAutoHideBars(CBRS_ALIGN_TOP) : pManager->EnableDocking(CBRS_ALIGN_TOP);
        };
        // The strip comes after its side's dock bar in the manager's list.
        auto find = [&]() -> CSPDockBar* {
            CSPDockBar* pBar = pManager->FindDockBar(CBRS_ALIGN_TOP, !c.bAutoHide);
            return pBar != NULL && pBar->IsKindOf(RUNTIME_CLASS(CSPAutoHideDockBar)) == c.bAutoHide ? pBar : NULL;
        };
        {
            CCreationRefusal refusal(c.pClass, 1);
            EXPECT_FALSE(enable());
            EXPECT_EQ(refusal.Refused(), 1);
        }
        EXPECT_EQ(find(), nullptr);
        EXPECT_TRUE(enable());
        CSPDockBar* pMade = find();
        ASSERT_NE(pMade, nullptr);
        EXPECT_TRUE(enable());  // there already: nothing new
        EXPECT_EQ(find(), pMade);
    }
    pFrame->DestroyWindow();
}
