// SPDockState.cpp - the dock manager's docking state: which panes share which
// sliders, the tabbed bars, the floating frames and the pinned-away panes,
// saved as one value and applied at the next start.
//
// Reading never touches a live bar: everything read goes into the working
// lists first, and only a complete read lets SetDockState apply it. A read
// that fails destroys every window it made.
#include "SPDockManager.h"
#include "SPAutoHideToolBar.h"
#include "SPBarContainer.h"
#include "SPBarContainerManager.h"
#include "SPBaseTabbedBar.h"
#include "SPControlBar.h"
#include "SPDockBar.h"
#include "SPDockingControlBar.h"
#include "SPMiniFrameWnd.h"
#include "SPMultiMiniFrameWnd.h"
#include "SPRegistry.h"
#include "SPSlider.h"
#include "SPToolBar.h"

namespace {
const LPCTSTR lpszValueName = _T("DockingCBAndSliders");
// No frame holds more bars than this; a larger count is a damaged value.
const int nMaxCount = 4096;

void ThrowDamaged() { AfxThrowArchiveException(CArchiveException::generic); }

int ReadCount(CArchive& ar) {
    int n = 0;
    ar >> n;
    if (n < 0 || n > nMaxCount) ThrowDamaged();
    return n;
}
}  // namespace

// --- the auto-hide record ------------------------------------------------------------------------

void DockedBarStateRecord::Serialize(CArchive& ar) {
    if (ar.IsStoring()) {
        ar << m_nBarID << m_dwBarAlignment << (int)m_bIsVisible;
        ar << (int)m_lstSiblingBars.GetCount();
        for (POSITION pos = m_lstSiblingBars.GetHeadPosition(); pos != NULL;) ar << (int)m_lstSiblingBars.GetNext(pos);
        ar << (int)m_rectBar.left << (int)m_rectBar.top << (int)m_rectBar.right << (int)m_rectBar.bottom;
        ar << (int)m_bFirstInGroup << (int)m_bLastInGroup << (int)m_bActiveInGroup;
        return;
    }
    int nVisible = 0;
    ar >> m_nBarID >> m_dwBarAlignment >> nVisible;
    m_bIsVisible = nVisible != 0;
    const int nSiblings = ReadCount(ar);
    m_lstSiblingBars.RemoveAll();
    for (int i = 0; i < nSiblings; i++) {
        int nID = 0;
        ar >> nID;
        if (nID != -1) m_lstSiblingBars.AddTail((UINT)nID);
    }
    int v[7];
    for (int& n : v) ar >> n;
    m_rectBar.SetRect(v[0], v[1], v[2], v[3]);
    m_bFirstInGroup = v[4] != 0;
    m_bLastInGroup = v[5] != 0;
    m_bActiveInGroup = v[6] != 0;
    m_pBar = NULL;
}

void DockedBarStateRecord::CopyFrom(const DockedBarStateRecord& src) {
    m_nBarID = src.m_nBarID;
    m_dwBarAlignment = src.m_dwBarAlignment;
    m_bIsVisible = src.m_bIsVisible;
    m_lstSiblingBars.RemoveAll();
    m_lstSiblingBars.AddTail((CList<UINT, UINT>*)&src.m_lstSiblingBars);
    m_rectBar = src.m_rectBar;
    m_bFirstInGroup = src.m_bFirstInGroup;
    m_bLastInGroup = src.m_bLastInGroup;
    m_bActiveInGroup = src.m_bActiveInGroup;
    m_pBar = NULL;
}

void CSPDockManager::ClearDockedBarStateRecords() {
    while (!m_lstDockedBarStateRecords.IsEmpty()) delete (DockedBarStateRecord*)m_lstDockedBarStateRecords.RemoveHead();
}

// --- saving --------------------------------------------------------------------------------------

CString CSPDockManager::GetStateKey(LPCTSTR lpszProfileName, UINT uiID) const {
    CString strKey;
    strKey.Format("%sSPDockManager-%d", (LPCTSTR)SPGetRegPath(m_lpszSection, lpszProfileName), (int)uiID);
    return strKey;
}

// Every docking pane and plain control bar (not the toolbars, which keep
// their own state), every pane pinned away and every floating frame saves or
// loads its own values before the layout value is written or read.
void CSPDockManager::SaveOrLoadBarStates(LPCTSTR lpszProfileName, BOOL bSave) {
    for (POSITION pos = m_lstControlBars.GetHeadPosition(); pos != NULL;) {
        CSPBaseControlBar* pBar = (CSPBaseControlBar*)m_lstControlBars.GetNext(pos);
        if (pBar->GetSafeHwnd() == NULL) continue;
        if (pBar->IsKindOf(RUNTIME_CLASS(CSPDockingControlBar)) ||
            (pBar->IsKindOf(RUNTIME_CLASS(CSPControlBar)) && !pBar->IsKindOf(RUNTIME_CLASS(CSPToolBar)))) {
            if (bSave) pBar->SaveState(lpszProfileName, -1, (UINT)-1);
            else pBar->LoadState(lpszProfileName, -1, (UINT)-1);
        }
    }
    for (POSITION pos = m_lstAutoHideBars.GetHeadPosition(); pos != NULL;) {
        CSPSlider* pSlider = DYNAMIC_DOWNCAST(CSPSlider, m_lstAutoHideBars.GetNext(pos));
        CSPControlBar* pPane = pSlider != NULL && pSlider->GetContainerManager() != NULL
                                   ? pSlider->GetContainerManager()->GetFirstBar()
                                   : NULL;
        if (pPane == NULL || pPane->GetSafeHwnd() == NULL) continue;
        if (bSave) pPane->SaveState(lpszProfileName, -1, (UINT)-1);
        else pPane->LoadState(lpszProfileName, -1, (UINT)-1);
    }
    for (POSITION pos = m_lstMiniFrames.GetHeadPosition(); pos != NULL;) {
        CSPMiniFrameWnd* pMiniFrame = DYNAMIC_DOWNCAST(CSPMiniFrameWnd, m_lstMiniFrames.GetNext(pos));
        if (pMiniFrame == NULL || pMiniFrame->GetSafeHwnd() == NULL) continue;
        if (bSave) pMiniFrame->SaveState(lpszProfileName, (UINT)-1);
        else pMiniFrame->LoadState(lpszProfileName, (UINT)-1);
    }
}

BOOL CSPDockManager::SaveState(LPCTSTR lpszProfileName, UINT uiID) {
    const CString strKey = GetStateKey(lpszProfileName, uiID);
    SaveOrLoadBarStates(lpszProfileName, TRUE);
    // A tabbed bar left without tabs is not part of the layout.
    for (POSITION pos = m_lstControlBars.GetHeadPosition(); pos != NULL;) {
        CSPBaseTabbedBar* pTabbed = DYNAMIC_DOWNCAST(CSPBaseTabbedBar, m_lstControlBars.GetNext(pos));
        if (pTabbed != NULL && pTabbed->GetTabsNum() == 0 && pTabbed->CanFloat()) pTabbed->UnDockControlBar(TRUE);
    }
    for (POSITION pos = m_lstMiniFrames.GetHeadPosition(); pos != NULL;) {
        CSPMiniFrameWnd* pMiniFrame = DYNAMIC_DOWNCAST(CSPMiniFrameWnd, m_lstMiniFrames.GetNext(pos));
        if (pMiniFrame->GetSafeHwnd() != NULL) pMiniFrame->CheckEmbeddedBar();
    }

    BOOL bResult = FALSE;
    try {
        CMemFile file(1024);
        {
            CArchive ar(&file, CArchive::store, 4096);
            Serialize(ar);
            ar.Flush();
        }
        const UINT nBytes = (UINT)file.GetLength();
        BYTE* pData = file.Detach();
        CSPRegistryPtr reg;
        CSPRegistry* pReg = reg.Create(FALSE, FALSE);
        bResult = pReg != NULL && pReg->CreateKey(strKey) && pReg->Write(lpszValueName, pData, nBytes);
        free(pData);
    } catch (CException* e) {
        e->Delete();
        bResult = FALSE;
    }
    return bResult;
}

void CSPDockManager::Serialize(CArchive& ar) {
    if (!ar.IsStoring()) {
        // Everything read goes to the working lists; nothing live changes.
        m_lstLoadedBars.RemoveAll();
        m_lstLoadedTabbedBars.RemoveAll();
        ClearDockedBarStateRecords();
        m_lstLoadedMiniFrames.RemoveAll();
        m_lstLoadedWindows.RemoveAll();

        // 1: tabbed bars that cannot float, with their tab layouts.
        const int nTabbed = ReadCount(ar);
        for (int i = 0; i < nTabbed; i++) {
            int nID = 0;
            ar >> nID;
            CSPBaseTabbedBar* pTabbed = DYNAMIC_DOWNCAST(CSPBaseTabbedBar, FindBarByID((UINT)nID, TRUE));
            // The tab layout of a bar that is gone cannot be stepped over.
            if (pTabbed == NULL) ThrowDamaged();
            pTabbed->SerializeTabWnd(ar);
            m_lstLoadedTabbedBars.AddTail(pTabbed);
        }

        // 2: the sliders with their regions, and the panes.
        const int nEntries = ReadCount(ar);
        CObList lstPanes;
        CObList lstSliders;
        for (int i = 0; i < nEntries; i++) {
            int nKind = 0;
            ar >> nKind;
            if (nKind == 0) {
                CSPSlider* pSlider = new CSPSlider(TRUE, m_pParentWnd);
                pSlider->Serialize(ar);  // a slider that fails to load is gone
                AddLoadedWindow(pSlider);
                lstSliders.AddTail(pSlider);
                m_lstLoadedBars.AddHead(pSlider);
                continue;
            }
            if (nKind != 1) ThrowDamaged();
            int nID = 0;
            ar >> nID;
            CSPDockingControlBar* pPane = NULL;
            if (nID == -1) {
                int nTabID = 0;
                ar >> nTabID;
                for (POSITION pos = lstSliders.GetHeadPosition(); pos != NULL && pPane == NULL;) {
                    CSPBarContainerManager* pManager = ((CSPSlider*)lstSliders.GetNext(pos))->GetContainerManager();
                    if (pManager != NULL)
                        pPane = DYNAMIC_DOWNCAST(CSPDockingControlBar, pManager->FindBarByListedID((UINT)nTabID));
                }
            } else {
                pPane = DYNAMIC_DOWNCAST(CSPDockingControlBar, FindBarByID((UINT)nID, TRUE));
            }
            // A pane that is gone is passed over.
            if (pPane != NULL && m_lstLoadedBars.Find(pPane) == NULL) m_lstLoadedBars.AddHead(pPane);
        }

        // 3: the floating frames, each of the class it needs.
        const int nMiniFrames = ReadCount(ar);
        for (int i = 0; i < nMiniFrames; i++) {
            CSPMiniFrameWnd::s_pParentWndForSerialize = m_pParentWnd;
            CObject* pObj = NULL;
            try {
                pObj = ar.ReadObject(RUNTIME_CLASS(CSPMiniFrameWnd));
            } catch (CException*) {
                CSPMiniFrameWnd::s_pParentWndForSerialize = NULL;
                throw;
            }
            CSPMiniFrameWnd::s_pParentWndForSerialize = NULL;
            CSPMiniFrameWnd* pMiniFrame = (CSPMiniFrameWnd*)pObj;
            if (pMiniFrame == NULL) ThrowDamaged();
            if (pMiniFrame->GetSafeHwnd() != NULL) AddLoadedWindow(pMiniFrame);
            m_lstLoadedMiniFrames.AddTail(pMiniFrame);
        }

        // 4: the pinned-away panes.
        const int nRecords = ReadCount(ar);
        for (int i = 0; i < nRecords; i++) {
            DockedBarStateRecord record;
            record.Serialize(ar);
            DockedBarStateRecord* pCopy = new DockedBarStateRecord;
            pCopy->CopyFrom(record);
            m_lstDockedBarStateRecords.AddTail(pCopy);
        }
        return;
    }

    // 1
    CObList lstTabbed;
    for (POSITION pos = m_lstControlBars.GetHeadPosition(); pos != NULL;) {
        CSPBaseTabbedBar* pTabbed = DYNAMIC_DOWNCAST(CSPBaseTabbedBar, m_lstControlBars.GetNext(pos));
        if (pTabbed != NULL && pTabbed->GetSafeHwnd() != NULL && !pTabbed->CanFloat()) lstTabbed.AddTail(pTabbed);
    }
    ar << (int)lstTabbed.GetCount();
    for (POSITION pos = lstTabbed.GetHeadPosition(); pos != NULL;) {
        CSPBaseTabbedBar* pTabbed = (CSPBaseTabbedBar*)lstTabbed.GetNext(pos);
        ar << (int)pTabbed->GetDlgCtrlID();
        pTabbed->SerializeTabWnd(ar);
    }

    // 2: written from the tail; the count is that of the entries written.
    CObList lstEntries;
    for (POSITION pos = m_lstControlBars.GetTailPosition(); pos != NULL;) {
        CObject* pObj = m_lstControlBars.GetPrev(pos);
        CSPSlider* pSlider = DYNAMIC_DOWNCAST(CSPSlider, pObj);
        if (pSlider != NULL) {
            if (pSlider->GetSafeHwnd() != NULL && pSlider->CanFloatBars()) lstEntries.AddTail(pSlider);
            continue;
        }
        CSPDockingControlBar* pPane = DYNAMIC_DOWNCAST(CSPDockingControlBar, pObj);
        if (pPane == NULL || pPane->GetSafeHwnd() == NULL || !pPane->CanFloat()) continue;
        CSPBaseTabbedBar* pTabbed = DYNAMIC_DOWNCAST(CSPBaseTabbedBar, pPane);
        if (pTabbed != NULL && pPane->GetDlgCtrlID() == -1 && pTabbed->GetTabBar(0, FALSE) == NULL) continue;
        lstEntries.AddTail(pPane);
    }
    ar << (int)lstEntries.GetCount();
    for (POSITION pos = lstEntries.GetHeadPosition(); pos != NULL;) {
        CObject* pObj = lstEntries.GetNext(pos);
        CSPSlider* pSlider = DYNAMIC_DOWNCAST(CSPSlider, pObj);
        if (pSlider != NULL) {
            ar << 0;
            pSlider->Serialize(ar);
            continue;
        }
        CSPDockingControlBar* pPane = (CSPDockingControlBar*)pObj;
        ar << 1;
        if (pPane->GetDlgCtrlID() == -1) {
            ar << -1;
            ar << (int)((CSPBaseTabbedBar*)pPane)->GetTabBar(0, FALSE)->GetDlgCtrlID();
        } else {
            ar << (int)pPane->GetDlgCtrlID();
        }
    }

    // 3
    CObList lstMiniFrames;
    for (POSITION pos = m_lstMiniFrames.GetHeadPosition(); pos != NULL;) {
        CSPMiniFrameWnd* pMiniFrame = DYNAMIC_DOWNCAST(CSPMiniFrameWnd, m_lstMiniFrames.GetNext(pos));
        if (pMiniFrame->GetSafeHwnd() != NULL) lstMiniFrames.AddTail(pMiniFrame);
    }
    ar << (int)lstMiniFrames.GetCount();
    for (POSITION pos = lstMiniFrames.GetHeadPosition(); pos != NULL;) ar.WriteObject(lstMiniFrames.GetNext(pos));

    // 4
    CPtrList lstRecords;
    for (POSITION pos = m_lstAutoHideBars.GetHeadPosition(); pos != NULL;) {
        CSPSlider* pSlider = DYNAMIC_DOWNCAST(CSPSlider, m_lstAutoHideBars.GetNext(pos));
        CSPDockingControlBar* pPane =
            pSlider != NULL && pSlider->GetContainerManager() != NULL
                ? DYNAMIC_DOWNCAST(CSPDockingControlBar, pSlider->GetContainerManager()->GetFirstBar())
                : NULL;
        if (pPane == NULL || pPane->GetSafeHwnd() == NULL) continue;
        lstRecords.AddTail(pPane);
    }
    ar << (int)lstRecords.GetCount();
    for (POSITION pos = lstRecords.GetHeadPosition(); pos != NULL;) {
        CSPDockingControlBar* pPane = (CSPDockingControlBar*)lstRecords.GetNext(pos);
        DockedBarStateRecord record;
        record.m_nBarID = pPane->GetDlgCtrlID();
        record.m_dwBarAlignment = pPane->GetCurrentAlignment();
        record.m_bIsVisible = pPane->IsHideInAutoHideMode() ? pPane->IsVisible() : TRUE;
        pPane->GetWindowRect(record.m_rectBar);
        if (record.m_rectBar.IsRectEmpty()) record.m_rectBar = pPane->GetExpandedRect();
        CSPAutoHideToolBar* pToolBar = pPane->GetAutoHideToolBar();
        if (pToolBar != NULL) {
            record.m_bFirstInGroup = pToolBar->IsFirstInGroup();
            record.m_bLastInGroup = pToolBar->IsLastInGroup();
            record.m_bActiveInGroup = pToolBar->IsActiveInGroup();
        }
        record.m_pBar = pPane;
        record.Serialize(ar);
    }
}

// --- loading -------------------------------------------------------------------------------------

void CSPDockManager::AddLoadedWindow(CWnd* pWnd) {
    if (pWnd->GetSafeHwnd() != NULL && m_lstLoadedWindows.Find(pWnd->m_hWnd) == NULL)
        m_lstLoadedWindows.AddTail(pWnd->m_hWnd);
}

void CSPDockManager::DiscardLoadedState() {
    // The windows made while reading go (each deletes its own object);
    // the bars that were only looked up stay where they are.
    for (POSITION pos = m_lstLoadedWindows.GetTailPosition(); pos != NULL;) {
        HWND hWnd = m_lstLoadedWindows.GetPrev(pos);
        if (!::IsWindow(hWnd)) continue;
        CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
        if (pWnd != NULL)
            pWnd->DestroyWindow();
        else
            ::DestroyWindow(hWnd);
    }
    m_lstLoadedWindows.RemoveAll();
    m_lstLoadedBars.RemoveAll();
    // A tab layout read before the failure must not be applied later.
    for (POSITION pos = m_lstLoadedTabbedBars.GetHeadPosition(); pos != NULL;) {
        CSPBaseTabbedBar* pTabbed = (CSPBaseTabbedBar*)m_lstLoadedTabbedBars.GetNext(pos);
        if (::IsWindow(pTabbed->GetSafeHwnd()) && pTabbed->GetTabWnd() != NULL)
            pTabbed->GetTabWnd()->ClearRestoredTabInfo();
    }
    m_lstLoadedTabbedBars.RemoveAll();
    m_lstLoadedMiniFrames.RemoveAll();
    ClearDockedBarStateRecords();
    m_bLoadFailed = TRUE;
}

BOOL CSPDockManager::LoadState(LPCTSTR lpszProfileName, UINT uiID) {
    const CString strKey = GetStateKey(lpszProfileName, uiID);
    SaveOrLoadBarStates(lpszProfileName, FALSE);

    BYTE* pData = NULL;
    UINT nBytes = 0;
    {
        CSPRegistryPtr reg;
        CSPRegistry* pReg = reg.Create(FALSE, TRUE);
        if (pReg == NULL || !pReg->Open(strKey) || !pReg->Read(lpszValueName, &pData, &nBytes)) {
            delete[] pData;
            return FALSE;
        }
    }
    BOOL bResult = FALSE;
    try {
        CMemFile file(pData, nBytes);
        CArchive ar(&file, CArchive::load, 4096);
        Serialize(ar);
        ar.Close();
        m_bLoadFailed = FALSE;
        bResult = TRUE;
    } catch (CException* e) {
        e->Delete();
        DiscardLoadedState();
    }
    delete[] pData;
    return bResult;
}

// --- applying ------------------------------------------------------------------------------------

void CSPDockManager::TakePaneOut(CSPDockingControlBar* pPane, CSPSlider* pNewSlider) {
    if (pPane->IsAutoHideMode()) pPane->SetAutoHideMode(FALSE, CBRS_ALIGN_ANY, NULL, TRUE);
    CSPBaseTabbedBar* pHolder = pPane->GetParentTabbedBar();
    if (pHolder != NULL) {
        pHolder->GetTabWnd()->RemoveTab(pHolder->GetTabWnd()->GetTabFromHwnd(pPane->GetSafeHwnd()), TRUE);
        pPane->ShowCaption(TRUE);
    }
    CSPMiniFrameWnd* pMiniFrame = pPane->GetParentMiniFrame(TRUE);
    if (pMiniFrame != NULL) {
        CSPMultiMiniFrameWnd* pMulti = DYNAMIC_DOWNCAST(CSPMultiMiniFrameWnd, pMiniFrame);
        if (pMulti != NULL && m_lstLoadedMiniFrames.Find(pMulti) == NULL)
            pMulti->GetContainerManager().RemoveControlBar(pPane);
        pMiniFrame->RemoveControlBar(pPane, FALSE, FALSE);
        pPane->SetControlBarStyle(pPane->GetControlBarStyle() & ~CBRS_FLOATING);
    }
    // Off the region it is in now, unless that is the one it goes to.
    CSPSlider* pOld = pPane->GetDefaultSlider();
    if (pOld != NULL && pOld != pNewSlider) {
        pPane->SetDefaultSlider(NULL);
    }
    if (pPane->GetParent() != m_pParentWnd) pPane->SetParent(m_pParentWnd);
}

void CSPDockManager::SetDockState() {
    if (m_bLoadFailed) return;
    // A bar that cannot float (a status bar) keeps its place in the frame's
    // layout and comes back shown or hidden as it was saved.
    for (POSITION pos = m_lstControlBars.GetHeadPosition(); pos != NULL;) {
        CSPControlBar* pBar = DYNAMIC_DOWNCAST(CSPControlBar, m_lstControlBars.GetNext(pos));
        if (pBar == NULL || pBar->GetSafeHwnd() == NULL || pBar->CanFloat() || !pBar->IsRestoredFromRegistry()) continue;
        if (pBar->IsVisible() != pBar->GetRecentVisibleState())
            pBar->ShowControlBar(pBar->GetRecentVisibleState(), FALSE, FALSE);
    }
    if (m_lstLoadedBars.IsEmpty() && m_lstLoadedMiniFrames.IsEmpty() && m_lstLoadedTabbedBars.IsEmpty() &&
        m_lstDockedBarStateRecords.IsEmpty())
        return;
    m_bRestoringDockState = TRUE;
    EnableLayout(FALSE);

    // Pinned-away groups come back first; the records pin them again.
    {
        CObList lstFirst;
        for (POSITION pos = m_lstAutoHideBars.GetHeadPosition(); pos != NULL;) {
            CSPSlider* pSlider = DYNAMIC_DOWNCAST(CSPSlider, m_lstAutoHideBars.GetNext(pos));
            CSPDockingControlBar* pPane =
                pSlider != NULL && pSlider->GetContainerManager() != NULL
                    ? DYNAMIC_DOWNCAST(CSPDockingControlBar, pSlider->GetContainerManager()->GetFirstBar())
                    : NULL;
            if (pPane != NULL && pPane->GetAutoHideToolBar() != NULL && pPane->GetAutoHideToolBar()->IsFirstInGroup())
                lstFirst.AddTail(pPane);
        }
        for (POSITION pos = lstFirst.GetHeadPosition(); pos != NULL;) {
            CSPDockingControlBar* pPane = (CSPDockingControlBar*)lstFirst.GetNext(pos);
            if (::IsWindow(pPane->GetSafeHwnd()) && pPane->IsAutoHideMode())
                pPane->SetAutoHideMode(FALSE, CBRS_ALIGN_ANY, NULL, TRUE);
        }
    }

    // The sliders' regions: each pane found in a region read leaves its
    // place and joins the region; a pane named twice stays with the first.
    CObList lstSliders;
    for (POSITION pos = m_lstLoadedBars.GetHeadPosition(); pos != NULL;) {
        CSPSlider* pSlider = DYNAMIC_DOWNCAST(CSPSlider, m_lstLoadedBars.GetNext(pos));
        if (pSlider != NULL && ::IsWindow(pSlider->GetSafeHwnd())) lstSliders.AddTail(pSlider);
    }
    CObList lstClaimed;
    for (POSITION pos = lstSliders.GetHeadPosition(); pos != NULL;) {
        CSPSlider* pSlider = (CSPSlider*)lstSliders.GetNext(pos);
        CSPBarContainerManager* pManager = pSlider->GetContainerManager();
        if (pManager == NULL) continue;
        CObList lstBars;
        lstBars.AddTail((CObList*)&pManager->GetBars());
        for (POSITION posBar = lstBars.GetHeadPosition(); posBar != NULL;) {
            CSPDockingControlBar* pPane = DYNAMIC_DOWNCAST(CSPDockingControlBar, lstBars.GetNext(posBar));
            if (pPane == NULL || !::IsWindow(pPane->GetSafeHwnd())) continue;
            if (lstClaimed.Find(pPane) != NULL) {
                pManager->RemoveControlBar(pPane);
                continue;
            }
            lstClaimed.AddTail(pPane);
            if (!pPane->IsKindOf(RUNTIME_CLASS(CSPBaseTabbedBar)) || pPane->GetDlgCtrlID() != -1) {
                RemoveControlBar(pPane);
                TakePaneOut(pPane, pSlider);
            } else {
                pPane->SetParent(m_pParentWnd);
            }
            pPane->SetRestoredSlider(pSlider->GetSafeHwnd());
            pPane->SetDefaultSlider(pSlider->GetSafeHwnd());
            pPane->SetCurrentAlignment(pSlider->GetCurrentAlignment());
            const CRect& rect = pPane->GetLoadedDockedRect();
            if (!rect.IsRectEmpty())
                pPane->CWnd::SetWindowPos(NULL, rect.left, rect.top, rect.Width(), rect.Height(),
                                          SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
            pPane->ShowCaption(TRUE);
            pPane->ShowWindow(pPane->GetRecentVisibleState() || !pPane->IsRestoredFromRegistry() ? SW_SHOWNORMAL
                                                                                                  : SW_HIDE);
        }
    }
    // A tabbed bar read with a region gets its tabs back.
    for (POSITION pos = lstSliders.GetHeadPosition(); pos != NULL;) {
        CSPSlider* pSlider = (CSPSlider*)lstSliders.GetNext(pos);
        CSPBarContainerManager* pManager = pSlider->GetContainerManager();
        if (pManager == NULL) continue;
        CObList lstBars;
        lstBars.AddTail((CObList*)&pManager->GetBars());
        for (POSITION posBar = lstBars.GetHeadPosition(); posBar != NULL;) {
            CSPBaseTabbedBar* pTabbed = DYNAMIC_DOWNCAST(CSPBaseTabbedBar, lstBars.GetNext(posBar));
            if (pTabbed == NULL || pTabbed->GetDlgCtrlID() != -1) continue;
            BOOL bLeft = FALSE;
            CSPBarContainer* pNode = pManager->FindContainer(pTabbed, bLeft);
            CList<UINT, UINT>* pIDs = pNode != NULL ? pNode->GetBarIDList(pTabbed) : NULL;
            for (POSITION posID = pIDs != NULL ? pIDs->GetHeadPosition() : NULL; posID != NULL;) {
                CSPDockingControlBar* pPane = DYNAMIC_DOWNCAST(CSPDockingControlBar, FindBarByID(pIDs->GetNext(posID), TRUE));
                if (pPane == NULL || pPane == pTabbed || pPane->IsKindOf(RUNTIME_CLASS(CSPBaseTabbedBar)) ||
                    lstClaimed.Find(pPane) != NULL)
                    continue;
                lstClaimed.AddTail(pPane);
                RemoveControlBar(pPane);
                TakePaneOut(pPane, NULL);
                pTabbed->AddTab(pPane, TRUE, FALSE, TRUE);
            }
            if (pTabbed->GetTabsNum() > 0) {
                pTabbed->GetTabWnd()->ApplyRestoredTabInfo(TRUE);
                pTabbed->UpdateCaptionFromActiveTab();
                pTabbed->RecalcLayout();
                pTabbed->ShowWindow(SW_SHOWNORMAL);
            }
        }
    }

    // The floating frames take their panes.
    {
        CObList lstFrames;
        lstFrames.AddTail(&m_lstLoadedMiniFrames);
        for (POSITION pos = lstFrames.GetHeadPosition(); pos != NULL;) {
            CSPMiniFrameWnd* pMiniFrame = (CSPMiniFrameWnd*)lstFrames.GetNext(pos);
            if (!::IsWindow(pMiniFrame->GetSafeHwnd())) continue;
            CSPMultiMiniFrameWnd* pMulti = DYNAMIC_DOWNCAST(CSPMultiMiniFrameWnd, pMiniFrame);
            if (pMulti != NULL) {
                CObList lstBars;
                lstBars.AddTail((CObList*)&pMulti->GetContainerManager().GetBars());
                for (POSITION posBar = lstBars.GetHeadPosition(); posBar != NULL;) {
                    CSPDockingControlBar* pPane = DYNAMIC_DOWNCAST(CSPDockingControlBar, lstBars.GetNext(posBar));
                    if (pPane == NULL) continue;
                    if (lstClaimed.Find(pPane) != NULL) {
                        pMulti->GetContainerManager().RemoveControlBar(pPane);
                        continue;
                    }
                    lstClaimed.AddTail(pPane);
                    RemoveControlBar(pPane);
                    TakePaneOut(pPane, NULL);
                }
            }
            pMiniFrame->SetWindowPos(NULL, 0, 0, 0, 0,
                                     SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
            pMiniFrame->SetDockState(this);
        }
    }

    // The sliders join the bar list with their panes, in saved order.
    for (POSITION pos = m_lstLoadedBars.GetHeadPosition(); pos != NULL;) {
        CSPBaseControlBar* pBar = (CSPBaseControlBar*)m_lstLoadedBars.GetNext(pos);
        if (!::IsWindow(pBar->GetSafeHwnd())) continue;
        CSPSlider* pSlider = DYNAMIC_DOWNCAST(CSPSlider, pBar);
        if (pSlider != NULL) {
            AddControlBar(pSlider, TRUE, FALSE, FALSE);
            CSPBarContainerManager* pManager = pSlider->GetContainerManager();
            for (POSITION posBar = pManager != NULL ? pManager->GetBars().GetHeadPosition() : NULL; posBar != NULL;) {
                CSPBaseControlBar* pPane = (CSPBaseControlBar*)pManager->GetBars().GetNext(posBar);
                if (!IsBarKnown(pPane)) AddControlBar(pPane, TRUE, FALSE, FALSE);
            }
            pSlider->CheckVisibility();
        }
    }
    // The bars that are no docking panes (toolbars, the menu bar) take the
    // places their own state brought: the bars docked in each dock bar, in
    // their order, and the other bars that can float. A bar that cannot
    // float goes to its loaded rectangle. A bar loaded as floating floats
    // there first; the others leave their dock bar only to dock where they
    // were (floating them first would take the loaded place for the one
    // they leave).
    {
        CObList lstToPlace;
        for (POSITION pos = m_lstControlBars.GetHeadPosition(); pos != NULL;) {
            CObject* pObj = m_lstControlBars.GetNext(pos);
            if (CSPDockBar* pDockBar = DYNAMIC_DOWNCAST(CSPDockBar, pObj)) {
                lstToPlace.AddTail((CObList*)&pDockBar->GetControlBarList());
                continue;
            }
            CSPControlBar* pBar = DYNAMIC_DOWNCAST(CSPControlBar, pObj);
            if (pBar == NULL || !::IsWindow(pBar->GetSafeHwnd())) continue;
            if (pBar->CanFloat()) {
                lstToPlace.AddTail(pBar);
            } else if (pBar->IsRestoredFromRegistry() && !pBar->IsKindOf(RUNTIME_CLASS(CSPDockingControlBar))) {
                const CRect& rect = pBar->GetLoadedDockedRect();
                pBar->CWnd::SetWindowPos(NULL, rect.left, rect.top, rect.Width(), rect.Height(),
                                         SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
                pBar->ShowControlBar(pBar->GetRecentVisibleState(), TRUE, FALSE);
            }
        }
        for (POSITION pos = lstToPlace.GetHeadPosition(); pos != NULL;) {
            CSPControlBar* pBar = DYNAMIC_DOWNCAST(CSPControlBar, lstToPlace.GetNext(pos));
            if (pBar == NULL || !::IsWindow(pBar->GetSafeHwnd()) || !pBar->IsRestoredFromRegistry() ||
                pBar->IsKindOf(RUNTIME_CLASS(CSPDockingControlBar)))
                continue;
            if (pBar->GetLoadedFloatingFlag())
                pBar->FloatControlBar(pBar->m_recentDockInfo.m_rectRecentFloatingRect, SP_DM_SHOW, false);
            pBar->ApplyLoadedDockState(this);
            pBar->UpdateVirtualRect();
        }
    }

    EnableLayout(TRUE);
    AdjustDockingLayout(NULL);

    // The pinned-away panes, each pinned again from its record.
    for (POSITION pos = m_lstDockedBarStateRecords.GetHeadPosition(); pos != NULL;) {
        DockedBarStateRecord* pRecord = (DockedBarStateRecord*)m_lstDockedBarStateRecords.GetNext(pos);
        CSPDockingControlBar* pPane = DYNAMIC_DOWNCAST(CSPDockingControlBar, FindBarByID((UINT)pRecord->m_nBarID, TRUE));
        const DWORD dwAlignment = pRecord->m_dwBarAlignment & CBRS_ALIGN_ANY;
        if (pPane == NULL || lstClaimed.Find(pPane) != NULL ||
            (dwAlignment != CBRS_ALIGN_LEFT && dwAlignment != CBRS_ALIGN_RIGHT && dwAlignment != CBRS_ALIGN_TOP &&
             dwAlignment != CBRS_ALIGN_BOTTOM))
            continue;
        lstClaimed.AddTail(pPane);
        if (pPane->IsAutoHideMode()) pPane->SetAutoHideMode(FALSE, CBRS_ALIGN_ANY, NULL, TRUE);
        CSPBaseTabbedBar* pHolder = pPane->GetParentTabbedBar();
        if (pHolder != NULL) {
            pHolder->GetTabWnd()->RemoveTab(pHolder->GetTabWnd()->GetTabFromHwnd(pPane->GetSafeHwnd()), TRUE);
            pPane->SetParent(m_pParentWnd);
            pPane->ShowCaption(TRUE);
        }
        CSPMiniFrameWnd* pMiniFrame = pPane->GetParentMiniFrame(TRUE);
        if (pMiniFrame != NULL) {
            CSPMultiMiniFrameWnd* pMulti = DYNAMIC_DOWNCAST(CSPMultiMiniFrameWnd, pMiniFrame);
            if (pMulti != NULL) pMulti->GetContainerManager().RemoveControlBar(pPane);
            pMiniFrame->RemoveControlBar(pPane, FALSE, FALSE);
            pPane->SetParent(m_pParentWnd);
            pPane->SetControlBarStyle(pPane->GetControlBarStyle() & ~CBRS_FLOATING);
        }
        pPane->DockToFrameSide(dwAlignment, FALSE);
        CRect rect = pRecord->m_rectBar;
        rect.NormalizeRect();
        if (!rect.IsRectEmpty()) {
            m_pParentWnd->ScreenToClient(rect);
            pPane->CWnd::SetWindowPos(NULL, rect.left, rect.top, rect.Width(), rect.Height(),
                                      SWP_NOZORDER | SWP_NOACTIVATE);
        }
        CSPAutoHideToolBar* pToolBar = pPane->SetAutoHideMode(TRUE, dwAlignment, NULL, FALSE);
        if (pToolBar != NULL) {
            pToolBar->SetGroupFlags(pRecord->m_bFirstInGroup, pRecord->m_bLastInGroup, pRecord->m_bActiveInGroup);
            pRecord->m_pBar = pPane;
        }
    }
    for (POSITION pos = m_lstDockedBarStateRecords.GetHeadPosition(); pos != NULL;) {
        DockedBarStateRecord* pRecord = (DockedBarStateRecord*)m_lstDockedBarStateRecords.GetNext(pos);
        if (pRecord->m_pBar != NULL && pRecord->m_pBar->IsHideInAutoHideMode())
            pRecord->m_pBar->ShowControlBar(pRecord->m_bIsVisible, FALSE, FALSE);
    }
    for (POSITION pos = m_lstLoadedTabbedBars.GetHeadPosition(); pos != NULL;) {
        CSPBaseTabbedBar* pTabbed = (CSPBaseTabbedBar*)m_lstLoadedTabbedBars.GetNext(pos);
        if (::IsWindow(pTabbed->GetSafeHwnd()) && pTabbed->GetTabWnd() != NULL)
            pTabbed->GetTabWnd()->ApplyRestoredTabInfo(TRUE);
    }

    // What the restore left empty goes.
    {
        CObList lstBars;
        lstBars.AddTail(&m_lstControlBars);
        for (POSITION pos = lstBars.GetTailPosition(); pos != NULL;) {
            CObject* pObj = lstBars.GetPrev(pos);
            CSPSlider* pSlider = DYNAMIC_DOWNCAST(CSPSlider, pObj);
            if (pSlider != NULL && ::IsWindow(pSlider->GetSafeHwnd())) {
                pSlider->RemoveIfEmpty();
                continue;
            }
            CSPBaseTabbedBar* pTabbed = DYNAMIC_DOWNCAST(CSPBaseTabbedBar, pObj);
            if (pTabbed != NULL && ::IsWindow(pTabbed->GetSafeHwnd()) && pTabbed->GetTabsNum() == 0 &&
                pTabbed->CanFloat()) {
                pTabbed->UnDockControlBar(TRUE);
                pTabbed->DestroyWindow();
            }
        }
    }
    AdjustBarsLayout();
    m_lstLoadedBars.RemoveAll();
    m_lstLoadedMiniFrames.RemoveAll();
    m_lstLoadedTabbedBars.RemoveAll();
    m_lstLoadedWindows.RemoveAll();
    m_bRestoringDockState = FALSE;
}
