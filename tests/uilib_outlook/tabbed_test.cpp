// The tabbed toolbar: its size follows the widest embedded toolbar, no
// gripper inside, and dragged buttons open the tab under the cursor in
// customise mode.
#include "afxwin.h"
#include "afxole.h"

#include <gtest/gtest.h>

#include <memory>

#include "MessagePump.h"
#include "SPTabbedToolbar.h"
#include "WindowPicture.h"
#include "outlook_res.h"
#include "outlook_support.h"

using namespace outlooktest;

namespace {

class TabbedTest : public HostTest {
protected:
    CSPTabbedToolbar tabbed;
    CSPToolBar wide, narrow;

    void TearDown() override {
        CSPToolBar::SetCustomizeMode(FALSE);
        for (CWnd* pWnd : {(CWnd*)&wide, (CWnd*)&narrow, (CWnd*)&tabbed})
            if (pWnd->GetSafeHwnd() != NULL) pWnd->DestroyWindow();
        HostTest::TearDown();
        CSPToolBar::ResetAllImages();
    }
    void Open(DWORD dwSPBarStyle) {
        ASSERT_TRUE(tabbed.CreateEx(&host, WS_CHILD | WS_VISIBLE | CBRS_TOP, 1, dwSPBarStyle));
        ASSERT_TRUE(wide.Create(&host, WS_CHILD | WS_VISIBLE | CBRS_TOP, 2));
        ASSERT_TRUE(wide.LoadToolBar(IDR_BAR_WIDE));
        wide.SetWindowText(_T("Standard"));
        ASSERT_TRUE(narrow.Create(&host, WS_CHILD | WS_VISIBLE | CBRS_TOP, 3));
        ASSERT_TRUE(narrow.LoadToolBar(IDR_BAR_NARROW));
        narrow.SetWindowText(_T("Navigation"));
    }
    static CSize WindowSize(CWnd& wnd) {
        CRect rect;
        wnd.GetWindowRect(rect);
        return rect.Size();
    }
};

TEST_F(TabbedTest, GrowsToTheWidestToolbarWithoutGrippersInside) {
    Open(0);
    EXPECT_FALSE(tabbed.GetControlBarStyle() & CBRS_GRIPPER);
    ASSERT_TRUE(tabbed.AddTab(&narrow, TRUE, TRUE));
    CSPTabWnd* pTabs = tabbed.GetTabWnd();
    const int nNarrowTabs = WindowSize(*pTabs).cx;
    EXPECT_EQ(&narrow, pTabs->GetActiveWnd());

    ASSERT_TRUE(tabbed.AddTab(&wide, TRUE, FALSE));
    EXPECT_EQ(&narrow, pTabs->GetActiveWnd());  // not asked to activate
    const CSize sizeWide = WindowSize(wide);
    EXPECT_GT(sizeWide.cx, WindowSize(narrow).cx);
    const CSize sizeTabs = WindowSize(*pTabs);
    EXPECT_GT(sizeTabs.cx, nNarrowTabs);
    EXPECT_EQ(sizeWide.cx + 2 * pTabs->GetTabBorderSize(), sizeTabs.cx);
    EXPECT_EQ(std::max<int>(sizeWide.cy, WindowSize(narrow).cy) + pTabs->GetTabsHeight() +
                  2 * pTabs->GetTabBorderSize() + 2,
              sizeTabs.cy);
    const CSize sizeBar = tabbed.CalcFixedLayout(FALSE, TRUE);
    EXPECT_GE(sizeBar.cx, sizeTabs.cx);
    EXPECT_GE(sizeBar.cy, sizeTabs.cy);

    for (CSPToolBar* pBar : {&wide, &narrow}) {
        EXPECT_EQ(pTabs, pBar->GetParent());
        EXPECT_FALSE(pBar->GetControlBarStyle() & CBRS_GRIPPER);
    }
    CString strLabel;
    pTabs->GetTabLabel(1, strLabel);
    EXPECT_EQ(CString(_T("Standard")), strLabel);

    EXPECT_TRUE(pTabs->SetActiveTab(1));
    EXPECT_TRUE(wide.IsWindowVisible());
    EXPECT_FALSE(narrow.IsWindowVisible());

    if (const char* pszPath = getenv("TW_TABBED_SCREENSHOT")) {
        const CSize size = tabbed.CalcFixedLayout(FALSE, TRUE);
        tabbed.SetWindowPos(NULL, 10, 10, size.cx, size.cy, SWP_NOZORDER | SWP_NOACTIVATE);
        host.SetWindowPos(NULL, 0, 0, size.cx + 40, size.cy + 60, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        host.RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_FRAME);
        PumpPending();
        EXPECT_TRUE(WriteWindowBitmap(host.GetSafeHwnd(), pszPath, TRUE)) << pszPath;
    }
}

TEST_F(TabbedTest, CanFloatFlagGivesTheGripperAndNoTabWindowMeansNoTab) {
    Open(SPCBRS_FLOAT);
    CSPTabbedToolbar unborn;
    EXPECT_FALSE(unborn.AddTab(&narrow));
    EXPECT_TRUE(tabbed.GetControlBarStyle() & CBRS_GRIPPER);
    EXPECT_TRUE(tabbed.AddTab(&wide));
    EXPECT_FALSE(wide.GetControlBarStyle() & CBRS_GRIPPER);
}

class TabbedDropTest : public TabbedTest {
protected:
    void SetUp() override {
        ASSERT_TRUE(SUCCEEDED(::OleInitialize(NULL)));
        TabbedTest::SetUp();
    }
    void TearDown() override {
        TabbedTest::TearDown();
        ::OleUninitialize();
    }
};

TEST_F(TabbedDropTest, DraggedButtonsOpenTheTabUnderTheCursorInCustomiseMode) {
    Open(0);
    ASSERT_TRUE(tabbed.AddTab(&narrow, TRUE, TRUE));
    ASSERT_TRUE(tabbed.AddTab(&wide, TRUE, FALSE));
    CSPTabWnd* pTabs = tabbed.GetTabWnd();
    CRect rectTab;
    ASSERT_TRUE(pTabs->GetTabRect(1, rectTab));
    const CPoint ptTab = rectTab.CenterPoint();

    CSPToolbarButton button(105, -1, _T("Export"));
    COleDataSource source;
    ASSERT_TRUE(button.PrepareDrag(source));
    COleDataSource text;
    HGLOBAL hText = ::GlobalAlloc(GMEM_MOVEABLE, 8);
    lstrcpyA((char*)::GlobalLock(hText), "text");
    ::GlobalUnlock(hText);
    text.CacheGlobalData(CF_TEXT, hText);

    COleDataObject buttonData, textData;
    buttonData.Attach(source.GetDataObject(), FALSE);
    textData.Attach(text.GetDataObject(), FALSE);

    // Over another parent the tab window takes nothing.
    CSPTabWnd loose;
    ASSERT_TRUE(loose.Create(CSPTabWnd::STYLE_3D, CRect(0, 0, 100, 60), &host, 77));
    EXPECT_EQ((DROPEFFECT)DROPEFFECT_NONE, loose.OnDragOver(&buttonData, 0, ptTab));
    // Any tab window is a drop target while it exists.
    EXPECT_TRUE(loose.GetDropTarget().IsRegistered());

    CSPToolBar::SetCustomizeMode(TRUE);
    EXPECT_EQ((DROPEFFECT)DROPEFFECT_NONE, pTabs->OnDragOver(&textData, 0, ptTab));
    EXPECT_EQ(0, pTabs->GetActiveTab());
    EXPECT_EQ((DROPEFFECT)DROPEFFECT_MOVE, pTabs->OnDragOver(&buttonData, 0, ptTab));
    EXPECT_EQ(1, pTabs->GetActiveTab());
    EXPECT_EQ((DROPEFFECT)DROPEFFECT_COPY, pTabs->OnDragOver(&buttonData, MK_CONTROL, ptTab));
    ASSERT_TRUE(pTabs->SetActiveTab(0));
    EXPECT_EQ((DROPEFFECT)DROPEFFECT_COPY, pTabs->OnDragEnter(&buttonData, MK_CONTROL, ptTab));
    EXPECT_EQ(1, pTabs->GetActiveTab());
    loose.DestroyWindow();
    EXPECT_FALSE(loose.GetDropTarget().IsRegistered());

    // The button then lands on the toolbar the tab opened.
    const int nButtons = wide.GetCount();
    const CPoint ptBar = wide.GetButton(0)->Rect().CenterPoint();
    ASSERT_NE((DROPEFFECT)DROPEFFECT_NONE, wide.OnDragEnter(source.GetDataObject(), 0, ptBar));
    EXPECT_TRUE(wide.OnDrop(source.GetDataObject(), DROPEFFECT_COPY, ptBar));
    EXPECT_EQ(nButtons + 1, wide.GetCount());
    EXPECT_EQ(narrow.GetCount(), 2);
}

TEST_F(TabbedDropTest, TheStripIsAnOleDropTargetThatOpensTabsAndTakesNoDrop) {
    Open(0);
    ASSERT_TRUE(tabbed.AddTab(&narrow, TRUE, TRUE));
    ASSERT_TRUE(tabbed.AddTab(&wide, TRUE, FALSE));
    CSPTabWnd* pTabs = tabbed.GetTabWnd();
    // The tab window registered itself with OLE: a second target is refused.
    COleDropTarget other;
    EXPECT_EQ(DRAGDROP_E_ALREADYREGISTERED, ::RegisterDragDrop(pTabs->GetSafeHwnd(), &other));
    EXPECT_TRUE(pTabs->GetDropTarget().IsRegistered());
    EXPECT_EQ(pTabs, pTabs->GetDropTarget().GetOwner());

    // OLE's calls, in screen coordinates, reach the tab window in its own.
    IDropTarget* pTarget = &pTabs->GetDropTarget();
    CRect rectTab;
    ASSERT_TRUE(pTabs->GetTabRect(1, rectTab));
    pTabs->ClientToScreen(rectTab);
    const POINTL pt = {rectTab.CenterPoint().x, rectTab.CenterPoint().y};
    CSPToolbarButton button(105, -1, _T("Export"));
    COleDataSource source;
    ASSERT_TRUE(button.PrepareDrag(source));
    DWORD dwEffect = DROPEFFECT_MOVE | DROPEFFECT_COPY;

    // Outside customise mode a button is refused and no tab opens.
    EXPECT_EQ(S_OK, pTarget->DragEnter(source.GetDataObject(), 0, pt, &dwEffect));
    EXPECT_EQ((DWORD)DROPEFFECT_NONE, dwEffect);
    EXPECT_EQ(0, pTabs->GetActiveTab());
    EXPECT_EQ(S_OK, pTarget->DragLeave());

    CSPToolBar::SetCustomizeMode(TRUE);
    dwEffect = DROPEFFECT_MOVE | DROPEFFECT_COPY;
    EXPECT_EQ(S_OK, pTarget->DragEnter(source.GetDataObject(), MK_CONTROL, pt, &dwEffect));
    EXPECT_EQ((DWORD)DROPEFFECT_COPY, dwEffect);
    EXPECT_EQ(1, pTabs->GetActiveTab());
    dwEffect = DROPEFFECT_MOVE | DROPEFFECT_COPY;
    EXPECT_EQ(S_OK, pTarget->DragOver(0, pt, &dwEffect));
    EXPECT_EQ((DWORD)DROPEFFECT_MOVE, dwEffect);
    // The strip only opens tabs: the drop itself lands nowhere.
    dwEffect = DROPEFFECT_MOVE | DROPEFFECT_COPY;
    EXPECT_EQ(S_OK, pTarget->Drop(source.GetDataObject(), 0, pt, &dwEffect));
    EXPECT_EQ((DWORD)DROPEFFECT_NONE, dwEffect);
    EXPECT_EQ(wide.GetCount(), 6);  // nothing landed
    // After the drop the target holds no data: a move answers nothing.
    dwEffect = DROPEFFECT_MOVE | DROPEFFECT_COPY;
    EXPECT_EQ(S_OK, pTarget->DragOver(0, pt, &dwEffect));
    EXPECT_EQ((DWORD)DROPEFFECT_NONE, dwEffect);
}

}  // namespace
