#include "SPOutlookWnd.h"

#include <algorithm>
#include <cstdlib>

#include "SPGlobalData.h"
#include "SPMenuImages.h"
#include "SPOutlookBar.h"
#include "SPOutlookBarPane.h"
#include "SPVisualManager.h"

IMPLEMENT_DYNCREATE(CSPOutlookWnd, CSPBaseTabWnd)

BOOL CSPOutlookWnd::s_bEnableAnimation = FALSE;

BEGIN_MESSAGE_MAP(CSPOutlookWnd, CSPBaseTabWnd)
    ON_WM_CREATE()
    ON_WM_SIZE()
    ON_WM_PAINT()
    ON_WM_SETCURSOR()
    ON_WM_ERASEBKGND()
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONUP()
END_MESSAGE_MAP()

CSPOutlookWnd::CSPOutlookWnd()
    : m_rectWndArea(0, 0, 0, 0),
      m_nBorderSize(0),
      m_bScrollButtons(FALSE),
      m_nLastSlideStep(0),
      m_pWrapperRTC(NULL),
      m_bWrapWindows(FALSE) {}

CSPOutlookWnd::~CSPOutlookWnd() {}

BOOL CSPOutlookWnd::Create(const CRect& rect, CWnd* pParentWnd, UINT nID) {
    if (!CWnd::Create(NULL, _T(""), WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, rect, pParentWnd, nID))
        return FALSE;
    RecalcTabHeight();
    // A page opens when the mouse is released over its button.
    m_bActivateOnBtnUp = TRUE;
    m_bEnableTabSwap = FALSE;
    return TRUE;
}

int CSPOutlookWnd::OnCreate(LPCREATESTRUCT lpCreateStruct) {
    if (CSPBaseTabWnd::OnCreate(lpCreateStruct) == -1) return -1;
    CSPMenuImages::Initialize();
    struct {
        CSPButton& btn;
        int nGlyph;
    } buttons[] = {{m_btnUp, CSPMenuImages::IdArowUpLarge}, {m_btnDown, CSPMenuImages::IdArowDownLarge}};
    for (auto& b : buttons) {
        if (!b.btn.Create(_T(""), WS_CHILD | BS_PUSHBUTTON, CRect(0, 0, 0, 0), this, nButtonId)) return -1;
        b.btn.SetStdImage(b.nGlyph);
        b.btn.SetAutoRepeatMode(100);
    }
    // Outside a frame there is no docking, so nothing to wrap pages for.
    if (SPGetParentFrame(this) == NULL) m_bWrapWindows = FALSE;
    return 0;
}

void CSPOutlookWnd::SetBorderSize(int nBorderSize) {
    m_nBorderSize = std::max<int>(0, nBorderSize);
    if (GetSafeHwnd() != NULL) RecalcLayout();
}

void CSPOutlookWnd::SetLocation(Location location) {
    m_location = location;
    if (GetSafeHwnd() != NULL) RecalcLayout();
}

void CSPOutlookWnd::EnableScrollButtons(BOOL bEnable, BOOL bIsUp, BOOL bIsDown) {
    const BOOL bChanged = bEnable != m_bScrollButtons;
    m_bScrollButtons = bEnable;
    struct {
        CSPButton& btn;
        BOOL bEnabled;
        int nGlyph;
    } buttons[] = {{m_btnUp, bIsUp, CSPMenuImages::IdArowUpLarge}, {m_btnDown, bIsDown, CSPMenuImages::IdArowDownLarge}};
    for (auto& b : buttons) {
        if (b.btn.GetSafeHwnd() == NULL) continue;
        if (bEnable) {
            b.btn.ShowWindow(SW_SHOWNOACTIVATE);
            b.btn.EnableWindow(b.bEnabled);
            // The disabled look is the grey glyph.
            b.btn.SetStdImage(b.nGlyph, b.bEnabled ? 0 : b.nGlyph);
        } else {
            b.btn.ShowWindow(SW_HIDE);
        }
        b.btn.RedrawWindow();
    }
    if (bChanged && GetSafeHwnd() != NULL) RecalcLayout();
}

CSPOutlookBar* CSPOutlookWnd::GetOwnerBar() const { return DYNAMIC_DOWNCAST(CSPOutlookBar, GetParent()); }

// --- pages and their wrappers -------------------------------------------------------------

CWnd* CSPOutlookWnd::GetTabWndNoWrapper(int iTab) const {
    CWnd* pWnd = GetTabWnd(iTab);
    CSPDockingCBWrapper* pWrapper = DYNAMIC_DOWNCAST(CSPDockingCBWrapper, pWnd);
    return pWrapper != NULL && pWrapper->GetWrappedWnd() != NULL ? pWrapper->GetWrappedWnd() : pWnd;
}

CSPOutlookBarPane* CSPOutlookWnd::GetTabPage(int iTab) const {
    return DYNAMIC_DOWNCAST(CSPOutlookBarPane, GetTabWndNoWrapper(iTab));
}

void CSPOutlookWnd::InsertTab(CWnd* pNewWnd, LPCTSTR lpszTabLabel, int nInsertAt, UINT uiImageId, BOOL bDetachable) {
    if (pNewWnd == NULL || pNewWnd->GetSafeHwnd() == NULL || pNewWnd->GetDlgCtrlID() == -1) return;
    CWnd* pTabWnd = pNewWnd;
    if (bDetachable && m_bWrapWindows && !pNewWnd->IsKindOf(RUNTIME_CLASS(CSPDockingControlBar)))
        pTabWnd = CreateWrapper(pNewWnd, lpszTabLabel);
    CSPBaseTabWnd::InsertTab(pTabWnd, lpszTabLabel, nInsertAt, uiImageId, bDetachable);
}

CWnd* CSPOutlookWnd::CreateWrapper(CWnd* pWnd, LPCTSTR lpszLabel) {
    CRuntimeClass* pRTC = m_pWrapperRTC;
    if (pRTC == NULL || !pRTC->IsDerivedFrom(RUNTIME_CLASS(CSPDockingCBWrapper))) pRTC = RUNTIME_CLASS(CSPDockingCBWrapper);
    CSPDockingCBWrapper* pWrapper = (CSPDockingCBWrapper*)pRTC->CreateObject();
    if (pWrapper == NULL) return pWnd;
    DWORD dwStyle = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
    CSPBaseControlBar* pBar = DYNAMIC_DOWNCAST(CSPBaseControlBar, pWnd);
    if (pBar != NULL) dwStyle |= pBar->GetControlBarStyle() & CBRS_ALIGN_ANY;
    CRect rect;
    pWnd->GetWindowRect(rect);
    // The wrapper lives as long as its window, from before its creation:
    // a refused one has deleted itself (PostNcDestroy).
    pWrapper->SetAutoDelete(TRUE);
    // Never floated on its own: the wrapper goes where its tab goes.
    if (!pWrapper->Create(lpszLabel != NULL ? lpszLabel : _T(""), this, CRect(CPoint(0, 0), rect.Size()), FALSE,
                          pWnd->GetDlgCtrlID(), dwStyle, 0, 0))
        return pWnd;
    pWrapper->SetWrappedWnd(pWnd);
    CSPControlBar* pControlBar = DYNAMIC_DOWNCAST(CSPControlBar, pWnd);
    if (pControlBar != NULL) pWrapper->m_recentDockInfo.CopyFrom(FALSE, pControlBar->m_recentDockInfo);
    return pWrapper;
}

// --- layout -----------------------------------------------------------------------------

int CSPOutlookWnd::VisibleTabsAfter(int iTab) const {
    int n = 0;
    for (int i = iTab + 1; i < m_iTabsNum; i++)
        if (Tab(i)->m_bVisible) n++;
    return n;
}

void CSPOutlookWnd::RecalcLayout() {
    if (GetSafeHwnd() == NULL) return;
    for (CSPButton* pBtn : {&m_btnUp, &m_btnDown})
        if (pBtn->GetSafeHwnd() != NULL) pBtn->SendMessage(WM_CANCELMODE);

    CRect rectClient;
    GetClientRect(rectClient);
    m_rectWndArea = rectClient;
    m_rectWndArea.DeflateRect(m_nBorderSize + 1, m_nBorderSize + 1);

    const int nVisible = GetVisibleTabsNum();
    const BOOL bButtons = nVisible > 1 || m_location == LOCATION_BOTTOM;
    const int nHeight = GetTabsHeight();
    for (int i = 0; i < m_iTabsNum; i++) Tab(i)->m_rect.SetRectEmpty();

    if (bButtons) {
        m_rectWndArea.DeflateRect(0, 1);
        int y = m_rectWndArea.top;
        const int iActive = IsValid(m_iActiveTab) ? m_iActiveTab : m_iTabsNum - 1;
        for (int i = 0; i <= iActive; i++) {
            if (!Tab(i)->m_bVisible) continue;
            Tab(i)->m_rect = CRect(m_rectWndArea.left, y, m_rectWndArea.right + 1, y + nHeight);
            y += nHeight;
        }
        m_rectWndArea.top = y;
        int yBottom = m_rectWndArea.bottom - VisibleTabsAfter(iActive) * nHeight + 1;
        m_rectWndArea.bottom = yBottom - 1;
        for (int i = iActive + 1; i < m_iTabsNum; i++) {
            if (!Tab(i)->m_bVisible) continue;
            Tab(i)->m_rect = CRect(m_rectWndArea.left, yBottom, m_rectWndArea.right + 1, yBottom + nHeight);
            yBottom += nHeight;
        }

        if (m_bScrollButtons && IsValid(m_iActiveTab)) {
            // Up on the active page's button, down on the next visible one's.
            int iNext = m_iActiveTab + 1;
            while (iNext < m_iTabsNum && !Tab(iNext)->m_bVisible) iNext++;
            const CRect& rectActive = Tab(m_iActiveTab)->m_rect;
            m_btnUp.SetWindowPos(NULL, rectActive.right - nHeight, rectActive.top, nHeight, nHeight,
                                 SWP_NOZORDER | SWP_NOACTIVATE);
            if (iNext < m_iTabsNum) {
                const CRect& rectNext = Tab(iNext)->m_rect;
                m_btnDown.SetWindowPos(NULL, rectNext.right - nHeight, rectNext.top, nHeight, nHeight,
                                       SWP_NOZORDER | SWP_NOACTIVATE);
            } else {
                // The last page is active: the down button takes the area's
                // bottom-right corner.
                m_rectWndArea.bottom -= nHeight;
                m_btnDown.SetWindowPos(NULL, m_rectWndArea.right + 1 - nHeight, m_rectWndArea.bottom, nHeight,
                                       nHeight, SWP_NOZORDER | SWP_NOACTIVATE);
            }
        }
    }
    if (m_rectWndArea.bottom < m_rectWndArea.top) m_rectWndArea.bottom = m_rectWndArea.top;

    for (int i = 0; i < m_iTabsNum; i++) {
        CWnd* pWnd = Tab(i)->m_pWnd;
        if (pWnd->GetSafeHwnd() == NULL) continue;
        pWnd->SetWindowPos(NULL, m_rectWndArea.left, m_rectWndArea.top, m_rectWndArea.Width(), m_rectWndArea.Height(),
                           SWP_NOZORDER | SWP_NOACTIVATE);
        if (CSPOutlookBarPane* pPane = GetTabPage(i)) pPane->SetAvailableWidth(m_rectWndArea.Width());
    }

    if (nVisible > 0) {
        if (!IsWindowVisible() && (GetParent() == NULL || GetParent()->IsWindowVisible())) ShowWindow(SW_SHOWNOACTIVATE);
        RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    } else {
        ShowWindow(SW_HIDE);
    }
    for (CSPButton* pBtn : {&m_btnUp, &m_btnDown})
        if (pBtn->GetSafeHwnd() != NULL) pBtn->RedrawWindow();
    if (GetParent() != NULL) GetParent()->RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_FRAME);
}

void CSPOutlookWnd::OnSize(UINT nType, int cx, int cy) {
    CSPBaseTabWnd::OnSize(nType, cx, cy);
    RecalcLayout();
}

void CSPOutlookWnd::GetTabArea(CRect& rectTabAreaTop, CRect& rectTabAreaBottom) const {
    rectTabAreaTop.SetRectEmpty();
    rectTabAreaBottom.SetRectEmpty();
    BOOL bTop = TRUE;
    for (int i = 0; i < m_iTabsNum; i++) {
        const CRect& rect = Tab(i)->m_rect;
        if (rect.IsRectEmpty()) continue;
        if (bTop && (rectTabAreaTop.IsRectEmpty() || rect.top == rectTabAreaTop.bottom)) {
            rectTabAreaTop.UnionRect(rectTabAreaTop.IsRectEmpty() ? rect : rectTabAreaTop, rect);
            continue;
        }
        bTop = FALSE;
        rectTabAreaBottom.UnionRect(rectTabAreaBottom.IsRectEmpty() ? rect : rectTabAreaBottom, rect);
    }
    ClientToScreen(rectTabAreaTop);
    ClientToScreen(rectTabAreaBottom);
}

BOOL CSPOutlookWnd::IsPtInTabArea(CPoint point) const {
    CRect rectTop, rectBottom;
    GetTabArea(rectTop, rectBottom);
    ClientToScreen(&point);
    return rectTop.PtInRect(point) || rectBottom.PtInRect(point);
}

CWnd* CSPOutlookWnd::FindTargetWnd(const CPoint& pt) {
    for (int i = 0; i < m_iTabsNum; i++)
        if (Tab(i)->m_bVisible && Tab(i)->m_rect.PtInRect(pt)) return NULL;
    return GetParent();
}

// --- activation ----------------------------------------------------------------------------

BOOL CSPOutlookWnd::SetActiveTab(int iTab) {
    if (!IsValid(iTab)) return FALSE;
    if (iTab == m_iActiveTab) return TRUE;
    const BOOL bAnimate = s_bEnableAnimation && m_iHighlighted == m_iPressed && m_iHighlighted != -1 &&
                          IsValid(m_iActiveTab) && GetSafeHwnd() != NULL && IsWindowVisible();
    const int iOld = m_iActiveTab;
    CWnd* pWndOld = GetActiveWnd();
    CWnd* pWndNew = Tab(iTab)->m_pWnd;
    if (pWndNew->GetSafeHwnd() == NULL) return FALSE;
    m_iActiveTab = iTab;
    m_nLastSlideStep = 0;

    if (bAnimate && pWndOld->GetSafeHwnd() != NULL) {
        SlideTo(iOld, iTab, pWndOld);
        pWndOld->ShowWindow(SW_HIDE);
        RecalcLayout();
        pWndNew->SetWindowPos(&wndTop, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW | SWP_NOACTIVATE);
        pWndNew->RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    } else {
        if (pWndOld->GetSafeHwnd() != NULL) pWndOld->ShowWindow(SW_HIDE);
        RecalcLayout();
        pWndNew->SetWindowPos(&wndTop, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW | SWP_NOACTIVATE);
        // One pixel wider first, so that the page lays itself out again.
        pWndNew->SetWindowPos(NULL, 0, 0, m_rectWndArea.Width() + 1, m_rectWndArea.Height(),
                              SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        pWndNew->SetWindowPos(NULL, 0, 0, m_rectWndArea.Width(), m_rectWndArea.Height(),
                              SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }

    CSPOutlookBar* pBar = GetOwnerBar();
    if (pBar != NULL && pBar->GetTabCaptionFlag()) {
        pBar->SetWindowText(Tab(iTab)->m_strText);
        // A floating bar's caption is its frame's.
        CWnd* pFrame = pBar->IsDocked() || pBar->GetParent() == NULL ? (CWnd*)pBar : pBar->GetParent();
        pFrame->RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_FRAME);
    }
    RedrawWindow();

    if (iOld >= 0) {
        CView* pView = DYNAMIC_DOWNCAST(CView, pWndNew);
        CFrameWnd* pFrame = pView != NULL ? pView->GetParentFrame() : NULL;
        if (pFrame != NULL)
            pFrame->SetActiveView(pView);
        else if (pWndNew->IsWindowVisible())
            pWndNew->SetFocus();
    }
    return TRUE;
}

// The buttons between the old and the new page slide by 30 pixels a frame
// towards the old page's place while the old page shrinks; a strip behind
// them is filled so that they leave no trail.
void CSPOutlookWnd::SlideTo(int iOld, int iNew, CWnd* pWndOld) {
    const BOOL bNewAbove = Tab(iNew)->m_rect.top < Tab(iOld)->m_rect.top;
    const int nStep = bNewAbove ? nSlideStep : -nSlideStep;
    m_nLastSlideStep = nStep;
    CRect rectOld;
    pWndOld->GetWindowRect(rectOld);
    ScreenToClient(rectOld);
    const int nFrames = std::abs(rectOld.Height() / nStep);

    const int iFirst = bNewAbove ? iNew + 1 : iOld + 1;
    const int iLast = bNewAbove ? iOld : iNew;
    CRect rectStrip = Tab(bNewAbove ? iFirst : iNew)->m_rect;
    if (bNewAbove)
        rectStrip.bottom = rectStrip.top + nSlideStep;
    else
        rectStrip.top = rectStrip.bottom - nSlideStep;

    ModifyStyle(WS_CLIPCHILDREN, 0);
    CClientDC dc(this);
    CFont* pOldFont = dc.SelectObject(&spGlobalData.fontRegular);
    dc.SetBkMode(TRANSPARENT);
    for (int nFrame = 0; nFrame < nFrames; nFrame++) {
        if (bNewAbove)
            rectOld.top += nSlideStep;
        else
            rectOld.bottom -= nSlideStep;
        pWndOld->SetWindowPos(NULL, rectOld.left, rectOld.top, rectOld.Width(), std::max<int>(0, rectOld.Height()),
                              SWP_NOZORDER | SWP_NOACTIVATE);
        for (int i = iFirst; i <= iLast; i++) {
            if (!Tab(i)->m_bVisible) continue;
            Tab(i)->m_rect.OffsetRect(0, nStep);
            DrawTabButton(dc, i, FALSE);
        }
        dc.FillRect(rectStrip, &spGlobalData.brBtnFace);
        rectStrip.OffsetRect(0, nStep);
        ::Sleep(nSlideDelay);
    }
    dc.SelectObject(pOldFont);
    ModifyStyle(0, WS_CLIPCHILDREN);
}

// --- painting and the mouse ----------------------------------------------------------------------

void CSPOutlookWnd::DrawTabButton(CDC& dc, int iTab, BOOL bDrawPressedButton) {
    CSPTabInfo* pTab = Tab(iTab);
    CRect rect = pTab->m_rect;
    if (rect.IsRectEmpty()) return;
    CSPVisualManager* pVisual = CSPVisualManager::GetInstance();
    const BOOL bHighlighted = iTab == m_iHighlighted;
    const BOOL bPressed = bDrawPressedButton && iTab == m_iPressed;
    COLORREF clrText = spGlobalData.clrBtnText;
    pVisual->OnFillOutlookPageButton(&dc, rect, bHighlighted, bPressed, clrText);
    pVisual->OnDrawOutlookPageButtonBorder(&dc, rect, bHighlighted, bPressed);

    int nImageWidth = 0;
    HIMAGELIST hImages = GetImageList();
    const CSize sizeImage = GetImageSize();
    if (pTab->m_hIcon != NULL || (hImages != NULL && pTab->m_uiIcon != (UINT)-1)) {
        nImageWidth = pTab->m_hIcon != NULL ? ::GetSystemMetrics(SM_CXSMICON) : sizeImage.cx;
        const int nImageHeight = pTab->m_hIcon != NULL ? ::GetSystemMetrics(SM_CYSMICON) : sizeImage.cy;
        if (4 + nImageWidth <= rect.Width()) {
            const CPoint pt(rect.left + 4, rect.top + (rect.Height() - nImageHeight) / 2);
            if (pTab->m_hIcon != NULL)
                dc.DrawState(pt, CSize(nImageWidth, nImageHeight), pTab->m_hIcon, DSS_NORMAL, (HBRUSH)NULL);
            else
                ::ImageList_Draw(hImages, (int)pTab->m_uiIcon, dc.GetSafeHdc(), pt.x, pt.y, ILD_TRANSPARENT);
        }
    }

    CRect rectText = rect;
    rectText.left += nImageWidth + 8;
    if (pTab->m_bIsDetachable) rectText.right -= 11;
    const COLORREF clrOld = dc.SetTextColor(clrText);
    dc.DrawText(pTab->m_strText, rectText, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS);
    dc.SetTextColor(clrOld);

    if (pTab->m_bIsDetachable) {
        CRect rectGripper(rect.right - 11, rect.top, rect.right, rect.bottom);
        rectGripper.DeflateRect(4, 2);
        pVisual->OnDrawBarGripper(&dc, rectGripper, FALSE, NULL);
    }
}

void CSPOutlookWnd::OnPaint() {
    CPaintDC dc(this);
    CRect rectClient;
    GetClientRect(rectClient);
    if (m_nBorderSize > 0) {
        const int n = m_nBorderSize;
        dc.FillRect(CRect(rectClient.left, rectClient.top, rectClient.left + n, rectClient.bottom), &spGlobalData.brBtnFace);
        dc.FillRect(CRect(rectClient.left, rectClient.top, rectClient.right, rectClient.top + n), &spGlobalData.brBtnFace);
        dc.FillRect(CRect(rectClient.right - n - 1, rectClient.top, rectClient.right, rectClient.bottom),
                    &spGlobalData.brBtnFace);
        dc.FillRect(CRect(rectClient.left, rectClient.bottom - n, rectClient.right, rectClient.bottom),
                    &spGlobalData.brBtnFace);
        rectClient.DeflateRect(n, n);
    }
    dc.Draw3dRect(rectClient, spGlobalData.clrBtnShadow, spGlobalData.clrBtnShadow);
    CPen pen(PS_SOLID, 1, spGlobalData.clrBtnShadow);
    CPen* pOldPen = dc.SelectObject(&pen);
    dc.MoveTo(m_rectWndArea.left - 1, m_rectWndArea.bottom);
    dc.LineTo(m_rectWndArea.right + 1, m_rectWndArea.bottom);
    dc.SelectObject(pOldPen);

    CFont* pOldFont = dc.SelectObject(&spGlobalData.fontRegular);
    dc.SetBkMode(TRANSPARENT);
    for (int i = 0; i < m_iTabsNum; i++) DrawTabButton(dc, i, TRUE);
    dc.SelectObject(pOldFont);

    if (m_bScrollButtons && m_iActiveTab == m_iTabsNum - 1) {
        const int nHeight = GetTabsHeight();
        dc.FillRect(CRect(m_rectWndArea.left, m_rectWndArea.bottom, m_rectWndArea.right + 1,
                          m_rectWndArea.bottom + nHeight),
                    &spGlobalData.brBtnFace);
    }
}

BOOL CSPOutlookWnd::OnEraseBkgnd(CDC* pDC) { return m_iTabsNum > 0 ? TRUE : CSPBaseTabWnd::OnEraseBkgnd(pDC); }

BOOL CSPOutlookWnd::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message) {
    CPoint pt;
    ::GetCursorPos(&pt);
    ScreenToClient(&pt);
    // The library's hand cursor, loaded once for the process.
    static HCURSOR s_hcurHand = ::LoadCursor(::GetModuleHandle(NULL), MAKEINTRESOURCE(16919));
    if (nHitTest == HTCLIENT && GetTabFromPoint(pt) >= 0 && s_hcurHand != NULL) {
        ::SetCursor(s_hcurHand);
        return TRUE;
    }
    return CSPBaseTabWnd::OnSetCursor(pWnd, nHitTest, message);
}

BOOL CSPOutlookWnd::OnCommand(WPARAM wParam, LPARAM lParam) {
    const HWND hwndFrom = (HWND)lParam;
    const BOOL bUp = hwndFrom != NULL && hwndFrom == m_btnUp.GetSafeHwnd();
    const BOOL bDown = hwndFrom != NULL && hwndFrom == m_btnDown.GetSafeHwnd();
    if (!bUp && !bDown) return CSPBaseTabWnd::OnCommand(wParam, lParam);
    if (CSPOutlookBar* pOwner = GetOwnerBar()) {
        pOwner->OnScroll(bDown);
        CSPButton& btn = bDown ? m_btnDown : m_btnUp;
        if (!btn.IsWindowEnabled()) SetFocus();
    }
    return TRUE;
}

DROPEFFECT CSPOutlookWnd::OnDragOver(COleDataObject* pDataObject, DWORD dwKeyState, CPoint point) {
    if (pDataObject == NULL || !CSPOutlookButton::IsDraggedIn(pDataObject->m_lpDataObject)) return DROPEFFECT_NONE;
    const int iTab = GetTabFromPoint(point);
    if (iTab >= 0 && iTab != m_iActiveTab) SetActiveTab(iTab);
    return (dwKeyState & MK_CONTROL) ? DROPEFFECT_COPY : DROPEFFECT_MOVE;
}

// --- a page dragged to another outlook bar ---------------------------------------------------

CSPOutlookBar* CSPOutlookWnd::OutlookBarFromPoint(CPoint ptScreen) {
    for (CWnd* pWnd = CWnd::WindowFromPoint(ptScreen); pWnd != NULL; pWnd = pWnd->GetParent()) {
        if (CSPOutlookBar* pBar = DYNAMIC_DOWNCAST(CSPOutlookBar, CWnd::FromHandlePermanent(pWnd->GetSafeHwnd())))
            return pBar;
        if ((pWnd->GetStyle() & WS_CHILD) == 0) break;
    }
    return NULL;
}

void CSPOutlookWnd::OnMouseMove(UINT nFlags, CPoint point) {
    // While a page button is dragged outside the window, the page's own
    // bar is where the page goes back to.
    CSPOutlookBarPane* pPage = m_bTabDrag && IsValid(m_iPressed) ? GetTabPage(m_iPressed) : NULL;
    if (pPage != NULL) {
        CRect rectClient;
        GetClientRect(rectClient);
        if (!rectClient.PtInRect(point)) pPage->RememberDropTarget();
    }
    CSPBaseTabWnd::OnMouseMove(nFlags, point);
}

void CSPOutlookWnd::OnLButtonUp(UINT nFlags, CPoint point) {
    CSPOutlookBarPane* pPage = NULL;
    CSPOutlookBar* pTarget = NULL;
    CRect rectClient;
    GetClientRect(rectClient);
    if (m_bTabDrag && IsValid(m_iPressed) && Tab(m_iPressed)->m_bIsDetachable && !rectClient.PtInRect(point)) {
        pPage = GetTabPage(m_iPressed);
        CPoint ptScreen = point;
        ClientToScreen(&ptScreen);
        pTarget = pPage != NULL ? OutlookBarFromPoint(ptScreen) : NULL;
        if (pTarget == GetParent()) pTarget = NULL;
    }
    CSPBaseTabWnd::OnLButtonUp(nFlags, point);
    // The page leaves this window: nothing of it is touched afterwards.
    if (pTarget != NULL) pPage->DockControlBar(pTarget, NULL, SP_DM_MOUSE);
}
