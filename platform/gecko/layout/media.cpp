// media.cpp - media queries.
#include "layout/media.h"

#include <cmath>

namespace tw {
namespace layout {

namespace {

bool isBlank(const CssToken& t) { return t.type == TokType::Whitespace; }

// A length in CSS px (font-relative units at the initial 16px).
bool lengthPx(const CssToken& t, double* px) {
  if (t.type == TokType::Number && t.num == 0) {
    *px = 0;
    return true;
  }
  if (t.type != TokType::Dimension) return false;
  static const struct {
    const char* unit;
    double px;
  } kUnits[] = {{"px", 1}, {"em", 16}, {"rem", 16}, {"ex", 8}, {"pt", 96.0 / 72}, {"pc", 16},
                {"in", 96}, {"cm", 96 / 2.54}, {"mm", 96 / 25.4}, {"q", 96 / 101.6}};
  for (const auto& u : kUnits)
    if (t.text == u.unit) {
      *px = t.num * u.px;
      return true;
    }
  return false;
}

bool resolutionDpi(const CssToken& t, double* dpi) {
  if (t.type != TokType::Dimension) return false;
  if (t.text == "dpi") *dpi = t.num;
  else if (t.text == "dpcm") *dpi = t.num * 2.54;
  else if (t.text == "dppx" || t.text == "x") *dpi = t.num * 96;
  else return false;
  return true;
}

// `v` compared with the feature's own value `have` by the prefix's rule.
bool compare(int op, double have, double v) {
  const double eps = 1e-6;
  if (op < 0) return have >= v - eps;  // min-
  if (op > 0) return have <= v + eps;  // max-
  return std::fabs(have - v) <= eps;
}

// One "(name: value)" or "(name)" between tokens b and e (inside the parens).
bool featureMatches(const std::vector<CssToken>& t, size_t b, size_t e, const MediaContext& m) {
  std::vector<const CssToken*> v;
  for (size_t i = b; i < e; ++i)
    if (!isBlank(t[i])) v.push_back(&t[i]);
  if (v.empty() || v[0]->type != TokType::Ident) return false;
  std::string name = v[0]->text;
  if (name.compare(0, 8, "-webkit-") == 0) name = name.substr(8);
  int op = 0;
  if (name.compare(0, 4, "min-") == 0) op = -1, name = name.substr(4);
  else if (name.compare(0, 4, "max-") == 0) op = 1, name = name.substr(4);
  const bool sized = m.width > 0 && m.height > 0;
  if (v.size() == 1) {  // boolean context
    if (op != 0) return false;
    if (name == "width" || name == "height" || name == "aspect-ratio") return sized;
    return name == "color" || name == "orientation" || name == "resolution" || name == "device-pixel-ratio";
  }
  if (v.size() < 3 || v[1]->type != TokType::Colon) return false;
  const CssToken& val = *v[2];
  double x = 0;
  if (name == "width" || name == "height" || name == "device-width" || name == "device-height") {
    if (!sized || !lengthPx(val, &x)) return false;
    return compare(op, name.find("width") != std::string::npos ? m.width : m.height, x);
  }
  if (name == "orientation") {
    if (!sized || op != 0 || val.type != TokType::Ident) return false;
    return val.text == (m.height >= m.width ? "portrait" : "landscape");
  }
  if (name == "aspect-ratio" || name == "device-aspect-ratio") {
    if (!sized || val.type != TokType::Number) return false;
    double den = 1;
    if (v.size() >= 5 && v[3]->type == TokType::Delim && v[3]->text == "/" && v[4]->type == TokType::Number)
      den = v[4]->num;
    if (den <= 0) return false;
    return compare(op, double(m.width) / m.height, val.num / den);
  }
  if (name == "resolution") return resolutionDpi(val, &x) && compare(op, m.dpi, x);
  if (name == "device-pixel-ratio") return val.type == TokType::Number && compare(op, m.dpi / 96, val.num);
  if (name == "color") return val.type == TokType::Number && compare(op, 8, val.num);
  if (name == "monochrome") return val.type == TokType::Number && compare(op, 0, val.num);
  return false;
}

// One query: [not|only] [type] [and (feature)]... or (feature) [and ...].
bool queryMatches(const std::vector<CssToken>& t, size_t b, size_t e, const MediaContext& m) {
  bool negate = false, result = true, first = true, expectTerm = true;
  for (size_t i = b; i < e; ++i) {
    const CssToken& k = t[i];
    if (isBlank(k)) continue;
    if (k.type == TokType::Ident && first && (k.text == "not" || k.text == "only")) {
      negate = k.text == "not";
      first = false;
      continue;
    }
    first = false;
    if (k.type == TokType::Ident && k.text == "and" && !expectTerm) {
      expectTerm = true;
      continue;
    }
    if (!expectTerm) return false;  // "or", a second type...: not understood
    expectTerm = false;
    if (k.type == TokType::Ident) {
      const std::string& type = k.text;
      if (type == "screen") result = result && m.type != MediaContext::Type::Print;
      else if (type == "print") result = result && m.type != MediaContext::Type::Screen;
      else if (type != "all") result = false;
      continue;
    }
    if (k.type == TokType::LParen) {
      size_t close = i + 1;
      for (int depth = 1; close < e; ++close) {
        if (t[close].type == TokType::LParen || t[close].type == TokType::Function) ++depth;
        else if (t[close].type == TokType::RParen && --depth == 0) break;
      }
      result = result && featureMatches(t, i + 1, close, m);
      i = close;
      continue;
    }
    return false;
  }
  if (expectTerm && !first) return false;  // "screen and" with nothing after
  return negate ? !result : result;
}

}  // namespace

bool mediaListMatches(const std::vector<CssToken>& t, size_t b, size_t e, const MediaContext& m) {
  bool any = false;
  size_t start = b;
  int depth = 0;
  for (size_t i = b; i <= e; ++i) {
    if (i < e) {
      TokType k = t[i].type;
      if (k == TokType::LParen || k == TokType::Function) ++depth;
      else if (k == TokType::RParen && depth > 0) --depth;
      if (k != TokType::Comma || depth > 0) continue;
    }
    bool blank = true;
    for (size_t q = start; q < i; ++q)
      if (!isBlank(t[q])) blank = false;
    if (blank) {
      if (start == b && i == e) return true;  // an empty list
    } else if (queryMatches(t, start, i, m)) {
      any = true;
    }
    start = i + 1;
  }
  return any;
}

bool mediaListMatches(const std::string& text, const MediaContext& m) {
  std::vector<CssToken> t = tokenizeCss(text, 4096);
  size_t e = t.size();
  while (e > 0 && t[e - 1].type == TokType::End) --e;
  return mediaListMatches(t, 0, e, m);
}

}  // namespace layout
}  // namespace tw
