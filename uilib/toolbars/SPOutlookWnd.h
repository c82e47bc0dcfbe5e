// SPOutlookWnd.h - CSPOutlookWnd: the tab window of an outlook bar. One
// full-width page button per page, stacked: the buttons up to the active
// page's at the top, the active page below them, the remaining buttons at
// the bottom. A click on a page button activates its page, optionally with
// a slide of the buttons in between (off by default).
#pragma once
#include "SPBaseTabWnd.h"
#include "SPButton.h"

#include <ole2.h>
#include "afxole.h"

class CSPOutlookBar;
class CSPOutlookBarPane;

class CSPOutlookWnd : public CSPBaseTabWnd {
    DECLARE_DYNCREATE(CSPOutlookWnd)

public:
    CSPOutlookWnd();
    ~CSPOutlookWnd() override;

    virtual BOOL Create(const CRect& rect, CWnd* pParentWnd, UINT nID);

    // The slide of the page buttons on a click, for every outlook window.
    static void EnableAnimation(BOOL bEnable = TRUE) { s_bEnableAnimation = bEnable; }
    static BOOL IsAnimation() { return s_bEnableAnimation; }

    void SetBorderSize(int nBorderSize);
    int GetBorderSize() const { return m_nBorderSize; }
    // Up on the active page's button, down on the next one's; the enable
    // flags grey them.
    void EnableScrollButtons(BOOL bEnable = TRUE, BOOL bIsUp = TRUE, BOOL bIsDown = TRUE);
    BOOL AreScrollButtonsShown() const { return m_bScrollButtons; }
    CSPButton& GetScrollUpButton() { return m_btnUp; }
    CSPButton& GetScrollDownButton() { return m_btnDown; }
    // Non-zero: a single visible page is shown without its button.
    void SetLocation(Location location);
    const CRect& GetPageArea() const { return m_rectWndArea; }
    // The step of the last page switch's slide in pixels per frame (positive:
    // the buttons moved down), 0 when it was not animated.
    int GetLastSlideStep() const { return m_nLastSlideStep; }

    // CSPBaseTabWnd
    BOOL IsPtInTabArea(CPoint point) const override;
    void GetTabArea(CRect& rectTabAreaTop, CRect& rectTabAreaBottom) const override;
    void RecalcLayout() override;
    void EnableInPlaceEdit(BOOL bEnable) override { m_bIsInPlaceEdit = bEnable; }
    void AdjustRenameEditRect(CRect& rectEdit) override { rectEdit.DeflateRect(1, 1); }
    BOOL SetActiveTab(int iTab) override;
    CWnd* FindTargetWnd(const CPoint& pt) override;
    int GetTabIndex(int iTab) const override { return iTab == -1 ? m_iPressed : iTab; }

    // A toolbar button dragged over the window: only an outlook button
    // counts; the page whose button is under the point opens; copy with
    // Ctrl, else move.
    DROPEFFECT OnDragEnter(COleDataObject* pDataObject, DWORD dwKeyState, CPoint point) override {
        return OnDragOver(pDataObject, dwKeyState, point);
    }
    DROPEFFECT OnDragOver(COleDataObject* pDataObject, DWORD dwKeyState, CPoint point) override;

    // Windows that are no docking panes go into their tabs wrapped in a
    // docking pane of this class (NULL: CSPDockingCBWrapper), when they come
    // as detachable tabs and wrapping is on. Wrapping is turned off when
    // the window is created outside a frame.
    void SetWrapperClass(CRuntimeClass* pRTC) { m_pWrapperRTC = pRTC; }
    CRuntimeClass* GetWrapperClass() const { return m_pWrapperRTC; }
    void EnableWrapping(BOOL bEnable = TRUE) { m_bWrapWindows = bEnable; }
    BOOL IsWrapping() const { return m_bWrapWindows; }
    // The tab's window, or the window its wrapper holds.
    CWnd* GetTabWndNoWrapper(int iTab) const override;
    // The outlook bar page of the tab (wrapped or not), NULL for another
    // window.
    CSPOutlookBarPane* GetTabPage(int iTab) const;
    // The outlook bar under the screen point, NULL when none.
    static CSPOutlookBar* OutlookBarFromPoint(CPoint ptScreen);

    void InsertTab(CWnd* pNewWnd, LPCTSTR lpszTabLabel, int nInsertAt, UINT uiImageId = (UINT)-1,
                   BOOL bDetachable = TRUE) override;
    using CSPBaseTabWnd::InsertTab;

protected:
    CRect m_rectWndArea;
    int m_nBorderSize;
    BOOL m_bScrollButtons;
    CSPButton m_btnUp;
    CSPButton m_btnDown;
    int m_nLastSlideStep;
    CRuntimeClass* m_pWrapperRTC;
    BOOL m_bWrapWindows;

    static BOOL s_bEnableAnimation;
    enum { nSlideStep = 30, nSlideDelay = 10, nButtonId = 0xFFFF };

    int VisibleTabsAfter(int iTab) const;
    void DrawTabButton(CDC& dc, int iTab, BOOL bDrawPressedButton = TRUE);
    void SlideTo(int iOld, int iNew, CWnd* pWndOld);
    CSPOutlookBar* GetOwnerBar() const;
    // A window in a docking pane of the wrapper class; the window itself
    // when no wrapper can be made.
    CWnd* CreateWrapper(CWnd* pWnd, LPCTSTR lpszLabel);

    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnPaint();
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    DECLARE_MESSAGE_MAP()
};
