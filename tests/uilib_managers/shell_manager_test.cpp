// The shell manager: item-id-list arithmetic on hand-made lists (NULL and
// empty lists included), paths to lists, and the folder browser behind its
// shell-call seam so that no dialog opens; the file property's folder mode
// browses through it.
#include "SPShellManager.h"
#include "SPProp.h"

#include "managers_support.h"

using namespace mgrtest;

namespace {

std::string Str(const CString& s) { return std::string((LPCTSTR)s); }

// An item-id list made from item payload sizes, each item's bytes filled
// with its index + 1 after the count; ended by the 16-bit zero.
std::vector<BYTE> MakeList(std::initializer_list<int> payloads) {
    Bytes b;
    int n = 0;
    for (int payload : payloads) {
        b.w((WORD)(payload + 2));
        for (int i = 0; i < payload; i++) b.b((BYTE)(n + 1));
        n++;
    }
    b.w(0);
    return b.v;
}

LPCITEMIDLIST AsList(const std::vector<BYTE>& v) { return (LPCITEMIDLIST)v.data(); }

std::vector<BYTE> ListBytes(CSPShellManager& shell, LPCITEMIDLIST pidl) {
    const BYTE* p = (const BYTE*)pidl;
    return std::vector<BYTE>(p, p + shell.GetItemSize(pidl));
}

TEST(ShellManagerTest, ProcessWideInstance) {
    {
        CSPShellManager shell;
        EXPECT_EQ(&shell, g_pShellManager);
    }
    EXPECT_EQ(NULL, g_pShellManager);
}

TEST(ShellManagerTest, ItemListArithmetic) {
    CSPShellManager shell;
    const std::vector<BYTE> empty = MakeList({}), one = MakeList({3}), three = MakeList({1, 4, 2});
    struct Case {
        const char* what;
        LPCITEMIDLIST pidl;
        UINT count, size;
    } cases[] = {
        {"NULL", NULL, 0, 0},
        {"empty", AsList(empty), 0, 2},
        {"one", AsList(one), 1, 7},
        {"three", AsList(three), 3, 3 + 6 + 4 + 2},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.count, shell.GetItemCount(c.pidl)) << c.what;
        EXPECT_EQ(c.size, shell.GetItemSize(c.pidl)) << c.what;
        LPITEMIDLIST pidlCopy = shell.CopyItem(c.pidl);
        EXPECT_EQ(c.pidl == NULL, pidlCopy == NULL) << c.what;
        if (pidlCopy != NULL) {
            EXPECT_NE((LPCITEMIDLIST)pidlCopy, c.pidl);
            EXPECT_EQ(std::vector<BYTE>((const BYTE*)c.pidl, (const BYTE*)c.pidl + c.size),
                      ListBytes(shell, pidlCopy)) << c.what;
        }
        shell.FreeItem(pidlCopy);
    }
    // Walking stops at the terminator instead of standing on it.
    EXPECT_EQ(NULL, shell.GetNextItem(NULL));
    EXPECT_EQ(NULL, shell.GetNextItem(AsList(empty)));
    LPCITEMIDLIST p = shell.GetNextItem(AsList(three));
    EXPECT_EQ(three.data() + 3, (const BYTE*)p);
    p = shell.GetNextItem(shell.GetNextItem(p));
    EXPECT_EQ(three.data() + 13, (const BYTE*)p);
    EXPECT_EQ(NULL, shell.GetNextItem(p));
    shell.FreeItem(NULL);

    LPITEMIDLIST pidlNew = shell.CreateItem(9);
    ASSERT_TRUE(pidlNew != NULL);
    EXPECT_EQ(std::vector<BYTE>(9, 0), std::vector<BYTE>((BYTE*)pidlNew, (BYTE*)pidlNew + 9));
    shell.FreeItem(pidlNew);
}

TEST(ShellManagerTest, ConcatenateItems) {
    CSPShellManager shell;
    const std::vector<BYTE> empty = MakeList({}), a = MakeList({1}), b = MakeList({2, 3});
    struct Case {
        const char* what;
        LPCITEMIDLIST first, second;
        std::vector<BYTE> expected;
    } cases[] = {
        {"NULL + NULL", NULL, NULL, MakeList({})},
        {"NULL + b", NULL, AsList(b), b},
        {"a + NULL", AsList(a), NULL, a},
        {"empty + b", AsList(empty), AsList(b), b},
        {"a + empty", AsList(a), AsList(empty), a},
        {"a + b", AsList(a), AsList(b), Bytes().w(3).b(1).w(4).b(1).b(1).w(5).b(2).b(2).b(2).w(0).v},
    };
    for (const Case& c : cases) {
        LPITEMIDLIST pidl = shell.ConcatenateItem(c.first, c.second);
        ASSERT_TRUE(pidl != NULL) << c.what;
        EXPECT_EQ(c.expected, ListBytes(shell, pidl)) << c.what;
        shell.FreeItem(pidl);
    }
}

TEST(ShellManagerTest, ParentItems) {
    CSPShellManager shell;
    const std::vector<BYTE> empty = MakeList({}), one = MakeList({3}), three = MakeList({1, 4, 2});
    LPITEMIDLIST pidlParent = (LPITEMIDLIST)1;
    EXPECT_EQ(-1, shell.GetParentItem(NULL, pidlParent));
    EXPECT_EQ(NULL, pidlParent);
    pidlParent = (LPITEMIDLIST)1;
    EXPECT_EQ(-1, shell.GetParentItem(AsList(empty), pidlParent));
    EXPECT_EQ(NULL, pidlParent);

    // The desktop is the root: its own list holds no item.
    EXPECT_EQ(0, shell.GetParentItem(AsList(one), pidlParent));
    ASSERT_TRUE(pidlParent != NULL);
    EXPECT_EQ(0u, shell.GetItemCount(pidlParent));
    shell.FreeItem(pidlParent);

    EXPECT_EQ(2, shell.GetParentItem(AsList(three), pidlParent));
    ASSERT_TRUE(pidlParent != NULL);
    EXPECT_EQ(MakeList({1, 4}), ListBytes(shell, pidlParent));
    shell.FreeItem(pidlParent);
}

CString WindowsFolder() {
    char sz[MAX_PATH] = {};
    ::GetWindowsDirectoryA(sz, MAX_PATH);
    return sz;
}

TEST(ShellManagerTest, ItemsFromPaths) {
    CSPShellManager shell;
    LPITEMIDLIST pidl = (LPITEMIDLIST)1;
    EXPECT_EQ(E_INVALIDARG, shell.ItemFromPath(NULL, pidl));
    EXPECT_EQ(NULL, pidl);

    ASSERT_EQ(S_OK, shell.ItemFromPath(WindowsFolder(), pidl));
    ASSERT_TRUE(pidl != NULL);
    EXPECT_GT(shell.GetItemCount(pidl), 1u);
    char sz[MAX_PATH] = {};
    EXPECT_TRUE(::SHGetPathFromIDListA(pidl, sz));
    EXPECT_EQ(0, lstrcmpiA(sz, WindowsFolder()));
    shell.FreeItem(pidl);

    pidl = (LPITEMIDLIST)1;
    EXPECT_TRUE(FAILED(shell.ItemFromPath("C:\\no such folder here\\at all", pidl)));
    EXPECT_EQ(NULL, pidl);
}

// The stand-in for the shell's browser: it records what it was asked, lets
// the manager's callback initialise a recorder window, and answers the
// folder the test chose (a list the shell allocated, which the manager frees).
struct FakeBrowser {
    static int s_nCalls;
    static HWND s_hOwner;
    static CString s_strTitle;
    static UINT s_ulFlags;
    static int s_iImageIn;
    static BOOL s_bRootNull;
    static int s_nChosen;  // CSIDL of the answer, -1 for a cancel
    static CString s_strSelection;
    static int s_nSelections;

    static LRESULT CALLBACK RecorderProc(HWND hwnd, UINT uMsg, WPARAM wParam, LPARAM lParam) {
        if (uMsg == BFFM_SETSELECTIONA) {
            s_nSelections++;
            if (wParam == TRUE) s_strSelection = (LPCSTR)lParam;
            return 0;
        }
        return ::DefWindowProcA(hwnd, uMsg, wParam, lParam);
    }

    static LPITEMIDLIST WINAPI Browse(LPBROWSEINFOA lpbi) {
        s_nCalls++;
        s_hOwner = lpbi->hwndOwner;
        s_strTitle = lpbi->lpszTitle != NULL ? lpbi->lpszTitle : "(null)";
        s_ulFlags = lpbi->ulFlags;
        s_iImageIn = lpbi->iImage;
        s_bRootNull = lpbi->pidlRoot == NULL;
        HWND hRecorder = ::CreateWindowA("STATIC", "", 0, 0, 0, 10, 10, NULL, NULL, NULL, NULL);
        ::SetWindowLongPtrA(hRecorder, GWLP_WNDPROC, (LONG_PTR)&RecorderProc);
        if (lpbi->lpfn != NULL) lpbi->lpfn(hRecorder, BFFM_INITIALIZED, 0, lpbi->lParam);
        ::DestroyWindow(hRecorder);
        if (s_nChosen < 0) return NULL;
        LPITEMIDLIST pidl = NULL;
        if (FAILED(::SHGetSpecialFolderLocation(NULL, s_nChosen, &pidl))) return NULL;
        lpbi->iImage = 7;
        return pidl;
    }

    static void Clear() {
        s_nCalls = 0;
        s_hOwner = (HWND)1;
        s_strTitle.Empty();
        s_ulFlags = 0;
        s_iImageIn = 0;
        s_bRootNull = FALSE;
        s_nChosen = CSIDL_WINDOWS;
        s_strSelection.Empty();
        s_nSelections = 0;
    }
};
int FakeBrowser::s_nCalls, FakeBrowser::s_iImageIn, FakeBrowser::s_nChosen, FakeBrowser::s_nSelections;
HWND FakeBrowser::s_hOwner;
CString FakeBrowser::s_strTitle, FakeBrowser::s_strSelection;
UINT FakeBrowser::s_ulFlags;
BOOL FakeBrowser::s_bRootNull;

class BrowseTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_pfnOld = CSPShellManager::s_pfnSHBrowseForFolder;
        CSPShellManager::s_pfnSHBrowseForFolder = &FakeBrowser::Browse;
        FakeBrowser::Clear();
    }
    void TearDown() override { CSPShellManager::s_pfnSHBrowseForFolder = m_pfnOld; }
    CSPShellManager::PFNSHBROWSEFORFOLDER m_pfnOld = NULL;
};

TEST_F(BrowseTest, BrowserIsAskedAndAnswered) {
    CSPShellManager shell;
    CWnd wndParent;
    ASSERT_TRUE(wndParent.CreateEx(0, "STATIC", "", WS_POPUP, CRect(0, 0, 10, 10), NULL, 0));

    struct Case {
        const char* what;
        CWnd* pParent;
        LPCTSTR initial;
        LPCTSTR title;
        int chosen;
        BOOL ok;
        const char* selection;  // NULL: nothing selected
        const char* title_seen;
    } cases[] = {
        {"initial folder", &wndParent, "C:\\start", "Pick", CSIDL_WINDOWS, TRUE, "C:\\start", "Pick"},
        {"no initial folder", NULL, NULL, NULL, CSIDL_WINDOWS, TRUE, NULL, ""},
        {"empty initial folder", NULL, "", NULL, CSIDL_WINDOWS, TRUE, NULL, ""},
        {"cancelled", NULL, "C:\\start", NULL, -1, FALSE, "C:\\start", ""},
        {"no file-system folder", NULL, NULL, NULL, CSIDL_DRIVES, FALSE, NULL, ""},
    };
    for (const Case& c : cases) {
        FakeBrowser::Clear();
        FakeBrowser::s_nChosen = c.chosen;
        CString strOut = "unchanged";
        int iImage = -5;
        EXPECT_EQ(c.ok, shell.BrowseForFolder(strOut, c.pParent, c.initial, c.title, BIF_RETURNONLYFSDIRS, &iImage))
            << c.what;
        EXPECT_EQ(1, FakeBrowser::s_nCalls) << c.what;
        EXPECT_EQ(c.pParent != NULL ? c.pParent->GetSafeHwnd() : NULL, FakeBrowser::s_hOwner) << c.what;
        EXPECT_EQ(std::string(c.title_seen), Str(FakeBrowser::s_strTitle)) << c.what;
        EXPECT_EQ((UINT)BIF_RETURNONLYFSDIRS, FakeBrowser::s_ulFlags) << c.what;
        EXPECT_EQ(-1, FakeBrowser::s_iImageIn) << c.what;
        EXPECT_TRUE(FakeBrowser::s_bRootNull) << c.what;
        EXPECT_EQ(c.selection != NULL ? 1 : 0, FakeBrowser::s_nSelections) << c.what;
        if (c.selection != NULL) {
            EXPECT_EQ(std::string(c.selection), Str(FakeBrowser::s_strSelection)) << c.what;
        }
        if (c.ok) {
            EXPECT_EQ(0, lstrcmpiA(strOut, WindowsFolder())) << c.what;
            EXPECT_EQ(7, iImage) << c.what;
        } else {
            EXPECT_EQ(std::string("unchanged"), Str(strOut)) << c.what;
            EXPECT_EQ(-5, iImage) << c.what;
        }
    }
    // The initial folder is held only during the call: a later browse
    // without one selects nothing.
    FakeBrowser::Clear();
    CString strOut;
    EXPECT_TRUE(shell.BrowseForFolder(strOut));
    EXPECT_EQ(0, FakeBrowser::s_nSelections);
    wndParent.DestroyWindow();
}

TEST_F(BrowseTest, FilePropertyBrowsesThroughTheShellManager) {
    // The property's default browser, with and without a shell manager of
    // the application's.
    for (BOOL bWithManager : {TRUE, FALSE}) {
        CSPShellManager* pShell = bWithManager ? new CSPShellManager : NULL;
        FakeBrowser::Clear();
        CString strOut;
        EXPECT_TRUE(CSPFileProp::s_pfnBrowseForFolder(strOut, NULL, "C:\\in")) << bWithManager;
        EXPECT_EQ(1, FakeBrowser::s_nCalls);
        EXPECT_EQ(std::string("C:\\in"), Str(FakeBrowser::s_strSelection));
        EXPECT_EQ(0, lstrcmpiA(strOut, WindowsFolder()));
        EXPECT_EQ(pShell, g_pShellManager);
        delete pShell;
    }
    EXPECT_EQ(NULL, g_pShellManager);
}

}  // namespace
