// Docking panes in a shown frame: their caption and caption buttons, three
// panes docked on the left and two on the bottom, resized through their
// sliders, closed, hidden, floated and sent back by double clicks, and
// joined in multi-bar mini frames.
#include "afxwin.h"

#include <gtest/gtest.h>

#include <vector>

#include "SPDockingControlBar.h"
#include "SPMultiMiniFrameWnd.h"
#include "WindowPicture.h"
#include "panes_support.h"

using namespace panetest;

namespace {

// A pane of at least 20 x 20 pixels that shows its name on white.
class CTestPane : public CSPDockingControlBar {
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

CTestPane* MakeDockingPane(CFrameWnd* pFrame, UINT nID, CSize size, DWORD dwExtraStyle = 0,
                           DWORD dwBarStyle = dwAllBarStyles) {
    CTestPane* pPane = new CTestPane;
    CString strName;
    strName.Format(_T("Pane %u"), nID);
    if (!pPane->Create(strName, pFrame, CRect(CPoint(0, 0), size), TRUE, nID,
                       WS_CHILD | WS_VISIBLE | CBRS_LEFT | dwExtraStyle, 0x20, dwBarStyle)) {
        // it has deleted itself (PostNcDestroy)
        return NULL;
    }
    pPane->EnableDocking(CBRS_ALIGN_ANY);
    return pPane;
}

CString ToolText(CSPDockingControlBar* pPane, UINT nTool) {
    char szText[80] = "";
    TOOLINFO ti;
    memset(&ti, 0, sizeof(ti));
    ti.cbSize = sizeof(ti);
    ti.hwnd = pPane->GetSafeHwnd();
    ti.uId = nTool;
    ti.lpszText = szText;
    pPane->GetToolTip().SendMessage(TTM_GETTEXT, sizeof(szText), (LPARAM)&ti);
    return CString(szText);
}

LPARAM ClientPoint(CWnd* pWnd, CPoint ptScreen) {
    pWnd->ScreenToClient(&ptScreen);
    return MAKELPARAM((short)ptScreen.x, (short)ptScreen.y);
}

// A screen point in the middle of a pane's caption, left of its buttons.
CPoint CaptionPoint(CSPDockingControlBar* pPane) {
    CRect rect;
    pPane->GetWindowRect(rect);
    return CPoint(rect.left + 10, rect.top + pPane->GetCaptionHeight() / 2);
}

struct DockingPaneFixture : PanesFixture {
    CTestPane* pPane[6] = {};
    void TearDown() override {
        if (::GetCapture() != NULL) ::ReleaseCapture();
        PanesFixture::TearDown();
        PumpPending();
    }
    CTestPane* P(UINT nID) { return pPane[nID - 100]; }
    // By object, not by id: the library-wide slider ids reach the panes'
    // ids once enough sliders were made.
    CWnd* Bar(UINT nID) { return P(nID); }
    CRect Rect(UINT nID) { return FrameRect(pFrame, P(nID)); }
    CRect Rect(CWnd* pWnd) { return FrameRect(pFrame, pWnd); }
    // Three panes stacked on the left side, two side by side on the bottom.
    void DockTwoSides(DWORD dwExtraStyle = 0) {
        for (UINT nID = 101; nID <= 105; nID++) {
            pPane[nID - 100] = MakeDockingPane(pFrame, nID, CSize(150, 80), dwExtraStyle);
            ASSERT_NE(pPane[nID - 100], nullptr);
        }
        pFrame->DockControlBar(pPane[1], AFX_IDW_DOCKBAR_LEFT);
        ASSERT_TRUE(pPane[2]->DockBeside(pPane[1], CBRS_ALIGN_BOTTOM));
        ASSERT_TRUE(pPane[3]->DockBeside(pPane[2], CBRS_ALIGN_BOTTOM));
        ASSERT_TRUE(pPane[4]->DockToFrameSide(CBRS_ALIGN_BOTTOM));
        ASSERT_TRUE(pPane[5]->DockBeside(pPane[4], CBRS_ALIGN_RIGHT));
        pFrame->RecalcLayout();
        PumpPending();
    }
    CSPSlider* Side(UINT nID) { return P(nID)->GetDefaultSlider(); }
    CSPSlider* Between(UINT nUpperID) {
        CSPBarContainer* pNode =
            Side(nUpperID)->GetContainerManager()->GetRoot()->FindNodeByBar(Bar(nUpperID),
                                                                            CSPBarContainer::FIND_LEFT_BAR);
        return pNode != NULL ? pNode->GetSlider() : NULL;
    }
    void DragSlider(CWnd* pSlider, CSize offset) {
        CRect rect;
        pSlider->GetWindowRect(rect);
        const CPoint pt = rect.CenterPoint();
        pSlider->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, ClientPoint(pSlider, pt));
        pSlider->SendMessage(WM_MOUSEMOVE, MK_LBUTTON, ClientPoint(pSlider, pt + offset));
        pSlider->SendMessage(WM_LBUTTONUP, 0, ClientPoint(pSlider, pt + offset));
        PumpPending();
    }
    // The frame goes with its floating frames; nothing is left to tear down.
    void CloseFrame() {
        pFrame->DestroyWindow();
        pFrame = NULL;
        PumpPending();
        EXPECT_EQ(CSPMiniFrameWnd::s_lstMiniFrames.GetCount(), 0);
    }
    void DoubleClickCaption(CSPDockingControlBar* pPane) {
        const CPoint pt = CaptionPoint(pPane);
        pPane->SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, ClientPoint(pPane, pt));
        PumpPending();
    }
    std::vector<CWnd*> DockedWindows() {
        std::vector<CWnd*> wnds;
        for (UINT nID = 101; nID <= 105; nID++)
            if (P(nID)->GetParent() == pFrame) wnds.push_back(Bar(nID));
        return wnds;
    }
};

}  // namespace

TEST_F(DockingPaneFixture, ACaptionStyleBecomesThePanesOwnCaption) {
    CTestPane* p = new CTestPane;
    ASSERT_TRUE(p->Create(_T("Contents"), pFrame, CRect(0, 0, 120, 200), FALSE, 120,
                          WS_CHILD | WS_VISIBLE | WS_CAPTION | CBRS_LEFT));
    EXPECT_TRUE(p->HasCaption());
    EXPECT_EQ(p->GetStyle() & WS_CAPTION, 0u);
    p->EnableDocking(CBRS_ALIGN_ANY);
    ASSERT_TRUE(p->DockToFrameSide(CBRS_ALIGN_LEFT));
    EXPECT_GT(p->GetCaptionHeight(), 0);
    EXPECT_TRUE(p->IsDocked());
    SPBarInfo info;
    p->GetVisualInfo(info);
    EXPECT_TRUE(info.bDockingPane);
    // The client area lies below the caption.
    CRect rectWnd, rectClient;
    p->GetWindowRect(rectWnd);
    p->GetClientRect(rectClient);
    p->ClientToScreen(rectClient);
    EXPECT_EQ(rectClient.top - rectWnd.top, p->GetCaptionHeight());
    EXPECT_EQ(ToolText(p, 1), CString("Close"));
    EXPECT_EQ(ToolText(p, 2), CString("Auto Hide"));
}

TEST_F(DockingPaneFixture, DisabledCaptionButtonsHideAndTheRestMoveRight) {
    struct Case {
        DWORD dwBarStyle;
        BOOL bAutoHideSides;
        BOOL bCloseShown, bPinShown;
    } cases[] = {
        {dwAllBarStyles, FALSE, TRUE, FALSE},
        {dwAllBarStyles, TRUE, TRUE, TRUE},
        {dwAllBarStyles & ~SPCBRS_CLOSE, TRUE, FALSE, TRUE},
        {SPCBRS_FLOAT | SPCBRS_RESIZE, TRUE, FALSE, FALSE},
    };
    UINT nID = 130;
    for (const Case& c : cases) {
        SCOPED_TRACE(nID);
        if (c.bAutoHideSides) pManager->EnableAutoHideBars(CBRS_ALIGN_ANY);
        CTestPane* p = MakeDockingPane(pFrame, nID++, CSize(150, 100), 0, c.dwBarStyle);
        ASSERT_NE(p, nullptr);
        ASSERT_TRUE(p->DockToFrameSide(CBRS_ALIGN_RIGHT));
        PumpPending();
        EXPECT_EQ(!p->GetCloseButton().m_bHidden, c.bCloseShown);
        EXPECT_EQ(!p->GetPinButton().m_bHidden, c.bPinShown);
        // The rightmost shown button sits at the caption's right edge.
        CRect rectWnd;
        p->GetWindowRect(rectWnd);
        CSPCaptionButton& first = c.bCloseShown ? p->GetCloseButton() : p->GetPinButton();
        if (c.bCloseShown || c.bPinShown) {
            EXPECT_EQ(first.GetRect().right, rectWnd.Width());
        }
        if (c.bCloseShown && c.bPinShown) {
            EXPECT_LT(p->GetPinButton().GetRect().right, first.GetRect().left);
        }
        p->DestroyWindow();
        PumpPending();
    }
}

TEST_F(DockingPaneFixture, PanesShareTwoSidesAndResizeThroughTheirSliders) {
    DockTwoSides();
    const CRect r1 = Rect(101), r2 = Rect(102), r3 = Rect(103), r4 = Rect(104), r5 = Rect(105);
    // Left: one column, stacked in order.
    EXPECT_EQ(r1.left, r2.left);
    EXPECT_EQ(r2.left, r3.left);
    EXPECT_LT(r1.bottom, r2.top);
    EXPECT_LT(r2.bottom, r3.top);
    EXPECT_EQ(Side(101), Side(103));
    // Bottom: one row beside the left side.
    EXPECT_EQ(r4.top, r5.top);
    EXPECT_LT(r4.right, r5.left);
    EXPECT_EQ(Side(104), Side(105));
    EXPECT_NE(Side(101), Side(104));
    std::string strWhich;
    EXPECT_TRUE(NoneOverlap(DockedWindows(), &strWhich)) << strWhich;

    // The slider under pane 101 moves the boundary; the side keeps its span
    // and the two panes below share the loss.
    CSPSlider* pSlider = Between(101);
    ASSERT_NE(pSlider, nullptr);
    DragSlider(pSlider, CSize(0, 25));
    EXPECT_EQ(Rect(101).Height(), r1.Height() + 25);
    EXPECT_EQ(Rect(103).bottom, r3.bottom);
    EXPECT_EQ(Rect(102).Height() + Rect(103).Height(), r2.Height() + r3.Height() - 25);
    // Dragged far past the neighbour, the neighbour keeps its minimum.
    DragSlider(pSlider, CSize(0, 2000));
    EXPECT_GE(Rect(102).Height(), 20);
    EXPECT_TRUE(NoneOverlap(DockedWindows(), &strWhich)) << strWhich;

    // The default slider of the bottom side makes the side taller.
    const int nHeight = Rect(104).Height();
    DragSlider(Side(104), CSize(0, -30));
    EXPECT_EQ(Rect(104).Height(), nHeight + 30);
    EXPECT_EQ(Rect(105).Height(), nHeight + 30);
}

TEST_F(DockingPaneFixture, CloseButtonHidesThePaneAndItsNeighboursTakeTheSpace) {
    DockTwoSides();
    CTestPane* p = P(102);
    const CRect r1 = Rect(101), r3 = Rect(103);
    const CRect rectClose = p->GetCloseButton().GetRect();
    CRect rectWnd;
    p->GetWindowRect(rectWnd);
    const CPoint ptClose = rectWnd.TopLeft() + rectClose.CenterPoint();
    // Pressed on the button but released elsewhere: nothing happens.
    p->SendMessage(WM_MOUSEMOVE, 0, ClientPoint(p, ptClose));
    p->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, ClientPoint(p, ptClose));
    p->SendMessage(WM_MOUSEMOVE, MK_LBUTTON, ClientPoint(p, ptClose + CSize(-60, 30)));
    p->SendMessage(WM_LBUTTONUP, 0, ClientPoint(p, ptClose + CSize(-60, 30)));
    PumpPending();
    EXPECT_TRUE(p->IsWindowVisible());
    // Pressed and released on it: the pane hides, the others fill the side.
    p->SendMessage(WM_MOUSEMOVE, 0, ClientPoint(p, ptClose));
    p->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, ClientPoint(p, ptClose));
    p->SendMessage(WM_LBUTTONUP, 0, ClientPoint(p, ptClose));
    PumpPending();
    EXPECT_FALSE(p->IsWindowVisible());
    EXPECT_EQ(Rect(101).top, r1.top);
    EXPECT_EQ(Rect(103).bottom, r3.bottom);
    EXPECT_GT(Rect(101).Height() + Rect(103).Height(), r1.Height() + r3.Height());
    // Shown again, it takes its place between them.
    p->ShowControlBar(TRUE, FALSE, FALSE);
    PumpPending();
    EXPECT_TRUE(p->IsWindowVisible());
    EXPECT_LT(Rect(101).bottom, Rect(102).top);
    EXPECT_LT(Rect(102).bottom, Rect(103).top);
    std::string strWhich;
    EXPECT_TRUE(NoneOverlap(DockedWindows(), &strWhich)) << strWhich;
}

TEST_F(DockingPaneFixture, DoubleClicksFloatAPaneAndSendItBackToItsPlace) {
    DockTwoSides();
    CTestPane* p = P(102);
    const CRect r2 = Rect(102);
    DoubleClickCaption(p);
    CSPMiniFrameWnd* pMiniFrame = p->GetParentMiniFrame(TRUE);
    ASSERT_NE(pMiniFrame, nullptr);
    EXPECT_FALSE(p->IsDocked());
    EXPECT_EQ(p->GetDefaultSlider(), nullptr);
    EXPECT_EQ(p->GetCaptionHeight(), 0);
    // Panes 101 and 103 now share the left side alone.
    EXPECT_EQ(Side(101)->GetContainerManager()->GetBars().GetCount(), 2);
    EXPECT_LT(Rect(101).bottom, Rect(103).top);

    // The frame's double click docks the pane where it was.
    pMiniFrame->SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, 0);
    PumpPending();
    ASSERT_EQ(p->GetParent(), pFrame);
    EXPECT_EQ(p->GetDefaultSlider(), Side(101));
    EXPECT_LT(Rect(101).bottom, Rect(102).top);
    EXPECT_LT(Rect(102).bottom, Rect(103).top);
    EXPECT_EQ(Rect(102).left, r2.left);
    EXPECT_EQ(Rect(102).Width(), r2.Width());
    EXPECT_GT(p->GetCaptionHeight(), 0);
    std::string strWhich;
    EXPECT_TRUE(NoneOverlap(DockedWindows(), &strWhich)) << strWhich;
}

TEST_F(DockingPaneFixture, DestroyingADockedPaneTakesItOffItsSlider) {
    DockTwoSides();
    CSPSlider* pSide = Side(104);
    P(105)->DestroyWindow();
    PumpPending();
    EXPECT_EQ(pSide->GetContainerManager()->GetBars().GetCount(), 1);
    EXPECT_EQ(Rect(104).right, ClientRect().right);
    // The last pane of a side takes its default slider with it.
    const HWND hSide = pSide->GetSafeHwnd();
    P(104)->DestroyWindow();
    PumpPending();
    EXPECT_FALSE(::IsWindow(hSide));
}

TEST_F(DockingPaneFixture, CtrlHeldKeepsADraggedPaneFromDocking) {
    DockTwoSides();
    CTestPane* p = P(103);
    // Floating, dropped with the pointer on the lower edge of pane 101.
    auto floatAndPoint = [&]() {
        ASSERT_TRUE(p->FloatControlBar(CRect(300, 150, 450, 250), SP_DM_SHOW, true));
        PumpPending();
        ASSERT_FALSE(p->IsDocked());
        CRect r1;
        P(101)->GetWindowRect(r1);
        ASSERT_TRUE(PointAt(r1.CenterPoint().x, r1.bottom - 3));
    };
    floatAndPoint();
    BOOL bHandled = FALSE;
    EXPECT_EQ(p->DockOnDrag(bHandled), p);
    EXPECT_TRUE(bHandled);
    PumpPending();
    EXPECT_EQ(p->GetDefaultSlider(), Side(101));
    EXPECT_LT(Rect(101).bottom, Rect(103).top);
    // The same drop with Ctrl held leaves it floating.
    floatAndPoint();
    BYTE keys[256];
    ASSERT_TRUE(::GetKeyboardState(keys));
    BYTE keysCtrl[256];
    memcpy(keysCtrl, keys, sizeof(keys));
    keysCtrl[VK_CONTROL] = 0x80;
    ::SetKeyboardState(keysCtrl);
    bHandled = TRUE;
    EXPECT_EQ(p->DockOnDrag(bHandled), nullptr);
    EXPECT_FALSE(bHandled);
    ::SetKeyboardState(keys);
    EXPECT_FALSE(p->IsDocked());
}

TEST_F(DockingPaneFixture, MultiBarFramesJoinPanesAndSendThemAllBack) {
    DockTwoSides(SP_CBRS_FLOAT_MULTI);
    CTestPane* p2 = P(102);
    CTestPane* p3 = P(103);
    CTestPane* p5 = P(105);
    const CRect r2 = Rect(102), r3 = Rect(103), r5 = Rect(105);
    ASSERT_TRUE(p2->FloatControlBar(CRect(300, 100, 500, 300), SP_DM_SHOW, true));
    PumpPending();
    CSPMultiMiniFrameWnd* pMulti = DYNAMIC_DOWNCAST(CSPMultiMiniFrameWnd, p2->GetParentMiniFrame(TRUE));
    ASSERT_NE(pMulti, nullptr);
    pMulti->MoveWindow(CRect(300, 100, 500, 360));
    PumpPending();
    // Pane 103 dropped at the lower edge of pane 102 joins the frame below it.
    CRect rectP2;
    p2->GetWindowRect(rectP2);
    ASSERT_TRUE(PointAt(rectP2.CenterPoint().x, rectP2.bottom - 2));
    EXPECT_FALSE(pMulti->DockBarAtCursor(p3));
    PumpPending();
    EXPECT_EQ(p3->GetParent(), pMulti);
    EXPECT_EQ(pMulti->GetControlBarCount(), 2);
    EXPECT_TRUE(p2->IsInMultiMiniFrame());
    EXPECT_TRUE(p2->IsDocked());  // a pane sharing a frame keeps its caption
    EXPECT_GT(p2->GetCaptionHeight(), 0);
    EXPECT_LT(FrameRect(pMulti, p2).bottom, FrameRect(pMulti, p3).top);
    // A third one at the right edge of pane 103.
    CRect rectP3;
    p3->GetWindowRect(rectP3);
    ASSERT_TRUE(PointAt(rectP3.right - 2, rectP3.CenterPoint().y));
    EXPECT_FALSE(pMulti->DockBarAtCursor(p5));
    PumpPending();
    EXPECT_EQ(pMulti->GetControlBarCount(), 3);
    EXPECT_LT(FrameRect(pMulti, p3).right, FrameRect(pMulti, p5).left);
    // Nothing under the cursor: nothing taken.
    ASSERT_TRUE(PointAt(5, 5));
    EXPECT_TRUE(pMulti->DockBarAtCursor(P(104)));

    // The caption's double click sends every pane to its recent place.
    const HWND hMulti = pMulti->GetSafeHwnd();
    pMulti->SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, 0);
    PumpPending();
    EXPECT_FALSE(::IsWindow(hMulti));
    for (UINT nID : {102u, 103u, 105u}) EXPECT_EQ(P(nID)->GetParent(), pFrame) << nID;
    EXPECT_EQ(Side(102), Side(101));
    EXPECT_EQ(Side(103), Side(101));
    EXPECT_EQ(Side(105), Side(104));
    EXPECT_LT(Rect(101).bottom, Rect(102).top);
    EXPECT_LT(Rect(102).bottom, Rect(103).top);
    EXPECT_LT(Rect(104).right, Rect(105).left);
    EXPECT_EQ(Rect(102).Width(), r2.Width());
    EXPECT_EQ(Rect(103).bottom, r3.bottom);
    EXPECT_EQ(Rect(105).right, r5.right);
    std::string strWhich;
    EXPECT_TRUE(NoneOverlap(DockedWindows(), &strWhich)) << strWhich;
}

TEST_F(DockingPaneFixture, APanesRecordRoundTripsItsPlaces) {
    DockTwoSides();
    CTestPane* p = P(101);
    p->m_recentDockInfo.m_rectRecentFloatingRect = CRect(11, 22, 333, 444);
    p->StoreRecentDockInfo();
    const CRect rectDocked = p->m_recentDockInfo.GetRect(TRUE);
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        p->Serialize(ar);
    }
    file.SeekToBegin();
    CTestPane* q = MakeDockingPane(pFrame, 140, CSize(50, 50));
    ASSERT_NE(q, nullptr);
    {
        CArchive ar(&file, CArchive::load);
        q->Serialize(ar);
    }
    EXPECT_EQ(q->m_recentDockInfo.m_rectRecentFloatingRect, CRect(11, 22, 333, 444));
    EXPECT_EQ(q->GetLoadedDockedRect(), rectDocked);
    EXPECT_EQ(q->m_recentDockInfo.GetRect(TRUE), rectDocked);
    EXPECT_FALSE(q->GetLoadedFloatingFlag());
    // A record cut short throws.
    CMemFile cut;
    {
        CArchive ar(&cut, CArchive::store);
        ar << (DWORD)CBRS_ALIGN_LEFT << (DWORD)1 << 5;
    }
    cut.SeekToBegin();
    CArchive ar(&cut, CArchive::load);
    bool bThrown = false;
    try {
        q->Serialize(ar);
    } catch (CArchiveException* e) {
        e->Delete();
        bThrown = true;
    }
    EXPECT_TRUE(bThrown);
}

TEST_F(DockingPaneFixture, PanesOnTwoSidesBesideAMultiBarFrame) {
    DockTwoSides(SP_CBRS_FLOAT_MULTI);
    CTestPane* p6 = MakeDockingPane(pFrame, 106, CSize(150, 100), SP_CBRS_FLOAT_MULTI);
    CTestPane* p7 = MakeDockingPane(pFrame, 107, CSize(150, 100), SP_CBRS_FLOAT_MULTI);
    ASSERT_TRUE(p6 != NULL && p7 != NULL);
    CRect rectFrame;
    pFrame->GetWindowRect(rectFrame);
    const CRect rectFloat(rectFrame.right - 230, rectFrame.top + 60, rectFrame.right - 30, rectFrame.top + 300);
    ASSERT_TRUE(p6->FloatControlBar(rectFloat, SP_DM_SHOW, true));
    PumpPending();
    CSPMultiMiniFrameWnd* pMulti = DYNAMIC_DOWNCAST(CSPMultiMiniFrameWnd, p6->GetParentMiniFrame(TRUE));
    ASSERT_NE(pMulti, nullptr);
    pMulti->MoveWindow(rectFloat);
    PumpPending();
    CRect rect6;
    p6->GetWindowRect(rect6);
    ASSERT_TRUE(PointAt(rect6.CenterPoint().x, rect6.bottom - 2));
    EXPECT_FALSE(pMulti->DockBarAtCursor(p7));
    DragSlider(Between(101), CSize(0, -110));
    pFrame->RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    pMulti->RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    PumpPending();
    EXPECT_EQ(pMulti->GetControlBarCount(), 2);
    const char* pszPicture = getenv("TW_DOCKING_PANES_SCREENSHOT");
    if (pszPicture != NULL && *pszPicture != 0) {
        // The desktop area of the frame and its floating frame together.
        EXPECT_TRUE(WriteWindowBitmap(::GetDesktopWindow(), pszPicture, TRUE));
    }
    std::string strWhich;
    EXPECT_TRUE(NoneOverlap(DockedWindows(), &strWhich)) << strWhich;
}

TEST_F(DockingPaneFixture, AFrameClosesWithPanesFloatingAlone) {
    DockTwoSides();
    ASSERT_TRUE(P(103)->FloatControlBar(CRect(300, 150, 450, 250), SP_DM_SHOW, true));
    PumpPending();
    ASSERT_NE(P(103)->GetParentMiniFrame(TRUE), nullptr);
    CloseFrame();
    EXPECT_EQ(CSPMiniFrameWnd::s_lstMiniFrames.GetCount(), 0);
}

TEST_F(DockingPaneFixture, AFrameClosesWithPanesFloatingTogether) {
    DockTwoSides(SP_CBRS_FLOAT_MULTI);
    ASSERT_TRUE(P(103)->FloatControlBar(CRect(300, 150, 450, 250), SP_DM_SHOW, true));
    PumpPending();
    CSPMultiMiniFrameWnd* pMulti = DYNAMIC_DOWNCAST(CSPMultiMiniFrameWnd, P(103)->GetParentMiniFrame(TRUE));
    ASSERT_NE(pMulti, nullptr);
    P(104)->UnDockControlBar(FALSE);
    EXPECT_TRUE(pMulti->InsertBar(P(104), P(103), CBRS_ALIGN_BOTTOM));
    EXPECT_EQ(pMulti->GetControlBarCount(), 2);
    CloseFrame();
}
