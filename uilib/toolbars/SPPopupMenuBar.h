// SPPopupMenuBar.h - the vertical toolbar that holds the items of one
// library popup menu: it turns a menu handle into menu-button items and back,
// lays them out in columns, keeps the hot item, opens and closes submenus
// after the system's menu delay, handles the menu keys and sends the chosen
// command.
#pragma once
#include "SPToolBar.h"

class CSPPopupMenu;

// Item style bit: the item starts a new column.
#define SP_TBBS_BREAK 0x20000000

class CSPPopupMenuBar : public CSPToolBar {
    DECLARE_SERIAL(CSPPopupMenuBar)

public:
    CSPPopupMenuBar();
    virtual ~CSPPopupMenuBar();

    // Builds the items; FALSE for a NULL menu handle.
    BOOL ImportFromMenu(HMENU hMenu, BOOL bShowAllCommands = FALSE);
    // A new popup menu holding the items; the caller destroys it.
    HMENU ExportToMenu() const;

    // The submenu of an item, NULL when it has none: the one of the menu
    // the item was imported from, or, for an item of a stored layout, a
    // menu built from the item's own items (the bar keeps it).
    HMENU GetItemSubMenu(const CSPToolbarButton* pItem) const;
    int GetCount() const { return (int)m_Buttons.GetCount(); }
    CSPToolbarButton* GetItem(int iIndex) const;
    int GetHotIndex() const { return m_iHot; }
    // No item hot (the items are about to be built again).
    void ClearHot() { m_iHot = m_iHighlighted = -1; }
    // The item's submenu is made from its own items from now on (they
    // were edited).
    void ForgetItemSubMenu(CSPToolbarButton* pItem) { m_SubMenus.RemoveKey(pItem); }
    UINT GetDefaultItem() const { return m_uiDefaultItem; }
    BOOL AreAllCommandsShown() const { return m_bAreAllCommandsShown; }
    // Column right edges, from the bar's left.
    const CArray<UINT, UINT>& GetColumnEdges() const { return m_arColumns; }

    // Arms the delayed opening of the item's submenu.
    void StartPopupMenuTimer(CSPToolbarButton* pItem, int nDelayFactor = 1);
    // Closes at once the submenu waiting to close.
    void CloseDelayedSubMenu();
    // Keeps the submenu waiting to close open, its item hot again.
    void RestoreDelayedSubMenu();
    // Opens the item's submenu now; FALSE when it has none.
    BOOL OpenSubMenu(int iIndex);
    // The open submenu of this bar, NULL when none.
    CSPPopupMenu* GetOpenSubMenu() const { return m_pOpenSubMenu; }
    int GetOpenSubMenuIndex() const { return m_iOpenSubMenu; }
    void CloseSubMenu();
    // The open submenu's window is being destroyed.
    void OnSubMenuGone();

    // While customising, the item being dragged out of the menu by a move
    // (not a copy) leaves it: the popup closes under the drag (another
    // menu opened on the way), and what it writes back has the item gone.
    void RemoveDraggedItem();
    // Test seam: when set, runs in place of the OLE drag of an item (a
    // scripted drag) and answers its effect.
    static DROPEFFECT (*s_pfnDragDropForTest)(CSPPopupMenuBar* pBar, COleDataSource& source);

    void SetInCommand(BOOL bInCommand);
    BOOL IsInCommand() const { return m_bInCommand; }
    // The bar under the screen point among the parent popups' bars
    // (innermost first); NULL when none.
    CSPToolBar* FindDestBar(CPoint ptScreen);
    // Closes the menus and sends the command (0: only closes them).
    void SendMenuCommand(UINT uiCmd);

    // The first row shown of a popup too tall for the screen.
    int GetOffset() const { return m_iOffset; }
    void SetOffset(int iOffset) { m_iOffset = iOffset < 0 ? 0 : iOffset; }
    void SetMaxWidth(int nWidth) { m_nMaxWidth = nWidth; }
    void SetTrackMode(BOOL bTrackMode) { m_bTrackMode = bTrackMode; }
    void SetLockedMode(BOOL bLocked) { m_bLocked = bLocked; }

    // The submenu delay in milliseconds: "MenuShowDelay" of the user's
    // desktop settings, read by the first bar; 500 when it cannot be read,
    // at most 5000.
    static UINT GetSubMenuDelay();
    // Reads the delay again (tests change the registry value).
    static void ResetSubMenuDelay() { s_uiSubMenuDelay = (UINT)-1; }
    // The delay a "MenuShowDelay" text gives (NULL: the value is missing).
    static UINT ParseMenuShowDelay(LPCSTR lpszValue);

    // overrides of the toolbar
    void GetVisualInfo(SPBarInfo& info) override;
    CSize CalcSize(BOOL bVertDock) override;
    void AdjustLocations() override;
    void AdjustLayout() override;
    void GetSeparatorRect(CSPToolbarButton* pButton, CRect& rect, BOOL bHorz) const override;
    // The height of a menu line: the menu image or the menu text, with
    // room round it.
    int GetRowHeight() const override;
    BOOL IsButtonExtraSizeAvailable() const override { return FALSE; }
    BOOL FindButtonByMnemonic(UINT /*nChar*/) override { return FALSE; }
    void OnChangeHot(int iHot) override;
    BOOL OnSendCommand(const CSPToolbarButton* pButton) override;
    BOOL AllowSelectDisabled() const override { return FALSE; }
    BOOL AllowShowOnList() const override { return FALSE; }
    BOOL OnKey(UINT nChar) override;
    BOOL RemoveButton(int iIndex) override;
    void RemoveAllButtons() override;
    BOOL OnUserToolTip(CSPToolbarButton* pButton, CString& strTTText) const override;
    CWnd* GetCommandTarget() const override;
    BOOL DrawButton(CDC* pDC, CSPToolbarButton* pButton, CSPButtonImages* pImages, BOOL bHighlighted,
                    BOOL bDrawDisabledImages) override;
    void DrawSeparator(CDC* pDC, const CRect& rect, BOOL bHorz) override;

protected:
    UINT m_uiDefaultItem;
    CSPToolbarButton* m_pDelayedPopupItem;
    CSPToolbarButton* m_pDelayedCloseItem;
    BOOL m_bFirstClick;
    BOOL m_bFirstMove;
    int m_iOffset;
    int m_xSeparatorOffsetLeft;
    int m_xSeparatorOffsetRight;
    BOOL m_bAreAllCommandsShown;
    int m_nMaxWidth;
    CArray<UINT, UINT> m_arColumns;
    CMap<UINT, UINT, UINT, UINT> m_HiddenItemsAccel;
    BOOL m_bInCommand;
    BOOL m_bTrackMode;
    BOOL m_bButtonUpExecutes;
    mutable CMap<CSPToolbarButton*, CSPToolbarButton*, HMENU, HMENU> m_SubMenus;
    mutable CList<HMENU, HMENU> m_OwnedSubMenus;  // built from stored items
    CSPPopupMenu* m_pOpenSubMenu;
    int m_iOpenSubMenu;

    static UINT s_uiSubMenuDelay;

    CSPPopupMenu* GetParentPopup() const;
    void ForgetSubMenus();
    // The item's size as a menu line.
    CSize MeasureItem(CDC* pDC, CSPToolbarButton* pItem, const CSize& sizeDefault);
    // The next item hot by a key: forward or backward from iStart, wrapping,
    // skipping separators and items without a rectangle; -1 for none.
    int NextNavigableItem(int iStart, BOOL bForward) const;
    void ChangeHotByKey(int iHot);
    DROPEFFECT DoButtonDragDrop(COleDataSource& source, const CRect& rectStart) override;
    // What is dropped into a menu is a menu item: a menu button as it is,
    // any other button as a new item of its command, image and text (NULL
    // when it has no text to show).
    CSPToolbarButton* CreateDroppedButton(IDataObject* pDataObject) override;
    // The popup takes its new size when an item was dragged out.
    void AdjustSize() override;

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnDestroy();
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnNcPaint() {}
    afx_msg void OnNcCalcSize(BOOL /*bCalcValidRects*/, NCCALCSIZE_PARAMS* /*lpncsp*/) {}
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    DECLARE_MESSAGE_MAP()
};
