// afxarchive.h - CArchive, the binary object stream.
//
// The byte format (little-endian) is the one the stored state of the system
// uses; state written by one build reads back in the next:
// - counts: WORD below 0xFFFF, else WORD 0xFFFF then DWORD;
// - strings: length below 0xFF as BYTE; below 0xFFFE as 0xFF + WORD; else
//   0xFF, 0xFFFF + DWORD; then the characters without NUL. The prefix
//   0xFF 0xFFFE (a wide string) is refused on reading;
// - object tags (WORD): 0 null; 0xFFFF new class (WORD schema, WORD name
//   length, name) then the object; 0x8000|i new object of known class i;
//   i a reference to stored object i; 0x7FFF + DWORD the same for indexes
//   from 0x7FFF on (0x80000000|i for a class).
// Reading errors throw CArchiveException: endOfFile on short data, badClass
// for an unknown class or one outside the required class, badSchema for a
// schema the class does not accept, badIndex for a tag that names nothing.
#pragma once
#include "afxdefs.h"
#include "afxobj.h"
#include "afxstr.h"
#include "afxexcept.h"
#include "afxfile.h"

#include <unordered_map>
#include <vector>

class CArchive {
public:
    enum Mode { store = 0, load = 1, bNoFlushOnDelete = 2, bNoByteSwap = 4 };

    CArchive(CFile* pFile, UINT nMode, int nBufSize = 4096, void* lpBuf = NULL);
    ~CArchive();  // flushes a storing archive unless Abort/Close ran

    // attributes
    BOOL IsLoading() const { return (m_nMode & load) != 0; }
    BOOL IsStoring() const { return (m_nMode & load) == 0; }
    BOOL IsByteSwapping() const { return FALSE; }
    BOOL IsBufferEmpty() const { return m_lpBufCur == m_lpBufMax; }
    CFile* GetFile() const { return m_pFile; }
    // The schema of the object being read (for VERSIONABLE_SCHEMA classes);
    // answers (UINT)-1 after the first call for the same object.
    UINT GetObjectSchema();
    void SetObjectSchema(UINT nSchema) { m_nObjectSchema = nSchema; }

    CString m_strFileName;  // used in exception texts
    CObject* m_pDocument;   // free for the application's use

    // raw access
    UINT Read(void* lpBuf, UINT nMax);  // answers the bytes read (short at the end)
    void Write(const void* lpBuf, UINT nMax);
    void Flush();
    void Close();
    void Abort();  // closes without flushing or throwing

    // counts
    void WriteCount(DWORD_PTR dwCount);
    DWORD_PTR ReadCount();

    // objects and classes
    void WriteObject(const CObject* pOb);
    // Reads an object tag and, for a new object, its data. The object's class
    // must derive from pClassRefRequested (NULL: any serialisable class); this
    // is checked before anything is created.
    CObject* ReadObject(const CRuntimeClass* pClassRefRequested);
    void WriteClass(const CRuntimeClass* pClassRef);
    CRuntimeClass* ReadClass(const CRuntimeClass* pClassRefRequested = NULL, UINT* pSchema = NULL,
                             DWORD* pObTag = NULL);
    void SerializeClass(const CRuntimeClass* pClassRef);

    // strings (also through << and >>)
    void WriteString(LPCTSTR lpsz);  // the text alone, no prefix, no NUL

    // insertion
    CArchive& operator<<(BYTE by) { return WriteRaw(&by, 1); }
    CArchive& operator<<(char ch) { return WriteRaw(&ch, 1); }
    CArchive& operator<<(WORD w) { return WriteRaw(&w, 2); }
    CArchive& operator<<(short w) { return WriteRaw(&w, 2); }
    CArchive& operator<<(LONG l) { return WriteRaw(&l, 4); }
    CArchive& operator<<(DWORD dw) { return WriteRaw(&dw, 4); }
    CArchive& operator<<(int i) { return WriteRaw(&i, 4); }
    CArchive& operator<<(UINT u) { return WriteRaw(&u, 4); }
    CArchive& operator<<(float f) { return WriteRaw(&f, 4); }
    CArchive& operator<<(double d) { return WriteRaw(&d, 8); }
    CArchive& operator<<(const RECT& rc) { return WriteRaw(&rc, 16); }
    CArchive& operator<<(const POINT& pt) { return WriteRaw(&pt, 8); }
    CArchive& operator<<(const SIZE& sz) { return WriteRaw(&sz, 8); }

    // extraction (short data throws endOfFile)
    CArchive& operator>>(BYTE& by) { return ReadRaw(&by, 1); }
    CArchive& operator>>(char& ch) { return ReadRaw(&ch, 1); }
    CArchive& operator>>(WORD& w) { return ReadRaw(&w, 2); }
    CArchive& operator>>(short& w) { return ReadRaw(&w, 2); }
    CArchive& operator>>(LONG& l) { return ReadRaw(&l, 4); }
    CArchive& operator>>(DWORD& dw) { return ReadRaw(&dw, 4); }
    CArchive& operator>>(int& i) { return ReadRaw(&i, 4); }
    CArchive& operator>>(UINT& u) { return ReadRaw(&u, 4); }
    CArchive& operator>>(float& f) { return ReadRaw(&f, 4); }
    CArchive& operator>>(double& d) { return ReadRaw(&d, 8); }
    CArchive& operator>>(RECT& rc) { return ReadRaw(&rc, 16); }
    CArchive& operator>>(POINT& pt) { return ReadRaw(&pt, 8); }
    CArchive& operator>>(SIZE& sz) { return ReadRaw(&sz, 8); }

    // objects
    friend CArchive& AFXAPI operator<<(CArchive& ar, const CObject* pOb);
    friend CArchive& AFXAPI operator>>(CArchive& ar, CObject*& pOb);
    friend CArchive& AFXAPI operator>>(CArchive& ar, const CObject*& pOb);

    // Reads exactly nCount bytes or throws endOfFile.
    void EnsureRead(void* lpBuf, UINT nCount);

    // The bytes a loading archive can still deliver when the file knows its
    // length, (DWORD_PTR)-1 otherwise. Loaders use it to refuse counts larger
    // than the data before allocating.
    DWORD_PTR GetRemaining() const;

private:
    CArchive(const CArchive&) = delete;
    CArchive& operator=(const CArchive&) = delete;

    CArchive& WriteRaw(const void* p, UINT n) {
        Write(p, n);
        return *this;
    }
    CArchive& ReadRaw(void* p, UINT n) {
        EnsureRead(p, n);
        return *this;
    }
    void FillBuffer(UINT nBytesNeeded);
    [[noreturn]] void Throw(int cause) const;
    void WriteTag(DWORD nTag, bool bClass);
    DWORD MapCount() const;

    UINT m_nMode;
    BOOL m_bClosed;
    CFile* m_pFile;
    BYTE* m_lpBufStart;
    BYTE* m_lpBufCur;
    BYTE* m_lpBufMax;
    UINT m_nBufSize;
    BOOL m_bUserBuf;
    UINT m_nObjectSchema;
    int m_nUncaughtAtStart;  // a destructor run by unwinding does not flush

    // Storing: object or class address -> index. Loading: index -> object or
    // class (classes are kept with their stored schema).
    struct LoadEntry {
        void* p;
        bool bClass;
        UINT nSchema;
    };
    std::unordered_map<const void*, DWORD> m_storeMap;
    std::vector<LoadEntry> m_loadArray;
};

CArchive& AFXAPI operator<<(CArchive& ar, const CObject* pOb);
CArchive& AFXAPI operator>>(CArchive& ar, CObject*& pOb);
CArchive& AFXAPI operator>>(CArchive& ar, const CObject*& pOb);
