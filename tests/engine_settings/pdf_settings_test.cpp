// The conversion options in profile section "Config": defaults of a new
// profile, text forms of the numbers, and the save flag.
#include "PdfSettings.h"

#include <gtest/gtest.h>

#include "TestRegistry.h"

namespace {

class CSettingsTestApp : public CWinApp {
public:
    CSettingsTestApp() : CWinApp("SettingsTests") {}
    void UseKey(LPCTSTR key) { SetRegistryKey(key); }
};
CSettingsTestApp theApp;

const char kConfigKey[] = "Software\\TomewiseTests\\SettingsTests\\Config";

class PdfSettingsTest : public ::testing::Test {
protected:
    void SetUp() override {
        theApp.UseKey("TomewiseTests");
        DeleteRegTree("Software\\TomewiseTests\\SettingsTests");
    }
    static CString Stored(LPCTSTR name) { return ReadRegString(kConfigKey, name).c_str(); }
    static int CountValues() { return CountRegValues(kConfigKey); }
};

TEST_F(PdfSettingsTest, EmptyProfileGivesDefaults) {
    CPdfSettings s;
    s.Load();
    EXPECT_DOUBLE_EQ(s.m_dMarginLeft, 0.5);
    EXPECT_DOUBLE_EQ(s.m_dMarginTop, 0.5);
    EXPECT_DOUBLE_EQ(s.m_dMarginRight, 0.5);
    EXPECT_DOUBLE_EQ(s.m_dMarginBottom, 0.5);
    EXPECT_DOUBLE_EQ(s.m_dPageWidth, 0.0);
    EXPECT_DOUBLE_EQ(s.m_dPageHeight, 0.0);
    EXPECT_STREQ(s.m_strPageSize, "A4");
    EXPECT_EQ(s.m_nPageSizeUnit, 0);
    EXPECT_EQ(s.m_nOrientation, 0);
    EXPECT_EQ(s.m_nOpenPdf, 1);
    EXPECT_EQ(s.m_nHeaderSeperator, 0);
    EXPECT_TRUE(s.m_strAuthor.IsEmpty());
    char temp[1024];
    GetTempPathA(sizeof(temp), temp);
    EXPECT_STREQ(s.m_strTempDir, temp);
    EXPECT_EQ(CountValues(), 0);  // loading writes nothing
}

TEST_F(PdfSettingsTest, SaveWritesTextForms) {
    CPdfSettings s;
    s.Load();
    s.m_bSave = 1;
    s.m_dMarginLeft = 1;
    s.m_dPageWidth = 21.5;
    s.m_dMarginTop = 1e30;  // "%f" of a huge value: hundreds of digits
    s.m_strTitle = "Manual";
    s.m_nOrientation = 1;
    s.Save();
    EXPECT_STREQ(Stored("MarginLeft"), "1.000000");
    EXPECT_STREQ(Stored("PageWidth"), "21.500000");
    EXPECT_STREQ(Stored("Title"), "Manual");
    EXPECT_EQ(CountValues(), 24);

    CPdfSettings back;
    back.Load();
    EXPECT_DOUBLE_EQ(back.m_dMarginLeft, 1.0);
    EXPECT_DOUBLE_EQ(back.m_dMarginTop, 1e30);
    EXPECT_EQ(back.m_nOrientation, 1);
    EXPECT_STREQ(back.m_strTitle, "Manual");
}

TEST_F(PdfSettingsTest, NonNumericMarginReadsZero) {
    AfxGetApp()->WriteProfileString("Config", "MarginRight", "abc");
    AfxGetApp()->WriteProfileString("Config", "PageHeight", "");
    CPdfSettings s;
    s.Load();
    EXPECT_DOUBLE_EQ(s.m_dMarginRight, 0.0);
    EXPECT_DOUBLE_EQ(s.m_dPageHeight, 0.0);
    EXPECT_DOUBLE_EQ(s.m_dMarginLeft, 0.5);
}

TEST_F(PdfSettingsTest, WithoutSaveFlagProfileIsUntouched) {
    CPdfSettings s;
    s.Load();
    s.m_strTitle = "One conversion only";
    s.Save();
    EXPECT_EQ(CountValues(), 0);
}

}  // namespace
