// afxfile.h - files: CFile (over a Win32 handle), CMemFile, CSharedFile,
// CFileFind, and AfxFullPath.
#pragma once
#include "afxdefs.h"
#include "afxobj.h"
#include "afxstr.h"
#include "afxexcept.h"

class CFile : public CObject {
    DECLARE_DYNAMIC(CFile)
public:
    enum OpenFlags {
        modeRead = 0x0000,
        modeWrite = 0x0001,
        modeReadWrite = 0x0002,
        shareCompat = 0x0000,
        shareExclusive = 0x0010,
        shareDenyWrite = 0x0020,
        shareDenyRead = 0x0030,
        shareDenyNone = 0x0040,
        modeNoInherit = 0x0080,
        modeCreate = 0x1000,
        modeNoTruncate = 0x2000,
        typeText = 0x4000,
        typeBinary = (int)0x8000
    };
    enum Attribute { normal = 0x00, readOnly = 0x01, hidden = 0x02, system = 0x04, volume = 0x08,
                     directory = 0x10, archive = 0x20 };
    enum SeekPosition { begin = 0x0, current = 0x1, end = 0x2 };
    static const HANDLE hFileNull;

    // construction
    CFile();
    // Wraps an open handle. The object does not close it: Close and the
    // destructor leave the handle to its owner.
    explicit CFile(HANDLE hFile);
    // Opens; throws CFileException on failure.
    CFile(LPCTSTR lpszFileName, UINT nOpenFlags);
    virtual ~CFile();

    // Opens; FALSE on failure, with the cause in *pError when given.
    virtual BOOL Open(LPCTSTR lpszFileName, UINT nOpenFlags, CFileException* pError = NULL);

    // attributes
    HANDLE m_hFile;
    operator HANDLE() const { return m_hFile; }
    virtual CString GetFileName() const;
    virtual CString GetFilePath() const { return m_strFileName; }
    virtual DWORD GetPosition() const;

    // operations (errors throw CFileException)
    virtual LONG Seek(LONG lOff, UINT nFrom);
    void SeekToBegin() { Seek(0, begin); }
    DWORD SeekToEnd() { return (DWORD)Seek(0, end); }
    virtual void SetLength(DWORD dwNewLen);
    virtual DWORD GetLength() const;
    virtual UINT Read(void* lpBuf, UINT nCount);  // answers the bytes read; 0 at the end
    virtual void Write(const void* lpBuf, UINT nCount);
    virtual void Flush();
    virtual void Close();
    virtual void Abort();  // closes without throwing
    virtual CFile* Duplicate() const;

    static void PASCAL Remove(LPCTSTR lpszFileName);
    static void PASCAL Rename(LPCTSTR lpszOldName, LPCTSTR lpszNewName);

protected:
    BOOL m_bCloseOnDelete;
    CString m_strFileName;
};

// A file in memory. It grows in steps of nGrowBytes; a buffer given to
// Attach with nGrowBytes 0 is read-only in size (writing past it throws).
class CMemFile : public CFile {
    DECLARE_DYNAMIC(CMemFile)
public:
    explicit CMemFile(UINT nGrowBytes = 1024);
    CMemFile(BYTE* lpBuffer, UINT nBufferSize, UINT nGrowBytes = 0);
    virtual ~CMemFile();

    // Uses lpBuffer as the file's data; with nGrowBytes 0 the file holds
    // nBufferSize bytes, otherwise it starts empty and may grow (the buffer
    // must then come from malloc).
    void Attach(BYTE* lpBuffer, UINT nBufferSize, UINT nGrowBytes = 0);
    // Hands the buffer to the caller (who frees it with free() when the file
    // allocated it) and leaves the file empty.
    BYTE* Detach();

    DWORD GetLength() const override;
    DWORD GetPosition() const override { return (DWORD)m_nPosition; }
    LONG Seek(LONG lOff, UINT nFrom) override;
    void SetLength(DWORD dwNewLen) override;
    UINT Read(void* lpBuf, UINT nCount) override;
    void Write(const void* lpBuf, UINT nCount) override;
    void Flush() override;
    void Close() override;
    void Abort() override;
    CFile* Duplicate() const override;

protected:
    virtual BYTE* Alloc(SIZE_T nBytes);
    virtual BYTE* Realloc(BYTE* lpMem, SIZE_T nBytes);
    virtual void Free(BYTE* lpMem);
    virtual void GrowFile(SIZE_T dwNewLen);

    UINT m_nGrowBytes;
    SIZE_T m_nPosition;
    SIZE_T m_nBufferSize;
    SIZE_T m_nFileSize;
    BYTE* m_lpBuffer;
    BOOL m_bAutoDelete;  // the file frees m_lpBuffer
};

// A CMemFile in global memory (GMEM_MOVEABLE | GMEM_DDESHARE), for the
// clipboard and OLE data transfer.
class CSharedFile : public CMemFile {
    DECLARE_DYNAMIC(CSharedFile)
public:
    explicit CSharedFile(UINT nAllocFlags = GMEM_MOVEABLE | GMEM_DDESHARE, UINT nGrowBytes = 4096);
    virtual ~CSharedFile();

    // Hands the global memory (of GetLength() bytes at least) to the caller.
    HGLOBAL Detach();
    // Uses hGlobalMemory as the file's data; with bAllowGrow the file may
    // reallocate it.
    void SetHandle(HGLOBAL hGlobalMemory, BOOL bAllowGrow = TRUE);

protected:
    BYTE* Alloc(SIZE_T nBytes) override;
    BYTE* Realloc(BYTE* lpMem, SIZE_T nBytes) override;
    void Free(BYTE* lpMem) override;

    UINT m_nAllocFlags;
    HGLOBAL m_hGlobalMemory;
    BOOL m_bAllowGrow;
};

// Walks the files that match a name or a wild-card pattern.
class CFileFind : public CObject {
    DECLARE_DYNAMIC(CFileFind)
public:
    CFileFind();
    virtual ~CFileFind();

    // Starts a search; pstrName NULL means "*.*". The path is taken exactly as
    // given. FALSE when nothing matches.
    virtual BOOL FindFile(LPCTSTR pstrName = NULL, DWORD dwUnused = 0);
    // Moves to the next match; FALSE when the current one is the last (it is
    // still readable then).
    virtual BOOL FindNextFile();
    void Close();

    // the current match
    CString GetFileName() const;
    CString GetFilePath() const;
    CString GetFileTitle() const;
    CString GetRoot() const { return m_strRoot; }
    ULONGLONG GetLength() const;
    BOOL GetLastWriteTime(FILETIME* pTimeStamp) const;
    BOOL MatchesMask(DWORD dwMask) const;
    BOOL IsDots() const;
    BOOL IsDirectory() const { return MatchesMask(FILE_ATTRIBUTE_DIRECTORY); }
    BOOL IsReadOnly() const { return MatchesMask(FILE_ATTRIBUTE_READONLY); }
    BOOL IsHidden() const { return MatchesMask(FILE_ATTRIBUTE_HIDDEN); }

protected:
    WIN32_FIND_DATA* m_pFoundInfo;  // the current match
    WIN32_FIND_DATA* m_pNextInfo;   // read ahead
    HANDLE m_hContext;
    BOOL m_bGotLast;
    CString m_strRoot;  // folder of the pattern, with its trailing separator
};

// The absolute, normalised form of lpszFileIn in lpszPathOut (MAX_PATH
// characters). FALSE, with the input copied, when it cannot be resolved.
BOOL AFXAPI AfxFullPath(LPTSTR lpszPathOut, LPCTSTR lpszFileIn);
