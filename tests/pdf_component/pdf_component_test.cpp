// The PDF Utility component under the job protocol: pages loaded into the
// hidden browser in page mode 1, the component lays them out and writes
// them, slot 3 finishes the file. The PDFs it leaves in pdfcomp-out\ are
// checked natively by check_pdfs.sh (qpdf, poppler).
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "PageSetupRec.h"
#include "PdfJob.h"
#include "PdfUtility.h"
#include "PdfUtilityComponent.h"
#include "nsCOMPtr.h"
#include "nsFileURL.h"
#include "nsIComponentRegistrar.h"
#include "nsIServiceManager.h"
#include "nsIWebBrowser.h"
#include "nsIWebProgressListener.h"
#include "nsIWebNavigation.h"
#include "nsString.h"
#include "nsXPCOM.h"
#include "pdf_conversion.h"
#include "pdf_output.h"
#include "pdf_test_util.h"

namespace {

const nsCID kJobCID = PDFJOB_CID;
const nsCID kUtilityCID = PDFUTILITY_CID;

std::string ExeDir() {
    char exe[MAX_PATH];
    DWORD n = GetModuleFileNameA(nullptr, exe, MAX_PATH);
    std::string dir(exe, n);
    return dir.substr(0, dir.find_last_of("\\/") + 1);
}

std::string OutDir() {
    CreateDirectoryA("pdfcomp-out", nullptr);
    char full[MAX_PATH];
    GetFullPathNameA("pdfcomp-out\\", MAX_PATH, full, nullptr);
    return full;
}

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::string ReadAll(const std::string& path) {
    std::string s;
    FILE* f = fopen(path.c_str(), "rb");
    if (!f) return s;
    char b[65536];
    size_t n;
    while ((n = fread(b, 1, sizeof b, f)) > 0) s.append(b, n);
    fclose(f);
    return s;
}

void WriteAll(const std::string& path, const std::string& bytes) {
    FILE* f = fopen(path.c_str(), "wb");
    ASSERT_TRUE(f) << path;
    fwrite(bytes.data(), 1, bytes.size(), f);
    fclose(f);
}

// A small (4x4) 24-bit bitmap file: not a JPEG, so it goes in as compressed
// pixels.
std::string TinyBmp(unsigned w = 4, unsigned h = 4) {
    std::string b;
    auto u16 = [&](unsigned v) { b += char(v & 255); b += char(v >> 8); };
    auto u32 = [&](unsigned v) { u16(v & 0xFFFF); u16(v >> 16); };
    const unsigned stride = (w * 3 + 3) / 4 * 4;
    b += "BM";
    u32(54 + stride * h); u32(0); u32(54);
    u32(40); u32(w); u32(h); u16(1); u16(24); u32(0); u32(stride * h); u32(2835); u32(2835); u32(0); u32(0);
    for (unsigned y = 0; y < h; ++y) {
        for (unsigned x = 0; x < w; ++x) {
            const unsigned i = y * w + x;
            b += char(i * 16); b += char(200); b += char(255 - i * 16);
        }
        b.append(stride - w * 3, '\0');
    }
    return b;
}

// DejaVu Sans renamed "Lockedx Fnt" (a name of the same length) with a
// licence that forbids embedding, written to |path|; empty when DejaVu Sans
// is not on the host.
std::string LockedFont(const std::string& path) {
    std::shared_ptr<const std::string> bytes = twpdf_test::DejaVuBytes();
    if (!bytes) return std::string();
    std::string font = *bytes;
    auto be16 = [&font](size_t off) { return (uint8_t(font[off]) << 8) | uint8_t(font[off + 1]); };
    auto be32 = [&](size_t off) { return (uint32_t(be16(off)) << 16) | be16(off + 2); };
    std::string wide_old, wide_new;
    for (char c : std::string("DejaVu Sans")) wide_old += std::string{'\0', c};
    for (char c : std::string("Lockedx Fnt")) wide_new += std::string{'\0', c};
    for (int i = 0, n = be16(4); i < n; ++i) {
        size_t rec = 12 + 16 * size_t(i);
        uint32_t off = be32(rec + 8), len = be32(rec + 12);
        if (font.compare(rec, 4, "OS/2") == 0) {
            font[off + 8] = 0;
            font[off + 9] = 2;  // restricted licence
        }
        if (font.compare(rec, 4, "name") != 0) continue;
        for (auto [from, to] : {std::make_pair(std::string("DejaVu Sans"), std::string("Lockedx Fnt")),
                                std::make_pair(wide_old, wide_new)})
            for (size_t at = off; (at = font.find(from, at)) != std::string::npos && at < off + len;)
                font.replace(at, from.size(), to);
    }
    WriteAll(path, font);
    return path;
}

// Counts the ends of a browser's loads.
class LoadCounter final : public nsIWebProgressListener {
public:
    int ended = 0;
    NS_IMETHOD QueryInterface(const nsIID& iid, void** result) override {
        if (!result) return NS_ERROR_NULL_POINTER;
        *result = nullptr;
        if (!iid.Equals(NS_GET_IID(nsIWebProgressListener)) && !iid.Equals(NS_GET_IID(nsISupports)))
            return NS_NOINTERFACE;
        *result = static_cast<nsIWebProgressListener*>(this);
        AddRef();
        return NS_OK;
    }
    NS_IMETHOD_(nsrefcnt) AddRef() override { return ++refs; }
    NS_IMETHOD_(nsrefcnt) Release() override { return --refs; }
    NS_IMETHOD OnLoadFinished(nsIWebBrowser*, const PRUnichar*, nsresult, nsIDOMDocument*) override {
        ++ended;
        return NS_OK;
    }

private:
    nsrefcnt refs = 1;
};

// The record the driver would build, with its strings.
struct JobSetup {
    PageSetupRec rec = {};
    nsString strings[6];
    JobSetup(double w, double h, int unit, int orientation, double margin) {
        rec.width = w;
        rec.height = h;
        rec.unit = unit;
        rec.orientation = orientation;
        rec.marginLeft = rec.marginTop = rec.marginRight = rec.marginBottom = margin;
        nsString** slots[6] = {&rec.headerLeft, &rec.headerCenter, &rec.headerRight,
                               &rec.footerLeft, &rec.footerCenter, &rec.footerRight};
        for (int i = 0; i < 6; ++i) *slots[i] = &strings[i];
    }
    void Field(int i, const char16_t* text) { strings[i].Assign(text); }
};

struct Toc {
    const char16_t* title;
    const char* page;  // null: none
    int parent;        // index of the enclosing entry, -1 at the top
};

class PdfComponentTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        nsIServiceManager* sm = nullptr;
        ASSERT_EQ(NS_InitXPCOM2(&sm, nullptr, nullptr), NS_OK);
        nsCOMPtr<nsIComponentRegistrar> reg;
        sm->QueryInterface(NS_GET_IID(nsIComponentRegistrar), getter_AddRefs(reg));
        nsCOMPtr<nsIFactory> factory = new CPdfJobFactory();
        ASSERT_EQ(reg->RegisterFactory(kJobCID, nullptr, nullptr, factory), NS_OK);
        s_sm = sm;
        twpdf::WriterOptions options;
        options.reproducible = true;
        CPdfUtility::SetWriterOptions(options);

        // The help folder: the fixture pages and two images made here.
        s_folder = ExeDir() + "pdfcomp_fixtures\\help";
        WriteAll(s_folder + "\\photo.jpg", twpdf_test::TinyJpeg());
        WriteAll(s_folder + "\\sub\\pixels.bmp", TinyBmp());
        // A face GDI hands out but whose licence forbids embedding: page1
        // uses it, and its text must still be in the file.
        std::string locked = LockedFont(OutDir() + "locked.ttf");
        if (!locked.empty()) {
            ASSERT_GT(AddFontResourceExA(locked.c_str(), FR_PRIVATE, nullptr), 0);
        }
    }

    void SetUp() override {
        ASSERT_EQ(s_sm->GetService(kJobCID, NS_GET_IID(IPdfJob), getter_AddRefs(job)), NS_OK);
        nsresult rv;
        browser = do_CreateInstance(NS_WEBBROWSER_CONTRACTID, &rv);
        ASSERT_TRUE(browser);
    }

    // Opens the "CHM": the contents records and the folder's file list.
    void Open(const std::vector<Toc>& toc) {
        job->ClearContents();
        job->SetBaseFolder(s_folder.c_str());
        std::vector<TocRecord*> recs;
        for (const Toc& t : toc) {
            TocRecord* r = nullptr;
            ASSERT_EQ(job->AddTocRecord(&r), NS_OK);
            r->SetName(t.title);
            if (t.page) r->SetPage(t.page);
            r->parent = t.parent >= 0 ? recs[size_t(t.parent)] : nullptr;
            recs.push_back(r);
        }
        job->ListFolderFiles("x");
    }

    // The driver's part of a conversion, up to the PDF Utility's call.
    void Begin(const std::string& pdf, JobSetup& setup) {
        job->Reset();
        job->SetPdfFile(pdf.c_str());
        job->SetAuthor("Ann Author");
        job->SetProducer("DER ov AZA voderezev 1.1");
        job->SetSubject("Subject line");
        job->SetTitle("Help \xC4rger");  // ANSI (Western): "Help Ärger"
        job->SetKeywords("one, two");
        job->SetCreator("Creator app");
        job->SetBaseFolder(s_folder.c_str());
        job->SetPageSetup(&setup.rec);
    }

    // The utility lays pages out and writes them a few pages behind the
    // loads; this takes every page loaded (as the driver does before it
    // reads the wanted pages).
    void TakeLoaded() {
        nsCOMPtr<IPdfUtility> utility;
        s_sm->GetService(kUtilityCID, NS_GET_IID(IPdfUtility), getter_AddRefs(utility));
        ASSERT_TRUE(utility);
        nsresult rv;
        while ((rv = utility->TakeLoadedPages()) == PDFUTILITY_S_PAGES_LEFT) {
        }
        EXPECT_EQ(rv, NS_OK);
    }

    // Loads one page as the driver does; false when the wait ran out. With
    // |take| the page is then taken at once, so that the job's page count
    // and link targets include it.
    bool Load(const char* page, bool current = true, bool take = true) {
        job->SetPageMode(1);
        if (current) job->SetCurrentPage(page);
        std::string url = strstr(page, "file:") == page ? page : NS_BuildFileURL(s_folder.c_str(), page);
        if (job->ShouldLoadUrl(url.c_str()) != PDFJOB_E_NOTFOUND) return true;
        job->SetDone(0);
        job->SetLoaded(0);
        nsCOMPtr<nsIWebNavigation> nav = do_QueryInterface(browser);
        NS_ConvertUTF8toUTF16 wide(url.c_str());
        if (NS_FAILED(nav->LoadURI(wide.get(), 0, nullptr, nullptr, nullptr))) return true;
        // A guard against a hang, not a measurement.
        DWORD start = GetTickCount();
        while (GetTickCount() - start < 60000) {
            MSG msg;
            while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
                TranslateMessage(&msg);
                DispatchMessageA(&msg);
            }
            int done = 0;
            job->GetDone(&done);
            if (done) {
                if (take) TakeLoaded();
                return true;
            }
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
        }
        return false;
    }

    // A load the driver did not make (done left as it is); returns when it
    // has ended.
    void LoadStray(const char* page) {
        LoadCounter counter;
        browser->AddWebBrowserListener(&counter, NS_GET_IID(nsIWebProgressListener));
        nsCOMPtr<nsIWebNavigation> nav = do_QueryInterface(browser);
        NS_ConvertUTF8toUTF16 wide(NS_BuildFileURL(s_folder.c_str(), page).c_str());
        ASSERT_EQ(nav->LoadURI(wide.get(), 0, nullptr, nullptr, nullptr), NS_OK);
        DWORD start = GetTickCount();
        MSG msg;
        while (!counter.ended && GetTickCount() - start < 60000 && GetMessageA(&msg, nullptr, 0, 0) > 0) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        browser->RemoveWebBrowserListener(&counter, NS_GET_IID(nsIWebProgressListener));
        EXPECT_EQ(counter.ended, 1);
    }

    void LoadExtras() {
        FolderFileRec* extra = nullptr;
        while (NS_SUCCEEDED(job->GetNextExtraPage(&extra)) && extra) {
            std::string url = extra->url;
            ASSERT_TRUE(Load(url.c_str()));
            extra->done = 1;
        }
    }

    nsresult Finish() {
        nsCOMPtr<IPdfUtility> utility;
        EXPECT_EQ(s_sm->GetService(kUtilityCID, NS_GET_IID(IPdfUtility), getter_AddRefs(utility)), NS_OK);
        if (!utility) return NS_ERROR_FAILURE;
        return utility->FinishDocument();
    }

    std::string Extra() {
        std::vector<char> b(1 << 16, 0);
        job->GetExtraString(b.data());
        return b.data();
    }

    // One page converted alone on A4 into <name>.pdf, with the files it
    // uses written beside it: the content stream of its page ("" when it
    // failed).
    std::string PageStream(const std::string& name, const std::string& html,
                           const std::vector<std::pair<std::string, std::string>>& files = {});

    static nsIServiceManager* s_sm;
    static std::string s_folder;
    nsCOMPtr<IPdfJob> job;
    nsCOMPtr<nsIWebBrowser> browser;
};
nsIServiceManager* PdfComponentTest::s_sm = nullptr;
std::string PdfComponentTest::s_folder;

// The component is one object for the driver (by class id) and for the
// browser (as the load listener).
TEST_F(PdfComponentTest, OneServiceForClassIdAndLoadListener) {
    nsCOMPtr<IPdfUtility> utility;
    ASSERT_EQ(s_sm->GetService(kUtilityCID, NS_GET_IID(IPdfUtility), getter_AddRefs(utility)), NS_OK);
    nsCOMPtr<nsISupports> a, b;
    s_sm->GetServiceByContractID(NS_WEBPROGRESSLISTENER_CONTRACTID, NS_GET_IID(nsISupports),
                                 getter_AddRefs(a));
    utility->QueryInterface(NS_GET_IID(nsISupports), getter_AddRefs(b));
    EXPECT_TRUE(a && a == b);
}

// A whole conversion: the contents pages in order, the page that only a
// link wants, bookmarks, links, header and footer codes. help.pdf goes to
// the native checks.
TEST_F(PdfComponentTest, ConversionWritesEveryPageBookmarksAndLinks) {
    Open({{u"Chapter One", "page1.htm", -1},
          {u"\u00DCberblick \u2013 \u03A9 \u65E5\u672C", "page2.htm", 0},
          {u"The anchor", "page2.htm#anchor", 1},
          {u"Empty page", "empty.htm", -1},
          {u"Section without page", nullptr, -1},
          {u"Missing page", "nothere.htm", -1}});
    JobSetup setup(21 / 2.54, 29.7 / 2.54, 0, 0, 0.5);
    setup.Field(0, u"Left head");
    setup.Field(2, u"Page &PageNo");
    setup.Field(4, u"Footer centre");
    const std::string pdf = OutDir() + "help.pdf";
    Begin(pdf, setup);

    int counts[4] = {};
    const char* pages[4] = {"page1.htm", "page2.htm", "empty.htm", "nothere.htm"};
    for (int i = 0; i < 4; ++i) {
        ASSERT_TRUE(Load(pages[i])) << pages[i];
        int loaded = 0;
        job->GetLoaded(&loaded);
        EXPECT_EQ(loaded, 1) << pages[i];
        job->GetPageCount(&counts[i]);
    }
    EXPECT_EQ(counts[0], 1);
    EXPECT_GT(counts[1], 3);               // page2 runs over several pages
    EXPECT_EQ(counts[2], counts[1] + 1);   // an empty page still gives a page
    EXPECT_EQ(counts[3], counts[2]);       // a page that failed gives none

    LoadExtras();  // sub/extra.htm, wanted through page2's link
    int total = 0;
    job->GetPageCount(&total);
    EXPECT_EQ(total, counts[3] + 1);

    ASSERT_EQ(Finish(), NS_OK) << Extra();
    std::string bytes = ReadAll(pdf);
    ASSERT_EQ(bytes.compare(0, 5, "%PDF-"), 0);
    EXPECT_NE(bytes.find("%%EOF"), std::string::npos);
    // Every record was used, nested under its parent's bookmark.
    TocRecord* rec = nullptr;
    EXPECT_EQ(job->GetNextPendingTocRecord(&rec), PDFJOB_E_NOTFOUND);
}

// Paper in centimetres turned to landscape, with margins in centimetres;
// the file is checked natively for its size.
TEST_F(PdfComponentTest, CentimetrePaperLandscape) {
    Open({{u"One", "page1.htm", -1}});
    JobSetup setup(10, 15, 1, 1, 1);
    const std::string pdf = OutDir() + "cm-landscape.pdf";
    Begin(pdf, setup);
    ASSERT_TRUE(Load("page1.htm"));
    ASSERT_EQ(Finish(), NS_OK) << Extra();
    EXPECT_TRUE(Exists(pdf));
}

// No page at all (an empty contents, or Cancel before the first page): a
// valid one-page file. A second conversion after it starts afresh.
TEST_F(PdfComponentTest, NoPagesStillMakesAValidFile) {
    Open({});
    JobSetup setup(8.5, 11, 0, 0, 0.5);
    const std::string pdf = OutDir() + "no-pages.pdf";
    Begin(pdf, setup);
    ASSERT_EQ(Finish(), NS_OK) << Extra();
    const std::string written = ReadAll(pdf);
    EXPECT_EQ(written.compare(0, 5, "%PDF-"), 0);

    // A page shown after the conversion, the job still in page mode 1 with
    // its PDF path: the finished file stays as it is.
    LoadStray("page1.htm");
    EXPECT_EQ(ReadAll(pdf), written);
    // Nor does a second final call, or a page loaded as the driver would
    // without a new conversion.
    EXPECT_EQ(Finish(), NS_OK);
    ASSERT_TRUE(Load("page1.htm"));
    EXPECT_EQ(ReadAll(pdf), written);
    int count = -1;
    job->GetPageCount(&count);
    EXPECT_EQ(count, 0);
}

// A cancelled conversion: the pages done so far make a valid file, and a
// conversion that is started again without its end (the job reset under
// it) gives up the first file.
TEST_F(PdfComponentTest, CancelledAndRestartedConversions) {
    Open({{u"Chapter One", "page1.htm", -1}, {u"Two", "page2.htm", -1}});
    JobSetup setup(21 / 2.54, 29.7 / 2.54, 0, 0, 0.5);
    const std::string abandoned = OutDir() + "abandoned.pdf";
    Begin(abandoned, setup);
    ASSERT_TRUE(Load("page1.htm"));
    EXPECT_TRUE(Exists(abandoned));  // streaming: the file grows page by page

    const std::string pdf = OutDir() + "cancelled.pdf";
    Begin(pdf, setup);
    ASSERT_TRUE(Load("page1.htm"));
    EXPECT_FALSE(Exists(abandoned));
    ASSERT_EQ(Finish(), NS_OK) << Extra();
    EXPECT_EQ(ReadAll(pdf).compare(0, 5, "%PDF-"), 0);
}

// Taking the loaded pages stops at the first one whose links make a page
// wanted, so that the driver loads it while the rest are laid out; the next
// call takes the rest.
TEST_F(PdfComponentTest, TakingStopsWhereAPageIsWanted) {
    Open({{u"One", "page1.htm", -1}, {u"Empty", "empty.htm", -1}});
    JobSetup setup(21 / 2.54, 29.7 / 2.54, 0, 0, 0.5);
    Begin(OutDir() + "taking.pdf", setup);
    ASSERT_TRUE(Load("page1.htm", true, false));
    ASSERT_TRUE(Load("empty.htm", true, false));
    FolderFileRec* extra = nullptr;
    EXPECT_NE(job->GetNextExtraPage(&extra), NS_OK);  // page 1's links not taken yet
    nsCOMPtr<IPdfUtility> utility;
    s_sm->GetService(kUtilityCID, NS_GET_IID(IPdfUtility), getter_AddRefs(utility));
    ASSERT_TRUE(utility);
    EXPECT_EQ(utility->TakeLoadedPages(), PDFUTILITY_S_PAGES_LEFT);
    ASSERT_EQ(job->GetNextExtraPage(&extra), NS_OK);
    ASSERT_TRUE(extra);
    EXPECT_NE(std::string(extra->url).find("page2.htm"), std::string::npos) << extra->url;
    EXPECT_EQ(utility->TakeLoadedPages(), NS_OK);
    EXPECT_EQ(utility->TakeLoadedPages(), NS_OK);  // nothing left
    LoadExtras();
    ASSERT_EQ(Finish(), NS_OK) << Extra();
}

// A PDF path that cannot be written (a missing folder, a folder, none):
// slot 3 fails with a reason, no file is left, and every load still ends
// with done.
TEST_F(PdfComponentTest, UnwritablePathFailsWithoutFile) {
    Open({{u"One", "page1.htm", -1}});
    JobSetup setup(21 / 2.54, 29.7 / 2.54, 0, 0, 0.5);
    const std::string folder = OutDir() + "a folder.pdf";
    CreateDirectoryA(folder.c_str(), nullptr);
    for (const std::string& pdf : {OutDir() + "no such folder\\x.pdf", folder, std::string()}) {
        Begin(pdf, setup);
        ASSERT_TRUE(Load("page1.htm")) << pdf;
        EXPECT_EQ(Finish(), NS_ERROR_FAILURE) << pdf;
        EXPECT_FALSE(Extra().empty()) << pdf;
    }
    EXPECT_FALSE(Exists(OutDir() + "no such folder\\x.pdf"));
    RemoveDirectoryA(folder.c_str());
}

TEST(PdfConversionParts, PageSetupRecordInItsUnit) {
    JobSetup inch(8.5, 11, 0, 0, 0.5);
    twpdf::PageSetup s = twpdf::PageSetupFromRecord(&inch.rec);
    EXPECT_DOUBLE_EQ(s.width_in, 8.5);
    EXPECT_DOUBLE_EQ(s.margin_left_in, 0.5);
    JobSetup cm(21, 29.7, 1, 1, 2.54);
    inch.Field(1, u"\u03A9 centre");
    s = twpdf::PageSetupFromRecord(&cm.rec);
    EXPECT_NEAR(s.width_in, 21 / 2.54, 1e-12);
    EXPECT_NEAR(s.margin_top_in, 1, 1e-12);  // margins are in the record's unit too
    EXPECT_TRUE(s.landscape);
    EXPECT_EQ(twpdf::PageSetupFromRecord(&inch.rec).header_center, "\xCE\xA9 centre");
    s = twpdf::PageSetupFromRecord(nullptr);
    EXPECT_EQ(s.width_in, 0);  // the writer makes that A4
}

TEST(PdfConversionParts, FieldCodes) {
    struct {
        const char* text;
        const char* expected;
    } cases[] = {
        {"Page &PageNo", "Page 7"},
        {"&Date / &URL", "1.2.2027 / file:///C:/h/p.htm"},
        {"&PageNo&PageNo", "77"},
        {"AT&T & co &pageno", "AT&T & co &pageno"},
        {"", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(twpdf::ExpandFieldCodes(c.text, 7, "1.2.2027", "file:///C:/h/p.htm"), c.expected)
            << c.text;
}

TEST(PdfConversionParts, LinkKinds) {
    using twpdf::LinkKind;
    struct {
        const char* url;
        LinkKind kind;
        const char* target;
    } cases[] = {
        {"file:///C:/help/a.htm#x", LinkKind::kInternal, "file:///C:/help/a.htm#x"},
        {"sub/a.htm", LinkKind::kInternal, "sub/a.htm"},
        {"C:\\help\\a.htm", LinkKind::kInternal, "C:\\help\\a.htm"},
        {"ms-its:help.chm::/sub/a.htm#x", LinkKind::kInternal, "sub/a.htm#x"},
        {"mk:@MSITStore:help.chm::/a.htm", LinkKind::kInternal, "a.htm"},
        {"ms-its:help.chm", LinkKind::kNone, ""},
        {"http://example.com/a?b=c", LinkKind::kUri, "http://example.com/a?b=c"},
        {"MAILTO:someone@example.com", LinkKind::kUri, "MAILTO:someone@example.com"},
        {"javascript:void(0)", LinkKind::kNone, ""},
        {"bad scheme:x", LinkKind::kNone, ""},
        {"", LinkKind::kNone, ""},
    };
    for (const auto& c : cases) {
        std::string target;
        EXPECT_EQ(twpdf::ClassifyLink(c.url, &target), c.kind) << c.url;
        EXPECT_EQ(target, c.target) << c.url;
    }
}

}  // namespace

namespace {
// The inflated content streams of a PDF written by the component (every
// stream the writer compresses; pages, fonts and images alike).
std::vector<std::string> Streams(const std::string& pdf) {
    std::vector<std::string> out;
    for (size_t at = 0; (at = pdf.find("stream\n", at)) != std::string::npos;) {
        at += 7;
        size_t end = pdf.find("\nendstream", at);
        if (end == std::string::npos) break;
        std::string plain;
        if (twpdf::Inflate(pdf.substr(at, end - at), plain)) out.push_back(plain);
        at = end + 10;  // past "\nendstream"
    }
    return out;
}
size_t Count(const std::string& text, const std::string& what) {
    size_t n = 0;
    for (size_t at = 0; (at = text.find(what, at)) != std::string::npos; at += what.size()) ++n;
    return n;
}
}  // namespace

// Within one conversion: a small tiled background is drawn in blocks of
// tiles, not tile by tile, and a style sheet that changes between two pages
// is read again (the host keeps sheets and images from page to page).
TEST_F(PdfComponentTest, TiledBackgroundsAndChangedSheets) {
    const std::string sub = "tiles-" + std::to_string(GetCurrentProcessId());
    const std::string dir = s_folder + "\\" + sub;
    CreateDirectoryA(dir.c_str(), nullptr);
    WriteAll(dir + "\\strip.bmp", TinyBmp());
    // 150 tiles across (4-pixel tiles over 600 px), one row.
    const std::string page =
        "<html><head><link rel=stylesheet href=\"look.css\"></head><body>"
        "<div style=\"width:600px;height:4px;background:url(strip.bmp) repeat-x\"></div>"
        "<p>Coloured text</p></body></html>";
    WriteAll(dir + "\\a.htm", page);
    WriteAll(dir + "\\b.htm", page);
    WriteAll(dir + "\\look.css", "p { color: #ff0000 }");
    const std::string a = sub + "\\a.htm", b = sub + "\\b.htm";
    Open({{u"A", a.c_str(), -1}, {u"B", b.c_str(), -1}});
    JobSetup setup(21 / 2.54, 29.7 / 2.54, 0, 0, 0.5);
    const std::string pdf = OutDir() + "tiles.pdf";
    Begin(pdf, setup);
    ASSERT_TRUE(Load(a.c_str()));
    // Another size, so the change shows whatever the file time's resolution.
    WriteAll(dir + "\\look.css", "p { color: #00ff00; margin: 0 }");
    ASSERT_TRUE(Load(b.c_str()));
    ASSERT_EQ(Finish(), NS_OK) << Extra();

    std::vector<std::string> pages;
    for (const std::string& s : Streams(ReadAll(pdf)))
        if (s.find(" Tj ET") != std::string::npos) pages.push_back(s);
    ASSERT_EQ(pages.size(), 2u);
    for (const std::string& s : pages) {
        const size_t draws = Count(s, " Do Q");
        EXPECT_GT(draws, 0u);
        EXPECT_LE(draws, 4u);  // 150 tiles in blocks of 64
    }
    EXPECT_NE(pages[0].find("1 0 0 rg"), std::string::npos);
    EXPECT_EQ(pages[0].find("0 1 0 rg"), std::string::npos);
    EXPECT_NE(pages[1].find("0 1 0 rg"), std::string::npos);
    EXPECT_EQ(pages[1].find("1 0 0 rg"), std::string::npos);

    for (const char* f : {"strip.bmp", "a.htm", "b.htm", "look.css"}) DeleteFileA((dir + "\\" + f).c_str());
    RemoveDirectoryA(dir.c_str());
}

std::string PdfComponentTest::PageStream(const std::string& name, const std::string& html,
                                         const std::vector<std::pair<std::string, std::string>>& files) {
    const std::string sub = name + "-" + std::to_string(GetCurrentProcessId());
    const std::string dir = s_folder + "\\" + sub;
    CreateDirectoryA(dir.c_str(), nullptr);
    for (const auto& f : files) WriteAll(dir + "\\" + f.first, f.second);
    WriteAll(dir + "\\page.htm", html);
    const std::string page = sub + "\\page.htm";
    Open({{u"Page", page.c_str(), -1}});
    JobSetup setup(21 / 2.54, 29.7 / 2.54, 0, 0, 0.5);
    const std::string pdf = OutDir() + name + ".pdf";
    Begin(pdf, setup);
    std::string stream;
    EXPECT_TRUE(Load(page.c_str()));
    EXPECT_EQ(Finish(), NS_OK) << Extra();
    for (const std::string& s : Streams(ReadAll(pdf)))
        if (s.find(" Tj ET") != std::string::npos) stream = s;
    for (const auto& f : files) DeleteFileA((dir + "\\" + f.first).c_str());
    DeleteFileA((dir + "\\page.htm").c_str());
    RemoveDirectoryA(dir.c_str());
    return stream;
}

// A gradient one pixel wide repeated across is one drawing stretched over
// the width (no seams between blocks of tiles).
TEST_F(PdfComponentTest, OnePixelGradientIsOneDrawing) {
    const std::string page = PageStream("gradient",
                                        "<html><body><div style=\"width:600px;height:6px;"
                                        "background:url(g.bmp) repeat-x\"></div><p>text</p></body></html>",
                                        {{"g.bmp", TinyBmp(1, 6)}});
    EXPECT_EQ(Count(page, " Do Q"), 1u);
}

// Rounded corners reach the PDF as curves filled by the even-odd rule: the
// background as one figure, its one-colour border as a band of two.
TEST_F(PdfComponentTest, RoundedBoxesAreCurves) {
    const std::string page = PageStream("round",
                                        "<html><body><div style=\"width:200px;height:40px;background:#eee;"
                                        "border:2px solid #00f;border-radius:8px\">x</div></body></html>");
    EXPECT_EQ(Count(page, " c\n"), 12u);  // four corners, three figures
    EXPECT_EQ(Count(page, "f*"), 2u);
}

// A dotted or dashed border is one stroked line with a dash pattern in the
// border's colour, not a filled rectangle per dot.
TEST_F(PdfComponentTest, DottedAndDashedBordersAreDashedLines) {
    const std::string sub = "dots-" + std::to_string(GetCurrentProcessId());
    const std::string dir = s_folder + "\\" + sub;
    CreateDirectoryA(dir.c_str(), nullptr);
    WriteAll(dir + "\\d.htm",
             "<html><body><p style=\"width:600px;border-bottom:1px dotted #0000ff\">Dots</p>"
             "<div style=\"height:300px;border-left:4px dashed #ff0000\">Dashes</div></body></html>");
    const std::string d = sub + "\\d.htm";
    Open({{u"D", d.c_str(), -1}});
    JobSetup setup(21 / 2.54, 29.7 / 2.54, 0, 0, 0.5);
    const std::string pdf = OutDir() + "dots.pdf";
    Begin(pdf, setup);
    ASSERT_TRUE(Load(d.c_str()));
    ASSERT_EQ(Finish(), NS_OK) << Extra();

    std::vector<std::string> pages;
    for (const std::string& s : Streams(ReadAll(pdf)))
        if (s.find(" Tj ET") != std::string::npos) pages.push_back(s);
    ASSERT_EQ(pages.size(), 1u);
    const std::string& s = pages[0];
    EXPECT_EQ(Count(s, "] 0 d 0 J\n"), 2u);
    EXPECT_NE(s.find("0 0 1 RG"), std::string::npos);
    EXPECT_NE(s.find("1 0 0 RG"), std::string::npos);
    EXPECT_EQ(Count(s, " l\nS\n"), 2u);
    EXPECT_LT(Count(s, " re\nf\n"), 4u);  // (600 dots before)

    DeleteFileA((dir + "\\d.htm").c_str());
    RemoveDirectoryA(dir.c_str());
}
