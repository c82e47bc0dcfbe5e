// parser.h - from the bytes of an HTML page to a Document (dom.h).
//
// The parser is forgiving in the way browsers are with HTML 4 pages:
// implied <html>/<head>/<body>, implied end tags (p, li, dt/dd, option,
// tr/td/th, thead/tbody/tfoot), unclosed elements closed at the end, stray
// end tags dropped, named (the HTML 4 set) and numeric entities, comments,
// <!DOCTYPE>, attributes without quotes or without values, raw text in
// <script>/<style>/<xmp>, void elements. It never fails: any input gives a
// document, in time and memory proportional to its size.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "dom.h"

namespace tw {
namespace html {

// Converts bytes of a code page to UTF-16. Returns false when it cannot
// (unknown code page); the parser then falls back to its own tables.
using CodePageDecoder =
    std::function<bool(unsigned codePage, std::string_view bytes, std::u16string& out)>;

struct ParseOptions {
  // Code page of pages that declare no charset (no byte-order mark, no
  // <meta charset> or <meta http-equiv="Content-Type" content="...charset=">).
  unsigned codePage = 1252;
  // Decoder for code pages other than those built in (UTF-8, UTF-16,
  // Windows-1252 and its aliases ISO-8859-1 and US-ASCII). Without one, or
  // when it fails, such pages are read as Windows-1252.
  CodePageDecoder decoder;
};

// Picks the code page (byte-order mark, then the page's declaration, then
// options.codePage), decodes and parses.
std::unique_ptr<Document> parseHtml(std::string_view bytes, const ParseOptions& options = {});

// Parses text that is already UTF-8; the document's charset is "utf-8".
std::unique_ptr<Document> parseHtmlUtf8(std::string_view utf8);

// The code page of a charset name ("windows-1251", "shift_jis", "utf-8",
// "iso-8859-1" ...), in any case; 0 when the name is not known.
unsigned codePageFromCharset(std::string_view name);

// The charset a page declares in its first bytes (a <meta> element), or ""
// when it declares none.
std::string sniffDeclaredCharset(std::string_view bytes);

// Decodes bytes of a code page to UTF-8 the way parseHtml() does.
std::string decodeToUtf8(std::string_view bytes, unsigned codePage,
                         const CodePageDecoder& decoder = {});

}  // namespace html
}  // namespace tw
