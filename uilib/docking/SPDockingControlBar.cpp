// SPDockingControlBar.cpp - the resizable docking pane.
#include "SPDockingControlBar.h"
#include "SPPopupMenu.h"
#include "SPAutoHideButton.h"
#include "SPAutoHideDockBar.h"
#include "SPAutoHideToolBar.h"
#include "SPTabbedControlBar.h"

#include <algorithm>

#include "SPBarContainer.h"
#include "SPBarContainerManager.h"
#include "SPDockBar.h"
#include "SPDockManager.h"
#include "SPDockingUtils.h"
#include "SPFrameImpl.h"
#include "SPGlobalData.h"
#include "SPMultiMiniFrameWnd.h"
#include "SPOutlookBar.h"
#include "SPSlider.h"
#include "SPVisualManager.h"

using std::max;
using std::min;

IMPLEMENT_DYNCREATE(CSPDockingControlBar, CSPControlBar)

BOOL CSPDockingControlBar::m_bHideDisabledButtons = TRUE;
int CSPDockingControlBar::m_nDockSensitivity = 15;
CSize CSPDockingControlBar::m_sizeDragThreshold(::GetSystemMetrics(SM_CXDRAG), ::GetSystemMetrics(SM_CYDRAG));
int CSPDockingControlBar::m_nTimeOutBeforeAutoHide = 700;
int CSPDockingControlBar::m_nSlideDefaultTimeOut = 1;
int CSPDockingControlBar::m_nSlideSteps = 12;
BOOL CSPDockingControlBar::m_bDisableAnimation = FALSE;
int CSPDockingControlBar::m_nSlideModeDefault = 1;
BOOL CSPDockingControlBar::m_bHideInAutoHideModeDefault = FALSE;

namespace {

const UINT nIdsClose = 16032;
const UINT nIdsAutoHide = 16033;

CString LoadLibraryString(UINT nID) {
    CString str;
    if (!str.LoadString(nID)) str.Empty();
    return str;
}

BOOL IsSide(DWORD dwAlignment) {
    return dwAlignment == CBRS_ALIGN_LEFT || dwAlignment == CBRS_ALIGN_RIGHT || dwAlignment == CBRS_ALIGN_TOP ||
           dwAlignment == CBRS_ALIGN_BOTTOM;
}

}  // namespace

BEGIN_MESSAGE_MAP(CSPDockingControlBar, CSPControlBar)
    ON_WM_CREATE()
    ON_WM_NCCALCSIZE()
    ON_WM_NCPAINT()
    ON_WM_NCHITTEST()
    ON_WM_PAINT()
    ON_WM_LBUTTONDOWN()
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONUP()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_RBUTTONDOWN()
    ON_WM_NCLBUTTONDOWN()
    ON_WM_NCMOUSEMOVE()
    ON_WM_CLOSE()
    ON_WM_DESTROY()
    ON_WM_CANCELMODE()
    ON_MESSAGE(WM_SETTEXT, OnSetText)
    ON_WM_TIMER()
END_MESSAGE_MAP()

CSPDockingControlBar::CSPDockingControlBar()
    : m_bPrepareToFloat(FALSE),
      m_bReadyToFloat(FALSE),
      m_nCaptionHeight(0),
      m_bHasGripper(FALSE),
      m_bActive(FALSE),
      m_rectRedraw(0, 0, 0, 0),
      m_nPlacementWeight(100),
      m_bAutoHideMode(FALSE),
      m_bHideInAutoHideMode(m_bHideInAutoHideModeDefault),
      m_nAutoHideTimer(0),
      m_nSlideTimer(0),
      m_nSlideStepCount(0),
      m_nSlideStep(0),
      m_rectRestored(0, 0, 0, 0),
      m_bIsSliding(FALSE),
      m_bKeepShown(FALSE),
      m_bIsHiding(FALSE),
      m_nSlideMode(m_nSlideModeDefault),
      m_pAutoHideButton(NULL),
      m_pAutoHideBar(NULL),
      m_pTabbedControlBarRTC(RUNTIME_CLASS(CSPTabbedControlBar)),
      m_hRestoredDefaultSlider(NULL),
      m_btnClose(nHitClose),
      m_btnPin(nHitPin),
      m_pMiniFrameRTC(NULL),
      m_hDefaultSlider(NULL),
      m_nHotButton(0),
      m_nPressedButton(0) {}

CSPDockingControlBar::~CSPDockingControlBar() {}

// --- creation ----------------------------------------------------------------------------------

BOOL CSPDockingControlBar::Create(LPCTSTR lpszCaption, CWnd* pParentWnd, const CSize& size, BOOL bHasGripper,
                                  UINT nID, DWORD dwStyle, DWORD dwTabbedStyle, DWORD dwSPBarStyle) {
    return CreateEx(0, lpszCaption, pParentWnd, CRect(0, 0, size.cx, size.cy), bHasGripper, nID, dwStyle,
                    dwTabbedStyle, dwSPBarStyle, NULL);
}

BOOL CSPDockingControlBar::Create(LPCTSTR lpszCaption, CWnd* pParentWnd, const RECT& rect, BOOL bHasGripper,
                                  UINT nID, DWORD dwStyle, DWORD dwTabbedStyle, DWORD dwSPBarStyle,
                                  CCreateContext* pContext) {
    return CreateEx(0, lpszCaption, pParentWnd, rect, bHasGripper, nID, dwStyle, dwTabbedStyle, dwSPBarStyle,
                    pContext);
}

BOOL CSPDockingControlBar::CreateEx(DWORD dwStyleEx, LPCTSTR lpszCaption, CWnd* pParentWnd, const RECT& rect,
                                    BOOL bHasGripper, UINT nID, DWORD dwStyle, DWORD dwTabbedStyle,
                                    DWORD dwSPBarStyle, CCreateContext* pContext) {
    if ((dwStyle & SP_CBRS_FLOAT_MULTI) != 0) m_pMiniFrameRTC = RUNTIME_CLASS(CSPMultiMiniFrameWnd);
    // Tabbed style 0x40: panes dropped on this one become pages of an
    // outlook bar; 0x20 gives the plain tabbed bar.
    if ((dwTabbedStyle & 0x40) != 0)
        m_pTabbedControlBarRTC = RUNTIME_CLASS(CSPOutlookBar);
    else if ((dwTabbedStyle & 0x20) != 0)
        m_pTabbedControlBarRTC = RUNTIME_CLASS(CSPTabbedControlBar);
    // The caption is drawn by the pane itself, never by the system.
    if ((dwStyle & WS_CAPTION) != 0 || bHasGripper) {
        dwStyle &= ~WS_CAPTION;
        bHasGripper = TRUE;
        m_bHasGripper = TRUE;
    }
    if (!CSPControlBar::CreateEx(dwStyleEx, NULL, dwStyle, rect, pParentWnd, nID, dwSPBarStyle, pContext))
        return FALSE;
    SetCurrentAlignment(dwStyle & CBRS_ALIGN_ANY);
    ShowCaption(bHasGripper);
    if (lpszCaption != NULL) SetWindowText(lpszCaption);
    return TRUE;
}

int CSPDockingControlBar::OnCreate(LPCREATESTRUCT lpCreateStruct) {
    if (CSPControlBar::OnCreate(lpCreateStruct) == -1) return -1;
    if (m_wndToolTip.Create(this, TTS_ALWAYSTIP)) {
        m_wndToolTip.SendMessage(TTM_ACTIVATE, TRUE);
        m_wndToolTip.SetWindowPos(&CWnd::wndTopMost, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        // The pane relays its mouse messages itself (PreTranslateMessage): a
        // subclassing tool would take the pane's window procedure away.
        const UINT ids[2] = {nIdsClose, nIdsAutoHide};
        for (UINT_PTR nTool = 1; nTool <= 2; nTool++) {
            CString strText = LoadLibraryString(ids[nTool - 1]);
            TOOLINFO ti;
            memset(&ti, 0, sizeof(ti));
            ti.cbSize = sizeof(ti);
            ti.hwnd = m_hWnd;
            ti.uId = nTool;
            ti.lpszText = (LPSTR)(LPCTSTR)strText;
            m_wndToolTip.SendMessage(TTM_ADDTOOL, 0, (LPARAM)&ti);
        }
    }
    return 0;
}

// --- queries -----------------------------------------------------------------------------------

BOOL CSPDockingControlBar::IsDocked() const {
    CSPMiniFrameWnd* pMiniFrame = GetParentMiniFrame(TRUE);
    return pMiniFrame == NULL || pMiniFrame->GetControlBarCount() != 1;
}

BOOL CSPDockingControlBar::IsInMultiMiniFrame() const {
    CSPMiniFrameWnd* pMiniFrame = GetParentMiniFrame(TRUE);
    return pMiniFrame != NULL && pMiniFrame->IsKindOf(RUNTIME_CLASS(CSPMultiMiniFrameWnd));
}

int CSPDockingControlBar::GetCaptionHeight() const { return IsFloating() ? 0 : m_nCaptionHeight; }

BOOL CSPDockingControlBar::CanAcceptBar(const CSPBaseControlBar* pBar) const {
    if (pBar == NULL) return FALSE;
    if (pBar->IsKindOf(RUNTIME_CLASS(CSPDockingControlBar))) return TRUE;
    CWnd* pParent = pBar->GetSafeHwnd() != NULL ? pBar->GetParent() : NULL;
    return pParent != NULL && pParent->IsKindOf(RUNTIME_CLASS(CSPDockingControlBar));
}

BOOL CSPDockingControlBar::CanAcceptMiniFrame(CSPMiniFrameWnd* pMiniFrame) const {
    if (pMiniFrame == NULL) return FALSE;
    CSPMultiMiniFrameWnd* pMulti = DYNAMIC_DOWNCAST(CSPMultiMiniFrameWnd, pMiniFrame);
    if (pMulti != NULL) return pMulti->CanBeDockedToBar(this);
    CWnd* pBar = pMiniFrame->GetControlBar();
    return pBar != NULL && pBar->IsKindOf(RUNTIME_CLASS(CSPBaseControlBar)) &&
           CanAcceptBar((CSPBaseControlBar*)pBar);
}

CSize CSPDockingControlBar::CalcFixedLayout(BOOL /*bStretch*/, BOOL /*bHorz*/) {
    CRect rect;
    GetWindowRect(rect);
    return rect.Size();
}

void CSPDockingControlBar::GetVisualInfo(SPBarInfo& info) {
    CSPControlBar::GetVisualInfo(info);
    info.bDockingPane = TRUE;
}

CSPSlider* CSPDockingControlBar::GetDefaultSlider() const {
    return DYNAMIC_DOWNCAST(CSPSlider, CWnd::FromHandlePermanent(m_hDefaultSlider));
}

void CSPDockingControlBar::SetDefaultSlider(HWND hSlider) {
    if (hSlider == m_hDefaultSlider) return;
    CSPSlider* pOld = GetDefaultSlider();
    m_hDefaultSlider = hSlider;
    if (pOld != NULL) pOld->RemoveControlBar(this);
}

int CSPDockingControlBar::GetDockingStatus(CPoint ptScreen, int nSensitivity) {
    CRect rectTop, rectBottom;
    GetTabArea(rectTop, rectBottom);
    if (HitTest(ptScreen, TRUE) == HTCAPTION || rectTop.PtInRect(ptScreen) || rectBottom.PtInRect(ptScreen))
        return 3;
    CRect rect;
    GetWindowRect(rect);
    rect.top += GetCaptionHeight() + rectTop.Height();
    rect.bottom -= rectBottom.Height();
    rect.DeflateRect(nSensitivity, nSensitivity);
    return rect.PtInRect(ptScreen) ? 0 : 2;
}

// --- the caption ---------------------------------------------------------------------------------

void CSPDockingControlBar::ShowCaption(BOOL bShow) {
    m_nCaptionHeight = bShow && m_bHasGripper ? spGlobalData.nTextHeightHorz + 2 * m_nCaptionBorder : 0;
    if (GetSafeHwnd() != NULL)
        CWnd::SetWindowPos(NULL, 0, 0, 0, 0,
                           SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

BOOL CSPDockingControlBar::IsPinAllowed() const {
    CSPDockManager* pDockManager = CSPDockingUtils::GetDockManager(GetDockSite());
    CSPSlider* pSlider = GetDefaultSlider();
    return pDockManager != NULL && pSlider != NULL &&
           (pDockManager->GetEnabledAutoHideSides() & pSlider->GetCurrentAlignment()) != 0 && CanAutoHide();
}

void CSPDockingControlBar::OnNcCalcSize(BOOL /*bCalcValidRects*/, NCCALCSIZE_PARAMS FAR* lpncsp) {
    if (IsFloating()) return;
    RECT& rc = lpncsp->rgrc[0];
    rc.top += m_nCaptionHeight;
    const BOOL bPinAllowed = IsPinAllowed();
    if (m_nCaptionHeight > 0) {
        // Window coordinates: the buttons line up from the caption's right.
        int x = rc.right - rc.left;
        for (CSPCaptionButton* pButton : {&m_btnClose, &m_btnPin}) {
            pButton->m_bPushed = FALSE;
            pButton->m_bFocused = FALSE;
            const BOOL bDisabled = pButton == &m_btnPin ? !bPinAllowed : !CanBeClosed();
            pButton->m_bHidden = m_bHideDisabledButtons && bDisabled;
            if (pButton->m_bHidden) continue;
            const CSize size = pButton->GetSize();
            x -= size.cx;
            pButton->Move(CPoint(x, (m_nCaptionHeight - size.cy) / 2));
            x -= 2;
        }
    }
    rc.right = max(rc.right, rc.left);
    rc.bottom = max(rc.bottom, rc.top);
    UpdateToolTips();
}

CRect CSPDockingControlBar::ButtonRect(const CSPCaptionButton& button) const {
    CRect rect = button.GetRect();
    CRect rectWnd;
    GetWindowRect(rectWnd);
    rect.OffsetRect(rectWnd.TopLeft());
    return rect;
}

void CSPDockingControlBar::UpdateToolTips() {
    if (m_wndToolTip.GetSafeHwnd() == NULL) return;
    UINT nTool = 1;
    for (CSPCaptionButton* pButton : {&m_btnClose, &m_btnPin}) {
        CRect rect = pButton->m_bHidden || m_nCaptionHeight == 0 ? CRect(0, 0, 0, 0) : ButtonRect(*pButton);
        if (!rect.IsRectEmpty()) ScreenToClient(rect);
        m_wndToolTip.SetToolRect(this, nTool++, rect);
    }
}

void CSPDockingControlBar::OnNcPaint() {
    CWindowDC dc(this);
    CRect rectWnd, rectClient;
    GetWindowRect(rectWnd);
    GetClientRect(rectClient);
    ClientToScreen(rectClient);
    rectClient.OffsetRect(-rectWnd.TopLeft());
    dc.ExcludeClipRect(rectClient);
    rectWnd.OffsetRect(-rectWnd.TopLeft());
    if (!m_rectRedraw.IsRectEmpty()) {
        CRect rectClip = m_rectRedraw;
        CRect rectScreen;
        GetWindowRect(rectScreen);
        rectClip.OffsetRect(-rectScreen.TopLeft());
        dc.IntersectClipRect(rectClip);
    }
    dc.IntersectClipRect(rectWnd);
    CSPVisualManager* pVM = CSPVisualManager::GetInstance();
    pVM->OnFillBarBackground(&dc, this, rectWnd, rectWnd, TRUE);
    if (m_nCaptionHeight == 0 || IsFloating()) return;
    CRect rectCaption(rectWnd.left, rectWnd.top + 1, rectWnd.right, rectWnd.top + m_nCaptionHeight - 2 + 1);
    DrawCaption(&dc, rectCaption);
    for (CSPCaptionButton* pButton : {&m_btnClose, &m_btnPin}) {
        if (pButton->m_bHidden) continue;
        pVM->OnDrawCaptionButton(&dc, pButton, m_bActive, IsHorizontal(), pButton == &m_btnPin && m_bAutoHideMode,
                                 FALSE);
    }
}

void CSPDockingControlBar::DrawCaption(CDC* pDC, CRect rectCaption) {
    CRect rectButtons(rectCaption.right, rectCaption.top, rectCaption.right, rectCaption.bottom);
    if (!m_btnClose.m_bHidden) rectButtons.left = min(rectButtons.left, m_btnClose.GetRect().left);
    if (!m_btnPin.m_bHidden) rectButtons.left = min(rectButtons.left, m_btnPin.GetRect().left);
    const COLORREF clrText =
        CSPVisualManager::GetInstance()->OnDrawControlBarCaption(pDC, this, m_bActive, rectCaption, rectButtons);
    CString strText;
    GetWindowText(strText);
    CFont* pOldFont = pDC->SelectObject(&spGlobalData.fontRegular);
    const COLORREF clrOld = pDC->SetTextColor(clrText);
    const int nOldMode = pDC->SetBkMode(TRANSPARENT);
    CRect rectText = rectCaption;
    rectText.DeflateRect(2 * m_nCaptionGap, 0);
    rectText.right = max(rectText.left, min(rectText.right, rectButtons.left - m_nCaptionGap));
    pDC->DrawText(strText, rectText, DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS);
    pDC->SetBkMode(nOldMode);
    pDC->SetTextColor(clrOld);
    pDC->SelectObject(pOldFont);
}

void CSPDockingControlBar::OnPaint() { CPaintDC dc(this); }

int CSPDockingControlBar::HitTest(CPoint ptScreen, BOOL bDetectCaption) {
    CRect rectWnd;
    GetWindowRect(rectWnd);
    if (!rectWnd.PtInRect(ptScreen)) return 0;
    if (m_nCaptionHeight > 0 && !IsFloating()) {
        for (CSPCaptionButton* pButton : {&m_btnClose, &m_btnPin}) {
            if (!pButton->m_bHidden && ButtonRect(*pButton).PtInRect(ptScreen)) return (int)pButton->m_nHit;
        }
    }
    CRect rectClient;
    GetClientRect(rectClient);
    ClientToScreen(rectClient);
    if (rectClient.PtInRect(ptScreen)) return HTCLIENT;
    if (!m_bHasGripper || IsFloating()) return -2;
    CRect rectCaption(rectWnd.left, rectWnd.top + 1, rectWnd.right, rectWnd.top + 1 + m_nCaptionHeight);
    if (rectCaption.PtInRect(ptScreen)) return bDetectCaption ? HTCAPTION : HTCLIENT;
    return -2;
}

LRESULT CSPDockingControlBar::OnNcHitTest(CPoint point) {
    const int nHit = HitTest(point, FALSE);
    if (nHit == -2) return CSPControlBar::OnNcHitTest(point);
    // The buttons are tracked through the client messages of the caption.
    return nHit == (int)nHitClose || nHit == (int)nHitPin ? HTCLIENT : nHit;
}

// --- caption buttons ---------------------------------------------------------------------------

CSPCaptionButton* CSPDockingControlBar::FindButton(UINT nHit) {
    if (nHit == nHitClose) return &m_btnClose;
    if (nHit == nHitPin) return &m_btnPin;
    return NULL;
}

void CSPDockingControlBar::RedrawButton(CSPCaptionButton* pButton) {
    if (pButton == NULL || GetSafeHwnd() == NULL) return;
    m_rectRedraw = ButtonRect(*pButton);
    SendMessage(WM_NCPAINT);
    m_rectRedraw.SetRectEmpty();
    UpdateWindow();
}

void CSPDockingControlBar::UpdateHotButton(CPoint ptScreen) {
    const int nHit = HitTest(ptScreen, FALSE);
    const UINT nHot = nHit == (int)nHitClose || nHit == (int)nHitPin ? (UINT)nHit : 0;
    if (nHot == m_nHotButton) return;
    CSPCaptionButton* pOld = FindButton(m_nHotButton);
    CSPCaptionButton* pNew = FindButton(nHot);
    m_nHotButton = nHot;
    if (pOld != NULL) {
        pOld->m_bFocused = FALSE;
        RedrawButton(pOld);
    }
    if (pNew != NULL) {
        pNew->m_bFocused = m_nPressedButton == 0 || m_nPressedButton == nHot;
        RedrawButton(pNew);
    }
    if (m_nPressedButton == 0) {
        if (nHot != 0 && ::GetCapture() != m_hWnd)
            SetCapture();
        else if (nHot == 0 && ::GetCapture() == m_hWnd)
            ::ReleaseCapture();
    }
}

void CSPDockingControlBar::ReleaseButtons() {
    if (::GetCapture() == m_hWnd && !m_bCaptured) ::ReleaseCapture();
    m_nPressedButton = 0;
    m_nHotButton = 0;
    for (CSPCaptionButton* pButton : {&m_btnClose, &m_btnPin}) {
        const BOOL bChanged = pButton->m_bPushed || pButton->m_bFocused;
        pButton->m_bPushed = pButton->m_bFocused = FALSE;
        if (bChanged) RedrawButton(pButton);
    }
}

void CSPDockingControlBar::OnNcMouseMove(UINT nHitTest, CPoint point) {
    if (!m_bPrepareToFloat) UpdateHotButton(point);
    CSPControlBar::OnNcMouseMove(nHitTest, point);
}

void CSPDockingControlBar::OnNcLButtonDown(UINT nHitTest, CPoint point) {
    if (IsDocked()) return;
    CSPControlBar::OnNcLButtonDown(nHitTest, point);
}

void CSPDockingControlBar::OnLButtonDown(UINT nFlags, CPoint point) {
    CSPCaptionButton* pHot = FindButton(m_nHotButton);
    if (pHot != NULL) {
        m_nPressedButton = m_nHotButton;
        pHot->m_bPushed = TRUE;
        RedrawButton(pHot);
        return;
    }
    CWnd* pChild = GetWindow(GW_CHILD);
    if (pChild != NULL && pChild->GetWindow(GW_HWNDNEXT) == NULL && pChild != &m_wndToolTip) pChild->SetFocus();
    if (!m_bAutoHideMode && !IsTabbed()) {
        if (CanFloat()) m_bPrepareToFloat = TRUE;
        CSPControlBar::OnLButtonDown(nFlags, point);
    }
    if (GetSafeHwnd() != NULL && ::GetFocus() != m_hWnd && !IsChild(GetFocus())) SetFocus();
}

void CSPDockingControlBar::OnMouseMove(UINT nFlags, CPoint point) {
    if (!m_bPrepareToFloat) {
        CPoint ptScreen = point;
        ClientToScreen(&ptScreen);
        UpdateHotButton(ptScreen);
        CSPControlBar::OnMouseMove(nFlags, point);
        return;
    }
    if (GetDockMode() != SP_DT_IMMEDIATE) {
        CSPControlBar::OnMouseMove(nFlags, point);
        return;
    }
    CPoint ptScreen = point;
    ClientToScreen(&ptScreen);
    CRect rectRef;
    GetWindowRect(rectRef);
    if (rectRef.PtInRect(ptScreen)) m_bReadyToFloat = TRUE;
    rectRef.InflateRect(m_sizeDragThreshold);
    if (rectRef.PtInRect(ptScreen) || !m_bReadyToFloat) return;
    m_bPrepareToFloat = m_bReadyToFloat = FALSE;
    StopTracking();
    FloatControlBar(m_recentDockInfo.m_rectRecentFloatingRect, SP_DM_MOUSE, true);
}

void CSPDockingControlBar::OnLButtonUp(UINT nFlags, CPoint point) {
    m_bPrepareToFloat = m_bReadyToFloat = FALSE;
    if (m_nPressedButton == 0) {
        CSPControlBar::OnLButtonUp(nFlags, point);
        return;
    }
    const UINT nPressed = m_nPressedButton, nHot = m_nHotButton;
    ReleaseButtons();
    if (nPressed != nHot) return;
    if (nPressed == nHitPin) {
        CSPSlider* pSlider = GetDefaultSlider();
        CSPDockManager* pDockManager = CSPDockingUtils::GetDockManager(GetDockSite());
        if (pSlider != NULL && pDockManager != NULL &&
            (pDockManager->GetEnabledAutoHideSides() & pSlider->GetCurrentAlignment()) != 0)
            SetAutoHideMode(!m_bAutoHideMode, pSlider->GetCurrentAlignment(), NULL, TRUE);
        return;
    }
    if (nPressed == nHitClose) OnPressCloseButton();
}

void CSPDockingControlBar::OnCancelMode() {
    ReleaseButtons();
    m_bPrepareToFloat = m_bReadyToFloat = FALSE;
    CSPControlBar::OnCancelMode();
}

void CSPDockingControlBar::OnRButtonDown(UINT nFlags, CPoint point) {
    // What the pane shows may have changed under an open menu's shadow.
    CSPPopupMenu::UpdateAllShadows();
    SetFocus();
    CSPControlBar::OnRButtonDown(nFlags, point);
}

void CSPDockingControlBar::OnPressCloseButton() {
    if (m_bAutoHideMode) SetAutoHideMode(FALSE, GetCurrentAlignment(), NULL, TRUE);
    ShowControlBar(FALSE, FALSE, FALSE);
    AdjustDockingLayout(NULL);
}

BOOL CSPDockingControlBar::PreTranslateMessage(MSG* pMsg) {
    switch (pMsg->message) {
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONUP:
    case WM_NCRBUTTONDOWN:
    case WM_NCRBUTTONUP:
    case WM_NCMBUTTONDOWN:
    case WM_NCMBUTTONUP:
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
        if (m_wndToolTip.GetSafeHwnd() != NULL) m_wndToolTip.RelayEvent(pMsg);
        break;
    default:
        break;
    }
    return CSPControlBar::PreTranslateMessage(pMsg);
}

void CSPDockingControlBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) {
    CSPControlBar::OnUpdateCmdUI(pTarget, bDisableIfNoHndler);
    UpdateDialogControls(pTarget, bDisableIfNoHndler);
    HWND hFocus = ::GetFocus();
    const BOOL bActive = hFocus != NULL && (hFocus == m_hWnd || ::IsChild(m_hWnd, hFocus));
    if (bActive != m_bActive) {
        m_bActive = bActive;
        SendMessage(WM_NCPAINT);
    }
}

LRESULT CSPDockingControlBar::OnSetText(WPARAM /*wParam*/, LPARAM lParam) {
    const LRESULT lResult = Default();
    CSPBaseTabbedBar* pTabbedBar = GetParentTabbedBar();
    if (pTabbedBar != NULL) {
        CSPBaseTabWnd* pTabWnd = pTabbedBar->GetTabWnd();
        const int iTab = pTabWnd->GetTabFromHwnd(m_hWnd);
        CString strLabel;
        if (iTab >= 0 && pTabWnd->GetTabLabel(iTab, strLabel) && strLabel != (LPCTSTR)lParam) {
            pTabWnd->SetTabLabel(iTab, (LPCTSTR)lParam);
            pTabbedBar->UpdateCaptionFromActiveTab();
        }
        return lResult;
    }
    if (m_bAutoHideMode) {
        if (m_pAutoHideBar->GetSafeHwnd() != NULL) {
            m_pAutoHideBar->CalcDynamicLayout(0, 0);
            m_pAutoHideBar->RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        }
        AdjustDockingLayout(NULL);
        return lResult;
    }
    CSPMiniFrameWnd* pMiniFrame = GetParentMiniFrame(TRUE);
    if (IsFloating() && pMiniFrame != NULL) {
        pMiniFrame->SetWindowText((LPCTSTR)lParam);
        pMiniFrame->SetWindowPos(NULL, 0, 0, 0, 0,
                                 SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    } else {
        CWnd::SetWindowPos(NULL, 0, 0, 0, 0,
                           SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    }
    return lResult;
}

void CSPDockingControlBar::OnClose() { DestroyWindow(); }

void CSPDockingControlBar::OnDestroy() {
    if (m_wndToolTip.GetSafeHwnd() != NULL) m_wndToolTip.DestroyWindow();
    if (m_bAutoHideMode) {
        // A pinned-away pane takes its button and its slider along.
        KillTimer(nTimerCheck);
        KillTimer(nTimerSlideIn);
        KillTimer(nTimerSlideOut);
        m_bAutoHideMode = FALSE;
        CSPAutoHideToolBar* pToolBar = m_pAutoHideBar;
        m_pAutoHideBar = NULL;
        m_pAutoHideButton = NULL;
        if (pToolBar->GetSafeHwnd() != NULL) pToolBar->RemoveAutoHideButton(this);
        CSPSlider* pSlider = GetDefaultSlider();
        m_hDefaultSlider = NULL;
        if (pSlider != NULL) {
            CSPDockManager* pDockManager = CSPDockingUtils::GetDockManager(GetDockSite());
            if (pDockManager != NULL) pDockManager->RemoveControlBar(pSlider, FALSE, FALSE, TRUE);
            if (pSlider->GetContainerManager() != NULL) pSlider->GetContainerManager()->RemoveControlBar(this);
            pSlider->DestroyWindow();
        }
    }
    CSPMiniFrameWnd* pMiniFrame = GetParentMiniFrame(TRUE);
    if (pMiniFrame == NULL) {
        UnDockControlBar(TRUE);
        // The panes left on the side take the space, unless the frame goes too.
        CFrameWnd* pDockSite = GetDockSite();
        if (pDockSite->GetSafeHwnd() != NULL && pDockSite->IsWindowVisible()) AdjustDockingLayout(NULL);
    }
    // A floating pane leaves its frame below (the control bar's handling):
    // moving it into the dock site here would keep its window alive while
    // its frame, or the dock site itself, is being destroyed.
    CSPControlBar::OnDestroy();
}

// --- docking -------------------------------------------------------------------------------------

CSPSlider* CSPDockingControlBar::CreateDefaultSlider(DWORD dwAlignment, CWnd* pFrame, CRuntimeClass* pSliderRTC) {
    CSPSlider* pSlider = NULL;
    if (pSliderRTC != NULL && pSliderRTC->IsDerivedFrom(RUNTIME_CLASS(CSPSlider)))
        pSlider = (CSPSlider*)pSliderRTC->CreateObject();
    if (pSlider == NULL) pSlider = new CSPSlider(TRUE, pFrame);
    const DWORD dwSliderStyle = (dwAlignment & (CBRS_ALIGN_LEFT | CBRS_ALIGN_RIGHT)) != 0 ? SP_SS_VERT : SP_SS_HORZ;
    const int w = CSPSlider::m_nDefaultWidth;
    // A slider deletes itself with its window; a refused one has deleted
    // itself already (PostNcDestroy).
    if (!pSlider->Create(dwSliderStyle | WS_VISIBLE, CRect(0, 0, w, w), pFrame, (UINT)-1)) return NULL;
    pSlider->SetCurrentAlignment(dwAlignment & CBRS_ALIGN_ANY);
    return pSlider;
}

BOOL CSPDockingControlBar::DockToFrameSide() {
    DWORD dwAlignment = GetCurrentAlignment();
    if (!IsSide(dwAlignment)) dwAlignment = m_recentDockInfo.m_dwRecentAlignmentToFrame;
    if (!IsSide(dwAlignment)) dwAlignment = CBRS_ALIGN_LEFT;
    return DockToFrameSide(dwAlignment, FALSE);
}

BOOL CSPDockingControlBar::DockToFrameSide(DWORD dwAlignment, BOOL bOuterEdge) {
    dwAlignment &= CBRS_ALIGN_ANY;
    CFrameWnd* pDockSite = GetDockSite();
    CSPDockManager* pDockManager = CSPDockingUtils::GetDockManager(pDockSite);
    if (pDockManager == NULL || !IsSide(dwAlignment) || (GetEnabledAlignment() & dwAlignment) == 0) return FALSE;
    CSPSlider* pSlider = CreateDefaultSlider(dwAlignment, pDockSite, NULL);
    if (pSlider == NULL) return FALSE;
    UnDockControlBar(TRUE);
    if (GetParent() != pDockSite) ChangeParent(pDockSite, FALSE);
    // The pane keeps its extent across the side; the region spans the rest.
    CRect rect;
    GetWindowRect(rect);
    CSize sizeMin;
    GetMinSize(sizeMin);
    const CRect rectClient = pDockManager->GetClientAreaBounds();
    const BOOL bVertSide = (dwAlignment & (CBRS_ALIGN_LEFT | CBRS_ALIGN_RIGHT)) != 0;
    int nExtent = bVertSide ? max(rect.Width(), (int)sizeMin.cx) : max(rect.Height(), (int)sizeMin.cy);
    nExtent = max(1, min(nExtent, (bVertSide ? rectClient.Width() : rectClient.Height()) / 2));
    CWnd::SetWindowPos(NULL, 0, 0, bVertSide ? nExtent : max(rectClient.Width(), 1),
                       bVertSide ? max(rectClient.Height(), 1) : nExtent, SWP_NOZORDER | SWP_NOACTIVATE);
    pDockManager->AddControlBar(pSlider, !bOuterEdge, FALSE, bOuterEdge);
    pSlider->AddControlBar(this);
    m_hDefaultSlider = pSlider->GetSafeHwnd();
    SetCurrentAlignment(dwAlignment);
    if (!pDockManager->IsBarKnown(this)) pDockManager->AddControlBar(this, TRUE, FALSE, FALSE);
    m_recentDockInfo.m_dwRecentAlignmentToFrame = dwAlignment;
    ShowWindow(SW_SHOW);
    ShowCaption(TRUE);
    AdjustDockingLayout(NULL);
    return TRUE;
}

BOOL CSPDockingControlBar::DockBeside(CSPDockingControlBar* pTarget, DWORD dwAlignment) {
    if (pTarget == NULL || pTarget == this) return FALSE;
    dwAlignment &= CBRS_ALIGN_ANY;
    if (!IsSide(dwAlignment)) return FALSE;
    CSPMultiMiniFrameWnd* pMulti = DYNAMIC_DOWNCAST(CSPMultiMiniFrameWnd, pTarget->GetParentMiniFrame(TRUE));
    if (pMulti != NULL) return pMulti->InsertBar(this, pTarget, dwAlignment);
    CSPSlider* pSlider = pTarget->GetDefaultSlider();
    CSPDockManager* pDockManager = CSPDockingUtils::GetDockManager(GetDockSite());
    if (pSlider == NULL || pDockManager == NULL) return FALSE;
    UnDockControlBar(TRUE);
    CFrameWnd* pDockSite = GetDockSite();
    if (GetParent() != pDockSite) ChangeParent(pDockSite, FALSE);
    if (!pSlider->InsertControlBar(this, pTarget, dwAlignment)) return FALSE;
    m_hDefaultSlider = pSlider->GetSafeHwnd();
    SetCurrentAlignment(pSlider->GetCurrentAlignment());
    if (!pDockManager->IsBarKnown(this)) pDockManager->AddControlBar(this, TRUE, FALSE, FALSE);
    ShowWindow(SW_SHOW);
    ShowCaption(TRUE);
    AdjustDockingLayout(NULL);
    return TRUE;
}

BOOL CSPDockingControlBar::DockControlBar(CSPBaseControlBar* pDockBar, LPCRECT lpRect, int nDockMethod) {
    CSPBaseControlBar* pTarget = pDockBar;
    if (!OnBeforeDock(&pTarget, lpRect, nDockMethod)) return FALSE;
    BOOL bDocked = FALSE;
    if (nDockMethod == SP_DM_SHOW && pDockBar == NULL) {
        bDocked = DockToRecentSlider();
        if (!bDocked) bDocked = DockToFrameSide(m_recentDockInfo.m_dwRecentAlignmentToFrame, FALSE);
    } else if (pDockBar != NULL && pDockBar->IsKindOf(RUNTIME_CLASS(CSPDockingControlBar))) {
        // Beside a pane: on the side of it the pointer is nearest to.
        CSPDockingControlBar* pPane = (CSPDockingControlBar*)pDockBar;
        CPoint pt;
        ::GetCursorPos(&pt);
        CRect rect;
        pPane->GetWindowRect(rect);
        DWORD dwSide = 0;
        if (!CSPDockingUtils::CheckDockSide(pt.x, pt.y, NULL, m_nDockSensitivity, FALSE, dwSide, CBRS_ALIGN_ANY,
                                            rect)) {
            dwSide = pPane->IsHorizontal() ? CBRS_ALIGN_RIGHT : CBRS_ALIGN_BOTTOM;
        }
        bDocked = DockBeside(pPane, dwSide);
    } else if (pDockBar != NULL && pDockBar->IsKindOf(RUNTIME_CLASS(CSPDockBar))) {
        bDocked = DockToFrameSide(pDockBar->GetCurrentAlignment(), FALSE);
    }
    if (bDocked) OnAfterDock(pTarget, lpRect, nDockMethod);
    return bDocked;
}

void CSPDockingControlBar::OnAfterDock(CSPBaseControlBar* /*pDockBar*/, LPCRECT /*lpRect*/, int /*nDockMethod*/) {
    if (GetSafeHwnd() != NULL && IsWindowVisible()) SetFocus();
}

BOOL CSPDockingControlBar::DockToRecentSlider() {
    CSPSlider* pSlider = m_recentDockInfo.GetSlider();
    if (pSlider == NULL || pSlider->GetContainerManager() == NULL) return FALSE;
    if (GetDefaultSlider() == pSlider && pSlider->GetContainerManager()->GetBars().Find(this) != NULL) {
        ShowWindow(SW_SHOW);
        return TRUE;
    }
    UnDockControlBar(TRUE);
    CFrameWnd* pDockSite = GetDockSite();
    if (GetParent() != pDockSite) ChangeParent(pDockSite, FALSE);
    if (!pSlider->AddRecentControlBar(this)) return FALSE;
    m_hDefaultSlider = pSlider->GetSafeHwnd();
    SetCurrentAlignment(pSlider->GetCurrentAlignment());
    CSPDockManager* pDockManager = CSPDockingUtils::GetDockManager(pDockSite);
    if (pDockManager != NULL && !pDockManager->IsBarKnown(this)) pDockManager->AddControlBar(this, TRUE, FALSE, FALSE);
    ShowWindow(SW_SHOW);
    ShowCaption(TRUE);
    CWnd::SetWindowPos(NULL, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    AdjustDockingLayout(NULL);
    return TRUE;
}

BOOL CSPDockingControlBar::DockContainer(CSPBarContainerManager& manager, DWORD dwAlignment, int /*nDockMethod*/) {
    CSPSlider* pSlider = GetDefaultSlider();
    if (pSlider == NULL || pSlider->GetContainerManager() == NULL) return FALSE;
    if (!pSlider->GetContainerManager()->AddContainerManager(this, dwAlignment, manager, TRUE)) return FALSE;
    AdjustDockingLayout(NULL);
    return TRUE;
}

CSPBaseControlBar* CSPDockingControlBar::DockOnDrag(BOOL& bHandled) {
    bHandled = FALSE;
    // Ctrl held keeps a dragged pane floating wherever it is dropped.
    if (::GetKeyState(VK_CONTROL) < 0) return NULL;
    CPoint pt;
    ::GetCursorPos(&pt);
    CSPDockManager* pDockManager = CSPDockingUtils::GetDockManager(GetDockSite());
    if (pDockManager == NULL) return NULL;
    DWORD dwAlignment = 0;
    CSPBaseControlBar* pTarget = pDockManager->ControlBarFromPointWithSide(pt, m_nDockSensitivity, dwAlignment, NULL);
    CSPDockingControlBar* pPane = DYNAMIC_DOWNCAST(CSPDockingControlBar, pTarget);
    if (pPane == NULL) {
        CWnd* pFrame = pDockManager->FrameFromPoint(pt, GetParentMiniFrame(TRUE), TRUE);
        CSPMultiMiniFrameWnd* pMulti = DYNAMIC_DOWNCAST(CSPMultiMiniFrameWnd, pFrame);
        if (pMulti != NULL) pPane = DYNAMIC_DOWNCAST(CSPDockingControlBar, pMulti->ControlBarFromPoint(pt, m_nDockSensitivity, TRUE));
    }
    if (pPane == NULL || pPane == this) return NULL;
    const int nStatus = pPane->GetDockingStatus(pt, m_nDockSensitivity);
    if (nStatus == 3) {
        // On a caption or a tab strip: the pane joins the target as a tab.
        if (!pPane->CanAcceptBar(this)) return NULL;
        UnDockControlBar(FALSE);
        bHandled = AttachToTabWnd(pPane, SP_DM_MOUSE, TRUE) != NULL;
        return this;
    }
    if (nStatus != 2) return NULL;
    if (pPane->IsInMultiMiniFrame()) {
        if ((GetControlBarStyle() & SP_CBRS_FLOAT_MULTI) == 0) return NULL;
        CSPMultiMiniFrameWnd* pMulti = (CSPMultiMiniFrameWnd*)pPane->GetParentMiniFrame(TRUE);
        bHandled = !pMulti->DockBarAtCursor(this);
        return this;
    }
    bHandled = DockControlBar(pPane, NULL, SP_DM_MOUSE);
    return this;
}

void CSPDockingControlBar::OnBeforeChangeParent(CWnd* pWndNewParent, BOOL bDelay) {
    // Leaving for a floating frame or a tab takes the pane out of its
    // slider's region.
    if (pWndNewParent != NULL && (pWndNewParent->IsKindOf(RUNTIME_CLASS(CSPMiniFrameWnd)) ||
                                  pWndNewParent->IsKindOf(RUNTIME_CLASS(CSPBaseTabWnd)))) {
        CSPSlider* pSlider = GetDefaultSlider();
        if (pSlider != NULL) {
            StoreRecentDockInfo();
            m_hDefaultSlider = NULL;
            pSlider->RemoveControlBar(this);
        }
    }
    CSPControlBar::OnBeforeChangeParent(pWndNewParent, bDelay);
}

void CSPDockingControlBar::OnAfterChangeParent(CWnd* pWndOldParent) {
    CSPControlBar::OnAfterChangeParent(pWndOldParent);
    if (GetParentMiniFrame(TRUE) != NULL) CSPMiniFrameWnd::RegisterBarInGlobalMap(this, TRUE);
}

void CSPDockingControlBar::UnDockControlBar(BOOL bDelay) {
    CSPSlider* pSlider = GetDefaultSlider();
    if (pSlider != NULL) {
        // The place it leaves is where it goes back to.
        StoreRecentDockInfo();
        m_hDefaultSlider = NULL;
        pSlider->RemoveControlBar(this);
        if (!bDelay) AdjustDockingLayout(NULL);
        return;
    }
    CSPControlBar::UnDockControlBar(bDelay);
}

CSPMiniFrameWnd* CSPDockingControlBar::CreateDefaultMiniFrame(CRect rectInitial) {
    if (m_pMiniFrameRTC == NULL) return CSPControlBar::CreateDefaultMiniFrame(rectInitial);
    CSPMiniFrameWnd* pMiniFrame = (CSPMiniFrameWnd*)m_pMiniFrameRTC->CreateObject();
    if (pMiniFrame == NULL) return NULL;
    if (!pMiniFrame->CreateEx(0, _T(""), WS_POPUP, rectInitial, SPGetParentFrame(this))) {
        delete pMiniFrame;
        return NULL;
    }
    return pMiniFrame;
}

BOOL CSPDockingControlBar::ShowControlBar(BOOL bShow, BOOL bDelay, BOOL bActivate) {
    if (m_bAutoHideMode) {
        if (!IsHideInAutoHideMode()) {
            if (m_pAutoHideButton != NULL) m_pAutoHideButton->ShowAttachedWindow(TRUE);
            if (bShow && bActivate) {
                SetFocus();
                m_bActive = TRUE;
            }
        } else {
            if (!bShow && IsWindowVisible() && m_pAutoHideButton != NULL) m_pAutoHideButton->ShowAttachedWindow(FALSE);
            if (m_pAutoHideBar->GetSafeHwnd() != NULL) m_pAutoHideBar->ShowAutoHideButton(this, bShow);
        }
        return TRUE;
    }
    CSPBaseTabbedBar* pTabbedBar = GetParentTabbedBar();
    if (pTabbedBar != NULL) {
        pTabbedBar->ShowTab(this, bShow, bDelay, bActivate);
        if (bShow && bActivate) {
            const int iTab = pTabbedBar->GetTabWnd()->GetTabFromHwnd(m_hWnd);
            if (iTab >= 0) pTabbedBar->ActivateTab(iTab);
        }
        return TRUE;
    }
    CSPMiniFrameWnd* pMiniFrame = GetParentMiniFrame(TRUE);
    if (!IsFloating() && !IsTabbed()) {
        ShowWindow(bShow ? SW_SHOW : SW_HIDE);
        CSPSlider* pSlider = GetDefaultSlider();
        if (pMiniFrame == NULL && pSlider != NULL) {
            if (bShow) m_nPlacementWeight = m_nPlacementWeight < 50 ? m_nPlacementWeight + 1 : 50;
            pSlider->OnShowControlBar(this, bShow);
            if (!bDelay) AdjustDockingLayout(NULL);
        }
    } else {
        CSPControlBar::ShowControlBar(bShow, bDelay, bActivate);
    }
    CSPMultiMiniFrameWnd* pMulti = DYNAMIC_DOWNCAST(CSPMultiMiniFrameWnd, pMiniFrame);
    if (pMulti != NULL) pMulti->OnShowControlBar(this, bShow);
    if (bShow && bActivate && IsWindowVisible()) SetFocus();
    return TRUE;
}

// --- recent places -------------------------------------------------------------------------------

void CSPDockingControlBar::StoreRecentDockInfo() {
    CSPMiniFrameWnd* pMiniFrame = GetParentMiniFrame(TRUE);
    CSPMultiMiniFrameWnd* pMulti = DYNAMIC_DOWNCAST(CSPMultiMiniFrameWnd, pMiniFrame);
    if (pMulti != NULL) {
        pMulti->StoreBarDockInfo(this);
        return;
    }
    if (pMiniFrame != NULL) {
        m_recentDockInfo.StoreDockInfo(NULL, NULL);
        return;
    }
    CSPSlider* pSlider = GetDefaultSlider();
    if (pSlider == NULL || pSlider->GetContainerManager() == NULL) {
        CSPControlBar::StoreRecentDockInfo();
        return;
    }
    m_recentDockInfo.m_hRecentDefaultSlider = pSlider->GetSafeHwnd();
    m_recentDockInfo.m_dwRecentAlignmentToFrame = pSlider->GetCurrentAlignment();
    m_recentDockInfo.m_recentSliderInfo.m_nRecentPercent = m_nPlacementWeight;
    pSlider->GetContainerManager()->StoreBarDockInfo(this);
}

void CSPDockingControlBar::OnLButtonDblClk(UINT nFlags, CPoint point) {
    if (m_bAutoHideMode) {
        CSPBaseControlBar::OnLButtonDblClk(nFlags, point);
        return;
    }
    m_bPrepareToFloat = m_bReadyToFloat = FALSE;
    CSPMultiMiniFrameWnd* pMulti = DYNAMIC_DOWNCAST(CSPMultiMiniFrameWnd, GetParentMiniFrame(TRUE));
    if (pMulti != NULL) {
        StopTracking();
        pMulti->RedockControlBar(this);
        return;
    }
    if (GetDefaultSlider() == NULL) {
        StopTracking();
        return;
    }
    if (ReturnToMultiMiniFrame()) return;
    CSPControlBar::OnLButtonDblClk(nFlags, point);
}

BOOL CSPDockingControlBar::ReturnToMultiMiniFrame() {
    CSPMultiMiniFrameWnd* pMulti =
        DYNAMIC_DOWNCAST(CSPMultiMiniFrameWnd, CWnd::FromHandlePermanent(m_recentDockInfo.m_hRecentMiniFrame));
    if (pMulti == NULL || !::IsWindow(pMulti->GetSafeHwnd())) return FALSE;
    StoreRecentDockInfo();
    StopTracking();
    UnDockControlBar(FALSE);
    if (pMulti->AddRecentControlBar(this)) return TRUE;
    // The frame could not take it back: the pane floats on its own.
    CSPControlBar::FloatControlBar(m_recentDockInfo.m_rectRecentFloatingRect, SP_DM_SHOW, true);
    return TRUE;
}

void CSPDockingControlBar::Serialize(CArchive& ar) {
    CSPControlBar::Serialize(ar);
    if (ar.IsStoring()) {
        CSPMiniFrameWnd* pMiniFrame = GetParentMiniFrame(TRUE);
        if (pMiniFrame != NULL && IsFloating())
            pMiniFrame->GetWindowRect(m_recentDockInfo.m_rectRecentFloatingRect);
        const CRect& rectFloat = m_recentDockInfo.m_rectRecentFloatingRect;
        const CRect& rectDocked = m_recentDockInfo.GetRect(TRUE);
        ar << (int)rectFloat.left << (int)rectFloat.top << (int)rectFloat.right << (int)rectFloat.bottom;
        ar << (int)rectDocked.left << (int)rectDocked.top << (int)rectDocked.right << (int)rectDocked.bottom;
        ar << (int)(IsFloating() ? 1 : 0);
        return;
    }
    int v[9];
    for (int& n : v) ar >> n;
    m_recentDockInfo.m_rectRecentFloatingRect.SetRect(v[0], v[1], v[2], v[3]);
    m_rectSavedDockedRect.SetRect(v[4], v[5], v[6], v[7]);
    m_recentDockInfo.GetRect(TRUE) = m_rectSavedDockedRect;
    m_bRecentFloatingState = v[8] != 0;
}

// --- tabs ----------------------------------------------------------------------------------------

CSPBaseTabbedBar* CSPDockingControlBar::GetParentTabbedBar() const {
    if (GetSafeHwnd() == NULL) return NULL;
    CWnd* pParent = GetParent();
    if (pParent == NULL || !pParent->IsKindOf(RUNTIME_CLASS(CSPBaseTabWnd))) return NULL;
    return DYNAMIC_DOWNCAST(CSPBaseTabbedBar, pParent->GetParent());
}

CSPBaseTabbedBar* CSPDockingControlBar::CreateTabbedControlBar() {
    CRuntimeClass* pRTC = m_pTabbedControlBarRTC;
    if (pRTC == NULL || !pRTC->IsDerivedFrom(RUNTIME_CLASS(CSPBaseTabbedBar))) pRTC = RUNTIME_CLASS(CSPTabbedControlBar);
    CSPBaseTabbedBar* pTabbedBar = (CSPBaseTabbedBar*)pRTC->CreateObject();
    if (pTabbedBar == NULL) return NULL;
    pTabbedBar->SetAutoDestroy(TRUE);
    CWnd* pParent = GetParent();
    CRect rect;
    GetWindowRect(rect);
    if (pParent != NULL) pParent->ScreenToClient(rect);
    // Auto-destroying: a refused bar has deleted itself (PostNcDestroy).
    if (!pTabbedBar->Create(_T(""), pParent, rect, TRUE, (UINT)-1, GetStyle() | SP_CBRS_FLOAT_MULTI, 0x20,
                            SPCBRS_FLOAT | SPCBRS_AUTOHIDE | SPCBRS_RESIZE | SPCBRS_CLOSE))
        return NULL;
    pTabbedBar->m_recentDockInfo.GetRect(TRUE) = m_recentDockInfo.GetRect(TRUE);
    pTabbedBar->m_recentDockInfo.m_rectRecentFloatingRect = m_recentDockInfo.m_rectRecentFloatingRect;
    pTabbedBar->m_recentDockInfo.GetRect(FALSE) = m_recentDockInfo.GetRect(FALSE);
    return pTabbedBar;
}

BOOL CSPDockingControlBar::ReplaceInRegion(CSPDockingControlBar* pNewBar) {
    if (pNewBar == NULL) return FALSE;
    CRect rect;
    GetWindowRect(rect);
    CSPMiniFrameWnd* pMiniFrame = GetParentMiniFrame(TRUE);
    if (pMiniFrame != NULL) {
        if (pNewBar->GetParent() != pMiniFrame) pNewBar->SetParent(pMiniFrame);
        pMiniFrame->ScreenToClient(rect);
        pNewBar->CWnd::SetWindowPos(NULL, rect.left, rect.top, rect.Width(), rect.Height(),
                                    SWP_NOZORDER | SWP_NOACTIVATE);
        pMiniFrame->ReplaceControlBar(this, pNewBar);
        CSPMiniFrameWnd::RegisterBarInGlobalMap(pNewBar, TRUE);
        return TRUE;
    }
    CSPSlider* pSlider = GetDefaultSlider();
    if (pSlider == NULL) return FALSE;
    CWnd* pParent = GetParent();
    if (pParent != NULL) pParent->ScreenToClient(rect);
    pNewBar->CWnd::SetWindowPos(NULL, rect.left, rect.top, rect.Width(), rect.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
    if (!pSlider->ReplaceControlBar(this, pNewBar)) return FALSE;
    pNewBar->m_hDefaultSlider = pSlider->GetSafeHwnd();
    return TRUE;
}

CSPBaseTabbedBar* CSPDockingControlBar::AttachToTabWnd(CSPDockingControlBar* pTarget, int nDockMethod,
                                                       BOOL bSetActive, CSPBaseTabbedBar** ppTabbedControlBar) {
    if (ppTabbedControlBar != NULL) *ppTabbedControlBar = NULL;
    if (pTarget == NULL || pTarget == this || !CanBeTabbed() || !pTarget->CanBeTabbed()) return NULL;
    CSPBaseTabbedBar* pTabbedBar = DYNAMIC_DOWNCAST(CSPBaseTabbedBar, pTarget);
    if (pTabbedBar == NULL) pTabbedBar = pTarget->GetParentTabbedBar();
    if (pTabbedBar == NULL) {
        // The target makes a tabbed bar that takes its place and holds it
        // as the first tab.
        pTarget->StoreRecentDockInfo();
        pTabbedBar = pTarget->CreateTabbedControlBar();
        if (pTabbedBar == NULL) return NULL;
        const BOOL bInMiniFrame = pTarget->GetParentMiniFrame(TRUE) != NULL;
        if (!bInMiniFrame) FrameInsertControlBar(pTabbedBar, pTarget, TRUE);
        if (!pTarget->ReplaceInRegion(pTabbedBar)) {
            if (!bInMiniFrame) FrameRemoveControlBar(pTabbedBar, FALSE, FALSE, FALSE);
            pTabbedBar->DestroyWindow();
            return NULL;
        }
        pTabbedBar->EnableDocking(pTarget->GetEnabledAlignment());
        pTabbedBar->SetCurrentAlignment(pTarget->GetCurrentAlignment());
        // The target is no longer in the region: leaving it takes nothing
        // else along.
        pTarget->m_hDefaultSlider = NULL;
        pTarget->UnDockControlBar(TRUE);
        if (bInMiniFrame) pTarget->GetParentMiniFrame(TRUE)->RemoveControlBar(pTarget, FALSE, FALSE);
        pTabbedBar->AddTab(pTarget, TRUE, TRUE, TRUE);
        pTarget->ShowCaption(FALSE);
        pTabbedBar->ShowWindow(SW_SHOW);
    }
    ShowCaption(FALSE);
    CSPBaseControlBar* pDockBar = pTabbedBar;
    OnBeforeDock(&pDockBar, NULL, nDockMethod);
    OnBeforeChangeParent(pTabbedBar->GetTabWnd(), FALSE);
    // A floating pane's frame goes when it is left empty.
    CSPMiniFrameWnd* pOldFrame = GetParentMiniFrame(TRUE);
    if (pOldFrame != NULL) pOldFrame->RemoveControlBar(this, FALSE, FALSE);
    pTabbedBar->AddTab(this, TRUE, bSetActive, TRUE);
    ShowWindow(SW_SHOW);
    pTabbedBar->RecalcLayout();
    pTabbedBar->AdjustDockingLayout(NULL);
    if (ppTabbedControlBar != NULL) *ppTabbedControlBar = pTabbedBar;
    return pTabbedBar;
}

void CSPDockingControlBar::StoreRecentTabRelatedInfo() {
    CSPBaseTabbedBar* pTabbedBar = GetParentTabbedBar();
    if (pTabbedBar == NULL) return;
    CSPMultiMiniFrameWnd* pMulti = DYNAMIC_DOWNCAST(CSPMultiMiniFrameWnd, pTabbedBar->GetParentMiniFrame(TRUE));
    if (pMulti != NULL) {
        BOOL bLeft = FALSE;
        CSPBarContainer* pNode = pMulti->GetContainerManager().FindContainer(pTabbedBar, bLeft);
        m_recentDockInfo.m_hRecentMiniFrame = pMulti->GetSafeHwnd();
        m_recentDockInfo.m_recentMiniFrameInfo.StoreDockInfo(pNode, this, pTabbedBar);
        pMulti->GetWindowRect(m_recentDockInfo.m_rectRecentFloatingRect);
        return;
    }
    CSPSlider* pSlider = pTabbedBar->GetDefaultSlider();
    if (pSlider == NULL || pSlider->GetContainerManager() == NULL) return;
    BOOL bLeft = FALSE;
    CSPBarContainer* pNode = pSlider->GetContainerManager()->FindContainer(pTabbedBar, bLeft);
    m_recentDockInfo.m_hRecentDefaultSlider = pSlider->GetSafeHwnd();
    m_recentDockInfo.m_dwRecentAlignmentToFrame = pSlider->GetCurrentAlignment();
    m_recentDockInfo.m_recentSliderInfo.StoreDockInfo(pNode, this, pTabbedBar);
}

// --- auto-hide -----------------------------------------------------------------------------------

BOOL CSPDockingControlBar::IsVisible() const {
    if (m_bAutoHideMode) {
        if (!IsHideInAutoHideMode()) return FALSE;
        return m_pAutoHideBar->GetSafeHwnd() != NULL && m_pAutoHideBar->IsVisible();
    }
    return CSPControlBar::IsVisible();
}

CSPAutoHideToolBar* CSPDockingControlBar::SetAutoHideMode(BOOL bMode, DWORD dwAlignment,
                                                          CSPAutoHideToolBar* pCurrAutoHideBar, BOOL bUseTimer) {
    if (!bMode) {
        if (!m_bAutoHideMode) return NULL;
        // The whole group on the side goes back: the first pane docks,
        // the rest join it as tabs.
        CSPAutoHideDockBar* pDockBar =
            m_pAutoHideBar != NULL ? DYNAMIC_DOWNCAST(CSPAutoHideDockBar, m_pAutoHideBar->GetParentDockBar()) : NULL;
        if (pDockBar != NULL)
            pDockBar->SyncToolbarsInRow(m_pAutoHideBar);
        else if (m_pAutoHideBar != NULL)
            m_pAutoHideBar->UnSetAutoHideModeAll(NULL);
        else
            UnSetAutoHideMode(NULL);
        return NULL;
    }
    if (m_bAutoHideMode) return m_pAutoHideBar;
    dwAlignment &= CBRS_ALIGN_ANY;
    CFrameWnd* pDockSite = GetDockSite();
    CSPDockManager* pDockManager = CSPDockingUtils::GetDockManager(pDockSite);
    if (pDockManager == NULL || (dwAlignment != CBRS_ALIGN_LEFT && dwAlignment != CBRS_ALIGN_RIGHT &&
                                 dwAlignment != CBRS_ALIGN_TOP && dwAlignment != CBRS_ALIGN_BOTTOM))
        return NULL;
    m_bAutoHideMode = TRUE;
    CRect rectOld;
    GetWindowRect(rectOld);
    pDockSite->ScreenToClient(rectOld);
    StoreRecentDockInfo();
    UnDockControlBar(FALSE);

    CSPSlider* pSlider = CreateDefaultSlider(dwAlignment, pDockSite, NULL);
    if (pSlider == NULL) {
        m_bAutoHideMode = FALSE;
        DockControlBar(NULL, NULL, SP_DM_SHOW);
        return NULL;
    }
    m_hDefaultSlider = pSlider->GetSafeHwnd();
    pSlider->SetAutoHideMode(TRUE);
    pSlider->AddControlBar(this);
    SetCurrentAlignment(dwAlignment);
    pSlider->SetCurrentAlignment(dwAlignment);

    CSPAutoHideToolBar* pToolBar = pDockManager->AutoHideBar(this, pCurrAutoHideBar);
    if (pToolBar == NULL) {
        // The side has no strip for the button: the pane stays docked.
        m_bAutoHideMode = FALSE;
        m_hDefaultSlider = NULL;
        pSlider->GetContainerManager()->RemoveControlBar(this);
        pSlider->DestroyWindow();
        DockControlBar(NULL, NULL, SP_DM_SHOW);
        return NULL;
    }
    if ((GetStyle() & WS_VISIBLE) != 0) {
        pSlider->RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
        RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
        pDockSite->RedrawWindow(rectOld, NULL, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    } else {
        ShowWindow(SW_SHOW);
    }
    if (bUseTimer)
        m_nAutoHideTimer = (UINT)SetTimer(nTimerCheck, m_nTimeOutBeforeAutoHide, NULL);
    else
        Slide(FALSE, FALSE);
    return pToolBar;
}

void CSPDockingControlBar::UnSetAutoHideMode(CSPDockingControlBar* pFirstBarInGroup) {
    if (!m_bAutoHideMode) return;
    m_bAutoHideMode = FALSE;
    KillTimer(nTimerCheck);
    m_nAutoHideTimer = 0;
    if (m_nSlideTimer != 0) KillTimer(m_nSlideTimer);
    m_nSlideTimer = 0;
    m_bIsSliding = FALSE;
    CSPAutoHideToolBar* pToolBar = m_pAutoHideBar;
    const BOOL bActive = pToolBar->GetSafeHwnd() != NULL ? pToolBar->GetRecentRowIndex() != 0 : TRUE;
    m_pAutoHideBar = NULL;
    m_pAutoHideButton = NULL;
    // The toolbar may destroy itself with its last button.
    if (pToolBar->GetSafeHwnd() != NULL) pToolBar->RemoveAutoHideButton(this);

    CSPSlider* pSlider = GetDefaultSlider();
    m_hDefaultSlider = NULL;
    if (pSlider != NULL) {
        CSPDockManager* pDockManager = CSPDockingUtils::GetDockManager(GetDockSite());
        if (pDockManager != NULL) pDockManager->RemoveControlBar(pSlider, FALSE, FALSE, TRUE);
        if (pSlider->GetContainerManager() != NULL) pSlider->GetContainerManager()->RemoveControlBar(this);
        pSlider->DestroyWindow();
    }
    // Back as it was before it was pinned away.
    CWnd::SetWindowPos(NULL, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    if (pFirstBarInGroup == NULL || pFirstBarInGroup == this || !::IsWindow(pFirstBarInGroup->GetSafeHwnd())) {
        if (!DockControlBar(NULL, NULL, SP_DM_SHOW)) return;
    } else {
        AttachToTabWnd(pFirstBarInGroup, SP_DM_SHOW, bActive);
    }
    ShowControlBar(TRUE, FALSE, bActive);
    AdjustDockingLayout(NULL);
}

void CSPDockingControlBar::GetSlideRects(CRect& rectPane, CRect& rectSlider) const {
    CFrameWnd* pDockSite = GetDockSite();
    GetWindowRect(rectPane);
    pDockSite->ScreenToClient(rectPane);
    rectSlider.SetRectEmpty();
    CSPSlider* pSlider = GetDefaultSlider();
    if (pSlider != NULL) {
        pSlider->GetWindowRect(rectSlider);
        pDockSite->ScreenToClient(rectSlider);
    }
}

CRect CSPDockingControlBar::GetAutoHideDockBarRect() const {
    CRect rect(0, 0, 0, 0);
    CSPDockBar* pDockBar = m_pAutoHideBar != NULL ? m_pAutoHideBar->GetParentDockBar() : NULL;
    if (pDockBar->GetSafeHwnd() == NULL) return rect;
    pDockBar->GetWindowRect(rect);
    GetDockSite()->ScreenToClient(rect);
    return rect;
}

void CSPDockingControlBar::Slide(BOOL bSlideOut, BOOL bUseTimer) {
    if (!m_bAutoHideMode) return;
    if (m_nSlideTimer != 0) KillTimer(m_nSlideTimer);
    m_nSlideTimer = 0;
    KillTimer(nTimerCheck);
    m_nAutoHideTimer = 0;
    CSPSlider* pSlider = GetDefaultSlider();
    CRect rectWnd;
    GetWindowRect(rectWnd);
    const BOOL bHorz = (GetCurrentAlignment() & CBRS_ORIENT_HORZ) != 0;
    if (!bUseTimer || m_bDisableAnimation) m_nSlideStep = bHorz ? rectWnd.Height() : rectWnd.Width();
    if (!bUseTimer) {
        GetDockSite()->ScreenToClient(rectWnd);
        m_rectRestored = rectWnd;
        OnSlide(FALSE);
        ShowWindow(SW_HIDE);
        if (pSlider != NULL) pSlider->ShowWindow(SW_HIDE);
        m_bIsSliding = FALSE;
        return;
    }
    CSPDockManager* pDockManager = CSPDockingUtils::GetDockManager(GetDockSite());
    if (bSlideOut) {
        if (pDockManager != NULL) {
            pDockManager->HideAutoHideBars(this, FALSE);
            if (pSlider != NULL) pDockManager->AlignAutoHideBar(pSlider, FALSE);
        }
        ShowWindow(SW_SHOWNOACTIVATE);
        if (pSlider != NULL) pSlider->ShowWindow(SW_SHOWNOACTIVATE);
    }
    BringWindowToTop();
    if (pSlider != NULL) pSlider->BringWindowToTop();
    m_bIsHiding = !bSlideOut;
    m_nSlideTimer = (UINT)SetTimer(bSlideOut ? nTimerSlideOut : nTimerSlideIn, m_nSlideDefaultTimeOut, NULL);
    if (!m_bDisableAnimation) {
        int nDistance = 0;
        if (m_nSlideMode == 1) {
            CRect rectPane, rectSlider;
            GetSlideRects(rectPane, rectSlider);
            nDistance = bHorz ? rectPane.Height() : rectPane.Width();
        } else if (m_nSlideMode == 2) {
            if (!bSlideOut && m_nSlideStepCount == 0) {
                CRect rectPane, rectSlider;
                GetSlideRects(rectPane, rectSlider);
                m_rectRestored = rectPane;
            }
            nDistance = bHorz ? m_rectRestored.Height() : m_rectRestored.Width();
        }
        const int nSteps = max(1, m_nSlideSteps);
        m_nSlideStep = nDistance / nSteps >= 1 ? nDistance / nSteps : 1;
    }
    m_bIsSliding = TRUE;
    m_nSlideStepCount = 0;
}

void CSPDockingControlBar::OnSlide(BOOL bSlideOut) {
    CSPSlider* pSlider = GetDefaultSlider();
    if (!m_bAutoHideMode && pSlider == NULL) return;
    m_nSlideStepCount++;
    CRect rectPane, rectSlider;
    GetSlideRects(rectPane, rectSlider);
    const DWORD dwAlignment = GetCurrentAlignment();
    const int d = m_nSlideStep;
    if (m_nSlideMode == 2) {
        // The pane grows out of the edge or shrinks into it, the slider at
        // its inner edge.
        const int nSign = bSlideOut ? 1 : -1;
        const int nMax = (dwAlignment & CBRS_ORIENT_HORZ) != 0 ? m_rectRestored.Height() : m_rectRestored.Width();
        switch (dwAlignment) {
        case CBRS_ALIGN_LEFT:
            rectPane.right = rectPane.left + max(0, min(nMax, rectPane.Width() + nSign * d));
            rectSlider.OffsetRect(rectPane.right - rectSlider.left, 0);
            break;
        case CBRS_ALIGN_RIGHT:
            rectPane.left = rectPane.right - max(0, min(nMax, rectPane.Width() + nSign * d));
            rectSlider.OffsetRect(rectPane.left - rectSlider.right, 0);
            break;
        case CBRS_ALIGN_TOP:
            rectPane.bottom = rectPane.top + max(0, min(nMax, rectPane.Height() + nSign * d));
            rectSlider.OffsetRect(0, rectPane.bottom - rectSlider.top);
            break;
        case CBRS_ALIGN_BOTTOM:
            rectPane.top = rectPane.bottom - max(0, min(nMax, rectPane.Height() + nSign * d));
            rectSlider.OffsetRect(0, rectPane.top - rectSlider.bottom);
            break;
        default: break;
        }
    } else {
        CSize sizeOffset(0, 0);
        switch (dwAlignment) {
        case CBRS_ALIGN_LEFT: sizeOffset.cx = bSlideOut ? d : -d; break;
        case CBRS_ALIGN_RIGHT: sizeOffset.cx = bSlideOut ? -d : d; break;
        case CBRS_ALIGN_TOP: sizeOffset.cy = bSlideOut ? d : -d; break;
        case CBRS_ALIGN_BOTTOM: sizeOffset.cy = bSlideOut ? -d : d; break;
        default: break;
        }
        rectPane.OffsetRect(sizeOffset);
        rectSlider.OffsetRect(sizeOffset);
        if (bSlideOut) {
            // A slide out ends flush with the strip of buttons.
            const CRect rectBar = GetAutoHideDockBarRect();
            CSize sizeBack(0, 0);
            switch (dwAlignment) {
            case CBRS_ALIGN_LEFT: sizeBack.cx = -max(0, (int)(rectPane.left - rectBar.right)); break;
            case CBRS_ALIGN_RIGHT: sizeBack.cx = max(0, (int)(rectBar.left - rectPane.right)); break;
            case CBRS_ALIGN_TOP: sizeBack.cy = -max(0, (int)(rectPane.top - rectBar.bottom)); break;
            case CBRS_ALIGN_BOTTOM: sizeBack.cy = max(0, (int)(rectBar.top - rectPane.bottom)); break;
            default: break;
            }
            if (!rectBar.IsRectEmpty()) {
                rectPane.OffsetRect(sizeBack);
                rectSlider.OffsetRect(sizeBack);
            }
        }
    }
    CWnd::SetWindowPos(NULL, rectPane.left, rectPane.top, rectPane.Width(), rectPane.Height(),
                       SWP_NOZORDER | SWP_NOACTIVATE);
    if (pSlider != NULL)
        pSlider->CWnd::SetWindowPos(NULL, rectSlider.left, rectSlider.top, rectSlider.Width(), rectSlider.Height(),
                                    SWP_NOZORDER | SWP_NOACTIVATE);
}

BOOL CSPDockingControlBar::CheckStopSlideCondition(BOOL bDirection) {
    if (!m_bAutoHideMode) return TRUE;
    CRect rectPane, rectSlider;
    GetSlideRects(rectPane, rectSlider);
    const CRect rectBar = GetAutoHideDockBarRect();
    if (m_nSlideMode == 2) {
        const BOOL bHorz = (GetCurrentAlignment() & CBRS_ORIENT_HORZ) != 0;
        const int nExtent = bHorz ? rectPane.Height() : rectPane.Width();
        const int nFull = bHorz ? m_rectRestored.Height() : m_rectRestored.Width();
        return bDirection ? nExtent >= nFull : nExtent < 1;
    }
    switch (GetCurrentAlignment()) {
    case CBRS_ALIGN_BOTTOM: return bDirection ? rectPane.bottom <= rectBar.top : rectPane.top >= rectBar.top;
    case CBRS_ALIGN_TOP: return bDirection ? rectPane.top >= rectBar.bottom : rectPane.bottom <= rectBar.bottom;
    case CBRS_ALIGN_LEFT: return bDirection ? rectPane.left >= rectBar.right : rectPane.right <= rectBar.right;
    case CBRS_ALIGN_RIGHT: return bDirection ? rectPane.right <= rectBar.left : rectPane.left >= rectBar.left;
    default: return TRUE;
    }
}

BOOL CSPDockingControlBar::CheckAutoHideCondition() {
    if (m_bActive || m_bKeepShown || !m_bAutoHideMode) return FALSE;
    if (m_wndToolTip.GetSafeHwnd() != NULL && m_wndToolTip.IsWindowVisible()) return FALSE;
    CPoint pt;
    ::GetCursorPos(&pt);
    CSPSlider* pSlider = GetDefaultSlider();
    CWnd* pUnder = CWnd::WindowFromPoint(pt);
    CRect rectPane, rectSlider;
    GetWindowRect(rectPane);
    if (pSlider != NULL) pSlider->GetWindowRect(rectSlider);
    CRect rectUnion;
    rectUnion.UnionRect(rectPane, rectSlider);
    if (pUnder != NULL &&
        (pUnder == this || IsChild(pUnder) || (pSlider != NULL && (pUnder == pSlider || pSlider->IsChild(pUnder)))) &&
        rectUnion.PtInRect(pt))
        return FALSE;
    if (m_pAutoHideButton != NULL && m_pAutoHideBar->GetSafeHwnd() != NULL) {
        CRect rectButton = m_pAutoHideButton->GetRect();
        m_pAutoHideBar->ClientToScreen(rectButton);
        if (rectButton.PtInRect(pt)) return FALSE;
    }
    Slide(FALSE, TRUE);
    return TRUE;
}

void CSPDockingControlBar::OnTimer(UINT_PTR nIDEvent) {
    switch (nIDEvent) {
    case nTimerSlideIn:
    case nTimerSlideOut: {
        const BOOL bOut = nIDEvent != nTimerSlideIn;
        m_bIsHiding = !bOut;
        OnSlide(bOut);
        if (CheckStopSlideCondition(bOut)) {
            KillTimer(nIDEvent);
            m_bIsSliding = FALSE;
            m_nSlideTimer = 0;
            m_nSlideStepCount = 0;
            CSPSlider* pSlider = GetDefaultSlider();
            if (bOut) {
                RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
                if (pSlider != NULL) pSlider->RedrawWindow(NULL, NULL, RDW_INVALIDATE);
                m_nAutoHideTimer = (UINT)SetTimer(nTimerCheck, m_nTimeOutBeforeAutoHide, NULL);
            } else {
                ShowWindow(SW_HIDE);
                if (pSlider != NULL) pSlider->ShowWindow(SW_HIDE);
            }
        }
        return;
    }
    case nTimerCheck:
        if (CheckAutoHideCondition()) {
            KillTimer(nTimerCheck);
            m_nAutoHideTimer = 0;
        }
        return;
    default:
        CSPControlBar::OnTimer(nIDEvent);
    }
}
