// pdf_document.h - the streaming PDF writer.
//
//   DocumentWriter  writes one PDF file from start to end: each page is
//                   written out when it ends, images when they are added;
//                   fonts (subsetted to the glyphs used), link annotations
//                   whose targets must first be known, the outline, named
//                   destinations, the page tree, the document information,
//                   the cross-reference table and the trailer at Close.
//                   Memory held between pages: one entry per page, font,
//                   glyph used, link, destination and outline item.
//   Page            the page being written: drawing, text, images, links
//                   and destinations in PDF user space (points, origin at
//                   the bottom left).
//   LinkTarget      where a link or an outline item leads: a named
//                   destination (defined by some page with
//                   Page::DefineDestination, before or after) or a page
//                   index and height.
//   Readers' limits are kept: the page tree and the tree of named
//   destinations are balanced trees of small nodes, not one long array.
//
//   DocumentInfo    title, author, subject, keywords, creator, producer
//                   (UTF-8; written as PDFDocEncoding or UTF-16BE).
//
// Errors: output errors stick. Once a write fails every later call does
// nothing, Close() returns false, error() says what failed, and a file that
// the writer created is removed, so no partial file remains looking like a
// result. Content problems (a link to a destination no page defined, a
// character the font lacks) are not errors: the link is left out, the
// character shows the font's missing-glyph box; warnings() lists them.
#pragma once

#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "pdf_object.h"
#include "pdf_output.h"

namespace twpdf {

class TrueTypeFont;

struct WriterOptions {
  bool compress = true;       // Flate-compress content, fonts and raw images
  bool reproducible = false;  // no dates; the file ID depends on the content only
  // Threads that lay pages out while the next ones load: 0 chooses from
  // the processors; 1 does everything on the thread that adds the pages.
  int threads = 0;
};

struct DocumentInfo {
  std::string title, author, subject, keywords, creator, producer;
};

// Styles a font lacks that the writer imitates: bold by stroking the glyph
// outlines along with filling them, italic by slanting the text.
struct SyntheticStyle {
  bool bold = false;
  bool italic = false;
  // What a font needs to look like |weight| (400 regular, 700 bold) and
  // |italic| when the system handed a face without that style.
  static SyntheticStyle For(const TrueTypeFont& font, int weight, bool italic);
};

struct LinkTarget {
  enum class Kind { kNone, kNamed, kPage };
  Kind kind = Kind::kNone;
  std::string name;
  int page = 0;     // 0-based page index
  double top = -1;  // height on that page; negative: the page's top

  static LinkTarget Named(const std::string& name);
  static LinkTarget PageAt(int page, double top = -1);
};

class DocumentWriter;

class Page {
 public:
  // A page painted away from the writer, on any thread: it names its own
  // fonts and images (UseFont, UseImage) and keeps its links and positions
  // until the writer takes it (DocumentWriter::BeginPage(Page&&)). Such a
  // page depends on nothing the writer holds, so pages painted in any order
  // give the same file once taken in page order.
  Page(double width, double height);
  Page(Page&&) = default;
  Page& operator=(Page&&) = default;

  double width() const { return width_; }
  double height() const { return height_; }
  int index() const { return index_; }  // -1 until the writer takes the page

  // Painted, and now to wait for the writer: what only finding the glyphs
  // met for the first time needs (a table of 8 KB per font) goes. Painting
  // on afterwards (the header and footer) gives the same page as without it.
  void Trim();

  // Graphics state.
  void SaveState();
  void RestoreState();
  // Colour components 0..1.
  void SetFillColor(double r, double g, double b);
  void SetStrokeColor(double r, double g, double b);
  void SetLineWidth(double width);
  // Strokes as dashes of `on` with gaps of `off`, from the start of each
  // path, with square-cut ends; on <= 0: solid again.
  void SetDash(double on, double off);

  // Paths.
  void MoveTo(double x, double y);
  void LineTo(double x, double y);
  void CurveTo(double x1, double y1, double x2, double y2, double x3, double y3);
  void ClosePath();
  void Rectangle(double x, double y, double w, double h);
  void Stroke();
  void Fill();
  void FillEvenOdd();
  void ClipToPath();  // intersects the clip with the current path (W n)
  void StrokeLine(double x0, double y0, double x1, double y1);
  void FillRect(double x, double y, double w, double h);

  // Text in a font of the writer, with its baseline starting at (x, y);
  // returns the advance in points (0 on a page the writer has not taken).
  double ShowText(int font, double size, double x, double y, const std::string& utf8);
  // The same for |n| code points.
  double ShowText(int font, double size, double x, double y, const char32_t* text, size_t n);
  // An image added to the writer, drawn into the rectangle.
  void DrawImage(int image, double x, double y, double w, double h);

  // The page's own fonts: a TrueType font in a synthetic style, or null for
  // the standard font (so is a font whose licence forbids embedding). The
  // same font and style give the same number.
  int UseFont(std::shared_ptr<const TrueTypeFont> font, SyntheticStyle style = SyntheticStyle());
  double ShowTextIn(int used_font, double size, double x, double y, const char32_t* text, size_t n);
  // The page's own images: |tag| tells the page's painter which image it
  // is; it is bound to a writer image before the page ends (one left
  // unbound draws nothing).
  int UseImage(int tag);
  void DrawUsedImage(int used_image, double x, double y, double w, double h);

  // What a taken page uses, for binding before it ends. A font left
  // unbound is added to the writer as it is.
  int used_font_count() const { return static_cast<int>(used_fonts_.size()); }
  const std::shared_ptr<const TrueTypeFont>& used_font(int i) const { return used_fonts_[i].font; }
  SyntheticStyle used_font_style(int i) const { return used_fonts_[i].style; }
  void BindFont(int used_font, int writer_font);
  int used_image_count() const { return static_cast<int>(used_images_.size()); }
  int used_image_tag(int i) const { return used_images_[i].tag; }
  void BindImage(int used_image, int writer_image);

  // Link areas (x0, y0 lower left; x1, y1 upper right).
  void AddUriLink(double x0, double y0, double x1, double y1, const std::string& uri);
  void AddLink(double x0, double y0, double x1, double y1, const LinkTarget& target);
  // Names a position on this page; the first definition of a name counts.
  void DefineDestination(const std::string& name, double x, double top);

 private:
  friend class DocumentWriter;
  void Op(const std::string& op);

  DocumentWriter* writer_ = nullptr;  // set when the writer takes the page
  int index_ = -1;
  double width_, height_;
  std::string content_;
  std::vector<std::string> fill_;  // fill colour operands per saved state
  struct UsedFont {
    std::shared_ptr<const TrueTypeFont> font;  // null: the standard font
    SyntheticStyle style;
    int writer_font = -1;
    std::vector<uint64_t> seen;  // by glyph id: met on this page
    std::vector<std::pair<uint16_t, char32_t>> glyphs;  // in the order met, with their first character
  };
  std::vector<UsedFont> used_fonts_;  // named /F1, /F2, ... in this order
  struct UsedImage {
    int tag;
    int writer_image;
  };
  std::vector<UsedImage> used_images_;  // named /Im1, /Im2, ...
  struct PendingUri {
    double rect[4];
    std::string uri;
  };
  std::vector<PendingUri> uris_;
  struct PendingLink {
    double rect[4];
    LinkTarget target;
  };
  std::vector<PendingLink> links_;
  struct PendingDestination {
    std::string name;
    double x, top;
  };
  std::vector<PendingDestination> destinations_;
  std::vector<std::string> warnings_;
};

class DocumentWriter {
 public:
  explicit DocumentWriter(const WriterOptions& options = WriterOptions());
  ~DocumentWriter();  // a document not closed is discarded
  DocumentWriter(const DocumentWriter&) = delete;
  DocumentWriter& operator=(const DocumentWriter&) = delete;

  // Creates |path| (or writes to |output|, which must outlive the writer)
  // and writes the header.
  bool Open(const std::string& path);
  bool Open(OutputStage& output);

  // Attributes.
  bool failed() const { return failed_; }
  const std::string& error() const { return error_; }
  const std::vector<std::string>& warnings() const { return warnings_; }
  int page_count() const { return static_cast<int>(page_objects_.size()); }
  uint64_t bytes_written() const { return counter_ ? counter_->count() : 0; }

  // Fonts. Refuses (-1, with |error|) a font whose licence forbids
  // embedding; the caller then picks another font. The same font added
  // again gives the same id; with another synthetic style, a new id that
  // shares the embedded font.
  int AddFont(std::shared_ptr<const TrueTypeFont> font, std::string* error = nullptr,
              SyntheticStyle style = SyntheticStyle());
  // Helvetica, not embedded: only for when no TrueType font can be
  // embedded at all (see pdf_standard_font.h). One id however often asked.
  int AddStandardFont();
  double TextWidth(int font, double size, const std::string& utf8) const;
  // Null for the standard font and for unknown ids.
  const TrueTypeFont* font(int id) const;

  // Images, written at once; an image added again (same bytes) gives the
  // id of the first, so icons repeated on every page are stored once.
  // -1 with |error| for data that cannot be used.
  int AddJpeg(const std::string& jpeg, std::string* error = nullptr);
  // |rgb|: width * height * 3 bytes, rows top to bottom; |alpha| (optional):
  // width * height bytes of opacity.
  int AddRgbImage(int width, int height, const std::string& rgb, const std::string* alpha,
                  std::string* error = nullptr);
  // 32-bit BGRA pixels as image decoders give them: rows top to bottom,
  // |stride| bytes apart; |premultiplied| when colours carry the alpha.
  int AddBgraImage(int width, int height, const void* pixels, size_t stride, bool premultiplied,
                   std::string* error = nullptr);

  // Pages. BeginPage ends a page still open. Sizes are clamped to the
  // range readers accept (3 to 14400 points). The Page reference stays
  // valid until the page ends (EndPage, the next BeginPage, Close);
  // graphics states still saved at its end are restored.
  Page& BeginPage(double width, double height);
  // Takes a page painted away from the writer as the next page; it can be
  // drawn on further (headers, links) until it ends.
  Page& BeginPage(Page&& painted);
  Page* current_page() { return page_.get(); }
  bool EndPage();

  // A page's content stream is written kStreamLag pages after the page
  // ends (or at Close), compressed meanwhile by tasks given to |post| (which
  // runs them on other threads) when one is set, else when it is written:
  // the file is the same byte for byte either way.
  static constexpr size_t kStreamLag = 16;
  void SetPacker(std::function<void(std::function<void()>)> post) { post_ = std::move(post); }

  // Outline: items under |parent| (0 = top level) in the order added.
  int AddOutlineItem(int parent, const std::string& title_utf8,
                     const LinkTarget& target = LinkTarget());
  void SetOutlineTarget(int item, const LinkTarget& target);

  void SetInfo(const DocumentInfo& info) { info_ = info; }

  // Ends the open page, writes everything that waits for the end and the
  // trailer, and closes the output. A document without pages gets one
  // empty page, so the result always opens.
  bool Close();
  // Gives up: closes and removes the file.
  void Abort();

 private:
  friend class Page;
  struct FontEntry {
    std::shared_ptr<const TrueTypeFont> font;  // null: the standard font
    SyntheticStyle style;
    int base = -1;   // the entry of the same font added first: it is embedded once
    int object = 0;  // the font object, allocated at first use
    std::set<uint16_t> glyphs;
    std::map<uint16_t, char32_t> unicode;
    std::vector<bool> seen;  // by glyph id: already in |glyphs| (empty until the first text)
  };
  struct Destination {
    int page;
    double x, top;
  };
  struct OutlineItem {
    int parent = 0, first = 0, last = 0, next = 0, prev = 0, children = 0;
    std::string title;
    LinkTarget target;
  };
  struct DeferredAnnotations {
    int array_object;
    int page;
    std::vector<int> uri_annotations;
    std::vector<Page::PendingLink> links;
  };
  Page& StartPage(std::unique_ptr<Page> page);
  int WriteUriAnnotation(const Page::PendingUri& uri);
  int EmptyImage();

  struct PendingStream;
  bool WritePendingStream();
  int Allocate();
  bool Emit(const std::string& bytes);
  bool BeginObject(int number);
  bool WriteObject(int number, const Object& object);
  bool WriteStream(int number, Object dict, const std::string& data, bool compress);
  void Fail(const std::string& message);
  void Warn(const std::string& message);
  int FontObject(int font);
  bool ResolveTarget(const LinkTarget& target, Object& dest);
  bool WriteFont(FontEntry& entry);
  bool WriteOutline(int& outline_root);
  static std::string ImageKey(const std::string& kind, const std::string& a, const std::string* b);
  int WritePageTree();
  int WriteDestinations();

  WriterOptions options_;
  std::unique_ptr<FileOutput> file_;
  std::unique_ptr<CountingOutput> counter_;
  Deflater deflater_;
  bool open_ = false;
  bool failed_ = false;
  std::string error_;
  std::vector<std::string> warnings_;
  std::vector<uint64_t> offsets_;  // by object number; 0 = not written yet
  std::vector<int> page_objects_;
  std::vector<int> page_nodes_;  // the page tree's lowest nodes, one per kFanOut pages
  double last_width_ = 595.276, last_height_ = 841.89;
  std::unique_ptr<Page> page_;
  std::deque<std::shared_ptr<PendingStream>> pending_streams_;  // oldest first
  std::function<void(std::function<void()>)> post_;
  std::vector<FontEntry> fonts_;
  std::vector<int> images_;  // image id -> object number
  int standard_font_ = -1;   // AddStandardFont's
  int empty_image_ = -1;     // what an unbound image of a page shows
  std::map<std::string, int> image_keys_;  // content digest -> image id
  std::map<std::string, Destination> destinations_;
  class NameTable;
  std::unique_ptr<NameTable> names_;  // of destinations_, made at Close
  std::vector<DeferredAnnotations> deferred_;
  std::vector<OutlineItem> outline_;  // [0] is the root
  DocumentInfo info_;
};

}  // namespace twpdf
