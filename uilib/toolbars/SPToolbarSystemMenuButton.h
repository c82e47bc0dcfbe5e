// SPToolbarSystemMenuButton.h - the caption controls of a maximised MDI child
// shown on the menu bar:
//
//   CSPToolbarSystemMenuButton   the child's small icon at the start of the
//                                bar; opens the child's system menu as a
//                                library popup, a double click closes it
//   CSPToolbarMenuButtonsButton  minimise, restore or close at the end of
//                                the bar (the menu bar sends the command)
//
// Neither is stored, dragged or edited.
#pragma once
#include "SPToolbarMenuButton.h"

class CSPToolbarSystemMenuButton : public CSPToolbarMenuButton {
    DECLARE_SERIAL(CSPToolbarSystemMenuButton)

public:
    CSPToolbarSystemMenuButton();
    // The icon and the menu stay the child's.
    CSPToolbarSystemMenuButton(HMENU hSystemMenu, HICON hSystemIcon);

    HICON GetIcon() const { return m_hSysMenuIcon; }
    HMENU GetSysMenu() const { return m_hSystemMenu; }

    void Serialize(CArchive& /*ar*/) override {}
    void CopyFrom(const CSPToolbarButton& src) override;
    void OnDraw(CDC* pDC, const CRect& rect, CSPButtonImages* pImages, BOOL bHorz = TRUE, BOOL bCustomizeMode = FALSE,
                BOOL bHighlight = FALSE, BOOL bDrawBorder = TRUE, BOOL bGrayDisabledButtons = TRUE) override;
    SIZE OnCalculateSize(CDC* pDC, const CSize& sizeDefault, BOOL bHorz) override;
    // Closes the active child of the bar's MDI frame unless its Close is
    // greyed.
    void OnDblClk(CWnd* pWnd) override;
    BOOL CanBeStored() const override { return FALSE; }
    BOOL HaveHotBorder() const override { return FALSE; }
    BOOL OnBeforeDrag() const override { return FALSE; }
    BOOL IsEditable() const override { return FALSE; }
    void OnCancelMode() override;
    // Only the kept menu changes: the items were built at construction.
    void CreateFromMenu(HMENU hMenu) override;
    // The items, with the checks and greyed states the child's system menu
    // has now.
    HMENU CreateMenu() const override;
    BOOL JoinsMenuBorder() const override { return FALSE; }

protected:
    HICON m_hSysMenuIcon;
    HMENU m_hSystemMenu;
};

class CSPToolbarMenuButtonsButton : public CSPToolbarButton {
    DECLARE_DYNCREATE(CSPToolbarMenuButtonsButton)

public:
    CSPToolbarMenuButtonsButton();
    // SC_MINIMIZE, SC_RESTORE or SC_CLOSE.
    explicit CSPToolbarMenuButtonsButton(UINT uiSysCmd);

    UINT GetSysCommand() const { return m_uiSysCmd; }

    void Serialize(CArchive& /*ar*/) override {}
    void CopyFrom(const CSPToolbarButton& src) override;
    void OnDraw(CDC* pDC, const CRect& rect, CSPButtonImages* pImages, BOOL bHorz = TRUE, BOOL bCustomizeMode = FALSE,
                BOOL bHighlight = FALSE, BOOL bDrawBorder = TRUE, BOOL bGrayDisabledButtons = TRUE) override;
    SIZE OnCalculateSize(CDC* pDC, const CSize& sizeDefault, BOOL bHorz) override;
    BOOL CanBeStored() const override { return FALSE; }
    BOOL HaveHotBorder() const override { return FALSE; }
    BOOL OnBeforeDrag() const override { return FALSE; }
    BOOL IsEditable() const override { return FALSE; }

protected:
    UINT m_uiSysCmd;
};
