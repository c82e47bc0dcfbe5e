// Key texts with the system's key names injected, the "Accelerators" value
// in both directions, and mnemonic characters.
#include "SPKeyboardManager.h"
#include "SPClientHooks.h"
#include "SPToolbarState.h"

#include "managers_support.h"

#include <map>

using namespace mgrtest;

namespace {

// Key names by scan code, upper case as some systems give them; every
// lParam asked about is recorded.
std::map<UINT, std::string> g_names;
std::vector<LONG> g_asked;

int WINAPI FakeKeyName(LONG lParam, LPSTR lpString, int cchSize) {
    g_asked.push_back(lParam);
    auto it = g_names.find((lParam >> 16) & 0xFF);
    std::string name = it != g_names.end() ? it->second : "";
    lstrcpynA(lpString, name.c_str(), cchSize);
    return (int)name.size();
}

UINT Scan(UINT vk) { return ::MapVirtualKeyExA(vk, 0, ::GetKeyboardLayout(0)) & 0xFF; }

struct KeyNamesInjected {
    KeyNamesInjected() {
        g_names.clear();
        g_asked.clear();
        g_names[Scan(VK_CONTROL)] = "CTRL";
        g_names[Scan(VK_SHIFT)] = "SHIFT";
        g_names[Scan(VK_MENU)] = "ALT";
        g_names[Scan(VK_F5)] = "F5";
        g_names[Scan(VK_NEXT)] = "PAGE DOWN";
        CSPKeyHelper::s_pfnGetKeyNameText = FakeKeyName;
    }
    ~KeyNamesInjected() { CSPKeyHelper::s_pfnGetKeyNameText = ::GetKeyNameTextA; }
};

CString Text(BYTE fVirt, WORD key) {
    ACCEL accel = {fVirt, key, 100};
    CSPKeyHelper helper(&accel);
    CString str = "stale";
    helper.Format(str);
    return str;
}

TEST(KeyHelperTest, TextsOfAccelerators) {
    KeyNamesInjected names;
    ASSERT_EQ(5u, g_names.size()) << "the layout gives distinct scan codes";
    struct Case {
        BYTE fVirt;
        WORD key;
        const char* text;
    } cases[] = {
        {FVIRTKEY | FCONTROL | FSHIFT, VK_F5, "Ctrl+Shift+F5"},
        {FALT, 'A', "Alt+A"},
        {FVIRTKEY | FALT | FSHIFT | FCONTROL, VK_NEXT, "Ctrl+Shift+Alt+Page down"},
        {0, 27, ""},           // Escape as a character shows nothing
        {FCONTROL, 27, "Ctrl+"},
        {0, 'x', "x"},
    };
    for (const Case& c : cases) EXPECT_EQ(c.text, Text(c.fVirt, c.key)) << c.text;

    CSPKeyHelper none;
    CString str = "stale";
    none.Format(str);
    EXPECT_EQ("", str);
}

TEST(KeyHelperTest, ExtendedBitOnlyForPageAndCursorKeys) {
    KeyNamesInjected names;
    const struct {
        UINT vk;
        bool bExtended;
    } cases[] = {{VK_PRIOR, true}, {VK_NEXT, true}, {VK_END, true}, {VK_LEFT, true}, {VK_DELETE, true},
                 {VK_HELP, true},  {VK_SPACE, false}, {VK_F5, false}, {'0', false}, {VK_CONTROL, false}};
    for (const auto& c : cases) {
        g_asked.clear();
        CString str;
        CSPKeyHelper::AddVirtKeyStr(str, c.vk, TRUE);
        ASSERT_EQ(1u, g_asked.size());
        EXPECT_EQ(c.bExtended, (g_asked[0] & 0x01000000) != 0) << c.vk;
        EXPECT_EQ(1, g_asked[0] & 0xFFFF) << c.vk;
    }
}

// With the system's own names: whatever it calls the control key, F5 is F5.
TEST(KeyHelperTest, SystemKeyNames) {
    CString str = Text(FVIRTKEY | FCONTROL | FSHIFT, VK_F5);
    EXPECT_TRUE(str == "Ctrl+Shift+F5" || str == "Control+Shift+F5") << (LPCTSTR)str;
}

// --- the stored tables ------------------------------------------------------------

class CTestKeyboardManager : public CSPKeyboardManager {
public:
    using CSPKeyboardManager::LoadAccelTable;
    using CSPKeyboardManager::SaveAccelTable;
};

std::vector<ACCEL> Entries(HACCEL h) {
    int n = ::CopyAcceleratorTableA(h, NULL, 0);
    std::vector<ACCEL> v(n > 0 ? n : 0);
    if (n > 0) ::CopyAcceleratorTableA(h, v.data(), n);
    return v;
}

class AcceleratorsValueTest : public ::testing::Test {
protected:
    void SetUp() override { DeleteRegTree(m_strBase); }
    void TearDown() override {
        DeleteRegTree(m_strBase);
        CSPToolbarSharedState::m_lstUnpermittedCommands.RemoveAll();
    }
    CString m_strBase = Key("Keyboard");
    CString KeyOf(int id) {
        CString s;
        s.Format("%sSKeyboard-%d", (LPCTSTR)m_strBase, id);
        return s;
    }
};

TEST_F(AcceleratorsValueTest, SavedRawAndLoadedBack) {
    ACCEL entries[] = {{FVIRTKEY | FCONTROL, 'O', 0xE101}, {FVIRTKEY, VK_F5, 0x8123}};
    HACCEL h = ::CreateAcceleratorTableA(entries, 2);
    ASSERT_TRUE(CTestKeyboardManager::SaveAccelTable(m_strBase, 130, h));
    ::DestroyAcceleratorTable(h);

    DWORD type = 0;
    EXPECT_EQ(Bytes().b(FVIRTKEY | FCONTROL).b(0).w('O').w(0xE101).b(FVIRTKEY).b(0).w(VK_F5).w(0x8123).v,
              ReadRegRaw(KeyOf(130), "Accelerators", &type));
    EXPECT_EQ((DWORD)REG_BINARY, type);

    HACCEL hLoaded = NULL;
    ASSERT_EQ(CSPKeyboardManager::tableLoaded, CTestKeyboardManager::LoadAccelTable(m_strBase, 130, hLoaded));
    std::vector<ACCEL> got = Entries(hLoaded);
    ASSERT_EQ(2u, got.size());
    EXPECT_EQ(0x8123, got[1].cmd);
    ::DestroyAcceleratorTable(hLoaded);
}

TEST_F(AcceleratorsValueTest, StoredValuesOfEveryShape) {
    CSPToolbarSharedState::m_lstUnpermittedCommands.AddTail(0x9000);
    struct Case {
        const char* name;
        std::vector<BYTE> image;
        CSPKeyboardManager::TableState state;
        std::vector<WORD> cmds;
    } cases[] = {
        {"13 bytes: two entries", Bytes().b(1).b(0).w('A').w(10).b(1).b(0).w('B').w(11).b(7).v,
         CSPKeyboardManager::tableLoaded, {10, 11}},
        {"not customisable: command 0", Bytes().b(1).b(0).w('A').w(0x9000).b(1).b(0).w('B').w(11).v,
         CSPKeyboardManager::tableLoaded, {0, 11}},
        {"empty table", Bytes().v, CSPKeyboardManager::tableEmpty, {}},
        {"less than an entry", Bytes().b(1).b(0).w('A').v, CSPKeyboardManager::tableNone, {}},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(WriteRegRaw(KeyOf(7), "Accelerators", c.image));
        HACCEL h = (HACCEL)1;
        EXPECT_EQ(c.state, CTestKeyboardManager::LoadAccelTable(m_strBase, 7, h)) << c.name;
        std::vector<WORD> cmds;
        if (h != NULL) {
            for (const ACCEL& a : Entries(h)) cmds.push_back(a.cmd);
            ::DestroyAcceleratorTable(h);
        }
        EXPECT_EQ(c.cmds, cmds) << c.name;
    }
    // Another type of value, a key without the value, no key: nothing.
    ASSERT_TRUE(WriteRegRaw(KeyOf(7), "Accelerators", Bytes().d(5).v, REG_DWORD));
    HACCEL h;
    EXPECT_EQ(CSPKeyboardManager::tableNone, CTestKeyboardManager::LoadAccelTable(m_strBase, 7, h));
    ASSERT_TRUE(WriteRegRaw(KeyOf(8), "Other", Bytes().b(1).v));
    EXPECT_EQ(CSPKeyboardManager::tableNone, CTestKeyboardManager::LoadAccelTable(m_strBase, 8, h));
    EXPECT_EQ(CSPKeyboardManager::tableNone, CTestKeyboardManager::LoadAccelTable(m_strBase, 9, h));
    EXPECT_EQ(nullptr, h);
}

TEST_F(AcceleratorsValueTest, EmptyTableIsSavedAsEmptyValue) {
    ASSERT_TRUE(WriteRegRaw(KeyOf(0), "Accelerators", Bytes().b(1).b(0).w('A').w(10).v));
    ASSERT_TRUE(CTestKeyboardManager::SaveAccelTable(m_strBase, 0, NULL));
    DWORD type = 0;
    EXPECT_TRUE(ReadRegRaw(KeyOf(0), "Accelerators", &type).empty());
    EXPECT_EQ((DWORD)REG_BINARY, type);
}

// --- mnemonics -------------------------------------------------------------------------

TEST(KeyboardManagerTest, MnemonicCharacters) {
    // ('a' to 'i' share their codes with the keypad digits.)
    EXPECT_EQ((UINT)'Z', CSPKeyboardManager::TranslateCharToUpper('z'));
    EXPECT_EQ((UINT)'5', CSPKeyboardManager::TranslateCharToUpper('5'));
    // Through the keyboard layout, a letter key gives its upper-case letter.
    CSPToolbarSharedState::m_bLayoutAwareMnemonics = TRUE;
    EXPECT_EQ((UINT)'Q', CSPKeyboardManager::TranslateCharToUpper('Q'));
    CSPToolbarSharedState::m_bLayoutAwareMnemonics = FALSE;
}

TEST(KeyboardManagerTest, GlobalPointer) {
    EXPECT_EQ(nullptr, g_pKeyboardManager);
    {
        CSPKeyboardManager mgr;
        EXPECT_EQ(&mgr, g_pKeyboardManager);
        // Without an application's frame or templates there is nothing to do.
        EXPECT_FALSE(mgr.UpdateAccelTable(NULL, NULL, 0));
        EXPECT_TRUE(mgr.SaveState(Key("KeyboardNone")));
        EXPECT_TRUE(mgr.LoadState(Key("KeyboardNone")));
        CString str = "stale";
        EXPECT_FALSE(CSPKeyboardManager::FindDefaultAccelerator(1, str, NULL, TRUE));
        EXPECT_EQ("", str);
    }
    EXPECT_EQ(nullptr, g_pKeyboardManager);
}

}  // namespace
