// The frame's menu as a menu bar: opened by Alt and a letter and by the
// mouse, a library popup inside the work area with a submenu, the chosen
// command reaching the frame; a picture of an open menu for the docs.
#include "afxwin.h"
#include <gtest/gtest.h>

#include <vector>

#include "MessagePump.h"
#include "SPFrameWnd.h"
#include "SPMenuBar.h"
#include "SPPopupMenu.h"
#include "SPToolbarMenuButton.h"
#include "WindowPicture.h"

namespace {

enum { IDT_NEW = 401, IDT_OPEN = 402, IDT_RECENT_A = 403, IDT_RECENT_B = 404, IDT_COPY = 405 };

class CMenuBarFrame : public CSPFrameWnd {
public:
    std::vector<UINT> commands;
    CSPMenuBar menuBar;

protected:
    afx_msg void OnTestCommand(UINT nID) { commands.push_back(nID); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CMenuBarFrame, CSPFrameWnd)
    ON_COMMAND_RANGE(IDT_NEW, IDT_COPY, OnTestCommand)
END_MESSAGE_MAP()

HMENU MakeMainMenu() {
    HMENU hRecent = ::CreatePopupMenu();
    ::AppendMenuA(hRecent, MF_STRING, IDT_RECENT_A, "&1 Guide.chm");
    ::AppendMenuA(hRecent, MF_STRING, IDT_RECENT_B, "&2 Reference.chm");
    HMENU hFile = ::CreatePopupMenu();
    ::AppendMenuA(hFile, MF_STRING, IDT_NEW, "&New\tCtrl+N");
    ::AppendMenuA(hFile, MF_STRING, IDT_OPEN, "&Open...\tCtrl+O");
    ::AppendMenuA(hFile, MF_SEPARATOR, 0, NULL);
    ::AppendMenuA(hFile, MF_POPUP, (UINT_PTR)hRecent, "Recent &Files");
    HMENU hEdit = ::CreatePopupMenu();
    ::AppendMenuA(hEdit, MF_STRING, IDT_COPY, "&Copy\tCtrl+C");
    HMENU hMenu = ::CreateMenu();
    ::AppendMenuA(hMenu, MF_POPUP, (UINT_PTR)hFile, "&File");
    ::AppendMenuA(hMenu, MF_POPUP, (UINT_PTR)hEdit, "&Edit");
    return hMenu;
}

class MenuBarTest : public ::testing::Test {
protected:
    CMenuBarFrame* frame = NULL;
    HMENU hMenu = NULL;

    void SetUp() override {
        CSPToolBar::m_UsageCount.Reset();
        frame = new CMenuBarFrame;
        ASSERT_TRUE(frame->Create(NULL, _T("Menu bar test"), WS_OVERLAPPEDWINDOW, CRect(10, 10, 650, 450)));
        ASSERT_TRUE(frame->menuBar.Create(frame));
        hMenu = MakeMainMenu();
        ASSERT_TRUE(frame->menuBar.CreateFromMenu(hMenu, TRUE));
        CRect rectClient;
        frame->GetClientRect(rectClient);
        const CSize size = frame->menuBar.CalcSize(FALSE);
        frame->menuBar.SetWindowPos(NULL, 0, 0, rectClient.Width(), size.cy, SWP_NOZORDER);
        frame->menuBar.AdjustLocations();
        frame->ShowWindow(SW_SHOWNORMAL);
        frame->UpdateWindow();
        PumpPending();
    }
    void TearDown() override {
        if (CSPPopupMenu* pActive = CSPPopupMenu::GetActiveMenu()) pActive->DestroyWindow();
        PumpPending();
        if (frame != NULL && ::IsWindow(frame->GetSafeHwnd())) frame->DestroyWindow();
        if (hMenu != NULL) ::DestroyMenu(hMenu);
    }
    CSPToolbarMenuButton* Item(int i) {
        return DYNAMIC_DOWNCAST(CSPToolbarMenuButton, frame->menuBar.GetButton(i));
    }
    BOOL SysKey(UINT message, UINT nKey) {
        MSG msg = {frame->GetSafeHwnd(), message, nKey, 0};
        const BOOL bUsed = frame->menuBar.TranslateFrameMessage(&msg);
        PumpPending();
        return bUsed;
    }
};

TEST_F(MenuBarTest, TheMenuAsMenuButtons) {
    CString strText;
    frame->menuBar.GetWindowText(strText);
    EXPECT_EQ(CString("Menu Bar"), strText);
    ASSERT_EQ(2, frame->menuBar.GetCount());
    ASSERT_NE(nullptr, Item(0));
    EXPECT_EQ(CString("&File"), Item(0)->m_strText);
    // The same menu again rebuilds nothing; a NULL menu keeps the buttons.
    CSPToolbarButton* pFirst = frame->menuBar.GetButton(0);
    EXPECT_TRUE(frame->menuBar.CreateFromMenu(hMenu));
    EXPECT_EQ(pFirst, frame->menuBar.GetButton(0));
    EXPECT_FALSE(frame->menuBar.CreateFromMenu(NULL));
    EXPECT_EQ(2, frame->menuBar.GetCount());
}

TEST_F(MenuBarTest, AltAndALetterOpensAPopupWithASubmenuAndItsCommandArrives) {
    EXPECT_TRUE(SysKey(WM_SYSKEYDOWN, 'F'));
    CSPPopupMenu* pPopup = Item(0)->m_pPopupMenu;
    ASSERT_NE(nullptr, pPopup);
    ASSERT_TRUE(pPopup->IsWindowVisible());
    CRect rectPopup, rectWork;
    pPopup->GetWindowRect(rectPopup);
    ::SystemParametersInfo(SPI_GETWORKAREA, 0, &rectWork, 0);
    CRect rectInter;
    rectInter.IntersectRect(rectPopup, rectWork);
    EXPECT_EQ(rectPopup, rectInter);
    CRect rectButton = Item(0)->Rect();
    frame->menuBar.ClientToScreen(rectButton);
    EXPECT_EQ(rectButton.bottom, rectPopup.top);

    // Down to the submenu's item, Right opens it.
    pPopup->SendMessage(WM_KEYDOWN, VK_END);
    pPopup->SendMessage(WM_KEYDOWN, VK_RIGHT);
    PumpPending();
    CSPPopupMenu* pSub = pPopup->GetMenuBar()->GetOpenSubMenu();
    ASSERT_NE(nullptr, pSub);
    EXPECT_GT(pSub->GetShadowDepth(), 0);
    CRect rectSub;
    pSub->GetWindowRect(rectSub);
    rectInter.IntersectRect(rectSub, rectWork);
    EXPECT_EQ(rectSub, rectInter);

    // The picture for the docs, while both are open.
    frame->menuBar.UpdateWindow();
    pPopup->UpdateWindow();
    pSub->UpdateWindow();
    const char* pszDocs = getenv("TW_DOCS_DIR");
    if (pszDocs != NULL) {
        CRect rectFrame;
        frame->GetWindowRect(rectFrame);
        CRect rectShot;
        rectShot.UnionRect(rectFrame, rectSub);
        CString strPath = CString(pszDocs) + "\\menu-bar-open-menu.bmp";
        EXPECT_TRUE(WriteScreenBitmap(rectShot, strPath));
    }

    pSub->SendMessage(WM_KEYDOWN, VK_DOWN);
    pSub->SendMessage(WM_KEYDOWN, VK_RETURN);
    PumpPending();
    EXPECT_EQ((std::vector<UINT>{IDT_RECENT_B}), frame->commands);
    EXPECT_EQ(nullptr, Item(0)->m_pPopupMenu);
}

TEST_F(MenuBarTest, MouseOpensTheMenuAndAnItemRuns) {
    CRect rectButton = Item(1)->Rect();
    frame->menuBar.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(rectButton.CenterPoint().x, rectButton.CenterPoint().y));
    PumpPending();
    CSPPopupMenu* pPopup = Item(1)->m_pPopupMenu;
    ASSERT_NE(nullptr, pPopup);
    CSPPopupMenuBar* pBar = pPopup->GetMenuBar();
    ASSERT_EQ(1, pBar->GetCount());
    CRect rectItem = pBar->GetItem(0)->Rect();
    pBar->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(rectItem.CenterPoint().x, rectItem.CenterPoint().y));
    pBar->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(rectItem.CenterPoint().x, rectItem.CenterPoint().y));
    PumpPending();
    EXPECT_EQ((std::vector<UINT>{IDT_COPY}), frame->commands);
}

TEST_F(MenuBarTest, AltAloneThenArrowsWrap) {
    EXPECT_TRUE(SysKey(WM_SYSKEYDOWN, VK_MENU));
    EXPECT_TRUE(SysKey(WM_SYSKEYUP, VK_MENU));
    MSG msg = {frame->menuBar.GetSafeHwnd(), WM_KEYDOWN, VK_LEFT, 0};
    EXPECT_TRUE(frame->menuBar.PreTranslateMessage(&msg));  // from the first to the last
    msg.wParam = VK_RIGHT;
    EXPECT_TRUE(frame->menuBar.PreTranslateMessage(&msg));  // and round to the first
    msg.wParam = VK_DOWN;
    EXPECT_TRUE(frame->menuBar.PreTranslateMessage(&msg));
    PumpPending();
    EXPECT_NE(nullptr, Item(0)->m_pPopupMenu);
}

// Left and Right move between the bar's menus: from a menu, and from a
// submenu (Right climbs to the bar, Left closes only the submenu).
TEST_F(MenuBarTest, ArrowsMoveBetweenTheBarsMenus) {
    EXPECT_TRUE(SysKey(WM_SYSKEYDOWN, 'F'));
    CSPPopupMenu* pFile = Item(0)->m_pPopupMenu;
    ASSERT_NE(nullptr, pFile);
    pFile->SendMessage(WM_KEYDOWN, VK_RIGHT);  // New has no submenu: the next menu
    PumpPending();
    EXPECT_EQ(nullptr, Item(0)->m_pPopupMenu);
    CSPPopupMenu* pEdit = Item(1)->m_pPopupMenu;
    ASSERT_NE(nullptr, pEdit);
    EXPECT_EQ(0, pEdit->GetMenuBar()->GetHotIndex());
    pEdit->SendMessage(WM_KEYDOWN, VK_RIGHT);  // wraps to File
    PumpPending();
    pFile = Item(0)->m_pPopupMenu;
    ASSERT_NE(nullptr, pFile);
    EXPECT_EQ(nullptr, Item(1)->m_pPopupMenu);

    pFile->SendMessage(WM_KEYDOWN, VK_END);
    pFile->SendMessage(WM_KEYDOWN, VK_RIGHT);  // opens Recent Files
    PumpPending();
    CSPPopupMenu* pSub = pFile->GetMenuBar()->GetOpenSubMenu();
    ASSERT_NE(nullptr, pSub);
    pSub->SendMessage(WM_KEYDOWN, VK_LEFT);  // only the submenu goes
    PumpPending();
    EXPECT_EQ(nullptr, pFile->GetMenuBar()->GetOpenSubMenu());
    ASSERT_EQ(pFile, Item(0)->m_pPopupMenu);

    pFile->SendMessage(WM_KEYDOWN, VK_RIGHT);
    PumpPending();
    pSub = pFile->GetMenuBar()->GetOpenSubMenu();
    ASSERT_NE(nullptr, pSub);
    pSub->SendMessage(WM_KEYDOWN, VK_RIGHT);  // climbs: the next menu of the bar
    PumpPending();
    EXPECT_EQ(nullptr, Item(0)->m_pPopupMenu);
    EXPECT_NE(nullptr, Item(1)->m_pPopupMenu);
    if (Item(1)->m_pPopupMenu != NULL) {
        Item(1)->m_pPopupMenu->SendMessage(WM_KEYDOWN, VK_LEFT);
        PumpPending();
        EXPECT_NE(nullptr, Item(0)->m_pPopupMenu);
    }
}

// Escape closes the menu and leaves the keys on the bar, on the same item.
TEST_F(MenuBarTest, EscapeGivesTheKeysBackToTheBar) {
    EXPECT_TRUE(SysKey(WM_SYSKEYDOWN, 'E'));
    CSPPopupMenu* pEdit = Item(1)->m_pPopupMenu;
    ASSERT_NE(nullptr, pEdit);
    pEdit->SendMessage(WM_KEYDOWN, VK_ESCAPE);
    PumpPending();
    EXPECT_EQ(nullptr, Item(1)->m_pPopupMenu);
    EXPECT_EQ(frame->menuBar.GetSafeHwnd(), ::GetFocus());
    EXPECT_EQ(1, frame->menuBar.GetHotIndex());
}

// Customising: what is taken out of an open menu and its submenu stays out
// of the menu title's items once the menus close.
TEST_F(MenuBarTest, CustomisedItemsGoBackIntoTheMenuTitle) {
    ASSERT_TRUE(CSPToolBar::SetCustomizeMode(TRUE));
    ASSERT_TRUE(Item(0)->OpenPopupMenu(&frame->menuBar));
    PumpPending();
    CSPPopupMenu* pFile = Item(0)->m_pPopupMenu;
    ASSERT_NE(nullptr, pFile);
    CSPPopupMenuBar* pBar = pFile->GetMenuBar();
    ASSERT_EQ(4, pBar->GetCount());  // New, Open, separator, Recent Files
    ASSERT_TRUE(pBar->RemoveButton(0));
    ASSERT_TRUE(pBar->OpenSubMenu(2));
    CSPPopupMenu* pRecent = pBar->GetOpenSubMenu();
    ASSERT_NE(nullptr, pRecent);
    ASSERT_TRUE(pRecent->GetMenuBar()->RemoveButton(0));
    // The submenu closes first (the pointer moved on), then the menu.
    pBar->CloseSubMenu();
    ASSERT_TRUE(pBar->OpenSubMenu(2));
    ASSERT_NE(nullptr, pBar->GetOpenSubMenu());
    EXPECT_EQ(1, pBar->GetOpenSubMenu()->GetMenuItemCount()) << "opened again as edited";
    pFile->SendMessage(WM_CLOSE);
    PumpPending();
    EXPECT_EQ(nullptr, Item(0)->m_pPopupMenu);
    CSPToolBar::SetCustomizeMode(FALSE);

    const CObList& items = Item(0)->GetCommands();
    ASSERT_EQ(3, items.GetCount());
    EXPECT_EQ((UINT)IDT_OPEN, ((CSPToolbarButton*)items.GetHead())->m_nID);
    const CSPToolbarMenuButton* pRecentItem = DYNAMIC_DOWNCAST(CSPToolbarMenuButton, items.GetTail());
    ASSERT_NE(nullptr, pRecentItem);
    ASSERT_EQ(1, pRecentItem->GetCommands().GetCount());
    EXPECT_EQ((UINT)IDT_RECENT_B, ((CSPToolbarButton*)pRecentItem->GetCommands().GetHead())->m_nID);
}

// A menu closed without a command (a click elsewhere) leaves the bar with
// no hot menu; the bar shows no tooltips over its menus.
TEST_F(MenuBarTest, ClosedWithoutACommandTheBarLetsGo) {
    EXPECT_TRUE(SysKey(WM_SYSKEYDOWN, 'E'));
    CSPPopupMenu* pPopup = Item(1)->m_pPopupMenu;
    ASSERT_NE(nullptr, pPopup);
    ASSERT_EQ(1, frame->menuBar.GetHotIndex());
    // The click that closes the menu lands elsewhere: the keys are not on
    // the bar any more when the menu goes.
    if (::GetFocus() == frame->menuBar.GetSafeHwnd()) ::SetFocus(frame->GetSafeHwnd());
    pPopup->SendMessage(WM_CLOSE);
    PumpPending();
    EXPECT_EQ(nullptr, Item(1)->m_pPopupMenu);
    EXPECT_EQ(-1, frame->menuBar.GetHotIndex());
    EXPECT_EQ(-1, frame->menuBar.GetHighlightedIndex());

    // The keys are no longer the bar's.
    MSG msg = {frame->menuBar.GetSafeHwnd(), WM_KEYDOWN, VK_DOWN, 0};
    frame->menuBar.PreTranslateMessage(&msg);
    PumpPending();
    EXPECT_EQ(nullptr, Item(1)->m_pPopupMenu);

    EXPECT_EQ(-1, frame->menuBar.OnToolHitTest(Item(0)->Rect().CenterPoint(), NULL));
}

// Personalised menus: showing all items of one menu shows all items of the
// bar's other menus until the bar lets go (Escape); a double click on a
// title opens its menu with all items at once.
TEST_F(MenuBarTest, ShowingAllItemsHoldsUntilTheBarLetsGo) {
    CList<UINT, UINT> basic;
    basic.AddTail(IDT_NEW);
    CSPToolBar::SetBasicCommands(basic);
    for (int i = 0; i < 20; i++) CSPToolBar::AddCommandUsage(IDT_COPY);
    auto hasOpen = [&]() {
        CSPPopupMenu* pFile = Item(0)->m_pPopupMenu;
        if (pFile == NULL) return false;
        for (int i = 0; i < pFile->GetMenuItemCount(); i++)
            if (pFile->GetMenuItem(i)->m_nID == IDT_OPEN) return true;
        return false;
    };

    EXPECT_TRUE(SysKey(WM_SYSKEYDOWN, 'F'));
    ASSERT_NE(nullptr, Item(0)->m_pPopupMenu);
    EXPECT_FALSE(hasOpen()) << "rarely used";
    EXPECT_FALSE(CSPMenuBar::IsShowAllCommands());
    Item(0)->m_pPopupMenu->ShowAllCommands();
    EXPECT_TRUE(CSPMenuBar::IsShowAllCommands());
    EXPECT_TRUE(hasOpen());
    // Over to Edit and back: File comes with all of its items.
    Item(0)->m_pPopupMenu->SendMessage(WM_KEYDOWN, VK_RIGHT);
    PumpPending();
    ASSERT_NE(nullptr, Item(1)->m_pPopupMenu);
    Item(1)->m_pPopupMenu->SendMessage(WM_KEYDOWN, VK_LEFT);
    PumpPending();
    EXPECT_TRUE(hasOpen());
    // Escape twice: the menu closes, then the bar lets go of the keys.
    Item(0)->m_pPopupMenu->SendMessage(WM_KEYDOWN, VK_ESCAPE);
    PumpPending();
    MSG msg = {frame->menuBar.GetSafeHwnd(), WM_KEYDOWN, VK_ESCAPE, 0};
    frame->menuBar.PreTranslateMessage(&msg);
    EXPECT_FALSE(CSPMenuBar::IsShowAllCommands());

    // A double click on File: its menu again, with all items.
    const CPoint ptFile = Item(0)->Rect().CenterPoint();
    frame->menuBar.SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(ptFile.x, ptFile.y));
    PumpPending();
    EXPECT_TRUE(CSPMenuBar::IsShowAllCommands());
    EXPECT_TRUE(hasOpen());
    if (Item(0)->m_pPopupMenu != NULL) Item(0)->m_pPopupMenu->SendMessage(WM_CLOSE);
    PumpPending();
    CSPMenuBar::SetShowAllCommands(FALSE);
    basic.RemoveAll();
    CSPToolBar::SetBasicCommands(basic);
    CSPToolBar::m_UsageCount.Reset();
}

}  // namespace
