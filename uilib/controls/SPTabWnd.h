// SPTabWnd.h - CSPTabWnd: the library's tab control. A strip of tabs at the
// top or bottom and, in the rest of the window, the active tab's window.
//
// Styles: STYLE_3D shrinks tabs that do not fit and gives the cut ones a
// tooltip; STYLE_FLAT and STYLE_FLAT_SHARED_HORZ_SCROLL draw slanted
// overlapping tabs with scroll buttons (the second shares a horizontal
// scroll bar with the active window); STYLE_3D_SCROLLED keeps rectangular
// tabs and scrolls them.
#pragma once
#include "SPBaseTabWnd.h"
#include "SPButton.h"

class CSPTabWnd;

// Scroll, first/last and close buttons of the strip, drawn by the visual
// manager as tab buttons.
class CSPTabScrollButton : public CSPButton {
public:
    void OnFillBackground(CDC* pDC, const CRect& rectClient) override;
    void OnDrawBorder(CDC* pDC, CRect& rectClient, UINT uiState) override;
    CSPTabWnd* GetTabWnd() const;
};

// Sent to the parent after the shared scroll bar moved the active window;
// wParam MAKEWPARAM(scroll code, position).
extern const UINT SP_WM_ON_HSCROLL;

class CSPTabWnd : public CSPBaseTabWnd {
    DECLARE_DYNCREATE(CSPTabWnd)

public:
    enum Style { STYLE_3D = 0, STYLE_FLAT = 1, STYLE_FLAT_SHARED_HORZ_SCROLL = 2, STYLE_3D_SCROLLED = 3 };

    CSPTabWnd();
    ~CSPTabWnd() override;

    virtual BOOL Create(Style style, const RECT& rect, CWnd* pParentWnd, UINT nID,
                        Location location = LOCATION_TOP, BOOL bCloseBtn = FALSE);

    // CSPBaseTabWnd
    BOOL IsPtInTabArea(CPoint point) const override;
    void GetTabArea(CRect& rectTabAreaTop, CRect& rectTabAreaBottom) const override;
    BOOL SetImageList(HIMAGELIST hImageList) override;
    BOOL SetImageList(UINT uiID, int cx = 15, COLORREF clrTransp = RGB(255, 0, 255)) override;
    void RecalcTabHeight() override;
    void RecalcLayout() override;
    void EnableInPlaceEdit(BOOL bEnable) override;
    void AdjustRenameEditRect(CRect& rectEdit) override;
    BOOL SetActiveTab(int iTab) override;
    BOOL EnsureVisible(int iTab) override;
    CWnd* FindTargetWnd(const CPoint& pt) override;
    BOOL IsFlatTab() const override { return m_bFlat; }
    BOOL GetExtraStyleFlag() const override { return m_bExtraStyle; }
    void HideSingleTab(BOOL bHide = TRUE) override;
    // A toolbar button dragged over the strip of a tabbed toolbar opens the
    // tab under the point: copy with Ctrl, else move. Over any other parent
    // the window takes nothing.
    DROPEFFECT OnDragEnter(COleDataObject* pDataObject, DWORD dwKeyState, CPoint point) override;
    DROPEFFECT OnDragOver(COleDataObject* pDataObject, DWORD dwKeyState, CPoint point) override;

    // overridables, in slot order
    virtual BOOL QueryTabKindFlag() { return TRUE; }
    virtual void DrawTab(CDC* pDC, CSPTabInfo* pTab, BOOL bActive);

    void HideEmptyTabArea(BOOL bHide = TRUE);
    void SetActiveTabBold(BOOL bIsBold = TRUE);
    void SyncScrollBar(SCROLLINFO* pScrollInfo = NULL);
    void SetFlatFrame(BOOL bFlatFrame = TRUE) { m_bFlatFrame = bFlatFrame; }
    BOOL IsSharedScroll() const { return m_bSharedScroll; }
    BOOL HasScrollButtons() const { return m_bScroll; }
    int GetScrollOffset() const { return m_nTabsHorzOffset; }
    int GetMaxScrollOffset() const { return m_nTabsHorzOffsetMax; }
    const CRect& GetWndArea() const { return m_rectWndArea; }
    const CRect& GetTabsRect() const { return m_rectTabsArea; }
    const CRect& GetSplitterRect() const { return m_rectTabSplitter; }
    int GetScrollBarWidth() const { return m_nHorzScrollWidth; }
    CSPButton* GetScrollLeft() { return &m_btnScrollLeft; }
    CSPButton* GetScrollRight() { return &m_btnScrollRight; }
    CSPButton* GetCloseButton() { return &m_btnClose; }
    // Moves the scroll offset by nDelta pixels (clamped); TRUE when it moved.
    BOOL ScrollTabs(int nDelta);

    BOOL m_bAutoSizeWindow;
    BOOL m_bTransparent;

    // When a tab replaces another, its window (a view excepted, which
    // becomes its frame's active view) takes the focus.
    static BOOL s_bSetFocusOnActivate;

    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    BOOL m_bFlat;
    BOOL m_bSharedScroll;
    BOOL m_bScroll;
    BOOL m_bCloseBtn;
    int m_nHorzScrollWidth;
    CRect m_rectTabsArea;
    CRect m_rectWndArea;
    CScrollBar m_wndScrollWnd;
    CSPTabScrollButton m_btnScrollLeft;
    CSPTabScrollButton m_btnScrollRight;
    CSPTabScrollButton m_btnScrollFirst;
    CSPTabScrollButton m_btnScrollLast;
    CSPTabScrollButton m_btnClose;
    CList<HWND, HWND> m_lstButtons;
    int m_nTabsHorzOffset;
    int m_nTabsHorzOffsetMax;
    int m_nTabsTotalWidth;
    CRect m_rectTabSplitter;
    BOOL m_bTrackSplitter;
    BOOL m_bExtraStyle;
    BOOL m_bTopEdge;
    BOOL m_bFlatFrame;
    BOOL m_bHideNoTabs;
    BOOL m_bIsActiveTabBold;
    CFont m_fntTabs;
    CFont m_fntTabsBold;
    Style m_style;

    void AdjustTabs();
    void PlaceButtons(const CRect& rectButtons);
    void UpdateScrollButtonsState();
    BOOL HasHiddenStrip() const;
    void ActivateByKey(int nStep);

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnDestroy();
    afx_msg void OnPaint();
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnCancelMode();
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    afx_msg void OnSettingChange(UINT uFlags, LPCTSTR lpszSection);
    afx_msg void OnSysColorChange();
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    DECLARE_MESSAGE_MAP()
};
