// SPMenuBar.cpp - the frame's menu as a row of menu buttons.
#include "SPMenuBar.h"
#include "SPFrameImpl.h"
#include "SPGlobalData.h"
#include "SPTearOffManager.h"
#include "SPToolbarMenuButton.h"
#include "SPToolbarSystemMenuButton.h"

IMPLEMENT_SERIAL(CSPMenuBar, CSPToolBar, VERSIONABLE_SCHEMA | 1)

BEGIN_MESSAGE_MAP(CSPMenuBar, CSPToolBar)
    ON_WM_CREATE()
    ON_WM_SETTINGCHANGE()
    ON_WM_SETFOCUS()
END_MESSAGE_MAP()

CSPMenuBar::CSPMenuBar()
    : m_bMDIApp(FALSE),
      m_pParentFrame(NULL),
      m_hMenu(NULL),
      m_hDefaultMenu(NULL),
      m_bAltPressed(FALSE),
      m_bMaximizeMode(FALSE),
      m_hSysMenu(NULL),
      m_hSysIcon(NULL),
      m_nSystemButtonsNum(0),
      m_nSystemButtonsNumSaved(0),
      m_szSystemButton(0, 0),
      m_uiDefMenuResId(0) {
    // The menu bar has its dock row to itself, across the frame.
    m_bExclusiveRow = TRUE;
}

CSPMenuBar::~CSPMenuBar() {}

BOOL CSPMenuBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID) {
    m_pParentFrame = pParentWnd;
    return CSPToolBar::Create(pParentWnd, dwStyle, nID);
}

int CSPMenuBar::OnCreate(LPCREATESTRUCT lpCreateStruct) {
    if (CSPToolBar::OnCreate(lpCreateStruct) == -1) return -1;
    SetWindowText(_T("Menu Bar"));
    MeasureSystemButton();
    // A library frame hands the bar its menus and routes the menu keys to it.
    CSPFrameImpl* pImpl = CSPFrameImpl::FromMenuBarFrame(m_pParentFrame != NULL ? m_pParentFrame : GetParent());
    if (pImpl != NULL) pImpl->SetMenuBar(this);
    return 0;
}

void CSPMenuBar::OnSetFocus(CWnd* pOldWnd) {
    CSPToolBar::OnSetFocus(pOldWnd);
    if (GetDroppedDownMenu() != NULL) return;
    // The keys are on the bar: the message line is idle and the first item
    // is the one the arrows start from.
    CWnd* pTarget = GetOwner() != NULL ? GetOwner() : GetParent();
    if (pTarget != NULL) pTarget->SendMessage(WM_SETMESSAGESTRING, AFX_IDS_IDLEMESSAGE);
    if (m_iHot < 0 && GetMenuItemsEnd() > GetFirstMenuItem()) SetHot(GetFirstMenuItem());
}

void CSPMenuBar::MeasureSystemButton() {
    const int cx = ::GetSystemMetrics(SM_CXMENUSIZE);
    CRect rect(0, 0, cx, cx);
    CClientDC dc(this);
    ::DrawFrameControl(dc.GetSafeHdc(), &rect, DFC_CAPTION, DFCS_ADJUSTRECT);
    m_szSystemButton = rect.Size();
    if (m_szSystemButton.cx <= 0 || m_szSystemButton.cy <= 0) m_szSystemButton = CSize(cx, cx);
}

void CSPMenuBar::OnSettingChange(UINT uFlags, LPCTSTR lpszSection) {
    CSPToolBar::OnSettingChange(uFlags, lpszSection);
    // The caption buttons follow the system's metrics.
    MeasureSystemButton();
    AdjustLocations();
    Invalidate();
}

CMDIFrameWnd* CSPMenuBar::GetMDIFrame() const {
    CWnd* pFrame = m_pParentFrame != NULL ? m_pParentFrame : SPGetParentFrame(const_cast<CSPMenuBar*>(this));
    return DYNAMIC_DOWNCAST(CMDIFrameWnd, pFrame);
}

int CSPMenuBar::GetSystemButtonsEnd() const {
    const int iCustomize = m_pCustomizeButton != NULL ? ButtonToIndex(m_pCustomizeButton) : -1;
    return iCustomize >= 0 ? iCustomize : GetCount();
}

CSPToolbarSystemMenuButton* CSPMenuBar::GetSystemMenu() const {
    if (!m_bMaximizeMode) return NULL;
    return DYNAMIC_DOWNCAST(CSPToolbarSystemMenuButton, GetButton(0));
}

CSPToolbarMenuButtonsButton* CSPMenuBar::GetMenuBarButton(UINT uiIndexOrCommand, BOOL bByCommand) const {
    if (!m_bMaximizeMode) return NULL;
    const int iFirst = GetMenuItemsEnd();
    for (int i = 0; i < m_nSystemButtonsNum; i++) {
        CSPToolbarMenuButtonsButton* pButton = DYNAMIC_DOWNCAST(CSPToolbarMenuButtonsButton, GetButton(iFirst + i));
        if (pButton == NULL) continue;
        if (bByCommand ? pButton->GetSysCommand() == uiIndexOrCommand : (UINT)i == uiIndexOrCommand) return pButton;
    }
    return NULL;
}

void CSPMenuBar::SetMaximizeMode(BOOL bMax, CWnd* pWndActiveMDIChild, BOOL bRecalcLayout) {
    if (m_bMaximizeMode == bMax) return;
    if (!bMax) {
        m_nSystemButtonsNumSaved = m_nSystemButtonsNum;
        if (m_hSysMenu != NULL && GetSystemMenu() != NULL) RemoveButton(0);
        for (; m_nSystemButtonsNum > 0; m_nSystemButtonsNum--) RemoveButton(GetSystemButtonsEnd() - 1);
    } else {
        if (pWndActiveMDIChild == NULL || !::IsWindow(pWndActiveMDIChild->GetSafeHwnd())) return;
        const HWND hwndChild = pWndActiveMDIChild->GetSafeHwnd();
        HMENU hSysMenu = ::GetSystemMenu(hwndChild, FALSE);
        m_hSysMenu = ::IsMenu(hSysMenu) ? hSysMenu : NULL;
        m_nSystemButtonsNum = 0;
        if (m_hSysMenu != NULL) {
            HICON hIcon = (HICON)::SendMessage(hwndChild, WM_GETICON, ICON_SMALL, 0);
            if (hIcon == NULL) hIcon = (HICON)::GetClassLongPtr(hwndChild, GCLP_HICONSM);
            m_hSysIcon = hIcon;
            CSPToolbarSystemMenuButton sysButton(m_hSysMenu, m_hSysIcon);
            InsertButtonCopy(sysButton, 0);

            const DWORD dwStyle = pWndActiveMDIChild->GetStyle();
            const UINT uiCloseState = ::GetMenuState(m_hSysMenu, SC_CLOSE, MF_BYCOMMAND);
            const struct {
                BOOL bShown;
                UINT uiCmd;
                BOOL bDisabled;
            } buttons[] = {{(dwStyle & WS_MINIMIZEBOX) != 0, SC_MINIMIZE, FALSE},
                           {(dwStyle & WS_MAXIMIZEBOX) != 0, SC_RESTORE, FALSE},
                           {TRUE, SC_CLOSE, uiCloseState == (UINT)-1 || (uiCloseState & (MF_GRAYED | MF_DISABLED))}};
            for (const auto& b : buttons) {
                if (!b.bShown) continue;
                CSPToolbarMenuButtonsButton button(b.uiCmd);
                if (b.bDisabled) button.m_nStyle |= TBBS_DISABLED;
                InsertButtonCopy(button, GetSystemButtonsEnd());
                m_nSystemButtonsNum++;
            }
        }
    }
    m_bMaximizeMode = bMax;
    if (bRecalcLayout && GetSafeHwnd() != NULL) AdjustLayout();
}

void CSPMenuBar::AdjustLocations() {
    CSPToolBar::AdjustLocations();
    if (!m_bMaximizeMode || m_nSystemButtonsNum == 0 || GetSafeHwnd() == NULL) return;
    CRect rectClient;
    GetClientRect(rectClient);
    const BOOL bHorz = IsHorizontalAligned();
    const CSize size = m_szSystemButton;
    // The last button sits in the corner, the others before it.
    CRect rect(rectClient.right - size.cx, rectClient.bottom - size.cy, rectClient.right, rectClient.bottom);
    const int iLast = GetSystemButtonsEnd() - 1;
    for (int i = iLast; i > iLast - m_nSystemButtonsNum; i--) {
        CSPToolbarButton* pButton = GetButton(i);
        if (pButton == NULL) break;
        if (pButton->Rect() != rect) {
            pButton->SetRect(rect);
            pButton->OnMove();
        }
        if (bHorz)
            rect.OffsetRect(-(size.cx + 1), 0);
        else
            rect.OffsetRect(0, -(size.cy + 1));
    }
}

BOOL CSPMenuBar::CreateFromMenu(HMENU hMenu, BOOL bDefaultMenu, BOOL bForceUpdate) {
    if (GetSafeHwnd() != NULL && ::GetFocus() == GetSafeHwnd() && m_pParentFrame != NULL) m_pParentFrame->SetFocus();
    CMDIFrameWnd* pMDIFrame = GetMDIFrame();
    if (hMenu == m_hMenu && hMenu != NULL && !g_bCustomizeMode && !bForceUpdate) {
        // The same menu: only the caption buttons follow the active child.
        if (m_bMaximizeMode && pMDIFrame != NULL) {
            SetMaximizeMode(FALSE, NULL, FALSE);
            SetMaximizeMode(TRUE, pMDIFrame->MDIGetActive(), TRUE);
            if (GetSafeHwnd() != NULL) Invalidate();
        }
        return TRUE;
    }
    // The caption buttons go first: they belong to no menu's layout.
    const BOOL bWasMaximized = m_bMaximizeMode;
    SetMaximizeMode(FALSE, NULL, FALSE);
    // The layout of the menu that goes is kept for when it comes back.
    if (m_hMenu != NULL && m_hMenu != hMenu) {
        if (g_pTearOffMenuManager != NULL) g_pTearOffMenuManager->SetupTearOffMenus(m_hMenu);
        SaveMenuLayout(m_hMenu);
    }
    m_hMenu = hMenu;
    if (bDefaultMenu) m_hDefaultMenu = hMenu;
    if (hMenu == NULL) return FALSE;

    if (bForceUpdate || !LoadMenuLayout(hMenu)) BuildFromMenu(hMenu);
    if (bWasMaximized && pMDIFrame != NULL) SetMaximizeMode(TRUE, pMDIFrame->MDIGetActive(), FALSE);
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
        if (GetMenuItemsEnd() > GetFirstMenuItem()) SetHot(GetFirstMenuItem());
        return TRUE;
    default: return FALSE;
    }
}

BOOL CSPMenuBar::PreTranslateMessage(MSG* pMsg) {
    const int iFirst = GetFirstMenuItem(), iEnd = GetMenuItemsEnd();
    if (pMsg->message != WM_KEYDOWN || GetDroppedDownMenu() != NULL || m_iHot < iFirst || m_iHot >= iEnd)
        return CSPToolBar::PreTranslateMessage(pMsg);
    CSPToolbarButton* pHot = GetButton(m_iHot);
    switch (pMsg->wParam) {
    case VK_RETURN:
    case VK_DOWN:
        if (!DropDownMenu(pHot) && pMsg->wParam == VK_RETURN) ProcessCommand(pHot);
        return TRUE;
    case VK_LEFT:
    case VK_RIGHT: {
        // Around the menu items only: not onto the child's icon or buttons.
        const int nCount = iEnd - iFirst;
        const int iNew = iFirst + (m_iHot - iFirst + (pMsg->wParam == VK_RIGHT ? 1 : nCount - 1)) % nCount;
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

BOOL CSPMenuBar::OnSendCommand(const CSPToolbarButton* pButton) {
    const CSPToolbarMenuButtonsButton* pSysButton =
        DYNAMIC_DOWNCAST(CSPToolbarMenuButtonsButton, const_cast<CSPToolbarButton*>(pButton));
    if (pSysButton == NULL) return FALSE;
    const UINT uiCmd = pSysButton->GetSysCommand();
    if (uiCmd != SC_CLOSE && uiCmd != SC_MINIMIZE && uiCmd != SC_RESTORE) return TRUE;
    CMDIFrameWnd* pFrame = GetMDIFrame();
    if (pFrame == NULL) {
        ::MessageBeep((UINT)-1);
        return TRUE;
    }
    CMDIChildWnd* pChild = pFrame->MDIGetActive();
    if (pChild != NULL) pChild->SendMessage(WM_SYSCOMMAND, uiCmd);
    return TRUE;
}
