// winsheet.cpp - property sheets and pages, and the common dialogs.
#include "afximpl.h"
#include "afxdlgs.h"

// --- CPropertyPage -----------------------------------------------------------------

IMPLEMENT_DYNAMIC(CPropertyPage, CDialog)

INT_PTR CALLBACK AfxPropPageDlgProc(HWND hWnd, UINT message, WPARAM, LPARAM lParam) {
    if (message != WM_INITDIALOG) return FALSE;  // the window procedure does the rest
    MSG msg = {};
    msg.hwnd = hWnd;
    msg.message = message;
    try {
        // lParam: the sheet's copy of the page structure; its lParam is the page
        const PROPSHEETPAGE* psp = reinterpret_cast<const PROPSHEETPAGE*>(lParam);
        CPropertyPage* pPage = psp != NULL ? reinterpret_cast<CPropertyPage*>(psp->lParam) : NULL;
        if (pPage == NULL) return TRUE;
        if (pPage->m_hWnd == NULL && !pPage->SubclassWindow(hWnd)) return TRUE;
        return pPage->OnInitDialog();
    } catch (CException* e) {
        AfxReportBarrierException(e, &msg);
        e->Delete();
    } catch (...) {
        AfxReportForeignException(&msg);
    }
    return FALSE;
}

CPropertyPage::CPropertyPage() : m_bFirstSetActive(TRUE) { memset(&m_psp, 0, sizeof(m_psp)); }

CPropertyPage::CPropertyPage(UINT nIDTemplate, UINT nIDCaption) : CPropertyPage() {
    Construct(nIDTemplate, nIDCaption);
}

CPropertyPage::CPropertyPage(LPCTSTR lpszTemplateName, UINT nIDCaption) : CPropertyPage() {
    Construct(lpszTemplateName, nIDCaption);
}

void CPropertyPage::Construct(UINT nIDTemplate, UINT nIDCaption) {
    Construct(MAKEINTRESOURCE(nIDTemplate), nIDCaption);
}

void CPropertyPage::Construct(LPCTSTR lpszTemplateName, UINT nIDCaption) {
    m_lpszTemplateName = lpszTemplateName;
    memset(&m_psp, 0, sizeof(m_psp));
    m_psp.dwSize = sizeof(m_psp);
    m_psp.dwFlags = PSP_DEFAULT;
    m_psp.hInstance = AfxFindResourceHandle(lpszTemplateName, RT_DIALOG);
    m_psp.pszTemplate = lpszTemplateName;
    m_psp.pfnDlgProc = &AfxPropPageDlgProc;
    m_psp.lParam = (LPARAM)this;
    if (nIDCaption != 0 && m_strCaption.LoadString(nIDCaption)) {
        m_psp.pszTitle = m_strCaption;
        m_psp.dwFlags |= PSP_USETITLE;
    }
    m_bFirstSetActive = TRUE;
}

CPropertyPage::~CPropertyPage() {}

void CPropertyPage::SetModified(BOOL bChanged) {
    HWND hWndSheet = ::GetParent(m_hWnd);
    if (hWndSheet != NULL) ::SendMessage(hWndSheet, bChanged ? PSM_CHANGED : PSM_UNCHANGED, (WPARAM)m_hWnd, 0);
}

CPropertySheet* CPropertyPage::GetSheet() const {
    return DYNAMIC_DOWNCAST(CPropertySheet, CWnd::FromHandlePermanent(::GetParent(m_hWnd)));
}

BOOL CPropertyPage::OnSetActive() {
    if (m_bFirstSetActive)
        m_bFirstSetActive = FALSE;  // OnInitDialog filled the controls
    else
        UpdateData(FALSE);
    return TRUE;
}

BOOL CPropertyPage::OnKillActive() { return UpdateData(TRUE); }

BOOL CPropertyPage::OnApply() {
    OnOK();
    return TRUE;
}

void CPropertyPage::OnReset() { OnCancel(); }
void CPropertyPage::OnOK() {}
void CPropertyPage::OnCancel() {}
BOOL CPropertyPage::OnQueryCancel() { return TRUE; }
LRESULT CPropertyPage::OnWizardBack() { return 0; }
LRESULT CPropertyPage::OnWizardNext() { return 0; }
BOOL CPropertyPage::OnWizardFinish() { return TRUE; }
BOOL CPropertyPage::PreTranslateMessage(MSG*) { return FALSE; }  // the sheet does the dialog keys

BOOL CPropertyPage::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    NMHDR* pNMHDR = reinterpret_cast<NMHDR*>(lParam);
    if (pNMHDR->hwndFrom != ::GetParent(m_hWnd)) return CDialog::OnNotify(wParam, lParam, pResult);
    switch (pNMHDR->code) {
    case PSN_SETACTIVE:
        *pResult = OnSetActive() ? 0 : -1;
        break;
    case PSN_KILLACTIVE:
        *pResult = !OnKillActive();
        break;
    case PSN_APPLY: {
        BOOL bApplied = OnApply();
        *pResult = bApplied ? PSNRET_NOERROR : PSNRET_INVALID_NOCHANGEPAGE;
        // lParam TRUE: the OK button (not Apply); the modal sheet answers IDOK
        CPropertySheet* pSheet = GetSheet();
        if (pSheet != NULL && bApplied && reinterpret_cast<PSHNOTIFY*>(lParam)->lParam)
            pSheet->m_nModalResult = IDOK;
        break;
    }
    case PSN_RESET:
        if (CPropertySheet* pSheet = GetSheet()) pSheet->m_nModalResult = IDCANCEL;
        OnReset();
        *pResult = 0;
        break;
    case PSN_QUERYCANCEL:
        *pResult = !OnQueryCancel();
        break;
    case PSN_WIZBACK:
        *pResult = OnWizardBack();
        break;
    case PSN_WIZNEXT:
        *pResult = OnWizardNext();
        break;
    case PSN_WIZFINISH:
        *pResult = !OnWizardFinish();
        break;
    case PSN_HELP:
        SendMessage(WM_COMMAND, ID_HELP);
        *pResult = 0;
        break;
    default:
        return CDialog::OnNotify(wParam, lParam, pResult);
    }
    // the sheet reads the answer from the dialog result as well
    ::SetWindowLongPtr(m_hWnd, DWLP_MSGRESULT, *pResult);
    return TRUE;
}

// --- CPropertySheet -----------------------------------------------------------------

IMPLEMENT_DYNAMIC(CPropertySheet, CWnd)

BEGIN_MESSAGE_MAP(CPropertySheet, CWnd)
    ON_MESSAGE(WM_INITDIALOG, HandleInitDialog)
    ON_MESSAGE(WM_KICKIDLE, OnKickIdle)
END_MESSAGE_MAP()

CPropertySheet::CPropertySheet() : m_pParentWnd(NULL), m_dwStyle(0), m_dwExStyle(0), m_bModeless(FALSE) {
    memset(&m_psh, 0, sizeof(m_psh));
    m_psh.dwSize = sizeof(m_psh);
}

CPropertySheet::CPropertySheet(UINT nIDCaption, CWnd* pParentWnd, UINT iSelectPage) : CPropertySheet() {
    Construct(nIDCaption, pParentWnd, iSelectPage);
}

CPropertySheet::CPropertySheet(LPCTSTR pszCaption, CWnd* pParentWnd, UINT iSelectPage) : CPropertySheet() {
    Construct(pszCaption, pParentWnd, iSelectPage);
}

void CPropertySheet::Construct(UINT nIDCaption, CWnd* pParentWnd, UINT iSelectPage) {
    CString str;
    str.LoadString(nIDCaption);
    Construct(str, pParentWnd, iSelectPage);
}

void CPropertySheet::Construct(LPCTSTR pszCaption, CWnd* pParentWnd, UINT iSelectPage) {
    m_strCaption = pszCaption != NULL ? pszCaption : _T("");
    m_pParentWnd = pParentWnd;
    m_psh.dwFlags = PSH_PROPSHEETPAGE;
    m_psh.pszCaption = m_strCaption;
    m_psh.nStartPage = iSelectPage;
}

CPropertySheet::~CPropertySheet() {
    if (m_hWnd != NULL) DestroyWindow();
}

void CPropertySheet::BuildPropPageArray() {
    m_pageStructs.clear();
    for (CPropertyPage* pPage : m_pages) m_pageStructs.push_back(pPage->m_psp);
    m_psh.dwFlags |= PSH_PROPSHEETPAGE;
    m_psh.ppsp = m_pageStructs.empty() ? NULL : &m_pageStructs[0];
    m_psh.nPages = (UINT)m_pageStructs.size();
    if (m_psh.nStartPage >= m_psh.nPages) m_psh.nStartPage = 0;
    m_psh.pszCaption = m_strCaption;
    m_psh.hInstance = AfxGetResourceHandle();
}

// PSCB_PRECREATE: the template gets the styles Create asked for.
int CALLBACK AfxPropSheetCallback(HWND, UINT message, LPARAM lParam) {
    if (message != PSCB_PRECREATE || lParam == 0) return 0;
    CPropertySheet* pSheet = DYNAMIC_DOWNCAST(CPropertySheet, AfxGetThreadState()->m_pWndInit);
    if (pSheet == NULL || pSheet->m_dwStyle == 0) return 0;
    DWORD dwKeep = DS_SETFONT | DS_SHELLFONT | DS_3DLOOK;
    DWORD dwStyle = pSheet->m_dwStyle;
    if (dwStyle & WS_CHILD) dwStyle |= DS_CONTROL;
    WORD* pw = reinterpret_cast<WORD*>(lParam);
    if (pw[0] == 1 && pw[1] == 0xFFFF) {
        // DLGTEMPLATEEX: exStyle at 8, style at 12
        DWORD* pExStyle = reinterpret_cast<DWORD*>(lParam + 8);
        DWORD* pStyle = reinterpret_cast<DWORD*>(lParam + 12);
        *pStyle = dwStyle | (*pStyle & dwKeep);
        *pExStyle = pSheet->m_dwExStyle | ((dwStyle & WS_CHILD) ? WS_EX_CONTROLPARENT : 0);
    } else {
        DLGTEMPLATE* pTemplate = reinterpret_cast<DLGTEMPLATE*>(lParam);
        pTemplate->style = dwStyle | (pTemplate->style & dwKeep);
        pTemplate->dwExtendedStyle = pSheet->m_dwExStyle | ((dwStyle & WS_CHILD) ? WS_EX_CONTROLPARENT : 0);
    }
    return 0;
}

BOOL CPropertySheet::CreateSheetWindow(HWND hWndParent) {
    if (m_hWnd != NULL) return FALSE;  // one window per sheet object
    AfxInitCommonControls();
    BuildPropPageArray();
    m_psh.hwndParent = hWndParent;
    m_psh.dwFlags |= PSH_MODELESS | PSH_USECALLBACK;
    m_psh.pfnCallback = &AfxPropSheetCallback;
    AfxHookWindowCreate(this);
    INT_PTR nResult = ::PropertySheet(&m_psh);
    if (!AfxUnhookWindowCreate()) {
        PostNcDestroy();  // no window ever took the object
        return FALSE;
    }
    // A sheet whose window went while it was being made has run
    // PostNcDestroy then: only the handle is asked.
    return nResult != 0 && nResult != -1 && ::IsWindow((HWND)nResult);
}

BOOL CPropertySheet::Create(CWnd* pParentWnd, DWORD dwStyle, DWORD dwExStyle) {
    if (dwStyle == (DWORD)-1) {
        dwStyle = DS_MODALFRAME | DS_3DLOOK | DS_CONTEXTHELP | DS_SETFONT | WS_POPUP | WS_VISIBLE | WS_CAPTION;
        if (!(m_psh.dwFlags & PSH_WIZARD)) dwStyle |= WS_SYSMENU;
    }
    m_dwStyle = dwStyle;
    m_dwExStyle = dwExStyle;
    m_bModeless = TRUE;
    if (pParentWnd != NULL) m_pParentWnd = pParentWnd;
    return CreateSheetWindow(AfxGetSafeHwnd(m_pParentWnd));
}

INT_PTR CPropertySheet::DoModal() {
    m_bModeless = FALSE;
    m_dwStyle = 0;  // the sheet's own popup style
    HWND hWndParent = AfxGetSafeHwnd(CWnd::GetSafeOwner(m_pParentWnd, NULL));
    BOOL bEnableParent = FALSE;
    if (hWndParent != NULL && ::IsWindowEnabled(hWndParent)) {
        ::EnableWindow(hWndParent, FALSE);
        bEnableParent = TRUE;
    }
    m_nModalResult = IDCANCEL;
    if (!CreateSheetWindow(hWndParent)) {
        // PostNcDestroy has run: the object is not touched again.
        if (bEnableParent) ::EnableWindow(hWndParent, TRUE);
        return -1;
    }
    m_nFlags |= WF_CONTINUEMODAL;
    RunModalLoop(MLF_SHOWONIDLE);
    const INT_PTR nResult = m_nModalResult;
    if (bEnableParent) ::EnableWindow(hWndParent, TRUE);
    if (hWndParent != NULL && m_hWnd != NULL && ::GetActiveWindow() == m_hWnd) ::SetActiveWindow(hWndParent);
    if (m_hWnd != NULL) DestroyWindow();
    return nResult;
}

BOOL CPropertySheet::ContinueModal() {
    if (!CWnd::ContinueModal()) return FALSE;
    // OK or Cancel leaves a modeless sheet without a current page
    return ::IsWindow(m_hWnd) && ::SendMessage(m_hWnd, PSM_GETCURRENTPAGEHWND, 0, 0) != 0;
}

BOOL CPropertySheet::OnCommand(WPARAM wParam, LPARAM lParam) {
    UINT nID = LOWORD(wParam);
    HWND hWnd = m_hWnd;
    BOOL bHandled = CWnd::OnCommand(wParam, lParam);
    if (bHandled || !::IsWindow(hWnd)) return bHandled;
    if (nID == IDOK || nID == IDCANCEL || nID == ID_WIZFINISH) {
        // the sheet's own processing first; then the modal result
        DefWindowProc(WM_COMMAND, wParam, lParam);
        if (::IsWindow(hWnd) && ::SendMessage(hWnd, PSM_GETCURRENTPAGEHWND, 0, 0) == 0) {
            m_nModalResult = (nID == IDCANCEL) ? IDCANCEL : IDOK;
            if (m_nFlags & WF_CONTINUEMODAL) EndModalLoop(m_nModalResult);
        }
        return TRUE;
    }
    return FALSE;
}

BOOL CPropertySheet::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    return CWnd::OnNotify(wParam, lParam, pResult);
}

void CPropertySheet::EndDialog(int nEndID) {
    m_nModalResult = nEndID;
    if (m_nFlags & WF_CONTINUEMODAL) EndModalLoop(nEndID);
    if (m_bModeless) DestroyWindow();
}

LRESULT CPropertySheet::HandleInitDialog(WPARAM, LPARAM) {
    LRESULT lResult = Default();
    OnInitDialog();
    return lResult;
}

BOOL CPropertySheet::OnInitDialog() { return TRUE; }

LRESULT CPropertySheet::OnKickIdle(WPARAM, LPARAM) {
    // the active page's controls get the idle update
    CPropertyPage* pPage = GetActivePage();
    if (pPage != NULL && pPage->m_hWnd != NULL) AfxCallWndProc(pPage, pPage->m_hWnd, WM_IDLEUPDATECMDUI, TRUE, 0);
    return 0;
}

BOOL CPropertySheet::PreTranslateMessage(MSG* pMsg) {
    if (m_hWnd == NULL) return FALSE;
    if (pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST)
        return (BOOL)::SendMessage(m_hWnd, PSM_ISDIALOGMESSAGE, 0, (LPARAM)pMsg);
    return FALSE;
}

void CPropertySheet::PostNcDestroy() { CWnd::PostNcDestroy(); }

void CPropertySheet::AddPage(CPropertyPage* pPage) {
    if (pPage == NULL) return;
    m_pages.push_back(pPage);
    if (m_hWnd != NULL) {
        HPROPSHEETPAGE hPage = ::CreatePropertySheetPage(&pPage->m_psp);
        if (hPage == NULL || !::SendMessage(m_hWnd, PSM_ADDPAGE, 0, (LPARAM)hPage)) {
            if (hPage != NULL) ::DestroyPropertySheetPage(hPage);
            m_pages.pop_back();
            AfxThrowMemoryException();
        }
    }
}

void CPropertySheet::RemovePage(int nPage) {
    if (nPage < 0 || nPage >= (int)m_pages.size()) return;
    if (m_hWnd != NULL) ::SendMessage(m_hWnd, PSM_REMOVEPAGE, nPage, 0);
    m_pages.erase(m_pages.begin() + nPage);
}

void CPropertySheet::RemovePage(CPropertyPage* pPage) { RemovePage(GetPageIndex(pPage)); }

int CPropertySheet::GetPageCount() const { return (int)m_pages.size(); }

CPropertyPage* CPropertySheet::GetPage(int nPage) const {
    return nPage >= 0 && nPage < (int)m_pages.size() ? m_pages[nPage] : NULL;
}

int CPropertySheet::GetPageIndex(CPropertyPage* pPage) const {
    for (size_t i = 0; i < m_pages.size(); i++) {
        if (m_pages[i] == pPage) return (int)i;
    }
    return -1;
}

int CPropertySheet::GetActiveIndex() const {
    if (m_hWnd == NULL) return (int)m_psh.nStartPage;
    HWND hWndTab = (HWND)::SendMessage(m_hWnd, PSM_GETTABCONTROL, 0, 0);
    return hWndTab != NULL ? (int)::SendMessage(hWndTab, TCM_GETCURSEL, 0, 0) : -1;
}

CPropertyPage* CPropertySheet::GetActivePage() const {
    if (m_hWnd == NULL) return GetPage((int)m_psh.nStartPage);
    HWND hWndPage = (HWND)::SendMessage(m_hWnd, PSM_GETCURRENTPAGEHWND, 0, 0);
    CPropertyPage* pPage = DYNAMIC_DOWNCAST(CPropertyPage, CWnd::FromHandlePermanent(hWndPage));
    return pPage != NULL ? pPage : GetPage(GetActiveIndex());
}

BOOL CPropertySheet::SetActivePage(int nPage) {
    if (nPage < 0 || nPage >= (int)m_pages.size()) return FALSE;
    if (m_hWnd == NULL) {
        m_psh.nStartPage = (UINT)nPage;
        return TRUE;
    }
    return (BOOL)::SendMessage(m_hWnd, PSM_SETCURSEL, nPage, 0);
}

BOOL CPropertySheet::SetActivePage(CPropertyPage* pPage) { return SetActivePage(GetPageIndex(pPage)); }

CTabCtrl* CPropertySheet::GetTabControl() const {
    return static_cast<CTabCtrl*>(CWnd::FromHandle((HWND)::SendMessage(m_hWnd, PSM_GETTABCONTROL, 0, 0)));
}

void CPropertySheet::SetTitle(LPCTSTR lpszText, UINT nStyle) {
    m_strCaption = lpszText;
    m_psh.pszCaption = m_strCaption;
    m_psh.dwFlags = (m_psh.dwFlags & ~PSH_PROPTITLE) | (nStyle & PSH_PROPTITLE);
    if (m_hWnd != NULL) ::SendMessage(m_hWnd, PSM_SETTITLE, nStyle, (LPARAM)lpszText);
}

// --- common dialogs ------------------------------------------------------------------

IMPLEMENT_DYNAMIC(CCommonDialog, CDialog)
IMPLEMENT_DYNAMIC(CFileDialog, CCommonDialog)
IMPLEMENT_DYNAMIC(CColorDialog, CCommonDialog)
IMPLEMENT_DYNAMIC(CFontDialog, CCommonDialog)
IMPLEMENT_DYNAMIC(CPrintDialog, CCommonDialog)

CCommonDialog::AFX_COMMONDIALOG_HOOK CCommonDialog::s_pfnTestHook = NULL;

CCommonDialog::AFX_COMMONDIALOG_HOOK PASCAL CCommonDialog::SetTestHook(AFX_COMMONDIALOG_HOOK pfnHook) {
    AFX_COMMONDIALOG_HOOK pfnOld = s_pfnTestHook;
    s_pfnTestHook = pfnHook;
    return pfnOld;
}

HWND CCommonDialog::GetOwnerWindow() const { return AfxGetSafeHwnd(CWnd::GetSafeOwner(m_pParentWnd, NULL)); }

CFileDialog::CFileDialog(BOOL bOpenFileDialog, LPCTSTR lpszDefExt, LPCTSTR lpszFileName, DWORD dwFlags,
                         LPCTSTR lpszFilter, CWnd* pParentWnd)
    : CCommonDialog(pParentWnd), m_bOpenFileDialog(bOpenFileDialog) {
    memset(&m_ofn, 0, sizeof(m_ofn));
    m_szFileName[0] = m_szFileTitle[0] = 0;
    m_ofn.lStructSize = sizeof(m_ofn);
    m_ofn.lpstrFile = m_szFileName;
    m_ofn.nMaxFile = MAX_PATH * 2;
    m_ofn.lpstrFileTitle = m_szFileTitle;
    m_ofn.nMaxFileTitle = MAX_PATH;
    m_ofn.Flags = dwFlags | OFN_EXPLORER | OFN_ENABLESIZING;
    if (lpszDefExt != NULL) {
        m_strDefExt = lpszDefExt;
        m_ofn.lpstrDefExt = m_strDefExt;
    }
    if (lpszFileName != NULL) lstrcpyn(m_szFileName, lpszFileName, MAX_PATH * 2);
    if (lpszFilter != NULL) {
        // '|' separates; the list ends with two NULs
        m_strFilter = lpszFilter;
        int nLen = m_strFilter.GetLength();
        LPTSTR p = m_strFilter.GetBuffer(nLen + 2);
        for (int i = 0; i < nLen; i++) {
            if (p[i] == '|') p[i] = 0;
        }
        p[nLen] = p[nLen + 1] = 0;
        m_strFilter.ReleaseBuffer(nLen + 1);
        m_ofn.lpstrFilter = m_strFilter;
    }
}

INT_PTR CFileDialog::DoModal() {
    if (s_pfnTestHook != NULL) return s_pfnTestHook(this);
    m_ofn.hwndOwner = GetOwnerWindow();
    BOOL bResult = m_bOpenFileDialog ? ::GetOpenFileName(&m_ofn) : ::GetSaveFileName(&m_ofn);
    return bResult ? IDOK : IDCANCEL;
}

CString CFileDialog::GetFileName() const {
    CString strPath = m_szFileName;
    int n = strPath.ReverseFind('\\');
    return n >= 0 ? strPath.Mid(n + 1) : strPath;
}

CString CFileDialog::GetFileExt() const {
    CString strName = GetFileName();
    int n = strName.ReverseFind('.');
    return n >= 0 ? strName.Mid(n + 1) : CString();
}

CString CFileDialog::GetFileTitle() const {
    CString strName = GetFileName();
    int n = strName.ReverseFind('.');
    return n >= 0 ? strName.Left(n) : strName;
}

COLORREF* PASCAL CColorDialog::GetSavedCustomColors() {
    static COLORREF s_clrCustom[16] = {RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255),
                                       RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255),
                                       RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255),
                                       RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255)};
    return s_clrCustom;
}

CColorDialog::CColorDialog(COLORREF clrInit, DWORD dwFlags, CWnd* pParentWnd) : CCommonDialog(pParentWnd) {
    memset(&m_cc, 0, sizeof(m_cc));
    m_cc.lStructSize = sizeof(m_cc);
    m_cc.lpCustColors = GetSavedCustomColors();
    m_cc.Flags = dwFlags;
    if ((m_cc.rgbResult = clrInit) != 0) m_cc.Flags |= CC_RGBINIT;
}

INT_PTR CColorDialog::DoModal() {
    if (s_pfnTestHook != NULL) return s_pfnTestHook(this);
    m_cc.hwndOwner = GetOwnerWindow();
    return ::ChooseColor(&m_cc) ? IDOK : IDCANCEL;
}

CFontDialog::CFontDialog(LPLOGFONT lplfInitial, DWORD dwFlags, CDC* pdcPrinter, CWnd* pParentWnd)
    : CCommonDialog(pParentWnd) {
    memset(&m_cf, 0, sizeof(m_cf));
    memset(&m_lf, 0, sizeof(m_lf));
    m_cf.lStructSize = sizeof(m_cf);
    m_cf.lpLogFont = &m_lf;
    m_cf.Flags = dwFlags;
    if (lplfInitial != NULL) {
        m_lf = *lplfInitial;
        m_cf.Flags |= CF_INITTOLOGFONTSTRUCT;
    }
    if (pdcPrinter != NULL) {
        m_cf.hDC = pdcPrinter->m_hDC;
        m_cf.Flags |= CF_PRINTERFONTS;
    }
}

INT_PTR CFontDialog::DoModal() {
    if (s_pfnTestHook != NULL) return s_pfnTestHook(this);
    m_cf.hwndOwner = GetOwnerWindow();
    return ::ChooseFont(&m_cf) ? IDOK : IDCANCEL;
}

CPrintDialog::CPrintDialog(BOOL bPrintSetupOnly, DWORD dwFlags, CWnd* pParentWnd) : CCommonDialog(pParentWnd) {
    memset(&m_pd, 0, sizeof(m_pd));
    m_pd.lStructSize = sizeof(m_pd);
    m_pd.Flags = dwFlags | (bPrintSetupOnly ? PD_PRINTSETUP : PD_RETURNDC);
}

INT_PTR CPrintDialog::DoModal() {
    if (s_pfnTestHook != NULL) return s_pfnTestHook(this);
    m_pd.hwndOwner = GetOwnerWindow();
    return ::PrintDlg(&m_pd) ? IDOK : IDCANCEL;
}
