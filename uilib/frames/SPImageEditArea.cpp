// SPImageEditArea.cpp - the drawing area of the button image editor.
#include "SPImageEditArea.h"

#include <algorithm>

#include "SPButtonImages.h"
#include "SPGlobalData.h"
#include "SPImageEditDlg.h"

IMPLEMENT_DYNAMIC(CSPImageEditArea, CButton)

BEGIN_MESSAGE_MAP(CSPImageEditArea, CButton)
    ON_WM_LBUTTONDOWN()
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONUP()
    ON_WM_CANCELMODE()
    ON_WM_ERASEBKGND()
    ON_WM_SETCURSOR()
    ON_WM_DESTROY()
END_MESSAGE_MAP()

namespace {
// Below this cell size the cells are filled whole, without the grid lines
// between them.
const int nMinFramedCell = 3;

// The bitmap selected into the DC for one scope.
class CSelectBitmap {
public:
    CSelectBitmap(CDC& dc, CBitmap* pBitmap) : m_dc(dc), m_hOld(NULL) {
        if (pBitmap != NULL && pBitmap->GetSafeHandle() != NULL && dc.GetSafeHdc() != NULL)
            m_hOld = ::SelectObject(dc.GetSafeHdc(), pBitmap->GetSafeHandle());
    }
    ~CSelectBitmap() {
        if (m_hOld != NULL) ::SelectObject(m_dc.GetSafeHdc(), m_hOld);
    }
    BOOL IsValid() const { return m_hOld != NULL; }

private:
    CDC& m_dc;
    HGDIOBJ m_hOld;
};
}  // namespace

CSPImageEditArea::CSPImageEditArea(CSPImageEditDlg* pParentDlg)
    : m_rectParentPreviewArea(0, 0, 0, 0),
      m_rgbColor(RGB(0, 0, 0)),
      m_sizeImage(0, 0),
      m_pBitmap(NULL),
      m_Mode(Pencil),
      m_hcurPencil(NULL),
      m_hcurFill(NULL),
      m_hcurLine(NULL),
      m_hcurRect(NULL),
      m_hcurEllipse(NULL),
      m_hcurColor(NULL),
      m_sizeCell(0, 0),
      m_pParentDlg(pParentDlg),
      m_rectDraw(0, 0, 0, 0) {
    m_memDC.CreateCompatibleDC(NULL);
    m_penDraw.CreatePen(PS_SOLID, 1, StoredColor());
    m_penStretch.CreatePen(PS_SOLID, 1, spGlobalData.clrBtnText);
}

CSPImageEditArea::~CSPImageEditArea() {}

void CSPImageEditArea::PreSubclassWindow() {
    CButton::PreSubclassWindow();
    ModifyStyle(0, BS_OWNERDRAW);
    CSPResourceScope scope;
    CWinApp* pApp = AfxGetApp();
    if (pApp == NULL) return;
    m_hcurPencil = pApp->LoadCursor(SP_IDC_IMAGE_EDIT_PENCIL_CURSOR);
    m_hcurFill = pApp->LoadCursor(SP_IDC_IMAGE_EDIT_FILL_CURSOR);
    m_hcurLine = pApp->LoadCursor(SP_IDC_IMAGE_EDIT_LINE_CURSOR);
    m_hcurRect = pApp->LoadCursor(SP_IDC_IMAGE_EDIT_RECT_CURSOR);
    m_hcurEllipse = pApp->LoadCursor(SP_IDC_IMAGE_EDIT_ELLIPSE_CURSOR);
    m_hcurColor = pApp->LoadCursor(SP_IDC_IMAGE_EDIT_COLOR_CURSOR);
}

void CSPImageEditArea::OnDestroy() {
    for (HCURSOR* pCursor : {&m_hcurPencil, &m_hcurFill, &m_hcurLine, &m_hcurRect, &m_hcurEllipse, &m_hcurColor}) {
        if (*pCursor != NULL) ::DestroyCursor(*pCursor);
        *pCursor = NULL;
    }
    CButton::OnDestroy();
}

// The stored image keeps the system colours for the standard button
// colours, as the toolbars' strips do; everything drawn into it goes
// through the one mapping, so the tools agree on what a colour becomes.
COLORREF CSPImageEditArea::StoredColor() const { return SPMapToSysColor(m_rgbColor); }

void CSPImageEditArea::SetBitmap(CBitmap* pBitmap) {
    m_pBitmap = pBitmap;
    m_sizeImage = CSize(0, 0);
    m_sizeCell = CSize(0, 0);
    BITMAP bmp = {};
    if (m_pBitmap != NULL && m_pBitmap->GetSafeHandle() != NULL && m_pBitmap->GetBitmap(&bmp) &&
        bmp.bmWidth > 0 && bmp.bmHeight > 0) {
        m_sizeImage = CSize(bmp.bmWidth, bmp.bmHeight);
        CRect rectClient(0, 0, 0, 0);
        if (GetSafeHwnd() != NULL) GetClientRect(rectClient);
        // An image larger than the area still gets cells of one pixel.
        m_sizeCell.cx = std::max(1, (rectClient.Width() - 2) / (int)m_sizeImage.cx);
        m_sizeCell.cy = std::max(1, (rectClient.Height() - 2) / (int)m_sizeImage.cy);
    } else {
        m_pBitmap = NULL;
    }
    m_penStretch.DeleteObject();
    m_penStretch.CreatePen(PS_SOLID, std::max(1, (int)std::min(m_sizeCell.cx, m_sizeCell.cy)), spGlobalData.clrBtnText);
    if (GetSafeHwnd() != NULL) Invalidate();
}

void CSPImageEditArea::SetColor(COLORREF color) {
    m_rgbColor = color;
    m_penDraw.DeleteObject();
    m_penDraw.CreatePen(PS_SOLID, 1, StoredColor());
}

CPoint CSPImageEditArea::ScreenToBitmap(CPoint point) const {
    if (m_sizeCell.cx <= 0 || m_sizeCell.cy <= 0) return CPoint(0, 0);
    CPoint pt((point.x - 1) / m_sizeCell.cx, (point.y - 1) / m_sizeCell.cy);
    if (point.x < 1) pt.x = 0;
    if (point.y < 1) pt.y = 0;
    pt.x = std::max(0L, std::min(pt.x, m_sizeImage.cx - 1));
    pt.y = std::max(0L, std::min(pt.y, m_sizeImage.cy - 1));
    return pt;
}

CPoint CSPImageEditArea::BitmapToClient(CPoint point) const {
    return CPoint(point.x * m_sizeCell.cx + 1 + m_sizeCell.cx / 2, point.y * m_sizeCell.cy + 1 + m_sizeCell.cy / 2);
}

CRect CSPImageEditArea::CellRect(CPoint ptImage) const {
    CRect rect(1 + ptImage.x * m_sizeCell.cx, 1 + ptImage.y * m_sizeCell.cy, 1 + (ptImage.x + 1) * m_sizeCell.cx,
               1 + (ptImage.y + 1) * m_sizeCell.cy);
    if (m_sizeCell.cx >= nMinFramedCell && m_sizeCell.cy >= nMinFramedCell) rect.DeflateRect(1, 1);
    return rect;
}

CRect CSPImageEditArea::GridRect() const {
    return CRect(1, 1, 1 + m_sizeImage.cx * m_sizeCell.cx, 1 + m_sizeImage.cy * m_sizeCell.cy);
}

COLORREF CSPImageEditArea::GetPixelColor(CPoint ptImage) {
    CSelectBitmap select(m_memDC, m_pBitmap);
    if (!select.IsValid()) return (COLORREF)-1;
    const COLORREF color = m_memDC.GetPixel(ptImage);
    return color == CLR_INVALID ? color : SPMapFromSysColor(color);
}

void CSPImageEditArea::DrawItem(LPDRAWITEMSTRUCT lpDIS) {
    CDC* pDC = CDC::FromHandle(lpDIS->hDC);
    const CRect rectItem = lpDIS->rcItem;
    pDC->FillRect(rectItem, &spGlobalData.brBtnFace);
    if (m_pBitmap == NULL) return;

    const CRect rectGrid = GridRect();
    CRect rectFrame = rectGrid;
    rectFrame.InflateRect(1, 1);
    pDC->Draw3dRect(rectFrame, spGlobalData.clrBtnDkShadow, spGlobalData.clrBtnHilite);

    if (m_sizeCell.cx >= nMinFramedCell && m_sizeCell.cy >= nMinFramedCell) {
        CPen penGrid(PS_SOLID, 1, spGlobalData.clrBtnShadow);
        CPen* pOldPen = pDC->SelectObject(&penGrid);
        for (int x = 1; x < m_sizeImage.cx; x++) {
            const int xLine = rectGrid.left + x * m_sizeCell.cx;
            pDC->MoveTo(xLine, rectGrid.top + 1);
            pDC->LineTo(xLine, rectGrid.bottom - 1);
        }
        for (int y = 1; y < m_sizeImage.cy; y++) {
            const int yLine = rectGrid.top + y * m_sizeCell.cy;
            pDC->MoveTo(rectGrid.left + 1, yLine);
            pDC->LineTo(rectGrid.right - 1, yLine);
        }
        pDC->SelectObject(pOldPen);
    }

    CSelectBitmap select(m_memDC, m_pBitmap);
    if (!select.IsValid()) return;
    for (int x = 0; x < m_sizeImage.cx; x++) {
        for (int y = 0; y < m_sizeImage.cy; y++) {
            const COLORREF color = m_memDC.GetPixel(x, y);
            if (color == CLR_INVALID) continue;
            const COLORREF colorShown = SPMapFromSysColor(color);
            if (colorShown == (COLORREF)-1) continue;
            const CRect rectCell = CellRect(CPoint(x, y));
            if (!rectCell.IsRectEmpty()) pDC->FillSolidRect(rectCell, colorShown);
        }
    }
}

void CSPImageEditArea::DrawPixel(POINT point) {
    if (m_pBitmap == NULL) return;
    const CPoint ptImage = ScreenToBitmap(point);
    {
        CClientDC dc(this);
        const CRect rectCell = CellRect(ptImage);
        if (!rectCell.IsRectEmpty()) dc.FillSolidRect(rectCell, m_rgbColor);
    }
    {
        CSelectBitmap select(m_memDC, m_pBitmap);
        if (select.IsValid()) m_memDC.SetPixel(ptImage, StoredColor());
    }
    if (m_pParentDlg != NULL && m_pParentDlg->GetSafeHwnd() != NULL)
        m_pParentDlg->InvalidateRect(m_rectParentPreviewArea);
}

void CSPImageEditArea::ChangesDone() {
    Invalidate();
    UpdateWindow();
    if (m_pParentDlg != NULL && m_pParentDlg->GetSafeHwnd() != NULL)
        m_pParentDlg->InvalidateRect(m_rectParentPreviewArea);
    m_rectDraw.SetRectEmpty();
}

void CSPImageEditArea::DrawStretch(CDC& dc, const CRect& rectDraw) {
    const CPoint ptFrom = rectDraw.TopLeft();
    const CPoint ptTo = rectDraw.BottomRight();
    if (ptFrom == ptTo) return;
    const CPoint ptStart = BitmapToClient(ptFrom);
    const CPoint ptEnd = BitmapToClient(ptTo);
    switch (m_Mode) {
    case Line:
        dc.MoveTo(ptStart);
        dc.LineTo(ptEnd);
        break;
    case Rect:
        dc.Rectangle(CRect(ptStart, ptEnd));
        break;
    case Ellipse:
        dc.Ellipse(CRect(ptStart, ptEnd));
        break;
    }
}

void CSPImageEditArea::DrawShape(const CRect& rectDraw) {
    CSelectBitmap select(m_memDC, m_pBitmap);
    if (!select.IsValid()) return;
    CPen* pOldPen = m_memDC.SelectObject(&m_penDraw);
    CGdiObject* pOldBrush = m_memDC.SelectStockObject(NULL_BRUSH);
    switch (m_Mode) {
    case Line:
        m_memDC.MoveTo(rectDraw.TopLeft());
        m_memDC.LineTo(rectDraw.BottomRight());
        break;
    case Rect:
        m_memDC.Rectangle(rectDraw);
        break;
    case Ellipse:
        m_memDC.Ellipse(rectDraw);
        break;
    }
    m_memDC.SelectObject(pOldBrush);
    m_memDC.SelectObject(pOldPen);
}

void CSPImageEditArea::OnLButtonDown(UINT nFlags, CPoint point) {
    (void)nFlags;
    if (m_pBitmap == NULL) return;
    switch (m_Mode) {
    case Pencil:
        DrawPixel(point);
        break;
    case Line:
    case Rect:
    case Ellipse: {
        const CPoint pt = ScreenToBitmap(point);
        m_rectDraw = CRect(pt, pt);
        break;
    }
    }
    SetCapture();
}

void CSPImageEditArea::OnMouseMove(UINT nFlags, CPoint point) {
    if ((nFlags & MK_LBUTTON) == 0 || m_pBitmap == NULL || GetCapture() != this) return;
    CRect rectClient;
    GetClientRect(rectClient);
    point.x = std::max(rectClient.left, std::min(point.x, rectClient.right - 1));
    point.y = std::max(rectClient.top, std::min(point.y, rectClient.bottom - 1));
    switch (m_Mode) {
    case Pencil:
        DrawPixel(point);
        break;
    case Line:
    case Rect:
    case Ellipse: {
        const CPoint ptEnd = ScreenToBitmap(point);
        if (ptEnd == m_rectDraw.BottomRight()) break;
        CClientDC dc(this);
        const CRect rectGrid = GridRect();
        dc.IntersectClipRect(rectGrid);
        CPen* pOldPen = dc.SelectObject(&m_penStretch);
        CGdiObject* pOldBrush = dc.SelectStockObject(NULL_BRUSH);
        const int nOldROP = dc.SetROP2(R2_NOT);
        DrawStretch(dc, m_rectDraw);
        m_rectDraw.right = ptEnd.x;
        m_rectDraw.bottom = ptEnd.y;
        DrawStretch(dc, m_rectDraw);
        dc.SetROP2(nOldROP);
        dc.SelectObject(pOldBrush);
        dc.SelectObject(pOldPen);
        break;
    }
    }
}

void CSPImageEditArea::OnLButtonUp(UINT nFlags, CPoint point) {
    (void)nFlags;
    if (GetCapture() == this) ReleaseCapture();
    if (m_pBitmap == NULL) return;

    CRect rectDraw = m_rectDraw;
    const BOOL bSinglePixel = rectDraw.TopLeft() == rectDraw.BottomRight();
    if ((m_Mode == Rect || m_Mode == Ellipse) && !bSinglePixel) {
        // The shape takes in its end pixel.
        if (rectDraw.left != rectDraw.right) {
            if (rectDraw.right > rectDraw.left)
                rectDraw.right++;
            else
                rectDraw.left++;
        }
        if (rectDraw.top != rectDraw.bottom) {
            if (rectDraw.bottom > rectDraw.top)
                rectDraw.bottom++;
            else
                rectDraw.top++;
        }
    }

    switch (m_Mode) {
    case Pencil:
        DrawPixel(point);
        break;
    case Fill: {
        const CPoint pt = ScreenToBitmap(point);
        CSelectBitmap select(m_memDC, m_pBitmap);
        if (select.IsValid()) {
            const COLORREF colorAt = m_memDC.GetPixel(pt);
            CBrush brush(StoredColor());
            CBrush* pOldBrush = m_memDC.SelectObject(&brush);
            m_memDC.ExtFloodFill(pt.x, pt.y, colorAt, FLOODFILLSURFACE);
            m_memDC.SelectObject(pOldBrush);
        }
        break;
    }
    case Line:
        if (!bSinglePixel) DrawShape(rectDraw);
        DrawPixel(point);
        break;
    case Rect:
    case Ellipse:
        if (bSinglePixel)
            DrawPixel(point);
        else
            DrawShape(rectDraw);
        break;
    case SelectColor: {
        const COLORREF color = GetPixelColor(ScreenToBitmap(point));
        if (color != CLR_INVALID && m_pParentDlg != NULL) m_pParentDlg->OnPickColor(color);
        break;
    }
    }
    ChangesDone();
}

void CSPImageEditArea::OnCancelMode() {
    CButton::OnCancelMode();
    if (GetCapture() == this) ReleaseCapture();
}

BOOL CSPImageEditArea::OnEraseBkgnd(CDC* /*pDC*/) { return TRUE; }

BOOL CSPImageEditArea::OnSetCursor(CWnd* /*pWnd*/, UINT /*nHitTest*/, UINT /*message*/) {
    HCURSOR hCursor = NULL;
    switch (m_Mode) {
    case Pencil:
        hCursor = m_hcurPencil;
        break;
    case Fill:
        hCursor = m_hcurFill;
        break;
    case Line:
        hCursor = m_hcurLine;
        break;
    case Rect:
        hCursor = m_hcurRect;
        break;
    case Ellipse:
        hCursor = m_hcurEllipse;
        break;
    case SelectColor:
        hCursor = m_hcurColor;
        break;
    }
    ::SetCursor(hCursor != NULL ? hCursor : ::LoadCursor(NULL, IDC_ARROW));
    return TRUE;
}
