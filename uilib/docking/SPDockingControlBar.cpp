// SPDockingControlBar.cpp - the resizable docking pane.
#include "SPDockingControlBar.h"

#include <algorithm>

#include "SPBarContainer.h"
#include "SPBarContainerManager.h"
#include "SPDockBar.h"
#include "SPDockManager.h"
#include "SPDockingUtils.h"
#include "SPFrameImpl.h"
#include "SPGlobalData.h"
#include "SPMultiMiniFrameWnd.h"
#include "SPSlider.h"
#include "SPVisualManager.h"

using std::max;
using std::min;

IMPLEMENT_DYNCREATE(CSPDockingControlBar, CSPControlBar)

BOOL CSPDockingControlBar::m_bHideDisabledButtons = TRUE;
int CSPDockingControlBar::m_nDockSensitivity = 15;
CSize CSPDockingControlBar::m_sizeDragThreshold(::GetSystemMetrics(SM_CXDRAG), ::GetSystemMetrics(SM_CYDRAG));

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
      m_bHideInAutoHideMode(FALSE),
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
                                    BOOL bHasGripper, UINT nID, DWORD dwStyle, DWORD /*dwTabbedStyle*/,
                                    DWORD dwSPBarStyle, CCreateContext* pContext) {
    if ((dwStyle & SP_CBRS_FLOAT_MULTI) != 0) m_pMiniFrameRTC = RUNTIME_CLASS(CSPMultiMiniFrameWnd);
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
        // Auto-hide comes with the auto-hide bars; until then the pin only
        // shows where it would act.
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
    SetFocus();
    CSPControlBar::OnRButtonDown(nFlags, point);
}

void CSPDockingControlBar::OnPressCloseButton() {
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
    if (!pSlider->Create(dwSliderStyle | WS_VISIBLE, CRect(0, 0, w, w), pFrame, (UINT)-1)) {
        // A window that never came leaves its object to this caller.
        if (pSlider->GetSafeHwnd() == NULL) delete pSlider;
        return NULL;
    }
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
    if (pPane->GetDockingStatus(pt, m_nDockSensitivity) != 2) return NULL;
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
    // Leaving for a floating frame takes the pane out of its slider's region.
    if (pWndNewParent != NULL && pWndNewParent->IsKindOf(RUNTIME_CLASS(CSPMiniFrameWnd))) {
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
