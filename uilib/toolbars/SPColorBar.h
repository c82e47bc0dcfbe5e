// SPColorBar.h - a grid of colour cells to choose a colour from.
//
//   CColorButton       one cell, the automatic button, the button that opens
//                      a colour dialog, the custom swatch beside it, or the
//                      caption of the document colours
//   CSPColorBar        the grid with its extra buttons: the contents of a
//                      colour popup, a bar torn off one, or a palette placed
//                      in a dialog area
//   CSPColorBarCmdUI   the enable state of the bar's command
#pragma once
#include "SPPopupMenuBar.h"

class CSPColorBar;
class CSPColorButton;
class CSPColorMenuButton;
class CSPPropList;

class CColorButton : public CSPToolbarButton {
    DECLARE_DYNCREATE(CColorButton)

public:
    CColorButton();
    CColorButton(COLORREF color, BOOL bIsAutomatic = FALSE, BOOL bIsOther = FALSE, LPCTSTR lpszText = NULL,
                 BOOL bIsLabel = FALSE, BOOL bIsDocument = FALSE, BOOL bIsOtherColor = FALSE);

    COLORREF m_Color;         // -1: none (automatic)
    BOOL m_bHighlight;        // shows the selected colour
    BOOL m_bIsAutomatic;      // the automatic button
    BOOL m_bIsOther;          // opens the colour dialog
    BOOL m_bIsLabel;          // the caption of the document colours
    BOOL m_bIsDocument;       // a cell (or the caption) of the document colours
    BOOL m_bIsOtherColor;     // the custom swatch beside the other button
    CSPColorBar* m_pParentBar;  // the bar it sits on, not owned

    BOOL IsTextButton() const { return m_bIsAutomatic || m_bIsOther || m_bIsLabel; }
    // The tooltip: the text of a text button; for a cell the colour's name,
    // or "Hex={RR,GG,BB}" without one.
    CString GetTooltipText() const;

    void OnDraw(CDC* pDC, const CRect& rect, CSPButtonImages* pImages, BOOL bHorz = TRUE, BOOL bCustomizeMode = FALSE,
                BOOL bHighlight = FALSE, BOOL bDrawBorder = TRUE, BOOL bGrayDisabledButtons = TRUE) override;
    void OnChangeParentWnd(CWnd* pWndParent) override;
    SIZE OnCalculateSize(CDC* /*pDC*/, const CSize& /*sizeDefault*/, BOOL /*bHorz*/) override { return m_rect.Size(); }

private:
    void DrawFrame(CDC* pDC, const CRect& rect, BOOL bDisabled) const;
};

class CSPColorBarCmdUI : public CCmdUI {
public:
    CSPColorBarCmdUI() : m_bEnabled(TRUE) {}
    void Enable(BOOL bOn) override {
        m_bEnableChanged = TRUE;
        m_bEnabled = bOn;
    }
    void SetCheck(int /*nCheck*/) override {}
    void SetText(LPCTSTR /*lpszText*/) override {}
    BOOL m_bEnabled;
};

class CSPColorBar : public CSPPopupMenuBar {
    DECLARE_SERIAL(CSPColorBar)
    friend class CColorPopup;
    friend class CColorButton;
    friend class CSPColorMenuButton;
    friend class CSPColorButton;

public:
    // A stand-alone bar without colours (as loaded or placed by the caller).
    CSPColorBar();
    // The contents of a popup.
    CSPColorBar(const CArray<COLORREF, COLORREF>& colors, COLORREF color, LPCTSTR lpszAutoColor,
                LPCTSTR lpszOtherColor, LPCTSTR lpszDocColors, const CList<COLORREF, COLORREF>& lstDocColors,
                int nColumns, int nRowsDockHorz, int nColDockVert, COLORREF colorAutomatic, UINT nCommandID,
                CSPColorButton* pParentBtn);
    // A bar torn off a popup: a stand-alone copy for the command.
    CSPColorBar(CSPColorBar& src, UINT uiCommandID);
    virtual ~CSPColorBar();

    virtual BOOL CreateControl(CWnd* pParentWnd, DWORD dwStyle, UINT nID, CPalette* pPalette = NULL,
                               int nColumns = -1, int nRowsDockHorz = -1, int nColDockVert = -1);
    virtual BOOL CreateInRect(CWnd* pParentWnd, const CRect& rect, UINT nID, int nColumns = -1,
                              CPalette* pPalette = NULL);
    virtual BOOL OpenColorDialog(const COLORREF colorDefault, COLORREF& colorRes);
    virtual void Rebuild();

    // One RGB value per palette entry (the 20 system colours for NULL).
    static int ColorsFromPalette(CPalette* pPalette, CArray<COLORREF, COLORREF>& colors);
    // A logical palette of the first colours (at most 100), only on an
    // 8-bit display; FALSE otherwise.
    static BOOL CreatePalette(const CArray<COLORREF, COLORREF>& colors, CPalette& palette);

    void SetColor(COLORREF color);
    COLORREF GetColor() const { return m_ColorSelected; }
    void SetFirstExtraButton(LPCTSTR lpszLabel, COLORREF colorAutomatic, BOOL bEnable = TRUE);
    void SetSecondExtraButton(LPCTSTR lpszLabel, BOOL bAltColorDlg = TRUE, BOOL bEnable = TRUE);
    void SetDocumentColors(LPCTSTR lpszCaption, CList<COLORREF, COLORREF>& lstColors, BOOL bShowWhenDocked = FALSE);
    void SetVertMargin(int nVertMargin);
    void SetHorzMargin(int nHorzMargin);
    int GetVertMargin() const { return m_nVertMargin; }
    int GetHorzMargin() const { return m_nHorzMargin; }
    UINT GetCommandID() const { return m_nCommandID; }
    void SetCommandID(UINT nCommandID) { m_nCommandID = nCommandID; }
    BOOL IsTearOff() const { return m_bIsTearOff; }
    BOOL IsEnabledState() const { return m_bIsEnabled; }
    // Lets the mouse act on the bar while customise mode is on.
    void EnableMouseInCustomizeMode(BOOL bEnable = TRUE) { m_bInternal = bEnable; }
    CSize GetCellSize() const { return CSize(m_nBoxWidth, m_nBoxHeight); }
    CPoint GetCenteringOffset() const { return CPoint(m_nHorzOffset, m_nVertOffset); }
    // Sizes the cells to the client area (square cells, centred).
    void FitCellsToWindow(BOOL bSquare = TRUE, BOOL bCenter = TRUE);
    CPalette* SelectPalette(CDC* pDC);
    // The owners of a popup's bar.
    CSPColorButton* GetParentColorButton() const { return m_pParentBtn; }
    CSPPropList* GetPropList() const { return m_pWndPropList; }
    void SetPropList(CSPPropList* pList) { m_pWndPropList = pList; }

    // How the colour dialogs run: the standard one or the library's; TRUE
    // and the colour on OK. Tests put a scripted answer in its place.
    static BOOL (*s_pfnRunColorDialog)(BOOL bStdColorDlg, COLORREF colorDefault, COLORREF& colorRes);

    // The names of colours shown as tooltips (filled through the colour menu
    // button).
    static CMap<COLORREF, COLORREF, CString, LPCTSTR>& ColorNames();

    void Serialize(CArchive& ar) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;
    void DoPaint(CDC* pDC) override;
    CSize CalcSize(BOOL bVertDock) override;
    BOOL AllowChangeTextLabels() const override { return FALSE; }
    void AdjustLocations() override;
    void AdjustLayout() override;
    BOOL OnSendCommand(const CSPToolbarButton* pButton) override;
    BOOL AllowShowOnList() const override { return TRUE; }
    BOOL OnKey(UINT nChar) override;
    void ShowCommandMessageString(UINT uiCmdId) override;
    BOOL OnUserToolTip(CSPToolbarButton* pButton, CString& strTTText) const override;
    void GetVisualInfo(SPBarInfo& info) override;
    BOOL DrawButton(CDC* pDC, CSPToolbarButton* pButton, CSPButtonImages* pImages, BOOL bHighlighted,
                    BOOL bDrawDisabledImages) override;
    void GetSeparatorRect(CSPToolbarButton* pButton, CRect& rect, BOOL bHorz) const override;

    // Layout from the lists alone (no window needed).
    int GetColumnsCount(BOOL bVert) const;
    int GetExtraHeight(int nNumColumns) const;

protected:
    int m_nNumColumns;
    int m_nNumRowsHorz;
    int m_nNumColumnsVert;
    CArray<COLORREF, COLORREF> m_colors;
    CPalette m_Palette;
    int m_nBoxWidth;
    int m_nBoxHeight;
    int m_nTextHeight;
    COLORREF m_ColorSelected;
    COLORREF m_ColorAutomatic;
    CString m_strAutoColor;
    CString m_strOtherColor;
    CString m_strDocColors;
    CList<COLORREF, COLORREF> m_lstDocColors;
    UINT m_nCommandID;
    BOOL m_bStdColorDlg;
    BOOL m_bIsEnabled;
    BOOL m_bIsTearOff;
    BOOL m_bShowDocColorsWhenDocked;
    CSPColorButton* m_pParentBtn;
    CSPPropList* m_pWndPropList;
    int m_nHorzOffset;
    int m_nVertOffset;
    BOOL m_bInternal;
    int m_nVertMargin;
    int m_nHorzMargin;
    BOOL m_bInOtherDialog;  // the colour dialog runs: no closing by clicks

    BOOL IsFloatingBar() const;
    BOOL ShowsDocColors() const { return m_bShowDocColorsWhenDocked || IsFloatingBar(); }
    BOOL HasOwnerControl() const { return m_pParentBtn != NULL || m_pWndPropList != NULL; }
    CColorButton* GetColorButton(int iIndex) const;
    // The colour menu button whose popup holds the bar, or NULL.
    CSPColorMenuButton* GetColorMenuButton() const;
    // The colour goes where the bar belongs; FALSE when the bar is gone.
    void ChooseColor(COLORREF color);
    BOOL RunOtherDialog();
    void ClosePopup();
    void FocusFrame();

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnDestroy();
    afx_msg void OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp);
    afx_msg void OnNcPaint();
    afx_msg BOOL OnQueryNewPalette();
    afx_msg void OnPaletteChanged(CWnd* pFocusWnd);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    DECLARE_MESSAGE_MAP()
};

// Fills the rectangle with the library's checked-button brush.
void SPFillRectWithBrush(CDC* pDC, const CRect& rect);
