// Lays out many help pages one after another and prints pages per second,
// the time per page and the peak memory; memory is also sampled early and
// late to show that it does not grow with the number of pages.
#include <windows.h>
#include <psapi.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "gdi/gdi_host.h"
#include "layout/html_layout.h"
#include "parser.h"

using namespace tw;

namespace {

// A typical help page of roughly 20-50 KB: a style sheet, headings,
// paragraphs with inline markup and links, lists, a table, pre, an image.
std::string makePage(int n) {
  std::string s = "<html><head><title>Topic " + std::to_string(n) + "</title><style>"
                  "body{font-family:Verdana,Arial,sans-serif;font-size:10pt;margin:10px}"
                  "h1{font-size:16pt;color:#003366;border-bottom:1px solid #999}"
                  "table.grid{border-collapse:collapse}table.grid td,table.grid th{border:1px solid #aaa;padding:3px}"
                  ".note{background:#ffffe0;border:1px dashed #cc9;padding:4px;margin:8px 20px}"
                  "pre{background:#eee}a{color:#0033cc}</style></head><body>";
  s += "<h1>Topic " + std::to_string(n) + "</h1>";
  int sections = 10 + n % 12;
  for (int k = 0; k < sections; ++k) {
    s += "<h2><a name=\"s" + std::to_string(k) + "\"></a>Section " + std::to_string(k) + "</h2>";
    for (int p = 0; p < 4; ++p)
      s += "<p>This paragraph explains <b>an option</b> of the dialog and refers to <a href=\"topic" +
           std::to_string((n + p) % 50) + ".htm#s1\">another topic</a>; the <i>settings</i> take effect "
           "when you press <tt>OK</tt>, and the values are kept until the program is closed again.</p>";
    s += "<ul><li>First item of the list</li><li>Second item with <code>code</code></li><li>Third</li></ul>";
    s += "<div class=note>Note: remember to save your work before converting a large file.</div>";
    s += "<table class=grid width=\"90%\"><tr><th>Name</th><th>Value</th><th>Meaning</th></tr>";
    for (int r = 0; r < 6; ++r)
      s += "<tr><td>Option" + std::to_string(r) + "</td><td align=right>" + std::to_string(r * 17) +
           "</td><td>What the option does when it is switched on.</td></tr>";
    s += "</table><pre>setting = value\nother   = 12</pre><img src=\"missing.gif\" width=32 height=32>";
  }
  return s + "</body></html>";
}

size_t workingSet(size_t* peak) {
  PROCESS_MEMORY_COUNTERS pmc = {};
  pmc.cb = sizeof pmc;
  GetProcessMemoryInfo(GetCurrentProcess(), &pmc, sizeof pmc);
  if (peak) *peak = pmc.PeakWorkingSetSize;
  return pmc.WorkingSetSize;
}

std::string readFile(const std::string& path) {
  std::string out;
  FILE* f = fopen(path.c_str(), "rb");
  if (!f) return out;
  char buf[65536];
  size_t n;
  while ((n = fread(buf, 1, sizeof buf, f)) > 0) out.append(buf, n);
  fclose(f);
  return out;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> pages, urls;
  std::string folder = argc > 1 ? argv[1] : "";
  int passes = argc > 2 ? std::max(1, atoi(argv[2])) : 1;
  if (!folder.empty()) {
    WIN32_FIND_DATAA fd;
    HANDLE h = FindFirstFileA((folder + "\\*.htm*").c_str(), &fd);
    if (h != INVALID_HANDLE_VALUE) {
      do {
        pages.push_back(readFile(folder + "\\" + fd.cFileName));
        urls.push_back("file:///" + folder + "/" + fd.cFileName);
      } while (FindNextFileA(h, &fd));
      FindClose(h);
    }
    if (pages.empty()) {
      fprintf(stderr, "no .htm files in %s\n", folder.c_str());
      return 1;
    }
  } else {
    for (int i = 0; i < 400; ++i) {
      pages.push_back(makePage(i));
      urls.push_back("file:///C:/bench/topic" + std::to_string(i) + ".htm");
    }
  }
  size_t bytes = 0;
  for (auto& p : pages) bytes += p.size();
  layout::GdiHost host;
  size_t count = 0, pdfPages = 0;
  size_t early = 0;
  auto t0 = std::chrono::steady_clock::now();
  for (int pass = 0; pass < passes; ++pass) {
    for (size_t i = 0; i < pages.size(); ++i) {
      auto doc = html::parseHtml(pages[i]);
      layout::HtmlLayout l(host);
      l.load(*doc, urls[i]);
      l.layout(720);  // 7.5 in of content at 96 px per inch
      layout::DisplayList d = l.paint();
      pdfPages += l.paginate(960).size();
      ++count;
      if (count == 50) early = workingSet(nullptr);
    }
  }
  double secs = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
  size_t peak = 0;
  size_t late = workingSet(&peak);
  printf("layout: %zu pages (%.1f KB each on average) in %.2f s\n", count, bytes / 1024.0 / pages.size(), secs);
  printf("layout: %.1f pages/s, %.2f ms per page (parse, style, layout, paint, paginate)\n", count / secs,
         secs * 1000 / count);
  printf("layout: %zu printed pages of 960 px\n", pdfPages);
  printf("memory: working set %.1f MB after 50 pages, %.1f MB at the end, peak %.1f MB\n", early / 1048576.0,
         late / 1048576.0, peak / 1048576.0);
  return 0;
}
