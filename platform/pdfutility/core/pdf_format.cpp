#include "pdf_format.h"

#include <cmath>

namespace twpdf {

void FormatNumber(std::string& out, double value, int decimals) {
  // Pages hold hundreds of thousands of numbers: no library calls and no
  // temporary strings here.
  if (decimals < 0) decimals = 0;
  if (decimals > 6) decimals = 6;
  if (value != value) value = 0;  // NaN
  if (value > 1e9) value = 1e9;
  if (value < -1e9) value = -1e9;
  static const long long kScale[] = {1, 10, 100, 1000, 10000, 100000, 1000000};
  long long scale = kScale[decimals];
  // Rounded half away from zero whatever the current rounding mode (as
  // llround): |r| < 2^53, so the truncation and the difference are exact.
  const double r = value * static_cast<double>(scale);
  long long scaled = static_cast<long long>(r);
  const double rest = r - static_cast<double>(scaled);
  if (rest >= 0.5) ++scaled;
  else if (rest <= -0.5) --scaled;
  if (scaled == 0) {
    out += '0';
    return;
  }
  if (scaled < 0) {
    out += '-';
    scaled = -scaled;
  }
  long long whole = scaled / scale;
  long long frac = scaled % scale;
  char buf[24];
  int at = sizeof buf;
  do {
    buf[--at] = static_cast<char>('0' + whole % 10);
    whole /= 10;
  } while (whole > 0);
  out.append(buf + at, sizeof buf - static_cast<size_t>(at));
  if (frac == 0) return;
  char digits[8];
  int n = decimals;
  for (int i = n - 1; i >= 0; --i) {
    digits[i] = static_cast<char>('0' + frac % 10);
    frac /= 10;
  }
  while (n > 0 && digits[n - 1] == '0') --n;
  out += '.';
  out.append(digits, static_cast<size_t>(n));
}

std::string FormatNumber(double value, int decimals) {
  std::string s;
  FormatNumber(s, value, decimals);
  return s;
}

static const char kHexDigits[] = "0123456789ABCDEF";

void AppendName(std::string& out, const std::string& name) {
  out += '/';
  for (unsigned char c : name) {
    bool regular = c > 0x20 && c < 0x7F && c != '#' && c != '/' && c != '%' && c != '(' &&
                   c != ')' && c != '<' && c != '>' && c != '[' && c != ']' && c != '{' &&
                   c != '}';
    if (regular) {
      out += static_cast<char>(c);
    } else {
      out += '#';
      out += kHexDigits[c >> 4];
      out += kHexDigits[c & 15];
    }
  }
}

void AppendLiteral(std::string& out, const std::string& bytes) {
  out += '(';
  for (unsigned char c : bytes) {
    switch (c) {
      case '(': out += "\\("; break;
      case ')': out += "\\)"; break;
      case '\\': out += "\\\\"; break;
      case '\r': out += "\\r"; break;  // a bare CR would be read back as LF
      case '\n': out += "\\n"; break;
      default:
        if (c < 0x20 || c >= 0x7F) {
          out += '\\';
          out += static_cast<char>('0' + (c >> 6));
          out += static_cast<char>('0' + ((c >> 3) & 7));
          out += static_cast<char>('0' + (c & 7));
        } else {
          out += static_cast<char>(c);
        }
    }
  }
  out += ')';
}

void AppendHex(std::string& out, const std::string& bytes) {
  out += '<';
  for (unsigned char c : bytes) {
    out += kHexDigits[c >> 4];
    out += kHexDigits[c & 15];
  }
  out += '>';
}

std::u32string DecodeUtf8(const std::string& utf8) {
  std::u32string out;
  out.reserve(utf8.size());
  size_t i = 0, n = utf8.size();
  while (i < n) {
    unsigned char c = static_cast<unsigned char>(utf8[i]);
    char32_t cp;
    int extra;
    if (c < 0x80) {
      out += c;
      ++i;
      continue;
    } else if ((c & 0xE0) == 0xC0) {
      cp = c & 0x1F; extra = 1;
    } else if ((c & 0xF0) == 0xE0) {
      cp = c & 0x0F; extra = 2;
    } else if ((c & 0xF8) == 0xF0) {
      cp = c & 0x07; extra = 3;
    } else {
      out += 0xFFFD;
      ++i;
      continue;
    }
    size_t j = i + 1;
    bool ok = i + extra < n;
    for (int k = 0; ok && k < extra; ++k, ++j) {
      unsigned char d = static_cast<unsigned char>(utf8[j]);
      if ((d & 0xC0) != 0x80) ok = false;
      else cp = (cp << 6) | (d & 0x3F);
    }
    static const char32_t kMin[] = {0, 0x80, 0x800, 0x10000};
    if (!ok || cp < kMin[extra] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
      out += 0xFFFD;
      ++i;  // resynchronise on the next byte
      continue;
    }
    out += cp;
    i = j;
  }
  return out;
}

std::string EncodeUtf8(const std::u32string& text) {
  std::string out;
  for (char32_t cp : text) {
    if (cp < 0x80) {
      out += static_cast<char>(cp);
    } else if (cp < 0x800) {
      out += static_cast<char>(0xC0 | (cp >> 6));
      out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
      out += static_cast<char>(0xE0 | (cp >> 12));
      out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
      out += static_cast<char>(0xF0 | (cp >> 18));
      out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
      out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (cp & 0x3F));
    }
  }
  return out;
}

void AppendUtf16be(std::string& out, char32_t cp) {
  if (cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) cp = 0xFFFD;
  auto unit = [&out](unsigned u) {
    out += static_cast<char>(u >> 8);
    out += static_cast<char>(u & 0xFF);
  };
  if (cp >= 0x10000) {
    cp -= 0x10000;
    unit(0xD800 | (cp >> 10));
    unit(0xDC00 | (cp & 0x3FF));
  } else {
    unit(cp);
  }
}

// PDFDocEncoding agrees with Latin-1 on these code points; the rest of its
// upper half (and U+00AD) maps elsewhere, so such text goes out as UTF-16.
static bool InPdfDocEncoding(char32_t cp) {
  return cp == '\t' || cp == '\n' || cp == '\r' || (cp >= 0x20 && cp < 0x7F) ||
         (cp >= 0xA1 && cp <= 0xFF && cp != 0xAD);
}

std::string TextStringBytes(const std::string& utf8) {
  std::u32string text = DecodeUtf8(utf8);
  bool doc = true;
  for (char32_t cp : text) doc = doc && InPdfDocEncoding(cp);
  std::string out;
  if (doc) {
    for (char32_t cp : text) out += static_cast<char>(cp);
    return out;
  }
  out = "\xFE\xFF";
  for (char32_t cp : text) AppendUtf16be(out, cp);
  return out;
}

}  // namespace twpdf
