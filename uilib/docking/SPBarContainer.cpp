// SPBarContainer.cpp - one node of a region's tree of two-way splits.
#include "SPBarContainer.h"

#include <algorithm>

#include "SPBarContainerManager.h"
#include "SPBaseTabbedBar.h"
#include "SPDockManager.h"
#include "SPControlBar.h"
#include "SPSlider.h"

using std::max;
using std::min;

IMPLEMENT_DYNCREATE(CSPBarContainer, CObject)

namespace {

// A weight of 0 or 100 would give one half everything: such a half shares
// evenly instead.
int UsableWeight(int nWeight) { return (nWeight <= 0 || nWeight >= 100) ? 50 : nWeight; }

int Extent(const CRect& rect, BOOL bHorzSlider) { return bHorzSlider ? rect.Height() : rect.Width(); }

void ThrowDamaged() { AfxThrowArchiveException(CArchiveException::generic); }

}  // namespace

CSPBarContainer::CSPBarContainer(CSPBarContainerManager* pManager, CSPControlBar* pLeftBar,
                                 CSPControlBar* pRightBar, CSPSlider* pSlider)
    : m_pBarLeft(pLeftBar),
      m_pBarRight(pRightBar),
      m_pSlider(pSlider),
      m_pLeftContainer(NULL),
      m_pRightContainer(NULL),
      m_pParentContainer(NULL),
      m_pContainerManager(pManager),
      m_bSavedHorz(FALSE),
      m_nLockCount(0),
      m_dwSavedSliderStyle(0),
      m_rectSavedSlider(0, 0, 0, 0),
      m_nLeftBarID((UINT)-1),
      m_nRightBarID((UINT)-1),
      m_nSliderID((UINT)-1),
      m_lstLeftBarIDs(10),
      m_lstRightBarIDs(10) {
    m_nHalfWeight[0] = m_nHalfWeight[1] = 50;
}

CSPBarContainer::~CSPBarContainer() {
    delete m_pLeftContainer;
    delete m_pRightContainer;
    if (m_pSlider != NULL && !m_pSlider->IsDefault() && m_pSlider->GetSafeHwnd() != NULL) {
        if (m_pContainerManager != NULL) m_pContainerManager->RemoveSlider(m_pSlider);
        m_pSlider->DestroyWindow();
    }
}

// --- the tree -------------------------------------------------------------------------------------

void CSPBarContainer::Release() {
    m_nLockCount--;
    if (m_nLockCount <= 0) {
        m_nLockCount = 0;
        CheckCollapse();
    }
}

void CSPBarContainer::SetBar(CSPControlBar* pBar, BOOL bLeft) {
    (bLeft ? m_pBarLeft : m_pBarRight) = pBar;
}

void CSPBarContainer::SetChild(CSPBarContainer* pNode, BOOL bLeft) {
    (bLeft ? m_pLeftContainer : m_pRightContainer) = pNode;
    if (pNode != NULL) pNode->m_pParentContainer = this;
}

CSPBarContainer* CSPBarContainer::FindNodeByBar(const CObject* pObject, int nSide) {
    if (pObject == NULL) return NULL;
    switch (nSide) {
    case FIND_LEFT_BAR:
        if (m_pBarLeft == pObject) return this;
        break;
    case FIND_RIGHT_BAR:
        if (m_pBarRight == pObject) return this;
        break;
    case FIND_SLIDER:
        if (m_pSlider == pObject) return this;
        break;
    default:
        if (this == pObject) return this;
        break;
    }
    CSPBarContainer* pFound = m_pLeftContainer != NULL ? m_pLeftContainer->FindNodeByBar(pObject, nSide) : NULL;
    if (pFound == NULL && m_pRightContainer != NULL) pFound = m_pRightContainer->FindNodeByBar(pObject, nSide);
    return pFound;
}

void CSPBarContainer::AddChildContainer(CSPBarContainer* pNode) {
    const BOOL bLeftIsNodes = m_pBarLeft != NULL &&
                              (m_pBarLeft == pNode->m_pBarLeft || m_pBarLeft == pNode->m_pBarRight);
    if (bLeftIsNodes) {
        m_pLeftContainer = pNode;
        m_pBarLeft = NULL;
    } else {
        m_pRightContainer = pNode;
        m_pBarRight = NULL;
    }
    pNode->m_pParentContainer = this;
}

BOOL CSPBarContainer::AddContainer(CSPBarContainer* pNode, BOOL bByLeftBar) {
    CSPControlBar* pBar = bByLeftBar ? pNode->m_pBarLeft : pNode->m_pBarRight;
    CSPBarContainer* pHolder = FindNodeByBar(pBar, FIND_LEFT_BAR);
    if (pHolder == NULL) pHolder = FindNodeByBar(pBar, FIND_RIGHT_BAR);
    if (pHolder == NULL) return FALSE;
    // The new node takes the bar's half, and with it the half's weight.
    pHolder->AddChildContainer(pNode);
    return TRUE;
}

BOOL CSPBarContainer::RemoveControlBar(CSPControlBar* pBar) {
    CSPBarContainer* pNode = FindNodeByBar(pBar, FIND_LEFT_BAR);
    BOOL bLeft = TRUE;
    if (pNode == NULL) {
        pNode = FindNodeByBar(pBar, FIND_RIGHT_BAR);
        bLeft = FALSE;
    }
    if (pNode == NULL) return FALSE;
    pNode->RemoveBarFromNode(pBar, bLeft);
    return TRUE;
}

void CSPBarContainer::RemoveBarFromNode(CSPControlBar* pBar, BOOL bLeft) {
    // The node that gets the freed space: this one when its other half
    // still holds something, else the nearest ancestor that holds more than
    // this emptied branch. Its rectangle is taken while the bar still
    // counts, and it is laid out in it again without the bar.
    CSPBarContainer* pTaker = this;
    const BOOL bOtherEmpty = bLeft ? IsRightSideEmpty(FALSE) : IsLeftSideEmpty(FALSE);
    if (bOtherEmpty) {
        pTaker = NULL;
        for (CSPBarContainer* pChild = this; pChild->m_pParentContainer != NULL;
             pChild = pChild->m_pParentContainer) {
            CSPBarContainer* pParent = pChild->m_pParentContainer;
            const BOOL bChildLeft = pParent->m_pLeftContainer == pChild;
            if (!(bChildLeft ? pParent->IsRightSideEmpty(FALSE) : pParent->IsLeftSideEmpty(FALSE))) {
                pTaker = pParent;
                break;
            }
        }
    }
    CRect rectTaker(0, 0, 0, 0);
    if (pTaker != NULL) pTaker->CalcWindowRect(rectTaker, FALSE);
    SetBar(NULL, bLeft);
    if (pBar != NULL) {
        CList<UINT, UINT>& lst = bLeft ? m_lstLeftBarIDs : m_lstRightBarIDs;
        lst.RemoveAll();
    }
    if (pTaker != NULL && !rectTaker.IsRectEmpty()) {
        pTaker->ScreenToOwner(rectTaker);
        HDWP hdwp = ::BeginDeferWindowPos(10);
        hdwp = pTaker->LayoutInRect(rectTaker, hdwp, FALSE);
        if (hdwp != NULL) ::EndDeferWindowPos(hdwp);
    }
    CheckSliderVisibility();
}

BOOL CSPBarContainer::AssignBarById(UINT nID, CSPControlBar* pBar) {
    if (m_nLeftBarID == nID && m_pBarLeft == NULL) {
        m_pBarLeft = pBar;
        return TRUE;
    }
    if (m_nRightBarID == nID && m_pBarRight == NULL) {
        m_pBarRight = pBar;
        return TRUE;
    }
    if (m_pLeftContainer != NULL && m_pLeftContainer->AssignBarById(nID, pBar)) return TRUE;
    return m_pRightContainer != NULL && m_pRightContainer->AssignBarById(nID, pBar);
}

void CSPBarContainer::CheckForEmptyRecursive() {
    CSPBarContainer* pLeft = m_pLeftContainer;
    CSPBarContainer* pRight = m_pRightContainer;
    if (pLeft != NULL) pLeft->CheckForEmptyRecursive();
    if (pRight != NULL) pRight->CheckForEmptyRecursive();
    if (m_pParentContainer != NULL) CheckCollapse();
}

int CSPBarContainer::GetOccupantCount() const {
    return (m_pBarLeft != NULL) + (m_pBarRight != NULL) + (m_pLeftContainer != NULL) + (m_pRightContainer != NULL);
}

BOOL CSPBarContainer::CheckCollapse() {
    if (GetOccupantCount() >= 2 || m_nLockCount >= 1) return FALSE;
    if (m_pSlider != NULL && m_pSlider->IsDefault()) {
        if (m_pContainerManager != NULL) m_pContainerManager->OnEmptiedContainer(this);
        return FALSE;
    }
    CSPBarContainer* pParent = m_pParentContainer;
    if (pParent == NULL) {
        if (m_pContainerManager != NULL) m_pContainerManager->OnEmptiedContainer(this);
        return FALSE;
    }
    // The single occupant (if any) takes this node's place in the parent.
    const BOOL bLeft = pParent->m_pLeftContainer == this;
    (bLeft ? pParent->m_pLeftContainer : pParent->m_pRightContainer) = NULL;
    if (m_pBarLeft != NULL || m_pBarRight != NULL) {
        pParent->SetBar(m_pBarLeft != NULL ? m_pBarLeft : m_pBarRight, bLeft);
        CList<UINT, UINT>& lstTo = bLeft ? pParent->m_lstLeftBarIDs : pParent->m_lstRightBarIDs;
        lstTo.RemoveAll();
        lstTo.AddTail(m_pBarLeft != NULL ? &m_lstLeftBarIDs : &m_lstRightBarIDs);
    } else if (m_pLeftContainer != NULL || m_pRightContainer != NULL) {
        pParent->SetChild(m_pLeftContainer != NULL ? m_pLeftContainer : m_pRightContainer, bLeft);
    }
    m_pLeftContainer = m_pRightContainer = NULL;
    m_pBarLeft = m_pBarRight = NULL;
    delete this;
    return TRUE;
}

void CSPBarContainer::CheckSliderVisibility() {
    if (m_pLeftContainer != NULL) m_pLeftContainer->CheckSliderVisibility();
    if (m_pRightContainer != NULL) m_pRightContainer->CheckSliderVisibility();
    if (m_pSlider == NULL || m_pSlider->GetSafeHwnd() == NULL || m_pSlider->IsDefault()) return;
    const BOOL bShow = !IsLeftSideEmpty(TRUE) && !IsRightSideEmpty(TRUE);
    m_pSlider->ShowWindow(bShow ? SW_SHOWNA : SW_HIDE);
}

CSPBarContainer* CSPBarContainer::SplitVisible(CSPBarContainer* pNewParent) {
    CSPBarContainer* pCopy = new CSPBarContainer(NULL, NULL, NULL, NULL);
    pCopy->m_pParentContainer = pNewParent;
    auto shown = [](const CWnd* pWnd) {
        return pWnd != NULL && pWnd->GetSafeHwnd() != NULL && (pWnd->GetStyle() & WS_VISIBLE) != 0;
    };
    for (int nSide = 0; nSide < 2; nSide++) {
        const BOOL bLeft = nSide == 0;
        CSPControlBar*& pBar = bLeft ? m_pBarLeft : m_pBarRight;
        if (shown(pBar)) {
            pCopy->SetBar(pBar, bLeft);
            pBar = NULL;
        }
        CSPBarContainer* pChild = bLeft ? m_pLeftContainer : m_pRightContainer;
        if (pChild != NULL) {
            CSPBarContainer* pChildCopy = pChild->SplitVisible(pCopy);
            if (pChildCopy->IsEmpty()) {
                pChildCopy->SetSlider(NULL);
                delete pChildCopy;
            } else {
                pCopy->SetChild(pChildCopy, bLeft);
            }
        }
        pCopy->m_nHalfWeight[nSide] = m_nHalfWeight[nSide];
    }
    pCopy->m_bSavedHorz = m_bSavedHorz;
    pCopy->m_dwSavedSliderStyle = m_dwSavedSliderStyle;
    pCopy->m_rectSavedSlider = m_rectSavedSlider;
    if (shown(m_pSlider)) {
        m_bSavedHorz = m_pSlider->IsHorizontal();
        m_dwSavedSliderStyle = m_pSlider->GetSliderStyle();
        m_pSlider->GetWindowRect(m_rectSavedSlider);
        if (m_pSlider->GetParent() != NULL) m_pSlider->GetParent()->ScreenToClient(m_rectSavedSlider);
        pCopy->SetSlider(m_pSlider);
        m_pSlider = NULL;
    }
    return pCopy;
}

void CSPBarContainer::SetManager(CSPBarContainerManager* pManager, BOOL bRecursive) {
    m_pContainerManager = pManager;
    if (!bRecursive) return;
    if (m_pLeftContainer != NULL) m_pLeftContainer->SetManager(pManager, TRUE);
    if (m_pRightContainer != NULL) m_pRightContainer->SetManager(pManager, TRUE);
}

void CSPBarContainer::RemoveNonValidBars() {
    auto valid = [](CSPControlBar* pBar) {
        return pBar != NULL && ::IsWindow(pBar->GetSafeHwnd()) && pBar->GetDlgCtrlID() != 0;
    };
    if (m_pBarLeft != NULL && !valid(m_pBarLeft)) m_pBarLeft = NULL;
    if (m_pBarRight != NULL && !valid(m_pBarRight)) m_pBarRight = NULL;
    if (m_pLeftContainer != NULL) m_pLeftContainer->RemoveNonValidBars();
    if (m_pRightContainer != NULL) m_pRightContainer->RemoveNonValidBars();
}

CSPControlBar* CSPBarContainer::FindBarByListedID(UINT nID) {
    if (m_lstLeftBarIDs.Find(nID) != NULL) return m_pBarLeft;
    if (m_lstRightBarIDs.Find(nID) != NULL) return m_pBarRight;
    CSPControlBar* pBar = m_pLeftContainer != NULL ? m_pLeftContainer->FindBarByListedID(nID) : NULL;
    if (pBar == NULL && m_pRightContainer != NULL) pBar = m_pRightContainer->FindBarByListedID(nID);
    return pBar;
}

// --- queries --------------------------------------------------------------------------------------

CList<UINT, UINT>* CSPBarContainer::GetBarIDList(const CSPControlBar* pBar) {
    if (pBar == NULL) return NULL;
    if (pBar == m_pBarLeft) return &m_lstLeftBarIDs;
    if (pBar == m_pBarRight) return &m_lstRightBarIDs;
    return NULL;
}

BOOL CSPBarContainer::IsEmpty() const {
    return m_pBarLeft == NULL && m_pBarRight == NULL && (m_pLeftContainer == NULL || m_pLeftContainer->IsEmpty()) &&
           (m_pRightContainer == NULL || m_pRightContainer->IsEmpty());
}

BOOL CSPBarContainer::IsLeftChild() const {
    return m_pParentContainer == NULL || m_pParentContainer->m_pLeftContainer == this;
}

BOOL CSPBarContainer::IsVisible() const {
    auto shown = [](const CSPControlBar* pBar) {
        return pBar != NULL && pBar->GetSafeHwnd() != NULL && (pBar->GetStyle() & WS_VISIBLE) != 0;
    };
    return shown(m_pBarLeft) || shown(m_pBarRight) || (m_pLeftContainer != NULL && m_pLeftContainer->IsVisible()) ||
           (m_pRightContainer != NULL && m_pRightContainer->IsVisible());
}

BOOL CSPBarContainer::IsLeftSideEmpty(BOOL bVisibleOnly) const {
    if (m_pBarLeft != NULL && (!bVisibleOnly || (m_pBarLeft->GetStyle() & WS_VISIBLE) != 0)) return FALSE;
    if (m_pLeftContainer == NULL || m_pLeftContainer->IsEmpty()) return TRUE;
    return bVisibleOnly ? !m_pLeftContainer->IsVisible() : FALSE;
}

BOOL CSPBarContainer::IsRightSideEmpty(BOOL bVisibleOnly) const {
    if (m_pBarRight != NULL && (!bVisibleOnly || (m_pBarRight->GetStyle() & WS_VISIBLE) != 0)) return FALSE;
    if (m_pRightContainer == NULL || m_pRightContainer->IsEmpty()) return TRUE;
    return bVisibleOnly ? !m_pRightContainer->IsVisible() : FALSE;
}

BOOL CSPBarContainer::IsHorizontal() const {
    return m_pSlider != NULL ? m_pSlider->IsHorizontal() : m_bSavedHorz;
}

int CSPBarContainer::GetNodeCount() const {
    return 1 + (m_pLeftContainer != NULL ? m_pLeftContainer->GetNodeCount() : 0) +
           (m_pRightContainer != NULL ? m_pRightContainer->GetNodeCount() : 0);
}

int CSPBarContainer::GetLockCount() const {
    return m_nLockCount + (m_pLeftContainer != NULL ? m_pLeftContainer->GetLockCount() : 0) +
           (m_pRightContainer != NULL ? m_pRightContainer->GetLockCount() : 0);
}

int CSPBarContainer::GetPlacementWeight() const {
    if (m_pParentContainer == NULL) return 100;
    return m_pParentContainer->GetHalfWeight(m_pParentContainer->m_pLeftContainer == this);
}

int CSPBarContainer::GetFirstResizeLimit() const {
    int nLimit = -1;
    if (m_pBarLeft != NULL) nLimit = m_pBarLeft->GetFirstResizeLimit();
    if (m_pBarRight != NULL) nLimit = max(nLimit, m_pBarRight->GetFirstResizeLimit());
    if (m_pLeftContainer != NULL) nLimit = m_pLeftContainer->GetFirstResizeLimit();
    if (m_pRightContainer != NULL) nLimit = max(nLimit, m_pRightContainer->GetFirstResizeLimit());
    return nLimit;
}

// --- geometry -------------------------------------------------------------------------------------

BOOL CSPBarContainer::IsAutoHideRegion() const {
    return m_pContainerManager != NULL && m_pContainerManager->IsAutoHideRegion();
}

BOOL CSPBarContainer::IsBarCounted(const CSPControlBar* pBar, BOOL bIncludeHidden) const {
    if (pBar == NULL || pBar->GetSafeHwnd() == NULL) return FALSE;
    return bIncludeHidden || (pBar->GetStyle() & WS_VISIBLE) != 0 || IsAutoHideRegion();
}

BOOL CSPBarContainer::IsChildCounted(const CSPBarContainer* pNode, BOOL bIncludeHidden) const {
    if (pNode == NULL) return FALSE;
    return bIncludeHidden || pNode->IsVisible() || IsAutoHideRegion();
}

void CSPBarContainer::CalcWindowRect(CRect& rect, BOOL bIncludeHidden) const {
    rect.SetRectEmpty();
    auto addBar = [&](const CSPControlBar* pBar) {
        if (!IsBarCounted(pBar, bIncludeHidden)) return;
        CRect r;
        pBar->GetWindowRect(r);
        CSize sizeMin;
        pBar->GetMinSize(sizeMin);
        if (r.Width() == 0) r.right += sizeMin.cx;
        if (r.Height() == 0) r.bottom += sizeMin.cy;
        rect.UnionRect(rect, r);
    };
    auto addChild = [&](const CSPBarContainer* pNode) {
        if (!IsChildCounted(pNode, bIncludeHidden)) return;
        CRect r;
        pNode->CalcWindowRect(r, bIncludeHidden);
        rect.UnionRect(rect, r);
    };
    addBar(m_pBarLeft);
    addBar(m_pBarRight);
    addChild(m_pLeftContainer);
    addChild(m_pRightContainer);
}

void CSPBarContainer::GetMinSize(CSize& size) const {
    CSize sizes[4] = {CSize(0, 0), CSize(0, 0), CSize(0, 0), CSize(0, 0)};
    BOOL bLeftCounted = FALSE, bRightCounted = FALSE;
    if (IsBarCounted(m_pBarLeft, FALSE)) {
        m_pBarLeft->GetMinSize(sizes[0]);
        bLeftCounted = TRUE;
    }
    if (IsBarCounted(m_pBarRight, FALSE)) {
        m_pBarRight->GetMinSize(sizes[1]);
        bRightCounted = TRUE;
    }
    if (IsChildCounted(m_pLeftContainer, FALSE)) {
        m_pLeftContainer->GetMinSize(sizes[2]);
        bLeftCounted = TRUE;
    }
    if (IsChildCounted(m_pRightContainer, FALSE)) {
        m_pRightContainer->GetMinSize(sizes[3]);
        bRightCounted = TRUE;
    }
    if (m_pSlider != NULL && bLeftCounted && bRightCounted) {
        const int nThickness = m_pSlider->GetWidth();
        size = CSize(0, 0);
        for (const CSize& s : sizes) {
            if (m_pSlider->IsHorizontal()) {
                size.cx = max(size.cx, s.cx);
                size.cy += s.cy;
            } else {
                size.cy = max(size.cy, s.cy);
                size.cx += s.cx;
            }
        }
        (m_pSlider->IsHorizontal() ? size.cy : size.cx) += nThickness;
        return;
    }
    size = CSize(max(sizes[0].cx, sizes[1].cx), max(sizes[0].cy, sizes[1].cy));
    if (m_pLeftContainer != NULL && IsChildCounted(m_pLeftContainer, FALSE)) size = sizes[2];
    if (m_pRightContainer != NULL && IsChildCounted(m_pRightContainer, FALSE)) size = sizes[3];
}

void CSPBarContainer::GetLeftMinSize(CSize& size) const {
    CSize sizeBar(0, 0), sizeChild(0, 0);
    if (IsBarCounted(m_pBarLeft, FALSE)) m_pBarLeft->GetMinSize(sizeBar);
    if (IsChildCounted(m_pLeftContainer, FALSE)) m_pLeftContainer->GetMinSize(sizeChild);
    size = CSize(max(sizeBar.cx, sizeChild.cx), max(sizeBar.cy, sizeChild.cy));
}

void CSPBarContainer::GetRightMinSize(CSize& size) const {
    CSize sizeBar(0, 0), sizeChild(0, 0);
    if (IsBarCounted(m_pBarRight, FALSE)) m_pBarRight->GetMinSize(sizeBar);
    if (IsChildCounted(m_pRightContainer, FALSE)) m_pRightContainer->GetMinSize(sizeChild);
    size = CSize(max(sizeBar.cx, sizeChild.cx), max(sizeBar.cy, sizeChild.cy));
}

void CSPBarContainer::ScreenToOwner(CRect& rect) const {
    CWnd* pOwner = m_pContainerManager != NULL ? m_pContainerManager->GetOwnerWnd() : NULL;
    if (pOwner->GetSafeHwnd() != NULL) pOwner->ScreenToClient(rect);
}

BOOL CSPBarContainer::GetHalf(BOOL bLeft, CRect& rect, CSize& sizeMin) const {
    CSPControlBar* pBar = bLeft ? m_pBarLeft : m_pBarRight;
    CSPBarContainer* pChild = bLeft ? m_pLeftContainer : m_pRightContainer;
    rect.SetRectEmpty();
    sizeMin = CSize(0, 0);
    if (IsChildCounted(pChild, FALSE)) {
        pChild->CalcWindowRect(rect, FALSE);
        pChild->GetMinSize(sizeMin);
        return TRUE;
    }
    if (IsBarCounted(pBar, FALSE)) {
        pBar->GetWindowRect(rect);
        pBar->GetMinSize(sizeMin);
        return TRUE;
    }
    return FALSE;
}

HDWP CSPBarContainer::ApplyHalf(BOOL bLeft, CRect rect, HDWP hdwp, BOOL bRepaint) {
    CSPControlBar* pBar = bLeft ? m_pBarLeft : m_pBarRight;
    CSPBarContainer* pChild = bLeft ? m_pLeftContainer : m_pRightContainer;
    rect.NormalizeRect();
    if (pBar != NULL && pBar->GetSafeHwnd() != NULL) hdwp = pBar->MoveWindow(rect, bRepaint, hdwp);
    if (pChild != NULL) hdwp = pChild->LayoutInRect(rect, hdwp, bRepaint);
    return hdwp;
}

HDWP CSPBarContainer::LayoutInRect(CRect rect, HDWP hdwp, BOOL bRepaint) {
    const BOOL bAutoHide = IsAutoHideRegion();
    const BOOL bLeftEmpty = IsLeftSideEmpty(!bAutoHide);
    const BOOL bRightEmpty = IsRightSideEmpty(!bAutoHide);
    if (bLeftEmpty && bRightEmpty) return hdwp;
    if (bRightEmpty) return ApplyHalf(TRUE, rect, hdwp, bRepaint);
    if (bLeftEmpty) return ApplyHalf(FALSE, rect, hdwp, bRepaint);

    const BOOL bHorz = IsHorizontal();
    CRect rectCur, rectA, rectB;
    CSize sizeMin;
    CalcWindowRect(rectCur, FALSE);
    GetHalf(TRUE, rectA, sizeMin);
    GetHalf(FALSE, rectB, sizeMin);
    int a = Extent(rectA, bHorz);
    const int b = Extent(rectB, bHorz);
    const int c = Extent(rectCur, bHorz);
    const int r = Extent(rect, bHorz);

    // A half that has no extent yet (just shown) gets its weight's share.
    int nStored = -1;
    if (a + b > c || rectA.IsRectEmpty() || rectB.IsRectEmpty()) {
        if (a == c) {
            const int w = UsableWeight(GetHalfWeight(FALSE));
            a = c - c * w / 100;
            nStored = 100 - w;
        } else if (b == c) {
            const int w = UsableWeight(GetHalfWeight(TRUE));
            a = c * w / 100;
            nStored = w;
        } else {
            nStored = 50;
        }
    }
    double dRatio = c > 0 ? 100.0 * a / c : 50.0;
    if (dRatio == 100.0 || dRatio == 0.0) dRatio = 50.0;
    const int d = r - c;
    int e = a;
    if (d > 0) {
        // The left half grows by the right half's share of the growth.
        e = a + (int)((100.0 - dRatio) * d / 100.0);
    } else if (d < 0) {
        e = a + (int)(dRatio * d / 100.0);
    } else if (nStored >= 0) {
        dRatio = nStored;
    }
    const int nThickness = m_pSlider != NULL ? m_pSlider->GetWidth() : 0;
    e = max(0, min(e, r - nThickness));

    CRect rectLeft = rect, rectSlider = rect, rectRight = rect;
    if (bHorz) {
        rectLeft.bottom = rect.top + e;
        rectSlider.top = rectLeft.bottom;
        rectSlider.bottom = rectSlider.top + nThickness;
        rectRight.top = min(rectSlider.bottom, rect.bottom);
    } else {
        rectLeft.right = rect.left + e;
        rectSlider.left = rectLeft.right;
        rectSlider.right = rectSlider.left + nThickness;
        rectRight.left = min(rectSlider.right, rect.right);
    }
    const int nLeftWeight = (int)dRatio;
    hdwp = ApplyHalf(TRUE, rectLeft, hdwp, bRepaint);
    hdwp = ApplyHalf(FALSE, rectRight, hdwp, bRepaint);
    SetHalfWeight(TRUE, nLeftWeight);
    SetHalfWeight(FALSE, 100 - nLeftWeight);
    if (m_pSlider != NULL && m_pSlider->GetSafeHwnd() != NULL && (m_pSlider->GetStyle() & WS_VISIBLE) != 0)
        hdwp = m_pSlider->MoveWindow(rectSlider, bRepaint, hdwp);
    return hdwp;
}

int CSPBarContainer::ResizeHalves(int nDelta, HDWP& hdwp) {
    CRect rects[2];
    CSize sizes[2];
    BOOL bHas[2];
    bHas[0] = GetHalf(TRUE, rects[0], sizes[0]);
    bHas[1] = GetHalf(FALSE, rects[1], sizes[1]);
    const BOOL bHorz = IsHorizontal();
    if (bHorz) {
        rects[0].bottom += nDelta;
        rects[1].top += nDelta;
        if (rects[0].Height() < sizes[0].cy) rects[0].bottom = rects[0].top + sizes[0].cy;
        if (rects[1].Height() < sizes[1].cy) rects[1].top = rects[1].bottom - sizes[1].cy;
    } else {
        rects[0].right += nDelta;
        rects[1].left += nDelta;
        if (rects[0].Width() < sizes[0].cx) rects[0].right = rects[0].left + sizes[0].cx;
        if (rects[1].Width() < sizes[1].cx) rects[1].left = rects[1].right - sizes[1].cx;
    }
    for (int i = 0; i < 2; i++) {
        if (!bHas[i]) continue;
        ScreenToOwner(rects[i]);
        hdwp = ApplyHalf(i == 0, rects[i], hdwp, TRUE);
    }
    return nDelta;
}

void CSPBarContainer::CalcPlacementWeights() {
    if (m_pLeftContainer != NULL) m_pLeftContainer->CalcPlacementWeights();
    if (m_pRightContainer != NULL) m_pRightContainer->CalcPlacementWeights();
    const BOOL bAutoHide = IsAutoHideRegion();
    const BOOL bLeftEmpty = IsLeftSideEmpty(!bAutoHide);
    const BOOL bRightEmpty = IsRightSideEmpty(!bAutoHide);
    if (bLeftEmpty || bRightEmpty) {
        if (!bLeftEmpty) SetHalfWeight(TRUE, 100);
        if (!bRightEmpty) SetHalfWeight(FALSE, 100);
        return;
    }
    const BOOL bHorz = IsHorizontal();
    CRect rectCur, rectA, rectB;
    CSize sizeMin;
    CalcWindowRect(rectCur, FALSE);
    GetHalf(TRUE, rectA, sizeMin);
    GetHalf(FALSE, rectB, sizeMin);
    const int a = Extent(rectA, bHorz), b = Extent(rectB, bHorz), c = Extent(rectCur, bHorz);
    double dRatio = 50.0;
    if (a + b > c) {
        if (a == c)
            dRatio = 100 - GetHalfWeight(FALSE);
        else if (b == c)
            dRatio = GetHalfWeight(TRUE);
    } else if (c > 0) {
        dRatio = 100.0 * a / c;
    }
    SetHalfWeight(TRUE, (int)dRatio);
    SetHalfWeight(FALSE, 100 - (int)dRatio);
}

void CSPBarContainer::RepositionBars(int x, int y) {
    const UINT nFlags = SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE;
    CRect rectLeft(0, 0, 0, 0);
    if (m_pBarLeft != NULL && m_pBarLeft->GetSafeHwnd() != NULL) {
        m_pBarLeft->SetWindowPos(NULL, x, y, 0, 0, nFlags, NULL);
        m_pBarLeft->GetWindowRect(rectLeft);
    }
    if (m_pLeftContainer != NULL) {
        m_pLeftContainer->CalcWindowRect(rectLeft, FALSE);
        m_pLeftContainer->RepositionBars(x, y);
    }
    int dx = 0, dy = 0;
    if (m_pSlider != NULL && m_pSlider->GetSafeHwnd() != NULL) {
        if (m_pSlider->IsHorizontal()) {
            m_pSlider->SetWindowPos(NULL, x, y + rectLeft.Height(), 0, 0, nFlags, NULL);
            dy = rectLeft.Height() + m_pSlider->GetWidth();
        } else {
            m_pSlider->SetWindowPos(NULL, x + rectLeft.Width(), y, 0, 0, nFlags, NULL);
            dx = rectLeft.Width() + m_pSlider->GetWidth();
        }
    }
    if (m_pBarRight != NULL && m_pBarRight->GetSafeHwnd() != NULL)
        m_pBarRight->SetWindowPos(NULL, x + dx, y + dy, 0, 0, nFlags, NULL);
    if (m_pRightContainer != NULL) m_pRightContainer->RepositionBars(x + dx, y + dy);
}

void CSPBarContainer::OnHideBar(CSPControlBar* pBar, HDWP hdwp) {
    if (hdwp != NULL) return;
    CRect rect;
    CalcWindowRect(rect, TRUE);
    ScreenToOwner(rect);
    CSPControlBar* pOther = NULL;
    if (m_pBarLeft != NULL && m_pBarLeft != pBar)
        pOther = m_pBarLeft;
    else if (m_pBarRight != NULL && m_pBarRight != pBar)
        pOther = m_pBarRight;
    if (pOther != NULL) {
        pOther->SetWindowPos(NULL, rect.left, rect.top, rect.Width(), rect.Height(), SWP_NOZORDER | SWP_NOACTIVATE,
                             NULL);
    } else if (m_pLeftContainer != NULL) {
        m_pLeftContainer->LayoutInRect(rect, NULL, TRUE);
    } else if (m_pRightContainer != NULL) {
        m_pRightContainer->LayoutInRect(rect, NULL, TRUE);
    }
}

void CSPBarContainer::StoreBarDockInfo(CSPControlBar* pBar) {
    if (pBar == NULL) return;
    CSPSlider* pSlider = m_pContainerManager != NULL ? m_pContainerManager->GetDefaultSlider() : NULL;
    if (pSlider != NULL && pSlider->IsAutoHideMode() && pBar->GetParentMiniFrame(TRUE) == NULL) return;
    pBar->m_recentDockInfo.StoreDockInfo(this);
    // The side and share the bar had, for its way back into this node.
    const BOOL bDocked = pBar->GetParentMiniFrame(TRUE) == NULL;
    CSPRecentDockPlacement& place =
        bDocked ? pBar->m_recentDockInfo.m_recentSliderInfo : pBar->m_recentDockInfo.m_recentMiniFrameInfo;
    const BOOL bLeft = m_pBarLeft == pBar;
    place.m_nRecentPosition = bLeft ? 1 : 0;
    place.m_nRecentPercent = GetHalfWeight(bLeft);
}

// --- the record -------------------------------------------------------------------------------------

void CSPBarContainer::SerializeSide(CArchive& ar, BOOL bLeft) {
    CSPControlBar* pBar = bLeft ? m_pBarLeft : m_pBarRight;
    const int nID = pBar != NULL && pBar->GetSafeHwnd() != NULL ? pBar->GetDlgCtrlID() : 0;
    CSPBaseTabbedBar* pTabbedBar = DYNAMIC_DOWNCAST(CSPBaseTabbedBar, pBar);
    if (nID != -1 || pTabbedBar == NULL) {
        ar << (nID == -1 ? 0 : nID);
        return;
    }
    // A tabbed bar made at run time has no id: it is written whole, and
    // one without tabs not at all.
    if (pTabbedBar->GetTabsNum() < 1) {
        ar << 0;
        return;
    }
    ar << -1;
    pTabbedBar->SaveSiblingBarIDs(ar);
    ar.WriteObject(pTabbedBar);
    ar << (DWORD)pTabbedBar->GetStyle();
    pTabbedBar->SerializeTabWnd(ar);
}

CSPControlBar* CSPBarContainer::LoadTabbedBar(CArchive& ar, BOOL bLeft) {
    CList<UINT, UINT>& lstIDs = bLeft ? m_lstLeftBarIDs : m_lstRightBarIDs;
    CSPBaseTabbedBar::LoadSiblingBarIDs(ar, lstIDs);
    if (lstIDs.IsEmpty()) ThrowDamaged();
    // Only a tabbed bar may come out of the record.
    CSPBaseTabbedBar* pTabbedBar = (CSPBaseTabbedBar*)ar.ReadObject(RUNTIME_CLASS(CSPBaseTabbedBar));
    if (pTabbedBar == NULL) ThrowDamaged();
    DWORD dwStyle = 0;
    try {
        ar >> dwStyle;
    } catch (CException*) {
        delete pTabbedBar;
        throw;
    }
    CWnd* pOwner = m_pContainerManager->GetOwnerWnd();
    // The bar stays hidden until the docking state is applied; a bar made
    // here is always the library's to delete.
    pTabbedBar->SetAutoDestroy(TRUE);
    const DWORD dwCreateStyle = (dwStyle & ~(WS_VISIBLE | WS_POPUP)) | WS_CHILD;
    const CRect rect = pTabbedBar->m_recentDockInfo.GetRect(TRUE).IsRectEmpty()
                           ? CRect(0, 0, 100, 100)
                           : pTabbedBar->m_recentDockInfo.GetRect(TRUE);
    if (pOwner->GetSafeHwnd() == NULL) {
        delete pTabbedBar;  // never asked for a window
        ThrowDamaged();
    }
    // A refused bar has deleted itself (PostNcDestroy, auto-destroying).
    if (!pTabbedBar->Create(_T(""), pOwner, rect, TRUE, (UINT)-1, dwCreateStyle, 0x20)) ThrowDamaged();
    CSPDockManager* pDockManager = m_pContainerManager->GetLoadingDockManagerPublic();
    if (pDockManager != NULL) pDockManager->AddLoadedWindow(pTabbedBar);
    pTabbedBar->SerializeTabWnd(ar);
    return pTabbedBar;
}

void CSPBarContainer::Serialize(CArchive& ar) {
    if (!ar.IsStoring()) {
        Load(ar, 0);
        return;
    }
    SerializeSide(ar, TRUE);
    SerializeSide(ar, FALSE);
    if (m_pSlider != NULL && m_pSlider->GetSafeHwnd() != NULL) {
        ar << (int)m_pSlider->GetSliderID();
        m_pSlider->Serialize(ar);
    } else {
        ar << 0;
    }
    for (CSPBarContainer* pChild : {m_pLeftContainer, m_pRightContainer}) {
        ar << (DWORD)(pChild != NULL ? 1 : 0);
        if (pChild != NULL) pChild->Serialize(ar);
    }
}

void CSPBarContainer::Load(CArchive& ar, int nDepth) {
    if (nDepth > m_nMaxLoadDepth || m_pContainerManager == NULL) ThrowDamaged();
    int nLeftID = 0, nRightID = 0, nSliderID = 0;
    // -1 introduces a tabbed bar record, which stands where the id would.
    ar >> nLeftID;
    if (nLeftID == -1) m_pBarLeft = LoadTabbedBar(ar, TRUE);
    ar >> nRightID;
    if (nRightID == -1) m_pBarRight = LoadTabbedBar(ar, FALSE);
    m_nLeftBarID = nLeftID != 0 && nLeftID != -1 ? (UINT)nLeftID : (UINT)-1;
    m_nRightBarID = nRightID != 0 && nRightID != -1 ? (UINT)nRightID : (UINT)-1;
    ar >> nSliderID;
    if (nSliderID != 0) {
        CSPSlider* pSlider = new CSPSlider(FALSE, m_pContainerManager->GetOwnerWnd());
        pSlider->Serialize(ar);  // a slider that fails to load is gone
        if ((int)pSlider->GetSliderID() != nSliderID) {
            pSlider->DestroyWindow();
            ThrowDamaged();
        }
        m_pContainerManager->AddLoadedSlider(pSlider);
        m_pSlider = pSlider;
        m_nSliderID = (UINT)nSliderID;
    }
    for (int i = 0; i < 2; i++) {
        DWORD dwPresent = 0;
        ar >> dwPresent;
        if (dwPresent > 1) ThrowDamaged();
        if (dwPresent == 0) continue;
        CSPBarContainer* pChild = m_pContainerManager->NewContainer(NULL, NULL, NULL);
        SetChild(pChild, i == 0);
        pChild->Load(ar, nDepth + 1);
    }
}
