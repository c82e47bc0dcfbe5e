// Fuzz target: an SVG file as a page links it. What the reader hands the
// host must be drawable as it is: a viewport of at most 10,000 px a side,
// finite coordinates, sizes and widths, one closed flag per subpath, a
// paint order naming each shape and text once, and no more points than the
// reader's cap.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>
#include <vector>

#include "layout/svg.h"

using namespace tw::layout;

namespace {

// A broken rule names its line before the target stops.
void Fail(int line) {
  std::fprintf(stderr, "svg_fuzz: check on line %d failed\n", line);
  std::abort();
}

bool Finite(float v) { return std::isfinite(v); }

}  // namespace

#define Check(ok) ((ok) ? (void)0 : Fail(__LINE__))

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view text(reinterpret_cast<const char*>(data), size);
  (void)looksLikeSvg(text);
  SvgDrawing d;
  if (!parseSvg(text, &d)) return 0;
  Check(d.width > 0 && d.width <= 10000 && d.height > 0 && d.height <= 10000);
  size_t points = 0;
  for (const SvgShape& s : d.shapes) {
    Check(s.closed.size() == s.subpaths.size());
    Check(Finite(s.strokeWidth) && s.strokeWidth >= 0);
    for (const auto& sub : s.subpaths)
      for (const SvgPoint& p : sub) {
        Check(Finite(p.x) && Finite(p.y));
        ++points;
      }
  }
  Check(points <= 400000);
  for (const SvgText& t : d.texts) {
    Check(Finite(t.at.x) && Finite(t.at.y) && Finite(t.size) && t.size >= 0);
    Check(t.anchor >= 0 && t.anchor <= 2);
  }
  std::vector<char> seen(d.shapes.size() + d.texts.size(), 0);
  for (int index : d.order) {
    size_t slot = index >= 0 ? size_t(index) : d.shapes.size() + size_t(-1 - index);
    Check(index >= 0 ? size_t(index) < d.shapes.size() : size_t(-1 - index) < d.texts.size());
    Check(!seen[slot]++);
  }
  return 0;
}
