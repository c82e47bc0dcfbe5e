// The test program: an application object, the shared helpers and the
// stand-in PDF Utility.
#include <gtest/gtest.h>

#include <stdio.h>

#include <fstream>
#include <sstream>

#include "BrowserWrapper.h"
#include "ConvertProgressDlg.h"
#include "PageSetup.h"
#include "PdfUtility.h"
#include "TestFiles.h"
#include "convert_test.h"
#include "nsFileURL.h"
#include "nsIComponentRegistrar.h"
#include "nsIFactory.h"
#include "nsIServiceManager.h"
#include "nsIWebProgressListener.h"
#include "nsXPCOM.h"

class CTestApp : public CWinApp {
public:
    CTestApp() : CWinApp("EngineConvertTests") {}
};
CTestApp theTestApp;

// ---- host and job

CGeckoHost& Host() {
    static CGeckoHost* host = [] {
        CGeckoHost* h = new CGeckoHost;
        RegisterFakeUtility();
        return h;
    }();
    return *host;
}

nsCOMPtr<IPdfJob> Job() {
    nsCOMPtr<IPdfJob> job;
    if (Host().m_pServiceManager)
        Host().m_pServiceManager->GetService(CLSID_PdfJob, NS_GET_IID(IPdfJob), getter_AddRefs(job));
    return job;
}

// ---- files

TempFolder::TempFolder() {
    static int counter = 0;
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    char name[64];
    snprintf(name, sizeof name, "tw_convert_%lu_%d.chm", GetCurrentProcessId(), ++counter);
    m_path = std::string(temp) + name;
    RemoveTree(m_path);
    CreateDirectoryA(m_path.c_str(), NULL);
}

TempFolder::~TempFolder() { RemoveTree(m_path); }

std::string TempFolder::Write(const std::string& relative, const std::string& text) const {
    std::string full = m_path + "\\" + relative;
    for (char& c : full)
        if (c == '/') c = '\\';
    for (size_t i = m_path.size() + 1; i < full.size(); ++i)
        if (full[i] == '\\') CreateDirectoryA(full.substr(0, i).c_str(), NULL);
    std::ofstream f(full, std::ios::binary);
    f << text;
    return full;
}

std::string TempFolder::Read(const std::string& relative) const {
    std::ifstream f(m_path + "\\" + relative, std::ios::binary);
    std::stringstream s;
    s << f.rdbuf();
    return s.str();
}

bool TempFolder::Exists(const std::string& relative) const {
    return GetFileAttributesA((m_path + "\\" + relative).c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string PageUrl(const TempFolder& folder, const char* page) {
    return NS_BuildFileURL(folder.Path().c_str(), page);
}

// ---- the tree

TreeWindow::TreeWindow() {
    m_hParent = ::CreateWindowA("STATIC", "", WS_POPUP, 0, 0, 200, 200, NULL, NULL, NULL, NULL);
    tree.Create(WS_CHILD | WS_VISIBLE | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT,
                CRect(0, 0, 200, 200), CWnd::FromHandle(m_hParent), 1);
}

TreeWindow::~TreeWindow() {
    tree.DestroyWindow();
    ::DestroyWindow(m_hParent);
}

std::vector<TreeWindow::Item> TreeWindow::Items() const {
    std::vector<Item> out;
    std::vector<std::pair<HTREEITEM, int>> stack;
    HTREEITEM h = tree.GetRootItem();
    int depth = 0;
    while (h) {
        Item it;
        it.text = (LPCTSTR)tree.GetItemText(h);
        it.depth = depth;
        it.data = (LPARAM)tree.GetItemData(h);
        LPCTSTR path = tree.GetPagePath(h);
        it.path = path ? path : "<none>";
        out.push_back(it);
        HTREEITEM child = tree.GetChildItem(h);
        HTREEITEM next = tree.GetNextSiblingItem(h);
        if (child) {
            stack.push_back({next, depth});
            h = child;
            ++depth;
            continue;
        }
        h = next;
        while (!h && !stack.empty()) {
            h = stack.back().first;
            depth = stack.back().second;
            stack.pop_back();
        }
    }
    return out;
}

void OpenContents(TreeWindow& w, const TempFolder& folder, const std::vector<std::string>& hhcFiles) {
    w.tree.Clear();
    Host().m_nItemCounter = 0;
    lstrcpynA(g_szChmFolder, folder.Path().c_str(), sizeof g_szChmFolder);
    for (const std::string& f : hhcFiles) Host().LoadContents((folder.Path() + "\\" + f).c_str(), &w.tree);
}

std::string Hhc(const std::string& body) {
    return "<!DOCTYPE HTML PUBLIC \"-//IETF//DTD HTML//EN\">\n<HTML><HEAD></HEAD><BODY>\n" + body +
           "\n</BODY></HTML>\n";
}

std::string Entry(const std::string& name, const char* local) {
    std::string s = "<LI><OBJECT type=\"text/sitemap\"><param name=\"Name\" value=\"" + name + "\">";
    if (local) s += std::string("<param name=\"Local\" value=\"") + local + "\">";
    return s + "</OBJECT>\n";
}

// ---- the stand-in PDF Utility

std::vector<FakeUtility::Load> FakeUtility::loads;
std::function<bool(const FakeUtility::Load&)> FakeUtility::onPage;
nsresult FakeUtility::finishResult = NS_OK;
int FakeUtility::finishCalls = 0;
int FakeUtility::takeCalls = 0;
int FakeUtility::finishPercent = -1;
bool FakeUtility::sawPageSetup = false;
double FakeUtility::setupWidth = 0;
double FakeUtility::setupHeight = 0;
std::string FakeUtility::setupHeaderLeft;
std::string FakeUtility::pdfFile;

void FakeUtility::Clear() {
    loads.clear();
    onPage = nullptr;
    finishResult = NS_OK;
    finishCalls = 0;
    takeCalls = 0;
    finishPercent = -1;
    sawPageSetup = false;
    setupWidth = setupHeight = 0;
    setupHeaderLeft.clear();
    pdfFile.clear();
}

namespace {

class CFakeUtility final : public IPdfUtility, public nsIWebProgressListener {
public:
    NS_IMETHOD QueryInterface(const nsIID& iid, void** result) override {
        if (!result) return NS_ERROR_NULL_POINTER;
        nsISupports* found = nullptr;
        if (iid.Equals(NS_GET_IID(IPdfUtility)) || iid.Equals(NS_GET_IID(nsISupports)))
            found = static_cast<IPdfUtility*>(this);
        else if (iid.Equals(NS_GET_IID(nsIWebProgressListener)))
            found = static_cast<nsIWebProgressListener*>(this);
        *result = found;
        if (!found) return NS_NOINTERFACE;
        found->AddRef();
        return NS_OK;
    }
    NS_IMETHOD_(nsrefcnt) AddRef() override { return ++m_nRef; }
    NS_IMETHOD_(nsrefcnt) Release() override {
        nsrefcnt n = --m_nRef;
        if (n == 0) delete this;
        return n;
    }

    NS_IMETHOD FinishDocument() override {
        ++FakeUtility::finishCalls;
        FakeUtility::finishPercent = g_pConvertProgressDlg ? g_pConvertProgressDlg->m_nPercent : -1;
        nsCOMPtr<IPdfJob> job = Job();
        PageSetupRec* setup = nullptr;
        if (job && NS_SUCCEEDED(job->GetPageSetup(&setup)) && setup) {
            FakeUtility::sawPageSetup = true;
            FakeUtility::setupWidth = setup->width;
            FakeUtility::setupHeight = setup->height;
            FakeUtility::setupHeaderLeft =
                setup->headerLeft ? NS_ConvertUTF16toUTF8(*setup->headerLeft).get() : "<null>";
        }
        char pdf[2048] = "";
        if (job) job->GetPdfFile(pdf);
        FakeUtility::pdfFile = pdf;
        return FakeUtility::finishResult;
    }

    NS_IMETHOD TakeLoadedPages() override {
        ++FakeUtility::takeCalls;
        return NS_OK;
    }

    NS_IMETHOD OnLoadFinished(nsIWebBrowser*, const PRUnichar* uri, nsresult status,
                              nsIDOMDocument*) override {
        nsCOMPtr<IPdfJob> job = Job();
        if (!job) return NS_OK;
        FakeUtility::Load load;
        load.uri = NS_ConvertUTF16toUTF8(uri).get();
        char current[4096] = "";
        job->GetCurrentPage(current);
        load.current = current;
        load.status = status;
        load.pageMode = 0;
        job->GetPageMode(&load.pageMode);
        load.percent = g_pConvertProgressDlg ? g_pConvertProgressDlg->m_nPercent : -1;
        FakeUtility::loads.push_back(load);
        job->SetLoaded(1);
        if (load.pageMode == 1 && NS_SUCCEEDED(status)) {
            bool done = FakeUtility::onPage ? FakeUtility::onPage(load) : true;
            if (done) job->SetDone(1);
        }
        return NS_OK;
    }

private:
    ~CFakeUtility() = default;
    nsrefcnt m_nRef = 0;
};

class CFakeUtilityFactory final : public nsIFactory {
public:
    NS_DECL_ISUPPORTS
    NS_IMETHOD CreateInstance(nsISupports* outer, const nsIID& iid, void** result) override {
        if (outer) return NS_ERROR_NO_AGGREGATION;
        CFakeUtility* u = new CFakeUtility;
        u->AddRef();
        nsresult rv = u->QueryInterface(iid, result);
        u->Release();
        return rv;
    }
    NS_IMETHOD LockFactory(PRBool) override { return NS_OK; }

private:
    ~CFakeUtilityFactory() = default;
};
NS_IMPL_ISUPPORTS1(CFakeUtilityFactory, nsIFactory)

}  // namespace

void RegisterFakeUtility() {
    nsCOMPtr<nsIComponentRegistrar> reg;
    if (NS_FAILED(NS_GetComponentRegistrar(getter_AddRefs(reg))) || !reg) return;
    static const nsCID kCID = PDFUTILITY_CID;
    nsCOMPtr<nsIFactory> f = new CFakeUtilityFactory;
    reg->RegisterFactory(kCID, "test PDF Utility", NS_WEBPROGRESSLISTENER_CONTRACTID, f);
}

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    {
        MessageBoxRecorder startUp(IDCANCEL);  // the host's start must not block either
        Host();
        if (!startUp.texts.empty()) {
            fprintf(stderr, "message box at start: %s\n", startUp.texts[0].c_str());
            return 1;
        }
    }
    return RunAllTestsWithoutMessageBoxes();
}
