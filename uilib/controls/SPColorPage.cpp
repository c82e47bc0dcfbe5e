// SPColorPage.cpp - the "Standard" and "Custom" pages of the colour dialog.
#include "SPColorPage.h"
#include "SPDrawEffects.h"
#include <stdlib.h>

// --- CColorPage1 ------------------------------------------------------------------

IMPLEMENT_DYNAMIC(CColorPage1, CPropertyPage)

BEGIN_MESSAGE_MAP(CColorPage1, CPropertyPage)
    ON_BN_CLICKED(IDC_SP_HEXPLACEHOLDER, OnHexColor)
    ON_BN_CLICKED(IDC_SP_GREY, OnGreyscale)
END_MESSAGE_MAP()

CColorPage1::CColorPage1() : CPropertyPage(IDD_SP_COLOR_PAGE_ONE), m_pDialog(NULL) {}

void CColorPage1::DoDataExchange(CDataExchange* pDX) {
    CPropertyPage::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_SP_HEXPLACEHOLDER, m_hexpicker);
    DDX_Control(pDX, IDC_SP_GREY, m_hexpicker_greyscale);
}

BOOL CColorPage1::OnInitDialog() {
    CPropertyPage::OnInitDialog();
    CPalette* pPalette = m_pDialog != NULL ? m_pDialog->GetPalette() : NULL;
    m_hexpicker.SetPalette(pPalette);
    m_hexpicker.SetType(CSPColorPickerCtrl::HEX);
    m_hexpicker_greyscale.SetPalette(pPalette);
    m_hexpicker_greyscale.SetType(CSPColorPickerCtrl::HEX_GREYSCALE);
    return TRUE;
}

void CColorPage1::OnPick(CSPColorPickerCtrl& picker) {
    if (m_pDialog == NULL) return;
    const COLORREF color = picker.GetColor();
    m_pDialog->SetCurrentColor(color);
    m_pDialog->SetPageTwoColor(GetRValue(color), GetGValue(color), GetBValue(color));
}

void CColorPage1::OnHexColor() { OnPick(m_hexpicker); }
void CColorPage1::OnGreyscale() { OnPick(m_hexpicker_greyscale); }

// --- CColorPage2 ------------------------------------------------------------------

IMPLEMENT_DYNAMIC(CColorPage2, CPropertyPage)

BEGIN_MESSAGE_MAP(CColorPage2, CPropertyPage)
    ON_EN_CHANGE(IDC_SP_RED, OnRGBChanged)
    ON_EN_CHANGE(IDC_SP_GREEN, OnRGBChanged)
    ON_EN_CHANGE(IDC_SP_BLUE, OnRGBChanged)
    ON_EN_CHANGE(IDC_SP_HUE, OnHLSChanged)
    ON_EN_CHANGE(IDC_SP_SAT, OnHLSChanged)
    ON_EN_CHANGE(IDC_SP_LUM, OnHLSChanged)
    ON_BN_CLICKED(IDC_SP_LUMINANCE, OnLuminance)
    ON_BN_CLICKED(IDC_SP_COLOR, OnColorPicker)
    ON_BN_DOUBLECLICKED(IDC_SP_LUMINANCE, OnDoubleClickPicker)
    ON_BN_DOUBLECLICKED(IDC_SP_COLOR, OnDoubleClickPicker)
END_MESSAGE_MAP()

CColorPage2::CColorPage2()
    : CPropertyPage(IDD_SP_COLOR_PAGE_TWO), m_r(0), m_b(0), m_g(0), m_l(0), m_h(0), m_s(0), m_pDialog(NULL),
      m_bIsReady(FALSE), m_bInUpdate(FALSE) {}

void CColorPage2::DoDataExchange(CDataExchange* pDX) {
    CPropertyPage::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_SP_LUMINANCE, m_wndLuminance);
    DDX_Control(pDX, IDC_SP_COLOR, m_wndColorPicker);
    DDX_Text(pDX, IDC_SP_RED, m_r);
    DDV_MinMaxInt(pDX, m_r, 0, 255);
    DDX_Text(pDX, IDC_SP_BLUE, m_b);
    DDV_MinMaxInt(pDX, m_b, 0, 255);
    DDX_Text(pDX, IDC_SP_GREEN, m_g);
    DDV_MinMaxInt(pDX, m_g, 0, 255);
    DDX_Text(pDX, IDC_SP_LUM, m_l);
    DDV_MinMaxUInt(pDX, m_l, 0, 255);
    DDX_Text(pDX, IDC_SP_HUE, m_h);
    DDV_MinMaxUInt(pDX, m_h, 0, 255);
    DDX_Text(pDX, IDC_SP_SAT, m_s);
    DDV_MinMaxUInt(pDX, m_s, 0, 255);
}

BOOL CColorPage2::OnInitDialog() {
    m_bInUpdate = TRUE;  // the first exchange fills the fields
    CPropertyPage::OnInitDialog();
    m_bInUpdate = FALSE;
    CPalette* pPalette = m_pDialog != NULL ? m_pDialog->GetPalette() : NULL;
    m_wndColorPicker.SetType(CSPColorPickerCtrl::PICKER);
    m_wndColorPicker.SetPalette(pPalette);
    m_wndLuminance.SetType(CSPColorPickerCtrl::LUMINANCE);
    m_wndLuminance.SetLuminanceBarWidth(14);
    m_wndLuminance.SetPalette(pPalette);

    double dblHue, dblLum, dblSat;
    m_wndColorPicker.GetHLS(dblHue, dblLum, dblSat);
    m_wndLuminance.SetHLS(dblHue, dblLum, dblSat, TRUE);

    static const int spins[] = {IDC_SP_HUESPIN, IDC_SP_SATSPIN, IDC_SP_LUMSPIN,
                                IDC_SP_REDSPIN, IDC_SP_GREENSPIN, IDC_SP_BLUESPIN};
    for (int nID : spins) SendDlgItemMessage(nID, UDM_SETRANGE32, 0, 255);
    m_bIsReady = TRUE;
    return TRUE;
}

static int ToField(double dbl) { return std::min((int)(dbl * 255 + 0.5), 255); }

void CColorPage2::SetRGB(BYTE r, BYTE g, BYTE b) {
    double dblHue, dblLum, dblSat;
    CSPDrawEffects::RGBToHLS(RGB(r, g, b), &dblHue, &dblLum, &dblSat);
    m_wndColorPicker.SetHLS(dblHue, dblLum, dblSat, TRUE);
    m_wndLuminance.SetHLS(dblHue, dblLum, dblSat, TRUE);
    m_r = r;
    m_g = g;
    m_b = b;
    m_h = ToField(dblHue);
    m_s = ToField(dblSat);
    m_l = ToField(dblLum);
    ShowFields();
}

void CColorPage2::ShowFields() {
    if (m_hWnd == NULL) return;
    m_bInUpdate = TRUE;
    SetDlgItemInt(IDC_SP_RED, m_r, TRUE);
    SetDlgItemInt(IDC_SP_GREEN, m_g, TRUE);
    SetDlgItemInt(IDC_SP_BLUE, m_b, TRUE);
    SetDlgItemInt(IDC_SP_HUE, m_h, FALSE);
    SetDlgItemInt(IDC_SP_SAT, m_s, FALSE);
    SetDlgItemInt(IDC_SP_LUM, m_l, FALSE);
    m_bInUpdate = FALSE;
}

BOOL CColorPage2::ReadField(int nID, int& nValue) const {
    CString str;
    GetDlgItemText(nID, str);
    str.TrimLeft();
    str.TrimRight();
    if (str.IsEmpty() || str.GetLength() > 3) return FALSE;
    for (int i = 0; i < str.GetLength(); i++)
        if (str[i] < '0' || str[i] > '9') return FALSE;
    nValue = atoi(str);
    return nValue <= 255;
}

void CColorPage2::Publish(COLORREF color) {
    if (m_pDialog == NULL) return;
    m_pDialog->SetCurrentColor(color);
    m_pDialog->SetPageOneColor(GetRValue(color), GetGValue(color), GetBValue(color));
}

// A field that is not (yet) a number within 0..255 changes nothing: the
// range is enforced when the page's data is exchanged.
void CColorPage2::OnRGBChanged() {
    if (!m_bIsReady || m_bInUpdate) return;
    int r, g, b;
    if (!ReadField(IDC_SP_RED, r) || !ReadField(IDC_SP_GREEN, g) || !ReadField(IDC_SP_BLUE, b)) return;
    const COLORREF color = RGB(r, g, b);
    double dblHue, dblLum, dblSat;
    CSPDrawEffects::RGBToHLS(color, &dblHue, &dblLum, &dblSat);
    m_wndColorPicker.SetHLS(dblHue, dblLum, dblSat, TRUE);
    m_wndLuminance.SetHLS(dblHue, dblLum, dblSat, TRUE);
    m_r = r, m_g = g, m_b = b;
    m_h = ToField(dblHue), m_s = ToField(dblSat), m_l = ToField(dblLum);
    ShowFields();
    Publish(color);
}

void CColorPage2::OnHLSChanged() {
    if (!m_bIsReady || m_bInUpdate) return;
    int h, s, l;
    if (!ReadField(IDC_SP_HUE, h) || !ReadField(IDC_SP_SAT, s) || !ReadField(IDC_SP_LUM, l)) return;
    const double dblHue = std::min((h + 0.5) / 255, 1.0);
    const double dblSat = std::min((s + 0.5) / 255, 1.0);
    const double dblLum = std::min((l + 0.5) / 255, 1.0);
    m_wndColorPicker.SetHLS(dblHue, dblLum, dblSat, TRUE);
    m_wndLuminance.SetHLS(dblHue, dblLum, dblSat, TRUE);
    const COLORREF color = m_wndLuminance.GetColor();
    m_h = h, m_s = s, m_l = l;
    m_r = GetRValue(color), m_g = GetGValue(color), m_b = GetBValue(color);
    ShowFields();
    Publish(color);
}

void CColorPage2::OnLuminance() {
    double dblHue, dblLum, dblSat;
    m_wndLuminance.GetHLS(dblHue, dblLum, dblSat);
    m_wndColorPicker.SetHLS(-1.0, dblLum, -1.0, TRUE);
    const COLORREF color = m_wndLuminance.GetColor();
    m_r = GetRValue(color), m_g = GetGValue(color), m_b = GetBValue(color);
    m_h = ToField(dblHue), m_s = ToField(dblSat), m_l = ToField(dblLum);
    ShowFields();
    Publish(color);
}

void CColorPage2::OnColorPicker() {
    double dblHue, dblLum, dblSat;
    m_wndColorPicker.GetHLS(dblHue, dblLum, dblSat);
    double dblHue2, dblLumBar, dblSat2;
    m_wndLuminance.GetHLS(dblHue2, dblLumBar, dblSat2);
    // the spectrum picks hue and saturation; the bar keeps the luminance
    m_wndLuminance.SetHLS(dblHue, dblLumBar, dblSat, TRUE);
    m_wndColorPicker.SetHLS(-1.0, dblLumBar, -1.0, FALSE);
    const COLORREF color = m_wndLuminance.GetColor();
    m_r = GetRValue(color), m_g = GetGValue(color), m_b = GetBValue(color);
    m_h = ToField(dblHue), m_s = ToField(dblSat), m_l = ToField(dblLumBar);
    ShowFields();
    Publish(color);
}

void CColorPage2::OnDoubleClickPicker() {
    if (m_pDialog != NULL && m_pDialog->m_hWnd != NULL) m_pDialog->EndDialog(IDOK);
}
