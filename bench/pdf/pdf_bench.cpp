// Writes a document of N pages the way the conversion streams one: every
// page with a header and footer, about 45 lines of text in two fonts read
// through GDI, a repeated icon, a page-specific image, links to anchors on
// other pages, one outline item per page. Prints time, size and peak
// memory; comparing N and 10 N shows whether memory stays bounded.
#include <windows.h>
#include <psapi.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "pdf_document.h"
#include "pdf_gdi_fonts.h"
#include "pdf_page_setup.h"

using namespace twpdf;

static size_t PeakMemory() {
  PROCESS_MEMORY_COUNTERS pmc = {};
  pmc.cb = sizeof pmc;
  GetProcessMemoryInfo(GetCurrentProcess(), &pmc, sizeof pmc);
  return pmc.PeakPagefileUsage;
}

int main(int argc, char** argv) {
  int pages = argc > 1 ? std::atoi(argv[1]) : 500;
  std::string path = argc > 2 ? argv[2] : "pdf_bench.pdf";
  size_t base_memory = PeakMemory();
  auto start = std::chrono::steady_clock::now();

  GdiFontSource fonts;
  std::string error;
  auto regular = fonts.Load("Arial", FW_NORMAL, false, nullptr, &error);
  auto bold = fonts.Load("Arial", FW_BOLD, false, nullptr, &error);
  if (!regular || !bold) {
    std::fprintf(stderr, "no font: %s\n", error.c_str());
    return 1;
  }
  DocumentWriter w;
  if (!w.Open(path)) {
    std::fprintf(stderr, "%s\n", w.error().c_str());
    return 1;
  }
  int body = w.AddFont(regular), heading = w.AddFont(bold);
  PageSetup setup;
  setup.width_in = 8.27;
  setup.height_in = 11.69;
  setup.header_center = "Benchmark help file";
  setup.footer_right = "Tomewise";
  setup.header_separator = setup.footer_separator = true;
  PageGeometry g = ComputeGeometry(setup);
  std::string icon_rgb(32 * 32 * 3, '\x40');
  const char* words[] = {"conversion", "of", "the", "help", "file", "into", "one", "document",
                         "\xC3\xBC" "ber", "na\xC3\xAFve", "caf\xC3\xA9", "\xCE\xA9", "page",
                         "layout", "with", "fonts"};
  unsigned seed = 1;
  for (int i = 0; i < pages; ++i) {
    Page& p = w.BeginPage(g.width, g.height);
    DecoratePage(w, p, setup, g, body);
    double y = g.top - 24;
    p.ShowText(heading, 16, g.left, y, "Topic " + std::to_string(i + 1));
    p.DefineDestination("topic" + std::to_string(i), g.left, y + 16);
    w.AddOutlineItem(0, "Topic " + std::to_string(i + 1), LinkTarget::Named("topic" + std::to_string(i)));
    int icon = w.AddRgbImage(32, 32, icon_rgb, nullptr);
    p.DrawImage(icon, g.right - 32, y - 8, 24, 24);
    std::string own(16 * 16 * 3, static_cast<char>(i));
    p.DrawImage(w.AddRgbImage(16, 16, own, nullptr), g.right - 60, y - 8, 16, 16);
    y -= 28;
    for (int line = 0; line < 45 && y > g.bottom; ++line, y -= 14) {
      std::string text;
      for (int k = 0; k < 12; ++k) {
        seed = seed * 1103515245u + 12345u;
        text += words[(seed >> 16) % (sizeof words / sizeof *words)];
        text += ' ';
      }
      double width = p.ShowText(body, 10, g.left, y, text);
      if (line % 9 == 4) {
        int target = static_cast<int>((seed >> 8) % pages);
        p.AddLink(g.left, y - 3, g.left + width, y + 10,
                  LinkTarget::Named("topic" + std::to_string(target)));
      }
    }
    if (!w.EndPage()) break;
  }
  bool ok = w.Close();
  double seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  size_t peak = PeakMemory();
  std::printf("pages %d: %s, %.3f s (%.2f ms/page), %llu bytes (%.1f KB/page), peak memory %.1f MB "
              "(%.1f MB above start)\n",
              pages, ok ? "ok" : w.error().c_str(), seconds, 1000 * seconds / pages,
              static_cast<unsigned long long>(w.bytes_written()),
              w.bytes_written() / 1024.0 / pages, peak / 1048576.0,
              (peak - base_memory) / 1048576.0);
  return ok ? 0 : 1;
}
