// SPColorDialog.h - the library's modal colour chooser.
//
//   CPropertySheetCtrl  a property sheet living as a child control of a dialog
//   CSPColorDialog      dialog 16961 "Colors": a New/Current swatch above a
//                       tabbed area with the pages "Standard" and "Custom"
//
// The dialog and page templates are in SPColorDialog.rc; a program includes
// that file from its own .rc. On displays of fewer than 8 bits per pixel the
// platform's colour dialog is shown instead.
#pragma once

// resource ids (also read by SPColorDialog.rc)
#define IDD_SP_COLOR_DIALOG      16961
#define IDD_SP_COLOR_PAGE_ONE    16962
#define IDD_SP_COLOR_PAGE_TWO    16963
#define IDC_SP_COLOR             16662
#define IDC_SP_RED               16964
#define IDC_SP_GREEN             16965
#define IDC_SP_BLUE              16966
#define IDC_SP_LUM               16967
#define IDC_SP_SAT               16968
#define IDC_SP_HUE               16969
#define IDC_SP_PLACEHOLDER       16970
#define IDC_SP_GREY              16972
#define IDC_SP_LUMINANCE         16973
#define IDC_SP_HEXPLACEHOLDER    16974
#define IDC_SP_HUESPIN           16976
#define IDC_SP_SATSPIN           16977
#define IDC_SP_LUMSPIN           16978
#define IDC_SP_REDSPIN           16979
#define IDC_SP_GREENSPIN         16980
#define IDC_SP_BLUESPIN          16981

#ifndef RC_INVOKED
#include "afxwin.h"
#include "SPColorPickerCtrl.h"

class CColorPage1;
class CColorPage2;

class CPropertySheetCtrl : public CPropertySheet {
    DECLARE_DYNAMIC(CPropertySheetCtrl)
public:
    explicit CPropertySheetCtrl(LPCTSTR pszCaption = _T(""), CWnd* pParentWnd = NULL, UINT iSelectPage = 0);
    virtual ~CPropertySheetCtrl();

    // The accelerators translated before the sheet's own key processing.
    BOOL LoadAccelerators(UINT nIDAccel);
    void SetAutoDelete(BOOL bAutoDelete) { m_bAutoDelete = bAutoDelete; }
    // The tab control fills the sheet; the created pages fill the tab area.
    void LayoutControls();

    BOOL PreTranslateMessage(MSG* pMsg) override;
    BOOL OnInitDialog() override;
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    void PostNcDestroy() override;

protected:
    HACCEL m_hAccel;
    BOOL m_bAutoDelete;

    afx_msg void OnSize(UINT nType, int cx, int cy);
    DECLARE_MESSAGE_MAP()
};

class CSPColorDialog : public CDialog {
    DECLARE_DYNAMIC(CSPColorDialog)
public:
    // hPal: used, not owned; NULL makes the dialog build and own a palette.
    explicit CSPColorDialog(COLORREF clrInit = 0, DWORD dwFlags = 0, CWnd* pParentWnd = NULL,
                            HPALETTE hPal = NULL);
    virtual ~CSPColorDialog();

    INT_PTR DoModal() override;

    COLORREF GetColor() const { return m_NewColor; }
    void SetCurrentColor(COLORREF rgb);
    void SetPageOneColor(BYTE r, BYTE g, BYTE b);
    void SetPageTwoColor(BYTE r, BYTE g, BYTE b);
    CPalette* GetPalette() const { return m_pPalSys; }

    // fields (public for the pages)
    CStatic m_wndStaticPlaceHolder;
    CSPColorPickerCtrl m_wndColors;  // the New/Current swatch
    CPropertySheetCtrl* m_pPropSheet;
    CColorPage1* m_pColourSheetOne;
    CColorPage2* m_pColourSheetTwo;
    COLORREF m_CurrentColor;  // the colour the dialog opened with
    COLORREF m_NewColor;      // the colour chosen so far
    CPalette* m_pPalSys;
    BOOL m_bIsMyPalette;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    // Builds the own palette from the 256 system palette entries.
    void RebuildPalette();
    // The platform's colour dialog in this one's place; ends this dialog
    // with its answer.
    void RunPlatformDialog();

    afx_msg void OnSysColorChange();
    afx_msg void OnDestroy();
    DECLARE_MESSAGE_MAP()
};
#endif  // RC_INVOKED
