// SPToolbarDropSource.h - CSPToolbarDropSource: the OLE drop source through
// which toolbars drag their buttons while customising. It shows its own copy,
// move and delete cursors (the library's cursor resources 16004, 16146 and
// 16133), loaded when the first drag begins.
#pragma once
#include "afxwin.h"

#include <ole2.h>

class CSPToolbarDropSource : public IDropSource {
public:
    CSPToolbarDropSource();
    virtual ~CSPToolbarDropSource();

    BOOL m_bDeleteOnDrop;  // a drop outside every bar deletes the button
    DWORD m_dwKeyState;    // the key state of the last QueryContinueDrag
    BOOL m_bDragStarted;
    BOOL m_bEscapePressed;  // the last drag was cancelled
    HCURSOR m_hcurDelete;
    HCURSOR m_hcurMove;
    HCURSOR m_hcurCopy;

    // Loads the cursors once and notes the drag has started; TRUE.
    virtual BOOL OnBeginDrag(CWnd* pWnd);

    // IDropSource. The object is a process-wide static: reference counts do
    // not free it.
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    // Escape cancels, releasing the left button drops; the delete cursor is
    // shown meanwhile when a drop may delete.
    HRESULT STDMETHODCALLTYPE QueryContinueDrag(BOOL bEscapePressed, DWORD dwKeyState) override;
    // The copy, move or (any other effect) delete cursor.
    HRESULT STDMETHODCALLTYPE GiveFeedback(DWORD dwEffect) override;

private:
    CSPToolbarDropSource(const CSPToolbarDropSource&) = delete;
    CSPToolbarDropSource& operator=(const CSPToolbarDropSource&) = delete;
};
