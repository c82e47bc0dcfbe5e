// SPWorkspace.h - CSPWorkspace: the one place where the whole user-interface
// state of a program built on the library is loaded at start and saved at
// exit, and where the process-wide managers are created.
//
// The application class derives from it beside CWinApp; there is one per
// process (GetInstance). Everything is stored below the section path
// P = SPGetRegPath(section): the version stamp "SControlBarVersion", the
// toolbar options, the command manager, the toolbars, the frame's state and
// its MFC dock state (under "<section>\ControlBars"), the managers, and the
// main window's placement under "WindowPlacement".
//
// It lives with the frames rather than the foundation because it drives
// toolbars, rebars and frames, which the foundation may not include.
#pragma once
#include "afxwin.h"

class CSPFrameImpl;
class CSPMouseManager;
class CSPKeyboardManager;
class CSPUserToolsManager;
class CSPContextMenuManager;
class CSPShellManager;
class CSPTearOffManager;

class CSPWorkspace {
public:
    explicit CSPWorkspace(BOOL bResourceSmartUpdate = FALSE);
    virtual ~CSPWorkspace();

    static CSPWorkspace* GetInstance() { return s_pInstance; }

    LPCTSTR SetRegistryBase(LPCTSTR lpszSectionName = NULL);
    LPCTSTR GetRegistryBase() const { return m_strRegSection; }
    // P, followed by the sub-section and '\' when one is given.
    CString GetRegSectionPath(LPCTSTR szSectionAdd = _T("")) const;

    // --- managers: each made only when missing, and deleted with the workspace
    BOOL InitMouseManager();
    BOOL InitKeyboardManager();
    BOOL EnableUserTools(UINT uiCmdToolsDummy, UINT uiCmdFirst, UINT uiCmdLast, CRuntimeClass* pToolRTC = NULL,
                         UINT uArgMenuID = 0, UINT uInitDirMenuID = 0);
    BOOL InitContextMenuManager();
    BOOL InitShellManager();
    // Tear-off ids come from [uiTearOffMenuFirst, uiTearOffMenuLast]; a NULL
    // entry takes the workspace's section.
    BOOL EnableTearOffMenus(LPCTSTR lpszRegEntry, UINT uiTearOffMenuFirst, UINT uiTearOffMenuLast);
    CSPMouseManager* GetMouseManager();
    CSPContextMenuManager* GetContextMenuManager();
    CSPShellManager* GetShellManager();
    CSPTearOffManager* GetTearOffManager();
    CSPKeyboardManager* GetKeyboardManager();
    CSPUserToolsManager* GetUserToolsManager();

    // --- the overridables, in slot order ------------------------------------------
    virtual void ReservedHook(DWORD_PTR /*dwArg*/) {}
    virtual BOOL LoadState(LPCTSTR lpszSectionName = NULL, CSPFrameImpl* pFrameImpl = NULL);
    virtual BOOL CleanState(LPCTSTR lpszSectionName = NULL);
    virtual BOOL SaveState(LPCTSTR lpszSectionName = NULL, CSPFrameImpl* pFrameImpl = NULL);
    // Runs the command the mouse manager binds to the view's double click.
    virtual BOOL OnViewDoubleClick(CWnd* pWnd, int iViewId);
    // Through the context-menu manager; FALSE without one.
    virtual BOOL ShowPopupMenu(UINT uiMenuResId, const CPoint& point, CWnd* pWnd);
    // Context help for the window from the application's help file.
    virtual void OnWinHelp(CWnd* pWnd, DWORD_PTR dwData);
    virtual BOOL SaveState(CSPFrameImpl* pFrameImpl);
    virtual void OnBeforeLoadState() {}
    virtual void OnAfterLoadState() {}
    virtual void OnBeforeSaveState() {}
    virtual void OnAfterSaveState() {}
    // The three values of "WindowPlacement"; TRUE only when all three were
    // read (written).
    virtual BOOL LoadWindowPlacement(CRect& rectNormalPosition, int& nFlags, int& nShowCmd);
    virtual BOOL StoreWindowPlacement(const CRect& rectNormalPosition, int nFlags, int nShowCmd);

    // --- typed values below P, or below a sub-section of P -----------------------
    int GetInt(LPCTSTR lpszEntry, int nDefault = 0) { return GetSectionInt(_T(""), lpszEntry, nDefault); }
    CString GetString(LPCTSTR lpszEntry, LPCTSTR lpszDefault = _T("")) {
        return GetSectionString(_T(""), lpszEntry, lpszDefault);
    }
    BOOL GetBinary(LPCTSTR lpszEntry, LPBYTE* ppData, UINT* pBytes) {
        return GetSectionBinary(_T(""), lpszEntry, ppData, pBytes);
    }
    BOOL GetObject(LPCTSTR lpszEntry, CObject& obj) { return GetSectionObject(_T(""), lpszEntry, obj); }
    BOOL WriteInt(LPCTSTR lpszEntry, int nValue) { return WriteSectionInt(_T(""), lpszEntry, nValue); }
    BOOL WriteString(LPCTSTR lpszEntry, LPCTSTR lpszValue) { return WriteSectionString(_T(""), lpszEntry, lpszValue); }
    BOOL WriteBinary(LPCTSTR lpszEntry, LPBYTE pData, UINT nBytes) {
        return WriteSectionBinary(_T(""), lpszEntry, pData, nBytes);
    }
    BOOL WriteObject(LPCTSTR lpszEntry, CObject& obj) { return WriteSectionObject(_T(""), lpszEntry, obj); }

    int GetSectionInt(LPCTSTR lpszSubSection, LPCTSTR lpszEntry, int nDefault = 0);
    CString GetSectionString(LPCTSTR lpszSubSection, LPCTSTR lpszEntry, LPCTSTR lpszDefault = _T(""));
    // The block is allocated with new[]; the caller deletes it.
    BOOL GetSectionBinary(LPCTSTR lpszSubSection, LPCTSTR lpszEntry, LPBYTE* ppData, UINT* pBytes);
    BOOL GetSectionObject(LPCTSTR lpszSubSection, LPCTSTR lpszEntry, CObject& obj);
    BOOL WriteSectionInt(LPCTSTR lpszSubSection, LPCTSTR lpszEntry, int nValue);
    BOOL WriteSectionString(LPCTSTR lpszSubSection, LPCTSTR lpszEntry, LPCTSTR lpszValue);
    BOOL WriteSectionBinary(LPCTSTR lpszSubSection, LPCTSTR lpszEntry, LPBYTE pData, UINT nBytes);
    BOOL WriteSectionObject(LPCTSTR lpszSubSection, LPCTSTR lpszEntry, CObject& obj);

    // The version the last LoadState found (-1 before): 6.3 after it ran.
    int GetDataVersionMajor() const { return m_iSavedVersionMajor; }
    int GetDataVersionMinor() const { return m_iSavedVersionMinor; }

    void EnableSaveState(BOOL bEnable = TRUE) { m_bSaveState = bEnable; }

    static const int nVersionMajor = 6;
    static const int nVersionMinor = 3;

    // Set: the frame's own dock state is loaded even when none was saved.
    BOOL m_bForceDockStateLoad;
    // Set: only bars of the main frame take part.
    BOOL m_bLoadSaveFrameBarsOnly;
    BOOL m_bSaveState;
    BOOL m_bResourceSmartUpdate;
    // Set: every toolbar refreshes its texts after loading.
    BOOL m_bForceImageReset;

protected:
    CString m_strRegSection;
    BOOL m_bKeyboardManagerAutocreated;
    BOOL m_bContextMenuManagerAutocreated;
    BOOL m_bMouseManagerAutocreated;
    BOOL m_bUserToolsManagerAutocreated;
    BOOL m_bTearOffManagerAutocreated;
    int m_nReserved;
    BOOL m_bShellManagerAutocreated;
    int m_iSavedVersionMajor;
    int m_iSavedVersionMinor;

    // The frame the passes work for: the one given, else the main frame's.
    static CSPFrameImpl* FrameImplFor(CSPFrameImpl* pFrameImpl);
    // Whether a bar takes part in the passes of the frame.
    BOOL IsBarOfFrame(CWnd* pBar, CSPFrameImpl* pFrameImpl) const;

    static CSPWorkspace* s_pInstance;
    // The section path the tear-off manager takes when it has none.
    static CString CurrentRegSection();

private:
    CSPWorkspace(const CSPWorkspace&) = delete;
    CSPWorkspace& operator=(const CSPWorkspace&) = delete;
};

// Creates a workspace when none exists (deleted at exit); nothing when one
// does.
void SPInitWorkspace(LPCTSTR lpszSectionName = NULL);
