#include "SPToolbarDropSource.h"
#include "SPGlobalData.h"

CSPToolbarDropSource::CSPToolbarDropSource()
    : m_bDeleteOnDrop(TRUE),
      m_dwKeyState(0),
      m_bDragStarted(FALSE),
      m_bEscapePressed(FALSE),
      m_hcurDelete(NULL),
      m_hcurMove(NULL),
      m_hcurCopy(NULL) {}

CSPToolbarDropSource::~CSPToolbarDropSource() {}

BOOL CSPToolbarDropSource::OnBeginDrag(CWnd* /*pWnd*/) {
    if (m_hcurDelete == NULL) {
        CSPResourceScope scope;
        CWinApp* pApp = AfxGetApp();
        m_hcurDelete = pApp->LoadCursor(16133);
        m_hcurMove = pApp->LoadCursor(16146);
        m_hcurCopy = pApp->LoadCursor(16004);
    }
    m_bDragStarted = TRUE;
    return TRUE;
}

HRESULT STDMETHODCALLTYPE CSPToolbarDropSource::QueryInterface(REFIID riid, void** ppv) {
    if (ppv == NULL) return E_POINTER;
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDropSource)) {
        *ppv = static_cast<IDropSource*>(this);
        return S_OK;
    }
    *ppv = NULL;
    return E_NOINTERFACE;
}

HRESULT STDMETHODCALLTYPE CSPToolbarDropSource::QueryContinueDrag(BOOL bEscapePressed, DWORD dwKeyState) {
    if (m_bDeleteOnDrop && m_hcurDelete != NULL) ::SetCursor(m_hcurDelete);
    m_dwKeyState = dwKeyState;
    if (bEscapePressed) {
        m_bEscapePressed = TRUE;
        return DRAGDROP_S_CANCEL;
    }
    if (!(dwKeyState & MK_LBUTTON)) return DRAGDROP_S_DROP;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE CSPToolbarDropSource::GiveFeedback(DWORD dwEffect) {
    HCURSOR hCursor;
    if (dwEffect == DROPEFFECT_COPY)
        hCursor = m_hcurCopy;
    else if (dwEffect == DROPEFFECT_MOVE)
        hCursor = m_hcurMove;
    else
        hCursor = m_hcurDelete;
    if (hCursor == NULL) return DRAGDROP_S_USEDEFAULTCURSORS;
    ::SetCursor(hCursor);
    return S_OK;
}
