// The bar container tree and its manager: the weighted split, bars leaving
// and nodes collapsing, locks, and the region's record with bad records.
#include "afxwin.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "CreationRefusal.h"
#include "panes_support.h"

using namespace panetest;
using std::max;

namespace {

// Two panes split side by side in the frame by a plain manager (no default
// slider): pane 1 on the left, pane 2 on the right.
struct SplitFixture : PanesFixture {
    CSPBarContainerManager manager;
    CPane* pLeft = NULL;
    CPane* pRight = NULL;
    void SetUp() override {
        PanesFixture::SetUp();
        manager.Create(pFrame, NULL);
        pLeft = MakePane(pFrame, 1, CRect(10, 10, 310, 210));
        pRight = MakePane(pFrame, 2, CRect(10, 10, 160, 210));
        ASSERT_NE(pLeft, nullptr);
        ASSERT_NE(pRight, nullptr);
        manager.AddControlBar(pLeft);
        ASSERT_TRUE(manager.InsertControlBar(pRight, pLeft, CBRS_ALIGN_RIGHT));
    }
    CSPBarContainer* Split() { return manager.GetRoot()->GetLeftChild(); }
};

}  // namespace

TEST_F(SplitFixture, InsertingSplitsTheTargetAndTheBarsTakeTheirHalves) {
    // The incoming pane takes its width, at most half of the target's.
    EXPECT_EQ(Rect(pLeft), CRect(10, 10, 156, 210));
    EXPECT_EQ(Rect(pRight), CRect(160, 10, 310, 210));
    ASSERT_EQ(manager.GetSliders().GetCount(), 1);
    CSPSlider* pSlider = (CSPSlider*)manager.GetSliders().GetHead();
    EXPECT_EQ(Rect(pSlider), CRect(156, 10, 160, 210));
    EXPECT_FALSE(pSlider->IsHorizontal());
    EXPECT_EQ(manager.GetBars().GetHead(), pLeft);
    EXPECT_EQ(manager.GetBars().GetTail(), pRight);
    EXPECT_EQ(manager.GetNodeCount(), 2);
    // An alignment without a side, or a target outside the region, is refused.
    CPane* pThird = MakePane(pFrame, 3, CRect(0, 0, 50, 50));
    EXPECT_FALSE(manager.InsertControlBar(pThird, pLeft, 0));
    EXPECT_FALSE(manager.InsertControlBar(pThird, pThird, CBRS_ALIGN_LEFT));
    EXPECT_EQ(manager.GetSliders().GetCount(), 1);
}

// How the two halves share a rectangle: growing and shrinking by the
// current ratio (the left half gets the right half's share of a growth), a
// half that has no extent yet by its weight (0 and 100 count as 50).
TEST_F(SplitFixture, LayoutSharesByWeight) {
    struct Case {
        const char* pszWhat;
        int nLeft, nRight;             // extents before, -1: no extent (just shown)
        int nLeftWeight, nRightWeight; // weights before
        int nWidth;                    // the rectangle laid out in
        int nExpectLeft;               // the left half's new width
        int nExpectLeftWeight;
    };
    const Case cases[] = {
        {"30/70 grown by 100", 90, 206, 50, 50, 400, 160, 30},
        {"30/70 shrunk by 100", 90, 206, 50, 50, 200, 60, 30},
        {"30/70 same width", 90, 206, 50, 50, 300, 90, 30},
        {"right just shown, weight 25", 300, -1, 50, 25, 300, 225, 75},
        {"right just shown, weight 100", 300, -1, 50, 100, 300, 150, 50},
        {"right just shown, weight 0", 300, -1, 50, 0, 300, 150, 50},
        {"left just shown, weight 40", -1, 300, 40, 50, 300, 120, 40},
        {"frame sized to nothing", 90, 206, 50, 50, 0, 0, 30},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.pszWhat);
        CSPBarContainer* pNode = Split();
        ASSERT_NE(pNode, nullptr);
        // Place the halves: a half with no extent sits at the other's start.
        CRect rectL(10, 10, 10 + max(c.nLeft, 0), 210), rectR(rectL.right + 4, 10, rectL.right + 4 + c.nRight, 210);
        if (c.nLeft < 0) rectL = CRect(10, 10, 10, 210), rectR = CRect(10, 10, 10 + c.nRight, 210);
        if (c.nRight < 0) rectR = CRect(10, 10, 10, 210);
        pLeft->MoveWindow(rectL, FALSE, NULL);
        pRight->MoveWindow(rectR, FALSE, NULL);
        pNode->SetHalfWeight(TRUE, c.nLeftWeight);
        pNode->SetHalfWeight(FALSE, c.nRightWeight);
        HDWP hdwp = manager.LayoutInRect(CRect(10, 10, 10 + c.nWidth, 210), NULL);
        EXPECT_EQ(hdwp, (HDWP)NULL);
        EXPECT_EQ(Rect(pLeft).Width(), c.nExpectLeft);
        EXPECT_EQ(Rect(pLeft).left, 10);
        EXPECT_EQ(Rect(pRight).right, max(10 + c.nWidth, (int)Rect(pRight).left));
        EXPECT_GE(Rect(pRight).Width(), 0);
        EXPECT_EQ(pNode->GetHalfWeight(TRUE), c.nExpectLeftWeight);
        EXPECT_EQ(pNode->GetHalfWeight(FALSE), 100 - c.nExpectLeftWeight);
    }
}

TEST_F(SplitFixture, QueriesOfTheTree) {
    CSPBarContainer* pNode = Split();
    ASSERT_NE(pNode, nullptr);
    EXPECT_EQ(pNode->GetFirstResizeLimit(), -1);
    EXPECT_EQ(manager.GetRoot()->FindNodeByBar(pRight, CSPBarContainer::FIND_RIGHT_BAR), pNode);
    EXPECT_EQ(manager.GetRoot()->FindNodeByBar(pRight, CSPBarContainer::FIND_LEFT_BAR), nullptr);
    EXPECT_EQ(manager.GetRoot()->FindNodeByBar(pNode, CSPBarContainer::FIND_NODE), pNode);
    CSize size;
    manager.GetMinSize(size);
    EXPECT_EQ(size, CSize(20 + 4 + 20, 20));
    EXPECT_TRUE(manager.IsVisible());
    EXPECT_EQ(manager.GetVisibleBarCount(), 2);
    EXPECT_EQ(manager.GetFirstBar(), pLeft);
    // A hidden bar drops out of the size and of the visible answers, and
    // the slider between a visible and a hidden half hides.
    pLeft->ShowWindow(SW_HIDE);
    EXPECT_TRUE(manager.CheckVisibility());
    EXPECT_EQ(manager.GetFirstVisibleBar(), pRight);
    EXPECT_FALSE(pNode->GetSlider()->IsWindowVisible());
    manager.GetMinSize(size);
    EXPECT_EQ(size, CSize(20, 20));
    pLeft->ShowWindow(SW_SHOW);
    manager.CheckVisibility();
    EXPECT_TRUE(pNode->GetSlider()->IsWindowVisible());
}

TEST_F(SplitFixture, ReplacingABarKeepsTheTreeOrAppends) {
    CPane* pNew = MakePane(pFrame, 3, CRect(0, 0, 50, 50));
    EXPECT_TRUE(manager.ReplaceControlBar(pRight, pNew));
    EXPECT_EQ(Split()->GetRightBar(), pNew);
    EXPECT_EQ(manager.GetBars().GetTail(), pNew);
    // An old bar that is not in the list: the new bar is appended, the tree
    // stays as it was.
    CPane* pOther = MakePane(pFrame, 4, CRect(0, 0, 50, 50));
    EXPECT_TRUE(manager.ReplaceControlBar(pRight, pOther));
    EXPECT_EQ(manager.GetBars().GetCount(), 3);
    EXPECT_EQ(Split()->GetRightBar(), pNew);
}

// Three panes: 1 | (2 over 3). When 3 leaves, its node collapses into the
// parent, 2 takes the node's place and space, and the node's slider goes.
TEST_F(SplitFixture, ABarLeavingCollapsesItsNodeUnlessLocked) {
    CPane* pBelow = MakePane(pFrame, 3, CRect(0, 0, 150, 80));
    ASSERT_TRUE(manager.InsertControlBar(pBelow, pRight, CBRS_ALIGN_BOTTOM));
    ASSERT_EQ(manager.GetNodeCount(), 3);
    ASSERT_EQ(manager.GetSliders().GetCount(), 2);
    CSPBarContainer* pInner = manager.GetRoot()->FindNodeByBar(pBelow, CSPBarContainer::FIND_RIGHT_BAR);
    ASSERT_NE(pInner, nullptr);
    const HWND hwndInnerSlider = pInner->GetSlider()->GetSafeHwnd();
    const CRect rectRightHalf(160, 10, 310, 210);
    EXPECT_EQ(Rect(pRight) | Rect(pBelow), rectRightHalf);

    // Locked, the node stays (without the bar) until the last release.
    pInner->AddRef();
    pInner->AddRef();
    EXPECT_TRUE(manager.RemoveControlBar(pBelow));
    EXPECT_EQ(manager.GetNodeCount(), 3);
    EXPECT_EQ(Rect(pRight), rectRightHalf);
    EXPECT_EQ(manager.GetTotalLockCount(), 2);
    pInner->Release();
    EXPECT_EQ(manager.GetNodeCount(), 3);
    pInner->Release();
    EXPECT_EQ(manager.GetNodeCount(), 2);
    EXPECT_EQ(Split()->GetRightBar(), pRight);
    EXPECT_FALSE(::IsWindow(hwndInnerSlider));
    EXPECT_EQ(manager.GetSliders().GetCount(), 1);
    // The leaving bar recorded who shared the region with it.
    EXPECT_EQ(pBelow->m_recentDockInfo.GetSiblingIds(TRUE).GetCount(), 3);
    EXPECT_FALSE(manager.RemoveControlBar(pBelow));
}

namespace {

// Little-endian 32-bit words of a hand-made record.
struct Words {
    std::vector<BYTE> bytes;
    Words& operator<<(int n) {
        for (int i = 0; i < 4; i++) bytes.push_back((BYTE)(((unsigned)n >> (8 * i)) & 0xFF));
        return *this;
    }
    Words& operator<<(const Words& w) {
        bytes.insert(bytes.end(), w.bytes.begin(), w.bytes.end());
        return *this;
    }
};

// A plain vertical slider's record (shown, 4 wide) at x.
Words SliderRecord(int nID, int x, int nDefault = 0) {
    Words w;
    w << 0 << 1 << nID << -1 << x << 0 << x + 4 << 200 << 1 << SP_SS_VERT << 4 << nDefault << 0 << 0;
    return w;
}

// A node of two bars split by a slider.
Words SplitNode(int nLeftID, int nRightID, int nSliderID, const Words& slider) {
    Words w;
    w << nLeftID << nRightID << nSliderID << slider << 0 << 0;
    return w;
}

// The region: an empty root whose left child is the node, then the bar list.
Words Region(const Words& node, std::vector<int> ids) {
    Words w;
    w << 0 << 0 << 0 << 1 << node << 0 << (int)ids.size();
    for (int id : ids) w << id;
    return w;
}

int CountSliderWindows(CWnd* pParent) {
    int nCount = 0;
    for (CWnd* pChild = pParent->GetWindow(GW_CHILD); pChild != NULL; pChild = pChild->GetWindow(GW_HWNDNEXT)) {
        char szClass[64] = "";
        ::GetClassNameA(pChild->GetSafeHwnd(), szClass, sizeof(szClass));
        if (strncmp(szClass, "SSlider:", 8) == 0) nCount++;
    }
    return nCount;
}

// The structure of a tree: bar ids, slider rectangles and children.
void ExpectSameTree(CSPBarContainer* pA, CSPBarContainer* pB, CWnd* pFrame) {
    ASSERT_EQ(pA == NULL, pB == NULL);
    if (pA == NULL) return;
    auto id = [](CWnd* pWnd) { return pWnd != NULL ? pWnd->GetDlgCtrlID() : 0; };
    EXPECT_EQ(id(pA->GetLeftBar()), id(pB->GetLeftBar()));
    EXPECT_EQ(id(pA->GetRightBar()), id(pB->GetRightBar()));
    ASSERT_EQ(pA->GetSlider() == NULL, pB->GetSlider() == NULL);
    if (pA->GetSlider() != NULL) {
        EXPECT_EQ(FrameRect(pFrame, pA->GetSlider()), FrameRect(pFrame, pB->GetSlider()));
        EXPECT_EQ(pA->GetSlider()->GetSliderStyle(), pB->GetSlider()->GetSliderStyle());
    }
    ExpectSameTree(pA->GetLeftChild(), pB->GetLeftChild(), pFrame);
    ExpectSameTree(pA->GetRightChild(), pB->GetRightChild(), pFrame);
}

}  // namespace

TEST_F(PanesFixture, ARegionsRecordRoundTripsThroughAnArchive) {
    CSPSlider* pSide = DockedSide(CBRS_ALIGN_LEFT, {11, 12, 13}, 150);
    ASSERT_NE(pSide, nullptr);
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        pSide->Serialize(ar);
    }
    const int nSliders = CountSliderWindows(pFrame);
    file.SeekToBegin();
    CSPSlider* pLoaded = new CSPSlider(TRUE, pFrame);
    {
        CArchive ar(&file, CArchive::load);
        ASSERT_NO_THROW(pLoaded->Serialize(ar));
    }
    ASSERT_NE(pLoaded->GetSafeHwnd(), (HWND)NULL);
    EXPECT_EQ(Rect(pLoaded), Rect(pSide));
    EXPECT_TRUE(pLoaded->IsWindowVisible());
    CSPBarContainerManager* pRegion = pLoaded->GetContainerManager();
    ASSERT_NE(pRegion, nullptr);
    EXPECT_EQ(pRegion->GetBars().GetCount(), 3);
    EXPECT_EQ(pRegion->GetNodeCount(), pSide->GetContainerManager()->GetNodeCount());
    ExpectSameTree(pRegion->GetRoot(), pSide->GetContainerManager()->GetRoot(), pFrame);
    EXPECT_EQ(CountSliderWindows(pFrame), 2 * nSliders);
    pLoaded->DestroyWindow();
    EXPECT_EQ(CountSliderWindows(pFrame), nSliders);

    // A stored window-visible field of 0 makes the slider without WS_VISIBLE.
    std::vector<BYTE> bytes((size_t)file.GetLength());
    file.SeekToBegin();
    file.Read(bytes.data(), (UINT)bytes.size());
    bytes[32] = 0;  // after alignment, visible, id, value, rectangle
    CMemFile hidden(bytes.data(), (UINT)bytes.size());
    CArchive ar(&hidden, CArchive::load);
    pLoaded = new CSPSlider(TRUE, pFrame);
    ASSERT_NO_THROW(pLoaded->Serialize(ar));
    EXPECT_FALSE(pLoaded->GetStyle() & WS_VISIBLE);
    pLoaded->DestroyWindow();
}

TEST_F(PanesFixture, BadRegionRecordsThrowAndLeaveNoSlider) {
    for (UINT nID : {1u, 2u, 3u}) {
        CPane* pPane = MakePane(pFrame, nID, CRect(0, 0, 50, 50));
        ASSERT_NE(pPane, nullptr);
        pManager->AddControlBar(pPane);
    }
    CSPSlider* pSide = SideSlider(CBRS_ALIGN_LEFT);
    ASSERT_NE(pSide, nullptr);
    auto load = [&](const std::vector<BYTE>& bytes) -> int {
        CSPBarContainerManager region;
        region.Create(pFrame, pSide);
        CMemFile file((BYTE*)bytes.data(), (UINT)bytes.size());
        CArchive ar(&file, CArchive::load);
        try {
            region.Serialize(ar);
        } catch (CArchiveException* e) {
            e->Delete();
            return -1;
        }
        return region.GetNodeCount();
    };
    const Words good = Region(SplitNode(1, 2, 7, SliderRecord(7, 50)), {1, 2});
    const int nSliders = CountSliderWindows(pFrame);
    EXPECT_EQ(load(good.bytes), 2);
    EXPECT_EQ(CountSliderWindows(pFrame), nSliders);

    // Every truncation.
    for (size_t n = 0; n < good.bytes.size(); n++) {
        SCOPED_TRACE(n);
        EXPECT_EQ(load(std::vector<BYTE>(good.bytes.begin(), good.bytes.begin() + n)), -1);
    }
    Words deep;
    for (int i = 0; i < 200; i++) deep << 0 << 0 << 0 << 1;
    deep << 0 << 0 << 0 << 0 << 0;
    for (int i = 0; i < 200; i++) deep << 0;
    deep << 0;
    Words twoSliders;
    twoSliders << 0 << 0 << 7 << SliderRecord(7, 50) << 1 << SplitNode(1, 2, 7, SliderRecord(7, 90)) << 0 << 2 << 1
               << 2;
    Words presence;
    presence << 0 << 0 << 0 << 2;
    const struct {
        const char* pszWhat;
        std::vector<BYTE> bytes;
    } bad[] = {
        {"presence flag 2", presence.bytes},
        {"nested deeper than any tree", deep.bytes},
        {"a repeated slider id", twoSliders.bytes},
        {"a slider id that its record does not carry", Region(SplitNode(1, 2, 8, SliderRecord(7, 50)), {1, 2}).bytes},
        {"a node slider that claims to be a default slider",
         Region(SplitNode(1, 2, 7, SliderRecord(7, 50, 1)), {1, 2}).bytes},
        {"a bar that does not exist", Region(SplitNode(1, 999, 7, SliderRecord(7, 50)), {1, 999}).bytes},
        {"a listed bar that no node names", Region(SplitNode(1, 2, 7, SliderRecord(7, 50)), {1, 2, 3}).bytes},
        {"a bar listed twice", Region(SplitNode(1, 2, 7, SliderRecord(7, 50)), {1, 1}).bytes},
        {"a tabbed bar", Region(SplitNode(-1, 2, 7, SliderRecord(7, 50)), {2}).bytes},
    };
    for (const auto& b : bad) {
        SCOPED_TRACE(b.pszWhat);
        EXPECT_EQ(load(b.bytes), -1);
        EXPECT_EQ(CountSliderWindows(pFrame), nSliders);
    }
    // A sound record whose slider window is refused: the slider has deleted
    // itself, and the load fails as for a damaged record.
    {
        CCreationRefusal refusal(RUNTIME_CLASS(CSPSlider), 1);
        EXPECT_EQ(load(good.bytes), -1);
        EXPECT_EQ(refusal.Refused(), 1);
    }
    EXPECT_EQ(CountSliderWindows(pFrame), nSliders);
    EXPECT_EQ(load(good.bytes), 2);

    // A region of neither a default slider nor a mini frame cannot name its
    // bars.
    CSPBarContainerManager orphan;
    orphan.Create(pFrame, NULL);
    CMemFile file((BYTE*)good.bytes.data(), (UINT)good.bytes.size());
    CArchive ar(&file, CArchive::load);
    try {
        orphan.Serialize(ar);
        ADD_FAILURE() << "no exception";
    } catch (CArchiveException* e) {
        EXPECT_EQ(e->m_cause, CArchiveException::none);
        e->Delete();
    }
}
