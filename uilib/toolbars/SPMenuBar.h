// SPMenuBar.h - the frame's menu shown as a toolbar: one menu button per
// top-level item, each opening a library popup menu; Alt, Alt and a letter,
// and the arrow keys work as in a system menu bar.
#pragma once
#include "SPToolBar.h"

class CSPMenuPage;
class CSPToolbarSystemMenuButton;
class CSPToolbarMenuButtonsButton;

class CSPMenuBar : public CSPToolBar {
    DECLARE_SERIAL(CSPMenuBar)

public:
    CSPMenuBar();
    virtual ~CSPMenuBar();

    BOOL Create(CWnd* pParentWnd, DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_TOP, UINT nID = AFX_IDW_TOOLBAR + 0x1A)
        override;
    // Builds the buttons from the menu; the same menu again rebuilds
    // nothing unless forced. FALSE for a NULL menu (the buttons stay).
    virtual BOOL CreateFromMenu(HMENU hMenu, BOOL bDefaultMenu = FALSE, BOOL bForceUpdate = FALSE);
    HMENU GetHMenu() const { return m_hMenu; }
    // Called with a new default menu (a reset loads it again); nothing here.
    virtual void OnSetDefaultMenu(HMENU /*hMenu*/) {}
    // The menu title at the position among the titles, NULL past the end.
    CSPToolbarButton* GetMenuItem(int iIndex) const;

    // A maximised MDI child's icon at the start of the bar and its caption
    // buttons at the end. Without a child (or with one that has no system
    // menu) the mode stays off.
    void SetMaximizeMode(BOOL bMax, CWnd* pWndActiveMDIChild = NULL, BOOL bRecalcLayout = TRUE);
    BOOL IsMaximizeMode() const { return m_bMaximizeMode; }
    // The item the keys are on, -1 for none.
    int GetHotIndex() const { return m_iHot; }
    // The system-menu button while shown, else NULL.
    CSPToolbarSystemMenuButton* GetSystemMenu() const;
    // One of the caption buttons: by its place among them, or by its
    // system command.
    CSPToolbarMenuButtonsButton* GetMenuBarButton(UINT uiIndexOrCommand, BOOL bByCommand = FALSE) const;
    HMENU GetDefaultMenu() const { return m_hDefaultMenu; }

    // The customisation sheet's Menu page while it edits this bar's menus
    // (NULL: none). A document that changes the frame's menu meanwhile has
    // the page show that menu's entry.
    void SetMenuPage(CSPMenuPage* pPage) { m_pMenuPage = pPage; }
    CSPMenuPage* GetMenuPage() const { return m_pMenuPage; }

    // The frame hands its key messages here first: Alt alone makes the
    // first item hot, Alt and a letter opens the item with that mnemonic.
    // TRUE when the message was used.
    BOOL TranslateFrameMessage(MSG* pMsg);

    // Puts the caption buttons back after a reload of the layout, for the
    // frame's active child (only while the mode is off).
    void RestoreMaximizeMode(BOOL bRecalcLayout = TRUE);

    // Process-wide: while set, popup menus show every item, rarely used or
    // not. Showing all items of a menu sets it; the bar clears it when no
    // menu is open any more.
    static void SetShowAllCommands(BOOL bShowAllCommands = TRUE) { s_bShowAllCommands = bShowAllCommands; }
    static BOOL IsShowAllCommands() { return s_bShowAllCommands; }
    static void SetRecentlyUsedMenus(BOOL bOn = TRUE) { m_bRecentlyUsedMenus = bOn; }
    // The library's menu font of the orientation; setting it lays every
    // toolbar out again. FALSE when the font cannot be made.
    static BOOL SetMenuFont(LPLOGFONT lpLogFont, BOOL bHorz = TRUE);
    static CFont* GetMenuFont(BOOL bHorz = TRUE);

    BOOL PreTranslateMessage(MSG* pMsg) override;
    BOOL OnSendCommand(const CSPToolbarButton* pButton) override;
    void AdjustLocations() override;
    void GetVisualInfo(SPBarInfo& info) override;
    BOOL CanBeClosed() const override { return FALSE; }
    BOOL IsButtonExtraSizeAvailable() const override { return FALSE; }
    BOOL AllowChangeTextLabels() const override { return FALSE; }
    BOOL CanBeRestored() const override { return TRUE; }
    int GetRowHeight() const override;
    int GetColumnWidth() const override;
    int CalcMaxButtonHeight() override;
    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    CSize CalcLayout(DWORD dwMode, int nLength = -1) override;
    void OnChangeHot(int iHot) override;
    // While a child is maximised nothing drops before its icon or among its
    // caption buttons.
    int FindDropIndex(CPoint point, CRect& rectMark) override;
    // No tooltips over the menus.
    INT_PTR OnToolHitTest(CPoint point, TOOLINFO* pTI) const override;
    // The rule of the toolbars for every stored menu layout.
    void UpdateButtonsTextFromResource() override;

    // --- one customised layout per menu (SPMenuBarLayouts.cpp) -----------------
    // The layouts of the default menu (resource id 0) and of every document
    // template's shared menu (its resource id), under SPGetRegPath("SMenuBar",
    // profile). A layout missing, damaged or older than its menu resource is
    // built from the menu again.
    BOOL SaveState(LPCTSTR lpszProfileName = NULL, int nIndex = -1, UINT uiID = (UINT)-1) override;
    BOOL LoadState(LPCTSTR lpszProfileName = NULL, int nIndex = -1, UINT uiID = (UINT)-1) override;
    // Every menu back to its resource.
    BOOL RestoreOriginalState() override;
    // The reset list from the menu resource: one entry per top-level item;
    // FALSE (the list empty) without a main window or resource.
    BOOL LoadOriginals(UINT uiMenuResId);
    // The resource of the default menu (0: none).
    void SetDefaultMenuResId(UINT uiResId) { m_uiDefMenuResId = uiResId; }
    UINT GetDefaultMenuResId() const { return m_uiDefMenuResId; }
    // Set: the shared menus of the document templates have layouts too.
    BOOL m_bMDIApp;

protected:
    CWnd* m_pParentFrame;
    HMENU m_hMenu;
    HMENU m_hDefaultMenu;
    BOOL m_bAltPressed;  // Alt went down with no other key since
    BOOL m_bMaximizeMode;
    HMENU m_hSysMenu;   // the maximised child's, not owned
    HICON m_hSysIcon;   // the maximised child's, not owned
    int m_nSystemButtonsNum;
    int m_nSystemButtonsNumSaved;
    CSize m_szSystemButton;
    UINT m_uiDefMenuResId;
    BOOL m_bHaveImages;  // a menu item shows an image: rows are button high
    CSPMenuPage* m_pMenuPage;

    static BOOL s_bShowAllCommands;

    // The layout of a menu in the temporary state store: FALSE when none.
    BOOL SaveMenuLayout(HMENU hMenu);
    BOOL LoadMenuLayout(HMENU hMenu);
    // The Menu page selects the entry of the menu the frame changed to.
    void SelectMenuOnPage(HMENU hMenu);
    // The bar built from the menu's items, without any stored layout.
    void BuildFromMenu(HMENU hMenu);
    // After a layout was loaded: the bar's place and the frame follow it.
    void OnLayoutLoaded();

    void SetHot(int iHot);
    // The index just past the caption buttons' block (before a customise
    // button).
    int GetSystemButtonsEnd() const;
    // The menu items: the buttons between the system-menu icon and the
    // caption buttons.
    int GetFirstMenuItem() const { return m_bMaximizeMode && m_hSysMenu != NULL ? 1 : 0; }
    int GetMenuItemsEnd() const { return GetSystemButtonsEnd() - m_nSystemButtonsNum; }
    // The rectangle DrawFrameControl leaves of a caption button.
    void MeasureSystemButton();
    CMDIFrameWnd* GetMDIFrame() const;

    // Inserts the child's icon and caption buttons (the mode flag is the
    // caller's); the count of caption buttons.
    int InsertSystemButtons(CWnd* pWndChild);

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnSettingChange(UINT uFlags, LPCTSTR lpszSection);
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    DECLARE_MESSAGE_MAP()
};
