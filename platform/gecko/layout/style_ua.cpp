// style_ua.cpp - the user-agent style sheets and the quirks-mode test.
#include "layout/style_internal.h"

namespace tw {
namespace layout {

namespace {

// The user-agent sheet: HTML 4 rendering, with the quirks that help pages
// written for old browsers rely on (tables reset the font size).
const char kUserAgentSheet[] = R"CSS(
html, address, blockquote, body, dd, div, dl, dt, fieldset, form, frame, frameset, h1, h2, h3, h4, h5, h6,
noframes, ol, p, ul, center, dir, hr, menu, pre, listing, xmp, plaintext, article, aside, footer, header,
hgroup, main, nav, section, figure, figcaption, details, summary, legend { display: block }
li { display: list-item }
head, script, style, title, meta, link, base, param, noscript, noembed, area, map, frameset, frame, iframe,
object, applet, embed, input[type=hidden], datalist, template, bgsound, basefont, colgroup col { display: none }
table { display: table; border-spacing: 2px; border-collapse: separate }
thead { display: table-header-group; vertical-align: middle }
tbody { display: table-row-group; vertical-align: middle }
tfoot { display: table-footer-group; vertical-align: middle }
tr { display: table-row; vertical-align: inherit }
td, th { display: table-cell; vertical-align: inherit; padding: 1px }
th { font-weight: bold; text-align: center }
caption { display: table-caption; text-align: center }
col { display: table-column } colgroup { display: table-column-group }
body { margin: 8px; line-height: normal }
p, dl, multicol { margin: 1em 0 }
blockquote { margin: 1em 40px }
dd { margin-left: 40px }
h1 { font-size: 2em; margin: .67em 0; font-weight: bold }
h2 { font-size: 1.5em; margin: .83em 0; font-weight: bold }
h3 { font-size: 1.17em; margin: 1em 0; font-weight: bold }
h4 { margin: 1.33em 0; font-weight: bold }
h5 { font-size: .83em; margin: 1.67em 0; font-weight: bold }
h6 { font-size: .67em; margin: 2.33em 0; font-weight: bold }
pre, listing, xmp, plaintext { white-space: pre; font-family: monospace; margin: 1em 0 }
tt, code, kbd, samp { font-family: monospace }
b, strong { font-weight: bold }
i, cite, em, var, dfn, address { font-style: italic }
u, ins { text-decoration: underline }
s, strike, del { text-decoration: line-through }
big { font-size: larger } small { font-size: smaller }
sub { vertical-align: sub; font-size: smaller }
sup { vertical-align: super; font-size: smaller }
center { text-align: center }
ul, ol, dir, menu { margin: 1em 0; padding-left: 40px }
ul, dir, menu { list-style-type: disc }
ol { list-style-type: decimal }
ul ul, ul dir, ul menu, ol ul, dir ul, menu ul { list-style-type: circle }
ul ul ul, ul ul dir, ol ol ul, ol ul ul, ul ol ul { list-style-type: square }
ul ul, ul ol, ol ul, ol ol, ul dl, ol dl, dl ul, dl ol { margin-top: 0; margin-bottom: 0 }
hr { border: 1px inset gray; margin: .5em auto; color: gray; height: 0 }
a:link { color: blue; text-decoration: underline }
a:visited { color: purple; text-decoration: underline }
img { border: 0 solid }
a:link img, a:visited img { border-color: blue }
nobr { white-space: nowrap }
wbr { display: inline }
br { display: inline }
fieldset { margin: 0 2px; padding: .35em .75em .625em; border: 2px groove silver }
)CSS";

// Quirks mode (pages without a standards doctype, as most help pages are):
// tables do not inherit the text properties of their surroundings.
const char kQuirksSheet[] = R"CSS(
table { text-align: left; white-space: normal; line-height: normal; font-size: medium; font-weight: normal;
        font-style: normal; font-variant: normal }
)CSS";

}  // namespace

const StyleSheet& userAgentSheet() {
  // Parsed once per process and shared by every document.
  static const StyleSheet* ua = [] {
    auto* sheet = new StyleSheet();
    parseStyleSheet(kUserAgentSheet, sheet);
    return sheet;
  }();
  return *ua;
}

const StyleSheet& quirksSheet() {
  static const StyleSheet* quirks = [] {
    auto* sheet = new StyleSheet();
    parseStyleSheet(kQuirksSheet, sheet);
    return sheet;
  }();
  return *quirks;
}

bool isQuirksMode(const html::Document& doc) {
  const html::DocumentType* dt = doc.doctype();
  if (!dt) return true;
  std::string pub = lower(dt->publicId());
  if (dt->name() != "html") return true;
  if (pub.empty()) return !dt->systemId().empty() && lower(dt->systemId()).find("w3.org") == std::string::npos;
  if (pub.find("xhtml") != std::string::npos) return false;
  if (pub.find("-//w3c//dtd html 4.01//") == 0 || pub.find("-//w3c//dtd html 4.0//") == 0) return false;
  if (pub.find("transitional") != std::string::npos || pub.find("frameset") != std::string::npos)
    return dt->systemId().empty();  // 4.01 Transitional with a system id: limited quirks
  return true;  // HTML 2, 3.2, and other old public ids
}

bool isLimitedQuirksMode(const html::Document& doc) {
  const html::DocumentType* dt = doc.doctype();
  if (!dt || dt->name() != "html") return false;
  const std::string pub = lower(dt->publicId());
  if (pub.rfind("-//w3c//dtd xhtml 1.0 transitional//", 0) == 0 || pub.rfind("-//w3c//dtd xhtml 1.0 frameset//", 0) == 0)
    return true;
  return !dt->systemId().empty() && (pub.rfind("-//w3c//dtd html 4.01 transitional//", 0) == 0 ||
                                     pub.rfind("-//w3c//dtd html 4.01 frameset//", 0) == 0);
}

}  // namespace layout
}  // namespace tw
