// box.h - the box tree the layout works on (internal to the layout core).
//
//   Box          one box: a block container, a line container (anonymous
//                block holding inline content), a table part, or a
//                replaced image. Coordinates of a box are relative to its
//                parent box's border-box origin, so moving a subtree moves
//                one number.
//   InlineItem   the flattened inline content of a line container: text,
//                the start and end of inline boxes, atomic inlines (images,
//                inline-blocks, inline-tables), forced breaks and floats
//   Fragment     a placed piece of a line: text (a range of an item), an
//                atomic box, or an inline box edge
//   LineBox      one line of a line container
//   InlineSpan   the part of an inline box on one line (backgrounds,
//                borders, link rectangles, anchor positions)
//   FontCache    fonts opened through the host, with per-character widths
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "arena.h"
#include "dom.h"
#include "layout/display_list.h"
#include "layout/host.h"
#include "layout/style.h"

namespace tw {
namespace layout {

struct Box;

enum class BoxKind : uint8_t {
  Block,     // block container with block-level children
  Lines,     // anonymous block: inline content (items) laid out in lines
  Table,     // table wrapper: captions and row groups
  RowGroup,
  Row,
  Cell,      // block container
  Image,     // replaced element
  Marker,    // list marker (outside): painted beside the first line
};

struct FontEntry {
  FontHandle handle = 0;
  FontMetrics metrics;
  int displayIndex = -1;  // index in the display list being built
  float size = 16;
  int weight = 400;
  bool italic = false;
  float ascii[128];       // advances of ASCII characters, < 0 unknown
  std::unordered_map<char16_t, float> other;
};

class FontCache {
 public:
  explicit FontCache(LayoutHost* host) : host_(host) {}
  ~FontCache();
  // The font for a style (family list, size, weight, italic).
  FontEntry* get(const ComputedStyle& s);
  float width(FontEntry* f, const char16_t* s, size_t n);
  float charWidth(FontEntry* f, char16_t c);
  void resetDisplayIndexes();

 private:
  LayoutHost* host_;
  std::unordered_map<std::string, std::unique_ptr<FontEntry>> fonts_;
  std::unordered_map<const ComputedStyle*, FontEntry*> byStyle_;
};

struct InlineItem {
  enum Kind : uint8_t { Text, Open, Close, Atomic, Break, Float };
  Kind kind = Text;
  float shift = 0;                         // baseline shift (px, up) from sub/super
  const ComputedStyle* style = nullptr;
  const html::Element* element = nullptr;  // Open/Close: the inline element
  Box* box = nullptr;                      // Atomic/Float
  std::u16string text;                     // Text: processed white space
  const html::Element* link = nullptr;     // nearest <a href> around this item
  // Text: the element whose text this is. Elements may share one computed
  // style; the texts of two of them stay two items, as when each had its own.
  const html::Element* owner = nullptr;
};

struct Fragment {
  enum Kind : uint8_t { Text, Atomic, Open, Close };
  Kind kind = Text;
  bool space = false;     // Text: this fragment is collapsible white space only
  uint32_t item = 0;      // index into the line container's items
  uint32_t start = 0, len = 0;  // Text: range of the item's text
  float x = 0, w = 0;     // relative to the line container
  float baselineShift = 0;
  float justifyExtra = 0; // Text: extra px after each space (justify)
};

struct InlineSpan {
  uint32_t item = 0;      // the Open item
  float x0 = 0, x1 = 0;   // relative to the line container
  bool first = false, last = false;  // the box starts / ends on this line
};

struct LineBox {
  float y = 0, height = 0, baseline = 0;  // relative to the line container
  std::vector<Fragment> frags;
  std::vector<InlineSpan> spans;
};

struct Box {
  BoxKind kind = BoxKind::Block;
  const ComputedStyle* style = nullptr;
  const html::Element* element = nullptr;  // null for anonymous boxes
  const html::Element* link = nullptr;     // nearest <a href> around it
  Box* parent = nullptr;
  std::vector<Box*> children;

  // geometry, px: border box relative to the parent's border box
  float x = 0, y = 0, w = 0, h = 0;
  float margin[4] = {0, 0, 0, 0};
  float border[4] = {0, 0, 0, 0};
  float padding[4] = {0, 0, 0, 0};

  // Lines
  std::vector<InlineItem> items;
  std::vector<LineBox> lines;

  // Image
  ImageHandle image = 0;
  int imageW = 0, imageH = 0;
  std::string imageUrl;

  // Table parts
  int colspan = 1, rowspan = 1;
  int col = 0;               // cell: first column
  bool collapsedBorders = false;  // cell in a border-collapse table: cborder
  float cborder[4] = {0, 0, 0, 0};  // replaces the style's border widths
  float gridY = 0, gridH = 0;    // table: the part of the box below/above captions
                                 // that holds the rows (its border is drawn there)

  // list item marker
  std::u16string markerText;
  Box* markerBox = nullptr;  // list-style-image

  // intrinsic widths of the border box, computed once
  bool intrinsicDone = false;
  float minW = 0, maxW = 0;

  // margin collapsing: the bottom margin that leaves this box (its own
  // combined with its last child's when they adjoin), positive and
  // negative parts
  float collapsedBottomPos = 0, collapsedBottomNeg = 0;
  bool emptyCollapsible = false;   // no lines, no height: margins collapse through

  bool isFloat() const { return style && style->floating != FloatKind::None && kind != BoxKind::Lines; }
  float contentX() const { return border[3] + padding[3]; }
  float contentY() const { return border[0] + padding[0]; }
  float contentW() const { return w - border[1] - border[3] - padding[1] - padding[3]; }
  float contentH() const { return h - border[0] - border[2] - padding[0] - padding[2]; }
};

// Owns every box of a layout.
class BoxArena {
 public:
  BoxArena() = default;
  BoxArena(const BoxArena&) = delete;
  BoxArena& operator=(const BoxArena&) = delete;
  ~BoxArena() {
    for (Box* b : boxes_)
      if (b) b->~Box();
  }
  Box* make(BoxKind kind, const ComputedStyle* style, const html::Element* e) {
    boxes_.push_back(nullptr);  // room first: a box made is always destroyed
    Box* b = boxes_.back() = memory_.make<Box>();
    b->kind = kind;
    b->style = style;
    b->element = e;
    return b;
  }
  // Styles made by the layout itself (anonymous boxes, markers).
  const ComputedStyle* keep(std::shared_ptr<const ComputedStyle> s) {
    styles_.push_back(std::move(s));
    return styles_.back().get();
  }
  size_t size() const { return boxes_.size(); }

 private:
  Arena memory_;             // the boxes, side by side
  std::vector<Box*> boxes_;  // every box made, for its destructor
  std::vector<std::shared_ptr<const ComputedStyle>> styles_;
};

}  // namespace layout
}  // namespace tw
