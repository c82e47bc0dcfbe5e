// SPKeyboardPage.h - the Keyboard page of the customisation sheet and its
// hot-key edit. The page edits a working copy of one accelerator table (the
// frame's "Default" or a document template's) and hands every change to
// the keyboard manager at once.
#pragma once
#include "afxwin.h"
#include "afxdlgs.h"
#include "afxdocvw.h"

#include "SPKeyboardManager.h"

#define SP_IDD_CUSTOMIZE_KEYBOARD 16136
#define SP_IDC_KEY_DESCRIPTION 16514
#define SP_IDC_TABLE_ICON 16526
#define SP_IDC_ASSIGNED_TO 16527
#define SP_IDC_ASSIGNED_TO_LABEL 16528
#define SP_IDC_KEY_COMMANDS 16641
#define SP_IDC_ACCEL_FOR 16642
#define SP_IDC_CURRENT_KEYS 16643
#define SP_IDC_NEW_KEY 16644
#define SP_IDC_ASSIGN_KEY 16645
#define SP_IDC_REMOVE_KEY 16646
#define SP_IDC_RESET_KEYS 16647
#define SP_IDS_UNASSIGNED 16009
#define SP_IDS_DEFAULT_TABLE 16114
#define SP_IDS_RESET_KEYBOARD 16115

class CSPToolbarButton;
class CSPToolbarCustomize;

class CSPHotKeyEdit : public CEdit {
    DECLARE_DYNAMIC(CSPHotKeyEdit)

public:
    CSPHotKeyEdit();
    ~CSPHotKeyEdit() override;

    void ResetKey();
    BOOL IsKeyDefined() const { return m_bIsDefined; }
    const ACCEL& GetAccel() const { return m_Accel; }
    ACCEL& GetAccel() { return m_Accel; }

    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    BOOL m_bIsDefined;
    ACCEL m_Accel;
    CSPKeyHelper m_Helper;
    BOOL m_bIsFirstTime;  // not armed yet

    void SetAccelFlag(BYTE bFlag, BOOL bOn);
    afx_msg void OnKillFocus(CWnd* pNewWnd);
    DECLARE_MESSAGE_MAP()
};

class CSPKeyboardPage : public CPropertyPage {
    DECLARE_DYNAMIC(CSPKeyboardPage)

public:
    CSPKeyboardPage(CFrameWnd* pParentFrame = NULL, BOOL bAutoSet = FALSE);
    ~CSPKeyboardPage() override;

    void SetAllCategory(LPCTSTR lpszCategory) { m_strAllCategory = lpszCategory; }

    CStatic m_wndAssignedToTitle;
    CSPHotKeyEdit m_wndNewKey;
    CComboBox m_wndViewTypeList;
    CStatic m_wndViewIcon;
    CButton m_wndRemoveButton;
    CListBox m_wndCurrentKeysList;
    CListBox m_wndCommandsList;
    CComboBox m_wndCategoryList;
    CButton m_wndAssignButton;
    CString m_strDescription;
    CString m_strAssignedTo;

    // The working copy of the table being edited.
    int GetAccelCount() const { return m_nAccelSize; }
    const ACCEL* GetAccels() const { return m_lpAccel; }

    afx_msg void OnAssign();
    afx_msg void OnRemove();
    afx_msg void OnResetAll();
    afx_msg void OnSelchangeCategory();
    afx_msg void OnSelchangeCommandsList();
    afx_msg void OnSelchangeCurrentKeysList();
    afx_msg void OnSelchangeViewType();
    afx_msg void OnUpdateNewShortcutKey();

protected:
    HACCEL m_hAccelTable;
    LPACCEL m_lpAccel;
    int m_nAccelSize;
    CMultiDocTemplate* m_pSelTemplate;
    CSPToolbarButton* m_pSelButton;
    LPACCEL m_pSelEntry;
    CFrameWnd* m_pParentFrame;
    BOOL m_bAutoSet;
    CString m_strAllCategory;

    CSPToolbarCustomize* GetCustomizeSheet() const;
    // Hands the working copy to the keyboard manager.
    void InstallWorkingCopy();
    void AddKeyEntry(LPACCEL pEntry);

    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    DECLARE_MESSAGE_MAP()
};
