// Toolbars saved in and loaded from the registry: round trips, damaged
// values, the workspace version's floating width and the merge with a
// changed toolbar resource.
#include "toolbar_support.h"

#include "SPRegistry.h"

using namespace tbtest;

namespace {

std::vector<UINT> Ids(const CSPToolBar* pBar) {
    std::vector<UINT> ids;
    for (int i = 0; i < pBar->GetCount(); i++) ids.push_back(pBar->GetItemID(i));
    return ids;
}

const std::vector<UINT> kMainIds = {ID_OPEN, ID_SAVE, 0, ID_PRINT, 0, ID_NOSHORT};

CString StateKey(LPCTSTR profile, UINT nID = AFX_IDW_TOOLBAR) {
    CString key;
    key.Format("%sSToolBar-%d", (LPCTSTR)ProfilePath(profile), nID);
    return key;
}

std::vector<BYTE> ReadButtons(LPCTSTR profile) {
    CSPRegistry reg(FALSE, TRUE);
    BYTE* pData = NULL;
    UINT nBytes = 0;
    std::vector<BYTE> bytes;
    if (reg.Open(StateKey(profile)) && reg.Read(_T("Buttons"), &pData, &nBytes)) bytes.assign(pData, pData + nBytes);
    delete[] pData;
    return bytes;
}

void WriteButtons(LPCTSTR profile, const std::vector<BYTE>& bytes) {
    CSPRegistry reg(FALSE, FALSE);
    ASSERT_TRUE(reg.CreateKey(StateKey(profile)));
    ASSERT_TRUE(reg.Write(_T("Buttons"), (LPBYTE)bytes.data(), (UINT)bytes.size()));
}

// A "Buttons" value written by hand: the base's two DWORDs, then what the
// body writes into the archive.
template <class Body>
std::vector<BYTE> MakeButtons(Body body) {
    return ArchiveBytes([&](CArchive& ar) {
        ar << (DWORD)CBRS_ALIGN_TOP << (DWORD)1;
        body(ar);
    });
}

class ToolbarPersistTest : public ToolbarTest {
protected:
    void SetUp() override {
        ToolbarTest::SetUp();
        ::RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\TomewiseTests\\uilib_toolbars");
    }
};

}  // namespace

TEST_F(ToolbarPersistTest, RoundTripKeepsButtonsLabelsAndNameButNotCheckedOrPressed) {
    CSPToolBar* pBar = MainBar();
    ASSERT_TRUE(pBar->RemoveButton(1));  // Save
    pBar->SetButtonStyle(0, TBBS_CHECKBOX | TBBS_CHECKED);
    pBar->SetButtonStyle(2, TBBS_PRESSED);
    pBar->SetButtonText(2, "Print it");
    pBar->EnableTextLabels(TRUE);
    pBar->SetWindowText("Standard");
    ASSERT_TRUE(pBar->SaveState(ProfilePath("round")));

    CSPToolBar* pLoaded = NewBar();
    ASSERT_TRUE(pLoaded->LoadToolBar(IDR_MAIN));
    pLoaded->LoadState(ProfilePath("round"));
    EXPECT_EQ(Ids(pLoaded), (std::vector<UINT>{ID_OPEN, 0, ID_PRINT, 0, ID_NOSHORT}));
    EXPECT_EQ(pLoaded->GetButtonStyle(0), (UINT)TBBS_CHECKBOX);
    EXPECT_EQ(pLoaded->GetButtonStyle(2) & TBBS_PRESSED, 0u);
    EXPECT_EQ(pLoaded->GetButtonText(2), "Print it");
    CString name;
    pLoaded->GetWindowText(name);
    EXPECT_EQ(name, "Standard");

    CSPRegistry reg(FALSE, TRUE);
    ASSERT_TRUE(reg.Open(StateKey("round")));
    CString stored;
    EXPECT_TRUE(reg.Read(_T("Name"), stored));
    EXPECT_EQ(stored, "Standard");
    EXPECT_TRUE(pLoaded->RemoveStateFromRegistry(ProfilePath("round")));
    EXPECT_FALSE(pLoaded->LoadState(ProfilePath("round")));
}

TEST_F(ToolbarPersistTest, MissingStateLeavesTheBarAsItIs) {
    CSPToolBar* pBar = MainBar();
    EXPECT_FALSE(pBar->LoadState(ProfilePath("nothing")));
    EXPECT_EQ(Ids(pBar), kMainIds);
    CSPRegistry reg(FALSE, FALSE);
    ASSERT_TRUE(reg.CreateKey(StateKey("nobuttons")));  // key without "Buttons"
    EXPECT_FALSE(pBar->LoadState(ProfilePath("nobuttons")));
    EXPECT_EQ(Ids(pBar), kMainIds);
}

// Every prefix of a good value, and values naming nothing, a foreign class
// or absurd counts, bring back the resource buttons without a crash.
TEST_F(ToolbarPersistTest, DamagedButtonsValueReturnsToTheResourceButtons) {
    CSPToolBar* pBar = MainBar();
    pBar->RemoveButton(0);
    pBar->InsertButtonCopy(CSPToolbarButton(ID_EXPORT, -1, "Export"), -1);
    ASSERT_TRUE(pBar->SaveState(ProfilePath("good")));
    const std::vector<BYTE> good = ReadButtons("good");
    ASSERT_GT(good.size(), 16u);

    std::vector<std::vector<BYTE>> damaged;
    // Cut inside the button list (after the base's 8 bytes, before the
    // text-labels flag and the name).
    for (size_t n = 9; n + 9 < good.size(); n++) damaged.push_back(std::vector<BYTE>(good.begin(), good.begin() + n));
    damaged.push_back(MakeButtons([](CArchive& ar) {
        ar.WriteCount(2);
        CSPToolbarButton button(ID_OPEN, 0);
        ar.WriteObject(&button);
        ar.WriteObject(NULL);
        ar << (DWORD)0 << CString("x");
    }));
    damaged.push_back(MakeButtons([](CArchive& ar) {
        ar.WriteCount(1);
        CSPToolBar bar;  // a bar where a button belongs
        ar.WriteObject(&bar);
        ar << (DWORD)0 << CString("x");
    }));
    damaged.push_back(MakeButtons([](CArchive& ar) { ar.WriteCount(0x7FFFFFFF); }));
    std::vector<BYTE> foreign = MakeButtons([](CArchive& ar) {
        ar.WriteCount(1);
        CSPToolbarButton button(ID_OPEN, 0);
        ar.WriteObject(&button);
        ar << (DWORD)0 << CString("x");
    });
    const char* const kName = "CSPToolbarButton";
    auto it = std::search(foreign.begin(), foreign.end(), kName, kName + strlen(kName));
    ASSERT_NE(it, foreign.end());
    it[5] = 'X';  // a class nobody registered
    damaged.push_back(foreign);

    for (size_t i = 0; i < damaged.size(); i++) {
        SCOPED_TRACE(testing::Message() << "case " << i << ", " << damaged[i].size() << " bytes");
        pBar->RemoveAllButtons();
        pBar->InsertButtonCopy(CSPToolbarButton(ID_EXPORT, -1, "Export"), -1);
        WriteButtons("bad", damaged[i]);
        pBar->LoadState(ProfilePath("bad"));
        EXPECT_EQ(Ids(pBar), kMainIds);
    }
}

TEST_F(ToolbarPersistTest, NonPermittedCommandsLeaveEvenWhenStoredTwice) {
    CSPToolBar* pBar = MainBar();
    pBar->InsertButtonCopy(CSPToolbarButton(ID_PRINT, 2), -1);
    ASSERT_TRUE(pBar->SaveState(ProfilePath("twice")));
    CList<UINT, UINT> lst;
    lst.AddTail(ID_PRINT);
    CSPToolBar::SetNonPermittedCommands(lst);
    pBar->LoadState(ProfilePath("twice"));
    EXPECT_EQ(pBar->CommandToIndex(ID_PRINT), -1);
    EXPECT_NE(pBar->CommandToIndex(ID_OPEN), -1);
}

TEST_F(ToolbarPersistTest, LockedBarStoresOnlyTheBasePart) {
    CSPToolBar* pBar = NewBar();
    ASSERT_TRUE(pBar->LoadToolBar(IDR_SECOND, 0, 0, TRUE));
    ASSERT_TRUE(pBar->SaveState(ProfilePath("locked")));
    EXPECT_EQ(ReadButtons("locked").size(), 8u);
    pBar->RemoveButton(0);
    pBar->LoadState(ProfilePath("locked"));
    EXPECT_EQ(Ids(pBar), (std::vector<UINT>{ID_SECOND, 113}));
}

// The floating width travels only under a workspace of version 6.2 on; a
// value written under an unset version carries it but is read without it.
TEST_F(ToolbarPersistTest, FloatingWidthFollowsTheWorkspaceVersion) {
    struct Case {
        BOOL bWorkspace;
        int nMajor, nMinor;
        bool bWritten, bRead;
    } const cases[] = {
        {FALSE, 6, 3, false, false}, {TRUE, 6, 3, true, true},  {TRUE, 6, 1, false, false},
        {TRUE, 7, 0, false, false},  {TRUE, 7, 1, false, false}, {TRUE, -1, -1, true, false},
    };
    CSPToolBar* pBar = MainBar();
    ASSERT_TRUE(pBar->SaveState(ProfilePath("width")));
    const size_t nPlain = ReadButtons("width").size();
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.bWorkspace << " " << c.nMajor << "." << c.nMinor);
        CSPToolBar::SetWorkspaceState(c.bWorkspace, c.nMajor, c.nMinor);
        pBar->SetMRUWidth(123);
        ASSERT_TRUE(pBar->SaveState(ProfilePath("width")));
        EXPECT_EQ(ReadButtons("width").size(), nPlain + (c.bWritten ? 4 : 0));
        pBar->SetMRUWidth(7);
        pBar->RemoveButton(0);
        pBar->LoadState(ProfilePath("width"));
        EXPECT_EQ(Ids(pBar), kMainIds);
        // The base's own "MRUWidth" value brings the width back in any case;
        // the stored value must not have been misread as anything else.
        EXPECT_EQ(pBar->GetMRUWidth(), 123);
    }
}

// A command the application added to the toolbar resource after the user
// customised the bar arrives at its resource place; one it dropped leaves.
TEST_F(ToolbarPersistTest, MergesAChangedToolbarResource) {
    CSPToolBar::SetWorkspaceState(TRUE, 6, 3, TRUE);
    CSPToolBar* pOld = MainBar();
    ASSERT_TRUE(pOld->RemoveButton(1));  // the user removed Save
    ASSERT_TRUE(pOld->SaveState(ProfilePath("merge")));

    CSPToolBar* pSame = NewBar(AFX_IDW_TOOLBAR + 1);
    ASSERT_TRUE(pSame->LoadToolBar(IDR_MAIN));
    {
        CSPRegistry reg(FALSE, TRUE);
        ASSERT_TRUE(reg.Open(StateKey("merge")));
        EXPECT_FALSE(pSame->LoadOriginalState(reg));
        EXPECT_FALSE(pSame->IsResourceChanged());
    }

    CSPToolBar* pNew = NewBar(AFX_IDW_TOOLBAR + 2);
    ASSERT_TRUE(pNew->LoadToolBar(IDR_MAIN_CHANGED));
    EXPECT_FALSE(pNew->LoadState(ProfilePath("merge")));  // its own id has no key
    // The state is the first bar's: loaded by its index. Removing the
    // dropped command leaves no trailing separator, and the new one lands
    // at the end of the shorter bar.
    ASSERT_TRUE(pNew->LoadState(ProfilePath("merge"), AFX_IDW_TOOLBAR));
    EXPECT_EQ(Ids(pNew), (std::vector<UINT>{ID_OPEN, 0, ID_PRINT, ID_EXPORT}));
    EXPECT_TRUE(pNew->IsResourceChanged());
}

TEST_F(ToolbarPersistTest, DamagedOriginalItemsMergeNothing) {
    CSPToolBar::SetWorkspaceState(TRUE, 6, 3, TRUE);
    CSPToolBar* pBar = MainBar();
    pBar->RemoveButton(1);
    ASSERT_TRUE(pBar->SaveState(ProfilePath("origbad")));
    {
        CSPRegistry reg(FALSE, FALSE);
        ASSERT_TRUE(reg.Open(StateKey("origbad")));
        BYTE junk[] = {5, 0, 0xFF, 0xFF, 1, 0};
        ASSERT_TRUE(reg.Write(_T("OriginalItems"), junk, sizeof(junk)));
    }
    CSPToolBar* pNew = NewBar(AFX_IDW_TOOLBAR + 1);
    ASSERT_TRUE(pNew->LoadToolBar(IDR_MAIN_CHANGED));
    pNew->LoadState(ProfilePath("origbad"), AFX_IDW_TOOLBAR);
    EXPECT_EQ(Ids(pNew), (std::vector<UINT>{ID_OPEN, 0, ID_PRINT, 0, ID_NOSHORT}));
    EXPECT_FALSE(pNew->IsResourceChanged());
}
