// stage_clock.h - where a conversion's time goes, summed per stage.
//
// Off by default: a StageTimer then costs one load of a flag. A benchmark
// turns the clock on, runs, and prints the totals. Every stage and count is
// kept in a relaxed atomic, so work on any thread may report into it.
//
//   tw::stats::enable(true);
//   { tw::stats::StageTimer t(tw::stats::Stage::Parse); ...parse... }
//   tw::stats::count(tw::stats::Count::TextRuns);
#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>

namespace tw {
namespace stats {

enum class Stage {
  Read,        // the page file read from disk
  Parse,       // decoding and parsing the page into its document
  LoadPage,    // the driver's whole LoadPage (everything below happens inside)
  BrowserLoad, // the browser's run of one load (read, parse, listeners)
  Style,       // style sheets and computed styles of a page
  Boxes,       // the box tree built from the styles
  Layout,      // block, inline and table layout
  DisplayList, // the laid-out page turned into one display list
  Paginate,    // page bands and the display list cut into them
  PdfPaint,    // display lists painted into PDF content streams
  PdfWrite,    // pages compressed and written to the file
  Take,        // the PDF Utility on the driver's thread: pages' link ids, waits
  WaitLayout,  // of Take: waiting for pages still being laid out
  WaitWriter,  // of Take: waiting for the writer (pages in flight at the bound)
  Finish,      // bookmarks and the end of the file
  TakeIds,     // a taken page's link and position ids asked of the job (any phase)
  Walk,        // the driver's walk of the contents tree (its loads included)
  Extra,       // the driver's loads of the pages links made wanted (likewise)
  kCount
};

enum class Count {
  Pages,        // documents laid out
  PdfPages,     // PDF pages written
  TextRuns,     // text items painted into the PDF
  FontLookups,  // fonts the layout asked its host for
  FontOpens,    // fonts the host had to create (not found in its cache)
  LinkIds,      // ids of link targets and positions the PDF Utility needed
  JobLinkIds,   // of those, the ones it had to ask the job for
  kCount
};

inline const char* stageName(Stage s) {
  static const char* const names[] = {"read",   "parse",        "load_page", "browser_load",
                                      "style",  "boxes",        "layout",    "display_list",
                                      "paginate", "pdf_paint",  "pdf_write", "take",
                                      "wait_layout", "wait_writer", "finish",
                                      "take_ids", "walk",     "extra"};
  return names[static_cast<int>(s)];
}

inline const char* countName(Count c) {
  static const char* const names[] = {"pages",      "pdf_pages", "text_runs", "font_lookups",
                                      "font_opens", "link_ids",  "job_link_ids"};
  return names[static_cast<int>(c)];
}

struct Totals {
  std::atomic<bool> on{false};
  std::atomic<uint64_t> ns[static_cast<int>(Stage::kCount)] = {};
  std::atomic<uint64_t> counts[static_cast<int>(Count::kCount)] = {};
};

inline Totals& totals() {
  static Totals t;
  return t;
}

inline void enable(bool on) { totals().on.store(on, std::memory_order_relaxed); }
inline bool enabled() { return totals().on.load(std::memory_order_relaxed); }

inline void reset() {
  for (auto& v : totals().ns) v.store(0, std::memory_order_relaxed);
  for (auto& v : totals().counts) v.store(0, std::memory_order_relaxed);
}

inline double seconds(Stage s) {
  return double(totals().ns[static_cast<int>(s)].load(std::memory_order_relaxed)) * 1e-9;
}
inline uint64_t number(Count c) {
  return totals().counts[static_cast<int>(c)].load(std::memory_order_relaxed);
}

inline void count(Count c, uint64_t n = 1) {
  if (enabled()) totals().counts[static_cast<int>(c)].fetch_add(n, std::memory_order_relaxed);
}

class StageTimer {
 public:
  explicit StageTimer(Stage s) : stage_(s), on_(enabled()) {
    if (on_) start_ = std::chrono::steady_clock::now();
  }
  ~StageTimer() { stop(); }
  // Ends the stage before the scope does.
  void stop() {
    if (!on_) return;
    on_ = false;
    auto d = std::chrono::steady_clock::now() - start_;
    totals().ns[static_cast<int>(stage_)].fetch_add(
        uint64_t(std::chrono::duration_cast<std::chrono::nanoseconds>(d).count()),
        std::memory_order_relaxed);
  }
  StageTimer(const StageTimer&) = delete;
  StageTimer& operator=(const StageTimer&) = delete;

 private:
  Stage stage_;
  bool on_;
  std::chrono::steady_clock::time_point start_;
};

}  // namespace stats
}  // namespace tw
