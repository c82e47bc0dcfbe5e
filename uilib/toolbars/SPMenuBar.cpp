// SPMenuBar.cpp - the frame's menu as a row of menu buttons.
#include "SPMenuBar.h"
#include "SPTearOffManager.h"
#include "SPToolbarMenuButton.h"

IMPLEMENT_SERIAL(CSPMenuBar, CSPToolBar, VERSIONABLE_SCHEMA | 1)

BEGIN_MESSAGE_MAP(CSPMenuBar, CSPToolBar)
    ON_WM_CREATE()
END_MESSAGE_MAP()

CSPMenuBar::CSPMenuBar()
    : m_bMDIApp(FALSE),
      m_pParentFrame(NULL),
      m_hMenu(NULL),
      m_hDefaultMenu(NULL),
      m_bAltPressed(FALSE),
      m_uiDefMenuResId(0) {}

CSPMenuBar::~CSPMenuBar() {}

BOOL CSPMenuBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID) {
    m_pParentFrame = pParentWnd;
    m_bMDIApp = pParentWnd != NULL && pParentWnd->IsKindOf(RUNTIME_CLASS(CMDIFrameWnd));
    return CSPToolBar::Create(pParentWnd, dwStyle, nID);
}

int CSPMenuBar::OnCreate(LPCREATESTRUCT lpCreateStruct) {
    if (CSPToolBar::OnCreate(lpCreateStruct) == -1) return -1;
    SetWindowText(_T("Menu Bar"));
    return 0;
}

BOOL CSPMenuBar::CreateFromMenu(HMENU hMenu, BOOL bDefaultMenu, BOOL bForceUpdate) {
    if (GetSafeHwnd() != NULL && ::GetFocus() == GetSafeHwnd() && m_pParentFrame != NULL) m_pParentFrame->SetFocus();
    if (hMenu == m_hMenu && hMenu != NULL && !g_bCustomizeMode && !bForceUpdate) return TRUE;
    // The layout of the menu that goes is kept for when it comes back.
    if (m_hMenu != NULL && m_hMenu != hMenu) {
        if (g_pTearOffMenuManager != NULL) g_pTearOffMenuManager->SetupTearOffMenus(m_hMenu);
        SaveMenuLayout(m_hMenu);
    }
    m_hMenu = hMenu;
    if (bDefaultMenu) m_hDefaultMenu = hMenu;
    if (hMenu == NULL) return FALSE;

    if (!bForceUpdate && LoadMenuLayout(hMenu)) {
        if (GetSafeHwnd() != NULL) AdjustLayout();
        RebuildAccelerationKeys();
        return TRUE;
    }
    BuildFromMenu(hMenu);
    if (GetSafeHwnd() != NULL) AdjustLayout();
    RebuildAccelerationKeys();
    return TRUE;
}

void CSPMenuBar::BuildFromMenu(HMENU hMenu) {
    if (g_pTearOffMenuManager != NULL) g_pTearOffMenuManager->Reset(hMenu);
    RemoveAllButtons();
    const int nCount = ::GetMenuItemCount(hMenu);
    for (int i = 0; i < nCount; i++) {
        char szText[256] = {0};
        ::GetMenuStringA(hMenu, i, szText, sizeof(szText) - 1, MF_BYPOSITION);
        const UINT uiID = ::GetMenuItemID(hMenu, i);
        if (uiID == 0) {
            InsertSeparator();
        } else if (uiID == (UINT)-1) {
            CString strText = szText;
            const UINT uiTearOff =
                g_pTearOffMenuManager != NULL ? g_pTearOffMenuManager->ParseTearOffTag(strText) : 0;
            CSPToolbarMenuButton item(0, ::GetSubMenu(hMenu, i), -1, strText);
            item.m_bText = TRUE;
            item.m_bImage = FALSE;
            item.SetTearOff(uiTearOff);
            InsertButtonCopy(item);
        } else {
            CSPToolbarButton item(uiID, -1, szText);
            item.m_bText = TRUE;
            item.m_bImage = FALSE;
            InsertButtonCopy(item);
        }
    }
}

void CSPMenuBar::SetHot(int iHot) {
    const int iOld = m_iHot;
    m_iHighlighted = iHot;
    m_iHot = iHot;
    if (iOld >= 0) InvalidateButton(iOld);
    if (iHot >= 0) InvalidateButton(iHot);
    UpdateWindow();
}

BOOL CSPMenuBar::TranslateFrameMessage(MSG* pMsg) {
    if (GetSafeHwnd() == NULL || !IsWindowVisible()) return FALSE;
    switch (pMsg->message) {
    case WM_SYSKEYDOWN:
        if (pMsg->wParam == VK_MENU) {
            m_bAltPressed = TRUE;
            return TRUE;
        }
        m_bAltPressed = FALSE;
        if (GetDroppedDownMenu() != NULL) return FALSE;
        return FindButtonByMnemonic((UINT)pMsg->wParam);
    case WM_SYSKEYUP:
        if (pMsg->wParam != VK_MENU || !m_bAltPressed) return FALSE;
        m_bAltPressed = FALSE;
        if (m_iHot >= 0 || GetDroppedDownMenu() != NULL) {
            Deactivate();
            return TRUE;
        }
        // Alt alone: the bar takes the keys with its first item hot.
        SetFocus();
        if (GetCount() > 0) SetHot(0);
        return TRUE;
    default: return FALSE;
    }
}

BOOL CSPMenuBar::PreTranslateMessage(MSG* pMsg) {
    if (pMsg->message != WM_KEYDOWN || GetDroppedDownMenu() != NULL || m_iHot < 0 || m_iHot >= GetCount())
        return CSPToolBar::PreTranslateMessage(pMsg);
    CSPToolbarButton* pHot = GetButton(m_iHot);
    switch (pMsg->wParam) {
    case VK_RETURN:
    case VK_DOWN:
        if (!DropDownMenu(pHot) && pMsg->wParam == VK_RETURN) ProcessCommand(pHot);
        return TRUE;
    case VK_LEFT:
    case VK_RIGHT: {
        const int nCount = GetCount();
        const int iNew = (m_iHot + (pMsg->wParam == VK_RIGHT ? 1 : nCount - 1)) % nCount;
        SetHot(iNew);
        return TRUE;
    }
    case VK_ESCAPE:
        Deactivate();
        RestoreFocus();
        break;
    default:
        if (FindButtonByMnemonic((UINT)pMsg->wParam)) return TRUE;
    }
    return CSPToolBar::PreTranslateMessage(pMsg);
}

BOOL CSPMenuBar::OnSendCommand(const CSPToolbarButton* /*pButton*/) { return FALSE; }
