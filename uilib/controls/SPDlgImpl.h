// SPDlgImpl.h - CSPDialogMenuHelper: makes the library's popup menus work
// inside a modal dialog or property page. While such a popup is open, keys
// go to the popup, clicks outside it close it (a thread mouse hook sees the
// clicks outside the dialog), mouse moves over the dialog's controls are
// swallowed, and the dialog's caption stays active.
//
// The popup menu classes live in the toolbar folder, above this one: what
// the helper needs of them is asked through their interface ISPDialogPopupMenu
// (SPClientHooks.h).
#pragma once
#include "afxwin.h"
#include "SPClientHooks.h"

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
