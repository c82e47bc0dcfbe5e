// SPColorMenuButton.h - a menu button for a command that stands for a
// colour, and the popup it opens.
//
//   CSPColorMenuButton  draws the command image over a strip of the current
//                       colour; every button and stand-alone colour bar of
//                       one command shows the same colour, remembered per
//                       command for the process
//   CColorPopup         a popup menu whose contents are a colour bar; also
//                       dropped by the colour button and the colour property
#pragma once
#include "SPColorBar.h"
#include "SPPopupMenu.h"
#include "SPToolbarMenuButton.h"

class CSPColorButton;

class CSPColorMenuButton : public CSPToolbarMenuButton {
    DECLARE_SERIAL(CSPColorMenuButton)

public:
    CSPColorMenuButton();
    CSPColorMenuButton(UINT uiCmdID, LPCTSTR lpszText, CPalette* pPalette = NULL);
    virtual ~CSPColorMenuButton();

    // The message a frame answers with the colours of the current document
    // (wParam the command, lParam a CList<COLORREF, COLORREF>* to fill).
    static UINT GetDocumentColorsMessage();

    virtual void SetColor(COLORREF clr, BOOL bNotify = TRUE);
    virtual BOOL OpenColorDialog(const COLORREF colorDefault, COLORREF& colorRes);
    COLORREF GetColor() const { return m_Color; }
    COLORREF GetAutomaticColor() const { return m_colorAutomatic; }

    void EnableAutomaticButton(LPCTSTR lpszLabel, COLORREF colorAutomatic, BOOL bEnable = TRUE);
    void EnableOtherButton(LPCTSTR lpszLabel, BOOL bAltColorDlg = TRUE, BOOL bEnable = TRUE);
    void EnableDocumentColors(LPCTSTR lpszLabel, BOOL bEnable = TRUE);
    void EnableTearOff(UINT uiID, int nVertDockColumns = -1, int nHorzDockRows = -1);
    void SetColumnsNumber(int nColumns) { m_nColumns = nColumns; }

    static void SetColorName(COLORREF color, const CString& strName);
    // The command's colour, -1 when it has none.
    static COLORREF GetColorByCmdID(UINT uiCmdID);
    // Records the command's colour and shows it on every colour menu button
    // of the command (no notification of the bars).
    static void SetCommandColor(UINT uiCmdID, COLORREF color);

    void Serialize(CArchive& ar) override;
    void CopyFrom(const CSPToolbarButton& src) override;
    void OnDraw(CDC* pDC, const CRect& rect, CSPButtonImages* pImages, BOOL bHorz = TRUE, BOOL bCustomizeMode = FALSE,
                BOOL bHighlight = FALSE, BOOL bDrawBorder = TRUE, BOOL bGrayDisabledButtons = TRUE) override;
    void OnChangeParentWnd(CWnd* pWndParent) override;
    CSPPopupMenu* CreatePopupMenu() override;
    BOOL IsEmptyMenuAllowed() const override { return TRUE; }
    // Drawn as a menu (with its arrow) whatever its command.
    int OnDrawOnCustomizeList(CDC* pDC, const CRect& rect, BOOL bSelected) override;

protected:
    COLORREF m_Color;
    COLORREF m_colorAutomatic;
    CArray<COLORREF, COLORREF> m_Colors;
    CPalette m_Palette;
    int m_nColumns;
    int m_nVertDockColumns;
    int m_nHorzDockRows;
    BOOL m_bIsAutomaticButton;
    BOOL m_bIsOtherButton;
    BOOL m_bIsDocumentColors;
    CString m_strAutomaticButtonLabel;
    CString m_strOtherButtonLabel;
    CString m_strDocumentColorsLabel;
    BOOL m_bStdColorDlg;

    static CMap<UINT, UINT, COLORREF, COLORREF>& CommandColors();
    void Initialize();
    CRect GetStripRect(const CRect& rect, CSPButtonImages* pImages, BOOL bHorz) const;
};

class CColorPopup : public CSPPopupMenu {
    DECLARE_DYNAMIC(CColorPopup)
    friend class CSPColorMenuButton;

public:
    // The popup of a colour menu button.
    CColorPopup(CSPColorMenuButton* pParentBtn, const CArray<COLORREF, COLORREF>& colors, COLORREF color,
                LPCTSTR lpszAutoColor, LPCTSTR lpszOtherColor, LPCTSTR lpszDocColors,
                CList<COLORREF, COLORREF>& lstDocColors, int nColumns, int nHorzDockRows, int nVertDockColumns,
                COLORREF colorAutomatic, UINT uiCommandID);
    // The popup of a colour button or of a colour property (pParentBtn
    // NULL, then SetPropList before Create).
    CColorPopup(CSPColorButton* pParentBtn, const CArray<COLORREF, COLORREF>& colors, COLORREF color,
                LPCTSTR lpszAutoColor, LPCTSTR lpszOtherColor, LPCTSTR lpszDocColors,
                CList<COLORREF, COLORREF>& lstDocColors, int nColumns, COLORREF colorAutomatic);
    virtual ~CColorPopup();

    CSPPopupMenuBar* GetMenuBar() override { return &m_wndColorBar; }
    CSPColorBar* GetColorBar() { return &m_wndColorBar; }
    BOOL IsCommandInProgress() const override { return m_wndColorBar.IsInCommand(); }
    void SetEnabledInCustomizeMode(BOOL bEnabled) { m_bEnabledInCustomizeMode = bEnabled; }
    // The torn-off copy of the bar, docked or floated by the caller as a
    // bar of the main frame; NULL when the popup has no colour menu button
    // or the window cannot be made.
    CSPColorBar* CreateTearOffBar(CFrameWnd* pWndMain, UINT uiID, LPCTSTR lpszName) override;

protected:
    CSPColorBar m_wndColorBar;
    BOOL m_bEnabledInCustomizeMode;

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    DECLARE_MESSAGE_MAP()
};
