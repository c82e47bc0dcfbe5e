// The keyboard manager over real templates, documents, views and frames:
// a new table replaces the old one wherever it was in use, tables persist
// per template and for the main frame, an emptied table stays empty, reset
// goes back to the resources, and the key of a command is found.
#include "SPKeyboardManager.h"
#include "SPClientHooks.h"

#include "managers_support.h"

using namespace mgrtest;

class CKbDoc : public CDocument {
    DECLARE_DYNCREATE(CKbDoc)
};
IMPLEMENT_DYNCREATE(CKbDoc, CDocument)

class CKbView : public CView {
    DECLARE_DYNCREATE(CKbView)
public:
    void OnDraw(CDC*) override {}
};
IMPLEMENT_DYNCREATE(CKbView, CView)

namespace {

CWinApp theApp("ManagersTests");

const UINT kTemplateId = 7001;   // has an accelerator resource
const UINT kFrameResId = 7002;   // the main frame's default accelerators

HACCEL Table(std::initializer_list<ACCEL> entries) {
    std::vector<ACCEL> v(entries);
    return ::CreateAcceleratorTableA(v.data(), (int)v.size());
}

std::vector<WORD> Cmds(HACCEL h) {
    std::vector<WORD> cmds;
    int n = h != NULL ? ::CopyAcceleratorTableA(h, NULL, 0) : 0;
    if (n <= 0) return cmds;
    std::vector<ACCEL> v(n);
    ::CopyAcceleratorTableA(h, v.data(), n);
    for (const ACCEL& a : v) cmds.push_back(a.cmd);
    return cmds;
}

bool Alive(HACCEL h) { return ::CopyAcceleratorTableA(h, NULL, 0) > 0; }

// A library frame as the keyboard manager sees one: it keeps the
// accelerator resource it was loaded with.
class CKbFrame : public CFrameWnd, public ISPAccelFrame {
public:
    UINT GetDefaultResId() const override { return kFrameResId; }
};

class KeyboardFramesTest : public ::testing::Test {
protected:
    void SetUp() override {
        DeleteRegTree(m_strBase);
        // Without a display no frame can be made: fail here, before any
        // document exists.
        HWND hProbe = ::CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 1, 1, NULL, NULL, NULL, NULL);
        ASSERT_NE(nullptr, hProbe) << "no window can be created";
        ::DestroyWindow(hProbe);
        m_pDocManager = new CDocManager;
        theApp.m_pDocManager = m_pDocManager;
        m_pTemplate = new CMultiDocTemplate(kTemplateId, RUNTIME_CLASS(CKbDoc), RUNTIME_CLASS(CFrameWnd),
                                            RUNTIME_CLASS(CKbView));
        m_pDocManager->AddDocTemplate(m_pTemplate);
        ASSERT_EQ((std::vector<WORD>{0x101, 0x102}), Cmds(m_pTemplate->m_hAccelTable)) << "loaded from the resource";
        // A single-document template's table is not the manager's business.
        m_pSingle = new CSingleDocTemplate(7003, RUNTIME_CLASS(CKbDoc), RUNTIME_CLASS(CFrameWnd),
                                           RUNTIME_CLASS(CKbView));
        m_pDocManager->AddDocTemplate(m_pSingle);
        m_pSingle->m_hAccelTable = Table({{FVIRTKEY, VK_F9, 0x309}});

        CKbDoc* pDoc = new CKbDoc;
        m_pTemplate->AddDocument(pDoc);
        m_pShared = NewFrame("shared", pDoc);
        ASSERT_NE(nullptr, m_pShared);
        m_pShared->m_hAccelTable = m_pTemplate->m_hAccelTable;
        m_pOwn = NewFrame("own", pDoc);
        ASSERT_NE(nullptr, m_pOwn);
        m_pOwn->m_hAccelTable = Table({{FVIRTKEY, VK_F3, 0x303}});
        m_pMain = NewFrame("main", NULL);
        ASSERT_NE(nullptr, m_pMain);
        m_pMain->m_hAccelTable = Table({{FVIRTKEY | FCONTROL, 'S', 0x201}});
        theApp.m_pMainWnd = m_pMain;
    }
    void TearDown() override {
        theApp.m_pMainWnd = NULL;
        // The frames delete themselves; the document goes with its last view.
        for (CFrameWnd* pFrame : {m_pOwn, m_pMain}) {
            if (pFrame == NULL) continue;
            HACCEL hAccel = pFrame->m_hAccelTable;
            pFrame->DestroyWindow();
            if (hAccel != NULL) ::DestroyAcceleratorTable(hAccel);
        }
        if (m_pShared != NULL) m_pShared->DestroyWindow();
        if (m_pSingle != NULL && m_pSingle->m_hAccelTable != NULL) ::DestroyAcceleratorTable(m_pSingle->m_hAccelTable);
        if (m_pDocManager != NULL) {
            theApp.m_pDocManager = NULL;
            delete m_pDocManager;
        }
        DeleteRegTree(m_strBase);
    }
    static CFrameWnd* NewFrame(LPCTSTR title, CDocument* pDoc) {
        CFrameWnd* pFrame = new CKbFrame;
        CCreateContext context;
        context.m_pNewViewClass = pDoc != NULL ? RUNTIME_CLASS(CKbView) : NULL;
        context.m_pCurrentDoc = pDoc;
        // A frame whose window was never made is left alone (it may be gone
        // already if its window was half made).
        if (!pFrame->Create(NULL, title, WS_OVERLAPPEDWINDOW, CFrameWnd::rectDefault, NULL, NULL, 0, &context))
            return NULL;
        return pFrame;
    }
    CString KeyOf(int id) {
        CString s;
        s.Format("%sSKeyboard-%d", (LPCTSTR)m_strBase, id);
        return s;
    }

    CString m_strBase = Key("KeyboardFrames");
    CDocManager* m_pDocManager = NULL;
    CMultiDocTemplate* m_pTemplate = NULL;
    CSingleDocTemplate* m_pSingle = NULL;
    CFrameWnd* m_pShared = NULL;
    CFrameWnd* m_pOwn = NULL;
    CFrameWnd* m_pMain = NULL;
};

TEST_F(KeyboardFramesTest, NewTemplateTableReachesTheFramesThatSharedIt) {
    CSPKeyboardManager mgr;
    HACCEL hOld = m_pTemplate->m_hAccelTable;
    HACCEL hOwn = m_pOwn->m_hAccelTable;
    ACCEL entries[] = {{FVIRTKEY, VK_F7, 0x107}, {FVIRTKEY | FSHIFT, VK_F7, 0x108}};
    ASSERT_TRUE(mgr.UpdateAccelTable(m_pTemplate, entries, 2));
    EXPECT_EQ((std::vector<WORD>{0x107, 0x108}), Cmds(m_pTemplate->m_hAccelTable));
    EXPECT_EQ(m_pTemplate->m_hAccelTable, m_pShared->m_hAccelTable);
    EXPECT_EQ(hOwn, m_pOwn->m_hAccelTable);
    EXPECT_FALSE(Alive(hOld));

    // The main frame's table, by default and by name.
    HACCEL hMainOld = m_pMain->m_hAccelTable;
    ACCEL mainEntries[] = {{FVIRTKEY, VK_F8, 0x208}};
    ASSERT_TRUE(mgr.UpdateAccelTable(NULL, mainEntries, 1));
    EXPECT_EQ((std::vector<WORD>{0x208}), Cmds(m_pMain->m_hAccelTable));
    EXPECT_FALSE(Alive(hMainOld));
    ASSERT_TRUE(mgr.UpdateAccelTable(NULL, mainEntries, 1, m_pOwn));
    EXPECT_EQ((std::vector<WORD>{0x208}), Cmds(m_pOwn->m_hAccelTable));

    // A frame without a table gets none.
    CFrameWnd* pBare = NewFrame("bare", NULL);
    ASSERT_NE(nullptr, pBare);
    EXPECT_FALSE(mgr.UpdateAccelTable(NULL, mainEntries, 1, pBare));
    EXPECT_EQ(nullptr, pBare->m_hAccelTable);
    pBare->DestroyWindow();
}

TEST_F(KeyboardFramesTest, TablesPersistPerTemplateAndForTheFrame) {
    CSPKeyboardManager mgr;
    ACCEL entries[] = {{FVIRTKEY, VK_F7, 0x107}};
    ASSERT_TRUE(mgr.UpdateAccelTable(m_pTemplate, entries, 1));
    ASSERT_TRUE(mgr.SaveState(m_strBase));
    EXPECT_EQ(6u, ReadRegRaw(KeyOf(kTemplateId), "Accelerators").size());
    EXPECT_EQ(6u, ReadRegRaw(KeyOf(0), "Accelerators").size());
    EXPECT_FALSE(RegKeyExists(KeyOf(7003)));

    // A later start: the resources' tables first, then the saved ones.
    ::DestroyAcceleratorTable(m_pTemplate->m_hAccelTable);
    m_pTemplate->m_hAccelTable = ::LoadAcceleratorsA(::GetModuleHandle(NULL), MAKEINTRESOURCE(kTemplateId));
    m_pShared->m_hAccelTable = m_pTemplate->m_hAccelTable;
    ::DestroyAcceleratorTable(m_pMain->m_hAccelTable);
    m_pMain->m_hAccelTable = Table({{FVIRTKEY, VK_F11, 0x211}});
    CSPKeyboardManager later;
    ASSERT_TRUE(later.LoadState(m_strBase));
    EXPECT_EQ((std::vector<WORD>{0x107}), Cmds(m_pTemplate->m_hAccelTable));
    EXPECT_EQ(m_pTemplate->m_hAccelTable, m_pShared->m_hAccelTable);
    EXPECT_EQ((std::vector<WORD>{0x201}), Cmds(m_pMain->m_hAccelTable));
}

// Removing the last shortcut of a table: no table, saved as an empty one,
// loaded as an empty one, and a new shortcut can be assigned there again.
TEST_F(KeyboardFramesTest, EmptiedTableStaysEmpty) {
    HACCEL hOld = m_pTemplate->m_hAccelTable;
    {
        CSPKeyboardManager mgr;
        ASSERT_TRUE(mgr.UpdateAccelTable(m_pTemplate, NULL, 0));
        EXPECT_EQ(nullptr, m_pTemplate->m_hAccelTable);
        EXPECT_TRUE(mgr.HasTable(m_pTemplate));
        EXPECT_EQ(nullptr, m_pShared->m_hAccelTable);
        EXPECT_FALSE(Alive(hOld));
        ASSERT_TRUE(mgr.SaveState(m_strBase));
    }
    DWORD type = 0;
    EXPECT_TRUE(ReadRegRaw(KeyOf(kTemplateId), "Accelerators", &type).empty());
    EXPECT_EQ((DWORD)REG_BINARY, type);

    // The next start loads the resource's table, then the empty one.
    m_pTemplate->m_hAccelTable = ::LoadAcceleratorsA(::GetModuleHandle(NULL), MAKEINTRESOURCE(kTemplateId));
    m_pShared->m_hAccelTable = m_pTemplate->m_hAccelTable;
    CSPKeyboardManager mgr;
    ASSERT_TRUE(mgr.LoadState(m_strBase));
    EXPECT_EQ(nullptr, m_pTemplate->m_hAccelTable);
    EXPECT_EQ(nullptr, m_pShared->m_hAccelTable);

    ACCEL entries[] = {{FVIRTKEY, VK_F6, 0x106}};
    ASSERT_TRUE(mgr.UpdateAccelTable(m_pTemplate, entries, 1));
    EXPECT_EQ((std::vector<WORD>{0x106}), Cmds(m_pTemplate->m_hAccelTable));
    EXPECT_EQ(m_pTemplate->m_hAccelTable, m_pShared->m_hAccelTable);
}

TEST_F(KeyboardFramesTest, ResetAllGoesBackToTheResources) {
    CSPKeyboardManager mgr;
    ACCEL entries[] = {{FVIRTKEY, VK_F7, 0x107}};
    ASSERT_TRUE(mgr.UpdateAccelTable(m_pTemplate, entries, 1));
    ASSERT_TRUE(mgr.UpdateAccelTable(NULL, NULL, 0));  // the main frame emptied
    mgr.ResetAll();
    EXPECT_EQ((std::vector<WORD>{0x101, 0x102}), Cmds(m_pTemplate->m_hAccelTable));
    EXPECT_EQ(m_pTemplate->m_hAccelTable, m_pShared->m_hAccelTable);
    EXPECT_EQ((std::vector<WORD>{0x202}), Cmds(m_pMain->m_hAccelTable));
}

TEST_F(KeyboardFramesTest, KeyOfACommand) {
    CSPKeyboardManager mgr;
    CString str;
    ASSERT_TRUE(CSPKeyboardManager::FindDefaultAccelerator(0x201, str, m_pMain, TRUE));
    EXPECT_TRUE(str == "Ctrl+S" || str == "Control+S") << (LPCTSTR)str;
    EXPECT_FALSE(CSPKeyboardManager::FindDefaultAccelerator(0x999, str, m_pMain, TRUE));
    EXPECT_EQ("", str);
    EXPECT_TRUE(CSPKeyboardManager::IsKeyInAccelTable('S', FVIRTKEY | FCONTROL, m_pMain, TRUE));
    EXPECT_FALSE(CSPKeyboardManager::IsKeyInAccelTable('S', FVIRTKEY, m_pMain, TRUE));
    EXPECT_TRUE(CSPKeyboardManager::IsKeyInAccelTable(VK_F3, FVIRTKEY, m_pOwn, FALSE));

    // A replaced table is read again, even if its handle comes back.
    ACCEL entries[] = {{FVIRTKEY, VK_F4, 0x201}};
    ASSERT_TRUE(mgr.UpdateAccelTable(NULL, entries, 1));
    ASSERT_TRUE(CSPKeyboardManager::FindDefaultAccelerator(0x201, str, m_pMain, TRUE));
    EXPECT_EQ("F4", str);
    EXPECT_FALSE(CSPKeyboardManager::IsKeyInAccelTable('S', FVIRTKEY | FCONTROL, m_pMain, TRUE));

    // After the library's clean-up the copies are made again.
    CSPKeyboardManager::CleanUp();
    ASSERT_TRUE(CSPKeyboardManager::FindDefaultAccelerator(0x201, str, m_pMain, TRUE));
    EXPECT_EQ("F4", str);
}

}  // namespace
