// SPOptionsPage.cpp - the Options page.
#include "SPOptionsPage.h"

#include "SPGlobalData.h"
#include "SPToolBar.h"
#include "SPToolbarCustomize.h"
#include "SPVisualManager.h"

IMPLEMENT_DYNCREATE(CSPOptionsPage, CPropertyPage)

BEGIN_MESSAGE_MAP(CSPOptionsPage, CPropertyPage)
    ON_BN_CLICKED(SP_IDC_OPT_TOOLTIPS, OnShowTooltips)
    ON_BN_CLICKED(SP_IDC_OPT_SHORTCUTS, OnShowShortcutKeys)
    ON_BN_CLICKED(SP_IDC_OPT_LARGE_ICONS, OnLargeIcons)
    ON_BN_CLICKED(SP_IDC_OPT_LOOK2000, OnLook2000)
    ON_BN_CLICKED(SP_IDC_OPT_RU_MENUS, OnRecentlyUsedMenus)
    ON_BN_CLICKED(SP_IDC_OPT_SHOW_ALL_DELAY, OnShowAllMenusAfterDelay)
    ON_BN_CLICKED(SP_IDC_OPT_RESET_USAGE, OnResetUsageData)
    ON_BN_CLICKED(SP_IDC_OPT_VISUALIZATIONS, OnVisualizations)
END_MESSAGE_MAP()

CSPOptionsPage::CSPOptionsPage(BOOL bIsMenuBarExist)
    : CPropertyPage(SP_IDD_CUSTOMIZE_OPTIONS),
      m_bShowTooltips(CSPToolBar::m_bShowTooltips),
      m_bShowShortcutKeys(CSPToolBar::m_bShowShortcutKeys),
      m_bLargeIcons(CSPToolBar::m_bLargeIcons),
      m_bLook2000(CSPVisualManager::GetInstance()->GetLook() != 0),
      m_bRecentlyUsedMenus(CSPToolBar::m_bRecentlyUsedMenus),
      m_bShowAllMenusAfterDelay(CSPToolBar::m_bShowAllMenusAfterDelay),
      m_bIsMenuBarExist(bIsMenuBarExist) {}

CSPOptionsPage::~CSPOptionsPage() {}

static void DDX_Bool(CDataExchange* pDX, int nIDC, BOOL& bValue) {
    int nValue = bValue ? 1 : 0;
    DDX_Check(pDX, nIDC, nValue);
    bValue = nValue != 0;
}

void CSPOptionsPage::DoDataExchange(CDataExchange* pDX) {
    CPropertyPage::DoDataExchange(pDX);
    DDX_Bool(pDX, SP_IDC_OPT_TOOLTIPS, m_bShowTooltips);
    DDX_Bool(pDX, SP_IDC_OPT_SHORTCUTS, m_bShowShortcutKeys);
    DDX_Bool(pDX, SP_IDC_OPT_LARGE_ICONS, m_bLargeIcons);
    DDX_Bool(pDX, SP_IDC_OPT_LOOK2000, m_bLook2000);
    DDX_Bool(pDX, SP_IDC_OPT_RU_MENUS, m_bRecentlyUsedMenus);
    DDX_Bool(pDX, SP_IDC_OPT_SHOW_ALL_DELAY, m_bShowAllMenusAfterDelay);
}

void CSPOptionsPage::HideAndDisable(UINT nID) {
    CWnd* pWnd = GetDlgItem(nID);
    if (pWnd == NULL) return;
    pWnd->ShowWindow(SW_HIDE);
    pWnd->EnableWindow(FALSE);
}

BOOL CSPOptionsPage::OnInitDialog() {
    CPropertyPage::OnInitDialog();
    if (CWnd* pWnd = GetDlgItem(SP_IDC_OPT_SHORTCUTS)) pWnd->EnableWindow(m_bShowTooltips);
    if (CWnd* pWnd = GetDlgItem(SP_IDC_OPT_SHOW_ALL_DELAY)) pWnd->EnableWindow(m_bRecentlyUsedMenus);
    if (CSPToolBar::m_lstBasicCommands.IsEmpty() || !m_bIsMenuBarExist) {
        static const UINT menuGroup[] = {SP_IDC_OPT_RU_MENUS, SP_IDC_OPT_RESET_USAGE, SP_IDC_OPT_MENU_GROUP1,
                                         SP_IDC_OPT_MENU_GROUP2, SP_IDC_OPT_SHOW_ALL_DELAY};
        for (UINT nID : menuGroup) HideAndDisable(nID);
    }
    CSPToolbarCustomize* pSheet = DYNAMIC_DOWNCAST(CSPToolbarCustomize, GetParent());
    if (pSheet == NULL || (pSheet->GetFlags() & SPCUSTOMIZE_LOOK2000) == 0) HideAndDisable(SP_IDC_OPT_LOOK2000);
    HideAndDisable(SP_IDC_OPT_VISUALIZATIONS);
    return TRUE;
}

void CSPOptionsPage::OnShowTooltips() {
    UpdateData();
    CSPToolBar::m_bShowTooltips = m_bShowTooltips;
    if (CWnd* pWnd = GetDlgItem(SP_IDC_OPT_SHORTCUTS)) pWnd->EnableWindow(m_bShowTooltips);
}

void CSPOptionsPage::OnShowShortcutKeys() {
    UpdateData();
    CSPToolBar::m_bShowShortcutKeys = m_bShowShortcutKeys;
}

void CSPOptionsPage::OnLargeIcons() {
    UpdateData();
    CSPToolBar::SetLargeIcons(m_bLargeIcons);
}

void CSPOptionsPage::OnLook2000() {
    UpdateData();
    CSPVisualManager::GetInstance()->SetLook(m_bLook2000 ? 1 : 0);
    CWnd* pMainWnd = AfxGetMainWnd();
    if (pMainWnd != NULL && pMainWnd->GetSafeHwnd() != NULL)
        pMainWnd->RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_FRAME);
}

void CSPOptionsPage::OnRecentlyUsedMenus() {
    UpdateData();
    CSPToolBar::m_bRecentlyUsedMenus = m_bRecentlyUsedMenus;
    if (CWnd* pWnd = GetDlgItem(SP_IDC_OPT_SHOW_ALL_DELAY)) pWnd->EnableWindow(m_bRecentlyUsedMenus);
}

void CSPOptionsPage::OnShowAllMenusAfterDelay() {
    UpdateData();
    CSPToolBar::m_bShowAllMenusAfterDelay = m_bShowAllMenusAfterDelay;
}

void CSPOptionsPage::OnResetUsageData() {
    CString strPrompt;
    {
        CSPResourceScope scope;
        strPrompt.LoadString(SP_IDS_RESET_USAGE);
    }
    if (AfxMessageBox(strPrompt, MB_YESNO) == IDYES) CSPToolBar::m_UsageCount.Reset();
}
