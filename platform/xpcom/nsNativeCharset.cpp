#include "nsNativeCharset.h"

#include <windows.h>

#include <climits>

nsresult NS_CopyCodePageToUnicode(unsigned codePage, const char* s, size_t len,
                                  nsAString& out) {
  if (!s || len == 0) return NS_OK;
  if (len > static_cast<size_t>(INT_MAX)) return NS_ERROR_OUT_OF_MEMORY;
  int n = MultiByteToWideChar(codePage, MB_PRECOMPOSED, s, static_cast<int>(len),
                              nullptr, 0);
  if (n <= 0) {
    // Some code pages (UTF-8, for instance) refuse MB_PRECOMPOSED.
    n = MultiByteToWideChar(codePage, 0, s, static_cast<int>(len), nullptr, 0);
    if (n <= 0) return NS_ERROR_INVALID_ARG;
    std::u16string& d = out.str();
    size_t at = d.size();
    d.resize(at + n);
    MultiByteToWideChar(codePage, 0, s, static_cast<int>(len),
                        reinterpret_cast<wchar_t*>(&d[at]), n);
    return NS_OK;
  }
  std::u16string& d = out.str();
  size_t at = d.size();
  d.resize(at + n);
  MultiByteToWideChar(codePage, MB_PRECOMPOSED, s, static_cast<int>(len),
                      reinterpret_cast<wchar_t*>(&d[at]), n);
  return NS_OK;
}

nsresult NS_CopyUnicodeToCodePage(unsigned codePage, const PRUnichar* s, size_t len,
                                  nsACString& out) {
  if (!s || len == 0) return NS_OK;
  if (len > static_cast<size_t>(INT_MAX) / 4) return NS_ERROR_OUT_OF_MEMORY;
  const wchar_t* w = reinterpret_cast<const wchar_t*>(s);
  int n = WideCharToMultiByte(codePage, 0, w, static_cast<int>(len), nullptr, 0,
                              nullptr, nullptr);
  if (n <= 0) return NS_ERROR_INVALID_ARG;
  std::string& d = out.str();
  size_t at = d.size();
  d.resize(at + n);
  WideCharToMultiByte(codePage, 0, w, static_cast<int>(len), &d[at], n, nullptr,
                      nullptr);
  return NS_OK;
}

nsresult NS_CopyNativeToUnicode(const nsACString& in, nsAString& out) {
  out.Truncate();
  return NS_CopyCodePageToUnicode(CP_ACP, in.BeginReading(), in.Length(), out);
}

nsresult NS_CopyUnicodeToNative(const nsAString& in, nsACString& out) {
  out.Truncate();
  return NS_CopyUnicodeToCodePage(CP_ACP, in.BeginReading(), in.Length(), out);
}

NS_ConvertAnsiToUTF16::NS_ConvertAnsiToUTF16(const char* s)
    : NS_ConvertAnsiToUTF16(nsDependentCString(s)) {}
NS_ConvertAnsiToUTF16::NS_ConvertAnsiToUTF16(const nsACString& s) {
  NS_CopyNativeToUnicode(s, *this);
}
NS_ConvertUTF16toAnsi::NS_ConvertUTF16toAnsi(const PRUnichar* s)
    : NS_ConvertUTF16toAnsi(nsString(s)) {}
NS_ConvertUTF16toAnsi::NS_ConvertUTF16toAnsi(const nsAString& s) {
  NS_CopyUnicodeToNative(s, *this);
}
