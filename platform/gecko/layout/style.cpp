// style.cpp - colours, urls, and the cascade: collecting a document's sheets
// and computing each element's style from the rules that match it.
#include "layout/style_internal.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <mutex>

#include "layout/host.h"
#include "nsURLParser.h"

namespace tw {
namespace layout {

namespace {

struct NamedColor {
  const char* name;
  uint32_t rgb;
};
const NamedColor kColors[] = {
    {"aliceblue", 0xF0F8FF}, {"antiquewhite", 0xFAEBD7}, {"aqua", 0x00FFFF}, {"aquamarine", 0x7FFFD4},
    {"azure", 0xF0FFFF}, {"beige", 0xF5F5DC}, {"bisque", 0xFFE4C4}, {"black", 0x000000},
    {"blanchedalmond", 0xFFEBCD}, {"blue", 0x0000FF}, {"blueviolet", 0x8A2BE2}, {"brown", 0xA52A2A},
    {"burlywood", 0xDEB887}, {"cadetblue", 0x5F9EA0}, {"chartreuse", 0x7FFF00}, {"chocolate", 0xD2691E},
    {"coral", 0xFF7F50}, {"cornflowerblue", 0x6495ED}, {"cornsilk", 0xFFF8DC}, {"crimson", 0xDC143C},
    {"cyan", 0x00FFFF}, {"darkblue", 0x00008B}, {"darkcyan", 0x008B8B}, {"darkgoldenrod", 0xB8860B},
    {"darkgray", 0xA9A9A9}, {"darkgreen", 0x006400}, {"darkgrey", 0xA9A9A9}, {"darkkhaki", 0xBDB76B},
    {"darkmagenta", 0x8B008B}, {"darkolivegreen", 0x556B2F}, {"darkorange", 0xFF8C00}, {"darkorchid", 0x9932CC},
    {"darkred", 0x8B0000}, {"darksalmon", 0xE9967A}, {"darkseagreen", 0x8FBC8F}, {"darkslateblue", 0x483D8B},
    {"darkslategray", 0x2F4F4F}, {"darkturquoise", 0x00CED1}, {"darkviolet", 0x9400D3}, {"deeppink", 0xFF1493},
    {"deepskyblue", 0x00BFFF}, {"dimgray", 0x696969}, {"dodgerblue", 0x1E90FF}, {"firebrick", 0xB22222},
    {"floralwhite", 0xFFFAF0}, {"forestgreen", 0x228B22}, {"fuchsia", 0xFF00FF}, {"gainsboro", 0xDCDCDC},
    {"ghostwhite", 0xF8F8FF}, {"gold", 0xFFD700}, {"goldenrod", 0xDAA520}, {"gray", 0x808080},
    {"green", 0x008000}, {"greenyellow", 0xADFF2F}, {"grey", 0x808080}, {"honeydew", 0xF0FFF0},
    {"hotpink", 0xFF69B4}, {"indianred", 0xCD5C5C}, {"indigo", 0x4B0082}, {"ivory", 0xFFFFF0},
    {"khaki", 0xF0E68C}, {"lavender", 0xE6E6FA}, {"lavenderblush", 0xFFF0F5}, {"lawngreen", 0x7CFC00},
    {"lemonchiffon", 0xFFFACD}, {"lightblue", 0xADD8E6}, {"lightcoral", 0xF08080}, {"lightcyan", 0xE0FFFF},
    {"lightgoldenrodyellow", 0xFAFAD2}, {"lightgray", 0xD3D3D3}, {"lightgreen", 0x90EE90},
    {"lightgrey", 0xD3D3D3}, {"lightpink", 0xFFB6C1}, {"lightsalmon", 0xFFA07A}, {"lightseagreen", 0x20B2AA},
    {"lightskyblue", 0x87CEFA}, {"lightslategray", 0x778899}, {"lightsteelblue", 0xB0C4DE},
    {"lightyellow", 0xFFFFE0}, {"lime", 0x00FF00}, {"limegreen", 0x32CD32}, {"linen", 0xFAF0E6},
    {"magenta", 0xFF00FF}, {"maroon", 0x800000}, {"mediumaquamarine", 0x66CDAA}, {"mediumblue", 0x0000CD},
    {"mediumorchid", 0xBA55D3}, {"mediumpurple", 0x9370DB}, {"mediumseagreen", 0x3CB371},
    {"mediumslateblue", 0x7B68EE}, {"mediumspringgreen", 0x00FA9A}, {"mediumturquoise", 0x48D1CC},
    {"mediumvioletred", 0xC71585}, {"midnightblue", 0x191970}, {"mintcream", 0xF5FFFA},
    {"mistyrose", 0xFFE4E1}, {"moccasin", 0xFFE4B5}, {"navajowhite", 0xFFDEAD}, {"navy", 0x000080},
    {"oldlace", 0xFDF5E6}, {"olive", 0x808000}, {"olivedrab", 0x6B8E23}, {"orange", 0xFFA500},
    {"orangered", 0xFF4500}, {"orchid", 0xDA70D6}, {"palegoldenrod", 0xEEE8AA}, {"palegreen", 0x98FB98},
    {"paleturquoise", 0xAFEEEE}, {"palevioletred", 0xDB7093}, {"papayawhip", 0xFFEFD5},
    {"peachpuff", 0xFFDAB9}, {"peru", 0xCD853F}, {"pink", 0xFFC0CB}, {"plum", 0xDDA0DD},
    {"powderblue", 0xB0E0E6}, {"purple", 0x800080}, {"red", 0xFF0000}, {"rosybrown", 0xBC8F8F},
    {"royalblue", 0x4169E1}, {"saddlebrown", 0x8B4513}, {"salmon", 0xFA8072}, {"sandybrown", 0xF4A460},
    {"seagreen", 0x2E8B57}, {"seashell", 0xFFF5EE}, {"sienna", 0xA0522D}, {"silver", 0xC0C0C0},
    {"skyblue", 0x87CEEB}, {"slateblue", 0x6A5ACD}, {"slategray", 0x708090}, {"snow", 0xFFFAFA},
    {"springgreen", 0x00FF7F}, {"steelblue", 0x4682B4}, {"tan", 0xD2B48C}, {"teal", 0x008080},
    {"thistle", 0xD8BFD8}, {"tomato", 0xFF6347}, {"turquoise", 0x40E0D0}, {"violet", 0xEE82EE},
    {"wheat", 0xF5DEB3}, {"white", 0xFFFFFF}, {"whitesmoke", 0xF5F5F5}, {"yellow", 0xFFFF00},
    {"yellowgreen", 0x9ACD32},
    // system colours as a default Windows scheme paints them
    {"buttonface", 0xC0C0C0}, {"buttontext", 0x000000}, {"window", 0xFFFFFF}, {"windowtext", 0x000000},
    {"highlight", 0x000080}, {"highlighttext", 0xFFFFFF}, {"graytext", 0x808080}, {"infobackground", 0xFFFFE1},
    {"threedface", 0xC0C0C0}, {"buttonshadow", 0x808080}, {"buttonhighlight", 0xFFFFFF},
};

}  // namespace

std::string lower(std::string_view s) {
  std::string r(s);
  for (char& c : r)
    if (c >= 'A' && c <= 'Z') c = char(c + 32);
  return r;
}

std::string trim(std::string_view s) {
  size_t b = 0, e = s.size();
  while (b < e && (unsigned char)s[b] <= ' ') ++b;
  while (e > b && (unsigned char)s[e - 1] <= ' ') --e;
  return std::string(s.substr(b, e - b));
}

float clampLen(double v) {
  if (!(v == v)) return 0;
  if (v > kMaxLength) return kMaxLength;
  if (v < -kMaxLength) return -kMaxLength;
  return float(v);
}

namespace {

int hexVal(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

bool parseHexColor(const std::string& h, Color* out) {
  for (char c : h)
    if (hexVal(c) < 0) return false;
  if (h.size() == 3) {
    *out = Color::rgb(uint8_t(hexVal(h[0]) * 17), uint8_t(hexVal(h[1]) * 17), uint8_t(hexVal(h[2]) * 17));
    return true;
  }
  if (h.size() == 6) {
    *out = Color::rgb(uint8_t(hexVal(h[0]) * 16 + hexVal(h[1])), uint8_t(hexVal(h[2]) * 16 + hexVal(h[3])),
                      uint8_t(hexVal(h[4]) * 16 + hexVal(h[5])));
    return true;
  }
  return false;
}

bool namedColor(const std::string& n, Color* out) {
  for (const auto& c : kColors)
    if (n == c.name) {
      *out = Color::rgb(uint8_t(c.rgb >> 16), uint8_t(c.rgb >> 8), uint8_t(c.rgb));
      return true;
    }
  return false;
}

}  // namespace

bool parseColorTokens(const std::vector<CssToken>& v, Color* out) {
  if (v.empty()) return false;
  const CssToken& t = v[0];
  if (t.type == TokType::Hash) return parseHexColor(t.text, out);
  if (t.type == TokType::Ident) {
    if (t.text == "transparent") {
      *out = Color::transparent();
      return true;
    }
    return namedColor(t.text, out);
  }
  if (t.type == TokType::Function && (t.text == "rgb" || t.text == "rgba")) {
    double c[4] = {0, 0, 0, 1};
    int n = 0;
    for (size_t i = 1; i < v.size() && n < 4; ++i) {
      const CssToken& a = v[i];
      if (a.type == TokType::Number) {
        c[n] = a.num;
        ++n;
      } else if (a.type == TokType::Percentage) {
        c[n] = n < 3 ? a.num * 255.0 / 100.0 : a.num / 100;
        ++n;
      }
      else if (a.type == TokType::RParen) break;
    }
    if (n < 3) return false;
    // Partly transparent colours are drawn opaque, as they would show over
    // white paper.
    const double a = std::max(0.0, std::min(1.0, c[3]));
    auto ch = [a](double x) {
      x = std::max(0.0, std::min(255.0, x)) * a + 255 * (1 - a);
      return uint8_t(std::max(0.0, std::min(255.0, std::round(x))));
    };
    *out = Color{ch(c[0]), ch(c[1]), ch(c[2]), uint8_t(a <= 0 ? 0 : 255)};
    return true;
  }
  return false;
}

bool parseColor(const std::string& text, Color* out) {
  std::string s = trim(text);
  if (s.empty()) return false;
  if (s[0] == '#') return parseHexColor(s.substr(1), out) || parseHexColor(s.substr(1, 6), out);
  std::string l = lower(s);
  if (namedColor(l, out)) return true;
  if (parseHexColor(s, out)) return true;  // bgcolor="ffffff"
  std::vector<CssToken> toks = tokenizeCss(s, 64);
  std::vector<CssToken> v;
  for (auto& t : toks)
    if (t.type != TokType::Whitespace) v.push_back(t);
  return parseColorTokens(v, out);
}

std::string resolveUrl(const std::string& base, const std::string& ref) {
  return NS_ResolveLink(base, ref);
}

// ---------------------------------------------------------------------------

StyleEngine::StyleEngine(LayoutHost* host, std::string docUrl, MediaContext media)
    : host_(host), docUrl_(std::move(docUrl)), baseUrl_(docUrl_), media_(media) {
  indexSheet(userAgentSheet(), 0);
  root_ = std::make_shared<ComputedStyle>();
}

StyleEngine::~StyleEngine() = default;

// The rules of one sheet that apply under one medium, indexed by what their
// subject compound names first: its id, else its first class, else its tag.
struct RuleIndex {
  struct Buckets {
    std::unordered_map<std::string, std::vector<uint32_t>> byId, byClass, byTag;
    std::vector<uint32_t> universal;
  };
  std::vector<const StyleRule*> rules;  // in source order
  Buckets plain, pseudo;                // pseudo: ::before / ::after rules
  // Per rule: its subject looks at its siblings or its children
  // (:first-child, :empty, a + b, a ~ b), so elements alike in all else may
  // differ in whether it matches.
  std::vector<uint8_t> looksAtNeighbours;
};

// A sheet's indexes by the @media blocks that apply (few: one per medium the
// sheet is laid out for). Shared by the engines of every document that links
// the sheet, on whatever thread they run.
struct RuleIndexCache {
  std::vector<std::pair<std::vector<int8_t>, std::shared_ptr<const RuleIndex>>> byMedia;
};

namespace {

std::mutex g_indexLock;

bool looksAtNeighbours(const Compound& c) {
  if (!c.structural.empty() || c.empty) return true;
  for (const Compound& n : c.nots)
    if (looksAtNeighbours(n)) return true;
  return false;
}

std::shared_ptr<const RuleIndex> makeRuleIndex(const StyleSheet& sheet, const std::vector<int8_t>& applies) {
  auto index = std::make_shared<RuleIndex>();
  index->rules.reserve(sheet.rules.size());
  index->looksAtNeighbours.reserve(sheet.rules.size());
  for (const StyleRule& r : sheet.rules) {
    if (r.media >= 0 && size_t(r.media) < applies.size() && !applies[size_t(r.media)]) continue;
    uint32_t idx = uint32_t(index->rules.size());
    index->rules.push_back(&r);
    const Compound& subj = r.selector.parts[0];
    const Combinator first = r.selector.combinators.empty() ? Combinator::Descendant : r.selector.combinators[0];
    index->looksAtNeighbours.push_back(
        looksAtNeighbours(subj) || first == Combinator::Adjacent || first == Combinator::Sibling);
    RuleIndex::Buckets& b = subj.pseudo != PseudoElement::None ? index->pseudo : index->plain;
    if (!subj.id.empty()) b.byId[lower(subj.id)].push_back(idx);
    else if (!subj.classes.empty()) b.byClass[lower(subj.classes[0])].push_back(idx);
    else if (!subj.tag.empty()) b.byTag[subj.tag].push_back(idx);
    else b.universal.push_back(idx);
  }
  return index;
}

}  // namespace

namespace {

bool sameTagAndAttributes(const html::Element& a, const html::Element& b) {
  if (a.tag() != b.tag() || a.tagName() != b.tagName()) return false;
  const std::vector<html::Attribute>& x = a.attributes();
  const std::vector<html::Attribute>& y = b.attributes();
  if (x.size() != y.size()) return false;
  for (size_t i = 0; i < x.size(); ++i)
    if (x[i].name() != y[i].name() || x[i].value() != y[i].value()) return false;
  return true;
}

}  // namespace

void StyleEngine::indexSheet(const StyleSheet& sheet, uint8_t origin) {
  // Whether each @media block applies: it and all its parents match.
  std::vector<int8_t> applies(sheet.media.size(), 0);
  for (size_t m = 0; m < applies.size(); ++m) {
    int32_t parent = sheet.media[m].parent;
    // parents precede their children; a forward or bad link counts as none
    bool ok = parent < 0 || size_t(parent) >= m || applies[size_t(parent)] > 0;
    const std::vector<CssToken>& q = sheet.media[m].query;
    applies[m] = ok && mediaListMatches(q, 0, q.size(), media_) ? 1 : 0;
  }
  std::shared_ptr<const RuleIndex> index;
  {
    std::lock_guard<std::mutex> lock(g_indexLock);
    if (!sheet.indexCache) sheet.indexCache = std::make_shared<RuleIndexCache>();
    for (const auto& entry : sheet.indexCache->byMedia)
      if (entry.first == applies) index = entry.second;
  }
  if (!index) {
    index = makeRuleIndex(sheet, applies);
    std::lock_guard<std::mutex> lock(g_indexLock);
    auto& byMedia = sheet.indexCache->byMedia;
    if (byMedia.size() >= 8) byMedia.erase(byMedia.begin());
    byMedia.emplace_back(applies, index);
  }
  const RuleIndex::Buckets& p = index->pseudo;
  if (!p.byId.empty() || !p.byClass.empty() || !p.byTag.empty() || !p.universal.empty()) anyPseudo_ = true;
  indexed_.push_back(IndexedSheet{&sheet, index, ruleCount_, origin});
  ruleCount_ += uint32_t(index->rules.size());
}

void StyleEngine::parseAuthor(const std::string& css, const std::string& base, int depth) {
  if (css.size() > bytesBudget_) return;
  auto sheet = std::make_shared<StyleSheet>();
  parseStyleSheet(css, sheet.get());
  addAuthor(std::move(sheet), base, depth);
}

void StyleEngine::addAuthor(std::shared_ptr<const StyleSheet> sheet, const std::string& base, int depth) {
  if (!sheet || sheet->sourceBytes > bytesBudget_) return;
  bytesBudget_ -= sheet->sourceBytes;
  for (const std::string& url : sheet->imports) {
    if (depth >= 4 || importBudget_ == 0) break;
    --importBudget_;
    loadLinked(resolveUrl(base, url), depth + 1);
  }
  indexSheet(*sheet, 1);
  sheets_.push_back(std::move(sheet));
}

void StyleEngine::loadLinked(const std::string& url, int depth) {
  if (!host_) return;
  if (std::shared_ptr<const StyleSheet> sheet = host_->loadStyleSheet(url)) {
    addAuthor(std::move(sheet), url, depth);
    return;
  }
  std::string text;
  if (!host_->loadText(url, &text)) return;
  parseAuthor(text, url, depth);
}

void StyleEngine::addAuthorSheet(const std::string& css, const std::string& base) { parseAuthor(css, base, 0); }

int StyleEngine::matchBudget() const { return matchSteps_ >= 4096 ? 4096 : 16; }

void StyleEngine::spendMatchSteps(int given, int left) const {
  if (matchSteps_ >= 4096) matchSteps_ -= given - std::max(left, 0);
}

void StyleEngine::computeStyles(const html::Document& doc, int maxDepth) {
  matchSteps_ = kDocumentMatchSteps;
  const html::Element* root = doc.documentElement();
  if (isQuirksMode(doc)) indexSheet(quirksSheet(), 0);
  // <base href>, then the sheets in document order.
  if (root) {
    for (const html::Node* n = root; n; n = n->nextInTree(root)) {
      const html::Element* e = n->asElement();
      if (!e) continue;
      if (e->is(html::Tag::Base) && e->hasAttribute("href")) {
        baseUrl_ = resolveUrl(docUrl_, std::string(e->getAttribute("href")));
        break;
      }
    }
    for (const html::Node* n = root; n; n = n->nextInTree(root)) {
      const html::Element* e = n->asElement();
      if (!e) continue;
      if (e->is(html::Tag::Style)) {
        if (mediaListMatches(std::string(e->getAttribute("media")), media_)) parseAuthor(e->textContent(), baseUrl_, 0);
      } else if (e->is(html::Tag::Link)) {
        if (hasWord(e->getAttribute("rel"), "stylesheet") && !hasWord(e->getAttribute("rel"), "alternate") &&
            e->hasAttribute("href") && importBudget_ > 0 &&
            mediaListMatches(std::string(e->getAttribute("media")), media_)) {
          --importBudget_;
          loadLinked(resolveUrl(baseUrl_, std::string(e->getAttribute("href"))), 0);
        }
      }
    }
  }
  styles_.clear();
  before_.clear();
  after_.clear();
  shared_.clear();
  styledDoc_ = &doc;
  if (!root) return;
  styles_.resize(doc.nodeCount());
  // Iterative pre-order walk with a stack of (element, depth).
  struct Item {
    const html::Element* e;
    StylePtr parent;
    int depth;
    const html::Element* prev;  // the element sibling before it
  };
  std::vector<Item> stack;
  stack.push_back({root, root_, 0, nullptr});
  std::vector<const html::Element*> kids;
  // Per depth, the element last styled there and whether an element just
  // like it (same parent, tag and attributes) may take its style: no rule
  // that could match it looks at siblings or children.
  struct Last {
    const html::Element* e = nullptr;
    bool twinsShare = false;
  };
  std::vector<Last> lastAt;
  while (!stack.empty()) {
    Item it = std::move(stack.back());
    stack.pop_back();
    StylePtr st;
    const html::Element* twin = nullptr;
    if (it.depth > maxDepth + 1) {
      st = it.parent;  // already the flattened inline style of this depth
    } else if (it.depth > maxDepth) {
      auto s = std::make_shared<ComputedStyle>(inheritFrom(*it.parent));
      s->display = Display::Inline;
      st = s;
    } else if (it.prev && size_t(it.depth) < lastAt.size() && lastAt[size_t(it.depth)].e == it.prev &&
               lastAt[size_t(it.depth)].twinsShare && sameTagAndAttributes(*it.prev, *it.e)) {
      // The same rules match it as its sibling (none looks at siblings or
      // children) and its attributes give the same hints: the same style,
      // without matching again.
      twin = it.prev;
      st = stylePtr(twin);
    } else {
      st = computeStyle(it.e, *it.parent, true);
    }
    styles_[it.e->index()] = st;
    if (it.depth <= maxDepth && !twin && st->display != Display::None && anyPseudo_) computePseudos(it.e, *st);
    if (it.depth <= maxDepth) {
      if (lastAt.size() <= size_t(it.depth)) lastAt.resize(size_t(it.depth) + 1);
      // (a twin's flag is its sibling's: the same candidates)
      if (!twin) lastAt[size_t(it.depth)].twinsShare = !candidatesLookAtNeighbours_;
      lastAt[size_t(it.depth)].e = it.e;
    }
    if (st->display == Display::None) continue;  // descendants are never rendered
    if (twin && anyPseudo_)
      for (auto* map : {&before_, &after_}) {
        auto found = map->find(twin);
        if (found != map->end()) (*map)[it.e] = found->second;
      }
    kids.clear();
    for (const html::Node* c = it.e->firstChild(); c; c = c->nextSibling())
      if (c->isElement()) kids.push_back(c->asElement());
    for (size_t i = kids.size(); i-- > 0;) stack.push_back({kids[i], st, it.depth + 1, i ? kids[i - 1] : nullptr});
  }
  if (const StylePtr* rootStyle = storedStyle(root)) root_ = *rootStyle;
}

StylePtr StyleEngine::computeFor(const html::Element* e, const ComputedStyle& parent) const {
  return computeStyle(e, parent, false);
}

StylePtr StyleEngine::computeStyle(const html::Element* e, const ComputedStyle& parent, bool share) const {
  collectCandidates(e, false);
  std::vector<Match>& matches = scratchMatches_;
  matches.clear();
  // Cascade levels: 0 UA normal, 1 presentational hints, 2 author normal,
  // 3 style attribute, 4 author !important, 5 style attribute !important,
  // 6 UA !important.
  auto push = [&](const Declaration& d, int level, uint32_t spec, uint32_t order) {
    matches.push_back(Match{&d, (uint64_t(level) << 56) | (uint64_t(spec & 0xFFFFFF) << 32) | order});
  };
  for (const Candidate& cand : scratchCandidates_) {
    const StyleRule& r = *cand.sheet->index->rules[cand.rule];
    const int given = matchBudget();  // bounds backtracking over long descendant chains
    int budget = given;
    const bool matched = matchSelector(r.selector, 0, e, budget);
    spendMatchSteps(given, budget);
    if (!matched) continue;
    for (const Declaration& d : cand.sheet->sheet->blocks[r.block]) {
      int level = cand.sheet->origin == 0 ? (d.important ? 6 : 0) : (d.important ? 4 : 2);
      push(d, level, r.selector.specificity, cand.sheet->firstOrder + cand.rule);
    }
  }
  const html::Element* table = nullptr;
  if (e->is(html::Tag::Td) || e->is(html::Tag::Th)) {
    for (const html::Element* p = e->parentElement(); p && !table; p = p->parentElement())
      if (p->is(html::Tag::Table)) table = p;
  }
  // Attribute hints and style= texts repeat from element to element: each
  // distinct text is parsed once (fewer allocations, too).
  // (bounded: cleared here, never while this element's matches point into it)
  if (declCache_.size() >= 8192) {
    declCache_.clear();
    shared_.clear();  // its keys name declarations of the cache
  }
  std::string hintText = presentationalHints(*e, table);
  if (!hintText.empty())
    for (const Declaration& d : cachedDeclarations(hintText)) push(d, 1, 0, 0);
  if (const html::Attribute* st = e->findAttribute("style"))
    for (const Declaration& d : cachedDeclarations(st->value())) push(d, d.important ? 5 : 3, 0, 0);
  std::stable_sort(matches.begin(), matches.end(), [](const Match& a, const Match& b) { return a.key < b.key; });
  const Declaration* win[size_t(Prop::Count)] = {};
  for (const Match& m : matches) win[size_t(m.d->prop)] = m.d;

  // What the element itself adds after the cascade (see the fix-ups below).
  const bool isRoot = e == e->ownerDocument()->documentElement();
  int blockAlign = -1;  // -1: inherited
  if (e->is(html::Tag::Center)) {
    blockAlign = 1;
  } else if ((e->is(html::Tag::Div) || e->is(html::Tag::P) || e->is(html::Tag::Td) || e->is(html::Tag::Th)) &&
             e->hasAttribute("align")) {
    const char* al = alignValue(e->getAttribute("align"));
    blockAlign = al && !strcmp(al, "center") ? 1 : al && !strcmp(al, "right") ? 2 : 0;
  } else if (e->is(html::Tag::Table)) {
    blockAlign = 0;
  }
  std::string& shareKey = scratchKey_;
  shareKey.clear();
  if (share) {
    const ComputedStyle* parentAddress = &parent;
    shareKey.append(reinterpret_cast<const char*>(&parentAddress), sizeof parentAddress);
    shareKey += char(isRoot);
    shareKey += char(blockAlign);
    for (const Declaration* d : win)
      if (d) shareKey.append(reinterpret_cast<const char*>(&d), sizeof d);
    auto found = shared_.find(shareKey);
    if (found != shared_.end()) return found->second;
  }

  auto s = std::make_shared<ComputedStyle>(inheritFrom(parent));
  Ctx c{&parent, s.get(), e};
  applyWinners(win, c);

  // Fix-ups of computed values (CSS 2.1 9.7 and the border rules).
  for (int i = 0; i < 4; ++i)
    if (s->borderStyle[i] == BorderStyle::None || s->borderStyle[i] == BorderStyle::Hidden) s->borderWidth[i] = 0;
  if (s->floating != FloatKind::None || isRoot) {
    Display& d = s->display;
    if (d == Display::Inline || d == Display::InlineBlock || d == Display::TableRowGroup || d == Display::TableRow ||
        d == Display::TableCell || d == Display::TableCaption || d == Display::TableHeaderGroup ||
        d == Display::TableFooterGroup || d == Display::TableColumn || d == Display::TableColumnGroup)
      d = Display::Block;
    else if (d == Display::InlineTable)
      d = Display::Table;
  }
  s->decorationsInEffect = uint8_t(parent.decorationsInEffect | s->textDecoration);
  // <center> and align= on blocks also align their child blocks.
  if (blockAlign >= 0) s->blockAlign = uint8_t(blockAlign);
  if (share && shared_.size() < 65536) shared_.emplace(shareKey, s);  // a copy of its own length
  return s;
}

void StyleEngine::collectCandidates(const html::Element* e, bool pseudo) const {
  std::vector<Candidate>& cand = scratchCandidates_;
  cand.clear();
  if (!pseudo) candidatesLookAtNeighbours_ = false;  // (the pseudo rules' candidates add to it)
  // The element's keys, in the index's case, once for all the sheets.
  std::string_view id = e->id();
  scratchId_.assign(id.data(), id.size());
  for (char& c : scratchId_)
    if (c >= 'A' && c <= 'Z') c = char(c + 32);
  std::vector<std::string>& classes = scratchClasses_;
  size_t nClasses = 0;
  std::string_view cls = e->getAttribute("class");
  for (size_t i = 0; i < cls.size();) {
    while (i < cls.size() && (unsigned char)cls[i] <= ' ') ++i;
    size_t b = i;
    while (i < cls.size() && (unsigned char)cls[i] > ' ') ++i;
    if (i == b) continue;
    if (nClasses == classes.size()) classes.emplace_back();
    std::string& k = classes[nClasses];
    k.assign(cls.data() + b, i - b);
    for (char& c : k)
      if (c >= 'A' && c <= 'Z') c = char(c + 32);
    if (std::find(classes.begin(), classes.begin() + long(nClasses), k) == classes.begin() + long(nClasses))
      ++nClasses;
  }
  std::string_view tag = e->tagName();
  scratchTag_.assign(tag.data(), tag.size());
  for (const IndexedSheet& sheet : indexed_) {
    const RuleIndex::Buckets& b = pseudo ? sheet.index->pseudo : sheet.index->plain;
    const std::vector<uint8_t>& neighbours = sheet.index->looksAtNeighbours;
    auto addList = [&](const std::vector<uint32_t>& l) {
      for (uint32_t r : l) {
        cand.push_back(Candidate{&sheet, r});
        if (neighbours[r]) candidatesLookAtNeighbours_ = true;
      }
    };
    if (!scratchId_.empty() && !b.byId.empty()) {
      auto it = b.byId.find(scratchId_);
      if (it != b.byId.end()) addList(it->second);
    }
    if (!b.byClass.empty())
      for (size_t i = 0; i < nClasses; ++i) {
        auto it = b.byClass.find(classes[i]);
        if (it != b.byClass.end()) addList(it->second);
      }
    if (!b.byTag.empty()) {
      auto it = b.byTag.find(scratchTag_);
      if (it != b.byTag.end()) addList(it->second);
    }
    addList(b.universal);
  }
}

void StyleEngine::computePseudos(const html::Element* e, const ComputedStyle& style) {
  collectCandidates(e, true);
  if (scratchCandidates_.empty()) return;
  for (PseudoElement which : {PseudoElement::Before, PseudoElement::After}) {
    // Sheet rules only (attributes style the element itself), in cascade order.
    std::vector<Match>& matches = scratchMatches_;
    matches.clear();
    for (const Candidate& cand : scratchCandidates_) {
      const StyleRule& r = *cand.sheet->index->rules[cand.rule];
      if (r.selector.parts[0].pseudo != which) continue;
      const int given = matchBudget();
      int budget = given;
      const bool matched = matchSelector(r.selector, 0, e, budget);
      spendMatchSteps(given, budget);
      if (!matched) continue;
      for (const Declaration& d : cand.sheet->sheet->blocks[r.block]) {
        uint64_t level = cand.sheet->origin == 0 ? (d.important ? 6 : 0) : (d.important ? 4 : 2);
        matches.push_back(Match{&d, (level << 56) | (uint64_t(r.selector.specificity & 0xFFFFFF) << 32) |
                                        (cand.sheet->firstOrder + cand.rule)});
      }
    }
    if (matches.empty()) continue;
    std::stable_sort(matches.begin(), matches.end(), [](const Match& a, const Match& b) { return a.key < b.key; });
    const Declaration* win[size_t(Prop::Count)] = {};
    for (const Match& m : matches) win[size_t(m.d->prop)] = m.d;
    auto s = std::make_shared<ComputedStyle>(inheritFrom(style));
    Ctx c{&style, s.get(), e};
    applyWinners(win, c);
    if (!s->hasContent || s->display == Display::None) continue;
    // generated boxes are inline here; a block one would need a box of its own
    if (s->display != Display::Inline) s->display = Display::Inline;
    s->decorationsInEffect = uint8_t(style.decorationsInEffect | s->textDecoration);
    (which == PseudoElement::Before ? before_ : after_)[e] = std::move(s);
  }
}

const ComputedStyle* StyleEngine::pseudoStyle(const html::Element* e, PseudoElement which) const {
  const auto& map = which == PseudoElement::Before ? before_ : after_;
  auto it = map.find(e);
  return it == map.end() ? nullptr : it->second.get();
}

const std::vector<Declaration>& StyleEngine::cachedDeclarations(const std::string& text) const {
  auto it = declCache_.find(text);
  if (it != declCache_.end()) return it->second;
  return declCache_.emplace(text, parseDeclarations(text)).first->second;
}

const StylePtr* StyleEngine::storedStyle(const html::Element* e) const {
  if (!e || e->ownerDocument() != styledDoc_ || e->index() >= styles_.size()) return nullptr;
  const StylePtr& s = styles_[e->index()];
  return s ? &s : nullptr;
}

const ComputedStyle& StyleEngine::styleOf(const html::Element* e) const {
  const StylePtr* s = storedStyle(e);
  return s ? **s : *root_;
}

StylePtr StyleEngine::stylePtr(const html::Element* e) const {
  const StylePtr* s = storedStyle(e);
  return s ? *s : root_;
}

}  // namespace layout
}  // namespace tw
