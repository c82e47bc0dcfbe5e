#include "SPDockDragHelper.h"

#include <algorithm>

#include "SPControlBar.h"
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
      m_bTabOutlineDrawn(FALSE) {
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

    // Where the bar would dock under the cursor: the dock bar's edge at the
    // cursor, the bar's length along it.
    CSPDockBar* pTarget = NULL;
    m_rectDock.SetRectEmpty();
    if (pBar != NULL && ::GetKeyState(VK_CONTROL) >= 0) {
        CSPDockBar* pFound = NULL;
        if (pBar->GetDockTargetAtCursor(15, pFound) && pFound != NULL && pFound != pBar->GetParentDockBar() &&
            pBar->CanBeDocked(pFound)) {
            pTarget = pFound;
            CRect rectDockBar;
            pFound->GetWindowRect(rectDockBar);
            const CSize sizeH = pBar->CalcFixedLayout(FALSE, TRUE), sizeV = pBar->CalcFixedLayout(FALSE, FALSE);
            if (pFound->IsHorizontal())
                m_rectDock = CRect(CPoint(pt.x - 5, rectDockBar.top), sizeH);
            else
                m_rectDock = CRect(CPoint(rectDockBar.left, pt.y - 5), sizeV);
        }
    }
    m_pCurrentTarget = pTarget;

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
        else if (!m_rectDrawn.IsRectEmpty())
            DrawOutline(m_rectDrawn, m_nOutlineWidth, TRUE, CRect(0, 0, 0, 0));
        m_rectDrawn.SetRectEmpty();
        if (bDock) {
            if (m_bTabOutlineDrawn && m_pCurrentTarget != NULL) DrawTabOutline(m_pCurrentTarget, TRUE);
            m_nPreviewTab = -1;
            m_rectDock.SetRectEmpty();
            m_rectFloat.SetRectEmpty();
            m_pFinalTarget = m_pCurrentTarget;
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
