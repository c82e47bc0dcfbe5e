// SPToolBarPersist.cpp - CSPToolBar: the bar's buttons saved in and loaded
// from the registry, and merged with a toolbar resource that changed since
// the user customised the bar.
#include "SPToolBar.h"

#include "SPCustomizeButton.h"
#include "SPRegistry.h"

namespace {

// The archive buffer of the "Buttons" value.
const int nArchiveBuffer = 4096;

// Deletes the buttons of a list that is not a bar's own.
void DeleteButtons(CObList& list) {
    while (!list.IsEmpty()) delete list.RemoveHead();
}

}  // namespace

BOOL CSPToolBar::s_bWorkspaceExists = FALSE;
BOOL CSPToolBar::s_bKeepOriginalState = FALSE;
int CSPToolBar::s_nWorkspaceMajor = -1;
int CSPToolBar::s_nWorkspaceMinor = -1;

void CSPToolBar::SetWorkspaceState(BOOL bExists, int nMajor, int nMinor, BOOL bKeepOriginalState) {
    s_bWorkspaceExists = bExists;
    s_nWorkspaceMajor = nMajor;
    s_nWorkspaceMinor = nMinor;
    s_bKeepOriginalState = bKeepOriginalState;
}

BOOL CSPToolBar::WorkspaceStoresTearOffIds() {
    if (!s_bWorkspaceExists) return FALSE;
    if (s_nWorkspaceMajor == -1) return TRUE;
    return s_nWorkspaceMajor >= 5 || (s_nWorkspaceMajor == 4 && s_nWorkspaceMinor >= 71);
}

// The floating width follows the buttons only from version 6.2 on; an unset
// version writes it too, but reading asks for a set one.
static BOOL VersionCarriesWidth(int nMajor, int nMinor, BOOL bStoring) {
    if (nMajor > 5 && nMinor > 1) return TRUE;
    return bStoring && nMajor == -1 && nMinor == -1;
}

CString CSPToolBar::GetStateKey(LPCTSTR lpszProfileName, int nIndex, UINT uiID) const {
    return BuildStateKey(SPGetRegPath(m_lpszProfileSection, lpszProfileName), _T("SToolBar"), nIndex, uiID);
}

void CSPToolBar::Serialize(CArchive& ar) {
    CSPBaseToolBar::Serialize(ar);
    if (m_bLocked) return;

    if (ar.IsStoring()) {
        CObList lstStored(10);
        for (POSITION pos = m_Buttons.GetHeadPosition(); pos != NULL;) {
            CSPToolbarButton* pButton = (CSPToolbarButton*)m_Buttons.GetNext(pos);
            if (pButton->CanBeStored()) lstStored.AddTail(pButton);
        }
        lstStored.Serialize(ar);
        ar << (DWORD)m_bTextLabels;
        CString strName;
        if (GetSafeHwnd() != NULL) GetWindowText(strName);
        ar << strName;
        if (s_bWorkspaceExists && VersionCarriesWidth(s_nWorkspaceMajor, s_nWorkspaceMinor, TRUE))
            ar << (DWORD)m_nMRUWidth;
        return;
    }

    // The customise button is the bar's, not the stored state's: it comes
    // back at the end.
    CCustomizeButton* pCustomize = NULL;
    if (m_pCustomizeButton != NULL) {
        pCustomize = new CCustomizeButton;
        pCustomize->CopyFrom(*m_pCustomizeButton);
    }
    RemoveAllButtons();
    // Every element must be a button: anything else is damage, which the
    // caller answers by going back to the resource buttons.
    DWORD_PTR nCount = ar.ReadCount();
    AfxCheckStoredCount(ar, nCount, 2);
    BOOL bNullElement = FALSE;
    while (nCount-- > 0) {
        CObject* pObject = ar.ReadObject(RUNTIME_CLASS(CSPToolbarButton));
        if (pObject == NULL) {
            bNullElement = TRUE;
            continue;
        }
        CSPToolbarButton* pButton = (CSPToolbarButton*)pObject;
        pButton->m_nStyle &= ~(TBBS_CHECKED | TBBS_PRESSED);
        m_Buttons.AddTail(pButton);
        pButton->OnChangeParentWnd(this);
    }
    if (bNullElement) {
        delete pCustomize;
        RemoveAllButtons();
        if (CanBeRestored()) RestoreOriginalState();
        AdjustLocations();
        return;
    }

    DWORD dwTextLabels = 0;
    ar >> dwTextLabels;
    if (AllowChangeTextLabels()) m_bTextLabels = (BOOL)dwTextLabels;
    if (pCustomize != NULL) {
        m_pCustomizeButton = pCustomize;
        if (InsertButton(pCustomize, -1) < 0) {
            m_pCustomizeButton = NULL;
            delete pCustomize;
        }
    }
    AdjustLocations();

    CString strName;
    ar >> strName;
    if (GetSafeHwnd() != NULL) SetWindowText(strName);

    // Every button of a command that may not be on a toolbar goes, however
    // often an old state holds it.
    for (POSITION pos = m_lstUnpermittedCommands.GetHeadPosition(); pos != NULL;) {
        const UINT uiCmd = m_lstUnpermittedCommands.GetNext(pos);
        for (int iIndex = CommandToIndex(uiCmd); iIndex >= 0; iIndex = CommandToIndex(uiCmd)) RemoveButton(iIndex);
    }

    if (s_bWorkspaceExists && VersionCarriesWidth(s_nWorkspaceMajor, s_nWorkspaceMinor, FALSE)) {
        DWORD dwWidth = 0;
        ar >> dwWidth;
        m_nMRUWidth = (int)dwWidth;
    }
}

BOOL CSPToolBar::SaveState(LPCTSTR lpszProfileName, int nIndex, UINT uiID) {
    const CString strKey = GetStateKey(lpszProfileName, nIndex, uiID);
    BOOL bWritten = FALSE;
    {
        CMemFile file(1024);
        BOOL bSerialized = FALSE;
        TRY {
            CArchive ar(&file, CArchive::store, nArchiveBuffer);
            Serialize(ar);
            ar.Close();
            bSerialized = TRUE;
        }
        CATCH_ALL(e) { e->Delete(); }
        END_CATCH_ALL

        const UINT nBytes = (UINT)file.GetLength();
        BYTE* pData = file.Detach();
        CSPRegistryPtr reg;
        CSPRegistry* pReg = reg.Create(FALSE, FALSE);
        if (bSerialized && pReg != NULL && pReg->CreateKey(strKey)) {
            if (GetSafeHwnd() != NULL) {
                CString strName;
                GetWindowText(strName);
                pReg->Write(_T("Name"), strName);
            }
            bWritten = pReg->Write(_T("Buttons"), pData, nBytes);
            if (bWritten && s_bWorkspaceExists && s_bKeepOriginalState) SaveOriginalState(*pReg);
        }
        free(pData);
    }
    // The base still records where the bar is, but a state whose buttons
    // were not written is no success.
    const BOOL bBase = CSPBaseToolBar::SaveState(lpszProfileName, nIndex, uiID);
    return bWritten && bBase;
}

BOOL CSPToolBar::LoadState(LPCTSTR lpszProfileName, int nIndex, UINT uiID) {
    const CString strKey = GetStateKey(lpszProfileName, nIndex, uiID);
    BOOL bLoaded = FALSE;
    {
        CSPRegistryPtr reg;
        CSPRegistry* pReg = reg.Create(FALSE, TRUE);
        if (pReg == NULL || !pReg->Open(strKey)) return FALSE;
        BYTE* pData = NULL;
        UINT nBytes = 0;
        if (!pReg->Read(_T("Buttons"), &pData, &nBytes) || pData == NULL) {
            delete[] pData;
            return FALSE;
        }

        CMemFile file(pData, nBytes);
        TRY {
            CArchive ar(&file, CArchive::load, nArchiveBuffer);
            Serialize(ar);
            bLoaded = TRUE;
        }
        CATCH(CMemoryException, e) {
            // What was read before memory ran out stays.
            e->Delete();
        }
        AND_CATCH_ALL(e) {
            e->Delete();
            RemoveAllButtons();
            if (CanBeRestored()) RestoreOriginalState();
        }
        END_CATCH_ALL
        file.Detach();
        delete[] pData;

        if (bLoaded && s_bWorkspaceExists && s_bKeepOriginalState) LoadOriginalState(*pReg);
    }

    const BOOL bResult = CSPBaseToolBar::LoadState(lpszProfileName, nIndex, uiID);
    AdjustLayout();
    return bResult;
}

BOOL CSPToolBar::RemoveStateFromRegistry(LPCTSTR lpszProfileName, int nIndex, UINT uiID) {
    CSPRegistryPtr reg;
    CSPRegistry* pReg = reg.Create(FALSE, FALSE);
    return pReg != NULL && pReg->DeleteKey(GetStateKey(lpszProfileName, nIndex, uiID));
}

BOOL CSPToolBar::SaveOriginalState(CSPRegistry& reg) {
    if (m_OrigButtons.IsEmpty()) return FALSE;
    return reg.Write(_T("OriginalItems"), m_OrigButtons);
}

BOOL CSPToolBar::LoadOriginalState(CSPRegistry& reg) {
    CObList lstStored(10);
    BOOL bResult = FALSE;
    if (reg.Read(_T("OriginalItems"), lstStored, RUNTIME_CLASS(CSPToolbarButton)))
        bResult = MergeWithOriginalButtons(lstStored);
    DeleteButtons(lstStored);
    return bResult;
}

// A stored list equal to the current resource's item for item leaves the
// customised bar as the user made it.
static BOOL FindEqualButton(const CObList& list, const CSPToolbarButton& button) {
    for (POSITION pos = list.GetHeadPosition(); pos != NULL;) {
        const CSPToolbarButton* pOther = (const CSPToolbarButton*)list.GetNext(pos);
        if (button.CompareWith(*pOther)) return TRUE;
    }
    return FALSE;
}

BOOL CSPToolBar::MergeWithOriginalButtons(const CObList& lstStored) {
    m_bResourceWasChanged = FALSE;

    // Commands the application dropped leave the customised bar.
    for (POSITION pos = lstStored.GetHeadPosition(); pos != NULL;) {
        const CSPToolbarButton* pStored = (const CSPToolbarButton*)lstStored.GetNext(pos);
        BOOL bFound = FALSE;
        for (POSITION posCur = m_OrigButtons.GetHeadPosition(); posCur != NULL && !bFound;) {
            const CSPToolbarButton* pCur = (const CSPToolbarButton*)m_OrigButtons.GetNext(posCur);
            bFound = pCur->CompareWith(*pStored);
        }
        if (bFound) continue;
        m_bResourceWasChanged = TRUE;
        const int iIndex = CommandToIndex(pStored->m_nID);
        if (iIndex >= 0) RemoveButton(iIndex);
    }

    // Commands the application added arrive at their resource place.
    int i = 0;
    for (POSITION pos = m_OrigButtons.GetHeadPosition(); pos != NULL; i++) {
        const CSPToolbarButton* pCur = (const CSPToolbarButton*)m_OrigButtons.GetNext(pos);
        if (FindEqualButton(lstStored, *pCur)) continue;
        m_bResourceWasChanged = TRUE;
        const int iInsertAt = std::min(i, GetCount());
        if (pCur->m_nID == 0) {
            InsertSeparator(iInsertAt);
            continue;
        }
        int iImage = -1;
        if (!m_DefaultImages.Lookup(pCur->m_nID, iImage)) iImage = -1;
        InsertButtonCopy(CSPToolbarButton(pCur->m_nID, iImage, NULL, FALSE, m_bLocked), iInsertAt);
    }

    if (lstStored.GetCount() != m_OrigButtons.GetCount()) {
        m_bResourceWasChanged = TRUE;
    } else {
        POSITION posStored = lstStored.GetHeadPosition();
        for (POSITION pos = m_OrigButtons.GetHeadPosition(); pos != NULL && !m_bResourceWasChanged;) {
            const CSPToolbarButton* pCur = (const CSPToolbarButton*)m_OrigButtons.GetNext(pos);
            const CSPToolbarButton* pStored = (const CSPToolbarButton*)lstStored.GetNext(posStored);
            if (!pCur->CompareWith(*pStored)) m_bResourceWasChanged = TRUE;
        }
    }
    return m_bResourceWasChanged;
}

BOOL CSPToolBar::RestoreOriginalState() {
    if (m_uiOriginalResID == 0) return FALSE;
    const BOOL bResult = LoadToolBar(m_uiOriginalResID, 0, 0, m_bLocked);
    AdjustLayout();
    if (GetSafeHwnd() != NULL) Invalidate();
    return bResult;
}
