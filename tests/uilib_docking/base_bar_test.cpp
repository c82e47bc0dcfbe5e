// The base control bar: creation, the style words, its visibility state in
// the registry, and the frame services it reaches through its dock site.
#include "docking_support.h"

#include <commctrl.h>

#include "SPClientHooks.h"
#include "SPDockManager.h"
#include "SPMDIChildWnd.h"
#include "SPMDIFrameWnd.h"
#include "SPOleCntrFrameWnd.h"
#include "SPOleDocIPFrameWnd.h"
#include "SPOleIPFrameWnd.h"

using namespace docktest;

namespace {

struct BaseBarFixture : ::testing::Test {
    CSPFrameWnd* pFrame = NULL;
    std::unique_ptr<CSPBaseControlBar> bar{new CSPBaseControlBar};

    void SetUp() override {
        pFrame = MakeFrame();
        ASSERT_NE(pFrame, nullptr);
        ASSERT_TRUE(bar->CreateEx(0, BarClass(), _T("bar"), WS_CHILD | WS_VISIBLE, CRect(10, 10, 110, 40), pFrame,
                                  0x1234, SPCBRS_FLOAT | SPCBRS_CLOSE));
    }
    void TearDown() override {
        if (pFrame != NULL && pFrame->GetSafeHwnd() != NULL) pFrame->DestroyWindow();
        CSPDockManager::m_bRestoringDockState = FALSE;
    }
};

}  // namespace

TEST_F(BaseBarFixture, CreationFixesTheDockSiteAndTheStyleWords) {
    EXPECT_EQ(bar->GetDockSite(), pFrame);
    EXPECT_EQ(bar->GetDlgCtrlID(), 0x1234);
    // The window style joins the bar style; the library style is taken as given.
    EXPECT_EQ(bar->GetControlBarStyle(), (DWORD)(WS_CHILD | WS_VISIBLE));
    EXPECT_EQ(bar->GetSPBarStyle(), (DWORD)(SPCBRS_FLOAT | SPCBRS_CLOSE));
    EXPECT_TRUE(bar->CanFloat());
    EXPECT_TRUE(bar->IsResizable());
    EXPECT_TRUE(bar->CanBeClosed());
    EXPECT_FALSE(bar->CanBeResized());
    EXPECT_FALSE(bar->CanAutoHide());
    EXPECT_TRUE(bar->IsDocked());
    EXPECT_FALSE(bar->IsFloating());
    EXPECT_FALSE(bar->IsTabbed());
    EXPECT_EQ(bar->GetDockMode(), 2);
    bar->SetDockMode(1);
    EXPECT_EQ(bar->GetDockMode(), 1);

    // A bar created inside a child window still finds the frame.
    CWnd child;
    ASSERT_TRUE(child.CreateEx(0, BarClass(), _T(""), WS_CHILD, CRect(0, 0, 50, 50), pFrame, 7));
    CSPBaseControlBar inner;
    ASSERT_TRUE(inner.CreateEx(0, BarClass(), _T(""), WS_CHILD, CRect(0, 0, 10, 10), &child, 8, 0));
    EXPECT_EQ(inner.GetDockSite(), pFrame);
    EXPECT_FALSE(inner.CanFloat());
    EXPECT_FALSE(inner.IsResizable());
}

TEST_F(BaseBarFixture, AlignmentWordsAndFixedLayout) {
    bar->SetControlBarStyle(0xA3F4);
    bar->SetCurrentAlignment(CBRS_ALIGN_RIGHT);
    EXPECT_EQ(bar->GetControlBarStyle(), 0x43F4u);
    EXPECT_EQ(bar->GetCurrentAlignment(), (DWORD)CBRS_ALIGN_RIGHT);

    struct {
        DWORD dwAlign;
        BOOL bHorz;
    } cases[] = {{CBRS_ALIGN_LEFT, FALSE}, {CBRS_ALIGN_TOP, TRUE}, {CBRS_ALIGN_RIGHT, FALSE},
                 {CBRS_ALIGN_BOTTOM, TRUE}, {0, FALSE}};
    for (auto& c : cases) {
        bar->SetCurrentAlignment(c.dwAlign);
        EXPECT_EQ(bar->IsHorizontal(), c.bHorz) << std::hex << c.dwAlign;
        EXPECT_EQ(bar->GetControlBarStyle() & ~CBRS_ALIGN_ANY, 0x03F4u);
    }

    bar->EnableDocking(CBRS_ALIGN_LEFT | CBRS_ALIGN_TOP);
    EXPECT_EQ(bar->GetEnabledAlignment(), (DWORD)(CBRS_ALIGN_LEFT | CBRS_ALIGN_TOP));

    EXPECT_EQ(bar->CalcFixedLayout(FALSE, TRUE), CSize(0, 0));
    EXPECT_EQ(bar->CalcFixedLayout(FALSE, FALSE), CSize(0, 0));
    EXPECT_EQ(bar->CalcFixedLayout(TRUE, TRUE), CSize(32767, 0));
    EXPECT_EQ(bar->CalcFixedLayout(TRUE, FALSE), CSize(0, 32767));
}

TEST_F(BaseBarFixture, VisibilityIsSavedAndRestoredUnderTheKeyRule) {
    // Index -1 and id -1: the key is named after the control id in decimal.
    const CString profile = ProfilePath("visibility");
    DeleteTree(profile);
    const CString key = profile + "SPBaseControlBar-4660";

    EXPECT_FALSE(bar->LoadState(profile));  // no key yet
    EXPECT_FALSE(bar->IsRestoredFromRegistry());

    ASSERT_TRUE(bar->SaveState(profile));
    EXPECT_EQ(ReadDword(key, "IsVisible"), 1);

    bar->ShowControlBar(FALSE, TRUE, FALSE);
    EXPECT_FALSE(bar->IsVisible());
    ASSERT_TRUE(bar->LoadState(profile));
    EXPECT_TRUE(bar->IsRestoredFromRegistry());
    EXPECT_TRUE(bar->GetRecentVisibleState());

    // While a docking state is applied the stored visibility answers.
    EXPECT_FALSE(bar->IsVisible());
    CSPDockManager::m_bRestoringDockState = TRUE;
    EXPECT_TRUE(bar->IsVisible());
    CSPDockManager::m_bRestoringDockState = FALSE;

    // The hidden bar saves 0; an index and an id name their own key.
    ASSERT_TRUE(bar->SaveState(profile, 3, 0x1F));
    EXPECT_EQ(ReadDword(profile + "SPBaseControlBar-31f", "IsVisible"), 0);
    EXPECT_EQ(ReadDword(key, "IsVisible"), 1);
    ASSERT_TRUE(bar->LoadState(profile, 3, 0x1F));
    EXPECT_FALSE(bar->GetRecentVisibleState());
    DeleteTree(profile);
}

TEST_F(BaseBarFixture, DefaultKeyFollowsTheApplicationProfile) {
    const CString key = "SOFTWARE\\TomewiseTests\\UilibDockingTests\\SPBaseControlBars\\SPBaseControlBar-4660";
    ASSERT_TRUE(bar->SaveState());
    EXPECT_EQ(ReadDword(key, "IsVisible"), 1);
    WriteDword(key, "IsVisible", 0);
    ASSERT_TRUE(bar->LoadState());
    EXPECT_FALSE(bar->GetRecentVisibleState());
    DeleteTree("SOFTWARE\\TomewiseTests\\UilibDockingTests\\SPBaseControlBars");
}

TEST_F(BaseBarFixture, SerializeCarriesAlignmentAndVisibility) {
    bar->SetCurrentAlignment(CBRS_ALIGN_BOTTOM);
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        bar->Serialize(ar);
    }
    EXPECT_EQ(file.GetLength(), 8u);
    file.SeekToBegin();

    CSPBaseControlBar other;
    ASSERT_TRUE(other.CreateEx(0, BarClass(), _T(""), WS_CHILD, CRect(0, 0, 10, 10), pFrame, 9));
    CArchive ar(&file, CArchive::load);
    other.Serialize(ar);
    EXPECT_EQ(other.GetCurrentAlignment(), (DWORD)CBRS_ALIGN_BOTTOM);
    EXPECT_TRUE(other.GetRecentVisibleState());
}

TEST_F(BaseBarFixture, HelpHitTestOverNoToolAnswersTheControlId) {
    EXPECT_EQ(bar->SendMessage(WM_HELPHITTEST, 0, MAKELPARAM(5, 5)), 0x51234);
    bar->SetDlgCtrlID(0);
    EXPECT_EQ(bar->SendMessage(WM_HELPHITTEST, 0, MAKELPARAM(5, 5)), 0);
    bar->SetDlgCtrlID(0x30000);  // only the low 16 bits count
    EXPECT_EQ(bar->SendMessage(WM_HELPHITTEST, 0, MAKELPARAM(5, 5)), 0);
}

namespace {

// An owner that records what reaches it.
class CRecordingOwner : public CWnd {
public:
    UINT m_nLastCmd = 0;
    UINT m_nNotifyCode = 0;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_COMMAND) {
            m_nLastCmd = LOWORD(wParam);
            return 42;
        }
        if (message == WM_NOTIFY) {
            m_nNotifyCode = ((NMHDR*)lParam)->code;
            return 0;  // gives no tooltip text
        }
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

}  // namespace

TEST_F(BaseBarFixture, CommandsTheBarDoesNotHandleGoToItsOwner) {
    CRecordingOwner owner;
    ASSERT_TRUE(owner.CreateEx(0, BarClass(), _T("owner"), WS_CHILD, CRect(0, 0, 10, 10), pFrame, 11));
    bar->SetOwner(&owner);
    EXPECT_EQ(bar->SendMessage(WM_COMMAND, MAKEWPARAM(0x7777, 0), 0), 42);
    EXPECT_EQ(owner.m_nLastCmd, 0x7777u);

    // A tooltip request the owner leaves unanswered falls back to the bar.
    NMTTDISPINFOA info = {};
    info.hdr.code = TTN_NEEDTEXTA;
    info.hdr.hwndFrom = bar->GetSafeHwnd();
    bar->SendMessage(WM_NOTIFY, 0, (LPARAM)&info);
    EXPECT_EQ(owner.m_nNotifyCode, (UINT)TTN_NEEDTEXTA);
    EXPECT_EQ(info.szText[0], 0);
    owner.DestroyWindow();
}

TEST_F(BaseBarFixture, VisualManagersReadTheBarThroughTheHook) {
    bar->SetCurrentAlignment(CBRS_ALIGN_TOP);
    SPBarInfo info = SPClientHooks::GetBarInfo(bar.get());
    EXPECT_EQ(info.pWnd, bar.get());
    EXPECT_EQ(info.dwStyle, bar->GetControlBarStyle());
    EXPECT_FALSE(info.bFloatingOrVertical);
    bar->SetCurrentAlignment(CBRS_ALIGN_LEFT);
    EXPECT_TRUE(SPClientHooks::GetBarInfo(bar.get()).bFloatingOrVertical);
    // Painting goes through the current visual manager.
    bar->UpdateWindow();
    CClientDC dc(bar.get());
    bar->DoPaint(&dc);
}

// --- the frame's docking services -----------------------------------------------

namespace {

// Runs the dispatchers of a bar whose dock site is pSite and reports what the
// site's dock manager (when it has one) saw.
void ExpectDispatchReaches(CFrameWnd* pSite, CWnd* pParent, CSPDockManager* pManager) {
    CSPBaseControlBar bar, target;
    ASSERT_TRUE(bar.CreateEx(0, BarClass(), _T(""), WS_CHILD | WS_VISIBLE, CRect(5, 5, 55, 35), pParent, 21));
    ASSERT_TRUE(target.CreateEx(0, BarClass(), _T(""), WS_CHILD | WS_VISIBLE, CRect(60, 5, 90, 35), pParent, 22));
    ASSERT_EQ(bar.GetDockSite(), pSite);

    bar.FrameAddControlBar(&bar);
    CRect rect;
    bar.GetWindowRect(rect);
    CSPBaseControlBar* pFound = bar.FrameControlBarFromPoint(rect.CenterPoint(), 0, TRUE, NULL);
    DWORD dwAlign = 99;
    BOOL bOuter = 99;
    EXPECT_FALSE(bar.FrameIsPointNearDockBar(rect.CenterPoint(), dwAlign, bOuter));

    if (pManager == NULL) {
        EXPECT_EQ(pFound, nullptr);
        EXPECT_FALSE(bar.FrameRemoveControlBar(&bar, FALSE, FALSE, FALSE));
        return;
    }
    EXPECT_EQ(pFound, &bar);
    EXPECT_TRUE(pManager->IsBarKnown(&bar));
    EXPECT_EQ(dwAlign, 0u);

    // Insertion before a bar the frame knows; docking through the site.
    target.FrameDockControlBar(TRUE);
    bar.FrameInsertControlBar(&target, &bar, FALSE);
    ASSERT_EQ(pManager->GetControlBarList().GetCount(), 2);
    EXPECT_EQ(pManager->GetControlBarList().GetHead(), &target);

    EXPECT_TRUE(bar.FrameRemoveControlBar(&bar, FALSE, TRUE, FALSE));
    EXPECT_FALSE(pManager->IsBarKnown(&bar));
    EXPECT_EQ(bar.FrameControlBarFromPoint(rect.CenterPoint(), 0, TRUE, NULL), nullptr);
    EXPECT_FALSE(bar.FrameRemoveControlBar(&bar, FALSE, FALSE, FALSE));
    EXPECT_TRUE(bar.FrameRemoveControlBar(&target, TRUE, FALSE, FALSE));
    EXPECT_EQ(target.GetSafeHwnd(), (HWND)NULL);  // destroyed on request
}

}  // namespace

TEST(FrameDispatch, ReachesEachLibraryFrameClass) {
    {
        SCOPED_TRACE("single-document frame");
        CSPFrameWnd* pFrame = MakeFrame();
        ASSERT_NE(pFrame, nullptr);
        ExpectDispatchReaches(pFrame, pFrame, pFrame->GetDockManager());
        pFrame->DestroyWindow();
    }
    {
        SCOPED_TRACE("multiple-document frame and its child");
        CSPMDIFrameWnd* pMDIFrame = new CSPMDIFrameWnd;
        ASSERT_TRUE(pMDIFrame->Create(NULL, _T("mdi"), WS_OVERLAPPEDWINDOW, CRect(0, 0, 600, 400)));
        ExpectDispatchReaches(pMDIFrame, pMDIFrame, pMDIFrame->GetDockManager());

        CSPMDIChildWnd* pChild = new CSPMDIChildWnd;
        ASSERT_TRUE(pChild->Create(NULL, _T("child"), WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW,
                                   CRect(0, 0, 300, 200), pMDIFrame));
        ExpectDispatchReaches(pChild, pChild, pChild->GetDockManager());
        // The child's bars stay the child's.
        EXPECT_EQ(pMDIFrame->GetDockManager()->GetControlBarList().GetCount(), 0);
        pMDIFrame->DestroyWindow();
    }
    {
        SCOPED_TRACE("in-place frames and the container's frame");
        CFrameWnd* frames[] = {new CSPOleIPFrameWnd, new CSPOleDocIPFrameWnd, new CSPOleCntrFrameWnd};
        for (CFrameWnd* pFrame : frames) {
            ASSERT_TRUE(pFrame->Create(NULL, _T("ole"), WS_OVERLAPPEDWINDOW, CRect(0, 0, 300, 200)));
            ExpectDispatchReaches(pFrame, pFrame, CSPFrameImpl::FromFrame(pFrame)->GetDockManager());
            pFrame->DestroyWindow();
        }
    }
    {
        SCOPED_TRACE("plain frame: no docking services");
        CFrameWnd* pPlain = new CFrameWnd;
        ASSERT_TRUE(pPlain->Create(NULL, _T("plain"), WS_OVERLAPPEDWINDOW, CRect(0, 0, 300, 200)));
        ExpectDispatchReaches(pPlain, pPlain, NULL);
        pPlain->DestroyWindow();
    }
}

TEST(FrameDispatch, BarsWithoutDockSite) {
    // A bar of a plain child window with no frame above it gets nothing.
    CWnd host;
    ASSERT_TRUE(host.CreateEx(0, BarClass(), _T("host"), WS_POPUP, CRect(0, 0, 200, 100), NULL, 0));
    CSPBaseControlBar loose;
    ASSERT_TRUE(loose.CreateEx(0, BarClass(), _T(""), WS_CHILD | WS_VISIBLE, CRect(0, 0, 50, 20), &host, 3));
    ASSERT_EQ(loose.GetDockSite(), nullptr);
    CSPBaseControlBar::m_bIsInDialog = FALSE;
    DWORD dwAlign = 0;
    BOOL bOuter = FALSE;
    EXPECT_FALSE(loose.FrameRemoveControlBar(&loose, FALSE, FALSE, FALSE));
    EXPECT_FALSE(loose.FrameIsPointNearDockBar(CPoint(1, 1), dwAlign, bOuter));
    EXPECT_FALSE(CSPBaseControlBar::m_bIsInDialog);

    // A bar in a dialog marks the process: requests of site-less bars are
    // then dropped with success.
    struct {
        DLGTEMPLATE dlg;
        WORD menu, cls, title;
    } tmpl = {};
    tmpl.dlg.style = WS_POPUP | DS_SETFONT * 0;
    tmpl.dlg.cx = 100;
    tmpl.dlg.cy = 60;
    CDialog dialog;
    ASSERT_TRUE(dialog.CreateIndirect(&tmpl.dlg, NULL));
    CSPBaseControlBar inDialog;
    ASSERT_TRUE(inDialog.CreateEx(0, BarClass(), _T(""), WS_CHILD, CRect(0, 0, 50, 20), &dialog, 4));
    EXPECT_EQ(inDialog.GetDockSite(), nullptr);
    EXPECT_TRUE(CSPBaseControlBar::m_bIsInDialog);
    EXPECT_TRUE(inDialog.FrameRemoveControlBar(&inDialog, FALSE, FALSE, FALSE));
    EXPECT_TRUE(inDialog.FrameIsPointNearDockBar(CPoint(1, 1), dwAlign, bOuter));
    EXPECT_EQ(inDialog.FrameControlBarFromPoint(CPoint(1, 1), 0, FALSE, NULL), nullptr);
    inDialog.DestroyWindow();
    dialog.DestroyWindow();
    CSPBaseControlBar::m_bIsInDialog = FALSE;
    loose.DestroyWindow();
    host.DestroyWindow();
}

namespace {

class CIdleBar : public CSPBaseControlBar {
public:
    CFrameWnd* m_pTarget = NULL;
    int m_nCalls = 0;
    BOOL m_bDisable = FALSE;
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override {
        m_pTarget = pTarget;
        m_bDisable = bDisableIfNoHndler;
        m_nCalls++;
    }
};

}  // namespace

TEST_F(BaseBarFixture, DialogTemplateBuildsTheClient) {
    CSPBaseControlBar dlgBar;
    dlgBar.SetDialogTemplate(MAKEINTRESOURCE(201));
    ASSERT_TRUE(dlgBar.CreateEx(0, NULL, NULL, WS_CHILD | WS_VISIBLE, CRect(0, 0, 0, 0), pFrame, 0x300));
    EXPECT_EQ(dlgBar.GetDlgCtrlID(), 0x300);
    EXPECT_NE(::GetDlgItem(dlgBar.GetSafeHwnd(), 1001), (HWND)NULL);
    CRect rect;
    dlgBar.GetWindowRect(rect);
    EXPECT_EQ(dlgBar.GetTemplateSize(), rect.Size());
    EXPECT_GT(rect.Width(), 0);
    EXPECT_EQ(dlgBar.GetDockSite(), pFrame);

    CSPBaseControlBar missing;
    missing.SetDialogTemplate(MAKEINTRESOURCE(999));
    EXPECT_FALSE(missing.CreateEx(0, NULL, NULL, WS_CHILD, CRect(0, 0, 0, 0), pFrame, 0x301));
    EXPECT_EQ(missing.GetSafeHwnd(), (HWND)NULL);
}

TEST_F(BaseBarFixture, IdleUpdateGoesToTheOwnerFrameOfAVisibleBar) {
    CIdleBar idle;
    ASSERT_TRUE(idle.CreateEx(0, BarClass(), _T(""), WS_CHILD, CRect(0, 0, 10, 10), pFrame, 5));
    idle.SendMessage(WM_IDLEUPDATECMDUI, TRUE, 0);
    EXPECT_EQ(idle.m_nCalls, 0);  // hidden: nothing
    idle.ShowWindow(SW_SHOWNOACTIVATE);
    idle.SendMessage(WM_IDLEUPDATECMDUI, TRUE, 0);
    EXPECT_EQ(idle.m_nCalls, 1);
    EXPECT_EQ(idle.m_pTarget, pFrame);
    EXPECT_TRUE(idle.m_bDisable);
}
