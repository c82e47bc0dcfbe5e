// SPVisualManager.h - CSPVisualManager: the drawing policy of the whole UI
// library. Bars, menus, captions, tabs, status panes, combos and buttons ask
// the one current manager to fill, frame or colour their parts; replacing
// the current manager changes the look of every window at once. This base
// class draws the classic three-dimensional look from system colours.
//
// A toolbar button's drawing state is 0 regular, 1 pressed, 2 highlighted.
#pragma once
#include "afxwin.h"
#include "SPClientHooks.h"

class CSPVisualManager : public CObject {
    DECLARE_DYNCREATE(CSPVisualManager)

public:
    enum BUTTON_STATE { ButtonsIsRegular = 0, ButtonsIsPressed = 1, ButtonsIsHighlighted = 2 };

    // data
    int m_nLook;
    int m_nMenuShadowDepth;
    BOOL m_bFlatLook;
    BOOL m_bLook2;
    BOOL m_bEmbossDisabledImage;
    BOOL m_bLook4;
    BOOL m_bTemporary;
    // task-pane layout
    int m_nVertMargin;
    int m_nHorzMargin;
    int m_nGroupVertOffset;
    int m_nGroupCaptionHeight;
    int m_nGroupCaptionHorzOffset;  // left offset of a group caption's text
    int m_nGroupCaptionVertOffset;  // top offset of a group caption's text
    int m_nTasksHorzOffset;
    int m_nTasksIconHorzOffset;     // gap between a task's icon and its text
    int m_nTasksIconVertOffset;
    int m_nTasksTextGap;
    BOOL m_bAutoDelete;  // made by the library itself

    static CSPVisualManager* s_pInstance;
    static CRuntimeClass* s_pDefaultClass;

    // construction
    CSPVisualManager(BOOL bTemporary = FALSE);
    virtual ~CSPVisualManager();

    // the current manager
    static CSPVisualManager* GetInstance();
    // Where a caption button at its position is drawn: empty while hidden.
    CRect GetCaptionButtonRect(const SPCaptionButtonInfo& info) const;
    static void SetDefaultManager(CRuntimeClass* pRTI);
    static CSPVisualManager* CreateVisualManager(CRuntimeClass* pVisualManager);
    static void DestroyInstance();
    static void RedrawAll();

    void SetLook(int nLook);
    int GetLook() const { return m_nLook; }
    BOOL IsTemporary() const { return m_bTemporary; }

    // drawing operations, in slot order
    virtual void OnUpdateSystemColors();
    virtual void OnFillBarBackground(CDC* pDC, CSPBaseControlBar* pBar, CRect rectClient, CRect rectClip,
                                     BOOL bNCArea = FALSE);
    virtual void OnDrawBarBorder(CDC* pDC, CSPBaseControlBar* pBar, CRect& rect);
    virtual void OnDrawMenuBorder(CDC* pDC, CSPPopupMenu* pMenu, CRect rect);
    virtual void OnDrawBarGripper(CDC* pDC, CRect rectGripper, BOOL bHorz, CSPBaseControlBar* pBar);
    virtual void OnDrawSeparator(CDC* pDC, CSPBaseControlBar* pBar, CRect rect, BOOL bIsHoriz);
    virtual COLORREF OnDrawControlBarCaption(CDC* pDC, CSPDockingControlBar* pBar, BOOL bActive,
                                             CRect rectCaption, CRect rectButtons);
    virtual void OnDrawCaptionButton(CDC* pDC, CSPCaptionButton* pButton, BOOL bFlag1, BOOL bFlag2, BOOL bFlag3,
                                     BOOL bDisabled);
    virtual void OnDrawMenuSystemButton(CDC* pDC, CRect rect, UINT uiSystemCommand, UINT nStyle,
                                        BOOL bHighlight);
    virtual void OnDrawStatusBarPaneBorder(CDC* pDC, CSPStatusBar* pBar, CRect rectPane, UINT uiID,
                                           UINT nStyle);
    virtual void OnDrawStatusBarProgress(CDC* pDC, CSPStatusBar* pStatusBar, CRect rectProgress, int nProgressTotal,
                                         int nProgressCurr, COLORREF clrBar, COLORREF clrProgressBarDest,
                                         COLORREF clrProgressText, BOOL bProgressText);
    virtual void OnDrawStatusBarSizeBox(CDC* pDC, CSPStatusBar* pStatBar, CRect rectSizeBox);
    virtual void OnDrawComboDropButton(CDC* pDC, CRect rect, BOOL bDisabled, BOOL bIsDropped,
                                       BOOL bIsHighlighted, CSPToolbarComboBoxButton* pButton);
    virtual void OnDrawComboBorder(CDC* pDC, CRect rect, BOOL bDisabled, BOOL bIsDropped, BOOL bIsHighlighted,
                                   CSPToolbarComboBoxButton* pButton);
    virtual void OnDrawEditBorder(CDC* pDC, CRect rect, BOOL bDisabled, BOOL bIsHighlighted,
                                  CSPToolbarEditBoxButton* pButton);
    virtual void OnDrawTearOffCaption(CDC* pDC, CRect rect, BOOL bIsActive);
    virtual void OnFillButtonInterior(CDC* pDC, CSPToolbarButton* pButton, CRect rect, int state);
    virtual void OnDrawButtonBorder(CDC* pDC, CSPToolbarButton* pButton, CRect rect, int state);
    virtual void OnFillHighlightedArea(CDC* pDC, CSPToolbarButton* pButton, CRect rect, CBrush* pBrush);
    virtual void OnDrawButtonChecked(CDC* pDC, CRect rect);
    virtual COLORREF GetToolbarButtonTextColor(CSPToolbarButton* pButton, int state);
    virtual COLORREF GetCaptionBarTextColor(CSPCaptionBar* pBar);
    virtual void OnFillOutlookPageButton(CDC* pDC, const CRect& rect, BOOL bIsHighlighted, BOOL bIsPressed,
                                         COLORREF& clrText);
    virtual void OnDrawOutlookPageButtonBorder(CDC* pDC, CRect& rectBtn, BOOL bIsHighlighted, BOOL bIsPressed);
    virtual void OnEraseTabsArea(CDC* pDC, CRect rect, CSPBaseTabWnd* pTabWnd);
    virtual void OnDrawTab(CDC* pDC, CRect rectTab, int iTab, BOOL bIsActive, CSPBaseTabWnd* pTabWnd);
    virtual void OnFillPushButtonBackground(CDC* pDC, CRect rect, CSPButton* pButton, CSPTabWnd* pParentTab);
    virtual void OnDrawPushButtonBorder(CDC* pDC, CRect& rect, CSPButton* pButton, UINT uiState,
                                        CSPTabWnd* pParentTab);
    virtual COLORREF OnFillCommandsListBackground(CDC* pDC, CRect rect, BOOL bIsSelected = FALSE);
    virtual CSize GetButtonExtraBorder() const;
    virtual COLORREF OnFillMiniFrameCaption(CDC* pDC, CRect rectCaption, CSPMiniFrameWnd* pFrameWnd, BOOL bActive);
    virtual void OnDrawFloatingToolbarBorder(CDC* pDC, CSPBaseToolBar* pToolBar, CRect rectBorder,
                                             CRect rectBorderSize);
    virtual void OnDrawHeaderCtrlBorder(CSPHeaderCtrl* pCtrl, CDC* pDC, CRect& rect, BOOL bIsPressed,
                                        BOOL bIsHighlighted);
    virtual void OnDrawHeaderCtrlSortArrow(CSPHeaderCtrl* pCtrl, CDC* pDC, CRect& rect, BOOL bIsUp);
    virtual void OnFillTasksPaneBackground(CDC* pDC, CRect rectWorkArea);
    virtual void OnDrawTasksGroupCaption(CDC* pDC, CSPTasksGroup* pGroup, BOOL bIsHighlighted = FALSE,
                                         BOOL bUsePushButton = FALSE, BOOL bCanCollapse = FALSE);
    virtual void OnDrawTasksGroupDecoration(CDC* pDC, CRect rect);  // does nothing in every manager
    virtual void OnFillTasksGroupInterior(CDC* pDC, CRect rect, BOOL bSpecial = FALSE);
    virtual void OnDrawTasksGroupAreaBorder(CDC* pDC, CRect rect, BOOL bSpecial = FALSE, BOOL bNoTitle = FALSE);
    virtual void OnDrawTask(CDC* pDC, CSPTask* pTask, CImageList* pIcons, BOOL bIsHighlighted = FALSE,
                            BOOL bIsSelected = FALSE);
    virtual int GetMenuImageMargin() const;
    virtual BOOL IsLook2000Allowed() const;

protected:
    // The task-pane layout of the base look (margins, offsets, gaps).
    void SetBaseTaskPaneMetrics();
    // A task's icon at the left of its rectangle; answers the rectangle
    // left for the label.
    CRect DrawTaskIcon(CDC* pDC, const SPTaskInfo& task, CImageList* pIcons) const;
    // A task's label, transparently, in the font.
    static void DrawTaskLabel(CDC* pDC, CRect rectText, const CString& strName, CFont* pFont);
    // The rectangle of a caption button (position and size) and its glyph.
    static int GetCaptionButtonGlyph(UINT nHit, BOOL bFlag, BOOL bFlag3);
    // The 3D outline of a tab (base look).
    void DrawTab3d(CDC* pDC, CRect rectTab, BOOL bIsActive, const SPTabInfo& info);
    // Draws a tab's icon and label from left + image margin onward.
    void DrawTabContent(CDC* pDC, CRect rectTab, BOOL bIsActive, const SPTabInfo& info, UINT uiLabelFormat);
    // The percentage text of a progress pane: over the whole rectangle in the
    // button-text colour, then clipped to the filled part in clrText.
    void DrawProgressText(CDC* pDC, CRect rectProgress, CRect rectComplete, int nProgressTotal,
                          int nProgressCurr, COLORREF clrProgressText);
    void DrawTasksGroupCaptionBase(CDC* pDC, const SPTasksGroupInfo& group, BOOL bIsHighlighted,
                                   BOOL bCanCollapse);
    static const int nCaptionButtonMargin = 2;
    static const int nTabImageMargin = 4;

private:
    CSPVisualManager(const CSPVisualManager&) = delete;
    CSPVisualManager& operator=(const CSPVisualManager&) = delete;
};
