// afxexcept.cpp - the exception classes and the AfxThrow functions.
#include "afxexcept.h"

#include <string.h>
#include <stdio.h>

namespace {
thread_local AFX_EXCEPTION_LINK* t_pLinkTop = NULL;
AFX_COREMESSAGEBOXPROC g_pfnMessageBox = NULL;

BOOL CopyMessage(LPCTSTR lpszText, LPTSTR lpszError, UINT nMaxError) {
    if (lpszError == NULL || nMaxError == 0) return FALSE;
    lstrcpyn(lpszError, lpszText, (int)nMaxError);
    return TRUE;
}
}  // namespace

// --- CATCH bookkeeping ------------------------------------------------------

AFX_EXCEPTION_LINK::AFX_EXCEPTION_LINK() : m_pException(NULL), m_pLinkPrev(t_pLinkTop) {
    t_pLinkTop = this;
}

AFX_EXCEPTION_LINK::~AFX_EXCEPTION_LINK() {
    t_pLinkTop = m_pLinkPrev;
    if (m_pException != NULL) {
        CException* e = m_pException;
        m_pException = NULL;
        e->Delete();
    }
}

// --- CException -------------------------------------------------------------

IMPLEMENT_DYNAMIC(CException, CObject)
IMPLEMENT_DYNAMIC(CSimpleException, CException)
IMPLEMENT_DYNAMIC(CMemoryException, CSimpleException)
IMPLEMENT_DYNAMIC(CNotSupportedException, CSimpleException)
IMPLEMENT_DYNAMIC(CResourceException, CSimpleException)
IMPLEMENT_DYNAMIC(CUserException, CSimpleException)
IMPLEMENT_DYNAMIC(CArchiveException, CException)
IMPLEMENT_DYNAMIC(CFileException, CException)
IMPLEMENT_DYNAMIC(COleException, CException)

CException::CException() : m_bAutoDelete(TRUE) {}
CException::CException(BOOL bAutoDelete) : m_bAutoDelete(bAutoDelete) {}
CException::~CException() {}

void CException::Delete() {
    // a CATCH block that holds this exception must not free it again
    for (AFX_EXCEPTION_LINK* p = t_pLinkTop; p != NULL; p = p->m_pLinkPrev)
        if (p->m_pException == this) p->m_pException = NULL;
    if (m_bAutoDelete > 0) delete this;
}

BOOL CException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext) {
    if (pnHelpContext != NULL) *pnHelpContext = 0;
    if (lpszError != NULL && nMaxError != 0) *lpszError = '\0';
    return FALSE;
}

AFX_COREMESSAGEBOXPROC AFXAPI AfxSetCoreMessageBoxProc(AFX_COREMESSAGEBOXPROC pfn) {
    AFX_COREMESSAGEBOXPROC old = g_pfnMessageBox;
    g_pfnMessageBox = pfn;
    return old;
}

int CException::ReportError(UINT nType, UINT nMessageID) {
    TCHAR szMessage[512];
    UINT nHelpContext = 0;
    CString strText;
    if (GetErrorMessage(szMessage, sizeof(szMessage), &nHelpContext))
        strText = szMessage;
    else if (nMessageID != 0)
        strText.LoadString(nMessageID);
    if (strText.IsEmpty()) strText = _T("An unsupported operation was attempted.");
    if (g_pfnMessageBox != NULL) return g_pfnMessageBox(strText, nType, nHelpContext);
    return ::MessageBox(NULL, strText, NULL, nType);
}

BOOL CSimpleException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext) {
    if (pnHelpContext != NULL) *pnHelpContext = 0;
    LPCTSTR lpsz = GetDefaultMessage();
    if (lpsz == NULL) {
        if (lpszError != NULL && nMaxError != 0) *lpszError = '\0';
        return FALSE;
    }
    return CopyMessage(lpsz, lpszError, nMaxError);
}

LPCTSTR CSimpleException::GetDefaultMessage() const { return NULL; }
LPCTSTR CMemoryException::GetDefaultMessage() const { return _T("Out of memory."); }
LPCTSTR CNotSupportedException::GetDefaultMessage() const {
    return _T("An unsupported operation was attempted.");
}
LPCTSTR CResourceException::GetDefaultMessage() const {
    return _T("A required resource was unavailable.");
}

// --- CArchiveException ------------------------------------------------------

CArchiveException::CArchiveException(int cause, LPCTSTR lpszArchiveName)
    : m_cause(cause), m_strFileName(lpszArchiveName) {}

BOOL CArchiveException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext) {
    static const LPCTSTR s_texts[] = {
        _T("No error occurred."),
        _T("An unknown error occurred while accessing %1."),
        _T("An attempt was made to write to the reading %1."),
        _T("An attempt was made to access %1 past its end."),
        _T("An attempt was made to read from the writing %1."),
        _T("%1 has a bad format."),
        _T("%1 contained an unexpected object."),
        _T("%1 contains an incorrect schema."),
    };
    if (pnHelpContext != NULL) *pnHelpContext = 0;
    int nCause = (m_cause >= 0 && m_cause < (int)(sizeof(s_texts) / sizeof(s_texts[0]))) ? m_cause : generic;
    CString strText(s_texts[nCause]);
    strText.Replace(_T("%1"), m_strFileName.IsEmpty() ? _T("an unnamed file") : (LPCTSTR)m_strFileName);
    return CopyMessage(strText, lpszError, nMaxError);
}

// --- CFileException ---------------------------------------------------------

CFileException::CFileException(int cause, LONG lOsError, LPCTSTR lpszArchiveName)
    : m_cause(cause), m_lOsError(lOsError), m_strFileName(lpszArchiveName) {}

BOOL CFileException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext) {
    static const LPCTSTR s_texts[] = {
        _T("No error occurred."),
        _T("An unknown error occurred while accessing %1."),
        _T("%1 was not found."),
        _T("%1 contains an invalid path."),
        _T("%1 could not be opened because there are too many open files."),
        _T("Access to %1 was denied."),
        _T("An invalid file handle was associated with %1."),
        _T("%1 could not be removed because it is the current directory."),
        _T("%1 could not be created because the directory is full."),
        _T("Seek failed on %1"),
        _T("A hardware I/O error was reported while accessing %1."),
        _T("A sharing violation occurred while accessing %1."),
        _T("A locking violation occurred while accessing %1."),
        _T("Disk full while accessing %1."),
        _T("An attempt was made to access %1 past its end."),
    };
    if (pnHelpContext != NULL) *pnHelpContext = 0;
    int nCause = (m_cause >= 0 && m_cause < (int)(sizeof(s_texts) / sizeof(s_texts[0]))) ? m_cause : generic;
    CString strText(s_texts[nCause]);
    strText.Replace(_T("%1"), m_strFileName.IsEmpty() ? _T("an unnamed file") : (LPCTSTR)m_strFileName);
    return CopyMessage(strText, lpszError, nMaxError);
}

int PASCAL CFileException::OsErrorToException(LONG lOsError) {
    switch ((DWORD)lOsError) {
    case NO_ERROR: return none;
    case ERROR_FILE_NOT_FOUND: return fileNotFound;
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_DRIVE:
    case ERROR_INVALID_NAME:
    case ERROR_BAD_PATHNAME:
    case ERROR_BAD_NETPATH:
    case ERROR_FILENAME_EXCED_RANGE:
    case ERROR_DIRECTORY: return badPath;
    case ERROR_TOO_MANY_OPEN_FILES: return tooManyOpenFiles;
    case ERROR_ACCESS_DENIED:
    case ERROR_WRITE_PROTECT:
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS:
    case ERROR_CANNOT_MAKE: return accessDenied;
    case ERROR_INVALID_HANDLE: return invalidFile;
    case ERROR_CURRENT_DIRECTORY: return removeCurrentDir;
    case ERROR_SEEK:
    case ERROR_NEGATIVE_SEEK: return badSeek;
    case ERROR_WRITE_FAULT:
    case ERROR_READ_FAULT:
    case ERROR_GEN_FAILURE:
    case ERROR_CRC:
    case ERROR_SECTOR_NOT_FOUND: return hardIO;
    case ERROR_SHARING_VIOLATION: return sharingViolation;
    case ERROR_LOCK_VIOLATION:
    case ERROR_LOCK_FAILED: return lockViolation;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL: return diskFull;
    case ERROR_HANDLE_EOF: return endOfFile;
    default: return generic;
    }
}

void PASCAL CFileException::ThrowOsError(LONG lOsError, LPCTSTR lpszFileName) {
    if (lOsError != 0) AfxThrowFileException(OsErrorToException(lOsError), lOsError, lpszFileName);
}

// --- COleException ----------------------------------------------------------

BOOL COleException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext) {
    if (pnHelpContext != NULL) *pnHelpContext = 0;
    char buf[64];
    snprintf(buf, sizeof(buf), "OLE error 0x%08lX.", (unsigned long)m_sc);
    return CopyMessage(buf, lpszError, nMaxError);
}

SCODE PASCAL COleException::Process(const CException* pAnyException) {
    if (pAnyException == NULL) return E_UNEXPECTED;
    if (pAnyException->IsKindOf(RUNTIME_CLASS(COleException)))
        return static_cast<const COleException*>(pAnyException)->m_sc;
    if (pAnyException->IsKindOf(RUNTIME_CLASS(CMemoryException))) return E_OUTOFMEMORY;
    if (pAnyException->IsKindOf(RUNTIME_CLASS(CNotSupportedException))) return E_NOTIMPL;
    return E_UNEXPECTED;
}

// --- throw functions --------------------------------------------------------

void AFXAPI AfxThrowMemoryException() {
    // preallocated: allocating may be what just failed
    static CMemoryException s_memoryException(FALSE);
    throw &s_memoryException;
}

void AFXAPI AfxThrowNotSupportedException() { throw new CNotSupportedException; }
void AFXAPI AfxThrowResourceException() { throw new CResourceException; }
void AFXAPI AfxThrowUserException() { throw new CUserException; }

void AFXAPI AfxThrowArchiveException(int cause, LPCTSTR lpszArchiveName) {
    throw new CArchiveException(cause, lpszArchiveName);
}

void AFXAPI AfxThrowFileException(int cause, LONG lOsError, LPCTSTR lpszFileName) {
    throw new CFileException(cause, lOsError, lpszFileName);
}

void AFXAPI AfxThrowOleException(SCODE sc) {
    COleException* e = new COleException;
    e->m_sc = sc;
    throw e;
}
