#include "SPDockBarRow.h"

#include <algorithm>


#include <vector>

#include "SPControlBar.h"
#include "SPDockBar.h"
#include "SPDockManager.h"
#include "SPGlobalData.h"

using std::max;
using std::min;

IMPLEMENT_DYNAMIC(CSPDockBarRow, CObject)

CSPDockBarRow::CSPDockBarRow(CSPDockBar* pParentDockBar, int nOffset, int nHeight)
    : m_bIgnoreBarVisibility(FALSE),
      m_bVisible(TRUE),
      m_nRowHeight(nHeight),
      m_nRowOffset(nOffset),
      m_lstControlBars(10),
      m_dwRowAlignment(pParentDockBar != NULL ? pParentDockBar->GetCurrentAlignment() : CBRS_ALIGN_TOP),
      m_pParentDockBar(pParentDockBar),
      m_nExtraSpace(0),
      m_nExtraAlignment(0),
      m_bInResize(FALSE) {}

CSPDockBarRow::~CSPDockBarRow() {
    for (POSITION pos = m_lstControlBars.GetHeadPosition(); pos != NULL;) {
        CSPControlBar* pBar = (CSPControlBar*)m_lstControlBars.GetNext(pos);
        if (pBar->GetDockBarRow() == this) pBar->SetDockBarRow(NULL);
    }
}

// --- geometry -----------------------------------------------------------------------

BOOL CSPDockBarRow::IsBarVisible(CSPControlBar* pBar) const {
    return m_bIgnoreBarVisibility || pBar->IsVisible();
}

CRect CSPDockBarRow::GetBarRect(CSPControlBar* pBar) const {
    CRect rect;
    pBar->GetWindowRect(rect);
    m_pParentDockBar->ScreenToClient(rect);
    return rect;
}

void CSPDockBarRow::GetRowRect(CRect& rect) const {
    m_pParentDockBar->GetWindowRect(rect);
    if (IsHorizontal()) {
        rect.top += m_nRowOffset;
        rect.bottom = rect.top + m_nRowHeight;
    } else {
        rect.left += m_nRowOffset;
        rect.right = rect.left + m_nRowHeight;
    }
}

void CSPDockBarRow::ScreenToRow(CRect& rect) const {
    GetRowRect(rect);
    m_pParentDockBar->ScreenToClient(rect);
}

void CSPDockBarRow::GetFreeRect(CRect& rect) {
    GetRowRect(rect);
    for (POSITION pos = m_lstControlBars.GetHeadPosition(); pos != NULL;) {
        CSPControlBar* pBar = (CSPControlBar*)m_lstControlBars.GetNext(pos);
        if (!IsBarVisible(pBar)) continue;
        CRect rectBar;
        pBar->GetWindowRect(rectBar);
        const int nLength = AlongLength(rectBar);
        if (IsHorizontal())
            rect.DeflateRect(nLength, 0);
        else
            rect.DeflateRect(0, nLength);
    }
}

int CSPDockBarRow::GetVisibleBarCount() const {
    int nCount = 0;
    for (POSITION pos = m_lstControlBars.GetHeadPosition(); pos != NULL;) {
        if (IsBarVisible((CSPControlBar*)m_lstControlBars.GetNext(pos))) nCount++;
    }
    return nCount;
}

CSize CSPDockBarRow::CalcFixedLayout(BOOL bStretch, BOOL bHorz) {
    if (!m_bVisible) return IsHorizontal() ? CSize(32767, 0) : CSize(0, 32767);
    int nAlong = 0, nAcross = 0;
    for (POSITION pos = m_lstControlBars.GetHeadPosition(); pos != NULL;) {
        CSPControlBar* pBar = (CSPControlBar*)m_lstControlBars.GetNext(pos);
        if (!IsBarVisible(pBar)) continue;
        CSize size = pBar->CalcFixedLayout(bStretch, bHorz);
        nAlong += IsHorizontal() ? size.cx : size.cy;
        nAcross = max(nAcross, (int)(IsHorizontal() ? size.cy : size.cx));
    }
    if (nAcross > 0) nAcross += m_nExtraSpace;
    return IsHorizontal() ? CSize(nAlong, nAcross) : CSize(nAcross, nAlong);
}

int CSPDockBarRow::GetAvailableLength(BOOL bUseVirtualRect) const {
    CRect rectRow;
    ScreenToRow(rectRow);
    int nFree = AlongLength(rectRow);
    for (POSITION pos = m_lstControlBars.GetHeadPosition(); pos != NULL;) {
        CSPControlBar* pBar = (CSPControlBar*)m_lstControlBars.GetNext(pos);
        if (!IsBarVisible(pBar)) continue;
        CRect rect;
        if (bUseVirtualRect)
            rect = pBar->GetVirtualRect();
        else
            pBar->GetWindowRect(rect);
        nFree -= AlongLength(rect);
    }
    return nFree;
}

BOOL CSPDockBarRow::IsExclusiveRow() const {
    for (POSITION pos = m_lstControlBars.GetHeadPosition(); pos != NULL;) {
        if (!((CSPControlBar*)m_lstControlBars.GetNext(pos))->AllowsSiblingBars()) return TRUE;
    }
    return FALSE;
}

int CSPDockBarRow::CalcNeededThickness() const {
    int nAcross = 0;
    for (POSITION pos = m_lstControlBars.GetHeadPosition(); pos != NULL;) {
        CSPControlBar* pBar = (CSPControlBar*)m_lstControlBars.GetNext(pos);
        CRect rect;
        pBar->GetWindowRect(rect);
        nAcross = max(nAcross, AcrossLength(rect));
    }
    return m_lstControlBars.IsEmpty() ? 0 : nAcross + m_nExtraSpace;
}

CSPControlBar* CSPDockBarRow::FirstVisibleBar(BOOL bFromHead) const {
    POSITION pos = bFromHead ? m_lstControlBars.GetHeadPosition() : m_lstControlBars.GetTailPosition();
    while (pos != NULL) {
        CSPControlBar* pBar =
            (CSPControlBar*)(bFromHead ? m_lstControlBars.GetNext(pos) : m_lstControlBars.GetPrev(pos));
        if (IsBarVisible(pBar)) return pBar;
    }
    return NULL;
}

int CSPDockBarRow::GetOutsideGap(BOOL bFirst) const {
    CSPControlBar* pBar = FirstVisibleBar(bFirst);
    if (pBar == NULL) return 0;
    CRect rectRow;
    ScreenToRow(rectRow);
    CRect rect = GetBarRect(pBar);
    return bFirst ? Along(rectRow) - Along(rect) : AlongEnd(rect) - AlongEnd(rectRow);
}

void CSPDockBarRow::RedrawAll() {
    for (POSITION pos = m_lstControlBars.GetHeadPosition(); pos != NULL;) {
        CSPControlBar* pBar = (CSPControlBar*)m_lstControlBars.GetNext(pos);
        pBar->RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_FRAME);
    }
}

// --- placing ------------------------------------------------------------------------

void CSPDockBarRow::PlaceBarAt(CSPControlBar* pBar, int nAlong, HDWP& hdwp) {
    CRect rect = GetBarRect(pBar);
    if (Along(rect) == nAlong) return;
    const int x = IsHorizontal() ? nAlong : rect.left;
    const int y = IsHorizontal() ? rect.top : nAlong;
    hdwp = pBar->SetWindowPos(NULL, x, y, rect.Width(), rect.Height(), SWP_NOZORDER | SWP_NOACTIVATE, hdwp);
}

void CSPDockBarRow::OnBarResized(CSPBaseControlBar* pBar) {
    if (m_bInResize || pBar == NULL || !HasBar((CSPControlBar*)pBar)) return;
    m_bInResize = TRUE;
    CRect rect;
    pBar->GetWindowRect(rect);
    if (AcrossLength(rect) + m_nExtraSpace > m_nRowHeight)
        m_pParentDockBar->ResizeRow(this, AcrossLength(rect) + m_nExtraSpace, TRUE);
    m_bInResize = FALSE;
}

int CSPDockBarRow::ExpandFromHead(int nLength, HDWP& hdwp) {
    for (POSITION pos = m_lstControlBars.GetHeadPosition(); pos != NULL && nLength >= 1;) {
        CSPControlBar* pBar = (CSPControlBar*)m_lstControlBars.GetNext(pos);
        if (IsBarVisible(pBar)) nLength -= pBar->StretchControlBar(nLength, hdwp);
    }
    return nLength;
}

void CSPDockBarRow::ReturnToVirtualRects() {
    HDWP hdwp = ::BeginDeferWindowPos((int)m_lstControlBars.GetCount());
    for (POSITION pos = m_lstControlBars.GetHeadPosition(); pos != NULL;) {
        CSPControlBar* pBar = (CSPControlBar*)m_lstControlBars.GetNext(pos);
        if (!IsBarVisible(pBar)) continue;
        PlaceBarAt(pBar, Along(pBar->GetVirtualRect()), hdwp);
    }
    if (hdwp != NULL) ::EndDeferWindowPos(hdwp);
}

// Keeps the visible bars apart and inside a row of nLength: bars around
// pBar are pushed away from it, bars sticking out are brought back, and when
// the bars are longer than the row the tail bars give up length first. When
// even their minimum sizes do not fit, the tail sticks out past the end
// rather than bars covering each other.
static void ResolveRowOverlaps(int n, int nPivot, int nLength, std::vector<int>& starts, std::vector<int>& lengths) {
    for (int i = nPivot + 1; i < n; i++) starts[i] = max(starts[i], starts[i - 1] + lengths[i - 1]);
    for (int i = nPivot - 1; i >= 0; i--) starts[i] = min(starts[i], starts[i + 1] - lengths[i]);
    if (starts[0] < 0) {
        starts[0] = 0;
        for (int i = 1; i < n; i++) starts[i] = max(starts[i], starts[i - 1] + lengths[i - 1]);
    }
    if (starts[n - 1] + lengths[n - 1] > nLength) {
        starts[n - 1] = nLength - lengths[n - 1];
        for (int i = n - 2; i >= 0; i--) starts[i] = min(starts[i], starts[i + 1] - lengths[i]);
        if (starts[0] < 0) {
            starts[0] = 0;
            for (int i = 1; i < n; i++) starts[i] = starts[i - 1] + lengths[i - 1];
        }
    }
}

void CSPDockBarRow::ResolveOverlaps(CSPControlBar* pBar) {
    CRect rectRow;
    ScreenToRow(rectRow);
    if (m_lstControlBars.IsEmpty() || AlongLength(rectRow) <= 0) return;
    ResolveOverlapsIn(pBar, AlongLength(rectRow));
}

void CSPDockBarRow::ResolveOverlapsIn(CSPControlBar* pBar, int nLength) {
    std::vector<CSPControlBar*> bars;
    for (POSITION pos = m_lstControlBars.GetHeadPosition(); pos != NULL;) {
        CSPControlBar* p = (CSPControlBar*)m_lstControlBars.GetNext(pos);
        if (IsBarVisible(p)) bars.push_back(p);
    }
    if (bars.empty() || nLength <= 0) return;

    HDWP hdwp = NULL;
    int nUsed = 0;
    for (CSPControlBar* p : bars) nUsed += AlongLength(GetBarRect(p));
    int nDeficit = nUsed - nLength;
    if (bars.size() == 1) {
        if (nDeficit > 0) bars[0]->StretchControlBar(-nDeficit, hdwp);
        CRect rect = GetBarRect(bars[0]);
        if (Along(rect) < 0 || AlongEnd(rect) > nLength) PlaceBarAt(bars[0], max(0, min(Along(rect), nLength - AlongLength(rect))), hdwp);
        return;
    }
    // Too long: the tail gives up length first.
    for (int i = (int)bars.size() - 1; i >= 0 && nDeficit > 0; i--) nDeficit += bars[i]->StretchControlBar(-nDeficit, hdwp);

    std::vector<int> starts, lengths;
    int nPivot = 0;
    for (size_t i = 0; i < bars.size(); i++) {
        CRect rect = GetBarRect(bars[i]);
        starts.push_back(Along(rect));
        lengths.push_back(AlongLength(rect));
        if (bars[i] == pBar) nPivot = (int)i;
    }
    ResolveRowOverlaps((int)bars.size(), nPivot, nLength, starts, lengths);
    for (size_t i = 0; i < bars.size(); i++) PlaceBarAt(bars[i], starts[i], hdwp);
}

// --- adding and removing ------------------------------------------------------------

void CSPDockBarRow::AddControlBar(CSPControlBar* pBar, int /*nDockMethod*/, LPCRECT lpRect, BOOL bAfterLast) {
    if (pBar == NULL || HasBar(pBar)) return;
    CRect rectRow;
    GetRowRect(rectRow);
    int nAlong = 0;
    int nAcross = m_nRowOffset;
    if (lpRect != NULL && !::IsRectEmpty(lpRect)) {
        nAlong = IsHorizontal() ? lpRect->left - rectRow.left : lpRect->top - rectRow.top;
    } else {
        if (bAfterLast) {
            CSPControlBar* pLast = FirstVisibleBar(FALSE);
            const int nEnd = pLast != NULL ? AlongEnd(GetBarRect(pLast)) : 0;
            if (nEnd > 0) nAlong = nEnd + spGlobalData.nAutoHideSpacing;
        }
        if (m_nExtraAlignment == 1) nAcross += m_nExtraSpace;
    }
    // A rectangle far off the row still lands on it.
    CRect rectClient;
    ScreenToRow(rectClient);
    nAlong = max(0, min(nAlong, max(0, AlongLength(rectClient) - 1)));

    CSize size = pBar->CalcFixedLayout(FALSE, IsHorizontal());
    const int x = IsHorizontal() ? nAlong : nAcross;
    const int y = IsHorizontal() ? nAcross : nAlong;
    pBar->SetWindowPos(NULL, x, y, size.cx, size.cy, SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    InsertControlBarByPos(pBar);
    pBar->UpdateVirtualRect();
}

void CSPDockBarRow::InsertControlBar(CSPControlBar* pBar, int nDockMethod) {
    if (pBar == NULL) return;
    CRect rect = GetBarRect(pBar);
    int nAlong = Along(rect);
    if (nDockMethod == SP_DM_MOUSE) {
        CPoint pt;
        ::GetCursorPos(&pt);
        m_pParentDockBar->ScreenToClient(&pt);
        const CPoint ptHot = pBar->GetDragStartPoint();
        nAlong = (IsHorizontal() ? pt.x - ptHot.x : pt.y - ptHot.y) -
                 (IsHorizontal() ? ::GetSystemMetrics(SM_CXFRAME) : ::GetSystemMetrics(SM_CYFRAME));
    }
    const int x = IsHorizontal() ? nAlong : m_nRowOffset;
    const int y = IsHorizontal() ? m_nRowOffset : nAlong;
    pBar->SetWindowPos(NULL, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    InsertControlBarByPos(pBar);
    pBar->UpdateVirtualRect();
}

void CSPDockBarRow::InsertControlBarByPos(CSPControlBar* pBar) {
    CRect rectBar;
    pBar->GetWindowRect(rectBar);
    POSITION posBefore = NULL;
    for (POSITION pos = m_lstControlBars.GetHeadPosition(); pos != NULL;) {
        POSITION posCur = pos;
        CSPControlBar* pListed = (CSPControlBar*)m_lstControlBars.GetNext(pos);
        if (pListed != pBar && pListed->IsPointBefore(rectBar.TopLeft(), TRUE)) {
            posBefore = posCur;
            break;
        }
    }
    POSITION posOld = m_lstControlBars.Find(pBar);
    if (posOld != NULL) m_lstControlBars.RemoveAt(posOld);
    if (posBefore != NULL)
        m_lstControlBars.InsertBefore(posBefore, pBar);
    else
        m_lstControlBars.AddTail(pBar);

    UpdateVisibleState(TRUE);
    const int nAcross = AcrossLength(rectBar);
    if (nAcross > m_nRowHeight) m_pParentDockBar->ResizeRow(this, m_nExtraSpace + nAcross, TRUE);
    pBar->SetDockBarRow(this);
    ResolveOverlaps(pBar);
}

BOOL CSPDockBarRow::RemoveControlBar(CSPControlBar* pBar) {
    POSITION pos = m_lstControlBars.Find(pBar);
    if (pos == NULL) return FALSE;
    HDWP hdwp = NULL;
    if (pBar->GetSafeHwnd() != NULL) pBar->StretchControlBar(65535, hdwp);
    m_lstControlBars.RemoveAt(pos);
    pBar->SetDockBarRow(NULL);
    if (m_lstControlBars.IsEmpty()) return TRUE;  // the dock bar removes the row

    ReturnToVirtualRects();
    const int nFree = GetAvailableLength(FALSE);
    if (nFree >= 1) ExpandFromHead(nFree, hdwp);
    ResolveOverlaps(NULL);
    UpdateVisibleState(FALSE);
    const int nNeeded = CalcNeededThickness();
    if (nNeeded < m_nRowHeight) m_pParentDockBar->ResizeRow(this, nNeeded, TRUE);
    return TRUE;
}

BOOL CSPDockBarRow::ReplaceControlBar(CSPControlBar* pBarOld, CSPControlBar* pBarNew) {
    POSITION pos = m_lstControlBars.Find(pBarOld);
    if (pos == NULL) return FALSE;
    m_lstControlBars.SetAt(pos, pBarNew);
    pBarOld->SetDockBarRow(NULL);
    pBarNew->SetDockBarRow(this);
    return TRUE;
}

void CSPDockBarRow::LayoutBarsInSequence(int nStart, int nSpacing) {
    int nAlong = nStart;
    HDWP hdwp = NULL;
    for (POSITION pos = m_lstControlBars.GetHeadPosition(); pos != NULL;) {
        CSPControlBar* pBar = (CSPControlBar*)m_lstControlBars.GetNext(pos);
        if (!IsBarVisible(pBar)) continue;
        CRect rect = GetBarRect(pBar);
        const int x = IsHorizontal() ? nAlong : m_nRowOffset;
        const int y = IsHorizontal() ? m_nRowOffset : nAlong;
        hdwp = pBar->SetWindowPos(NULL, x, y, rect.Width(), rect.Height(), SWP_NOZORDER | SWP_NOACTIVATE, hdwp);
        pBar->CalcDynamicLayout(AlongLength(rect), IsHorizontal() ? LM_HORZ : 0);
        nAlong += AlongLength(rect) + nSpacing;
    }
}

// --- sizes and moves ----------------------------------------------------------------

void CSPDockBarRow::Resize(int nOffset) {
    m_nRowHeight += nOffset;
    for (POSITION pos = m_lstControlBars.GetHeadPosition(); pos != NULL;) {
        CSPControlBar* pBar = (CSPControlBar*)m_lstControlBars.GetNext(pos);
        if (pBar->GetSafeHwnd() != NULL) pBar->RecalcLayout();
    }
}

void CSPDockBarRow::Move(int nOffset) {
    for (POSITION pos = m_lstControlBars.GetHeadPosition(); pos != NULL;) {
        CSPControlBar* pBar = (CSPControlBar*)m_lstControlBars.GetNext(pos);
        pBar->MoveToAlignment(m_dwRowAlignment, CSize(nOffset, nOffset));
    }
    m_nRowOffset += nOffset;
}

void CSPDockBarRow::RepositionBars(CRect rectNewParentBar, int nMode, BOOL bGrow, int nLimit) {
    if (GetVisibleBarCount() == 0) return;
    const int nNewLength = AlongLength(rectNewParentBar);
    if (nNewLength <= 0) return;
    HDWP hdwp = NULL;

    if (IsExclusiveRow()) {
        CSPControlBar* pHead = FirstVisibleBar(TRUE);
        const int x = IsHorizontal() ? 0 : m_nRowOffset;
        const int y = IsHorizontal() ? m_nRowOffset : 0;
        const int cx = IsHorizontal() ? nNewLength : m_nRowHeight;
        const int cy = IsHorizontal() ? m_nRowHeight : nNewLength;
        pHead->SetWindowPos(NULL, x, y, cx, cy, SWP_NOZORDER | SWP_NOACTIVATE);
        pHead->RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        return;
    }

    if (bGrow && nMode != -1) {
        // The bars first take back length they gave up, then go back
        // towards their wanted places by at most the growth.
        int nUsed = 0;
        for (POSITION pos = m_lstControlBars.GetHeadPosition(); pos != NULL;) {
            CSPControlBar* pBar = (CSPControlBar*)m_lstControlBars.GetNext(pos);
            if (IsBarVisible(pBar)) nUsed += AlongLength(GetBarRect(pBar));
        }
        if (nNewLength - nUsed >= 1) ExpandFromHead(nNewLength - nUsed, hdwp);
        for (POSITION pos = m_lstControlBars.GetHeadPosition(); pos != NULL;) {
            CSPControlBar* pBar = (CSPControlBar*)m_lstControlBars.GetNext(pos);
            if (!IsBarVisible(pBar)) continue;
            CRect rect = GetBarRect(pBar);
            int nDelta = Along(pBar->GetVirtualRect()) - Along(rect);
            if (nLimit > 0) nDelta = max(-nLimit, min(nDelta, nLimit));
            if (nDelta != 0) PlaceBarAt(pBar, Along(rect) + nDelta, hdwp);
        }
    }
    ResolveOverlapsIn(NULL, nNewLength);
}

// --- visibility ---------------------------------------------------------------------

void CSPDockBarRow::UpdateVisibleState(BOOL bDelay) {
    CWnd* pFrame = m_pParentDockBar->GetParent();
    const BOOL bFrameVisible = pFrame != NULL && pFrame->IsWindowVisible();
    BOOL bVisible = FALSE;
    for (POSITION pos = m_lstControlBars.GetHeadPosition(); pos != NULL && !bVisible;) {
        CSPControlBar* pBar = (CSPControlBar*)m_lstControlBars.GetNext(pos);
        if (!bFrameVisible && pBar->IsRestoredFromRegistry())
            bVisible = pBar->GetRecentVisibleState();
        else
            bVisible = (pBar->GetStyle() & WS_VISIBLE) != 0;
    }
    if (bVisible != m_bVisible) ShowRow(bVisible, bDelay);
}

void CSPDockBarRow::ShowRow(BOOL bShow, BOOL bDelay) {
    if (m_bVisible == bShow) return;
    m_bVisible = bShow;
    m_pParentDockBar->OnShowRow(this, bShow, bDelay);
}

BOOL CSPDockBarRow::ShowControlBar(CSPControlBar* pBar, BOOL bShow, BOOL bDelay) {
    if (!HasBar(pBar)) return FALSE;
    pBar->ShowWindow(bShow ? SW_SHOW : SW_HIDE);
    UpdateVisibleState(bDelay);
    HDWP hdwp = NULL;
    if (bShow) {
        pBar->AdjustLayout();
        ResolveOverlaps(pBar);
    } else {
        const int nFree = GetAvailableLength(FALSE);
        if (nFree >= 1) ExpandFromHead(nFree, hdwp);
    }
    if (!bDelay) {
        CRect rectClient;
        m_pParentDockBar->GetClientRect(rectClient);
        m_pParentDockBar->RepositionBars(rectClient);
        CRect rectRow;
        ScreenToRow(rectRow);
        RepositionBars(rectRow, -1, FALSE, 0);
    }
    return TRUE;
}

// --- moving a bar along the row -------------------------------------------------------

int CSPDockBarRow::MoveBarWithin(CSPControlBar* pBar, int nDelta, BOOL bSwap, HDWP& hdwp) {
    CRect rectRow;
    ScreenToRow(rectRow);
    CRect rect = GetBarRect(pBar);
    // The room: up to the row end, less the bars standing on that side.
    int nRoom = nDelta >= 0 ? AlongEnd(rectRow) - AlongEnd(rect) : Along(rect) - Along(rectRow);
    for (POSITION pos = m_lstControlBars.GetHeadPosition(); pos != NULL;) {
        CSPControlBar* pOther = (CSPControlBar*)m_lstControlBars.GetNext(pos);
        if (pOther == pBar || !IsBarVisible(pOther)) continue;
        CRect rectOther = GetBarRect(pOther);
        const BOOL bAhead = Along(rectOther) > Along(rect);
        if ((nDelta >= 0) == bAhead) nRoom -= AlongLength(rectOther);
    }
    if (nRoom <= 0) return 0;
    nDelta = nDelta >= 0 ? min(nDelta, nRoom) : max(nDelta, -nRoom);
    CRect rectMoved = rect;
    if (IsHorizontal())
        rectMoved.OffsetRect(nDelta, 0);
    else
        rectMoved.OffsetRect(0, nDelta);

    if (bSwap && GetVisibleBarCount() >= 2) {
        for (POSITION pos = m_lstControlBars.GetHeadPosition(); pos != NULL;) {
            POSITION posOther = pos;
            CSPControlBar* pOther = (CSPControlBar*)m_lstControlBars.GetNext(pos);
            if (pOther == pBar || !IsBarVisible(pOther)) continue;
            CRect rectOther = GetBarRect(pOther), rectTest;
            if (!rectTest.IntersectRect(rectMoved, rectOther)) continue;
            const CRect& rectVirt = pOther->GetVirtualRect();
            const BOOL bPassed = rectTest.IntersectRect(rectMoved, rectVirt) &&
                                 (nDelta >= 0 ? Along(rectVirt) < Along(rectMoved)
                                              : Along(rectVirt) >= Along(rectMoved));
            if (bPassed) {
                // The other bar jumps to the far side and the two change places.
                const int nOther = nDelta >= 0 ? Along(rectMoved) - AlongLength(rectOther) : AlongEnd(rectMoved);
                PlaceBarAt(pOther, nOther, hdwp);
                POSITION posBar = m_lstControlBars.Find(pBar);
                m_lstControlBars.SetAt(posBar, pOther);
                m_lstControlBars.SetAt(posOther, pBar);
            }
            break;
        }
    }
    PlaceBarAt(pBar, Along(rectMoved), hdwp);
    ResolveOverlaps(pBar);
    return nDelta;
}
