// Library popup menus over a library frame: items imported from menus,
// their size, the keys, the submenus and the command reaching its owner.
#include "afxwin.h"
#include <gtest/gtest.h>

#include <vector>

#include "CreationRefusal.h"
#include "ForcedBitsPerPixel.h"
#include "MessagePump.h"
#include "SPFrameWnd.h"
#include "SPKeyboardManager.h"
#include "SPPopupMenu.h"
#include "SPToolbarMenuButton.h"

namespace {

enum { ID_NEW = 301, ID_OPEN = 302, ID_SAVE = 303, ID_CLOSE = 304, ID_RECENT = 305, ID_EXIT = 306, ID_ABOUT = 307 };

// A library frame that handles the test commands (Save stays disabled) and
// records them.
class CRecordingFrame : public CSPFrameWnd {
public:
    std::vector<UINT> commands;

protected:
    afx_msg void OnTestCommand(UINT nID) { commands.push_back(nID); }
    afx_msg void OnUpdateSave(CCmdUI* pCmdUI) { pCmdUI->Enable(FALSE); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CRecordingFrame, CSPFrameWnd)
    ON_COMMAND_RANGE(ID_NEW, ID_ABOUT, OnTestCommand)
    ON_UPDATE_COMMAND_UI(ID_SAVE, OnUpdateSave)
END_MESSAGE_MAP()

// File menu: leading, doubled and trailing separators, a disabled and a
// checked item, an accelerator text and a submenu.
HMENU MakeFileMenu() {
    HMENU hRecent = ::CreatePopupMenu();
    ::AppendMenuA(hRecent, MF_STRING, ID_RECENT, "&First file");
    ::AppendMenuA(hRecent, MF_STRING, ID_ABOUT, "&Second file");
    HMENU hMenu = ::CreatePopupMenu();
    ::AppendMenuA(hMenu, MF_SEPARATOR, 0, NULL);
    ::AppendMenuA(hMenu, MF_STRING, ID_NEW, "&New\tCtrl+N");
    ::AppendMenuA(hMenu, MF_STRING, ID_OPEN, "&Open...");
    ::AppendMenuA(hMenu, MF_SEPARATOR, 0, NULL);
    ::AppendMenuA(hMenu, MF_SEPARATOR, 0, NULL);
    ::AppendMenuA(hMenu, MF_STRING | MF_GRAYED, ID_SAVE, "&Save");
    ::AppendMenuA(hMenu, MF_STRING | MF_CHECKED, ID_CLOSE, "&Close");
    ::AppendMenuA(hMenu, MF_POPUP, (UINT_PTR)hRecent, "&Recent");
    ::AppendMenuA(hMenu, MF_STRING, ID_EXIT, "E&xit");
    ::AppendMenuA(hMenu, MF_SEPARATOR, 0, NULL);
    return hMenu;
}

class PopupTest : public ::testing::Test {
protected:
    CRecordingFrame* frame = NULL;

    void SetUp() override {
        CSPToolBar::m_UsageCount.Reset();
        CList<UINT, UINT> empty;
        CSPToolBar::SetBasicCommands(empty);
        frame = new CRecordingFrame;
        ASSERT_TRUE(frame->Create(NULL, _T("menus test"), WS_OVERLAPPEDWINDOW, CRect(20, 20, 820, 620)));
        frame->ShowWindow(SW_SHOWNOACTIVATE);
        PumpPending();
    }
    void TearDown() override {
        if (CSPPopupMenu* pActive = CSPPopupMenu::GetActiveMenu()) pActive->DestroyWindow();
        PumpPending();
        if (frame != NULL && ::IsWindow(frame->GetSafeHwnd())) frame->DestroyWindow();
        CSPToolBar::m_UsageCount.Reset();
        CList<UINT, UINT> empty;
        CSPToolBar::SetBasicCommands(empty);
    }

    // A popup of the file menu at the point, commands to the frame.
    CSPPopupMenu* Open(int x = 100, int y = 100, HMENU hMenu = NULL) {
        CSPPopupMenu* pMenu = new CSPPopupMenu;
        if (!pMenu->Create(frame, x, y, hMenu != NULL ? hMenu : MakeFileMenu(), FALSE, TRUE)) {
            // it has deleted itself (PostNcDestroy)
            return NULL;
        }
        PumpPending();
        return pMenu;
    }
    static std::vector<UINT> Ids(CSPPopupMenu* pMenu) {
        std::vector<UINT> ids;
        for (int i = 0; i < pMenu->GetMenuItemCount(); i++)
            ids.push_back(pMenu->GetMenuItem(i)->IsSeparator() ? 0 : pMenu->GetMenuItem(i)->m_nID);
        return ids;
    }
    static void Key(CWnd* pWnd, UINT nKey) {
        pWnd->SendMessage(WM_KEYDOWN, nKey, 0);
        PumpPending();
    }
};

TEST_F(PopupTest, ImportDropsExtraSeparatorsAndKeepsStates) {
    CSPPopupMenu* pMenu = Open();
    ASSERT_NE(nullptr, pMenu);
    EXPECT_EQ((std::vector<UINT>{ID_NEW, ID_OPEN, 0, ID_SAVE, ID_CLOSE, (UINT)-1, ID_EXIT}), Ids(pMenu));
    EXPECT_TRUE(pMenu->GetMenuItem(3)->m_nStyle & TBBS_DISABLED);
    EXPECT_TRUE(pMenu->GetMenuItem(4)->m_nStyle & TBBS_CHECKED);
    EXPECT_NE(nullptr, pMenu->GetMenuBar()->GetItemSubMenu(pMenu->GetMenuItem(5)));
    EXPECT_EQ(CSPPopupMenu::GetActiveMenu(), pMenu);

    // Exported again: the same items in the same states.
    HMENU hExport = pMenu->GetMenuBar()->ExportToMenu();
    ASSERT_EQ(7, ::GetMenuItemCount(hExport));
    EXPECT_TRUE(::GetMenuState(hExport, ID_SAVE, MF_BYCOMMAND) & MF_GRAYED);
    EXPECT_TRUE(::GetMenuState(hExport, ID_CLOSE, MF_BYCOMMAND) & MF_CHECKED);
    // The submenu is a copy of its own: destroying the export leaves the
    // popup's menu whole.
    HMENU hExportedSub = ::GetSubMenu(hExport, 5);
    ASSERT_NE(nullptr, hExportedSub);
    EXPECT_NE(hExportedSub, pMenu->GetMenuBar()->GetItemSubMenu(pMenu->GetMenuItem(5)));
    EXPECT_EQ(::GetMenuItemCount(pMenu->GetMenuBar()->GetItemSubMenu(pMenu->GetMenuItem(5))),
              ::GetMenuItemCount(hExportedSub));
    ::DestroyMenu(hExport);
    EXPECT_TRUE(::IsMenu(pMenu->GetMenuBar()->GetItemSubMenu(pMenu->GetMenuItem(5))));
}

// A library frame that hears of its popups, may refuse them and paints
// their logo bands.
class CPopupFrame : public CSPFrameWnd {
public:
    BOOL bAccept = TRUE;
    int nShown = 0, nClosed = 0;
    CRect rectLogo = CRect(0, 0, 0, 0);
    BOOL OnShowPopupMenu(CSPPopupMenu*) override {
        nShown++;
        return bAccept;
    }
    void OnClosePopupMenu(CSPPopupMenu* pMenu) override {
        nClosed++;
        CSPFrameWnd::OnClosePopupMenu(pMenu);
    }
    void OnDrawMenuLogo(CDC*, CSPPopupMenu*, const CRect& rect) override { rectLogo = rect; }
};

TEST(PopupFrame, TheFrameHearsOfItsPopupsAndMayRefuseThem) {
    CPopupFrame* pFrame = new CPopupFrame;
    ASSERT_TRUE(pFrame->Create(NULL, _T("popup frame"), WS_OVERLAPPEDWINDOW, CRect(20, 20, 420, 320)));
    for (BOOL bAccept : {TRUE, FALSE}) {
        SCOPED_TRACE(bAccept);
        pFrame->bAccept = bAccept;
        pFrame->nShown = pFrame->nClosed = 0;
        HMENU hMenu = ::CreatePopupMenu();
        ::AppendMenuA(hMenu, MF_STRING, ID_NEW, "&New");
        CSPPopupMenu* pMenu = new CSPPopupMenu;
        ASSERT_TRUE(pMenu->Create(pFrame, 100, 100, hMenu, FALSE, TRUE));
        const HWND hwndMenu = pMenu->GetSafeHwnd();
        PumpPending();
        EXPECT_EQ(1, pFrame->nShown);
        EXPECT_EQ(bAccept, ::IsWindow(hwndMenu));
        if (bAccept) {
            // A logo band on the left: the popup grows by it, the band
            // answers 3 to the hit test and the frame paints it.
            const int cxPlain = pMenu->GetFinalSize().cx;
            pMenu->EnableMenuLogo(20);
            EXPECT_EQ(cxPlain + 20, pMenu->GetFinalSize().cx);
            const CRect rectLogo = pMenu->GetLogoRect();
            EXPECT_EQ(22, rectLogo.Width());
            CPoint pt = rectLogo.CenterPoint();
            pMenu->ClientToScreen(&pt);
            EXPECT_EQ(3, pMenu->MenuHitTest(pt));
            pMenu->RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW);
            EXPECT_EQ(rectLogo, pFrame->rectLogo);
        }
        if (::IsWindow(hwndMenu)) ::DestroyWindow(hwndMenu);
        PumpPending();
        EXPECT_GE(pFrame->nClosed, 1);
        EXPECT_EQ(nullptr, CSPPopupMenu::GetActiveMenu());
    }
    pFrame->DestroyWindow();
    PumpPending();
}

// The items through the popup itself; the widest item follows the limit.
TEST_F(PopupTest, ItemsThroughThePopupAndTheWidthLimit) {
    CSPPopupMenu* pMenu = Open();
    ASSERT_NE(nullptr, pMenu);
    EXPECT_FALSE(pMenu->HasParentButton());
    CSPToolbarMenuButton about(ID_ABOUT, NULL, -1, _T("&About"));
    const int nCount = pMenu->GetMenuItemCount();
    EXPECT_EQ(nCount, pMenu->InsertItem(about));
    EXPECT_EQ(ID_ABOUT, pMenu->GetMenuItem(pMenu->GetMenuItemCount() - 1)->m_nID);
    EXPECT_TRUE(pMenu->RemoveItem(0));
    EXPECT_EQ(ID_OPEN, pMenu->GetMenuItem(0)->m_nID);
    pMenu->SendMessage(WM_KEYDOWN, VK_HOME);
    ASSERT_NE(nullptr, pMenu->GetParentArrowButton());
    EXPECT_EQ(ID_OPEN, pMenu->GetParentArrowButton()->m_nID);

    const int cxWide = pMenu->GetFinalSize().cx;
    pMenu->SetMaxWidth(60);
    EXPECT_LE(pMenu->GetFinalSize().cx, 60 + 4);
    EXPECT_LT(pMenu->GetFinalSize().cx, cxWide);
    pMenu->RemoveAllItems();
    EXPECT_EQ(0, pMenu->GetMenuItemCount());
    pMenu->DestroyWindow();
}

TEST_F(PopupTest, SizesOfEmptyAccelAndColumns) {
    CSPPopupMenuBar bar;
    ASSERT_TRUE(bar.Create(frame, WS_CHILD | CBRS_TOP, 1));
    EXPECT_FALSE(bar.ImportFromMenu(NULL));
    EXPECT_EQ(CSize(52, 22), bar.CalcSize(TRUE));

    // An accelerator text after a tab widens the item by the gap.
    HMENU hPlain = ::CreatePopupMenu();
    ::AppendMenuA(hPlain, MF_STRING, ID_NEW, "Ne\tw");
    ASSERT_TRUE(bar.ImportFromMenu(hPlain));
    const CSize sizeTab = bar.CalcSize(TRUE);
    ::ModifyMenuA(hPlain, 0, MF_BYPOSITION | MF_STRING, ID_NEW, "\tNew");
    ASSERT_TRUE(bar.ImportFromMenu(hPlain));
    const CSize sizeLeadingTab = bar.CalcSize(TRUE);
    ::DestroyMenu(hPlain);
    EXPECT_EQ(sizeTab.cy, sizeLeadingTab.cy);
    EXPECT_NE(sizeTab.cx, sizeLeadingTab.cx);

    // A menu break starts a second column 1 pixel right of the first.
    HMENU hColumns = ::CreatePopupMenu();
    ::AppendMenuA(hColumns, MF_STRING, ID_NEW, "One");
    ::AppendMenuA(hColumns, MF_STRING, ID_OPEN, "Two");
    ::AppendMenuA(hColumns, MF_STRING | MF_MENUBREAK, ID_SAVE, "Three");
    ASSERT_TRUE(bar.ImportFromMenu(hColumns));
    ::DestroyMenu(hColumns);
    const CSize size = bar.CalcSize(TRUE);
    bar.SetWindowPos(NULL, 0, 0, size.cx, size.cy, SWP_NOZORDER);
    bar.AdjustLocations();
    ASSERT_EQ(2, bar.GetColumnEdges().GetSize());
    EXPECT_EQ((int)bar.GetColumnEdges()[0] + 1, bar.GetItem(2)->Rect().left);
    EXPECT_EQ(bar.GetItem(0)->Rect().top, bar.GetItem(2)->Rect().top);
    EXPECT_EQ((int)bar.GetColumnEdges()[0], bar.GetItem(0)->Rect().right);
    bar.DestroyWindow();
}

TEST_F(PopupTest, PlacedAtTheParentsCornerAndInsideTheWorkArea) {
    CSPPopupMenu* pMenu = Open(-1, -1);
    ASSERT_NE(nullptr, pMenu);
    CPoint ptCorner(0, 0);
    frame->ClientToScreen(&ptCorner);
    CRect rect;
    pMenu->GetWindowRect(rect);
    EXPECT_EQ(ptCorner + CPoint(5, 5), rect.TopLeft());
    pMenu->DestroyWindow();

    // At the bottom right corner of the screen it stays on the work area.
    CRect rectWork;
    ::SystemParametersInfo(SPI_GETWORKAREA, 0, &rectWork, 0);
    pMenu = Open(rectWork.right - 2, rectWork.bottom - 2);
    ASSERT_NE(nullptr, pMenu);
    pMenu->GetWindowRect(rect);
    rect.right -= pMenu->GetShadowDepth();
    rect.bottom -= pMenu->GetShadowDepth();
    EXPECT_TRUE(rectWork.PtInRect(rect.TopLeft()));
    EXPECT_LE(rect.right, rectWork.right);
    EXPECT_LE(rect.bottom, rectWork.bottom);
    // Its shadow would leave the frame: none.
    EXPECT_EQ(0, pMenu->GetShadowDepth());
}

TEST_F(PopupTest, NeverActivatedAndHitTested) {
    CSPPopupMenu* pMenu = Open(200, 200);
    ASSERT_NE(nullptr, pMenu);
    EXPECT_EQ(MA_NOACTIVATE, pMenu->SendMessage(WM_MOUSEACTIVATE, (WPARAM)frame->GetSafeHwnd(),
                                                MAKELPARAM(HTCLIENT, WM_LBUTTONDOWN)));
    CRect rect;
    pMenu->GetWindowRect(rect);
    EXPECT_EQ(4, pMenu->MenuHitTest(CPoint(rect.left - 1, rect.top)));
    EXPECT_EQ(0, pMenu->MenuHitTest(rect.TopLeft() + CPoint(10, 10)));
    const int nShadow = pMenu->GetShadowDepth();
    ASSERT_GT(nShadow, 0);  // inside the frame, more than 8 bits per pixel
    EXPECT_EQ(1, pMenu->MenuHitTest(CPoint(rect.right - 1, rect.top + 20)));
    EXPECT_EQ(2, pMenu->MenuHitTest(CPoint(rect.left + 20, rect.bottom - 1)));
}

TEST_F(PopupTest, NoShadowAt8BitsPerPixel) {
    ForcedBitsPerPixel depth(8);
    const int nOldAnimation = CSPToolBar::m_nMenuAnimation;
    CSPToolBar::m_nMenuAnimation = 3;
    CSPPopupMenu* pMenu = Open(200, 200);
    ASSERT_NE(nullptr, pMenu);
    EXPECT_EQ(0, pMenu->GetShadowDepth());
    EXPECT_EQ(0, CSPToolBar::m_nMenuAnimation);  // no fade either
    CSPToolBar::m_nMenuAnimation = nOldAnimation;
}

TEST_F(PopupTest, KeysWrapSkipSeparatorsAndSendTheCommand) {
    CSPPopupMenu* pMenu = Open(200, 200);
    ASSERT_NE(nullptr, pMenu);
    CSPPopupMenuBar* pBar = pMenu->GetMenuBar();
    Key(pMenu, VK_END);
    EXPECT_EQ(6, pBar->GetHotIndex());
    Key(pMenu, VK_DOWN);  // past the last: the first
    EXPECT_EQ(0, pBar->GetHotIndex());
    Key(pMenu, VK_UP);
    EXPECT_EQ(6, pBar->GetHotIndex());
    Key(pMenu, VK_HOME);
    Key(pMenu, VK_DOWN);
    Key(pMenu, VK_DOWN);  // over the separator
    EXPECT_EQ(3, pBar->GetHotIndex());

    // Return on a disabled item does nothing; on an enabled one the command
    // is posted to the owner and the menu goes.
    Key(pMenu, VK_RETURN);
    EXPECT_TRUE(frame->commands.empty());
    EXPECT_TRUE(::IsWindow(pMenu->GetSafeHwnd()));
    Key(pMenu, VK_DOWN);
    HWND hMenu = pMenu->GetSafeHwnd();
    Key(pMenu, VK_RETURN);
    EXPECT_EQ((std::vector<UINT>{ID_CLOSE}), frame->commands);
    EXPECT_FALSE(::IsWindow(hMenu));
    EXPECT_EQ(nullptr, CSPPopupMenu::GetActiveMenu());
}

TEST_F(PopupTest, MnemonicsRunOpenOrOnlyClose) {
    CSPPopupMenu* pMenu = Open(200, 200);
    ASSERT_NE(nullptr, pMenu);
    HWND hMenu = pMenu->GetSafeHwnd();
    Key(pMenu, 'S');  // a disabled item: the menus close, nothing runs
    EXPECT_FALSE(::IsWindow(hMenu));
    EXPECT_TRUE(frame->commands.empty());

    pMenu = Open(200, 200);
    Key(pMenu, 'X');
    EXPECT_EQ((std::vector<UINT>{ID_EXIT}), frame->commands);
}

TEST_F(PopupTest, SubmenuByKeysAndItsCommand) {
    CSPPopupMenu* pMenu = Open(200, 200);
    ASSERT_NE(nullptr, pMenu);
    CSPPopupMenuBar* pBar = pMenu->GetMenuBar();
    Key(pMenu, 'R');  // opens the submenu with its first item hot
    CSPPopupMenu* pSub = pBar->GetOpenSubMenu();
    ASSERT_NE(nullptr, pSub);
    EXPECT_EQ(pMenu, pSub->GetParentPopupMenu());
    EXPECT_EQ(0, pSub->GetMenuBar()->GetHotIndex());
    CRect rectMenu, rectSub;
    pMenu->GetWindowRect(rectMenu);
    pSub->GetWindowRect(rectSub);
    EXPECT_GE(rectSub.left, rectMenu.right - pMenu->GetShadowDepth());

    // Left closes only the submenu; Right opens it again.
    Key(pSub, VK_LEFT);
    EXPECT_EQ(nullptr, pBar->GetOpenSubMenu());
    EXPECT_TRUE(::IsWindow(pMenu->GetSafeHwnd()));
    Key(pMenu, VK_RIGHT);
    pSub = pBar->GetOpenSubMenu();
    ASSERT_NE(nullptr, pSub);

    // A second timer-2 with nothing waiting to close leaves the submenu.
    pBar->SendMessage(WM_TIMER, 2);
    EXPECT_EQ(pSub, pBar->GetOpenSubMenu());

    // The submenu's command goes to the top menu's owner; the chain closes.
    HWND hMenu = pMenu->GetSafeHwnd(), hSub = pSub->GetSafeHwnd();
    Key(pSub, VK_DOWN);
    Key(pSub, VK_RETURN);
    EXPECT_EQ((std::vector<UINT>{ID_ABOUT}), frame->commands);
    EXPECT_FALSE(::IsWindow(hSub));
    EXPECT_FALSE(::IsWindow(hMenu));
}

TEST_F(PopupTest, EscapeClosesOneLevel) {
    CSPPopupMenu* pMenu = Open(200, 200);
    ASSERT_NE(nullptr, pMenu);
    Key(pMenu, 'R');
    CSPPopupMenu* pSub = pMenu->GetMenuBar()->GetOpenSubMenu();
    ASSERT_NE(nullptr, pSub);
    HWND hSub = pSub->GetSafeHwnd();
    Key(pSub, VK_ESCAPE);
    EXPECT_FALSE(::IsWindow(hSub));
    ASSERT_TRUE(::IsWindow(pMenu->GetSafeHwnd()));
    EXPECT_EQ(nullptr, pMenu->GetMenuBar()->GetOpenSubMenu());
    HWND hMenu = pMenu->GetSafeHwnd();
    Key(pMenu, VK_ESCAPE);
    EXPECT_FALSE(::IsWindow(hMenu));
    EXPECT_TRUE(frame->commands.empty());
}

TEST_F(PopupTest, PostCommandNeedsAMessageWindow) {
    CSPPopupMenu* pMenu = Open(200, 200);
    ASSERT_NE(nullptr, pMenu);
    EXPECT_TRUE(pMenu->PostCommand(ID_NEW));
    PumpPending();
    EXPECT_EQ((std::vector<UINT>{ID_NEW}), frame->commands);

    CSPPopupMenu* pOrphan = new CSPPopupMenu;
    ASSERT_TRUE(pOrphan->Create(frame, 300, 300, MakeFileMenu(), FALSE, FALSE));
    EXPECT_FALSE(pOrphan->PostCommand(ID_NEW));
    pOrphan->DestroyWindow();
}

// The owner gone while its menu is shown: nothing is posted to it and
// nothing crashes.
TEST_F(PopupTest, OwnerDestroyedWhileShown) {
    CSPPopupMenu* pMenu = Open(200, 200);
    ASSERT_NE(nullptr, pMenu);
    HWND hMenu = pMenu->GetSafeHwnd();
    frame->DestroyWindow();
    frame = NULL;
    PumpPending();
    EXPECT_FALSE(::IsWindow(hMenu));
}

// Personalised menus: the rarely used items are hidden behind the show-all
// line; the letter of a hidden item runs it, unless the item is disabled.
TEST_F(PopupTest, HiddenItemsAndTheirMnemonics) {
    CList<UINT, UINT> basic;
    basic.AddTail(ID_NEW);
    CSPToolBar::SetBasicCommands(basic);
    for (int i = 0; i < 20; i++) CSPToolBar::AddCommandUsage(ID_EXIT);

    HMENU hMenu = ::CreatePopupMenu();
    ::AppendMenuA(hMenu, MF_STRING, ID_NEW, "&New");
    ::AppendMenuA(hMenu, MF_STRING, ID_OPEN, "&Open");
    ::AppendMenuA(hMenu, MF_STRING | MF_GRAYED, ID_SAVE, "&Save");
    ::AppendMenuA(hMenu, MF_STRING, ID_EXIT, "E&xit");

    CSPPopupMenu* pMenu = new CSPPopupMenu;
    // Opened from an item: not a context menu, so rarely used items hide.
    CSPPopupMenu* pTop = Open(200, 200);
    ASSERT_NE(nullptr, pTop);
    ASSERT_TRUE(pMenu->CreateSubMenu(pTop, CRect(300, 200, 400, 220), hMenu));
    PumpPending();
    const std::vector<UINT> ids = Ids(pMenu);
    ASSERT_EQ(3u, ids.size());
    EXPECT_EQ(ID_NEW, ids[0]);
    EXPECT_EQ(ID_EXIT, ids[1]);
    EXPECT_TRUE(pMenu->GetMenuItem(2)->IsKindOf(RUNTIME_CLASS(CSPShowAllButton)));

    Key(pMenu, 'S');  // hidden and disabled: nothing runs
    EXPECT_TRUE(frame->commands.empty());
    ASSERT_TRUE(::IsWindow(pMenu->GetSafeHwnd()));
    Key(pMenu, 'O');  // hidden: runs
    EXPECT_EQ((std::vector<UINT>{ID_OPEN}), frame->commands);
    ::DestroyMenu(hMenu);
}

TEST_F(PopupTest, ShowAllBringsBackTheHiddenItems) {
    CList<UINT, UINT> basic;
    basic.AddTail(ID_NEW);
    CSPToolBar::SetBasicCommands(basic);
    for (int i = 0; i < 20; i++) CSPToolBar::AddCommandUsage(ID_EXIT);
    HMENU hMenu = ::CreatePopupMenu();
    ::AppendMenuA(hMenu, MF_STRING, ID_NEW, "&New");
    ::AppendMenuA(hMenu, MF_STRING, ID_OPEN, "&Open");
    ::AppendMenuA(hMenu, MF_STRING, ID_EXIT, "E&xit");
    CSPPopupMenu* pTop = Open(200, 200);
    ASSERT_NE(nullptr, pTop);
    CSPPopupMenu* pMenu = new CSPPopupMenu;
    ASSERT_TRUE(pMenu->CreateSubMenu(pTop, CRect(300, 200, 400, 220), hMenu));
    PumpPending();
    ASSERT_EQ(3, pMenu->GetMenuItemCount());
    pMenu->ShowAllCommands();
    EXPECT_EQ((std::vector<UINT>{ID_NEW, ID_OPEN, ID_EXIT}), Ids(pMenu));
    ::DestroyMenu(hMenu);
}

// A submenu of New, Open, Exit where only New (basic) and Exit (often used)
// show, then the show-all line.
CSPPopupMenu* OpenPersonalisedSubMenu(CSPPopupMenu* pTop, HMENU hMenu) {
    CList<UINT, UINT> basic;
    basic.AddTail(ID_NEW);
    CSPToolBar::SetBasicCommands(basic);
    for (int i = 0; i < 20; i++) CSPToolBar::AddCommandUsage(ID_EXIT);
    ::AppendMenuA(hMenu, MF_STRING, ID_NEW, "&New");
    ::AppendMenuA(hMenu, MF_STRING, ID_OPEN, "&Open");
    ::AppendMenuA(hMenu, MF_STRING, ID_EXIT, "E&xit");
    CSPPopupMenu* pMenu = new CSPPopupMenu;
    if (!pMenu->CreateSubMenu(pTop, CRect(300, 200, 400, 220), hMenu)) return NULL;
    PumpPending();
    return pMenu;
}

// Runs the messages until the condition holds or two seconds have gone.
template <class F>
bool PumpUntil(F condition, DWORD dwMax = 2000) {
    const DWORD dwStart = ::GetTickCount();
    while (!condition()) {
        if (::GetTickCount() - dwStart > dwMax) return false;
        PumpPending();
        ::Sleep(5);
    }
    return true;
}

// The submenu delay of the desktop settings, set for one test.
class ScopedMenuShowDelay {
public:
    explicit ScopedMenuShowDelay(const char* pszValue) {
        ::RegCreateKeyExA(HKEY_CURRENT_USER, "Control Panel\\Desktop", 0, NULL, 0, KEY_WRITE, NULL, &m_hKey, NULL);
        ::RegSetValueExA(m_hKey, "MenuShowDelay", 0, REG_SZ, (const BYTE*)pszValue, (DWORD)strlen(pszValue) + 1);
        CSPPopupMenuBar::ResetSubMenuDelay();
    }
    ~ScopedMenuShowDelay() {
        ::RegDeleteValueA(m_hKey, "MenuShowDelay");
        ::RegCloseKey(m_hKey);
        CSPPopupMenuBar::ResetSubMenuDelay();
    }

private:
    HKEY m_hKey = NULL;
};

// A click on the chevron expands at once; resting on it expands after the
// delay only while "ShowAllMenusAfterDelay" is on.
TEST_F(PopupTest, ShowAllLineByClickAndByResting) {
    ScopedMenuShowDelay delay("10");
    const BOOL bOldOption = CSPToolBar::m_bShowAllMenusAfterDelay;
    struct {
        bool click;
        BOOL option;
        bool expands;
    } cases[] = {{true, FALSE, true}, {false, TRUE, true}, {false, FALSE, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "click " << c.click << " option " << c.option);
        CSPToolBar::m_bShowAllMenusAfterDelay = c.option;
        HMENU hMenu = ::CreatePopupMenu();
        CSPPopupMenu* pTop = Open(200, 200);
        ASSERT_NE(nullptr, pTop);
        CSPPopupMenu* pMenu = OpenPersonalisedSubMenu(pTop, hMenu);
        ASSERT_NE(nullptr, pMenu);
        ASSERT_EQ(3, pMenu->GetMenuItemCount());
        CSPToolbarButton* pShowAll = pMenu->GetMenuItem(2);
        ASSERT_TRUE(pShowAll->IsKindOf(RUNTIME_CLASS(CSPShowAllButton)));
        CSPPopupMenuBar* pBar = pMenu->GetMenuBar();
        if (c.click) {
            EXPECT_TRUE(pShowAll->OnClick(pBar, FALSE));
        } else {
            const CPoint pt = pShowAll->Rect().CenterPoint();
            for (int i = 0; i < 2; i++) pBar->SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(pt.x, pt.y));
        }
        auto expanded = [&] { return pMenu->GetMenuItemCount() == 3 && Ids(pMenu)[1] == ID_OPEN; };
        EXPECT_EQ(c.expands, PumpUntil(expanded, c.expands ? 2000 : 300));
        pTop->DestroyWindow();
        PumpPending();
        ::DestroyMenu(hMenu);
    }
    CSPToolBar::m_bShowAllMenusAfterDelay = bOldOption;
}

// Outside a popup bar the chevron does nothing; its tooltip names Ctrl+Down
// in the key names of the keyboard helper.
TEST_F(PopupTest, ShowAllLineOnlyInPopupsAndItsTooltip) {
    CSPShowAllButton button;
    EXPECT_FALSE(button.OnClick(frame, FALSE));
    EXPECT_FALSE(button.OnClick(NULL, TRUE));

    auto* pfnOld = CSPKeyHelper::s_pfnGetKeyNameText;
    CSPKeyHelper::s_pfnGetKeyNameText = [](LONG lParam, LPSTR lpString, int cchSize) -> int {
        return lstrlenA(lstrcpynA(lpString, (lParam >> 16 & 0x1FF) == 0x150 || (lParam >> 16 & 0xFF) == 0x50 ? "DOWN"
                                                                                                            : "CTRL",
                                  cchSize));
    };
    ACCEL accel = {FCONTROL | FVIRTKEY, VK_DOWN, 0};
    CString strKey;
    CSPKeyHelper(&accel).Format(strKey);
    EXPECT_EQ(CString("Expand (") + strKey + ")", CSPShowAllButton::GetToolTipText());
    EXPECT_NE(-1, strKey.Find("Down"));
    CSPKeyHelper::s_pfnGetKeyNameText = pfnOld;
}

// A menu of hundreds of items opened near the top: it scrolls, by the keys
// (the hot item stays in view) and by resting on a scroll button.
TEST_F(PopupTest, TallMenuScrollsByKeysAndByItsButtons) {
    HMENU hMenu = ::CreatePopupMenu();
    for (int i = 0; i < 300; i++) {
        char szText[32];
        wsprintfA(szText, "Item %d", i);
        ::AppendMenuA(hMenu, MF_STRING, 1000 + i, szText);
    }
    CSPPopupMenu* pMenu = Open(100, 100, hMenu);
    ASSERT_NE(nullptr, pMenu);
    ASSERT_TRUE(pMenu->IsScrollable());
    CSPPopupMenuBar* pBar = pMenu->GetMenuBar();
    EXPECT_EQ(0, pMenu->GetFirstVisibleRow());
    EXPECT_TRUE(pMenu->GetScrollUpRect().IsRectEmpty());
    EXPECT_FALSE(pMenu->GetScrollDownRect().IsRectEmpty());

    auto hotInView = [&] {
        CRect rectBar;
        pBar->GetClientRect(rectBar);
        const CRect rectItem = pBar->GetItem(pBar->GetHotIndex())->Rect();
        return rectItem.top >= rectBar.top && rectItem.bottom <= rectBar.bottom;
    };
    Key(pMenu, VK_END);
    EXPECT_EQ(299, pBar->GetHotIndex());
    EXPECT_GT(pMenu->GetFirstVisibleRow(), 0);
    EXPECT_TRUE(hotInView());
    EXPECT_FALSE(pMenu->GetScrollUpRect().IsRectEmpty());
    EXPECT_TRUE(pMenu->GetScrollDownRect().IsRectEmpty());
    Key(pMenu, VK_DOWN);  // wraps to the top
    EXPECT_EQ(0, pBar->GetHotIndex());
    EXPECT_EQ(0, pMenu->GetFirstVisibleRow());
    EXPECT_TRUE(hotInView());
    Key(pMenu, VK_UP);
    EXPECT_TRUE(hotInView());
    Key(pMenu, VK_HOME);
    EXPECT_EQ(0, pMenu->GetFirstVisibleRow());

    // The mouse on the down button scrolls until it leaves.
    CPoint pt = pMenu->GetScrollDownRect().CenterPoint();
    CPoint ptScreen = pt;
    pMenu->ClientToScreen(&ptScreen);
    ::SetCursorPos(ptScreen.x, ptScreen.y);
    pMenu->SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(pt.x, pt.y));
    // (the display may take the pointer back between messages)
    EXPECT_TRUE(PumpUntil([&] {
        ::SetCursorPos(ptScreen.x, ptScreen.y);
        return pMenu->GetFirstVisibleRow() >= 2;
    }));
    ::SetCursorPos(5, 5);
    PumpUntil([] { return false; }, 200);
    const int iRow = pMenu->GetFirstVisibleRow();
    PumpUntil([] { return false; }, 200);
    EXPECT_EQ(iRow, pMenu->GetFirstVisibleRow());
}

// Every animation kind reveals the menu under timer and then shows the bar.
TEST_F(PopupTest, AnimationEndsWithTheBarShown) {
    const int nOldAnimation = CSPToolBar::m_nMenuAnimation;
    for (int nKind = 1; nKind <= 3; nKind++) {
        SCOPED_TRACE(nKind);
        CSPToolBar::m_nMenuAnimation = nKind;
        CSPPopupMenu* pMenu = Open(200, 200);
        ASSERT_NE(nullptr, pMenu);
        EXPECT_FALSE(pMenu->IsAnimationDone());
        EXPECT_FALSE(pMenu->GetMenuBar()->IsWindowVisible());
        EXPECT_TRUE(PumpUntil([&] { return pMenu->IsAnimationDone(); }));
        EXPECT_TRUE(pMenu->GetMenuBar()->IsWindowVisible());
        pMenu->DestroyWindow();
        PumpPending();
    }
    CSPToolBar::m_nMenuAnimation = 0;
    CSPPopupMenu* pMenu = Open(200, 200);
    ASSERT_NE(nullptr, pMenu);
    EXPECT_TRUE(pMenu->IsAnimationDone());
    CSPToolBar::m_nMenuAnimation = nOldAnimation;
}

// A new top-level menu closes the one shown.
TEST_F(PopupTest, OneTopLevelMenuAtATime) {
    CSPPopupMenu* pFirst = Open(100, 100);
    ASSERT_NE(nullptr, pFirst);
    const HWND hwndFirst = pFirst->GetSafeHwnd();
    EXPECT_EQ(pFirst, CSPPopupMenu::GetActiveMenu());
    CSPPopupMenu* pSecond = Open(300, 300);
    ASSERT_NE(nullptr, pSecond);
    EXPECT_FALSE(::IsWindow(hwndFirst));
    EXPECT_EQ(pSecond, CSPPopupMenu::GetActiveMenu());
}

// The "Recent File" placeholder becomes the application's recent files; an
// empty list takes the separator after it along.
TEST_F(PopupTest, RecentFilePlaceholder) {
    const UINT ID_MRU = 57616;
    CWinApp* pApp = AfxGetApp();
    ASSERT_NE(nullptr, pApp);
    CRecentFileList list(ID_MRU, _T("Recent File List"), _T("File%d"), 4);
    pApp->m_pRecentFileList = &list;
    auto open = [&] {
        HMENU hMenu = ::CreatePopupMenu();
        ::AppendMenuA(hMenu, MF_STRING, ID_OPEN, "&Open");
        ::AppendMenuA(hMenu, MF_SEPARATOR, 0, NULL);
        ::AppendMenuA(hMenu, MF_STRING, ID_MRU, "Recent File");
        ::AppendMenuA(hMenu, MF_SEPARATOR, 0, NULL);
        ::AppendMenuA(hMenu, MF_STRING, ID_EXIT, "E&xit");
        return Open(200, 200, hMenu);
    };
    CSPPopupMenu* pMenu = open();
    ASSERT_NE(nullptr, pMenu);
    EXPECT_EQ((std::vector<UINT>{ID_OPEN, 0, ID_EXIT}), Ids(pMenu));

    list[0] = _T("C:\\docs\\guide.chm");
    list[2] = _T("C:\\docs\\r&d.chm");
    pMenu = open();
    ASSERT_NE(nullptr, pMenu);
    EXPECT_EQ((std::vector<UINT>{ID_OPEN, 0, ID_MRU, ID_MRU + 2, 0, ID_EXIT}), Ids(pMenu));
    EXPECT_EQ(0, pMenu->GetMenuItem(2)->m_strText.Find(_T("&1 ")));
    EXPECT_EQ(0, pMenu->GetMenuItem(3)->m_strText.Find(_T("&2 ")));
    EXPECT_NE(-1, pMenu->GetMenuItem(3)->m_strText.Find(_T("r&&d.chm")));
    pMenu->DestroyWindow();
    PumpPending();
    pApp->m_pRecentFileList = NULL;
}

// --- refused popups ------------------------------------------------------------------

// A popup that counts its deletions and refuses its window as told: in
// PreCreateWindow or in WM_CREATE.
class CCountedPopup : public CSPPopupMenu {
public:
    enum Refusal { ACCEPT, PRECREATE, ONCREATE };
    static Refusal s_refusal;
    static int s_nDeleted;
    ~CCountedPopup() override { s_nDeleted++; }

protected:
    BOOL PreCreateWindow(CREATESTRUCT& cs) override {
        return s_refusal != PRECREATE && CSPPopupMenu::PreCreateWindow(cs);
    }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_CREATE && s_refusal == ONCREATE) return -1;
        return CSPPopupMenu::WindowProc(message, wParam, lParam);
    }
};
CCountedPopup::Refusal CCountedPopup::s_refusal = CCountedPopup::ACCEPT;
int CCountedPopup::s_nDeleted = 0;

class CCountedPopupButton : public CSPToolbarMenuButton {
public:
    CCountedPopupButton(HMENU hMenu) : CSPToolbarMenuButton(0, hMenu, -1, _T("&File")) {}
    CSPPopupMenu* CreatePopupMenu() override { return new CCountedPopup; }
};

// However the popup's window is refused, the popup has deleted itself once
// when OpenPopupMenu answers, and the button forgets it: the next one opens.
TEST_F(PopupTest, ARefusedPopupOfAMenuButtonIsDeletedOnceAndForgotten) {
    HMENU hMenu = MakeFileMenu();
    CCountedPopupButton button(hMenu);
    ::DestroyMenu(hMenu);
    button.SetRect(CRect(10, 10, 60, 30));
    struct Case {
        const char* pszName;
        CCountedPopup::Refusal refusal;
        bool bBySystem;
    };
    for (const Case& c : {Case{"PreCreateWindow", CCountedPopup::PRECREATE, false},
                          Case{"the system, before any window took it", CCountedPopup::ACCEPT, true},
                          Case{"WM_CREATE", CCountedPopup::ONCREATE, false}}) {
        SCOPED_TRACE(c.pszName);
        CCountedPopup::s_nDeleted = 0;
        {
            CCreationRefusal refusal(RUNTIME_CLASS(CSPPopupMenu), c.bBySystem ? 1 : 0);
            CCountedPopup::s_refusal = c.refusal;
            EXPECT_FALSE(button.OpenPopupMenu(frame));
            CCountedPopup::s_refusal = CCountedPopup::ACCEPT;
            EXPECT_EQ(c.bBySystem ? 1 : 0, refusal.Refused());
        }
        EXPECT_EQ(1, CCountedPopup::s_nDeleted);
        EXPECT_EQ(nullptr, button.m_pPopupMenu);
        PumpPending();
        EXPECT_EQ(1, CCountedPopup::s_nDeleted);
        EXPECT_EQ(nullptr, CSPPopupMenu::GetActiveMenu());

        ASSERT_TRUE(button.OpenPopupMenu(frame));
        ASSERT_NE(nullptr, button.m_pPopupMenu);
        EXPECT_GT(button.m_pPopupMenu->GetMenuItemCount(), 0);
        button.m_pPopupMenu->SendMessage(WM_CLOSE);
        PumpPending();
        EXPECT_EQ(2, CCountedPopup::s_nDeleted);
        EXPECT_EQ(nullptr, button.m_pPopupMenu);
    }
}

// A submenu whose window is refused has deleted itself: its menu keeps
// going without it and opens it on the next try.
TEST_F(PopupTest, ARefusedSubmenuLeavesItsMenuWithoutOne) {
    CSPPopupMenu* pMenu = Open(200, 200);
    ASSERT_NE(nullptr, pMenu);
    CSPPopupMenuBar* pBar = pMenu->GetMenuBar();
    {
        CCreationRefusal refusal(RUNTIME_CLASS(CSPPopupMenu), 1);
        EXPECT_FALSE(pBar->OpenSubMenu(5));
        EXPECT_EQ(1, refusal.Refused());
    }
    EXPECT_EQ(nullptr, pBar->GetOpenSubMenu());
    PumpPending();
    EXPECT_TRUE(::IsWindow(pMenu->GetSafeHwnd()));
    EXPECT_EQ(pMenu, CSPPopupMenu::GetActiveMenu());
    ASSERT_TRUE(pBar->OpenSubMenu(5));
    CSPPopupMenu* pSub = pBar->GetOpenSubMenu();
    ASSERT_NE(nullptr, pSub);
    EXPECT_EQ(pMenu, pSub->GetParentPopupMenu());
    EXPECT_EQ(2, pSub->GetMenuItemCount());
}

}  // namespace
