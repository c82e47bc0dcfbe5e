// SPToolbarComboBoxButton.h - CSPToolbarComboBoxButton: a toolbar button that
// hosts a combo box on horizontal bars, and CSPComboEdit, the edit laid over
// the painted combo in the flat look.
//
// The items, their data, the current item and the text live in the button,
// so that it can be stored, copied and shown before it has a window; every
// button of the same command on every toolbar shows the same selection and
// text.
#pragma once
#include "SPHostedEdit.h"
#include "SPToolbarButton.h"

class CSPToolbarComboBoxButton;

class CSPComboEdit : public CSPHostedEdit {
public:
    explicit CSPComboEdit(CSPToolbarComboBoxButton& combo) : m_combo(combo) {}
    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    CSPToolbarComboBoxButton& m_combo;

    void SetOwnerHot(BOOL bHot) override;
    void OnFocusChanged(BOOL bFocus) override;
    afx_msg void OnChange();
    DECLARE_MESSAGE_MAP()
};

class CSPToolbarComboBoxButton : public CSPToolbarButton {
    DECLARE_SERIAL(CSPToolbarComboBoxButton)

public:
    CSPToolbarComboBoxButton();
    CSPToolbarComboBoxButton(UINT uiID, int iImage, DWORD dwStyle = CBS_DROPDOWNLIST, int iWidth = 0);
    virtual ~CSPToolbarComboBoxButton();

    // items (indexes are zero-based, -1 is the current item)
    int AddItem(LPCTSTR lpszItem, DWORD dwData = 0);
    int GetCount() const { return (int)m_lstItems.GetCount(); }
    LPCTSTR GetItem(int iIndex = -1) const;
    DWORD GetItemData(int iIndex = -1) const;
    int GetCurSel() const { return m_iSelIndex; }
    BOOL SelectItem(int iIndex, BOOL bNotify = TRUE);
    BOOL SelectItem(DWORD dwData);
    BOOL SelectItem(LPCTSTR lpszText);
    BOOL DeleteItem(int iIndex);
    BOOL DeleteItem(DWORD dwData);
    BOOL DeleteItem(LPCTSTR lpszText);
    void RemoveAllItems();
    LPCTSTR GetText() const { return m_strEdit; }
    void SetText(LPCTSTR lpszText);
    void SetDropDownHeight(int nHeight);
    int GetWidth() const { return m_iWidth; }
    CComboBox* GetComboBox() const { return m_pWndCombo; }
    CEdit* GetEditCtrl() const { return m_pWndEdit; }
    const CRect& GetComboRect() const { return m_rectCombo; }
    // Set by the edit control while it has the mouse or the focus.
    void SetHotEdit(BOOL bHot = TRUE);

    // by command id, on the first combo-box button of the id
    static CSPToolbarComboBoxButton* GetByCmd(UINT uiCmd, BOOL bIsFocus = FALSE);
    static BOOL SelectItemAll(UINT uiCmd, int iIndex);
    static BOOL SelectItemAll(UINT uiCmd, DWORD dwData);
    static BOOL SelectItemAll(UINT uiCmd, LPCTSTR lpszText);
    static int GetCountAll(UINT uiCmd);
    static int GetCurSelAll(UINT uiCmd);
    static LPCTSTR GetItemAll(UINT uiCmd, int iIndex = -1);
    static int GetItemDataAll(UINT uiCmd, int iIndex = -1);
    static void* GetItemDataPtrAll(UINT uiCmd, int iIndex = -1);
    static LPCTSTR GetTextAll(UINT uiCmd);

    // The class-wide flat look: the combo is painted by the visual manager.
    static BOOL m_bFlat;

    // overridables
    virtual CComboBox* CreateCombo(CWnd* pWndParent, const CRect& rect);
    virtual void OnItemsRestored() {}
    virtual void ClearData() {}

    void Serialize(CArchive& ar) override;
    void CopyFrom(const CSPToolbarButton& src) override;
    void OnDraw(CDC* pDC, const CRect& rect, CSPButtonImages* pImages, BOOL bHorz = TRUE, BOOL bCustomizeMode = FALSE,
                BOOL bHighlight = FALSE, BOOL bDrawBorder = TRUE, BOOL bGrayDisabledButtons = TRUE) override;
    SIZE OnCalculateSize(CDC* pDC, const CSize& sizeDefault, BOOL bHorz) override;
    BOOL OnClick(CWnd* pWnd, BOOL bDelay = TRUE) override;
    void OnChangeParentWnd(CWnd* pWndParent) override;
    void OnMove() override;
    void OnSize(int iSize) override;
    HWND GetHwnd() override { return m_pWndCombo != NULL ? m_pWndCombo->GetSafeHwnd() : NULL; }
    BOOL CanBeStretched() const override { return TRUE; }
    BOOL NotifyCommand(int iNotifyCode) override;
    HBRUSH OnCtlColor(CDC* pDC, UINT nCtlColor) override;
    void OnShow(BOOL bShow) override;
    void SetStyle(UINT nStyle) override;
    BOOL IsOwnerOf(HWND hwnd) const override;
    BOOL HasFocus() const override;
    void OnAddToCustomizePage() override;
    // The line of the base with a painted combo box in the width left.
    int OnDrawOnCustomizeList(CDC* pDC, const CRect& rect, BOOL bSelected) override;
    void EnableWindow(BOOL bEnable = TRUE);
    BOOL IsWindowVisible() const;

protected:
    void Initialize();
    void DestroyWindows();
    // The first item with this data or text, -1 when none.
    int FindItem(DWORD dwData) const;
    int FindItem(LPCTSTR lpszText) const;
    void RebuildItemsFromWindow();
    void FillWindowFromItems();
    BOOL IsDisabledNow() const;
    void InvalidateCombo(BOOL bUpdate);
    BOOL IsValidIndex(int iIndex) const { return iIndex >= 0 && iIndex < GetCount(); }

    DWORD m_dwStyle;
    CComboBox* m_pWndCombo;
    CSPComboEdit* m_pWndEdit;
    CStringList m_lstItems;
    CList<DWORD, DWORD> m_lstItemData;
    int m_iWidth;
    int m_iSelIndex;
    BOOL m_bHorz;
    CString m_strEdit;
    CRect m_rectCombo;
    CRect m_rectButton;
    int m_nDropDownHeight;
    BOOL m_bIsHotEdit;
    CSize m_sizeText;
};
