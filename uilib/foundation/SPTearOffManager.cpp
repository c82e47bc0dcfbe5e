#include "SPTearOffManager.h"

#include <errno.h>
#include <stdlib.h>

CSPTearOffManager* g_pTearOffMenuManager = NULL;

CString (*CSPTearOffManager::s_pfnGetWorkspaceRegSection)() = NULL;

// Menus nest a few levels at most; the limit only guards against a menu
// that holds itself.
static const int s_nMaxMenuDepth = 32;

CSPTearOffManager::CSPTearOffManager() : m_uiTearOffMenuFirst(0), m_uiTearOffMenuLast(0) {}

CSPTearOffManager::~CSPTearOffManager() {
    if (g_pTearOffMenuManager == this) g_pTearOffMenuManager = NULL;
}

BOOL CSPTearOffManager::Initialize(LPCTSTR lpszRegEntry, UINT uiTearOffMenuFirst, UINT uiTearOffMenuLast) {
    if (uiTearOffMenuFirst == 0 || uiTearOffMenuLast == 0 || uiTearOffMenuFirst > uiTearOffMenuLast) return FALSE;
    g_pTearOffMenuManager = this;
    m_uiTearOffMenuFirst = uiTearOffMenuFirst;
    m_uiTearOffMenuLast = uiTearOffMenuLast;
    if (lpszRegEntry != NULL)
        m_strTearOffBarRegEntry = lpszRegEntry;
    else if (s_pfnGetWorkspaceRegSection != NULL)
        m_strTearOffBarRegEntry = s_pfnGetWorkspaceRegSection();
    else
        m_strTearOffBarRegEntry.Empty();
    m_arTearOffIDsUsage.RemoveAll();
    m_arTearOffIDsUsage.SetSize(uiTearOffMenuLast - uiTearOffMenuFirst + 1);
    for (INT_PTR i = 0; i < m_arTearOffIDsUsage.GetSize(); i++) m_arTearOffIDsUsage[i] = 0;
    return TRUE;
}

UINT CSPTearOffManager::GetFreeTearOffId() {
    if (m_uiTearOffMenuFirst == 0 || m_uiTearOffMenuLast == 0) return 0;
    for (INT_PTR i = 0; i < m_arTearOffIDsUsage.GetSize(); i++) {
        if (m_arTearOffIDsUsage[i] == 0) {
            m_arTearOffIDsUsage[i] = 1;
            return m_uiTearOffMenuFirst + (UINT)i;
        }
    }
    return 0;
}

void CSPTearOffManager::SetInUse(UINT uiCmdId, BOOL bUse) {
    if (uiCmdId < m_uiTearOffMenuFirst || uiCmdId > m_uiTearOffMenuLast) return;
    const INT_PTR i = uiCmdId - m_uiTearOffMenuFirst;
    if (i >= m_arTearOffIDsUsage.GetSize()) return;
    if (bUse)
        m_arTearOffIDsUsage[i]++;
    else if (m_arTearOffIDsUsage[i] > 0)
        m_arTearOffIDsUsage[i]--;
}

UINT CSPTearOffManager::GetUseCount(UINT uiCmdId) const {
    if (uiCmdId < m_uiTearOffMenuFirst || uiCmdId > m_uiTearOffMenuLast) return 0;
    const INT_PTR i = uiCmdId - m_uiTearOffMenuFirst;
    return i < m_arTearOffIDsUsage.GetSize() ? (UINT)m_arTearOffIDsUsage[i] : 0;
}

static CString MenuItemText(HMENU hMenu, int iItem) {
    CString str;
    const int nLen = ::GetMenuString(hMenu, iItem, NULL, 0, MF_BYPOSITION);
    if (nLen > 0) {
        ::GetMenuString(hMenu, iItem, str.GetBuffer(nLen + 1), nLen + 1, MF_BYPOSITION);
        str.ReleaseBuffer();
    }
    return str;
}

void CSPTearOffManager::SetupTearOffMenus(HMENU hMenu) {
    if (hMenu == NULL) {
        for (INT_PTR i = 0; i < m_arTearOffIDsUsage.GetSize(); i++) m_arTearOffIDsUsage[i] = 0;
        return;
    }
    SetupTearOffMenusRecursive(hMenu, 0);
}

void CSPTearOffManager::SetupTearOffMenusRecursive(HMENU hMenu, int nDepth) {
    if (nDepth > s_nMaxMenuDepth || !::IsMenu(hMenu)) return;
    const int nCount = ::GetMenuItemCount(hMenu);
    for (int i = 0; i < nCount; i++) {
        CString str = MenuItemText(hMenu, i);
        const UINT uiId = ParseTearOffTag(str);
        if (uiId >= m_uiTearOffMenuFirst && uiId <= m_uiTearOffMenuLast && uiId != 0) {
            const INT_PTR iIndex = uiId - m_uiTearOffMenuFirst;
            if (iIndex < m_arTearOffIDsUsage.GetSize()) m_arTearOffIDsUsage[iIndex] = 0;
        }
        HMENU hSub = ::GetSubMenu(hMenu, i);
        if (hSub != NULL) SetupTearOffMenusRecursive(hSub, nDepth + 1);
    }
}

void CSPTearOffManager::Reset(HMENU hMenu) {
    if (hMenu != NULL) ResetRecursive(hMenu, 0);
}

BOOL CSPTearOffManager::ResetRecursive(HMENU hMenu, int nDepth) {
    if (nDepth > s_nMaxMenuDepth || !::IsMenu(hMenu)) return TRUE;
    const int nCount = ::GetMenuItemCount(hMenu);
    for (int i = 0; i < nCount; i++) {
        HMENU hSub = ::GetSubMenu(hMenu, i);
        if (hSub == NULL) continue;
        const UINT uiState = ::GetMenuState(hMenu, i, MF_BYPOSITION);
        if (uiState != (UINT)-1 && (uiState & MF_MENUBARBREAK) != 0) {
            CString str = MenuItemText(hMenu, i);
            if (str.IsEmpty() || str[0] != s_chTagMark) {
                const UINT uiId = GetFreeTearOffId();
                if (uiId == 0) return FALSE;
                Build(uiId, str);
                // Only the text changes: rewriting the whole item would turn
                // it into a plain command and lose its sub-menu, state and
                // break flags.
                MENUITEMINFO mii = {};
                mii.cbSize = sizeof(mii);
                mii.fMask = MIIM_STRING;
                mii.dwTypeData = str.GetBuffer(str.GetLength());
                mii.cch = (UINT)str.GetLength();
                ::SetMenuItemInfo(hMenu, i, TRUE, &mii);
                str.ReleaseBuffer();
            }
        }
        if (!ResetRecursive(hSub, nDepth + 1)) return FALSE;
    }
    return TRUE;
}

UINT CSPTearOffManager::ParseTearOffTag(CString& str) {
    if (str.IsEmpty() || str[0] != s_chTagMark) return 0;
    const int iClose = str.Find(s_chTagMark, 1);
    if (iClose < 0) return 0;
    // Only a plain decimal number that fits an id is one; anything else in
    // the tag (a sign, letters, an overflow) reads as no id, as a number
    // that read past its end would name an arbitrary command.
    const CString strNumber = str.Mid(1, iClose - 1);
    if (strNumber.IsEmpty() || strNumber.GetLength() > 10) return 0;
    for (int i = 0; i < strNumber.GetLength(); i++)
        if (strNumber[i] < '0' || strNumber[i] > '9') return 0;
    const unsigned long long ullId = _strtoui64(strNumber, NULL, 10);
    if (ullId == 0 || ullId > 0xFFFFFFFFull) return 0;
    str = str.Mid(str.ReverseFind(s_chTagMark) + 1);
    return (UINT)ullId;
}

void CSPTearOffManager::Build(UINT uiCmdId, CString& str) {
    CString strTagged;
    strTagged.Format(_T("%c%u%c%s"), s_chTagMark, uiCmdId, s_chTagMark, (LPCTSTR)str);
    str = strTagged;
}

void CSPTearOffManager::Serialize(CArchive& ar) {
    if (ar.IsStoring()) {
        ar.WriteCount(m_arTearOffIDsUsage.GetSize());
        for (INT_PTR i = 0; i < m_arTearOffIDsUsage.GetSize(); i++) ar << (DWORD)m_arTearOffIDsUsage[i];
        return;
    }
    // Read value by value: a damaged count then ends in an archive
    // exception at the end of the data instead of a huge allocation.
    const DWORD_PTR nCount = ar.ReadCount();
    for (INT_PTR i = 0; i < m_arTearOffIDsUsage.GetSize(); i++) m_arTearOffIDsUsage[i] = 0;
    for (DWORD_PTR i = 0; i < nCount; i++) {
        DWORD dw = 0;
        ar >> dw;
        if ((INT_PTR)i < m_arTearOffIDsUsage.GetSize()) m_arTearOffIDsUsage[(INT_PTR)i] = dw;
    }
}
