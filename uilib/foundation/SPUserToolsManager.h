// SPUserToolsManager.h - the user's external tools.
//
//   CSPUserToolsManager   the list of tools in menu order, the command ids
//                         they take from a fixed range, their persistence
//                         ("Tools") and their invocation
//   g_pUserToolsManager   the process-wide manager, set by its constructor
//                         and cleared by its destructor
#pragma once
#include "afxwin.h"
#include "afxcoll.h"
#include "SPUserTool.h"

class CSPUserToolsManager : public CObject {
public:
    // uiCmdToolsDummy: the Tools menu item that stands for the list;
    // uiCmdFirst..uiCmdLast: the tools' command ids (inclusive); pToolRTC:
    // the class of new tools (CSPUserTool when NULL or not derived from it);
    // the two menus are offered when the arguments and the initial folder
    // are edited (0: none).
    CSPUserToolsManager(UINT uiCmdToolsDummy, UINT uiCmdFirst, UINT uiCmdLast,
                        CRuntimeClass* pToolRTC = RUNTIME_CLASS(CSPUserTool), UINT uArgMenuID = 0,
                        UINT uInitDirMenuID = 0);
    // Deletes every tool.
    virtual ~CSPUserToolsManager();

    // Below SPGetRegPath("SUserToolsManager", lpszProfileName), value
    // "Tools". Loading deletes the current tools first; a missing or
    // damaged value leaves the list empty and answers FALSE.
    BOOL LoadState(LPCTSTR lpszProfileName = NULL);
    BOOL SaveState(LPCTSTR lpszProfileName = NULL);

    // A new tool with the lowest free id of the range, appended; NULL when
    // every id is taken.
    CSPUserTool* CreateNewTool();
    // Deletes the tool and every toolbar button of its command.
    BOOL RemoveTool(CSPUserTool* pTool);
    BOOL MoveToolUp(CSPUserTool* pTool);
    BOOL MoveToolDown(CSPUserTool* pTool);
    // NULL outside the range or when no tool has the id.
    CSPUserTool* FindTool(UINT uiCmdId) const;
    BOOL InvokeTool(UINT uiCmdId);

    // attributes
    const CObList& GetUserTools() const { return m_lstUserTools; }
    UINT GetToolsEntryCmd() const { return m_uiCmdToolsDummy; }
    UINT GetFirstCmd() const { return m_uiCmdFirst; }
    UINT GetLastCmd() const { return m_uiCmdLast; }
    BOOL IsUserToolCmd(UINT uiCmdId) const { return uiCmdId >= m_uiCmdFirst && uiCmdId <= m_uiCmdLast; }
    int GetMaxTools() const;
    CRuntimeClass* GetToolRTC() const { return m_pToolRTC; }
    const CString& GetFilter() const { return m_strFilter; }
    void SetFilter(LPCTSTR lpszFilter) { m_strFilter = lpszFilter; }
    const CString& GetDefExt() const { return m_strDefExt; }
    void SetDefExt(LPCTSTR lpszDefExt) { m_strDefExt = lpszDefExt; }
    UINT GetArgumentsMenuID() const { return m_uiArgumentsMenuID; }
    UINT GetInitialDirMenuID() const { return m_uiInitialDirMenuID; }

    static const char* const s_lpszSection;    // "SUserToolsManager"
    static const char* const s_lpszValueName;  // "Tools"

protected:
    void RemoveAllTools();

    CObList m_lstUserTools;  // owned, menu order
    UINT m_uiCmdToolsDummy;
    UINT m_uiCmdFirst;
    UINT m_uiCmdLast;
    CRuntimeClass* m_pToolRTC;
    CString m_strFilter;   // string 16023
    CString m_strDefExt;   // "*.exe"
    UINT m_uiArgumentsMenuID;
    UINT m_uiInitialDirMenuID;
};

extern CSPUserToolsManager* g_pUserToolsManager;
