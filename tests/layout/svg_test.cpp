// Reading SVG drawings: the viewport and viewBox, transforms, every path
// command, basic shapes, text, paint (colours, gradients, opacity over
// white), and bad input.
#include <gtest/gtest.h>

#include "layout/svg.h"

using namespace tw;
using layout::SvgDrawing;

namespace {

SvgDrawing read(const std::string& body, const std::string& root = "width=\"100\" height=\"50\"") {
  SvgDrawing d;
  EXPECT_TRUE(layout::parseSvg("<svg xmlns=\"http://www.w3.org/2000/svg\" " + root + ">" + body + "</svg>", &d));
  return d;
}

// The bounding box of a shape's points.
struct Box {
  float x0 = 1e9f, y0 = 1e9f, x1 = -1e9f, y1 = -1e9f;
};
Box bounds(const layout::SvgShape& s) {
  Box b;
  for (const auto& sp : s.subpaths)
    for (const auto& p : sp) {
      b.x0 = std::min(b.x0, p.x), b.y0 = std::min(b.y0, p.y);
      b.x1 = std::max(b.x1, p.x), b.y1 = std::max(b.y1, p.y);
    }
  return b;
}

TEST(Svg, ViewportViewBoxAndTransforms) {
  SvgDrawing d = read("<g transform=\"translate(10,5) scale(2)\"><rect x=\"1\" y=\"1\" width=\"4\" height=\"2\"/></g>",
                      "width=\"200\" height=\"100\" viewBox=\"0 0 100 50\"");
  EXPECT_EQ(d.width, 200);
  EXPECT_EQ(d.height, 100);
  ASSERT_EQ(d.shapes.size(), 1u);
  Box b = bounds(d.shapes[0]);  // (10 + 2 * 1) * 2 ... (10 + 2 * 5) * 2
  EXPECT_FLOAT_EQ(b.x0, 24);
  EXPECT_FLOAT_EQ(b.x1, 40);
  EXPECT_FLOAT_EQ(b.y0, 14);
  EXPECT_FLOAT_EQ(b.y1, 22);
  // no width/height: the viewBox's size; neither: 300 x 150
  EXPECT_EQ(read("", "viewBox=\"0 0 104 31\"").width, 104);
  EXPECT_EQ(read("", "").height, 150);
  // rotate about a point
  d = read("<line x1=\"10\" y1=\"0\" x2=\"20\" y2=\"0\" stroke=\"red\" transform=\"rotate(90 10 0)\"/>");
  ASSERT_EQ(d.shapes.size(), 1u);
  Box r = bounds(d.shapes[0]);
  EXPECT_NEAR(r.x0, 10, 1e-4);
  EXPECT_NEAR(r.y1, 10, 1e-4);
}

TEST(Svg, PathCommandsAndShapes) {
  const struct {
    const char* element;
    float x0, y0, x1, y1;
  } kCases[] = {
      {"<path d=\"M10 10 L20 10 L20 20 Z\"/>", 10, 10, 20, 20},
      {"<path d=\"m10 10 h10 v10 h-10 z\"/>", 10, 10, 20, 20},
      {"<path d=\"M10,10 20,10 20,20\"/>", 10, 10, 20, 20},  // implicit lines after M
      {"<path d=\"M0 10 C0 0 20 0 20 10 S40 20 40 10\"/>", 0, 2.5f, 40, 17.5f},
      {"<path d=\"M0 10 Q10 0 20 10 T40 10\"/>", 0, 5, 40, 15},
      {"<path d=\"M0 10 a10 10 0 0 1 20 0\"/>", 0, 0, 20, 10},  // upper half circle
      {"<path d=\"M0 10a10 10 0 1120 0\"/>", 0, 0, 20, 10},     // flags without separators
      {"<circle cx=\"50\" cy=\"25\" r=\"10\"/>", 40, 15, 60, 35},
      {"<ellipse cx=\"50\" cy=\"25\" rx=\"20\" ry=\"5\"/>", 30, 20, 70, 30},
      {"<polygon points=\"0,0 10,0 5,8\"/>", 0, 0, 10, 8},
      {"<polyline points=\"0 0 10 10\" stroke=\"black\"/>", 0, 0, 10, 10},
  };
  for (const auto& c : kCases) {
    SvgDrawing d = read(c.element);
    ASSERT_EQ(d.shapes.size(), 1u) << c.element;
    Box b = bounds(d.shapes[0]);
    EXPECT_NEAR(b.x0, c.x0, 0.3) << c.element;
    EXPECT_NEAR(b.y0, c.y0, 0.3) << c.element;
    EXPECT_NEAR(b.x1, c.x1, 0.3) << c.element;
    EXPECT_NEAR(b.y1, c.y1, 0.3) << c.element;
  }
  SvgDrawing closed = read("<path d=\"M0 0 L5 0 L5 5 Z M10 10 L12 12\"/>");
  ASSERT_EQ(closed.shapes[0].closed.size(), 2u);
  EXPECT_TRUE(closed.shapes[0].closed[0]);
  EXPECT_FALSE(closed.shapes[0].closed[1]);
}

TEST(Svg, PaintTextAndWhatIsLeftOut) {
  SvgDrawing d = read(
      "<defs><linearGradient id=\"a\"><stop stop-color=\"#5373B4\" offset=\"0\"/></linearGradient>"
      "<linearGradient id=\"b\" xlink:href=\"#a\"/><filter id=\"f\"/></defs>"
      "<g fill=\"blue\" stroke=\"#00ff00\" stroke-width=\"2\">"
      "<rect width=\"5\" height=\"5\"/>"
      "<rect width=\"5\" height=\"5\" fill=\"url(#b)\"/>"
      "<rect width=\"5\" height=\"5\" style=\"fill: none; stroke-width: 3\"/>"
      "<rect width=\"5\" height=\"5\" fill=\"black\" fill-opacity=\"0.5\" stroke=\"none\"/>"
      "<rect width=\"5\" height=\"5\" filter=\"url(#f)\"/>"
      "<rect width=\"0\" height=\"5\"/>"
      "<text x=\"10\" y=\"20\" font-size=\"12\" font-family=\"Arial\" text-anchor=\"middle\">A &amp; <tspan>B</tspan></text>"
      "</g>");
  ASSERT_EQ(d.shapes.size(), 4u);  // the filtered and the empty rectangle are left out
  EXPECT_EQ(d.shapes[0].fillColor, layout::Color::rgb(0, 0, 255));
  EXPECT_TRUE(d.shapes[0].stroke);
  EXPECT_EQ(d.shapes[0].strokeColor, layout::Color::rgb(0, 255, 0));
  EXPECT_EQ(d.shapes[0].strokeWidth, 2);
  EXPECT_EQ(d.shapes[1].fillColor, layout::Color::rgb(0x53, 0x73, 0xB4));  // the gradient's first stop
  EXPECT_FALSE(d.shapes[2].fill);
  EXPECT_EQ(d.shapes[2].strokeWidth, 3);
  EXPECT_EQ(d.shapes[3].fillColor, layout::Color::rgb(128, 128, 128));  // half black over white
  EXPECT_FALSE(d.shapes[3].stroke);
  ASSERT_EQ(d.texts.size(), 1u);
  EXPECT_EQ(d.texts[0].text, "A & B");
  EXPECT_EQ(d.texts[0].size, 12);
  EXPECT_EQ(d.texts[0].anchor, 1);
  EXPECT_EQ(d.texts[0].family, "Arial");
  EXPECT_EQ(d.texts[0].color, layout::Color::rgb(0, 0, 255));
  EXPECT_EQ(d.order.size(), 5u);
  EXPECT_EQ(d.order.back(), -1);  // the text is painted last
}

TEST(Svg, BadInputIsRefusedOrBounded) {
  SvgDrawing d;
  EXPECT_FALSE(layout::parseSvg("", &d));
  EXPECT_FALSE(layout::parseSvg("<html><body>not a drawing</body></html>", &d));
  EXPECT_FALSE(layout::parseSvg("<svg width=\"0\" height=\"10\"></svg>", &d));
  EXPECT_TRUE(layout::parseSvg("<svg><path d=\"M 1 1 L x y Q\"/><rect width=\"1e30\" height=\"1\"/><g><g>", &d));
  std::string deep = "<svg>";
  for (int i = 0; i < 5000; ++i) deep += "<g>";
  deep += "<path d=\"M0 0 L1 1";
  for (int i = 0; i < 200000; ++i) deep += " L1 1";
  deep += "\"/>";
  EXPECT_TRUE(layout::parseSvg(deep, &d));
  EXPECT_TRUE(layout::looksLikeSvg("<?xml version=\"1.0\"?>\n<svg>"));
  EXPECT_FALSE(layout::looksLikeSvg("GIF89a"));
}

}  // namespace
