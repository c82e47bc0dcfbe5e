// SPPropList.h - CSPPropList: a two-column grid of property items.
//
// A header ("Property", "Value"), the rows of the items (groups expand to
// their sub-items, or all value items sorted by name in the alphabetic
// view), a vertical scroll bar counting rows, an optional description area
// and tooltips for cut texts. Values are edited in place through the items;
// every change is reported to the owner (or the parent) with the registered
// message "SM_PROPERTYCHANGED": wParam the list's control id, lParam the
// changed CSPProp*.
#pragma once
#include "SPProp.h"
#include "SPHeaderCtrl.h"

extern UINT SP_PROPERTY_CHANGED;

class CSPPropList : public CWnd {
    DECLARE_DYNAMIC(CSPPropList)
    friend class CSPProp;
    friend class CSPColorProp;

public:
    // parts of a row (HitTest)
    enum ClickArea { ClickNone = 0, ClickExpandBox = 1, ClickName = 2, ClickValue = 3 };
    enum { ID_HEADER = 1, ID_SCROLL_VERT = 2 };

    CSPPropList();
    virtual ~CSPPropList();

    // creation and look
    void EnableHeaderCtrl(BOOL bEnable = TRUE, LPCTSTR lpszLeftColumn = _T("Property"),
                          LPCTSTR lpszRightColumn = _T("Value"));
    BOOL IsHeaderCtrl() const { return m_bHeaderCtrl; }
    void EnableDescriptionArea(BOOL bEnable = TRUE);
    BOOL IsDescriptionArea() const { return m_bDescriptionArea; }
    void SetAlphabeticMode(BOOL bSet = TRUE);
    BOOL IsAlphabeticMode() const { return m_bAlphabeticMode; }
    void SetShadedMargin(BOOL bSet = TRUE);
    BOOL IsShadedMargin() const { return m_bShadedMargin; }
    void SetBoolLabels(LPCTSTR lpszTrue, LPCTSTR lpszFalse);
    const CString& GetTrueLabel() const { return m_strTrue; }
    const CString& GetFalseLabel() const { return m_strFalse; }

    // items
    int AddProperty(CSPProp* pProp, BOOL bRedraw = TRUE);
    int GetPropertyCount() const { return m_lstProps.GetCount(); }
    CSPProp* GetProperty(int nIndex) const;
    CSPProp* FindItemByData(DWORD dwData, BOOL bSearchSubItems = TRUE) const;
    void RemoveAll();
    CSPProp* HitTest(CPoint pt, ClickArea* pnArea = NULL) const;
    void SetCurSel(CSPProp* pProp, BOOL bRedraw = TRUE);
    CSPProp* GetCurSel() const { return m_pSel; }
    void EnsureVisible(CSPProp* pProp);

    // geometry
    const CRect& GetListRect() const { return m_rectList; }
    int GetRowHeight() const { return m_nRowHeight; }
    int GetNameColumnWidth() const { return m_nLeftColumnWidth; }
    int GetHeaderHeight() const { return m_nHeaderHeight; }
    int GetDescriptionHeight() const { return m_nDescrHeight; }
    int GetScrollPosition() const { return m_nVertScrollOffset; }
    // The rows of the current view, top to bottom.
    void GetVisibleRows(CList<CSPProp*, CSPProp*>& lst) const;
    COLORREF GetMarginColor() const { return m_clrGray; }
    HFONT GetListFont() const;

    // colour popup callbacks (CSPColorProp)
    void OnSelectColor(COLORREF color);
    void CloseColorPopup();

    // overridables, in slot order
    virtual CSPHeaderCtrl& GetHeaderCtrl() { return m_wndHeader; }
    virtual BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
    virtual void OnChangeSelection(CSPProp* pNewSel, CSPProp* pOldSel) {
        (void)pNewSel;
        (void)pOldSel;
    }
    virtual BOOL EditItem(CSPProp* pProp, LPPOINT lptClick = NULL);
    virtual void OnClickButton(CPoint point);
    virtual BOOL EndEditItem(BOOL bUpdateData = TRUE);
    virtual BOOL ValidateItem(CSPProp* pProp) {
        (void)pProp;
        return TRUE;
    }
    virtual BOOL OnDrawProperty(CDC* pDC, CSPProp* pProp) const;
    virtual void OnPropertyChanged(CSPProp* pProp);
    virtual int CreateHeader();
    virtual void Init();
    virtual void AdjustLayout();
    virtual void ReservedListOp() {}
    virtual void OnDrawList(CDC* pDC);
    virtual void OnDrawDescription(CDC* pDC, CRect rect);

    BOOL PreTranslateMessage(MSG* pMsg) override;
    void PreSubclassWindow() override;

protected:
    CSPHeaderCtrl m_wndHeader;
    BOOL m_bHeaderCtrl;
    BOOL m_bDescriptionArea;
    int m_nDescrHeight;
    CToolTipCtrl m_ToolTip;
    BOOL m_bAlphabeticMode;
    BOOL m_bShadedMargin;
    CString m_strTrue;
    CString m_strFalse;
    CScrollBar m_wndScrollVert;
    HFONT m_hFont;
    CFont m_fontBold;
    int m_nHeaderHeight;
    CRect m_rectList;
    int m_nRowHeight;
    int m_nLeftColumnWidth;
    CList<CSPProp*, CSPProp*> m_lstProps;
    CList<CSPProp*, CSPProp*> m_lstTerminalProps;
    BOOL m_bTracking;
    BOOL m_bTrackingDescr;
    CSPProp* m_pSel;
    BOOL m_bFocused;
    COLORREF m_clrGray;

    // implementation
    int m_nVertScrollOffset;  // rows
    int m_nVertScrollPage;
    int m_nVertScrollTotal;
    int m_nTrackPos;          // the drawn tracking line, -1 none
    int m_nPropertyChangedCount;
    static HCURSOR s_hcurVertSplit;
    static HCURSOR s_hcurHorzSplit;

    void SetScrollSizes();
    void ReposProperties();
    void ReposProperty(CSPProp* pProp, int& y);
    void CollectRows(CSPProp* pProp, CList<CSPProp*, CSPProp*>& lst) const;
    static void ClearRects(CSPProp* pProp);
    void AddTerminalProp(CSPProp* pProp);
    void ComputeMarginColor();
    void RebuildBoldFont();
    void RedrawProperty(CSPProp* pProp);
    void SetHeaderWidths();
    void DrawTrackLine(int nPos, BOOL bVert);
    void EndTracking(CPoint point);
    void SelectRow(int nRowDelta, BOOL bAbsolute);
    void ScrollRows(int nNewOffset);
    // Runs an item's button and reports a change of its value text.
    void ClickItemButton(CSPProp* pProp, CPoint point);
    BOOL IsInPlaceWindow(HWND hWnd) const;

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg LRESULT OnSetFont(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnGetFont(WPARAM wParam, LPARAM lParam);
    afx_msg void OnSettingChange(UINT uFlags, LPCTSTR lpszSection);
    afx_msg void OnSysColorChange();
    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnHeaderItemChanged(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnHeaderTrack(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnHeaderEndTrack(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnCancelMode();
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg UINT OnGetDlgCode();
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    afx_msg void OnKillFocus(CWnd* pNewWnd);
    afx_msg void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    afx_msg BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint pt);
    afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
    afx_msg void OnSelectCombo();
    afx_msg void OnCloseCombo();
    afx_msg void OnStyleChanged(int nStyleType, LPSTYLESTRUCT lpStyleStruct);
    afx_msg void OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp);
    afx_msg void OnNcPaint();
    afx_msg void OnDestroy();
    afx_msg BOOL OnNeedTipText(UINT id, NMHDR* pNMH, LRESULT* pResult);
    afx_msg BOOL OnTipShow(UINT id, NMHDR* pNMH, LRESULT* pResult);
    DECLARE_MESSAGE_MAP()
};
