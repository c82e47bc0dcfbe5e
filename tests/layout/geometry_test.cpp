// Reference tests: every fixtures/<name>.htm is laid out with the fixed
// metric host and its box tree dump must equal fixtures/<name>.txt.
// "<!-- width: N -->" in the page sets the layout width (default 400);
// "<!-- print: WxH -->" lays it out for print on a page box of W x H px
// (default: screen and print sheets both apply, no size for media queries);
// "<!-- page height: N -->" adds the page bands for pages of N px.
// Set TW_UPDATE_EXPECTED=1 to rewrite the expected dumps after a deliberate
// change (and review the diff).
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "fixed_host.h"
#include "layout/html_layout.h"
#include "parser.h"

namespace fs = std::filesystem;
using namespace tw;

namespace {

std::string readFile(const fs::path& p) {
  std::ifstream f(p, std::ios::binary);
  std::stringstream ss;
  ss << f.rdbuf();
  return ss.str();
}

std::vector<std::string> fixtureNames() {
  std::vector<std::string> names;
  std::error_code ec;
  for (const auto& e : fs::directory_iterator(TW_LAYOUT_FIXTURES, ec))
    if (e.path().extension() == ".htm") names.push_back(e.path().stem().string());
  std::sort(names.begin(), names.end());
  return names;
}

std::string layoutDump(const std::string& html) {
  float width = 400;
  size_t w = html.find("<!-- width: ");
  if (w != std::string::npos) width = float(atof(html.c_str() + w + 12));
  auto doc = html::parseHtmlUtf8(html);
  layout::FixedHost host;
  host.images["file:///C:/t/a.gif"] = {40, 30};
  layout::LayoutOptions options;
  size_t p = html.find("<!-- print: ");
  if (p != std::string::npos) {
    options.media.type = layout::MediaContext::Type::Print;
    options.media.width = float(atof(html.c_str() + p + 12));
    size_t x = html.find('x', p + 12);
    if (x != std::string::npos) options.media.height = float(atof(html.c_str() + x + 1));
  }
  layout::HtmlLayout l(host, options);
  l.load(*doc, "file:///C:/t/page.htm");
  l.layout(width);
  std::string dump = l.dumpBoxes();
  size_t ph = html.find("<!-- page height: ");
  if (ph != std::string::npos)
    for (const layout::PageSlice& s : l.paginate(float(atof(html.c_str() + ph + 18)))) {
      char line[64];
      snprintf(line, sizeof line, "page %g-%g\n", s.top, s.bottom);
      dump += line;
    }
  return dump;
}

class Geometry : public ::testing::TestWithParam<std::string> {};

TEST_P(Geometry, MatchesExpectedDump) {
  fs::path dir(TW_LAYOUT_FIXTURES);
  std::string html = readFile(dir / (GetParam() + ".htm"));
  ASSERT_FALSE(html.empty());
  std::string got = layoutDump(html);
  fs::path expectedPath = dir / (GetParam() + ".txt");
  const char* update = getenv("TW_UPDATE_EXPECTED");
  if (update && *update == '1') {
    std::ofstream(expectedPath, std::ios::binary) << got;
    return;
  }
  std::string expected = readFile(expectedPath);
  EXPECT_EQ(expected, got) << "layout of " << GetParam() << ".htm changed";
}

INSTANTIATE_TEST_SUITE_P(Fixtures, Geometry, ::testing::ValuesIn(fixtureNames()),
                         [](const ::testing::TestParamInfo<std::string>& i) { return i.param; });

TEST(Geometry, FixturesArePresent) { EXPECT_GE(fixtureNames().size(), 8u); }

}  // namespace
