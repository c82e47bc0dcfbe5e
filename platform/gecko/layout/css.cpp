// css.cpp - tokenizer and parser of style sheets (CSS Syntax, forgiving).
#include "layout/css.h"
#include "layout/media.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <tuple>

namespace tw {
namespace layout {

namespace {

bool IsNameStart(unsigned char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_' || c >= 0x80;
}
bool IsName(unsigned char c) { return IsNameStart(c) || (c >= '0' && c <= '9') || c == '-'; }
bool IsDigit(unsigned char c) { return c >= '0' && c <= '9'; }
bool IsHex(unsigned char c) { return IsDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'); }
bool IsSpace(unsigned char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f'; }

void AppendUtf8(std::string& s, uint32_t cp) {
  if (cp == 0 || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) cp = 0xFFFD;
  if (cp < 0x80)
    s += char(cp);
  else if (cp < 0x800) {
    s += char(0xC0 | (cp >> 6));
    s += char(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    s += char(0xE0 | (cp >> 12));
    s += char(0x80 | ((cp >> 6) & 0x3F));
    s += char(0x80 | (cp & 0x3F));
  } else {
    s += char(0xF0 | (cp >> 18));
    s += char(0x80 | ((cp >> 12) & 0x3F));
    s += char(0x80 | ((cp >> 6) & 0x3F));
    s += char(0x80 | (cp & 0x3F));
  }
}

std::string Lower(std::string s) {
  for (char& c : s)
    if (c >= 'A' && c <= 'Z') c = char(c + 32);
  return s;
}

class Tokenizer {
 public:
  Tokenizer(const std::string& t) : s_(t), n_(t.size()) {}

  bool ValidEscape(size_t p) const {
    return p + 1 < n_ && s_[p] == '\\' && s_[p + 1] != '\n' && s_[p + 1] != '\r' && s_[p + 1] != '\f';
  }
  bool StartsIdent(size_t p) const {
    if (p >= n_) return false;
    unsigned char c = s_[p];
    if (c == '-') {
      if (p + 1 >= n_) return false;
      unsigned char d = s_[p + 1];
      return IsNameStart(d) || d == '-' || ValidEscape(p + 1);
    }
    return IsNameStart(c) || ValidEscape(p);
  }
  bool StartsNumber(size_t p) const {
    if (p >= n_) return false;
    unsigned char c = s_[p];
    if (c == '+' || c == '-') {
      if (p + 1 < n_ && IsDigit(s_[p + 1])) return true;
      return p + 2 < n_ && s_[p + 1] == '.' && IsDigit(s_[p + 2]);
    }
    if (c == '.') return p + 1 < n_ && IsDigit(s_[p + 1]);
    return IsDigit(c);
  }
  void ConsumeEscape(std::string& out) {
    // at the char after '\'
    if (pos_ >= n_) {
      AppendUtf8(out, 0xFFFD);
      return;
    }
    if (IsHex(s_[pos_])) {
      uint32_t cp = 0;
      int k = 0;
      while (k < 6 && pos_ < n_ && IsHex(s_[pos_])) {
        char c = s_[pos_++];
        cp = cp * 16 + (IsDigit(c) ? c - '0' : (c | 0x20) - 'a' + 10);
        ++k;
      }
      if (pos_ < n_ && IsSpace(s_[pos_])) {
        if (s_[pos_] == '\r' && pos_ + 1 < n_ && s_[pos_ + 1] == '\n') ++pos_;
        ++pos_;
      }
      AppendUtf8(out, cp);
    } else {
      out += s_[pos_++];
    }
  }
  std::string ConsumeName() {
    std::string out;
    while (pos_ < n_) {
      unsigned char c = s_[pos_];
      if (IsName(c)) {
        out += char(c);
        ++pos_;
      } else if (ValidEscape(pos_)) {
        ++pos_;
        ConsumeEscape(out);
      } else
        break;
    }
    return out;
  }
  double ConsumeNumber() {
    size_t start = pos_;
    if (s_[pos_] == '+' || s_[pos_] == '-') ++pos_;
    while (pos_ < n_ && IsDigit(s_[pos_])) ++pos_;
    if (pos_ + 1 < n_ && s_[pos_] == '.' && IsDigit(s_[pos_ + 1])) {
      ++pos_;
      while (pos_ < n_ && IsDigit(s_[pos_])) ++pos_;
    }
    if (pos_ + 1 < n_ && (s_[pos_] == 'e' || s_[pos_] == 'E')) {
      size_t p = pos_ + 1;
      if (p < n_ && (s_[p] == '+' || s_[p] == '-')) ++p;
      if (p < n_ && IsDigit(s_[p])) {
        pos_ = p;
        while (pos_ < n_ && IsDigit(s_[pos_])) ++pos_;
      }
    }
    std::string num = s_.substr(start, std::min<size_t>(pos_ - start, 64));
    double v = strtod(num.c_str(), nullptr);
    if (!(v > -1e9)) v = -1e9;  // also catches NaN
    if (v > 1e9) v = 1e9;
    return v;
  }
  void ConsumeString(char quote, CssToken& t) {
    t.type = TokType::String;
    while (pos_ < n_) {
      char c = s_[pos_];
      if (c == quote) {
        ++pos_;
        return;
      }
      if (c == '\n' || c == '\r' || c == '\f') {
        t.type = TokType::Bad;
        return;
      }
      if (c == '\\') {
        if (pos_ + 1 >= n_) {
          ++pos_;
          continue;
        }
        if (s_[pos_ + 1] == '\n' || s_[pos_ + 1] == '\r' || s_[pos_ + 1] == '\f') {
          pos_ += 2;
          continue;
        }
        ++pos_;
        ConsumeEscape(t.text);
        continue;
      }
      t.text += c;
      ++pos_;
    }
  }
  void ConsumeUrl(CssToken& t) {
    t.type = TokType::Url;
    while (pos_ < n_ && IsSpace(s_[pos_])) ++pos_;
    while (pos_ < n_) {
      char c = s_[pos_];
      if (c == ')') {
        ++pos_;
        return;
      }
      if (IsSpace(c)) {
        while (pos_ < n_ && IsSpace(s_[pos_])) ++pos_;
        if (pos_ < n_ && s_[pos_] == ')') {
          ++pos_;
          return;
        }
        break;
      }
      if (c == '"' || c == '\'' || c == '(') break;
      if (c == '\\') {
        if (ValidEscape(pos_)) {
          ++pos_;
          ConsumeEscape(t.text);
          continue;
        }
        break;
      }
      t.text += c;
      ++pos_;
    }
    // bad url: skip to ')'
    t.type = TokType::Bad;
    while (pos_ < n_ && s_[pos_] != ')') ++pos_;
    if (pos_ < n_) ++pos_;
  }

  bool Next(CssToken& t) {
    t = CssToken();
    // comments
    while (pos_ + 1 < n_ && s_[pos_] == '/' && s_[pos_ + 1] == '*') {
      size_t e = s_.find("*/", pos_ + 2);
      pos_ = e == std::string::npos ? n_ : e + 2;
    }
    if (pos_ >= n_) {
      t.type = TokType::End;
      return false;
    }
    unsigned char c = s_[pos_];
    if (IsSpace(c)) {
      while (pos_ < n_ && IsSpace(s_[pos_])) ++pos_;
      t.type = TokType::Whitespace;
      return true;
    }
    if (c == '"' || c == '\'') {
      ++pos_;
      ConsumeString(char(c), t);
      return true;
    }
    if (c == '#') {
      if (pos_ + 1 < n_ && (IsName(s_[pos_ + 1]) || ValidEscape(pos_ + 1))) {
        ++pos_;
        t.hashIsId = StartsIdent(pos_);
        t.type = TokType::Hash;
        t.text = ConsumeName();
        return true;
      }
    }
    if (StartsNumber(pos_)) {
      t.num = ConsumeNumber();
      if (StartsIdent(pos_)) {
        t.type = TokType::Dimension;
        t.text = Lower(ConsumeName());
      } else if (pos_ < n_ && s_[pos_] == '%') {
        ++pos_;
        t.type = TokType::Percentage;
      } else
        t.type = TokType::Number;
      return true;
    }
    if (c == '<' && s_.compare(pos_, 4, "<!--") == 0) {
      pos_ += 4;
      t.type = TokType::Whitespace;
      return true;
    }
    if (c == '-' && s_.compare(pos_, 3, "-->") == 0) {
      pos_ += 3;
      t.type = TokType::Whitespace;
      return true;
    }
    if (StartsIdent(pos_)) {
      std::string name = ConsumeName();
      if (pos_ < n_ && s_[pos_] == '(') {
        ++pos_;
        std::string lname = Lower(name);
        if (lname == "url") {
          size_t p = pos_;
          while (p < n_ && IsSpace(s_[p])) ++p;
          if (p < n_ && (s_[p] == '"' || s_[p] == '\'')) {
            t.type = TokType::Function;
            t.text = lname;
            return true;
          }
          ConsumeUrl(t);
          return true;
        }
        t.type = TokType::Function;
        t.text = lname;
        return true;
      }
      t.type = TokType::Ident;
      t.text = Lower(name);
      return true;
    }
    if (c == '@' && StartsIdent(pos_ + 1)) {
      ++pos_;
      t.type = TokType::AtKeyword;
      t.text = Lower(ConsumeName());
      return true;
    }
    ++pos_;
    switch (c) {
      case ':':
        t.type = TokType::Colon;
        break;
      case ';':
        t.type = TokType::Semicolon;
        break;
      case ',':
        t.type = TokType::Comma;
        break;
      case '[':
        t.type = TokType::LBracket;
        break;
      case ']':
        t.type = TokType::RBracket;
        break;
      case '(':
        t.type = TokType::LParen;
        break;
      case ')':
        t.type = TokType::RParen;
        break;
      case '{':
        t.type = TokType::LBrace;
        break;
      case '}':
        t.type = TokType::RBrace;
        break;
      case '\\':
        t.type = TokType::Delim;
        t.text = "\\";
        break;
      default:
        t.type = TokType::Delim;
        t.text = std::string(1, char(c));
        break;
    }
    return true;
  }

 private:
  const std::string& s_;
  size_t n_;
  size_t pos_ = 0;
};

struct PropEntry {
  const char* name;
  Prop prop;
};
const PropEntry kProps[] = {
    {"display", Prop::Display},
    {"position", Prop::Position},
    {"float", Prop::Float},
    {"clear", Prop::Clear},
    {"visibility", Prop::Visibility},
    {"overflow", Prop::Overflow},
    {"width", Prop::Width},
    {"height", Prop::Height},
    {"min-width", Prop::MinWidth},
    {"min-height", Prop::MinHeight},
    {"max-width", Prop::MaxWidth},
    {"max-height", Prop::MaxHeight},
    {"margin-top", Prop::MarginTop},
    {"margin-right", Prop::MarginRight},
    {"margin-bottom", Prop::MarginBottom},
    {"margin-left", Prop::MarginLeft},
    {"padding-top", Prop::PaddingTop},
    {"padding-right", Prop::PaddingRight},
    {"padding-bottom", Prop::PaddingBottom},
    {"padding-left", Prop::PaddingLeft},
    {"border-top-width", Prop::BorderTopWidth},
    {"border-right-width", Prop::BorderRightWidth},
    {"border-bottom-width", Prop::BorderBottomWidth},
    {"border-left-width", Prop::BorderLeftWidth},
    {"border-top-style", Prop::BorderTopStyle},
    {"border-right-style", Prop::BorderRightStyle},
    {"border-bottom-style", Prop::BorderBottomStyle},
    {"border-left-style", Prop::BorderLeftStyle},
    {"border-top-color", Prop::BorderTopColor},
    {"border-right-color", Prop::BorderRightColor},
    {"border-bottom-color", Prop::BorderBottomColor},
    {"border-left-color", Prop::BorderLeftColor},
    {"font-family", Prop::FontFamily},
    {"font-size", Prop::FontSize},
    {"font-weight", Prop::FontWeight},
    {"font-style", Prop::FontStyle},
    {"font-variant", Prop::FontVariant},
    {"color", Prop::Color},
    {"background-color", Prop::BackgroundColor},
    {"background-image", Prop::BackgroundImage},
    {"background-repeat", Prop::BackgroundRepeat},
    {"text-align", Prop::TextAlign},
    {"text-indent", Prop::TextIndent},
    {"text-decoration", Prop::TextDecoration},
    {"text-transform", Prop::TextTransform},
    {"vertical-align", Prop::VerticalAlign},
    {"white-space", Prop::WhiteSpace},
    {"line-height", Prop::LineHeight},
    {"letter-spacing", Prop::LetterSpacing},
    {"word-spacing", Prop::WordSpacing},
    {"list-style-type", Prop::ListStyleType},
    {"list-style-position", Prop::ListStylePosition},
    {"list-style-image", Prop::ListStyleImage},
    {"page-break-before", Prop::PageBreakBefore},
    {"page-break-after", Prop::PageBreakAfter},
    {"page-break-inside", Prop::PageBreakInside},
    // the newer names of the same three properties: one cascade for both
    {"break-before", Prop::PageBreakBefore},
    {"break-after", Prop::PageBreakAfter},
    {"break-inside", Prop::PageBreakInside},
    {"border-collapse", Prop::BorderCollapse},
    {"-tw-border-spacing-h", Prop::BorderSpacingH},
    {"-tw-border-spacing-v", Prop::BorderSpacingV},
    {"content", Prop::Content},
    {"box-shadow", Prop::BoxShadow},
    {"border-top-left-radius", Prop::BorderTopLeftRadius},
    {"border-top-right-radius", Prop::BorderTopRightRadius},
    {"border-bottom-right-radius", Prop::BorderBottomRightRadius},
    {"border-bottom-left-radius", Prop::BorderBottomLeftRadius},
};

bool IsWs(const CssToken& t) { return t.type == TokType::Whitespace; }

// Collects the component values of [b, e) without white space tokens.
std::vector<CssToken> Compact(const std::vector<CssToken>& toks, size_t b, size_t e) {
  std::vector<CssToken> out;
  bool space = false;
  for (size_t i = b; i < e; ++i) {
    if (IsWs(toks[i])) {
      space = true;
      continue;
    }
    out.push_back(toks[i]);
    out.back().spaceBefore = space;
    space = false;
  }
  return out;
}

bool IsIdent(const CssToken& t, const char* s) { return t.type == TokType::Ident && t.text == s; }

// Splits a compact value list into top-level groups separated by spaces
// (a function with its arguments stays one group).
std::vector<std::vector<CssToken>> SplitWords(const std::vector<CssToken>& v) {
  std::vector<std::vector<CssToken>> out;
  int depth = 0;
  for (size_t i = 0; i < v.size(); ++i) {
    const CssToken& t = v[i];
    if (depth == 0 && (out.empty() || t.spaceBefore || t.type == TokType::Comma ||
                       (!out.back().empty() && out.back().back().type == TokType::Comma)))
      out.emplace_back();
    out.back().push_back(t);
    if (t.type == TokType::Function || t.type == TokType::LParen)
      ++depth;
    else if (t.type == TokType::RParen && depth > 0)
      --depth;
  }
  return out;
}

bool LooksLikeColor(const std::vector<CssToken>& w) {
  if (w.empty()) return false;
  const CssToken& t = w[0];
  if (t.type == TokType::Hash) return true;
  if (t.type == TokType::Function) return t.text == "rgb" || t.text == "rgba";
  if (t.type == TokType::Ident) {
    static const char* kNonColors[] = {
        "none",        "hidden",      "dotted",      "dashed",      "solid",       "double",
        "groove",      "ridge",       "inset",       "outset",      "thin",        "medium",
        "thick",       "inherit",     "repeat",      "repeat-x",    "repeat-y",    "no-repeat",
        "scroll",      "fixed",       "top",         "bottom",      "left",        "right",
        "center",      "inside",      "outside",     "disc",        "circle",      "square",
        "decimal",     "lower-roman", "upper-roman", "lower-alpha", "upper-alpha", "lower-latin",
        "upper-latin", "lower-greek", "initial"};
    for (const char* n : kNonColors)
      if (t.text == n) return false;
    return true;
  }
  return false;
}

bool LooksLikeBorderStyle(const std::vector<CssToken>& w) {
  if (w.size() != 1 || w[0].type != TokType::Ident) return false;
  static const char* kStyles[] = {"none",   "hidden", "dotted", "dashed", "solid",
                                  "double", "groove", "ridge",  "inset",  "outset"};
  for (const char* n : kStyles)
    if (w[0].text == n) return true;
  return false;
}

bool LooksLikeLength(const std::vector<CssToken>& w) {
  if (w.size() != 1) return false;
  const CssToken& t = w[0];
  if (t.type == TokType::Dimension || t.type == TokType::Number || t.type == TokType::Percentage) return true;
  return t.type == TokType::Ident && (t.text == "thin" || t.text == "medium" || t.text == "thick");
}

void Add(std::vector<Declaration>& out, Prop p, std::vector<CssToken> v, bool imp) {
  Declaration d;
  d.prop = p;
  d.important = imp;
  d.value = std::move(v);
  if (!d.value.empty()) d.value[0].spaceBefore = false;
  out.push_back(std::move(d));
}

std::vector<CssToken> IdentTok(const char* s) {
  CssToken t;
  t.type = TokType::Ident;
  t.text = s;
  return {t};
}

// margin: a [b [c [d]]] and friends.
void ExpandBox(std::vector<Declaration>& out, const std::vector<CssToken>& v, bool imp, Prop top, Prop right,
               Prop bottom, Prop left) {
  auto w = SplitWords(v);
  if (w.empty() || w.size() > 4) return;
  const std::vector<CssToken>* t = &w[0];
  const std::vector<CssToken>* r = w.size() > 1 ? &w[1] : t;
  const std::vector<CssToken>* b = w.size() > 2 ? &w[2] : t;
  const std::vector<CssToken>* l = w.size() > 3 ? &w[3] : r;
  Add(out, top, *t, imp);
  Add(out, right, *r, imp);
  Add(out, bottom, *b, imp);
  Add(out, left, *l, imp);
}

// border-radius: the corners' horizontal radii as margin's four sides run
// (top-left, top-right, bottom-right, bottom-left); the vertical radii after
// a "/" are not kept (corners are drawn circular).
void ExpandBorderRadius(std::vector<Declaration>& out, const std::vector<CssToken>& v, bool imp) {
  std::vector<CssToken> horizontal;
  for (const CssToken& t : v) {
    if (t.type == TokType::Delim && t.text == "/") break;
    horizontal.push_back(t);
  }
  ExpandBox(out, horizontal, imp, Prop::BorderTopLeftRadius, Prop::BorderTopRightRadius,
            Prop::BorderBottomRightRadius, Prop::BorderBottomLeftRadius);
}

// border-side shorthand: width style color in any order.
void ExpandBorderSide(std::vector<Declaration>& out, const std::vector<CssToken>& v, bool imp, int side) {
  static const Prop kW[] = {Prop::BorderTopWidth, Prop::BorderRightWidth, Prop::BorderBottomWidth,
                            Prop::BorderLeftWidth};
  static const Prop kS[] = {Prop::BorderTopStyle, Prop::BorderRightStyle, Prop::BorderBottomStyle,
                            Prop::BorderLeftStyle};
  static const Prop kC[] = {Prop::BorderTopColor, Prop::BorderRightColor, Prop::BorderBottomColor,
                            Prop::BorderLeftColor};
  auto words = SplitWords(v);
  if (words.size() == 1 && IsIdent(words[0][0], "inherit")) {
    for (int s = side < 0 ? 0 : side; s <= (side < 0 ? 3 : side); ++s) {
      Add(out, kW[s], words[0], imp);
      Add(out, kS[s], words[0], imp);
      Add(out, kC[s], words[0], imp);
    }
    return;
  }
  std::vector<CssToken> width = IdentTok("medium"), style = IdentTok("none"),
                        color = IdentTok("currentcolor");
  for (auto& w : words) {
    if (LooksLikeBorderStyle(w))
      style = w;
    else if (LooksLikeLength(w))
      width = w;
    else if (LooksLikeColor(w))
      color = w;
    else
      return;  // invalid: drop the declaration
  }
  for (int s = side < 0 ? 0 : side; s <= (side < 0 ? 3 : side); ++s) {
    Add(out, kW[s], width, imp);
    Add(out, kS[s], style, imp);
    Add(out, kC[s], color, imp);
  }
}

void ExpandFont(std::vector<Declaration>& out, const std::vector<CssToken>& v, bool imp) {
  auto words = SplitWords(v);
  if (words.empty()) return;
  if (words.size() == 1 && words[0].size() == 1 && words[0][0].type == TokType::Ident) {
    const std::string& k = words[0][0].text;
    if (k == "inherit") {
      for (Prop p : {Prop::FontStyle, Prop::FontVariant, Prop::FontWeight, Prop::FontSize, Prop::LineHeight,
                     Prop::FontFamily})
        Add(out, p, words[0], imp);
      return;
    }
    // system fonts (caption, icon, menu, ...): leave the font alone
    return;
  }
  std::vector<CssToken> style = IdentTok("normal"), variant = IdentTok("normal"), weight = IdentTok("normal");
  std::vector<CssToken> lh = IdentTok("normal");
  size_t i = 0;
  for (; i < words.size(); ++i) {
    const auto& w = words[i];
    if (w.size() != 1) break;
    const CssToken& t = w[0];
    if (t.type == TokType::Ident) {
      if (t.text == "italic" || t.text == "oblique") {
        style = w;
        continue;
      }
      if (t.text == "small-caps") {
        variant = w;
        continue;
      }
      if (t.text == "bold" || t.text == "bolder" || t.text == "lighter") {
        weight = w;
        continue;
      }
      if (t.text == "normal") continue;
      break;
    }
    if (t.type == TokType::Number && t.num >= 100 && t.num <= 900 && i + 1 < words.size()) {
      weight = w;
      continue;
    }
    break;
  }
  if (i >= words.size()) return;
  // size, possibly "size/line-height" inside the same word
  std::vector<CssToken> size;
  const auto& sw = words[i];
  size_t k = 0;
  while (k < sw.size() && !(sw[k].type == TokType::Delim && sw[k].text == "/")) size.push_back(sw[k++]);
  if (size.empty()) return;
  ++i;
  if (k < sw.size()) {
    // '/' within this word
    std::vector<CssToken> rest(sw.begin() + k + 1, sw.end());
    if (!rest.empty())
      lh = rest;
    else if (i < words.size())
      lh = words[i++];
  } else if (i < words.size() && !words[i].empty() && words[i][0].type == TokType::Delim &&
             words[i][0].text == "/") {
    std::vector<CssToken> rest(words[i].begin() + 1, words[i].end());
    ++i;
    if (!rest.empty())
      lh = rest;
    else if (i < words.size())
      lh = words[i++];
  }
  if (i >= words.size()) return;  // family is required
  std::vector<CssToken> family;
  for (; i < words.size(); ++i)
    for (auto& t : words[i]) family.push_back(t);
  Add(out, Prop::FontStyle, style, imp);
  Add(out, Prop::FontVariant, variant, imp);
  Add(out, Prop::FontWeight, weight, imp);
  Add(out, Prop::FontSize, size, imp);
  Add(out, Prop::LineHeight, lh, imp);
  Add(out, Prop::FontFamily, family, imp);
}

void ExpandBackground(std::vector<Declaration>& out, const std::vector<CssToken>& v, bool imp) {
  auto words = SplitWords(v);
  if (words.size() == 1 && IsIdent(words[0][0], "inherit")) {
    Add(out, Prop::BackgroundColor, words[0], imp);
    Add(out, Prop::BackgroundImage, words[0], imp);
    Add(out, Prop::BackgroundRepeat, words[0], imp);
    return;
  }
  std::vector<CssToken> color = IdentTok("transparent"), image = IdentTok("none"),
                        repeat = IdentTok("repeat");
  for (auto& w : words) {
    const CssToken& t = w[0];
    if (t.type == TokType::Url || (t.type == TokType::Function && t.text == "url") || IsIdent(t, "none"))
      image = w;
    else if (t.type == TokType::Ident &&
             (t.text == "repeat" || t.text == "repeat-x" || t.text == "repeat-y" || t.text == "no-repeat"))
      repeat = w;
    else if (t.type == TokType::Ident &&
             (t.text == "scroll" || t.text == "fixed" || t.text == "top" || t.text == "bottom" ||
              t.text == "left" || t.text == "right" || t.text == "center"))
      continue;
    else if (t.type == TokType::Percentage || t.type == TokType::Dimension || t.type == TokType::Number)
      continue;
    else if (LooksLikeColor(w))
      color = w;
    else
      return;
  }
  Add(out, Prop::BackgroundColor, color, imp);
  Add(out, Prop::BackgroundImage, image, imp);
  Add(out, Prop::BackgroundRepeat, repeat, imp);
}

void ExpandListStyle(std::vector<Declaration>& out, const std::vector<CssToken>& v, bool imp) {
  auto words = SplitWords(v);
  std::vector<CssToken> type = IdentTok("disc"), pos = IdentTok("outside"), image = IdentTok("none");
  bool sawNone = false;
  for (auto& w : words) {
    const CssToken& t = w[0];
    if (t.type == TokType::Url || (t.type == TokType::Function && t.text == "url"))
      image = w;
    else if (IsIdent(t, "inside") || IsIdent(t, "outside"))
      pos = w;
    else if (IsIdent(t, "none"))
      sawNone = true;
    else if (IsIdent(t, "inherit") && words.size() == 1) {
      type = pos = image = w;
    } else if (t.type == TokType::Ident)
      type = w;
    else
      return;
  }
  if (sawNone) type = IdentTok("none");
  Add(out, Prop::ListStyleType, type, imp);
  Add(out, Prop::ListStylePosition, pos, imp);
  Add(out, Prop::ListStyleImage, image, imp);
}

void ExpandBorderSpacing(std::vector<Declaration>& out, const std::vector<CssToken>& v, bool imp) {
  auto w = SplitWords(v);
  if (w.empty() || w.size() > 2) return;
  Add(out, Prop::BorderSpacingH, w[0], imp);
  Add(out, Prop::BorderSpacingV, w.size() > 1 ? w[1] : w[0], imp);
}

// One declaration "name: value [!important]" from [b, e).
void ParseOneDeclaration(const std::vector<CssToken>& toks, size_t b, size_t e,
                         std::vector<Declaration>& out) {
  while (b < e && IsWs(toks[b])) ++b;
  if (b >= e || toks[b].type != TokType::Ident) return;
  std::string name = toks[b].text;
  ++b;
  while (b < e && IsWs(toks[b])) ++b;
  if (b >= e || toks[b].type != TokType::Colon) return;
  ++b;
  std::vector<CssToken> v = Compact(toks, b, e);
  bool imp = false;
  if (v.size() >= 2 && v[v.size() - 2].type == TokType::Delim && v[v.size() - 2].text == "!" &&
      IsIdent(v.back(), "important")) {
    imp = true;
    v.resize(v.size() - 2);
  }
  if (v.empty()) return;
  for (const auto& t : v)
    if (t.type == TokType::Bad || t.type == TokType::LBrace) return;
  if (name == "margin")
    ExpandBox(out, v, imp, Prop::MarginTop, Prop::MarginRight, Prop::MarginBottom, Prop::MarginLeft);
  else if (name == "padding")
    ExpandBox(out, v, imp, Prop::PaddingTop, Prop::PaddingRight, Prop::PaddingBottom, Prop::PaddingLeft);
  else if (name == "border-width")
    ExpandBox(out, v, imp, Prop::BorderTopWidth, Prop::BorderRightWidth, Prop::BorderBottomWidth,
              Prop::BorderLeftWidth);
  else if (name == "border-style")
    ExpandBox(out, v, imp, Prop::BorderTopStyle, Prop::BorderRightStyle, Prop::BorderBottomStyle,
              Prop::BorderLeftStyle);
  else if (name == "border-color")
    ExpandBox(out, v, imp, Prop::BorderTopColor, Prop::BorderRightColor, Prop::BorderBottomColor,
              Prop::BorderLeftColor);
  else if (name == "border")
    ExpandBorderSide(out, v, imp, -1);
  else if (name == "border-top")
    ExpandBorderSide(out, v, imp, 0);
  else if (name == "border-right")
    ExpandBorderSide(out, v, imp, 1);
  else if (name == "border-bottom")
    ExpandBorderSide(out, v, imp, 2);
  else if (name == "border-left")
    ExpandBorderSide(out, v, imp, 3);
  else if (name == "font")
    ExpandFont(out, v, imp);
  else if (name == "background")
    ExpandBackground(out, v, imp);
  else if (name == "list-style")
    ExpandListStyle(out, v, imp);
  else if (name == "border-spacing")
    ExpandBorderSpacing(out, v, imp);
  else if (name == "border-radius")
    ExpandBorderRadius(out, v, imp);
  else {
    Prop p;
    if (propFromName(name, &p) && name[0] != '-') Add(out, p, std::move(v), imp);
  }
}

void ParseDeclarationRange(const std::vector<CssToken>& toks, size_t b, size_t e,
                           std::vector<Declaration>& out) {
  size_t start = b;
  int depth = 0;
  for (size_t i = b; i <= e; ++i) {
    if (i == e || (toks[i].type == TokType::Semicolon && depth == 0)) {
      ParseOneDeclaration(toks, start, i, out);
      start = i + 1;
      continue;
    }
    TokType t = toks[i].type;
    if (t == TokType::LParen || t == TokType::Function || t == TokType::LBracket || t == TokType::LBrace)
      ++depth;
    else if ((t == TokType::RParen || t == TokType::RBracket || t == TokType::RBrace) && depth > 0)
      --depth;
  }
}

// Index just past the block that starts at toks[open] ('{', '(' or '['),
// or toks.size() when unclosed. Iterative.
size_t SkipBlock(const std::vector<CssToken>& toks, size_t open) {
  int depth = 0;
  for (size_t i = open; i < toks.size(); ++i) {
    TokType t = toks[i].type;
    if (t == TokType::LBrace || t == TokType::LParen || t == TokType::LBracket || t == TokType::Function)
      ++depth;
    else if (t == TokType::RBrace || t == TokType::RParen || t == TokType::RBracket) {
      if (--depth <= 0) return i + 1;
    }
  }
  return toks.size();
}

bool ParseCompound(const std::vector<CssToken>& t, size_t& i, size_t end, Compound& c, uint32_t spec[3],
                   int depth = 0);

// The a and b of an+b ("odd", "even", "3", "2n+1", "-n + 3") between b and e.
bool ParseNth(const std::vector<CssToken>& t, size_t b, size_t e, int* outA, int* outB) {
  std::string s;  // the argument rebuilt without blanks
  auto number = [](double v, bool sign) {
    long n = std::lround(v);
    return (n < 0 ? "-" : sign ? "+" : "") + std::to_string(n < 0 ? -n : n);
  };
  for (size_t i = b; i < e; ++i) {
    const CssToken& k = t[i];
    if (IsWs(k)) continue;
    if (k.type == TokType::Ident || k.type == TokType::Delim) s += k.text;
    else if (k.type == TokType::Number) s += number(k.num, !s.empty());
    else if (k.type == TokType::Dimension) s += number(k.num, !s.empty()) + k.text;
    else return false;
    if (s.size() > 32) return false;
  }
  if (s == "odd") return *outA = 2, *outB = 1, true;
  if (s == "even") return *outA = 2, *outB = 0, true;
  auto toInt = [](const std::string& v, int* out) {
    if (v.empty() || v.size() > 9) return false;
    size_t i = v[0] == '+' || v[0] == '-' ? 1 : 0;
    if (i >= v.size()) return false;
    for (size_t k = i; k < v.size(); ++k)
      if (v[k] < '0' || v[k] > '9') return false;
    *out = std::stoi(v);
    return true;
  };
  size_t n = s.find('n');
  if (n == std::string::npos) return *outA = 0, toInt(s, outB);
  std::string a = s.substr(0, n), rest = s.substr(n + 1);
  if (a.empty() || a == "+") *outA = 1;
  else if (a == "-") *outA = -1;
  else if (!toInt(a, outA)) return false;
  if (rest.empty()) return *outB = 0, true;
  return (rest[0] == '+' || rest[0] == '-') && toInt(rest, outB);
}

// Comma-separated compounds (the arguments of :not()).
bool ParseCompoundList(const std::vector<CssToken>& t, size_t b, size_t e, std::vector<Compound>& out,
                       uint32_t spec[3], int depth) {
  size_t i = b;
  uint32_t best[3] = {0, 0, 0};
  for (;;) {
    while (i < e && IsWs(t[i])) ++i;
    Compound c;
    uint32_t s[3] = {0, 0, 0};
    if (!ParseCompound(t, i, e, c, s, depth) || c.pseudo != PseudoElement::None) return false;
    out.push_back(std::move(c));
    if (std::make_tuple(s[0], s[1], s[2]) > std::make_tuple(best[0], best[1], best[2]))
      best[0] = s[0], best[1] = s[1], best[2] = s[2];
    while (i < e && IsWs(t[i])) ++i;
    if (i >= e) break;
    if (t[i].type != TokType::Comma || out.size() > 64) return false;
    ++i;
  }
  for (int k = 0; k < 3; ++k) spec[k] += best[k];
  return true;
}

bool ParseCompound(const std::vector<CssToken>& t, size_t& i, size_t end, Compound& c, uint32_t spec[3],
                   int depth) {
  bool any = false;
  if (i < end && t[i].type == TokType::Ident) {
    c.tag = t[i].text;
    ++i;
    any = true;
    ++spec[2];
  } else if (i < end && t[i].type == TokType::Delim && t[i].text == "*") {
    ++i;
    any = true;
  }
  for (;;) {
    if (i >= end) break;
    const CssToken& k = t[i];
    if (k.type == TokType::Hash) {
      if (!k.hashIsId) return false;
      c.id = k.text;
      ++i;
      any = true;
      ++spec[0];
    } else if (k.type == TokType::Delim && k.text == ".") {
      if (i + 1 >= end || t[i + 1].type != TokType::Ident) return false;
      // class names keep their case: take it from the source token? the
      // tokenizer lowered it; classes match case-insensitively (as the
      // quirks-mode pages of help files expect).
      c.classes.push_back(t[i + 1].text);
      i += 2;
      any = true;
      ++spec[1];
    } else if (k.type == TokType::LBracket) {
      size_t j = i + 1;
      while (j < end && IsWs(t[j])) ++j;
      if (j >= end || t[j].type != TokType::Ident) return false;
      AttrSelector a;
      a.name = t[j].text;
      ++j;
      while (j < end && IsWs(t[j])) ++j;
      if (j < end && t[j].type == TokType::Delim) {
        const std::string& d = t[j].text;
        if (d == "=") {
          a.op = AttrSelector::Equals;
          ++j;
        } else if (j + 1 < end && t[j + 1].type == TokType::Delim && t[j + 1].text == "=") {
          if (d == "~")
            a.op = AttrSelector::Includes;
          else if (d == "|")
            a.op = AttrSelector::DashMatch;
          else if (d == "^")
            a.op = AttrSelector::Prefix;
          else if (d == "$")
            a.op = AttrSelector::Suffix;
          else if (d == "*")
            a.op = AttrSelector::Substring;
          else
            return false;
          j += 2;
        } else
          return false;
        while (j < end && IsWs(t[j])) ++j;
        if (j >= end || (t[j].type != TokType::Ident && t[j].type != TokType::String)) return false;
        a.value = t[j].text;
        ++j;
        while (j < end && IsWs(t[j])) ++j;
      }
      if (j >= end || t[j].type != TokType::RBracket) return false;
      c.attrs.push_back(a);
      i = j + 1;
      any = true;
      ++spec[1];
    } else if (k.type == TokType::Colon) {
      size_t j = i + 1;
      bool element = false;
      if (j < end && t[j].type == TokType::Colon) {
        element = true;
        ++j;
      }
      if (j >= end) return false;
      if (c.pseudo != PseudoElement::None) return false;  // nothing may follow a pseudo-element
      if (t[j].type == TokType::Ident) {
        const std::string& n = t[j].text;
        Structural st;
        if (!element && n == "link") c.link = true;
        else if (!element && n == "visited") c.visited = true;
        else if (!element && n == "root") c.root = true;
        else if (!element && n == "empty") c.empty = true;
        else if (!element && (n == "first-child" || n == "first-of-type")) st.ofType = n == "first-of-type", c.structural.push_back(st);
        else if (!element && (n == "last-child" || n == "last-of-type")) st.ofType = n == "last-of-type", st.fromLast = true, c.structural.push_back(st);
        else if (!element && (n == "only-child" || n == "only-of-type")) {
          st.ofType = n == "only-of-type";
          c.structural.push_back(st);
          st.fromLast = true;
          c.structural.push_back(st);
        } else if (n == "before" || n == "after") c.pseudo = n == "before" ? PseudoElement::Before : PseudoElement::After;
        else c.never = true;  // :hover, :first-line ... not rendered
        if (element || n == "first-line" || n == "first-letter" || n == "before" || n == "after")
          ++spec[2];
        else
          ++spec[1];
        i = j + 1;
      } else if (t[j].type == TokType::Function && !element) {
        size_t close = SkipBlock(t, j);
        if (close > end) return false;
        size_t argEnd = close > j + 1 && t[close - 1].type == TokType::RParen ? close - 1 : close;
        const std::string& n = t[j].text;
        if (n == "not") {
          // the arguments' specificity counts, as CSS Selectors 4 says
          if (depth >= 4 || !ParseCompoundList(t, j + 1, argEnd, c.nots, spec, depth + 1)) return false;
        } else if (n == "nth-child" || n == "nth-last-child" || n == "nth-of-type" || n == "nth-last-of-type") {
          Structural st;
          st.ofType = n.find("of-type") != std::string::npos;
          st.fromLast = n.find("last") != std::string::npos;
          if (!ParseNth(t, j + 1, argEnd, &st.a, &st.b)) return false;
          c.structural.push_back(st);
          ++spec[1];
        } else {
          c.never = true;
          ++spec[1];
        }
        i = close;
      } else
        return false;
      any = true;
    } else
      break;
  }
  return any;
}

}  // namespace

std::vector<CssToken> tokenizeCss(const std::string& text, size_t maxTokens) {
  std::vector<CssToken> out;
  Tokenizer tz(text);
  CssToken t;
  while (out.size() < maxTokens && tz.Next(t)) out.push_back(std::move(t));
  return out;
}

bool propFromName(const std::string& name, Prop* prop) {
  for (const auto& e : kProps)
    if (name == e.name) {
      *prop = e.prop;
      return true;
    }
  return false;
}

const char* propName(Prop p) {
  for (const auto& e : kProps)
    if (e.prop == p) return e.name;
  return "?";
}

bool parseSelectorList(const std::vector<CssToken>& t, size_t begin, size_t end, std::vector<Selector>* out) {
  std::vector<Selector> result;
  size_t i = begin;
  for (;;) {
    while (i < end && IsWs(t[i])) ++i;
    Selector sel;
    std::vector<Compound> parts;  // left to right while parsing
    std::vector<Combinator> combs;
    uint32_t spec[3] = {0, 0, 0};
    for (;;) {
      Compound c;
      if (!ParseCompound(t, i, end, c, spec)) return false;
      parts.push_back(std::move(c));
      bool ws = false;
      while (i < end && IsWs(t[i])) {
        ++i;
        ws = true;
      }
      if (i >= end || t[i].type == TokType::Comma) break;
      if (parts.back().pseudo != PseudoElement::None) return false;  // a pseudo-element ends the selector
      if (t[i].type == TokType::Delim && (t[i].text == ">" || t[i].text == "+" || t[i].text == "~")) {
        combs.push_back(t[i].text == ">"   ? Combinator::Child
                        : t[i].text == "+" ? Combinator::Adjacent
                                           : Combinator::Sibling);
        ++i;
        while (i < end && IsWs(t[i])) ++i;
      } else if (ws) {
        combs.push_back(Combinator::Descendant);
      } else
        return false;
      if (parts.size() > 64) return false;
    }
    std::reverse(parts.begin(), parts.end());
    std::reverse(combs.begin(), combs.end());
    sel.parts = std::move(parts);
    sel.combinators = std::move(combs);
    sel.specificity = std::min<uint32_t>(spec[0], 255) * 65536 + std::min<uint32_t>(spec[1], 255) * 256 +
                      std::min<uint32_t>(spec[2], 255);
    result.push_back(std::move(sel));
    if (i >= end) break;
    ++i;  // comma
  }
  if (result.empty()) return false;
  for (auto& s : result) out->push_back(std::move(s));
  return true;
}

namespace {

void ParseRules(const std::vector<CssToken>& t, size_t b, size_t e, StyleSheet* sheet,
                const ImportHandler& onImport, int depth, bool topLevel, int32_t media) {
  size_t i = b;
  while (i < e) {
    const CssToken& k = t[i];
    if (k.type == TokType::Whitespace || k.type == TokType::Semicolon) {
      ++i;
      continue;
    }
    if (k.type == TokType::RBrace) {
      ++i;
      continue;
    }  // stray
    if (k.type == TokType::AtKeyword) {
      std::string name = k.text;
      size_t j = i + 1;
      while (j < e && t[j].type != TokType::Semicolon && t[j].type != TokType::LBrace) {
        if (t[j].type == TokType::Function || t[j].type == TokType::LParen || t[j].type == TokType::LBracket)
          j = SkipBlock(t, j);
        else
          ++j;
      }
      if (j >= e) return;
      if (t[j].type == TokType::Semicolon) {
        if (name == "import" && topLevel && sheet->rules.empty()) {
          auto found = [&](const std::string& url) {
            if (sheet->imports.size() >= 256) return;  // more than anyone follows
            sheet->imports.push_back(url);
            if (onImport) onImport(url);
          };
          for (size_t q = i + 1; q < j; ++q) {
            if (t[q].type == TokType::Url || t[q].type == TokType::String) {
              if (mediaListMatches(t, q + 1, j, MediaContext())) found(t[q].text);
              break;
            }
            if (t[q].type == TokType::Function && t[q].text == "url") {
              size_t r = q + 1;
              while (r < j && IsWs(t[r])) ++r;
              if (r < j && t[r].type == TokType::String) found(t[r].text);
              break;
            }
          }
        }
        i = j + 1;
        continue;
      }
      size_t close = SkipBlock(t, j);
      if (name == "media" && depth < 8 && sheet->media.size() < 65536) {
        size_t inner = std::min(close, e);
        if (inner > j + 1 && t[inner - 1].type == TokType::RBrace) --inner;
        sheet->media.push_back(MediaBlock{std::vector<CssToken>(t.begin() + long(i + 1), t.begin() + long(j)), media});
        ParseRules(t, j + 1, inner, sheet, onImport, depth + 1, false, int32_t(sheet->media.size() - 1));
      }
      i = close;
      continue;
    }
    // qualified rule: prelude up to '{'
    size_t j = i;
    while (j < e && t[j].type != TokType::LBrace) {
      if (t[j].type == TokType::Function || t[j].type == TokType::LParen || t[j].type == TokType::LBracket)
        j = SkipBlock(t, j);
      else
        ++j;
    }
    if (j >= e) return;
    size_t close = SkipBlock(t, j);
    size_t bodyEnd = close;
    if (bodyEnd > j + 1 && bodyEnd <= t.size() && t[bodyEnd - 1].type == TokType::RBrace) --bodyEnd;
    bodyEnd = std::min(bodyEnd, e);
    std::vector<Selector> sels;
    if (parseSelectorList(t, i, j, &sels)) {
      std::vector<Declaration> decls;
      ParseDeclarationRange(t, j + 1, bodyEnd, decls);
      if (!decls.empty()) {
        uint32_t block = uint32_t(sheet->blocks.size());
        sheet->blocks.push_back(std::move(decls));
        for (auto& s : sels) {
          StyleRule r;
          r.selector = std::move(s);
          r.block = block;
          r.media = media;
          sheet->rules.push_back(std::move(r));
        }
      }
    }
    i = close;
  }
}

}  // namespace

void parseStyleSheet(const std::string& text, StyleSheet* sheet, const ImportHandler& onImport) {
  sheet->sourceBytes += text.size();
  std::vector<CssToken> toks = tokenizeCss(text);
  ParseRules(toks, 0, toks.size(), sheet, onImport, 0, true, -1);
}

std::vector<Declaration> parseDeclarations(const std::string& text) {
  std::vector<CssToken> toks = tokenizeCss(text, 100000);
  std::vector<Declaration> out;
  ParseDeclarationRange(toks, 0, toks.size(), out);
  return out;
}

}  // namespace layout
}  // namespace tw
