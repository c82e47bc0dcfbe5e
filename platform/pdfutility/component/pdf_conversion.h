// pdf_conversion.h - one conversion job written as one PDF.
//
//   PdfConversion   the PDF Utility's work for one job: opens the job's PDF
//                   file at the first page, lays out every page the browser
//                   loaded (HtmlLayout over a PdfLayoutHost) at the page
//                   setup's content width, cuts it into pages and writes
//                   each page at once (its items through PdfPagePainter,
//                   then links, named positions, header and footer); at
//                   the end it adds
//                   the bookmarks of the job's contents records and closes
//                   the file.
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
#pragma once

#include <memory>
#include <set>
#include <string>
#include <unordered_map>
#include <vector>

#include "pdf_document.h"
#include "pdf_page_setup.h"
#include "pdf_page_painter.h"

class IPdfJob;
struct PageSetupRec;

namespace tw {
namespace html {
class Document;
}
namespace layout {
struct DisplayList;
struct FontDesc;
}
}  // namespace tw

namespace twpdf {

class PdfLayoutHost;

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

class PdfConversion : private PdfPagePainter::Resources {
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

  // Writes the pages of one loaded document; |url| is the URL it was loaded
  // from. Returns the number of PDF pages written (0 when the file cannot
  // be written).
  int AddPage(IPdfJob* job, const tw::html::Document& doc, const std::string& url);

  // Bookmarks from the job's pending contents records, then the end of the
  // file. False (with |error|) when the PDF could not be written; no file
  // is left behind then.
  bool Finish(IPdfJob* job, std::string* error);

  const std::string& path() const { return path_; }
  int page_count() const { return writer_.page_count(); }
  const DocumentWriter& writer() const { return writer_; }

 private:
  bool EnsureOpen();
  int WriterFont(const std::string& face, int weight, bool italic) override;
  int WriterImage(const tw::layout::DisplayList& list, int index) override;
  int TileBlock(const tw::layout::DisplayList& list, int index, double across, double down,
                int* rx, int* ry) override;
  // The job's id of a link target URL (AddLinkTarget), 0 when it has none.
  // The answers are kept: the job gives one URL the same id all through a
  // conversion, and its first answer has already marked the page wanted.
  int TargetId(IPdfJob* job, const std::string& url);
  int IdOf(IPdfJob* job, const std::string& url, const char* anchor, bool use_current);
  LinkTarget TocTarget(IPdfJob* job, const char* page);
  void PaintPage(IPdfJob* job, Page& page, const tw::layout::DisplayList& list, double scale,
                 const std::string& url);

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
  std::unordered_map<std::string, int> fonts_;   // face|weight|italic -> font id
  std::unordered_map<std::string, int> images_;  // image url -> image id (-1: unusable)
  std::set<int> defined_;                        // link ids some page defines
  std::unordered_map<std::string, int> target_ids_;  // link target URL -> job id
  static constexpr size_t kCurrentPageBuffer = 1u << 18;
  std::vector<char> current_buffer_;  // the job's current page, read per page
};

}  // namespace twpdf
