// native_layout_bench: the platform-free stages of a conversion (parse,
// style, boxes, layout, display list, pagination) natively, for a profiler:
// every .htm/.html file of a folder (an extracted CHM) in name order, laid
// out at a page's content width with the print medium, linked sheets read
// from the folder and parsed once (as the hosts of the application do);
// text is measured with the fixed metrics of the layout tests.
//
//   bench/native/run <folder> [passes] [--perf]
//
// Prints pages=, total_s=, cpu_s=, the time of each stage, and the calls of
// operator new in each step of a page (new_<step>=).
#include <algorithm>
#include <chrono>
#include <sys/resource.h>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <memory>
#include <new>
#include "fixed_host.h"
#include "layout/css.h"
#include "layout/html_layout.h"
#include "parser.h"
#include "stage_clock.h"
using namespace tw;
static unsigned long long g_newCalls = 0;
void* operator new(size_t n) {
  ++g_newCalls;
  if (void* p = malloc(n ? n : 1)) return p;
  throw std::bad_alloc();
}
void operator delete(void* p) noexcept { free(p); }
void operator delete(void* p, size_t) noexcept { free(p); }
enum Step { kParse, kLoad, kLayout, kPaginate, kPaint, kFree, kSteps };
static const char* const kStepNames[kSteps] = {"parse", "load", "layout", "paginate", "paint", "free"};
static unsigned long long g_stepNew[kSteps];
struct StepCount {
  Step s; unsigned long long n0 = g_newCalls;
  explicit StepCount(Step step) : s(step) {}
  ~StepCount() { g_stepNew[s] += g_newCalls - n0; }
};
struct CachingHost : layout::FixedHost {
  std::string dir;
  std::map<std::string, std::shared_ptr<const layout::StyleSheet>> sheets;
  bool loadText(const std::string& url, std::string* bytes) override {
    std::string p = url.rfind("file:///C:/t/", 0) == 0 ? url.substr(13) : url.substr(url.find_last_of('/') + 1);
    std::ifstream f(dir + "/" + p, std::ios::binary);
    if (!f) return false;
    std::stringstream ss; ss << f.rdbuf(); *bytes = ss.str(); return true;
  }
  std::shared_ptr<const layout::StyleSheet> loadStyleSheet(const std::string& url) override {
    auto it = sheets.find(url);
    if (it != sheets.end()) return it->second;
    std::string b;
    if (!loadText(url, &b)) return nullptr;
    auto s = std::make_shared<layout::StyleSheet>();
    layout::parseStyleSheet(b, s.get());
    s->sourceBytes = b.size();
    sheets[url] = s;
    return s;
  }
};
int main(int argc, char** argv) {
  std::string dir = argv[1];
  int passes = argc > 2 ? atoi(argv[2]) : 1;
  std::vector<std::pair<std::string, std::string>> pages;
  for (auto& e : std::filesystem::directory_iterator(dir)) {
    auto ext = e.path().extension().string();
    if (ext != ".html" && ext != ".htm") continue;
    std::ifstream f(e.path(), std::ios::binary); std::stringstream ss; ss << f.rdbuf();
    pages.push_back({e.path().filename().string(), ss.str()});
  }
  std::sort(pages.begin(), pages.end());
  CachingHost host; host.dir = dir;
  stats::enable(true);
  auto t0 = std::chrono::steady_clock::now();
  size_t items = 0;
  for (int p = 0; p < passes; ++p)
  for (auto& pg : pages) {
    std::unique_ptr<html::Document> doc;
    { StepCount n(kParse); stats::StageTimer t(stats::Stage::Parse); doc = html::parseHtml(pg.second); }
    layout::LayoutOptions opt;
    opt.media.type = layout::MediaContext::Type::Print;
    opt.media.width = 700; opt.media.height = 950;
    auto l = std::make_unique<layout::HtmlLayout>(host, opt);
    { StepCount n(kLoad); l->load(*doc, "file:///C:/t/" + pg.first); }
    { StepCount n(kLayout); stats::StageTimer t(stats::Stage::Layout); l->layout(700); }
    std::vector<layout::PageSlice> sl;
    { StepCount n(kPaginate); stats::StageTimer t(stats::Stage::Paginate); sl = l->paginate(950); }
    { StepCount n(kPaint); stats::StageTimer t(stats::Stage::DisplayList);
      for (const auto& page : l->paintPages(sl)) items += page.items.size(); }
    StepCount n(kFree);
    l.reset();
    doc.reset();
  }
  double s = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
  rusage ru; getrusage(RUSAGE_SELF, &ru);
  printf("pages=%zu total_s=%.3f cpu_s=%.3f items=%zu\n", pages.size() * passes, s, ru.ru_utime.tv_sec + ru.ru_utime.tv_usec * 1e-6, items);
  for (int i = 0; i < int(stats::Stage::kCount); ++i)
    if (stats::seconds(stats::Stage(i)) > 0) printf(" %s=%.3f", stats::stageName(stats::Stage(i)), stats::seconds(stats::Stage(i)));
  printf(" font_lookups=%llu\n", (unsigned long long)stats::number(stats::Count::FontLookups));
  printf("new_calls=%llu", g_newCalls);
  for (int i = 0; i < kSteps; ++i) printf(" new_%s=%llu", kStepNames[i], g_stepNew[i]);
  printf("\n");
}
