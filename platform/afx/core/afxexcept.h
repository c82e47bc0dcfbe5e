// afxexcept.h - the exception classes, the AfxThrow functions and the
// TRY/CATCH macros.
//
// Exceptions are thrown and caught as pointers and freed with Delete().
// The TRY/CATCH macros map onto try/catch(class*); an exception caught by a
// CATCH block is deleted when the block ends, unless THROW_LAST passed it on
// or the block deleted it itself. A plain catch(CException* e) must call
// e->Delete().
#pragma once
#include "afxdefs.h"
#include "afxobj.h"
#include "afxstr.h"

class CException : public CObject {
    DECLARE_DYNAMIC(CException)
public:
    CException();
    explicit CException(BOOL bAutoDelete);
    virtual ~CException();

    // Frees the exception when it was made with new (m_bAutoDelete).
    void Delete();

    // A text for the user; FALSE when there is none.
    virtual BOOL GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext = NULL);
    // Shows GetErrorMessage (or the string nMessageID) through the message
    // box procedure (AfxSetCoreMessageBoxProc) and answers its result.
    virtual int ReportError(UINT nType = MB_OK, UINT nMessageID = 0);

    BOOL m_bAutoDelete;
};

class CSimpleException : public CException {
    DECLARE_DYNAMIC(CSimpleException)
public:
    CSimpleException() {}
    explicit CSimpleException(BOOL bAutoDelete) : CException(bAutoDelete) {}
    BOOL GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext = NULL) override;

protected:
    virtual LPCTSTR GetDefaultMessage() const;
};

class CMemoryException : public CSimpleException {
    DECLARE_DYNAMIC(CMemoryException)
public:
    CMemoryException() {}
    explicit CMemoryException(BOOL bAutoDelete) : CSimpleException(bAutoDelete) {}
protected:
    LPCTSTR GetDefaultMessage() const override;
};

class CNotSupportedException : public CSimpleException {
    DECLARE_DYNAMIC(CNotSupportedException)
public:
    CNotSupportedException() {}
    explicit CNotSupportedException(BOOL bAutoDelete) : CSimpleException(bAutoDelete) {}
protected:
    LPCTSTR GetDefaultMessage() const override;
};

class CResourceException : public CSimpleException {
    DECLARE_DYNAMIC(CResourceException)
public:
    CResourceException() {}
    explicit CResourceException(BOOL bAutoDelete) : CSimpleException(bAutoDelete) {}
protected:
    LPCTSTR GetDefaultMessage() const override;
};

// Thrown by CDataExchange::Fail; the user has already been told.
class CUserException : public CSimpleException {
    DECLARE_DYNAMIC(CUserException)
public:
    CUserException() {}
    explicit CUserException(BOOL bAutoDelete) : CSimpleException(bAutoDelete) {}
};

class CArchiveException : public CException {
    DECLARE_DYNAMIC(CArchiveException)
public:
    enum {
        none,
        generic,
        readOnly,
        endOfFile,
        writeOnly,
        badIndex,
        badClass,
        badSchema
    };
    explicit CArchiveException(int cause = CArchiveException::none, LPCTSTR lpszArchiveName = NULL);
    BOOL GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext = NULL) override;

    int m_cause;
    CString m_strFileName;
};

class CFileException : public CException {
    DECLARE_DYNAMIC(CFileException)
public:
    enum {
        none,
        generic,
        fileNotFound,
        badPath,
        tooManyOpenFiles,
        accessDenied,
        invalidFile,
        removeCurrentDir,
        directoryFull,
        badSeek,
        hardIO,
        sharingViolation,
        lockViolation,
        diskFull,
        endOfFile
    };
    explicit CFileException(int cause = CFileException::none, LONG lOsError = -1,
                            LPCTSTR lpszArchiveName = NULL);
    BOOL GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext = NULL) override;

    static int PASCAL OsErrorToException(LONG lOsError);
    static void PASCAL ThrowOsError(LONG lOsError, LPCTSTR lpszFileName = NULL);

    int m_cause;
    LONG m_lOsError;
    CString m_strFileName;
};

class COleException : public CException {
    DECLARE_DYNAMIC(COleException)
public:
    COleException() : m_sc(S_OK) {}
    BOOL GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext = NULL) override;
    static SCODE PASCAL Process(const CException* pAnyException);

    SCODE m_sc;
};

[[noreturn]] void AFXAPI AfxThrowMemoryException();
[[noreturn]] void AFXAPI AfxThrowNotSupportedException();
[[noreturn]] void AFXAPI AfxThrowResourceException();
[[noreturn]] void AFXAPI AfxThrowUserException();
[[noreturn]] void AFXAPI AfxThrowArchiveException(int cause, LPCTSTR lpszArchiveName = NULL);
[[noreturn]] void AFXAPI AfxThrowFileException(int cause, LONG lOsError = -1, LPCTSTR lpszFileName = NULL);
[[noreturn]] void AFXAPI AfxThrowOleException(SCODE sc);

// The message box used by CException::ReportError. The window half installs
// AfxMessageBox here; without one, ::MessageBox with no owner is used.
typedef int(AFXAPI* AFX_COREMESSAGEBOXPROC)(LPCTSTR lpszText, UINT nType, UINT nIDHelp);
AFX_COREMESSAGEBOXPROC AFXAPI AfxSetCoreMessageBoxProc(AFX_COREMESSAGEBOXPROC pfn);

// --- TRY/CATCH --------------------------------------------------------------

// Deletes the exception of a CATCH block when the block is left, unless it
// was rethrown with THROW_LAST or deleted by the block itself.
struct AFX_EXCEPTION_LINK {
    AFX_EXCEPTION_LINK();
    ~AFX_EXCEPTION_LINK();
    AFX_EXCEPTION_LINK(const AFX_EXCEPTION_LINK&) = delete;
    AFX_EXCEPTION_LINK& operator=(const AFX_EXCEPTION_LINK&) = delete;

    CException* m_pException;
    AFX_EXCEPTION_LINK* m_pLinkPrev;
};

#define TRY                           \
    {                                 \
        AFX_EXCEPTION_LINK _afxExceptionLink; \
        try {
#define CATCH(class_name, e)          \
        }                             \
        catch (class_name * e) {      \
            _afxExceptionLink.m_pException = e;
#define AND_CATCH(class_name, e) CATCH(class_name, e)
#define END_CATCH \
        }         \
    }
#define CATCH_ALL(e) CATCH(CException, e)
#define AND_CATCH_ALL(e) CATCH(CException, e)
#define END_CATCH_ALL END_CATCH
#define THROW(e) throw e
#define THROW_LAST() (_afxExceptionLink.m_pException = NULL, throw)
