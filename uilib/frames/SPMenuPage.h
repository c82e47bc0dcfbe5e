// SPMenuPage.h - the Menu page of the customisation sheet: the frame's
// menus edited in place on the one menu bar (the default menu or a
// template's shared menu), each menu's layout parked in the temporary
// store under its handle while another one shows; the registered context
// menus opened as library popups with a caption that take dropped
// commands; resets; the menu animation and shadow options, applied when
// the sheet closes.
#pragma once
#include "afxwin.h"
#include "afxdlgs.h"
#include "afxdocvw.h"

#define SP_IDD_CUSTOMIZE_MENU 16134
#define SP_IDC_MENU_DESCRIPTION 16506
#define SP_IDC_MENU_ICON 16507
#define SP_IDC_CONTEXT_LABEL 16508
#define SP_IDC_CONTEXT_HINT 16519
#define SP_IDC_CONTEXT_GROUP 16520
#define SP_IDC_ANIMATION_LABEL 16543
#define SP_IDC_FRAME_MENUS 16621
#define SP_IDC_CONTEXT_MENUS 16622
#define SP_IDC_RESET_CONTEXT 16623
#define SP_IDC_RESET_FRAME_MENU 16624
#define SP_IDC_MENU_ANIMATION 16625
#define SP_IDC_MENU_SHADOWS 16626
#define SP_IDS_CANT_CUSTOMIZE_MENUS 16007
#define SP_IDS_DEFAULT_MENU 16106
#define SP_IDS_DEFAULT_MENU_DESCRIPTION 16107
#define SP_IDS_CONTEXT_NONE 16108
#define SP_IDS_RESET_MENU 16113

class CSPMenuBar;
class CSPPopupMenu;

class CSPMenuPage : public CPropertyPage {
    DECLARE_DYNAMIC(CSPMenuPage)

public:
    CSPMenuPage(CFrameWnd* pParentFrame = NULL, BOOL bAutoSet = FALSE);
    ~CSPMenuPage() override;

    // Shows the "Show Menus for" entry whose item data is the value (NULL:
    // the default menu); without bSaveCurr the shown menu is not parked
    // first. FALSE when there is no such entry.
    BOOL SelectMenu(CDocTemplate* pTemplate, BOOL bSaveCurr = TRUE);

    CComboBox m_wndMenuAnimations;
    CComboBox m_wndMenusList;
    CComboBox m_wndContextMenus;
    CStatic m_wndIcon;
    CString m_strMenuDescr;
    CString m_strMenuName;
    int m_iMenuAnimationType;
    BOOL m_bMenuShadows;

    CString m_strContextMenuName;

    CSPMenuBar* GetMenuBar() const { return m_pMenuBar; }
    HMENU GetShownMenu() const { return m_hmenuSelected; }
    // The page is switching the bar to another menu itself.
    BOOL IsSwitchingMenu() const { return m_bSwitchingMenu; }
    // The open context menu, NULL when none.
    CSPPopupMenu* GetContextMenu() const { return m_pContextMenu; }
    UINT GetContextMenuResId() const { return m_uiContextMenuResId; }

    // The popup of a context menu is closing: its layout is parked, and the
    // page shows none.
    void CloseContextMenu(CSPPopupMenu* pMenu);

    afx_msg void OnSelchangeMenuList();
    afx_msg void OnResetFrameMenu();
    afx_msg void OnSelchangeContextMenu();
    afx_msg void OnResetContextMenu();

protected:
    CSPMenuBar* m_pMenuBar;
    HMENU m_hmenuCurr;      // what the bar showed when the page opened
    HMENU m_hmenuSelected;  // what it shows now
    BOOL m_bIsDefaultMenuLoaded;
    BOOL m_bAutoSet;
    CFrameWnd* m_pParentFrame;
    CSPPopupMenu* m_pContextMenu;
    UINT m_uiContextMenuResId;
    BOOL m_bSwitchingMenu;
    // Where the next context menu opens: where the last one was parked, for
    // every page of the process.
    static CPoint s_ptContextMenu;

    // Parks the popup's layout under its menu and remembers its place.
    void SaveContextMenuState(CSPPopupMenu* pMenu);

    // Parks the bar's layout under the handle of the menu it shows.
    void SaveMenuState(HMENU hMenu);
    // The bar shows the menu again, with the layout parked for it.
    void ShowMenu(HMENU hMenu, BOOL bDefault);

    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    afx_msg void OnDestroy();
    DECLARE_MESSAGE_MAP()
};
