// display_list.cpp - look-ups on a display list and cutting it into pages.
#include "layout/display_list.h"

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

const DisplayAnchor* DisplayList::findAnchor(const std::string& name) const {
  for (const auto& a : anchors)
    if (a.name == name) return &a;
  return nullptr;
}

DisplayList sliceDisplayList(const DisplayList& whole, const PageSlice& slice, float width) {
  DisplayList page;
  page.width = width;
  page.height = slice.bottom - slice.top;
  page.background = whole.background;
  const RectF band{-1e9f, slice.top, 2e9f, slice.bottom - slice.top};
  std::vector<int> fontMap(whole.fonts.size(), -1), imageMap(whole.images.size(), -1);
  // Everything on the page is clipped to the band the page shows.
  DisplayItem clip;
  clip.kind = ItemKind::ClipBegin;
  clip.rect = RectF{0, 0, width, page.height};
  page.items.push_back(clip);
  // Clip pairs must stay balanced: a ClipBegin is always copied (with its
  // ClipEnd) when anything inside it is, so copy all of them; empty pairs
  // are harmless.
  for (const DisplayItem& it : whole.items) {
    bool keep;
    if (it.kind == ItemKind::ClipBegin || it.kind == ItemKind::ClipEnd)
      keep = true;
    else if (it.kind == ItemKind::Text)
      keep = it.baseline >= slice.top && it.baseline < slice.bottom;
    else
      keep = it.rect.intersects(band);
    if (!keep) continue;
    DisplayItem c = it;
    c.rect.y -= slice.top;
    c.baseline -= slice.top;
    c.tileY -= slice.top;
    if (c.font >= 0 && size_t(c.font) < fontMap.size()) {
      if (fontMap[c.font] < 0) fontMap[c.font] = page.addFont(whole.fonts[c.font]);
      c.font = fontMap[c.font];
    }
    if (c.image >= 0 && size_t(c.image) < imageMap.size()) {
      if (imageMap[c.image] < 0) imageMap[c.image] = page.addImage(whole.images[c.image]);
      c.image = imageMap[c.image];
    }
    page.items.push_back(std::move(c));
  }
  DisplayItem end;
  end.kind = ItemKind::ClipEnd;
  page.items.push_back(end);
  for (const DisplayLink& l : whole.links) {
    if (!l.rect.intersects(band)) continue;
    DisplayLink c = l;
    c.rect.y -= slice.top;
    page.links.push_back(std::move(c));
  }
  for (const DisplayAnchor& a : whole.anchors) {
    if (a.y < slice.top || a.y >= slice.bottom) continue;
    DisplayAnchor c = a;
    c.y -= slice.top;
    page.anchors.push_back(std::move(c));
  }
  return page;
}

}  // namespace layout
}  // namespace tw
