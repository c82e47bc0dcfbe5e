// The tab control: its styles, strip placement, shrinking and scrolling,
// hide-single-tab, the buttons and the keyboard.
#include "tab_fixture.h"
#include "WindowPicture.h"
#include <cstdlib>

namespace {

// Holds Ctrl down in this thread's keyboard state while alive.
class CtrlHeld {
public:
    CtrlHeld() { Set(0x80); }
    ~CtrlHeld() { Set(0); }

private:
    static void Set(BYTE state) {
        BYTE keys[256];
        ::GetKeyboardState(keys);
        keys[VK_CONTROL] = state;
        ::SetKeyboardState(keys);
    }
};

const CString kWide = _T("A rather long tab label that will not fit");

}  // namespace

TEST_F(TabFixture, CtrlPageDownAndUpWrapOverTheVisibleTabs) {
    Make(CSPTabWnd::STYLE_FLAT);
    AddTabs(4);
    tabs.ShowTab(0, FALSE);
    ASSERT_TRUE(tabs.SetActiveTab(3));
    host.notices.clear();
    CtrlHeld ctrl;
    MSG next = {tabs.GetSafeHwnd(), WM_KEYDOWN, VK_NEXT, 0};
    EXPECT_TRUE(tabs.PreTranslateMessage(&next));
    EXPECT_EQ(1, tabs.GetActiveTab());  // wrapped past the hidden first tab
    EXPECT_EQ(tabs.GetTabWnd(1)->GetSafeHwnd(), ::GetFocus());
    ASSERT_FALSE(host.notices.empty());
    EXPECT_EQ(SP_WM_CHANGE_ACTIVE_TAB, host.notices.back().nMsg);
    EXPECT_EQ(1u, host.notices.back().wParam);
    EXPECT_EQ(0, host.notices.back().lParam);
    MSG prior = {tabs.GetSafeHwnd(), WM_KEYDOWN, VK_PRIOR, 0};
    EXPECT_TRUE(tabs.PreTranslateMessage(&prior));
    EXPECT_EQ(3, tabs.GetActiveTab());
}

TEST_F(TabFixture, TheStripSitsAtTheTopOrTheBottom) {
    struct Case {
        CSPTabWnd::Style style;
        CSPTabWnd::Location location;
    } cases[] = {{CSPTabWnd::STYLE_3D, CSPTabWnd::LOCATION_TOP},
                 {CSPTabWnd::STYLE_3D, CSPTabWnd::LOCATION_BOTTOM},
                 {CSPTabWnd::STYLE_FLAT, CSPTabWnd::LOCATION_BOTTOM},
                 {CSPTabWnd::STYLE_FLAT_SHARED_HORZ_SCROLL, CSPTabWnd::LOCATION_TOP}};
    for (const Case& c : cases) {
        CTabHost h;
        ASSERT_TRUE(h.CreateHost(300, 200));
        CSPTabWnd t;
        ASSERT_TRUE(t.Create(c.style, CRect(0, 0, 300, 200), &h, 1, c.location));
        CWnd w;
        w.CreateEx(0, AfxRegisterWndClass(0), _T(""), WS_CHILD, CRect(0, 0, 5, 5), &t, 7);
        t.AddTab(&w, _T("One"));
        const CRect strip = t.GetTabsRect();
        const CRect area = t.GetWndArea();
        EXPECT_EQ(t.GetTabsHeight(), strip.Height());
        if (c.location == CSPTabWnd::LOCATION_TOP) {
            EXPECT_EQ(0, strip.top);
            EXPECT_GT(area.top, strip.bottom - 1);
        } else {
            EXPECT_EQ(200, strip.bottom);
            EXPECT_LT(area.bottom, strip.top + 1);
        }
        CRect rectWnd;
        w.GetWindowRect(rectWnd);
        t.ScreenToClient(rectWnd);
        EXPECT_EQ(area, rectWnd);
        EXPECT_EQ(c.style == CSPTabWnd::STYLE_FLAT || c.style == CSPTabWnd::STYLE_FLAT_SHARED_HORZ_SCROLL,
                  t.IsFlatTab());
        // Only the 3D styles take images.
        EXPECT_EQ(!t.IsFlatTab(), t.SetImageList((HIMAGELIST)NULL));
        t.RemoveAllTabs();
    }
}

TEST_F(TabFixture, Style0ShrinksWideTabsAndGivesCutOnesTooltipsWhileStyle3Scrolls) {
    for (CSPTabWnd::Style style : {CSPTabWnd::STYLE_3D, CSPTabWnd::STYLE_3D_SCROLLED}) {
        CTabHost h;
        ASSERT_TRUE(h.CreateHost(300, 150));
        CSPTabWnd t;
        ASSERT_TRUE(t.Create(style, CRect(0, 0, 300, 150), &h, 1));
        std::vector<std::unique_ptr<CWnd>> own;
        for (int i = 0; i < 5; i++) {
            own.emplace_back(new CWnd);
            own.back()->CreateEx(0, AfxRegisterWndClass(0), _T(""), WS_CHILD, CRect(0, 0, 5, 5), &t, 10 + i);
            t.AddTab(own.back().get(), i == 1 ? CString(_T("S")) : kWide);
        }
        const CRect strip = t.GetTabsRect();
        int nCut = 0;
        for (int i = 0; i < 5; i++) {
            const CSPTabInfo* pTab = t.GetTabInfo(i);
            if (pTab->m_rect.Width() < pTab->m_nFullWidth) nCut++;
            TOOLINFO ti = {};
            ti.cbSize = sizeof(ti);
            ti.hwnd = t.GetSafeHwnd();
            ti.uId = pTab->m_uiTabID;
            if (style == CSPTabWnd::STYLE_3D) {
                EXPECT_GE(pTab->m_rect.left, strip.left) << i;
                EXPECT_LE(pTab->m_rect.right, strip.right + 2) << i;
                ASSERT_TRUE(t.GetToolTip().SendMessage(TTM_GETTOOLINFO, 0, (LPARAM)&ti)) << i;
                // Only a cut tab has a tooltip rectangle.
                EXPECT_EQ(pTab->m_rect.Width() < pTab->m_nFullWidth, !CRect(ti.rect).IsRectEmpty()) << i;
            }
        }
        if (style == CSPTabWnd::STYLE_3D) {
            EXPECT_EQ(4, nCut);  // the short tab keeps its width
            EXPECT_EQ(0, t.GetMaxScrollOffset());
        } else {
            EXPECT_EQ(0, nCut);
            EXPECT_EQ(NULL, t.GetToolTip().GetSafeHwnd());
            EXPECT_GT(t.GetMaxScrollOffset(), 0);
            EXPECT_FALSE(t.GetScrollLeft()->IsWindowEnabled());
            EXPECT_TRUE(t.GetScrollRight()->IsWindowEnabled());
            // The buttons sit at the right of a 3D strip.
            CRect rectButton;
            t.GetScrollRight()->GetWindowRect(rectButton);
            t.ScreenToClient(rectButton);
            EXPECT_GE(rectButton.left, strip.right);
        }
        t.RemoveAllTabs();
    }
}

TEST_F(TabFixture, HundredsOfTabsScrollAndTheOffsetClamps) {
    Make(CSPTabWnd::STYLE_FLAT, 400, 150);
    AddTabs(300);
    ASSERT_EQ(300, tabs.GetTabsNum());
    const int nMax = tabs.GetMaxScrollOffset();
    EXPECT_GT(nMax, 300 * 20);
    EXPECT_EQ(0, tabs.GetScrollOffset());
    EXPECT_FALSE(tabs.ScrollTabs(-20));  // already at the left end: nothing to do

    // The right button scrolls by 20 pixels, the last button to the end.
    tabs.SendMessage(WM_COMMAND, MAKEWPARAM(0xFFFF, BN_CLICKED), (LPARAM)tabs.GetScrollRight()->GetSafeHwnd());
    EXPECT_EQ(20, tabs.GetScrollOffset());
    EXPECT_FALSE(tabs.ScrollTabs(nMax * 2) && tabs.GetScrollOffset() != nMax);
    EXPECT_EQ(nMax, tabs.GetScrollOffset());
    EXPECT_FALSE(tabs.ScrollTabs(5));

    // Activating a tab brings it into the strip.
    ASSERT_TRUE(tabs.SetActiveTab(150));
    CRect rect;
    tabs.GetTabRect(150, rect);
    EXPECT_GE(rect.left, tabs.GetTabsRect().left);
    EXPECT_LE(rect.right, tabs.GetTabsRect().right);
    // The first tab's window is the one a click at its rectangle finds.
    tabs.ScrollTabs(-nMax);
    tabs.GetTabRect(0, rect);
    CPoint pt = rect.CenterPoint();
    EXPECT_EQ(0, tabs.GetTabFromPoint(pt));
}

TEST_F(TabFixture, HideSingleTabLetsTheWindowFillTheControl) {
    Make(CSPTabWnd::STYLE_3D, 300, 200);
    tabs.HideSingleTab(TRUE);
    AddTabs(1);
    EXPECT_EQ(0, tabs.GetTabsRect().Height());
    CRect rect;
    tabs.GetTabRect(0, rect);
    EXPECT_TRUE(rect.IsRectEmpty());
    const int nInset = tabs.GetTabBorderSize() + 1;
    EXPECT_EQ(CRect(nInset, nInset, 300 - nInset, 200 - nInset), tabs.GetWndArea());
    AddTabs(1);
    EXPECT_EQ(tabs.GetTabsHeight(), tabs.GetTabsRect().Height());
    tabs.ShowTab(1, FALSE);
    EXPECT_EQ(0, tabs.GetTabsRect().Height());
}

TEST_F(TabFixture, TheCloseButtonClosesTheActiveWindow) {
    Make(CSPTabWnd::STYLE_3D_SCROLLED, 300, 150, CSPTabWnd::LOCATION_TOP, TRUE);
    AddTabs(2);
    CRect rectClose;
    tabs.GetCloseButton()->GetWindowRect(rectClose);
    EXPECT_FALSE(rectClose.IsRectEmpty());
    ASSERT_TRUE(tabs.SetActiveTab(1));
    HWND hwnd = tabs.GetActiveWnd()->GetSafeHwnd();
    tabs.SendMessage(WM_COMMAND, MAKEWPARAM(0xFFFF, BN_CLICKED), (LPARAM)tabs.GetCloseButton()->GetSafeHwnd());
    EXPECT_FALSE(::IsWindow(hwnd));
}

TEST_F(TabFixture, WithoutACloseButtonItTakesNoRoom) {
    Make(CSPTabWnd::STYLE_FLAT, 300, 150);
    AddTabs(2);
    CRect rectClose;
    tabs.GetCloseButton()->GetWindowRect(rectClose);
    EXPECT_TRUE(rectClose.IsRectEmpty());
    // The flat buttons sit at the left of the strip.
    CRect rectLeft;
    tabs.GetScrollLeft()->GetWindowRect(rectLeft);
    tabs.ScreenToClient(rectLeft);
    EXPECT_LE(rectLeft.right, tabs.GetTabsRect().left);
    EXPECT_TRUE(SPClientHooks::IsFlatTabWnd(reinterpret_cast<CSPTabWnd*>(&tabs)));
}

TEST_F(TabFixture, TheSharedScrollBarMovesTheActiveWindowAndTellsTheParent) {
    Make(CSPTabWnd::STYLE_FLAT_SHARED_HORZ_SCROLL, 400, 150);
    // A window with a horizontal scroll bar of its own.
    windows.emplace_back(new CWnd);
    CWnd* pWnd = windows.back().get();
    pWnd->CreateEx(0, AfxRegisterWndClass(0), _T(""), WS_CHILD | WS_HSCROLL, CRect(0, 0, 50, 50), &tabs, 300);
    SCROLLINFO si = {sizeof(si), SIF_RANGE | SIF_PAGE | SIF_POS, 0, 100, 10, 0, 0};
    pWnd->SetScrollInfo(SB_HORZ, &si);
    tabs.AddTab(pWnd, _T("Scrolls"));
    EXPECT_EQ(0u, pWnd->GetStyle() & WS_HSCROLL);  // the strip's bar took its place
    host.notices.clear();
    CScrollBar* pBar = NULL;
    for (CWnd* pChild = tabs.GetWindow(GW_CHILD); pChild != NULL; pChild = pChild->GetWindow(GW_HWNDNEXT)) {
        char szClass[32] = "";
        ::GetClassNameA(pChild->GetSafeHwnd(), szClass, sizeof(szClass));
        if (lstrcmpiA(szClass, "ScrollBar") == 0) pBar = (CScrollBar*)pChild;
    }
    ASSERT_NE(nullptr, pBar);
    tabs.SendMessage(WM_HSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 30), (LPARAM)pBar->GetSafeHwnd());
    ASSERT_EQ(1, host.Count(SP_WM_ON_HSCROLL));
    EXPECT_EQ(MAKEWPARAM(SB_THUMBPOSITION, 30), host.notices.back().wParam);
}

TEST_F(TabFixture, TheSplitterSharesTheStripBetweenTabsAndScrollBar) {
    Make(CSPTabWnd::STYLE_FLAT_SHARED_HORZ_SCROLL, 400, 150);
    AddTabs(3);
    const CRect splitter = tabs.GetSplitterRect();
    ASSERT_FALSE(splitter.IsRectEmpty());
    const int nWidth = tabs.GetScrollBarWidth();
    const int y = splitter.CenterPoint().y;
    tabs.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(splitter.CenterPoint().x, y));
    EXPECT_EQ(tabs.GetSafeHwnd(), ::GetCapture());
    tabs.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(splitter.left - 40, y));
    EXPECT_GT(tabs.GetScrollBarWidth(), nWidth);
    EXPECT_EQ(tabs.GetSplitterRect().right + tabs.GetScrollBarWidth(), splitter.right + nWidth);
    // Never narrower than two scroll arrows, never over the tab strip's start.
    tabs.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(399, y));
    EXPECT_EQ(2 * ::GetSystemMetrics(SM_CXHSCROLL), tabs.GetScrollBarWidth());
    tabs.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(0, y));
    EXPECT_GE(tabs.GetSplitterRect().left, tabs.GetTabsRect().left);
    tabs.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(0, y));
    EXPECT_NE(tabs.GetSafeHwnd(), ::GetCapture());
}

// A 3D tab window with its tabs at the top beside a flat one with its tabs
// at the bottom, shown; with TW_TABS_SCREENSHOT set, written to that BMP.
TEST(TabPicture, TwoStylesSideBySide) {
    CTabHost host;
    ASSERT_TRUE(host.CreateHost(520, 200));
    CSPTabWnd tabs3d, tabsFlat;
    ASSERT_TRUE(tabs3d.Create(CSPTabWnd::STYLE_3D_SCROLLED, CRect(5, 5, 255, 195), &host, 1,
                              CSPTabWnd::LOCATION_TOP, TRUE));
    ASSERT_TRUE(tabsFlat.Create(CSPTabWnd::STYLE_FLAT, CRect(265, 5, 515, 195), &host, 2,
                                CSPTabWnd::LOCATION_BOTTOM));
    std::vector<std::unique_ptr<CEdit>> edits;
    LPCTSTR labels[] = {_T("Contents"), _T("Index"), _T("Search"), _T("Favorites")};
    for (CSPTabWnd* pTabs : {&tabs3d, &tabsFlat}) {
        for (int i = 0; i < 4; i++) {
            edits.emplace_back(new CEdit);
            edits.back()->Create(WS_CHILD | ES_MULTILINE, CRect(0, 0, 10, 10), pTabs, 10 + i);
            CString strText;
            strText.Format(_T("The window of the tab \"%s\"."), labels[i]);
            edits.back()->SetWindowText(strText);
            pTabs->AddTab(edits.back().get(), labels[i]);
        }
    }
    tabs3d.SetActiveTab(1);
    tabsFlat.SetActiveTab(2);
    host.ShowWindow(SW_SHOWNOACTIVATE);
    host.UpdateWindow();
    PumpPending();
    EXPECT_TRUE(tabs3d.GetActiveWnd()->IsWindowVisible());
    EXPECT_TRUE(tabsFlat.GetActiveWnd()->IsWindowVisible());
    EXPECT_FALSE(tabsFlat.GetTabWnd(1)->IsWindowVisible());
    if (const char* pszPath = getenv("TW_TABS_SCREENSHOT")) {
        EXPECT_TRUE(WriteWindowBitmap(host.GetSafeHwnd(), pszPath)) << pszPath;
    }
}
