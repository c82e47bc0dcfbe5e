// SPToolbarState.h - process-wide state of the toolbar family, kept here
// because the visual managers, the managers and the dialog helper read it
// too.
//
//   g_bCustomizeMode        TRUE while the toolbars are being customised
//   g_lstAllToolbars        every toolbar whose window exists, in creation
//                           order
//   SPToolbarButtonFormat   the clipboard format of dragged toolbar buttons
//   CSPToolbarSharedState   the toolbars' options, shared sizes, command
//                           lists and usage counts; CSPToolBar derives from
//                           it, so these are its statics
#pragma once
#include "afxwin.h"
#include "afxcoll.h"
#include "afxtempl.h"

#include "SPCmdUsageCount.h"

extern BOOL g_bCustomizeMode;
extern CObList g_lstAllToolbars;

// The clipboard format of toolbar-button drag data, registered on first use
// under "SToolbarButton%lx" of the module, or under the name set before.
// Windows that only check what is dragged (tab windows) read it here.
struct SPToolbarButtonFormat {
    static UINT Get();
    static void SetName(LPCTSTR lpszName);
};

class CSPToolbarSharedState {
public:
    // options ("SToolbarParameters")
    static BOOL m_bShowTooltips;            // "Tooltips", TRUE
    static BOOL m_bShowShortcutKeys;        // "ShortcutKeys", TRUE
    static BOOL m_bLargeIcons;              // "LargeIcons", FALSE; changed by SetLargeIcons
    static int m_nMenuAnimation;            // "MenuAnimation": 0 none, 1 unfold, 2 slide, 3 fade
    static BOOL m_bRecentlyUsedMenus;       // "RecentlyUsedMenus", TRUE
    static BOOL m_bMenuShadows;             // "MenuShadows", TRUE
    static BOOL m_bShowAllMenusAfterDelay;  // "ShowAllMenusAfterDelay", TRUE
    static COLORREF m_clrTextColor;         // -1: the system button-text colour
    // Letters of menu mnemonics are translated through the keyboard layout.
    static BOOL m_bLayoutAwareMnemonics;

    // shared sizes
    static CSize m_sizeButton, m_sizeImage;          // 23 x 22 and 16 x 15
    static CSize m_sizeCurButton, m_sizeCurImage;    // in force: doubled with large icons
    static CSize m_sizeMenuButton, m_sizeMenuImage;  // -1 x -1: the shared sizes

    // commands
    static CList<UINT, UINT> m_lstUnpermittedCommands;  // never on a toolbar
    static CList<UINT, UINT> m_lstBasicCommands;        // always shown in menus
    static CList<UINT, UINT> m_lstUncountedCommands;    // their use is never counted
    static CSPCmdUsageCount m_UsageCount;

    static const CObList& GetAllToolbars() { return g_lstAllToolbars; }
    static BOOL IsCustomizeMode() { return g_bCustomizeMode; }
    static CSize GetMenuButtonSize();
    static CSize GetMenuImageSize();
    static COLORREF GetButtonTextColor();
    static BOOL IsCommandPermitted(UINT uiCmd) { return m_lstUnpermittedCommands.Find(uiCmd) == NULL; }
    static BOOL IsCommandCounted(UINT uiCmd) { return m_lstUncountedCommands.Find(uiCmd) == NULL; }
    static BOOL AddCommandUsage(UINT uiCommand) { return m_UsageCount.AddCmd(uiCommand); }
};
