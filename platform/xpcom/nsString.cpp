#include "nsString.h"

void AppendUTF8toUTF16(const char* s, size_t len, nsAString& out) {
  std::u16string& d = out.str();
  const unsigned char* p = reinterpret_cast<const unsigned char*>(s);
  size_t i = 0;
  while (i < len) {
    unsigned c = p[i];
    PRUint32 cp;
    size_t need;
    if (c < 0x80) { d += static_cast<char16_t>(c); ++i; continue; }
    if (c >= 0xC2 && c <= 0xDF) { cp = c & 0x1F; need = 1; }
    else if (c >= 0xE0 && c <= 0xEF) { cp = c & 0x0F; need = 2; }
    else if (c >= 0xF0 && c <= 0xF4) { cp = c & 0x07; need = 3; }
    else { d += u'\xFFFD'; ++i; continue; }
    size_t j = 1;
    for (; j <= need && i + j < len; ++j) {
      unsigned cc = p[i + j];
      if ((cc & 0xC0) != 0x80) break;
      cp = (cp << 6) | (cc & 0x3F);
    }
    if (j <= need) { d += u'\xFFFD'; i += j; continue; }  // truncated
    bool overlong = (need == 2 && cp < 0x800) || (need == 3 && cp < 0x10000);
    if (overlong || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
      d += u'\xFFFD';
    } else if (cp >= 0x10000) {
      cp -= 0x10000;
      d += static_cast<char16_t>(0xD800 + (cp >> 10));
      d += static_cast<char16_t>(0xDC00 + (cp & 0x3FF));
    } else {
      d += static_cast<char16_t>(cp);
    }
    i += need + 1;
  }
}

void AppendUTF16toUTF8(const PRUnichar* s, size_t len, nsACString& out) {
  std::string& d = out.str();
  for (size_t i = 0; i < len; ++i) {
    PRUint32 cp = s[i];
    if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < len && s[i + 1] >= 0xDC00 &&
        s[i + 1] <= 0xDFFF) {
      cp = 0x10000 + ((cp - 0xD800) << 10) + (s[i + 1] - 0xDC00);
      ++i;
    } else if (cp >= 0xD800 && cp <= 0xDFFF) {
      cp = 0xFFFD;
    }
    if (cp < 0x80) {
      d += static_cast<char>(cp);
    } else if (cp < 0x800) {
      d += static_cast<char>(0xC0 | (cp >> 6));
      d += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
      d += static_cast<char>(0xE0 | (cp >> 12));
      d += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
      d += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
      d += static_cast<char>(0xF0 | (cp >> 18));
      d += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
      d += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
      d += static_cast<char>(0x80 | (cp & 0x3F));
    }
  }
}

NS_ConvertASCIItoUTF16::NS_ConvertASCIItoUTF16(const char* s)
    : NS_ConvertASCIItoUTF16(nsDependentCString(s)) {}
NS_ConvertASCIItoUTF16::NS_ConvertASCIItoUTF16(const nsACString& s) {
  mData.reserve(s.Length());
  for (char c : s.str()) mData += static_cast<char16_t>(static_cast<unsigned char>(c));
}

NS_ConvertUTF8toUTF16::NS_ConvertUTF8toUTF16(const char* s) {
  if (s) AppendUTF8toUTF16(s, std::strlen(s), *this);
}
NS_ConvertUTF8toUTF16::NS_ConvertUTF8toUTF16(const nsACString& s) {
  AppendUTF8toUTF16(s.BeginReading(), s.Length(), *this);
}

NS_ConvertUTF16toUTF8::NS_ConvertUTF16toUTF8(const PRUnichar* s) {
  if (s) AppendUTF16toUTF8(s, std::char_traits<char16_t>::length(s), *this);
}
NS_ConvertUTF16toUTF8::NS_ConvertUTF16toUTF8(const nsAString& s) {
  AppendUTF16toUTF8(s.BeginReading(), s.Length(), *this);
}

NS_LossyConvertUTF16toASCII::NS_LossyConvertUTF16toASCII(const PRUnichar* s)
    : NS_LossyConvertUTF16toASCII(nsString(s)) {}
NS_LossyConvertUTF16toASCII::NS_LossyConvertUTF16toASCII(const nsAString& s) {
  mData.reserve(s.Length());
  for (char16_t c : s.str()) mData += static_cast<char>(c & 0xFF);
}
