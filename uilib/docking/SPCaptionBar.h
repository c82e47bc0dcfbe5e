// SPCaptionBar.h - CSPCaptionBar: a full-width bar docked at the top of a
// frame that shows up to three elements in one line: an image (icon or
// bitmap), a text and a push button with its own text. A click on the
// button is sent to the owner as a command; a right click asks the frame
// for its bars context menu. Each element is placed left, right or centred.
#pragma once
#include "SPControlBar.h"
#include "SPButtonImages.h"

class CSPCaptionBar : public CSPControlBar {
    DECLARE_DYNCREATE(CSPCaptionBar)

public:
    // Where an element stands in the bar.
    enum BarElementAlignment { ALIGN_LEFT = 1, ALIGN_RIGHT = 2, ALIGN_CENTER = 3 };
    enum BarElement { ELEM_BUTTON, ELEM_TEXT, ELEM_ICON };

    CSPCaptionBar();
    virtual ~CSPCaptionBar();

    // Creates the bar at the top of the frame (nHeight -1: as high as its
    // contents) and registers it with the frame.
    BOOL Create(DWORD dwStyle, CWnd* pParentWnd, UINT uID, int nHeight = -1);

    void SetButton(LPCTSTR lpszLabel, UINT uiCmdUI, BarElementAlignment btnAlignmnet = ALIGN_LEFT);
    void RemoveButton();
    void EnableButton(BOOL bEnable = TRUE);
    void SetButtonPushed(BOOL bPushed = TRUE);
    void SetIcon(HICON hIcon, BarElementAlignment iconAlignment = ALIGN_LEFT);
    void RemoveIcon();
    void SetBitmap(HBITMAP hBitmap, COLORREF clrTransparent, BOOL bStretch = FALSE,
                   BarElementAlignment bmpAlignment = ALIGN_LEFT);
    void RemoveBitmap();
    void SetText(const CString& strText, BarElementAlignment textAlignment = ALIGN_LEFT);
    void RemoveText();
    BarElementAlignment GetAlignment(BarElement elem) const;
    void SetFlatBorder(BOOL bFlat = TRUE) { m_bFlatBorder = bFlat; }

    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    void GetVisualInfo(SPBarInfo& info) override;
    void RecalcLayout() override;

    // Read by the tests and the visual managers.
    int GetBarHeight() const { return m_nBarHeight; }
    CRect GetButtonRect() const { return m_rectButton; }
    CRect GetTextRect() const { return m_rectText; }
    CRect GetImageRect() const { return m_rectImage; }
    BOOL IsButtonHot() const { return m_bIsBtnHighlighted; }
    BOOL IsButtonPressed() const { return m_bIsBtnPressed; }
    BOOL IsTrackingLeave() const { return m_bTracked; }

    COLORREF m_clrBarText;        // -1: the visual manager's caption text colour
    COLORREF m_clrBarBackground;  // -1: the global face colour
    int m_nBorderSize;            // above and below the contents
    int m_nMargin;                // at the left and right ends
    int m_nHorzElementOffset;     // between elements

protected:
    virtual void OnDrawBackground(CDC* pDC, CRect rect);
    virtual void OnDrawBorder(CDC* pDC, CRect rect);
    virtual void OnDrawText(CDC* pDC, CRect rect, const CString& strText);
    virtual void OnDrawImage(CDC* pDC, CRect rect);
    virtual void OnDrawButton(CDC* pDC, CRect rect, const CString& strButton, BOOL bEnabled);

    HICON m_hIcon;
    CSPButtonImages m_Bitmap;
    BOOL m_bStretchImage;
    BarElementAlignment m_iconAlignment;
    CRect m_rectImage;
    HFONT m_hFont;
    CString m_strText;
    BarElementAlignment m_textAlignment;
    CRect m_rectDrawText;
    CRect m_rectText;
    CString m_strBtnText;
    UINT m_uiBtnID;
    BarElementAlignment m_btnAlignnment;
    CRect m_rectButton;
    BOOL m_bIsBtnPressed;
    BOOL m_bIsBtnHighlighted;
    BOOL m_bIsBtnForcePressed;
    BOOL m_bTracked;
    BOOL m_bBtnEnabled;
    int m_nDefaultHeight;
    int m_nBarHeight;
    BOOL m_bFlatBorder;
    COLORREF m_clrTransparent;

    CSize GetImageSize() const;
    BOOL HasActiveButton() const { return !m_strBtnText.IsEmpty() && m_uiBtnID != 0 && m_bBtnEnabled; }
    void RedrawButton();
    CFont* SelectBarFont(CDC* pDC);

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp);
    afx_msg void OnNcPaint();
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnRButtonUp(UINT nFlags, CPoint point);
    afx_msg LRESULT OnMouseLeave(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnSetFont(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnGetFont(WPARAM wParam, LPARAM lParam);
    afx_msg void OnSysColorChange();
    DECLARE_MESSAGE_MAP()
};
