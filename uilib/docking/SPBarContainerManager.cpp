// SPBarContainerManager.cpp - one region of docking panes split by sliders.
#include "SPBarContainerManager.h"

#include <algorithm>

#include "SPBarContainer.h"
#include "SPControlBar.h"
#include "SPDockManager.h"
#include "SPDockingUtils.h"
#include "SPMiniFrameWnd.h"
#include "SPSlider.h"

using std::max;
using std::min;

int CSPBarContainerManager::m_nNextSliderID = 1;

namespace {

void ThrowDamaged() { AfxThrowArchiveException(CArchiveException::generic); }

}  // namespace

CSPBarContainerManager::CSPBarContainerManager()
    : m_lstControlBars(10),
      m_lstSliders(10),
      m_pRootContainer(NULL),
      m_pContainerRTC(NULL),
      m_pDefaultSlider(NULL),
      m_bDestroyRootContainer(TRUE),
      m_pOwnerWnd(NULL) {}

CSPBarContainerManager::~CSPBarContainerManager() {
    if (!m_bDestroyRootContainer) return;
    for (POSITION pos = m_lstSliders.GetHeadPosition(); pos != NULL;) {
        CSPSlider* pSlider = (CSPSlider*)m_lstSliders.GetNext(pos);
        pSlider->SetContainerManager(NULL);
    }
    m_lstSliders.RemoveAll();
    // The nodes' sliders go with the nodes; they no longer call back here.
    if (m_pRootContainer != NULL) m_pRootContainer->SetManager(NULL, TRUE);
    delete m_pRootContainer;
}

CSPBarContainer* CSPBarContainerManager::NewContainer(CSPControlBar* pLeftBar, CSPControlBar* pRightBar,
                                                      CSPSlider* pSlider) {
    CSPBarContainer* pNode = NULL;
    if (m_pContainerRTC != NULL && m_pContainerRTC->IsDerivedFrom(RUNTIME_CLASS(CSPBarContainer)))
        pNode = (CSPBarContainer*)m_pContainerRTC->CreateObject();
    if (pNode == NULL) pNode = new CSPBarContainer;
    pNode->SetManager(this, FALSE);
    pNode->SetBar(pLeftBar, TRUE);
    pNode->SetBar(pRightBar, FALSE);
    pNode->SetSlider(pSlider);
    return pNode;
}

BOOL CSPBarContainerManager::Create(CWnd* pOwnerWnd, CSPSlider* pDefaultSlider, CRuntimeClass* pContainerClass) {
    m_pOwnerWnd = pOwnerWnd;
    m_pContainerRTC = pContainerClass;
    m_pDefaultSlider = pDefaultSlider;
    delete m_pRootContainer;
    m_pRootContainer = NewContainer(NULL, NULL, NULL);
    return TRUE;
}

BOOL CSPBarContainerManager::IsAutoHideRegion() const {
    return m_pDefaultSlider != NULL && m_pDefaultSlider->IsAutoHideMode();
}

// --- bars -------------------------------------------------------------------------------------------

void CSPBarContainerManager::AddControlBar(CSPControlBar* pBar) {
    if (m_pRootContainer == NULL) Create(m_pOwnerWnd, m_pDefaultSlider, m_pContainerRTC);
    m_pRootContainer->SetBar(pBar, TRUE);
    m_lstControlBars.AddTail(pBar);
}

BOOL CSPBarContainerManager::InsertControlBar(CSPControlBar* pBar, CSPControlBar* pTarget, DWORD dwAlignment) {
    if (m_pRootContainer == NULL || pBar == NULL || pTarget == NULL) return FALSE;
    POSITION posTarget = m_lstControlBars.Find(pTarget);
    if (posTarget == NULL) return FALSE;
    const DWORD dwSide = dwAlignment & CBRS_ALIGN_ANY;
    BOOL bAfter;
    switch (dwSide) {
    case CBRS_ALIGN_BOTTOM:
    case CBRS_ALIGN_RIGHT:
        bAfter = TRUE;
        break;
    case CBRS_ALIGN_LEFT:
    case CBRS_ALIGN_TOP:
        bAfter = FALSE;
        break;
    default:
        return FALSE;
    }
    const BOOL bVertSplit = (dwSide & (CBRS_ALIGN_TOP | CBRS_ALIGN_BOTTOM)) != 0;
    CRect rectTarget, rectBar;
    pTarget->GetWindowRect(rectTarget);
    pBar->GetWindowRect(rectBar);
    CSize sizeMin;
    pBar->GetMinSize(sizeMin);
    const int nThickness = m_nSliderThickness;
    int nExtent = bVertSplit ? max(rectBar.Height(), (int)sizeMin.cy) : max(rectBar.Width(), (int)sizeMin.cx);
    nExtent = min(nExtent, (bVertSplit ? rectTarget.Height() : rectTarget.Width()) / 2);
    nExtent = max(0, nExtent);

    CRect rectNew = rectTarget, rectSlider = rectTarget;
    switch (dwSide) {
    case CBRS_ALIGN_TOP:
        rectNew.bottom = rectNew.top + nExtent;
        rectSlider.top = rectNew.bottom;
        rectSlider.bottom = rectSlider.top + nThickness;
        rectTarget.top = min(rectSlider.bottom, rectTarget.bottom);
        break;
    case CBRS_ALIGN_BOTTOM:
        rectNew.top = rectNew.bottom - nExtent;
        rectSlider.bottom = rectNew.top;
        rectSlider.top = rectSlider.bottom - nThickness;
        rectTarget.bottom = max(rectSlider.top, rectTarget.top);
        break;
    case CBRS_ALIGN_LEFT:
        rectNew.right = rectNew.left + nExtent;
        rectSlider.left = rectNew.right;
        rectSlider.right = rectSlider.left + nThickness;
        rectTarget.left = min(rectSlider.right, rectTarget.right);
        break;
    default:
        rectNew.left = rectNew.right - nExtent;
        rectSlider.right = rectNew.left;
        rectSlider.left = rectSlider.right - nThickness;
        rectTarget.right = max(rectSlider.left, rectTarget.left);
        break;
    }
    if (m_pOwnerWnd->GetSafeHwnd() != NULL) {
        m_pOwnerWnd->ScreenToClient(rectTarget);
        m_pOwnerWnd->ScreenToClient(rectNew);
        m_pOwnerWnd->ScreenToClient(rectSlider);
    }
    pTarget->MoveWindow(rectTarget, TRUE, NULL);
    pBar->MoveWindow(rectNew, TRUE, NULL);
    CSPSlider* pSlider = CreateSlider(rectSlider, bVertSplit ? SP_SS_HORZ : SP_SS_VERT);
    if (pSlider == NULL) return FALSE;

    CSPBarContainer* pNode = bAfter ? NewContainer(pTarget, pBar, pSlider) : NewContainer(pBar, pTarget, pSlider);
    if (!m_pRootContainer->AddContainer(pNode, bAfter)) {
        pNode->SetSlider(NULL);
        delete pNode;
        RemoveSlider(pSlider);
        pSlider->DestroyWindow();
        return FALSE;
    }
    // The two bars share the node by their current extents.
    pNode->CalcPlacementWeights();
    if (bAfter)
        m_lstControlBars.InsertAfter(posTarget, pBar);
    else
        m_lstControlBars.InsertBefore(posTarget, pBar);
    return TRUE;
}

BOOL CSPBarContainerManager::RemoveControlBar(CSPControlBar* pBar) {
    if (m_pRootContainer == NULL) return FALSE;
    BOOL bLeft = FALSE;
    CSPBarContainer* pNode = FindContainer(pBar, bLeft);
    if (pNode == NULL) return FALSE;
    pNode->RemoveBarFromNode(pBar, bLeft);
    m_pRootContainer->CheckSliderVisibility();
    POSITION pos = m_lstControlBars.Find(pBar);
    if (pos != NULL) {
        // The bars that shared the region, for the bar's way back.
        CList<UINT, UINT> lstIDs;
        for (POSITION p = m_lstControlBars.GetHeadPosition(); p != NULL;) {
            CSPControlBar* pOther = (CSPControlBar*)m_lstControlBars.GetNext(p);
            if (pOther->GetSafeHwnd() != NULL) lstIDs.AddTail((UINT)pOther->GetDlgCtrlID());
        }
        const BOOL bMiniFrame = m_pOwnerWnd != NULL && m_pOwnerWnd->IsKindOf(RUNTIME_CLASS(CSPMiniFrameWnd));
        pBar->m_recentDockInfo.SetSiblingIds(lstIDs, !bMiniFrame);
        m_lstControlBars.RemoveAt(pos);
    }
    m_pRootContainer->CheckForEmptyRecursive();
    return TRUE;
}

BOOL CSPBarContainerManager::ReplaceControlBar(CSPControlBar* pOldBar, CSPControlBar* pNewBar) {
    POSITION pos = m_lstControlBars.Find(pOldBar);
    if (pos == NULL) {
        m_lstControlBars.AddTail(pNewBar);
        return TRUE;
    }
    BOOL bLeft = FALSE;
    CSPBarContainer* pNode = FindContainer(pOldBar, bLeft);
    if (pNode != NULL) pNode->SetBar(pNewBar, bLeft);
    m_lstControlBars.SetAt(pos, pNewBar);
    return TRUE;
}

CSPBarContainer* CSPBarContainerManager::FindContainer(const CSPControlBar* pBar, BOOL& bLeft) const {
    if (m_pRootContainer == NULL || pBar == NULL) return NULL;
    bLeft = TRUE;
    CSPBarContainer* pNode = m_pRootContainer->FindNodeByBar(pBar, CSPBarContainer::FIND_LEFT_BAR);
    if (pNode != NULL) return pNode;
    bLeft = FALSE;
    return m_pRootContainer->FindNodeByBar(pBar, CSPBarContainer::FIND_RIGHT_BAR);
}

void CSPBarContainerManager::StoreBarDockInfo(CSPControlBar* pBar) {
    BOOL bLeft = FALSE;
    CSPBarContainer* pNode = FindContainer(pBar, bLeft);
    if (pNode != NULL) pNode->StoreBarDockInfo(pBar);
}

void CSPBarContainerManager::OnEmptiedContainer(CSPBarContainer* /*pNode*/) {
    // The root stays whatever it holds; an emptied region of a default
    // slider goes when the slider removes its last bar.
    if (m_pRootContainer != NULL) m_pRootContainer->CheckSliderVisibility();
}

// --- sliders ------------------------------------------------------------------------------------------

CSPSlider* CSPBarContainerManager::CreateSlider(CRect rectSlider, DWORD dwSliderStyle, int nSliderID) {
    if (nSliderID == -1) {
        nSliderID = m_nNextSliderID++;
    } else if (nSliderID >= m_nNextSliderID) {
        m_nNextSliderID = nSliderID + 1;
    }
    for (POSITION pos = m_lstSliders.GetHeadPosition(); pos != NULL;) {
        CSPSlider* pListed = (CSPSlider*)m_lstSliders.GetNext(pos);
        if ((int)pListed->GetSliderID() == nSliderID) nSliderID = m_nNextSliderID++;
    }
    CSPSlider* pSlider = new CSPSlider(FALSE, m_pOwnerWnd);
    if (!pSlider->CreateEx(0, dwSliderStyle, rectSlider, m_pOwnerWnd, (UINT)nSliderID, NULL)) {
        delete pSlider;
        return NULL;
    }
    pSlider->ShowWindow(SW_SHOW);
    pSlider->SetContainerManager(this);
    m_lstSliders.AddTail(pSlider);
    return pSlider;
}

void CSPBarContainerManager::AddLoadedSlider(CSPSlider* pSlider) {
    for (POSITION pos = m_lstSliders.GetHeadPosition(); pos != NULL;) {
        CSPSlider* pListed = (CSPSlider*)m_lstSliders.GetNext(pos);
        if (pListed->GetSliderID() == pSlider->GetSliderID()) {
            pSlider->DestroyWindow();
            ThrowDamaged();
        }
    }
    if ((int)pSlider->GetSliderID() >= m_nNextSliderID) m_nNextSliderID = (int)pSlider->GetSliderID() + 1;
    pSlider->SetContainerManager(this);
    m_lstSliders.AddTail(pSlider);
}

void CSPBarContainerManager::RemoveSlider(CSPSlider* pSlider) {
    POSITION pos = m_lstSliders.Find(pSlider);
    if (pos != NULL) m_lstSliders.RemoveAt(pos);
    if (pSlider->GetContainerManager() == this && !pSlider->IsDefault()) pSlider->SetContainerManager(NULL);
    if (m_pRootContainer != NULL) {
        CSPBarContainer* pNode = m_pRootContainer->FindNodeByBar(pSlider, CSPBarContainer::FIND_SLIDER);
        if (pNode != NULL) pNode->SetSlider(NULL);
    }
}

void CSPBarContainerManager::GetSliderOffsets(CSPSlider* pSlider, int& nMinOffset, int& nMaxOffset,
                                              int& nValue) const {
    nMinOffset = nMaxOffset = 0;
    nValue = -1;
    if (m_pRootContainer == NULL || pSlider->GetSafeHwnd() == NULL) return;
    CRect rectSlider;
    pSlider->GetWindowRect(rectSlider);
    if (pSlider == m_pDefaultSlider) {
        CRect rectRegion;
        CSize sizeMin;
        m_pRootContainer->CalcWindowRect(rectRegion, FALSE);
        m_pRootContainer->GetMinSize(sizeMin);
        rectRegion.DeflateRect(sizeMin.cx, sizeMin.cy);
        CRect rectFrame(0, 0, 0, 0);
        CSPDockManager* pDockManager = CSPDockingUtils::GetDockManager(pSlider->GetDockSite());
        if (pDockManager != NULL) {
            rectFrame = pDockManager->GetClientAreaBounds();
            pSlider->GetDockSite()->ClientToScreen(rectFrame);
        }
        rectFrame.DeflateRect(m_nFrameMargin, m_nFrameMargin);
        switch (pSlider->GetCurrentAlignment()) {
        case CBRS_ALIGN_LEFT:
            nMinOffset = rectRegion.left - rectSlider.left + 1;
            nMaxOffset = rectFrame.right - rectSlider.right - 1;
            break;
        case CBRS_ALIGN_TOP:
            nMinOffset = rectRegion.top - rectSlider.top + 1;
            nMaxOffset = rectFrame.bottom - rectSlider.bottom - 1;
            break;
        case CBRS_ALIGN_RIGHT:
            nMinOffset = rectFrame.left - rectSlider.left + 1;
            nMaxOffset = rectRegion.right - rectSlider.right - 1;
            break;
        case CBRS_ALIGN_BOTTOM:
            nMinOffset = rectFrame.top - rectSlider.top + 1;
            nMaxOffset = rectRegion.bottom - rectSlider.bottom - 1;
            break;
        default:
            break;
        }
        nValue = m_pRootContainer->GetFirstResizeLimit();
    } else {
        CSPBarContainer* pNode = m_pRootContainer->FindNodeByBar(pSlider, CSPBarContainer::FIND_SLIDER);
        if (pNode == NULL) return;
        CRect rectNode;
        CSize sizeLeft, sizeRight;
        pNode->CalcWindowRect(rectNode, FALSE);
        pNode->GetLeftMinSize(sizeLeft);
        pNode->GetRightMinSize(sizeRight);
        if (pSlider->IsHorizontal()) {
            nMinOffset = rectNode.top + sizeLeft.cy - rectSlider.top + 1;
            nMaxOffset = rectNode.bottom - sizeRight.cy - rectSlider.bottom - 1;
        } else {
            nMinOffset = rectNode.left + sizeLeft.cx - rectSlider.left;
            nMaxOffset = rectNode.right - sizeRight.cx - rectSlider.right - 1;
        }
        nValue = pNode->GetFirstResizeLimit();
    }
    // A region squeezed below its minimum must not let the slider run
    // backwards past its own place.
    nMinOffset = min(nMinOffset, 0);
    nMaxOffset = max(nMaxOffset, 0);
}

// --- layout -----------------------------------------------------------------------------------------

void CSPBarContainerManager::ResizeBarContainers(CSPSlider* pSlider, int nDelta, HDWP& hdwp) {
    if (m_pRootContainer == NULL) return;
    if (pSlider != m_pDefaultSlider) {
        CSPBarContainer* pNode = m_pRootContainer->FindNodeByBar(pSlider, CSPBarContainer::FIND_SLIDER);
        if (pNode != NULL) pNode->ResizeHalves(nDelta, hdwp);
        return;
    }
    CRect rect;
    CSize sizeMin;
    m_pRootContainer->CalcWindowRect(rect, FALSE);
    m_pRootContainer->GetMinSize(sizeMin);
    switch (pSlider->GetCurrentAlignment()) {
    case CBRS_ALIGN_BOTTOM:
        rect.top = min(rect.top + nDelta, rect.bottom - (int)sizeMin.cy);
        break;
    case CBRS_ALIGN_RIGHT:
        rect.left = min(rect.left + nDelta, rect.right - (int)sizeMin.cx);
        break;
    case CBRS_ALIGN_LEFT:
        rect.right = max(rect.right + nDelta, rect.left + (int)sizeMin.cx);
        break;
    case CBRS_ALIGN_TOP:
        rect.bottom = max(rect.bottom + nDelta, rect.top + (int)sizeMin.cy);
        break;
    default:
        break;
    }
    if (m_pOwnerWnd->GetSafeHwnd() != NULL) m_pOwnerWnd->ScreenToClient(rect);
    hdwp = LayoutInRect(rect, hdwp);
}

void CSPBarContainerManager::CalcWindowRect(CRect& rect) const {
    rect.SetRectEmpty();
    if (m_pRootContainer != NULL) m_pRootContainer->CalcWindowRect(rect, FALSE);
}

HDWP CSPBarContainerManager::LayoutInRect(const CRect& rect, HDWP hdwp) {
    if (m_pRootContainer == NULL) return hdwp;
    return m_pRootContainer->LayoutInRect(rect, hdwp, FALSE);
}

BOOL CSPBarContainerManager::CheckVisibility() {
    if (m_pRootContainer != NULL) m_pRootContainer->CheckSliderVisibility();
    return IsVisible();
}

BOOL CSPBarContainerManager::IsVisible() const {
    return m_pRootContainer != NULL && m_pRootContainer->IsVisible();
}

void CSPBarContainerManager::GetMinSize(CSize& size) const {
    size = CSize(0, 0);
    if (m_pRootContainer != NULL) m_pRootContainer->GetMinSize(size);
}

int CSPBarContainerManager::GetVisibleBarCount() const {
    int nCount = 0;
    for (POSITION pos = m_lstControlBars.GetHeadPosition(); pos != NULL;) {
        CWnd* pBar = (CWnd*)m_lstControlBars.GetNext(pos);
        if (pBar->GetSafeHwnd() != NULL && (pBar->GetStyle() & WS_VISIBLE) != 0) nCount++;
    }
    return nCount;
}

void CSPBarContainerManager::ShowBarCaptions(BOOL bShow) {
    for (POSITION pos = m_lstControlBars.GetHeadPosition(); pos != NULL;)
        ((CSPControlBar*)m_lstControlBars.GetNext(pos))->ShowCaption(bShow);
}

void CSPBarContainerManager::HideAll() {
    for (const CObList* pList : {&m_lstControlBars, &m_lstSliders}) {
        for (POSITION pos = pList->GetHeadPosition(); pos != NULL;) {
            CWnd* pWnd = (CWnd*)pList->GetNext(pos);
            if (pWnd->GetSafeHwnd() != NULL) pWnd->ShowWindow(SW_HIDE);
        }
    }
}

BOOL CSPBarContainerManager::CanFloat() const {
    for (POSITION pos = m_lstControlBars.GetHeadPosition(); pos != NULL;)
        if (((CSPControlBar*)m_lstControlBars.GetNext(pos))->CanFloat()) return TRUE;
    return FALSE;
}

BOOL CSPBarContainerManager::IsResizable() const {
    for (POSITION pos = m_lstControlBars.GetHeadPosition(); pos != NULL;)
        if (!((CSPControlBar*)m_lstControlBars.GetNext(pos))->IsResizable()) return FALSE;
    return TRUE;
}

CSPControlBar* CSPBarContainerManager::GetFirstBar() const {
    return m_lstControlBars.IsEmpty() ? NULL : (CSPControlBar*)m_lstControlBars.GetHead();
}

CSPControlBar* CSPBarContainerManager::GetFirstVisibleBar() const {
    for (POSITION pos = m_lstControlBars.GetHeadPosition(); pos != NULL;) {
        CSPControlBar* pBar = (CSPControlBar*)m_lstControlBars.GetNext(pos);
        if (pBar->GetSafeHwnd() != NULL && (pBar->GetStyle() & WS_VISIBLE) != 0) return pBar;
    }
    return NULL;
}

int CSPBarContainerManager::GetNodeCount() const {
    return m_pRootContainer != NULL ? m_pRootContainer->GetNodeCount() : 0;
}

int CSPBarContainerManager::GetTotalLockCount() const {
    return m_pRootContainer != NULL ? m_pRootContainer->GetLockCount() : 0;
}

void CSPBarContainerManager::AddControlBarsToList(CObList* pListBars, CObList* pListSliders) const {
    if (pListBars != NULL) {
        for (POSITION pos = m_lstControlBars.GetHeadPosition(); pos != NULL;) {
            CWnd* pBar = (CWnd*)m_lstControlBars.GetNext(pos);
            if (pBar->GetSafeHwnd() != NULL && (pBar->GetStyle() & WS_VISIBLE) != 0) pListBars->AddTail(pBar);
        }
    }
    if (pListSliders != NULL) pListSliders->AddTail((CObList*)&m_lstSliders);
}

void CSPBarContainerManager::RemoveNonValidBars() {
    if (m_pRootContainer != NULL) m_pRootContainer->RemoveNonValidBars();
}

CSPControlBar* CSPBarContainerManager::FindBarByListedID(UINT nID) {
    return m_pRootContainer != NULL ? m_pRootContainer->FindBarByListedID(nID) : NULL;
}

// --- the record ---------------------------------------------------------------------------------------

CSPDockManager* CSPBarContainerManager::GetLoadingDockManager() const {
    if (m_pDefaultSlider != NULL) return CSPDockingUtils::GetDockManager(m_pDefaultSlider->GetDockSite());
    if (m_pOwnerWnd != NULL && m_pOwnerWnd->IsKindOf(RUNTIME_CLASS(CSPMiniFrameWnd)))
        return CSPDockingUtils::GetDockManager(m_pOwnerWnd->GetParent());
    return NULL;
}

void CSPBarContainerManager::Serialize(CArchive& ar) {
    if (ar.IsStoring()) {
        if (m_pRootContainer == NULL) Create(m_pOwnerWnd, m_pDefaultSlider, m_pContainerRTC);
        m_pRootContainer->CheckForEmptyRecursive();
        m_pRootContainer->Serialize(ar);
        CList<int, int> lstIDs;
        for (POSITION pos = m_lstControlBars.GetHeadPosition(); pos != NULL;) {
            CSPControlBar* pBar = (CSPControlBar*)m_lstControlBars.GetNext(pos);
            // Bars without an id are tabbed bars, which are not written yet.
            const int nID = pBar->GetSafeHwnd() != NULL ? pBar->GetDlgCtrlID() : 0;
            if (nID != 0 && nID != -1) lstIDs.AddTail(nID);
        }
        ar << (int)lstIDs.GetCount();
        for (POSITION pos = lstIDs.GetHeadPosition(); pos != NULL;) ar << lstIDs.GetNext(pos);
        return;
    }
    CSPDockManager* pDockManager = GetLoadingDockManager();
    if (pDockManager == NULL) AfxThrowArchiveException(CArchiveException::none);
    if (m_pRootContainer == NULL) Create(m_pOwnerWnd, m_pDefaultSlider, m_pContainerRTC);
    m_pRootContainer->Serialize(ar);
    int nCount = 0;
    ar >> nCount;
    for (int i = 0; i < nCount; i++) {
        int nID = 0;
        ar >> nID;
        if (nID == -1) ThrowDamaged();  // tabbed bars are not part of the library yet
        CSPControlBar* pBar = DYNAMIC_DOWNCAST(CSPControlBar, pDockManager->FindBarByID((UINT)nID, TRUE));
        if (pBar == NULL || m_lstControlBars.Find(pBar) != NULL) ThrowDamaged();
        if (!m_pRootContainer->AssignBarById((UINT)nID, pBar)) ThrowDamaged();
        m_lstControlBars.AddTail(pBar);
    }
}
