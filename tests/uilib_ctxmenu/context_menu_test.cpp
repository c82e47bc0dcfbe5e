// Context menus through the context-menu manager: named menus, where and to
// whom they show, the modal tracking with its ends, and the customised items
// kept for the run and from one run to the next.
#include "ctxmenu_support.h"

#include "CreationRefusal.h"
#include "SPDialog.h"
#include "SPPopupMenuBar.h"
#include "SPToolBar.h"
#include "SPRegistry.h"
#include "TestRegistry.h"

namespace ctxtest {

BEGIN_MESSAGE_MAP(CRecordingFrame, CSPFrameWnd)
    ON_COMMAND_RANGE(ID_CTX_CUT, ID_CTX_PLAIN, OnTestCommand)
    ON_UPDATE_COMMAND_UI_RANGE(ID_CTX_CUT, ID_CTX_PLAIN, OnUpdateTestCommand)
END_MESSAGE_MAP()

LRESULT CRecordingFrame::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == SP_WM_RESETMENU) resetMenus.push_back(wParam);
    return CSPFrameWnd::WindowProc(message, wParam, lParam);
}

namespace {

std::vector<std::function<void()>> g_actions;

void CALLBACK RunAction(HWND, UINT, UINT_PTR idEvent, DWORD) {
    ::KillTimer(NULL, idEvent);
    if (g_actions.empty()) return;
    std::function<void()> action = g_actions.front();
    g_actions.erase(g_actions.begin());
    action();
}

}  // namespace

void RunLater(UINT nDelay, std::function<void()> action) {
    g_actions.push_back(action);
    ::SetTimer(NULL, 0, nDelay, RunAction);
}

namespace {

struct ContextMenuTest : ContextMenuFixture {
    void AddTestMenus() {
        ASSERT_TRUE(g_pContextMenuManager->AddMenu(IDS_CTX_EDIT_NAME, IDR_CTX_EDIT));
        ASSERT_TRUE(g_pContextMenuManager->AddMenu(_T("View menu"), IDR_CTX_VIEW));
    }
    // The profile the manager is given: a full path, as the workspace gives.
    static CString ProfilePath() { return SPGetRegPath(_T("ContextMenuProfile")); }
    // The active popup's "Tools" item at iItem opens its submenu with the
    // resource's items, and the submenu's command reaches the frame.
    void ExpectToolsSubMenuOpensAndRuns(int iItem) {
        CSPPopupMenu* pMenu = ActivePopup();
        ASSERT_NE(nullptr, pMenu);
        CSPPopupMenuBar* pBar = pMenu->GetMenuBar();
        ASSERT_TRUE(pBar->OpenSubMenu(iItem));
        CSPPopupMenu* pSub = pBar->GetOpenSubMenu();
        ASSERT_NE(nullptr, pSub);
        EXPECT_EQ((std::vector<UINT>{ID_CTX_SPELL, 0, ID_CTX_COUNT}), Ids(pSub));
        frame->commands.clear();
        pSub->GetMenuBar()->SendMenuCommand(ID_CTX_COUNT);
        PumpPending();
        EXPECT_EQ(std::vector<UINT>{ID_CTX_COUNT}, frame->commands);
        EXPECT_EQ(nullptr, ActivePopup()) << "the whole chain closed";
    }
};

TEST_F(ContextMenuTest, MenusByNameAndId) {
    AddTestMenus();
    EXPECT_FALSE(g_pContextMenuManager->AddMenu(_T("Missing"), 0x7FFF)) << "a resource that cannot be loaded";
    EXPECT_TRUE(g_pContextMenuManager->AddMenu(_T("No sub-menu"), IDR_CTX_NOSUB));
    EXPECT_FALSE(g_pContextMenuManager->ShowPopupMenu(IDR_CTX_NOSUB, 100, 100, frame)) << "nothing to show";
    EXPECT_FALSE(g_pContextMenuManager->ShowPopupMenu(0x7FFF, 100, 100, frame)) << "an id without menu";
    {
        // The refused popup has deleted itself: nothing is shown or left.
        CCreationRefusal refusal(RUNTIME_CLASS(CSPPopupMenu), 1);
        EXPECT_FALSE(g_pContextMenuManager->ShowPopupMenu(IDR_CTX_EDIT, 100, 100, frame)) << "a refused window";
        EXPECT_EQ(1, refusal.Refused());
    }
    EXPECT_EQ(nullptr, ActivePopup());

    CStringList names;
    names.AddTail(_T("stale"));
    g_pContextMenuManager->GetMenuNames(names);
    EXPECT_EQ(3, names.GetCount());
    EXPECT_NE(nullptr, names.Find(_T("Edit menu")));

    UINT uiResId = 99;
    EXPECT_EQ(g_pContextMenuManager->GetMenuByName(_T("View menu"), &uiResId),
              g_pContextMenuManager->GetMenuById(IDR_CTX_VIEW));
    EXPECT_EQ((UINT)IDR_CTX_VIEW, uiResId);
    EXPECT_EQ(nullptr, g_pContextMenuManager->GetMenuByName(_T("Unknown"), &uiResId));
    EXPECT_EQ(0u, uiResId);

    // The tear-off mark of the resource got an id of the range.
    CString strText;
    CMenu::FromHandle(::GetSubMenu(g_pContextMenuManager->GetMenuById(IDR_CTX_EDIT), 0))
        ->GetMenuString(4, strText, MF_BYPOSITION);
    EXPECT_EQ(kTearOffFirst, g_pTearOffMenuManager->ParseTearOffTag(strText));
    EXPECT_EQ(CString(_T("&Tools")), strText);
}

TEST_F(ContextMenuTest, PlacementOwnerAndOnePopupAtATime) {
    AddTestMenus();
    // A child window as owner: the corner is its own, the commands go to
    // its top-level frame.
    CWnd child;
    ASSERT_TRUE(child.Create(_T("STATIC"), _T(""), WS_CHILD | WS_VISIBLE, CRect(30, 40, 200, 200), frame, 7));
    ASSERT_TRUE(g_pContextMenuManager->ShowPopupMenu(IDR_CTX_EDIT, -1, -1, &child));
    CSPPopupMenu* pFirst = ActivePopup();
    ASSERT_NE(nullptr, pFirst);
    CPoint ptCorner(0, 0);
    child.ClientToScreen(&ptCorner);
    CRect rect;
    pFirst->GetWindowRect(rect);
    EXPECT_EQ(ptCorner + CPoint(5, 5), rect.TopLeft());
    EXPECT_EQ(pFirst->GetOwner(), (CWnd*)frame);
    EXPECT_EQ((std::vector<UINT>{ID_CTX_CUT, ID_CTX_COPY, ID_CTX_PASTE, 0, (UINT)-1}), Ids(pFirst));

    // A second popup closes the first; the manager's menus outlive both.
    const HWND hwndFirst = pFirst->GetSafeHwnd();
    ASSERT_TRUE(g_pContextMenuManager->ShowPopupMenu(IDR_CTX_VIEW, 300, 200, frame));
    PumpPending();
    EXPECT_FALSE(::IsWindow(hwndFirst));
    CSPPopupMenu* pSecond = ActivePopup();
    ASSERT_NE(nullptr, pSecond);
    pSecond->GetWindowRect(rect);
    EXPECT_EQ(CPoint(300, 200), rect.TopLeft());
    pSecond->SendMessage(WM_KEYDOWN, VK_DOWN);
    pSecond->SendMessage(WM_KEYDOWN, VK_RETURN);
    PumpPending();
    EXPECT_EQ(nullptr, ActivePopup());
    EXPECT_EQ((std::vector<UINT>{ID_CTX_ZOOM}), frame->commands);
    EXPECT_TRUE(::IsMenu(g_pContextMenuManager->GetMenuById(IDR_CTX_EDIT)));
    EXPECT_TRUE(::IsMenu(g_pContextMenuManager->GetMenuById(IDR_CTX_VIEW)));
}

TEST_F(ContextMenuTest, DialogOwnerIsRefusedUnlessItTakesTheMessages) {
    AddTestMenus();
    CSPDialog dialog;
    HMENU hView = ::GetSubMenu(g_pContextMenuManager->GetMenuById(IDR_CTX_VIEW), 0);
    EXPECT_EQ(nullptr, g_pContextMenuManager->ShowPopupMenu(hView, 10, 10, &dialog, FALSE));
}

enum TrackEnd { EndEscape, EndDeactivate, EndItem, EndQuit };

TEST_F(ContextMenuTest, TrackingReturnsTheChoiceOrNothing) {
    AddTestMenus();
    const struct {
        TrackEnd nEnd;
        UINT uiExpected;
    } cases[] = {{EndEscape, 0}, {EndDeactivate, 0}, {EndItem, ID_CTX_FIT}, {EndQuit, 0}};
    HMENU hView = ::GetSubMenu(g_pContextMenuManager->GetMenuById(IDR_CTX_VIEW), 0);
    for (const auto& c : cases) {
        SCOPED_TRACE((int)c.nEnd);
        HWND hwndSeen = NULL;
        RunLater(50, [&] {
            CSPPopupMenu* pMenu = ActivePopup();
            if (pMenu == NULL) return;
            hwndSeen = pMenu->GetSafeHwnd();
            EXPECT_TRUE(pMenu->IsTrackMode());
            switch (c.nEnd) {
            case EndEscape: pMenu->PostMessage(WM_KEYDOWN, VK_ESCAPE); break;
            case EndDeactivate: pMenu->PostMessage(WM_ACTIVATEAPP, FALSE); break;
            case EndItem:
                pMenu->SendMessage(WM_KEYDOWN, VK_DOWN);
                pMenu->SendMessage(WM_KEYDOWN, VK_DOWN);
                pMenu->SendMessage(WM_KEYDOWN, VK_RETURN);
                break;
            case EndQuit: ::PostQuitMessage(9); break;
            }
        });
        frame->commands.clear();
        EXPECT_EQ(c.uiExpected, g_pContextMenuManager->TrackPopupMenu(hView, 200, 150, frame));
        EXPECT_NE((HWND)NULL, hwndSeen);
        EXPECT_FALSE(::IsWindow(hwndSeen));
        EXPECT_FALSE(g_pContextMenuManager->IsTracking());
        if (c.nEnd == EndQuit) {
            MSG msg;
            ASSERT_TRUE(::PeekMessage(&msg, NULL, WM_QUIT, WM_QUIT, PM_REMOVE)) << "the quit request is posted again";
            EXPECT_EQ(9u, msg.wParam);
        }
        PumpPending();
        EXPECT_TRUE(frame->commands.empty()) << "a tracked choice is returned, not sent";
        EXPECT_TRUE(::IsMenu(hView));
    }
}

TEST_F(ContextMenuTest, CustomisedItemsForTheRunAndAcrossManagers) {
    AddTestMenus();
    HMENU hEdit = ::GetSubMenu(g_pContextMenuManager->GetMenuById(IDR_CTX_EDIT), 0);
    CustomiseContextMenu(hEdit, 0);
    ASSERT_TRUE(g_pContextMenuManager->ShowPopupMenu(IDR_CTX_EDIT, 100, 100, frame));
    EXPECT_EQ((std::vector<UINT>{ID_CTX_COPY, ID_CTX_PASTE, 0, (UINT)-1}), Ids(ActivePopup()));
    ExpectToolsSubMenuOpensAndRuns(3);
    ASSERT_TRUE(g_pContextMenuManager->SaveState(ProfilePath()));

    // Reset: the resource's items again for the run, the stored ones stay.
    ASSERT_TRUE(g_pContextMenuManager->ResetState());
    ASSERT_TRUE(g_pContextMenuManager->ShowPopupMenu(IDR_CTX_EDIT, 100, 100, frame));
    EXPECT_EQ((std::vector<UINT>{ID_CTX_CUT, ID_CTX_COPY, ID_CTX_PASTE, 0, (UINT)-1}), Ids(ActivePopup()));
    ActivePopup()->DestroyWindow();

    // A new manager, as in the next run, finds the customised items; the
    // uncustomised menu comes as its resource has it.
    delete g_pContextMenuManager;
    new CSPContextMenuManager;
    AddTestMenus();
    ASSERT_TRUE(g_pContextMenuManager->LoadState(ProfilePath()));
    ASSERT_TRUE(g_pContextMenuManager->ShowPopupMenu(IDR_CTX_EDIT, 100, 100, frame));
    EXPECT_EQ((std::vector<UINT>{ID_CTX_COPY, ID_CTX_PASTE, 0, (UINT)-1}), Ids(ActivePopup()));
    ExpectToolsSubMenuOpensAndRuns(3);
    ASSERT_TRUE(g_pContextMenuManager->ShowPopupMenu(IDR_CTX_EDIT, 100, 100, frame));
    ASSERT_TRUE(g_pContextMenuManager->ShowPopupMenu(IDR_CTX_VIEW, 100, 100, frame));
    EXPECT_EQ((std::vector<UINT>{ID_CTX_ZOOM, ID_CTX_FIT}), Ids(ActivePopup()));
    ActivePopup()->DestroyWindow();
    g_pContextMenuManager->ResetState();
    DeleteRegTree((LPCSTR)(ProfilePath()));
}

TEST_F(ContextMenuTest, UnwritableTemporaryFolderLeavesMenusWorking) {
    AddTestMenus();
    CSPTempStateStore::s_strFolder = _T("Z:\\no\\such\\folder\\");
    HMENU hEdit = ::GetSubMenu(g_pContextMenuManager->GetMenuById(IDR_CTX_EDIT), 0);
    CSPPopupMenuBar bar;
    ASSERT_TRUE(bar.Create(CWnd::GetDesktopWindow(), WS_CHILD, 0xE800));
    ASSERT_TRUE(bar.ImportFromMenu(hEdit, TRUE));
    ASSERT_TRUE(bar.RemoveButton(0));
    EXPECT_FALSE(spTempStateStore.SaveState((UINT)(UINT_PTR)hEdit, &bar));
    bar.DestroyWindow();
    CSPTempStateStore::s_strFolder.Empty();
    ASSERT_TRUE(g_pContextMenuManager->ShowPopupMenu(IDR_CTX_EDIT, 100, 100, frame));
    EXPECT_EQ((std::vector<UINT>{ID_CTX_CUT, ID_CTX_COPY, ID_CTX_PASTE, 0, (UINT)-1}), Ids(ActivePopup()));
}

TEST_F(ContextMenuTest, DamagedOrForeignStateGivesTheResourceItems) {
    AddTestMenus();
    HMENU hEdit = ::GetSubMenu(g_pContextMenuManager->GetMenuById(IDR_CTX_EDIT), 0);
    CustomiseContextMenu(hEdit, 0);
    ASSERT_TRUE(g_pContextMenuManager->SaveState(ProfilePath()));
    g_pContextMenuManager->ResetState();

    // The stored items, cut short or another class's record. Only the
    // customised menu has a state.
    CString strKey, strViewKey;
    strKey.Format(_T("%sSToolBar-0%x"), (LPCTSTR)ProfilePath(), IDR_CTX_EDIT);
    strViewKey.Format(_T("%sSToolBar-0%x"), (LPCTSTR)ProfilePath(), IDR_CTX_VIEW);
    ASSERT_TRUE(RegKeyExists((LPCSTR)strKey));
    EXPECT_FALSE(RegKeyExists((LPCSTR)strViewKey));
    const std::vector<std::vector<BYTE>> damages = {
        {0x02, 0x00}, {0x01, 0x00, 0xFF, 0xFF, 0x00, 0x00, 0x07, 0x00, 'C', 'O', 'b', 'L', 'i', 's', 't'}};
    for (const auto& damage : damages) {
        ASSERT_TRUE(WriteRegRaw((LPCSTR)strKey, "Buttons", damage));
        delete g_pContextMenuManager;
        new CSPContextMenuManager;
        AddTestMenus();
        g_pContextMenuManager->LoadState(ProfilePath());
        ASSERT_TRUE(g_pContextMenuManager->ShowPopupMenu(IDR_CTX_EDIT, 100, 100, frame));
        EXPECT_EQ((std::vector<UINT>{ID_CTX_CUT, ID_CTX_COPY, ID_CTX_PASTE, 0, (UINT)-1}), Ids(ActivePopup()));
        ActivePopup()->DestroyWindow();
        g_pContextMenuManager->ResetState();
    }
    DeleteRegTree((LPCSTR)(ProfilePath()));
}

}  // namespace

}  // namespace ctxtest
