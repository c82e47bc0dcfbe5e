// Parses arbitrary bytes and checks the tree's links and the look-ups.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "parser.h"

using namespace tw::html;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
  std::string_view bytes(reinterpret_cast<const char*>(data), size);
  ParseOptions options;
  // The first byte picks the fallback code page; odd ones go to a decoder
  // that refuses, so the Windows-1252 fallback is exercised too.
  if (size > 0 && (data[0] & 1)) {
    options.codePage = 1251;
    options.decoder = [](unsigned, std::string_view, std::u16string&) { return false; };
  }
  auto doc = parseHtml(bytes, options);
  if (!doc->documentElement() || !doc->head() || (!doc->body() && !doc->frameset())) std::abort();

  size_t count = 0;
  for (Node* n = doc.get(); n; n = n->nextInTree(doc.get())) {
    ++count;
    for (Node* c = n->firstChild(); c; c = c->nextSibling()) {
      if (c->parent() != n) std::abort();
      if (c->nextSibling() && c->nextSibling()->previousSibling() != c) std::abort();
      if (!c->nextSibling() && n->lastChild() != c) std::abort();
    }
    if (Element* e = n->asElement()) {
      for (const Attribute& a : e->attributes())
        if (e->findAttribute(a.name()) != &a) std::abort();  // unique names
      if (std::string_view id = e->id(); !id.empty() && !doc->getElementById(id)) std::abort();
    }
  }
  if (count > doc->nodeCount()) std::abort();
  if (Element* b = doc->body()) {
    (void)b->textContent();
    (void)b->getElementsByTagName("param");
  }
  if (size < 4096) (void)dumpTree(*doc);
  (void)doc->findAnchor("a");
  return 0;
}
