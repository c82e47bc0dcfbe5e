// SPToolbarsPage.cpp - the Toolbars page, its check list and the toolbar
// name dialog.
#include "SPToolbarsPage.h"

#include "SPCommandManager.h"
#include "SPDropDownToolbarButton.h"
#include "SPMiniFrameWnd.h"
#include "SPGlobalData.h"
#include "SPToolBar.h"
#include "SPToolbarCustomize.h"

// --- the toolbars list ----------------------------------------------------------

IMPLEMENT_DYNAMIC(CSPToolbarsListBox, CCheckListBox)

BEGIN_MESSAGE_MAP(CSPToolbarsListBox, CCheckListBox)
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_KEYDOWN()
    ON_MESSAGE(LB_ADDSTRING, OnLBAddString)
    ON_MESSAGE(LB_INSERTSTRING, OnLBInsertString)
    ON_MESSAGE(LB_DELETESTRING, OnLBDeleteString)
    ON_MESSAGE(LB_RESETCONTENT, OnLBResetContent)
END_MESSAGE_MAP()

CSPToolbarsListBox::CSPToolbarsListBox() {}

CSPToolbarsListBox::~CSPToolbarsListBox() {}

void CSPToolbarsListBox::SetCheckEnabled(int iIndex, BOOL bEnabled) {
    if (iIndex >= 0 && iIndex < m_arCheckData.GetSize()) m_arCheckData[iIndex] = bEnabled;
}

BOOL CSPToolbarsListBox::IsCheckEnabled(int iIndex) const {
    return iIndex >= 0 && iIndex < m_arCheckData.GetSize() ? m_arCheckData[iIndex] : FALSE;
}

int CSPToolbarsListBox::CheckBoxAt(CPoint point) const {
    BOOL bOutside = TRUE;
    const int iIndex = (int)ItemFromPoint(point, bOutside);
    if (bOutside || !GetCheckRect(iIndex).PtInRect(point)) return -1;
    return iIndex;
}

void CSPToolbarsListBox::OnLButtonDown(UINT nFlags, CPoint point) {
    SetFocus();
    const int iIndex = CheckBoxAt(point);
    if (iIndex >= 0 && !IsCheckEnabled(iIndex)) {
        ::MessageBeep((UINT)-1);
        return;
    }
    CCheckListBox::OnLButtonDown(nFlags, point);
}

void CSPToolbarsListBox::OnLButtonDblClk(UINT nFlags, CPoint point) {
    const int iIndex = CheckBoxAt(point);
    if (iIndex >= 0 && !IsCheckEnabled(iIndex)) {
        ::MessageBeep((UINT)-1);
        return;
    }
    // The check list toggles a box and tells the parent itself.
    CCheckListBox::OnLButtonDblClk(nFlags, point);
}

void CSPToolbarsListBox::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) {
    if (nChar == VK_SPACE && !IsCheckEnabled((int)SendMessage(LB_GETCARETINDEX))) {
        ::MessageBeep((UINT)-1);
        return;
    }
    CCheckListBox::OnKeyDown(nChar, nRepCnt, nFlags);
}

LRESULT CSPToolbarsListBox::OnLBAddString(WPARAM wParam, LPARAM lParam) {
    const LRESULT lResult = CCheckListBox::OnLBAddString(wParam, lParam);
    if (lResult >= 0) m_arCheckData.InsertAt((INT_PTR)lResult, TRUE);
    return lResult;
}

LRESULT CSPToolbarsListBox::OnLBInsertString(WPARAM wParam, LPARAM lParam) {
    const LRESULT lResult = CCheckListBox::OnLBInsertString(wParam, lParam);
    if (lResult >= 0) m_arCheckData.InsertAt((INT_PTR)lResult, TRUE);
    return lResult;
}

LRESULT CSPToolbarsListBox::OnLBDeleteString(WPARAM wParam, LPARAM lParam) {
    const LRESULT lResult = Default();
    (void)lParam;
    if (lResult != LB_ERR && (INT_PTR)wParam < m_arCheckData.GetSize()) m_arCheckData.RemoveAt((INT_PTR)wParam);
    return lResult;
}

LRESULT CSPToolbarsListBox::OnLBResetContent(WPARAM, LPARAM) {
    m_arCheckData.RemoveAll();
    return Default();
}

// --- the name dialog ------------------------------------------------------------

BEGIN_MESSAGE_MAP(CSPToolbarNameDlg, CDialog)
    ON_EN_UPDATE(SP_IDC_TOOLBAR_NAME, OnUpdateToolbarName)
END_MESSAGE_MAP()

CSPToolbarNameDlg::CSPToolbarNameDlg(CWnd* pParent) : CDialog(SP_IDD_TOOLBAR_NAME, pParent) {}

void CSPToolbarNameDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDOK, m_btnOk);
    DDX_Text(pDX, SP_IDC_TOOLBAR_NAME, m_strToolbarName);
}

BOOL CSPToolbarNameDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    m_btnOk.EnableWindow(!m_strToolbarName.IsEmpty());
    return TRUE;
}

void CSPToolbarNameDlg::OnUpdateToolbarName() {
    UpdateData();
    m_btnOk.EnableWindow(!m_strToolbarName.IsEmpty());
}

// --- the page -------------------------------------------------------------------

IMPLEMENT_DYNAMIC(CSPToolbarsPage, CPropertyPage)

BEGIN_MESSAGE_MAP(CSPToolbarsPage, CPropertyPage)
    ON_LBN_SELCHANGE(SP_IDC_TOOLBARS_LIST, OnSelchangeToolbarList)
    ON_LBN_DBLCLK(SP_IDC_TOOLBARS_LIST, OnDblclkToolbarList)
    ON_BN_CLICKED(SP_IDC_RESET_ALL, OnResetAllToolbars)
    ON_BN_CLICKED(SP_IDC_RESET, OnResetToolbar)
    ON_BN_CLICKED(SP_IDC_NEW_TOOLBAR, OnNewToolbar)
    ON_BN_CLICKED(SP_IDC_RENAME_TOOLBAR, OnRenameToolbar)
    ON_BN_CLICKED(SP_IDC_DELETE_TOOLBAR, OnDeleteToolbar)
    ON_BN_CLICKED(SP_IDC_TEXT_LABELS, OnTextLabels)
END_MESSAGE_MAP()

CSPToolbarsPage::CSPToolbarsPage(CFrameWnd* pParentFrame)
    : CPropertyPage(SP_IDD_CUSTOMIZE_TOOLBARS),
      m_bTextLabels(FALSE),
      m_pSelectedToolbar(NULL),
      m_bUserDefinedToolbars(FALSE),
      m_pParentFrame(pParentFrame) {}

CSPToolbarsPage::~CSPToolbarsPage() {}

void CSPToolbarsPage::DoDataExchange(CDataExchange* pDX) {
    CPropertyPage::DoDataExchange(pDX);
    DDX_Control(pDX, SP_IDC_TEXT_LABELS, m_bntTextLabels);
    DDX_Control(pDX, SP_IDC_RENAME_TOOLBAR, m_bntRenameToolbar);
    DDX_Control(pDX, SP_IDC_NEW_TOOLBAR, m_btnNewToolbar);
    DDX_Control(pDX, SP_IDC_DELETE_TOOLBAR, m_btnDelete);
    DDX_Control(pDX, SP_IDC_RESET, m_btnReset);
    DDX_Control(pDX, SP_IDC_TOOLBARS_LIST, m_wndToolbarList);
    int nCheck = m_bTextLabels;
    DDX_Check(pDX, SP_IDC_TEXT_LABELS, nCheck);
    m_bTextLabels = nCheck;
}

static CString BarText(CSPToolBar* pBar) {
    CString strText;
    pBar->GetWindowText(strText);
    if (strText.IsEmpty()) {
        CSPResourceScope scope;
        strText.LoadString(SP_IDS_UNTITLED);
    }
    return strText;
}

int CSPToolbarsPage::AddToolbarEntry(CSPToolBar* pBar, LPCTSTR lpszText, BOOL bSelect) {
    const int iIndex = m_wndToolbarList.AddString(lpszText);
    if (iIndex < 0) return iIndex;
    m_wndToolbarList.SetItemDataPtr(iIndex, pBar);
    m_wndToolbarList.SetCheck(iIndex, (pBar->GetStyle() & WS_VISIBLE) != 0);
    m_wndToolbarList.SetCheckEnabled(iIndex, pBar->CanBeClosed());
    if (bSelect) {
        m_wndToolbarList.SetCurSel(iIndex);
        m_wndToolbarList.SetTopIndex(iIndex);
    }
    return iIndex;
}

BOOL CSPToolbarsPage::OnInitDialog() {
    CPropertyPage::OnInitDialog();
    if (!m_bUserDefinedToolbars) {
        m_btnNewToolbar.EnableWindow(FALSE);
        m_btnNewToolbar.ShowWindow(SW_HIDE);
        m_btnDelete.ShowWindow(SW_HIDE);
        m_bntRenameToolbar.ShowWindow(SW_HIDE);
    }
    CFrameWnd* pTopFrame = m_pParentFrame != NULL ? m_pParentFrame->GetTopLevelFrame() : NULL;
    for (POSITION pos = g_lstAllToolbars.GetHeadPosition(); pos != NULL;) {
        CSPToolBar* pBar = DYNAMIC_DOWNCAST(CSPToolBar, g_lstAllToolbars.GetNext(pos));
        if (pBar == NULL || CWnd::FromHandlePermanent(pBar->GetSafeHwnd()) != pBar) continue;
        if (pBar->IsKindOf(RUNTIME_CLASS(CSPDropDownToolBar))) continue;
        if (pBar->GetTopLevelFrame() != pTopFrame || !pBar->AllowShowOnList()) continue;
        AddToolbarEntry(pBar, BarText(pBar), FALSE);
    }
    CSPToolbarCustomize* pSheet = DYNAMIC_DOWNCAST(CSPToolbarCustomize, GetParent());
    if (pSheet == NULL || (pSheet->GetFlags() & SPCUSTOMIZE_TEXT_LABELS) == 0)
        m_bntTextLabels.ShowWindow(SW_HIDE);
    OnSelchangeToolbarList();
    return TRUE;
}

void CSPToolbarsPage::SetToolbarCheck(CSPToolBar* pToolBar, BOOL bCheck) {
    if (m_wndToolbarList.GetSafeHwnd() == NULL) return;
    for (int i = 0; i < m_wndToolbarList.GetCount(); i++) {
        if (m_wndToolbarList.GetItemDataPtr(i) == pToolBar) {
            m_wndToolbarList.SetCheck(i, bCheck);
            return;
        }
    }
}

void CSPToolbarsPage::OnSelchangeToolbarList() {
    const int iSel = m_wndToolbarList.GetCurSel();
    m_pSelectedToolbar = iSel >= 0 ? (CSPToolBar*)m_wndToolbarList.GetItemDataPtr(iSel) : NULL;
    if (m_pSelectedToolbar == (CSPToolBar*)-1) m_pSelectedToolbar = NULL;
    if (m_pSelectedToolbar == NULL) {
        m_btnReset.EnableWindow(FALSE);
        m_bntRenameToolbar.EnableWindow(FALSE);
        m_btnDelete.EnableWindow(FALSE);
        m_bntTextLabels.EnableWindow(FALSE);
        return;
    }
    const BOOL bUser = m_pSelectedToolbar->IsUserDefined();
    m_btnReset.EnableWindow(m_pSelectedToolbar->CanBeRestored());
    m_bntRenameToolbar.EnableWindow(bUser);
    m_btnDelete.EnableWindow(bUser);
    m_bntTextLabels.EnableWindow(m_pSelectedToolbar->AllowChangeTextLabels());
    m_bTextLabels = m_pSelectedToolbar->AreTextLabels();
    UpdateData(FALSE);
}

void CSPToolbarsPage::OnDblclkToolbarList() {
    const int iSel = m_wndToolbarList.GetCurSel();
    if (iSel >= 0 && m_pSelectedToolbar != NULL && m_pSelectedToolbar->CanBeClosed()) {
        m_wndToolbarList.SetCheck(iSel, !m_wndToolbarList.GetCheck(iSel));
        OnCommand(MAKEWPARAM(SP_IDC_TOOLBARS_LIST, CLBN_CHKCHANGE), (LPARAM)m_wndToolbarList.GetSafeHwnd());
    } else {
        ::MessageBeep((UINT)-1);
    }
    OnSelchangeToolbarList();
}

BOOL CSPToolbarsPage::OnCommand(WPARAM wParam, LPARAM lParam) {
    if (LOWORD(wParam) == SP_IDC_TOOLBARS_LIST && HIWORD(wParam) == CLBN_CHKCHANGE) {
        const int iSel = m_wndToolbarList.GetCurSel();
        if (iSel >= 0 && m_pSelectedToolbar != NULL) {
            const BOOL bShow = m_wndToolbarList.GetCheck(iSel) != 0;
            if (!m_pSelectedToolbar->CanBeClosed()) {
                if (!bShow) {
                    m_wndToolbarList.SetCheck(iSel, TRUE);
                    ::MessageBeep((UINT)-1);
                }
            } else {
                m_pSelectedToolbar->ShowControlBar(bShow, FALSE, TRUE);
            }
        }
    }
    return CPropertyPage::OnCommand(wParam, lParam);
}

void CSPToolbarsPage::OnReset() {
    if (m_pSelectedToolbar == NULL) return;
    CSPResourceScope scope;
    CString strPrompt;
    CString strName;
    m_pSelectedToolbar->GetWindowText(strName);
    strPrompt.Format(SP_IDS_RESET_TOOLBAR, (LPCTSTR)strName);
    if (AfxMessageBox(strPrompt, MB_YESNO | MB_ICONQUESTION) == IDYES) m_pSelectedToolbar->RestoreOriginalState();
}

void CSPToolbarsPage::OnResetAllToolbars() {
    CString strPrompt;
    {
        CSPResourceScope scope;
        strPrompt.LoadString(SP_IDS_RESET_ALL);
    }
    if (AfxMessageBox(strPrompt, MB_YESNO | MB_ICONQUESTION) != IDYES) return;
    CSPCommandManager* pCmdManager = SPGetCommandManager();
    pCmdManager->ClearAllCmdImages();
    for (POSITION pos = CSPToolBar::m_DefaultImages.GetStartPosition(); pos != NULL;) {
        UINT uiCmd = 0;
        int iImage = -1;
        CSPToolBar::m_DefaultImages.GetNextAssoc(pos, uiCmd, iImage);
        pCmdManager->SetCmdImage(uiCmd, iImage, FALSE);
    }
    for (int i = 0; i < m_wndToolbarList.GetCount(); i++) {
        CSPToolBar* pBar = (CSPToolBar*)m_wndToolbarList.GetItemDataPtr(i);
        if (pBar != NULL && pBar->CanBeRestored()) pBar->RestoreOriginalState();
    }
}

BOOL CSPToolbarsPage::AskToolbarName(CString& strName) {
    CSPResourceScope scope;
    CSPToolbarNameDlg dlg(this);
    dlg.m_strToolbarName = strName;
    if (dlg.DoModal() != IDOK) return FALSE;
    strName = dlg.m_strToolbarName;
    return TRUE;
}

void CSPToolbarsPage::OnNewToolbar() {
    CString strName;
    if (!AskToolbarName(strName)) return;
    if (m_pParentFrame == NULL || !::IsWindow(m_pParentFrame->GetSafeHwnd())) {
        ::MessageBeep(MB_ICONASTERISK);
        return;
    }
    CSPToolBar* pBar =
        (CSPToolBar*)m_pParentFrame->SendMessage(SP_WM_CREATETOOLBAR, 0, (LPARAM)(LPCTSTR)strName);
    if (pBar == NULL) return;
    AddToolbarEntry(pBar, strName, TRUE);
    m_wndToolbarList.SetCheck(m_wndToolbarList.GetCurSel(), TRUE);
    OnSelchangeToolbarList();
}

void CSPToolbarsPage::OnRenameToolbar() {
    if (m_pSelectedToolbar == NULL) return;
    CString strName;
    m_pSelectedToolbar->GetWindowText(strName);
    if (!AskToolbarName(strName)) return;
    m_pSelectedToolbar->SetWindowText(strName);
    if (m_pSelectedToolbar->IsFloating()) {
        CWnd* pMiniFrame = m_pSelectedToolbar->GetParent();
        if (pMiniFrame != NULL && pMiniFrame->IsKindOf(RUNTIME_CLASS(CSPMiniFrameWnd))) {
            pMiniFrame->SetWindowText(strName);
            pMiniFrame->Invalidate();
        }
    }
    // The list is sorted: the entry goes where its new name belongs.
    m_wndToolbarList.DeleteString(m_wndToolbarList.GetCurSel());
    AddToolbarEntry(m_pSelectedToolbar, strName, TRUE);
    OnSelchangeToolbarList();
}

void CSPToolbarsPage::OnDeleteToolbar() {
    if (m_pSelectedToolbar == NULL) return;
    if (m_pParentFrame == NULL || !::IsWindow(m_pParentFrame->GetSafeHwnd())) {
        ::MessageBeep(MB_ICONASTERISK);
        return;
    }
    CString strName;
    m_pSelectedToolbar->GetWindowText(strName);
    CString strPrompt;
    {
        CSPResourceScope scope;
        strPrompt.Format(SP_IDS_DELETE_TOOLBAR, (LPCTSTR)strName);
    }
    if (AfxMessageBox(strPrompt, MB_YESNO | MB_ICONQUESTION) != IDYES) return;
    if (m_pParentFrame->SendMessage(SP_WM_DELETETOOLBAR, 0, (LPARAM)m_pSelectedToolbar) == 0) {
        ::MessageBeep(MB_ICONASTERISK);
        return;
    }
    m_wndToolbarList.DeleteString(m_wndToolbarList.GetCurSel());
    m_pSelectedToolbar = NULL;
    m_wndToolbarList.SetCurSel(0);
    OnSelchangeToolbarList();
}

void CSPToolbarsPage::OnTextLabels() {
    UpdateData();
    if (m_pSelectedToolbar != NULL) m_pSelectedToolbar->EnableTextLabels(m_bTextLabels);
}
