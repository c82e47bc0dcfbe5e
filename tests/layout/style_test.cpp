// The cascade as computed values: selectors, specificity, origins,
// !important, inheritance, units, shorthands, presentational attributes,
// linked and imported sheets, and recovery from broken CSS.
#include <gtest/gtest.h>

#include "fixed_host.h"
#include "layout/css.h"
#include "layout/style.h"
#include "parser.h"

using namespace tw;
using layout::Color;
using layout::ComputedStyle;

namespace {

struct Styled {
  std::unique_ptr<html::Document> doc;
  layout::FixedHost host;
  std::unique_ptr<layout::StyleEngine> engine;

  explicit Styled(const std::string& page, const std::string& url = "file:///C:/t/page.htm") {
    doc = html::parseHtmlUtf8(page);
    engine = std::make_unique<layout::StyleEngine>(&host, url);
  }
  void compute() { engine->computeStyles(*doc, 200); }
  const ComputedStyle& of(const char* id) {
    html::Element* e = doc->getElementById(id);
    EXPECT_TRUE(e) << id;
    return engine->styleOf(e);
  }
};

bool same(Color a, uint8_t r, uint8_t g, uint8_t b) { return a == Color::rgb(r, g, b); }

TEST(Cascade, SpecificityOrderImportanceAndStyleAttribute) {
  Styled s(R"(<style>
    p { color: blue }            .c { color: green }      #a { color: red }
    p.c { font-size: 20px }      p { font-size: 30px }
    p { margin-left: 5px }       p { margin-left: 7px }
    .imp { color: olive !important }
    </style>
    <p id=a class=c>x</p>
    <p id=b class="C">x</p>
    <p id=c class=imp style="color: maroon">x</p>
    <p id=d style="color: navy">x</p>)");
  s.compute();
  EXPECT_TRUE(same(s.of("a").color, 255, 0, 0));  // id beats class beats type
  EXPECT_TRUE(same(s.of("b").color, 0, 128, 0));  // class names match in any case
  EXPECT_EQ(s.of("a").fontSize, 20);              // (0,1,1) beats a later (0,0,1)
  EXPECT_EQ(s.of("a").margin[3].value, 7);        // equal specificity: the later wins
  EXPECT_TRUE(same(s.of("c").color, 128, 128, 0));  // !important beats style=
  EXPECT_TRUE(same(s.of("d").color, 0, 0, 128));    // style= beats #id-less rules
}

TEST(Cascade, InheritanceAndInheritKeyword) {
  Styled s(R"(<div id=outer style="color:#0f0; font-size:20px; margin:9px; text-align:center; border:1px solid red">
      <span id=inner style="margin: inherit">x</span><p id=p>y</p></div>)");
  s.compute();
  const ComputedStyle& in = s.of("inner");
  EXPECT_TRUE(same(in.color, 0, 255, 0));
  EXPECT_EQ(in.fontSize, 20);
  EXPECT_EQ(in.textAlign, layout::TextAlign::Center);
  EXPECT_EQ(in.margin[0].value, 9);     // inherit keyword
  EXPECT_EQ(s.of("p").borderWidth[0], 0);  // borders are not inherited
  EXPECT_EQ(s.of("p").margin[3].value, 0);
}

TEST(Cascade, UnitsAndRelativeSizes) {
  Styled s(R"(<div style="font-size:20px"><p id=a style="margin-left:2em; margin-right:1in; padding-left:72pt;
      padding-right:2.54cm; padding-top:10mm; font-size:150%; text-indent:1ex; width:50%">x</p>
      <small id=s>x</small><span id=big style="font-size:larger">x</span></div>)");
  s.compute();
  const ComputedStyle& a = s.of("a");
  EXPECT_EQ(a.fontSize, 30);
  EXPECT_FLOAT_EQ(a.margin[3].value, 60);  // em is the element's own font size
  EXPECT_FLOAT_EQ(a.margin[1].value, 96);
  EXPECT_FLOAT_EQ(a.padding[3].value, 96);
  EXPECT_NEAR(a.padding[1].value, 96, 0.01);
  EXPECT_NEAR(a.padding[0].value, 37.8, 0.01);
  EXPECT_FLOAT_EQ(a.textIndent, 15);
  EXPECT_EQ(a.width.unit, layout::Length::Percent);
  EXPECT_NEAR(s.of("s").fontSize, 20 / 1.2, 0.01);
  EXPECT_NEAR(s.of("big").fontSize, 24, 0.01);
}

TEST(Cascade, Selectors) {
  Styled s(R"(<style>
    div > p { color: red }   div p { font-size: 10px }   h1 + p { font-weight: bold }
    li:first-child { margin-left: 3px }   a:link { font-size: 30px }   a:visited { font-size: 40px }
    [type=x] { margin-top: 4px }   input[type~=y] { margin-top: 6px }   p:hover { color: lime }
    h2, h3 { font-style: italic }   * { letter-spacing: 1px }   div.k#m p { margin-bottom: 2px }
    </style>
    <div class=k id=m><p id=child>x</p><section><p id=desc>y</p></section></div>
    <h1>t</h1><p id=next>z</p><p id=notnext>w</p>
    <ul><li id=l1>a</li><li id=l2>b</li></ul>
    <a id=link href="x.htm">l</a><a id=name name=q>n</a>
    <input id=ix type=x><input id=iy type="a y">
    <h3 id=h3>h</h3>)");
  s.compute();
  EXPECT_TRUE(same(s.of("child").color, 255, 0, 0));
  EXPECT_FALSE(same(s.of("desc").color, 255, 0, 0));  // not a child of the div
  EXPECT_EQ(s.of("desc").fontSize, 10);               // but a descendant
  EXPECT_EQ(s.of("desc").margin[2].value, 2);
  EXPECT_EQ(s.of("next").fontWeight, 700);
  EXPECT_EQ(s.of("notnext").fontWeight, 400);
  EXPECT_EQ(s.of("l1").margin[3].value, 3);
  EXPECT_EQ(s.of("l2").margin[3].value, 0);
  EXPECT_EQ(s.of("link").fontSize, 30);     // unvisited link
  EXPECT_EQ(s.of("name").fontSize, 16);     // no href: not a link
  EXPECT_EQ(s.of("ix").margin[0].value, 4);
  EXPECT_EQ(s.of("iy").margin[0].value, 6);
  EXPECT_TRUE(s.of("h3").italic);
  EXPECT_EQ(s.of("h3").letterSpacing, 1);
  EXPECT_FALSE(same(s.of("notnext").color, 0, 255, 0));  // :hover never applies
}

TEST(Cascade, StructuralPseudoClassesCountFromEitherEnd) {
  Styled s(R"(<style>
    li:last-child { margin-left: 1px }   li:nth-child(-n+2) { margin-right: 2px }
    li:nth-child(0n+3) { margin-top: 3px }   li:nth-last-child(-n+1) { margin-bottom: 4px }
    li:nth-child(2n) { padding-left: 5px }   b:first-of-type { padding-right: 6px }
    b:nth-last-of-type(-n+1) { padding-top: 7px }   li:nth-child(-2n+0) { padding-bottom: 8px }
    </style>
    <ul><li id=a>a</li><li id=b><b id=b1>x</b><i>y</i><b id=b2>z</b></li><li id=c>c</li><li id=d>d</li></ul>)");
  s.compute();
  struct Case {
    const char* id;
    float marginLeft, marginRight, marginTop, marginBottom, paddingLeft, paddingBottom;
  };
  const Case cases[] = {
      {"a", 0, 2, 0, 0, 0, 0},
      {"b", 0, 2, 0, 0, 5, 0},
      {"c", 0, 0, 3, 0, 0, 0},
      {"d", 1, 0, 0, 4, 5, 0},  // -2n+0 matches no position (n >= 0)
  };
  for (const Case& c : cases) {
    const ComputedStyle& st = s.of(c.id);
    EXPECT_EQ(st.margin[3].value, c.marginLeft) << c.id;
    EXPECT_EQ(st.margin[1].value, c.marginRight) << c.id;
    EXPECT_EQ(st.margin[0].value, c.marginTop) << c.id;
    EXPECT_EQ(st.margin[2].value, c.marginBottom) << c.id;
    EXPECT_EQ(st.padding[3].value, c.paddingLeft) << c.id;
    EXPECT_EQ(st.padding[2].value, c.paddingBottom) << c.id;
  }
  EXPECT_EQ(s.of("b1").padding[1].value, 6);
  EXPECT_EQ(s.of("b2").padding[1].value, 0);
  EXPECT_EQ(s.of("b1").padding[0].value, 0);
  EXPECT_EQ(s.of("b2").padding[0].value, 7);
}

// Siblings alike in tag and attributes share one style, unless a rule that
// could match them looks at their siblings or children.
TEST(Cascade, AlikeSiblingsShareAStyleUnlessARuleLooksAtNeighbours) {
  Styled s(R"(<style>
    .a:first-child { color: red }   .b { color: blue }   .b::after { content: "x" }
    .c + .c { color: green }   .d:empty { color: olive }   .e:not(:last-child) { color: lime }
    </style>
    <div><p class=a>1</p><p class=a>2</p></div> <div><p class=b>1</p><p class=b>2</p></div>
    <div><p class=c>1</p><p class=c>2</p></div> <div><p class=d></p><p class=d>x</p></div>
    <div><p class=e>1</p><p class=e>2</p></div>)");
  s.compute();
  std::vector<html::Element*> p = s.doc->getElementsByTagName("p");
  ASSERT_EQ(p.size(), 10u);
  const layout::StyleEngine& e = *s.engine;
  struct Case {
    size_t first;
    Color colours[2];
  };
  const Color black = Color::rgb(0, 0, 0);
  const Case cases[] = {
      {0, {Color::rgb(255, 0, 0), black}},
      {2, {Color::rgb(0, 0, 255), Color::rgb(0, 0, 255)}},
      {4, {black, Color::rgb(0, 128, 0)}},
      {6, {Color::rgb(128, 128, 0), black}},
      {8, {Color::rgb(0, 255, 0), black}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(e.styleOf(p[c.first]).color, c.colours[0]) << c.first;
    EXPECT_EQ(e.styleOf(p[c.first + 1]).color, c.colours[1]) << c.first + 1;
  }
  EXPECT_EQ(&e.styleOf(p[2]), &e.styleOf(p[3]));
  EXPECT_NE(e.pseudoStyle(p[2], layout::PseudoElement::After), nullptr);
  EXPECT_EQ(e.pseudoStyle(p[2], layout::PseudoElement::After), e.pseudoStyle(p[3], layout::PseudoElement::After));
}

// A host that hands out one parsed sheet, as the application's hosts do.
struct SharedSheetHost : layout::FixedHost {
  std::shared_ptr<const layout::StyleSheet> sheet;
  std::shared_ptr<const layout::StyleSheet> loadStyleSheet(const std::string&) override { return sheet; }
};

TEST(Cascade, SheetSharedBetweenDocumentsFollowsEachOnesMedium) {
  auto sheet = std::make_shared<layout::StyleSheet>();
  layout::parseStyleSheet(R"(p { font-size: 11px }
      @media print { p { color: red } .n::before { content: "P" } }
      @media screen { p { color: blue } }
      .n::after { content: "A" })", sheet.get());
  SharedSheetHost host;
  host.sheet = sheet;
  const char* page = R"(<link rel=stylesheet href="s.css"><p id=p class=n>x</p><p id=q>y</p>)";
  using Type = layout::MediaContext::Type;
  // Screen, print, then screen again: each engine gets the rules of its own medium.
  for (Type type : {Type::Screen, Type::Print, Type::Screen}) {
    auto doc = html::parseHtmlUtf8(page);
    layout::MediaContext media;
    media.type = type;
    layout::StyleEngine engine(&host, "file:///C:/t/page.htm", media);
    engine.computeStyles(*doc, 200);
    const html::Element* p = doc->getElementById("p");
    const html::Element* q = doc->getElementById("q");
    EXPECT_EQ(engine.styleOf(p).fontSize, 11);
    EXPECT_TRUE(type == Type::Print ? same(engine.styleOf(p).color, 255, 0, 0)
                                    : same(engine.styleOf(p).color, 0, 0, 255));
    EXPECT_EQ(engine.pseudoStyle(p, layout::PseudoElement::Before) != nullptr, type == Type::Print);
    EXPECT_NE(engine.pseudoStyle(p, layout::PseudoElement::After), nullptr);
    EXPECT_EQ(engine.pseudoStyle(q, layout::PseudoElement::After), nullptr);  // not of the class
  }
}

TEST(Cascade, Shorthands) {
  Styled s(R"(<p id=a style="border: 2px dashed #00f; margin: 1px 2px 3px; padding: 4px 5px;
      font: italic bold 12px/1.5 'Lucida Console', monospace; background: #ff0 url(bg.gif) no-repeat;
      list-style: square inside">x</p><p id=b style="border-top: thick double; border-color: red green">y</p>)");
  s.compute();
  const ComputedStyle& a = s.of("a");
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(a.borderWidth[i], 2);
    EXPECT_EQ(a.borderStyle[i], layout::BorderStyle::Dashed);
    EXPECT_TRUE(same(a.borderColor[i], 0, 0, 255));
  }
  EXPECT_EQ(a.margin[0].value, 1);
  EXPECT_EQ(a.margin[1].value, 2);
  EXPECT_EQ(a.margin[2].value, 3);
  EXPECT_EQ(a.margin[3].value, 2);
  EXPECT_EQ(a.padding[2].value, 4);
  EXPECT_EQ(a.padding[3].value, 5);
  EXPECT_TRUE(a.italic);
  EXPECT_EQ(a.fontWeight, 700);
  EXPECT_EQ(a.fontSize, 12);
  EXPECT_FLOAT_EQ(a.lineHeight, 18);
  EXPECT_EQ(a.fontFamily, "Lucida Console,monospace");
  EXPECT_TRUE(same(a.backgroundColor, 255, 255, 0));
  EXPECT_EQ(a.backgroundImage, "bg.gif");
  EXPECT_EQ(a.backgroundRepeat, 0);
  EXPECT_EQ(a.listType, layout::ListType::Square);
  EXPECT_TRUE(a.listInside);
  const ComputedStyle& b = s.of("b");
  EXPECT_EQ(b.borderWidth[0], 5);
  EXPECT_EQ(b.borderStyle[0], layout::BorderStyle::Double);
  EXPECT_EQ(b.borderWidth[1], 0);  // style none: no width
  EXPECT_TRUE(same(b.borderColor[1], 0, 128, 0));

  // border-radius: one to four corners as margin's sides; the vertical
  // radii after "/" are not kept
  Styled r(R"(<p id=a style="border-radius: 4px">x</p><p id=b style="border-radius: 1px 2px 3px / 9px">y</p>
      <p id=c style="border-radius: 5px; border-top-right-radius: 10% 3px">z</p>)");
  r.compute();
  const float want[3][4] = {{4, 4, 4, 4}, {1, 2, 3, 2}, {5, 10, 5, 5}};
  const char* ids[3] = {"a", "b", "c"};
  for (int k = 0; k < 3; ++k)
    for (int i = 0; i < 4; ++i) EXPECT_EQ(r.of(ids[k]).borderRadius[i].value, want[k][i]) << ids[k] << i;
  EXPECT_EQ(r.of("c").borderRadius[1].unit, layout::Length::Percent);
}

TEST(Cascade, PresentationalAttributesAndTheirRank) {
  Styled s(R"(<style>p.left { text-align: left }</style>
    <body bgcolor="#102030" text="white" link=red>
    <font id=f color="ff0000" size="+2" face="Verdana, Arial">x</font>
    <p id=pc align=center>c</p><p id=pl class=left align=center>l</p>
    <table id=t border=2 cellspacing=5 cellpadding=4 width="80%"><tr><td id=td nowrap valign=top
      bgcolor=silver width=30>x</td></tr></table>
    <img id=img src=a.gif width=10 height="20%" align=right hspace=3 border=1>
    <hr id=hr size=5 noshade>
    <ol id=ol type=I><li>x</li></ol>)");
  s.compute();
  const ComputedStyle& f = s.of("f");
  EXPECT_TRUE(same(f.color, 255, 0, 0));  // colour without '#'
  EXPECT_EQ(f.fontSize, 24);              // size +2 = 5 = x-large
  EXPECT_EQ(f.fontFamily, "verdana,arial");
  EXPECT_EQ(s.of("pc").textAlign, layout::TextAlign::Center);
  EXPECT_EQ(s.of("pl").textAlign, layout::TextAlign::Left);  // author CSS beats the attribute
  const ComputedStyle& t = s.of("t");
  EXPECT_EQ(t.borderWidth[0], 2);
  EXPECT_EQ(t.borderSpacingH, 5);
  EXPECT_EQ(t.width.unit, layout::Length::Percent);
  EXPECT_EQ(t.width.value, 80);
  const ComputedStyle& td = s.of("td");
  EXPECT_EQ(td.padding[0].value, 4);
  EXPECT_EQ(td.borderWidth[0], 1);  // table border=N gives cells a 1px border
  EXPECT_EQ(td.whiteSpace, layout::WhiteSpace::Nowrap);
  EXPECT_EQ(td.verticalAlign, layout::VAlign::Top);
  EXPECT_TRUE(same(td.backgroundColor, 192, 192, 192));
  EXPECT_EQ(td.width.value, 30);
  const ComputedStyle& img = s.of("img");
  EXPECT_EQ(img.floating, layout::FloatKind::Right);
  EXPECT_EQ(img.margin[3].value, 3);
  EXPECT_EQ(img.borderWidth[2], 1);
  EXPECT_EQ(img.height.unit, layout::Length::Percent);
  EXPECT_EQ(s.of("hr").height.value, 3);
  EXPECT_EQ(s.of("ol").listType, layout::ListType::UpperRoman);
  const ComputedStyle& body = s.engine->styleOf(s.doc->body());
  EXPECT_TRUE(same(body.backgroundColor, 0x10, 0x20, 0x30));
  EXPECT_TRUE(same(body.color, 255, 255, 255));
}

TEST(Cascade, TablesInheritTheFontOnlyInStandardsMode) {
  const char* body = R"(<div style="font-size:30px; text-align:center"><table><tr><td id=c>x</td></tr></table></div>)";
  Styled quirks(body);
  quirks.compute();
  EXPECT_EQ(quirks.of("c").fontSize, 16);
  EXPECT_EQ(quirks.of("c").textAlign, layout::TextAlign::Left);
  Styled standards(std::string("<!DOCTYPE html>") + body);
  standards.compute();
  EXPECT_EQ(standards.of("c").fontSize, 30);
  Styled strict(std::string(R"(<!DOCTYPE HTML PUBLIC "-//W3C//DTD HTML 4.01//EN" "http://www.w3.org/TR/html4/strict.dtd">)") + body);
  strict.compute();
  EXPECT_EQ(strict.of("c").fontSize, 30);
  Styled old(std::string(R"(<!DOCTYPE HTML PUBLIC "-//W3C//DTD HTML 3.2 Final//EN">)") + body);
  old.compute();
  EXPECT_EQ(old.of("c").fontSize, 16);
}

TEST(Cascade, LinkedAndImportedSheetsResolveAgainstTheirOwnUrl) {
  Styled s(R"(<link rel="stylesheet" href="css/main.css"><link rel="alternate stylesheet" href="alt.css">
    <p id=a>x</p><p id=b>y</p>)");
  s.host.texts["file:///C:/t/css/main.css"] = "@import url(\"more.css\"); #a { color: red }";
  s.host.texts["file:///C:/t/css/more.css"] = "#a { color: blue; font-size: 21px } #b { color: lime }";
  s.host.texts["file:///C:/t/alt.css"] = "#b { color: red }";
  s.compute();
  EXPECT_TRUE(same(s.of("a").color, 255, 0, 0));  // the importing sheet comes later
  EXPECT_EQ(s.of("a").fontSize, 21);
  EXPECT_TRUE(same(s.of("b").color, 0, 255, 0));  // the alternate sheet is not used
}

TEST(Cascade, ImportCyclesAreBounded) {
  Styled s("<link rel=stylesheet href=a.css><p id=a>x</p>");
  s.host.texts["file:///C:/t/a.css"] = "@import 'a.css'; #a { color: red }";
  s.compute();
  EXPECT_TRUE(same(s.of("a").color, 255, 0, 0));
  EXPECT_LE(s.host.requested.size(), 40u);
}

// A host that parses sheets itself (once per conversion): the core takes the
// sheet as it is, without reading its text, and still follows its imports,
// resolved against the sheet's own url.
TEST(Cascade, HostSuppliedSheetsAreUsedAsGivenAndTheirImportsFollowed) {
  struct ParsingHost : layout::FixedHost {
    std::map<std::string, std::shared_ptr<const layout::StyleSheet>> sheets;
    std::vector<std::string> asked;
    std::shared_ptr<const layout::StyleSheet> loadStyleSheet(const std::string& url) override {
      asked.push_back(url);
      auto it = sheets.find(url);
      return it == sheets.end() ? nullptr : it->second;
    }
  };
  auto sheet = std::make_shared<layout::StyleSheet>();
  const std::string mainCss = "@import url(\"more.css\"); @import 'gone.css' print; #a { color: red }";
  layout::parseStyleSheet(mainCss, sheet.get());
  EXPECT_EQ(sheet->imports, (std::vector<std::string>{"more.css", "gone.css"}));
  EXPECT_EQ(sheet->sourceBytes, mainCss.size());

  for (int page = 0; page < 2; ++page) {  // one parsed sheet serves every page
    auto doc = html::parseHtmlUtf8("<link rel=stylesheet href=css/main.css><p id=a>x</p><p id=b>y</p>");
    ParsingHost host;
    host.sheets["file:///C:/t/css/main.css"] = sheet;
    host.texts["file:///C:/t/css/main.css"] = "#a { color: blue }";  // must not be read
    host.texts["file:///C:/t/css/more.css"] = "#a { font-size: 21px } #b { color: lime }";
    layout::StyleEngine engine(&host, "file:///C:/t/page.htm");
    engine.computeStyles(*doc, 200);
    EXPECT_TRUE(same(engine.styleOf(doc->getElementById("a")).color, 255, 0, 0));
    EXPECT_EQ(engine.styleOf(doc->getElementById("a")).fontSize, 21);
    EXPECT_TRUE(same(engine.styleOf(doc->getElementById("b")).color, 0, 255, 0));
    EXPECT_EQ(host.asked, (std::vector<std::string>{"file:///C:/t/css/main.css", "file:///C:/t/css/more.css",
                                                    "file:///C:/t/css/gone.css"}));
    // Only the imports the host did not supply are read as text.
    EXPECT_EQ(host.requested, (std::vector<std::string>{"file:///C:/t/css/more.css", "file:///C:/t/css/gone.css"}));
  }
}

TEST(Cascade, ElementsThatWinTheSameDeclarationsShareOneStyleAndNoMore) {
  Styled s(R"(<style>.x { color: blue }</style>
    <div><p class=x id=a>1</p><p class=x id=b>2</p><p class=x id=c align=center>3</p>
         <p class=x id=d style="color: red">4</p><p id=f>6</p></div>
    <div style="font-size: 30px"><p class=x id=e>5</p></div>)");
  s.compute();
  EXPECT_EQ(&s.of("a"), &s.of("b"));
  // What the element adds after the cascade, a style attribute, other
  // rules, another parent: each a style of its own.
  EXPECT_NE(&s.of("c"), &s.of("a"));
  EXPECT_EQ(s.of("c").blockAlign, 1);
  EXPECT_EQ(s.of("a").blockAlign, 0);
  EXPECT_TRUE(same(s.of("d").color, 255, 0, 0));
  EXPECT_TRUE(same(s.of("a").color, 0, 0, 255));
  EXPECT_TRUE(same(s.of("f").color, 0, 0, 0));
  EXPECT_EQ(s.of("e").fontSize, 30);
  EXPECT_EQ(s.of("a").fontSize, 16);
}

TEST(Cascade, BrokenCssRecovers) {
  Styled s(R"(<style>
    p { color: ; font-size: 20px }
    p..bad { color: red }
    p { color: rgb(0, 0 }  p { margin-left: 3px; } }
    @media print { #m { margin-top: 8px } }  @media aural { #m { margin-top: 99px } }
    @font-face { font-family: x; src: url(x.ttf) }
    #q { color: "red"; width: -5px; border-width: 7px }
    div { color: green
    </style><p id=p>x</p><p id=m>y</p><p id=q>z</p><div id=d>w</div>)");
  s.compute();
  EXPECT_EQ(s.of("p").fontSize, 20);
  EXPECT_FALSE(same(s.of("p").color, 255, 0, 0));
  EXPECT_EQ(s.of("m").margin[0].value, 8);
  EXPECT_TRUE(s.of("q").width.isAuto());
  EXPECT_TRUE(same(s.of("d").color, 0, 128, 0));  // an unclosed block still applies
}

TEST(Css, TokenizerEscapesCommentsAndStrings) {
  auto toks = layout::tokenizeCss("/* c */ .a\\31 b { content: \"q\\\"x\" } #x-1 12.5em 50% url( a b.png ) 'bad\n");
  std::vector<std::string> texts;
  for (auto& t : toks)
    if (t.type != layout::TokType::Whitespace) texts.push_back(t.text);
  ASSERT_GE(texts.size(), 8u);
  EXPECT_EQ(texts[1], "a1b");
  auto sheet = layout::StyleSheet();
  layout::parseStyleSheet("h1 , .x > p#y[z], a:link {color:red}", &sheet);
  ASSERT_EQ(sheet.rules.size(), 3u);
  EXPECT_EQ(sheet.rules[1].selector.specificity, 0x010101u + 0x100u);  // id, class + attribute, type
  EXPECT_EQ(sheet.rules[2].selector.specificity, 0x000101u);
}

TEST(Css, Colours) {
  Color c;
  EXPECT_TRUE(layout::parseColor("#abc", &c));
  EXPECT_TRUE(c == Color::rgb(0xAA, 0xBB, 0xCC));
  EXPECT_TRUE(layout::parseColor("ABCDEF", &c));
  EXPECT_TRUE(c == Color::rgb(0xAB, 0xCD, 0xEF));
  EXPECT_TRUE(layout::parseColor("LightSteelBlue", &c));
  EXPECT_TRUE(layout::parseColor("rgb(100%, 0, 50%)", &c));
  EXPECT_TRUE(c == Color::rgb(255, 0, 128));
  // partly transparent: as it shows over white paper
  EXPECT_TRUE(layout::parseColor("rgba(0, 0, 0, 0.05)", &c));
  EXPECT_TRUE(c == Color::rgb(242, 242, 242));
  EXPECT_TRUE(layout::parseColor("rgba(255, 0, 0, 50%)", &c));
  EXPECT_TRUE(c == Color::rgb(255, 128, 128));
  EXPECT_TRUE(layout::parseColor("rgba(1, 2, 3, 0)", &c));
  EXPECT_TRUE(c.isTransparent());
  EXPECT_FALSE(layout::parseColor("notacolour", &c));
}

TEST(Urls, ResolveAgainstBase) {
  using layout::resolveUrl;
  EXPECT_EQ(resolveUrl("file:///C:/a/b/page.htm", "img/x.gif"), "file:///C:/a/b/img/x.gif");
  EXPECT_EQ(resolveUrl("file:///C:/a/b/page.htm", "../up.htm#n"), "file:///C:/a/up.htm#n");
  EXPECT_EQ(resolveUrl("file:///C:/a/b/page.htm", "../../../../x.css"), "file:///C:/x.css");
  EXPECT_EQ(resolveUrl("file:///C:/a/b/page.htm#old", "#frag"), "file:///C:/a/b/page.htm#frag");
  EXPECT_EQ(resolveUrl("file:///C:/a/b/page.htm", "/root.htm"), "file:///C:/root.htm");
  EXPECT_EQ(resolveUrl("file:///C:/a/b/page.htm", "http://example.org/x"), "http://example.org/x");
  EXPECT_EQ(resolveUrl("file:///C:/a/b/page.htm", "sub\\win.htm"), "file:///C:/a/b/sub/win.htm");
}

}  // namespace
