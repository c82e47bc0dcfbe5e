#include "SPDockDragHelper.h"

#include <algorithm>

#include "SPBaseTabbedBar.h"
#include "SPControlBar.h"
#include "SPDockingPlaceholderBar.h"
#include "SPDockBar.h"
#include "SPDockManager.h"
#include "SPDockingUtils.h"
#include "SPGlobalData.h"
#include "SPMiniFrameWnd.h"

static int ThinOutline() { return std::max(1, spGlobalData.nDragFrameThickness); }
static int ThickOutline() { return 2 * ThinOutline(); }

CSPDockDragHelper::CSPDockDragHelper()
    : m_ptLast(0, 0),
      m_pFinalTarget(NULL),
      m_bTabPreviewShown(FALSE),
      m_bDragging(FALSE),
      m_nPreviewTab(-1),
      m_nOutlineWidth(ThinOutline()),
      m_pDockManager(NULL),
      m_pDraggedWnd(NULL),
      m_pCurrentTarget(NULL),
      m_bTabOutlineDrawn(FALSE),
      m_nActiveTabBefore(-1) {
    m_rectFloat.SetRectEmpty();
    m_rectDock.SetRectEmpty();
    m_rectDrawn.SetRectEmpty();
}

CSPDockDragHelper::~CSPDockDragHelper() {}

void CSPDockDragHelper::SetDockSite(CWnd* pDraggedWnd, CFrameWnd* pFrame) {
    m_pDraggedWnd = pDraggedWnd;
    m_pDockManager = CSPDockingUtils::GetDockManager(pFrame);
}

CSPControlBar* CSPDockDragHelper::GetDraggedBar() const {
    if (m_pDraggedWnd == NULL || m_pDraggedWnd->GetSafeHwnd() == NULL) return NULL;
    if (m_pDraggedWnd->IsKindOf(RUNTIME_CLASS(CSPControlBar))) return (CSPControlBar*)m_pDraggedWnd;
    if (m_pDraggedWnd->IsKindOf(RUNTIME_CLASS(CSPMiniFrameWnd))) {
        CWnd* pBar = ((CSPMiniFrameWnd*)m_pDraggedWnd)->GetControlBar();
        if (pBar != NULL && pBar->IsKindOf(RUNTIME_CLASS(CSPControlBar))) return (CSPControlBar*)pBar;
    }
    return NULL;
}

void CSPDockDragHelper::DrawOutline(const CRect& rect, int nWidth, BOOL bErase, const CRect& rectPrev) {
    CWnd* pDesktop = CWnd::GetDesktopWindow();
    CDC* pDC = pDesktop->GetDCEx(NULL, DCX_WINDOW | DCX_CACHE | DCX_LOCKWINDOWUPDATE);
    if (pDC == NULL) return;
    const CSize size(nWidth, nWidth);
    if (bErase)
        pDC->DrawDragRect(CRect(0, 0, 0, 0), size, rect, size);
    else
        pDC->DrawDragRect(rect, size, rectPrev.IsRectEmpty() ? NULL : &rectPrev, size);
    pDesktop->ReleaseDC(pDC);
}

void CSPDockDragHelper::DrawCurrent(const CRect& rect, int nWidth) {
    if (rect == m_rectDrawn && nWidth == m_nOutlineWidth) return;
    if (nWidth != m_nOutlineWidth && !m_rectDrawn.IsRectEmpty()) {
        // DrawDragRect erases against the previous rectangle only at one width.
        DrawOutline(m_rectDrawn, m_nOutlineWidth, TRUE, CRect(0, 0, 0, 0));
        m_rectDrawn.SetRectEmpty();
    }
    DrawOutline(rect, nWidth, FALSE, m_rectDrawn);
    m_rectDrawn = rect;
    m_nOutlineWidth = nWidth;
}

BOOL CSPDockDragHelper::DragsDockingPanes() const {
    CSPControlBar* pBar = GetDraggedBar();
    return pBar != NULL && pBar->IsKindOf(RUNTIME_CLASS(CSPDockingControlBar));
}

void CSPDockDragHelper::EraseCurrent() {
    if (!m_rectDrawn.IsRectEmpty()) DrawOutline(m_rectDrawn, m_nOutlineWidth, TRUE, CRect(0, 0, 0, 0));
    m_rectDrawn.SetRectEmpty();
}

void CSPDockDragHelper::RemoveTabPreview() {
    if (m_nPreviewTab < 0) return;
    CSPBaseTabbedBar* pTabbed = DYNAMIC_DOWNCAST(CSPBaseTabbedBar, m_pCurrentTarget);
    CSPDockingPlaceholderBar* pPlaceholder = CSPDockingPlaceholderBar::Get(NULL);
    CSPBaseTabWnd* pTabWnd = pTabbed != NULL && ::IsWindow(pTabbed->GetSafeHwnd()) ? pTabbed->GetTabWnd() : NULL;
    const int iTab = pTabWnd != NULL && pPlaceholder != NULL ? pTabWnd->GetTabFromHwnd(pPlaceholder->GetSafeHwnd()) : -1;
    if (iTab >= 0) {
        pTabWnd->SetRedraw(FALSE);
        pTabWnd->RemoveTab(iTab, TRUE);
        if (m_nActiveTabBefore >= 0 && m_nActiveTabBefore < pTabWnd->GetTabsNum())
            pTabWnd->SetActiveTab(m_nActiveTabBefore);
        pTabWnd->SetRedraw(TRUE);
        pTabWnd->RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        pPlaceholder->ShowWindow(SW_HIDE);
        CWnd* pFrame = pTabbed->GetDockSite();
        if (pFrame != NULL) pPlaceholder->SetParent(pFrame);
    } else if (m_bTabOutlineDrawn && m_pCurrentTarget != NULL) {
        DrawTabOutline(m_pCurrentTarget, TRUE);
    }
    m_bTabOutlineDrawn = FALSE;
    m_nPreviewTab = -1;
    m_nActiveTabBefore = -1;
}

void CSPDockDragHelper::MoveDrag(BOOL bForce) {
    m_pFinalTarget = NULL;
    if (m_pDockManager == NULL || m_pDraggedWnd == NULL || m_pDraggedWnd->GetSafeHwnd() == NULL) return;
    CPoint pt;
    ::GetCursorPos(&pt);
    const CSize sizeMove = pt - m_ptLast;
    if (abs(sizeMove.cx) < ::GetSystemMetrics(SM_CXDRAG) && abs(sizeMove.cy) < ::GetSystemMetrics(SM_CYDRAG) &&
        m_rectFloat.IsRectEmpty() && !bForce)
        return;
    if (!m_bDragging) {
        m_bDragging = TRUE;
        m_bTabPreviewShown = FALSE;
        m_pDockManager->LockUpdate(TRUE);
    }
    CSPControlBar* pBar = GetDraggedBar();
    if (m_rectFloat.IsRectEmpty()) {
        m_pDraggedWnd->GetWindowRect(m_rectFloat);
        if (pBar != NULL && pBar == m_pDraggedWnd && !pBar->IsFloating()) {
            const CRect& rectRecent = pBar->m_recentDockInfo.m_rectRecentFloatingRect;
            m_rectFloat = CRect(m_rectFloat.TopLeft(), rectRecent.Size());
            if (!m_rectFloat.PtInRect(m_ptLast)) m_rectFloat.OffsetRect(m_ptLast.x - m_rectFloat.left - 5, 0);
        }
    }

    // Where the window would dock under the cursor.
    CSPBaseControlBar* pTarget = NULL;
    BOOL bTab = FALSE;
    CRect rectDock(0, 0, 0, 0);
    if (DragsDockingPanes()) {
        // Docking panes go beside or onto panes, or onto a frame side.
        m_pDockManager->CalcDragPreview(m_pDraggedWnd, pt, rectDock, bTab, pTarget);
    } else if (pBar != NULL && ::GetKeyState(VK_CONTROL) >= 0) {
        // Other bars: the dock bar's edge at the cursor, the bar's length
        // along it.
        CSPDockBar* pFound = NULL;
        if (pBar->GetDockTargetAtCursor(15, pFound) && pFound != NULL && pFound != pBar->GetParentDockBar() &&
            pBar->CanBeDocked(pFound)) {
            pTarget = pFound;
            CRect rectDockBar;
            pFound->GetWindowRect(rectDockBar);
            const CSize sizeH = pBar->CalcFixedLayout(FALSE, TRUE), sizeV = pBar->CalcFixedLayout(FALSE, FALSE);
            if (pFound->IsHorizontal())
                rectDock = CRect(CPoint(pt.x - 5, rectDockBar.top), sizeH);
            else
                rectDock = CRect(CPoint(rectDockBar.left, pt.y - 5), sizeV);
        }
    }
    if (bTab && (pBar == NULL || !pBar->CanBeTabbed() || !pTarget->IsKindOf(RUNTIME_CLASS(CSPDockingControlBar))))
        bTab = FALSE;
    // A preview over another target, or none any more, goes first.
    if (m_nPreviewTab >= 0 && (pTarget != m_pCurrentTarget || !bTab)) RemoveTabPreview();
    m_pCurrentTarget = pTarget;

    if (bTab) {
        m_rectDock.SetRectEmpty();
        if (m_nPreviewTab < 0) {
            // The outline gives way to the tab the window would become.
            if (!bForce) EraseCurrent();
            CSPBaseTabbedBar* pTabbed = DYNAMIC_DOWNCAST(CSPBaseTabbedBar, pTarget);
            CSPDockingPlaceholderBar* pPlaceholder =
                pTabbed != NULL && pTabbed->GetTabsNum() > 0 ? CSPDockingPlaceholderBar::Get(pTabbed->GetDockSite())
                                                             : NULL;
            if (pPlaceholder != NULL) {
                CString strLabel;
                m_pDraggedWnd->GetWindowText(strLabel);
                if (strLabel.IsEmpty()) pBar->GetWindowText(strLabel);
                CSPBaseTabWnd* pTabWnd = pTabbed->GetTabWnd();
                m_nActiveTabBefore = pTabWnd->GetActiveTab();
                pPlaceholder->SetParent(pTabWnd);
                pTabWnd->AddTab(pPlaceholder, strLabel, (UINT)-1, TRUE);
                m_nPreviewTab = pTabWnd->GetTabFromHwnd(pPlaceholder->GetSafeHwnd());
                if (m_nPreviewTab >= 0) {
                    pTabWnd->SetActiveTab(m_nPreviewTab);
                } else {
                    pPlaceholder->SetParent(pTabbed->GetDockSite());
                    m_nPreviewTab = -1;
                }
            }
            if (m_nPreviewTab < 0) {
                DrawTabOutline(pTarget, FALSE);
                m_nPreviewTab = 1;
            }
        }
        return;
    }
    m_rectDock = rectDock;

    m_rectFloat.OffsetRect(sizeMove);
    m_ptLast = pt;
    if (!m_rectFloat.PtInRect(pt))
        m_rectFloat.OffsetRect(pt.x - m_rectFloat.CenterPoint().x, pt.y - m_rectFloat.top - 5);
    if (!m_rectDock.IsRectEmpty())
        DrawCurrent(m_rectDock, ThickOutline());
    else
        DrawCurrent(m_rectFloat, ThinOutline());
}

void CSPDockDragHelper::EndTracking(BOOL bDock) {
    if (m_pDockManager != NULL) {
        if (m_nPreviewTab >= 0)
            m_bTabPreviewShown = TRUE;
        else
            EraseCurrent();
        m_rectDrawn.SetRectEmpty();
        // The placeholder never stays in a tab strip, whether the drag
        // docks or was cancelled.
        RemoveTabPreview();
        if (bDock) {
            m_rectDock.SetRectEmpty();
            m_rectFloat.SetRectEmpty();
            m_pFinalTarget = m_pCurrentTarget;
        } else {
            m_bTabPreviewShown = FALSE;
        }
        if (m_bDragging) m_pDockManager->LockUpdate(FALSE);
    }
    m_bDragging = FALSE;
    m_pCurrentTarget = NULL;
}

void CSPDockDragHelper::DrawTabOutline(CWnd* pTarget, BOOL bErase) {
    if (pTarget == NULL || pTarget->GetSafeHwnd() == NULL) return;
    CRect rect;
    pTarget->GetWindowRect(rect);
    const int nTabHeight = 20;
    const int nTabLeft = rect.left + std::min(10, rect.Width() / 4);
    const int nTabRight = rect.left + std::min(50, rect.Width() / 2);
    const CRect rectBody(rect.left, rect.top, rect.right, rect.bottom - nTabHeight);
    const CRect rectTab(nTabLeft, rect.bottom - nTabHeight, nTabRight, rect.bottom);
    const int nWidth = ThickOutline();
    for (const CRect& r : {rectBody, rectTab}) DrawOutline(r, nWidth, bErase, CRect(0, 0, 0, 0));
    m_bTabOutlineDrawn = !bErase;
}
