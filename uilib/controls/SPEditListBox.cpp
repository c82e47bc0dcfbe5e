#include "SPEditListBox.h"

IMPLEMENT_DYNAMIC(CSPEditListBox, CSPEditListBase)

BEGIN_MESSAGE_MAP(CSPEditListBox, CSPEditListBase)
    ON_WM_DESTROY()
END_MESSAGE_MAP()

static const UINT idList = 1;

CSPEditListBox::CSPEditListBox() : m_pWndList(NULL), m_nSelItem(-1), m_bBrowseButton(FALSE) {}

CSPEditListBox::~CSPEditListBox() { delete m_pWndList; }

BOOL CSPEditListBox::CreateList() {
    if (m_pWndList != NULL) return m_pWndList->GetSafeHwnd() != NULL;
    m_pWndList = new CListCtrl;
    CRect rectClient;
    GetClientRect(rectClient);
    if (!m_pWndList->CreateEx(WS_EX_CLIENTEDGE, _T("SysListView32"), _T(""),
                              WS_CHILD | WS_VISIBLE | WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS |
                                  LVS_EDITLABELS | LVS_NOCOLUMNHEADER,
                              rectClient, this, idList)) {
        delete m_pWndList;
        m_pWndList = NULL;
        return FALSE;
    }
    m_pWndList->SetExtendedStyle(LVS_EX_FULLROWSELECT);
    m_pWndList->InsertColumn(0, _T(""), LVCFMT_LEFT, rectClient.Width());
    if (m_font.GetSafeHandle() != NULL) m_pWndList->SendMessage(WM_SETFONT, (WPARAM)m_font.GetSafeHandle());
    return TRUE;
}

void CSPEditListBox::OnDestroy() {
    if (m_pWndList != NULL && m_pWndList->GetSafeHwnd() != NULL) m_pWndList->DestroyWindow();
    CSPEditListBase::OnDestroy();
}

int CSPEditListBox::AddItem(const CString& strText, DWORD_PTR dwData, int iIndex) {
    if (m_pWndList == NULL || m_pWndList->GetSafeHwnd() == NULL) return -1;
    if (iIndex < 0) iIndex = m_pWndList->GetItemCount();
    LVITEM item = {};
    item.mask = LVIF_TEXT | LVIF_PARAM;
    item.iItem = iIndex;
    item.pszText = (LPTSTR)(LPCTSTR)strText;
    item.lParam = (LPARAM)dwData;
    const int iItem = (int)m_pWndList->SendMessage(LVM_INSERTITEM, 0, (LPARAM)&item);
    if (iItem >= 0) m_pWndList->SendMessage(LVM_ENSUREVISIBLE, iItem, FALSE);
    return iItem;
}

BOOL CSPEditListBox::RemoveItem(int iIndex) {
    if (m_pWndList == NULL || m_pWndList->GetSafeHwnd() == NULL) return FALSE;
    if (iIndex < 0 || iIndex >= m_pWndList->GetItemCount()) return FALSE;
    return m_pWndList->DeleteItem(iIndex);
}

int CSPEditListBox::GetCount() const {
    return m_pWndList != NULL && m_pWndList->GetSafeHwnd() != NULL ? m_pWndList->GetItemCount() : 0;
}

int CSPEditListBox::GetSelItem() const {
    if (m_pWndList == NULL || m_pWndList->GetSafeHwnd() == NULL) return -1;
    return m_pWndList->GetNextItem(-1, LVNI_SELECTED);
}

BOOL CSPEditListBox::SelectItem(int iItem) {
    if (m_pWndList == NULL || m_pWndList->GetSafeHwnd() == NULL) return FALSE;
    if (iItem < 0 || iItem >= m_pWndList->GetItemCount()) return FALSE;
    m_pWndList->SetItemState(iItem, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    m_pWndList->EnsureVisible(iItem, FALSE);
    return TRUE;
}

CString CSPEditListBox::GetItemText(int iIndex) const {
    if (m_pWndList == NULL || m_pWndList->GetSafeHwnd() == NULL) return CString();
    return m_pWndList->GetItemText(iIndex, 0);
}

BOOL CSPEditListBox::SetItemText(int iIndex, const CString& strText) {
    if (m_pWndList == NULL || m_pWndList->GetSafeHwnd() == NULL) return FALSE;
    return m_pWndList->SetItemText(iIndex, 0, strText);
}

DWORD_PTR CSPEditListBox::GetItemData(int iIndex) const {
    if (m_pWndList == NULL || m_pWndList->GetSafeHwnd() == NULL) return 0;
    return m_pWndList->GetItemData(iIndex);
}

void CSPEditListBox::SetItemData(int iIndex, DWORD_PTR dwData) {
    if (m_pWndList != NULL && m_pWndList->GetSafeHwnd() != NULL) m_pWndList->SetItemData(iIndex, dwData);
}

BOOL CSPEditListBox::EditItem(int iIndex) {
    if (m_pWndList == NULL || m_pWndList->GetSafeHwnd() == NULL) return FALSE;
    if (iIndex < 0 || iIndex >= m_pWndList->GetItemCount()) return FALSE;
    m_pWndList->SetFocus();
    HWND hwndEdit = (HWND)m_pWndList->SendMessage(LVM_EDITLABEL, iIndex, 0);
    if (hwndEdit == NULL) return FALSE;
    ReleaseEdit();
    if (!m_wndEdit.SubclassWindow(hwndEdit)) return FALSE;
    m_wndEdit.SetOwnerList(this);
    m_wndEdit.SetFixedSize(FALSE);
    if (m_bBrowseButton) {
        // the editor spans the row, so the button sits at its right end
        CRect rectItem;
        m_pWndList->GetItemRect(iIndex, rectItem, LVIR_LABEL);
        CRect rectList;
        m_pWndList->GetClientRect(rectList);
        m_wndEdit.SetWindowPos(NULL, rectItem.left, rectItem.top, rectList.right - rectItem.left,
                               rectItem.Height() + 4, SWP_NOZORDER | SWP_NOACTIVATE);
        m_wndEdit.EnableBrowseButton(TRUE);
        m_wndEdit.SetFixedSize(TRUE);
    }
    EnableAllButtons(FALSE);
    return TRUE;
}

void CSPEditListBox::ReleaseEdit() {
    if (m_wndEdit.m_hWnd == NULL) return;
    if (::IsWindow(m_wndEdit.m_hWnd)) m_wndEdit.UnsubclassWindow();
    else m_wndEdit.Detach();
}

BOOL CSPEditListBox::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    NMHDR* pNMHDR = (NMHDR*)lParam;
    if (pNMHDR != NULL && m_pWndList != NULL && pNMHDR->hwndFrom == m_pWndList->GetSafeHwnd()) {
        switch (pNMHDR->code) {
        case LVN_ITEMCHANGED: {
            const NMLISTVIEW* pNMLV = (const NMLISTVIEW*)lParam;
            if ((pNMLV->uChanged & LVIF_STATE) && ((pNMLV->uNewState ^ pNMLV->uOldState) & LVIS_SELECTED)) {
                m_nSelItem = GetSelItem();
                OnSelectionChanged();
            }
            break;
        }
        case LVN_ENDLABELEDIT: {
            const NMLVDISPINFO* pDispInfo = (const NMLVDISPINFO*)lParam;
            if (pDispInfo->item.pszText == NULL && !m_bNewItem) {
                // a cancelled rename leaves the item as it was
                EnableAllButtons(TRUE);
            } else {
                OnEndEditItem(pDispInfo->item.pszText != NULL ? pDispInfo->item.pszText : _T(""));
            }
            // the list view destroys its editor next, putting back the
            // editor's own procedure: let it go first
            ReleaseEdit();
            if (pResult != NULL) *pResult = FALSE;  // the text is set by OnEndEditItem
            return TRUE;
        }
        default: break;
        }
    }
    return CSPEditListBase::OnNotify(wParam, lParam, pResult);
}
