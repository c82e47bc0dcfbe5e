// The workspace: the version stamp, the load and save passes over an empty,
// a cleaned and a damaged registry, the window placement and how a frame
// fits it to the screen, and the user toolbars of a frame.
#include "afxwin.h"
#include <gtest/gtest.h>

#include "MessageBoxRecorder.h"
#include "SPFrameWnd.h"
#include "SPRegistry.h"
#include "SPToolBar.h"
#include "SPToolbarButton.h"
#include "SPToolbarState.h"
#include "SPWorkspace.h"
#include "TestRegistry.h"

namespace {

struct WorkspaceFixture : ::testing::Test {
    CSPWorkspace ws;
    CSPFrameWnd* pFrame = NULL;
    CString strPath;

    void SetUp() override {
        ws.SetRegistryBase(_T("WorkspaceTest"));
        strPath = ws.GetRegSectionPath();
        DeleteRegTree(strPath);
        CSPToolbarSharedState::m_bShowTooltips = TRUE;
    }
    void MakeFrame() {
        pFrame = new CSPFrameWnd;
        ASSERT_TRUE(pFrame->Create(NULL, _T("workspace test"), WS_OVERLAPPEDWINDOW, CRect(30, 30, 530, 430)));
    }
    void TearDown() override {
        if (pFrame != NULL && pFrame->GetSafeHwnd() != NULL) pFrame->DestroyWindow();
        DeleteRegTree(strPath);
        CSPToolbarSharedState::m_bShowTooltips = TRUE;
    }
    CString Sub(LPCTSTR sub) { return ws.GetRegSectionPath(sub); }
};

TEST_F(WorkspaceFixture, TheSingletonAndTheSectionPath) {
    EXPECT_EQ(&ws, CSPWorkspace::GetInstance());
    EXPECT_EQ(_T("SOFTWARE\\TomewiseTests\\UilibFramesTests\\WorkspaceTest\\"), strPath);
    EXPECT_EQ(strPath + _T("Sub\\"), ws.GetRegSectionPath(_T("Sub")));
    SPInitWorkspace(_T("Other"));  // one exists: nothing happens
    EXPECT_EQ(&ws, CSPWorkspace::GetInstance());
    EXPECT_EQ(_T("WorkspaceTest"), CString(ws.GetRegistryBase()));
}

TEST_F(WorkspaceFixture, AFirstStartLoadsNothingAndEndsWithVersion63) {
    MakeFrame();
    EXPECT_EQ(-1, ws.GetDataVersionMajor());
    EXPECT_TRUE(ws.LoadState(NULL, &pFrame->m_Impl));
    EXPECT_EQ(6, ws.GetDataVersionMajor());
    EXPECT_EQ(3, ws.GetDataVersionMinor());
    EXPECT_TRUE(CSPToolbarSharedState::m_bShowTooltips);
    EXPECT_FALSE(RegKeyExists(Sub(_T("SControlBarVersion"))));  // loading writes no stamp

    EXPECT_TRUE(ws.SaveState(NULL, &pFrame->m_Impl));
    EXPECT_EQ(6, ReadRegDword(Sub(_T("SControlBarVersion")), "Major"));
    EXPECT_EQ(3, ReadRegDword(Sub(_T("SControlBarVersion")), "Minor"));
}

TEST_F(WorkspaceFixture, SavingDisabledWritesNothing) {
    MakeFrame();
    ws.EnableSaveState(FALSE);
    EXPECT_FALSE(ws.SaveState(NULL, &pFrame->m_Impl));
    EXPECT_FALSE(RegKeyExists(strPath));
    ws.EnableSaveState(TRUE);
}

// A registry that refuses every write.
class CReadOnlyRegistry : public CSPRegistry {
    DECLARE_DYNCREATE(CReadOnlyRegistry)
public:
    CReadOnlyRegistry() : CSPRegistry(FALSE, TRUE) {}
    BOOL CreateKey(LPCTSTR) override { return FALSE; }
};
IMPLEMENT_DYNCREATE(CReadOnlyRegistry, CSPRegistry)

TEST_F(WorkspaceFixture, ARegistryRefusingWritesFailsTheSaveAndDamagesNothing) {
    MakeFrame();
    CSPToolbarSharedState::m_bShowTooltips = FALSE;
    ASSERT_TRUE(ws.SaveState(NULL, &pFrame->m_Impl));
    CSPToolbarSharedState::m_bShowTooltips = TRUE;
    ASSERT_TRUE(SPSetRegistryClass(RUNTIME_CLASS(CReadOnlyRegistry)));
    EXPECT_FALSE(ws.SaveState(NULL, &pFrame->m_Impl));
    ASSERT_TRUE(SPSetRegistryClass(NULL));
    ASSERT_TRUE(ws.LoadState(NULL, &pFrame->m_Impl));
    EXPECT_FALSE(CSPToolbarSharedState::m_bShowTooltips);  // the stored options are intact
}

TEST_F(WorkspaceFixture, CleanStateThenLoadStateActsAsAFirstStart) {
    MakeFrame();
    CSPToolbarSharedState::m_bShowTooltips = FALSE;
    ASSERT_TRUE(ws.SaveState(NULL, &pFrame->m_Impl));
    CSPToolbarSharedState::m_bShowTooltips = TRUE;
    // Without cleaning, the saved option comes back.
    ASSERT_TRUE(ws.LoadState(NULL, &pFrame->m_Impl));
    EXPECT_FALSE(CSPToolbarSharedState::m_bShowTooltips);

    CSPToolbarSharedState::m_bShowTooltips = TRUE;
    EXPECT_TRUE(ws.CleanState());
    EXPECT_FALSE(RegKeyExists(strPath));
    ASSERT_TRUE(ws.LoadState(NULL, &pFrame->m_Impl));
    EXPECT_TRUE(CSPToolbarSharedState::m_bShowTooltips);
    EXPECT_EQ(6, ws.GetDataVersionMajor());
}

TEST_F(WorkspaceFixture, DamagedValuesKeepTheirDefaultsAndTheRestLoads) {
    MakeFrame();
    ASSERT_TRUE(ws.SaveState(NULL, &pFrame->m_Impl));
    ASSERT_TRUE(ws.StoreWindowPlacement(CRect(10, 20, 310, 220), 0, SW_SHOWNORMAL));
    // The version as a string, the rectangle cut short.
    ASSERT_TRUE(WriteRegRaw(Sub(_T("SControlBarVersion")), "Major", REG_SZ, "6", 2));
    ASSERT_TRUE(WriteRegRaw(Sub(_T("WindowPlacement")), "MainWindowRect", std::vector<BYTE>{1, 2, 3}));
    EXPECT_TRUE(ws.LoadState(NULL, &pFrame->m_Impl));
    EXPECT_EQ(6, ws.GetDataVersionMajor());
    CRect rect(1, 1, 2, 2);
    int nFlags = 7, nShow = 7;
    EXPECT_FALSE(ws.LoadWindowPlacement(rect, nFlags, nShow));
    EXPECT_EQ(CRect(1, 1, 2, 2), rect);
    EXPECT_EQ(7, nShow);
}

TEST_F(WorkspaceFixture, TypedValuesDirectlyAndInSubSections) {
    EXPECT_EQ(42, ws.GetInt(_T("Missing"), 42));
    EXPECT_EQ(_T("dflt"), ws.GetSectionString(_T("Sub"), _T("Missing"), _T("dflt")));
    ASSERT_TRUE(ws.WriteInt(_T("Count"), 5));
    ASSERT_TRUE(ws.WriteSectionString(_T("Sub"), _T("Name"), _T("value")));
    BYTE data[] = {9, 8, 7};
    ASSERT_TRUE(ws.WriteSectionBinary(_T("Sub"), _T("Blob"), data, sizeof(data)));
    EXPECT_EQ(5, ws.GetInt(_T("Count")));
    EXPECT_EQ(_T("value"), ws.GetSectionString(_T("Sub"), _T("Name")));
    LPBYTE pData = NULL;
    UINT nBytes = 0;
    ASSERT_TRUE(ws.GetSectionBinary(_T("Sub"), _T("Blob"), &pData, &nBytes));
    EXPECT_EQ(3u, nBytes);
    EXPECT_EQ(7, pData[2]);
    delete[] pData;
    // A value of another type reads as missing.
    EXPECT_EQ(-3, ws.GetSectionInt(_T("Sub"), _T("Name"), -3));
}

TEST_F(WorkspaceFixture, AStoredPlacementIsFittedToTheWorkArea) {
    CRect rectWork;
    ::SystemParametersInfo(SPI_GETWORKAREA, 0, &rectWork, 0);
    struct Case {
        const char* name;
        CRect rectStored;
        int nStoredShow;
        int nCallerShow;
        bool bMoved;
        CPoint ptExpected;
        int nShowExpected;
    } cases[] = {
        {"inside", CRect(100, 80, 500, 380), SW_SHOWNORMAL, SW_SHOWNORMAL, true, CPoint(100, 80), SW_SHOWNORMAL},
        {"minimised comes back normal", CRect(100, 80, 500, 380), SW_SHOWMINIMIZED, SW_SHOWNORMAL, true,
         CPoint(100, 80), SW_SHOWNORMAL},
        {"maximised stays", CRect(100, 80, 500, 380), SW_SHOWMAXIMIZED, SW_SHOWNORMAL, true, CPoint(100, 80),
         SW_SHOWMAXIMIZED},
        {"caller's minimise wins", CRect(100, 80, 500, 380), SW_SHOWMAXIMIZED, SW_SHOWMINNOACTIVE, true,
         CPoint(100, 80), SW_SHOWMINNOACTIVE},
        {"strip overlap", CRect(rectWork.left - 350, rectWork.top + 50, rectWork.left + 50, rectWork.top + 350),
         SW_SHOWNORMAL, SW_SHOWNORMAL, true, CPoint(rectWork.left, rectWork.top + 50), SW_SHOWNORMAL},
        {"monitor gone", CRect(-30000, -30000, -29600, -29700), SW_SHOWNORMAL, SW_SHOWNORMAL, false, CPoint(),
         SW_SHOWNORMAL},
        {"zero size", CRect(100, 80, 100, 80), SW_SHOWNORMAL, SW_SHOWNORMAL, false, CPoint(), SW_SHOWNORMAL},
    };
    MakeFrame();
    CWinApp* pApp = AfxGetApp();
    const int nOldShow = pApp->m_nCmdShow;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(ws.StoreWindowPlacement(c.rectStored, 0, c.nStoredShow));
        pApp->m_nCmdShow = c.nCallerShow;
        CREATESTRUCT cs = {};
        cs.hInstance = AfxGetInstanceHandle();
        cs.x = 11, cs.y = 12, cs.cx = 200, cs.cy = 150;
        pFrame->m_Impl.PreCreateWindow(cs);
        if (c.bMoved) {
            EXPECT_EQ(c.ptExpected, CPoint(cs.x, cs.y));
            EXPECT_EQ(c.rectStored.Size(), CSize(cs.cx, cs.cy));
        } else {
            EXPECT_EQ(CRect(11, 12, 211, 162), CRect(cs.x, cs.y, cs.x + cs.cx, cs.y + cs.cy));
        }
        EXPECT_EQ(c.nShowExpected, pApp->m_nCmdShow);
    }
    pApp->m_nCmdShow = nOldShow;
}

TEST_F(WorkspaceFixture, ClosingTheFrameStoresItsPlacementAndState) {
    MakeFrame();
    pFrame->ShowWindow(SW_SHOWMINIMIZED);
    pFrame->SendMessage(WM_CLOSE);  // destroys the frame
    pFrame = NULL;
    EXPECT_EQ(6, ReadRegDword(Sub(_T("SControlBarVersion")), "Major"));
    CRect rect;
    int nFlags = 0, nShow = 0;
    ASSERT_TRUE(ws.LoadWindowPlacement(rect, nFlags, nShow));
    EXPECT_EQ(SW_SHOWNORMAL, nShow);  // a minimised window is stored as normal
    EXPECT_EQ(CSize(500, 400), rect.Size());
}

TEST_F(WorkspaceFixture, UserToolbarsHaveALimitAndReuseFreedIds) {
    MakeFrame();
    CSPFrameImpl& impl = pFrame->m_Impl;
    {
        // Never enabled: no free id, and loading creates nothing.
        MessageBoxRecorder rec;
        EXPECT_EQ(NULL, impl.CreateNewToolbar(_T("none")));
        impl.LoadUserToolbars();
        EXPECT_TRUE(impl.GetUserToolbars().IsEmpty());
    }
    const UINT uiFirst = 0xE900, uiLast = 0xE904;
    impl.InitUserToolbars(NULL, uiFirst, uiLast);
    CSPToolBar* bars[5];
    for (int i = 0; i < 5; i++) {
        bars[i] = impl.CreateNewToolbar(_T("mine"));
        ASSERT_NE(nullptr, bars[i]);
        EXPECT_EQ((int)(uiFirst + i), bars[i]->GetDlgCtrlID());
        EXPECT_TRUE(impl.IsUserBarID(bars[i]));
    }
    {
        MessageBoxRecorder rec;
        EXPECT_EQ(NULL, impl.CreateNewToolbar(_T("sixth")));
        ASSERT_EQ(1u, rec.texts.size());
        EXPECT_EQ("You can't create more than 5 user-defined toolbars!", rec.texts[0]);
    }
    EXPECT_TRUE(impl.DeleteToolbar(bars[1]));
    EXPECT_FALSE(impl.DeleteToolbar(bars[1]));  // no longer in the list
    CSPToolBar* pNew = impl.CreateNewToolbar(_T("again"));
    ASSERT_NE(nullptr, pNew);
    EXPECT_EQ((int)(uiFirst + 1), pNew->GetDlgCtrlID());
    CString strName;
    pNew->GetWindowText(strName);
    EXPECT_EQ(_T("again"), strName);

    // The toolbar menu lists the user toolbars by name and drops the rest.
    CMenu menu;
    menu.CreatePopupMenu();
    for (UINT id = 0x8000; id < 0x8007; id++) menu.AppendMenu(MF_STRING, id, _T("x"));
    impl.SetupToolbarMenu(menu, 0x8000, 0x8005);
    EXPECT_EQ(6u, menu.GetMenuItemCount());  // 5 toolbars + the item outside the range
    menu.GetMenuString(4, strName, MF_BYPOSITION);
    EXPECT_EQ(_T("again"), strName);
}

TEST_F(WorkspaceFixture, SavedUserToolbarsComeBackInANewFrame) {
    MakeFrame();
    pFrame->m_Impl.InitUserToolbars(NULL, 0xE900, 0xE904);
    ASSERT_NE(nullptr, pFrame->m_Impl.CreateNewToolbar(_T("one")));
    ASSERT_NE(nullptr, pFrame->m_Impl.CreateNewToolbar(_T("two")));
    ASSERT_TRUE(ws.SaveState(NULL, &pFrame->m_Impl));
    pFrame->DestroyWindow();

    MakeFrame();
    pFrame->m_Impl.InitUserToolbars(NULL, 0xE900, 0xE904);
    ASSERT_TRUE(ws.LoadState(NULL, &pFrame->m_Impl));
    ASSERT_EQ(2, pFrame->m_Impl.GetUserToolbars().GetCount());
    EXPECT_EQ(0xE901, pFrame->m_Impl.GetUserToolbarByIndex(1)->GetDlgCtrlID());
}

// Toolbars torn off popup menus: each its own sub-key, the stale ones of a
// longer list deleted, and one stored as another class stopping the load.
TEST_F(WorkspaceFixture, TearOffBarsKeepOneSubKeyEachAndRefuseAForeignClass) {
    MakeFrame();
    CSPFrameImpl& impl = pFrame->m_Impl;
    auto addBar = [&](UINT nID, LPCTSTR lpszName) {
        CSPToolBar* pBar = new CSPToolBar;
        ASSERT_TRUE(pBar->Create(pFrame, WS_CHILD | WS_VISIBLE | CBRS_TOP, nID));
        pBar->SetWindowText(lpszName);
        impl.AddTearOffBar(pBar);
    };
    addBar(0xF100, _T("Tools"));
    addBar(0xF101, _T("Table"));
    addBar(0xF102, _T("Format"));
    const CString strKey = CSPFrameImpl::GetTearOffBarsKey();
    impl.SaveTearOffBars(FALSE);
    for (LPCTSTR lpszSub : {_T("-0"), _T("-1"), _T("-2")}) EXPECT_TRUE(RegKeyExists((LPCSTR)(strKey + lpszSub)));
    EXPECT_EQ(0xF101, ReadRegDword((LPCSTR)(strKey + _T("-1")), "ID"));
    EXPECT_EQ("Table", ReadRegString((LPCSTR)(strKey + _T("-1")), "Name"));

    // One bar fewer: the third sub-key goes, and a load finds two.
    CSPBaseControlBar* pLast = impl.FindTearOffBar(0xF102);
    ASSERT_TRUE(pLast != NULL);
    impl.RemoveTearOffBar(pLast);
    pLast->DestroyWindow();
    delete pLast;
    impl.SaveTearOffBars(FALSE);
    EXPECT_TRUE(RegKeyExists((LPCSTR)(strKey + _T("-1"))));
    EXPECT_FALSE(RegKeyExists((LPCSTR)(strKey + _T("-2"))));
    impl.LoadTearOffBars();
    ASSERT_EQ(2, impl.GetTearOffBars().GetCount());
    CString strName;
    impl.FindTearOffBar(0xF101)->GetWindowText(strName);
    EXPECT_EQ(_T("Table"), strName);

    // The second stored as a button, not a bar: the first comes back, the
    // load stops there, and no stray object is made.
    {
        CSPRegistryPtr reg;
        CSPRegistry* pReg = reg.Create(FALSE, FALSE);
        ASSERT_TRUE(pReg != NULL && pReg->CreateKey(strKey + _T("-1")));
        CSPToolbarButton button(0x7301, -1, _T("x"));
        ASSERT_TRUE(pReg->Write(_T("State"), (CObject*)&button));
    }
    impl.LoadTearOffBars();
    ASSERT_EQ(1, impl.GetTearOffBars().GetCount());
    EXPECT_TRUE(impl.FindTearOffBar(0xF100) != NULL);
}

}  // namespace
