// The temporary state store: states parked in self-deleting files, loaded
// any number of times, replaced and removed, and failures that leave no
// stale entry behind.
#include "SPTempStateStore.h"

#include "TestFiles.h"
#include "managers_support.h"

using namespace mgrtest;

namespace {

// A bar as the store sees it: a button count and a Serialize.
class CFakeBar : public CObject {
public:
    int m_nCount = 0;
    CString m_strState;
    BOOL m_bFailStore = FALSE;
    int GetCount() const { return m_nCount; }
    void Serialize(CArchive& ar) override {
        if (ar.IsStoring()) {
            ar << m_nCount << m_strState;
            if (m_bFailStore) AfxThrowArchiveException(CArchiveException::generic);
        } else {
            ar >> m_nCount >> m_strState;
        }
    }
};

class TempStateStoreTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_strFolder = TempFolder();
        CSPTempStateStore::s_strFolder = m_strFolder;
    }
    void TearDown() override {
        CSPTempStateStore::s_strFolder.Empty();
        RemoveTree((LPCTSTR)m_strFolder);  // with whatever a failed test left in it
    }
    int Files() const { return CountFiles(m_strFolder, "S*.tmp"); }
    CString m_strFolder;
};

TEST_F(TempStateStoreTest, SavedStateLoadsTwiceAndIsReplacedAndRemoved) {
    CSPTempStateStore store;
    CFakeBar bar;
    bar.m_nCount = 3;
    bar.m_strState = "first";
    ASSERT_TRUE(store.SaveState(7, &bar));
    EXPECT_EQ(1, Files());

    // Saving twice under one id leaves one file, holding the second state.
    bar.m_strState = "second";
    bar.m_nCount = 4;
    ASSERT_TRUE(store.SaveState(7, &bar));
    EXPECT_EQ(1, Files());

    for (int i = 0; i < 2; i++) {
        CFakeBar loaded;
        ASSERT_TRUE(store.LoadState(7, &loaded)) << "load " << i;
        EXPECT_EQ("second", loaded.m_strState);
        EXPECT_EQ(4, loaded.m_nCount);
    }

    EXPECT_TRUE(store.RemoveState(7));
    EXPECT_EQ(0, Files());
    CFakeBar after;
    EXPECT_FALSE(store.LoadState(7, &after));
    EXPECT_FALSE(store.RemoveState(7));
}

TEST_F(TempStateStoreTest, EmptyBarAndUnknownIdAreRefused) {
    CSPTempStateStore store;
    CFakeBar empty;
    EXPECT_FALSE(store.SaveState(1, &empty));
    EXPECT_EQ(0, Files());
    EXPECT_FALSE(store.LoadState(1, &empty));
    EXPECT_FALSE(store.RemoveState(1));
}

TEST_F(TempStateStoreTest, IdsKeepSeparateStates) {
    CSPTempStateStore store;
    CFakeBar a, b;
    a.m_nCount = 1;
    a.m_strState = "a";
    b.m_nCount = 2;
    b.m_strState = "b";
    // 0x1 and 0x111 share a bucket of the map (0 and 17, modulo 17).
    ASSERT_TRUE(store.SaveState(0x1, &a));
    ASSERT_TRUE(store.SaveState(0x111, &b));
    CFakeBar got;
    ASSERT_TRUE(store.LoadState(0x1, &got));
    EXPECT_EQ("a", got.m_strState);
    ASSERT_TRUE(store.LoadState(0x111, &got));
    EXPECT_EQ("b", got.m_strState);
    store.RemoveState(0x1);
    store.RemoveState(0x111);
    EXPECT_EQ(0, Files());
}

// A Serialize that fails must not leave the old, closed handle under the
// id, nor keep the new file open.
TEST_F(TempStateStoreTest, FailedSaveLeavesNoStateAndNoFile) {
    CSPTempStateStore store;
    CFakeBar bar;
    bar.m_nCount = 2;
    bar.m_strState = "good";
    ASSERT_TRUE(store.SaveState(5, &bar));

    bar.m_bFailStore = TRUE;
    EXPECT_FALSE(store.SaveState(5, &bar));
    EXPECT_EQ(0, Files());
    CFakeBar loaded;
    EXPECT_FALSE(store.LoadState(5, &loaded));
    EXPECT_FALSE(store.RemoveState(5));

    // A failed create (a folder that does not exist) behaves the same way.
    bar.m_bFailStore = FALSE;
    ASSERT_TRUE(store.SaveState(6, &bar));
    CSPTempStateStore::s_strFolder = m_strFolder + "missing\\";
    EXPECT_FALSE(store.SaveState(6, &bar));
    CSPTempStateStore::s_strFolder = m_strFolder;
    EXPECT_FALSE(store.LoadState(6, &loaded));
    EXPECT_EQ(0, Files());
}

// Reading a state into a bar whose Serialize reads more than was stored
// fails cleanly.
TEST_F(TempStateStoreTest, ShortStateFailsToLoad) {
    class CLongBar : public CFakeBar {
    public:
        void Serialize(CArchive& ar) override {
            CFakeBar::Serialize(ar);
            if (ar.IsLoading()) ar >> m_nMore;
        }
        int m_nMore = 0;
    };
    CSPTempStateStore store;
    CFakeBar bar;
    bar.m_nCount = 1;
    ASSERT_TRUE(store.SaveState(9, &bar));
    CLongBar longBar;
    EXPECT_FALSE(store.LoadState(9, &longBar));
    // The state is still there for a bar that reads it correctly.
    CFakeBar again;
    EXPECT_TRUE(store.LoadState(9, &again));
    store.RemoveState(9);
}

TEST_F(TempStateStoreTest, RemoveAllClosesEveryFile) {
    CSPTempStateStore store;
    CFakeBar bar;
    bar.m_nCount = 1;
    for (UINT id = 1; id <= 20; id++) ASSERT_TRUE(store.SaveState(id * 16, &bar));
    EXPECT_EQ(20, Files());
    store.RemoveAll();
    EXPECT_EQ(0, Files());
    EXPECT_FALSE(store.LoadState(16, &bar));
    EXPECT_TRUE(store.SaveState(16, &bar));  // usable again
    store.RemoveAll();
}

}  // namespace

#include "SPCommandManager.h"
#include "SPGlobalData.h"

namespace {

// The library's clean-up closes the parked states and forgets the command
// images.
TEST_F(TempStateStoreTest, LibraryCleanUpClearsTheStoreAndCommandImages) {
    CFakeBar bar;
    bar.m_nCount = 1;
    ASSERT_TRUE(spTempStateStore.SaveState(3, &bar));
    SPGetCommandManager()->SetCmdImage(0x500, 4, FALSE);
    EXPECT_EQ(1, Files());

    SPCleanUpGlobals();
    EXPECT_EQ(0, Files());
    EXPECT_FALSE(spTempStateStore.LoadState(3, &bar));
    EXPECT_EQ(-1, SPGetCommandManager()->GetCmdImage(0x500, FALSE));
}

}  // namespace
