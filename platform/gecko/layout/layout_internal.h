// layout_internal.h - the steps of the layout core, shared between its files.
//
//   buildBoxes      DOM + styles -> box tree (box_builder.cpp)
//   LayoutContext   state of one layout pass
//   layoutDocument  block, inline and float layout (block_layout.cpp,
//                   inline_layout.cpp), tables (table_layout.cpp)
//   paintDocument   box tree -> display list (paint.cpp)
//   collectBreaks   page break candidates (paginate.cpp)
#pragma once

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "layout/box.h"
#include "layout/display_list.h"

namespace tw {
namespace layout {

Box* buildBoxes(const html::Document& doc, const StyleEngine& styles, BoxArena& arena, LayoutHost& host,
                int maxDepth, std::vector<ImageHandle>* images);

// Floats of one block formatting context, in its coordinates.
class FloatManager {
 public:
  struct Float {
    RectF r;   // margin box
    bool left;
  };
  // Horizontal room [*l, *r] for a band [y, y + h) within [left, right].
  void available(float y, float h, float left, float right, float* l, float* r) const;
  // Places a float of margin-box size w x h no higher than y (and below the
  // floats it clears); returns its top-left (margin box).
  void place(float w, float h, bool left, float y, float left0, float right0, float* outX, float* outY,
             ClearKind clear = ClearKind::None);
  float clearance(ClearKind c) const;  // bottom of the floats to clear, or -inf
  float bottom() const;                // bottom of every float (0 when none)
  // The nearest bottom below y of the floats that meet [y, y + h); -1 when
  // none does.
  float nextBottom(float y, float h) const;
  // Forgets floats that end above y (the flow only moves down).
  void prune(float y);

  // At most this many floats are kept for placement (float chains of any
  // length lay out in linear time); the oldest that ended go first.
  static constexpr size_t kMaxActive = 512;

 private:
  std::vector<Float> floats_;
  float bottom_ = 0;
  float pruneY_ = 0;
  float maxTop_ = -1e30f;
  float clearLeft_ = -1e30f, clearRight_ = -1e30f;  // bottoms of all floats ever placed
};

struct LayoutContext {
  FontCache* fonts = nullptr;
  LayoutHost* host = nullptr;
  // Quirks mode: the top margin of the first child and the bottom margin of
  // the last child of body and table cells are dropped, as the browsers
  // these pages were written for do.
  bool quirks = false;
  // Quirks and limited-quirks mode: a line holding no text gets no strut
  // from its block's font; its images and inline-blocks alone make its
  // height.
  bool lineHeightQuirk = false;
};

// Line breaking inside a word: true when a line may break between a and b
// (`before` is the character before a, 0 at the start). Scripts written
// without spaces (Chinese, Japanese, Korean) follow a simple form of the
// UAX #14 rules: ideographs and kana break on either side, except before
// closing and after opening punctuation. Printable ASCII breaks as browsers
// do: after a hyphen, and before an opening bracket after punctuation.
bool breakBetween(char16_t before, char16_t a, char16_t b);

// Lays out a box tree at a width; returns the document height.
float layoutDocument(Box* root, float width, LayoutContext& ctx);

// Internal steps (used across the layout files)
void layoutBlock(Box* b, float cbWidth, float ox, float oy, FloatManager* fm, LayoutContext& ctx);
void layoutLines(Box* lb, float width, float ox, float oy, FloatManager* fm, LayoutContext& ctx, bool firstInBlock);
void layoutTable(Box* t, float cbWidth, LayoutContext& ctx);
void layoutAtomic(Box* b, float cbWidth, LayoutContext& ctx);
void computeIntrinsic(Box* b, LayoutContext& ctx);
void resolveBoxEdges(Box* b, float cbWidth);
// Font metrics helpers for a style.
float lineHeightOf(const ComputedStyle& s, FontEntry* f);

// bgImage resolves a background image url to a decoded image (or null).
// With a cutter, the items go to it as they are made, and out gets the
// rest (fonts, images, links, anchors).
void paintDocument(const Box* root, DisplayList* out, PageCutter* cutter, FontCache& fonts,
                   const std::string& baseUrl,
                   const std::function<const DisplayImage*(const std::string&)>& bgImage);

struct BreakCandidate {
  float y;
  bool forced;
};
// Candidates (tops and bottoms of blocks, lines and rows), the bands that
// must not be cut (line boxes, images) and those better not cut
// (page-break-inside: avoid), all in document px.
void collectBreaks(const Box* root, std::vector<BreakCandidate>* out, std::vector<std::pair<float, float>>* hard,
                   std::vector<std::pair<float, float>>* soft);

std::string dumpBoxTree(const Box* root);

}  // namespace layout
}  // namespace tw
