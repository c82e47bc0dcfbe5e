// SPTabbedControlBar.cpp - the tabbed docking pane on a 3D tab window.
#include "SPTabbedControlBar.h"
#include "SPTabWnd.h"

IMPLEMENT_SERIAL(CSPTabbedControlBar, CSPBaseTabbedBar, 1)

BEGIN_MESSAGE_MAP(CSPTabbedControlBar, CSPBaseTabbedBar)
ON_WM_CREATE()
END_MESSAGE_MAP()

CSPTabbedControlBar::CSPTabbedControlBar(BOOL bAutoDestroy) : CSPBaseTabbedBar(bAutoDestroy) {}

CSPTabbedControlBar::~CSPTabbedControlBar() {}

int CSPTabbedControlBar::OnCreate(LPCREATESTRUCT lpCreateStruct) {
    if (CSPDockingControlBar::OnCreate(lpCreateStruct) == -1) return -1;
    CSPTabWnd* pTabWnd = new CSPTabWnd;
    m_pTabWnd = pTabWnd;
    const CRect rect(0, 0, lpCreateStruct->cx, lpCreateStruct->cy);
    if (!pTabWnd->Create(CSPTabWnd::STYLE_3D, rect, this, m_nTabWndID, CSPBaseTabWnd::LOCATION_BOTTOM)) {
        delete pTabWnd;
        m_pTabWnd = NULL;
        return -1;
    }
    // The panes outlive their tabs (they leave to float or dock); a lone
    // tab shows its pane without a strip; the tabs can be dragged along.
    pTabWnd->m_bIsDockingSite = FALSE;
    pTabWnd->HideSingleTab(TRUE);
    pTabWnd->m_bEnableTabSwap = TRUE;
    return 0;
}

void CSPTabbedControlBar::GetTabArea(CRect& rectTabAreaTop, CRect& rectTabAreaBottom) const {
    rectTabAreaTop.SetRectEmpty();
    rectTabAreaBottom.SetRectEmpty();
    CSPTabWnd* pTabWnd = GetUnderlinedWindow();
    if (pTabWnd->GetSafeHwnd() == NULL) return;
    CRect rectTop, rectBottom;
    pTabWnd->GetTabArea(rectTop, rectBottom);
    CRect rect = rectTop.IsRectEmpty() ? rectBottom : rectTop;
    if (rect.IsRectEmpty()) return;
    pTabWnd->ClientToScreen(rect);
    if (IsTabLocationBottom())
        rectTabAreaBottom = rect;
    else
        rectTabAreaTop = rect;
}

BOOL CSPTabbedControlBar::IsTabLocationBottom() const {
    return m_pTabWnd == NULL || m_pTabWnd->GetLocation() == CSPBaseTabWnd::LOCATION_BOTTOM;
}

void CSPTabbedControlBar::OnPressCloseButton() {
    if (m_pTabWnd == NULL) return;
    // The last visible tab takes the whole bar with it.
    if (m_pTabWnd->GetVisibleTabsNum() == 1) CSPDockingControlBar::OnPressCloseButton();
    const int iActive = m_pTabWnd->GetActiveTab();
    CWnd* pActive = m_pTabWnd->GetTabWnd(iActive);
    if (m_pTabWnd->ShowTab(iActive, FALSE, TRUE, FALSE) && pActive->GetSafeHwnd() != NULL) pActive->ShowWindow(SW_HIDE);
    UpdateCaptionFromActiveTab();
}

BOOL CSPTabbedControlBar::DetachControlBar(CWnd* pBar, int nMethod, BOOL bHide, int nDockMethod) {
    if (m_pTabWnd == NULL || m_pTabWnd->GetTabsNum() < 2) return FALSE;
    return CSPBaseTabbedBar::DetachControlBar(pBar, nMethod, bHide, nDockMethod);
}

BOOL CSPTabbedControlBar::FloatTab(CWnd* pBar, int nDockMethod) {
    if (m_pTabWnd == NULL || m_pTabWnd->GetTabsNum() < 1) return FALSE;
    return CSPBaseTabbedBar::FloatTab(pBar, nDockMethod);
}
