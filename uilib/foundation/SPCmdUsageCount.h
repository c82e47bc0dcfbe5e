// SPCmdUsageCount.h - how often each command was used.
//
//   CSPCmdUsageCount   command id -> number of uses, and their total; the
//                      personalised menus show only the frequently used
//                      commands once enough uses were counted
#pragma once
#include "afxwin.h"
#include "afxtempl.h"

class CSPCmdUsageCount : public CObject {
public:
    CSPCmdUsageCount();
    virtual ~CSPCmdUsageCount();

    // The stored image: the total (32 bits), then the counts map (count in
    // archive count form, then per entry the id and its count, 32 bits each,
    // in the map's order). Loading adds the entries.
    void Serialize(CArchive& ar) override;

    // Counts one use. Nothing is counted while toolbars are customised, nor
    // for ids 0 and 0xFFFFFFFF, the commands the toolbars exclude, the
    // recent files (0xE110-0xE11F), system commands (0xF000-0xF1EF), ids
    // from 0xFF00 up, OLE verbs (0xE210-0xE21F) and the user tools'
    // placeholder command. TRUE when counted.
    BOOL AddCmd(UINT uiCmd);
    void Reset();
    UINT GetCount(UINT uiCmd) const;  // 0 when never used
    UINT GetTotalUsage() const { return m_nTotalUsage; }

    // More than the threshold percentage of all counted uses; FALSE while
    // nothing is counted.
    BOOL IsFrequentlyUsedCmd(UINT uiCmd) const;
    // At least the minimum total was counted.
    BOOL HasEnoughInformation() const;

    // FALSE (nothing changes) for a percentage of 100 or more.
    static BOOL SetOptions(UINT nStartCount, UINT nMinUsagePercentage);

    static UINT m_nStartCount;          // the minimum total, 0
    static UINT m_nMinUsagePercentage;  // the threshold, 5

protected:
    CMap<UINT, UINT, UINT, UINT> m_CmdUsage;
    UINT m_nTotalUsage;
};
