// OptionSheets.cpp - the settings sheets and their document pages.
#include "OptionSheets.h"

#include "PdfSettings.h"
#include "ShellFiles.h"
#include "TomewiseResource.h"

// --- the dialog template's font ---------------------------------------------------------

namespace {

// Skips a string-or-ordinal field of a template (0, 0xFFFF + id, or text).
const WORD* SkipSzOrOrd(const WORD* p) {
    if (*p == 0xFFFF) return p + 2;
    while (*p++ != 0) {
    }
    return p;
}

}  // namespace

BOOL GetDialogTemplateFont(UINT nIDTemplate, CString& strFace, WORD& wPointSize) {
    HINSTANCE hInst = AfxGetResourceHandle();
    HRSRC hRes = ::FindResource(hInst, MAKEINTRESOURCE(nIDTemplate), RT_DIALOG);
    HGLOBAL hGlobal = hRes != NULL ? ::LoadResource(hInst, hRes) : NULL;
    const WORD* p = hGlobal != NULL ? (const WORD*)::LockResource(hGlobal) : NULL;
    if (p == NULL) return FALSE;
    const bool bEx = p[0] == 1 && p[1] == 0xFFFF;
    DWORD dwStyle;
    if (bEx) {
        dwStyle = *(const DWORD*)(p + 6);
        p += 13;  // dlgVer, signature, helpID, exStyle, style, cDlgItems, x, y, cx, cy
    } else {
        dwStyle = ((const DLGTEMPLATE*)p)->style;
        p = (const WORD*)((const BYTE*)p + sizeof(DLGTEMPLATE));
    }
    if (!(dwStyle & DS_SETFONT)) return FALSE;
    p = SkipSzOrOrd(p);  // menu
    p = SkipSzOrOrd(p);  // class
    while (*p++ != 0) {  // caption
    }
    wPointSize = *p++;
    if (bEx) p += 2;  // weight, italic and charset
    char szFace[LF_FACESIZE];
    ::WideCharToMultiByte(CP_ACP, 0, (LPCWSTR)p, -1, szFace, LF_FACESIZE, NULL, NULL);
    szFace[LF_FACESIZE - 1] = 0;
    strFace = szFace;
    return TRUE;
}

// --- CMySheet ------------------------------------------------------------------------

IMPLEMENT_DYNAMIC(CMySheet, CPropertySheet)

// Posted to the sheet to put the newly shown page at its place.
#define WM_ADJUST_PAGE (WM_APP + 1)

BEGIN_MESSAGE_MAP(CMySheet, CPropertySheet)
    ON_MESSAGE(WM_ADJUST_PAGE, OnAdjustPage)
END_MESSAGE_MAP()

CMySheet::CMySheet(LPCTSTR pszCaption, CWnd* pParentWnd, UINT iSelectPage)
    : CPropertySheet(pszCaption, pParentWnd, iSelectPage) {
    memset(&m_rctPage, 0, sizeof(m_rctPage));
}

CMySheet::~CMySheet() {}

void CMySheet::BuildPropPageArray() {
    CPropertySheet::BuildPropPageArray();
    if (GetPageCount() == 0) return;
    CPropertyPage* pFirst = GetPage(0);
    CString strFace;
    WORD wPointSize = 0;
    if (!GetDialogTemplateFont((UINT)(UINT_PTR)pFirst->m_psp.pszTemplate, strFace, wPointSize)) return;
    m_fntPage.DeleteObject();
    m_fntPage.CreatePointFont(wPointSize * 10, strFace);
}

void CMySheet::ChangeDialogFont(CWnd* pWnd, CFont* pFont, int nFlag) {
    CFont* pOldFont = pWnd->GetFont();
    if (pFont == NULL || pFont->GetSafeHandle() == NULL) return;
    CClientDC dc(pWnd);
    TEXTMETRIC tmOld, tmNew;
    CFont* pSaved = dc.SelectObject(pOldFont != NULL ? pOldFont : CFont::FromHandle((HFONT)::GetStockObject(SYSTEM_FONT)));
    dc.GetTextMetrics(&tmOld);
    dc.SelectObject(pFont);
    dc.GetTextMetrics(&tmNew);
    dc.SelectObject(pSaved);
    const int oldH = tmOld.tmHeight + tmOld.tmExternalLeading, newH = tmNew.tmHeight + tmNew.tmExternalLeading;
    const int oldW = tmOld.tmAveCharWidth > 0 ? tmOld.tmAveCharWidth : 1, newW = tmNew.tmAveCharWidth;
    const int oldHeight = oldH > 0 ? oldH : 1;

    if (nFlag != 2) {
        CRect rectWnd, rectClient;
        pWnd->GetWindowRect(rectWnd);
        pWnd->GetClientRect(rectClient);
        const int cxClient = rectClient.Width() * newW / oldW, cyClient = rectClient.Height() * newH / oldHeight;
        const int cx = rectWnd.Width() - rectClient.Width() + cxClient;
        const int cy = rectWnd.Height() - rectClient.Height() + cyClient;
        CWnd* pParent = pWnd->GetParent();
        if (pParent != NULL && (pWnd->GetStyle() & WS_CHILD)) pParent->ScreenToClient(rectWnd);
        int x = rectWnd.left, y = rectWnd.top;
        if (nFlag == 0) {
            x -= (cx - rectWnd.Width()) / 2;
            y -= (cy - rectWnd.Height()) / 2;
        }
        pWnd->MoveWindow(x, y, cx, cy, TRUE);
    }
    pWnd->SetFont(pFont, TRUE);
    for (CWnd* pChild = pWnd->GetWindow(GW_CHILD); pChild != NULL; pChild = pChild->GetWindow(GW_HWNDNEXT)) {
        pChild->SetFont(pFont, TRUE);
        CRect rect;
        pChild->GetWindowRect(rect);
        char szClass[32];
        ::GetClassName(pChild->m_hWnd, szClass, sizeof(szClass));
        if (lstrcmpi(szClass, "COMBOBOX") == 0) {
            CRect rectDropped;
            pChild->SendMessage(CB_GETDROPPEDCONTROLRECT, 0, (LPARAM)(LPRECT)rectDropped);
            rect.right = rectDropped.right;
            rect.bottom = rectDropped.bottom;
        }
        pWnd->ScreenToClient(rect);
        rect.left = rect.left * newW / oldW;
        rect.right = rect.right * newW / oldW;
        rect.top = rect.top * newH / oldHeight;
        rect.bottom = rect.bottom * newH / oldHeight;
        pChild->MoveWindow(rect, TRUE);
    }
}

BOOL CMySheet::OnInitDialog() {
    BOOL bResult = CPropertySheet::OnInitDialog();
    int nActive = GetActiveIndex();
    if (m_fntPage.GetSafeHandle() != NULL) {
        ChangeDialogFont(this, &m_fntPage, 0);
        for (int i = 0; i < GetPageCount(); ++i) {
            SetActivePage(i);
            ChangeDialogFont(GetPage(i), &m_fntPage, 0);
        }
        SetActivePage(nActive);
    }
    CTabCtrl* pTab = GetTabControl();
    if (m_psh.dwFlags & PSH_WIZARD) {
        if (pTab != NULL) pTab->ShowWindow(SW_HIDE);
        GetClientRect(&m_rctPage);
        CWnd* pBack = GetDlgItem(0x3023);
        if (pBack != NULL) {
            CRect rectBack;
            pBack->GetWindowRect(rectBack);
            ScreenToClient(rectBack);
            m_rctPage.bottom = rectBack.top - 2;
        }
    } else if (pTab != NULL) {
        pTab->GetWindowRect(&m_rctPage);
        ScreenToClient(&m_rctPage);
        pTab->AdjustRect(FALSE, &m_rctPage);
    }
    CPropertyPage* pActive = GetActivePage();
    if (pActive != NULL) pActive->MoveWindow(&m_rctPage);
    (void)bResult;
    return TRUE;
}

BOOL CMySheet::OnCommand(WPARAM wParam, LPARAM lParam) {
    const UINT nID = LOWORD(wParam);
    if (nID == 0x3021 || nID == 0x3023 || nID == 0x3024) PostMessage(WM_ADJUST_PAGE);
    return CPropertySheet::OnCommand(wParam, lParam);
}

BOOL CMySheet::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    NMHDR* pnmh = (NMHDR*)lParam;
    if (pnmh != NULL && pnmh->code == TCN_SELCHANGE) PostMessage(WM_ADJUST_PAGE);
    return CPropertySheet::OnNotify(wParam, lParam, pResult);
}

LRESULT CMySheet::OnAdjustPage(WPARAM, LPARAM) {
    CPropertyPage* pActive = GetActivePage();
    if (pActive != NULL && pActive->GetSafeHwnd() != NULL) pActive->MoveWindow(&m_rctPage);
    return 0;
}

// --- the document pages ------------------------------------------------------------------

// The five text fields and the open-when-done box, shared by both pages.
static void ExchangeDocInfo(CDataExchange* pDX, CPdfSettings* pSettings, int nOpenPdfID) {
    if (pSettings == NULL) return;
    DDX_Text(pDX, IDC_DOC_AUTHOR, pSettings->m_strAuthor);
    DDX_Text(pDX, IDC_DOC_CREATOR, pSettings->m_strCreator);
    DDX_Text(pDX, IDC_DOC_KEYWORDS, pSettings->m_strKeywords);
    DDX_Text(pDX, IDC_DOC_SUBJECT, pSettings->m_strSubject);
    DDX_Text(pDX, IDC_DOC_TITLE, pSettings->m_strTitle);
    DDX_Check(pDX, nOpenPdfID, pSettings->m_nOpenPdf);
}

IMPLEMENT_DYNCREATE(OptionDocInfo, CPropertyPage)

BEGIN_MESSAGE_MAP(OptionDocInfo, CPropertyPage)
    ON_BN_CLICKED(IDC_TEMP_DIR_BROWSE, OnBrowse)
END_MESSAGE_MAP()

OptionDocInfo::OptionDocInfo() : CPropertyPage(IDD_OPTION_GENERAL), m_pSettings(NULL) {}

void OptionDocInfo::DoDataExchange(CDataExchange* pDX) {
    CPropertyPage::DoDataExchange(pDX);
    if (m_pSettings == NULL) return;
    ExchangeDocInfo(pDX, m_pSettings, IDC_OPTION_OPEN_AFTER);
    DDX_Text(pDX, IDC_TEMP_DIR, m_pSettings->m_strTempDir);
}

void OptionDocInfo::OnBrowse() {
    CFolderPicker picker;
    GetDlgItemText(IDC_TEMP_DIR, picker.m_strInitial);
    picker.m_strTitle = "Set Temporary Folder";
    if (!picker.Browse()) return;
    SetDlgItemText(IDC_TEMP_DIR, picker.m_strResult);
    UpdateData(TRUE);
}

IMPLEMENT_DYNCREATE(nsDocInfo, CPropertyPage)

BEGIN_MESSAGE_MAP(nsDocInfo, CPropertyPage)
    ON_BN_CLICKED(IDC_PDF_BROWSE, OnBrowse)
END_MESSAGE_MAP()

nsDocInfo::nsDocInfo() : CPropertyPage(IDD_SAVE_TO_PDF), m_pSettings(NULL) {}

void nsDocInfo::DoDataExchange(CDataExchange* pDX) {
    CPropertyPage::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_PDF_FILENAME, m_strFileName);
    ExchangeDocInfo(pDX, m_pSettings, IDC_PDF_OPEN_AFTER);
}

void nsDocInfo::OnBrowse() {
    char szName[1024];
    memset(szName, 0, sizeof(szName));
    if (ShowFileDialog(m_hWnd, "*.pdf", "Adobe Portable Document Format(*.PDF)\0\0", "Save to PDF", szName, 1))
        SetDlgItemText(IDC_PDF_FILENAME, szName);
}

// --- the sheets ------------------------------------------------------------------------

COptionsSheet::COptionsSheet() : CMySheet("Options"), m_pSettings(new CPdfSettings) {
    m_pSettings->m_bSave = TRUE;
    m_pSettings->Load();
    m_pageDocInfo.m_pSettings = m_pSettings;
    m_pagePageSetting.m_pSettings = m_pSettings;
    AddPage(&m_pageDocInfo);
    AddPage(&m_pagePageSetting);
}

COptionsSheet::~COptionsSheet() { delete m_pSettings; }

INT_PTR COptionsSheet::DoModal() {
    INT_PTR nResult = CMySheet::DoModal();
    if (nResult == IDOK) m_pSettings->Save();
    m_pSettings->m_bSave = FALSE;
    return nResult;
}

CSaveToPdfSheet::CSaveToPdfSheet() : CMySheet("Save to PDF"), m_pSettings(new CPdfSettings) {
    m_pSettings->Load();
    m_pSettings->m_bSave = FALSE;
    m_pageDocInfo.m_pSettings = m_pSettings;
    m_pagePageSetting.m_pSettings = m_pSettings;
    AddPage(&m_pageDocInfo);
    AddPage(&m_pagePageSetting);
}

CSaveToPdfSheet::~CSaveToPdfSheet() { delete m_pSettings; }
