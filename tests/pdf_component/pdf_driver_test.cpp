// The conversion driver of the engine with the real PDF Utility: the
// contents file read into the tree, ConvertToPdf walking it, the component
// writing the file. driver.pdf goes to the native checks. A compiled help
// file of linked pages is converted with one thread and with several, and
// cancelled half-way.
#include <gtest/gtest.h>
#include <windows.h>

#include <tlhelp32.h>

#include <string>
#include <vector>

#include "AppState.h"
#include "BrowserWrapper.h"
#include "ChmExtract.h"
#include "ContentsTree.h"
#include "ConvertProgressDlg.h"
#include "GeckoHost.h"
#include "PdfSettings.h"
#include "PdfUtilityComponent.h"
#include "ShellResource.h"
#include "TestFiles.h"
#include "afxwin.h"
#include "nsIWebBrowser.h"
#include "nsIWebProgressListener.h"
#include "pdf_conversion.h"

namespace {

class CTestApp : public CWinApp {
public:
    CTestApp() : CWinApp("PdfComponentDriverTests") {}
};
CTestApp theTestApp;

std::vector<std::string> g_messages;
int AFXAPI RecordMessage(LPCTSTR text, UINT, UINT) {
    g_messages.push_back(text);
    return IDOK;
}

std::string ExeDir() {
    char exe[MAX_PATH];
    DWORD n = GetModuleFileNameA(nullptr, exe, MAX_PATH);
    std::string dir(exe, n);
    return dir.substr(0, dir.find_last_of("\\/") + 1);
}

std::string OutPath(const char* name) {
    CreateDirectoryA("pdfcomp-out", nullptr);
    char full[MAX_PATH];
    GetFullPathNameA((std::string("pdfcomp-out\\") + name).c_str(), MAX_PATH, full, nullptr);
    return full;
}

std::string ReadAll(const std::string& path) {
    std::string data;
    FILE* f = fopen(path.c_str(), "rb");
    if (!f) return data;
    char buf[65536];
    size_t n;
    while ((n = fread(buf, 1, sizeof buf, f)) > 0) data.append(buf, n);
    fclose(f);
    return data;
}

size_t Occurrences(const std::string& text, const std::string& what) {
    size_t n = 0;
    for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
    return n;
}

// The threads of this process.
int ThreadCount() {
    HANDLE snap = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
    if (snap == INVALID_HANDLE_VALUE) return -1;
    THREADENTRY32 te = {};
    te.dwSize = sizeof te;
    int n = 0;
    for (BOOL ok = Thread32First(snap, &te); ok; ok = Thread32Next(snap, &te))
        if (te.th32OwnerProcessID == GetCurrentProcessId()) ++n;
    CloseHandle(snap);
    return n;
}

// Counts the page loads of the hidden browser and, when asked, presses the
// progress dialog's Cancel at one of them.
class CLoadSpy final : public nsIWebProgressListener {
public:
    NS_IMETHOD QueryInterface(const nsIID& iid, void** result) override {
        if (!result) return NS_ERROR_NULL_POINTER;
        *result = nullptr;
        if (!iid.Equals(NS_GET_IID(nsIWebProgressListener)) && !iid.Equals(NS_GET_IID(nsISupports)))
            return NS_NOINTERFACE;
        *result = static_cast<nsIWebProgressListener*>(this);
        return NS_OK;
    }
    NS_IMETHOD_(nsrefcnt) AddRef() override { return 2; }
    NS_IMETHOD_(nsrefcnt) Release() override { return 1; }
    NS_IMETHOD OnLoadFinished(nsIWebBrowser*, const PRUnichar* uri, nsresult, nsIDOMDocument*) override {
        ++loads;
        std::string u;
        for (const PRUnichar* c = uri; c && *c; ++c) u += char(*c);
        order.push_back(u.substr(u.find_last_of('/') + 1));
        if (loads == cancelAt && g_pConvertProgressDlg)
            g_pConvertProgressDlg->SendMessage(WM_COMMAND, IDC_CANCEL_CONVERT);
        return NS_OK;
    }
    int loads = 0;
    std::vector<std::string> order;
    int cancelAt = -1;
};

// The linked help file extracted once, its contents in a tree, converted
// as often as a test asks.
class LinkedHelp {
public:
    LinkedHelp() : host(new CGeckoHost) {
        char temp[MAX_PATH];
        GetTempPathA(MAX_PATH, temp);
        folder = std::string(temp) + "tw-linked-" + std::to_string(GetCurrentProcessId());
        RemoveTree(folder);
        // The build's path on the Linux side, as Wine shows it.
        std::string chm = std::string("Z:") + TW_LINKED_CHM;
        for (char& c : chm)
            if (c == '/') c = '\\';
        extracted = DecompileChm(chm.c_str(), folder.c_str(), 0) != 0;
        lstrcpynA(g_szChmFolder, folder.c_str(), sizeof g_szChmFolder);
        parent = ::CreateWindowA("STATIC", "", WS_POPUP, 0, 0, 200, 200, NULL, NULL, NULL, NULL);
        tree.Create(WS_CHILD | TVS_HASBUTTONS | TVS_HASLINES, CRect(0, 0, 200, 200),
                    CWnd::FromHandle(parent), 1);
        Reopen();
        CBrowserWrapper* browser = host->EnsureBrowser();
        if (browser && browser->GetWebBrowser())
            browser->GetWebBrowser()->AddWebBrowserListener(&spy, NS_GET_IID(nsIWebProgressListener));
    }
    ~LinkedHelp() {
        if (host->m_pBrowser && host->m_pBrowser->GetWebBrowser())
            host->m_pBrowser->GetWebBrowser()->RemoveWebBrowserListener(&spy, NS_GET_IID(nsIWebProgressListener));
        tree.DestroyWindow();
        ::DestroyWindow(parent);
        RemoveTree(folder);
        twpdf::WriterOptions defaults;
        CPdfUtility::SetWriterOptions(defaults);
    }
    // The contents read again, as when the help file is opened: the job
    // forgets which pages links wanted (a conversion keeps them for the
    // next one).
    void Reopen() {
        tree.DeleteAllItems();
        host->m_nItemCounter = 0;
        if (extracted) host->LoadContents((folder + "\\toc.hhc").c_str(), &tree);
    }
    // The file written with |threads| (reproducible: no dates), from the
    // help file just opened.
    std::string Convert(int threads, const std::string& pdf) {
        Reopen();
        twpdf::WriterOptions options;
        options.reproducible = true;
        options.threads = threads;
        CPdfUtility::SetWriterOptions(options);
        CPdfSettings settings;
        settings.m_nOpenPdf = 0;
        settings.m_strPageSize = "A4";
        settings.m_strFootCenter = "&PageNo";
        DeleteFileA(pdf.c_str());
        spy.loads = 0;
        spy.order.clear();
        host->ConvertToPdf(&tree, "C:\\linked.chm", pdf.c_str(), &settings);
        return ReadAll(pdf);
    }

    CGeckoHost* host;  // process-wide, as in the application
    std::string folder;
    bool extracted = false;
    HWND parent = nullptr;
    CContentsTree tree;
    CLoadSpy spy;
};

}  // namespace

// One thread and several write the same file byte for byte: every page,
// the pages only links want (in chains, a few pages after the link), the
// links to pages not written yet, the bookmarks. The pages loaded and not
// yet written stay within the bound, and with several threads the pages
// really are on their way while later ones load.
TEST(PdfDriver, OneThreadAndSeveralWriteTheSameFile) {
    AFX_MESSAGEBOX_HOOK old = AfxSetMessageBoxHook(&RecordMessage);
    g_messages.clear();
    LinkedHelp help;
    ASSERT_TRUE(help.extracted) << (g_messages.empty() ? "" : g_messages[0]);
    ASSERT_EQ(help.tree.GetCount(), 60u);
    const std::string one = help.Convert(1, OutPath("linked-1.pdf"));
    EXPECT_EQ(CPdfUtility::LastLayoutThreads(), 0);
    const int loadsOne = help.spy.loads;
    ASSERT_FALSE(one.empty());
    EXPECT_EQ(loadsOne, 120);  // 60 contents pages, 60 extra pages
    const size_t pages = Occurrences(one, "/Type /Page\n") + Occurrences(one, "/Type /Page/");
    EXPECT_GT(Occurrences(one, "/Type /Page"), 150u) << pages;
    EXPECT_GE(Occurrences(one, "/Subtype /Link/Rect"), 180u);  // next, ahead, extra per page
    EXPECT_EQ(Occurrences(one, "/Title "), 60u);              // a bookmark per entry
    for (int threads : {2, 5}) {
        SCOPED_TRACE(threads);
        const std::string several = help.Convert(threads, OutPath("linked-n.pdf"));
        EXPECT_EQ(CPdfUtility::LastLayoutThreads(), threads);
        EXPECT_EQ(help.spy.loads, loadsOne);
        EXPECT_TRUE(several == one) << "sizes " << several.size() << " and " << one.size();
        EXPECT_LE(CPdfUtility::LastMostPagesInFlight(), twpdf::PdfConversion::kMaxPagesInFlight);
        EXPECT_GT(CPdfUtility::LastMostPagesInFlight(), twpdf::PdfConversion::kTakeLag);
    }
    EXPECT_TRUE(g_messages.empty()) << g_messages[0];
    EXPECT_FALSE(g_bConverting);
    AfxSetMessageBoxHook(old);
}

// Cancel during a run with several threads ends the walk at once: the
// pages already loaded and those their links want are finished into the
// PDF, as with one thread, and no thread of the conversion is left.
TEST(PdfDriver, CancelWithSeveralThreadsLeavesNoThread) {
    AFX_MESSAGEBOX_HOOK old = AfxSetMessageBoxHook(&RecordMessage);
    g_messages.clear();
    LinkedHelp help;
    ASSERT_TRUE(help.extracted) << (g_messages.empty() ? "" : g_messages[0]);
    const int threadsBefore = ThreadCount();
    std::string results[2];
    std::vector<std::string> orders[2];
    for (int i = 0; i < 2; ++i) {
        help.spy.cancelAt = 12;
        results[i] = help.Convert(i == 0 ? 1 : 4, OutPath(i == 0 ? "linked-cancel-1.pdf" : "linked-cancel-n.pdf"));
        help.spy.cancelAt = -1;
        orders[i] = help.spy.order;
        EXPECT_FALSE(g_bConverting);
        EXPECT_EQ(ThreadCount(), threadsBefore);
    }
    // The walk stopped at the Cancel (page 11, the twelfth entry): then come
    // the pages that links want, the first of them an extra page.
    ASSERT_GT(orders[1].size(), 12u);
    EXPECT_EQ(orders[1][11], "page11.htm");
    EXPECT_EQ(orders[1][12], "extra0.htm");
    EXPECT_EQ(orders[0], orders[1]);
    EXPECT_TRUE(results[0] == results[1]);
    EXPECT_EQ(results[1].compare(0, 5, "%PDF-"), 0);
    ASSERT_EQ(g_messages.size(), 2u);  // the two Cancel questions
    EXPECT_EQ(g_messages[0], "CHM file is converting to PDF file, do you confirm to cancel?");
    g_messages.clear();
    AfxSetMessageBoxHook(old);
}

// A page whose file is locked when a worker comes to read it is left out of
// the PDF, as one that cannot be parsed, and the rest is written, the same
// with one thread and with several.
TEST(PdfDriver, APageLockedWhenReadIsLeftOut) {
    AFX_MESSAGEBOX_HOOK old = AfxSetMessageBoxHook(&RecordMessage);
    g_messages.clear();
    LinkedHelp help;
    ASSERT_TRUE(help.extracted) << (g_messages.empty() ? "" : g_messages[0]);
    const std::string whole = help.Convert(2, OutPath("linked-whole.pdf"));
    const std::string locked = help.folder + "\\pages\\page6.htm";
    HANDLE lock = CreateFileA(locked.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(lock, INVALID_HANDLE_VALUE);
    const std::string one = help.Convert(1, OutPath("linked-locked-1.pdf"));
    const std::string several = help.Convert(4, OutPath("linked-locked-n.pdf"));
    CloseHandle(lock);
    ASSERT_EQ(one.compare(0, 5, "%PDF-"), 0);
    EXPECT_TRUE(several == one);
    EXPECT_LT(Occurrences(one, "/Type /Page/"), Occurrences(whole, "/Type /Page/"));
    EXPECT_EQ(Occurrences(one, "/Title "), 60u);  // every bookmark still
    EXPECT_TRUE(g_messages.empty()) << g_messages[0];
    AfxSetMessageBoxHook(old);
}

TEST(PdfDriver, ConvertToPdfWritesTheHelpFile) {
    AFX_MESSAGEBOX_HOOK old = AfxSetMessageBoxHook(&RecordMessage);
    CGeckoHost* host = new CGeckoHost;
    HWND parent = ::CreateWindowA("STATIC", "", WS_POPUP, 0, 0, 200, 200, NULL, NULL, NULL, NULL);
    CContentsTree tree;
    tree.Create(WS_CHILD | TVS_HASBUTTONS | TVS_HASLINES, CRect(0, 0, 200, 200),
                CWnd::FromHandle(parent), 1);

    const std::string folder = ExeDir() + "pdfcomp_fixtures\\help";
    lstrcpynA(g_szChmFolder, folder.c_str(), sizeof g_szChmFolder);
    host->m_nItemCounter = 0;
    host->LoadContents((folder + "\\toc.hhc").c_str(), &tree);
    ASSERT_EQ(tree.GetCount(), 5u) << (g_messages.empty() ? "" : g_messages[0]);

    CPdfSettings settings;
    settings.m_nOpenPdf = 0;
    settings.m_strPageSize = "Letter";
    settings.m_dMarginLeft = settings.m_dMarginRight = 1;
    settings.m_dMarginTop = settings.m_dMarginBottom = 0.75;
    settings.m_strTitle = "Driver title";
    settings.m_strFootCenter = "&PageNo";
    settings.m_nFooterSeperator = 1;
    const std::string pdf = OutPath("driver.pdf");
    DeleteFileA(pdf.c_str());
    host->ConvertToPdf(&tree, "C:\\help.chm", pdf.c_str(), &settings);
    EXPECT_TRUE(g_messages.empty()) << g_messages[0];
    EXPECT_FALSE(g_bConverting);

    FILE* f = fopen(pdf.c_str(), "rb");
    ASSERT_TRUE(f);
    char head[6] = {};
    fread(head, 1, 5, f);
    fclose(f);
    EXPECT_STREQ(head, "%PDF-");

    tree.DestroyWindow();
    ::DestroyWindow(parent);
    AfxSetMessageBoxHook(old);
}
