// afxdlgs.h - property sheets and the common dialogs:
//   CPropertyPage, CPropertySheet  modal, modeless and as a child control
//   CCommonDialog                   base of the common dialogs, with a test seam
//   CFileDialog, CColorDialog, CFontDialog, CPrintDialog
#pragma once
#include "afxctl.h"
#include "afxcmn.h"
#include <prsht.h>
#include <vector>

// --- property sheets ---------------------------------------------------------------

class CPropertySheet;

class CPropertyPage : public CDialog {
    DECLARE_DYNAMIC(CPropertyPage)
public:
    CPropertyPage();
    explicit CPropertyPage(UINT nIDTemplate, UINT nIDCaption = 0);
    explicit CPropertyPage(LPCTSTR lpszTemplateName, UINT nIDCaption = 0);
    void Construct(UINT nIDTemplate, UINT nIDCaption = 0);
    void Construct(LPCTSTR lpszTemplateName, UINT nIDCaption = 0);
    virtual ~CPropertyPage();

    PROPSHEETPAGE m_psp;  // lParam is this page

    void CancelToClose() { ::SendMessage(::GetParent(m_hWnd), PSM_CANCELTOCLOSE, 0, 0); }
    void SetModified(BOOL bChanged = TRUE);
    // The sheet this page is shown in, or NULL.
    CPropertySheet* GetSheet() const;

    // overridables (PSN_ notifications)
    virtual BOOL OnSetActive();   // later activations refresh the controls (UpdateData(FALSE))
    virtual BOOL OnKillActive();  // validates (UpdateData(TRUE)); FALSE keeps the page
    virtual BOOL OnApply();       // OnOK, TRUE
    virtual void OnReset();       // OnCancel
    void OnOK() override;
    void OnCancel() override;
    virtual BOOL OnQueryCancel();
    virtual LRESULT OnWizardBack();
    virtual LRESULT OnWizardNext();
    virtual BOOL OnWizardFinish();
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    CString m_strCaption;
    BOOL m_bFirstSetActive;
    friend INT_PTR CALLBACK AfxPropPageDlgProc(HWND, UINT, WPARAM, LPARAM);
};

INT_PTR CALLBACK AfxPropPageDlgProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

class CPropertySheet : public CWnd {
    DECLARE_DYNAMIC(CPropertySheet)
public:
    CPropertySheet();
    explicit CPropertySheet(UINT nIDCaption, CWnd* pParentWnd = NULL, UINT iSelectPage = 0);
    explicit CPropertySheet(LPCTSTR pszCaption, CWnd* pParentWnd = NULL, UINT iSelectPage = 0);
    void Construct(UINT nIDCaption, CWnd* pParentWnd = NULL, UINT iSelectPage = 0);
    void Construct(LPCTSTR pszCaption, CWnd* pParentWnd = NULL, UINT iSelectPage = 0);
    virtual ~CPropertySheet();

    PROPSHEETHEADER m_psh;  // PSH_WIZARD makes a wizard

    // Modeless: dwStyle -1 gives a popup with caption and system menu; a
    // WS_CHILD style makes the sheet a child control of pParentWnd.
    virtual BOOL Create(CWnd* pParentWnd = NULL, DWORD dwStyle = (DWORD)-1, DWORD dwExStyle = 0);
    // Modal: runs its own loop; IDOK or IDCANCEL (-1 when it could not open).
    virtual INT_PTR DoModal();

    // pages
    void AddPage(CPropertyPage* pPage);
    void RemovePage(CPropertyPage* pPage);
    void RemovePage(int nPage);
    int GetPageCount() const;
    CPropertyPage* GetPage(int nPage) const;
    int GetPageIndex(CPropertyPage* pPage) const;
    CPropertyPage* GetActivePage() const;
    int GetActiveIndex() const;
    BOOL SetActivePage(int nPage);
    BOOL SetActivePage(CPropertyPage* pPage);
    CTabCtrl* GetTabControl() const;
    void SetTitle(LPCTSTR lpszText, UINT nStyle = 0);
    void SetWizardMode() { m_psh.dwFlags |= PSH_WIZARD; }
    void SetWizardButtons(DWORD dwFlags) { ::PostMessage(m_hWnd, PSM_SETWIZBUTTONS, 0, dwFlags); }
    void EndDialog(int nEndID);
    BOOL PressButton(int nButton) { return (BOOL)SendMessage(PSM_PRESSBUTTON, nButton); }

    // overridables
    virtual void BuildPropPageArray();
    virtual BOOL OnInitDialog();
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    BOOL ContinueModal() override;
    void PostNcDestroy() override;

    // implementation
    CWnd* m_pParentWnd;
    CString m_strCaption;
    DWORD m_dwStyle;    // Create's styles, applied by the PSCB_PRECREATE callback
    DWORD m_dwExStyle;
    BOOL m_bModeless;

protected:
    std::vector<CPropertyPage*> m_pages;
    std::vector<PROPSHEETPAGE> m_pageStructs;
    BOOL CreateSheetWindow(HWND hWndParent);
    afx_msg LRESULT HandleInitDialog(WPARAM, LPARAM);
    afx_msg LRESULT OnKickIdle(WPARAM, LPARAM);
    DECLARE_MESSAGE_MAP()
    friend int CALLBACK AfxPropSheetCallback(HWND, UINT, LPARAM);
};

// --- common dialogs ------------------------------------------------------------------

class CCommonDialog : public CDialog {
    DECLARE_DYNAMIC(CCommonDialog)
public:
    explicit CCommonDialog(CWnd* pParentWnd) : CDialog((LPCTSTR)NULL, pParentWnd) {}
    // The test seam: while a hook is set, DoModal of every common dialog
    // shows nothing and answers what the hook answers (IDOK or IDCANCEL);
    // the hook fills in the dialog's structure as the user would.
    typedef INT_PTR(AFXAPI* AFX_COMMONDIALOG_HOOK)(CCommonDialog* pDialog);
    static AFX_COMMONDIALOG_HOOK PASCAL SetTestHook(AFX_COMMONDIALOG_HOOK pfnHook);

protected:
    static AFX_COMMONDIALOG_HOOK s_pfnTestHook;
    HWND GetOwnerWindow() const;
};

class CFileDialog : public CCommonDialog {
    DECLARE_DYNAMIC(CFileDialog)
public:
    // lpszFilter: "Name|*.ext|Name|*.ext||" with '|' between the parts.
    explicit CFileDialog(BOOL bOpenFileDialog, LPCTSTR lpszDefExt = NULL, LPCTSTR lpszFileName = NULL,
                         DWORD dwFlags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, LPCTSTR lpszFilter = NULL,
                         CWnd* pParentWnd = NULL);
    OPENFILENAME m_ofn;
    BOOL m_bOpenFileDialog;

    INT_PTR DoModal() override;
    CString GetPathName() const { return m_szFileName; }
    CString GetFileName() const;
    CString GetFileExt() const;
    CString GetFileTitle() const;

protected:
    TCHAR m_szFileName[MAX_PATH * 2];
    TCHAR m_szFileTitle[MAX_PATH];
    CString m_strFilter;
    CString m_strDefExt;
};

class CColorDialog : public CCommonDialog {
    DECLARE_DYNAMIC(CColorDialog)
public:
    explicit CColorDialog(COLORREF clrInit = 0, DWORD dwFlags = 0, CWnd* pParentWnd = NULL);
    CHOOSECOLOR m_cc;
    INT_PTR DoModal() override;
    COLORREF GetColor() const { return m_cc.rgbResult; }
    void SetCurrentColor(COLORREF clr) { m_cc.rgbResult = clr; }
    static COLORREF* PASCAL GetSavedCustomColors();
};

class CFontDialog : public CCommonDialog {
    DECLARE_DYNAMIC(CFontDialog)
public:
    explicit CFontDialog(LPLOGFONT lplfInitial = NULL, DWORD dwFlags = CF_EFFECTS | CF_SCREENFONTS,
                         CDC* pdcPrinter = NULL, CWnd* pParentWnd = NULL);
    CHOOSEFONT m_cf;
    LOGFONT m_lf;
    INT_PTR DoModal() override;
    void GetCurrentFont(LPLOGFONT lplf) { *lplf = m_lf; }
    COLORREF GetColor() const { return m_cf.rgbColors; }
    int GetSize() const { return m_cf.iPointSize; }
};

class CPrintDialog : public CCommonDialog {
    DECLARE_DYNAMIC(CPrintDialog)
public:
    explicit CPrintDialog(BOOL bPrintSetupOnly,
                          DWORD dwFlags = PD_ALLPAGES | PD_USEDEVMODECOPIES | PD_NOPAGENUMS | PD_HIDEPRINTTOFILE |
                                          PD_NOSELECTION,
                          CWnd* pParentWnd = NULL);
    PRINTDLG m_pd;
    INT_PTR DoModal() override;
    HDC GetPrinterDC() const { return m_pd.hDC; }
};
