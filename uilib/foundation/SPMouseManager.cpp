#include "SPMouseManager.h"
#include "SPRegistry.h"

IMPLEMENT_SERIAL(CSPMouseManager, CObject, 1)

CSPMouseManager* g_pMouseManager = NULL;

const char* const CSPMouseManager::s_lpszSection = "SMouseManager";
const char* const CSPMouseManager::s_lpszValueName = "Mouse";

CSPMouseManager::CSPMouseManager() : m_ViewsNames(10), m_DblClickActions(10), m_ViewsToIcons(10) {
    m_ViewsNames.InitHashTable(17);
    m_DblClickActions.InitHashTable(17);
    m_ViewsToIcons.InitHashTable(17);
    g_pMouseManager = this;
}

CSPMouseManager::~CSPMouseManager() {
    if (g_pMouseManager == this) g_pMouseManager = NULL;
}

BOOL CSPMouseManager::AddView(int iViewId, LPCTSTR lpszViewName, UINT uiIconId) {
    if (lpszViewName == NULL) return FALSE;
    int iId;
    if (m_ViewsNames.Lookup(lpszViewName, iId)) return FALSE;
    m_ViewsNames.SetAt(lpszViewName, iViewId);
    if (uiIconId != 0) m_ViewsToIcons.SetAt(iViewId, uiIconId);
    return TRUE;
}

int CSPMouseManager::GetViewIdByName(LPCTSTR lpszName) const {
    int iId;
    if (lpszName == NULL || !m_ViewsNames.Lookup(lpszName, iId)) return -1;
    return iId;
}

void CSPMouseManager::GetViewNames(CStringList& listOfNames) const {
    listOfNames.RemoveAll();
    for (POSITION pos = m_ViewsNames.GetStartPosition(); pos != NULL;) {
        CString strName;
        int iId;
        m_ViewsNames.GetNextAssoc(pos, strName, iId);
        listOfNames.AddTail(strName);
    }
}

UINT CSPMouseManager::GetViewIconId(int iViewId) const {
    UINT uiIcon;
    return m_ViewsToIcons.Lookup(iViewId, uiIcon) ? uiIcon : 0;
}

UINT CSPMouseManager::GetViewDblClickCommand(int iViewId) const {
    UINT uiCmd;
    return m_DblClickActions.Lookup(iViewId, uiCmd) ? uiCmd : 0;
}

void CSPMouseManager::SetCommandForDblClick(int iViewId, UINT uiCmd) {
    if (uiCmd != 0)
        m_DblClickActions.SetAt(iViewId, uiCmd);
    else
        m_DblClickActions.RemoveKey(iViewId);
}

void CSPMouseManager::Serialize(CArchive& ar) {
    CObject::Serialize(ar);
    if (ar.IsLoading()) {
        m_DblClickActions.RemoveAll();
        int nCount;
        ar >> nCount;
        // A damaged count only runs the reads into the end of the data.
        for (int i = 0; i < nCount; i++) {
            int iViewId = 0;
            UINT uiCmd = 0;
            ar >> iViewId;
            ar >> uiCmd;
            m_DblClickActions.SetAt(iViewId, uiCmd);
        }
    } else {
        ar << (int)m_DblClickActions.GetCount();
        for (POSITION pos = m_DblClickActions.GetStartPosition(); pos != NULL;) {
            int iViewId = 0;
            UINT uiCmd = 0;
            m_DblClickActions.GetNextAssoc(pos, iViewId, uiCmd);
            ar << iViewId;
            ar << uiCmd;
        }
    }
}

BOOL CSPMouseManager::LoadState(LPCTSTR lpszProfileName) {
    CString strPath = SPGetRegPath(s_lpszSection, lpszProfileName);
    CSPRegistryPtr reg;
    CSPRegistry* pReg = reg.Create(FALSE, TRUE);
    if (pReg == NULL || !pReg->Open(strPath)) return FALSE;
    return pReg->Read(s_lpszValueName, *this);
}

BOOL CSPMouseManager::SaveState(LPCTSTR lpszProfileName) {
    CString strPath = SPGetRegPath(s_lpszSection, lpszProfileName);
    CSPRegistryPtr reg;
    CSPRegistry* pReg = reg.Create(FALSE, FALSE);
    if (pReg == NULL || !pReg->CreateKey(strPath)) return FALSE;
    return pReg->Write(s_lpszValueName, *this);
}
