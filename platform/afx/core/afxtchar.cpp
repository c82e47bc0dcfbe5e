// afxtchar.cpp - the _tcs string functions of an _MBCS build.
//
// mingw-w64's <tchar.h> declares most _tcs functions of the multi-byte
// build as imports of the C runtime (unless _MB_MAP_DIRECT is defined),
// but the runtime exports them only under their _mbs names, so every use
// fails to link. This file supplies those imports, each forwarding to the
// _mbs function that the multi-byte build means. Programs that link this
// library can use <tchar.h> as written.
#include <mbstring.h>
#include <stddef.h>

typedef unsigned char* PUC;
typedef const unsigned char* PCUC;

#define AFX_TCS_IMPORT(name, ret, params, call)       \
    static ret __cdecl afx##name params { return call; } \
    extern "C" {                                       \
    ret(__cdecl* __imp_##name) params = &afx##name;    \
    }

AFX_TCS_IMPORT(_tcschr, char*, (const char* s, unsigned int c), (char*)_mbschr((PCUC)s, c))
AFX_TCS_IMPORT(_tcsrchr, char*, (const char* s, unsigned int c), (char*)_mbsrchr((PCUC)s, c))
AFX_TCS_IMPORT(_tcsstr, char*, (const char* s, const char* t), (char*)_mbsstr((PCUC)s, (PCUC)t))
AFX_TCS_IMPORT(_tcspbrk, char*, (const char* s, const char* t), (char*)_mbspbrk((PCUC)s, (PCUC)t))
AFX_TCS_IMPORT(_tcscspn, size_t, (const char* s, const char* t), _mbscspn((PCUC)s, (PCUC)t))
AFX_TCS_IMPORT(_tcsspn, size_t, (const char* s, const char* t), _mbsspn((PCUC)s, (PCUC)t))
AFX_TCS_IMPORT(_tcsspnp, char*, (const char* s, const char* t), (char*)_mbsspnp((PCUC)s, (PCUC)t))
AFX_TCS_IMPORT(_tcstok, char*, (char* s, const char* t), (char*)_mbstok((PUC)s, (PCUC)t))
AFX_TCS_IMPORT(_tcsncat, char*, (char* d, const char* s, size_t n), (char*)_mbsnbcat((PUC)d, (PCUC)s, n))
AFX_TCS_IMPORT(_tcsncpy, char*, (char* d, const char* s, size_t n), (char*)_mbsnbcpy((PUC)d, (PCUC)s, n))
AFX_TCS_IMPORT(_tcsnccat, char*, (char* d, const char* s, size_t n), (char*)_mbsncat((PUC)d, (PCUC)s, n))
AFX_TCS_IMPORT(_tcsnccpy, char*, (char* d, const char* s, size_t n), (char*)_mbsncpy((PUC)d, (PCUC)s, n))
AFX_TCS_IMPORT(_tcsnset, char*, (char* s, unsigned int c, size_t n), (char*)_mbsnbset((PUC)s, c, n))
AFX_TCS_IMPORT(_tcsncset, char*, (char* s, unsigned int c, size_t n), (char*)_mbsnset((PUC)s, c, n))
AFX_TCS_IMPORT(_tcsset, char*, (char* s, unsigned int c), (char*)_mbsset((PUC)s, c))
AFX_TCS_IMPORT(_tcsrev, char*, (char* s), (char*)_mbsrev((PUC)s))
AFX_TCS_IMPORT(_tcslwr, char*, (char* s), (char*)_mbslwr((PUC)s))
AFX_TCS_IMPORT(_tcsupr, char*, (char* s), (char*)_mbsupr((PUC)s))
AFX_TCS_IMPORT(_tcscmp, int, (const char* s, const char* t), _mbscmp((PCUC)s, (PCUC)t))
AFX_TCS_IMPORT(_tcsicmp, int, (const char* s, const char* t), _mbsicmp((PCUC)s, (PCUC)t))
AFX_TCS_IMPORT(_tcsncmp, int, (const char* s, const char* t, size_t n), _mbsnbcmp((PCUC)s, (PCUC)t, n))
AFX_TCS_IMPORT(_tcsnicmp, int, (const char* s, const char* t, size_t n), _mbsnbicmp((PCUC)s, (PCUC)t, n))
AFX_TCS_IMPORT(_tcsnccmp, int, (const char* s, const char* t, size_t n), _mbsncmp((PCUC)s, (PCUC)t, n))
AFX_TCS_IMPORT(_tcsncicmp, int, (const char* s, const char* t, size_t n), _mbsnicmp((PCUC)s, (PCUC)t, n))
AFX_TCS_IMPORT(_tcscoll, int, (const char* s, const char* t), _mbscoll((PCUC)s, (PCUC)t))
AFX_TCS_IMPORT(_tcsicoll, int, (const char* s, const char* t), _mbsicoll((PCUC)s, (PCUC)t))
AFX_TCS_IMPORT(_tcsncoll, int, (const char* s, const char* t, size_t n), _mbsnbcoll((PCUC)s, (PCUC)t, n))
AFX_TCS_IMPORT(_tcsnicoll, int, (const char* s, const char* t, size_t n), _mbsnbicoll((PCUC)s, (PCUC)t, n))
AFX_TCS_IMPORT(_tcsnccoll, int, (const char* s, const char* t, size_t n), _mbsncoll((PCUC)s, (PCUC)t, n))
AFX_TCS_IMPORT(_tcsncicoll, int, (const char* s, const char* t, size_t n), _mbsnicoll((PCUC)s, (PCUC)t, n))
AFX_TCS_IMPORT(_tcsclen, size_t, (const char* s), _mbslen((PCUC)s))
AFX_TCS_IMPORT(_tcsdec, char*, (const char* s, const char* p), (char*)_mbsdec((PCUC)s, (PCUC)p))
AFX_TCS_IMPORT(_tcsinc, char*, (const char* p), (char*)_mbsinc((PCUC)p))
AFX_TCS_IMPORT(_tcsninc, char*, (const char* p, size_t n), (char*)_mbsninc((PCUC)p, n))
AFX_TCS_IMPORT(_tcsnbcnt, size_t, (const char* s, size_t n), _mbsnbcnt((PCUC)s, n))
AFX_TCS_IMPORT(_tcsnccnt, size_t, (const char* s, size_t n), _mbsnccnt((PCUC)s, n))
AFX_TCS_IMPORT(_tcsnextc, unsigned int, (const char* s), _mbsnextc((PCUC)s))
AFX_TCS_IMPORT(_tclen, size_t, (const char* s), _mbclen((PCUC)s))

static void __cdecl afx_tccpy(char* d, const char* s) { _mbccpy((PUC)d, (PCUC)s); }
extern "C" {
void(__cdecl* __imp__tccpy)(char*, const char*) = &afx_tccpy;
}
