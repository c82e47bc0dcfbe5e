// SPColorPickerCtrl.h - an owner-drawn button that shows and picks a colour.
//
//   CSPColorCell        one hexagonal cell of the honeycomb or the grey row
//   CSPColorPickerCtrl  the control in one of five presentations: a compare
//                       swatch, a luminance bar, an HLS spectrum, a honeycomb
//                       of 127 cells and a row of grey cells
//
// The control is always owner drawn (BS_OWNERDRAW is forced on creation and
// on subclassing). Every pick sends the parent WM_COMMAND with BN_CLICKED;
// a double click on the spectrum, honeycomb or grey row sends
// BN_DOUBLECLICKED.
#pragma once
#include "afxwin.h"

class CSPColorCell : public CObject {
public:
    CSPColorCell(int x, int y, int nSize, COLORREF color, COLORREF colorPaint);
    virtual ~CSPColorCell() {}

    POINT m_pts[6];        // the hexagon's vertices
    COLORREF m_color;      // the cell's colour
    COLORREF m_colorPaint; // what it is painted with (a palette index at 8 bits)
    int m_x, m_y;          // centre
    int m_nSize;

    // The hexagon of size d about (x, y): a vertex at the top and bottom.
    static void MakeHexagon(int x, int y, int d, POINT pts[6]);
    BOOL HitTest(CPoint pt) const;
    void Draw(CDC* pDC) const;
};

class CSPColorPickerCtrl : public CButton {
    DECLARE_DYNAMIC(CSPColorPickerCtrl)
public:
    enum COLORTYPE { CURRENT = 0, LUMINANCE = 1, PICKER = 2, HEX = 3, HEX_GREYSCALE = 4 };

    CSPColorPickerCtrl();
    virtual ~CSPColorPickerCtrl();

    // attributes
    void SetType(COLORTYPE colorType) { m_COLORTYPE = colorType; }
    COLORTYPE GetType() const { return m_COLORTYPE; }
    void SetColor(COLORREF color);
    COLORREF GetColor() const { return m_colorNew; }
    void SelectColor(COLORREF color);
    void SelectColorRGB(BYTE r, BYTE g, BYTE b) { SelectColor(RGB(r, g, b)); }
    void SetCompareColor(COLORREF color) { m_colorOriginal = color; }
    COLORREF GetCompareColor() const { return m_colorOriginal; }
    void SetPalette(CPalette* pPalette);
    void SetLuminanceBarWidth(int nWidth);
    int GetLuminanceBarWidth() const { return m_nLumBarWidth; }
    void GetHLS(double& hue, double& luminance, double& saturation) const {
        hue = m_dblHue;
        luminance = m_dblLum;
        saturation = m_dblSat;
    }
    // Values of -1.0 leave that component unchanged.
    void SetHLS(double hue, double luminance, double saturation, BOOL bRedraw = TRUE);

    // geometry (client coordinates)
    // Where the marker of the luminance bar or the spectrum stands.
    CPoint GetMarkerPos() const;
    // The rectangle DrawCursor is given and a change invalidates.
    CRect GetMarkerRect() const;
    int GetCellCount() const { return (int)m_arCells.GetSize(); }
    const CSPColorCell* GetCell(int i) const {
        return (i >= 0 && i < m_arCells.GetSize()) ? m_arCells[i] : NULL;
    }
    // The selected cell: the last one whose colour is the current colour.
    int GetSelectedCell() const;

    // overridables
    virtual void DrawCursor(CDC* pDC, const CRect& rect);
    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;
    void PreSubclassWindow() override;
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;

    // Colour snapping: components near 0, 128, 192 and 255 move onto them.
    static COLORREF SnapColor(COLORREF color, int nTolerance);

protected:
    COLORTYPE m_COLORTYPE;
    double m_dblLum;
    double m_dblSat;
    double m_dblHue;
    COLORREF m_colorNew;
    COLORREF m_colorOriginal;
    int m_nLumBarWidth;
    CPalette* m_pPalette;
    CBitmap m_bmpPicker;
    CArray<CSPColorCell*, CSPColorCell*> m_arCells;

    void CreateHexagon();
    void CreateHexGreyScaleBar();
    COLORREF PaintColor(COLORREF color) const;
    void DrawPresentation(CDC* pDC, const CRect& rectClient);
    void DrawLuminanceBar(CDC* pDC, const CRect& rectClient);
    void DrawPicker(CDC* pDC, const CRect& rectClient);
    void DrawCells(CDC* pDC);
    BOOL BuildPickerBitmap(CDC* pDC, const CRect& rectClient);
    CRect GetLumBarRect() const;
    void Notify(UINT nCode);
    void OnPick(UINT nFlags, CPoint point);
    void InvalidateMarker(const CRect& rectOld);

    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg UINT OnGetDlgCode();
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    afx_msg void OnKillFocus(CWnd* pNewWnd);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg BOOL OnQueryNewPalette();
    afx_msg void OnPaletteChanged(CWnd* pFocusWnd);
    afx_msg void OnCancelMode();
    DECLARE_MESSAGE_MAP()
};
