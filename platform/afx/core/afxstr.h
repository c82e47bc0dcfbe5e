// afxstr.h - CString, the 8-bit string of the class library, and
// AfxExtractSubString.
//
// A CString holds one pointer to its characters; a small header before them
// keeps the length and the allocated size. Copies are deep. The characters
// are always NUL-terminated, so operator LPCTSTR hands out the buffer itself.
#pragma once
#include "afxdefs.h"
#include <oleauto.h>

struct CStringData {
    int nDataLength;   // characters in use, without the NUL
    int nAllocLength;  // room for characters, without the NUL
    char* data() { return reinterpret_cast<char*>(this + 1); }
};

// Format's argument filter: everything passes unchanged except CString.
template <class T>
inline const T& AfxFormatArg(const T& arg) {
    return arg;
}

class CString {
public:
    // construction
    CString();
    CString(const CString& stringSrc);
    CString(TCHAR ch, int nRepeat = 1);
    CString(LPCTSTR lpsz);  // a MAKEINTRESOURCE value loads that string
    CString(LPCTSTR lpch, int nLength);
    CString(const unsigned char* psz);
    ~CString();

    // attributes
    int GetLength() const { return GetData()->nDataLength; }
    BOOL IsEmpty() const { return GetData()->nDataLength == 0; }
    void Empty();
    TCHAR GetAt(int nIndex) const;
    TCHAR operator[](int nIndex) const { return GetAt(nIndex); }
    void SetAt(int nIndex, TCHAR ch);
    operator LPCTSTR() const { return m_pchData; }

    // assignment and concatenation
    const CString& operator=(const CString& stringSrc);
    const CString& operator=(TCHAR ch);
    const CString& operator=(LPCTSTR lpsz);
    const CString& operator=(const unsigned char* psz);
    const CString& operator+=(const CString& string);
    const CString& operator+=(TCHAR ch);
    const CString& operator+=(LPCTSTR lpsz);
    friend CString AFXAPI operator+(const CString& string1, const CString& string2);
    friend CString AFXAPI operator+(const CString& string, TCHAR ch);
    friend CString AFXAPI operator+(TCHAR ch, const CString& string);
    friend CString AFXAPI operator+(const CString& string, LPCTSTR lpsz);
    friend CString AFXAPI operator+(LPCTSTR lpsz, const CString& string);

    // comparison: byte-wise, as strcmp
    int Compare(LPCTSTR lpsz) const;
    int CompareNoCase(LPCTSTR lpsz) const;

    // extraction (out-of-range arguments are clamped)
    CString Mid(int nFirst, int nCount) const;
    CString Mid(int nFirst) const;
    CString Left(int nCount) const;
    CString Right(int nCount) const;

    // case, trimming, editing
    void MakeUpper();
    void MakeLower();
    void TrimRight();
    void TrimRight(TCHAR chTarget);
    void TrimRight(LPCTSTR lpszTargets);
    void TrimLeft();
    void TrimLeft(TCHAR chTarget);
    void TrimLeft(LPCTSTR lpszTargets);
    void Trim() { TrimRight(); TrimLeft(); }
    void Trim(TCHAR chTarget) { TrimRight(chTarget); TrimLeft(chTarget); }
    void Trim(LPCTSTR lpszTargets) { TrimRight(lpszTargets); TrimLeft(lpszTargets); }
    int Replace(TCHAR chOld, TCHAR chNew);
    int Replace(LPCTSTR lpszOld, LPCTSTR lpszNew);
    int Remove(TCHAR chRemove);

    // searching: index of the first match, or -1
    int Find(TCHAR ch) const;
    int Find(TCHAR ch, int nStart) const;
    int Find(LPCTSTR lpszSub) const;
    int Find(LPCTSTR lpszSub, int nStart) const;
    int ReverseFind(TCHAR ch) const;

    // formatting (printf forms; the result may be of any length). A CString
    // argument is passed on as its characters, so Format("%s", str) works
    // without a cast (other variadic calls still need (LPCTSTR)str).
    template <class... Args>
    void Format(LPCTSTR lpszFormat, const Args&... args) {
        FormatArgs(lpszFormat, AfxFormatArg(args)...);
    }
    template <class... Args>
    void Format(UINT nFormatID, const Args&... args) {
        CString strFormat;
        strFormat.LoadString(nFormatID);
        FormatArgs(strFormat.m_pchData, AfxFormatArg(args)...);
    }
    void __cdecl FormatArgs(LPCTSTR lpszFormat, ...);
    void FormatV(LPCTSTR lpszFormat, va_list argList);

    // resources: the string table entry of nID, found through the
    // resource chain (see AfxSetFindResourceHandleProc). FALSE if missing.
    BOOL LoadString(UINT nID);

    // OLE
    BSTR AllocSysString() const;

    // raw buffer access
    LPTSTR GetBuffer(int nMinBufLength);
    void ReleaseBuffer(int nNewLength = -1);
    LPTSTR GetBufferSetLength(int nNewLength);
    void FreeExtra();

    // archive operators (afxarchive.h)
    friend CArchive& AFXAPI operator<<(CArchive& ar, const CString& string);
    friend CArchive& AFXAPI operator>>(CArchive& ar, CString& string);

protected:
    LPTSTR m_pchData;

    CStringData* GetData() const { return reinterpret_cast<CStringData*>(m_pchData) - 1; }
    void Init();
    void AllocBuffer(int nLen);    // fresh buffer, old one not freed
    void Release();                // frees and returns to the empty string
    void AssignCopy(int nSrcLen, LPCTSTR lpszSrcData);
    void ConcatInPlace(int nSrcLen, LPCTSTR lpszSrcData);
    void ConcatCopy(int nSrc1Len, LPCTSTR lpszSrc1Data, int nSrc2Len, LPCTSTR lpszSrc2Data);
    void EnsureRoom(int nLen);     // room for nLen characters, contents kept
};

inline LPCTSTR AfxFormatArg(const CString& arg) { return arg; }

// comparison operators
inline bool AFXAPI operator==(const CString& s1, const CString& s2) { return s1.Compare(s2) == 0; }
inline bool AFXAPI operator==(const CString& s1, LPCTSTR s2) { return s1.Compare(s2) == 0; }
inline bool AFXAPI operator==(LPCTSTR s1, const CString& s2) { return s2.Compare(s1) == 0; }
inline bool AFXAPI operator!=(const CString& s1, const CString& s2) { return s1.Compare(s2) != 0; }
inline bool AFXAPI operator!=(const CString& s1, LPCTSTR s2) { return s1.Compare(s2) != 0; }
inline bool AFXAPI operator!=(LPCTSTR s1, const CString& s2) { return s2.Compare(s1) != 0; }
inline bool AFXAPI operator<(const CString& s1, const CString& s2) { return s1.Compare(s2) < 0; }
inline bool AFXAPI operator<(const CString& s1, LPCTSTR s2) { return s1.Compare(s2) < 0; }
inline bool AFXAPI operator<(LPCTSTR s1, const CString& s2) { return s2.Compare(s1) > 0; }
inline bool AFXAPI operator>(const CString& s1, const CString& s2) { return s1.Compare(s2) > 0; }
inline bool AFXAPI operator>(const CString& s1, LPCTSTR s2) { return s1.Compare(s2) > 0; }
inline bool AFXAPI operator>(LPCTSTR s1, const CString& s2) { return s2.Compare(s1) < 0; }
inline bool AFXAPI operator<=(const CString& s1, const CString& s2) { return s1.Compare(s2) <= 0; }
inline bool AFXAPI operator>=(const CString& s1, const CString& s2) { return s1.Compare(s2) >= 0; }

// The iSubString-th part of lpszFullString split at chSep. FALSE (and an
// empty rString) when there are fewer parts.
BOOL AFXAPI AfxExtractSubString(CString& rString, LPCTSTR lpszFullString, int iSubString,
                                TCHAR chSep = _T('\n'));

// The resource chain. CString::LoadString asks this function for the module
// that holds a resource; the window half installs AfxFindResourceHandle here.
// Without one, the executable's own module is used.
typedef HINSTANCE(AFXAPI* AFX_FINDRESOURCEHANDLEPROC)(LPCTSTR lpszName, LPCTSTR lpszType);
AFX_FINDRESOURCEHANDLEPROC AFXAPI AfxSetFindResourceHandleProc(AFX_FINDRESOURCEHANDLEPROC pfn);
HINSTANCE AFXAPI AfxCoreFindResourceHandle(LPCTSTR lpszName, LPCTSTR lpszType);

// Loads string nID into lpszBuf (at most nMaxBuf - 1 characters) through the
// resource chain; answers the length, 0 when missing.
int AFXAPI AfxLoadString(UINT nID, LPTSTR lpszBuf, UINT nMaxBuf);
