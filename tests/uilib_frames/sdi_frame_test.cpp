// The single-document frame: which layout each kind of resize runs, the
// view placed in what the docked bars leave, commands during
// customisation, the Win32 menu while a library menu bar shows, and Alt
// with a letter answered by a toolbar.
#include "afxwin.h"
#include "afxoleip.h"
#include <gtest/gtest.h>

#include <vector>

#include "FrameTestBars.h"
#include "MessagePump.h"
#include "SPFrameWnd.h"
#include "SPMenuBar.h"
#include "SPPopupMenu.h"
#include "SPStatusBar.h"
#include "SPToolBar.h"
#include "SPToolbarButton.h"
#include "SPToolbarState.h"

namespace {

const UINT ID_TEST_CMD = 0x7301;

class CEmptyView : public CView {
protected:
    void OnDraw(CDC*) override {}
};

// A frame that counts its layout passes and the commands it runs.
class CCountingFrame : public CSPFrameWnd {
public:
    int nFull = 0, nDocking = 0, nClientArea = 0, nCommands = 0;

    void RecalcLayout(BOOL bNotify = TRUE) override {
        if (!m_bInRecalcLayout) nFull++;
        CSPFrameWnd::RecalcLayout(bNotify);
    }
    void AdjustDockingLayout(HDWP hdwp = NULL) override {
        nDocking++;
        CSPFrameWnd::AdjustDockingLayout(hdwp);
    }
    void AdjustClientArea() override {
        nClientArea++;
        CSPFrameWnd::AdjustClientArea();
    }
    void Reset() { nFull = nDocking = nClientArea = 0; }

protected:
    afx_msg void OnTestCommand() { nCommands++; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CCountingFrame, CSPFrameWnd)
    ON_COMMAND(ID_TEST_CMD, OnTestCommand)
END_MESSAGE_MAP()

struct SdiFixture : ::testing::Test {
    CCountingFrame* pFrame = NULL;
    CSPToolBar toolbar;
    CSPStatusBar status;
    CWnd view;

    void SetUp() override {
        pFrame = new CCountingFrame;
        ASSERT_TRUE(pFrame->Create(NULL, _T("sdi test"), WS_OVERLAPPEDWINDOW, CRect(40, 40, 640, 440)));
        ASSERT_TRUE(view.Create(_T("STATIC"), _T(""), WS_CHILD | WS_VISIBLE, CRect(0, 0, 10, 10), pFrame,
                                AFX_IDW_PANE_FIRST));
        ASSERT_TRUE(MakeRunToolbar(toolbar, pFrame, AFX_IDW_TOOLBAR, ID_TEST_CMD));
        ASSERT_TRUE(MakeStretchStatusBar(status, pFrame));
        pFrame->AddControlBar(&toolbar);
        pFrame->AddControlBar(&status);
        pFrame->ShowWindow(SW_SHOWNOACTIVATE);
        pFrame->RecalcLayout();
        PumpPending();
        pFrame->Reset();
    }
    void TearDown() override {
        g_bCustomizeMode = FALSE;
        if (pFrame != NULL && pFrame->GetSafeHwnd() != NULL) pFrame->DestroyWindow();
    }
    CRect ChildRect(CWnd& wnd) { return RectIn(pFrame, &wnd); }
};

TEST_F(SdiFixture, EachKindOfResizeRunsItsLayout) {
    struct Step {
        int nShow;
        bool bFull;  // the full layout (bars re-measured) rather than the docking layout alone
        const char* what;
    };
    const Step steps[] = {
        {SW_MAXIMIZE, true, "maximised"},
        {SW_RESTORE, true, "restored after maximised"},
        {SW_MINIMIZE, false, "minimised"},
        {SW_RESTORE, false, "restored after minimised"},
    };
    for (const Step& step : steps) {
        pFrame->Reset();
        pFrame->ShowWindow(step.nShow);
        PumpPending();
        EXPECT_EQ(step.bFull, pFrame->nFull > 0) << step.what;
    }
    // A plain resize moves the bars only.
    pFrame->Reset();
    pFrame->SetWindowPos(NULL, 0, 0, 500, 350, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_EQ(0, pFrame->nFull);
    EXPECT_GT(pFrame->nDocking, 0);
}

TEST_F(SdiFixture, AMinimisedFrameLaysOutNothing) {
    pFrame->ShowWindow(SW_MINIMIZE);
    PumpPending();
    ASSERT_TRUE(pFrame->IsMinimizedFrame());
    pFrame->Reset();
    pFrame->RecalcLayout();
    EXPECT_EQ(0, pFrame->nClientArea);
}

TEST_F(SdiFixture, TheViewTakesWhatTheBarsLeave) {
    const CRect rectTool = ChildRect(toolbar), rectStatus = ChildRect(status), rectView = ChildRect(view);
    CRect rectClient;
    pFrame->GetClientRect(rectClient);
    EXPECT_EQ(0, rectTool.top);
    EXPECT_EQ(rectClient.bottom, rectStatus.bottom);
    EXPECT_EQ(CRect(0, rectTool.bottom, rectClient.right, rectStatus.top), rectView);
    EXPECT_TRUE((view.GetStyle() & WS_CLIPSIBLINGS) != 0);
    EXPECT_EQ(NULL, ::GetWindow(view.m_hWnd, GW_HWNDNEXT));  // at the bottom of the Z order

    // BORDER_GET answers the same room.
    CRect rectBorder;
    pFrame->NegotiateBorderSpace(BORDER_GET, rectBorder);
    EXPECT_EQ(rectView, rectBorder);

    // Hiding the status bar by its command gives the view its room.
    pFrame->SendMessage(WM_COMMAND, ID_VIEW_STATUS_BAR);
    PumpPending();
    EXPECT_FALSE(status.IsWindowVisible());
    EXPECT_EQ(rectClient.bottom, ChildRect(view).bottom);
    pFrame->SendMessage(WM_COMMAND, ID_VIEW_STATUS_BAR);
    PumpPending();
    EXPECT_EQ(rectStatus.top, ChildRect(view).bottom);
}

TEST_F(SdiFixture, CustomisationModeDropsEveryCommand) {
    pFrame->SendMessage(WM_COMMAND, ID_TEST_CMD);
    EXPECT_EQ(1, pFrame->nCommands);
    g_bCustomizeMode = TRUE;
    pFrame->SendMessage(WM_COMMAND, ID_TEST_CMD);
    pFrame->SendMessage(WM_COMMAND, MAKEWPARAM(ID_TEST_CMD, 1), 0);  // from an accelerator
    EXPECT_EQ(1, pFrame->nCommands);
}

TEST_F(SdiFixture, TheWin32MenuStaysOffWhileALibraryMenuBarShows) {
    CMenu menu;
    menu.CreateMenu();
    menu.AppendMenu(MF_STRING, ID_TEST_CMD, _T("&File"));
    pFrame->SetMenu(&menu);
    // The menu bar made in the frame takes the frame's menu over.
    CSPMenuBar menuBar;
    ASSERT_TRUE(menuBar.Create(pFrame));
    EXPECT_EQ(&menuBar, pFrame->GetMenuBar());
    EXPECT_EQ(NULL, ::GetMenu(pFrame->m_hWnd));
    EXPECT_EQ(menu.m_hMenu, pFrame->m_Impl.GetDefaultMenu());
    EXPECT_EQ(menu.m_hMenu, menuBar.GetHMenu());

    pFrame->OnUpdateFrameMenu(menu.m_hMenu);
    EXPECT_EQ(NULL, ::GetMenu(pFrame->m_hWnd));

    // An item of the active view's container document active in place:
    // the merged menu it is handed shows, and goes again when the item
    // deactivates.
    COleDocument* pDoc = new COleDocument;
    pDoc->m_bAutoDelete = FALSE;
    CEmptyView* pView = new CEmptyView;
    ASSERT_TRUE(pView->Create(NULL, NULL, WS_CHILD | WS_VISIBLE, CRect(0, 0, 200, 150), pFrame, 0x7401));
    pDoc->AddView(pView);
    pFrame->SetActiveView(pView);
    COleClientItem* pItem = new COleClientItem(pDoc);
    COleIPFrameWnd* pServer = new COleIPFrameWnd;
    ASSERT_TRUE(pServer->Create(NULL, NULL, WS_CHILD, CRect(0, 0, 10, 10), pView));
    // (the server's bars would go into a wrapper of this window)
    HWND hBarHost = ::CreateWindow(_T("STATIC"), _T(""), WS_POPUP, 0, 0, 100, 100, NULL, NULL, NULL, NULL);
    ASSERT_TRUE(pServer->ActivateInPlace(hBarHost, NULL, CRect(10, 10, 90, 60), pItem, pView));
    EXPECT_EQ(pItem, pFrame->GetActiveOleItem());
    EXPECT_EQ(pServer, pItem->GetInPlaceWindow());
    CMenu merged;
    merged.CreateMenu();
    merged.AppendMenu(MF_STRING, ID_TEST_CMD, _T("&Server"));
    pFrame->OnUpdateFrameMenu(merged.m_hMenu);
    EXPECT_EQ(merged.m_hMenu, ::GetMenu(pFrame->m_hWnd));
    pItem->Deactivate();
    EXPECT_EQ(NULL, pFrame->GetActiveOleItem());
    pFrame->OnUpdateFrameMenu(menu.m_hMenu);
    EXPECT_EQ(NULL, ::GetMenu(pFrame->m_hWnd));
    pServer->DestroyWindow();
    ::DestroyWindow(hBarHost);
    pFrame->SetActiveView(NULL);
    pView->DestroyWindow();
    delete pDoc;

    // Without a visible menu bar the frame's menu is the window's again.
    menuBar.ShowWindow(SW_HIDE);
    pFrame->OnUpdateFrameMenu(menu.m_hMenu);
    EXPECT_EQ(menu.m_hMenu, ::GetMenu(pFrame->m_hWnd));
    pFrame->SetMenu(NULL);
    menuBar.DestroyWindow();
    pFrame->m_Impl.SetMenuBar(NULL);
}

TEST_F(SdiFixture, AltAndALetterOfAVisibleToolbarIsTaken) {
    EXPECT_EQ(MAKELRESULT(2, 0xFFFF), pFrame->SendMessage(WM_MENUCHAR, MAKEWPARAM('r', MF_POPUP), 0));
    PumpPending();
    EXPECT_EQ(1, pFrame->nCommands);
    EXPECT_NE(MAKELRESULT(2, 0xFFFF), pFrame->SendMessage(WM_MENUCHAR, MAKEWPARAM('q', MF_POPUP), 0));
    toolbar.ShowWindow(SW_HIDE);
    EXPECT_NE(MAKELRESULT(2, 0xFFFF), pFrame->SendMessage(WM_MENUCHAR, MAKEWPARAM('r', MF_POPUP), 0));
}

}  // namespace

namespace {

// A frame whose hook can keep its popups from showing.
class CRefusingFrame : public CSPFrameWnd {
public:
    BOOL bRefuse = TRUE;
    std::vector<CSPPopupMenu*> shown;
    BOOL OnShowPopupMenu(CSPPopupMenu* pPopup) override {
        shown.push_back(pPopup);
        return !bRefuse;
    }
};

TEST(SdiPopupMenus, TheFrameSeesEveryPopupAndMayRefuseIt) {
    CRefusingFrame* pFrame = new CRefusingFrame;
    ASSERT_TRUE(pFrame->Create(NULL, _T("popup test"), WS_OVERLAPPEDWINDOW, CRect(40, 40, 440, 340)));
    pFrame->ShowWindow(SW_SHOWNOACTIVATE);
    CMenu menu;
    menu.CreatePopupMenu();
    menu.AppendMenu(MF_STRING, ID_TEST_CMD, _T("&Run"));

    // Refused: the popup never shows and goes by itself.
    CSPPopupMenu* pPopup = new CSPPopupMenu;
    pPopup->SetDestroyMenu(FALSE);
    ASSERT_TRUE(pPopup->Create(pFrame, 100, 100, menu.m_hMenu, FALSE, TRUE));
    const HWND hPopup = pPopup->GetSafeHwnd();
    ASSERT_EQ(1u, pFrame->shown.size());
    EXPECT_EQ(pPopup, pFrame->shown[0]);
    EXPECT_FALSE(::IsWindowVisible(hPopup));
    PumpPending();
    EXPECT_FALSE(::IsWindow(hPopup));
    EXPECT_EQ(NULL, SPPopupMenuClient::GetActivePopupMenu());

    // Accepted: it is the active popup until it closes, and the frame hears
    // of the close.
    pFrame->bRefuse = FALSE;
    pPopup = new CSPPopupMenu;
    pPopup->SetDestroyMenu(FALSE);
    ASSERT_TRUE(pPopup->Create(pFrame, 100, 100, menu.m_hMenu, FALSE, TRUE));
    EXPECT_TRUE(pPopup->IsWindowVisible());
    EXPECT_EQ(pPopup, SPPopupMenuClient::GetActivePopupMenu());
    pFrame->OnClosePopupMenu(NULL);  // not the active one: nothing changes
    EXPECT_EQ(pPopup, SPPopupMenuClient::GetActivePopupMenu());
    pPopup->SendMessage(WM_CLOSE);
    EXPECT_EQ(NULL, SPPopupMenuClient::GetActivePopupMenu());

    // Told that no popup shows, the hook is asked too.
    pFrame->shown.clear();
    EXPECT_TRUE(pFrame->ShowPopupMenu(NULL));
    EXPECT_EQ((std::vector<CSPPopupMenu*>{NULL}), pFrame->shown);
    pFrame->DestroyWindow();
}

}  // namespace
