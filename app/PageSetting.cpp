// PageSetting.cpp - the page-setting page.
#include "PageSetting.h"

#include <errno.h>
#include <float.h>
#include <stdlib.h>
#include <string.h>

#include "PageSetup.h"
#include "PdfSettings.h"

IMPLEMENT_DYNCREATE(CPageSetting, CPropertyPage)

const char* const CPageSetting::s_fieldCodes[3] = {"&PageNo", "&Date", "&URL"};

BEGIN_MESSAGE_MAP(CPageSetting, CPropertyPage)
    ON_CBN_SELCHANGE(IDC_PAPER_SIZE, OnPaperChanged)
    ON_CBN_EDITCHANGE(IDC_PAPER_SIZE, OnPaperChanged)
    ON_CBN_EDITUPDATE(IDC_PAPER_SIZE, OnPaperChanged)
    ON_CBN_SELENDOK(IDC_PAPER_SIZE, OnPaperChanged)
    ON_BN_CLICKED(IDC_UNIT_INCH, OnPaperChanged)
    ON_BN_CLICKED(IDC_UNIT_CM, OnPaperChanged)
    ON_BN_CLICKED(IDC_SIZE_UNIT, OnPaperChanged)
    ON_EN_CHANGE(IDC_PAGE_WIDTH, OnSizeTyped)
    ON_EN_CHANGE(IDC_PAGE_HEIGHT, OnSizeTyped)
END_MESSAGE_MAP()

CPageSetting::CPageSetting() : CPropertyPage(IDD_PAGE_SETTING), m_pSettings(NULL), m_bTyping(FALSE), m_bApplyingPaper(FALSE) {}

namespace {

// What the floating-point exchange accepts: blanks, then digits, sign,
// point and exponent only, then blanks; a finite double.
bool ParseNumber(const CString& text, double& value) {
    CString number(text);
    number.Trim(" \t");
    if (number.IsEmpty()) return false;
    for (int i = 0; i < number.GetLength(); i++)
        if (!strchr("0123456789.+-eE", number[i])) return false;
    char* pEnd = NULL;
    errno = 0;
    const double d = strtod(number, &pEnd);
    if (pEnd == NULL || *pEnd != 0 || errno == ERANGE || d > DBL_MAX || d < -DBL_MAX) return false;
    value = d;
    return true;
}

}  // namespace

void CPageSetting::ExchangeNumber(CDataExchange* pDX, int nIDC, double& value) {
    if (m_bTyping && pDX->m_bSaveAndValidate) {
        CString text;
        GetDlgItemText(nIDC, text);
        ParseNumber(text, value);
        return;
    }
    DDX_Text(pDX, nIDC, value);
}

void CPageSetting::DoDataExchange(CDataExchange* pDX) {
    CPropertyPage::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_FOOT_RIGHT, m_cbFootRight);
    DDX_Control(pDX, IDC_FOOT_CENTER, m_cbFootCenter);
    DDX_Control(pDX, IDC_FOOT_LEFT, m_cbFootLeft);
    DDX_Control(pDX, IDC_HEAD_RIGHT, m_cbHeadRight);
    DDX_Control(pDX, IDC_HEAD_CENTER, m_cbHeadCenter);
    DDX_Control(pDX, IDC_HEAD_LEFT, m_cbHeadLeft);
    DDX_Control(pDX, IDC_PAPER_SIZE, m_cbPaper);
    if (!m_pSettings) return;
    CPdfSettings& s = *m_pSettings;
    // The combo boxes exchange their text as typed: a list selection by
    // prefix would turn an empty field into the first code.
    DDX_Text(pDX, IDC_PAPER_SIZE, s.m_strPageSize);
    DDX_Radio(pDX, IDC_UNIT_INCH, s.m_nPageSizeUnit);
    ExchangeNumber(pDX, IDC_PAGE_WIDTH, s.m_dPageWidth);
    ExchangeNumber(pDX, IDC_PAGE_HEIGHT, s.m_dPageHeight);
    DDX_Radio(pDX, IDC_PORTRAIT, s.m_nOrientation);
    ExchangeNumber(pDX, IDC_MARGIN_LEFT, s.m_dMarginLeft);
    ExchangeNumber(pDX, IDC_MARGIN_RIGHT, s.m_dMarginRight);
    ExchangeNumber(pDX, IDC_MARGIN_TOP, s.m_dMarginTop);
    ExchangeNumber(pDX, IDC_MARGIN_BOTTOM, s.m_dMarginBottom);
    DDX_Text(pDX, IDC_HEAD_LEFT, s.m_strHeadLeft);
    DDX_Text(pDX, IDC_HEAD_CENTER, s.m_strHeadCenter);
    DDX_Text(pDX, IDC_HEAD_RIGHT, s.m_strHeadRight);
    DDX_Check(pDX, IDC_HEADER_SEPARATOR, s.m_nHeaderSeperator);
    DDX_Text(pDX, IDC_FOOT_LEFT, s.m_strFootLeft);
    DDX_Text(pDX, IDC_FOOT_CENTER, s.m_strFootCenter);
    DDX_Text(pDX, IDC_FOOT_RIGHT, s.m_strFootRight);
    DDX_Check(pDX, IDC_FOOTER_SEPARATOR, s.m_nFooterSeperator);
}

BOOL CPageSetting::OnInitDialog() {
    CPropertyPage::OnInitDialog();
    CComboBox* fields[] = {&m_cbHeadLeft, &m_cbHeadCenter, &m_cbHeadRight,
                           &m_cbFootLeft, &m_cbFootCenter, &m_cbFootRight};
    for (CComboBox* pField : fields)
        if (pField->GetCount() == 0)
            for (const char* code : s_fieldCodes) pField->AddString(code);
    if (m_cbPaper.GetCount() == 0)
        for (int i = 0; i < PAPER_SIZE_COUNT; i++) m_cbPaper.InsertString(i, g_PaperSizes[i].name);
    OnPaperChanged();
    return TRUE;
}

void CPageSetting::ReadWhileTyping() {
    m_bTyping = TRUE;
    UpdateData(TRUE);
    m_bTyping = FALSE;
}

CString CPageSetting::PaperText() const {
    CString text;
    const int nSel = m_cbPaper.GetCurSel();
    if (nSel != CB_ERR)
        m_cbPaper.GetLBText(nSel, text);
    else
        m_cbPaper.GetWindowText(text);
    text.Trim(' ');
    return text;
}

int CPageSetting::CurrentUnit() const {
    if (m_pSettings) return m_pSettings->m_nPageSizeUnit;
    return IsDlgButtonChecked(IDC_UNIT_CM) ? 1 : 0;
}

void CPageSetting::OnPaperChanged() {
    if (!m_cbPaper.m_hWnd) return;
    ReadWhileTyping();
    const CString paper = PaperText();
    if (paper.IsEmpty()) return;
    const PaperSizeRow* row = FindPaperSize(paper);
    if (!row) return;
    const BOOL bCm = CurrentUnit() == 1;
    // The paper box already names this paper: the size written here must not
    // select it again, which would replace the text under the user's caret
    // (typing "B5*" would end as "*"), nor show "Custom" between the two.
    m_bApplyingPaper = TRUE;
    SetDlgItemText(IDC_PAGE_WIDTH, bCm ? row->widthCm : row->widthInch);
    SetDlgItemText(IDC_PAGE_HEIGHT, bCm ? row->heightCm : row->heightInch);
    m_bApplyingPaper = FALSE;
}

void CPageSetting::OnSizeTyped() {
    if (!m_cbPaper.m_hWnd) return;
    ReadWhileTyping();
    if (m_bApplyingPaper || PaperText().IsEmpty()) return;
    CString width, height;
    GetDlgItemText(IDC_PAGE_WIDTH, width);
    GetDlgItemText(IDC_PAGE_HEIGHT, height);
    const BOOL bCm = CurrentUnit() == 1;
    for (const PaperSizeRow& row : g_PaperSizes) {
        if (width == (bCm ? row.widthCm : row.widthInch) && height == (bCm ? row.heightCm : row.heightInch)) {
            m_cbPaper.SetCurSel(m_cbPaper.FindStringExact(-1, row.name));
            return;
        }
    }
    m_cbPaper.SetCurSel(-1);
    m_cbPaper.SetWindowText("Custom");
}
