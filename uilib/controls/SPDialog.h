// SPDialog.h - CSPDialog: the library's dialog base. Library popup menus
// work inside it (CSPDialogMenuHelper), and it can paint its background
// with a solid colour and a bitmap, "Static" and "Button" children drawn
// transparently over them.
#pragma once
#include "afxwin.h"
#include "SPDlgImpl.h"

class CSPDialog : public CDialog {
    DECLARE_DYNAMIC(CSPDialog)

public:
    // bitmap locations
    enum BackgroundLocation {
        BACKGR_TILE = 0,
        BACKGR_TOPLEFT = 1,
        BACKGR_TOPRIGHT = 2,
        BACKGR_BOTTOMLEFT = 3,
        BACKGR_BOTTOMRIGHT = 4
    };

    CSPDialog();
    explicit CSPDialog(UINT nIDTemplate, CWnd* pParentWnd = NULL);
    explicit CSPDialog(LPCTSTR lpszTemplateName, CWnd* pParentWnd = NULL);
    virtual ~CSPDialog();

    // -1: no colour of its own.
    void SetBackgroundColor(COLORREF color, BOOL bRepaint = TRUE);
    // The dialog deletes the bitmap when it owns it (on replacement and on
    // WM_DESTROY).
    void SetBackgroundImage(HBITMAP hBitmap, int nLocation = BACKGR_TILE, BOOL bAutoDestroy = FALSE,
                            BOOL bRepaint = TRUE);
    // From the application's resources (0: none); FALSE, and the old bitmap
    // kept, when it does not load.
    BOOL SetBackgroundImage(UINT uiBmpResId, int nLocation = BACKGR_TILE, BOOL bRepaint = TRUE);
    HBITMAP GetBackgroundImage() const { return m_hBkgrBitmap; }
    int GetBackgroundLocation() const { return m_nBkgrLocation; }

    void SetActiveMenu(CSPPopupMenu* pMenu) { m_Impl.SetActiveMenu(pMenu); }
    CSPDialogMenuHelper& GetMenuHelper() { return m_Impl; }

    BOOL PreTranslateMessage(MSG* pMsg) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

protected:
    HBITMAP m_hBkgrBitmap;
    CSize m_sizeBkgrBitmap;
    CBrush m_brBkgr;
    int m_nBkgrLocation;
    BOOL m_bAutoDestroyBmp;
    CSPDialogMenuHelper m_Impl;

    void Repaint();

    afx_msg void OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized);
    afx_msg BOOL OnNcActivate(BOOL bActive);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnDestroy();
    afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
    DECLARE_MESSAGE_MAP()
};
