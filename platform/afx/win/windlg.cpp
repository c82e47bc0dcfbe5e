// windlg.cpp - dialogs: CDialog, the dialog procedure, modal loops, dialog
// init data, the template font reader and dialog data exchange.
#include "afximpl.h"
#include "afxctl.h"
#include <errno.h>
#include <float.h>
#include <limits.h>
#include <stdlib.h>

// --- dialog procedure and templates ------------------------------------------------

INT_PTR CALLBACK AfxDlgProc(HWND hWnd, UINT message, WPARAM, LPARAM) {
    if (message != WM_INITDIALOG) return FALSE;  // the window procedure does the rest
    MSG msg = {};
    msg.hwnd = hWnd;
    msg.message = message;
    try {
        CDialog* pDlg = DYNAMIC_DOWNCAST(CDialog, CWnd::FromHandlePermanent(hWnd));
        if (pDlg != NULL) return pDlg->OnInitDialog();
        return TRUE;
    } catch (CException* e) {
        AfxReportBarrierException(e, &msg);
        e->Delete();
    } catch (...) {
        AfxReportForeignException(&msg);
    }
    return FALSE;
}

BOOL CWnd::CreateDlgIndirect(LPCDLGTEMPLATE lpDialogTemplate, CWnd* pParentWnd, HINSTANCE hInst) {
    if (m_hWnd != NULL) return FALSE;
    if (lpDialogTemplate == NULL) {
        PostNcDestroy();  // a refused creation, as any other
        return FALSE;
    }
    if (hInst == NULL) hInst = AfxGetResourceHandle();
    AfxInitCommonControls();
    AfxHookWindowCreate(this);
    HWND hWnd = ::CreateDialogIndirectParam(hInst, lpDialogTemplate, AfxGetSafeHwnd(pParentWnd), &AfxDlgProc, 0);
    if (!AfxUnhookWindowCreate()) {
        PostNcDestroy();
        return FALSE;
    }
    return hWnd != NULL;
}

BOOL CWnd::CreateDlg(LPCTSTR lpszTemplateName, CWnd* pParentWnd) {
    HINSTANCE hInst = AfxFindResourceHandle(lpszTemplateName, RT_DIALOG);
    HRSRC hResource = ::FindResource(hInst, lpszTemplateName, RT_DIALOG);
    HGLOBAL hTemplate = hResource != NULL ? ::LoadResource(hInst, hResource) : NULL;
    LPCDLGTEMPLATE lpTemplate = hTemplate != NULL ? (LPCDLGTEMPLATE)::LockResource(hTemplate) : NULL;
    return CreateDlgIndirect(lpTemplate, pParentWnd, hInst);  // none: refused there
}

// Sends dialog init records to the controls. Records: WORD control id,
// WORD message, DWORD length, the data; a zero id ends the list. Every read
// stays inside cbData bytes; damaged data answers FALSE.
static BOOL RunDlgInit(HWND hWnd, const BYTE* pData, size_t cbData) {
    const BYTE* p = pData;
    const BYTE* pEnd = pData + cbData;
    while (pEnd - p >= 2) {
        WORD nIDC = *(const WORD*)p;
        if (nIDC == 0) return TRUE;
        if (pEnd - p < 8) return FALSE;
        WORD nMsg = *(const WORD*)(p + 2);
        DWORD dwLen;
        memcpy(&dwLen, p + 4, sizeof(dwLen));
        p += 8;
        if ((size_t)(pEnd - p) < dwLen) return FALSE;
        // The 16-bit message numbers of the stored form.
        if (nMsg == 0x0401) nMsg = LB_ADDSTRING;
        else if (nMsg == 0x0403 || nMsg == 0x1234) nMsg = CB_ADDSTRING;
        if (nMsg == LB_ADDSTRING || nMsg == CB_ADDSTRING) {
            CString str((LPCTSTR)p, (int)strnlen((const char*)p, dwLen));
            LRESULT lResult = ::SendDlgItemMessage(hWnd, nIDC, nMsg, 0, (LPARAM)(LPCTSTR)str);
            if (lResult == LB_ERR || lResult == LB_ERRSPACE) return FALSE;
        }
        p += dwLen;
    }
    return pEnd == p;  // ran out without the terminating zero: damaged unless empty
}

BOOL CWnd::ExecuteDlgInit(LPCTSTR lpszResourceName) {
    if (lpszResourceName == NULL) return TRUE;
    HINSTANCE hInst = AfxFindResourceHandle(lpszResourceName, MAKEINTRESOURCE(240));
    HRSRC hResource = ::FindResource(hInst, lpszResourceName, MAKEINTRESOURCE(240));
    if (hResource == NULL) return TRUE;  // no init data is fine
    HGLOBAL hData = ::LoadResource(hInst, hResource);
    const BYTE* pData = hData != NULL ? (const BYTE*)::LockResource(hData) : NULL;
    if (pData == NULL) return FALSE;
    return RunDlgInit(m_hWnd, pData, ::SizeofResource(hInst, hResource));
}

// Raw init data of unknown size: read up to its terminating zero, at most
// 1 MB.
BOOL CWnd::ExecuteDlgInit(LPVOID lpResource) {
    if (lpResource == NULL) return TRUE;
    return RunDlgInit(m_hWnd, (const BYTE*)lpResource, 1u << 20);
}

// Skips a sz_Or_Ord field of a template; NULL when it runs past nMax chars.
static const WORD* SkipSzOrOrd(const WORD* p) {
    if (*p == 0x0000) return p + 1;
    if (*p == 0xFFFF) return p + 2;
    for (int i = 0; i < 1024; i++) {
        if (*p++ == 0) return p;
    }
    return NULL;
}

BOOL AFXAPI AfxGetDialogTemplateFont(LPCDLGTEMPLATE pTemplate, CString& strFaceName, WORD& nFontSize) {
    if (pTemplate == NULL) return FALSE;
    const WORD* pw = (const WORD*)pTemplate;
    BOOL bEx = pw[0] == 1 && pw[1] == 0xFFFF;
    DWORD dwStyle;
    if (bEx) {
        memcpy(&dwStyle, (const BYTE*)pTemplate + 12, sizeof(DWORD));
        pw = (const WORD*)((const BYTE*)pTemplate + 26);
    } else {
        dwStyle = pTemplate->style;
        pw = (const WORD*)((const BYTE*)pTemplate + 18);
    }
    if (!(dwStyle & DS_SETFONT)) return FALSE;
    if ((pw = SkipSzOrOrd(pw)) == NULL || (pw = SkipSzOrOrd(pw)) == NULL) return FALSE;  // menu, class
    for (int i = 0; *pw != 0; pw++) {                                                     // title
        if (++i > 1024) return FALSE;
    }
    pw++;
    nFontSize = *pw++;
    if (bEx) pw += 2;  // weight, italic and charset
    char szFace[LF_FACESIZE * 2] = {};
    int nLen = 0;
    while (pw[nLen] != 0 && nLen < LF_FACESIZE) nLen++;
    ::WideCharToMultiByte(CP_ACP, 0, (LPCWSTR)pw, nLen, szFace, sizeof(szFace) - 1, NULL, NULL);
    strFaceName = szFace;
    return TRUE;
}

// --- modal loops ----------------------------------------------------------------

// One message through the thread's pump; FALSE on WM_QUIT with its code.
static BOOL PumpOneMessage(int* pnQuitCode) {
    CWinThread* pThread = AfxGetThread();
    if (pThread != NULL) {
        if (pThread->PumpMessage()) return TRUE;
        *pnQuitCode = (int)pThread->m_msgCur.wParam;
        return FALSE;
    }
    MSG msg;
    if (!::GetMessage(&msg, NULL, 0, 0)) {
        *pnQuitCode = (int)msg.wParam;
        return FALSE;
    }
    if (msg.message != WM_KICKIDLE && !CWnd::WalkPreTranslateTree(NULL, &msg)) {
        ::TranslateMessage(&msg);
        ::DispatchMessage(&msg);
    }
    return TRUE;
}

int CWnd::RunModalLoop(DWORD dwFlags) {
    BOOL bIdle = TRUE;
    LONG lIdleCount = 0;
    BOOL bShowIdle = (dwFlags & MLF_SHOWONIDLE) && !(GetStyle() & WS_VISIBLE);
    HWND hWndSelf = m_hWnd;
    HWND hWndParent = ::GetParent(m_hWnd);
    m_nFlags |= (WF_MODALLOOP | WF_CONTINUEMODAL);
    MSG msg;
    for (;;) {
        // idle: show the window, then WM_KICKIDLE while it asks for more
        while (bIdle && !::PeekMessage(&msg, NULL, 0, 0, PM_NOREMOVE)) {
            if (bShowIdle) {
                ShowWindow(SW_SHOWNORMAL);
                UpdateWindow();
                bShowIdle = FALSE;
            }
            if (!(dwFlags & MLF_NOIDLEMSG) && hWndParent != NULL && lIdleCount == 0)
                ::SendMessage(hWndParent, WM_ENTERIDLE, MSGF_DIALOGBOX, (LPARAM)m_hWnd);
            if ((dwFlags & MLF_NOKICKIDLE) || !SendMessage(WM_KICKIDLE, MSGF_DIALOGBOX, lIdleCount++))
                bIdle = FALSE;
            if (!ContinueModal() || !::IsWindow(hWndSelf)) goto ExitModal;
        }
        do {
            int nQuitCode = 0;
            if (!PumpOneMessage(&nQuitCode)) {
                // WM_QUIT ends this loop and is passed on, with its code, to
                // the outer one
                AfxPostQuitMessage(nQuitCode);
                m_nFlags &= ~(WF_MODALLOOP | WF_CONTINUEMODAL);
                return -1;
            }
            if (bShowIdle && (msg.message == 0x118 || msg.message == WM_SYSKEYDOWN)) {
                ShowWindow(SW_SHOWNORMAL);
                UpdateWindow();
                bShowIdle = FALSE;
            }
            if (!ContinueModal() || !::IsWindow(hWndSelf)) goto ExitModal;
            bIdle = TRUE;
            lIdleCount = 0;
        } while (::PeekMessage(&msg, NULL, 0, 0, PM_NOREMOVE));
    }
ExitModal:
    m_nFlags &= ~(WF_MODALLOOP | WF_CONTINUEMODAL);
    return m_nModalResult;
}

// --- CDialog --------------------------------------------------------------------

IMPLEMENT_DYNAMIC(CDialog, CWnd)

BEGIN_MESSAGE_MAP(CDialog, CWnd)
    ON_COMMAND(IDOK, OnOK)
    ON_COMMAND(IDCANCEL, OnCancel)
    ON_MESSAGE(WM_INITDIALOG, HandleInitDialog)
    ON_MESSAGE(WM_SETFONT, HandleSetFont)
    ON_WM_CTLCOLOR()
END_MESSAGE_MAP()

CDialog::CDialog()
    : m_lpszTemplateName(NULL), m_hDialogTemplate(NULL), m_lpDialogTemplate(NULL), m_pParentWnd(NULL),
      m_hWndTop(NULL) {}

CDialog::CDialog(LPCTSTR lpszTemplateName, CWnd* pParentWnd) : CDialog() {
    m_lpszTemplateName = lpszTemplateName;
    m_pParentWnd = pParentWnd;
}

CDialog::CDialog(UINT nIDTemplate, CWnd* pParentWnd) : CDialog(MAKEINTRESOURCE(nIDTemplate), pParentWnd) {}

CDialog::~CDialog() {
    if (m_hWnd != NULL) DestroyWindow();
}

BOOL CDialog::Create(LPCTSTR lpszTemplateName, CWnd* pParentWnd) {
    m_lpszTemplateName = lpszTemplateName;
    if (pParentWnd == NULL) pParentWnd = AfxGetMainWnd();
    m_pParentWnd = pParentWnd;
    return CreateDlg(lpszTemplateName, pParentWnd);
}

BOOL CDialog::CreateIndirect(LPCDLGTEMPLATE lpDialogTemplate, CWnd* pParentWnd) {
    if (pParentWnd == NULL) pParentWnd = AfxGetMainWnd();
    m_pParentWnd = pParentWnd;
    return CreateDlgIndirect(lpDialogTemplate, pParentWnd, NULL);
}

BOOL CDialog::InitModalIndirect(LPCDLGTEMPLATE lpDialogTemplate, CWnd* pParentWnd) {
    m_lpDialogTemplate = lpDialogTemplate;
    m_lpszTemplateName = NULL;
    m_pParentWnd = pParentWnd;
    return lpDialogTemplate != NULL;
}

CWnd* PASCAL CWnd::GetSafeOwner(CWnd* pParent, HWND* phTopLevel) {
    HWND hWnd = AfxGetSafeHwnd(pParent);
    if (hWnd == NULL) hWnd = AfxGetSafeHwnd(AfxGetMainWnd());
    // a popup cannot be owned by a child window
    while (hWnd != NULL && (::GetWindowLong(hWnd, GWL_STYLE) & WS_CHILD)) hWnd = ::GetParent(hWnd);
    if (pParent == NULL && hWnd != NULL) hWnd = ::GetLastActivePopup(hWnd);
    if (phTopLevel != NULL) *phTopLevel = hWnd;
    return CWnd::FromHandle(hWnd);
}

INT_PTR CDialog::DoModal() {
    LPCDLGTEMPLATE lpTemplate = m_lpDialogTemplate;
    HINSTANCE hInst = AfxGetResourceHandle();
    if (m_lpszTemplateName != NULL) {
        hInst = AfxFindResourceHandle(m_lpszTemplateName, RT_DIALOG);
        HRSRC hResource = ::FindResource(hInst, m_lpszTemplateName, RT_DIALOG);
        HGLOBAL hTemplate = hResource != NULL ? ::LoadResource(hInst, hResource) : NULL;
        lpTemplate = hTemplate != NULL ? (LPCDLGTEMPLATE)::LockResource(hTemplate) : NULL;
    } else if (m_hDialogTemplate != NULL) {
        lpTemplate = (LPCDLGTEMPLATE)::GlobalLock(m_hDialogTemplate);
    }
    if (lpTemplate == NULL) return -1;

    HWND hWndParent = AfxGetSafeHwnd(GetSafeOwner(m_pParentWnd, NULL));
    BOOL bEnableParent = FALSE;
    if (hWndParent != NULL && hWndParent != ::GetDesktopWindow() && ::IsWindowEnabled(hWndParent)) {
        ::EnableWindow(hWndParent, FALSE);
        bEnableParent = TRUE;
    }
    m_hWndTop = hWndParent;

    m_nModalResult = -1;
    m_nFlags |= WF_CONTINUEMODAL;
    if (CreateDlgIndirect(lpTemplate, CWnd::FromHandle(hWndParent), hInst)) {
        if (m_nFlags & WF_CONTINUEMODAL) {
            DWORD dwFlags = MLF_SHOWONIDLE;
            if (GetStyle() & DS_NOIDLEMSG) dwFlags |= MLF_NOIDLEMSG;
            RunModalLoop(dwFlags);
        }
        if (m_hWnd != NULL)
            ::SetWindowPos(m_hWnd, NULL, 0, 0, 0, 0,
                           SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_NOZORDER);
    }
    m_nFlags &= ~WF_CONTINUEMODAL;
    if (bEnableParent) ::EnableWindow(hWndParent, TRUE);
    if (hWndParent != NULL && ::GetActiveWindow() == m_hWnd) ::SetActiveWindow(hWndParent);
    if (m_hWnd != NULL) DestroyWindow();
    if (m_hDialogTemplate != NULL) ::GlobalUnlock(m_hDialogTemplate);
    m_hWndTop = NULL;
    return m_nModalResult;
}

void CDialog::EndDialog(int nResult) {
    if (m_nFlags & (WF_MODALLOOP | WF_CONTINUEMODAL)) EndModalLoop(nResult);
    ::EndDialog(m_hWnd, nResult);
}

void CDialog::GotoDlgCtrl(CWnd* pWndCtrl) {
    if (pWndCtrl != NULL && pWndCtrl->m_hWnd != NULL) ::SendMessage(m_hWnd, WM_NEXTDLGCTL, (WPARAM)pWndCtrl->m_hWnd, 1);
}

LRESULT CDialog::HandleInitDialog(WPARAM, LPARAM) {
    PreInitDialog();
    return Default();  // the dialog procedure calls OnInitDialog
}

LRESULT CDialog::HandleSetFont(WPARAM wParam, LPARAM) {
    OnSetFont(CFont::FromHandle((HFONT)wParam));
    return Default();
}

void CDialog::OnSetFont(CFont*) {}

BOOL CDialog::CheckAutoCenter() {
    // centred unless the template places it (DS_ABSALIGN) or is a child
    DWORD dwStyle = GetStyle();
    return !(dwStyle & (WS_CHILD | DS_ABSALIGN));
}

BOOL CDialog::OnInitDialog() {
    if (!ExecuteDlgInit(m_lpszTemplateName)) {
        EndDialog(-1);
        return FALSE;
    }
    if (!UpdateData(FALSE)) {
        EndDialog(-1);
        return FALSE;
    }
    return TRUE;
}

void CDialog::OnOK() {
    if (!UpdateData(TRUE)) return;
    EndDialog(IDOK);
}

void CDialog::OnCancel() { EndDialog(IDCANCEL); }

HBRUSH CDialog::OnCtlColor(CDC*, CWnd*, UINT) { return (HBRUSH)Default(); }

BOOL CDialog::PreTranslateMessage(MSG* pMsg) {
    if (m_hWnd == NULL) return FALSE;
    // dialog keys for this dialog and its controls
    if (pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST && ::IsWindow(m_hWnd))
        return ::IsDialogMessage(m_hWnd, pMsg);
    return FALSE;
}

BOOL CDialog::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
    if (CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo)) return TRUE;
    // menu and toolbar commands get a last chance at the thread
    if (((UINT)nCode != CN_COMMAND && (UINT)nCode != CN_UPDATE_COMMAND_UI) || nID < 0x8000 || nID >= 0xF000)
        return FALSE;
    CWinThread* pThread = AfxGetThread();
    return pThread != NULL && pThread->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

// --- dialog data exchange ----------------------------------------------------------

BOOL CWnd::UpdateData(BOOL bSaveAndValidate) {
    CDataExchange dx(this, bSaveAndValidate);
    AFX_THREAD_STATE* pState = AfxGetThreadState();
    HWND hWndOldLockout = pState->m_hLockoutNotifyWindow;
    pState->m_hLockoutNotifyWindow = m_hWnd;  // no EN_CHANGE handlers while we write
    BOOL bOK = FALSE;
    try {
        DoDataExchange(&dx);
        bOK = TRUE;
    } catch (CException* e) {
        // a CUserException was shown already
        if (!e->IsKindOf(RUNTIME_CLASS(CUserException))) AfxReportBarrierException(e, NULL);
        e->Delete();
    }
    pState->m_hLockoutNotifyWindow = hWndOldLockout;
    return bOK;
}

CDataExchange::CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate)
    : m_bSaveAndValidate(bSaveAndValidate), m_pDlgWnd(pDlgWnd), m_hWndLastControl(NULL), m_bEditLastControl(FALSE) {}

HWND CDataExchange::PrepareCtrl(int nIDC) {
    HWND hWndCtrl = ::GetDlgItem(m_pDlgWnd->m_hWnd, nIDC);
    if (hWndCtrl == NULL) AfxThrowNotSupportedException();
    m_hWndLastControl = hWndCtrl;
    m_bEditLastControl = FALSE;
    return hWndCtrl;
}

HWND CDataExchange::PrepareEditCtrl(int nIDC) {
    HWND hWndCtrl = PrepareCtrl(nIDC);
    m_bEditLastControl = TRUE;
    return hWndCtrl;
}

void CDataExchange::Fail() {
    if (m_hWndLastControl != NULL && ::IsWindow(m_hWndLastControl)) {
        ::SetFocus(m_hWndLastControl);
        if (m_bEditLastControl) ::SendMessage(m_hWndLastControl, EM_SETSEL, 0, -1);
    }
    AfxThrowUserException();
}

void AFXAPI DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl) {
    if (rControl.m_hWnd != NULL) return;
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    if (!rControl.SubclassWindow(hWndCtrl)) AfxThrowNotSupportedException();
}

static CString GetText(HWND hWnd) {
    CString str;
    int nLen = ::GetWindowTextLength(hWnd);
    ::GetWindowText(hWnd, str.GetBufferSetLength(nLen), nLen + 1);
    str.ReleaseBuffer();
    return str;
}

static BOOL IsBlank(char c) { return c == ' ' || c == '\t'; }

// Strict parsing: blanks, an optional sign, digits, blanks. Nothing else.
static BOOL ParseInteger(LPCTSTR psz, BOOL bSigned, long long nMin, unsigned long long nMax, long long* pValue,
                         unsigned long long* pUValue) {
    while (IsBlank(*psz)) psz++;
    BOOL bNegative = FALSE;
    if (*psz == '-' || *psz == '+') {
        bNegative = *psz == '-';
        if (bNegative && !bSigned) return FALSE;
        psz++;
    }
    if (*psz < '0' || *psz > '9') return FALSE;
    unsigned long long n = 0;
    for (; *psz >= '0' && *psz <= '9'; psz++) {
        n = n * 10 + (unsigned)(*psz - '0');
        if (n > (unsigned long long)LLONG_MAX) return FALSE;
    }
    while (IsBlank(*psz)) psz++;
    if (*psz != 0) return FALSE;
    if (bSigned) {
        long long v = bNegative ? -(long long)n : (long long)n;
        if (v < nMin || (v > 0 && (unsigned long long)v > nMax)) return FALSE;
        *pValue = v;
    } else {
        if (n > nMax) return FALSE;
        *pUValue = n;
    }
    return TRUE;
}

static BOOL ParseReal(LPCTSTR psz, double* pValue) {
    while (IsBlank(*psz)) psz++;
    // digits, sign, point and exponent only (no "inf", "nan" or hex forms)
    LPCTSTR pStart = psz;
    while (*psz != 0 && !IsBlank(*psz)) {
        char c = *psz++;
        if (!((c >= '0' && c <= '9') || c == '.' || c == '+' || c == '-' || c == 'e' || c == 'E')) return FALSE;
    }
    LPCTSTR pTail = psz;
    while (IsBlank(*pTail)) pTail++;
    if (*pTail != 0 || psz == pStart) return FALSE;
    CString strNumber(pStart, (int)(psz - pStart));
    char* pEnd = NULL;
    errno = 0;
    double d = strtod(strNumber, &pEnd);
    if (pEnd == NULL || *pEnd != 0 || pEnd == (LPCTSTR)strNumber || errno == ERANGE) return FALSE;
    *pValue = d;
    return TRUE;
}

static void FailParse(CDataExchange* pDX, UINT nIDPrompt, LPCTSTR lpszFallback) {
    AfxMessageBox(AfxLoadLayerString(nIDPrompt, lpszFallback), MB_ICONEXCLAMATION, nIDPrompt);
    pDX->Fail();
}

static const TCHAR szParseInt[] = _T("Please enter an integer.");
static const TCHAR szParseReal[] = _T("Please enter a number.");

void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, CString& value) {
    HWND hWndCtrl = pDX->PrepareEditCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        value = GetText(hWndCtrl);
    else
        ::SetWindowText(hWndCtrl, value);
}

template <class T>
static void DDXSigned(CDataExchange* pDX, int nIDC, T& value, long long nMin, long long nMax, LPCTSTR lpszFormat) {
    HWND hWndCtrl = pDX->PrepareEditCtrl(nIDC);
    if (pDX->m_bSaveAndValidate) {
        long long v = 0;
        if (!ParseInteger(GetText(hWndCtrl), TRUE, nMin, (unsigned long long)nMax, &v, NULL))
            FailParse(pDX, AFX_IDP_PARSE_INT, szParseInt);
        value = (T)v;
    } else {
        CString str;
        str.Format(lpszFormat, value);
        ::SetWindowText(hWndCtrl, str);
    }
}

template <class T>
static void DDXUnsigned(CDataExchange* pDX, int nIDC, T& value, unsigned long long nMax, LPCTSTR lpszFormat) {
    HWND hWndCtrl = pDX->PrepareEditCtrl(nIDC);
    if (pDX->m_bSaveAndValidate) {
        unsigned long long v = 0;
        if (!ParseInteger(GetText(hWndCtrl), FALSE, 0, nMax, NULL, &v)) FailParse(pDX, AFX_IDP_PARSE_UINT, szParseInt);
        value = (T)v;
    } else {
        CString str;
        str.Format(lpszFormat, value);
        ::SetWindowText(hWndCtrl, str);
    }
}

void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, int& value) { DDXSigned(pDX, nIDC, value, INT_MIN, INT_MAX, _T("%d")); }
void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, long& value) {
    DDXSigned(pDX, nIDC, value, LONG_MIN, LONG_MAX, _T("%ld"));
}
void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, UINT& value) { DDXUnsigned(pDX, nIDC, value, UINT_MAX, _T("%u")); }
void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, DWORD& value) {
    DDXUnsigned(pDX, nIDC, value, ULONG_MAX, _T("%lu"));
}

template <class T>
static void DDXReal(CDataExchange* pDX, int nIDC, T& value, int nDigits, double dMax) {
    HWND hWndCtrl = pDX->PrepareEditCtrl(nIDC);
    if (pDX->m_bSaveAndValidate) {
        double d = 0;
        if (!ParseReal(GetText(hWndCtrl), &d) || d > dMax || d < -dMax) FailParse(pDX, AFX_IDP_PARSE_REAL, szParseReal);
        value = (T)d;
    } else {
        CString str;
        str.Format(_T("%.*g"), nDigits, (double)value);
        ::SetWindowText(hWndCtrl, str);
    }
}

void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, float& value) { DDXReal(pDX, nIDC, value, FLT_DIG, FLT_MAX); }
void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, double& value) { DDXReal(pDX, nIDC, value, DBL_DIG, DBL_MAX); }

void AFXAPI DDX_Check(CDataExchange* pDX, int nIDC, int& value) {
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate) {
        value = (int)::SendMessage(hWndCtrl, BM_GETCHECK, 0, 0);
    } else {
        if (value < 0 || value > 2) value = 0;
        ::SendMessage(hWndCtrl, BM_SETCHECK, (WPARAM)value, 0);
    }
}

void AFXAPI DDX_Radio(CDataExchange* pDX, int nIDC, int& value) {
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate) value = -1;  // none checked
    int iButton = 0;
    do {
        if (::SendMessage(hWndCtrl, WM_GETDLGCODE, 0, 0) & DLGC_RADIOBUTTON) {
            if (pDX->m_bSaveAndValidate) {
                if (::SendMessage(hWndCtrl, BM_GETCHECK, 0, 0) != 0) value = iButton;
            } else {
                ::SendMessage(hWndCtrl, BM_SETCHECK, (iButton == value), 0);
            }
            iButton++;
        }
        hWndCtrl = ::GetWindow(hWndCtrl, GW_HWNDNEXT);
    } while (hWndCtrl != NULL && !(::GetWindowLong(hWndCtrl, GWL_STYLE) & WS_GROUP));
}

void AFXAPI DDX_CBString(CDataExchange* pDX, int nIDC, CString& value) {
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    BOOL bDropList = (::GetWindowLong(hWndCtrl, GWL_STYLE) & 0x3) == CBS_DROPDOWNLIST;
    if (pDX->m_bSaveAndValidate) {
        if (bDropList) {
            int nSel = (int)::SendMessage(hWndCtrl, CB_GETCURSEL, 0, 0);
            value.Empty();
            if (nSel != CB_ERR) {
                int nLen = (int)::SendMessage(hWndCtrl, CB_GETLBTEXTLEN, nSel, 0);
                if (nLen > 0) {
                    ::SendMessage(hWndCtrl, CB_GETLBTEXT, nSel, (LPARAM)value.GetBufferSetLength(nLen));
                    value.ReleaseBuffer();
                }
            }
        } else {
            value = GetText(hWndCtrl);
        }
    } else {
        if (::SendMessage(hWndCtrl, CB_SELECTSTRING, (WPARAM)-1, (LPARAM)(LPCTSTR)value) == CB_ERR && !bDropList)
            ::SetWindowText(hWndCtrl, value);
    }
}

void AFXAPI DDX_CBStringExact(CDataExchange* pDX, int nIDC, CString& value) {
    if (pDX->m_bSaveAndValidate) {
        DDX_CBString(pDX, nIDC, value);
        return;
    }
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    int i = (int)::SendMessage(hWndCtrl, CB_FINDSTRINGEXACT, (WPARAM)-1, (LPARAM)(LPCTSTR)value);
    if (i < 0)
        ::SetWindowText(hWndCtrl, value);
    else
        ::SendMessage(hWndCtrl, CB_SETCURSEL, i, 0);
}

void AFXAPI DDX_CBIndex(CDataExchange* pDX, int nIDC, int& index) {
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        index = (int)::SendMessage(hWndCtrl, CB_GETCURSEL, 0, 0);
    else
        ::SendMessage(hWndCtrl, CB_SETCURSEL, (WPARAM)index, 0);
}

void AFXAPI DDX_LBString(CDataExchange* pDX, int nIDC, CString& value) {
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate) {
        int nIndex = (int)::SendMessage(hWndCtrl, LB_GETCURSEL, 0, 0);
        value.Empty();
        if (nIndex != LB_ERR) {
            int nLen = (int)::SendMessage(hWndCtrl, LB_GETTEXTLEN, nIndex, 0);
            ::SendMessage(hWndCtrl, LB_GETTEXT, nIndex, (LPARAM)value.GetBufferSetLength(nLen));
            value.ReleaseBuffer();
        }
    } else {
        if (::SendMessage(hWndCtrl, LB_SELECTSTRING, (WPARAM)-1, (LPARAM)(LPCTSTR)value) == LB_ERR)
            ::SendMessage(hWndCtrl, LB_SETCURSEL, (WPARAM)-1, 0);
    }
}

void AFXAPI DDX_LBIndex(CDataExchange* pDX, int nIDC, int& index) {
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        index = (int)::SendMessage(hWndCtrl, LB_GETCURSEL, 0, 0);
    else
        ::SendMessage(hWndCtrl, LB_SETCURSEL, (WPARAM)index, 0);
}

static void FailRange(CDataExchange* pDX, UINT nIDPrompt, LPCTSTR lpszFallback, LPCTSTR lpszMin, LPCTSTR lpszMax) {
    CString strFormat = AfxLoadLayerString(nIDPrompt, lpszFallback);
    CString strPrompt;
    for (LPCTSTR p = strFormat; *p != 0; p++) {
        if (p[0] == '%' && (p[1] == '1' || p[1] == '2')) {
            strPrompt += p[1] == '1' ? lpszMin : lpszMax;
            p++;
        } else {
            strPrompt += *p;
        }
    }
    AfxMessageBox(strPrompt, MB_ICONEXCLAMATION, nIDPrompt);
    pDX->Fail();
}

static const TCHAR szIntRange[] = _T("Please enter an integer between %1 and %2.");
static const TCHAR szRealRange[] = _T("Please enter a number between %1 and %2.");

void AFXAPI DDV_MinMaxInt(CDataExchange* pDX, int value, int minVal, int maxVal) {
    if (!pDX->m_bSaveAndValidate || (value >= minVal && value <= maxVal)) return;
    CString strMin, strMax;
    strMin.Format(_T("%d"), minVal);
    strMax.Format(_T("%d"), maxVal);
    FailRange(pDX, AFX_IDP_PARSE_INT_RANGE, szIntRange, strMin, strMax);
}

void AFXAPI DDV_MinMaxUInt(CDataExchange* pDX, UINT value, UINT minVal, UINT maxVal) {
    if (!pDX->m_bSaveAndValidate || (value >= minVal && value <= maxVal)) return;
    CString strMin, strMax;
    strMin.Format(_T("%u"), minVal);
    strMax.Format(_T("%u"), maxVal);
    FailRange(pDX, AFX_IDP_PARSE_INT_RANGE, szIntRange, strMin, strMax);
}

void AFXAPI DDV_MinMaxLong(CDataExchange* pDX, long value, long minVal, long maxVal) {
    if (!pDX->m_bSaveAndValidate || (value >= minVal && value <= maxVal)) return;
    CString strMin, strMax;
    strMin.Format(_T("%ld"), minVal);
    strMax.Format(_T("%ld"), maxVal);
    FailRange(pDX, AFX_IDP_PARSE_INT_RANGE, szIntRange, strMin, strMax);
}

void AFXAPI DDV_MinMaxDouble(CDataExchange* pDX, double const& value, double minVal, double maxVal) {
    if (!pDX->m_bSaveAndValidate || (value >= minVal && value <= maxVal)) return;
    CString strMin, strMax;
    strMin.Format(_T("%.*g"), DBL_DIG, minVal);
    strMax.Format(_T("%.*g"), DBL_DIG, maxVal);
    FailRange(pDX, AFX_IDP_PARSE_REAL_RANGE, szRealRange, strMin, strMax);
}

void AFXAPI DDV_MaxChars(CDataExchange* pDX, CString const& value, int nChars) {
    if (pDX->m_bSaveAndValidate) {
        if (value.GetLength() > nChars) {
            CString strMax;
            strMax.Format(_T("%d"), nChars);
            FailRange(pDX, AFX_IDP_PARSE_STRING_SIZE, _T("Please enter no more than %1 characters."), strMax, strMax);
        }
    } else if (pDX->m_hWndLastControl != NULL && pDX->m_bEditLastControl) {
        ::SendMessage(pDX->m_hWndLastControl, EM_LIMITTEXT, nChars, 0);
    }
}
