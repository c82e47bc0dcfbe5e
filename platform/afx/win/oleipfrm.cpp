// oleipfrm.cpp - the frames of in-place activation.
#include "afximpl.h"
#include "afxoleip.h"

// --- COleCntrFrameWnd ------------------------------------------------------------------------

IMPLEMENT_DYNAMIC(COleCntrFrameWnd, CFrameWnd)

BEGIN_MESSAGE_MAP(COleCntrFrameWnd, CFrameWnd)
    ON_WM_CLOSE()
END_MESSAGE_MAP()

COleCntrFrameWnd::COleCntrFrameWnd(COleIPFrameWnd* pInPlaceFrame) : m_pInPlaceFrame(pInPlaceFrame) {}

COleCntrFrameWnd::~COleCntrFrameWnd() {
    // The window is the container's.
    DetachContainer();
}

BOOL COleCntrFrameWnd::AttachContainer(HWND hWnd) {
    if (m_hWnd != NULL || !::IsWindow(hWnd) || CWnd::FromHandlePermanent(hWnd) != NULL) return FALSE;
    return SubclassWindow(hWnd);
}

HWND COleCntrFrameWnd::DetachContainer() {
    if (m_hWnd == NULL) return NULL;
    // A container window destroyed meanwhile has already let go.
    if (!::IsWindow(m_hWnd)) return Detach();
    return UnsubclassWindow();
}

void COleCntrFrameWnd::OnClose() { Default(); }

void COleCntrFrameWnd::RecalcLayout(BOOL bNotify) {
    // Only the server's bars are laid out; the container's own children
    // are left where the container put them.
    (void)bNotify;
    if (m_bInRecalcLayout || m_hWnd == NULL) return;
    m_bInRecalcLayout = TRUE;
    RepositionBars(AFX_IDW_CONTROLBAR_FIRST, AFX_IDW_CONTROLBAR_LAST, 0, reposDefault);
    m_bInRecalcLayout = FALSE;
}

// --- COleIPFrameWnd ---------------------------------------------------------------------------

IMPLEMENT_DYNCREATE(COleIPFrameWnd, CFrameWnd)

BEGIN_MESSAGE_MAP(COleIPFrameWnd, CFrameWnd)
    ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdateCmdUI)
    ON_WM_DESTROY()
END_MESSAGE_MAP()

COleIPFrameWnd::COleIPFrameWnd() : m_pMainFrame(NULL), m_pDocFrame(NULL), m_bInPlaceActive(FALSE), m_pActiveItem(NULL) {}

COleIPFrameWnd::~COleIPFrameWnd() {
    ReleaseItem();
    ReleaseWrapper(m_pMainFrame);
    ReleaseWrapper(m_pDocFrame);
}

void COleIPFrameWnd::ReleaseWrapper(COleCntrFrameWnd*& pWrapper) {
    if (pWrapper == NULL) return;
    pWrapper->DetachContainer();
    delete pWrapper;
    pWrapper = NULL;
}

BOOL COleIPFrameWnd::OnCreateControlBars(CFrameWnd*, CFrameWnd*) { return TRUE; }

void COleIPFrameWnd::ReleaseItem() {
    if (m_pActiveItem == NULL) return;
    m_pActiveItem->m_pInPlaceFrame = NULL;
    m_pActiveItem->m_pView = NULL;
    m_pActiveItem = NULL;
}

BOOL COleIPFrameWnd::ActivateInPlace(HWND hWndContainerFrame, HWND hWndContainerDoc, const RECT& rect,
                                     COleClientItem* pItem, CView* pView) {
    if (m_hWnd == NULL || !::IsWindow(hWndContainerFrame) ||
        (hWndContainerDoc != NULL && !::IsWindow(hWndContainerDoc)))
        return FALSE;
    if (m_pMainFrame == NULL) {
        m_pMainFrame = new COleCntrFrameWnd(this);
        if (!m_pMainFrame->AttachContainer(hWndContainerFrame)) {
            ReleaseWrapper(m_pMainFrame);
            return FALSE;
        }
    }
    if (hWndContainerDoc != NULL && hWndContainerDoc != hWndContainerFrame && m_pDocFrame == NULL) {
        m_pDocFrame = new COleCntrFrameWnd(this);
        if (!m_pDocFrame->AttachContainer(hWndContainerDoc)) {
            ReleaseWrapper(m_pDocFrame);
            ReleaseWrapper(m_pMainFrame);
            return FALSE;
        }
    }
    if (!OnCreateControlBars(m_pMainFrame, m_pDocFrame)) {
        ReleaseWrapper(m_pMainFrame);
        ReleaseWrapper(m_pDocFrame);
        return FALSE;
    }
    if (m_pMainFrame != NULL) m_pMainFrame->RecalcLayout();
    if (m_pDocFrame != NULL) m_pDocFrame->RecalcLayout();
    m_bInPlaceActive = TRUE;
    if (pItem != NULL && pItem != m_pActiveItem) {
        ReleaseItem();
        // One item of a container is active in place at a time.
        if (pItem->m_pInPlaceFrame != NULL) pItem->m_pInPlaceFrame->DeactivateInPlace();
        m_pActiveItem = pItem;
        pItem->m_pInPlaceFrame = this;
        pItem->m_pView = pView;
    }
    SetWindowPos(&CWnd::wndTop, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
                 SWP_SHOWWINDOW);
    RecalcLayout();
    // The in-place frame is active as the container's frame is.
    SendMessage(WM_ACTIVATE, WA_ACTIVE, (LPARAM)hWndContainerFrame);
    return TRUE;
}

void COleIPFrameWnd::DeactivateInPlace() {
    if (!m_bInPlaceActive) return;
    m_bInPlaceActive = FALSE;
    ReleaseItem();
    if (m_hWnd != NULL) {
        SendMessage(WM_ACTIVATE, WA_INACTIVE, (LPARAM)AfxGetSafeHwnd(m_pMainFrame));
        ShowWindow(SW_HIDE);
    }
    ReleaseWrapper(m_pMainFrame);
    ReleaseWrapper(m_pDocFrame);
}

void COleIPFrameWnd::RecalcLayout(BOOL bNotify) {
    CFrameWnd::RecalcLayout(bNotify);
    if (m_pMainFrame != NULL && m_pMainFrame->m_hWnd != NULL) m_pMainFrame->RecalcLayout(bNotify);
    if (m_pDocFrame != NULL && m_pDocFrame->m_hWnd != NULL) m_pDocFrame->RecalcLayout(bNotify);
}

void COleIPFrameWnd::OnSetPreviewMode(BOOL bPreview, CPrintPreviewState* pState) {
    CFrameWnd::OnSetPreviewMode(bPreview, pState);
}

LRESULT COleIPFrameWnd::OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam) {
    CFrameWnd::OnIdleUpdateCmdUI(wParam, lParam);
    return 0;
}

void COleIPFrameWnd::OnDestroy() {
    // The wrappers let go of the container's windows before the frame
    // goes; a container window destroyed first left a wrapper with a dead
    // handle, which is dropped the same way.
    m_bInPlaceActive = FALSE;
    ReleaseItem();
    ReleaseWrapper(m_pMainFrame);
    ReleaseWrapper(m_pDocFrame);
    CFrameWnd::OnDestroy();
}

// --- COleDocIPFrameWnd ----------------------------------------------------------------------

IMPLEMENT_DYNCREATE(COleDocIPFrameWnd, COleIPFrameWnd)

COleDocIPFrameWnd::COleDocIPFrameWnd() {}

// --- COleClientItem ---------------------------------------------------------------------------

IMPLEMENT_DYNAMIC(COleClientItem, CCmdTarget)

COleClientItem::COleClientItem(COleDocument* pContainerDoc) : m_pDocument(NULL), m_pInPlaceFrame(NULL), m_pView(NULL) {
    if (pContainerDoc != NULL) pContainerDoc->AddItem(this);
}

COleClientItem::~COleClientItem() {
    Deactivate();
    if (m_pDocument != NULL) m_pDocument->RemoveItem(this);
}

CWnd* COleClientItem::GetInPlaceWindow() const {
    return m_pInPlaceFrame != NULL && m_pInPlaceFrame->GetSafeHwnd() != NULL ? m_pInPlaceFrame : NULL;
}

void COleClientItem::Deactivate() {
    if (m_pInPlaceFrame != NULL) m_pInPlaceFrame->DeactivateInPlace();
    m_pInPlaceFrame = NULL;
    m_pView = NULL;
}

void COleClientItem::Close() { Deactivate(); }

// --- COleDocument -----------------------------------------------------------------------------

IMPLEMENT_DYNCREATE(COleDocument, CDocument)

COleDocument::COleDocument() {}

COleDocument::~COleDocument() { DeleteContents(); }

void COleDocument::AddItem(COleClientItem* pItem) {
    if (pItem == NULL || pItem->m_pDocument == this) return;
    if (pItem->m_pDocument != NULL) pItem->m_pDocument->RemoveItem(pItem);
    m_lstItems.AddTail(pItem);
    pItem->m_pDocument = this;
}

void COleDocument::RemoveItem(COleClientItem* pItem) {
    POSITION pos = m_lstItems.Find(pItem);
    if (pos == NULL) return;
    m_lstItems.RemoveAt(pos);
    pItem->m_pDocument = NULL;
}

COleClientItem* COleDocument::GetInPlaceActiveItem(CWnd* pWnd) {
    for (POSITION pos = m_lstItems.GetHeadPosition(); pos != NULL;) {
        COleClientItem* pItem = (COleClientItem*)m_lstItems.GetNext(pos);
        if (pItem->IsInPlaceActive() && (pWnd == NULL || pItem->GetActiveView() == pWnd)) return pItem;
    }
    return NULL;
}

void COleDocument::DeleteContents() {
    while (!m_lstItems.IsEmpty()) delete (COleClientItem*)m_lstItems.GetHead();
    CDocument::DeleteContents();
}
