// tchar.h - the single-byte text functions of the native stand-in for the
// class library's core (see windows.h beside it).
#pragma once

#include <cctype>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <strings.h>

#define _T(x) x
#define _TEXT(x) x
#define _tcslen strlen
#define _tcscpy strcpy
#define _tcsncpy strncpy
#define _tcscat strcat
#define _tcscmp strcmp
#define _tcsicmp strcasecmp
#define _stricmp strcasecmp
#define _snprintf snprintf
#define _tcsncmp strncmp
#define _tcsnicmp strncasecmp
#define _tcscoll strcoll
#define _tcsicoll strcasecmp
#define _tcschr strchr
#define _tcsrchr strrchr
#define _tcsstr strstr
#define _tcsspn strspn
#define _tcscspn strcspn
#define _tcspbrk strpbrk
#define _tcstok strtok
#define _vsntprintf vsnprintf
#define _vsctprintf(f, a) vsnprintf(nullptr, 0, f, a)
#define _stprintf sprintf
#define _istspace(c) isspace((unsigned char)(c))
#define _istdigit(c) isdigit((unsigned char)(c))
#define _totupper toupper
#define _totlower tolower
#define _tcsinc(p) ((p) + 1)
#define _tcsdec(s, p) ((p) > (s) ? (p) - 1 : nullptr)

inline char* _tcsupr(char* s) {
  for (char* p = s; *p; ++p) *p = static_cast<char>(toupper(static_cast<unsigned char>(*p)));
  return s;
}
inline char* _tcslwr(char* s) {
  for (char* p = s; *p; ++p) *p = static_cast<char>(tolower(static_cast<unsigned char>(*p)));
  return s;
}
inline char* _tcsrev(char* s) {
  for (size_t i = 0, j = strlen(s); i + 1 < j; ++i, --j) {
    char c = s[i];
    s[i] = s[j - 1];
    s[j - 1] = c;
  }
  return s;
}
inline char* _tcsspnp(const char* s, const char* set) {
  s += strspn(s, set);
  return *s ? const_cast<char*>(s) : nullptr;
}
