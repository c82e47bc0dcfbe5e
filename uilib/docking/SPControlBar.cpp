#include "SPControlBar.h"
#include "SPBaseTabbedBar.h"
#include "SPDockingCBWrapper.h"

#include <algorithm>


#include "SPTabWnd.h"
#include "SPClientHooks.h"
#include "SPDockBar.h"
#include "SPDockBarRow.h"
#include "SPDockManager.h"
#include "SPDockingUtils.h"
#include "SPFrameImpl.h"
#include "SPGlobalData.h"
#include "SPMiniFrameWnd.h"
#include "SPRegistry.h"
#include "SPToolbarState.h"

using std::max;
using std::min;

IMPLEMENT_DYNAMIC(CSPControlBar, CSPBaseControlBar)

LPCTSTR const CSPControlBar::m_lpszSection = _T("SControlBars");

BEGIN_MESSAGE_MAP(CSPControlBar, CSPBaseControlBar)
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_CANCELMODE()
    ON_WM_CHAR()
    ON_WM_CONTEXTMENU()
    ON_WM_MOUSEMOVE()
    ON_WM_DESTROY()
    ON_WM_NCDESTROY()
END_MESSAGE_MAP()

CSPControlBar::CSPControlBar()
    : m_recentDockInfo(this),
      m_nCount(0),
      m_pData(NULL),
      m_cxLeftBorder(6),
      m_cxRightBorder(6),
      m_cyTopBorder(2),
      m_cyBottomBorder(2),
      m_cxDefaultGap(2),
      m_nMRUWidth(32767),
      m_rectVirtual(0, 0, 0, 0),
      m_rectDragStart(0, 0, 0, 0),
      m_bCaptured(FALSE),
      m_nID(0),
      m_ptClientHotSpot(0, 0),
      m_bCancelled(false),
      m_bDragMode(FALSE),
      m_bOption1(TRUE),
      m_bOption2(TRUE),
      m_bOption3(TRUE),
      m_hwndOutline(NULL),
      m_bExclusiveRow(FALSE),
      m_nPinState(0),
      m_rectSavedDockedRect(0, 0, 0, 0),
      m_bRecentFloatingState(FALSE),
      m_bClickForwarded(FALSE),
      m_ptLastCursor(0, 0) {}

CSPControlBar::~CSPControlBar() { free(m_pData); }

BOOL CSPControlBar::AllocElements(int nCount, int nSize) {
    free(m_pData);
    m_pData = NULL;
    m_nCount = 0;
    if (nCount <= 0 || nSize <= 0) return nCount == 0;
    // calloc refuses a product that does not fit.
    m_pData = calloc((size_t)nCount, (size_t)nSize);
    if (m_pData == NULL) return FALSE;
    m_nCount = nCount;
    return TRUE;
}

// --- creation -------------------------------------------------------------------

BOOL CSPControlBar::Create(LPCTSTR lpszClassName, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID,
                           DWORD dwSPBarStyle, CCreateContext* pContext) {
    return CreateEx(0, lpszClassName, dwStyle, rect, pParentWnd, nID, dwSPBarStyle, pContext);
}

BOOL CSPControlBar::CreateEx(DWORD dwStyleEx, LPCTSTR lpszClassName, DWORD dwStyle, const RECT& rect,
                             CWnd* pParentWnd, UINT nID, DWORD dwSPBarStyle, CCreateContext* pContext) {
    CString strClassName;
    if (lpszClassName == NULL) {
        strClassName = RegisterBarClass(_T("SControlBar"));
        lpszClassName = strClassName;
    }

    m_nID = nID;
    if (!CSPBaseControlBar::CreateEx(dwStyleEx, lpszClassName, NULL, dwStyle | WS_CLIPSIBLINGS | WS_CLIPCHILDREN,
                                     rect, pParentWnd, nID, dwSPBarStyle, pContext))
        return FALSE;

    CRect rectScreen = rect;
    if (pParentWnd != NULL) pParentWnd->ClientToScreen(rectScreen);
    if (m_recentDockInfo.GetRect(TRUE).IsRectEmpty()) m_recentDockInfo.GetRect(TRUE) = rectScreen;
    if (m_recentDockInfo.GetRect(FALSE).IsRectEmpty()) m_recentDockInfo.GetRect(FALSE) = rectScreen;
    if (!rectScreen.IsRectEmpty()) m_recentDockInfo.m_rectRecentFloatingRect = rectScreen;

    SetOwner(pParentWnd);
    UpdateVirtualRect();
    return TRUE;
}

// --- queries ----------------------------------------------------------------------

BOOL CSPControlBar::IsTabbed() const {
    if (GetSafeHwnd() == NULL) return FALSE;
    CWnd* pParent = GetParent();
    if (pParent == NULL) return FALSE;
    if (pParent->IsKindOf(RUNTIME_CLASS(CSPBaseTabWnd))) {
        CWnd* pGrand = pParent->GetParent();
        return pGrand != NULL &&
               (pGrand->IsKindOf(RUNTIME_CLASS(CSPBaseTabbedBar)) || SPClientOf<ISPTabbedToolbar>(pGrand) != NULL);
    }
    if (pParent->IsKindOf(RUNTIME_CLASS(CSPDockingCBWrapper))) {
        CWnd* pGrand = pParent->GetParent();
        return pGrand != NULL && pGrand->IsKindOf(RUNTIME_CLASS(CSPBaseTabWnd));
    }
    return FALSE;
}

BOOL CSPControlBar::CanBeDocked(CSPBaseControlBar* pDockBar) const {
    return pDockBar != NULL && (pDockBar->GetCurrentAlignment() & GetEnabledAlignment()) != 0;
}

int CSPControlBar::GetResizeStep() const {
    IsHorizontal();
    return 10;
}

// --- borders and size ----------------------------------------------------------------

void CSPControlBar::SetBorders(int cxLeft, int cyTop, int cxRight, int cyBottom) {
    m_cxLeftBorder = cxLeft;
    m_cyTopBorder = cyTop;
    m_cxRightBorder = cxRight;
    m_cyBottomBorder = cyBottom;
}

void CSPControlBar::SetBorders(LPCRECT lpRect) {
    if (lpRect != NULL) SetBorders(lpRect->left, lpRect->top, lpRect->right, lpRect->bottom);
}

void CSPControlBar::CalcInsideRect(CRect& rect, BOOL bHorz) const {
    const DWORD dwStyle = GetControlBarStyle();
    if (!IsFloating() && !IsTabbed()) {
        if (dwStyle & CBRS_BORDER_LEFT) rect.left++;
        if (dwStyle & CBRS_BORDER_TOP) rect.top++;
        if (dwStyle & CBRS_BORDER_RIGHT) rect.right--;
        if (dwStyle & CBRS_BORDER_BOTTOM) rect.bottom--;
    }
    if (bHorz) {
        rect.left += m_cxLeftBorder;
        rect.top += m_cyTopBorder;
        rect.right -= m_cxRightBorder;
        rect.bottom -= m_cyBottomBorder;
    } else {
        rect.left += m_cyTopBorder;
        rect.top += m_cxLeftBorder;
        rect.right -= m_cyBottomBorder;
        rect.bottom -= m_cxRightBorder;
    }
    if ((dwStyle & CBRS_GRIPPER) && !(dwStyle & CBRS_FLOATING)) {
        if (bHorz)
            rect.left += 7;
        else
            rect.top += 7;
    }
}

void CSPControlBar::UpdateVirtualRect() {
    if (GetSafeHwnd() == NULL) return;
    CRect rect;
    GetWindowRect(rect);
    CSize size = CalcFixedLayout(FALSE, IsHorizontal());
    rect.right = rect.left + size.cx;
    rect.bottom = rect.top + size.cy;
    CWnd* pParent = GetParent();
    if (pParent != NULL) pParent->ScreenToClient(rect);
    m_rectVirtual = rect;
}

int CSPControlBar::CalcAvailableExpandSize() const {
    if (GetSafeHwnd() == NULL) return 0;
    // A bar with a row of its own may take all of it.
    if (m_bExclusiveRow) return 65535;
    CRect rectWnd;
    GetWindowRect(rectWnd);
    int nAvail = IsHorizontal() ? m_rectVirtual.Width() - rectWnd.Width() : m_rectVirtual.Height() - rectWnd.Height();
    return nAvail > 0 ? nAvail : 0;
}

int CSPControlBar::CalcAvailableShrinkSize() const {
    if (GetSafeHwnd() == NULL) return 0;
    CRect rectWnd;
    GetWindowRect(rectWnd);
    CSize sizeMin;
    GetMinSize(sizeMin);
    return IsHorizontal() ? rectWnd.Width() - sizeMin.cx : rectWnd.Height() - sizeMin.cy;
}

int CSPControlBar::StretchControlBar(int nStretchSize, HDWP& hdwp) {
    if (GetSafeHwnd() == NULL) return 0;
    const int nExpand = CalcAvailableExpandSize();
    const int nShrink = CalcAvailableShrinkSize();
    if (nStretchSize > 0)
        nStretchSize = nStretchSize > nExpand ? nExpand : nStretchSize;
    else if (nStretchSize < 0 && -nStretchSize > nShrink)
        nStretchSize = nShrink > 0 ? -nShrink : 0;

    CRect rectWnd;
    GetWindowRect(rectWnd);
    CSize sizeDelta = IsHorizontal() ? CSize(nStretchSize, 0) : CSize(0, nStretchSize);
    OnBeforeStretch(sizeDelta);
    if (nStretchSize != 0) {
        if (IsHorizontal())
            rectWnd.right += nStretchSize;
        else
            rectWnd.bottom += nStretchSize;
        CWnd* pParent = GetParent();
        if (pParent != NULL) pParent->ScreenToClient(rectWnd);
        hdwp = MoveWindow(rectWnd, TRUE, hdwp);
        OnAfterStretch(sizeDelta);
    }
    return nStretchSize;
}

CSize CSPControlBar::ResizeToRect(CRect rectNew, bool /*bKeepPosition*/) {
    if (GetSafeHwnd() == NULL) return CSize(0, 0);
    CRect rectOld;
    GetWindowRect(rectOld);
    CWnd* pParent = GetParent();
    if (pParent != NULL) pParent->ScreenToClient(rectOld);
    CSize sizeMin;
    GetMinSize(sizeMin);
    if (rectNew.Width() < sizeMin.cx) {
        if (rectNew.left == rectOld.left)
            rectNew.right = rectNew.left + sizeMin.cx;
        else
            rectNew.left = rectNew.right - sizeMin.cx;
    }
    if (rectNew.Height() < sizeMin.cy) {
        if (rectNew.top == rectOld.top)
            rectNew.bottom = rectNew.top + sizeMin.cy;
        else
            rectNew.top = rectNew.bottom - sizeMin.cy;
    }
    MoveWindow(rectNew, TRUE, NULL);
    return CSize(rectNew.Width() - rectOld.Width(), rectNew.Height() - rectOld.Height());
}

void CSPControlBar::MoveToAlignment(DWORD dwAlignment, CSize sizeOffset) {
    if (GetSafeHwnd() == NULL) return;
    CSize sizeMove = (dwAlignment & CBRS_ORIENT_VERT) ? CSize(sizeOffset.cx, 0) : CSize(0, sizeOffset.cy);
    CRect rect;
    GetWindowRect(rect);
    CWnd* pParent = GetParent();
    if (pParent != NULL) pParent->ScreenToClient(rect);
    rect.OffsetRect(sizeMove);
    m_rectVirtual.OffsetRect(sizeMove);
    SetWindowPos(NULL, rect.left, rect.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CSPControlBar::AdjustSize() {
    if (GetSafeHwnd() == NULL) return;
    CSize size = CalcFixedLayout(FALSE, IsHorizontal());
    CRect rect;
    GetWindowRect(rect);
    if (rect.Size() != size) SetWindowPos(NULL, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOACTIVATE);
    if (GetParentDockBar() != NULL) UpdateVirtualRect();
}

void CSPControlBar::RecalcLayout() {
    if (GetDockBarRow() != NULL) {
        UpdateVirtualRect();
        return;
    }
    CSPMiniFrameWnd* pMiniFrame = GetParentMiniFrame();
    if (pMiniFrame != NULL && !GetParent()->IsKindOf(RUNTIME_CLASS(CSPTabWnd))) pMiniFrame->RecalcLayout();
}

void CSPControlBar::OnAfterFloat() {
    SetCurrentAlignment(CBRS_ALIGN_TOP);
    CSPMiniFrameWnd* pMiniFrame = GetParentMiniFrame();
    if (pMiniFrame != NULL) pMiniFrame->Pin(m_nPinState != 0);
}

BOOL CSPControlBar::OnBeforeDock(CSPBaseControlBar** /*ppDockBar*/, LPCRECT /*lpRect*/, int /*nDockMethod*/) {
    CSPMiniFrameWnd* pMiniFrame = GetParentMiniFrame();
    if (pMiniFrame != NULL) m_nPinState = pMiniFrame->IsPinned();
    return TRUE;
}

void CSPControlBar::ChangeParent(CWnd* pNewParent, BOOL bDelay) {
    if (GetSafeHwnd() == NULL || pNewParent == NULL) return;
    OnBeforeChangeParent(pNewParent, FALSE);
    CSPMiniFrameWnd* pMiniFrame = GetParentMiniFrame();
    // The bar leaves its floating frame first: a frame that goes at once
    // when left empty must not take the bar's window along.
    CWnd* pOldParent = GetParent();
    SetParent(pNewParent);
    if (pMiniFrame != NULL && pMiniFrame != pNewParent) {
        // The frame left empty goes when its posted check arrives, not
        // while it may still be inside its own drag handler.
        pMiniFrame->RemoveControlBar(this, bDelay && m_hwndOutline == NULL, FALSE);
        m_hwndOutline = pMiniFrame->GetSafeHwnd();
        if (::IsWindow(m_hwndOutline)) pMiniFrame->SendMessage(WM_LBUTTONUP, 0, 0);
    }
    OnAfterChangeParent(pOldParent);
}

void CSPControlBar::OnAfterChangeParent(CWnd* /*pWndOldParent*/) {
    UpdateVirtualRect();
    if (!GetParent()->IsKindOf(RUNTIME_CLASS(CSPDockBar))) {
        SetParentDockBar(NULL);
        SetDockBarRow(NULL);
    }
}

// --- tracking ---------------------------------------------------------------------------

void CSPControlBar::StartTracking(BOOL bFromCurrentPosition) {
    CPoint ptCursor;
    ::GetCursorPos(&ptCursor);
    UpdateVirtualRect();
    if (bFromCurrentPosition) {
        m_ptClientHotSpot = ptCursor;
        ScreenToClient(&m_ptClientHotSpot);
    }
    if (m_bCaptured || !IsDocked()) return;
    SetCapture();
    m_ptLastCursor = ptCursor;
    m_bCaptured = TRUE;
    SetDragMode(TRUE);
    GetWindowRect(m_rectDragStart);
}

void CSPControlBar::ReleaseTracking() {
    if (::GetCapture() == m_hWnd) ::ReleaseCapture();
    m_bCaptured = FALSE;
    SetDragMode(FALSE);
    if (m_hwndOutline != NULL) {
        if (::IsWindow(m_hwndOutline)) ::DestroyWindow(m_hwndOutline);
        m_hwndOutline = NULL;
    }
}

BOOL CSPControlBar::StopTracking() {
    m_bCancelled = true;
    if (!m_bCaptured) return FALSE;
    ReleaseTracking();
    return TRUE;
}

void CSPControlBar::OnLButtonDown(UINT nFlags, CPoint point) {
    if (m_bCaptured || !CanFloat()) {
        CSPBaseControlBar::OnLButtonDown(nFlags, point);
        return;
    }
    CSPMiniFrameWnd* pMiniFrame = GetParentMiniFrame();
    if (pMiniFrame != NULL) {
        // A floating bar alone in its frame is dragged by the frame.
        StoreRecentDockInfo();
        if (pMiniFrame->GetControlBarCount() == 1) {
            CPoint pt = point;
            ClientToScreen(&pt);
            pMiniFrame->ScreenToClient(&pt);
            m_bClickForwarded = TRUE;
            pMiniFrame->SendMessage(WM_LBUTTONDOWN, nFlags, MAKELPARAM(pt.x, pt.y));
            return;
        }
    } else if (GetDockMode() == SP_DT_IMMEDIATE) {
        StoreRecentDockInfo();
    }
    StartTracking(TRUE);
    m_bClickForwarded = FALSE;
    CSPBaseControlBar::OnLButtonDown(nFlags, point);
}

void CSPControlBar::OnLButtonUp(UINT nFlags, CPoint point) {
    if (m_bCaptured) {
        HWND hwndOutline = m_hwndOutline;
        if (nFlags == 0xFFFF) m_hwndOutline = NULL;  // the caller keeps the outline
        ReleaseTracking();
        if (nFlags == 0xFFFF) m_hwndOutline = hwndOutline;
    }
    m_bCancelled = false;
    if (GetParentDockBar() != NULL) UpdateVirtualRect();
    CSPBaseControlBar::OnLButtonUp(nFlags, point);
}

void CSPControlBar::OnLButtonDblClk(UINT nFlags, CPoint point) {
    StopTracking();
    if (CanFloat()) FloatControlBar(m_recentDockInfo.m_rectRecentFloatingRect, SP_DM_SHOW, true);
    CSPBaseControlBar::OnLButtonDblClk(nFlags, point);
}

void CSPControlBar::OnCancelMode() {
    CSPBaseControlBar::OnCancelMode();
    if (m_bCaptured) ReleaseTracking();
}

void CSPControlBar::OnChar(UINT nChar, UINT nRepCnt, UINT nFlags) {
    if (nChar == VK_ESCAPE && m_bCaptured) ReleaseTracking();
    CSPBaseControlBar::OnChar(nChar, nRepCnt, nFlags);
}

void CSPControlBar::OnContextMenu(CWnd* /*pWnd*/, CPoint point) {
    if (g_bCustomizeMode) return;
    CWnd* pFrame = GetDockSite();
    if (pFrame == NULL) pFrame = CSPFrameImpl::GetMainFrame();
    if (pFrame == NULL) pFrame = GetTopLevelFrame();
    if (pFrame != NULL) pFrame->SendMessage(GetPopupMenuMessage(), (WPARAM)m_hWnd, MAKELPARAM(point.x, point.y));
}

// --- recent place and state -------------------------------------------------------------

void CSPControlBar::StoreRecentDockInfo() {
    CSPDockBar* pDockBar = GetParentDockBar();
    m_recentDockInfo.m_pRecentDockBar = pDockBar;
    m_recentDockInfo.m_pRecentDockBarRow = GetDockBarRow();
    if (pDockBar != NULL) m_recentDockInfo.m_nRecentRowIndex = pDockBar->GetRowIndex(GetDockBarRow());
    if (GetSafeHwnd() == NULL) return;
    CRect rect;
    GetWindowRect(rect);
    CWnd* pRef = pDockBar != NULL ? (CWnd*)pDockBar : (CWnd*)GetDockSite();
    if (pRef != NULL) pRef->ScreenToClient(rect);
    m_recentDockInfo.GetRect(TRUE) = rect;
}

static BOOL IsOneSide(DWORD dwAlignment) {
    return dwAlignment == CBRS_ALIGN_LEFT || dwAlignment == CBRS_ALIGN_TOP || dwAlignment == CBRS_ALIGN_RIGHT ||
           dwAlignment == CBRS_ALIGN_BOTTOM;
}

BOOL CSPControlBar::SaveState(LPCTSTR lpszProfileName, int nIndex, UINT uiID) {
    CString strKey = BuildStateKey(SPGetRegPath(m_lpszSection, lpszProfileName), _T("SPControlBar"), nIndex, uiID);

    if (IsFloating()) {
        CWnd* pMiniFrame = GetParentMiniFrameWnd();
        if (pMiniFrame != NULL) pMiniFrame->GetWindowRect(m_recentDockInfo.m_rectRecentFloatingRect);
    } else {
        StoreRecentDockInfo();
        if (GetParentDockBar() != NULL)
            m_recentDockInfo.m_dwRecentAlignmentToFrame = GetParentDockBar()->GetCurrentAlignment();
    }

    BOOL bOk = FALSE;
    {
        CSPRegistryPtr reg;
        CSPRegistry* pReg = reg.Create(FALSE, FALSE);
        if (pReg != NULL && pReg->CreateKey(strKey)) {
            bOk = pReg->Write(_T("ID"), (int)m_nID);
            bOk = pReg->Write(_T("RectRecentFloat"), m_recentDockInfo.m_rectRecentFloatingRect) && bOk;
            bOk = pReg->Write(_T("RectRecentDocked"), m_recentDockInfo.GetRect(TRUE)) && bOk;
            bOk = pReg->Write(_T("RecentFrameAlignment"), m_recentDockInfo.m_dwRecentAlignmentToFrame) && bOk;
            bOk = pReg->Write(_T("RecentRowIndex"), m_recentDockInfo.m_nRecentRowIndex) && bOk;
            bOk = pReg->Write(_T("IsFloating"), (int)IsFloating()) && bOk;
            bOk = pReg->Write(_T("MRUWidth"), m_nMRUWidth) && bOk;
            bOk = pReg->Write(_T("PinState"), m_nPinState) && bOk;
        }
    }
    // The visibility is saved even when the placement could not be.
    BOOL bBase = CSPBaseControlBar::SaveState(lpszProfileName, nIndex, uiID);
    return bOk && bBase;
}

BOOL CSPControlBar::LoadState(LPCTSTR lpszProfileName, int nIndex, UINT uiID) {
    CString strKey = BuildStateKey(SPGetRegPath(m_lpszSection, lpszProfileName), _T("SPControlBar"), nIndex, uiID);
    {
        CSPRegistryPtr reg;
        CSPRegistry* pReg = reg.Create(FALSE, TRUE);
        if (pReg == NULL || !pReg->Open(strKey)) return FALSE;

        int nID = 0;
        pReg->Read(_T("ID"), nID);
        CRect rect;
        if (pReg->Read(_T("RectRecentFloat"), rect)) m_recentDockInfo.m_rectRecentFloatingRect = rect;
        if (pReg->Read(_T("RectRecentDocked"), rect)) {
            // An inverted rectangle still names a place and a size.
            rect.NormalizeRect();
            m_rectSavedDockedRect = rect;
            m_recentDockInfo.GetRect(TRUE) = rect;
        }
        // A damaged side would send the bar to no dock bar at all: only one
        // of the four sides is taken.
        DWORD dwAlignment = 0;
        if (pReg->Read(_T("RecentFrameAlignment"), dwAlignment) && IsOneSide(dwAlignment))
            m_recentDockInfo.m_dwRecentAlignmentToFrame = dwAlignment;
        int nRow = 0;
        if (pReg->Read(_T("RecentRowIndex"), nRow) && nRow >= 0) m_recentDockInfo.m_nRecentRowIndex = nRow;
        int nValue = 0;
        if (pReg->Read(_T("IsFloating"), nValue)) m_bRecentFloatingState = nValue != 0;
        if (pReg->Read(_T("MRUWidth"), nValue) && nValue > 0 && nValue <= 32767) m_nMRUWidth = nValue;
        if (pReg->Read(_T("PinState"), nValue)) m_nPinState = nValue;
    }
    return CSPBaseControlBar::LoadState(lpszProfileName, nIndex, uiID);
}

// --- docking and floating ----------------------------------------------------------------

BOOL CSPControlBar::IsPointBefore(CPoint pt, BOOL bScreen) const {
    CSPDockBar* pDockBar = GetParentDockBar();
    if (pDockBar == NULL || GetSafeHwnd() == NULL) return TRUE;
    CRect rect;
    GetWindowRect(rect);
    if (!bScreen) pDockBar->ClientToScreen(&pt);
    return pDockBar->IsHorizontal() ? pt.x < rect.left : pt.y < rect.top;
}

void CSPControlBar::AttachToDockBar(CSPDockBar* pDockBar, BOOL bDelay) {
    if (pDockBar == NULL) return;
    if (GetParent() != pDockBar) ChangeParent(pDockBar, bDelay);
    SetParentDockBar(pDockBar);
    const DWORD dwStyle = (GetControlBarStyle() & ~CBRS_FLOATING) | CBRS_BORDER_ANY;
    SetControlBarStyle(dwStyle);
    SetCurrentAlignment(pDockBar->GetCurrentAlignment());
}

void CSPControlBar::OnBeforeChangeParent(CWnd* pWndNewParent, BOOL /*bDelay*/) {
    CSPDockBar* pDockBar = GetParentDockBar();
    if (pDockBar != NULL && pWndNewParent != pDockBar) {
        pDockBar->RemoveControlBar(this);
        SetParentDockBar(NULL);
    }
}

void CSPControlBar::UnDockControlBar(BOOL bDelay) {
    CSPDockBar* pDockBar = GetParentDockBar();
    if (pDockBar == NULL) return;
    pDockBar->RemoveControlBar(this);
    SetParentDockBar(NULL);
    if (!bDelay) AdjustDockingLayout(NULL);
}

BOOL CSPControlBar::DockToDockBar(CSPDockBar* pDockBar, LPCRECT lpRect, int nDockMethod) {
    if (nDockMethod == SP_DM_SHOW) {
        pDockBar = m_recentDockInfo.m_pRecentDockBar;
        CSPDockManager* pManager = CSPDockingUtils::GetDockManager(GetDockSite());
        if (pDockBar == NULL || pManager == NULL || !pManager->IsBarKnown(pDockBar)) {
            // The recent dock bar is gone: the side it stood on takes the bar.
            pDockBar = pManager != NULL ? pManager->FindDockBar(m_recentDockInfo.m_dwRecentAlignmentToFrame, TRUE) : NULL;
        }
        if (pDockBar == NULL) return FALSE;
    }
    if (pDockBar == NULL || !CanBeDocked(pDockBar) || !pDockBar->CanAcceptBar(this)) return FALSE;

    CRect rectPlace(0, 0, 0, 0);
    if (nDockMethod == SP_DM_MOUSE)
        GetWindowRect(rectPlace);
    else if (lpRect != NULL)
        rectPlace = *lpRect;
    CSPMiniFrameWnd* pOldMiniFrame = GetParentMiniFrame();
    const BOOL bOldFrameVisible = pOldMiniFrame == NULL || pOldMiniFrame->IsWindowVisible();
    AttachToDockBar(pDockBar, FALSE);
    pDockBar->DockControlBar(this, rectPlace.IsRectEmpty() ? NULL : (LPCRECT)rectPlace, nDockMethod);
    // Docked by the mouse out of a floating frame: the drag goes on inside
    // the dock bar.
    if (nDockMethod == SP_DM_MOUSE && pOldMiniFrame != NULL && bOldFrameVisible) StartTracking(FALSE);
    return TRUE;
}

BOOL CSPControlBar::DockControlBar(CSPBaseControlBar* pDockBar, LPCRECT lpRect, int nDockMethod) {
    if (pDockBar != NULL && !pDockBar->IsKindOf(RUNTIME_CLASS(CSPDockBar))) return FALSE;
    CSPBaseControlBar* pTarget = pDockBar;
    if (!OnBeforeDock(&pTarget, lpRect, nDockMethod)) return FALSE;
    if (!DockToDockBar((CSPDockBar*)pTarget, lpRect, nDockMethod)) return FALSE;
    OnAfterDock(pTarget, lpRect, nDockMethod);
    return TRUE;
}

BOOL CSPControlBar::DockByMouse(CSPBaseControlBar* pDockBar) { return DockControlBar(pDockBar, NULL, SP_DM_MOUSE); }

BOOL CSPControlBar::FloatControlBar(CRect rectFloat, int nDockMethod, bool bShow) {
    if (!IsDocked() && !IsTabbed()) return TRUE;
    if (!CanFloat()) return TRUE;
    if (!OnBeforeFloat(rectFloat, nDockMethod)) return TRUE;
    // The place it leaves is where a double click or Escape takes it back.
    if (GetParentDockBar() != NULL) StoreRecentDockInfo();
    CRect rectOld;
    GetWindowRect(rectOld);
    CPoint ptCursor;
    ::GetCursorPos(&ptCursor);
    CSPMiniFrameWnd* pMiniFrame = CreateDefaultMiniFrame(rectFloat);
    if (pMiniFrame == NULL) return FALSE;
    pMiniFrame->SaveRecentFloatingRect();

    OnBeforeChangeParent(pMiniFrame);
    if (nDockMethod == SP_DM_MOUSE) SendMessage(WM_LBUTTONUP, 0xFFFF, 0);
    CSPDockBar* pOldDockBar = GetParentDockBar();
    CWnd* pOldParent = GetParent();
    SetParent(pMiniFrame);
    OnAfterChangeParent(pOldDockBar != NULL ? (CWnd*)pOldDockBar : pOldParent);
    pMiniFrame->AddControlBar(this);
    CWnd::SetWindowPos(&CWnd::wndTop, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE);

    OnAfterFloat();
    SetControlBarStyle(GetControlBarStyle() | CBRS_FLOATING);
    pMiniFrame->RecalcLayout();

    CFrameWnd* pDockSite = GetDockSite();
    if (pDockSite != NULL) CSPFrameImpl::AdjustFrameDockingLayout(pDockSite, NULL);
    if (nDockMethod == SP_DM_MOUSE) {
        // The grip keeps its place under the cursor.
        CRect rectFrame;
        pMiniFrame->GetWindowRect(rectFrame);
        CPoint ptGrip = m_ptClientHotSpot;
        if (ptGrip.x < 0 || ptGrip.x >= rectFrame.Width()) ptGrip.x = rectFrame.Width() / 2;
        if (ptGrip.y < 0 || ptGrip.y >= rectFrame.Height()) ptGrip.y = pMiniFrame->GetCaptionHeight() / 2;
        pMiniFrame->SetWindowPos(NULL, ptCursor.x - ptGrip.x, ptCursor.y - ptGrip.y, 0, 0,
                                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        if (GetDockMode() == SP_DT_IMMEDIATE) pMiniFrame->EnterDragMode(NULL);
    }
    if (bShow) {
        pMiniFrame->SizeToContent();
        pMiniFrame->ShowWindow(SW_SHOWNOACTIVATE);
        if (pDockSite != NULL) {
            pDockSite->ScreenToClient(rectOld);
            pDockSite->RedrawWindow(rectOld, NULL,
                                    RDW_INVALIDATE | RDW_NOINTERNALPAINT | RDW_NOERASE | RDW_ALLCHILDREN |
                                        RDW_UPDATENOW | RDW_FRAME);
        }
    }
    return TRUE;
}

CSPMiniFrameWnd* CSPControlBar::CreateDefaultMiniFrame(CRect rectInitial) {
    CSPMiniFrameWnd* pMiniFrame = new CSPMiniFrameWnd;
    // The frame checks its parent before its window exists, so a refusal
    // leaves the object to this caller alone.
    if (!pMiniFrame->CreateEx(0, _T(""), WS_POPUP, rectInitial, SPGetParentFrame(this))) {
        delete pMiniFrame;
        return NULL;
    }
    return pMiniFrame;
}

BOOL CSPControlBar::GetDockTargetAtCursor(int nSensitivity, CSPDockBar*& pTarget) {
    CPoint pt;
    ::GetCursorPos(&pt);
    pTarget = (CSPDockBar*)FrameControlBarFromPoint(pt, nSensitivity, FALSE, RUNTIME_CLASS(CSPDockBar));
    if (GetSafeHwnd() == NULL) return FALSE;

    CSPDockBar* pDockBar = GetParentDockBar();
    if (pDockBar != NULL) {
        CRect rectVirtual = m_rectVirtual, rectDockBar, rectOverlap;
        GetParent()->ClientToScreen(rectVirtual);
        pDockBar->GetWindowRect(rectDockBar);
        if (!rectOverlap.IntersectRect(rectVirtual, rectDockBar)) return TRUE;
        const BOOL bHorz = pDockBar->IsHorizontal();
        const int nOverlap = bHorz ? rectOverlap.Width() : rectOverlap.Height();
        const int nExtent = bHorz ? rectVirtual.Width() : rectVirtual.Height();
        return nOverlap < nExtent / 10 && !rectDockBar.PtInRect(pt);
    }

    if (pTarget == NULL || !CanBeDocked(pTarget)) return FALSE;
    CRect rectTarget, rectWnd;
    pTarget->GetWindowRect(rectTarget);
    if (rectTarget.PtInRect(pt)) return TRUE;
    GetWindowRect(rectWnd);
    const double dWidth = max(1, rectWnd.Width());
    const double dHeight = max(1, rectWnd.Height());
    double dGap = 0, dShare = 0;
    if (pt.x < rectTarget.left) {
        dGap = rectTarget.left - pt.x;
        dShare = (rectWnd.right - pt.x) / dWidth;
    } else if (pt.x >= rectTarget.right) {
        dGap = pt.x - rectTarget.right;
        dShare = (pt.x - rectWnd.left) / dWidth;
    } else if (pt.y < rectTarget.top) {
        dGap = rectTarget.top - pt.y;
        dShare = (rectWnd.bottom - pt.y) / dHeight;
    } else {
        dGap = pt.y - rectTarget.bottom;
        dShare = (pt.y - rectWnd.top) / dHeight;
    }
    return dGap <= nSensitivity * dShare;
}

void CSPControlBar::ApplyLoadedDockState(CSPDockManager* pDockManager) {
    if (m_bRecentFloatingState) {
        ShowControlBar(GetRecentVisibleState(), FALSE, FALSE);
        return;
    }
    if (pDockManager == NULL) return;
    CSPDockBar* pDockBar = pDockManager->FindDockBar(m_recentDockInfo.m_dwRecentAlignmentToFrame, TRUE);
    if (pDockBar == NULL) return;
    m_recentDockInfo.m_pRecentDockBar = pDockBar;
    m_recentDockInfo.m_pRecentDockBarRow = NULL;
    m_recentDockInfo.GetRect(TRUE) = m_rectSavedDockedRect;
    UnDockControlBar(TRUE);
    if (!DockControlBar(pDockBar, NULL, SP_DM_SHOW)) return;
    pDockBar->ShowControlBar(this, GetRecentVisibleState(), FALSE, FALSE);
}

CSize CSPControlBar::CalcSizeForPoint(CPoint ptScreen, CSize sizeMin, CSize sizeOffsets) {
    CRect rectWnd;
    GetWindowRect(rectWnd);
    return CSize(max(sizeMin.cx, ptScreen.x - rectWnd.left + sizeOffsets.cx),
                 max(sizeMin.cy, ptScreen.y - rectWnd.top + sizeOffsets.cy));
}

void CSPControlBar::OnMouseMove(UINT nFlags, CPoint point) {
    if (!m_bCaptured) {
        CSPBaseControlBar::OnMouseMove(nFlags, point);
        return;
    }
    if (GetDockMode() != SP_DT_IMMEDIATE) return;  // outline dragging comes with the drag helper
    CPoint ptCursor;
    ::GetCursorPos(&ptCursor);
    const CSize sizeOffset = ptCursor - m_ptLastCursor;
    m_ptLastCursor = ptCursor;
    if (sizeOffset == CSize(0, 0)) return;
    m_rectDragStart.OffsetRect(sizeOffset);
    CSPDockBar* pDockBar = GetParentDockBar();
    if (pDockBar != NULL) pDockBar->MoveControlBar(this, nFlags, sizeOffset.cx, sizeOffset.cy);
}

void CSPControlBar::OnDestroy() {
    // The bar leaves the lists that name it before its window goes.
    CSPDockBar* pDockBar = GetParentDockBar();
    if (pDockBar != NULL) {
        pDockBar->RemoveControlBar(this);
        SetParentDockBar(NULL);
    }
    FrameRemoveControlBar(this, FALSE, FALSE, FALSE);
    // A floating frame left without its bar goes at its posted check.
    CSPMiniFrameWnd* pMiniFrame = GetParentMiniFrame();
    if (pMiniFrame != NULL) pMiniFrame->RemoveControlBar(this, FALSE, FALSE);
    CSPBaseControlBar::OnDestroy();
}

void CSPControlBar::OnNcDestroy() {
    SetDockBarRow(NULL);
    CSPBaseControlBar::OnNcDestroy();
}
