// winctrl.cpp - the standard controls: creation, owner draw through
// reflection, and the check list box.
#include "afximpl.h"

IMPLEMENT_DYNAMIC(CStatic, CWnd)
IMPLEMENT_DYNAMIC(CButton, CWnd)
IMPLEMENT_DYNAMIC(CEdit, CWnd)
IMPLEMENT_DYNAMIC(CListBox, CWnd)
IMPLEMENT_DYNAMIC(CCheckListBox, CListBox)
IMPLEMENT_DYNAMIC(CComboBox, CWnd)
IMPLEMENT_DYNAMIC(CScrollBar, CWnd)

BOOL CStatic::Create(LPCTSTR lpszText, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
    return CWnd::Create(_T("STATIC"), lpszText, dwStyle, rect, pParentWnd, nID);
}

// --- CButton ------------------------------------------------------------------

BOOL CButton::Create(LPCTSTR lpszCaption, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
    return CWnd::Create(_T("BUTTON"), lpszCaption, dwStyle, rect, pParentWnd, nID);
}

void CButton::DrawItem(LPDRAWITEMSTRUCT) {}

BOOL CButton::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    if (message != WM_DRAWITEM) return CWnd::OnChildNotify(message, wParam, lParam, pResult);
    DrawItem(reinterpret_cast<LPDRAWITEMSTRUCT>(lParam));
    return TRUE;
}

BOOL CEdit::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
    return CWnd::Create(_T("EDIT"), NULL, dwStyle, rect, pParentWnd, nID);
}

BOOL CScrollBar::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
    return CWnd::Create(_T("SCROLLBAR"), NULL, dwStyle, rect, pParentWnd, nID);
}

int CScrollBar::GetScrollLimit() {
    SCROLLINFO info;
    if (!GetScrollInfo(&info, SIF_RANGE | SIF_PAGE)) return 0;
    int nMax = info.nMax;
    if (info.nPage > 0) nMax -= (int)info.nPage - 1;
    return nMax;
}

// --- CListBox ------------------------------------------------------------------

BOOL CListBox::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
    return CWnd::Create(_T("LISTBOX"), NULL, dwStyle, rect, pParentWnd, nID);
}

void CListBox::GetText(int nIndex, CString& rString) const {
    int nLen = GetTextLen(nIndex);
    if (nLen == LB_ERR) {
        rString.Empty();
        return;
    }
    GetText(nIndex, rString.GetBufferSetLength(nLen));
    rString.ReleaseBuffer();
}

UINT CListBox::ItemFromPoint(CPoint pt, BOOL& bOutside) const {
    DWORD dw = (DWORD)SendMessage(LB_ITEMFROMPOINT, 0, MAKELPARAM(pt.x, pt.y));
    bOutside = HIWORD(dw) != 0;
    return LOWORD(dw);
}

// The owner-draw messages a list or combo box gets back from its parent,
// handed to the box's overridables; FALSE for every other message.
template <class TBox>
static BOOL ReflectOwnerDraw(TBox* pBox, UINT message, LPARAM lParam, LRESULT* pResult) {
    switch (message) {
    case WM_DRAWITEM:
        pBox->DrawItem(reinterpret_cast<LPDRAWITEMSTRUCT>(lParam));
        return TRUE;
    case WM_MEASUREITEM:
        pBox->MeasureItem(reinterpret_cast<LPMEASUREITEMSTRUCT>(lParam));
        return TRUE;
    case WM_COMPAREITEM:
        *pResult = pBox->CompareItem(reinterpret_cast<LPCOMPAREITEMSTRUCT>(lParam));
        return TRUE;
    case WM_DELETEITEM:
        pBox->DeleteItem(reinterpret_cast<LPDELETEITEMSTRUCT>(lParam));
        return TRUE;
    default:
        return FALSE;
    }
}

void CListBox::DrawItem(LPDRAWITEMSTRUCT) {}
void CListBox::MeasureItem(LPMEASUREITEMSTRUCT) {}
int CListBox::CompareItem(LPCOMPAREITEMSTRUCT) { return 0; }
void CListBox::DeleteItem(LPDELETEITEMSTRUCT) {}

BOOL CListBox::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    if (ReflectOwnerDraw(this, message, lParam, pResult)) return TRUE;
    return CWnd::OnChildNotify(message, wParam, lParam, pResult);
}

// --- CComboBox -----------------------------------------------------------------

BOOL CComboBox::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
    return CWnd::Create(_T("COMBOBOX"), NULL, dwStyle, rect, pParentWnd, nID);
}

void CComboBox::GetLBText(int nIndex, CString& rString) const {
    int nLen = GetLBTextLen(nIndex);
    if (nLen == CB_ERR) {
        rString.Empty();
        return;
    }
    GetLBText(nIndex, rString.GetBufferSetLength(nLen));
    rString.ReleaseBuffer();
}

void CComboBox::DrawItem(LPDRAWITEMSTRUCT) {}
void CComboBox::MeasureItem(LPMEASUREITEMSTRUCT) {}
int CComboBox::CompareItem(LPCOMPAREITEMSTRUCT) { return 0; }
void CComboBox::DeleteItem(LPDELETEITEMSTRUCT) {}

BOOL CComboBox::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    if (ReflectOwnerDraw(this, message, lParam, pResult)) return TRUE;
    return CWnd::OnChildNotify(message, wParam, lParam, pResult);
}

// --- CCheckListBox --------------------------------------------------------------

// What the item data of a check list box item points to; the caller's item
// data lives inside.
struct AFX_CHECK_DATA {
    int m_nCheck;
    BOOL m_bEnabled;
    DWORD_PTR m_dwUserData;
};

BEGIN_MESSAGE_MAP(CCheckListBox, CListBox)
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_KEYDOWN()
    ON_MESSAGE(LB_ADDSTRING, OnLBAddString)
    ON_MESSAGE(LB_INSERTSTRING, OnLBInsertString)
    ON_MESSAGE(LB_GETITEMDATA, OnLBGetItemData)
    ON_MESSAGE(LB_SETITEMDATA, OnLBSetItemData)
END_MESSAGE_MAP()

CCheckListBox::CCheckListBox() : m_nStyle(BS_AUTOCHECKBOX) {}

BOOL CCheckListBox::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
    return CListBox::Create(dwStyle, rect, pParentWnd, nID);
}

BOOL CCheckListBox::PreCreateWindow(CREATESTRUCT& cs) {
    // owner drawn with strings; the fixed height suits the check boxes
    if (!(cs.style & (LBS_OWNERDRAWFIXED | LBS_OWNERDRAWVARIABLE))) cs.style |= LBS_OWNERDRAWFIXED;
    cs.style |= LBS_HASSTRINGS;
    return CListBox::PreCreateWindow(cs);
}

int CCheckListBox::CheckBoxSize() const { return 13; }

void CCheckListBox::PreSubclassWindow() {
    CListBox::PreSubclassWindow();
    // A window being created has no items yet (and does not answer yet).
    if (AfxIsWindowCreationUnderWay()) return;
    if (GetStyle() & LBS_OWNERDRAWFIXED) {
        int nHeight = GetItemHeight(0);
        if (nHeight != LB_ERR && nHeight < CheckBoxSize() + 2) SetItemHeight(0, CheckBoxSize() + 2);
    }
    // Items that exist already (a dialog's list with init data) get their
    // check data; their own item data moves inside it.
    int nCount = GetCount();
    for (int i = 0; i < nCount; i++) {
        LRESULT lData = ::SendMessage(m_hWnd, LB_GETITEMDATA, i, 0);
        AFX_CHECK_DATA* pData = new AFX_CHECK_DATA{0, TRUE, (DWORD_PTR)(lData == LB_ERR ? 0 : lData)};
        ::SendMessage(m_hWnd, LB_SETITEMDATA, i, (LPARAM)pData);
    }
}

static AFX_CHECK_DATA* CheckDataOf(CCheckListBox* pList, int nIndex) {
    LRESULT lResult = pList->DefWindowProc(LB_GETITEMDATA, nIndex, 0);
    if (lResult == LB_ERR || lResult == 0) return NULL;
    return reinterpret_cast<AFX_CHECK_DATA*>(lResult);
}

static void AttachCheckData(CCheckListBox* pList, LRESULT nIndex) {
    if (nIndex < 0) return;
    AFX_CHECK_DATA* pData = new AFX_CHECK_DATA{0, TRUE, 0};
    pList->DefWindowProc(LB_SETITEMDATA, (WPARAM)nIndex, (LPARAM)pData);
}

LRESULT CCheckListBox::OnLBAddString(WPARAM wParam, LPARAM lParam) {
    LRESULT lResult = DefWindowProc(LB_ADDSTRING, wParam, lParam);
    AttachCheckData(this, lResult);
    return lResult;
}

LRESULT CCheckListBox::OnLBInsertString(WPARAM wParam, LPARAM lParam) {
    LRESULT lResult = DefWindowProc(LB_INSERTSTRING, wParam, lParam);
    AttachCheckData(this, lResult);
    return lResult;
}

LRESULT CCheckListBox::OnLBGetItemData(WPARAM wParam, LPARAM) {
    LRESULT lResult = DefWindowProc(LB_GETITEMDATA, wParam, 0);
    if (lResult == LB_ERR) return LB_ERR;
    AFX_CHECK_DATA* pData = reinterpret_cast<AFX_CHECK_DATA*>(lResult);
    return pData != NULL ? (LRESULT)pData->m_dwUserData : 0;
}

LRESULT CCheckListBox::OnLBSetItemData(WPARAM wParam, LPARAM lParam) {
    AFX_CHECK_DATA* pData = CheckDataOf(this, (int)wParam);
    if (pData == NULL) {
        if ((int)wParam < 0 || (int)wParam >= GetCount()) return LB_ERR;
        AttachCheckData(this, (LRESULT)wParam);
        pData = CheckDataOf(this, (int)wParam);
        if (pData == NULL) return LB_ERR;
    }
    pData->m_dwUserData = (DWORD_PTR)lParam;
    return 0;
}

void CCheckListBox::DeleteItem(LPDELETEITEMSTRUCT lpDeleteItemStruct) {
    delete reinterpret_cast<AFX_CHECK_DATA*>(lpDeleteItemStruct->itemData);
}

void CCheckListBox::SetCheck(int nIndex, int nCheck) {
    AFX_CHECK_DATA* pData = CheckDataOf(this, nIndex);
    if (pData == NULL) return;
    if (nCheck == 2 && m_nStyle != BS_AUTO3STATE && m_nStyle != BS_3STATE) nCheck = 1;
    pData->m_nCheck = nCheck;
    CRect rect;
    if (GetItemRect(nIndex, &rect) != LB_ERR) InvalidateRect(&rect, FALSE);
}

int CCheckListBox::GetCheck(int nIndex) {
    AFX_CHECK_DATA* pData = CheckDataOf(this, nIndex);
    return pData != NULL ? pData->m_nCheck : 0;
}

void CCheckListBox::Enable(int nIndex, BOOL bEnabled) {
    AFX_CHECK_DATA* pData = CheckDataOf(this, nIndex);
    if (pData == NULL) return;
    pData->m_bEnabled = bEnabled;
    CRect rect;
    if (GetItemRect(nIndex, &rect) != LB_ERR) InvalidateRect(&rect, FALSE);
}

BOOL CCheckListBox::IsEnabled(int nIndex) {
    AFX_CHECK_DATA* pData = CheckDataOf(this, nIndex);
    return pData != NULL ? pData->m_bEnabled : FALSE;
}

CRect CCheckListBox::GetCheckRect(int nIndex) const {
    CRect rectItem;
    if (const_cast<CCheckListBox*>(this)->GetItemRect(nIndex, &rectItem) == LB_ERR) return CRect();
    int nSize = CheckBoxSize();
    int nTop = rectItem.top + (rectItem.Height() - nSize) / 2;
    return CRect(rectItem.left + 1, nTop, rectItem.left + 1 + nSize, nTop + nSize);
}

void CCheckListBox::ToggleAt(int nIndex) {
    if (!IsEnabled(nIndex)) return;
    int nCheck = GetCheck(nIndex);
    if (m_nStyle == BS_AUTO3STATE || m_nStyle == BS_3STATE)
        nCheck = (nCheck + 1) % 3;
    else
        nCheck = nCheck ? 0 : 1;
    SetCheck(nIndex, nCheck);
    HWND hWndParent = ::GetParent(m_hWnd);
    if (hWndParent != NULL)
        ::SendMessage(hWndParent, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(), CLBN_CHKCHANGE), (LPARAM)m_hWnd);
}

void CCheckListBox::OnLButtonDown(UINT nFlags, CPoint point) {
    SetFocus();
    BOOL bOutside = TRUE;
    int nIndex = (int)ItemFromPoint(point, bOutside);
    if (!bOutside && GetCheckRect(nIndex).PtInRect(point)) {
        // a click on the box toggles it and selects the item
        if ((GetStyle() & (LBS_MULTIPLESEL | LBS_EXTENDEDSEL)) == 0 && GetCurSel() != nIndex) {
            SetCurSel(nIndex);
            HWND hWndParent = ::GetParent(m_hWnd);
            if (hWndParent != NULL)
                ::SendMessage(hWndParent, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(), LBN_SELCHANGE), (LPARAM)m_hWnd);
        }
        ToggleAt(nIndex);
        return;
    }
    CListBox::OnLButtonDown(nFlags, point);
}

void CCheckListBox::OnLButtonDblClk(UINT nFlags, CPoint point) {
    BOOL bOutside = TRUE;
    int nIndex = (int)ItemFromPoint(point, bOutside);
    if (!bOutside && GetCheckRect(nIndex).PtInRect(point)) {
        ToggleAt(nIndex);
        return;
    }
    CListBox::OnLButtonDblClk(nFlags, point);
}

void CCheckListBox::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) {
    if (nChar == VK_SPACE) {
        int nIndex = (int)SendMessage(LB_GETCARETINDEX);
        if (nIndex != LB_ERR) {
            ToggleAt(nIndex);
            return;
        }
    }
    CListBox::OnKeyDown(nChar, nRepCnt, nFlags);
}

void CCheckListBox::MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct) {
    if ((int)lpMeasureItemStruct->itemHeight < CheckBoxSize() + 2)
        lpMeasureItemStruct->itemHeight = CheckBoxSize() + 2;
}

void CCheckListBox::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) {
    if ((int)lpDrawItemStruct->itemID < 0) return;
    CDC* pDC = CDC::FromHandle(lpDrawItemStruct->hDC);
    CSaveDC save(pDC);
    CRect rectItem = lpDrawItemStruct->rcItem;
    AFX_CHECK_DATA* pData = reinterpret_cast<AFX_CHECK_DATA*>(lpDrawItemStruct->itemData);
    int nCheck = pData != NULL ? pData->m_nCheck : 0;
    BOOL bEnabled = IsWindowEnabled() && (pData == NULL || pData->m_bEnabled);

    // the box
    int nSize = CheckBoxSize();
    CRect rectBox(rectItem.left + 1, rectItem.top + (rectItem.Height() - nSize) / 2, rectItem.left + 1 + nSize,
                  rectItem.top + (rectItem.Height() - nSize) / 2 + nSize);
    pDC->FillSolidRect(CRect(rectItem.left, rectItem.top, rectBox.right + 2, rectItem.bottom),
                       ::GetSysColor(COLOR_WINDOW));
    UINT nState = DFCS_BUTTONCHECK | (nCheck == 1 ? DFCS_CHECKED : 0) | (bEnabled ? 0 : DFCS_INACTIVE);
    if (nCheck == 2) nState = DFCS_BUTTON3STATE | DFCS_CHECKED | (bEnabled ? 0 : DFCS_INACTIVE);
    pDC->DrawFrameControl(rectBox, DFC_BUTTON, nState);

    // the text
    CRect rectText = rectItem;
    rectText.left = rectBox.right + 3;
    BOOL bSelected = (lpDrawItemStruct->itemState & ODS_SELECTED) != 0;
    COLORREF clrBack = ::GetSysColor(bSelected ? COLOR_HIGHLIGHT : COLOR_WINDOW);
    COLORREF clrText = ::GetSysColor(!bEnabled ? COLOR_GRAYTEXT : bSelected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT);
    pDC->FillSolidRect(rectText, clrBack);
    pDC->SetBkMode(TRANSPARENT);
    pDC->SetTextColor(clrText);
    CString strText;
    GetText((int)lpDrawItemStruct->itemID, strText);
    CRect rectDraw = rectText;
    rectDraw.left += 1;
    pDC->DrawText(strText, rectDraw, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    if (lpDrawItemStruct->itemState & ODS_FOCUS) pDC->DrawFocusRect(rectText);
}

BOOL CCheckListBox::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    return CListBox::OnChildNotify(message, wParam, lParam, pResult);
}
