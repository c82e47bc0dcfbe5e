// display_list.cpp - look-ups on a display list and cutting it into pages.
#include "layout/display_list.h"

#include <algorithm>

namespace tw {
namespace layout {

int DisplayList::addFont(const FontDesc& f) {
  for (size_t i = 0; i < fonts.size(); ++i)
    if (fonts[i] == f) return int(i);
  fonts.push_back(f);
  return int(fonts.size() - 1);
}

int DisplayList::addImage(const DisplayImage& img) {
  for (size_t i = 0; i < images.size(); ++i)
    if (images[i].handle == img.handle && images[i].url == img.url) return int(i);
  images.push_back(img);
  return int(images.size() - 1);
}

const DisplayLink* DisplayList::linkAt(float x, float y) const {
  // Later links are painted above earlier ones: search from the end.
  for (size_t i = links.size(); i-- > 0;)
    if (links[i].rect.contains(x, y)) return &links[i];
  return nullptr;
}

void fitCornerRadii(const RectF& r, float radii[4]) {
  float f = 1;
  for (int i = 0; i < 4; ++i) radii[i] = radii[i] > 0 ? radii[i] : 0;
  const float sides[4][3] = {{r.w, radii[0], radii[1]}, {r.h, radii[1], radii[2]},
                             {r.w, radii[2], radii[3]}, {r.h, radii[3], radii[0]}};
  for (const auto& s : sides)
    if (s[1] + s[2] > s[0]) f = std::min(f, std::max(0.0f, s[0]) / (s[1] + s[2]));
  for (int i = 0; i < 4; ++i) radii[i] *= f;
}

namespace {

void traceRoundRect(const RectF& r, const float radii[4], OutlineSink& sink) {
  float k[4] = {radii[0], radii[1], radii[2], radii[3]};
  fitCornerRadii(r, k);
  // A quarter circle as one cubic: its control points lie 0.5523 of the
  // radius along the tangents.
  const float c = 1 - 0.5523f;
  const float x0 = r.x, y0 = r.y, x1 = r.right(), y1 = r.bottom();
  sink.moveTo(x0 + k[0], y0);
  sink.lineTo(x1 - k[1], y0);
  if (k[1] > 0) sink.curveTo(x1 - k[1] * c, y0, x1, y0 + k[1] * c, x1, y0 + k[1]);
  sink.lineTo(x1, y1 - k[2]);
  if (k[2] > 0) sink.curveTo(x1, y1 - k[2] * c, x1 - k[2] * c, y1, x1 - k[2], y1);
  sink.lineTo(x0 + k[3], y1);
  if (k[3] > 0) sink.curveTo(x0 + k[3] * c, y1, x0, y1 - k[3] * c, x0, y1 - k[3]);
  sink.lineTo(x0, y0 + k[0]);
  if (k[0] > 0) sink.curveTo(x0, y0 + k[0] * c, x0 + k[0] * c, y0, x0 + k[0], y0);
  sink.closeFigure();
}

}  // namespace

void traceRoundFill(const DisplayItem& it, OutlineSink& sink) {
  const RectF& r = it.rect;
  if (r.empty()) return;
  traceRoundRect(r, it.radii, sink);
  const RectF& h = it.hole;
  if (h.empty()) return;
  const float top = h.y - r.y, right = r.right() - h.right(), bottom = r.bottom() - h.bottom(), left = h.x - r.x;
  const float inner[4] = {it.radii[0] - std::max(left, top), it.radii[1] - std::max(right, top),
                          it.radii[2] - std::max(right, bottom), it.radii[3] - std::max(left, bottom)};
  traceRoundRect(h, inner, sink);
}

const DisplayAnchor* DisplayList::findAnchor(const std::string& name) const {
  for (const auto& a : anchors)
    if (a.name == name) return &a;
  return nullptr;
}

DisplayList sliceDisplayList(const DisplayList& whole, const PageSlice& slice, float width) {
  PageCutter cutter({slice}, width, whole.background);
  for (const DisplayItem& it : whole.items) cutter.add(it, whole);
  return std::move(cutter.finish(whole).front());
}

std::vector<DisplayList> sliceDisplayListPages(const DisplayList& whole,
                                               const std::vector<PageSlice>& slices, float width) {
  if (!PageCutter::inOrder(slices)) {
    std::vector<DisplayList> pages;
    pages.reserve(slices.size());
    for (const PageSlice& s : slices) pages.push_back(sliceDisplayList(whole, s, width));
    return pages;
  }
  PageCutter cutter(slices, width, whole.background);
  for (const DisplayItem& it : whole.items) cutter.add(it, whole);
  return cutter.finish(whole);
}

bool PageCutter::inOrder(const std::vector<PageSlice>& slices) {
  for (size_t p = 1; p < slices.size(); ++p)
    if (!(slices[p].top >= slices[p - 1].top && slices[p].bottom >= slices[p - 1].bottom)) return false;
  return true;
}

PageCutter::PageCutter(const std::vector<PageSlice>& slices, float width, Color background)
    : slices_(slices), pages_(slices.size()), fontMap_(slices.size()), imageMap_(slices.size()),
      depth_(slices.size(), 0) {
  for (size_t p = 0; p < pages_.size(); ++p) {
    DisplayList& page = pages_[p];
    page.width = width;
    page.height = slices_[p].bottom - slices_[p].top;
    page.background = background;
    // Everything on the page is clipped to the band the page shows.
    DisplayItem clip;
    clip.kind = ItemKind::ClipBegin;
    clip.rect = RectF{0, 0, width, page.height};
    page.items.push_back(clip);
  }
}

// The first slice whose band could hold y, by the bottoms.
size_t PageCutter::firstBelow(float y) const {
  size_t lo = 0, hi = slices_.size();
  while (lo < hi) {
    const size_t mid = (lo + hi) / 2;
    if (slices_[mid].bottom <= y) lo = mid + 1;
    else hi = mid;
  }
  return lo;
}

void PageCutter::place(size_t p, DisplayItem c, const DisplayList& whole) {
  const float top = slices_[p].top;
  c.rect.y -= top;
  c.hole.y -= top;
  c.baseline -= top;
  c.tileY -= top;
  if (c.font >= 0 && size_t(c.font) < whole.fonts.size()) {
    std::vector<int>& m = fontMap_[p];
    if (m.size() < whole.fonts.size()) m.resize(whole.fonts.size(), -1);
    if (m[c.font] < 0) m[c.font] = pages_[p].addFont(whole.fonts[c.font]);
    c.font = m[c.font];
  }
  if (c.image >= 0 && size_t(c.image) < whole.images.size()) {
    std::vector<int>& m = imageMap_[p];
    if (m.size() < whole.images.size()) m.resize(whole.images.size(), -1);
    if (m[c.image] < 0) m[c.image] = pages_[p].addImage(whole.images[c.image]);
    c.image = m[c.image];
  }
  pages_[p].items.push_back(std::move(c));
}

// Page p is about to get an item: the clips open around it that the page
// does not have yet come first.
void PageCutter::enter(size_t p, const DisplayList& whole) {
  for (size_t level = depth_[p]; level < open_.size(); ++level) {
    place(p, open_[level].item, whole);
    open_[level].pages.push_back(p);
  }
  depth_[p] = open_.size();
}

void PageCutter::closeClip() {
  DisplayItem end;
  end.kind = ItemKind::ClipEnd;
  for (size_t p : open_.back().pages) {
    pages_[p].items.push_back(end);
    depth_[p] = open_.size() - 1;
  }
  open_.pop_back();
}

template <class Item>
void PageCutter::route(Item&& it, const DisplayList& whole) {
  if (it.kind == ItemKind::ClipBegin) {
    open_.push_back(OpenClip{it, {}});
    return;
  }
  if (it.kind == ItemKind::ClipEnd) {
    if (!open_.empty()) closeClip();
    return;
  }
  const size_t n = slices_.size();
  targets_.clear();
  if (it.kind == ItemKind::Text) {
    // A run belongs to the page that holds its baseline.
    for (size_t p = firstBelow(it.baseline); p < n && slices_[p].top <= it.baseline; ++p)
      if (it.baseline >= slices_[p].top && it.baseline < slices_[p].bottom) targets_.push_back(p);
  } else {
    for (size_t p = firstBelow(it.rect.y); p < n && slices_[p].top < it.rect.y + it.rect.h; ++p) {
      const PageSlice& s = slices_[p];
      if (it.rect.intersects(RectF{-1e9f, s.top, 2e9f, s.bottom - s.top})) targets_.push_back(p);
    }
  }
  // The last page the item goes to takes it as it is (a run's text is not
  // copied once more), the others a copy.
  for (size_t i = 0; i < targets_.size(); ++i) {
    enter(targets_[i], whole);
    if (i + 1 < targets_.size()) place(targets_[i], it, whole);
    else place(targets_[i], std::forward<Item>(it), whole);
  }
}

std::vector<DisplayList> PageCutter::finish(const DisplayList& whole) {
  while (!open_.empty()) closeClip();
  const size_t n = slices_.size();
  DisplayItem end;
  end.kind = ItemKind::ClipEnd;
  for (size_t p = 0; p < n; ++p) pages_[p].items.push_back(end);
  for (const DisplayLink& l : whole.links)
    for (size_t p = firstBelow(l.rect.y); p < n && slices_[p].top < l.rect.y + l.rect.h; ++p) {
      const PageSlice& s = slices_[p];
      if (!l.rect.intersects(RectF{-1e9f, s.top, 2e9f, s.bottom - s.top})) continue;
      DisplayLink c = l;
      c.rect.y -= s.top;
      pages_[p].links.push_back(std::move(c));
    }
  for (const DisplayAnchor& a : whole.anchors)
    for (size_t p = firstBelow(a.y); p < n && slices_[p].top <= a.y; ++p)
      if (a.y >= slices_[p].top && a.y < slices_[p].bottom) {
        DisplayAnchor c = a;
        c.y -= slices_[p].top;
        pages_[p].anchors.push_back(std::move(c));
      }
  return std::move(pages_);
}

void PageCutter::add(const DisplayItem& it, const DisplayList& whole) { route(it, whole); }
void PageCutter::add(DisplayItem&& it, const DisplayList& whole) { route(std::move(it), whole); }

}  // namespace layout
}  // namespace tw
