// pdf_conversion.cpp - laying out loaded pages and writing them as PDF pages.
#include "pdf_conversion.h"

#include <windows.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <cstdio>
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

}  // namespace

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
  if (job) job->SetStringA(token_.c_str());
}

PdfConversion::~PdfConversion() {
  if (opened_ && !writer_.failed()) writer_.Abort();
}

bool PdfConversion::BelongsTo(IPdfJob* job) const {
  JobText text;
  return job && text.Get(job, &IPdfJob::GetStringA) == token_;
}

bool PdfConversion::EnsureOpen() {
  if (!opened_) {
    opened_ = true;
    writer_.Open(path_);  // an empty path fails, and Close then says so
  }
  return !writer_.failed();
}

int PdfConversion::WriterFont(const std::string& face, int weight, bool italic) {
  std::string key = face + '|' + std::to_string(weight) + '|' + (italic ? '1' : '0');
  auto it = fonts_.find(key);
  if (it != fonts_.end()) return it->second;
  int id = -1;
  std::shared_ptr<const TrueTypeFont> ttf = host_->FontFor(face, weight, italic);
  if (ttf) {
    // Faces that end up as one installed font (a missing face replaced by
    // the same fallback as another) share one embedded font.
    const SyntheticStyle style = SyntheticStyle::For(*ttf, weight, italic);
    std::string same = "\x01" + ttf->postscript_name() + '|' + std::to_string(ttf->glyph_count()) +
                       '|' + (style.bold ? 'b' : '-') + (style.italic ? 'i' : '-');
    auto found = fonts_.find(same);
    if (found != fonts_.end()) {
      id = found->second;
    } else {
      id = writer_.AddFont(ttf, nullptr, style);
      if (id >= 0) fonts_[same] = id;
    }
  }
  if (id < 0) {
    if (standard_font_ < 0) standard_font_ = writer_.AddStandardFont();
    id = standard_font_;
  }
  fonts_[key] = id;
  return id;
}

int PdfConversion::WriterImage(const tw::layout::DisplayList& list, int index) {
  if (index < 0 || size_t(index) >= list.images.size()) return -1;
  const tw::layout::DisplayImage& di = list.images[size_t(index)];
  std::string key = di.url.empty() ? "#" + std::to_string(di.handle) : di.url;
  auto it = images_.find(key);
  if (it != images_.end()) return it->second;
  int id = -1;
  std::string bytes;
  // A JPEG file goes in as it is; everything else as decoded pixels.
  if (ReadSmallFile(PdfLayoutHost::PathFromUrl(di.url), &bytes) && IsJpeg(bytes))
    id = writer_.AddJpeg(bytes);
  if (id < 0) {
    const tw::layout::GdiImage* img = PdfLayoutHost::Image(di.handle);
    DIBSECTION ds = {};
    if (img && img->bitmap && GetObjectA(img->bitmap, sizeof ds, &ds) == sizeof ds &&
        ds.dsBm.bmBits && ds.dsBm.bmBitsPixel == 32) {
      id = writer_.AddBgraImage(img->width, img->height, ds.dsBm.bmBits,
                                size_t(ds.dsBm.bmWidthBytes), true);
    }
  }
  if (images_.size() < 100000) images_[key] = id;
  return id;
}

int PdfConversion::TileBlock(const tw::layout::DisplayList& list, int index, double across,
                             double down, int* rx, int* ry) {
  *rx = *ry = 1;
  if (index < 0 || size_t(index) >= list.images.size()) return -1;
  const tw::layout::DisplayImage& di = list.images[size_t(index)];
  const tw::layout::GdiImage* img = PdfLayoutHost::Image(di.handle);
  DIBSECTION ds = {};
  if (!img || !img->bitmap || GetObjectA(img->bitmap, sizeof ds, &ds) != sizeof ds ||
      !ds.dsBm.bmBits || ds.dsBm.bmBitsPixel != 32 || img->width <= 0 || img->height <= 0)
    return -1;
  // Blocks of about kTileBlockPx pixels a side; one size per image and
  // direction, so that every band of a page shares the same few blocks.
  const int w = img->width, h = img->height;
  const int bx = across > 1 ? std::max(1, kTileBlockPx / w) : 1;
  const int by = down > 1 ? std::max(1, kTileBlockPx / h) : 1;
  if (bx * by == 1) return -1;
  const std::string key = (di.url.empty() ? "#" + std::to_string(di.handle) : di.url) + "\n" +
                          std::to_string(bx) + "x" + std::to_string(by);
  auto it = images_.find(key);
  int id = -1;
  if (it != images_.end()) {
    id = it->second;
  } else {
    const size_t stride = size_t(ds.dsBm.bmWidthBytes), row = size_t(w) * 4;
    std::string pixels(row * bx * size_t(h) * by, '\0');
    const char* bits = static_cast<const char*>(ds.dsBm.bmBits);
    for (int y = 0; y < h * by; ++y)
      for (int i = 0; i < bx; ++i)
        std::memcpy(&pixels[(size_t(y) * bx + i) * row], bits + size_t(y % h) * stride, row);
    id = writer_.AddBgraImage(w * bx, h * by, pixels.data(), row * bx, true);
    if (images_.size() < 100000) images_[key] = id;
  }
  if (id >= 0) {
    *rx = bx;
    *ry = by;
  }
  return id;
}

int PdfConversion::TargetId(IPdfJob* job, const std::string& url) {
  auto it = target_ids_.find(url);
  if (it != target_ids_.end()) return it->second;
  int id = 0;
  if (NS_FAILED(job->AddLinkTarget(url.c_str(), &id)) || id < 0) id = 0;
  target_ids_.emplace(url, id);
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

LinkTarget PdfConversion::TocTarget(IPdfJob* job, const char* page) {
  if (!page || !*page) return LinkTarget();
  std::string ref = NS_EscapeFilePath(page);
  int id = 0;
  if ((id = TargetId(job, ref)) > 0 && defined_.count(id))
    return LinkTarget::Named(std::to_string(id));
  // The entry's anchor is not on its page: the page's top.
  size_t hash = ref.find('#');
  if (hash != std::string::npos) {
    id = 0;
    if ((id = TargetId(job, ref.substr(0, hash))) > 0 && defined_.count(id))
      return LinkTarget::Named(std::to_string(id));
  }
  return LinkTarget();
}

void PdfConversion::PaintPage(IPdfJob* job, Page& page, const tw::layout::DisplayList& list,
                              double scale, const std::string& url) {
  const PageGeometry& g = geometry_;
  PdfPagePainter painter(*this, *host_, page, g, scale);
  painter.Paint(list);

  // Named positions first, so that a link to a position of this same page
  // finds the id the position got.
  for (const tw::layout::DisplayAnchor& a : list.anchors) {
    if (a.name.empty()) continue;
    int id = IdOf(job, url, a.name.c_str(), true);
    if (id <= 0) continue;
    double top = std::min(g.height, std::max(0.0, painter.Y(a.y)));
    page.DefineDestination(std::to_string(id), std::max(0.0, painter.X(a.x)), top);
    defined_.insert(id);
  }
  for (const tw::layout::DisplayLink& l : list.links) {
    // Only the part of the link inside the content box counts.
    double x0 = std::max(g.left, painter.X(l.rect.x)), x1 = std::min(g.right, painter.X(l.rect.right()));
    double y0 = std::max(g.bottom, painter.Y(l.rect.bottom())), y1 = std::min(g.top, painter.Y(l.rect.y));
    if (!(x1 > x0) || !(y1 > y0)) continue;
    std::string target;
    switch (ClassifyLink(l.url.empty() ? l.href : l.url, &target)) {
      case LinkKind::kInternal: {
        int id = TargetId(job, target);
        if (id > 0)
          page.AddLink(x0, y0, x1, y1, LinkTarget::Named(std::to_string(id)));
        break;
      }
      case LinkKind::kUri:
        page.AddUriLink(x0, y0, x1, y1, target);
        break;
      case LinkKind::kNone:
        break;
    }
  }

  // Header and footer, their codes filled in for this page.
  PageSetup fields = setup_;
  const int number = page.index() + 1;
  for (std::string* s : {&fields.header_left, &fields.header_center, &fields.header_right,
                         &fields.footer_left, &fields.footer_center, &fields.footer_right})
    *s = ExpandFieldCodes(*s, number, date_, url);
  if (header_font_ < 0) {
    const std::string face = host_->ResolveFamily("Arial, sans-serif");
    header_font_ = WriterFont(face, 400, false);
  }
  DecoratePage(writer_, page, fields, g, header_font_);
}

int PdfConversion::AddPage(IPdfJob* job, const tw::html::Document& doc, const std::string& url) {
  if (!job || !EnsureOpen()) return 0;
  // The page's own URL, without the fragment it was loaded with.
  const std::string page_url = url.substr(0, url.find('#'));
  // The job copies its current page without a length: a buffer as large as
  // the job allows, made once per conversion rather than once per page.
  if (current_buffer_.empty()) current_buffer_.assign(kCurrentPageBuffer, '\0');
  current_buffer_[0] = '\0';
  job->GetCurrentPage(&current_buffer_[0]);
  current_buffer_.back() = '\0';
  // The job's own naming through its current page works only when that
  // page is the one loaded, without a fragment.
  const std::string current_page(&current_buffer_[0]);
  const bool use_current = !current_page.empty() && current_page.find('#') == std::string::npos;

  const double content_w = (geometry_.right - geometry_.left) / kPointsPerPx;
  const double content_h = (geometry_.top - geometry_.bottom) / kPointsPerPx;
  // Style sheets see a print medium of the page box, as a browser's print.
  tw::layout::LayoutOptions layout_options;
  layout_options.media.type = tw::layout::MediaContext::Type::Print;
  layout_options.media.width = float(content_w);
  layout_options.media.height = float(content_h);
  using tw::stats::Stage;
  using tw::stats::StageTimer;
  tw::layout::HtmlLayout layout(*host_, layout_options);
  layout.load(doc, page_url);
  StageTimer layout_time(Stage::Layout);
  // Content wider than the page (wide tables, long preformatted lines) is
  // scaled down to the page's width, within limits, rather than cut off.
  const double scale = layout.layoutForPrint(float(content_w));
  layout_time.stop();
  StageTimer list_time(Stage::DisplayList);
  const tw::layout::DisplayList whole = layout.paint();
  list_time.stop();
  StageTimer paginate_time(Stage::Paginate);
  const std::vector<tw::layout::PageSlice> slices = layout.paginate(float(content_h / scale));
  paginate_time.stop();

  int written = 0;
  int top_id = IdOf(job, page_url, nullptr, use_current);
  for (const tw::layout::PageSlice& slice : slices) {
    StageTimer slice_time(Stage::Paginate);
    tw::layout::DisplayList part = tw::layout::sliceDisplayList(whole, slice, layout.width());
    slice_time.stop();
    StageTimer paint_time(Stage::PdfPaint);
    Page& page = writer_.BeginPage(geometry_.width, geometry_.height);
    if (written == 0 && top_id > 0) {
      page.DefineDestination(std::to_string(top_id), 0, geometry_.height);
      defined_.insert(top_id);
    }
    PaintPage(job, page, part, scale, url);
    paint_time.stop();
    StageTimer write_time(Stage::PdfWrite);
    if (!writer_.EndPage()) break;
    ++written;
  }
  tw::stats::count(tw::stats::Count::PdfPages, uint64_t(written));
  return written;
}

bool PdfConversion::Finish(IPdfJob* job, std::string* error) {
  tw::stats::StageTimer finish_time(tw::stats::Stage::Finish);
  EnsureOpen();
  // Bookmarks: one per contents record, nested as the records are; a
  // record's value keeps its bookmark for the records inside it.
  if (job && !writer_.failed()) {
    std::set<int> items;
    for (int guard = 0; guard < 50000000; ++guard) {
      TocRecord* rec = nullptr;
      if (NS_FAILED(job->GetNextPendingTocRecord(&rec)) || !rec) break;
      int parent = 0;
      if (rec->parent && rec->parent->handled && items.count(rec->parent->value))
        parent = rec->parent->value;
      std::string title = Utf8Of(rec->name);
      int item = writer_.AddOutlineItem(parent, title, TocTarget(job, rec->page));
      items.insert(item);
      job->SetPendingTocRecordValue(item);
      rec->handled = 1;
    }
  }
  bool ok = writer_.Close();
  opened_ = false;
  if (!ok && error) {
    *error = writer_.error().empty() ? "the PDF file could not be written" : writer_.error();
    if (path_.empty()) *error = "no PDF file was named";
  }
  return ok;
}

}  // namespace twpdf
