// SPKeyboardPage.cpp - the Keyboard page and the hot-key edit.
#include "SPKeyboardPage.h"

#include <vector>

#include "SPCustomizePage.h"
#include "SPGlobalData.h"
#include "SPToolBar.h"
#include "SPToolbarCustomize.h"

// --- the hot-key edit -----------------------------------------------------------

IMPLEMENT_DYNAMIC(CSPHotKeyEdit, CEdit)

BEGIN_MESSAGE_MAP(CSPHotKeyEdit, CEdit)
    ON_WM_KILLFOCUS()
END_MESSAGE_MAP()

CSPHotKeyEdit::CSPHotKeyEdit() : m_bIsDefined(FALSE), m_bIsFirstTime(TRUE) {
    memset(&m_Accel, 0, sizeof(m_Accel));
    m_Helper.SetAccelerator(&m_Accel);
}

CSPHotKeyEdit::~CSPHotKeyEdit() {}

void CSPHotKeyEdit::ResetKey() {
    memset(&m_Accel, 0, sizeof(m_Accel));
    m_bIsDefined = FALSE;
    if (GetSafeHwnd() != NULL) SetWindowText(_T(""));
}

void CSPHotKeyEdit::SetAccelFlag(BYTE bFlag, BOOL bOn) {
    if (bOn)
        m_Accel.fVirt |= bFlag;
    else
        m_Accel.fVirt &= ~bFlag;
}

BOOL CSPHotKeyEdit::PreTranslateMessage(MSG* pMsg) {
    switch (pMsg->message) {
    case WM_LBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_RBUTTONDOWN:
        m_bIsFirstTime = FALSE;
        SetFocus();
        return TRUE;
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_SYSKEYDOWN:
    case WM_SYSKEYUP: {
        const BOOL bDown = pMsg->message == WM_KEYDOWN || pMsg->message == WM_SYSKEYDOWN;
        const BOOL bRepeat = (pMsg->lParam & (1 << 30)) != 0;
        if (bDown && !bRepeat && m_bIsDefined) ResetKey();
        if (!m_bIsDefined) {
            switch (pMsg->wParam) {
            case VK_SHIFT:
                SetAccelFlag(FSHIFT, bDown);
                break;
            case VK_CONTROL:
                SetAccelFlag(FCONTROL, bDown);
                break;
            case VK_MENU:
                SetAccelFlag(FALT, bDown);
                break;
            default:
                // The key that brought the focus here (Tab) is not recorded.
                if (m_bIsFirstTime) {
                    m_bIsFirstTime = FALSE;
                    return TRUE;
                }
                m_Accel.key = (WORD)pMsg->wParam;
                if (bDown) {
                    m_bIsDefined = TRUE;
                    SetAccelFlag(FVIRTKEY, TRUE);
                }
            }
        }
        if ((m_Accel.fVirt & (FSHIFT | FCONTROL | FALT)) == 0 && (m_Accel.fVirt & FVIRTKEY)) {
            if (m_Accel.key == VK_TAB) {
                ResetKey();
                return CEdit::PreTranslateMessage(pMsg);
            }
            if (m_Accel.key == VK_ESCAPE) {
                ResetKey();
                return TRUE;
            }
        }
        CString strKey;
        m_Helper.Format(strKey);
        SetWindowText(strKey);
        return TRUE;
    }
    }
    return CEdit::PreTranslateMessage(pMsg);
}

void CSPHotKeyEdit::OnKillFocus(CWnd* pNewWnd) {
    m_bIsFirstTime = TRUE;
    CEdit::OnKillFocus(pNewWnd);
}

// --- the page -------------------------------------------------------------------

IMPLEMENT_DYNAMIC(CSPKeyboardPage, CPropertyPage)

BEGIN_MESSAGE_MAP(CSPKeyboardPage, CPropertyPage)
    ON_BN_CLICKED(SP_IDC_ASSIGN_KEY, OnAssign)
    ON_BN_CLICKED(SP_IDC_REMOVE_KEY, OnRemove)
    ON_BN_CLICKED(SP_IDC_RESET_KEYS, OnResetAll)
    ON_CBN_SELCHANGE(SP_IDC_CATEGORIES, OnSelchangeCategory)
    ON_LBN_SELCHANGE(SP_IDC_KEY_COMMANDS, OnSelchangeCommandsList)
    ON_LBN_SELCHANGE(SP_IDC_CURRENT_KEYS, OnSelchangeCurrentKeysList)
    ON_CBN_SELCHANGE(SP_IDC_ACCEL_FOR, OnSelchangeViewType)
    ON_EN_UPDATE(SP_IDC_NEW_KEY, OnUpdateNewShortcutKey)
END_MESSAGE_MAP()

CSPKeyboardPage::CSPKeyboardPage(CFrameWnd* pParentFrame, BOOL bAutoSet)
    : CPropertyPage(SP_IDD_CUSTOMIZE_KEYBOARD),
      m_hAccelTable(NULL),
      m_lpAccel(NULL),
      m_nAccelSize(0),
      m_pSelTemplate(NULL),
      m_pSelButton(NULL),
      m_pSelEntry(NULL),
      m_pParentFrame(pParentFrame),
      m_bAutoSet(bAutoSet) {}

CSPKeyboardPage::~CSPKeyboardPage() { delete[] m_lpAccel; }

CSPToolbarCustomize* CSPKeyboardPage::GetCustomizeSheet() const {
    return DYNAMIC_DOWNCAST(CSPToolbarCustomize, GetParent());
}

void CSPKeyboardPage::DoDataExchange(CDataExchange* pDX) {
    CPropertyPage::DoDataExchange(pDX);
    DDX_Control(pDX, SP_IDC_ASSIGNED_TO_LABEL, m_wndAssignedToTitle);
    DDX_Control(pDX, SP_IDC_NEW_KEY, m_wndNewKey);
    DDX_Control(pDX, SP_IDC_ACCEL_FOR, m_wndViewTypeList);
    DDX_Control(pDX, SP_IDC_TABLE_ICON, m_wndViewIcon);
    DDX_Control(pDX, SP_IDC_REMOVE_KEY, m_wndRemoveButton);
    DDX_Control(pDX, SP_IDC_CURRENT_KEYS, m_wndCurrentKeysList);
    DDX_Control(pDX, SP_IDC_KEY_COMMANDS, m_wndCommandsList);
    DDX_Control(pDX, SP_IDC_CATEGORIES, m_wndCategoryList);
    DDX_Control(pDX, SP_IDC_ASSIGN_KEY, m_wndAssignButton);
    DDX_Text(pDX, SP_IDC_KEY_DESCRIPTION, m_strDescription);
    DDX_Text(pDX, SP_IDC_ASSIGNED_TO, m_strAssignedTo);
}

BOOL CSPKeyboardPage::OnInitDialog() {
    CPropertyPage::OnInitDialog();
    CSPToolbarCustomize* pSheet = GetCustomizeSheet();
    if (pSheet != NULL) pSheet->FillCategoriesComboBox(m_wndCategoryList, FALSE);
    m_wndCategoryList.SetCurSel(0);
    OnSelchangeCategory();

    CWinApp* pApp = AfxGetApp();
    if (m_bAutoSet && pApp != NULL && pApp->m_pDocManager != NULL) {
        CList<UINT, UINT> lstIds;
        for (POSITION pos = pApp->GetFirstDocTemplatePosition(); pos != NULL;) {
            CMultiDocTemplate* pTemplate = DYNAMIC_DOWNCAST(CMultiDocTemplate, pApp->GetNextDocTemplate(pos));
            if (pTemplate == NULL) continue;
            if (pTemplate->m_hAccelTable == NULL &&
                (g_pKeyboardManager == NULL || !g_pKeyboardManager->HasTable(pTemplate)))
                continue;
            if (lstIds.Find(pTemplate->m_nIDResource) != NULL) continue;
            lstIds.AddTail(pTemplate->m_nIDResource);
            CString strName;
            pTemplate->GetDocString(strName, CDocTemplate::fileNewName);
            const int i = m_wndViewTypeList.AddString(strName);
            if (i >= 0) m_wndViewTypeList.SetItemDataPtr(i, pTemplate);
        }
    }
    if (m_pParentFrame != NULL &&
        (m_pParentFrame->m_hAccelTable != NULL ||
         (g_pKeyboardManager != NULL && g_pKeyboardManager->HasTable(m_pParentFrame)))) {
        CString strDefault;
        {
            CSPResourceScope scope;
            strDefault.LoadString(SP_IDS_DEFAULT_TABLE);
        }
        const int i = m_wndViewTypeList.AddString(strDefault);
        if (i >= 0) {
            m_wndViewTypeList.SetItemDataPtr(i, NULL);
            m_wndViewTypeList.SetCurSel(i);
            OnSelchangeViewType();
        }
    }
    if (m_wndViewTypeList.GetCurSel() < 0) {
        m_wndViewTypeList.SetCurSel(0);
        OnSelchangeViewType();
    }
    return TRUE;
}

void CSPKeyboardPage::OnSelchangeCategory() {
    UpdateData();
    m_wndCommandsList.ResetContent();
    m_wndCurrentKeysList.ResetContent();
    const int iCategory = m_wndCategoryList.GetCurSel();
    if (iCategory >= 0) {
        CString strCategory;
        m_wndCategoryList.GetLBText(iCategory, strCategory);
        const BOOL bAllCommands = strCategory == m_strAllCategory;
        const CObList* pList = (const CObList*)m_wndCategoryList.GetItemDataPtr(iCategory);
        if (pList != NULL && pList != (CObList*)-1) {
            for (POSITION pos = pList->GetHeadPosition(); pos != NULL;) {
                CSPToolbarButton* pButton = (CSPToolbarButton*)pList->GetNext(pos);
                if (pButton->m_nID == 0 || pButton->m_nID == (UINT)-1) continue;
                const int i = m_wndCommandsList.AddString(CSPCustomizePage::EntryText(pButton, *pList, bAllCommands));
                if (i >= 0) m_wndCommandsList.SetItemDataPtr(i, pButton);
            }
        }
    }
    m_wndNewKey.EnableWindow(FALSE);
    m_wndCommandsList.SetCurSel(0);
    OnSelchangeCommandsList();
}

void CSPKeyboardPage::OnSelchangeViewType() {
    m_hAccelTable = NULL;
    m_pSelTemplate = NULL;
    delete[] m_lpAccel;
    m_lpAccel = NULL;
    m_nAccelSize = 0;
    m_pSelEntry = NULL;

    const int iSel = m_wndViewTypeList.GetCurSel();
    if (iSel < 0) return;
    CMultiDocTemplate* pTemplate = (CMultiDocTemplate*)m_wndViewTypeList.GetItemDataPtr(iSel);
    HICON hIcon = NULL;
    if (pTemplate != NULL && pTemplate != (CMultiDocTemplate*)-1) {
        hIcon = AfxGetApp()->LoadIcon(pTemplate->m_nIDResource);
        m_hAccelTable = pTemplate->m_hAccelTable;
        m_pSelTemplate = pTemplate;
    } else if (m_pParentFrame != NULL && ::IsWindow(m_pParentFrame->GetSafeHwnd())) {
        hIcon = (HICON)::GetClassLongPtr(m_pParentFrame->m_hWnd, GCLP_HICON);
        m_hAccelTable = m_pParentFrame->m_hAccelTable;
    }
    if (hIcon == NULL) hIcon = ::LoadIcon(NULL, IDI_APPLICATION);
    m_wndViewIcon.SendMessage(STM_SETICON, (WPARAM)hIcon);

    // A table the user emptied has no handle: its working copy is empty.
    if (m_hAccelTable != NULL) {
        m_nAccelSize = ::CopyAcceleratorTable(m_hAccelTable, NULL, 0);
        if (m_nAccelSize > 0) {
            m_lpAccel = new ACCEL[m_nAccelSize];
            ::CopyAcceleratorTable(m_hAccelTable, m_lpAccel, m_nAccelSize);
        } else {
            m_nAccelSize = 0;
        }
    }
    OnSelchangeCommandsList();
}

void CSPKeyboardPage::AddKeyEntry(LPACCEL pEntry) {
    CSPKeyHelper helper(pEntry);
    CString strKey;
    helper.Format(strKey);
    const int i = m_wndCurrentKeysList.AddString(strKey);
    if (i >= 0) m_wndCurrentKeysList.SetItemDataPtr(i, pEntry);
}

void CSPKeyboardPage::OnSelchangeCommandsList() {
    m_strDescription.Empty();
    m_wndCurrentKeysList.ResetContent();
    m_pSelEntry = NULL;
    m_wndRemoveButton.EnableWindow(FALSE);
    m_pSelButton = NULL;
    const int iSel = m_wndCommandsList.GetCurSel();
    if (iSel >= 0) {
        m_pSelButton = (CSPToolbarButton*)m_wndCommandsList.GetItemDataPtr(iSel);
        if (m_pSelButton == (CSPToolbarButton*)-1) m_pSelButton = NULL;
    }
    if (m_pSelButton != NULL) {
        if (m_pParentFrame != NULL && ::IsWindow(m_pParentFrame->GetSafeHwnd()))
            m_pParentFrame->GetMessageString(m_pSelButton->m_nID, m_strDescription);
        for (int i = 0; i < m_nAccelSize; i++)
            if (m_lpAccel[i].cmd == (WORD)m_pSelButton->m_nID) AddKeyEntry(&m_lpAccel[i]);
        m_wndNewKey.EnableWindow(TRUE);
    } else {
        m_wndNewKey.EnableWindow(FALSE);
    }
    UpdateData(FALSE);
}

void CSPKeyboardPage::OnSelchangeCurrentKeysList() {
    const int iSel = m_wndCurrentKeysList.GetCurSel();
    m_pSelEntry = iSel >= 0 ? (LPACCEL)m_wndCurrentKeysList.GetItemDataPtr(iSel) : NULL;
    if (m_pSelEntry == (LPACCEL)-1) m_pSelEntry = NULL;
    m_wndRemoveButton.EnableWindow(m_pSelEntry != NULL);
}

void CSPKeyboardPage::OnUpdateNewShortcutKey() {
    m_strAssignedTo.Empty();
    m_wndAssignedToTitle.ShowWindow(SW_HIDE);
    m_wndAssignButton.EnableWindow(FALSE);
    if (!m_wndNewKey.IsKeyDefined()) {
        UpdateData(FALSE);
        return;
    }
    const ACCEL& accel = m_wndNewKey.GetAccel();
    const BYTE fMask = FVIRTKEY | FSHIFT | FCONTROL | FALT;
    BOOL bFound = FALSE;
    for (int i = 0; i < m_nAccelSize && !bFound; i++) {
        if (m_lpAccel[i].key != accel.key || (m_lpAccel[i].fVirt & fMask) != (accel.fVirt & fMask)) continue;
        bFound = TRUE;
        CSPToolbarCustomize* pSheet = GetCustomizeSheet();
        LPCTSTR lpszName = pSheet != NULL ? pSheet->GetCommandName(m_lpAccel[i].cmd) : NULL;
        m_strAssignedTo = lpszName != NULL ? lpszName : _T("????");
    }
    if (!bFound) {
        CSPResourceScope scope;
        m_strAssignedTo.LoadString(SP_IDS_UNASSIGNED);
        m_wndAssignButton.EnableWindow(m_pSelButton != NULL);
    }
    m_wndAssignedToTitle.ShowWindow(SW_SHOW);
    UpdateData(FALSE);
}

void CSPKeyboardPage::InstallWorkingCopy() {
    if (g_pKeyboardManager == NULL) return;
    g_pKeyboardManager->UpdateAccelTable(m_pSelTemplate, m_lpAccel, m_nAccelSize, m_pParentFrame);
    // The manager replaced the handle: later loads start from the new one.
    m_hAccelTable = m_pSelTemplate != NULL ? m_pSelTemplate->m_hAccelTable
                                           : (m_pParentFrame != NULL ? m_pParentFrame->m_hAccelTable : NULL);
}

void CSPKeyboardPage::OnAssign() {
    if (m_pSelButton == NULL || !m_wndNewKey.IsKeyDefined()) return;
    ACCEL accelNew = m_wndNewKey.GetAccel();
    accelNew.cmd = (WORD)m_pSelButton->m_nID;

    LPACCEL lpNew = new ACCEL[m_nAccelSize + 1];
    if (m_nAccelSize > 0) memcpy(lpNew, m_lpAccel, sizeof(ACCEL) * m_nAccelSize);
    lpNew[m_nAccelSize] = accelNew;
    delete[] m_lpAccel;
    m_lpAccel = lpNew;
    m_nAccelSize++;
    InstallWorkingCopy();

    m_wndNewKey.ResetKey();
    OnSelchangeCommandsList();
    OnUpdateNewShortcutKey();
    m_wndCommandsList.SetFocus();
}

void CSPKeyboardPage::OnRemove() {
    if (m_pSelEntry == NULL || m_nAccelSize == 0) return;
    const int iRemove = (int)(m_pSelEntry - m_lpAccel);
    if (iRemove < 0 || iRemove >= m_nAccelSize) return;
    LPACCEL lpNew = m_nAccelSize > 1 ? new ACCEL[m_nAccelSize - 1] : NULL;
    int j = 0;
    for (int i = 0; i < m_nAccelSize; i++)
        if (i != iRemove) lpNew[j++] = m_lpAccel[i];
    delete[] m_lpAccel;
    m_lpAccel = lpNew;
    m_nAccelSize--;
    m_pSelEntry = NULL;
    // An empty copy is installed too: the last key of a table can go.
    InstallWorkingCopy();
    OnSelchangeCommandsList();
    m_wndCommandsList.SetFocus();
}

void CSPKeyboardPage::OnResetAll() {
    CString strPrompt;
    {
        CSPResourceScope scope;
        strPrompt.LoadString(SP_IDS_RESET_KEYBOARD);
    }
    if (AfxMessageBox(strPrompt, MB_YESNO | MB_ICONQUESTION) != IDYES) return;
    if (g_pKeyboardManager != NULL) g_pKeyboardManager->ResetAll();
    if (m_pParentFrame != NULL && ::IsWindow(m_pParentFrame->GetSafeHwnd()))
        m_pParentFrame->SendMessage(SP_WM_RESETKEYBOARD);
    OnSelchangeViewType();
}
