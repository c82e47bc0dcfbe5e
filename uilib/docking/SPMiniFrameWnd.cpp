#include "SPMiniFrameWnd.h"

#include <algorithm>

#include "SPBaseControlBar.h"
#include "SPCaptionButton.h"
#include "SPControlBar.h"
#include "SPDockBar.h"
#include "SPDockManager.h"
#include "SPDockingUtils.h"
#include "SPFrameImpl.h"
#include "SPGlobalData.h"
#include "SPPopupMenu.h"
#include "SPTabbedToolbar.h"
#include "SPToolBar.h"
#include "SPToolbarState.h"
#include "SPVisualManager.h"

IMPLEMENT_SERIAL(CSPMiniFrameWnd, CWnd, VERSIONABLE_SCHEMA | 2)

CMap<UINT, UINT, HWND, HWND> CSPMiniFrameWnd::s_mapBarsById(10);
CList<HWND, HWND>& CSPMiniFrameWnd::s_lstMiniFrames = SPMiniFrameList::Windows();
UINT CSPMiniFrameWnd::s_nRollUpDelay = 250;
CFrameWnd* CSPMiniFrameWnd::s_pParentWndForSerialize = NULL;
const UINT CSPMiniFrameWnd::m_nCheckEmptyMessage = ::RegisterWindowMessage(_T("SPMSG_CHECKEMPTYMINIFRAME"));

static const int nCaptionButtonSpacing = 4;
// How often the frame asks again, while its drag rests, whether the bar
// docks where it is.
static const UINT nDockTimerInterval = 50;

BEGIN_MESSAGE_MAP(CSPMiniFrameWnd, CWnd)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_WM_NCDESTROY()
    ON_WM_NCCALCSIZE()
    ON_WM_NCPAINT()
    ON_WM_NCHITTEST()
    ON_WM_SETCURSOR()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_MOUSEMOVE()
    ON_WM_NCMOUSEMOVE()
    ON_WM_CHAR()
    ON_WM_CANCELMODE()
    ON_WM_TIMER()
    ON_WM_MOVING()
    ON_WM_SIZING()
    ON_WM_SIZE()
    ON_WM_GETMINMAXINFO()
    ON_WM_WINDOWPOSCHANGING()
    ON_WM_MOUSEACTIVATE()
    ON_WM_NCACTIVATE()
    ON_WM_NCCREATE()
    ON_MESSAGE(WM_FLOATSTATUS, OnFloatStatus)
    ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdateCmdUI)
    ON_WM_CONTEXTMENU()
    ON_WM_CLOSE()
    ON_WM_ERASEBKGND()
    ON_WM_SETFOCUS()
    ON_WM_EXITSIZEMOVE()
    ON_REGISTERED_MESSAGE(m_nCheckEmptyMessage, OnCheckEmptyMiniFrame)
END_MESSAGE_MAP()

CSPMiniFrameWnd::CSPMiniFrameWnd()
    : m_bSkipNextMove(FALSE),
      m_bActive(FALSE),
      m_nCaptionHeight(::GetSystemMetrics(SM_CYSMCAPTION)),
      m_lstCaptionButtons(10),
      m_dwCaptionButtons(0),
      m_pDockTarget(NULL),
      m_hEmbeddedBar(NULL),
      m_bCaptured(FALSE),
      m_nDockState(0),
      m_nPressedButton(0),
      m_nHotButton(0),
      m_nDockTimer(0),
      m_nRollUpTimer(0),
      m_bRolledUp(FALSE),
      m_nFullHeight(0),
      m_bPinned(FALSE),
      m_bHideWhenEmpty(FALSE),
      m_hwndOwnerFrame(NULL),
      m_hwndDragOutline(NULL),
      m_hwndRefocus(NULL),
      m_nLoadedBarId(0),
      m_rectRecentFloatingRect(0, 0, 100, 100),
      m_bAutoDelete(FALSE) {
    m_sizeMinTrack = CSize(m_nCaptionHeight + 15, m_nCaptionHeight + 15);
    m_rectRedraw.SetRectEmpty();
}

CSPMiniFrameWnd::~CSPMiniFrameWnd() {
    while (!m_lstCaptionButtons.IsEmpty()) delete (CSPCaptionButton*)m_lstCaptionButtons.RemoveHead();
}

// --- creation --------------------------------------------------------------------------

CString CSPMiniFrameWnd::GetWindowClassName() { return CSPBaseControlBar::RegisterBarClass(_T("SMiniWrame")); }

BOOL CSPMiniFrameWnd::PreCreateWindow(CREATESTRUCT& cs) {
    cs.style |= MFS_SYNCACTIVE;
    return CWnd::PreCreateWindow(cs);
}

BOOL CSPMiniFrameWnd::Create(LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd,
                             CCreateContext* pContext) {
    return CreateEx(0, lpszWindowName, dwStyle, rect, pParentWnd, pContext);
}

BOOL CSPMiniFrameWnd::CreateEx(DWORD dwStyleEx, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                               CWnd* pParentWnd, CCreateContext* pContext) {
    // The parent is checked before any window exists: a frame that cannot
    // register anywhere is never created. It is refused as by
    // CWnd::CreateEx; not deleting itself yet, it stays the caller's.
    CSPDockManager* pDockManager = NULL;
    if (pParentWnd != NULL) {
        pDockManager = pParentWnd->IsFrameWnd() ? CSPDockingUtils::GetDockManager(pParentWnd) : NULL;
        if (pDockManager == NULL) {
            PostNcDestroy();
            return FALSE;
        }
    }
    const CString strClassName = GetWindowClassName();
    m_hwndOwnerFrame = pParentWnd != NULL ? pParentWnd->GetSafeHwnd() : NULL;
    // A floating frame is a popup: WS_CHILD would make it a child window of
    // the frame and hide it behind the frame's own children.
    dwStyle = (dwStyle & ~WS_CHILD) | WS_POPUP;
    // A window that fails while it is being created is destroyed without
    // deleting this object: the caller, told FALSE, deletes it once.
    if (!CWnd::CreateEx(dwStyleEx, strClassName, lpszWindowName, dwStyle, rect, pParentWnd, 0, pContext)) {
        m_hwndOwnerFrame = NULL;
        return FALSE;
    }
    m_bAutoDelete = TRUE;
    if (pDockManager != NULL) pDockManager->AddMiniFrame(this);
    m_dragHelper.SetDockSite(this, GetOwnerFrame());
    return TRUE;
}

int CSPMiniFrameWnd::OnCreate(LPCREATESTRUCT lpCreateStruct) {
    if (CWnd::OnCreate(lpCreateStruct) == -1) return -1;
    s_lstMiniFrames.AddTail(m_hWnd);
    return 0;
}

void CSPMiniFrameWnd::OnDestroy() {
    if (m_bCaptured) {
        if (::GetCapture() == m_hWnd) ::ReleaseCapture();
        m_bCaptured = FALSE;
        SetDragMode(FALSE);
    }
    KillDockTimer();
    if (m_nRollUpTimer != 0) KillTimer(m_nRollUpTimer);
    m_nRollUpTimer = 0;
    CSPDockManager* pDockManager = GetDockManager();
    if (pDockManager != NULL) pDockManager->RemoveMiniFrame(this);
    POSITION pos = s_lstMiniFrames.Find(m_hWnd);
    if (pos != NULL) s_lstMiniFrames.RemoveAt(pos);
    // The bar goes with the frame: it leaves the map of floating bars.
    CSPBaseControlBar* pBar = GetEmbeddedBar();
    if (pBar != NULL) RegisterBarInGlobalMap(pBar, FALSE);
    CWnd::OnDestroy();
}

void CSPMiniFrameWnd::OnNcDestroy() {
    OnCancelMode();
    CWnd::OnNcDestroy();
}

void CSPMiniFrameWnd::PostNcDestroy() {
    if (m_bAutoDelete) delete this;
}

// --- the embedded bar ------------------------------------------------------------------

CSPBaseControlBar* CSPMiniFrameWnd::GetEmbeddedBar() const {
    if (m_hEmbeddedBar == NULL || !::IsWindow(m_hEmbeddedBar)) return NULL;
    CWnd* pWnd = CWnd::FromHandlePermanent(m_hEmbeddedBar);
    return pWnd != NULL && pWnd->IsKindOf(RUNTIME_CLASS(CSPBaseControlBar)) ? (CSPBaseControlBar*)pWnd : NULL;
}

CSPControlBar* CSPMiniFrameWnd::GetEmbeddedControlBar() const {
    CSPBaseControlBar* pBar = GetEmbeddedBar();
    return pBar != NULL && pBar->IsKindOf(RUNTIME_CLASS(CSPControlBar)) ? (CSPControlBar*)pBar : NULL;
}

CFrameWnd* CSPMiniFrameWnd::GetOwnerFrame() const {
    CWnd* pWnd = CWnd::FromHandlePermanent(m_hwndOwnerFrame);
    return pWnd != NULL && pWnd->IsFrameWnd() ? (CFrameWnd*)pWnd : NULL;
}

CSPDockManager* CSPMiniFrameWnd::GetDockManager() const { return CSPDockingUtils::GetDockManager(GetOwnerFrame()); }

BOOL CSPMiniFrameWnd::HoldsToolBar() const {
    CSPBaseControlBar* pBar = GetEmbeddedBar();
    return pBar != NULL && pBar->IsKindOf(RUNTIME_CLASS(CSPToolBar));
}

int CSPMiniFrameWnd::GetControlBarCount() const { return GetEmbeddedBar() != NULL ? 1 : 0; }

int CSPMiniFrameWnd::GetVisibleBarCount() const {
    CSPBaseControlBar* pBar = GetEmbeddedBar();
    return pBar != NULL && (pBar->GetStyle() & WS_VISIBLE) != 0 ? 1 : 0;
}

CWnd* CSPMiniFrameWnd::GetControlBar() const { return GetEmbeddedBar(); }

CWnd* CSPMiniFrameWnd::GetFirstVisibleBar() const { return GetVisibleBarCount() == 1 ? GetControlBar() : NULL; }

void CSPMiniFrameWnd::CheckEmbeddedBar() {
    if (m_hEmbeddedBar == NULL) return;
    CSPBaseControlBar* pBar = GetEmbeddedBar();
    if (pBar == NULL || pBar->GetDlgCtrlID() == 0) m_hEmbeddedBar = NULL;
}

void CSPMiniFrameWnd::AddControlBar(CSPBaseControlBar* pBar) {
    if (pBar == NULL || pBar->GetSafeHwnd() == m_hEmbeddedBar) return;
    m_hEmbeddedBar = pBar->GetSafeHwnd();
    CString strText;
    pBar->GetWindowText(strText);
    SetWindowText(strText);
    SendMessage(WM_SETICON, ICON_SMALL, (LPARAM)pBar->GetBarIcon(FALSE));
    SendMessage(WM_SETICON, ICON_BIG, (LPARAM)pBar->GetBarIcon(TRUE));
    RegisterBarInGlobalMap(pBar, TRUE);
    if (pBar->CanBeClosed()) SetCaptionButtons(SP_CAPTION_BTN_CLOSE);
    SetRollUpTimer();
}

void CSPMiniFrameWnd::RemoveControlBar(CSPBaseControlBar* pBar, BOOL bDestroyIfEmpty, BOOL bHideOnly) {
    m_bHideWhenEmpty = bHideOnly;
    if (pBar != NULL) {
        RegisterBarInGlobalMap(pBar, FALSE);
        pBar->ReservedNotify((DWORD_PTR)this);
        if (pBar->GetSafeHwnd() == m_hEmbeddedBar) m_hEmbeddedBar = NULL;
    }
    KillRollUpTimer();
    if (GetControlBarCount() > 0) return;
    if (bDestroyIfEmpty)
        DestroyWindow();
    else
        PostMessage(m_nCheckEmptyMessage);
}

LRESULT CSPMiniFrameWnd::OnCheckEmptyMiniFrame(WPARAM, LPARAM) {
    CheckEmbeddedBar();
    if (GetControlBarCount() > 0) return 0;
    if (m_bHideWhenEmpty)
        ShowWindow(SW_HIDE);
    else
        DestroyWindow();
    return 0;
}

void CSPMiniFrameWnd::ReplaceControlBar(CSPBaseControlBar* pBarOrg, CSPBaseControlBar* pBarReplaceWith) {
    if (pBarOrg != NULL) {
        RegisterBarInGlobalMap(pBarOrg, FALSE);
        if (pBarOrg->GetSafeHwnd() == m_hEmbeddedBar) m_hEmbeddedBar = pBarReplaceWith->GetSafeHwnd();
    }
    if (pBarReplaceWith != NULL) RegisterBarInGlobalMap(pBarReplaceWith, TRUE);
}

CString CSPMiniFrameWnd::GetCaptionText() {
    CString strText;
    CSPBaseControlBar* pBar = GetEmbeddedBar();
    if (pBar != NULL) pBar->GetWindowText(strText);
    return strText;
}

int CSPMiniFrameWnd::GetDockMode() const {
    CSPBaseControlBar* pBar = GetEmbeddedBar();
    return pBar != NULL ? pBar->GetDockMode() : CSPBaseControlBar::m_nDefaultDockMode;
}

CSPControlBar* CSPMiniFrameWnd::ControlBarFromPoint(CPoint point, int /*nSensitivity*/, BOOL bCheckVisibility) {
    CSPControlBar* pBar = GetEmbeddedControlBar();
    if (pBar == NULL) return NULL;
    CRect rect;
    pBar->GetWindowRect(rect);
    if (!rect.PtInRect(point)) return NULL;
    return !bCheckVisibility || pBar->IsWindowVisible() ? pBar : NULL;
}

// --- the library-wide map --------------------------------------------------------------

BOOL CSPMiniFrameWnd::RegisterBarInGlobalMap(CSPBaseControlBar* pBar, BOOL bAdd) {
    if (pBar == NULL || pBar->GetSafeHwnd() == NULL) return FALSE;
    const UINT nID = (UINT)pBar->GetDlgCtrlID();
    // A bar without id cannot be found by id; tabbed bars, which enter
    // their tabs instead, join with the tab windows.
    if (nID == 0 || nID == (UINT)-1) return FALSE;
    if (bAdd)
        s_mapBarsById.SetAt(nID, pBar->GetSafeHwnd());
    else
        s_mapBarsById.RemoveKey(nID);
    return TRUE;
}

CSPBaseControlBar* CSPMiniFrameWnd::FindBarById(UINT nID) {
    HWND hwnd = NULL;
    if (!s_mapBarsById.Lookup(nID, hwnd) || !::IsWindow(hwnd)) return NULL;
    CWnd* pWnd = CWnd::FromHandlePermanent(hwnd);
    return pWnd != NULL && pWnd->IsKindOf(RUNTIME_CLASS(CSPBaseControlBar)) ? (CSPBaseControlBar*)pWnd : NULL;
}

void CSPMiniFrameWnd::CollectBarsInMiniFrames(CObList& lst, CRuntimeClass* pRTCFilter) {
    for (POSITION pos = s_mapBarsById.GetStartPosition(); pos != NULL;) {
        UINT nID = 0;
        HWND hwnd = NULL;
        s_mapBarsById.GetNextAssoc(pos, nID, hwnd);
        CSPBaseControlBar* pBar = FindBarById(nID);
        if (pBar == NULL) continue;
        if (pRTCFilter != NULL && pBar->GetRuntimeClass() != pRTCFilter) continue;
        lst.AddTail(pBar);
    }
}

void CSPMiniFrameWnd::RedrawAll() { SPMiniFrameList::RedrawAll(); }

// --- sizes and layout ------------------------------------------------------------------

void CSPMiniFrameWnd::CalcBorderSize(CRect& rectBorderSize) const {
    if (HoldsToolBar())
        rectBorderSize.SetRect(3, 3, 3, 3);
    else
        rectBorderSize.SetRect(::GetSystemMetrics(SM_CXFRAME), ::GetSystemMetrics(SM_CYFRAME),
                               ::GetSystemMetrics(SM_CXFRAME), ::GetSystemMetrics(SM_CYFRAME));
}

void CSPMiniFrameWnd::GetCaptionRect(CRect& rectCaption) const {
    CRect rectBorder;
    CalcBorderSize(rectBorder);
    CRect rectWnd;
    GetWindowRect(rectWnd);
    rectWnd.OffsetRect(-rectWnd.TopLeft());
    rectCaption.SetRect(rectWnd.left + rectBorder.left, rectWnd.top + rectBorder.top,
                        rectWnd.right - rectBorder.right, rectWnd.top + rectBorder.top + GetCaptionHeight());
}

void CSPMiniFrameWnd::OnNcCalcSize(BOOL /*bCalcValidRects*/, NCCALCSIZE_PARAMS FAR* lpncsp) {
    CRect rectBorder;
    CalcBorderSize(rectBorder);
    RECT& rc = lpncsp->rgrc[0];
    rc.left += rectBorder.left;
    rc.top += rectBorder.top + GetCaptionHeight();
    rc.right -= rectBorder.right;
    rc.bottom -= rectBorder.bottom;
    if (rc.bottom < rc.top) rc.bottom = rc.top;
    if (rc.right < rc.left) rc.right = rc.left;
}

void CSPMiniFrameWnd::AdjustLayout() {
    CSPControlBar* pBar = GetEmbeddedControlBar();
    if (pBar == NULL) return;
    CRect rectClient;
    GetClientRect(rectClient);
    pBar->SetWindowPos(NULL, rectClient.left, rectClient.top, rectClient.Width(), rectClient.Height(),
                       SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    pBar->RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

void CSPMiniFrameWnd::RecalcLayout() {
    // The base bar's own step: a control bar's override would ask this
    // frame again.
    CSPBaseControlBar* pBar = GetEmbeddedBar();
    if (pBar != NULL) pBar->CSPBaseControlBar::RecalcLayout();
    SizeToContent();
}

void CSPMiniFrameWnd::SizeToContent() {
    CSPControlBar* pBar = GetEmbeddedControlBar();
    if (pBar == NULL) return;
    const CSize sizeBar = pBar->CalcFixedLayout(FALSE, TRUE);
    CRect rectWnd, rectClient;
    GetWindowRect(rectWnd);
    GetClientRect(rectClient);
    const CSize sizeNc = rectWnd.Size() - rectClient.Size();
    SetWindowPos(NULL, 0, 0, sizeBar.cx + sizeNc.cx, sizeBar.cy + sizeNc.cy,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CSPMiniFrameWnd::MoveByOffset(int dx, int dy) {
    CRect rect;
    GetWindowRect(rect);
    rect.OffsetRect(dx, dy);
    MoveWindow(rect, TRUE);
}

void CSPMiniFrameWnd::CalcMinSize(CSize& sizeBase, MINMAXINFO FAR* lpMMI) {
    CRect rectBorder;
    CalcBorderSize(rectBorder);
    int nButtons = 0;
    for (POSITION pos = m_lstCaptionButtons.GetHeadPosition(); pos != NULL;) {
        CSPCaptionButton* pButton = (CSPCaptionButton*)m_lstCaptionButtons.GetNext(pos);
        if (!pButton->m_bHidden) nButtons += pButton->GetSize().cx;
    }
    lpMMI->ptMinTrackSize.x = std::max(m_sizeMinTrack.cx, nButtons + sizeBase.cx + rectBorder.left + rectBorder.right);
    lpMMI->ptMinTrackSize.y =
        std::max(m_sizeMinTrack.cy, GetCaptionHeight() + sizeBase.cy + rectBorder.top + rectBorder.bottom);
}

void CSPMiniFrameWnd::OnGetMinMaxInfo(MINMAXINFO FAR* lpMMI) {
    CWnd::OnGetMinMaxInfo(lpMMI);
    CSize sizeBase(0, 0);
    CSPControlBar* pBar = GetEmbeddedControlBar();
    if (pBar != NULL) pBar->GetMinSize(sizeBase);
    CalcMinSize(sizeBase, lpMMI);
}

void CSPMiniFrameWnd::OnSize(UINT nType, int cx, int cy) {
    CWnd::OnSize(nType, cx, cy);
    // The bar fills what the caption and borders leave; rolled up there is
    // nothing to fill.
    if (!m_bRolledUp) AdjustLayout();
    ArrangeCaptionButtons();
    SendMessage(WM_NCPAINT);
}

// A floating toolbar is reshaped, not stretched: the length the user drags
// to is handed to the toolbar, which wraps its buttons, and the frame takes
// the size the toolbar answers.
void CSPMiniFrameWnd::OnSizing(UINT fwSide, LPRECT pRect) {
    CWnd::OnSizing(fwSide, pRect);
    if (m_bRolledUp) return;
    CSPBaseControlBar* pBar = GetEmbeddedBar();
    if (pBar == NULL) return;
    CRect rectWnd;
    GetWindowRect(rectWnd);
    if (pBar->IsKindOf(RUNTIME_CLASS(CSPTabbedToolbar))) {
        *pRect = rectWnd;
        return;
    }
    if (!pBar->IsKindOf(RUNTIME_CLASS(CSPToolBar))) return;
    CSPToolBar* pToolBar = (CSPToolBar*)pBar;
    CRect rect(pRect);
    const BOOL bHorz = fwSide == WMSZ_LEFT || fwSide == WMSZ_RIGHT;
    if (bHorz ? rect.Width() == rectWnd.Width() : rect.Height() == rectWnd.Height()) return;

    CRect rectClient;
    GetClientRect(rectClient);
    const CSize sizeNc = rectWnd.Size() - rectClient.Size();
    const int nLength = bHorz ? rect.Width() - sizeNc.cx : rect.Height() - sizeNc.cy;
    const CSize sizeBar = pToolBar->CalcDynamicLayout(std::max(nLength, 0), !bHorz);
    const CSize sizeNew = sizeBar + sizeNc;
    if (sizeNew == rectWnd.Size()) {
        *pRect = rectWnd;
        return;
    }
    // The dragged edges move; the opposite ones stay where they are.
    switch (fwSide) {
    case WMSZ_LEFT: case WMSZ_TOPLEFT: case WMSZ_BOTTOMLEFT: rect.left = rect.right - sizeNew.cx; break;
    default: rect.right = rect.left + sizeNew.cx; break;
    }
    switch (fwSide) {
    case WMSZ_TOP: case WMSZ_TOPLEFT: case WMSZ_TOPRIGHT: rect.top = rect.bottom - sizeNew.cy; break;
    default: rect.bottom = rect.top + sizeNew.cy; break;
    }
    *pRect = rect;
    BOOL bFullDrag = TRUE;
    ::SystemParametersInfo(SPI_GETDRAGFULLWINDOWS, 0, &bFullDrag, 0);
    if (!bFullDrag) SetWindowPos(NULL, rect.left, rect.top, rect.Width(), rect.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
}

void CSPMiniFrameWnd::OnWindowPosChanging(WINDOWPOS FAR* lpwndpos) {
    lpwndpos->flags |= SWP_NOACTIVATE;
    CWnd::OnWindowPosChanging(lpwndpos);
}

// A click on a toolbar's frame outside the bar (its caption or borders)
// raises the frame but leaves the focus where the user works. The test is
// made in screen coordinates, as HitTest takes them everywhere.
int CSPMiniFrameWnd::OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message) {
    if (!HoldsToolBar()) return CWnd::OnMouseActivate(pDesktopWnd, nHitTest, message);
    CPoint pt;
    ::GetCursorPos(&pt);
    if (HitTest(pt, TRUE) == HTCLIENT) return CWnd::OnMouseActivate(pDesktopWnd, nHitTest, message);
    SetWindowPos(&CWnd::wndTop, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE);
    return MA_NOACTIVATE;
}

// --- hit testing -------------------------------------------------------------------------

LRESULT CSPMiniFrameWnd::HitTest(CPoint point, BOOL bDetectCaption) {
    const BOOL bToolBar = HoldsToolBar();
    if (g_bCustomizeMode && !bToolBar) return HTNOWHERE;
    CRect rectWnd;
    GetWindowRect(rectWnd);
    if (!rectWnd.PtInRect(point)) return HTNOWHERE;
    CRect rectClient;
    GetClientRect(rectClient);
    ClientToScreen(rectClient);
    if (rectClient.PtInRect(point)) return HTCLIENT;

    CRect rectBorder;
    CalcBorderSize(rectBorder);
    const int cx = ::GetSystemMetrics(SM_CXCURSOR) / 2, cy = ::GetSystemMetrics(SM_CYCURSOR) / 2;
    const CRect rectCaption(rectWnd.left + rectBorder.left, rectWnd.top + rectBorder.top,
                            rectWnd.right - rectBorder.right, rectWnd.top + rectBorder.top + GetCaptionHeight());
    if (rectCaption.PtInRect(point)) {
        if (bDetectCaption) return HTCAPTION;
        const CPoint ptWindow = point - rectWnd.TopLeft();
        for (POSITION pos = m_lstCaptionButtons.GetHeadPosition(); pos != NULL;) {
            CSPCaptionButton* pButton = (CSPCaptionButton*)m_lstCaptionButtons.GetNext(pos);
            if (pButton->GetRect().PtInRect(ptWindow)) return pButton->GetHit();
        }
        return HTCLIENT;
    }
    const CRect& w = rectWnd;
    const CRect& b = rectBorder;
    if (bToolBar) {
        if (point.y < w.top + b.top) return HTTOP;
        if (point.x < w.left + b.left) return HTLEFT;
        if (point.y >= w.bottom - b.bottom) return HTBOTTOM;
        if (point.x >= w.right - b.right) return HTRIGHT;
        return HTNOWHERE;
    }
    const struct {
        CRect rect;
        LRESULT nHit;
    } zones[] = {
        {CRect(w.left, w.top, w.left + cx, w.top + cy), HTTOPLEFT},
        {CRect(w.left + cx, w.top, w.right - cx, w.top + b.top), HTTOP},
        {CRect(w.right - cx, w.top, w.right, w.top + cy), HTTOPRIGHT},
        {CRect(w.right - b.right, w.top + cy, w.right, w.bottom - cy), HTRIGHT},
        {CRect(w.right - cx, w.bottom - cy, w.right, w.bottom), HTBOTTOMRIGHT},
        {CRect(w.left + cx, w.bottom - b.bottom, w.right - cx, w.bottom), HTBOTTOM},
        {CRect(w.left, w.bottom - cy, w.left + cx, w.bottom), HTBOTTOMLEFT},
        {CRect(w.left, w.top + cy, w.left + b.left, w.bottom - cy), HTLEFT},
    };
    for (const auto& z : zones) {
        if (z.rect.PtInRect(point)) return z.nHit;
    }
    return HTNOWHERE;
}

LRESULT CSPMiniFrameWnd::OnNcHitTest(CPoint point) { return HitTest(point, FALSE); }

BOOL CSPMiniFrameWnd::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message) {
    LPCTSTR lpszCursor = NULL;
    switch (nHitTest) {
    case HTLEFT:
    case HTRIGHT: lpszCursor = IDC_SIZEWE; break;
    case HTTOP:
    case HTBOTTOM: lpszCursor = IDC_SIZENS; break;
    case HTTOPLEFT:
    case HTBOTTOMRIGHT: lpszCursor = IDC_SIZENWSE; break;
    case HTTOPRIGHT:
    case HTBOTTOMLEFT: lpszCursor = IDC_SIZENESW; break;
    }
    if (lpszCursor == NULL) return CWnd::OnSetCursor(pWnd, nHitTest, message);
    ::SetCursor(::LoadCursor(NULL, lpszCursor));
    return TRUE;
}

// --- caption buttons -------------------------------------------------------------------

void CSPMiniFrameWnd::SetCaptionButtons(DWORD dwButtons) {
    while (!m_lstCaptionButtons.IsEmpty()) delete (CSPCaptionButton*)m_lstCaptionButtons.RemoveHead();
    CSPBaseControlBar* pBar = GetEmbeddedBar();
    if ((dwButtons & SP_CAPTION_BTN_CLOSE) && pBar != NULL && pBar->CanBeClosed())
        m_lstCaptionButtons.AddHead(new CSPCaptionButton(HTCLOSE));
    if (dwButtons & SP_CAPTION_BTN_PIN) m_lstCaptionButtons.AddHead(new CSPCaptionButton(HTMAXBUTTON));
    if (dwButtons & SP_CAPTION_BTN_ROLL) m_lstCaptionButtons.AddHead(new CSPCaptionButton(HTMINBUTTON));
    m_dwCaptionButtons = dwButtons;
    m_nHotButton = m_nPressedButton = 0;
    if (GetSafeHwnd() == NULL) return;
    ArrangeCaptionButtons();
    SendMessage(WM_NCPAINT);
}

CSPCaptionButton* CSPMiniFrameWnd::FindButton(UINT nHit) const {
    for (POSITION pos = m_lstCaptionButtons.GetHeadPosition(); pos != NULL;) {
        CSPCaptionButton* pButton = (CSPCaptionButton*)m_lstCaptionButtons.GetNext(pos);
        if (pButton->GetHit() == nHit) return pButton;
    }
    return NULL;
}

void CSPMiniFrameWnd::ArrangeCaptionButtons() {
    if (GetSafeHwnd() == NULL) return;
    CRect rectCaption;
    GetCaptionRect(rectCaption);
    int x = rectCaption.right;
    // From the first added (the tail) leftwards: close rightmost.
    for (POSITION pos = m_lstCaptionButtons.GetTailPosition(); pos != NULL;) {
        CSPCaptionButton* pButton = (CSPCaptionButton*)m_lstCaptionButtons.GetPrev(pos);
        if (pButton->m_bHidden) continue;
        const CSize size = pButton->GetSize();
        x -= size.cx;
        pButton->Move(CPoint(x, rectCaption.top + (rectCaption.Height() - size.cy) / 2));
        x -= nCaptionButtonSpacing;
    }
}

void CSPMiniFrameWnd::RedrawButton(CSPCaptionButton* pButton) {
    if (pButton == NULL || GetSafeHwnd() == NULL) return;
    m_rectRedraw = pButton->GetRect();
    SendMessage(WM_NCPAINT);
    m_rectRedraw.SetRectEmpty();
    UpdateWindow();
}

void CSPMiniFrameWnd::ResetCaptionButtons() {
    for (POSITION pos = m_lstCaptionButtons.GetHeadPosition(); pos != NULL;) {
        CSPCaptionButton* pButton = (CSPCaptionButton*)m_lstCaptionButtons.GetNext(pos);
        pButton->m_bPushed = pButton->m_bFocused = FALSE;
    }
    if (m_nHotButton != 0 && !m_bCaptured && ::GetCapture() == m_hWnd) ::ReleaseCapture();
    m_nHotButton = m_nPressedButton = 0;
    if (GetSafeHwnd() != NULL) SendMessage(WM_NCPAINT);
}

void CSPMiniFrameWnd::TrackCaptionButtons(CPoint ptScreen) {
    const UINT nHit = (UINT)HitTest(ptScreen, FALSE);
    CSPCaptionButton* pButton = FindButton(nHit);
    const UINT nHot = pButton != NULL ? nHit : 0;
    if (nHot == m_nHotButton) return;
    CSPCaptionButton* pOld = FindButton(m_nHotButton);
    if (pOld != NULL) {
        pOld->m_bFocused = FALSE;
        RedrawButton(pOld);
    }
    m_nHotButton = nHot;
    if (pButton != NULL) {
        pButton->m_bFocused = TRUE;
        RedrawButton(pButton);
    }
    if (m_nPressedButton != 0) return;
    if (nHot != 0)
        SetCapture();
    else if (::GetCapture() == m_hWnd && !m_bCaptured)
        ::ReleaseCapture();
}

void CSPMiniFrameWnd::OnNcMouseMove(UINT nHitTest, CPoint point) {
    if (!m_bSkipNextMove && !m_bCaptured) TrackCaptionButtons(point);
    CWnd::OnNcMouseMove(nHitTest, point);
}

// --- painting ----------------------------------------------------------------------------

void CSPMiniFrameWnd::OnNcPaint() {
    CWindowDC dc(this);
    CRect rectWnd;
    GetWindowRect(rectWnd);
    rectWnd.OffsetRect(-rectWnd.TopLeft());
    CRect rectClient;
    GetClientRect(rectClient);
    ClientToScreen(rectClient);
    CRect rectWndScreen;
    GetWindowRect(rectWndScreen);
    rectClient.OffsetRect(-rectWndScreen.TopLeft());
    dc.ExcludeClipRect(rectClient);
    if (!m_rectRedraw.IsRectEmpty()) dc.IntersectClipRect(m_rectRedraw);

    OnDrawBorder(&dc);
    CSPDockManager* pDockManager = GetDockManager();
    CRect rectCaption;
    GetCaptionRect(rectCaption);
    const COLORREF clrText =
        CSPVisualManager::GetInstance()->OnFillMiniFrameCaption(&dc, rectCaption, this, m_bActive);
    // While a drag locks updates the caption stays empty.
    if (pDockManager != NULL && pDockManager->IsUpdateLocked()) return;
    int nLeftmost = rectCaption.right;
    for (POSITION pos = m_lstCaptionButtons.GetHeadPosition(); pos != NULL;) {
        CSPCaptionButton* pButton = (CSPCaptionButton*)m_lstCaptionButtons.GetNext(pos);
        if (pButton->m_bHidden) continue;
        const BOOL bPinned = pButton->GetHit() == HTMAXBUTTON && m_bPinned;
        const BOOL bPushed = pButton->m_bPushed;
        if (bPinned) pButton->m_bPushed = pButton->m_bFocused = TRUE;
        CSPVisualManager::GetInstance()->OnDrawCaptionButton(&dc, pButton, m_bActive, FALSE, FALSE, FALSE);
        if (bPinned) {
            pButton->m_bPushed = bPushed;
            pButton->m_bFocused = pButton->GetHit() == m_nHotButton;
        }
        nLeftmost = std::min(nLeftmost, (int)pButton->GetRect().left);
    }
    CRect rectText(rectCaption.left + 2, rectCaption.top, nLeftmost - 2, rectCaption.bottom);
    CFont* pOldFont = dc.SelectObject(&spGlobalData.fontRegular);
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(clrText);
    dc.DrawText(GetCaptionText(), rectText, DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS);
    dc.SelectObject(pOldFont);
}

void CSPMiniFrameWnd::OnDrawBorder(CDC* pDC) {
    CSPDockManager* pDockManager = GetDockManager();
    if (pDockManager != NULL && pDockManager->IsUpdateLocked()) return;
    CRect rectWnd;
    GetWindowRect(rectWnd);
    rectWnd.OffsetRect(-rectWnd.TopLeft());
    CRect rectBorder;
    CalcBorderSize(rectBorder);
    if (HoldsToolBar()) {
        pDC->FillRect(rectWnd, &spGlobalData.brBtnFace);
        CSPVisualManager::GetInstance()->OnDrawFloatingToolbarBorder(
            pDC, (CSPBaseToolBar*)GetEmbeddedBar(), rectWnd, rectBorder);
        return;
    }
    // The colours of the outer rectangles show where a pending drop goes.
    COLORREF clrOuter = ::GetSysColor(COLOR_3DFACE), clrInner = ::GetSysColor(COLOR_3DSHADOW);
    if (m_nDockState == 1) clrOuter = clrInner = RGB(127, 0, 0);
    if (m_nDockState == 2) clrOuter = clrInner = RGB(0, 0, 127);
    CRect rect = rectWnd;
    pDC->Draw3dRect(rect, clrOuter, ::GetSysColor(COLOR_3DDKSHADOW));
    rect.DeflateRect(1, 1);
    pDC->Draw3dRect(rect, ::GetSysColor(COLOR_3DHIGHLIGHT), clrInner);
    rect.DeflateRect(1, 1);
    CBrush brFace(::GetSysColor(COLOR_3DFACE));
    for (int i = 0; i < std::max(1, (int)rectBorder.right - 2); i++) {
        pDC->FrameRect(rect, &brFace);
        rect.DeflateRect(1, 1);
    }
}

BOOL CSPMiniFrameWnd::OnEraseBkgnd(CDC* /*pDC*/) { return TRUE; }

// --- the caption drag --------------------------------------------------------------------

void CSPMiniFrameWnd::SaveRecentFloatingRect() {
    GetWindowRect(m_rectRecentFloatingRect);
    CSPControlBar* pBar = GetEmbeddedControlBar();
    if (pBar != NULL) pBar->m_recentDockInfo.m_rectRecentFloatingRect = m_rectRecentFloatingRect;
}

void CSPMiniFrameWnd::EnterDragMode(HWND hwndOutline) {
    if (m_bCaptured) return;
    SetCapture();
    if (m_hwndDragOutline == NULL) m_hwndDragOutline = hwndOutline;
    m_bCaptured = TRUE;
    SetDragMode(TRUE);
    ::GetCursorPos(&m_dragHelper.m_ptLast);
    if (GetDockMode() == SP_DT_IMMEDIATE) ::SetCursor(::LoadCursor(NULL, IDC_SIZEALL));
}

void CSPMiniFrameWnd::SetDragMode(BOOL bOn) {
    CSPControlBar* pBar = GetEmbeddedControlBar();
    if (pBar != NULL) pBar->SetDragMode(bOn);
    if (bOn) return;
    if (m_hwndDragOutline != NULL && m_hwndDragOutline != m_hWnd && ::IsWindow(m_hwndDragOutline))
        ::DestroyWindow(m_hwndDragOutline);
    m_hwndDragOutline = NULL;
}

void CSPMiniFrameWnd::EndDrag() {
    if (::GetCapture() == m_hWnd) ::ReleaseCapture();
    m_bCaptured = FALSE;
    KillDockTimer();
    SetDragMode(FALSE);
}

void CSPMiniFrameWnd::OnLButtonDown(UINT nFlags, CPoint point) {
    if (m_nHotButton != 0) {
        CSPCaptionButton* pButton = FindButton(m_nHotButton);
        if (pButton != NULL) {
            m_nPressedButton = m_nHotButton;
            pButton->m_bPushed = TRUE;
            RedrawButton(pButton);
            return;
        }
    }
    EnterDragMode(NULL);
    SaveRecentFloatingRect();
    CWnd::OnLButtonDown(nFlags, point);
}

void CSPMiniFrameWnd::OnMouseMove(UINT nFlags, CPoint point) {
    if (m_bSkipNextMove) {
        m_bSkipNextMove = FALSE;
        return;
    }
    if (!m_bCaptured) {
        CPoint ptScreen = point;
        ClientToScreen(&ptScreen);
        TrackCaptionButtons(ptScreen);
        CWnd::OnMouseMove(nFlags, point);
        return;
    }
    if (GetDockMode() == SP_DT_STANDARD) {
        m_dragHelper.MoveDrag(FALSE);
        return;
    }
    CPoint ptCursor;
    ::GetCursorPos(&ptCursor);
    const CSize sizeOffset = ptCursor - m_dragHelper.m_ptLast;
    // The frame moves first so that the dock manager judges where it is now.
    if (sizeOffset != CSize(0, 0)) {
        MoveByOffset(sizeOffset.cx, sizeOffset.cy);
        m_dragHelper.m_ptLast = ptCursor;
    }
    ::SetCursor(::LoadCursor(NULL, IDC_SIZEALL));
    HWND hwnd = m_hWnd;
    CFrameWnd* pFrame = GetOwnerFrame();
    CSPFrameImpl* pImpl = CSPFrameImpl::FromFrame(pFrame);
    const BOOL bGoOn = pImpl != NULL ? pImpl->OnMoveMiniFrame(this) : TRUE;
    // Docked away: the bar has gone on tracking in its dock bar and this
    // frame waits for its empty check.
    if (!bGoOn || !::IsWindow(hwnd) || !m_bCaptured) return;
    // The dock manager waits for the frame to rest over a dock bar; the
    // timer asks again when no more moves come.
    SetDockTimer(nDockTimerInterval);
}

void CSPMiniFrameWnd::OnLButtonUp(UINT nFlags, CPoint point) {
    if (m_nPressedButton != 0 && !m_bCaptured) {
        const UINT nPressed = m_nPressedButton, nHot = m_nHotButton;
        ResetCaptionButtons();
        if (nPressed == nHot) {
            if (nPressed == HTMAXBUTTON) {
                m_bPinned = !m_bPinned;
                SendMessage(WM_NCPAINT);
            } else if (nPressed == HTCLOSE && CanBeClosed()) {
                HideMiniFrame();
            }
        }
        return;
    }
    if (m_bCaptured) {
        EndDrag();
        BOOL bAttached = FALSE;
        HWND hwnd = m_hWnd;
        CWnd* pDocked = OnEndDrag(bAttached);
        if (!::IsWindow(hwnd)) return;
        if (pDocked == NULL && !bAttached) {
            m_dragHelper.m_rectFloat.SetRectEmpty();
        }
        return;
    }
    CWnd::OnLButtonUp(nFlags, point);
}

CWnd* CSPMiniFrameWnd::OnEndDrag(BOOL& bAttached) {
    bAttached = FALSE;
    CSPControlBar* pBar = GetEmbeddedControlBar();
    if (GetDockMode() == SP_DT_IMMEDIATE) {
        if (m_nDockState == 1 && pBar != NULL && m_pDockTarget != NULL) bAttached = pBar->DockByMouse(m_pDockTarget);
        m_nDockState = 0;
        m_pDockTarget = NULL;
        return pBar;
    }
    const CRect rectOutline = m_dragHelper.m_rectFloat;
    m_dragHelper.EndTracking(TRUE);
    CWnd* pDocked = TryDockControlBar(bAttached);
    if (rectOutline.IsRectEmpty() || bAttached) return pDocked;
    if (pDocked != NULL && pDocked->GetParent() != this) return pDocked;
    SetWindowPos(NULL, rectOutline.left, rectOutline.top, rectOutline.Width(), rectOutline.Height(),
                 SWP_NOZORDER | SWP_NOACTIVATE);
    if (!IsWindowVisible() && GetControlBarCount() > 0) ShowWindow(SW_SHOW);
    return pDocked;
}

CWnd* CSPMiniFrameWnd::TryDockControlBar(BOOL& bAttached) {
    bAttached = FALSE;
    CSPControlBar* pBar = GetEmbeddedControlBar();
    if (pBar == NULL || ::GetKeyState(VK_CONTROL) < 0) return NULL;
    if (!pBar->IsWindowVisible() && pBar->GetDockMode() == SP_DT_STANDARD) pBar->ShowWindow(SW_SHOW);
    CSPBaseControlBar* pResult = pBar->DockOnDrag(bAttached);
    if (bAttached) return pResult;
    // A plain bar docks into the dock bar the outline showed at the end.
    CSPDockBar* pTarget = DYNAMIC_DOWNCAST(CSPDockBar, m_dragHelper.m_pFinalTarget);
    m_dragHelper.m_pFinalTarget = NULL;
    if (pTarget != NULL && pBar->DockControlBar(pTarget, NULL, SP_DM_MOUSE)) return pBar;
    return pResult;
}

BOOL CSPMiniFrameWnd::DockToTarget(int nDockState, CSPBaseControlBar* pTarget, DWORD_PTR /*dwReserved*/) {
    if (nDockState == 0) return TRUE;
    if (pTarget != NULL && pTarget->GetParentMiniFrame() != NULL) return TRUE;
    const BOOL bWasDragging = m_bCaptured;
    if (m_bCaptured) EndDrag();
    m_nDockState = nDockState;
    m_pDockTarget = pTarget;
    BOOL bAttached = FALSE;
    CWnd* pDocked = OnEndDrag(bAttached);
    if (pDocked == NULL || !pDocked->IsKindOf(RUNTIME_CLASS(CSPControlBar))) return FALSE;
    CSPControlBar* pBar = (CSPControlBar*)pDocked;
    pBar->AdjustDockingLayout(NULL);
    if (bWasDragging) pBar->StartTracking(FALSE);
    return FALSE;
}

void CSPMiniFrameWnd::CancelDrag() {
    if (m_bCaptured && GetDockMode() == SP_DT_STANDARD) {
        m_dragHelper.EndTracking(FALSE);
        m_dragHelper.m_rectFloat.SetRectEmpty();
        CSPControlBar* pBar = GetEmbeddedControlBar();
        if (!IsWindowVisible() && pBar != NULL && pBar->GetParent() == this) {
            pBar->DockControlBar(NULL, NULL, SP_DM_SHOW);
            pBar->ShowControlBar(TRUE, FALSE, TRUE);
        }
    }
    EndDrag();
}

void CSPMiniFrameWnd::OnCancelMode() {
    if (!m_lstCaptionButtons.IsEmpty() && GetSafeHwnd() != NULL) ResetCaptionButtons();
    CancelDrag();
    if (GetSafeHwnd() != NULL) CWnd::OnCancelMode();
}

void CSPMiniFrameWnd::OnChar(UINT nChar, UINT nRepCnt, UINT nFlags) {
    if (nChar != VK_ESCAPE || !m_bCaptured) {
        CWnd::OnChar(nChar, nRepCnt, nFlags);
        return;
    }
    if (GetDockMode() == SP_DT_STANDARD) {
        OnCancelMode();
        return;
    }
    // In dock mode 1 Escape takes the bar back to where it was docked.
    EndDrag();
    CSPControlBar* pBar = GetEmbeddedControlBar();
    if (pBar != NULL && (pBar->GetEnabledAlignment() & CBRS_ALIGN_ANY) != 0) {
        pBar->m_recentDockInfo.m_rectRecentFloatingRect = m_rectRecentFloatingRect;
        pBar->DockControlBar(NULL, NULL, SP_DM_SHOW);
    }
}

void CSPMiniFrameWnd::OnLButtonDblClk(UINT nFlags, CPoint point) {
    CSPControlBar* pBar = GetEmbeddedControlBar();
    if (pBar != NULL && (pBar->GetEnabledAlignment() & CBRS_ALIGN_ANY) != 0) {
        SaveRecentFloatingRect();
        if (pBar->DockControlBar(NULL, NULL, SP_DM_SHOW)) return;
    }
    CWnd::OnLButtonDblClk(nFlags, point);
}

void CSPMiniFrameWnd::OnMoving(UINT fwSide, LPRECT pRect) {
    CWnd::OnMoving(fwSide, pRect);
    CSPFrameImpl* pImpl = CSPFrameImpl::FromFrame(GetOwnerFrame());
    if (pImpl != NULL) pImpl->OnMoveMiniFrame(this);
}

// --- timers ------------------------------------------------------------------------------

void CSPMiniFrameWnd::SetDockTimer(UINT nInterval) {
    KillDockTimer();
    m_nDockTimer = SetTimer(nDockTimerId, nInterval, NULL);
}

void CSPMiniFrameWnd::KillDockTimer() {
    if (m_nDockTimer != 0 && GetSafeHwnd() != NULL) KillTimer(m_nDockTimer);
    m_nDockTimer = 0;
}

void CSPMiniFrameWnd::OnTimer(UINT_PTR nIDEvent) {
    if (nIDEvent == nDockTimerId) {
        CSPFrameImpl* pImpl = CSPFrameImpl::FromFrame(GetOwnerFrame());
        HWND hwnd = m_hWnd;
        const BOOL bGoOn = pImpl != NULL ? pImpl->OnMoveMiniFrame(this) : TRUE;
        if (::IsWindow(hwnd) && (!bGoOn || !m_bCaptured)) KillDockTimer();
        return;
    }
    if (nIDEvent == nRollUpTimerId) {
        OnRollUpTimer();
        return;
    }
    CWnd::OnTimer(nIDEvent);
}

void CSPMiniFrameWnd::SetRollUpTimer() {
    CSPBaseControlBar* pBar = GetEmbeddedBar();
    if (pBar == NULL || (pBar->GetSPBarStyle() & 0x10) == 0 || m_nRollUpTimer != 0) return;
    m_nRollUpTimer = SetTimer(nRollUpTimerId, s_nRollUpDelay, NULL);
    SetCaptionButtons(m_dwCaptionButtons | SP_CAPTION_BTN_PIN);
}

void CSPMiniFrameWnd::KillRollUpTimer() {
    CSPBaseControlBar* pBar = GetEmbeddedBar();
    if (pBar != NULL && (pBar->GetSPBarStyle() & 0x10) != 0) return;
    if (m_nRollUpTimer == 0) return;
    KillTimer(m_nRollUpTimer);
    m_nRollUpTimer = 0;
    SetCaptionButtons(m_dwCaptionButtons & ~SP_CAPTION_BTN_PIN);
}

BOOL CSPMiniFrameWnd::CheckRollDownCondition() {
    CPoint pt;
    ::GetCursorPos(&pt);
    CRect rect;
    GetWindowRect(rect);
    return rect.PtInRect(pt) && CWnd::WindowFromPoint(pt) == this;
}

BOOL CSPMiniFrameWnd::CheckRollUpCondition() {
    CPoint pt;
    ::GetCursorPos(&pt);
    CRect rect;
    GetWindowRect(rect);
    return !rect.PtInRect(pt) && !m_bPinned;
}

void CSPMiniFrameWnd::OnRollUpTimer() {
    CSPDockManager* pDockManager = GetDockManager();
    if (pDockManager != NULL && pDockManager->IsUpdateLocked()) return;
    CRect rect;
    GetWindowRect(rect);
    if (m_bRolledUp) {
        if (!CheckRollDownCondition()) return;
        SetWindowPos(NULL, 0, 0, rect.Width(), m_nFullHeight, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        m_bRolledUp = FALSE;
        AdjustLayout();
        return;
    }
    if (!CheckRollUpCondition()) return;
    CRect rectClient;
    GetClientRect(rectClient);
    m_nFullHeight = rect.Height();
    m_bRolledUp = TRUE;
    SetWindowPos(NULL, 0, 0, rect.Width(), rect.Height() - rectClient.Height(),
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// --- activation and the floating-window protocol ---------------------------------------

BOOL CSPMiniFrameWnd::OnNcActivate(BOOL bActive) {
    if ((GetStyle() & MFS_SYNCACTIVE) == 0) {
        const BOOL bNow = ::GetFocus() == m_hWnd;
        if (bNow != m_bActive) {
            m_bActive = bNow;
            SendMessage(WM_NCPAINT);
        }
        return TRUE;
    }
    (void)bActive;
    return (m_nFlags & WF_KEEPMINIACTIVE) == 0;
}

BOOL CSPMiniFrameWnd::OnNcCreate(LPCREATESTRUCT lpCreateStruct) {
    if (!CWnd::OnNcCreate(lpCreateStruct)) return FALSE;
    if (GetStyle() & MFS_SYNCACTIVE) {
        CWnd* pParent = GetTopLevelParent();
        BOOL bActivate = FALSE;
        if (pParent != NULL) {
            CWnd* pActive = CWnd::GetForegroundWindow();
            bActivate = pParent == pActive ||
                        (pParent->GetLastActivePopup() == pActive &&
                         pActive->SendMessage(WM_FLOATSTATUS, FS_SYNCACTIVE) != 0);
        }
        SendMessage(WM_FLOATSTATUS, bActivate ? FS_ACTIVATE : FS_DEACTIVATE);
    }
    return TRUE;
}

LRESULT CSPMiniFrameWnd::OnFloatStatus(WPARAM wParam, LPARAM /*lParam*/) {
    if (wParam & (FS_SHOW | FS_HIDE)) {
        SetWindowPos(NULL, 0, 0, 0, 0,
                     ((wParam & FS_SHOW) ? SWP_SHOWWINDOW : SWP_HIDEWINDOW) | SWP_NOZORDER | SWP_NOMOVE |
                         SWP_NOSIZE | SWP_NOACTIVATE);
    }
    if (wParam & (FS_ENABLE | FS_DISABLE)) EnableWindow((wParam & FS_ENABLE) != 0);
    if ((wParam & (FS_ACTIVATE | FS_DEACTIVATE)) && (GetStyle() & MFS_SYNCACTIVE)) {
        ModifyStyle(MFS_SYNCACTIVE, 0);
        SendMessage(WM_NCACTIVATE, (wParam & FS_ACTIVATE) != 0);
        ModifyStyle(0, MFS_SYNCACTIVE);
    }
    return (GetStyle() & MFS_SYNCACTIVE) && (wParam & FS_SYNCACTIVE);
}

LRESULT CSPMiniFrameWnd::OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam) {
    HWND hwndFocus = ::GetFocus();
    const BOOL bActive = hwndFocus == m_hWnd || ::IsChild(m_hWnd, hwndFocus);
    if (bActive != m_bActive) {
        m_bActive = bActive;
        SendMessage(WM_NCPAINT);
    }
    SendMessageToDescendants(WM_IDLEUPDATECMDUI, wParam, lParam, TRUE, TRUE);
    return 0;
}

void CSPMiniFrameWnd::OnContextMenu(CWnd* /*pWnd*/, CPoint point) {
    if (g_bCustomizeMode || m_bCaptured) return;
    CRect rectCaption;
    GetCaptionRect(rectCaption);
    CRect rectWnd;
    GetWindowRect(rectWnd);
    rectCaption.OffsetRect(rectWnd.TopLeft());
    if (!rectCaption.PtInRect(point)) return;
    CFrameWnd* pFrame = GetOwnerFrame();
    if (pFrame != NULL)
        pFrame->SendMessage(CSPBaseControlBar::GetPopupMenuMessage(), (WPARAM)m_hWnd, MAKELPARAM(point.x, point.y));
}

void CSPMiniFrameWnd::OnClose() {
    if (CanBeClosed()) HideMiniFrame();
}

void CSPMiniFrameWnd::HideMiniFrame() {
    ShowWindow(SW_HIDE);
    CSPBaseControlBar* pBar = GetEmbeddedBar();
    if (pBar != NULL) pBar->ShowWindow(SW_HIDE);
}

void CSPMiniFrameWnd::OnSetFocus(CWnd* pOldWnd) {
    CWnd::OnSetFocus(pOldWnd);
    m_hwndRefocus = HoldsToolBar() ? pOldWnd->GetSafeHwnd() : NULL;
}

void CSPMiniFrameWnd::OnExitSizeMove() {
    if (m_hwndRefocus != NULL && ::IsWindow(m_hwndRefocus)) ::SetFocus(m_hwndRefocus);
    m_hwndRefocus = NULL;
}

// --- state -------------------------------------------------------------------------------

BOOL CSPMiniFrameWnd::SaveState(LPCTSTR lpszProfileName, UINT uiID) {
    CSPBaseControlBar* pBar = GetEmbeddedBar();
    return pBar != NULL ? pBar->SaveState(lpszProfileName, (int)uiID, (UINT)-1) : TRUE;
}

BOOL CSPMiniFrameWnd::LoadState(LPCTSTR lpszProfileName, UINT uiID) {
    CSPBaseControlBar* pBar = GetEmbeddedBar();
    return pBar != NULL ? pBar->LoadState(lpszProfileName, (int)uiID, (UINT)-1) : TRUE;
}

void CSPMiniFrameWnd::SetDockState(CSPDockManager* pDockManager) {
    CWnd* pFound = m_nLoadedBarId != 0 && pDockManager != NULL ? pDockManager->FindBarByID(m_nLoadedBarId, TRUE) : NULL;
    if (pFound == NULL || !pFound->IsKindOf(RUNTIME_CLASS(CSPControlBar)) || !((CSPControlBar*)pFound)->CanFloat()) {
        DestroyWindow();
        return;
    }
    CSPControlBar* pBar = (CSPControlBar*)pFound;
    CSPMiniFrameWnd* pOld = pBar->GetParentMiniFrame();
    if (pOld == NULL) {
        CRect rect;
        pBar->GetWindowRect(rect);
        pBar->FloatControlBar(rect, SP_DM_RECT);
        pOld = pBar->GetParentMiniFrame();
    }
    if (pOld != NULL && pOld != this) pOld->RemoveControlBar(pBar, FALSE, FALSE);
    pBar->SetParent(this);
    AddControlBar(pBar);
    pBar->SetWindowPos(&CWnd::wndTop, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE);
    pBar->RecalcLayout();
    SizeToContent();
    SetWindowPos(NULL, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    AdjustLayout();
    pBar->ShowControlBar(pBar->GetRecentVisibleState(), FALSE, FALSE);
    SetCaptionButtons(m_dwCaptionButtons);
}

// Absurd records are refused rather than turned into windows: no screen is
// larger than this, and a frame whose rectangle lies on no monitor is put
// back on the nearest one.
static const int nMaxFrameExtent = 16384;

void CSPMiniFrameWnd::Serialize(CArchive& ar) {
    CWnd::Serialize(ar);
    if (ar.IsStoring()) {
        CRect rect;
        GetWindowRect(rect);
        if (m_bRolledUp) rect.bottom = rect.top + m_nFullHeight;
        CSPBaseControlBar* pBar = GetEmbeddedBar();
        ar << (DWORD)GetStyle() << (LONG)rect.left << (LONG)rect.top << (LONG)rect.right << (LONG)rect.bottom
           << (int)IsWindowVisible() << (UINT)(pBar != NULL ? pBar->GetDlgCtrlID() : 0) << m_dwCaptionButtons
           << (int)m_bPinned;
        return;
    }
    DWORD dwStyle = 0;
    CRect rect;
    int nVisible = 0;
    int nPinned = 0;
    ar >> dwStyle >> rect.left >> rect.top >> rect.right >> rect.bottom >> nVisible >> m_nLoadedBarId >>
        m_dwCaptionButtons >> nPinned;
    m_bPinned = nPinned != 0;
    rect.NormalizeRect();
    if (rect.Width() > nMaxFrameExtent || rect.Height() > nMaxFrameExtent || rect.Width() <= 0 || rect.Height() <= 0)
        rect = CRect(rect.TopLeft(), CSize(std::min(std::max(rect.Width(), 1), 400), std::min(std::max(rect.Height(), 1), 300)));
    if (::MonitorFromRect(rect, MONITOR_DEFAULTTONULL) == NULL) {
        MONITORINFO mi = {sizeof(MONITORINFO)};
        ::GetMonitorInfo(::MonitorFromRect(rect, MONITOR_DEFAULTTONEAREST), &mi);
        const CRect rectWork = mi.rcWork;
        rect.OffsetRect(rectWork.left - rect.left, rectWork.top - rect.top);
    }
    m_dwCaptionButtons &= SP_CAPTION_BTN_PIN | SP_CAPTION_BTN_CLOSE | SP_CAPTION_BTN_ROLL;
    // A floating frame is always a top-level popup.
    dwStyle = (dwStyle & ~(WS_CHILD | WS_VISIBLE)) | WS_POPUP;
    if (!Create(_T(""), dwStyle, rect, s_pParentWndForSerialize)) AfxThrowArchiveException(CArchiveException::none);
}

// --- tear-off ----------------------------------------------------------------------------

// The frame follows the cursor with the cursor at its horizontal centre, 5
// pixels below its top.
static void PlaceUnderCursor(CWnd* pFrame, CPoint pt) {
    CRect rect;
    pFrame->GetWindowRect(rect);
    pFrame->SetWindowPos(NULL, pt.x - rect.Width() / 2, pt.y - 5, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

BOOL CSPMiniFrameWnd::TrackTearOff(CSPPopupMenu* pMenu) {
    HWND hwndMenu = pMenu->GetSafeHwnd();
    if (hwndMenu != NULL) {
        ::ShowWindow(hwndMenu, SW_HIDE);
        // The menu button it dropped from is repainted without its pressed look.
        CRect rectButton;
        BOOL bOnPopupMenuBar = FALSE, bHoldsPopupOpen = FALSE;
        if (pMenu->GetParentButtonRect(rectButton, bOnPopupMenuBar, bHoldsPopupOpen)) {
            rectButton.InflateRect(4, 4);
            HWND hwndButton = ::WindowFromPoint(rectButton.CenterPoint());
            if (hwndButton != NULL) {
                ::ScreenToClient(hwndButton, (LPPOINT)&rectButton.left);
                ::ScreenToClient(hwndButton, (LPPOINT)&rectButton.right);
                ::InvalidateRect(hwndButton, rectButton, TRUE);
                ::UpdateWindow(hwndButton);
            }
        }
    }
    CSPBaseControlBar* pBar = GetEmbeddedBar();
    BOOL bSuccess = FALSE;
    BOOL bTrack = pBar != NULL;
    MSG msg;
    // Pending paints first, so that the hidden popup leaves no trace.
    while (bTrack && ::PeekMessage(&msg, NULL, WM_PAINT, WM_PAINT, PM_NOREMOVE)) {
        if (!::GetMessage(&msg, NULL, WM_PAINT, WM_PAINT)) {
            AfxPostQuitMessage((int)msg.wParam);
            bTrack = FALSE;
            break;
        }
        ::DispatchMessage(&msg);
    }
    if (bTrack && ::GetCapture() != NULL) bTrack = FALSE;
    if (bTrack) {
        pBar->SetCapture();
        CRect rect;
        GetWindowRect(rect);
        ::SetCursorPos(rect.left + rect.Width() / 2, rect.top + 5);
        while (::GetCapture() == pBar->GetSafeHwnd()) {
            if (!::GetMessage(&msg, NULL, 0, 0)) {
                AfxPostQuitMessage((int)msg.wParam);
                break;
            }
            if (msg.message == WM_LBUTTONUP) {
                bSuccess = TRUE;
                break;
            }
            if (msg.message == WM_KEYDOWN) {
                if (msg.wParam == VK_ESCAPE) break;
                continue;
            }
            if (msg.message == WM_RBUTTONDOWN) break;
            if (msg.message == WM_MOUSEMOVE) {
                CPoint pt;
                ::GetCursorPos(&pt);
                PlaceUnderCursor(this, pt);
                continue;
            }
            ::DispatchMessage(&msg);
        }
        if (::GetCapture() == pBar->GetSafeHwnd()) ::ReleaseCapture();
    }
    if (bSuccess) {
        if (::IsWindow(hwndMenu)) ::SendMessage(hwndMenu, WM_CLOSE, 0, 0);
        CWnd* pMain = CSPFrameImpl::GetMainFrame();
        if (pMain == NULL) pMain = GetTopLevelFrame();
        if (pMain != NULL) pMain->SetFocus();
        return TRUE;
    }
    // Every way out but success gives the menu back and leaves neither the
    // frame nor the bar behind.
    if (::IsWindow(hwndMenu)) ::ShowWindow(hwndMenu, SW_SHOWNA);
    HWND hwndBar = pBar != NULL ? pBar->GetSafeHwnd() : NULL;
    if (hwndBar != NULL) {
        RemoveControlBar(pBar, FALSE, FALSE);
        ::DestroyWindow(hwndBar);
    }
    if (::IsWindow(m_hWnd)) DestroyWindow();
    return FALSE;
}
