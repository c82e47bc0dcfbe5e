// Painting into a display list (text runs, markers, links, anchors) and
// pagination: breaks fall between lines, blocks and table rows, forced
// breaks start a page, page-break-inside: avoid keeps a block together.
#include <gtest/gtest.h>

#include <cmath>
#include <map>

#include "fixed_host.h"
#include "layout/html_layout.h"
#include "parser.h"

using namespace tw;
using layout::DisplayList;
using layout::ItemKind;

namespace {

struct Laid {
  std::unique_ptr<html::Document> doc;
  layout::FixedHost host;
  std::unique_ptr<layout::HtmlLayout> l;
  Laid(const std::string& page, float width) {
    doc = html::parseHtmlUtf8(page);
    host.images["file:///C:/t/a.gif"] = {40, 30};
    l = std::make_unique<layout::HtmlLayout>(host);
    l->load(*doc, "file:///C:/t/page.htm");
    l->layout(width);
  }
};

std::string utf8(const std::u16string& s) {
  std::string o;
  for (char16_t c : s) o += c < 0x80 ? char(c) : '?';
  return o;
}

std::vector<const layout::DisplayItem*> texts(const DisplayList& d) {
  std::vector<const layout::DisplayItem*> out;
  for (auto& it : d.items)
    if (it.kind == ItemKind::Text) out.push_back(&it);
  return out;
}

// An inline box inside another paints its background over its parent's
// (a linked line number in a source listing).
TEST(Paint, NestedInlineBackgroundsPaintOuterFirst) {
  Laid p(R"(<body style="margin:0"><span style="background:#e8e8e8;padding-right:4px">  <a href="#l1"
      style="background:#d8d8d8">1</a></span> code</body>)", 400);
  DisplayList d = p.l->paint();
  int outer = -1, inner = -1;
  for (size_t i = 0; i < d.items.size(); ++i) {
    if (d.items[i].kind != ItemKind::Fill) continue;
    if (d.items[i].color == layout::Color::rgb(0xe8, 0xe8, 0xe8)) outer = int(i);
    if (d.items[i].color == layout::Color::rgb(0xd8, 0xd8, 0xd8)) inner = int(i);
  }
  ASSERT_GE(outer, 0);
  ASSERT_GE(inner, 0);
  EXPECT_LT(outer, inner);
}

// box-shadow: the first outer shadow is painted outside the border box, in
// its colour mixed over white; inset shadows and none paint nothing.
TEST(Paint, BoxShadowOutsideTheBox) {
  Laid p(R"(<body style="margin:0"><div style="width:100px;height:20px;box-shadow:4px 4px 0 rgba(0,0,0,0.5), 9px 9px red"></div>
      <div style="height:10px;box-shadow:inset 2px 2px red"></div><div style="height:10px;box-shadow:none"></div></body>)",
         400);
  DisplayList d = p.l->paint();
  float area = 0;
  for (const auto& it : d.items) {
    if (it.kind != ItemKind::Fill) continue;
    EXPECT_EQ(it.color, layout::Color::rgb(128, 128, 128));
    EXPECT_TRUE(it.rect.x >= 100 || it.rect.y >= 20) << it.rect.x << "," << it.rect.y;  // never under the box
    EXPECT_LE(it.rect.right(), 104);
    EXPECT_LE(it.rect.bottom(), 24);
    area += it.rect.w * it.rect.h;
  }
  EXPECT_FLOAT_EQ(area, 4 * 20 + 96 * 4);  // the L the 4px offset leaves outside the box
}

// border-radius: backgrounds and one-colour solid borders are drawn as
// rounded fills, radii too large for the box shrink together; borders of
// different sides fall back to square bands.
TEST(Paint, BorderRadiusRoundsBackgroundsAndBorders) {
  Laid p(R"(<body style="margin:0">
      <div style="width:100px;height:20px;background:#eee;border:2px solid blue;border-radius:6px 4px / 2px"></div>
      <div style="width:40px;height:40px;background:#8c8;border-radius:50%"></div>
      <div style="width:40px;height:10px;background:red;border-radius:30px"></div>
      <div style="width:40px;height:10px;border-top:1px solid red;border-bottom:1px dashed red;border-radius:3px"></div>
      <div style="width:40px;height:10px;background:#ccc;border-radius:0 -2px"></div></body>)",
         400);
  const DisplayList d = p.l->paint();
  std::vector<const layout::DisplayItem*> round;
  int squareFills = 0;
  for (const auto& it : d.items) {
    if (it.kind == ItemKind::RoundFill) round.push_back(&it);
    if (it.kind == ItemKind::Fill) ++squareFills;
  }
  ASSERT_EQ(round.size(), 4u);
  // the first box: its background, then its border as one band around a hole
  EXPECT_EQ(round[0]->color, layout::Color::rgb(0xee, 0xee, 0xee));
  EXPECT_TRUE(round[0]->hole.empty());
  EXPECT_EQ(round[1]->color, layout::Color::rgb(0, 0, 255));
  const float first[4] = {6, 4, 6, 4};
  for (int i = 0; i < 4; ++i) EXPECT_FLOAT_EQ(round[1]->radii[i], first[i]);
  EXPECT_FLOAT_EQ(round[1]->hole.x, 2);
  EXPECT_FLOAT_EQ(round[1]->hole.w, 100);
  EXPECT_FLOAT_EQ(round[1]->hole.h, 20);
  // 50% of a 40 px square: a circle; 30 px on a 10 px high box: 5 px
  for (int i = 0; i < 4; ++i) EXPECT_FLOAT_EQ(round[2]->radii[i], 20);
  for (int i = 0; i < 4; ++i) EXPECT_FLOAT_EQ(round[3]->radii[i], 5);
  // dashed and solid sides: square bands (a fill and a dashed border); a
  // negative radius is invalid and the last box stays square
  EXPECT_EQ(squareFills, 2);
}

// Collapsed borders between cells: the wider one is drawn, in the style and
// colour of the cell it belongs to, also when the neighbour has none there
// (doxygen's class list draws its column line so).
TEST(Paint, CollapsedBordersKeepTheirCellsColour) {
  Laid p(R"(<body style="margin:0"><table style="border-collapse:collapse" cellpadding="0"><tr>
      <td>entry</td><td style="border-left:3px solid blue">desc</td></tr><tr>
      <td style="border-top:1px solid red;border-bottom:2px solid green">x</td><td>y</td></tr></table></body>)",
         400);
  const DisplayList d = p.l->paint();
  std::map<std::string, layout::RectF> fills;
  for (const auto& it : d.items)
    if (it.kind == ItemKind::Fill) {
      const layout::Color& c = it.color;
      fills[c == layout::Color::rgb(0, 0, 255) ? "blue" : c == layout::Color::rgb(255, 0, 0) ? "red"
                                                         : c == layout::Color::rgb(0, 128, 0) ? "green" : "other"] = it.rect;
    }
  ASSERT_EQ(fills.count("blue"), 1u);
  EXPECT_FLOAT_EQ(fills["blue"].w, 3);
  EXPECT_FLOAT_EQ(fills["blue"].x, 40);  // right of "entry"
  ASSERT_EQ(fills.count("red"), 1u);     // above "x", from its own cell
  EXPECT_FLOAT_EQ(fills["red"].h, 1);
  ASSERT_EQ(fills.count("green"), 1u);
  EXPECT_EQ(fills.count("other"), 0u);
}

TEST(Paint, TextsOfSiblingsWithTheSameStyleStayRunsOfTheirOwn) {
  Laid p("<p><b>ab</b><b>cd</b></p>", 400);
  auto t = texts(p.l->paint());
  ASSERT_EQ(t.size(), 2u);
  EXPECT_EQ(utf8(t[0]->text), "ab");
  EXPECT_EQ(utf8(t[1]->text), "cd");
}

TEST(Paint, TextRunsFontsLinksAnchorsAndMarkers) {
  Laid p(R"(<body style="margin:0"><p style="margin:0">plain <b>bold</b> <a href="other.htm#x" name=top>go
      there</a></p><ol><li>one</li></ol><h2 id=sec>Sec</h2><a href="#sec"><img src="a.gif"></a></body>)", 400);
  DisplayList d = p.l->paint();
  auto t = texts(d);
  ASSERT_GE(t.size(), 5u);
  EXPECT_EQ(utf8(t[0]->text), "plain");
  EXPECT_EQ(t[0]->rect.x, 0);
  EXPECT_EQ(t[0]->rect.w, 40);
  EXPECT_FLOAT_EQ(t[0]->baseline, 12.8f);
  EXPECT_EQ(d.fonts[t[0]->font].weight, 400);
  EXPECT_EQ(utf8(t[1]->text), "bold");
  EXPECT_EQ(d.fonts[t[1]->font].weight, 700);
  EXPECT_EQ(t[1]->rect.x, 48);
  EXPECT_EQ(d.fonts[t[1]->font].face, "serif");
  bool marker = false;
  for (auto* x : t)
    if (utf8(x->text) == "1.") {
      marker = true;
      EXPECT_LT(x->rect.right(), 40);  // outside, left of the item's content
    }
  EXPECT_TRUE(marker);
  ASSERT_GE(d.links.size(), 2u);
  EXPECT_EQ(d.links[0].href, "other.htm#x");
  EXPECT_EQ(d.links[0].url, "file:///C:/t/other.htm#x");
  EXPECT_EQ(d.links[0].rect.x, 88);
  EXPECT_EQ(d.links.back().url, "file:///C:/t/page.htm#sec");
  EXPECT_EQ(d.links.back().rect.w, 40);  // the image inside the link
  ASSERT_TRUE(d.findAnchor("top"));
  EXPECT_EQ(d.findAnchor("top")->x, 88);
  float ax, ay;
  ASSERT_TRUE(p.l->anchorPosition("sec", &ax, &ay));
  EXPECT_GT(ay, 30);
  EXPECT_FALSE(p.l->anchorPosition("nothing", &ax, &ay));
  // underline of the link: a fill under its text
  bool underline = false;
  for (auto& it : d.items)
    if (it.kind == ItemKind::Fill && it.rect.x == 88 && it.rect.h <= 2) underline = true;
  EXPECT_TRUE(underline);
  EXPECT_NE(d.linkAt(100, 5), nullptr);
  EXPECT_EQ(d.linkAt(5, 5), nullptr);
}

TEST(Paint, BackgroundsBordersAndCanvas) {
  Laid p(R"(<body bgcolor=yellow style="margin:0"><div style="background:red;border:2px dotted blue;height:10px"></div>
      <table cellspacing=0><tr bgcolor=lime><td>x</td></tr></table></body>)", 200);
  DisplayList d = p.l->paint();
  EXPECT_TRUE(d.background == layout::Color::rgb(255, 255, 0));
  int red = 0, dotted = 0, lime = 0;
  for (auto& it : d.items) {
    if (it.kind == ItemKind::Fill && it.color == layout::Color::rgb(255, 0, 0)) {
      ++red;
      EXPECT_EQ(it.rect.h, 14);
    }
    if (it.kind == ItemKind::Border && it.dash == layout::BorderDash::Dotted) ++dotted;
    if (it.kind == ItemKind::Fill && it.color == layout::Color::rgb(0, 255, 0)) ++lime;
  }
  EXPECT_EQ(red, 1);
  EXPECT_EQ(dotted, 4);
  EXPECT_EQ(lime, 1);  // the row colour shows through its cell
}

std::string longPage(int paragraphs) {
  std::string s = "<body style='margin:0'>";
  for (int i = 0; i < paragraphs; ++i)
    s += "<p style='margin:0 0 5px'>paragraph " + std::to_string(i) +
         " with some words that wrap over a few lines of the narrow column</p>";
  return s;
}

// No text line may be cut by a page break.
void expectBreaksBetweenLines(const DisplayList& d, const std::vector<layout::PageSlice>& pages) {
  for (size_t i = 0; i + 1 < pages.size(); ++i) {
    float b = pages[i].bottom;
    for (auto* t : texts(d)) EXPECT_FALSE(t->rect.y < b - 0.01f && t->rect.bottom() > b + 0.01f) << "break at " << b;
  }
}

TEST(Paginate, LongPageBreaksBetweenLinesAndCoversEverything) {
  Laid p(longPage(120), 200);
  auto pages = p.l->paginate(300);
  ASSERT_GT(pages.size(), 20u);
  EXPECT_EQ(pages.front().top, 0);
  for (size_t i = 0; i < pages.size(); ++i) {
    EXPECT_LE(pages[i].bottom - pages[i].top, 300.01f);
    EXPECT_GT(pages[i].bottom - pages[i].top, 200);  // no page wasted
    if (i) {
      EXPECT_EQ(pages[i].top, pages[i - 1].bottom);
    }
  }
  EXPECT_GE(pages.back().bottom, p.l->height());
  DisplayList d = p.l->paint();
  expectBreaksBetweenLines(d, pages);
  // every text run lands on exactly one page
  auto pageLists = p.l->paintPages(300);
  ASSERT_EQ(pageLists.size(), pages.size());
  size_t runs = 0;
  for (auto& pl : pageLists) {
    runs += texts(pl).size();
    for (auto* t : texts(pl)) {
      EXPECT_GE(t->rect.y, -0.01f);
      EXPECT_LE(t->rect.bottom(), 300.01f);
    }
  }
  EXPECT_EQ(runs, texts(d).size());
}

TEST(Paginate, ForcedBreaksAvoidAndTableRows) {
  std::string s = "<body style='margin:0'><p>first</p><h1 style='page-break-before:always'>Chapter</h1>";
  s += "<div style='page-break-inside:avoid'>";
  for (int i = 0; i < 8; ++i) s += "kept line " + std::to_string(i) + "<br>";
  s += "</div><table cellspacing=0>";
  for (int i = 0; i < 60; ++i) s += "<tr><td>row " + std::to_string(i) + "<br>second line</td><td>x</td></tr>";
  s += "</table><p style='page-break-after:always'>end</p><p>last</p>";
  Laid p(s, 300);
  auto pages = p.l->paginate(200);
  DisplayList d = p.l->paint();
  float chapterTop = -1, keptTop = -1, keptBottom = -1, lastTop = -1;
  for (auto* t : texts(d)) {
    std::string x = utf8(t->text);
    if (x == "Chapter") chapterTop = t->rect.y;
    if (x.rfind("kept line 0", 0) == 0) keptTop = t->rect.y;
    if (x.rfind("kept line 7", 0) == 0) keptBottom = t->rect.bottom();
    if (x == "last") lastTop = t->rect.y;
  }
  ASSERT_GE(pages.size(), 5u);
  // the heading starts the second page
  EXPECT_LE(pages[1].top, chapterTop);
  EXPECT_GT(pages[0].bottom, 16);
  EXPECT_LT(pages[0].bottom, 60);
  // the avoid block lies on one page
  bool together = false;
  for (auto& pg : pages)
    if (pg.top <= keptTop + 0.01f && pg.bottom >= keptBottom - 0.01f) together = true;
  EXPECT_TRUE(together);
  // "last" begins a page of its own
  bool starts = false;
  for (auto& pg : pages)
    if (std::fabs(pg.top - lastTop) < 40 && pg.top <= lastTop) starts = true;
  EXPECT_TRUE(starts);
  expectBreaksBetweenLines(d, pages);
}

// A rounded border on a later page: its hole moves up with it (else the
// whole box is filled in the border's colour).
TEST(Paginate, RoundedBorderKeepsItsHoleOnLaterPages) {
  Laid p(R"(<body style="margin:0"><div style="height:250px"></div>
      <div style="height:20px;border:1px solid blue;border-bottom:0;border-radius:4px 4px 0 0"></div></body>)",
         200);
  auto lists = p.l->paintPages(200);
  ASSERT_EQ(lists.size(), 2u);
  const layout::DisplayItem* band = nullptr;
  for (auto& it : lists[1].items)
    if (it.kind == ItemKind::RoundFill) band = &it;
  ASSERT_NE(band, nullptr);
  EXPECT_FLOAT_EQ(band->rect.y, 50);
  EXPECT_FLOAT_EQ(band->hole.y, 51);
  EXPECT_FLOAT_EQ(band->hole.bottom(), band->rect.bottom());
}

TEST(Paginate, ContentTallerThanAPageIsCut) {
  Laid p("<body style='margin:0'><img src=a.gif width=100 height=1000></body>", 300);
  auto pages = p.l->paginate(300);
  ASSERT_EQ(pages.size(), 4u);
  EXPECT_EQ(pages[1].top, 300);
  auto lists = p.l->paintPages(300);
  int images = 0;
  for (auto& l : lists)
    for (auto& it : l.items)
      if (it.kind == ItemKind::Image) ++images;
  EXPECT_EQ(images, 4);  // the image shows on each page it crosses
}

}  // namespace

namespace {

TEST(Extent, DocumentWidthCoversOverflowingContent) {
  Laid narrow("<body style='margin:0'><p>short</p></body>", 300);
  EXPECT_EQ(narrow.l->width(), 300);
  Laid wide("<body style='margin:0'><table><tr><td nowrap>" + std::string(100, 'w') + "</td></tr></table></body>", 300);
  EXPECT_GE(wide.l->width(), 800);  // 100 characters of 8 px
  Laid clipped("<div style='overflow:hidden;width:100px'><pre>" + std::string(100, 'x') + "</pre></div>", 300);
  EXPECT_EQ(clipped.l->width(), 300);
}

}  // namespace

namespace {

TEST(Extent, QuirksModeDropsEdgeMarginsOfCellsAndBody) {
  const std::string body = "<body style='margin:0'><table cellspacing=0 cellpadding=0><tr><td><p>x</p><p>y</p></td>"
                           "</tr></table></body>";
  Laid quirks(body, 300);
  EXPECT_EQ(quirks.l->height(), 48);  // 16 + 16 between the paragraphs + 16
  Laid standards("<!DOCTYPE html>" + body, 300);
  EXPECT_EQ(standards.l->height(), 80);  // the paragraphs' outer margins stay in the cell
  Laid heading("<body style='margin:8px'><h1>t</h1></body>", 300);
  EXPECT_EQ(heading.l->height(), 8 + 32 + 8);  // the heading's margins are dropped at the body's edges
}

}  // namespace

namespace {

// Printing a page wider than the paper: it is laid out again as wide as its
// content, but never more than 1.5 times the paper, and scaled down to it;
// over-long preformatted lines are cut rather than shrinking all the text.
TEST(Extent, PrintScalesWideContentDownOnlySoFar) {
  struct Case {
    const char* name;
    std::string body;
    float scale;
    float paragraphLine;  // width of the paragraph's first line after the print layout
  };
  std::string words = "<p>";
  for (int i = 0; i < 40; ++i) words += "word ";
  words += "</p>";
  const Case cases[] = {
      {"fits", "<p>short</p>" + words, 1, 392},
      {"fixed width", "<div style='width:500px'>w</div>" + words, 0.8f, 472},
      {"long pre line", "<pre>" + std::string(300, 'x') + "</pre>" + words, 400.0f / 600, 592},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Laid p("<body style='margin:0'>" + c.body + "</body>", 400);
    EXPECT_FLOAT_EQ(p.l->layoutForPrint(400), c.scale);
    const DisplayList d = p.l->paint();
    float line = 0;
    for (const layout::DisplayItem* t : texts(d))
      if (utf8(t->text).rfind("word", 0) == 0) {
        line = t->rect.w;
        break;
      }
    EXPECT_FLOAT_EQ(line, c.paragraphLine);
  }
}

}  // namespace

// All pages cut in one pass hold what each page shows of the whole list:
// the same items (clips only where something inside them shows), fonts,
// images, links and anchors, in the same order; cut one by one, or painted
// straight into the pages, they are the same again.
TEST(Paginate, AllPagesInOnePassMatchOnePageAtATime) {
  std::string s = "<body style='margin:0'>";
  for (int i = 0; i < 30; ++i) {
    s += "<h2 id='h" + std::to_string(i) + "'>Part " + std::to_string(i) + "</h2>";
    s += "<div style='overflow:hidden;height:120px;border:1px solid red;border-radius:3px'><p>clipped " +
         std::to_string(i) + "<br>more<br>and more</p></div>";
    s += "<p style='background:#eee'>text <a href='#h" + std::to_string((i + 3) % 30) +
         "'>link</a> <img src=a.gif> <b>bold</b> <i>italic</i></p>";
    if (i % 7 == 0) s += "<table border=1><tr><td>a</td><td>b</td></tr><tr><td>c</td><td>d</td></tr></table>";
  }
  s += "</body>";
  Laid p(s, 300);
  const auto slices = p.l->paginate(250);
  ASSERT_GT(slices.size(), 10u);
  const DisplayList whole = p.l->paint();
  const std::vector<DisplayList> all = layout::sliceDisplayListPages(whole, slices, p.l->width());
  ASSERT_EQ(all.size(), slices.size());
  const std::vector<DisplayList> streamed = p.l->paintPages(slices);
  ASSERT_EQ(streamed.size(), slices.size());
  auto key = [](const DisplayList& l, const layout::DisplayItem& it) {
    std::string k = std::to_string(int(it.kind)) + ":" + std::to_string(it.rect.x) + "," +
                    std::to_string(it.rect.y) + "," + std::to_string(it.rect.w) + "," +
                    std::to_string(it.rect.h) + ":" + std::to_string(it.hole.y) + ":" + utf8(it.text);
    if (it.font >= 0) k += ":" + l.fonts[size_t(it.font)].face + std::to_string(l.fonts[size_t(it.font)].weight);
    if (it.image >= 0) k += ":" + l.images[size_t(it.image)].url;
    return k;
  };
  // The rule written out: a page shows each item that meets its band (a run
  // of text: whose baseline is in it), moved up by the band's top; the
  // links that meet it and the anchors in it.
  size_t clipsSaved = 0, rounded = 0;
  size_t clipsInWhole = 0;
  for (const layout::DisplayItem& it : whole.items) clipsInWhole += it.kind == ItemKind::ClipBegin;
  for (size_t i = 0; i < slices.size(); ++i) {
    SCOPED_TRACE(i);
    const float top = slices[i].top, bottom = slices[i].bottom;
    const layout::RectF band{-1e9f, top, 2e9f, bottom - top};
    std::vector<std::string> a, b;
    for (const layout::DisplayItem& it : whole.items) {
      if (it.kind == ItemKind::ClipBegin || it.kind == ItemKind::ClipEnd) continue;
      if (it.kind == ItemKind::Text ? !(it.baseline >= top && it.baseline < bottom) : !it.rect.intersects(band))
        continue;
      layout::DisplayItem c = it;
      c.rect.y -= top;
      c.hole.y -= top;
      a.push_back(key(whole, c));
      rounded += i > 0 && c.kind == ItemKind::RoundFill && !c.hole.empty();
    }
    int depth = 0;
    size_t clips = 0;
    for (const layout::DisplayItem& it : all[i].items) {
      if (it.kind == ItemKind::ClipBegin) ++depth, ++clips;
      else if (it.kind == ItemKind::ClipEnd) EXPECT_GE(--depth, 0);
      else b.push_back(key(all[i], it));
    }
    EXPECT_EQ(depth, 0);  // clips balanced
    EXPECT_EQ(a, b);
    clipsSaved += clipsInWhole + 1 - clips;  // + 1: the page's own clip
    EXPECT_EQ(all[i].height, bottom - top);
    std::vector<std::string> links, anchors;
    for (const layout::DisplayLink& l : whole.links)
      if (l.rect.intersects(band)) links.push_back(l.href + "@" + std::to_string(l.rect.y - top));
    for (const layout::DisplayAnchor& an : whole.anchors)
      if (an.y >= top && an.y < bottom) anchors.push_back(an.name);
    std::vector<std::string> gotLinks, gotAnchors;
    for (const layout::DisplayLink& l : all[i].links) gotLinks.push_back(l.href + "@" + std::to_string(l.rect.y));
    for (const layout::DisplayAnchor& an : all[i].anchors) gotAnchors.push_back(an.name);
    EXPECT_EQ(gotLinks, links);
    EXPECT_EQ(gotAnchors, anchors);
    // One page cut alone, and the pages painted straight into their lists,
    // are the same again, clips and all.
    const DisplayList one = layout::sliceDisplayList(whole, slices[i], p.l->width());
    std::vector<std::string> c, d, e;
    for (const layout::DisplayItem& it : all[i].items) c.push_back(key(all[i], it));
    for (const layout::DisplayItem& it : streamed[i].items) d.push_back(key(streamed[i], it));
    for (const layout::DisplayItem& it : one.items) e.push_back(key(one, it));
    EXPECT_EQ(c, d);
    EXPECT_EQ(c, e);
    EXPECT_EQ(streamed[i].fonts.size(), all[i].fonts.size());
    EXPECT_EQ(streamed[i].height, all[i].height);
    ASSERT_EQ(streamed[i].links.size(), all[i].links.size());
    ASSERT_EQ(streamed[i].anchors.size(), all[i].anchors.size());
  }
  EXPECT_GT(clipsSaved, 0u);  // the clips of other pages are left out
  EXPECT_GT(rounded, 0u);
}
