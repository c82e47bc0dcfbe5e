// SPMouseManager.h - the command a double click runs in each kind of view.
//
//   CSPMouseManager   views registered by name (with an id and an optional
//                     icon) and, per view id, the command of a double click;
//                     only the commands are stored ("Mouse"), the names and
//                     icons are registered again at every start
//   g_pMouseManager   the process-wide manager, set by its constructor and
//                     cleared by its destructor
#pragma once
#include "afxwin.h"
#include "afxtempl.h"
#include "afxcoll.h"

class CSPMouseManager : public CObject {
    DECLARE_SERIAL(CSPMouseManager)

public:
    CSPMouseManager();
    virtual ~CSPMouseManager();

    // FALSE when the name is registered already (names are case-sensitive).
    BOOL AddView(int iViewId, LPCTSTR lpszViewName, UINT uiIconId = 0);
    int GetViewIdByName(LPCTSTR lpszName) const;  // -1 when not registered
    void GetViewNames(CStringList& listOfNames) const;
    UINT GetViewIconId(int iViewId) const;          // 0 when none
    UINT GetViewDblClickCommand(int iViewId) const;  // 0 when none
    // Command 0 removes the view's entry.
    void SetCommandForDblClick(int iViewId, UINT uiCmd);

    // Below SPGetRegPath("SMouseManager", lpszProfileName), value "Mouse".
    BOOL LoadState(LPCTSTR lpszProfileName = NULL);
    BOOL SaveState(LPCTSTR lpszProfileName = NULL);

    // The stored image: the command count (32-bit signed), then per command
    // the view id (32-bit signed) and the command (32-bit unsigned), in the
    // map's order. Loading empties the commands first.
    void Serialize(CArchive& ar) override;

    static const char* const s_lpszSection;    // "SMouseManager"
    static const char* const s_lpszValueName;  // "Mouse"

protected:
    CMap<CString, LPCTSTR, int, int> m_ViewsNames;      // name -> view id
    CMap<int, int, UINT, UINT> m_DblClickActions;       // view id -> command
    CMap<int, int, UINT, UINT> m_ViewsToIcons;          // view id -> icon resource id
};

extern CSPMouseManager* g_pMouseManager;
