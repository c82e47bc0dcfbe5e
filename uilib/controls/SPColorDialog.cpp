// SPColorDialog.cpp - the colour dialog and the child property sheet.
#include "SPColorDialog.h"
#include "SPColorPage.h"
#include "SPGlobalData.h"
#include <vector>

// --- CPropertySheetCtrl -----------------------------------------------------------

IMPLEMENT_DYNAMIC(CPropertySheetCtrl, CPropertySheet)

BEGIN_MESSAGE_MAP(CPropertySheetCtrl, CPropertySheet)
    ON_WM_SIZE()
END_MESSAGE_MAP()

CPropertySheetCtrl::CPropertySheetCtrl(LPCTSTR pszCaption, CWnd* pParentWnd, UINT iSelectPage)
    : CPropertySheet(pszCaption, pParentWnd, iSelectPage), m_hAccel(NULL), m_bAutoDelete(FALSE) {
    m_psh.dwFlags |= PSH_NOAPPLYNOW;
}

CPropertySheetCtrl::~CPropertySheetCtrl() {}

BOOL CPropertySheetCtrl::LoadAccelerators(UINT nIDAccel) {
    m_hAccel = ::LoadAccelerators(AfxGetResourceHandle(), MAKEINTRESOURCE(nIDAccel));
    return m_hAccel != NULL;
}

BOOL CPropertySheetCtrl::PreTranslateMessage(MSG* pMsg) {
    if (m_hAccel != NULL && m_hWnd != NULL && ::TranslateAccelerator(m_hWnd, m_hAccel, pMsg)) return TRUE;
    return CPropertySheet::PreTranslateMessage(pMsg);
}

BOOL CPropertySheetCtrl::OnInitDialog() {
    BOOL bResult = CPropertySheet::OnInitDialog();
    ModifyStyleEx(0, WS_EX_CONTROLPARENT);
    // a sheet inside a dialog has no buttons of its own
    static const int buttons[] = {IDOK, IDCANCEL, ID_APPLY_NOW, IDHELP};
    for (int nID : buttons) {
        HWND hWnd = ::GetDlgItem(m_hWnd, nID);
        if (hWnd != NULL) {
            ::ShowWindow(hWnd, SW_HIDE);
            ::EnableWindow(hWnd, FALSE);
        }
    }
    LayoutControls();
    return bResult;
}

void CPropertySheetCtrl::LayoutControls() {
    if (m_hWnd == NULL) return;
    CTabCtrl* pTab = GetTabControl();
    if (pTab == NULL || pTab->m_hWnd == NULL) return;
    CRect rectClient;
    GetClientRect(rectClient);
    pTab->MoveWindow(rectClient);

    CRect rectTab;
    pTab->GetClientRect(rectTab);
    const int cxEdge = ::GetSystemMetrics(SM_CXEDGE), cyEdge = ::GetSystemMetrics(SM_CYEDGE);
    for (int i = 0; i < GetPageCount(); i++) {
        CPropertyPage* pPage = GetPage(i);
        if (pPage == NULL || pPage->m_hWnd == NULL) continue;
        CRect rectPage;
        pPage->GetWindowRect(rectPage);
        pTab->ScreenToClient(rectPage);
        pPage->SetWindowPos(NULL, 0, 0, rectTab.Width() - 3 * cxEdge, rectTab.Height() - rectPage.top - cyEdge,
                            SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

BOOL CPropertySheetCtrl::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    NMHDR* pNMHDR = (NMHDR*)lParam;
    if (pNMHDR != NULL && pNMHDR->code == TCN_SELCHANGE) {
        // the sheet changes the page first, then the new page is laid out
        *pResult = Default();
        LayoutControls();
        return TRUE;
    }
    return CPropertySheet::OnNotify(wParam, lParam, pResult);
}

void CPropertySheetCtrl::OnSize(UINT, int, int) {
    Default();
    LayoutControls();
}

void CPropertySheetCtrl::PostNcDestroy() {
    CPropertySheet::PostNcDestroy();
    if (m_bAutoDelete) delete this;
}

// --- CSPColorDialog ---------------------------------------------------------------

IMPLEMENT_DYNAMIC(CSPColorDialog, CDialog)

BEGIN_MESSAGE_MAP(CSPColorDialog, CDialog)
    ON_WM_SYSCOLORCHANGE()
    ON_WM_DESTROY()
END_MESSAGE_MAP()

CSPColorDialog::CSPColorDialog(COLORREF clrInit, DWORD, CWnd* pParentWnd, HPALETTE hPal)
    : CDialog(IDD_SP_COLOR_DIALOG, pParentWnd), m_pPropSheet(NULL), m_pColourSheetOne(NULL),
      m_pColourSheetTwo(NULL), m_CurrentColor(clrInit), m_NewColor(clrInit), m_pPalSys(NULL),
      m_bIsMyPalette(FALSE) {
    if (hPal != NULL) m_pPalSys = CPalette::FromHandle(hPal);
}

CSPColorDialog::~CSPColorDialog() {
    delete m_pPropSheet;
    delete m_pColourSheetOne;
    delete m_pColourSheetTwo;
    if (m_bIsMyPalette) delete m_pPalSys;
}

INT_PTR CSPColorDialog::DoModal() {
    CSPResourceScope scope;
    return CDialog::DoModal();
}

void CSPColorDialog::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_SP_PLACEHOLDER, m_wndStaticPlaceHolder);
    DDX_Control(pDX, IDC_SP_COLOR, m_wndColors);
}

void CSPColorDialog::RebuildPalette() {
    if (!m_bIsMyPalette) {
        m_pPalSys = new CPalette;
        m_bIsMyPalette = TRUE;
    }
    m_pPalSys->DeleteObject();

    const int nColors = 256;
    std::vector<BYTE> buffer(sizeof(LOGPALETTE) + nColors * sizeof(PALETTEENTRY), 0);
    LOGPALETTE* pLogPal = (LOGPALETTE*)buffer.data();
    pLogPal->palVersion = 0x300;
    pLogPal->palNumEntries = (WORD)nColors;
    // true-colour displays answer nothing here: the entries stay zero
    HDC hdc = ::GetDC(NULL);
    ::GetSystemPaletteEntries(hdc, 0, nColors, pLogPal->palPalEntry);
    ::ReleaseDC(NULL, hdc);
    m_pPalSys->CreatePalette(pLogPal);
}

BOOL CSPColorDialog::OnInitDialog() {
    CSPResourceScope scope;
    CDialog::OnInitDialog();

    if (spGlobalData.nBitsPerPixel < 8) {
        RunPlatformDialog();
        return TRUE;
    }

    if (m_pPalSys == NULL) RebuildPalette();
    m_wndColors.SetType(CSPColorPickerCtrl::CURRENT);
    m_wndColors.SetPalette(m_pPalSys);
    m_wndColors.SetCompareColor(m_CurrentColor);
    m_wndColors.SetColor(m_NewColor);

    m_pPropSheet = new CPropertySheetCtrl(_T(""));
    m_pColourSheetOne = new CColorPage1;
    m_pColourSheetTwo = new CColorPage2;
    m_pColourSheetOne->m_pDialog = this;
    m_pColourSheetTwo->m_pDialog = this;
    m_pPropSheet->AddPage(m_pColourSheetOne);
    m_pPropSheet->AddPage(m_pColourSheetTwo);
    if (m_pPropSheet->Create(this, WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, 0)) {
        CRect rect;
        m_wndStaticPlaceHolder.GetWindowRect(rect);
        ScreenToClient(rect);
        m_pPropSheet->SetWindowPos(NULL, rect.left, rect.top, rect.Width(), rect.Height(),
                                   SWP_NOZORDER | SWP_NOACTIVATE);
    }

    const BYTE r = GetRValue(m_NewColor), g = GetGValue(m_NewColor), b = GetBValue(m_NewColor);
    SetPageOneColor(r, g, b);
    SetPageTwoColor(r, g, b);
    return TRUE;
}

void CSPColorDialog::RunPlatformDialog() {
    CColorDialog dlg(m_NewColor, CC_FULLOPEN | CC_ANYCOLOR, this);
    INT_PTR nResult = dlg.DoModal();
    m_NewColor = dlg.GetColor();
    EndDialog((int)nResult);
}

void CSPColorDialog::SetCurrentColor(COLORREF rgb) {
    m_NewColor = rgb;
    if (spGlobalData.nBitsPerPixel == 8 && m_pPalSys != NULL && m_pPalSys->GetSafeHandle() != NULL) {
        PALETTEENTRY entry = {};
        UINT nIndex = m_pPalSys->GetNearestPaletteIndex(rgb);
        if (m_pPalSys->GetPaletteEntries(nIndex, 1, &entry) == 1) rgb = RGB(entry.peRed, entry.peGreen, entry.peBlue);
    }
    m_wndColors.SetColor(rgb);
    if (m_wndColors.m_hWnd != NULL) m_wndColors.RedrawWindow();
}

void CSPColorDialog::SetPageOneColor(BYTE r, BYTE g, BYTE b) {
    if (m_pColourSheetOne == NULL) return;
    m_pColourSheetOne->m_hexpicker.SelectColorRGB(r, g, b);
    m_pColourSheetOne->m_hexpicker_greyscale.SelectColorRGB(r, g, b);
}

void CSPColorDialog::SetPageTwoColor(BYTE r, BYTE g, BYTE b) {
    if (m_pColourSheetTwo != NULL) m_pColourSheetTwo->SetRGB(r, g, b);
}

void CSPColorDialog::OnSysColorChange() {
    Default();
    spGlobalData.UpdateSysColors();
    if (!m_bIsMyPalette) return;
    if (spGlobalData.nBitsPerPixel < 8) {
        ShowWindow(SW_HIDE);
        RunPlatformDialog();
    } else {
        RebuildPalette();
        m_wndColors.SetPalette(m_pPalSys);
        Invalidate();
    }
}

void CSPColorDialog::OnDestroy() {
    if (m_bIsMyPalette && m_pPalSys != NULL) {
        m_wndColors.SetPalette(NULL);
        if (m_pColourSheetOne != NULL) {
            m_pColourSheetOne->m_hexpicker.SetPalette(NULL);
            m_pColourSheetOne->m_hexpicker_greyscale.SetPalette(NULL);
        }
        if (m_pColourSheetTwo != NULL) {
            m_pColourSheetTwo->m_wndLuminance.SetPalette(NULL);
            m_pColourSheetTwo->m_wndColorPicker.SetPalette(NULL);
        }
        delete m_pPalSys;
        m_pPalSys = NULL;
        m_bIsMyPalette = FALSE;
    }
    CDialog::OnDestroy();
}
