// SPBarContainerManager.cpp - one region of docking panes split by sliders.
#include "SPBarContainerManager.h"
#include "SPBaseTabbedBar.h"

#include <algorithm>

#include "SPBarContainer.h"
#include "SPControlBar.h"
#include "SPDockManager.h"
#include "SPDockingControlBar.h"
#include "SPDockingUtils.h"
#include "SPMiniFrameWnd.h"
#include "SPMultiMiniFrameWnd.h"
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
    // A slider deletes itself with its window; a refused one has deleted
    // itself already (PostNcDestroy).
    if (!pSlider->CreateEx(0, dwSliderStyle, rectSlider, m_pOwnerWnd, (UINT)nSliderID, NULL)) return NULL;
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
            const int nID = pBar->GetSafeHwnd() != NULL ? pBar->GetDlgCtrlID() : 0;
            CSPBaseTabbedBar* pTabbedBar = DYNAMIC_DOWNCAST(CSPBaseTabbedBar, pBar);
            if (nID == -1 && pTabbedBar != NULL) {
                // A tabbed bar made at run time is told by its first tab.
                CWnd* pFirst = pTabbedBar->GetTabBar(0, FALSE);
                if (pFirst->GetSafeHwnd() == NULL) continue;
                lstIDs.AddTail(-1);
                lstIDs.AddTail(pFirst->GetDlgCtrlID());
                continue;
            }
            if (nID != 0 && nID != -1) lstIDs.AddTail(nID);
        }
        int nEntries = 0;
        for (POSITION pos = lstIDs.GetHeadPosition(); pos != NULL;)
            if (lstIDs.GetNext(pos) != -1) nEntries++;
        ar << nEntries;
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
        if (nID == -1) {
            int nTabID = 0;
            ar >> nTabID;
            CSPControlBar* pTabbed = FindBarByListedID((UINT)nTabID);
            if (pTabbed == NULL || !pTabbed->IsKindOf(RUNTIME_CLASS(CSPBaseTabbedBar)) ||
                m_lstControlBars.Find(pTabbed) != NULL)
                ThrowDamaged();
            m_lstControlBars.AddTail(pTabbed);
            continue;
        }
        CSPControlBar* pBar = DYNAMIC_DOWNCAST(CSPControlBar, pDockManager->FindBarByID((UINT)nID, TRUE));
        if (pBar == NULL || m_lstControlBars.Find(pBar) != NULL) ThrowDamaged();
        if (!m_pRootContainer->AssignBarById((UINT)nID, pBar)) ThrowDamaged();
        m_lstControlBars.AddTail(pBar);
    }
}

// --- joining regions ----------------------------------------------------------------------------------

void CSPBarContainerManager::CalcChildRects(CRect& rectTarget, CRect& rectIncoming, CRect& rectSlider,
                                            DWORD& dwSliderStyle, DWORD dwAlignment, CSize /*sizeMinTarget*/,
                                            CSize sizeMinIncoming) {
    rectIncoming.right = max(rectIncoming.right, rectIncoming.left + (int)sizeMinIncoming.cx);
    rectIncoming.bottom = max(rectIncoming.bottom, rectIncoming.top + (int)sizeMinIncoming.cy);
    const int T = m_nSliderThickness;
    int nExtent;
    if ((dwAlignment & (CBRS_ALIGN_TOP | CBRS_ALIGN_BOTTOM)) != 0) {
        rectIncoming.left = rectSlider.left = rectTarget.left;
        rectIncoming.right = rectSlider.right = rectTarget.right;
        nExtent = min(rectIncoming.Height(), rectTarget.Height() / 2);
        dwSliderStyle = SP_SS_HORZ;
    } else {
        rectIncoming.top = rectSlider.top = rectTarget.top;
        rectIncoming.bottom = rectSlider.bottom = rectTarget.bottom;
        nExtent = min(rectIncoming.Width(), rectTarget.Width() / 2);
        dwSliderStyle = SP_SS_VERT;
    }
    nExtent = max(0, nExtent);
    switch (dwAlignment & CBRS_ALIGN_ANY) {
    case CBRS_ALIGN_RIGHT:
        rectIncoming.left = rectTarget.right - nExtent;
        rectIncoming.right = rectTarget.right;
        rectTarget.right = rectIncoming.left - T;
        rectSlider.left = rectTarget.right;
        rectSlider.right = rectIncoming.left;
        break;
    case CBRS_ALIGN_LEFT:
        rectIncoming.left = rectTarget.left;
        rectIncoming.right = rectTarget.left + nExtent;
        rectTarget.left = rectIncoming.right + T;
        rectSlider.left = rectIncoming.right;
        rectSlider.right = rectTarget.left;
        break;
    case CBRS_ALIGN_BOTTOM:
        rectIncoming.top = rectTarget.bottom - nExtent;
        rectIncoming.bottom = rectTarget.bottom;
        rectTarget.bottom = rectIncoming.top - T;
        rectSlider.top = rectTarget.bottom;
        rectSlider.bottom = rectIncoming.top;
        break;
    case CBRS_ALIGN_TOP:
        rectIncoming.top = rectTarget.top;
        rectIncoming.bottom = rectTarget.top + nExtent;
        rectTarget.top = rectIncoming.bottom + T;
        rectSlider.top = rectIncoming.bottom;
        rectSlider.bottom = rectTarget.top;
        break;
    default:
        break;
    }
}

BOOL CSPBarContainerManager::InsertContainer(CSPControlBar* pTarget, CSPBarContainer* pIncoming,
                                             DWORD dwAlignment) {
    if (m_pRootContainer == NULL || pIncoming == NULL) return FALSE;
    CSize sizeMinTarget, sizeMinIncoming;
    pTarget->GetMinSize(sizeMinTarget);
    pIncoming->GetMinSize(sizeMinIncoming);
    CRect rectTarget, rectIncoming, rectSlider(0, 0, 0, 0);
    pTarget->GetWindowRect(rectTarget);
    pIncoming->CalcWindowRect(rectIncoming, FALSE);
    rectIncoming.OffsetRect(-rectIncoming.TopLeft());
    DWORD dwSliderStyle = SP_SS_HORZ;
    CalcChildRects(rectTarget, rectIncoming, rectSlider, dwSliderStyle, dwAlignment, sizeMinTarget,
                   sizeMinIncoming);
    if (m_pOwnerWnd->GetSafeHwnd() != NULL) {
        m_pOwnerWnd->ScreenToClient(rectTarget);
        m_pOwnerWnd->ScreenToClient(rectIncoming);
        m_pOwnerWnd->ScreenToClient(rectSlider);
    }
    pTarget->MoveWindow(rectTarget, TRUE, NULL);
    pIncoming->LayoutInRect(rectIncoming, NULL, FALSE);
    pIncoming->RepositionBars(rectIncoming.left, rectIncoming.top);
    CSPSlider* pSlider = CreateSlider(rectSlider, dwSliderStyle);
    if (pSlider == NULL) return FALSE;
    const BOOL bTargetLeft = (dwAlignment & (CBRS_ALIGN_RIGHT | CBRS_ALIGN_BOTTOM)) != 0;
    CSPBarContainer* pNode = NewContainer(bTargetLeft ? pTarget : NULL, bTargetLeft ? NULL : pTarget, pSlider);
    pNode->SetChild(pIncoming, !bTargetLeft);
    pSlider->BringWindowToTop();
    if (!m_pRootContainer->AddContainer(pNode, bTargetLeft)) {
        pNode->SetChild(NULL, !bTargetLeft);
        delete pNode;  // its slider goes with it
        return FALSE;
    }
    return TRUE;
}

BOOL CSPBarContainerManager::AddContainerManager(CSPControlBar* pTarget, DWORD dwAlignment,
                                                 CSPBarContainerManager& other, BOOL /*bCopy*/) {
    if (&other == this || other.m_pRootContainer == NULL || pTarget == NULL) return FALSE;
    POSITION posTarget = m_lstControlBars.Find(pTarget);
    BOOL bLeft = FALSE;
    if (posTarget == NULL || FindContainer(pTarget, bLeft) == NULL) return FALSE;
    // The whole tree moves over; the other manager keeps a fresh empty one.
    CObList lstBars, lstSliders;
    lstBars.AddTail(&other.m_lstControlBars);
    lstSliders.AddTail(&other.m_lstSliders);
    CWnd* pOtherOwner = other.m_pOwnerWnd;
    CSPBarContainer* pIncoming = other.m_pRootContainer;
    CObList lstWnds;
    lstWnds.AddTail(&lstBars);
    lstWnds.AddTail(&lstSliders);
    for (POSITION pos = lstWnds.GetHeadPosition(); pos != NULL;) {
        CWnd* pWnd = (CWnd*)lstWnds.GetNext(pos);
        if (pWnd->GetSafeHwnd() != NULL) pWnd->SetParent(m_pOwnerWnd);
    }
    if (!InsertContainer(pTarget, pIncoming, dwAlignment)) {
        for (POSITION pos = lstWnds.GetHeadPosition(); pos != NULL;) {
            CWnd* pWnd = (CWnd*)lstWnds.GetNext(pos);
            if (pWnd->GetSafeHwnd() != NULL) pWnd->SetParent(pOtherOwner);
        }
        return FALSE;
    }
    other.m_pRootContainer = NULL;
    other.m_lstControlBars.RemoveAll();
    other.m_lstSliders.RemoveAll();
    other.Create(other.m_pOwnerWnd, other.m_pDefaultSlider, other.m_pContainerRTC);
    pIncoming->SetManager(this, TRUE);

    const BOOL bBefore = (dwAlignment & (CBRS_ALIGN_LEFT | CBRS_ALIGN_TOP)) != 0;
    for (POSITION pos = bBefore ? lstBars.GetHeadPosition() : lstBars.GetTailPosition(); pos != NULL;) {
        CObject* pBar = bBefore ? lstBars.GetNext(pos) : lstBars.GetPrev(pos);
        if (bBefore)
            m_lstControlBars.InsertBefore(posTarget, pBar);
        else
            m_lstControlBars.InsertAfter(posTarget, pBar);
    }
    for (POSITION pos = lstSliders.GetHeadPosition(); pos != NULL;) {
        CSPSlider* pSlider = (CSPSlider*)lstSliders.GetNext(pos);
        pSlider->SetContainerManager(this);
        pSlider->SetOwnerWnd(m_pOwnerWnd);
        m_lstSliders.AddTail(pSlider);
    }
    CSPDockManager* pDockManager =
        m_pDefaultSlider != NULL ? CSPDockingUtils::GetDockManager(m_pDefaultSlider->GetDockSite()) : NULL;
    for (POSITION pos = lstBars.GetHeadPosition(); pos != NULL;) {
        CSPControlBar* pBar = (CSPControlBar*)lstBars.GetNext(pos);
        CSPMiniFrameWnd::RegisterBarInGlobalMap(pBar, FALSE);
        CSPDockingControlBar* pPane = DYNAMIC_DOWNCAST(CSPDockingControlBar, pBar);
        if (m_pDefaultSlider != NULL) {
            if (pPane != NULL) pPane->SetDefaultSlider(m_pDefaultSlider->GetSafeHwnd());
            pBar->SetCurrentAlignment(m_pDefaultSlider->GetCurrentAlignment());
            pBar->SetControlBarStyle(pBar->GetControlBarStyle() & ~CBRS_FLOATING);
            if (pDockManager != NULL && !pDockManager->IsBarKnown(pBar)) pDockManager->AddControlBar(pBar);
        } else if (m_pOwnerWnd->GetSafeHwnd() != NULL) {
            CSPMiniFrameWnd::RegisterBarInGlobalMap(pBar, TRUE);
        }
        pBar->ShowCaption(TRUE);
        pBar->RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_FRAME);
    }
    m_pRootContainer->CheckSliderVisibility();
    m_pRootContainer->CalcPlacementWeights();
    CRect rect;
    m_pRootContainer->CalcWindowRect(rect, FALSE);
    if (m_pOwnerWnd->GetSafeHwnd() != NULL) m_pOwnerWnd->ScreenToClient(rect);
    m_pRootContainer->LayoutInRect(rect, NULL, TRUE);
    return TRUE;
}

BOOL CSPBarContainerManager::TakeOverVisibleBars(CSPBarContainerManager& other) {
    if (&other == this || other.m_pRootContainer == NULL || m_pOwnerWnd->GetSafeHwnd() == NULL) return FALSE;
    CSPDockManager* pDockManager = CSPDockingUtils::GetDockManager(m_pOwnerWnd);
    if (pDockManager == NULL) return FALSE;
    if (m_pRootContainer == NULL) Create(m_pOwnerWnd, m_pDefaultSlider, m_pContainerRTC);
    if (!m_pRootContainer->IsEmpty()) return FALSE;
    m_lstControlBars.RemoveAll();
    m_lstSliders.RemoveAll();

    // What moves: the visible bars and the visible sliders, in their orders.
    CObList lstBars, lstSliders;
    other.AddControlBarsToList(&lstBars, NULL);
    for (POSITION pos = other.m_lstSliders.GetHeadPosition(); pos != NULL;) {
        CSPSlider* pSlider = (CSPSlider*)other.m_lstSliders.GetNext(pos);
        if (pSlider->GetSafeHwnd() != NULL && (pSlider->GetStyle() & WS_VISIBLE) != 0) lstSliders.AddTail(pSlider);
    }
    if (lstBars.IsEmpty()) return FALSE;
    CSPBarContainer* pCopy = other.m_pRootContainer->SplitVisible(m_pRootContainer);
    m_pRootContainer->SetChild(pCopy, TRUE);
    pCopy->SetManager(this, TRUE);
    for (POSITION pos = lstBars.GetHeadPosition(); pos != NULL;) {
        CObject* pBar = lstBars.GetNext(pos);
        POSITION posOther = other.m_lstControlBars.Find(pBar);
        if (posOther != NULL) other.m_lstControlBars.RemoveAt(posOther);
        m_lstControlBars.AddTail(pBar);
    }
    for (POSITION pos = lstSliders.GetHeadPosition(); pos != NULL;) {
        CSPSlider* pSlider = (CSPSlider*)lstSliders.GetNext(pos);
        POSITION posOther = other.m_lstSliders.Find(pSlider);
        if (posOther != NULL) other.m_lstSliders.RemoveAt(posOther);
        m_lstSliders.AddTail(pSlider);
    }

    // The windows change parents where they are on the screen.
    CObList lstWnds;
    lstWnds.AddTail(&lstSliders);
    lstWnds.AddTail(&lstBars);
    for (POSITION pos = lstWnds.GetHeadPosition(); pos != NULL;) {
        CWnd* pWnd = (CWnd*)lstWnds.GetNext(pos);
        CRect rect;
        pWnd->GetWindowRect(rect);
        m_pOwnerWnd->ScreenToClient(rect);
        pWnd->SetParent(m_pOwnerWnd);
        pWnd->SetWindowPos(NULL, rect.left, rect.top, rect.Width(), rect.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
    }
    for (POSITION pos = lstSliders.GetHeadPosition(); pos != NULL;) {
        CSPSlider* pSlider = (CSPSlider*)lstSliders.GetNext(pos);
        pSlider->SetContainerManager(this);
        pSlider->SetOwnerWnd(m_pOwnerWnd);
    }
    for (POSITION pos = lstBars.GetHeadPosition(); pos != NULL;) {
        CSPControlBar* pBar = (CSPControlBar*)lstBars.GetNext(pos);
        CSPMiniFrameWnd::RegisterBarInGlobalMap(pBar, FALSE);
        pBar->SetControlBarStyle(pBar->GetControlBarStyle() & ~CBRS_FLOATING);
        CSPDockingControlBar* pPane = DYNAMIC_DOWNCAST(CSPDockingControlBar, pBar);
        if (m_pDefaultSlider != NULL) {
            if (pPane != NULL) pPane->SetDefaultSlider(m_pDefaultSlider->GetSafeHwnd());
            pBar->SetCurrentAlignment(m_pDefaultSlider->GetCurrentAlignment());
        }
        if (!pDockManager->IsBarKnown(pBar)) pDockManager->AddControlBar(pBar);
        pBar->ShowCaption(TRUE);
    }
    m_pRootContainer->CheckSliderVisibility();
    m_pRootContainer->CalcPlacementWeights();
    CRect rect;
    m_pRootContainer->CalcWindowRect(rect, FALSE);
    m_pOwnerWnd->ScreenToClient(rect);
    m_pRootContainer->LayoutInRect(rect, NULL, TRUE);
    return TRUE;
}

BOOL CSPBarContainerManager::AttachBarsAsTabs(CSPControlBar* pTarget, CSPBarContainerManager& other) {
    CSPDockingControlBar* pTargetPane = DYNAMIC_DOWNCAST(CSPDockingControlBar, pTarget);
    BOOL bLeft = FALSE;
    if (pTargetPane == NULL || &other == this || m_lstControlBars.Find(pTarget) == NULL ||
        FindContainer(pTarget, bLeft) == NULL)
        return FALSE;
    // Taken first: each pane that becomes a tab leaves the other region.
    CObList lstBars;
    other.AddControlBarsToList(&lstBars, NULL);
    for (POSITION pos = lstBars.GetHeadPosition(); pos != NULL;) {
        CSPDockingControlBar* pPane = DYNAMIC_DOWNCAST(CSPDockingControlBar, lstBars.GetNext(pos));
        if (pPane == NULL || !::IsWindow(pPane->GetSafeHwnd())) continue;
        // The target may have become the tabbed bar that holds the first
        // pane taken.
        CSPBaseTabbedBar* pTabbed = pTargetPane->GetParentTabbedBar();
        CSPMiniFrameWnd* pMiniFrame = pPane->GetParentMiniFrame(TRUE);
        if (pMiniFrame != NULL) pMiniFrame->RemoveControlBar(pPane, FALSE, FALSE);
        pPane->AttachToTabWnd(pTabbed != NULL ? pTabbed : pTargetPane, SP_DM_MOUSE, TRUE);
    }
    return TRUE;
}

void CSPBarContainerManager::ListByNeighbours(CSPControlBar* pBar, BOOL bDocked) {
    if (m_lstControlBars.Find(pBar) != NULL) return;
    const CList<UINT, UINT>& lstIDs = pBar->m_recentDockInfo.GetSiblingIds(bDocked);
    const UINT nOwnID = (UINT)pBar->GetDlgCtrlID();
    POSITION posOwn = lstIDs.Find(nOwnID);
    if (posOwn != NULL) {
        POSITION pos = posOwn;
        lstIDs.GetPrev(pos);
        while (pos != NULL) {
            const UINT nID = lstIDs.GetPrev(pos);
            for (POSITION p = m_lstControlBars.GetHeadPosition(); p != NULL;) {
                POSITION posCur = p;
                CWnd* pListed = (CWnd*)m_lstControlBars.GetNext(p);
                if (pListed->GetSafeHwnd() != NULL && (UINT)pListed->GetDlgCtrlID() == nID) {
                    m_lstControlBars.InsertAfter(posCur, pBar);
                    return;
                }
            }
        }
    }
    m_lstControlBars.AddHead(pBar);
}

CSPControlBar* CSPBarContainerManager::AddRecentControlBar(CSPControlBar* pBar) {
    if (m_pRootContainer == NULL || pBar == NULL || pBar->GetSafeHwnd() == NULL) return NULL;
    if (m_lstControlBars.Find(pBar) != NULL) return pBar;
    const BOOL bDocked = m_pOwnerWnd == NULL || !m_pOwnerWnd->IsKindOf(RUNTIME_CLASS(CSPMiniFrameWnd));
    CSPRecentDockInfo& info = pBar->m_recentDockInfo;
    const BOOL bVertStack = m_pDefaultSlider == NULL ||
                            (m_pDefaultSlider->GetCurrentAlignment() & (CBRS_ALIGN_LEFT | CBRS_ALIGN_RIGHT)) != 0;

    // The recorded node, when the tree still has it and the bar's side is free.
    CSPBarContainer* pNode = info.GetContainer(bDocked);
    if (pNode != NULL && m_pRootContainer->FindNodeByBar(pNode, CSPBarContainer::FIND_NODE) == NULL) pNode = NULL;
    const BOOL bLeft = info.GetPosition(bDocked) != 0;
    if (pNode != NULL && (bLeft ? pNode->IsLeftSideEmpty(FALSE) : pNode->IsRightSideEmpty(FALSE)) &&
        !(pNode->IsLeftSideEmpty(FALSE) && pNode->IsRightSideEmpty(FALSE))) {
        CRect rectNode;
        pNode->CalcWindowRect(rectNode, FALSE);
        if (m_pOwnerWnd->GetSafeHwnd() != NULL) m_pOwnerWnd->ScreenToClient(rectNode);
        if (pNode->GetSlider() == NULL || pNode->GetSlider()->GetSafeHwnd() == NULL) {
            const DWORD dwStyle = pNode->GetSavedSliderStyle() != 0 ? pNode->GetSavedSliderStyle()
                                  : bVertStack                      ? SP_SS_HORZ
                                                                    : SP_SS_VERT;
            CSPSlider* pSlider = CreateSlider(CRect(rectNode.TopLeft(), CSize(1, 1)), dwStyle);
            if (pSlider == NULL) return NULL;
            pNode->SetSlider(pSlider);
        }
        pNode->SetBar(pBar, bLeft);
        pNode->SetHalfWeight(bLeft, info.GetWeight(bDocked));
        pBar->ShowWindow(SW_SHOW);
        m_pRootContainer->CheckSliderVisibility();
        HDWP hdwp = ::BeginDeferWindowPos(10);
        hdwp = pNode->LayoutInRect(rectNode, hdwp, TRUE);
        if (hdwp != NULL) ::EndDeferWindowPos(hdwp);
        ListByNeighbours(pBar, bDocked);
        return pBar;
    }

    // Otherwise beside the nearest recorded neighbour still in the region:
    // before the one that followed it, else after the one that preceded it.
    if (m_lstControlBars.IsEmpty()) {
        AddControlBar(pBar);
        m_pRootContainer->CheckSliderVisibility();
        return pBar;
    }
    const CList<UINT, UINT>& lstIDs = info.GetSiblingIds(bDocked);
    auto listed = [this](UINT nID) -> CSPControlBar* {
        for (POSITION p = m_lstControlBars.GetHeadPosition(); p != NULL;) {
            CSPControlBar* pListed = (CSPControlBar*)m_lstControlBars.GetNext(p);
            if (pListed->GetSafeHwnd() != NULL && (UINT)pListed->GetDlgCtrlID() == nID) return pListed;
        }
        return NULL;
    };
    CSPControlBar* pTarget = NULL;
    BOOL bBefore = FALSE;
    POSITION posOwn = lstIDs.Find((UINT)pBar->GetDlgCtrlID());
    if (posOwn != NULL) {
        POSITION pos = posOwn;
        lstIDs.GetNext(pos);
        while (pos != NULL && pTarget == NULL) pTarget = listed(lstIDs.GetNext(pos));
        bBefore = pTarget != NULL;
        pos = posOwn;
        lstIDs.GetPrev(pos);
        while (pos != NULL && pTarget == NULL) pTarget = listed(lstIDs.GetPrev(pos));
    }
    if (pTarget == NULL) pTarget = (CSPControlBar*)m_lstControlBars.GetTail();
    // Bars that came after the bar left (not among its recorded neighbours)
    // stay between the neighbour and the returning bar.
    for (POSITION pos = m_lstControlBars.Find(pTarget); pos != NULL;) {
        CSPControlBar* pNext = (CSPControlBar*)(bBefore ? m_lstControlBars.GetPrev(pos) : m_lstControlBars.GetNext(pos));
        if (pNext == pTarget) continue;
        if (pNext->GetSafeHwnd() == NULL || lstIDs.Find((UINT)pNext->GetDlgCtrlID()) != NULL) break;
        pTarget = pNext;
    }
    const DWORD dwSide = bVertStack ? (bBefore ? CBRS_ALIGN_TOP : CBRS_ALIGN_BOTTOM)
                                    : (bBefore ? CBRS_ALIGN_LEFT : CBRS_ALIGN_RIGHT);
    // The bar comes back with the extent it had.
    const CRect& rectRecent = info.GetRect(bDocked);
    if (!rectRecent.IsRectEmpty())
        pBar->CWnd::SetWindowPos(NULL, 0, 0, rectRecent.Width(), rectRecent.Height(),
                                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    pBar->ShowWindow(SW_SHOW);
    return InsertControlBar(pBar, pTarget, dwSide) ? pBar : NULL;
}

CSPControlBar* CSPBarContainerManager::ControlBarFromPoint(CPoint point, int nSensitivity, BOOL bExact,
                                                           BOOL& bOnTabArea, BOOL& bOnCaption) {
    bOnTabArea = FALSE;
    bOnCaption = FALSE;
    for (POSITION pos = m_lstControlBars.GetHeadPosition(); pos != NULL;) {
        CSPDockingControlBar* pPane = DYNAMIC_DOWNCAST(CSPDockingControlBar, m_lstControlBars.GetNext(pos));
        if (pPane == NULL || pPane->GetSafeHwnd() == NULL || !pPane->IsWindowVisible()) continue;
        CRect rectTop, rectBottom;
        pPane->GetTabArea(rectTop, rectBottom);
        if (rectTop.PtInRect(point) || rectBottom.PtInRect(point)) {
            bOnTabArea = TRUE;
            return pPane;
        }
        if (pPane->HitTest(point, TRUE) == HTCAPTION) {
            bOnCaption = TRUE;
            return pPane;
        }
        CRect rect;
        pPane->GetWindowRect(rect);
        rect.top += pPane->GetCaptionHeight();
        rect.bottom -= rectBottom.Height();
        if (!rect.PtInRect(point)) continue;
        CRect rectInner = rect;
        rectInner.DeflateRect(nSensitivity, nSensitivity);
        if (nSensitivity == 0 || !rectInner.PtInRect(point)) return pPane;
    }
    if (bExact) return NULL;
    for (POSITION pos = m_lstControlBars.GetHeadPosition(); pos != NULL;) {
        CSPDockingControlBar* pPane = DYNAMIC_DOWNCAST(CSPDockingControlBar, m_lstControlBars.GetNext(pos));
        if (pPane == NULL || pPane->GetSafeHwnd() == NULL || !pPane->IsWindowVisible()) continue;
        CRect rect;
        pPane->GetWindowRect(rect);
        rect.InflateRect(nSensitivity, nSensitivity);
        if (rect.PtInRect(point)) return pPane;
    }
    return NULL;
}

BOOL CSPBarContainerManager::CaptionBarFromPoint(CPoint point, CSPControlBar*& pBar) {
    pBar = NULL;
    CSPMultiMiniFrameWnd* pMulti = DYNAMIC_DOWNCAST(CSPMultiMiniFrameWnd, m_pOwnerWnd);
    if (pMulti == NULL || pMulti->GetSafeHwnd() == NULL || GetVisibleBarCount() > 1) return FALSE;
    CRect rectCaption;
    pMulti->GetCaptionRect(rectCaption);
    CRect rectWnd;
    pMulti->GetWindowRect(rectWnd);
    rectCaption.OffsetRect(rectWnd.TopLeft());
    if (!rectCaption.PtInRect(point)) return FALSE;
    pBar = DYNAMIC_DOWNCAST(CSPDockingControlBar, GetFirstVisibleBar());
    return pBar != NULL;
}
