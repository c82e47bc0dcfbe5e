// SPFrameWnd.h - CSPFrameWnd: the library's single-document frame. Its bars
// are laid out by the dock manager instead of the framework's docking, the
// Win32 menu stays off the window while a library menu bar shows, and it
// answers the library's messages for user toolbars.
#pragma once
#include "SPFrameImpl.h"

#include "SPClientHooks.h"

class CSPBaseControlBar;
class CSPMenuBar;
class CSPPopupMenu;
class CSPToolbarButton;
class CSPToolbarMenuButton;

class CSPFrameWnd : public CSPDockingFrame<CFrameWnd>, public ISPAccelFrame {
    DECLARE_DYNCREATE(CSPFrameWnd)

public:
    CSPFrameWnd();
    virtual ~CSPFrameWnd();

    // Remembers the resource when it brought an accelerator table: the
    // keyboard manager installs that table again when it resets the keys.
    BOOL LoadFrame(UINT nIDResource, DWORD dwDefaultStyle = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                   CWnd* pParentWnd = NULL, CCreateContext* pContext = NULL) override;
    // The accelerator resource the frame was loaded with, 0 for none.
    UINT GetDefaultResId() const override { return m_uiDefaultAccelResId; }

    // --- layout -------------------------------------------------------------------------
    void RecalcLayout(BOOL bNotify = TRUE) override;
    // The docking layout only: the bars, then the view in what they leave.
    void AdjustDockingLayout(HDWP hdwp = NULL) override;
    // Moves the view into the room the docked bars leave.
    virtual void AdjustClientArea();
    // Hides every docked bar (FALSE) or brings them back (TRUE).
    virtual BOOL ShowDockedBars(BOOL bShow);
    BOOL NegotiateBorderSpace(UINT nBorderCmd, LPRECT lpRectBorder) override;
    void OnSetPreviewMode(BOOL bPreview, CPrintPreviewState* pState) override;

    // --- menus, keys and commands -------------------------------------------------------
    void OnUpdateFrameMenu(HMENU hMenuAlt) override;
    void DelayUpdateFrameMenu(HMENU hMenuAlt) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    void WinHelp(DWORD_PTR dwData, UINT nCmd = HELP_CONTEXT) override;
    // The menu bar shows hMenu (the default menu for NULL); FALSE without a
    // menu bar.
    BOOL OnSetMenu(HMENU hMenu);
    CSPMenuBar* GetMenuBar() const { return m_Impl.GetMenuBar(); }

    // A bar of the dock manager, floating ones included; NULL when none.
    CWnd* GetControlBar(UINT nID);
    void ShowControlBar(CSPBaseControlBar* pBar, BOOL bShow, BOOL bDelay, BOOL bActivate);
    BOOL CanBarsBeTabbed(CSPBaseControlBar* pBar, CSPBaseControlBar* pTabbedBar) {
        return GetDockManager()->CanBarsBeTabbed(pBar, pTabbedBar);
    }

    BOOL IsMinimizedFrame() const { return m_bIsMinimized; }
    // The item active in place in the active view's document, or NULL:
    // while it shows its window, the menu it is handed stays on the window.
    virtual COleClientItem* GetActiveOleItem() { return SPGetActiveOleItem(this); }

    // --- library popup menus --------------------------------------------------------
    // A library popup menu is about to show: it becomes the active one;
    // FALSE keeps it from showing (the frame's OnShowPopupMenu decides).
    BOOL ShowPopupMenu(CSPPopupMenu* pMenuPopup);
    virtual BOOL OnShowPopupMenu(CSPPopupMenu* /*pMenuPopup*/) { return TRUE; }
    // A popup menu closes: when it is the active one there is none.
    virtual void OnClosePopupMenu(CSPPopupMenu* pMenuPopup);
    // The tooltip of a toolbar menu button, when the frame gives one.
    virtual BOOL OnMenuButtonToolHitTest(CSPToolbarButton* /*pButton*/, TOOLINFO* /*pTI*/) { return FALSE; }
    // A menu item that drew no image of its own: TRUE when the frame drew one.
    virtual BOOL OnDrawMenuImage(CDC* /*pDC*/, const CSPToolbarMenuButton* /*pMenuButton*/, const CRect& /*rectImage*/) {
        return FALSE;
    }
    // The logo strip of a popup menu; the default draws nothing.
    virtual void OnDrawMenuLogo(CDC* /*pDC*/, CSPPopupMenu* /*pMenu*/, const CRect& /*rectLogo*/) {}

protected:
    UINT m_uiDefaultAccelResId;
    BOOL m_bContextHelp;
    BOOL m_bWasMaximized;
    BOOL m_bIsMinimized;


    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnSizing(UINT fwSide, LPRECT pRect);
    afx_msg LRESULT OnMenuChar(UINT nChar, UINT nFlags, CMenu* pMenu);
    afx_msg void OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized);
    afx_msg void OnActivateApp(BOOL bActive, DWORD dwThreadID);
    afx_msg void OnDestroy();
    afx_msg void OnUpdateControlBarMenu(CCmdUI* pCmdUI);
    afx_msg BOOL OnBarCheck(UINT nID);
    afx_msg void OnContextHelp();

    DECLARE_MESSAGE_MAP()
};
