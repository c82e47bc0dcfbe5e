// SPStatusBar.h - CSPStatusBar: the library's status bar, a control bar that
// draws every pane itself (no common-control status window behind it).
//
// Panes are addressed by index; index 255 also names the stretch pane (the
// one that takes the width the others leave) while the bar has fewer than
// 255 panes. A pane shows a text, optionally after an icon or an animation,
// or a progress bar. The size grip is drawn while the frame is resizable and
// not maximised. The dock manager never hides a status bar when it hides
// the bars for print preview or as a whole.
#pragma once
#include "SPControlBar.h"

// One pane; the bar keeps them in its zero-filled element block.
struct SPStatusBarPane {
    CRect rect;           // client coordinates; empty when it does not fit
    UINT nID;             // 0: no indicator string
    UINT nStyle;          // SBPS_* bits
    int cxText;           // width reserved for the text
    COLORREF clrText;     // (COLORREF)-1: the button-text colour
    int cxIcon;           // 0: no icon space
    int cyIcon;
    LPTSTR lpszText;      // owned; NULL = empty
    LPTSTR lpszToolTip;   // owned; NULL = none
    HIMAGELIST hImage;    // owned: one image, or one per animation frame
    int nFrameCount;      // 0: not animated
    int nCurrFrame;
    long nProgressCurr;
    long nProgressTotal;  // > 0: a progress pane
    BOOL bProgressText;
    COLORREF clrProgressBar;      // (COLORREF)-1: COLOR_HIGHLIGHT
    COLORREF clrProgressBarDest;  // (COLORREF)-1: a solid bar
    COLORREF clrProgressText;     // (COLORREF)-1: the highlight-text colour
};

class CSPStatusBar : public CSPControlBar {
    DECLARE_DYNCREATE(CSPStatusBar)

public:
    CSPStatusBar();
    virtual ~CSPStatusBar();

    // The pseudo-index of the stretch pane.
    enum { nStretchPaneIndex = 255 };

    BOOL Create(CWnd* pParentWnd, DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_BOTTOM,
                UINT nID = AFX_IDW_STATUS_BAR);
    BOOL CreateEx(CWnd* pParentWnd, DWORD dwCtrlStyle = 0, DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_BOTTOM,
                  UINT nID = AFX_IDW_STATUS_BAR);
    using CSPControlBar::Create;
    using CSPControlBar::CreateEx;

    // One pane per id: a non-zero id takes its indicator string; the first
    // id 0 becomes the borderless stretch pane. FALSE when a string is
    // missing or a text cannot be stored.
    BOOL SetIndicators(const UINT* lpIDArray, int nIDCount);

    int CommandToIndex(UINT nIDFind) const;
    UINT GetItemID(int nIndex) const;
    void GetItemRect(int nIndex, LPRECT lpRect) const;
    int GetCount() const { return m_nCount; }

    UINT GetPaneStyle(int nIndex) const;
    void SetPaneStyle(int nIndex, UINT nStyle);
    int GetPaneWidth(int nIndex) const;
    // cx is the width of the pane's contents (icon and text).
    void SetPaneWidth(int nIndex, int cx);
    void GetPaneInfo(int nIndex, UINT& nID, UINT& nStyle, int& cxWidth) const;
    void SetPaneInfo(int nIndex, UINT nID, UINT nStyle, int cxWidth);

    CString GetPaneText(int nIndex) const;
    void GetPaneText(int nIndex, CString& rString) const;
    BOOL SetPaneText(int nIndex, LPCTSTR lpszNewText, BOOL bUpdate = TRUE);
    COLORREF GetPaneTextColor(int nIndex) const;
    void SetPaneTextColor(int nIndex, COLORREF clrText = (COLORREF)-1, BOOL bUpdate = TRUE);
    CString GetPaneTipText(int nIndex) const;
    void SetPaneTipText(int nIndex, LPCTSTR lpszToolTip);

    void SetPaneIcon(int nIndex, HICON hIcon, BOOL bUpdate = TRUE);
    // One image per frame, shown in turn every nFrameRate milliseconds; the
    // timer's id is the pane's command id.
    void SetPaneAnimation(int nIndex, HIMAGELIST hImageList, UINT nFrameRate = 500, BOOL bUpdate = TRUE);

    // nTotal <= 0 turns the pane back into a text pane. A gradient bar (an
    // end colour other than -1) shows no percent text.
    void EnablePaneProgressBar(int nIndex, long nTotal = 100, BOOL bDisplayText = FALSE,
                               COLORREF clrBar = (COLORREF)-1, COLORREF clrBarDest = (COLORREF)-1,
                               COLORREF clrProgressText = (COLORREF)-1);
    void SetPaneProgressBar(int nIndex, long nTotal, BOOL bDisplayText, COLORREF clrBar, COLORREF clrBarDest,
                            COLORREF clrProgressText) {
        EnablePaneProgressBar(nIndex, nTotal, bDisplayText, clrBar, clrBarDest, clrProgressText);
    }
    void SetPaneProgressPos(int nIndex, long nCurr, BOOL bUpdate = TRUE);
    long GetPaneProgressPos(int nIndex) const;

    void RedrawPaneContent(int nIndex);
    void SetDoubleClickCommands(BOOL bOn = TRUE) { m_bDblClkCommands = bOn; }
    CFont* GetFont() const;
    SPStatusBarPane* PaneFromPoint(CPoint pt) const;

    // Layout and grip, for the frame and for tests.
    BOOL IsSizeGripHidden() const { return m_bHideSizeGrip; }
    CRect GetSizeGripRect() const { return m_rectSizeGrip; }

    virtual void OnDrawPane(CDC* pDC, SPStatusBarPane* pPane);

    // --- control bar operations it answers itself ------------------------------------
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    INT_PTR OnToolHitTest(CPoint point, TOOLINFO* pTI) const override;
    BOOL IsResizable() const override { return FALSE; }
    void RecalcLayout() override;
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;
    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    void DoPaint(CDC* pDC) override;

    // The pane at nIndex (255: the stretch pane), NULL when none.
    SPStatusBarPane* _GetPanePtr(int nIndex) const;

protected:
    HFONT m_hFont;
    int m_cxSizeBox;
    BOOL m_bHideSizeGrip;
    BOOL m_bDblClkCommands;
    CRect m_rectSizeGrip;

    SPStatusBarPane* Panes() const { return (SPStatusBarPane*)m_pData; }
    // The rectangle a content redraw invalidates.
    CRect ContentRect(const SPStatusBarPane* pPane) const;
    int PaneIndex(const SPStatusBarPane* pPane) const { return (int)(pPane - Panes()); }

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnDestroy();
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg LRESULT OnSetFont(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnGetFont(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnSetText(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnGetText(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnGetTextLength(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnSizeParent(WPARAM wParam, LPARAM lParam);
    afx_msg void OnSettingChange(UINT uFlags, LPCTSTR lpszSection);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg LRESULT OnNcHitTest(CPoint point);
    afx_msg void OnSysCommand(UINT nID, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

    friend class CSPStatusBarCmdUI;
};
