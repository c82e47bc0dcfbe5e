// SPToolbarMenuButton.h - the buttons that carry a menu.
//
//   CSPToolbarMenuButton  a menu-bar title, a toolbar button with a drop
//                         arrow (or a split button: command left, menu on
//                         the arrow), or a line of a popup menu; its items
//                         are menu buttons too, built from and exported to
//                         menu handles
//   CSPShowAllButton      the "show all items" line of a popup menu
#pragma once
#include "SPToolbarButton.h"

class CSPToolbarMenuButton : public CSPToolbarButton {
    DECLARE_SERIAL(CSPToolbarMenuButton)

public:
    CSPPopupMenu* m_pPopupMenu;  // the open popup menu, NULL when closed

    CSPToolbarMenuButton();
    CSPToolbarMenuButton(UINT uiID, HMENU hMenu, int iImage, LPCTSTR lpszText = NULL, BOOL bUserButton = FALSE);
    CSPToolbarMenuButton(const CSPToolbarMenuButton& src);
    virtual ~CSPToolbarMenuButton();

    // --- the items ------------------------------------------------------------------
    const CObList& GetCommands() const { return m_listCommands; }
    BOOL IsMenuOnly() const { return m_bMenuOnly; }
    void SetMenuOnly(BOOL bMenuOnly) { m_bMenuOnly = bMenuOnly; }
    BOOL IsDefaultItem() const { return m_bDefault; }
    BOOL IsDrawDownArrow() const { return m_bDrawDownArrow; }
    BOOL IsMenuItemMode() const { return m_bMenuMode; }
    BOOL IsClickedOnArrow() const { return m_bClickedOnMenu; }
    BOOL IsRadio() const { return m_bIsRadio; }
    UINT GetTearOffID() const { return m_uiTearOffBarID; }
    CWnd* GetMessageWnd() const { return m_pWndMessage; }
    void SetMessageWnd(CWnd* pWnd) { m_pWndMessage = pWnd; }

    // Shows the items as a library popup menu below (or beside) the button;
    // FALSE when there is nothing to show or the popup is refused.
    virtual BOOL OpenPopupMenu(CWnd* pWnd = NULL);
    // Replaces the items by those of the menu: submenus recursively, the
    // default item and menu breaks kept.
    virtual void CreateFromMenu(HMENU hMenu);
    // A new popup menu handle with the items; NULL for a command button
    // without items (unless menu-only) or when an append fails.
    virtual HMENU CreateMenu() const;
    // A new popup menu object for OpenPopupMenu to show.
    virtual CSPPopupMenu* CreatePopupMenu();
    virtual BOOL IsEmptyMenuAllowed() const { return FALSE; }
    // TRUE: the border of this button's popup may open towards the button.
    virtual BOOL JoinsMenuBorder() const { return TRUE; }
    virtual BOOL OnClickMenuItem() { return FALSE; }
    virtual BOOL IsTearOffMenu() const { return m_uiTearOffBarID != 0; }
    virtual void SetTearOff(UINT uiBarID);
    // Hands a key to the open popup (its first item on VK_HOME). The popup
    // menus are not built yet: nothing to hand it to.
    virtual void SendKeyToPopup(UINT /*nKey*/) {}

    // --- the button's own -----------------------------------------------------------
    // The base record, the tear-off id (under a workspace version that has
    // it, written and read alike) and the items, each checked to be a menu
    // button when read.
    void Serialize(CArchive& ar) override;
    void CopyFrom(const CSPToolbarButton& src) override;
    void OnDraw(CDC* pDC, const CRect& rect, CSPButtonImages* pImages, BOOL bHorz = TRUE, BOOL bCustomizeMode = FALSE,
                BOOL bHighlight = FALSE, BOOL bDrawBorder = TRUE, BOOL bGrayDisabledButtons = TRUE) override;
    SIZE OnCalculateSize(CDC* pDC, const CSize& sizeDefault, BOOL bHorz) override;
    BOOL OnClick(CWnd* pWnd, BOOL bDelay = TRUE) override;
    void OnChangeParentWnd(CWnd* pWndParent) override;
    BOOL HaveHotBorder() const override { return FALSE; }
    void OnCancelMode() override;
    BOOL IsDroppedDown() const override { return m_pPopupMenu != NULL; }
    void UpdateTextFromResource() override;
    BOOL CompareWith(const CSPToolbarButton& other) const override;
    void SetRadio() override;

    int OnDrawOnCustomizeList(CDC* pDC, const CRect& rect, BOOL bSelected) override;

    // A line of a popup menu: the image column (image, check mark or
    // caption glyph) filled and framed by the visual manager, the label and
    // its accelerator, the submenu arrow.
    void DrawMenuItem(CDC* pDC, const CRect& rect, CSPButtonImages* pImages, BOOL bCustomizeMode, BOOL bHighlight,
                      BOOL bGrayDisabledButtons);
    // A menu line shows any image the button has: one that shows none
    // takes its user image, else its standard image, for good.
    void ShowMenuImage();
    // The popup menu bar has put off the closing of this item's submenu.
    void SetDelayedSubmenu(BOOL bDelayed) { m_bDelayedSubmenu = bDelayed; }

    // The image column of a menu line.
    void GetImageRect(RECT& rectImage) const;
    static void GetTextHorzOffsets(int& xOffset, int& xGlyphWidth);

protected:
    CObList m_listCommands;
    BOOL m_bDrawDownArrow;
    BOOL m_bMenuMode;
    CWnd* m_pWndParent;
    BOOL m_bDefault;
    BOOL m_bClickedOnMenu;
    BOOL m_bHorz;
    BOOL m_bDelayedSubmenu;
    BOOL m_bMenuOnly;
    UINT m_uiTearOffBarID;
    BOOL m_bIsRadio;
    CWnd* m_pWndMessage;

    void Initialize();
    void RemoveAllItems();
    // The arrow part of a split button, in the parent's client coordinates.
    CRect GetArrowRect() const;
    int GetArrowSize(BOOL bHorz) const;

private:
    CSPToolbarMenuButton& operator=(const CSPToolbarMenuButton&) = delete;
};

// The show-all line is a menu button as well; whoever knows menu buttons
// knows it.
#include "SPShowAllButton.h"
