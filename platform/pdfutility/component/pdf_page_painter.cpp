// pdf_page_painter.cpp - fills, borders, text, images and clips of a
// display list as PDF drawing.
#include "pdf_page_painter.h"

#include <algorithm>
#include <cmath>

#include "pdf_document.h"
#include "pdf_layout_host.h"
#include "stage_clock.h"

namespace twpdf {
namespace {

const int kMaxTiles = 4096;

}  // namespace

PdfPagePainter::PdfPagePainter(Resources& resources, PdfLayoutHost& host, Page& page,
                               const PageGeometry& geometry, double scale)
    : resources_(resources),
      host_(host),
      page_(page),
      geometry_(geometry),
      k_(kPointsPerPx * scale),
      fill_(1, tw::layout::Color::transparent()) {}

void PdfPagePainter::SetFill(const tw::layout::Color& c) {
  if (fill_.back() == c) return;
  page_.SetFillColor(c.r / 255.0, c.g / 255.0, c.b / 255.0);
  fill_.back() = c;
}

void PdfPagePainter::Save() {
  page_.SaveState();
  fill_.push_back(fill_.back());
}

void PdfPagePainter::Restore() {
  page_.RestoreState();
  if (fill_.size() > 1) fill_.pop_back();
}

void PdfPagePainter::Paint(const tw::layout::DisplayList& list) {
  using tw::layout::ItemKind;
  const PageGeometry& g = geometry_;
  fonts_.assign(list.fonts.size(), -2);
  faces_.assign(list.fonts.size(), nullptr);

  // The content box clips everything the page shows.
  Save();
  page_.Rectangle(g.left, g.bottom, g.right - g.left, g.top - g.bottom);
  page_.ClipToPath();
  const tw::layout::Color white = tw::layout::Color::rgb(255, 255, 255);
  if (!list.background.isTransparent() && list.background != white) {
    SetFill(list.background);
    page_.FillRect(g.left, g.bottom, g.right - g.left, g.top - g.bottom);
  }
  int clips = 0;
  for (const tw::layout::DisplayItem& it : list.items) {
    const tw::layout::RectF& r = it.rect;
    switch (it.kind) {
      case ItemKind::Fill:
        if (r.empty() || it.color.isTransparent()) break;
        SetFill(it.color);
        page_.FillRect(X(r.x), Y(r.bottom()), r.w * k_, r.h * k_);
        break;
      case ItemKind::Border:
        PaintBorder(it);
        break;
      case ItemKind::RoundFill:
        PaintRoundFill(it);
        break;
      case ItemKind::Text:
        PaintText(list, it);
        break;
      case ItemKind::Image:
        PaintImage(list, it);
        break;
      case ItemKind::ClipBegin:
        Save();
        page_.Rectangle(X(r.x), Y(r.bottom()), std::max(0.0f, r.w) * k_, std::max(0.0f, r.h) * k_);
        page_.ClipToPath();
        ++clips;
        break;
      case ItemKind::ClipEnd:
        if (clips > 0) {
          Restore();
          --clips;
        }
        break;
    }
  }
  while (clips-- > 0) Restore();
  Restore();
}

void PdfPagePainter::PaintBorder(const tw::layout::DisplayItem& it) {
  const tw::layout::RectF& r = it.rect;
  if (r.empty() || it.color.isTransparent()) return;
  const bool across = r.w >= r.h;
  const double thick = across ? r.h : r.w, len = across ? r.w : r.h;
  const bool dotted = it.dash == tw::layout::BorderDash::Dotted;
  const double dash = dotted ? thick : std::max(3 * thick, 3.0);
  if (!(dash > 0)) return;
  // One line stroked with a dash pattern as wide as the band: the same
  // dashes, from the band's left or top end, as a rectangle per dash would
  // give, in a few bytes however long the border (a dotted border of 1 px
  // dots is hundreds of them).
  Save();
  page_.SetStrokeColor(it.color.r / 255.0, it.color.g / 255.0, it.color.b / 255.0);
  page_.SetLineWidth(thick * k_);
  page_.SetDash(dash * k_, dash * k_);
  if (across) {
    const double y = Y(r.y + r.h / 2);
    page_.StrokeLine(X(r.x), y, X(r.x + len), y);
  } else {
    const double x = X(r.x + r.w / 2);
    page_.StrokeLine(x, Y(r.y), x, Y(r.y + len));
  }
  Restore();
}

void PdfPagePainter::PaintRoundFill(const tw::layout::DisplayItem& it) {
  if (it.rect.empty() || it.color.isTransparent()) return;
  // The outline in points, straight onto the page.
  class Outline : public tw::layout::OutlineSink {
   public:
    Outline(const PdfPagePainter& p, Page& page) : p_(p), page_(page) {}
    void moveTo(float x, float y) override { page_.MoveTo(p_.X(x), p_.Y(y)); }
    void lineTo(float x, float y) override { page_.LineTo(p_.X(x), p_.Y(y)); }
    void curveTo(float x1, float y1, float x2, float y2, float x3, float y3) override {
      page_.CurveTo(p_.X(x1), p_.Y(y1), p_.X(x2), p_.Y(y2), p_.X(x3), p_.Y(y3));
    }
    void closeFigure() override { page_.ClosePath(); }

   private:
    const PdfPagePainter& p_;
    Page& page_;
  } outline(*this, page_);
  SetFill(it.color);
  tw::layout::traceRoundFill(it, outline);
  page_.FillEvenOdd();
}

void PdfPagePainter::PaintText(const tw::layout::DisplayList& list,
                               const tw::layout::DisplayItem& it) {
  if (it.text.empty() || it.font < 0 || size_t(it.font) >= list.fonts.size()) return;
  tw::stats::count(tw::stats::Count::TextRuns);
  const tw::layout::FontDesc& fd = list.fonts[size_t(it.font)];
  int& font = fonts_[size_t(it.font)];
  if (font == -2) {
    font = resources_.PageFont(fd.face, fd.weight, fd.italic);
    faces_[size_t(it.font)] = host_.FontFor(fd.face, fd.weight, fd.italic);
  }
  SetFill(it.color);
  ShowRun(it.text, fd, faces_[size_t(it.font)].get(), font, fd.size * k_, X(it.rect.x),
          Y(it.baseline));
}

void PdfPagePainter::PaintImage(const tw::layout::DisplayList& list,
                                const tw::layout::DisplayItem& it) {
  const tw::layout::RectF& r = it.rect;
  if (r.empty()) return;
  int image = resources_.PageImage(list, it.image);
  if (image < 0) return;
  if (!it.tiled || !(it.tileW > 0) || !(it.tileH > 0)) {
    page_.DrawUsedImage(image, X(r.x), Y(r.bottom()), r.w * k_, r.h * k_);
    return;
  }
  double kx0 = std::floor((r.x - it.tileX) / it.tileW);
  double ky0 = std::floor((r.y - it.tileY) / it.tileH);
  double kx1 = std::ceil((r.right() - it.tileX) / it.tileW);
  double ky1 = std::ceil((r.bottom() - it.tileY) / it.tileH);
  if ((kx1 - kx0) * (ky1 - ky0) > kMaxTiles) return;
  // A tile one pixel wide (a vertical gradient repeated across a heading)
  // is the same stretched: one drawing a row, without seams that a viewer
  // may show between blocks. Other small tiles go out as blocks of tiles,
  // a few drawings instead of hundreds.
  int rx = 1, ry = 1;
  const tw::layout::DisplayImage& source = list.images[size_t(it.image)];
  if (source.width == 1 || source.height == 1) {
    if (source.width == 1) rx = int(kx1 - kx0);
    if (source.height == 1) ry = int(ky1 - ky0);
  } else {
    const int block = resources_.PageTileBlock(list, it.image, kx1 - kx0, ky1 - ky0, &rx, &ry);
    if (block >= 0) image = block;
  }
  Save();
  page_.Rectangle(X(r.x), Y(r.bottom()), r.w * k_, r.h * k_);
  page_.ClipToPath();
  for (double ty = ky0; ty < ky1; ty += ry)
    for (double tx = kx0; tx < kx1; tx += rx) {
      double x = it.tileX + tx * it.tileW, y = it.tileY + (ty + ry) * it.tileH;
      page_.DrawUsedImage(image, X(x), Y(y), rx * it.tileW * k_, ry * it.tileH * k_);
    }
  Restore();
}

void PdfPagePainter::ShowRun(const std::u16string& text, const tw::layout::FontDesc& fd,
                             const TrueTypeFont* main, int font, double size, double x,
                             double y) {
  // Most runs are all in their own font: one piece.
  std::vector<char32_t>& cps = code_points_;
  cps.clear();
  cps.reserve(text.size());
  bool mixed = false;
  for (size_t i = 0; i < text.size(); ++i) {
    char32_t cp = text[i];
    if (cp >= 0xD800 && cp < 0xDC00 && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
        text[i + 1] < 0xE000)
      cp = 0x10000 + ((cp - 0xD800) << 10) + (char32_t(text[++i]) - 0xDC00);
    else if (cp >= 0xD800 && cp < 0xE000)
      cp = 0xFFFD;
    cps.push_back(cp);
    if (main && !mixed && main->GlyphForCodePoint(cp) == 0 &&
        host_.FallbackFor(main, cp, fd.weight, fd.italic))
      mixed = true;
  }
  if (!mixed) {
    page_.ShowTextIn(font, size, x, y, cps.data(), cps.size());
    return;
  }
  // Pieces in the run's font and in fallback fonts, each placed where the
  // layout measured it.
  size_t i = 0;
  while (i < cps.size()) {
    const PdfLayoutHost::Fallback* fb = host_.FallbackFor(main, cps[i], fd.weight, fd.italic);
    size_t j = i + 1;
    while (j < cps.size() && host_.FallbackFor(main, cps[j], fd.weight, fd.italic) == fb) ++j;
    int piece_font = fb ? resources_.PageFont(fb->face, fd.weight, fd.italic) : font;
    x += page_.ShowTextIn(piece_font, size, x, y, cps.data() + i, j - i);
    i = j;
  }
}

}  // namespace twpdf
