// SPAutoHideToolBar.cpp - the strip of pinned-away panes' buttons: hover,
// painting, and putting the panes back.
#include "SPAutoHideToolBar.h"
#include <algorithm>
using std::max;
using std::min;
#include "SPAutoHideButton.h"
#include "SPAutoHideDockBar.h"
#include "SPDockBarRow.h"
#include "SPDockingControlBar.h"
#include "SPGlobalData.h"

IMPLEMENT_DYNCREATE(CSPAutoHideToolBar, CSPControlBar)

UINT CSPAutoHideToolBar::m_nShowAHWndDelay = 400;
CRuntimeClass* CSPAutoHideToolBar::m_pAutoHideButtonRTS = RUNTIME_CLASS(CSPAutoHideButton);

BEGIN_MESSAGE_MAP(CSPAutoHideToolBar, CSPControlBar)
ON_WM_CREATE()
ON_WM_PAINT()
ON_WM_MOUSEMOVE()
ON_WM_NCDESTROY()
ON_WM_TIMER()
ON_WM_LBUTTONDOWN()
ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

CSPAutoHideToolBar::CSPAutoHideToolBar()
    : m_pLastActiveButton(NULL), m_bReadyToDisplayAHWnd(FALSE), m_nDisplayAHWndTimerID(0), m_nActiveInRow(1) {
    SetGroupFlags(TRUE, TRUE, TRUE);
}

CSPAutoHideToolBar::~CSPAutoHideToolBar() {
    while (!m_lstAutoHideButtons.IsEmpty()) delete m_lstAutoHideButtons.RemoveHead();
}

int CSPAutoHideToolBar::OnCreate(LPCREATESTRUCT lpCreateStruct) { return CWnd::OnCreate(lpCreateStruct); }

// --- buttons ------------------------------------------------------------------------------------

CSPAutoHideButton* CSPAutoHideToolBar::AddAutoHideButton(CSPDockingControlBar* pAutoHideWnd, DWORD dwAlignment) {
    CRuntimeClass* pRTC = m_pAutoHideButtonRTS != NULL ? m_pAutoHideButtonRTS : RUNTIME_CLASS(CSPAutoHideButton);
    CObject* pObj = pRTC->IsDerivedFrom(RUNTIME_CLASS(CSPAutoHideButton)) ? pRTC->CreateObject() : NULL;
    CSPAutoHideButton* pButton = (CSPAutoHideButton*)pObj;
    if (pButton == NULL) return NULL;
    if (!pButton->Create(this, pAutoHideWnd, dwAlignment)) {
        delete pButton;
        return NULL;
    }
    m_lstAutoHideButtons.AddTail(pButton);
    LayoutButtons();
    const CSize size = CalcButtonsSize();
    CWnd::SetWindowPos(NULL, 0, 0, size.cx, size.cy, SWP_NOZORDER | SWP_NOMOVE | SWP_NOACTIVATE);
    return pButton;
}

CSPAutoHideButton* CSPAutoHideToolBar::FindButton(const CSPDockingControlBar* pAutoHideWnd) const {
    for (POSITION pos = m_lstAutoHideButtons.GetHeadPosition(); pos != NULL;) {
        CSPAutoHideButton* pButton = (CSPAutoHideButton*)m_lstAutoHideButtons.GetNext(pos);
        if (pButton->GetAutoHideWindow() == pAutoHideWnd) return pButton;
    }
    return NULL;
}

BOOL CSPAutoHideToolBar::RemoveAutoHideButton(CSPDockingControlBar* pAutoHideWnd) {
    if (m_nDisplayAHWndTimerID != 0 && GetSafeHwnd() != NULL) KillTimer(m_nDisplayAHWndTimerID);
    m_nDisplayAHWndTimerID = 0;
    m_bReadyToDisplayAHWnd = FALSE;
    POSITION posFound = NULL;
    for (POSITION pos = m_lstAutoHideButtons.GetHeadPosition(); pos != NULL && posFound == NULL;) {
        POSITION posCur = pos;
        if (((CSPAutoHideButton*)m_lstAutoHideButtons.GetNext(pos))->GetAutoHideWindow() == pAutoHideWnd)
            posFound = posCur;
    }
    if (posFound == NULL) return FALSE;
    CSPAutoHideButton* pButton = (CSPAutoHideButton*)m_lstAutoHideButtons.GetAt(posFound);
    if (m_pLastActiveButton == pButton) m_pLastActiveButton = NULL;
    m_lstAutoHideButtons.RemoveAt(posFound);
    delete pButton;
    if (!m_lstAutoHideButtons.IsEmpty()) {
        LayoutButtons();
        const CSize size = CalcButtonsSize();
        CWnd::SetWindowPos(NULL, 0, 0, size.cx, size.cy, SWP_NOZORDER | SWP_NOMOVE | SWP_NOACTIVATE);
        Invalidate();
        return TRUE;
    }
    // The last button went: the dock bar lets the toolbar go before its
    // window does, so that it never holds a destroyed bar.
    CSPDockBar* pDockBar = GetParentDockBar();
    if (pDockBar != NULL) {
        pDockBar->RemoveControlBar(this);
        CRect rectClient;
        pDockBar->GetClientRect(rectClient);
        pDockBar->RepositionBars(rectClient);
    }
    DestroyWindow();
    return TRUE;
}

BOOL CSPAutoHideToolBar::ShowAutoHideButton(CSPDockingControlBar* pAutoHideWnd, BOOL bShow, BOOL bNoUpdate) {
    CSPAutoHideButton* pButton = FindButton(pAutoHideWnd);
    if (pButton == NULL) return FALSE;
    pButton->HighlightButton(bShow);
    if (!bNoUpdate) UpdateVisibility();
    return TRUE;
}

int CSPAutoHideToolBar::GetVisibleButtonCount() const {
    int n = 0;
    for (POSITION pos = m_lstAutoHideButtons.GetHeadPosition(); pos != NULL;)
        if (((CSPAutoHideButton*)m_lstAutoHideButtons.GetNext(pos))->IsHighlighted()) n++;
    return n;
}

void CSPAutoHideToolBar::UpdateVisibility() {
    CSPDockBar* pDockBar = GetParentDockBar();
    if (pDockBar == NULL) return;
    if (GetVisibleButtonCount() == 0)
        pDockBar->ShowControlBar(this, FALSE, FALSE, FALSE);
    else if (!IsWindowVisible())
        pDockBar->ShowControlBar(this, TRUE, FALSE, TRUE);
}

void CSPAutoHideToolBar::GetPanes(CObList& lstPanes) const {
    for (POSITION pos = m_lstAutoHideButtons.GetHeadPosition(); pos != NULL;) {
        CSPDockingControlBar* pPane = ((CSPAutoHideButton*)m_lstAutoHideButtons.GetNext(pos))->GetAutoHideWindow();
        if (pPane != NULL) lstPanes.AddTail(pPane);
    }
}

void CSPAutoHideToolBar::UnSetAutoHideModeAll(CSPDockingControlBar* pFirstBarInGroup) {
    // Each pane's way back removes its button, and the last one the
    // toolbar: the panes are taken first, and neither the list nor the
    // toolbar is touched afterwards.
    CObList lstPanes;
    GetPanes(lstPanes);
    for (POSITION pos = lstPanes.GetHeadPosition(); pos != NULL;) {
        CSPDockingControlBar* pPane = (CSPDockingControlBar*)lstPanes.GetNext(pos);
        pPane->UnSetAutoHideMode(pFirstBarInGroup);
    }
}

CSPDockingControlBar* CSPAutoHideToolBar::GetFirstPane() const {
    if (m_lstAutoHideButtons.IsEmpty()) return NULL;
    return ((CSPAutoHideButton*)m_lstAutoHideButtons.GetHead())->GetAutoHideWindow();
}

CSPAutoHideButton* CSPAutoHideToolBar::ButtonFromPoint(CPoint pt) const {
    // The active button is drawn last and so tested first.
    for (POSITION pos = m_lstAutoHideButtons.GetHeadPosition(); pos != NULL;) {
        CSPAutoHideButton* pButton = (CSPAutoHideButton*)m_lstAutoHideButtons.GetNext(pos);
        if (pButton->IsActive() && pButton->IsHighlighted() && pButton->GetRect().PtInRect(pt)) return pButton;
    }
    for (POSITION pos = m_lstAutoHideButtons.GetHeadPosition(); pos != NULL;) {
        CSPAutoHideButton* pButton = (CSPAutoHideButton*)m_lstAutoHideButtons.GetNext(pos);
        if (pButton->IsHighlighted() && pButton->GetRect().PtInRect(pt)) return pButton;
    }
    return NULL;
}

void CSPAutoHideToolBar::SetRecentRowIndex(int nRowIndex) {
    const BOOL bChanged = (m_nActiveInRow != 0) != (nRowIndex != 0);
    m_nActiveInRow = nRowIndex;
    if (nRowIndex != 0) {
        CSPDockBarRow* pRow = GetDockBarRow();
        BOOL bOthers = FALSE;
        if (pRow != NULL) {
            for (POSITION pos = pRow->GetControlBarList().GetHeadPosition(); pos != NULL;) {
                CSPAutoHideToolBar* pOther =
                    DYNAMIC_DOWNCAST(CSPAutoHideToolBar, pRow->GetControlBarList().GetNext(pos));
                if (pOther == NULL || pOther == this || pOther->m_nActiveInRow == 0) continue;
                pOther->m_nActiveInRow = 0;
                pOther->LayoutButtons();
                const CSize size = pOther->CalcButtonsSize();
                pOther->CWnd::SetWindowPos(NULL, 0, 0, size.cx, size.cy, SWP_NOZORDER | SWP_NOMOVE | SWP_NOACTIVATE);
                pOther->Invalidate();
                bOthers = TRUE;
            }
        }
        if (!bChanged && !bOthers) return;
    } else if (!bChanged) {
        return;
    }
    LayoutButtons();
    const CSize size = CalcButtonsSize();
    CWnd::SetWindowPos(NULL, 0, 0, size.cx, size.cy, SWP_NOZORDER | SWP_NOMOVE | SWP_NOACTIVATE);
    Invalidate();
    CSPDockBar* pDockBar = GetParentDockBar();
    if (pDockBar != NULL) {
        CRect rectClient;
        pDockBar->GetClientRect(rectClient);
        pDockBar->RepositionBars(rectClient);
    }
}

// --- layout -------------------------------------------------------------------------------------

void CSPAutoHideToolBar::LayoutButtons() {
    int nAlong = 0;
    for (POSITION pos = m_lstAutoHideButtons.GetHeadPosition(); pos != NULL;) {
        CSPAutoHideButton* pButton = (CSPAutoHideButton*)m_lstAutoHideButtons.GetNext(pos);
        const CSize size = pButton->GetSize();
        if (pButton->IsHorizontal()) {
            pButton->SetRect(CRect(CPoint(nAlong, 0), size));
            nAlong += size.cx;
        } else {
            pButton->SetRect(CRect(CPoint(0, nAlong), size));
            nAlong += size.cy;
        }
    }
}

CSize CSPAutoHideToolBar::CalcButtonsSize() const {
    CSize size(0, 0);
    for (POSITION pos = m_lstAutoHideButtons.GetHeadPosition(); pos != NULL;) {
        CSPAutoHideButton* pButton = (CSPAutoHideButton*)m_lstAutoHideButtons.GetNext(pos);
        const CRect rect = pButton->GetRect();
        size.cx = max(size.cx, rect.right);
        size.cy = max(size.cy, rect.bottom);
    }
    return size;
}

CSize CSPAutoHideToolBar::CalcFixedLayout(BOOL /*bStretch*/, BOOL /*bHorz*/) {
    CRect rect;
    GetWindowRect(rect);
    return rect.Size();
}

CSize CSPAutoHideToolBar::CalcDynamicLayout(int /*nLength*/, DWORD /*dwMode*/) {
    LayoutButtons();
    const CSize size = CalcButtonsSize();
    CWnd::SetWindowPos(NULL, 0, 0, size.cx, size.cy, SWP_NOZORDER | SWP_NOMOVE | SWP_NOACTIVATE);
    return size;
}

// --- messages -----------------------------------------------------------------------------------

BOOL CSPAutoHideToolBar::OnEraseBkgnd(CDC* /*pDC*/) { return TRUE; }

void CSPAutoHideToolBar::OnPaint() {
    CPaintDC dc(this);
    CRect rectClient;
    GetClientRect(rectClient);
    dc.FillRect(rectClient, &spGlobalData.brBtnFace);
    CSPAutoHideButton* pActive = NULL;
    for (POSITION pos = m_lstAutoHideButtons.GetHeadPosition(); pos != NULL;) {
        CSPAutoHideButton* pButton = (CSPAutoHideButton*)m_lstAutoHideButtons.GetNext(pos);
        if (!pButton->IsHighlighted()) continue;
        if (pButton->IsActive()) {
            pActive = pButton;
            continue;
        }
        pButton->OnDraw(&dc);
    }
    if (pActive != NULL) pActive->OnDraw(&dc);
}

void CSPAutoHideToolBar::OnMouseMove(UINT nFlags, CPoint point) {
    CSPAutoHideButton* pButton = ButtonFromPoint(point);
    if (pButton != NULL && !m_bReadyToDisplayAHWnd && pButton->GetAutoHideWindow() != NULL &&
        !pButton->GetAutoHideWindow()->IsWindowVisible()) {
        m_bReadyToDisplayAHWnd = TRUE;
        m_pLastActiveButton = pButton;
        if (m_nDisplayAHWndTimerID != 0) KillTimer(m_nDisplayAHWndTimerID);
        m_nDisplayAHWndTimerID = (UINT)SetTimer(nHoverTimerID, m_nShowAHWndDelay, NULL);
    }
    CSPControlBar::OnMouseMove(nFlags, point);
}

void CSPAutoHideToolBar::OnTimer(UINT_PTR nIDEvent) {
    if (nIDEvent != nHoverTimerID) {
        CWnd::OnTimer(nIDEvent);
        return;
    }
    KillTimer(nHoverTimerID);
    m_nDisplayAHWndTimerID = 0;
    CPoint pt;
    ::GetCursorPos(&pt);
    ScreenToClient(&pt);
    CSPAutoHideButton* pButton = ButtonFromPoint(pt);
    const BOOL bPending = m_bReadyToDisplayAHWnd;
    m_bReadyToDisplayAHWnd = FALSE;
    if (pButton != NULL && bPending && pButton->GetAutoHideWindow() != NULL &&
        !pButton->GetAutoHideWindow()->IsWindowVisible())
        pButton->ShowAttachedWindow(TRUE);
}

void CSPAutoHideToolBar::OnLButtonDown(UINT nFlags, CPoint point) {
    CSPAutoHideButton* pButton = ButtonFromPoint(point);
    if (pButton != NULL && pButton->GetAutoHideWindow()->GetSafeHwnd() != NULL) {
        pButton->GetAutoHideWindow()->SetFocus();
    }
    CSPControlBar::OnLButtonDown(nFlags, point);
}

void CSPAutoHideToolBar::OnNcDestroy() {
    if (m_nDisplayAHWndTimerID != 0) KillTimer(m_nDisplayAHWndTimerID);
    m_nDisplayAHWndTimerID = 0;
    CSPControlBar::OnNcDestroy();
}

void CSPAutoHideToolBar::PostNcDestroy() {
    CWnd::PostNcDestroy();
    delete this;
}
