// SPAutoHideToolBar.h - CSPAutoHideToolBar: the thin strip on a frame edge
// that holds the buttons of pinned-away docking panes.
//
// Resting the pointer on a button for the hover delay slides its pane out.
// The toolbar sits on the side's CSPAutoHideDockBar. The panes that came
// from one tabbed bar each get a toolbar of their own in one row: the group
// flags (first, last and active in the group) tie them together again when
// they are put back.
#pragma once
#include "SPControlBar.h"

class CSPAutoHideButton;
class CSPDockingControlBar;

class CSPAutoHideToolBar : public CSPControlBar {
    DECLARE_DYNCREATE(CSPAutoHideToolBar)

public:
    CSPAutoHideToolBar();
    ~CSPAutoHideToolBar() override;

    // How long the pointer rests on a button before its pane slides out.
    static UINT m_nShowAHWndDelay;
    // The class of the buttons the toolbar creates.
    static CRuntimeClass* m_pAutoHideButtonRTS;

    CSPAutoHideButton* AddAutoHideButton(CSPDockingControlBar* pAutoHideWnd, DWORD dwAlignment);
    // The toolbar destroys itself when its last button goes.
    BOOL RemoveAutoHideButton(CSPDockingControlBar* pAutoHideWnd);
    BOOL ShowAutoHideButton(CSPDockingControlBar* pAutoHideWnd, BOOL bShow, BOOL bNoUpdate = FALSE);
    void UpdateVisibility();
    // Puts back every pane of the toolbar; the toolbar is gone afterwards.
    void UnSetAutoHideModeAll(CSPDockingControlBar* pFirstBarInGroup);
    CSPDockingControlBar* GetFirstPane() const;
    CSPAutoHideButton* ButtonFromPoint(CPoint pt) const;
    CSPAutoHideButton* FindButton(const CSPDockingControlBar* pAutoHideWnd) const;
    int GetVisibleButtonCount() const;
    const CObList& GetButtons() const { return m_lstAutoHideButtons; }
    void GetPanes(CObList& lstPanes) const;

    // The active-in-row value: buttons show their pane's text only while
    // it is set; setting it clears it on the other toolbars of the row.
    void SetRecentRowIndex(int nRowIndex);
    int GetRecentRowIndex() const { return m_nActiveInRow; }

    // The group flags.
    BOOL IsFirstInGroup() const { return m_bOption1; }
    BOOL IsLastInGroup() const { return m_bOption2; }
    BOOL IsActiveInGroup() const { return m_bOption3; }
    void SetGroupFlags(BOOL bFirst, BOOL bLast, BOOL bActive) {
        m_bOption1 = bFirst;
        m_bOption2 = bLast;
        m_bOption3 = bActive;
    }
    // The value of a pending hover, for tests that drive the timer.
    BOOL IsHoverPending() const { return m_bReadyToDisplayAHWnd; }
    UINT GetHoverTimer() const { return m_nDisplayAHWndTimerID; }
    static constexpr UINT nHoverTimerID = 1;

    // --- base operations -------------------------------------------------------------
    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    CSize CalcDynamicLayout(int nLength, DWORD dwMode) override;
    BOOL CanFloat() const override { return FALSE; }
    BOOL IsResizable() const override { return FALSE; }

protected:
    // Places the buttons one after the other along the toolbar.
    void LayoutButtons();
    CSize CalcButtonsSize() const;

    CObList m_lstAutoHideButtons;
    CSPAutoHideButton* m_pLastActiveButton;
    BOOL m_bReadyToDisplayAHWnd;
    UINT m_nDisplayAHWndTimerID;
    int m_nActiveInRow;

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnPaint();
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnNcDestroy();
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    void PostNcDestroy() override;
    DECLARE_MESSAGE_MAP()
};
