// SPAutoHideButton.h - CSPAutoHideButton: the tab-like button that stands for
// a pinned-away docking pane on an auto-hide toolbar.
#pragma once
#include "afxwin.h"

class CSPAutoHideToolBar;
class CSPDockingControlBar;

class CSPAutoHideButton : public CObject {
    DECLARE_DYNCREATE(CSPAutoHideButton)

public:
    CSPAutoHideButton();
    virtual ~CSPAutoHideButton();

    // Class-wide sizes of a button.
    static int m_nBorderSize;
    static int m_nMarginSize;
    static int m_nTextMargin;
    static int m_nTextSizeNoIcon;

    // --- operations, in slot order --------------------------------------------------
    virtual BOOL Create(CSPAutoHideToolBar* pParentBar, CSPDockingControlBar* pAutoHideWnd, DWORD dwAlignment);
    virtual void HighlightButton(BOOL bHighlight) { m_bHighlighted = bHighlight; }
    virtual BOOL IsHighlighted() const { return m_bHighlighted; }
    virtual void OnDraw(CDC* pDC);
    virtual void OnFillBackground(CDC* pDC, CRect rect);
    virtual void OnDrawBorder(CDC* pDC, CRect rectBounds, CRect rectBorderSize);
    virtual void UnSetAutoHideMode(CSPDockingControlBar* pFirstBarInGroup);

    // Along the toolbar first: (length, thickness) for a horizontal button,
    // (thickness, length) for a vertical one.
    CSize GetSize() const;
    void Move(int nOffset);
    // Slides the pane out (or in) when it is not already there.
    void ShowAttachedWindow(BOOL bShow);

    BOOL IsHorizontal() const { return (m_dwAlignment & CBRS_ORIENT_HORZ) != 0; }
    BOOL IsActive() const { return m_bIsActive; }
    void SetActive(BOOL bActive) { m_bIsActive = bActive; }
    DWORD GetAlignment() const { return m_dwAlignment; }
    CRect GetRect() const { return m_rect; }
    void SetRect(const CRect& rect) { m_rect = rect; }
    CSPDockingControlBar* GetAutoHideWindow() const { return m_pAutoHideWindow; }
    CSPAutoHideToolBar* GetParentToolBar() const { return m_pParentBar; }

protected:
    CRect m_rect;
    BOOL m_bIsActive;
    DWORD m_dwAlignment;
    BOOL m_bHighlighted;
    CSPAutoHideToolBar* m_pParentBar;
    CSPDockingControlBar* m_pAutoHideWindow;
};
