// ContentsTree.cpp - the contents tree and its list of page paths.
#include "ContentsTree.h"

BEGIN_MESSAGE_MAP(CContentsTree, CTreeCtrl)
    ON_NOTIFY_REFLECT(TVN_SELCHANGED, OnSelChanged)
END_MESSAGE_MAP()

CContentsTree::CContentsTree() : m_pPathList(new CStringList(10)) {}

CContentsTree::~CContentsTree() {
    m_pPathList->RemoveAll();
    delete m_pPathList;
    m_pPathList = NULL;
}

LPCTSTR CContentsTree::GetPagePath(HTREEITEM hItem) const {
    if (!hItem || !m_hWnd || !m_pPathList) return NULL;
    TVITEMA item = {};
    item.mask = TVIF_PARAM | TVIF_HANDLE;
    item.hItem = hItem;
    if (!::SendMessageA(m_hWnd, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item))) return NULL;
    if (item.lParam < 0 || item.lParam >= m_pPathList->GetCount()) return NULL;
    POSITION pos = m_pPathList->FindIndex(static_cast<INT_PTR>(item.lParam));
    return pos ? static_cast<LPCTSTR>(m_pPathList->GetAt(pos)) : NULL;
}

void CContentsTree::Clear() {
    if (m_hWnd) ::SendMessageA(m_hWnd, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT));
    m_pPathList->RemoveAll();
}

void CContentsTree::OnSelChanged(NMHDR*, LRESULT* pResult) {
    CWnd* parent = GetParent();
    if (parent) parent->SendMessage(WM_COMMAND, ID_OPEN_SELECTED_PAGE, 0);
    *pResult = 0;
    SetFocus();
}
