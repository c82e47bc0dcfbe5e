// pdf_layout_host.cpp - fonts and measurement for PDF pages.
#include "pdf_layout_host.h"

#include <windows.h>

#include <algorithm>

#include "layout/css.h"
#include "pdf_standard_font.h"
#include "pdf_truetype.h"
#include "stage_clock.h"

namespace twpdf {
namespace {

// Faces of wide coverage, tried in this order for characters a page's font
// lacks: Windows' pan-Unicode, symbol and East Asian faces, then common
// faces of other systems.
const char* const kFallbackFaces[] = {
    "Arial Unicode MS", "Segoe UI",     "Segoe UI Symbol", "Microsoft YaHei", "SimSun",
    "MS Gothic",        "Malgun Gothic", "Gulim",          "MingLiU",         "Nirmala UI",
    "Tahoma",           "DejaVu Sans",  "Noto Sans",       "Noto Sans CJK SC", "Droid Sans Fallback",
};

bool SameFace(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    char x = a[i], y = b[i];
    if (x >= 'A' && x <= 'Z') x = char(x + 32);
    if (y >= 'A' && y <= 'Z') y = char(y + 32);
    if (x != y) return false;
  }
  return true;
}

}  // namespace

PdfLayoutHost::PdfLayoutHost() = default;

PdfLayoutHost::~PdfLayoutHost() {
  for (tw::layout::ImageHandle h : cached_handles_) gdi_.releaseImage(h);
}

bool PdfLayoutHost::StampOf(const std::string& url, FileStamp* stamp) {
  return tw::layout::GdiHost::fileStamp(url, &stamp->time, &stamp->size);
}

std::string PdfLayoutHost::ResolveFamily(const std::string& css) {
  std::lock_guard<std::recursive_mutex> hold(lock_);
  auto it = families_.find(css);
  if (it != families_.end()) return it->second;
  std::string face = gdi_.resolveFamily(css);
  if (families_.size() < 1024) families_[css] = face;
  return face;
}

std::shared_ptr<const TrueTypeFont> PdfLayoutHost::FontFor(const std::string& face, int weight,
                                                           bool italic, std::string* used_face) {
  std::lock_guard<std::recursive_mutex> hold(lock_);
  std::string used;
  std::shared_ptr<const TrueTypeFont> font = fonts_.Load(face, weight, italic, &used);
  if (used_face) *used_face = font ? used : face;
  return font;
}

const PdfLayoutHost::Fallback* PdfLayoutHost::FallbackFor(const TrueTypeFont* font, char32_t cp,
                                                          int weight, bool italic) {
  if (!font || cp <= 0x20 || (cp >= 0x7F && cp <= 0xA0) || cp == 0x200B || cp == 0xFEFF ||
      (cp >= 0x2000 && cp <= 0x200F) || font->GlyphForCodePoint(cp) != 0)
    return nullptr;
  std::lock_guard<std::recursive_mutex> hold(lock_);
  auto key = std::make_tuple(cp, weight, italic);
  auto it = fallback_choice_.find(key);
  int choice = -1;
  if (it != fallback_choice_.end()) {
    choice = it->second;
  } else {
    const size_t n = sizeof kFallbackFaces / sizeof kFallbackFaces[0];
    for (size_t i = 0; i < n && choice < 0; ++i) {
      auto fkey = std::make_tuple(i, weight, italic);
      auto found = fallback_fonts_.find(fkey);
      if (found == fallback_fonts_.end()) {
        std::unique_ptr<Fallback> made(new Fallback());
        std::string used;
        // Only installed faces are read (a missing one would be read as its
        // replacement, for nothing).
        if (SameFace(gdi_.resolveFamily(kFallbackFaces[i]), kFallbackFaces[i]))
          made->ttf = fonts_.Load(kFallbackFaces[i], weight, italic, &used);
        // A face that is not installed comes back replaced: not this one.
        if (!made->ttf || !SameFace(used, kFallbackFaces[i])) made.reset();
        else made->face = used;
        found = fallback_fonts_.emplace(fkey, std::move(made)).first;
      }
      if (found->second && found->second->ttf->GlyphForCodePoint(cp) != 0) choice = int(i);
    }
    if (fallback_choice_.size() < 65536) fallback_choice_[key] = choice;
  }
  if (choice < 0) return nullptr;
  return fallback_fonts_[std::make_tuple(size_t(choice), weight, italic)].get();
}

tw::layout::FontHandle PdfLayoutHost::openFont(const tw::layout::FontRequest& request,
                                               tw::layout::FontMetrics* metrics) {
  const int weight = std::max(100, std::min(900, request.weight));
  const float size = std::max(1.0f, std::min(2000.0f, request.size));
  std::lock_guard<std::recursive_mutex> hold(lock_);
  const std::string face = ResolveFamily(request.family);
  auto key = std::make_tuple(face, weight, request.italic, size);
  auto it = open_.find(key);
  PdfHostFont* f;
  if (it != open_.end()) {
    f = it->second.get();
  } else {
    tw::stats::count(tw::stats::Count::FontOpens);
    std::unique_ptr<PdfHostFont> made(new PdfHostFont());
    made->ttf = FontFor(face, weight, request.italic, &made->face);
    made->size = size;
    made->weight = weight;
    made->italic = request.italic;
    f = made.get();
    open_[key] = std::move(made);
  }
  if (metrics) {
    metrics->face = f->face;
    if (f->ttf && f->ttf->units_per_em() > 0) {
      const double scale = double(size) / f->ttf->units_per_em();
      metrics->ascent = float(std::max(0, f->ttf->ascent()) * scale);
      metrics->descent = float(std::max(0, -f->ttf->descent()) * scale);
    } else {  // Helvetica
      metrics->ascent = size * 0.718f;
      metrics->descent = size * 0.207f;
    }
    if (!(metrics->ascent + metrics->descent > 0)) {
      metrics->ascent = size * 0.8f;
      metrics->descent = size * 0.2f;
    }
    metrics->xHeight = 0;
  }
  return reinterpret_cast<tw::layout::FontHandle>(f);
}

void PdfLayoutHost::releaseFont(tw::layout::FontHandle) {
  // Fonts stay open for the next page of the conversion; there is one entry
  // per face, weight, slant and size used.
}

void PdfLayoutHost::measureChars(tw::layout::FontHandle handle, const char16_t* text, size_t n,
                                 float* advances) {
  const PdfHostFont* f = reinterpret_cast<const PdfHostFont*>(handle);
  for (size_t i = 0; i < n; ++i) {
    char32_t cp = text[i];
    bool pair = false;
    if (cp >= 0xD800 && cp < 0xDC00 && i + 1 < n && text[i + 1] >= 0xDC00 && text[i + 1] < 0xE000) {
      cp = 0x10000 + ((cp - 0xD800) << 10) + (char32_t(text[i + 1]) - 0xDC00);
      pair = true;
    } else if (cp >= 0xD800 && cp < 0xE000) {
      cp = 0xFFFD;  // a lone surrogate goes out as U+FFFD
    }
    float w = 0;
    if (!f) {
      w = 0;
    } else if (f->ttf && f->ttf->units_per_em() > 0) {
      const TrueTypeFont* ttf = f->ttf.get();
      if (const Fallback* fb = FallbackFor(ttf, cp, f->weight, f->italic)) ttf = fb->ttf.get();
      w = float(double(ttf->AdvanceWidth(ttf->GlyphForCodePoint(cp))) * f->size /
                ttf->units_per_em());
    } else {
      unsigned char b = '?';
      WinAnsiByte(cp, b);
      w = float(HelveticaWidth(b) * double(f->size) / 1000);
    }
    advances[i] = w;
    if (pair) advances[++i] = 0;
  }
}

tw::layout::ImageHandle PdfLayoutHost::loadImage(const std::string& url, int* width, int* height) {
  // The file's stamp is asked outside the lock: layouts on other threads
  // ask for theirs meanwhile.
  FileStamp stamp;
  const bool stamped = StampOf(url, &stamp);
  std::lock_guard<std::recursive_mutex> hold(lock_);
  if (!stamped) return gdi_.loadImage(url, width, height);
  auto it = images_.find(url);
  if (it != images_.end() && it->second.stamp == stamp) {
    if (width) *width = it->second.width;
    if (height) *height = it->second.height;
    return it->second.handle;
  }
  int w = 0, h = 0;
  tw::layout::ImageHandle handle = gdi_.loadImage(url, &w, &h);
  if (width) *width = w;
  if (height) *height = h;
  const uint64_t pixels = handle ? uint64_t(w) * uint64_t(h) : 0;
  if (image_pixels_ + pixels > kMaxCachedPixels || images_.size() >= 4096) return handle;
  // The handle of an older version of the file stays with the host: a page
  // may still show it.
  image_pixels_ += pixels;
  if (handle) cached_handles_.insert(handle);
  CachedImage& c = images_[url];
  c.stamp = stamp;
  c.handle = handle;
  c.width = w;
  c.height = h;
  return handle;
}

namespace {
thread_local std::vector<tw::layout::ImageHandle>* t_deferred_releases = nullptr;
}

void PdfLayoutHost::DeferReleasesOnThisThread(std::vector<tw::layout::ImageHandle>* later) {
  t_deferred_releases = later;
}

void PdfLayoutHost::ReleaseLater(const std::vector<tw::layout::ImageHandle>& later) {
  std::lock_guard<std::recursive_mutex> hold(lock_);
  for (tw::layout::ImageHandle image : later)
    if (image && !cached_handles_.count(image)) gdi_.releaseImage(image);
}

void PdfLayoutHost::releaseImage(tw::layout::ImageHandle image) {
  if (!image) return;
  if (t_deferred_releases) {
    t_deferred_releases->push_back(image);
    return;
  }
  std::lock_guard<std::recursive_mutex> hold(lock_);
  if (cached_handles_.count(image)) return;  // kept for later pages
  gdi_.releaseImage(image);
}

bool PdfLayoutHost::loadText(const std::string& url, std::string* bytes) {
  return tw::layout::GdiHost::readText(url, bytes);
}

std::shared_ptr<const tw::layout::StyleSheet> PdfLayoutHost::loadStyleSheet(const std::string& url) {
  FileStamp stamp;
  if (!StampOf(url, &stamp)) return nullptr;
  {
    std::lock_guard<std::recursive_mutex> hold(lock_);
    auto it = sheets_.find(url);
    if (it != sheets_.end() && it->second.stamp == stamp) return it->second.sheet;
    if (sheet_bytes_ + stamp.size > tw::layout::GdiHost::kMaxCachedSheetBytes ||
        (it == sheets_.end() && sheets_.size() >= tw::layout::GdiHost::kMaxCachedSheets))
      return nullptr;  // not kept: the layout reads and parses it itself
  }
  // Read and parsed outside the lock; two threads that meet a new sheet at
  // once parse it both, and the first keeps it.
  std::string bytes;
  if (!tw::layout::GdiHost::readText(url, &bytes)) return nullptr;
  auto sheet = std::make_shared<tw::layout::StyleSheet>();
  tw::layout::parseStyleSheet(bytes, sheet.get());
  std::lock_guard<std::recursive_mutex> hold(lock_);
  CachedSheet& c = sheets_[url];
  if (c.sheet && c.stamp == stamp) return c.sheet;
  if (c.sheet) sheet_bytes_ -= c.sheet->sourceBytes;
  sheet_bytes_ += sheet->sourceBytes;
  // The stamp taken before the read: a file changed meanwhile is read again.
  c.stamp = stamp;
  c.sheet = std::move(sheet);
  return c.sheet;
}

}  // namespace twpdf
