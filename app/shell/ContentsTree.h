// ContentsTree.h - CContentsTree, the tree of the open CHM's contents.
//
// Beside its items the tree keeps the list of page paths they point into:
// each item's data is the zero-based index of its page's local path (as the
// contents file names it, "html/intro.htm") in m_pPathList; an entry without
// a page of its own has the first page found below it, or "". The engine
// fills both while a CHM opens and walks them when it converts.
#pragma once

#include "afxwin.h"
#include "afxcmn.h"
#include "afxcoll.h"

#define ID_OPEN_SELECTED_PAGE 1234

class CContentsTree : public CTreeCtrl {
public:
    CContentsTree();
    ~CContentsTree() override;

    // The page path at an item's data, or null when the data is not an
    // index of the list.
    LPCTSTR GetPagePath(HTREEITEM hItem) const;

    // Removes every item and every page path.
    void Clear();

    CStringList* m_pPathList;

protected:
    // A new selection asks the parent (the contents pane) to open its page.
    afx_msg void OnSelChanged(NMHDR* pNMHDR, LRESULT* pResult);
    DECLARE_MESSAGE_MAP()
};
