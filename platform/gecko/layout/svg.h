// svg.h - the subset of SVG that help pages use for logos and diagrams,
// turned into flat drawing instructions a host can rasterise.
//
//   SvgDrawing   the picture: its size in CSS px and its shapes and texts in
//                that space (viewBox, nested transforms and inherited
//                presentation attributes already applied)
//   parseSvg     SVG text -> drawing; false when it is not an SVG document
//
// Understood: svg (width, height, viewBox), g, path (all commands; arcs as
// line segments), rect, circle, ellipse, line, polyline, polygon, text and
// tspan; fill, stroke, stroke-width, opacity/fill-opacity/stroke-opacity
// (as attributes or in style=), transform (matrix, translate, scale,
// rotate, skewX, skewY), font-size, font-family, font-weight, text-anchor.
// A gradient paints in its first stop's colour; filters, masks, clipping,
// patterns, markers, <use> and style sheets are ignored. Work is bounded:
// the input size, the element count and the path length are capped.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "layout/display_list.h"

namespace tw {
namespace layout {

struct SvgPoint {
  float x = 0, y = 0;
};

struct SvgShape {
  // Subpaths of polygon points (curves already flattened); closed ones end
  // where they began.
  std::vector<std::vector<SvgPoint>> subpaths;
  std::vector<bool> closed;
  bool fill = true, stroke = false;
  Color fillColor = Color::rgb(0, 0, 0), strokeColor = Color::rgb(0, 0, 0);
  float strokeWidth = 1;  // px, after the transform's scale
};

struct SvgText {
  std::string text;  // UTF-8, white space collapsed
  SvgPoint at;       // baseline start, px
  float size = 16;   // px
  std::string family = "serif";
  int weight = 400;
  int anchor = 0;    // 0 start, 1 middle, 2 end
  Color color = Color::rgb(0, 0, 0);
};

struct SvgDrawing {
  float width = 300, height = 150;  // CSS px
  std::vector<SvgShape> shapes;
  std::vector<SvgText> texts;
  std::vector<int> order;  // paint order: >= 0 shape index, < 0 text index -1-i
};

bool parseSvg(std::string_view text, SvgDrawing* out);

// True when bytes look like an SVG document (an <svg> element near the start).
bool looksLikeSvg(std::string_view bytes);

}  // namespace layout
}  // namespace tw
