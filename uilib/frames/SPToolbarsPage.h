// SPToolbarsPage.h - the Toolbars page of the customisation sheet: the
// frame's bars checked by visibility, resetting bars and menus, text
// labels, and user toolbars made and deleted by the frame. Also the check
// list that refuses to uncheck bars that cannot be closed, and the toolbar
// name dialog.
#pragma once
#include "afxwin.h"
#include "afxctl.h"
#include "afxdlgs.h"
#include "afxtempl.h"

#define SP_IDD_CUSTOMIZE_TOOLBARS 16105
#define SP_IDD_TOOLBAR_NAME 16130
#define SP_IDC_TOOLBARS_LIST 16611
#define SP_IDC_TEXT_LABELS 16612
#define SP_IDC_RESET 16613
#define SP_IDC_RESET_ALL 16614
#define SP_IDC_NEW_TOOLBAR 16615
#define SP_IDC_RENAME_TOOLBAR 16616
#define SP_IDC_DELETE_TOOLBAR 16617
#define SP_IDC_TOOLBAR_NAME 16516
#define SP_IDS_UNTITLED 16104
#define SP_IDS_DELETE_TOOLBAR 16109
#define SP_IDS_RESET_TOOLBAR 16111
#define SP_IDS_RESET_ALL 16112

class CSPToolBar;

class CSPToolbarsListBox : public CCheckListBox {
    DECLARE_DYNAMIC(CSPToolbarsListBox)

public:
    CSPToolbarsListBox();
    ~CSPToolbarsListBox() override;

    void SetCheckEnabled(int iIndex, BOOL bEnabled = TRUE);
    BOOL IsCheckEnabled(int iIndex) const;

protected:
    CArray<BOOL, BOOL> m_arCheckData;

    // The entry whose check box is at the point, -1 when none.
    int CheckBoxAt(CPoint point) const;

    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg LRESULT OnLBAddString(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnLBInsertString(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnLBDeleteString(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnLBResetContent(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()
};

class CSPToolbarNameDlg : public CDialog {
public:
    explicit CSPToolbarNameDlg(CWnd* pParent = NULL);

    CString m_strToolbarName;

protected:
    CButton m_btnOk;
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    afx_msg void OnUpdateToolbarName();
    DECLARE_MESSAGE_MAP()
};

class CSPToolbarsPage : public CPropertyPage {
    DECLARE_DYNAMIC(CSPToolbarsPage)

public:
    explicit CSPToolbarsPage(CFrameWnd* pParentFrame = NULL);
    ~CSPToolbarsPage() override;

    void SetToolbarCheck(CSPToolBar* pToolBar, BOOL bCheck);
    void EnableUserDefinedToolbars(BOOL bEnable) { m_bUserDefinedToolbars = bEnable; }
    CSPToolBar* GetSelectedToolbar() const { return m_pSelectedToolbar; }

    CButton m_bntTextLabels;
    CButton m_bntRenameToolbar;
    CButton m_btnNewToolbar;
    CButton m_btnDelete;
    CButton m_btnReset;
    CSPToolbarsListBox m_wndToolbarList;
    BOOL m_bTextLabels;

    // Carries out the name dialog; tests answer it.
    virtual BOOL AskToolbarName(CString& strName);

protected:
    CSPToolBar* m_pSelectedToolbar;
    BOOL m_bUserDefinedToolbars;
    CFrameWnd* m_pParentFrame;

    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void OnReset() override;
    // The entry for the bar, selected and made the top entry.
    int AddToolbarEntry(CSPToolBar* pBar, LPCTSTR lpszText, BOOL bSelect);
    afx_msg void OnSelchangeToolbarList();
    afx_msg void OnDblclkToolbarList();
    afx_msg void OnResetAllToolbars();
    afx_msg void OnResetToolbar() { OnReset(); }
    afx_msg void OnNewToolbar();
    afx_msg void OnRenameToolbar();
    afx_msg void OnDeleteToolbar();
    afx_msg void OnTextLabels();
    DECLARE_MESSAGE_MAP()
};
