// SPDlgImpl.h - CSPDialogMenuHelper: makes the library's popup menus work
// inside a modal dialog or property page. While such a popup is open, keys
// go to the popup, clicks outside it close it (a thread mouse hook sees the
// clicks outside the dialog), mouse moves over the dialog's controls are
// swallowed, and the dialog's caption stays active.
//
// The popup menu classes live in the toolbar library, above this one. What
// the helper needs of them is asked through SPDlgMenuHooks, which that
// library installs for its classes at start-up (a static object in one of
// its source files), in the manner of SPClientHooks. A hook that is not
// installed gives the neutral answer noted beside it.
#pragma once
#include "afxwin.h"

class CSPPopupMenu;

struct SPDlgMenuHooks {
    // CSPPopupMenu::s_pActivePopupMenu, read and written; unset: a record
    // kept by the helper itself.
    static CSPPopupMenu* (*pfnGetActivePopupMenu)();
    static void (*pfnSetActivePopupMenu)(CSPPopupMenu* pMenu);
    // The popup menu as a window; unset: NULL (no popup window is open).
    static CWnd* (*pfnPopupAsWnd)(CSPPopupMenu* pMenu);
    // CSPPopupMenu::MenuHitTest (screen point): 1 or 2 close the popup, 4
    // is outside it, 0, 3 and 5 leave it open; unset: 4.
    static int (*pfnMenuHitTest)(CSPPopupMenu* pMenu, CPoint ptScreen);
    // CSPPopupMenu::GetParentPopupMenu; unset: NULL.
    static CSPPopupMenu* (*pfnGetParentPopupMenu)(CSPPopupMenu* pMenu);
    // The menu button that opened the popup: its rectangle in screen
    // coordinates, whether it sits on a popup menu bar and whether it holds
    // the popup open; unset or no button: FALSE.
    static BOOL (*pfnGetParentButton)(CSPPopupMenu* pMenu, CRect& rectScreen, BOOL& bOnPopupMenuBar,
                                      BOOL& bHoldsPopupOpen);
    // CSPPopupMenuBar::FindDestBar (screen point) found a bar; unset: FALSE.
    static BOOL (*pfnIsOverPopupMenuBar)(CPoint ptScreen);
    // CSPToolBar::AddCommandUsage; unset: nothing is counted.
    static void (*pfnAddCommandUsage)(UINT uiCmd);

    // The answers, neutral when a hook is missing.
    static CSPPopupMenu* GetActivePopupMenu();
    static void SetActivePopupMenu(CSPPopupMenu* pMenu);
    static CWnd* PopupAsWnd(CSPPopupMenu* pMenu);
    static int MenuHitTest(CSPPopupMenu* pMenu, CPoint ptScreen);
    static CSPPopupMenu* GetParentPopupMenu(CSPPopupMenu* pMenu);
    static BOOL GetParentButton(CSPPopupMenu* pMenu, CRect& rectScreen, BOOL& bOnPopupMenuBar,
                                BOOL& bHoldsPopupOpen);
    static BOOL IsOverPopupMenuBar(CPoint ptScreen);
    static void AddCommandUsage(UINT uiCmd);
};

class CSPDialogMenuHelper {
public:
    explicit CSPDialogMenuHelper(CWnd* pOwner) : m_pOwner(pOwner) {}
    ~CSPDialogMenuHelper();

    // TRUE when the message was handled for the popup menu.
    BOOL ProcessMessage(MSG* pMsg);
    BOOL ProcessMouseClick(POINT ptScreen);
    BOOL ProcessMouseMove(POINT ptScreen);
    // A popup opened by the owner (hooks the thread's mouse), or NULL when
    // it closed (unhooks).
    void SetActiveMenu(CSPPopupMenu* pMenu);
    // On the owner's WM_DESTROY.
    void Release();
    // An accelerator command: closes an open popup instead of running, or
    // offers the command to the user tools.
    BOOL OnMenuCommand(WPARAM wParam, LPARAM lParam);
    void OnNcActivate(BOOL& bActive);
    void OnActivate(UINT nState, CWnd* pWndOther);

    CWnd* GetOwner() const { return m_pOwner; }
    // The helper whose owner opened the active popup, or NULL.
    static CSPDialogMenuHelper* GetCurrentHelper() { return s_pCurrentHelper; }
    static BOOL IsMouseHooked() { return s_hookMouse != NULL; }

protected:
    CWnd* m_pOwner;

    static HHOOK s_hookMouse;
    static CSPDialogMenuHelper* s_pCurrentHelper;

    // The active popup's window when it is open, else NULL.
    static CWnd* GetOpenPopupWnd();
    void ClosePopup(CWnd* pPopupWnd);
    static LRESULT CALLBACK MouseHookProc(int nCode, WPARAM wParam, LPARAM lParam);

private:
    CSPDialogMenuHelper(const CSPDialogMenuHelper&) = delete;
    CSPDialogMenuHelper& operator=(const CSPDialogMenuHelper&) = delete;
};
