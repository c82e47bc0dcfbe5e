// gdi_paint.cpp - paints a display list into a device context.
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <vector>

#include "gdi/gdi_host.h"

namespace tw {
namespace layout {

namespace {

COLORREF ref(Color c) { return RGB(c.r, c.g, c.b); }

// Selects an object for the lifetime of the scope.
class SelectScope {
 public:
  SelectScope(HDC dc, HGDIOBJ obj) : dc_(dc), old_(SelectObject(dc, obj)) {}
  ~SelectScope() { SelectObject(dc_, old_); }
  SelectScope(const SelectScope&) = delete;
  SelectScope& operator=(const SelectScope&) = delete;

 private:
  HDC dc_;
  HGDIOBJ old_;
};

class DevicePainter {
 public:
  DevicePainter(HDC dc, const DisplayList& l, const PaintOptions& o) : dc_(dc), list_(l), o_(o) {
    fonts_.assign(l.fonts.size(), nullptr);
    if (o.clip.empty()) clip_ = RectF{-1e9f, -1e9f, 2e9f, 2e9f};
    else clip_ = o.clip;
  }
  ~DevicePainter() {
    for (HFONT f : fonts_)
      if (f) DeleteObject(f);
  }
  void run();

 private:
  int dx(float x) const { return int(std::lround(double(x) * o_.scale)) + o_.originX; }
  int dy(float y) const { return int(std::lround(double(y) * o_.scale)) + o_.originY; }
  RECT dev(const RectF& r) const {
    // clamp to what GDI's 32-bit (really 27-bit) coordinates take
    RectF c = r;
    float x0 = std::max(c.x, clip_.x - 10), y0 = std::max(c.y, clip_.y - 10);
    float x1 = std::min(c.right(), clip_.right() + 10), y1 = std::min(c.bottom(), clip_.bottom() + 10);
    RECT d = {dx(x0), dy(y0), dx(x1), dy(y1)};
    if (d.right <= d.left && r.w > 0) d.right = d.left + 1;  // hairlines stay visible
    if (d.bottom <= d.top && r.h > 0) d.bottom = d.top + 1;
    return d;
  }
  void fillRect(const RECT& r, Color c) {
    SetBkColor(dc_, ref(c));
    ExtTextOutW(dc_, 0, 0, ETO_OPAQUE, &r, nullptr, 0, nullptr);
  }
  HFONT font(int i);
  void text(const DisplayItem& it);
  void image(const DisplayItem& it);
  void dashed(const DisplayItem& it);
  void roundFill(const DisplayItem& it);

  HDC dc_;
  const DisplayList& list_;
  const PaintOptions& o_;
  RectF clip_;
  std::vector<HFONT> fonts_;
};

HFONT DevicePainter::font(int i) {
  if (i < 0 || size_t(i) >= fonts_.size()) return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  if (!fonts_[size_t(i)]) {
    const FontDesc& d = list_.fonts[size_t(i)];
    LOGFONTW lf = {};
    lf.lfHeight = -std::max(1L, std::min(20000L, std::lround(std::round(d.size) * o_.scale)));
    lf.lfWeight = std::max(100, std::min(900, d.weight));
    lf.lfItalic = d.italic ? TRUE : FALSE;
    lf.lfCharSet = DEFAULT_CHARSET;
    lf.lfOutPrecision = OUT_TT_PRECIS;
    lf.lfQuality = ANTIALIASED_QUALITY;
    std::wstring face = WidenUtf8(d.face);
    wcsncpy(lf.lfFaceName, face.c_str(), LF_FACESIZE - 1);
    fonts_[size_t(i)] = CreateFontIndirectW(&lf);
  }
  return fonts_[size_t(i)] ? fonts_[size_t(i)] : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

void DevicePainter::text(const DisplayItem& it) {
  if (it.text.empty() || !it.rect.intersects(clip_)) return;
  SelectScope sf(dc_, font(it.font));
  SetTextColor(dc_, ref(it.color));
  const wchar_t* s = reinterpret_cast<const wchar_t*>(it.text.data());
  int n = int(std::min<size_t>(it.text.size(), 1u << 30));
  int x = dx(it.rect.x);
  // Very long runs (a megabyte without a space) are cut by their average
  // advance: bounded work, positions approximate only on such input.
  if (n > 4096 && (it.rect.x < clip_.x || it.rect.right() > clip_.right())) {
    double avg = double(it.rect.w) / n;
    if (!(avg > 0)) return;
    long first = std::max(0L, long(std::floor((clip_.x - it.rect.x) / avg)) - 16);
    long last = std::min(long(n), long(std::ceil((clip_.right() - it.rect.x) / avg)) + 16);
    if (first < last)
      ExtTextOutW(dc_, dx(float(it.rect.x + first * avg)), dy(it.baseline), 0, nullptr, s + first, UINT(last - first),
                  nullptr);
    return;
  }
  // Long runs that reach outside the clip are cut to the visible part.
  if (n > 256 && (it.rect.x < clip_.x || it.rect.right() > clip_.right())) {
    std::vector<int> ext(size_t(n), 0);
    SIZE sz;
    int fit = 0;
    if (GetTextExtentExPointW(dc_, s, n, 0, &fit, ext.data(), &sz)) {
      int left = dx(clip_.x) - x, right = dx(clip_.right()) - x;
      int first = 0;  // first character that ends right of the clip's left edge
      while (first < n && ext[size_t(first)] < left) ++first;
      int last = first;  // first character that starts right of the clip's right edge
      while (last < n && (last == 0 ? 0 : ext[size_t(last - 1)]) <= right) ++last;
      int startX = first == 0 ? 0 : ext[size_t(first - 1)];
      if (first < last) ExtTextOutW(dc_, x + startX, dy(it.baseline), 0, nullptr, s + first, UINT(last - first), nullptr);
      return;
    }
  }
  // The device font rarely advances exactly as the layout measured (other
  // resolution, other hinting): spread the difference over the glyphs so the
  // run ends where the layout put its end.
  int target = dx(it.rect.right()) - x;
  if (n <= 8192 && target > 0) {
    std::vector<int> ext(size_t(n), 0);
    SIZE sz;
    int fit = 0;
    if (GetTextExtentExPointW(dc_, s, n, 0, &fit, ext.data(), &sz) && sz.cx > 0 && std::abs(sz.cx - target) > 1) {
      std::vector<int> adv(size_t(n), 0);
      double k = double(target) / double(ext[size_t(n - 1)] > 0 ? ext[size_t(n - 1)] : sz.cx);
      long prev = 0;
      for (int i = 0; i < n; ++i) {
        long end = std::lround(ext[size_t(i)] * k);
        adv[size_t(i)] = int(end - prev);
        prev = end;
      }
      ExtTextOutW(dc_, x, dy(it.baseline), 0, nullptr, s, UINT(n), adv.data());
      return;
    }
  }
  ExtTextOutW(dc_, x, dy(it.baseline), 0, nullptr, s, UINT(n), nullptr);
}

void DevicePainter::image(const DisplayItem& it) {
  if (it.image < 0 || size_t(it.image) >= list_.images.size()) return;
  const GdiImage* img = GdiHost::image(list_.images[size_t(it.image)].handle);
  if (!img || !img->bitmap || !it.rect.intersects(clip_)) return;
  HDC mem = CreateCompatibleDC(dc_);
  if (!mem) return;
  HGDIOBJ old = SelectObject(mem, img->bitmap);
  BLENDFUNCTION bf = {AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
  auto blit = [&](const RectF& dst) {
    int x0 = dx(dst.x), y0 = dy(dst.y), x1 = dx(dst.right()), y1 = dy(dst.bottom());
    if (x1 <= x0 || y1 <= y0) return;
    if (img->hasAlpha) {
      AlphaBlend(dc_, x0, y0, x1 - x0, y1 - y0, mem, 0, 0, img->width, img->height, bf);
    } else {
      SetStretchBltMode(dc_, HALFTONE);
      SetBrushOrgEx(dc_, 0, 0, nullptr);
      StretchBlt(dc_, x0, y0, x1 - x0, y1 - y0, mem, 0, 0, img->width, img->height, SRCCOPY);
    }
  };
  if (!it.tiled || !(it.tileW > 0) || !(it.tileH > 0)) {
    // Images far larger than the clip: draw only the visible part.
    RectF r = it.rect;
    if (r.w * o_.scale > 4096 || r.h * o_.scale > 4096) {
      RectF vis{std::max(r.x, clip_.x), std::max(r.y, clip_.y), 0, 0};
      vis.w = std::min(r.right(), clip_.right()) - vis.x;
      vis.h = std::min(r.bottom(), clip_.bottom()) - vis.y;
      if (!vis.empty()) {
        SetStretchBltMode(dc_, COLORONCOLOR);
        int sx = int((vis.x - r.x) / r.w * img->width), sy = int((vis.y - r.y) / r.h * img->height);
        int sw = std::max(1, int(vis.w / r.w * img->width)), sh = std::max(1, int(vis.h / r.h * img->height));
        StretchBlt(dc_, dx(vis.x), dy(vis.y), dx(vis.right()) - dx(vis.x), dy(vis.bottom()) - dy(vis.y), mem, sx, sy,
                   sw, sh, SRCCOPY);
      }
    } else {
      blit(r);
    }
  } else {
    RectF area{std::max(it.rect.x, clip_.x), std::max(it.rect.y, clip_.y), 0, 0};
    area.w = std::min(it.rect.right(), clip_.right()) - area.x;
    area.h = std::min(it.rect.bottom(), clip_.bottom()) - area.y;
    if (!area.empty()) {
      int save = SaveDC(dc_);
      RECT c = dev(area);
      IntersectClipRect(dc_, c.left, c.top, c.right, c.bottom);
      double kx0 = std::floor((area.x - it.tileX) / it.tileW), ky0 = std::floor((area.y - it.tileY) / it.tileH);
      double kx1 = std::ceil((area.right() - it.tileX) / it.tileW), ky1 = std::ceil((area.bottom() - it.tileY) / it.tileH);
      if ((kx1 - kx0) * (ky1 - ky0) <= 4096) {
        for (double ky = ky0; ky < ky1; ++ky)
          for (double kx = kx0; kx < kx1; ++kx)
            blit(RectF{float(it.tileX + kx * it.tileW), float(it.tileY + ky * it.tileH), it.tileW, it.tileH});
      } else {
        // many small tiles: a pattern brush (no alpha, no scaling)
        HBRUSH br = CreatePatternBrush(img->bitmap);
        if (br) {
          SetBrushOrgEx(dc_, dx(it.tileX) & 0xFFFF, dy(it.tileY) & 0xFFFF, nullptr);
          FillRect(dc_, &c, br);
          DeleteObject(br);
        }
      }
      RestoreDC(dc_, save);
    }
  }
  SelectObject(mem, old);
  DeleteDC(mem);
}

void DevicePainter::dashed(const DisplayItem& it) {
  RectF r = it.rect;
  bool horiz = r.w >= r.h;
  float thick = horiz ? r.h : r.w;
  float len = horiz ? r.w : r.h;
  float dash = it.dash == BorderDash::Dotted ? thick : std::max(3 * thick, 3.0f);
  float gap = it.dash == BorderDash::Dotted ? thick : dash;
  float start = 0, end = len;
  // only the visible stretch
  if (horiz) {
    start = std::max(0.0f, clip_.x - r.x);
    end = std::min(len, clip_.right() - r.x);
  } else {
    start = std::max(0.0f, clip_.y - r.y);
    end = std::min(len, clip_.bottom() - r.y);
  }
  float period = dash + gap;
  if (!(period > 0)) return;
  float p = std::floor(start / period) * period;
  for (int guard = 0; p < end && guard < 100000; p += period, ++guard) {
    float a = p, b = std::min(p + dash, len);
    RectF piece = horiz ? RectF{r.x + a, r.y, b - a, r.h} : RectF{r.x, r.y + a, r.w, b - a};
    fillRect(dev(piece), it.color);
  }
}

void DevicePainter::roundFill(const DisplayItem& it) {
  if (it.color.isTransparent() || !it.rect.intersects(clip_)) return;
  // The outline as a GDI path, filled by the even-odd (alternate) rule.
  class Outline : public OutlineSink {
   public:
    Outline(const DevicePainter& p, HDC dc) : p_(p), dc_(dc) {}
    void moveTo(float x, float y) override { MoveToEx(dc_, p_.dx(x), p_.dy(y), nullptr); }
    void lineTo(float x, float y) override { LineTo(dc_, p_.dx(x), p_.dy(y)); }
    void curveTo(float x1, float y1, float x2, float y2, float x3, float y3) override {
      const POINT pts[3] = {{p_.dx(x1), p_.dy(y1)}, {p_.dx(x2), p_.dy(y2)}, {p_.dx(x3), p_.dy(y3)}};
      PolyBezierTo(dc_, pts, 3);
    }
    void closeFigure() override { CloseFigure(dc_); }

   private:
    const DevicePainter& p_;
    HDC dc_;
  } outline(*this, dc_);
  // Paths take smaller coordinates than rectangles: a huge box keeps square
  // corners.
  const double reach = double(1 << 26);
  if (std::fabs(double(it.rect.x) * o_.scale) > reach || std::fabs(double(it.rect.right()) * o_.scale) > reach ||
      std::fabs(double(it.rect.y) * o_.scale) > reach || std::fabs(double(it.rect.bottom()) * o_.scale) > reach) {
    fillRect(dev(it.rect), it.color);
    return;
  }
  HBRUSH brush = CreateSolidBrush(ref(it.color));
  if (!brush) return;
  {
    SelectScope sb(dc_, brush);
    SelectScope sp(dc_, GetStockObject(NULL_PEN));
    const int mode = SetPolyFillMode(dc_, ALTERNATE);
    BeginPath(dc_);
    traceRoundFill(it, outline);
    EndPath(dc_);
    FillPath(dc_);
    SetPolyFillMode(dc_, mode);
  }
  DeleteObject(brush);
}

void DevicePainter::run() {
  int save = SaveDC(dc_);
  SetBkMode(dc_, TRANSPARENT);
  SetTextAlign(dc_, TA_BASELINE | TA_LEFT | TA_NOUPDATECP);
  if (!o_.clip.empty()) {
    RECT c = dev(o_.clip);
    IntersectClipRect(dc_, c.left, c.top, c.right, c.bottom);
  }
  if (o_.paintBackground) {
    RectF all = o_.clip.empty() ? RectF{0, 0, list_.width, list_.height} : o_.clip;
    fillRect(dev(all), list_.background);
  }
  int depth = 0;
  for (const DisplayItem& it : list_.items) {
    switch (it.kind) {
      case ItemKind::Fill:
        if (it.rect.intersects(clip_)) fillRect(dev(it.rect), it.color);
        break;
      case ItemKind::Border:
        if (it.rect.intersects(clip_)) dashed(it);
        break;
      case ItemKind::RoundFill:
        roundFill(it);
        break;
      case ItemKind::Text:
        text(it);
        break;
      case ItemKind::Image:
        image(it);
        break;
      case ItemKind::ClipBegin: {
        SaveDC(dc_);
        ++depth;
        RECT c = dev(it.rect);
        if (it.rect.empty()) c.right = c.left, c.bottom = c.top;
        IntersectClipRect(dc_, c.left, c.top, c.right, c.bottom);
        break;
      }
      case ItemKind::ClipEnd:
        if (depth > 0) {
          RestoreDC(dc_, -1);
          --depth;
          SetBkMode(dc_, TRANSPARENT);
          SetTextAlign(dc_, TA_BASELINE | TA_LEFT | TA_NOUPDATECP);
        }
        break;
    }
  }
  while (depth-- > 0) RestoreDC(dc_, -1);
  RestoreDC(dc_, save);
}

}  // namespace

void PaintDisplayList(HDC dc, const DisplayList& list, const PaintOptions& options) {
  if (!dc) return;
  DevicePainter p(dc, list, options);
  p.run();
}

}  // namespace layout
}  // namespace tw
