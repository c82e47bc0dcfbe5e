// SPMultiMiniFrameWnd.cpp - the floating frame of several docking panes.
#include "SPMultiMiniFrameWnd.h"

#include <algorithm>

#include "SPBarContainer.h"
#include "SPBaseTabbedBar.h"
#include "SPDockManager.h"
#include "SPDockingControlBar.h"
#include "SPDockingUtils.h"
#include "SPSlider.h"

IMPLEMENT_SERIAL(CSPMultiMiniFrameWnd, CSPMiniFrameWnd, VERSIONABLE_SCHEMA | 1)

BEGIN_MESSAGE_MAP(CSPMultiMiniFrameWnd, CSPMiniFrameWnd)
    ON_WM_CREATE()
    ON_WM_SIZE()
    ON_WM_GETMINMAXINFO()
    ON_WM_LBUTTONDBLCLK()
    ON_REGISTERED_MESSAGE(CSPMiniFrameWnd::m_nCheckEmptyMessage, OnCheckEmptyMiniFrame)
END_MESSAGE_MAP()

CSPMultiMiniFrameWnd::CSPMultiMiniFrameWnd() {}

CSPMultiMiniFrameWnd::~CSPMultiMiniFrameWnd() {}

int CSPMultiMiniFrameWnd::OnCreate(LPCREATESTRUCT lpCreateStruct) {
    if (CSPMiniFrameWnd::OnCreate(lpCreateStruct) == -1) return -1;
    m_barContainerManager.Create(this, NULL, NULL);
    return 0;
}

// --- the bars ---------------------------------------------------------------------------------------

void CSPMultiMiniFrameWnd::GetBars(CObList& lst) const {
    const CObList& lstBars = m_barContainerManager.GetBars();
    for (POSITION pos = lstBars.GetHeadPosition(); pos != NULL;) {
        CWnd* pBar = (CWnd*)lstBars.GetNext(pos);
        if (pBar->GetSafeHwnd() != NULL) lst.AddTail(pBar);
    }
}

int CSPMultiMiniFrameWnd::GetControlBarCount() const { return (int)m_barContainerManager.GetBars().GetCount(); }

int CSPMultiMiniFrameWnd::GetVisibleBarCount() const { return m_barContainerManager.GetVisibleBarCount(); }

CWnd* CSPMultiMiniFrameWnd::GetControlBar() const {
    CWnd* pBar = m_barContainerManager.GetFirstBar();
    return pBar != NULL ? pBar : CSPMiniFrameWnd::GetControlBar();
}

CWnd* CSPMultiMiniFrameWnd::GetFirstVisibleBar() const { return m_barContainerManager.GetFirstVisibleBar(); }

void CSPMultiMiniFrameWnd::CheckEmbeddedBar() {
    CSPControlBar* pFirst = m_barContainerManager.GetFirstBar();
    m_hEmbeddedBar = pFirst != NULL ? pFirst->GetSafeHwnd() : NULL;
}

BOOL CSPMultiMiniFrameWnd::CanBeDockedToBar(const CSPDockingControlBar* pPane) const {
    if (pPane == NULL) return FALSE;
    const CObList& lstBars = m_barContainerManager.GetBars();
    for (POSITION pos = lstBars.GetHeadPosition(); pos != NULL;) {
        CSPBaseControlBar* pBar = (CSPBaseControlBar*)lstBars.GetNext(pos);
        if (pPane->CanAcceptBar(pBar)) return TRUE;
    }
    return FALSE;
}

void CSPMultiMiniFrameWnd::AddControlBar(CSPBaseControlBar* pBar) {
    CSPControlBar* pControlBar = DYNAMIC_DOWNCAST(CSPControlBar, pBar);
    if (m_barContainerManager.IsEmpty() && pControlBar != NULL) {
        m_barContainerManager.AddControlBar(pControlBar);
        CSPMiniFrameWnd::AddControlBar(pBar);
    }
    SetRollUpTimer();
}

BOOL CSPMultiMiniFrameWnd::RegisterControlBar(CSPControlBar* pBar) {
    RegisterBarInGlobalMap(pBar, TRUE);
    return TRUE;
}

void CSPMultiMiniFrameWnd::RemoveControlBar(CSPBaseControlBar* pBar, BOOL bDestroyIfEmpty, BOOL bHideOnly) {
    CSPControlBar* pControlBar = DYNAMIC_DOWNCAST(CSPControlBar, pBar);
    if (pControlBar != NULL) m_barContainerManager.RemoveControlBar(pControlBar);
    if (m_barContainerManager.IsEmpty()) {
        // The posted check destroys the frame once the caller is done with it.
        CSPMiniFrameWnd::RemoveControlBar(pBar, FALSE, bHideOnly);
        KillRollUpTimer();
        return;
    }
    RegisterBarInGlobalMap(pBar, FALSE);
    CSPMiniFrameWnd::ReplaceControlBar(pBar, m_barContainerManager.GetFirstBar());
    CheckEmbeddedBar();
    if (bDestroyIfEmpty && GetControlBarCount() == 0) PostMessage(m_nCheckEmptyMessage);
    CheckCaptionVisibility();
    AdjustLayout();
    SendMessage(WM_NCPAINT);
    KillRollUpTimer();
}

void CSPMultiMiniFrameWnd::ReplaceControlBar(CSPBaseControlBar* pBarOrg, CSPBaseControlBar* pBarReplaceWith) {
    CSPControlBar* pOld = DYNAMIC_DOWNCAST(CSPControlBar, pBarOrg);
    CSPControlBar* pNew = DYNAMIC_DOWNCAST(CSPControlBar, pBarReplaceWith);
    if (pOld != NULL && pNew != NULL) m_barContainerManager.ReplaceControlBar(pOld, pNew);
    CSPMiniFrameWnd::ReplaceControlBar(pBarOrg, pBarReplaceWith);
    CheckEmbeddedBar();
}

BOOL CSPMultiMiniFrameWnd::InsertBar(CSPControlBar* pBar, CSPControlBar* pTarget, DWORD dwAlignment) {
    if (pBar == NULL || pTarget == NULL || m_barContainerManager.GetBars().Find(pTarget) == NULL) return FALSE;
    if (pBar->GetParent() != this) pBar->ChangeParent(this, FALSE);
    pBar->ShowWindow(SW_SHOW);
    if (!m_barContainerManager.InsertControlBar(pBar, pTarget, dwAlignment)) return FALSE;
    pBar->SetControlBarStyle(pBar->GetControlBarStyle() | CBRS_FLOATING);
    RegisterBarInGlobalMap(pBar, TRUE);
    CheckCaptionVisibility();
    AdjustLayout();
    SendMessage(WM_NCPAINT);
    return TRUE;
}

void CSPMultiMiniFrameWnd::StoreBarDockInfo(CSPControlBar* pBar) {
    BOOL bLeft = FALSE;
    CSPBarContainer* pNode = m_barContainerManager.FindContainer(pBar, bLeft);
    if (pNode != NULL)
        pNode->StoreBarDockInfo(pBar);
    else
        pBar->m_recentDockInfo.StoreDockInfo(NULL, NULL);
}

void CSPMultiMiniFrameWnd::OnShowControlBar(CSPControlBar* pBar, BOOL bShow) {
    BOOL bLeft = FALSE;
    CSPBarContainer* pNode = m_barContainerManager.FindContainer(pBar, bLeft);
    if (!bShow && pNode != NULL) pNode->OnHideBar(pBar, NULL);
    m_barContainerManager.CheckVisibility();
    if (GetVisibleBarCount() == 0) {
        ShowWindow(SW_HIDE);
        return;
    }
    if (bShow && !IsWindowVisible()) ShowWindow(SW_SHOWNOACTIVATE);
    CheckCaptionVisibility();
    AdjustLayout();
}

// --- caption --------------------------------------------------------------------------------------

void CSPMultiMiniFrameWnd::CheckCaptionVisibility() {
    if (GetSafeHwnd() == NULL) return;
    if (GetVisibleBarCount() == 1) {
        CSPControlBar* pBar = m_barContainerManager.GetFirstVisibleBar();
        pBar->ShowCaption(FALSE);
        SetWindowText(GetCaptionText());
    } else {
        m_barContainerManager.ShowBarCaptions(TRUE);
        SetWindowText(_T(""));
    }
    SetWindowPos(NULL, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

CString CSPMultiMiniFrameWnd::GetCaptionText() {
    CString strText;
    if (GetVisibleBarCount() == 1) m_barContainerManager.GetFirstVisibleBar()->GetWindowText(strText);
    return strText;
}

// --- layout ---------------------------------------------------------------------------------------

void CSPMultiMiniFrameWnd::AdjustLayout() {
    if (GetSafeHwnd() == NULL) return;
    CRect rectClient;
    GetClientRect(rectClient);
    HDWP hdwp = ::BeginDeferWindowPos(20);
    hdwp = m_barContainerManager.LayoutInRect(rectClient, hdwp);
    if (hdwp != NULL) ::EndDeferWindowPos(hdwp);
}

void CSPMultiMiniFrameWnd::RecalcLayout() {
    if (GetControlBarCount() <= 1) {
        CSPMiniFrameWnd::RecalcLayout();
        return;
    }
    AdjustLayout();
}

void CSPMultiMiniFrameWnd::SizeToContent() {
    if (GetControlBarCount() <= 1) CSPMiniFrameWnd::SizeToContent();
}

void CSPMultiMiniFrameWnd::OnSize(UINT nType, int cx, int cy) {
    CWnd::OnSize(nType, cx, cy);
    if (!m_bRolledUp) AdjustLayout();
    ArrangeCaptionButtons();
    SendMessage(WM_NCPAINT);
}

void CSPMultiMiniFrameWnd::OnGetMinMaxInfo(MINMAXINFO FAR* lpMMI) {
    CWnd::OnGetMinMaxInfo(lpMMI);
    CSize sizeBase(0, 0);
    m_barContainerManager.GetMinSize(sizeBase);
    CalcMinSize(sizeBase, lpMMI);
}

CSPDockingControlBar* CSPMultiMiniFrameWnd::PaneAtPoint(CPoint ptScreen, DWORD& dwAlignment) {
    dwAlignment = 0;
    BOOL bOnTabArea = FALSE, bOnCaption = FALSE;
    CSPDockingControlBar* pPane = DYNAMIC_DOWNCAST(
        CSPDockingControlBar, m_barContainerManager.ControlBarFromPoint(ptScreen, CSPDockingControlBar::m_nDockSensitivity,
                                                                        FALSE, bOnTabArea, bOnCaption));
    if (pPane == NULL) return NULL;
    // The side of the pane whose edge is nearest to the point.
    CRect rect;
    pPane->GetWindowRect(rect);
    const int dLeft = std::abs(ptScreen.x - rect.left), dRight = std::abs(rect.right - ptScreen.x);
    const int dTop = std::abs(ptScreen.y - rect.top), dBottom = std::abs(rect.bottom - ptScreen.y);
    const int dMin = std::min(std::min(dLeft, dRight), std::min(dTop, dBottom));
    dwAlignment = dMin == dTop      ? CBRS_ALIGN_TOP
                  : dMin == dBottom ? CBRS_ALIGN_BOTTOM
                  : dMin == dLeft   ? CBRS_ALIGN_LEFT
                                    : CBRS_ALIGN_RIGHT;
    return pPane;
}

CSPControlBar* CSPMultiMiniFrameWnd::ControlBarFromPoint(CPoint point, int nSensitivity, BOOL bCheckVisibility) {
    BOOL bOnTabArea = FALSE, bOnCaption = FALSE;
    CSPControlBar* pBar = m_barContainerManager.ControlBarFromPoint(point, nSensitivity, TRUE, bOnTabArea, bOnCaption);
    if (pBar != NULL && bCheckVisibility && !pBar->IsWindowVisible()) return NULL;
    return pBar;
}

// --- docking ---------------------------------------------------------------------------------------

BOOL CSPMultiMiniFrameWnd::DockBarAtCursor(CSPControlBar* pBar) {
    CPoint pt;
    ::GetCursorPos(&pt);
    DWORD dwAlignment = 0;
    CSPDockingControlBar* pTarget = PaneAtPoint(pt, dwAlignment);
    if (pTarget == NULL || pTarget == pBar || pBar == NULL) return TRUE;
    pBar->UnDockControlBar(FALSE);
    const BOOL bInserted = InsertBar(pBar, pTarget, dwAlignment);
    SetRollUpTimer();
    return !bInserted;
}

BOOL CSPMultiMiniFrameWnd::DockMiniFrame(CSPMiniFrameWnd* pMiniFrame, int nDockMethod) {
    CSPMultiMiniFrameWnd* pOther = DYNAMIC_DOWNCAST(CSPMultiMiniFrameWnd, pMiniFrame);
    if (pOther == NULL || pOther == this) return TRUE;
    if (nDockMethod != SP_DM_MOUSE && nDockMethod != 5) return TRUE;
    CPoint pt;
    ::GetCursorPos(&pt);
    DWORD dwAlignment = 0;
    CSPDockingControlBar* pTarget = PaneAtPoint(pt, dwAlignment);
    if (pTarget == NULL) return TRUE;
    // On a pane's caption or tab strip the panes become its tabs.
    BOOL bTab = FALSE;
    {
        CRect rectPreview;
        CSPBaseControlBar* pPreviewTarget = NULL;
        CSPDockingUtils::CalcContainerDockTarget(m_barContainerManager, pOther, pt, rectPreview, bTab,
                                                 pPreviewTarget);
        if (pPreviewTarget != pTarget) bTab = FALSE;
    }
    if (bTab) {
        if (!m_barContainerManager.AttachBarsAsTabs(pTarget, pOther->m_barContainerManager)) return TRUE;
    } else if (!m_barContainerManager.AddContainerManager(pTarget, dwAlignment, pOther->m_barContainerManager,
                                                          TRUE)) {
        return TRUE;
    }
    CObList lstBars;
    GetBars(lstBars);
    for (POSITION pos = lstBars.GetHeadPosition(); pos != NULL;)
        RegisterBarInGlobalMap((CSPControlBar*)lstBars.GetNext(pos), TRUE);
    pOther->CheckEmbeddedBar();
    HWND hOther = pOther->GetSafeHwnd();
    pOther->SendMessage(m_nCheckEmptyMessage);
    if (::IsWindow(hOther))
        pOther->SetWindowPos(NULL, pOther->GetRecentFloatingRect().left, pOther->GetRecentFloatingRect().top, 0, 0,
                             SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    CheckEmbeddedBar();
    CheckCaptionVisibility();
    AdjustLayout();
    SetRollUpTimer();
    return FALSE;
}

CWnd* CSPMultiMiniFrameWnd::TryDockControlBar(BOOL& bAttached) {
    bAttached = FALSE;
    if (::GetKeyState(VK_CONTROL) < 0) return NULL;
    CSPDockManager* pDockManager = GetDockManager();
    if (pDockManager == NULL) return NULL;
    CPoint pt;
    ::GetCursorPos(&pt);
    CSPMultiMiniFrameWnd* pOther =
        DYNAMIC_DOWNCAST(CSPMultiMiniFrameWnd, pDockManager->FrameFromPoint(pt, this, TRUE));
    if (pOther != NULL) {
        bAttached = !pOther->DockMiniFrame(this, 5);
        return NULL;
    }
    // Where the outline showed it at the end of the drag: as tabs of a
    // pane, beside a pane, or on a frame side.
    CSPBaseControlBar* pTarget = m_dragHelper.m_pFinalTarget;
    const BOOL bTab = m_dragHelper.m_bTabPreviewShown;
    m_dragHelper.m_pFinalTarget = NULL;
    m_dragHelper.m_bTabPreviewShown = FALSE;
    if (pTarget == NULL || !pTarget->IsKindOf(RUNTIME_CLASS(CSPDockingControlBar))) {
        // Without a pane under the outline a frame side may take the panes.
        DWORD dwSide = 0;
        BOOL bOuterEdge = FALSE;
        if (!pDockManager->IsPointNearDockBar(pt, dwSide, bOuterEdge)) return NULL;
        pTarget = NULL;
    }
    bAttached = !DockToTarget(bTab && pTarget != NULL ? 2 : 1, pTarget, 5);
    return NULL;
}

BOOL CSPMultiMiniFrameWnd::DockToTarget(int nDockState, CSPBaseControlBar* pTarget, DWORD_PTR dwDockMethod) {
    CSPDockManager* pDockManager = GetDockManager();
    if (nDockState == 0 || pDockManager == NULL) return TRUE;
    const int nDockMethod = (int)dwDockMethod;
    CObList lstBars;
    GetBars(lstBars);
    CSPControlBar* pFirst = m_barContainerManager.GetFirstBar();
    if (pFirst == NULL) return TRUE;
    CPoint pt;
    ::GetCursorPos(&pt);
    const BOOL bWasDragging = m_bCaptured;
    CSPDockingControlBar* pTargetPane = DYNAMIC_DOWNCAST(CSPDockingControlBar, pTarget);
    if (pTargetPane != NULL && (pTargetPane->GetParentMiniFrame(TRUE) == this || !pTargetPane->CanAcceptBar(pFirst) ||
                                !pFirst->CanAcceptBar(pTargetPane)))
        return TRUE;
    for (POSITION pos = lstBars.GetHeadPosition(); pos != NULL;) {
        CSPControlBar* pBar = (CSPControlBar*)lstBars.GetNext(pos);
        if (pBar->IsWindowVisible()) pBar->StoreRecentDockInfo();
    }
    CSPControlBar* pRelayout = NULL;
    if (pTargetPane != NULL) {
        if ((pFirst->GetStyle() & WS_VISIBLE) == 0 && GetControlBarCount() == 1 &&
            pFirst->GetDockMode() == SP_DT_STANDARD)
            pFirst->ModifyStyle(0, WS_VISIBLE);
        if (nDockState == 2) {
            if (m_bCaptured) EndDrag();
            for (POSITION pos = lstBars.GetHeadPosition(); pos != NULL;) {
                CSPDockingControlBar* pPane = DYNAMIC_DOWNCAST(CSPDockingControlBar, lstBars.GetNext(pos));
                if (pPane == NULL || !::IsWindow(pPane->GetSafeHwnd()) || !pPane->IsWindowVisible()) continue;
                RegisterBarInGlobalMap(pPane, FALSE);
                m_barContainerManager.RemoveControlBar(pPane);
                // The target may have become the tabbed bar of the first tab.
                CSPBaseTabbedBar* pTabbed = pTargetPane->GetParentTabbedBar();
                pPane->AttachToTabWnd(pTabbed != NULL ? pTabbed : pTargetPane, nDockMethod, TRUE);
            }
            HWND hwnd = m_hWnd;
            ShowWindow(SW_HIDE);
            if (!m_rectRecentFloatingRect.IsRectEmpty())
                SetWindowPos(NULL, m_rectRecentFloatingRect.left, m_rectRecentFloatingRect.top, 0, 0,
                             SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
            OnCancelMode();
            SendMessage(m_nCheckEmptyMessage);
            if (::IsWindow(hwnd) && GetVisibleBarCount() > 0) ShowWindow(SW_SHOWNOACTIVATE);
            pTargetPane->AdjustDockingLayout(NULL);
            // The panes were taken: the caller must not move this frame on.
            return FALSE;
        }
        DWORD dwSide = 0;
        if (!CSPDockingUtils::CheckDockSide(pt.x, pt.y, pTargetPane, CSPDockingControlBar::m_nDockSensitivity, FALSE,
                                            dwSide, CBRS_ALIGN_ANY, NULL))
            return TRUE;
        if (m_bCaptured) EndDrag();
        if (!pTargetPane->DockContainer(m_barContainerManager, dwSide, nDockMethod)) return TRUE;
        pRelayout = pTargetPane;
    } else {
        // A frame side: a region of its own behind a new default slider.
        DWORD dwSide = 0;
        BOOL bOuterEdge = FALSE;
        if (!pDockManager->IsPointNearDockBar(pt, dwSide, bOuterEdge)) return TRUE;
        if ((pFirst->GetEnabledAlignment() & dwSide) == 0) return TRUE;
        CFrameWnd* pDockSite = pFirst->GetDockSite();
        CSPSlider* pSlider = CSPDockingControlBar::CreateDefaultSlider(dwSide, pDockSite, NULL);
        if (pSlider == NULL) return TRUE;
        if (m_bCaptured) EndDrag();
        // The region keeps its shape, no deeper than the side allows.
        CRect rectRegion;
        m_barContainerManager.CalcWindowRect(rectRegion);
        ScreenToClient(rectRegion);
        pDockManager->LimitDockedRect(rectRegion, dwSide);
        HDWP hdwp = ::BeginDeferWindowPos(20);
        hdwp = m_barContainerManager.LayoutInRect(rectRegion, hdwp);
        if (hdwp != NULL) ::EndDeferWindowPos(hdwp);
        if (!pSlider->AddContainerManager(m_barContainerManager, bOuterEdge)) {
            pSlider->DestroyWindow();
            AdjustLayout();
            return TRUE;
        }
        pDockManager->AddControlBar(pSlider, !bOuterEdge, FALSE, bOuterEdge);
        pRelayout = pFirst;
    }
    HWND hwnd = m_hWnd;
    SendMessage(m_nCheckEmptyMessage);
    if (::IsWindow(hwnd)) {
        CheckEmbeddedBar();
        if (!m_rectRecentFloatingRect.IsRectEmpty())
            SetWindowPos(NULL, m_rectRecentFloatingRect.left, m_rectRecentFloatingRect.top, 0, 0,
                         SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        CheckCaptionVisibility();
        AdjustLayout();
    }
    if (::IsWindow(pRelayout->GetSafeHwnd())) pRelayout->AdjustDockingLayout(NULL);
    // Docked by a drag of this frame: its first pane goes on with the drag.
    if (bWasDragging && nDockMethod == SP_DM_MOUSE && ::IsWindow(pFirst->GetSafeHwnd()) && !pFirst->IsFloating())
        pFirst->StartTracking(FALSE);
    return FALSE;
}

void CSPMultiMiniFrameWnd::CalcDockPreviewRect(CWnd* pDraggedWnd, CPoint pt, CRect& rect, BOOL& bTab,
                                               CSPBaseControlBar*& pTarget) {
    rect.SetRectEmpty();
    bTab = FALSE;
    pTarget = NULL;
    if (pDraggedWnd == this || m_dragHelper.m_bDragging) return;
    CSPDockingUtils::CalcContainerDockTarget(m_barContainerManager, pDraggedWnd, pt, rect, bTab, pTarget);
}

void CSPMultiMiniFrameWnd::RedockControlBar(CSPControlBar* pBar) {
    if (pBar == NULL) return;
    pBar->StoreRecentDockInfo();
    RegisterBarInGlobalMap(pBar, FALSE);
    pBar->DockControlBar(NULL, NULL, SP_DM_SHOW);
}

BOOL CSPMultiMiniFrameWnd::AddRecentControlBar(CSPControlBar* pBar) {
    if (pBar == NULL) return FALSE;
    CSPRecentDockInfo& info = pBar->m_recentDockInfo;
    if (info.GetContainer(FALSE) == NULL && info.GetSiblingIds(FALSE).IsEmpty()) return FALSE;
    if (pBar->GetParent() != this) pBar->ChangeParent(this, FALSE);
    CSPControlBar* pPlaced = m_barContainerManager.AddRecentControlBar(pBar);
    if (pPlaced == NULL) return FALSE;
    pBar->SetControlBarStyle(pBar->GetControlBarStyle() | CBRS_FLOATING);
    RegisterBarInGlobalMap(pBar, TRUE);
    CheckEmbeddedBar();
    if (GetVisibleBarCount() == 1) {
        const CRect& rect = GetRecentFloatingRect();
        if (!rect.IsRectEmpty()) MoveWindow(rect);
    }
    if (!IsWindowVisible()) ShowWindow(SW_SHOWNOACTIVATE);
    CheckCaptionVisibility();
    AdjustLayout();
    SetRollUpTimer();
    return TRUE;
}

void CSPMultiMiniFrameWnd::OnLButtonDblClk(UINT /*nFlags*/, CPoint /*point*/) {
    CObList lstBars;
    GetBars(lstBars);
    for (POSITION pos = lstBars.GetHeadPosition(); pos != NULL;) {
        CSPControlBar* pBar = (CSPControlBar*)lstBars.GetNext(pos);
        if (pBar->IsWindowVisible()) pBar->StoreRecentDockInfo();
    }
    SaveRecentFloatingRect();
    HWND hwnd = m_hWnd;
    for (POSITION pos = lstBars.GetHeadPosition(); pos != NULL;) {
        CSPControlBar* pBar = (CSPControlBar*)lstBars.GetNext(pos);
        if (!::IsWindow(pBar->GetSafeHwnd()) || !pBar->IsWindowVisible()) continue;
        RegisterBarInGlobalMap(pBar, FALSE);
        pBar->DockControlBar(NULL, NULL, SP_DM_SHOW);
    }
    if (::IsWindow(hwnd)) SendMessage(m_nCheckEmptyMessage);
}

LRESULT CSPMultiMiniFrameWnd::OnCheckEmptyMiniFrame(WPARAM, LPARAM) {
    CSPBarContainer* pRoot = m_barContainerManager.GetRoot();
    if (pRoot != NULL) pRoot->CheckForEmptyRecursive();
    m_barContainerManager.RemoveNonValidBars();
    if (m_barContainerManager.IsEmpty()) {
        OnCancelMode();
        DestroyWindow();
        return 0;
    }
    CheckEmbeddedBar();
    if (GetVisibleBarCount() == 0) {
        ShowWindow(SW_HIDE);
        OnCancelMode();
    }
    return 0;
}

// --- state ---------------------------------------------------------------------------------------------

void CSPMultiMiniFrameWnd::SaveRecentFloatingRect() {
    GetWindowRect(m_rectRecentFloatingRect);
    CObList lstBars;
    GetBars(lstBars);
    for (POSITION pos = lstBars.GetHeadPosition(); pos != NULL;)
        ((CSPControlBar*)lstBars.GetNext(pos))->m_recentDockInfo.m_rectRecentFloatingRect = m_rectRecentFloatingRect;
}

BOOL CSPMultiMiniFrameWnd::SaveState(LPCTSTR lpszProfileName, UINT uiID) {
    CObList lstBars;
    GetBars(lstBars);
    for (POSITION pos = lstBars.GetHeadPosition(); pos != NULL;)
        ((CSPControlBar*)lstBars.GetNext(pos))->SaveState(lpszProfileName, -1, uiID);
    return TRUE;
}

BOOL CSPMultiMiniFrameWnd::LoadState(LPCTSTR lpszProfileName, UINT uiID) {
    CObList lstBars;
    GetBars(lstBars);
    for (POSITION pos = lstBars.GetHeadPosition(); pos != NULL;)
        ((CSPControlBar*)lstBars.GetNext(pos))->LoadState(lpszProfileName, -1, uiID);
    return TRUE;
}

void CSPMultiMiniFrameWnd::Serialize(CArchive& ar) {
    CSPMiniFrameWnd::Serialize(ar);
    m_barContainerManager.Serialize(ar);
}

void CSPMultiMiniFrameWnd::SetDockState(CSPDockManager* /*pDockManager*/) {
    CObList lstBars;
    lstBars.AddTail((CObList*)&m_barContainerManager.GetBars());
    if (lstBars.IsEmpty()) {
        DestroyWindow();
        return;
    }
    BOOL bAnyVisible = FALSE;
    for (POSITION pos = lstBars.GetHeadPosition(); pos != NULL;) {
        CSPDockingControlBar* pPane = DYNAMIC_DOWNCAST(CSPDockingControlBar, lstBars.GetNext(pos));
        if (pPane == NULL || pPane->GetSafeHwnd() == NULL) continue;
        if (pPane->GetParent() != this) pPane->SetParent(this);
        pPane->SetControlBarStyle(pPane->GetControlBarStyle() | CBRS_FLOATING);
        RegisterBarInGlobalMap(pPane, TRUE);
        const BOOL bVisible = pPane->GetRecentVisibleState() || !pPane->IsRestoredFromRegistry();
        pPane->ShowWindow(bVisible ? SW_SHOWNOACTIVATE : SW_HIDE);
        bAnyVisible = bAnyVisible || bVisible;
    }
    CSPControlBar* pFirst = m_barContainerManager.GetFirstBar();
    m_hEmbeddedBar = pFirst->GetSafeHwnd();
    SetWindowPos(NULL, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    if (bAnyVisible) ShowWindow(SW_SHOWNOACTIVATE);
    CheckCaptionVisibility();
    AdjustLayout();
    SetCaptionButtons(m_dwCaptionButtons);
}
