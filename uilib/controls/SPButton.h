// SPButton.h - CSPButton: the library's owner-drawn push button, check box
// and radio button.
//
// The kind comes from the window style it is created (or subclassed) with;
// the button itself is always BS_OWNERDRAW and keeps its own check state
// (BM_SETCHECK / BM_GETCHECK are answered here). It draws a face, a border
// in one of four styles, an image per state (normal, hot, disabled, and the
// same three when checked) or a menu glyph, and a label; it tracks the mouse
// for hot and pressed drawing, can repeat its command while held down, and
// moves between the radio buttons of its group with the arrow keys.
//
// The visual managers read the button's pressed and hot state through its
// ISPVisualButton side.
#pragma once
#include "afxwin.h"
#include "SPClientHooks.h"

class CSPButton : public CButton, public ISPVisualButton {
    DECLARE_DYNCREATE(CSPButton)

public:
    // border styles (m_nFlatStyle)
    enum FlatStyle { BUTTONSTYLE_3D = 0, BUTTONSTYLE_FLAT = 1, BUTTONSTYLE_SEMIFLAT = 2, BUTTONSTYLE_NOBORDERS = 3 };
    // label alignment (m_nAlignStyle)
    enum AlignStyle { ALIGN_LEFT = 0, ALIGN_RIGHT = 1, ALIGN_CENTER = 2 };

    // data
    int m_nFlatStyle;
    int m_nAlignStyle;
    BOOL m_bRightImage;
    BOOL m_bTransparent;
    BOOL m_bDrawFocus;
    BOOL m_bHighlightChecked;
    BOOL m_bGrayDisabled;
    BOOL m_bClickOnDown;

    // construction
    CSPButton();
    virtual ~CSPButton();

    // images: the first form of each fills the normal half, the second the
    // checked half; each first empties its half
    void SetImage(HICON hIcon, BOOL bAutoDestroy = TRUE, HICON hIconHot = NULL);
    void SetImage(HBITMAP hBitmap, BOOL bAutoDestroy = TRUE, HBITMAP hBitmapHot = NULL, BOOL bMap3dColors = TRUE);
    void SetImage(UINT uiBmpResId, UINT uiBmpHotResId = 0);
    void SetCheckedImage(HICON hIcon, BOOL bAutoDestroy = TRUE, HICON hIconHot = NULL);
    void SetCheckedImage(HBITMAP hBitmap, BOOL bAutoDestroy = TRUE, HBITMAP hBitmapHot = NULL,
                         BOOL bMap3dColors = TRUE);
    void SetCheckedImage(UINT uiBmpResId, UINT uiBmpHotResId = 0);
    // A menu glyph (CSPMenuImages) instead of image lists.
    void SetStdImage(int nImageId, int nDisabledImageId = 0);

    void SetTooltip(LPCTSTR lpszToolTipText);  // NULL deactivates
    void SetMouseCursor(HCURSOR hcursor) { m_hCursor = hcursor; }
    void SetHandCursor();  // cursor resource 16919, loaded once for all buttons
    void SetFaceColor(COLORREF crFace, BOOL bRedraw = TRUE);
    void SetStdFont(BOOL bUseStdFont = TRUE);  // the global UI font, or none
    void SetAutoTooltip(BOOL bAutoTooltip = TRUE);
    void SetAutoRepeatMode(int nTimeDelay = 500);  // 0: off
    void SetTextColor(COLORREF clr) { m_clrRegular = clr; }
    void SetTextHotColor(COLORREF clr) { m_clrHover = clr; }
    void SetCheck(int nCheck);
    int GetCheck() const;
    BOOL IsPressed() const { return m_bPushed; }
    BOOL IsHighlighted() const { return m_bHighlighted; }
    void GetVisualInfo(SPButtonInfo& info) override;
    BOOL IsChecked() const { return m_bChecked; }
    BOOL IsCheckBox() const { return m_bCheckButton; }
    BOOL IsRadioButton() const { return m_bRadioButton; }
    BOOL IsAutoCheck() const { return m_bAutoCheck; }
    CSize GetImageSize() const { return m_sizeImage; }
    CToolTipCtrl& GetToolTipCtrl() { return m_wndToolTip; }

    static void EnableWinXPTheme(BOOL bEnable = TRUE) { s_bWinXPTheme = bEnable; }
    static BOOL IsWinXPThemeEnabled() { return s_bWinXPTheme; }

    // overridables, in slot order
    virtual void CleanUp();
    virtual CSize SizeToContent(BOOL bCalcOnly = FALSE);
    virtual void OnFillBackground(CDC* pDC, const CRect& rectClient);
    virtual void OnDrawBorder(CDC* pDC, CRect& rectClient, UINT uiState);
    virtual void OnDrawFocusRect(CDC* pDC, const CRect& rectClient);
    virtual void OnDraw(CDC* pDC, const CRect& rect, UINT uiState);
    virtual void OnDrawText(CDC* pDC, const CRect& rect, const CString& strText, UINT uiDTFlags, UINT uiState);
    virtual void SetImageFromBitmap(HBITMAP hBitmap, BOOL bChecked);
    virtual CFont* SelectFont(CDC* pDC);

    void DrawItem(LPDRAWITEMSTRUCT lpDIS) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    BOOL m_bPushed;
    BOOL m_bClickedInside;
    BOOL m_bHighlighted;
    BOOL m_bCaptured;
    BOOL m_bHover;
    BOOL m_bChecked;
    BOOL m_bCheckButton;
    BOOL m_bRadioButton;
    BOOL m_bAutoCheck;
    CSize m_sizeImage;
    CImageList m_Image;
    CImageList m_ImageHot;
    CImageList m_ImageDisabled;
    CImageList m_ImageChecked;
    CImageList m_ImageCheckedHot;
    CImageList m_ImageCheckedDisabled;
    BOOL m_bAutoTooltip;
    BOOL m_bTooltipCheckPending;
    int m_nStdImageId;
    int m_nStdImageDisabledId;
    CToolTipCtrl m_wndToolTip;
    HCURSOR m_hCursor;
    CSize m_sizePushOffset;
    COLORREF m_clrRegular;
    COLORREF m_clrHover;
    COLORREF m_clrFace;
    HFONT m_hFont;
    int m_nAutoRepeatTimeDelay;

    static BOOL s_bWinXPTheme;
    static HCURSOR s_hcurHand;

    // The window style tells the kind; the button becomes BS_OWNERDRAW.
    void ApplyStyle(DWORD& dwStyle);
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    void PreSubclassWindow() override;

    void ClearHalf(BOOL bChecked);
    void SetIconImage(BOOL bChecked, HICON hIcon, BOOL bAutoDestroy, HICON hIconHot);
    void SetBitmapImage(BOOL bChecked, HBITMAP hBitmap, BOOL bAutoDestroy, HBITMAP hBitmapHot, BOOL bMap3dColors);
    void SetResourceImage(BOOL bChecked, UINT uiBmpResId, UINT uiBmpHotResId);
    COLORREF GetFaceColor() const;
    // Ends mouse tracking: flags, capture and the repeat timer.
    void EndTracking(BOOL bRedraw);
    void Repaint();
    void SendClickToParent();
    // Checks this radio button and unchecks every other checked library
    // radio button among its siblings.
    void CheckRadio(CSPButton* pButton);
    CSPButton* NextRadioInGroup(BOOL bPrevious);

    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnCancelMode();
    afx_msg void OnKillFocus(CWnd* pNewWnd);
    afx_msg void OnEnable(BOOL bEnable);
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnDestroy();
    afx_msg LRESULT OnSetFont(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnBMSetCheck(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnBMGetCheck(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()
};
