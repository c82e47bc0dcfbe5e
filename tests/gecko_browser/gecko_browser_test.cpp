// The hidden browser of the Gecko host: a contents file loaded, waited for in
// the nested loop and walked through the DOM interfaces; failed loads;
// charsets; the nested loop's handling of WM_QUIT; the wrapper's interfaces.
#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <string>
#include <vector>

#include "AppState.h"
#include "BrowserWrapper.h"
#include "ChmUnpack.h"
#include "GeckoHost.h"
#include "PdfJob.h"
#include "nsCOMPtr.h"
#include "nsDOMAdapters.h"
#include "nsHtmlDocument.h"
#include "nsIComponentRegistrar.h"
#include "nsIDOM.h"
#include "nsIFactory.h"
#include "nsIServiceManager.h"
#include "nsIWebBrowser.h"
#include "nsIWindowWatcher.h"
#include "nsString.h"
#include "nsXPCOM.h"
#include "parser.h"

// The engine's list type lives with the CHM extraction, which this test does
// not link (it needs the window classes of the class library).
COwnedObList::~COwnedObList() {
    while (!IsEmpty()) delete RemoveHead();
}

namespace {

std::string FixtureDir() {
    char exe[MAX_PATH];
    DWORD n = GetModuleFileNameA(nullptr, exe, MAX_PATH);
    std::string dir(exe, n);
    dir.erase(dir.find_last_of("\\/") + 1);
    return dir + "gecko_browser_fixtures\\";
}

std::string UrlOfPath(std::string path) {
    for (char& c : path)
        if (c == '\\') c = '/';
    return "file:///" + path;
}

std::string FixtureUrl(const char* name) { return UrlOfPath(FixtureDir() + name); }

// The browser's current document. GetDocument hands over a reference of its
// own, which the pointer takes without adding another.
nsCOMPtr<nsIDOMDocument> CurrentDocument(CBrowserWrapper* browser) {
    nsCOMPtr<nsIDOMDocument> doc;
    *static_cast<nsIDOMDocument**>(getter_AddRefs(doc)) = browser->GetDocument();
    return doc;
}

std::string g_extracted;  // folder to remove after the contents test

// The contents file to walk: extracted from the fixture CHM into a fresh
// folder.
std::string ContentsFileUrl() {
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    std::string target = std::string(temp) + "tw_gecko_contents_" + std::to_string(GetCurrentProcessId());
    std::error_code ec;
    std::filesystem::remove_all(target, ec);
    g_extracted = target;
    chm::UnpackResult r = chm::ExtractMissing(std::filesystem::path(FixtureDir() + "contents.chm"),
                                              std::filesystem::path(target));
    EXPECT_TRUE(r.ok) << r.message;
    EXPECT_GE(r.written, 4u);
    return UrlOfPath(target + "\\contents.hhc");
}

std::string Utf8(const nsAString& s) { return NS_ConvertUTF16toUTF8(s).get(); }

// Stands in for the PDF Utility: registered under the load-listener contract
// id, it sets the job's loaded flag at the end of every load, as the PDF
// Utility does, and remembers the outcome.
class JobLoadListener final : public nsIWebProgressListener {
public:
    NS_DECL_ISUPPORTS
    NS_IMETHOD OnLoadFinished(nsIWebBrowser*, const PRUnichar* uri, nsresult status,
                              nsIDOMDocument* document) override {
        ++calls;
        lastStatus = status;
        lastUri = NS_ConvertUTF16toUTF8(uri).get();
        lastHadDocument = document != nullptr;
        nsCOMPtr<IPdfJob> job = do_GetService(CLSID_PdfJob);
        if (job) job->SetLoaded(1);
        return NS_OK;
    }
    static int calls;
    static nsresult lastStatus;
    static std::string lastUri;
    static bool lastHadDocument;

private:
    ~JobLoadListener() = default;
};
NS_IMPL_ISUPPORTS1(JobLoadListener, nsIWebProgressListener)
int JobLoadListener::calls = 0;
nsresult JobLoadListener::lastStatus = NS_OK;
std::string JobLoadListener::lastUri;
bool JobLoadListener::lastHadDocument = false;

class ListenerFactory final : public nsIFactory {
public:
    NS_DECL_ISUPPORTS
    NS_IMETHOD CreateInstance(nsISupports* outer, const nsIID& iid, void** result) override {
        if (outer) return NS_ERROR_NO_AGGREGATION;
        nsCOMPtr<nsISupports> l = static_cast<nsIWebProgressListener*>(new JobLoadListener);
        return l->QueryInterface(iid, result);
    }
    NS_IMETHOD LockFactory(PRBool) override { return NS_OK; }

private:
    ~ListenerFactory() = default;
};
NS_IMPL_ISUPPORTS1(ListenerFactory, nsIFactory)

// A listener added to one browser.
class RecordingListener final : public nsIWebProgressListener {
public:
    NS_DECL_ISUPPORTS
    NS_IMETHOD OnLoadFinished(nsIWebBrowser*, const PRUnichar* uri, nsresult status,
                              nsIDOMDocument* document) override {
        events.push_back({NS_ConvertUTF16toUTF8(uri).get(), status, document != nullptr});
        return NS_OK;
    }
    struct Event {
        std::string uri;
        nsresult status;
        bool hasDocument;
    };
    std::vector<Event> events;

private:
    ~RecordingListener() = default;
};
NS_IMPL_ISUPPORTS1(RecordingListener, nsIWebProgressListener)

class GeckoBrowserTest : public ::testing::Test {
protected:
    void SetUp() override {
        host = new CGeckoHost;
        ASSERT_NE(host->m_pServiceManager, nullptr);
        static bool registered = false;
        if (!registered) {
            nsCOMPtr<nsIComponentRegistrar> reg;
            ASSERT_EQ(NS_GetComponentRegistrar(getter_AddRefs(reg)), NS_OK);
            static const nsCID kListenerCID = {
                0x5D0C7A10, 0x2B6E, 0x4F31, {0x9A, 0x44, 0x10, 0x22, 0x6E, 0x8B, 0x3C, 0x01}};
            nsCOMPtr<nsIFactory> f = new ListenerFactory;
            ASSERT_EQ(reg->RegisterFactory(kListenerCID, "test listener",
                                           NS_WEBPROGRESSLISTENER_CONTRACTID, f),
                      NS_OK);
            registered = true;
        }
        job = do_GetService(CLSID_PdfJob);
        ASSERT_TRUE(job);
        job->SetLoaded(0);
    }
    void TearDown() override { delete host; }

    // Loads a URL in the host's browser and waits in the nested loop for the
    // job's loaded flag, as the contents walk does.
    bool LoadAndWait(const std::string& url) {
        CBrowserWrapper* browser = host->EnsureBrowser();
        if (!browser || !browser->LoadUrl(url.c_str())) return false;
        BOOL ended = CGeckoHost::RunNestedLoop([&]() -> BOOL {
            int loaded = 0;
            job->GetLoaded(&loaded);
            if (!loaded) return FALSE;
            job->SetLoaded(0);
            return TRUE;
        });
        return ended == TRUE;
    }

    CGeckoHost* host = nullptr;
    nsCOMPtr<IPdfJob> job;
};

struct TocEntry {
    int depth;  // lists around the entry
    std::string name;
    std::string local;
    bool operator==(const TocEntry& o) const {
        return depth == o.depth && name == o.name && local == o.local;
    }
};
std::ostream& operator<<(std::ostream& os, const TocEntry& e) {
    return os << "{" << e.depth << ", \"" << e.name << "\", \"" << e.local << "\"}";
}

// The value of the PARAM whose name attribute is `which`, read through the
// attribute map as the contents walk does (case-insensitive names).
std::string ParamValue(nsIDOMNodeList* params, const char* which, bool* found) {
    *found = false;
    PRUint32 count = 0;
    params->GetLength(&count);
    for (PRUint32 i = 0; i < count; ++i) {
        nsCOMPtr<nsIDOMNode> param;
        params->Item(i, getter_AddRefs(param));
        nsCOMPtr<nsIDOMNamedNodeMap> attrs;
        if (!param || NS_FAILED(param->GetAttributes(getter_AddRefs(attrs))) || !attrs) continue;
        PRUint32 n = 0;
        attrs->GetLength(&n);
        bool isIt = false;
        std::string value;
        for (PRUint32 k = 0; k < n; ++k) {
            nsCOMPtr<nsIDOMNode> node;
            attrs->Item(k, getter_AddRefs(node));
            nsCOMPtr<nsIDOMAttr> attr = do_QueryInterface(node);
            if (!attr) continue;
            nsAutoString name, val;
            attr->GetName(name);
            attr->GetValue(val);
            if (val.LowerCaseEqualsASCII(which)) isIt = true;
            if (name.LowerCaseEqualsASCII("value")) value = Utf8(val);
        }
        if (isIt) {
            *found = true;
            return value;
        }
    }
    return std::string();
}

// Walks the DOM from `root` in document order with the node operations,
// keeping a stack instead of recursing, and collects the sitemap entries.
std::vector<TocEntry> WalkContents(nsIDOMNode* root) {
    std::vector<TocEntry> out;
    struct Frame {
        nsCOMPtr<nsIDOMNode> node;
        int depth;
    };
    std::vector<Frame> stack;
    stack.push_back({root, 0});
    while (!stack.empty()) {
        Frame f = stack.back();
        stack.pop_back();
        nsAutoString name;
        f.node->GetNodeName(name);
        int childDepth = f.depth + (name.LowerCaseEqualsASCII("ul") ? 1 : 0);
        if (name.LowerCaseEqualsASCII("object")) {
            nsCOMPtr<nsIDOMElement> el = do_QueryInterface(f.node);
            nsCOMPtr<nsIDOMNodeList> params;
            el->GetElementsByTagName(NS_ConvertASCIItoUTF16("PARAM"), getter_AddRefs(params));
            bool hasName = false, hasLocal = false;
            std::string title = ParamValue(params, "name", &hasName);
            std::string local = ParamValue(params, "local", &hasLocal);
            if (hasName) out.push_back({f.depth, title, local});
        }
        // Children pushed last-first so the first child is taken next.
        std::vector<nsCOMPtr<nsIDOMNode>> kids;
        nsCOMPtr<nsIDOMNode> c;
        f.node->GetFirstChild(getter_AddRefs(c));
        while (c) {
            kids.push_back(c);
            nsCOMPtr<nsIDOMNode> next;
            c->GetNextSibling(getter_AddRefs(next));
            c = next;
        }
        for (size_t i = kids.size(); i-- > 0;) stack.push_back({kids[i], childDepth});
    }
    return out;
}

TEST_F(GeckoBrowserTest, ContentsFileIsLoadedWaitedForAndWalked) {
    JobLoadListener::calls = 0;
    std::string url = ContentsFileUrl();
    ASSERT_TRUE(LoadAndWait(url));
    EXPECT_EQ(JobLoadListener::calls, 1);
    EXPECT_EQ(JobLoadListener::lastStatus, NS_OK);
    EXPECT_EQ(JobLoadListener::lastUri, url);

    nsCOMPtr<nsIDOMDocument> doc = CurrentDocument(host->m_pBrowser);
    ASSERT_TRUE(doc);
    nsCOMPtr<nsIDOMNodeList> bodies;
    ASSERT_EQ(doc->GetElementsByTagName(NS_ConvertASCIItoUTF16("BODY"), getter_AddRefs(bodies)),
              NS_OK);
    nsCOMPtr<nsIDOMNode> body;
    bodies->Item(0, getter_AddRefs(body));
    ASSERT_TRUE(body);
    nsAutoString bodyName;
    body->GetNodeName(bodyName);
    EXPECT_EQ(Utf8(bodyName), "BODY");

    const std::vector<TocEntry> expected = {
        {1, "Welcome", "welcome.htm"},
        {1, "Getting started & setup", ""},
        {2, "Caf\xC3\xA9 menu", "sub\\cafe.htm#top"},  // Windows-1252 byte decoded
        {2, "Unquoted", "other.chm::/deep/page.htm"},
        {3, "Third level", "third.htm"},
        {1, "Last", "last.htm"},
    };
    EXPECT_EQ(WalkContents(body), expected);
    if (!g_extracted.empty()) {
        std::error_code ec;
        std::filesystem::remove_all(g_extracted, ec);
    }
}

TEST_F(GeckoBrowserTest, FailedLoadIsReportedNotSilent) {
    CBrowserWrapper* browser = host->EnsureBrowser();
    ASSERT_NE(browser, nullptr);
    nsCOMPtr<RecordingListener> rec = new RecordingListener;
    ASSERT_EQ(browser->GetWebBrowser()->AddWebBrowserListener(
                  static_cast<nsIWebProgressListener*>(rec.get()), NS_GET_IID(nsIWebProgressListener)),
              NS_OK);

    // A good page first, then a missing one: the failure replaces it.
    ASSERT_TRUE(LoadAndWait(FixtureUrl("page1252.htm")));
    std::string missing = FixtureUrl("no such page.htm");
    ASSERT_TRUE(LoadAndWait(missing));
    ASSERT_EQ(rec->events.size(), 2u);
    EXPECT_EQ(rec->events[0].status, NS_OK);
    EXPECT_TRUE(rec->events[0].hasDocument);
    EXPECT_EQ(rec->events[1].uri, missing);
    EXPECT_EQ(rec->events[1].status, NS_ERROR_FILE_NOT_FOUND);
    EXPECT_FALSE(rec->events[1].hasDocument);
    EXPECT_EQ(JobLoadListener::lastStatus, NS_ERROR_FILE_NOT_FOUND);
    nsCOMPtr<nsIDOMDocument> doc = CurrentDocument(browser);
    EXPECT_FALSE(doc);

    // A folder is not a page either.
    std::string folder = FixtureUrl("");
    ASSERT_TRUE(LoadAndWait(folder));
    ASSERT_EQ(rec->events.size(), 3u);
    EXPECT_TRUE(NS_FAILED(rec->events[2].status));

    // What is not a file URL does not start at all.
    EXPECT_EQ(browser->LoadUrl("http://example.com/"), 0);
    EXPECT_EQ(browser->LoadUrl(""), 0);
    EXPECT_EQ(browser->LoadUrl(nullptr), 0);

    browser->GetWebBrowser()->RemoveWebBrowserListener(
        static_cast<nsIWebProgressListener*>(rec.get()), NS_GET_IID(nsIWebProgressListener));
}

TEST_F(GeckoBrowserTest, LoadFinishesAfterLoadUriReturnsAndNewerLoadsWin) {
    CBrowserWrapper* browser = host->EnsureBrowser();
    ASSERT_NE(browser, nullptr);
    nsCOMPtr<RecordingListener> rec = new RecordingListener;
    browser->GetWebBrowser()->AddWebBrowserListener(static_cast<nsIWebProgressListener*>(rec.get()),
                                                    NS_GET_IID(nsIWebProgressListener));
    std::string first = FixtureUrl("page1251.htm"), second = FixtureUrl("page1252.htm");
    ASSERT_EQ(browser->LoadUrl(first.c_str()), 1);
    ASSERT_EQ(browser->LoadUrl(second.c_str()), 1);
    EXPECT_TRUE(rec->events.empty());  // nothing happens before messages are handled
    int seen = 0;
    CGeckoHost::RunNestedLoop([&]() -> BOOL { return rec->events.size() == 2 && ++seen > 1; });
    ASSERT_EQ(rec->events.size(), 2u);
    EXPECT_EQ(rec->events[0].uri, first);
    EXPECT_EQ(rec->events[0].status, NS_ERROR_ABORT);
    EXPECT_EQ(rec->events[1].uri, second);
    EXPECT_EQ(rec->events[1].status, NS_OK);
    browser->GetWebBrowser()->RemoveWebBrowserListener(
        static_cast<nsIWebProgressListener*>(rec.get()), NS_GET_IID(nsIWebProgressListener));
    job->SetLoaded(0);
}

// The text of the first <p> of the loaded page, as UTF-16.
std::u16string FirstParagraphText(CBrowserWrapper* browser) {
    nsCOMPtr<nsIDOMDocument> doc = CurrentDocument(browser);
    if (!doc) return u"(no document)";
    nsCOMPtr<nsIDOMNodeList> ps;
    doc->GetElementsByTagName(NS_ConvertASCIItoUTF16("p"), getter_AddRefs(ps));
    nsCOMPtr<nsIDOMNode> p, text;
    if (ps) ps->Item(0, getter_AddRefs(p));
    if (p) p->GetFirstChild(getter_AddRefs(text));
    if (!text) return u"(no text)";
    nsAutoString value;
    text->GetNodeValue(value);
    return value.str();
}

TEST_F(GeckoBrowserTest, PagesAreDecodedByTheirCharset) {
    struct Case {
        const char* file;
        std::u16string text;
        unsigned codePage;
    };
    const Case cases[] = {
        // No declaration: the ANSI code page (Windows-1252 on the test systems).
        {"page1252.htm", u"Caf\u00E9 costs \u20AC5 \u201Cquoted\u201D", 1252},
        {"page1251.htm", u"\u041F\u0440\u0438\u0432\u0435\u0442", 1251},
        {"page932.htm", u"\u65E5\u672C", 932},
    };
    ASSERT_EQ(GetACP(), 1252u) << "the undeclared page expects a Western system";
    for (const Case& c : cases) {
        ASSERT_TRUE(LoadAndWait(FixtureUrl(c.file))) << c.file;
        EXPECT_EQ(FirstParagraphText(host->m_pBrowser), c.text) << c.file;
        nsCOMPtr<nsIDOMDocument> doc = CurrentDocument(host->m_pBrowser);
        std::shared_ptr<tw::html::Document> html = NS_GetHtmlDocument(doc);
        ASSERT_TRUE(html) << c.file;
        EXPECT_EQ(html->codePage(), c.codePage) << c.file;
    }
}

TEST_F(GeckoBrowserTest, QuitInNestedLoopIsPostedAgain) {
    g_bConverting = TRUE;
    PostQuitMessage(7);
    int polls = 0;
    BOOL ended = CGeckoHost::RunNestedLoop([&]() -> BOOL {
        ++polls;
        return FALSE;  // never done: only the quit can end the wait
    });
    EXPECT_EQ(ended, FALSE);
    EXPECT_GE(polls, 1);
    EXPECT_EQ(g_bConverting, FALSE);  // the walk stops as on Cancel
    MSG msg;
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_QUIT));
    EXPECT_EQ(msg.wParam, 7u);
}

int g_dispatched = 0;
LRESULT CALLBACK CountingProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_APP + 1) {
        ++g_dispatched;
        return 0;
    }
    return DefWindowProcA(hwnd, msg, wp, lp);
}

TEST_F(GeckoBrowserTest, NestedLoopDispatchesWhileWaiting) {
    // Messages for windows are dispatched, and a message that arrives while
    // the loop waits (here a timer's) wakes it to poll again.
    WNDCLASSA wc = {};
    wc.lpfnWndProc = CountingProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "TwNestedLoopTest";
    RegisterClassA(&wc);
    HWND wnd = CreateWindowExA(0, "TwNestedLoopTest", "", 0, 0, 0, 10, 10, nullptr, nullptr,
                               wc.hInstance, nullptr);
    ASSERT_NE(wnd, nullptr);
    g_dispatched = 0;
    PostMessageA(wnd, WM_APP + 1, 0, 0);
    SetTimer(wnd, 1, 10, nullptr);
    BOOL ended = CGeckoHost::RunNestedLoop([&]() -> BOOL { return g_dispatched == 1; });
    EXPECT_EQ(ended, TRUE);
    EXPECT_EQ(g_dispatched, 1);
    KillTimer(wnd, 1);
    DestroyWindow(wnd);
}

LRESULT CALLBACK CancellingProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_APP + 2) {
        g_bConverting = FALSE;  // as the progress dialog's Cancel does
        return 0;
    }
    if (msg == WM_APP + 3) {
        ++g_dispatched;
        return 0;
    }
    return DefWindowProcA(hwnd, msg, wp, lp);
}

TEST_F(GeckoBrowserTest, NestedLoopSeesAChangeMadeByTheDispatchedMessage) {
    // A handler that ends the wait ends it at once: the loop does not wait for
    // (or dispatch) another message first.
    WNDCLASSA wc = {};
    wc.lpfnWndProc = CancellingProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "TwNestedLoopCancel";
    RegisterClassA(&wc);
    HWND wnd = CreateWindowExA(0, "TwNestedLoopCancel", "", 0, 0, 0, 10, 10, nullptr, nullptr,
                               wc.hInstance, nullptr);
    ASSERT_NE(wnd, nullptr);
    g_dispatched = 0;
    g_bConverting = TRUE;
    PostMessageA(wnd, WM_APP + 2, 0, 0);
    PostMessageA(wnd, WM_APP + 3, 0, 0);
    BOOL ended = CGeckoHost::RunNestedLoop([&]() -> BOOL { return !g_bConverting; });
    EXPECT_EQ(ended, TRUE);
    EXPECT_EQ(g_dispatched, 0);  // the later message is still queued
    MSG msg;
    EXPECT_TRUE(PeekMessageA(&msg, wnd, WM_APP + 3, WM_APP + 3, PM_REMOVE));
    DestroyWindow(wnd);
}

TEST_F(GeckoBrowserTest, PopUpWindowsAreRefused) {
    nsCOMPtr<nsIWindowWatcher> watcher = do_GetService(NS_WINDOWWATCHER_CONTRACTID);
    ASSERT_TRUE(watcher);
    nsCOMPtr<nsIWindowCreator> creator;
    watcher->GetWindowCreator(getter_AddRefs(creator));
    ASSERT_TRUE(creator);
    nsISupports* window = reinterpret_cast<nsISupports*>(1);
    EXPECT_EQ(creator->CreateChromeWindow(nullptr, 0, &window), NS_OK);
    EXPECT_EQ(window, nullptr);
    EXPECT_EQ(creator->CreateChromeWindow(nullptr, 0, nullptr), NS_ERROR_NULL_POINTER);
}

TEST_F(GeckoBrowserTest, BrowserWrapperInterfaces) {
    CBrowserWrapper* browser = host->EnsureBrowser();
    ASSERT_NE(browser, nullptr);
    EXPECT_EQ(host->EnsureBrowser(), browser);  // created once, then reused

    void* p = nullptr;
    ASSERT_EQ(browser->QueryInterface(NS_GET_IID(nsIInterfaceRequestor), &p), NS_OK);
    EXPECT_EQ(p, static_cast<nsIInterfaceRequestor*>(browser));
    static_cast<nsISupports*>(static_cast<nsIInterfaceRequestor*>(p))->Release();
    ASSERT_EQ(browser->QueryInterface(NS_GET_IID(nsISupports), &p), NS_OK);
    EXPECT_EQ(p, static_cast<nsIInterfaceRequestor*>(browser));
    static_cast<nsIInterfaceRequestor*>(p)->Release();
    ASSERT_EQ(browser->GetInterface(NS_GET_IID(nsIWebBrowserSite), &p), NS_OK);
    nsIWebBrowserSite* site = static_cast<nsIWebBrowserSite*>(p);
    EXPECT_EQ(site, static_cast<nsIWebBrowserSite*>(browser));
    // The second interface forwards to the primary one.
    void* back = nullptr;
    ASSERT_EQ(site->QueryInterface(NS_GET_IID(nsIInterfaceRequestor), &back), NS_OK);
    EXPECT_EQ(back, static_cast<nsIInterfaceRequestor*>(browser));
    static_cast<nsIInterfaceRequestor*>(back)->Release();
    site->Release();
    p = reinterpret_cast<void*>(1);
    EXPECT_EQ(browser->QueryInterface(NS_GET_IID(nsIWebBrowser), &p), NS_NOINTERFACE);
    EXPECT_EQ(p, nullptr);
    EXPECT_EQ(browser->QueryInterface(NS_GET_IID(nsISupports), nullptr), NS_ERROR_NULL_POINTER);
    EXPECT_EQ(browser->GetInterface(NS_GET_IID(nsISupports), nullptr), NS_ERROR_NULL_POINTER);
    EXPECT_EQ(browser->ReservedOp1(), NS_OK);

    // The browser was given the wrapper's second interface as its site.
    nsCOMPtr<nsIWebBrowserSiteHolder> holder = do_QueryInterface(browser->GetWebBrowser());
    ASSERT_TRUE(holder);
    nsIWebBrowserSite* held = nullptr;
    holder->GetSite(&held);
    EXPECT_EQ(held, static_cast<nsIWebBrowserSite*>(browser));
}

// The nsIDOM* adapters over a parsed page: names, values, navigation,
// attribute maps, and the way back to the tree.
TEST(DomAdapterTest, NodesAttributesAndNavigation) {
    std::shared_ptr<tw::html::Document> html(tw::html::parseHtmlUtf8(
        "<!DOCTYPE html><p id=a Class=\"x &amp; y\" hidden>t\xC3\xA9xt<!--c--><br></p>"));
    nsCOMPtr<nsIDOMDocument> doc = NS_NewDOMDocument(html);
    doc->Release();  // NS_NewDOMDocument gave a reference the nsCOMPtr took again
    ASSERT_TRUE(doc);
    nsAutoString s;
    PRUint16 type = 0;
    doc->GetNodeName(s);
    EXPECT_EQ(Utf8(s), "#document");
    doc->GetNodeType(&type);
    EXPECT_EQ(type, nsIDOMNode::DOCUMENT_NODE);

    nsCOMPtr<nsIDOMElement> root;
    doc->GetDocumentElement(getter_AddRefs(root));
    ASSERT_TRUE(root);
    root->GetTagName(s);
    EXPECT_EQ(Utf8(s), "HTML");
    nsCOMPtr<nsIDOMNode> first;
    doc->GetFirstChild(getter_AddRefs(first));
    first->GetNodeType(&type);
    EXPECT_EQ(type, nsIDOMNode::DOCUMENT_TYPE_NODE);

    nsCOMPtr<nsIDOMNodeList> ps;
    root->GetElementsByTagName(NS_ConvertASCIItoUTF16("P"), getter_AddRefs(ps));
    PRUint32 len = 0;
    ps->GetLength(&len);
    ASSERT_EQ(len, 1u);
    nsCOMPtr<nsIDOMNode> pNode;
    ps->Item(0, getter_AddRefs(pNode));
    nsCOMPtr<nsIDOMNode> none;
    ps->Item(1, getter_AddRefs(none));
    EXPECT_FALSE(none);
    nsCOMPtr<nsIDOMElement> p = do_QueryInterface(pNode);
    ASSERT_TRUE(p);
    p->GetAttribute(NS_ConvertASCIItoUTF16("CLASS"), s);
    EXPECT_EQ(Utf8(s), "x & y");
    PRBool has = PR_FALSE;
    p->HasAttribute(NS_ConvertASCIItoUTF16("hidden"), &has);
    EXPECT_TRUE(has);

    nsCOMPtr<nsIDOMNamedNodeMap> attrs;
    p->GetAttributes(getter_AddRefs(attrs));
    attrs->GetLength(&len);
    ASSERT_EQ(len, 3u);
    nsCOMPtr<nsIDOMNode> attrNode;
    attrs->GetNamedItem(NS_ConvertASCIItoUTF16("Class"), getter_AddRefs(attrNode));
    nsCOMPtr<nsIDOMAttr> attr = do_QueryInterface(attrNode);
    ASSERT_TRUE(attr);
    attr->GetName(s);
    EXPECT_EQ(Utf8(s), "class");
    attr->GetNodeType(&type);
    EXPECT_EQ(type, nsIDOMNode::ATTRIBUTE_NODE);
    nsCOMPtr<nsIDOMElement> owner;
    attr->GetOwnerElement(getter_AddRefs(owner));
    EXPECT_EQ(NS_GetHtmlNode(owner), NS_GetHtmlNode(p));
    EXPECT_EQ(NS_GetHtmlNode(attrNode), nullptr);
    EXPECT_EQ(NS_GetHtmlDocument(attrNode), html);

    // Children: text, comment, element; values and names of each kind.
    nsCOMPtr<nsIDOMNode> text, comment, br, after, parent;
    p->GetFirstChild(getter_AddRefs(text));
    text->GetNodeName(s);
    EXPECT_EQ(Utf8(s), "#text");
    text->GetNodeValue(s);
    EXPECT_EQ(s.str(), u"t\u00E9xt");
    text->GetNextSibling(getter_AddRefs(comment));
    comment->GetNodeValue(s);
    EXPECT_EQ(Utf8(s), "c");
    comment->GetNextSibling(getter_AddRefs(br));
    br->GetNodeName(s);
    EXPECT_EQ(Utf8(s), "BR");
    br->GetNextSibling(getter_AddRefs(after));
    EXPECT_FALSE(after);
    br->GetParentNode(getter_AddRefs(parent));
    EXPECT_EQ(NS_GetHtmlNode(parent), NS_GetHtmlNode(p));
    nsCOMPtr<nsIDOMNamedNodeMap> noAttrs;
    text->GetAttributes(getter_AddRefs(noAttrs));
    EXPECT_FALSE(noAttrs);
    EXPECT_EQ(text->GetFirstChild(nullptr), NS_ERROR_NULL_POINTER);

    // A node keeps its document alive after every other holder let go.
    html.reset();
    doc = nullptr;
    br->GetParentNode(getter_AddRefs(parent));
    parent->GetNodeName(s);
    EXPECT_EQ(Utf8(s), "P");
}

TEST(AnsiToUnicodeTest, ConvertsWithTheAnsiCodePage) {
    PRUnichar* w = AnsiToUnicode("ab\xE9");
    ASSERT_NE(w, nullptr);
    wchar_t expect[4] = {};
    MultiByteToWideChar(CP_ACP, MB_PRECOMPOSED, "ab\xE9", -1, expect, 4);
    EXPECT_EQ(std::u16string(w), std::u16string(reinterpret_cast<const char16_t*>(expect)));
    free(w);
    w = AnsiToUnicode("");
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w[0], 0);
    free(w);
    EXPECT_EQ(AnsiToUnicode(nullptr), nullptr);
}

}  // namespace
