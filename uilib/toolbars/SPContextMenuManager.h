// SPContextMenuManager.h - the application's named context menus, shown as
// library popup menus and customisable like the menu bar's menus.
//
//   CSPContextMenuManager   menus loaded from resources, kept by resource id
//                           and by display name; shows their first sub-menu
//                           as a popup (commands go to the owner's top-level
//                           window), or tracks any menu modally and returns
//                           the chosen command; the customised items live in
//                           the temporary state store while the program runs
//                           and under "SContextMenuManager" between runs
//   g_pContextMenuManager   the process-wide manager (set by the
//                           constructor, cleared by the destructor)
#pragma once
#include "afxwin.h"
#include "afxtempl.h"

#include "SPPopupMenuTracker.h"

class CSPPopupMenu;

class CSPContextMenuManager : public CObject, public ISPPopupMenuTracker {
public:
    CSPContextMenuManager();
    virtual ~CSPContextMenuManager();

    // Loads the menu resource and keeps it under its id and the name; FALSE
    // when it cannot be loaded. A menu added again under the same id
    // replaces the earlier one.
    BOOL AddMenu(LPCTSTR lpszName, UINT uiMenuResId);
    // The name from a string resource; FALSE when the string is missing.
    BOOL AddMenu(UINT uiMenuNameResId, UINT uiMenuResId);

    void GetMenuNames(CStringList& listOfNames) const;
    // NULL for a name not kept; *puiOrigResId gets the menu's resource id
    // (0 when none).
    HMENU GetMenuByName(LPCTSTR lpszName, UINT* puiOrigResId = NULL) const;
    HMENU GetMenuById(UINT uiMenuResId) const;

    // The menu's first sub-menu at the screen point; (-1, -1) with an owner:
    // the owner's client corner plus (5, 5). FALSE for an unknown id, a menu
    // without sub-menu or a popup that could not be made.
    BOOL ShowPopupMenu(UINT uiMenuResId, int x, int y, CWnd* pWndOwner, BOOL bOwnMessage = FALSE);
    // The popup, or NULL: a dialog or property page owner is refused unless
    // it takes the messages itself (bOwnMessage). Without bOwnMessage the
    // commands go to the owner's top-level window. An open popup closes.
    CSPPopupMenu* ShowPopupMenu(HMENU hmenuPopup, int x, int y, CWnd* pWndOwner, BOOL bOwnMessage,
                                BOOL bAutoDestroy = TRUE);
    // Runs the popup modally; the chosen command, 0 when the popup closed
    // without one. A quit request met meanwhile closes the popup and is
    // posted again for the application's own loop.
    UINT TrackPopupMenu(HMENU hmenuPopup, int x, int y, CWnd* pWndOwner) override;

    // The customised items of every menu, through a hidden popup menu bar
    // under SPGetRegPath("SContextMenuManager", profile); a damaged or
    // foreign state leaves the menu as its resource has it.
    BOOL LoadState(LPCTSTR lpszProfileName = NULL);
    BOOL SaveState(LPCTSTR lpszProfileName = NULL);
    // Forgets every customisation kept for this run.
    BOOL ResetState();

    BOOL IsTracking() const { return m_bTrackMode; }
    UINT GetLastCommand() const { return m_nLastCommandID; }

    static const TCHAR s_szSection[];

protected:
    CMap<UINT, UINT, HMENU, HMENU> m_Menus;
    CMap<CString, LPCTSTR, HMENU, HMENU> m_MenuNames;
    UINT m_nLastCommandID;
    BOOL m_bTrackMode;

    // For every kept menu: a hidden bar holding its first sub-menu, given to
    // fn with the menu's id and that sub-menu.
    template <class Fn>
    BOOL ForEachMenuBar(Fn fn);
};

extern CSPContextMenuManager* g_pContextMenuManager;
