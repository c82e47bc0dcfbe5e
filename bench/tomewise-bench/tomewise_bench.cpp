// tomewise-bench: runs the engine's real path on a CHM and prints figures.
//
//   tomewise-bench.exe <file.chm> <out.pdf> [--keep] [--stages] [--threads N] [--reproducible] [--cancel-after N]
//
// The CHM is extracted into a fresh folder (under the profile's "TempDir",
// else the temporary folder), every contents file of the folder is loaded
// into a contents tree, and the tree is converted to the PDF with the
// profile's settings. No window is shown: the tree's parent is hidden, the
// progress reports go nowhere and message boxes are printed instead. One line
// of figures goes to standard output:
//   extract_s= contents_s= convert_s= convert_cpu_s= new_calls= html_pages= toc_entries= pdf_pages= peak_mb= open_mb= small_mb= threads= in_flight= folder=
// (convert_cpu_s: the process's processor time during the conversion;
// new_calls: the calls of operator new during it, on every thread;
// open_mb: the working set when the conversion starts, after the opening;
// small_mb: what the program's heap of small blocks took from the system;
// threads: the PDF Utility's threads laying pages out, 0 when it did all on
// the driver's thread (--threads 1; --threads N asks for N, the default
// lets it choose); in_flight: the most pages loaded and not yet written at
// one time; --reproducible writes no dates and an ID made from the content,
// so that two runs can be compared byte for byte; --cancel-after N clears
// the converting flag, as the progress dialog's Cancel does, when the N-th
// page has loaded, and a line "cancel: after_pages= cancel_to_end_s=" tells
// how long the conversion went on after it.)
// With --stages a second line gives the conversion's time by stage, summed
// over the run (on every thread: with threads the page stages overlap the
// loads and each other), and its counts:
//   stages: read_s= parse_s= ... wait_s= ... other_s= pages= text_runs= ...
// wait_s is the driver's page loads less the browser's runs of them (message
// round trips and idle waits between loading a page and printing it);
// take_s the PDF Utility's part of the loads on the driver's thread (the
// job's ids of the pages' links, waits for pages laid out or written, and
// with one thread all the page stages); listeners_s is the rest of the
// browser's runs outside read and take (the job's other calls, the page
// handed over; the browser neither reads nor parses pages during a
// conversion, the PDF Utility does, counted in read_s and parse_s: with one
// thread they run inside take, and listeners_s comes out negative);
// take_ids_s is the job's link and position ids of taken pages, in any
// phase; other_s is the conversion
// outside the page loads and the finish (walking the tree, the wanted pages'
// bookkeeping, the progress); walk_s and extra_s are the driver's walk of
// the contents tree and its loads of the pages links made wanted, each with
// the loads and takes inside it.
// Without --keep the extraction folder is removed at the end. Any failure
// (no window, contents that do not load, a hidden browser that does not
// start, no page loaded) ends the program with a message on standard error
// and a non-zero code, and leaves no PDF behind.
#include <windows.h>
#include <psapi.h>
#include <stdio.h>

#include <string>
#include <vector>

#include "AppState.h"
#include "BrowserWrapper.h"
#include "ChmExtract.h"
#include "ContentsTree.h"
#include "GeckoHost.h"
#include "PdfSettings.h"
#include "TestFiles.h"
#include "afxwin.h"
#include "nsIWebBrowser.h"
#include "nsIWebProgressListener.h"
#include "small_block_heap.h"
#include "stage_clock.h"
#include "PdfUtilityComponent.h"

namespace {

class CBenchApp : public CWinApp {
public:
    CBenchApp() : CWinApp("Tomewise") {}
};
CBenchApp theApp;

std::vector<std::string> g_messages;

int AFXAPI RecordMessage(LPCTSTR text, UINT, UINT) {
    g_messages.push_back(text ? text : "");
    // The only question is whether to replace an existing PDF: yes.
    return IDOK;
}

void NoProgress(int, LPCTSTR) {}

// User and kernel time of the process so far: on a loaded machine a steadier
// figure than the wall clock.
double CpuNow() {
    FILETIME created, exited, kernel, user;
    if (!GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user)) return 0;
    auto seconds = [](const FILETIME& t) {
        return double((uint64_t(t.dwHighDateTime) << 32) | t.dwLowDateTime) * 1e-7;
    };
    return seconds(kernel) + seconds(user);
}

double Now() {
    LARGE_INTEGER t, f;
    QueryPerformanceCounter(&t);
    QueryPerformanceFrequency(&f);
    return double(t.QuadPart) / double(f.QuadPart);
}

// Counts the pages the browser loaded successfully.
class CPageCounter final : public nsIWebProgressListener {
public:
    NS_IMETHOD QueryInterface(const nsIID& iid, void** result) override {
        if (!result) return NS_ERROR_NULL_POINTER;
        if (iid.Equals(NS_GET_IID(nsIWebProgressListener)) || iid.Equals(NS_GET_IID(nsISupports))) {
            *result = static_cast<nsIWebProgressListener*>(this);
            return NS_OK;
        }
        *result = nullptr;
        return NS_NOINTERFACE;
    }
    NS_IMETHOD_(nsrefcnt) AddRef() override { return 2; }
    NS_IMETHOD_(nsrefcnt) Release() override { return 1; }
    NS_IMETHOD OnLoadFinished(nsIWebBrowser*, const PRUnichar*, nsresult status, nsIDOMDocument*) override {
        if (counting && NS_SUCCEEDED(status)) ++pages;
        if (counting && pages == cancelAt && g_bConverting) {
            // As the progress dialog's Cancel does.
            g_bConverting = FALSE;
            cancelledAt = Now();
        }
        return NS_OK;
    }
    bool counting = false;
    int pages = 0;
    int cancelAt = -1;
    double cancelledAt = 0;
};

// Page objects of a PDF: "/Type /Page" not followed by more of a name.
int CountPdfPages(const std::string& path) {
    FILE* f = fopen(path.c_str(), "rb");
    if (!f) return -1;
    std::string data;
    char buf[65536];
    size_t n;
    while ((n = fread(buf, 1, sizeof buf, f)) > 0) data.append(buf, n);
    fclose(f);
    int count = 0;
    for (size_t at = data.find("/Type"); at != std::string::npos; at = data.find("/Type", at + 5)) {
        size_t i = at + 5;
        while (i < data.size() && (data[i] == ' ' || data[i] == '\r' || data[i] == '\n' || data[i] == '\t')) ++i;
        if (data.compare(i, 5, "/Page") != 0) continue;
        i += 5;
        if (i < data.size() && (isalnum(static_cast<unsigned char>(data[i])) || data[i] == '_')) continue;
        ++count;
    }
    return count;
}

int Fail(const char* what) {
    fprintf(stderr, "tomewise-bench: %s\n", what);
    for (const std::string& m : g_messages) fprintf(stderr, "tomewise-bench: message: %s\n", m.c_str());
    return 1;
}

std::string FullPath(const char* path) {
    char full[MAX_PATH * 4];
    DWORD n = GetFullPathNameA(path, sizeof full, full, nullptr);
    return n > 0 && n < sizeof full ? std::string(full, n) : std::string(path);
}

void PrintStages(double convertS) {
    using tw::stats::Count;
    using tw::stats::Stage;
    using tw::stats::seconds;
    printf("stages:");
    for (int i = 0; i < static_cast<int>(Stage::kCount); ++i)
        printf(" %s_s=%.3f", tw::stats::stageName(static_cast<Stage>(i)), seconds(static_cast<Stage>(i)));
    printf(" wait_s=%.3f listeners_s=%.3f other_s=%.3f",
           seconds(Stage::LoadPage) - seconds(Stage::BrowserLoad),
           seconds(Stage::BrowserLoad) - seconds(Stage::Read) - seconds(Stage::Take),
           convertS - seconds(Stage::LoadPage) - seconds(Stage::Finish));
    for (int i = 0; i < static_cast<int>(Count::kCount); ++i)
        printf(" %s=%llu", tw::stats::countName(static_cast<Count>(i)),
               static_cast<unsigned long long>(tw::stats::number(static_cast<Count>(i))));
    printf("\n");
}

}  // namespace

int main(int argc, char** argv) {
    bool keep = false;
    bool stages = false;
    int threads = 0;  // the PDF Utility's choice
    bool reproducible = false;
    int cancelAfter = -1;  // pages loaded before Cancel is pressed
    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i) {
        if (strcmp(argv[i], "--keep") == 0)
            keep = true;
        else if (strcmp(argv[i], "--stages") == 0)
            stages = true;
        else if (strcmp(argv[i], "--cancel-after") == 0 && i + 1 < argc)
            cancelAfter = atoi(argv[++i]);
        else if (strcmp(argv[i], "--reproducible") == 0)
            reproducible = true;
        else if (strcmp(argv[i], "--threads") == 0 && i + 1 < argc)
            threads = atoi(argv[++i]);
        else
            args.push_back(argv[i]);
    }
    if (args.size() != 2) {
        fprintf(stderr, "usage: tomewise-bench.exe <file.chm> <out.pdf> [--keep] [--stages] [--threads N] [--reproducible] [--cancel-after N]\n");
        return 2;
    }
    const std::string chm = FullPath(args[0].c_str());
    const std::string pdf = FullPath(args[1].c_str());
    DWORD attrs = GetFileAttributesA(chm.c_str());
    if (attrs == INVALID_FILE_ATTRIBUTES || (attrs & FILE_ATTRIBUTE_DIRECTORY)) {
        std::string m = "no such CHM file: " + chm;
        return Fail(m.c_str());
    }
    if (chm.size() >= sizeof g_szChmFolder - 64) return Fail("the CHM path is too long");

    if (threads < 0) threads = 0;
    twpdf::WriterOptions writerOptions;
    writerOptions.threads = threads;
    writerOptions.reproducible = reproducible;
    CPdfUtility::SetWriterOptions(writerOptions);
    theApp.SetRegistryKey("KARVOLEN");
    AfxSetMessageBoxHook(&RecordMessage);
    AfxSetConvertProgressHandler(&NoProgress);
    CPdfSettings settings;
    settings.Load();
    settings.m_nOpenPdf = 0;  // never open the result

    // A fresh folder, named like the open command's: <temp>\<run>\<name.chm>.
    std::string temp = (LPCTSTR)settings.m_strTempDir;
    for (char& c : temp)
        if (c == '/') c = '\\';
    if (temp.empty() || GetFileAttributesA(temp.c_str()) == INVALID_FILE_ATTRIBUTES) {
        char t[MAX_PATH];
        GetTempPathA(MAX_PATH, t);
        temp = t;
    }
    if (temp.back() != '\\') temp += '\\';
    char run[64];
    snprintf(run, sizeof run, "tomewise-bench-%lu-%lu", GetCurrentProcessId(), GetTickCount());
    const std::string runFolder = temp + run;
    if (!CreateDirectoryA(runFolder.c_str(), nullptr)) return Fail("cannot create the extraction folder");
    const std::string folder = runFolder + "\\" + chm.substr(chm.find_last_of("\\/") + 1);
    if (folder.size() >= sizeof g_szChmFolder) {
        RemoveTree(runFolder);
        return Fail("the extraction folder path is too long");
    }
    int rc = 0;
    {
        CGeckoHost host;
        if (!host.m_pServiceManager) {
            RemoveTree(runFolder);
            return Fail("the HTML engine did not start");
        }

        // 1. Extraction.
        double t0 = Now();
        int extracted = DecompileChm(chm.c_str(), folder.c_str(), 0);
        double extractS = Now() - t0;
        if (!extracted) {
            if (!keep) RemoveTree(runFolder);
            return Fail("the CHM could not be extracted");
        }
        lstrcpynA(g_szChmFolder, folder.c_str(), sizeof g_szChmFolder);

        // 2. Contents: every contents file of the folder, in the order the
        // file system lists them, into one tree in a hidden window.
        HWND parent = ::CreateWindowA("STATIC", "", WS_POPUP, 0, 0, 300, 300, nullptr, nullptr, nullptr, nullptr);
        CContentsTree tree;
        if (!parent || !tree.Create(WS_CHILD | WS_VISIBLE | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT,
                                    CRect(0, 0, 300, 300), CWnd::FromHandle(parent), 1)) {
            if (parent) ::DestroyWindow(parent);
            if (!keep) RemoveTree(runFolder);
            return Fail("no window could be created (is there a display?)");
        }
        host.m_nItemCounter = 0;
        t0 = Now();
        WIN32_FIND_DATAA fd;
        HANDLE h = FindFirstFileA((folder + "\\*.hhc").c_str(), &fd);
        int contentsFiles = 0;
        if (h != INVALID_HANDLE_VALUE) {
            do {
                if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
                host.LoadContents((folder + "\\" + fd.cFileName).c_str(), &tree);
                ++contentsFiles;
            } while (FindNextFileA(h, &fd));
            FindClose(h);
        }
        double contentsS = Now() - t0;
        int tocEntries = static_cast<int>(tree.GetCount());

        // 3. Conversion, when the contents loaded and the hidden browser
        // started: a PDF made without them would be empty.
        const char* broken = nullptr;
        CPageCounter counter;
        CBrowserWrapper* browser = host.EnsureBrowser();
        if (contentsFiles > 0 && tocEntries == 0)
            broken = "the contents could not be loaded";
        else if (!browser || !browser->GetWebBrowser())
            broken = "the hidden browser did not start";
        if (broken) {
            tree.DestroyWindow();
            ::DestroyWindow(parent);
            if (!keep) RemoveTree(runFolder);
            return Fail(broken);
        }
        browser->GetWebBrowser()->AddWebBrowserListener(&counter, NS_GET_IID(nsIWebProgressListener));
        size_t messagesBefore = g_messages.size();
        counter.counting = true;
        counter.cancelAt = cancelAfter;
        tw::stats::reset();
        tw::stats::enable(stages);
        PROCESS_MEMORY_COUNTERS opened = {};
        opened.cb = sizeof opened;
        GetProcessMemoryInfo(GetCurrentProcess(), &opened, sizeof opened);
        t0 = Now();
        const double cpu0 = CpuNow();
        const unsigned long long new0 = SmallBlockHeapAllocations();
        host.ConvertToPdf(&tree, chm.c_str(), pdf.c_str(), &settings);
        double convertS = Now() - t0;
        const double convertCpuS = CpuNow() - cpu0;
        const unsigned long long newCalls = SmallBlockHeapAllocations() - new0;
        tw::stats::enable(false);
        counter.counting = false;
        if (host.m_pBrowser && host.m_pBrowser->GetWebBrowser())
            host.m_pBrowser->GetWebBrowser()->RemoveWebBrowserListener(&counter, NS_GET_IID(nsIWebProgressListener));

        bool converted = true;
        for (size_t i = messagesBefore; i < g_messages.size(); ++i)
            if (g_messages[i] != "The pdf file is existing. Do you want to replace it?") converted = false;
        int pdfPages = CountPdfPages(pdf);
        if (pdfPages <= 0) converted = false;
        if (tocEntries > 0 && counter.pages == 0) converted = false;  // not one page loaded

        PROCESS_MEMORY_COUNTERS pmc = {};
        pmc.cb = sizeof pmc;
        GetProcessMemoryInfo(GetCurrentProcess(), &pmc, sizeof pmc);
        double peakMb = double(pmc.PeakWorkingSetSize) / (1024.0 * 1024.0);

        tree.DestroyWindow();
        ::DestroyWindow(parent);

        if (!converted) {
            DeleteFileA(pdf.c_str());  // no PDF is left that looks like a result
            rc = Fail(!contentsFiles       ? "the PDF was not written (no contents file)"
                      : counter.pages == 0 ? "the PDF was not written (no page loaded)"
                                           : "the PDF was not written");
        } else {
            printf("extract_s=%.3f contents_s=%.3f convert_s=%.3f convert_cpu_s=%.3f new_calls=%llu html_pages=%d "
                   "toc_entries=%d pdf_pages=%d peak_mb=%.1f open_mb=%.1f small_mb=%.1f threads=%d in_flight=%d folder=%s\n",
                   extractS, contentsS, convertS, convertCpuS, newCalls, counter.pages, tocEntries, pdfPages, peakMb,
                   double(opened.WorkingSetSize) / (1024.0 * 1024.0),
                   double(SmallBlockHeapCommittedBytes()) / (1024.0 * 1024.0), CPdfUtility::LastLayoutThreads(), CPdfUtility::LastMostPagesInFlight(), folder.c_str());
            if (counter.cancelledAt > 0)
                printf("cancel: after_pages=%d cancel_to_end_s=%.3f\n", cancelAfter, t0 + convertS - counter.cancelledAt);
            if (stages) PrintStages(convertS);
            fflush(stdout);
        }
    }
    if (!keep) RemoveTree(runFolder);
    return rc;
}
