// The menu bar's layouts per menu: two document templates' menus customised
// separately, switched, saved and found again by a bar of the next run; a
// stored layout older than its menu resource rebuilt; all menus reset.
#include "ctxmenu_support.h"

#include "afxdocvw.h"

#include "SPMenuBar.h"
#include "SPRegistry.h"
#include "TestRegistry.h"

namespace ctxtest {
namespace {

struct MenuLayoutsTest : ContextMenuFixture {
    CSPMenuBar* bar = NULL;
    CMultiDocTemplate* tplA = NULL;
    CMultiDocTemplate* tplB = NULL;
    HMENU hDefault = NULL;
    CDocManager* pOldDocManager = NULL;
    CWnd* pOldMainWnd = NULL;

    void SetUp() override {
        ContextMenuFixture::SetUp();
        CSPToolBar::SetWorkspaceState(TRUE, 6, 3, TRUE);
        CWinApp* pApp = AfxGetApp();
        pOldDocManager = pApp->m_pDocManager;
        pOldMainWnd = pApp->m_pMainWnd;
        pApp->m_pMainWnd = frame;
        NewRun();
    }
    void TearDown() override {
        DeleteBar();
        DeleteTemplates();
        CWinApp* pApp = AfxGetApp();
        pApp->m_pDocManager = pOldDocManager;
        pApp->m_pMainWnd = pOldMainWnd;
        CSPToolBar::SetWorkspaceState(FALSE);
        spTempStateStore.RemoveAll();
        DeleteRegTree((LPCSTR)ProfilePath());
        ContextMenuFixture::TearDown();
    }
    static CString ProfilePath() { return SPGetRegPath(_T("MenuLayoutsProfile")); }

    void DeleteBar() {
        if (bar != NULL) {
            bar->DestroyWindow();
            delete bar;
            bar = NULL;
        }
    }
    void DeleteTemplates() {
        CWinApp* pApp = AfxGetApp();
        if (pApp->m_pDocManager != pOldDocManager) {
            for (CMultiDocTemplate* pTemplate : {tplA, tplB})
                if (pTemplate != NULL) ::DestroyMenu(pTemplate->m_hMenuShared);
            delete pApp->m_pDocManager;
            pApp->m_pDocManager = pOldDocManager;
        }
        ::DestroyMenu(hDefault);
    }
    // What a new process has: fresh menus, an empty temporary store and a
    // bar showing the default menu.
    void NewRun() {
        DeleteBar();
        DeleteTemplates();
        spTempStateStore.RemoveAll();
        CWinApp* pApp = AfxGetApp();
        pApp->m_pDocManager = new CDocManager;
        tplA = new CMultiDocTemplate(IDR_DOC_A, RUNTIME_CLASS(CDocument), RUNTIME_CLASS(CMDIChildWnd), NULL);
        tplB = new CMultiDocTemplate(IDR_DOC_B, RUNTIME_CLASS(CDocument), RUNTIME_CLASS(CMDIChildWnd), NULL);
        pApp->m_pDocManager->AddDocTemplate(tplA);
        pApp->m_pDocManager->AddDocTemplate(tplB);
        hDefault = ::LoadMenu(AfxGetResourceHandle(), MAKEINTRESOURCE(IDR_MAIN_MENU));
        bar = new CSPMenuBar;
        ASSERT_TRUE(bar->Create(frame));
        bar->m_bMDIApp = TRUE;
        bar->SetDefaultMenuResId(IDR_MAIN_MENU);
        ASSERT_TRUE(bar->CreateFromMenu(hDefault, TRUE));
    }
    std::vector<CString> Texts() {
        std::vector<CString> texts;
        for (int i = 0; i < bar->GetCount(); i++) texts.push_back(bar->GetButton(i)->m_strText);
        return texts;
    }
    std::vector<CString> Show(HMENU hMenu) {
        bar->CreateFromMenu(hMenu);
        return Texts();
    }
};

const std::vector<CString> kA = {_T("&File"), _T("&Edit"), _T("&Help")};
const std::vector<CString> kACustomised = {_T("&File"), _T("&Help")};
const std::vector<CString> kB = {_T("&File"), _T("&View")};

TEST_F(MenuLayoutsTest, TemplatesKeepTheirOwnLayoutsAcrossARestart) {
    EXPECT_EQ(kA, Show(tplA->m_hMenuShared));
    ASSERT_TRUE(bar->RemoveButton(1));
    EXPECT_EQ(kB, Show(tplB->m_hMenuShared));
    EXPECT_EQ(kACustomised, Show(tplA->m_hMenuShared)) << "switching back shows the customised menu";
    // A drop-down of the customised layout still opens its items.
    CSPToolbarMenuButton* pFile = DYNAMIC_DOWNCAST(CSPToolbarMenuButton, bar->GetButton(0));
    ASSERT_NE(nullptr, pFile);
    EXPECT_EQ(2, pFile->GetCommands().GetCount());

    ASSERT_TRUE(bar->SaveState(ProfilePath(), 0));
    EXPECT_EQ(kACustomised, Texts()) << "the bar shows what it showed";
    CString strKey;
    strKey.Format(_T("%sSToolBar-0%x"), (LPCTSTR)ProfilePath(), IDR_DOC_A);
    EXPECT_TRUE(RegKeyExists((LPCSTR)strKey));

    NewRun();
    ASSERT_TRUE(bar->LoadState(ProfilePath(), 0));
    EXPECT_TRUE(frame->resetMenus.empty()) << "every stored layout matched its menu";
    EXPECT_EQ(kACustomised, Show(tplA->m_hMenuShared));
    EXPECT_EQ(kB, Show(tplB->m_hMenuShared));
    EXPECT_EQ(std::vector<CString>{_T("&File")}, Show(hDefault));
}

TEST_F(MenuLayoutsTest, LayoutOfAnotherMenuResourceIsRebuilt) {
    Show(tplA->m_hMenuShared);
    ASSERT_TRUE(bar->RemoveButton(1));
    Show(tplB->m_hMenuShared);
    ASSERT_TRUE(bar->RemoveButton(0));
    ASSERT_TRUE(bar->SaveState(ProfilePath(), 0));

    // A's stored layout now comes from B's menu: A's resource "changed".
    CString strKeyA, strKeyB;
    strKeyA.Format(_T("%sSToolBar-0%x"), (LPCTSTR)ProfilePath(), IDR_DOC_A);
    strKeyB.Format(_T("%sSToolBar-0%x"), (LPCTSTR)ProfilePath(), IDR_DOC_B);
    for (LPCSTR pszValue : {"Buttons", "OriginalItems"})
        ASSERT_TRUE(WriteRegRaw((LPCSTR)strKeyA, pszValue, ReadRegRaw((LPCSTR)strKeyB, pszValue)));

    NewRun();
    frame->resetMenus.clear();
    ASSERT_TRUE(bar->LoadState(ProfilePath(), 0));
    EXPECT_EQ(std::vector<WPARAM>{IDR_DOC_A}, frame->resetMenus);
    EXPECT_EQ(kA, Show(tplA->m_hMenuShared));
    EXPECT_EQ(std::vector<CString>{_T("&View")}, Show(tplB->m_hMenuShared));
}

TEST_F(MenuLayoutsTest, ResetBringsEveryMenuBackFromItsResource) {
    Show(tplB->m_hMenuShared);
    ASSERT_TRUE(bar->RemoveButton(0));
    Show(tplA->m_hMenuShared);
    ASSERT_TRUE(bar->RemoveButton(1));
    const HMENU hOldA = tplA->m_hMenuShared;
    ASSERT_TRUE(bar->RestoreOriginalState());
    EXPECT_NE(hOldA, tplA->m_hMenuShared) << "the menu was loaded again";
    EXPECT_FALSE(::IsMenu(hOldA));
    EXPECT_EQ(bar->GetHMenu(), tplA->m_hMenuShared) << "the shown template's menu stays shown";
    EXPECT_EQ(kA, Texts());
    EXPECT_EQ(kB, Show(tplB->m_hMenuShared));
    hDefault = bar->GetDefaultMenu();  // the fixture's to destroy
}

}  // namespace
}  // namespace ctxtest
