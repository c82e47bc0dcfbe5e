#include "SPTabbedToolbar.h"

#include <algorithm>

#include "SPGlobalData.h"
#include "SPMiniFrameWnd.h"

IMPLEMENT_SERIAL(CSPTabbedToolbar, CSPToolBar, VERSIONABLE_SCHEMA | 1)

// --- the bar --------------------------------------------------------------------------------

BEGIN_MESSAGE_MAP(CSPTabbedToolbar, CSPToolBar)
    ON_WM_CREATE()
    ON_WM_NCDESTROY()
    ON_REGISTERED_MESSAGE(SP_WM_CHANGE_ACTIVE_TAB, OnChangeActiveTab)
END_MESSAGE_MAP()

CSPTabbedToolbar::CSPTabbedToolbar() : m_pTabWnd(NULL) {
    m_cxLeftBorder = m_cxRightBorder = m_cyTopBorder = m_cyBottomBorder = 0;
}

CSPTabbedToolbar::~CSPTabbedToolbar() { delete m_pTabWnd; }

BOOL CSPTabbedToolbar::CreateEx(CWnd* pParentWnd, DWORD dwStyle, UINT nID, DWORD dwSPBarStyle) {
    if (dwSPBarStyle & SPCBRS_FLOAT)
        dwStyle |= CBRS_GRIPPER;
    else
        dwStyle &= ~CBRS_GRIPPER;
    // Horizontal only: no left or right alignment or border.
    dwStyle &= ~(CBRS_ALIGN_LEFT | CBRS_ALIGN_RIGHT | CBRS_BORDER_LEFT | CBRS_BORDER_RIGHT);
    const DWORD dwBarStyle = dwStyle & CBRS_ALL;
    SetCurrentAlignment(dwBarStyle);
    SetControlBarStyle(dwBarStyle);
    const CString strClassName = RegisterBarClass(_T("SToolBar"));
    return CSPControlBar::CreateEx(0, strClassName, dwStyle & ~CBRS_ALL, CRect(0, 0, 0, 0), pParentWnd, nID,
                                   dwSPBarStyle) &&
           GetSafeHwnd() != NULL;
}

int CSPTabbedToolbar::OnCreate(LPCREATESTRUCT lpCreateStruct) {
    if (CSPToolBar::OnCreate(lpCreateStruct) == -1) return -1;
    m_pTabWnd = new CSPTabWnd;
    if (!m_pTabWnd->Create(CSPTabWnd::STYLE_3D, CRect(0, 0, lpCreateStruct->cx, lpCreateStruct->cy), this, 101,
                           CSPBaseTabWnd::LOCATION_BOTTOM, FALSE)) {
        delete m_pTabWnd;
        m_pTabWnd = NULL;
        return -1;
    }
    // The toolbars keep their own size and stay alive when their tab goes.
    m_pTabWnd->m_bAutoSizeWindow = FALSE;
    m_pTabWnd->m_bIsDockingSite = FALSE;
    m_pTabWnd->m_bEnableTabSwap = FALSE;
    return 0;
}

void CSPTabbedToolbar::OnNcDestroy() {
    CSPToolBar::OnNcDestroy();
    delete m_pTabWnd;
    m_pTabWnd = NULL;
}

LRESULT CSPTabbedToolbar::OnChangeActiveTab(WPARAM, LPARAM) { return 0; }

BOOL CSPTabbedToolbar::AddTab(CSPControlBar* pNewBar, BOOL bVisible, BOOL bSetActive, BOOL bDetachable) {
    if (m_pTabWnd == NULL || pNewBar == NULL || pNewBar->GetSafeHwnd() == NULL) return FALSE;
    pNewBar->SetParent(m_pTabWnd);
    pNewBar->SetOwner(SPGetParentFrame(this));
    pNewBar->SetControlBarStyle(pNewBar->GetControlBarStyle() & ~CBRS_GRIPPER);
    // The toolbar lies as it would on a top dock row, at its own size.
    pNewBar->SetCurrentAlignment(CBRS_ALIGN_TOP);
    const CSize size = pNewBar->CalcFixedLayout(FALSE, TRUE);
    pNewBar->SetWindowPos(NULL, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);

    CString strLabel;
    pNewBar->GetWindowText(strLabel);
    m_pTabWnd->AddTab(pNewBar, strLabel, (UINT)-1, bDetachable);
    const int iTab = m_pTabWnd->GetTabsNum() - 1;
    if (bSetActive) m_pTabWnd->SetActiveTab(iTab);
    m_pTabWnd->ShowTab(iTab, bVisible, TRUE, FALSE);
    RecalcLayout();
    return TRUE;
}

void CSPTabbedToolbar::RecalcLayout() {
    if (m_pTabWnd == NULL || m_pTabWnd->GetSafeHwnd() == NULL) {
        CSPToolBar::RecalcLayout();
        return;
    }
    const CSize sizeMax = m_pTabWnd->GetMaxWindowSize();
    const int nBorder = m_pTabWnd->GetTabBorderSize();
    const int nTabsHeight = m_pTabWnd->GetTabsHeight();
    CRect rectOld;
    m_pTabWnd->GetWindowRect(rectOld);
    const CSize sizeNew(sizeMax.cx + 2 * nBorder, sizeMax.cy + nTabsHeight + 2 * nBorder + 2);
    m_pTabWnd->SetWindowPos(NULL, 0, 0, sizeNew.cx, sizeNew.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    m_pTabWnd->RecalcLayout();
    // The tab window places, but does not size, the toolbars.
    const CPoint ptArea = m_pTabWnd->GetWndArea().TopLeft();
    for (int i = 0; i < m_pTabWnd->GetTabsNum(); i++) {
        CWnd* pWnd = m_pTabWnd->GetTabWnd(i);
        if (pWnd->GetSafeHwnd() != NULL)
            pWnd->SetWindowPos(NULL, ptArea.x, ptArea.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }

    HDWP hdwp = NULL;
    StretchControlBar(sizeNew.cx - rectOld.Width(), hdwp);
    UpdateVirtualRect();

    CSPMiniFrameWnd* pMiniFrame = GetParentMiniFrame(TRUE);
    if (pMiniFrame != NULL) {
        pMiniFrame->SizeToContent();
    } else if (CFrameWnd* pFrame = SPGetParentFrame(this)) {
        pFrame->RecalcLayout(TRUE);
    }
    CSPToolBar::RecalcLayout();
}

CSize CSPTabbedToolbar::CalcFixedLayout(BOOL bStretch, BOOL bHorz) {
    if (m_pTabWnd == NULL || m_pTabWnd->GetSafeHwnd() == NULL) return CSPToolBar::CalcFixedLayout(bStretch, bHorz);
    CRect rectTabs;
    m_pTabWnd->GetWindowRect(rectTabs);
    CRect rectInside(0, 0, 0, 0);
    CalcInsideRect(rectInside, TRUE);
    return CSize(rectTabs.Width() - rectInside.Width(), rectTabs.Height() - rectInside.Height());
}

BOOL CSPTabbedToolbar::IsToolbarButtonData(COleDataObject* pDataObject) {
    CSPToolbarButton* pButton = CSPToolbarButton::CreateFromOleData(pDataObject);
    const BOOL bButton = pButton != NULL && pButton->IsKindOf(RUNTIME_CLASS(CSPToolbarButton));
    delete pButton;
    return bButton;
}
