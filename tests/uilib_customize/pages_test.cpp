// The pages: commands in alphabetical and menu order, the toolbars list,
// keys assigned and removed across a save and reload, the hot-key edit,
// the options, the tools and the mouse.
#include "customize_support.h"

#include <algorithm>

#include "SPCustomizePage.h"
#include "SPKeyboardManager.h"
#include "SPKeyboardPage.h"
#include "SPMouseManager.h"
#include "SPMousePage.h"
#include "SPOptionsPage.h"
#include "SPToolbarsPage.h"
#include "SPToolsPage.h"
#include "MemoryDC.h"
#include "SPGlobalData.h"
#include "SPVisualManager.h"
#include "SPUserTool.h"
#include "SPUserToolsManager.h"

using namespace custtest;

TEST_F(CustomizeTest, CommandsPageOrderAndMenuPathNames) {
    CSPToolbarCustomize* pSheet = OpenSheet();
    CSPCustomizePage* pPage = pSheet->GetCommandsPage();
    EXPECT_EQ((std::vector<std::string>{"File", "Edit", "New Menu", "All Commands"}), Texts(pPage->m_wndCategory));

    // A category in menu order.
    SelectEntry(pPage->m_wndCategory, 1);
    EXPECT_EQ((std::vector<std::string>{"Copy", "Paste", "Open..."}), Texts(pPage->m_wndTools));
    // "All Commands" in byte order, menu-path names where the catalogue has them.
    SelectEntry(pPage->m_wndCategory, 3);
    std::vector<std::string> all = Texts(pPage->m_wndTools);
    EXPECT_TRUE(std::is_sorted(all.begin(), all.end())) << all.size();
    EXPECT_NE(all.end(), std::find(all.begin(), all.end(), "FileRecentBooksGuide"));

    // The description is the command's prompt; a menu button's is its text.
    SelectEntry(pPage->m_wndCategory, 0);
    SelectEntry(pPage->m_wndTools, 0);
    pPage->UpdateData(TRUE);
    EXPECT_STREQ("Makes a new book", pPage->m_strButtonDescription);
    SelectEntry(pPage->m_wndCategory, 2);
    SelectEntry(pPage->m_wndTools, 0);
    EXPECT_STREQ("New Menu", pPage->m_strButtonDescription);
    CloseSheet(pSheet);
}

// The commands list draws each entry through its button: the command's
// image in the image cell, the list's text, and for a submenu the arrow at
// the line's end.
TEST_F(CustomizeTest, CommandsListDrawsItsEntriesThroughTheirButtons) {
    CSPVisualManager::SetDefaultManager(RUNTIME_CLASS(CSPVisualManager));
    CSPToolbarCustomize* pSheet = OpenSheet();
    CSPCustomizePage* pPage = pSheet->GetCommandsPage();
    SelectEntry(pPage->m_wndCategory, 0);
    CRect rectList;
    pPage->m_wndTools.GetClientRect(rectList);
    const CRect rectLine(0, 0, rectList.Width(), 22);
    auto draw = [&](int iEntry, MemoryDC& mem, UINT uiState) {
        DRAWITEMSTRUCT dis = {};
        dis.CtlType = ODT_LISTBOX;
        dis.CtlID = pPage->m_wndTools.GetDlgCtrlID();
        dis.itemID = (UINT)iEntry;
        dis.itemAction = ODA_DRAWENTIRE;
        dis.itemState = uiState;
        dis.hwndItem = pPage->m_wndTools.GetSafeHwnd();
        dis.hDC = mem.dc.GetSafeHdc();
        dis.rcItem = rectLine;
        dis.itemData = (ULONG_PTR)pPage->m_wndTools.GetItemDataPtr(iEntry);
        pPage->m_wndTools.DrawItem(&dis);
    };
    const int cxCell = CSPToolBar::m_sizeImage.cx + 6;
    const CRect rectEnd(rectLine.right - 16, 0, rectLine.right, rectLine.bottom);

    const int iNew = FindEntry(pPage->m_wndTools, "New");
    ASSERT_GE(iNew, 0);
    MemoryDC mem(rectLine.Width(), rectLine.Height());
    draw(iNew, mem, 0);
    EXPECT_GT(mem.Count(CRect(0, 0, cxCell, 22), RGB(0xD0, 0x20, 0x20)), 40) << "the toolbar's image of New";
    EXPECT_GT(mem.Count(CRect(cxCell, 0, cxCell + 40, 22), spGlobalData.clrBtnText), 5) << "its text";
    EXPECT_EQ(0, mem.Count(rectEnd, spGlobalData.clrBtnText)) << "no arrow";

    const int iRecent = FindEntry(pPage->m_wndTools, "Recent books");
    ASSERT_GE(iRecent, 0);
    MemoryDC memMenu(rectLine.Width(), rectLine.Height());
    draw(iRecent, memMenu, ODS_SELECTED);
    EXPECT_GT(memMenu.Count(rectEnd, spGlobalData.clrTextHilite), 3) << "the submenu's arrow, white when selected";
    EXPECT_GT(memMenu.Count(CRect(cxCell, 0, rectLine.right - 20, 22), ::GetSysColor(COLOR_HIGHLIGHT)), 500);
    CString strText;
    pPage->m_wndTools.GetText(iRecent, strText);
    EXPECT_STREQ(strText, ((CSPToolbarButton*)pPage->m_wndTools.GetItemDataPtr(iRecent))->m_strText)
        << "the button has its own text back";
    CloseSheet(pSheet);
    CSPVisualManager::SetDefaultManager(NULL);
}

TEST_F(CustomizeTest, CommandsPageShowsPathNamesForDuplicateTexts) {
    CSPToolbarCustomize* pSheet = new CSPToolbarCustomize(frame, TRUE);
    CSPToolbarButton first(ID_T_OPEN, -1, "Open");
    first.m_strTextCustom = "FileOpen";
    CSPToolbarButton second(ID_T_OPEN_EDIT, -1, "Open");
    second.m_strTextCustom = "EditOpen";
    pSheet->AddButton("Twice", first);
    pSheet->AddButton("Twice", second);
    pSheet->AddButton("Twice", CSPToolbarButton(ID_T_SAVE, -1, "Save"));
    ASSERT_TRUE(pSheet->Create());
    CSPCustomizePage* pPage = pSheet->GetCommandsPage();
    SelectEntry(pPage->m_wndCategory, pPage->m_wndCategory.FindStringExact(-1, "Twice"));
    EXPECT_EQ((std::vector<std::string>{"FileOpen", "EditOpen", "Save"}), Texts(pPage->m_wndTools));
    CloseSheet(pSheet);
}

// Thousands of commands in "All Commands": every one listed, in byte order.
TEST_F(CustomizeTest, CommandsPageWithThousandsOfCommands) {
    CSPToolbarCustomize* pSheet = new CSPToolbarCustomize(frame, FALSE);
    for (UINT i = 0; i < 3000; i++) {
        CString strText;
        strText.Format(_T("Command %u"), (i * 7919u) % 3000u);
        pSheet->AddButton("Many", CSPToolbarButton(20000 + i, -1, strText));
    }
    ASSERT_TRUE(pSheet->Create());
    CSPCustomizePage* pPage = pSheet->GetCommandsPage();
    SelectEntry(pPage->m_wndCategory, pPage->m_wndCategory.FindStringExact(-1, "All Commands"));
    const std::vector<std::string> all = Texts(pPage->m_wndTools);
    EXPECT_EQ(3001u, all.size()) << "and the new menu";
    EXPECT_TRUE(std::is_sorted(all.begin(), all.end()));
    CloseSheet(pSheet);
}

TEST_F(CustomizeTest, ToolbarsPageListsAndGuardsTheBars) {
    CSPToolBar untitled;
    ASSERT_TRUE(untitled.Create(frame, WS_CHILD | CBRS_TOP, AFX_IDW_TOOLBAR + 5));
    ASSERT_TRUE(untitled.LoadToolBar(IDR_TESTBAR));
    bar->SetPermament(TRUE);
    CSPToolbarCustomize* pSheet = OpenSheet();
    CSPToolbarsPage* pPage = ShowPage(pSheet, pSheet->GetToolbarsPage());
    CSPToolbarsListBox& list = pPage->m_wndToolbarList;
    ASSERT_EQ((std::vector<std::string>{"<Untitled>", "Standard"}), Texts(list));
    EXPECT_EQ(0, list.GetCheck(0)) << "hidden bar unchecked";
    EXPECT_EQ(1, list.GetCheck(1));
    EXPECT_TRUE(list.IsCheckEnabled(0));
    EXPECT_FALSE(list.IsCheckEnabled(1)) << "a bar that cannot be closed";
    EXPECT_FALSE(pPage->m_btnNewToolbar.IsWindowVisible()) << "no user toolbars unless enabled";

    // Unchecking the permanent bar: the check comes back.
    SelectEntry(list, 1);
    list.SetCheck(1, 0);
    pPage->SendMessage(WM_COMMAND, MAKEWPARAM(SP_IDC_TOOLBARS_LIST, CLBN_CHKCHANGE), (LPARAM)list.GetSafeHwnd());
    EXPECT_EQ(1, list.GetCheck(1));
    EXPECT_TRUE(bar->IsWindowVisible());
    // Space on its check is refused too.
    list.SendMessage(WM_KEYDOWN, VK_SPACE);
    EXPECT_EQ(1, list.GetCheck(1));

    // Checking the hidden bar shows it; the sheet hears of bars shown.
    SelectEntry(list, 0);
    list.SetCheck(0, 1);
    pPage->SendMessage(WM_COMMAND, MAKEWPARAM(SP_IDC_TOOLBARS_LIST, CLBN_CHKCHANGE), (LPARAM)list.GetSafeHwnd());
    EXPECT_TRUE(untitled.GetStyle() & WS_VISIBLE);
    pSheet->ShowToolBar(&untitled, FALSE);
    EXPECT_EQ(0, list.GetCheck(0));
    CloseSheet(pSheet);
    untitled.DestroyWindow();
}

namespace {

int WINAPI FixedKeyName(LONG lParam, LPSTR lpString, int cchSize) {
    const UINT vk = (lParam >> 16) & 0xFF;
    const char* name = vk == 0x1D ? "Ctrl" : vk == 0x2A ? "Shift" : vk == 0x38 ? "Alt" : "Key";
    lstrcpynA(lpString, name, cchSize);
    return lstrlenA(lpString);
}

class KeyboardPageTest : public CustomizeTest {
protected:
    std::unique_ptr<CSPKeyboardManager> keyboard;
    void SetUp() override {
        CustomizeTest::SetUp();
        keyboard.reset(new CSPKeyboardManager);
    }
    void TearDown() override {
        AfxGetApp()->m_pMainWnd = NULL;
        CustomizeTest::TearDown();
        keyboard.reset();
    }
    std::vector<WORD> FrameCommands() const {
        std::vector<WORD> cmds;
        const int n = frame->m_hAccelTable != NULL ? ::CopyAcceleratorTable(frame->m_hAccelTable, NULL, 0) : 0;
        std::vector<ACCEL> v(n > 0 ? n : 0);
        if (n > 0) ::CopyAcceleratorTable(frame->m_hAccelTable, v.data(), n);
        for (const ACCEL& a : v) cmds.push_back(a.cmd);
        return cmds;
    }
    // As after a restart: a new manager, the frame with its resource table,
    // then the stored tables.
    void Restart() {
        keyboard.reset(new CSPKeyboardManager);
        if (frame->m_hAccelTable == NULL)
            frame->m_hAccelTable = ::LoadAccelerators(AfxGetResourceHandle(), MAKEINTRESOURCE(IDR_TESTFRAME));
        ASSERT_TRUE(keyboard->LoadState(NULL, frame));
    }
    // Selects the command in "All Commands".
    static void SelectCommand(CSPKeyboardPage* pPage, LPCTSTR lpszCommand) {
        SelectEntry(pPage->m_wndCategoryList, pPage->m_wndCategoryList.FindStringExact(-1, "All Commands"));
        const int i = pPage->m_wndCommandsList.FindStringExact(-1, lpszCommand);
        ASSERT_GE(i, 0) << lpszCommand;
        SelectEntry(pPage->m_wndCommandsList, i);
    }
};

}  // namespace

TEST_F(KeyboardPageTest, HotKeyEditCapturesCombinations) {
    CSPToolbarCustomize* pSheet = OpenSheet();
    CSPKeyboardPage* pPage = ShowPage(pSheet, pSheet->GetKeyboardPage());
    CSPHotKeyEdit& edit = pPage->m_wndNewKey;
    const HWND h = edit.m_hWnd;

    // The key that brings the focus (Tab) arms the edit without a key.
    MSG tab = KeyMsg(h, WM_KEYDOWN, VK_TAB);
    EXPECT_TRUE(edit.PreTranslateMessage(&tab));
    EXPECT_FALSE(edit.IsKeyDefined());
    // Ctrl alone: the flag, no key; released: cleared.
    MSG ctrl = KeyMsg(h, WM_KEYDOWN, VK_CONTROL);
    edit.PreTranslateMessage(&ctrl);
    EXPECT_EQ(FCONTROL, edit.GetAccel().fVirt & FCONTROL);
    EXPECT_FALSE(edit.IsKeyDefined());
    MSG ctrlUp = KeyMsg(h, WM_KEYUP, VK_CONTROL);
    edit.PreTranslateMessage(&ctrlUp);
    EXPECT_EQ(0, edit.GetAccel().fVirt & FCONTROL);
    // Ctrl+Shift+K.
    Press(edit, {VK_CONTROL, VK_SHIFT, 'K'});
    ASSERT_TRUE(edit.IsKeyDefined());
    EXPECT_EQ('K', edit.GetAccel().key);
    EXPECT_EQ(FVIRTKEY | FCONTROL | FSHIFT, edit.GetAccel().fVirt);
    // Holding K (auto-repeat) keeps it; a new key starts over.
    MSG repeat = KeyMsg(h, WM_KEYDOWN, 'K', true);
    edit.PreTranslateMessage(&repeat);
    EXPECT_EQ(FVIRTKEY | FCONTROL | FSHIFT, edit.GetAccel().fVirt);
    Press(edit, {'J'});
    EXPECT_EQ('J', edit.GetAccel().key);
    EXPECT_EQ(FVIRTKEY, edit.GetAccel().fVirt);
    // Every modifier combination gives its own flags (Alt keys come as
    // system keys).
    for (int nMods = 0; nMods < 8; nMods++) {
        const bool bCtrl = nMods & 1, bShift = nMods & 2, bAlt = nMods & 4;
        const UINT uiDown = bAlt ? WM_SYSKEYDOWN : WM_KEYDOWN, uiUp = bAlt ? WM_SYSKEYUP : WM_KEYUP;
        std::vector<UINT> keys;
        if (bCtrl) keys.push_back(VK_CONTROL);
        if (bShift) keys.push_back(VK_SHIFT);
        if (bAlt) keys.push_back(VK_MENU);
        keys.push_back(VK_F5);
        for (UINT vk : keys) {
            MSG down = KeyMsg(h, uiDown, vk);
            edit.PreTranslateMessage(&down);
        }
        ASSERT_TRUE(edit.IsKeyDefined()) << nMods;
        EXPECT_EQ(VK_F5, edit.GetAccel().key);
        EXPECT_EQ(FVIRTKEY | (bCtrl ? FCONTROL : 0) | (bShift ? FSHIFT : 0) | (bAlt ? FALT : 0),
                  edit.GetAccel().fVirt)
            << nMods;
        for (auto it = keys.rbegin(); it != keys.rend(); ++it) {
            MSG up = KeyMsg(h, uiUp, *it);
            edit.PreTranslateMessage(&up);
        }
        EXPECT_TRUE(edit.IsKeyDefined()) << "releasing keeps the combination";
    }
    // Escape alone clears the key.
    Press(edit, {VK_ESCAPE});
    EXPECT_FALSE(edit.IsKeyDefined());
    CloseSheet(pSheet);
}

// Assign and remove reach the manager at once and survive a save and a
// reload; the last key of a table can go and stays gone.
TEST_F(KeyboardPageTest, AssignRemoveAndReload) {
    CSPKeyHelper::s_pfnGetKeyNameText = FixedKeyName;
    CSPToolbarCustomize* pSheet = OpenSheet();
    CSPKeyboardPage* pPage = ShowPage(pSheet, pSheet->GetKeyboardPage());
    EXPECT_EQ((std::vector<std::string>{"Default"}), Texts(pPage->m_wndViewTypeList));
    ASSERT_EQ(2, pPage->GetAccelCount());

    // A key another command holds cannot be assigned: its owner is named.
    SelectCommand(pPage, "FileSave");
    Arm(pPage->m_wndNewKey);
    Press(pPage->m_wndNewKey, {VK_CONTROL, 'N'});
    pPage->OnUpdateNewShortcutKey();
    EXPECT_STREQ("New", pPage->m_strAssignedTo) << "the owner's name";
    EXPECT_FALSE(pPage->m_wndAssignButton.IsWindowEnabled());
    // The same key with Shift too is another key.
    Press(pPage->m_wndNewKey, {VK_CONTROL, VK_SHIFT, 'N'});
    pPage->OnUpdateNewShortcutKey();
    EXPECT_STREQ("[Unassigned]", pPage->m_strAssignedTo);
    EXPECT_TRUE(pPage->m_wndAssignButton.IsWindowEnabled());
    pPage->OnAssign();
    EXPECT_EQ((std::vector<WORD>{ID_T_NEW, ID_T_COPY, ID_T_SAVE}), FrameCommands());
    EXPECT_EQ(1, pPage->m_wndCurrentKeysList.GetCount());

    // Remove every other key: the table ends with Save's alone, then empty.
    for (LPCTSTR lpszCommand : {"FileNew", "EditCopy", "FileSave"}) {
        SelectCommand(pPage, lpszCommand);
        ASSERT_EQ(1, pPage->m_wndCurrentKeysList.GetCount()) << lpszCommand;
        SelectEntry(pPage->m_wndCurrentKeysList, 0);
        pPage->OnRemove();
    }
    EXPECT_EQ(0, pPage->GetAccelCount());
    EXPECT_TRUE(FrameCommands().empty()) << "the last key went too";
    CloseSheet(pSheet);

    ASSERT_TRUE(keyboard->SaveState(NULL, frame));
    Restart();
    EXPECT_TRUE(FrameCommands().empty()) << "an emptied table stays empty after a reload";

    // A later assignment there makes a table again, and it is reloaded.
    pSheet = OpenSheet();
    pPage = ShowPage(pSheet, pSheet->GetKeyboardPage());
    SelectCommand(pPage, "EditPaste");
    Arm(pPage->m_wndNewKey);
    Press(pPage->m_wndNewKey, {VK_CONTROL, 'V'});
    pPage->OnUpdateNewShortcutKey();
    pPage->OnAssign();
    CloseSheet(pSheet);
    ASSERT_TRUE(keyboard->SaveState(NULL, frame));
    Restart();
    EXPECT_EQ((std::vector<WORD>{ID_T_PASTE}), FrameCommands());
    CSPKeyHelper::s_pfnGetKeyNameText = ::GetKeyNameTextA;
}

// A key of the table whose command no category knows is named "????".
TEST_F(KeyboardPageTest, KeyOfAnUnknownCommand) {
    ACCEL entries[] = {{FVIRTKEY | FCONTROL, 'N', ID_T_NEW}, {FVIRTKEY, VK_F9, 4999}};
    ASSERT_TRUE(keyboard->UpdateAccelTable(NULL, entries, 2, frame));
    CSPToolbarCustomize* pSheet = OpenSheet();
    CSPKeyboardPage* pPage = ShowPage(pSheet, pSheet->GetKeyboardPage());
    SelectCommand(pPage, "FileSave");
    Arm(pPage->m_wndNewKey);
    Press(pPage->m_wndNewKey, {VK_F9});
    pPage->OnUpdateNewShortcutKey();
    EXPECT_STREQ("????", pPage->m_strAssignedTo);
    EXPECT_FALSE(pPage->m_wndAssignButton.IsWindowEnabled());
    CloseSheet(pSheet);
}

// Reset All asks first, then brings the resource's keys back and tells
// the frame.
TEST_F(KeyboardPageTest, ResetAllBringsBackTheResourceKeys) {
    ACCEL entries[] = {{FVIRTKEY, VK_F9, ID_T_SAVE}};
    ASSERT_TRUE(keyboard->UpdateAccelTable(NULL, entries, 1, frame));
    AfxGetApp()->m_pMainWnd = frame;
    CSPToolbarCustomize* pSheet = OpenSheet();
    CSPKeyboardPage* pPage = ShowPage(pSheet, pSheet->GetKeyboardPage());
    {
        MessageBoxRecorder boxes(IDNO);
        pPage->OnResetAll();
        ASSERT_EQ(1u, boxes.texts.size());
        EXPECT_EQ("All your changes will be lost! Do you really want to reset the keyboard assignments?",
                  boxes.texts[0]);
    }
    EXPECT_EQ((std::vector<WORD>{ID_T_SAVE}), FrameCommands());
    EXPECT_EQ(0, frame->nResetKeyboard);
    {
        MessageBoxRecorder boxes(IDYES);
        pPage->OnResetAll();
    }
    EXPECT_EQ((std::vector<WORD>{ID_T_NEW, ID_T_COPY}), FrameCommands());
    EXPECT_EQ(1, frame->nResetKeyboard);
    EXPECT_EQ(2, pPage->GetAccelCount()) << "the page shows the reset table";
    CloseSheet(pSheet);
    AfxGetApp()->m_pMainWnd = NULL;
}

TEST_F(CustomizeTest, OptionsPageWritesAtOnce) {
    const BOOL bTips = CSPToolBar::m_bShowTooltips, bShortcuts = CSPToolBar::m_bShowShortcutKeys;
    CSPToolBar::m_bShowTooltips = TRUE;
    CSPToolBar::m_bShowShortcutKeys = TRUE;
    CSPToolbarCustomize* pSheet = OpenSheet();
    CSPOptionsPage* pPage = ShowPage(pSheet, pSheet->GetOptionsPage());
    // Without basic commands or a menu bar the personalised menus are hidden.
    EXPECT_FALSE(pPage->GetDlgItem(SP_IDC_OPT_RU_MENUS)->IsWindowVisible());
    EXPECT_FALSE(pPage->GetDlgItem(SP_IDC_OPT_RESET_USAGE)->IsWindowVisible());
    EXPECT_TRUE(pPage->GetDlgItem(SP_IDC_OPT_LOOK2000)->IsWindowVisible());
    EXPECT_FALSE(pPage->GetDlgItem(SP_IDC_OPT_VISUALIZATIONS)->IsWindowVisible());

    // Tips off: the shortcut box is disabled and keeps its value.
    pPage->CheckDlgButton(SP_IDC_OPT_TOOLTIPS, 0);
    pPage->OnShowTooltips();
    EXPECT_FALSE(CSPToolBar::m_bShowTooltips);
    EXPECT_FALSE(pPage->GetDlgItem(SP_IDC_OPT_SHORTCUTS)->IsWindowEnabled());
    EXPECT_TRUE(CSPToolBar::m_bShowShortcutKeys);
    // Large icons re-lay the bars at once.
    const CSize sizeBefore = bar->CalcFixedLayout(FALSE, TRUE);
    pPage->CheckDlgButton(SP_IDC_OPT_LARGE_ICONS, 1);
    pPage->OnLargeIcons();
    EXPECT_TRUE(CSPToolBar::IsLargeIcons());
    EXPECT_GT(bar->CalcFixedLayout(FALSE, TRUE).cy, sizeBefore.cy);
    pPage->CheckDlgButton(SP_IDC_OPT_LARGE_ICONS, 0);
    pPage->OnLargeIcons();
    CloseSheet(pSheet);
    CSPToolBar::m_bShowTooltips = bTips;
    CSPToolBar::m_bShowShortcutKeys = bShortcuts;
}

TEST_F(CustomizeTest, OptionsPageHidesLook2000WhenNotAllowed) {
    CSPToolbarCustomize* pSheet = OpenSheet(TRUE, 0x0F & ~SPCUSTOMIZE_LOOK2000);
    CSPOptionsPage* pPage = ShowPage(pSheet, pSheet->GetOptionsPage());
    EXPECT_FALSE(pPage->GetDlgItem(SP_IDC_OPT_LOOK2000)->IsWindowVisible());
    CloseSheet(pSheet);
}

TEST_F(CustomizeTest, ToolsPageLimitAndRenaming) {
    CSPUserToolsManager tools(7300, 7301, 7302, RUNTIME_CLASS(CSPUserTool), IDR_TOOLSARGS);
    CSPToolbarCustomize* pSheet = OpenSheet();
    CSPToolsPage* pPage = ShowPage(pSheet, pSheet->GetToolsPage());
    EXPECT_TRUE(pPage->m_wndArgumentsBtn.IsWindowVisible());
    EXPECT_FALSE(pPage->m_wndInitialDirBtn.IsWindowVisible()) << "no menu id, no button";

    CSPToolsListBox& list = pPage->m_wndToolsList;
    for (LPCTSTR lpszName : {"Viewer", "Editor"}) {
        const int i = list.AddItem(lpszName);
        list.OnAfterAddItem(i);
    }
    ASSERT_EQ(2, tools.GetUserTools().GetCount());
    EXPECT_STREQ("Editor", ((CSPUserTool*)tools.GetUserTools().GetTail())->m_strLabel);
    // The range holds two: a third is refused with the limit, and goes.
    {
        MessageBoxRecorder boxes(IDOK);
        const int i = list.AddItem("Third");
        list.OnAfterAddItem(i);
        ASSERT_EQ(1u, boxes.texts.size());
        EXPECT_EQ("You may define up to 2 tools.", boxes.texts[0]);
    }
    EXPECT_EQ(2, list.GetCount());
    EXPECT_EQ(2, tools.GetUserTools().GetCount());

    // Renaming renames the menu text; the command goes into the tool.
    list.SetItemText(0, "Reader");
    list.OnAfterRenameItem(0);
    EXPECT_STREQ("Reader", ((CSPUserTool*)tools.GetUserTools().GetHead())->m_strLabel);
    list.SelectItem(0);
    list.OnSelectionChanged();
    pPage->m_wndCommandEdit.SetWindowText("reader.exe");
    pPage->OnUpdateTool();
    EXPECT_STREQ("reader.exe", ((CSPUserTool*)tools.GetUserTools().GetHead())->GetCommand());
    CloseSheet(pSheet);
}

TEST_F(CustomizeTest, MousePageViewsAndDoubleClicks) {
    CSPMouseManager mouse;
    ASSERT_TRUE(mouse.AddView(3, "Zebra view"));
    ASSERT_TRUE(mouse.AddView(1, "Alpha view"));
    ASSERT_TRUE(mouse.AddView(2, "Middle view"));
    mouse.SetCommandForDblClick(2, ID_T_SAVE);
    CSPToolbarCustomize* pSheet = OpenSheet();
    CSPMousePage* pPage = ShowPage(pSheet, pSheet->GetMousePage());
    ASSERT_EQ(3, pPage->m_wndListOfViews.GetItemCount());
    EXPECT_STREQ("Alpha view", pPage->m_wndListOfViews.GetItemText(0, 0));
    EXPECT_STREQ("Middle view", pPage->m_wndListOfViews.GetItemText(1, 0));
    EXPECT_STREQ("Zebra view", pPage->m_wndListOfViews.GetItemText(2, 0));
    EXPECT_EQ(1, pPage->GetSelectedView());
    EXPECT_FALSE(pPage->m_wndListOfCommands.IsWindowEnabled()) << "no command for Alpha";

    pPage->m_wndListOfViews.SetItemState(1, LVIS_SELECTED, LVIS_SELECTED);
    PumpPending();
    EXPECT_EQ(2, pPage->GetSelectedView());
    EXPECT_EQ(BST_CHECKED, pPage->IsDlgButtonChecked(SP_IDC_USE_DBLCLICK));
    const int iSel = pPage->m_wndListOfCommands.GetCurSel();
    ASSERT_GE(iSel, 0);
    EXPECT_EQ((DWORD_PTR)ID_T_SAVE, pPage->m_wndListOfCommands.GetItemData(iSel));

    // Associating without choosing leaves command 0; a choice is written at once.
    pPage->OnUseDblClick();
    EXPECT_EQ(0u, mouse.GetViewDblClickCommand(2));
    pPage->m_wndListOfCommands.SetCurSel(pPage->m_wndListOfCommands.FindStringExact(-1, "EditPaste"));
    pPage->OnSelchangeListOfCommands();
    EXPECT_EQ((UINT)ID_T_PASTE, mouse.GetViewDblClickCommand(2));
    pPage->OnNoDblClick();
    EXPECT_EQ(0u, mouse.GetViewDblClickCommand(2));
    CloseSheet(pSheet);
}
