// nsNativeCharset.h - conversions between Windows code pages and UTF-16.
//
// Contents: NS_CopyCodePageToUnicode / NS_CopyUnicodeToCodePage (any code
// page the system knows), NS_CopyNativeToUnicode / NS_CopyUnicodeToNative
// (the ANSI code page), and the NS_ConvertAnsiToUTF16 / NS_ConvertUTF16toAnsi
// string classes. Windows only.
#pragma once

#include "nsString.h"

// Appends the conversion of len bytes in the code page to out. Characters the
// code page cannot map come out as the system's default. NS_ERROR_INVALID_ARG
// for a code page the system does not have; the empty input gives NS_OK.
nsresult NS_CopyCodePageToUnicode(unsigned codePage, const char* s, size_t len,
                                  nsAString& out);
nsresult NS_CopyUnicodeToCodePage(unsigned codePage, const PRUnichar* s, size_t len,
                                  nsACString& out);

// The ANSI code page (CP_ACP). `out` is replaced.
nsresult NS_CopyNativeToUnicode(const nsACString& in, nsAString& out);
nsresult NS_CopyUnicodeToNative(const nsAString& in, nsACString& out);

class NS_ConvertAnsiToUTF16 : public nsAutoString {
 public:
  explicit NS_ConvertAnsiToUTF16(const char* s);
  explicit NS_ConvertAnsiToUTF16(const nsACString& s);
};
class NS_ConvertUTF16toAnsi : public nsAutoCString {
 public:
  explicit NS_ConvertUTF16toAnsi(const PRUnichar* s);
  explicit NS_ConvertUTF16toAnsi(const nsAString& s);
};
