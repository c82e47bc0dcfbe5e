// Menu buttons: items from and to menu handles, the stored record with its
// items, and the split button's arrow.
#include "interact_support.h"

using namespace tbtest;

namespace {

// File ▸ Open (default), separator, Recent ▸ One, Two (menu break).
HMENU MakeMenu() {
    HMENU hRecent = ::CreatePopupMenu();
    ::AppendMenuA(hRecent, MF_STRING, 301, "One");
    ::AppendMenuA(hRecent, MF_STRING | MF_MENUBREAK, 302, "Two");
    HMENU hMenu = ::CreatePopupMenu();
    ::AppendMenuA(hMenu, MF_STRING, ID_OPEN, "&Open\tCtrl+O");
    ::AppendMenuA(hMenu, MF_SEPARATOR, 0, NULL);
    ::AppendMenuA(hMenu, MF_STRING | MF_POPUP, (UINT_PTR)hRecent, "&Recent");
    ::SetMenuDefaultItem(hMenu, ID_OPEN, FALSE);
    return hMenu;
}

// The menu's structure as text: ids, texts, default and break marks.
std::string Describe(HMENU hMenu) {
    std::string s;
    const UINT uiDefault = ::GetMenuDefaultItem(hMenu, FALSE, 0);
    for (int i = 0; i < ::GetMenuItemCount(hMenu); i++) {
        char text[64] = {0};
        ::GetMenuStringA(hMenu, (UINT)i, text, sizeof(text) - 1, MF_BYPOSITION);
        const UINT id = ::GetMenuItemID(hMenu, i);
        s += "[" + std::to_string((int)id) + " " + text;
        if (id != (UINT)-1 && id != 0 && id == uiDefault) s += " default";
        if (::GetMenuState(hMenu, (UINT)i, MF_BYPOSITION) & MF_MENUBREAK) s += " break";
        if (id == (UINT)-1) s += " " + Describe(::GetSubMenu(hMenu, i));
        s += "]";
    }
    return s;
}

std::vector<BYTE> Store(CObject& object) {
    return ArchiveBytes([&](CArchive& ar) { ar.WriteObject(&object); });
}

// The menu button read back, NULL when reading failed.
CSPToolbarMenuButton* Load(std::vector<BYTE> bytes) {
    CMemFile file(bytes.data(), (UINT)bytes.size());
    CObject* pObject = NULL;
    try {
        CArchive ar(&file, CArchive::load);
        pObject = ar.ReadObject(RUNTIME_CLASS(CSPToolbarMenuButton));
    } catch (CException* e) {
        e->Delete();
    }
    return (CSPToolbarMenuButton*)pObject;
}

class MenuButtonTest : public InteractTest {
protected:
    // Puts the real pointer on the bar's client point; FALSE when the
    // display did not follow within a second.
    static bool PointerTo(CWnd* pWnd, CPoint pt) {
        pWnd->ClientToScreen(&pt);
        for (int i = 0; i < 100; i++) {
            ::SetCursorPos(pt.x, pt.y);
            Pump();
            CPoint ptNow;
            ::GetCursorPos(&ptNow);
            if (ptNow == pt) return true;
            ::Sleep(10);
        }
        return false;
    }
};

}  // namespace

TEST_F(MenuButtonTest, MenuWithSubmenuSeparatorAndDefaultItemRoundTrips) {
    HMENU hMenu = MakeMenu();
    const std::string expected = Describe(hMenu);
    EXPECT_EQ(expected, "[101 &Open\tCtrl+O default][0 ][-1 &Recent [301 One][302 Two break]]");
    CSPToolbarMenuButton button(0, hMenu, -1, "&File");
    ::DestroyMenu(hMenu);
    ASSERT_EQ(button.GetCommands().GetCount(), 3);

    HMENU hExported = button.CreateMenu();
    ASSERT_TRUE(hExported != NULL);
    EXPECT_EQ(Describe(hExported), expected);
    ::DestroyMenu(hExported);

    CSPToolbarMenuButton copy(button);
    EXPECT_TRUE(copy.CompareWith(button));
    HMENU hCopied = copy.CreateMenu();
    EXPECT_EQ(Describe(hCopied), expected);
    ::DestroyMenu(hCopied);

    // A command button without items gives no menu, unless menu-only.
    CSPToolbarMenuButton command(ID_PRINT, NULL, -1, "Print");
    EXPECT_TRUE(command.CreateMenu() == NULL);
    EXPECT_FALSE(command.CompareWith(button));
    command.SetMenuOnly(TRUE);
    HMENU hEmpty = command.CreateMenu();
    EXPECT_TRUE(hEmpty != NULL);
    ::DestroyMenu(hEmpty);
}

// The tear-off id is written and read under the same workspace versions;
// the items must be menu buttons.
TEST_F(MenuButtonTest, RecordWithItems) {
    HMENU hMenu = MakeMenu();
    CSPToolbarMenuButton button(0, hMenu, -1, "&File");
    ::DestroyMenu(hMenu);
    button.SetTearOff(0xE900);
    struct Case {
        BOOL bWorkspace;
        int nMajor, nMinor;
        UINT uiTearOff;
    } const cases[] = {{FALSE, -1, -1, 0}, {TRUE, -1, -1, 0xE900}, {TRUE, 6, 3, 0xE900}, {TRUE, 4, 70, 0},
                       {TRUE, 4, 71, 0xE900}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.bWorkspace << " " << c.nMajor << "." << c.nMinor);
        CSPToolBar::SetWorkspaceState(c.bWorkspace, c.nMajor, c.nMinor);
        std::unique_ptr<CSPToolbarMenuButton> pLoaded(Load(Store(button)));
        ASSERT_TRUE(pLoaded != NULL);
        EXPECT_TRUE(pLoaded->CompareWith(button));
        EXPECT_EQ(pLoaded->GetTearOffID(), c.uiTearOff);
        HMENU hLoaded = pLoaded->CreateMenu();
        // The default item is the menu's, not part of the record.
        EXPECT_EQ(Describe(hLoaded), "[101 &Open\tCtrl+O][0 ][-1 &Recent [301 One][302 Two break]]");
        ::DestroyMenu(hLoaded);
    }
    CSPToolBar::SetWorkspaceState(FALSE);

    // An item of a plain button class: the record is damaged.
    const std::vector<BYTE> damaged = ArchiveBytes([](CArchive& ar) {
        ar.WriteClass(RUNTIME_CLASS(CSPToolbarMenuButton));
        CSPToolbarButton record(0, -1, "x");
        record.CSPToolbarButton::Serialize(ar);
        ar.WriteCount(1);
        CSPToolbarButton item(ID_OPEN, 0, "Open");
        ar.WriteObject(&item);
    });
    EXPECT_TRUE(Load(damaged) == NULL);
}

// Left of its arrow a split button leaves the click to the bar, which sends
// the command; on the arrow it would open the popup.
TEST_F(MenuButtonTest, SplitButtonArrow) {
    CSPToolBar* pBar = NewBar(IDR_MAIN);
    HMENU hMenu = MakeMenu();
    CSPToolbarMenuButton split(ID_EXPORT, hMenu, -1, "Export");
    ::DestroyMenu(hMenu);
    split.m_bText = TRUE;
    ASSERT_EQ(pBar->InsertButtonCopy(split, 0), 0);
    pBar->AdjustLayout();
    pBar->AdjustLocations();
    CSPToolbarMenuButton* pSplit = DYNAMIC_DOWNCAST(CSPToolbarMenuButton, pBar->GetButton(0));
    ASSERT_TRUE(pSplit != NULL);
    EXPECT_TRUE(pSplit->IsDrawDownArrow());
    const CRect rect = pSplit->Rect();

    frame->ShowWindow(SW_SHOWNOACTIVATE);
    CPoint ptLeft(rect.left + 3, rect.CenterPoint().y), ptArrow(rect.right - 3, rect.CenterPoint().y);
    if (!PointerTo(pBar, ptLeft)) GTEST_SKIP() << "the display does not move the pointer";
    Click(pBar, ptLeft);
    EXPECT_FALSE(pSplit->IsClickedOnArrow());
    EXPECT_EQ(frame->commands, std::vector<UINT>{ID_EXPORT});

    ASSERT_TRUE(PointerTo(pBar, ptArrow));
    pSplit->OnClick(pBar, FALSE);
    EXPECT_TRUE(pSplit->IsClickedOnArrow());
}

namespace {

// A menu button whose popup "opens" without the popup menus: a marker
// stands for the popup, and the button counts what it is asked.
class CFakePopupButton : public CSPToolbarMenuButton {
public:
    int nOpened = 0;
    CFakePopupButton() {}
    CFakePopupButton(UINT uiID, LPCTSTR lpszText) : CSPToolbarMenuButton(uiID, NULL, -1, lpszText) { m_bText = TRUE; }
    // An empty library popup opens below the button.
    BOOL OpenPopupMenu(CWnd* pWnd = NULL) override {
        nOpened++;
        return CSPToolbarMenuButton::OpenPopupMenu(pWnd);
    }
    BOOL IsEmptyMenuAllowed() const override { return TRUE; }
};

}  // namespace

// With a popup open, moving along the bar opens the popup under the mouse;
// Left and Right wrap around the bar past disabled menu buttons; a
// mnemonic opens a menu button's popup.
TEST_F(MenuButtonTest, PopupsMoveAlongTheBar) {
    CSPToolBar* pBar = NewBar(IDR_MAIN);
    pBar->RemoveAllButtons();
    const char* const texts[] = {"&File", "&Edit", "&View", "&Help"};
    for (const char* text : texts) ASSERT_GE(pBar->InsertButton(new CFakePopupButton(0, text), -1), 0);
    pBar->AdjustLayout();
    pBar->AdjustLocations();
    auto menu = [pBar](int i) { return static_cast<CFakePopupButton*>(pBar->GetButton(i)); };
    int iOpen = -1;

    EXPECT_TRUE(pBar->FindButtonByMnemonic('e'));
    EXPECT_EQ(pBar->GetDroppedDownMenu(&iOpen), menu(1));
    EXPECT_EQ(iOpen, 1);

    Send(pBar, WM_MOUSEMOVE, Center(pBar, 2));
    EXPECT_EQ(pBar->GetDroppedDownMenu(&iOpen), menu(2));
    EXPECT_FALSE(menu(1)->IsDroppedDown());

    menu(3)->m_nStyle |= TBBS_DISABLED;
    EXPECT_TRUE(pBar->GetNextHotButton());  // past Help (disabled) to File
    EXPECT_EQ(pBar->GetDroppedDownMenu(&iOpen), menu(0));
    EXPECT_TRUE(pBar->GetPrevHotButton());  // wraps back past Help to View
    EXPECT_EQ(pBar->GetDroppedDownMenu(&iOpen), menu(2));

    pBar->SendMessage(WM_CANCELMODE);
    EXPECT_TRUE(pBar->GetDroppedDownMenu() == NULL);
    EXPECT_FALSE(pBar->GetNextHotButton());
}
