// SPTabWndDropTarget.h - the tab strip of a tab window as a drop target for
// dragged toolbar buttons: a button held over a tab opens that tab, so that
// it can be dropped on what the tab shows. The strip itself takes no drop.
#pragma once
#include "afxwin.h"
#include <ole2.h>
#include "afxole.h"

// What the window that owns the tab window answers for a drag over the
// strip (point in the tab window's client coordinates).
class ISPTabsDragOver {
public:
    virtual DROPEFFECT OnTabsDragOver(IDataObject* pDataObject, DWORD dwKeyState, CPoint point) = 0;

protected:
    ~ISPTabsDragOver() {}
};

class CSPTabWndDropTarget : public IDropTarget {
public:
    CSPTabWndDropTarget() : m_pTabWnd(NULL), m_pHandler(NULL), m_pData(NULL), m_bRegistered(FALSE) {}
    virtual ~CSPTabWndDropTarget() {}

    // Registers the tab window with OLE when OLE is initialised in this
    // thread; FALSE when it is not registered.
    BOOL Register(CWnd* pTabWnd, ISPTabsDragOver* pHandler);
    void Revoke();
    BOOL IsRegistered() const { return m_bRegistered; }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE DragEnter(IDataObject* pData, DWORD dwKeyState, POINTL pt, DWORD* pdwEffect) override;
    HRESULT STDMETHODCALLTYPE DragOver(DWORD dwKeyState, POINTL pt, DWORD* pdwEffect) override;
    HRESULT STDMETHODCALLTYPE DragLeave() override;
    HRESULT STDMETHODCALLTYPE Drop(IDataObject* pData, DWORD dwKeyState, POINTL pt, DWORD* pdwEffect) override;

protected:
    CWnd* m_pTabWnd;
    ISPTabsDragOver* m_pHandler;
    IDataObject* m_pData;
    BOOL m_bRegistered;
};
