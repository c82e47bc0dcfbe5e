// style.cpp - the user-agent sheet, presentational attributes, selector
// matching, the cascade and computed values.
#include "layout/style.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "layout/host.h"
#include "nsURLParser.h"

namespace tw {
namespace layout {

namespace {

// The user-agent sheet: HTML 4 rendering, with the quirks that help pages
// written for old browsers rely on (tables reset the font size).
const char kUserAgentSheet[] = R"CSS(
html, address, blockquote, body, dd, div, dl, dt, fieldset, form, frame, frameset, h1, h2, h3, h4, h5, h6,
noframes, ol, p, ul, center, dir, hr, menu, pre, listing, xmp, plaintext, article, aside, footer, header,
hgroup, main, nav, section, figure, figcaption, details, summary, legend { display: block }
li { display: list-item }
head, script, style, title, meta, link, base, param, noscript, noembed, area, map, frameset, frame, iframe,
object, applet, embed, input[type=hidden], datalist, template, bgsound, basefont, colgroup col { display: none }
table { display: table; border-spacing: 2px; border-collapse: separate }
thead { display: table-header-group; vertical-align: middle }
tbody { display: table-row-group; vertical-align: middle }
tfoot { display: table-footer-group; vertical-align: middle }
tr { display: table-row; vertical-align: inherit }
td, th { display: table-cell; vertical-align: inherit; padding: 1px }
th { font-weight: bold; text-align: center }
caption { display: table-caption; text-align: center }
col { display: table-column } colgroup { display: table-column-group }
body { margin: 8px; line-height: normal }
p, dl, multicol { margin: 1em 0 }
blockquote { margin: 1em 40px }
dd { margin-left: 40px }
h1 { font-size: 2em; margin: .67em 0; font-weight: bold }
h2 { font-size: 1.5em; margin: .83em 0; font-weight: bold }
h3 { font-size: 1.17em; margin: 1em 0; font-weight: bold }
h4 { margin: 1.33em 0; font-weight: bold }
h5 { font-size: .83em; margin: 1.67em 0; font-weight: bold }
h6 { font-size: .67em; margin: 2.33em 0; font-weight: bold }
pre, listing, xmp, plaintext { white-space: pre; font-family: monospace; margin: 1em 0 }
tt, code, kbd, samp { font-family: monospace }
b, strong { font-weight: bold }
i, cite, em, var, dfn, address { font-style: italic }
u, ins { text-decoration: underline }
s, strike, del { text-decoration: line-through }
big { font-size: larger } small { font-size: smaller }
sub { vertical-align: sub; font-size: smaller }
sup { vertical-align: super; font-size: smaller }
center { text-align: center }
ul, ol, dir, menu { margin: 1em 0; padding-left: 40px }
ul, dir, menu { list-style-type: disc }
ol { list-style-type: decimal }
ul ul, ul dir, ul menu, ol ul, dir ul, menu ul { list-style-type: circle }
ul ul ul, ul ul dir, ol ol ul, ol ul ul, ul ol ul { list-style-type: square }
ul ul, ul ol, ol ul, ol ol, ul dl, ol dl, dl ul, dl ol { margin-top: 0; margin-bottom: 0 }
hr { border: 1px inset gray; margin: .5em auto; color: gray; height: 0 }
a:link { color: blue; text-decoration: underline }
a:visited { color: purple; text-decoration: underline }
img { border: 0 solid }
a:link img, a:visited img { border-color: blue }
nobr { white-space: nowrap }
wbr { display: inline }
br { display: inline }
fieldset { margin: 0 2px; padding: .35em .75em .625em; border: 2px groove silver }
)CSS";

// Quirks mode (pages without a standards doctype, as most help pages are):
// tables do not inherit the text properties of their surroundings.
const char kQuirksSheet[] = R"CSS(
table { text-align: left; white-space: normal; line-height: normal; font-size: medium; font-weight: normal;
        font-style: normal; font-variant: normal }
)CSS";

struct NamedColor {
  const char* name;
  uint32_t rgb;
};
const NamedColor kColors[] = {
    {"aliceblue", 0xF0F8FF}, {"antiquewhite", 0xFAEBD7}, {"aqua", 0x00FFFF}, {"aquamarine", 0x7FFFD4},
    {"azure", 0xF0FFFF}, {"beige", 0xF5F5DC}, {"bisque", 0xFFE4C4}, {"black", 0x000000},
    {"blanchedalmond", 0xFFEBCD}, {"blue", 0x0000FF}, {"blueviolet", 0x8A2BE2}, {"brown", 0xA52A2A},
    {"burlywood", 0xDEB887}, {"cadetblue", 0x5F9EA0}, {"chartreuse", 0x7FFF00}, {"chocolate", 0xD2691E},
    {"coral", 0xFF7F50}, {"cornflowerblue", 0x6495ED}, {"cornsilk", 0xFFF8DC}, {"crimson", 0xDC143C},
    {"cyan", 0x00FFFF}, {"darkblue", 0x00008B}, {"darkcyan", 0x008B8B}, {"darkgoldenrod", 0xB8860B},
    {"darkgray", 0xA9A9A9}, {"darkgreen", 0x006400}, {"darkgrey", 0xA9A9A9}, {"darkkhaki", 0xBDB76B},
    {"darkmagenta", 0x8B008B}, {"darkolivegreen", 0x556B2F}, {"darkorange", 0xFF8C00}, {"darkorchid", 0x9932CC},
    {"darkred", 0x8B0000}, {"darksalmon", 0xE9967A}, {"darkseagreen", 0x8FBC8F}, {"darkslateblue", 0x483D8B},
    {"darkslategray", 0x2F4F4F}, {"darkturquoise", 0x00CED1}, {"darkviolet", 0x9400D3}, {"deeppink", 0xFF1493},
    {"deepskyblue", 0x00BFFF}, {"dimgray", 0x696969}, {"dodgerblue", 0x1E90FF}, {"firebrick", 0xB22222},
    {"floralwhite", 0xFFFAF0}, {"forestgreen", 0x228B22}, {"fuchsia", 0xFF00FF}, {"gainsboro", 0xDCDCDC},
    {"ghostwhite", 0xF8F8FF}, {"gold", 0xFFD700}, {"goldenrod", 0xDAA520}, {"gray", 0x808080},
    {"green", 0x008000}, {"greenyellow", 0xADFF2F}, {"grey", 0x808080}, {"honeydew", 0xF0FFF0},
    {"hotpink", 0xFF69B4}, {"indianred", 0xCD5C5C}, {"indigo", 0x4B0082}, {"ivory", 0xFFFFF0},
    {"khaki", 0xF0E68C}, {"lavender", 0xE6E6FA}, {"lavenderblush", 0xFFF0F5}, {"lawngreen", 0x7CFC00},
    {"lemonchiffon", 0xFFFACD}, {"lightblue", 0xADD8E6}, {"lightcoral", 0xF08080}, {"lightcyan", 0xE0FFFF},
    {"lightgoldenrodyellow", 0xFAFAD2}, {"lightgray", 0xD3D3D3}, {"lightgreen", 0x90EE90},
    {"lightgrey", 0xD3D3D3}, {"lightpink", 0xFFB6C1}, {"lightsalmon", 0xFFA07A}, {"lightseagreen", 0x20B2AA},
    {"lightskyblue", 0x87CEFA}, {"lightslategray", 0x778899}, {"lightsteelblue", 0xB0C4DE},
    {"lightyellow", 0xFFFFE0}, {"lime", 0x00FF00}, {"limegreen", 0x32CD32}, {"linen", 0xFAF0E6},
    {"magenta", 0xFF00FF}, {"maroon", 0x800000}, {"mediumaquamarine", 0x66CDAA}, {"mediumblue", 0x0000CD},
    {"mediumorchid", 0xBA55D3}, {"mediumpurple", 0x9370DB}, {"mediumseagreen", 0x3CB371},
    {"mediumslateblue", 0x7B68EE}, {"mediumspringgreen", 0x00FA9A}, {"mediumturquoise", 0x48D1CC},
    {"mediumvioletred", 0xC71585}, {"midnightblue", 0x191970}, {"mintcream", 0xF5FFFA},
    {"mistyrose", 0xFFE4E1}, {"moccasin", 0xFFE4B5}, {"navajowhite", 0xFFDEAD}, {"navy", 0x000080},
    {"oldlace", 0xFDF5E6}, {"olive", 0x808000}, {"olivedrab", 0x6B8E23}, {"orange", 0xFFA500},
    {"orangered", 0xFF4500}, {"orchid", 0xDA70D6}, {"palegoldenrod", 0xEEE8AA}, {"palegreen", 0x98FB98},
    {"paleturquoise", 0xAFEEEE}, {"palevioletred", 0xDB7093}, {"papayawhip", 0xFFEFD5},
    {"peachpuff", 0xFFDAB9}, {"peru", 0xCD853F}, {"pink", 0xFFC0CB}, {"plum", 0xDDA0DD},
    {"powderblue", 0xB0E0E6}, {"purple", 0x800080}, {"red", 0xFF0000}, {"rosybrown", 0xBC8F8F},
    {"royalblue", 0x4169E1}, {"saddlebrown", 0x8B4513}, {"salmon", 0xFA8072}, {"sandybrown", 0xF4A460},
    {"seagreen", 0x2E8B57}, {"seashell", 0xFFF5EE}, {"sienna", 0xA0522D}, {"silver", 0xC0C0C0},
    {"skyblue", 0x87CEEB}, {"slateblue", 0x6A5ACD}, {"slategray", 0x708090}, {"snow", 0xFFFAFA},
    {"springgreen", 0x00FF7F}, {"steelblue", 0x4682B4}, {"tan", 0xD2B48C}, {"teal", 0x008080},
    {"thistle", 0xD8BFD8}, {"tomato", 0xFF6347}, {"turquoise", 0x40E0D0}, {"violet", 0xEE82EE},
    {"wheat", 0xF5DEB3}, {"white", 0xFFFFFF}, {"whitesmoke", 0xF5F5F5}, {"yellow", 0xFFFF00},
    {"yellowgreen", 0x9ACD32},
    // system colours as a default Windows scheme paints them
    {"buttonface", 0xC0C0C0}, {"buttontext", 0x000000}, {"window", 0xFFFFFF}, {"windowtext", 0x000000},
    {"highlight", 0x000080}, {"highlighttext", 0xFFFFFF}, {"graytext", 0x808080}, {"infobackground", 0xFFFFE1},
    {"threedface", 0xC0C0C0}, {"buttonshadow", 0x808080}, {"buttonhighlight", 0xFFFFFF},
};

std::string lower(std::string_view s) {
  std::string r(s);
  for (char& c : r)
    if (c >= 'A' && c <= 'Z') c = char(c + 32);
  return r;
}

std::string trim(std::string_view s) {
  size_t b = 0, e = s.size();
  while (b < e && (unsigned char)s[b] <= ' ') ++b;
  while (e > b && (unsigned char)s[e - 1] <= ' ') --e;
  return std::string(s.substr(b, e - b));
}

float clampLen(double v) {
  if (!(v == v)) return 0;
  if (v > kMaxLength) return kMaxLength;
  if (v < -kMaxLength) return -kMaxLength;
  return float(v);
}

int hexVal(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

bool parseHexColor(const std::string& h, Color* out) {
  for (char c : h)
    if (hexVal(c) < 0) return false;
  if (h.size() == 3) {
    *out = Color::rgb(uint8_t(hexVal(h[0]) * 17), uint8_t(hexVal(h[1]) * 17), uint8_t(hexVal(h[2]) * 17));
    return true;
  }
  if (h.size() == 6) {
    *out = Color::rgb(uint8_t(hexVal(h[0]) * 16 + hexVal(h[1])), uint8_t(hexVal(h[2]) * 16 + hexVal(h[3])),
                      uint8_t(hexVal(h[4]) * 16 + hexVal(h[5])));
    return true;
  }
  return false;
}

bool namedColor(const std::string& n, Color* out) {
  for (const auto& c : kColors)
    if (n == c.name) {
      *out = Color::rgb(uint8_t(c.rgb >> 16), uint8_t(c.rgb >> 8), uint8_t(c.rgb));
      return true;
    }
  return false;
}

}  // namespace

bool parseColorTokens(const std::vector<CssToken>& v, Color* out) {
  if (v.empty()) return false;
  const CssToken& t = v[0];
  if (t.type == TokType::Hash) return parseHexColor(t.text, out);
  if (t.type == TokType::Ident) {
    if (t.text == "transparent") {
      *out = Color::transparent();
      return true;
    }
    return namedColor(t.text, out);
  }
  if (t.type == TokType::Function && (t.text == "rgb" || t.text == "rgba")) {
    double c[4] = {0, 0, 0, 1};
    int n = 0;
    for (size_t i = 1; i < v.size() && n < 4; ++i) {
      const CssToken& a = v[i];
      if (a.type == TokType::Number) {
        c[n] = a.num;
        ++n;
      } else if (a.type == TokType::Percentage) {
        c[n] = n < 3 ? a.num * 255.0 / 100.0 : a.num / 100;
        ++n;
      }
      else if (a.type == TokType::RParen) break;
    }
    if (n < 3) return false;
    auto ch = [](double x) { return uint8_t(std::max(0.0, std::min(255.0, std::round(x)))); };
    *out = Color{ch(c[0]), ch(c[1]), ch(c[2]), uint8_t(c[3] <= 0 ? 0 : 255)};
    return true;
  }
  return false;
}

bool parseColor(const std::string& text, Color* out) {
  std::string s = trim(text);
  if (s.empty()) return false;
  if (s[0] == '#') return parseHexColor(s.substr(1), out) || parseHexColor(s.substr(1, 6), out);
  std::string l = lower(s);
  if (namedColor(l, out)) return true;
  if (parseHexColor(s, out)) return true;  // bgcolor="ffffff"
  std::vector<CssToken> toks = tokenizeCss(s, 64);
  std::vector<CssToken> v;
  for (auto& t : toks)
    if (t.type != TokType::Whitespace) v.push_back(t);
  return parseColorTokens(v, out);
}

std::string resolveUrl(const std::string& base, const std::string& ref) {
  return NS_ResolveLink(base, ref);
}

// ---------------------------------------------------------------------------
// Value computation

namespace {

struct Ctx {
  const ComputedStyle* parent;
  ComputedStyle* s;
};

// Length from one token; em/ex relative to `em`. False when not a length.
bool toLength(const CssToken& t, float em, Length* out, bool allowPercent = true, bool unitlessOk = false) {
  double v = t.num;
  if (t.type == TokType::Percentage) {
    if (!allowPercent) return false;
    *out = Length{clampLen(v), Length::Percent};
    return true;
  }
  if (t.type == TokType::Number) {
    if (v != 0 && !unitlessOk) return false;
    *out = Length::px(clampLen(v));
    return true;
  }
  if (t.type != TokType::Dimension) return false;
  const std::string& u = t.text;
  double px;
  if (u == "px") px = v;
  else if (u == "pt") px = v * 96.0 / 72.0;
  else if (u == "pc") px = v * 16.0;
  else if (u == "in") px = v * 96.0;
  else if (u == "cm") px = v * 96.0 / 2.54;
  else if (u == "mm") px = v * 96.0 / 25.4;
  else if (u == "em") px = v * em;
  else if (u == "ex") px = v * em * 0.5;
  else if (u == "rem") px = v * 16.0;
  else return false;
  *out = Length::px(clampLen(px));
  return true;
}


BorderStyle borderStyleOf(const std::string& s, bool* ok) {
  static const char* kNames[] = {"none", "hidden", "dotted", "dashed", "solid", "double", "groove", "ridge", "inset", "outset"};
  for (int i = 0; i < 10; ++i)
    if (s == kNames[i]) {
      *ok = true;
      return BorderStyle(i);
    }
  *ok = false;
  return BorderStyle::None;
}

float fontSizeKeyword(const std::string& k, float parent, bool* ok) {
  *ok = true;
  if (k == "xx-small") return 9;
  if (k == "x-small") return 10;
  if (k == "small") return 13;
  if (k == "medium") return 16;
  if (k == "large") return 18;
  if (k == "x-large") return 24;
  if (k == "xx-large") return 32;
  if (k == "larger") return parent * 1.2f;
  if (k == "smaller") return parent / 1.2f;
  *ok = false;
  return parent;
}

// Applies one declaration's value (already known to be the winner).
void applyValue(Prop p, const std::vector<CssToken>& v, Ctx& c) {
  ComputedStyle& s = *c.s;
  const ComputedStyle& ps = *c.parent;
  if (v.empty()) return;
  const CssToken& t = v[0];
  const bool ident = t.type == TokType::Ident;
  const std::string& k = t.text;
  float em = s.fontSize;
  Length len;
  int side = 0;
  switch (p) {
    case Prop::Display: {
      if (!ident) return;
      static const struct { const char* n; Display d; } kD[] = {
          {"none", Display::None}, {"inline", Display::Inline}, {"block", Display::Block},
          {"inline-block", Display::InlineBlock}, {"list-item", Display::ListItem}, {"table", Display::Table},
          {"inline-table", Display::InlineTable}, {"table-row-group", Display::TableRowGroup},
          {"table-header-group", Display::TableHeaderGroup}, {"table-footer-group", Display::TableFooterGroup},
          {"table-row", Display::TableRow}, {"table-cell", Display::TableCell},
          {"table-column", Display::TableColumn}, {"table-column-group", Display::TableColumnGroup},
          {"table-caption", Display::TableCaption}, {"run-in", Display::Block}, {"flex", Display::Block},
          {"grid", Display::Block}, {"inline-flex", Display::InlineBlock}, {"contents", Display::Inline}};
      for (auto& d : kD)
        if (k == d.n) s.display = d.d;
      return;
    }
    case Prop::Position:
      return;  // static positioning only: absolute/fixed boxes stay in the flow
    case Prop::Float:
      if (ident) s.floating = k == "left" ? FloatKind::Left : k == "right" ? FloatKind::Right : FloatKind::None;
      return;
    case Prop::Clear:
      if (ident)
        s.clear = k == "left" ? ClearKind::Left : k == "right" ? ClearKind::Right : k == "both" ? ClearKind::Both : ClearKind::None;
      return;
    case Prop::Visibility:
      if (ident) s.visible = !(k == "hidden" || k == "collapse");
      return;
    case Prop::Overflow:
      if (ident) s.overflowHidden = k == "hidden" || k == "scroll" || k == "auto";
      return;
    case Prop::Width: case Prop::Height: case Prop::MinWidth: case Prop::MinHeight: case Prop::MaxWidth:
    case Prop::MaxHeight: {
      Length* dst = p == Prop::Width ? &s.width : p == Prop::Height ? &s.height : p == Prop::MinWidth ? &s.minWidth
                  : p == Prop::MinHeight ? &s.minHeight : p == Prop::MaxWidth ? &s.maxWidth : &s.maxHeight;
      if (ident && (k == "auto" || k == "none")) {
        *dst = (p == Prop::MinWidth || p == Prop::MinHeight) ? Length::px(0) : Length::autoLen();
        return;
      }
      if (toLength(t, em, &len, true, true) && len.value >= 0) *dst = len;
      return;
    }
    case Prop::MarginTop: case Prop::MarginRight: case Prop::MarginBottom: case Prop::MarginLeft:
      side = int(p) - int(Prop::MarginTop);
      if (ident && k == "auto") s.margin[side] = Length::autoLen();
      else if (toLength(t, em, &len, true, true)) s.margin[side] = len;
      return;
    case Prop::PaddingTop: case Prop::PaddingRight: case Prop::PaddingBottom: case Prop::PaddingLeft:
      side = int(p) - int(Prop::PaddingTop);
      if (toLength(t, em, &len, true, true) && len.value >= 0) s.padding[side] = len;
      return;
    case Prop::BorderTopWidth: case Prop::BorderRightWidth: case Prop::BorderBottomWidth:
    case Prop::BorderLeftWidth:
      side = int(p) - int(Prop::BorderTopWidth);
      if (ident) {
        if (k == "thin") s.borderWidth[side] = 1;
        else if (k == "medium") s.borderWidth[side] = 3;
        else if (k == "thick") s.borderWidth[side] = 5;
      } else if (toLength(t, em, &len, false, true) && len.value >= 0) {
        s.borderWidth[side] = std::min(len.value, 10000.0f);
      }
      return;
    case Prop::BorderTopStyle: case Prop::BorderRightStyle: case Prop::BorderBottomStyle:
    case Prop::BorderLeftStyle: {
      side = int(p) - int(Prop::BorderTopStyle);
      bool ok;
      BorderStyle b = borderStyleOf(k, &ok);
      if (ident && ok) s.borderStyle[side] = b;
      return;
    }
    case Prop::BorderTopColor: case Prop::BorderRightColor: case Prop::BorderBottomColor:
    case Prop::BorderLeftColor: {
      side = int(p) - int(Prop::BorderTopColor);
      Color col;
      if (ident && k == "currentcolor") s.borderColor[side] = s.color;  // fixed up after color
      else if (parseColorTokens(v, &col)) s.borderColor[side] = col;
      return;
    }
    case Prop::FontFamily: {
      std::string fam;
      for (const auto& x : v) {
        if (x.type == TokType::Comma) {
          fam += ",";
          continue;
        }
        if (x.type != TokType::Ident && x.type != TokType::String) continue;
        if (!fam.empty() && fam.back() != ',' && x.spaceBefore) fam += ' ';
        fam += x.text;
      }
      if (!fam.empty()) s.fontFamily = fam.substr(0, 512);
      return;
    }
    case Prop::FontSize: {
      bool ok;
      if (ident) {
        float f = fontSizeKeyword(k, ps.fontSize, &ok);
        if (ok) s.fontSize = f;
      } else if (t.type == TokType::Percentage) {
        s.fontSize = float(ps.fontSize * t.num / 100.0);
      } else if (t.type == TokType::Dimension && (t.text == "em" || t.text == "ex")) {
        s.fontSize = float(ps.fontSize * t.num * (t.text == "ex" ? 0.5 : 1.0));
      } else if (toLength(t, ps.fontSize, &len, false, true)) {
        s.fontSize = len.value;
      }
      s.fontSize = std::max(1.0f, std::min(s.fontSize, 2000.0f));
      return;
    }
    case Prop::FontWeight:
      if (ident) {
        if (k == "normal") s.fontWeight = 400;
        else if (k == "bold") s.fontWeight = 700;
        else if (k == "bolder") s.fontWeight = ps.fontWeight >= 600 ? 900 : 700;
        else if (k == "lighter") s.fontWeight = ps.fontWeight >= 600 ? 400 : 100;
      } else if (t.type == TokType::Number && t.num >= 1 && t.num <= 1000) {
        s.fontWeight = std::max(100, std::min(900, int(t.num / 100 + 0.5) * 100));
      }
      return;
    case Prop::FontStyle:
      if (ident) s.italic = k == "italic" || k == "oblique";
      return;
    case Prop::FontVariant:
      if (ident) s.smallCaps = k == "small-caps";
      return;
    case Prop::Color: {
      Color col;
      if (parseColorTokens(v, &col) && !col.isTransparent()) s.color = col;
      return;
    }
    case Prop::BackgroundColor: {
      Color col;
      if (parseColorTokens(v, &col)) s.backgroundColor = col;
      return;
    }
    case Prop::BackgroundImage:
      if (t.type == TokType::Url) s.backgroundImage = t.text;
      else if (t.type == TokType::Function && t.text == "url" && v.size() > 1 && v[1].type == TokType::String)
        s.backgroundImage = v[1].text;
      else if (ident && k == "none") s.backgroundImage.clear();
      return;
    case Prop::BackgroundRepeat:
      if (ident) s.backgroundRepeat = k == "repeat" ? 3 : k == "repeat-x" ? 1 : k == "repeat-y" ? 2 : 0;
      return;
    case Prop::TextAlign:
      if (!ident) return;
      if (k == "left" || k == "start" || k == "-moz-left" || k == "-webkit-left") s.textAlign = TextAlign::Left;
      else if (k == "right" || k == "end" || k == "-moz-right" || k == "-webkit-right") s.textAlign = TextAlign::Right;
      else if (k == "center" || k == "-moz-center" || k == "-webkit-center") s.textAlign = TextAlign::Center;
      else if (k == "justify") s.textAlign = TextAlign::Justify;
      return;
    case Prop::TextIndent:
      if (t.type == TokType::Percentage) {
        s.textIndentPct = float(std::max(-1000.0, std::min(1000.0, t.num)));
        s.textIndent = 0;
      } else if (toLength(t, em, &len, false, true)) {
        s.textIndent = len.value;
        s.textIndentPct = -1;
      }
      return;
    case Prop::TextDecoration: {
      uint8_t d = 0;
      for (const auto& x : v) {
        if (x.type != TokType::Ident) return;
        if (x.text == "underline") d |= kUnderline;
        else if (x.text == "overline") d |= kOverline;
        else if (x.text == "line-through") d |= kLineThrough;
        else if (x.text != "none" && x.text != "blink") return;
      }
      s.textDecoration = d;
      return;
    }
    case Prop::TextTransform:
      if (ident)
        s.textTransform = k == "uppercase" ? TextTransform::Uppercase : k == "lowercase" ? TextTransform::Lowercase
                        : k == "capitalize" ? TextTransform::Capitalize : TextTransform::None;
      return;
    case Prop::VerticalAlign:
      if (ident) {
        static const struct { const char* n; VAlign a; } kV[] = {
            {"baseline", VAlign::Baseline}, {"sub", VAlign::Sub}, {"super", VAlign::Super}, {"top", VAlign::Top},
            {"text-top", VAlign::TextTop}, {"middle", VAlign::Middle}, {"bottom", VAlign::Bottom},
            {"text-bottom", VAlign::TextBottom}};
        for (auto& a : kV)
          if (k == a.n) s.verticalAlign = a.a;
      } else if (t.type == TokType::Percentage) {
        s.verticalAlign = VAlign::Length;
        s.verticalAlignPx = float(t.num / 100.0 * em * 1.15);
      } else if (toLength(t, em, &len, false, true)) {
        s.verticalAlign = VAlign::Length;
        s.verticalAlignPx = len.value;
      }
      return;
    case Prop::WhiteSpace:
      if (ident)
        s.whiteSpace = k == "pre" ? WhiteSpace::Pre : k == "nowrap" ? WhiteSpace::Nowrap : k == "pre-wrap" ? WhiteSpace::PreWrap
                     : k == "pre-line" ? WhiteSpace::PreLine : WhiteSpace::Normal;
      return;
    case Prop::LineHeight:
      if (ident && k == "normal") {
        s.lineHeight = -1;
        s.lineHeightFactor = 0;
      } else if (t.type == TokType::Number && t.num >= 0) {
        s.lineHeightFactor = float(std::min(t.num, 100.0));
        s.lineHeight = s.lineHeightFactor * em;
      } else if (t.type == TokType::Percentage && t.num >= 0) {
        s.lineHeightFactor = 0;
        s.lineHeight = clampLen(t.num / 100.0 * em);
      } else if (toLength(t, em, &len, false, false) && len.value >= 0) {
        s.lineHeightFactor = 0;
        s.lineHeight = len.value;
      }
      return;
    case Prop::LetterSpacing: case Prop::WordSpacing:
      if (ident && k == "normal") len = Length::px(0);
      else if (!toLength(t, em, &len, false, true)) return;
      (p == Prop::LetterSpacing ? s.letterSpacing : s.wordSpacing) = std::max(-100.0f, std::min(len.value, 1000.0f));
      return;
    case Prop::ListStyleType:
      if (ident) {
        static const struct { const char* n; ListType t; } kL[] = {
            {"none", ListType::None}, {"disc", ListType::Disc}, {"circle", ListType::Circle},
            {"square", ListType::Square}, {"decimal", ListType::Decimal}, {"decimal-leading-zero", ListType::Decimal},
            {"lower-roman", ListType::LowerRoman}, {"upper-roman", ListType::UpperRoman},
            {"lower-alpha", ListType::LowerAlpha}, {"lower-latin", ListType::LowerAlpha},
            {"upper-alpha", ListType::UpperAlpha}, {"upper-latin", ListType::UpperAlpha},
            {"lower-greek", ListType::LowerAlpha}};
        for (auto& l : kL)
          if (k == l.n) s.listType = l.t;
      }
      return;
    case Prop::ListStylePosition:
      if (ident) s.listInside = k == "inside";
      return;
    case Prop::ListStyleImage:
      if (t.type == TokType::Url) s.listImage = t.text;
      else if (ident && k == "none") s.listImage.clear();
      return;
    case Prop::PageBreakBefore: case Prop::PageBreakAfter: {
      if (!ident) return;
      PageBreak b = (k == "always" || k == "left" || k == "right" || k == "page") ? PageBreak::Always
                  : k == "avoid" ? PageBreak::Avoid : PageBreak::Auto;
      (p == Prop::PageBreakBefore ? s.pageBreakBefore : s.pageBreakAfter) = b;
      return;
    }
    case Prop::PageBreakInside:
      if (ident) s.pageBreakInsideAvoid = k == "avoid";
      return;
    case Prop::BorderCollapse:
      if (ident) s.borderCollapse = k == "collapse";
      return;
    case Prop::BorderSpacingH: case Prop::BorderSpacingV:
      if (toLength(t, em, &len, false, true) && len.value >= 0)
        (p == Prop::BorderSpacingH ? s.borderSpacingH : s.borderSpacingV) = std::min(len.value, 10000.0f);
      return;
    case Prop::Count:
      return;
  }
}

// `inherit`: copy the parent's value of that property.
void inheritValue(Prop p, Ctx& c) {
  ComputedStyle& s = *c.s;
  const ComputedStyle& ps = *c.parent;
  switch (p) {
    case Prop::Display: s.display = ps.display; break;
    case Prop::Float: s.floating = ps.floating; break;
    case Prop::Clear: s.clear = ps.clear; break;
    case Prop::Overflow: s.overflowHidden = ps.overflowHidden; break;
    case Prop::Width: s.width = ps.width; break;
    case Prop::Height: s.height = ps.height; break;
    case Prop::MinWidth: s.minWidth = ps.minWidth; break;
    case Prop::MinHeight: s.minHeight = ps.minHeight; break;
    case Prop::MaxWidth: s.maxWidth = ps.maxWidth; break;
    case Prop::MaxHeight: s.maxHeight = ps.maxHeight; break;
    case Prop::MarginTop: case Prop::MarginRight: case Prop::MarginBottom: case Prop::MarginLeft:
      s.margin[int(p) - int(Prop::MarginTop)] = ps.margin[int(p) - int(Prop::MarginTop)]; break;
    case Prop::PaddingTop: case Prop::PaddingRight: case Prop::PaddingBottom: case Prop::PaddingLeft:
      s.padding[int(p) - int(Prop::PaddingTop)] = ps.padding[int(p) - int(Prop::PaddingTop)]; break;
    case Prop::BorderTopWidth: case Prop::BorderRightWidth: case Prop::BorderBottomWidth: case Prop::BorderLeftWidth:
      s.borderWidth[int(p) - int(Prop::BorderTopWidth)] = ps.borderWidth[int(p) - int(Prop::BorderTopWidth)]; break;
    case Prop::BorderTopStyle: case Prop::BorderRightStyle: case Prop::BorderBottomStyle: case Prop::BorderLeftStyle:
      s.borderStyle[int(p) - int(Prop::BorderTopStyle)] = ps.borderStyle[int(p) - int(Prop::BorderTopStyle)]; break;
    case Prop::BorderTopColor: case Prop::BorderRightColor: case Prop::BorderBottomColor: case Prop::BorderLeftColor:
      s.borderColor[int(p) - int(Prop::BorderTopColor)] = ps.borderColor[int(p) - int(Prop::BorderTopColor)]; break;
    case Prop::BackgroundColor: s.backgroundColor = ps.backgroundColor; break;
    case Prop::BackgroundImage: s.backgroundImage = ps.backgroundImage; break;
    case Prop::BackgroundRepeat: s.backgroundRepeat = ps.backgroundRepeat; break;
    case Prop::TextDecoration: s.textDecoration = ps.textDecoration; break;
    case Prop::VerticalAlign: s.verticalAlign = ps.verticalAlign; s.verticalAlignPx = ps.verticalAlignPx; break;
    case Prop::PageBreakBefore: s.pageBreakBefore = ps.pageBreakBefore; break;
    case Prop::PageBreakAfter: s.pageBreakAfter = ps.pageBreakAfter; break;
    case Prop::PageBreakInside: s.pageBreakInsideAvoid = ps.pageBreakInsideAvoid; break;
    default: break;  // inherited properties already hold the parent's value
  }
}

// Starts an element's style: inherited properties from the parent, the
// rest at their initial values.
ComputedStyle inheritFrom(const ComputedStyle& p) {
  ComputedStyle s;
  s.fontFamily = p.fontFamily;
  s.fontSize = p.fontSize;
  s.fontWeight = p.fontWeight;
  s.italic = p.italic;
  s.smallCaps = p.smallCaps;
  s.color = p.color;
  s.textAlign = p.textAlign;
  s.blockAlign = p.blockAlign;
  s.textIndent = p.textIndent;
  s.textIndentPct = p.textIndentPct;
  s.decorationsInEffect = p.decorationsInEffect;
  s.textTransform = p.textTransform;
  s.whiteSpace = p.whiteSpace;
  s.lineHeight = p.lineHeight;
  s.lineHeightFactor = p.lineHeightFactor;
  s.letterSpacing = p.letterSpacing;
  s.wordSpacing = p.wordSpacing;
  s.listType = p.listType;
  s.listInside = p.listInside;
  s.listImage = p.listImage;
  s.visible = p.visible;
  s.borderCollapse = p.borderCollapse;
  s.borderSpacingH = p.borderSpacingH;
  s.borderSpacingV = p.borderSpacingV;
  for (auto& c : s.borderColor) c = s.color;
  return s;
}

// --- presentational attributes -------------------------------------------

std::string htmlLength(std::string_view v, bool allowPercent = true) {
  std::string s = trim(v);
  size_t i = 0;
  while (i < s.size() && ((s[i] >= '0' && s[i] <= '9') || s[i] == '.')) ++i;
  if (i == 0) return "";
  std::string num = s.substr(0, std::min<size_t>(i, 12));
  if (i < s.size() && s[i] == '%') return allowPercent ? num + "%" : "";
  return num + "px";
}

const char* alignValue(std::string_view v) {
  std::string a = lower(trim(v));
  if (a == "left") return "left";
  if (a == "right") return "right";
  if (a == "center" || a == "middle" || a == "absmiddle") return "center";
  if (a == "justify") return "justify";
  return nullptr;
}

// Attribute -> declarations text, in the manner browsers map HTML 4's
// presentational attributes onto CSS.
std::string presentationalHints(const html::Element& e, const html::Element* table) {
  using html::Tag;
  std::string css;
  auto attr = [&](const char* n) -> const html::Attribute* { return e.findAttribute(n); };
  auto add = [&](const std::string& d) {
    css += d;
    css += ';';
  };
  Tag t = e.tag();
  if (auto* a = attr("bgcolor")) {
    Color c;
    if (parseColor(a->value(), &c)) {
      char buf[40];
      snprintf(buf, sizeof buf, "background-color:#%02x%02x%02x", c.r, c.g, c.b);
      add(buf);
    }
  }
  if (auto* a = attr("background")) {
    if (t == Tag::Body || t == Tag::Table || t == Tag::Td || t == Tag::Th || t == Tag::Tr) {
      std::string u = a->value();
      std::string esc;
      for (char ch : u)
        if (ch != '"' && ch != '\\' && ch != '\n') esc += ch;
      add("background-image:url(\"" + esc + "\")");
    }
  }
  if (t == Tag::Body) {
    if (auto* a = attr("text")) {
      Color c;
      if (parseColor(a->value(), &c)) {
        char buf[40];
        snprintf(buf, sizeof buf, "color:#%02x%02x%02x", c.r, c.g, c.b);
        add(buf);
      }
    }
    if (auto* a = attr("leftmargin")) add("margin-left:" + htmlLength(a->value(), false));
    if (auto* a = attr("rightmargin")) add("margin-right:" + htmlLength(a->value(), false));
    if (auto* a = attr("topmargin")) add("margin-top:" + htmlLength(a->value(), false));
    if (auto* a = attr("bottommargin")) add("margin-bottom:" + htmlLength(a->value(), false));
    if (auto* a = attr("marginwidth")) add("margin-left:" + htmlLength(a->value(), false) + ";margin-right:" + htmlLength(a->value(), false));
    if (auto* a = attr("marginheight")) add("margin-top:" + htmlLength(a->value(), false) + ";margin-bottom:" + htmlLength(a->value(), false));
  }
  if (t == Tag::Font || t == Tag::Basefont) {
    if (auto* a = attr("color")) {
      Color c;
      if (parseColor(a->value(), &c)) {
        char buf[40];
        snprintf(buf, sizeof buf, "color:#%02x%02x%02x", c.r, c.g, c.b);
        add(buf);
      }
    }
    if (auto* a = attr("face")) {
      std::string f;
      for (char ch : a->value())
        if (ch != ';' && ch != '{' && ch != '}' && ch != '\n') f += ch;
      add("font-family:" + f);
    }
    if (auto* a = attr("size")) {
      std::string v = trim(a->value());
      int n = 0, sign = 0;
      size_t i = 0;
      if (!v.empty() && (v[0] == '+' || v[0] == '-')) sign = v[0] == '+' ? 1 : -1, i = 1;
      bool digits = false;
      while (i < v.size() && v[i] >= '0' && v[i] <= '9' && n < 100) n = n * 10 + (v[i++] - '0'), digits = true;
      if (digits) {
        int size = sign ? 3 + sign * n : n;
        size = std::max(1, std::min(7, size));
        static const char* kSizes[] = {"", "x-small", "small", "medium", "large", "x-large", "xx-large", "48px"};
        add(std::string("font-size:") + kSizes[size]);
      }
    }
  }
  // align
  if (auto* a = attr("align")) {
    const char* al = alignValue(a->value());
    if (al) {
      switch (t) {
        case Tag::Div: case Tag::P: case Tag::H1: case Tag::H2: case Tag::H3: case Tag::H4: case Tag::H5:
        case Tag::H6: case Tag::Caption: case Tag::Legend: case Tag::Thead: case Tag::Tbody: case Tag::Tfoot:
        case Tag::Tr: case Tag::Td: case Tag::Th: case Tag::Center:
          add(std::string("text-align:") + al);
          break;
        case Tag::Table:
          if (!strcmp(al, "left") || !strcmp(al, "right")) add(std::string("float:") + al);
          else if (!strcmp(al, "center")) add("margin-left:auto;margin-right:auto");
          break;
        case Tag::Img: case Tag::Object: case Tag::Applet: case Tag::Embed: case Tag::Iframe:
          if (!strcmp(al, "left") || !strcmp(al, "right")) add(std::string("float:") + al);
          else if (!strcmp(al, "center")) add("vertical-align:middle");
          break;
        case Tag::Hr:
          if (!strcmp(al, "left")) add("margin-left:0;margin-right:auto");
          else if (!strcmp(al, "right")) add("margin-left:auto;margin-right:0");
          break;
        default: break;
      }
    } else if (t == Tag::Img) {
      std::string av = lower(trim(a->value()));
      if (av == "top" || av == "texttop") add("vertical-align:text-top");
      else if (av == "bottom" || av == "baseline" || av == "absbottom") add("vertical-align:baseline");
    }
  }
  if (t == Tag::Td || t == Tag::Th || t == Tag::Tr || t == Tag::Tbody || t == Tag::Thead || t == Tag::Tfoot) {
    if (auto* a = attr("valign")) {
      std::string v = lower(trim(a->value()));
      if (v == "top" || v == "middle" || v == "bottom" || v == "baseline") add("vertical-align:" + v);
    }
  }
  if (t == Tag::Td || t == Tag::Th) {
    if (attr("nowrap")) add("white-space:nowrap");
  }
  // width / height
  bool sized = t == Tag::Img || t == Tag::Table || t == Tag::Td || t == Tag::Th || t == Tag::Hr || t == Tag::Col ||
               t == Tag::Iframe || t == Tag::Object || t == Tag::Applet || t == Tag::Embed || t == Tag::Pre;
  if (sized) {
    if (auto* a = attr("width")) {
      std::string l = htmlLength(a->value());
      if (!l.empty() && t != Tag::Pre) add("width:" + l);
    }
    if (t != Tag::Hr && t != Tag::Table)
      if (auto* a = attr("height")) {
        std::string l = htmlLength(a->value());
        if (!l.empty()) add("height:" + l);
      }
  }
  if (t == Tag::Tr)
    if (auto* a = attr("height")) {
      std::string l = htmlLength(a->value());
      if (!l.empty()) add("height:" + l);
    }
  if (t == Tag::Img) {
    if (auto* a = attr("hspace")) {
      std::string l = htmlLength(a->value(), false);
      if (!l.empty()) add("margin-left:" + l + ";margin-right:" + l);
    }
    if (auto* a = attr("vspace")) {
      std::string l = htmlLength(a->value(), false);
      if (!l.empty()) add("margin-top:" + l + ";margin-bottom:" + l);
    }
    if (auto* a = attr("border")) {
      std::string l = htmlLength(a->value(), false);
      if (!l.empty()) add("border-width:" + l + ";border-style:solid");
    }
  }
  if (t == Tag::Hr) {
    bool noshade = attr("noshade") != nullptr;
    if (auto* a = attr("size")) {
      std::string l = htmlLength(a->value(), false);
      if (!l.empty()) {
        float px = float(atof(l.c_str()));
        char buf[64];
        snprintf(buf, sizeof buf, "height:%gpx", std::max(0.0f, px - 2));
        add(buf);
      }
    }
    if (noshade) add("border-style:solid;background-color:gray;border-color:gray");
    if (auto* a = attr("color")) {
      Color c;
      if (parseColor(a->value(), &c)) {
        char buf[80];
        snprintf(buf, sizeof buf, "border-color:#%02x%02x%02x;background-color:#%02x%02x%02x", c.r, c.g, c.b, c.r,
                 c.g, c.b);
        add(buf);
      }
    }
  }
  if (t == Tag::Table) {
    if (auto* a = attr("border")) {
      std::string v = trim(a->value());
      std::string l = v.empty() ? "1px" : htmlLength(v, false);
      if (l.empty()) l = "1px";
      add("border-width:" + l + ";border-style:outset;border-color:gray");
    }
    if (auto* a = attr("cellspacing")) {
      std::string l = htmlLength(a->value(), false);
      if (!l.empty()) add("border-spacing:" + l);
    }
    if (auto* a = attr("bordercolor")) {
      Color c;
      if (parseColor(a->value(), &c)) {
        char buf[40];
        snprintf(buf, sizeof buf, "border-color:#%02x%02x%02x", c.r, c.g, c.b);
        add(buf);
      }
    }
  }
  if ((t == Tag::Td || t == Tag::Th) && table) {
    if (auto* a = table->findAttribute("cellpadding")) {
      std::string l = htmlLength(a->value(), false);
      if (!l.empty()) add("padding:" + l);
    }
    if (auto* a = table->findAttribute("border")) {
      std::string v = trim(a->value());
      if (v.empty() || atof(v.c_str()) > 0) add("border:1px inset gray");
    }
  }
  if (t == Tag::Ol || t == Tag::Ul || t == Tag::Li) {
    if (auto* a = attr("type")) {
      const std::string& v = a->value();
      std::string lv = lower(trim(v));
      const char* ty = nullptr;
      if (v == "1") ty = "decimal";
      else if (v == "a") ty = "lower-alpha";
      else if (v == "A") ty = "upper-alpha";
      else if (v == "i") ty = "lower-roman";
      else if (v == "I") ty = "upper-roman";
      else if (lv == "disc" || lv == "circle" || lv == "square") ty = lv == "disc" ? "disc" : lv == "circle" ? "circle" : "square";
      if (ty) add(std::string("list-style-type:") + ty);
    }
  }
  if (t == Tag::Pre && attr("wrap")) add("white-space:pre-wrap");
  if (t == Tag::Br)
    if (auto* a = attr("clear")) {
      std::string v = lower(trim(a->value()));
      if (v == "all" || v == "both") add("clear:both");
      else if (v == "left" || v == "right") add("clear:" + v);
    }
  return css;
}

bool hasWord(std::string_view list, const std::string& word) {
  size_t i = 0;
  while (i < list.size()) {
    while (i < list.size() && (unsigned char)list[i] <= ' ') ++i;
    size_t b = i;
    while (i < list.size() && (unsigned char)list[i] > ' ') ++i;
    if (i > b && html::equalsIgnoreCase(list.substr(b, i - b), word)) return true;
  }
  return false;
}

const html::Element* prevElement(const html::Element* e) {
  for (const html::Node* n = e->previousSibling(); n; n = n->previousSibling())
    if (n->isElement()) return n->asElement();
  return nullptr;
}

bool matchCompound(const Compound& c, const html::Element* e) {
  if (c.never) return false;
  if (!c.tag.empty() && c.tag != e->tagName()) return false;
  if (!c.id.empty() && !html::equalsIgnoreCase(e->id(), c.id)) return false;
  if (!c.classes.empty()) {
    std::string_view cls = e->getAttribute("class");
    for (const auto& k : c.classes)
      if (!hasWord(cls, k)) return false;
  }
  for (const auto& a : c.attrs) {
    const html::Attribute* at = e->findAttribute(a.name);
    if (!at) return false;
    const std::string& v = at->value();
    switch (a.op) {
      case AttrSelector::Exists: break;
      case AttrSelector::Equals: if (!html::equalsIgnoreCase(v, a.value)) return false; break;
      case AttrSelector::Includes: if (!hasWord(v, a.value)) return false; break;
      case AttrSelector::DashMatch:
        if (!(html::equalsIgnoreCase(v, a.value) ||
              (v.size() > a.value.size() && v[a.value.size()] == '-' &&
               html::equalsIgnoreCase(std::string_view(v).substr(0, a.value.size()), a.value))))
          return false;
        break;
      case AttrSelector::Prefix: if (a.value.empty() || v.compare(0, a.value.size(), a.value) != 0) return false; break;
      case AttrSelector::Suffix:
        if (a.value.empty() || v.size() < a.value.size() || v.compare(v.size() - a.value.size(), a.value.size(), a.value) != 0)
          return false;
        break;
      case AttrSelector::Substring: if (a.value.empty() || v.find(a.value) == std::string::npos) return false; break;
    }
  }
  if (c.link && !(e->is(html::Tag::A) && e->hasAttribute("href"))) return false;
  if (c.visited) return false;  // no history: every link is unvisited
  if (c.firstChild && prevElement(e)) return false;
  return true;
}

// Right to left, with backtracking for descendant combinators. The ancestor
// walk is bounded (styles are only matched on elements of bounded depth).
bool matchSelector(const Selector& s, size_t part, const html::Element* e, int& budget) {
  if (--budget < 0 || !matchCompound(s.parts[part], e)) return false;
  if (part + 1 >= s.parts.size()) return true;
  Combinator comb = s.combinators[part];
  if (comb == Combinator::Child) {
    const html::Element* p = e->parentElement();
    return p && matchSelector(s, part + 1, p, budget);
  }
  if (comb == Combinator::Adjacent) {
    const html::Element* p = prevElement(e);
    return p && matchSelector(s, part + 1, p, budget);
  }
  for (const html::Element* p = e->parentElement(); p && budget > 0; p = p->parentElement())
    if (matchSelector(s, part + 1, p, budget)) return true;
  return false;
}

}  // namespace

// ---------------------------------------------------------------------------

StyleEngine::StyleEngine(LayoutHost* host, std::string docUrl)
    : host_(host), docUrl_(std::move(docUrl)), baseUrl_(docUrl_) {
  // The user-agent sheet is parsed once per process and shared.
  static const StyleSheet* ua = [] {
    auto* sheet = new StyleSheet();
    parseStyleSheet(kUserAgentSheet, sheet);
    return sheet;
  }();
  indexSheet(*ua, 0);
  root_ = std::make_shared<ComputedStyle>();
}

StyleEngine::~StyleEngine() = default;

void StyleEngine::indexSheet(const StyleSheet& sheet, uint8_t origin) {
  for (const StyleRule& r : sheet.rules) {
    uint32_t idx = uint32_t(rules_.size());
    rules_.push_back(SheetRule{&r.selector, &sheet.blocks[r.block], idx, origin});
    const Compound& subj = r.selector.parts[0];
    if (!subj.id.empty()) byId_[lower(subj.id)].push_back(idx);
    else if (!subj.classes.empty()) byClass_[lower(subj.classes[0])].push_back(idx);
    else if (!subj.tag.empty()) byTag_[subj.tag].push_back(idx);
    else universal_.push_back(idx);
  }
}

void StyleEngine::parseAuthor(const std::string& css, const std::string& base, int depth) {
  if (css.size() > bytesBudget_) return;
  auto sheet = std::make_shared<StyleSheet>();
  parseStyleSheet(css, sheet.get());
  addAuthor(std::move(sheet), base, depth);
}

void StyleEngine::addAuthor(std::shared_ptr<const StyleSheet> sheet, const std::string& base, int depth) {
  if (!sheet || sheet->sourceBytes > bytesBudget_) return;
  bytesBudget_ -= sheet->sourceBytes;
  for (const std::string& url : sheet->imports) {
    if (depth >= 4 || importBudget_ == 0) break;
    --importBudget_;
    loadLinked(resolveUrl(base, url), depth + 1);
  }
  indexSheet(*sheet, 1);
  sheets_.push_back(std::move(sheet));
}

void StyleEngine::loadLinked(const std::string& url, int depth) {
  if (!host_) return;
  if (std::shared_ptr<const StyleSheet> sheet = host_->loadStyleSheet(url)) {
    addAuthor(std::move(sheet), url, depth);
    return;
  }
  std::string text;
  if (!host_->loadText(url, &text)) return;
  parseAuthor(text, url, depth);
}

void StyleEngine::addAuthorSheet(const std::string& css, const std::string& base) { parseAuthor(css, base, 0); }

bool isQuirksMode(const html::Document& doc) {
  const html::DocumentType* dt = doc.doctype();
  if (!dt) return true;
  std::string pub = lower(dt->publicId());
  if (dt->name() != "html") return true;
  if (pub.empty()) return !dt->systemId().empty() && lower(dt->systemId()).find("w3.org") == std::string::npos;
  if (pub.find("xhtml") != std::string::npos) return false;
  if (pub.find("-//w3c//dtd html 4.01//") == 0 || pub.find("-//w3c//dtd html 4.0//") == 0) return false;
  if (pub.find("transitional") != std::string::npos || pub.find("frameset") != std::string::npos)
    return dt->systemId().empty();  // 4.01 Transitional with a system id: limited quirks
  return true;  // HTML 2, 3.2, and other old public ids
}

void StyleEngine::computeStyles(const html::Document& doc, int maxDepth) {
  const html::Element* root = doc.documentElement();
  if (isQuirksMode(doc)) {
    static const StyleSheet* quirks = [] {
      auto* sheet = new StyleSheet();
      parseStyleSheet(kQuirksSheet, sheet);
      return sheet;
    }();
    indexSheet(*quirks, 0);
  }
  // <base href>, then the sheets in document order.
  if (root) {
    for (const html::Node* n = root; n; n = n->nextInTree(root)) {
      const html::Element* e = n->asElement();
      if (!e) continue;
      if (e->is(html::Tag::Base) && e->hasAttribute("href")) {
        baseUrl_ = resolveUrl(docUrl_, std::string(e->getAttribute("href")));
        break;
      }
    }
    for (const html::Node* n = root; n; n = n->nextInTree(root)) {
      const html::Element* e = n->asElement();
      if (!e) continue;
      if (e->is(html::Tag::Style)) {
        std::string media = lower(e->getAttribute("media"));
        if (media.empty() || media.find("screen") != std::string::npos || media.find("print") != std::string::npos ||
            media.find("all") != std::string::npos)
          parseAuthor(e->textContent(), baseUrl_, 0);
      } else if (e->is(html::Tag::Link)) {
        if (hasWord(e->getAttribute("rel"), "stylesheet") && !hasWord(e->getAttribute("rel"), "alternate") &&
            e->hasAttribute("href") && importBudget_ > 0) {
          --importBudget_;
          loadLinked(resolveUrl(baseUrl_, std::string(e->getAttribute("href"))), 0);
        }
      }
    }
  }
  styles_.clear();
  if (!root) return;
  // Iterative pre-order walk with a stack of (element, depth).
  struct Item {
    const html::Element* e;
    StylePtr parent;
    int depth;
  };
  std::vector<Item> stack;
  stack.push_back({root, root_, 0});
  std::vector<const html::Element*> kids;
  while (!stack.empty()) {
    Item it = std::move(stack.back());
    stack.pop_back();
    StylePtr st;
    if (it.depth > maxDepth + 1) {
      st = it.parent;  // already the flattened inline style of this depth
    } else if (it.depth > maxDepth) {
      auto s = std::make_shared<ComputedStyle>(inheritFrom(*it.parent));
      s->display = Display::Inline;
      st = s;
    } else {
      st = computeFor(it.e, *it.parent);
    }
    styles_[it.e] = st;
    if (st->display == Display::None) continue;  // descendants are never rendered
    kids.clear();
    for (const html::Node* c = it.e->firstChild(); c; c = c->nextSibling())
      if (c->isElement()) kids.push_back(c->asElement());
    for (size_t i = kids.size(); i-- > 0;) stack.push_back({kids[i], st, it.depth + 1});
  }
  auto rootIt = styles_.find(root);
  if (rootIt != styles_.end()) root_ = rootIt->second;
}

StylePtr StyleEngine::computeFor(const html::Element* e, const ComputedStyle& parent) const {
  // Candidate rules from the indexes.
  std::vector<uint32_t> cand;
  auto addList = [&](const std::vector<uint32_t>& l) { cand.insert(cand.end(), l.begin(), l.end()); };
  std::string_view id = e->id();
  if (!id.empty()) {
    auto it = byId_.find(lower(id));
    if (it != byId_.end()) addList(it->second);
  }
  std::string_view cls = e->getAttribute("class");
  if (!cls.empty()) {
    size_t i = 0;
    std::vector<std::string> seen;
    while (i < cls.size()) {
      while (i < cls.size() && (unsigned char)cls[i] <= ' ') ++i;
      size_t b = i;
      while (i < cls.size() && (unsigned char)cls[i] > ' ') ++i;
      if (i > b) {
        std::string k = lower(cls.substr(b, i - b));
        if (std::find(seen.begin(), seen.end(), k) != seen.end()) continue;
        seen.push_back(k);
        auto it = byClass_.find(k);
        if (it != byClass_.end()) addList(it->second);
      }
    }
  }
  {
    auto it = byTag_.find(std::string(e->tagName()));
    if (it != byTag_.end()) addList(it->second);
  }
  addList(universal_);

  struct Match {
    const Declaration* d;
    uint64_t key;
  };
  std::vector<Match> matches;
  // Cascade levels: 0 UA normal, 1 presentational hints, 2 author normal,
  // 3 style attribute, 4 author !important, 5 style attribute !important,
  // 6 UA !important.
  auto push = [&](const Declaration& d, int level, uint32_t spec, uint32_t order) {
    matches.push_back(Match{&d, (uint64_t(level) << 56) | (uint64_t(spec & 0xFFFFFF) << 32) | order});
  };
  for (uint32_t idx : cand) {
    const SheetRule& r = rules_[idx];
    int budget = 4096;  // bounds backtracking over long descendant chains
    if (!matchSelector(*r.selector, 0, e, budget)) continue;
    for (const Declaration& d : *r.decls) {
      int level = r.origin == 0 ? (d.important ? 6 : 0) : (d.important ? 4 : 2);
      push(d, level, r.selector->specificity, r.order);
    }
  }
  const html::Element* table = nullptr;
  if (e->is(html::Tag::Td) || e->is(html::Tag::Th)) {
    for (const html::Element* p = e->parentElement(); p && !table; p = p->parentElement())
      if (p->is(html::Tag::Table)) table = p;
  }
  // Attribute hints and style= texts repeat from element to element: each
  // distinct text is parsed once (fewer allocations, too).
  // (bounded: cleared here, never while this element's matches point into it)
  if (declCache_.size() >= 8192) declCache_.clear();
  std::string hintText = presentationalHints(*e, table);
  if (!hintText.empty())
    for (const Declaration& d : cachedDeclarations(hintText)) push(d, 1, 0, 0);
  if (const html::Attribute* st = e->findAttribute("style"))
    for (const Declaration& d : cachedDeclarations(st->value())) push(d, d.important ? 5 : 3, 0, 0);
  std::stable_sort(matches.begin(), matches.end(), [](const Match& a, const Match& b) { return a.key < b.key; });
  const Declaration* win[size_t(Prop::Count)] = {};
  for (const Match& m : matches) win[size_t(m.d->prop)] = m.d;

  auto s = std::make_shared<ComputedStyle>(inheritFrom(parent));
  Ctx c{&parent, s.get()};
  auto apply = [&](Prop p) {
    const Declaration* d = win[size_t(p)];
    if (!d) return;
    if (d->value.size() == 1 && d->value[0].type == TokType::Ident && d->value[0].text == "inherit")
      inheritValue(p, c);
    else
      applyValue(p, d->value, c);
  };
  // font-size first: em lengths of every other property depend on it;
  // color before border colours (currentColor).
  apply(Prop::FontSize);
  if (s->lineHeightFactor > 0) s->lineHeight = s->lineHeightFactor * s->fontSize;
  apply(Prop::Color);
  for (auto& bc : s->borderColor) bc = s->color;
  for (size_t p = 0; p < size_t(Prop::Count); ++p)
    if (Prop(p) != Prop::FontSize && Prop(p) != Prop::Color) apply(Prop(p));

  // Fix-ups of computed values (CSS 2.1 9.7 and the border rules).
  for (int i = 0; i < 4; ++i)
    if (s->borderStyle[i] == BorderStyle::None || s->borderStyle[i] == BorderStyle::Hidden) s->borderWidth[i] = 0;
  if (s->floating != FloatKind::None || e == e->ownerDocument()->documentElement()) {
    Display& d = s->display;
    if (d == Display::Inline || d == Display::InlineBlock || d == Display::TableRowGroup || d == Display::TableRow ||
        d == Display::TableCell || d == Display::TableCaption || d == Display::TableHeaderGroup ||
        d == Display::TableFooterGroup || d == Display::TableColumn || d == Display::TableColumnGroup)
      d = Display::Block;
    else if (d == Display::InlineTable)
      d = Display::Table;
  }
  s->decorationsInEffect = uint8_t(parent.decorationsInEffect | s->textDecoration);
  // <center> and align= on blocks also align their child blocks.
  if (e->is(html::Tag::Center)) s->blockAlign = 1;
  else if ((e->is(html::Tag::Div) || e->is(html::Tag::P) || e->is(html::Tag::Td) || e->is(html::Tag::Th)) &&
           e->hasAttribute("align")) {
    const char* al = alignValue(e->getAttribute("align"));
    s->blockAlign = al && !strcmp(al, "center") ? 1 : al && !strcmp(al, "right") ? 2 : 0;
  } else if (e->is(html::Tag::Table)) {
    s->blockAlign = 0;
  }
  return s;
}

const std::vector<Declaration>& StyleEngine::cachedDeclarations(const std::string& text) const {
  auto it = declCache_.find(text);
  if (it != declCache_.end()) return it->second;
  return declCache_.emplace(text, parseDeclarations(text)).first->second;
}

const ComputedStyle& StyleEngine::styleOf(const html::Element* e) const {
  auto it = styles_.find(e);
  return it == styles_.end() ? *root_ : *it->second;
}

StylePtr StyleEngine::stylePtr(const html::Element* e) const {
  auto it = styles_.find(e);
  return it == styles_.end() ? root_ : it->second;
}

}  // namespace layout
}  // namespace tw
