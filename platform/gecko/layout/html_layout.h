// html_layout.h - the public flow of the layout core:
//   load (style a document, build boxes) -> layout at a width -> paint into a
//   display list (whole, or cut into pages).
//
//   HtmlLayout   one laid-out document
//
// Units are CSS px (see display_list.h). The document and the host must
// outlive the HtmlLayout; the display lists it paints refer to the host's
// image handles.
//
// Bounded work on hostile input: elements nested deeper than
// LayoutOptions::maxDepth are laid out flat inside their deepest allowed
// ancestor (their text and images still show); lengths are clamped to
// kMaxLength; every walk is iterative or bounded by that depth.
#pragma once

#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "dom.h"
#include "layout/display_list.h"
#include "layout/host.h"
#include "layout/style.h"

namespace tw {
namespace layout {

struct Box;
class BoxArena;
class FontCache;

struct LayoutOptions {
  int maxDepth = 200;        // element nesting that gets boxes of its own
  std::string extraCss;      // an author sheet placed before the document's own
  MediaContext media;        // what @media and media="" are evaluated against
};

class HtmlLayout {
 public:
  explicit HtmlLayout(LayoutHost& host, LayoutOptions options = {});
  ~HtmlLayout();
  HtmlLayout(const HtmlLayout&) = delete;
  HtmlLayout& operator=(const HtmlLayout&) = delete;

  // Styles the document and builds its boxes. docUrl is the document's own
  // url (file:///C:/dir/page.htm): relative links, images and style sheets
  // are resolved against it (or against <base href>).
  void load(const html::Document& doc, const std::string& docUrl);

  // Lays the document out for a viewport (or page content) width in px.
  void layout(float width);

  // Lays the document out for print on pages `pageWidth` px wide, as a
  // browser prints: content wider than the page gets a second layout on a
  // box as wide as the content, but at most 1.5 times the page, and the
  // result (<= 1) scales that box down to the page; whatever is wider still
  // is cut off at the page's edge rather than shrinking the text further.
  float layoutForPrint(float pageWidth);

  // Extent of the laid-out document: at least the layout width, wider when
  // content overflows it (wide tables, long words, nowrap and pre lines;
  // not content clipped by overflow: hidden).
  float width() const { return docWidth_; }
  float height() const { return docHeight_; }

  // The whole document as one surface.
  DisplayList paint() const;

  // Page bands for pages of `pageHeight` px of content: breaks between
  // lines, between blocks and between table rows, honouring
  // page-break-before/after: always; where the page leaves a choice, not
  // after a heading or inside page-break-after/before: avoid, not inside
  // page-break-inside: avoid or a table row, not between a box's top and
  // its first line, and not leaving fewer than two lines of a paragraph on
  // either page (orphans, widows). Content taller than a page is cut at the
  // page edge.
  std::vector<PageSlice> paginate(float pageHeight) const;

  // paint() cut into the pages of paginate(); each page is `width()` wide.
  std::vector<DisplayList> paintPages(float pageHeight) const;
  // paint() cut into the given pages (as sliceDisplayListPages cuts), made
  // page by page without the whole document's list of items.
  std::vector<DisplayList> paintPages(const std::vector<PageSlice>& slices) const;

  // Position of a named anchor (<a name>, or id=) in document px; false
  // when the document has none of that name.
  bool anchorPosition(const std::string& name, float* x, float* y) const;

  // The box tree as text, one box a line, for tests:
  //   <kind> [tag] x,y wxh       (absolute, px, rounded to 0.01)
  //     line x,y wxh "text"      each line of a line container
  std::string dumpBoxes() const;

  const StyleEngine* styles() const { return styles_.get(); }
  // Number of boxes (diagnostics, benchmarks).
  size_t boxCount() const;

 private:
  void releaseImages();
  void paintInto(DisplayList* out, PageCutter* cutter) const;

  LayoutHost& host_;
  LayoutOptions options_;
  const html::Document* doc_ = nullptr;
  std::string docUrl_;
  std::unique_ptr<StyleEngine> styles_;
  std::unique_ptr<BoxArena> arena_;
  std::unique_ptr<FontCache> fonts_;
  Box* root_ = nullptr;
  mutable std::vector<ImageHandle> images_;
  mutable std::unordered_map<std::string, DisplayImage> bgImages_;
  mutable std::vector<DisplayAnchor> anchors_;
  mutable bool anchorsValid_ = false;
  float docWidth_ = 0, docHeight_ = 0;
  Color canvas_ = Color::rgb(255, 255, 255);
};

}  // namespace layout
}  // namespace tw
