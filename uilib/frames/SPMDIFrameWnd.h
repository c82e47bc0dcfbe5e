// SPMDIFrameWnd.h - CSPMDIFrameWnd: the library's multiple-document main
// frame. The library menu bar replaces the Win32 menu, its dock manager lays
// out every bar, the MDI client is taken over by a CSPMainClientAreaWnd
// (document tabs, the menus for the menu bar), the keys and clicks go
// through the frame implementation, the Window menu lists the open
// documents, and the "Windows" dialog manages them.
#pragma once
#include "SPFrameImpl.h"

#include "SPClientHooks.h"
#include "SPMainClientAreaWnd.h"

class CSPPopupMenu;
class CSPToolbarButton;
class CSPToolbarMenuButton;
class CSPMenuBar;
class COleClientItem;

class CSPMDIFrameWnd : public CSPDockingFrame<CMDIFrameWnd>, public ISPAccelFrame {
    DECLARE_DYNCREATE(CSPMDIFrameWnd)

public:
    CSPMDIFrameWnd();
    virtual ~CSPMDIFrameWnd();

    // --- the framework's overridables ----------------------------------------------
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    void WinHelp(DWORD_PTR dwData, UINT nCmd = HELP_CONTEXT) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    // Loads the frame's saved state once the frame is complete.
    BOOL LoadFrame(UINT nIDResource, DWORD dwDefaultStyle = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                   CWnd* pParentWnd = NULL, CCreateContext* pContext = NULL) override;
    void RecalcLayout(BOOL bNotify = TRUE) override;
    void OnSetPreviewMode(BOOL bPreview, CPrintPreviewState* pState) override;
    BOOL NegotiateBorderSpace(UINT nBorderCmd, LPRECT lpRectBorder) override;
    BOOL OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext* pContext) override;
    void OnUpdateFrameMenu(HMENU hMenuAlt) override;
    HMENU GetWindowMenuPopup(HMENU hMenuBar) override;

    // The accelerator resource the frame was loaded with, 0 for none.
    UINT GetDefaultResId() const override { return m_uiDefaultAccelResId; }

    // --- its own overridables, in slot order -------------------------------------------
    // The dock manager lays out the bars, then the client area takes what
    // they leave.
    void AdjustDockingLayout(HDWP hdwp = NULL) override;
    virtual BOOL OnMoveMiniFrame(CWnd* pFrame);
    // The menu bar shows hMenu (the default menu for NULL): FALSE when the
    // frame has no menu bar or an in-place item shows its own.
    virtual BOOL OnSetMenu(HMENU hMenu);
    // The application's hook before a popup menu opens: FALSE keeps it shut.
    virtual BOOL OnShowPopupMenu(CSPPopupMenu* /*pMenuPopup*/) { return TRUE; }
    virtual void OnClosePopupMenu(CSPPopupMenu* pMenuPopup);
    // A menu item that drew no image of its own: TRUE when the frame drew one.
    virtual BOOL OnDrawMenuImage(CDC* /*pDC*/, const CSPToolbarMenuButton* /*pMenuButton*/, const CRect& /*rectImage*/) {
        return FALSE;
    }
    virtual BOOL OnMenuButtonToolHitTest(CSPToolbarButton* /*pButton*/, TOOLINFO* /*pTI*/) { return FALSE; }
    // TRUE: the frame painted the MDI client's background itself.
    virtual BOOL OnEraseMDIClientBackground(CDC* /*pDC*/) { return FALSE; }
    virtual void OnDrawMenuLogo(CDC* /*pDC*/, CSPPopupMenu* /*pMenu*/, const CRect& /*rectLogo*/) {}
    // Hides every docked bar (FALSE) or brings them back (TRUE).
    virtual BOOL ShowDockedBars(BOOL bShow);
    // Places the client area (and its tabs) in what the bars leave.
    virtual void AdjustClientArea();
    // The in-place active item of the active view's document, or NULL.
    virtual COleClientItem* GetActiveOleItem();

    // --- bars -------------------------------------------------------------------------
    // A bar of the dock manager, floating ones included; NULL when none.
    CWnd* GetControlBar(UINT nID) { return GetDockManager()->FindBarByID(nID, TRUE); }
    void ShowControlBar(CSPBaseControlBar* pBar, BOOL bShow, BOOL bDelay, BOOL bActivate);
    BOOL CanBarsBeTabbed(CSPBaseControlBar* pBar, CSPBaseControlBar* pTabbedBar) {
        return GetDockManager()->CanBarsBeTabbed(pBar, pTabbedBar);
    }
    CSPMenuBar* GetMenuBar() const { return m_Impl.GetMenuBar(); }

    // --- document tabs and the client -------------------------------------------------
    void EnableMDITabs(BOOL bEnable = TRUE, BOOL bIcons = TRUE,
                       CSPTabWnd::Location location = CSPTabWnd::LOCATION_BOTTOM, BOOL bCloseButton = FALSE) {
        m_wndClientArea.EnableMDITabs(bEnable, bIcons, location, bCloseButton);
    }
    BOOL AreMDITabs() const { return m_wndClientArea.AreMDITabsEnabled(); }
    CSPMainClientAreaWnd& GetClientArea() { return m_wndClientArea; }
    // The Window popup of the menu the menu bar shows (its document list).
    HMENU GetWindowMenu() const { return m_hmenuWindow; }
    void SetWindowMenuPopup(HMENU hMenu) { m_hmenuWindow = hMenu; }

    // --- library popup menus ------------------------------------------------------------
    // A popup menu is about to show: the frame implementation registers it;
    // a Window menu gets the open documents (and the "Windows..." item); then
    // the application's hook decides.
    BOOL ShowPopupMenu(CSPPopupMenu* pMenuPopup);

    // --- the "Windows" dialog -----------------------------------------------------------
    // Offers the "Windows" dialog through the command uiCmdID with the
    // item text lpszMenuText; bShowAllways adds the item even while the
    // Window menu has no "More Windows" entry; bShowHelpButton shows the
    // dialog's Help button. A command id of 0 withdraws the offer.
    void EnableWindowsDialog(UINT uiCmdID, LPCTSTR lpszMenuText, BOOL bShowAllways = FALSE,
                             BOOL bShowHelpButton = FALSE);
    void EnableWindowsDialog(UINT uiCmdID, UINT uiMenuTextResID, BOOL bShowAllways = FALSE,
                             BOOL bShowHelpButton = FALSE);
    // Runs the "Windows" dialog for this frame's document windows.
    void ShowWindowsDialog();
    UINT GetWindowsDialogCommand() const { return m_uiWindowsDlgMenuId; }
    const CString& GetWindowsDialogText() const { return m_strWindowsDlgMenuText; }
    BOOL IsWindowsDialogShownAlways() const { return m_bShowWindowsDlgAlways; }

    BOOL IsClosing() const { return m_bClosing; }
    BOOL IsMinimizedFrame() const { return m_bIsMinimized; }
    // The menu bar shows the active document's caption buttons while it is
    // maximised.
    void UpdateMenuBarMaximizeMode();

protected:
    CSPMainClientAreaWnd m_wndClientArea;
    HMENU m_hmenuWindow;
    BOOL m_bContextHelp;
    BOOL m_bDoSubclass;
    UINT m_uiWindowsDlgMenuId;
    CString m_strWindowsDlgMenuText;
    BOOL m_bShowWindowsDlgAlways;
    BOOL m_bShowWindowsDlgHelpButton;
    BOOL m_bWasMaximized;
    BOOL m_bIsMinimized;
    BOOL m_bClosing;
    UINT m_uiDefaultAccelResId;

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnDestroy();
    afx_msg void OnClose();
    afx_msg void OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized);
    afx_msg void OnActivateApp(BOOL bActive, DWORD dwThreadID);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnSizing(UINT fwSide, LPRECT pRect);
    afx_msg void OnExitSizeMove();
    afx_msg void OnWindowPosChanged(WINDOWPOS* lpwndpos);
    afx_msg LRESULT OnMenuChar(UINT nChar, UINT nFlags, CMenu* pMenu);
    afx_msg void OnContextHelp();
    afx_msg void OnUpdateControlBarMenu(CCmdUI* pCmdUI);
    afx_msg BOOL OnBarCheck(UINT nID);
    afx_msg void OnWindowNew();
    DECLARE_MESSAGE_MAP()
};
