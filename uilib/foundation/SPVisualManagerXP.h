// SPVisualManagerXP.h - CSPVisualManagerXP: the flat look. Light bars, menus
// with a tinted image column, selection as a tinted fill framed in the system
// highlight colour, popup menus joined to the button that opened them. All
// its colours, pens and brushes derive from the system colours.
#pragma once
#include "SPVisualManager.h"

class CSPVisualManagerXP : public CSPVisualManager {
    DECLARE_DYNCREATE(CSPVisualManagerXP)

public:
    // data (GDI objects are owned)
    CBrush m_brHorzStripes;
    CBrush m_brVertStripes;
    COLORREF m_clrBarFace;
    CBrush m_brBarFace;
    COLORREF m_clrMenuLight;
    CBrush m_brMenuLight;
    CBrush m_brTabBack;
    COLORREF m_clrBarDark;
    COLORREF m_clrHighlight;
    CBrush m_brHighlight;
    COLORREF m_clrHighlightDn;
    CBrush m_brHighlightDn;
    COLORREF m_clrHighlightChecked;
    CBrush m_brHighlightChecked;
    COLORREF m_clrPaneBorder;
    COLORREF m_clrGripper;
    CPen m_penSeparator;
    COLORREF m_clrMenuBorder;
    COLORREF m_clrMenuItemBorder;
    CBrush m_brFloatingToolbarBorder;
    BOOL m_bConnectMenuToParent;

    // construction
    CSPVisualManagerXP(BOOL bTemporary = FALSE);
    virtual ~CSPVisualManagerXP();

    // overrides
    void OnUpdateSystemColors() override;
    void OnFillBarBackground(CDC* pDC, CSPBaseControlBar* pBar, CRect rectClient, CRect rectClip,
                             BOOL bNCArea = FALSE) override;
    void OnDrawBarBorder(CDC* pDC, CSPBaseControlBar* pBar, CRect& rect) override;
    void OnDrawMenuBorder(CDC* pDC, CSPPopupMenu* pMenu, CRect rect) override;
    void OnDrawBarGripper(CDC* pDC, CRect rectGripper, BOOL bHorz, CSPBaseControlBar* pBar) override;
    void OnDrawSeparator(CDC* pDC, CSPBaseControlBar* pBar, CRect rect, BOOL bIsHoriz) override;
    COLORREF OnDrawControlBarCaption(CDC* pDC, CSPDockingControlBar* pBar, BOOL bActive,
                                     CRect rectCaption, CRect rectButtons) override;
    void OnDrawCaptionButton(CDC* pDC, CSPCaptionButton* pButton, BOOL bFlag1, BOOL bFlag2, BOOL bFlag3,
                             BOOL bDisabled) override;
    void OnDrawMenuSystemButton(CDC* pDC, CRect rect, UINT uiSystemCommand, UINT nStyle,
                                BOOL bHighlight) override;
    void OnDrawStatusBarPaneBorder(CDC* pDC, CSPStatusBar* pBar, CRect rectPane, UINT uiID,
                                   UINT nStyle) override;
    void OnDrawComboDropButton(CDC* pDC, CRect rect, BOOL bDisabled, BOOL bIsDropped,
                               BOOL bIsHighlighted, CSPToolbarComboBoxButton* pButton) override;
    void OnDrawComboBorder(CDC* pDC, CRect rect, BOOL bDisabled, BOOL bIsDropped, BOOL bIsHighlighted,
                           CSPToolbarComboBoxButton* pButton) override;
    void OnDrawEditBorder(CDC* pDC, CRect rect, BOOL bDisabled, BOOL bIsHighlighted,
                          CSPToolbarEditBoxButton* pButton) override;
    void OnDrawTearOffCaption(CDC* pDC, CRect rect, BOOL bIsActive) override;
    void OnFillButtonInterior(CDC* pDC, CSPToolbarButton* pButton, CRect rect, int state) override;
    void OnDrawButtonBorder(CDC* pDC, CSPToolbarButton* pButton, CRect rect, int state) override;
    void OnFillHighlightedArea(CDC* pDC, CSPToolbarButton* pButton, CRect rect, CBrush* pBrush) override;
    void OnDrawButtonChecked(CDC* pDC, CRect rect) override;
    COLORREF GetToolbarButtonTextColor(CSPToolbarButton* pButton, int state) override;
    void OnEraseTabsArea(CDC* pDC, CRect rect, CSPBaseTabWnd* pTabWnd) override;
    void OnDrawTab(CDC* pDC, CRect rectTab, int iTab, BOOL bIsActive, CSPBaseTabWnd* pTabWnd) override;
    void OnFillPushButtonBackground(CDC* pDC, CRect rect, CSPButton* pButton, CSPTabWnd* pParentTab) override;
    void OnDrawPushButtonBorder(CDC* pDC, CRect& rect, CSPButton* pButton, UINT uiState,
                                CSPTabWnd* pParentTab) override;
    COLORREF OnFillCommandsListBackground(CDC* pDC, CRect rect, BOOL bIsSelected = FALSE) override;
    COLORREF OnFillMiniFrameCaption(CDC* pDC, CRect rectCaption, CSPMiniFrameWnd* pFrameWnd, BOOL bActive) override;
    void OnDrawFloatingToolbarBorder(CDC* pDC, CSPBaseToolBar* pToolBar, CRect rectBorder,
                                     CRect rectBorderSize) override;
    void OnFillTasksPaneBackground(CDC* pDC, CRect rectWorkArea) override;
    void OnDrawTasksGroupCaption(CDC* pDC, CSPTasksGroup* pGroup, BOOL bIsHighlighted = FALSE,
                                 BOOL bUsePushButton = FALSE, BOOL bCanCollapse = FALSE) override;
    void OnFillTasksGroupInterior(CDC* pDC, CRect rect, BOOL bSpecial = FALSE) override;
    void OnDrawTasksGroupAreaBorder(CDC* pDC, CRect rect, BOOL bSpecial = FALSE, BOOL bNoTitle = FALSE) override;
    void OnDrawTask(CDC* pDC, CSPTask* pTask, CImageList* pIcons, BOOL bIsHighlighted = FALSE,
                    BOOL bIsSelected = FALSE) override;
    int GetMenuImageMargin() const override;
    BOOL IsLook2000Allowed() const override;

    // added operations
    virtual void CreatePatternBrushes();
    virtual void ExtendMenuButtonRect(CSPToolbarMenuButton* pMenuButton, CRect& rect);

protected:
    void DeleteObjects();
    // The XP caption-button drawing with the button's flags given.
    void DrawCaptionButtonXP(CDC* pDC, const SPCaptionButtonInfo& info, BOOL bFlag1, BOOL bFlag2, BOOL bFlag3,
                             BOOL bDisabled);
    // A group caption's name in the bold font and clrText, left of the
    // caption's square glyph area; the DC is left as it was.
    void DrawTasksGroupCaptionText(CDC* pDC, const SPTasksGroupInfo& group, COLORREF clrText);
    // The XP group caption with a given collapse flag.
    void DrawTasksGroupCaptionXP(CDC* pDC, const SPTasksGroupInfo& group, BOOL bIsHighlighted, BOOL bCanCollapse);
    // Draws a task's icon and name in the given link colour and plain colour.
    void DrawTaskXP(CDC* pDC, CSPTask* pTask, CImageList* pIcons, BOOL bIsHighlighted, COLORREF clrPlain,
                    BOOL bPlainUsesDC, COLORREF clrLink);
    // TRUE when each channel is at least 129.
    static BOOL IsLightColor(COLORREF clr);
};
