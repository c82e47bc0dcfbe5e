// viewcore.cpp - CView, CPrintInfo and the print loop.
#include "afximpl.h"
#include "afxframe.h"

// --- the print dialog seam ------------------------------------------------------------

static AFX_PRINTDLG_HOOK g_pfnPrintDialogHook = NULL;

AFX_PRINTDLG_HOOK AFXAPI AfxSetPrintDialogHook(AFX_PRINTDLG_HOOK pfnHook) {
    AFX_PRINTDLG_HOOK pfnOld = g_pfnPrintDialogHook;
    g_pfnPrintDialogHook = pfnHook;
    return pfnOld;
}

BOOL AFXAPI AfxPrintDialog(PRINTDLG* pPD) {
    if (g_pfnPrintDialogHook != NULL) return g_pfnPrintDialogHook(pPD);
    return ::PrintDlg(pPD);
}

static const AFX_PRINTJOB_CALLS g_systemJobCalls = {&::StartDoc, &::StartPage, &::EndPage, &::EndDoc, &::AbortDoc};
static const AFX_PRINTJOB_CALLS* g_pJobCalls = &g_systemJobCalls;

const AFX_PRINTJOB_CALLS* AFXAPI AfxSetPrintJobCalls(const AFX_PRINTJOB_CALLS* pCalls) {
    const AFX_PRINTJOB_CALLS* pOld = g_pJobCalls == &g_systemJobCalls ? NULL : g_pJobCalls;
    g_pJobCalls = pCalls != NULL ? pCalls : &g_systemJobCalls;
    return pOld;
}

// --- CPrintInfo -----------------------------------------------------------------------

CPrintInfo::CPrintInfo()
    : m_pd(), m_bDirect(FALSE), m_bPreview(FALSE), m_bContinuePrinting(TRUE), m_nCurPage(1), m_nNumPreviewPages(0),
      m_lpUserData(NULL), m_rectDraw(0, 0, 0, 0), m_nOffsetPage(0), m_nJobNumber(0) {
    m_pd.lStructSize = sizeof(m_pd);
    m_pd.Flags = PD_ALLPAGES | PD_USEDEVMODECOPIES | PD_NOSELECTION;
    SetMinPage(1);
    SetMaxPage(0xFFFF);
}

CPrintInfo::~CPrintInfo() {
    if (m_pd.hDC != NULL) ::DeleteDC(m_pd.hDC);
}

// A CDC that says it prints.
namespace {
class CPrintingDC : public CDC {
public:
    CPrintingDC() { m_bPrinting = TRUE; }
};
}  // namespace

// --- CView ----------------------------------------------------------------------------

IMPLEMENT_DYNAMIC(CView, CWnd)

BEGIN_MESSAGE_MAP(CView, CWnd)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_WM_PAINT()
    ON_WM_MOUSEACTIVATE()
    ON_MESSAGE(WM_INITIALUPDATE, OnInitialUpdateMsg)
    ON_COMMAND(ID_FILE_PRINT, OnFilePrint)
    ON_COMMAND(ID_FILE_PRINT_DIRECT, OnFilePrint)
END_MESSAGE_MAP()

CView::CView() : m_pDocument(NULL) {}

CView::~CView() {
    if (m_pDocument != NULL) m_pDocument->RemoveView(this);
}

BOOL CView::PreCreateWindow(CREATESTRUCT& cs) {
    if (cs.lpszClass == NULL)
        cs.lpszClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursor(NULL, IDC_ARROW), (HBRUSH)(COLOR_WINDOW + 1));
    // a border becomes the sunken client edge
    if (cs.style & WS_BORDER) {
        cs.dwExStyle |= WS_EX_CLIENTEDGE;
        cs.style &= ~WS_BORDER;
    }
    return TRUE;
}

void CView::PostNcDestroy() { delete this; }

int CView::OnCreate(LPCREATESTRUCT lpcs) {
    if (CWnd::OnCreate(lpcs) == -1) return -1;
    CCreateContext* pContext = (CCreateContext*)lpcs->lpCreateParams;
    if (pContext != NULL && pContext->m_pCurrentDoc != NULL) pContext->m_pCurrentDoc->AddView(this);
    return 0;
}

void CView::OnDestroy() {
    CFrameWnd* pFrame = GetParentFrame();
    if (pFrame != NULL && pFrame->GetActiveView() == this) pFrame->SetActiveView(NULL);
    CWnd::OnDestroy();
}

void CView::OnPaint() {
    CPaintDC dc(this);
    OnPrepareDC(&dc);
    OnDraw(&dc);
}

LRESULT CView::OnInitialUpdateMsg(WPARAM, LPARAM) {
    OnInitialUpdate();
    return 0;
}

void CView::OnInitialUpdate() { OnUpdate(NULL, 0, NULL); }

void CView::OnUpdate(CView*, LPARAM, CObject*) { Invalidate(TRUE); }

void CView::OnActivateView(BOOL bActivate, CView*, CView*) {
    if (bActivate) {
        // the focus comes here when the view's top window is the active one
        CWnd* pTop = GetTopLevelParent();
        HWND hWndPopup = pTop != NULL ? ::GetLastActivePopup(pTop->m_hWnd) : NULL;
        if (hWndPopup != NULL && ::GetForegroundWindow() == hWndPopup) SetFocus();
    }
}

void CView::OnActivateFrame(UINT, CFrameWnd*) {}

BOOL CView::IsSelected(const CObject*) const { return FALSE; }

int CView::OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message) {
    int nResult = CWnd::OnMouseActivate(pDesktopWnd, nHitTest, message);
    if (nResult == MA_NOACTIVATE || nResult == MA_NOACTIVATEANDEAT) return nResult;
    CFrameWnd* pParentFrame = GetParentFrame();
    if (pParentFrame != NULL) {
        // this view becomes (or stays) the frame's active view
        CView* pView = pParentFrame->GetActiveView();
        HWND hWndFocus = ::GetFocus();
        if (pView == this && m_hWnd != hWndFocus && !::IsChild(m_hWnd, hWndFocus))
            OnActivateView(TRUE, this, this);
        else
            pParentFrame->SetActiveView(this);
    }
    return nResult;
}

BOOL CView::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
    if (CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo)) return TRUE;
    // then the document (and through it the template)
    return m_pDocument != NULL && m_pDocument->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

// --- printing -------------------------------------------------------------------------

BOOL CView::OnPreparePrinting(CPrintInfo* pInfo) { return DoPreparePrinting(pInfo); }

BOOL CView::DoPreparePrinting(CPrintInfo* pInfo) {
    CWinApp* pApp = AfxGetApp();
    PRINTDLG& pd = pInfo->m_pd;
    pd.hwndOwner = AfxGetSafeHwnd(GetTopLevelParent());
    if (pInfo->m_bPreview || pInfo->m_bDirect) {
        if (pd.hDC == NULL) {
            // the default printer, without a dialog
            PRINTDLG pdDefault = {};
            pdDefault.lStructSize = sizeof(pdDefault);
            pdDefault.hwndOwner = pd.hwndOwner;
            pdDefault.Flags = PD_RETURNDEFAULT | PD_RETURNDC;
            if (!AfxPrintDialog(&pdDefault) || pdDefault.hDC == NULL) {
                if (pdDefault.hDevMode != NULL) ::GlobalFree(pdDefault.hDevMode);
                if (pdDefault.hDevNames != NULL) ::GlobalFree(pdDefault.hDevNames);
                AfxMessageBox(AFX_IDP_FAILED_TO_START_PRINT);
                return FALSE;
            }
            pd.hDC = pdDefault.hDC;
            if (pdDefault.hDevMode != NULL) ::GlobalFree(pdDefault.hDevMode);
            if (pdDefault.hDevNames != NULL) ::GlobalFree(pdDefault.hDevNames);
        }
        pd.nFromPage = (WORD)pInfo->GetMinPage();
        pd.nToPage = (WORD)pInfo->GetMaxPage();
    } else {
        // the print dialog over the application's printer settings
        pd.nFromPage = (WORD)pInfo->GetMinPage();
        pd.nToPage = (WORD)pInfo->GetMaxPage();
        pd.Flags |= PD_RETURNDC;
        pd.Flags &= ~PD_RETURNDEFAULT;
        if (pApp != NULL) {
            pd.hDevMode = pApp->m_hDevMode;
            pd.hDevNames = pApp->m_hDevNames;
        }
        BOOL bOK = AfxPrintDialog(&pd);
        if (pApp != NULL) {
            // the dialog may have replaced the settings
            pApp->m_hDevMode = pd.hDevMode;
            pApp->m_hDevNames = pd.hDevNames;
        }
        pd.hDevMode = NULL;
        pd.hDevNames = NULL;
        if (!bOK) return FALSE;
    }
    if (pd.hDC == NULL) return FALSE;
    if (pApp != NULL) pInfo->m_nNumPreviewPages = pApp->m_nNumPreviewPages;
    pInfo->m_strPageDesc = AfxLoadLayerString(AFX_IDS_PREVIEWPAGEDESC, _T("Page %u\nPages %u-%u"));
    return TRUE;
}

void CView::OnBeginPrinting(CDC*, CPrintInfo*) {}

void CView::OnPrepareDC(CDC*, CPrintInfo* pInfo) {
    // without a known page count one page is printed
    if (pInfo != NULL) pInfo->m_bContinuePrinting = pInfo->GetMaxPage() != 0xFFFF || pInfo->m_nCurPage == 1;
}

void CView::OnPrint(CDC* pDC, CPrintInfo*) { OnDraw(pDC); }

void CView::OnEndPrinting(CDC*, CPrintInfo*) {}


void CView::OnFilePrint() {
    CPrintInfo printInfo;
    const MSG* pMsg = GetCurrentMessage();
    if (pMsg != NULL && pMsg->message == WM_COMMAND && LOWORD(pMsg->wParam) == ID_FILE_PRINT_DIRECT)
        printInfo.m_bDirect = TRUE;
    if (!OnPreparePrinting(&printInfo)) return;
    if (printInfo.m_pd.hDC == NULL) return;

    CString strTitle;
    CDocument* pDoc = GetDocument();
    if (pDoc != NULL)
        strTitle = pDoc->GetTitle();
    else if (CFrameWnd* pFrame = GetParentFrame())
        pFrame->GetWindowText(strTitle);
    if (strTitle.GetLength() > 31) strTitle = strTitle.Left(31);
    DOCINFO docInfo = {};
    docInfo.cbSize = sizeof(docInfo);
    docInfo.lpszDocName = strTitle;

    CPrintingDC dcPrint;
    dcPrint.Attach(printInfo.m_pd.hDC);
    OnBeginPrinting(&dcPrint, &printInfo);

    CWnd* pMainWnd = AfxGetMainWnd();
    HWND hWndMain = AfxGetSafeHwnd(pMainWnd);
    BOOL bWasEnabled = hWndMain != NULL && ::IsWindowEnabled(hWndMain);
    if (bWasEnabled) ::EnableWindow(hWndMain, FALSE);
    int nJob = g_pJobCalls->pfnStartDoc(dcPrint.m_hDC, &docInfo);
    if (nJob <= 0) {
        if (bWasEnabled) ::EnableWindow(hWndMain, TRUE);
        OnEndPrinting(&dcPrint, &printInfo);
        dcPrint.Detach();  // the print info deletes the DC
        AfxMessageBox(AFX_IDP_FAILED_TO_START_PRINT);
        return;
    }
    printInfo.m_nJobNumber = (UINT)nJob;

    // the pages asked for, kept within the document's range
    UINT nEndPage = printInfo.GetToPage();
    UINT nStartPage = printInfo.GetFromPage();
    if (nEndPage < printInfo.GetMinPage()) nEndPage = printInfo.GetMinPage();
    if (nEndPage > printInfo.GetMaxPage()) nEndPage = printInfo.GetMaxPage();
    if (nStartPage < printInfo.GetMinPage()) nStartPage = printInfo.GetMinPage();
    if (nStartPage > printInfo.GetMaxPage()) nStartPage = printInfo.GetMaxPage();
    int nStep = nEndPage >= nStartPage ? 1 : -1;
    nEndPage = nEndPage == 0xFFFF ? 0xFFFF : nEndPage + nStep;

    BOOL bError = FALSE;
    for (printInfo.m_nCurPage = nStartPage; printInfo.m_nCurPage != nEndPage; printInfo.m_nCurPage += nStep) {
        OnPrepareDC(&dcPrint, &printInfo);
        if (!printInfo.m_bContinuePrinting) break;
        printInfo.m_rectDraw.SetRect(0, 0, dcPrint.GetDeviceCaps(HORZRES), dcPrint.GetDeviceCaps(VERTRES));
        dcPrint.DPtoLP(&printInfo.m_rectDraw);
        if (g_pJobCalls->pfnStartPage(dcPrint.m_hDC) <= 0) {
            bError = TRUE;
            break;
        }
        // starting a page resets the device's state
        OnPrepareDC(&dcPrint, &printInfo);
        OnPrint(&dcPrint, &printInfo);
        if (g_pJobCalls->pfnEndPage(dcPrint.m_hDC) <= 0) {
            bError = TRUE;
            break;
        }
    }
    if (!bError)
        g_pJobCalls->pfnEndDoc(dcPrint.m_hDC);
    else
        g_pJobCalls->pfnAbortDoc(dcPrint.m_hDC);
    if (bWasEnabled) ::EnableWindow(hWndMain, TRUE);
    OnEndPrinting(&dcPrint, &printInfo);
    dcPrint.Detach();
}
