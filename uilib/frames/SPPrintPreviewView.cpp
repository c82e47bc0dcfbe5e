#include "SPPrintPreviewView.h"

#include "SPFrameImpl.h"
#include "SPGlobalData.h"
#include "SPStatusBar.h"
#include "SPToolbarButton.h"

// The status bar's stretch pane, whatever its position.
static const int nStretchPane = 255;

// --- CSPPrintPreviewToolBar --------------------------------------------------------------

IMPLEMENT_DYNAMIC(CSPPrintPreviewToolBar, CSPToolBar)

BEGIN_MESSAGE_MAP(CSPPrintPreviewToolBar, CSPToolBar)
    ON_WM_DESTROY()
    ON_WM_CONTEXTMENU()
END_MESSAGE_MAP()

INT_PTR CSPPrintPreviewToolBar::OnToolHitTest(CPoint point, TOOLINFO* pTI) const {
    // The tips are the library's texts of the preview commands.
    CSPResourceScope scope;
    return CSPToolBar::OnToolHitTest(point, pTI);
}

void CSPPrintPreviewToolBar::OnDestroy() {
    // The frame outlives the preview: it must not lay out a dead bar.
    CSPFrameImpl* pImpl = CSPFrameImpl::FromFrame(GetTopLevelFrame());
    if (pImpl != NULL) pImpl->RemoveControlBarFromDockManager(this, FALSE, FALSE, FALSE);
    CSPToolBar::OnDestroy();
}

void CSPPrintPreviewToolBar::OnContextMenu(CWnd*, CPoint) {
    // No customisation of the preview's buttons.
}

// --- CSPPrintPreviewView ----------------------------------------------------------------

IMPLEMENT_DYNCREATE(CSPPrintPreviewView, CPreviewView)

BEGIN_MESSAGE_MAP(CSPPrintPreviewView, CPreviewView)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_WM_SIZE()
    ON_UPDATE_COMMAND_UI(AFX_ID_PREVIEW_NUMPAGE, OnUpdateNumPageChange)
END_MESSAGE_MAP()

CSPPrintPreviewView::CSPPrintPreviewView()
    : m_iOnePageImageIndex(-1), m_iTwoPageImageIndex(-1), m_iPagesBtnIndex(-1), m_pWndStatusBar(NULL) {}

CSPPrintPreviewView::~CSPPrintPreviewView() {}

int CSPPrintPreviewView::OnCreate(LPCREATESTRUCT lpcs) {
    if (CPreviewView::OnCreate(lpcs) == -1) return -1;
    CSPResourceScope scope;
    // Without the toolbar the framework's bar still serves.
    const DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_GRIPPER | CBRS_TOP | CBRS_HIDE_INPLACE;
    if (m_pToolBar == NULL || !m_wndToolBar.Create(m_pToolBar, dwStyle, AFX_IDW_TOOLBAR) ||
        !m_wndToolBar.LoadToolBar(IDR_SP_PRINT_PREVIEW, 0, 0, TRUE))
        return 0;
    m_wndToolBar.SetOwner(this);
    // The framework bar's own button would show through the toolbar.
    if (CWnd* pDummy = m_pToolBar->GetDlgItem(AFX_ID_PREVIEW_PRINT)) pDummy->ShowWindow(SW_HIDE);

    m_iPagesBtnIndex = m_wndToolBar.CommandToIndex(AFX_ID_PREVIEW_NUMPAGE);
    if (CSPToolbarButton* pPages = m_wndToolBar.GetButton(m_iPagesBtnIndex)) m_iOnePageImageIndex = pPages->GetImage();
    const int iTwoPages = m_wndToolBar.CommandToIndex(ID_SP_PREVIEW_TWOPAGES);
    if (CSPToolbarButton* pTwo = m_wndToolBar.GetButton(iTwoPages)) {
        m_iTwoPageImageIndex = pTwo->GetImage();
        m_wndToolBar.RemoveButton(iTwoPages);
    }
    const int iPrint = m_wndToolBar.CommandToIndex(AFX_ID_PREVIEW_PRINT);
    m_wndToolBar.SetButtonTextFromResource(iPrint);
    if (CSPToolbarButton* pPrint = m_wndToolBar.GetButton(iPrint)) pPrint->m_bText = pPrint->m_bImage = TRUE;
    const int iClose = m_wndToolBar.CommandToIndex(AFX_ID_PREVIEW_CLOSE);
    m_wndToolBar.SetButtonTextFromResource(iClose);
    if (CSPToolbarButton* pClose = m_wndToolBar.GetButton(iClose)) {
        pClose->m_bText = TRUE;
        pClose->m_bImage = FALSE;
    }
    m_wndToolBar.AdjustLayout();

    CFrameWnd* pFrame = GetParentFrame();
    if (CSPFrameImpl* pImpl = CSPFrameImpl::FromFrame(pFrame)) pImpl->AddControlBar(&m_wndToolBar);
    FitToolBar();

    // The page numbers take the stretch pane.
    m_pWndStatusBar = pFrame != NULL ? DYNAMIC_DOWNCAST(CSPStatusBar, pFrame->GetDlgItem(AFX_IDW_STATUS_BAR)) : NULL;
    if (m_pWndStatusBar != NULL) m_pWndStatusBar->SetPaneText(nStretchPane, _T(""));
    return 0;
}

void CSPPrintPreviewView::OnDestroy() {
    if (m_pWndStatusBar->GetSafeHwnd() != NULL) m_pWndStatusBar->SetPaneText(nStretchPane, _T(""));
    m_pWndStatusBar = NULL;
    if (m_wndToolBar.GetSafeHwnd() != NULL) m_wndToolBar.DestroyWindow();
    CPreviewView::OnDestroy();
}

void CSPPrintPreviewView::OnSize(UINT nType, int cx, int cy) {
    CPreviewView::OnSize(nType, cx, cy);
    FitToolBar();
}

void CSPPrintPreviewView::FitToolBar() {
    CFrameWnd* pFrame = GetParentFrame();
    if (m_wndToolBar.GetSafeHwnd() == NULL || m_pToolBar->GetSafeHwnd() == NULL || pFrame == NULL) return;
    const CSize size = m_wndToolBar.CalcFixedLayout(TRUE, TRUE);
    CRect rectFrame;
    pFrame->GetClientRect(rectFrame);
    m_pToolBar->SetWindowPos(NULL, 0, 0, rectFrame.Width(), size.cy, SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    m_wndToolBar.SetWindowPos(NULL, 0, 0, size.cx, size.cy, SWP_NOZORDER | SWP_NOACTIVATE);
    if (m_pToolBar->m_sizeDefault.cy != size.cy) {
        m_pToolBar->m_sizeDefault.cy = size.cy;
        pFrame->RecalcLayout();
        pFrame->UpdateWindow();
    }
}

void CSPPrintPreviewView::OnUpdateNumPageChange(CCmdUI* pCmdUI) {
    CPreviewView::OnUpdateNumPageChange(pCmdUI);
    CSPToolbarButton* pButton = m_wndToolBar.GetButton(m_iPagesBtnIndex);
    if (pButton == NULL) return;
    // The button shows what it switches to.
    const UINT nPages = m_nZoomState == ZOOM_OUT ? m_nPages : m_nZoomOutPages;
    const int iImage = nPages == 1 ? m_iTwoPageImageIndex : m_iOnePageImageIndex;
    if (pButton->GetImage() != iImage) {
        pButton->SetImage(iImage);
        m_wndToolBar.InvalidateButton(m_iPagesBtnIndex);
    }
}

void CSPPrintPreviewView::OnDisplayPageNumber(UINT nPage, UINT nPagesDisplayed) {
    CString strText;
    if (!FormatPageNumber(nPage, nPagesDisplayed, strText)) return;
    if (m_pWndStatusBar->GetSafeHwnd() != NULL) {
        m_pWndStatusBar->SetPaneText(nStretchPane, strText);
    } else if (CFrameWnd* pFrame = GetParentFrame()) {
        pFrame->SendMessage(WM_SETMESSAGESTRING, 0, (LPARAM)(LPCTSTR)strText);
    }
}

// --- starting a preview ---------------------------------------------------------------------

void SPPrintPreview(CView* pView) {
    if (pView == NULL) return;
    CPrintPreviewState* pState = new CPrintPreviewState;
    CSPResourceScope scope;
    if (!pView->DoPrintPreview(IDD_SP_PREVIEW_BAR, pView, RUNTIME_CLASS(CSPPrintPreviewView), pState)) {
        AfxMessageBox(AFX_IDP_COMMAND_FAILURE);
        delete pState;
    }
}
