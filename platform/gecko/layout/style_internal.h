// style_internal.h - the steps of the cascade, shared between its files.
//
//   userAgentSheet, quirksSheet   the sheets every document starts with
//   presentationalHints           HTML attributes -> declarations text
//   matchSelector                 selector against element
//   inheritFrom, applyValue,      computed values
//   inheritValue
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "layout/style.h"

namespace tw {
namespace layout {

// Small text helpers (ASCII case, blanks, clamped lengths).
std::string lower(std::string_view s);
std::string trim(std::string_view s);
float clampLen(double v);
// True when the blank-separated list holds the word (ASCII case-insensitive).
bool hasWord(std::string_view list, const std::string& word);

const StyleSheet& userAgentSheet();
const StyleSheet& quirksSheet();

// Attribute -> declarations text, in the manner browsers map HTML 4's
// presentational attributes onto CSS. `table` is the table of a cell.
std::string presentationalHints(const html::Element& e, const html::Element* table);
// An HTML align= value as a CSS keyword; nullptr when it is none.
const char* alignValue(std::string_view v);

// Whether the selector, from its compound `part` leftwards, matches e;
// `budget` bounds the backtracking.
bool matchSelector(const Selector& s, size_t part, const html::Element* e, int& budget);

// The element being computed and its parent's computed style.
struct Ctx {
  const ComputedStyle* parent;
  ComputedStyle* s;
  const html::Element* element;  // for attr() in `content`
};
// Starts an element's style: inherited properties from the parent, the
// rest at their initial values.
ComputedStyle inheritFrom(const ComputedStyle& p);
// Applies one declaration's value (already known to be the winner).
void applyValue(Prop p, const std::vector<CssToken>& v, Ctx& c);
// `inherit`: copy the parent's value of that property.
void inheritValue(Prop p, Ctx& c);
// Applies the winning declaration of each property (null: none) in the
// order computed values need (font-size first, colour before borders).
void applyWinners(const Declaration* const winners[], Ctx& c);

}  // namespace layout
}  // namespace tw
