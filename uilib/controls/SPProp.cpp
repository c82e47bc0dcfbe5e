// SPProp.cpp - property items and their kinds.
#include "SPProp.h"
#include "SPPropList.h"
#include "SPGlobalData.h"
#include "SPMaskEdit.h"
#include "SPShellManager.h"
#include <errno.h>
#include <float.h>
#include <math.h>
#include <shlobj.h>
#include <stdio.h>
#include <stdlib.h>

static const TCHAR szErrorText[] = _T("*** error ***");

// --- VARIANT helpers --------------------------------------------------------------

CString SPBstrToString(BSTR bstr) {
    CString str;
    if (bstr == NULL) return str;
    const int nLen = (int)::SysStringLen(bstr);
    if (nLen == 0) return str;
    const int nBytes = ::WideCharToMultiByte(CP_ACP, 0, bstr, nLen, NULL, 0, NULL, NULL);
    if (nBytes <= 0) return str;
    LPTSTR p = str.GetBuffer(nBytes);
    ::WideCharToMultiByte(CP_ACP, 0, bstr, nLen, p, nBytes, NULL, NULL);
    str.ReleaseBuffer(nBytes);
    return str;
}

void SPStringToVariant(LPCTSTR lpsz, VARIANT& var) {
    ::VariantInit(&var);
    if (lpsz == NULL) lpsz = _T("");
    const int nLen = (int)strlen(lpsz);
    const int nWide = ::MultiByteToWideChar(CP_ACP, 0, lpsz, nLen, NULL, 0);
    BSTR bstr = ::SysAllocStringLen(NULL, (UINT)nWide);
    if (bstr == NULL) AfxThrowOleException(E_OUTOFMEMORY);
    if (nWide > 0) ::MultiByteToWideChar(CP_ACP, 0, lpsz, nLen, bstr, nWide);
    var.vt = VT_BSTR;
    var.bstrVal = bstr;
}

static void CopyVariant(VARIANT& varDest, const VARIANT& varSrc) {
    VARIANT varNew;
    ::VariantInit(&varNew);
    HRESULT hr = ::VariantCopy(&varNew, const_cast<VARIANT*>(&varSrc));
    if (FAILED(hr)) AfxThrowOleException(hr);
    ::VariantClear(&varDest);
    varDest = varNew;  // takes over the copy
}

// Equal values of one type (what "the value changed" compares).
static BOOL VariantsEqual(const VARIANT& v1, const VARIANT& v2) {
    if (v1.vt != v2.vt) return FALSE;
    switch (v1.vt & VT_TYPEMASK) {
    case VT_I2: return v1.iVal == v2.iVal;
    case VT_I4: return v1.lVal == v2.lVal;
    case VT_R4: return v1.fltVal == v2.fltVal;
    case VT_R8: return v1.dblVal == v2.dblVal;
    case VT_BOOL: return (v1.boolVal != 0) == (v2.boolVal != 0);
    case VT_BSTR: return SPBstrToString(v1.bstrVal) == SPBstrToString(v2.bstrVal);
    default: return ::VarCmp(const_cast<VARIANT*>(&v1), const_cast<VARIANT*>(&v2), 0, 0) == VARCMP_EQ;
    }
}

// A whole integer within [nMin, nMax], blanks around it allowed.
static BOOL ParseInteger(const CString& str, long nMin, long nMax, long& nValue) {
    LPCTSTR p = str;
    while (*p == ' ' || *p == '\t') p++;
    if (*p == 0) return FALSE;
    char* pEnd = NULL;
    errno = 0;
    long long n = strtoll(p, &pEnd, 10);
    if (pEnd == p || errno == ERANGE) return FALSE;
    while (*pEnd == ' ' || *pEnd == '\t') pEnd++;
    if (*pEnd != 0 || n < nMin || n > nMax) return FALSE;
    nValue = (long)n;
    return TRUE;
}

static BOOL ParseReal(const CString& str, double dblMax, double& dblValue) {
    LPCTSTR p = str;
    while (*p == ' ' || *p == '\t') p++;
    if (*p == 0) return FALSE;
    char* pEnd = NULL;
    errno = 0;
    double d = strtod(p, &pEnd);
    if (pEnd == p) return FALSE;
    while (*pEnd == ' ' || *pEnd == '\t') pEnd++;
    if (*pEnd != 0 || !std::isfinite(d) || fabs(d) > dblMax) return FALSE;
    dblValue = d;
    return TRUE;
}

static void DrawCellText(CDC* pDC, const CString& str, CRect rect, BOOL& bCut) {
    const CSize size = pDC->GetTextExtent(str);
    bCut = size.cx > rect.Width();
    pDC->DrawText(str, rect, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
}

// --- CSPProp ----------------------------------------------------------------------

IMPLEMENT_DYNCREATE(CSPProp, CObject)

CSPProp::CSPProp() : m_lstOptions(10), m_lstSubItems(10) {
    Init();
    ::VariantInit(&m_varValue);
}

CSPProp::CSPProp(const CString& strName, const VARIANT& varValue, LPCTSTR lpszDescr, DWORD dwData,
                 LPCTSTR lpszEditMask, LPCTSTR lpszEditTemplate, LPCTSTR lpszValidChars)
    : m_lstOptions(10), m_lstSubItems(10) {
    Init();
    ::VariantInit(&m_varValue);
    m_strName = strName;
    CopyVariant(m_varValue, varValue);
    m_dwData = dwData;
    m_strDescr = lpszDescr != NULL ? lpszDescr : _T("");
    m_strEditMask = lpszEditMask != NULL ? lpszEditMask : _T("");
    m_strEditTempl = lpszEditTemplate != NULL ? lpszEditTemplate : _T("");
    m_strValidChars = lpszValidChars != NULL ? lpszValidChars : _T("");
    if (GetValueType() == VT_BOOL) {
        m_bAllowEdit = FALSE;
        m_dwFlags = PROP_HAS_LIST;
    }
}

CSPProp::CSPProp(const CString& strGroupName, DWORD dwData) : m_lstOptions(10), m_lstSubItems(10) {
    Init();
    ::VariantInit(&m_varValue);
    m_strName = strGroupName;
    m_dwData = dwData;
    m_bGroup = TRUE;
}

void CSPProp::Init() {
    m_pWndList = NULL;
    m_dwData = 0;
    m_bInPlaceEdit = FALSE;
    m_pWndInPlace = NULL;
    m_pWndCombo = NULL;
    m_Rect.SetRectEmpty();
    m_rectButton.SetRectEmpty();
    m_bButtonIsDown = FALSE;
    m_bGroup = FALSE;
    m_bExpanded = TRUE;
    m_bEnabled = TRUE;
    m_bAllowEdit = TRUE;
    m_dwFlags = 0;
    m_pParent = NULL;
    m_bNameIsTrancated = FALSE;
    m_bValueIsTrancated = FALSE;
}

CSPProp::~CSPProp() {
    OnDestroyWindow();
    while (!m_lstSubItems.IsEmpty()) delete m_lstSubItems.RemoveHead();
    ::VariantClear(&m_varValue);
}

BOOL CSPProp::AddSubItem(CSPProp* pProp) {
    if (pProp == NULL || pProp == this || pProp->IsParentOf(this)) return FALSE;
    if (pProp->m_pParent != NULL || (m_pWndList != NULL && m_pWndList->m_lstProps.Find(pProp) != NULL)) return FALSE;
    pProp->m_pParent = this;
    m_lstSubItems.AddTail(pProp);
    pProp->SetOwnerList(m_pWndList);
    return TRUE;
}

CSPProp* CSPProp::GetSubItem(int nIndex) const {
    if (nIndex < 0 || nIndex >= m_lstSubItems.GetCount()) return NULL;
    return m_lstSubItems.GetAt(m_lstSubItems.FindIndex(nIndex));
}

BOOL CSPProp::AddOption(LPCTSTR lpszOption) {
    if (lpszOption == NULL) return FALSE;
    m_lstOptions.AddTail(lpszOption);
    m_dwFlags |= PROP_HAS_LIST;
    return TRUE;
}

CString CSPProp::GetOption(int nIndex) const {
    if (nIndex < 0 || nIndex >= m_lstOptions.GetCount()) return CString();
    return m_lstOptions.GetAt(m_lstOptions.FindIndex(nIndex));
}

void CSPProp::SetName(LPCTSTR lpszName, BOOL bRedraw) {
    m_strName = lpszName != NULL ? lpszName : _T("");
    if (bRedraw) Redraw();
}

void CSPProp::SetValue(const VARIANT& varValue) {
    if (m_bGroup) return;
    CopyVariant(m_varValue, varValue);
    if (m_pWndInPlace != NULL) SetEditorText(FormatProperty());
    Redraw();
}

void CSPProp::Expand(BOOL bExpand) {
    if (m_bExpanded == bExpand || m_lstSubItems.IsEmpty()) {
        m_bExpanded = bExpand;
        return;
    }
    m_bExpanded = bExpand;
    if (m_pWndList != NULL && m_pWndList->m_hWnd != NULL) {
        // a selected sub-item that disappears gives the selection up
        if (!bExpand && m_pWndList->m_pSel != NULL && m_pWndList->m_pSel != this && IsParentOf(m_pWndList->m_pSel))
            m_pWndList->SetCurSel(this, FALSE);
        m_pWndList->AdjustLayout();
    }
}

void CSPProp::Enable(BOOL bEnable) {
    m_bEnabled = bEnable;
    Redraw();
}

BOOL CSPProp::IsParentOf(const CSPProp* pProp) const {
    for (const CSPProp* p = pProp; p != NULL; p = p->m_pParent)
        if (p == this) return TRUE;
    return FALSE;
}

CSPProp* CSPProp::FindSubItemByData(DWORD dwData) const {
    for (POSITION pos = m_lstSubItems.GetHeadPosition(); pos != NULL;) {
        CSPProp* pProp = m_lstSubItems.GetNext(pos);
        if (pProp->m_dwData == dwData) return pProp;
        CSPProp* pFound = pProp->FindSubItemByData(dwData);
        if (pFound != NULL) return pFound;
    }
    return NULL;
}

void CSPProp::SetOwnerList(CSPPropList* pWndList) {
    m_pWndList = pWndList;
    for (POSITION pos = m_lstSubItems.GetHeadPosition(); pos != NULL;) m_lstSubItems.GetNext(pos)->SetOwnerList(pWndList);
}

void CSPProp::Redraw() {
    if (m_pWndList != NULL && m_pWndList->m_hWnd != NULL) m_pWndList->RedrawProperty(this);
}

BOOL CSPProp::IsEditableType() const {
    switch (GetValueType()) {
    case VT_I2:
    case VT_I4:
    case VT_R4:
    case VT_R8:
    case VT_BSTR:
    case VT_BOOL:
        return !m_bGroup;
    default:
        return FALSE;
    }
}

// --- text -------------------------------------------------------------------------

CString CSPProp::FormatProperty() {
    if (m_bGroup) return CString();
    const VARTYPE vt = GetValueType();
    if (!IsEditableType()) return szErrorText;
    VARIANT var;
    ::VariantInit(&var);
    if (FAILED(::VariantChangeType(&var, &m_varValue, 0, vt))) return szErrorText;
    CString str;
    switch (vt) {
    case VT_I2: str.Format(_T("%d"), (int)var.iVal); break;
    case VT_I4: str.Format(_T("%ld"), (long)var.lVal); break;
    case VT_R4: str.Format(_T("%f"), (double)var.fltVal); break;
    case VT_R8: str.Format(_T("%lf"), var.dblVal); break;
    case VT_BSTR: str = SPBstrToString(var.bstrVal); break;
    case VT_BOOL:
        if (m_pWndList != NULL) str = var.boolVal ? m_pWndList->m_strTrue : m_pWndList->m_strFalse;
        else str = var.boolVal ? _T("True") : _T("False");
        break;
    }
    ::VariantClear(&var);
    return str;
}

BOOL CSPProp::ParseText(const CString& strText, VARIANT& varNew) const {
    ::VariantInit(&varNew);
    switch (GetValueType()) {
    case VT_I2: {
        long n;
        if (!ParseInteger(strText, SHRT_MIN, SHRT_MAX, n)) return FALSE;
        varNew.vt = VT_I2;
        varNew.iVal = (SHORT)n;
        return TRUE;
    }
    case VT_I4: {
        long n;
        if (!ParseInteger(strText, LONG_MIN, LONG_MAX, n)) return FALSE;
        varNew.vt = VT_I4;
        varNew.lVal = n;
        return TRUE;
    }
    case VT_R4: {
        double d;
        if (!ParseReal(strText, FLT_MAX, d)) return FALSE;
        varNew.vt = VT_R4;
        varNew.fltVal = (float)d;
        return TRUE;
    }
    case VT_R8: {
        double d;
        if (!ParseReal(strText, DBL_MAX, d)) return FALSE;
        varNew.vt = VT_R8;
        varNew.dblVal = d;
        return TRUE;
    }
    case VT_BSTR:
        SPStringToVariant(strText, varNew);
        return TRUE;
    case VT_BOOL: {
        const CString strTrue = m_pWndList != NULL ? m_pWndList->m_strTrue : CString(_T("True"));
        BOOL bValue = strText == strTrue || atoi(strText) != 0;
        varNew.vt = VT_BOOL;
        varNew.boolVal = bValue ? VARIANT_TRUE : VARIANT_FALSE;
        return TRUE;
    }
    default:
        return FALSE;
    }
}

CString CSPProp::GetEditorText() const {
    CString str;
    if (m_pWndInPlace != NULL && m_pWndInPlace->m_hWnd != NULL) m_pWndInPlace->GetWindowText(str);
    return str;
}

void CSPProp::SetEditorText(LPCTSTR lpszText) {
    if (m_pWndInPlace != NULL && m_pWndInPlace->m_hWnd != NULL) m_pWndInPlace->SetWindowText(lpszText);
}

BOOL CSPProp::OnUpdateValue() {
    if (m_bGroup || m_pWndInPlace == NULL || m_pWndInPlace->m_hWnd == NULL) return TRUE;
    if (!IsEditableType()) return TRUE;
    VARIANT varNew;
    if (!ParseText(GetEditorText(), varNew)) return FALSE;
    const BOOL bChanged = !VariantsEqual(varNew, m_varValue);
    ::VariantClear(&m_varValue);
    m_varValue = varNew;
    if (bChanged && m_pWndList != NULL) m_pWndList->OnPropertyChanged(this);
    return TRUE;
}

// --- in-place editing -------------------------------------------------------------

CRect CSPProp::GetEditRect() {
    CRect rectEdit;
    if (m_pWndList == NULL) return rectEdit;
    rectEdit = m_Rect;
    rectEdit.left = m_pWndList->m_rectList.left + m_pWndList->m_nLeftColumnWidth + 5;
    rectEdit.DeflateRect(0, 2);
    if (HasButton()) {
        const int nSize = m_pWndList->m_nRowHeight - 3;
        m_rectButton.SetRect(m_Rect.right - nSize, m_Rect.top + 1, m_Rect.right, m_Rect.top + 1 + nSize);
        rectEdit.right = m_rectButton.left;
    }
    return rectEdit;
}

CWnd* CSPProp::CreateInPlaceEdit(CRect rectEdit, BOOL& bDefaultFormat) {
    bDefaultFormat = TRUE;
    DWORD dwStyle = WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL;
    if (!m_bEnabled || !m_bAllowEdit) dwStyle |= ES_READONLY;
    CEdit* pEdit = NULL;
    if (!m_strEditMask.IsEmpty() || !m_strEditTempl.IsEmpty() || !m_strValidChars.IsEmpty()) {
        CSPMaskEdit* pMaskEdit = new CSPMaskEdit;
        pMaskEdit->EnableMask(m_strEditMask, m_strEditTempl, _T(' '));
        pMaskEdit->SetValidChars(m_strValidChars.IsEmpty() ? NULL : (LPCTSTR)m_strValidChars);
        pEdit = pMaskEdit;
    } else {
        pEdit = new CEdit;
    }
    if (!pEdit->Create(dwStyle, rectEdit, m_pWndList, AFX_PROPLIST_ID_INPLACE)) {
        delete pEdit;
        return NULL;
    }
    return pEdit;
}

BOOL CSPProp::OnEdit(LPPOINT) {
    if (m_bGroup || m_pWndList == NULL || m_pWndList->m_hWnd == NULL || !IsEditableType()) return FALSE;
    OnDestroyWindow();
    const CRect rectEdit = GetEditRect();
    BOOL bDefaultFormat = TRUE;
    m_pWndInPlace = CreateInPlaceEdit(rectEdit, bDefaultFormat);
    if (m_pWndInPlace == NULL) return FALSE;
    if (bDefaultFormat) m_pWndInPlace->SetWindowText(FormatProperty());
    m_pWndInPlace->SendMessage(WM_SETFONT, (WPARAM)m_pWndList->GetListFont(), FALSE);
    if (m_dwFlags & PROP_HAS_LIST) {
        CRect rectCombo = m_Rect;
        rectCombo.left = rectEdit.left - 4;
        m_pWndCombo = CreateCombo(m_pWndList, rectCombo);
        if (m_pWndCombo != NULL) {
            m_pWndCombo->SendMessage(WM_SETFONT, (WPARAM)m_pWndList->GetListFont(), FALSE);
            for (POSITION pos = m_lstOptions.GetHeadPosition(); pos != NULL;)
                m_pWndCombo->AddString(m_lstOptions.GetNext(pos));
        }
    }
    m_bInPlaceEdit = TRUE;
    return TRUE;
}

CComboBox* CSPProp::CreateCombo(CWnd* pWndParent, CRect rect) {
    rect.bottom = rect.top + 400;  // room for the dropped list
    CComboBox* pWndCombo = new CComboBox;
    if (!pWndCombo->Create(WS_CHILD | WS_VSCROLL | CBS_DROPDOWNLIST | CBS_NOINTEGRALHEIGHT, rect, pWndParent,
                           AFX_PROPLIST_ID_INPLACE)) {
        delete pWndCombo;
        return NULL;
    }
    return pWndCombo;
}

BOOL CSPProp::OnEndEdit() {
    m_bInPlaceEdit = FALSE;
    m_bButtonIsDown = FALSE;
    OnDestroyWindow();
    return TRUE;
}

void CSPProp::OnDestroyWindow() {
    if (m_pWndCombo != NULL) {
        m_pWndCombo->DestroyWindow();
        delete m_pWndCombo;
        m_pWndCombo = NULL;
    }
    if (m_pWndInPlace != NULL) {
        m_pWndInPlace->DestroyWindow();
        delete m_pWndInPlace;
        m_pWndInPlace = NULL;
    }
}

void CSPProp::OnClickButton(CPoint) {
    if (m_pWndCombo == NULL || m_pWndCombo->m_hWnd == NULL) return;
    m_bButtonIsDown = TRUE;
    Redraw();
    const int nIndex = m_pWndCombo->FindStringExact(-1, GetEditorText());
    m_pWndCombo->SetCurSel(nIndex);
    m_pWndCombo->ShowDropDown(TRUE);
}

BOOL CSPProp::OnDblClick(CPoint) {
    if (m_pWndInPlace == NULL || m_pWndInPlace->m_hWnd == NULL) return FALSE;
    if (m_lstOptions.GetCount() >= 2) {
        const CString strText = GetEditorText();
        POSITION pos = m_lstOptions.Find(strText);
        if (pos != NULL) m_lstOptions.GetNext(pos);
        if (pos == NULL) pos = m_lstOptions.GetHeadPosition();
        SetEditorText(m_lstOptions.GetAt(pos));
        OnUpdateValue();
        return TRUE;
    }
    if (m_dwFlags & PROP_HAS_BUTTON) {
        if (m_pWndList != NULL) m_pWndList->ClickItemButton(this, CPoint(-1, -1));
        else OnClickButton(CPoint(-1, -1));
        return TRUE;
    }
    return FALSE;
}

void CSPProp::OnSelectCombo() {
    if (m_pWndCombo == NULL || m_pWndCombo->m_hWnd == NULL) return;
    const int nSel = m_pWndCombo->GetCurSel();
    if (nSel < 0) return;
    CString str;
    m_pWndCombo->GetLBText(nSel, str);
    SetEditorText(str);
    OnUpdateValue();
}

void CSPProp::OnReleaseButton() {
    m_bButtonIsDown = FALSE;
    Redraw();
    if (m_pWndInPlace != NULL && m_pWndInPlace->m_hWnd != NULL) m_pWndInPlace->SetFocus();
}

BOOL CSPProp::OnSetCursor() const {
    switch (GetValueType()) {
    case VT_I2:
    case VT_I4:
    case VT_R4:
    case VT_R8:
    case VT_BSTR:
        if (m_bGroup) return FALSE;
        ::SetCursor(::LoadCursor(NULL, IDC_IBEAM));
        return TRUE;
    default:
        return FALSE;
    }
}

// With options, a character moves to the next option that starts with it
// (a space to the next option); otherwise, when typing is allowed, it starts
// the editor's text anew.
BOOL CSPProp::PushChar(UINT nChar) {
    if (m_pWndInPlace == NULL || m_pWndInPlace->m_hWnd == NULL) return FALSE;
    if (!m_lstOptions.IsEmpty()) {
        const CString strText = GetEditorText();
        POSITION posCur = m_lstOptions.Find(strText);
        const int nCount = m_lstOptions.GetCount();
        POSITION pos = posCur;
        for (int i = 0; i < nCount; i++) {
            if (pos != NULL) m_lstOptions.GetNext(pos);
            if (pos == NULL) pos = m_lstOptions.GetHeadPosition();
            const CString& strOption = m_lstOptions.GetAt(pos);
            if (nChar == ' ' || (!strOption.IsEmpty() && toupper((BYTE)strOption[0]) == toupper((BYTE)nChar))) {
                if (strOption != strText) {
                    SetEditorText(strOption);
                    OnUpdateValue();
                }
                return TRUE;
            }
        }
        return FALSE;
    }
    if (!m_bEnabled || !m_bAllowEdit) return FALSE;
    m_pWndInPlace->SetWindowText(_T(""));
    m_pWndInPlace->SetFocus();
    m_pWndInPlace->SendMessage(WM_CHAR, nChar, 1);
    return TRUE;
}

CString CSPProp::GetNameTooltip() { return m_bNameIsTrancated ? m_strName : CString(); }

CString CSPProp::GetValueTooltip() { return m_bValueIsTrancated ? FormatProperty() : CString(); }

HBRUSH CSPProp::OnCtlColor(CDC* pDC, UINT) {
    if (!IsEditableType()) return NULL;
    pDC->SetBkColor(::GetSysColor(COLOR_WINDOW));
    pDC->SetTextColor(::GetSysColor(m_bEnabled ? COLOR_WINDOWTEXT : COLOR_GRAYTEXT));
    return ::GetSysColorBrush(COLOR_WINDOW);
}

// --- drawing ----------------------------------------------------------------------

void CSPProp::OnDrawName(CDC* pDC, CRect rect) {
    rect.DeflateRect(2, 0);
    COLORREF clrOld = pDC->SetTextColor(::GetSysColor(m_bEnabled ? COLOR_WINDOWTEXT : COLOR_GRAYTEXT));
    DrawCellText(pDC, m_strName, rect, m_bNameIsTrancated);
    pDC->SetTextColor(clrOld);
}

void CSPProp::OnDrawValue(CDC* pDC, CRect rect) {
    rect.DeflateRect(5, 0, 2, 0);
    COLORREF clrOld = pDC->SetTextColor(::GetSysColor(m_bEnabled ? COLOR_WINDOWTEXT : COLOR_GRAYTEXT));
    DrawCellText(pDC, FormatProperty(), rect, m_bValueIsTrancated);
    pDC->SetTextColor(clrOld);
}

void CSPProp::OnDrawExpandBox(CDC* pDC, CRect rect) {
    const int nBox = std::min(9, std::min(rect.Width(), rect.Height()) - 2);
    if (nBox < 5) return;
    CRect rectBox(CPoint(rect.CenterPoint().x - nBox / 2, rect.CenterPoint().y - nBox / 2), CSize(nBox, nBox));
    pDC->FillSolidRect(rectBox, ::GetSysColor(COLOR_WINDOW));
    pDC->Draw3dRect(rectBox, spGlobalData.clrBtnShadow, spGlobalData.clrBtnShadow);
    const CPoint c = rectBox.CenterPoint();
    pDC->FillSolidRect(rectBox.left + 2, c.y, nBox - 4, 1, ::GetSysColor(COLOR_WINDOWTEXT));
    if (!m_bExpanded) pDC->FillSolidRect(c.x, rectBox.top + 2, 1, nBox - 4, ::GetSysColor(COLOR_WINDOWTEXT));
}

void CSPProp::OnDrawButton(CDC* pDC, CRect rect) {
    if (m_dwFlags & PROP_HAS_LIST) {
        pDC->DrawFrameControl(rect, DFC_SCROLL, DFCS_SCROLLCOMBOBOX | (m_bButtonIsDown ? DFCS_PUSHED : 0));
        return;
    }
    pDC->DrawFrameControl(rect, DFC_BUTTON, DFCS_BUTTONPUSH | (m_bButtonIsDown ? DFCS_PUSHED : 0));
    CRect rectText = rect;
    if (m_bButtonIsDown) rectText.OffsetRect(1, 1);
    COLORREF clrOld = pDC->SetTextColor(::GetSysColor(COLOR_BTNTEXT));
    pDC->DrawText(_T("..."), rectText, DT_SINGLELINE | DT_CENTER | DT_VCENTER | DT_NOPREFIX);
    pDC->SetTextColor(clrOld);
}

// --- CSPColorProp -----------------------------------------------------------------

IMPLEMENT_DYNCREATE(CSPColorProp, CSPProp)

CSPColorProp::CSPColorProp()
    : m_Color(0), m_pPopup(NULL), m_nColumnsNumber(5), m_ColorAutomatic(0) {
    m_varValue.vt = VT_I4;
    m_varValue.lVal = 0;
    m_dwFlags = PROP_HAS_BUTTON;
}

CSPColorProp::CSPColorProp(const CString& strName, const COLORREF& color, CPalette* pPalette, LPCTSTR lpszDescr,
                           DWORD dwData)
    : m_Color(color), m_pPopup(NULL), m_nColumnsNumber(5), m_ColorAutomatic(0) {
    m_strName = strName;
    m_varValue.vt = VT_I4;
    m_varValue.lVal = (LONG)color;
    m_strDescr = lpszDescr != NULL ? lpszDescr : _T("");
    m_dwData = dwData;
    m_dwFlags = PROP_HAS_BUTTON;
    // the popup's colours: the palette's entries
    if (pPalette != NULL && pPalette->GetSafeHandle() != NULL) {
        const int nCount = pPalette->GetEntryCount();
        for (int i = 0; i < nCount; i++) {
            PALETTEENTRY entry;
            if (pPalette->GetPaletteEntries(i, 1, &entry) == 1)
                m_Colors.Add(RGB(entry.peRed, entry.peGreen, entry.peBlue));
        }
    }
}

CSPColorProp::~CSPColorProp() {
    if (m_pPopup != NULL && s_pfnClosePopup != NULL) s_pfnClosePopup(m_pPopup);
}

void CSPColorProp::SetColor(COLORREF color) {
    m_Color = color;
    ::VariantClear(&m_varValue);
    m_varValue.vt = VT_I4;
    m_varValue.lVal = (LONG)color;
    if (m_pWndInPlace != NULL) SetEditorText(FormatProperty());
    Redraw();
}

void CSPColorProp::EnableAutomaticButton(LPCTSTR lpszLabel, COLORREF colorAutomatic, BOOL bEnable) {
    m_ColorAutomatic = colorAutomatic;
    m_strAutoColor = (bEnable && lpszLabel != NULL) ? lpszLabel : _T("");
}

void CSPColorProp::EnableOtherButton(LPCTSTR lpszLabel, BOOL bEnable) {
    m_strOtherColor = (bEnable && lpszLabel != NULL) ? lpszLabel : _T("");
}

CString CSPColorProp::FormatProperty() {
    CString str;
    str.Format(_T("%06x"), (unsigned)m_Color);
    return str;
}

BOOL CSPColorProp::OnUpdateValue() {
    if (m_pWndInPlace == NULL || m_pWndInPlace->m_hWnd == NULL) return TRUE;
    // the whole text must be a colour in hex digits
    CString str = GetEditorText();
    str.TrimLeft();
    str.TrimRight();
    if (str.IsEmpty() || str.GetLength() > 8) return FALSE;
    for (int i = 0; i < str.GetLength(); i++)
        if (!isxdigit((BYTE)str[i])) return FALSE;
    unsigned int nColor = 0;
    if (sscanf(str, "%x", &nColor) != 1 || nColor > 0xFFFFFF) return FALSE;
    if ((COLORREF)nColor != m_Color) {
        m_Color = (COLORREF)nColor;
        m_varValue.lVal = (LONG)nColor;
        if (m_pWndList != NULL) m_pWndList->OnPropertyChanged(this);
    }
    return TRUE;
}

BOOL CSPColorProp::OnEdit(LPPOINT lptClick) {
    if (m_pWndList == NULL || m_pWndList->m_hWnd == NULL) return FALSE;
    OnDestroyWindow();
    CRect rectEdit = GetEditRect();
    rectEdit.left += m_pWndList->m_nRowHeight + 2;  // after the swatch
    (void)lptClick;
    CEdit* pEdit = new CEdit;
    DWORD dwStyle = WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL;
    if (!m_bEnabled || !m_bAllowEdit) dwStyle |= ES_READONLY;
    if (!pEdit->Create(dwStyle, rectEdit, m_pWndList, AFX_PROPLIST_ID_INPLACE)) {
        delete pEdit;
        return FALSE;
    }
    m_pWndInPlace = pEdit;
    pEdit->SetWindowText(FormatProperty());
    pEdit->SendMessage(WM_SETFONT, (WPARAM)m_pWndList->GetListFont(), FALSE);
    m_bInPlaceEdit = TRUE;
    return TRUE;
}

void CSPColorProp::OnDrawValue(CDC* pDC, CRect rect) {
    CRect rectColor = rect;
    rectColor.left += 3;
    rectColor.right = rectColor.left + rect.Height() - 4;
    rectColor.DeflateRect(0, 2);
    pDC->FillSolidRect(rectColor, m_Color);
    pDC->Draw3dRect(rectColor, ::GetSysColor(COLOR_WINDOWTEXT), ::GetSysColor(COLOR_WINDOWTEXT));
    rect.left = rectColor.right + 2;
    CSPProp::OnDrawValue(pDC, rect);
}

void CSPColorProp::OnClickButton(CPoint) {
    m_bButtonIsDown = TRUE;
    Redraw();
    if (!OpenColorPopup()) OnReleaseButton();
}

CColorPopup* (*CSPColorProp::s_pfnOpenPopup)(const PopupRequest&) = NULL;
void (*CSPColorProp::s_pfnClosePopup)(CColorPopup*) = NULL;

// The popup answers through CSPPropList::OnSelectColor and CloseColorPopup.
BOOL CSPColorProp::OpenColorPopup() {
    if (m_pPopup != NULL) return TRUE;
    if (s_pfnOpenPopup == NULL || m_pWndList == NULL || m_pWndList->GetSafeHwnd() == NULL) return FALSE;
    CRect rectValue = m_rectButton;
    rectValue.left = m_pWndList->GetListRect().left + m_pWndList->GetNameColumnWidth();
    m_pWndList->ClientToScreen(rectValue);
    PopupRequest request;
    request.pList = m_pWndList;
    request.pColors = &m_Colors;
    request.color = m_Color;
    request.colorAutomatic = m_ColorAutomatic;
    request.lpszAutoColor = m_strAutoColor;
    request.lpszOtherColor = m_strOtherColor;
    request.nColumns = m_nColumnsNumber;
    request.ptScreen = CPoint(rectValue.left, rectValue.bottom);
    m_pPopup = s_pfnOpenPopup(request);
    return m_pPopup != NULL;
}

BOOL CSPColorProp::OnKillFocus(CWnd*) { return m_pPopup == NULL; }

// --- CSPFileProp ------------------------------------------------------------------

IMPLEMENT_DYNCREATE(CSPFileProp, CSPProp)

// The shell manager's folder browser opened on the initial folder; a
// process that made no shell manager gets one for the call.
static BOOL ShellBrowseForFolder(CString& strFolder, CWnd* pWndParent, LPCTSTR lpszInitialFolder) {
    if (g_pShellManager != NULL) return g_pShellManager->BrowseForFolder(strFolder, pWndParent, lpszInitialFolder);
    CSPShellManager shellManager;
    return shellManager.BrowseForFolder(strFolder, pWndParent, lpszInitialFolder);
}

BOOL (*CSPFileProp::s_pfnBrowseForFolder)(CString&, CWnd*, LPCTSTR) = &ShellBrowseForFolder;

CSPFileProp::CSPFileProp() : m_bIsFolder(FALSE), m_bOpenFileDialog(TRUE), m_dwFileOpenFlags(0) {
    SPStringToVariant(_T(""), m_varValue);
    m_dwFlags = PROP_HAS_BUTTON;
}

CSPFileProp::CSPFileProp(const CString& strName, BOOL bOpenFileDialog, const CString& strFileName,
                         LPCTSTR lpszDefExt, DWORD dwFlags, LPCTSTR lpszFilter, LPCTSTR lpszDescr, DWORD dwData)
    : m_bIsFolder(FALSE), m_bOpenFileDialog(bOpenFileDialog), m_dwFileOpenFlags(dwFlags) {
    m_strName = strName;
    SPStringToVariant(strFileName, m_varValue);
    m_strDefExt = lpszDefExt != NULL ? lpszDefExt : _T("");
    m_strFilter = lpszFilter != NULL ? lpszFilter : _T("");
    m_strDescr = lpszDescr != NULL ? lpszDescr : _T("");
    m_dwData = dwData;
    m_dwFlags = PROP_HAS_BUTTON;
}

CSPFileProp::CSPFileProp(const CString& strName, const CString& strFolderName, DWORD dwData, LPCTSTR lpszDescr)
    : m_bIsFolder(TRUE), m_bOpenFileDialog(TRUE), m_dwFileOpenFlags(0) {
    m_strName = strName;
    SPStringToVariant(strFolderName, m_varValue);
    m_strDescr = lpszDescr != NULL ? lpszDescr : _T("");
    m_dwData = dwData;
    m_dwFlags = PROP_HAS_BUTTON;
}

CSPFileProp::~CSPFileProp() {}

void CSPFileProp::OnClickButton(CPoint) {
    if (m_pWndList == NULL) return;
    m_bButtonIsDown = TRUE;
    Redraw();
    const CString strPath = FormatProperty();
    CString strResult;
    BOOL bOK = FALSE;
    if (m_bIsFolder) {
        bOK = s_pfnBrowseForFolder != NULL && s_pfnBrowseForFolder(strResult, m_pWndList, strPath);
    } else {
        CFileDialog dlg(m_bOpenFileDialog, m_strDefExt.IsEmpty() ? NULL : (LPCTSTR)m_strDefExt, strPath,
                        m_dwFileOpenFlags, m_strFilter.IsEmpty() ? NULL : (LPCTSTR)m_strFilter, m_pWndList);
        bOK = dlg.DoModal() == IDOK;
        if (bOK) strResult = dlg.GetPathName();
    }
    if (bOK) {
        VARIANT var;
        SPStringToVariant(strResult, var);
        ::VariantClear(&m_varValue);
        m_varValue = var;
        SetEditorText(strResult);
        m_pWndList->OnPropertyChanged(this);
    }
    m_bButtonIsDown = FALSE;
    Redraw();
    if (m_pWndInPlace != NULL && m_pWndInPlace->m_hWnd != NULL) m_pWndInPlace->SetFocus();
}

// --- CSPFontProp ------------------------------------------------------------------

IMPLEMENT_DYNCREATE(CSPFontProp, CSPProp)

CSPFontProp::CSPFontProp() : m_lf(), m_dwFontDialogFlags(CF_EFFECTS | CF_SCREENFONTS) {
    SPStringToVariant(_T(""), m_varValue);
    m_bAllowEdit = FALSE;
    m_dwFlags = PROP_HAS_BUTTON;
}

CSPFontProp::CSPFontProp(const CString& strName, LOGFONT& lf, DWORD dwFontDialogFlags, LPCTSTR lpszDescr,
                         DWORD dwData)
    : m_lf(lf), m_dwFontDialogFlags(dwFontDialogFlags) {
    m_strName = strName;
    SPStringToVariant(lf.lfFaceName, m_varValue);
    m_strDescr = lpszDescr != NULL ? lpszDescr : _T("");
    m_dwData = dwData;
    m_bAllowEdit = FALSE;
    m_dwFlags = PROP_HAS_BUTTON;
}

CSPFontProp::~CSPFontProp() {}

void CSPFontProp::OnClickButton(CPoint) {
    if (m_pWndList == NULL) return;
    m_bButtonIsDown = TRUE;
    Redraw();
    CFontDialog dlg(&m_lf, m_dwFontDialogFlags, NULL, m_pWndList);
    if (dlg.DoModal() == IDOK) {
        dlg.GetCurrentFont(&m_lf);
        VARIANT var;
        SPStringToVariant(m_lf.lfFaceName, var);
        ::VariantClear(&m_varValue);
        m_varValue = var;
        SetEditorText(FormatProperty());
        m_pWndList->OnPropertyChanged(this);
    }
    m_bButtonIsDown = FALSE;
    Redraw();
    if (m_pWndInPlace != NULL && m_pWndInPlace->m_hWnd != NULL) m_pWndInPlace->SetFocus();
}
