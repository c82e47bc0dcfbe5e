// style.h - computed style and the cascade.
//
//   Length          a computed length: auto, px or percent
//   ComputedStyle   every property the layout reads, in computed form
//                   (em/ex/pt/cm/... already turned into px)
//   StyleEngine     user-agent sheet + author sheets (<style>, <link>,
//                   @import) + presentational attributes + style=; matches
//                   selectors, sorts by origin, importance, specificity and
//                   order, and computes each element's style from its
//                   parent's (inheritance)
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "dom.h"
#include "layout/css.h"
#include "layout/display_list.h"
#include "layout/media.h"

namespace tw {
namespace layout {

class LayoutHost;

// Lengths are clamped to this many px, so absurd sizes lay out (huge but
// finite) without overflowing anything.
constexpr float kMaxLength = 100000.0f;

struct Length {
  enum Unit : uint8_t { Auto, Px, Percent };
  float value = 0;
  Unit unit = Px;
  static Length autoLen() { return Length{0, Auto}; }
  static Length px(float v) { return Length{v, Px}; }
  bool isAuto() const { return unit == Auto; }
  // Resolved against a base (percentages); auto resolves to `autoValue`.
  float resolve(float base, float autoValue = 0) const {
    return unit == Px ? value : unit == Percent ? base * value / 100.0f : autoValue;
  }
};

enum class Display : uint8_t {
  None, Inline, Block, InlineBlock, ListItem, Table, InlineTable, TableRowGroup, TableHeaderGroup,
  TableFooterGroup, TableRow, TableCell, TableColumn, TableColumnGroup, TableCaption
};
enum class FloatKind : uint8_t { None, Left, Right };
enum class ClearKind : uint8_t { None, Left, Right, Both };
enum class BorderStyle : uint8_t { None, Hidden, Dotted, Dashed, Solid, Double, Groove, Ridge, Inset, Outset };
enum class TextAlign : uint8_t { Left, Right, Center, Justify };
enum class TextTransform : uint8_t { None, Uppercase, Lowercase, Capitalize };
enum class VAlign : uint8_t { Baseline, Sub, Super, Top, TextTop, Middle, Bottom, TextBottom, Length };
enum class WhiteSpace : uint8_t { Normal, Pre, Nowrap, PreWrap, PreLine };
enum class ListType : uint8_t {
  None, Disc, Circle, Square, Decimal, LowerRoman, UpperRoman, LowerAlpha, UpperAlpha
};
enum class PageBreak : uint8_t { Auto, Always, Avoid };
enum Decoration : uint8_t { kUnderline = 1, kOverline = 2, kLineThrough = 4 };

struct ComputedStyle {
  // --- not inherited
  Display display = Display::Inline;
  FloatKind floating = FloatKind::None;
  ClearKind clear = ClearKind::None;
  bool overflowHidden = false;
  Length width = Length::autoLen(), height = Length::autoLen();
  Length minWidth, minHeight;
  Length maxWidth = Length::autoLen(), maxHeight = Length::autoLen();  // auto = none
  Length margin[4];   // top, right, bottom, left
  Length padding[4];
  float borderWidth[4] = {0, 0, 0, 0};   // 0 when the style is none/hidden
  BorderStyle borderStyle[4] = {BorderStyle::None, BorderStyle::None, BorderStyle::None, BorderStyle::None};
  Color borderColor[4];
  Color backgroundColor = Color::transparent();
  std::string backgroundImage;  // url as written, "" = none
  uint8_t backgroundRepeat = 3; // bit 0: repeat-x, bit 1: repeat-y
  uint8_t textDecoration = 0;   // own decorations
  VAlign verticalAlign = VAlign::Baseline;
  float verticalAlignPx = 0;
  PageBreak pageBreakBefore = PageBreak::Auto, pageBreakAfter = PageBreak::Auto;
  bool pageBreakInsideAvoid = false;
  // box-shadow (the first, outer one): offsets, blur, spread in px; the
  // colour already mixed over white paper by its opacity
  bool hasShadow = false;
  float shadow[4] = {0, 0, 0, 0};
  Color shadowColor;
  // border-radius: top-left, top-right, bottom-right, bottom-left (percent
  // of the border box's width)
  Length borderRadius[4];
  bool hasContent = false;      // ::before/::after: `content` gives text
  std::string content;          // that text, UTF-8
  // --- inherited
  std::string fontFamily = "serif";
  float fontSize = 16;
  int fontWeight = 400;
  bool italic = false;
  bool smallCaps = false;
  Color color = Color::rgb(0, 0, 0);
  TextAlign textAlign = TextAlign::Left;
  uint8_t blockAlign = 0;       // <center>/align=: 0 none, 1 center, 2 right (aligns child blocks too)
  float textIndent = 0;         // px (percent resolved at layout: see textIndentPct)
  float textIndentPct = -1;     // >= 0: percent of the containing block
  uint8_t decorationsInEffect = 0;  // own + propagated from ancestors
  TextTransform textTransform = TextTransform::None;
  WhiteSpace whiteSpace = WhiteSpace::Normal;
  float lineHeight = -1;        // px; -1 = normal
  float lineHeightFactor = 0;   // > 0: a number (inherited as the factor)
  float letterSpacing = 0, wordSpacing = 0;
  ListType listType = ListType::Disc;
  bool listInside = false;
  std::string listImage;
  bool visible = true;
  bool borderCollapse = false;
  float borderSpacingH = 0, borderSpacingV = 0;

  bool isBlockLevel() const {
    return display == Display::Block || display == Display::ListItem || display == Display::Table;
  }
  bool isTablePart() const { return display >= Display::TableRowGroup && display <= Display::TableCaption; }
};

using StylePtr = std::shared_ptr<const ComputedStyle>;

// The computed styles of a document's elements, owned together.
struct RuleIndex;

class StyleEngine {
 public:
  // host is used to read linked style sheets and @imports; docUrl is the
  // document's own URL (file:///...), the base of relative urls.
  // @media rules and media="" lists are evaluated against `media`.
  StyleEngine(LayoutHost* host, std::string docUrl, MediaContext media = MediaContext());
  ~StyleEngine();

  // Collects the document's sheets (<style>, <link rel=stylesheet>) and
  // computes the style of every element. Elements deeper than maxDepth
  // take their parent's inherited style without matching (bounded work on
  // absurdly deep trees).
  void computeStyles(const html::Document& doc, int maxDepth);

  // Adds an author sheet (before computeStyles): for tests and the host.
  void addAuthorSheet(const std::string& css, const std::string& baseUrl);

  // The style of an element; the root style for elements without one.
  const ComputedStyle& styleOf(const html::Element* e) const;
  StylePtr stylePtr(const html::Element* e) const;
  const ComputedStyle& rootStyle() const { return *root_; }

  // Base url for relative references (the document's, or <base href>).
  const std::string& baseUrl() const { return baseUrl_; }

  // The style of an element's ::before or ::after box; null when it has
  // none (no rule gives it content).
  const ComputedStyle* pseudoStyle(const html::Element* e, PseudoElement which) const;

  // Exposed for tests: the computed style of an element given its parent's.
  StylePtr computeFor(const html::Element* e, const ComputedStyle& parent) const;

 private:
  // A sheet in cascade order: its index, shared with every engine that
  // uses the sheet under the same medium, and the order of its first rule.
  struct IndexedSheet {
    const StyleSheet* sheet;
    std::shared_ptr<const RuleIndex> index;
    uint32_t firstOrder;
    uint8_t origin;  // 0 user agent, 1 author
  };
  struct Candidate {
    const IndexedSheet* sheet;
    uint32_t rule;  // in the sheet's index
  };
  void indexSheet(const StyleSheet& sheet, uint8_t origin);
  // The rules of every sheet whose subject may match e (by id, class, tag,
  // or none), for plain or for ::before/::after rules.
  void collectCandidates(const html::Element* e, bool pseudo) const;
  void loadLinked(const std::string& url, int depth);
  void parseAuthor(const std::string& css, const std::string& baseUrl, int depth);
  // Charges an author sheet to the byte budget, follows its @imports
  // (before its own rules) and indexes it; false when over the budget.
  void addAuthor(std::shared_ptr<const StyleSheet> sheet, const std::string& baseUrl, int depth);
  const std::vector<Declaration>& cachedDeclarations(const std::string& text) const;
  // The ::before and ::after styles of e from the pseudo-element rules.
  void computePseudos(const html::Element* e, const ComputedStyle& style);
  // computeFor; with |share|, an element that wins the same declarations
  // as an earlier one under the same parent style gets that element's style
  // (the parent must stay alive and unchanged while the engine's styles do).
  StylePtr computeStyle(const html::Element* e, const ComputedStyle& parent, bool share) const;

  LayoutHost* host_;
  std::string docUrl_, baseUrl_;
  MediaContext media_;
  std::vector<std::shared_ptr<const StyleSheet>> sheets_;  // author sheets (rules_ point into them)
  std::vector<IndexedSheet> indexed_;  // (kept in place once computeStyles starts)
  uint32_t ruleCount_ = 0;
  bool anyPseudo_ = false;  // some sheet has ::before/::after rules
  std::unordered_map<const html::Element*, StylePtr> before_, after_;
  // Styles by the element's index in its document (null: none computed).
  std::vector<StylePtr> styles_;
  const html::Document* styledDoc_ = nullptr;
  const StylePtr* storedStyle(const html::Element* e) const;
  StylePtr root_;
  mutable std::unordered_map<std::string, std::vector<Declaration>> declCache_;
  // Styles by parent style, element fix-ups and winning declarations (their
  // addresses: declCache_'s entries must outlive the keys naming them).
  mutable std::unordered_map<std::string, StylePtr> shared_;
  // computeStyle's working lists, kept for the next element.
  struct Match {
    const Declaration* d;
    uint64_t key;
  };
  mutable std::vector<Candidate> scratchCandidates_;
  mutable std::vector<std::string> scratchClasses_;
  mutable std::string scratchId_, scratchTag_;
  // Whether a rule among the last element's candidates (plain, then also
  // ::before/::after) looks at the element's siblings or children.
  mutable bool candidatesLookAtNeighbours_ = false;
  mutable std::vector<Match> scratchMatches_;
  mutable std::string scratchKey_;
  // Selector matching walks ancestors and earlier siblings, so thousands of
  // rules such as "q ~ p" over thousands of siblings would take cubic time.
  // One match may take 4096 steps and a document this many in all; past
  // them a match gets a few steps, enough for the usual selectors.
  static constexpr long kDocumentMatchSteps = 50000000;
  mutable long matchSteps_ = kDocumentMatchSteps;
  int matchBudget() const;
  void spendMatchSteps(int given, int left) const;
  size_t importBudget_ = 32;
  size_t bytesBudget_ = 8u << 20;
};

// Parses a CSS colour ("#abc", "#aabbcc", "red", "rgb(1,2,3)") or an HTML
// colour attribute value (also without '#'); false when it is none of them.
bool parseColor(const std::string& text, Color* out);
bool parseColorTokens(const std::vector<CssToken>& v, Color* out);

// True for documents laid out in quirks mode (no doctype, or an old one).
bool isQuirksMode(const html::Document& doc);
// True for limited-quirks mode (XHTML 1.0 and HTML 4.01 Transitional or
// Frameset with a system id): standards mode but for the line height.
bool isLimitedQuirksMode(const html::Document& doc);

// Resolves a reference of the page against its base url, as the page view
// and the PDF links read it (NS_ResolveLink). Fragment-only references keep
// the base without its fragment.
std::string resolveUrl(const std::string& base, const std::string& ref);

}  // namespace layout
}  // namespace tw
