// css.h - CSS tokens, declarations, selectors and style sheets.
//
//   CssToken, TokenizeCss   the CSS Syntax tokenizer (forgiving, bounded)
//   Prop, propFromName      the longhand properties the engine computes
//   Declaration             one longhand with its value tokens and !important
//   Compound, Selector      selectors (type, class, id, universal, attribute,
//                           :link/:visited/:root/:empty, :not(), the
//                           structural pseudo-classes, ::before/::after;
//                           descendant, child and sibling combinators) with
//                           their specificity
//   StyleRule, StyleSheet   rules in source order
//   parseStyleSheet         text -> sheet; @media blocks kept with their queries,
//                           @import reported to a callback, rest skipped
//   parseDeclarations       the body of a style= attribute
//
// Shorthands (margin, padding, border*, font, background, list-style) are
// expanded into longhands while parsing, so the cascade deals in longhands
// only. Errors are recovered as CSS says: a bad declaration is dropped up to
// the next ';', a bad selector drops its rule.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace tw {
namespace layout {

enum class TokType : uint8_t {
  Ident,
  Function,
  AtKeyword,
  Hash,
  String,
  Url,
  Number,
  Percentage,
  Dimension,
  Delim,
  Colon,
  Semicolon,
  Comma,
  LBracket,
  RBracket,
  LParen,
  RParen,
  LBrace,
  RBrace,
  Whitespace,
  Bad,
  End
};

struct CssToken {
  TokType type = TokType::End;
  std::string text;  // Ident/Function/AtKeyword/Hash/String/Url: the value
                     // (names lower-cased for Ident/Function/AtKeyword);
                     // Dimension: the unit, lower-cased; Delim: the char
  double num = 0;    // Number/Percentage/Dimension
  bool hashIsId = false;
  bool spaceBefore = false;  // white space came before it (set in value lists)
};

// Tokenizes the whole text. At most maxTokens are produced (the rest is
// dropped), so a hostile sheet cannot grow memory beyond that.
std::vector<CssToken> tokenizeCss(const std::string& text, size_t maxTokens = 4000000);

enum class Prop : uint8_t {
  Display,
  Position,
  Float,
  Clear,
  Visibility,
  Overflow,
  Width,
  Height,
  MinWidth,
  MinHeight,
  MaxWidth,
  MaxHeight,
  MarginTop,
  MarginRight,
  MarginBottom,
  MarginLeft,
  PaddingTop,
  PaddingRight,
  PaddingBottom,
  PaddingLeft,
  BorderTopWidth,
  BorderRightWidth,
  BorderBottomWidth,
  BorderLeftWidth,
  BorderTopStyle,
  BorderRightStyle,
  BorderBottomStyle,
  BorderLeftStyle,
  BorderTopColor,
  BorderRightColor,
  BorderBottomColor,
  BorderLeftColor,
  FontFamily,
  FontSize,
  FontWeight,
  FontStyle,
  FontVariant,
  Color,
  BackgroundColor,
  BackgroundImage,
  BackgroundRepeat,
  TextAlign,
  TextIndent,
  TextDecoration,
  TextTransform,
  VerticalAlign,
  WhiteSpace,
  LineHeight,
  LetterSpacing,
  WordSpacing,
  ListStyleType,
  ListStylePosition,
  ListStyleImage,
  PageBreakBefore,
  PageBreakAfter,
  PageBreakInside,
  BorderCollapse,
  BorderSpacingH,
  BorderSpacingV,
  Content,
  BoxShadow,
  BorderTopLeftRadius,
  BorderTopRightRadius,
  BorderBottomRightRadius,
  BorderBottomLeftRadius,
  Count
};

// Longhand by its CSS name; false for shorthands and unknown names.
bool propFromName(const std::string& name, Prop* prop);
const char* propName(Prop p);

struct Declaration {
  Prop prop = Prop::Display;
  bool important = false;
  std::vector<CssToken> value;  // component values, white space folded
                                // into spaceBefore
};

struct AttrSelector {
  enum Op : uint8_t { Exists, Equals, Includes, DashMatch, Prefix, Suffix, Substring };
  std::string name;  // lower case
  std::string value;
  Op op = Exists;
};

// A structural pseudo-class: the element is the (a*n + b)-th for some n >= 0
// among its element siblings (of its own type), counted from the first
// (or from the last). :first-child is (0, 1), :only-child both ends.
struct Structural {
  bool ofType = false, fromLast = false;
  int a = 0, b = 1;
};

enum class PseudoElement : uint8_t { None, Before, After };

// One compound selector: tag.class#id[attr]:pseudo::pseudo-element
struct Compound {
  std::string tag;  // lower case, "" = any
  std::string id;
  std::vector<std::string> classes;
  std::vector<AttrSelector> attrs;
  std::vector<Structural> structural;
  std::vector<Compound> nots;  // :not(a, b): matches none of them
  bool link = false, visited = false, root = false, empty = false;
  PseudoElement pseudo = PseudoElement::None;  // ::before / ::after content
  bool never = false;  // an unsupported pseudo: never matches
};

enum class Combinator : uint8_t { Descendant, Child, Adjacent, Sibling };

struct Selector {
  // parts[0] is the subject (rightmost); combinators[i] joins parts[i] to
  // parts[i + 1] (which stands to its left in the source).
  std::vector<Compound> parts;
  std::vector<Combinator> combinators;
  uint32_t specificity = 0;  // a*65536 + b*256 + c, each clamped to 255
};

struct StyleRule {
  Selector selector;
  uint32_t block = 0;  // index into StyleSheet::blocks
  int32_t media = -1;  // index into StyleSheet::media: the @media around it
};

// An @media block's query list; its rules apply when it and every block
// around it (parent) match. Kept with the sheet so that one parsed sheet
// serves pages laid out for different media and sizes.
struct MediaBlock {
  std::vector<CssToken> query;
  int32_t parent = -1;
};

struct RuleIndexCache;

struct StyleSheet {
  std::vector<StyleRule> rules;                  // source order
  std::vector<std::vector<Declaration>> blocks;  // declaration blocks
  std::vector<MediaBlock> media;
  std::vector<std::string> imports;  // @import urls as written, in order
  size_t sourceBytes = 0;            // length of the text it was parsed from
  // The rules indexed for the cascade, made once per set of @media blocks
  // that apply by the style engines that use the sheet (style.cpp).
  mutable std::shared_ptr<RuleIndexCache> indexCache;
};

// @import url -> called with the url as written; the caller may parse and
// merge that sheet (before this sheet's rules, as @import requires). The
// same urls are kept in sheet->imports, so a sheet parsed once can have its
// imports followed again by every document that links it.
using ImportHandler = std::function<void(const std::string& url)>;

void parseStyleSheet(const std::string& text, StyleSheet* sheet, const ImportHandler& onImport = nullptr);
std::vector<Declaration> parseDeclarations(const std::string& text);

// Parses one selector list ("h1, div > p.x"); false when any part is invalid.
bool parseSelectorList(const std::vector<CssToken>& toks, size_t begin, size_t end,
                       std::vector<Selector>* out);

}  // namespace layout
}  // namespace tw
