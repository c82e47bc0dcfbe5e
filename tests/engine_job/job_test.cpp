// The conversion job component: its slot table, the URL searches, the
// folder list, the table of contents, links, and the shared state.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "PdfJob.h"
#include "TestFiles.h"
#include "nsCOMPtr.h"
#include "nsFileURL.h"
#include "nsIComponentRegistrar.h"
#include "nsIServiceManager.h"
#include "nsXPCOM.h"

namespace {

// Calls the job's virtual slot n as the PDF Utility does: through the
// table, by position.
template <class R = nsresult, class... A>
R CallSlot(IPdfJob* job, int slot, A... args) {
    using Fn = R (*)(IPdfJob*, A...);
    Fn* table = *reinterpret_cast<Fn**>(job);
    return table[slot](job, args...);
}

// An extracted CHM: a folder whose name holds '#' and a blank, with files in
// nested folders.
std::string g_folder;
const char* const kFiles[] = {"index.htm", "50% off.htm", "sub\\a.htm",
                              "sub\\deeper\\b.htm", "img\\pic.gif"};

void WriteFixtureFile(const std::string& path) {
    HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, h) << path;
    DWORD written = 0;
    ::WriteFile(h, "<html></html>", 13, &written, nullptr);
    CloseHandle(h);
}

std::string Url(const char* page) { return NS_BuildFileURL(g_folder.c_str(), page); }

class JobTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        char temp[MAX_PATH];
        GetTempPathA(MAX_PATH, temp);
        g_folder = std::string(temp) + "tw job C#" + std::to_string(GetCurrentProcessId()) +
                   ".chm";
        RemoveTree(g_folder);
        CreateDirectoryA(g_folder.c_str(), nullptr);
        CreateDirectoryA((g_folder + "\\sub").c_str(), nullptr);
        CreateDirectoryA((g_folder + "\\sub\\deeper").c_str(), nullptr);
        CreateDirectoryA((g_folder + "\\img").c_str(), nullptr);
        for (const char* f : kFiles) WriteFixtureFile(g_folder + "\\" + f);
    }
    static void TearDownTestSuite() { RemoveTree(g_folder); }

    void SetUp() override {
        ASSERT_EQ(NS_OK, NS_InitXPCOM2(getter_AddRefs(m_sm), nullptr, nullptr));
        nsCOMPtr<nsIComponentRegistrar> registrar = do_QueryInterface(m_sm);
        ASSERT_NE(nullptr, registrar.get());
        nsCOMPtr<nsIFactory> factory = new CPdfJobFactory();
        ASSERT_EQ(NS_OK, registrar->RegisterFactory(CLSID_PdfJob, nullptr, nullptr, factory));
        ASSERT_EQ(NS_OK, m_sm->GetService(CLSID_PdfJob, NS_GET_IID(IPdfJob),
                                          getter_AddRefs(m_job)));
        m_job->ClearContents();
        m_job->Reset();
    }
    void TearDown() override {
        m_job = nullptr;
        NS_ShutdownXPCOM(m_sm);
        m_sm = nullptr;
    }

    // Base folder set and the folder's files listed, as the contents walk does.
    void OpenFolder() {
        ASSERT_EQ(NS_OK, m_job->SetBaseFolder(g_folder.c_str()));
        ASSERT_EQ(NS_OK, m_job->ListFolderFiles("index.htm"));
    }

    // Marks every file wanted, then takes the extra pages in list order.
    std::vector<std::string> FolderListOrder() {
        int id = 0;
        for (const char* f : kFiles) EXPECT_EQ(NS_OK, m_job->AddLinkTarget(Url(f).c_str(), &id));
        std::vector<std::string> order;
        FolderFileRec* rec = nullptr;
        while (m_job->GetNextExtraPage(&rec) == NS_OK && order.size() < 20) {
            order.push_back(rec->url);
            rec->done = 1;
        }
        return order;
    }

    nsCOMPtr<nsIServiceManager> m_sm;
    nsCOMPtr<IPdfJob> m_job;
};

}  // namespace

TEST_F(JobTest, SlotTableAnswersByPosition) {
    IPdfJob* job = m_job;
    // 0-2: nsISupports.
    void* p = nullptr;
    EXPECT_EQ(NS_OK, CallSlot(job, 0, &NS_GET_IID(IPdfJob), &p));
    EXPECT_EQ(static_cast<void*>(job), p);
    EXPECT_EQ(NS_OK, CallSlot(job, 0, &NS_GET_IID(nsISupports), &p));
    EXPECT_EQ(NS_NOINTERFACE, CallSlot(job, 0, &NS_GET_IID(nsIFactory), &p));
    EXPECT_EQ(nullptr, p);
    EXPECT_EQ(NS_ERROR_NULL_POINTER, CallSlot(job, 0, &NS_GET_IID(IPdfJob), (void**)nullptr));
    nsrefcnt n = CallSlot<nsrefcnt>(job, 1);
    EXPECT_EQ(n - 1, CallSlot<nsrefcnt>(job, 2));
    job->Release();  // the two references taken by the queries above
    job->Release();

    // String pairs: set by slot, read by slot and by name.
    typedef nsresult (IPdfJob::*Getter)(char*);
    struct Pair {
        int set;
        Getter get;
    } pairs[] = {
        {5, &IPdfJob::GetPdfFile},      {10, &IPdfJob::GetCurrentPage},
        {28, &IPdfJob::GetAuthor},      {30, &IPdfJob::GetTitle},
        {32, &IPdfJob::GetKeywords},    {34, &IPdfJob::GetCreator},
        {36, &IPdfJob::GetSubject},     {38, &IPdfJob::GetProducer},
        {45, &IPdfJob::GetExtraString}, {53, &IPdfJob::GetStringA},
        {57, &IPdfJob::GetStringB},
    };
    for (const Pair& pair : pairs) {
        std::string text = "slot " + std::to_string(pair.set);
        ASSERT_EQ(NS_OK, CallSlot(job, pair.set, text.c_str())) << pair.set;
        char bySlot[64] = "?", byName[64] = "?";
        EXPECT_EQ(NS_OK, CallSlot(job, pair.set + 1, bySlot));
        EXPECT_EQ(NS_OK, (job->*pair.get)(byName));
        EXPECT_EQ(text, bySlot) << "slot " << pair.set + 1;
        EXPECT_EQ(text, byName) << "slot " << pair.set + 1;
    }

    // Int pairs.
    int slots[][2] = {{7, 8}, {18, 19}, {20, 21}, {26, 27}};
    for (auto& s : slots) {
        int value = -1;
        ASSERT_EQ(NS_OK, CallSlot(job, s[0], 100 + s[0]));
        EXPECT_EQ(NS_OK, CallSlot(job, s[1], &value));
        EXPECT_EQ(100 + s[0], value) << "slot " << s[1];
    }
    int loaded = 0, done = 0, mode = 0;
    job->GetLoaded(&loaded);
    job->GetDone(&done);
    job->GetPageMode(&mode);
    EXPECT_EQ(118, loaded);
    EXPECT_EQ(126, done);
    EXPECT_EQ(120, mode);
    EXPECT_EQ(NS_OK, CallSlot(job, 9));  // ClearIdBase
    int base = 0;
    EXPECT_EQ(PDFJOB_E_NOTINITIALISED, job->GetIdBase(&base));
    EXPECT_EQ(NS_OK, CallSlot(job, 22, 4));  // SetPageCount
    int pages = 0;
    EXPECT_EQ(NS_OK, CallSlot(job, 23, &pages));
    EXPECT_EQ(4, pages);

    // 47/48: the page setup pointer, kept not owned.
    PageSetupRec* setup = reinterpret_cast<PageSetupRec*>(&pages);
    PageSetupRec* back = nullptr;
    EXPECT_EQ(NS_OK, CallSlot(job, 47, setup));
    EXPECT_EQ(NS_OK, CallSlot(job, 48, &back));
    EXPECT_EQ(setup, back);

    // The reserved slots do nothing and succeed.
    EXPECT_EQ(NS_OK, CallSlot(job, 4));
    for (int slot : {3, 43, 44, 49, 50, 51, 52, 55, 56})
        EXPECT_EQ(NS_OK, CallSlot(job, slot, static_cast<void*>(&pages))) << slot;

    // 40, 12, 13, 14, 24, 25: folder, files, loads, links.
    EXPECT_EQ(NS_OK, CallSlot(job, 40, g_folder.c_str()));
    EXPECT_EQ(PDFJOB_E_NOTFOUND, CallSlot(job, 12, ""));
    EXPECT_EQ(NS_OK, CallSlot(job, 12, "index.htm"));
    EXPECT_EQ(PDFJOB_E_NOTFOUND, CallSlot(job, 13, Url("index.htm").c_str()));
    EXPECT_EQ(NS_OK, CallSlot(job, 13, Url("index.htm").c_str()));
    int id = 0;
    EXPECT_EQ(NS_OK, CallSlot(job, 25, Url("sub\\a.htm#x").c_str(), &id));
    EXPECT_EQ(1, id);
    FolderFileRec* extra = nullptr;
    EXPECT_EQ(NS_OK, CallSlot(job, 14, &extra));
    ASSERT_NE(nullptr, extra);
    EXPECT_EQ(Url("sub\\a.htm"), extra->url);
    EXPECT_EQ(NS_OK, CallSlot(job, 10, "sub\\a.htm"));
    EXPECT_EQ(NS_OK, CallSlot(job, 24, "x", &id));
    EXPECT_EQ(1, id);

    // 15, 16, 17, 41, 42: the table of contents.
    TocRecord* rec = nullptr;
    TocRecord* pending = nullptr;
    EXPECT_EQ(NS_OK, CallSlot(job, 15, &rec));
    ASSERT_NE(nullptr, rec);
    EXPECT_EQ(NS_OK, CallSlot(job, 16, &pending));
    EXPECT_EQ(rec, pending);
    EXPECT_EQ(NS_OK, CallSlot(job, 17, 7));
    EXPECT_EQ(7, rec->value);
    rec->handled = 1;
    EXPECT_EQ(PDFJOB_E_NOTFOUND, CallSlot(job, 16, &pending));
    EXPECT_EQ(NS_OK, CallSlot(job, 41));  // Reset
    EXPECT_EQ(NS_OK, CallSlot(job, 16, &pending));
    EXPECT_EQ(rec, pending);
    EXPECT_EQ(NS_OK, CallSlot(job, 42));  // ClearContents
    EXPECT_EQ(PDFJOB_E_NOTFOUND, CallSlot(job, 16, &pending));
    EXPECT_EQ(nullptr, pending);
}

TEST_F(JobTest, ShouldLoadUrlIgnoresFragmentsCaseAndSeparators) {
    OpenFolder();
    EXPECT_EQ(PDFJOB_E_NOTFOUND, m_job->ShouldLoadUrl(Url("sub\\a.htm#one").c_str()));
    EXPECT_EQ(NS_OK, m_job->ShouldLoadUrl(Url("sub\\a.htm#two").c_str()));
    EXPECT_EQ(NS_OK, m_job->ShouldLoadUrl(Url("SUB/A.HTM").c_str()));
    EXPECT_EQ(NS_OK, m_job->ShouldLoadUrl(Url("sub\\deeper\\..\\a.htm").c_str()));
    // '%' and blanks in a file name.
    EXPECT_EQ(PDFJOB_E_NOTFOUND, m_job->ShouldLoadUrl(Url("50% off.htm").c_str()));
    EXPECT_EQ(NS_OK, m_job->ShouldLoadUrl(Url("50% off.htm#x").c_str()));
    // A page not in the folder list says load, every time.
    EXPECT_EQ(PDFJOB_E_NOTFOUND, m_job->ShouldLoadUrl(Url("missing.htm").c_str()));
    EXPECT_EQ(PDFJOB_E_NOTFOUND, m_job->ShouldLoadUrl(Url("missing.htm").c_str()));
    // No url: skip. Not a URI: load.
    EXPECT_EQ(NS_OK, m_job->ShouldLoadUrl(nullptr));
    EXPECT_EQ(NS_OK, m_job->ShouldLoadUrl(""));
    // Reset forgets what was loaded.
    m_job->Reset();
    EXPECT_EQ(PDFJOB_E_NOTFOUND, m_job->ShouldLoadUrl(Url("sub\\a.htm").c_str()));
}

TEST_F(JobTest, ListFolderFilesFillsTheListOnceInFolderOrder) {
    EXPECT_EQ(PDFJOB_E_NOTINITIALISED, m_job->ListFolderFiles("index.htm"))
        << "no base folder yet";
    EXPECT_EQ(PDFJOB_E_NOTFOUND, m_job->ListFolderFiles(nullptr));
    OpenFolder();
    std::vector<std::string> order = FolderListOrder();
    ASSERT_EQ(5u, order.size());
    // A folder's files come where the folder is met.
    int a = -1, b = -1;
    for (int i = 0; i < 5; ++i) {
        if (order[i] == Url("sub\\a.htm")) a = i;
        if (order[i] == Url("sub\\deeper\\b.htm")) b = i;
    }
    ASSERT_GE(a, 0);
    ASSERT_GE(b, 0);
    EXPECT_EQ(1, std::abs(a - b));

    // Listing again changes nothing, even for another folder.
    std::string other = g_folder + "\\sub";
    m_job->SetBaseFolder(other.c_str());
    EXPECT_EQ(NS_OK, m_job->ListFolderFiles("x.htm"));
    m_job->SetBaseFolder(g_folder.c_str());
    m_job->Reset();
    EXPECT_EQ(5u, FolderListOrder().size());
    // ClearContents empties it; the next listing reads the folder now set.
    m_job->ClearContents();
    m_job->SetBaseFolder(other.c_str());
    EXPECT_EQ(NS_OK, m_job->ListFolderFiles("a.htm"));
    EXPECT_EQ(PDFJOB_E_NOTFOUND, m_job->ShouldLoadUrl(Url("sub\\a.htm").c_str()));
    EXPECT_EQ(NS_OK, m_job->ShouldLoadUrl(Url("sub\\a.htm").c_str()));
    EXPECT_EQ(PDFJOB_E_NOTFOUND, m_job->ShouldLoadUrl(Url("index.htm").c_str()));
    EXPECT_EQ(PDFJOB_E_NOTFOUND, m_job->ShouldLoadUrl(Url("index.htm").c_str()))
        << "index.htm is outside the folder now listed";
}

TEST_F(JobTest, IdBaseIsNotInitialisedUntilSet) {
    int base = -1;
    EXPECT_EQ(PDFJOB_E_NOTINITIALISED, m_job->GetIdBase(&base));
    EXPECT_EQ(-1, base);
    m_job->SetIdBase(100);
    EXPECT_EQ(NS_OK, m_job->GetIdBase(&base));
    EXPECT_EQ(100, base);
    m_job->Reset();
    EXPECT_EQ(PDFJOB_E_NOTINITIALISED, m_job->GetIdBase(&base));
    m_job->SetIdBase(5);
    m_job->ClearContents();  // keeps the id base
    EXPECT_EQ(NS_OK, m_job->GetIdBase(&base));
    EXPECT_EQ(5, base);
    EXPECT_EQ(NS_ERROR_NULL_POINTER, m_job->GetIdBase(nullptr));
}

TEST_F(JobTest, ResetGivesTheFirstTocRecordAgainAndKeepsTheContents) {
    TocRecord* recs[3] = {};
    for (int i = 0; i < 3; ++i) {
        ASSERT_EQ(NS_OK, m_job->AddTocRecord(&recs[i]));
        EXPECT_EQ(nullptr, recs[i]->name) << "records start zeroed";
        EXPECT_EQ(0, recs[i]->handled);
        ASSERT_TRUE(recs[i]->SetName(u"Title"));
        ASSERT_TRUE(recs[i]->SetPage("page.htm"));
    }
    recs[1]->parent = recs[0];
    TocRecord* pending = nullptr;
    while (m_job->GetNextPendingTocRecord(&pending) == NS_OK) pending->handled = 1;
    EXPECT_EQ(nullptr, pending);
    EXPECT_EQ(PDFJOB_E_NOTFOUND, m_job->SetPendingTocRecordValue(1));
    m_job->Reset();
    ASSERT_EQ(NS_OK, m_job->GetNextPendingTocRecord(&pending));
    EXPECT_EQ(recs[0], pending);
    EXPECT_TRUE(pending->name->Equals(u"Title"));
    EXPECT_STREQ("page.htm", pending->page);
    EXPECT_EQ(NS_ERROR_NULL_POINTER, m_job->AddTocRecord(nullptr));
}

TEST_F(JobTest, LinkIdsAndWantedPages) {
    OpenFolder();
    m_job->SetCurrentPage("sub\\a.htm");
    int id = 0;
    ASSERT_EQ(NS_OK, m_job->GetLinkId("x", &id));
    EXPECT_EQ(1, id);
    ASSERT_EQ(NS_OK, m_job->GetLinkId("y", &id));
    EXPECT_EQ(2, id);
    ASSERT_EQ(NS_OK, m_job->GetLinkId("x", &id));
    EXPECT_EQ(1, id);
    ASSERT_EQ(NS_OK, m_job->GetLinkId(nullptr, &id));
    EXPECT_EQ(3, id);
    // The same target reached as a link: the same id, and no page is wanted.
    ASSERT_EQ(NS_OK, m_job->AddLinkTarget(Url("SUB/a.htm#x").c_str(), &id));
    EXPECT_EQ(1, id);
    FolderFileRec* extra = nullptr;
    EXPECT_EQ(PDFJOB_E_NOTFOUND, m_job->GetNextExtraPage(&extra));
    EXPECT_EQ(nullptr, extra);
    // A link to another file of the folder makes it wanted once.
    ASSERT_EQ(NS_OK, m_job->AddLinkTarget(Url("index.htm#top").c_str(), &id));
    EXPECT_EQ(4, id);
    ASSERT_EQ(NS_OK, m_job->GetNextExtraPage(&extra));
    EXPECT_EQ(Url("index.htm"), extra->url);
    EXPECT_EQ(PDFJOB_E_NOTFOUND, m_job->ShouldLoadUrl(extra->url));  // loads it
    EXPECT_EQ(PDFJOB_E_NOTFOUND, m_job->GetNextExtraPage(&extra));
    // Outside the folder: a failure; not a URI: not found.
    EXPECT_EQ(NS_ERROR_FAILURE, m_job->AddLinkTarget(Url("missing.htm").c_str(), &id));
    EXPECT_EQ(PDFJOB_E_NOTFOUND, m_job->AddLinkTarget("", &id));
    // A page carrying its own fragment: the anchor replaces it.
    m_job->SetCurrentPage("sub\\a.htm#section");
    ASSERT_EQ(NS_OK, m_job->GetLinkId("y", &id));
    EXPECT_EQ(2, id);
    // Anchor names come from page content and have no length limit.
    std::string longAnchor(100000, 'n');
    int longId = 0, again = 0;
    ASSERT_EQ(NS_OK, m_job->GetLinkId(longAnchor.c_str(), &longId));
    ASSERT_EQ(NS_OK, m_job->GetLinkId(longAnchor.c_str(), &again));
    EXPECT_EQ(longId, again);
    EXPECT_EQ(5, longId);
    // Reset forgets the link targets and restarts the ids.
    m_job->Reset();
    m_job->SetCurrentPage("sub\\a.htm");
    ASSERT_EQ(NS_OK, m_job->GetLinkId("y", &id));
    EXPECT_EQ(1, id);
}

// The anchors of one page come in a row (a page's named positions): each
// gets an id of its own, the page is wanted once, a page in between or
// outside the folder is told apart, and a folder listed again is searched
// again.
TEST_F(JobTest, AnchorsOfOnePageInARow) {
    OpenFolder();
    int id = 0;
    for (const char* anchor : {"#a", "#b", "#c"}) {
        ASSERT_EQ(NS_OK, m_job->AddLinkTarget((Url("sub\\deeper\\b.htm") + anchor).c_str(), &id));
        EXPECT_EQ(anchor[1] - 'a' + 1, id);
    }
    EXPECT_EQ(NS_ERROR_FAILURE, m_job->AddLinkTarget(Url("missing.htm#a").c_str(), &id));
    ASSERT_EQ(NS_OK, m_job->AddLinkTarget(Url("index.htm#x").c_str(), &id));
    ASSERT_EQ(NS_OK, m_job->AddLinkTarget((Url("sub\\deeper\\b.htm") + "#d").c_str(), &id));
    EXPECT_EQ(5, id);
    std::vector<std::string> wanted;
    FolderFileRec* rec = nullptr;
    while (m_job->GetNextExtraPage(&rec) == NS_OK && wanted.size() < 10) {
        wanted.push_back(rec->url);
        rec->done = 1;
    }
    EXPECT_EQ(std::vector<std::string>({Url("index.htm"), Url("sub\\deeper\\b.htm")}), wanted);

    m_job->ClearContents();
    m_job->Reset();
    OpenFolder();
    ASSERT_EQ(NS_OK, m_job->AddLinkTarget((Url("sub\\deeper\\b.htm") + "#e").c_str(), &id));
    ASSERT_EQ(NS_OK, m_job->GetNextExtraPage(&rec));
    EXPECT_EQ(Url("sub\\deeper\\b.htm"), rec->url);
}

// The anchors of a page after the page itself are keyed without parsing
// the page again: each id is the one the same URL spelled otherwise (and
// so parsed in full) gets, and fragments differ where the parser says so.
TEST_F(JobTest, AnchorsAfterTheirPageGetTheIdsOfTheirFullParse) {
    OpenFolder();
    int top = 0;
    ASSERT_EQ(NS_OK, m_job->AddLinkTarget(Url("sub\\a.htm").c_str(), &top));
    const char* const fragments[] = {"x", "Y", "y", "a.b-c_1", "a%20b", "a b", "%7E", "~"};
    std::vector<int> ids;
    for (const char* f : fragments) {
        int id = 0;
        ASSERT_EQ(NS_OK, m_job->AddLinkTarget((Url("sub\\a.htm") + "#" + f).c_str(), &id)) << f;
        ids.push_back(id);
    }
    for (size_t i = 0; i < ids.size(); ++i) {
        int again = 0;
        ASSERT_EQ(NS_OK, m_job->AddLinkTarget((Url("SUB/./a.htm") + "#" + fragments[i]).c_str(), &again));
        EXPECT_EQ(ids[i], again) << fragments[i];
    }
    EXPECT_NE(ids[1], ids[2]);  // fragments keep their case
    int page = 0;
    ASSERT_EQ(NS_OK, m_job->AddLinkTarget(Url("SUB/a.htm").c_str(), &page));
    EXPECT_EQ(top, page);
}

TEST_F(JobTest, PageCountAddsThePagesOfEarlierPages) {
    m_job->SetPageCount(3);
    m_job->SetCurrentPage("a.htm");
    int count = 0;
    m_job->GetPageCount(&count);
    EXPECT_EQ(3, count);
    m_job->SetPageCount(2);
    m_job->GetPageCount(&count);
    EXPECT_EQ(5, count);
    char page[32] = "?";
    m_job->GetCurrentPage(page);
    EXPECT_STREQ("a.htm", page);
    m_job->Reset();
    m_job->GetPageCount(&count);
    EXPECT_EQ(0, count);
    m_job->GetCurrentPage(page);
    EXPECT_STREQ("", page) << "no stored string reads as empty";
}

TEST_F(JobTest, ReleasingAnotherInstanceKeepsTheSharedJob) {
    OpenFolder();
    TocRecord* rec = nullptr;
    ASSERT_EQ(NS_OK, m_job->AddTocRecord(&rec));
    rec->SetPage("index.htm");
    {
        nsCOMPtr<IPdfJob> second = do_CreateInstance(CLSID_PdfJob);
        ASSERT_NE(nullptr, second.get());
        EXPECT_NE(m_job.get(), second.get());
        TocRecord* seen = nullptr;
        ASSERT_EQ(NS_OK, second->GetNextPendingTocRecord(&seen));
        EXPECT_EQ(rec, seen) << "every instance sees the same job";
    }
    TocRecord* pending = nullptr;
    ASSERT_EQ(NS_OK, m_job->GetNextPendingTocRecord(&pending));
    EXPECT_EQ(rec, pending);
    EXPECT_STREQ("index.htm", pending->page);
    EXPECT_EQ(PDFJOB_E_NOTFOUND, m_job->ShouldLoadUrl(Url("index.htm").c_str()));
    EXPECT_EQ(NS_OK, m_job->ShouldLoadUrl(Url("index.htm").c_str()));
}

TEST_F(JobTest, FactoryRefusesAggregationAndUnknownInterfaces) {
    nsCOMPtr<nsIFactory> factory = new CPdfJobFactory();
    nsCOMPtr<nsISupports> base = do_QueryInterface(factory);
    EXPECT_NE(nullptr, base.get());
    void* result = &result;
    EXPECT_EQ(NS_ERROR_NO_AGGREGATION, factory->CreateInstance(base, NS_GET_IID(IPdfJob), &result));
    EXPECT_EQ(nullptr, result);
    result = &result;
    EXPECT_EQ(NS_NOINTERFACE, factory->CreateInstance(nullptr, NS_GET_IID(nsIFactory), &result));
    EXPECT_EQ(nullptr, result);
    EXPECT_EQ(NS_OK, factory->LockFactory(PR_TRUE));
    // The refused instance is gone, and the service's job is untouched.
    TocRecord* rec = nullptr;
    EXPECT_EQ(NS_OK, m_job->AddTocRecord(&rec));
}
