// paint.cpp - from the laid-out box tree to a display list; the text dump
// of the box tree for tests; page break candidates.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>
#include <unordered_map>

#include "layout/layout_internal.h"

namespace tw {
namespace layout {

namespace {

Color shade(Color c, float f) {
  auto ch = [&](uint8_t v) {
    float x = f < 1 ? v * f : v + (255 - v) * (f - 1);
    return uint8_t(std::max(0.0f, std::min(255.0f, x)));
  };
  return Color{ch(c.r), ch(c.g), ch(c.b), c.a};
}

bool hasAnchorName(const html::Element* e, std::string* name) {
  if (!e) return false;
  std::string_view id = e->id();
  if (!id.empty()) {
    *name = std::string(id);
    return true;
  }
  if (e->is(html::Tag::A) && e->hasAttribute("name")) {
    *name = std::string(e->getAttribute("name"));
    return !name->empty();
  }
  return false;
}

class Painter {
 public:
  Painter(DisplayList* out, PageCutter* cutter, FontCache& fonts, const std::string& baseUrl,
          const std::function<const DisplayImage*(const std::string&)>& bgImage)
      : out_(out), cutter_(cutter), fonts_(fonts), baseUrl_(baseUrl), bgImage_(bgImage) {}

  void paintBox(const Box* b, float X, float Y, const html::Element* parentLink);

 private:
  // The next item in painting order: into the list, or straight to its pages.
  void emit(DisplayItem&& it) {
    if (cutter_) cutter_->add(std::move(it), *out_);
    else out_->items.push_back(std::move(it));
  }
  void fill(float x, float y, float w, float h, Color c) {
    if (c.isTransparent() || !(w > 0) || !(h > 0)) return;
    DisplayItem it;
    it.kind = ItemKind::Fill;
    it.rect = RectF{x, y, w, h};
    it.color = c;
    emit(std::move(it));
  }
  // The part of rect a outside rect hole, as up to four fills.
  void fillOutside(RectF a, RectF hole, Color c) {
    float top = std::max(a.y, std::min(a.bottom(), hole.y));
    float bottom = std::min(a.bottom(), std::max(a.y, hole.bottom()));
    fill(a.x, a.y, a.w, top - a.y, c);
    fill(a.x, bottom, a.w, a.bottom() - bottom, c);
    float left = std::max(a.x, std::min(a.right(), hole.x));
    float right = std::min(a.right(), std::max(a.x, hole.right()));
    fill(a.x, top, left - a.x, bottom - top, c);
    fill(right, top, a.right() - right, bottom - top, c);
  }
  // A box's outer shadow, outside its border box: the blur is drawn as a
  // paler band around a core of the shadow's colour.
  void shadow(const ComputedStyle& s, RectF r) {
    float dx = s.shadow[0], dy = s.shadow[1], blur = std::max(0.0f, s.shadow[2]), spread = s.shadow[3];
    RectF core{r.x + dx - spread + blur / 2, r.y + dy - spread + blur / 2, r.w + 2 * spread - blur,
               r.h + 2 * spread - blur};
    if (blur > 0) {
      const Color& c = s.shadowColor;
      auto pale = [](uint8_t v) { return uint8_t((int(v) + 255) / 2); };
      RectF band{core.x - blur / 2, core.y - blur / 2, core.w + blur, core.h + blur};
      fillOutside(band, core, Color::rgb(pale(c.r), pale(c.g), pale(c.b)));
    }
    fillOutside(core, r, s.shadowColor);
  }
  // A box's border-radius fitted to its border box r; false when square.
  bool cornerRadii(const ComputedStyle& s, RectF r, float radii[4]) {
    bool round = false;
    for (int i = 0; i < 4; ++i) round |= (radii[i] = s.borderRadius[i].resolve(r.w)) > 0;
    if (round) fitCornerRadii(r, radii);
    return round;
  }
  void roundFill(RectF r, const float radii[4], Color c, RectF hole = RectF{}) {
    if (c.isTransparent() || r.empty()) return;
    DisplayItem it;
    it.kind = ItemKind::RoundFill;
    it.rect = r;
    it.color = c;
    for (int i = 0; i < 4; ++i) it.radii[i] = radii[i];
    it.hole = hole;
    emit(std::move(it));
  }
  // r filled in c, with the corners of s's border-radius.
  void fillCorners(const ComputedStyle& s, RectF r, Color c) {
    float radii[4];
    if (cornerRadii(s, r, radii)) roundFill(r, radii, c);
    else fill(r.x, r.y, r.w, r.h, c);
  }
  // Borders of widths bw around r drawn with s's rounded corners: one band
  // when every side drawn is solid in one colour; false (nothing drawn) when
  // the corners are square or the sides differ.
  bool roundBorders(const ComputedStyle& s, const float bw[4], RectF r) {
    float radii[4];
    if (!cornerRadii(s, r, radii)) return false;
    const Color* color = nullptr;
    for (int side = 0; side < 4; ++side) {
      if (!(bw[side] > 0)) continue;
      if (s.borderStyle[side] != BorderStyle::Solid || (color && *color != s.borderColor[side])) return false;
      color = &s.borderColor[side];
    }
    if (color)
      roundFill(r, radii, *color, RectF{r.x + bw[3], r.y + bw[0], r.w - bw[1] - bw[3], r.h - bw[0] - bw[2]});
    return true;
  }
  void background(const Box* b, const ComputedStyle& s, RectF r) {
    fillCorners(s, r, s.backgroundColor);
    if (!s.backgroundImage.empty()) {
      const DisplayImage* img = bgImage_(resolveUrl(baseUrl_, s.backgroundImage));
      if (img && img->handle) {
        DisplayItem it;
        it.kind = ItemKind::Image;
        it.image = out_->addImage(*img);
        it.tiled = true;
        it.tileX = r.x;
        it.tileY = r.y;
        it.tileW = float(img->width);
        it.tileH = float(img->height);
        RectF area = r;
        if (!(s.backgroundRepeat & 1)) area.w = std::min(area.w, it.tileW);
        if (!(s.backgroundRepeat & 2)) area.h = std::min(area.h, it.tileH);
        it.rect = area;
        if (!area.empty()) emit(std::move(it));
      }
    }
  }
  void borders(const float bw[4], const BorderStyle* bs, const Color* bc, RectF r);
  void paintLines(const Box* lb, float X, float Y);
  void marker(const Box* li, float X, float Y);
  void link(const html::Element* a, RectF r) {
    if (!a || r.empty()) return;
    DisplayLink l;
    l.rect = r;
    l.href = std::string(a->getAttribute("href"));
    // A link broken over lines paints a rectangle per line, and pages link
    // the same targets again and again: each href is resolved once.
    auto known = resolved_.find(l.href);
    if (known == resolved_.end()) known = resolved_.emplace(l.href, resolveUrl(baseUrl_, l.href)).first;
    l.url = known->second;
    out_->links.push_back(std::move(l));
  }
  void anchor(const html::Element* e, float x, float y) {
    std::string name;
    if (!hasAnchorName(e, &name)) return;
    out_->anchors.push_back(DisplayAnchor{name, x, y});
  }
  int fontIndex(FontEntry* f) {
    if (f->displayIndex < 0) {
      FontDesc d;
      d.face = f->metrics.face;
      d.size = f->size;
      d.weight = f->weight;
      d.italic = f->italic;
      f->displayIndex = out_->addFont(d);
    }
    return f->displayIndex;
  }
  void imageBox(const Box* b, float X, float Y);

  DisplayList* out_;
  PageCutter* cutter_;
  FontCache& fonts_;
  const std::string& baseUrl_;
  std::unordered_map<std::string, std::string> resolved_;  // href -> url
  const std::function<const DisplayImage*(const std::string&)>& bgImage_;
};

void Painter::borders(const float bw[4], const BorderStyle* bs, const Color* bc, RectF r) {
  for (int side = 0; side < 4; ++side) {
    float w = bw[side];
    if (!(w > 0) || bs[side] == BorderStyle::None || bs[side] == BorderStyle::Hidden) continue;
    Color c = bc[side];
    if (c.isTransparent()) continue;
    RectF band;
    switch (side) {
      case 0: band = RectF{r.x, r.y, r.w, w}; break;
      case 1: band = RectF{r.right() - w, r.y + bw[0], w, r.h - bw[0] - bw[2]}; break;
      case 2: band = RectF{r.x, r.bottom() - w, r.w, w}; break;
      default: band = RectF{r.x, r.y + bw[0], w, r.h - bw[0] - bw[2]}; break;
    }
    if (band.empty()) continue;
    bool topLeft = side == 0 || side == 3;
    BorderStyle st = bs[side];
    switch (st) {
      case BorderStyle::Dashed: case BorderStyle::Dotted: {
        DisplayItem it;
        it.kind = ItemKind::Border;
        it.rect = band;
        it.color = c;
        it.dash = st == BorderStyle::Dashed ? BorderDash::Dashed : BorderDash::Dotted;
        emit(std::move(it));
        break;
      }
      case BorderStyle::Double:
        if (w >= 3) {
          float t = w / 3;
          bool horiz = side == 0 || side == 2;
          RectF a = band, b2 = band;
          if (horiz) {
            a.h = t;
            b2.y = band.bottom() - t;
            b2.h = t;
          } else {
            a.w = t;
            b2.x = band.right() - t;
            b2.w = t;
          }
          fill(a.x, a.y, a.w, a.h, c);
          fill(b2.x, b2.y, b2.w, b2.h, c);
        } else {
          fill(band.x, band.y, band.w, band.h, c);
        }
        break;
      case BorderStyle::Inset: case BorderStyle::Outset: {
        bool dark = (st == BorderStyle::Inset) == topLeft;
        Color k = dark ? shade(c, 0.5f) : shade(c, 1.5f);
        fill(band.x, band.y, band.w, band.h, k);
        break;
      }
      case BorderStyle::Groove: case BorderStyle::Ridge: {
        bool outerDark = (st == BorderStyle::Groove) == topLeft;
        Color o = outerDark ? shade(c, 0.5f) : shade(c, 1.5f);
        Color i = outerDark ? shade(c, 1.5f) : shade(c, 0.5f);
        RectF a = band, b2 = band;
        bool horiz = side == 0 || side == 2;
        bool outerFirst = side == 0 || side == 3;
        if (horiz) {
          a.h = band.h / 2;
          b2.y = band.y + band.h / 2;
          b2.h = band.h - a.h;
        } else {
          a.w = band.w / 2;
          b2.x = band.x + band.w / 2;
          b2.w = band.w - a.w;
        }
        fill(a.x, a.y, a.w, a.h, outerFirst ? o : i);
        fill(b2.x, b2.y, b2.w, b2.h, outerFirst ? i : o);
        break;
      }
      default:
        fill(band.x, band.y, band.w, band.h, c);
        break;
    }
  }
}

void Painter::imageBox(const Box* b, float X, float Y) {
  RectF content{X + b->contentX(), Y + b->contentY(), b->contentW(), b->contentH()};
  if (content.empty()) return;
  if (b->image) {
    DisplayImage img;
    img.url = b->imageUrl;
    img.width = b->imageW;
    img.height = b->imageH;
    img.handle = b->image;
    DisplayItem it;
    it.kind = ItemKind::Image;
    it.rect = content;
    it.image = out_->addImage(img);
    emit(std::move(it));
  } else {
    // an image that could not be shown: a thin frame keeps its place visible
    Color g = Color::rgb(160, 160, 160);
    float bw[4] = {1, 1, 1, 1};
    BorderStyle bs[4] = {BorderStyle::Solid, BorderStyle::Solid, BorderStyle::Solid, BorderStyle::Solid};
    Color bc[4] = {g, g, g, g};
    borders(bw, bs, bc, content);
  }
}

void Painter::marker(const Box* li, float X, float Y) {
  if (li->markerText.empty() && !li->markerBox) return;
  // the baseline of the first line inside the list item
  const Box* b = li;
  float ax = X, ay = Y;
  float baseline = -1;
  for (int guard = 0; guard < 1000 && b; ++guard) {
    const Box* next = nullptr;
    for (const Box* c : b->children) {
      if (c->isFloat()) continue;
      if (c->kind == BoxKind::Lines) {
        if (!c->lines.empty() && c->lines[0].height > 0) {
          baseline = ay + c->y + c->lines[0].y + c->lines[0].baseline;
          break;
        }
        continue;
      }
      if (c->kind == BoxKind::Block) next = c;
      break;
    }
    if (baseline >= 0 || !next) break;
    ax += next->x;
    ay += next->y;
    b = next;
  }
  const ComputedStyle& s = *li->style;
  FontEntry* f = fonts_.get(s);
  if (baseline < 0) baseline = Y + li->contentY() + f->metrics.ascent;
  float left = X + li->contentX();
  if (li->markerBox) {
    const Box* m = li->markerBox;
    float w = m->w, h = m->h;
    DisplayItem it;
    it.kind = ItemKind::Image;
    it.rect = RectF{left - w - f->size * 0.5f, baseline - h, w, h};
    DisplayImage img;
    img.url = m->imageUrl;
    img.width = m->imageW;
    img.height = m->imageH;
    img.handle = m->image;
    it.image = out_->addImage(img);
    emit(std::move(it));
    return;
  }
  float w = fonts_.width(f, li->markerText.data(), li->markerText.size());
  DisplayItem it;
  it.kind = ItemKind::Text;
  it.font = fontIndex(f);
  it.color = s.color;
  it.text = li->markerText;
  it.baseline = baseline;
  it.rect = RectF{left - w - f->size * 0.5f, baseline - f->metrics.ascent, w, f->metrics.ascent + f->metrics.descent};
  emit(std::move(it));
}

void Painter::paintLines(const Box* lb, float X, float Y) {
  // floats met in the text
  for (const InlineItem& it : lb->items)
    if (it.kind == InlineItem::Float && it.box) paintBox(it.box, X + it.box->x, Y + it.box->y, lb->link);
  for (const LineBox& line : lb->lines) {
    float ly = Y + line.y;
    float base = ly + line.baseline;
    // inline box backgrounds, borders, links, anchors
    for (const InlineSpan& sp : line.spans) {
      const InlineItem& it = lb->items[sp.item];
      const ComputedStyle& s = *it.style;
      FontEntry* f = fonts_.get(s);
      float ml = sp.first ? s.margin[3].resolve(lb->w, 0) : 0;
      float mr = sp.last ? s.margin[1].resolve(lb->w, 0) : 0;
      float top = base - it.shift - f->metrics.ascent, bottom = base - it.shift + f->metrics.descent;
      float pt = s.padding[0].resolve(lb->w, 0), pb = s.padding[2].resolve(lb->w, 0);
      RectF r{X + sp.x0 + ml, top - pt - s.borderWidth[0], sp.x1 - sp.x0 - ml - mr,
              bottom - top + pt + pb + s.borderWidth[0] + s.borderWidth[2]};
      if (s.visible) {
        // corners round only where the box is not broken over lines
        const bool whole = sp.first && sp.last;
        if (whole) fillCorners(s, r, s.backgroundColor);
        else fill(r.x, r.y, r.w, r.h, s.backgroundColor);
        float bw[4] = {s.borderWidth[0], sp.last ? s.borderWidth[1] : 0, s.borderWidth[2],
                       sp.first ? s.borderWidth[3] : 0};
        if (!whole || !roundBorders(s, bw, r)) borders(bw, s.borderStyle, s.borderColor, r);
      }
      if (it.element && it.element->is(html::Tag::A) && it.element->hasAttribute("href"))
        link(it.element, RectF{r.x, top, r.w, bottom - top});
      if (sp.first) anchor(it.element, X + sp.x0, ly);
    }
    for (const Fragment& fr : line.frags) {
      const InlineItem& it = lb->items[fr.item];
      if (fr.kind == Fragment::Atomic) {
        paintBox(it.box, X + it.box->x, Y + it.box->y, lb->link);
        if (it.link && it.link != lb->link) {
          const Box* b = it.box;
          link(it.link, RectF{X + b->x, Y + b->y, b->w, b->h});
        }
        continue;
      }
      if (fr.kind != Fragment::Text) continue;
      const ComputedStyle& s = *it.style;
      if (!s.visible) continue;
      FontEntry* f = fonts_.get(s);
      float bl = base - fr.baselineShift;
      if (!fr.space) {
        DisplayItem t;
        t.kind = ItemKind::Text;
        t.font = fontIndex(f);
        t.color = s.color;
        t.baseline = bl;
        t.text = it.text.substr(fr.start, fr.len);
        // trailing spaces carry no ink: the run ends at its last glyph
        float w = fr.w;
        size_t keep = t.text.size();
        while (keep > 0 && t.text[keep - 1] == u' ') --keep;
        if (keep < t.text.size()) {
          w -= fonts_.width(f, t.text.data() + keep, t.text.size() - keep);
          t.text.resize(keep);
        }
        t.rect = RectF{X + fr.x, bl - f->metrics.ascent, std::max(0.0f, w), f->metrics.ascent + f->metrics.descent};
        emit(std::move(t));
      }
      uint8_t deco = s.decorationsInEffect;
      if (deco) {
        float th = std::max(1.0f, std::round(f->size / 16));
        if (deco & kUnderline) fill(X + fr.x, bl + std::max(1.0f, f->metrics.descent * 0.35f), fr.w, th, s.color);
        if (deco & kLineThrough) fill(X + fr.x, bl - f->metrics.xHeight / 2 - th / 2, fr.w, th, s.color);
        if (deco & kOverline) fill(X + fr.x, bl - f->metrics.ascent, fr.w, th, s.color);
      }
    }
  }
}

void Painter::paintBox(const Box* b, float X, float Y, const html::Element* parentLink) {
  const ComputedStyle& s = *b->style;
  if (b->kind == BoxKind::Cell && b->col < 0) return;
  if (b->kind == BoxKind::Lines) {
    paintLines(b, X, Y);
    return;
  }
  RectF border{X, Y, b->w, b->h};
  if (b->kind == BoxKind::Table) border = RectF{X, Y + b->gridY, b->w, b->gridH};
  bool isRoot = !b->parent;
  bool isBody = b->element && b->element->is(html::Tag::Body);
  if (s.visible && s.hasShadow && !isRoot) shadow(s, border);
  if (s.visible && b->kind != BoxKind::Row && b->kind != BoxKind::RowGroup && !isRoot && !isBody) {
    if (b->kind == BoxKind::Cell && b->parent) {
      // row and row-group backgrounds show through the cells
      const Box* row = b->parent;
      if (row->kind == BoxKind::Row) {
        if (row->parent && row->parent->kind == BoxKind::RowGroup) background(row->parent, *row->parent->style, border);
        background(row, *row->style, border);
      }
    }
    background(b, s, border);
  } else if (isBody && s.visible && b->parent && !b->parent->style->backgroundColor.isTransparent()) {
    background(b, s, border);  // the canvas took the root's colour: the body paints its own
  }
  if (s.visible && b->kind != BoxKind::Row && b->kind != BoxKind::RowGroup && !roundBorders(s, b->border, border)) {
    borders(b->border, s.borderStyle, s.borderColor, border);
  }
  if (b->element) anchor(b->element, X, Y);
  if (b->link && b->link != parentLink && b->kind != BoxKind::Lines) link(b->link, RectF{X, Y, b->w, b->h});
  if (b->kind == BoxKind::Image) {
    if (s.visible) imageBox(b, X, Y);
    return;
  }
  if (s.visible) marker(b, X, Y);
  bool clip = s.overflowHidden && b->kind != BoxKind::Table && !isRoot;
  if (clip) {
    DisplayItem c;
    c.kind = ItemKind::ClipBegin;
    c.rect = RectF{X + b->border[3], Y + b->border[0], b->w - b->border[1] - b->border[3],
                   b->h - b->border[0] - b->border[2]};
    emit(std::move(c));
  }
  for (const Box* c : b->children) {
    if (c->isFloat()) continue;
    paintBox(c, X + c->x, Y + c->y, b->link);
  }
  for (const Box* c : b->children)
    if (c->isFloat()) paintBox(c, X + c->x, Y + c->y, b->link);
  if (clip) {
    DisplayItem c;
    c.kind = ItemKind::ClipEnd;
    emit(std::move(c));
  }
}

}  // namespace

void paintDocument(const Box* root, DisplayList* out, PageCutter* cutter, FontCache& fonts,
                   const std::string& baseUrl,
                   const std::function<const DisplayImage*(const std::string&)>& bgImage) {
  fonts.resetDisplayIndexes();
  Painter p(out, cutter, fonts, baseUrl, bgImage);
  p.paintBox(root, root->x, root->y, nullptr);
}

// ---------------------------------------------------------------------------
// Dump

namespace {

std::string num(float v) {
  char buf[32];
  snprintf(buf, sizeof buf, "%.2f", double(v));
  std::string s = buf;
  while (!s.empty() && s.back() == '0') s.pop_back();
  if (!s.empty() && s.back() == '.') s.pop_back();
  if (s == "-0") s = "0";
  return s;
}

void utf8(std::string& o, const std::u16string& s) {
  for (size_t i = 0; i < s.size(); ++i) {
    uint32_t c = s[i];
    if (c >= 0xD800 && c <= 0xDBFF && i + 1 < s.size()) c = 0x10000 + ((c - 0xD800) << 10) + (s[++i] - 0xDC00);
    if (c < 0x80) {
      if (c == '"' || c == '\\') o += '\\';
      o += char(c);
    } else if (c < 0x800) {
      o += char(0xC0 | (c >> 6));
      o += char(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
      o += char(0xE0 | (c >> 12));
      o += char(0x80 | ((c >> 6) & 0x3F));
      o += char(0x80 | (c & 0x3F));
    } else {
      o += char(0xF0 | (c >> 18));
      o += char(0x80 | ((c >> 12) & 0x3F));
      o += char(0x80 | ((c >> 6) & 0x3F));
      o += char(0x80 | (c & 0x3F));
    }
  }
}

const char* kindName(BoxKind k) {
  switch (k) {
    case BoxKind::Block: return "block";
    case BoxKind::Lines: return "lines";
    case BoxKind::Table: return "table";
    case BoxKind::RowGroup: return "rowgroup";
    case BoxKind::Row: return "row";
    case BoxKind::Cell: return "cell";
    case BoxKind::Image: return "image";
    case BoxKind::Marker: return "marker";
  }
  return "?";
}

void dumpBox(const Box* b, float X, float Y, int depth, std::string& o) {
  o.append(size_t(depth) * 2, ' ');
  o += kindName(b->kind);
  if (b->element) {
    o += ' ';
    o += std::string(b->element->tagName());
  }
  o += ' ' + num(X) + ',' + num(Y) + ' ' + num(b->w) + 'x' + num(b->h) + '\n';
  if (b->kind == BoxKind::Lines) {
    for (const InlineItem& it : b->items)
      if (it.kind == InlineItem::Float) dumpBox(it.box, X + it.box->x, Y + it.box->y, depth + 1, o);
    for (const LineBox& l : b->lines) {
      o.append(size_t(depth + 1) * 2, ' ');
      float x0 = l.frags.empty() ? 0 : l.frags.front().x;
      float x1 = l.frags.empty() ? 0 : l.frags.back().x + l.frags.back().w;
      o += "line " + num(X + x0) + ',' + num(Y + l.y) + ' ' + num(x1 - x0) + 'x' + num(l.height) + " \"";
      for (const Fragment& f : l.frags) {
        const InlineItem& it = b->items[f.item];
        if (f.kind == Fragment::Text) utf8(o, it.text.substr(f.start, f.len));
        else if (f.kind == Fragment::Atomic) o += "[" + std::string(kindName(it.box->kind)) + "]";
      }
      o += "\"\n";
      for (const Fragment& f : l.frags)
        if (f.kind == Fragment::Atomic) dumpBox(b->items[f.item].box, X + b->items[f.item].box->x,
                                                Y + b->items[f.item].box->y, depth + 2, o);
    }
    return;
  }
  for (const Box* c : b->children) {
    if (c->kind == BoxKind::Lines && c->lines.empty()) {
      bool floats = false;
      for (const InlineItem& it : c->items) floats = floats || it.kind == InlineItem::Float;
      if (!floats) continue;  // white space between blocks: nothing to show
    }
    dumpBox(c, X + c->x, Y + c->y, depth + 1, o);
  }
}

}  // namespace

std::string dumpBoxTree(const Box* root) {
  std::string o;
  if (root) dumpBox(root, root->x, root->y, 0, o);
  return o;
}

// ---------------------------------------------------------------------------
// Break candidates

namespace {

bool isHeading(const Box* b) {
  const html::Element* e = b->element;
  return e && (e->is(html::Tag::H1) || e->is(html::Tag::H2) || e->is(html::Tag::H3) || e->is(html::Tag::H4) ||
               e->is(html::Tag::H5) || e->is(html::Tag::H6));
}

using Band = std::pair<float, float>;

struct BreakCollector {
  std::vector<BreakCandidate>* out;
  std::vector<Band>* hard;  // line boxes: never cut
  std::vector<Band>* soft;  // better not cut
  // Bands whose ends are only known once every line is: a box kept with the
  // first line after it (headings, page-break-after: avoid), and the top of a
  // box kept with its first line (a border alone at a page's foot)
  std::vector<Band> keepWithNext, keepTopWithLine;
  std::vector<float> keepAcross;  // page-break-before: avoid

  void walk(const Box* b, float X, float Y) {
    if (b->kind == BoxKind::Lines) {
      size_t first = hard->size();
      for (size_t i = 0; i < b->lines.size(); ++i) {
        const LineBox& l = b->lines[i];
        if (l.height <= 0) continue;
        out->push_back(BreakCandidate{Y + l.y, false});
        out->push_back(BreakCandidate{Y + l.y + l.height, false});
        hard->push_back({Y + l.y, Y + l.y + l.height});
      }
      // orphans and widows: two lines at least on either side of a break
      size_t n = hard->size() - first;
      if (n >= 2) {
        soft->push_back({(*hard)[first].first, (*hard)[first + 1].second});
        soft->push_back({(*hard)[first + n - 2].first, (*hard)[first + n - 1].second});
      }
      // floats met in the text break inside like other blocks (a theme's
      // wrapper of the whole page is one)
      for (const InlineItem& it : b->items)
        if (it.kind == InlineItem::Float && it.box) {
          const Box* f = it.box;
          out->push_back(BreakCandidate{Y + f->y, false});
          out->push_back(BreakCandidate{Y + f->y + f->h, false});
          keepFloat(f, Y + f->y);
          walk(f, X + f->x, Y + f->y);
        }
      return;
    }
    if (b->kind == BoxKind::Image) {
      hard->push_back({Y, Y + b->h});
      return;
    }
    for (const Box* c : b->children) {
      float cy = Y + c->y;
      if (c->isFloat()) {
        keepFloat(c, cy);
        walk(c, X + c->x, cy);
        continue;
      }
      if (c->kind != BoxKind::Lines && c->kind != BoxKind::Cell) {
        out->push_back(BreakCandidate{cy, c->style->pageBreakBefore == PageBreak::Always});
        out->push_back(BreakCandidate{cy + c->h, c->style->pageBreakAfter == PageBreak::Always});
        keepTopWithLine.push_back({cy, cy + c->h});
        if (isHeading(c) || c->style->pageBreakAfter == PageBreak::Avoid) keepWithNext.push_back({cy, cy + c->h});
        if (c->style->pageBreakBefore == PageBreak::Avoid) keepAcross.push_back(cy);
      }
      // a table row stays whole where it fits on a page
      if ((c->style->pageBreakInsideAvoid || c->kind == BoxKind::Row) && c->kind != BoxKind::Lines)
        soft->push_back({cy, cy + c->h});
      walk(c, X + c->x, cy);
    }
  }

  // A floated heading (a member's title tab) or a float asking to stay with
  // what follows keeps to the first line below it as a block would; one
  // asking not to be broken stays whole.
  void keepFloat(const Box* f, float y) {
    if (isHeading(f) || f->style->pageBreakAfter == PageBreak::Avoid) keepWithNext.push_back({y, y + f->h});
    if (f->style->pageBreakInsideAvoid) soft->push_back({y, y + f->h});
  }

  // Turns the kept bands into soft ones, now that every line is known.
  void resolveKeeps() {
    std::vector<Band> lines(*hard);
    std::sort(lines.begin(), lines.end());
    // the bottom of the first line starting at or below y; -1 when none
    auto lineAfter = [&](float y) {
      auto it = std::lower_bound(lines.begin(), lines.end(), Band{y - 0.5f, -1e30f});
      return it == lines.end() ? -1.0f : it->second;
    };
    // the top of the last line ending at or above y; -1 when none
    auto lineBefore = [&](float y) {
      float top = -1;
      for (auto it = std::lower_bound(lines.begin(), lines.end(), Band{y + 0.5f, -1e30f}); it != lines.begin();) {
        --it;
        if (it->second <= y + 0.5f) return it->first;
        if (lines.end() - it > 64) break;  // a tall image or float before y: give up
      }
      return top;
    };
    for (const Band& k : keepWithNext) {
      float next = lineAfter(k.second);
      if (next > k.first) soft->push_back({k.first, next});
    }
    // only a line of the box's own: an empty box kept with the line after
    // it would chain every box of a run of them into one unbreakable band
    for (const Band& b : keepTopWithLine) {
      float next = lineAfter(b.first);
      if (next > b.first && next <= b.second + 0.5f) soft->push_back({b.first, next});
    }
    for (float y : keepAcross) {
      float prev = lineBefore(y), next = lineAfter(y);
      if (prev >= 0 && next > prev) soft->push_back({prev, next});
    }
  }
};

}  // namespace

void collectBreaks(const Box* root, std::vector<BreakCandidate>* out, std::vector<std::pair<float, float>>* hard,
                   std::vector<std::pair<float, float>>* soft) {
  BreakCollector c{out, hard, soft, {}, {}, {}};
  if (!root) return;
  c.walk(root, root->x, root->y);
  c.resolveKeeps();
}

}  // namespace layout
}  // namespace tw
