// SPWinXPVisualManager.h - CSPWinXPVisualManager: draws through the system's
// visual styles (UxTheme, loaded at run time) where the theme class an
// operation needs is open, and falls back to the XP look of
// CSPVisualManagerXP per operation where it is not.
//
// Which theme library is loaded is SPGlobalData::s_pfnLoadUxTheme, so tests
// choose between themes and none.
#pragma once
#include "SPVisualManagerXP.h"
#include <uxtheme.h>

class CSPWinXPVisualManager : public CSPVisualManagerXP {
    DECLARE_DYNCREATE(CSPWinXPVisualManager)

public:
    typedef HTHEME(WINAPI* PFNOPENTHEMEDATA)(HWND hwnd, LPCWSTR pszClassList);
    typedef HRESULT(WINAPI* PFNCLOSETHEMEDATA)(HTHEME hTheme);
    typedef HRESULT(WINAPI* PFNDRAWTHEMEBACKGROUND)(HTHEME hTheme, HDC hdc, int iPartId, int iStateId,
                                                    const RECT* pRect, const RECT* pClipRect);

    // data
    HTHEME m_hThemeToolBar;
    HTHEME m_hThemeRebar;
    HTHEME m_hThemeButton;
    HTHEME m_hThemeStatusBar;
    HTHEME m_hThemeWindow;
    HTHEME m_hThemeComboBox;
    HTHEME m_hThemeProgress;
    HTHEME m_hThemeHeader;
    HTHEME m_hThemeScrollBar;
    HTHEME m_hThemeExplorerBar;
    HMODULE m_hThemeDLL;
    PFNOPENTHEMEDATA m_pfOpenThemeData;
    PFNCLOSETHEMEDATA m_pfCloseThemeData;
    PFNDRAWTHEMEBACKGROUND m_pfDrawThemeBackground;
    BOOL m_bThemeFlag;

    // construction
    CSPWinXPVisualManager(BOOL bTemporary = FALSE);
    virtual ~CSPWinXPVisualManager();

    // TRUE when the WINDOW theme opens (asks a temporary manager when the
    // current one is of another kind; the current manager is left alone).
    static BOOL IsWinXPThemeAvailable();
    void SetThemeFlag(BOOL bFlag) { m_bThemeFlag = bFlag; }

    // overrides
    void OnUpdateSystemColors() override;
    void OnFillBarBackground(CDC* pDC, CSPBaseControlBar* pBar, CRect rectClient, CRect rectClip,
                             BOOL bNCArea = FALSE) override;
    void OnDrawMenuBorder(CDC* pDC, CSPPopupMenu* pMenu, CRect rect) override;
    void OnDrawBarGripper(CDC* pDC, CRect rectGripper, BOOL bHorz, CSPBaseControlBar* pBar) override;
    void OnDrawSeparator(CDC* pDC, CSPBaseControlBar* pBar, CRect rect, BOOL bIsHoriz) override;
    void OnDrawCaptionButton(CDC* pDC, CSPCaptionButton* pButton, BOOL bFlag1, BOOL bFlag2, BOOL bFlag3,
                             BOOL bDisabled) override;
    void OnDrawMenuSystemButton(CDC* pDC, CRect rect, UINT uiSystemCommand, UINT nStyle,
                                BOOL bHighlight) override;
    void OnDrawStatusBarPaneBorder(CDC* pDC, CSPStatusBar* pBar, CRect rectPane, UINT uiID,
                                   UINT nStyle) override;
    void OnDrawStatusBarProgress(CDC* pDC, CSPStatusBar* pStatusBar, CRect rectProgress, int nProgressTotal,
                                 int nProgressCurr, COLORREF clrBar, COLORREF clrProgressBarDest,
                                 COLORREF clrProgressText, BOOL bProgressText) override;
    void OnDrawStatusBarSizeBox(CDC* pDC, CSPStatusBar* pStatBar, CRect rectSizeBox) override;
    void OnDrawComboDropButton(CDC* pDC, CRect rect, BOOL bDisabled, BOOL bIsDropped,
                               BOOL bIsHighlighted, CSPToolbarComboBoxButton* pButton) override;
    void OnDrawComboBorder(CDC* pDC, CRect rect, BOOL bDisabled, BOOL bIsDropped, BOOL bIsHighlighted,
                           CSPToolbarComboBoxButton* pButton) override;
    void OnDrawEditBorder(CDC* pDC, CRect rect, BOOL bDisabled, BOOL bIsHighlighted,
                          CSPToolbarEditBoxButton* pButton) override;
    void OnFillButtonInterior(CDC* pDC, CSPToolbarButton* pButton, CRect rect, int state) override;
    void OnDrawButtonBorder(CDC* pDC, CSPToolbarButton* pButton, CRect rect, int state) override;
    void OnFillHighlightedArea(CDC* pDC, CSPToolbarButton* pButton, CRect rect, CBrush* pBrush) override;
    void OnDrawButtonChecked(CDC* pDC, CRect rect) override;
    COLORREF OnFillCommandsListBackground(CDC* pDC, CRect rect, BOOL bIsSelected = FALSE) override;
    CSize GetButtonExtraBorder() const override;
    void OnDrawHeaderCtrlBorder(CSPHeaderCtrl* pCtrl, CDC* pDC, CRect& rect, BOOL bIsPressed,
                                BOOL bIsHighlighted) override;
    void OnDrawHeaderCtrlSortArrow(CSPHeaderCtrl* pCtrl, CDC* pDC, CRect& rect, BOOL bIsUp) override;
    void OnFillTasksPaneBackground(CDC* pDC, CRect rectWorkArea) override;
    void OnDrawTasksGroupCaption(CDC* pDC, CSPTasksGroup* pGroup, BOOL bIsHighlighted = FALSE,
                                 BOOL bUsePushButton = FALSE, BOOL bCanCollapse = FALSE) override;
    void OnFillTasksGroupInterior(CDC* pDC, CRect rect, BOOL bSpecial = FALSE) override;
    void OnDrawTasksGroupAreaBorder(CDC* pDC, CRect rect, BOOL bSpecial = FALSE, BOOL bNoTitle = FALSE) override;
    void OnDrawTask(CDC* pDC, CSPTask* pTask, CImageList* pIcons, BOOL bIsHighlighted = FALSE,
                    BOOL bIsSelected = FALSE) override;

    // added operations
    virtual void OnFillPushButtonWinXP(CDC* pDC, CRect rect, CSPButton* pButton, UINT uiState);
    virtual BOOL IsWinXPPushButton(CDC* pDC, CRect rect, CSPButton* pButton, UINT uiState);
    virtual BOOL OnDrawPushButtonWinXP(CDC* pDC, CRect& rect, CSPButton* pButton, UINT uiState);

protected:
    void CloseThemes();
    BOOL DrawTheme(HTHEME hTheme, CDC* pDC, int iPart, int iState, const CRect& rect);
};
