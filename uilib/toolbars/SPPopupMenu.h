// SPPopupMenu.h - CSPPopupMenu: the library's popup menu window. What is
// here is what a floating frame needs to drag a menu torn off it: the
// window, and the menu button it dropped from, which is repainted when the
// popup hides for the drag.
#pragma once
#include "afxwin.h"

class CSPPopupMenu : public CWnd {
    DECLARE_DYNAMIC(CSPPopupMenu)

public:
    CSPPopupMenu();
    virtual ~CSPPopupMenu();

    // The window holding the menu button this popup dropped from, NULL for
    // a top-level popup, and the button's rectangle in that window.
    HWND m_hwndParentButton;
    CRect m_rectParentButton;
};
