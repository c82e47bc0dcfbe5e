#include "SPHeaderCtrl.h"
#include <algorithm>
#include "SPGlobalData.h"
#include "SPVisualManager.h"

IMPLEMENT_DYNAMIC(CSPHeaderCtrl, CHeaderCtrl)

BEGIN_MESSAGE_MAP(CSPHeaderCtrl, CHeaderCtrl)
    ON_WM_PAINT()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_MOUSEMOVE()
    ON_WM_CANCELMODE()
    ON_MESSAGE(WM_MOUSELEAVE, OnMouseLeave)
END_MESSAGE_MAP()

CSPHeaderCtrl::CSPHeaderCtrl()
    : m_mapColumnsStatus(10),
      m_bIsMousePressed(FALSE),
      m_bMultipleSort(FALSE),
      m_bAscending(TRUE),
      m_nHighlightedItem(-1),
      m_bTracked(FALSE) {
    m_mapColumnsStatus.InitHashTable(17, FALSE);
}

CSPHeaderCtrl::~CSPHeaderCtrl() {}

void CSPHeaderCtrl::RedrawHeader() {
    if (GetSafeHwnd() != NULL) RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

// ---------------------------------------------------------------------------
// Sort states

void CSPHeaderCtrl::SetSortColumn(int iColumn, BOOL bAscending, BOOL bAdd) {
    if (iColumn < 0) return;
    if (!m_bMultipleSort || !bAdd) m_mapColumnsStatus.RemoveAll();
    m_mapColumnsStatus.SetAt(iColumn, bAscending ? 1 : -1);
    RedrawHeader();
}

void CSPHeaderCtrl::RemoveSortColumn(int iColumn) {
    m_mapColumnsStatus.RemoveKey(iColumn);
    if (m_mapColumnsStatus.IsEmpty()) m_mapColumnsStatus.RemoveAll();  // frees the storage
    RedrawHeader();
}

void CSPHeaderCtrl::EnableMultipleSort(BOOL bEnable) {
    bEnable = bEnable != FALSE;
    if (m_bMultipleSort == bEnable) return;
    m_bMultipleSort = bEnable;
    if (!bEnable) {
        m_mapColumnsStatus.RemoveAll();
        RedrawHeader();
    }
}

int CSPHeaderCtrl::GetColumnState(int iColumn) const {
    int nState = 0;
    return m_mapColumnsStatus.Lookup(iColumn, nState) ? nState : 0;
}

int CSPHeaderCtrl::GetSortColumn() const {
    if (m_bMultipleSort) return -1;
    const int nCount = GetSafeHwnd() != NULL ? GetItemCount() : 0;
    for (int i = 0; i < nCount; i++)
        if (GetColumnState(i) != 0) return i;
    return -1;
}

BOOL CSPHeaderCtrl::IsAscending() const {
    if (m_bMultipleSort) return -1;
    const int iColumn = GetSortColumn();
    return iColumn >= 0 && GetColumnState(iColumn) > 0;
}

// ---------------------------------------------------------------------------
// Painting

void CSPHeaderCtrl::OnFillBackground(CDC* pDC) {
    CRect rectClient;
    GetClientRect(rectClient);
    pDC->FillRect(rectClient, &spGlobalData.brBtnFace);
}

void CSPHeaderCtrl::OnDrawSortArrow(CDC* pDC, CRect rectArrow) {
    CSPVisualManager::GetInstance()->OnDrawHeaderCtrlSortArrow(this, pDC, rectArrow, m_bAscending);
}

void CSPHeaderCtrl::OnDrawItem(CDC* pDC, int iItem, CRect rect, BOOL bIsPressed, BOOL bIsHighlighted) {
    CSPVisualManager::GetInstance()->OnDrawHeaderCtrlBorder(this, pDC, rect, bIsPressed, bIsHighlighted);
    if (iItem < 0) return;

    const int nSortState = GetColumnState(iItem);
    if (nSortState != 0) {
        CRect rectArrow = rect;
        rectArrow.DeflateRect(5, 5);
        rectArrow.left = rectArrow.right - rectArrow.Height();
        if (bIsPressed) rectArrow.OffsetRect(1, 1);
        rect.right = rectArrow.left - 1;
        const int dy = (int)(rectArrow.Width() * 0.134);
        rectArrow.DeflateRect(0, dy);
        m_bAscending = nSortState > 0;
        OnDrawSortArrow(pDC, rectArrow);
    }

    TCHAR szText[256] = {};
    HDITEM hdItem = {};
    hdItem.mask = HDI_TEXT | HDI_FORMAT | HDI_BITMAP | HDI_IMAGE;
    hdItem.pszText = szText;
    hdItem.cchTextMax = 255;
    if (!GetItem(iItem, &hdItem)) return;

    if ((hdItem.fmt & HDF_IMAGE) && hdItem.iImage >= 0) {
        CImageList* pImageList = GetImageList();
        if (pImageList != NULL && pImageList->GetSafeHandle() != NULL) {
            int cx = 0, cy = 0;
            pImageList->GetIconSize(cx, cy);
            pImageList->Draw(pDC, hdItem.iImage, CPoint(rect.left + 1, rect.top + (rect.Height() - cy) / 2),
                             ILD_NORMAL);
            rect.left += cx;
        }
    }
    if ((hdItem.fmt & (HDF_BITMAP | HDF_BITMAP_ON_RIGHT)) && hdItem.hbm != NULL) {
        BITMAP bmp = {};
        ::GetObject(hdItem.hbm, sizeof(bmp), &bmp);
        const int y = rect.top + (rect.Height() - bmp.bmHeight) / 2;
        if (hdItem.fmt & HDF_BITMAP_ON_RIGHT) {
            pDC->DrawState(CPoint(rect.right - 1 - bmp.bmWidth, y), CSize(bmp.bmWidth, bmp.bmHeight), hdItem.hbm,
                           DSS_NORMAL);
        } else {
            pDC->DrawState(CPoint(rect.left + 1, y), CSize(bmp.bmWidth, bmp.bmHeight), hdItem.hbm, DSS_NORMAL);
            rect.left += bmp.bmWidth + 1;
        }
    }
    if (hdItem.fmt & HDF_STRING) {
        CRect rectText = rect;
        rectText.DeflateRect(5, 0);
        UINT uiFormat = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS;
        if ((hdItem.fmt & HDF_JUSTIFYMASK) == HDF_CENTER) uiFormat |= DT_CENTER;
        else if ((hdItem.fmt & HDF_JUSTIFYMASK) == HDF_RIGHT) uiFormat |= DT_RIGHT;
        pDC->DrawText(szText, -1, rectText, uiFormat);
    }
}

void CSPHeaderCtrl::DoPaint(CDC* pDC) {
    OnFillBackground(pDC);
    CSelectObject selFont(pDC, &spGlobalData.fontRegular);
    const int nOldMode = pDC->SetBkMode(TRANSPARENT);
    const COLORREF clrOldText = pDC->SetTextColor(spGlobalData.clrBtnText);

    CPoint ptCursor;
    ::GetCursorPos(&ptCursor);
    ScreenToClient(&ptCursor);
    HDHITTESTINFO hti = {};
    hti.pt = ptCursor;
    const int iPressed = m_bIsMousePressed ? (int)SendMessage(HDM_HITTEST, 0, (LPARAM)&hti) : -1;

    CRect rectClient;
    GetClientRect(rectClient);
    const int nCount = GetItemCount();
    int xMax = rectClient.left;
    for (int i = 0; i < nCount; i++) {
        CRect rectItem;
        if (!GetItemRect(i, rectItem)) continue;
        CRgn rgnClip;
        rgnClip.CreateRectRgnIndirect(rectItem);
        pDC->SelectClipRgn(&rgnClip);
        OnDrawItem(pDC, i, rectItem, m_bIsMousePressed && i == iPressed, i == m_nHighlightedItem);
        pDC->SelectClipRgn(NULL);
        xMax = std::max(xMax, (int)rectItem.right);
    }
    // the area right of the last column
    CRect rectRest = rectClient;
    rectRest.left = xMax;
    if (rectRest.Width() > 0) {
        CRgn rgnClip;
        rgnClip.CreateRectRgnIndirect(rectRest);
        pDC->SelectClipRgn(&rgnClip);
        OnDrawItem(pDC, -1, rectRest, FALSE, FALSE);
        pDC->SelectClipRgn(NULL);
    }
    pDC->SetTextColor(clrOldText);
    pDC->SetBkMode(nOldMode);
}

void CSPHeaderCtrl::OnPaint() {
    CPaintDC dc(this);
    CRect rectClip;
    dc.GetClipBox(rectClip);
    CRect rectClient;
    GetClientRect(rectClient);
    if (rectClient.IsRectEmpty()) return;

    CDC dcMem;
    dcMem.CreateCompatibleDC(&dc);
    CBitmap bmp;
    bmp.Attach(::CreateCompatibleBitmap(dc.GetSafeHdc(), rectClient.Width(), rectClient.Height()));
    if (dcMem.GetSafeHdc() == NULL || bmp.GetSafeHandle() == NULL) {
        DoPaint(&dc);
        return;
    }
    CSelectObject selBitmap(&dcMem, &bmp);
    DoPaint(&dcMem);
    dc.BitBlt(rectClip.left, rectClip.top, rectClip.Width(), rectClip.Height(), &dcMem, rectClip.left, rectClip.top,
              SRCCOPY);
}

// ---------------------------------------------------------------------------
// Mouse

void CSPHeaderCtrl::OnLButtonDown(UINT nFlags, CPoint point) {
    m_bIsMousePressed = TRUE;
    CHeaderCtrl::OnLButtonDown(nFlags, point);
}

void CSPHeaderCtrl::OnLButtonUp(UINT nFlags, CPoint point) {
    m_bIsMousePressed = FALSE;
    CHeaderCtrl::OnLButtonUp(nFlags, point);
}

void CSPHeaderCtrl::OnMouseMove(UINT nFlags, CPoint point) {
    if (!(nFlags & MK_LBUTTON)) {
        HDHITTESTINFO hti = {};
        hti.pt = point;
        const int nHit = (int)SendMessage(HDM_HITTEST, 0, (LPARAM)&hti);
        const int nHot = (hti.flags & HHT_ONHEADER) ? nHit : -1;
        if (!m_bTracked) {
            TRACKMOUSEEVENT tme = {};
            tme.cbSize = sizeof(tme);
            tme.dwFlags = TME_LEAVE;
            tme.hwndTrack = m_hWnd;
            m_bTracked = ::TrackMouseEvent(&tme);
        }
        if (nHot != m_nHighlightedItem) {
            m_nHighlightedItem = nHot;
            RedrawHeader();
        }
    }
    CHeaderCtrl::OnMouseMove(nFlags, point);
}

LRESULT CSPHeaderCtrl::OnMouseLeave(WPARAM, LPARAM) {
    m_bTracked = FALSE;
    if (m_nHighlightedItem >= 0) {
        m_nHighlightedItem = -1;
        RedrawHeader();
    }
    return Default();
}

void CSPHeaderCtrl::OnCancelMode() {
    CHeaderCtrl::OnCancelMode();
    if (m_nHighlightedItem >= 0) {
        m_nHighlightedItem = -1;
        RedrawHeader();
    }
}
