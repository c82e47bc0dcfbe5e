// afxfile.cpp - CFile, CMemFile, CSharedFile, CFileFind, AfxFullPath.
#include "afxfile.h"

#include <stdlib.h>
#include <string.h>

IMPLEMENT_DYNAMIC(CFile, CObject)
IMPLEMENT_DYNAMIC(CMemFile, CFile)
IMPLEMENT_DYNAMIC(CSharedFile, CMemFile)
IMPLEMENT_DYNAMIC(CFileFind, CObject)

const HANDLE CFile::hFileNull = INVALID_HANDLE_VALUE;

// --- CFile ------------------------------------------------------------------

CFile::CFile() : m_hFile(hFileNull), m_bCloseOnDelete(FALSE) {}

CFile::CFile(HANDLE hFile) : m_hFile(hFile), m_bCloseOnDelete(FALSE) {}

CFile::CFile(LPCTSTR lpszFileName, UINT nOpenFlags) : m_hFile(hFileNull), m_bCloseOnDelete(FALSE) {
    CFileException e;
    if (!Open(lpszFileName, nOpenFlags, &e))
        AfxThrowFileException(e.m_cause, e.m_lOsError, e.m_strFileName);
}

CFile::~CFile() {
    if (m_hFile != hFileNull && m_bCloseOnDelete) Abort();
}

BOOL CFile::Open(LPCTSTR lpszFileName, UINT nOpenFlags, CFileException* pException) {
    if (m_hFile != hFileNull) Abort();
    m_bCloseOnDelete = FALSE;
    m_strFileName.Empty();

    TCHAR szPath[MAX_PATH];
    if (lpszFileName == NULL || !AfxFullPath(szPath, lpszFileName)) {
        if (pException != NULL) {
            pException->m_lOsError = ERROR_BAD_PATHNAME;
            pException->m_cause = CFileException::badPath;
            pException->m_strFileName = lpszFileName;
        }
        return FALSE;
    }
    m_strFileName = szPath;

    DWORD dwAccess = 0;
    switch (nOpenFlags & 3) {
    case modeRead: dwAccess = GENERIC_READ; break;
    case modeWrite: dwAccess = GENERIC_WRITE; break;
    default: dwAccess = GENERIC_READ | GENERIC_WRITE; break;
    }
    DWORD dwShareMode = 0;
    switch (nOpenFlags & 0x70) {
    case shareDenyWrite: dwShareMode = FILE_SHARE_READ; break;
    case shareDenyRead: dwShareMode = FILE_SHARE_WRITE; break;
    case shareDenyNone: dwShareMode = FILE_SHARE_READ | FILE_SHARE_WRITE; break;
    default: dwShareMode = 0; break;  // compatibility and exclusive
    }
    SECURITY_ATTRIBUTES sa;
    sa.nLength = sizeof(sa);
    sa.lpSecurityDescriptor = NULL;
    sa.bInheritHandle = (nOpenFlags & modeNoInherit) == 0;
    DWORD dwCreateFlag;
    if (nOpenFlags & modeCreate)
        dwCreateFlag = (nOpenFlags & modeNoTruncate) ? OPEN_ALWAYS : CREATE_ALWAYS;
    else
        dwCreateFlag = OPEN_EXISTING;

    HANDLE hFile = ::CreateFile(lpszFileName, dwAccess, dwShareMode, &sa, dwCreateFlag,
                                FILE_ATTRIBUTE_NORMAL, NULL);
    if (hFile == INVALID_HANDLE_VALUE) {
        if (pException != NULL) {
            pException->m_lOsError = (LONG)::GetLastError();
            pException->m_cause = CFileException::OsErrorToException(pException->m_lOsError);
            pException->m_strFileName = lpszFileName;
        }
        return FALSE;
    }
    m_hFile = hFile;
    m_bCloseOnDelete = TRUE;
    return TRUE;
}

CString CFile::GetFileName() const {
    int n = m_strFileName.GetLength();
    while (n > 0 && m_strFileName[n - 1] != '\\' && m_strFileName[n - 1] != '/' && m_strFileName[n - 1] != ':')
        n--;
    return m_strFileName.Mid(n);
}

DWORD CFile::GetPosition() const {
    LARGE_INTEGER zero, pos;
    zero.QuadPart = 0;
    if (!::SetFilePointerEx(m_hFile, zero, &pos, FILE_CURRENT))
        CFileException::ThrowOsError((LONG)::GetLastError(), m_strFileName);
    return (DWORD)pos.QuadPart;
}

LONG CFile::Seek(LONG lOff, UINT nFrom) {
    DWORD dwMethod = nFrom == begin ? FILE_BEGIN : nFrom == current ? FILE_CURRENT : FILE_END;
    LARGE_INTEGER off, pos;
    off.QuadPart = lOff;
    if (!::SetFilePointerEx(m_hFile, off, &pos, dwMethod))
        CFileException::ThrowOsError((LONG)::GetLastError(), m_strFileName);
    return (LONG)pos.QuadPart;
}

void CFile::SetLength(DWORD dwNewLen) {
    Seek((LONG)dwNewLen, begin);
    if (!::SetEndOfFile(m_hFile)) CFileException::ThrowOsError((LONG)::GetLastError(), m_strFileName);
}

DWORD CFile::GetLength() const {
    LARGE_INTEGER size;
    if (!::GetFileSizeEx(m_hFile, &size)) CFileException::ThrowOsError((LONG)::GetLastError(), m_strFileName);
    return (DWORD)size.QuadPart;
}

UINT CFile::Read(void* lpBuf, UINT nCount) {
    if (nCount == 0) return 0;
    DWORD dwRead = 0;
    if (!::ReadFile(m_hFile, lpBuf, nCount, &dwRead, NULL)) {
        DWORD dwError = ::GetLastError();
        if (dwError == ERROR_BROKEN_PIPE || dwError == ERROR_HANDLE_EOF) return 0;  // the writer is gone
        CFileException::ThrowOsError((LONG)dwError, m_strFileName);
    }
    return (UINT)dwRead;
}

void CFile::Write(const void* lpBuf, UINT nCount) {
    if (nCount == 0) return;
    DWORD dwWritten = 0;
    if (!::WriteFile(m_hFile, lpBuf, nCount, &dwWritten, NULL))
        CFileException::ThrowOsError((LONG)::GetLastError(), m_strFileName);
    if (dwWritten != nCount) AfxThrowFileException(CFileException::diskFull, -1, m_strFileName);
}

void CFile::Flush() {
    if (m_hFile == hFileNull) return;
    if (!::FlushFileBuffers(m_hFile)) {
        DWORD dwError = ::GetLastError();
        if (dwError != ERROR_INVALID_HANDLE && dwError != ERROR_INVALID_FUNCTION)  // pipes, consoles
            CFileException::ThrowOsError((LONG)dwError, m_strFileName);
    }
}

void CFile::Close() {
    BOOL bError = FALSE;
    DWORD dwError = 0;
    if (m_hFile != hFileNull && m_bCloseOnDelete) {
        bError = !::CloseHandle(m_hFile);
        dwError = ::GetLastError();
    }
    m_hFile = hFileNull;
    m_bCloseOnDelete = FALSE;
    m_strFileName.Empty();
    if (bError) CFileException::ThrowOsError((LONG)dwError, NULL);
}

void CFile::Abort() {
    if (m_hFile != hFileNull && m_bCloseOnDelete) ::CloseHandle(m_hFile);
    m_hFile = hFileNull;
    m_bCloseOnDelete = FALSE;
    m_strFileName.Empty();
}

CFile* CFile::Duplicate() const {
    if (m_hFile == hFileNull) AfxThrowFileException(CFileException::invalidFile, -1, m_strFileName);
    HANDLE hFile;
    if (!::DuplicateHandle(::GetCurrentProcess(), m_hFile, ::GetCurrentProcess(), &hFile, 0, FALSE,
                           DUPLICATE_SAME_ACCESS))
        CFileException::ThrowOsError((LONG)::GetLastError(), m_strFileName);
    CFile* pFile = new CFile(hFile);
    pFile->m_bCloseOnDelete = TRUE;
    pFile->m_strFileName = m_strFileName;
    return pFile;
}

void PASCAL CFile::Remove(LPCTSTR lpszFileName) {
    if (!::DeleteFile(lpszFileName)) CFileException::ThrowOsError((LONG)::GetLastError(), lpszFileName);
}

void PASCAL CFile::Rename(LPCTSTR lpszOldName, LPCTSTR lpszNewName) {
    if (!::MoveFile(lpszOldName, lpszNewName))
        CFileException::ThrowOsError((LONG)::GetLastError(), lpszOldName);
}

// --- CMemFile ---------------------------------------------------------------

CMemFile::CMemFile(UINT nGrowBytes)
    : m_nGrowBytes(nGrowBytes), m_nPosition(0), m_nBufferSize(0), m_nFileSize(0), m_lpBuffer(NULL),
      m_bAutoDelete(TRUE) {}

CMemFile::CMemFile(BYTE* lpBuffer, UINT nBufferSize, UINT nGrowBytes) : CMemFile(nGrowBytes) {
    Attach(lpBuffer, nBufferSize, nGrowBytes);
}

CMemFile::~CMemFile() {
    // not Close(): a derived class's Free is gone by now
    if (m_lpBuffer != NULL && m_bAutoDelete) CMemFile::Free(m_lpBuffer);
    m_lpBuffer = NULL;
}

void CMemFile::Attach(BYTE* lpBuffer, UINT nBufferSize, UINT nGrowBytes) {
    if (m_lpBuffer != NULL && m_bAutoDelete) Free(m_lpBuffer);
    m_nGrowBytes = nGrowBytes;
    m_nPosition = 0;
    m_nBufferSize = lpBuffer != NULL ? nBufferSize : 0;
    m_nFileSize = nGrowBytes == 0 ? m_nBufferSize : 0;
    m_lpBuffer = lpBuffer;
    m_bAutoDelete = FALSE;
}

BYTE* CMemFile::Detach() {
    BYTE* lpBuffer = m_lpBuffer;
    m_lpBuffer = NULL;
    m_nFileSize = 0;
    m_nBufferSize = 0;
    m_nPosition = 0;
    m_bAutoDelete = TRUE;
    return lpBuffer;
}

BYTE* CMemFile::Alloc(SIZE_T nBytes) { return static_cast<BYTE*>(malloc(nBytes)); }
BYTE* CMemFile::Realloc(BYTE* lpMem, SIZE_T nBytes) { return static_cast<BYTE*>(realloc(lpMem, nBytes)); }
void CMemFile::Free(BYTE* lpMem) { free(lpMem); }

void CMemFile::GrowFile(SIZE_T dwNewLen) {
    if (dwNewLen <= m_nBufferSize) return;
    if (m_nGrowBytes == 0 || dwNewLen > 0xFFFFFFFFu) AfxThrowMemoryException();
    // whole steps of m_nGrowBytes, and at least half again the old size so
    // that long runs of small writes stay linear
    SIZE_T nNewBufferSize = m_nBufferSize + m_nBufferSize / 2;
    if (nNewBufferSize < dwNewLen) nNewBufferSize = dwNewLen;
    nNewBufferSize = (nNewBufferSize + m_nGrowBytes - 1) / m_nGrowBytes * m_nGrowBytes;
    BYTE* lpNew = m_lpBuffer == NULL ? Alloc(nNewBufferSize) : Realloc(m_lpBuffer, nNewBufferSize);
    if (lpNew == NULL) AfxThrowMemoryException();
    m_lpBuffer = lpNew;
    m_nBufferSize = nNewBufferSize;
}

DWORD CMemFile::GetLength() const { return (DWORD)m_nFileSize; }

LONG CMemFile::Seek(LONG lOff, UINT nFrom) {
    LONGLONG lNewPos;
    switch (nFrom) {
    case begin: lNewPos = lOff; break;
    case current: lNewPos = (LONGLONG)m_nPosition + lOff; break;
    case end: lNewPos = (LONGLONG)m_nFileSize + lOff; break;
    default: lNewPos = -1; break;
    }
    if (lNewPos < 0 || lNewPos > 0x7FFFFFFF) AfxThrowFileException(CFileException::badSeek);
    m_nPosition = (SIZE_T)lNewPos;
    return (LONG)lNewPos;
}

void CMemFile::SetLength(DWORD dwNewLen) {
    if (dwNewLen > m_nBufferSize) GrowFile(dwNewLen);
    if (dwNewLen > m_nFileSize) memset(m_lpBuffer + m_nFileSize, 0, dwNewLen - m_nFileSize);
    if (dwNewLen < m_nPosition) m_nPosition = dwNewLen;
    m_nFileSize = dwNewLen;
}

UINT CMemFile::Read(void* lpBuf, UINT nCount) {
    if (nCount == 0 || m_nPosition >= m_nFileSize) return 0;
    SIZE_T nRead = m_nFileSize - m_nPosition;
    if (nRead > nCount) nRead = nCount;
    memcpy(lpBuf, m_lpBuffer + m_nPosition, nRead);
    m_nPosition += nRead;
    return (UINT)nRead;
}

void CMemFile::Write(const void* lpBuf, UINT nCount) {
    if (nCount == 0) return;
    SIZE_T nEnd = m_nPosition + nCount;
    if (nEnd > m_nBufferSize) GrowFile(nEnd);
    if (m_nPosition > m_nFileSize) memset(m_lpBuffer + m_nFileSize, 0, m_nPosition - m_nFileSize);
    memcpy(m_lpBuffer + m_nPosition, lpBuf, nCount);
    m_nPosition = nEnd;
    if (m_nPosition > m_nFileSize) m_nFileSize = m_nPosition;
}

void CMemFile::Flush() {}

void CMemFile::Close() {
    if (m_lpBuffer != NULL && m_bAutoDelete) Free(m_lpBuffer);
    m_lpBuffer = NULL;
    m_nPosition = 0;
    m_nBufferSize = 0;
    m_nFileSize = 0;
    m_bAutoDelete = TRUE;
}

void CMemFile::Abort() { Close(); }

CFile* CMemFile::Duplicate() const { AfxThrowNotSupportedException(); }

// --- CSharedFile ------------------------------------------------------------

CSharedFile::CSharedFile(UINT nAllocFlags, UINT nGrowBytes)
    : CMemFile(nGrowBytes), m_nAllocFlags(nAllocFlags), m_hGlobalMemory(NULL), m_bAllowGrow(TRUE) {}

CSharedFile::~CSharedFile() {
    if (m_lpBuffer != NULL && m_bAutoDelete) CSharedFile::Free(m_lpBuffer);
    m_lpBuffer = NULL;
}

BYTE* CSharedFile::Alloc(SIZE_T nBytes) {
    m_hGlobalMemory = ::GlobalAlloc(m_nAllocFlags, nBytes);
    if (m_hGlobalMemory == NULL) return NULL;
    return static_cast<BYTE*>(::GlobalLock(m_hGlobalMemory));
}

BYTE* CSharedFile::Realloc(BYTE*, SIZE_T nBytes) {
    if (!m_bAllowGrow) return NULL;
    ::GlobalUnlock(m_hGlobalMemory);
    HGLOBAL hNew = ::GlobalReAlloc(m_hGlobalMemory, nBytes, m_nAllocFlags);
    if (hNew == NULL) {
        ::GlobalLock(m_hGlobalMemory);  // the old block stays in use
        return NULL;
    }
    m_hGlobalMemory = hNew;
    return static_cast<BYTE*>(::GlobalLock(m_hGlobalMemory));
}

void CSharedFile::Free(BYTE*) {
    if (m_hGlobalMemory == NULL) return;
    ::GlobalUnlock(m_hGlobalMemory);
    ::GlobalFree(m_hGlobalMemory);
    m_hGlobalMemory = NULL;
}

HGLOBAL CSharedFile::Detach() {
    HGLOBAL hMem = m_hGlobalMemory;
    if (hMem != NULL) ::GlobalUnlock(hMem);
    m_hGlobalMemory = NULL;
    m_lpBuffer = NULL;
    m_nFileSize = 0;
    m_nBufferSize = 0;
    m_nPosition = 0;
    m_bAutoDelete = TRUE;
    return hMem;
}

void CSharedFile::SetHandle(HGLOBAL hGlobalMemory, BOOL bAllowGrow) {
    if (m_lpBuffer != NULL && m_bAutoDelete) Free(m_lpBuffer);
    m_hGlobalMemory = hGlobalMemory;
    m_lpBuffer = hGlobalMemory != NULL ? static_cast<BYTE*>(::GlobalLock(hGlobalMemory)) : NULL;
    m_nBufferSize = m_lpBuffer != NULL ? ::GlobalSize(hGlobalMemory) : 0;
    m_nFileSize = m_nBufferSize;
    m_nPosition = 0;
    m_bAllowGrow = bAllowGrow;
    m_bAutoDelete = TRUE;  // the file owns the memory now
}

// --- CFileFind --------------------------------------------------------------

CFileFind::CFileFind() : m_pFoundInfo(NULL), m_pNextInfo(NULL), m_hContext(NULL), m_bGotLast(FALSE) {}

CFileFind::~CFileFind() { Close(); }

void CFileFind::Close() {
    delete m_pFoundInfo;
    m_pFoundInfo = NULL;
    delete m_pNextInfo;
    m_pNextInfo = NULL;
    if (m_hContext != NULL && m_hContext != INVALID_HANDLE_VALUE) ::FindClose(m_hContext);
    m_hContext = NULL;
    m_bGotLast = FALSE;
    m_strRoot.Empty();
}

BOOL CFileFind::FindFile(LPCTSTR pstrName, DWORD) {
    Close();
    if (pstrName == NULL) pstrName = _T("*.*");
    m_pNextInfo = new WIN32_FIND_DATA;
    m_hContext = ::FindFirstFile(pstrName, m_pNextInfo);
    if (m_hContext == INVALID_HANDLE_VALUE) {
        DWORD dwError = ::GetLastError();
        Close();
        ::SetLastError(dwError);
        return FALSE;
    }
    // the root is the folder part of the full path
    TCHAR szRoot[MAX_PATH];
    DWORD n = ::GetFullPathName(pstrName, MAX_PATH, szRoot, NULL);
    if (n == 0 || n >= MAX_PATH) {
        Close();
        ::SetLastError(ERROR_INVALID_NAME);
        return FALSE;
    }
    LPTSTR pBack = strrchr(szRoot, '\\');
    LPTSTR pFront = strrchr(szRoot, '/');
    LPTSTR pLast = pBack > pFront ? pBack : pFront;
    if (pLast != NULL) *pLast = '\0';
    m_strRoot = szRoot;
    return TRUE;
}

BOOL CFileFind::FindNextFile() {
    if (m_hContext == NULL || m_bGotLast) return FALSE;
    if (m_pFoundInfo == NULL) m_pFoundInfo = new WIN32_FIND_DATA;
    WIN32_FIND_DATA* pTemp = m_pFoundInfo;
    m_pFoundInfo = m_pNextInfo;
    m_pNextInfo = pTemp;
    if (!::FindNextFile(m_hContext, m_pNextInfo)) {
        m_bGotLast = TRUE;
        return FALSE;
    }
    return TRUE;
}

CString CFileFind::GetFileName() const {
    return m_pFoundInfo != NULL ? CString(m_pFoundInfo->cFileName) : CString();
}

CString CFileFind::GetFilePath() const {
    if (m_pFoundInfo == NULL) return CString();
    CString strResult = m_strRoot;
    int n = strResult.GetLength();
    if (n == 0 || (strResult[n - 1] != '\\' && strResult[n - 1] != '/')) strResult += '\\';
    strResult += m_pFoundInfo->cFileName;
    return strResult;
}

CString CFileFind::GetFileTitle() const {
    CString strName = GetFileName();
    int nDot = strName.ReverseFind('.');
    return nDot > 0 ? strName.Left(nDot) : strName;
}

ULONGLONG CFileFind::GetLength() const {
    if (m_pFoundInfo == NULL) return 0;
    return ((ULONGLONG)m_pFoundInfo->nFileSizeHigh << 32) | m_pFoundInfo->nFileSizeLow;
}

BOOL CFileFind::GetLastWriteTime(FILETIME* pTimeStamp) const {
    if (m_pFoundInfo == NULL || pTimeStamp == NULL) return FALSE;
    *pTimeStamp = m_pFoundInfo->ftLastWriteTime;
    return TRUE;
}

BOOL CFileFind::MatchesMask(DWORD dwMask) const {
    return m_pFoundInfo != NULL && (m_pFoundInfo->dwFileAttributes & dwMask) != 0;
}

BOOL CFileFind::IsDots() const {
    if (m_pFoundInfo == NULL) return FALSE;
    LPCTSTR p = m_pFoundInfo->cFileName;
    return p[0] == '.' && (p[1] == '\0' || (p[1] == '.' && p[2] == '\0'));
}

// --- AfxFullPath ------------------------------------------------------------

BOOL AFXAPI AfxFullPath(LPTSTR lpszPathOut, LPCTSTR lpszFileIn) {
    LPTSTR lpszFilePart;
    DWORD n = ::GetFullPathName(lpszFileIn, MAX_PATH, lpszPathOut, &lpszFilePart);
    if (n == 0 || n >= MAX_PATH) {
        lstrcpyn(lpszPathOut, lpszFileIn, MAX_PATH);
        return FALSE;
    }
    // take the name's stored spelling when the file exists
    if (lpszFilePart != NULL && strpbrk(lpszFilePart, "*?") == NULL) {
        WIN32_FIND_DATA data;
        HANDLE hFind = ::FindFirstFile(lpszPathOut, &data);
        if (hFind != INVALID_HANDLE_VALUE) {
            ::FindClose(hFind);
            size_t nRoom = MAX_PATH - (lpszFilePart - lpszPathOut);
            if (strlen(data.cFileName) < nRoom) strcpy(lpszFilePart, data.cFileName);
        }
    }
    return TRUE;
}
