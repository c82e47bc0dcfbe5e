// The application object: profile calls, AfxMessageBox, the resource chain,
// the recent-file list and AfxWinMain's exit code.
#include "test_app.h"
#include <gtest/gtest.h>

#include "TestRegistry.h"

namespace {

const TCHAR kKey[] = _T("TomewiseAfxWinTests");

class ProfileTest : public ::testing::Test {
protected:
    void SetUp() override {
        DeleteRegTree(CString(_T("Software\\")) + kKey);
        m_oldKey = theTestApp.m_pszRegistryKey ? theTestApp.m_pszRegistryKey : _T("");
        theTestApp.SetRegistryKey(kKey);
    }
    void TearDown() override {
        DeleteRegTree(CString(_T("Software\\")) + kKey);
        free((void*)theTestApp.m_pszRegistryKey);
        theTestApp.m_pszRegistryKey = NULL;
    }
    CString m_oldKey;
};

TEST_F(ProfileTest, ValuesLiveUnderSoftwareKeyProfileSection) {
    EXPECT_STREQ(theTestApp.m_pszProfileName, _T("AfxWinTests"));
    ASSERT_TRUE(theTestApp.WriteProfileString(_T("Config"), _T("Name"), _T("value one")));
    ASSERT_TRUE(theTestApp.WriteProfileInt(_T("Config"), _T("Count"), -7));

    const char kConfig[] = "Software\\TomewiseAfxWinTests\\AfxWinTests\\Config";
    ASSERT_TRUE(RegKeyExists(kConfig));
    EXPECT_EQ(ReadRegDword(kConfig, "Count"), (DWORD)-7);
    EXPECT_EQ(ReadRegString(kConfig, "Name"), "value one");

    EXPECT_EQ(theTestApp.GetProfileString(_T("Config"), _T("Name"), _T("x")), CString(_T("value one")));
    EXPECT_EQ((int)theTestApp.GetProfileInt(_T("Config"), _T("Count"), 3), -7);
    EXPECT_EQ(theTestApp.GetProfileString(_T("Config"), _T("Missing"), _T("dflt")), CString(_T("dflt")));
    EXPECT_EQ(theTestApp.GetProfileInt(_T("Nowhere"), _T("Count"), 42), 42u);
}

TEST_F(ProfileTest, WrongTypeOrSizeReadsAsMissing) {
    HKEY hSection = theTestApp.GetSectionKey(_T("Config"));
    ASSERT_NE(hSection, (HKEY)NULL);
    DWORD dw = 5;
    ::RegSetValueEx(hSection, _T("IntAsString"), 0, REG_DWORD, (BYTE*)&dw, sizeof(dw));
    ::RegSetValueEx(hSection, _T("StringAsInt"), 0, REG_SZ, (const BYTE*)"12", 3);
    ::RegSetValueEx(hSection, _T("ShortInt"), 0, REG_DWORD, (BYTE*)&dw, 2);
    ::RegSetValueEx(hSection, _T("Binary"), 0, REG_BINARY, (const BYTE*)"ab", 2);
    // a string stored without its terminating NUL still reads whole
    ::RegSetValueEx(hSection, _T("NoNul"), 0, REG_SZ, (const BYTE*)"abc", 3);
    ::RegCloseKey(hSection);

    EXPECT_EQ(theTestApp.GetProfileString(_T("Config"), _T("IntAsString"), _T("d")), CString(_T("d")));
    EXPECT_EQ(theTestApp.GetProfileInt(_T("Config"), _T("StringAsInt"), 9), 9u);
    EXPECT_EQ(theTestApp.GetProfileInt(_T("Config"), _T("ShortInt"), 9), 9u);
    EXPECT_EQ(theTestApp.GetProfileString(_T("Config"), _T("Binary"), _T("d")), CString(_T("d")));
    EXPECT_EQ(theTestApp.GetProfileString(_T("Config"), _T("NoNul"), _T("d")), CString(_T("abc")));
}

TEST_F(ProfileTest, NullEntryRemovesSectionNullValueRemovesEntry) {
    theTestApp.WriteProfileString(_T("S"), _T("A"), _T("1"));
    theTestApp.WriteProfileString(_T("S"), _T("B"), _T("2"));
    EXPECT_TRUE(theTestApp.WriteProfileString(_T("S"), _T("A"), NULL));
    EXPECT_EQ(theTestApp.GetProfileString(_T("S"), _T("A"), _T("gone")), CString(_T("gone")));
    EXPECT_EQ(theTestApp.GetProfileString(_T("S"), _T("B")), CString(_T("2")));
    EXPECT_TRUE(theTestApp.WriteProfileString(_T("S"), NULL, NULL));
    EXPECT_EQ(theTestApp.GetProfileString(_T("S"), _T("B"), _T("gone")), CString(_T("gone")));
}

TEST_F(ProfileTest, RecentFileListRoundTripsThroughProfile) {
    CRecentFileList list(ID_FILE_MRU_FILE1, _T("Recent File List"), _T("File%d"), 4);
    list.Add(_T("C:\\docs\\a.chm"));
    list.Add(_T("C:\\docs\\b.chm"));
    list.Add(_T("c:\\DOCS\\A.chm"));  // the same file moves to the top
    EXPECT_EQ(list[0].CompareNoCase(_T("C:\\docs\\a.chm")), 0);
    EXPECT_EQ(list[1], CString(_T("C:\\docs\\b.chm")));
    EXPECT_TRUE(list[2].IsEmpty());
    list.WriteList();
    EXPECT_EQ(theTestApp.GetProfileString(_T("Recent File List"), _T("File2")), CString(_T("C:\\docs\\b.chm")));

    CRecentFileList other(ID_FILE_MRU_FILE1, _T("Recent File List"), _T("File%d"), 4);
    other.ReadList();
    EXPECT_EQ(other[1], CString(_T("C:\\docs\\b.chm")));

    CString strName;
    EXPECT_TRUE(other.GetDisplayName(strName, 1, _T("C:\\docs\\"), 8));
    EXPECT_EQ(strName, CString(_T("b.chm")));
    EXPECT_TRUE(other.GetDisplayName(strName, 1, _T("C:\\other\\"), 9));
    EXPECT_EQ(strName, CString(_T("C:\\docs\\b.chm")));
    EXPECT_FALSE(other.GetDisplayName(strName, 3, _T("C:\\docs\\"), 8));

    CRecentFileList shortList(ID_FILE_MRU_FILE1, _T("R"), _T("File%d"), 2, 20);
    shortList.Add(_T("C:\\a very long folder\\second level\\name.chm"));
    EXPECT_TRUE(shortList.GetDisplayName(strName, 0, _T("C:\\"), 3));
    EXPECT_LE(strName.GetLength(), 20);
    EXPECT_EQ(strName.Right(9), CString(_T("\\name.chm")));
    EXPECT_EQ(strName.Left(6), CString(_T("C:\\...")));
}

TEST(AppTest, MessageBoxHookSeesTextAndAnswers) {
    MessageBoxRecorder rec(IDNO);
    EXPECT_EQ(AfxMessageBox(_T("Delete it?"), MB_YESNO), IDNO);
    ASSERT_EQ(rec.texts.size(), 1u);
    EXPECT_EQ(rec.texts[0], "Delete it?");
    // by string id: the layer's own strings
    rec.answer = IDOK;
    EXPECT_EQ(AfxMessageBox(AFX_IDP_PARSE_INT), IDOK);
    ASSERT_EQ(rec.texts.size(), 2u);
    EXPECT_EQ(rec.texts[1], "Please enter an integer.");
}

TEST(AppTest, StandardStringsAndResourceChain) {
    CString str;
    EXPECT_TRUE(str.LoadString(AFX_IDS_IDLEMESSAGE));
    EXPECT_EQ(str, CString(_T("Ready")));
    EXPECT_EQ(AfxGetInstanceHandle(), ::GetModuleHandle(NULL));
    EXPECT_EQ(AfxGetResourceHandle(), ::GetModuleHandle(NULL));
    // a resource module without the string: the chain falls back to the exe
    HINSTANCE hUser = ::GetModuleHandle(_T("user32.dll"));
    AfxSetResourceHandle(hUser);
    EXPECT_EQ(AfxGetResourceHandle(), hUser);
    EXPECT_TRUE(str.LoadString(AFX_IDS_IDLEMESSAGE));
    EXPECT_EQ(str, CString(_T("Ready")));
    AfxSetResourceHandle(NULL);
    EXPECT_EQ(AfxGetResourceHandle(), ::GetModuleHandle(NULL));
}

TEST(AppTest, CommandLineParsing) {
    struct Case {
        std::vector<std::pair<const char*, bool>> params;
        int nCommand;
        const char* file;
    } cases[] = {
        {{}, CCommandLineInfo::FileNew, ""},
        {{{"book.chm", false}}, CCommandLineInfo::FileOpen, "book.chm"},
        {{{"Embedding", true}}, CCommandLineInfo::FileNothing, ""},
        {{{"p", true}, {"x.chm", false}}, CCommandLineInfo::FilePrint, "x.chm"},
    };
    for (const Case& c : cases) {
        CCommandLineInfo info;
        for (size_t i = 0; i < c.params.size(); i++)
            info.ParseParam(c.params[i].first, c.params[i].second, i + 1 == c.params.size());
        if (c.params.empty()) info.ParseParam("", TRUE, TRUE);
        EXPECT_EQ((int)info.m_nShellCommand, c.nCommand);
        EXPECT_EQ(info.m_strFileName, CString(c.file));
    }
}

// An application whose start fails.
class CFailingApp : public CWinApp {
public:
    BOOL InitInstance() override { return FALSE; }
    int ExitInstance() override {
        m_bSawFailure = m_bInitFailed;
        return CWinApp::ExitInstance();
    }
    BOOL m_bSawFailure = FALSE;
};

TEST(AppTest, FailedStartEndsWithFailureCode) {
    CFailingApp app;  // becomes the application for the moment
    int nCode = AfxWinMain(::GetModuleHandle(NULL), NULL, (LPTSTR) "", SW_HIDE);
    EXPECT_NE(nCode, 0);
    EXPECT_TRUE(app.m_bSawFailure);
}

}  // namespace
