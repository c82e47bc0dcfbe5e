// style_values.cpp - computed values: a winning declaration turned into the
// computed form the layout reads, `inherit`, and the inherited start style.
#include "layout/style_internal.h"

#include <algorithm>
#include <cmath>

namespace tw {
namespace layout {

namespace {

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

}  // namespace

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
      // column and region breaks do not break a page
      PageBreak b = (k == "always" || k == "left" || k == "right" || k == "page" || k == "recto" || k == "verso" ||
                     k == "all")
                        ? PageBreak::Always
                    : (k == "avoid" || k == "avoid-page") ? PageBreak::Avoid
                                                          : PageBreak::Auto;
      (p == Prop::PageBreakBefore ? s.pageBreakBefore : s.pageBreakAfter) = b;
      return;
    }
    case Prop::PageBreakInside:
      if (ident) s.pageBreakInsideAvoid = k == "avoid" || k == "avoid-page";
      return;
    case Prop::BoxShadow: {
      // the first shadow of the list; inset shadows are not drawn
      s.hasShadow = false;
      if (ident && k == "none") return;
      float len[4] = {0, 0, 0, 0};
      int n = 0;
      Color color = s.color;
      for (size_t i = 0; i < v.size(); ++i) {
        const CssToken& x = v[i];
        if (x.type == TokType::Comma) break;
        Length l;
        if (x.type == TokType::Ident && x.text == "inset") return;
        if (n < 4 && toLength(x, em, &l, false, false)) {
          len[n++] = l.value;
        } else if (x.type == TokType::Function || x.type == TokType::Hash || x.type == TokType::Ident) {
          std::vector<CssToken> rest(v.begin() + long(i), v.end());
          if (!parseColorTokens(rest, &color)) return;
          if (x.type == TokType::Function)  // past rgba()'s arguments (its opacity is in the colour)
            while (i + 1 < v.size() && v[i].type != TokType::RParen) ++i;
        }
      }
      if (n < 2 || color.isTransparent()) return;
      s.hasShadow = true;
      for (int i = 0; i < 4; ++i) s.shadow[i] = len[i];
      s.shadowColor = color;
      return;
    }
    case Prop::Content: {
      // strings, attr(name) and quotes; counters and images give nothing
      s.content.clear();
      s.hasContent = !(ident && (k == "none" || k == "normal"));
      if (!s.hasContent) return;
      for (size_t i = 0; i < v.size() && s.content.size() < 4096; ++i) {
        const CssToken& x = v[i];
        if (x.type == TokType::String) {
          s.content += x.text;
        } else if (x.type == TokType::Ident) {
          if (x.text == "open-quote") s.content += "\xE2\x80\x9C";
          else if (x.text == "close-quote") s.content += "\xE2\x80\x9D";
        } else if (x.type == TokType::Function) {
          if (x.text == "attr" && i + 1 < v.size() && v[i + 1].type == TokType::Ident && c.element)
            s.content += std::string(c.element->getAttribute(v[i + 1].text));
          while (i < v.size() && v[i].type != TokType::RParen) ++i;
        }
      }
      return;
    }
    case Prop::BorderTopLeftRadius: case Prop::BorderTopRightRadius: case Prop::BorderBottomRightRadius:
    case Prop::BorderBottomLeftRadius:
      // "h v": the horizontal radius stands for both
      if (toLength(t, em, &len) && len.value >= 0)
        s.borderRadius[int(p) - int(Prop::BorderTopLeftRadius)] = len;
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

void applyWinners(const Declaration* const win[], Ctx& c) {
  ComputedStyle* s = c.s;
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
    case Prop::Content: s.hasContent = ps.hasContent, s.content = ps.content; break;
    case Prop::BoxShadow:
      s.hasShadow = ps.hasShadow, s.shadowColor = ps.shadowColor;
      for (int i = 0; i < 4; ++i) s.shadow[i] = ps.shadow[i];
      break;
    case Prop::BorderTopLeftRadius: case Prop::BorderTopRightRadius: case Prop::BorderBottomRightRadius:
    case Prop::BorderBottomLeftRadius:
      s.borderRadius[int(p) - int(Prop::BorderTopLeftRadius)] = ps.borderRadius[int(p) - int(Prop::BorderTopLeftRadius)];
      break;
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

}  // namespace layout
}  // namespace tw
