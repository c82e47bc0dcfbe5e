// oledrop.cpp - the receiving side of OLE drag and drop: COleDataObject,
// COleDropTarget, and OLE's initialisation per thread.
#include "afxole.h"

static thread_local BOOL t_bOleInitialized = FALSE;

BOOL AfxOleInit() {
    if (t_bOleInitialized) return TRUE;
    if (FAILED(::OleInitialize(NULL))) return FALSE;
    t_bOleInitialized = TRUE;
    return TRUE;
}

BOOL AfxOleIsInitialized() {
    if (t_bOleInitialized) return TRUE;
    // OleInitialize answers S_FALSE when OLE was initialised in this thread
    // before (S_OK when it was not, or when only COM was). Either way the
    // probe's own count is given back at once.
    const HRESULT hr = ::OleInitialize(NULL);
    if (FAILED(hr)) return FALSE;
    ::OleUninitialize();
    return hr == S_FALSE;
}

// --- COleDataObject ----------------------------------------------------------

COleDataObject::COleDataObject() : m_lpDataObject(NULL), m_bAutoRelease(TRUE) {}

COleDataObject::~COleDataObject() { Release(); }

void COleDataObject::Attach(IDataObject* pDataObject, BOOL bAutoRelease) {
    if (pDataObject == m_lpDataObject) {
        // The same object again: keep one reference at most.
        if (pDataObject != NULL && m_bAutoRelease && bAutoRelease) pDataObject->Release();
        m_bAutoRelease = m_bAutoRelease || bAutoRelease;
        return;
    }
    Release();
    m_lpDataObject = pDataObject;
    m_bAutoRelease = bAutoRelease;
}

IDataObject* COleDataObject::Detach() {
    IDataObject* pDataObject = m_lpDataObject;
    m_lpDataObject = NULL;
    m_bAutoRelease = TRUE;
    return pDataObject;
}

void COleDataObject::Release() {
    IDataObject* pDataObject = m_lpDataObject;
    const BOOL bAutoRelease = m_bAutoRelease;
    m_lpDataObject = NULL;
    m_bAutoRelease = TRUE;
    if (pDataObject != NULL && bAutoRelease) pDataObject->Release();
}

IDataObject* COleDataObject::GetIDataObject(BOOL bAddRef) {
    if (m_lpDataObject != NULL && bAddRef) m_lpDataObject->AddRef();
    return m_lpDataObject;
}

static FORMATETC MakeFormat(CLIPFORMAT cfFormat, FORMATETC* pFormat, DWORD tymed) {
    if (pFormat != NULL) return *pFormat;
    FORMATETC format = {cfFormat, NULL, DVASPECT_CONTENT, -1, tymed};
    return format;
}

BOOL COleDataObject::IsDataAvailable(CLIPFORMAT cfFormat, FORMATETC* pFormat) {
    if (m_lpDataObject == NULL) return FALSE;
    FORMATETC format = MakeFormat(cfFormat, pFormat, TYMED_HGLOBAL | TYMED_ISTREAM);
    return m_lpDataObject->QueryGetData(&format) == S_OK;
}

BOOL COleDataObject::GetData(CLIPFORMAT cfFormat, STGMEDIUM* pMedium, FORMATETC* pFormat) {
    if (m_lpDataObject == NULL || pMedium == NULL) return FALSE;
    memset(pMedium, 0, sizeof(*pMedium));
    FORMATETC format = MakeFormat(cfFormat, pFormat, TYMED_HGLOBAL | TYMED_ISTREAM);
    if (FAILED(m_lpDataObject->GetData(&format, pMedium))) {
        memset(pMedium, 0, sizeof(*pMedium));
        return FALSE;
    }
    return TRUE;
}

static HGLOBAL CopyGlobalMemory(HGLOBAL hSource) {
    const SIZE_T cb = ::GlobalSize(hSource);
    const void* pSource = ::GlobalLock(hSource);
    if (pSource == NULL) return NULL;
    HGLOBAL hCopy = ::GlobalAlloc(GMEM_MOVEABLE, cb > 0 ? cb : 1);
    void* pCopy = hCopy != NULL ? ::GlobalLock(hCopy) : NULL;
    if (pCopy != NULL) {
        memcpy(pCopy, pSource, cb);
        ::GlobalUnlock(hCopy);
    } else if (hCopy != NULL) {
        ::GlobalFree(hCopy);
        hCopy = NULL;
    }
    ::GlobalUnlock(hSource);
    return hCopy;
}

HGLOBAL COleDataObject::GetGlobalData(CLIPFORMAT cfFormat, FORMATETC* pFormat) {
    FORMATETC format = MakeFormat(cfFormat, pFormat, TYMED_HGLOBAL);
    format.tymed = TYMED_HGLOBAL;
    STGMEDIUM medium;
    if (!GetData(cfFormat, &medium, &format)) return NULL;
    if (medium.tymed != TYMED_HGLOBAL || medium.hGlobal == NULL) {
        ::ReleaseStgMedium(&medium);
        return NULL;
    }
    // Memory that still belongs to the source (pUnkForRelease) is copied.
    if (medium.pUnkForRelease == NULL) return medium.hGlobal;
    HGLOBAL hCopy = CopyGlobalMemory(medium.hGlobal);
    ::ReleaseStgMedium(&medium);
    return hCopy;
}

CFile* COleDataObject::GetFileData(CLIPFORMAT cfFormat, FORMATETC* pFormat) {
    FORMATETC format = MakeFormat(cfFormat, pFormat, TYMED_HGLOBAL | TYMED_ISTREAM);
    format.tymed &= TYMED_HGLOBAL | TYMED_ISTREAM;
    if (format.tymed & TYMED_HGLOBAL) {
        FORMATETC formatGlobal = format;
        formatGlobal.tymed = TYMED_HGLOBAL;
        if (HGLOBAL hGlobal = GetGlobalData(cfFormat, &formatGlobal)) {
            CSharedFile* pFile = new CSharedFile(GMEM_MOVEABLE);
            pFile->SetHandle(hGlobal, FALSE);
            return pFile;
        }
    }
    if (!(format.tymed & TYMED_ISTREAM)) return NULL;
    format.tymed = TYMED_ISTREAM;
    STGMEDIUM medium;
    if (!GetData(cfFormat, &medium, &format)) return NULL;
    if (medium.tymed != TYMED_ISTREAM || medium.pstm == NULL) {
        ::ReleaseStgMedium(&medium);
        return NULL;
    }
    // The stream is read whole into memory: the file outlives the medium.
    CMemFile* pFile = new CMemFile;
    BYTE buffer[4096];
    for (;;) {
        ULONG cbRead = 0;
        const HRESULT hr = medium.pstm->Read(buffer, sizeof(buffer), &cbRead);
        if (FAILED(hr)) {
            delete pFile;
            pFile = NULL;
            break;
        }
        if (cbRead == 0) break;
        try {
            pFile->Write(buffer, cbRead);
        } catch (CException* e) {
            e->Delete();
            delete pFile;
            pFile = NULL;
            break;
        }
    }
    ::ReleaseStgMedium(&medium);
    if (pFile != NULL) pFile->SeekToBegin();
    return pFile;
}

// --- COleDropTarget ------------------------------------------------------------

COleDropTarget::COleDropTarget() : m_pWnd(NULL), m_hWnd(NULL) {}

COleDropTarget::~COleDropTarget() { COleDropTarget::Revoke(); }

BOOL COleDropTarget::Register(CWnd* pWnd) {
    if (m_hWnd != NULL) return FALSE;
    HWND hWnd = pWnd != NULL ? pWnd->GetSafeHwnd() : NULL;
    if (hWnd == NULL || FAILED(::RegisterDragDrop(hWnd, this))) return FALSE;
    m_pWnd = pWnd;
    m_hWnd = hWnd;
    return TRUE;
}

void COleDropTarget::Revoke() {
    m_dataObject.Release();
    if (m_hWnd != NULL && ::IsWindow(m_hWnd)) ::RevokeDragDrop(m_hWnd);
    m_hWnd = NULL;
    m_pWnd = NULL;
}

DROPEFFECT COleDropTarget::OnDragEnter(CWnd*, COleDataObject*, DWORD, CPoint) { return DROPEFFECT_NONE; }
DROPEFFECT COleDropTarget::OnDragOver(CWnd*, COleDataObject*, DWORD, CPoint) { return DROPEFFECT_NONE; }
void COleDropTarget::OnDragLeave(CWnd*) {}
BOOL COleDropTarget::OnDrop(CWnd*, COleDataObject*, DROPEFFECT, CPoint) { return FALSE; }
DROPEFFECT COleDropTarget::OnDropEx(CWnd*, COleDataObject*, DROPEFFECT, DROPEFFECT, CPoint) {
    return (DROPEFFECT)-1;
}

CPoint COleDropTarget::ClientPoint(POINTL pt) const {
    POINT point = {pt.x, pt.y};
    ::ScreenToClient(m_hWnd, &point);
    return CPoint(point.x, point.y);
}

// What the source allows of an answer; a move the source refuses becomes a
// copy when it allows that. Scrolling is always passed on.
static DROPEFFECT FilterEffect(DROPEFFECT dropEffect, DWORD dwAllowed) {
    const DROPEFFECT dropScroll = dropEffect & DROPEFFECT_SCROLL;
    dropEffect &= ~DROPEFFECT_SCROLL;
    if ((dropEffect & DROPEFFECT_MOVE) && !(dwAllowed & DROPEFFECT_MOVE) && (dwAllowed & DROPEFFECT_COPY))
        dropEffect = (dropEffect & ~DROPEFFECT_MOVE) | DROPEFFECT_COPY;
    return (dropEffect & dwAllowed) | dropScroll;
}

HRESULT STDMETHODCALLTYPE COleDropTarget::DragEnter(IDataObject* pData, DWORD dwKeyState, POINTL pt,
                                                    DWORD* pdwEffect) {
    if (pdwEffect == NULL) return E_INVALIDARG;
    const DWORD dwAllowed = *pdwEffect;
    *pdwEffect = DROPEFFECT_NONE;
    if (m_hWnd == NULL || pData == NULL) return S_OK;
    // The data stays ours until the drag leaves or drops.
    pData->AddRef();
    m_dataObject.Attach(pData, TRUE);
    *pdwEffect = FilterEffect(OnDragEnter(m_pWnd, &m_dataObject, dwKeyState, ClientPoint(pt)), dwAllowed);
    return S_OK;
}

HRESULT STDMETHODCALLTYPE COleDropTarget::DragOver(DWORD dwKeyState, POINTL pt, DWORD* pdwEffect) {
    if (pdwEffect == NULL) return E_INVALIDARG;
    const DWORD dwAllowed = *pdwEffect;
    *pdwEffect = DROPEFFECT_NONE;
    // A move without an entered drag (or after it left) takes nothing.
    if (m_hWnd == NULL || !m_dataObject.IsAttached()) return S_OK;
    *pdwEffect = FilterEffect(OnDragOver(m_pWnd, &m_dataObject, dwKeyState, ClientPoint(pt)), dwAllowed);
    return S_OK;
}

HRESULT STDMETHODCALLTYPE COleDropTarget::DragLeave() {
    if (m_hWnd != NULL && m_dataObject.IsAttached()) OnDragLeave(m_pWnd);
    m_dataObject.Release();
    return S_OK;
}

HRESULT STDMETHODCALLTYPE COleDropTarget::Drop(IDataObject* pData, DWORD dwKeyState, POINTL pt, DWORD* pdwEffect) {
    if (pdwEffect == NULL) return E_INVALIDARG;
    const DWORD dwAllowed = *pdwEffect;
    *pdwEffect = DROPEFFECT_NONE;
    if (m_hWnd == NULL || pData == NULL) {
        m_dataObject.Release();
        return S_OK;
    }
    pData->AddRef();
    m_dataObject.Attach(pData, TRUE);
    const CPoint point = ClientPoint(pt);
    const DROPEFFECT dropDefault =
        FilterEffect(OnDragOver(m_pWnd, &m_dataObject, dwKeyState, point), dwAllowed) & ~DROPEFFECT_SCROLL;
    DROPEFFECT dropEffect = OnDropEx(m_pWnd, &m_dataObject, dropDefault, dwAllowed, point);
    if (dropEffect == (DROPEFFECT)-1) {
        if (dropDefault != DROPEFFECT_NONE && OnDrop(m_pWnd, &m_dataObject, dropDefault, point))
            dropEffect = dropDefault;
        else
            dropEffect = DROPEFFECT_NONE;
    }
    // A drop that took nothing ends the drag as a leave would.
    if (dropEffect == DROPEFFECT_NONE) OnDragLeave(m_pWnd);
    m_dataObject.Release();
    *pdwEffect = FilterEffect(dropEffect, dwAllowed) & ~DROPEFFECT_SCROLL;
    return S_OK;
}
