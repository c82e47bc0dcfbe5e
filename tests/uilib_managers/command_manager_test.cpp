// The command manager's image maps and "CommandsWithoutImages", and the
// command usage counts with their stored image.
#include "SPCmdUsageCount.h"
#include "SPCommandManager.h"
#include "SPClientHooks.h"
#include "SPToolbarState.h"
#include "SPUserToolsManager.h"

#include "managers_support.h"

using namespace mgrtest;

namespace {

TEST(CommandManagerTest, ImagesLiveInOneMapOnly) {
    CSPCommandManager mgr;
    mgr.SetCmdImage(100, 3, TRUE);
    mgr.SetCmdImage(100, 5, FALSE);  // has a user image: ignored
    EXPECT_EQ(-1, mgr.GetCmdImage(100, FALSE));
    EXPECT_EQ(3, mgr.GetCmdImage(100, TRUE));

    mgr.SetCmdImage(200, 1, FALSE);
    mgr.SetCmdImage(200, 2, FALSE);  // overwritten
    mgr.SetCmdImage(200, 9, TRUE);   // has a standard image: ignored
    EXPECT_EQ(2, mgr.GetCmdImage(200, FALSE));
    EXPECT_EQ(-1, mgr.GetCmdImage(200, TRUE));

    mgr.SetCmdImage(0, 1, FALSE);
    mgr.SetCmdImage(0xFFFFFFFF, 1, TRUE);
    EXPECT_EQ(-1, mgr.GetCmdImage(0, FALSE));
    EXPECT_EQ(-1, mgr.GetCmdImage(0xFFFFFFFF, TRUE));

    // Clearing the user image frees the id for a standard one.
    mgr.ClearCmdImage(100);
    EXPECT_EQ(-1, mgr.GetCmdImage(100, TRUE));
    mgr.SetCmdImage(100, 5, FALSE);
    EXPECT_EQ(5, mgr.GetCmdImage(100, FALSE));

    mgr.ClearAllCmdImages();
    EXPECT_EQ(-1, mgr.GetCmdImage(100, FALSE));
    EXPECT_EQ(-1, mgr.GetCmdImage(200, FALSE));
    EXPECT_EQ(SPGetCommandManager(), SPGetCommandManager());
}

class CommandsWithoutImagesTest : public ::testing::Test {
protected:
    void SetUp() override { DeleteRegTree(m_strProfile); }
    void TearDown() override { DeleteRegTree(m_strProfile); }
    CString m_strProfile = Key("Commands");
    CString m_strKey = m_strProfile + "SCommandManager";
};

TEST_F(CommandsWithoutImagesTest, ListPersistsInListOrder) {
    {
        CSPCommandManager mgr;
        mgr.EnableMenuItemImage(0x8003, FALSE);
        mgr.EnableMenuItemImage(0x10, FALSE);
        mgr.EnableMenuItemImage(0x8003, FALSE);  // once only
        mgr.EnableMenuItemImage(0x20, FALSE);
        mgr.EnableMenuItemImage(0x10, TRUE);
        mgr.EnableMenuItemImage(0x30, TRUE);  // absent: nothing
        EXPECT_TRUE(mgr.IsMenuItemWithoutImage(0x8003));
        EXPECT_FALSE(mgr.IsMenuItemWithoutImage(0x10));
        ASSERT_TRUE(mgr.SaveState(m_strProfile));
    }
    DWORD type = 0;
    EXPECT_EQ(Bytes().w(2).d(0x8003).d(0x20).v, ReadRegRaw(m_strKey, "CommandsWithoutImages", &type));
    EXPECT_EQ((DWORD)REG_BINARY, type);

    // Loading appends.
    CSPCommandManager mgr;
    mgr.EnableMenuItemImage(0x99, FALSE);
    ASSERT_TRUE(mgr.LoadState(m_strProfile));
    const CList<UINT, UINT>& list = mgr.GetCommandsWithoutImages();
    ASSERT_EQ(3, list.GetCount());
    POSITION pos = list.GetHeadPosition();
    EXPECT_EQ(0x99u, list.GetNext(pos));
    EXPECT_EQ(0x8003u, list.GetNext(pos));
    EXPECT_EQ(0x20u, list.GetNext(pos));
}

TEST_F(CommandsWithoutImagesTest, MissingOrDamagedValueLoadsNothing) {
    CSPCommandManager mgr;
    EXPECT_FALSE(mgr.LoadState(m_strProfile));  // no key
    ASSERT_TRUE(WriteRegRaw(m_strKey, "CommandsWithoutImages", Bytes().w(3).d(1).d(2).v));  // one id short
    EXPECT_FALSE(mgr.LoadState(m_strProfile));
    EXPECT_EQ(0, mgr.GetCommandsWithoutImages().GetCount());
    // The long count form.
    ASSERT_TRUE(WriteRegRaw(m_strKey, "CommandsWithoutImages", Bytes().w(0xFFFF).d(1).d(77).v));
    EXPECT_TRUE(mgr.LoadState(m_strProfile));
    EXPECT_TRUE(mgr.IsMenuItemWithoutImage(77));
}

// --- usage counts -------------------------------------------------------------

struct UsageOptionsReset {
    ~UsageOptionsReset() {
        CSPCmdUsageCount::SetOptions(0, 5);
        CSPToolbarSharedState::m_lstUncountedCommands.RemoveAll();
        g_bCustomizeMode = FALSE;
    }
};

TEST(CmdUsageCountTest, FrequentMeansStrictlyAboveThreshold) {
    UsageOptionsReset reset;
    CSPCmdUsageCount usage;
    EXPECT_TRUE(usage.HasEnoughInformation());  // minimum total 0
    EXPECT_FALSE(usage.IsFrequentlyUsedCmd(1));  // nothing counted

    for (int i = 0; i < 2; i++) usage.AddCmd(1);
    for (int i = 0; i < 3; i++) usage.AddCmd(2);
    for (int i = 0; i < 35; i++) usage.AddCmd(3);
    ASSERT_EQ(40u, usage.GetTotalUsage());
    EXPECT_FALSE(usage.IsFrequentlyUsedCmd(1));  // 5 %
    EXPECT_TRUE(usage.IsFrequentlyUsedCmd(2));   // 7 %
    EXPECT_FALSE(usage.IsFrequentlyUsedCmd(4));  // never used

    EXPECT_FALSE(CSPCmdUsageCount::SetOptions(10, 100));
    EXPECT_EQ(5u, CSPCmdUsageCount::m_nMinUsagePercentage);
    EXPECT_TRUE(CSPCmdUsageCount::SetOptions(41, 7));
    EXPECT_FALSE(usage.HasEnoughInformation());
    EXPECT_FALSE(usage.IsFrequentlyUsedCmd(2));  // 7 % is not above 7 %
    usage.AddCmd(3);
    EXPECT_TRUE(usage.HasEnoughInformation());

    usage.Reset();
    EXPECT_EQ(0u, usage.GetTotalUsage());
    EXPECT_EQ(0u, usage.GetCount(3));
}

TEST(CmdUsageCountTest, ExcludedCommandsNeverChangeTheTotal) {
    UsageOptionsReset reset;
    CSPUserToolsManager tools(0x7000, 0x7001, 0x7010);
    CSPToolbarSharedState::m_lstUncountedCommands.AddTail(0x600);
    CSPCmdUsageCount usage;
    const UINT excluded[] = {0,      0xFFFFFFFF, 0xE110, 0xE11F, 0xF000, 0xF1EF, 0xFF00,
                             0xFFFF, 0x10000,    0xE210, 0xE21F, 0x7000, 0x600};
    for (UINT uiCmd : excluded) EXPECT_FALSE(usage.AddCmd(uiCmd)) << std::hex << uiCmd;
    EXPECT_EQ(0u, usage.GetTotalUsage());

    const UINT counted[] = {1, 0xE10F, 0xE120, 0xEFFF, 0xF1F0, 0xFEFF, 0xE20F, 0xE220, 0x7001, 0x601};
    for (UINT uiCmd : counted) EXPECT_TRUE(usage.AddCmd(uiCmd)) << std::hex << uiCmd;
    EXPECT_EQ((UINT)(sizeof(counted) / sizeof(counted[0])), usage.GetTotalUsage());

    g_bCustomizeMode = TRUE;
    EXPECT_FALSE(usage.AddCmd(1));
    EXPECT_EQ(1u, usage.GetCount(1));
}

TEST(CmdUsageCountTest, StoredImageRoundTrips) {
    UsageOptionsReset reset;
    CSPCmdUsageCount usage;
    usage.AddCmd(0x21);
    usage.AddCmd(0x5);
    usage.AddCmd(0x5);
    usage.AddCmd(0x115);  // bucket 0 with 0x5, newer: first

    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        usage.Serialize(ar);
    }
    DWORD n = file.GetLength();
    BYTE* p = file.Detach();
    std::vector<BYTE> image(p, p + n);
    free(p);
    EXPECT_EQ(Bytes().d(4).w(3).d(0x115).d(1).d(0x5).d(2).d(0x21).d(1).v, image);

    CMemFile in(image.data(), (UINT)image.size());
    CArchive ar(&in, CArchive::load);
    CSPCmdUsageCount loaded;
    loaded.Serialize(ar);
    EXPECT_EQ(4u, loaded.GetTotalUsage());
    EXPECT_EQ(2u, loaded.GetCount(0x5));
    EXPECT_EQ(1u, loaded.GetCount(0x115));
}

}  // namespace
