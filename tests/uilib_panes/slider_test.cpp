// Sliders between docked panes: three panes on the left side and two on the
// bottom of a shown frame, dragged by the mouse messages the pointer sends,
// hidden and shown.
#include "afxwin.h"

#include <gtest/gtest.h>

#include <vector>

#include "WindowPicture.h"
#include "panes_support.h"

using namespace panetest;

namespace {

struct SidesFixture : PanesFixture {
    CSPSlider* pLeftSide = NULL;
    CSPSlider* pBottomSide = NULL;
    void SetUp() override {
        PanesFixture::SetUp();
        pLeftSide = DockedSide(CBRS_ALIGN_LEFT, {101, 102, 103}, 150);
        ASSERT_NE(pLeftSide, nullptr);
        pBottomSide = DockedSide(CBRS_ALIGN_BOTTOM, {104, 105}, 80);
        ASSERT_NE(pBottomSide, nullptr);
        PumpPending();
    }
    void TearDown() override {
        if (::GetCapture() != NULL) ::ReleaseCapture();
        PanesFixture::TearDown();
        PumpPending();
    }
    // The slider between two panes of a region.
    CSPSlider* Between(CSPSlider* pSide, UINT nUpperID) {
        CSPBarContainer* pNode = pSide->GetContainerManager()->GetRoot()->FindNodeByBar(
            Bar(nUpperID), CSPBarContainer::FIND_LEFT_BAR);
        return pNode != NULL ? pNode->GetSlider() : NULL;
    }
    // A press on the slider's middle, a move by the offset in two steps and
    // a release (or a cancel), sent to the slider as the pointer would.
    static LPARAM At(CWnd* pWnd, CPoint ptScreen) {
        pWnd->ScreenToClient(&ptScreen);
        return MAKELPARAM((short)ptScreen.x, (short)ptScreen.y);
    }
    void Drag(CWnd* pSlider, CSize offset, bool bCancel = false) {
        CRect rect;
        pSlider->GetWindowRect(rect);
        const CPoint pt = rect.CenterPoint();
        pSlider->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, At(pSlider, pt));
        pSlider->SendMessage(WM_MOUSEMOVE, MK_LBUTTON, At(pSlider, pt + CSize(offset.cx / 2, offset.cy / 2)));
        pSlider->SendMessage(WM_MOUSEMOVE, MK_LBUTTON, At(pSlider, pt + offset));
        if (bCancel) pSlider->SendMessage(WM_CANCELMODE);
        pSlider->SendMessage(WM_LBUTTONUP, 0, At(pSlider, pt + offset));
        PumpPending();
    }
    std::vector<CWnd*> Windows() {
        std::vector<CWnd*> wnds;
        for (UINT nID : {101u, 102u, 103u, 104u, 105u}) wnds.push_back(Bar(nID));
        wnds.push_back(pLeftSide);
        wnds.push_back(pBottomSide);
        for (CSPSlider* pSide : {pLeftSide, pBottomSide}) {
            const CObList& lst = pSide->GetContainerManager()->GetSliders();
            for (POSITION pos = lst.GetHeadPosition(); pos != NULL;) wnds.push_back((CWnd*)lst.GetNext(pos));
        }
        return wnds;
    }
};

}  // namespace

TEST_F(SidesFixture, PanesFillTheirSidesSplitBySliders) {
    const CRect rectClient = pManager->GetClientAreaBounds();
    // The left region spans the frame's height beside its slider; its panes
    // stack from top to bottom.
    const CRect r1 = Rect(101), r2 = Rect(102), r3 = Rect(103), r4 = Rect(104), r5 = Rect(105);
    EXPECT_EQ(r1.Width(), 150);
    EXPECT_EQ(r1.left, r2.left);
    EXPECT_EQ(r2.Width(), 150);
    EXPECT_EQ(r3.bottom - r1.top, Rect(pLeftSide).Height());
    EXPECT_LT(r1.bottom, r2.top);
    EXPECT_LT(r2.bottom, r3.top);
    EXPECT_EQ(Rect(pLeftSide).left, r1.right);
    EXPECT_EQ(Rect(pLeftSide).Width(), 4);
    // The bottom region lies right of the left one, its panes side by side.
    EXPECT_EQ(r4.Height(), 80);
    EXPECT_EQ(r4.top, r5.top);
    EXPECT_LT(r4.right, r5.left);
    EXPECT_EQ(Rect(pBottomSide).bottom, r4.top);
    EXPECT_EQ(Rect(pBottomSide).left, Rect(pLeftSide).right);
    EXPECT_EQ(rectClient.left, Rect(pLeftSide).right);
    EXPECT_EQ(rectClient.bottom, Rect(pBottomSide).top);
    std::string strWhich;
    EXPECT_TRUE(NoneOverlap(Windows(), &strWhich)) << strWhich;
}

TEST_F(SidesFixture, SlidersDraggedWithThePointerResizeThePanes) {
    // The default slider widens the whole region.
    const CRect r1 = Rect(101);
    Drag(pLeftSide, CSize(40, 0));
    EXPECT_EQ(Rect(101).Width(), r1.Width() + 40);
    EXPECT_EQ(Rect(103).Width(), r1.Width() + 40);
    EXPECT_EQ(Rect(pLeftSide).left, Rect(101).right);
    EXPECT_EQ(Rect(pBottomSide).left, Rect(pLeftSide).right);

    // A slider between two panes moves their boundary only.
    CSPSlider* pBetween = Between(pLeftSide, 102);
    ASSERT_NE(pBetween, nullptr);
    const CRect a1 = Rect(101), a2 = Rect(102), a3 = Rect(103);
    Drag(pBetween, CSize(0, 30));
    EXPECT_EQ(Rect(102).bottom, a2.bottom + 30);
    EXPECT_EQ(Rect(102).top, a2.top);
    EXPECT_EQ(Rect(103).top, a3.top + 30);
    EXPECT_EQ(Rect(103).bottom, a3.bottom);
    EXPECT_EQ(Rect(101), a1);
    EXPECT_EQ(Rect(pBetween).top, Rect(102).bottom);

    // Far beyond its bounds (the screen's bottom): the pane below keeps its
    // minimum height.
    CRect rectSlider;
    pBetween->GetWindowRect(rectSlider);
    Drag(pBetween, CSize(0, ::GetSystemMetrics(SM_CYSCREEN) - 1 - rectSlider.CenterPoint().y));
    EXPECT_GE(Rect(103).Height(), 20);
    EXPECT_EQ(Rect(103).bottom, a3.bottom);
    EXPECT_EQ(Rect(101), a1);
    std::string strWhich;
    EXPECT_TRUE(NoneOverlap(Windows(), &strWhich)) << strWhich;

    // A release where it started and a cancelled drag move nothing.
    const CRect b1 = Rect(102), b2 = Rect(103);
    Drag(pBetween, CSize(0, 0));
    Drag(pBetween, CSize(0, -40), true);
    EXPECT_EQ(Rect(102), b1);
    EXPECT_EQ(Rect(103), b2);
    EXPECT_FALSE(pBetween->IsTracking());
    EXPECT_EQ(::GetCapture(), (HWND)NULL);
}

TEST_F(SidesFixture, TheOutlineStaysInsideTheBounds) {
    CSPSlider* pBetween = Between(pLeftSide, 102);
    ASSERT_NE(pBetween, nullptr);
    CRect rect;
    pBetween->GetWindowRect(rect);
    pBetween->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, At(pBetween, rect.CenterPoint()));
    ASSERT_TRUE(pBetween->IsTracking());
    const CRect rectBounds = pBetween->GetBoundsRect();
    pBetween->SendMessage(WM_MOUSEMOVE, MK_LBUTTON, At(pBetween, CPoint(rect.CenterPoint().x, rectBounds.top - 300)));
    // Above the bounds: the outline starts at their top with the slider's height.
    EXPECT_EQ(pBetween->GetDragRect().top, rectBounds.top);
    EXPECT_EQ(pBetween->GetDragRect().Height(), 4);
    pBetween->SendMessage(WM_CANCELMODE);
    EXPECT_FALSE(pBetween->IsTracking());
}

TEST_F(SidesFixture, HiddenPanesGiveTheirSpaceToTheOthers) {
    const CRect r1 = Rect(101), r3 = Rect(103);
    CWnd* p2 = Bar(102);
    p2->ShowWindow(SW_HIDE);
    pLeftSide->OnShowControlBar((CSPControlBar*)p2, FALSE);
    pFrame->RecalcLayout();
    EXPECT_EQ(Rect(101), r1);
    EXPECT_EQ(Rect(103).bottom, r3.bottom);
    EXPECT_EQ(Rect(103).top, r1.bottom + 4);
    EXPECT_FALSE(Between(pLeftSide, 102)->IsWindowVisible());
    EXPECT_TRUE(pLeftSide->IsWindowVisible());

    p2->ShowWindow(SW_SHOW);
    pLeftSide->OnShowControlBar((CSPControlBar*)p2, TRUE);
    pLeftSide->CheckVisibility();
    pFrame->RecalcLayout();
    EXPECT_TRUE(Between(pLeftSide, 102)->IsWindowVisible());
    EXPECT_GT(Rect(102).Height(), 20);
    std::string strWhich;
    EXPECT_TRUE(NoneOverlap(Windows(), &strWhich)) << strWhich;

    // With every pane hidden the default slider hides; an auto-hide slider
    // keeps its visibility.
    for (UINT nID : {101u, 102u, 103u}) Bar(nID)->ShowWindow(SW_HIDE);
    pLeftSide->CheckVisibility();
    EXPECT_FALSE(pLeftSide->IsWindowVisible());
    pBottomSide->SetAutoHideMode(TRUE);
    for (UINT nID : {104u, 105u}) Bar(nID)->ShowWindow(SW_HIDE);
    pBottomSide->CheckVisibility();
    EXPECT_TRUE(pBottomSide->IsWindowVisible());
}

TEST_F(SidesFixture, RemovingEveryPaneRemovesTheDefaultSlider) {
    const HWND hwndSide = pBottomSide->GetSafeHwnd();
    pBottomSide->RemoveControlBar((CSPControlBar*)Bar(105));
    EXPECT_TRUE(::IsWindow(hwndSide));
    EXPECT_EQ(pBottomSide->GetContainerManager()->GetSliders().GetCount(), 0);
    pFrame->RecalcLayout();
    EXPECT_EQ(Rect(104).right, pManager->GetClientAreaBounds().right);
    pBottomSide->RemoveControlBar((CSPControlBar*)Bar(104));
    PumpPending();
    EXPECT_FALSE(::IsWindow(hwndSide));
}

TEST_F(SidesFixture, TheLibraryHoldsTheSliderCursorsAndCaptionStrings) {
    for (UINT nID : {30981u, 30980u})
        EXPECT_NE(::LoadCursor(AfxGetResourceHandle(), MAKEINTRESOURCE(nID)), (HCURSOR)NULL) << nID;
    CString strClose, strAutoHide;
    EXPECT_TRUE(strClose.LoadString(16032));
    EXPECT_TRUE(strAutoHide.LoadString(16033));
    EXPECT_EQ(strClose, CString("Close"));
    EXPECT_EQ(strAutoHide, CString("Auto Hide"));
}

TEST_F(SidesFixture, ScreenshotOfPanesSplitOnTwoSides) {
    // One slider moved first, so the picture shows an uneven split.
    Drag(Between(pLeftSide, 101), CSize(0, 40));
    pFrame->RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    PumpPending();
    const char* pszPicture = getenv("TW_PANES_SCREENSHOT");
    if (pszPicture != NULL && *pszPicture != 0) {
        EXPECT_TRUE(WriteWindowBitmap(pFrame->GetSafeHwnd(), pszPicture, TRUE));
    }
    std::string strWhich;
    EXPECT_TRUE(NoneOverlap(Windows(), &strWhich)) << strWhich;
}
