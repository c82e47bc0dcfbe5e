// SPPopupMenu.h - the window of every menu the library shows itself: a small
// top-level frame hosting one popup menu bar, placed inside the monitor's
// work area, with a drop shadow, closing whole chains of submenus and
// sending the chosen command to the window that owns the menu.
#pragma once
#include "afxwin.h"

#include <time.h>

#include "SPPopupMenuBar.h"

class CSPToolbarMenuButton;
class CSPBaseControlBar;

// Where a popup ended up relative to what opened it.
enum { SP_DROP_DEFAULT = 0, SP_DROP_ABOVE = 2, SP_DROP_LEFT = 4 };

// What the fitting of a popup into the work area needs to know, and what it
// decides. Kept apart from the window so that every screen edge can be
// tried without a screen.
struct SPPopupPlacement {
    // in
    CRect rectWork;             // the monitor's work area
    CPoint pt;                  // the requested top-left corner
    CSize size;                 // the popup's size without shadow
    BOOL bSubMenu = FALSE;      // opened from an item of another popup
    CRect rectParentPopup;      // that popup's window (submenus)
    BOOL bButtonOnBar = FALSE;  // opened from a toolbar or menu-bar button
    CRect rectButton;           // that button, screen coordinates
    BOOL bVertMenuBar = FALSE;  // the button is on a menu bar docked left or right
    CRect rectMenuBar;          // that bar's window
    int nRowHeight = 0;         // the bar's row height
    // out
    int nDropDirection = SP_DROP_DEFAULT;
    BOOL bScrollable = FALSE;
};
// Fits the popup: moves pt and shortens size.cy where needed.
void SPFitPopupMenu(SPPopupPlacement& p);

class CSPPopupMenu : public CMiniFrameWnd, public ISPVisualPopupMenu, public ISPDialogPopupMenu {
    DECLARE_SERIAL(CSPPopupMenu)

public:
    CSPPopupMenu();
    virtual ~CSPPopupMenu();

    virtual CSPPopupMenuBar* GetMenuBar() { return &m_wndMenuBar; }
    virtual BOOL IsCommandInProgress() const { return m_wndMenuBar.IsInCommand(); }
    // Shows the popup at the screen point x, y (-1, -1: the parent's client
    // corner plus 5, 5). bOwnMessage: commands go to pWndParent, otherwise
    // to the parent popup's message window.
    virtual BOOL Create(CWnd* pWndParent, int x, int y, HMENU hMenu, BOOL bLocked = FALSE,
                        BOOL bOwnMessage = FALSE);

    int GetMenuItemCount() const { return m_wndMenuBar.GetCount(); }
    CSPToolbarButton* GetMenuItem(int iIndex) const { return m_wndMenuBar.GetItem(iIndex); }
    HMENU GetHMenu() const { return m_hMenu; }
    CSPPopupMenu* GetParentPopupMenu() const override { return m_pParentPopup; }
    // The window the chosen command goes to, NULL when it has none or it is
    // gone.
    CWnd* GetMessageWnd() const;
    int GetDropDirection() const { return m_iDropDirection; }
    BOOL IsScrollable() const { return m_bScrollable; }
    int GetShadowDepth() const { return m_iShadowSize; }
    CSize GetFinalSize() const { return m_FinalSize; }
    // The submenu opened from an item of pParent: placed beside the item,
    // its commands go where pParent's go.
    BOOL CreateSubMenu(CSPPopupMenu* pParent, const CRect& rectItemScreen, HMENU hMenu);

    // Before Create: the chosen commands go to pWnd (unless Create is told
    // otherwise), and every item shows even when rarely used.
    void SetMessageWnd(CWnd* pWnd) { m_hwndMessage = pWnd != NULL ? pWnd->GetSafeHwnd() : NULL; }
    void SetShowAllCommands(BOOL bShowAll) { m_bShowAllCommands = bShowAll; }

    // Builds the items again with every command shown (the show-all item,
    // Ctrl+Down).
    void ShowAllCommands();
    // The bar holding the open submenu lets go of it.
    void OnSubMenuDestroyed(CSPPopupMenu* pSubMenu);
    // The menu button that opens this popup (before Create): its rectangle
    // in screen coordinates decides where the popup drops.
    void SetParentButton(CSPToolbarMenuButton* pButton, const CRect& rectScreen);
    CSPToolbarMenuButton* GetParentButton() const { return m_pParentButton; }
    // The toolbar (menu bar included) holding the button that opened this
    // popup, NULL for none.
    CSPToolBar* GetParentToolBar() const;
    // Closes this popup; bSetFocusToBar gives the focus back to the bar
    // that opened it.
    void CloseMenu(BOOL bSetFocusToBar = FALSE);
    // Posts WM_COMMAND id to the message window; FALSE when there is none.
    BOOL PostCommand(UINT uiCommandID);
    // 4 outside the window, 3 logo band, 1 right shadow, 2 bottom shadow,
    // 5 tear-off caption, 0 the items.
    int MenuHitTest(CPoint pt) override;
    CWnd* GetPopupWnd() override { return this; }
    BOOL GetParentButtonRect(CRect& rectScreen, BOOL& bOnPopupMenuBar, BOOL& bHoldsPopupOpen) override;
    BOOL IsOverParentMenuBar(CPoint ptScreen) override { return m_wndMenuBar.FindDestBar(ptScreen) != NULL; }
    void RecalcLayout(BOOL bNotify = TRUE) override;
    // What the visual managers read of the popup.
    void GetVisualInfo(SPPopupMenuInfo& info) override;

    // Scrolling of a popup taller than the room: the first row shown, and
    // the scroll buttons (client coordinates, empty when not shown).
    int GetFirstVisibleRow() const { return m_wndMenuBar.GetOffset(); }
    const CRect& GetScrollUpRect() const { return m_rectScrollUp; }
    const CRect& GetScrollDownRect() const { return m_rectScrollDn; }
    BOOL IsAnimationDone() const { return m_bAnimationDone; }

    // The frame (an MDI, SDI or in-place library frame) hears of every
    // popup before it shows (NULL: none is shown); its hooks may fill the
    // popup or refuse it (FALSE). Another frame accepts every popup.
    static BOOL ActivatePopupMenu(CFrameWnd* pTopFrame, CSPPopupMenu* pPopup);
    // The frame's hook when a popup goes.
    static void OnFrameClosePopupMenu(CFrameWnd* pTopFrame, CSPPopupMenu* pPopup);

    // The shown popup that has the keys: the innermost of the open chain.
    static CSPPopupMenu* GetActiveMenu() { return SPPopupMenuClient::GetActivePopupMenu(); }
    static void SetActiveMenu(CSPPopupMenu* pMenu) { SPPopupMenuClient::SetActivePopupMenu(pMenu); }
    // 1 to 200 ms; other values leave the interval unchanged.
    static void SetAnimationSpeed(UINT nElapse);
    static UINT GetAnimationSpeed() { return s_uiAnimSpeed; }
    // Recaptures the shadows that meet the screen rectangle (NULL: all).
    static void UpdateAllShadows(LPRECT lprectScreen = NULL);
    void UpdateShadow(LPRECT lprectScreen = NULL);

    // Set by a modal tracker that waits for the chosen command.
    void SetTrackMode(BOOL bTrackMode) { m_bTrackMode = bTrackMode; }
    BOOL IsTrackMode() const { return m_bTrackMode; }
    // Cleared: the menu handle stays its owner's when the popup goes.
    void SetDestroyMenu(BOOL bDestroyMenu) { m_bDestroyMenu = bDestroyMenu; }

    // --- tearing off (SPPopupMenuTearOff.cpp) ----------------------------------
    // Turns the menu into a floating toolbar of the frame, which the user
    // then drags; FALSE when the parent button is no tear-off menu, the bar
    // cannot be made or the drag was cancelled (no bar is left then).
    virtual BOOL TearOff(CPoint point);
    // A new toolbar of the menu's items on the frame, with the control id;
    // NULL when its window cannot be created.
    virtual CSPBaseControlBar* CreateTearOffBar(CFrameWnd* pWndMain, UINT uiID, LPCTSTR lpszName);
    // The tear-off caption (client coordinates), empty when the popup has none.
    CRect GetTearOffCaptionRect() const { return m_rectTearOffCaption; }
    static constexpr int nTearOffCaptionHeight = 10;

protected:
    BOOL m_bAutoDestroyParent;
    HWND m_hwndMessage;
    CSPPopupMenu* m_pParentPopup;
    int m_iDropDirection;
    CSPPopupMenuBar m_wndMenuBar;
    HMENU m_hMenu;
    CPoint m_ptLocation;
    CPoint m_ptLocationInitial;
    CSize m_FinalSize;
    BOOL m_bDestroyMenu;
    BOOL m_bTrackMode;
    BOOL m_bInClose;
    int m_iMaxWidth;
    BOOL m_bScrollable;
    int m_iShadowSize;
    CSPToolbarMenuButton* m_pParentButton;
    CRect m_rectParentButton;  // screen, empty for none
    BOOL m_bParentButtonOnBar;
    BOOL m_bInRecalcLayout;
    BOOL m_bShowAllCommands;
    HWND m_hwndParentBar;  // the toolbar holding the parent button
    CBitmap m_bmpShadowRight, m_bmpShadowBottom;
    // animation
    CSize m_AnimSize;  // revealed so far, shadow included
    BOOL m_bLeftAnchor;
    BOOL m_bTopAnchor;
    BOOL m_bAnimationDone;
    int m_iFadePercent;
    clock_t m_tLastAnimFrame;
    CBitmap m_bmpScreen;  // what lay behind the popup (fade)
    CBitmap m_bmpMenu;    // the finished popup
    // scrolling
    CRect m_rectScrollUp;
    CRect m_rectScrollDn;
    int m_iScrollMode;  // -1 up, 1 down, 0 none
    int m_iScrollBtnHeight;
    int m_nVisibleBarHeight;
    BOOL m_bTearOffTracking;
    BOOL m_bIsTearOffCaptionActive;
    BOOL m_bRefusedByFrame;  // the frame's hook did not let it show
    BOOL m_bDestroying;      // its window is going (its submenus go with it)
    CRect m_rectTearOffCaption;

    static UINT s_uiAnimSpeed;

    // The shadow a popup gets: the visual manager's depth when shadows are
    // on, outside customise mode and above 8 bits per pixel.
    static int DefaultShadowDepth();
    BOOL BuildItems();
    // The recent-file placeholder becomes the application's recent files.
    void InsertRecentFiles();
    // Lays the bar out between the scroll buttons; bForce moves the bar's
    // window even when no button changed.
    void UpdateScrollButtons(BOOL bForce);
    // The first row that still leaves the bar's area filled.
    int GetMaxFirstRow() const;
    void ScrollTo(int iFirstRow);
    void ScrollHotIntoView();
    void StartAnimation();
    void OnAnimationTick();
    void DrawFrameParts(CDC* pDC);
    void DrawAnimationFrame(CDC* pDC);
    // No shadow when popup and shadow would leave the top-level window.
    void CheckShadow();

    BOOL PreTranslateMessage(MSG* pMsg) override;
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
    void PostNcDestroy() override;

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnPaint();
    afx_msg int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message);
    afx_msg void OnDestroy();
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg BOOL OnEraseBkgnd(CDC* /*pDC*/) { return TRUE; }
    afx_msg void OnActivateApp(BOOL bActive, DWORD dwThreadID);
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    // the tear-off caption
    BOOL HasTearOffCaption() const;
    void TrackScrollButtons(CPoint point);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    DECLARE_MESSAGE_MAP()
};
