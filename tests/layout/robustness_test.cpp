// Hostile input lays out something sensible, in bounded time and memory:
// absurd nesting, a 10 MB line, absurd sizes and spans, float chains,
// broken CSS, images that do not decode.
#include <gtest/gtest.h>

#include <cmath>

#include "fixed_host.h"
#include "layout/html_layout.h"
#include "parser.h"

using namespace tw;

namespace {

struct Laid {
  std::unique_ptr<html::Document> doc;
  layout::FixedHost host;
  std::unique_ptr<layout::HtmlLayout> l;
  layout::DisplayList d;
  explicit Laid(const std::string& page, float width = 400) {
    doc = html::parseHtmlUtf8(page);
    l = std::make_unique<layout::HtmlLayout>(host);
    l->load(*doc, "file:///C:/t/page.htm");
    l->layout(width);
    d = l->paint();
  }
  bool hasText(const std::u16string& s) const {
    for (auto& it : d.items)
      if (it.kind == layout::ItemKind::Text && it.text.find(s) != std::u16string::npos) return true;
    return false;
  }
};

std::string repeat(const std::string& s, int n) {
  std::string o;
  o.reserve(s.size() * size_t(n));
  for (int i = 0; i < n; ++i) o += s;
  return o;
}

TEST(BadInput, HundredThousandLevelsOfNesting) {
  for (const char* tag : {"div", "span", "b", "blockquote"}) {
    std::string open = std::string("<") + tag + ">", close = std::string("</") + tag + ">";
    Laid r(repeat(open, 100000) + "deep text" + repeat(close, 100000) + "<p>after</p>");
    EXPECT_TRUE(r.hasText(u"deep")) << tag;
    EXPECT_TRUE(r.hasText(u"after")) << tag;
    EXPECT_LT(r.l->height(), 1e6f) << tag;
  }
  // tables nested deeply (each level several boxes)
  Laid t(repeat("<table><tr><td>", 5000) + "cell" + repeat("</td></tr></table>", 5000));
  EXPECT_TRUE(t.hasText(u"cell"));
}

TEST(BadInput, TenMegabyteSingleLine) {
  std::string words = repeat("lorem ipsum dolor sit amet ", 10 * 1024 * 1024 / 27);
  Laid r("<p>" + words + "</p><pre>" + std::string(200000, 'x') + "</pre>");
  EXPECT_GT(r.l->height(), 10000);
  auto pages = r.l->paginate(1000);
  EXPECT_GT(pages.size(), 10u);
  EXPECT_TRUE(r.hasText(u"lorem"));
}

// Thousands of rules that look at every earlier sibling (and every
// ancestor), over thousands of paragraphs: matching would take cubic time
// (minutes). It is bounded per document, and the plain rules still apply.
TEST(BadInput, SelectorsThatWalkEverySibling) {
  Laid r(repeat("<style>q ~ p, q p, q ~ p ~ p {color:red}</style><p>x</p>", 3000) +
         "<style>p {color:#0000ff}</style><p>last</p>");
  bool blue = false;
  for (auto& it : r.d.items)
    if (it.kind == layout::ItemKind::Text && it.text == u"last") blue = it.color.b == 255 && it.color.r == 0;
  EXPECT_TRUE(blue);
  EXPECT_TRUE(r.hasText(u"x"));
}

TEST(BadInput, AbsurdSizesAreClamped) {
  Laid r(R"(<table width=99999999 height=99999999 cellpadding=99999999 cellspacing=99999999>
      <tr><td colspan=99999 rowspan=99999 width=99999999>x</td><td>y</td></tr></table>
      <img src=a.gif width=99999999 height=99999999>
      <div style="margin-left:-1e30px;width:1e30px;font-size:1e9px;line-height:1e9;border:1e30px solid;
        padding:1e30px;text-indent:1e30px;letter-spacing:1e30px">big</div>
      <hr size=99999999 width=99999999><font size=99999999>f</font>)");
  EXPECT_LE(r.l->width(), 1e7f);
  EXPECT_LE(r.l->height(), 1e8f);
  EXPECT_TRUE(r.hasText(u"big"));
  for (auto& it : r.d.items) {
    EXPECT_TRUE(std::isfinite(it.rect.x) && std::isfinite(it.rect.y) && std::isfinite(it.rect.w) &&
                std::isfinite(it.rect.h));
  }
  auto pages = r.l->paginate(1000);
  EXPECT_LT(pages.size(), 200000u);
}

TEST(BadInput, FloatChainsAndClears) {
  std::string s;
  for (int i = 0; i < 3000; ++i)
    s += std::string("<div style='float:") + (i % 3 ? "left" : "right") + ";width:" + std::to_string(10 + i % 50) +
         "px;height:" + std::to_string(5 + i % 7) + "px'>f</div>" + (i % 11 == 0 ? "<br clear=all>text " : "");
  s += "<p style='clear:both'>end</p>";
  Laid r(s);
  EXPECT_TRUE(r.hasText(u"end"));
  EXPECT_LT(r.l->height(), 1e6f);
  // a long chain of floats all starting on one line: placed in linear time
  Laid chain(repeat("<div style='float:left;width:7px;height:9px'></div>", 100000) + "<p>after the chain</p>" +
             repeat("<img src=x align=right width=3 height=3>word ", 20000));
  EXPECT_TRUE(chain.hasText(u"after"));
  EXPECT_GT(chain.l->height(), 1000);
  Laid wide("<div style='float:left;width:5000px;height:10px'></div><p>text next to a float wider than the page</p>");
  EXPECT_TRUE(wide.hasText(u"text"));
}

TEST(BadInput, BrokenCssAndPositionedBoxes) {
  Laid r(R"(<style>@media { { { p { color: red } ;;; } @import; @@@ }}}} /* unterminated
      )" + repeat("div{", 20000) + R"(</style><div style="position:absolute;top:-999999px;left:1e9px">
      abs</div><div style="position:fixed;float:left;display:table-cell">cell</div><p style="{{{;color:">p</p>)");
  EXPECT_TRUE(r.hasText(u"abs"));
  EXPECT_TRUE(r.hasText(u"cell"));
  EXPECT_TRUE(r.hasText(u"p"));
}

TEST(BadInput, UndecodableImagesShowAFrame) {
  Laid r("<body style='margin:0'><img src='broken.gif' width=30 height=20><img src=''><img>"
        "<div style='background-image:url(nothing.png)'>bg</div><ul style='list-style-image:url(none.gif)'><li>li");
  for (auto& it : r.d.items) EXPECT_NE(it.kind, layout::ItemKind::Image);
  // the sized one keeps its size: a frame of 30x20
  bool frame = false;
  for (auto& it : r.d.items)
    if (it.kind == layout::ItemKind::Fill && it.rect.x == 0 && it.rect.w == 30 && it.rect.h == 1) frame = true;
  EXPECT_TRUE(frame);
  EXPECT_TRUE(r.hasText(u"bg"));
  EXPECT_EQ(r.host.openImages, 0);
}

TEST(BadInput, HostResourcesAreReleased) {
  layout::FixedHost host;
  host.images["file:///C:/t/a.gif"] = {4, 4};
  {
    auto doc = html::parseHtmlUtf8("<img src=a.gif><div style='background:url(a.gif)'>x</div><b>y</b>");
    layout::HtmlLayout l(host);
    l.load(*doc, "file:///C:/t/page.htm");
    l.layout(300);
    l.paint();
    l.load(*doc, "file:///C:/t/page.htm");  // a reload releases the first set
    l.layout(300);
    l.paint();
  }
  EXPECT_EQ(host.openImages, 0);
  EXPECT_EQ(host.openFonts, 0);
}

}  // namespace
