// media.h - media queries (@media, @import and media="" lists).
//
//   MediaContext       what the queries are evaluated against: the medium
//                      and the viewport or page box in CSS px
//   mediaListMatches   a comma-separated query list: true when any query
//                      holds (an empty list always holds)
//
// Media types: all, screen, print (others never match); features width,
// height, aspect-ratio, resolution and device-pixel-ratio with min-/max-,
// orientation, and color. A feature the engine does not know makes its
// query false, as in browsers.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "layout/css.h"

namespace tw {
namespace layout {

struct MediaContext {
  // Any: screen and print rules both apply (a view that is also printed).
  enum class Type : unsigned char { Any, Screen, Print };
  Type type = Type::Any;
  // The viewport (screen) or page box (print) in CSS px; 0 when not known,
  // and then every query on a size is false.
  float width = 0, height = 0;
  float dpi = 96;
};

bool mediaListMatches(const std::vector<CssToken>& t, size_t begin, size_t end, const MediaContext& m);
bool mediaListMatches(const std::string& text, const MediaContext& m);

}  // namespace layout
}  // namespace tw
