// The outlook bar in a shown frame: custom pages made, refused and removed,
// stored and built again in a new process (the key with an index and an
// id, damaged values), a page moved to another outlook bar by its button,
// panes of the tabbed style 0x40, and the bar read back from a record.
#include "afxwin.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "ChildProcess.h"
#include "CreationRefusal.h"
#include "MessagePump.h"
#include "SPDockBar.h"
#include "SPDockManager.h"
#include "SPFrameWnd.h"
#include "SPOutlookBar.h"
#include "SPOutlookBarPane.h"
#include "SPOutlookWnd.h"
#include "SPRegistry.h"
#include "SPTabbedToolbar.h"
#include "TestRegistry.h"
#include "WindowPicture.h"
#include "outlook_res.h"
#include "outlook_support.h"

using namespace outlooktest;

namespace {

const char* const kChildVariable = "TW_OUTLOOK_BAR_CHILD";
const char* const kAppKey = "Software\\TomewiseTests\\UilibOutlookTests";
const char* const kBarsKey = "Software\\TomewiseTests\\UilibOutlookTests\\SPOutlookBars";
const UINT kBarID = 0x300;

bool IsChild() { return ::GetEnvironmentVariableA(kChildVariable, NULL, 0) != 0; }

CString Text(CWnd* pWnd) {
    CString s;
    pWnd->GetWindowText(s);
    return s;
}

// A page of the program's own (not a custom page) with three buttons.
struct ProgramPage {
    std::unique_ptr<CSPOutlookBarPane> pPage{new CSPOutlookBarPane};
    bool Create(CSPOutlookBar* pBar, UINT nID) {
        if (!pPage->CreatePane(pBar, WS_CHILD | WS_VISIBLE | CBRS_ALIGN_LEFT, nID)) return false;
        const COLORREF colours[] = {RGB(200, 40, 40), RGB(40, 160, 60), RGB(40, 80, 200)};
        LPCTSTR labels[] = {_T("Inbox"), _T("Calendar"), _T("Contacts")};
        for (int i = 0; i < 3; i++) {
            HBITMAP hbmp = Square(32, colours[i]);
            const bool bAdded = pPage->AddButton(hbmp, labels[i], 500 + i) != FALSE;
            ::DeleteObject(hbmp);
            if (!bAdded) return false;
        }
        pPage->SetWindowText(_T("Mail"));
        return pBar->AddTab(pPage.get(), TRUE, TRUE, FALSE) != FALSE;
    }
};

struct BarFixture : ::testing::Test {
    CSPFrameWnd* pFrame = NULL;
    std::vector<std::unique_ptr<ProgramPage>> programPages;

    void SetUp() override {
        CSPOutlookBarPane::CleanUpLargeImages();
        pFrame = new CSPFrameWnd;
        ASSERT_TRUE(pFrame->Create(NULL, _T("Outlook bars"), WS_OVERLAPPEDWINDOW, CRect(40, 40, 640, 480)));
        pFrame->ShowWindow(SW_SHOWNOACTIVATE);
        ASSERT_TRUE(pFrame->EnableDocking(CBRS_ALIGN_ANY));
        PumpPending();
    }
    void TearDown() override {
        if (pFrame != NULL && pFrame->GetSafeHwnd() != NULL) pFrame->DestroyWindow();
        programPages.clear();
        CSPOutlookBarPane::CleanUpLargeImages();
    }
    // Docked on the side at once, with the program's page.
    CSPOutlookBar* MakeBar(UINT nID, DWORD dwSide = CBRS_LEFT, DWORD dwSPBarStyle = SPCBRS_RESIZE) {
        CSPOutlookBar* pBar = new CSPOutlookBar;
        pBar->SetAutoDestroy(TRUE);
        if (!pBar->Create(_T("Shortcuts"), pFrame, CRect(0, 0, 160, 300), nID, WS_CHILD | WS_VISIBLE | dwSide,
                          dwSPBarStyle)) {
            // it has deleted itself (PostNcDestroy)
            return NULL;
        }
        programPages.emplace_back(new ProgramPage);
        if (!programPages.back()->Create(pBar, nID + 1)) return NULL;
        pFrame->RecalcLayout();
        PumpPending();
        return pBar;
    }
    static CStringArray& Labels(CSPOutlookBar* pBar, CStringArray& labels) {
        labels.RemoveAll();
        for (int i = 0; i < pBar->GetTabsNum(); i++) {
            CString s;
            pBar->GetTabWnd()->GetTabLabel(i, s);
            labels.Add(s);
        }
        return labels;
    }
    static std::string Describe(CSPOutlookBar* pBar) {
        std::string s;
        CSPOutlookWnd* pTabs = pBar->GetOutlookWnd();
        for (int i = 0; i < pTabs->GetTabsNum(); i++) {
            CString strLabel;
            pTabs->GetTabLabel(i, strLabel);
            CSPOutlookBarPane* pPage = pTabs->GetTabPage(i);
            s += std::string(strLabel) + "#" + (pPage != NULL ? std::to_string(pPage->GetDlgCtrlID()) : "?") + "[";
            for (int b = 0; pPage != NULL && b < pPage->GetCount(); b++)
                s += std::string(pPage->GetButton(b)->m_strText) + ":" + std::to_string(pPage->GetButton(b)->m_nID) + ",";
            s += "]";
        }
        return s;
    }
    // A copy of one of the program page's buttons, as if the user dragged it
    // onto the page.
    static void CopyButton(CSPOutlookBarPane* pFrom, int iButton, CSPOutlookBarPane* pTo) {
        CSPOutlookButton* pCopy = new CSPOutlookButton;
        pCopy->CopyFrom(*pFrom->GetButton(iButton));
        ASSERT_GE(pTo->InsertButton(pCopy), 0);
        pTo->AdjustLayout();
    }
};

// A registry that refuses to create the outlook bars' keys, and only those.
class CRefusingRegistry : public CSPRegistry {
    DECLARE_DYNCREATE(CRefusingRegistry)

public:
    CRefusingRegistry() {}
    BOOL CreateKey(LPCTSTR pszPath) override {
        if (CString(pszPath).Find(_T("SPOutlookBar-")) >= 0) return FALSE;
        return CSPRegistry::CreateKey(pszPath);
    }
};
IMPLEMENT_DYNCREATE(CRefusingRegistry, CSPRegistry)

}  // namespace

// --- custom pages --------------------------------------------------------------------------------

TEST_F(BarFixture, CustomPagesTakeTheFirstFreeIdsAndOnlyThoseCanBeRemoved) {
    CSPOutlookBar* pBar = MakeBar(kBarID);
    ASSERT_NE(pBar, nullptr);
    CSPOutlookWnd* pTabs = pBar->GetOutlookWnd();
    ASSERT_NE(pTabs, nullptr);
    EXPECT_TRUE(pBar->GetDefaultSlider() != NULL);  // docked at once
    EXPECT_EQ(CString(_T("Mail")), Text(pBar));

    CSPOutlookBarPane* pFirst = pBar->AddCustomPage(_T("Projects"), FALSE);
    CSPOutlookBarPane* pSecond = pBar->AddCustomPage(_T("Archive"), TRUE);
    ASSERT_NE(pFirst, nullptr);
    ASSERT_NE(pSecond, nullptr);
    EXPECT_EQ(0xF000, pFirst->GetDlgCtrlID());
    EXPECT_EQ(0xF001, pSecond->GetDlgCtrlID());
    EXPECT_TRUE(CSPOutlookBar::IsCustomPageIDInUse(0xF001));
    ASSERT_EQ(3, pBar->GetTabsNum());
    // Pages come wrapped in docking panes; the program's own, not
    // detachable, does not.
    EXPECT_TRUE(pTabs->GetTabWnd(1)->IsKindOf(RUNTIME_CLASS(CSPOutlookBarDockingPane)));
    EXPECT_EQ(pFirst, pTabs->GetTabWndNoWrapper(1));
    EXPECT_EQ(programPages[0]->pPage.get(), pTabs->GetTabWnd(0));
    EXPECT_EQ(2, pTabs->GetActiveTab());
    EXPECT_EQ(CString(_T("Archive")), Text(pBar));  // the caption follows the page
    EXPECT_TRUE(pSecond->IsWindowVisible());
    CRect rectPage;
    pSecond->GetWindowRect(rectPage);
    EXPECT_GT(rectPage.Height(), 0);
    EXPECT_EQ(rectPage.Width(), pSecond->GetAvailableWidth());

    // The program's page is refused; so are bad indexes and another window.
    EXPECT_FALSE(pBar->RemoveCustomPage(0, pTabs));
    EXPECT_FALSE(pBar->RemoveCustomPage(3, pTabs));
    EXPECT_FALSE(pBar->RemoveCustomPage(-1, pTabs));
    EXPECT_FALSE(pBar->RemoveCustomPage(1, (CSPOutlookWnd*)programPages[0]->pPage.get()));
    EXPECT_EQ(3, pBar->GetTabsNum());

    HWND hwndWrapper = pTabs->GetTabWnd(1)->GetSafeHwnd();
    HWND hwndPage = pFirst->GetSafeHwnd();
    EXPECT_TRUE(pBar->RemoveCustomPage(1, pTabs));
    EXPECT_EQ(2, pBar->GetTabsNum());
    EXPECT_FALSE(::IsWindow(hwndWrapper));
    EXPECT_FALSE(::IsWindow(hwndPage));
    EXPECT_FALSE(CSPOutlookBar::IsCustomPageIDInUse(0xF000));
    EXPECT_EQ(1, pBar->GetCustomPages().GetCount());
    // The freed id is the next one given.
    CSPOutlookBarPane* pThird = pBar->AddCustomPage(_T("Drafts"));
    ASSERT_NE(pThird, nullptr);
    EXPECT_EQ(0xF000, pThird->GetDlgCtrlID());

    // The bar going gives the ids back.
    pBar->DestroyWindow();
    for (UINT uiID : {0xF000u, 0xF001u}) EXPECT_FALSE(CSPOutlookBar::IsCustomPageIDInUse(uiID)) << uiID;
}

namespace {

// A page's wrapping pane that counts its deletions and, while told to,
// refuses its window in PreCreateWindow.
class CCountedWrapper : public CSPOutlookBarDockingPane {
    DECLARE_DYNCREATE(CCountedWrapper)

public:
    static bool s_bRefuse;
    static int s_nDeleted;
    ~CCountedWrapper() override { s_nDeleted++; }

protected:
    BOOL PreCreateWindow(CREATESTRUCT& cs) override {
        return !s_bRefuse && CSPOutlookBarDockingPane::PreCreateWindow(cs);
    }
};
IMPLEMENT_DYNCREATE(CCountedWrapper, CSPOutlookBarDockingPane)
bool CCountedWrapper::s_bRefuse = false;
int CCountedWrapper::s_nDeleted = 0;

}  // namespace

// A page's wrapping pane whose window is refused has deleted itself once:
// the page goes into its tab unwrapped, and the next page is wrapped again.
TEST_F(BarFixture, ARefusedWrapperIsDeletedOnceAndThePageGoesInUnwrapped) {
    CSPOutlookBar* pBar = MakeBar(kBarID);
    ASSERT_NE(pBar, nullptr);
    CSPOutlookWnd* pTabs = pBar->GetOutlookWnd();
    ASSERT_NE(pTabs, nullptr);
    pTabs->SetWrapperClass(RUNTIME_CLASS(CCountedWrapper));
    for (bool bBySystem : {false, true}) {
        SCOPED_TRACE(bBySystem ? "refused by the system" : "refused in PreCreateWindow");
        CCountedWrapper::s_nDeleted = 0;
        const int nTabs = pTabs->GetTabsNum();
        CSPOutlookBarPane* pPage;
        {
            CCreationRefusal refusal(RUNTIME_CLASS(CSPDockingCBWrapper), bBySystem ? 1 : 0);
            CCountedWrapper::s_bRefuse = !bBySystem;
            pPage = pBar->AddCustomPage(_T("Unwrapped"));
            CCountedWrapper::s_bRefuse = false;
            EXPECT_EQ(refusal.Refused(), bBySystem ? 1 : 0);
        }
        ASSERT_NE(pPage, nullptr);
        EXPECT_EQ(CCountedWrapper::s_nDeleted, 1);
        ASSERT_EQ(pTabs->GetTabsNum(), nTabs + 1);
        EXPECT_EQ(pTabs->GetTabWnd(nTabs), pPage);
    }
    CCountedWrapper::s_nDeleted = 0;
    CSPOutlookBarPane* pPage = pBar->AddCustomPage(_T("Wrapped"));
    ASSERT_NE(pPage, nullptr);
    const int iLast = pTabs->GetTabsNum() - 1;
    EXPECT_TRUE(pTabs->GetTabWnd(iLast)->IsKindOf(RUNTIME_CLASS(CCountedWrapper)));
    EXPECT_EQ(pTabs->GetTabWndNoWrapper(iLast), pPage);
    // The wrapper goes with its window, once.
    EXPECT_TRUE(pBar->RemoveCustomPage(iLast, pTabs));
    PumpPending();
    EXPECT_EQ(CCountedWrapper::s_nDeleted, 1);
}

TEST_F(BarFixture, AHundredCustomPagesAndNoMoreWithLongLabelsAndNoRoomLeft) {
    CSPOutlookBar* pBar = MakeBar(kBarID);
    ASSERT_NE(pBar, nullptr);
    const CString strLong(_T('x'), 5000);
    for (int i = 0; i < CSPOutlookBar::nMaxCustomPages; i++) {
        CString strLabel;
        strLabel.Format(_T("Page %d "), i);
        ASSERT_NE(pBar->AddCustomPage(i == 7 ? strLong : strLabel, FALSE), nullptr) << i;
    }
    EXPECT_EQ(nullptr, pBar->AddCustomPage(_T("One too many")));
    EXPECT_EQ(CSPOutlookBar::nMaxCustomPages + 1, pBar->GetTabsNum());
    // The buttons leave no room for the active page: it is placed with no
    // height, and still lays itself out.
    CSPOutlookWnd* pTabs = pBar->GetOutlookWnd();
    ASSERT_TRUE(pBar->ActivateTab(8));
    PumpPending();
    EXPECT_LE(pTabs->GetPageArea().Height(), 0);
    CSPOutlookBarPane* pPage = pTabs->GetTabPage(8);
    ASSERT_NE(pPage, nullptr);
    HBITMAP hbmp = Square(32, RGB(10, 10, 10));
    EXPECT_TRUE(pPage->AddButton(hbmp, strLong, 1));
    ::DeleteObject(hbmp);
    pPage->ScrollDown();
    pPage->ScrollUp();
    CString strRead;
    ASSERT_TRUE(pTabs->GetTabLabel(8, strRead));
    EXPECT_EQ(strLong.GetLength(), strRead.GetLength());
    pTabs->RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);

    // One removed: one can be made again.
    EXPECT_TRUE(pBar->RemoveCustomPage(50, pTabs));
    CSPOutlookBarPane* pAgain = pBar->AddCustomPage(_T("Again"));
    ASSERT_NE(pAgain, nullptr);
    EXPECT_EQ(0xF000 + 49, pAgain->GetDlgCtrlID());
}

// --- stored custom pages ---------------------------------------------------------------------------

class BarStateTest : public BarFixture {};
class BarStateChild : public BarFixture {};

TEST_F(BarStateTest, CustomPagesComeBackInANewProcess) {
    if (IsChild()) return;
    DeleteRegTree(kAppKey);
    CSPOutlookBar* pBar = MakeBar(kBarID);
    ASSERT_NE(pBar, nullptr);
    CSPOutlookBarPane* pProjects = pBar->AddCustomPage(_T("Projects"), FALSE);
    CSPOutlookBarPane* pArchive = pBar->AddCustomPage(_T("Archive"), FALSE);
    ASSERT_NE(pProjects, nullptr);
    ASSERT_NE(pArchive, nullptr);
    CSPOutlookBarPane* pMail = programPages[0]->pPage.get();
    CopyButton(pMail, 2, pProjects);
    CopyButton(pMail, 0, pProjects);
    CopyButton(pMail, 1, pArchive);
    // A page renamed by its tab is stored under its new label.
    ASSERT_TRUE(pBar->GetOutlookWnd()->SetTabLabel(2, _T("Old mail")));
    // The frame's layout saves every bar, this one with its pages.
    ASSERT_TRUE(pFrame->GetDockManager()->SaveState());
    EXPECT_FALSE(ReadRegRaw((std::string(kBarsKey) + "\\SPOutlookBar-" + std::to_string(kBarID)).c_str(),
                            "SPOutlookCustomPages")
                     .empty());
    const std::string strExpected = Describe(pBar);
    EXPECT_EQ("Mail#769[Inbox:500,Calendar:501,Contacts:502,]Projects#61440[Contacts:502,Inbox:500,]"
              "Old mail#61441[Calendar:501,]",
              strExpected);
    ASSERT_TRUE(WriteRegRaw(kAppKey, "Expected", REG_SZ, strExpected.c_str(), (DWORD)strExpected.size() + 1));

    // With an index and an id the key names both, the id in hexadecimal.
    ASSERT_TRUE(pBar->SaveState(NULL, 3, 0x2A));
    EXPECT_TRUE(RegKeyExists((std::string(kBarsKey) + "\\sSPOutlookBar-32a").c_str()));

    EXPECT_EQ(RunThisProgramAsChild(kChildVariable, "BarStateChild.*"), 0u);
}

// Disabled in ordinary runs: the test above runs it in its child process.
TEST_F(BarStateChild, DISABLED_BuildsTheCustomPagesAgain) {
    ASSERT_TRUE(IsChild());
    const std::string strExpected = ReadRegString(kAppKey, "Expected");
    ASSERT_NE("<missing>", strExpected);
    CSPOutlookBar* pBar = MakeBar(kBarID);
    ASSERT_NE(pBar, nullptr);
    CSPDockManager* pManager = pFrame->GetDockManager();
    ASSERT_TRUE(pManager->LoadState());
    pManager->SetDockState();
    PumpPending();
    EXPECT_EQ(strExpected, Describe(pBar));
    EXPECT_TRUE(CSPOutlookBar::IsCustomPageIDInUse(0xF001));
    EXPECT_TRUE(pBar->GetDefaultSlider() != NULL);
    // Loading again makes no second set: the ids are taken.
    EXPECT_TRUE(pBar->LoadState());
    EXPECT_EQ(strExpected, Describe(pBar));
    // The next custom page takes the next free id.
    CSPOutlookBarPane* pNew = pBar->AddCustomPage(_T("New"), FALSE);
    ASSERT_NE(pNew, nullptr);
    EXPECT_EQ(0xF002, pNew->GetDlgCtrlID());
    EXPECT_TRUE(pBar->RemoveCustomPage(3, pBar->GetOutlookWnd()));

    // The frame of the pictures: the restored bar with a page open, and a
    // tabbed toolbar on top.
    CSPTabbedToolbar tabbed;
    CSPToolBar wide, narrow;
    ASSERT_TRUE(tabbed.CreateEx(pFrame, WS_CHILD | WS_VISIBLE | CBRS_TOP, AFX_IDW_TOOLBAR + 5, 0));
    ASSERT_TRUE(wide.Create(pFrame, WS_CHILD | WS_VISIBLE | CBRS_TOP, AFX_IDW_TOOLBAR + 6));
    ASSERT_TRUE(wide.LoadToolBar(IDR_BAR_WIDE));
    wide.SetWindowText(_T("Standard"));
    ASSERT_TRUE(narrow.Create(pFrame, WS_CHILD | WS_VISIBLE | CBRS_TOP, AFX_IDW_TOOLBAR + 7));
    ASSERT_TRUE(narrow.LoadToolBar(IDR_BAR_NARROW));
    narrow.SetWindowText(_T("Navigation"));
    ASSERT_TRUE(tabbed.AddTab(&wide, TRUE, TRUE));
    ASSERT_TRUE(tabbed.AddTab(&narrow, TRUE, FALSE));
    pFrame->GetDockManager()->DockControlBar(&tabbed, AFX_IDW_DOCKBAR_TOP);
    ASSERT_TRUE(pBar->ActivateTab(1));
    pFrame->RecalcLayout();
    PumpPending();
    EXPECT_EQ(CString(_T("Projects")), Text(pBar));
    if (const char* pszPath = getenv("TW_OUTLOOK_BAR_SCREENSHOT")) {
        pFrame->RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_FRAME);
        EXPECT_TRUE(WriteWindowBitmap(pFrame->GetSafeHwnd(), pszPath, TRUE)) << pszPath;
    }
    pFrame->DestroyWindow();
    pFrame = NULL;  // the frame deletes itself
    CSPToolBar::ResetAllImages();
}

TEST_F(BarFixture, AFailedWriteOfTheCustomPagesIsNoSuccess) {
    CSPOutlookBar* pBar = MakeBar(kBarID);
    ASSERT_NE(pBar, nullptr);
    ASSERT_NE(pBar->AddCustomPage(_T("Projects")), nullptr);
    ASSERT_TRUE(SPSetRegistryClass(RUNTIME_CLASS(CRefusingRegistry)));
    const BOOL bSaved = pBar->SaveState();
    SPSetRegistryClass(NULL);
    EXPECT_FALSE(bSaved);
    EXPECT_TRUE(pBar->SaveState());
}

namespace {

// The stored form: a count, then each page's id and label.
std::vector<BYTE> Stored(DWORD dwCount, const std::vector<std::pair<DWORD, std::string>>& pages) {
    std::vector<BYTE> bytes;
    auto dword = [&bytes](DWORD d) {
        for (int i = 0; i < 4; i++) bytes.push_back((BYTE)(d >> (8 * i)));
    };
    dword(dwCount);
    for (const auto& page : pages) {
        dword(page.first);
        const size_t n = page.second.size();
        if (n < 0xFF) {
            bytes.push_back((BYTE)n);
        } else {
            bytes.push_back(0xFF);
            bytes.push_back((BYTE)n);
            bytes.push_back((BYTE)(n >> 8));
        }
        bytes.insert(bytes.end(), page.second.begin(), page.second.end());
    }
    return bytes;
}

}  // namespace

TEST_F(BarFixture, DamagedStoredPagesLeaveThoseReadBefore) {
    const std::string strKey = std::string(kBarsKey) + "\\SPOutlookBar-" + std::to_string(kBarID);
    const std::string strLong(3000, 'L');
    std::vector<BYTE> cut = Stored(2, {{0xF000, "First"}, {0xF001, "Second"}});
    cut.resize(cut.size() - 3);
    std::vector<BYTE> hugeLabel = Stored(2, {{0xF000, "First"}});
    for (BYTE b : std::vector<BYTE>{0x01, 0xF0, 0x00, 0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F, (BYTE)'a'}) hugeLabel.push_back(b);
    struct {
        const char* pszWhat;
        std::vector<BYTE> bytes;
        int nPages;  // custom pages built
        bool bRead;  // LoadState's answer
    } cases[] = {
        {"two pages", Stored(2, {{0xF000, "First"}, {0xF001, "Second"}}), 2, true},
        {"cut short in the second label", cut, 1, true},
        {"an id below the range", Stored(2, {{0xF000, "First"}, {0xEFFF, "Low"}}), 1, true},
        {"an id above the range", Stored(3, {{0xF000, "First"}, {0xF064, "High"}, {0xF002, "Third"}}), 1, true},
        {"an id far outside", Stored(1, {{0x7FFFFFFF, "Far"}}), 0, true},
        {"a repeated id", Stored(3, {{0xF005, "First"}, {0xF006, "Second"}, {0xF005, "Again"}}), 2, true},
        {"a count far beyond the pages", Stored(0xFFFFFFFF, {{0xF000, "First"}}), 1, true},
        {"a label longer than the value", hugeLabel, 1, true},
        {"a label of thousands of characters", Stored(1, {{0xF063, strLong}}), 1, true},
        {"no bytes at all", {}, 0, true},
        {"three bytes", {1, 0, 0}, 0, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pszWhat);
        DeleteRegTree(kAppKey);
        ASSERT_TRUE(WriteRegRaw(strKey.c_str(), "SPOutlookCustomPages", c.bytes));
        CSPOutlookBar* pBar = MakeBar(kBarID);
        ASSERT_NE(pBar, nullptr);
        EXPECT_EQ(c.bRead, pBar->LoadState() != FALSE);
        EXPECT_EQ(c.nPages, pBar->GetCustomPages().GetCount());
        EXPECT_EQ(c.nPages + 1, pBar->GetTabsNum());
        if (c.nPages > 0) {
            CString strLabel;
            pBar->GetTabWnd()->GetTabLabel(1, strLabel);
            EXPECT_TRUE(strLabel == _T("First") || strLabel.GetLength() == 3000) << (LPCTSTR)strLabel.Left(20);
        }
        pBar->DestroyWindow();
        PumpPending();
        for (UINT uiID = 0xF000; uiID < 0xF064; uiID++) ASSERT_FALSE(CSPOutlookBar::IsCustomPageIDInUse(uiID));
    }
    // No value: nothing read.
    DeleteRegTree(kAppKey);
    CSPOutlookBar* pBar = MakeBar(kBarID);
    ASSERT_NE(pBar, nullptr);
    EXPECT_FALSE(pBar->LoadState());
    EXPECT_EQ(1, pBar->GetTabsNum());
}

// --- pages moved between outlook bars, panes with outlook bars as tab containers -------------------

TEST_F(BarFixture, APageDraggedByItsButtonOntoAnotherOutlookBarMovesThere) {
    CSPOutlookBar* pLeft = MakeBar(kBarID, CBRS_LEFT);
    CSPOutlookBar* pRight = MakeBar(kBarID + 0x10, CBRS_RIGHT);
    ASSERT_NE(pLeft, nullptr);
    ASSERT_NE(pRight, nullptr);
    CSPOutlookBarPane* pPage = pLeft->AddCustomPage(_T("Projects"), FALSE);
    ASSERT_NE(pPage, nullptr);
    CSPOutlookWnd* pFrom = pLeft->GetOutlookWnd();
    CSPOutlookWnd* pTo = pRight->GetOutlookWnd();
    ASSERT_EQ(2, pFrom->GetTabsNum());

    auto drag = [&](CPoint ptDropScreen) {
        CRect rectButton;
        pFrom->GetTabRect(1, rectButton);
        const CPoint ptDown = rectButton.CenterPoint();
        CPoint ptDrop = ptDropScreen;
        pFrom->ScreenToClient(&ptDrop);
        pFrom->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(ptDown.x, ptDown.y));
        pFrom->SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(ptDrop.x, ptDrop.y));
        pFrom->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(ptDrop.x, ptDrop.y));
        PumpPending();
    };
    // Dropped on the frame's empty middle: it stays, and its own bar is
    // where it would go back to.
    CRect rectClient;
    pFrame->GetClientRect(rectClient);
    pFrame->ClientToScreen(rectClient);
    drag(rectClient.CenterPoint());
    EXPECT_EQ(2, pFrom->GetTabsNum());
    EXPECT_EQ(pLeft, pPage->GetDropTarget());
    // On the other bar: the page is that bar's active page now, and its to
    // store.
    CRect rectRight;
    pTo->GetWindowRect(rectRight);
    drag(rectRight.CenterPoint());
    ASSERT_EQ(1, pFrom->GetTabsNum());
    ASSERT_EQ(2, pTo->GetTabsNum());
    EXPECT_EQ(pPage, pTo->GetTabPage(1));
    EXPECT_EQ(1, pTo->GetActiveTab());
    EXPECT_TRUE(pTo->GetTabWnd(1)->IsKindOf(RUNTIME_CLASS(CSPOutlookBarDockingPane)));
    EXPECT_EQ(CString(_T("Projects")), Text(pRight));
    EXPECT_EQ(CString(_T("Mail")), Text(pLeft));
    EXPECT_TRUE(pPage->IsWindowVisible());
    EXPECT_EQ(0, pLeft->GetCustomPages().GetCount());
    EXPECT_EQ(1, pRight->GetCustomPages().GetCount());
    EXPECT_TRUE(pRight->RemoveCustomPage(1, pTo));
    // Anything but an outlook bar is refused.
    ProgramPage& mail = *programPages[0];
    EXPECT_FALSE(mail.pPage->DockControlBar(pFrame->GetDockManager()->FindDockBar(CBRS_ALIGN_TOP, TRUE), NULL,
                                            SP_DM_MOUSE));
    EXPECT_FALSE(mail.pPage->DockControlBar(pRight, NULL, SP_DM_RECT));
}

TEST_F(BarFixture, PanesOfTheTabbedStyle0x40MakeOutlookBarsOfTheirTabs) {
    struct CPane : CSPDockingControlBar {
        void PostNcDestroy() override { delete this; }
    };
    auto make = [this](UINT nID, DWORD dwSide) -> CPane* {
        CPane* pPane = new CPane;
        CString strName;
        strName.Format(_T("Pane %u"), nID);
        if (!pPane->Create(strName, pFrame, CRect(0, 0, 150, 150), TRUE, nID, WS_CHILD | WS_VISIBLE | dwSide, 0x40,
                           SPCBRS_FLOAT | SPCBRS_RESIZE | SPCBRS_CLOSE)) {
            // it has deleted itself (PostNcDestroy)
            return NULL;
        }
        pPane->EnableDocking(CBRS_ALIGN_ANY);
        return pPane->DockToFrameSide(dwSide & CBRS_ALIGN_ANY, FALSE) ? pPane : NULL;
    };
    CPane* p1 = make(401, CBRS_LEFT);
    CPane* p2 = make(402, CBRS_RIGHT);
    ASSERT_NE(p1, nullptr);
    ASSERT_NE(p2, nullptr);
    EXPECT_EQ(RUNTIME_CLASS(CSPOutlookBar), p1->GetTabbedControlBarClass());
    CSPBaseTabbedBar* pTabbed = p2->AttachToTabWnd(p1, SP_DM_MOUSE, TRUE);
    ASSERT_NE(pTabbed, nullptr);
    PumpPending();
    ASSERT_TRUE(pTabbed->IsKindOf(RUNTIME_CLASS(CSPOutlookBar)));
    CSPOutlookBar* pBar = (CSPOutlookBar*)pTabbed;
    ASSERT_NE(pBar->GetOutlookWnd(), nullptr);
    EXPECT_EQ(2, pBar->GetTabsNum());
    EXPECT_TRUE(pBar->CanDetachTabs());
    // Docking panes go in as they are.
    EXPECT_EQ(p1, pBar->GetTabWnd()->GetTabWnd(0));
    EXPECT_EQ(p2, pBar->GetTabWnd()->GetTabWnd(1));
    CRect rectTop, rectBottom;
    pBar->GetTabArea(rectTop, rectBottom);
    EXPECT_FALSE(rectTop.IsRectEmpty());
    EXPECT_EQ(3, pBar->GetDockingStatus(rectTop.CenterPoint(), 4));
    // Only a page can be no custom page, not a pane.
    EXPECT_FALSE(pBar->RemoveCustomPage(0, pBar->GetOutlookWnd()));

    // A runtime tabbed bar is written whole into its container's record;
    // read back, only a tabbed bar may come out, and this one is an outlook
    // bar again.
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        ar.WriteObject(pBar);
        ar.Close();
    }
    file.SeekToBegin();
    CArchive ar(&file, CArchive::load);
    CObject* pRead = ar.ReadObject(RUNTIME_CLASS(CSPBaseTabbedBar));
    ASSERT_NE(pRead, nullptr);
    EXPECT_TRUE(pRead->IsKindOf(RUNTIME_CLASS(CSPOutlookBar)));
    CSPOutlookBar* pReadBar = (CSPOutlookBar*)pRead;
    pReadBar->SetAutoDestroy(TRUE);
    EXPECT_TRUE(pReadBar->CSPDockingControlBar::Create(_T(""), pFrame, CRect(0, 0, 100, 100), TRUE, (UINT)-1,
                                                       WS_CHILD, 0x20));
    EXPECT_NE(pReadBar->GetOutlookWnd(), nullptr);
    pReadBar->DestroyWindow();
}

TEST_F(BarFixture, WhatABarThatCannotFloatTakesAndWhereItTakesIt) {
    CSPOutlookBar* pBar = MakeBar(kBarID);
    ASSERT_NE(pBar, nullptr);
    ASSERT_FALSE(pBar->CanFloat());
    EXPECT_FALSE(pBar->CanDetachTabs());
    EXPECT_FALSE(pBar->IsResizable());
    CSPOutlookBarPane page;
    CSPOutlookBarDockingPane wrapper;
    CSPDockingControlBar pane;
    EXPECT_TRUE(pBar->CanAcceptBar(&page));
    EXPECT_TRUE(pBar->CanAcceptBar(&wrapper));
    EXPECT_TRUE(pBar->CanAcceptBar(pBar));
    EXPECT_FALSE(pBar->CanAcceptBar(&pane));
    // The whole bar is its tab area; outside it nothing docks.
    CRect rectTop, rectBottom, rectClient;
    pBar->GetTabArea(rectTop, rectBottom);
    pBar->GetClientRect(rectClient);
    pBar->ClientToScreen(rectClient);
    EXPECT_EQ(rectClient, rectTop);
    EXPECT_TRUE(rectBottom.IsRectEmpty());
    EXPECT_EQ(3, pBar->GetDockingStatus(rectClient.CenterPoint(), 4));
    EXPECT_EQ(0, pBar->GetDockingStatus(CPoint(rectClient.right + 2, rectClient.CenterPoint().y), 4));
    // With one page the button stays: the bar does not float.
    CRect rectButton;
    ASSERT_TRUE(pBar->GetOutlookWnd()->GetTabRect(0, rectButton));
    EXPECT_FALSE(rectButton.IsRectEmpty());
}

TEST_F(BarFixture, AFloatingCapableBarShowsASinglePageWithoutItsButton) {
    CSPOutlookBar* pBar = MakeBar(kBarID, CBRS_LEFT, SPCBRS_RESIZE | SPCBRS_FLOAT);
    ASSERT_NE(pBar, nullptr);
    EXPECT_TRUE(pBar->CanDetachTabs());
    CSPOutlookWnd* pTabs = pBar->GetOutlookWnd();
    EXPECT_EQ(CSPBaseTabWnd::LOCATION_TOP, pTabs->GetLocation());
    CRect rectButton;
    ASSERT_TRUE(pTabs->GetTabRect(0, rectButton));
    EXPECT_TRUE(rectButton.IsRectEmpty());
    ASSERT_NE(pBar->AddCustomPage(_T("Projects"), FALSE), nullptr);
    ASSERT_TRUE(pTabs->GetTabRect(0, rectButton));
    EXPECT_FALSE(rectButton.IsRectEmpty());
    // A floating-capable bar takes any docking pane.
    CSPDockingControlBar pane;
    EXPECT_TRUE(pBar->CanAcceptBar(&pane));
    // Its tab areas are the button groups.
    CRect rectTop, rectBottom, rectFirst;
    pBar->GetTabArea(rectTop, rectBottom);
    ASSERT_TRUE(pTabs->GetTabRect(0, rectFirst));
    pTabs->ClientToScreen(rectFirst);
    EXPECT_EQ(rectFirst.top, rectTop.top);
}
