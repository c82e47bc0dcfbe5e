// afxstr.cpp - CString and the string helpers.
#include "afxstr.h"
#include "afxexcept.h"

#include <stdio.h>
#include <string.h>
#include <ctype.h>
#include <new>

namespace {
// The shared empty string: header with zero lengths, then the NUL.
struct EmptyString {
    CStringData hdr;
    char nul;
};
EmptyString g_empty = {{0, 0}, 0};
LPTSTR EmptyData() { return g_empty.hdr.data(); }

AFX_FINDRESOURCEHANDLEPROC g_pfnFindResourceHandle = NULL;

int SafeStrlen(LPCTSTR lpsz) { return lpsz == NULL ? 0 : (int)strlen(lpsz); }
}  // namespace

// --- construction -----------------------------------------------------------

void CString::Init() { m_pchData = EmptyData(); }

CString::CString() { Init(); }

CString::CString(const CString& stringSrc) {
    Init();
    AssignCopy(stringSrc.GetLength(), stringSrc.m_pchData);
}

CString::CString(TCHAR ch, int nRepeat) {
    Init();
    if (nRepeat > 0) {
        AllocBuffer(nRepeat);
        memset(m_pchData, ch, nRepeat);
    }
}

CString::CString(LPCTSTR lpsz) {
    Init();
    if (lpsz != NULL && IS_INTRESOURCE(lpsz)) {
        LoadString(LOWORD((ULONG_PTR)lpsz));
        return;
    }
    int nLen = SafeStrlen(lpsz);
    if (nLen != 0) {
        AllocBuffer(nLen);
        memcpy(m_pchData, lpsz, nLen);
    }
}

CString::CString(LPCTSTR lpch, int nLength) {
    Init();
    if (lpch != NULL && nLength > 0) {
        AllocBuffer(nLength);
        memcpy(m_pchData, lpch, nLength);
    }
}

CString::CString(const unsigned char* psz) : CString(reinterpret_cast<LPCTSTR>(psz)) {}

CString::~CString() { Release(); }

void CString::AllocBuffer(int nLen) {
    if (nLen <= 0) {
        Init();
        return;
    }
    if (nLen > INT_MAX - (int)sizeof(CStringData) - 1) AfxThrowMemoryException();
    void* p = ::operator new(sizeof(CStringData) + nLen + 1, std::nothrow);
    if (p == NULL) AfxThrowMemoryException();
    CStringData* pData = static_cast<CStringData*>(p);
    pData->nAllocLength = nLen;
    pData->nDataLength = nLen;
    pData->data()[nLen] = '\0';
    m_pchData = pData->data();
}

void CString::Release() {
    if (m_pchData != EmptyData()) ::operator delete(GetData());
    Init();
}

void CString::Empty() { Release(); }

void CString::EnsureRoom(int nLen) {
    if (nLen <= GetData()->nAllocLength) return;
    LPTSTR pOld = m_pchData;
    int nOldLen = GetLength();
    AllocBuffer(nLen);
    memcpy(m_pchData, pOld, nOldLen + 1);
    GetData()->nDataLength = nOldLen;
    if (pOld != EmptyData()) ::operator delete(reinterpret_cast<CStringData*>(pOld) - 1);
}

void CString::AssignCopy(int nSrcLen, LPCTSTR lpszSrcData) {
    if (nSrcLen == 0) {
        Release();
        return;
    }
    if (nSrcLen > GetData()->nAllocLength) {
        // lpszSrcData may point into our own buffer: copy before freeing
        LPTSTR pOld = m_pchData;
        AllocBuffer(nSrcLen);
        memcpy(m_pchData, lpszSrcData, nSrcLen);
        if (pOld != EmptyData()) ::operator delete(reinterpret_cast<CStringData*>(pOld) - 1);
    } else {
        memmove(m_pchData, lpszSrcData, nSrcLen);
        GetData()->nDataLength = nSrcLen;
        m_pchData[nSrcLen] = '\0';
    }
}

void CString::ConcatCopy(int nSrc1Len, LPCTSTR lpszSrc1Data, int nSrc2Len, LPCTSTR lpszSrc2Data) {
    int nNewLen = nSrc1Len + nSrc2Len;
    if (nNewLen != 0) {
        AllocBuffer(nNewLen);
        memcpy(m_pchData, lpszSrc1Data, nSrc1Len);
        memcpy(m_pchData + nSrc1Len, lpszSrc2Data, nSrc2Len);
    }
}

void CString::ConcatInPlace(int nSrcLen, LPCTSTR lpszSrcData) {
    if (nSrcLen == 0) return;
    int nOldLen = GetLength();
    if (nOldLen + nSrcLen > GetData()->nAllocLength) {
        LPTSTR pOld = m_pchData;
        // grow geometrically so repeated += stays linear
        int nRoom = nOldLen + nSrcLen;
        if (nRoom < INT_MAX / 2) nRoom += nRoom / 2;
        AllocBuffer(nRoom);
        memcpy(m_pchData, pOld, nOldLen);
        memcpy(m_pchData + nOldLen, lpszSrcData, nSrcLen);
        if (pOld != EmptyData()) ::operator delete(reinterpret_cast<CStringData*>(pOld) - 1);
    } else {
        memmove(m_pchData + nOldLen, lpszSrcData, nSrcLen);
    }
    GetData()->nDataLength = nOldLen + nSrcLen;
    m_pchData[nOldLen + nSrcLen] = '\0';
}

// --- assignment -------------------------------------------------------------

const CString& CString::operator=(const CString& stringSrc) {
    if (&stringSrc != this) AssignCopy(stringSrc.GetLength(), stringSrc.m_pchData);
    return *this;
}

const CString& CString::operator=(TCHAR ch) {
    AssignCopy(1, &ch);
    return *this;
}

const CString& CString::operator=(LPCTSTR lpsz) {
    AssignCopy(SafeStrlen(lpsz), lpsz);
    return *this;
}

const CString& CString::operator=(const unsigned char* psz) {
    return *this = reinterpret_cast<LPCTSTR>(psz);
}

const CString& CString::operator+=(const CString& string) {
    ConcatInPlace(string.GetLength(), string.m_pchData);
    return *this;
}

const CString& CString::operator+=(TCHAR ch) {
    ConcatInPlace(1, &ch);
    return *this;
}

const CString& CString::operator+=(LPCTSTR lpsz) {
    ConcatInPlace(SafeStrlen(lpsz), lpsz);
    return *this;
}

CString AFXAPI operator+(const CString& string1, const CString& string2) {
    CString s;
    s.ConcatCopy(string1.GetLength(), string1.m_pchData, string2.GetLength(), string2.m_pchData);
    return s;
}

CString AFXAPI operator+(const CString& string, TCHAR ch) {
    CString s;
    s.ConcatCopy(string.GetLength(), string.m_pchData, 1, &ch);
    return s;
}

CString AFXAPI operator+(TCHAR ch, const CString& string) {
    CString s;
    s.ConcatCopy(1, &ch, string.GetLength(), string.m_pchData);
    return s;
}

CString AFXAPI operator+(const CString& string, LPCTSTR lpsz) {
    CString s;
    s.ConcatCopy(string.GetLength(), string.m_pchData, SafeStrlen(lpsz), lpsz);
    return s;
}

CString AFXAPI operator+(LPCTSTR lpsz, const CString& string) {
    CString s;
    s.ConcatCopy(SafeStrlen(lpsz), lpsz, string.GetLength(), string.m_pchData);
    return s;
}

// --- access -----------------------------------------------------------------

TCHAR CString::GetAt(int nIndex) const {
    ASSERT(nIndex >= 0 && nIndex < GetLength());
    if (nIndex < 0 || nIndex >= GetLength()) return 0;
    return m_pchData[nIndex];
}

void CString::SetAt(int nIndex, TCHAR ch) {
    ASSERT(nIndex >= 0 && nIndex < GetLength());
    if (nIndex < 0 || nIndex >= GetLength()) return;
    m_pchData[nIndex] = ch;
}

int CString::Compare(LPCTSTR lpsz) const { return strcmp(m_pchData, lpsz ? lpsz : ""); }

int CString::CompareNoCase(LPCTSTR lpsz) const { return _stricmp(m_pchData, lpsz ? lpsz : ""); }

// --- extraction -------------------------------------------------------------

CString CString::Mid(int nFirst) const { return Mid(nFirst, GetLength() - nFirst); }

CString CString::Mid(int nFirst, int nCount) const {
    if (nFirst < 0) nFirst = 0;
    if (nCount < 0) nCount = 0;
    int nLen = GetLength();
    if (nFirst > nLen) nFirst = nLen;
    if (nCount > nLen - nFirst) nCount = nLen - nFirst;
    return CString(m_pchData + nFirst, nCount);
}

CString CString::Left(int nCount) const {
    if (nCount < 0) nCount = 0;
    if (nCount > GetLength()) nCount = GetLength();
    return CString(m_pchData, nCount);
}

CString CString::Right(int nCount) const {
    if (nCount < 0) nCount = 0;
    if (nCount > GetLength()) nCount = GetLength();
    return CString(m_pchData + GetLength() - nCount, nCount);
}

// --- editing ----------------------------------------------------------------

void CString::MakeUpper() {
    for (int i = 0; i < GetLength(); i++) m_pchData[i] = (char)toupper((unsigned char)m_pchData[i]);
}

void CString::MakeLower() {
    for (int i = 0; i < GetLength(); i++) m_pchData[i] = (char)tolower((unsigned char)m_pchData[i]);
}

namespace {
bool IsBlank(char c) { return isspace((unsigned char)c) != 0; }
}

void CString::TrimRight() {
    int n = GetLength();
    while (n > 0 && IsBlank(m_pchData[n - 1])) n--;
    if (n != GetLength()) {
        m_pchData[n] = '\0';
        GetData()->nDataLength = n;
    }
}

void CString::TrimRight(TCHAR chTarget) {
    int n = GetLength();
    while (n > 0 && m_pchData[n - 1] == chTarget) n--;
    if (n != GetLength()) {
        m_pchData[n] = '\0';
        GetData()->nDataLength = n;
    }
}

void CString::TrimRight(LPCTSTR lpszTargets) {
    if (lpszTargets == NULL) return;
    int n = GetLength();
    while (n > 0 && strchr(lpszTargets, m_pchData[n - 1]) != NULL) n--;
    if (n != GetLength()) {
        m_pchData[n] = '\0';
        GetData()->nDataLength = n;
    }
}

void CString::TrimLeft() {
    int n = 0;
    while (n < GetLength() && IsBlank(m_pchData[n])) n++;
    if (n > 0) AssignCopy(GetLength() - n, m_pchData + n);
}

void CString::TrimLeft(TCHAR chTarget) {
    int n = 0;
    while (n < GetLength() && m_pchData[n] == chTarget) n++;
    if (n > 0) AssignCopy(GetLength() - n, m_pchData + n);
}

void CString::TrimLeft(LPCTSTR lpszTargets) {
    if (lpszTargets == NULL) return;
    int n = 0;
    while (n < GetLength() && strchr(lpszTargets, m_pchData[n]) != NULL) n++;
    if (n > 0) AssignCopy(GetLength() - n, m_pchData + n);
}

int CString::Replace(TCHAR chOld, TCHAR chNew) {
    int nCount = 0;
    if (chOld == chNew) return 0;
    for (int i = 0; i < GetLength(); i++)
        if (m_pchData[i] == chOld) {
            m_pchData[i] = chNew;
            nCount++;
        }
    return nCount;
}

int CString::Replace(LPCTSTR lpszOld, LPCTSTR lpszNew) {
    int nOldLen = SafeStrlen(lpszOld);
    if (nOldLen == 0) return 0;
    int nNewLen = SafeStrlen(lpszNew);
    CString result;
    int nCount = 0;
    int nPos = 0;
    for (;;) {
        const char* pHit = strstr(m_pchData + nPos, lpszOld);
        if (pHit == NULL) break;
        int nHit = (int)(pHit - m_pchData);
        result.ConcatInPlace(nHit - nPos, m_pchData + nPos);
        result.ConcatInPlace(nNewLen, lpszNew);
        nPos = nHit + nOldLen;
        nCount++;
    }
    if (nCount != 0) {
        result.ConcatInPlace(GetLength() - nPos, m_pchData + nPos);
        *this = result;
    }
    return nCount;
}

int CString::Remove(TCHAR chRemove) {
    int nDest = 0;
    int nLen = GetLength();
    for (int i = 0; i < nLen; i++)
        if (m_pchData[i] != chRemove) m_pchData[nDest++] = m_pchData[i];
    m_pchData[nDest] = '\0';
    if (m_pchData != EmptyData()) GetData()->nDataLength = nDest;
    return nLen - nDest;
}

// --- searching --------------------------------------------------------------

int CString::Find(TCHAR ch) const { return Find(ch, 0); }

int CString::Find(TCHAR ch, int nStart) const {
    if (nStart < 0) nStart = 0;
    if (nStart >= GetLength()) return -1;
    const char* p = (const char*)memchr(m_pchData + nStart, ch, GetLength() - nStart);
    return p == NULL ? -1 : (int)(p - m_pchData);
}

int CString::Find(LPCTSTR lpszSub) const { return Find(lpszSub, 0); }

int CString::Find(LPCTSTR lpszSub, int nStart) const {
    if (lpszSub == NULL) return -1;
    if (nStart < 0) nStart = 0;
    if (nStart > GetLength()) return -1;
    const char* p = strstr(m_pchData + nStart, lpszSub);
    return p == NULL ? -1 : (int)(p - m_pchData);
}

int CString::ReverseFind(TCHAR ch) const {
    for (int i = GetLength() - 1; i >= 0; i--)
        if (m_pchData[i] == ch) return i;
    return -1;
}

// --- formatting -------------------------------------------------------------

void CString::FormatV(LPCTSTR lpszFormat, va_list argList) {
    if (lpszFormat == NULL) {
        Empty();
        return;
    }
    char buf[512];
    va_list args;
    va_copy(args, argList);
    int n = vsnprintf(buf, sizeof(buf), lpszFormat, args);
    va_end(args);
    if (n < 0) {
        Empty();
        return;
    }
    if (n < (int)sizeof(buf)) {
        AssignCopy(n, buf);
        return;
    }
    CString result;
    result.AllocBuffer(n);
    va_copy(args, argList);
    vsnprintf(result.m_pchData, n + 1, lpszFormat, args);
    va_end(args);
    *this = result;
}

void __cdecl CString::FormatArgs(LPCTSTR lpszFormat, ...) {
    va_list argList;
    va_start(argList, lpszFormat);
    FormatV(lpszFormat, argList);
    va_end(argList);
}

// --- raw buffer -------------------------------------------------------------

LPTSTR CString::GetBuffer(int nMinBufLength) {
    if (nMinBufLength < 0) nMinBufLength = 0;
    if (nMinBufLength > GetData()->nAllocLength) EnsureRoom(nMinBufLength);
    if (m_pchData == EmptyData()) {
        // the caller may write the NUL: never hand out the shared empty string
        AllocBuffer(1);
        m_pchData[0] = '\0';
        GetData()->nDataLength = 0;
    }
    return m_pchData;
}

void CString::ReleaseBuffer(int nNewLength) {
    if (m_pchData == EmptyData()) return;
    int nAlloc = GetData()->nAllocLength;
    if (nNewLength < 0) {
        const char* pEnd = (const char*)memchr(m_pchData, 0, nAlloc + 1);
        nNewLength = pEnd ? (int)(pEnd - m_pchData) : nAlloc;
    }
    if (nNewLength > nAlloc) nNewLength = nAlloc;
    GetData()->nDataLength = nNewLength;
    m_pchData[nNewLength] = '\0';
}

LPTSTR CString::GetBufferSetLength(int nNewLength) {
    if (nNewLength < 0) nNewLength = 0;
    GetBuffer(nNewLength);
    GetData()->nDataLength = nNewLength;
    m_pchData[nNewLength] = '\0';
    return m_pchData;
}

void CString::FreeExtra() {
    if (m_pchData != EmptyData() && GetLength() != GetData()->nAllocLength) {
        CString copy(m_pchData, GetLength());
        *this = CString();
        *this = copy;
    }
}

// --- resources and OLE ------------------------------------------------------

AFX_FINDRESOURCEHANDLEPROC AFXAPI AfxSetFindResourceHandleProc(AFX_FINDRESOURCEHANDLEPROC pfn) {
    AFX_FINDRESOURCEHANDLEPROC old = g_pfnFindResourceHandle;
    g_pfnFindResourceHandle = pfn;
    return old;
}

HINSTANCE AFXAPI AfxCoreFindResourceHandle(LPCTSTR lpszName, LPCTSTR lpszType) {
    if (g_pfnFindResourceHandle != NULL) return g_pfnFindResourceHandle(lpszName, lpszType);
    return ::GetModuleHandle(NULL);
}

namespace {
// The string table entry as counted characters, or NULL when missing.
const WCHAR* FindStringEntry(UINT nID, int* pnLen) {
    LPCTSTR lpszBlock = MAKEINTRESOURCE((nID >> 4) + 1);
    HINSTANCE hInst = AfxCoreFindResourceHandle(lpszBlock, RT_STRING);
    if (hInst == NULL) return NULL;
    HRSRC hRsrc = ::FindResource(hInst, lpszBlock, RT_STRING);
    if (hRsrc == NULL) return NULL;
    HGLOBAL hGlobal = ::LoadResource(hInst, hRsrc);
    DWORD cb = ::SizeofResource(hInst, hRsrc);
    const WCHAR* p = hGlobal ? (const WCHAR*)::LockResource(hGlobal) : NULL;
    if (p == NULL) return NULL;
    const WCHAR* pEnd = p + cb / sizeof(WCHAR);
    for (UINT i = 0; i < (nID & 15); i++) {
        if (p >= pEnd) return NULL;
        p += 1 + *p;
    }
    if (p >= pEnd || *p == 0 || p + 1 + *p > pEnd) return NULL;
    *pnLen = *p;
    return p + 1;
}
}  // namespace

BOOL CString::LoadString(UINT nID) {
    int nLen = 0;
    const WCHAR* pw = FindStringEntry(nID, &nLen);
    if (pw == NULL) {
        Empty();
        return FALSE;
    }
    int nBytes = ::WideCharToMultiByte(CP_ACP, 0, pw, nLen, NULL, 0, NULL, NULL);
    CString result;
    if (nBytes > 0) {
        ::WideCharToMultiByte(CP_ACP, 0, pw, nLen, result.GetBufferSetLength(nBytes), nBytes, NULL, NULL);
    }
    *this = result;
    return TRUE;
}

int AFXAPI AfxLoadString(UINT nID, LPTSTR lpszBuf, UINT nMaxBuf) {
    if (lpszBuf == NULL || nMaxBuf == 0) return 0;
    CString s;
    s.LoadString(nID);
    int n = s.GetLength();
    if ((UINT)n >= nMaxBuf) n = (int)nMaxBuf - 1;
    memcpy(lpszBuf, (LPCTSTR)s, n);
    lpszBuf[n] = '\0';
    return n;
}

BSTR CString::AllocSysString() const {
    int nWide = ::MultiByteToWideChar(CP_ACP, 0, m_pchData, GetLength(), NULL, 0);
    BSTR bstr = ::SysAllocStringLen(NULL, nWide);
    if (bstr == NULL) AfxThrowMemoryException();
    if (nWide > 0) ::MultiByteToWideChar(CP_ACP, 0, m_pchData, GetLength(), bstr, nWide);
    return bstr;
}

// --- helpers ----------------------------------------------------------------

BOOL AFXAPI AfxExtractSubString(CString& rString, LPCTSTR lpszFullString, int iSubString, TCHAR chSep) {
    rString.Empty();
    if (lpszFullString == NULL || iSubString < 0) return FALSE;
    while (iSubString--) {
        lpszFullString = strchr(lpszFullString, chSep);
        if (lpszFullString == NULL) return FALSE;
        lpszFullString++;
    }
    LPCTSTR lpchEnd = strchr(lpszFullString, chSep);
    int nLen = lpchEnd == NULL ? (int)strlen(lpszFullString) : (int)(lpchEnd - lpszFullString);
    rString = CString(lpszFullString, nLen);
    return TRUE;
}

void AFXAPI AfxAssertFailedLine(LPCSTR lpszFileName, int nLine) {
    char buf[300];
    _snprintf(buf, sizeof(buf) - 1, "Assertion failed: %s(%d)\n", lpszFileName, nLine);
    buf[sizeof(buf) - 1] = 0;
    ::OutputDebugStringA(buf);
    fputs(buf, stderr);
    abort();
}

void __cdecl AfxTrace(LPCTSTR lpszFormat, ...) {
    va_list argList;
    va_start(argList, lpszFormat);
    CString s;
    s.FormatV(lpszFormat, argList);
    va_end(argList);
    ::OutputDebugStringA(s);
}
