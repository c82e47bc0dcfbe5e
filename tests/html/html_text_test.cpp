// Character references and character sets.
#include <gtest/gtest.h>

#include <string>

#include "parser.h"

using namespace tw::html;

namespace {

std::string bodyText(const Document& doc) { return doc.body()->textContent(); }

struct RefCase {
  const char* in;
  const char* text;
};

TEST(HtmlEntities, TextReferences) {
  const RefCase cases[] = {
      {"&lt;&amp;&gt;&quot;&apos;", "<&>\"'"},
      {"&nbsp;&copy;&eacute;&Eacute;&yuml;", "\xC2\xA0\xC2\xA9\xC3\xA9\xC3\x89\xC3\xBF"},
      {"&alpha;&Omega;&hellip;&euro;&trade;&rArr;&thetasym;&zwnj;",
       "\xCE\xB1\xCE\xA9\xE2\x80\xA6\xE2\x82\xAC\xE2\x84\xA2\xE2\x87\x92\xCF\x91\xE2\x80\x8C"},
      {"&copy 2001 &ampx &lt3", "\xC2\xA9 2001 &x <3"},      // legacy names without ';'
      {"&notit; &notin;", "\xC2\xACit; \xE2\x88\x89"},        // longest legacy prefix
      {"&euro &hellip x", "&euro &hellip x"},                 // newer names need the ';'
      {"&bogus; & &; &#; &#x; &", "&bogus; & &; &#; &#x; &"},
      {"&#65;&#x42;&#X43;&#0068&#x45", "ABCDE"},
      {"&#128;&#x9F;&#150;", "\xE2\x82\xAC\xC5\xB8\xE2\x80\x93"},  // 0x80-0x9F as Windows-1252
      {"&#0;&#xD800;&#x110000;&#99999999999999999999;",
       "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD"},
      {"&#x1F600;", "\xF0\x9F\x98\x80"},
  };
  for (const RefCase& c : cases) {
    auto doc = parseHtmlUtf8(c.in);
    EXPECT_EQ(bodyText(*doc), c.text) << c.in;
  }
}

TEST(HtmlEntities, AttributeReferences) {
  const RefCase cases[] = {
      {"a.htm?x=1&amp;y=2", "a.htm?x=1&y=2"},
      {"a.htm?x=1&copy=2", "a.htm?x=1&copy=2"},  // legacy name before '=' stays
      {"a.htm?x=1&copyx", "a.htm?x=1&copyx"},    // ... and before a letter
      {"&copy; &copy &#169", "\xC2\xA9 \xC2\xA9 \xC2\xA9"},
  };
  for (const RefCase& c : cases) {
    auto doc = parseHtmlUtf8(std::string("<a href=\"") + c.in + "\">x</a>");
    EXPECT_EQ(doc->getElementsByTagName("a")[0]->getAttribute("href"), c.text) << c.in;
  }
}

TEST(HtmlCharset, Windows1252IsTheDefault) {
  // 0x80 euro, 0x93/0x94 quotes, 0xE9 e-acute, 0x81 undefined (kept as U+0081)
  auto doc = parseHtml("<p>\x80 \x93q\x94 caf\xE9 \x81</p>");
  EXPECT_EQ(doc->codePage(), 1252u);
  EXPECT_EQ(bodyText(*doc),
            "\xE2\x82\xAC \xE2\x80\x9Cq\xE2\x80\x9D caf\xC3\xA9 \xC2\x81");
  // Latin-1 and ASCII labels read as Windows-1252, as browsers do.
  doc = parseHtml("<meta charset=iso-8859-1><p>\x80");
  EXPECT_EQ(doc->codePage(), 1252u);
  EXPECT_EQ(bodyText(*doc), "\xE2\x82\xAC");
}

TEST(HtmlCharset, DeclarationsAndByteOrderMarks) {
  struct Case {
    std::string bytes;
    unsigned codePage;
    const char* text;
  };
  const Case cases[] = {
      {"<meta charset=\"utf-8\"><p>caf\xC3\xA9", 65001, "caf\xC3\xA9"},
      {"<META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; charset=UTF-8\"><p>\xC3\xA9", 65001,
       "\xC3\xA9"},
      {"<meta content='text/html;charset=\"utf-8\"' http-equiv=content-type>\xC3\xA9", 65001,
       "\xC3\xA9"},
      {"<!-- <meta charset=utf-8> --><p>\xE9", 1252, "\xC3\xA9"},  // a comment declares nothing
      {"\xEF\xBB\xBF<meta charset=windows-1252><p>\xC3\xA9", 65001, "\xC3\xA9"},  // BOM wins
      {std::string("\xFF\xFE<\0p\0>\0\xE9\0", 10), 1200, "\xC3\xA9"},
      {std::string("\xFE\xFF\0<\0p\0>\0\xE9", 10), 1201, "\xC3\xA9"},
      {"<meta charset=utf-16><p>\xC3\xA9", 65001, "\xC3\xA9"},  // ASCII bytes are not UTF-16
      {"<p>bad \xC3\x28 \xE2\x82 \xF8 end<meta charset=utf-8>", 65001,
       "bad \xEF\xBF\xBD( \xEF\xBF\xBD \xEF\xBF\xBD end"},
  };
  for (const Case& c : cases) {
    auto doc = parseHtml(c.bytes);
    EXPECT_EQ(doc->codePage(), c.codePage) << c.bytes;
    EXPECT_EQ(bodyText(*doc), c.text) << c.bytes;
  }
}

TEST(HtmlCharset, OtherCodePagesGoThroughTheDecoder) {
  unsigned asked = 0;
  ParseOptions options;
  options.decoder = [&](unsigned cp, std::string_view bytes, std::u16string& out) {
    asked = cp;
    if (cp != 1251) return false;
    for (unsigned char b : bytes) out += b >= 0xC0 ? char16_t(0x0410 + (b - 0xC0)) : char16_t(b);
    return true;
  };
  auto doc = parseHtml("<meta http-equiv=Content-Type content=\"text/html; charset=windows-1251\">"
                       "<p>\xC0\xC1",
                       options);
  EXPECT_EQ(asked, 1251u);
  EXPECT_EQ(doc->codePage(), 1251u);
  EXPECT_EQ(doc->charset(), "windows-1251");
  EXPECT_EQ(bodyText(*doc), "\xD0\x90\xD0\x91");  // U+0410 U+0411

  // The caller's code page applies when the page declares none.
  options.codePage = 1251;
  doc = parseHtml("<p>\xC0", options);
  EXPECT_EQ(doc->codePage(), 1251u);
  EXPECT_EQ(bodyText(*doc), "\xD0\x90");

  // A decoder that cannot read the code page: Windows-1252 is used.
  doc = parseHtml("<meta charset=koi8-r><p>\xE9", options);
  EXPECT_EQ(asked, 20866u);
  EXPECT_EQ(bodyText(*doc), "\xC3\xA9");
}

TEST(HtmlCharset, Names) {
  EXPECT_EQ(codePageFromCharset("Windows-1250"), 1250u);
  EXPECT_EQ(codePageFromCharset(" SHIFT_JIS "), 932u);
  EXPECT_EQ(codePageFromCharset("cp1257"), 1257u);
  EXPECT_EQ(codePageFromCharset("gb2312"), 936u);
  EXPECT_EQ(codePageFromCharset("x-unknown"), 0u);
  EXPECT_EQ(codePageFromCharset("windows-99999999"), 0u);
  EXPECT_EQ(sniffDeclaredCharset("<html><body><meta charset=utf-8>"), "");
}

}  // namespace
