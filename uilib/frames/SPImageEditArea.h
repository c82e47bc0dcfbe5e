// SPImageEditArea.h - CSPImageEditArea: the magnified drawing area of the
// button image editor. Each image pixel is a cell of the grid; the tools
// draw straight into the caller's bitmap.
#pragma once
#include "afxwin.h"
#include "afxctl.h"

class CSPImageEditDlg;

class CSPImageEditArea : public CButton {
    DECLARE_DYNAMIC(CSPImageEditArea)

public:
    enum EditMode { Pencil = 0, Fill = 1, Line = 2, Rect = 3, Ellipse = 4, SelectColor = 5 };

    explicit CSPImageEditArea(CSPImageEditDlg* pParentDlg = NULL);
    ~CSPImageEditArea() override;

    // The image to edit (the caller's); NULL edits nothing. The cells are
    // sized to the client area, at least one pixel each way.
    void SetBitmap(CBitmap* pBitmap);
    void SetColor(COLORREF color);
    COLORREF GetColor() const { return m_rgbColor; }
    void SetMode(int iMode) { m_Mode = iMode; }
    int GetMode() const { return m_Mode; }
    // Where the dialog shows the image at real size (dialog coordinates).
    void SetPreviewRect(const CRect& rect) { m_rectParentPreviewArea = rect; }

    CSize GetCellSize() const { return m_sizeCell; }
    CSize GetImageSize() const { return m_sizeImage; }
    // The image pixel under a client point (clamped into the image), and
    // the centre of a pixel's cell.
    CPoint ScreenToBitmap(CPoint point) const;
    CPoint BitmapToClient(CPoint point) const;
    // The colour of an image pixel as the user sees it (the system colours
    // of the stored image mapped back to the standard ones).
    COLORREF GetPixelColor(CPoint ptImage);

    void DrawItem(LPDRAWITEMSTRUCT lpDIS) override;

protected:
    CRect m_rectParentPreviewArea;
    COLORREF m_rgbColor;
    CDC m_memDC;
    CSize m_sizeImage;
    CBitmap* m_pBitmap;
    int m_Mode;
    HCURSOR m_hcurPencil;
    HCURSOR m_hcurFill;
    HCURSOR m_hcurLine;
    HCURSOR m_hcurRect;
    HCURSOR m_hcurEllipse;
    HCURSOR m_hcurColor;
    CSize m_sizeCell;
    CSPImageEditDlg* m_pParentDlg;
    CPen m_penDraw;
    CPen m_penStretch;
    CRect m_rectDraw;  // anchor (left, top) and end (right, bottom) pixels of a drag

    // The colour written into the stored image for a colour the user chose.
    COLORREF StoredColor() const;
    CRect CellRect(CPoint ptImage) const;
    CRect GridRect() const;
    void DrawPixel(POINT point);
    void ChangesDone();
    // The rubber band of a line, rectangle or ellipse drag (R2_NOT: drawn
    // twice it is gone).
    void DrawStretch(CDC& dc, const CRect& rectDraw);
    // A shape from anchor to end into the stored image.
    void DrawShape(const CRect& rectDraw);

    void PreSubclassWindow() override;

    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnCancelMode();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    afx_msg void OnDestroy();
    DECLARE_MESSAGE_MAP()
};
