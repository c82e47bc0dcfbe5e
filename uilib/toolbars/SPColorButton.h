// SPColorButton.h - a push button showing a colour swatch with a drop arrow;
// pressing it drops a colour popup, and the colour chosen there is stored
// and reported to the parent as WM_COMMAND with the button's control id.
//
// It is a control, but its popup is a popup menu of this folder, so it lives
// here rather than with the other buttons.
#pragma once
#include "SPButton.h"

class CColorPopup;

class CSPColorButton : public CSPButton {
    DECLARE_DYNCREATE(CSPColorButton)
    friend class CSPColorBar;

public:
    CSPColorButton();
    virtual ~CSPColorButton();

    BOOL m_bEnabledInCustomizeMode;
    BOOL m_bAutoSetFocus;
    BOOL m_bAltColorDlg;

    COLORREF GetColor() const { return m_Color; }
    // Stores the colour and repaints.
    void SetColor(COLORREF color);
    // SetColor, then WM_COMMAND to the parent.
    void UpdateColor(COLORREF color);
    void EnableAutomaticButton(LPCTSTR lpszLabel, COLORREF colorAutomatic, BOOL bEnable = TRUE);
    void EnableOtherButton(LPCTSTR lpszLabel, BOOL bAltColorDlg = TRUE, BOOL bEnable = TRUE);
    void SetDocumentColors(LPCTSTR lpszLabel, CList<COLORREF, COLORREF>& lstColors);
    void SetColumnsNumber(int nColumns) { m_nColumns = nColumns; }
    void SetPalette(CPalette* pPalette);
    CPalette* GetPalette() const { return m_pPalette; }
    CColorPopup* GetPopup() const { return m_pPopup; }
    const CList<COLORREF, COLORREF>& GetDocumentColors() const { return m_lstDocColors; }
    const CString& GetAutomaticLabel() const { return m_strAutoColorText; }

    // The themed look: themes on, the themed visual manager current and
    // themes available.
    static BOOL IsDrawXPTheme();

    CSize SizeToContent(BOOL bCalcOnly = FALSE) override;

protected:
    virtual void OnShowColorPopup();

    void OnFillBackground(CDC* pDC, const CRect& rectClient) override;
    void OnDrawBorder(CDC* pDC, CRect& rectClient, UINT uiState) override;
    void OnDrawFocusRect(CDC* pDC, const CRect& rectClient) override;
    void OnDraw(CDC* pDC, const CRect& rect, UINT uiState) override;

    // The popup's bar took the mouse, or went.
    void OnPopupCaptured() { m_bCaptured = FALSE; }
    void OnPopupGone();
    int GetDropWidth() const;

    COLORREF m_Color;
    COLORREF m_ColorAutomatic;
    CArray<COLORREF, COLORREF> m_Colors;
    CList<COLORREF, COLORREF> m_lstDocColors;
    int m_nColumns;
    int m_nVertMargin;
    CString m_strOtherText;
    CString m_strDocColorsText;
    CString m_strAutoColorText;
    CPalette* m_pPalette;
    CColorPopup* m_pPopup;

    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnSysColorChange();
    afx_msg UINT OnGetDlgCode() { return DLGC_WANTARROWS; }
    DECLARE_MESSAGE_MAP()
};
