#include "SPUserToolsManager.h"
#include "SPGlobalData.h"
#include "SPClientHooks.h"
#include "SPRegistry.h"
#include "SPToolbarState.h"

CSPUserToolsManager* g_pUserToolsManager = NULL;

const char* const CSPUserToolsManager::s_lpszSection = "SUserToolsManager";
const char* const CSPUserToolsManager::s_lpszValueName = "Tools";

static const UINT kIdsToolsFilter = 16023;

CSPUserToolsManager::CSPUserToolsManager(UINT uiCmdToolsDummy, UINT uiCmdFirst, UINT uiCmdLast,
                                         CRuntimeClass* pToolRTC, UINT uArgMenuID, UINT uInitDirMenuID)
    : m_lstUserTools(10),
      m_uiCmdToolsDummy(uiCmdToolsDummy),
      m_uiCmdFirst(uiCmdFirst),
      m_uiCmdLast(uiCmdLast),
      m_pToolRTC(pToolRTC),
      m_strDefExt("*.exe"),
      m_uiArgumentsMenuID(uArgMenuID),
      m_uiInitialDirMenuID(uInitDirMenuID) {
    if (m_pToolRTC == NULL || !m_pToolRTC->IsDerivedFrom(RUNTIME_CLASS(CSPUserTool)))
        m_pToolRTC = RUNTIME_CLASS(CSPUserTool);
    {
        CSPResourceScope scope;
        if (!m_strFilter.LoadString(kIdsToolsFilter))
            m_strFilter =
                "Executable (*.exe)|*.exe|Command (*.com)|*.com|Information (*.pdf)|*.pdf|"
                "Batch (*.bat)|*.bat|All Files (*.*)|*.*||";
    }
    g_pUserToolsManager = this;
}

CSPUserToolsManager::~CSPUserToolsManager() {
    RemoveAllTools();
    if (g_pUserToolsManager == this) g_pUserToolsManager = NULL;
}

void CSPUserToolsManager::RemoveAllTools() {
    while (!m_lstUserTools.IsEmpty()) delete m_lstUserTools.RemoveHead();
}

int CSPUserToolsManager::GetMaxTools() const {
    return m_uiCmdLast >= m_uiCmdFirst ? (int)(m_uiCmdLast - m_uiCmdFirst + 1) : 0;
}

BOOL CSPUserToolsManager::LoadState(LPCTSTR lpszProfileName) {
    RemoveAllTools();
    CString strPath = SPGetRegPath(s_lpszSection, lpszProfileName);
    CSPRegistryPtr reg;
    CSPRegistry* pReg = reg.Create(FALSE, TRUE);
    if (pReg == NULL || !pReg->Open(strPath)) return FALSE;
    // Every stored object must be a tool of the manager's class.
    if (!pReg->Read(s_lpszValueName, m_lstUserTools, m_pToolRTC)) {
        RemoveAllTools();
        return FALSE;
    }
    return TRUE;
}

BOOL CSPUserToolsManager::SaveState(LPCTSTR lpszProfileName) {
    CString strPath = SPGetRegPath(s_lpszSection, lpszProfileName);
    CSPRegistryPtr reg;
    CSPRegistry* pReg = reg.Create(FALSE, FALSE);
    if (pReg == NULL || !pReg->CreateKey(strPath)) return FALSE;
    return pReg->Write(s_lpszValueName, m_lstUserTools);
}

CSPUserTool* CSPUserToolsManager::CreateNewTool() {
    if (m_lstUserTools.GetCount() >= GetMaxTools()) return NULL;

    UINT uiCmdId = 0;
    for (UINT uiCmd = m_uiCmdFirst;; uiCmd++) {
        BOOL bUsed = FALSE;
        for (POSITION pos = m_lstUserTools.GetHeadPosition(); pos != NULL && !bUsed;)
            bUsed = ((CSPUserTool*)m_lstUserTools.GetNext(pos))->m_uiCmdId == uiCmd;
        if (!bUsed) {
            uiCmdId = uiCmd;
            break;
        }
        if (uiCmd == m_uiCmdLast) return NULL;  // tools outside the range hold no id of it
    }

    CObject* pObj = m_pToolRTC->CreateObject();
    if (pObj == NULL) return NULL;
    if (!pObj->IsKindOf(RUNTIME_CLASS(CSPUserTool))) {
        delete pObj;
        return NULL;
    }
    CSPUserTool* pTool = (CSPUserTool*)pObj;
    pTool->m_uiCmdId = uiCmdId;
    m_lstUserTools.AddTail(pTool);
    return pTool;
}

BOOL CSPUserToolsManager::RemoveTool(CSPUserTool* pTool) {
    POSITION pos = pTool != NULL ? m_lstUserTools.Find(pTool) : NULL;
    if (pos == NULL) return FALSE;
    m_lstUserTools.RemoveAt(pos);
    UINT uiCmdId = pTool->m_uiCmdId;
    delete pTool;

    for (POSITION posBar = g_lstAllToolbars.GetHeadPosition(); posBar != NULL;) {
        ISPToolbarCommands* pToolBar = dynamic_cast<ISPToolbarCommands*>(g_lstAllToolbars.GetNext(posBar));
        if (pToolBar == NULL) continue;
        int iIndex;
        while ((iIndex = pToolBar->CommandToIndex(uiCmdId, 0)) >= 0)
            if (!pToolBar->RemoveButton(iIndex)) break;  // never loop on a refusing bar
        pToolBar->AdjustLayout();
    }
    return TRUE;
}

BOOL CSPUserToolsManager::MoveToolUp(CSPUserTool* pTool) {
    POSITION pos = pTool != NULL ? m_lstUserTools.Find(pTool) : NULL;
    if (pos == NULL) return FALSE;
    POSITION posPrev = pos;
    m_lstUserTools.GetPrev(posPrev);
    if (posPrev == NULL) return FALSE;
    m_lstUserTools.RemoveAt(pos);
    m_lstUserTools.InsertBefore(posPrev, pTool);
    return TRUE;
}

BOOL CSPUserToolsManager::MoveToolDown(CSPUserTool* pTool) {
    POSITION pos = pTool != NULL ? m_lstUserTools.Find(pTool) : NULL;
    if (pos == NULL) return FALSE;
    POSITION posNext = pos;
    m_lstUserTools.GetNext(posNext);
    if (posNext == NULL) return FALSE;
    m_lstUserTools.RemoveAt(pos);
    m_lstUserTools.InsertAfter(posNext, pTool);
    return TRUE;
}

CSPUserTool* CSPUserToolsManager::FindTool(UINT uiCmdId) const {
    if (!IsUserToolCmd(uiCmdId)) return NULL;
    for (POSITION pos = m_lstUserTools.GetHeadPosition(); pos != NULL;) {
        CSPUserTool* pTool = (CSPUserTool*)m_lstUserTools.GetNext(pos);
        if (pTool->m_uiCmdId == uiCmdId) return pTool;
    }
    return NULL;
}

BOOL CSPUserToolsManager::InvokeTool(UINT uiCmdId) {
    CSPUserTool* pTool = FindTool(uiCmdId);
    return pTool != NULL ? pTool->Invoke() : FALSE;
}
