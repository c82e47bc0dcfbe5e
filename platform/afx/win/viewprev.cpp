// viewprev.cpp - print preview: the frame's preview mode, the dialog bar of
// the preview's buttons and the view that shows the printed pages.
#include "afximpl.h"
#include "afxpreview.h"

#include <algorithm>

using std::max;
using std::min;

// --- the frame's preview mode ---------------------------------------------------------------

void CFrameWnd::OnSetPreviewMode(BOOL bPreview, CPrintPreviewState* pState) {
    if (pState == NULL) return;
    if (bPreview) {
        // The menu goes; the bars not wanted in preview hide (the mask
        // comes back holding those that showed); the main pane steps aside
        // for the preview view.
        if (!(GetStyle() & WS_CHILD)) {
            pState->hMenu = ::GetMenu(m_hWnd);
            if (pState->hMenu != NULL) ::SetMenu(m_hWnd, NULL);
        }
        DWORD dwShown = 0;
        for (HWND hChild = ::GetWindow(m_hWnd, GW_CHILD); hChild != NULL; hChild = ::GetWindow(hChild, GW_HWNDNEXT)) {
            const int nID = ::GetDlgCtrlID(hChild);
            if (nID < AFX_IDW_CONTROLBAR_FIRST || nID >= AFX_IDW_CONTROLBAR_FIRST + 32) continue;
            const DWORD dwMask = AFX_CONTROLBAR_MASK(nID);
            if (!::IsWindowVisible(hChild) || (pState->dwStates & dwMask)) continue;
            ::ShowWindow(hChild, SW_HIDE);
            dwShown |= dwMask;
        }
        pState->dwStates = dwShown;
        HWND hPane = ::GetDlgItem(m_hWnd, AFX_IDW_PANE_FIRST);
        if (hPane != NULL) {
            ::ShowWindow(hPane, SW_HIDE);
            ::SetWindowLongPtr(hPane, GWLP_ID, AFX_IDW_PANE_SAVE);
            pState->nIDMainPane = AFX_IDW_PANE_FIRST;
        }
        m_lpfnCloseProc = pState->lpfnCloseProc;
    } else {
        HWND hPane = ::GetDlgItem(m_hWnd, AFX_IDW_PANE_SAVE);
        if (hPane != NULL) {
            ::SetWindowLongPtr(hPane, GWLP_ID, pState->nIDMainPane != 0 ? pState->nIDMainPane : AFX_IDW_PANE_FIRST);
            ::ShowWindow(hPane, SW_SHOW);
        }
        for (HWND hChild = ::GetWindow(m_hWnd, GW_CHILD); hChild != NULL; hChild = ::GetWindow(hChild, GW_HWNDNEXT)) {
            const int nID = ::GetDlgCtrlID(hChild);
            if (nID < AFX_IDW_CONTROLBAR_FIRST || nID >= AFX_IDW_CONTROLBAR_FIRST + 32) continue;
            if (pState->dwStates & AFX_CONTROLBAR_MASK(nID)) ::ShowWindow(hChild, SW_SHOWNOACTIVATE);
        }
        if (pState->hMenu != NULL && !(GetStyle() & WS_CHILD)) ::SetMenu(m_hWnd, pState->hMenu);
        m_lpfnCloseProc = NULL;
    }
}

// --- CDialogBar ------------------------------------------------------------------------------

IMPLEMENT_DYNAMIC(CDialogBar, CWnd)

BEGIN_MESSAGE_MAP(CDialogBar, CWnd)
    ON_MESSAGE(WM_SIZEPARENT, OnSizeParent)
END_MESSAGE_MAP()

CDialogBar::CDialogBar() : m_sizeDefault(0, 0), m_bAutoDelete(FALSE) {}

BOOL CDialogBar::Create(CWnd* pParentWnd, LPCTSTR lpszTemplateName, UINT /*nStyle*/, UINT nID) {
    if (!CreateDlg(lpszTemplateName, pParentWnd)) return FALSE;
    ModifyStyle(WS_POPUP | WS_CAPTION, WS_CHILD | WS_CLIPSIBLINGS);
    SetDlgCtrlID((int)nID);
    CRect rect;
    GetWindowRect(rect);
    m_sizeDefault = rect.Size();
    ShowWindow(SW_SHOWNOACTIVATE);
    return TRUE;
}

BOOL CDialogBar::OnCommand(WPARAM wParam, LPARAM lParam) {
    // The buttons are the frame's commands.
    CWnd* pOwner = GetParent();
    if (pOwner != NULL) return (BOOL)pOwner->SendMessage(WM_COMMAND, wParam, lParam) || TRUE;
    return CWnd::OnCommand(wParam, lParam);
}

void CDialogBar::PostNcDestroy() {
    if (m_bAutoDelete) delete this;
}

LRESULT CDialogBar::OnSizeParent(WPARAM, LPARAM lParam) {
    AFX_SIZEPARENTPARAMS* pLayout = (AFX_SIZEPARENTPARAMS*)lParam;
    if (!(GetStyle() & WS_VISIBLE)) return 0;
    CRect rect(pLayout->rect);
    rect.bottom = min(rect.bottom, rect.top + (LONG)m_sizeDefault.cy);
    pLayout->rect.top = rect.bottom;
    pLayout->sizeTotal.cy += rect.Height();
    AfxRepositionWindow(pLayout, m_hWnd, rect);
    return 0;
}

// --- CView: starting and ending a preview ---------------------------------------------------

BOOL CView::DoPrintPreview(UINT nIDResource, CView* pPrintView, CRuntimeClass* pPreviewViewClass,
                           CPrintPreviewState* pState) {
    if (pPrintView == NULL || pPreviewViewClass == NULL || pState == NULL) return FALSE;
    // An MDI document's preview takes the whole main frame.
    CFrameWnd* pParent = GetTopLevelFrame();
    if (pParent == NULL) pParent = GetParentFrame();
    if (pParent == NULL) return FALSE;
    CPreviewView* pView = (CPreviewView*)pPreviewViewClass->CreateObject();
    if (pView == NULL || !pView->IsKindOf(RUNTIME_CLASS(CPreviewView))) {
        delete pView;
        return FALSE;
    }
    pView->m_pOrigView = this;
    pParent->OnSetPreviewMode(TRUE, pState);

    // The strip of the preview's buttons, then the view below it.
    pView->m_pToolBar = new CDialogBar;
    pView->m_pToolBar->m_bAutoDelete = TRUE;
    CCreateContext context;
    context.m_pCurrentFrame = pParent;
    context.m_pCurrentDoc = GetDocument();
    context.m_pLastView = this;
    BOOL bOK = pView->m_pToolBar->Create(pParent, nIDResource, CBRS_TOP, AFX_IDW_PREVIEW_BAR);
    if (!bOK) {
        delete pView->m_pToolBar;
        pView->m_pToolBar = NULL;
    } else {
        bOK = pView->Create(NULL, NULL, AFX_WS_DEFAULT_VIEW, CRect(0, 0, 0, 0), pParent, AFX_IDW_PANE_FIRST, &context);
    }
    if (!bOK) {
        // A view whose window failed went with it; the state stays the caller's.
        CWnd* pBar = pParent->GetDlgItem(AFX_IDW_PREVIEW_BAR);
        if (pBar != NULL) pBar->DestroyWindow();
        pParent->OnSetPreviewMode(FALSE, pState);
        return FALSE;
    }
    pState->pViewActiveOld = pParent->GetActiveView();
    if (!pView->SetPrintView(pPrintView)) {
        if (pView->m_pToolBar != NULL) pView->m_pToolBar->DestroyWindow();
        pView->m_pToolBar = NULL;
        pParent->OnSetPreviewMode(FALSE, pState);
        pView->DestroyWindow();
        return FALSE;
    }
    // The view owns the state from here on and gives it back when it closes.
    pView->m_pPreviewState = pState;
    pParent->SetActiveView(pView);
    pParent->RecalcLayout();
    pView->UpdateWindow();
    return TRUE;
}

void CView::OnFilePrintPreview() {
    CPrintPreviewState* pState = new CPrintPreviewState;
    if (!DoPrintPreview(AFX_IDD_PREVIEW_TOOLBAR, this, RUNTIME_CLASS(CPreviewView), pState)) {
        AfxMessageBox(AFX_IDP_COMMAND_FAILURE);
        delete pState;
    }
}

void CView::OnEndPrintPreview(CDC* pDC, CPrintInfo* pInfo, POINT, CView* pView) {
    OnEndPrinting(pDC, pInfo);
    CPreviewView* pPreview = DYNAMIC_DOWNCAST(CPreviewView, pView);
    if (pPreview != NULL) pPreview->ClosePreview();
}

// --- CPreviewView --------------------------------------------------------------------------

IMPLEMENT_DYNCREATE(CPreviewView, CView)

BEGIN_MESSAGE_MAP(CPreviewView, CView)
    ON_WM_CREATE()
    ON_WM_SIZE()
    ON_WM_ERASEBKGND()
    ON_COMMAND(AFX_ID_PREVIEW_CLOSE, OnPreviewClose)
    ON_COMMAND(AFX_ID_PREVIEW_NUMPAGE, OnNumPageChange)
    ON_COMMAND(AFX_ID_PREVIEW_NEXT, OnNextPage)
    ON_COMMAND(AFX_ID_PREVIEW_PREV, OnPrevPage)
    ON_COMMAND(AFX_ID_PREVIEW_PRINT, OnPreviewPrint)
    ON_COMMAND(AFX_ID_PREVIEW_ZOOMIN, OnZoomIn)
    ON_COMMAND(AFX_ID_PREVIEW_ZOOMOUT, OnZoomOut)
    ON_UPDATE_COMMAND_UI(AFX_ID_PREVIEW_NUMPAGE, OnUpdateNumPageChange)
    ON_UPDATE_COMMAND_UI(AFX_ID_PREVIEW_NEXT, OnUpdateNextPage)
    ON_UPDATE_COMMAND_UI(AFX_ID_PREVIEW_PREV, OnUpdatePrevPage)
    ON_UPDATE_COMMAND_UI(AFX_ID_PREVIEW_ZOOMIN, OnUpdateZoomIn)
    ON_UPDATE_COMMAND_UI(AFX_ID_PREVIEW_ZOOMOUT, OnUpdateZoomOut)
END_MESSAGE_MAP()

CPreviewView::CPreviewView()
    : m_pOrigView(NULL), m_pPrintView(NULL), m_pPreviewInfo(NULL), m_pPreviewState(NULL), m_pToolBar(NULL),
      m_pPrinterDC(NULL), m_nPages(1), m_nZoomOutPages(1), m_nZoomState(ZOOM_OUT), m_nCurrentPage(1) {}

CPreviewView::~CPreviewView() {
    if (m_pPrinterDC != NULL) {
        m_pPrinterDC->DeleteDC();
        delete m_pPrinterDC;
    }
    delete m_pPreviewInfo;
    delete m_pPreviewState;
}

int CPreviewView::OnCreate(LPCREATESTRUCT lpcs) { return CView::OnCreate(lpcs); }

BOOL CPreviewView::SetPrintView(CView* pPrintView) {
    m_pPrintView = pPrintView;
    m_pPreviewInfo = new CPrintInfo;
    m_pPreviewInfo->m_bPreview = TRUE;
    m_pPreviewInfo->m_pd.nMinPage = 1;
    if (!pPrintView->OnPreparePrinting(m_pPreviewInfo) || m_pPreviewInfo->m_pd.hDC == NULL) return FALSE;
    m_pPrinterDC = new CDC;
    m_pPrinterDC->Attach(m_pPreviewInfo->m_pd.hDC);
    m_pPreviewInfo->m_pd.hDC = NULL;  // ours to delete now
    m_pPrintView->OnBeginPrinting(m_pPrinterDC, m_pPreviewInfo);
    m_nZoomOutPages = m_pPreviewInfo->m_nNumPreviewPages == 2 ? 2 : 1;
    if (GetPageCount() < 2) m_nZoomOutPages = 1;
    m_nPages = m_nZoomOutPages;
    SetCurrentPage(m_pPreviewInfo->GetMinPage(), TRUE);
    return TRUE;
}

UINT CPreviewView::GetPageCount() const {
    if (m_pPreviewInfo == NULL) return 0;
    const UINT nMin = m_pPreviewInfo->GetMinPage(), nMax = m_pPreviewInfo->GetMaxPage();
    // An unknown count (0xFFFF) shows the pages the view goes on printing.
    return nMax < nMin ? 0 : nMax - nMin + 1;
}

void CPreviewView::SetCurrentPage(UINT nPage, BOOL) {
    const UINT nMin = m_pPreviewInfo != NULL ? m_pPreviewInfo->GetMinPage() : 1;
    const UINT nCount = GetPageCount();
    if (nCount == 0) {
        m_nCurrentPage = nMin;
    } else {
        const UINT nLast = nMin + nCount - 1;
        // The last screenful still shows as many pages as it can.
        const UINT nFirstOfLast = nLast >= nMin + m_nPages - 1 ? nLast - m_nPages + 1 : nMin;
        m_nCurrentPage = nPage < nMin ? nMin : (nPage > nFirstOfLast ? nFirstOfLast : nPage);
    }
    UpdatePageDisplay();
}

void CPreviewView::UpdatePageDisplay() {
    if (GetSafeHwnd() != NULL) Invalidate();
    if (GetPageCount() == 0) return;
    const UINT nShown = min(m_nPages, GetPageCount());
    OnDisplayPageNumber(m_nCurrentPage, nShown);
}

BOOL CPreviewView::FormatPageNumber(UINT nPage, UINT nPagesDisplayed, CString& strText) const {
    if (m_pPreviewInfo == NULL) return FALSE;
    CString strFormat;
    if (!AfxExtractSubString(strFormat, m_pPreviewInfo->m_strPageDesc, nPagesDisplayed == 1 ? 0 : 1, '\n') ||
        strFormat.IsEmpty())
        return FALSE;
    if (nPagesDisplayed == 1)
        strText.Format(strFormat, nPage);
    else
        strText.Format(strFormat, nPage, nPage + nPagesDisplayed - 1);
    return TRUE;
}

void CPreviewView::OnDisplayPageNumber(UINT nPage, UINT nPagesDisplayed) {
    CString strText;
    if (!FormatPageNumber(nPage, nPagesDisplayed, strText)) return;
    CFrameWnd* pFrame = GetParentFrame();
    if (pFrame != NULL) pFrame->SendMessage(WM_SETMESSAGESTRING, 0, (LPARAM)(LPCTSTR)strText);
}

CRect CPreviewView::GetPageRect(UINT i) const {
    CRect rectClient;
    GetClientRect(rectClient);
    CSize sizePage(850, 1100);
    if (m_pPrinterDC != NULL && m_pPrinterDC->GetDeviceCaps(HORZRES) > 0 && m_pPrinterDC->GetDeviceCaps(VERTRES) > 0)
        sizePage = CSize(m_pPrinterDC->GetDeviceCaps(HORZRES), m_pPrinterDC->GetDeviceCaps(VERTRES));
    const int nMargin = 8;
    const int nPages = (int)m_nPages;
    // Zoomed out every page fits; zooming in enlarges the first page.
    const int cxRoom = max(1, (rectClient.Width() - nMargin * (nPages + 1)) / nPages);
    const int cyRoom = max(1, rectClient.Height() - 2 * nMargin);
    double dScale = min((double)cxRoom / sizePage.cx, (double)cyRoom / sizePage.cy);
    if (m_nZoomState == ZOOM_MIDDLE) dScale *= 1.5;
    if (m_nZoomState == ZOOM_IN) dScale *= 2.0;
    const int cx = max(1, (int)(sizePage.cx * dScale)), cy = max(1, (int)(sizePage.cy * dScale));
    const int cxAll = nPages * cx + (nPages - 1) * nMargin;
    const int x = max(nMargin, (rectClient.Width() - cxAll) / 2) + (int)i * (cx + nMargin);
    const int y = max(nMargin, (rectClient.Height() - cy) / 2);
    return CRect(x, y, x + cx, y + cy);
}

BOOL CPreviewView::OnEraseBkgnd(CDC* pDC) {
    CRect rect;
    GetClientRect(rect);
    pDC->FillSolidRect(rect, ::GetSysColor(COLOR_APPWORKSPACE));
    return TRUE;
}

void CPreviewView::OnDraw(CDC* pDC) {
    if (m_pPrintView == NULL || m_pPreviewInfo == NULL || m_pPrinterDC == NULL) return;
    const UINT nCount = GetPageCount();
    const UINT nMin = m_pPreviewInfo->GetMinPage();
    const CSize sizePage(m_pPrinterDC->GetDeviceCaps(HORZRES), m_pPrinterDC->GetDeviceCaps(VERTRES));
    for (UINT i = 0; i < m_nPages; i++) {
        const UINT nPage = m_nCurrentPage + i;
        if (nCount == 0 || nPage > nMin + nCount - 1) break;
        const CRect rectPage = GetPageRect(i);
        // The sheet, with a shadow, then the page printed on it.
        pDC->FillSolidRect(rectPage + CPoint(3, 3), ::GetSysColor(COLOR_3DDKSHADOW));
        pDC->FillSolidRect(rectPage, RGB(255, 255, 255));
        const int nSaved = pDC->SaveDC();
        pDC->IntersectClipRect(rectPage);
        pDC->SetMapMode(MM_ANISOTROPIC);
        pDC->SetWindowOrg(0, 0);
        pDC->SetWindowExt(sizePage.cx, sizePage.cy);
        pDC->SetViewportOrg(rectPage.left, rectPage.top);
        pDC->SetViewportExt(rectPage.Width(), rectPage.Height());
        m_pPreviewInfo->m_nCurPage = nPage;
        m_pPreviewInfo->m_rectDraw.SetRect(0, 0, sizePage.cx, sizePage.cy);
        m_pPreviewInfo->m_bContinuePrinting = TRUE;
        m_pPrintView->OnPrepareDC(pDC, m_pPreviewInfo);
        if (m_pPreviewInfo->m_bContinuePrinting) m_pPrintView->OnPrint(pDC, m_pPreviewInfo);
        pDC->RestoreDC(nSaved);
    }
}

void CPreviewView::OnSize(UINT nType, int cx, int cy) {
    CView::OnSize(nType, cx, cy);
    Invalidate();
}

void CPreviewView::ClosePreview() {
    CFrameWnd* pParent = GetParentFrame();
    if (m_pToolBar != NULL) {
        m_pToolBar->DestroyWindow();
        m_pToolBar = NULL;
    }
    if (pParent != NULL) {
        CView* pOld = m_pPreviewState != NULL ? m_pPreviewState->pViewActiveOld : NULL;
        pParent->SetActiveView(NULL, FALSE);
        if (m_pPreviewState != NULL) pParent->OnSetPreviewMode(FALSE, m_pPreviewState);
        pParent->SetActiveView(pOld);
    }
    DestroyWindow();
    if (pParent != NULL && pParent->GetSafeHwnd() != NULL) {
        pParent->RecalcLayout();
        pParent->RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    }
}

void CPreviewView::OnPreviewClose() {
    if (m_pPrintView == NULL) {
        ClosePreview();
        return;
    }
    CView* pPrintView = m_pPrintView;
    m_pPrintView = NULL;
    pPrintView->OnEndPrintPreview(m_pPrinterDC, m_pPreviewInfo, CPoint(0, 0), this);
}

void CPreviewView::OnNumPageChange() {
    if (m_nZoomState != ZOOM_OUT || GetPageCount() < 2) return;
    m_nZoomOutPages = m_nPages = m_nPages == 1 ? 2 : 1;
    if (CWinApp* pApp = AfxGetApp()) pApp->m_nNumPreviewPages = m_nZoomOutPages;
    SetCurrentPage(m_nCurrentPage, TRUE);
}

void CPreviewView::OnNextPage() { SetCurrentPage(m_nCurrentPage + 1, TRUE); }

void CPreviewView::OnPrevPage() {
    if (m_nCurrentPage > 1) SetCurrentPage(m_nCurrentPage - 1, TRUE);
}

void CPreviewView::OnPreviewPrint() {
    CView* pOrigView = m_pOrigView;
    OnPreviewClose();
    // The preview is gone; the view prints as from its own command.
    if (pOrigView != NULL && ::IsWindow(pOrigView->GetSafeHwnd())) pOrigView->PostMessage(WM_COMMAND, ID_FILE_PRINT);
}

void CPreviewView::OnZoomIn() {
    if (m_nZoomState >= ZOOM_IN) return;
    m_nZoomState++;
    m_nPages = 1;
    SetCurrentPage(m_nCurrentPage, TRUE);
}

void CPreviewView::OnZoomOut() {
    if (m_nZoomState <= ZOOM_OUT) return;
    m_nZoomState--;
    if (m_nZoomState == ZOOM_OUT) m_nPages = m_nZoomOutPages;
    SetCurrentPage(m_nCurrentPage, TRUE);
}

void CPreviewView::OnUpdateNumPageChange(CCmdUI* pCmdUI) {
    const UINT nPages = m_nZoomState == ZOOM_OUT ? m_nPages : m_nZoomOutPages;
    pCmdUI->SetText(nPages == 1 ? AfxLoadLayerString(AFX_IDS_TWOPAGE, _T("&Two Page"))
                                : AfxLoadLayerString(AFX_IDS_ONEPAGE, _T("&One Page")));
    pCmdUI->Enable(m_nZoomState == ZOOM_OUT && GetPageCount() >= 2);
}

void CPreviewView::OnUpdateNextPage(CCmdUI* pCmdUI) {
    const UINT nCount = GetPageCount();
    pCmdUI->Enable(nCount != 0 && m_nCurrentPage + m_nPages <= m_pPreviewInfo->GetMinPage() + nCount - 1);
}

void CPreviewView::OnUpdatePrevPage(CCmdUI* pCmdUI) {
    pCmdUI->Enable(m_pPreviewInfo != NULL && m_nCurrentPage > m_pPreviewInfo->GetMinPage());
}

void CPreviewView::OnUpdateZoomIn(CCmdUI* pCmdUI) { pCmdUI->Enable(m_nZoomState != ZOOM_IN); }

void CPreviewView::OnUpdateZoomOut(CCmdUI* pCmdUI) { pCmdUI->Enable(m_nZoomState != ZOOM_OUT); }
