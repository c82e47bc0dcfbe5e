// Lays out arbitrary pages: the first byte picks the width and page height,
// the rest is the page. A sheet linked as "s.css" and an @import of it
// serve the page's own bytes as CSS, so that the cascade sees author rules
// of every shape (the CSS parser on its own is the css target's).
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "fixed_host.h"
#include "layout/html_layout.h"
#include "parser.h"

using namespace tw;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
  if (size == 0) return 0;
  float width = 40.0f + float(data[0] & 0x3F) * 12.0f;
  float pageHeight = 20.0f + float(data[0] >> 6) * 150.0f;
  std::string page(reinterpret_cast<const char*>(data + 1), size - 1);

  auto doc = html::parseHtml(page);
  layout::FixedHost host;
  host.images["file:///C:/t/a.gif"] = {40, 30};
  host.images["file:///C:/t/big.gif"] = {5000, 3};
  host.texts["file:///C:/t/s.css"] = page;
  {
    layout::LayoutOptions opt;
    opt.extraCss = "@import 's.css'; p { margin: 1em } td { padding: 2px }";
    layout::HtmlLayout l(host, opt);
    l.load(*doc, "file:///C:/t/page.htm");
    l.layout(width);
    if (!(l.height() >= 0) || !std::isfinite(l.height()) || !std::isfinite(l.width())) std::abort();
    layout::DisplayList d = l.paint();
    for (const auto& it : d.items) {
      if (!std::isfinite(it.rect.x) || !std::isfinite(it.rect.y) || !std::isfinite(it.rect.w) ||
          !std::isfinite(it.rect.h))
        std::abort();
      if (it.kind == layout::ItemKind::Text && (it.font < 0 || size_t(it.font) >= d.fonts.size())) std::abort();
      if (it.kind == layout::ItemKind::Image && (it.image < 0 || size_t(it.image) >= d.images.size())) std::abort();
    }
    auto pages = l.paginate(pageHeight);
    float top = 0;
    for (const auto& p : pages) {
      if (p.top != top || !(p.bottom > p.top)) std::abort();
      top = p.bottom;
    }
    if (top < l.height() - 0.5f) std::abort();
    if (!pages.empty()) layout::sliceDisplayList(d, pages[pages.size() / 2], l.width());
    float x, y;
    l.anchorPosition("a", &x, &y);
    if (size < 1024) l.dumpBoxes();  // a test aid: small pages show all it does
  }
  if (host.openImages != 0 || host.openFonts != 0) std::abort();
  return 0;
}
