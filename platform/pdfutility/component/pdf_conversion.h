// pdf_conversion.h - one conversion job written as one PDF.
//
//   PdfConversion   the PDF Utility's work for one job: opens the job's PDF
//                   file at the first page, lays out every page the browser
//                   loaded (HtmlLayout over a PdfLayoutHost) at the page
//                   setup's content width, cuts it into pages, paints each
//                   (its items through PdfPagePainter) and writes it (with
//                   links, named positions, header and footer); at the end
//                   it adds the bookmarks of the job's contents records and
//                   closes the file.
//   PageSetupFromRecord  the job's page-setup record as the writer takes it.
//   ExpandFieldCodes     the header/footer codes "&PageNo", "&Date", "&URL".
//   ClassifyLink         where a link of a page leads (read by the URL
//                        parser, like the page view's links).
//
// Links and positions are named by the job's link ids: every named position
// of a page (and the page's own top) gets the id the job gives its URL, and
// a link to a page of the help file leads to the id of its URL, so a link
// finds its target whether the target's page comes before or after it. An
// id that no page defines (a missing page or anchor) makes no link.
//
// Pages go through three steps. Laying out (style, boxes, layout, the
// display list cut into pages, each painted into a PDF page of its own
// fonts and images) runs on worker threads, several pages at once, while
// the driver loads the next pages. Taking a page asks the job
// for the ids of its positions and links; it runs on the thread that
// called AddPage (the job's thread), in page order, and lags a fixed number
// of pages behind the loads (fewer for large pages), so that the job sees
// the same calls in the same order whatever the number of threads.
// Writing (binding the pages' fonts and images to the document's, links,
// header and footer, compressing, writing the file) runs on one writer
// thread in page order. With one thread (WriterOptions::threads
// 1) every step runs on the calling thread at the same points, and the PDF
// is the same byte for byte. The pages loaded and not yet written are
// bounded (kMaxPagesInFlight), so memory stays flat however long the help
// file is.
#pragma once

#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "pdf_document.h"
#include "pdf_page_setup.h"
#include "pdf_page_painter.h"
#include "thread_sync.h"

class IPdfJob;
struct PageSetupRec;

namespace tw {
namespace html {
class Document;
}
namespace layout {
struct DisplayImage;
struct DisplayList;
struct FontDesc;
}
}  // namespace tw

namespace twpdf {

class PdfLayoutHost;
class TaskThreads;
class TrueTypeFont;

// The record's lengths are in its unit: inches for unit 0, centimetres for
// unit 1 (the paper size and the margins alike). Null gives A4 with the
// default margins.
PageSetup PageSetupFromRecord(const PageSetupRec* record);

// Replaces every "&PageNo", "&Date" and "&URL" of a header or footer text.
std::string ExpandFieldCodes(const std::string& text, int page_number, const std::string& date,
                             const std::string& url);

enum class LinkKind { kNone, kInternal, kUri };
// kInternal: |target| is the URL to ask the job about (a relative
// reference; a file URL, in UTF-8 when its escapes were bytes of the ANSI
// code page; or the path inside the help file of an "ms-its:...::/page"
// link); kUri: an
// address for readers to open; kNone: scripts and unusable addresses.
LinkKind ClassifyLink(const std::string& url, std::string* target);

class PdfConversion {
 public:
  // Reads the job's PDF path, document information and page setup. The
  // file is created at the first page (or at Finish).
  PdfConversion(IPdfJob* job, const WriterOptions& options = WriterOptions());
  ~PdfConversion();  // a conversion not finished is discarded
  PdfConversion(const PdfConversion&) = delete;
  PdfConversion& operator=(const PdfConversion&) = delete;

  // The mark this conversion left in the job (its string A): a job reset
  // since then (a new conversion) no longer carries it.
  bool BelongsTo(IPdfJob* job) const;

  // Pages loaded and not yet written, at most (in pages and in bytes of
  // their HTML); and the lag of taking behind loading, likewise.
  static constexpr int kMaxPagesInFlight = 144;
  static constexpr size_t kMaxBytesInFlight = 24u << 20;
  static constexpr int kTakeLag = 48;
  static constexpr size_t kTakeLagBytes = 8u << 20;  // of the pages' HTML
  // Pages of at least this much HTML are laid out before smaller ones.
  static constexpr size_t kLongPageBytes = 256u << 10;
  // A page of many PDF pages has a layout thread help paint them for every
  // this many.
  static constexpr size_t kPartsPerPainter = 8;

  // Starts the pages of one loaded document; |url| is the URL it was loaded
  // from. Takes the pages whose turn has come (see above). Returns the PDF
  // pages of the pages taken (0 when the file cannot be written).
  int AddPage(IPdfJob* job, std::shared_ptr<const tw::html::Document> doc, const std::string& url);
  // The same for a page still to be parsed: |parse| is called on a worker
  // (null: the page cannot be read); |bytes| is the page's size. With
  // threads, |read| (when given) is called first on the reading thread, so
  // that the layout threads do not wait for the file: opening a file costs
  // round trips to the system that take longer than parsing a small page.
  using Parser = std::function<std::shared_ptr<const tw::html::Document>()>;
  int AddPage(IPdfJob* job, Parser parse, size_t bytes, const std::string& url,
              std::function<void()> read = nullptr);

  // Takes every page added so far: the job then knows every page their
  // links made wanted. Returns their PDF pages.
  int TakeAll(IPdfJob* job);
  // Takes pages in load order until one of them makes the job want a page
  // it has not loaded, or until none is left (*left then false): the driver
  // can load the wanted page while the rest are still laid out. Returns
  // their PDF pages.
  int TakeUntilWanted(IPdfJob* job, bool* left);

  // Bookmarks from the job's pending contents records, then the end of the
  // file. False (with |error|) when the PDF could not be written; no file
  // is left behind then.
  bool Finish(IPdfJob* job, std::string* error);

  const std::string& path() const { return path_; }
  // PDF pages written so far (complete after Finish).
  int page_count() const;
  // The most pages that were loaded and not yet written at one time.
  int most_pages_in_flight() const;
  // Worker threads laying pages out (0: everything on the calling thread).
  int layout_threads() const { return layout_threads_; }

 private:
  struct PendingPage;
  using PagePtr = std::shared_ptr<PendingPage>;
  class PagePainting;
  void LayOut(PendingPage& page);
  void Paint(PendingPage& page);  // on the thread that laid it out
  int Take(IPdfJob* job, const PagePtr& page);
  int TakeFront(IPdfJob* job);  // the oldest page not yet taken
  void Write(PendingPage& page);
  void WaitForWriter(int pages_at_most, size_t bytes_at_most);
  bool EnsureOpen();
  // The document's fonts and images (the writer's thread).
  int WriterFont(const std::string& face, int weight, bool italic);
  int WriterFontOf(const std::shared_ptr<const TrueTypeFont>& ttf, SyntheticStyle style);
  int WriterImage(const tw::layout::DisplayImage& image);
  // A block of |bx| by |by| copies of a small tiled image, side by side.
  int WriterTileBlock(const tw::layout::DisplayImage& image, int bx, int by);
  // A painted page's fonts and images bound to the document's.
  void Bind(Page& page, const PendingPage& pending, size_t part);
  // The job's id of a link target URL (AddLinkTarget), 0 when it has none.
  // The answers are kept: the job gives one URL the same id all through a
  // conversion, and its first answer has already marked the page wanted.
  int TargetId(IPdfJob* job, const std::string& url);
  int IdOf(IPdfJob* job, const std::string& url, const char* anchor, bool use_current);
  // A contents entry's ids: of its page and anchor, and of its page alone
  // (0: none); it leads to the first of them some page defines.
  struct TocIds {
    int entry = 0, page = 0;
  };
  TocIds TocIdsOf(IPdfJob* job, const char* page);
  LinkTarget TocTarget(const TocIds& ids) const;
  // The link ids some written page defines (the writer's thread, then the
  // job's once all are written).
  void Define(int id);
  bool Defined(int id) const;
  // Positions, links, header and footer of a taken PDF page.
  void FinishPage(Page& page, const PendingPage& pending, size_t part);

  WriterOptions options_;
  DocumentWriter writer_;
  std::unique_ptr<PdfLayoutHost> host_;
  std::string path_;
  std::string token_;
  bool opened_ = false;
  PageSetup setup_;
  PageGeometry geometry_;
  std::string date_;
  int header_font_ = -1;
  int standard_font_ = -1;
  std::unordered_map<std::string, int> fonts_;   // face|weight|italic, or the font's name -> font id
  std::unordered_map<std::string, int> images_;  // image url -> image id (-1: unusable)
  std::vector<bool> defined_;  // by link id
  std::unordered_map<std::string, int> target_ids_;  // link target URL -> job id
  std::string target_prefix_;  // the folder of the first URL asked for
  // The job's string A as read by BelongsTo (a buffer kept from call to call).
  class MarkText {
   public:
    std::string Get(IPdfJob* job) const;
   private:
    mutable std::vector<char> buffer_;
  };
  MarkText mark_text_;
  static constexpr size_t kCurrentPageBuffer = 1u << 18;
  std::vector<char> current_buffer_;  // the job's current page, read per page

  // The pipeline. |untaken_| is the job thread's own; the rest is guarded
  // by |lock_|.
  int layout_threads_ = 0;
  std::deque<PagePtr> untaken_;
  size_t untaken_bytes_ = 0;
  mutable Mutex lock_;
  Condition changed_;  // a page laid out or written
  int in_flight_ = 0;                // added and not yet written
  size_t in_flight_bytes_ = 0;       // their HTML
  int most_in_flight_ = 0;
  int pages_written_ = 0;
  bool write_failed_ = false;
  // Declared last: destroyed (their threads joined) before what they use.
  std::unique_ptr<TaskThreads> layout_pool_;
  std::unique_ptr<TaskThreads> reader_thread_;  // reads page files ahead (posts their layouts)
  std::unique_ptr<TaskThreads> writer_thread_;
};

}  // namespace twpdf
