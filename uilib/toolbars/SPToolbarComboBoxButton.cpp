// SPToolbarComboBoxButton.cpp - CSPToolbarComboBoxButton and CSPComboEdit.
#include "SPToolbarComboBoxButton.h"

#include "SPGlobalData.h"
#include "SPMenuImages.h"
#include "SPToolBar.h"
#include "SPToolbarState.h"
#include "SPVisualManager.h"

#include <mbstring.h>

IMPLEMENT_SERIAL(CSPToolbarComboBoxButton, CSPToolbarButton, VERSIONABLE_SCHEMA | 1)

BOOL CSPToolbarComboBoxButton::m_bFlat = TRUE;

namespace {

const DWORD dwComboBaseStyle = WS_CHILD | WS_VISIBLE | WS_VSCROLL;
const DWORD dwDefaultComboStyle = dwComboBaseStyle | CBS_NOINTEGRALHEIGHT | CBS_DROPDOWNLIST;
const int nDefaultWidth = 150;

bool IsWindowOrChild(const CWnd* pWnd, HWND hwnd) {
    if (pWnd == NULL || pWnd->GetSafeHwnd() == NULL || hwnd == NULL) return false;
    return hwnd == pWnd->GetSafeHwnd() || ::IsChild(pWnd->GetSafeHwnd(), hwnd);
}

void DestroyAndDelete(CWnd*& pWnd) {
    if (pWnd == NULL) return;
    if (pWnd->GetSafeHwnd() != NULL) pWnd->DestroyWindow();
    delete pWnd;
    pWnd = NULL;
}

}  // namespace

// --- construction ------------------------------------------------------------------------

void CSPToolbarComboBoxButton::Initialize() {
    m_pWndCombo = NULL;
    m_pWndEdit = NULL;
    m_iSelIndex = -1;
    m_bHorz = TRUE;
    m_rectCombo.SetRectEmpty();
    m_rectButton.SetRectEmpty();
    m_nDropDownHeight = 150;
    m_bIsHotEdit = FALSE;
    m_sizeText = CSize(0, 0);
}

CSPToolbarComboBoxButton::CSPToolbarComboBoxButton()
    : m_dwStyle(dwDefaultComboStyle), m_lstItems(10), m_lstItemData(10), m_iWidth(nDefaultWidth) {
    Initialize();
}

CSPToolbarComboBoxButton::CSPToolbarComboBoxButton(UINT uiID, int iImage, DWORD dwStyle, int iWidth)
    : CSPToolbarButton(uiID, iImage),
      m_dwStyle(dwStyle | dwComboBaseStyle),
      m_lstItems(10),
      m_lstItemData(10),
      m_iWidth(iWidth == 0 ? nDefaultWidth : iWidth) {
    Initialize();
}

CSPToolbarComboBoxButton::~CSPToolbarComboBoxButton() { DestroyWindows(); }

void CSPToolbarComboBoxButton::DestroyWindows() {
    CWnd* pCombo = m_pWndCombo;
    CWnd* pEdit = m_pWndEdit;
    m_pWndCombo = NULL;
    m_pWndEdit = NULL;
    DestroyAndDelete(pCombo);
    DestroyAndDelete(pEdit);
}

// --- items -------------------------------------------------------------------------------

int CSPToolbarComboBoxButton::AddItem(LPCTSTR lpszItem, DWORD dwData) {
    if (lpszItem == NULL) return -1;
    if (m_strEdit.IsEmpty()) {
        m_strEdit = lpszItem;
        if (m_pWndEdit != NULL) m_pWndEdit->SetWindowText(m_strEdit);
    }
    if (m_lstItems.Find(lpszItem) == NULL) {
        m_lstItems.AddTail(lpszItem);
        m_lstItemData.AddTail(dwData);
    }
    if (m_pWndCombo != NULL) {
        int iIndex = m_pWndCombo->FindStringExact(-1, lpszItem);
        if (iIndex == CB_ERR) iIndex = m_pWndCombo->AddString(lpszItem);
        m_pWndCombo->SetCurSel(iIndex);
        m_pWndCombo->SetItemData(iIndex, dwData);
        m_pWndCombo->SetEditSel(-1, 0);
    }
    return GetCount() - 1;
}

LPCTSTR CSPToolbarComboBoxButton::GetItem(int iIndex) const {
    if (iIndex == -1) iIndex = m_pWndCombo != NULL ? m_pWndCombo->GetCurSel() : m_iSelIndex;
    if (!IsValidIndex(iIndex)) return NULL;
    // The stored string itself, so that the pointer outlives this call.
    CStringList& lstItems = const_cast<CStringList&>(m_lstItems);
    POSITION pos = lstItems.FindIndex(iIndex);
    return pos != NULL ? (LPCTSTR)lstItems.GetAt(pos) : NULL;
}

DWORD CSPToolbarComboBoxButton::GetItemData(int iIndex) const {
    if (iIndex == -1) iIndex = m_pWndCombo != NULL ? m_pWndCombo->GetCurSel() : m_iSelIndex;
    if (iIndex < 0) return 0;
    if (m_pWndCombo != NULL) {
        const DWORD_PTR dwData = m_pWndCombo->GetItemData(iIndex);
        return dwData == (DWORD_PTR)CB_ERR ? 0 : (DWORD)dwData;
    }
    POSITION pos = m_lstItemData.FindIndex(iIndex);
    return pos != NULL ? m_lstItemData.GetAt(pos) : 0;
}

BOOL CSPToolbarComboBoxButton::SelectItem(int iIndex, BOOL bNotify) {
    if (!IsValidIndex(iIndex)) return FALSE;
    m_iSelIndex = iIndex;
    if (m_pWndCombo == NULL) {
        m_strEdit = GetItem(iIndex);
        return TRUE;
    }
    CString strText;
    m_pWndCombo->GetLBText(iIndex, strText);
    m_strEdit = strText;
    if (m_pWndEdit != NULL) {
        CString strOld;
        m_pWndEdit->GetWindowText(strOld);
        if (strOld != m_strEdit) m_pWndEdit->SetWindowText(m_strEdit);
    }
    if (m_pWndCombo->GetCurSel() == iIndex) return TRUE;
    if (m_pWndCombo->SetCurSel(iIndex) == CB_ERR) return FALSE;
    if (bNotify) NotifyCommand(CBN_SELENDOK);
    return TRUE;
}

int CSPToolbarComboBoxButton::FindItem(DWORD dwData) const {
    int i = 0;
    for (POSITION pos = m_lstItemData.GetHeadPosition(); pos != NULL; i++)
        if (m_lstItemData.GetNext(pos) == dwData) return i;
    return -1;
}

int CSPToolbarComboBoxButton::FindItem(LPCTSTR lpszText) const {
    if (lpszText == NULL) return -1;
    int i = 0;
    for (POSITION pos = m_lstItems.GetHeadPosition(); pos != NULL; i++) {
        const CString strItem = m_lstItems.GetNext(pos);
        if (_mbscmp((const unsigned char*)(LPCTSTR)strItem, (const unsigned char*)lpszText) == 0) return i;
    }
    return -1;
}

BOOL CSPToolbarComboBoxButton::SelectItem(DWORD dwData) { return SelectItem(FindItem(dwData)); }
BOOL CSPToolbarComboBoxButton::SelectItem(LPCTSTR lpszText) { return SelectItem(FindItem(lpszText)); }

BOOL CSPToolbarComboBoxButton::DeleteItem(int iIndex) {
    if (!IsValidIndex(iIndex)) return FALSE;
    m_lstItems.RemoveAt(m_lstItems.FindIndex(iIndex));
    POSITION posData = m_lstItemData.FindIndex(iIndex);
    if (posData != NULL) m_lstItemData.RemoveAt(posData);
    if (m_pWndCombo != NULL) m_pWndCombo->DeleteString(iIndex);
    // The current index follows its item; deleting the current item makes
    // the next one (or the new last one) current.
    if (iIndex < m_iSelIndex) {
        m_iSelIndex--;
    } else if (iIndex == m_iSelIndex) {
        if (m_iSelIndex >= GetCount()) m_iSelIndex = GetCount() - 1;
        if (m_iSelIndex >= 0) SelectItem(m_iSelIndex, FALSE);
    }
    if (m_pWndCombo != NULL && m_iSelIndex >= 0 && m_pWndCombo->GetCurSel() != m_iSelIndex)
        m_pWndCombo->SetCurSel(m_iSelIndex);
    return TRUE;
}

BOOL CSPToolbarComboBoxButton::DeleteItem(DWORD dwData) { return DeleteItem(FindItem(dwData)); }
BOOL CSPToolbarComboBoxButton::DeleteItem(LPCTSTR lpszText) { return DeleteItem(FindItem(lpszText)); }

void CSPToolbarComboBoxButton::RemoveAllItems() {
    m_lstItems.RemoveAll();
    ClearData();
    m_lstItemData.RemoveAll();
    m_iSelIndex = -1;
    if (m_pWndCombo != NULL) m_pWndCombo->ResetContent();
    m_strEdit.Empty();
    if (m_pWndEdit != NULL) m_pWndEdit->SetWindowText(_T(""));
}

void CSPToolbarComboBoxButton::SetText(LPCTSTR lpszText) {
    if (lpszText == NULL) lpszText = _T("");
    if (SelectItem(lpszText)) return;
    m_strEdit = lpszText;
    if (m_pWndCombo != NULL) {
        m_pWndCombo->SetWindowText(m_strEdit);
        NotifyCommand(CBN_EDITCHANGE);
    }
    if (m_pWndEdit != NULL) m_pWndEdit->SetWindowText(m_strEdit);
}

void CSPToolbarComboBoxButton::SetDropDownHeight(int nHeight) {
    if (nHeight == m_nDropDownHeight) return;
    m_nDropDownHeight = nHeight;
    OnMove();
}

void CSPToolbarComboBoxButton::SetHotEdit(BOOL bHot) {
    if (m_bIsHotEdit == bHot) return;
    m_bIsHotEdit = bHot;
    InvalidateCombo(TRUE);
}

void CSPToolbarComboBoxButton::InvalidateCombo(BOOL bUpdate) {
    if (m_pWndCombo == NULL) return;
    CWnd* pParent = m_pWndCombo->GetParent();
    if (pParent == NULL) return;
    pParent->InvalidateRect(m_rectCombo, TRUE);
    if (bUpdate) pParent->UpdateWindow();
}

// --- by command id -----------------------------------------------------------------------

CSPToolbarComboBoxButton* CSPToolbarComboBoxButton::GetByCmd(UINT uiCmd, BOOL bIsFocus) {
    CObList listButtons;
    if (CSPToolBar::GetCommandButtons(uiCmd, listButtons) == 0) return NULL;
    for (POSITION pos = listButtons.GetHeadPosition(); pos != NULL;) {
        CSPToolbarComboBoxButton* pCombo =
            DYNAMIC_DOWNCAST(CSPToolbarComboBoxButton, listButtons.GetNext(pos));
        if (pCombo != NULL && (!bIsFocus || pCombo->HasFocus())) return pCombo;
    }
    return NULL;
}

BOOL CSPToolbarComboBoxButton::SelectItemAll(UINT uiCmd, int iIndex) {
    CSPToolbarComboBoxButton* pCombo = GetByCmd(uiCmd);
    return pCombo != NULL && pCombo->SelectItem(iIndex);
}
BOOL CSPToolbarComboBoxButton::SelectItemAll(UINT uiCmd, DWORD dwData) {
    CSPToolbarComboBoxButton* pCombo = GetByCmd(uiCmd);
    return pCombo != NULL && pCombo->SelectItem(dwData);
}
BOOL CSPToolbarComboBoxButton::SelectItemAll(UINT uiCmd, LPCTSTR lpszText) {
    CSPToolbarComboBoxButton* pCombo = GetByCmd(uiCmd);
    return pCombo != NULL && pCombo->SelectItem(lpszText);
}
int CSPToolbarComboBoxButton::GetCountAll(UINT uiCmd) {
    CSPToolbarComboBoxButton* pCombo = GetByCmd(uiCmd);
    return pCombo != NULL ? pCombo->GetCount() : -1;
}
int CSPToolbarComboBoxButton::GetCurSelAll(UINT uiCmd) {
    CSPToolbarComboBoxButton* pCombo = GetByCmd(uiCmd);
    return pCombo != NULL ? pCombo->GetCurSel() : -1;
}
LPCTSTR CSPToolbarComboBoxButton::GetItemAll(UINT uiCmd, int iIndex) {
    CSPToolbarComboBoxButton* pCombo = GetByCmd(uiCmd);
    return pCombo != NULL ? pCombo->GetItem(iIndex) : NULL;
}
int CSPToolbarComboBoxButton::GetItemDataAll(UINT uiCmd, int iIndex) {
    CSPToolbarComboBoxButton* pCombo = GetByCmd(uiCmd);
    return pCombo != NULL ? (int)pCombo->GetItemData(iIndex) : -1;
}
void* CSPToolbarComboBoxButton::GetItemDataPtrAll(UINT uiCmd, int iIndex) {
    CSPToolbarComboBoxButton* pCombo = GetByCmd(uiCmd);
    if (pCombo == NULL || pCombo->m_pWndCombo == NULL) return NULL;
    if (iIndex == -1) iIndex = pCombo->m_pWndCombo->GetCurSel();
    const DWORD_PTR dwData = pCombo->m_pWndCombo->GetItemData(iIndex);
    return dwData == (DWORD_PTR)CB_ERR ? NULL : (void*)dwData;
}
LPCTSTR CSPToolbarComboBoxButton::GetTextAll(UINT uiCmd) {
    CSPToolbarComboBoxButton* pCombo = GetByCmd(uiCmd);
    return pCombo != NULL ? pCombo->GetText() : NULL;
}

// --- windows -----------------------------------------------------------------------------

CComboBox* CSPToolbarComboBoxButton::CreateCombo(CWnd* pWndParent, const CRect& rect) {
    CComboBox* pCombo = new CComboBox;
    if (!pCombo->Create(m_dwStyle, rect, pWndParent, m_nID)) {
        delete pCombo;
        return NULL;
    }
    return pCombo;
}

BOOL CSPToolbarComboBoxButton::IsDisabledNow() const {
    return g_bCustomizeMode ? !IsEditable() : (m_nStyle & TBBS_DISABLED) != 0;
}

void CSPToolbarComboBoxButton::RebuildItemsFromWindow() {
    if (m_pWndCombo == NULL) return;
    m_lstItems.RemoveAll();
    ClearData();
    m_lstItemData.RemoveAll();
    for (int i = 0; i < m_pWndCombo->GetCount(); i++) {
        CString strItem;
        m_pWndCombo->GetLBText(i, strItem);
        m_lstItems.AddTail(strItem);
        m_lstItemData.AddTail((DWORD)m_pWndCombo->GetItemData(i));
    }
    m_iSelIndex = m_pWndCombo->GetCurSel();
}

void CSPToolbarComboBoxButton::FillWindowFromItems() {
    m_pWndCombo->ResetContent();
    POSITION posData = m_lstItemData.GetHeadPosition();
    for (POSITION pos = m_lstItems.GetHeadPosition(); pos != NULL;) {
        const int iIndex = m_pWndCombo->AddString(m_lstItems.GetNext(pos));
        const DWORD dwData = posData != NULL ? m_lstItemData.GetNext(posData) : 0;
        if (iIndex >= 0) m_pWndCombo->SetItemData(iIndex, dwData);
    }
    if (IsValidIndex(m_iSelIndex)) m_pWndCombo->SetCurSel(m_iSelIndex);
}

void CSPToolbarComboBoxButton::OnChangeParentWnd(CWnd* pWndParent) {
    CSPToolbarButton::OnChangeParentWnd(pWndParent);
    if (m_pWndCombo != NULL && m_pWndCombo->GetSafeHwnd() != NULL && pWndParent != NULL &&
        m_pWndCombo->GetParent() == pWndParent)
        return;
    DestroyWindows();
    if (pWndParent == NULL || pWndParent->GetSafeHwnd() == NULL) return;

    const BOOL bDisabled = IsDisabledNow();
    CRect rect = m_rect;
    rect.InflateRect(-2, 0);
    rect.bottom = rect.top + m_nDropDownHeight;
    m_pWndCombo = CreateCombo(pWndParent, rect);
    if (m_pWndCombo == NULL) return;  // drawn as an ordinary button
    m_pWndCombo->EnableWindow(!bDisabled);
    m_pWndCombo->RedrawWindow(NULL, NULL, RDW_FRAME | RDW_INVALIDATE | RDW_ERASE);

    if (m_bFlat && (m_dwStyle & 3) == CBS_DROPDOWN) {
        DWORD dwEditStyle = WS_CHILD | WS_VISIBLE | ES_WANTRETURN | ES_AUTOHSCROLL;
        if (m_pWndCombo->GetStyle() & WS_TABSTOP) dwEditStyle |= WS_TABSTOP;
        m_pWndEdit = new CSPComboEdit(*this);
        if (!m_pWndEdit->Create(dwEditStyle, rect, pWndParent, m_nID)) {
            delete m_pWndEdit;
            m_pWndEdit = NULL;
        } else {
            m_pWndEdit->SetFont(&spGlobalData.fontRegular);
            CWnd* pOwner = pWndParent->GetOwner();
            m_pWndEdit->SetOwner(pOwner != NULL ? pOwner : pWndParent->GetParent());
            m_pWndEdit->EnableWindow(!bDisabled);
            m_pWndEdit->RedrawWindow(NULL, NULL, RDW_FRAME | RDW_INVALIDATE | RDW_ERASE);
        }
    }
    OnMove();
    m_pWndCombo->SetFont(&spGlobalData.fontRegular, TRUE);

    if (m_pWndCombo->GetCount() <= 0)
        FillWindowFromItems();
    else
        RebuildItemsFromWindow();

    if (IsValidIndex(m_iSelIndex)) {
        m_pWndCombo->GetLBText(m_iSelIndex, m_strEdit);
        m_pWndCombo->SetWindowText(m_strEdit);
        if (m_pWndEdit != NULL) m_pWndEdit->SetWindowText(m_strEdit);
    }
}

void CSPToolbarComboBoxButton::OnMove() {
    if (m_pWndCombo == NULL || m_pWndCombo->GetSafeHwnd() == NULL || m_rect.IsRectEmpty()) {
        m_rectCombo.SetRectEmpty();
        m_rectButton.SetRectEmpty();
        return;
    }
    m_pWndCombo->SetWindowPos(NULL, m_rect.left + 1, m_rect.top, m_rect.Width() - 2, m_nDropDownHeight,
                              SWP_NOZORDER | SWP_NOACTIVATE);
    m_pWndCombo->SetEditSel(-1, 0);
    m_pWndCombo->GetWindowRect(&m_rectCombo);
    if (CWnd* pParent = m_pWndCombo->GetParent()) pParent->ScreenToClient(&m_rectCombo);
    if (!m_bFlat) {
        m_rectButton.SetRectEmpty();
        return;
    }
    CSPMenuImages::Initialize();
    m_rectButton = m_rectCombo;
    m_rectButton.left = m_rectButton.right - CSPMenuImages::Size().cx * 2;
    m_rectButton.DeflateRect(2, 2);
    m_rect.left = m_rectCombo.left - 1;
    m_rect.right = m_rectCombo.right + 1;
    if (!m_bTextBelow || m_strText.IsEmpty()) {
        m_rect.top = m_rectCombo.top;
        m_rect.bottom = m_rectCombo.bottom;
    }
    if (m_pWndEdit != NULL && m_pWndEdit->GetSafeHwnd() != NULL)
        m_pWndEdit->SetWindowPos(NULL, m_rect.left + 4, m_rect.top + 3, m_rect.Width() - m_rectButton.Width() - 8,
                                 m_rectCombo.Height() - 6, SWP_NOZORDER | SWP_NOACTIVATE);
}

void CSPToolbarComboBoxButton::OnSize(int iSize) {
    m_iWidth = iSize;
    m_rect.right = m_rect.left + m_iWidth;
    OnMove();
}

void CSPToolbarComboBoxButton::OnShow(BOOL bShow) {
    const BOOL bVisible = bShow && m_bHorz;
    if (m_pWndCombo != NULL && m_pWndCombo->GetSafeHwnd() != NULL) {
        if (bVisible && !m_bFlat) {
            OnMove();
            m_pWndCombo->ShowWindow(SW_SHOWNOACTIVATE);
        } else {
            if (bVisible) OnMove();
            m_pWndCombo->ShowWindow(SW_HIDE);
        }
    }
    if (m_pWndEdit != NULL && m_pWndEdit->GetSafeHwnd() != NULL)
        m_pWndEdit->ShowWindow(bVisible ? SW_SHOWNOACTIVATE : SW_HIDE);
}

void CSPToolbarComboBoxButton::SetStyle(UINT nStyle) {
    CSPToolbarButton::SetStyle(nStyle);
    EnableWindow(!IsDisabledNow());
}

void CSPToolbarComboBoxButton::EnableWindow(BOOL bEnable) {
    CWnd* windows[] = {m_pWndCombo, m_pWndEdit};
    for (CWnd* pWnd : windows) {
        if (pWnd == NULL || pWnd->GetSafeHwnd() == NULL) continue;
        pWnd->EnableWindow(bEnable);
        pWnd->RedrawWindow(NULL, NULL, RDW_FRAME | RDW_INVALIDATE | RDW_ERASE);
    }
}

BOOL CSPToolbarComboBoxButton::IsWindowVisible() const {
    return (m_pWndCombo != NULL && m_pWndCombo->GetSafeHwnd() != NULL && (m_pWndCombo->GetStyle() & WS_VISIBLE)) ||
           (m_pWndEdit != NULL && m_pWndEdit->GetSafeHwnd() != NULL && (m_pWndEdit->GetStyle() & WS_VISIBLE));
}

BOOL CSPToolbarComboBoxButton::IsOwnerOf(HWND hwnd) const {
    return IsWindowOrChild(m_pWndCombo, hwnd) || IsWindowOrChild(m_pWndEdit, hwnd);
}

BOOL CSPToolbarComboBoxButton::HasFocus() const {
    if (m_pWndCombo == NULL || m_pWndCombo->GetSafeHwnd() == NULL) return FALSE;
    if (m_pWndCombo->GetDroppedState()) return TRUE;
    return IsOwnerOf(::GetFocus());
}

HBRUSH CSPToolbarComboBoxButton::OnCtlColor(CDC* pDC, UINT /*nCtlColor*/) { return WindowColors(pDC); }

void CSPToolbarComboBoxButton::OnAddToCustomizePage() { CopyFirstOfCommand(); }

int CSPToolbarComboBoxButton::OnDrawOnCustomizeList(CDC* pDC, const CRect& rect, BOOL bSelected) {
    const int nWidth = CSPToolbarButton::OnDrawOnCustomizeList(pDC, rect, bSelected);
    // The width left, at least 20 pixels, shows the combo box as a sunken
    // field with its drop button.
    CRect rectCombo = rect;
    rectCombo.left = rect.left + nWidth;
    if (rectCombo.Width() < 20) rectCombo.left = rectCombo.right - 20;
    rectCombo.DeflateRect(2, 3);
    pDC->FillSolidRect(rectCombo, ::GetSysColor(COLOR_WINDOW));
    pDC->Draw3dRect(rectCombo, spGlobalData.clrBtnDkShadow, spGlobalData.clrBtnHilite);
    CRect rectInner = rectCombo;
    rectInner.DeflateRect(1, 1);
    pDC->Draw3dRect(rectInner, spGlobalData.clrBtnShadow, spGlobalData.clrBtnLight);

    CRect rectButton = rectInner;
    rectButton.DeflateRect(1, 1);
    rectButton.left = rectButton.right - rectButton.Height();
    pDC->FillRect(rectButton, &spGlobalData.brBtnFace);
    pDC->Draw3dRect(rectButton, spGlobalData.clrBtnHilite, spGlobalData.clrBtnDkShadow);
    CSPVisualManager::GetInstance()->OnDrawComboDropButton(pDC, rectButton, FALSE, FALSE, FALSE, NULL);
    return nWidth;
}

// --- size, drawing, click ----------------------------------------------------------------

SIZE CSPToolbarComboBoxButton::OnCalculateSize(CDC* pDC, const CSize& sizeDefault, BOOL bHorz) {
    m_bHorz = bHorz;
    m_sizeText = CSize(0, 0);
    const BOOL bHasCombo = m_pWndCombo != NULL && m_pWndCombo->GetSafeHwnd() != NULL;
    if (bHasCombo && (m_bFlat || !bHorz) && (m_pWndCombo->GetStyle() & WS_VISIBLE))
        m_pWndCombo->ShowWindow(SW_HIDE);
    if (!bHorz) {
        if (m_pWndEdit != NULL && m_pWndEdit->GetSafeHwnd() != NULL) m_pWndEdit->ShowWindow(SW_HIDE);
        return CSPToolbarButton::OnCalculateSize(pDC, sizeDefault, bHorz);
    }
    if (bHasCombo && !m_bFlat && !m_bHidden) m_pWndCombo->ShowWindow(SW_SHOWNOACTIVATE);
    if (m_pWndEdit != NULL && m_pWndEdit->GetSafeHwnd() != NULL && !m_bHidden)
        m_pWndEdit->ShowWindow(SW_SHOWNOACTIVATE);
    if (m_bTextBelow && !m_strText.IsEmpty()) {
        CRect rectText(0, 0, m_iWidth, sizeDefault.cy);
        pDC->DrawText(m_strText, rectText, DT_CALCRECT | DT_WORDBREAK | DT_CENTER);
        m_sizeText = rectText.Size();
    }
    int cy = sizeDefault.cy;
    if (bHasCombo) {
        CRect rectWnd;
        m_pWndCombo->GetWindowRect(&rectWnd);
        cy = rectWnd.Height();
    }
    return CSize(m_iWidth, cy + m_sizeText.cy);
}

void CSPToolbarComboBoxButton::OnDraw(CDC* pDC, const CRect& rect, CSPButtonImages* pImages, BOOL bHorz,
                                      BOOL bCustomizeMode, BOOL bHighlight, BOOL bDrawBorder,
                                      BOOL bGrayDisabledButtons) {
    if (m_pWndCombo == NULL || m_pWndCombo->GetSafeHwnd() == NULL || !bHorz) {
        CSPToolbarButton::OnDraw(pDC, rect, pImages, bHorz, bCustomizeMode, bHighlight, bDrawBorder,
                                 bGrayDisabledButtons);
        return;
    }
    const BOOL bDisabled = bCustomizeMode ? !IsEditable() : (m_nStyle & TBBS_DISABLED) != 0;
    const COLORREF clrText = bDisabled    ? spGlobalData.clrGrayedText
                             : bHighlight ? CSPToolBar::GetButtonTextColor()
                                          : spGlobalData.clrBtnText;
    const COLORREF clrOld = pDC->SetTextColor(clrText);

    if (m_bFlat) {
        const BOOL bHot = bHighlight || m_bIsHotEdit;
        const BOOL bDropped = m_pWndCombo->GetDroppedState();
        CSPVisualManager* pManager = CSPVisualManager::GetInstance();
        pManager->OnDrawComboBorder(pDC, m_rectCombo, bDisabled, bDropped, bHot, this);
        CRect rectInner = m_rectCombo;
        rectInner.DeflateRect(2, 2);
        pDC->FillSolidRect(rectInner, bDisabled ? spGlobalData.clrBtnFace : ::GetSysColor(COLOR_WINDOW));
        if (bDisabled) pDC->Draw3dRect(rectInner, spGlobalData.clrBtnHilite, spGlobalData.clrBtnHilite);
        pManager->OnDrawComboDropButton(pDC, m_rectButton, bDisabled, bDropped, bHot, this);
        if (!m_strEdit.IsEmpty() && m_pWndEdit == NULL) {
            CRect rectText = rectInner;
            rectText.right = m_rectButton.left;
            rectText.DeflateRect(2, 2);
            const int nBkMode = pDC->SetBkMode(TRANSPARENT);
            if (m_dwStyle & (CBS_OWNERDRAWFIXED | CBS_OWNERDRAWVARIABLE)) {
                DRAWITEMSTRUCT dis = {};
                dis.CtlType = ODT_COMBOBOX;
                dis.CtlID = m_nID;
                dis.itemID = (UINT)m_pWndCombo->GetCurSel();
                dis.hwndItem = m_pWndCombo->GetSafeHwnd();
                dis.hDC = pDC->GetSafeHdc();
                dis.rcItem = rectText;
                dis.itemData = m_pWndCombo->GetItemData((int)dis.itemID);
                m_pWndCombo->DrawItem(&dis);
            } else {
                pDC->DrawText(m_strEdit, rectText, DT_VCENTER | DT_SINGLELINE);
            }
            pDC->SetBkMode(nBkMode);
        }
    }
    pDC->SetTextColor(clrOld);

    if (m_bTextBelow && !m_strText.IsEmpty()) {
        CRect rectText = m_rect;
        rectText.top = (m_rectCombo.bottom + rect.bottom - m_sizeText.cy) / 2;
        pDC->DrawText(m_strText, rectText, DT_CENTER | DT_WORDBREAK);
    }
}

BOOL CSPToolbarComboBoxButton::OnClick(CWnd* pWnd, BOOL /*bDelay*/) {
    if (m_pWndCombo == NULL || m_pWndCombo->GetSafeHwnd() == NULL || !m_bHorz) return FALSE;
    if (m_bFlat) {
        if (m_pWndEdit != NULL)
            m_pWndEdit->SetFocus();
        else
            m_pWndCombo->SetFocus();
        m_pWndCombo->ShowDropDown(TRUE);
        if (pWnd != NULL) pWnd->InvalidateRect(m_rectCombo);
    }
    return TRUE;
}

// --- notifications -----------------------------------------------------------------------

BOOL CSPToolbarComboBoxButton::NotifyCommand(int iNotifyCode) {
    if (m_pWndCombo == NULL || m_pWndCombo->GetSafeHwnd() == NULL) return FALSE;
    if (m_bFlat) {
        if (iNotifyCode == 0) return TRUE;
        InvalidateCombo(TRUE);
    }
    switch (iNotifyCode) {
    case CBN_SELCHANGE:
        if (m_pWndEdit != NULL) {
            const int iSel = m_pWndCombo->GetCurSel();
            CString strItem;
            if (iSel >= 0) m_pWndCombo->GetLBText(iSel, strItem);
            m_pWndEdit->SetWindowText(strItem);
        }
        return TRUE;
    case CBN_SETFOCUS:
        if (m_pWndEdit != NULL) m_pWndEdit->SetFocus();
        return TRUE;
    case CBN_KILLFOCUS:
    case CBN_EDITUPDATE:
        return TRUE;
    case CBN_EDITCHANGE: {
        m_pWndCombo->GetWindowText(m_strEdit);
        CObList listButtons;
        CSPToolBar::GetCommandButtons(m_nID, listButtons);
        for (POSITION pos = listButtons.GetHeadPosition(); pos != NULL;) {
            CSPToolbarComboBoxButton* pOther = DYNAMIC_DOWNCAST(CSPToolbarComboBoxButton, listButtons.GetNext(pos));
            if (pOther == NULL || pOther == this) continue;
            pOther->m_strEdit = m_strEdit;
            if (pOther->m_pWndCombo != NULL) pOther->m_pWndCombo->SetWindowText(m_strEdit);
            if (pOther->m_pWndEdit != NULL) {
                CString strOld;
                pOther->m_pWndEdit->GetWindowText(strOld);
                if (strOld != m_strEdit) pOther->m_pWndEdit->SetWindowText(m_strEdit);
            }
            pOther->InvalidateCombo(FALSE);
        }
        return TRUE;
    }
    case CBN_SELENDOK: {
        const int iSel = m_pWndCombo->GetCurSel();
        if (iSel < 0) return FALSE;
        m_iSelIndex = iSel;
        m_pWndCombo->GetLBText(iSel, m_strEdit);
        if (m_pWndEdit != NULL) m_pWndEdit->SetWindowText(m_strEdit);
        CObList listButtons;
        CSPToolBar::GetCommandButtons(m_nID, listButtons);
        for (POSITION pos = listButtons.GetHeadPosition(); pos != NULL;) {
            CSPToolbarComboBoxButton* pOther = DYNAMIC_DOWNCAST(CSPToolbarComboBoxButton, listButtons.GetNext(pos));
            if (pOther != NULL && pOther != this) {
                pOther->SelectItem(iSel, FALSE);
                pOther->InvalidateCombo(FALSE);
            }
        }
        if (m_pWndEdit != NULL) m_pWndEdit->SetFocus();
        return TRUE;
    }
    default:
        return FALSE;
    }
}

// --- copy and record ---------------------------------------------------------------------

void CSPToolbarComboBoxButton::CopyFrom(const CSPToolbarButton& s) {
    CSPToolbarButton::CopyFrom(s);
    const CSPToolbarComboBoxButton* pSrc = DYNAMIC_DOWNCAST(CSPToolbarComboBoxButton, (CObject*)&s);
    if (pSrc == NULL || pSrc == this) return;
    m_lstItems.RemoveAll();
    m_lstItems.AddTail((CStringList*)&pSrc->m_lstItems);
    ClearData();
    m_lstItemData.RemoveAll();
    for (POSITION pos = pSrc->m_lstItemData.GetHeadPosition(); pos != NULL;)
        m_lstItemData.AddTail(pSrc->m_lstItemData.GetNext(pos));
    OnItemsRestored();
    m_dwStyle = pSrc->m_dwStyle;
    m_iWidth = pSrc->m_iWidth;
    m_iSelIndex = pSrc->m_iSelIndex;
    m_nDropDownHeight = pSrc->m_nDropDownHeight;
}

void CSPToolbarComboBoxButton::Serialize(CArchive& ar) {
    CSPToolbarButton::Serialize(ar);
    if (ar.IsStoring()) {
        if (m_pWndCombo != NULL && m_pWndCombo->GetSafeHwnd() != NULL) RebuildItemsFromWindow();
        ar << (DWORD)m_iWidth << (DWORD)m_dwStyle << (int)m_iSelIndex << m_strEdit << (DWORD)m_nDropDownHeight;
        m_lstItems.Serialize(ar);
        for (POSITION pos = m_lstItemData.GetHeadPosition(); pos != NULL;) ar << m_lstItemData.GetNext(pos);
        return;
    }
    DWORD dwWidth = 0, dwStyle = 0, dwHeight = 0;
    int iSel = -1;
    CString strText;
    ar >> dwWidth >> dwStyle >> iSel >> strText >> dwHeight;
    m_iWidth = (int)dwWidth;
    m_dwStyle = dwStyle;
    m_strEdit = strText;
    m_nDropDownHeight = (int)dwHeight;
    m_rect.right = m_rect.left + m_iWidth;
    m_lstItems.RemoveAll();
    m_iSelIndex = -1;
    m_lstItems.Serialize(ar);
    ClearData();
    m_lstItemData.RemoveAll();
    for (int i = 0; i < GetCount(); i++) {
        DWORD dwData = 0;
        ar >> dwData;
        m_lstItemData.AddTail(dwData);
    }
    OnItemsRestored();
    // A stored index outside the items means no current item.
    if (IsValidIndex(iSel)) SelectItem(iSel, FALSE);
}

// --- CSPComboEdit ------------------------------------------------------------------------

BEGIN_MESSAGE_MAP(CSPComboEdit, CSPHostedEdit)
    ON_CONTROL_REFLECT(EN_CHANGE, OnChange)
END_MESSAGE_MAP()

BOOL CSPComboEdit::PreTranslateMessage(MSG* pMsg) {
    if (pMsg->message != WM_KEYDOWN) return CEdit::PreTranslateMessage(pMsg);
    const BOOL bModifier = (::GetKeyState(VK_MENU) & 0x8000) || (::GetKeyState(VK_CONTROL) & 0x8000);
    CComboBox* pCombo = m_combo.GetComboBox();
    if (!bModifier && pCombo != NULL && pCombo->GetSafeHwnd() != NULL) {
        const BOOL bDropped = pCombo->GetDroppedState();
        switch (pMsg->wParam) {
        case VK_PRIOR:
        case VK_NEXT:
        case VK_END:
        case VK_HOME:
        case VK_UP:
        case VK_DOWN:
            if (!bDropped) break;
            // fall through
        case VK_RETURN: {
            SetFocus();
            if (bDropped) {
                pCombo->SendMessage(pMsg->message, pMsg->wParam, pMsg->lParam);
                return TRUE;
            }
            CWnd* pOwner = pCombo->GetOwner();
            if (pOwner == NULL) pOwner = pCombo->GetParent();
            if (pOwner == NULL) return TRUE;
            CString strText;
            GetWindowText(strText);
            m_combo.SetText(strText);
            pOwner->PostMessage(WM_COMMAND, m_combo.m_nID, (LPARAM)pCombo->GetSafeHwnd());
            return TRUE;
        }
        default:
            break;
        }
    }
    switch (pMsg->wParam) {
    case VK_TAB:
        if (CWnd* pParent = GetParent()) {
            CWnd* pNext = pParent->GetNextDlgTabItem(this);
            if (pNext != NULL) pNext->SetFocus();
        }
        return TRUE;
    case VK_ESCAPE:
        if (pCombo != NULL && pCombo->GetSafeHwnd() != NULL) pCombo->ShowDropDown(FALSE);
        if (CFrameWnd* pFrame = GetTopLevelFrame()) pFrame->SetFocus();
        return TRUE;
    case VK_UP:
    case VK_DOWN:
        if (!bModifier && pCombo != NULL && pCombo->GetSafeHwnd() != NULL) {
            if (!pCombo->GetDroppedState()) {
                pCombo->ShowDropDown(TRUE);
                if (CWnd* pParent = pCombo->GetParent()) pParent->InvalidateRect(m_combo.GetComboRect());
            }
            return TRUE;
        }
        break;
    default:
        break;
    }
    return CEdit::PreTranslateMessage(pMsg);
}

void CSPComboEdit::SetOwnerHot(BOOL bHot) { m_combo.SetHotEdit(bHot); }

void CSPComboEdit::OnFocusChanged(BOOL bFocus) { m_combo.NotifyCommand(bFocus ? CBN_SETFOCUS : CBN_KILLFOCUS); }

void CSPComboEdit::OnChange() {
    // The hidden combo carries the typed text, as it would when typed into.
    CComboBox* pCombo = m_combo.GetComboBox();
    if (pCombo == NULL || pCombo->GetSafeHwnd() == NULL) return;
    CString strText;
    GetWindowText(strText);
    pCombo->SetWindowText(strText);
    m_combo.NotifyCommand(CBN_EDITCHANGE);
}
