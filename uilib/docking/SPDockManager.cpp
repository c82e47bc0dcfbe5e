#include "SPDockManager.h"
#include "SPAutoHideButton.h"
#include "SPAutoHideDockBar.h"
#include "SPAutoHideToolBar.h"
#include "SPBaseTabbedBar.h"

#include <algorithm>


#include "SPBaseControlBar.h"
#include "SPClientHooks.h"
#include "SPControlBar.h"
#include "SPDockBar.h"
#include "SPDockingUtils.h"
#include "SPToolBar.h"
#include "SPGlobalData.h"
#include "SPMiniFrameWnd.h"
#include "SPMultiMiniFrameWnd.h"
#include "SPDockingControlBar.h"
#include "SPBarContainerManager.h"
#include "SPSlider.h"
#include "SPStatusBar.h"

using std::max;
using std::min;

BOOL CSPDockManager::m_bRestoringDockState = FALSE;
clock_t (*CSPDockManager::m_pfnClock)() = clock;
LPCTSTR const CSPDockManager::m_lpszSection = _T("SPDockManagers");

// The docking sensitivity and the rests before a floating bar docks.
static const int nDockSensitivity = 15;
static const clock_t clkRestOverDockBar = 200;
static const clock_t clkRestOverPane = 220;

CSPDockManager::CSPDockManager()
    : m_bEnableAdjustLayout(TRUE),
      m_bLockUpdate(FALSE),
      m_bDisableBarsLayout(FALSE),
      m_pParentWnd(NULL),
      m_rectDockBarBounds(0, 0, 0, 0),
      m_rectClientAreaBounds(0, 0, 0, 0),
      m_rectOuterEdgeBounds(0, 0, 0, 0),
      m_dwEnabledDockBars(0),
      m_dwEnabledSlideBars(0),
      m_pLastTargetBar(NULL),
      m_pLastMultiMiniFrame(NULL),
      m_clkLastTime(0),
      m_nLastCode(0),
      m_bIsPrintPreviewMode(FALSE),
      m_bHideDockingBarsInContainerMode(FALSE),
      m_bAdjustingBarLayout(FALSE),
      m_bRecalcLayout(FALSE),
      m_lstHiddenMiniFrames(10),
      m_bLoadFailed(FALSE) {}

CSPDockManager::~CSPDockManager() { ClearDockedBarStateRecords(); }

BOOL CSPDockManager::SetDockSite(CFrameWnd* pFrame) {
    m_pParentWnd = pFrame;
    return TRUE;
}

BOOL CSPDockManager::IsBarKnown(const CSPBaseControlBar* pBar) const {
    return pBar != NULL && m_lstControlBars.Find((CObject*)pBar) != NULL;
}

// --- dock bars -----------------------------------------------------------------------

BOOL CSPDockManager::EnableDocking(DWORD dwStyle) {
    static const DWORD sides[] = {CBRS_ALIGN_TOP, CBRS_ALIGN_BOTTOM, CBRS_ALIGN_LEFT, CBRS_ALIGN_RIGHT};
    if (m_pParentWnd->GetSafeHwnd() == NULL) return FALSE;
    for (DWORD dwSide : sides) {
        if ((dwStyle & dwSide) == 0 || (m_dwEnabledDockBars & dwSide) != 0) continue;
        CSPDockBar* pDockBar = (CSPDockBar*)RUNTIME_CLASS(CSPDockBar)->CreateObject();
        if (pDockBar == NULL) return FALSE;
        // A dock bar deletes itself with its window; a refused one has
        // deleted itself already (PostNcDestroy).
        if (!pDockBar->Create(dwSide | WS_CHILD | WS_VISIBLE, CRect(0, 0, 0, 0), m_pParentWnd)) return FALSE;
        m_lstControlBars.AddTail(pDockBar);
        m_dwEnabledDockBars |= dwSide;
    }
    AdjustDockingLayout();
    return TRUE;
}

BOOL CSPDockManager::EnableAutoHideBars(DWORD dwStyle) {
    // The sliding strips stand behind their side's dock bar, which must
    // exist first.
    static const DWORD sides[] = {CBRS_ALIGN_TOP, CBRS_ALIGN_BOTTOM, CBRS_ALIGN_LEFT, CBRS_ALIGN_RIGHT};
    if (m_pParentWnd->GetSafeHwnd() == NULL) return FALSE;
    for (DWORD dwSide : sides) {
        if ((dwStyle & dwSide) == 0 || (m_dwEnabledSlideBars & dwSide) != 0) continue;
        if ((m_dwEnabledDockBars & dwSide) == 0 && !EnableDocking(dwSide)) return FALSE;
        CSPAutoHideDockBar* pDockBar = (CSPAutoHideDockBar*)RUNTIME_CLASS(CSPAutoHideDockBar)->CreateObject();
        if (pDockBar == NULL) return FALSE;
        if (!pDockBar->Create(dwSide | WS_CHILD | WS_VISIBLE, CRect(0, 0, 0, 0), m_pParentWnd))
            return FALSE;  // deleted itself, as a dock bar
        m_lstControlBars.AddTail(pDockBar);
        m_dwEnabledSlideBars |= dwSide;
    }
    AdjustDockingLayout();
    return TRUE;
}

// --- auto-hide -----------------------------------------------------------------------------

CSPAutoHideToolBar* CSPDockManager::AutoHideBar(CSPDockingControlBar* pBar, CSPAutoHideToolBar* pCurrAutoHideToolBar) {
    if (pBar == NULL) return NULL;
    const DWORD dwAlignment = pBar->GetCurrentAlignment();
    CSPAutoHideDockBar* pAutoHideDockBar = DYNAMIC_DOWNCAST(CSPAutoHideDockBar, FindDockBar(dwAlignment, FALSE));
    if (pAutoHideDockBar == NULL) return NULL;
    CSPAutoHideToolBar* pToolBar = pCurrAutoHideToolBar;
    const BOOL bNew = pToolBar == NULL;
    if (bNew) {
        pToolBar = new CSPAutoHideToolBar;
        // The strip deletes itself with its window, a refused one at once.
        if (!pToolBar->Create(NULL, WS_CHILD | WS_VISIBLE, CRect(0, 0, 0, 0), m_pParentWnd, 1, 0, NULL))
            return NULL;
    }
    pToolBar->EnableDocking(CBRS_ALIGN_ANY);
    CSPSlider* pSlider = pBar->GetDefaultSlider();
    if (pToolBar->AddAutoHideButton(pBar, dwAlignment) == NULL) {
        if (bNew) pToolBar->DestroyWindow();
        return NULL;
    }
    if (bNew) {
        if ((pAutoHideDockBar->GetStyle() & WS_VISIBLE) == 0) pAutoHideDockBar->ShowWindow(SW_SHOW);
        pToolBar->DockControlBar(pAutoHideDockBar, NULL, SP_DM_RECT);
    }
    AdjustDockingLayout();
    if (pSlider != NULL) {
        AddControlBar(pSlider, TRUE, TRUE, FALSE);
        AlignAutoHideBar(pSlider, TRUE);
    }
    pBar->BringWindowToTop();
    if (pSlider != NULL) pSlider->BringWindowToTop();
    return pToolBar;
}

void CSPDockManager::HideAutoHideBars(CSPDockingControlBar* pBarToExclude, BOOL bImmediately) {
    CObList lst;
    lst.AddTail(&m_lstAutoHideBars);
    for (POSITION pos = lst.GetHeadPosition(); pos != NULL;) {
        CSPSlider* pSlider = DYNAMIC_DOWNCAST(CSPSlider, lst.GetNext(pos));
        if (pSlider == NULL || pSlider->GetContainerManager() == NULL) continue;
        CSPDockingControlBar* pPane =
            DYNAMIC_DOWNCAST(CSPDockingControlBar, pSlider->GetContainerManager()->GetFirstBar());
        if (pPane == NULL || pPane == pBarToExclude || (pPane->GetStyle() & WS_VISIBLE) == 0) continue;
        pPane->Slide(FALSE, !bImmediately);
    }
}

void CSPDockManager::AlignAutoHideBar(CSPSlider* pDefaultSlider, BOOL bIsVisible) {
    if (pDefaultSlider == NULL || pDefaultSlider->GetContainerManager() == NULL) return;
    CSPControlBar* pPane = pDefaultSlider->GetContainerManager()->GetFirstBar();
    const DWORD dwAlignment = pDefaultSlider->GetCurrentAlignment();
    const CRect rectOuter = m_rectOuterEdgeBounds;  // frame client coordinates
    if (bIsVisible) {
        const CSize size = pDefaultSlider->CalcFixedLayout(FALSE, pDefaultSlider->IsHorizontal());
        CRect rect = rectOuter;
        switch (dwAlignment) {
        case CBRS_ALIGN_TOP: rect.bottom = rect.top + min((int)size.cy, (int)rectOuter.Height()); break;
        case CBRS_ALIGN_BOTTOM: rect.top = rect.bottom - min((int)size.cy, (int)rectOuter.Height()); break;
        case CBRS_ALIGN_LEFT: rect.right = rect.left + min((int)size.cx, (int)rectOuter.Width()); break;
        case CBRS_ALIGN_RIGHT: rect.left = rect.right - min((int)size.cx, (int)rectOuter.Width()); break;
        default: return;
        }
        pDefaultSlider->RepositionBars(rect, NULL);
        return;
    }
    CWnd* pParent = pDefaultSlider->GetParent();
    if (pParent == NULL || pPane == NULL) return;
    CRect rectSlider, rectPane;
    pDefaultSlider->GetWindowRect(rectSlider);
    pPane->GetWindowRect(rectPane);
    pParent->ScreenToClient(rectSlider);
    pParent->ScreenToClient(rectPane);
    const BOOL bHorz = (dwAlignment & CBRS_ORIENT_HORZ) != 0;
    if (bHorz) {
        rectSlider.left = rectPane.left = rectOuter.left;
        rectSlider.right = rectPane.right = rectOuter.right;
    } else {
        rectSlider.top = rectPane.top = rectOuter.top;
        rectSlider.bottom = rectPane.bottom = rectOuter.bottom;
    }
    CSize sizeShift(0, 0);
    switch (dwAlignment) {
    case CBRS_ALIGN_LEFT: sizeShift.cx = rectOuter.left - rectSlider.left; break;
    case CBRS_ALIGN_RIGHT: sizeShift.cx = rectOuter.right - rectSlider.right; break;
    case CBRS_ALIGN_TOP: sizeShift.cy = rectOuter.top - rectSlider.top; break;
    case CBRS_ALIGN_BOTTOM: sizeShift.cy = rectOuter.bottom - rectSlider.bottom; break;
    default: break;
    }
    rectSlider.OffsetRect(sizeShift);
    rectPane.OffsetRect(sizeShift);
    pDefaultSlider->CWnd::SetWindowPos(NULL, rectSlider.left, rectSlider.top, rectSlider.Width(),
                                       rectSlider.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
    pPane->CWnd::SetWindowPos(NULL, rectPane.left, rectPane.top, rectPane.Width(), rectPane.Height(),
                              SWP_NOZORDER | SWP_NOACTIVATE);
    pPane->RecalcLayout();
}

CSPDockBar* CSPDockManager::FindDockBar(DWORD dwAlignment, BOOL bForward) const {
    POSITION pos = bForward ? m_lstControlBars.GetHeadPosition() : m_lstControlBars.GetTailPosition();
    while (pos != NULL) {
        CObject* pObj = bForward ? m_lstControlBars.GetNext(pos) : m_lstControlBars.GetPrev(pos);
        if (pObj->IsKindOf(RUNTIME_CLASS(CSPDockBar)) &&
            ((CSPDockBar*)pObj)->GetCurrentAlignment() == (dwAlignment & CBRS_ALIGN_ANY))
            return (CSPDockBar*)pObj;
    }
    return NULL;
}

CSPDockBar* CSPDockManager::FindDockBarByID(CSPControlBar* pBar) const {
    if (pBar == NULL || pBar->GetSafeHwnd() == NULL) return NULL;
    for (POSITION pos = m_lstControlBars.GetHeadPosition(); pos != NULL;) {
        CObject* pObj = m_lstControlBars.GetNext(pos);
        if (!pObj->IsKindOf(RUNTIME_CLASS(CSPDockBar))) continue;
        CSPDockBar* pDockBar = (CSPDockBar*)pObj;
        if (pDockBar->FindBarByID((UINT)pBar->GetDlgCtrlID()) == pBar) return pDockBar;
    }
    return NULL;
}

// --- the bar list ------------------------------------------------------------------------

BOOL CSPDockManager::AddControlBar(CSPBaseControlBar* pBar, BOOL bTail, BOOL bAutoHide, BOOL bInsertForOuterEdge) {
    if (pBar == NULL) return FALSE;
    CObList& lst = bAutoHide ? m_lstAutoHideBars : m_lstControlBars;
    if (lst.Find(pBar) != NULL) return FALSE;
    if (bTail) {
        lst.AddTail(pBar);
    } else if (!bInsertForOuterEdge) {
        lst.AddHead(pBar);
    } else {
        POSITION posResizable = NULL;
        for (POSITION pos = lst.GetHeadPosition(); pos != NULL && posResizable == NULL;) {
            POSITION posCur = pos;
            if (((CSPBaseControlBar*)lst.GetNext(pos))->IsResizable()) posResizable = posCur;
        }
        if (posResizable != NULL)
            lst.InsertBefore(posResizable, pBar);
        else
            lst.AddTail(pBar);
    }
    pBar->SetDockSite(m_pParentWnd);
    return TRUE;
}

BOOL CSPDockManager::InsertControlBar(CSPBaseControlBar* pBar, CSPBaseControlBar* pTarget, BOOL bAfter) {
    if (pBar == NULL || m_lstControlBars.Find(pBar) != NULL) return FALSE;
    POSITION posTarget = m_lstControlBars.Find(pTarget);
    if (posTarget == NULL) return FALSE;
    if (bAfter)
        m_lstControlBars.InsertAfter(posTarget, pBar);
    else
        m_lstControlBars.InsertBefore(posTarget, pBar);
    return TRUE;
}

BOOL CSPDockManager::RemoveControlBar(CSPBaseControlBar* pBar, BOOL bDestroy, BOOL bAdjustLayout,
                                      BOOL bAutoHide) {
    CObList& lst = bAutoHide ? m_lstAutoHideBars : m_lstControlBars;
    POSITION pos = pBar != NULL ? lst.Find(pBar) : NULL;
    if (pos == NULL) return FALSE;
    lst.RemoveAt(pos);
    if (bDestroy && pBar->GetSafeHwnd() != NULL) pBar->DestroyWindow();
    if (bAdjustLayout) AdjustDockingLayout();
    return TRUE;
}

void CSPDockManager::GetControlBarList(CObList& lst, BOOL bIncludeAutohide, CRuntimeClass* pRTCFilter) {
    auto add = [&](CObject* pObj) {
        if (pRTCFilter == NULL || pObj->IsKindOf(pRTCFilter)) lst.AddTail(pObj);
    };
    for (POSITION pos = m_lstControlBars.GetHeadPosition(); pos != NULL;) {
        CObject* pObj = m_lstControlBars.GetNext(pos);
        if (pObj->IsKindOf(RUNTIME_CLASS(CSPDockBar))) {
            const CObList& lstDocked = ((CSPDockBar*)pObj)->GetControlBarList();
            for (POSITION posBar = lstDocked.GetHeadPosition(); posBar != NULL;) add(lstDocked.GetNext(posBar));
        }
        add(pObj);
    }
    if (bIncludeAutohide) {
        for (POSITION pos = m_lstAutoHideBars.GetHeadPosition(); pos != NULL;) add(m_lstAutoHideBars.GetNext(pos));
    }
    // A floating frame holds its bars as child windows.
    for (POSITION pos = m_lstMiniFrames.GetHeadPosition(); pos != NULL;) {
        CWnd* pMiniFrame = (CWnd*)m_lstMiniFrames.GetNext(pos);
        for (CWnd* pChild = pMiniFrame->GetWindow(GW_CHILD); pChild != NULL; pChild = pChild->GetWindow(GW_HWNDNEXT)) {
            CWnd* pPermanent = CWnd::FromHandlePermanent(pChild->GetSafeHwnd());
            if (pPermanent != NULL && pPermanent->IsKindOf(RUNTIME_CLASS(CSPBaseControlBar))) add(pPermanent);
        }
    }
}

// --- docking -------------------------------------------------------------------------------

void CSPDockManager::DockControlBar(CSPBaseControlBar* pBar, UINT nDockBarID, LPCRECT lpRect) {
    if (m_lstControlBars.IsEmpty() || pBar == NULL || pBar->GetSafeHwnd() == NULL) return;
    pBar->UnDockControlBar(TRUE);
    if (!pBar->CanBeResized() && !pBar->CanFloat()) {
        AddControlBar(pBar, TRUE, FALSE, FALSE);
        return;
    }
    if (pBar->CanDockToFrame()) {
        static const struct {
            UINT nID;
            DWORD dwAlignment;
        } sides[] = {{AFX_IDW_DOCKBAR_TOP, CBRS_ALIGN_TOP | CBRS_BORDER_BOTTOM},
                     {AFX_IDW_DOCKBAR_BOTTOM, CBRS_ALIGN_BOTTOM | CBRS_BORDER_TOP},
                     {AFX_IDW_DOCKBAR_LEFT, CBRS_ALIGN_LEFT | CBRS_BORDER_RIGHT},
                     {AFX_IDW_DOCKBAR_RIGHT, CBRS_ALIGN_RIGHT | CBRS_BORDER_LEFT}};
        for (const auto& side : sides) {
            if (side.nID == nDockBarID && (side.dwAlignment & pBar->GetEnabledAlignment()) != 0) {
                // The bar docks on the side it is given.
                pBar->SetCurrentAlignment(side.dwAlignment & CBRS_ALIGN_ANY);
                pBar->DockToFrameSide();
                return;
            }
        }
        return;
    }
    for (POSITION pos = m_lstControlBars.GetHeadPosition(); pos != NULL;) {
        CObject* pObj = m_lstControlBars.GetNext(pos);
        if (!pObj->IsKindOf(RUNTIME_CLASS(CSPDockBar))) continue;
        CSPDockBar* pDockBar = (CSPDockBar*)pObj;
        if (nDockBarID != 0 && pDockBar->GetDockBarID() != nDockBarID) continue;
        if (pBar->CanBeDocked(pDockBar) && pDockBar->CanAcceptBar(pBar) &&
            pBar->DockControlBar(pDockBar, lpRect, SP_DM_RECT)) {
            pBar->InvalidateRect(NULL);
            return;
        }
    }
}

BOOL CSPDockManager::DockControlBarLeftOf(CSPControlBar* pBar, CSPControlBar* pLeftOf) {
    if (pBar == NULL || pLeftOf == NULL) return FALSE;
    // Only toolbars line up beside each other this way.
    if (!pBar->IsKindOf(RUNTIME_CLASS(CSPToolBar)) || !pLeftOf->IsKindOf(RUNTIME_CLASS(CSPToolBar))) return FALSE;
    CSPDockBar* pDockBar = FindDockBarByID(pLeftOf);
    if (pDockBar == NULL) return FALSE;
    pBar->UnDockControlBar(TRUE);
    return pDockBar->DockControlBarInRow(pBar, pLeftOf);
}

// --- hit tests ---------------------------------------------------------------------------------

BOOL CSPDockManager::IsPointNearDockBar(CPoint point, DWORD& dwBarAlignment, BOOL& bOuterEdge) const {
    dwBarAlignment = 0;
    bOuterEdge = FALSE;
    if (m_pParentWnd->GetSafeHwnd() == NULL) return FALSE;
    CRect rectOuter = m_rectOuterEdgeBounds, rectClient = m_rectClientAreaBounds;
    m_pParentWnd->ClientToScreen(rectOuter);
    m_pParentWnd->ClientToScreen(rectClient);
    if (CSPDockingUtils::CheckDockSide(point.x, point.y, NULL, nDockSensitivity, FALSE, dwBarAlignment,
                                       m_dwEnabledDockBars, rectOuter)) {
        bOuterEdge = TRUE;
        return TRUE;
    }
    return CSPDockingUtils::CheckDockSide(point.x, point.y, NULL, nDockSensitivity, FALSE, dwBarAlignment,
                                          m_dwEnabledDockBars, rectClient);
}

CSPBaseControlBar* CSPDockManager::ControlBarFromPoint(CPoint point, int nSensitivity, bool bExactBar,
                                                       CRuntimeClass* pRTCBarType, BOOL bVisibleOnly,
                                                       const CSPBaseControlBar* pBarToIgnore) const {
    for (POSITION pos = m_lstControlBars.GetHeadPosition(); pos != NULL;) {
        CSPBaseControlBar* pBar = (CSPBaseControlBar*)m_lstControlBars.GetNext(pos);
        if (pBar == pBarToIgnore || pBar->GetSafeHwnd() == NULL) continue;
        if (bVisibleOnly && (pBar->GetStyle() & WS_VISIBLE) == 0) continue;
        if (pRTCBarType != NULL && !pBar->IsKindOf(pRTCBarType)) continue;
        CRect rect;
        pBar->GetWindowRect(rect);
        if (!bExactBar) rect.InflateRect(nSensitivity, nSensitivity);
        if (rect.PtInRect(point)) return pBar;
    }
    return NULL;
}

CSPBaseControlBar* CSPDockManager::ControlBarFromPointWithSide(CPoint point, int nSensitivity, DWORD& dwAlignment,
                                                               CRuntimeClass* pRTCBarType,
                                                               const CSPBaseControlBar* pBarToIgnore) const {
    dwAlignment = 0;
    CSPBaseControlBar* pBar = ControlBarFromPoint(point, nSensitivity, true, pRTCBarType, FALSE, pBarToIgnore);
    if (pBar == NULL) return NULL;
    CRect rect;
    pBar->GetWindowRect(rect);
    if (!CSPDockingUtils::CheckDockSide(point.x, point.y, pBar, nSensitivity, FALSE, dwAlignment, CBRS_ALIGN_ANY,
                                        rect))
        return NULL;
    return pBar;
}

CWnd* CSPDockManager::FindBarByID(UINT uBarID, BOOL bSearchMiniFrames) const {
    // The auto-hide list holds the sliders of pinned-away panes.
    for (POSITION pos = m_lstAutoHideBars.GetHeadPosition(); pos != NULL;) {
        CSPSlider* pSlider = DYNAMIC_DOWNCAST(CSPSlider, m_lstAutoHideBars.GetNext(pos));
        CWnd* pWnd = pSlider != NULL && pSlider->GetContainerManager() != NULL
                         ? pSlider->GetContainerManager()->GetFirstBar()
                         : NULL;
        if (pWnd->GetSafeHwnd() != NULL && (UINT)pWnd->GetDlgCtrlID() == uBarID) return pWnd;
    }
    for (POSITION pos = m_lstControlBars.GetHeadPosition(); pos != NULL;) {
        CSPBaseControlBar* pBar = (CSPBaseControlBar*)m_lstControlBars.GetNext(pos);
        if (pBar->GetSafeHwnd() == NULL) continue;
        if (pBar->IsKindOf(RUNTIME_CLASS(CSPDockBar))) {
            CWnd* pFound = ((CSPDockBar*)pBar)->FindBarByID(uBarID);
            if (pFound != NULL) return pFound;
        } else if ((UINT)pBar->GetDlgCtrlID() == uBarID) {
            return pBar;
        } else if (pBar->IsKindOf(RUNTIME_CLASS(CSPBaseTabbedBar))) {
            CWnd* pFound = ((CSPBaseTabbedBar*)pBar)->FindBarByID(uBarID);
            if (pFound != NULL) return pFound;
        }
    }
    if (bSearchMiniFrames) {
        for (POSITION pos = m_lstMiniFrames.GetHeadPosition(); pos != NULL;) {
            CWnd* pMiniFrame = (CWnd*)m_lstMiniFrames.GetNext(pos);
            if (pMiniFrame->GetSafeHwnd() == NULL) continue;
            CWnd* pBar = pMiniFrame->GetDlgItem((int)uBarID);
            if (pBar != NULL) return pBar;
            // A tab of a floating tabbed bar.
            for (CWnd* pChild = pMiniFrame->GetWindow(GW_CHILD); pChild != NULL;
                 pChild = pChild->GetWindow(GW_HWNDNEXT)) {
                CSPBaseTabbedBar* pTabbed = DYNAMIC_DOWNCAST(CSPBaseTabbedBar, CWnd::FromHandlePermanent(pChild->m_hWnd));
                CWnd* pFound = pTabbed != NULL ? pTabbed->FindBarByID(uBarID) : NULL;
                if (pFound != NULL) return pFound;
            }
        }
    }
    CSPBaseControlBar* pFloating = CSPMiniFrameWnd::FindBarById(uBarID);
    if (pFloating != NULL && pFloating->GetDockSite() == m_pParentWnd) return pFloating;
    return NULL;
}

// --- floating frames ---------------------------------------------------------------------------

BOOL CSPDockManager::AddMiniFrame(CWnd* pWnd) {
    if (pWnd == NULL || m_lstMiniFrames.Find(pWnd) != NULL) return FALSE;
    m_lstMiniFrames.AddTail(pWnd);
    return TRUE;
}

BOOL CSPDockManager::RemoveMiniFrame(CWnd* pWnd) {
    POSITION pos = m_lstMiniFrames.Find(pWnd);
    if (pos == NULL) return FALSE;
    m_lstMiniFrames.RemoveAt(pos);
    return TRUE;
}

CWnd* CSPDockManager::FrameFromPoint(CPoint pt, CWnd* pFrameToIgnore, BOOL bMultiMiniFrameOnly) const {
    for (POSITION pos = m_lstMiniFrames.GetHeadPosition(); pos != NULL;) {
        CWnd* pWnd = (CWnd*)m_lstMiniFrames.GetNext(pos);
        if (pWnd == pFrameToIgnore || pWnd->GetSafeHwnd() == NULL || !pWnd->IsWindowVisible()) continue;
        if (bMultiMiniFrameOnly && !pWnd->IsKindOf(RUNTIME_CLASS(CSPMultiMiniFrameWnd))) continue;
        CRect rect;
        pWnd->GetWindowRect(rect);
        if (rect.PtInRect(pt)) return pWnd;
    }
    return NULL;
}

BOOL CSPDockManager::SendMessageToMiniFrames(UINT uMessage, WPARAM wParam, LPARAM lParam) {
    for (POSITION pos = m_lstMiniFrames.GetHeadPosition(); pos != NULL;) {
        CWnd* pWnd = (CWnd*)m_lstMiniFrames.GetNext(pos);
        if (pWnd->GetSafeHwnd() != NULL) pWnd->SendMessage(uMessage, wParam, lParam);
    }
    return TRUE;
}

void CSPDockManager::OnActivateFrame(BOOL bActivate, BOOL bToolBarsOnly) {
    if (!bActivate) {
        for (POSITION pos = m_lstMiniFrames.GetHeadPosition(); pos != NULL;) {
            CWnd* pWnd = (CWnd*)m_lstMiniFrames.GetNext(pos);
            if (pWnd->GetSafeHwnd() == NULL || !pWnd->IsWindowVisible()) continue;
            if (bToolBarsOnly && !(pWnd->IsKindOf(RUNTIME_CLASS(CSPMiniFrameWnd)) &&
                                   ((CSPMiniFrameWnd*)pWnd)->HoldsToolBar()))
                continue;
            pWnd->ShowWindow(SW_HIDE);
            if (m_lstHiddenMiniFrames.Find(pWnd->GetSafeHwnd()) == NULL)
                m_lstHiddenMiniFrames.AddTail(pWnd->GetSafeHwnd());
        }
        return;
    }
    for (POSITION pos = m_lstHiddenMiniFrames.GetHeadPosition(); pos != NULL;) {
        HWND hwnd = m_lstHiddenMiniFrames.GetNext(pos);
        if (::IsWindow(hwnd) && ::GetWindow(hwnd, GW_CHILD) != NULL) ::ShowWindow(hwnd, SW_SHOWNOACTIVATE);
    }
    m_lstHiddenMiniFrames.RemoveAll();
}

BOOL CSPDockManager::OnMoveMiniFrame(CWnd* pFrame) {
    if (::GetKeyState(VK_CONTROL) < 0) return TRUE;
    if (pFrame == NULL || !pFrame->IsKindOf(RUNTIME_CLASS(CSPMiniFrameWnd))) return TRUE;
    CWnd* pBar = ((CSPMiniFrameWnd*)pFrame)->GetControlBar();
    if (pBar == NULL || !pBar->IsKindOf(RUNTIME_CLASS(CSPControlBar))) return TRUE;
    CSPMultiMiniFrameWnd* pMulti = DYNAMIC_DOWNCAST(CSPMultiMiniFrameWnd, pFrame);
    if (pMulti != NULL && pMulti->GetControlBarCount() > 1 && pMulti->GetDockMode() == SP_DT_IMMEDIATE)
        return OnMoveMultiMiniFrame(pMulti);
    return OnMoveFloatingBar((CSPControlBar*)pBar, pFrame);
}

BOOL CSPDockManager::OnMoveMultiMiniFrame(CSPMultiMiniFrameWnd* pMulti) {
    m_pLastMultiMiniFrame = NULL;
    CPoint pt;
    ::GetCursorPos(&pt);
    // The target is the one the outline drag would show at this point; a
    // pane floating in another frame is no target here.
    CRect rectPreview;
    BOOL bTab = FALSE;
    CSPBaseControlBar* pTarget = NULL;
    CalcDragPreview(pMulti, pt, rectPreview, bTab, pTarget);
    int nCode = 0;
    if (pTarget != NULL && pTarget->GetParentMiniFrame() == NULL) {
        if (pTarget->IsKindOf(RUNTIME_CLASS(CSPDockBar)))
            nCode = 1;
        else if (pTarget->IsKindOf(RUNTIME_CLASS(CSPDockingControlBar)))
            nCode = bTab ? 3 : 2;
    }
    if (!HasRestedOver(pTarget, nCode, nCode == 1 ? clkRestOverDockBar : clkRestOverPane)) return TRUE;
    pMulti->KillDockTimer();
    return pMulti->DockToTarget(nCode == 3 ? 2 : 1, nCode == 1 ? NULL : pTarget, SP_DM_MOUSE);
}

BOOL CSPDockManager::OnMoveFloatingBar(CSPControlBar* pBar, CWnd* /*pMiniFrame*/) {
    if (::GetKeyState(VK_CONTROL) < 0) return TRUE;
    m_pLastMultiMiniFrame = NULL;
    if (pBar == NULL || (pBar->GetEnabledAlignment() & CBRS_ALIGN_ANY) == 0) return TRUE;

    CSPDockBar* pTarget = NULL;
    const int nCode = pBar->GetDockTargetAtCursor(nDockSensitivity, pTarget) && pTarget != NULL ? 1 : 0;
    if (!HasRestedOver(pTarget, nCode, clkRestOverDockBar)) return TRUE;
    return pBar->DockByMouse(pTarget) ? FALSE : TRUE;
}

BOOL CSPDockManager::HasRestedOver(CWnd* pTarget, int nCode, clock_t clkRest) {
    if (nCode != 0) {
        if (pTarget != m_pLastTargetBar || nCode != m_nLastCode) {
            m_pLastTargetBar = pTarget;
            m_nLastCode = nCode;
            m_clkLastTime = m_pfnClock();
            return FALSE;
        }
        if (m_pfnClock() - m_clkLastTime < clkRest) return FALSE;
    }
    // No target, or the rest is over: the next rest starts anew.
    m_pLastTargetBar = NULL;
    m_nLastCode = 0;
    m_clkLastTime = 0;
    return nCode != 0;
}

// --- the layout pass ------------------------------------------------------------------------------

void CSPDockManager::FitToSide(CRect& rect, CRect& rectRemaining, DWORD dwAlignment, CSize size, BOOL bLimit) {
    switch (dwAlignment & CBRS_ALIGN_ANY) {
    case CBRS_ALIGN_BOTTOM: {
        int cy = bLimit ? min((int)size.cy, max(0, rectRemaining.Height())) : (int)size.cy;
        rect = CRect(rectRemaining.left, rectRemaining.bottom - cy, rectRemaining.right, rectRemaining.bottom);
        rectRemaining.bottom -= cy;
        break;
    }
    case CBRS_ALIGN_LEFT: {
        int cx = bLimit ? min((int)size.cx, max(0, rectRemaining.Width())) : (int)size.cx;
        rect = CRect(rectRemaining.left, rectRemaining.top, rectRemaining.left + cx, rectRemaining.bottom);
        rectRemaining.left += cx;
        break;
    }
    case CBRS_ALIGN_RIGHT: {
        int cx = bLimit ? min((int)size.cx, max(0, rectRemaining.Width())) : (int)size.cx;
        rect = CRect(rectRemaining.right - cx, rectRemaining.top, rectRemaining.right, rectRemaining.bottom);
        rectRemaining.right -= cx;
        break;
    }
    default: {
        int cy = bLimit ? min((int)size.cy, max(0, rectRemaining.Height())) : (int)size.cy;
        rect = CRect(rectRemaining.left, rectRemaining.top, rectRemaining.right, rectRemaining.top + cy);
        rectRemaining.top += cy;
        break;
    }
    }
}

BOOL CSPDockManager::IsInSliderRegion(const CSPBaseControlBar* pBar) const {
    for (POSITION pos = m_lstControlBars.GetHeadPosition(); pos != NULL;) {
        CSPSlider* pSlider = DYNAMIC_DOWNCAST(CSPSlider, m_lstControlBars.GetNext(pos));
        if (pSlider == NULL || pSlider->GetContainerManager() == NULL || !pSlider->IsDefault()) continue;
        if (pSlider->GetContainerManager()->GetBars().Find((CObject*)pBar) != NULL) return TRUE;
    }
    return FALSE;
}

void CSPDockManager::AdjustDockingLayout(HDWP hdwp) {
    // A layout pass may send messages that ask for another one.
    if (m_bRecalcLayout || m_pParentWnd->GetSafeHwnd() == NULL || !m_bEnableAdjustLayout ||
        m_lstControlBars.IsEmpty())
        return;
    m_bRecalcLayout = TRUE;
    const BOOL bOwnBatch = hdwp == NULL && !m_bIsPrintPreviewMode;
    if (bOwnBatch) hdwp = ::BeginDeferWindowPos((int)m_lstControlBars.GetCount());

    CRect rectRemaining = m_rectDockBarBounds;
    POSITION posLastDockBar = NULL;
    for (POSITION pos = m_lstControlBars.GetTailPosition(); pos != NULL && posLastDockBar == NULL;) {
        POSITION posCur = pos;
        if (m_lstControlBars.GetPrev(pos)->IsKindOf(RUNTIME_CLASS(CSPDockBar))) posLastDockBar = posCur;
    }
    const BOOL bBarsHidden = !m_lstLastHiddenControlBars.IsEmpty() || m_bIsPrintPreviewMode;
    const CRect rectOuterBefore = m_rectOuterEdgeBounds;
    m_rectOuterEdgeBounds.SetRectEmpty();

    for (POSITION pos = m_lstControlBars.GetHeadPosition(); pos != NULL;) {
        POSITION posCur = pos;
        CSPBaseControlBar* pBar = (CSPBaseControlBar*)m_lstControlBars.GetNext(pos);
        if (pBar->GetSafeHwnd() == NULL || pBar->GetParent() != m_pParentWnd) continue;
        const BOOL bVisible = (pBar->GetStyle() & WS_VISIBLE) != 0;
        const BOOL bDockBar = pBar->IsKindOf(RUNTIME_CLASS(CSPDockBar));
        if (!bVisible && (!bDockBar || bBarsHidden)) continue;

        if (IsInSliderRegion(pBar)) continue;

        const DWORD dwAlignment = pBar->GetCurrentAlignment();
        CSize size = pBar->CalcFixedLayout(FALSE, pBar->IsHorizontal());
        CRect rect;
        FitToSide(rect, rectRemaining, dwAlignment, size, pBar->CanDockToFrame());
        CSPSlider* pSlider = DYNAMIC_DOWNCAST(CSPSlider, pBar);
        if (pSlider != NULL && pSlider->IsDefault()) {
            // A default slider takes its side for itself and its region.
            hdwp = pSlider->RepositionBars(rect, hdwp);
            continue;
        }
        if (bDockBar) {
            CRect rectClient(0, 0, rect.Width(), rect.Height());
            const int nLength = pBar->IsHorizontal() ? rect.Width() : rect.Height();
            if (nLength >= 1) ((CSPDockBar*)pBar)->RepositionBars(rectClient);
        }
        hdwp = pBar->SetWindowPos(NULL, rect.left, rect.top, rect.Width(), rect.Height(),
                                  SWP_NOZORDER | SWP_NOACTIVATE, hdwp);
        if (posCur == posLastDockBar) m_rectOuterEdgeBounds = rectRemaining;
    }
    m_rectClientAreaBounds = rectRemaining;
    if (m_rectOuterEdgeBounds.IsRectEmpty() || bBarsHidden) m_rectOuterEdgeBounds = rectRemaining;
    // Panes that are out slide back at once when the edge they lean on moved.
    if (m_rectOuterEdgeBounds != rectOuterBefore && !m_lstAutoHideBars.IsEmpty()) HideAutoHideBars(NULL, TRUE);
    UpdateAutoHideMargins();

    if (bOwnBatch && hdwp != NULL) ::EndDeferWindowPos(hdwp);
    m_bRecalcLayout = FALSE;
}

void CSPDockManager::AdjustBarsLayout() {
    if (m_bAdjustingBarLayout || m_bDisableBarsLayout || !m_bEnableAdjustLayout) return;
    m_bAdjustingBarLayout = TRUE;
    const BOOL bHidden = !m_lstLastHiddenControlBars.IsEmpty();
    for (POSITION pos = m_lstControlBars.GetHeadPosition(); pos != NULL;) {
        CSPBaseControlBar* pBar = (CSPBaseControlBar*)m_lstControlBars.GetNext(pos);
        if (pBar->GetSafeHwnd() == NULL) continue;
        if (bHidden && (pBar->GetStyle() & WS_VISIBLE) == 0) continue;
        pBar->AdjustLayout();
    }
    m_bAdjustingBarLayout = FALSE;
    AdjustDockingLayout();
}

void CSPDockManager::UpdateAllVirtualRects() {
    for (POSITION pos = m_lstControlBars.GetHeadPosition(); pos != NULL;) {
        CObject* pObj = m_lstControlBars.GetNext(pos);
        if (pObj->IsKindOf(RUNTIME_CLASS(CSPDockBar))) ((CSPDockBar*)pObj)->UpdateVirtualRects();
    }
    AdjustDockingLayout();
}

BOOL CSPDockManager::LimitDockedRect(CRect& rect, DWORD dwAlignment) const {
    const int nPercent = spGlobalData.nMaxDockedPercent;
    const CRect& rectArea = m_rectClientAreaBounds;
    switch (dwAlignment & CBRS_ALIGN_ANY) {
    case CBRS_ALIGN_TOP:
    case CBRS_ALIGN_BOTTOM: {
        const int nLimit = rectArea.Height() * nPercent / 100;
        if (rect.Height() < nLimit) return FALSE;
        if (dwAlignment & CBRS_ALIGN_TOP)
            rect.bottom = rect.top + nLimit;
        else
            rect.top = rect.bottom - nLimit;
        return TRUE;
    }
    case CBRS_ALIGN_LEFT:
    case CBRS_ALIGN_RIGHT: {
        const int nLimit = rectArea.Width() * nPercent / 100;
        if (rect.Width() < nLimit) return FALSE;
        if (dwAlignment & CBRS_ALIGN_LEFT)
            rect.right = rect.left + nLimit;
        else
            rect.left = rect.right - nLimit;
        return TRUE;
    }
    }
    return FALSE;
}

void CSPDockManager::CalcDockPreviewRect(CWnd* pWnd, CPoint pt, CRect& rect, DWORD dwEnabledSides) const {
    rect.SetRectEmpty();
    if (pWnd->GetSafeHwnd() == NULL || ::GetKeyState(VK_CONTROL) < 0) return;
    DWORD dwSide = 0;
    BOOL bOuterEdge = FALSE;
    if (!IsPointNearDockBar(pt, dwSide, bOuterEdge) || (dwSide & dwEnabledSides) == 0) return;
    CRect rectWnd;
    pWnd->GetWindowRect(rectWnd);
    CRect rectDock = bOuterEdge ? m_rectOuterEdgeBounds : m_rectClientAreaBounds;
    switch (dwSide) {
    case CBRS_ALIGN_TOP:
        rectDock.bottom = min((int)rectDock.bottom, (int)rectDock.top + rectWnd.Height());
        break;
    case CBRS_ALIGN_BOTTOM:
        rectDock.top = max((int)rectDock.top, (int)rectDock.bottom - rectWnd.Height());
        break;
    case CBRS_ALIGN_LEFT:
        rectDock.right = min((int)rectDock.right, (int)rectDock.left + rectWnd.Width());
        break;
    case CBRS_ALIGN_RIGHT:
        rectDock.left = max((int)rectDock.left, (int)rectDock.right - rectWnd.Width());
        break;
    }
    LimitDockedRect(rectDock, dwSide);
    m_pParentWnd->ClientToScreen(rectDock);
    rect = rectDock;
}

void CSPDockManager::CalcDragPreview(CWnd* pDraggedWnd, CPoint pt, CRect& rect, BOOL& bTab,
                                    CSPBaseControlBar*& pTarget) const {
    rect.SetRectEmpty();
    bTab = FALSE;
    pTarget = NULL;
    if (pDraggedWnd->GetSafeHwnd() == NULL || ::GetKeyState(VK_CONTROL) < 0) return;
    CSPMiniFrameWnd* pDraggedFrame = DYNAMIC_DOWNCAST(CSPMiniFrameWnd, pDraggedWnd);
    CWnd* pDraggedBarWnd = pDraggedFrame != NULL ? pDraggedFrame->GetControlBar() : pDraggedWnd;
    CSPControlBar* pDraggedBar = DYNAMIC_DOWNCAST(CSPControlBar, pDraggedBarWnd);

    CSPMultiMiniFrameWnd* pMulti = DYNAMIC_DOWNCAST(CSPMultiMiniFrameWnd, FrameFromPoint(pt, pDraggedWnd, TRUE));
    if (pMulti != NULL) {
        pMulti->CalcDockPreviewRect(pDraggedWnd, pt, rect, bTab, pTarget);
        return;
    }
    // A docked pane under the point: its slider's region tells.
    for (POSITION pos = m_lstControlBars.GetHeadPosition(); pos != NULL;) {
        CSPDockingControlBar* pPane = DYNAMIC_DOWNCAST(CSPDockingControlBar, m_lstControlBars.GetNext(pos));
        if (pPane == NULL || pPane == pDraggedBarWnd || pPane->GetSafeHwnd() == NULL || !pPane->IsWindowVisible() ||
            pPane->GetParent() != m_pParentWnd || pPane->IsAutoHideMode())
            continue;
        CRect rectPane;
        pPane->GetWindowRect(rectPane);
        if (!rectPane.PtInRect(pt)) continue;
        CSPSlider* pSlider = pPane->GetDefaultSlider();
        if (pSlider == NULL) break;
        if (pDraggedFrame != NULL && !pPane->CanAcceptMiniFrame(pDraggedFrame)) break;
        pSlider->CalcBarLayout(pDraggedWnd, pt, rect, bTab, pTarget);
        if (pTarget != NULL) return;
        break;
    }
    rect.SetRectEmpty();
    bTab = FALSE;
    pTarget = NULL;
    const DWORD dwEnabled = pDraggedBar != NULL ? pDraggedBar->GetEnabledAlignment() & CBRS_ALIGN_ANY : CBRS_ALIGN_ANY;
    CalcDockPreviewRect(pDraggedWnd, pt, rect, dwEnabled);
    DWORD dwSide = 0;
    BOOL bOuterEdge = FALSE;
    if (!rect.IsRectEmpty() && IsPointNearDockBar(pt, dwSide, bOuterEdge)) pTarget = FindDockBar(dwSide, TRUE);
}

// --- showing and hiding ------------------------------------------------------------------------------

void CSPDockManager::HideAndRemember() {
    auto hide = [&](CSPBaseControlBar* pBar, BOOL bAll) {
        if (pBar->GetSafeHwnd() == NULL || (pBar->GetStyle() & WS_VISIBLE) == 0) return;
        if (pBar->IsKindOf(RUNTIME_CLASS(CSPStatusBar))) return;
        if (!bAll && (pBar->IsKindOf(RUNTIME_CLASS(CSPDockingControlBar)) || pBar->IsKindOf(RUNTIME_CLASS(CSPAutoHideDockBar)) ||
                      pBar->IsKindOf(RUNTIME_CLASS(CSPSlider))))
            return;
        pBar->ShowControlBar(FALSE, TRUE, FALSE);
        m_lstLastHiddenControlBars.AddTail(pBar);
    };
    const BOOL bAll = m_bIsPrintPreviewMode;
    for (POSITION pos = m_lstAutoHideBars.GetHeadPosition(); pos != NULL;)
        hide((CSPBaseControlBar*)m_lstAutoHideBars.GetNext(pos), bAll);
    for (POSITION pos = m_lstControlBars.GetHeadPosition(); pos != NULL;) {
        CSPBaseControlBar* pBar = (CSPBaseControlBar*)m_lstControlBars.GetNext(pos);
        if (pBar->IsKindOf(RUNTIME_CLASS(CSPDockBar))) {
            // The bars docked here go, the strip stays.
            const CObList& lst = ((CSPDockBar*)pBar)->GetControlBarList();
            for (POSITION posBar = lst.GetHeadPosition(); posBar != NULL;) hide((CSPBaseControlBar*)lst.GetNext(posBar), bAll);
            continue;
        }
        hide(pBar, bAll);
    }
    for (POSITION pos = m_lstMiniFrames.GetHeadPosition(); pos != NULL;) {
        CWnd* pWnd = (CWnd*)m_lstMiniFrames.GetNext(pos);
        if (pWnd->GetSafeHwnd() == NULL || !pWnd->IsWindowVisible()) continue;
        pWnd->ShowWindow(SW_HIDE);
        m_lstLastHiddenControlBars.AddTail(pWnd);
    }
}

void CSPDockManager::ShowRemembered() {
    while (!m_lstLastHiddenControlBars.IsEmpty()) {
        CWnd* pWnd = (CWnd*)m_lstLastHiddenControlBars.RemoveHead();
        if (pWnd->GetSafeHwnd() == NULL) continue;
        if (pWnd->IsKindOf(RUNTIME_CLASS(CSPBaseControlBar)))
            ((CSPBaseControlBar*)pWnd)->ShowControlBar(TRUE, TRUE, FALSE);
        else
            pWnd->ShowWindow(SW_SHOWNOACTIVATE);
    }
}

BOOL CSPDockManager::ShowAllControlBars(BOOL bShow) {
    if (!bShow) {
        if (m_bHideDockingBarsInContainerMode) return FALSE;
        HideAndRemember();
        m_bHideDockingBarsInContainerMode = TRUE;
    } else {
        if (!m_bHideDockingBarsInContainerMode) return FALSE;
        m_bHideDockingBarsInContainerMode = FALSE;
        ShowRemembered();
    }
    AdjustDockingLayout();
    return TRUE;
}

void CSPDockManager::DestroyMiniFrames() {
    // Collected first: each frame takes itself off the list as it goes.
    CArray<HWND, HWND> frames;
    for (POSITION pos = m_lstMiniFrames.GetHeadPosition(); pos != NULL;) {
        CWnd* pWnd = (CWnd*)m_lstMiniFrames.GetNext(pos);
        if (pWnd->GetSafeHwnd() != NULL) frames.Add(pWnd->GetSafeHwnd());
    }
    for (int i = 0; i < frames.GetSize(); i++) {
        CWnd* pWnd = CWnd::FromHandlePermanent(frames[i]);
        if (pWnd != NULL && ::IsWindow(frames[i])) pWnd->DestroyWindow();
    }
}

BOOL CSPDockManager::CanBarsBeTabbed(const CSPBaseControlBar* pBar, const CSPBaseControlBar* pTabbedBar) const {
    return pBar != NULL && pTabbedBar != NULL && pBar != pTabbedBar && pBar->IsKindOf(RUNTIME_CLASS(CSPDockingControlBar)) &&
           pTabbedBar->IsKindOf(RUNTIME_CLASS(CSPDockingControlBar));
}

void CSPDockManager::SetPrintPreviewMode(BOOL bPreview, CPrintPreviewState* /*pState*/) {
    if (bPreview) {
        if (m_bIsPrintPreviewMode || m_bHideDockingBarsInContainerMode) return;
        m_bIsPrintPreviewMode = TRUE;
        HideAndRemember();
    } else {
        if (!m_bIsPrintPreviewMode) return;
        m_bIsPrintPreviewMode = FALSE;
        ShowRemembered();
    }
    AdjustDockingLayout();
}

void CSPDockManager::LockUpdate(BOOL bLock) {
    m_bLockUpdate = bLock;
    auto lock = [bLock](CWnd* pWnd) {
        if (pWnd->GetSafeHwnd() == NULL) return;
        pWnd->ValidateRect(NULL);
        pWnd->UpdateWindow();
        ::LockWindowUpdate(bLock ? pWnd->GetSafeHwnd() : NULL);
    };
    for (POSITION pos = m_lstMiniFrames.GetHeadPosition(); pos != NULL;) lock((CWnd*)m_lstMiniFrames.GetNext(pos));
    for (POSITION pos = m_lstControlBars.GetHeadPosition(); pos != NULL;) lock((CWnd*)m_lstControlBars.GetNext(pos));
}

void CSPDockManager::UpdateAutoHideMargins() {
    CSPAutoHideDockBar* bars[4] = {NULL, NULL, NULL, NULL};  // left, top, right, bottom
    static const DWORD sides[4] = {CBRS_ALIGN_LEFT, CBRS_ALIGN_TOP, CBRS_ALIGN_RIGHT, CBRS_ALIGN_BOTTOM};
    for (int i = 0; i < 4; i++) bars[i] = DYNAMIC_DOWNCAST(CSPAutoHideDockBar, FindDockBar(sides[i], FALSE));
    auto thickness = [](CSPAutoHideDockBar* pBar, BOOL bHorz) -> int {
        if (pBar == NULL || pBar->GetSafeHwnd() == NULL || !pBar->IsWindowVisible()) return 0;
        CRect rect;
        pBar->GetWindowRect(rect);
        if (rect.IsRectEmpty()) return 0;
        return bHorz ? rect.Height() : rect.Width();
    };
    // The strip of a side starts after the strips of the sides it meets.
    const int nLeft = thickness(bars[0], FALSE), nTop = thickness(bars[1], TRUE);
    const int nRight = thickness(bars[2], FALSE), nBottom = thickness(bars[3], TRUE);
    const int start[4] = {nTop, nLeft, nTop, nLeft};
    const int end[4] = {nBottom, nRight, nBottom, nRight};
    for (int i = 0; i < 4; i++) {
        if (bars[i] == NULL) continue;
        bars[i]->SetOffsetLeft(start[i]);
        bars[i]->SetOffsetRight(end[i]);
        CRect rectClient;
        bars[i]->GetClientRect(rectClient);
        bars[i]->RepositionBars(rectClient);
    }
}
