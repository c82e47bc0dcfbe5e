// inline_layout.cpp - inline formatting (CSS 2.1 9.4.2, 10.8): line
// breaking at spaces and around atomic inlines, forced breaks, floats met in
// the text, vertical alignment in line boxes, text-align and text-indent.
#include <algorithm>
#include <cmath>

#include "layout/layout_internal.h"

namespace tw {
namespace layout {

namespace {

bool isCjk(char16_t c) {
  return (c >= 0x1100 && c <= 0x11FF) || (c >= 0x2E80 && c <= 0x9FFF) || (c >= 0xAC00 && c <= 0xD7AF) ||
         (c >= 0xF900 && c <= 0xFAFF) || (c >= 0xFE30 && c <= 0xFE4F) || (c >= 0xFF00 && c <= 0xFFEF);
}

bool noBreakBefore(char16_t c) {
  static const char16_t kClose[] = u"\u3001\u3002\uFF0C\uFF0E\u30FB\uFF1A\uFF1B\uFF1F\uFF01\uFF09\u300D\u300F"
                                   u"\u3011\u3015\u3009\u300B\u30FC\u3063\u30C3\u3083\u3085\u3087\u30E3\u30E5"
                                   u"\u30E7\u3041\u3043\u3045\u3047\u3049\u30A1\u30A3\u30A5\u30A7\u30A9\uFF61"
                                   u"\uFF63\uFF64\u309B\u309C\u301F)]},.;:!?%";
  for (const char16_t* p = kClose; *p; ++p)
    if (*p == c) return true;
  return false;
}

bool noBreakAfter(char16_t c) {
  static const char16_t kOpen[] = u"\uFF08\u300C\u300E\u3010\u3014\u3008\u300A\u301D\uFF62([{$";
  for (const char16_t* p = kOpen; *p; ++p)
    if (*p == c) return true;
  return false;
}

}  // namespace

// Between printable ASCII characters a browser breaks after a hyphen or a
// question mark (not before closing punctuation), and before an opening
// bracket after other punctuation ("get<T>(x)" breaks before "(").
bool asciiBreak(char16_t before, char16_t a, char16_t b) {
  auto in = [](char16_t c, const char16_t* set) {
    for (; *set; ++set)
      if (*set == c) return true;
    return false;
  };
  auto alnum = [](char16_t c) { return (c >= u'0' && c <= u'9') || ((c | 0x20) >= u'a' && (c | 0x20) <= u'z'); };
  if (a == u'-') {
    // a minus sign stays with its number; "ABC-123" and "12-34" may break
    if (b >= u'0' && b <= u'9') return alnum(before);
    return !in(b, u"!$),./:;?]}");
  }
  if (a == u'?') return !in(b, u"!\"'),./:;?]}");
  return in(a, u"!\"#%&)*+,.:;=>\\]|}~") && in(b, u"(<[{");
}

bool breakBetween(char16_t before, char16_t a, char16_t b) {
  if (a > 0x20 && a < 0x7F && b > 0x20 && b < 0x7F) return asciiBreak(before, a, b);
  if (!isCjk(a) && !isCjk(b)) return false;
  return !noBreakBefore(b) && !noBreakAfter(a);
}

namespace {

bool wraps(WhiteSpace ws) { return ws == WhiteSpace::Normal || ws == WhiteSpace::PreWrap || ws == WhiteSpace::PreLine; }
bool collapses(WhiteSpace ws) { return ws == WhiteSpace::Normal || ws == WhiteSpace::Nowrap || ws == WhiteSpace::PreLine; }

float edgeOf(const ComputedStyle& s, int side, float cb) {
  return std::max(0.0f, s.borderWidth[side]) + s.padding[side].resolve(cb, 0) + s.margin[side].resolve(cb, 0);
}

// Distance from the top of block b's border box to the baseline of its last
// line box, or -1 when it has none (CSS 2.1 10.8.1: the baseline of an
// inline-block). Bounded by the box tree's depth.
float lastBaseline(const Box* b) {
  if (b->kind != BoxKind::Block || b->style->overflowHidden) return -1;
  for (size_t i = b->children.size(); i-- > 0;) {
    const Box* c = b->children[i];
    if (c->isFloat()) continue;
    if (c->kind == BoxKind::Lines) {
      for (size_t k = c->lines.size(); k-- > 0;)
        if (c->lines[k].height > 0) return c->y + c->lines[k].y + c->lines[k].baseline;
      continue;
    }
    float r = lastBaseline(c);
    if (r >= 0) return c->y + r;
  }
  return -1;
}

class LineBuilder {
 public:
  LineBuilder(Box* lb, float width, float ox, float oy, FloatManager* fm, LayoutContext& ctx, bool first)
      : lb_(lb), width_(width), ox_(ox), oy_(oy), fm_(fm), ctx_(ctx), firstInBlock_(first) {
    const ComputedStyle& s = *lb->style;
    blockFont_ = ctx.fonts->get(s);
    strut_ = lineHeightOf(s, blockFont_);
    if (first) indent_ = s.textIndentPct >= 0 ? width * s.textIndentPct / 100 : s.textIndent;
  }

  void run();

 private:
  void startLine();
  void placeGroup();
  // forced: ended by a forced break; last: the last line of the container
  // (neither is justified)
  void finishLine(bool forced, bool last = false);
  void addToGroup(Fragment f) {
    f.x = groupW_;
    groupW_ += f.w;
    group_.push_back(f);
  }
  void addText(uint32_t item, size_t b, size_t e, float w, bool space) {
    Fragment f;
    f.kind = Fragment::Text;
    f.item = item;
    f.start = uint32_t(b);
    f.len = uint32_t(e - b);
    f.w = w;
    f.space = space;
    f.baselineShift = lb_->items[item].shift;
    addToGroup(f);
  }
  bool lineHasContent() const {
    for (const Fragment& f : cur_)
      if (!f.space || f.kind != Fragment::Text) return true;
    return false;
  }
  void placeFloat(Box* box);

  Box* lb_;
  float width_, ox_, oy_;
  FloatManager* fm_;
  LayoutContext& ctx_;
  bool firstInBlock_;
  FontEntry* blockFont_;
  float strut_;
  float indent_ = 0;

  float y_ = 0;             // top of the current line
  float left_ = 0, right_ = 0;
  float x_ = 0;             // next x on the current line (relative to left_)
  bool lineStarted_ = false;
  bool firstLine_ = true;
  std::vector<Fragment> cur_, group_;
  float groupW_ = 0;
  std::vector<Box*> pendingFloats_;
  std::vector<uint32_t> openItems_;  // inline boxes open at the start of the current line
};

void LineBuilder::startLine() {
  if (lineStarted_) return;
  lineStarted_ = true;
  fm_->available(oy_ + y_, strut_, ox_, ox_ + width_, &left_, &right_);
  left_ -= ox_;
  right_ -= ox_;
  x_ = firstLine_ ? indent_ : 0;
}

void LineBuilder::placeFloat(Box* box) {
  layoutAtomic(box, width_, ctx_);
  float mw = box->w + box->margin[1] + box->margin[3], mh = box->h + box->margin[0] + box->margin[2];
  float px, py;
  fm_->place(mw, mh, box->style->floating == FloatKind::Left, oy_ + y_, ox_, ox_ + width_, &px, &py,
              box->style->clear);
  box->x = px - ox_ + box->margin[3];
  box->y = py - oy_ + box->margin[0];
}

void LineBuilder::placeGroup() {
  if (group_.empty()) return;
  startLine();
  if (lineHasContent() && x_ + groupW_ > right_ - left_ + 0.01f) {
    finishLine(false);
    startLine();
  }
  if (!lineHasContent()) {
    // collapsible white space at the start of a line goes away
    bool allSpace = true;
    for (const Fragment& f : group_)
      if (!(f.kind == Fragment::Text && f.space && collapses(lb_->items[f.item].style->whiteSpace))) allSpace = false;
    if (allSpace) {
      group_.clear();
      groupW_ = 0;
      return;
    }
  }
  // a line narrowed by floats that cannot take the group moves below them
  for (int guard = 0; guard < 1000 && !lineHasContent() && x_ + groupW_ > right_ - left_ + 0.01f &&
                      (left_ > 0 || right_ < width_);
       ++guard) {
    float next = fm_->nextBottom(oy_ + y_, strut_);
    if (next >= 0) next -= oy_;
    if (next <= y_) break;
    y_ = next;
    lineStarted_ = false;
    startLine();
  }
  for (Fragment& f : group_) {
    f.x += x_;
    cur_.push_back(f);
  }
  x_ += groupW_;
  group_.clear();
  groupW_ = 0;
}

void LineBuilder::finishLine(bool forced, bool last) {
  startLine();
  // trailing collapsible white space
  while (!cur_.empty() && cur_.back().kind == Fragment::Text && cur_.back().space &&
         collapses(lb_->items[cur_.back().item].style->whiteSpace)) {
    x_ -= cur_.back().w;
    cur_.pop_back();
  }
  if (cur_.empty() && !forced && openItems_.empty()) {
    lineStarted_ = false;
    return;
  }
  LineBox line;
  line.y = y_;
  // --- vertical metrics
  auto halfLeading = [&](const ComputedStyle& s, float shift, float* a, float* d) {
    FontEntry* f = ctx_.fonts->get(s);
    float lh = lineHeightOf(s, f);
    float asc = f->metrics.ascent, desc = f->metrics.descent;
    float lead = (lh - (asc + desc)) / 2;
    *a = asc + lead + shift;
    *d = desc + lead - shift;
  };
  bool text = forced || !ctx_.lineHeightQuirk;
  for (size_t i = 0; i < cur_.size() && !text; ++i)
    text = cur_[i].kind == Fragment::Text &&
           (!cur_[i].space || !collapses(lb_->items[cur_[i].item].style->whiteSpace));
  float A = 0, D = 0;
  if (text) halfLeading(*lb_->style, 0, &A, &D);
  bool visible = forced;
  float topBottomH = 0;
  for (const Fragment& f : cur_) {
    const InlineItem& it = lb_->items[f.item];
    float a = 0, d = 0;
    if (f.kind == Fragment::Text) {
      halfLeading(*it.style, f.baselineShift, &a, &d);
      if (!f.space) visible = true;
    } else if (f.kind == Fragment::Atomic) {
      visible = true;
      Box* b = it.box;
      float H = b->h + b->margin[0] + b->margin[2];
      VAlign va = b->style->verticalAlign;
      if (va == VAlign::Top || va == VAlign::Bottom) {
        topBottomH = std::max(topBottomH, H);
        continue;
      }
      if (va == VAlign::Middle) {
        float xh = blockFont_->metrics.xHeight;
        a = H / 2 + xh / 2;
        d = H - a;
      } else if (va == VAlign::TextTop) {
        a = blockFont_->metrics.ascent;
        d = H - a;
      } else {
        float shift = f.baselineShift + (va == VAlign::Length ? b->style->verticalAlignPx : 0);
        float base = lastBaseline(b);
        float above = base >= 0 ? b->margin[0] + base : H;  // inline-blocks sit on their last line
        a = above + shift;
        d = H - above - shift;
      }
    } else {
      // without text, only inline boxes with vertical padding or borders
      // keep their line height
      const ComputedStyle& is = *it.style;
      if (text || is.borderWidth[0] > 0 || is.borderWidth[2] > 0 || is.padding[0].value > 0 || is.padding[2].value > 0)
        halfLeading(is, f.baselineShift, &a, &d);
      if (f.w > 0) visible = true;
    }
    A = std::max(A, a);
    D = std::max(D, d);
  }
  if (!visible) {
    A = D = 0;
  }
  line.baseline = A;
  line.height = std::max(A + D, topBottomH);
  if (!visible) line.height = 0;
  // --- horizontal alignment
  const ComputedStyle& bs = *lb_->style;
  float avail = right_ - left_;
  float used = x_;
  float shift = 0;
  TextAlign ta = bs.textAlign;
  if (ta == TextAlign::Right) shift = avail - used;
  else if (ta == TextAlign::Center) shift = (avail - used) / 2;
  if (shift < 0) shift = 0;
  float extraPerSpace = 0;
  if (ta == TextAlign::Justify && !forced && !last && avail > used) {
    int spaces = 0;
    for (const Fragment& f : cur_)
      if (f.kind == Fragment::Text && f.space) ++spaces;
    if (spaces > 0) extraPerSpace = (avail - used) / spaces;
  }
  float acc = 0;
  for (Fragment& f : cur_) {
    f.x += left_ + shift + acc;
    if (extraPerSpace > 0 && f.kind == Fragment::Text && f.space) {
      f.w += extraPerSpace;
      acc += extraPerSpace;
    }
  }
  // --- atomic boxes
  for (const Fragment& f : cur_) {
    if (f.kind != Fragment::Atomic) continue;
    Box* b = lb_->items[f.item].box;
    float H = b->h + b->margin[0] + b->margin[2];
    VAlign va = b->style->verticalAlign;
    float topM;
    if (va == VAlign::Top) topM = 0;
    else if (va == VAlign::Bottom) topM = line.height - H;
    else if (va == VAlign::Middle) topM = line.baseline - (H / 2 + blockFont_->metrics.xHeight / 2);
    else if (va == VAlign::TextTop) topM = line.baseline - blockFont_->metrics.ascent;
    else {
      float base = lastBaseline(b);
      float above = base >= 0 ? b->margin[0] + base : H;
      topM = line.baseline - above - f.baselineShift - (va == VAlign::Length ? b->style->verticalAlignPx : 0);
    }
    b->x = f.x + b->margin[3];
    b->y = y_ + topM + b->margin[0];
  }
  // --- inline box spans
  std::vector<InlineSpan> stack;
  float lineStartX = cur_.empty() ? left_ : cur_.front().x;
  float lineEndX = cur_.empty() ? left_ : cur_.back().x + cur_.back().w;
  for (uint32_t item : openItems_) {
    InlineSpan s;
    s.item = item;
    s.x0 = lineStartX;
    stack.push_back(s);
  }
  for (const Fragment& f : cur_) {
    if (f.kind == Fragment::Open) {
      InlineSpan s;
      s.item = f.item;
      s.x0 = f.x;
      s.first = true;
      stack.push_back(s);
    } else if (f.kind == Fragment::Close) {
      // find the matching open box (normally the innermost)
      const html::Element* e = lb_->items[f.item].element;
      for (size_t k = stack.size(); k-- > 0;) {
        if (lb_->items[stack[k].item].element == e) {
          InlineSpan s = stack[k];
          s.x1 = f.x + f.w;
          s.last = true;
          line.spans.push_back(s);
          stack.erase(stack.begin() + long(k));
          break;
        }
      }
    }
  }
  openItems_.clear();
  for (InlineSpan& s : stack) {
    s.x1 = lineEndX;
    line.spans.push_back(s);
    openItems_.push_back(s.item);
  }
  // in the order the boxes open: an inner box paints over its parent
  std::stable_sort(line.spans.begin(), line.spans.end(),
                   [](const InlineSpan& a, const InlineSpan& b) { return a.item < b.item; });
  // --- merge neighbouring text of one item, in place; the line keeps its
  // fragments until the page is painted, so it gets a copy of just their
  // number
  size_t count = 0;
  for (const Fragment& f : cur_) {
    Fragment* last = count > 0 ? &cur_[count - 1] : nullptr;
    if (last && f.kind == Fragment::Text && last->kind == Fragment::Text && last->item == f.item &&
        last->start + last->len == f.start && extraPerSpace == 0 && std::fabs(last->x + last->w - f.x) < 0.01f) {
      last->len += f.len;
      last->w += f.w;
      last->space = last->space && f.space;
      continue;
    }
    cur_[count++] = f;
  }
  line.frags.assign(cur_.begin(), cur_.begin() + long(count));
  lb_->lines.push_back(std::move(line));
  y_ += lb_->lines.back().height;
  cur_.clear();
  x_ = 0;
  lineStarted_ = false;
  firstLine_ = false;
  for (Box* f : pendingFloats_) placeFloat(f);
  pendingFloats_.clear();
}

void LineBuilder::run() {
  const std::vector<InlineItem>& items = lb_->items;
  for (uint32_t i = 0; i < items.size(); ++i) {
    const InlineItem& it = items[i];
    switch (it.kind) {
      case InlineItem::Text: {
        const ComputedStyle& s = *it.style;
        FontEntry* f = ctx_.fonts->get(s);
        bool wrap = wraps(s.whiteSpace);
        const std::u16string& t = it.text;
        size_t p = 0;
        while (p < t.size()) {
          size_t q = p;
          bool sp = t[p] == u' ';
          while (q < t.size() && (t[q] == u' ') == sp) ++q;
          if (sp && wrap) {
            float w = ctx_.fonts->width(f, t.data() + p, q - p);
            placeGroup();
            addText(i, p, q, w, true);
            placeGroup();
          } else if (!sp && wrap) {
            // break opportunities inside the word (ideographs, kana)
            size_t a = p;
            for (size_t k = p + 1; k <= q; ++k) {
              if (k < q && !breakBetween(k >= 2 ? t[k - 2] : 0, t[k - 1], t[k])) continue;
              addText(i, a, k, ctx_.fonts->width(f, t.data() + a, k - a), false);
              if (k < q) placeGroup();
              a = k;
            }
          } else {
            addText(i, p, q, ctx_.fonts->width(f, t.data() + p, q - p), sp);
          }
          p = q;
        }
        break;
      }
      case InlineItem::Open: case InlineItem::Close: {
        Fragment f;
        f.kind = it.kind == InlineItem::Open ? Fragment::Open : Fragment::Close;
        f.item = i;
        f.w = edgeOf(*it.style, it.kind == InlineItem::Open ? 3 : 1, width_);
        f.baselineShift = it.shift;
        addToGroup(f);
        break;
      }
      case InlineItem::Atomic: {
        layoutAtomic(it.box, width_, ctx_);
        bool wrap = wraps(lb_->style->whiteSpace) && wraps(it.style->whiteSpace);
        if (wrap) placeGroup();
        Fragment f;
        f.kind = Fragment::Atomic;
        f.item = i;
        f.w = it.box->w + it.box->margin[1] + it.box->margin[3];
        f.baselineShift = it.shift;
        addToGroup(f);
        if (wrap) placeGroup();
        break;
      }
      case InlineItem::Break:
        placeGroup();
        finishLine(true);
        if (it.style && it.style->clear != ClearKind::None) {
          // <br clear=...>: the next line starts below the floats
          float below = fm_->clearance(it.style->clear) - oy_;
          if (below > y_) y_ = below;
        }
        break;
      case InlineItem::Float:
        placeGroup();
        if (!lineHasContent()) {
          placeFloat(it.box);
          lineStarted_ = false;  // the room of this line changed
          float keepX = x_;
          startLine();
          x_ = std::max(x_, keepX);
        } else {
          pendingFloats_.push_back(it.box);
        }
        break;
    }
  }
  placeGroup();
  if (!cur_.empty()) finishLine(false, true);
  for (Box* f : pendingFloats_) placeFloat(f);
  pendingFloats_.clear();
}

}  // namespace

void layoutLines(Box* lb, float width, float ox, float oy, FloatManager* fm, LayoutContext& ctx, bool firstInBlock) {
  lb->w = width;
  lb->lines.clear();
  LineBuilder b(lb, width, ox, oy, fm, ctx, firstInBlock);
  b.run();
  float h = 0;
  if (!lb->lines.empty()) h = lb->lines.back().y + lb->lines.back().height;
  lb->h = h;
}

}  // namespace layout
}  // namespace tw
