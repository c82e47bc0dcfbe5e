// Print preview in a library SDI frame: the bars hidden but the status bar
// and brought back, the library toolbar in place of the framework's
// buttons, page numbers in the status bar or the message line, the
// one/two-page switch, views with no pages or thousands, Alt and a letter
// during preview.
#include "afxwin.h"
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "FrameTestBars.h"
#include "MessageBoxRecorder.h"
#include "MessagePump.h"
#include "SPFrameWnd.h"
#include "SPMDIFrameWnd.h"
#include "SPPrintPreviewView.h"
#include "SPStatusBar.h"
#include "SPToolBar.h"
#include "SPToolbarButton.h"
#include "WindowPicture.h"

namespace {

// A printer that is a memory DC: the page is the screen's size.
BOOL AFXAPI MemoryPrinter(PRINTDLG* pPD) {
    pPD->hDC = ::CreateCompatibleDC(NULL);
    return pPD->hDC != NULL;
}

// A view whose pages say their number.
class CPagesView : public CView {
public:
    UINT nPages = 3;
    std::vector<UINT> printed;

    BOOL OnPreparePrinting(CPrintInfo* pInfo) override {
        pInfo->SetMaxPage(nPages);
        return DoPreparePrinting(pInfo);
    }
    void OnPrint(CDC* pDC, CPrintInfo* pInfo) override {
        printed.push_back(pInfo->m_nCurPage);
        CRect rect = pInfo->m_rectDraw;
        rect.DeflateRect(rect.Width() / 10, rect.Height() / 10);
        pDC->Rectangle(rect);
        CString str;
        str.Format("Page %u of the test document", pInfo->m_nCurPage);
        pDC->TextOut(rect.left + 20, rect.top + 20, str);
        for (int y = rect.top + 80; y < rect.bottom - 40; y += 40) pDC->TextOut(rect.left + 20, y, "Lorem ipsum dolor sit amet");
    }
    void OnDraw(CDC*) override {}
};

struct PreviewFixture : ::testing::Test {
    CSPFrameWnd* pFrame = NULL;
    CSPToolBar toolbar;
    CSPStatusBar status;
    CPagesView* pView = NULL;
    AFX_PRINTDLG_HOOK pfnOldHook = NULL;

    void SetUp() override {
        pfnOldHook = AfxSetPrintDialogHook(&MemoryPrinter);
        AfxGetApp()->m_nNumPreviewPages = 0;  // the two-page choice is remembered
        pFrame = new CSPFrameWnd;
        ASSERT_TRUE(pFrame->Create(NULL, _T("preview test"), WS_OVERLAPPEDWINDOW, CRect(20, 20, 660, 500)));
        pView = new CPagesView;
        ASSERT_TRUE(pView->Create(NULL, NULL, AFX_WS_DEFAULT_VIEW, CRect(0, 0, 10, 10), pFrame, AFX_IDW_PANE_FIRST));
        pFrame->SetActiveView(pView);
        ASSERT_TRUE(MakeRunToolbar(toolbar, pFrame, AFX_IDW_TOOLBAR, 0x7301));
        pFrame->AddControlBar(&toolbar);
    }
    void AddStatusBar() {
        ASSERT_TRUE(MakeStretchStatusBar(status, pFrame));
        pFrame->AddControlBar(&status);
    }
    void Show() {
        pFrame->ShowWindow(SW_SHOWNOACTIVATE);
        pFrame->RecalcLayout();
        PumpPending();
    }
    void TearDown() override {
        if (pFrame != NULL && pFrame->GetSafeHwnd() != NULL) pFrame->DestroyWindow();
        AfxSetPrintDialogHook(pfnOldHook);
    }
    CSPPrintPreviewView* Preview() { return DYNAMIC_DOWNCAST(CSPPrintPreviewView, pFrame->GetActiveView()); }
    CString StretchText() { return status.GetPaneText(0); }
    CRect ChildRect(CWnd* pWnd) { return RectIn(pFrame, pWnd); }
    void Command(UINT nID) {
        Preview()->SendMessage(WM_COMMAND, nID);
        PumpPending();
    }
    void UpdateButtons() { Preview()->GetToolBar()->SendMessage(WM_IDLEUPDATECMDUI, TRUE); }
};

TEST_F(PreviewFixture, BarsHideButTheStatusBarAndComeBackAfterClosing) {
    AddStatusBar();
    Show();
    const CRect rectViewBefore = ChildRect(pView);
    MessageBoxRecorder boxes;
    SPPrintPreview(pView);
    PumpPending();
    CSPPrintPreviewView* pPreview = Preview();
    ASSERT_TRUE(pPreview != NULL);
    EXPECT_TRUE(boxes.texts.empty());

    EXPECT_FALSE(toolbar.IsWindowVisible());
    EXPECT_TRUE(status.IsWindowVisible());
    EXPECT_FALSE(pView->IsWindowVisible());
    EXPECT_TRUE(pFrame->GetDockManager()->IsBarKnown(pPreview->GetToolBar()));
    EXPECT_TRUE(pPreview->GetToolBar()->IsWindowVisible());
    EXPECT_EQ(_T("Page 1"), StretchText());
    // The preview fills what the preview toolbar and the status bar leave.
    const CRect rectPreview = ChildRect(pPreview);
    EXPECT_EQ(ChildRect(pPreview->GetToolBar()).bottom, rectPreview.top);
    EXPECT_EQ(ChildRect(&status).top, rectPreview.bottom);
    // The Close button carries text and no image; Print both.
    CSPToolBar* pBar = pPreview->GetToolBar();
    CSPToolbarButton* pClose = pBar->GetButton(pBar->CommandToIndex(AFX_ID_PREVIEW_CLOSE));
    ASSERT_TRUE(pClose != NULL);
    EXPECT_TRUE(pClose->m_bText && !pClose->m_bImage);
    EXPECT_EQ(-1, pBar->CommandToIndex(ID_SP_PREVIEW_TWOPAGES));

    const char* pszDir = getenv("TW_FRAMES_SCREENSHOT_DIR");
    if (pszDir != NULL && *pszDir != 0) {
        Command(AFX_ID_PREVIEW_NUMPAGE);
        UpdateButtons();
        pFrame->RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
        PumpPending();
        EXPECT_TRUE(WriteWindowBitmap(pFrame->m_hWnd, (std::string(pszDir) + "\\print-preview.bmp").c_str(), TRUE));
    }

    Command(AFX_ID_PREVIEW_CLOSE);
    EXPECT_EQ(pView, pFrame->GetActiveView());
    EXPECT_TRUE(toolbar.IsWindowVisible());
    EXPECT_TRUE(pView->IsWindowVisible());
    EXPECT_EQ(AFX_IDW_PANE_FIRST, pView->GetDlgCtrlID());
    EXPECT_EQ(rectViewBefore, ChildRect(pView));
    EXPECT_TRUE(StretchText().IsEmpty());
    EXPECT_EQ(NULL, pFrame->GetDlgItem(AFX_IDW_PREVIEW_BAR));
    EXPECT_FALSE(pFrame->GetDockManager()->IsPrintPreviewValid());
    // Only the frame's own bars are left with the dock manager.
    EXPECT_EQ(2, pFrame->GetDockManager()->GetControlBarList().GetCount());
}

TEST_F(PreviewFixture, TheTwoPageSwitchAndThePageNumbers) {
    AddStatusBar();
    Show();
    pView->nPages = 5;
    SPPrintPreview(pView);
    PumpPending();
    CSPPrintPreviewView* pPreview = Preview();
    ASSERT_TRUE(pPreview != NULL);
    CSPToolBar* pBar = pPreview->GetToolBar();
    CSPToolbarButton* pPages = pBar->GetButton(pPreview->GetPagesButtonIndex());
    ASSERT_TRUE(pPages != NULL);
    ASSERT_NE(pPreview->GetOnePageImage(), pPreview->GetTwoPagesImage());

    struct Step {
        UINT nCmd;
        const char* pszStatus;
        bool bTwoPagesShown;
    } steps[] = {
        {0, "Page 1", false},
        {AFX_ID_PREVIEW_NUMPAGE, "Pages 1-2", true},
        {AFX_ID_PREVIEW_NEXT, "Pages 2-3", true},
        {AFX_ID_PREVIEW_NUMPAGE, "Page 2", false},
        {AFX_ID_PREVIEW_PREV, "Page 1", false},
    };
    for (const Step& step : steps) {
        if (step.nCmd != 0) Command(step.nCmd);
        UpdateButtons();
        SCOPED_TRACE(step.pszStatus);
        EXPECT_EQ(CString(step.pszStatus), StretchText());
        // The button offers the other choice.
        EXPECT_EQ(step.bTwoPagesShown ? pPreview->GetOnePageImage() : pPreview->GetTwoPagesImage(), pPages->GetImage());
    }
    Command(AFX_ID_PREVIEW_CLOSE);
    EXPECT_TRUE(StretchText().IsEmpty());
}

TEST_F(PreviewFixture, ZoomingInShowsOnePageAndPrintLeavesThePreview) {
    AddStatusBar();
    Show();
    pView->nPages = 5;
    SPPrintPreview(pView);
    PumpPending();
    ASSERT_TRUE(Preview() != NULL);
    Command(AFX_ID_PREVIEW_NUMPAGE);
    EXPECT_EQ(_T("Pages 1-2"), StretchText());
    Command(AFX_ID_PREVIEW_ZOOMIN);
    EXPECT_EQ(_T("Page 1"), StretchText());
    EXPECT_EQ(1u, Preview()->m_nPages);
    Command(AFX_ID_PREVIEW_ZOOMOUT);
    EXPECT_EQ(_T("Pages 1-2"), StretchText());  // back to the pages chosen
    // Print closes the preview and prints from the view (a memory DC
    // cannot start a job: the view says so).
    MessageBoxRecorder boxes;
    Command(AFX_ID_PREVIEW_PRINT);
    EXPECT_EQ(pView, pFrame->GetActiveView());
    EXPECT_TRUE(toolbar.IsWindowVisible());
    EXPECT_EQ(1u, boxes.texts.size());
}

TEST_F(PreviewFixture, WithoutALibraryStatusBarTheMessageLineShowsThePage) {
    CWnd line;
    ASSERT_TRUE(line.Create(_T("STATIC"), _T(""), WS_CHILD | WS_VISIBLE, CRect(0, 0, 100, 20), pFrame,
                            AFX_IDW_STATUS_BAR));
    Show();
    SPPrintPreview(pView);
    PumpPending();
    ASSERT_TRUE(Preview() != NULL);
    CString str;
    line.GetWindowText(str);
    EXPECT_EQ(_T("Page 1"), str);
    Command(AFX_ID_PREVIEW_CLOSE);
}

TEST_F(PreviewFixture, NoPagesOrThousands) {
    AddStatusBar();
    Show();
    struct Case {
        UINT nPages;
        UINT nGoTo;
        const char* pszStatus;
    } cases[] = {{0, 1, ""}, {3000, 2999, "Page 2999"}, {3000, 5000, "Page 3000"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.nPages);
        pView->nPages = c.nPages;
        pView->printed.clear();
        SPPrintPreview(pView);
        PumpPending();
        CSPPrintPreviewView* pPreview = Preview();
        ASSERT_TRUE(pPreview != NULL);
        pPreview->SetCurrentPage(c.nGoTo);
        pPreview->UpdateWindow();
        EXPECT_EQ(CString(c.pszStatus), StretchText());
        // Only the shown page is ever printed.
        EXPECT_LE(pView->printed.size(), 4u);
        Command(AFX_ID_PREVIEW_CLOSE);
        EXPECT_EQ(pView, pFrame->GetActiveView());
    }
}

TEST_F(PreviewFixture, AltAndALetterReachOnlyThePreviewToolbar) {
    AddStatusBar();
    Show();
    SPPrintPreview(pView);
    PumpPending();
    CSPPrintPreviewView* pPreview = Preview();
    ASSERT_TRUE(pPreview != NULL);
    // The frame's toolbar is hidden; even shown again it is not asked.
    toolbar.ShowWindow(SW_SHOWNOACTIVATE);
    CSPToolBar* pBar = pPreview->GetToolBar();
    pBar->SetButtonText(pBar->CommandToIndex(AFX_ID_PREVIEW_CLOSE), _T("&Close"));
    pBar->AdjustLayout();
    EXPECT_NE(MAKELRESULT(2, 0xFFFF), pFrame->SendMessage(WM_MENUCHAR, MAKEWPARAM('r', MF_POPUP), 0));
    EXPECT_EQ(MAKELRESULT(2, 0xFFFF), pFrame->SendMessage(WM_MENUCHAR, MAKEWPARAM('c', MF_POPUP), 0));
    PumpPending();
    EXPECT_EQ(pView, pFrame->GetActiveView());  // Alt+C closed the preview
}

}  // namespace

namespace {

// The same in a library MDI application: the preview takes the main frame
// in place of the MDI client and gives it back.
TEST(MdiPreview, TheMainFrameShowsThePreviewAndGetsItsLayoutBack) {
    AFX_PRINTDLG_HOOK pfnOld = AfxSetPrintDialogHook(&MemoryPrinter);
    AfxGetApp()->m_nNumPreviewPages = 0;
    CSPMDIFrameWnd* pFrame = new CSPMDIFrameWnd;
    ASSERT_TRUE(pFrame->Create(NULL, _T("mdi preview test"), WS_OVERLAPPEDWINDOW, CRect(20, 20, 660, 500)));
    CSPToolBar toolbar;
    CSPStatusBar status;
    ASSERT_TRUE(MakeRunToolbar(toolbar, pFrame, AFX_IDW_TOOLBAR, 0x7301));
    ASSERT_TRUE(MakeStretchStatusBar(status, pFrame));
    pFrame->AddControlBar(&toolbar);
    pFrame->AddControlBar(&status);
    CMDIChildWnd* pChild = new CMDIChildWnd;
    ASSERT_TRUE(pChild->Create(NULL, _T("Document"), WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW,
                               CRect(0, 0, 300, 200), pFrame));
    CPagesView* pView = new CPagesView;
    ASSERT_TRUE(pView->Create(NULL, NULL, AFX_WS_DEFAULT_VIEW, CRect(0, 0, 10, 10), pChild, AFX_IDW_PANE_FIRST));
    pChild->SetActiveView(pView);
    pFrame->EnableMDITabs(TRUE);
    pFrame->ShowWindow(SW_SHOWNOACTIVATE);
    pFrame->RecalcLayout();
    PumpPending();
    CSPTabWnd& tabs = pFrame->GetClientArea().GetMDITabs();
    ASSERT_EQ(1, tabs.GetTabsNum());
    EXPECT_TRUE(tabs.IsWindowVisible());
    CWnd* pClient = CWnd::FromHandle(pFrame->m_hWndMDIClient);
    CRect rectClientBefore;
    pClient->GetWindowRect(rectClientBefore);

    SPPrintPreview(pView);
    PumpPending();
    CSPPrintPreviewView* pPreview = DYNAMIC_DOWNCAST(CSPPrintPreviewView, pFrame->GetActiveView());
    ASSERT_TRUE(pPreview != NULL);
    EXPECT_FALSE(pClient->IsWindowVisible());
    EXPECT_FALSE(tabs.IsWindowVisible());  // no document tabs over a preview
    EXPECT_FALSE(toolbar.IsWindowVisible());
    EXPECT_TRUE(status.IsWindowVisible());
    EXPECT_EQ(_T("Page 1"), status.GetPaneText(0));
    EXPECT_TRUE(pPreview->GetToolBar()->IsWindowVisible());

    pPreview->SendMessage(WM_COMMAND, AFX_ID_PREVIEW_CLOSE);
    PumpPending();
    EXPECT_TRUE(pClient->IsWindowVisible());
    EXPECT_EQ(AFX_IDW_PANE_FIRST, pClient->GetDlgCtrlID());
    EXPECT_TRUE(tabs.IsWindowVisible());
    EXPECT_EQ(1, tabs.GetTabsNum());
    EXPECT_TRUE(toolbar.IsWindowVisible());
    CRect rectClientAfter;
    pClient->GetWindowRect(rectClientAfter);
    EXPECT_EQ(rectClientBefore, rectClientAfter);
    EXPECT_TRUE(status.GetPaneText(0).IsEmpty());
    EXPECT_TRUE(::IsWindow(pView->m_hWnd));
    pFrame->DestroyWindow();
    AfxSetPrintDialogHook(pfnOld);
}

}  // namespace
