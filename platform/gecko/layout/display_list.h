// display_list.h - what a laid-out page paints, as plain data.
//
//   RectF, Color        geometry and colour of every item
//   FontDesc            a font as the host resolved it (face, size, weight, italic)
//   DisplayImage        an image the host decoded (source url, size, host handle)
//   DisplayItem         one painting step: fill, rounded fill, dashed/dotted border,
//                       text run, image (possibly tiled), clip begin/end
//   DisplayLink         a link rectangle and its target
//   DisplayAnchor       a named position (<a name>, id=)
//   DisplayList         all of the above for one surface (the whole document or
//                       one page of it)
//
// Units. Every coordinate and size is in CSS pixels: 1 px = 1/96 inch =
// 0.75 pt. A painter converts at paint time (a screen at 96 dpi paints 1:1,
// a printer multiplies by its dpi / 96, a PDF writer by 0.75 to get points).
// The origin is the top-left corner of the surface; y grows downwards.
// For one page of a paginated document the origin is the top-left corner of
// the page's content area (inside the page margins), and nothing is painted
// outside 0..width x 0..height (items that straddle the page edge are kept
// and must be clipped by the painter).
//
// Order. Items are in painting order (back to front). ClipBegin/ClipEnd
// nest like a stack: between them, painting is restricted to the
// intersection of every open clip rectangle.
//
// Lifetime. Image handles (DisplayImage::handle) belong to the host that laid
// the page out; a display list is painted while that host is alive.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tw {
namespace layout {

struct RectF {
  float x = 0, y = 0, w = 0, h = 0;
  float right() const { return x + w; }
  float bottom() const { return y + h; }
  bool empty() const { return !(w > 0 && h > 0); }
  bool contains(float px, float py) const { return px >= x && py >= y && px < x + w && py < y + h; }
  bool intersects(const RectF& o) const {
    return x < o.x + o.w && o.x < x + w && y < o.y + o.h && o.y < y + h;
  }
};

// Straight sRGB colour; a = 255 opaque, 0 transparent (never emitted).
struct Color {
  uint8_t r = 0, g = 0, b = 0, a = 255;
  static Color rgb(uint8_t r, uint8_t g, uint8_t b) { return Color{r, g, b, 255}; }
  static Color transparent() { return Color{0, 0, 0, 0}; }
  bool isTransparent() const { return a == 0; }
  bool operator==(const Color& o) const { return r == o.r && g == o.g && b == o.b && a == o.a; }
  bool operator!=(const Color& o) const { return !(*this == o); }
};

// A font as the host resolved it. `face` is the installed face name that was
// chosen from the CSS family list ("Times New Roman", "Arial", ...), so a
// painter or a PDF writer can create the same font by that name.
// `size` is the em size in CSS px (CSS font-size), not a cell height.
struct FontDesc {
  std::string face;
  float size = 16;
  int weight = 400;  // 100..900, 700 = bold
  bool italic = false;
  bool operator==(const FontDesc& o) const {
    return face == o.face && size == o.size && weight == o.weight && italic == o.italic;
  }
};

// An image used on the surface. `url` is the resolved source (a file:///
// URL or a plain path, as the document referred to it after resolving
// against its base) so a writer can re-read the original bytes (e.g. pass a
// JPEG through). width/height are the decoded pixel size. `handle` is the
// host's decoded image (0 when the image could not be decoded: such images
// are not referenced by any item; the layout paints a placeholder frame).
struct DisplayImage {
  std::string url;
  int width = 0, height = 0;
  uintptr_t handle = 0;
};

enum class ItemKind : uint8_t {
  Fill,       // rect filled with color
  Border,     // a dashed or dotted border side: rect is the side's band,
              // its long axis is the line's direction, the short axis its
              // thickness. (Solid, double, inset, groove... sides are
              // emitted as Fill items.)
  Text,       // a run of text in one font and colour
  Image,      // an image scaled into rect, or tiled over rect
  ClipBegin,  // push a clip rectangle (rect)
  ClipEnd,    // pop the last clip rectangle
  RoundFill,  // rect filled with color, its corners rounded by radii; when
              // hole is not empty, only the band between rect's edge and
              // hole's is filled (a rounded border), hole's corners rounded
              // by the radii less the band's width there
};

enum class BorderDash : uint8_t { Dashed, Dotted };

// (The members are ordered so that the item packs tightly: a long page
// holds tens of thousands of them.)
struct DisplayItem {
  ItemKind kind = ItemKind::Fill;
  BorderDash dash = BorderDash::Dashed;  // Border
  bool tiled = false;                    // Image: see tileX
  RectF rect;                            // Fill/Border/Image/ClipBegin: the area.
                                         // Text: the run's box: x = start of the first glyph,
                                         // w = advance of the whole run, y..y+h = the line's
                                         // ascent..descent of the run's font.
  Color color;                           // Fill, Border, Text
  // Text
  int font = -1;        // index into DisplayList::fonts
  float baseline = 0;   // y of the baseline
  // Image
  int image = -1;                                    // index into DisplayList::images
  float tileX = 0, tileY = 0, tileW = 0, tileH = 0;  // when tiled: the image at (tileX, tileY) +
                                                     // k * (tileW, tileH), clipped to rect
  // RoundFill
  float radii[4] = {0, 0, 0, 0};  // top-left, top-right, bottom-right, bottom-left
  RectF hole;
  // Text
  std::u16string text;  // UTF-16, already transformed (text-transform) and
                        // with collapsed white space; no control characters
};

// A link: clicking inside rect follows it. `href` is the attribute as
// written; `url` is it resolved against the document's base URL ("" when
// there is no base). A fragment-only href ("#name") resolves to the
// document's own URL plus the fragment.
struct DisplayLink {
  RectF rect;
  std::string href;
  std::string url;
};

// A named position: <a name="x"> or any element with id="x".
struct DisplayAnchor {
  std::string name;
  float x = 0, y = 0;
};

struct DisplayList {
  float width = 0, height = 0;                   // extent of the surface in px
  Color background = Color::rgb(255, 255, 255);  // canvas colour (from body/html)
  std::vector<FontDesc> fonts;
  std::vector<DisplayImage> images;
  std::vector<DisplayItem> items;
  std::vector<DisplayLink> links;
  std::vector<DisplayAnchor> anchors;

  // Adds a font (or finds an equal one) and returns its index.
  int addFont(const FontDesc& f);
  // Adds an image reference (or finds one with the same handle/url).
  int addImage(const DisplayImage& img);
  // The link under a point, or nullptr.
  const DisplayLink* linkAt(float x, float y) const;
  // The anchor of that name (first one), or nullptr.
  const DisplayAnchor* findAnchor(const std::string& name) const;
};

// Receives the outline of a RoundFill in list coordinates: closed figures of
// straight lines and cubic Bezier curves, filled by the even-odd rule.
class OutlineSink {
 public:
  virtual void moveTo(float x, float y) = 0;
  virtual void lineTo(float x, float y) = 0;
  virtual void curveTo(float x1, float y1, float x2, float y2, float x3, float y3) = 0;
  virtual void closeFigure() = 0;

 protected:
  ~OutlineSink() = default;
};

// Corner radii (top-left, top-right, bottom-right, bottom-left) made to fit
// r: negative ones become 0, and where two corners of a side together
// exceed it, all four shrink by the same factor (CSS Backgrounds 5.5).
void fitCornerRadii(const RectF& r, float radii[4]);

// A RoundFill's outline: its rect with rounded corners (radii fitted as
// above), then its hole, if any.
void traceRoundFill(const DisplayItem& it, OutlineSink& sink);

// One page of a paginated document: the vertical band [top, bottom) of the
// continuous layout (document coordinates, px) that the page shows.
struct PageSlice {
  float top = 0, bottom = 0;
};

// Cuts one page out of a document's display list: every item that meets
// the band [slice.top, slice.bottom) is copied and moved up by slice.top;
// text runs belong to the page holding their baseline; links and anchors
// are moved likewise (an anchor belongs to the page whose band holds it);
// a clip is copied only when something inside it is, and everything is
// clipped to the page. The result's height is slice.bottom - slice.top and
// its width `width`.
DisplayList sliceDisplayList(const DisplayList& whole, const PageSlice& slice, float width);

// The lists of all the pages at once, in one pass over the items (a long
// document has thousands of pages: cutting them one by one reads the whole
// list for each): for each slice what sliceDisplayList gives. Slices that
// do not come in order down the document are cut one by one.
std::vector<DisplayList> sliceDisplayListPages(const DisplayList& whole,
                                               const std::vector<PageSlice>& slices, float width);

// Cuts a document into its pages as it is painted, item by item, so that
// the whole document's list of items is never held (a long page's list is
// as large as its boxes): the pages come out as sliceDisplayListPages would
// cut them. The fonts, images, links and anchors stay in the document's
// list (`whole`), whose item indexes the items refer to.
class PageCutter {
 public:
  // The slices must come in order down the document (inOrder()).
  PageCutter(const std::vector<PageSlice>& slices, float width, Color background);
  static bool inOrder(const std::vector<PageSlice>& slices);

  // The next item of the document, in painting order.
  void add(const DisplayItem& it, const DisplayList& whole);
  void add(DisplayItem&& it, const DisplayList& whole);
  // The pages, once every item is in; the links and anchors of `whole` are
  // cut here. The cutter is spent.
  std::vector<DisplayList> finish(const DisplayList& whole);

 private:
  template <class Item>
  void route(Item&& it, const DisplayList& whole);
  void place(size_t p, DisplayItem c, const DisplayList& whole);
  void enter(size_t p, const DisplayList& whole);
  void closeClip();
  size_t firstBelow(float y) const;

  std::vector<PageSlice> slices_;
  std::vector<DisplayList> pages_;
  std::vector<std::vector<int>> fontMap_, imageMap_;
  // The clips open at this point of the list, and for each the pages it was
  // copied to; per page, how many of the open clips (from the outermost)
  // it has.
  struct OpenClip {
    DisplayItem item;
    std::vector<size_t> pages;
  };
  std::vector<OpenClip> open_;
  std::vector<size_t> depth_;
  std::vector<size_t> targets_;
};

}  // namespace layout
}  // namespace tw
