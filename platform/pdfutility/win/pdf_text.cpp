#include "pdf_text.h"

#include <windows.h>

#include <cwchar>

#include "pdf_format.h"

namespace twpdf {

std::string AnsiToUtf8(const char* text, unsigned code_page) {
  if (!text || !*text) return std::string();
  int n = MultiByteToWideChar(code_page, 0, text, -1, nullptr, 0);
  if (n <= 0) return std::string();
  std::wstring wide(static_cast<size_t>(n), L'\0');
  MultiByteToWideChar(code_page, 0, text, -1, &wide[0], n);
  return Utf16ToUtf8(wide.c_str(), static_cast<size_t>(n - 1));
}

std::string Utf16ToUtf8(const wchar_t* text, size_t length) {
  std::u32string cps;
  for (size_t i = 0; text && i < length; ++i) {
    char32_t u = static_cast<char16_t>(text[i]);
    if (u >= 0xD800 && u <= 0xDBFF && i + 1 < length) {
      char32_t v = static_cast<char16_t>(text[i + 1]);
      if (v >= 0xDC00 && v <= 0xDFFF) {
        cps += 0x10000 + ((u - 0xD800) << 10) + (v - 0xDC00);
        ++i;
        continue;
      }
    }
    cps += (u >= 0xD800 && u <= 0xDFFF) ? char32_t(0xFFFD) : u;
  }
  return EncodeUtf8(cps);
}

std::string Utf16ToUtf8(const wchar_t* text) {
  return text ? Utf16ToUtf8(text, std::wcslen(text)) : std::string();
}

}  // namespace twpdf
