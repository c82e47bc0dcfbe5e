// The state every toolbar shares: options in the registry, the customise
// mode, the command lists and the sizes.
#include "toolbar_support.h"

#include "SPRegistry.h"
#include "SPVisualManager.h"

using namespace tbtest;

namespace {

CString ParametersKey(LPCTSTR profile) {
    return SPGetRegPath("SToolBars", ProfilePath(profile)) + "SToolbarParameters";
}

void WriteDword(const CString& key, LPCTSTR name, DWORD value) {
    HKEY h;
    ASSERT_EQ(::RegCreateKeyExA(HKEY_CURRENT_USER, key, 0, NULL, 0, KEY_ALL_ACCESS, NULL, &h, NULL),
              ERROR_SUCCESS);
    ::RegSetValueExA(h, name, 0, REG_DWORD, (const BYTE*)&value, sizeof(value));
    ::RegCloseKey(h);
}

void WriteBinary(const CString& key, LPCTSTR name, const void* data, DWORD cb) {
    HKEY h;
    ASSERT_EQ(::RegCreateKeyExA(HKEY_CURRENT_USER, key, 0, NULL, 0, KEY_ALL_ACCESS, NULL, &h, NULL),
              ERROR_SUCCESS);
    ::RegSetValueExA(h, name, 0, REG_BINARY, (const BYTE*)data, cb);
    ::RegCloseKey(h);
}

class ToolbarStateTest : public ToolbarTest {};

}  // namespace

TEST_F(ToolbarStateTest, OptionsRoundTripThroughTheRegistry) {
    CSPToolBar::m_bShowTooltips = FALSE;
    CSPToolBar::m_bShowShortcutKeys = FALSE;
    CSPToolBar::SetLargeIcons(TRUE);
    CSPToolBar::m_nMenuAnimation = 2;
    CSPToolBar::m_bRecentlyUsedMenus = FALSE;
    CSPToolBar::m_bMenuShadows = FALSE;
    CSPToolBar::m_bShowAllMenusAfterDelay = FALSE;
    CSPToolBar::SetLook2000(TRUE);
    CSPToolBar::m_UsageCount.AddCmd(ID_OPEN);
    CSPToolBar::m_UsageCount.AddCmd(ID_OPEN);
    CSPToolBar::m_UsageCount.AddCmd(ID_SAVE);
    ASSERT_TRUE(CSPToolBar::SaveParameters(ProfilePath("roundtrip")));

    CSPToolBar::m_bShowTooltips = CSPToolBar::m_bShowShortcutKeys = TRUE;
    CSPToolBar::SetLargeIcons(FALSE);
    CSPToolBar::m_nMenuAnimation = 0;
    CSPToolBar::m_bRecentlyUsedMenus = CSPToolBar::m_bMenuShadows = CSPToolBar::m_bShowAllMenusAfterDelay = TRUE;
    CSPToolBar::SetLook2000(FALSE);
    CSPToolBar::m_UsageCount.Reset();

    ASSERT_TRUE(CSPToolBar::LoadParameters(ProfilePath("roundtrip")));
    EXPECT_FALSE(CSPToolBar::m_bShowTooltips);
    EXPECT_FALSE(CSPToolBar::m_bShowShortcutKeys);
    EXPECT_TRUE(CSPToolBar::IsLargeIcons());
    EXPECT_EQ(CSize(46, 44), CSPToolBar::m_sizeCurButton);
    EXPECT_EQ(2, CSPToolBar::m_nMenuAnimation);
    EXPECT_FALSE(CSPToolBar::m_bRecentlyUsedMenus);
    EXPECT_FALSE(CSPToolBar::m_bMenuShadows);
    EXPECT_FALSE(CSPToolBar::m_bShowAllMenusAfterDelay);
    EXPECT_TRUE(CSPToolBar::IsLook2000());
    EXPECT_EQ(2u, CSPToolBar::m_UsageCount.GetCount(ID_OPEN));
    EXPECT_EQ(3u, CSPToolBar::m_UsageCount.GetTotalUsage());

    CSPToolBar::m_bMenuShadows = CSPToolBar::m_bRecentlyUsedMenus = CSPToolBar::m_bShowAllMenusAfterDelay = TRUE;
    CSPToolBar::m_nMenuAnimation = 0;
    CSPToolBar::SetLook2000(FALSE);
}

TEST_F(ToolbarStateTest, LoadingStopsAtTheFirstMissingValue) {
    const CString key = ParametersKey("partial");
    WriteDword(key, "Tooltips", 0);
    WriteDword(key, "ShortcutKeys", 0);
    WriteDword(key, "LargeIcons", 0);
    // No "MenuAnimation": what follows it is not read even when present.
    WriteDword(key, "RecentlyUsedMenus", 0);
    WriteDword(key, "Look2000", 1);
    CSPToolBar::m_nMenuAnimation = 3;
    CSPToolBar::SetLook2000(TRUE);

    EXPECT_FALSE(CSPToolBar::LoadParameters(ProfilePath("partial")));
    EXPECT_FALSE(CSPToolBar::m_bShowTooltips);
    EXPECT_FALSE(CSPToolBar::m_bShowShortcutKeys);
    EXPECT_TRUE(CSPToolBar::m_bRecentlyUsedMenus);
    EXPECT_EQ(0, CSPToolBar::m_nMenuAnimation);
    EXPECT_FALSE(CSPToolBar::IsLook2000());

    // A missing key changes nothing.
    CSPToolBar::m_bShowTooltips = TRUE;
    EXPECT_FALSE(CSPToolBar::LoadParameters(ProfilePath("never-saved")));
    EXPECT_TRUE(CSPToolBar::m_bShowTooltips);
}

TEST_F(ToolbarStateTest, DamagedUsageCountsAddNothing) {
    CSPToolBar::m_UsageCount.AddCmd(ID_SAVE);
    ASSERT_TRUE(CSPToolBar::SaveParameters(ProfilePath("damaged")));
    // A total, then a map count of 5 with only one entry behind it.
    const BYTE damaged[] = {9, 0, 0, 0, 5, 0, 101, 0, 0, 0, 4, 0, 0, 0};
    WriteBinary(ParametersKey("damaged"), "CommandsUsage", damaged, sizeof(damaged));
    CSPToolBar::m_UsageCount.Reset();

    EXPECT_FALSE(CSPToolBar::LoadParameters(ProfilePath("damaged")));
    EXPECT_EQ(0u, CSPToolBar::m_UsageCount.GetTotalUsage());
    EXPECT_EQ(0u, CSPToolBar::m_UsageCount.GetCount(ID_OPEN));
}

TEST_F(ToolbarStateTest, CustomizeModeSwitchesEveryBarOnce) {
    CSPToolBar* pFirst = NewBar(1001);
    NewBar(1002);
    EXPECT_TRUE(CSPToolBar::SetCustomizeMode(TRUE));
    EXPECT_TRUE(CSPToolBar::IsCustomizeMode());
    EXPECT_FALSE(CSPToolBar::SetCustomizeMode(TRUE));
    CSPToolBar::m_pSelToolbar = pFirst;
    EXPECT_TRUE(CSPToolBar::SetCustomizeMode(FALSE));
    EXPECT_EQ(NULL, CSPToolBar::m_pSelToolbar);
}

namespace {
// A bar that destroys a neighbour when it is switched.
class CDestroyingBar : public CSPToolBar {
public:
    CSPToolBar* pVictim = NULL;
    int nCalls = 0;
    BOOL OnCustomizeMode(BOOL bSet) override {
        nCalls++;
        if (pVictim != NULL && pVictim->GetSafeHwnd() != NULL) pVictim->DestroyWindow();
        return CSPToolBar::OnCustomizeMode(bSet);
    }
};
class CCountingBar : public CSPToolBar {
public:
    int nCalls = 0;
    BOOL OnCustomizeMode(BOOL bSet) override {
        nCalls++;
        return CSPToolBar::OnCustomizeMode(bSet);
    }
};
}  // namespace

TEST_F(ToolbarStateTest, ABarDestroyedDuringTheSwitchRestartsThePass) {
    CDestroyingBar destroying;
    CCountingBar victim, last;
    ASSERT_TRUE(destroying.Create(frame, WS_CHILD | CBRS_TOP, 1001));
    ASSERT_TRUE(victim.Create(frame, WS_CHILD | CBRS_TOP, 1002));
    ASSERT_TRUE(last.Create(frame, WS_CHILD | CBRS_TOP, 1003));
    destroying.pVictim = &victim;

    EXPECT_TRUE(CSPToolBar::SetCustomizeMode(TRUE));
    EXPECT_EQ(0, victim.nCalls);
    EXPECT_EQ(1, last.nCalls);
    EXPECT_EQ(2, destroying.nCalls);  // called again by the restarted pass
    EXPECT_EQ(NULL, CSPToolBar::GetAllToolbars().Find(&victim));
    CSPToolBar::SetCustomizeMode(FALSE);
}

TEST_F(ToolbarStateTest, RarelyUsedCommands) {
    // Without basic commands nothing is rarely used.
    EXPECT_FALSE(CSPToolBar::IsCommandRarelyUsed(ID_OPEN));
    CSPToolBar::AddBasicCommand(ID_OPEN);
    CSPToolBar::AddBasicCommand(ID_OPEN);
    for (int i = 0; i < 20; i++) CSPToolBar::AddCommandUsage(ID_SAVE);
    EXPECT_FALSE(CSPToolBar::IsCommandRarelyUsed(ID_OPEN));   // basic
    EXPECT_FALSE(CSPToolBar::IsCommandRarelyUsed(ID_SAVE));   // frequent
    EXPECT_TRUE(CSPToolBar::IsCommandRarelyUsed(ID_PRINT));   // never used
    for (UINT id : {0u, 0xFFFFFFFFu, 0xE110u, 0xF000u, 0xFF00u, 0xE210u})
        EXPECT_FALSE(CSPToolBar::IsCommandRarelyUsed(id)) << id;
    g_bCustomizeMode = TRUE;
    EXPECT_FALSE(CSPToolBar::IsCommandRarelyUsed(ID_PRINT));
    g_bCustomizeMode = FALSE;

    EXPECT_FALSE(CSPToolBar::SetCommandUsageOptions(10, 100));
    EXPECT_EQ(5u, CSPCmdUsageCount::m_nMinUsagePercentage);
}

TEST_F(ToolbarStateTest, SizesNeverFallBelowOnePixel) {
    EXPECT_EQ(CSize(23, 22), CSPToolBar::GetMenuButtonSize());
    EXPECT_EQ(CSize(16, 15), CSPToolBar::GetMenuImageSize());
    CSPToolBar::SetSizes(CSize(0, -5), CSize(-1, 0));
    EXPECT_EQ(CSize(1, 1), CSPToolBar::m_sizeButton);
    EXPECT_EQ(CSize(1, 1), CSPToolBar::m_sizeImage);
    // A bar laid out at such sizes still ends.
    CSPToolBar* pBar = NewBar();
    ASSERT_TRUE(pBar->LoadToolBar(IDR_MAIN));
    CSPToolBar::SetSizes(CSize(0, 0), CSize(0, 0));
    EXPECT_GE(pBar->SizeToolBar(5), 1);
}

TEST_F(ToolbarStateTest, UserImagesMustMatchTheSharedSize) {
    CSPButtonImages images;
    EXPECT_FALSE(CSPToolBar::SetUserImages(&images));  // empty
    ASSERT_TRUE(images.Load(IDR_SECOND, AfxGetResourceHandle(), TRUE));
    images.SetImageSize(CSize(20, 20));
    EXPECT_FALSE(CSPToolBar::SetUserImages(&images));
    images.SetImageSize(CSize(16, 15));
    EXPECT_TRUE(CSPToolBar::SetUserImages(&images));
    CSPToolBar::m_pUserImages = NULL;
}
