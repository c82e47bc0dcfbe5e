// The mouse manager: views by name, double-click commands, and the "Mouse"
// value, byte for byte in the map's order.
#include "SPMouseManager.h"

#include "managers_support.h"

using namespace mgrtest;

namespace {

class MouseManagerTest : public ::testing::Test {
protected:
    void SetUp() override { DeleteRegTree(m_strKey); }
    void TearDown() override { DeleteRegTree(m_strKey); }
    CString m_strKey = Key("Mouse");
};

TEST_F(MouseManagerTest, ViewsByName) {
    CSPMouseManager manager;
    EXPECT_EQ(&manager, g_pMouseManager);
    EXPECT_TRUE(manager.AddView(10, "Text view", 300));
    EXPECT_TRUE(manager.AddView(11, "Tree view"));
    // The same name again keeps the first id; names are case-sensitive.
    EXPECT_FALSE(manager.AddView(12, "Text view", 301));
    EXPECT_TRUE(manager.AddView(13, "text view"));

    EXPECT_EQ(10, manager.GetViewIdByName("Text view"));
    EXPECT_EQ(-1, manager.GetViewIdByName("Other"));
    EXPECT_EQ(300u, manager.GetViewIconId(10));
    EXPECT_EQ(0u, manager.GetViewIconId(11));
    EXPECT_EQ(0u, manager.GetViewIconId(12));

    CStringList names;
    names.AddTail("stale");
    manager.GetViewNames(names);
    EXPECT_EQ(3, names.GetCount());
    EXPECT_TRUE(names.Find("Tree view") != NULL);
    EXPECT_TRUE(names.Find("stale") == NULL);
}

TEST_F(MouseManagerTest, StoredImageInMapOrderAndCommandZeroRemoves) {
    {
        CSPMouseManager manager;
        manager.SetCommandForDblClick(1, 100);
        manager.SetCommandForDblClick(0x21, 200);
        // Same bucket as view 1 (17 modulo 17 = 0), newer: first.
        manager.SetCommandForDblClick(0x110, 300);
        manager.SetCommandForDblClick(5, 500);
        manager.SetCommandForDblClick(5, 0);  // removed
        EXPECT_EQ(0u, manager.GetViewDblClickCommand(5));
        EXPECT_EQ(200u, manager.GetViewDblClickCommand(0x21));
        ASSERT_TRUE(manager.SaveState(m_strKey));
    }
    EXPECT_EQ(nullptr, g_pMouseManager);

    DWORD type = 0;
    std::vector<BYTE> image = ReadRegRaw(m_strKey, "Mouse", &type);
    EXPECT_EQ((DWORD)REG_BINARY, type);
    EXPECT_EQ(Bytes().d(3).d(0x110).d(300).d(1).d(100).d(0x21).d(200).v, image);

    CSPMouseManager loaded;
    loaded.SetCommandForDblClick(7, 700);  // emptied by the load
    ASSERT_TRUE(loaded.LoadState(m_strKey));
    EXPECT_EQ(100u, loaded.GetViewDblClickCommand(1));
    EXPECT_EQ(300u, loaded.GetViewDblClickCommand(0x110));
    EXPECT_EQ(0u, loaded.GetViewDblClickCommand(7));
}

TEST_F(MouseManagerTest, StoredValuesOfEveryShape) {
    struct Case {
        const char* name;
        std::vector<BYTE> image;
        BOOL bResult;
        int nCommands;  // of view 1 and 2 set after loading
    } cases[] = {
        {"count 0", Bytes().d(0).v, TRUE, 0},
        {"negative count", Bytes().d(0xFFFFFFFF).d(1).d(10).v, TRUE, 0},
        {"one pair", Bytes().d(1).d(2).d(20).v, TRUE, 1},
        {"count beyond the data", Bytes().d(1000000).d(1).d(10).v, FALSE, 1},
        {"half a pair", Bytes().d(1).d(1).v, FALSE, 0},
        {"empty value", Bytes().v, FALSE, 0},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(WriteRegRaw(m_strKey, "Mouse", c.image));
        CSPMouseManager manager;
        manager.SetCommandForDblClick(9, 900);
        EXPECT_EQ(c.bResult, manager.LoadState(m_strKey)) << c.name;
        int n = (manager.GetViewDblClickCommand(1) != 0) + (manager.GetViewDblClickCommand(2) != 0);
        EXPECT_EQ(c.nCommands, n) << c.name;
        EXPECT_EQ(0u, manager.GetViewDblClickCommand(9)) << c.name;
    }
}

TEST_F(MouseManagerTest, MissingKeyLoadsNothing) {
    CSPMouseManager manager;
    manager.SetCommandForDblClick(1, 100);
    EXPECT_FALSE(manager.LoadState(m_strKey));
    EXPECT_EQ(100u, manager.GetViewDblClickCommand(1));
}

}  // namespace
