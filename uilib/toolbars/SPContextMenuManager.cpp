// SPContextMenuManager.cpp - named context menus shown as library popups.
#include "SPContextMenuManager.h"

#include "SPDialog.h"
#include "SPPopupMenu.h"
#include "SPPopupMenuBar.h"
#include "SPPropertyPage.h"
#include "SPRegistry.h"
#include "SPTearOffManager.h"
#include "SPTempStateStore.h"

CSPContextMenuManager* g_pContextMenuManager = NULL;

const TCHAR CSPContextMenuManager::s_szSection[] = _T("SContextMenuManager");

// The temporary store is keyed by the sub-menu's handle.
static UINT StoreKey(HMENU hMenu) { return (UINT)(UINT_PTR)hMenu; }

CSPContextMenuManager::CSPContextMenuManager()
    : m_Menus(10), m_MenuNames(10), m_nLastCommandID(0), m_bTrackMode(FALSE) {
    m_Menus.InitHashTable(17);
    m_MenuNames.InitHashTable(17);
    g_pContextMenuManager = this;
    g_pSPPopupMenuTracker = this;
}

CSPContextMenuManager::~CSPContextMenuManager() {
    for (POSITION pos = m_Menus.GetStartPosition(); pos != NULL;) {
        UINT uiResId = 0;
        HMENU hMenu = NULL;
        m_Menus.GetNextAssoc(pos, uiResId, hMenu);
        ::DestroyMenu(hMenu);
    }
    if (g_pContextMenuManager == this) g_pContextMenuManager = NULL;
    if (g_pSPPopupMenuTracker == this) g_pSPPopupMenuTracker = NULL;
}

// --- the menus ----------------------------------------------------------------------

BOOL CSPContextMenuManager::AddMenu(UINT uiMenuNameResId, UINT uiMenuResId) {
    CString strName;
    if (!strName.LoadString(uiMenuNameResId)) return FALSE;
    return AddMenu(strName, uiMenuResId);
}

BOOL CSPContextMenuManager::AddMenu(LPCTSTR lpszName, UINT uiMenuResId) {
    if (lpszName == NULL) return FALSE;
    HMENU hMenu = ::LoadMenu(AfxGetResourceHandle(), MAKEINTRESOURCE(uiMenuResId));
    if (hMenu == NULL) return FALSE;
    if (g_pTearOffMenuManager != NULL) g_pTearOffMenuManager->Reset(hMenu);

    // A menu added again replaces the earlier one, under every name it had.
    HMENU hOld = NULL;
    if (m_Menus.Lookup(uiMenuResId, hOld)) {
        for (POSITION pos = m_MenuNames.GetStartPosition(); pos != NULL;) {
            CString strKey;
            HMENU hNamed = NULL;
            m_MenuNames.GetNextAssoc(pos, strKey, hNamed);
            if (hNamed == hOld) m_MenuNames.RemoveKey(strKey);
        }
        ::DestroyMenu(hOld);
    }
    m_Menus.SetAt(uiMenuResId, hMenu);
    m_MenuNames.SetAt(lpszName, hMenu);
    return TRUE;
}

void CSPContextMenuManager::GetMenuNames(CStringList& listOfNames) const {
    listOfNames.RemoveAll();
    for (POSITION pos = m_MenuNames.GetStartPosition(); pos != NULL;) {
        CString strName;
        HMENU hMenu = NULL;
        m_MenuNames.GetNextAssoc(pos, strName, hMenu);
        listOfNames.AddTail(strName);
    }
}

HMENU CSPContextMenuManager::GetMenuByName(LPCTSTR lpszName, UINT* puiOrigResId) const {
    if (puiOrigResId != NULL) *puiOrigResId = 0;
    HMENU hMenu = NULL;
    if (lpszName == NULL || !m_MenuNames.Lookup(lpszName, hMenu)) return NULL;
    if (puiOrigResId != NULL) {
        for (POSITION pos = m_Menus.GetStartPosition(); pos != NULL;) {
            UINT uiResId = 0;
            HMENU hById = NULL;
            m_Menus.GetNextAssoc(pos, uiResId, hById);
            if (hById == hMenu) {
                *puiOrigResId = uiResId;
                break;
            }
        }
    }
    return hMenu;
}

HMENU CSPContextMenuManager::GetMenuById(UINT uiMenuResId) const {
    HMENU hMenu = NULL;
    return m_Menus.Lookup(uiMenuResId, hMenu) ? hMenu : NULL;
}

// --- showing ------------------------------------------------------------------------

BOOL CSPContextMenuManager::ShowPopupMenu(UINT uiMenuResId, int x, int y, CWnd* pWndOwner, BOOL bOwnMessage) {
    HMENU hMenu = GetMenuById(uiMenuResId);
    if (hMenu == NULL) return FALSE;
    if (x == -1 && y == -1 && pWndOwner != NULL && ::IsWindow(pWndOwner->GetSafeHwnd())) {
        CPoint pt(0, 0);
        pWndOwner->ClientToScreen(&pt);
        x = pt.x + 5;
        y = pt.y + 5;
    }
    HMENU hSubMenu = ::GetSubMenu(hMenu, 0);
    if (hSubMenu == NULL) return FALSE;
    return ShowPopupMenu(hSubMenu, x, y, pWndOwner, bOwnMessage, TRUE) != NULL;
}

static BOOL IsDialogOrPage(CWnd* pWnd) {
    return pWnd != NULL &&
           (pWnd->IsKindOf(RUNTIME_CLASS(CSPDialog)) || pWnd->IsKindOf(RUNTIME_CLASS(CSPPropertyPage)));
}

CSPPopupMenu* CSPContextMenuManager::ShowPopupMenu(HMENU hmenuPopup, int x, int y, CWnd* pWndOwner, BOOL bOwnMessage,
                                                   BOOL /*bAutoDestroy*/) {
    if (hmenuPopup == NULL) return NULL;
    if (IsDialogOrPage(pWndOwner) && !bOwnMessage) return NULL;
    if (g_pTearOffMenuManager != NULL) g_pTearOffMenuManager->Reset(hmenuPopup);

    if (m_bTrackMode) {
        bOwnMessage = TRUE;
    } else if (!bOwnMessage && pWndOwner != NULL && ::IsWindow(pWndOwner->GetSafeHwnd())) {
        // The command goes to the top-level window.
        while (pWndOwner != NULL && (pWndOwner->GetStyle() & WS_CHILD)) pWndOwner = pWndOwner->GetParent();
    }

    CSPPopupMenu* pPopupMenu = new CSPPopupMenu;
    pPopupMenu->SetTrackMode(m_bTrackMode);
    // The menus stay the manager's (or the caller's): the popup only shows them.
    pPopupMenu->SetDestroyMenu(FALSE);

    if (CSPPopupMenu* pActive = CSPPopupMenu::GetActiveMenu())
        if (::IsWindow(pActive->GetSafeHwnd())) pActive->SendMessage(WM_CLOSE);

    // A popup that failed has deleted itself (PostNcDestroy).
    if (!pPopupMenu->Create(pWndOwner, x, y, hmenuPopup, FALSE, bOwnMessage)) return NULL;
    return pPopupMenu;
}

UINT CSPContextMenuManager::TrackPopupMenu(HMENU hmenuPopup, int x, int y, CWnd* pWndOwner) {
    m_nLastCommandID = 0;
    if (AfxGetThread() == NULL || m_bTrackMode) return 0;

    m_bTrackMode = TRUE;
    CSPPopupMenu* pMenu = ShowPopupMenu(hmenuPopup, x, y, pWndOwner, TRUE, TRUE);
    CWnd* pDialog = pWndOwner != NULL && ::IsWindow(pWndOwner->GetSafeHwnd()) ? pWndOwner->GetParent() : NULL;
    if (!IsDialogOrPage(pDialog)) pDialog = NULL;
    if (pMenu != NULL && pDialog != NULL) {
        if (CSPDialog* pDlg = DYNAMIC_DOWNCAST(CSPDialog, pDialog))
            pDlg->SetActiveMenu(pMenu);
        else
            ((CSPPropertyPage*)pDialog)->SetActiveMenu(pMenu);
    }
    m_bTrackMode = FALSE;
    if (pMenu == NULL) return 0;

    // The popup posts the chosen command to its message window just before
    // it closes; taken here, it becomes the result instead of being run.
    const HWND hwndMenu = pMenu->GetSafeHwnd();
    const HWND hwndMessage = pMenu->GetMessageWnd() != NULL ? pMenu->GetMessageWnd()->GetSafeHwnd() : NULL;
    CWinThread* pThread = AfxGetThread();
    BOOL bQuit = FALSE;
    int nExitCode = 0;
    MSG msg;
    while (::IsWindow(hwndMenu)) {
        if (!::PeekMessage(&msg, NULL, 0, 0, PM_REMOVE)) {
            pThread->OnIdle(0);
            if (::IsWindow(hwndMenu) && !::PeekMessage(&msg, NULL, 0, 0, PM_NOREMOVE)) ::WaitMessage();
            continue;
        }
        if (msg.message == WM_QUIT) {
            bQuit = TRUE;
            nExitCode = (int)msg.wParam;
            ::DestroyWindow(hwndMenu);
            break;
        }
        if (msg.message == WM_COMMAND && msg.hwnd == hwndMessage && msg.hwnd != NULL && msg.lParam == 0 &&
            HIWORD(msg.wParam) == 0) {
            m_nLastCommandID = LOWORD(msg.wParam);
            continue;
        }
        if (!pThread->PreTranslateMessage(&msg)) {
            ::TranslateMessage(&msg);
            ::DispatchMessage(&msg);
        }
    }

    if (pDialog != NULL && ::IsWindow(pDialog->GetSafeHwnd())) {
        if (CSPDialog* pDlg = DYNAMIC_DOWNCAST(CSPDialog, pDialog))
            pDlg->SetActiveMenu(NULL);
        else
            ((CSPPropertyPage*)pDialog)->SetActiveMenu(NULL);
    }
    if (bQuit) {
        // The application's own loop must still see the request.
        ::PostQuitMessage(nExitCode);
        m_nLastCommandID = 0;
        return 0;
    }
    return m_nLastCommandID;
}

// --- persistence --------------------------------------------------------------------

template <class Fn>
BOOL CSPContextMenuManager::ForEachMenuBar(Fn fn) {
    for (POSITION pos = m_Menus.GetStartPosition(); pos != NULL;) {
        UINT uiResId = 0;
        HMENU hMenu = NULL;
        m_Menus.GetNextAssoc(pos, uiResId, hMenu);
        HMENU hSubMenu = ::GetSubMenu(hMenu, 0);
        if (hSubMenu == NULL) continue;
        CSPPopupMenuBar* pBar = new CSPPopupMenuBar;
        if (pBar->Create(CWnd::GetDesktopWindow(), 0x50402808 & ~WS_VISIBLE, 0xE800)) {
            fn(pBar, uiResId, hSubMenu);
            pBar->DestroyWindow();
        }
        delete pBar;
    }
    return TRUE;
}

BOOL CSPContextMenuManager::LoadState(LPCTSTR lpszProfileName) {
    const CString strPath = SPGetRegPath(s_szSection, lpszProfileName);
    return ForEachMenuBar([&](CSPPopupMenuBar* pBar, UINT uiResId, HMENU hSubMenu) {
        pBar->ImportFromMenu(hSubMenu, TRUE);
        if (pBar->LoadState(strPath, 0, uiResId)) spTempStateStore.SaveState(StoreKey(hSubMenu), pBar);
    });
}

BOOL CSPContextMenuManager::SaveState(LPCTSTR lpszProfileName) {
    const CString strPath = SPGetRegPath(s_szSection, lpszProfileName);
    return ForEachMenuBar([&](CSPPopupMenuBar* pBar, UINT uiResId, HMENU hSubMenu) {
        // A menu not customised (or reset) leaves no state: the next run
        // takes it from its resource, as it has it then.
        if (spTempStateStore.LoadState(StoreKey(hSubMenu), pBar))
            pBar->SaveState(strPath, 0, uiResId);
        else
            pBar->RemoveStateFromRegistry(strPath, 0, uiResId);
    });
}

BOOL CSPContextMenuManager::ResetState() {
    for (POSITION pos = m_Menus.GetStartPosition(); pos != NULL;) {
        UINT uiResId = 0;
        HMENU hMenu = NULL;
        m_Menus.GetNextAssoc(pos, uiResId, hMenu);
        if (HMENU hSubMenu = ::GetSubMenu(hMenu, 0)) spTempStateStore.RemoveState(StoreKey(hSubMenu));
    }
    return TRUE;
}
