// oledata.cpp - COleDataSource and COleDropSource.
#include "afxole.h"

#include <shlobj.h>

HRESULT STDMETHODCALLTYPE COleDropSource::QueryContinueDrag(BOOL bEscapePressed, DWORD dwKeyState) {
    if (bEscapePressed) return DRAGDROP_S_CANCEL;
    if (!(dwKeyState & MK_LBUTTON)) return DRAGDROP_S_DROP;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE COleDropSource::GiveFeedback(DWORD) { return DRAGDROP_S_USEDEFAULTCURSORS; }

COleDataSource::COleDataSource() : m_bCancelled(FALSE) {}

COleDataSource::~COleDataSource() { Empty(); }

void COleDataSource::Empty() {
    for (int i = 0; i < m_entries.GetSize(); i++) ::GlobalFree(m_entries[i].hGlobal);
    m_entries.RemoveAll();
}

int COleDataSource::Find(CLIPFORMAT cfFormat) const {
    for (int i = 0; i < m_entries.GetSize(); i++)
        if (m_entries[i].cf == cfFormat) return i;
    return -1;
}

BOOL COleDataSource::HasData(CLIPFORMAT cfFormat) const { return Find(cfFormat) >= 0; }

void COleDataSource::CacheGlobalData(CLIPFORMAT cfFormat, HGLOBAL hGlobal) {
    if (hGlobal == NULL) return;
    const int i = Find(cfFormat);
    if (i >= 0) {
        ::GlobalFree(m_entries[i].hGlobal);
        m_entries[i].hGlobal = hGlobal;
        return;
    }
    Entry entry = {cfFormat, hGlobal};
    m_entries.Add(entry);
}

DROPEFFECT COleDataSource::DoDragDrop(DWORD dwEffects, LPCRECT /*lpRectStartDrag*/, IDropSource* pDropSource) {
    COleDropSource defaultSource;
    if (pDropSource == NULL) pDropSource = &defaultSource;
    DWORD dwEffect = DROPEFFECT_NONE;
    const HRESULT hr = ::DoDragDrop(this, pDropSource, dwEffects, &dwEffect);
    m_bCancelled = hr != DRAGDROP_S_DROP;
    return hr == DRAGDROP_S_DROP ? dwEffect : DROPEFFECT_NONE;
}

// A copy of the data: the receiver frees what it gets.
static HGLOBAL CopyGlobal(HGLOBAL hSource) {
    const SIZE_T cb = ::GlobalSize(hSource);
    HGLOBAL hCopy = ::GlobalAlloc(GMEM_MOVEABLE, cb);
    if (hCopy == NULL) return NULL;
    const void* pSource = ::GlobalLock(hSource);
    void* pCopy = ::GlobalLock(hCopy);
    if (pSource != NULL && pCopy != NULL) memcpy(pCopy, pSource, cb);
    ::GlobalUnlock(hCopy);
    ::GlobalUnlock(hSource);
    return hCopy;
}

HRESULT STDMETHODCALLTYPE COleDataSource::QueryGetData(FORMATETC* pFormat) {
    if (pFormat == NULL) return E_INVALIDARG;
    if (!(pFormat->tymed & TYMED_HGLOBAL)) return DV_E_TYMED;
    return Find(pFormat->cfFormat) >= 0 ? S_OK : DV_E_FORMATETC;
}

HRESULT STDMETHODCALLTYPE COleDataSource::GetData(FORMATETC* pFormat, STGMEDIUM* pMedium) {
    if (pMedium == NULL) return E_INVALIDARG;
    const HRESULT hr = QueryGetData(pFormat);
    if (hr != S_OK) return hr;
    HGLOBAL hCopy = CopyGlobal(m_entries[Find(pFormat->cfFormat)].hGlobal);
    if (hCopy == NULL) return E_OUTOFMEMORY;
    pMedium->tymed = TYMED_HGLOBAL;
    pMedium->hGlobal = hCopy;
    pMedium->pUnkForRelease = NULL;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE COleDataSource::GetDataHere(FORMATETC*, STGMEDIUM*) { return E_NOTIMPL; }

HRESULT STDMETHODCALLTYPE COleDataSource::GetCanonicalFormatEtc(FORMATETC*, FORMATETC* pOut) {
    if (pOut != NULL) pOut->ptd = NULL;
    return DATA_S_SAMEFORMATETC;
}

HRESULT STDMETHODCALLTYPE COleDataSource::SetData(FORMATETC*, STGMEDIUM*, BOOL) { return E_NOTIMPL; }

HRESULT STDMETHODCALLTYPE COleDataSource::EnumFormatEtc(DWORD dwDirection, IEnumFORMATETC** ppEnum) {
    if (ppEnum == NULL) return E_INVALIDARG;
    *ppEnum = NULL;
    if (dwDirection != DATADIR_GET) return E_NOTIMPL;
    CArray<FORMATETC, const FORMATETC&> formats;
    for (int i = 0; i < m_entries.GetSize(); i++) {
        FORMATETC fe = {m_entries[i].cf, NULL, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
        formats.Add(fe);
    }
    return ::SHCreateStdEnumFmtEtc((UINT)formats.GetSize(), formats.GetData(), ppEnum);
}

HRESULT STDMETHODCALLTYPE COleDataSource::DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) {
    return OLE_E_ADVISENOTSUPPORTED;
}
HRESULT STDMETHODCALLTYPE COleDataSource::DUnadvise(DWORD) { return OLE_E_ADVISENOTSUPPORTED; }
HRESULT STDMETHODCALLTYPE COleDataSource::EnumDAdvise(IEnumSTATDATA**) { return OLE_E_ADVISENOTSUPPORTED; }
