// The engine's half of the fidelity benchmark (bench/fidelity runs it under
// Wine):
//
//   fidelity_render.exe extract <file.chm> <folder>
//       writes the CHM's files into the folder
//   fidelity_render.exe render <out-folder> <page.htm>...
//       converts each page alone into <out-folder>\<n>.pdf (n = 1, 2, ... in
//       the order given) through the PDF conversion the engine uses, on A4
//       with the engine's default margins (0.5 in), and prints one line a
//       page:  <n> pages=<PDF pages> scale=<the engine's scale>
//       (scale < 1: the page's content was wider than the paper and was
//       scaled down to fit).
// A page that cannot be read prints pages=0 scale=0; any other failure ends
// the program with a message and a non-zero code.
#include <windows.h>

#include <cstdio>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>

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

// The engine's scale for a page, as the conversion computes it.
double ScaleOf(const tw::html::Document& doc, const std::string& url) {
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
  return layout.layoutForPrint(float(contentW));
}

int Render(const std::string& outFolder, int first, int argc, char** argv) {
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
  for (int i = first; i < argc; ++i) {
    const int n = i - first + 1;
    const std::string page = argv[i];
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
  if (argc >= 3 && std::string(argv[1]) == "render") return Render(argv[2], 3, argc, argv);
  fprintf(stderr,
          "usage: fidelity_render.exe extract <file.chm> <folder>\n"
          "       fidelity_render.exe render <out-folder> <page.htm>...\n");
  return 2;
}
