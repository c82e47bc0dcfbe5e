// CSPToolBar: sizing the bar and placing its buttons in rows.
#include <algorithm>

#include "SPToolBar.h"
#include "SPGlobalData.h"
#include "SPVisualManager.h"

// The gap between two rows of a wrapped bar.
static const int nRowGap = 5;

CFont* CSPToolBar::GetBarFont(BOOL bHorz) const {
    return bHorz ? &spGlobalData.fontRegular : &spGlobalData.fontVert;
}

CSize CSPToolBar::GetButtonSize() const {
    CSize size;
    if (m_bLocked)
        size = m_bLargeIconsAreEnbaled ? m_sizeCurButtonLocked : m_sizeButtonLocked;
    else
        size = m_bLargeIconsAreEnbaled ? m_sizeCurButton : m_sizeButton;
    if (IsButtonExtraSizeAvailable()) size += CSPVisualManager::GetInstance()->GetButtonExtraBorder();
    return size;
}

CSize CSPToolBar::GetImageSize() const {
    if (m_bLocked) return m_bLargeIconsAreEnbaled ? m_sizeCurImageLocked : m_sizeImageLocked;
    return m_bLargeIconsAreEnbaled ? m_sizeCurImage : m_sizeImage;
}

int CSPToolBar::GetRowHeight() const {
    if (m_bDrawTextLabels) return m_nMaxBtnHeight;
    int nHeight;
    if (m_bMenuMode)
        nHeight = m_sizeMenuButton.cy > 0 ? m_sizeMenuButton.cy : m_sizeButton.cy;
    else
        nHeight = GetButtonSize().cy;
    const BOOL bHorz = (GetCurrentAlignment() & CBRS_ORIENT_HORZ) != 0;
    const int nTextHeight = bHorz ? spGlobalData.nTextHeightHorz : spGlobalData.nTextHeightVert;
    return nHeight > nTextHeight ? nHeight : nTextHeight;
}

int CSPToolBar::GetColumnWidth() const {
    if (m_bMenuMode) return m_sizeMenuButton.cx > 0 ? m_sizeMenuButton.cx : m_sizeButton.cx;
    return GetButtonSize().cx;
}

void CSPToolBar::GetMinSize(CSize& size) const {
    size = IsHorizontalAligned() ? CSize(40, 16) : CSize(16, 40);
}

void CSPToolBar::GetSeparatorRect(CSPToolbarButton* pButton, CRect& rect, BOOL bHorz) const {
    rect = pButton->Rect();
    if (pButton->m_bWrap && bHorz) {
        CRect rectClient;
        GetClientRect(rectClient);
        rect = CRect(rectClient.left, rect.bottom, rectClient.right, rect.bottom + nRowGap);
    }
}

CSize CSPToolBar::CalcSize(BOOL bVertDock) {
    if (m_Buttons.IsEmpty()) return GetButtonSize();

    CClientDC dc(this);
    CFont* pOldFont = dc.SelectObject(GetBarFont(!bVertDock));
    CSize sizeResult(GetColumnWidth(), GetRowHeight());
    const CPoint ptStart = bVertDock ? CPoint(0, 1) : CPoint(1, 0);
    CPoint pt = ptStart;
    const int nButtonHeight = m_bDrawTextLabels ? GetButtonSize().cy : GetRowHeight();

    BOOL bRowStart = TRUE;
    for (POSITION pos = m_Buttons.GetHeadPosition(); pos != NULL;) {
        CSPToolbarButton* pButton = (CSPToolbarButton*)m_Buttons.GetNext(pos);
        CSize size = pButton->OnCalculateSize(&dc, CSize(GetColumnWidth(), nButtonHeight), !bVertDock);
        if (m_bDrawTextLabels) size.cy = m_nMaxBtnHeight;
        if (bVertDock) {
            sizeResult.cx = std::max<int>(sizeResult.cx, pt.x + size.cx);
            sizeResult.cy = std::max<int>(sizeResult.cy, pt.y + size.cy);
            pt.y += size.cy;
            pt.x = ptStart.x;
            continue;
        }
        if (pButton->IsSeparator() && (bRowStart || pButton->m_bWrap)) size = CSize(0, 0);
        pt.x += size.cx;
        sizeResult.cx = std::max<int>(sizeResult.cx, pt.x);
        sizeResult.cy = std::max<int>(sizeResult.cy, pt.y + size.cy);
        bRowStart = FALSE;
        if (pButton->m_bWrap) {
            pt.x = ptStart.x;
            pt.y += GetRowHeight() + nRowGap;
            bRowStart = TRUE;
        }
    }
    dc.SelectObject(pOldFont);
    return sizeResult;
}

int CSPToolBar::WrapToolBar(int nWidth, int nHeight) {
    const BOOL bHorz = IsHorizontalAligned();
    CClientDC dc(this);
    CFont* pOldFont = dc.SelectObject(GetBarFont(bHorz));
    CRect rectClient(0, 0, 0, 0);
    if (GetSafeHwnd() != NULL) GetClientRect(rectClient);
    if (IsFloating()) nHeight = 32767;

    int x = 0, y = rectClient.top, nRows = 0;
    CSPToolbarButton* pPrev = NULL;
    for (POSITION pos = m_Buttons.GetHeadPosition(); pos != NULL;) {
        CSPToolbarButton* pButton = (CSPToolbarButton*)m_Buttons.GetNext(pos);
        pButton->m_bWrap = FALSE;
        CSize size = pButton->OnCalculateSize(&dc, CSize(GetColumnWidth(), GetRowHeight()), bHorz);
        if (pButton->IsSeparator() && x == 0) size = CSize(0, 0);
        if (x + size.cx > nWidth && y + size.cy < nHeight && !pButton->IsSeparator() && pPrev != NULL) {
            pPrev->m_bWrap = TRUE;
            y += size.cy + nRowGap;
            x = 0;
            nRows++;
        }
        x += size.cx;
        pPrev = pButton;
    }
    dc.SelectObject(pOldFont);
    return nRows + 1;
}

int CSPToolBar::SizeToolBar(int nLength, BOOL bVert) {
    if (bVert) {
        WrapToolBar(32767, 32767);
        CSize size = CalcSize(FALSE);
        if (nLength <= size.cy) return WrapToolBar(size.cx);
        const int nStep = GetButtonSize().cx;
        int nWidth = 0, nRows = 1;
        // Each step adds one button width; the buttons all fit in one row
        // at the latest, so the loop ends.
        do {
            nWidth += nStep;
            nRows = WrapToolBar(nWidth);
            size = CalcSize(FALSE);
        } while (size.cy > nLength && nRows > 1);
        return WrapToolBar(size.cx);
    }

    const int nRowsMax = WrapToolBar(0);
    const int nRowsAtLength = WrapToolBar(nLength);
    if (nRowsMax != nRowsAtLength && nLength >= 1) {
        int nLow = 0, nHigh = nLength;
        while (nLow < nHigh) {
            const int nMiddle = (nLow + nHigh) / 2;
            if (WrapToolBar(nMiddle) != nRowsAtLength) {
                if (nLow == nMiddle) {
                    WrapToolBar(nHigh);
                    break;
                }
                nLow = nMiddle;
            } else {
                nHigh = nMiddle;
            }
        }
    }
    const CSize size = CalcSize(FALSE);
    return WrapToolBar(size.cx);
}

CSize CSPToolBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz) {
    DWORD dwMode = bStretch ? LM_STRETCH : 0;
    if (bHorz) dwMode |= LM_HORZ;
    return CalcLayout(dwMode);
}

CSize CSPToolBar::CalcDynamicLayout(int nLength, DWORD dwMode) {
    m_nMaxBtnHeight = CalcMaxButtonHeight();
    SizeToolBar(nLength, (BOOL)dwMode);
    const BOOL bHorz = IsHorizontalAligned();
    const CSize size = CalcSize(!bHorz);
    if (GetParentDockBar() == NULL) SetMRUWidth(bHorz ? size.cx : size.cy);
    return size;
}

CSize CSPToolBar::CalcLayout(DWORD dwMode, int nLength) {
    m_nMaxBtnHeight = CalcMaxButtonHeight();
    const DWORD dwStyle = GetControlBarStyle();
    if (!(dwStyle & CBRS_SIZE_FIXED)) {
        if (dwStyle & CBRS_SIZE_DYNAMIC) {
            if (dwMode & LM_MRUWIDTH)
                SizeToolBar(GetMRUWidth());
            else if (dwMode & LM_HORZDOCK)
                SizeToolBar(32767);
            else if (dwMode & LM_VERTDOCK)
                SizeToolBar(0);
            else if (nLength != -1) {
                CRect rectInside(0, 0, 0, 0);
                CalcInsideRect(rectInside, (dwMode & LM_HORZ) != 0);
                if (dwMode & LM_LENGTHY)
                    SizeToolBar(nLength + rectInside.Height(), TRUE);
                else
                    SizeToolBar(nLength + rectInside.Width());
            } else if (IsFloating())
                SizeToolBar(GetMRUWidth());
            else
                SizeToolBar((dwMode & LM_HORZ) ? 32767 : 0);
        } else {
            SizeToolBar((dwMode & LM_HORZ) ? 32767 : 0);
        }
    }

    CSize size = CalcSize((dwMode & LM_HORZ) == 0);
    if ((dwMode & LM_COMMIT) && IsFloating() && (dwStyle & CBRS_SIZE_DYNAMIC) && (dwMode & LM_HORZ))
        SetMRUWidth(size.cx);

    // The inside rectangle of an empty one is negative by the borders.
    CRect rectInside(0, 0, 0, 0);
    CalcInsideRect(rectInside, (dwMode & LM_HORZ) != 0);
    size.cx -= rectInside.Width();
    size.cy -= rectInside.Height();

    if ((dwMode & LM_STRETCH) && (dwMode & LM_HORZ))
        size.cx = std::max<int>(size.cx, 32767);
    else if (dwMode & LM_STRETCH)
        size.cy = std::max<int>(size.cy, 32767);
    size.cx = std::max<int>(size.cx, 0);
    size.cy = std::max<int>(size.cy, 0);
    RebuildAccelerationKeys();
    return size;
}

int CSPToolBar::CalcMaxButtonHeight() {
    m_bDrawTextLabels = FALSE;
    if (!m_bTextLabels || !IsHorizontalAligned() || GetSafeHwnd() == NULL) return 0;
    CClientDC dc(this);
    CFont* pOldFont = dc.SelectObject(GetBarFont(TRUE));
    int nMaxHeight = 0;
    int i = 0;
    for (POSITION pos = m_Buttons.GetHeadPosition(); pos != NULL; i++) {
        CSPToolbarButton* pButton = (CSPToolbarButton*)m_Buttons.GetNext(pos);
        if (!pButton->m_bTextBelow) continue;
        if (pButton->m_strText.IsEmpty()) SetButtonTextFromResource(i);
        const CSize size = pButton->OnCalculateSize(&dc, GetButtonSize(), TRUE);
        nMaxHeight = std::max<int>(nMaxHeight, size.cy);
    }
    dc.SelectObject(pOldFont);
    m_bDrawTextLabels = nMaxHeight > GetButtonSize().cy;
    return nMaxHeight;
}

void CSPToolBar::AdjustLocations() {
    if (m_Buttons.IsEmpty() || GetSafeHwnd() == NULL) return;
    const BOOL bHorz = IsHorizontalAligned();
    CRect rectClient;
    GetClientRect(rectClient);
    CClientDC dc(this);
    CFont* pOldFont = dc.SelectObject(GetBarFont(bHorz));

    const int nRowStart = bHorz ? rectClient.left + 1 : rectClient.top + 1;
    int x = nRowStart, y = nRowStart, nRowY = rectClient.top, nRowWidth = 0;
    const BOOL bCenterRows = IsFloating() && m_bTextLabels;
    POSITION posRowFirst = m_Buttons.GetHeadPosition();
    BOOL bPrevShownSeparator = TRUE;  // a separator never starts the bar

    for (POSITION pos = m_Buttons.GetHeadPosition(); pos != NULL;) {
        POSITION posThis = pos;
        CSPToolbarButton* pButton = (CSPToolbarButton*)m_Buttons.GetNext(pos);
        CSize size = pButton->OnCalculateSize(&dc, CSize(GetColumnWidth(), GetRowHeight()), bHorz);
        if (pButton->m_bTextBelow && bHorz) size.cy = GetRowHeight();

        const BOOL bRowStart = bHorz ? x == nRowStart : FALSE;
        BOOL bHide = FALSE;
        if (pButton->IsSeparator() && (bRowStart || bPrevShownSeparator)) {
            bHide = TRUE;
            size = CSize(0, 0);
        }

        CRect rect;
        if (bHorz) {
            rect = CRect(x, nRowY, x + size.cx, nRowY + size.cy);
            x += size.cx;
            nRowWidth += size.cx;
        } else {
            rect = CRect(rectClient.left, y, rectClient.left + size.cx, y + size.cy);
            y += size.cy;
        }
        if (pButton->m_bHidden != bHide) {
            pButton->m_bHidden = bHide;
            pButton->OnShow(!bHide);
        }
        if (rect != pButton->Rect()) {
            pButton->SetRect(rect);
            pButton->OnMove();
        }
        if (!bHide) bPrevShownSeparator = pButton->IsSeparator();

        if (bHorz && (pButton->m_bWrap || pos == NULL)) {
            const int nShift = (rectClient.right - nRowWidth - nRowStart) / 2;
            if (bCenterRows && nShift >= 1) {
                for (POSITION posRow = posRowFirst; posRow != NULL;) {
                    POSITION posCur = posRow;
                    CSPToolbarButton* pRowButton = (CSPToolbarButton*)m_Buttons.GetNext(posRow);
                    CRect rectMoved = pRowButton->Rect();
                    rectMoved.OffsetRect(nShift, 0);
                    pRowButton->SetRect(rectMoved);
                    pRowButton->OnMove();
                    if (posCur == posThis) break;
                }
            }
            x = nRowStart;
            nRowWidth = 0;
            nRowY += GetRowHeight() + nRowGap;
            posRowFirst = pos;
        }
    }
    dc.SelectObject(pOldFont);
    if (m_pCustomizeButton != NULL) LayoutCustomizeButton(rectClient, bHorz);
    UpdateTooltips();
}

void CSPToolBar::AdjustLayout() {
    if (GetSafeHwnd() == NULL) return;
    const BOOL bHorz = IsHorizontalAligned();
    for (POSITION pos = m_Buttons.GetHeadPosition(); pos != NULL;) {
        CSPToolbarButton* pButton = (CSPToolbarButton*)m_Buttons.GetNext(pos);
        pButton->m_bTextBelow = !pButton->IsSeparator() && m_bTextLabels && bHorz;
    }

    CFrameWnd* pFrame = SPGetParentFrame(this);
    if (pFrame != NULL && pFrame->GetSafeHwnd() != NULL) {
        CSize size = CalcFixedLayout(GetParentDockBar() == NULL, IsHorizontal());
        CWnd* pParent = GetParent();
        CRect rectParent(0, 0, 0, 0);
        if (pParent != NULL) pParent->GetClientRect(rectParent);
        if (size.cx == 32767) {
            size.cx = rectParent.Width();
            if (m_nMaxLen != 0 && size.cx > m_nMaxLen) size.cx = m_nMaxLen;
        } else if (size.cy == 32767) {
            size.cy = rectParent.Height();
            if (m_nMaxLen != 0 && size.cy > m_nMaxLen) size.cy = m_nMaxLen;
        }

        CRect rectWnd;
        GetWindowRect(rectWnd);
        const BOOL bResize = bHorz ? (size.cy != 32767 && rectWnd.Height() != size.cy)
                                   : (size.cx != 32767 && rectWnd.Width() != size.cx);
        if (bResize) {
            if (!g_bCustomizeMode) {
                CSize sizeMin;
                GetMinSize(sizeMin);
                size.cx = std::max<int>(size.cx, sizeMin.cx);
                size.cy = std::max<int>(size.cy, sizeMin.cy);
            }
            SetWindowPos(NULL, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
            UpdateVirtualRect();
        }
        // Dock rows resize themselves once the dock bars exist; a floating
        // bar's mini frame follows with the mini frames.
        pFrame->RecalcLayout(TRUE);
    }
    AdjustLocations();
    Invalidate();
    UpdateWindow();
}

void CSPToolBar::OnSize(UINT nType, int cx, int cy) {
    CSPBaseToolBar::OnSize(nType, cx, cy);
    if (g_bCustomizeMode && !m_bLocked) {
        m_pDragButton = NULL;
        m_iDragIndex = -1;
    }
    AdjustLocations();
    if (!IsFloating()) {
        CRect rectGripper(0, 0, 0, 0);
        m_rectSizeAll = rectGripper;
    } else {
        m_rectSizeAll.SetRectEmpty();
    }
}
