// selector_match.cpp - matching selectors against elements.
#include "layout/style_internal.h"

#include <climits>

namespace tw {
namespace layout {

bool hasWord(std::string_view list, const std::string& word) {
  size_t i = 0;
  while (i < list.size()) {
    while (i < list.size() && (unsigned char)list[i] <= ' ') ++i;
    size_t b = i;
    while (i < list.size() && (unsigned char)list[i] > ' ') ++i;
    if (i > b && html::equalsIgnoreCase(list.substr(b, i - b), word)) return true;
  }
  return false;
}

namespace {

const html::Element* prevElement(const html::Element* e) {
  for (const html::Node* n = e->previousSibling(); n; n = n->previousSibling())
    if (n->isElement()) return n->asElement();
  return nullptr;
}

const html::Element* nextElement(const html::Element* e) {
  for (const html::Node* n = e->nextSibling(); n; n = n->nextSibling())
    if (n->isElement()) return n->asElement();
  return nullptr;
}

// The element's position (1-based) among its element siblings (of its own
// type), from the first or from the last, against a*n + b.
bool matchStructural(const Structural& st, const html::Element* e) {
  if (!e->parentElement()) return false;
  // With a <= 0 no position past b matches (:first-child, :last-child):
  // the count stops there instead of walking a long list of siblings.
  const long stop = st.a <= 0 ? long(st.b) + 1 : LONG_MAX;
  long index = 1;
  for (const html::Element* s = st.fromLast ? nextElement(e) : prevElement(e); s && index < stop;
       s = st.fromLast ? nextElement(s) : prevElement(s))
    if (!st.ofType || s->tagName() == e->tagName()) ++index;
  if (st.a == 0) return index == st.b;
  long d = index - st.b;
  return d % st.a == 0 && d / st.a >= 0;
}

bool matchCompound(const Compound& c, const html::Element* e) {
  if (c.never) return false;
  if (!c.tag.empty() && c.tag != e->tagName()) return false;
  if (!c.id.empty() && !html::equalsIgnoreCase(e->id(), c.id)) return false;
  if (!c.classes.empty()) {
    std::string_view cls = e->getAttribute("class");
    for (const auto& k : c.classes)
      if (!hasWord(cls, k)) return false;
  }
  for (const auto& a : c.attrs) {
    const html::Attribute* at = e->findAttribute(a.name);
    if (!at) return false;
    const std::string& v = at->value();
    switch (a.op) {
      case AttrSelector::Exists: break;
      case AttrSelector::Equals: if (!html::equalsIgnoreCase(v, a.value)) return false; break;
      case AttrSelector::Includes: if (!hasWord(v, a.value)) return false; break;
      case AttrSelector::DashMatch:
        if (!(html::equalsIgnoreCase(v, a.value) ||
              (v.size() > a.value.size() && v[a.value.size()] == '-' &&
               html::equalsIgnoreCase(std::string_view(v).substr(0, a.value.size()), a.value))))
          return false;
        break;
      case AttrSelector::Prefix: if (a.value.empty() || v.compare(0, a.value.size(), a.value) != 0) return false; break;
      case AttrSelector::Suffix:
        if (a.value.empty() || v.size() < a.value.size() || v.compare(v.size() - a.value.size(), a.value.size(), a.value) != 0)
          return false;
        break;
      case AttrSelector::Substring: if (a.value.empty() || v.find(a.value) == std::string::npos) return false; break;
    }
  }
  if (c.link && !(e->is(html::Tag::A) && e->hasAttribute("href"))) return false;
  if (c.visited) return false;  // no history: every link is unvisited
  if (c.root && e != e->ownerDocument()->documentElement()) return false;
  if (c.empty)
    for (const html::Node* n = e->firstChild(); n; n = n->nextSibling())
      if (n->isElement() || (n->asText() && !n->asText()->data().empty())) return false;
  for (const Structural& st : c.structural)
    if (!matchStructural(st, e)) return false;
  for (const Compound& n : c.nots)
    if (matchCompound(n, e)) return false;
  return true;
}

}  // namespace

// Right to left, with backtracking for descendant combinators. The ancestor
// walk is bounded (styles are only matched on elements of bounded depth).
bool matchSelector(const Selector& s, size_t part, const html::Element* e, int& budget) {
  if (--budget < 0 || !matchCompound(s.parts[part], e)) return false;
  if (part + 1 >= s.parts.size()) return true;
  Combinator comb = s.combinators[part];
  if (comb == Combinator::Child) {
    const html::Element* p = e->parentElement();
    return p && matchSelector(s, part + 1, p, budget);
  }
  if (comb == Combinator::Adjacent) {
    const html::Element* p = prevElement(e);
    return p && matchSelector(s, part + 1, p, budget);
  }
  if (comb == Combinator::Sibling) {
    for (const html::Element* p = prevElement(e); p && budget > 0; p = prevElement(p))
      if (matchSelector(s, part + 1, p, budget)) return true;
    return false;
  }
  for (const html::Element* p = e->parentElement(); p && budget > 0; p = p->parentElement())
    if (matchSelector(s, part + 1, p, budget)) return true;
  return false;
}

}  // namespace layout
}  // namespace tw
