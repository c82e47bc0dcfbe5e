// SPPopupMenu.cpp - the window of a library popup menu.
#include "SPPopupMenu.h"

#include "SPFrameImpl.h"
#include "SPFrameWnd.h"
#include "SPMDIFrameWnd.h"
#include "SPOleIPFrameWnd.h"
#include "SPDialog.h"
#include "SPDrawEffects.h"
#include "SPGlobalData.h"
#include "SPMenuBar.h"
#include "SPMenuImages.h"
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
static const UINT_PTR SP_TIMER_ANIMATION = 1;
static const UINT_PTR SP_TIMER_SCROLL = 2;
static const UINT SP_SCROLL_ELAPSE = 80;
static const UINT SP_ID_FILE_MRU_FIRST = 57616;

enum { SP_ANIM_NONE = 0, SP_ANIM_UNFOLD = 1, SP_ANIM_SLIDE = 2, SP_ANIM_FADE = 3 };

BEGIN_MESSAGE_MAP(CSPPopupMenu, CMiniFrameWnd)
    ON_WM_CREATE()
    ON_WM_SIZE()
    ON_WM_PAINT()
    ON_WM_MOUSEACTIVATE()
    ON_WM_DESTROY()
    ON_WM_KEYDOWN()
    ON_WM_ERASEBKGND()
    ON_WM_ACTIVATEAPP()
    ON_WM_TIMER()
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONDOWN()
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
      m_bShowAllCommands(FALSE),
      m_hwndParentBar(NULL),
      m_AnimSize(0, 0),
      m_bLeftAnchor(TRUE),
      m_bTopAnchor(TRUE),
      m_bAnimationDone(TRUE),
      m_iFadePercent(0),
      m_tLastAnimFrame(0),
      m_rectScrollUp(0, 0, 0, 0),
      m_rectScrollDn(0, 0, 0, 0),
      m_iScrollMode(0),
      m_iScrollBtnHeight(CSPToolBar::GetMenuImageSize().cy + 4),
      m_nVisibleBarHeight(0),
      m_bTearOffTracking(FALSE),
      m_bIsTearOffCaptionActive(FALSE),
      m_bRefusedByFrame(FALSE),
      m_bDestroying(FALSE),
      m_rectTearOffCaption(0, 0, 0, 0),
      m_iLogoWidth(0),
      m_nLogoLocation(SP_LOGO_LEFT) {
    // A blend needs more colours than a palette screen has.
    if (CSPToolBar::m_nMenuAnimation == SP_ANIM_FADE && spGlobalData.nBitsPerPixel <= 8)
        CSPToolBar::m_nMenuAnimation = SP_ANIM_NONE;
    m_bAnimationDone = CSPToolBar::m_nMenuAnimation == SP_ANIM_NONE;
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
    if (m_pParentButton != NULL && pWndParent != NULL && pWndParent->IsKindOf(RUNTIME_CLASS(CSPToolBar)))
        m_hwndParentBar = pWndParent->GetSafeHwnd();

    // A menu opened from an item of a popup belongs to that popup's chain.
    if (m_pParentPopup == NULL && pWndParent != NULL && pWndParent->IsKindOf(RUNTIME_CLASS(CSPPopupMenuBar)))
        m_pParentPopup = DYNAMIC_DOWNCAST(CSPPopupMenu, pWndParent->GetParent());
    if (m_pParentPopup == NULL) {
        // One menu at a time: a new top-level menu closes the chain shown.
        CSPPopupMenu* pActive = GetActiveMenu();
        while (pActive != NULL && pActive->m_pParentPopup != NULL && ::IsWindow(pActive->m_pParentPopup->GetSafeHwnd()))
            pActive = pActive->m_pParentPopup;
        if (pActive != NULL && pActive != this && ::IsWindow(pActive->GetSafeHwnd())) pActive->SendMessage(WM_CLOSE);
    }
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
    m_bAnimationDone = CSPToolBar::m_nMenuAnimation == SP_ANIM_NONE || g_bCustomizeMode;
    if (!CMiniFrameWnd::CreateEx(WS_EX_TOOLWINDOW, strClassName, _T(""), WS_POPUP, CRect(x, y, x, y), pOwner))
        return FALSE;
    m_wndMenuBar.SetLockedMode(bLocked);
    if (m_bRefusedByFrame) {
        // The frame did not let it show: it goes without ever appearing
        // (after the caller is done with it).
        PostMessage(WM_CLOSE);
        return TRUE;
    }
    if (!m_bAnimationDone) StartAnimation();
    CheckShadow();
    if (!m_bAnimationDone && CSPToolBar::m_nMenuAnimation == SP_ANIM_FADE && m_iShadowSize == 0)
        m_AnimSize = m_FinalSize;
    CaptureBehind();
    SetWindowPos(&wndTop, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    if (g_bCustomizeMode) m_wndMenuBar.RedrawWindow();
    return TRUE;
}

int CSPPopupMenu::InsertItem(const CSPToolbarMenuButton& button, int iInsertAt) {
    return m_wndMenuBar.InsertButtonCopy(button, iInsertAt);
}

CSPToolbarMenuButton* CSPPopupMenu::GetParentArrowButton() const {
    return DYNAMIC_DOWNCAST(CSPToolbarMenuButton, m_wndMenuBar.GetItem(m_wndMenuBar.GetHotIndex()));
}

void CSPPopupMenu::CloseAllChildren() {
    m_wndMenuBar.CloseSubMenu();
    for (int i = 0; i < m_wndMenuBar.GetCount(); i++) m_wndMenuBar.GetItem(i)->OnCancelMode();
}

void CSPPopupMenu::DrawFrameMenuLogo(CFrameWnd* pTopFrame, CDC* pDC, CSPPopupMenu* pPopup, const CRect& rectLogo) {
    if (pTopFrame == NULL) return;
    if (CSPMDIFrameWnd* pMDI = DYNAMIC_DOWNCAST(CSPMDIFrameWnd, pTopFrame))
        pMDI->OnDrawMenuLogo(pDC, pPopup, rectLogo);
    else if (CSPFrameWnd* pFrame = DYNAMIC_DOWNCAST(CSPFrameWnd, pTopFrame))
        pFrame->OnDrawMenuLogo(pDC, pPopup, rectLogo);
    else if (CSPOleIPFrameWnd* pInPlace = DYNAMIC_DOWNCAST(CSPOleIPFrameWnd, pTopFrame))
        pInPlace->OnDrawMenuLogo(pDC, pPopup, rectLogo);
}

void CSPPopupMenu::EnableMenuLogo(int iLogoSize, int nLocation) {
    m_iLogoWidth = iLogoSize > 0 ? iLogoSize : 0;
    m_nLogoLocation = nLocation >= SP_LOGO_LEFT && nLocation <= SP_LOGO_BOTTOM ? nLocation : SP_LOGO_LEFT;
    if (GetSafeHwnd() != NULL) RecalcLayout();
}

CRect CSPPopupMenu::GetLogoRect() const {
    if (m_iLogoWidth <= 0 || GetSafeHwnd() == NULL) return CRect(0, 0, 0, 0);
    CRect rect;
    GetClientRect(rect);
    if (!g_bCustomizeMode) {
        rect.right -= m_iShadowSize;
        rect.bottom -= m_iShadowSize;
    }
    rect.DeflateRect(2, 2);
    const int nBand = m_iLogoWidth + 2;
    switch (m_nLogoLocation) {
    case SP_LOGO_LEFT: rect.right = rect.left + nBand; break;
    case SP_LOGO_RIGHT: rect.left = rect.right - nBand; break;
    case SP_LOGO_TOP: rect.bottom = rect.top + nBand; break;
    default: rect.top = rect.bottom - nBand; break;
    }
    return rect;
}

void CSPPopupMenu::SetMaxWidth(int iMaxWidth) {
    m_iMaxWidth = iMaxWidth;
    m_wndMenuBar.SetMaxWidth(iMaxWidth);
    if (GetSafeHwnd() != NULL) RecalcLayout();
}

CSPToolBar* CSPPopupMenu::GetParentToolBar() const {
    if (m_hwndParentBar == NULL || !::IsWindow(m_hwndParentBar)) return NULL;
    return DYNAMIC_DOWNCAST(CSPToolBar, CWnd::FromHandlePermanent(m_hwndParentBar));
}

// Moves along the bar that opened the popup to its previous or next menu
// (this popup closes on the way) and puts the keys on the new menu's first
// item. FALSE when the popup was not opened from such a bar.
static BOOL StepAlongParentBar(CSPToolBar* pBar, BOOL bNext) {
    if (pBar == NULL || pBar->IsKindOf(RUNTIME_CLASS(CSPPopupMenuBar))) return FALSE;
    if (bNext)
        pBar->GetNextHotButton();
    else
        pBar->GetPrevHotButton();
    CSPToolbarMenuButton* pDropped = pBar->GetDroppedDownMenu();
    if (pDropped != NULL && pDropped->m_pPopupMenu != NULL && ::IsWindow(pDropped->m_pPopupMenu->GetSafeHwnd()))
        pDropped->m_pPopupMenu->SendMessage(WM_KEYDOWN, VK_HOME);
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
    // While the menu unfolds the popup paints the bar's picture itself.
    const DWORD dwStyle = WS_CHILD | (m_bAnimationDone ? WS_VISIBLE : 0) | CBRS_GRIPPER | CBRS_TOP | CBRS_BORDER_BOTTOM | CBRS_FLYBY |
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
        const BOOL bContextMenu = m_pParentPopup == NULL && m_rectParentButton.IsRectEmpty();
        const BOOL bShowAll = m_bShowAllCommands || bContextMenu;
        // A context menu shows the items the user customised, when he did.
        const BOOL bCustomised = bContextMenu && spTempStateStore.LoadState((UINT)(UINT_PTR)m_hMenu, &m_wndMenuBar);
        if (!bCustomised && !m_wndMenuBar.ImportFromMenu(m_hMenu, bShowAll)) return FALSE;
    }
    InsertRecentFiles();
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
    if (m_pParentPopup == NULL) TellDialogOfMenu(GetMessageWnd(), this);
    // The frame sees every popup of the chain before it shows: it may fill
    // it (the Window menu's documents) or refuse it.
    if (!ActivatePopupMenu(SPGetTopLevelFrame(this), this)) {
        m_bRefusedByFrame = TRUE;
        return FALSE;
    }
    RecalcLayout();
    return TRUE;
}

void CSPPopupMenu::ShowAllCommands() {
    if (GetSafeHwnd() == NULL) return;
    // A menu of a bar or of a menu item: its submenus, and the bar's other
    // menus, show all of theirs too until the bar lets go.
    if (m_pParentButton != NULL || m_pParentPopup != NULL) {
        m_wndMenuBar.ClearHot();
        CSPMenuBar::SetShowAllCommands(TRUE);
    }
    SPPlayMenuSound(SP_SOUND_MENU_POPUP);
    ShowWindow(SW_HIDE);
    m_bmpShadowRight.DeleteObject();
    m_bmpShadowBottom.DeleteObject();
    m_ptLocation = m_ptLocationInitial;
    if (m_hMenu != NULL) m_wndMenuBar.ImportFromMenu(m_hMenu, TRUE);
    InsertRecentFiles();
    RecalcLayout();
    CheckShadow();
    CaptureBehind();
    SetWindowPos(&wndTop, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
}

// ---------------------------------------------------------------------------
// Layout, shadow, painting

void CSPPopupMenu::RecalcLayout(BOOL /*bNotify*/) {
    // A popup of another kind holds a bar of its own.
    CSPPopupMenuBar* pBar = GetMenuBar();
    if (GetSafeHwnd() == NULL || pBar->GetSafeHwnd() == NULL || m_bInRecalcLayout) return;
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
    p.size = pBar->CalcSize(TRUE) + CSize(4, 4 + nCaption);
    if (m_nLogoLocation == SP_LOGO_LEFT || m_nLogoLocation == SP_LOGO_RIGHT)
        p.size.cx += m_iLogoWidth;
    else
        p.size.cy += m_iLogoWidth;
    p.bSubMenu = m_pParentPopup != NULL;
    if (m_pParentPopup != NULL) m_pParentPopup->GetWindowRect(p.rectParentPopup);
    p.bButtonOnBar = m_bParentButtonOnBar;
    p.rectButton = m_rectParentButton;
    p.nRowHeight = pBar->GetRowHeight();
    const CPoint ptAsked = p.pt;
    SPFitPopupMenu(p);
    // A menu pushed back from an edge unfolds from that edge.
    if (p.pt.x < ptAsked.x && CSPToolBar::m_nMenuAnimation == SP_ANIM_UNFOLD) m_bLeftAnchor = FALSE;
    if (p.pt.y < ptAsked.y) m_bTopAnchor = FALSE;

    m_ptLocation = p.pt;
    m_FinalSize = p.size;
    m_iDropDirection = p.nDropDirection;
    m_bScrollable = p.bScrollable;
    const int nShadow = g_bCustomizeMode ? 0 : m_iShadowSize;
    SetWindowPos(NULL, p.pt.x, p.pt.y, p.size.cx + nShadow, p.size.cy + nShadow, SWP_NOZORDER | SWP_NOACTIVATE);
    m_rectTearOffCaption = nCaption > 0 ? CRect(2, 2, p.size.cx - 2, 2 + nCaption) : CRect(0, 0, 0, 0);
    UpdateTearOffToolTip();
    UpdateScrollButtons(TRUE);
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

void CSPPopupMenu::CaptureBehind() {
    m_bmpBehind.DeleteObject();
    if (m_iShadowSize <= 0 || g_bCustomizeMode || GetSafeHwnd() == NULL) return;
    CRect rectWindow;
    GetWindowRect(rectWindow);
    CWindowDC dcScreen(NULL);
    CDC dcMem;
    if (rectWindow.IsRectEmpty() || !dcMem.CreateCompatibleDC(&dcScreen) ||
        !m_bmpBehind.CreateCompatibleBitmap(&dcScreen, rectWindow.Width(), rectWindow.Height()))
        return;
    CBitmap* pOld = dcMem.SelectObject(&m_bmpBehind);
    dcMem.BitBlt(0, 0, rectWindow.Width(), rectWindow.Height(), &dcScreen, rectWindow.left, rectWindow.top, SRCCOPY);
    dcMem.SelectObject(pOld);
}

void CSPPopupMenu::OnSize(UINT nType, int cx, int cy) {
    CWnd::OnSize(nType, cx, cy);
    if (GetMenuBar()->GetSafeHwnd() != NULL) UpdateScrollButtons(TRUE);
}

void CSPPopupMenu::OnPaint() {
    CPaintDC dc(this);
    if (!m_bAnimationDone && !g_bCustomizeMode)
        DrawAnimationFrame(&dc);
    else
        DrawFrameParts(&dc);
}

void CSPPopupMenu::DrawFrameParts(CDC* pDC) {
    CRect rectClient;
    GetClientRect(rectClient);
    const int nShadow = g_bCustomizeMode ? 0 : m_iShadowSize;
    CRect rectMenu = rectClient;
    rectMenu.right -= nShadow;
    rectMenu.bottom -= nShadow;
    if (nShadow > 0) {
        // The strips are made once, from what lay behind them.
        if (m_bmpShadowRight.GetSafeHandle() == NULL && m_bmpBehind.GetSafeHandle() != NULL) {
            CDC dcBehind;
            if (dcBehind.CreateCompatibleDC(pDC)) {
                CBitmap* pOld = dcBehind.SelectObject(&m_bmpBehind);
                pDC->BitBlt(rectMenu.right, rectClient.top, nShadow, rectClient.Height(), &dcBehind, rectMenu.right,
                            rectClient.top, SRCCOPY);
                pDC->BitBlt(rectClient.left, rectMenu.bottom, rectClient.Width(), nShadow, &dcBehind,
                            rectClient.left, rectMenu.bottom, SRCCOPY);
                dcBehind.SelectObject(pOld);
            }
        }
        CSPDrawEffects effects(*pDC);
        effects.DrawStateEffect(rectMenu, nShadow, 100, 65, &m_bmpShadowRight, &m_bmpShadowBottom);
    }
    CSPVisualManager::GetInstance()->OnDrawMenuBorder(pDC, this, rectMenu);
    const CRect rectLogo = GetLogoRect();
    if (!rectLogo.IsRectEmpty()) DrawFrameMenuLogo(SPGetTopLevelFrame(this), pDC, this, rectLogo);
    if (!m_rectTearOffCaption.IsRectEmpty())
        CSPVisualManager::GetInstance()->OnDrawTearOffCaption(pDC, m_rectTearOffCaption, m_bIsTearOffCaptionActive);

    const struct {
        const CRect& rect;
        int iGlyph;
        int iMode;
    } buttons[] = {{m_rectScrollUp, CSPMenuImages::IdArowUp, -1}, {m_rectScrollDn, CSPMenuImages::IdArowDown, 1}};
    for (const auto& b : buttons) {
        if (b.rect.IsRectEmpty()) continue;
        CRect rectFill = b.rect;
        rectFill.top -= 2;
        pDC->FillSolidRect(rectFill, spGlobalData.clrBtnFace);
        const CSize sizeGlyph = CSPMenuImages::Size();
        CSPMenuImages::Draw(pDC, b.iGlyph,
                            CPoint(b.rect.left + (b.rect.Width() - sizeGlyph.cx) / 2,
                                   b.rect.top + (b.rect.Height() - sizeGlyph.cy) / 2));
        if (m_iScrollMode == b.iMode) pDC->Draw3dRect(b.rect, spGlobalData.clrBtnHilite, spGlobalData.clrBtnShadow);
    }
}

// ---------------------------------------------------------------------------
// Animation

// Mixes the frame (the screen behind) with the menu: nPercent of the menu.
static void BlendFrame(CDC& dcFrame, CDC& dcMenu, CSize size, int nPercent) {
    BITMAPINFO bmi = {};
    bmi.bmiHeader.biSize = sizeof(bmi.bmiHeader);
    bmi.bmiHeader.biWidth = size.cx;
    bmi.bmiHeader.biHeight = -size.cy;
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    bmi.bmiHeader.biCompression = BI_RGB;
    void* pvBits = NULL;
    HBITMAP hDib = ::CreateDIBSection(dcFrame.GetSafeHdc(), &bmi, DIB_RGB_COLORS, &pvBits, NULL, 0);
    void* pvMenu = NULL;
    HBITMAP hDibMenu = ::CreateDIBSection(dcMenu.GetSafeHdc(), &bmi, DIB_RGB_COLORS, &pvMenu, NULL, 0);
    if (hDib != NULL && hDibMenu != NULL) {
        CDC dc;
        dc.CreateCompatibleDC(&dcFrame);
        HGDIOBJ hOld = ::SelectObject(dc.GetSafeHdc(), hDibMenu);
        dc.BitBlt(0, 0, size.cx, size.cy, &dcMenu, 0, 0, SRCCOPY);
        ::SelectObject(dc.GetSafeHdc(), hDib);
        dc.BitBlt(0, 0, size.cx, size.cy, &dcFrame, 0, 0, SRCCOPY);
        ::GdiFlush();
        BYTE* pScreen = (BYTE*)pvBits;
        const BYTE* pMenu = (const BYTE*)pvMenu;
        const size_t nBytes = (size_t)size.cx * size.cy * 4;
        for (size_t i = 0; i < nBytes; i++)
            pScreen[i] = (BYTE)((pScreen[i] * (100 - nPercent) + pMenu[i] * nPercent) / 100);
        dcFrame.BitBlt(0, 0, size.cx, size.cy, &dc, 0, 0, SRCCOPY);
        ::SelectObject(dc.GetSafeHdc(), hOld);
    }
    if (hDib != NULL) ::DeleteObject(hDib);
    if (hDibMenu != NULL) ::DeleteObject(hDibMenu);
}

void CSPPopupMenu::StartAnimation() {
    const int nShadow = m_iShadowSize;
    m_AnimSize = m_FinalSize + CSize(nShadow, nShadow);
    if (CSPToolBar::m_nMenuAnimation == SP_ANIM_UNFOLD) m_AnimSize.cx = GetMenuBar()->GetColumnWidth();
    if (CSPToolBar::m_nMenuAnimation != SP_ANIM_FADE) m_AnimSize.cy = GetMenuBar()->GetRowHeight();
    m_iFadePercent = 0;

    // What lies behind the popup shows through the parts not yet revealed.
    CRect rectWindow;
    GetWindowRect(rectWindow);
    CWindowDC dcScreen(NULL);
    CDC dcMem;
    if (dcMem.CreateCompatibleDC(&dcScreen) &&
        m_bmpScreen.CreateCompatibleBitmap(&dcScreen, rectWindow.Width(), rectWindow.Height())) {
        CBitmap* pOld = dcMem.SelectObject(&m_bmpScreen);
        dcMem.BitBlt(0, 0, rectWindow.Width(), rectWindow.Height(), &dcScreen, rectWindow.left, rectWindow.top,
                     SRCCOPY);
        dcMem.SelectObject(pOld);
    }
    SetTimer(SP_TIMER_ANIMATION, s_uiAnimSpeed, NULL);
    m_tLastAnimFrame = clock();
}

void CSPPopupMenu::OnAnimationTick() {
    if (m_bAnimationDone) return;
    const clock_t tNow = clock();
    const double dMs = (double)(tNow - m_tLastAnimFrame) * 1000.0 / CLOCKS_PER_SEC;
    // A late timer catches up; a tick never stands still.
    const int nSteps = max(1, (int)(dMs / s_uiAnimSpeed + 0.5));
    const int nShadow = g_bCustomizeMode ? 0 : m_iShadowSize;
    BOOL bDone = FALSE;
    switch (CSPToolBar::m_nMenuAnimation) {
    case SP_ANIM_UNFOLD:
        m_AnimSize.cx += GetMenuBar()->GetColumnWidth() * nSteps;
        bDone = m_AnimSize.cx - nShadow >= m_FinalSize.cx;
        // fall through
    case SP_ANIM_SLIDE:
        m_AnimSize.cy += GetMenuBar()->GetRowHeight() * nSteps;
        bDone = bDone || m_AnimSize.cy - nShadow >= m_FinalSize.cy;
        break;
    case SP_ANIM_FADE:
        m_iFadePercent += 10 * nSteps;
        bDone = m_iFadePercent > 100;
        break;
    default: bDone = TRUE;
    }
    if (bDone) {
        m_AnimSize = m_FinalSize + CSize(nShadow, nShadow);
        KillTimer(SP_TIMER_ANIMATION);
        m_bAnimationDone = TRUE;
        m_bmpMenu.DeleteObject();
        m_bmpScreen.DeleteObject();
        if (GetMenuBar()->GetSafeHwnd() != NULL)
            GetMenuBar()->SetWindowPos(NULL, 0, 0, 0, 0,
                                  SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    }
    Invalidate();
    UpdateWindow();
    m_tLastAnimFrame = tNow;
}

void CSPPopupMenu::DrawAnimationFrame(CDC* pDC) {
    CRect rectClient;
    GetClientRect(rectClient);
    const CSize size = rectClient.Size();
    CDC dcMenu, dcFrame;
    CBitmap bmpFrame;
    if (size.cx <= 0 || size.cy <= 0 || !dcMenu.CreateCompatibleDC(pDC) || !dcFrame.CreateCompatibleDC(pDC) ||
        !bmpFrame.CreateCompatibleBitmap(pDC, size.cx, size.cy))
        return;
    CBitmap* pOldFrame = dcFrame.SelectObject(&bmpFrame);
    // The screen behind first, then the finished menu over it once.
    if (m_bmpScreen.GetSafeHandle() != NULL) {
        CBitmap* pOld = dcMenu.SelectObject(&m_bmpScreen);
        dcFrame.BitBlt(0, 0, size.cx, size.cy, &dcMenu, 0, 0, SRCCOPY);
        dcMenu.SelectObject(pOld);
    } else {
        dcFrame.FillSolidRect(rectClient, spGlobalData.clrBtnFace);
    }
    if (m_bmpMenu.GetSafeHandle() == NULL) {
        if (!m_bmpMenu.CreateCompatibleBitmap(pDC, size.cx, size.cy)) {
            dcFrame.SelectObject(pOldFrame);
            return;
        }
        CBitmap* pOld = dcMenu.SelectObject(&m_bmpMenu);
        dcMenu.BitBlt(0, 0, size.cx, size.cy, &dcFrame, 0, 0, SRCCOPY);
        DrawFrameParts(&dcMenu);
        CSPPopupMenuBar* pBar = GetMenuBar();
        if (pBar->GetSafeHwnd() != NULL) {
            CRect rectBar;
            pBar->GetWindowRect(rectBar);
            ScreenToClient(rectBar);
            const CPoint ptOldOrg = dcMenu.SetViewportOrg(rectBar.TopLeft());
            pBar->DoPaint(&dcMenu);
            dcMenu.SetViewportOrg(ptOldOrg);
        }
        dcMenu.SelectObject(pOld);
    }
    CBitmap* pOldMenu = dcMenu.SelectObject(&m_bmpMenu);
    if (CSPToolBar::m_nMenuAnimation == SP_ANIM_FADE) {
        BlendFrame(dcFrame, dcMenu, size, min(m_iFadePercent, 100));
    } else {
        const CSize sizeShown(min(m_AnimSize.cx, (LONG)size.cx), min(m_AnimSize.cy, (LONG)size.cy));
        const int xSrc = m_bLeftAnchor ? 0 : size.cx - sizeShown.cx;
        const int ySrc = m_bTopAnchor ? 0 : size.cy - sizeShown.cy;
        dcFrame.BitBlt(0, 0, sizeShown.cx, sizeShown.cy, &dcMenu, xSrc, ySrc, SRCCOPY);
    }
    dcMenu.SelectObject(pOldMenu);
    pDC->BitBlt(0, 0, size.cx, size.cy, &dcFrame, 0, 0, SRCCOPY);
    dcFrame.SelectObject(pOldFrame);
}

// ---------------------------------------------------------------------------
// Scrolling

void CSPPopupMenu::UpdateScrollButtons(BOOL bForce) {
    if (GetMenuBar()->GetSafeHwnd() == NULL) return;
    CRect rect;
    GetClientRect(rect);
    if (!g_bCustomizeMode) {
        rect.right -= m_iShadowSize;
        rect.bottom -= m_iShadowSize;
    }
    rect.DeflateRect(2, 2);
    rect.top += m_rectTearOffCaption.Height();
    if (m_iLogoWidth > 0) {
        switch (m_nLogoLocation) {
        case SP_LOGO_LEFT: rect.left += m_iLogoWidth; break;
        case SP_LOGO_RIGHT: rect.right -= m_iLogoWidth; break;
        case SP_LOGO_TOP: rect.top += m_iLogoWidth; break;
        default: rect.bottom -= m_iLogoWidth; break;
        }
    }
    CRect rectBar = rect;
    CRect rectUp(0, 0, 0, 0), rectDn(0, 0, 0, 0);
    if (m_bScrollable) {
        if (GetMenuBar()->GetOffset() > 0) {
            rectUp.SetRect(rect.left, rect.top, rect.right, rect.top + m_iScrollBtnHeight);
            rectBar.top += m_iScrollBtnHeight + 2;
        }
        CSPToolbarButton* pLast = GetMenuBar()->GetItem(GetMenuBar()->GetCount() - 1);
        if (pLast != NULL && pLast->Rect().bottom > rectBar.Height()) {
            rectDn.SetRect(rect.left, rect.bottom - m_iScrollBtnHeight, rect.right, rect.bottom);
            rectBar.bottom -= m_iScrollBtnHeight + 2;
        }
    } else {
        if (m_iScrollMode != 0) KillTimer(SP_TIMER_SCROLL);
        m_iScrollMode = 0;
        GetMenuBar()->SetOffset(0);
    }
    const BOOL bChanged = rectUp != m_rectScrollUp || rectDn != m_rectScrollDn;
    if (rectUp != m_rectScrollUp) {
        InvalidateRect(m_rectScrollUp);
        InvalidateRect(rectUp);
    }
    if (rectDn != m_rectScrollDn) {
        InvalidateRect(m_rectScrollDn);
        InvalidateRect(rectDn);
    }
    m_rectScrollUp = rectUp;
    m_rectScrollDn = rectDn;
    if (bForce || bChanged) {
        GetMenuBar()->SetWindowPos(NULL, rectBar.left, rectBar.top, rectBar.Width(), rectBar.Height(),
                                  SWP_NOZORDER | SWP_NOACTIVATE | (m_bAnimationDone ? 0 : SWP_NOREDRAW));
        m_nVisibleBarHeight = rectBar.Height();
        GetMenuBar()->AdjustLocations();
    } else {
        GetMenuBar()->AdjustLayout();
    }
}

int CSPPopupMenu::GetMaxFirstRow() const {
    CSPPopupMenuBar* pBar = const_cast<CSPPopupMenu*>(this)->GetMenuBar();
    const int nRow = pBar->GetRowHeight();
    CSPToolbarButton* pLast = pBar->GetItem(pBar->GetCount() - 1);
    if (!m_bScrollable || nRow <= 0 || pLast == NULL) return 0;
    // Scrolled to the end only the up button is shown.
    const int cyContent = pLast->Rect().bottom + nRow * pBar->GetOffset();
    const int cyArea = m_FinalSize.cy - 4 - (m_iScrollBtnHeight + 2);
    return max(0, (cyContent - cyArea + nRow - 1) / nRow);
}

void CSPPopupMenu::ScrollTo(int iFirstRow) {
    iFirstRow = max(0, min(iFirstRow, GetMaxFirstRow()));
    if (iFirstRow == GetMenuBar()->GetOffset()) return;
    GetMenuBar()->SetOffset(iFirstRow);
    GetMenuBar()->AdjustLocations();
    GetMenuBar()->Invalidate();
    UpdateScrollButtons(FALSE);
}

void CSPPopupMenu::ScrollHotIntoView() {
    CSPToolbarButton* pHot = GetMenuBar()->GetItem(GetMenuBar()->GetHotIndex());
    const int nRow = GetMenuBar()->GetRowHeight();
    if (pHot == NULL || nRow <= 0) return;
    CRect rectBar;
    GetMenuBar()->GetClientRect(rectBar);
    const CRect rectItem = pHot->Rect();
    int nDelta = 0;
    if (rectItem.top < rectBar.top)
        nDelta = (rectItem.top - rectBar.top) / nRow - 1;
    else if (rectItem.bottom > rectBar.bottom)
        nDelta = (rectItem.bottom - rectBar.bottom) / nRow + 1;
    if (nDelta != 0) ScrollTo(GetMenuBar()->GetOffset() + nDelta);
}

// Resting on a scroll button scrolls until the pointer leaves it.
void CSPPopupMenu::TrackScrollButtons(CPoint point) {
    if (m_iScrollMode != 0) return;
    if (m_rectScrollUp.PtInRect(point)) {
        m_iScrollMode = -1;
        InvalidateRect(m_rectScrollUp);
    } else if (m_rectScrollDn.PtInRect(point)) {
        m_iScrollMode = 1;
        InvalidateRect(m_rectScrollDn);
    } else {
        return;
    }
    SetTimer(SP_TIMER_SCROLL, SP_SCROLL_ELAPSE, NULL);
}

void CSPPopupMenu::OnTimer(UINT_PTR nIDEvent) {
    if (nIDEvent == SP_TIMER_ANIMATION) {
        OnAnimationTick();
        return;
    }
    if (nIDEvent != SP_TIMER_SCROLL) {
        CMiniFrameWnd::OnTimer(nIDEvent);
        return;
    }
    // Items move under an open submenu: it goes.
    m_wndMenuBar.CloseSubMenu();
    CPoint pt;
    ::GetCursorPos(&pt);
    ScreenToClient(&pt);
    const CRect rectButton = m_iScrollMode < 0 ? m_rectScrollUp : m_rectScrollDn;
    if (m_iScrollMode != 0 && rectButton.PtInRect(pt)) {
        ScrollTo(m_wndMenuBar.GetOffset() + m_iScrollMode);
        return;
    }
    KillTimer(SP_TIMER_SCROLL);
    m_iScrollMode = 0;
    InvalidateRect(m_rectScrollUp);
    InvalidateRect(m_rectScrollDn);
}

// ---------------------------------------------------------------------------
// Recent files

void CSPPopupMenu::InsertRecentFiles() {
    CWinApp* pApp = AfxGetApp();
    if (g_bCustomizeMode || pApp == NULL || pApp->m_pRecentFileList == NULL) return;
    int iPlace = -1;
    for (int i = 0; i < m_wndMenuBar.GetCount() && iPlace < 0; i++) {
        CSPToolbarButton* pItem = m_wndMenuBar.GetItem(i);
        if (pItem->m_nID == SP_ID_FILE_MRU_FIRST && pItem->m_strText == _T("Recent File")) iPlace = i;
    }
    if (iPlace < 0) return;

    CRecentFileList& list = *pApp->m_pRecentFileList;
    TCHAR szCurDir[_MAX_PATH + 2] = {0};
    ::GetCurrentDirectory(_MAX_PATH, szCurDir);
    lstrcat(szCurDir, _T("\\"));
    int nAdded = 0;
    for (int i = 0; i < list.GetSize(); i++) {
        CString strName;
        if (!list.GetDisplayName(strName, i, szCurDir, lstrlen(szCurDir)) || strName.IsEmpty()) continue;
        // A file name is shown as it is: its '&' is no mnemonic.
        strName.Replace(_T("&"), _T("&&"));
        CString strText;
        strText.Format(_T("&%d %s"), nAdded + 1, (LPCTSTR)strName);
        CSPToolbarMenuButton item(SP_ID_FILE_MRU_FIRST + i, NULL, -1, strText);
        item.m_bText = TRUE;
        item.m_bImage = FALSE;
        m_wndMenuBar.InsertButtonCopy(item, iPlace + 1 + nAdded);
        nAdded++;
    }
    // The placeholder goes last: with an empty list the removal takes the
    // separator after it along, leaving no empty group.
    m_wndMenuBar.RemoveButton(iPlace);
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
    // The strips' places show the windows behind now (the rest is the popup).
    {
        CWindowDC dcScreen(NULL);
        CDC dcMem;
        m_bmpBehind.DeleteObject();
        if (dcMem.CreateCompatibleDC(&dcScreen) &&
            m_bmpBehind.CreateCompatibleBitmap(&dcScreen, rectWindow.Width(), rectWindow.Height())) {
            CBitmap* pOld = dcMem.SelectObject(&m_bmpBehind);
            dcMem.BitBlt(0, 0, rectWindow.Width(), rectWindow.Height(), &dcScreen, rectWindow.left, rectWindow.top,
                         SRCCOPY);
            dcMem.SelectObject(pOld);
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
    if (GetLogoRect().PtInRect(pt)) return 3;
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

BOOL CSPPopupMenu::PreTranslateMessage(MSG* pMsg) {
    if (m_wndTearOffToolTip.GetSafeHwnd() != NULL && pMsg->message >= WM_MOUSEFIRST && pMsg->message <= WM_MOUSELAST)
        m_wndTearOffToolTip.RelayEvent(pMsg);
    return CMiniFrameWnd::PreTranslateMessage(pMsg);
}

int CSPPopupMenu::OnMouseActivate(CWnd* /*pDesktopWnd*/, UINT /*nHitTest*/, UINT /*message*/) {
    return MA_NOACTIVATE;
}

void CSPPopupMenu::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) {
    switch (nChar) {
    case VK_ESCAPE:
        CloseMenu(TRUE);
        return;
    case VK_LEFT:
        if (StepAlongParentBar(GetParentToolBar(), FALSE)) return;
        if (m_pParentPopup != NULL) {
            CloseMenu(FALSE);
            return;
        }
        break;
    case VK_RIGHT: {
        const int iHot = m_wndMenuBar.GetHotIndex();
        CSPToolbarButton* pHot = m_wndMenuBar.GetItem(iHot);
        // (an open submenu passes the key on: it climbs towards the bar)
        if (m_wndMenuBar.GetItemSubMenu(pHot) != NULL && m_wndMenuBar.GetOpenSubMenuIndex() != iHot &&
            m_wndMenuBar.OpenSubMenu(iHot)) {
            if (m_wndMenuBar.GetOpenSubMenu() != NULL) m_wndMenuBar.GetOpenSubMenu()->SendMessage(WM_KEYDOWN, VK_HOME);
            return;
        }
        if (StepAlongParentBar(GetParentToolBar(), TRUE)) return;
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
    if (!g_bCustomizeMode && GetMenuBar()->OnKey(nChar)) {
        if (m_bScrollable && (nChar == VK_HOME || nChar == VK_END || nChar == VK_UP || nChar == VK_DOWN))
            ScrollHotIntoView();
        return;
    }
    CMiniFrameWnd::OnKeyDown(nChar, nRepCnt, nFlags);
}

void CSPPopupMenu::SaveItemsToParentButton() {
    if (!g_bCustomizeMode || m_wndMenuBar.GetSafeHwnd() == NULL || GetMenuBar() != &m_wndMenuBar) return;
    // The popup closes: an item being dragged out of it is gone from what
    // goes back.
    m_wndMenuBar.RemoveDraggedItem();
    CSPToolbarMenuButton* pButton = m_pParentButton;
    CSPPopupMenuBar* pParentBar = NULL;
    if (pButton == NULL && m_pParentPopup != NULL && ::IsWindow(m_pParentPopup->GetSafeHwnd())) {
        pParentBar = m_pParentPopup->GetMenuBar();
        if (pParentBar->GetOpenSubMenu() == this)
            pButton = DYNAMIC_DOWNCAST(CSPToolbarMenuButton, pParentBar->GetItem(pParentBar->GetOpenSubMenuIndex()));
    }
    if (pButton == NULL) return;
    HMENU hMenu = m_wndMenuBar.ExportToMenu();
    if (hMenu == NULL) return;
    pButton->CreateFromMenu(hMenu);
    ::DestroyMenu(hMenu);
    if (pParentBar != NULL) pParentBar->ForgetItemSubMenu(pButton);
}

void CSPPopupMenu::SaveItemsToParents() {
    // The open submenus below first, innermost first, while they still know
    // their items ...
    CSPPopupMenu* pInnermost = this;
    while (pInnermost->m_wndMenuBar.GetOpenSubMenu() != NULL &&
           ::IsWindow(pInnermost->m_wndMenuBar.GetOpenSubMenu()->GetSafeHwnd()))
        pInnermost = pInnermost->m_wndMenuBar.GetOpenSubMenu();
    for (CSPPopupMenu* pMenu = pInnermost; pMenu != this; pMenu = pMenu->m_pParentPopup) pMenu->SaveItemsToParentButton();
    // ... then this popup and those above it.
    for (CSPPopupMenu* pMenu = this; pMenu != NULL && ::IsWindow(pMenu->GetSafeHwnd()); pMenu = pMenu->m_pParentPopup)
        pMenu->SaveItemsToParentButton();
}

void CSPPopupMenu::CloseMenu(BOOL bSetFocusToBar) {
    if (GetSafeHwnd() == NULL || m_bInClose) return;
    m_bInClose = TRUE;
    SaveItemsToParents();
    if (m_pParentPopup != NULL) {
        // Only this level goes; the keys go back to the popup above.
        m_bAutoDestroyParent = FALSE;
        if (GetActiveMenu() == this && ::IsWindow(m_pParentPopup->GetSafeHwnd())) SetActiveMenu(m_pParentPopup);
    } else if (GetActiveMenu() == this) {
        TellDialogOfMenu(GetMessageWnd(), NULL);
        ActivatePopupMenu(SPGetTopLevelFrame(this), NULL);
    }
    if (bSetFocusToBar && m_pParentPopup == NULL) {
        // The keys go on where the menu came from: its bar, else the owner.
        CWnd* pFocus = GetParentToolBar();
        if (pFocus == NULL) pFocus = GetOwner();
        if (pFocus != NULL) pFocus->SetFocus();
    }
    SendMessage(WM_CLOSE);
}

void CSPPopupMenu::OnSubMenuDestroyed(CSPPopupMenu* pSubMenu) {
    if (m_wndMenuBar.GetOpenSubMenu() == pSubMenu) m_wndMenuBar.OnSubMenuGone();
}

void CSPPopupMenu::OnDestroy() {
    m_bDestroying = TRUE;
    m_wndMenuBar.RemoveDraggedItem();
    if (g_bCustomizeMode) SaveItemsToParents();
    if (m_pParentButton != NULL && m_pParentButton->m_pPopupMenu == this) {
        m_pParentButton->m_pPopupMenu = NULL;
        m_pParentButton->OnCancelMode();  // redraws the button
    }
    m_pParentButton = NULL;
    if (m_pParentPopup != NULL && ::IsWindow(m_pParentPopup->GetSafeHwnd())) m_pParentPopup->OnSubMenuDestroyed(this);
    // A context menu takes the switch along; a bar's menus leave it to the bar.
    if (m_pParentPopup == NULL && m_rectParentButton.IsRectEmpty()) CSPMenuBar::SetShowAllCommands(FALSE);
    if (GetActiveMenu() == this) {
        if (m_pParentPopup != NULL && ::IsWindow(m_pParentPopup->GetSafeHwnd()) && !m_pParentPopup->m_bDestroying) {
            // A submenu that goes gives the keys back to its parent.
            SetActiveMenu(m_pParentPopup);
        } else {
            TellDialogOfMenu(GetMessageWnd(), NULL);
        }
    }
    OnFrameClosePopupMenu(SPGetTopLevelFrame(this), this);
    // The last menu gone without a command: the bar that opened it lets go
    // of its hot button, unless the keys are still on it.
    CSPToolBar* pParentBar = m_pParentPopup == NULL ? GetParentToolBar() : NULL;
    if (!g_bCustomizeMode && GetActiveMenu() == NULL && pParentBar != NULL &&
        ::GetFocus() != pParentBar->GetSafeHwnd())
        pParentBar->Deactivate();
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
