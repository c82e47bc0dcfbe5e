// SPEditBrowseCtrl.h - CSPEditBrowseCtrl: an edit control with an optional
// browse button ("...") in its non-client area, the in-place editor of the
// edit list. The owning edit list draws the button and runs the browse
// action.
#pragma once
#include "afxwin.h"

class CSPEditListBase;

class CSPEditBrowseCtrl : public CEdit {
    DECLARE_DYNAMIC(CSPEditBrowseCtrl)

public:
    CSPEditBrowseCtrl();
    virtual ~CSPEditBrowseCtrl();

    // Reserves the button's 20 pixels at the right (the frame is
    // recalculated when the window exists).
    void EnableBrowseButton(BOOL bEnable = TRUE);
    BOOL HasBrowseButton() const { return m_bBrowseButton; }
    // While set, size changes of the window are refused.
    void SetFixedSize(BOOL bFixed = TRUE) { m_bIsFixedSize = bFixed; }
    void SetOwnerList(CSPEditListBase* pList) { m_pParentList = pList; }
    CSPEditListBase* GetOwnerList() const { return m_pParentList; }
    BOOL IsButtonPressed() const { return m_bIsButtonPressed; }
    // The button's rectangle in screen coordinates (empty without button).
    CRect GetButtonRect() const;

    static const int nBrowseButtonWidth = 20;

protected:
    BOOL m_bIsFixedSize;
    BOOL m_bBrowseButton;
    CRect m_rectBtn;  // screen coordinates
    BOOL m_bIsButtonPressed;
    BOOL m_bIsButtonCaptured;
    CSPEditListBase* m_pParentList;

    void RedrawFrame();
    void EndButtonTracking();

    afx_msg void OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp);
    afx_msg LRESULT OnNcHitTest(CPoint point);
    afx_msg void OnNcLButtonDown(UINT nHitTest, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnCaptureChanged(CWnd* pWnd);
    afx_msg void OnCancelMode();
    afx_msg void OnNcPaint();
    afx_msg void OnWindowPosChanging(WINDOWPOS* lpwndpos);
    afx_msg void OnWindowPosChanged(WINDOWPOS* lpwndpos);
    DECLARE_MESSAGE_MAP()
};
