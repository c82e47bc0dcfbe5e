// Fuzz target: style sheets and style attributes as pages bring them. The
// bytes are one sheet (with its @import urls reported), one declaration
// block, and the selector list of every ruleset; what comes out must be
// consistent: every rule names a block it has, every selector one more part
// than combinators, every property a longhand that has a name.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "layout/css.h"

using namespace tw::layout;

namespace {

void CheckDeclarations(const std::vector<Declaration>& block) {
  for (const Declaration& d : block) {
    if (d.prop >= Prop::Count) std::abort();
    Prop again;
    if (!propFromName(propName(d.prop), &again) || again != d.prop) std::abort();
  }
}

void CheckSelector(const Selector& s) {
  if (s.parts.empty() || s.parts.size() != s.combinators.size() + 1) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);

  StyleSheet sheet;
  size_t imported = 0;
  parseStyleSheet(text, &sheet, [&](const std::string&) { ++imported; });
  if (imported != sheet.imports.size()) std::abort();
  for (const StyleRule& r : sheet.rules) {
    if (r.block >= sheet.blocks.size()) std::abort();
    CheckSelector(r.selector);
  }
  for (const auto& block : sheet.blocks) CheckDeclarations(block);

  CheckDeclarations(parseDeclarations(text));

  // The whole text as a selector list, and the part before each '{'.
  std::vector<CssToken> tokens = tokenizeCss(text, 20000);
  if (tokens.size() > 20000) std::abort();
  std::vector<Selector> selectors;
  if (parseSelectorList(tokens, 0, tokens.size(), &selectors))
    for (const Selector& s : selectors) CheckSelector(s);
  size_t begin = 0;
  for (size_t i = 0; i < tokens.size(); ++i) {
    if (tokens[i].type == TokType::LBrace || tokens[i].type == TokType::RBrace ||
        tokens[i].type == TokType::Semicolon) {
      selectors.clear();
      if (tokens[i].type == TokType::LBrace && parseSelectorList(tokens, begin, i, &selectors))
        for (const Selector& s : selectors) CheckSelector(s);
      begin = i + 1;
    }
  }
  return 0;
}
