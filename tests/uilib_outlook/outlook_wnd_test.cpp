// The outlook window: page buttons above and below the active page, the
// order of activation, the slide's direction, the owner bar's caption and
// scroll buttons, and outlook buttons dragged over the page buttons.
#include "afxwin.h"
#include "afxole.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "MessagePump.h"
#include "SPOutlookBar.h"
#include "SPOutlookWnd.h"
#include "WindowPicture.h"
#include "outlook_support.h"

using namespace outlooktest;

namespace {

// An outlook bar that counts the clicks on the scroll buttons.
class COwnerBar : public CSPOutlookBar {
public:
    int nUp = 0, nDown = 0;
    void OnScroll(BOOL bDown) override { (bDown ? nDown : nUp)++; }
};

class OutlookWndTest : public HostTest {
protected:
    COwnerBar owner;
    CSPOutlookWnd* pWnd = NULL;
    std::vector<std::unique_ptr<CSPOutlookBarPane>> panes;

    void SetUp() override {
        HostTest::SetUp();
        // Neither floating nor docked: a window of the host.
        ASSERT_TRUE(owner.Create(_T("Outlook bar"), &host, CRect(0, 0, 200, 400), 1, WS_CHILD | WS_VISIBLE, 0));
        owner.SetTabCaptionFlag(FALSE);
        pWnd = owner.GetOutlookWnd();
        ASSERT_NE(pWnd, nullptr);
        ASSERT_EQ(CSPBaseTabWnd::LOCATION_BOTTOM, pWnd->GetLocation());
    }
    void TearDown() override {
        CSPOutlookWnd::EnableAnimation(FALSE);
        if (owner.GetSafeHwnd() != NULL) owner.DestroyWindow();
        panes.clear();
        HostTest::TearDown();
    }
    CSPOutlookWnd& Wnd() { return *pWnd; }
    void AddPages(int n) {
        LPCTSTR labels[] = {_T("Mail"), _T("Calendar"), _T("Contacts"), _T("Tasks"), _T("Notes")};
        for (int i = 0; i < n; i++) {
            panes.emplace_back(new CSPOutlookBarPane);
            ASSERT_TRUE(panes.back()->CreatePane(pWnd, WS_CHILD | WS_VISIBLE | CBRS_ALIGN_LEFT, 10 + i));
            Wnd().AddTab(panes.back().get(), labels[i]);
        }
    }
    CRect ButtonRect(int i) {
        CRect rect;
        Wnd().GetTabRect(i, rect);
        return rect;
    }
    // Press and release the mouse over a page button, as the user does.
    void Click(int i) {
        const CPoint pt = ButtonRect(i).CenterPoint();
        const LPARAM lParam = MAKELPARAM(pt.x, pt.y);
        Wnd().SendMessage(WM_MOUSEMOVE, 0, lParam);
        Wnd().SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, lParam);
        Wnd().SendMessage(WM_LBUTTONUP, 0, lParam);
    }
};

TEST_F(OutlookWndTest, ButtonsUpToTheActivePageStandAboveItTheOthersBelow) {
    AddPages(4);
    const int nHeight = Wnd().GetTabsHeight();
    ASSERT_GT(nHeight, 0);
    for (int iActive : {0, 2, 3, 1}) {
        SCOPED_TRACE(iActive);
        ASSERT_TRUE(Wnd().SetActiveTab(iActive));
        const CRect rectArea = Wnd().GetPageArea();
        for (int i = 0; i < 4; i++) {
            const CRect rect = ButtonRect(i);
            EXPECT_EQ(nHeight, rect.Height());
            if (i <= iActive) {
                EXPECT_LE(rect.bottom, rectArea.top) << i;
            } else {
                EXPECT_GE(rect.top, rectArea.bottom) << i;
            }
            if (i > 0 && i != iActive + 1) {
                EXPECT_EQ(ButtonRect(i - 1).bottom, rect.top) << i;
            }
            EXPECT_EQ(i == iActive, panes[i]->IsWindowVisible()) << i;
        }
        CRect rectPage;
        panes[iActive]->GetWindowRect(rectPage);
        Wnd().ScreenToClient(rectPage);
        EXPECT_EQ(rectArea, rectPage);
        EXPECT_EQ(rectArea.Width(), panes[iActive]->GetAvailableWidth());

        CRect rectTop, rectBottom;
        Wnd().GetTabArea(rectTop, rectBottom);
        Wnd().ScreenToClient(rectTop);
        Wnd().ScreenToClient(rectBottom);
        EXPECT_EQ(ButtonRect(0).top, rectTop.top);
        EXPECT_EQ(ButtonRect(iActive).bottom, rectTop.bottom);
        EXPECT_EQ(iActive == 3, rectBottom.IsRectEmpty());
        EXPECT_TRUE(Wnd().IsPtInTabArea(ButtonRect(iActive).CenterPoint()));
        EXPECT_FALSE(Wnd().IsPtInTabArea(rectArea.CenterPoint()));
        EXPECT_TRUE(Wnd().FindTargetWnd(ButtonRect(0).CenterPoint()) == NULL);
        EXPECT_EQ(&owner, Wnd().FindTargetWnd(rectArea.CenterPoint()));
    }
    EXPECT_FALSE(Wnd().SetActiveTab(4));
    EXPECT_FALSE(Wnd().SetActiveTab(-1));
    EXPECT_EQ(1, Wnd().GetActiveTab());

    if (const char* pszPath = getenv("TW_OUTLOOK_SCREENSHOT")) {
        HBITMAP hbmp = Square(32, RGB(30, 90, 200));
        LPCTSTR labels[] = {_T("Inbox"), _T("Sent items"), _T("A folder with a long name")};
        for (LPCTSTR lpszLabel : labels) panes[1]->AddButton(hbmp, lpszLabel, 0);
        ::DeleteObject(hbmp);
        Wnd().RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        EXPECT_TRUE(WriteWindowBitmap(Wnd().GetSafeHwnd(), pszPath)) << pszPath;
    }
}

TEST_F(OutlookWndTest, ASinglePageGoesWithoutButtonOnlyWithANonZeroLocation) {
    AddPages(1);
    EXPECT_FALSE(ButtonRect(0).IsRectEmpty());
    Wnd().SetLocation(CSPBaseTabWnd::LOCATION_TOP);
    EXPECT_TRUE(ButtonRect(0).IsRectEmpty());
    EXPECT_EQ(1, Wnd().GetPageArea().top);  // only the frame
    AddPages(1);
    EXPECT_FALSE(ButtonRect(0).IsRectEmpty());
}

TEST_F(OutlookWndTest, ClickSlidesTheButtonsTowardsTheOldPageWhenAnimated) {
    AddPages(4);
    PumpPending();
    Click(2);  // animation off: immediate
    EXPECT_EQ(2, Wnd().GetActiveTab());
    EXPECT_EQ(0, Wnd().GetLastSlideStep());

    CSPOutlookWnd::EnableAnimation(TRUE);
    struct {
        int iTarget;
        int nStep;  // positive: the buttons in between move down
    } cases[] = {{3, -30}, {0, 30}, {1, -30}, {0, 30}};
    for (const auto& c : cases) {
        Click(c.iTarget);
        EXPECT_EQ(c.iTarget, Wnd().GetActiveTab());
        EXPECT_EQ(c.nStep, Wnd().GetLastSlideStep()) << c.iTarget;
        for (int i = 0; i < 4; i++) EXPECT_EQ(i == c.iTarget, panes[i]->IsWindowVisible()) << i;
    }
    // Activated by the program, not by a click: no slide.
    ASSERT_TRUE(Wnd().SetActiveTab(3));
    EXPECT_EQ(0, Wnd().GetLastSlideStep());
}

TEST_F(OutlookWndTest, TheOwnersCaptionFollowsTheActivePageWhenItAsks) {
    AddPages(3);
    ASSERT_TRUE(Wnd().SetActiveTab(1));
    CString strCaption;
    owner.GetWindowText(strCaption);
    EXPECT_EQ(CString(_T("Outlook bar")), strCaption);
    owner.SetTabCaptionFlag(TRUE);
    ASSERT_TRUE(Wnd().SetActiveTab(2));
    owner.GetWindowText(strCaption);
    EXPECT_EQ(CString(_T("Contacts")), strCaption);
}

TEST_F(OutlookWndTest, ScrollButtonsSitOnThePageButtonsAndNotifyTheOwner) {
    AddPages(3);
    Wnd().EnableScrollButtons(TRUE, TRUE, FALSE);
    CSPButton& up = Wnd().GetScrollUpButton();
    CSPButton& down = Wnd().GetScrollDownButton();
    EXPECT_TRUE(up.IsWindowVisible());
    EXPECT_TRUE(down.IsWindowVisible());
    EXPECT_TRUE(up.IsWindowEnabled());
    EXPECT_FALSE(down.IsWindowEnabled());
    CRect rectUp, rectDown;
    up.GetWindowRect(rectUp);
    down.GetWindowRect(rectDown);
    Wnd().ScreenToClient(rectUp);
    Wnd().ScreenToClient(rectDown);
    EXPECT_EQ(ButtonRect(0).right, rectUp.right);
    EXPECT_EQ(ButtonRect(0).top, rectUp.top);
    EXPECT_EQ(ButtonRect(1).top, rectDown.top);

    Wnd().SendMessage(WM_COMMAND, MAKEWPARAM(0xFFFF, BN_CLICKED), (LPARAM)up.GetSafeHwnd());
    Wnd().SendMessage(WM_COMMAND, MAKEWPARAM(0xFFFF, BN_CLICKED), (LPARAM)down.GetSafeHwnd());
    EXPECT_EQ(1, owner.nUp);
    EXPECT_EQ(1, owner.nDown);

    // The last page active: the down button takes the corner under the page.
    ASSERT_TRUE(Wnd().SetActiveTab(2));
    down.GetWindowRect(rectDown);
    Wnd().ScreenToClient(rectDown);
    EXPECT_EQ(Wnd().GetPageArea().bottom, rectDown.top);

    Wnd().EnableScrollButtons(FALSE);
    EXPECT_FALSE(up.IsWindowVisible());
    EXPECT_FALSE(down.IsWindowVisible());
}

class OutlookWndDropTest : public OutlookWndTest {
protected:
    void SetUp() override {
        ASSERT_TRUE(SUCCEEDED(::OleInitialize(NULL)));
        OutlookWndTest::SetUp();
    }
    void TearDown() override {
        OutlookWndTest::TearDown();
        ::OleUninitialize();
    }
};

TEST_F(OutlookWndDropTest, OutlookButtonsOpenThePageUnderTheCursor) {
    AddPages(3);
    CSPOutlookButton outlook;
    outlook.m_nID = 5;
    CSPToolbarButton plain(6, 0, _T("Plain"));
    COleDataSource outlookData, plainData;
    ASSERT_TRUE(outlook.PrepareDrag(outlookData));
    ASSERT_TRUE(plain.PrepareDrag(plainData));

    // The window is an OLE drop target of its own.
    COleDropTarget other;
    EXPECT_EQ(DRAGDROP_E_ALREADYREGISTERED, ::RegisterDragDrop(Wnd().GetSafeHwnd(), &other));

    COleDataObject outlookObject, plainObject;
    outlookObject.Attach(outlookData.GetDataObject(), FALSE);
    plainObject.Attach(plainData.GetDataObject(), FALSE);

    const CPoint ptThird = ButtonRect(2).CenterPoint();
    EXPECT_EQ((DROPEFFECT)DROPEFFECT_NONE, Wnd().OnDragOver(&plainObject, 0, ptThird));
    EXPECT_EQ(0, Wnd().GetActiveTab());
    EXPECT_EQ((DROPEFFECT)DROPEFFECT_MOVE, Wnd().OnDragOver(&outlookObject, 0, ptThird));
    EXPECT_EQ(2, Wnd().GetActiveTab());
    EXPECT_EQ((DROPEFFECT)DROPEFFECT_COPY, Wnd().OnDragEnter(&outlookObject, MK_CONTROL, ButtonRect(1).CenterPoint()));
    EXPECT_EQ(1, Wnd().GetActiveTab());
}

}  // namespace
