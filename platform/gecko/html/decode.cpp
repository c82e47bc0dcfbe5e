// Character sets: names to code pages, the declared charset of a page, and
// decoding to UTF-8 (UTF-8, UTF-16 and Windows-1252 built in; other code
// pages through the caller's decoder).
#include <cstdlib>
#include <cstring>

#include "internal.h"
#include "parser.h"

namespace tw {
namespace html {

using detail::appendUtf8;

namespace {

char lowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c; }

std::string normalizeName(std::string_view name) {
  std::string s;
  for (char c : name) {
    if (c == ' ' || c == '\t' || c == '\n' || c == '"' || c == '\'') continue;
    s += lowerAscii(c);
  }
  return s;
}

struct Alias {
  const char* name;
  unsigned cp;
};

const Alias kAliases[] = {
    {"utf-8", 65001}, {"utf8", 65001}, {"unicode-1-1-utf-8", 65001}, {"x-unicode20utf8", 65001},
    {"utf-16", 1200}, {"utf-16le", 1200}, {"unicode", 1200}, {"ucs-2", 1200},
    {"utf-16be", 1201}, {"unicodefffe", 1201},
    {"us-ascii", 1252}, {"ascii", 1252}, {"ansi_x3.4-1968", 1252}, {"iso-8859-1", 1252},
    {"iso8859-1", 1252}, {"iso_8859-1", 1252}, {"latin1", 1252}, {"l1", 1252},
    {"cp819", 1252}, {"iso-ir-100", 1252}, {"windows-1252", 1252}, {"x-cp1252", 1252},
    {"iso-8859-2", 28592}, {"latin2", 28592}, {"iso-8859-3", 28593}, {"iso-8859-4", 28594},
    {"iso-8859-5", 28595}, {"cyrillic", 28595}, {"iso-8859-6", 28596}, {"arabic", 28596},
    {"iso-8859-7", 28597}, {"greek", 28597}, {"iso-8859-8", 28598}, {"hebrew", 28598},
    {"iso-8859-8-i", 38598}, {"iso-8859-9", 1254}, {"latin5", 1254},
    {"iso-8859-13", 28603}, {"iso-8859-15", 28605}, {"latin-9", 28605},
    {"koi8-r", 20866}, {"koi8r", 20866}, {"koi8-u", 21866},
    {"shift_jis", 932}, {"shift-jis", 932}, {"sjis", 932}, {"x-sjis", 932}, {"ms_kanji", 932},
    {"csshiftjis", 932}, {"windows-31j", 932}, {"euc-jp", 20932}, {"x-euc-jp", 20932},
    {"iso-2022-jp", 50220},
    {"gb2312", 936}, {"gbk", 936}, {"x-gbk", 936}, {"csgb2312", 936}, {"gb_2312-80", 936},
    {"chinese", 936}, {"gb18030", 54936}, {"hz-gb-2312", 52936},
    {"big5", 950}, {"big5-hkscs", 950}, {"cn-big5", 950}, {"x-x-big5", 950},
    {"euc-kr", 949}, {"ks_c_5601-1987", 949}, {"korean", 949}, {"csksc56011987", 949},
    {"tis-620", 874}, {"iso-8859-11", 874}, {"macintosh", 10000}, {"x-mac-roman", 10000},
    {"ibm437", 437}, {"ibm850", 850}, {"ibm866", 866}, {"cp866", 866},
};

// Appends a UTF-8 rendering of UTF-8 input, each invalid sequence replaced
// by U+FFFD.
void decodeUtf8(std::string& out, std::string_view in) {
  const unsigned char* p = reinterpret_cast<const unsigned char*>(in.data());
  size_t n = in.size(), i = 0;
  out.reserve(out.size() + n);
  while (i < n) {
    unsigned char c = p[i];
    if (c < 0x80) {
      size_t j = i + 1;
      while (j < n && p[j] < 0x80) ++j;
      out.append(in.data() + i, j - i);
      i = j;
      continue;
    }
    size_t len = 0;
    std::uint32_t cp = 0, min = 0;
    if (c >= 0xC2 && c <= 0xDF) { len = 2; cp = c & 0x1F; min = 0x80; }
    else if (c >= 0xE0 && c <= 0xEF) { len = 3; cp = c & 0x0F; min = 0x800; }
    else if (c >= 0xF0 && c <= 0xF4) { len = 4; cp = c & 0x07; min = 0x10000; }
    size_t k = 1;
    if (len) {
      for (; k < len && i + k < n && (p[i + k] & 0xC0) == 0x80; ++k) cp = (cp << 6) | (p[i + k] & 0x3F);
    }
    if (len == 0 || k < len || cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
      appendUtf8(out, 0xFFFD);
      i += (len == 0 || k == 0) ? 1 : k;  // resume at the first byte not part of the sequence
      continue;
    }
    out.append(in.data() + i, len);
    i += len;
  }
}

void decodeUtf16(std::string& out, std::string_view in, bool bigEndian) {
  size_t n = in.size() / 2;
  const unsigned char* p = reinterpret_cast<const unsigned char*>(in.data());
  auto unit = [&](size_t k) -> std::uint32_t {
    return bigEndian ? (std::uint32_t(p[2 * k]) << 8) | p[2 * k + 1]
                     : (std::uint32_t(p[2 * k + 1]) << 8) | p[2 * k];
  };
  for (size_t k = 0; k < n; ++k) {
    std::uint32_t u = unit(k);
    if (u >= 0xD800 && u <= 0xDBFF && k + 1 < n) {
      std::uint32_t v = unit(k + 1);
      if (v >= 0xDC00 && v <= 0xDFFF) {
        appendUtf8(out, 0x10000 + ((u - 0xD800) << 10) + (v - 0xDC00));
        ++k;
        continue;
      }
    }
    appendUtf8(out, u);  // lone surrogates become U+FFFD
  }
  if (in.size() % 2) appendUtf8(out, 0xFFFD);
}

void decode1252(std::string& out, std::string_view in) {
  out.reserve(out.size() + in.size());
  for (unsigned char c : in) {
    if (c < 0x80) out += char(c);
    else appendUtf8(out, detail::cp1252High(c));
  }
}

void appendUtf16(std::string& out, const std::u16string& in) {
  for (size_t k = 0; k < in.size(); ++k) {
    std::uint32_t u = in[k];
    if (u >= 0xD800 && u <= 0xDBFF && k + 1 < in.size() && in[k + 1] >= 0xDC00 &&
        in[k + 1] <= 0xDFFF) {
      appendUtf8(out, 0x10000 + ((u - 0xD800) << 10) + (in[k + 1] - 0xDC00));
      ++k;
    } else {
      appendUtf8(out, u);
    }
  }
}

// The charset named in a Content-Type value: "text/html; charset=koi8-r".
std::string charsetFromContent(std::string_view content) {
  std::string lower;
  for (char c : content) lower += lowerAscii(c);
  size_t at = lower.find("charset");
  while (at != std::string::npos) {
    size_t i = at + 7;
    while (i < lower.size() && (lower[i] == ' ' || lower[i] == '\t' || lower[i] == '\n')) ++i;
    if (i < lower.size() && lower[i] == '=') {
      ++i;
      while (i < lower.size() && (lower[i] == ' ' || lower[i] == '\t' || lower[i] == '\n')) ++i;
      size_t start = i;
      if (i < lower.size() && (lower[i] == '"' || lower[i] == '\'')) {
        char q = lower[i];
        size_t end = lower.find(q, i + 1);
        if (end == std::string::npos) return std::string();
        return std::string(content.substr(i + 1, end - i - 1));
      }
      while (i < lower.size() && lower[i] != ';' && lower[i] != ' ' && lower[i] != '\t' &&
             lower[i] != '\n')
        ++i;
      return std::string(content.substr(start, i - start));
    }
    at = lower.find("charset", at + 7);
  }
  return std::string();
}

}  // namespace

unsigned codePageFromCharset(std::string_view name) {
  std::string s = normalizeName(name);
  if (s.empty()) return 0;
  for (const Alias& a : kAliases)
    if (s == a.name) return a.cp;
  // windows-NNNN, cpNNNN, x-cpNNNN, ibmNNN
  const char* prefixes[] = {"windows-", "x-cp", "cp", "ibm"};
  for (const char* pre : prefixes) {
    size_t len = std::strlen(pre);
    if (s.size() > len && s.compare(0, len, pre) == 0 && s.size() - len <= 5) {
      bool digits = true;
      for (size_t i = len; i < s.size(); ++i) digits = digits && s[i] >= '0' && s[i] <= '9';
      if (digits) return unsigned(std::strtoul(s.c_str() + len, nullptr, 10));
    }
  }
  return 0;
}

std::string sniffDeclaredCharset(std::string_view bytes) {
  // The declaration belongs near the top; look through the first few KB.
  // Every candidate charset is ASCII-compatible in the markup, so the raw
  // bytes tokenize well enough for this.
  constexpr size_t kScan = 4096;
  detail::Tokenizer tok(bytes.substr(0, kScan));
  detail::Token t;
  while (tok.next(t)) {
    if (t.kind != detail::Token::StartTag) continue;
    if (t.name == "body") break;
    if (t.name != "meta") continue;
    std::string charset, content;
    bool contentType = false;
    for (auto& a : t.attributes) {
      if (a.first == "charset") charset = a.second;
      else if (a.first == "content") content = a.second;
      else if (a.first == "http-equiv") contentType = normalizeName(a.second) == "content-type";
    }
    if (!charset.empty()) return charset;
    if (contentType || !content.empty()) {
      std::string c = charsetFromContent(content);
      if (!c.empty()) return c;
    }
  }
  return std::string();
}

std::string decodeToUtf8(std::string_view bytes, unsigned codePage,
                         const CodePageDecoder& decoder) {
  std::string out;
  switch (codePage) {
    case 65001: decodeUtf8(out, bytes); return out;
    case 1200: decodeUtf16(out, bytes, false); return out;
    case 1201: decodeUtf16(out, bytes, true); return out;
    case 1252: case 28591: case 20127: case 0: decode1252(out, bytes); return out;
    default: break;
  }
  if (decoder) {
    std::u16string wide;
    if (decoder(codePage, bytes, wide)) {
      appendUtf16(out, wide);
      return out;
    }
  }
  decode1252(out, bytes);
  return out;
}

}  // namespace html
}  // namespace tw
