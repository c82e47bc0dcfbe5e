// SPShowAllButton.h - CSPShowAllButton: the chevron line that ends a popup
// menu showing only its basic and often used commands. A click expands the
// popup to all its commands; with "ShowAllMenusAfterDelay" on, resting the
// mouse on it does so after twice the submenu delay.
#pragma once
#include "SPToolbarMenuButton.h"

class CSPShowAllButton : public CSPToolbarMenuButton {
    DECLARE_DYNCREATE(CSPShowAllButton)

public:
    CSPShowAllButton();

    void OnDraw(CDC* pDC, const CRect& rect, CSPButtonImages* pImages, BOOL bHorz = TRUE, BOOL bCustomizeMode = FALSE,
                BOOL bHighlight = FALSE, BOOL bDrawBorder = TRUE, BOOL bGrayDisabledButtons = TRUE) override;
    SIZE OnCalculateSize(CDC* pDC, const CSize& sizeDefault, BOOL bHorz) override;
    // Only inside a popup menu bar: without bDelay the popup shows all its
    // commands at once, with it the bar's delayed opening is armed.
    BOOL OnClick(CWnd* pWnd, BOOL bDelay = TRUE) override;
    // No popup of its own: opening it expands the popup that holds it.
    BOOL OpenPopupMenu(CWnd* pWnd = NULL) override;
    // The tooltip the popup bar shows over it: "Expand (Ctrl+Down)" in the
    // user's key names.
    static CString GetToolTipText();
};
