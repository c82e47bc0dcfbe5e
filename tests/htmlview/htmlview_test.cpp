// CHtmlView: pages written into a folder of this program, shown in a frame;
// navigation, fragments, scrolling, the wheel, link clicks (external ones
// through the shell seam), resizing, bad addresses and printing through the
// print dialog seam.
#include "afxhtml.h"
#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

namespace {

class CHtmlViewTestApp : public CWinApp {
public:
    CHtmlViewTestApp() : CWinApp(_T("HtmlViewTests")) {}
};
CHtmlViewTestApp theTestApp;

std::vector<std::string> g_messageBoxes;
int AFXAPI RecordMessageBox(LPCTSTR lpszText, UINT, UINT) {
    g_messageBoxes.push_back(lpszText);
    return IDOK;
}

class CTestHtmlView : public CHtmlView {
    DECLARE_DYNCREATE(CTestHtmlView)
public:
    std::vector<std::string> external, completed, errors, before;
    std::string title;
    BOOL bCancel = FALSE;
    BOOL OpenExternalLink(LPCTSTR lpszURL) override {
        external.push_back(lpszURL);
        return TRUE;
    }
    void OnBeforeNavigate2(LPCTSTR lpszURL, DWORD, LPCTSTR, CByteArray&, LPCTSTR, BOOL* pbCancel) override {
        before.push_back(lpszURL);
        *pbCancel = bCancel;
    }
    void OnDocumentComplete(LPCTSTR lpszURL) override { completed.push_back(lpszURL); }
    void OnNavigateError(LPCTSTR lpszURL) override { errors.push_back(lpszURL); }
    void OnTitleChange(LPCTSTR lpszText) override { title = lpszText; }
};
IMPLEMENT_DYNCREATE(CTestHtmlView, CHtmlView)

std::string g_dir;  // the pages' folder
std::string g_url;  // its file url, ending in '/'

void WritePage(const std::string& name, const std::string& text) {
    std::ofstream f(g_dir + "\\" + name, std::ios::binary);
    f << text;
}

std::string Paragraphs(int n, const char* word) {
    std::string s;
    for (int i = 0; i < n; i++) s += "<p>" + std::string(word) + " " + std::to_string(i) + "</p>\n";
    return s;
}

class HtmlView : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        char buf[MAX_PATH];
        ::GetTempPathA(MAX_PATH, buf);
        g_dir = std::string(buf) + "tw_htmlview_" + std::to_string(::GetCurrentProcessId());
        ::CreateDirectoryA(g_dir.c_str(), NULL);
        g_url = "file:///";
        for (char c : g_dir) g_url += c == '\\' ? '/' : c;
        g_url += "/";
        WritePage("index.htm",
                  "<html><head><title>Index\n  Page</title></head><body>\n"
                  "<p><a href=\"page2.htm\">Second page</a></p>\n"
                  "<p><a href=\"page2.htm#sec\">Second page, section</a></p>\n"
                  "<p><a href=\"http://example.com/help?x=1\">External</a></p>\n"
                  "<p><a href=\"javascript:void(0)\">Script</a></p>\n"
                  "<p><a href=\"missing.htm\">Missing</a></p>\n"
                  "<p><a href=\"#end\">Down</a></p>\n" +
                      Paragraphs(80, "Line") + "<p><a name=\"end\">The end</a></p>\n</body></html>");
        WritePage("page2.htm", "<html><head><title>Second</title></head><body>\n" + Paragraphs(100, "Before") +
                                   "<h2><a name=\"sec\">Section</a></h2>\n" + Paragraphs(60, "After") +
                                   "</body></html>");
        WritePage("wide.htm",
                  "<html><body><div style=\"width:1500px; background-color:#eeeeee\">wide</div>" + Paragraphs(60, "Row") + "</body></html>");
        std::string odd = g_dir + "\\a b#c";
        ::CreateDirectoryA(odd.c_str(), NULL);
        std::ofstream(odd + "\\page.htm", std::ios::binary)
            << "<html><head><title>Odd folder</title></head><body><p><a href=\"../page2.htm#sec\">Up</a></p></body></html>";
    }
    static void TearDownTestSuite() {
        for (const char* name : {"index.htm", "page2.htm", "wide.htm"}) ::DeleteFileA((g_dir + "\\" + name).c_str());
        ::DeleteFileA((g_dir + "\\a b#c\\page.htm").c_str());
        ::RemoveDirectoryA((g_dir + "\\a b#c").c_str());
        ::RemoveDirectoryA(g_dir.c_str());
    }

    CFrameWnd* pFrame = NULL;
    CTestHtmlView* pView = NULL;
    AFX_MESSAGEBOX_HOOK pfnOldHook = NULL;

    void SetUp() override {
        g_messageBoxes.clear();
        pfnOldHook = AfxSetMessageBoxHook(&RecordMessageBox);
        pFrame = new CFrameWnd;
        CCreateContext context;
        context.m_pNewViewClass = RUNTIME_CLASS(CTestHtmlView);
        ASSERT_TRUE(pFrame->Create(NULL, _T("view"), WS_OVERLAPPEDWINDOW, CRect(0, 0, 640, 480), NULL, NULL, 0,
                                   &context));
        pFrame->InitialUpdateFrame(NULL, TRUE);
        pView = (CTestHtmlView*)pFrame->GetActiveView();
        ASSERT_NE(pView, nullptr);
        ASSERT_TRUE(pView->IsKindOf(RUNTIME_CLASS(CHtmlView)));
    }
    void TearDown() override {
        if (pFrame != NULL && pFrame->m_hWnd != NULL) pFrame->DestroyWindow();
        AfxSetMessageBoxHook(pfnOldHook);
        EXPECT_TRUE(g_messageBoxes.empty());
    }

    CSize Client() {
        CRect rc;
        pView->GetClientRect(&rc);
        return rc.Size();
    }
    // A client point over the link whose address ends in suffix.
    bool FindLink(const std::string& suffix, CPoint* pPt) {
        CSize size = Client();
        for (int y = 0; y < size.cy; y += 2)
            for (int x = 0; x < 200; x += 4) {
                std::string link = (LPCTSTR)pView->GetLinkAt(CPoint(x, y));
                if (link.size() >= suffix.size() && link.compare(link.size() - suffix.size(), suffix.size(), suffix) == 0) {
                    *pPt = CPoint(x, y);
                    return true;
                }
            }
        return false;
    }
    void Click(CPoint pt) {
        pView->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
        pView->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(pt.x, pt.y));
    }
    int MaxScrollY() { return std::max(0L, pView->GetPageSize().cy - Client().cy); }
};

TEST_F(HtmlView, BlankPageAndAFilePage) {
    pView->Navigate2(_T("about:blank"));
    EXPECT_EQ(std::string(pView->GetLocationURL()), "about:blank");
    EXPECT_FALSE(pView->IsErrorPage());
    EXPECT_LE(pView->GetPageSize().cy, Client().cy);

    std::string url = g_url + "index.htm";
    pView->Navigate2(url.c_str());
    EXPECT_EQ(std::string(pView->GetLocationURL()), url);
    EXPECT_EQ(std::string(pView->GetLocationName()), "Index Page");
    EXPECT_EQ(pView->title, "Index Page");
    EXPECT_EQ(pView->completed.back(), url);
    EXPECT_EQ(pView->GetPageSize().cx, Client().cx);
    EXPECT_GT(pView->GetPageSize().cy, 3 * Client().cy);
    EXPECT_EQ(pView->GetScrollPosition(), CPoint(0, 0));
    // the scroll bar knows the page
    SCROLLINFO si = {sizeof(si), SIF_ALL};
    ::GetScrollInfo(pView->m_hWnd, SB_VERT, &si);
    EXPECT_EQ(si.nMax, pView->GetPageSize().cy - 1);
    EXPECT_EQ((int)si.nPage, Client().cy);
}

TEST_F(HtmlView, AFragmentScrollsToItsAnchor) {
    std::string url = g_url + "page2.htm#sec";
    pView->Navigate2(url.c_str());
    EXPECT_EQ(std::string(pView->GetLocationURL()), url);
    CPoint ptAnchor;
    ASSERT_TRUE(pView->GetAnchorPosition(_T("sec"), &ptAnchor));
    EXPECT_GT(ptAnchor.y, Client().cy);
    EXPECT_LT(ptAnchor.y, MaxScrollY());
    EXPECT_EQ(pView->GetScrollPosition(), CPoint(0, ptAnchor.y));
    EXPECT_FALSE(pView->GetAnchorPosition(_T("nothere"), &ptAnchor));

    // an unknown fragment shows the page from its top
    pView->Navigate2((g_url + "index.htm#nothere").c_str());
    EXPECT_EQ(pView->GetScrollPosition(), CPoint(0, 0));
    EXPECT_FALSE(pView->IsErrorPage());

    // a fragment of the page shown scrolls without reading it again
    size_t nTitles = pView->title.size();
    pView->title.clear();
    pView->Navigate2((g_url + "index.htm#end").c_str());
    EXPECT_TRUE(pView->title.empty());
    (void)nTitles;
    ASSERT_TRUE(pView->GetAnchorPosition(_T("end"), &ptAnchor));
    EXPECT_EQ(pView->GetScrollPosition().y, std::min((int)ptAnchor.y, MaxScrollY()));
    EXPECT_GT(pView->GetScrollPosition().y, 0);
}

TEST_F(HtmlView, ScrollBarsKeysAndTheWheelScroll) {
    pView->Navigate2((g_url + "page2.htm").c_str());
    int nPage = Client().cy - 20;
    struct {
        UINT nMsg;
        WPARAM wParam;
        int y;  // expected position afterwards; -1: the bottom
    } steps[] = {
        {WM_VSCROLL, SB_LINEDOWN, 20},
        {WM_VSCROLL, SB_LINEDOWN, 40},
        {WM_VSCROLL, SB_LINEUP, 20},
        {WM_VSCROLL, SB_PAGEDOWN, 20 + nPage},
        {WM_VSCROLL, SB_TOP, 0},
        {WM_VSCROLL, SB_LINEUP, 0},  // not above the top
        {WM_VSCROLL, SB_BOTTOM, -1},
        {WM_VSCROLL, SB_LINEDOWN, -1},  // not below the bottom
        {WM_KEYDOWN, VK_HOME, 0},
        {WM_KEYDOWN, VK_DOWN, 20},
        {WM_KEYDOWN, VK_NEXT, 20 + nPage},
        {WM_KEYDOWN, VK_END, -1},
    };
    for (const auto& s : steps) {
        pView->SendMessage(s.nMsg, s.wParam, 0);
        int expected = s.y < 0 ? MaxScrollY() : s.y;
        EXPECT_EQ(pView->GetScrollPosition().y, expected) << s.nMsg << " " << s.wParam;
        EXPECT_EQ(pView->GetScrollPos(SB_VERT), expected);
    }
    // the wheel: lines of the system setting, 120 a notch
    pView->SendMessage(WM_KEYDOWN, VK_HOME);
    UINT nLines = 3;
    ::SystemParametersInfo(SPI_GETWHEELSCROLLLINES, 0, &nLines, 0);
    int nNotch = nLines == WHEEL_PAGESCROLL ? nPage : (int)nLines * 20;
    pView->SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, (WORD)(short)-240), MAKELPARAM(10, 10));
    EXPECT_EQ(pView->GetScrollPosition().y, 2 * nNotch);
    pView->SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, (WORD)(short)120), MAKELPARAM(10, 10));
    EXPECT_EQ(pView->GetScrollPosition().y, nNotch);
    // a thumb drag goes to the bar's track position
    pView->ScrollToPosition(CPoint(0, 100));
    EXPECT_EQ(pView->GetScrollPos(SB_VERT), 100);
}

TEST_F(HtmlView, AWidePageScrollsSideways) {
    pView->Navigate2((g_url + "wide.htm").c_str());
    EXPECT_GT(pView->GetPageSize().cx, 1500);
    int nMaxX = pView->GetPageSize().cx - Client().cx;
    pView->SendMessage(WM_HSCROLL, SB_LINEDOWN, 0);
    EXPECT_EQ(pView->GetScrollPosition(), CPoint(20, 0));
    pView->SendMessage(WM_KEYDOWN, VK_RIGHT);
    EXPECT_EQ(pView->GetScrollPosition().x, 40);
    pView->SendMessage(WM_HSCROLL, SB_BOTTOM, 0);
    EXPECT_EQ(pView->GetScrollPosition().x, nMaxX);
    EXPECT_EQ(pView->GetScrollPos(SB_HORZ), nMaxX);
    pView->SendMessage(WM_KEYDOWN, VK_LEFT);
    EXPECT_EQ(pView->GetScrollPosition().x, nMaxX - 20);
}

TEST_F(HtmlView, LinksNavigateInsideTheFolderAndGoOutThroughTheShell) {
    std::string index = g_url + "index.htm";
    pView->Navigate2(index.c_str());
    CPoint pt;
    ASSERT_TRUE(FindLink("/page2.htm", &pt));
    Click(pt);
    EXPECT_EQ(std::string(pView->GetLocationURL()), g_url + "page2.htm");
    EXPECT_EQ(pView->title, "Second");

    pView->Navigate2(index.c_str());
    ASSERT_TRUE(FindLink("/page2.htm#sec", &pt));
    Click(pt);
    EXPECT_EQ(std::string(pView->GetLocationURL()), g_url + "page2.htm#sec");
    CPoint ptAnchor;
    ASSERT_TRUE(pView->GetAnchorPosition(_T("sec"), &ptAnchor));
    EXPECT_EQ(pView->GetScrollPosition().y, ptAnchor.y);

    // external addresses go to the shell; the page stays
    pView->Navigate2(index.c_str());
    ASSERT_TRUE(FindLink("help?x=1", &pt));
    Click(pt);
    EXPECT_EQ(pView->external, std::vector<std::string>{"http://example.com/help?x=1"});
    EXPECT_EQ(std::string(pView->GetLocationURL()), index);
    // a script address goes nowhere
    ASSERT_TRUE(FindLink("void(0)", &pt));
    Click(pt);
    EXPECT_EQ(pView->external.size(), 1u);
    EXPECT_EQ(std::string(pView->GetLocationURL()), index);
    // a press on one link and a release elsewhere follows nothing
    CPoint ptOther;
    ASSERT_TRUE(FindLink("missing.htm", &ptOther));
    pView->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
    pView->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(ptOther.x, ptOther.y));
    EXPECT_EQ(std::string(pView->GetLocationURL()), index);
    // a link to a file that is not there shows the error page
    Click(ptOther);
    EXPECT_TRUE(pView->IsErrorPage());
    EXPECT_EQ(pView->errors, std::vector<std::string>{g_url + "missing.htm"});
    EXPECT_EQ(std::string(pView->GetLocationURL()), g_url + "missing.htm");

    // a navigation the view is told to cancel does not happen
    pView->Navigate2(index.c_str());
    pView->bCancel = TRUE;
    ASSERT_TRUE(FindLink("/page2.htm", &pt));
    Click(pt);
    EXPECT_EQ(pView->before.back(), g_url + "page2.htm");
    EXPECT_EQ(std::string(pView->GetLocationURL()), index);
}

TEST_F(HtmlView, EscapedFolderNamesAndPlainPaths) {
    // '#', blank: escaped in the url, the fragment after the real '#'
    std::string url = g_url + "a%20b%23c/page.htm";
    pView->Navigate2(url.c_str());
    EXPECT_FALSE(pView->IsErrorPage());
    EXPECT_EQ(pView->title, "Odd folder");
    EXPECT_EQ(std::string(pView->GetLocationURL()), url);
    // its relative link climbs back out and keeps the fragment
    CPoint pt;
    ASSERT_TRUE(FindLink("/page2.htm#sec", &pt));
    Click(pt);
    EXPECT_EQ(std::string(pView->GetLocationURL()), g_url + "page2.htm#sec");
    EXPECT_GT(pView->GetScrollPosition().y, 0);

    // a plain path and backslashes in a url are the same page
    pView->Navigate2((g_dir + "\\index.htm").c_str());
    EXPECT_EQ(std::string(pView->GetLocationURL()), g_url + "index.htm");
    std::string back = "file:///" + g_dir + "\\page2.htm";
    pView->Navigate2(back.c_str());
    EXPECT_EQ(pView->title, "Second");
}

TEST_F(HtmlView, BadAddressesShowTheErrorPageOrNothing) {
    pView->Navigate2((g_url + "index.htm").c_str());
    pView->Navigate2(_T("javascript:alert(1)"));  // not followed
    EXPECT_EQ(std::string(pView->GetLocationURL()), g_url + "index.htm");
    pView->Navigate2(_T("mailto:someone@example.com"));  // to the shell
    EXPECT_EQ(pView->external.back(), "mailto:someone@example.com");
    pView->Navigate2((g_url + "no/such/page.htm").c_str());
    EXPECT_TRUE(pView->IsErrorPage());
    EXPECT_GT(pView->GetPageSize().cy, 0);
    pView->Navigate2(_T("file:///"));  // no path at all
    pView->Navigate2(_T("file:///%00x.htm"));
    EXPECT_TRUE(pView->IsErrorPage());
    pView->Navigate2(_T(""));  // empty: the blank page
    EXPECT_EQ(std::string(pView->GetLocationURL()), "about:blank");
}

TEST_F(HtmlView, HostilePagesStillShow) {
    std::string deep = "<html><body>";
    for (int i = 0; i < 100000; i++) deep += "<div>";
    deep += "deep</body></html>";
    WritePage("deep.htm", deep);
    pView->Navigate2((g_url + "deep.htm").c_str());
    EXPECT_FALSE(pView->IsErrorPage());
    EXPECT_GT(pView->GetPageSize().cy, 0);
    // one unbreakable line of a megabyte: the page is wide, not endless
    WritePage("long.htm", "<html><body><pre>" + std::string(1 << 20, 'x') + "</pre><p>after</p></body></html>");
    pView->Navigate2((g_url + "long.htm").c_str());
    EXPECT_GT(pView->GetPageSize().cx, Client().cx);
    EXPECT_LE(pView->GetPageSize().cx, 1000000);
    pView->SendMessage(WM_HSCROLL, SB_BOTTOM, 0);
    EXPECT_EQ(pView->GetScrollPosition().x, pView->GetPageSize().cx - Client().cx);
    ::DeleteFileA((g_dir + "\\deep.htm").c_str());
    ::DeleteFileA((g_dir + "\\long.htm").c_str());
}

TEST_F(HtmlView, ThePageFollowsTheViewsWidth) {
    pView->Navigate2((g_url + "page2.htm").c_str());
    int nWidthBefore = pView->GetPageSize().cx;
    int nHeightBefore = pView->GetPageSize().cy;
    pFrame->SetWindowPos(NULL, 0, 0, 300, 480, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_EQ(pView->GetPageSize().cx, Client().cx);
    EXPECT_LT(pView->GetPageSize().cx, nWidthBefore);
    EXPECT_GE(pView->GetPageSize().cy, nHeightBefore);
    // the scroll position stays within the page
    pView->SendMessage(WM_VSCROLL, SB_BOTTOM, 0);
    pFrame->SetWindowPos(NULL, 0, 0, 900, 700, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_LE(pView->GetScrollPosition().y, MaxScrollY());
}

// --- printing --------------------------------------------------------------------------

struct PrintLog {
    bool bCancel = false;
    DWORD dwFlags = 0;
    int nDialogs = 0, nStartDoc = 0, nStartPage = 0, nEndPage = 0, nEndDoc = 0;
    std::string docName;
} g_print;

BOOL AFXAPI FakePrintDialog(PRINTDLG* pPD) {
    g_print.nDialogs++;
    g_print.dwFlags = pPD->Flags;
    if (g_print.bCancel) return FALSE;
    pPD->hDC = ::CreateCompatibleDC(NULL);  // a device without a printer
    return TRUE;
}
int WINAPI FakeStartDoc(HDC, const DOCINFO* pdi) {
    g_print.nStartDoc++;
    g_print.docName = pdi->lpszDocName != NULL ? pdi->lpszDocName : "";
    return 7;
}
int WINAPI FakeStartPage(HDC) { return ++g_print.nStartPage; }
int WINAPI FakeEndPage(HDC) { return ++g_print.nEndPage; }
int WINAPI FakeEndDoc(HDC) { return ++g_print.nEndDoc; }
int WINAPI FakeAbortDoc(HDC) { return 1; }
const AFX_PRINTJOB_CALLS g_fakeJob = {&FakeStartDoc, &FakeStartPage, &FakeEndPage, &FakeEndDoc, &FakeAbortDoc};

TEST_F(HtmlView, PrintingLaysThePageOutAtThePrintersWidth) {
    g_print = PrintLog();
    AFX_PRINTDLG_HOOK pfnOld = AfxSetPrintDialogHook(&FakePrintDialog);
    AfxSetPrintJobCalls(&g_fakeJob);
    pView->Navigate2((g_url + "page2.htm").c_str());

    // cancelled: no job
    g_print.bCancel = true;
    pView->SendMessage(WM_COMMAND, ID_FILE_PRINT);
    EXPECT_EQ(g_print.nDialogs, 1);
    EXPECT_EQ(g_print.nStartDoc, 0);
    EXPECT_TRUE(g_print.dwFlags & PD_RETURNDC);

    g_print.bCancel = false;
    pView->SendMessage(WM_COMMAND, ID_FILE_PRINT);
    EXPECT_EQ(g_print.nDialogs, 2);
    EXPECT_EQ(g_print.nStartDoc, 1);
    EXPECT_EQ(g_print.docName, "view");  // no document: the frame's text
    HDC hdcScreen = ::CreateCompatibleDC(NULL);
    int nDpi = ::GetDeviceCaps(hdcScreen, LOGPIXELSX);
    CSize sizeContent(::GetDeviceCaps(hdcScreen, HORZRES) * 96 / nDpi - 96,
                      ::GetDeviceCaps(hdcScreen, VERTRES) * 96 / ::GetDeviceCaps(hdcScreen, LOGPIXELSY) - 96);
    ::DeleteDC(hdcScreen);
    EXPECT_EQ(pView->GetPrintContentSize(), sizeContent);
    // the long page takes several pages, each started and ended
    EXPECT_GT(pView->GetPrintPageCount(), 1);
    EXPECT_EQ(g_print.nStartPage, pView->GetPrintPageCount());
    EXPECT_EQ(g_print.nEndPage, pView->GetPrintPageCount());
    EXPECT_EQ(g_print.nEndDoc, 1);
    // the view shows what it showed before
    EXPECT_EQ(std::string(pView->GetLocationURL()), g_url + "page2.htm");

    // the blank page prints one page
    pView->Navigate2(_T("about:blank"));
    g_print = PrintLog();
    pView->SendMessage(WM_COMMAND, ID_FILE_PRINT);
    EXPECT_EQ(pView->GetPrintPageCount(), 1);
    EXPECT_EQ(g_print.nStartPage, 1);

    AfxSetPrintJobCalls(NULL);
    AfxSetPrintDialogHook(pfnOld);
}

TEST_F(HtmlView, APrintJobThatCannotStartIsReported) {
    g_print = PrintLog();
    AFX_PRINTDLG_HOOK pfnOld = AfxSetPrintDialogHook(&FakePrintDialog);
    // the system's own calls: a memory DC has no print job
    pView->Navigate2((g_url + "index.htm").c_str());
    pView->SendMessage(WM_COMMAND, ID_FILE_PRINT);
    AfxSetPrintDialogHook(pfnOld);
    EXPECT_EQ(g_messageBoxes, std::vector<std::string>{"Could not start print job."});
    g_messageBoxes.clear();
}

// --- the view in a document window -------------------------------------------------

// A document that shows a blank page when new and refuses to close its window.
class CPageDoc : public CDocument {
    DECLARE_DYNCREATE(CPageDoc)
public:
    BOOL OnNewDocument() override {
        if (!CDocument::OnNewDocument()) return FALSE;
        POSITION pos = GetFirstViewPosition();
        if (pos != NULL) ((CHtmlView*)GetNextView(pos))->Navigate2(_T("about:blank"));
        return TRUE;
    }
    BOOL OnOpenDocument(LPCTSTR) override { return TRUE; }
    BOOL CanCloseFrame(CFrameWnd*) override { return FALSE; }
};
IMPLEMENT_DYNCREATE(CPageDoc, CDocument)

// A document window that opens maximised.
class CMaxChild : public CMDIChildWnd {
    DECLARE_DYNCREATE(CMaxChild)
public:
    void ActivateFrame(int nCmdShow) override { CMDIChildWnd::ActivateFrame(nCmdShow == -1 ? SW_SHOWMAXIMIZED : nCmdShow); }
};
IMPLEMENT_DYNCREATE(CMaxChild, CMDIChildWnd)

TEST_F(HtmlView, AsTheViewOfAMaximisedDocumentWindow) {
    CDocManager manager;
    CMultiDocTemplate* pTemplate = new CMultiDocTemplate(0x7000, RUNTIME_CLASS(CPageDoc), RUNTIME_CLASS(CMaxChild),
                                                         RUNTIME_CLASS(CTestHtmlView));
    manager.AddDocTemplate(pTemplate);
    theTestApp.m_pDocManager = &manager;
    CMDIFrameWnd* pMain = new CMDIFrameWnd;
    ASSERT_TRUE(pMain->Create(NULL, _T("Main"), WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE, CRect(0, 0, 700, 500)));
    HWND hWndMain = pMain->m_hWnd;
    theTestApp.m_pMainWnd = pMain;
    pMain->ShowWindow(SW_SHOW);

    CDocument* pDoc = manager.OpenDocumentFile(_T("Page Contents"));
    ASSERT_NE(pDoc, nullptr);
    CMDIChildWnd* pChild = pMain->MDIGetActive();
    ASSERT_NE(pChild, nullptr);
    EXPECT_TRUE(pChild->IsZoomed());
    CTestHtmlView* pPageView = (CTestHtmlView*)pChild->GetActiveView();
    ASSERT_NE(pPageView, nullptr);
    EXPECT_EQ(pPageView->GetDocument(), pDoc);
    // the view fills the window and follows the frame
    CRect rcChild, rcView;
    pChild->GetClientRect(&rcChild);
    pPageView->GetWindowRect(&rcView);
    EXPECT_EQ(rcView.Size(), rcChild.Size());
    pPageView->Navigate2((g_url + "page2.htm").c_str());
    int nWidth = pPageView->GetPageSize().cx;
    pMain->SetWindowPos(NULL, 0, 0, 500, 500, SWP_NOMOVE | SWP_NOZORDER);
    EXPECT_LT(pPageView->GetPageSize().cx, nWidth);
    // the same name finds the open document
    EXPECT_EQ(manager.OpenDocumentFile(_T("page contents")), pDoc);
    EXPECT_EQ(std::string(pPageView->GetLocationURL()), g_url + "page2.htm");

    // a new document starts blank
    CDocument* pDoc2 = pTemplate->OpenDocumentFile(NULL);
    ASSERT_NE(pDoc2, nullptr);
    POSITION pos = pDoc2->GetFirstViewPosition();
    CHtmlView* pView2 = (CHtmlView*)pDoc2->GetNextView(pos);
    EXPECT_EQ(std::string(pView2->GetLocationURL()), "about:blank");
    EXPECT_TRUE(pMain->MDIGetActive()->IsZoomed());

    // the document window refuses to close; the application closes it
    HWND hWndChild = pChild->m_hWnd;
    pChild->SendMessage(WM_CLOSE);
    EXPECT_TRUE(::IsWindow(hWndChild));
    pMain->SendMessage(WM_CLOSE);
    EXPECT_FALSE(::IsWindow(hWndChild));
    EXPECT_FALSE(::IsWindow(hWndMain));
    EXPECT_EQ(manager.GetOpenDocumentCount(), 0);
    theTestApp.m_pMainWnd = NULL;
    theTestApp.m_pDocManager = NULL;
    MSG msg;
    while (::PeekMessage(&msg, NULL, 0, 0, PM_REMOVE)) {
        if (msg.message != WM_QUIT) ::DispatchMessage(&msg);  // the quit of the main window goes
    }
}

}  // namespace
