// style_hints.cpp - HTML's presentational attributes as CSS declarations.
#include "layout/style_internal.h"

#include <algorithm>
#include <cstring>

namespace tw {
namespace layout {

namespace {

std::string htmlLength(std::string_view v, bool allowPercent = true) {
  std::string s = trim(v);
  size_t i = 0;
  while (i < s.size() && ((s[i] >= '0' && s[i] <= '9') || s[i] == '.')) ++i;
  if (i == 0) return "";
  std::string num = s.substr(0, std::min<size_t>(i, 12));
  if (i < s.size() && s[i] == '%') return allowPercent ? num + "%" : "";
  return num + "px";
}

}  // namespace

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

}  // namespace layout
}  // namespace tw
