// SPToolbarSystemMenuButton.cpp - a maximised MDI child's icon and caption
// buttons on the menu bar.
#include "SPToolbarSystemMenuButton.h"

#include "SPGlobalData.h"
#include "SPPopupMenu.h"
#include "SPToolBar.h"
#include "SPVisualManager.h"

IMPLEMENT_SERIAL(CSPToolbarSystemMenuButton, CSPToolbarMenuButton, VERSIONABLE_SCHEMA | 1)
IMPLEMENT_DYNCREATE(CSPToolbarMenuButtonsButton, CSPToolbarButton)

// ---------------------------------------------------------------------------
// CSPToolbarSystemMenuButton

CSPToolbarSystemMenuButton::CSPToolbarSystemMenuButton() : m_hSysMenuIcon(NULL), m_hSystemMenu(NULL) {}

CSPToolbarSystemMenuButton::CSPToolbarSystemMenuButton(HMENU hSystemMenu, HICON hSystemIcon)
    : CSPToolbarMenuButton(0, hSystemMenu, -1), m_hSysMenuIcon(hSystemIcon), m_hSystemMenu(hSystemMenu) {}

void CSPToolbarSystemMenuButton::CopyFrom(const CSPToolbarButton& s) {
    CSPToolbarMenuButton::CopyFrom(s);
    const CSPToolbarSystemMenuButton* pSrc =
        DYNAMIC_DOWNCAST(CSPToolbarSystemMenuButton, const_cast<CSPToolbarButton*>(&s));
    if (pSrc == NULL) return;
    m_hSysMenuIcon = pSrc->m_hSysMenuIcon;
    m_hSystemMenu = pSrc->m_hSystemMenu;
}

SIZE CSPToolbarSystemMenuButton::OnCalculateSize(CDC* /*pDC*/, const CSize& sizeDefault, BOOL /*bHorz*/) {
    return CSize(::GetSystemMetrics(SM_CXMENUSIZE), sizeDefault.cy);
}

void CSPToolbarSystemMenuButton::OnDraw(CDC* pDC, const CRect& rect, CSPButtonImages* /*pImages*/, BOOL /*bHorz*/,
                                        BOOL /*bCustomizeMode*/, BOOL /*bHighlight*/, BOOL /*bDrawBorder*/,
                                        BOOL /*bGrayDisabledButtons*/) {
    if (m_hSysMenuIcon == NULL) return;
    const int cx = ::GetSystemMetrics(SM_CXMENUSIZE), cy = ::GetSystemMetrics(SM_CYMENUSIZE);
    ::DrawIconEx(pDC->GetSafeHdc(), rect.left, rect.top + (rect.Height() - cy) / 2, m_hSysMenuIcon, cx, cy, 0, NULL,
                 DI_NORMAL);
}

void CSPToolbarSystemMenuButton::OnDblClk(CWnd* pWnd) {
    if (g_bCustomizeMode || pWnd == NULL) return;
    OnCancelMode();
    CMDIFrameWnd* pFrame = DYNAMIC_DOWNCAST(CMDIFrameWnd, SPGetParentFrame(pWnd));
    CMDIChildWnd* pChild = pFrame != NULL ? pFrame->MDIGetActive() : NULL;
    if (pChild == NULL) return;
    const HMENU hSysMenu = ::GetSystemMenu(pChild->GetSafeHwnd(), FALSE);
    const UINT uiState = hSysMenu != NULL ? ::GetMenuState(hSysMenu, SC_CLOSE, MF_BYCOMMAND) : (UINT)-1;
    // No Close item, or a greyed one: the child cannot be closed.
    if (uiState == (UINT)-1 || (uiState & (MF_GRAYED | MF_DISABLED))) return;
    pChild->SendMessage(WM_SYSCOMMAND, SC_CLOSE);
}

void CSPToolbarSystemMenuButton::OnCancelMode() {
    CSPPopupMenu* pPopup = m_pPopupMenu;
    if (pPopup != NULL && ::IsWindow(pPopup->GetSafeHwnd())) {
        // The chosen system command is on its way: the popup stays.
        if (pPopup->IsCommandInProgress()) return;
        m_pPopupMenu = NULL;
        pPopup->CloseMenu(FALSE);
    }
    m_pPopupMenu = NULL;
    m_bDelayedSubmenu = FALSE;
}

void CSPToolbarSystemMenuButton::CreateFromMenu(HMENU hMenu) { m_hSystemMenu = hMenu; }

HMENU CSPToolbarSystemMenuButton::CreateMenu() const {
    HMENU hMenu = CSPToolbarMenuButton::CreateMenu();
    if (hMenu == NULL || m_hSystemMenu == NULL || !::IsMenu(m_hSystemMenu)) return hMenu;
    const int nCount = ::GetMenuItemCount(m_hSystemMenu);
    for (int i = 0; i < nCount; i++) {
        const UINT uiID = ::GetMenuItemID(m_hSystemMenu, i);
        const UINT uiState = ::GetMenuState(m_hSystemMenu, i, MF_BYPOSITION);
        if (uiID == 0 || uiID == (UINT)-1 || uiState == (UINT)-1) continue;
        if (uiState & MF_CHECKED) ::CheckMenuItem(hMenu, uiID, MF_BYCOMMAND | MF_CHECKED);
        if (uiState & MF_GRAYED)
            ::EnableMenuItem(hMenu, uiID, MF_BYCOMMAND | MF_GRAYED);
        else if (uiState & MF_DISABLED)
            ::EnableMenuItem(hMenu, uiID, MF_BYCOMMAND | MF_DISABLED);
    }
    return hMenu;
}

// ---------------------------------------------------------------------------
// CSPToolbarMenuButtonsButton

CSPToolbarMenuButtonsButton::CSPToolbarMenuButtonsButton() : m_uiSysCmd(0) {}

CSPToolbarMenuButtonsButton::CSPToolbarMenuButtonsButton(UINT uiSysCmd) : m_uiSysCmd(uiSysCmd) {}

void CSPToolbarMenuButtonsButton::CopyFrom(const CSPToolbarButton& s) {
    CSPToolbarButton::CopyFrom(s);
    const CSPToolbarMenuButtonsButton* pSrc =
        DYNAMIC_DOWNCAST(CSPToolbarMenuButtonsButton, const_cast<CSPToolbarButton*>(&s));
    if (pSrc != NULL) m_uiSysCmd = pSrc->m_uiSysCmd;
}

SIZE CSPToolbarMenuButtonsButton::OnCalculateSize(CDC* /*pDC*/, const CSize& /*sizeDefault*/, BOOL /*bHorz*/) {
    return CSize(::GetSystemMetrics(SM_CXMENUSIZE), ::GetSystemMetrics(SM_CYMENUSIZE));
}

void CSPToolbarMenuButtonsButton::OnDraw(CDC* pDC, const CRect& rect, CSPButtonImages* /*pImages*/, BOOL /*bHorz*/,
                                         BOOL /*bCustomizeMode*/, BOOL bHighlight, BOOL /*bDrawBorder*/,
                                         BOOL /*bGrayDisabledButtons*/) {
    CSPVisualManager::GetInstance()->OnDrawMenuSystemButton(pDC, rect, m_uiSysCmd, m_nStyle, bHighlight);
}
