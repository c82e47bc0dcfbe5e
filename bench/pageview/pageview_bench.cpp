// pageview_bench: opens every contents page of an extracted help file in the
// page view (CHtmlView in a frame window), one after another, and prints the
// time each takes from the navigation until the view has painted it:
//   pages= median_ms= worst_ms= total_s= peak_mb= worst=<page>
// The pages are those the folder's contents files (*.hhc) name, in their
// order, each once (fragments dropped); pages that do not exist are skipped.
#include <windows.h>
#include <psapi.h>
#include <stdio.h>

#include <algorithm>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "afxhtml.h"

namespace {

class CBenchApp : public CWinApp {
public:
    CBenchApp() : CWinApp("PageViewBench") {}
};
CBenchApp theApp;

class CBenchView : public CHtmlView {
    DECLARE_DYNCREATE(CBenchView)
};
IMPLEMENT_DYNCREATE(CBenchView, CHtmlView)

int AFXAPI NoMessageBox(LPCTSTR text, UINT, UINT) {
    fprintf(stderr, "pageview_bench: message: %s\n", text ? text : "");
    return IDOK;
}

double Now() {
    LARGE_INTEGER t, f;
    QueryPerformanceCounter(&t);
    QueryPerformanceFrequency(&f);
    return double(t.QuadPart) / double(f.QuadPart);
}

std::string Lower(std::string s) {
    for (char& c : s) c = char(tolower(static_cast<unsigned char>(c)));
    return s;
}

// The value of every <param name="Local" value="..."> of a contents file.
void ContentsPages(const std::string& text, std::vector<std::string>* pages, std::set<std::string>* seen) {
    const std::string low = Lower(text);
    for (size_t at = low.find("<param"); at != std::string::npos; at = low.find("<param", at + 6)) {
        const size_t end = low.find('>', at);
        if (end == std::string::npos) break;
        const std::string tag = low.substr(at, end - at);
        if (tag.find("\"local\"") == std::string::npos && tag.find("=local") == std::string::npos) continue;
        size_t v = tag.find("value=");
        if (v == std::string::npos) continue;
        v += 6;
        const char quote = tag[v] == '"' || tag[v] == '\'' ? tag[v] : 0;
        if (quote) ++v;
        size_t e = quote ? tag.find(quote, v) : tag.find_first_of(" \t\r\n", v);
        if (e == std::string::npos) e = tag.size();
        std::string page = text.substr(at + v, e - v);  // original case
        const size_t sep = page.find("::");
        if (sep != std::string::npos) page = page.substr(sep + 2);
        page = page.substr(0, page.find('#'));
        while (!page.empty() && (page[0] == '/' || page[0] == '\\')) page.erase(0, 1);
        for (char& c : page)
            if (c == '/') c = '\\';
        if (!page.empty() && seen->insert(Lower(page)).second) pages->push_back(page);
    }
}

std::string FileUrl(const std::string& path) {
    std::string url = "file:///";
    for (char c : path) url += c == '\\' ? '/' : c;
    return url;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        fprintf(stderr, "usage: pageview_bench.exe <extracted folder>\n");
        return 2;
    }
    std::string folder = argv[1];
    while (!folder.empty() && (folder.back() == '\\' || folder.back() == '/')) folder.pop_back();
    std::vector<std::string> pages;
    std::set<std::string> seen;
    WIN32_FIND_DATAA fd;
    HANDLE h = FindFirstFileA((folder + "\\*.hhc").c_str(), &fd);
    if (h != INVALID_HANDLE_VALUE) {
        do {
            std::ifstream in(folder + "\\" + fd.cFileName, std::ios::binary);
            std::stringstream text;
            text << in.rdbuf();
            ContentsPages(text.str(), &pages, &seen);
        } while (FindNextFileA(h, &fd));
        FindClose(h);
    }
    pages.erase(std::remove_if(pages.begin(), pages.end(),
                               [&](const std::string& p) {
                                   DWORD a = GetFileAttributesA((folder + "\\" + p).c_str());
                                   return a == INVALID_FILE_ATTRIBUTES || (a & FILE_ATTRIBUTE_DIRECTORY);
                               }),
                pages.end());
    if (pages.empty()) {
        fprintf(stderr, "pageview_bench: no contents page found in %s\n", folder.c_str());
        return 1;
    }

    AfxSetMessageBoxHook(&NoMessageBox);
    CFrameWnd* frame = new CFrameWnd;
    CCreateContext context;
    context.m_pNewViewClass = RUNTIME_CLASS(CBenchView);
    if (!frame->Create(NULL, "Page view", WS_OVERLAPPEDWINDOW, CRect(0, 0, 1000, 800), NULL, NULL, 0, &context)) {
        fprintf(stderr, "pageview_bench: the frame could not be created\n");
        return 1;
    }
    frame->InitialUpdateFrame(NULL, TRUE);
    CHtmlView* view = static_cast<CHtmlView*>(frame->GetActiveView());

    std::vector<double> ms;
    ms.reserve(pages.size());
    size_t worst = 0;
    const double start = Now();
    for (size_t i = 0; i < pages.size(); ++i) {
        const double t0 = Now();
        view->Navigate2(FileUrl(folder + "\\" + pages[i]).c_str());
        view->RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE);
        MSG msg;
        while (::PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
        ms.push_back((Now() - t0) * 1000.0);
        if (ms.back() > ms[worst]) worst = i;
    }
    const double total = Now() - start;
    frame->DestroyWindow();

    std::vector<double> sorted = ms;
    std::sort(sorted.begin(), sorted.end());
    const double median = sorted.size() % 2 ? sorted[sorted.size() / 2]
                                            : (sorted[sorted.size() / 2 - 1] + sorted[sorted.size() / 2]) / 2;
    PROCESS_MEMORY_COUNTERS pmc = {};
    pmc.cb = sizeof pmc;
    GetProcessMemoryInfo(GetCurrentProcess(), &pmc, sizeof pmc);
    printf("pages=%zu median_ms=%.2f worst_ms=%.2f total_s=%.3f peak_mb=%.1f worst=%s\n", ms.size(), median,
           ms[worst], total, double(pmc.PeakWorkingSetSize) / (1024.0 * 1024.0), pages[worst].c_str());
    return 0;
}
