// html_layout.cpp - the public flow: load, layout, paint, paginate.
#include "layout/html_layout.h"

#include <algorithm>
#include <cmath>

#include "layout/layout_internal.h"
#include "stage_clock.h"

namespace tw {
namespace layout {

HtmlLayout::HtmlLayout(LayoutHost& host, LayoutOptions options) : host_(host), options_(std::move(options)) {}

HtmlLayout::~HtmlLayout() {
  arena_.reset();
  fonts_.reset();
  releaseImages();
}

void HtmlLayout::releaseImages() {
  for (ImageHandle h : images_) host_.releaseImage(h);
  images_.clear();
  bgImages_.clear();
}

size_t HtmlLayout::boxCount() const { return arena_ ? arena_->size() : 0; }

void HtmlLayout::load(const html::Document& doc, const std::string& docUrl) {
  root_ = nullptr;
  arena_.reset();
  fonts_.reset();
  releaseImages();
  anchorsValid_ = false;
  doc_ = &doc;
  docUrl_ = docUrl;
  stats::count(stats::Count::Pages);
  stats::StageTimer styleTime(stats::Stage::Style);
  styles_ = std::make_unique<StyleEngine>(&host_, docUrl, options_.media);
  if (!options_.extraCss.empty()) styles_->addAuthorSheet(options_.extraCss, docUrl);
  int depth = std::max(8, std::min(options_.maxDepth, 1000));
  styles_->computeStyles(doc, depth);
  styleTime.stop();
  stats::StageTimer boxTime(stats::Stage::Boxes);
  arena_ = std::make_unique<BoxArena>();
  fonts_ = std::make_unique<FontCache>(&host_);
  root_ = buildBoxes(doc, *styles_, *arena_, host_, depth, &images_);
  // The canvas takes the root's background, else the body's (CSS 2.1 14.2).
  canvas_ = Color::rgb(255, 255, 255);
  const ComputedStyle& rs = *root_->style;
  if (!rs.backgroundColor.isTransparent()) {
    canvas_ = rs.backgroundColor;
  } else if (doc.body()) {
    const ComputedStyle& bs = styles_->styleOf(doc.body());
    if (!bs.backgroundColor.isTransparent()) canvas_ = bs.backgroundColor;
  }
  docWidth_ = docHeight_ = 0;
}

namespace {

// Right edge of everything painted below b (overflow included), relative to
// b's parent. Bounded by the box tree's depth.
float contentRight(const Box* b) {
  float r = b->x + b->w;
  if (b->style && b->style->overflowHidden) return r;
  if (b->kind == BoxKind::Lines) {
    for (const LineBox& l : b->lines)
      if (!l.frags.empty()) r = std::max(r, b->x + l.frags.back().x + l.frags.back().w);
    for (const InlineItem& it : b->items)
      if ((it.kind == InlineItem::Atomic || it.kind == InlineItem::Float) && it.box)
        r = std::max(r, b->x + contentRight(it.box));
    return r;
  }
  for (const Box* c : b->children) r = std::max(r, b->x + contentRight(c));
  return r;
}

}  // namespace

void HtmlLayout::layout(float width) {
  anchorsValid_ = false;
  if (!root_) return;
  if (!(width > 0)) width = 1;
  width = std::min(width, kMaxLength);
  LayoutContext ctx;
  ctx.fonts = fonts_.get();
  ctx.host = &host_;
  ctx.quirks = doc_ && isQuirksMode(*doc_);
  ctx.lineHeightQuirk = ctx.quirks || (doc_ && isLimitedQuirksMode(*doc_));
  docHeight_ = layoutDocument(root_, width, ctx);
  // wide tables, long words and nowrap text widen the document (scrolling)
  docWidth_ = std::min(std::max({width, root_->x + root_->w + root_->margin[1], contentRight(root_)}), 10 * kMaxLength);
}

float HtmlLayout::layoutForPrint(float pageWidth) {
  // A browser's print shrinks a wide page by at most this much: a few
  // over-long preformatted lines would otherwise bring the whole page down
  // to unreadable text.
  const float kMaxShrink = 1.5f;
  layout(pageWidth);
  if (!(pageWidth > 0) || !(docWidth_ > pageWidth + 0.5f)) return 1;
  const float wide = std::min(docWidth_, pageWidth * kMaxShrink);
  layout(wide);
  return pageWidth / wide;
}

DisplayList HtmlLayout::paint() const {
  DisplayList out;
  paintInto(&out, nullptr);
  return out;
}

std::vector<DisplayList> HtmlLayout::paintPages(const std::vector<PageSlice>& slices) const {
  if (!PageCutter::inOrder(slices)) return sliceDisplayListPages(paint(), slices, docWidth_);
  DisplayList rest;
  PageCutter cutter(slices, docWidth_, canvas_);
  paintInto(&rest, &cutter);
  return cutter.finish(rest);
}

void HtmlLayout::paintInto(DisplayList* out, PageCutter* cutter) const {
  out->width = docWidth_;
  out->height = docHeight_;
  out->background = canvas_;
  if (!root_) return;
  auto bg = [this](const std::string& url) -> const DisplayImage* {
    auto it = bgImages_.find(url);
    if (it != bgImages_.end()) return it->second.handle ? &it->second : nullptr;
    if (bgImages_.size() >= 256) return nullptr;
    DisplayImage img;
    img.url = url;
    int w = 0, h = 0;
    ImageHandle hnd = host_.loadImage(url, &w, &h);
    if (hnd && w > 0 && h > 0) {
      img.handle = hnd;
      img.width = w;
      img.height = h;
      images_.push_back(hnd);
    } else if (hnd) {
      host_.releaseImage(hnd);
    }
    auto ins = bgImages_.emplace(url, img).first;
    return ins->second.handle ? &ins->second : nullptr;
  };
  paintDocument(root_, out, cutter, *fonts_, styles_->baseUrl(), bg);
}

namespace {

using Interval = std::pair<float, float>;

std::vector<Interval> mergeIntervals(std::vector<Interval> v) {
  std::sort(v.begin(), v.end());
  std::vector<Interval> out;
  for (const Interval& i : v) {
    if (!(i.second > i.first)) continue;
    if (!out.empty() && i.first < out.back().second) out.back().second = std::max(out.back().second, i.second);
    else out.push_back(i);
  }
  return out;
}

// True when y lies strictly inside one of the merged intervals.
bool inside(const std::vector<Interval>& v, float y) {
  auto it = std::upper_bound(v.begin(), v.end(), y, [](float a, const Interval& b) { return a < b.first; });
  if (it == v.begin()) return false;
  --it;
  return y > it->first + 0.01f && y < it->second - 0.01f;
}

}  // namespace

std::vector<PageSlice> HtmlLayout::paginate(float pageHeight) const {
  std::vector<PageSlice> pages;
  float H = std::max(16.0f, std::isfinite(pageHeight) ? pageHeight : 16.0f);
  float total = std::max(docHeight_, 1.0f);
  std::vector<BreakCandidate> cands;
  std::vector<Interval> hard, soft;
  collectBreaks(root_, &cands, &hard, &soft);
  hard = mergeIntervals(std::move(hard));
  // avoid-boxes taller than a page cannot be kept whole: ignore them
  std::vector<Interval> softKept;
  for (const Interval& i : soft)
    if (i.second - i.first <= H) softKept.push_back(i);
  soft = mergeIntervals(std::move(softKept));
  std::sort(cands.begin(), cands.end(), [](const BreakCandidate& a, const BreakCandidate& b) {
    return a.y < b.y || (a.y == b.y && a.forced > b.forced);
  });
  float top = 0;
  size_t from = 0;
  while (top < total - 0.5f) {
    float limit = top + H;
    while (from < cands.size() && cands[from].y <= top + 0.5f) ++from;
    if (limit >= total) {
      // the rest fits: one more page, unless a forced break comes first
      size_t f = from;
      while (f < cands.size() && !(cands[f].forced && cands[f].y < total - 0.5f)) ++f;
      if (f == cands.size()) {
        pages.push_back(PageSlice{top, limit});
        break;
      }
    }
    float brk = -1, bestHard = -1, bestSoft = -1;
    for (size_t i = from; i < cands.size() && cands[i].y <= limit; ++i) {
      const BreakCandidate& c = cands[i];
      if (c.forced && c.y < total - 0.5f) {
        brk = c.y;
        break;
      }
      if (inside(hard, c.y)) continue;
      bestHard = c.y;
      if (!inside(soft, c.y)) bestSoft = c.y;
    }
    if (brk < 0) brk = bestSoft > top + H * 0.25f ? bestSoft : bestHard > 0 ? bestHard : limit;
    if (!(brk > top + 0.5f)) brk = limit;
    pages.push_back(PageSlice{top, brk});
    top = brk;
  }
  if (pages.empty()) pages.push_back(PageSlice{0, H});
  return pages;
}

std::vector<DisplayList> HtmlLayout::paintPages(float pageHeight) const {
  return paintPages(paginate(pageHeight));
}

bool HtmlLayout::anchorPosition(const std::string& name, float* x, float* y) const {
  if (!anchorsValid_) {
    anchors_ = paint().anchors;
    anchorsValid_ = true;
  }
  for (const DisplayAnchor& a : anchors_)
    if (a.name == name) {
      *x = a.x;
      *y = a.y;
      return true;
    }
  return false;
}

std::string HtmlLayout::dumpBoxes() const { return dumpBoxTree(root_); }

}  // namespace layout
}  // namespace tw
