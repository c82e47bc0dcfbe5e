// afxole.h - OLE drag and drop.
//
//   COleDataSource  an IDataObject offering global-memory data in the
//                   formats cached into it, and the start of a drag
//   COleDropSource  the default IDropSource: Escape cancels, releasing the
//                   mouse button drops, default cursors
//   COleDataObject  the receiving side's view of an IDataObject: which
//                   formats it offers and their data as memory or a file
//   COleDropTarget  an IDropTarget for one window that hands OLE's calls,
//                   with the point in the window's client coordinates, to
//                   its virtual OnDragEnter, OnDragOver, OnDragLeave, OnDrop
//                   and OnDropEx
//
// Sources and targets are plain objects their owner keeps alive (a source
// for the drag, DoDragDrop returns only when it is over; a target while it
// is registered): OLE's reference counts are kept but never delete them.
#pragma once
#include "afxwin.h"

#include <ole2.h>

typedef DWORD DROPEFFECT;

// OleInitialize for this thread; FALSE when it fails.
BOOL AfxOleInit();
// TRUE when OLE (not only COM) is initialised in the calling thread, by
// AfxOleInit or by a direct OleInitialize.
BOOL AfxOleIsInitialized();

// IUnknown of the plain objects below, each offering one OLE interface I:
// it answers I and IUnknown, and keeps the count without deleting itself.
template <class I>
class COleOwnedObject : public I {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override {
        if (ppv == NULL) return E_POINTER;
        if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, __uuidof(I))) {
            *ppv = static_cast<I*>(this);
            AddRef();
            return S_OK;
        }
        *ppv = NULL;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return (ULONG)::InterlockedIncrement(&m_nRef); }
    ULONG STDMETHODCALLTYPE Release() override { return (ULONG)::InterlockedDecrement(&m_nRef); }

protected:
    COleOwnedObject() : m_nRef(0) {}

private:
    LONG m_nRef;
};

class COleDropSource : public COleOwnedObject<IDropSource> {
public:
    virtual ~COleDropSource() {}

    HRESULT STDMETHODCALLTYPE QueryContinueDrag(BOOL bEscapePressed, DWORD dwKeyState) override;
    HRESULT STDMETHODCALLTYPE GiveFeedback(DWORD dwEffect) override;
};

class COleDataSource : public COleOwnedObject<IDataObject> {
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
    BOOL m_bCancelled;
};

class CFile;

class COleDataObject {
public:
    COleDataObject();
    ~COleDataObject();

    // Looks at pDataObject from now on; with bAutoRelease the object is
    // released when it is let go (Release, a later Attach, the destructor).
    void Attach(IDataObject* pDataObject, BOOL bAutoRelease = TRUE);
    // Lets the data object go without releasing it and answers it.
    IDataObject* Detach();
    void Release();
    // The data object, with a reference of the caller's own when bAddRef.
    IDataObject* GetIDataObject(BOOL bAddRef);
    BOOL IsAttached() const { return m_lpDataObject != NULL; }

    // pFormat NULL: the format in global memory or a stream, content aspect.
    BOOL IsDataAvailable(CLIPFORMAT cfFormat, FORMATETC* pFormat = NULL);
    // The medium is the caller's to ReleaseStgMedium.
    BOOL GetData(CLIPFORMAT cfFormat, STGMEDIUM* pMedium, FORMATETC* pFormat = NULL);
    // A copy of the data in global memory, the caller's to free; NULL when
    // the format is not offered in memory or on failure.
    HGLOBAL GetGlobalData(CLIPFORMAT cfFormat, FORMATETC* pFormat = NULL);
    // A new file over a copy of the data (global memory or a stream), the
    // caller's to delete; NULL when the format is not offered.
    CFile* GetFileData(CLIPFORMAT cfFormat, FORMATETC* pFormat = NULL);

    IDataObject* m_lpDataObject;
    BOOL m_bAutoRelease;

private:
    COleDataObject(const COleDataObject&) = delete;
    COleDataObject& operator=(const COleDataObject&) = delete;
};

class COleDropTarget : public COleOwnedObject<IDropTarget> {
public:
    COleDropTarget();
    virtual ~COleDropTarget();

    // Registers pWnd's window with OLE; FALSE when it has no window, OLE is
    // not initialised in this thread or the window has a target already.
    BOOL Register(CWnd* pWnd);
    virtual void Revoke();
    BOOL IsRegistered() const { return m_hWnd != NULL; }
    CWnd* GetWnd() const { return m_pWnd; }

    // The overridables; points are in the window's client coordinates. The
    // defaults take nothing.
    virtual DROPEFFECT OnDragEnter(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point);
    virtual DROPEFFECT OnDragOver(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point);
    virtual void OnDragLeave(CWnd* pWnd);
    // dropEffect is what OnDragOver answered for the drop point.
    virtual BOOL OnDrop(CWnd* pWnd, COleDataObject* pDataObject, DROPEFFECT dropEffect, CPoint point);
    // The effect of the drop; (DROPEFFECT)-1 (the default) leaves the drop to
    // OnDrop. dropDefault is what OnDragOver answered, dropList the effects
    // the source allows.
    virtual DROPEFFECT OnDropEx(CWnd* pWnd, COleDataObject* pDataObject, DROPEFFECT dropDefault,
                                DROPEFFECT dropList, CPoint point);

    // IDropTarget
    HRESULT STDMETHODCALLTYPE DragEnter(IDataObject* pData, DWORD dwKeyState, POINTL pt, DWORD* pdwEffect) override;
    HRESULT STDMETHODCALLTYPE DragOver(DWORD dwKeyState, POINTL pt, DWORD* pdwEffect) override;
    HRESULT STDMETHODCALLTYPE DragLeave() override;
    HRESULT STDMETHODCALLTYPE Drop(IDataObject* pData, DWORD dwKeyState, POINTL pt, DWORD* pdwEffect) override;

protected:
    CWnd* m_pWnd;
    HWND m_hWnd;                  // the registered window, NULL when none
    COleDataObject m_dataObject;  // the data of the drag in progress

private:
    COleDropTarget(const COleDropTarget&) = delete;
    COleDropTarget& operator=(const COleDropTarget&) = delete;
    CPoint ClientPoint(POINTL pt) const;
};
