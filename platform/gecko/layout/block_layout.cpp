// block_layout.cpp - block formatting: widths (CSS 2.1 10.3), heights,
// collapsing margins (8.3.1), floats and clearance (9.5), intrinsic widths
// for shrink-to-fit, atomic inlines and images; the font cache.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "layout/layout_internal.h"
#include "stage_clock.h"

namespace tw {
namespace layout {

// ---------------------------------------------------------------------------
// FontCache

FontCache::~FontCache() {
  for (auto& f : fonts_)
    if (f.second->handle) host_->releaseFont(f.second->handle);
}

FontEntry* FontCache::get(const ComputedStyle& s) {
  auto bs = byStyle_.find(&s);
  if (bs != byStyle_.end()) return bs->second;
  float size = std::max(1.0f, std::min(2000.0f, std::round(s.fontSize * 4) / 4));
  // The size is a multiple of a quarter px: its quarters name it exactly.
  std::string k = s.fontFamily;
  k += '|';
  k += std::to_string(long(size * 4));
  k += '|';
  k += std::to_string(s.fontWeight);
  k += s.italic ? "|1" : "|0";
  auto it = fonts_.find(k);
  FontEntry* f;
  if (it != fonts_.end()) {
    f = it->second.get();
  } else {
    auto e = std::make_unique<FontEntry>();
    FontRequest req;
    req.family = s.fontFamily;
    req.size = size;
    req.weight = s.fontWeight;
    req.italic = s.italic;
    stats::count(stats::Count::FontLookups);
    e->handle = host_->openFont(req, &e->metrics);
    e->size = size;
    e->weight = s.fontWeight;
    e->italic = s.italic;
    if (!(e->metrics.ascent > 0) || e->metrics.ascent > 10000) e->metrics.ascent = size * 0.8f;
    if (!(e->metrics.descent >= 0) || e->metrics.descent > 10000) e->metrics.descent = size * 0.2f;
    if (!(e->metrics.xHeight > 0) || e->metrics.xHeight > 10000) e->metrics.xHeight = size * 0.5f;
    for (float& a : e->ascii) a = -1;
    f = e.get();
    fonts_.emplace(k, std::move(e));
  }
  byStyle_[&s] = f;
  return f;
}

float FontCache::charWidth(FontEntry* f, char16_t c) {
  if (c < 128) {
    if (f->ascii[c] < 0) {
      // fill the whole printable ASCII range in one call
      char16_t all[95];
      float adv[95];
      for (int i = 0; i < 95; ++i) all[i] = char16_t(32 + i);
      host_->measureChars(f->handle, all, 95, adv);
      for (int i = 0; i < 128; ++i) f->ascii[i] = 0;
      for (int i = 0; i < 95; ++i) f->ascii[32 + i] = std::max(0.0f, std::min(adv[i], 10000.0f));
    }
    return f->ascii[c];
  }
  auto it = f->other.find(c);
  if (it != f->other.end()) return it->second;
  float a = 0;
  if (c >= 0xDC00 && c <= 0xDFFF) {
    a = 0;  // second half of a pair: measured with the first
  } else {
    host_->measureChars(f->handle, &c, 1, &a);
    a = std::max(0.0f, std::min(a, 10000.0f));
  }
  if (f->other.size() < 65536) f->other.emplace(c, a);
  return a;
}

float FontCache::width(FontEntry* f, const char16_t* s, size_t n) {
  float w = 0;
  for (size_t i = 0; i < n; ++i) {
    char16_t c = s[i];
    if (c >= 0xD800 && c <= 0xDBFF && i + 1 < n) {
      float adv[2] = {0, 0};
      host_->measureChars(f->handle, s + i, 2, adv);
      w += std::max(0.0f, std::min(adv[0] + adv[1], 10000.0f));
      ++i;
      continue;
    }
    w += charWidth(f, c);
  }
  return w;
}

void FontCache::resetDisplayIndexes() {
  for (auto& f : fonts_) f.second->displayIndex = -1;
}

float lineHeightOf(const ComputedStyle& s, FontEntry* f) {
  if (s.lineHeight >= 0) return s.lineHeight;
  return f->metrics.ascent + f->metrics.descent;
}

// ---------------------------------------------------------------------------
// FloatManager

namespace {

// Positions below a float are found in the float's coordinates and taken
// back to a child's (y = bottom - origin): rounding may leave such a y a
// few units in the last place above the bottom, and the float would still
// narrow the band there. A float meets a band only by more than this.
float edgeSlack(float y) { return 0.01f + std::fabs(y) * 4e-7f; }

}  // namespace

void FloatManager::available(float y, float h, float left, float right, float* l, float* r) const {
  *l = left;
  *r = right;
  const float slack = edgeSlack(y);
  float y1 = y + std::max(h, 0.01f);
  for (const Float& f : floats_) {
    if (f.r.y >= y1 - slack || f.r.bottom() <= y + slack) continue;
    if (f.left) *l = std::max(*l, f.r.right());
    else *r = std::min(*r, f.r.x);
  }
}

void FloatManager::place(float w, float h, bool left, float y, float left0, float right0, float* outX, float* outY,
                         ClearKind clear) {
  // A float's top is no higher than any earlier float's (9.5.1 rule 5).
  y = std::max({y, maxTop_, clearance(clear)});
  *outX = left0;
  *outY = y;
  for (size_t guard = 0; guard <= floats_.size() + 1; ++guard) {
    float l, r;
    available(y, h, left0, right0, &l, &r);
    *outX = left ? l : r - w;
    *outY = y;
    if (r - l >= w || (l <= left0 && r >= right0)) break;
    // move below the highest float that narrows this band
    float next = nextBottom(y, h);
    if (next <= y) break;
    y = next;
  }
  floats_.push_back(Float{RectF{*outX, *outY, w, h}, left});
  bottom_ = std::max(bottom_, *outY + h);
  maxTop_ = std::max(maxTop_, *outY);
  (left ? clearLeft_ : clearRight_) = std::max(left ? clearLeft_ : clearRight_, *outY + h);
  if (floats_.size() > kMaxActive) {
    // floats that ended above the last float's top no longer place anything
    floats_.erase(std::remove_if(floats_.begin(), floats_.end(),
                                 [&](const Float& f) { return f.r.bottom() <= maxTop_; }),
                  floats_.end());
    if (floats_.size() > kMaxActive) floats_.erase(floats_.begin(), floats_.begin() + long(floats_.size() / 2));
  }
}

float FloatManager::nextBottom(float y, float h) const {
  float next = -1;
  const float slack = edgeSlack(y);
  float y1 = y + std::max(h, 0.01f);
  for (const Float& f : floats_)
    if (f.r.y < y1 - slack && f.r.bottom() > y + slack && (next < 0 || f.r.bottom() < next)) next = f.r.bottom();
  return next;
}

float FloatManager::clearance(ClearKind c) const {
  if (c == ClearKind::Both) return std::max(clearLeft_, clearRight_);
  if (c == ClearKind::Left) return clearLeft_;
  if (c == ClearKind::Right) return clearRight_;
  return -1e30f;
}

float FloatManager::bottom() const { return bottom_; }

void FloatManager::prune(float y) {
  if (y < pruneY_ || floats_.size() < 32) return;
  pruneY_ = y;
  // keep the floats still reaching y (the last float's top bounds later
  // floats through maxTop_)
  floats_.erase(std::remove_if(floats_.begin(), floats_.end(), [&](const Float& f) { return f.r.bottom() <= y; }),
                floats_.end());
}

// ---------------------------------------------------------------------------
// Edges, widths

namespace {

float clampf(float v, float lo, float hi) { return std::max(lo, std::min(v, hi)); }

bool establishesBfc(const Box* b) {
  const ComputedStyle& s = *b->style;
  return b->kind == BoxKind::Cell || b->kind == BoxKind::Table || s.floating != FloatKind::None ||
         s.overflowHidden || s.display == Display::InlineBlock || !b->parent;
}

struct MarginPair {
  float pos = 0, neg = 0;
  void add(float m) {
    if (m > 0) pos = std::max(pos, m);
    else neg = std::min(neg, m);
  }
  void add(const MarginPair& o) {
    pos = std::max(pos, o.pos);
    neg = std::min(neg, o.neg);
  }
  float value() const { return pos + neg; }
};

bool collapsesTop(const Box* b) {
  return b->kind == BoxKind::Block && !establishesBfc(b) && b->border[0] == 0 && b->padding[0] == 0;
}
bool collapsesBottom(const Box* b) {
  return b->kind == BoxKind::Block && !establishesBfc(b) && b->border[2] == 0 && b->padding[2] == 0 &&
         b->style->height.isAuto() && b->style->minHeight.value == 0;
}

void widthBlock(Box* b, float cbWidth);

Box* firstInFlow(Box* b) {
  for (Box* c : b->children)
    if (!c->isFloat()) {
      if (c->kind == BoxKind::Lines && c->items.empty()) continue;
      return c;
    }
  return nullptr;
}

// The top margin of b combined with those of its first descendants that
// adjoin it. Depth is bounded by the box tree's.
bool isBody(const Box* b) { return b->element && b->element->is(html::Tag::Body); }

MarginPair topChain(Box* b, bool quirks) {
  MarginPair m;
  m.add(b->margin[0]);
  if (b->kind == BoxKind::Lines || !collapsesTop(b) || (quirks && isBody(b))) return m;
  Box* c = firstInFlow(b);
  if (!c || c->kind == BoxKind::Lines) return m;
  if (c->kind == BoxKind::Block || c->kind == BoxKind::Image || c->kind == BoxKind::Table) {
    resolveBoxEdges(c, b->contentW());
    if (c->kind == BoxKind::Block) widthBlock(c, b->contentW());
    m.add(topChain(c, quirks));
  }
  return m;
}

// Resolves width, horizontal margins of a block-level non-replaced box in
// normal flow (10.3.3), including min/max-width.
void widthBlock(Box* b, float cb) {
  resolveBoxEdges(b, cb);
  const ComputedStyle& s = *b->style;
  float mbpH = b->border[1] + b->border[3] + b->padding[1] + b->padding[3];
  bool autoL = s.margin[3].isAuto(), autoR = s.margin[1].isAuto();
  float content;
  if (s.width.isAuto()) {
    if (autoL) b->margin[3] = 0;
    if (autoR) b->margin[1] = 0;
    content = cb - b->margin[1] - b->margin[3] - mbpH;
  } else {
    content = s.width.resolve(cb);
  }
  if (!s.maxWidth.isAuto()) content = std::min(content, s.maxWidth.resolve(cb));
  content = std::max(content, s.minWidth.resolve(cb));
  content = clampf(content, 0, kMaxLength);
  b->w = content + mbpH;
  if (!s.width.isAuto() || !s.maxWidth.isAuto()) {
    float rest = cb - b->w;
    if (autoL && autoR) {
      b->margin[3] = b->margin[1] = std::max(0.0f, rest / 2);
    } else if (autoL) {
      b->margin[3] = rest - b->margin[1];
    } else if (autoR) {
      b->margin[1] = rest - b->margin[3];
    } else if (b->parent && b->parent->style->blockAlign && s.margin[1].value == 0 && s.margin[3].value == 0) {
      // <center> / align=center|right on the parent aligns narrower blocks too
      b->margin[3] = std::max(0.0f, b->parent->style->blockAlign == 1 ? rest / 2 : rest);
    }
  }
}

}  // namespace

void resolveBoxEdges(Box* b, float cb) {
  const ComputedStyle& s = *b->style;
  for (int i = 0; i < 4; ++i) {
    b->margin[i] = s.margin[i].resolve(cb, 0);
    b->padding[i] = clampf(s.padding[i].resolve(cb, 0), 0, kMaxLength);
    b->border[i] = b->collapsedBorders ? b->cborder[i] : s.borderWidth[i];
  }
  if (b->kind == BoxKind::Lines) {
    for (int i = 0; i < 4; ++i) b->margin[i] = b->padding[i] = b->border[i] = 0;
  }
}

// ---------------------------------------------------------------------------
// Intrinsic widths

namespace {

float marginsH(const Box* b) {
  const ComputedStyle& s = *b->style;
  float m = 0;
  if (s.margin[1].unit == Length::Px) m += s.margin[1].value;
  if (s.margin[3].unit == Length::Px) m += s.margin[3].value;
  return std::max(0.0f, m);
}

float mbpFixed(const Box* b) {
  const ComputedStyle& s = *b->style;
  float v = b->collapsedBorders ? b->cborder[1] + b->cborder[3] : s.borderWidth[1] + s.borderWidth[3];
  if (s.padding[1].unit == Length::Px) v += s.padding[1].value;
  if (s.padding[3].unit == Length::Px) v += s.padding[3].value;
  return v;
}

void imageSize(Box* b, float cb, float* w, float* h) {
  const ComputedStyle& s = *b->style;
  float iw = float(b->imageW), ih = float(b->imageH);
  bool known = b->image != 0;
  if (!known) iw = ih = 0;
  bool hasW = !s.width.isAuto(), hasH = !s.height.isAuto() && s.height.unit == Length::Px;
  float W = hasW ? s.width.resolve(cb) : iw, H = hasH ? s.height.value : ih;
  if (hasW && !hasH && known && iw > 0) H = W * ih / iw;
  if (hasH && !hasW && known && ih > 0) W = H * iw / ih;
  if (!known && !hasW && !hasH) W = H = 20;  // a placeholder frame for a missing image
  if (!known && hasW && !hasH) H = 20;
  if (!known && hasH && !hasW) W = 20;
  if (!s.maxWidth.isAuto()) W = std::min(W, s.maxWidth.resolve(cb));
  W = std::max(W, s.minWidth.resolve(cb));
  if (!s.maxHeight.isAuto() && s.maxHeight.unit == Length::Px) H = std::min(H, s.maxHeight.value);
  *w = clampf(W, 0, kMaxLength);
  *h = clampf(H, 0, kMaxLength);
}

void intrinsicLines(Box* lb, LayoutContext& ctx, float* outMin, float* outMax) {
  float mn = 0, mx = 0, line = 0, word = 0;
  for (const InlineItem& it : lb->items) {
    switch (it.kind) {
      case InlineItem::Text: {
        FontEntry* f = ctx.fonts->get(*it.style);
        bool wrap = it.style->whiteSpace == WhiteSpace::Normal || it.style->whiteSpace == WhiteSpace::PreWrap ||
                    it.style->whiteSpace == WhiteSpace::PreLine;
        const std::u16string& t = it.text;
        size_t i = 0;
        while (i < t.size()) {
          size_t j = i;
          bool sp = t[i] == u' ';
          while (j < t.size() && (t[j] == u' ') == sp) ++j;
          if (sp && wrap) {
            line += ctx.fonts->width(f, t.data() + i, j - i);
            mn = std::max(mn, word);
            word = 0;
          } else {
            size_t a = i;
            for (size_t k = i + 1; k <= j; ++k) {
              if (k < j && !(wrap && breakBetween(k >= 2 ? t[k - 2] : 0, t[k - 1], t[k]))) continue;
              float w = ctx.fonts->width(f, t.data() + a, k - a);
              line += w;
              word += w;
              if (k < j) {
                mn = std::max(mn, word);
                word = 0;
              }
              a = k;
            }
          }
          i = j;
        }
        break;
      }
      case InlineItem::Open: case InlineItem::Close: {
        const ComputedStyle& s = *it.style;
        int side = it.kind == InlineItem::Open ? 3 : 1;
        float e = s.borderWidth[side] + (s.padding[side].unit == Length::Px ? s.padding[side].value : 0) +
                  (s.margin[side].unit == Length::Px ? s.margin[side].value : 0);
        line += e;
        word += e;
        break;
      }
      case InlineItem::Atomic: case InlineItem::Float: {
        computeIntrinsic(it.box, ctx);
        float m = marginsH(it.box);
        mn = std::max(mn, word);
        word = 0;
        mn = std::max(mn, it.box->minW + m);
        line += it.box->maxW + m;
        break;
      }
      case InlineItem::Break:
        mn = std::max(mn, word);
        word = 0;
        mx = std::max(mx, line);
        line = 0;
        break;
    }
  }
  mn = std::max(mn, word);
  mx = std::max(mx, line);
  float indent = lb->style->textIndentPct >= 0 ? 0 : lb->style->textIndent;
  *outMin = mn;
  *outMax = mx + std::max(0.0f, indent);
}

}  // namespace

// Table intrinsic widths live in table_layout.cpp.
void tableIntrinsic(Box* t, LayoutContext& ctx, float* mn, float* mx);

void computeIntrinsic(Box* b, LayoutContext& ctx) {
  if (b->intrinsicDone) return;
  b->intrinsicDone = true;
  const ComputedStyle& s = *b->style;
  if (b->kind == BoxKind::Image) {
    float w, h;
    imageSize(b, 0, &w, &h);
    float e = mbpFixed(b);
    b->maxW = w + e;
    b->minW = s.width.unit == Length::Percent ? e : w + e;
    return;
  }
  if (b->kind == BoxKind::Table) {
    tableIntrinsic(b, ctx, &b->minW, &b->maxW);
    return;
  }
  if (b->kind == BoxKind::Lines) {
    intrinsicLines(b, ctx, &b->minW, &b->maxW);
    return;
  }
  float mn = 0, mx = 0;
  for (Box* c : b->children) {
    computeIntrinsic(c, ctx);
    float m = c->kind == BoxKind::Lines ? 0 : marginsH(c);
    mn = std::max(mn, c->minW + m);
    mx = std::max(mx, c->maxW + m);
  }
  if (b->markerBox) computeIntrinsic(b->markerBox, ctx);
  float e = mbpFixed(b);
  if (s.width.unit == Length::Px && b->kind != BoxKind::Cell) {
    mn = mx = s.width.value;
  } else if (s.width.unit == Length::Px && b->kind == BoxKind::Cell) {
    mn = std::max(mn, s.width.value);
    mx = std::max(mn, s.width.value);
  }
  if (!s.maxWidth.isAuto() && s.maxWidth.unit == Length::Px) mx = std::min(mx, s.maxWidth.value), mn = std::min(mn, mx);
  if (s.minWidth.unit == Length::Px) mn = std::max(mn, s.minWidth.value), mx = std::max(mx, mn);
  mx = std::max(mx, mn);
  b->minW = clampf(mn + e, 0, kMaxLength);
  b->maxW = clampf(mx + e, 0, kMaxLength);
}

// ---------------------------------------------------------------------------
// Atomic inlines, floats and images: shrink-to-fit (10.3.5, 10.3.9)

void layoutAtomic(Box* b, float cb, LayoutContext& ctx) {
  resolveBoxEdges(b, cb);
  const ComputedStyle& s = *b->style;
  float mbpH = b->border[1] + b->border[3] + b->padding[1] + b->padding[3];
  float mbpV = b->border[0] + b->border[2] + b->padding[0] + b->padding[2];
  for (int i = 0; i < 4; ++i)
    if (s.margin[i].isAuto()) b->margin[i] = 0;
  if (b->kind == BoxKind::Image) {
    float w, h;
    imageSize(b, cb, &w, &h);
    b->w = w + mbpH;
    b->h = h + mbpV;
    return;
  }
  if (b->kind == BoxKind::Table) {
    layoutTable(b, cb, ctx);
    return;
  }
  float content;
  if (!s.width.isAuto()) {
    content = s.width.resolve(cb);
  } else {
    computeIntrinsic(b, ctx);
    float avail = cb - b->margin[1] - b->margin[3];
    content = std::min(std::max(b->minW, avail), b->maxW) - mbpH;
  }
  if (!s.maxWidth.isAuto()) content = std::min(content, s.maxWidth.resolve(cb));
  content = std::max(content, s.minWidth.resolve(cb));
  b->w = clampf(content, 0, kMaxLength) + mbpH;
  FloatManager fm;
  layoutBlock(b, cb, 0, 0, &fm, ctx);
}

// ---------------------------------------------------------------------------
// Block layout

namespace {

void layoutListMarker(Box* b, LayoutContext& ctx) {
  if (b->markerBox) layoutAtomic(b->markerBox, b->w, ctx);
}

}  // namespace

// CSS 2.1 9.5: the border box of a formatting-context root does not
// overlap floats; where it does not fit beside them (fits(room) false) it
// moves down past them. Returns its y and the free band [*l, *r] there, all
// relative to the parent's content box at (cx0, foy) in the floats' space.
template <class Fits>
float besideFloats(const FloatManager& fm, float y, float h, float cx0, float foy, float cw, float* l, float* r,
                   Fits fits) {
  for (int guard = 0;; ++guard) {
    fm.available(foy + y, h, cx0, cx0 + cw, l, r);
    *l -= cx0;
    *r -= cx0;
    if ((*l <= 0 && *r >= cw) || fits(*r - *l) || guard > 1000) return y;
    float next = fm.nextBottom(foy + y, h);
    if (next <= foy + y) return y;
    y = next - foy;
  }
}

// Lays out the content of b, whose width and horizontal edges are resolved
// and whose border box sits at (ox, oy) in the coordinates of fm.
void layoutBlock(Box* b, float cb, float ox, float oy, FloatManager* outerFm, LayoutContext& ctx) {
  (void)cb;
  const ComputedStyle& s = *b->style;
  FloatManager ownFm;
  FloatManager* fm = outerFm;
  float fox = ox, foy = oy;  // b's origin in fm's coordinates
  bool bfc = establishesBfc(b);
  if (bfc && b->parent) {
    fm = &ownFm;
    fox = foy = 0;
  }
  const float cw = std::max(0.0f, b->contentW());
  const float cx = b->contentX();
  const float top = b->contentY();
  float cursor = top;
  MarginPair ms;
  bool first = true;
  const bool quirkEdges = ctx.quirks && (b->kind == BoxKind::Cell || isBody(b));
  bool absorbTop = collapsesTop(b) || quirkEdges;
  bool firstLines = true;
  layoutListMarker(b, ctx);

  for (Box* c : b->children) {
    if (c->isFloat()) {
      layoutAtomic(c, cw, ctx);
      float mw = c->w + c->margin[1] + c->margin[3], mh = c->h + c->margin[0] + c->margin[2];
      float px, py;
      fm->place(mw, mh, c->style->floating == FloatKind::Left, foy + cursor + ms.value(), fox + cx, fox + cx + cw, &px,
                &py, c->style->clear);
      c->x = px - fox + c->margin[3];
      c->y = py - foy + c->margin[0];
      continue;
    }
    if (c->kind == BoxKind::Lines) {
      if (c->items.empty()) continue;
      c->x = cx;
      c->y = cursor + ms.value();
      fm->prune(foy + c->y);
      layoutLines(c, cw, fox + c->x, foy + c->y, fm, ctx, firstLines);
      firstLines = false;
      if (c->h > 0 || !c->lines.empty()) {
        bool visible = c->h > 0;
        if (visible) {
          cursor = c->y + c->h;
          ms = MarginPair();
          first = false;
        }
      }
      continue;
    }
    firstLines = false;
    // block-level child
    MarginPair top;
    if (c->kind == BoxKind::Table) {
      resolveBoxEdges(c, cw);
      top.add(c->margin[0]);
    } else if (c->kind == BoxKind::Image) {
      layoutAtomic(c, cw, ctx);
      top.add(c->margin[0]);
    } else {
      widthBlock(c, cw);
      top = topChain(c, ctx.quirks);
    }
    MarginPair m = ms;
    if (!(first && absorbTop)) m.add(top);
    float y = cursor + m.value();
    if (c->style->clear != ClearKind::None) {
      float cl = fm->clearance(c->style->clear) - foy;
      if (cl > y) y = cl;
    }
    if (c->kind == BoxKind::Table) {
      // tables sit beside floats where they fit (an auto width shrinks to
      // the room, down to the table's minimum), else below them
      layoutTable(c, cw, ctx);
      const bool autoWidth = c->style->width.isAuto();
      if (autoWidth) computeIntrinsic(c, ctx);
      float l, r;
      y = besideFloats(*fm, y, std::max(c->h, 1.0f), fox + cx, foy, cw, &l, &r, [&](float room) {
        float m = c->margin[1] + c->margin[3];
        return (autoWidth ? c->minW : c->w) + m <= room;
      });
      float room = r - l;
      if (autoWidth && room < cw) layoutTable(c, room, ctx);
      const ComputedStyle& ts = *c->style;
      float mx = l + c->margin[3];
      float rest = room - c->w - c->margin[1] - c->margin[3];
      if (ts.margin[3].isAuto() && ts.margin[1].isAuto()) mx = l + std::max(0.0f, (room - c->w) / 2);
      else if (ts.margin[3].isAuto()) mx = l + std::max(0.0f, room - c->w - c->margin[1]);
      else if (b->style->blockAlign && rest > 0) mx += b->style->blockAlign == 1 ? rest / 2 : rest;
      c->x = cx + mx;
      c->y = y;
    } else if (c->kind == BoxKind::Image) {
      c->x = cx + c->margin[3];
      c->y = y;
    } else {
      c->x = cx + c->margin[3];
      c->y = y;
      if (c->style->overflowHidden) {
        // a formatting-context root next to floats is narrowed by them;
        // one of a given width that does not fit moves below them
        float l, r;
        const float need = c->style->width.isAuto() ? 0 : c->w + c->margin[1] + c->margin[3];
        y = besideFloats(*fm, y, 1, fox + cx, foy, cw, &l, &r, [&](float room) { return need <= room; });
        c->y = y;
        if (l > 0 || r < cw) {
          float room = std::max(0.0f, r - l);
          widthBlock(c, room);
          c->x = cx + l + c->margin[3];
        }
      }
      fm->prune(foy + y);
      layoutBlock(c, cw, fox + c->x, foy + c->y, fm, ctx);
    }
    if (c->emptyCollapsible) {
      // margins collapse through an empty block
      ms = m;
      MarginPair bm;
      bm.pos = c->collapsedBottomPos;
      bm.neg = c->collapsedBottomNeg;
      ms.add(bm);
      continue;
    }
    cursor = c->y + c->h;
    ms = MarginPair();
    if (c->kind == BoxKind::Block) {
      ms.pos = c->collapsedBottomPos;
      ms.neg = c->collapsedBottomNeg;
    } else {
      ms.add(c->margin[2]);
    }
    first = false;
  }

  // height
  MarginPair out;
  out.add(b->margin[2]);
  float contentH = cursor - top;
  bool throughBottom = collapsesBottom(b) && b->parent;
  if (quirkEdges) ms = MarginPair();  // the last child's bottom margin is dropped
  if (throughBottom) out.add(ms);
  else contentH += ms.value();
  if (bfc) contentH = std::max(contentH, fm->bottom() - foy - top);
  contentH = std::max(0.0f, contentH);
  if (b->kind != BoxKind::Cell) {  // the table sizes its cells
    if (s.height.unit == Length::Px) contentH = s.height.value;
    if (!s.maxHeight.isAuto() && s.maxHeight.unit == Length::Px) contentH = std::min(contentH, s.maxHeight.value);
    if (s.minHeight.unit == Length::Px) contentH = std::max(contentH, s.minHeight.value);
  }
  contentH = clampf(contentH, 0, 100.0f * kMaxLength);
  b->h = contentH + top + b->padding[2] + b->border[2];
  b->collapsedBottomPos = out.pos;
  b->collapsedBottomNeg = out.neg;
  b->emptyCollapsible = b->kind == BoxKind::Block && first && b->h == 0 && collapsesTop(b) && throughBottom &&
                        b->markerText.empty() && !b->markerBox;
  if (b->emptyCollapsible) {
    // top and bottom margins collapse into one
    out.add(b->margin[0]);
    b->collapsedBottomPos = out.pos;
    b->collapsedBottomNeg = out.neg;
  }
}

float layoutDocument(Box* root, float width, LayoutContext& ctx) {
  width = clampf(width, 1, kMaxLength);
  widthBlock(root, width);
  root->x = root->margin[3];
  root->y = root->margin[0];
  FloatManager fm;
  layoutBlock(root, width, root->x, root->y, &fm, ctx);
  return std::max(root->y + root->h + root->margin[2], fm.bottom());
}

}  // namespace layout
}  // namespace tw
