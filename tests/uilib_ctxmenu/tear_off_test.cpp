// Tearing a menu off: the caption of a marked sub-menu, the floating toolbar
// made through the frame's tear-off bars, the ways the drag ends, and the
// bar (with a customised context menu) saved by the workspace and found
// again by a new process.
#include "ctxmenu_support.h"

#include "SPFrameImpl.h"
#include "SPMiniFrameWnd.h"
#include "SPPopupMenuBar.h"
#include "SPToolBar.h"
#include "TestRegistry.h"

namespace ctxtest {
namespace {

struct TearOffTest : ContextMenuFixture {
    void SetUp() override {
        ContextMenuFixture::SetUp();
        ASSERT_TRUE(g_pContextMenuManager->AddMenu(_T("Edit menu"), IDR_CTX_EDIT));
    }
    CSPFrameImpl* Impl() { return CSPFrameImpl::FromFrame(frame); }
    // The Tools sub-menu of the edit context menu, open.
    CSPPopupMenu* OpenToolsSubMenu() {
        if (!g_pContextMenuManager->ShowPopupMenu(IDR_CTX_EDIT, 120, 120, frame)) return NULL;
        CSPPopupMenu* pTop = ActivePopup();
        if (pTop == NULL || !pTop->GetMenuBar()->OpenSubMenu(4)) return NULL;
        PumpPending();
        return pTop->GetMenuBar()->GetOpenSubMenu();
    }
};

TEST_F(TearOffTest, MarkedSubMenuHasACaptionOthersNone) {
    ASSERT_TRUE(g_pContextMenuManager->ShowPopupMenu(IDR_CTX_EDIT, 120, 120, frame));
    CSPPopupMenu* pTop = ActivePopup();
    ASSERT_NE(nullptr, pTop);
    EXPECT_TRUE(pTop->GetTearOffCaptionRect().IsRectEmpty()) << "a context menu has no button to tear from";
    const int nTopCaption = pTop->GetTearOffCaptionRect().Height();
    EXPECT_EQ((HWND)NULL, pTop->GetTearOffToolTip().GetSafeHwnd());

    CSPPopupMenu* pSub = OpenToolsSubMenu();
    ASSERT_NE(nullptr, pSub);
    const CRect rectCaption = pSub->GetTearOffCaptionRect();
    EXPECT_EQ((int)CSPPopupMenu::nTearOffCaptionHeight, rectCaption.Height());
    EXPECT_EQ(0, nTopCaption);
    CPoint pt = rectCaption.CenterPoint();
    pSub->ClientToScreen(&pt);
    EXPECT_EQ(5, pSub->MenuHitTest(pt));
    // The items start below the caption.
    CRect rectBar;
    pSub->GetMenuBar()->GetWindowRect(rectBar);
    pSub->ScreenToClient(rectBar);
    EXPECT_GE(rectBar.top, rectCaption.bottom);

    // Its tooltip covers the caption and lights it while shown.
    CToolTipCtrl& tip = pSub->GetTearOffToolTip();
    ASSERT_NE((HWND)NULL, tip.GetSafeHwnd());
    EXPECT_EQ(1, tip.GetToolCount());
    TOOLINFO ti = {};
    char szTip[128] = {0};
    ti.lpszText = szTip;
    ASSERT_TRUE(tip.GetToolInfo(ti, pSub, 1));
    EXPECT_EQ(rectCaption, CRect(ti.rect));
    ti.lpszText = szTip;
    tip.SendMessage(TTM_GETTEXT, sizeof(szTip), (LPARAM)&ti);
    EXPECT_STREQ("Drag to make this menu float", szTip);
    for (UINT nCode : {(UINT)TTN_SHOW, (UINT)TTN_POP}) {
        NMHDR hdr = {tip.GetSafeHwnd(), (UINT_PTR)::GetDlgCtrlID(tip.GetSafeHwnd()), nCode};
        pSub->SendMessage(WM_NOTIFY, hdr.idFrom, (LPARAM)&hdr);
        EXPECT_EQ(nCode == (UINT)TTN_SHOW, !!pSub->IsTearOffCaptionHighlighted());
    }

    // (the sub-menu came with a new top-level popup)
    pSub->GetParentPopupMenu()->UpdateWindow();
    pSub->UpdateWindow();
    CRect rectShot, rectSub;
    frame->GetWindowRect(rectShot);
    pSub->GetWindowRect(rectSub);
    SaveDocsPicture(CRect(rectShot.left, rectShot.top, rectSub.right + 20, rectSub.bottom + 20),
                    "context-menu-tear-off-caption");
}

enum TearOffEnd { EndRelease, EndEscape, EndQuit };

TEST_F(TearOffTest, DragEndsWithABarOrLeavesNothing) {
    const struct {
        TearOffEnd nEnd;
        BOOL bResult;
    } cases[] = {{EndEscape, FALSE}, {EndQuit, FALSE}, {EndRelease, TRUE}};
    for (const auto& c : cases) {
        SCOPED_TRACE((int)c.nEnd);
        CSPPopupMenu* pSub = OpenToolsSubMenu();
        ASSERT_NE(nullptr, pSub);
        const HWND hwndSub = pSub->GetSafeHwnd();
        switch (c.nEnd) {
        case EndRelease: frame->PostMessage(WM_LBUTTONUP); break;
        case EndEscape: frame->PostMessage(WM_KEYDOWN, VK_ESCAPE); break;
        case EndQuit: ::PostQuitMessage(3); break;
        }
        EXPECT_EQ(c.bResult, pSub->TearOff(CPoint(300, 300)));
        EXPECT_EQ((HWND)NULL, ::GetCapture());
        CSPBaseControlBar* pBar = Impl()->FindTearOffBar(kTearOffFirst);
        if (c.nEnd == EndQuit) {
            MSG msg;
            ASSERT_TRUE(::PeekMessage(&msg, NULL, WM_QUIT, WM_QUIT, PM_REMOVE)) << "the quit request is posted again";
            EXPECT_EQ(3u, msg.wParam);
        }
        PumpPending();
        if (!c.bResult) {
            EXPECT_EQ(nullptr, pBar);
            EXPECT_EQ(0, Impl()->GetTearOffBars().GetCount());
            EXPECT_EQ(nullptr, frame->GetDlgItem(kTearOffFirst)) << "no bar window is left";
            if (CSPPopupMenu* pActive = ActivePopup()) pActive->DestroyWindow();
            PumpPending();
            continue;
        }
        ASSERT_NE(nullptr, pBar);
        EXPECT_TRUE(pBar->IsFloating());
        EXPECT_FALSE(::IsWindow(hwndSub)) << "the torn-off menu closes";
        if (CSPPopupMenu* pActive = ActivePopup()) pActive->DestroyWindow();
        PumpPending();
        CString strName;
        pBar->GetWindowText(strName);
        EXPECT_EQ(CString(_T("Tools")), strName);
        CSPToolBar* pToolBar = DYNAMIC_DOWNCAST(CSPToolBar, pBar);
        ASSERT_NE(nullptr, pToolBar);
        ASSERT_EQ(3, pToolBar->GetCount());
        EXPECT_EQ((UINT)ID_CTX_SPELL, pToolBar->GetButton(0)->m_nID);
        EXPECT_EQ(CString(_T("&Spelling")), pToolBar->GetButton(0)->m_strText) << "no accelerator text";
        EXPECT_TRUE(pToolBar->GetButton(1)->IsSeparator());
        EXPECT_EQ((UINT)ID_CTX_COUNT, pToolBar->GetButton(2)->m_nID);
        EXPECT_TRUE(pBar->GetParentMiniFrame()->IsWindowVisible());
        EXPECT_TRUE(pBar->IsWindowVisible());
        pBar->GetParentMiniFrame()->UpdateWindow();
        CRect rectShot;
        frame->GetWindowRect(rectShot);
        SaveDocsPicture(CRect(rectShot.TopLeft(), CSize(460, 380)), "context-menu-torn-off-bar");

        // Tearing off again brings the same bar to the cursor.
        CSPPopupMenu* pAgain = OpenToolsSubMenu();
        ASSERT_NE(nullptr, pAgain);
        EXPECT_TRUE(pAgain->TearOff(CPoint(350, 320)));
        PumpPending();
        EXPECT_EQ(1, Impl()->GetTearOffBars().GetCount());
        CRect rect;
        pBar->GetParentMiniFrame()->GetWindowRect(rect);
        EXPECT_EQ(CPoint(350, 320), rect.TopLeft());
    }
}

TEST_F(TearOffTest, DraggingTheCaptionOutTearsOff) {
    CSPPopupMenu* pSub = OpenToolsSubMenu();
    ASSERT_NE(nullptr, pSub);
    const HWND hwndSub = pSub->GetSafeHwnd();
    const CPoint ptCaption = pSub->GetTearOffCaptionRect().CenterPoint();
    // A release on the caption itself tears nothing off.
    pSub->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(ptCaption.x, ptCaption.y));
    EXPECT_EQ(hwndSub, ::GetCapture());
    pSub->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(ptCaption.x, ptCaption.y));
    EXPECT_EQ((HWND)NULL, ::GetCapture());
    EXPECT_EQ(0, Impl()->GetTearOffBars().GetCount());

    // Pressed on the caption and moved out of it: the bar follows the cursor
    // until the button comes up.
    pSub->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(ptCaption.x, ptCaption.y));
    frame->PostMessage(WM_LBUTTONUP);
    pSub->SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(ptCaption.x, ptCaption.y + 40));
    PumpPending();
    EXPECT_FALSE(::IsWindow(hwndSub));
    ASSERT_EQ(1, Impl()->GetTearOffBars().GetCount());
    EXPECT_NE(nullptr, Impl()->FindTearOffBar(kTearOffFirst));
}

TEST_F(TearOffTest, TornOffBarComesBackInANewProcess) {
    if (IsChild()) GTEST_SKIP();
    CSPPopupMenu* pSub = OpenToolsSubMenu();
    ASSERT_NE(nullptr, pSub);
    frame->PostMessage(WM_LBUTTONUP);
    ASSERT_TRUE(pSub->TearOff(CPoint(300, 300)));
    PumpPending();
    // A customised context menu goes with the rest of the state.
    ASSERT_TRUE(g_pContextMenuManager->AddMenu(_T("View menu"), IDR_CTX_VIEW));
    HMENU hView = ::GetSubMenu(g_pContextMenuManager->GetMenuById(IDR_CTX_VIEW), 0);
    CustomiseContextMenu(hView, 1);
    ASSERT_TRUE(workspace->SaveState(NULL, Impl()));
    const CString strKey = CSPFrameImpl::GetTearOffBarsKey();
    EXPECT_TRUE(RegKeyExists((LPCSTR)(strKey + _T("-0"))));
    EXPECT_FALSE(RegKeyExists((LPCSTR)(strKey + _T("-1"))));
    EXPECT_EQ(0u, RunChild("TearOffChild.*"));
    DeleteRegTree((LPCSTR)(workspace->GetRegSectionPath()));
}

class TearOffChild : public TearOffTest {};

// Disabled in ordinary runs: the test above runs it in its child process.
TEST_F(TearOffChild, DISABLED_FindsTheTornOffBar) {
    ASSERT_TRUE(IsChild());
    ASSERT_TRUE(g_pContextMenuManager->AddMenu(_T("View menu"), IDR_CTX_VIEW));
    ASSERT_TRUE(workspace->LoadState(NULL, Impl()));
    ASSERT_TRUE(g_pContextMenuManager->ShowPopupMenu(IDR_CTX_VIEW, 100, 100, frame));
    EXPECT_EQ(std::vector<UINT>{ID_CTX_ZOOM}, Ids(ActivePopup())) << "the customised context menu";
    ActivePopup()->DestroyWindow();
    PumpPending();
    ASSERT_EQ(1, Impl()->GetTearOffBars().GetCount());
    CSPToolBar* pBar = DYNAMIC_DOWNCAST(CSPToolBar, Impl()->FindTearOffBar(kTearOffFirst));
    ASSERT_NE(nullptr, pBar);
    CString strName;
    pBar->GetWindowText(strName);
    EXPECT_EQ(CString(_T("Tools")), strName);
    ASSERT_EQ(3, pBar->GetCount());
    EXPECT_EQ((UINT)ID_CTX_SPELL, pBar->GetButton(0)->m_nID);
    EXPECT_EQ((UINT)ID_CTX_COUNT, pBar->GetButton(2)->m_nID);
    // The same menu tears off to the same bar.
    CSPPopupMenu* pSub = OpenToolsSubMenu();
    ASSERT_NE(nullptr, pSub);
    EXPECT_TRUE(pSub->TearOff(CPoint(200, 200)));
    EXPECT_EQ(1, Impl()->GetTearOffBars().GetCount());
}

}  // namespace
}  // namespace ctxtest
