// User tools: command ids from the range, removal from every toolbar,
// order, the "Tools" value byte for byte, foreign classes in it, icons by
// search path and the shell call.
#include "SPGlobalData.h"
#include "SPClientHooks.h"
#include "SPToolbarState.h"
#include "SPUserToolsManager.h"

#include "managers_support.h"

#include <algorithm>

using namespace mgrtest;

// A serialisable class that is no tool.
class CStrangeTool : public CObject {
    DECLARE_SERIAL(CStrangeTool)
public:
    void Serialize(CArchive& ar) override {
        CString s;
        if (ar.IsStoring()) ar << s; else ar >> s;
    }
};
IMPLEMENT_SERIAL(CStrangeTool, CObject, 1)

namespace {

// A toolbar as the user-tools manager sees it: the commands of its buttons.
class CFakeToolBar : public CObject, public ISPToolbarCommands {
public:
    std::vector<UINT> m_cmds;
    int m_nLayouts = 0;
    BOOL m_bRefuseRemoval = FALSE;

    int CommandToIndex(UINT uiCmd, int iStart) const override {
        for (size_t i = iStart; i < m_cmds.size(); i++)
            if (m_cmds[i] == uiCmd) return (int)i;
        return -1;
    }
    BOOL RemoveButton(int i) override {
        if (m_bRefuseRemoval) return FALSE;
        m_cmds.erase(m_cmds.begin() + i);
        return TRUE;
    }
    void AdjustLayout() override { m_nLayouts++; }
};

struct ToolbarListReset {
    ~ToolbarListReset() { g_lstAllToolbars.RemoveAll(); }
};

class UserToolsTest : public ::testing::Test {
protected:
    void SetUp() override {
        DeleteRegTree(m_strKey);
        m_hiconOld = spGlobalData.hiconTool;
        // A known default icon (the library's icon resource is not in this
        // program).
        spGlobalData.hiconTool = ::LoadIcon(NULL, IDI_APPLICATION);
    }
    void TearDown() override {
        DeleteRegTree(m_strKey);
        spGlobalData.hiconTool = m_hiconOld;
    }
    static std::vector<UINT> Ids(const CSPUserToolsManager& m) {
        std::vector<UINT> ids;
        for (POSITION pos = m.GetUserTools().GetHeadPosition(); pos != NULL;)
            ids.push_back(((CSPUserTool*)m.GetUserTools().GetNext(pos))->m_uiCmdId);
        return ids;
    }
    CString m_strKey = Key("Tools");
    HICON m_hiconOld = NULL;
};

TEST_F(UserToolsTest, IdsComeFromTheRangeLowestFreeFirst) {
    CSPUserToolsManager mgr(0x8000, 0x8001, 0x800A);
    EXPECT_EQ(&mgr, g_pUserToolsManager);
    EXPECT_EQ(10, mgr.GetMaxTools());
    CSPUserTool* t1 = mgr.CreateNewTool();
    CSPUserTool* t2 = mgr.CreateNewTool();
    CSPUserTool* t3 = mgr.CreateNewTool();
    ASSERT_TRUE(t1 && t2 && t3);
    EXPECT_EQ(0x8003u, t3->m_uiCmdId);
    ASSERT_TRUE(mgr.RemoveTool(t2));
    CSPUserTool* t4 = mgr.CreateNewTool();
    ASSERT_TRUE(t4);
    EXPECT_EQ(0x8002u, t4->m_uiCmdId);
    EXPECT_EQ((std::vector<UINT>{0x8001, 0x8003, 0x8002}), Ids(mgr));

    while (mgr.GetUserTools().GetCount() < 10) ASSERT_TRUE(mgr.CreateNewTool());
    EXPECT_EQ(nullptr, mgr.CreateNewTool());

    EXPECT_EQ(t3, mgr.FindTool(0x8003));
    EXPECT_EQ(nullptr, mgr.FindTool(0x8000));  // the placeholder is outside the range
    EXPECT_EQ(nullptr, mgr.FindTool(0x800B));
    EXPECT_FALSE(mgr.InvokeTool(0x8003));  // no command
    EXPECT_FALSE(mgr.InvokeTool(0x9000));
}

TEST_F(UserToolsTest, RemovedToolLeavesEveryToolbar) {
    ToolbarListReset reset;
    CFakeToolBar a, b, c;
    g_lstAllToolbars.AddTail(&a);
    g_lstAllToolbars.AddTail(&b);
    g_lstAllToolbars.AddTail(&c);

    CSPUserToolsManager mgr(0x8000, 0x8001, 0x8005);
    CSPUserTool* t1 = mgr.CreateNewTool();
    CSPUserTool* t2 = mgr.CreateNewTool();
    a.m_cmds = {1, 0x8001, 2, 0x8001, 0x8002};
    b.m_cmds = {0x8001};
    c.m_cmds = {3, 0x8002};

    ASSERT_TRUE(mgr.RemoveTool(t1));
    EXPECT_EQ((std::vector<UINT>{1, 2, 0x8002}), a.m_cmds);
    EXPECT_TRUE(b.m_cmds.empty());
    EXPECT_EQ((std::vector<UINT>{3, 0x8002}), c.m_cmds);
    EXPECT_EQ(1, a.m_nLayouts);
    EXPECT_EQ(1, c.m_nLayouts);

    // A bar that refuses to give a button up does not hold the removal.
    c.m_bRefuseRemoval = TRUE;
    CSPUserTool* t3 = mgr.CreateNewTool();
    c.m_cmds = {t3->m_uiCmdId};
    EXPECT_TRUE(mgr.RemoveTool(t3));

    CSPUserTool stranger;
    EXPECT_FALSE(mgr.RemoveTool(&stranger));
    EXPECT_EQ(t2, mgr.FindTool(0x8002));
}

TEST_F(UserToolsTest, ToolsMoveUpAndDown) {
    CSPUserToolsManager mgr(0x8000, 0x8001, 0x8005);
    CSPUserTool* t1 = mgr.CreateNewTool();
    CSPUserTool* t2 = mgr.CreateNewTool();
    CSPUserTool* t3 = mgr.CreateNewTool();
    EXPECT_FALSE(mgr.MoveToolUp(t1));
    EXPECT_FALSE(mgr.MoveToolDown(t3));
    EXPECT_TRUE(mgr.MoveToolUp(t3));
    EXPECT_EQ((std::vector<UINT>{0x8001, 0x8003, 0x8002}), Ids(mgr));
    EXPECT_TRUE(mgr.MoveToolDown(t1));
    EXPECT_EQ((std::vector<UINT>{0x8003, 0x8001, 0x8002}), Ids(mgr));
    EXPECT_TRUE(mgr.MoveToolUp(t2));
    EXPECT_EQ((std::vector<UINT>{0x8003, 0x8002, 0x8001}), Ids(mgr));
    CSPUserTool stranger;
    EXPECT_FALSE(mgr.MoveToolUp(&stranger));
    EXPECT_FALSE(mgr.MoveToolDown(NULL));
}

TEST_F(UserToolsTest, ToolsValueByteForByteAndBack) {
    {
        CSPUserToolsManager mgr(0x8000, 0x8001, 0x8005);
        CSPUserTool* t1 = mgr.CreateNewTool();
        t1->m_strLabel = "&Edit";
        t1->SetCommand("notepad.exe");
        t1->m_strArguments = "$(File)";
        t1->m_strInitialDirectory = "C:\\";
        CSPUserTool* t2 = mgr.CreateNewTool();
        t2->m_strLabel = "Two";
        ASSERT_TRUE(mgr.SaveState(m_strKey));
    }
    std::vector<BYTE> expected = Bytes()
                                     .w(2)
                                     .w(0xFFFF).w(1).w(11).b('C').b('S').b('P').b('U').b('s').b('e').b('r')
                                     .b('T').b('o').b('o').b('l')
                                     .s("&Edit").s("notepad.exe").s("$(File)").s("C:\\").d(0x8001)
                                     .w(0x8001)
                                     .s("Two").s("").s("").s("").d(0x8002)
                                     .v;
    EXPECT_EQ(expected, ReadRegRaw(m_strKey, "Tools"));

    CSPUserToolsManager mgr(0x8000, 0x8001, 0x8005);
    mgr.CreateNewTool();  // deleted by the load
    ASSERT_TRUE(mgr.LoadState(m_strKey));
    ASSERT_EQ((std::vector<UINT>{0x8001, 0x8002}), Ids(mgr));
    CSPUserTool* t1 = mgr.FindTool(0x8001);
    EXPECT_EQ("&Edit", t1->m_strLabel);
    EXPECT_EQ("notepad.exe", t1->GetCommand());
    EXPECT_EQ("$(File)", t1->m_strArguments);
    EXPECT_EQ("C:\\", t1->m_strInitialDirectory);
    // The loaded command got its program's icon.
    EXPECT_NE(nullptr, t1->GetIcon());
    EXPECT_NE(spGlobalData.hiconTool, t1->GetIcon());
}

TEST_F(UserToolsTest, ForeignOrDamagedValueLeavesNoTools) {
    CSPUserToolsManager mgr(0x8000, 0x8001, 0x8005);
    struct Case {
        const char* name;
        std::vector<BYTE> image;
    } cases[] = {
        // a class that is not a tool, behind a good tool
        {"stranger", Bytes().w(2)
                         .w(0xFFFF).w(1).w(11).b('C').b('S').b('P').b('U').b('s').b('e').b('r').b('T').b('o')
                         .b('o').b('l').s("A").s("").s("").s("").d(0x8001)
                         .w(0xFFFF).w(1).w(12).b('C').b('S').b('t').b('r').b('a').b('n').b('g').b('e').b('T')
                         .b('o').b('o').b('l').s("")
                         .v},
        {"cut short", Bytes().w(1).w(0xFFFF).w(1).w(11).b('C').b('S').b('P').b('U').b('s').b('e').b('r')
                          .b('T').b('o').b('o').b('l').s("A").v},
        {"unknown class", Bytes().w(1).w(0xFFFF).w(1).w(3).b('X').b('Y').b('Z').v},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(WriteRegRaw(m_strKey, "Tools", c.image));
        mgr.CreateNewTool();
        EXPECT_FALSE(mgr.LoadState(m_strKey)) << c.name;
        EXPECT_EQ(0, mgr.GetUserTools().GetCount()) << c.name;
    }
    DeleteRegTree(m_strKey);
    mgr.CreateNewTool();
    EXPECT_FALSE(mgr.LoadState(m_strKey));  // no key
    EXPECT_EQ(0, mgr.GetUserTools().GetCount());
}

TEST_F(UserToolsTest, IconsBySearchPath) {
    CSPUserTool tool;
    tool.SetCommand("notepad.exe");  // bare name: found along the search path
    HICON hFound = tool.GetIcon();
    EXPECT_NE(nullptr, hFound);
    EXPECT_NE(spGlobalData.hiconTool, hFound);
    tool.SetCommand("notepad.exe");  // unchanged: the icon stays
    EXPECT_EQ(hFound, tool.GetIcon());
    tool.SetCommand("tw_no_such_program_4711.exe");
    EXPECT_EQ(spGlobalData.hiconTool, tool.GetIcon());
    tool.SetCommand("C:\\tw_no_such_folder\\x.exe");
    EXPECT_EQ(spGlobalData.hiconTool, tool.GetIcon());
}

struct ShellCall {
    CString file, params, dir, verb;
    int nShow = 0;
    INT_PTR nResult = 42;
};
ShellCall g_call;

HINSTANCE WINAPI FakeShellExecute(HWND, LPCSTR op, LPCSTR file, LPCSTR params, LPCSTR dir, INT nShow) {
    g_call.verb = op ? op : "(default)";
    g_call.file = file;
    g_call.params = params;
    g_call.dir = dir;
    g_call.nShow = nShow;
    return (HINSTANCE)g_call.nResult;
}

TEST_F(UserToolsTest, InvokeRunsTheShell) {
    auto old = CSPUserTool::s_pfnShellExecute;
    CSPUserTool::s_pfnShellExecute = FakeShellExecute;
    CSPUserTool tool;
    EXPECT_FALSE(tool.Invoke());  // empty command: the shell is not asked
    EXPECT_TRUE(g_call.file.IsEmpty());
    tool.SetCommand("tw_tool.exe");
    tool.m_strArguments = "-x";
    tool.m_strInitialDirectory = "C:\\work";
    g_call.nResult = 33;
    EXPECT_TRUE(tool.Invoke());
    EXPECT_EQ("(default)", g_call.verb);
    EXPECT_EQ("tw_tool.exe", g_call.file);
    EXPECT_EQ("-x", g_call.params);
    EXPECT_EQ("C:\\work", g_call.dir);
    EXPECT_EQ(SW_SHOWNORMAL, g_call.nShow);
    // 32 is the shell's "DLL not found", no success.
    g_call.nResult = 32;
    EXPECT_FALSE(tool.Invoke());
    g_call.nResult = 2;
    EXPECT_FALSE(tool.Invoke());
    CSPUserTool::s_pfnShellExecute = old;
}

}  // namespace

namespace {

// A small black icon, fully opaque.
HICON BlackIcon(int cx, int cy) {
    std::vector<BYTE> andBits((size_t)((cx + 15) / 16 * 2) * cy, 0x00);
    std::vector<BYTE> xorBits((size_t)((cx + 15) / 16 * 2) * cy, 0x00);
    return ::CreateIcon(NULL, cx, cy, 1, 1, andBits.data(), xorBits.data());
}

struct MemDC {
    HDC hdc;
    HBITMAP hbm;
    HGDIOBJ hOld;
    MemDC(int cx, int cy) {
        HDC hdcScreen = ::GetDC(NULL);
        hdc = ::CreateCompatibleDC(hdcScreen);
        hbm = ::CreateCompatibleBitmap(hdcScreen, cx, cy);
        ::ReleaseDC(NULL, hdcScreen);
        hOld = ::SelectObject(hdc, hbm);
        RECT rc = {0, 0, cx, cy};
        ::FillRect(hdc, &rc, (HBRUSH)::GetStockObject(WHITE_BRUSH));
    }
    ~MemDC() {
        ::SelectObject(hdc, hOld);
        ::DeleteObject(hbm);
        ::DeleteDC(hdc);
    }
};

class CIconTool : public CSPUserTool {
public:
    explicit CIconTool(HICON h) { m_hIcon = h; }
};

TEST(UserToolIconTest, DrawnCentredNeverBeforeTheRectangle) {
    int cx = ::GetSystemMetrics(SM_CXSMICON), cy = ::GetSystemMetrics(SM_CYSMICON);
    CIconTool tool(BlackIcon(cx, cy));
    MemDC mem(100, 100);
    CDC* pDC = CDC::FromHandle(mem.hdc);

    tool.DrawToolIcon(pDC, CRect(10, 10, 10 + cx + 20, 10 + cy + 10));
    EXPECT_EQ(RGB(0, 0, 0), ::GetPixel(mem.hdc, 20, 15));
    EXPECT_EQ(RGB(255, 255, 255), ::GetPixel(mem.hdc, 19, 15));
    EXPECT_EQ(RGB(0, 0, 0), ::GetPixel(mem.hdc, 20 + cx - 1, 15 + cy - 1));
    EXPECT_EQ(RGB(255, 255, 255), ::GetPixel(mem.hdc, 20 + cx, 15 + cy - 1));

    // A rectangle smaller than the icon: drawn at its corner.
    tool.DrawToolIcon(pDC, CRect(60, 60, 64, 64));
    EXPECT_EQ(RGB(0, 0, 0), ::GetPixel(mem.hdc, 60, 60));
    EXPECT_EQ(RGB(255, 255, 255), ::GetPixel(mem.hdc, 59, 60));
    EXPECT_EQ(RGB(255, 255, 255), ::GetPixel(mem.hdc, 60, 59));
}

}  // namespace
