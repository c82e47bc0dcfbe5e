// box_builder.cpp - from the styled DOM to the box tree: block-level boxes,
// line containers with their inline items, table structure (with the
// anonymous boxes CSS 2.1 17.2.1 asks for), list markers and images.
#include <algorithm>
#include <unordered_map>

#include "layout/layout_internal.h"

namespace tw {
namespace layout {

namespace {

using html::Tag;

void appendUtf16(std::u16string& out, uint32_t cp) {
  if (cp < 0x10000) {
    out += char16_t(cp);
  } else {
    cp -= 0x10000;
    out += char16_t(0xD800 + (cp >> 10));
    out += char16_t(0xDC00 + (cp & 0x3FF));
  }
}

// Decodes one code point of UTF-8 at s[i]; invalid bytes give U+FFFD.
uint32_t nextCodePoint(std::string_view s, size_t& i) {
  unsigned char c = s[i++];
  if (c < 0x80) return c;
  int n = c >= 0xF0 && c < 0xF5 ? 3 : c >= 0xE0 ? 2 : c >= 0xC2 && c < 0xE0 ? 1 : -1;
  if (c >= 0xF5 || n < 0) return 0xFFFD;
  uint32_t cp = c & (0x3F >> n);
  for (int k = 0; k < n; ++k) {
    if (i >= s.size() || (s[i] & 0xC0) != 0x80) return 0xFFFD;
    cp = (cp << 6) | (s[i++] & 0x3F);
  }
  if ((n == 1 && cp < 0x80) || (n == 2 && cp < 0x800) || (n == 3 && (cp < 0x10000 || cp > 0x10FFFF)) ||
      (cp >= 0xD800 && cp <= 0xDFFF))
    return 0xFFFD;
  return cp;
}

char16_t upper(char16_t c) {
  if (c >= 'a' && c <= 'z') return char16_t(c - 32);
  if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return char16_t(c - 32);
  if (c >= 0x3B1 && c <= 0x3C9 && c != 0x3C2) return char16_t(c - 32);
  if (c >= 0x430 && c <= 0x44F) return char16_t(c - 32);
  return c;
}
char16_t lowerc(char16_t c) {
  if (c >= 'A' && c <= 'Z') return char16_t(c + 32);
  if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return char16_t(c + 32);
  if (c >= 0x391 && c <= 0x3A9) return char16_t(c + 32);
  if (c >= 0x410 && c <= 0x42F) return char16_t(c + 32);
  return c;
}

std::u16string toRoman(int n, bool up) {
  if (n <= 0 || n >= 4000) return std::u16string(u"") + char16_t('0' + (n % 10));
  static const struct { int v; const char* s; } kR[] = {{1000, "m"}, {900, "cm"}, {500, "d"}, {400, "cd"}, {100, "c"},
                                                          {90, "xc"}, {50, "l"}, {40, "xl"}, {10, "x"}, {9, "ix"},
                                                          {5, "v"}, {4, "iv"}, {1, "i"}};
  std::u16string r;
  for (auto& e : kR)
    while (n >= e.v) {
      for (const char* p = e.s; *p; ++p) r += char16_t(up ? *p - 32 : *p);
      n -= e.v;
    }
  return r;
}

std::u16string toAlpha(int n, bool up) {
  if (n <= 0) return u"0";
  std::u16string r;
  while (n > 0 && r.size() < 8) {
    --n;
    r.insert(r.begin(), char16_t((up ? 'A' : 'a') + n % 26));
    n /= 26;
  }
  return r;
}

std::u16string markerFor(ListType t, int n) {
  std::u16string num;
  switch (t) {
    case ListType::None: return u"";
    case ListType::Disc: return u"\u2022";
    case ListType::Circle: return u"\u25E6";
    case ListType::Square: return u"\u25AA";
    case ListType::Decimal: {
      std::string d = std::to_string(n);
      for (char c : d) num += char16_t(c);
      break;
    }
    case ListType::LowerRoman: num = toRoman(n, false); break;
    case ListType::UpperRoman: num = toRoman(n, true); break;
    case ListType::LowerAlpha: num = toAlpha(n, false); break;
    case ListType::UpperAlpha: num = toAlpha(n, true); break;
  }
  return num + u".";
}

long parseIntAttr(std::string_view v, long dflt, long lo, long hi) {
  size_t i = 0;
  while (i < v.size() && (unsigned char)v[i] <= ' ') ++i;
  bool neg = false;
  if (i < v.size() && (v[i] == '-' || v[i] == '+')) neg = v[i++] == '-';
  if (i >= v.size() || v[i] < '0' || v[i] > '9') return dflt;
  long n = 0;
  while (i < v.size() && v[i] >= '0' && v[i] <= '9' && n < 100000000) n = n * 10 + (v[i++] - '0');
  if (neg) n = -n;
  return std::max(lo, std::min(hi, n));
}

class Builder {
 public:
  Builder(const StyleEngine& st, BoxArena& a, LayoutHost& h, int maxDepth, std::vector<ImageHandle>* images)
      : styles_(st), arena_(a), host_(h), maxDepth_(maxDepth), images_(images) {}

  Box* build(const html::Document& doc);

 private:
  struct Frame {
    const html::Node* node;
    Box* container;
    const html::Element* link;
    float shift;
    int depth;
    bool exit;
    bool openedInline;
    Box* content = nullptr;  // exit of an element: the box its content went to (for ::after)
  };

  const ComputedStyle* anonStyle(const ComputedStyle& parent, Display d) {
    auto s = std::make_shared<ComputedStyle>();
    // inherited properties only
    ComputedStyle& c = *s;
    c.fontFamily = parent.fontFamily;
    c.fontSize = parent.fontSize;
    c.fontWeight = parent.fontWeight;
    c.italic = parent.italic;
    c.color = parent.color;
    c.textAlign = parent.textAlign;
    c.blockAlign = parent.blockAlign;
    c.decorationsInEffect = parent.decorationsInEffect;
    c.textTransform = parent.textTransform;
    c.whiteSpace = parent.whiteSpace;
    c.lineHeight = parent.lineHeight;
    c.lineHeightFactor = parent.lineHeightFactor;
    c.letterSpacing = parent.letterSpacing;
    c.wordSpacing = parent.wordSpacing;
    c.listType = parent.listType;
    c.visible = parent.visible;
    c.borderCollapse = parent.borderCollapse;
    c.borderSpacingH = parent.borderSpacingH;
    c.borderSpacingV = parent.borderSpacingV;
    c.display = d;
    for (auto& bc : c.borderColor) bc = c.color;
    return arena_.keep(s);
  }

  static bool isTableInner(const Box* b) {
    return b->kind == BoxKind::Table || b->kind == BoxKind::RowGroup || b->kind == BoxKind::Row;
  }

  void addChild(Box* parent, Box* child) {
    child->parent = parent;
    parent->children.push_back(child);
  }

  // The box that receives a child of kind `k` appended to `c`, creating the
  // anonymous table boxes needed in between.
  Box* containerFor(Box* c, BoxKind k) {
    if (k == BoxKind::Cell) {
      if (c->kind == BoxKind::Row) return c;
      Box* g = containerFor(c, BoxKind::Row);
      if (!g->children.empty() && g->children.back()->kind == BoxKind::Row && !g->children.back()->element)
        return g->children.back();
      Box* r = arena_.make(BoxKind::Row, anonStyle(*g->style, Display::TableRow), nullptr);
      r->link = g->link;
      addChild(g, r);
      return r;
    }
    if (k == BoxKind::Row) {
      if (c->kind == BoxKind::RowGroup) return c;
      if (c->kind == BoxKind::Row) c = c->parent ? c->parent : c;
      if (c->kind == BoxKind::RowGroup) return c;
      Box* t = containerFor(c, BoxKind::RowGroup);
      if (!t->children.empty() && t->children.back()->kind == BoxKind::RowGroup && !t->children.back()->element)
        return t->children.back();
      Box* g = arena_.make(BoxKind::RowGroup, anonStyle(*t->style, Display::TableRowGroup), nullptr);
      g->link = t->link;
      addChild(t, g);
      return g;
    }
    if (k == BoxKind::RowGroup) {  // also captions
      if (c->kind == BoxKind::Table) return c;
      if ((c->kind == BoxKind::Row || c->kind == BoxKind::RowGroup) && c->parent) return containerFor(c->parent, k);
      Box* t = arena_.make(BoxKind::Table, anonStyle(*c->style, Display::Table), nullptr);
      t->link = c->link;
      appendBlockLevel(c, t);
      return t;
    }
    // block-level content inside a table part: wrap it in an anonymous cell
    if (isTableInner(c)) {
      Box* r = containerFor(c, BoxKind::Cell);
      // consecutive non-table content shares one anonymous cell (17.2.1)
      if (!r->children.empty() && r->children.back()->kind == BoxKind::Cell && !r->children.back()->element)
        return r->children.back();
      Box* cell = arena_.make(BoxKind::Cell, anonStyle(*r->style, Display::TableCell), nullptr);
      cell->link = r->link;
      addChild(r, cell);
      return cell;
    }
    return c;
  }

  void appendBlockLevel(Box* c, Box* b) {
    Box* p = containerFor(c, BoxKind::Block);
    addChild(p, b);
  }

  // The line container that receives inline content of block container c.
  Box* linesOf(Box* c) {
    c = containerFor(c, BoxKind::Block);
    if (!c->children.empty() && c->children.back()->kind == BoxKind::Lines) return c->children.back();
    Box* l = arena_.make(BoxKind::Lines, c->style, nullptr);
    l->link = c->link;
    addChild(c, l);
    // inline boxes still open around a block that split them continue here
    auto it = openInline_.find(c);
    if (it != openInline_.end())
      for (const InlineItem& o : it->second) l->items.push_back(o);
    return l;
  }

  // The text of an element's ::before or ::after, as inline content of c.
  void generatedText(Box* c, const html::Element* e, PseudoElement which, const html::Element* link, float shift) {
    const ComputedStyle* st = e ? styles_.pseudoStyle(e, which) : nullptr;
    if (st && !st->content.empty()) appendText(c, st->content, st, e, link, shift);
  }

  bool lastIsSpace(const Box* lines) const {
    for (size_t i = lines->items.size(); i-- > 0;) {
      const InlineItem& it = lines->items[i];
      if (it.kind == InlineItem::Text) return it.text.empty() || it.text.back() == u' ';
      if (it.kind == InlineItem::Atomic) return false;
      if (it.kind == InlineItem::Break) return true;
    }
    return true;  // start of the container
  }

  void addItem(Box* lines, InlineItem it) {
    if (it.kind == InlineItem::Text && !lines->items.empty()) {
      InlineItem& last = lines->items.back();
      if (last.kind == InlineItem::Text && last.style == it.style && last.owner == it.owner && last.link == it.link &&
          last.shift == it.shift) {
        last.text += it.text;
        return;
      }
    }
    lines->items.push_back(std::move(it));
  }

  void appendText(Box* c, std::string_view s, const ComputedStyle* st, const html::Element* owner,
                  const html::Element* link, float shift) {
    if (isTableInner(c)) {
      bool blank = true;
      for (char ch : s)
        if ((unsigned char)ch > ' ') blank = false;
      if (blank) return;
    }
    Box* lines = linesOf(c);
    WhiteSpace ws = st->whiteSpace;
    bool collapse = ws == WhiteSpace::Normal || ws == WhiteSpace::Nowrap || ws == WhiteSpace::PreLine;
    bool keepNewlines = ws == WhiteSpace::Pre || ws == WhiteSpace::PreWrap || ws == WhiteSpace::PreLine;
    std::u16string out;
    bool space = collapse && lastIsSpace(lines);
    bool capNext = true;
    if (st->textTransform == TextTransform::Capitalize && !lastIsSpace(lines)) capNext = false;
    auto flush = [&]() {
      if (out.empty()) return;
      InlineItem it;
      it.kind = InlineItem::Text;
      it.style = st;
      it.owner = owner;
      it.link = link;
      it.shift = shift;
      it.text = std::move(out);
      out.clear();
      addItem(lines, std::move(it));
    };
    if (colLines_ != lines) colLines_ = lines, col_ = 0;
    size_t i = 0;
    while (i < s.size()) {
      uint32_t cp = nextCodePoint(s, i);
      if (cp == '\r') continue;
      if (cp == '\n' && keepNewlines) {
        if (ws == WhiteSpace::PreLine)
          while (!out.empty() && out.back() == u' ') out.pop_back();
        flush();
        InlineItem br;
        br.kind = InlineItem::Break;
        br.style = st;
        lines->items.push_back(br);
        space = collapse;
        col_ = 0;
        continue;
      }
      if (cp == ' ' || cp == '\t' || cp == '\n' || cp == '\f') {
        if (collapse) {
          if (!space) out += u' ';
          space = true;
          capNext = true;
        } else if (cp == '\t') {
          size_t n = 8 - col_ % 8;
          out.append(n, u' ');
          col_ += n;
        } else {
          out += u' ';
          ++col_;
        }
        continue;
      }
      if (cp < 0x20 || cp == 0x7F || (cp >= 0x80 && cp < 0xA0)) continue;  // controls
      if (cp == 0xAD) continue;  // soft hyphen: not shown
      space = false;
      ++col_;
      size_t at = out.size();
      appendUtf16(out, cp);
      switch (st->textTransform) {
        case TextTransform::Uppercase: out[at] = upper(out[at]); break;
        case TextTransform::Lowercase: out[at] = lowerc(out[at]); break;
        case TextTransform::Capitalize:
          if (capNext) out[at] = upper(out[at]);
          break;
        default: break;
      }
      capNext = false;
      if (out.size() >= 65536) flush();  // keep items of bounded size
    }
    flush();
  }

  static bool needsSpan(const html::Element* e, const ComputedStyle& s) {
    if (e->is(Tag::A) && (e->hasAttribute("href") || e->hasAttribute("name"))) return true;
    if (!e->id().empty()) return true;
    if (!s.backgroundColor.isTransparent()) return true;
    for (int i = 0; i < 4; ++i)
      if (s.borderWidth[i] > 0 || s.padding[i].value != 0) return true;
    return s.margin[1].value != 0 || s.margin[3].value != 0;
  }

  Box* makeImage(const html::Element* e, const ComputedStyle* st) {
    Box* b = arena_.make(BoxKind::Image, st, e);
    std::string src(e->getAttribute("src"));
    while (!src.empty() && (unsigned char)src.back() <= ' ') src.pop_back();
    if (!src.empty()) {
      b->imageUrl = resolveUrl(styles_.baseUrl(), src);
      int w = 0, h = 0;
      ImageHandle img = host_.loadImage(b->imageUrl, &w, &h);
      if (img && w > 0 && h > 0) {
        b->image = img;
        b->imageW = std::min(w, 1000000);
        b->imageH = std::min(h, 1000000);
        images_->push_back(img);
      } else if (img) {
        host_.releaseImage(img);
      }
    }
    return b;
  }

  void setMarker(Box* li, const html::Element* e) {
    const ComputedStyle& s = *li->style;
    int n = 1;
    if (e) {
      const html::Element* p = e->parentElement();
      auto it = counters_.find(p);
      if (it == counters_.end()) {
        long start = 1;
        if (p && p->is(Tag::Ol)) start = parseIntAttr(p->getAttribute("start"), 1, -1000000, 1000000);
        it = counters_.emplace(p, int(start - 1)).first;
      }
      if (e->hasAttribute("value")) it->second = int(parseIntAttr(e->getAttribute("value"), it->second + 1, -1000000, 1000000));
      else ++it->second;
      n = it->second;
    }
    if (!s.listImage.empty()) {
      // list-style-image: a small replaced box used as the marker
      std::string url = resolveUrl(styles_.baseUrl(), s.listImage);
      int w = 0, h = 0;
      ImageHandle img = host_.loadImage(url, &w, &h);
      if (img && w > 0 && h > 0) {
        Box* m = arena_.make(BoxKind::Image, anonStyle(s, Display::Inline), nullptr);
        m->image = img;
        m->imageW = std::min(w, 1000);
        m->imageH = std::min(h, 1000);
        m->imageUrl = url;
        images_->push_back(img);
        li->markerBox = m;
        return;
      }
      if (img) host_.releaseImage(img);
    }
    li->markerText = markerFor(s.listType, n);
  }

  const StyleEngine& styles_;
  BoxArena& arena_;
  LayoutHost& host_;
  int maxDepth_;
  std::vector<ImageHandle>* images_;
  std::unordered_map<const Box*, std::vector<InlineItem>> openInline_;
  std::unordered_map<const html::Element*, int> counters_;
  Box* colLines_ = nullptr;
  size_t col_ = 0;
};

Box* Builder::build(const html::Document& doc) {
  const html::Element* rootEl = doc.documentElement();
  const ComputedStyle* rootStyle = &styles_.styleOf(rootEl);
  Box* root = arena_.make(BoxKind::Block, rootStyle, rootEl);
  if (!rootEl) return root;

  std::vector<Frame> stack;
  for (const html::Node* c = rootEl->lastChild(); c; c = c->previousSibling())
    stack.push_back(Frame{c, root, nullptr, 0, 1, false, false});
  while (!stack.empty()) {
    Frame f = stack.back();
    stack.pop_back();
    if (f.exit) {
      if (f.content) generatedText(f.content, f.node->asElement(), PseudoElement::After, f.link, f.shift);
      if (f.openedInline) {
        const html::Element* e = f.node->asElement();
        Box* lines = linesOf(f.container);
        InlineItem it;
        it.kind = InlineItem::Close;
        it.element = e;
        it.style = &styles_.styleOf(e);
        it.link = f.link;
        lines->items.push_back(it);
        auto& open = openInline_[containerFor(f.container, BoxKind::Block)];
        if (!open.empty()) open.pop_back();
      }
      continue;
    }
    if (const html::Text* t = f.node->asText()) {
      const html::Element* pe = t->parentElement();
      appendText(f.container, t->data(), pe ? &styles_.styleOf(pe) : rootStyle, pe, f.link, f.shift);
      continue;
    }
    const html::Element* e = f.node->asElement();
    if (!e) continue;
    const ComputedStyle* st = &styles_.styleOf(e);
    if (st->display == Display::None) continue;
    const html::Element* link = f.link;
    if (e->is(Tag::A) && e->hasAttribute("href")) link = e;
    const bool flat = f.depth > maxDepth_;

    if (e->is(Tag::Br)) {
      Box* lines = linesOf(f.container);
      InlineItem br;
      br.kind = InlineItem::Break;
      br.style = st;
      lines->items.push_back(br);
      continue;
    }
    if (e->is(Tag::Img)) {
      Box* img = makeImage(e, st);
      img->link = link;
      std::string_view alt = e->getAttribute("alt");
      if (!img->image && !alt.empty()) {
        // an image that cannot be shown gives way to its text, as in browsers
        appendText(f.container, alt, st, e, link, f.shift);
        continue;
      }
      if (flat || (st->floating == FloatKind::None && !st->isBlockLevel())) {
        InlineItem it;
        it.kind = InlineItem::Atomic;
        it.box = img;
        it.style = st;
        it.element = e;
        it.link = link;
        it.shift = f.shift;
        Box* lines = linesOf(f.container);
        img->parent = lines;
        lines->items.push_back(it);
      } else if (st->floating != FloatKind::None) {
        InlineItem it;
        it.kind = InlineItem::Float;
        it.box = img;
        it.style = st;
        Box* lines = linesOf(f.container);
        img->parent = lines;
        lines->items.push_back(it);
      } else {
        appendBlockLevel(f.container, img);
      }
      continue;
    }
    auto pushChildren = [&](Box* container, float shift) {
      for (const html::Node* c = e->lastChild(); c; c = c->previousSibling())
        stack.push_back(Frame{c, container, link, shift, f.depth + 1, false, false});
    };
    if (flat) {
      pushChildren(f.container, f.shift);
      continue;
    }
    Display d = st->display;
    if (d == Display::Inline || d == Display::TableColumn || d == Display::TableColumnGroup) {
      if (d != Display::Inline) continue;
      float shift = f.shift;
      if (st->verticalAlign == VAlign::Sub) shift -= st->fontSize * 0.3f;
      else if (st->verticalAlign == VAlign::Super) shift += st->fontSize * 0.45f;
      else if (st->verticalAlign == VAlign::Length) shift += st->verticalAlignPx;
      bool span = needsSpan(e, *st);
      stack.push_back(Frame{e, f.container, link, shift, f.depth, true, span, f.container});
      if (span) {
        Box* lines = linesOf(f.container);
        InlineItem it;
        it.kind = InlineItem::Open;
        it.element = e;
        it.style = st;
        it.link = link;
        it.shift = shift;
        lines->items.push_back(it);
        openInline_[containerFor(f.container, BoxKind::Block)].push_back(it);
      }
      generatedText(f.container, e, PseudoElement::Before, link, shift);
      pushChildren(f.container, shift);
      continue;
    }
    BoxKind kind = BoxKind::Block;
    switch (d) {
      case Display::Table: case Display::InlineTable: kind = BoxKind::Table; break;
      case Display::TableRowGroup: case Display::TableHeaderGroup: case Display::TableFooterGroup:
        kind = BoxKind::RowGroup;
        break;
      case Display::TableRow: kind = BoxKind::Row; break;
      case Display::TableCell: kind = BoxKind::Cell; break;
      default: kind = BoxKind::Block; break;
    }
    Box* b = arena_.make(kind, st, e);
    b->link = link;
    if (kind == BoxKind::Cell) {
      b->colspan = int(parseIntAttr(e->getAttribute("colspan"), 1, 1, 1000));
      b->rowspan = int(parseIntAttr(e->getAttribute("rowspan"), 1, 0, 65534));
    }
    if (d == Display::ListItem) setMarker(b, e);
    if (kind == BoxKind::Cell || kind == BoxKind::Row || kind == BoxKind::RowGroup) {
      Box* p = containerFor(f.container, kind);
      addChild(p, b);
    } else if (d == Display::TableCaption) {
      Box* p = containerFor(f.container, BoxKind::RowGroup);
      addChild(p, b);
    } else if (st->floating != FloatKind::None) {
      Box* lines = nullptr;
      Box* c = containerFor(f.container, BoxKind::Block);
      if (!c->children.empty() && c->children.back()->kind == BoxKind::Lines) lines = c->children.back();
      if (lines) {
        InlineItem it;
        it.kind = InlineItem::Float;
        it.box = b;
        it.style = st;
        b->parent = lines;
        lines->items.push_back(it);
      } else {
        addChild(c, b);
      }
    } else if (d == Display::InlineBlock || d == Display::InlineTable) {
      Box* lines = linesOf(f.container);
      InlineItem it;
      it.kind = InlineItem::Atomic;
      it.box = b;
      it.style = st;
      it.element = e;
      it.link = link;
      it.shift = f.shift;
      b->parent = lines;
      lines->items.push_back(it);
    } else {
      appendBlockLevel(f.container, b);
    }
    if (d == Display::ListItem && st->listInside && !b->markerText.empty()) {
      Box* lines = linesOf(b);
      InlineItem it;
      it.kind = InlineItem::Text;
      it.style = st;
      it.text = b->markerText + u" ";
      lines->items.push_back(it);
      b->markerText.clear();
    }
    stack.push_back(Frame{e, f.container, link, f.shift, f.depth, true, false, b});
    generatedText(b, e, PseudoElement::Before, link, 0);
    pushChildren(b, 0);
  }
  return root;
}

}  // namespace

Box* buildBoxes(const html::Document& doc, const StyleEngine& styles, BoxArena& arena, LayoutHost& host,
                int maxDepth, std::vector<ImageHandle>* images) {
  Builder b(styles, arena, host, maxDepth, images);
  return b.build(doc);
}

}  // namespace layout
}  // namespace tw
