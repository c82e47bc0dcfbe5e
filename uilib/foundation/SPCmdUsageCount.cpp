#include "SPCmdUsageCount.h"
#include "SPClientHooks.h"
#include "SPToolbarState.h"
#include "SPUserToolsManager.h"

UINT CSPCmdUsageCount::m_nStartCount = 0;
UINT CSPCmdUsageCount::m_nMinUsagePercentage = 5;

CSPCmdUsageCount::CSPCmdUsageCount() : m_CmdUsage(10), m_nTotalUsage(0) { m_CmdUsage.InitHashTable(17); }

CSPCmdUsageCount::~CSPCmdUsageCount() {}

void CSPCmdUsageCount::Serialize(CArchive& ar) {
    if (ar.IsStoring())
        ar << m_nTotalUsage;
    else
        ar >> m_nTotalUsage;
    m_CmdUsage.Serialize(ar);
}

BOOL CSPCmdUsageCount::AddCmd(UINT uiCmd) {
    if (g_bCustomizeMode) return FALSE;
    if (uiCmd == 0 || uiCmd == (UINT)-1) return FALSE;
    if (!CSPToolbarSharedState::IsCommandCounted(uiCmd)) return FALSE;
    if ((uiCmd >= 0xE110 && uiCmd <= 0xE11F) ||  // recent files
        (uiCmd >= 0xF000 && uiCmd <= 0xF1EF) ||  // system commands
        uiCmd >= 0xFF00 ||                       // window list
        (uiCmd >= 0xE210 && uiCmd <= 0xE21F))    // OLE verbs
        return FALSE;
    if (g_pUserToolsManager != NULL && uiCmd == g_pUserToolsManager->GetToolsEntryCmd()) return FALSE;

    UINT nCount = 0;
    m_CmdUsage.Lookup(uiCmd, nCount);
    m_CmdUsage.SetAt(uiCmd, nCount + 1);
    m_nTotalUsage++;
    return TRUE;
}

void CSPCmdUsageCount::Reset() {
    m_CmdUsage.RemoveAll();
    m_nTotalUsage = 0;
}

UINT CSPCmdUsageCount::GetCount(UINT uiCmd) const {
    UINT nCount;
    return m_CmdUsage.Lookup(uiCmd, nCount) ? nCount : 0;
}

BOOL CSPCmdUsageCount::IsFrequentlyUsedCmd(UINT uiCmd) const {
    if (m_nTotalUsage == 0) return FALSE;
    // In 64 bits: a count of 43 million uses times 100 leaves 32 bits.
    unsigned long long nPercent = (unsigned long long)GetCount(uiCmd) * 100 / m_nTotalUsage;
    return nPercent > m_nMinUsagePercentage;
}

BOOL CSPCmdUsageCount::HasEnoughInformation() const { return m_nTotalUsage >= m_nStartCount; }

BOOL CSPCmdUsageCount::SetOptions(UINT nStartCount, UINT nMinUsagePercentage) {
    if (nMinUsagePercentage >= 100) return FALSE;
    m_nStartCount = nStartCount;
    m_nMinUsagePercentage = nMinUsagePercentage;
    return TRUE;
}
