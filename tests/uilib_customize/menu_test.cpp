// The Menu page over a frame with a menu bar and a document template: each
// menu keeps its own customisation while another one shows, the start menu
// comes back when the sheet closes, and the menu options apply on close.
// Also the Toolbars page's user toolbars through the name dialog, and the
// library's strings.
#include "customize_support.h"

#include "afxdocvw.h"

#include "SPKeyboardManager.h"
#include "SPKeyboardPage.h"
#include "SPMenuBar.h"
#include "SPMenuPage.h"
#include "SPOptionsPage.h"
#include "SPToolbarsPage.h"

using namespace custtest;

class CExtraDoc : public CDocument {
    DECLARE_DYNCREATE(CExtraDoc)
};
IMPLEMENT_DYNCREATE(CExtraDoc, CDocument)

class CExtraView : public CView {
    DECLARE_DYNCREATE(CExtraView)

public:
    void OnDraw(CDC*) override {}
};
IMPLEMENT_DYNCREATE(CExtraView, CView)

namespace {

class MenuPageTest : public CustomizeTest {
protected:
    CSPMenuBar menuBar;
    CDocManager* pDocManager = NULL;
    CMultiDocTemplate* pTemplate = NULL;

    void SetUp() override {
        CustomizeTest::SetUp();
        ASSERT_TRUE(menuBar.Create(frame));
        ASSERT_TRUE(menuBar.CreateFromMenu(frame->m_hMenuDefault, TRUE));
        pDocManager = new CDocManager;
        AfxGetApp()->m_pDocManager = pDocManager;
        pTemplate = new CMultiDocTemplate(IDR_EXTRAMENU, RUNTIME_CLASS(CExtraDoc), RUNTIME_CLASS(CFrameWnd),
                                          RUNTIME_CLASS(CExtraView));
        pDocManager->AddDocTemplate(pTemplate);
    }
    void TearDown() override {
        CustomizeTest::TearDown();
        if (menuBar.GetSafeHwnd() != NULL) menuBar.DestroyWindow();
        AfxGetApp()->m_pDocManager = NULL;
        delete pDocManager;
    }
};

}  // namespace

TEST_F(MenuPageTest, EachMenuKeepsItsCustomisation) {
    const HMENU hDefault = frame->m_hMenuDefault;
    const int nDefault = menuBar.GetCount();
    const int nAnimation = CSPToolBar::m_nMenuAnimation;
    CSPToolbarCustomize* pSheet = OpenSheet();
    CSPMenuPage* pPage = ShowPage(pSheet, pSheet->GetMenuPage());
    EXPECT_EQ((std::vector<std::string>{"Extra book", "Default Menu"}), Texts(pPage->m_wndMenusList));
    EXPECT_EQ(1, pPage->m_wndMenusList.GetCurSel()) << "the bar showed the default menu";
    EXPECT_EQ(4, pPage->m_wndMenuAnimations.GetCount());

    menuBar.InsertButtonCopy(CSPToolbarButton(ID_T_SAVE, -1, "Save"));
    SelectEntry(pPage->m_wndMenusList, 0);
    EXPECT_EQ(pTemplate->m_hMenuShared, menuBar.GetHMenu());
    pPage->UpdateData(TRUE);
    EXPECT_STREQ("Extra Book Document", pPage->m_strMenuDescr);
    ASSERT_EQ(1, menuBar.GetCount());
    menuBar.InsertButtonCopy(CSPToolbarButton(ID_T_PASTE, -1, "Paste"));
    menuBar.InsertButtonCopy(CSPToolbarButton(ID_T_COPY, -1, "Copy"));

    SelectEntry(pPage->m_wndMenusList, 1);
    EXPECT_EQ(hDefault, menuBar.GetHMenu());
    EXPECT_EQ(nDefault + 1, menuBar.GetCount()) << "the default menu's added command is back";
    SelectEntry(pPage->m_wndMenusList, 0);
    EXPECT_EQ(3, menuBar.GetCount()) << "and the template menu's two";

    pPage->m_wndMenuAnimations.SetCurSel(3);
    CloseSheet(pSheet);
    EXPECT_EQ(hDefault, menuBar.GetHMenu()) << "the start menu comes back";
    EXPECT_EQ(nDefault + 1, menuBar.GetCount());
    EXPECT_EQ(menuBar.GetItemID(nDefault), (UINT)ID_T_SAVE);
    EXPECT_EQ(3, CSPToolBar::m_nMenuAnimation) << "applied when the sheet closed";
    CSPToolBar::m_nMenuAnimation = nAnimation;
}

TEST_F(MenuPageTest, ResetBringsBackTheTemplateMenu) {
    CSPToolbarCustomize* pSheet = OpenSheet();
    CSPMenuPage* pPage = ShowPage(pSheet, pSheet->GetMenuPage());
    SelectEntry(pPage->m_wndMenusList, 0);
    const HMENU hOld = pTemplate->m_hMenuShared;
    menuBar.InsertButtonCopy(CSPToolbarButton(ID_T_PASTE, -1, "Paste"));
    ASSERT_EQ(2, menuBar.GetCount());
    {
        MessageBoxRecorder boxes(IDNO);
        pPage->OnResetFrameMenu();
        ASSERT_EQ(1u, boxes.texts.size());
        EXPECT_EQ("All your changes will be lost! Do you really want to reset the menu 'Extra book'?", boxes.texts[0]);
    }
    EXPECT_EQ(2, menuBar.GetCount()) << "No keeps the changes";
    {
        MessageBoxRecorder boxes(IDYES);
        pPage->OnResetFrameMenu();
    }
    EXPECT_NE(hOld, pTemplate->m_hMenuShared) << "a fresh copy of the resource";
    EXPECT_FALSE(::IsMenu(hOld));
    EXPECT_EQ(pTemplate->m_hMenuShared, menuBar.GetHMenu());
    EXPECT_EQ(1, menuBar.GetCount());
    // Away and back: the reset layout is what was parked.
    SelectEntry(pPage->m_wndMenusList, 1);
    SelectEntry(pPage->m_wndMenusList, 0);
    EXPECT_EQ(1, menuBar.GetCount());
    CloseSheet(pSheet);
}

// While the sheet is open a document changes the frame's menu: the page
// follows with its "Show Menus for:" entry, each menu keeps its edits, and
// the sheet closes on the menu the document showed last.
TEST_F(MenuPageTest, TheFramesMenuChangeSelectsItsEntry) {
    const HMENU hDefault = frame->m_hMenuDefault;
    const int nDefault = menuBar.GetCount();
    CSPToolbarCustomize* pSheet = OpenSheet();
    CSPMenuPage* pPage = ShowPage(pSheet, pSheet->GetMenuPage());
    ASSERT_EQ(1, pPage->m_wndMenusList.GetCurSel());
    EXPECT_EQ(pPage, menuBar.GetMenuPage());
    menuBar.InsertButtonCopy(CSPToolbarButton(ID_T_SAVE, -1, "Save"));

    // A document of the template activates.
    ASSERT_TRUE(menuBar.CreateFromMenu(pTemplate->m_hMenuShared));
    EXPECT_EQ(0, pPage->m_wndMenusList.GetCurSel());
    EXPECT_EQ(pTemplate->m_hMenuShared, pPage->GetShownMenu());
    pPage->UpdateData(TRUE);
    EXPECT_STREQ("Extra Book Document", pPage->m_strMenuDescr);
    ASSERT_EQ(1, menuBar.GetCount());
    menuBar.InsertButtonCopy(CSPToolbarButton(ID_T_PASTE, -1, "Paste"));

    // The last document goes: the default menu, as it was edited.
    ASSERT_TRUE(menuBar.CreateFromMenu(hDefault));
    EXPECT_EQ(1, pPage->m_wndMenusList.GetCurSel());
    EXPECT_EQ(nDefault + 1, menuBar.GetCount());
    // And the page's own choice still works, with the template's edit.
    SelectEntry(pPage->m_wndMenusList, 0);
    EXPECT_EQ(2, menuBar.GetCount());

    // A menu the page does not list changes nothing on it.
    HMENU hOther = ::CreateMenu();
    ::AppendMenuA(hOther, MF_STRING, ID_T_COPY, "&Copy");
    ASSERT_TRUE(menuBar.CreateFromMenu(hOther));
    EXPECT_EQ(0, pPage->m_wndMenusList.GetCurSel());
    ASSERT_TRUE(menuBar.CreateFromMenu(pTemplate->m_hMenuShared));

    CloseSheet(pSheet);
    EXPECT_EQ(nullptr, menuBar.GetMenuPage());
    EXPECT_EQ(pTemplate->m_hMenuShared, menuBar.GetHMenu()) << "the document's menu stays";
    EXPECT_EQ(2, menuBar.GetCount());
    ::DestroyMenu(hOther);
}

// The Keyboard page edits one table per template: a key assigned for the
// template goes into the template's table only.
TEST_F(MenuPageTest, KeyboardPageEditsTheTemplateTable) {
    CSPKeyboardManager keyboard;
    auto count = [](HACCEL h) { return h != NULL ? ::CopyAcceleratorTable(h, NULL, 0) : 0; };
    ASSERT_EQ(1, count(pTemplate->m_hAccelTable));
    CSPToolbarCustomize* pSheet = OpenSheet();
    CSPKeyboardPage* pPage = ShowPage(pSheet, pSheet->GetKeyboardPage());
    EXPECT_EQ((std::vector<std::string>{"Extra book", "Default"}), Texts(pPage->m_wndViewTypeList));
    EXPECT_EQ(1, pPage->m_wndViewTypeList.GetCurSel()) << "the frame's table first";
    SelectEntry(pPage->m_wndViewTypeList, 0);
    ASSERT_EQ(1, pPage->GetAccelCount());

    SelectEntry(pPage->m_wndCategoryList, pPage->m_wndCategoryList.FindStringExact(-1, "All Commands"));
    const int iExtra = pPage->m_wndCommandsList.FindStringExact(-1, "ExtraExtraA");
    ASSERT_GE(iExtra, 0);
    SelectEntry(pPage->m_wndCommandsList, iExtra);
    EXPECT_EQ(1, pPage->m_wndCurrentKeysList.GetCount()) << "its key in the template's table";
    Arm(pPage->m_wndNewKey);
    Press(pPage->m_wndNewKey, {VK_CONTROL, 'R'});
    pPage->OnUpdateNewShortcutKey();
    pPage->OnAssign();
    EXPECT_EQ(2, count(pTemplate->m_hAccelTable));
    EXPECT_EQ(2, count(frame->m_hAccelTable)) << "the frame's table is untouched";
    CloseSheet(pSheet);
}

// With a menu bar and basic commands the personalised menus are offered;
// resetting the usage data clears the counts.
TEST_F(MenuPageTest, OptionsPageOffersPersonalisedMenus) {
    CSPToolBar::AddBasicCommand(ID_T_NEW);
    CSPToolBar::m_UsageCount.Reset();
    CSPToolBar::AddCommandUsage(ID_T_SAVE);
    ASSERT_GT(CSPToolBar::m_UsageCount.GetCount(ID_T_SAVE), 0u);
    CSPToolbarCustomize* pSheet = OpenSheet();
    CSPOptionsPage* pPage = ShowPage(pSheet, pSheet->GetOptionsPage());
    EXPECT_TRUE(pPage->GetDlgItem(SP_IDC_OPT_RU_MENUS)->IsWindowVisible());
    EXPECT_TRUE(pPage->GetDlgItem(SP_IDC_OPT_RESET_USAGE)->IsWindowVisible());
    {
        MessageBoxRecorder boxes(IDYES);
        pPage->OnResetUsageData();
        EXPECT_EQ(1u, boxes.texts.size());
    }
    EXPECT_EQ(0u, CSPToolBar::m_UsageCount.GetCount(ID_T_SAVE));
    CloseSheet(pSheet);
    CList<UINT, UINT> lstNone;
    CSPToolBar::SetBasicCommands(lstNone);
}

TEST_F(CustomizeTest, MenuPageAbsentWithoutMenuBar) {
    CSPToolbarCustomize* pSheet = OpenSheet();
    EXPECT_LT(pSheet->GetPageIndex((CPropertyPage*)pSheet->GetMenuPage()), 0);
    CloseSheet(pSheet);
}

namespace {

// Answers the modal toolbar name dialog with the name once it shows.
std::string g_nameAnswer;
void CALLBACK AnswerNameDialog(HWND, UINT, UINT_PTR idEvent, DWORD) {
    HWND hDlg = ::FindWindowA("#32770", "Toolbar Name");
    if (hDlg == NULL || !::IsWindowVisible(hDlg)) return;
    ::KillTimer(NULL, idEvent);
    char szPreset[256] = "";
    ::GetDlgItemTextA(hDlg, SP_IDC_TOOLBAR_NAME, szPreset, sizeof(szPreset));
    g_nameAnswer += std::string("|was:") + szPreset;
    ::SetDlgItemTextA(hDlg, SP_IDC_TOOLBAR_NAME, g_nameAnswer.substr(0, g_nameAnswer.find('|')).c_str());
    const BOOL bOk = ::IsWindowEnabled(::GetDlgItem(hDlg, IDOK));
    ::PostMessageA(hDlg, WM_COMMAND, bOk ? IDOK : IDCANCEL, 0);
}
void AnswerName(const char* name) {
    g_nameAnswer = name;
    ::SetTimer(NULL, 0, 30, AnswerNameDialog);
}

}  // namespace

TEST_F(CustomizeTest, ToolbarsPageMakesRenamesAndDeletesUserToolbars) {
    frame->EnableDocking(CBRS_ALIGN_ANY);
    frame->m_Impl.InitUserToolbars(NULL, 0xE900, 0xE901);
    CSPToolbarCustomize* pSheet = new CSPToolbarCustomize(frame, TRUE);
    pSheet->EnableUserDefinedToolbars();
    ASSERT_TRUE(pSheet->Create());
    CSPToolbarsPage* pPage = ShowPage(pSheet, pSheet->GetToolbarsPage());
    ASSERT_TRUE(pPage->m_btnNewToolbar.IsWindowVisible());

    AnswerName("Zoo");
    pPage->SendMessage(WM_COMMAND, MAKEWPARAM(SP_IDC_NEW_TOOLBAR, BN_CLICKED));
    PumpPending();
    EXPECT_EQ((std::vector<std::string>{"Standard", "Zoo"}), Texts(pPage->m_wndToolbarList));
    CSPToolBar* pNew = pPage->GetSelectedToolbar();
    ASSERT_TRUE(pNew != NULL);
    EXPECT_TRUE(pNew->IsUserDefined());
    EXPECT_EQ(1, pPage->m_wndToolbarList.GetCheck(1));
    EXPECT_TRUE(pPage->m_btnDelete.IsWindowEnabled());

    // Renamed: the list stays sorted with the bar selected under its new name.
    AnswerName("Alpha");
    pPage->SendMessage(WM_COMMAND, MAKEWPARAM(SP_IDC_RENAME_TOOLBAR, BN_CLICKED));
    PumpPending();
    EXPECT_EQ("Alpha|was:Zoo", g_nameAnswer) << "the dialog starts with the old name";
    EXPECT_EQ((std::vector<std::string>{"Alpha", "Standard"}), Texts(pPage->m_wndToolbarList));
    EXPECT_EQ(0, pPage->m_wndToolbarList.GetCurSel());
    CString strText;
    pNew->GetWindowText(strText);
    EXPECT_STREQ("Alpha", strText);

    // An empty name cannot be confirmed: nothing is made.
    AnswerName("");
    pPage->SendMessage(WM_COMMAND, MAKEWPARAM(SP_IDC_NEW_TOOLBAR, BN_CLICKED));
    PumpPending();
    EXPECT_EQ(2, pPage->m_wndToolbarList.GetCount());

    {
        MessageBoxRecorder boxes(IDYES);
        pPage->SendMessage(WM_COMMAND, MAKEWPARAM(SP_IDC_DELETE_TOOLBAR, BN_CLICKED));
        ASSERT_EQ(1u, boxes.texts.size());
        EXPECT_EQ("Do you really want to delete the toolbar 'Alpha'?", boxes.texts[0]);
    }
    PumpPending();
    EXPECT_EQ((std::vector<std::string>{"Standard"}), Texts(pPage->m_wndToolbarList));
    CloseSheet(pSheet);
}

// Bars shown or hidden while the sheet is open are checked and unchecked.
TEST_F(CustomizeTest, ToolbarsListFollowsTheBars) {
    CSPToolbarCustomize* pSheet = OpenSheet();
    CSPToolbarsPage* pPage = ShowPage(pSheet, pSheet->GetToolbarsPage());
    ASSERT_EQ(1, pPage->m_wndToolbarList.GetCount());
    bar->ShowControlBar(FALSE, FALSE, FALSE);
    EXPECT_EQ(0, pPage->m_wndToolbarList.GetCheck(0));
    bar->ShowControlBar(TRUE, FALSE, FALSE);
    EXPECT_EQ(1, pPage->m_wndToolbarList.GetCheck(0));
    CloseSheet(pSheet);
}

TEST(CustomizeStrings, TheLibraryStringsLoad) {
    const struct {
        UINT nID;
        const char* text;
    } strings[] = {
        {16007, "Can't customize menues!"},
        {16009, "[Unassigned]"},
        {16014, "New Menu"},
        {16017, "New"},
        {16024, "You may define up to %d tools."},
        {16026, "More Buttons"},
        {16103, "Customize"},
        {16104, "<Untitled>"},
        {16110, "All Commands"},
        {16114, "Default"},
        {16243, "You can't create more than %d user-defined toolbars!"},
    };
    for (const auto& s : strings) {
        CString str;
        EXPECT_TRUE(str.LoadString(s.nID)) << s.nID;
        EXPECT_STREQ(s.text, str) << s.nID;
    }
    CString strFilter;
    ASSERT_TRUE(strFilter.LoadString(16023));
    EXPECT_EQ(0, strFilter.Find("Executable (*.exe)|*.exe|"));
}
