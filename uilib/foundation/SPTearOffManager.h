// SPTearOffManager.h - the command ids of menus that can be torn off.
//
//   CSPTearOffManager   hands out ids of a fixed range, one per sub-menu
//                       marked for tearing off (an item with
//                       MF_MENUBARBREAK that opens a sub-menu); the id is
//                       written into the item's text as a tag so that the
//                       menu classes can build a toolbar from it
//   g_pTearOffMenuManager  the process-wide manager (set by Initialize,
//                       cleared by the destructor)
//
// A tag: character 1, the id in decimal, character 1, then the visible text.
#pragma once
#include "afxwin.h"
#include "afxtempl.h"

class CSPTearOffManager : public CObject {
public:
    CSPTearOffManager();
    virtual ~CSPTearOffManager();

    // FALSE when either id is 0 or the range is reversed. A NULL registry
    // entry takes the workspace's section (the empty text without one).
    BOOL Initialize(LPCTSTR lpszRegEntry, UINT uiTearOffMenuFirst, UINT uiTearOffMenuLast);

    // The first id not in use, now in use; 0 when none is left or no range
    // is set.
    UINT GetFreeTearOffId();
    // Ids outside the range are ignored; the count never drops below 0.
    void SetInUse(UINT uiCmdId, BOOL bUse = TRUE);
    // Frees the id of every tagged item of the menu and its sub-menus; a
    // NULL menu frees every id.
    void SetupTearOffMenus(HMENU hMenu);
    // Tags every marked sub-menu item that has no tag yet, through all
    // sub-menus; stops when the ids run out.
    void Reset(HMENU hMenu);

    // 0 when str carries no whole tag (str unchanged); else the tag's id,
    // and str is cut to the visible text.
    UINT ParseTearOffTag(CString& str);
    void Build(UINT uiCmdId, CString& str);

    UINT GetFirstId() const { return m_uiTearOffMenuFirst; }
    UINT GetLastId() const { return m_uiTearOffMenuLast; }
    UINT GetUseCount(UINT uiCmdId) const;  // 0 outside the range
    const CString& GetRegEntry() const { return m_strTearOffBarRegEntry; }

    // An archive count, then the raw 32-bit counters. Loading keeps the
    // counters of the current range only: surplus values are skipped and
    // missing ones read as 0.
    void Serialize(CArchive& ar) override;

    // The workspace's registry section, asked for by Initialize without an
    // entry of its own; the workspace sets it while it exists.
    static CString (*s_pfnGetWorkspaceRegSection)();

    static const TCHAR s_chTagMark = 1;

protected:
    void SetupTearOffMenusRecursive(HMENU hMenu, int nDepth);
    BOOL ResetRecursive(HMENU hMenu, int nDepth);  // FALSE once the ids ran out

    UINT m_uiTearOffMenuFirst;
    UINT m_uiTearOffMenuLast;
    CString m_strTearOffBarRegEntry;
    CArray<DWORD, DWORD> m_arTearOffIDsUsage;  // index = id - first
};

extern CSPTearOffManager* g_pTearOffMenuManager;
