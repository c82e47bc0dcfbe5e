// pdf_layout_host.cpp - fonts and measurement for PDF pages.
#include "pdf_layout_host.h"

#include <algorithm>

#include "pdf_standard_font.h"
#include "pdf_truetype.h"

namespace twpdf {

PdfLayoutHost::PdfLayoutHost() = default;
PdfLayoutHost::~PdfLayoutHost() = default;

std::string PdfLayoutHost::ResolveFamily(const std::string& css) {
  auto it = families_.find(css);
  if (it != families_.end()) return it->second;
  std::string face = gdi_.resolveFamily(css);
  if (families_.size() < 1024) families_[css] = face;
  return face;
}

std::shared_ptr<const TrueTypeFont> PdfLayoutHost::FontFor(const std::string& face, int weight,
                                                           bool italic, std::string* used_face) {
  std::string used;
  std::shared_ptr<const TrueTypeFont> font = fonts_.Load(face, weight, italic, &used);
  if (used_face) *used_face = font ? used : face;
  return font;
}

tw::layout::FontHandle PdfLayoutHost::openFont(const tw::layout::FontRequest& request,
                                               tw::layout::FontMetrics* metrics) {
  const int weight = std::max(100, std::min(900, request.weight));
  const float size = std::max(1.0f, std::min(2000.0f, request.size));
  const std::string face = ResolveFamily(request.family);
  auto key = std::make_tuple(face, weight, request.italic, size);
  auto it = open_.find(key);
  PdfHostFont* f;
  if (it != open_.end()) {
    f = it->second.get();
  } else {
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
      w = float(double(f->ttf->AdvanceWidth(f->ttf->GlyphForCodePoint(cp))) * f->size /
                f->ttf->units_per_em());
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
  return gdi_.loadImage(url, width, height);
}

void PdfLayoutHost::releaseImage(tw::layout::ImageHandle image) { gdi_.releaseImage(image); }

bool PdfLayoutHost::loadText(const std::string& url, std::string* bytes) {
  return gdi_.loadText(url, bytes);
}

}  // namespace twpdf
