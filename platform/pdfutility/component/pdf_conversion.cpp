// pdf_conversion.cpp - laying out loaded pages and writing them as PDF pages.
#include "pdf_conversion.h"

#include <windows.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstring>
#include <cstdio>
#include <set>
#include <thread>
#include <vector>

#include "IPdfJob.h"
#include "PageSetupRec.h"
#include "layout/html_layout.h"
#include "nsFileURL.h"
#include "nsURLParser.h"
#include "pdf_layout_host.h"
#include "pdf_format.h"
#include "pdf_page_painter.h"
#include "pdf_text.h"
#include "stage_clock.h"
#include "task_threads.h"

namespace twpdf {
namespace {

const double kPointsPerPx = PdfPagePainter::kPointsPerPx;
const size_t kMaxImageFile = 64u << 20;
// The side of a block of small tiles drawn as one image, in image pixels.
const int kTileBlockPx = 256;

std::string Utf8Of(const nsString* s) {
  if (!s) return std::string();
  return Utf16ToUtf8(reinterpret_cast<const wchar_t*>(s->get()), s->Length());
}

// The job's strings are copied into the caller's buffer without a size;
// they are short texts (paths, document information), and this buffer is
// far larger than any of them.
class JobText {
 public:
  JobText() : buffer_(1u << 18, '\0') {}
  template <typename Getter>
  std::string Get(IPdfJob* job, Getter getter) {
    buffer_[0] = '\0';
    if (job) (job->*getter)(&buffer_[0]);
    buffer_.back() = '\0';
    return std::string(&buffer_[0]);
  }

 private:
  std::vector<char> buffer_;
};

std::string Today() {
  char text[128] = "";
  if (!GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, nullptr, nullptr, text, sizeof text))
    text[0] = '\0';
  return AnsiToUtf8(text);
}

bool IsJpeg(const std::string& bytes) {
  return bytes.size() > 4 && static_cast<unsigned char>(bytes[0]) == 0xFF &&
         static_cast<unsigned char>(bytes[1]) == 0xD8 && static_cast<unsigned char>(bytes[2]) == 0xFF;
}

bool ReadSmallFile(const std::string& path, std::string* out) {
  if (path.empty()) return false;
  FILE* f = fopen(path.c_str(), "rb");
  if (!f) return false;
  out->clear();
  char chunk[65536];
  size_t n;
  bool ok = true;
  while ((n = fread(chunk, 1, sizeof chunk, f)) > 0) {
    if (out->size() + n > kMaxImageFile) {
      ok = false;
      break;
    }
    out->append(chunk, n);
  }
  fclose(f);
  return ok;
}

unsigned long long g_next_token = 0;

bool IsUtf8(const std::string& s) { return EncodeUtf8(DecodeUtf8(s)) == s; }

// Escapes of a file link that form no UTF-8 are bytes of the ANSI code page
// (pages of old help files), as the page view reads them: the link in UTF-8,
// so that it is equal to the URL the job gives that file.
std::string Utf8FileLink(const std::string& url) {
  nsLocalFileRef file;
  if (url.find('%') == std::string::npos || !NS_FileURLToLocalFile(url, file) ||
      (IsUtf8(file.path) && IsUtf8(file.ref)))
    return url;
  auto utf8 = [](const std::string& s) { return IsUtf8(s) ? s : AnsiToUtf8(s.c_str()); };
  std::string out = NS_LocalPathToFileURL(utf8(file.path));
  if (file.hasRef) out += '#' + NS_EscapeURLPath(utf8(file.ref));
  return out;
}

// Workers when the options leave the choice: the processors less the
// job's thread and the writer's, within reason.
int AutomaticLayoutThreads() {
  const unsigned n = std::thread::hardware_concurrency();
  return n <= 3 ? 1 : std::min(6, int(n) - 2);
}

}  // namespace

// One loaded document on its way into the PDF.
struct PdfConversion::PendingPage {
  Parser parse;  // gives the document, on the worker
  std::shared_ptr<const tw::html::Document> doc;
  std::string url;       // as loaded, with its fragment
  std::string page_url;  // without it
  bool use_current = false;
  int top_id = 0;
  size_t bytes = 0;

  // Laid out (a worker's; read by others once |laid_out| is set).
  bool laid_out = false;
  bool failed = false;  // could not be laid out: no PDF pages
  double scale = 1;
  // Images the page's layout released; the lists may show them until the
  // page is written.
  std::vector<tw::layout::ImageHandle> images;
  // One per PDF page: the cut display lists (only their links and
  // positions once painted) and the PDF pages painted of them.
  std::vector<tw::layout::DisplayList> parts;
  std::vector<Page> painted;
  // The images each painted page shows (a page image's tag is its index):
  // made into the document's when the page is written.
  struct ImageRequest {
    tw::layout::DisplayImage image;
    int bx = 1, by = 1;  // a block of copies of a tiled image
  };
  std::vector<std::vector<ImageRequest>> image_requests;

  // Taken (the job's ids, in points on the page).
  struct Anchor {
    int id;
    double x, top;
  };
  struct Link {
    double x0, y0, x1, y1;
    LinkKind kind;
    std::string uri;  // kUri
    int id;           // kInternal
  };
  std::vector<std::vector<Anchor>> anchors;
  std::vector<std::vector<Link>> links;
};

PageSetup PageSetupFromRecord(const PageSetupRec* r) {
  PageSetup s;
  if (!r) return s;
  const double k = r->unit == 1 ? 1 / 2.54 : 1.0;  // to inches
  s.width_in = r->width * k;
  s.height_in = r->height * k;
  s.landscape = r->orientation == 1;
  s.margin_left_in = r->marginLeft * k;
  s.margin_top_in = r->marginTop * k;
  s.margin_right_in = r->marginRight * k;
  s.margin_bottom_in = r->marginBottom * k;
  s.header_separator = r->headerSeparator != 0;
  s.footer_separator = r->footerSeparator != 0;
  s.header_left = Utf8Of(r->headerLeft);
  s.header_center = Utf8Of(r->headerCenter);
  s.header_right = Utf8Of(r->headerRight);
  s.footer_left = Utf8Of(r->footerLeft);
  s.footer_center = Utf8Of(r->footerCenter);
  s.footer_right = Utf8Of(r->footerRight);
  return s;
}

std::string ExpandFieldCodes(const std::string& text, int page_number, const std::string& date,
                             const std::string& url) {
  if (text.find('&') == std::string::npos) return text;
  static const struct {
    const char* code;
    int which;
  } kCodes[] = {{"&PageNo", 0}, {"&Date", 1}, {"&URL", 2}};
  std::string out;
  size_t i = 0;
  while (i < text.size()) {
    bool matched = false;
    if (text[i] == '&') {
      for (const auto& c : kCodes) {
        size_t n = strlen(c.code);
        if (text.compare(i, n, c.code) == 0) {
          out += c.which == 0 ? std::to_string(page_number) : c.which == 1 ? date : url;
          i += n;
          matched = true;
          break;
        }
      }
    }
    if (!matched) out += text[i++];
  }
  return out;
}

LinkKind ClassifyLink(const std::string& url, std::string* target) {
  target->clear();
  std::string scheme;
  if (!NS_URLScheme(url, scheme)) return LinkKind::kNone;
  if (scheme.empty() || scheme == "file") {
    // a relative reference, a file URL or a drive path
    *target = scheme.empty() ? url : Utf8FileLink(url);
    return LinkKind::kInternal;
  }
  if (scheme == "ms-its" || scheme == "mk" || scheme == "its") {
    size_t sep = url.find("::");
    if (sep == std::string::npos) return LinkKind::kNone;
    std::string inside = url.substr(sep + 2);
    while (!inside.empty() && (inside[0] == '/' || inside[0] == '\\')) inside.erase(0, 1);
    if (inside.empty()) return LinkKind::kNone;
    *target = inside;
    return LinkKind::kInternal;
  }
  if (scheme == "javascript" || scheme == "vbscript" || scheme == "about" || scheme == "data")
    return LinkKind::kNone;
  *target = url;
  return LinkKind::kUri;
}

PdfConversion::PdfConversion(IPdfJob* job, const WriterOptions& options)
    : options_(options), writer_(options), host_(new PdfLayoutHost()) {
  JobText text;
  path_ = text.Get(job, &IPdfJob::GetPdfFile);
  DocumentInfo info;
  info.title = AnsiToUtf8(text.Get(job, &IPdfJob::GetTitle).c_str());
  info.author = AnsiToUtf8(text.Get(job, &IPdfJob::GetAuthor).c_str());
  info.subject = AnsiToUtf8(text.Get(job, &IPdfJob::GetSubject).c_str());
  info.keywords = AnsiToUtf8(text.Get(job, &IPdfJob::GetKeywords).c_str());
  info.creator = AnsiToUtf8(text.Get(job, &IPdfJob::GetCreator).c_str());
  info.producer = AnsiToUtf8(text.Get(job, &IPdfJob::GetProducer).c_str());
  writer_.SetInfo(info);
  PageSetupRec* record = nullptr;
  if (job) job->GetPageSetup(&record);
  setup_ = PageSetupFromRecord(record);
  geometry_ = ComputeGeometry(setup_);
  date_ = options.reproducible ? std::string() : Today();
  token_ = "tomewise-pdf-" + std::to_string(++g_next_token);
  // Help files ask for tens of thousands of link targets.
  target_ids_.reserve(1u << 16);
  if (job) job->SetStringA(token_.c_str());
  layout_threads_ = options.threads == 1 ? 0 : options.threads > 1 ? std::min(options.threads, 64)
                                                                   : AutomaticLayoutThreads();
  if (layout_threads_ > 0) {
    layout_pool_.reset(new TaskThreads(layout_threads_));
    reader_thread_.reset(new TaskThreads(1));
    writer_thread_.reset(new TaskThreads(1));
    // Page contents are compressed by the layout threads too.
    TaskThreads* pool = layout_pool_.get();
    writer_.SetPacker([pool](std::function<void()> task) { pool->PostFirst(std::move(task)); });
  }
}

PdfConversion::~PdfConversion() {
  // Pages still on their way are given up; no thread outlives this. The
  // writer ends first: the page it may be writing hands its contents to the
  // layout threads for compressing, and waits for the contents of earlier
  // pages, so the layout threads and their queue stay until it is done.
  if (writer_thread_) writer_thread_->Discard();
  writer_thread_.reset();
  // The reader posts layouts: it ends before the layout threads.
  if (reader_thread_) reader_thread_->Discard();
  reader_thread_.reset();
  if (layout_pool_) layout_pool_->Discard();
  layout_pool_.reset();
  if (opened_ && !writer_.failed()) writer_.Abort();
}

int PdfConversion::page_count() const {
  std::lock_guard<Mutex> hold(lock_);
  return pages_written_;
}

int PdfConversion::most_pages_in_flight() const {
  std::lock_guard<Mutex> hold(lock_);
  return most_in_flight_;
}

bool PdfConversion::BelongsTo(IPdfJob* job) const {
  // Asked at every load: the buffer is made once.
  return job && mark_text_.Get(job) == token_;
}

std::string PdfConversion::MarkText::Get(IPdfJob* job) const {
  // The job copies without a length; its strings are short, and this
  // buffer is as large as the one the job's other readers use.
  if (buffer_.empty()) buffer_.assign(1u << 18, '\0');
  buffer_[0] = '\0';
  job->GetStringA(&buffer_[0]);
  buffer_.back() = '\0';
  return std::string(&buffer_[0]);
}

bool PdfConversion::EnsureOpen() {
  if (!opened_) {
    opened_ = true;
    writer_.Open(path_);  // an empty path fails, and Close then says so
  }
  return !writer_.failed();
}

// The fonts and images of one PDF page as it is painted, on a layout thread:
// what the painter names is looked up here without the writer, and kept in
// the page and in its pending page's image requests.
class PdfConversion::PagePainting : public PdfPagePainter::Resources {
 public:
  PagePainting(PdfLayoutHost& host, Page& page, std::vector<PendingPage::ImageRequest>& requests)
      : host_(host), page_(page), requests_(requests) {}

  int PageFont(const std::string& face, int weight, bool italic) override {
    std::shared_ptr<const TrueTypeFont> ttf = host_.FontFor(face, weight, italic);
    // A font the licence keeps out of documents gives the standard font.
    if (!ttf) return page_.UseFont(nullptr);
    return page_.UseFont(ttf, SyntheticStyle::For(*ttf, weight, italic));
  }

  int PageImage(const tw::layout::DisplayList& list, int index) override {
    if (index < 0 || size_t(index) >= list.images.size()) return -1;
    const tw::layout::DisplayImage& di = list.images[size_t(index)];
    return Use(di, KeyOf(di), 1, 1, [&] { return PixelsOf(di, nullptr) || StartsAsJpeg(di.url); });
  }

  int PageTileBlock(const tw::layout::DisplayList& list, int index, double across, double down,
                    int* rx, int* ry) override {
    *rx = *ry = 1;
    if (index < 0 || size_t(index) >= list.images.size()) return -1;
    const tw::layout::DisplayImage& di = list.images[size_t(index)];
    const tw::layout::GdiImage* img = PdfLayoutHost::Image(di.handle);
    if (!PixelsOf(di, nullptr) || img->width <= 0 || img->height <= 0) return -1;
    // Blocks of about kTileBlockPx pixels a side; one size per image and
    // direction, so that every band of a page shares the same few blocks.
    const int bx = across > 1 ? std::max(1, kTileBlockPx / img->width) : 1;
    const int by = down > 1 ? std::max(1, kTileBlockPx / img->height) : 1;
    if (bx * by == 1) return -1;
    const int used = Use(di, KeyOf(di) + "\n" + std::to_string(bx) + "x" + std::to_string(by), bx,
                         by, [] { return true; });
    if (used >= 0) {
      *rx = bx;
      *ry = by;
    }
    return used;
  }

  static std::string KeyOf(const tw::layout::DisplayImage& di) {
    return di.url.empty() ? "#" + std::to_string(di.handle) : di.url;
  }
  // Whether the image is decoded into 32-bit pixels the writer can take;
  // |ds| (when given) receives their description.
  static bool PixelsOf(const tw::layout::DisplayImage& di, DIBSECTION* ds) {
    const tw::layout::GdiImage* img = PdfLayoutHost::Image(di.handle);
    DIBSECTION own = {};
    if (!ds) ds = &own;
    return img && img->bitmap && GetObjectA(img->bitmap, sizeof *ds, ds) == sizeof *ds &&
           ds->dsBm.bmBits && ds->dsBm.bmBitsPixel == 32;
  }

 private:
  static bool StartsAsJpeg(const std::string& url) {
    const std::string path = PdfLayoutHost::PathFromUrl(url);
    FILE* f = path.empty() ? nullptr : fopen(path.c_str(), "rb");
    if (!f) return false;
    unsigned char head[3] = {};
    const bool jpeg = fread(head, 1, 3, f) == 3 && head[0] == 0xFF && head[1] == 0xD8 && head[2] == 0xFF;
    fclose(f);
    return jpeg;
  }

  template <typename Usable>
  int Use(const tw::layout::DisplayImage& di, const std::string& key, int bx, int by,
          Usable usable) {
    auto it = used_.find(key);
    if (it != used_.end()) return it->second;
    int used = -1;
    if (usable()) {
      requests_.push_back(PendingPage::ImageRequest{di, bx, by});
      used = page_.UseImage(int(requests_.size() - 1));
    }
    used_.emplace(key, used);
    return used;
  }

  PdfLayoutHost& host_;
  Page& page_;
  std::vector<PendingPage::ImageRequest>& requests_;
  std::map<std::string, int> used_;  // image key -> page image (-1: unusable)
};

int PdfConversion::WriterFont(const std::string& face, int weight, bool italic) {
  std::string key = face + '|' + std::to_string(weight) + '|' + (italic ? '1' : '0');
  auto it = fonts_.find(key);
  if (it != fonts_.end()) return it->second;
  std::shared_ptr<const TrueTypeFont> ttf = host_->FontFor(face, weight, italic);
  const int id = ttf ? WriterFontOf(ttf, SyntheticStyle::For(*ttf, weight, italic))
                     : WriterFontOf(nullptr, SyntheticStyle());
  fonts_[key] = id;
  return id;
}

int PdfConversion::WriterFontOf(const std::shared_ptr<const TrueTypeFont>& ttf,
                                SyntheticStyle style) {
  int id = -1;
  if (ttf) {
    // Faces that end up as one installed font (a missing face replaced by
    // the same fallback as another) share one embedded font.
    std::string same = "\x01" + ttf->postscript_name() + '|' + std::to_string(ttf->glyph_count()) +
                       '|' + (style.bold ? 'b' : '-') + (style.italic ? 'i' : '-');
    auto found = fonts_.find(same);
    if (found != fonts_.end()) return found->second;
    id = writer_.AddFont(ttf, nullptr, style);
    if (id >= 0) fonts_[same] = id;
  }
  if (id < 0) {
    if (standard_font_ < 0) standard_font_ = writer_.AddStandardFont();
    id = standard_font_;
  }
  return id;
}

int PdfConversion::WriterImage(const tw::layout::DisplayImage& di) {
  std::string key = PagePainting::KeyOf(di);
  auto it = images_.find(key);
  if (it != images_.end()) return it->second;
  int id = -1;
  std::string bytes;
  // A JPEG file goes in as it is; everything else as decoded pixels.
  if (ReadSmallFile(PdfLayoutHost::PathFromUrl(di.url), &bytes) && IsJpeg(bytes))
    id = writer_.AddJpeg(bytes);
  DIBSECTION ds = {};
  if (id < 0 && PagePainting::PixelsOf(di, &ds)) {
    const tw::layout::GdiImage* img = PdfLayoutHost::Image(di.handle);
    id = writer_.AddBgraImage(img->width, img->height, ds.dsBm.bmBits,
                              size_t(ds.dsBm.bmWidthBytes), true);
  }
  if (images_.size() < 100000) images_[key] = id;
  return id;
}

int PdfConversion::WriterTileBlock(const tw::layout::DisplayImage& di, int bx, int by) {
  const std::string key =
      PagePainting::KeyOf(di) + "\n" + std::to_string(bx) + "x" + std::to_string(by);
  auto it = images_.find(key);
  if (it != images_.end()) return it->second;
  int id = -1;
  DIBSECTION ds = {};
  if (PagePainting::PixelsOf(di, &ds)) {
    const tw::layout::GdiImage* img = PdfLayoutHost::Image(di.handle);
    const int w = img->width, h = img->height;
    const size_t stride = size_t(ds.dsBm.bmWidthBytes), row = size_t(w) * 4;
    std::string pixels(row * bx * size_t(h) * by, '\0');
    const char* bits = static_cast<const char*>(ds.dsBm.bmBits);
    for (int y = 0; y < h * by; ++y)
      for (int i = 0; i < bx; ++i)
        std::memcpy(&pixels[(size_t(y) * bx + i) * row], bits + size_t(y % h) * stride, row);
    id = writer_.AddBgraImage(w * bx, h * by, pixels.data(), row * bx, true);
  }
  if (images_.size() < 100000) images_[key] = id;
  return id;
}

void PdfConversion::Bind(Page& page, const PendingPage& pending, size_t part) {
  for (int i = 0; i < page.used_font_count(); ++i)
    page.BindFont(i, WriterFontOf(page.used_font(i), page.used_font_style(i)));
  if (part >= pending.image_requests.size()) return;
  const std::vector<PendingPage::ImageRequest>& requests = pending.image_requests[part];
  for (int i = 0; i < page.used_image_count(); ++i) {
    const size_t tag = size_t(page.used_image_tag(i));
    if (tag >= requests.size()) continue;
    const PendingPage::ImageRequest& r = requests[tag];
    page.BindImage(i, r.bx * r.by > 1 ? WriterTileBlock(r.image, r.bx, r.by) : WriterImage(r.image));
  }
}

int PdfConversion::TargetId(IPdfJob* job, const std::string& url) {
  tw::stats::count(tw::stats::Count::LinkIds);
  // Kept without the folder all the pages share: a help file's links
  // name tens of thousands of targets, each by a long absolute URL.
  if (target_prefix_.empty()) {
    const size_t slash = url.rfind('/', url.find('#'));
    target_prefix_ = slash == std::string::npos ? std::string(1, '\0') : url.substr(0, slash + 1);
  }
  std::string key;
  if (url.compare(0, target_prefix_.size(), target_prefix_) == 0) {
    key.reserve(url.size() - target_prefix_.size() + 1);
    key += '\0';  // no URL starts with it: the two forms never meet
    key.append(url, target_prefix_.size(), std::string::npos);
  } else {
    key = url;
  }
  auto it = target_ids_.find(key);
  if (it != target_ids_.end()) return it->second;
  tw::stats::count(tw::stats::Count::JobLinkIds);
  int id = 0;
  if (NS_FAILED(job->AddLinkTarget(url.c_str(), &id)) || id < 0) id = 0;
  target_ids_.emplace(std::move(key), id);
  return id;
}

int PdfConversion::IdOf(IPdfJob* job, const std::string& url, const char* anchor,
                        bool use_current) {
  int id = 0;
  std::string full = url;
  if (anchor) full += '#' + std::string(anchor);
  if ((id = TargetId(job, full)) > 0) return id;
  // A page outside the folder list: the job still names its positions
  // through its current page.
  id = 0;
  if (use_current && NS_SUCCEEDED(job->GetLinkId(anchor, &id)) && id > 0) return id;
  return 0;
}

PdfConversion::TocIds PdfConversion::TocIdsOf(IPdfJob* job, const char* page) {
  TocIds ids;
  if (!page || !*page) return ids;
  std::string ref = NS_EscapeFilePath(page);
  ids.entry = TargetId(job, ref);
  // For an entry whose anchor is not on its page: the page's top.
  size_t hash = ref.find('#');
  if (hash != std::string::npos) ids.page = TargetId(job, ref.substr(0, hash));
  return ids;
}

LinkTarget PdfConversion::TocTarget(const TocIds& ids) const {
  if (ids.entry > 0 && Defined(ids.entry)) return LinkTarget::Named(std::to_string(ids.entry));
  if (ids.page > 0 && Defined(ids.page)) return LinkTarget::Named(std::to_string(ids.page));
  return LinkTarget();
}

// The job numbers its link targets from 1 up, one per target it keeps:
// a bit per id costs less than any target.
void PdfConversion::Define(int id) {
  if (id <= 0) return;
  if (size_t(id) >= defined_.size()) defined_.resize(std::max(size_t(id) + 1, defined_.size() * 2));
  defined_[size_t(id)] = true;
}

bool PdfConversion::Defined(int id) const {
  return id > 0 && size_t(id) < defined_.size() && defined_[size_t(id)];
}

void PdfConversion::FinishPage(Page& page, const PendingPage& pending, size_t part) {
  const PageGeometry& g = geometry_;
  for (const PendingPage::Anchor& a : pending.anchors[part]) {
    page.DefineDestination(std::to_string(a.id), a.x, a.top);
    Define(a.id);
  }
  for (const PendingPage::Link& l : pending.links[part]) {
    if (l.kind == LinkKind::kInternal)
      page.AddLink(l.x0, l.y0, l.x1, l.y1, LinkTarget::Named(std::to_string(l.id)));
    else
      page.AddUriLink(l.x0, l.y0, l.x1, l.y1, l.uri);
  }

  // Header and footer, their codes filled in for this page.
  PageSetup fields = setup_;
  const int number = page.index() + 1;
  for (std::string* s : {&fields.header_left, &fields.header_center, &fields.header_right,
                         &fields.footer_left, &fields.footer_center, &fields.footer_right})
    *s = ExpandFieldCodes(*s, number, date_, pending.url);
  if (header_font_ < 0) {
    const std::string face = host_->ResolveFamily("Arial, sans-serif");
    header_font_ = WriterFont(face, 400, false);
  }
  DecoratePage(writer_, page, fields, g, header_font_);
}

int PdfConversion::AddPage(IPdfJob* job, std::shared_ptr<const tw::html::Document> doc,
                           const std::string& url) {
  if (!doc) return 0;
  // A page's weight in the lag is its HTML; a parsed one counts its nodes.
  const size_t bytes = doc->nodeCount() * 64;
  return AddPage(job, [doc] { return doc; }, bytes, url);
}

int PdfConversion::AddPage(IPdfJob* job, Parser parse, size_t bytes, const std::string& url,
                           std::function<void()> read) {
  if (!job || !parse || !EnsureOpen()) return 0;
  {
    std::lock_guard<Mutex> hold(lock_);
    if (write_failed_) return 0;
  }
  PagePtr page = std::make_shared<PendingPage>();
  page->parse = std::move(parse);
  page->url = url;
  page->bytes = bytes;
  // The page's own URL, without the fragment it was loaded with.
  page->page_url = url.substr(0, url.find('#'));
  // The job copies its current page without a length: a buffer as large as
  // the job allows, made once per conversion rather than once per page.
  if (current_buffer_.empty()) current_buffer_.assign(kCurrentPageBuffer, '\0');
  current_buffer_[0] = '\0';
  job->GetCurrentPage(&current_buffer_[0]);
  current_buffer_.back() = '\0';
  // The job's own naming through its current page works only when that
  // page is the one loaded, without a fragment.
  const std::string current_page(&current_buffer_[0]);
  page->use_current = !current_page.empty() && current_page.find('#') == std::string::npos;
  // The page's top is named now, while the job's current page is this one.
  page->top_id = TargetId(job, page->page_url);
  const bool outside_folder = page->top_id <= 0;
  if (outside_folder && page->use_current) {
    int id = 0;
    if (NS_SUCCEEDED(job->GetLinkId(nullptr, &id)) && id > 0) page->top_id = id;
  }

  // No more pages on their way than the bound allows.
  // Large pages count by their size: a few of them fill the bound.
  // (Only the pages taken count: the writer cannot finish the others.)
  WaitForWriter(kMaxPagesInFlight - 1,
                untaken_bytes_ + (kMaxBytesInFlight > bytes ? kMaxBytesInFlight - bytes : 0));
  {
    std::lock_guard<Mutex> hold(lock_);
    most_in_flight_ = std::max(most_in_flight_, ++in_flight_);
    in_flight_bytes_ += bytes;
  }
  untaken_.push_back(page);
  untaken_bytes_ += page->bytes;
  if (layout_pool_) {
    PendingPage* raw = page.get();
    // A large page is laid out before the small ones waiting: it takes as
    // long as dozens of them, and started last it would end the run alone.
    auto post_layout = [this, raw, bytes] {
      if (bytes >= kLongPageBytes)
        layout_pool_->PostAhead([this, raw] { LayOut(*raw); });
      else
        layout_pool_->Post([this, raw] { LayOut(*raw); });
    };
    if (read)
      reader_thread_->Post([read, post_layout] {
        // A read that fails leaves it to the parse to find out.
        try {
          read();
        } catch (const std::exception&) {
        }
        post_layout();
      });
    else
      post_layout();
  }
  if (outside_folder && page->use_current) {
    // Its positions too are named through the job's current page, which
    // moves on with the next load: this page is taken at once, with every
    // page before it.
    return TakeAll(job);
  }
  int taken = 0;
  while (!untaken_.empty() &&
         (untaken_.size() > size_t(kTakeLag) || untaken_bytes_ > kTakeLagBytes))
    taken += TakeFront(job);
  return taken;
}

int PdfConversion::TakeFront(IPdfJob* job) {
  PagePtr front = untaken_.front();
  untaken_.pop_front();
  untaken_bytes_ -= front->bytes;
  return Take(job, front);
}

int PdfConversion::TakeAll(IPdfJob* job) {
  int taken = 0;
  while (!untaken_.empty()) taken += TakeFront(job);
  return taken;
}

int PdfConversion::TakeUntilWanted(IPdfJob* job, bool* left) {
  int taken = 0;
  while (!untaken_.empty()) {
    taken += TakeFront(job);
    FolderFileRec* wanted = nullptr;
    if (NS_SUCCEEDED(job->GetNextExtraPage(&wanted)) && wanted) break;
  }
  *left = !untaken_.empty();
  return taken;
}

void PdfConversion::LayOut(PendingPage& page) {
  using tw::stats::Stage;
  using tw::stats::StageTimer;
  bool failed = false;
  try {
    const double content_w = (geometry_.right - geometry_.left) / kPointsPerPx;
    const double content_h = (geometry_.top - geometry_.bottom) / kPointsPerPx;
    // Style sheets see a print medium of the page box, as a browser's print.
    tw::layout::LayoutOptions layout_options;
    layout_options.media.type = tw::layout::MediaContext::Type::Print;
    layout_options.media.width = float(content_w);
    layout_options.media.height = float(content_h);
    // The layout and the document go as soon as the page's lists are made,
    // before they are painted (a long page's boxes and nodes take as much
    // memory as its lists), on the thread that made the layout (freeing
    // here is cheaper than on the writer's); the images the lists show stay
    // until the page is written.
    std::unique_ptr<tw::layout::HtmlLayout> made(new tw::layout::HtmlLayout(*host_, layout_options));
    struct Release {
      PendingPage& page;
      std::unique_ptr<tw::layout::HtmlLayout>& layout;
      void now() {
        PdfLayoutHost::DeferReleasesOnThisThread(&page.images);
        layout.reset();
        PdfLayoutHost::DeferReleasesOnThisThread(nullptr);
        page.doc.reset();
        page.parse = nullptr;
      }
      ~Release() { now(); }
    } release{page, made};
    page.doc = page.parse();
    if (!page.doc) throw std::bad_alloc();  // the page could not be parsed
    tw::layout::HtmlLayout& layout = *made;
    layout.load(*page.doc, page.page_url);
    StageTimer layout_time(Stage::Layout);
    // Content wider than the page (wide tables, long preformatted lines) is
    // scaled down to the page's width, within limits, rather than cut off.
    page.scale = layout.layoutForPrint(float(content_w));
    layout_time.stop();
    StageTimer paginate_time(Stage::Paginate);
    const std::vector<tw::layout::PageSlice> slices =
        layout.paginate(float(content_h / page.scale));
    paginate_time.stop();
    // Painted straight into the PDF pages' lists: the whole page's list of
    // items is never made.
    StageTimer list_time(Stage::DisplayList);
    page.parts = layout.paintPages(slices);
    list_time.stop();
    release.now();
    Paint(page);
  } catch (const std::exception&) {
    // Out of memory on one page: that page is missing from the PDF, the
    // conversion goes on, as on one thread.
    failed = true;
  }
  if (failed) {
    page.parts.clear();
    page.painted.clear();
    page.image_requests.clear();
  }
  std::lock_guard<Mutex> hold(lock_);
  page.failed = failed;
  page.laid_out = true;
  changed_.notify_all();
}

void PdfConversion::Paint(PendingPage& page) {
  tw::stats::StageTimer paint_time(tw::stats::Stage::PdfPaint);
  const size_t n = page.parts.size();
  page.painted.clear();
  page.painted.reserve(n);
  for (size_t i = 0; i < n; ++i) page.painted.emplace_back(geometry_.width, geometry_.height);
  page.image_requests.assign(n, {});
  auto paint = [this, &page](size_t i) {
    Page& pdf = page.painted[i];
    tw::layout::DisplayList& part = page.parts[i];
    PagePainting resources(*host_, pdf, page.image_requests[i]);
    PdfPagePainter(resources, *host_, pdf, geometry_, page.scale).Paint(part);
    pdf.Trim();
    // Of the list only its links and positions are still wanted, when the
    // page is taken: the rest goes now, on this thread.
    std::vector<tw::layout::DisplayItem>().swap(part.items);
    std::vector<tw::layout::FontDesc>().swap(part.fonts);
    std::vector<tw::layout::DisplayImage>().swap(part.images);
  };
  const int helpers = layout_pool_ ? std::min<int>(layout_threads_ - 1, int(n / kPartsPerPainter)) : 0;
  if (helpers <= 0) {
    for (size_t i = 0; i < n; ++i) paint(i);
    return;
  }
  // A long page's PDF pages are painted by the layout threads that are free
  // too: each thread takes the next page not started, this one included,
  // and this one waits only for pages others have started. A helper that
  // comes late finds nothing left and touches nothing of the page.
  struct Shared {
    std::atomic<size_t> next{0};
    size_t done = 0;
    bool failed = false;
    Mutex lock;
    Condition finished;
  };
  auto shared = std::make_shared<Shared>();
  auto work = [shared, paint, n] {
    for (size_t i; (i = shared->next.fetch_add(1)) < n;) {
      bool ok = true;
      try {
        tw::stats::StageTimer part_time(tw::stats::Stage::PdfPaint);
        paint(i);
      } catch (const std::exception&) {
        ok = false;
      }
      std::lock_guard<Mutex> hold(shared->lock);
      if (!ok) shared->failed = true;
      if (++shared->done == n) shared->finished.notify_all();
    }
  };
  for (int h = 0; h < helpers; ++h) layout_pool_->PostFirst(work);
  paint_time.stop();
  work();
  std::unique_lock<Mutex> hold(shared->lock);
  shared->finished.wait(hold, [&] { return shared->done == n; });
  if (shared->failed) throw std::bad_alloc();
}

int PdfConversion::Take(IPdfJob* job, const PagePtr& page) {
  if (layout_pool_) {
    tw::stats::StageTimer wait_time(tw::stats::Stage::WaitLayout);
    std::unique_lock<Mutex> hold(lock_);
    changed_.wait(hold, [&] { return page->laid_out; });
  } else {
    LayOut(*page);
  }
  // The ids of its positions and links, in the order of its pages; named
  // positions first, so that a link to a position of this same page finds
  // the id the position got.
  tw::stats::StageTimer ids_time(tw::stats::Stage::TakeIds);
  const PageGeometry& g = geometry_;
  const double k = kPointsPerPx * page->scale;
  auto X = [&](double x) { return g.left + x * k; };
  auto Y = [&](double y) { return g.top - y * k; };
  page->anchors.resize(page->parts.size());
  page->links.resize(page->parts.size());
  for (size_t p = 0; p < page->parts.size(); ++p) {
    const tw::layout::DisplayList& list = page->parts[p];
    for (const tw::layout::DisplayAnchor& a : list.anchors) {
      if (a.name.empty()) continue;
      int id = IdOf(job, page->page_url, a.name.c_str(), page->use_current);
      if (id <= 0) continue;
      page->anchors[p].push_back(
          PendingPage::Anchor{id, std::max(0.0, X(a.x)), std::min(g.height, std::max(0.0, Y(a.y)))});
    }
    for (const tw::layout::DisplayLink& l : list.links) {
      // Only the part of the link inside the content box counts.
      double x0 = std::max(g.left, X(l.rect.x)), x1 = std::min(g.right, X(l.rect.right()));
      double y0 = std::max(g.bottom, Y(l.rect.bottom())), y1 = std::min(g.top, Y(l.rect.y));
      if (!(x1 > x0) || !(y1 > y0)) continue;
      std::string target;
      switch (ClassifyLink(l.url.empty() ? l.href : l.url, &target)) {
        case LinkKind::kInternal: {
          int id = TargetId(job, target);
          if (id > 0)
            page->links[p].push_back(PendingPage::Link{x0, y0, x1, y1, LinkKind::kInternal, {}, id});
          break;
        }
        case LinkKind::kUri:
          page->links[p].push_back(PendingPage::Link{x0, y0, x1, y1, LinkKind::kUri, target, 0});
          break;
        case LinkKind::kNone:
          break;
      }
    }
  }
  ids_time.stop();
  const int pages = int(page->painted.size());
  if (writer_thread_) {
    PagePtr keep = page;
    writer_thread_->Post([this, keep] { Write(*keep); });
  } else {
    Write(*page);
  }
  return pages;
}

void PdfConversion::Write(PendingPage& pending) {
  using tw::stats::Stage;
  using tw::stats::StageTimer;
  bool failed;
  {
    std::lock_guard<Mutex> hold(lock_);
    failed = write_failed_;
  }
  int written = 0;
  try {
    for (size_t p = 0; p < pending.painted.size() && !failed; ++p) {
      StageTimer write_time(Stage::PdfWrite);
      Page& page = writer_.BeginPage(std::move(pending.painted[p]));
      Bind(page, pending, p);
      if (p == 0 && pending.top_id > 0) {
        page.DefineDestination(std::to_string(pending.top_id), 0, geometry_.height);
        Define(pending.top_id);
      }
      FinishPage(page, pending, p);
      if (!writer_.EndPage()) failed = true;
      else ++written;
    }
  } catch (const std::exception&) {
    // Out of memory while writing: the page's remaining PDF pages are
    // missing, as on one thread.
  }
  tw::stats::count(tw::stats::Count::PdfPages, uint64_t(written));
  // What the page held goes now, not when the last reference does; with
  // threads, on a layout thread (freeing a page's lists costs about as much
  // as painting them, and the writer is the one thread all pages pass).
  if (layout_pool_) {
    auto parts = std::make_shared<std::vector<tw::layout::DisplayList>>(std::move(pending.parts));
    layout_pool_->Post([parts]() mutable { parts.reset(); });
  }
  pending.parts.clear();
  pending.parts.shrink_to_fit();
  pending.painted.clear();
  pending.painted.shrink_to_fit();
  pending.image_requests.clear();
  host_->ReleaseLater(pending.images);
  pending.images.clear();
  std::lock_guard<Mutex> hold(lock_);
  if (failed || writer_.failed()) write_failed_ = true;
  pages_written_ += written;
  --in_flight_;
  in_flight_bytes_ -= pending.bytes;
  changed_.notify_all();
}

void PdfConversion::WaitForWriter(int pages_at_most, size_t bytes_at_most) {
  tw::stats::StageTimer wait_time(tw::stats::Stage::WaitWriter);
  std::unique_lock<Mutex> hold(lock_);
  changed_.wait(hold, [&] {
    return in_flight_ <= pages_at_most && (in_flight_bytes_ <= bytes_at_most || in_flight_ == 0);
  });
}

bool PdfConversion::Finish(IPdfJob* job, std::string* error) {
  tw::stats::StageTimer finish_time(tw::stats::Stage::Finish);
  // Bookmarks: one per contents record, nested as the records are; a
  // record's value keeps its bookmark for the records inside it. They are
  // made, and their ids asked of the job, while the last pages are still
  // laid out; where they lead is known once every page is written.
  struct Bookmark {
    int item;
    TocIds ids;
  };
  std::vector<Bookmark> bookmarks;
  bool failed;
  {
    std::lock_guard<Mutex> hold(lock_);
    failed = write_failed_;
  }
  if (job && !failed) {
    std::set<int> items;
    for (int guard = 0; guard < 50000000; ++guard) {
      TocRecord* rec = nullptr;
      if (NS_FAILED(job->GetNextPendingTocRecord(&rec)) || !rec) break;
      int parent = 0;
      if (rec->parent && rec->parent->handled && items.count(rec->parent->value))
        parent = rec->parent->value;
      const int item = writer_.AddOutlineItem(parent, Utf8Of(rec->name));
      bookmarks.push_back(Bookmark{item, TocIdsOf(job, rec->page)});
      items.insert(item);
      job->SetPendingTocRecordValue(item);
      rec->handled = 1;
    }
  }
  TakeAll(job);
  WaitForWriter(0, 0);
  EnsureOpen();
  for (const Bookmark& b : bookmarks) writer_.SetOutlineTarget(b.item, TocTarget(b.ids));
  bool ok = writer_.Close();
  opened_ = false;
  if (!ok && error) {
    *error = writer_.error().empty() ? "the PDF file could not be written" : writer_.error();
    if (path_.empty()) *error = "no PDF file was named";
  }
  return ok;
}

}  // namespace twpdf
