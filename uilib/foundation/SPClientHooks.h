// SPClientHooks.h - what the foundation and the controls ask of objects whose
// classes live in the folders of the library above them, in one place.
//
// The visual managers draw bars, toolbar buttons, popup menus, caption
// buttons, tab windows, push buttons, mini frames and task panes; the
// managers reach toolbars and frames; the dialog helper reaches popup menus.
// Those classes are written in the folders above (docking, toolbars, frames,
// and for the push button the controls), and the foundation includes no
// header of theirs. Their pointers arrive here as declared-only types.
//
// How the foundation asks: the client describes itself
// -----------------------------------------------------
// For each role there is a small abstract interface below (ISPVisualBar,
// ISPVisualToolbarButton, ...). The class that plays the role derives from
// it, after its window or object base, and overrides its one virtual, which
// fills the record the drawing reads. The foundation finds the interface with
// SPClientOf (through the answers of SPClientHooks below); an object that
// does not implement it gets the record's neutral values. So a class adds what it shows by overriding the
// virtual (calling its base class's first), not by filling a function
// pointer from a static object:
//
//     class CSPBaseControlBar : public CWnd, public ISPVisualBar {
//         void GetVisualInfo(SPBarInfo& info) override;   // its style ...
//     };
//     void CSPCaptionBar::GetVisualInfo(SPBarInfo& info) {
//         CSPControlBar::GetVisualInfo(info);
//         info.bCaptionBar = TRUE;
//         info.clrCaptionBack = m_clrBarBackground;
//     }
//
// A record field answers for a class built above; a class test the
// foundation cannot make (it cannot name the class) is a field the class
// fills with its own IsKindOf(RUNTIME_CLASS(...)) tests.
//
// What is left
// ------------
// The classes that are not built yet are still reached through the function
// pointers of SPClientHooks below, each
// marked with the class that replaces it, and through class tests by name
// (SPIsKindOf). The change that builds one of those classes removes its
// hooks and name tests: it implements the interface of its role (adding one
// here when there is none) or, when the foundation does not need it, calls
// the class directly. Name tests left in the foundation and the controls:
//
//   name                  where                          replaced by
//   CDockBar              SPDlgImpl and SPFrameInput     RUNTIME_CLASS once the
//                         click tests                    class library has it
//
// Every library class starts with its window or object base, so its CObject
// part sits at the object's address; SPClientOf relies on that.
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
class COleDataObject;

// The handle of an image list, NULL for none.
HIMAGELIST SPGetImageListHandle(CImageList* pImageList);

// TRUE when pObj is of the named class or derived from it. Only for the
// classes listed above that are not built yet.
BOOL SPIsKindOf(const CObject* pObj, LPCSTR lpszClassName);

// The interface I of an object of a class declared only (see above), or
// NULL when the object does not implement it.
template <class I, class T>
I* SPClientOf(T* pObject) {
    if (pObject == NULL) return NULL;
    return dynamic_cast<I*>(reinterpret_cast<CObject*>(pObject));
}

// ---------------------------------------------------------------------------
// The records the drawing reads, and the interfaces that fill them. A record
// starts with the neutral answers: what is drawn for an object that does not
// describe itself.

// What a visual manager reads of a control bar.
struct SPBarInfo {
    CWnd* pWnd = NULL;                       // the bar as a window object (kind tests, text)
    DWORD dwStyle = 0;                       // CBRS_* style
    BOOL bDrawsOwnBorder = FALSE;            // the bar's own query
    BOOL bFloatingOrVertical = FALSE;        // the bar floats or stands vertically
    BOOL bCaptionBar = FALSE;                // a CSPCaptionBar
    COLORREF clrCaptionBack = (COLORREF)-1;  // caption bar: its background colour, -1 none
    BOOL bHideImages = FALSE;                // popup menu bar: no image column
    BOOL bColorBar = FALSE;                  // a CSPColorBar
    BOOL bOnToolBar = FALSE;                 // colour bar: a stand-alone bar, not a popup's
    BOOL bToolBar = FALSE;                   // a CSPToolBar or a bar derived from it
    BOOL bPopupMenuBar = FALSE;              // a CSPPopupMenuBar or a bar derived from it
    BOOL bMenuBar = FALSE;                   // a CSPMenuBar
    BOOL bDockingPane = FALSE;               // a CSPDockingControlBar: it can leave a tab
    BOOL bAutoHideDockBar = FALSE;           // a CSPAutoHideDockBar: the strip of pinned-away panes
};

// Implemented by CSPBaseControlBar; its bar classes add their fields.
class ISPVisualBar {
public:
    virtual void GetVisualInfo(SPBarInfo& info) = 0;

protected:
    ~ISPVisualBar() {}
};

// Implemented by CSPOutlookBarPane: a bar that fills its own background (a
// colour or a tiled bitmap) where the visual manager would fill a bar's.
class ISPBarOwnBackground {
public:
    virtual void FillOwnBackground(CDC* pDC, CRect rect) = 0;

protected:
    ~ISPBarOwnBackground() {}
};

// Implemented by CSPToolBar: what the user-tools manager does to every bar
// of g_lstAllToolbars.
class ISPToolbarCommands {
public:
    // The first index at or after iIndexFirst whose button has the command,
    // -1 when none.
    virtual int CommandToIndex(UINT nIDFind, int iIndexFirst = 0) const = 0;
    // Removes and deletes the button; FALSE for a bad index.
    virtual BOOL RemoveButton(int iIndex) = 0;
    // Lays the bar out again.
    virtual void AdjustLayout() = 0;

protected:
    ~ISPToolbarCommands() {}
};

// What a visual manager reads of a toolbar button.
struct SPToolbarButtonInfo {
    UINT nStyle = 0;                           // TBBS_* style bits
    BOOL bEditable = FALSE;                    // may be edited while customising
    CSPToolbarMenuButton* pMenuButton = NULL;  // the button as a menu button, or NULL
    BOOL bShowAllButton = FALSE;               // a CSPShowAllButton
    BOOL bOutlookButton = FALSE;               // a CSPOutlookButton
    CSPPopupMenu* pPopupMenu = NULL;           // a menu button's open popup menu, or NULL
    BOOL bJoinsMenuBorder = FALSE;             // a menu button's popup may open towards it
    CRect rect = CRect(0, 0, 0, 0);            // the button's rectangle
};

// Implemented by CSPToolbarButton.
class ISPVisualToolbarButton {
public:
    virtual void GetVisualInfo(SPToolbarButtonInfo& info) const = 0;

protected:
    ~ISPVisualToolbarButton() {}
};

// What a visual manager reads of a library push button.
struct SPButtonInfo {
    CWnd* pWnd = NULL;
    BOOL bPushed = FALSE;
    BOOL bHighlighted = FALSE;
};

// Implemented by CSPButton.
class ISPVisualButton {
public:
    virtual void GetVisualInfo(SPButtonInfo& info) = 0;

protected:
    ~ISPVisualButton() {}
};

// Implemented by the library frames that keep the accelerator resource they
// were loaded with (CSPFrameWnd, CSPMDIFrameWnd; CSPOleIPFrameWnd when it is
// built): the keyboard manager restores their default table.
class ISPAccelFrame {
public:
    virtual UINT GetDefaultResId() const = 0;

protected:
    ~ISPAccelFrame() {}
};

// What a visual manager reads of a caption button.
struct SPCaptionButtonInfo {
    CPoint ptPos = CPoint(0, 0);  // position in the caption
    BOOL bHidden = TRUE;          // a hidden button has size (0, 0)
    UINT nHit = 0;                // hit-test code
    BOOL bPushed = FALSE;
    BOOL bFocused = FALSE;        // highlighted (the mouse is over it)
};

// Implemented by CSPCaptionButton.
class ISPVisualCaptionButton {
public:
    virtual void GetVisualInfo(SPCaptionButtonInfo& info) const = 0;

protected:
    ~ISPVisualCaptionButton() {}
};

// Implemented by CSPMiniFrameWnd: a floating frame is a popup whose frame
// is the one it was created for, not its parent; and a frame holding a
// toolbar draws its caption always active.
class ISPMiniFrame {
public:
    virtual HWND GetOwnerFrameHwnd() const = 0;
    virtual BOOL HoldsToolBar() const = 0;

protected:
    ~ISPMiniFrame() {}
};

// The windows of every existing floating frame, in creation order; each
// frame enters itself when its window is created and leaves when it is
// destroyed. A change of look redraws them all (RedrawAll).
struct SPMiniFrameList {
    static CList<HWND, HWND>& Windows();
    static void RedrawAll();
};

// What a visual manager reads of a popup menu.
struct SPPopupMenuInfo {
    CSPToolbarMenuButton* pParentButton = NULL;  // NULL for a top-level popup
    CWnd* pParentButtonWnd = NULL;               // the window holding that button
    BOOL bHasParentPopupMenu = FALSE;            // a submenu of another popup menu
    int nDropDirection = 1;                      // 1 down, 2 up, 3 right, 4 left
};

// Implemented by CSPPopupMenu.
class ISPVisualPopupMenu {
public:
    virtual void GetVisualInfo(SPPopupMenuInfo& info) = 0;

protected:
    ~ISPVisualPopupMenu() {}
};

// What a visual manager reads of a tab window for one tab.
struct SPTabInfo {
    CWnd* pWnd = NULL;
    CString strLabel;
    COLORREF clrBack = (COLORREF)-1;  // -1: none of its own
    COLORREF clrText = (COLORREF)-1;  // -1: none of its own
    int nLocation = 0;                // 0 bottom, 1 top
    BOOL bFlatTabs = FALSE;           // IsFlatTab
    BOOL bNoMnemonics = FALSE;        // labels take no '&' prefix
    BOOL bExtraStyle = FALSE;         // GetExtraStyleFlag
    int nDrawOption = 0;              // SetDrawOption value
    int iActiveTab = -1;              // GetActiveTab
    CSize sizeImage = CSize(0, 0);    // GetImageSize
    int iImage = -1;                  // GetTabIcon, -1 none
    HICON hIcon = NULL;               // GetTabHicon, NULL none
    HIMAGELIST himlImages = NULL;     // GetImageList's handle, NULL none
};

// Implemented by CSPBaseTabWnd; its kinds add their fields (a flat
// CSPTabWnd sets bFlatTabs). iTab -1 asks for the window alone.
class ISPVisualTabWnd {
public:
    virtual void GetTabVisualInfo(int iTab, SPTabInfo& info) = 0;

protected:
    ~ISPVisualTabWnd() {}
};

// Implemented by CSPTabbedToolbar: what its tab window asks while data is
// dragged over the tab strip.
// Implemented by the tabbed toolbar, which also makes it known to the
// layers below (a control bar in its tab window is tabbed).
class ISPTabbedToolbar {
public:
    // The dragged data holds a toolbar button (built from the data to see,
    // then discarded).
    virtual BOOL IsToolbarButtonData(COleDataObject* pDataObject) = 0;

protected:
    ~ISPTabbedToolbar() {}
};

// What a visual manager reads of a task-pane group and of a task.
struct SPTasksGroupInfo {
    CString strName;
    BOOL bIsSpecial = FALSE;
    CRect rect = CRect(0, 0, 0, 0);  // the caption rectangle
    BOOL bIsCollapsed = FALSE;
};
struct SPTaskInfo {
    CString strName;
    int nIcon = -1;  // index in the image list, negative: none
    BOOL bIsLink = FALSE;
    CRect rect = CRect(0, 0, 0, 0);
};

// ---------------------------------------------------------------------------
// The answers, with the neutral records, and the hooks left

struct SPClientHooks {
    // The answers of the interfaces above; the neutral record for NULL or an
    // object without the interface.
    static SPBarInfo GetBarInfo(CSPBaseControlBar* pBar);  // clrCaptionBack -1
    // Whether a window is a docking pane (SPBarInfo::bDockingPane); FALSE
    // for any other window.
    static BOOL IsDockingPane(CWnd* pWnd);
    static SPToolbarButtonInfo GetToolbarButtonInfo(CSPToolbarButton* pButton);
    static SPToolbarButtonInfo GetToolbarButtonInfo(CSPToolbarMenuButton* pButton);
    static SPButtonInfo GetButtonInfo(CSPButton* pButton);  // no window, idle
    static UINT GetDefaultAccelResId(CFrameWnd* pFrame);     // 0
    static SPCaptionButtonInfo GetCaptionButtonInfo(CSPCaptionButton* pButton);  // hidden
    // The floating frame's interface, NULL for any other window.
    static ISPMiniFrame* GetMiniFrame(CWnd* pWnd);
    // a tab window: an empty flat-free record with no image
    static SPTabInfo GetTabInfo(CSPBaseTabWnd* pTabWnd, int iTab);
    static BOOL IsFlatTabWnd(CSPTabWnd* pTabWnd);  // FALSE
    static SPPopupMenuInfo GetPopupMenuInfo(CSPPopupMenu* pMenu);  // a top-level popup dropping down

    // The bar's own background fill, NULL for a bar the visual manager fills.
    static ISPBarOwnBackground* GetOwnBackground(CSPBaseControlBar* pBar);

    // Hooks left; each answers its neutral value while unset.
    //                                                        replaced by
    // task panes; unset: empty records
    static void (*pfnGetTasksGroupInfo)(CSPTasksGroup* pGroup, SPTasksGroupInfo& info);
    static void (*pfnGetTaskInfo)(CSPTask* pTask, SPTaskInfo& info);
    //                                                        CSPTasksGroup, CSPTask, an interface

    // The answers of the hooks, with the neutral ones when a hook is unset.
    static SPTasksGroupInfo GetTasksGroupInfo(CSPTasksGroup* pGroup);
    static SPTaskInfo GetTaskInfo(CSPTask* pTask);
};

// What the dialog menu helper (SPDlgImpl.h) asks of a popup menu.
// Implemented by CSPPopupMenu.
class ISPDialogPopupMenu {
public:
    // The popup as a window.
    virtual CWnd* GetPopupWnd() = 0;
    // 1 or 2 (the shadow) close the popup, 4 is outside it, 0, 3 and 5
    // leave it open.
    virtual int MenuHitTest(CPoint ptScreen) = 0;
    virtual CSPPopupMenu* GetParentPopupMenu() const = 0;
    // The item or button that opened the popup: its rectangle in screen
    // coordinates, whether it sits on a popup menu bar and whether it holds
    // the popup open; FALSE when there is none.
    virtual BOOL GetParentButtonRect(CRect& rectScreen, BOOL& bOnPopupMenuBar, BOOL& bHoldsPopupOpen) = 0;
    // The point lies over the bar of one of the popup's parent popups.
    virtual BOOL IsOverParentMenuBar(CPoint ptScreen) = 0;

protected:
    ~ISPDialogPopupMenu() {}
};

// The active popup menu, shared by the popup menus, the frames and the
// dialog helper, and the answers of its interface (neutral for NULL).
struct SPPopupMenuClient {
    static CSPPopupMenu* GetActivePopupMenu();
    static void SetActivePopupMenu(CSPPopupMenu* pMenu);
    static CWnd* PopupAsWnd(CSPPopupMenu* pMenu);      // NULL
    static int MenuHitTest(CSPPopupMenu* pMenu, CPoint ptScreen);  // 4
    static CSPPopupMenu* GetParentPopupMenu(CSPPopupMenu* pMenu);  // NULL
    static BOOL GetParentButton(CSPPopupMenu* pMenu, CRect& rectScreen, BOOL& bOnPopupMenuBar,
                                BOOL& bHoldsPopupOpen);  // FALSE
    // Over a parent popup's bar of the active popup.
    static BOOL IsOverPopupMenuBar(CPoint ptScreen);
};
