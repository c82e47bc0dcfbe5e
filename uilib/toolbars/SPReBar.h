// SPReBar.h - CSPReBar: a control bar around the common-control rebar
// ("ReBarWindow32"). Each band holds one child window, usually a library
// toolbar; the bands' visibility follows their bars. A dock bar looking for
// a bar by control id also looks among the bands of a rebar docked in it,
// which are the rebar's child windows.
//
// SPSaveRebarState / SPLoadRebarState keep the band layout (order, sizes,
// styles, line breaks) of every rebar below a window under
// "<base path>SRebar-<control id>": "RBI" holds one 80-byte band record per
// band, "IDs" the control id of each band's child.
#pragma once
#include "SPBarBorderHelper.h"
#include "SPControlBar.h"

#include <commctrl.h>

class CSPReBar : public CSPControlBar {
    DECLARE_DYNCREATE(CSPReBar)

public:
    CSPReBar();
    virtual ~CSPReBar();

    BOOL Create(CWnd* pParentWnd, DWORD dwCtrlStyle = RBS_BANDBORDERS,
                DWORD dwStyle = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | CBRS_TOP,
                UINT nID = AFX_IDW_REBAR);
    using CSPControlBar::Create;

    BOOL AddBar(CWnd* pBar, LPCTSTR pszText = NULL, CBitmap* pbmp = NULL,
                DWORD dwStyle = RBBS_GRIPPERALWAYS | RBBS_FIXEDBMP);
    BOOL AddBar(CWnd* pBar, COLORREF clrFore, COLORREF clrBack, LPCTSTR pszText = NULL,
                DWORD dwStyle = RBBS_GRIPPERALWAYS);
    // The band record gets the child, its minimum size and the record size.
    BOOL InsertBar(CWnd* pBar, REBARBANDINFO* pRBBI);

    // The bar is the rebar control.
    CWnd& GetReBarCtrl() { return *this; }
    int GetBandCount() const { return (int)::SendMessage(m_hWnd, RB_GETBANDCOUNT, 0, 0); }

    // The first visible child (z-order) under the client point whose id is
    // below 0xFFFF.
    CWnd* ChildFromPoint(CPoint point) const;

    // --- control bar operations it answers itself ---------------------------------
    INT_PTR OnToolHitTest(CPoint point, TOOLINFO* pTI) const override;
    BOOL CanFloat() const override { return FALSE; }
    void SetCurrentAlignment(DWORD dwAlignment) override;
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;
    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;

protected:
    CSPBarBorderHelper m_Impl;

    // Shows or hides the band (bToBand FALSE) or its child (bToBand TRUE) so
    // that both agree.
    void MatchBandVisibility(int nBand, BOOL bChildFollowsBand);

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    afx_msg void OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp);
    afx_msg void OnNcPaint();
    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnHeightChange(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg LRESULT OnShowBand(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnRecalcParent(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()
};

// The band record as stored: the rebar's band information in its 80-byte
// form (twenty 32-bit fields, handles and pointers stored as 0).
struct SPRebarBandRecord {
    DWORD cbSize, fMask, fStyle, clrFore, clrBack, lpText, cch, iImage, hwndChild, cxMinChild, cyMinChild, cx,
        hbmBack, wID, cyChild, cyMaxChild, cyIntegral, cxIdeal, lParam, cxHeader;
};
static_assert(sizeof(SPRebarBandRecord) == 80, "a stored band record is 80 bytes");

BOOL SPSaveRebarState(LPCTSTR lpszProfileName, CWnd* pWnd);
BOOL SPLoadRebarState(LPCTSTR lpszProfileName, CWnd* pWnd);
