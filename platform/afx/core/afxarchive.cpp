// afxarchive.cpp - CArchive, the class information of CRuntimeClass and the
// CString archive operators.
#include "afxarchive.h"

#include <exception>
#include <string.h>

namespace {
const WORD wNullTag = 0;
const WORD wNewClassTag = 0xFFFF;
const WORD wClassTag = 0x8000;
const DWORD dwBigClassTag = 0x80000000;
const WORD wBigObjectTag = 0x7FFF;
const DWORD nMaxMapCount = 0x3FFFFFFE;
const UINT nMaxClassName = 64;  // longest class name accepted on reading
const UINT nMinBufSize = 128;
}  // namespace

// --- construction -----------------------------------------------------------

CArchive::CArchive(CFile* pFile, UINT nMode, int nBufSize, void* lpBuf)
    : m_pDocument(NULL),
      m_nMode(nMode),
      m_bClosed(FALSE),
      m_pFile(pFile),
      m_nObjectSchema((UINT)-1),
      m_nUncaughtAtStart(std::uncaught_exceptions()) {
    m_nBufSize = nBufSize < (int)nMinBufSize ? nMinBufSize : (UINT)nBufSize;
    m_bUserBuf = lpBuf != NULL;
    m_lpBufStart = m_bUserBuf ? static_cast<BYTE*>(lpBuf) : new BYTE[m_nBufSize];
    if (m_bUserBuf && nBufSize < (int)nMinBufSize) m_nBufSize = nBufSize > 0 ? (UINT)nBufSize : 1;
    m_lpBufCur = m_lpBufStart;
    m_lpBufMax = IsLoading() ? m_lpBufStart : m_lpBufStart + m_nBufSize;
    if (pFile != NULL) m_strFileName = pFile->GetFilePath();
    m_storeMap.reserve(16);
}

CArchive::~CArchive() {
    if (m_pFile != NULL && !(m_nMode & bNoFlushOnDelete) && std::uncaught_exceptions() <= m_nUncaughtAtStart) {
        try {
            Close();
        } catch (CException* e) {
            e->Delete();
        } catch (...) {
        }
    }
    Abort();
    if (!m_bUserBuf) delete[] m_lpBufStart;
    m_lpBufStart = NULL;
}

void CArchive::Throw(int cause) const { AfxThrowArchiveException(cause, m_strFileName); }

// --- buffer -----------------------------------------------------------------

void CArchive::FillBuffer(UINT) {
    if (m_pFile == NULL) return;
    m_lpBufCur = m_lpBufStart;
    UINT nRead = m_pFile->Read(m_lpBufStart, m_nBufSize);
    m_lpBufMax = m_lpBufStart + nRead;
}

UINT CArchive::Read(void* lpBuf, UINT nMax) {
    if (nMax == 0) return 0;
    if (!IsLoading()) Throw(CArchiveException::writeOnly);
    BYTE* pDest = static_cast<BYTE*>(lpBuf);
    UINT nRead = 0;
    while (nRead < nMax) {
        UINT nAvail = (UINT)(m_lpBufMax - m_lpBufCur);
        if (nAvail == 0) {
            if (m_pFile == NULL) break;
            UINT nLeft = nMax - nRead;
            if (nLeft >= m_nBufSize) {
                // large requests go straight to the file
                UINT n = m_pFile->Read(pDest + nRead, nLeft);
                if (n == 0) break;
                nRead += n;
                continue;
            }
            FillBuffer(nLeft);
            nAvail = (UINT)(m_lpBufMax - m_lpBufCur);
            if (nAvail == 0) break;
        }
        UINT n = nMax - nRead < nAvail ? nMax - nRead : nAvail;
        memcpy(pDest + nRead, m_lpBufCur, n);
        m_lpBufCur += n;
        nRead += n;
    }
    return nRead;
}

void CArchive::EnsureRead(void* lpBuf, UINT nCount) {
    if (Read(lpBuf, nCount) != nCount) Throw(CArchiveException::endOfFile);
}

void CArchive::Write(const void* lpBuf, UINT nMax) {
    if (nMax == 0) return;
    if (!IsStoring()) Throw(CArchiveException::readOnly);
    if (m_pFile == NULL) Throw(CArchiveException::generic);
    const BYTE* pSrc = static_cast<const BYTE*>(lpBuf);
    while (nMax > 0) {
        UINT nRoom = (UINT)(m_lpBufMax - m_lpBufCur);
        if (nRoom == 0) {
            m_pFile->Write(m_lpBufStart, (UINT)(m_lpBufCur - m_lpBufStart));
            m_lpBufCur = m_lpBufStart;
            if (nMax >= m_nBufSize) {
                m_pFile->Write(pSrc, nMax);
                return;
            }
            continue;
        }
        UINT n = nMax < nRoom ? nMax : nRoom;
        memcpy(m_lpBufCur, pSrc, n);
        m_lpBufCur += n;
        pSrc += n;
        nMax -= n;
    }
}

void CArchive::Flush() {
    if (m_pFile == NULL) return;
    if (IsStoring()) {
        if (m_lpBufCur != m_lpBufStart) {
            UINT n = (UINT)(m_lpBufCur - m_lpBufStart);
            m_lpBufCur = m_lpBufStart;
            m_pFile->Write(m_lpBufStart, n);
        }
    } else if (m_lpBufMax != m_lpBufCur) {
        // give back what was read ahead, so the file stands after the data used
        LONG nUnused = (LONG)(m_lpBufMax - m_lpBufCur);
        m_lpBufCur = m_lpBufMax;
        m_pFile->Seek(-nUnused, CFile::current);
    }
}

void CArchive::Close() {
    if (m_pFile == NULL) return;
    Flush();
    m_pFile = NULL;
    m_bClosed = TRUE;
}

void CArchive::Abort() {
    m_pFile = NULL;
    m_bClosed = TRUE;
    m_lpBufCur = m_lpBufStart;
    m_lpBufMax = IsLoading() ? m_lpBufStart : m_lpBufStart + m_nBufSize;
}

DWORD_PTR CArchive::GetRemaining() const {
    const DWORD_PTR nUnknown = (DWORD_PTR)-1;
    if (!IsLoading()) return nUnknown;
    DWORD_PTR nBuffered = (DWORD_PTR)(m_lpBufMax - m_lpBufCur);
    if (m_pFile == NULL) return nBuffered;
    // only files of known length: memory files, and disk files opened here
    if (m_pFile->GetRuntimeClass() == RUNTIME_CLASS(CFile) &&
        (m_pFile->m_hFile == CFile::hFileNull || ::GetFileType(m_pFile->m_hFile) != FILE_TYPE_DISK))
        return nUnknown;
    try {
        DWORD nLen = m_pFile->GetLength();
        DWORD nPos = m_pFile->GetPosition();
        return nBuffered + (nLen > nPos ? nLen - nPos : 0);
    } catch (CException* e) {
        e->Delete();
        return nUnknown;
    }
}

// --- counts -----------------------------------------------------------------

void CArchive::WriteCount(DWORD_PTR dwCount) {
    if (dwCount < 0xFFFF) {
        *this << (WORD)dwCount;
    } else {
        *this << (WORD)0xFFFF;
        *this << (DWORD)dwCount;
    }
}

DWORD_PTR CArchive::ReadCount() {
    WORD wCount;
    *this >> wCount;
    if (wCount != 0xFFFF) return wCount;
    DWORD dwCount;
    *this >> dwCount;
    return dwCount;
}

// --- objects and classes ----------------------------------------------------

void CRuntimeClass::Store(CArchive& ar) const {
    WORD nLen = (WORD)strlen(m_lpszClassName);
    ar << (WORD)m_wSchema << nLen;
    ar.Write(m_lpszClassName, nLen);
}

CRuntimeClass* PASCAL CRuntimeClass::Load(CArchive& ar, UINT* pwSchemaNum) {
    WORD wTemp, nLen;
    ar >> wTemp >> nLen;
    *pwSchemaNum = wTemp;
    if (nLen == 0 || nLen > nMaxClassName) return NULL;
    char szClassName[nMaxClassName + 1];
    ar.EnsureRead(szClassName, nLen);
    szClassName[nLen] = '\0';
    if (strlen(szClassName) != nLen) return NULL;  // embedded NUL
    return FromName(szClassName);
}

DWORD CArchive::MapCount() const { return IsStoring() ? (DWORD)m_storeMap.size() + 1 : (DWORD)m_loadArray.size(); }

void CArchive::WriteTag(DWORD nIndex, bool bClass) {
    if (nIndex < wBigObjectTag) {
        *this << (WORD)(bClass ? (wClassTag | nIndex) : nIndex);
    } else {
        *this << wBigObjectTag;
        *this << (DWORD)(bClass ? (dwBigClassTag | nIndex) : nIndex);
    }
}

void CArchive::WriteClass(const CRuntimeClass* pClassRef) {
    if (!IsStoring()) Throw(CArchiveException::readOnly);
    if (pClassRef == NULL || pClassRef->m_wSchema == 0xFFFF) Throw(CArchiveException::badClass);
    auto it = m_storeMap.find(pClassRef);
    if (it != m_storeMap.end()) {
        WriteTag(it->second, true);
        return;
    }
    DWORD nIndex = MapCount();
    if (nIndex >= nMaxMapCount) Throw(CArchiveException::badIndex);
    *this << wNewClassTag;
    pClassRef->Store(*this);
    m_storeMap[pClassRef] = nIndex;
}

void CArchive::WriteObject(const CObject* pOb) {
    if (!IsStoring()) Throw(CArchiveException::readOnly);
    if (pOb == NULL) {
        *this << wNullTag;
        return;
    }
    auto it = m_storeMap.find(pOb);
    if (it != m_storeMap.end()) {
        WriteTag(it->second, false);
        return;
    }
    WriteClass(pOb->GetRuntimeClass());
    DWORD nIndex = MapCount();
    if (nIndex >= nMaxMapCount) Throw(CArchiveException::badIndex);
    m_storeMap[pOb] = nIndex;
    const_cast<CObject*>(pOb)->Serialize(*this);
}

CRuntimeClass* CArchive::ReadClass(const CRuntimeClass* pClassRefRequested, UINT* pSchema, DWORD* pObTag) {
    if (!IsLoading()) Throw(CArchiveException::writeOnly);
    if (m_loadArray.empty()) m_loadArray.push_back(LoadEntry{NULL, false, 0});  // index 0: null

    WORD wTag;
    *this >> wTag;
    DWORD obTag;
    if (wTag == wBigObjectTag)
        *this >> obTag;
    else
        obTag = ((DWORD)(wTag & wClassTag) << 16) | (wTag & ~wClassTag);

    if (!(obTag & dwBigClassTag)) {
        // an object reference where only a class may stand
        if (pObTag == NULL) Throw(CArchiveException::badIndex);
        *pObTag = obTag;
        return NULL;
    }

    CRuntimeClass* pClassRef;
    UINT nSchema;
    if (wTag == wNewClassTag) {
        pClassRef = CRuntimeClass::Load(*this, &nSchema);
        // unknown names, and classes that cannot be stored, are refused
        if (pClassRef == NULL || pClassRef->m_wSchema == 0xFFFF || pClassRef->m_pfnCreateObject == NULL)
            Throw(CArchiveException::badClass);
        if ((pClassRef->m_wSchema & ~VERSIONABLE_SCHEMA) != nSchema &&
            !(pClassRef->m_wSchema & VERSIONABLE_SCHEMA))
            Throw(CArchiveException::badSchema);
        if (m_loadArray.size() >= nMaxMapCount) Throw(CArchiveException::badIndex);
        m_loadArray.push_back(LoadEntry{pClassRef, true, nSchema});
    } else {
        DWORD nClassIndex = obTag & ~dwBigClassTag;
        if (nClassIndex == 0 || nClassIndex >= m_loadArray.size() || !m_loadArray[nClassIndex].bClass)
            Throw(CArchiveException::badIndex);
        pClassRef = static_cast<CRuntimeClass*>(m_loadArray[nClassIndex].p);
        nSchema = m_loadArray[nClassIndex].nSchema;
    }

    if (pClassRefRequested != NULL && !pClassRef->IsDerivedFrom(pClassRefRequested))
        Throw(CArchiveException::badClass);

    if (pSchema != NULL)
        *pSchema = nSchema;
    else
        m_nObjectSchema = nSchema;
    return pClassRef;
}

CObject* CArchive::ReadObject(const CRuntimeClass* pClassRefRequested) {
    UINT nSchema = 0;
    DWORD obTag = 0;
    CRuntimeClass* pClassRef = ReadClass(pClassRefRequested, &nSchema, &obTag);
    if (pClassRef == NULL) {
        if (obTag >= m_loadArray.size() || m_loadArray[obTag].bClass) Throw(CArchiveException::badIndex);
        CObject* pOb = static_cast<CObject*>(m_loadArray[obTag].p);
        if (pOb != NULL && pClassRefRequested != NULL && !pOb->IsKindOf(pClassRefRequested))
            Throw(CArchiveException::badClass);
        return pOb;
    }

    CObject* pOb = pClassRef->CreateObject();
    if (pOb == NULL) AfxThrowMemoryException();
    if (m_loadArray.size() >= nMaxMapCount) {
        delete pOb;
        Throw(CArchiveException::badIndex);
    }
    // entered before its data is read, so the data may refer back to it
    size_t nIndex = m_loadArray.size();
    m_loadArray.push_back(LoadEntry{pOb, false, 0});
    UINT nSchemaSave = m_nObjectSchema;
    m_nObjectSchema = nSchema;
    try {
        pOb->Serialize(*this);
    } catch (...) {
        // the object never reached the caller: free it
        m_loadArray[nIndex].p = NULL;
        m_nObjectSchema = nSchemaSave;
        delete pOb;
        throw;
    }
    m_nObjectSchema = nSchemaSave;
    return pOb;
}

void CArchive::SerializeClass(const CRuntimeClass* pClassRef) {
    if (IsStoring())
        WriteClass(pClassRef);
    else
        ReadClass(pClassRef);
}

UINT CArchive::GetObjectSchema() {
    UINT nResult = m_nObjectSchema;
    m_nObjectSchema = (UINT)-1;
    return nResult;
}

CArchive& AFXAPI operator<<(CArchive& ar, const CObject* pOb) {
    ar.WriteObject(pOb);
    return ar;
}

CArchive& AFXAPI operator>>(CArchive& ar, CObject*& pOb) {
    pOb = ar.ReadObject(NULL);
    return ar;
}

CArchive& AFXAPI operator>>(CArchive& ar, const CObject*& pOb) {
    pOb = ar.ReadObject(NULL);
    return ar;
}

// --- strings ----------------------------------------------------------------

void CArchive::WriteString(LPCTSTR lpsz) {
    if (lpsz != NULL) Write(lpsz, (UINT)strlen(lpsz));
}

CArchive& AFXAPI operator<<(CArchive& ar, const CString& string) {
    DWORD nLen = (DWORD)string.GetLength();
    if (nLen < 0xFF) {
        ar << (BYTE)nLen;
    } else if (nLen < 0xFFFE) {
        ar << (BYTE)0xFF;
        ar << (WORD)nLen;
    } else {
        ar << (BYTE)0xFF;
        ar << (WORD)0xFFFF;
        ar << (DWORD)nLen;
    }
    ar.Write(string.m_pchData, nLen);
    return ar;
}

CArchive& AFXAPI operator>>(CArchive& ar, CString& string) {
    DWORD nLen;
    BYTE bLen;
    ar >> bLen;
    if (bLen < 0xFF) {
        nLen = bLen;
    } else {
        WORD wLen;
        ar >> wLen;
        if (wLen == 0xFFFE) {
            // a wide string: this build stores 8-bit strings only
            AfxThrowArchiveException(CArchiveException::generic, ar.m_strFileName);
        } else if (wLen == 0xFFFF) {
            ar >> nLen;
        } else {
            nLen = wLen;
        }
    }
    if (nLen > (DWORD)INT_MAX - 64 || nLen > ar.GetRemaining())
        AfxThrowArchiveException(CArchiveException::endOfFile, ar.m_strFileName);

    // Grow with the data rather than trusting the prefix (the remaining
    // length is not always known).
    CString result;
    const DWORD nStep = 1 << 20;
    DWORD nDone = 0;
    while (nDone < nLen) {
        DWORD nChunk = nLen - nDone < nStep ? nLen - nDone : nStep;
        LPTSTR p = result.GetBufferSetLength((int)(nDone + nChunk));
        ar.EnsureRead(p + nDone, nChunk);
        nDone += nChunk;
    }
    string = result;
    return ar;
}
