#include "SPTabWnd.h"
#include <algorithm>
#include "SPGlobalData.h"
#include "afxdocvw.h"
#include "SPMenuImages.h"
#include "SPVisualManager.h"

const UINT SP_WM_ON_HSCROLL = ::RegisterWindowMessageA("SM_ON_HSCROLL");
BOOL CSPTabWnd::s_bSetFocusOnActivate = TRUE;

static const int nImageMargin = 4;
static const int nTextMargin = 4;
static const int nScrollStep = 20;
static const UINT idsClose = 16032;
static const UINT idsScrollLeft = 16034;
static const UINT idsScrollRight = 16035;

// ---------------------------------------------------------------------------
// CSPTabScrollButton

CSPTabWnd* CSPTabScrollButton::GetTabWnd() const {
    CWnd* pParent = GetParent();
    return pParent != NULL && pParent->IsKindOf(RUNTIME_CLASS(CSPTabWnd)) ? (CSPTabWnd*)pParent : NULL;
}

void CSPTabScrollButton::OnFillBackground(CDC* pDC, const CRect& rectClient) {
    CSPVisualManager::GetInstance()->OnFillPushButtonBackground(pDC, rectClient, this, GetTabWnd());
}

void CSPTabScrollButton::OnDrawBorder(CDC* pDC, CRect& rectClient, UINT uiState) {
    CSPVisualManager::GetInstance()->OnDrawPushButtonBorder(pDC, rectClient, this, uiState, GetTabWnd());
}

// ---------------------------------------------------------------------------
// CSPTabWnd

IMPLEMENT_DYNCREATE(CSPTabWnd, CSPBaseTabWnd)

BEGIN_MESSAGE_MAP(CSPTabWnd, CSPBaseTabWnd)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_WM_PAINT()
    ON_WM_SIZE()
    ON_WM_ERASEBKGND()
    ON_WM_HSCROLL()
    ON_WM_SETFOCUS()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONUP()
    ON_WM_CANCELMODE()
    ON_WM_SETCURSOR()
    ON_WM_SETTINGCHANGE()
    ON_WM_SYSCOLORCHANGE()
END_MESSAGE_MAP()

CSPTabWnd::CSPTabWnd()
    : m_bAutoSizeWindow(TRUE), m_bTransparent(FALSE), m_bFlat(FALSE), m_bSharedScroll(FALSE), m_bScroll(FALSE),
      m_bCloseBtn(FALSE), m_nHorzScrollWidth(0), m_rectTabsArea(0, 0, 0, 0), m_rectWndArea(0, 0, 0, 0),
      m_nTabsHorzOffset(0), m_nTabsHorzOffsetMax(0), m_nTabsTotalWidth(0), m_rectTabSplitter(0, 0, 0, 0),
      m_bTrackSplitter(FALSE), m_bExtraStyle(TRUE), m_bTopEdge(FALSE), m_bFlatFrame(TRUE), m_bHideNoTabs(FALSE),
      m_bIsActiveTabBold(FALSE), m_style(STYLE_3D) {
    m_bIsDockingSite = TRUE;
    m_bHideInactiveWnd = TRUE;
}

CSPTabWnd::~CSPTabWnd() {}

BOOL CSPTabWnd::Create(Style style, const RECT& rect, CWnd* pParentWnd, UINT nID, Location location,
                       BOOL bCloseBtn) {
    m_style = style;
    m_bFlat = style == STYLE_FLAT || style == STYLE_FLAT_SHARED_HORZ_SCROLL;
    m_bSharedScroll = style == STYLE_FLAT_SHARED_HORZ_SCROLL;
    m_bScroll = style != STYLE_3D;
    m_bCloseBtn = bCloseBtn;
    m_location = location == LOCATION_TOP ? LOCATION_TOP : LOCATION_BOTTOM;
    LPCTSTR lpszClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursor(NULL, IDC_ARROW), NULL);
    return CWnd::Create(lpszClass, _T(""), WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, rect,
                        pParentWnd, nID);
}

int CSPTabWnd::OnCreate(LPCREATESTRUCT lpCreateStruct) {
    if (CSPBaseTabWnd::OnCreate(lpCreateStruct) == -1) return -1;
    const CRect rectEmpty(0, 0, 0, 0);
    if (m_bScroll) {
        struct ButtonSpec {
            CSPTabScrollButton* pButton;
            int nFlatImage;
            int n3dImage;
            BOOL bFlatOnly;
        } specs[] = {{&m_btnScrollFirst, 18, 18, TRUE},
                     {&m_btnScrollLeft, 17, 21, FALSE},
                     {&m_btnScrollRight, 14, 20, FALSE},
                     {&m_btnScrollLast, 19, 19, TRUE},
                     {&m_btnClose, 5, 5, FALSE}};
        for (const ButtonSpec& spec : specs) {
            if (spec.bFlatOnly && !m_bFlat) continue;
            if (!spec.pButton->Create(_T(""), WS_CHILD | WS_VISIBLE, rectEmpty, this, (UINT)-1)) return -1;
            spec.pButton->SetStdImage(m_bFlat ? spec.nFlatImage : spec.n3dImage);
            m_lstButtons.AddTail(spec.pButton->GetSafeHwnd());
        }
        m_btnScrollLeft.SetAutoRepeatMode(50);
        m_btnScrollRight.SetAutoRepeatMode(50);
        if (m_style == STYLE_3D_SCROLLED) {
            const std::pair<CSPButton*, UINT> tips[] = {
                {&m_btnClose, idsClose}, {&m_btnScrollLeft, idsScrollLeft}, {&m_btnScrollRight, idsScrollRight}};
            for (const auto& tip : tips) {
                CString str;
                str.LoadString(tip.second);
                tip.first->SetTooltip(str);
            }
        }
    }
    if (m_bSharedScroll) m_wndScrollWnd.Create(WS_CHILD | WS_VISIBLE | SBS_HORZ, rectEmpty, this, (UINT)-1);
    if (m_bFlat) {
        m_brActiveTab.DeleteObject();
        m_brActiveTab.CreateSolidBrush(GetActiveTabColor());
    }
    if (m_style == STYLE_3D) {
        m_ToolTip.Create(this, TTS_ALWAYSTIP);
        m_ToolTip.Activate(TRUE);
        m_ToolTip.SetWindowPos(&CWnd::wndTop, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
    RecalcTabHeight();
    return 0;
}

void CSPTabWnd::OnDestroy() {
    m_brActiveTab.DeleteObject();
    if (m_ToolTip.GetSafeHwnd() != NULL) m_ToolTip.DestroyWindow();
    CSPBaseTabWnd::OnDestroy();
}

BOOL CSPTabWnd::SetImageList(HIMAGELIST hImageList) {
    return m_bFlat ? FALSE : CSPBaseTabWnd::SetImageList(hImageList);
}

BOOL CSPTabWnd::SetImageList(UINT uiID, int cx, COLORREF clrTransp) {
    return m_bFlat ? FALSE : CSPBaseTabWnd::SetImageList(uiID, cx, clrTransp);
}

void CSPTabWnd::RecalcTabHeight() {
    if (!m_bFlat) {
        CSPBaseTabWnd::RecalcTabHeight();
        return;
    }
    m_nTabsHeight = ::GetSystemMetrics(SM_CYHSCROLL) + nTextMargin / 2;
    // The flat tabs' fonts: "Arial" as large as the strip allows.
    LOGFONT lf = {};
    ::GetObject(::GetStockObject(DEFAULT_GUI_FONT), sizeof(lf), &lf);
    lstrcpy(lf.lfFaceName, _T("Arial"));
    lf.lfHeight = m_nTabsHeight;
    CClientDC dc(this);
    for (;;) {
        m_fntTabs.DeleteObject();
        m_fntTabs.CreateFontIndirect(&lf);
        CFont* pOld = dc.SelectObject(&m_fntTabs);
        TEXTMETRIC tm = {};
        dc.GetTextMetrics(&tm);
        dc.SelectObject(pOld);
        if (tm.tmHeight + 2 <= m_nTabsHeight || lf.lfHeight == 0) break;
        lf.lfHeight += lf.lfHeight > 0 ? -1 : 1;
    }
    lf.lfWeight = FW_BOLD;
    m_fntTabsBold.DeleteObject();
    m_fntTabsBold.CreateFontIndirect(&lf);
}

void CSPTabWnd::HideSingleTab(BOOL bHide) {
    m_bHideSingleTab = bHide;
    if (GetSafeHwnd() != NULL) {
        RecalcLayout();
        SyncScrollBar();
    }
}

void CSPTabWnd::HideEmptyTabArea(BOOL bHide) {
    m_bHideNoTabs = bHide;
    if (GetSafeHwnd() != NULL) {
        RecalcLayout();
        SyncScrollBar();
    }
}

void CSPTabWnd::SetActiveTabBold(BOOL bIsBold) {
    m_bIsActiveTabBold = m_bFlat ? FALSE : bIsBold;
    if (GetSafeHwnd() != NULL) {
        RecalcLayout();
        SyncScrollBar();
    }
}

void CSPTabWnd::EnableInPlaceEdit(BOOL bEnable) {
    if (m_bFlat) m_bIsInPlaceEdit = bEnable;
}

void CSPTabWnd::AdjustRenameEditRect(CRect& rectEdit) {
    // The slanted ends of a flat tab are no place for text.
    if (m_bFlat) rectEdit.DeflateRect(m_nTabsHeight / 2, 0);
}

BOOL CSPTabWnd::HasHiddenStrip() const {
    const int nVisible = GetVisibleTabsNum();
    return (m_bHideSingleTab && nVisible < 2) || (m_bHideNoTabs && nVisible == 0);
}

BOOL CSPTabWnd::IsPtInTabArea(CPoint point) const {
    return m_rectTabsArea.PtInRect(point);
}

void CSPTabWnd::GetTabArea(CRect& rectTabAreaTop, CRect& rectTabAreaBottom) const {
    rectTabAreaTop.SetRectEmpty();
    rectTabAreaBottom.SetRectEmpty();
    CRect rect = m_rectTabsArea;
    ClientToScreen(rect);
    (m_location == LOCATION_TOP ? rectTabAreaTop : rectTabAreaBottom) = rect;
}

CWnd* CSPTabWnd::FindTargetWnd(const CPoint& pt) {
    HWND hwnd = ::ChildWindowFromPointEx(GetSafeHwnd(), pt, CWP_SKIPINVISIBLE);
    if (hwnd == NULL || hwnd == GetSafeHwnd() || GetTabFromHwnd(hwnd) >= 0) return NULL;
    return CWnd::FromHandle(hwnd);
}

// --- layout ----------------------------------------------------------------

void CSPTabWnd::RecalcLayout() {
    if (GetSafeHwnd() == NULL) return;
    CRect rectClient;
    GetClientRect(rectClient);
    const int nStripHeight = HasHiddenStrip() ? 0 : m_nTabsHeight;
    m_rectTabsArea = rectClient;
    m_rectTabsArea.DeflateRect(m_nTabBorderSize, 0);
    if (m_location == LOCATION_TOP) {
        m_rectTabsArea.top = rectClient.top;
        m_rectTabsArea.bottom = m_rectTabsArea.top + nStripHeight;
    } else {
        m_rectTabsArea.bottom = rectClient.bottom;
        m_rectTabsArea.top = m_rectTabsArea.bottom - nStripHeight;
    }

    // The button row: to the right of 3D tabs, to the left of flat ones.
    CRect rectButtons(0, 0, 0, 0);
    if (m_bScroll && nStripHeight > 0) {
        int nButtons = (int)m_lstButtons.GetCount();
        if (!m_bCloseBtn) nButtons--;
        int nButtonWidth = CSPMenuImages::Size().cx + 4;
        if (!m_bFlat) nButtonWidth = std::min(nButtonWidth + 2, std::max(nStripHeight - 4, 0));
        const int nRowWidth = nButtons * nButtonWidth;
        rectButtons = m_rectTabsArea;
        if (m_bFlat) {
            rectButtons.right = rectButtons.left + nRowWidth;
            m_rectTabsArea.left = rectButtons.right;
        } else {
            rectButtons.left = rectButtons.right - nRowWidth;
            m_rectTabsArea.right = rectButtons.left;
        }
    }
    m_rectTabSplitter.SetRectEmpty();
    if (m_bSharedScroll && nStripHeight > 0 && m_wndScrollWnd.GetSafeHwnd() != NULL) {
        CRect rectScroll = m_rectTabsArea;
        rectScroll.left = std::max(m_rectTabsArea.left, m_rectTabsArea.right - m_nHorzScrollWidth);
        m_rectTabSplitter = rectScroll;
        m_rectTabSplitter.right = rectScroll.left;
        m_rectTabSplitter.left = rectScroll.left - 5;
        m_rectTabsArea.right = m_rectTabSplitter.left;
        m_wndScrollWnd.SetWindowPos(NULL, rectScroll.left, rectScroll.top, rectScroll.Width(), rectScroll.Height(),
                                    SWP_NOZORDER | SWP_NOACTIVATE);
    } else if (m_wndScrollWnd.GetSafeHwnd() != NULL) {
        m_wndScrollWnd.SetWindowPos(NULL, 0, 0, 0, 0, SWP_NOZORDER | SWP_NOACTIVATE);
    }

    m_rectWndArea = rectClient;
    if (m_location == LOCATION_TOP) m_rectWndArea.top += nStripHeight;
    else m_rectWndArea.bottom -= nStripHeight;
    m_rectWndArea.DeflateRect(GetTabBorderSize() + 1, GetTabBorderSize() + 1);
    if (m_rectWndArea.right < m_rectWndArea.left) m_rectWndArea.right = m_rectWndArea.left;
    if (m_rectWndArea.bottom < m_rectWndArea.top) m_rectWndArea.bottom = m_rectWndArea.top;

    if (m_bAutoSizeWindow) {
        for (int i = 0; i < m_iTabsNum; i++) {
            CSPTabInfo* pTab = Tab(i);
            if (pTab->m_bVisible && pTab->m_pWnd->GetSafeHwnd() != NULL)
                pTab->m_pWnd->SetWindowPos(NULL, m_rectWndArea.left, m_rectWndArea.top, m_rectWndArea.Width(),
                                           m_rectWndArea.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
        }
    }
    PlaceButtons(rectButtons);
    AdjustTabs();
    UpdateScrollButtonsState();
    Invalidate();
}

void CSPTabWnd::PlaceButtons(const CRect& rectButtons) {
    int nButtons = (int)m_lstButtons.GetCount();
    if (!m_bCloseBtn) nButtons--;
    const int nWidth = nButtons > 0 ? rectButtons.Width() / nButtons : 0;
    int x = rectButtons.left;
    for (POSITION pos = m_lstButtons.GetHeadPosition(); pos != NULL;) {
        HWND hwnd = m_lstButtons.GetNext(pos);
        CRect rect(0, 0, 0, 0);
        if (!rectButtons.IsRectEmpty() && (hwnd != m_btnClose.GetSafeHwnd() || m_bCloseBtn)) {
            rect.SetRect(x, rectButtons.top, x + nWidth, rectButtons.bottom);
            x += nWidth;
        }
        ::SetWindowPos(hwnd, NULL, rect.left, rect.top, rect.Width(), rect.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

void CSPTabWnd::UpdateScrollButtonsState() {
    if (!m_bScroll || m_btnScrollLeft.GetSafeHwnd() == NULL) return;
    const BOOL bCanLeft = m_nTabsHorzOffset > 0;
    const BOOL bCanRight = m_nTabsHorzOffset < m_nTabsHorzOffsetMax;
    m_btnScrollLeft.EnableWindow(bCanLeft);
    m_btnScrollRight.EnableWindow(bCanRight);
    if (m_btnScrollFirst.GetSafeHwnd() != NULL) m_btnScrollFirst.EnableWindow(bCanLeft);
    if (m_btnScrollLast.GetSafeHwnd() != NULL) m_btnScrollLast.EnableWindow(bCanRight);
}

void CSPTabWnd::AdjustTabs() {
    const int nVisible = GetVisibleTabsNum();
    if (m_bHideSingleTab && nVisible < 2) {
        for (int i = 0; i < m_iTabsNum; i++) Tab(i)->m_rect.SetRectEmpty();
        return;
    }
    if (nVisible == 0 || m_rectTabsArea.Height() == 0) return;

    CClientDC dc(this);
    CFont* pOldFont = dc.SelectObject(m_bFlat ? &m_fntTabsBold : &spGlobalData.fontRegular);
    const int nHalf = m_nTabsHeight / 2;
    int x = m_rectTabsArea.left - m_nTabsHorzOffset;
    m_nTabsTotalWidth = 0;
    for (int i = 0; i < m_iTabsNum; i++) {
        CSPTabInfo* pTab = Tab(i);
        if (m_ToolTip.GetSafeHwnd() != NULL) m_ToolTip.SetToolRect(this, pTab->m_uiTabID, CRect(0, 0, 0, 0));
        if (!pTab->m_bVisible) {
            pTab->m_rect.SetRectEmpty();
            pTab->m_nFullWidth = 0;
            continue;
        }
        const BOOL bBold = !m_bFlat && m_bIsActiveTabBold && i == m_iActiveTab;
        CFont* pOld = bBold ? dc.SelectObject(&spGlobalData.fontBold) : NULL;
        const BOOL bHasImage = pTab->m_hIcon != NULL || pTab->m_uiIcon != (UINT)-1;
        const int nImageWidth = bHasImage ? m_sizeImage.cx : 0;
        const int nWidth = dc.GetTextExtent(pTab->m_strText).cx + 2 * nTextMargin + nImageMargin + nImageWidth;
        if (pOld != NULL) dc.SelectObject(pOld);
        pTab->m_nFullWidth = nWidth;
        pTab->m_rect.SetRect(x, m_rectTabsArea.top, x + nWidth, m_rectTabsArea.bottom - 2);
        if (m_location == LOCATION_TOP) pTab->m_rect.OffsetRect(0, 2);
        if (m_bFlat) pTab->m_rect.right += nHalf;
        x += nWidth + 1;
        m_nTabsTotalWidth += nWidth + 1;
    }

    const int nStripWidth = m_rectTabsArea.Width();
    if (m_bScroll || m_nTabsTotalWidth <= nStripWidth) {
        m_nTabsTotalWidth += nHalf;
    } else {
        // Style 0 with tabs wider than the strip: the narrow tabs lend their
        // spare width to the wide ones, and only cut tabs get a tooltip.
        const int nAverage = nStripWidth / nVisible;
        int nSpare = 0, nWide = 0;
        for (int i = 0; i < m_iTabsNum; i++) {
            if (!Tab(i)->m_bVisible) continue;
            if (Tab(i)->m_nFullWidth < nAverage) nSpare += nAverage - Tab(i)->m_nFullWidth;
            else nWide++;
        }
        const int nShare = nWide > 0 ? nSpare / nWide : 0;
        int xLeft = m_rectTabsArea.left;
        for (int i = 0; i < m_iTabsNum; i++) {
            CSPTabInfo* pTab = Tab(i);
            if (!pTab->m_bVisible) continue;
            int nWidth = std::min(pTab->m_nFullWidth, nAverage + nShare);
            if (nWidth < nImageMargin + m_sizeImage.cx) nWidth = (nStripWidth + 2 * m_nTabBorderSize) / nVisible;
            if (pTab->m_strText.IsEmpty()) nWidth = m_sizeImage.cx + 2 * nTextMargin;
            pTab->m_rect.left = xLeft;
            pTab->m_rect.right = xLeft + nWidth;
            xLeft += nWidth;
            if (nWidth < pTab->m_nFullWidth && m_ToolTip.GetSafeHwnd() != NULL)
                m_ToolTip.SetToolRect(this, pTab->m_uiTabID, pTab->m_rect);
        }
    }
    m_nTabsHorzOffsetMax = m_bScroll ? std::max(0, m_nTabsTotalWidth - nStripWidth) : 0;
    dc.SelectObject(pOldFont);
}

BOOL CSPTabWnd::ScrollTabs(int nDelta) {
    const int nOld = m_nTabsHorzOffset;
    m_nTabsHorzOffset = std::max(0, std::min(m_nTabsHorzOffsetMax, m_nTabsHorzOffset + nDelta));
    if (m_nTabsHorzOffset == nOld) return FALSE;
    AdjustTabs();
    UpdateScrollButtonsState();
    Invalidate();
    return TRUE;
}

BOOL CSPTabWnd::EnsureVisible(int iTab) {
    if (!m_bScroll || !IsValid(iTab) || !Tab(iTab)->m_bVisible) return FALSE;
    const CRect rect = Tab(iTab)->m_rect;
    if (rect.left < m_rectTabsArea.left) return ScrollTabs(rect.left - m_rectTabsArea.left);
    if (rect.right > m_rectTabsArea.right) return ScrollTabs(rect.right - m_rectTabsArea.right);
    return TRUE;
}

// --- activation --------------------------------------------------------------

BOOL CSPTabWnd::SetActiveTab(int iTab) {
    if (!IsValid(iTab)) return FALSE;
    if (iTab == m_iActiveTab) return TRUE;
    CWnd* pParent = GetParent();
    // A parent that vetoes keeps everything as it was, and the caller hears
    // that nothing changed.
    if (pParent != NULL && pParent->SendMessage(SP_WM_CHANGING_ACTIVE_TAB, (WPARAM)iTab, (LPARAM)this) != 0)
        return FALSE;

    const BOOL bFreeze = m_iTabsNum > 1 && pParent != NULL && pParent->IsWindowVisible();
    if (bFreeze) pParent->SendMessage(WM_SETREDRAW, FALSE);
    const int iOld = m_iActiveTab;
    if (m_bHideInactiveWnd && IsValid(iOld) && Tab(iOld)->m_pWnd->GetSafeHwnd() != NULL)
        Tab(iOld)->m_pWnd->ShowWindow(SW_HIDE);
    m_iActiveTab = iTab;
    CWnd* pWnd = Tab(iTab)->m_pWnd;
    if (pWnd->GetSafeHwnd() == NULL) {
        if (bFreeze) pParent->SendMessage(WM_SETREDRAW, TRUE);
        return FALSE;
    }
    if (m_bSharedScroll) pWnd->ShowScrollBar(SB_HORZ, FALSE);
    pWnd->ShowWindow(SW_SHOWNOACTIVATE);
    if (!m_bHideInactiveWnd) pWnd->SetWindowPos(&CWnd::wndTop, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    if (m_bAutoSizeWindow && !m_rectWndArea.IsRectEmpty()) {
        // One pixel wider first, so that the window lays itself out again.
        pWnd->SetWindowPos(NULL, m_rectWndArea.left, m_rectWndArea.top, m_rectWndArea.Width() + 1,
                           m_rectWndArea.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
        pWnd->SetWindowPos(NULL, m_rectWndArea.left, m_rectWndArea.top, m_rectWndArea.Width(),
                           m_rectWndArea.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
    }
    EnsureVisible(iTab);
    if (m_bFlat) SyncScrollBar();
    if (m_bIsActiveTabBold) RecalcLayout();
    Invalidate();
    if (iOld >= 0) {
        if (pWnd->IsKindOf(RUNTIME_CLASS(CView))) {
            CFrameWnd* pFrame = pWnd->GetParentFrame();
            if (pFrame != NULL) pFrame->SetActiveView((CView*)pWnd);
        } else if (s_bSetFocusOnActivate) {
            pWnd->SetFocus();
        }
    }
    if (m_bCloseBtn && m_btnClose.GetSafeHwnd() != NULL) {
        CMenu* pMenu = pWnd->GetSystemMenu(FALSE);
        const UINT nState = pMenu != NULL ? pMenu->GetMenuState(SC_CLOSE, MF_BYCOMMAND) : (UINT)-1;
        m_btnClose.EnableWindow(nState != (UINT)-1 && (nState & (MF_GRAYED | MF_DISABLED)) == 0);
    }
    if (bFreeze) {
        pParent->SendMessage(WM_SETREDRAW, TRUE);
        pParent->RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_FRAME);
    }
    if (pParent != NULL) pParent->SendMessage(SP_WM_CHANGE_ACTIVE_TAB, (WPARAM)iTab, (LPARAM)this);
    return TRUE;
}

void CSPTabWnd::ActivateByKey(int nStep) {
    const int nVisible = GetVisibleTabsNum();
    if (nVisible == 0) return;
    int iTab = m_iActiveTab;
    for (int n = 0; n < m_iTabsNum; n++) {
        iTab = (iTab + nStep + m_iTabsNum) % m_iTabsNum;
        if (Tab(iTab)->m_bVisible) break;
    }
    if (iTab == m_iActiveTab || !Tab(iTab)->m_bVisible) return;
    if (!SetActiveTab(iTab)) return;
    if (Tab(iTab)->m_pWnd->GetSafeHwnd() != NULL) Tab(iTab)->m_pWnd->SetFocus();
    NotifyChange(iTab, 0);
}

BOOL CSPTabWnd::PreTranslateMessage(MSG* pMsg) {
    if (m_ToolTip.GetSafeHwnd() != NULL &&
        ((pMsg->message >= WM_MOUSEFIRST && pMsg->message <= WM_MOUSELAST) ||
         (pMsg->message >= WM_NCMOUSEMOVE && pMsg->message <= WM_NCMBUTTONDBLCLK)))
        m_ToolTip.RelayEvent(pMsg);
    if (pMsg->message == WM_KEYDOWN && m_pInPlaceEdit == NULL && (::GetKeyState(VK_CONTROL) & 0x8000) != 0 &&
        (pMsg->wParam == VK_NEXT || pMsg->wParam == VK_PRIOR)) {
        ActivateByKey(pMsg->wParam == VK_NEXT ? 1 : -1);
        return TRUE;
    }
    if (pMsg->message == WM_LBUTTONDOWN || pMsg->message == WM_SYSKEYDOWN || pMsg->message == WM_KEYDOWN) {
        // A press elsewhere ends the scroll buttons' repeating.
        if (m_btnScrollLeft.GetSafeHwnd() != NULL) m_btnScrollLeft.KillTimer(1);
        if (m_btnScrollRight.GetSafeHwnd() != NULL) m_btnScrollRight.KillTimer(2);
    }
    return CSPBaseTabWnd::PreTranslateMessage(pMsg);
}

BOOL CSPTabWnd::OnCommand(WPARAM wParam, LPARAM lParam) {
    HWND hwnd = (HWND)lParam;
    if (hwnd != NULL && HIWORD(wParam) == BN_CLICKED) {
        if (hwnd == m_btnScrollLeft.GetSafeHwnd()) return ScrollTabs(-nScrollStep), TRUE;
        if (hwnd == m_btnScrollRight.GetSafeHwnd()) return ScrollTabs(nScrollStep), TRUE;
        if (hwnd == m_btnScrollFirst.GetSafeHwnd()) return ScrollTabs(-m_nTabsHorzOffset), TRUE;
        if (hwnd == m_btnScrollLast.GetSafeHwnd()) return ScrollTabs(m_nTabsHorzOffsetMax), TRUE;
        if (hwnd == m_btnClose.GetSafeHwnd()) {
            CWnd* pActive = GetActiveWnd();
            if (pActive != NULL) pActive->SendMessage(WM_CLOSE);
            return TRUE;
        }
    }
    return CSPBaseTabWnd::OnCommand(wParam, lParam);
}

// --- the shared scroll bar ---------------------------------------------------

void CSPTabWnd::OnSize(UINT nType, int cx, int cy) {
    CSPBaseTabWnd::OnSize(nType, cx, cy);
    if (m_bSharedScroll) {
        const int nArrow = ::GetSystemMetrics(SM_CXHSCROLL);
        const int nAvailable = cx - 2 * (m_nTabBorderSize + 2 * ::GetSystemMetrics(SM_CXVSCROLL));
        if (nAvailable > 2 * nArrow) m_nHorzScrollWidth = nAvailable / 2 > 2 * nArrow ? nAvailable / 2 : nAvailable;
        else m_nHorzScrollWidth = 0;
    }
    RecalcLayout();
    SyncScrollBar();
}

void CSPTabWnd::SyncScrollBar(SCROLLINFO* pScrollInfo) {
    if (!m_bSharedScroll || m_wndScrollWnd.GetSafeHwnd() == NULL) return;
    if (pScrollInfo != NULL) {
        m_wndScrollWnd.SetScrollInfo(pScrollInfo);
        return;
    }
    CWnd* pWnd = GetActiveWnd();
    SCROLLINFO si = {};
    si.cbSize = sizeof(si);
    si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_TRACKPOS;
    if (pWnd == NULL || !pWnd->GetScrollInfo(SB_HORZ, &si) || (int)si.nPage + si.nMin >= si.nMax) {
        m_wndScrollWnd.EnableScrollBar(ESB_DISABLE_BOTH);
    } else {
        m_wndScrollWnd.EnableScrollBar(ESB_ENABLE_BOTH);
        m_wndScrollWnd.SetScrollInfo(&si);
    }
    if (pWnd != NULL && pWnd->GetSafeHwnd() != NULL) {
        pWnd->ShowScrollBar(SB_HORZ, FALSE);
        pWnd->ModifyStyle(WS_HSCROLL, 0, SWP_FRAMECHANGED);
    }
}

void CSPTabWnd::OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar) {
    static BOOL bInside = FALSE;
    CWnd* pWnd = GetActiveWnd();
    if (pScrollBar == NULL || pScrollBar->GetSafeHwnd() != m_wndScrollWnd.GetSafeHwnd() || pWnd == NULL ||
        bInside) {
        CSPBaseTabWnd::OnHScroll(nSBCode, nPos, pScrollBar);
        return;
    }
    bInside = TRUE;
    if (Tab(m_iActiveTab)->m_bIsListView && (nSBCode == SB_THUMBPOSITION || nSBCode == SB_THUMBTRACK))
        pWnd->SendMessage(LVM_SCROLL, (WPARAM)((int)nPos - pWnd->GetScrollPos(SB_HORZ)), 0);
    pWnd->SendMessage(WM_HSCROLL, MAKEWPARAM(nSBCode, nPos), 0);
    m_wndScrollWnd.SetScrollPos(pWnd->GetScrollPos(SB_HORZ));
    CWnd* pParent = GetParent();
    if (pParent != NULL) pParent->SendMessage(SP_WM_ON_HSCROLL, MAKEWPARAM(nSBCode, nPos), 0);
    bInside = FALSE;
}

void CSPTabWnd::OnSetFocus(CWnd* pOldWnd) {
    CSPBaseTabWnd::OnSetFocus(pOldWnd);
    CWnd* pWnd = GetActiveWnd();
    if (pWnd->GetSafeHwnd() != NULL) pWnd->SetFocus();
}

// --- mouse: the splitter of the shared scroll bar, the empty strip ----------

static void ForwardMouse(CWnd* pFrom, CWnd* pTarget, UINT message, UINT nFlags, CPoint point) {
    pFrom->MapWindowPoints(pTarget, &point, 1);
    pTarget->SendMessage(message, nFlags, MAKELPARAM(point.x, point.y));
}

void CSPTabWnd::OnLButtonDown(UINT nFlags, CPoint point) {
    if (!m_rectTabSplitter.IsRectEmpty() && m_rectTabSplitter.PtInRect(point)) {
        m_bTrackSplitter = TRUE;
        SetCapture();
        return;
    }
    CSPBaseTabWnd::OnLButtonDown(nFlags, point);
    if (!m_bTabDrag && m_rectTabsArea.PtInRect(point)) {
        // A press on the empty part of the strip belongs to the window under it.
        if (CWnd* pTarget = FindTargetWnd(point)) ForwardMouse(this, pTarget, WM_LBUTTONDOWN, nFlags, point);
    }
}

void CSPTabWnd::OnLButtonDblClk(UINT nFlags, CPoint point) {
    if (CWnd* pTarget = FindTargetWnd(point)) {
        ForwardMouse(this, pTarget, WM_LBUTTONDBLCLK, nFlags, point);
        return;
    }
    CSPBaseTabWnd::OnLButtonDblClk(nFlags, point);
}

void CSPTabWnd::OnMouseMove(UINT nFlags, CPoint point) {
    if (!m_bTrackSplitter) {
        CSPBaseTabWnd::OnMouseMove(nFlags, point);
        return;
    }
    const int nScrollRight = m_rectTabSplitter.right + m_nHorzScrollWidth;
    const int nMaxWidth = nScrollRight - m_rectTabsArea.left - m_rectTabSplitter.Width() - 5;
    const int nMinWidth = 2 * ::GetSystemMetrics(SM_CXHSCROLL);
    m_nHorzScrollWidth = std::max(nMinWidth, std::min(nMaxWidth, nScrollRight - (int)point.x));
    RecalcLayout();
}

void CSPTabWnd::OnLButtonUp(UINT nFlags, CPoint point) {
    if (m_bTrackSplitter) {
        m_bTrackSplitter = FALSE;
        if (GetCapture() == this) ReleaseCapture();
    }
    CSPBaseTabWnd::OnLButtonUp(nFlags, point);
}

void CSPTabWnd::OnCancelMode() {
    CSPBaseTabWnd::OnCancelMode();
    if (m_bTrackSplitter) {
        m_bTrackSplitter = FALSE;
        if (GetCapture() == this) ReleaseCapture();
    }
}

BOOL CSPTabWnd::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message) {
    if (m_bFlat && !m_rectTabSplitter.IsRectEmpty()) {
        CPoint pt;
        ::GetCursorPos(&pt);
        ScreenToClient(&pt);
        if (m_rectTabSplitter.PtInRect(pt)) {
            static HCURSOR s_hcurSplit = ::LoadCursor(AfxGetResourceHandle(), MAKEINTRESOURCE(30980));
            ::SetCursor(s_hcurSplit != NULL ? s_hcurSplit : ::LoadCursor(NULL, IDC_SIZEWE));
            return TRUE;
        }
    }
    return CSPBaseTabWnd::OnSetCursor(pWnd, nHitTest, message);
}

void CSPTabWnd::OnSettingChange(UINT uFlags, LPCTSTR lpszSection) {
    CSPBaseTabWnd::OnSettingChange(uFlags, lpszSection);
    if (!m_bFlat) return;
    RecalcTabHeight();
    RecalcLayout();
    SyncScrollBar();
}

void CSPTabWnd::OnSysColorChange() {
    CSPBaseTabWnd::OnSysColorChange();
    // A text colour of the application's own marks its colours as chosen:
    // the system's change leaves them alone.
    if (!m_bFlat || m_clrActiveTabFg != (COLORREF)-1) return;
    m_brActiveTab.DeleteObject();
    m_brActiveTab.CreateSolidBrush(GetActiveTabColor());
    Invalidate();
}

BOOL CSPTabWnd::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    const NMHDR* pHdr = (const NMHDR*)lParam;
    if (pHdr != NULL && pHdr->code == TTN_SHOW && m_ToolTip.GetSafeHwnd() == pHdr->hwndFrom)
        m_ToolTip.SetWindowPos(&CWnd::wndTop, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    if (pHdr != NULL && pHdr->code == HDN_ITEMCHANGED) {
        CWnd* pActive = GetActiveWnd();
        if (pActive != NULL && ::GetParent(pHdr->hwndFrom) == pActive->GetSafeHwnd()) SyncScrollBar();
    }
    return CSPBaseTabWnd::OnNotify(wParam, lParam, pResult);
}

// --- drawing -----------------------------------------------------------------

BOOL CSPTabWnd::OnEraseBkgnd(CDC* pDC) {
    if (m_bTransparent || m_iTabsNum > 0) return TRUE;
    CRect rect;
    GetClientRect(rect);
    pDC->FillRect(rect, &spGlobalData.brBtnFace);
    return TRUE;
}

void CSPTabWnd::DrawTab(CDC* pDC, CSPTabInfo* pTab, BOOL bActive) {
    if (!pTab->m_bVisible) return;
    int iTab = -1;
    for (int i = 0; i < m_iTabsNum && iTab < 0; i++)
        if (Tab(i) == pTab) iTab = i;
    CSPVisualManager::GetInstance()->OnDrawTab(pDC, pTab->m_rect, iTab, bActive, this);
}

void CSPTabWnd::OnPaint() {
    CPaintDC dc(this);
    CRect rectClient;
    GetClientRect(rectClient);
    if (!HasHiddenStrip()) {
        CRect rectStrip = m_rectTabsArea;
        CSPVisualManager::GetInstance()->OnEraseTabsArea(&dc, rectStrip, this);
        if (!m_bFlat) {
            CRect rectFrame = m_rectWndArea;
            rectFrame.InflateRect(1, 1);
            dc.Draw3dRect(rectFrame, spGlobalData.clrBtnShadow, spGlobalData.clrBtnHilite);
        }
        CFont* pOldFont = dc.SelectObject(m_bFlat ? &m_fntTabs : &spGlobalData.fontRegular);
        CRgn rgn;
        rgn.CreateRectRgnIndirect(rectStrip);
        dc.SelectClipRgn(&rgn);
        for (int i = 0; i < m_iTabsNum; i++)
            if (i != m_iActiveTab) DrawTab(&dc, Tab(i), FALSE);
        if (IsValid(m_iActiveTab)) {
            CSPTabInfo* pActive = Tab(m_iActiveTab);
            CBrush* pOldBrush = NULL;
            if (m_bIsActiveTabBold) dc.SelectObject(&spGlobalData.fontBold);
            if (m_bFlat) {
                dc.SelectObject(&m_fntTabsBold);
                pOldBrush = dc.SelectObject(&m_brActiveTab);
                dc.SetTextColor(GetActiveTabTextColor());
            }
            DrawTab(&dc, pActive, TRUE);
            if (m_bFlat) {
                dc.SelectObject(pOldBrush);
                // The active tab joins its window.
                const CRect& r = pActive->m_rect;
                const int y = m_location == LOCATION_TOP ? r.bottom - 1 : r.top;
                dc.FillSolidRect(r.left + 1, y, r.Width() - 1, 1, GetActiveTabColor());
            }
        }
        dc.SelectClipRgn(NULL);
        dc.SelectObject(pOldFont);
    }
    if (!m_rectTabSplitter.IsRectEmpty())
        dc.Draw3dRect(m_rectTabSplitter, spGlobalData.clrBtnHilite, spGlobalData.clrBtnShadow);
}

// --- toolbar buttons dragged over the strip ------------------------------------

DROPEFFECT CSPTabWnd::OnDragEnter(COleDataObject* pDataObject, DWORD dwKeyState, CPoint point) {
    return OnDragOver(pDataObject, dwKeyState, point);
}

DROPEFFECT CSPTabWnd::OnDragOver(COleDataObject* pDataObject, DWORD dwKeyState, CPoint point) {
    CWnd* pParent = GetSafeHwnd() != NULL ? CWnd::FromHandlePermanent(::GetParent(GetSafeHwnd())) : NULL;
    ISPTabbedToolbar* pToolbar = SPClientOf<ISPTabbedToolbar>(pParent);
    if (pToolbar == NULL || !pToolbar->IsToolbarButtonData(pDataObject)) return DROPEFFECT_NONE;
    const int iTab = GetTabFromPoint(point);
    if (iTab >= 0 && iTab != GetActiveTab()) SetActiveTab(iTab);
    return (dwKeyState & MK_CONTROL) ? DROPEFFECT_COPY : DROPEFFECT_MOVE;
}
