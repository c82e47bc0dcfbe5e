#include "SPVisualManager.h"
#include "SPDrawEffects.h"
#include "SPGlobalData.h"
#include "SPMenuImages.h"
#include "SPToolbarState.h"
#include <commctrl.h>

#ifndef SBPS_NOBORDERS
#define SBPS_NOBORDERS 0x0100
#endif
#ifndef SBPS_POPOUT
#define SBPS_POPOUT 0x0200
#endif

IMPLEMENT_DYNCREATE(CSPVisualManager, CObject)

CSPVisualManager* CSPVisualManager::s_pInstance = NULL;
CRuntimeClass* CSPVisualManager::s_pDefaultClass = NULL;

// ---------------------------------------------------------------------------
// Construction and the current manager

CSPVisualManager::CSPVisualManager(BOOL bTemporary) {
    m_nLook = 0;
    m_nMenuShadowDepth = 6;
    m_bFlatLook = FALSE;
    m_bLook2 = FALSE;
    m_bEmbossDisabledImage = TRUE;
    m_bLook4 = FALSE;
    m_bTemporary = bTemporary;
    SetBaseTaskPaneMetrics();
    m_bAutoDelete = FALSE;
    if (!bTemporary && s_pInstance == NULL) s_pInstance = this;
}

void CSPVisualManager::SetBaseTaskPaneMetrics() {
    m_nVertMargin = 12;
    m_nHorzMargin = 12;
    m_nGroupVertOffset = 15;
    m_nGroupCaptionHeight = 25;
    m_nGroupCaptionHorzOffset = 13;
    m_nGroupCaptionVertOffset = 7;
    m_nTasksHorzOffset = 12;
    m_nTasksIconHorzOffset = 5;
    m_nTasksIconVertOffset = 4;
    m_nTasksTextGap = 1;
}

CSPVisualManager::~CSPVisualManager() {
    if (!m_bTemporary) s_pInstance = NULL;
}

CSPVisualManager* CSPVisualManager::GetInstance() {
    if (s_pInstance != NULL) return s_pInstance;
    CSPVisualManager* pManager = NULL;
    if (s_pDefaultClass != NULL) {
        CObject* pObj = s_pDefaultClass->CreateObject();
        pManager = DYNAMIC_DOWNCAST(CSPVisualManager, pObj);
        if (pManager == NULL) delete pObj;
    }
    // A default class that cannot be created falls back to the base look.
    if (pManager == NULL) pManager = new CSPVisualManager;
    s_pInstance = pManager;
    pManager->m_bAutoDelete = TRUE;
    return pManager;
}

void CSPVisualManager::SetDefaultManager(CRuntimeClass* pRTI) {
    if (pRTI != NULL && !pRTI->IsDerivedFrom(RUNTIME_CLASS(CSPVisualManager))) return;
    s_pDefaultClass = pRTI;
    if (s_pInstance != NULL) delete s_pInstance;
    s_pInstance = NULL;
    RedrawAll();
}

CSPVisualManager* CSPVisualManager::CreateVisualManager(CRuntimeClass* pVisualManager) {
    if (pVisualManager == NULL) return NULL;
    CSPVisualManager* pOld = s_pInstance;
    CObject* pObj = pVisualManager->CreateObject();
    CSPVisualManager* pNew = DYNAMIC_DOWNCAST(CSPVisualManager, pObj);
    if (pNew == NULL) {
        delete pObj;
        s_pInstance = pOld;
        return NULL;
    }
    if (pOld != NULL && pOld != pNew) delete pOld;
    s_pInstance = pNew;
    pNew->m_bAutoDelete = TRUE;
    return pNew;
}

void CSPVisualManager::DestroyInstance() {
    if (s_pInstance != NULL) delete s_pInstance;
    s_pInstance = NULL;
}

void CSPVisualManager::RedrawAll() {
    const UINT uiFlags = RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW;
    CWnd* pMainWnd = AfxGetMainWnd();
    if (pMainWnd != NULL && pMainWnd->GetSafeHwnd() != NULL) {
        ::RedrawWindow(pMainWnd->GetSafeHwnd(), NULL, NULL, uiFlags);
    }
    const DWORD dwThread = ::GetCurrentThreadId();
    for (POSITION pos = g_lstAllToolbars.GetHeadPosition(); pos != NULL;) {
        CWnd* pToolBar = DYNAMIC_DOWNCAST(CWnd, g_lstAllToolbars.GetNext(pos));
        if (pToolBar == NULL) continue;
        HWND hwnd = pToolBar->GetSafeHwnd();
        if (hwnd == NULL || CWnd::FromHandlePermanent(hwnd) != pToolBar) continue;
        if (::GetWindowThreadProcessId(hwnd, NULL) != dwThread) continue;
        ::RedrawWindow(hwnd, NULL, NULL, uiFlags);
    }
    SPMiniFrameList::RedrawAll();
}

void CSPVisualManager::SetLook(int nLook) {
    m_nLook = nLook;
    CWnd* pMainWnd = AfxGetMainWnd();
    if (pMainWnd != NULL && pMainWnd->GetSafeHwnd() != NULL) {
        ::RedrawWindow(pMainWnd->GetSafeHwnd(), NULL, NULL,
                       RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_ERASENOW | RDW_FRAME);
    }
    RedrawAll();
}

// ---------------------------------------------------------------------------
// Bars

void CSPVisualManager::OnUpdateSystemColors() {}

void CSPVisualManager::OnFillBarBackground(CDC* pDC, CSPBaseControlBar* pBar, CRect rectClient, CRect rectClip,
                                           BOOL /*bNCArea*/) {
    if (ISPBarOwnBackground* pOwn = SPClientHooks::GetOwnBackground(pBar)) {
        pOwn->FillOwnBackground(pDC, rectClient);
        return;
    }
    const SPBarInfo info = SPClientHooks::GetBarInfo(pBar);
    const CRect rectFill = rectClip.IsRectEmpty() ? rectClient : rectClip;
    if (info.bCaptionBar) {
        pDC->FillSolidRect(rectFill, info.clrCaptionBack == (COLORREF)-1 ? spGlobalData.clrBtnShadow
                                                                         : info.clrCaptionBack);
        return;
    }
    pDC->FillRect(rectFill, &spGlobalData.brBtnFace);
}

void CSPVisualManager::OnDrawBarBorder(CDC* pDC, CSPBaseControlBar* pBar, CRect& rect) {
    const SPBarInfo info = SPClientHooks::GetBarInfo(pBar);
    if (info.bDrawsOwnBorder) return;
    const DWORD dwStyle = info.dwStyle;
    if ((dwStyle & CBRS_BORDER_ANY) == 0) return;

    const COLORREF clrOldBk = pDC->GetBkColor();
    const COLORREF clrHilite = spGlobalData.clrBtnHilite, clrShadow = spGlobalData.clrBtnShadow;
    if (dwStyle & CBRS_BORDER_LEFT) pDC->FillSolidRect(rect.left, rect.top, 1, rect.Height() - 1, clrHilite);
    if (dwStyle & CBRS_BORDER_TOP) pDC->FillSolidRect(rect.left, rect.top, rect.Width() - 1, 1, clrHilite);
    if (dwStyle & CBRS_BORDER_RIGHT) pDC->FillSolidRect(rect.right - 1, rect.top, 1, rect.Height(), clrShadow);
    if (dwStyle & CBRS_BORDER_BOTTOM) pDC->FillSolidRect(rect.left, rect.bottom - 1, rect.Width() - 1, 1, clrShadow);
    if (!info.bFloatingOrVertical) {
        pDC->FillSolidRect(rect.left, rect.top, rect.Width(), 1, clrShadow);
        pDC->FillSolidRect(rect.left, rect.top + 1, rect.Width(), 1, clrHilite);
    }
    if (dwStyle & CBRS_BORDER_LEFT) rect.left++;
    if (dwStyle & CBRS_BORDER_TOP) rect.top++;
    if (dwStyle & CBRS_BORDER_RIGHT) rect.right--;
    if (dwStyle & CBRS_BORDER_BOTTOM) rect.bottom--;
    pDC->SetBkColor(clrOldBk);
}

void CSPVisualManager::OnDrawMenuBorder(CDC* pDC, CSPPopupMenu* /*pMenu*/, CRect rect) {
    pDC->Draw3dRect(rect, spGlobalData.clrBtnLight, spGlobalData.clrBtnDkShadow);
    rect.DeflateRect(1, 1);
    pDC->Draw3dRect(rect, spGlobalData.clrBtnHilite, spGlobalData.clrBtnShadow);
}

void CSPVisualManager::OnDrawBarGripper(CDC* pDC, CRect rectGripper, BOOL bHorz, CSPBaseControlBar* /*pBar*/) {
    const BOOL bSingle = m_nLook >= 1;
    const int nLines = bSingle ? 1 : 2;
    const COLORREF clrHilite = spGlobalData.clrBtnHilite, clrShadow = spGlobalData.clrBtnShadow;
    CRect rect = rectGripper;
    if (!bHorz) {
        rect.DeflateRect(bSingle ? 3 : 2, 0);
        if (!bSingle) rect.top++;
        int y = rect.CenterPoint().y - (bSingle ? 1 : 2);
        for (int i = 0; i < nLines; i++, y += 4) {
            pDC->Draw3dRect(rect.left, y, rect.Width(), 3, clrHilite, clrShadow);
            if (!bSingle) pDC->SetPixelV(rect.right - 1, y, clrHilite);
        }
    } else {
        rect.DeflateRect(0, bSingle ? 3 : 2);
        if (!bSingle) rect.left++;
        int x = rect.CenterPoint().x - (bSingle ? 1 : 2);
        for (int i = 0; i < nLines; i++, x += 4) {
            pDC->Draw3dRect(x, rect.top, 3, rect.Height(), clrHilite, clrShadow);
            if (!bSingle) pDC->SetPixelV(x, rect.bottom - 1, clrHilite);
        }
    }
}

void CSPVisualManager::OnDrawSeparator(CDC* pDC, CSPBaseControlBar* /*pBar*/, CRect rect, BOOL bHorz) {
    CRect rectLine = rect;
    if (bHorz) {
        const int x = rect.left + rect.Width() / 2;
        rectLine.left = x - 1;
        rectLine.right = x + 1;
    } else {
        const int y = rect.top + rect.Height() / 2;
        rectLine.top = y - 1;
        rectLine.bottom = y + 1;
    }
    pDC->Draw3dRect(rectLine, spGlobalData.clrBtnShadow, spGlobalData.clrBtnHilite);
}

COLORREF CSPVisualManager::OnDrawControlBarCaption(CDC* pDC, CSPDockingControlBar* /*pBar*/, BOOL bActive,
                                                   CRect rectCaption, CRect /*rectButtons*/) {
    ::FillRect(pDC->GetSafeHdc(), rectCaption,
               ::GetSysColorBrush(bActive ? COLOR_ACTIVECAPTION : COLOR_INACTIVECAPTION));
    return ::GetSysColor(COLOR_CAPTIONTEXT);
}

CRect CSPVisualManager::GetCaptionButtonRect(const SPCaptionButtonInfo& info) const {
    CSize size(0, 0);
    if (!info.bHidden) {
        size = GetButtonExtraBorder() + CSPMenuImages::Size() +
               CSize(2 * nCaptionButtonMargin, 2 * nCaptionButtonMargin);
    }
    return CRect(info.ptPos, size);
}

int CSPVisualManager::GetCaptionButtonGlyph(UINT nHit, BOOL bFlag, BOOL bFlag3) {
    switch (nHit) {
    case HTMINBUTTON:
        if (bFlag) return bFlag3 ? CSPMenuImages::IdArowLeft : CSPMenuImages::IdArowRight;
        return bFlag3 ? CSPMenuImages::IdArowDown : CSPMenuImages::IdArowUp;
    case HTMAXBUTTON: return bFlag3 ? CSPMenuImages::IdPinVert : CSPMenuImages::IdPinHorz;
    case 19:
    case HTCLOSE: return CSPMenuImages::IdClose;
    }
    return -1;
}

void CSPVisualManager::OnDrawCaptionButton(CDC* pDC, CSPCaptionButton* pButton, BOOL bFlag1, BOOL bFlag2,
                                           BOOL bFlag3, BOOL bDisabled) {
    const SPCaptionButtonInfo info = SPClientHooks::GetCaptionButtonInfo(pButton);
    CRect rect = GetCaptionButtonRect(info);
    const BOOL bPushedHot = info.bPushed && info.bFocused;
    const int nGlyph = GetCaptionButtonGlyph(info.nHit, bFlag1, bFlag3);
    if (nGlyph >= 0) {
        const CSize sizeGlyph = CSPMenuImages::Size();
        CPoint pt(rect.left + (rect.Width() - sizeGlyph.cx) / 2, rect.top + (rect.Height() - sizeGlyph.cy) / 2);
        if (bPushedHot) pt.Offset(1, 1);
        const int state = bDisabled ? CSPMenuImages::ImageGray
                                    : (bFlag2 ? CSPMenuImages::ImageWhite : CSPMenuImages::ImageBlack);
        CSPMenuImages::Draw(pDC, nGlyph, pt, state);
    }
    if (bDisabled) return;
    if (bPushedHot) {
        pDC->Draw3dRect(rect, spGlobalData.clrBtnDkShadow, spGlobalData.clrBtnLight);
        rect.DeflateRect(1, 1);
        pDC->Draw3dRect(rect, spGlobalData.clrBtnDkShadow, spGlobalData.clrBtnHilite);
    } else if (m_nLook == 0) {
        pDC->Draw3dRect(rect, spGlobalData.clrBtnLight, spGlobalData.clrBtnDkShadow);
        rect.DeflateRect(1, 1);
        pDC->Draw3dRect(rect, spGlobalData.clrBtnHilite, spGlobalData.clrBtnShadow);
    } else if (info.bFocused || info.bPushed) {
        pDC->Draw3dRect(rect, spGlobalData.clrBtnHilite, spGlobalData.clrBtnShadow);
    }
}

void CSPVisualManager::OnDrawMenuSystemButton(CDC* pDC, CRect rect, UINT uiSystemCommand, UINT nStyle,
                                              BOOL /*bHighlight*/) {
    UINT uiState = 0;
    switch (uiSystemCommand) {
    case SC_MINIMIZE: uiState = DFCS_CAPTIONMIN; break;
    case SC_CLOSE: uiState = DFCS_CAPTIONCLOSE; break;
    case SC_RESTORE: uiState = DFCS_CAPTIONRESTORE; break;
    default: return;
    }
    if (nStyle & TBBS_PRESSED) uiState |= DFCS_PUSHED;
    if (nStyle & TBBS_DISABLED) uiState |= DFCS_INACTIVE;
    if (CSPMenuImages::IsGlyphFontAvailable()) {
        pDC->DrawFrameControl(rect, DFC_CAPTION, uiState);
        return;
    }
    // The system draws caption glyphs from the glyph font: without it, the
    // same raised (or pushed) button with the library's glyph on it.
    pDC->DrawFrameControl(rect, DFC_BUTTON, DFCS_BUTTONPUSH | (uiState & DFCS_PUSHED));
    int nGlyph = CSPMenuImages::IdClose;
    if (uiSystemCommand == SC_MINIMIZE) nGlyph = CSPMenuImages::IdMinimize;
    if (uiSystemCommand == SC_RESTORE) nGlyph = CSPMenuImages::IdRestore;
    CRect rectGlyph = rect;
    if (nStyle & TBBS_PRESSED) rectGlyph.OffsetRect(1, 1);
    CSPMenuImages::DrawGlyph(pDC, NULL, nGlyph, rectGlyph, spGlobalData.clrBtnText,
                             (nStyle & TBBS_DISABLED) ? CSPMenuImages::ImageGray : CSPMenuImages::ImageBlack);
}

// ---------------------------------------------------------------------------
// Status bar

void CSPVisualManager::OnDrawStatusBarPaneBorder(CDC* pDC, CSPStatusBar* /*pBar*/, CRect rectPane, UINT /*uiID*/,
                                                 UINT nStyle) {
    if (nStyle & SBPS_NOBORDERS) return;
    if (nStyle & SBPS_POPOUT) pDC->Draw3dRect(rectPane, spGlobalData.clrBtnHilite, spGlobalData.clrBtnShadow);
    else pDC->Draw3dRect(rectPane, spGlobalData.clrBtnShadow, spGlobalData.clrBtnHilite);
}

void CSPVisualManager::OnDrawStatusBarProgress(CDC* pDC, CSPStatusBar* /*pStatusBar*/, CRect rectProgress,
                                               int nProgressTotal, int nProgressCurr, COLORREF clrBar,
                                               COLORREF clrProgressBarDest, COLORREF clrProgressText,
                                               BOOL bProgressText) {
    if (nProgressTotal == 0) return;
    CRect rectComplete = rectProgress;
    rectComplete.right = rectComplete.left + (int)((LONGLONG)rectProgress.Width() * nProgressCurr / nProgressTotal);
    if (clrProgressBarDest != (COLORREF)-1) {
        CSPDrawEffects dm(*pDC);
        dm.FillGradient(rectComplete, clrBar, clrProgressBarDest, FALSE);
    } else {
        pDC->FillSolidRect(rectComplete, clrBar);
    }
    if (bProgressText)
        DrawProgressText(pDC, rectProgress, rectComplete, nProgressTotal, nProgressCurr, clrProgressText);
}

void CSPVisualManager::DrawProgressText(CDC* pDC, CRect rectProgress, CRect rectComplete, int nProgressTotal,
                                        int nProgressCurr, COLORREF clrProgressText) {
    if (nProgressTotal == 0) return;
    CString strText;
    strText.Format("%d%%", (int)((LONGLONG)nProgressCurr * 100 / nProgressTotal));
    const UINT uiFormat = DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX;
    const int nOldMode = pDC->SetBkMode(TRANSPARENT);
    const COLORREF clrOldText = pDC->SetTextColor(spGlobalData.clrBtnText);
    CRect rectText = rectProgress;
    pDC->DrawText(strText, rectText, uiFormat);

    {
        CSaveDC saved(pDC);
        pDC->IntersectClipRect(rectComplete);
        pDC->SetTextColor(clrProgressText == (COLORREF)-1 ? spGlobalData.clrTextHilite : clrProgressText);
        rectText = rectProgress;
        pDC->DrawText(strText, rectText, uiFormat);
    }

    pDC->SetTextColor(clrOldText);
    pDC->SetBkMode(nOldMode);
}

void CSPVisualManager::OnDrawStatusBarSizeBox(CDC* pDC, CSPStatusBar* /*pStatBar*/, CRect rectSizeBox) {
    if (!CSPMenuImages::IsGlyphFontAvailable()) {
        // The grip's glyph is a letter in any other font: three pairs of
        // diagonal strokes in the corner instead, as the glyph shows them.
        const int nSize = rectSizeBox.Width() < rectSizeBox.Height() ? rectSizeBox.Width() : rectSizeBox.Height();
        const int x = rectSizeBox.right, y = rectSizeBox.bottom;
        CPen penShadow(PS_SOLID, 1, spGlobalData.clrBtnShadow);
        CPen penLight(PS_SOLID, 1, spGlobalData.clrBtnHilite);
        CPen* pOldPen = pDC->SelectObject(&penShadow);
        for (int d = 3; d + 1 < nSize && d <= 11; d += 4) {
            for (int k = 0; k < 2; k++) {
                pDC->MoveTo(x - 1, y - 1 - d - k);
                pDC->LineTo(x - 1 - d - k - 1, y);
            }
            pDC->SelectObject(&penLight);
            pDC->MoveTo(x - 1, y - 1 - d - 2);
            pDC->LineTo(x - 1 - d - 3, y);
            pDC->SelectObject(&penShadow);
        }
        pDC->SelectObject(pOldPen);
        return;
    }
    CSelectObject selFont(pDC, &spGlobalData.fontMarlett);
    const UINT uiOldAlign = pDC->SetTextAlign(TA_RIGHT | TA_BOTTOM);
    const COLORREF clrOldText = pDC->SetTextColor(spGlobalData.clrBtnShadow);
    const int nOldMode = pDC->SetBkMode(TRANSPARENT);
    pDC->ExtTextOut(rectSizeBox.right, rectSizeBox.bottom, ETO_CLIPPED, rectSizeBox, CString("o"), NULL);
    pDC->SetBkMode(nOldMode);
    pDC->SetTextColor(clrOldText);
    pDC->SetTextAlign(uiOldAlign);
}

// ---------------------------------------------------------------------------
// Combo and edit boxes, tear-off captions

void CSPVisualManager::OnDrawComboDropButton(CDC* pDC, CRect rect, BOOL bDisabled, BOOL bIsDropped,
                                             BOOL bIsHighlighted, CSPToolbarComboBoxButton* /*pButton*/) {
    pDC->FillSolidRect(rect, spGlobalData.clrBtnFace);
    pDC->Draw3dRect(rect, spGlobalData.clrBtnHilite, spGlobalData.clrBtnHilite);
    const CSize sizeGlyph = CSPMenuImages::Size();
    CPoint pt(rect.left + (rect.Width() - sizeGlyph.cx) / 2 + 1, rect.top + (rect.Height() - sizeGlyph.cy) / 2 + 1);
    if (bIsDropped) {
        rect.OffsetRect(1, 1);
        pt.Offset(1, 1);
        pDC->Draw3dRect(rect, spGlobalData.clrBtnShadow, spGlobalData.clrBtnHilite);
    } else if (bIsHighlighted) {
        pDC->Draw3dRect(rect, spGlobalData.clrBtnHilite, spGlobalData.clrBtnShadow);
    }
    CSPMenuImages::Draw(pDC, CSPMenuImages::IdArowDown, pt,
                        bDisabled ? CSPMenuImages::ImageGray : CSPMenuImages::ImageBlack);
}

void CSPVisualManager::OnDrawComboBorder(CDC* pDC, CRect rect, BOOL /*bDisabled*/, BOOL bIsDropped,
                                         BOOL bIsHighlighted, CSPToolbarComboBoxButton* /*pButton*/) {
    if (!bIsHighlighted && !bIsDropped) return;
    if (m_bFlatLook) {
        rect.DeflateRect(1, 1);
        pDC->Draw3dRect(rect, spGlobalData.clrBtnDkShadow, spGlobalData.clrBtnDkShadow);
    } else {
        pDC->Draw3dRect(rect, spGlobalData.clrBtnShadow, spGlobalData.clrBtnHilite);
    }
}

void CSPVisualManager::OnDrawEditBorder(CDC* pDC, CRect rect, BOOL /*bDisabled*/, BOOL bIsHighlighted,
                                        CSPToolbarEditBoxButton* /*pButton*/) {
    if (bIsHighlighted) pDC->DrawEdge(rect, EDGE_SUNKEN, BF_RECT);
}

void CSPVisualManager::OnDrawTearOffCaption(CDC* pDC, CRect rect, BOOL bIsActive) {
    pDC->FillRect(rect, &spGlobalData.brBtnFace);
    rect.DeflateRect(2, 1);
    pDC->FillSolidRect(rect, ::GetSysColor(bIsActive ? COLOR_ACTIVECAPTION : COLOR_INACTIVECAPTION));
}

// ---------------------------------------------------------------------------
// Toolbar buttons

void CSPVisualManager::OnFillButtonInterior(CDC* pDC, CSPToolbarButton* pButton, CRect rect, int state) {
    if (pButton == NULL) return;
    const SPToolbarButtonInfo info = SPClientHooks::GetToolbarButtonInfo(pButton);
    if (info.bShowAllButton) {
        if (state == ButtonsIsHighlighted) {
            CSPDrawEffects dm(*pDC);
            dm.ScaleRectBrightness(rect);
        }
        return;
    }
    if (info.bOutlookButton) return;
    if (g_bCustomizeMode) return;
    if ((info.nStyle & (TBBS_CHECKED | TBBS_INDETERMINATE)) && state != ButtonsIsHighlighted) {
        rect.DeflateRect(::GetSystemMetrics(SM_CXBORDER), ::GetSystemMetrics(SM_CYBORDER));
        pDC->FillRect(rect, &spGlobalData.brLight);
    }
}

void CSPVisualManager::OnDrawButtonBorder(CDC* pDC, CSPToolbarButton* pButton, CRect rect, int state) {
    const COLORREF clrShadow = SPClientHooks::GetToolbarButtonInfo(pButton).bOutlookButton ? spGlobalData.clrBtnDkShadow
                                                                                         : spGlobalData.clrBtnShadow;
    switch (state) {
    case ButtonsIsPressed: pDC->Draw3dRect(rect, clrShadow, spGlobalData.clrBtnHilite); break;
    case ButtonsIsHighlighted: pDC->Draw3dRect(rect, spGlobalData.clrBtnHilite, clrShadow); break;
    }
}

void CSPVisualManager::OnFillHighlightedArea(CDC* pDC, CSPToolbarButton* pButton, CRect rect,
                                             CBrush* /*pBrush*/) {
    pDC->FillRect(rect, &spGlobalData.brHilite);
    // The system's selection is dark: its text colour goes on it (a
    // disabled item keeps its grey).
    if (!(SPClientHooks::GetToolbarButtonInfo(pButton).nStyle & TBBS_DISABLED))
        pDC->SetTextColor(spGlobalData.clrTextHilite);
}

void CSPVisualManager::OnDrawButtonChecked(CDC* pDC, CRect rect) {
    CSPDrawEffects dm(*pDC);
    dm.ScaleRectBrightness(rect);
    pDC->Draw3dRect(rect, spGlobalData.clrBtnShadow, spGlobalData.clrBtnHilite);
}

COLORREF CSPVisualManager::GetToolbarButtonTextColor(CSPToolbarButton* pButton, int state) {
    if (pButton == NULL) return spGlobalData.clrBtnText;
    const SPToolbarButtonInfo info = SPClientHooks::GetToolbarButtonInfo(pButton);
    const BOOL bDisabled = g_bCustomizeMode ? !info.bEditable : (info.nStyle & TBBS_DISABLED) != 0;
    if (info.bOutlookButton) {
        return ::GetSysColor(bDisabled ? COLOR_BTNFACE : COLOR_WINDOW);
    }
    if (bDisabled) return spGlobalData.clrGrayedText;
    if (state == ButtonsIsHighlighted) return CSPToolbarSharedState::GetButtonTextColor();
    return spGlobalData.clrBtnText;
}

COLORREF CSPVisualManager::GetCaptionBarTextColor(CSPCaptionBar* /*pBar*/) { return ::GetSysColor(COLOR_WINDOW); }

// ---------------------------------------------------------------------------
// Outlook page buttons

void CSPVisualManager::OnFillOutlookPageButton(CDC* pDC, const CRect& rect, BOOL /*bIsHighlighted*/,
                                               BOOL /*bIsPressed*/, COLORREF& clrText) {
    pDC->FillRect(rect, &spGlobalData.brBtnFace);
    clrText = spGlobalData.clrBtnText;
}

void CSPVisualManager::OnDrawOutlookPageButtonBorder(CDC* pDC, CRect& rectBtn, BOOL bIsHighlighted,
                                                     BOOL bIsPressed) {
    if (bIsHighlighted && bIsPressed) {
        pDC->Draw3dRect(rectBtn, spGlobalData.clrBtnDkShadow, spGlobalData.clrBtnFace);
        rectBtn.DeflateRect(1, 1);
        pDC->Draw3dRect(rectBtn, spGlobalData.clrBtnShadow, spGlobalData.clrBtnHilite);
    } else if (bIsHighlighted || bIsPressed) {
        pDC->Draw3dRect(rectBtn, spGlobalData.clrBtnFace, spGlobalData.clrBtnDkShadow);
        rectBtn.DeflateRect(1, 1);
        pDC->Draw3dRect(rectBtn, spGlobalData.clrBtnHilite, spGlobalData.clrBtnShadow);
    } else {
        pDC->Draw3dRect(rectBtn, spGlobalData.clrBtnHilite, spGlobalData.clrBtnShadow);
    }
    rectBtn.DeflateRect(2, 2);
}

// ---------------------------------------------------------------------------
// Tabs

void CSPVisualManager::OnEraseTabsArea(CDC* pDC, CRect rect, CSPBaseTabWnd* /*pTabWnd*/) {
    pDC->FillRect(rect, &spGlobalData.brBtnFace);
}

void CSPVisualManager::DrawTabContent(CDC* pDC, CRect rectTab, BOOL /*bIsActive*/, const SPTabInfo& info,
                                      UINT uiLabelFormat) {
    const BOOL bHasImage = info.iImage != -1 || info.hIcon != NULL;
    const CSize sizeImage = bHasImage ? info.sizeImage : CSize(0, 0);
    if (sizeImage.cx + nTabImageMargin > rectTab.Width()) return;
    if (bHasImage) {
        const int y = rectTab.top + (rectTab.Height() - sizeImage.cy) / 2;
        if (info.hIcon != NULL) {
            ::DrawStateA(pDC->GetSafeHdc(), NULL, NULL, (LPARAM)info.hIcon, 0, rectTab.left + nTabImageMargin, y,
                         sizeImage.cx, sizeImage.cy, DST_ICON | DSS_NORMAL);
        } else if (info.himlImages != NULL) {
            ::ImageList_Draw(info.himlImages, info.iImage, pDC->GetSafeHdc(),
                             rectTab.left + nTabImageMargin, y, ILD_TRANSPARENT);
        }
    }
    CRect rectLabel = rectTab;
    rectLabel.left += sizeImage.cx + 2 * nTabImageMargin;
    CString strLabel = info.strLabel;
    pDC->DrawText(strLabel, rectLabel, uiLabelFormat | (info.bNoMnemonics ? DT_NOPREFIX : 0));
}

void CSPVisualManager::DrawTab3d(CDC* pDC, CRect rectTab, BOOL bIsActive, const SPTabInfo& info) {
    const BOOL bTop = info.nLocation == 1;
    if (!bIsActive) {
        if (bTop) rectTab.top += 2;
        else rectTab.bottom -= 2;
        if (info.clrBack != (COLORREF)-1) {
            CRect rectFill = rectTab;
            rectFill.DeflateRect(1, 1);
            pDC->FillSolidRect(rectFill, info.clrBack);
        }
    }
    CPen penHilite(PS_SOLID, 1, spGlobalData.clrBtnHilite);
    CPen penShadow(PS_SOLID, 1, spGlobalData.clrBtnShadow);
    HDC hdc = pDC->GetSafeHdc();
    const int l = rectTab.left, t = rectTab.top, r = rectTab.right - 1, b = rectTab.bottom - 1;
    {
        CSelectObject selPen(hdc, penHilite.GetSafeHandle());
        if (bTop) {
            // the outer side is the top
            ::MoveToEx(hdc, l, b, NULL);
            ::LineTo(hdc, l, t + 2);
            ::LineTo(hdc, l + 2, t);
            ::LineTo(hdc, r - 1, t);
            ::SelectObject(hdc, ::GetStockObject(BLACK_PEN));
            ::LineTo(hdc, r, t + 1);
            ::LineTo(hdc, r, b + 1);
            ::SelectObject(hdc, penShadow.GetSafeHandle());
            ::MoveToEx(hdc, r - 1, t + 1, NULL);
            ::LineTo(hdc, r - 1, b + 1);
        } else {
            // the outer side is the bottom
            ::MoveToEx(hdc, l, t, NULL);
            ::LineTo(hdc, l, b - 1);
            ::SelectObject(hdc, ::GetStockObject(BLACK_PEN));
            ::LineTo(hdc, l + 2, b + 1);
            ::MoveToEx(hdc, l + 2, b, NULL);
            ::LineTo(hdc, r - 1, b);
            ::LineTo(hdc, r, b - 1);
            ::LineTo(hdc, r, t - 1);
            ::SelectObject(hdc, penShadow.GetSafeHandle());
            ::MoveToEx(hdc, l + 2, b - 1, NULL);
            ::LineTo(hdc, r - 1, b - 1);
            ::LineTo(hdc, r - 1, t - 1);
        }
    }
    if (bIsActive) {
        if (bTop) pDC->FillSolidRect(l + 1, b - 1, r - l - 1, 3, spGlobalData.clrBtnFace);
        else pDC->FillSolidRect(l + 1, t - 2, r - l - 1, 3, spGlobalData.clrBtnFace);
    }
}

void CSPVisualManager::OnDrawTab(CDC* pDC, CRect rectTab, int iTab, BOOL bIsActive, CSPBaseTabWnd* pTabWnd) {
    const SPTabInfo info = SPClientHooks::GetTabInfo(pTabWnd, iTab);
    COLORREF clrOldText = (COLORREF)-1;
    if (!bIsActive && info.clrText != (COLORREF)-1) clrOldText = pDC->SetTextColor(info.clrText);
    const int nOldMode = pDC->SetBkMode(TRANSPARENT);

    if (info.bFlatTabs) {
        const int h2 = rectTab.Height() / 2;
        POINT pts[4];
        CRect rectText = rectTab;
        if (info.nLocation == 1) {
            pts[0].x = rectTab.left + h2; pts[0].y = rectTab.top + 1;
            pts[1].x = rectTab.left;      pts[1].y = rectTab.bottom;
            pts[2].x = rectTab.right;     pts[2].y = rectTab.bottom;
            pts[3].x = rectTab.right - h2; pts[3].y = rectTab.top + 1;
            rectText.OffsetRect(2, 1);
        } else {
            pts[0].x = rectTab.left;       pts[0].y = rectTab.top;
            pts[1].x = rectTab.left + h2;  pts[1].y = rectTab.bottom - 1;
            pts[2].x = rectTab.right - h2; pts[2].y = rectTab.bottom - 1;
            pts[3].x = rectTab.right;      pts[3].y = rectTab.top;
        }
        {
            // A tab of its own colour; the others keep the DC's brush.
            CBrush brBack;
            if (!bIsActive && info.clrBack != (COLORREF)-1) brBack.CreateSolidBrush(info.clrBack);
            CSelectObject selBrush(pDC->GetSafeHdc(), brBack.GetSafeHandle());
            pDC->Polygon(pts, 4);
        }
        CString strLabel = info.strLabel;
        pDC->DrawText(strLabel, rectText,
                      DT_CENTER | DT_VCENTER | DT_SINGLELINE | (info.bNoMnemonics ? DT_NOPREFIX : 0));
    } else {
        DrawTab3d(pDC, rectTab, bIsActive, info);
        DrawTabContent(pDC, rectTab, bIsActive, info, DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS);
    }

    pDC->SetBkMode(nOldMode);
    if (clrOldText != (COLORREF)-1) pDC->SetTextColor(clrOldText);
}

// ---------------------------------------------------------------------------
// Push buttons

void CSPVisualManager::OnFillPushButtonBackground(CDC* pDC, CRect rect, CSPButton* /*pButton*/,
                                                  CSPTabWnd* /*pParentTab*/) {
    pDC->FillRect(rect, &spGlobalData.brBtnFace);
}

void CSPVisualManager::OnDrawPushButtonBorder(CDC* pDC, CRect& rect, CSPButton* pButton, UINT uiState,
                                              CSPTabWnd* /*pParentTab*/) {
    const SPButtonInfo info = SPClientHooks::GetButtonInfo(pButton);
    if ((info.bPushed && info.bHighlighted) || (uiState & ODS_SELECTED)) {
        pDC->Draw3dRect(rect, spGlobalData.clrBtnDkShadow, spGlobalData.clrBtnHilite);
        rect.OffsetRect(2, 2);
        rect.DeflateRect(2, 2);
    } else {
        pDC->Draw3dRect(rect, spGlobalData.clrBtnHilite, spGlobalData.clrBtnDkShadow);
        rect.DeflateRect(2, 2);
    }
}

// ---------------------------------------------------------------------------
// Lists, frames, headers

COLORREF CSPVisualManager::OnFillCommandsListBackground(CDC* pDC, CRect rect, BOOL bIsSelected) {
    if (bIsSelected) {
        pDC->FillRect(rect, &spGlobalData.brHilite);
        return ::GetSysColor(COLOR_HIGHLIGHTTEXT);
    }
    pDC->FillRect(rect, &spGlobalData.brBtnFace);
    return spGlobalData.clrBtnText;
}

CSize CSPVisualManager::GetButtonExtraBorder() const { return CSize(0, 0); }

COLORREF CSPVisualManager::OnFillMiniFrameCaption(CDC* pDC, CRect rectCaption, CSPMiniFrameWnd* pFrameWnd,
                                                  BOOL bActive) {
    const BOOL bToolBar =
        SPClientHooks::GetMiniFrame(reinterpret_cast<CWnd*>(pFrameWnd)) != NULL &&
        SPClientHooks::GetMiniFrame(reinterpret_cast<CWnd*>(pFrameWnd))->HoldsToolBar();
    ::FillRect(pDC->GetSafeHdc(), rectCaption,
               ::GetSysColorBrush(bActive || bToolBar ? COLOR_ACTIVECAPTION : COLOR_INACTIVECAPTION));
    return ::GetSysColor(COLOR_CAPTIONTEXT);
}

void CSPVisualManager::OnDrawFloatingToolbarBorder(CDC* pDC, CSPBaseToolBar* /*pToolBar*/, CRect rectBorder,
                                                   CRect /*rectBorderSize*/) {
    pDC->Draw3dRect(rectBorder, spGlobalData.clrBtnFace, spGlobalData.clrBtnDkShadow);
    rectBorder.DeflateRect(1, 1);
    pDC->Draw3dRect(rectBorder, spGlobalData.clrBtnHilite, spGlobalData.clrBtnShadow);
    rectBorder.DeflateRect(1, 1);
    pDC->Draw3dRect(rectBorder, spGlobalData.clrBtnFace, spGlobalData.clrBtnFace);
}

void CSPVisualManager::OnDrawHeaderCtrlBorder(CSPHeaderCtrl* /*pCtrl*/, CDC* pDC, CRect& rect, BOOL bIsPressed,
                                              BOOL /*bIsHighlighted*/) {
    if (bIsPressed) {
        pDC->Draw3dRect(rect, spGlobalData.clrBtnShadow, spGlobalData.clrBtnShadow);
        rect.left++;
        rect.top++;
    } else {
        pDC->Draw3dRect(rect, spGlobalData.clrBtnHilite, spGlobalData.clrBtnShadow);
    }
}

void CSPVisualManager::OnDrawHeaderCtrlSortArrow(CSPHeaderCtrl* /*pCtrl*/, CDC* pDC, CRect& rect, BOOL bIsUp) {
    CPen penLight(PS_SOLID, 1, spGlobalData.clrBtnHilite);
    CPen penDark(PS_SOLID, 1, spGlobalData.clrBtnDkShadow);
    HDC hdc = pDC->GetSafeHdc();
    CSelectObject selPen(hdc, penLight.GetSafeHandle());
    const int xCentre = rect.CenterPoint().x;
    if (bIsUp) {
        ::MoveToEx(hdc, rect.left, rect.bottom, NULL);
        ::LineTo(hdc, rect.right, rect.bottom);
        ::LineTo(hdc, xCentre, rect.top);
        ::SelectObject(hdc, penDark.GetSafeHandle());
        ::LineTo(hdc, rect.left, rect.bottom);
    } else {
        ::MoveToEx(hdc, rect.right, rect.top, NULL);
        ::LineTo(hdc, xCentre, rect.bottom);
        ::SelectObject(hdc, penDark.GetSafeHandle());
        ::LineTo(hdc, rect.left, rect.top);
        ::LineTo(hdc, rect.right, rect.top);
    }
}

// ---------------------------------------------------------------------------
// Task panes

void CSPVisualManager::OnFillTasksPaneBackground(CDC* pDC, CRect rectWorkArea) {
    ::FillRect(pDC->GetSafeHdc(), rectWorkArea, ::GetSysColorBrush(COLOR_WINDOW));
}

void CSPVisualManager::DrawTasksGroupCaptionBase(CDC* pDC, const SPTasksGroupInfo& group, BOOL bIsHighlighted,
                                                 BOOL bCanCollapse) {
    const CRect& rectCaption = group.rect;
    pDC->FillRect(rectCaption, group.bIsSpecial ? &spGlobalData.brHilite : &spGlobalData.brBtnFace);

    {
        CSelectObject selFont(pDC, &spGlobalData.fontBold);
        const COLORREF clrOldText =
            pDC->SetTextColor(::GetSysColor(group.bIsSpecial ? COLOR_WINDOW : COLOR_WINDOWTEXT));
        const int nOldMode = pDC->SetBkMode(TRANSPARENT);
        CRect rectText = rectCaption;
        rectText.left += m_nGroupCaptionHorzOffset;
        rectText.top += m_nGroupCaptionVertOffset;
        CString strName = group.strName;
        pDC->DrawText(strName, rectText, DT_SINGLELINE);
        pDC->SetBkMode(nOldMode);
        pDC->SetTextColor(clrOldText);
    }

    if (bCanCollapse && !group.strName.IsEmpty()) {
        const CSize sizeGlyph = CSPMenuImages::Size();
        const CPoint pt(rectCaption.right - sizeGlyph.cx - m_nGroupCaptionHorzOffset / 2,
                        rectCaption.top + (rectCaption.Height() - sizeGlyph.cy) / 2);
        if (bIsHighlighted) {
            CRect rectFrame(pt, sizeGlyph);
            rectFrame.InflateRect(2, 2);
            pDC->Draw3dRect(rectFrame, ::GetSysColor(COLOR_WINDOW), spGlobalData.clrBtnShadow);
        }
        CSPMenuImages::Draw(pDC, group.bIsCollapsed ? CSPMenuImages::IdArowDown : CSPMenuImages::IdArowUp, pt);
    }
}

void CSPVisualManager::OnDrawTasksGroupCaption(CDC* pDC, CSPTasksGroup* pGroup, BOOL bIsHighlighted,
                                               BOOL /*bUsePushButton*/, BOOL bCanCollapse) {
    DrawTasksGroupCaptionBase(pDC, SPClientHooks::GetTasksGroupInfo(pGroup), bIsHighlighted, bCanCollapse);
}

void CSPVisualManager::OnDrawTasksGroupDecoration(CDC* /*pDC*/, CRect /*rect*/) {}

void CSPVisualManager::OnFillTasksGroupInterior(CDC* /*pDC*/, CRect /*rect*/, BOOL /*bSpecial*/) {}

void CSPVisualManager::OnDrawTasksGroupAreaBorder(CDC* pDC, CRect rect, BOOL bSpecial, BOOL bNoTitle) {
    CPen pen(PS_SOLID, 1, bSpecial ? spGlobalData.clrHilite : spGlobalData.clrBtnFace);
    HDC hdc = pDC->GetSafeHdc();
    CSelectObject selPen(hdc, pen.GetSafeHandle());
    ::MoveToEx(hdc, rect.left, rect.top, NULL);
    ::LineTo(hdc, rect.left, rect.bottom - 1);
    ::LineTo(hdc, rect.right - 1, rect.bottom - 1);
    ::LineTo(hdc, rect.right - 1, rect.top);
    if (bNoTitle) ::LineTo(hdc, rect.left, rect.top);
}

CRect CSPVisualManager::DrawTaskIcon(CDC* pDC, const SPTaskInfo& task, CImageList* pIcons) const {
    int cxIcon = 0, cyIcon = 0;
    HIMAGELIST himl = SPGetImageListHandle(pIcons);
    if (himl != NULL) ::ImageList_GetIconSize(himl, &cxIcon, &cyIcon);
    if (task.nIcon >= 0 && himl != NULL && cxIcon > 0) {
        ::ImageList_Draw(himl, task.nIcon, pDC->GetSafeHdc(), task.rect.left, task.rect.top, ILD_TRANSPARENT);
    }
    CRect rectText = task.rect;
    rectText.left += cxIcon + m_nTasksIconHorzOffset;
    return rectText;
}

void CSPVisualManager::DrawTaskLabel(CDC* pDC, CRect rectText, const CString& strName, CFont* pFont) {
    CSelectObject selFont(pDC, pFont);
    const int nOldMode = pDC->SetBkMode(TRANSPARENT);
    CString strText = strName;
    pDC->DrawText(strText, rectText, DT_SINGLELINE | DT_VCENTER);
    pDC->SetBkMode(nOldMode);
}

void CSPVisualManager::OnDrawTask(CDC* pDC, CSPTask* pTask, CImageList* pIcons, BOOL bIsHighlighted,
                                  BOOL /*bIsSelected*/) {
    const SPTaskInfo task = SPClientHooks::GetTaskInfo(pTask);
    const CRect rectText = DrawTaskIcon(pDC, task, pIcons);
    DrawTaskLabel(pDC, rectText, task.strName,
                  task.bIsLink && bIsHighlighted ? &spGlobalData.fontUnderline : &spGlobalData.fontRegular);
}

int CSPVisualManager::GetMenuImageMargin() const { return 2; }

BOOL CSPVisualManager::IsLook2000Allowed() const { return TRUE; }
