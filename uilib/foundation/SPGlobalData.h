// SPGlobalData.h - the UI library's shared drawing resources.
//
//   SPGlobalData      system colours and brushes, the library's fonts, lazily
//                     loaded cursors, metrics; one process-wide object,
//                     spGlobalData, built at static start-up
//   CSPResourceScope  brackets the loading of the library's own resources
//   SPGetParentFrame  the frame a window belongs to (mini frames pass on to
//                     their owner)
//   SPCleanUpGlobals  frees the library's shared resources
#pragma once
#include "afxwin.h"

class CFrameWnd;

struct SPGlobalData {
    // colours and brushes (system brushes are never deleted)
    HBRUSH hbrBtnHilite;
    HBRUSH hbrBtnShadow;
    COLORREF clrBtnFace;
    COLORREF clrBtnShadow;
    COLORREF clrBtnHilite;
    COLORREF clrBtnText;
    COLORREF clrWindowFrame;
    COLORREF clrBtnDkShadow;
    COLORREF clrBtnLight;
    COLORREF clrGrayedText;
    COLORREF clrHilite;
    COLORREF clrTextHilite;
    COLORREF clrHotLinkText;  // always pure blue
    CBrush brBtnFace;         // wraps the system brush
    CBrush brHilite;          // wraps the system brush
    CBrush brLight;           // owned: between face and highlight
    CBrush brBtnDkShadow;     // wraps the system brush

    // loaded by their first user
    HCURSOR hcurStretch;
    HCURSOR hcurStretchVert;
    HCURSOR hcurHand;
    HCURSOR hcurSizeAll;
    HICON hiconTool;

    CSize sizeSmallIcon;

    // fonts
    CFont fontRegular;    // the menu font (face adapted)
    CFont fontStatus;     // regular with the status font's weight and italic
    CFont fontBold;       // regular, weight 700
    CFont fontUnderline;  // regular, underlined
    CFont fontVert;       // "Arial" at 270 degrees
    CFont fontMarlett;    // "Marlett" glyphs

    BOOL bIsWindowsNT4;
    int nBitsPerPixel;  // above 8: the high-colour drawing paths

    // docking metrics
    int nDragFrameThickness;
    int nDragTabInset;
    int nAutoHideSpacing;
    int nAutoHideMargin;
    int nMaxDockedPercent;

    int nTextHeightHorz;  // fontRegular's height + 2
    int nTextHeightVert;  // fontVert's height + 2

    HMODULE hinstUxTheme;  // loaded by the first DrawParentBackground

    // construction
    SPGlobalData();
    ~SPGlobalData();

    // operations
    void UpdateSysColors();
    void UpdateFonts();
    BOOL SetMenuFont(LPLOGFONT lpLogFont, BOOL bHorz);
    void UpdateTextMetrics();
    void CleanUp();
    BOOL DrawParentBackground(CWnd* pWnd, CDC* pDC, LPRECT lpRect = NULL);

    // Test seams: the colour depth that UpdateSysColors reads (0: the
    // screen's), and whether the face "Tahoma" counts as installed (-1: ask
    // the system).
    static int s_nForceBitsPerPixel;
    static int s_nForceTahoma;
    // Loads "UxTheme.dll" for DrawParentBackground and the themed visual
    // manager; tests replace it (a NULL answer: no theme library).
    static HMODULE (*s_pfnLoadUxTheme)();

private:
    SPGlobalData(const SPGlobalData&) = delete;
    SPGlobalData& operator=(const SPGlobalData&) = delete;
};

extern SPGlobalData spGlobalData;

// The library's face names.
extern const CString strTahomaFont;
extern const CString strMSSansSerifFont;
extern const CString strArialFont;
extern const CString strMarlettFont;

CFrameWnd* SPGetParentFrame(CWnd* pWnd);
void SPCleanUpGlobals();

class CSPResourceScope {
public:
    CSPResourceScope() {}
    ~CSPResourceScope() {}

private:
    CSPResourceScope(const CSPResourceScope&) = delete;
    CSPResourceScope& operator=(const CSPResourceScope&) = delete;
};
