#include "SPDockBar.h"
#include "SPAutoHideToolBar.h"

#include <algorithm>


#include "SPClientHooks.h"
#include "SPControlBar.h"
#include "SPDockBarRow.h"
#include "SPDockManager.h"
#include "SPDockingUtils.h"
#include "SPReBar.h"
#include "SPFrameImpl.h"
#include "SPToolbarState.h"
#include "SPVisualManager.h"

using std::max;
using std::min;

IMPLEMENT_DYNCREATE(CSPDockBar, CSPBaseControlBar)

BEGIN_MESSAGE_MAP(CSPDockBar, CSPBaseControlBar)
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_WM_CONTEXTMENU()
    ON_WM_DESTROY()
END_MESSAGE_MAP()

// The most rows a restored layout may ask a dock bar to create.
static const int nMaxRestoredRows = 32;

UINT SPDockBarIDFromAlignment(DWORD dwAlignment) {
    switch (dwAlignment & CBRS_ALIGN_ANY) {
    case CBRS_ALIGN_TOP:
        return AFX_IDW_DOCKBAR_TOP;
    case CBRS_ALIGN_LEFT:
        return AFX_IDW_DOCKBAR_LEFT;
    case CBRS_ALIGN_RIGHT:
        return AFX_IDW_DOCKBAR_RIGHT;
    case CBRS_ALIGN_BOTTOM:
        return AFX_IDW_DOCKBAR_BOTTOM;
    }
    return 0;
}

CSPDockBar::CSPDockBar() : m_lstControlBars(10), m_lstDockBarRows(10), m_nDockBarID(0), m_bClosing(FALSE) {}

CSPDockBar::~CSPDockBar() {
    while (!m_lstDockBarRows.IsEmpty()) delete (CSPDockBarRow*)m_lstDockBarRows.RemoveHead();
    for (POSITION pos = m_lstControlBars.GetHeadPosition(); pos != NULL;) {
        CSPControlBar* pBar = (CSPControlBar*)m_lstControlBars.GetNext(pos);
        if (pBar->GetParentDockBar() == this) pBar->SetParentDockBar(NULL);
    }
}

void CSPDockBar::PostNcDestroy() { delete this; }

BOOL CSPDockBar::CanAcceptBar(const CSPBaseControlBar* pBar) const {
    return pBar != NULL && !pBar->IsKindOf(RUNTIME_CLASS(CSPAutoHideToolBar));
}

// --- creation -------------------------------------------------------------------------

BOOL CSPDockBar::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
    return CreateEx(0, dwStyle, rect, pParentWnd, nID);
}

BOOL CSPDockBar::CreateEx(DWORD dwStyleEx, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT /*nID*/) {
    EnableDocking(GetEnabledAlignment() | (dwStyle & CBRS_ALIGN_ANY));
    SetCurrentAlignment(dwStyle & CBRS_ALIGN_ANY);

    const CString strClassName = RegisterBarClass(_T("SDockBar"));
    m_nDockBarID = SPDockBarIDFromAlignment(dwStyle);
    const DWORD dwWndStyle = (dwStyle & ~CBRS_ALIGN_ANY) | WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
    return CSPBaseControlBar::CreateEx(dwStyleEx, strClassName, NULL, dwWndStyle, rect, pParentWnd, m_nDockBarID,
                                       0, NULL);
}

// --- queries -------------------------------------------------------------------------------

BOOL CSPDockBar::IsAnyBarDragged() const {
    for (POSITION pos = m_lstControlBars.GetHeadPosition(); pos != NULL;) {
        CSPControlBar* pBar = (CSPControlBar*)m_lstControlBars.GetNext(pos);
        if (pBar->IsDragMode()) return TRUE;
    }
    return FALSE;
}

int CSPDockBar::GetThickness() const {
    int nThickness = 0;
    for (POSITION pos = m_lstDockBarRows.GetHeadPosition(); pos != NULL;) {
        CSPDockBarRow* pRow = (CSPDockBarRow*)m_lstDockBarRows.GetNext(pos);
        if (pRow->IsVisible()) nThickness += pRow->GetRowHeight();
    }
    return nThickness;
}

CSize CSPDockBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz) {
    for (POSITION pos = m_lstDockBarRows.GetHeadPosition(); pos != NULL;) {
        CSPDockBarRow* pRow = (CSPDockBarRow*)m_lstDockBarRows.GetNext(pos);
        if (!pRow->IsVisible()) continue;
        CSize size = pRow->CalcFixedLayout(bStretch, bHorz);
        const int nAcross = IsHorizontal() ? size.cy : size.cx;
        if (nAcross >= 1 && nAcross != pRow->GetRowHeight()) ResizeRow(pRow, nAcross, FALSE);
    }
    // The thickness is that of the rows, whatever the window has now.
    CRect rect;
    GetWindowRect(rect);
    return IsHorizontal() ? CSize(rect.Width(), GetThickness()) : CSize(GetThickness(), rect.Height());
}

CSPDockBarRow* CSPDockBar::FindRowOfBar(const CSPControlBar* pBar) const {
    for (POSITION pos = m_lstDockBarRows.GetHeadPosition(); pos != NULL;) {
        CSPDockBarRow* pRow = (CSPDockBarRow*)m_lstDockBarRows.GetNext(pos);
        if (pRow->HasBar(pBar)) return pRow;
    }
    return NULL;
}

int CSPDockBar::GetRowIndex(const CSPDockBarRow* pRow) const {
    int nIndex = 0;
    for (POSITION pos = m_lstDockBarRows.GetHeadPosition(); pos != NULL; nIndex++) {
        if (m_lstDockBarRows.GetNext(pos) == pRow) return nIndex;
    }
    return 0;
}

BOOL CSPDockBar::IsFirstOrLastRow(const CSPDockBarRow* pRow) const {
    return !m_lstDockBarRows.IsEmpty() && (m_lstDockBarRows.GetHead() == pRow || m_lstDockBarRows.GetTail() == pRow);
}

CSPDockBarRow* CSPDockBar::RowFromPoint(CPoint ptScreen, BOOL& bBefore) const {
    bBefore = FALSE;
    for (POSITION pos = m_lstDockBarRows.GetHeadPosition(); pos != NULL;) {
        CSPDockBarRow* pRow = (CSPDockBarRow*)m_lstDockBarRows.GetNext(pos);
        if (!pRow->IsVisible()) continue;
        CRect rect;
        pRow->GetRowRect(rect);
        if (rect.PtInRect(ptScreen)) return pRow;
    }
    CRect rectWnd;
    GetWindowRect(rectWnd);
    bBefore = IsHorizontal() ? ptScreen.y < rectWnd.top : ptScreen.x < rectWnd.left;
    return NULL;
}

CSPDockBarRow* CSPDockBar::RowFromClientPoint(CPoint ptClient) const {
    // Across only: a point past the row's length still belongs to it.
    const int nAcross = IsHorizontal() ? ptClient.y : ptClient.x;
    for (POSITION pos = m_lstDockBarRows.GetHeadPosition(); pos != NULL;) {
        CSPDockBarRow* pRow = (CSPDockBarRow*)m_lstDockBarRows.GetNext(pos);
        if (pRow->IsVisible() && nAcross >= pRow->GetRowOffset() &&
            nAcross < pRow->GetRowOffset() + pRow->GetRowHeight())
            return pRow;
    }
    return NULL;
}

CSPControlBar* CSPDockBar::ControlBarFromPoint(CPoint pt) {
    for (POSITION pos = m_lstControlBars.GetHeadPosition(); pos != NULL;) {
        CSPControlBar* pBar = (CSPControlBar*)m_lstControlBars.GetNext(pos);
        CRect rect;
        pBar->GetWindowRect(rect);
        if (rect.PtInRect(pt)) return pBar;
    }
    return NULL;
}

CWnd* CSPDockBar::FindBarByID(UINT nID) const {
    for (POSITION pos = m_lstControlBars.GetHeadPosition(); pos != NULL;) {
        CSPControlBar* pBar = (CSPControlBar*)m_lstControlBars.GetNext(pos);
        if (pBar->GetSafeHwnd() == NULL) continue;
        if ((UINT)pBar->GetDlgCtrlID() == nID) return pBar;
        if (pBar->IsKindOf(RUNTIME_CLASS(CSPReBar))) {
            CWnd* pChild = pBar->GetDlgItem((int)nID);
            if (pChild != NULL) return pChild;
        }
    }
    return NULL;
}

// --- rows -------------------------------------------------------------------------------------

CSPDockBarRow* CSPDockBar::CreateRow(int nOffset, int nRowHeight) {
    CSPDockBarRow* pRow = new CSPDockBarRow(this, nOffset, nRowHeight);
    if (!pRow->InitRow()) {
        delete pRow;
        return NULL;
    }
    return pRow;
}

int CSPDockBar::OffsetAt(POSITION posBefore) const {
    int nOffset = 0;
    for (POSITION pos = m_lstDockBarRows.GetHeadPosition(); pos != NULL && pos != posBefore;) {
        CSPDockBarRow* pRow = (CSPDockBarRow*)m_lstDockBarRows.GetNext(pos);
        if (pRow->IsVisible()) nOffset += pRow->GetRowHeight();
    }
    return nOffset;
}

void CSPDockBar::ResizeDockBar(int nDelta, BOOL bAdjustLayout) {
    if (nDelta == 0 || GetSafeHwnd() == NULL) return;
    CRect rect;
    GetWindowRect(rect);
    CWnd* pParent = GetParent();
    if (pParent != NULL) pParent->ScreenToClient(rect);
    switch (GetCurrentAlignment()) {
    case CBRS_ALIGN_LEFT:
        rect.right += nDelta;
        break;
    case CBRS_ALIGN_TOP:
        rect.bottom += nDelta;
        break;
    case CBRS_ALIGN_RIGHT:
        rect.left -= nDelta;
        break;
    case CBRS_ALIGN_BOTTOM:
        rect.top -= nDelta;
        break;
    }
    MoveWindow(rect, TRUE);
    if (bAdjustLayout) AdjustLayout();
}

CSPDockBarRow* CSPDockBar::AddRow(POSITION posBefore, int nThickness) {
    ResizeDockBar(nThickness, FALSE);
    CSPDockBarRow* pRow = CreateRow(OffsetAt(posBefore), nThickness);
    if (pRow == NULL) {
        ResizeDockBar(-nThickness, FALSE);
        return NULL;
    }
    if (posBefore != NULL) {
        OnInsertRow(m_lstDockBarRows.InsertBefore(posBefore, pRow));
    } else {
        m_lstDockBarRows.AddTail(pRow);
    }
    return pRow;
}

void CSPDockBar::RemoveRow(CSPDockBarRow* pRow) {
    POSITION pos = m_lstDockBarRows.Find(pRow);
    if (pos == NULL) return;
    // The row is gone before the frame lays the dock bar out again.
    const int nThickness = pRow->IsVisible() ? pRow->GetRowHeight() : 0;
    OnRemoveRow(pos, FALSE);
    m_lstDockBarRows.RemoveAt(pos);
    delete pRow;
    ResizeDockBar(-nThickness, !m_bClosing);
}

void CSPDockBar::OnInsertRow(POSITION pos) {
    const int nThickness = ((CSPDockBarRow*)m_lstDockBarRows.GetAt(pos))->GetRowHeight();
    for (POSITION posNext = pos; (m_lstDockBarRows.GetNext(posNext), posNext != NULL);)
        ((CSPDockBarRow*)m_lstDockBarRows.GetAt(posNext))->Move(nThickness);
}

void CSPDockBar::OnRemoveRow(POSITION pos, BOOL bForce) {
    CSPDockBarRow* pRow = (CSPDockBarRow*)m_lstDockBarRows.GetAt(pos);
    if (!pRow->IsVisible() && !bForce) return;
    const int nThickness = pRow->GetRowHeight();
    for (POSITION posNext = pos; (m_lstDockBarRows.GetNext(posNext), posNext != NULL);)
        ((CSPDockBarRow*)m_lstDockBarRows.GetAt(posNext))->Move(-nThickness);
}

int CSPDockBar::ResizeRow(CSPDockBarRow* pRow, int nOffset) {
    pRow->Resize(nOffset);
    POSITION pos = m_lstDockBarRows.Find(pRow);
    if (pos == NULL) return nOffset;
    for (m_lstDockBarRows.GetNext(pos); pos != NULL;) ((CSPDockBarRow*)m_lstDockBarRows.GetNext(pos))->Move(nOffset);
    return nOffset;
}

int CSPDockBar::ResizeRow(CSPDockBarRow* pRow, int nNewThickness, BOOL bAdjustLayout) {
    const int nDelta = nNewThickness - pRow->GetRowHeight();
    if (nDelta == 0) return 0;
    if (nDelta < 0 && !pRow->IsEmpty()) {
        CSize size = pRow->CalcFixedLayout(FALSE, IsHorizontal());
        if ((IsHorizontal() ? size.cy : size.cx) > nNewThickness) return 0;
    }
    ResizeRow(pRow, nDelta);
    if (pRow->IsVisible()) ResizeDockBar(nDelta, bAdjustLayout && !m_bClosing);
    return nDelta;
}

void CSPDockBar::OnShowRow(POSITION pos, BOOL bShow) {
    if (bShow) {
        OnInsertRow(pos);
    } else {
        OnRemoveRow(pos, TRUE);
    }
}

void CSPDockBar::OnShowRow(CSPDockBarRow* pRow, BOOL bShow, BOOL bDelay) {
    POSITION pos = m_lstDockBarRows.Find(pRow);
    if (pos == NULL) return;
    OnShowRow(pos, bShow);
    ResizeDockBar(bShow ? pRow->GetRowHeight() : -pRow->GetRowHeight(), !bDelay && !m_bClosing);
}

void CSPDockBar::SwapRows(CSPDockBarRow* pFirst, CSPDockBarRow* pSecond) {
    POSITION pos1 = m_lstDockBarRows.Find(pFirst), pos2 = m_lstDockBarRows.Find(pSecond);
    if (pos1 == NULL || pos2 == NULL) return;
    const int nFirst = pFirst->GetRowHeight(), nSecond = pSecond->GetRowHeight();
    const BOOL bFirstAhead = pFirst->GetRowOffset() < pSecond->GetRowOffset();
    m_lstDockBarRows.SetAt(pos1, pSecond);
    m_lstDockBarRows.SetAt(pos2, pFirst);
    pFirst->Move(bFirstAhead ? nSecond : -nSecond);
    pSecond->Move(bFirstAhead ? -nFirst : nFirst);
    UpdateVirtualRects();
}

// --- docking ------------------------------------------------------------------------------------

CSPDockBarRow* CSPDockBar::RowForBar(CSPControlBar* pBar, CSPDockBarRow* pRow, int nThickness) {
    if (pRow == NULL) return AddRow(NULL, nThickness);
    if (pRow->IsExclusiveRow() || (!pBar->AllowsSiblingBars() && !pRow->IsEmpty())) {
        POSITION pos = m_lstDockBarRows.Find(pRow);
        m_lstDockBarRows.GetNext(pos);
        return AddRow(pos, nThickness);
    }
    return pRow;
}

void CSPDockBar::DockControlBar(CSPControlBar* pBar, LPCRECT lpRect, int nDockMethod) {
    if (pBar == NULL || m_lstControlBars.Find(pBar) != NULL) return;
    const CSize sizeBefore = pBar->CalcFixedLayout(FALSE, IsHorizontal());
    const int nThickness = max(1, (int)(IsHorizontal() ? sizeBefore.cy : sizeBefore.cx));
    CSPDockBarRow* pRow = NULL;

    if (nDockMethod == SP_DM_MOUSE) {
        CPoint pt;
        ::GetCursorPos(&pt);
        BOOL bBefore = FALSE;
        pRow = RowFromPoint(pt, bBefore);
        if (pRow == NULL)
            pRow = AddRow(bBefore ? m_lstDockBarRows.GetHeadPosition() : NULL, nThickness);
        else
            pRow = RowForBar(pBar, pRow, nThickness);
    } else {
        if (nDockMethod == SP_DM_SHOW) {
            CSPDockBarRow* pRecent = pBar->m_recentDockInfo.m_pRecentDockBarRow;
            const int nIndex = max(0, pBar->m_recentDockInfo.m_nRecentRowIndex);
            if (pRecent != NULL && m_lstDockBarRows.Find(pRecent) != NULL) {
                pRow = pRecent;
            } else {
                // While a saved layout is applied, the rows it names exist;
                // an index far past any sensible layout gets one new row.
                if (CSPDockManager::m_bRestoringDockState && nIndex < nMaxRestoredRows) {
                    while (m_lstDockBarRows.GetCount() <= nIndex && AddRow(NULL, nThickness) != NULL) {
                    }
                }
                if (nIndex < m_lstDockBarRows.GetCount()) {
                    pRow = (CSPDockBarRow*)m_lstDockBarRows.GetAt(m_lstDockBarRows.FindIndex(nIndex));
                } else {
                    CRect rectDocked = pBar->m_recentDockInfo.GetRect(TRUE);
                    if (!rectDocked.IsRectEmpty()) pRow = RowFromClientPoint(rectDocked.TopLeft());
                }
            }
        } else if (lpRect != NULL) {
            pRow = RowFromClientPoint(CPoint(lpRect->left, lpRect->top));
        }
        pRow = RowForBar(pBar, pRow, nThickness);
    }
    if (pRow == NULL) return;

    CRect rectPlace(0, 0, 0, 0);
    if (nDockMethod == SP_DM_SHOW || nDockMethod == SP_DM_RECT) {
        rectPlace = nDockMethod == SP_DM_RECT && lpRect != NULL ? CRect(lpRect) : pBar->m_recentDockInfo.GetRect(TRUE);
        ClientToScreen(rectPlace);
    }
    pRow->AddControlBar(pBar, nDockMethod, rectPlace.IsRectEmpty() ? NULL : (LPCRECT)rectPlace);

    const CSize sizeAfter = pBar->CalcFixedLayout(FALSE, IsHorizontal());
    if (sizeAfter != sizeBefore) {
        const int nAcross = IsHorizontal() ? sizeAfter.cy : sizeAfter.cx;
        if (nAcross > pRow->GetRowHeight()) ResizeRow(pRow, nAcross, TRUE);
    }
    m_lstControlBars.AddTail(pBar);
    AdjustLayout();
    ShowWindow(SW_SHOWNOACTIVATE);
}

BOOL CSPDockBar::DockControlBarInRow(CSPControlBar* pBar, CSPControlBar* pNeighbour) {
    CSPDockBarRow* pRow = FindRowOfBar(pNeighbour);
    if (pRow == NULL || pBar == NULL) return FALSE;
    CRect rectNeighbour;
    pNeighbour->GetWindowRect(rectNeighbour);
    CSize size = pBar->CalcFixedLayout(FALSE, IsHorizontal());
    CRect rect;
    if (IsHorizontal())
        rect = CRect(rectNeighbour.left - 10 - size.cx, rectNeighbour.top, rectNeighbour.left - 10,
                     rectNeighbour.top + size.cy);
    else
        rect = CRect(rectNeighbour.left, rectNeighbour.top - 10 - size.cy, rectNeighbour.left + size.cx,
                     rectNeighbour.top - 10);
    if (pBar->GetParent() != this) pBar->AttachToDockBar(this, TRUE);
    pRow->IncludeHiddenBars(TRUE);
    pRow->AddControlBar(pBar, SP_DM_RECT, rect);
    pRow->IncludeHiddenBars(FALSE);
    POSITION posNeighbour = m_lstControlBars.Find(pNeighbour);
    if (m_lstControlBars.Find(pBar) == NULL) {
        if (posNeighbour != NULL)
            m_lstControlBars.InsertBefore(posNeighbour, pBar);
        else
            m_lstControlBars.AddTail(pBar);
    }
    AdjustLayout();
    UpdateVirtualRects();
    return TRUE;
}

void CSPDockBar::RemoveControlBar(CSPControlBar* pBar) {
    POSITION pos = m_lstControlBars.Find(pBar);
    if (pos != NULL) m_lstControlBars.RemoveAt(pos);
    CSPDockBarRow* pRow = FindRowOfBar(pBar);
    if (pRow == NULL) return;
    pRow->RemoveControlBar(pBar);
    if (pRow->IsEmpty()) RemoveRow(pRow);
}

BOOL CSPDockBar::MoveControlBar(CSPControlBar* pBar, UINT /*nReserved*/, int dx, int dy) {
    CSPDockBarRow* pRow = FindRowOfBar(pBar);
    if (pRow == NULL) return FALSE;
    // The wanted place follows the mouse across rows and along the row.
    pBar->OffsetVirtualRect(CSize(dx, dy));
    CRect rectMoved = pBar->GetVirtualRect();

    CSPDockBar* pTarget = NULL;
    if (pBar->GetDockTargetAtCursor(15, pTarget)) {
        // The drag has left the dock bar: the bar floats where it is.
        CRect rectScreen = rectMoved;
        ClientToScreen(rectScreen);
        pBar->FloatControlBar(rectScreen, SP_DM_MOUSE, true);
        return TRUE;
    }

    CRect rectRow;
    pRow->ScreenToRow(rectRow);
    int d;
    if (IsHorizontal()) {
        const int dTop = rectMoved.top - rectRow.top, dBottom = rectMoved.bottom - rectRow.bottom;
        d = abs(dTop) < abs(dBottom) ? dTop : dBottom;
    } else {
        const int dLeft = rectMoved.left - rectRow.left, dRight = rectMoved.right - rectRow.right;
        d = abs(dLeft) < abs(dRight) ? dLeft : dRight;
    }
    const int nAcross = IsHorizontal() ? rectMoved.Height() : rectMoved.Width();
    const int t = nAcross * 2 / 3;

    if (abs(d) > t) {
        if (pRow->GetControlBarList().GetCount() >= 2 && abs(d) < pRow->GetRowHeight()) {
            // The bar leaves its row for a new one next to it.
            POSITION pos = m_lstDockBarRows.Find(pRow);
            if (d > 0) m_lstDockBarRows.GetNext(pos);
            pRow->RemoveControlBar(pBar);
            CSPDockBarRow* pNew = AddRow(pos, nAcross);
            if (pNew != NULL) pNew->InsertControlBar(pBar, SP_DM_MOUSE);
        } else {
            CPoint ptCentre = rectMoved.CenterPoint();
            CSPDockBarRow* pOther = RowFromClientPoint(ptCentre);
            if (pOther != NULL && pOther != pRow) {
                if (pRow->IsExclusiveRow() || pOther->IsExclusiveRow()) {
                    SwapRows(pRow, pOther);
                } else {
                    pRow->RemoveControlBar(pBar);
                    if (pRow->IsEmpty()) RemoveRow(pRow);
                    pOther->InsertControlBar(pBar, SP_DM_MOUSE);
                }
            }
        }
        AdjustLayout();
        return FALSE;
    }
    if (abs(d) >= pRow->GetRowHeight()) return FALSE;

    HDWP hdwp = ::BeginDeferWindowPos((int)pRow->GetControlBarList().GetCount());
    pRow->MoveBarWithin(pBar, IsHorizontal() ? dx : dy, TRUE, hdwp);
    if (hdwp != NULL) ::EndDeferWindowPos(hdwp);
    return FALSE;
}

// --- layout -------------------------------------------------------------------------------------

void CSPDockBar::AdjustLayout() {
    CFrameWnd* pFrame = GetDockSite();
    CWnd* pParent = GetParent();
    if (pParent != NULL && pParent->IsKindOf(RUNTIME_CLASS(CDialog))) {
        CSPDockingUtils::m_bDialogHost = TRUE;
        return;
    }
    CSPFrameImpl* pImpl = CSPFrameImpl::FromFrame(pFrame);
    if (pImpl != NULL) pImpl->AdjustDockingLayout(NULL);
}

void CSPDockBar::RepositionBars(CRect& rectNewClientArea) {
    CRect rectClient;
    GetClientRect(rectClient);
    if (rectClient.Size() == rectNewClientArea.Size()) {
        // Each row re-fits its bars in place: free length goes to the bars
        // that gave some up (or may take all), then the bars are kept apart.
        for (POSITION pos = m_lstDockBarRows.GetHeadPosition(); pos != NULL;) {
            CSPDockBarRow* pRow = (CSPDockBarRow*)m_lstDockBarRows.GetNext(pos);
            const int nFree = pRow->GetAvailableLength(FALSE);
            HDWP hdwp = NULL;
            if (nFree >= 1) pRow->ExpandFromHead(nFree, hdwp);
            pRow->ResolveOverlaps(NULL);
        }
        return;
    }
    const int dWidth = rectNewClientArea.Width() - rectClient.Width();
    const int dHeight = rectNewClientArea.Height() - rectClient.Height();
    for (POSITION pos = m_lstDockBarRows.GetHeadPosition(); pos != NULL;) {
        CSPDockBarRow* pRow = (CSPDockBarRow*)m_lstDockBarRows.GetNext(pos);
        if (dWidth != 0) pRow->RepositionBars(rectNewClientArea, 2, dWidth > 0, abs(dWidth));
        if (dHeight != 0) pRow->RepositionBars(rectNewClientArea, 6, dHeight > 0, abs(dHeight));
    }
}

void CSPDockBar::UpdateVirtualRects() {
    for (POSITION pos = m_lstControlBars.GetHeadPosition(); pos != NULL;)
        ((CSPControlBar*)m_lstControlBars.GetNext(pos))->UpdateVirtualRect();
}

BOOL CSPDockBar::ShowControlBar(CSPBaseControlBar* pBar, BOOL bShow, BOOL bDelay, BOOL /*bActivate*/) {
    if (pBar == NULL || !pBar->IsKindOf(RUNTIME_CLASS(CSPControlBar))) return FALSE;
    CSPDockBarRow* pRow = FindRowOfBar((CSPControlBar*)pBar);
    return pRow != NULL && pRow->ShowControlBar((CSPControlBar*)pBar, bShow, bDelay);
}

HDWP CSPDockBar::SetWindowPosRect(const CWnd* pWndInsertAfter, CRect rect, UINT nFlags, HDWP hdwp) {
    return SetWindowPos(pWndInsertAfter, rect.left, rect.top, rect.Width(), rect.Height(), nFlags | SWP_NOACTIVATE,
                        hdwp);
}

// --- messages -------------------------------------------------------------------------------------

// An empty paint: the background is all there is, and BeginPaint is what
// sends the erase that draws it (validating alone would skip it).
void CSPDockBar::OnPaint() { CPaintDC dc(this); }

BOOL CSPDockBar::OnEraseBkgnd(CDC* pDC) {
    CRect rect;
    GetClientRect(rect);
    CSPVisualManager::GetInstance()->OnFillBarBackground(pDC, this, rect, rect, FALSE);
    return TRUE;
}

void CSPDockBar::OnContextMenu(CWnd* /*pWnd*/, CPoint point) {
    if (g_bCustomizeMode || IsAnyBarDragged()) return;
    CWnd* pFrame = CSPFrameImpl::GetMainFrame();
    if (pFrame == NULL) pFrame = GetTopLevelFrame();
    if (pFrame != NULL) pFrame->SendMessage(GetPopupMenuMessage(), 0, MAKELPARAM(point.x, point.y));
}

void CSPDockBar::OnDestroy() {
    m_bClosing = TRUE;
    FrameRemoveControlBar(this, FALSE, FALSE, FALSE);
    CSPBaseControlBar::OnDestroy();
}
