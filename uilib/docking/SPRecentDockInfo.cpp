#include "SPRecentDockInfo.h"

#include "SPControlBar.h"
#include "SPSlider.h"

// Posted to a mini frame that a bar has left; it hides or destroys itself
// when it holds no bar any more.
static const UINT SP_CHECKEMPTYMINIFRAME = ::RegisterWindowMessage(_T("SPMSG_CHECKEMPTYMINIFRAME"));

// --- CSPRecentDockPlacement -------------------------------------------------------

CSPRecentDockPlacement::CSPRecentDockPlacement() : m_lstRecentListOfBars(10) { Init(); }

CSPRecentDockPlacement::~CSPRecentDockPlacement() {}

void CSPRecentDockPlacement::Init() {
    m_pRecentBarContainer = NULL;
    m_rectRecentFloatingRect.SetRect(0, 0, 30, 30);
    m_nRecentPercent = 50;
    m_nRecentPosition = 1;
    m_pRecentContainerOfTabWnd = NULL;
}

// Bar containers keep no count of their holders yet: the record only names
// the container that held the bar.
void CSPRecentDockPlacement::StoreDockInfo(CSPBarContainer* pRecentContainer, CSPControlBar* pBar,
                                           CSPControlBar* pTabbedBar) {
    if (pBar == NULL) return;
    m_pRecentBarContainer = NULL;
    m_pRecentContainerOfTabWnd = NULL;
    if (pBar->GetSafeHwnd() != NULL) pBar->GetWindowRect(m_rectRecentFloatingRect);
    // The placement weight is the docking panes' (they take it over when
    // they store); a plain control bar keeps the weight it had.
    if (pTabbedBar != NULL)
        m_pRecentContainerOfTabWnd = pRecentContainer;
    else
        m_pRecentBarContainer = pRecentContainer;
}

void CSPRecentDockPlacement::CopyFrom(const CSPRecentDockPlacement& src) {
    if (&src == this) return;
    m_pRecentBarContainer = src.m_pRecentBarContainer;
    m_rectRecentFloatingRect = src.m_rectRecentFloatingRect;
    m_nRecentPercent = src.m_nRecentPercent;
    m_pRecentContainerOfTabWnd = src.m_pRecentContainerOfTabWnd;
    m_lstRecentListOfBars.RemoveAll();
    for (POSITION pos = src.m_lstRecentListOfBars.GetHeadPosition(); pos != NULL;)
        m_lstRecentListOfBars.AddTail(src.m_lstRecentListOfBars.GetNext(pos));
}

// --- CSPRecentDockInfo ---------------------------------------------------------------

CSPRecentDockInfo::CSPRecentDockInfo(CSPControlBar* pBar) : m_pBar(pBar) { Init(); }

CSPRecentDockInfo::~CSPRecentDockInfo() {}

void CSPRecentDockInfo::Init() {
    m_rectRecentFloatingRect.SetRect(10, 10, 110, 110);
    m_dwRecentAlignmentToFrame = CBRS_ALIGN_LEFT;
    m_nRecentRowIndex = 0;
    m_pRecentDockBar = NULL;
    m_pRecentDockBarRow = NULL;
    m_hRecentDefaultSlider = NULL;
    m_hRecentMiniFrame = NULL;
    m_recentSliderInfo.Init();
    m_recentMiniFrameInfo.Init();
}

void CSPRecentDockInfo::SetSiblingIds(const CList<UINT, UINT>& lst, BOOL bDocked) {
    CList<UINT, UINT>& dst = GetSiblingIds(bDocked);
    if (&dst == &lst) return;
    dst.RemoveAll();
    for (POSITION pos = lst.GetHeadPosition(); pos != NULL;) dst.AddTail(lst.GetNext(pos));
}

CSPSlider* CSPRecentDockInfo::GetSlider() const {
    return DYNAMIC_DOWNCAST(CSPSlider, CWnd::FromHandlePermanent(m_hRecentDefaultSlider));
}

void CSPRecentDockInfo::StoreDockInfo(CSPBarContainer* pRecentContainer, CSPControlBar* pTabbedBar) {
    if (m_pBar == NULL) return;
    CWnd* pMiniFrame = m_pBar->GetParentMiniFrameWnd();
    if (pMiniFrame != NULL) {
        HWND hPrevMiniFrame = m_hRecentMiniFrame;
        m_hRecentMiniFrame = pMiniFrame->GetSafeHwnd();
        m_recentMiniFrameInfo.StoreDockInfo(pRecentContainer, m_pBar, pTabbedBar);
        pMiniFrame->ScreenToClient(m_recentMiniFrameInfo.m_rectRecentFloatingRect);
        pMiniFrame->GetWindowRect(m_rectRecentFloatingRect);
        if (hPrevMiniFrame != NULL && ::IsWindow(hPrevMiniFrame))
            ::PostMessage(hPrevMiniFrame, SP_CHECKEMPTYMINIFRAME, 0, 0);
        return;
    }
    if (pRecentContainer != NULL) {
        // Docked in a slider's region: the frame it last floated in stays
        // recorded for the way back there.
        m_recentSliderInfo.StoreDockInfo(pRecentContainer, m_pBar, pTabbedBar);
        return;
    }
    m_hRecentMiniFrame = NULL;
    m_recentMiniFrameInfo.StoreDockInfo(NULL, m_pBar, NULL);
}

void CSPRecentDockInfo::CopyFrom(BOOL bDocked, const CSPRecentDockInfo& src) {
    if (&src == this) return;
    if (!bDocked) {
        m_rectRecentFloatingRect = src.m_rectRecentFloatingRect;
        m_hRecentMiniFrame = src.m_hRecentMiniFrame;
        m_recentMiniFrameInfo.CopyFrom(src.m_recentMiniFrameInfo);
    } else {
        m_dwRecentAlignmentToFrame = src.m_dwRecentAlignmentToFrame;
        m_hRecentDefaultSlider = src.m_hRecentDefaultSlider;
        m_recentSliderInfo.CopyFrom(src.m_recentSliderInfo);
    }
}
