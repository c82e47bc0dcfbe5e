// The engine's half of the fidelity benchmark (bench/fidelity runs it under
// Wine):
//
//   fidelity_render.exe extract <file.chm> <folder>
//       writes the CHM's files into the folder
//   fidelity_render.exe render <out-folder> <page.htm | @list-file>...
//       converts each page alone into <out-folder>\<n>.pdf (n = 1, 2, ... in
//       the order given) through the PDF conversion the engine uses, on A4
//       with the engine's default margins (0.5 in), and prints one line a
//       page:  <n> pages=<PDF pages> scale=<the engine's scale>
//       (scale < 1: the page's content was wider than the paper and was
//       scaled down to fit).
//   fidelity_render.exe dump <page.htm>
//       prints the page's box tree as laid out for print on A4 and the page
//       bands it is cut into, for a person looking into a break or a width
//       (a page wider than the paper: its box tree at the paper's width first)
// A page that cannot be read prints pages=0 scale=0; any other failure ends
// the program with a message and a non-zero code.
#include <windows.h>

#include <cstdio>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "ChmUnpack.h"
#include "PageSetup.h"
#include "PdfJob.h"
#include "layout/html_layout.h"
#include "nsFileURL.h"
#include "nsString.h"
#include "parser.h"
#include "pdf_conversion.h"
#include "pdf_layout_host.h"
#include "pdf_page_setup.h"

namespace {

constexpr double kMarginInches = 0.5;
constexpr double kA4WidthInches = 21 / 2.54, kA4HeightInches = 29.7 / 2.54;

bool ReadFile(const std::string& path, std::string* bytes) {
  std::ifstream f(path, std::ios::binary);
  if (!f) return false;
  std::stringstream ss;
  ss << f.rdbuf();
  *bytes = ss.str();
  return true;
}

// The engine's scale for a page, as the conversion computes it; with
// `dump`, its box tree and page bands printed too.
double ScaleOf(const tw::html::Document& doc, const std::string& url, bool dump = false) {
  twpdf::PageSetup setup;
  setup.width_in = kA4WidthInches;
  setup.height_in = kA4HeightInches;
  const twpdf::PageGeometry g = twpdf::ComputeGeometry(setup);
  const double contentW = (g.right - g.left) * 96.0 / 72.0;
  tw::layout::LayoutOptions options;
  options.media.type = tw::layout::MediaContext::Type::Print;
  options.media.width = float(contentW);
  options.media.height = float((g.top - g.bottom) * 96.0 / 72.0);
  twpdf::PdfLayoutHost host;
  tw::layout::HtmlLayout layout(host, options);
  layout.load(doc, url);
  const double scale = layout.layoutForPrint(float(contentW));
  if (dump && scale < 1) {
    // what made it wider than the paper
    layout.layout(float(contentW));
    printf("at the paper's width, %.2f px wide:\n%s", layout.width(), layout.dumpBoxes().c_str());
    layout.layoutForPrint(float(contentW));
  }
  if (dump) {
    printf("scale=%.3f\n%s", scale, layout.dumpBoxes().c_str());
    for (const tw::layout::PageSlice& s : layout.paginate(float((g.top - g.bottom) * 96.0 / 72.0 / scale)))
      printf("page %g-%g\n", s.top, s.bottom);
  }
  return scale;
}

int Render(const std::string& outFolder, const std::vector<std::string>& pages) {
  PageSetupRec rec = {};
  nsString strings[6];
  rec.width = kA4WidthInches;
  rec.height = kA4HeightInches;
  rec.marginLeft = rec.marginTop = rec.marginRight = rec.marginBottom = kMarginInches;
  nsString** slots[6] = {&rec.headerLeft, &rec.headerCenter, &rec.headerRight,
                         &rec.footerLeft, &rec.footerCenter, &rec.footerRight};
  for (int i = 0; i < 6; ++i) *slots[i] = &strings[i];
  twpdf::WriterOptions options;
  options.reproducible = true;
  for (size_t i = 0; i < pages.size(); ++i) {
    const int n = int(i) + 1;
    const std::string& page = pages[i];
    std::string bytes;
    if (!ReadFile(page, &bytes)) {
      printf("%d pages=0 scale=0\n", n);
      continue;
    }
    std::shared_ptr<tw::html::Document> doc = tw::html::parseHtml(bytes);
    const std::string url = NS_BuildFileURL(page.c_str());
    CPdfJob* job = new CPdfJob();
    job->AddRef();
    const std::string pdf = outFolder + "\\" + std::to_string(n) + ".pdf";
    job->Reset();
    job->SetPdfFile(pdf.c_str());
    job->SetPageSetup(&rec);
    int pages = 0;
    {
      twpdf::PdfConversion conversion(job, options);
      conversion.AddPage(job, doc, url);
      std::string error;
      const bool finished = conversion.Finish(job, &error);
      pages = conversion.page_count();
      if (!finished) {
        fprintf(stderr, "fidelity_render: %s: %s\n", pdf.c_str(), error.c_str());
        job->Release();
        return 1;
      }
    }
    job->Release();
    printf("%d pages=%d scale=%.3f\n", n, pages, ScaleOf(*doc, url));
    fflush(stdout);
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 4 && std::string(argv[1]) == "extract") {
    chm::UnpackResult r = chm::ExtractMissing(std::filesystem::u8path(argv[2]), std::filesystem::u8path(argv[3]));
    if (!r.ok) {
      fprintf(stderr, "fidelity_render: %s\n", r.message.c_str());
      return 1;
    }
    return 0;
  }
  if (argc == 3 && std::string(argv[1]) == "dump") {
    std::string bytes;
    if (!ReadFile(argv[2], &bytes)) {
      fprintf(stderr, "fidelity_render: cannot read %s\n", argv[2]);
      return 1;
    }
    std::unique_ptr<tw::html::Document> doc = tw::html::parseHtml(bytes);
    ScaleOf(*doc, NS_BuildFileURL(argv[2]), true);
    return 0;
  }
  if (argc >= 3 && std::string(argv[1]) == "render") {
    // @file names a file of pages, one a line: a whole CHM's pages do not
    // fit on a command line (32767 characters)
    std::vector<std::string> pages;
    for (int i = 3; i < argc; ++i) {
      if (argv[i][0] != '@') {
        pages.push_back(argv[i]);
        continue;
      }
      std::ifstream list(argv[i] + 1);
      if (!list) {
        fprintf(stderr, "fidelity_render: cannot read %s\n", argv[i] + 1);
        return 1;
      }
      for (std::string line; std::getline(list, line);) {
        while (!line.empty() && (line.back() == '\r' || line.back() == '\n')) line.pop_back();
        if (!line.empty()) pages.push_back(line);
      }
    }
    return Render(argv[2], pages);
  }
  fprintf(stderr,
          "usage: fidelity_render.exe extract <file.chm> <folder>\n"
          "       fidelity_render.exe render <out-folder> <page.htm | @list-file>...\n"
          "       fidelity_render.exe dump <page.htm>\n");
  return 2;
}
