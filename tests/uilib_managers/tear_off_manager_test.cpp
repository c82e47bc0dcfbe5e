// The tear-off manager: ids from its range, the tags in menu texts, tagging
// and freeing a real menu, and the stored counters.
#include "SPTearOffManager.h"

#include "managers_support.h"

using namespace mgrtest;

namespace {

std::string Str(const CString& s) { return std::string((LPCTSTR)s); }

CString MenuText(HMENU hMenu, int iItem) {
    char sz[256] = {};
    ::GetMenuStringA(hMenu, iItem, sz, sizeof(sz), MF_BYPOSITION);
    return sz;
}

TEST(TearOffManagerTest, InitializeRefusesBadRanges) {
    struct Case {
        UINT first, last;
        BOOL ok;
    } cases[] = {{0, 5, FALSE}, {5, 0, FALSE}, {0, 0, FALSE}, {10, 5, FALSE}, {7, 7, TRUE}, {100, 102, TRUE}};
    for (const Case& c : cases) {
        CSPTearOffManager manager;
        EXPECT_EQ(c.ok, manager.Initialize("Section", c.first, c.last)) << c.first << "-" << c.last;
        EXPECT_EQ(c.ok ? &manager : NULL, g_pTearOffMenuManager);
        // A refused range hands out nothing.
        EXPECT_EQ(c.ok ? c.first : 0u, manager.GetFreeTearOffId());
    }
    EXPECT_EQ(NULL, g_pTearOffMenuManager);
}

TEST(TearOffManagerTest, FreeIdsAndUseCounts) {
    CSPTearOffManager manager;
    ASSERT_TRUE(manager.Initialize("Section", 100, 102));
    manager.SetInUse(100);
    manager.SetInUse(102);
    EXPECT_EQ(101u, manager.GetFreeTearOffId());
    EXPECT_EQ(1u, manager.GetUseCount(101));
    EXPECT_EQ(0u, manager.GetFreeTearOffId());  // all in use

    // Ids outside the range change nothing; a count never drops below 0.
    struct Case {
        UINT id;
        BOOL use;
        UINT countOf100;
    } cases[] = {{99, TRUE, 1}, {103, TRUE, 1}, {0xFFFFFFFF, FALSE, 1}, {100, TRUE, 2},
                 {100, FALSE, 1}, {100, FALSE, 0}, {100, FALSE, 0}};
    for (const Case& c : cases) {
        manager.SetInUse(c.id, c.use);
        EXPECT_EQ(c.countOf100, manager.GetUseCount(100)) << c.id << " " << c.use;
    }
    EXPECT_EQ(0u, manager.GetUseCount(99));
    EXPECT_EQ(100u, manager.GetFreeTearOffId());
}

TEST(TearOffManagerTest, ParseTags) {
    struct Case {
        const char* text;
        UINT id;
        const char* rest;
    } cases[] = {
        {"\001" "57" "\001" "Edit", 57, "Edit"},
        {"\001" "57" "\001", 57, ""},
        {"\001" "7" "\001" "a" "\001" "b", 7, "b"},  // cut after the last mark
        {"\001" "4294967295" "\001" "X", 0xFFFFFFFF, "X"},
        {"Edit", 0, "Edit"},
        {"", 0, ""},
        {"\001" "57Edit", 0, "\001" "57Edit"},  // no closing mark
        {"\001" "4294967296" "\001" "X", 0, "\001" "4294967296" "\001" "X"},
        {"\001" "99999999999999999999999" "\001" "X", 0, "\001" "99999999999999999999999" "\001" "X"},
        {"\001" "-5" "\001" "X", 0, "\001" "-5" "\001" "X"},
        {"\001" "12ab" "\001" "X", 0, "\001" "12ab" "\001" "X"},
        {"\001" "\001" "X", 0, "\001" "\001" "X"},
        {"\001" "0" "\001" "X", 0, "\001" "0" "\001" "X"},
    };
    CSPTearOffManager manager;
    for (const Case& c : cases) {
        CString str = c.text;
        EXPECT_EQ(c.id, manager.ParseTearOffTag(str)) << c.text;
        EXPECT_EQ(std::string(c.rest), Str(str)) << c.text;
    }

    CString str = "&View";
    manager.Build(4321, str);
    EXPECT_EQ(std::string("\001" "4321" "\001" "&View"), Str(str));
    EXPECT_EQ(4321u, manager.ParseTearOffTag(str));
    EXPECT_EQ(std::string("&View"), Str(str));
}

// A bar menu: "File" (marked) holding "Recent" (marked) holding a command,
// "Edit" (not marked), "View" (marked), "Tools" (already tagged, 999).
class TearOffMenuTest : public ::testing::Test {
protected:
    void SetUp() override {
        hRecent = ::CreatePopupMenu();
        ::AppendMenuA(hRecent, MF_STRING, 1, "One");
        hFile = ::CreatePopupMenu();
        ::AppendMenuA(hFile, MF_STRING, 2, "Open");
        ::AppendMenuA(hFile, MF_POPUP | MF_MENUBARBREAK | MF_GRAYED, (UINT_PTR)hRecent, "Recent");
        HMENU hEdit = ::CreatePopupMenu();
        ::AppendMenuA(hEdit, MF_STRING, 3, "Copy");
        HMENU hView = ::CreatePopupMenu();
        ::AppendMenuA(hView, MF_STRING, 4, "Zoom");
        HMENU hTools = ::CreatePopupMenu();
        ::AppendMenuA(hTools, MF_STRING, 5, "Options");
        hMenu = ::CreateMenu();
        ::AppendMenuA(hMenu, MF_POPUP | MF_MENUBARBREAK, (UINT_PTR)hFile, "File");
        ::AppendMenuA(hMenu, MF_POPUP, (UINT_PTR)hEdit, "Edit");
        ::AppendMenuA(hMenu, MF_POPUP | MF_MENUBARBREAK, (UINT_PTR)hView, "View");
        ::AppendMenuA(hMenu, MF_POPUP | MF_MENUBARBREAK, (UINT_PTR)hTools, "\001" "999" "\001" "Tools");
    }
    void TearDown() override { ::DestroyMenu(hMenu); }

    HMENU hMenu = NULL, hFile = NULL, hRecent = NULL;
};

TEST_F(TearOffMenuTest, ResetTagsMarkedSubMenusAndKeepsThem) {
    CSPTearOffManager manager;
    ASSERT_TRUE(manager.Initialize("Section", 100, 109));
    manager.Reset(hMenu);

    EXPECT_EQ(std::string("\001" "100" "\001" "File"), Str(MenuText(hMenu, 0)));
    EXPECT_EQ(std::string("Edit"), Str(MenuText(hMenu, 1)));
    EXPECT_EQ(std::string("\001" "102" "\001" "View"), Str(MenuText(hMenu, 2)));
    EXPECT_EQ(std::string("\001" "999" "\001" "Tools"), Str(MenuText(hMenu, 3)));
    // The walk went into the retagged item: its sub-menu, state and break
    // flag survived the new text.
    EXPECT_EQ(hFile, ::GetSubMenu(hMenu, 0));
    EXPECT_EQ(hRecent, ::GetSubMenu(hFile, 1));
    EXPECT_EQ(std::string("\001" "101" "\001" "Recent"), Str(MenuText(hFile, 1)));
    const UINT uiState = ::GetMenuState(hFile, 1, MF_BYPOSITION);
    EXPECT_TRUE(uiState & MF_MENUBARBREAK);
    EXPECT_TRUE(uiState & MF_GRAYED);
    EXPECT_EQ(1u, manager.GetUseCount(102));
    EXPECT_EQ(0u, manager.GetUseCount(103));

    // A second pass finds every item tagged and takes no id.
    manager.Reset(hMenu);
    EXPECT_EQ(103u, manager.GetFreeTearOffId());

    // Freeing by the menu's tags: ids in the range go back, the tag outside
    // it (999) is ignored.
    manager.SetInUse(104);
    manager.SetupTearOffMenus(hMenu);
    for (UINT id : {100u, 101u, 102u}) EXPECT_EQ(0u, manager.GetUseCount(id)) << id;
    EXPECT_EQ(1u, manager.GetUseCount(103));
    EXPECT_EQ(1u, manager.GetUseCount(104));
    manager.SetupTearOffMenus(NULL);
    EXPECT_EQ(0u, manager.GetUseCount(103));
    EXPECT_EQ(0u, manager.GetUseCount(104));
}

TEST_F(TearOffMenuTest, ResetStopsWhenTheIdsRunOut) {
    CSPTearOffManager manager;
    ASSERT_TRUE(manager.Initialize("Section", 100, 101));
    manager.Reset(hMenu);
    EXPECT_EQ(std::string("\001" "100" "\001" "File"), Str(MenuText(hMenu, 0)));
    EXPECT_EQ(std::string("\001" "101" "\001" "Recent"), Str(MenuText(hFile, 1)));
    EXPECT_EQ(std::string("View"), Str(MenuText(hMenu, 2)));
    EXPECT_EQ(hFile, ::GetSubMenu(hMenu, 0));
    // No menu at all changes nothing.
    manager.Reset(NULL);
    EXPECT_EQ(0u, manager.GetFreeTearOffId());
}

TEST(TearOffManagerTest, RegistrySection) {
    struct Restore {
        ~Restore() { CSPTearOffManager::s_pfnGetWorkspaceRegSection = NULL; }
    } restore;
    CSPTearOffManager manager;
    ASSERT_TRUE(manager.Initialize("Own", 1, 2));
    EXPECT_EQ(std::string("Own"), Str(manager.GetRegEntry()));
    ASSERT_TRUE(manager.Initialize(NULL, 1, 2));
    EXPECT_EQ(std::string(""), Str(manager.GetRegEntry()));
    CSPTearOffManager::s_pfnGetWorkspaceRegSection = []() { return CString("Workspace\\"); };
    ASSERT_TRUE(manager.Initialize(NULL, 1, 2));
    EXPECT_EQ(std::string("Workspace\\"), Str(manager.GetRegEntry()));
    ASSERT_TRUE(manager.Initialize("Own", 1, 2));
    EXPECT_EQ(std::string("Own"), Str(manager.GetRegEntry()));
}

// FALSE when loading threw an archive exception.
BOOL Load(CSPTearOffManager& manager, std::vector<BYTE> image) {
    CMemFile in(image.data(), (UINT)image.size());
    CArchive ar(&in, CArchive::load);
    try {
        manager.Serialize(ar);
    } catch (CArchiveException* e) {
        e->Delete();
        return FALSE;
    }
    return TRUE;
}

TEST(TearOffManagerTest, CountersStoreAsCountAndRawValues) {
    CSPTearOffManager manager;
    ASSERT_TRUE(manager.Initialize("Section", 100, 102));
    manager.SetInUse(100);
    manager.SetInUse(102);
    manager.SetInUse(102);
    EXPECT_EQ(Bytes().w(3).d(1).d(0).d(2).v, StoredImage(manager));

    struct Case {
        const char* what;
        std::vector<BYTE> image;
        BOOL ok;
        UINT counts[3];
    } cases[] = {
        {"same range", Bytes().w(3).d(0).d(7).d(0xFFFFFFFF).v, TRUE, {0, 7, 0xFFFFFFFF}},
        {"shorter", Bytes().w(1).d(5).v, TRUE, {5, 0, 0}},
        {"longer", Bytes().w(4).d(1).d(2).d(3).d(4).v, TRUE, {1, 2, 3}},
        {"count past the data", Bytes().w(0xFFFF).d(0x7FFFFFFF).d(1).v, FALSE, {1, 0, 0}},
    };
    for (const Case& c : cases) {
        CSPTearOffManager loaded;
        ASSERT_TRUE(loaded.Initialize("Section", 100, 102));
        loaded.SetInUse(101, TRUE);
        EXPECT_EQ(c.ok, Load(loaded, c.image)) << c.what;
        for (UINT i = 0; i < 3; i++) EXPECT_EQ(c.counts[i], loaded.GetUseCount(100 + i)) << c.what << " " << i;
    }
}

}  // namespace
