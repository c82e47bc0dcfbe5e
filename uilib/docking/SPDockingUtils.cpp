#include "SPDockingUtils.h"

#include "afxdlgs.h"

#include "SPBarContainerManager.h"
#include "SPBaseControlBar.h"
#include "SPDockingControlBar.h"
#include "SPClientHooks.h"
#include "SPControlBar.h"
#include "SPFrameImpl.h"
#include "SPMiniFrameWnd.h"
#include "SPMultiMiniFrameWnd.h"
#include "SPSlider.h"

BOOL CSPDockingUtils::m_bDialogHost = FALSE;

CSPDockManager* CSPDockingUtils::GetDockManager(CWnd* pWnd) {
    if (pWnd == NULL) return NULL;
    CSPFrameImpl* pImpl = CSPFrameImpl::FromFrame(pWnd);
    if (pImpl != NULL) return pImpl->GetDockManager();
    if (pWnd->IsKindOf(RUNTIME_CLASS(CDialog)) || pWnd->IsKindOf(RUNTIME_CLASS(CPropertySheet))) m_bDialogHost = TRUE;
    return NULL;
}

BOOL CSPDockingUtils::CheckDockSide(int x, int y, CSPBaseControlBar* pBar, int s, BOOL bOutside,
                                    DWORD& dwAlignment, DWORD dwEnabledAlignment, LPCRECT lpRect) {
    CRect r;
    if (pBar != NULL && pBar->GetSafeHwnd() != NULL)
        pBar->GetWindowRect(r);
    else if (lpRect != NULL)
        r = *lpRect;
    else
        return FALSE;
    const int c = pBar != NULL ? pBar->GetCaptionHeight() : 0;
    const struct {
        DWORD dwSide;
        CRect zone;
    } zones[] = {
        {CBRS_ALIGN_TOP, bOutside ? CRect(r.left - s, r.top - s, r.right + s, r.top)
                                  : CRect(r.left - s, r.top - s, r.right + s, r.top + c + s)},
        {CBRS_ALIGN_LEFT, bOutside ? CRect(r.left - s, r.top - s, r.left, r.bottom + s)
                                   : CRect(r.left - s, r.top - s, r.left + s, r.bottom + s)},
        {CBRS_ALIGN_BOTTOM, bOutside ? CRect(r.left - s, r.bottom, r.right + s, r.bottom + s)
                                     : CRect(r.left - s, r.bottom - s, r.right + s, r.bottom + s)},
        {CBRS_ALIGN_RIGHT, bOutside ? CRect(r.right, r.top - s, r.right + s, r.bottom + s)
                                    : CRect(r.right - s, r.top - s, r.right + s, r.bottom + s)},
    };
    for (const auto& zone : zones) {
        if ((dwEnabledAlignment & zone.dwSide) != 0 && zone.zone.PtInRect(CPoint(x, y))) {
            dwAlignment = zone.dwSide;
            return TRUE;
        }
    }
    return FALSE;
}

DWORD CSPDockingUtils::GetOppositeAlignment(DWORD dwAlign) {
    switch (dwAlign & CBRS_ALIGN_ANY) {
    case CBRS_ALIGN_LEFT:
        return CBRS_ALIGN_RIGHT;
    case CBRS_ALIGN_RIGHT:
        return CBRS_ALIGN_LEFT;
    case CBRS_ALIGN_TOP:
        return CBRS_ALIGN_BOTTOM;
    case CBRS_ALIGN_BOTTOM:
        return CBRS_ALIGN_TOP;
    }
    return 0;
}

void CSPDockingUtils::RotateRect(CRect& rect, int nAngle) {
    const CRect r = rect;
    switch (nAngle) {
    case 90:
        rect.SetRect(r.bottom, r.left, r.top, r.right);
        break;
    case 180:
        rect.SetRect(r.left, r.bottom, r.right, r.top);
        break;
    case -90:
    case 275:
        rect.SetRect(r.top, r.right, r.bottom, r.left);
        break;
    }
}

void CSPDockingUtils::ReparentWindows(CObList& lst, CWnd* pNewParent, BOOL bVisibleOnly) {
    for (POSITION pos = lst.GetHeadPosition(); pos != NULL;) {
        CWnd* pWnd = (CWnd*)lst.GetNext(pos);
        if (pWnd->GetSafeHwnd() == NULL) continue;
        if (bVisibleOnly && (pWnd->GetStyle() & WS_VISIBLE) == 0) continue;
        if (pWnd->IsKindOf(RUNTIME_CLASS(CSPSlider))) {
            pWnd->SetParent(pNewParent);
            continue;
        }
        pWnd->ShowWindow(SW_HIDE);
        pWnd->SetParent(pNewParent);
        CRect rect;
        pWnd->GetWindowRect(rect);
        pWnd->SetWindowPos(NULL, -rect.Width(), -rect.Height(), 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        pWnd->ShowWindow(SW_SHOW);
    }
}

BOOL CSPDockingUtils::CanDockToMultiMiniFrame(CWnd* pWnd) {
    if (pWnd == NULL) return FALSE;
    CWnd* pBar = pWnd;
    if (pWnd->IsKindOf(RUNTIME_CLASS(CSPMiniFrameWnd))) pBar = ((CSPMiniFrameWnd*)pWnd)->GetControlBar();
    if (pBar == NULL || !pBar->IsKindOf(RUNTIME_CLASS(CSPControlBar))) return FALSE;
    if (pBar->GetParent()->IsKindOf(RUNTIME_CLASS(CSPMultiMiniFrameWnd))) return TRUE;
    return (((CSPControlBar*)pBar)->GetControlBarStyle() & 0x40) != 0;
}

void CSPDockingUtils::CalcContainerDockTarget(CSPBarContainerManager& manager, CWnd* pDraggedWnd, CPoint pt,
                                              CRect& rect, BOOL& bTab, CSPBaseControlBar*& pTarget) {
    rect.SetRectEmpty();
    bTab = FALSE;
    pTarget = NULL;
    if (::GetKeyState(VK_CONTROL) < 0 || pDraggedWnd->GetSafeHwnd() == NULL) return;
    const int nSensitivity = CSPDockingControlBar::m_nDockSensitivity;
    BOOL bOnTabArea = FALSE, bOnCaption = FALSE;
    CSPControlBar* pBar = manager.ControlBarFromPoint(pt, nSensitivity, TRUE, bOnTabArea, bOnCaption);
    if (pBar == NULL) pBar = manager.ControlBarFromPoint(pt, nSensitivity, FALSE, bOnTabArea, bOnCaption);
    CSPDockingControlBar* pPane = DYNAMIC_DOWNCAST(CSPDockingControlBar, pBar);
    if (pPane == NULL) return;
    DWORD dwSide = 0;
    CRect rectPane;
    pPane->GetWindowRect(rectPane);
    if (!CheckDockSide(pt.x, pt.y, pPane, nSensitivity, FALSE, dwSide, CBRS_ALIGN_ANY, rectPane))
        dwSide = CBRS_ALIGN_LEFT;

    CSPMiniFrameWnd* pDraggedFrame = DYNAMIC_DOWNCAST(CSPMiniFrameWnd, pDraggedWnd);
    CWnd* pDraggedBarWnd = pDraggedFrame != NULL ? pDraggedFrame->GetControlBar() : pDraggedWnd;
    CSPControlBar* pDraggedBar = DYNAMIC_DOWNCAST(CSPControlBar, pDraggedBarWnd);
    CSPMiniFrameWnd* pTargetFrame = pPane->GetParentMiniFrame(TRUE);
    const DWORD dwAllowed = pTargetFrame != NULL ? CBRS_ALIGN_ANY : (pPane->GetCurrentAlignment() & CBRS_ALIGN_ANY);
    if (pDraggedFrame != NULL && (pDraggedBar == NULL || (pDraggedBar->GetEnabledAlignment() & dwAllowed) == 0))
        return;
    pTarget = pPane;
    bTab = bOnTabArea || bOnCaption;
    if (pTargetFrame != NULL && !CanDockToMultiMiniFrame(pDraggedWnd)) bTab = FALSE;
    if (pDraggedBar == NULL || !pPane->CanAcceptBar(pDraggedBar) || !pDraggedBar->CanBeTabbed()) bTab = FALSE;
    if (pPane == pDraggedBarWnd || pTargetFrame == pDraggedWnd) {
        bTab = FALSE;
        return;
    }
    if (bTab) return;
    // The region's split rule: the incoming window takes at most half the
    // target, a slider's thickness away from it.
    CRect rectIncoming;
    pDraggedWnd->GetWindowRect(rectIncoming);
    CRect rectSlider(0, 0, 0, 0);
    DWORD dwSliderStyle = 0;
    CSPBarContainerManager::CalcChildRects(rectPane, rectIncoming, rectSlider, dwSliderStyle, dwSide, CSize(0, 0),
                                           CSize(0, 0));
    rect = rectIncoming;
}
