// SPBaseTabbedBar.cpp - the tabbed docking pane's tabs, records and way
// through docking, floating and auto-hide.
#include "SPBaseTabbedBar.h"
#include <algorithm>
using std::max;
using std::min;
#include "SPAutoHideToolBar.h"
#include "SPDockBar.h"
#include "SPDockManager.h"
#include "SPDockingCBWrapper.h"
#include "SPDockingUtils.h"
#include "SPMiniFrameWnd.h"
#include "SPMultiMiniFrameWnd.h"
#include "SPSlider.h"

IMPLEMENT_DYNAMIC(CSPBaseTabbedBar, CSPDockingControlBar)

BEGIN_MESSAGE_MAP(CSPBaseTabbedBar, CSPDockingControlBar)
ON_WM_SIZE()
ON_WM_NCDESTROY()
ON_WM_ERASEBKGND()
ON_WM_SETFOCUS()
ON_REGISTERED_MESSAGE(SP_WM_CHANGE_ACTIVE_TAB, OnChangeActiveTab)
END_MESSAGE_MAP()

CSPBaseTabbedBar::CSPBaseTabbedBar(BOOL bAutoDestroy)
    : m_bAutoDestroy(bAutoDestroy), m_pTabWnd(NULL), m_bSetCaptionTextToTabName(TRUE) {
    m_dwEnabledAlignment = CBRS_ALIGN_ANY;
    m_bRecentVisibleState = FALSE;
    // The wrapper's own registration may not be linked into a program that
    // never names it; a tabbed bar's tab window still wraps with it.
    if (CSPBaseTabWnd::m_pDefaultWrapperRTC == NULL)
        CSPBaseTabWnd::m_pDefaultWrapperRTC = RUNTIME_CLASS(CSPDockingCBWrapper);
}

CSPBaseTabbedBar::~CSPBaseTabbedBar() { delete m_pTabWnd; }

// --- tabs ---------------------------------------------------------------------------------------

void CSPBaseTabbedBar::UpdateCaptionFromActiveTab() {
    if (m_pTabWnd == NULL || !m_bSetCaptionTextToTabName) return;
    CString strLabel;
    if (m_pTabWnd->GetTabLabel(m_pTabWnd->GetActiveTab(), strLabel)) {
        CString strOld;
        GetWindowText(strOld);
        if (strOld != strLabel) SetWindowText(strLabel);
    }
}

BOOL CSPBaseTabbedBar::ActivateTab(int iTab) {
    if (m_pTabWnd == NULL || !m_pTabWnd->SetActiveTab(iTab)) return FALSE;
    UpdateCaptionFromActiveTab();
    OnActiveTabChanged(iTab);
    return TRUE;
}

BOOL CSPBaseTabbedBar::AddTab(CWnd* pNewBar, BOOL bVisible, BOOL bSetActive, BOOL bDetachable) {
    if (pNewBar == NULL || pNewBar->GetSafeHwnd() == NULL || m_pTabWnd == NULL || pNewBar == this) return FALSE;
    CSPBaseTabbedBar* pOther = DYNAMIC_DOWNCAST(CSPBaseTabbedBar, pNewBar);
    if (pOther != NULL) {
        // A dropped tabbed bar hands over its tabs in their order and goes.
        CSPBaseTabWnd* pOtherTabs = pOther->GetTabWnd();
        const BOOL bInMiniFrame = GetParentMiniFrame(TRUE) != NULL;
        struct Moved {
            CWnd* pWnd;
            BOOL bVisible, bDetachable;
        };
        CArray<Moved, const Moved&> arMoved;
        for (int i = 0; pOtherTabs != NULL && i < pOtherTabs->GetTabsNum(); i++) {
            Moved m = {pOtherTabs->GetTabWnd(i), pOtherTabs->IsTabVisible(i), pOtherTabs->IsTabDetachable(i)};
            if (m.pWnd->GetSafeHwnd() != NULL) arMoved.Add(m);
        }
        for (int i = 0; i < arMoved.GetSize(); i++) {
            CSPBaseControlBar* pBar = DYNAMIC_DOWNCAST(CSPBaseControlBar, arMoved[i].pWnd);
            if (pBar != NULL) pBar->ShowCaption(FALSE);
            AddTab(arMoved[i].pWnd, arMoved[i].bVisible, arMoved[i].bVisible, arMoved[i].bDetachable);
            CSPControlBar* pControlBar = DYNAMIC_DOWNCAST(CSPControlBar, arMoved[i].pWnd);
            if (pControlBar != NULL) pControlBar->m_recentDockInfo.CopyFrom(bInMiniFrame, pOther->m_recentDockInfo);
        }
        if (pOtherTabs != NULL) pOtherTabs->RemoveAllTabs();
        pOther->DestroyWindow();
        return FALSE;
    }

    CSPControlBar* pControlBar = DYNAMIC_DOWNCAST(CSPControlBar, pNewBar);
    if (pControlBar != NULL) {
        CWnd* pOldParent = pControlBar->GetParent();
        pControlBar->OnBeforeChangeParent(m_pTabWnd, TRUE);
        pControlBar->SetParent(m_pTabWnd);
        pControlBar->OnAfterChangeParent(pOldParent);
        pControlBar->ShowCaption(FALSE);
    } else if (pNewBar->GetParent() != m_pTabWnd) {
        pNewBar->SetParent(m_pTabWnd);
    }
    CString strLabel;
    pNewBar->GetWindowText(strLabel);
    const int nBefore = m_pTabWnd->GetTabsNum();
    m_pTabWnd->AddTab(pNewBar, strLabel, (UINT)-1, bDetachable);
    const int iTab = m_pTabWnd->GetTabsNum() - 1;
    if (iTab < nBefore) return FALSE;  // the tab window refused the window
    HICON hIcon = (HICON)pNewBar->SendMessage(WM_GETICON, ICON_SMALL, 0);
    m_pTabWnd->SetTabHicon(iTab, hIcon);
    m_pTabWnd->SetTabDetachable(iTab, bDetachable);
    if (!bVisible) {
        m_pTabWnd->ShowTab(iTab, FALSE, TRUE, FALSE);
        pNewBar->ShowWindow(SW_HIDE);
    } else if (bSetActive) {
        ActivateTab(iTab);
    }
    if (GetSafeHwnd() != NULL) UpdateCaptionFromActiveTab();
    return TRUE;
}

BOOL CSPBaseTabbedBar::DetachControlBar(CWnd* pBar, int nMethod, BOOL bHide, int /*nDockMethod*/) {
    if (pBar == NULL || m_pTabWnd == NULL) return FALSE;
    const int iTab = m_pTabWnd->GetTabFromHwnd(pBar->GetSafeHwnd());
    if (iTab < 0) return FALSE;
    CString strText;
    pBar->GetWindowText(strText);
    if (strText.IsEmpty() && m_pTabWnd->GetTabLabel(iTab, strText)) pBar->SetWindowText(strText);
    m_pTabWnd->RemoveTab(iTab, TRUE);
    if (nMethod == SP_DM_MOUSE) m_pTabWnd->SendMessage(WM_LBUTTONUP, 0, 0);

    CSPDockingControlBar* pPane = DYNAMIC_DOWNCAST(CSPDockingControlBar, pBar);
    if (pPane != NULL) pPane->StoreRecentTabRelatedInfo();
    if (nMethod == SP_DM_SHOW && pPane != NULL) {
        CSPMultiMiniFrameWnd* pMulti = DYNAMIC_DOWNCAST(CSPMultiMiniFrameWnd, GetParentMiniFrame(TRUE));
        if (pMulti != NULL) {
            pMulti->RedockControlBar(pPane);
            return TRUE;
        }
        CSPMultiMiniFrameWnd* pRecent = DYNAMIC_DOWNCAST(
            CSPMultiMiniFrameWnd, CWnd::FromHandlePermanent(pPane->m_recentDockInfo.m_hRecentMiniFrame));
        if (GetDefaultSlider() != NULL && pRecent != NULL && ::IsWindow(pRecent->GetSafeHwnd()) &&
            pRecent->AddRecentControlBar(pPane))
            return TRUE;
    }
    CSPControlBar* pControlBar = DYNAMIC_DOWNCAST(CSPControlBar, pBar);
    if (pControlBar == NULL) return FALSE;
    pControlBar->ShowCaption(TRUE);
    pControlBar->ShowWindow(SW_SHOW);
    pControlBar->FloatControlBar(pControlBar->m_recentDockInfo.m_rectRecentFloatingRect, nMethod, !bHide);
    return TRUE;
}

BOOL CSPBaseTabbedBar::FloatTab(CWnd* pBar, int nDockMethod) {
    if (pBar == NULL || m_pTabWnd == NULL) return FALSE;
    const int iTab = m_pTabWnd->GetTabFromHwnd(pBar->GetSafeHwnd());
    if (iTab < 0) return FALSE;
    return DetachTabWnd(m_pTabWnd, iTab, nDockMethod);
}

BOOL CSPBaseTabbedBar::DetachTabWnd(CSPBaseTabWnd* pTabWnd, int iTab, int nMode) {
    if (pTabWnd != m_pTabWnd || m_pTabWnd == NULL) return FALSE;
    CWnd* pWnd = m_pTabWnd->GetTabWnd(iTab);
    CSPControlBar* pBar = DYNAMIC_DOWNCAST(CSPControlBar, pWnd);
    // Only a pane that may float and knows where it floated leaves its tab.
    if (pBar == NULL || !pBar->CanFloat() || !m_pTabWnd->IsTabDetachable(iTab)) return FALSE;
    if (!DetachControlBar(pBar, nMode, FALSE, SP_DM_SHOW)) return FALSE;
    if (GetSafeHwnd() != NULL && m_pTabWnd != NULL) {
        m_pTabWnd->RecalcLayout();
        UpdateCaptionFromActiveTab();
    }
    return TRUE;
}

BOOL CSPBaseTabbedBar::RemoveTab(CWnd* pBar) {
    if (pBar == NULL || m_pTabWnd == NULL) return FALSE;
    const int iTab = m_pTabWnd->GetTabFromHwnd(pBar->GetSafeHwnd());
    if (iTab < 0 || iTab >= m_pTabWnd->GetTabsNum()) return FALSE;
    m_pTabWnd->RemoveTab(iTab, TRUE);
    if (m_pTabWnd->GetTabsNum() > 0) {
        UpdateCaptionFromActiveTab();
        return TRUE;
    }
    if (!CanDetachTabs()) {
        ShowWindow(SW_HIDE);
        return TRUE;
    }
    CSPMiniFrameWnd* pMiniFrame = GetParentMiniFrame(TRUE);
    if (pMiniFrame != NULL)
        pMiniFrame->RemoveControlBar(this);
    else
        UnDockControlBar(FALSE);
    DestroyWindow();
    return FALSE;
}

void CSPBaseTabbedBar::ShowTab(CWnd* pBar, BOOL bShow, BOOL bDelay, BOOL bActivate) {
    if (pBar == NULL || m_pTabWnd == NULL) return;
    const int iTab = m_pTabWnd->GetTabFromHwnd(pBar->GetSafeHwnd());
    if (iTab < 0) return;
    m_pTabWnd->ShowTab(iTab, bShow, !bDelay, bActivate);
    if (!bShow) pBar->ShowWindow(SW_HIDE);
    UpdateCaptionFromActiveTab();
    ShowControlBar(m_pTabWnd->GetVisibleTabsNum() > 0, bDelay, bActivate);
}

CWnd* CSPBaseTabbedBar::FindBarByID(UINT uBarID) const {
    for (int i = 0; m_pTabWnd != NULL && i < m_pTabWnd->GetTabsNum(); i++) {
        CWnd* pWnd = m_pTabWnd->GetTabWnd(i);
        if (pWnd->GetSafeHwnd() != NULL && (UINT)pWnd->GetDlgCtrlID() == uBarID) return pWnd;
    }
    return NULL;
}

CWnd* CSPBaseTabbedBar::GetTabBar(int nTabNum, BOOL bUnwrap) const {
    if (m_pTabWnd == NULL || nTabNum < 0 || nTabNum >= m_pTabWnd->GetTabsNum()) return NULL;
    return bUnwrap ? m_pTabWnd->GetTabWndNoWrapper(nTabNum) : m_pTabWnd->GetTabWnd(nTabNum);
}

CWnd* CSPBaseTabbedBar::GetFirstVisibleTab(int& iTabNum) const {
    iTabNum = -1;
    return m_pTabWnd != NULL ? m_pTabWnd->GetFirstVisibleTab(iTabNum) : NULL;
}

void CSPBaseTabbedBar::ApplyRestoredTabInfo() {
    if (m_pTabWnd != NULL) m_pTabWnd->ApplyRestoredTabInfo(FALSE);
}

void CSPBaseTabbedBar::AttachRestoredBar(CSPBaseTabWnd* pTabWnd, UINT nBarID) {
    if (pTabWnd != m_pTabWnd) return;
    CSPDockManager* pDockManager = CSPDockingUtils::GetDockManager(GetDockSite());
    if (pDockManager == NULL) return;
    CSPDockingControlBar* pPane = DYNAMIC_DOWNCAST(CSPDockingControlBar, pDockManager->FindBarByID(nBarID, TRUE));
    if (pPane == NULL || pPane == this || pPane->IsKindOf(RUNTIME_CLASS(CSPBaseTabbedBar))) return;
    CSPBaseTabbedBar* pHolder = pPane->GetParentTabbedBar();
    if (pHolder == this) return;
    if (pHolder != NULL) {
        pHolder->GetTabWnd()->RemoveTab(pHolder->GetTabWnd()->GetTabFromHwnd(pPane->GetSafeHwnd()), TRUE);
        pPane->SetParent(GetParent());
        pPane->SetControlBarStyle(pPane->GetControlBarStyle() & ~CBRS_FLOATING);
        pPane->ShowWindow(SW_SHOW);
    }
    if (pPane->IsAutoHideMode()) pPane->SetAutoHideMode(FALSE, CBRS_ALIGN_ANY, NULL, FALSE);
    pPane->UnDockControlBar(TRUE);
    AddTab(pPane, TRUE, FALSE, TRUE);
}

// --- records ------------------------------------------------------------------------------------

void CSPBaseTabbedBar::Serialize(CArchive& ar) {
    CSPDockingControlBar::Serialize(ar);
    if (ar.IsStoring()) {
        ar << (int)m_bAutoDestroy;
    } else {
        int nAutoDestroy = 0;
        ar >> nAutoDestroy;
        m_bAutoDestroy = nAutoDestroy != 0;
    }
}

void CSPBaseTabbedBar::SerializeTabWnd(CArchive& ar) {
    if (m_pTabWnd != NULL) m_pTabWnd->Serialize(ar);
}

void CSPBaseTabbedBar::SaveSiblingBarIDs(CArchive& ar) {
    if (!ar.IsStoring() || m_pTabWnd == NULL || m_pTabWnd->GetTabsNum() < 1) return;
    const int n = m_pTabWnd->GetTabsNum();
    ar << n;
    for (int i = 0; i < n; i++) {
        CWnd* pWnd = m_pTabWnd->GetTabWnd(i);
        ar << (int)(pWnd->GetSafeHwnd() != NULL ? pWnd->GetDlgCtrlID() : 0);
    }
}

void CSPBaseTabbedBar::LoadSiblingBarIDs(CArchive& ar, CList<UINT, UINT>& lstBarIDs) {
    if (ar.IsStoring()) return;
    int nCount = 0;
    ar >> nCount;
    if (nCount > m_nMaxSiblingIDs) AfxThrowArchiveException(CArchiveException::badIndex);
    for (int i = 0; i < nCount; i++) {
        UINT nID = 0;
        ar >> nID;
        lstBarIDs.AddTail(nID);
    }
}

BOOL CSPBaseTabbedBar::SaveState(LPCTSTR lpszProfileName, int nIndex, UINT uiID) {
    if (!CSPDockingControlBar::SaveState(lpszProfileName, nIndex, uiID)) return FALSE;
    for (int i = 0; m_pTabWnd != NULL && i < m_pTabWnd->GetTabsNum(); i++) {
        CSPBaseControlBar* pBar = DYNAMIC_DOWNCAST(CSPBaseControlBar, m_pTabWnd->GetTabWnd(i));
        if (pBar != NULL && !pBar->SaveState(lpszProfileName, nIndex, uiID)) return FALSE;
    }
    return TRUE;
}

BOOL CSPBaseTabbedBar::LoadState(LPCTSTR lpszProfileName, int nIndex, UINT uiID) {
    CSPDockingControlBar::LoadState(lpszProfileName, nIndex, uiID);
    for (int i = 0; m_pTabWnd != NULL && i < m_pTabWnd->GetTabsNum(); i++) {
        CSPBaseControlBar* pBar = DYNAMIC_DOWNCAST(CSPBaseControlBar, m_pTabWnd->GetTabWnd(i));
        if (pBar != NULL) pBar->LoadState(lpszProfileName, nIndex, uiID);
    }
    return TRUE;
}

// --- docking, floating, auto-hide ---------------------------------------------------------------

HICON CSPBaseTabbedBar::GetBarIcon(BOOL bBig) {
    HICON hIcon = (HICON)SendMessage(WM_GETICON, bBig ? ICON_BIG : ICON_SMALL, 0);
    if (hIcon == NULL && m_pTabWnd != NULL && m_pTabWnd->GetActiveWnd() != NULL)
        hIcon = (HICON)m_pTabWnd->GetActiveWnd()->SendMessage(WM_GETICON, bBig ? ICON_BIG : ICON_SMALL, 0);
    return hIcon;
}

BOOL CSPBaseTabbedBar::FloatControlBar(CRect rectFloat, int nDockMethod, bool bShow) {
    if (!CSPDockingControlBar::FloatControlBar(rectFloat, nDockMethod, bShow)) return FALSE;
    CSPMiniFrameWnd* pMiniFrame = GetParentMiniFrame(TRUE);
    if (pMiniFrame != NULL && m_pTabWnd != NULL && m_pTabWnd->GetActiveWnd() != NULL) {
        HICON hIcon = (HICON)m_pTabWnd->GetActiveWnd()->SendMessage(WM_GETICON, ICON_SMALL, 0);
        pMiniFrame->SetIcon(hIcon, FALSE);
    }
    return TRUE;
}

void CSPBaseTabbedBar::RecalcLayout() {
    CSPDockingControlBar::RecalcLayout();
    if (m_pTabWnd->GetSafeHwnd() != NULL) m_pTabWnd->RecalcLayout();
}

void CSPBaseTabbedBar::StoreRecentDockInfo() {
    for (int i = 0; m_pTabWnd != NULL && i < m_pTabWnd->GetTabsNum(); i++) {
        CSPDockingControlBar* pPane = DYNAMIC_DOWNCAST(CSPDockingControlBar, m_pTabWnd->GetTabWnd(i));
        if (pPane != NULL) pPane->StoreRecentTabRelatedInfo();
    }
    CSPDockingControlBar::StoreRecentDockInfo();
}

void CSPBaseTabbedBar::TakeOutPaneTabs(CObList& lstPanes) {
    CFrameWnd* pDockSite = GetDockSite();
    for (int i = m_pTabWnd != NULL ? m_pTabWnd->GetTabsNum() - 1 : -1; i >= 0; i--) {
        CSPDockingControlBar* pPane = DYNAMIC_DOWNCAST(CSPDockingControlBar, m_pTabWnd->GetTabWnd(i));
        if (pPane == NULL || !m_pTabWnd->IsTabVisible(i) || !m_pTabWnd->IsTabDetachable(i)) continue;
        m_pTabWnd->RemoveTab(i, FALSE);
        pPane->ShowCaption(TRUE);
        pPane->StoreRecentTabRelatedInfo();
        CWnd* pOldParent = pPane->GetParent();
        pPane->OnBeforeChangeParent(pDockSite, FALSE);
        pPane->SetParent(pDockSite);
        pPane->SetOwner(pDockSite);
        pPane->OnAfterChangeParent(pOldParent);
        lstPanes.AddHead(pPane);
    }
}

BOOL CSPBaseTabbedBar::DockControlBar(CSPBaseControlBar* pDockBar, LPCRECT lpRect, int nDockMethod) {
    if (nDockMethod != SP_DM_SHOW || pDockBar != NULL) return CSPDockingControlBar::DockControlBar(pDockBar, lpRect, nDockMethod);
    const BOOL bInMiniFrame = GetParentMiniFrame(TRUE) != NULL;
    const BOOL bRecorded = bInMiniFrame ? m_recentDockInfo.GetContainer(FALSE) != NULL
                                        : m_recentDockInfo.GetSlider() != NULL;
    if (bRecorded) return CSPDockingControlBar::DockControlBar(pDockBar, lpRect, nDockMethod);
    // Nowhere to go back to as a group: every pane goes back on its own.
    ShowWindow(SW_HIDE);
    CObList lstPanes;
    TakeOutPaneTabs(lstPanes);
    for (POSITION pos = lstPanes.GetHeadPosition(); pos != NULL;) {
        CSPDockingControlBar* pPane = (CSPDockingControlBar*)lstPanes.GetNext(pos);
        pPane->DockControlBar(NULL, lpRect, SP_DM_SHOW);
    }
    if (GetTabsNum() == 0) {
        UnDockControlBar(TRUE);
        DestroyWindow();
        return FALSE;
    }
    if (GetVisibleTabsNum() == 0) return TRUE;
    int iFirst = -1;
    if (m_pTabWnd->GetActiveTab() < 0 && m_pTabWnd->GetFirstVisibleTab(iFirst) != NULL) ActivateTab(iFirst);
    m_pTabWnd->RecalcLayout();
    ShowWindow(SW_SHOW);
    return CSPDockingControlBar::DockControlBar(pDockBar, lpRect, nDockMethod);
}

CSPAutoHideToolBar* CSPBaseTabbedBar::SetAutoHideMode(BOOL bMode, DWORD dwAlignment,
                                                      CSPAutoHideToolBar* pCurrAutoHideBar, BOOL bUseTimer) {
    if (!bMode || m_pTabWnd == NULL)
        return CSPDockingControlBar::SetAutoHideMode(bMode, dwAlignment, pCurrAutoHideBar, bUseTimer);
    CWnd* pActiveWnd = m_pTabWnd->GetActiveWnd();
    ShowControlBar(FALSE, TRUE, FALSE);
    CObList lstPanes;
    TakeOutPaneTabs(lstPanes);

    // Each pane goes on its own button; the buttons make one group.
    CSPAutoHideToolBar* pToolBar = NULL;
    CSPAutoHideToolBar* pActiveToolBar = NULL;
    for (POSITION pos = lstPanes.GetHeadPosition(); pos != NULL;) {
        POSITION posCur = pos;
        CSPDockingControlBar* pPane = (CSPDockingControlBar*)lstPanes.GetNext(pos);
        pPane->ShowWindow(SW_SHOW);
        pToolBar = pPane->SetAutoHideMode(TRUE, dwAlignment, NULL, bUseTimer && pPane == pActiveWnd);
        if (pToolBar == NULL) continue;
        pToolBar->SetGroupFlags(posCur == lstPanes.GetHeadPosition(), posCur == lstPanes.GetTailPosition(),
                                pPane == pActiveWnd);
        pToolBar->SetRecentRowIndex(pPane == pActiveWnd);
        if (pPane == pActiveWnd) pActiveToolBar = pToolBar;
    }
    if (pToolBar != NULL) {
        if (pActiveToolBar == NULL) {
            pToolBar->SetGroupFlags(pToolBar->IsFirstInGroup(), pToolBar->IsLastInGroup(), TRUE);
            pToolBar->SetRecentRowIndex(TRUE);
        }
        CSPDockBar* pDockBar = pToolBar->GetParentDockBar();
        if (pDockBar != NULL) {
            CRect rectClient;
            pDockBar->GetClientRect(rectClient);
            pDockBar->RepositionBars(rectClient);
        }
    }

    if (GetTabsNum() == 0) {
        // Every tab went on a button: the bar is no longer needed.
        UnDockControlBar(TRUE);
        DestroyWindow();
        return pToolBar;
    }
    if (GetVisibleTabsNum() == 0) return NULL;
    int iFirst = -1;
    if (m_pTabWnd->GetActiveTab() < 0 && m_pTabWnd->GetFirstVisibleTab(iFirst) != NULL) ActivateTab(iFirst);
    m_pTabWnd->RecalcLayout();
    ShowControlBar(TRUE, TRUE, FALSE);
    CSPAutoHideToolBar* pOwn = CSPDockingControlBar::SetAutoHideMode(TRUE, dwAlignment, NULL, bUseTimer);
    if (pOwn != NULL) pOwn->UpdateVisibility();
    return pOwn;
}

// --- messages -----------------------------------------------------------------------------------

void CSPBaseTabbedBar::OnSize(UINT nType, int cx, int cy) {
    CSPDockingControlBar::OnSize(nType, cx, cy);
    if (m_pTabWnd->GetSafeHwnd() != NULL) {
        CRect rectClient;
        GetClientRect(rectClient);
        m_pTabWnd->SetWindowPos(NULL, 0, 0, rectClient.Width(), rectClient.Height(),
                                SWP_NOZORDER | SWP_NOREDRAW | SWP_NOACTIVATE);
    }
}

void CSPBaseTabbedBar::OnNcDestroy() {
    delete m_pTabWnd;
    m_pTabWnd = NULL;
    CSPDockingControlBar::OnNcDestroy();
}

void CSPBaseTabbedBar::PostNcDestroy() {
    CSPDockingControlBar::PostNcDestroy();
    if (m_bAutoDestroy) delete this;
}

BOOL CSPBaseTabbedBar::OnEraseBkgnd(CDC* /*pDC*/) { return TRUE; }

void CSPBaseTabbedBar::OnSetFocus(CWnd* pOldWnd) {
    CSPDockingControlBar::OnSetFocus(pOldWnd);
    if (m_pTabWnd->GetSafeHwnd() != NULL) m_pTabWnd->SetFocus();
}

LRESULT CSPBaseTabbedBar::OnChangeActiveTab(WPARAM wParam, LPARAM /*lParam*/) {
    UpdateCaptionFromActiveTab();
    OnActiveTabChanged((int)wParam);
    return 0;
}
