#include "SPTabWndDropTarget.h"

BOOL CSPTabWndDropTarget::Register(CWnd* pTabWnd, ISPTabsDragOver* pHandler) {
    m_pTabWnd = pTabWnd;
    m_pHandler = pHandler;
    m_bRegistered = pTabWnd != NULL && pHandler != NULL && pTabWnd->GetSafeHwnd() != NULL &&
                    SUCCEEDED(::RegisterDragDrop(pTabWnd->GetSafeHwnd(), this));
    return m_bRegistered;
}

void CSPTabWndDropTarget::Revoke() {
    if (m_bRegistered && m_pTabWnd != NULL && m_pTabWnd->GetSafeHwnd() != NULL)
        ::RevokeDragDrop(m_pTabWnd->GetSafeHwnd());
    m_bRegistered = FALSE;
    m_pData = NULL;
}

HRESULT STDMETHODCALLTYPE CSPTabWndDropTarget::QueryInterface(REFIID riid, void** ppv) {
    if (ppv == NULL) return E_POINTER;
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDropTarget)) {
        *ppv = static_cast<IDropTarget*>(this);
        return S_OK;
    }
    *ppv = NULL;
    return E_NOINTERFACE;
}

HRESULT STDMETHODCALLTYPE CSPTabWndDropTarget::DragEnter(IDataObject* pData, DWORD dwKeyState, POINTL pt,
                                                         DWORD* pdwEffect) {
    m_pData = pData;
    return DragOver(dwKeyState, pt, pdwEffect);
}

HRESULT STDMETHODCALLTYPE CSPTabWndDropTarget::DragOver(DWORD dwKeyState, POINTL pt, DWORD* pdwEffect) {
    DROPEFFECT dwEffect = DROPEFFECT_NONE;
    if (m_pHandler != NULL && m_pTabWnd->GetSafeHwnd() != NULL && m_pData != NULL) {
        CPoint point(pt.x, pt.y);
        m_pTabWnd->ScreenToClient(&point);
        dwEffect = m_pHandler->OnTabsDragOver(m_pData, dwKeyState, point);
    }
    if (pdwEffect != NULL) *pdwEffect = dwEffect;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE CSPTabWndDropTarget::DragLeave() {
    m_pData = NULL;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE CSPTabWndDropTarget::Drop(IDataObject* /*pData*/, DWORD /*dwKeyState*/, POINTL /*pt*/,
                                                    DWORD* pdwEffect) {
    // The strip only opens tabs; the button is dropped on what they show.
    m_pData = NULL;
    if (pdwEffect != NULL) *pdwEffect = DROPEFFECT_NONE;
    return S_OK;
}
