// SPClientHooks.h - what the foundation asks of objects whose classes live in
// the libraries built above it.
//
// The visual managers draw for bars, popup menus, caption buttons, tab
// windows, buttons, mini frames and task panes, and SPGetParentFrame walks
// through mini frames. Those classes are written in the docking, controls and
// toolbar libraries, which link against this one. Their pointers arrive here
// as forward-declared types; whatever the drawing needs to read from them is
// answered through the hooks below, which each of those libraries installs
// for its own classes at start-up (a static object in its own source file).
// A hook that is not installed gives the neutral answer noted beside it.
//
// Class tests ("is this a CSPMenuBar") are made by name along the object's
// runtime-class chain (SPIsKindOf); a class that is not linked into the
// program is never matched.
//
// For example, the docking library answers for its bars with
//
//     static void GetBarInfo(CSPBaseControlBar* pBar, SPBarInfo& info) {
//         info.pWnd = pBar;
//         info.dwStyle = pBar->GetBarStyle();
//         ...
//     }
//     static struct BarHooks {
//         BarHooks() { SPClientHooks::pfnGetBarInfo = GetBarInfo; }
//     } s_barHooks;
//
// in a source file that the program links anyway (the bar class's own).
#pragma once
#include "afxwin.h"

class CSPBaseControlBar;
class CSPDockingControlBar;
class CSPCaptionButton;
class CSPPopupMenu;
class CSPMiniFrameWnd;
class CSPBaseTabWnd;
class CSPTabWnd;
class CSPButton;
class CSPCaptionBar;
class CSPStatusBar;
class CSPBaseToolBar;
class CSPHeaderCtrl;
class CSPTasksGroup;
class CSPTask;
class CSPToolbarButton;
class CSPToolbarMenuButton;
class CSPToolbarComboBoxButton;
class CSPToolbarEditBoxButton;

// The handle of an image list, NULL for none.
HIMAGELIST SPGetImageListHandle(CImageList* pImageList);

// TRUE when pObj is of the named class or derived from it.
BOOL SPIsKindOf(const CObject* pObj, LPCSTR lpszClassName);

// What a visual manager reads of a control bar.
struct SPBarInfo {
    CWnd* pWnd;               // the bar as a window object (kind tests, text)
    DWORD dwStyle;            // CBRS_* style
    BOOL bDrawsOwnBorder;     // the bar's own query
    BOOL bFloatingOrVertical; // the bar floats or stands vertically
    COLORREF clrCaptionBack;  // caption bar: its background colour, -1 none
    BOOL bHideImages;         // popup menu bar: no image column
    BOOL bOnToolBar;          // colour bar: it sits on a toolbar
};

// What a visual manager reads of a caption button.
struct SPCaptionButtonInfo {
    CPoint ptPos;      // position in the caption
    BOOL bHidden;      // a hidden button has size (0, 0)
    UINT nHit;         // hit-test code
    BOOL bPushed;
    BOOL bFocused;     // highlighted (the mouse is over it)
};

// What a visual manager reads of a popup menu.
struct SPPopupMenuInfo {
    CSPToolbarMenuButton* pParentButton;  // NULL for a top-level popup
    CWnd* pParentButtonWnd;               // the window holding that button
    BOOL bHasParentPopupMenu;             // a submenu of another popup menu
    int nDropDirection;                   // 1 down, 2 up, 3 right, 4 left
};

// What a visual manager reads of a tab window for one tab.
struct SPTabInfo {
    CWnd* pWnd;
    CString strLabel;
    COLORREF clrBack;       // -1: none of its own
    COLORREF clrText;       // -1: none of its own
    int nLocation;          // 0 bottom, 1 top
    BOOL bFlatTabs;         // IsFlatTab
    BOOL bNoMnemonics;      // labels take no '&' prefix
    BOOL bExtraStyle;       // GetExtraStyleFlag
    int nDrawOption;        // SetDrawOption value
    int iActiveTab;         // GetActiveTab
    CSize sizeImage;        // GetImageSize
    int iImage;             // GetTabIcon, -1 none
    HICON hIcon;            // GetTabHicon, NULL none
    HIMAGELIST himlImages;  // GetImageList's handle, NULL none
};

// What a visual manager reads of a library push button.
struct SPButtonInfo {
    CWnd* pWnd;
    BOOL bPushed;
    BOOL bHighlighted;
};

// What a visual manager reads of a task-pane group and of a task.
struct SPTasksGroupInfo {
    CString strName;
    BOOL bIsSpecial;
    CRect rect;        // the caption rectangle
    BOOL bIsCollapsed;
};
struct SPTaskInfo {
    CString strName;
    int nIcon;         // index in the image list, negative: none
    BOOL bIsLink;
    CRect rect;
};

struct SPClientHooks {
    // bars; unset: a zeroed record with clrCaptionBack -1
    static void (*pfnGetBarInfo)(CSPBaseControlBar* pBar, SPBarInfo& info);
    // an outlook bar pane fills its own background; unset: nothing is drawn
    static void (*pfnOutlookPaneFillBackground)(CSPBaseControlBar* pBar, CDC* pDC, CRect rect);
    // CSPDockingControlBar as a bar (it derives from CSPBaseControlBar)
    static CSPBaseControlBar* (*pfnDockingBarAsBar)(CSPDockingControlBar* pBar);
    // caption buttons; unset: a hidden button
    static void (*pfnGetCaptionButtonInfo)(CSPCaptionButton* pButton, SPCaptionButtonInfo& info);
    // popup menus; unset: a top-level popup dropping down
    static void (*pfnGetPopupMenuInfo)(CSPPopupMenu* pMenu, SPPopupMenuInfo& info);
    // mini frames: the window the frame keeps as its owner, and whether it
    // holds a toolbar; unset: the window's owner, and FALSE
    static HWND (*pfnGetMiniFrameOwner)(CWnd* pMiniFrame);
    static BOOL (*pfnMiniFrameHoldsToolBar)(CSPMiniFrameWnd* pFrame);
    // tab windows; unset: an empty flat-free record with no image
    static void (*pfnGetTabInfo)(CSPBaseTabWnd* pTabWnd, int iTab, SPTabInfo& info);
    static BOOL (*pfnTabWndIsFlat)(CSPTabWnd* pTabWnd);
    // push buttons; unset: neither pushed nor highlighted, no window
    static void (*pfnGetButtonInfo)(CSPButton* pButton, SPButtonInfo& info);
    // task panes; unset: empty records
    static void (*pfnGetTasksGroupInfo)(CSPTasksGroup* pGroup, SPTasksGroupInfo& info);
    static void (*pfnGetTaskInfo)(CSPTask* pTask, SPTaskInfo& info);
    // the menu bar's font for an orientation; unset: fontRegular / fontVert
    static CFont* (*pfnGetMenuFont)(BOOL bHorz);
    // toolbar options; unset: the defaults of the toolbar module
    static COLORREF (*pfnGetToolbarButtonTextColor)();  // the global text colour
    static CSize (*pfnGetMenuImageSize)();              // 16 x 15
    static BOOL (*pfnMenuShadowsOn)();                  // TRUE

    // The answers, with the neutral ones when a hook is missing.
    static SPBarInfo GetBarInfo(CSPBaseControlBar* pBar);
    static SPCaptionButtonInfo GetCaptionButtonInfo(CSPCaptionButton* pButton);
    static SPPopupMenuInfo GetPopupMenuInfo(CSPPopupMenu* pMenu);
    static SPTabInfo GetTabInfo(CSPBaseTabWnd* pTabWnd, int iTab);
    static SPButtonInfo GetButtonInfo(CSPButton* pButton);
    static SPTasksGroupInfo GetTasksGroupInfo(CSPTasksGroup* pGroup);
    static SPTaskInfo GetTaskInfo(CSPTask* pTask);
    static CFont* GetMenuFont(BOOL bHorz);
    static COLORREF GetToolbarButtonTextColor();
    static CSize GetMenuImageSize();
    static BOOL MenuShadowsOn();
};
