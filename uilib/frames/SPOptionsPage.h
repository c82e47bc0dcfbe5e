// SPOptionsPage.h - the Options page of the customisation sheet: the
// toolbars' process-wide options, each written the moment its box is
// clicked and saved with the other toolbar parameters.
#pragma once
#include "afxwin.h"
#include "afxdlgs.h"

#define SP_IDD_CUSTOMIZE_OPTIONS 16137
#define SP_IDC_OPT_MENU_GROUP1 16538
#define SP_IDC_OPT_MENU_GROUP2 16539
#define SP_IDC_OPT_TOOLTIPS 16651
#define SP_IDC_OPT_SHORTCUTS 16652
#define SP_IDC_OPT_LARGE_ICONS 16653
#define SP_IDC_OPT_LOOK2000 16654
#define SP_IDC_OPT_RU_MENUS 16655
#define SP_IDC_OPT_SHOW_ALL_DELAY 16656
#define SP_IDC_OPT_RESET_USAGE 16657
#define SP_IDC_OPT_VISUALIZATIONS 17001
#define SP_IDS_RESET_USAGE 16244

class CSPOptionsPage : public CPropertyPage {
    DECLARE_DYNCREATE(CSPOptionsPage)

public:
    explicit CSPOptionsPage(BOOL bIsMenuBarExist = FALSE);
    ~CSPOptionsPage() override;

    BOOL m_bShowTooltips;
    BOOL m_bShowShortcutKeys;
    BOOL m_bLargeIcons;
    BOOL m_bLook2000;
    BOOL m_bRecentlyUsedMenus;
    BOOL m_bShowAllMenusAfterDelay;

    afx_msg void OnShowTooltips();
    afx_msg void OnShowShortcutKeys();
    afx_msg void OnLargeIcons();
    afx_msg void OnLook2000();
    afx_msg void OnRecentlyUsedMenus();
    afx_msg void OnShowAllMenusAfterDelay();
    afx_msg void OnResetUsageData();
    afx_msg void OnVisualizations() {}

protected:
    BOOL m_bIsMenuBarExist;

    void HideAndDisable(UINT nID);
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    DECLARE_MESSAGE_MAP()
};
