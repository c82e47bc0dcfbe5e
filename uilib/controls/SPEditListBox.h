// SPEditListBox.h - CSPEditListBox: the edit list over a list-view control
// in report view (one column, no header, full-row selection) with
// in-place label editing through a CSPEditBrowseCtrl.
#pragma once
#include "SPEditListBase.h"
#include "SPEditBrowseCtrl.h"

class CSPEditListBox : public CSPEditListBase {
    DECLARE_DYNAMIC(CSPEditListBox)

public:
    CSPEditListBox();
    virtual ~CSPEditListBox();

    // The in-place editor gets a browse button ("...") that runs OnBrowse.
    void EnableBrowseButton(BOOL bEnable = TRUE) { m_bBrowseButton = bEnable; }
    CSPEditBrowseCtrl& GetEditCtrl() { return m_wndEdit; }
    CListCtrl* GetListCtrl() const { return m_pWndList; }

    int AddItem(const CString& strText, DWORD_PTR dwData = 0, int iIndex = -1) override;
    BOOL RemoveItem(int iIndex) override;
    int GetCount() const override;
    int GetSelItem() const override;
    BOOL SelectItem(int iItem) override;
    CString GetItemText(int iIndex) const override;
    BOOL SetItemText(int iIndex, const CString& strText) override;
    DWORD_PTR GetItemData(int iIndex) const override;
    void SetItemData(int iIndex, DWORD_PTR dwData) override;
    BOOL EditItem(int iIndex) override;
    BOOL IsEditing() const override { return ::IsWindow(m_wndEdit.GetSafeHwnd()); }
    CWnd* GetListWnd() const override { return m_pWndList; }
    BOOL CreateList() override;

    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

protected:
    CListCtrl* m_pWndList;  // owned
    CSPEditBrowseCtrl m_wndEdit;
    int m_nSelItem;
    BOOL m_bBrowseButton;

    // Lets the in-place editor go (it belongs to the list view).
    void ReleaseEdit();

    afx_msg void OnDestroy();
    DECLARE_MESSAGE_MAP()
};
