// The command catalogue of the sheet: categories from the menus, "All
// Commands" holding each command once, menu-path names, refused commands,
// and the pages the sheet offers.
#include "customize_support.h"

#include "SPCustomizePage.h"
#include "SPKeyboardPage.h"
#include "SPOptionsPage.h"
#include "SPToolsPage.h"
#include "SPKeyboardManager.h"
#include "SPMouseManager.h"
#include "SPUserToolsManager.h"

using namespace custtest;

namespace {

class CatalogueTest : public CustomizeTest {
protected:
    // A sheet that is never opened: the catalogue is built in its constructor.
    std::unique_ptr<CSPToolbarCustomize> sheet;

    void Build(BOOL bFromMenus, UINT uiFlags = 0x0F) { sheet.reset(new CSPToolbarCustomize(frame, bFromMenus, uiFlags)); }
    std::vector<std::string> Categories() const {
        std::vector<std::string> names;
        const CStringList& list = sheet->GetCategoryNames();
        for (POSITION pos = list.GetHeadPosition(); pos != NULL;) names.push_back((LPCTSTR)list.GetNext(pos));
        return names;
    }
    // "text" or "text|custom" of each button of the category, in order.
    std::vector<std::string> Buttons(LPCTSTR lpszCategory) const {
        std::vector<std::string> texts;
        CObList* pList = sheet->GetCategoryButtons(lpszCategory);
        if (pList == NULL) return texts;
        for (POSITION pos = pList->GetHeadPosition(); pos != NULL;) {
            const CSPToolbarButton* pButton = (const CSPToolbarButton*)pList->GetNext(pos);
            std::string text = (LPCTSTR)pButton->m_strText;
            if (!pButton->m_strTextCustom.IsEmpty()) text += "|" + std::string((LPCTSTR)pButton->m_strTextCustom);
            texts.push_back(text);
        }
        return texts;
    }
    int CountCommand(LPCTSTR lpszCategory, UINT uiCmd) const {
        int n = 0;
        CObList* pList = sheet->GetCategoryButtons(lpszCategory);
        for (POSITION pos = pList != NULL ? pList->GetHeadPosition() : NULL; pos != NULL;)
            n += ((CSPToolbarButton*)pList->GetNext(pos))->m_nID == uiCmd;
        return n;
    }
};

}  // namespace

TEST_F(CatalogueTest, CategoriesComeFromTheMenus) {
    Build(TRUE);
    EXPECT_EQ((std::vector<std::string>{"File", "Edit", "New Menu"}), Categories());
    // Ampersands gone, cut at the tab; each command knows its menu path;
    // the submenu is a menu button of its menu's category; the recent-file
    // command is refused.
    EXPECT_EQ((std::vector<std::string>{"New|FileNew", "Open...|FileOpen...", "Save|FileSave", "Recent books",
                                        "Guide|FileRecentBooksGuide", "Reference|FileRecentBooksReference",
                                        "Exit|FileExit"}),
              Buttons("File"));
    EXPECT_EQ((std::vector<std::string>{"Copy|EditCopy", "Paste|EditPaste", "Open...|EditOpen..."}), Buttons("Edit"));
    // "New Menu": one menu button with command 0.
    CObList* pNewMenu = sheet->GetCategoryButtons("New Menu");
    ASSERT_TRUE(pNewMenu != NULL);
    ASSERT_EQ(1, pNewMenu->GetCount());
    EXPECT_EQ(0u, ((CSPToolbarButton*)pNewMenu->GetHead())->m_nID);
    EXPECT_TRUE(pNewMenu->GetHead()->IsKindOf(RUNTIME_CLASS(CSPToolbarMenuButton)));
    // Each command once in "All Commands", which is no listed category.
    for (UINT uiCmd : {ID_T_NEW, ID_T_OPEN, ID_T_GUIDE, ID_T_COPY, ID_T_OPEN_EDIT})
        EXPECT_EQ(1, CountCommand("All Commands", uiCmd)) << uiCmd;
    EXPECT_EQ(0, CountCommand("All Commands", 0xE110));
    EXPECT_STREQ("Open...", sheet->GetCommandName(ID_T_OPEN));
    EXPECT_TRUE(sheet->GetCommandName(4711) == NULL);
}

TEST_F(CatalogueTest, AddButtonRulesAsATable) {
    Build(FALSE);
    EXPECT_EQ((std::vector<std::string>{"New Menu"}), Categories()) << "no menu commands without the flag";
    struct {
        UINT uiCmd;
        LPCTSTR lpszText;
        const char* expected;  // the stored text, NULL: refused
    } cases[] = {
        {ID_T_TIPONLY, "", "Tip only"},           // the string resource's tip part
        {ID_T_SAVE, "Sa&ve as\tCtrl+S", "Save as"},  // no '&', cut at the tab
        {4712, "", NULL},                         // no text anywhere
        {0xE110, "Recent", NULL},                 // recent files
        {0xF060, "Close", NULL},                  // system commands
        {0xFF02, "Child", NULL},                  // MDI child activation
        {0xE212, "Verb", NULL},                   // OLE verbs
    };
    for (const auto& c : cases) {
        sheet->AddButton("Mine", CSPToolbarButton(c.uiCmd, -1, c.lpszText));
        const int n = CountCommand("Mine", c.uiCmd);
        if (c.expected == NULL) {
            EXPECT_EQ(0, n) << c.uiCmd;
            continue;
        }
        EXPECT_EQ(1, n) << c.uiCmd;
        CObList* pList = sheet->GetCategoryButtons("Mine");
        EXPECT_STREQ(c.expected, ((CSPToolbarButton*)pList->GetTail())->m_strText);
    }
    // Twice into one category keeps one; another category gets its own copy,
    // "All Commands" still one.
    sheet->AddButton("Mine", CSPToolbarButton(ID_T_SAVE, -1, "Save"));
    sheet->AddButton("Other", CSPToolbarButton(ID_T_SAVE, -1, "Save"));
    EXPECT_EQ(1, CountCommand("Mine", ID_T_SAVE));
    EXPECT_EQ(1, CountCommand("Other", ID_T_SAVE));
    EXPECT_EQ(1, CountCommand("All Commands", ID_T_SAVE));
    EXPECT_NE(sheet->GetCategoryButtons("Mine")->GetTail(), sheet->GetCategoryButtons("Other")->GetHead());

    // Removing everywhere.
    EXPECT_EQ(0, sheet->RemoveButton((UINT)-1, ID_T_SAVE));
    EXPECT_EQ(0, CountCommand("Other", ID_T_SAVE) + CountCommand("Mine", ID_T_SAVE) +
                     CountCommand("All Commands", ID_T_SAVE));
    EXPECT_EQ(-1, sheet->RemoveButton("Nowhere", ID_T_SAVE));

    // Renaming: not onto an existing name, not from a missing one.
    EXPECT_FALSE(sheet->RenameCategory("Mine", "Other"));
    EXPECT_FALSE(sheet->RenameCategory("Missing", "Fresh"));
    EXPECT_FALSE(sheet->RenameCategory("Mine", "All Commands"));
    EXPECT_TRUE(sheet->RenameCategory("Mine", "Fresh"));
    EXPECT_EQ((std::vector<std::string>{"New Menu", "Fresh", "Other"}), Categories());
    EXPECT_TRUE(sheet->GetCategoryButtons("Mine") == NULL);
}

TEST_F(CatalogueTest, AddMenuWithoutTheFlagFillsOnlyAllCommands) {
    Build(FALSE);
    ASSERT_TRUE(sheet->AddMenu(IDR_EXTRAMENU));
    EXPECT_FALSE(sheet->AddMenu(4713));
    EXPECT_EQ((std::vector<std::string>{"New Menu"}), Categories());
    EXPECT_EQ(1, CountCommand("All Commands", ID_T_EXTRA_A));
    EXPECT_EQ(1, CountCommand("All Commands", ID_T_EXTRA_B));
    EXPECT_TRUE(sheet->AddToolBar("Bar", IDR_TESTBAR));
    EXPECT_EQ((std::vector<std::string>{"New", "Open", "Save"}), Buttons("Bar")) << "separators skipped";
    EXPECT_FALSE(sheet->AddToolBar("Bar", 4714));
}

// Hundreds of menus of the same command, and names of several hundred
// characters: one entry in "All Commands", nothing cut but at a tab.
TEST_F(CatalogueTest, ManyMenusAndLongNames) {
    Build(FALSE);
    const CString strLong(_T('x'), 600);
    for (int i = 0; i < 300; i++) {
        CString strCategory;
        strCategory.Format(_T("Menu %d"), i);
        sheet->AddButton(strCategory, CSPToolbarButton(ID_T_SAVE, -1, strLong + _T("\tCtrl+S")));
    }
    EXPECT_EQ(301u, Categories().size());
    EXPECT_EQ(1, CountCommand("All Commands", ID_T_SAVE));
    EXPECT_EQ(strLong, CString(sheet->GetCommandName(ID_T_SAVE)));
}

TEST_F(CatalogueTest, PagesDependOnTheManagers) {
    auto pageCaptions = [&]() {
        std::vector<CRuntimeClass*> classes;
        for (int i = 0; i < sheet->GetPageCount(); i++) classes.push_back(sheet->GetPage(i)->GetRuntimeClass());
        return classes;
    };
    Build(TRUE);
    // No managers: Commands, Toolbars, Options (no menu bar on this frame).
    std::vector<CRuntimeClass*> classes = pageCaptions();
    ASSERT_EQ(3u, classes.size());
    EXPECT_EQ(RUNTIME_CLASS(CSPCustomizePage), classes[0]);
    EXPECT_EQ(RUNTIME_CLASS(CSPOptionsPage), classes.back());

    CSPKeyboardManager keyboard;
    CSPMouseManager mouse;
    CSPUserToolsManager tools(7300, 7301, 7310);
    Build(TRUE);
    EXPECT_EQ(6, sheet->GetPageCount()) << "Commands, Toolbars, Tools, Keyboard, Mouse, Options";
    EXPECT_EQ(sheet->GetToolsPage(), sheet->GetPage(2));
    EXPECT_EQ(sheet->GetKeyboardPage(), sheet->GetPage(3));
    EXPECT_EQ(RUNTIME_CLASS(CSPOptionsPage), pageCaptions().back());
    Build(TRUE, 0x0F | SPCUSTOMIZE_NOTOOLS);
    EXPECT_EQ(5, sheet->GetPageCount());
    EXPECT_TRUE(sheet->GetToolsPage() == NULL);

    // Without an accelerator table there is no Keyboard page.
    HACCEL hAccel = frame->m_hAccelTable;
    frame->m_hAccelTable = NULL;
    Build(TRUE);
    EXPECT_LT(sheet->GetPageIndex((CPropertyPage*)sheet->GetKeyboardPage()), 0);
    frame->m_hAccelTable = hAccel;
    sheet.reset();
}
