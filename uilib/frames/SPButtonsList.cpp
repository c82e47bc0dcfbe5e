// SPButtonsList.cpp - the grid of button images.
#include "SPButtonsList.h"

#include "afxole.h"

#include "SPButtonImages.h"
#include "SPGlobalData.h"
#include "SPToolBar.h"
#include "SPToolbarButton.h"

IMPLEMENT_DYNAMIC(CSPButtonsList, CButton)

BEGIN_MESSAGE_MAP(CSPButtonsList, CButton)
    ON_WM_ERASEBKGND()
    ON_WM_LBUTTONDOWN()
    ON_WM_GETDLGCODE()
    ON_WM_KEYDOWN()
    ON_WM_VSCROLL()
    ON_WM_SETFOCUS()
    ON_WM_KILLFOCUS()
    ON_WM_ENABLE()
    ON_WM_SIZE()
    ON_WM_SYSCOLORCHANGE()
    ON_WM_CTLCOLOR()
END_MESSAGE_MAP()

namespace {
// Space between the cells and round the grid.
const int nCellGap = 4;
const int nMarginX = 4;
const int nMarginY = 5;
const UINT nScrollBarId = 1;
}  // namespace

DROPEFFECT (*CSPButtonsList::s_pfnDragDropForTest)(COleDataSource& source) = NULL;

CSPButtonsList::CSPButtonsList()
    : m_Buttons(10),
      m_pImages(NULL),
      m_sizeButton(0, 0),
      m_bInited(FALSE),
      m_bHasFocus(FALSE),
      m_pSelButton(NULL),
      m_iScrollOffset(0),
      m_iScrollTotal(0),
      m_iScrollPage(0),
      m_bEnableDragFromList(FALSE) {}

CSPButtonsList::~CSPButtonsList() {}

void CSPButtonsList::PreSubclassWindow() {
    CButton::PreSubclassWindow();
    ModifyStyle(0, BS_OWNERDRAW);
}

CScrollBar* CSPButtonsList::GetScrollBarCtrl(int nBar) const {
    if (nBar != SB_VERT || m_wndScrollBar.GetSafeHwnd() == NULL) return NULL;
    return const_cast<CScrollBar*>(&m_wndScrollBar);
}

CSPToolbarButton* CSPButtonsList::GetButton(int iIndex) const {
    if (iIndex < 0 || iIndex >= GetCount()) return NULL;
    POSITION pos = m_Buttons.FindIndex(iIndex);
    return pos != NULL ? (CSPToolbarButton*)m_Buttons.GetAt(pos) : NULL;
}

void CSPButtonsList::SetImages(CSPButtonImages* pImages) {
    m_pImages = pImages;
    if (m_pImages != NULL) {
        const CSize sizeImage = m_pImages->GetImageSize();
        m_sizeButton = CSize(sizeImage.cx + 6, sizeImage.cy + 7);
    } else {
        m_sizeButton = CSize(0, 0);
    }
    RemoveButtons();
}

void CSPButtonsList::AddButton(CSPToolbarButton* pButton) {
    if (pButton == NULL) return;
    m_Buttons.AddTail(pButton);
    pButton->OnChangeParentWnd(this);
    // A hosted control would take the input meant for the grid.
    HWND hwndHosted = pButton->GetHwnd();
    if (hwndHosted != NULL) ::EnableWindow(hwndHosted, FALSE);
    RebuildLocations();
}

void CSPButtonsList::RemoveButtons() {
    SelectButton((CSPToolbarButton*)NULL);
    while (!m_Buttons.IsEmpty()) {
        CSPToolbarButton* pButton = (CSPToolbarButton*)m_Buttons.RemoveHead();
        pButton->OnChangeParentWnd(NULL);
    }
    m_iScrollOffset = 0;
    m_iScrollTotal = 0;
    m_iScrollPage = 0;
    if (m_wndScrollBar.GetSafeHwnd() != NULL) {
        m_wndScrollBar.EnableScrollBar(ESB_DISABLE_BOTH);
        m_wndScrollBar.SetScrollRange(0, 0);
    }
}

// The cells hold unscrolled coordinates: a layout run while scrolled lays
// them out from the grid's top all the same, and only drawing and hit
// testing apply the scroll position.
void CSPButtonsList::RebuildLocations() {
    if (GetSafeHwnd() == NULL || m_Buttons.IsEmpty()) return;
    CRect rectClient;
    GetClientRect(rectClient);
    CRect rectArea = rectClient;
    rectArea.right -= ::GetSystemMetrics(SM_CXVSCROLL) + 1;
    rectArea.DeflateRect(nMarginX, nMarginY);

    int x = rectArea.left;
    int y = rectArea.top;
    BOOL bFirstInRow = TRUE;
    CClientDC dc(this);
    CSPToolbarButton* pLast = NULL;
    for (POSITION pos = m_Buttons.GetHeadPosition(); pos != NULL;) {
        CSPToolbarButton* pButton = (CSPToolbarButton*)m_Buttons.GetNext(pos);
        CSize size = pButton->OnCalculateSize(&dc, m_sizeButton, TRUE);
        if (x + size.cx > rectArea.right) {
            if (!bFirstInRow) {
                y += size.cy + nMarginY;
                x = rectArea.left;
            } else {
                size.cx = rectArea.Width();
            }
        }
        const CRect rect(x, y, x + size.cx, y + m_sizeButton.cy);
        if (rect != pButton->Rect()) {
            pButton->SetRect(rect);
            pButton->OnMove();
        }
        x += size.cx + nCellGap;
        bFirstInRow = FALSE;
        pLast = pButton;
    }

    const int nStep = RowStep();
    m_iScrollPage = nStep > 0 ? rectArea.Height() / nStep : 0;
    const int nHidden = pLast != NULL && nStep > 0 ? pLast->Rect().bottom / nStep - m_iScrollPage : 0;
    if (nHidden > 0) {
        if (m_wndScrollBar.GetSafeHwnd() == NULL) {
            CRect rectBar = rectClient;
            rectBar.DeflateRect(1, 1);
            rectBar.left = rectBar.right - ::GetSystemMetrics(SM_CXVSCROLL) - 1;
            m_wndScrollBar.Create(WS_CHILD | WS_VISIBLE | SBS_VERT, rectBar, this, nScrollBarId);
        }
        m_iScrollTotal = nStep * nHidden;
        if (m_wndScrollBar.GetSafeHwnd() != NULL) {
            m_wndScrollBar.EnableScrollBar(ESB_ENABLE_BOTH);
            m_wndScrollBar.SetScrollRange(0, m_iScrollTotal);
        }
    } else {
        m_iScrollTotal = 0;
        if (m_wndScrollBar.GetSafeHwnd() != NULL) {
            m_wndScrollBar.SetScrollRange(0, 0);
            m_wndScrollBar.EnableScrollBar(ESB_DISABLE_BOTH);
        }
    }
    if (m_iScrollOffset > m_iScrollTotal) ScrollTo(m_iScrollTotal);
    m_bInited = TRUE;
}

CRect CSPButtonsList::ScreenRect(const CSPToolbarButton* pButton) const {
    CRect rect = pButton->Rect();
    rect.OffsetRect(0, -m_iScrollOffset);
    return rect;
}

CSPToolbarButton* CSPButtonsList::HitTest(CPoint point) const {
    for (POSITION pos = m_Buttons.GetHeadPosition(); pos != NULL;) {
        CSPToolbarButton* pButton = (CSPToolbarButton*)m_Buttons.GetNext(pos);
        if (ScreenRect(pButton).PtInRect(point)) return pButton;
    }
    return NULL;
}

void CSPButtonsList::DrawItem(LPDRAWITEMSTRUCT lpDIS) {
    if (m_pImages == NULL) return;
    CDC* pDC = CDC::FromHandle(lpDIS->hDC);
    const CRect rectItem = lpDIS->rcItem;
    if (!m_bInited) RebuildLocations();

    CSPDrawState ds;
    if (!m_pImages->PrepareDraw(ds)) return;
    const BOOL bEnabled = IsWindowEnabled();
    for (POSITION pos = m_Buttons.GetHeadPosition(); pos != NULL;) {
        CSPToolbarButton* pButton = (CSPToolbarButton*)m_Buttons.GetNext(pos);
        CRect rect = ScreenRect(pButton);
        if (rect.top >= rectItem.bottom) break;
        if (rect.bottom <= rectItem.top) continue;

        const UINT nSaveStyle = pButton->m_nStyle;
        if (!bEnabled) pButton->m_nStyle |= TBBS_DISABLED;
        pButton->OnDraw(pDC, rect, m_pImages, TRUE, FALSE, FALSE, TRUE, TRUE);
        pButton->m_nStyle = nSaveStyle;

        if (pButton == m_pSelButton && bEnabled) {
            if (pButton->GetHwnd() != NULL) rect.InflateRect(0, 2);
            if (m_bHasFocus) {
                pDC->Draw3dRect(rect, spGlobalData.clrBtnShadow, spGlobalData.clrBtnHilite);
            } else {
                pDC->DrawFocusRect(rect);
                rect.DeflateRect(1, 1);
                pDC->DrawFocusRect(rect);
            }
        }
    }
    m_pImages->EndDraw(ds);
    pDC->Draw3dRect(rectItem, spGlobalData.clrBtnShadow, spGlobalData.clrBtnHilite);
}

BOOL CSPButtonsList::OnEraseBkgnd(CDC* pDC) {
    CRect rectClient;
    GetClientRect(rectClient);
    pDC->FillRect(rectClient, &spGlobalData.brBtnFace);
    return TRUE;
}

void CSPButtonsList::InvalidateCell(const CSPToolbarButton* pButton) {
    if (pButton == NULL || GetSafeHwnd() == NULL) return;
    CRect rectClient;
    GetClientRect(rectClient);
    CRect rect = ScreenRect(pButton);
    rect.InflateRect(2, 2);
    rect.IntersectRect(rect, rectClient);
    InvalidateRect(rect);
}

void CSPButtonsList::ScrollTo(int iPos) {
    if (iPos > m_iScrollTotal) iPos = m_iScrollTotal;
    if (iPos < 0) iPos = 0;
    if (iPos == m_iScrollOffset) return;
    m_iScrollOffset = iPos;
    if (m_wndScrollBar.GetSafeHwnd() != NULL) m_wndScrollBar.SetScrollPos(m_iScrollOffset);
}

void CSPButtonsList::SelectButton(CSPToolbarButton* pButton) {
    if (pButton == m_pSelButton) {
        InvalidateCell(pButton);
        return;
    }
    CSPToolbarButton* pOld = m_pSelButton;
    m_pSelButton = pButton;
    if (GetSafeHwnd() == NULL) return;
    InvalidateCell(pOld);
    InvalidateCell(pButton);
    if (pButton != NULL) {
        CRect rectClient;
        GetClientRect(rectClient);
        const CRect rect = ScreenRect(pButton);
        if (rect.top >= rectClient.bottom || rect.bottom <= rectClient.top) {
            ScrollTo(pButton->Rect().bottom - rectClient.Height());
            Invalidate();
        }
    }
    UpdateWindow();
    CWnd* pParent = GetParent();
    if (pParent != NULL) pParent->SendMessage(WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(), BN_CLICKED), (LPARAM)m_hWnd);
}

BOOL CSPButtonsList::SelectButton(int iImage) {
    if (iImage < 0) {
        SelectButton((CSPToolbarButton*)NULL);
        return TRUE;
    }
    for (POSITION pos = m_Buttons.GetHeadPosition(); pos != NULL;) {
        CSPToolbarButton* pButton = (CSPToolbarButton*)m_Buttons.GetNext(pos);
        const int iShown = pButton->m_bUserButton ? pButton->m_iUserImage : pButton->m_iImage;
        if (iShown == iImage) {
            SelectButton(pButton);
            return TRUE;
        }
    }
    return FALSE;
}

// No push-button handling: the click picks a cell.
void CSPButtonsList::OnLButtonDown(UINT /*nFlags*/, CPoint point) {
    SetFocus();
    CSPToolbarButton* pButton = HitTest(point);
    SelectButton(pButton);
    if (pButton == NULL || !m_bEnableDragFromList) return;

    COleDataSource source;
    pButton->m_bDragFromCollection = TRUE;
    const BOOL bData = pButton->PrepareDrag(source);
    pButton->m_bDragFromCollection = FALSE;
    if (!bData) return;
    if (s_pfnDragDropForTest != NULL)
        s_pfnDragDropForTest(source);
    else
        source.DoDragDrop(DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK);
}

UINT CSPButtonsList::OnGetDlgCode() { return DLGC_WANTARROWS; }

void CSPButtonsList::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) {
    if (m_Buttons.IsEmpty()) {
        CButton::OnKeyDown(nChar, nRepCnt, nFlags);
        return;
    }
    POSITION posSel = m_pSelButton != NULL ? m_Buttons.Find(m_pSelButton) : NULL;
    switch (nChar) {
    case VK_HOME:
        SelectButton((CSPToolbarButton*)m_Buttons.GetHead());
        return;
    case VK_END:
        SelectButton((CSPToolbarButton*)m_Buttons.GetTail());
        return;
    case VK_LEFT:
    case VK_UP:
    case VK_RIGHT:
    case VK_DOWN: {
        if (posSel == NULL) {
            SelectButton((CSPToolbarButton*)m_Buttons.GetHead());
            return;
        }
        if (nChar == VK_LEFT || nChar == VK_UP)
            m_Buttons.GetPrev(posSel);
        else
            m_Buttons.GetNext(posSel);
        if (posSel != NULL) SelectButton((CSPToolbarButton*)m_Buttons.GetAt(posSel));
        return;
    }
    }
    CButton::OnKeyDown(nChar, nRepCnt, nFlags);
}

void CSPButtonsList::OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar) {
    const int nStep = RowStep();
    int iPos = m_iScrollOffset;
    switch (nSBCode) {
    case SB_LINEUP:
        iPos -= nStep;
        break;
    case SB_LINEDOWN:
        iPos += nStep;
        break;
    case SB_PAGEUP:
        iPos -= nStep * m_iScrollPage;
        break;
    case SB_PAGEDOWN:
        iPos += nStep * m_iScrollPage;
        break;
    case SB_THUMBPOSITION:
        iPos = nStep > 0 ? (((int)nPos + nStep / 2) / nStep) * nStep : (int)nPos;
        break;
    case SB_TOP:
        iPos = 0;
        break;
    case SB_BOTTOM:
        iPos = m_iScrollTotal;
        break;
    default:
        return;
    }
    (void)pScrollBar;
    if (iPos > m_iScrollTotal) iPos = m_iScrollTotal;
    if (iPos < 0) iPos = 0;
    if (iPos == m_iScrollOffset) return;
    ScrollTo(iPos);
    CRect rect;
    GetClientRect(rect);
    rect.right -= ::GetSystemMetrics(SM_CXVSCROLL) + 2;
    rect.DeflateRect(1, 1);
    InvalidateRect(rect);
}

void CSPButtonsList::OnSetFocus(CWnd* pOldWnd) {
    CButton::OnSetFocus(pOldWnd);
    m_bHasFocus = TRUE;
    if (m_pSelButton == NULL && !m_Buttons.IsEmpty())
        SelectButton((CSPToolbarButton*)m_Buttons.GetHead());
    else
        InvalidateCell(m_pSelButton);
}

void CSPButtonsList::OnKillFocus(CWnd* pNewWnd) {
    CButton::OnKillFocus(pNewWnd);
    m_bHasFocus = FALSE;
    InvalidateCell(m_pSelButton);
}

void CSPButtonsList::OnEnable(BOOL bEnable) {
    CButton::OnEnable(bEnable);
    Invalidate();
}

void CSPButtonsList::OnSize(UINT nType, int cx, int cy) {
    CButton::OnSize(nType, cx, cy);
    RebuildLocations();
}

// The images come again from where they were loaded, in the new colours;
// images added or edited since would be lost, so a changed collection keeps
// its colours instead.
void CSPButtonsList::OnSysColorChange() {
    CButton::OnSysColorChange();
    if (m_pImages != NULL && !m_pImages->m_bModified) m_pImages->Reload();
    Invalidate();
}

HBRUSH CSPButtonsList::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor) {
    for (POSITION pos = m_Buttons.GetHeadPosition(); pos != NULL && pWnd != NULL;) {
        CSPToolbarButton* pButton = (CSPToolbarButton*)m_Buttons.GetNext(pos);
        HWND hwndHosted = pButton->GetHwnd();
        if (hwndHosted != NULL && (hwndHosted == pWnd->GetSafeHwnd() || ::IsChild(hwndHosted, pWnd->GetSafeHwnd()))) {
            HBRUSH hbr = pButton->OnCtlColor(pDC, nCtlColor);
            if (hbr != NULL) return hbr;
        }
    }
    return CButton::OnCtlColor(pDC, pWnd, nCtlColor);
}
