// SPToolsPage.cpp - the Tools page and its tools list.
#include "SPToolsPage.h"

#include "SPGlobalData.h"
#include "SPToolbarCustomize.h"
#include "SPUserTool.h"
#include "SPUserToolsManager.h"

// --- the tools list -------------------------------------------------------------

void CSPToolsListBox::OnSelectionChanged() {
    const int iSel = GetSelItem();
    CSPUserTool* pTool = iSel >= 0 ? (CSPUserTool*)GetItemData(iSel) : NULL;
    m_pParent->m_strCommand.Empty();
    m_pParent->m_strArguments.Empty();
    m_pParent->m_strInitialDirectory.Empty();
    if (pTool != NULL) {
        m_pParent->m_strCommand = pTool->GetCommand();
        m_pParent->m_strArguments = pTool->m_strArguments;
        m_pParent->m_strInitialDirectory = pTool->m_strInitialDirectory;
    }
    CSPToolbarCustomize* pSheet = m_pParent->GetCustomizeSheet();
    if (pSheet != NULL) pSheet->OnBeforeChangeTool(m_pParent->m_pSelTool);
    m_pParent->m_pSelTool = pTool;
    m_pParent->UpdateData(FALSE);
    m_pParent->EnableControls();
    if (pSheet != NULL) pSheet->OnAfterChangeTool(pTool);
}

BOOL CSPToolsListBox::OnBeforeRemoveItem(int iItem) {
    CSPUserTool* pTool = (CSPUserTool*)GetItemData(iItem);
    if (pTool != NULL && g_pUserToolsManager != NULL) g_pUserToolsManager->RemoveTool(pTool);
    SetItemData(iItem, 0);
    m_pParent->m_pSelTool = NULL;
    return TRUE;
}

void CSPToolsListBox::OnAfterAddItem(int iItem) {
    CSPUserTool* pTool = m_pParent->CreateNewTool();
    if (pTool == NULL) {
        RemoveItem(iItem);
        return;
    }
    pTool->m_strLabel = GetItemText(iItem);
    SetItemData(iItem, (DWORD_PTR)pTool);
    OnSelectionChanged();
}

void CSPToolsListBox::OnAfterRenameItem(int iItem) {
    CSPUserTool* pTool = (CSPUserTool*)GetItemData(iItem);
    if (pTool != NULL) pTool->m_strLabel = GetItemText(iItem);
}

void CSPToolsListBox::OnAfterMoveItemUp(int iItem) {
    CSPUserTool* pTool = (CSPUserTool*)GetItemData(iItem);
    if (pTool != NULL && g_pUserToolsManager != NULL) g_pUserToolsManager->MoveToolUp(pTool);
}

void CSPToolsListBox::OnAfterMoveItemDown(int iItem) {
    CSPUserTool* pTool = (CSPUserTool*)GetItemData(iItem);
    if (pTool != NULL && g_pUserToolsManager != NULL) g_pUserToolsManager->MoveToolDown(pTool);
}

// --- the page -------------------------------------------------------------------

BEGIN_MESSAGE_MAP(CSPToolsPage, CPropertyPage)
    ON_BN_CLICKED(SP_IDC_TOOL_BROWSE, OnBrowseCommand)
    ON_BN_CLICKED(SP_IDC_TOOL_ARGUMENTS_MENU, OnArgumentsOptions)
    ON_BN_CLICKED(SP_IDC_TOOL_INITIAL_DIR_MENU, OnInitialDirectoryOptions)
    ON_EN_UPDATE(SP_IDC_TOOL_COMMAND, OnUpdateTool)
    ON_EN_UPDATE(SP_IDC_TOOL_ARGUMENTS, OnUpdateTool)
    ON_EN_UPDATE(SP_IDC_TOOL_INITIAL_DIR, OnUpdateTool)
END_MESSAGE_MAP()

CSPToolsPage::CSPToolsPage() : CPropertyPage(SP_IDD_CUSTOMIZE_TOOLS), m_wndToolsList(this), m_pSelTool(NULL) {}

CSPToolsPage::~CSPToolsPage() {}

CSPToolbarCustomize* CSPToolsPage::GetCustomizeSheet() const {
    return DYNAMIC_DOWNCAST(CSPToolbarCustomize, GetParent());
}

void CSPToolsPage::DoDataExchange(CDataExchange* pDX) {
    CPropertyPage::DoDataExchange(pDX);
    DDX_Control(pDX, SP_IDC_TOOL_INITIAL_DIR_MENU, m_wndInitialDirBtn);
    DDX_Control(pDX, SP_IDC_TOOL_ARGUMENTS_MENU, m_wndArgumentsBtn);
    DDX_Control(pDX, SP_IDC_TOOL_ARGUMENTS, m_wndArgumentsEdit);
    DDX_Control(pDX, SP_IDC_TOOL_INITIAL_DIR, m_wndInitialDirEdit);
    DDX_Control(pDX, SP_IDC_TOOL_COMMAND, m_wndCommandEdit);
    DDX_Control(pDX, SP_IDC_TOOL_BROWSE, m_wndBrowseBtn);
    DDX_Control(pDX, SP_IDC_TOOLS_LIST, m_wndToolsList);
    DDX_Text(pDX, SP_IDC_TOOL_COMMAND, m_strCommand);
    DDX_Text(pDX, SP_IDC_TOOL_ARGUMENTS, m_strArguments);
    DDX_Text(pDX, SP_IDC_TOOL_INITIAL_DIR, m_strInitialDirectory);
}

BOOL CSPToolsPage::OnInitDialog() {
    CPropertyPage::OnInitDialog();
    m_wndToolsList.SetStandardButtons();
    CSPToolbarCustomize* pSheet = GetCustomizeSheet();
    if (pSheet != NULL) pSheet->OnInitToolsPage();

    if (g_pUserToolsManager != NULL) {
        const CObList& lstTools = g_pUserToolsManager->GetUserTools();
        for (POSITION pos = lstTools.GetHeadPosition(); pos != NULL;) {
            CSPUserTool* pTool = (CSPUserTool*)lstTools.GetNext(pos);
            m_wndToolsList.AddItem(pTool->m_strLabel, (DWORD_PTR)pTool);
        }
        // Each menu button opens its menu's first submenu to its right.
        struct {
            UINT uiMenuId;
            CMenu& menu;
            CSPMenuButton& button;
        } buttons[] = {{g_pUserToolsManager->GetInitialDirMenuID(), m_menuInitialDir, m_wndInitialDirBtn},
                       {g_pUserToolsManager->GetArgumentsMenuID(), m_menuArguments, m_wndArgumentsBtn}};
        for (auto& b : buttons) {
            if (b.uiMenuId == 0 || !b.menu.LoadMenu(b.uiMenuId)) continue;
            CMenu* pPopup = b.menu.GetSubMenu(0);
            b.button.m_hMenu = pPopup != NULL ? pPopup->GetSafeHmenu() : NULL;
            b.button.m_bRightArrow = TRUE;
            b.button.ShowWindow(SW_SHOW);
        }
    }
    EnableControls();
    return TRUE;
}

void CSPToolsPage::EnableControls() {
    const BOOL bEnable = m_pSelTool != NULL;
    m_wndCommandEdit.EnableWindow(bEnable);
    m_wndArgumentsEdit.EnableWindow(bEnable);
    m_wndInitialDirEdit.EnableWindow(bEnable);
    m_wndBrowseBtn.EnableWindow(bEnable);
    m_wndArgumentsBtn.EnableWindow(bEnable);
    m_wndInitialDirBtn.EnableWindow(bEnable);
}

CSPUserTool* CSPToolsPage::CreateNewTool() {
    if (g_pUserToolsManager == NULL) return NULL;
    const int nMaxTools = g_pUserToolsManager->GetMaxTools();
    if (g_pUserToolsManager->GetUserTools().GetCount() >= nMaxTools) {
        CSPResourceScope scope;
        CString strMessage;
        strMessage.Format(SP_IDS_TOOLS_LIMIT, nMaxTools);
        AfxMessageBox(strMessage);
        return NULL;
    }
    return g_pUserToolsManager->CreateNewTool();
}

void CSPToolsPage::OnUpdateTool() {
    UpdateData();
    if (m_pSelTool != NULL) {
        m_pSelTool->SetCommand(m_strCommand);
        m_pSelTool->m_strArguments = m_strArguments;
        m_pSelTool->m_strInitialDirectory = m_strInitialDirectory;
    } else {
        m_strCommand.Empty();
        m_strArguments.Empty();
        m_strInitialDirectory.Empty();
        UpdateData(FALSE);
    }
    EnableControls();
}

BOOL CSPToolsPage::AskCommandFile(CString& strPath) {
    if (g_pUserToolsManager == NULL) return FALSE;
    CFileDialog dlg(TRUE, g_pUserToolsManager->GetDefExt(), NULL, 0, g_pUserToolsManager->GetFilter(), this);
    if (dlg.DoModal() != IDOK) return FALSE;
    strPath = dlg.GetPathName();
    return TRUE;
}

void CSPToolsPage::OnBrowseCommand() {
    CString strPath;
    if (!AskCommandFile(strPath)) return;
    m_strCommand = strPath;
    UpdateData(FALSE);
    OnUpdateTool();
}

void CSPToolsPage::TypeText(CEdit& edit, UINT uiStringId) {
    CString strText;
    if (uiStringId == 0 || !strText.LoadString(uiStringId)) return;
    edit.SetFocus();
    for (int i = 0; i < strText.GetLength(); i++) edit.SendMessage(WM_CHAR, (WPARAM)(BYTE)strText[i]);
}

void CSPToolsPage::TypeMenuChoice(CSPMenuButton& button, CEdit& edit) {
    const UINT uiChoice = (UINT)button.m_nMenuResult;
    // A click that closed the menu without a choice types nothing, and a
    // choice is typed once.
    button.m_nMenuResult = 0;
    TypeText(edit, uiChoice);
}

void CSPToolsPage::OnArgumentsOptions() { TypeMenuChoice(m_wndArgumentsBtn, m_wndArgumentsEdit); }

void CSPToolsPage::OnInitialDirectoryOptions() { TypeMenuChoice(m_wndInitialDirBtn, m_wndInitialDirEdit); }

void CSPToolsPage::OnOK() {
    OnUpdateTool();
    CPropertyPage::OnOK();
}

BOOL CSPToolsPage::OnKillActive() {
    CSPToolbarCustomize* pSheet = GetCustomizeSheet();
    if (pSheet != NULL && g_pUserToolsManager != NULL &&
        !pSheet->CheckToolsValidity(g_pUserToolsManager->GetUserTools()))
        return FALSE;
    return CPropertyPage::OnKillActive();
}
