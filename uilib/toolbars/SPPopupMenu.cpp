// SPPopupMenu.cpp - the window of a library popup menu.
#include "SPPopupMenu.h"
#include "SPDialog.h"
#include "SPDrawEffects.h"
#include "SPGlobalData.h"
#include "SPMenuSounds.h"
#include "SPPropertyPage.h"
#include "SPTempStateStore.h"
#include "SPToolbarMenuButton.h"
#include "SPVisualManager.h"

#include <algorithm>
using std::max;
using std::min;

IMPLEMENT_SERIAL(CSPPopupMenu, CMiniFrameWnd, VERSIONABLE_SCHEMA | 1)

UINT CSPPopupMenu::s_uiAnimSpeed = 30;

static const UINT SP_POPUP_BAR_ID = 1;

BEGIN_MESSAGE_MAP(CSPPopupMenu, CMiniFrameWnd)
    ON_WM_CREATE()
    ON_WM_SIZE()
    ON_WM_PAINT()
    ON_WM_MOUSEACTIVATE()
    ON_WM_DESTROY()
    ON_WM_KEYDOWN()
    ON_WM_ERASEBKGND()
    ON_WM_ACTIVATEAPP()
    ON_WM_LBUTTONDOWN()
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONUP()
END_MESSAGE_MAP()

// ---------------------------------------------------------------------------
// Fitting into the work area

void SPFitPopupMenu(SPPopupPlacement& p) {
    const CRect& rw = p.rectWork;
    p.nDropDirection = SP_DROP_DEFAULT;
    p.bScrollable = FALSE;
    p.pt.x = max(rw.left, min(p.pt.x, rw.right));
    p.pt.y = max(rw.top, min(p.pt.y, rw.bottom));

    if (p.pt.x + p.size.cx > rw.right) {
        if (p.bSubMenu) {
            p.pt.x = p.rectParentPopup.left - p.size.cx;
            p.nDropDirection = SP_DROP_LEFT;
        } else if (p.bVertMenuBar) {
            p.pt.x = p.rectMenuBar.left - p.size.cx;
            p.nDropDirection = SP_DROP_LEFT;
        } else {
            p.pt.x = rw.right - p.size.cx - 1;
        }
    }
    if (p.pt.x < rw.left) {
        p.pt.x = rw.left;
        p.nDropDirection = SP_DROP_DEFAULT;
    }

    if (p.pt.y + p.size.cy > rw.bottom) {
        if (p.bButtonOnBar && !p.bSubMenu) {
            const int yAbove = p.rectButton.top - p.size.cy;
            if (yAbove >= 0) {
                p.pt.y = yAbove;
                p.nDropDirection = SP_DROP_ABOVE;
            } else {
                p.bScrollable = TRUE;
                if (rw.bottom - p.rectButton.top < p.rectButton.top - rw.top) {
                    p.pt.y = rw.top;
                    p.size.cy = p.rectButton.top - rw.top;
                    p.nDropDirection = SP_DROP_DEFAULT;
                } else {
                    p.size.cy = rw.bottom - p.pt.y;
                }
            }
        } else {
            p.pt.y -= p.size.cy;
            // The submenu's last item lines up with the item that opened it.
            if (p.bSubMenu) p.pt.y += p.nRowHeight + 4;
        }
        if (p.pt.y < rw.top) {
            p.pt.y = rw.top;
            p.nDropDirection = SP_DROP_DEFAULT;
        }
        if (p.pt.y + p.size.cy > rw.bottom) {
            p.size.cy = rw.bottom - p.pt.y;
            p.bScrollable = TRUE;
        }
    }
}

// ---------------------------------------------------------------------------
// Construction

// A dialog or property page that owns the menu hands it keys and clicks
// while it is shown.
static void TellDialogOfMenu(CWnd* pMessageWnd, CSPPopupMenu* pMenu) {
    if (CSPDialog* pDialog = DYNAMIC_DOWNCAST(CSPDialog, pMessageWnd))
        pDialog->SetActiveMenu(pMenu);
    else if (CSPPropertyPage* pPage = DYNAMIC_DOWNCAST(CSPPropertyPage, pMessageWnd))
        pPage->SetActiveMenu(pMenu);
}

int CSPPopupMenu::DefaultShadowDepth() {
    if (!CSPToolBar::m_bMenuShadows || g_bCustomizeMode || spGlobalData.nBitsPerPixel <= 8) return 0;
    return CSPVisualManager::GetInstance()->m_nMenuShadowDepth;
}

CSPPopupMenu::CSPPopupMenu()
    : m_bAutoDestroyParent(TRUE),
      m_hwndMessage(NULL),
      m_pParentPopup(NULL),
      m_iDropDirection(SP_DROP_DEFAULT),
      m_hMenu(NULL),
      m_ptLocation(0, 0),
      m_ptLocationInitial(0, 0),
      m_FinalSize(0, 0),
      m_bDestroyMenu(TRUE),
      m_bTrackMode(FALSE),
      m_bInClose(FALSE),
      m_iMaxWidth(-1),
      m_bScrollable(FALSE),
      m_iShadowSize(DefaultShadowDepth()),
      m_pParentButton(NULL),
      m_rectParentButton(0, 0, 0, 0),
      m_bParentButtonOnBar(FALSE),
      m_bInRecalcLayout(FALSE),
      m_bTearOffTracking(FALSE),
      m_bIsTearOffCaptionActive(FALSE),
      m_rectTearOffCaption(0, 0, 0, 0) {
    // A blend needs more colours than a palette screen has.
    if (CSPToolBar::m_nMenuAnimation == 3 && spGlobalData.nBitsPerPixel <= 8) CSPToolBar::m_nMenuAnimation = 0;
}

CSPPopupMenu::~CSPPopupMenu() {
    if (m_bDestroyMenu && m_hMenu != NULL && ::IsMenu(m_hMenu)) ::DestroyMenu(m_hMenu);
}

CWnd* CSPPopupMenu::GetMessageWnd() const {
    return m_hwndMessage != NULL && ::IsWindow(m_hwndMessage) ? CWnd::FromHandle(m_hwndMessage) : NULL;
}

void CSPPopupMenu::SetAnimationSpeed(UINT nElapse) {
    if (nElapse == 0 || nElapse > 200) return;
    s_uiAnimSpeed = nElapse;
}

BOOL CSPPopupMenu::Create(CWnd* pWndParent, int x, int y, HMENU hMenu, BOOL bLocked, BOOL bOwnMessage) {
    SPPlayMenuSound(SP_SOUND_MENU_POPUP);
    static CString strClassName;
    if (strClassName.IsEmpty())
        strClassName =
            AfxRegisterWndClass(CS_SAVEBITS, ::LoadCursor(NULL, IDC_ARROW), (HBRUSH)(COLOR_BTNFACE + 1), NULL);

    m_hMenu = hMenu;
    if (x == -1 && y == -1) {
        if (pWndParent != NULL && ::IsWindow(pWndParent->GetSafeHwnd())) {
            CPoint pt(0, 0);
            pWndParent->ClientToScreen(&pt);
            x = pt.x + 5;
            y = pt.y + 5;
        } else {
            x = y = 0;
        }
    }
    m_ptLocation = m_ptLocationInitial = CPoint(x, y);

    if (m_pParentPopup != NULL) m_bTrackMode = m_pParentPopup->m_bTrackMode;
    if (bOwnMessage)
        m_hwndMessage = pWndParent != NULL ? pWndParent->GetSafeHwnd() : NULL;
    else if (m_pParentPopup != NULL)
        m_hwndMessage = m_pParentPopup->m_hwndMessage;

    CWnd* pOwner = NULL;
    if (pWndParent != NULL && ::IsWindow(pWndParent->GetSafeHwnd())) {
        pOwner = pWndParent->GetOwner();
        if (pOwner == NULL) pOwner = pWndParent->GetParent();
        if (pOwner == NULL) pOwner = pWndParent;
    }
    if (!CMiniFrameWnd::CreateEx(WS_EX_TOOLWINDOW, strClassName, _T(""), WS_POPUP, CRect(x, y, x, y), pOwner))
        return FALSE;
    m_wndMenuBar.SetLockedMode(bLocked);
    CheckShadow();
    SetWindowPos(&wndTop, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    return TRUE;
}

void CSPPopupMenu::SetParentButton(CSPToolbarMenuButton* pButton, const CRect& rectScreen) {
    m_pParentButton = pButton;
    m_rectParentButton = rectScreen;
    m_bParentButtonOnBar = pButton != NULL;
}

BOOL CSPPopupMenu::CreateSubMenu(CSPPopupMenu* pParent, const CRect& rectItemScreen, HMENU hMenu) {
    m_pParentPopup = pParent;
    m_bDestroyMenu = FALSE;  // the handle belongs to the parent's menu
    m_rectParentButton = rectItemScreen;
    m_iMaxWidth = pParent->m_iMaxWidth;
    m_wndMenuBar.SetMaxWidth(m_iMaxWidth);
    CRect rectParent;
    pParent->GetWindowRect(rectParent);
    const int x = rectParent.right - pParent->m_iShadowSize;
    return Create(pParent, x, rectItemScreen.top - 2, hMenu, pParent->m_wndMenuBar.IsLocked(), FALSE);
}

int CSPPopupMenu::OnCreate(LPCREATESTRUCT lpCreateStruct) {
    if (CMiniFrameWnd::OnCreate(lpCreateStruct) == -1) return -1;
    const DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_GRIPPER | CBRS_TOP | CBRS_BORDER_BOTTOM | CBRS_FLYBY |
                          CBRS_TOOLTIPS | CBRS_HIDE_INPLACE;
    if (!m_wndMenuBar.Create(this, dwStyle, SP_POPUP_BAR_ID)) return -1;
    m_wndMenuBar.SetTrackMode(m_bTrackMode);
    m_wndMenuBar.SetMaxWidth(m_iMaxWidth);
    m_wndMenuBar.SetOwner(GetOwner());
    BuildItems();
    return 0;
}

BOOL CSPPopupMenu::BuildItems() {
    if (m_hMenu != NULL) {
        // A context menu shows every command; a menu of the menu bar hides
        // the rarely used ones.
        const BOOL bShowAll = m_pParentPopup == NULL && m_rectParentButton.IsRectEmpty();
        // A context menu shows the items the user customised, when he did.
        const BOOL bCustomised =
            bShowAll && spTempStateStore.LoadState((UINT)(UINT_PTR)m_hMenu, &m_wndMenuBar);
        if (!bCustomised && !m_wndMenuBar.ImportFromMenu(m_hMenu, bShowAll)) return FALSE;
    }
    if (!m_wndMenuBar.AreAllCommandsShown()) {
        CSPToolbarButton* pLast = m_wndMenuBar.GetItem(m_wndMenuBar.GetCount() - 1);
        if (pLast == NULL || !pLast->IsKindOf(RUNTIME_CLASS(CSPShowAllButton))) {
            CSPShowAllButton showAll;
            m_wndMenuBar.InsertButtonCopy(showAll);
        }
    }
    CFrameWnd* pTarget = DYNAMIC_DOWNCAST(CFrameWnd, GetMessageWnd());
    if (pTarget == NULL) pTarget = GetTopLevelFrame();
    if (pTarget != NULL && !m_bTrackMode) m_wndMenuBar.OnUpdateCmdUI(pTarget, FALSE);
    if (m_pParentPopup == NULL) {
        TellDialogOfMenu(GetMessageWnd(), this);
        SetActiveMenu(this);
    }
    RecalcLayout();
    return TRUE;
}

void CSPPopupMenu::ShowAllCommands() {
    if (GetSafeHwnd() == NULL) return;
    SPPlayMenuSound(SP_SOUND_MENU_POPUP);
    ShowWindow(SW_HIDE);
    m_bmpShadowRight.DeleteObject();
    m_bmpShadowBottom.DeleteObject();
    m_ptLocation = m_ptLocationInitial;
    if (m_hMenu != NULL) m_wndMenuBar.ImportFromMenu(m_hMenu, TRUE);
    RecalcLayout();
    CheckShadow();
    SetWindowPos(&wndTop, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
}

// ---------------------------------------------------------------------------
// Layout, shadow, painting

void CSPPopupMenu::RecalcLayout(BOOL /*bNotify*/) {
    if (GetSafeHwnd() == NULL || m_wndMenuBar.GetSafeHwnd() == NULL || m_bInRecalcLayout) return;
    m_bInRecalcLayout = TRUE;

    SPPopupPlacement p;
    MONITORINFO mi = {};
    mi.cbSize = sizeof(mi);
    HMONITOR hMonitor = ::MonitorFromPoint(m_ptLocation, MONITOR_DEFAULTTONEAREST);
    if (hMonitor != NULL && ::GetMonitorInfo(hMonitor, &mi))
        p.rectWork = mi.rcWork;
    else
        ::SystemParametersInfo(SPI_GETWORKAREA, 0, &p.rectWork, 0);
    p.pt = m_ptLocation;
    const int nCaption = HasTearOffCaption() ? nTearOffCaptionHeight : 0;
    p.size = m_wndMenuBar.CalcSize(TRUE) + CSize(4, 4 + nCaption);
    p.bSubMenu = m_pParentPopup != NULL;
    if (m_pParentPopup != NULL) m_pParentPopup->GetWindowRect(p.rectParentPopup);
    p.bButtonOnBar = m_bParentButtonOnBar;
    p.rectButton = m_rectParentButton;
    p.nRowHeight = m_wndMenuBar.GetRowHeight();
    SPFitPopupMenu(p);

    m_ptLocation = p.pt;
    m_FinalSize = p.size;
    m_iDropDirection = p.nDropDirection;
    m_bScrollable = p.bScrollable;
    const int nShadow = g_bCustomizeMode ? 0 : m_iShadowSize;
    SetWindowPos(NULL, p.pt.x, p.pt.y, p.size.cx + nShadow, p.size.cy + nShadow, SWP_NOZORDER | SWP_NOACTIVATE);
    m_rectTearOffCaption = nCaption > 0 ? CRect(2, 2, p.size.cx - 2, 2 + nCaption) : CRect(0, 0, 0, 0);
    m_wndMenuBar.SetWindowPos(NULL, 2, 2 + nCaption, p.size.cx - 4, p.size.cy - 4 - nCaption,
                              SWP_NOZORDER | SWP_NOACTIVATE);
    m_wndMenuBar.AdjustLocations();
    m_bInRecalcLayout = FALSE;
}

void CSPPopupMenu::CheckShadow() {
    if (m_iShadowSize == 0 || GetSafeHwnd() == NULL) return;
    CWnd* pTop = GetMessageWnd() != NULL ? GetMessageWnd()->GetTopLevelParent() : NULL;
    if (pTop == NULL && GetOwner() != NULL) pTop = GetOwner()->GetTopLevelParent();
    CRect rectWindow;
    GetWindowRect(rectWindow);
    CRect rectTop(0, 0, 0, 0);
    if (pTop != NULL) pTop->GetWindowRect(rectTop);
    CRect rectUnion;
    rectUnion.UnionRect(rectTop, rectWindow);
    if (pTop == NULL || rectUnion != rectTop) {
        // A shadow over another application would show a stale picture.
        m_iShadowSize = 0;
        SetWindowPos(NULL, 0, 0, m_FinalSize.cx, m_FinalSize.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    } else {
        pTop->UpdateWindow();
    }
}

void CSPPopupMenu::OnSize(UINT nType, int cx, int cy) { CWnd::OnSize(nType, cx, cy); }

void CSPPopupMenu::OnPaint() {
    CPaintDC dc(this);
    CRect rectClient;
    GetClientRect(rectClient);
    const int nShadow = g_bCustomizeMode ? 0 : m_iShadowSize;
    CRect rectMenu = rectClient;
    rectMenu.right -= nShadow;
    rectMenu.bottom -= nShadow;
    if (nShadow > 0) {
        CSPDrawEffects effects(dc);
        effects.DrawStateEffect(rectMenu, nShadow, 100, 65, &m_bmpShadowRight, &m_bmpShadowBottom);
    }
    CSPVisualManager::GetInstance()->OnDrawMenuBorder(&dc, this, rectMenu);
    if (!m_rectTearOffCaption.IsRectEmpty())
        CSPVisualManager::GetInstance()->OnDrawTearOffCaption(&dc, m_rectTearOffCaption, m_bIsTearOffCaptionActive);
}

void CSPPopupMenu::UpdateShadow(LPRECT lprectScreen) {
    if (m_iShadowSize <= 0 || GetSafeHwnd() == NULL) return;
    CRect rectClient;
    GetClientRect(rectClient);
    ClientToScreen(rectClient);
    CRect rectRight(rectClient.right - m_iShadowSize - 1, rectClient.top, rectClient.right, rectClient.bottom);
    CRect rectBottom(rectClient.left, rectClient.bottom - m_iShadowSize - 1, rectClient.right, rectClient.bottom);
    CRect rectTest;
    if (lprectScreen != NULL && !rectTest.IntersectRect(rectRight, lprectScreen) &&
        !rectTest.IntersectRect(rectBottom, lprectScreen))
        return;
    m_bmpShadowRight.DeleteObject();
    m_bmpShadowBottom.DeleteObject();
    // Without the strips in the way, what lies behind them repaints.
    CRect rectWindow;
    GetWindowRect(rectWindow);
    SetWindowPos(NULL, 0, 0, rectWindow.Width() - m_iShadowSize, rectWindow.Height() - m_iShadowSize,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
    CWnd* pTop = GetOwner() != NULL ? GetOwner()->GetTopLevelParent() : NULL;
    if (pTop != NULL) {
        CRect rects[2] = {rectRight, rectBottom};
        for (CRect& r : rects) {
            pTop->ScreenToClient(r);
            pTop->RedrawWindow(r, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        }
    }
    SetWindowPos(NULL, 0, 0, rectWindow.Width(), rectWindow.Height(), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    ScreenToClient(rectRight);
    ScreenToClient(rectBottom);
    InvalidateRect(rectRight);
    InvalidateRect(rectBottom);
}

void CSPPopupMenu::UpdateAllShadows(LPRECT lprectScreen) {
    for (CSPPopupMenu* pMenu = GetActiveMenu(); pMenu != NULL; pMenu = pMenu->m_pParentPopup)
        pMenu->UpdateShadow(lprectScreen);
}

int CSPPopupMenu::MenuHitTest(CPoint pt) {
    if (GetSafeHwnd() == NULL) return 4;
    CRect rectWindow;
    GetWindowRect(rectWindow);
    if (!rectWindow.PtInRect(pt)) return 4;
    ScreenToClient(&pt);
    CRect rectClient;
    GetClientRect(rectClient);
    if (m_iShadowSize > 0) {
        if (pt.x >= rectClient.right - m_iShadowSize) return 1;
        if (pt.y >= rectClient.bottom - m_iShadowSize) return 2;
    }
    if (m_rectTearOffCaption.PtInRect(pt)) return 5;
    return 0;
}

// ---------------------------------------------------------------------------
// Commands, keys, closing

void CSPPopupMenu::GetVisualInfo(SPPopupMenuInfo& info) {
    info.bHasParentPopupMenu = m_pParentPopup != NULL;
    if (m_pParentPopup != NULL) {
        CSPPopupMenuBar* pParentBar = m_pParentPopup->GetMenuBar();
        if (pParentBar->GetOpenSubMenu() == this)
            info.pParentButton =
                DYNAMIC_DOWNCAST(CSPToolbarMenuButton, pParentBar->GetItem(pParentBar->GetOpenSubMenuIndex()));
        info.pParentButtonWnd = pParentBar;
        info.nDropDirection = m_iDropDirection == SP_DROP_LEFT ? 4 : 3;
    } else {
        info.nDropDirection = m_iDropDirection == SP_DROP_ABOVE ? 2 : 1;
    }
}

BOOL CSPPopupMenu::GetParentButtonRect(CRect& rectScreen, BOOL& bOnPopupMenuBar, BOOL& bHoldsPopupOpen) {
    rectScreen = m_rectParentButton;
    bOnPopupMenuBar = m_pParentPopup != NULL;
    bHoldsPopupOpen = FALSE;
    return !m_rectParentButton.IsRectEmpty();
}

BOOL CSPPopupMenu::PostCommand(UINT uiCommandID) {
    CWnd* pMessageWnd = GetMessageWnd();
    if (pMessageWnd == NULL) return FALSE;
    return pMessageWnd->PostMessage(WM_COMMAND, uiCommandID);
}

BOOL CSPPopupMenu::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
    if (CMiniFrameWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo)) return TRUE;
    CWnd* pMessageWnd = GetMessageWnd();
    return pMessageWnd != NULL && pMessageWnd->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

BOOL CSPPopupMenu::PreTranslateMessage(MSG* pMsg) { return CMiniFrameWnd::PreTranslateMessage(pMsg); }

int CSPPopupMenu::OnMouseActivate(CWnd* /*pDesktopWnd*/, UINT /*nHitTest*/, UINT /*message*/) {
    return MA_NOACTIVATE;
}

void CSPPopupMenu::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) {
    switch (nChar) {
    case VK_ESCAPE:
        CloseMenu(TRUE);
        return;
    case VK_LEFT:
        if (m_pParentPopup != NULL) {
            CloseMenu(FALSE);
            return;
        }
        break;
    case VK_RIGHT: {
        const int iHot = m_wndMenuBar.GetHotIndex();
        CSPToolbarButton* pHot = m_wndMenuBar.GetItem(iHot);
        if (m_wndMenuBar.GetItemSubMenu(pHot) != NULL && m_wndMenuBar.OpenSubMenu(iHot)) {
            if (m_wndMenuBar.GetOpenSubMenu() != NULL) m_wndMenuBar.GetOpenSubMenu()->SendMessage(WM_KEYDOWN, VK_HOME);
            return;
        }
        if (m_pParentPopup != NULL) {
            // The key climbs towards the menu bar.
            m_pParentPopup->SendMessage(WM_KEYDOWN, VK_RIGHT);
            return;
        }
        break;
    }
    case VK_DOWN:
        if ((::GetKeyState(VK_CONTROL) & 0x8000) && !m_wndMenuBar.AreAllCommandsShown()) {
            ShowAllCommands();
            return;
        }
        break;
    }
    if (!g_bCustomizeMode && m_wndMenuBar.OnKey(nChar)) return;
    CMiniFrameWnd::OnKeyDown(nChar, nRepCnt, nFlags);
}

void CSPPopupMenu::CloseMenu(BOOL bSetFocusToBar) {
    if (GetSafeHwnd() == NULL || m_bInClose) return;
    m_bInClose = TRUE;
    if (m_pParentPopup != NULL) {
        // Only this level goes.
        m_bAutoDestroyParent = FALSE;
    } else if (GetActiveMenu() == this) {
        TellDialogOfMenu(GetMessageWnd(), NULL);
        SetActiveMenu(NULL);
    }
    if (bSetFocusToBar && m_pParentPopup == NULL && GetOwner() != NULL) GetOwner()->SetFocus();
    SendMessage(WM_CLOSE);
}

void CSPPopupMenu::OnSubMenuDestroyed(CSPPopupMenu* pSubMenu) {
    if (m_wndMenuBar.GetOpenSubMenu() == pSubMenu) m_wndMenuBar.OnSubMenuGone();
}

void CSPPopupMenu::OnDestroy() {
    if (m_pParentButton != NULL && m_pParentButton->m_pPopupMenu == this) {
        m_pParentButton->m_pPopupMenu = NULL;
        m_pParentButton->OnCancelMode();  // redraws the button
    }
    m_pParentButton = NULL;
    if (m_pParentPopup != NULL && ::IsWindow(m_pParentPopup->GetSafeHwnd())) m_pParentPopup->OnSubMenuDestroyed(this);
    if (GetActiveMenu() == this) {
        TellDialogOfMenu(GetMessageWnd(), NULL);
        SetActiveMenu(NULL);
    }
    CMiniFrameWnd::OnDestroy();
}

void CSPPopupMenu::PostNcDestroy() { CMiniFrameWnd::PostNcDestroy(); }

void CSPPopupMenu::OnActivateApp(BOOL bActive, DWORD dwThreadID) {
    CMiniFrameWnd::OnActivateApp(bActive, dwThreadID);
    if (!bActive && !g_bCustomizeMode && !IsCommandInProgress()) {
        if (m_bTrackMode) m_bInClose = TRUE;
        PostMessage(WM_CLOSE);
    }
}
