#include "SPWinXPVisualManager.h"
#include "SPDrawEffects.h"
#include "SPGlobalData.h"
#include "SPMenuImages.h"
#include "SPToolbarState.h"

IMPLEMENT_DYNCREATE(CSPWinXPVisualManager, CSPVisualManagerXP)

CSPWinXPVisualManager::CSPWinXPVisualManager(BOOL bTemporary) : CSPVisualManagerXP(bTemporary) {
    m_bLook2 = FALSE;
    m_hThemeToolBar = m_hThemeRebar = m_hThemeButton = m_hThemeStatusBar = m_hThemeWindow = NULL;
    m_hThemeComboBox = m_hThemeProgress = m_hThemeHeader = m_hThemeScrollBar = m_hThemeExplorerBar = NULL;
    m_pfOpenThemeData = NULL;
    m_pfCloseThemeData = NULL;
    m_pfDrawThemeBackground = NULL;
    m_hThemeDLL = SPGlobalData::s_pfnLoadUxTheme != NULL ? SPGlobalData::s_pfnLoadUxTheme() : NULL;
    if (m_hThemeDLL != NULL) {
        m_pfOpenThemeData = (PFNOPENTHEMEDATA)(void (*)())::GetProcAddress(m_hThemeDLL, "OpenThemeData");
        m_pfCloseThemeData = (PFNCLOSETHEMEDATA)(void (*)())::GetProcAddress(m_hThemeDLL, "CloseThemeData");
        m_pfDrawThemeBackground =
            (PFNDRAWTHEMEBACKGROUND)(void (*)())::GetProcAddress(m_hThemeDLL, "DrawThemeBackground");
        CSPWinXPVisualManager::OnUpdateSystemColors();
    }
    m_bThemeFlag = FALSE;
    SetBaseTaskPaneMetrics();  // the XP look's own are not used here
}

CSPWinXPVisualManager::~CSPWinXPVisualManager() {
    if (m_hThemeDLL != NULL) {
        CloseThemes();
        ::FreeLibrary(m_hThemeDLL);
        m_hThemeDLL = NULL;
    }
}

void CSPWinXPVisualManager::CloseThemes() {
    HTHEME* handles[] = {&m_hThemeToolBar, &m_hThemeRebar,     &m_hThemeButton, &m_hThemeStatusBar,
                         &m_hThemeWindow,  &m_hThemeComboBox,  &m_hThemeProgress, &m_hThemeHeader,
                         &m_hThemeScrollBar, &m_hThemeExplorerBar};
    for (HTHEME* ph : handles) {
        if (*ph != NULL && m_pfCloseThemeData != NULL) m_pfCloseThemeData(*ph);
        *ph = NULL;
    }
}

BOOL CSPWinXPVisualManager::IsWinXPThemeAvailable() {
    CSPWinXPVisualManager* pCurrent = DYNAMIC_DOWNCAST(CSPWinXPVisualManager, s_pInstance);
    if (pCurrent != NULL) return pCurrent->m_hThemeWindow != NULL;
    CSPWinXPVisualManager manager(TRUE);
    return manager.m_hThemeWindow != NULL;
}

void CSPWinXPVisualManager::OnUpdateSystemColors() {
    CSPVisualManagerXP::OnUpdateSystemColors();
    m_bLook2 = TRUE;
    if (m_hThemeDLL == NULL || m_pfOpenThemeData == NULL || m_pfCloseThemeData == NULL ||
        m_pfDrawThemeBackground == NULL) {
        return;
    }
    CloseThemes();
    CWnd* pMainWnd = AfxGetMainWnd();
    HWND hwnd = pMainWnd != NULL ? pMainWnd->GetSafeHwnd() : NULL;
    m_hThemeToolBar = m_pfOpenThemeData(hwnd, L"TOOLBAR");
    m_hThemeButton = m_pfOpenThemeData(hwnd, L"BUTTON");
    m_hThemeStatusBar = m_pfOpenThemeData(hwnd, L"STATUS");
    m_hThemeWindow = m_pfOpenThemeData(hwnd, L"WINDOW");
    m_hThemeRebar = m_pfOpenThemeData(hwnd, L"REBAR");
    m_hThemeComboBox = m_pfOpenThemeData(hwnd, L"COMBOBOX");
    m_hThemeProgress = m_pfOpenThemeData(hwnd, L"PROGRESS");
    m_hThemeHeader = m_pfOpenThemeData(hwnd, L"HEADER");
    m_hThemeScrollBar = m_pfOpenThemeData(hwnd, L"SCROLLBAR");
    m_hThemeExplorerBar = m_pfOpenThemeData(hwnd, L"EXPLORERBAR");
    if (m_hThemeWindow != NULL) m_bLook2 = FALSE;
}

BOOL CSPWinXPVisualManager::DrawTheme(HTHEME hTheme, CDC* pDC, int iPart, int iState, const CRect& rect) {
    if (hTheme == NULL || m_pfDrawThemeBackground == NULL) return FALSE;
    return SUCCEEDED(m_pfDrawThemeBackground(hTheme, pDC->GetSafeHdc(), iPart, iState, &rect, NULL));
}

// ---------------------------------------------------------------------------
// Bars

void CSPWinXPVisualManager::OnFillBarBackground(CDC* pDC, CSPBaseControlBar* pBar, CRect rectClient,
                                                CRect rectClip, BOOL bNCArea) {
    if (m_hThemeWindow != NULL) {
        const SPBarInfo info = SPClientHooks::GetBarInfo(pBar);
        if (info.bPopupMenuBar) {
            ::FillRect(pDC->GetSafeHdc(), rectClip.IsRectEmpty() ? rectClient : rectClip,
                       ::GetSysColorBrush(COLOR_MENU));
            return;
        }
    }
    CSPVisualManagerXP::OnFillBarBackground(pDC, pBar, rectClient, rectClip, bNCArea);
}

void CSPWinXPVisualManager::OnDrawMenuBorder(CDC* pDC, CSPPopupMenu* pMenu, CRect rect) {
    if (m_hThemeWindow != NULL) {
        CSPVisualManager::OnDrawMenuBorder(pDC, pMenu, rect);
        return;
    }
    m_bConnectMenuToParent = TRUE;
    CSPVisualManagerXP::OnDrawMenuBorder(pDC, pMenu, rect);
}

void CSPWinXPVisualManager::OnDrawBarGripper(CDC* pDC, CRect rectGripper, BOOL bHorz, CSPBaseControlBar* pBar) {
    if (m_hThemeRebar == NULL) {
        CSPVisualManagerXP::OnDrawBarGripper(pDC, rectGripper, bHorz, pBar);
        return;
    }
    const SPBarInfo info = SPClientHooks::GetBarInfo(pBar);
    BOOL bHorzPart = bHorz;
    if (info.bDockingPane) bHorzPart = !bHorzPart;
    const COLORREF clrOldText = pDC->SetTextColor(spGlobalData.clrBtnShadow);
    const COLORREF clrOldBk = pDC->SetBkColor(spGlobalData.clrBtnFace);
    DrawTheme(m_hThemeRebar, pDC, bHorzPart ? 1 /*RP_GRIPPER*/ : 2 /*RP_GRIPPERVERT*/, 0, rectGripper);
    pDC->SetTextColor(clrOldText);
    pDC->SetBkColor(clrOldBk);
}

void CSPWinXPVisualManager::OnDrawSeparator(CDC* pDC, CSPBaseControlBar* pBar, CRect rect, BOOL bHorz) {
    if (m_hThemeToolBar == NULL) {
        CSPVisualManagerXP::OnDrawSeparator(pDC, pBar, rect, bHorz);
        return;
    }
    DrawTheme(m_hThemeToolBar, pDC, bHorz ? 5 /*TP_SEPARATOR*/ : 6 /*TP_SEPARATORVERT*/, 0, rect);
}

void CSPWinXPVisualManager::OnDrawCaptionButton(CDC* pDC, CSPCaptionButton* pButton, BOOL bFlag1, BOOL bFlag2,
                                                BOOL bFlag3, BOOL bDisabled) {
    if (m_hThemeButton == NULL) {
        CSPVisualManagerXP::OnDrawCaptionButton(pDC, pButton, bFlag1, bFlag2, bFlag3, bDisabled);
        return;
    }
    SPCaptionButtonInfo info = SPClientHooks::GetCaptionButtonInfo(pButton);
    const CRect rect = GetCaptionButtonRect(info);
    pDC->FillRect(rect, &spGlobalData.brBtnFace);
    int nState = 1;
    if (bDisabled) nState = 4;
    else if (info.bPushed && info.bFocused) nState = 3;
    else if (info.bFocused) nState = 2;
    DrawTheme(m_hThemeButton, pDC, 1 /*BP_PUSHBUTTON*/, nState, rect);
    // The glyph alone: no fill, no frame, black (grey when disabled).
    info.bPushed = FALSE;
    info.bFocused = FALSE;
    DrawCaptionButtonXP(pDC, info, FALSE, bFlag2, bFlag3, bDisabled);
}

void CSPWinXPVisualManager::OnDrawMenuSystemButton(CDC* pDC, CRect rect, UINT uiSystemCommand, UINT nStyle,
                                                   BOOL bHighlight) {
    int nPart = 0;
    switch (uiSystemCommand) {
    case SC_MINIMIZE: nPart = 16; break;  // WP_MDIMINBUTTON
    case SC_CLOSE: nPart = 20; break;     // WP_MDICLOSEBUTTON
    case SC_RESTORE: nPart = 21; break;   // WP_RESTOREBUTTON
    }
    if (m_hThemeWindow == NULL || nPart == 0) {
        CSPVisualManagerXP::OnDrawMenuSystemButton(pDC, rect, uiSystemCommand, nStyle, bHighlight);
        return;
    }
    int nState = 1;
    if (nStyle & TBBS_DISABLED) nState = 4;
    else if ((nStyle & TBBS_PRESSED) && bHighlight) nState = 3;
    else if (bHighlight) nState = 2;
    DrawTheme(m_hThemeWindow, pDC, nPart, nState, rect);
}

// ---------------------------------------------------------------------------
// Status bar

void CSPWinXPVisualManager::OnDrawStatusBarPaneBorder(CDC* pDC, CSPStatusBar* pBar, CRect rectPane, UINT uiID,
                                                      UINT nStyle) {
    if (m_hThemeStatusBar == NULL) {
        CSPVisualManagerXP::OnDrawStatusBarPaneBorder(pDC, pBar, rectPane, uiID, nStyle);
        return;
    }
    DrawTheme(m_hThemeStatusBar, pDC, 1 /*SP_PANE*/, 0, rectPane);
}

void CSPWinXPVisualManager::OnDrawStatusBarProgress(CDC* pDC, CSPStatusBar* pStatusBar, CRect rectProgress,
                                                    int nProgressTotal, int nProgressCurr, COLORREF clrBar,
                                                    COLORREF clrProgressBarDest, COLORREF clrProgressText,
                                                    BOOL bProgressText) {
    if (m_hThemeProgress == NULL) {
        CSPVisualManagerXP::OnDrawStatusBarProgress(pDC, pStatusBar, rectProgress, nProgressTotal, nProgressCurr,
                                                    clrBar, clrProgressBarDest, clrProgressText, bProgressText);
        return;
    }
    if (nProgressTotal == 0) return;
    CRect rectComplete = rectProgress;
    rectComplete.right = rectComplete.left + (int)((LONGLONG)rectProgress.Width() * nProgressCurr / nProgressTotal);
    DrawTheme(m_hThemeProgress, pDC, 1 /*PP_BAR*/, 0, rectProgress);
    if (!rectComplete.IsRectEmpty()) DrawTheme(m_hThemeProgress, pDC, 3 /*PP_CHUNK*/, 0, rectComplete);
    if (bProgressText)
        DrawProgressText(pDC, rectProgress, rectComplete, nProgressTotal, nProgressCurr, clrProgressText);
}

void CSPWinXPVisualManager::OnDrawStatusBarSizeBox(CDC* pDC, CSPStatusBar* pStatBar, CRect rectSizeBox) {
    if (m_hThemeScrollBar == NULL) {
        CSPVisualManagerXP::OnDrawStatusBarSizeBox(pDC, pStatBar, rectSizeBox);
        return;
    }
    DrawTheme(m_hThemeScrollBar, pDC, 10 /*SBP_SIZEBOX*/, 1, rectSizeBox);
}

// ---------------------------------------------------------------------------
// Combo and edit boxes

void CSPWinXPVisualManager::OnDrawComboDropButton(CDC* pDC, CRect rect, BOOL bDisabled, BOOL bIsDropped,
                                                  BOOL bIsHighlighted, CSPToolbarComboBoxButton* pButton) {
    if (m_hThemeComboBox == NULL) {
        CSPVisualManagerXP::OnDrawComboDropButton(pDC, rect, bDisabled, bIsDropped, bIsHighlighted, pButton);
        return;
    }
    int nState = 1;
    if (bDisabled) nState = 4;
    else if (bIsDropped) nState = 3;
    else if (bIsHighlighted) nState = 2;
    DrawTheme(m_hThemeComboBox, pDC, 1 /*CP_DROPDOWNBUTTON*/, nState, rect);
}

void CSPWinXPVisualManager::OnDrawComboBorder(CDC* pDC, CRect rect, BOOL bDisabled, BOOL bIsDropped,
                                              BOOL bIsHighlighted, CSPToolbarComboBoxButton* pButton) {
    if (m_hThemeWindow == NULL) {
        CSPVisualManagerXP::OnDrawComboBorder(pDC, rect, bDisabled, bIsDropped, bIsHighlighted, pButton);
        return;
    }
    if (bIsHighlighted || bIsDropped) {
        rect.DeflateRect(1, 1);
        pDC->Draw3dRect(rect, spGlobalData.clrHilite, spGlobalData.clrHilite);
    }
}

void CSPWinXPVisualManager::OnDrawEditBorder(CDC* pDC, CRect rect, BOOL bDisabled, BOOL bIsHighlighted,
                                             CSPToolbarEditBoxButton* pButton) {
    if (m_hThemeWindow == NULL) {
        CSPVisualManagerXP::OnDrawEditBorder(pDC, rect, bDisabled, bIsHighlighted, pButton);
        return;
    }
    if (bIsHighlighted) pDC->Draw3dRect(rect, spGlobalData.clrHilite, spGlobalData.clrHilite);
}

// ---------------------------------------------------------------------------
// Toolbar buttons

void CSPWinXPVisualManager::OnFillButtonInterior(CDC* pDC, CSPToolbarButton* pButton, CRect rect, int state) {
    if (m_hThemeToolBar == NULL || pButton == NULL) {
        CSPVisualManagerXP::OnFillButtonInterior(pDC, pButton, rect, state);
        return;
    }
    const UINT nStyle = SPClientHooks::GetToolbarButtonInfo(pButton).nStyle;
    int nState = 1;
    if (nStyle & TBBS_PRESSED) nState = 3;
    else if (state == ButtonsIsHighlighted) nState = 2;
    if (nStyle & TBBS_CHECKED) nState = state == ButtonsIsHighlighted ? 6 : 5;
    if (nStyle & TBBS_DISABLED) nState = 4;
    DrawTheme(m_hThemeToolBar, pDC, 1 /*TP_BUTTON*/, nState, rect);
}

void CSPWinXPVisualManager::OnDrawButtonBorder(CDC* pDC, CSPToolbarButton* pButton, CRect rect, int state) {
    if (m_hThemeToolBar == NULL) CSPVisualManagerXP::OnDrawButtonBorder(pDC, pButton, rect, state);
}

void CSPWinXPVisualManager::OnFillHighlightedArea(CDC* pDC, CSPToolbarButton* pButton, CRect rect,
                                                  CBrush* pBrush) {
    if (m_hThemeWindow != NULL) CSPVisualManager::OnFillHighlightedArea(pDC, pButton, rect, pBrush);
    else CSPVisualManagerXP::OnFillHighlightedArea(pDC, pButton, rect, pBrush);
}

void CSPWinXPVisualManager::OnDrawButtonChecked(CDC* pDC, CRect rect) {
    if (m_hThemeWindow == NULL) {
        CSPVisualManagerXP::OnDrawButtonChecked(pDC, rect);
        return;
    }
    CRect rectColumn = rect;
    rectColumn.left--;
    rectColumn.right = rectColumn.left + CSPToolbarSharedState::GetMenuImageSize().cx + 2 * GetMenuImageMargin() + 2;
    CSPDrawEffects dm(*pDC);
    dm.ScaleRectBrightness(rectColumn, 94);
}

COLORREF CSPWinXPVisualManager::OnFillCommandsListBackground(CDC* pDC, CRect rect, BOOL bIsSelected) {
    if (m_hThemeWindow == NULL) return CSPVisualManagerXP::OnFillCommandsListBackground(pDC, rect, bIsSelected);
    ::FillRect(pDC->GetSafeHdc(), rect, ::GetSysColorBrush(COLOR_MENU));
    return ::GetSysColor(COLOR_MENUTEXT);
}

CSize CSPWinXPVisualManager::GetButtonExtraBorder() const {
    return m_hThemeWindow != NULL ? CSize(2, 2) : CSize(0, 0);
}

// ---------------------------------------------------------------------------
// Headers

void CSPWinXPVisualManager::OnDrawHeaderCtrlBorder(CSPHeaderCtrl* pCtrl, CDC* pDC, CRect& rect, BOOL bIsPressed,
                                                   BOOL bIsHighlighted) {
    if (m_hThemeHeader == NULL) {
        CSPVisualManagerXP::OnDrawHeaderCtrlBorder(pCtrl, pDC, rect, bIsPressed, bIsHighlighted);
        return;
    }
    DrawTheme(m_hThemeHeader, pDC, 1 /*HP_HEADERITEM*/, bIsPressed ? 3 : (bIsHighlighted ? 2 : 1), rect);
}

void CSPWinXPVisualManager::OnDrawHeaderCtrlSortArrow(CSPHeaderCtrl* pCtrl, CDC* pDC, CRect& rect, BOOL bIsUp) {
    if (m_hThemeHeader == NULL) {
        CSPVisualManagerXP::OnDrawHeaderCtrlSortArrow(pCtrl, pDC, rect, bIsUp);
        return;
    }
    POINT pts[3];
    const int xCentre = rect.CenterPoint().x;
    if (bIsUp) {
        pts[0].x = rect.left;  pts[0].y = rect.bottom;
        pts[1].x = xCentre;    pts[1].y = rect.top;
        pts[2].x = rect.right; pts[2].y = rect.bottom;
    } else {
        pts[0].x = rect.left;  pts[0].y = rect.top;
        pts[1].x = xCentre;    pts[1].y = rect.bottom;
        pts[2].x = rect.right; pts[2].y = rect.top;
    }
    CBrush br(spGlobalData.clrBtnShadow);
    CPen pen(PS_SOLID, 1, spGlobalData.clrBtnShadow);
    HDC hdc = pDC->GetSafeHdc();
    CSelectObject selBrush(hdc, br.GetSafeHandle());
    CSelectObject selPen(hdc, pen.GetSafeHandle());
    ::Polygon(hdc, pts, 3);
}

// ---------------------------------------------------------------------------
// Task panes

void CSPWinXPVisualManager::OnFillTasksPaneBackground(CDC* pDC, CRect rectWorkArea) {
    if (m_hThemeExplorerBar == NULL) {
        CSPVisualManagerXP::OnFillTasksPaneBackground(pDC, rectWorkArea);
        return;
    }
    DrawTheme(m_hThemeExplorerBar, pDC, 1 /*EBP_HEADERBACKGROUND*/, 0, rectWorkArea);
}

void CSPWinXPVisualManager::OnDrawTasksGroupCaption(CDC* pDC, CSPTasksGroup* pGroup, BOOL bIsHighlighted,
                                                    BOOL /*bUsePushButton*/, BOOL bCanCollapse) {
    const SPTasksGroupInfo group = SPClientHooks::GetTasksGroupInfo(pGroup);
    if (m_hThemeExplorerBar == NULL) {
        DrawTasksGroupCaptionXP(pDC, group, bIsHighlighted, FALSE);
        return;
    }
    if (group.strName.IsEmpty()) return;
    const CRect& rectCaption = group.rect;
    DrawTheme(m_hThemeExplorerBar, pDC, group.bIsSpecial ? 12 /*EBP_SPECIALGROUPHEAD*/ : 8 /*EBP_NORMALGROUPHEAD*/,
              0, rectCaption);

    DrawTasksGroupCaptionText(pDC, group, group.bIsSpecial ? ::GetSysColor(COLOR_WINDOW) : spGlobalData.clrHilite);

    if (!bCanCollapse) return;
    CRect rectGlyph = rectCaption;
    rectGlyph.left = rectCaption.right - rectCaption.Height();
    if (rectGlyph.left < rectCaption.left) rectGlyph.left = rectCaption.left;
    int nPart;
    if (group.bIsSpecial) nPart = group.bIsCollapsed ? 11 /*EBP_SPECIALGROUPEXPAND*/ : 10 /*EBP_SPECIALGROUPCOLLAPSE*/;
    else nPart = group.bIsCollapsed ? 7 /*EBP_NORMALGROUPEXPAND*/ : 6 /*EBP_NORMALGROUPCOLLAPSE*/;
    DrawTheme(m_hThemeExplorerBar, pDC, nPart, bIsHighlighted ? 2 : 1, rectGlyph);
}

void CSPWinXPVisualManager::OnFillTasksGroupInterior(CDC* pDC, CRect rect, BOOL bSpecial) {
    if (m_hThemeExplorerBar == NULL) {
        CSPVisualManagerXP::OnFillTasksGroupInterior(pDC, rect, bSpecial);
        return;
    }
    DrawTheme(m_hThemeExplorerBar, pDC, bSpecial ? 9 /*EBP_SPECIALGROUPBACKGROUND*/ : 5 /*EBP_NORMALGROUPBACKGROUND*/,
              0, rect);
}

void CSPWinXPVisualManager::OnDrawTasksGroupAreaBorder(CDC* pDC, CRect rect, BOOL bSpecial, BOOL bNoTitle) {
    if (!bNoTitle) return;
    CPen pen(PS_SOLID, 1, bSpecial ? spGlobalData.clrHilite : ::GetSysColor(COLOR_WINDOW));
    HDC hdc = pDC->GetSafeHdc();
    CSelectObject selPen(hdc, pen.GetSafeHandle());
    ::MoveToEx(hdc, rect.left, rect.top, NULL);
    ::LineTo(hdc, rect.right, rect.top);
}

void CSPWinXPVisualManager::OnDrawTask(CDC* pDC, CSPTask* pTask, CImageList* pIcons, BOOL bIsHighlighted,
                                       BOOL /*bIsSelected*/) {
    DrawTaskXP(pDC, pTask, pIcons, bIsHighlighted, ::GetSysColor(COLOR_WINDOWTEXT), FALSE, spGlobalData.clrHilite);
}

// ---------------------------------------------------------------------------
// Push buttons

void CSPWinXPVisualManager::OnFillPushButtonWinXP(CDC* pDC, CRect rect, CSPButton* pButton, UINT /*uiState*/) {
    const SPButtonInfo info = SPClientHooks::GetButtonInfo(pButton);
    if (m_hThemeButton == NULL) {
        COLORREF clrText;
        CSPVisualManager::OnFillOutlookPageButton(pDC, rect, info.bHighlighted, info.bPushed, clrText);
        return;
    }
    int nState = 1;
    if (info.bPushed && info.bHighlighted) nState = 3;
    else if (info.bHighlighted) nState = 2;
    DrawTheme(m_hThemeButton, pDC, 1 /*BP_PUSHBUTTON*/, nState, rect);
}

BOOL CSPWinXPVisualManager::IsWinXPPushButton(CDC* /*pDC*/, CRect /*rect*/, CSPButton* /*pButton*/,
                                              UINT /*uiState*/) {
    return TRUE;
}

BOOL CSPWinXPVisualManager::OnDrawPushButtonWinXP(CDC* pDC, CRect& rect, CSPButton* pButton, UINT /*uiState*/) {
    if (m_hThemeButton == NULL) return FALSE;
    const SPButtonInfo info = SPClientHooks::GetButtonInfo(pButton);
    pDC->FillRect(rect, &spGlobalData.brBtnFace);
    HWND hwnd = info.pWnd != NULL ? info.pWnd->GetSafeHwnd() : NULL;
    int nState = 1;
    if (hwnd != NULL && !::IsWindowEnabled(hwnd)) nState = 4;
    else if ((info.bPushed && info.bHighlighted) || (hwnd != NULL && ::SendMessageA(hwnd, BM_GETCHECK, 0, 0) != 0))
        nState = 3;
    else if (info.bHighlighted) nState = 2;
    DrawTheme(m_hThemeButton, pDC, 1 /*BP_PUSHBUTTON*/, nState, rect);
    return TRUE;
}
