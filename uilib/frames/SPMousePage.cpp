// SPMousePage.cpp - the Mouse page.
#include "SPMousePage.h"

#include "SPMouseManager.h"
#include "SPToolbarCustomize.h"

IMPLEMENT_DYNCREATE(CSPMousePage, CPropertyPage)

BEGIN_MESSAGE_MAP(CSPMousePage, CPropertyPage)
    ON_BN_CLICKED(SP_IDC_NO_DBLCLICK, OnNoDblClick)
    ON_BN_CLICKED(SP_IDC_USE_DBLCLICK, OnUseDblClick)
    ON_LBN_SELCHANGE(SP_IDC_DBLCLICK_COMMANDS, OnSelchangeListOfCommands)
    ON_NOTIFY(LVN_ITEMCHANGED, SP_IDC_VIEWS, OnItemchangedListViews)
END_MESSAGE_MAP()

CSPMousePage::CSPMousePage() : CPropertyPage(SP_IDD_CUSTOMIZE_MOUSE), m_iCurrViewId(-1) {}

CSPMousePage::~CSPMousePage() {}

void CSPMousePage::DoDataExchange(CDataExchange* pDX) {
    CPropertyPage::DoDataExchange(pDX);
    DDX_Control(pDX, SP_IDC_VIEWS, m_wndListOfViews);
    DDX_Control(pDX, SP_IDC_DBLCLICK_COMMANDS, m_wndListOfCommands);
    DDX_Control(pDX, SP_IDC_MOUSE_DESCRIPTION, m_wndCommandDescription);
    DDX_Text(pDX, SP_IDC_MOUSE_DESCRIPTION, m_strCommandDescription);
}

BOOL CSPMousePage::OnInitDialog() {
    CPropertyPage::OnInitDialog();
    if (g_pMouseManager == NULL) return TRUE;
    CStringList lstNames;
    g_pMouseManager->GetViewNames(lstNames);

    const int cxIcon = ::GetSystemMetrics(SM_CXSMICON);
    const int cyIcon = ::GetSystemMetrics(SM_CYSMICON);
    m_ViewsImages.Create(cxIcon, cyIcon, ILC_COLOR32 | ILC_MASK, (int)lstNames.GetCount(), 1);
    m_wndListOfViews.SetImageList(&m_ViewsImages, LVSIL_SMALL);
    CRect rectClient;
    m_wndListOfViews.GetClientRect(rectClient);
    m_wndListOfViews.InsertColumn(0, _T(""), LVCFMT_LEFT, rectClient.Width() - 1);

    int nMaxWidth = 0;
    for (POSITION pos = lstNames.GetHeadPosition(); pos != NULL;) {
        const CString strName = lstNames.GetNext(pos);
        const int iViewId = g_pMouseManager->GetViewIdByName(strName);
        const UINT uiIconId = g_pMouseManager->GetViewIconId(iViewId);
        int iImage = -1;
        HICON hIcon = uiIconId != 0 ? AfxGetApp()->LoadIcon(uiIconId) : NULL;
        if (hIcon != NULL) {
            iImage = m_ViewsImages.Replace(-1, hIcon);
            ::DestroyIcon(hIcon);
        }
        int iInsert = m_wndListOfViews.GetItemCount();
        for (int i = 0; i < m_wndListOfViews.GetItemCount(); i++) {
            if (m_wndListOfViews.GetItemText(i, 0).Compare(strName) > 0) {
                iInsert = i;
                break;
            }
        }
        const int iItem = m_wndListOfViews.InsertItem(iInsert, strName, iImage);
        if (iItem >= 0) m_wndListOfViews.SetItemData(iItem, (DWORD_PTR)iViewId);
        const int nWidth = m_wndListOfViews.GetStringWidth(strName);
        if (nWidth > nMaxWidth) nMaxWidth = nWidth;
    }
    m_wndListOfViews.SetColumnWidth(0, nMaxWidth + cxIcon + 10);

    CSPToolbarCustomize* pSheet = DYNAMIC_DOWNCAST(CSPToolbarCustomize, GetParent());
    if (pSheet != NULL) pSheet->FillAllCommandsList(m_wndListOfCommands);

    m_wndListOfViews.SetItemState(0, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    m_wndListOfViews.EnsureVisible(0, FALSE);
    return TRUE;
}

CString CSPMousePage::MessageStringOf(UINT uiCmd) const {
    CString str;
    CSPToolbarCustomize* pSheet = DYNAMIC_DOWNCAST(CSPToolbarCustomize, GetParent());
    CFrameWnd* pFrame = pSheet != NULL ? pSheet->GetParentFrame() : NULL;
    if (pFrame != NULL && pFrame->GetSafeHwnd() != NULL) pFrame->GetMessageString(uiCmd, str);
    return str;
}

void CSPMousePage::OnItemchangedListViews(NMHDR* pNMHDR, LRESULT* pResult) {
    *pResult = 0;
    const NMLISTVIEW* pNMListView = (const NMLISTVIEW*)pNMHDR;
    if (pNMListView->uChanged != LVIF_STATE) return;
    const int iSel = m_wndListOfViews.GetNextItem(-1, LVNI_SELECTED);
    if (iSel < 0) return;
    m_iCurrViewId = (int)m_wndListOfViews.GetItemData(iSel);
    const UINT uiCmd = g_pMouseManager != NULL ? g_pMouseManager->GetViewDblClickCommand(m_iCurrViewId) : 0;
    CheckDlgButton(SP_IDC_USE_DBLCLICK, uiCmd != 0);
    CheckDlgButton(SP_IDC_NO_DBLCLICK, uiCmd == 0);
    EnableDblClickControls(uiCmd != 0);
    if (uiCmd != 0) SelectCommand(uiCmd);
}

void CSPMousePage::EnableDblClickControls(BOOL bEnable) {
    m_wndListOfCommands.EnableWindow(bEnable);
    m_wndCommandDescription.EnableWindow(bEnable);
    if (!bEnable) {
        m_wndListOfCommands.SetCurSel(-1);
        m_strCommandDescription.Empty();
        UpdateData(FALSE);
    }
}

BOOL CSPMousePage::SelectCommand(UINT uiCmd) {
    m_strCommandDescription = MessageStringOf(uiCmd);
    UpdateData(FALSE);
    for (int i = 0; i < m_wndListOfCommands.GetCount(); i++) {
        if (m_wndListOfCommands.GetItemData(i) == uiCmd) {
            m_wndListOfCommands.SetCurSel(i);
            m_wndListOfCommands.SetTopIndex(i);
            return TRUE;
        }
    }
    return FALSE;
}

void CSPMousePage::OnNoDblClick() {
    if (m_iCurrViewId >= 0 && g_pMouseManager != NULL) g_pMouseManager->SetCommandForDblClick(m_iCurrViewId, 0);
    EnableDblClickControls(FALSE);
}

void CSPMousePage::OnUseDblClick() {
    EnableDblClickControls(TRUE);
    if (m_iCurrViewId < 0) {
        ::MessageBeep((UINT)-1);
        return;
    }
    if (g_pMouseManager != NULL) g_pMouseManager->SetCommandForDblClick(m_iCurrViewId, 0);
}

void CSPMousePage::OnSelchangeListOfCommands() {
    if (m_iCurrViewId < 0) {
        ::MessageBeep((UINT)-1);
        return;
    }
    const int iSel = m_wndListOfCommands.GetCurSel();
    if (iSel < 0) return;
    const UINT uiCmd = (UINT)m_wndListOfCommands.GetItemData(iSel);
    m_strCommandDescription = MessageStringOf(uiCmd);
    if (g_pMouseManager != NULL) g_pMouseManager->SetCommandForDblClick(m_iCurrViewId, uiCmd);
    UpdateData(FALSE);
}
