// afxole.h - the source side of OLE drag and drop.
//
//   COleDataSource  an IDataObject offering global-memory data in the
//                   formats cached into it, and the start of a drag
//   COleDropSource  the default IDropSource: Escape cancels, releasing the
//                   mouse button drops, default cursors
//
// Both are plain objects their owner keeps alive for the drag (DoDragDrop
// returns only when the drag is over): OLE's reference counts are kept but
// never delete them.
#pragma once
#include "afxwin.h"

#include <ole2.h>

typedef DWORD DROPEFFECT;

class COleDropSource : public IDropSource {
public:
    COleDropSource() : m_nRef(0) {}
    virtual ~COleDropSource() {}

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return (ULONG)::InterlockedIncrement(&m_nRef); }
    ULONG STDMETHODCALLTYPE Release() override { return (ULONG)::InterlockedDecrement(&m_nRef); }
    HRESULT STDMETHODCALLTYPE QueryContinueDrag(BOOL bEscapePressed, DWORD dwKeyState) override;
    HRESULT STDMETHODCALLTYPE GiveFeedback(DWORD dwEffect) override;

private:
    LONG m_nRef;
};

class COleDataSource : public IDataObject {
public:
    COleDataSource();
    virtual ~COleDataSource();

    // The source owns hGlobal afterwards; a format cached twice keeps the
    // later data.
    void CacheGlobalData(CLIPFORMAT cfFormat, HGLOBAL hGlobal);
    void Empty();
    BOOL HasData(CLIPFORMAT cfFormat) const;
    IDataObject* GetDataObject() { return this; }

    // Runs the drag with pDropSource (the default source when NULL) and
    // answers the effect: DROPEFFECT_NONE when it was cancelled or no
    // target took the data. The start rectangle is the owner's business
    // (its drop source decides when the drag really began).
    DROPEFFECT DoDragDrop(DWORD dwEffects = DROPEFFECT_COPY | DROPEFFECT_MOVE, LPCRECT lpRectStartDrag = NULL,
                          IDropSource* pDropSource = NULL);
    // The result of the last DoDragDrop: TRUE when the drag was cancelled.
    BOOL WasCancelled() const { return m_bCancelled; }

    // IDataObject
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return (ULONG)::InterlockedIncrement(&m_nRef); }
    ULONG STDMETHODCALLTYPE Release() override { return (ULONG)::InterlockedDecrement(&m_nRef); }
    HRESULT STDMETHODCALLTYPE GetData(FORMATETC* pFormat, STGMEDIUM* pMedium) override;
    HRESULT STDMETHODCALLTYPE GetDataHere(FORMATETC* pFormat, STGMEDIUM* pMedium) override;
    HRESULT STDMETHODCALLTYPE QueryGetData(FORMATETC* pFormat) override;
    HRESULT STDMETHODCALLTYPE GetCanonicalFormatEtc(FORMATETC* pIn, FORMATETC* pOut) override;
    HRESULT STDMETHODCALLTYPE SetData(FORMATETC* pFormat, STGMEDIUM* pMedium, BOOL bRelease) override;
    HRESULT STDMETHODCALLTYPE EnumFormatEtc(DWORD dwDirection, IEnumFORMATETC** ppEnum) override;
    HRESULT STDMETHODCALLTYPE DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override;
    HRESULT STDMETHODCALLTYPE DUnadvise(DWORD) override;
    HRESULT STDMETHODCALLTYPE EnumDAdvise(IEnumSTATDATA**) override;

private:
    COleDataSource(const COleDataSource&) = delete;
    COleDataSource& operator=(const COleDataSource&) = delete;
    int Find(CLIPFORMAT cfFormat) const;

    struct Entry {
        CLIPFORMAT cf;
        HGLOBAL hGlobal;
    };
    CArray<Entry, const Entry&> m_entries;
    LONG m_nRef;
    BOOL m_bCancelled;
};
