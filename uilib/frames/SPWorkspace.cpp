#include "SPWorkspace.h"

#include "SPButtonImages.h"
#include "SPCommandManager.h"
#include "SPContextMenuManager.h"
#include "SPFrameImpl.h"
#include "SPKeyboardManager.h"
#include "SPMouseManager.h"
#include "SPReBar.h"
#include "SPRegistry.h"
#include "SPShellManager.h"
#include "SPTearOffManager.h"
#include "SPToolBar.h"
#include "SPToolbarState.h"
#include "SPUserToolsManager.h"

namespace {

const TCHAR szVersionKey[] = _T("SControlBarVersion");
const TCHAR szPlacementKey[] = _T("WindowPlacement");

// The workspace made on demand, deleted at exit.
struct AutoWorkspace {
    CSPWorkspace* p = NULL;
    ~AutoWorkspace() { delete p; }
} s_autoWorkspace;

}  // namespace

CSPWorkspace* CSPWorkspace::s_pInstance = NULL;

void SPInitWorkspace(LPCTSTR lpszSectionName) {
    if (CSPWorkspace::GetInstance() != NULL) return;
    s_autoWorkspace.p = new CSPWorkspace;
    if (lpszSectionName != NULL) s_autoWorkspace.p->SetRegistryBase(lpszSectionName);
}

CSPWorkspace::CSPWorkspace(BOOL bResourceSmartUpdate)
    : m_bForceDockStateLoad(FALSE),
      m_bLoadSaveFrameBarsOnly(FALSE),
      m_bSaveState(TRUE),
      m_bResourceSmartUpdate(bResourceSmartUpdate),
      m_bForceImageReset(FALSE),
      m_strRegSection(_T("SWorkspace")),
      m_bKeyboardManagerAutocreated(FALSE),
      m_bContextMenuManagerAutocreated(FALSE),
      m_bMouseManagerAutocreated(FALSE),
      m_bUserToolsManagerAutocreated(FALSE),
      m_bTearOffManagerAutocreated(FALSE),
      m_nReserved(0),
      m_bShellManagerAutocreated(FALSE),
      m_iSavedVersionMajor(-1),
      m_iSavedVersionMinor(-1) {
    s_pInstance = this;
    CSPTearOffManager::s_pfnGetWorkspaceRegSection = &CurrentRegSection;
}

CString CSPWorkspace::CurrentRegSection() {
    return s_pInstance != NULL ? s_pInstance->GetRegSectionPath() : CString();
}

CSPWorkspace::~CSPWorkspace() {
    if (m_bMouseManagerAutocreated) {
        delete g_pMouseManager;
        g_pMouseManager = NULL;
    }
    if (m_bKeyboardManagerAutocreated) {
        delete g_pKeyboardManager;
        g_pKeyboardManager = NULL;
    }
    if (m_bUserToolsManagerAutocreated) {
        delete g_pUserToolsManager;
        g_pUserToolsManager = NULL;
    }
    if (m_bContextMenuManagerAutocreated) delete g_pContextMenuManager;  // clears the pointer
    if (m_bTearOffManagerAutocreated) {
        delete g_pTearOffMenuManager;
        g_pTearOffMenuManager = NULL;
    }
    if (m_bShellManagerAutocreated) delete g_pShellManager;  // clears the pointer
    if (s_pInstance == this) {
        s_pInstance = NULL;
        CSPTearOffManager::s_pfnGetWorkspaceRegSection = NULL;
    }
}

LPCTSTR CSPWorkspace::SetRegistryBase(LPCTSTR lpszSectionName) {
    m_strRegSection = lpszSectionName != NULL ? lpszSectionName : _T("");
    return m_strRegSection;
}

CString CSPWorkspace::GetRegSectionPath(LPCTSTR szSectionAdd) const {
    CString strPath = SPGetRegPath(m_strRegSection);
    if (szSectionAdd != NULL && *szSectionAdd != 0) {
        strPath += szSectionAdd;
        strPath += _T("\\");
    }
    return strPath;
}

// --- managers ---------------------------------------------------------------------

BOOL CSPWorkspace::InitMouseManager() {
    if (g_pMouseManager != NULL) return FALSE;
    new CSPMouseManager;  // sets g_pMouseManager
    m_bMouseManagerAutocreated = TRUE;
    return TRUE;
}

BOOL CSPWorkspace::InitKeyboardManager() {
    if (g_pKeyboardManager != NULL) return FALSE;
    new CSPKeyboardManager;  // sets g_pKeyboardManager
    m_bKeyboardManagerAutocreated = TRUE;
    return TRUE;
}

BOOL CSPWorkspace::EnableUserTools(UINT uiCmdToolsDummy, UINT uiCmdFirst, UINT uiCmdLast, CRuntimeClass* pToolRTC,
                                   UINT uArgMenuID, UINT uInitDirMenuID) {
    if (g_pUserToolsManager != NULL) return FALSE;
    new CSPUserToolsManager(uiCmdToolsDummy, uiCmdFirst, uiCmdLast,
                            pToolRTC != NULL ? pToolRTC : RUNTIME_CLASS(CSPUserTool), uArgMenuID, uInitDirMenuID);
    m_bUserToolsManagerAutocreated = TRUE;
    return TRUE;
}

BOOL CSPWorkspace::InitContextMenuManager() {
    if (g_pContextMenuManager != NULL) return FALSE;
    new CSPContextMenuManager;  // sets g_pContextMenuManager
    m_bContextMenuManagerAutocreated = TRUE;
    return TRUE;
}

BOOL CSPWorkspace::InitShellManager() {
    if (g_pShellManager != NULL) return FALSE;
    new CSPShellManager;  // sets g_pShellManager
    m_bShellManagerAutocreated = TRUE;
    return TRUE;
}

BOOL CSPWorkspace::EnableTearOffMenus(LPCTSTR lpszRegEntry, UINT uiTearOffMenuFirst, UINT uiTearOffMenuLast) {
    if (g_pTearOffMenuManager != NULL) return FALSE;
    CSPTearOffManager* pManager = new CSPTearOffManager;
    if (!pManager->Initialize(lpszRegEntry, uiTearOffMenuFirst, uiTearOffMenuLast)) {
        delete pManager;
        return FALSE;
    }
    m_bTearOffManagerAutocreated = TRUE;
    return TRUE;
}

CSPContextMenuManager* CSPWorkspace::GetContextMenuManager() {
    if (g_pContextMenuManager == NULL) InitContextMenuManager();
    return g_pContextMenuManager;
}

CSPShellManager* CSPWorkspace::GetShellManager() {
    if (g_pShellManager == NULL) InitShellManager();
    return g_pShellManager;
}

CSPTearOffManager* CSPWorkspace::GetTearOffManager() { return g_pTearOffMenuManager; }

CSPMouseManager* CSPWorkspace::GetMouseManager() {
    if (g_pMouseManager == NULL) InitMouseManager();
    return g_pMouseManager;
}

CSPKeyboardManager* CSPWorkspace::GetKeyboardManager() {
    if (g_pKeyboardManager == NULL) InitKeyboardManager();
    return g_pKeyboardManager;
}

CSPUserToolsManager* CSPWorkspace::GetUserToolsManager() { return g_pUserToolsManager; }

// --- the load and save passes ------------------------------------------------------

CSPFrameImpl* CSPWorkspace::FrameImplFor(CSPFrameImpl* pFrameImpl) {
    if (pFrameImpl != NULL) return pFrameImpl;
    return CSPFrameImpl::FromFrame(CSPFrameImpl::GetMainFrame());
}

BOOL CSPWorkspace::IsBarOfFrame(CWnd* pBar, CSPFrameImpl* pFrameImpl) const {
    if (!m_bLoadSaveFrameBarsOnly) return TRUE;
    return pFrameImpl != NULL && pBar->GetTopLevelFrame() == pFrameImpl->GetFrame();
}

BOOL CSPWorkspace::LoadState(LPCTSTR lpszSectionName, CSPFrameImpl* pFrameImpl) {
    if (lpszSectionName != NULL) SetRegistryBase(lpszSectionName);
    const CString strPath = GetRegSectionPath();
    OnBeforeLoadState();

    {
        CSPRegistryPtr reg;
        CSPRegistry* pReg = reg.Create(FALSE, TRUE);
        if (pReg != NULL && pReg->Open(strPath + szVersionKey + _T("\\"))) {
            pReg->Read(_T("Major"), m_iSavedVersionMajor);
            pReg->Read(_T("Minor"), m_iSavedVersionMinor);
        }
    }

    // Each piece keeps its defaults when its values are missing or damaged.
    CSPToolBar::LoadParameters(strPath);
    if (SPGetCommandManager() != NULL) SPGetCommandManager()->LoadState(strPath);

    pFrameImpl = FrameImplFor(pFrameImpl);
    BOOL bResourceChanged = FALSE;
    if (pFrameImpl != NULL) {
        SPLoadRebarState(strPath, pFrameImpl->GetFrame());
        for (POSITION pos = g_lstAllToolbars.GetHeadPosition(); pos != NULL;) {
            CSPToolBar* pToolBar = DYNAMIC_DOWNCAST(CSPToolBar, g_lstAllToolbars.GetNext(pos));
            if (pToolBar == NULL || pToolBar->GetSafeHwnd() == NULL || pToolBar->IsFloating()) continue;
            if (!IsBarOfFrame(pToolBar, pFrameImpl)) continue;
            pToolBar->LoadState(strPath, -1, (UINT)-1);
            if (pToolBar->IsResourceChanged()) bResourceChanged = TRUE;
        }
        pFrameImpl->LoadUserToolbars();
        pFrameImpl->LoadTearOffBars();

        CDockState dockState;
        dockState.LoadState(m_strRegSection + _T("\\ControlBars"));
        if (m_bForceDockStateLoad || pFrameImpl->IsDockStateValid(dockState)) {
            pFrameImpl->LoadDockState(strPath);
            pFrameImpl->SetDockState(dockState);
        }
    }

    if (g_pMouseManager != NULL) g_pMouseManager->LoadState(strPath);
    if (g_pContextMenuManager != NULL) g_pContextMenuManager->LoadState(strPath);
    if (g_pKeyboardManager != NULL)
        g_pKeyboardManager->LoadState(strPath, pFrameImpl != NULL ? pFrameImpl->GetFrame() : NULL);
    if (g_pUserToolsManager != NULL) g_pUserToolsManager->LoadState(strPath);

    if (m_bForceImageReset || (m_bResourceSmartUpdate && bResourceChanged)) {
        for (POSITION pos = g_lstAllToolbars.GetHeadPosition(); pos != NULL;) {
            CSPToolBar* pToolBar = DYNAMIC_DOWNCAST(CSPToolBar, g_lstAllToolbars.GetNext(pos));
            if (pToolBar != NULL && pToolBar->GetSafeHwnd() != NULL) pToolBar->UpdateButtonsTextFromResource();
        }
        if (pFrameImpl != NULL) pFrameImpl->GetFrame()->RecalcLayout(TRUE);
    }

    OnAfterLoadState();
    m_iSavedVersionMajor = nVersionMajor;
    m_iSavedVersionMinor = nVersionMinor;
    return TRUE;
}

BOOL CSPWorkspace::SaveState(LPCTSTR lpszSectionName, CSPFrameImpl* pFrameImpl) {
    if (!m_bSaveState) return FALSE;
    if (lpszSectionName != NULL) SetRegistryBase(lpszSectionName);
    const CString strPath = GetRegSectionPath();
    OnBeforeSaveState();

    {
        // A registry that takes no writes (read-only, no rights) takes no
        // part of the state either: the pass reports the failure and leaves
        // what is stored as it was.
        CSPRegistryPtr reg;
        CSPRegistry* pReg = reg.Create(FALSE, FALSE);
        if (pReg == NULL || !pReg->CreateKey(strPath + szVersionKey + _T("\\")) ||
            !pReg->Write(_T("Major"), nVersionMajor) || !pReg->Write(_T("Minor"), nVersionMinor))
            return FALSE;
    }

    CSPToolBar::SaveParameters(strPath);
    if (SPGetCommandManager() != NULL) SPGetCommandManager()->SaveState(strPath);

    pFrameImpl = FrameImplFor(pFrameImpl);
    if (pFrameImpl != NULL) {
        CDockState dockState;
        pFrameImpl->GetFrame()->GetDockState(dockState);
        dockState.SaveState(m_strRegSection + _T("\\ControlBars"));
        pFrameImpl->SaveDockState(strPath);
        for (POSITION pos = g_lstAllToolbars.GetHeadPosition(); pos != NULL;) {
            CSPToolBar* pToolBar = DYNAMIC_DOWNCAST(CSPToolBar, g_lstAllToolbars.GetNext(pos));
            if (pToolBar == NULL || pToolBar->GetSafeHwnd() == NULL || !IsBarOfFrame(pToolBar, pFrameImpl)) continue;
            pToolBar->SaveState(strPath, -1, (UINT)-1);
        }
        pFrameImpl->SaveUserToolbars(m_bLoadSaveFrameBarsOnly);
        pFrameImpl->SaveTearOffBars(m_bLoadSaveFrameBarsOnly);
        SPSaveRebarState(strPath, pFrameImpl->GetFrame());
    }

    // The user images go back to the file they were loaded from (a strip
    // from a resource has none).
    CSPButtonImages* pUserImages = CSPToolBar::m_pUserImages;
    if (pUserImages != NULL && !pUserImages->m_strUDLPath.IsEmpty()) pUserImages->SaveToFile(pUserImages->m_strUDLPath);

    if (g_pMouseManager != NULL) g_pMouseManager->SaveState(strPath);
    if (g_pContextMenuManager != NULL) g_pContextMenuManager->SaveState(strPath);
    if (g_pKeyboardManager != NULL)
        g_pKeyboardManager->SaveState(strPath, pFrameImpl != NULL ? pFrameImpl->GetFrame() : NULL);
    if (g_pUserToolsManager != NULL) g_pUserToolsManager->SaveState(strPath);

    OnAfterSaveState();
    return TRUE;
}

BOOL CSPWorkspace::SaveState(CSPFrameImpl* pFrameImpl) { return SaveState(NULL, pFrameImpl); }

BOOL CSPWorkspace::CleanState(LPCTSTR lpszSectionName) {
    if (lpszSectionName != NULL) SetRegistryBase(lpszSectionName);
    CSPRegistryPtr reg;
    CSPRegistry* pReg = reg.Create(FALSE, FALSE);
    return pReg != NULL && pReg->DeleteKey(GetRegSectionPath());
}

// --- window placement -------------------------------------------------------------

BOOL CSPWorkspace::LoadWindowPlacement(CRect& rectNormalPosition, int& nFlags, int& nShowCmd) {
    CSPRegistryPtr reg;
    CSPRegistry* pReg = reg.Create(FALSE, TRUE);
    if (pReg == NULL || !pReg->Open(GetRegSectionPath(szPlacementKey))) return FALSE;
    CRect rect;
    int nReadFlags = 0, nReadShow = 0;
    if (!pReg->Read(_T("MainWindowRect"), rect) || !pReg->Read(_T("Flags"), nReadFlags) ||
        !pReg->Read(_T("ShowCmd"), nReadShow))
        return FALSE;
    rectNormalPosition = rect;
    nFlags = nReadFlags;
    nShowCmd = nReadShow;
    return TRUE;
}

BOOL CSPWorkspace::StoreWindowPlacement(const CRect& rectNormalPosition, int nFlags, int nShowCmd) {
    CSPRegistryPtr reg;
    CSPRegistry* pReg = reg.Create(FALSE, FALSE);
    if (pReg == NULL || !pReg->CreateKey(GetRegSectionPath(szPlacementKey))) return FALSE;
    CRect rect = rectNormalPosition;
    return pReg->Write(_T("MainWindowRect"), rect) && pReg->Write(_T("Flags"), nFlags) &&
           pReg->Write(_T("ShowCmd"), nShowCmd);
}

// --- mouse and help -----------------------------------------------------------------

BOOL CSPWorkspace::OnViewDoubleClick(CWnd* pWnd, int iViewId) {
    const UINT uiCmd = g_pMouseManager != NULL ? g_pMouseManager->GetViewDblClickCommand(iViewId) : 0;
    if (uiCmd == 0 || uiCmd == (UINT)-1) {
        ::MessageBeep((UINT)-1);
        return FALSE;
    }
    if (g_pUserToolsManager != NULL && g_pUserToolsManager->InvokeTool(uiCmd)) return TRUE;
    CWnd* pTarget = pWnd != NULL ? SPGetTopLevelFrame(pWnd) : AfxGetMainWnd();
    if (pTarget == NULL) pTarget = AfxGetMainWnd();
    if (pTarget == NULL) return FALSE;
    pTarget->SendMessage(WM_COMMAND, uiCmd);
    return TRUE;
}

BOOL CSPWorkspace::ShowPopupMenu(UINT uiMenuResId, const CPoint& point, CWnd* pWnd) {
    if (g_pContextMenuManager == NULL) return FALSE;
    return g_pContextMenuManager->ShowPopupMenu(uiMenuResId, point.x, point.y, pWnd);
}

void CSPWorkspace::OnWinHelp(CWnd* pWnd, DWORD_PTR dwData) {
    CWinApp* pApp = AfxGetApp();
    LPCTSTR lpszHelpFile = pApp != NULL ? pApp->m_pszHelpFilePath : NULL;
    ::WinHelpA(pWnd != NULL ? pWnd->GetSafeHwnd() : NULL, lpszHelpFile, HELP_CONTEXTMENU, dwData);
}

// --- typed values ---------------------------------------------------------------------

namespace {

// Runs fn on the registry opened at the key of a typed value: read-only for
// reading, created for writing; FALSE when the key cannot be had.
template <class Fn>
BOOL WithValueKey(const CString& strKey, BOOL bReadOnly, Fn fn) {
    CSPRegistryPtr reg;
    CSPRegistry* pReg = reg.Create(FALSE, bReadOnly);
    if (pReg == NULL || !(bReadOnly ? pReg->Open(strKey) : pReg->CreateKey(strKey))) return FALSE;
    return fn(pReg);
}

}  // namespace

int CSPWorkspace::GetSectionInt(LPCTSTR lpszSubSection, LPCTSTR lpszEntry, int nDefault) {
    int nValue = nDefault;
    if (!WithValueKey(GetRegSectionPath(lpszSubSection), TRUE,
                      [&](CSPRegistry* pReg) { return pReg->Read(lpszEntry, nValue); }))
        return nDefault;
    return nValue;
}

CString CSPWorkspace::GetSectionString(LPCTSTR lpszSubSection, LPCTSTR lpszEntry, LPCTSTR lpszDefault) {
    CString strValue;
    if (!WithValueKey(GetRegSectionPath(lpszSubSection), TRUE,
                      [&](CSPRegistry* pReg) { return pReg->Read(lpszEntry, strValue); }))
        return CString(lpszDefault);
    return strValue;
}

BOOL CSPWorkspace::GetSectionBinary(LPCTSTR lpszSubSection, LPCTSTR lpszEntry, LPBYTE* ppData, UINT* pBytes) {
    return WithValueKey(GetRegSectionPath(lpszSubSection), TRUE,
                        [&](CSPRegistry* pReg) { return pReg->Read(lpszEntry, ppData, pBytes); });
}

BOOL CSPWorkspace::GetSectionObject(LPCTSTR lpszSubSection, LPCTSTR lpszEntry, CObject& obj) {
    return WithValueKey(GetRegSectionPath(lpszSubSection), TRUE,
                        [&](CSPRegistry* pReg) { return pReg->Read(lpszEntry, obj); });
}

BOOL CSPWorkspace::WriteSectionInt(LPCTSTR lpszSubSection, LPCTSTR lpszEntry, int nValue) {
    return WithValueKey(GetRegSectionPath(lpszSubSection), FALSE,
                        [&](CSPRegistry* pReg) { return pReg->Write(lpszEntry, nValue); });
}

BOOL CSPWorkspace::WriteSectionString(LPCTSTR lpszSubSection, LPCTSTR lpszEntry, LPCTSTR lpszValue) {
    return WithValueKey(GetRegSectionPath(lpszSubSection), FALSE,
                        [&](CSPRegistry* pReg) { return pReg->Write(lpszEntry, lpszValue); });
}

BOOL CSPWorkspace::WriteSectionBinary(LPCTSTR lpszSubSection, LPCTSTR lpszEntry, LPBYTE pData, UINT nBytes) {
    return WithValueKey(GetRegSectionPath(lpszSubSection), FALSE,
                        [&](CSPRegistry* pReg) { return pReg->Write(lpszEntry, pData, nBytes); });
}

BOOL CSPWorkspace::WriteSectionObject(LPCTSTR lpszSubSection, LPCTSTR lpszEntry, CObject& obj) {
    return WithValueKey(GetRegSectionPath(lpszSubSection), FALSE,
                        [&](CSPRegistry* pReg) { return pReg->Write(lpszEntry, obj); });
}
