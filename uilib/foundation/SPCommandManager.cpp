#include "SPCommandManager.h"
#include "SPRegistry.h"

const char* const CSPCommandManager::s_lpszValueName = "CommandsWithoutImages";

CSPCommandManager* SPGetCommandManager() {
    static CSPCommandManager s_manager;
    return &s_manager;
}

CSPCommandManager::CSPCommandManager() : m_CommandIndex(10), m_CommandIndexUser(10), m_lstCommandsWithoutImages(10) {
    m_CommandIndex.InitHashTable(17);
    m_CommandIndexUser.InitHashTable(17);
}

CSPCommandManager::~CSPCommandManager() {}

void CSPCommandManager::SetCmdImage(UINT uiCmd, int iImage, BOOL bUserImage) {
    if (uiCmd == 0 || uiCmd == (UINT)-1) return;
    int iOther;
    if (bUserImage) {
        if (m_CommandIndex.Lookup(uiCmd, iOther)) return;
        m_CommandIndexUser.SetAt(uiCmd, iImage);
    } else {
        if (m_CommandIndexUser.Lookup(uiCmd, iOther)) return;
        m_CommandIndex.SetAt(uiCmd, iImage);
    }
}

int CSPCommandManager::GetCmdImage(UINT uiCmd, BOOL bUserImage) const {
    int iImage;
    const CMap<UINT, UINT, int, int>& map = bUserImage ? m_CommandIndexUser : m_CommandIndex;
    return map.Lookup(uiCmd, iImage) ? iImage : -1;
}

void CSPCommandManager::ClearCmdImage(UINT uiCmd) {
    m_CommandIndexUser.RemoveKey(uiCmd);
    if (m_CommandIndexUser.IsEmpty()) m_CommandIndexUser.RemoveAll();  // frees the table
}

void CSPCommandManager::ClearAllCmdImages() {
    m_CommandIndex.RemoveAll();
    m_CommandIndexUser.RemoveAll();
}

void CSPCommandManager::EnableMenuItemImage(UINT uiCmd, BOOL bEnable) {
    POSITION pos = m_lstCommandsWithoutImages.Find(uiCmd);
    if (!bEnable) {
        if (pos == NULL) m_lstCommandsWithoutImages.AddTail(uiCmd);
    } else if (pos != NULL) {
        m_lstCommandsWithoutImages.RemoveAt(pos);
        if (m_lstCommandsWithoutImages.IsEmpty()) m_lstCommandsWithoutImages.RemoveAll();  // frees the blocks
    }
}

static CString CommandManagerKey(LPCTSTR lpszProfileName) {
    CString strKey;
    strKey.Format("%sSCommandManager", (LPCTSTR)SPGetRegPath("SToolBars", lpszProfileName));
    return strKey;
}

BOOL CSPCommandManager::LoadState(LPCTSTR lpszProfileName) {
    CSPRegistryPtr reg;
    CSPRegistry* pReg = reg.Create(FALSE, TRUE);
    if (pReg == NULL || !pReg->Open(CommandManagerKey(lpszProfileName))) return FALSE;
    // Read apart, so that a damaged value appends nothing.
    CList<UINT, UINT> lstLoaded(10);
    if (!pReg->Read(s_lpszValueName, (CObject&)lstLoaded)) return FALSE;
    m_lstCommandsWithoutImages.AddTail(&lstLoaded);
    return TRUE;
}

BOOL CSPCommandManager::SaveState(LPCTSTR lpszProfileName) {
    CSPRegistryPtr reg;
    CSPRegistry* pReg = reg.Create(FALSE, FALSE);
    if (pReg == NULL || !pReg->CreateKey(CommandManagerKey(lpszProfileName))) return FALSE;
    return pReg->Write(s_lpszValueName, (CObject&)m_lstCommandsWithoutImages);
}
