#include "SPVisualManagerXP.h"
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

IMPLEMENT_DYNCREATE(CSPVisualManagerXP, CSPVisualManager)

static inline double Min1(double d) { return d < 1.0 ? d : 1.0; }

CSPVisualManagerXP::CSPVisualManagerXP(BOOL bTemporary) : CSPVisualManager(bTemporary) {
    m_nLook = 1;
    m_nMenuShadowDepth = 4;
    m_bFlatLook = TRUE;
    m_bLook2 = TRUE;
    m_bEmbossDisabledImage = FALSE;
    m_bLook4 = TRUE;
    m_nVertMargin = 4;
    m_nHorzMargin = 4;
    m_nGroupVertOffset = 4;
    m_nGroupCaptionHeight = 0;
    m_nGroupCaptionHorzOffset = 0;
    m_nGroupCaptionVertOffset = 0;
    m_nTasksHorzOffset = 12;
    m_nTasksIconHorzOffset = 5;
    m_nTasksIconVertOffset = 4;
    m_nTasksTextGap = 0;
    m_bConnectMenuToParent = TRUE;
    m_clrBarFace = m_clrMenuLight = m_clrBarDark = m_clrHighlight = m_clrHighlightDn = 0;
    m_clrHighlightChecked = m_clrPaneBorder = m_clrGripper = m_clrMenuBorder = m_clrMenuItemBorder = 0;
    CSPVisualManagerXP::OnUpdateSystemColors();
}

CSPVisualManagerXP::~CSPVisualManagerXP() { DeleteObjects(); }

void CSPVisualManagerXP::DeleteObjects() {
    // in reverse order of declaration
    m_brFloatingToolbarBorder.DeleteObject();
    m_penSeparator.DeleteObject();
    m_brHighlightChecked.DeleteObject();
    m_brHighlightDn.DeleteObject();
    m_brHighlight.DeleteObject();
    m_brTabBack.DeleteObject();
    m_brMenuLight.DeleteObject();
    m_brBarFace.DeleteObject();
    m_brVertStripes.DeleteObject();
    m_brHorzStripes.DeleteObject();
}

BOOL CSPVisualManagerXP::IsLightColor(COLORREF clr) {
    return GetRValue(clr) >= 129 && GetGValue(clr) >= 129 && GetBValue(clr) >= 129;
}

void CSPVisualManagerXP::OnUpdateSystemColors() {
    CSPVisualManager::OnUpdateSystemColors();
    DeleteObjects();

    const COLORREF clrFace = spGlobalData.clrBtnFace;
    const COLORREF clrShadow = spGlobalData.clrBtnShadow;
    const COLORREF clrWindow = ::GetSysColor(COLOR_WINDOW);
    COLORREF clrTabBack, clrSeparator, clrFloatingBorder;

    if (spGlobalData.nBitsPerPixel <= 8) {
        m_clrMenuLight = clrWindow;
        m_clrBarFace = m_clrHighlight = m_clrHighlightDn = clrFace;
        m_clrHighlightChecked = clrWindow;
        m_clrBarDark = spGlobalData.clrBtnDkShadow;
        clrTabBack = clrFace;
        m_clrGripper = m_clrPaneBorder = clrShadow;
        m_clrMenuBorder = spGlobalData.clrBtnDkShadow;
        clrSeparator = clrFloatingBorder = clrShadow;
    } else {
        double H, L, S;
        CSPDrawEffects::RGBToHLS(clrFace, &H, &L, &S);

        m_clrMenuLight = CSPDrawEffects::ScaleColorChannels(clrWindow, 0.976, 0.973, 0.969);

        if (S < 0.1) {
            clrTabBack = CSPDrawEffects::HLSToRGB(H, Min1(L + (1 - L) / 2), S == 0 ? 0 : Min1(S + 0.1));
        } else {
            clrTabBack = CSPDrawEffects::HLSToRGB(H, Min1((L + 1) / 2), Min1(2 * S));
        }

        m_clrBarFace = CSPDrawEffects::HLSToRGB(H, Min1(1.03 * L), S);
        m_clrBarDark = CSPDrawEffects::HLSToRGB(H, 0.4 * L, S);

        const COLORREF clrSel = spGlobalData.clrHilite;
        const COLORREF clrMix = RGB((GetRValue(clrSel) + 2 * GetRValue(m_clrMenuLight)) / 3,
                                    (GetGValue(clrSel) + 2 * GetGValue(m_clrMenuLight)) / 3,
                                    (GetBValue(clrSel) + 2 * GetBValue(m_clrMenuLight)) / 3);
        m_clrHighlight = CSPDrawEffects::ScaleColor(clrMix, 110);
        m_clrHighlightDn = CSPDrawEffects::ScaleColorChannels(m_clrHighlight, 0.87, 0.87, 0.87);
        m_clrHighlightChecked = RGB((GetRValue(clrSel) + 5 * GetRValue(m_clrMenuLight)) / 6,
                                    (GetGValue(clrSel) + 5 * GetGValue(m_clrMenuLight)) / 6,
                                    (GetBValue(clrSel) + 5 * GetBValue(m_clrMenuLight)) / 6);

        clrSeparator = CSPDrawEffects::ScaleColorChannels(clrFace, 0.86, 0.86, 0.86);
        m_clrPaneBorder = clrShadow;
        m_clrMenuBorder = CSPDrawEffects::ScaleColor(clrFace, 55);
        clrFloatingBorder = CSPDrawEffects::ScaleColorChannels(clrShadow, 0.85, 0.85, 0.85);
        m_clrGripper = CSPDrawEffects::ScaleColor(clrShadow, 110);
    }
    m_clrMenuItemBorder = spGlobalData.clrHilite;

    m_brBarFace.CreateSolidBrush(m_clrBarFace);
    m_brMenuLight.CreateSolidBrush(m_clrMenuLight);
    m_brTabBack.CreateSolidBrush(clrTabBack);
    m_brHighlight.CreateSolidBrush(m_clrHighlight);
    m_brHighlightDn.CreateSolidBrush(m_clrHighlightDn);
    m_brHighlightChecked.CreateSolidBrush(m_clrHighlightChecked);
    m_penSeparator.CreatePen(PS_SOLID, 1, clrSeparator);
    m_brFloatingToolbarBorder.CreateSolidBrush(clrFloatingBorder);
}

void CSPVisualManagerXP::CreatePatternBrushes() {
    m_brHorzStripes.DeleteObject();
    m_brVertStripes.DeleteObject();
    WORD horz[8] = {0xFF, 0x00, 0xFF, 0x00, 0xFF, 0x00, 0xFF, 0x00};
    WORD vert[8] = {0xAA, 0xAA, 0xAA, 0xAA, 0xAA, 0xAA, 0xAA, 0xAA};
    HBITMAP hbm = ::CreateBitmap(8, 8, 1, 1, horz);
    if (hbm != NULL) {
        m_brHorzStripes.Attach(::CreatePatternBrush(hbm));
        ::DeleteObject(hbm);
    }
    hbm = ::CreateBitmap(8, 8, 1, 1, vert);
    if (hbm != NULL) {
        m_brVertStripes.Attach(::CreatePatternBrush(hbm));
        ::DeleteObject(hbm);
    }
}

void CSPVisualManagerXP::ExtendMenuButtonRect(CSPToolbarMenuButton* pMenuButton, CRect& rect) {
    CSPPopupMenu* pPopupMenu = SPClientHooks::GetToolbarButtonInfo(pMenuButton).pPopupMenu;
    if (pPopupMenu == NULL) return;
    const SPPopupMenuInfo info = SPClientHooks::GetPopupMenuInfo(pPopupMenu);
    switch (info.nDropDirection) {
    case 1: rect.bottom += 4; break;
    case 2: rect.top -= 4; break;
    case 3: rect.right += 4; break;
    case 4: rect.left -= 4; break;
    }
}

// ---------------------------------------------------------------------------
// Bars

void CSPVisualManagerXP::OnFillBarBackground(CDC* pDC, CSPBaseControlBar* pBar, CRect rectClient, CRect rectClip,
                                             BOOL bNCArea) {
    const SPBarInfo info = SPClientHooks::GetBarInfo(pBar);
    CWnd* pWnd = info.pWnd;
    // Only a library bar describes itself (and so names its window).
    if (pWnd == NULL || SPIsKindOf(pWnd, "CSPMenuBar") || SPClientHooks::GetOwnBackground(pBar) != NULL) {
        CSPVisualManager::OnFillBarBackground(pDC, pBar, rectClient, rectClip, bNCArea);
        return;
    }
    const CRect rectFill = rectClip.IsRectEmpty() ? rectClient : rectClip;
    if (info.bColorBar) {
        pDC->FillRect(rectFill, info.bOnToolBar ? &m_brBarFace : &m_brMenuLight);
        return;
    }
    if (info.bPopupMenuBar) {
        pDC->FillRect(rectFill, &m_brMenuLight);
        if (!info.bHideImages) {
            CRect rectImages = rectClient;
            rectImages.right = rectImages.left + CSPToolbarSharedState::GetMenuImageSize().cx + 2 * GetMenuImageMargin() + 1;
            pDC->FillRect(rectImages, &m_brBarFace);
        }
        return;
    }
    if (info.bToolBar) {
        pDC->FillRect(rectFill, &m_brBarFace);
        return;
    }
    if (info.bAutoHideDockBar) {
        pDC->FillRect(rectFill, &m_brTabBack);
        return;
    }
    CSPVisualManager::OnFillBarBackground(pDC, pBar, rectClient, rectClip, bNCArea);
}

void CSPVisualManagerXP::OnDrawBarBorder(CDC* pDC, CSPBaseControlBar* pBar, CRect& rect) {
    const SPBarInfo info = SPClientHooks::GetBarInfo(pBar);
    if (info.bDrawsOwnBorder) return;
    const DWORD dwStyle = info.dwStyle;
    if ((dwStyle & CBRS_BORDER_ANY) == 0) return;
    const COLORREF clrOldBk = pDC->GetBkColor();
    const COLORREF clr = spGlobalData.clrBtnFace;
    if (dwStyle & CBRS_BORDER_LEFT) pDC->FillSolidRect(rect.left, rect.top, 1, rect.Height() - 1, clr);
    if (dwStyle & CBRS_BORDER_TOP) pDC->FillSolidRect(rect.left, rect.top, rect.Width() - 1, 1, clr);
    if (dwStyle & CBRS_BORDER_RIGHT) pDC->FillSolidRect(rect.right - 1, rect.top, 1, rect.Height(), clr);
    if (dwStyle & CBRS_BORDER_BOTTOM) pDC->FillSolidRect(rect.left, rect.bottom - 1, rect.Width() - 1, 1, clr);
    if (dwStyle & CBRS_BORDER_LEFT) rect.left++;
    if (dwStyle & CBRS_BORDER_TOP) rect.top++;
    if (dwStyle & CBRS_BORDER_RIGHT) rect.right--;
    if (dwStyle & CBRS_BORDER_BOTTOM) rect.bottom--;
    pDC->SetBkColor(clrOldBk);
}

void CSPVisualManagerXP::OnDrawMenuBorder(CDC* pDC, CSPPopupMenu* pMenu, CRect rect) {
    const CRect rectMenu = rect;
    pDC->Draw3dRect(rect, m_clrMenuBorder, m_clrMenuBorder);
    rect.DeflateRect(1, 1);
    pDC->Draw3dRect(rect, m_clrMenuLight, m_clrMenuLight);
    pDC->FillSolidRect(rectMenu.left + 1, rectMenu.top + 1, 1, rectMenu.Height() - 2, m_clrBarFace);

    const SPPopupMenuInfo info = SPClientHooks::GetPopupMenuInfo(pMenu);
    if (info.pParentButton == NULL || !m_bConnectMenuToParent || g_bCustomizeMode || info.bHasParentPopupMenu)
        return;
    const SPToolbarButtonInfo button = SPClientHooks::GetToolbarButtonInfo(info.pParentButton);
    if (!button.bJoinsMenuBorder) return;
    const int cxButton = button.rect.Width(), cyButton = button.rect.Height();
    switch (info.nDropDirection) {
    case 1: pDC->FillSolidRect(rectMenu.left + 1, rectMenu.top, cxButton - 2, 1, m_clrBarFace); break;
    case 2: pDC->FillSolidRect(rectMenu.left + 1, rectMenu.bottom - 1, cxButton - 2, 1, m_clrBarFace); break;
    case 3: pDC->FillSolidRect(rectMenu.left, rectMenu.top + 1, 1, cyButton - 2, m_clrBarFace); break;
    case 4: pDC->FillSolidRect(rectMenu.right - 1, rectMenu.top + 1, 1, cyButton - 2, m_clrBarFace); break;
    }
}

void CSPVisualManagerXP::OnDrawBarGripper(CDC* pDC, CRect rectGripper, BOOL bHorz, CSPBaseControlBar* pBar) {
    if (m_brHorzStripes.GetSafeHandle() == NULL || m_brVertStripes.GetSafeHandle() == NULL) CreatePatternBrushes();
    const SPBarInfo info = SPClientHooks::GetBarInfo(pBar);
    const BOOL bDocking = info.bDockingPane;
    const BOOL bMenuBar = SPIsKindOf(info.pWnd, "CSPMenuBar");
    const BOOL bHorzLook = bDocking ? !bHorz : bHorz;

    CRect rectStrip = rectGripper;
    if (bDocking) {
        rectStrip.DeflateRect(4, 0);
    } else if (bHorzLook) {
        const int xCentre = (rectGripper.left + rectGripper.right) / 2;
        rectStrip.SetRect(xCentre - 1, rectGripper.top + 5, xCentre + 2, rectGripper.bottom - 5);
    } else {
        const int yCentre = (rectGripper.top + rectGripper.bottom) / 2;
        rectStrip.SetRect(rectGripper.left + 5, yCentre - 1, rectGripper.right - 5, yCentre + 2);
    }
    const COLORREF clrOldText = pDC->SetTextColor(m_clrGripper);
    const COLORREF clrOldBk = pDC->SetBkColor(bDocking || bMenuBar ? spGlobalData.clrBtnFace : m_clrBarFace);
    if (!rectStrip.IsRectEmpty()) pDC->FillRect(rectStrip, bHorzLook ? &m_brHorzStripes : &m_brVertStripes);

    if (bDocking && info.pWnd != NULL) {
        const int nOldMode = pDC->SetBkMode(OPAQUE);
        pDC->SetBkColor(spGlobalData.clrBtnFace);
        pDC->SetTextColor(spGlobalData.clrBtnText);
        CSelectObject selFont(pDC, SPClientHooks::GetMenuFont(bHorzLook));
        CString strTitle;
        info.pWnd->GetWindowText(strTitle);
        strTitle = " " + strTitle + " ";
        TEXTMETRIC tm;
        pDC->GetTextMetrics(&tm);
        if (bHorzLook) {
            CRect rectText = rectGripper;
            rectText.top += (rectGripper.Height() - tm.tmHeight - 1) / 2;
            pDC->DrawText(strTitle, rectText, 0);
        } else {
            CRect rectText(rectGripper.right - (rectGripper.Width() - tm.tmHeight + 1) / 2, rectGripper.top,
                           rectGripper.right, rectGripper.top);
            pDC->DrawText(strTitle, rectText, DT_NOCLIP);
        }
        pDC->SetBkMode(nOldMode);
    }
    pDC->SetTextColor(clrOldText);
    pDC->SetBkColor(clrOldBk);
}

void CSPVisualManagerXP::OnDrawSeparator(CDC* pDC, CSPBaseControlBar* pBar, CRect rect, BOOL bHorz) {
    const SPBarInfo info = SPClientHooks::GetBarInfo(pBar);
    HDC hdc = pDC->GetSafeHdc();
    CSelectObject selPen(hdc, m_penSeparator.GetSafeHandle());
    if (bHorz) {
        const int x = rect.left + rect.Width() / 2;
        ::MoveToEx(hdc, x, rect.top, NULL);
        ::LineTo(hdc, x, rect.bottom);
    } else {
        const int y = rect.top + rect.Height() / 2;
        int xStart = rect.left;
        if (info.bPopupMenuBar) {
            xStart += CSPToolbarSharedState::GetMenuImageSize().cx + 2 * GetMenuImageMargin() + 1 + 4;
        }
        ::MoveToEx(hdc, xStart, y, NULL);
        ::LineTo(hdc, rect.right, y);
    }
}

COLORREF CSPVisualManagerXP::OnDrawControlBarCaption(CDC* pDC, CSPDockingControlBar* /*pBar*/, BOOL bActive,
                                                     CRect rectCaption, CRect /*rectButtons*/) {
    CPen pen(PS_SOLID, 1, bActive ? spGlobalData.clrBtnLight : spGlobalData.clrBtnShadow);
    HDC hdc = pDC->GetSafeHdc();
    CSelectObject selPen(hdc, pen.GetSafeHandle());
    CSelectObject selBrush(
        hdc, bActive ? (HGDIOBJ)::GetSysColorBrush(COLOR_ACTIVECAPTION) : spGlobalData.brBtnFace.GetSafeHandle());
    ::RoundRect(hdc, rectCaption.left, rectCaption.top, rectCaption.right, rectCaption.bottom, 2, 2);
    return ::GetSysColor(bActive ? COLOR_CAPTIONTEXT : COLOR_BTNTEXT);
}

void CSPVisualManagerXP::DrawCaptionButtonXP(CDC* pDC, const SPCaptionButtonInfo& info, BOOL bFlag1, BOOL bFlag2,
                                             BOOL bFlag3, BOOL bDisabled) {
    CRect rect = GetCaptionButtonRect(info);
    const BOOL bPushed = info.bPushed, bHot = info.bFocused;
    int state = CSPMenuImages::ImageBlack;
    if (bDisabled) {
        state = CSPMenuImages::ImageGray;
    } else if (bPushed && bHot) {
        pDC->FillRect(rect, &m_brHighlightDn);
        state = CSPMenuImages::ImageWhite;
    } else if (bPushed || bHot) {
        pDC->FillRect(rect, &m_brHighlight);
    } else if (bFlag1) {
        state = CSPMenuImages::ImageWhite;
    }
    const int nGlyph = GetCaptionButtonGlyph(info.nHit, bFlag2, bFlag3);
    if (nGlyph >= 0) {
        const CSize sizeGlyph = CSPMenuImages::Size();
        CSPMenuImages::Draw(pDC, nGlyph,
                            CPoint(rect.left + (rect.Width() - sizeGlyph.cx) / 2,
                                   rect.top + (rect.Height() - sizeGlyph.cy) / 2),
                            state);
    }
    if (!bDisabled && (bPushed || bHot)) {
        pDC->Draw3dRect(rect, spGlobalData.clrBtnDkShadow, spGlobalData.clrBtnDkShadow);
    }
}

void CSPVisualManagerXP::OnDrawCaptionButton(CDC* pDC, CSPCaptionButton* pButton, BOOL bFlag1, BOOL bFlag2,
                                             BOOL bFlag3, BOOL bDisabled) {
    DrawCaptionButtonXP(pDC, SPClientHooks::GetCaptionButtonInfo(pButton), bFlag1, bFlag2, bFlag3, bDisabled);
}

void CSPVisualManagerXP::OnDrawMenuSystemButton(CDC* pDC, CRect rect, UINT uiSystemCommand, UINT nStyle,
                                                BOOL bHighlight) {
    int nGlyph;
    switch (uiSystemCommand) {
    case SC_MINIMIZE: nGlyph = CSPMenuImages::IdMinimize; break;
    case SC_RESTORE: nGlyph = CSPMenuImages::IdRestore; break;
    case SC_CLOSE: nGlyph = CSPMenuImages::IdClose; break;
    default: return;
    }
    const BOOL bDisabled = (nStyle & TBBS_DISABLED) != 0;
    if (!bDisabled && bHighlight) {
        pDC->FillRect(rect, (nStyle & TBBS_PRESSED) ? &m_brHighlightDn : &m_brHighlight);
        pDC->Draw3dRect(rect, m_clrMenuItemBorder, m_clrMenuItemBorder);
    }
    const int state =
        bDisabled ? CSPMenuImages::ImageGray : (bHighlight ? CSPMenuImages::ImageWhite : CSPMenuImages::ImageBlack);
    const CSize sizeGlyph = CSPMenuImages::Size();
    CSPMenuImages::Draw(pDC, nGlyph,
                        CPoint(rect.left + (rect.Width() - sizeGlyph.cx) / 2,
                               rect.top + (rect.Height() - sizeGlyph.cy) / 2),
                        state);
}

void CSPVisualManagerXP::OnDrawStatusBarPaneBorder(CDC* pDC, CSPStatusBar* /*pBar*/, CRect rectPane,
                                                   UINT /*uiID*/, UINT nStyle) {
    if (nStyle & SBPS_NOBORDERS) return;
    if (nStyle & SBPS_POPOUT) {
        CSPDrawEffects dm(*pDC);
        dm.ScaleRectBrightness(rectPane);
        return;
    }
    pDC->Draw3dRect(rectPane, m_clrPaneBorder, m_clrPaneBorder);
}

// ---------------------------------------------------------------------------
// Combo and edit boxes, tear-off captions

void CSPVisualManagerXP::OnDrawComboDropButton(CDC* pDC, CRect rect, BOOL bDisabled, BOOL bIsDropped,
                                               BOOL /*bIsHighlighted*/, CSPToolbarComboBoxButton* /*pButton*/) {
    if (bDisabled) {
        pDC->FillRect(rect, &spGlobalData.brBtnFace);
        pDC->Draw3dRect(rect, spGlobalData.clrBtnHilite, spGlobalData.clrBtnHilite);
    } else {
        pDC->FillRect(rect, bIsDropped ? &m_brHighlightDn : &m_brHighlight);
        pDC->FillSolidRect(rect.left, rect.top, 1, rect.Height(), m_clrMenuItemBorder);
    }
    const CSize sizeGlyph = CSPMenuImages::Size();
    CSPMenuImages::Draw(pDC, CSPMenuImages::IdArowDown,
                        CPoint(rect.left + (rect.Width() - sizeGlyph.cx) / 2,
                               rect.top + (rect.Height() - sizeGlyph.cy) / 2),
                        bDisabled ? CSPMenuImages::ImageGray : CSPMenuImages::ImageBlack);
}

void CSPVisualManagerXP::OnDrawComboBorder(CDC* pDC, CRect rect, BOOL /*bDisabled*/, BOOL bIsDropped,
                                           BOOL bIsHighlighted, CSPToolbarComboBoxButton* /*pButton*/) {
    if (bIsHighlighted || bIsDropped) pDC->Draw3dRect(rect, m_clrMenuItemBorder, m_clrMenuItemBorder);
}

void CSPVisualManagerXP::OnDrawEditBorder(CDC* pDC, CRect rect, BOOL bDisabled, BOOL bIsHighlighted,
                                          CSPToolbarEditBoxButton* pButton) {
    if (bIsHighlighted) pDC->Draw3dRect(rect, m_clrMenuItemBorder, m_clrMenuItemBorder);
    else CSPVisualManager::OnDrawEditBorder(pDC, rect, bDisabled, bIsHighlighted, pButton);
}

void CSPVisualManagerXP::OnDrawTearOffCaption(CDC* pDC, CRect rect, BOOL bIsActive) {
    if (m_brHorzStripes.GetSafeHandle() == NULL) CreatePatternBrushes();
    pDC->FillRect(rect, &m_brMenuLight);
    CRect rectInner = rect;
    rectInner.DeflateRect(1, 1);
    pDC->FillRect(rectInner, bIsActive ? &m_brHighlight : &m_brBarFace);

    int cxGrip = 2 * CSPToolbarSharedState::GetMenuImageSize().cx;
    if (cxGrip < 20) cxGrip = 20;
    const int nInset = bIsActive ? 2 : 1;
    CRect rectGrip(rectInner.left + (rectInner.Width() - cxGrip) / 2, rectInner.top + nInset, 0,
                   rectInner.bottom - nInset);
    rectGrip.right = rectGrip.left + cxGrip;
    const COLORREF clrOldText = pDC->SetTextColor(bIsActive ? spGlobalData.clrBtnDkShadow : spGlobalData.clrBtnShadow);
    const COLORREF clrOldBk = pDC->SetBkColor(bIsActive ? m_clrHighlight : m_clrBarFace);
    if (!rectGrip.IsRectEmpty()) pDC->FillRect(rectGrip, &m_brHorzStripes);
    pDC->SetTextColor(clrOldText);
    pDC->SetBkColor(clrOldBk);
    if (bIsActive) pDC->Draw3dRect(rectInner, spGlobalData.clrBtnDkShadow, spGlobalData.clrBtnDkShadow);
}

// ---------------------------------------------------------------------------
// Toolbar buttons

void CSPVisualManagerXP::OnFillButtonInterior(CDC* pDC, CSPToolbarButton* pButton, CRect rect, int state) {
    if (pButton == NULL || state == ButtonsIsRegular || g_bCustomizeMode) return;
    const SPToolbarButtonInfo info = SPClientHooks::GetToolbarButtonInfo(pButton);
    CBrush* pBrush = (info.nStyle & TBBS_PRESSED) ? &m_brHighlightDn : &m_brHighlight;
    if (info.nStyle & TBBS_CHECKED) {
        pBrush = state == ButtonsIsHighlighted ? &m_brHighlightDn : &m_brHighlightChecked;
    }
    if ((info.nStyle & TBBS_DISABLED) && info.pMenuButton != NULL) pBrush = &m_brMenuLight;
    pDC->FillRect(rect, pBrush);
}

void CSPVisualManagerXP::OnDrawButtonBorder(CDC* pDC, CSPToolbarButton* pButton, CRect rect, int state) {
    if (pButton == NULL || state == ButtonsIsRegular) return;
    const SPToolbarButtonInfo button = SPClientHooks::GetToolbarButtonInfo(pButton);
    CSPToolbarMenuButton* pMenuButton = button.pMenuButton;
    const BOOL bMenuOpen = pMenuButton != NULL && button.pPopupMenu != NULL;
    COLORREF clrBorder = m_clrMenuItemBorder;
    if (bMenuOpen) {
        clrBorder = m_clrMenuBorder;
        ExtendMenuButtonRect(pMenuButton, rect);
        if (CSPToolbarSharedState::m_bMenuShadows && !g_bCustomizeMode && spGlobalData.nBitsPerPixel > 8) {
            CSPDrawEffects dm(*pDC);
            dm.DrawStateEffect(rect, 4, 100, 65);
        }
    }
    pDC->Draw3dRect(rect, clrBorder, clrBorder);
}

void CSPVisualManagerXP::OnFillHighlightedArea(CDC* pDC, CSPToolbarButton* pButton, CRect rect,
                                               CBrush* /*pBrush*/) {
    const BOOL bDisabled = (SPClientHooks::GetToolbarButtonInfo(pButton).nStyle & TBBS_DISABLED) != 0;
    pDC->FillRect(rect, bDisabled ? &m_brMenuLight : &m_brHighlight);
    pDC->Draw3dRect(rect, m_clrMenuItemBorder, m_clrMenuItemBorder);
    if (bDisabled) pDC->SetTextColor(spGlobalData.clrGrayedText);
    else if (!IsLightColor(m_clrHighlight)) pDC->SetTextColor(RGB(255, 255, 255));
}

void CSPVisualManagerXP::OnDrawButtonChecked(CDC* pDC, CRect rect) {
    CSPDrawEffects dm(*pDC);
    dm.ScaleRectBrightness(rect, 94);
}

COLORREF CSPVisualManagerXP::GetToolbarButtonTextColor(CSPToolbarButton* pButton, int state) {
    const SPToolbarButtonInfo info = SPClientHooks::GetToolbarButtonInfo(pButton);
    if (info.bOutlookButton) {
        const BOOL bDisabled = g_bCustomizeMode ? !info.bEditable : (info.nStyle & TBBS_DISABLED) != 0;
        return bDisabled ? spGlobalData.clrGrayedText : spGlobalData.clrBtnText;
    }
    if (pButton != NULL && state == ButtonsIsHighlighted && (info.nStyle & (TBBS_CHECKED | TBBS_PRESSED))) {
        return ::GetSysColor(COLOR_HIGHLIGHTTEXT);
    }
    return CSPVisualManager::GetToolbarButtonTextColor(pButton, state);
}

// ---------------------------------------------------------------------------
// Tabs

void CSPVisualManagerXP::OnEraseTabsArea(CDC* pDC, CRect rect, CSPBaseTabWnd* pTabWnd) {
    const SPTabInfo info = SPClientHooks::GetTabInfo(pTabWnd, -1);
    if (info.bFlatTabs) {
        CSPVisualManager::OnEraseTabsArea(pDC, rect, pTabWnd);
        return;
    }
    pDC->FillRect(rect, &m_brTabBack);
}

void CSPVisualManagerXP::OnDrawTab(CDC* pDC, CRect rectTab, int iTab, BOOL bIsActive, CSPBaseTabWnd* pTabWnd) {
    const SPTabInfo info = SPClientHooks::GetTabInfo(pTabWnd, iTab);
    if (info.bFlatTabs) {
        CSPVisualManager::OnDrawTab(pDC, rectTab, iTab, bIsActive, pTabWnd);
        return;
    }
    CPen penShadow(PS_SOLID, 1, spGlobalData.clrBtnShadow);
    CPen penDark(PS_SOLID, 1, spGlobalData.clrBtnText);
    CPen penLight(PS_SOLID, 1, spGlobalData.clrBtnHilite);
    HDC hdc = pDC->GetSafeHdc();
    CSelectObject selPen(hdc, penShadow.GetSafeHandle());  // images and label draw no lines

    if (iTab != info.iActiveTab - 1) {
        ::MoveToEx(hdc, rectTab.right, rectTab.top + 3, NULL);
        ::LineTo(hdc, rectTab.right, rectTab.bottom - 3);
    }
    if (bIsActive) {
        if (info.nLocation == 0) {
            CRect rectFill(rectTab.left, rectTab.top - (info.bExtraStyle ? 1 : 2), rectTab.right, rectTab.bottom);
            pDC->FillRect(rectFill, &spGlobalData.brBtnFace);
            ::SelectObject(hdc, penDark.GetSafeHandle());
            ::MoveToEx(hdc, rectTab.right, rectTab.top, NULL);
            ::LineTo(hdc, rectTab.right, rectTab.bottom);
            ::LineTo(hdc, rectTab.left, rectTab.bottom);
            ::SelectObject(hdc, penLight.GetSafeHandle());
            ::LineTo(hdc, rectTab.left, rectTab.top);
        } else {
            CRect rectFill(rectTab.left + 1, rectTab.top, rectTab.right, rectTab.bottom + 1);
            pDC->FillRect(rectFill, &spGlobalData.brBtnFace);
            ::SelectObject(hdc, penDark.GetSafeHandle());
            ::MoveToEx(hdc, rectTab.right, rectTab.bottom, NULL);
            ::LineTo(hdc, rectTab.right, rectTab.top - 1);
            ::SelectObject(hdc, penLight.GetSafeHandle());
            ::LineTo(hdc, rectTab.right, rectTab.top);
            ::LineTo(hdc, rectTab.left, rectTab.top);
            ::LineTo(hdc, rectTab.left, rectTab.bottom);
        }
    }

    const BOOL bHasImage = info.iImage != -1 || info.hIcon != NULL;
    const CSize sizeImage = bHasImage ? info.sizeImage : CSize(0, 0);
    if (sizeImage.cx + nTabImageMargin > rectTab.Width()) return;
    if (bHasImage) {
        int y = rectTab.top + (rectTab.Height() - sizeImage.cy) / 2;
        if (bIsActive && info.nLocation == 0) y--;
        if (info.hIcon != NULL) {
            ::DrawStateA(hdc, NULL, NULL, (LPARAM)info.hIcon, 0, rectTab.left + nTabImageMargin, y, sizeImage.cx,
                         sizeImage.cy, DST_ICON | DSS_NORMAL);
        } else if (info.himlImages != NULL && info.iImage != -1) {
            ::ImageList_Draw(info.himlImages, info.iImage, hdc, rectTab.left + nTabImageMargin, y,
                             ILD_TRANSPARENT);
        }
    }
    CRect rectLabel(rectTab.left + sizeImage.cx + 8, rectTab.top, rectTab.right, rectTab.bottom);
    const COLORREF clrOldText = pDC->SetTextColor(bIsActive ? spGlobalData.clrBtnText : m_clrBarDark);
    const int nOldMode = pDC->SetBkMode(TRANSPARENT);
    CString strLabel = info.strLabel;
    pDC->DrawText(strLabel, rectLabel,
                  DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | (info.nDrawOption != 0 ? DT_NOPREFIX : 0));
    pDC->SetBkMode(nOldMode);
    pDC->SetTextColor(clrOldText);
}

// ---------------------------------------------------------------------------
// Push buttons of tab windows

void CSPVisualManagerXP::OnFillPushButtonBackground(CDC* pDC, CRect rect, CSPButton* pButton,
                                                    CSPTabWnd* pParentTab) {
    const BOOL bFlat = SPClientHooks::IsFlatTabWnd(pParentTab);
    if (!bFlat) {
        pDC->FillRect(rect, &m_brTabBack);
        return;
    }
    const SPButtonInfo info = SPClientHooks::GetButtonInfo(pButton);
    if (info.bPushed && info.bHighlighted) pDC->FillRect(rect, &m_brHighlightDn);
    else if (info.bHighlighted) pDC->FillRect(rect, &m_brHighlight);
    else pDC->FillRect(rect, &spGlobalData.brBtnFace);
}

void CSPVisualManagerXP::OnDrawPushButtonBorder(CDC* pDC, CRect& rect, CSPButton* pButton, UINT /*uiState*/,
                                                CSPTabWnd* pParentTab) {
    const BOOL bFlat = SPClientHooks::IsFlatTabWnd(pParentTab);
    const SPButtonInfo info = SPClientHooks::GetButtonInfo(pButton);
    if (bFlat) {
        if (info.bPushed || info.bHighlighted)
            pDC->Draw3dRect(rect, spGlobalData.clrBtnDkShadow, spGlobalData.clrBtnDkShadow);
        return;
    }
    if (info.bPushed && info.bHighlighted) pDC->Draw3dRect(rect, spGlobalData.clrBtnDkShadow, m_clrGripper);
    else if (info.bPushed || info.bHighlighted) pDC->Draw3dRect(rect, m_clrGripper, spGlobalData.clrBtnDkShadow);
}

// ---------------------------------------------------------------------------
// Lists and frames

COLORREF CSPVisualManagerXP::OnFillCommandsListBackground(CDC* pDC, CRect rect, BOOL bIsSelected) {
    if (bIsSelected) {
        pDC->FillRect(rect, &m_brHighlight);
        pDC->Draw3dRect(rect, m_clrMenuItemBorder, m_clrMenuItemBorder);
        return IsLightColor(m_clrHighlight) ? RGB(0, 0, 0) : RGB(255, 255, 255);
    }
    CRect rectImages = rect;
    rectImages.right = rectImages.left + CSPToolbarSharedState::GetMenuImageSize().cx + 2 * GetMenuImageMargin() + 1;
    CRect rectRest = rect;
    rectRest.left = rectImages.right;
    pDC->FillRect(rectImages, &m_brBarFace);
    pDC->FillRect(rectRest, &m_brMenuLight);
    return spGlobalData.clrBtnText;
}

COLORREF CSPVisualManagerXP::OnFillMiniFrameCaption(CDC* pDC, CRect rectCaption, CSPMiniFrameWnd* pFrameWnd,
                                                    BOOL bActive) {
    const BOOL bToolBar =
        SPClientHooks::GetMiniFrame(reinterpret_cast<CWnd*>(pFrameWnd)) != NULL &&
        SPClientHooks::GetMiniFrame(reinterpret_cast<CWnd*>(pFrameWnd))->HoldsToolBar();
    if (bToolBar) {
        pDC->FillRect(rectCaption, &m_brFloatingToolbarBorder);
        return ::GetSysColor(COLOR_CAPTIONTEXT);
    }
    return CSPVisualManager::OnFillMiniFrameCaption(pDC, rectCaption, pFrameWnd, bActive);
}

void CSPVisualManagerXP::OnDrawFloatingToolbarBorder(CDC* pDC, CSPBaseToolBar* /*pToolBar*/, CRect rectBorder,
                                                     CRect rectBorderSize) {
    HDC hdc = pDC->GetSafeHdc();
    const CRect& r = rectBorder;
    const CRect& s = rectBorderSize;
    CSelectObject selBrush(hdc, m_brFloatingToolbarBorder.GetSafeHandle());
    ::PatBlt(hdc, r.left, r.top + 1, s.left, r.Height() - 2, PATCOPY);
    ::PatBlt(hdc, r.left + 1, r.top, r.Width() - 2, s.top, PATCOPY);
    ::PatBlt(hdc, r.right - s.right, r.top + 1, s.right, r.Height() - 2, PATCOPY);
    ::PatBlt(hdc, r.left + 1, r.bottom - s.bottom, r.Width() - 2, s.bottom, PATCOPY);
    ::SelectObject(hdc, spGlobalData.brBtnFace.GetSafeHandle());
    CRect rectInner(r.left + s.left, r.top + s.top, r.right - s.right, r.bottom - s.bottom);
    ::PatBlt(hdc, rectInner.left, rectInner.top + 1, 1, rectInner.Height() - 2, PATCOPY);
    ::PatBlt(hdc, rectInner.left + 1, rectInner.top, rectInner.Width() - 2, 1, PATCOPY);
    ::PatBlt(hdc, rectInner.right - 1, rectInner.top + 1, 1, rectInner.Height() - 2, PATCOPY);
    ::PatBlt(hdc, rectInner.left + 1, rectInner.bottom - 1, rectInner.Width() - 2, 1, PATCOPY);
}

// ---------------------------------------------------------------------------
// Task panes

void CSPVisualManagerXP::OnFillTasksPaneBackground(CDC* pDC, CRect rectWorkArea) {
    ::FillRect(pDC->GetSafeHdc(), rectWorkArea, ::GetSysColorBrush(COLOR_WINDOW));
}

void CSPVisualManagerXP::DrawTasksGroupCaptionText(CDC* pDC, const SPTasksGroupInfo& group, COLORREF clrText) {
    const CRect& rectCaption = group.rect;
    CRect rectText;
    rectText.left = rectCaption.left + m_nGroupCaptionHorzOffset;
    rectText.top = rectCaption.top + m_nGroupCaptionVertOffset;
    rectText.right = rectCaption.right - rectCaption.Height();
    if (rectText.right < rectText.left) rectText.right = rectText.left;
    rectText.bottom = rectCaption.bottom;

    CSelectObject selFont(pDC, &spGlobalData.fontBold);
    const COLORREF clrOldText = pDC->SetTextColor(clrText);
    const int nOldMode = pDC->SetBkMode(TRANSPARENT);
    CString strName = group.strName;
    pDC->DrawText(strName, rectText, DT_SINGLELINE);
    pDC->SetBkMode(nOldMode);
    pDC->SetTextColor(clrOldText);
}

void CSPVisualManagerXP::DrawTasksGroupCaptionXP(CDC* pDC, const SPTasksGroupInfo& group, BOOL bIsHighlighted,
                                                 BOOL bCanCollapse) {
    const CRect& rectCaption = group.rect;
    DrawTasksGroupCaptionText(pDC, group, ::GetSysColor(COLOR_WINDOWTEXT));

    if (!bCanCollapse || group.strName.IsEmpty()) return;
    const CSize sizeGlyph = CSPMenuImages::Size();
    CRect rectGlyph(rectCaption.right - sizeGlyph.cx, rectCaption.bottom - sizeGlyph.cy, rectCaption.right,
                    rectCaption.bottom);
    if (rectGlyph.left < rectCaption.left) rectGlyph.left = rectCaption.left;
    if (rectGlyph.top < rectCaption.top) rectGlyph.top = rectCaption.top;
    if (bIsHighlighted) {
        CPen pen(PS_SOLID, 1, spGlobalData.clrHilite);
        HDC hdc = pDC->GetSafeHdc();
        const COLORREF clrOldBk = pDC->GetBkColor();
        {
            CSelectObject selPen(hdc, pen.GetSafeHandle());
            CSelectObject selBrush(hdc, m_brHighlight.GetSafeHandle());
            ::Rectangle(hdc, rectGlyph.left, rectGlyph.top, rectGlyph.right, rectGlyph.bottom);
        }
        pDC->SetBkColor(clrOldBk);
    }
    CSPMenuImages::Draw(pDC, group.bIsCollapsed ? CSPMenuImages::IdArowDown : CSPMenuImages::IdArowUp,
                        rectGlyph.TopLeft(), CSPMenuImages::ImageBlack, rectGlyph.Size());
}

void CSPVisualManagerXP::OnDrawTasksGroupCaption(CDC* pDC, CSPTasksGroup* pGroup, BOOL bIsHighlighted,
                                                 BOOL /*bUsePushButton*/, BOOL bCanCollapse) {
    DrawTasksGroupCaptionXP(pDC, SPClientHooks::GetTasksGroupInfo(pGroup), bIsHighlighted, bCanCollapse);
}

void CSPVisualManagerXP::OnFillTasksGroupInterior(CDC* pDC, CRect rect, BOOL /*bSpecial*/) {
    CPen pen(PS_SOLID, 1, spGlobalData.clrBtnShadow);
    HDC hdc = pDC->GetSafeHdc();
    CSelectObject selPen(hdc, pen.GetSafeHandle());
    ::MoveToEx(hdc, rect.left, rect.top, NULL);
    ::LineTo(hdc, rect.right, rect.top);
}

void CSPVisualManagerXP::OnDrawTasksGroupAreaBorder(CDC* /*pDC*/, CRect /*rect*/, BOOL /*bSpecial*/,
                                                    BOOL /*bNoTitle*/) {}

void CSPVisualManagerXP::DrawTaskXP(CDC* pDC, CSPTask* pTask, CImageList* pIcons, BOOL bIsHighlighted,
                                    COLORREF clrPlain, BOOL bPlainUsesDC, COLORREF clrLink) {
    const SPTaskInfo task = SPClientHooks::GetTaskInfo(pTask);
    const CRect rectText = DrawTaskIcon(pDC, task, pIcons);

    CFont* pFont = &spGlobalData.fontRegular;
    const COLORREF clrOldText = pDC->GetTextColor();
    if (task.bIsLink) {
        pDC->SetTextColor(clrLink);
        if (bIsHighlighted) pFont = &spGlobalData.fontUnderline;
    } else if (!bPlainUsesDC) {
        pDC->SetTextColor(clrPlain);
    }
    DrawTaskLabel(pDC, rectText, task.strName, pFont);
    pDC->SetTextColor(clrOldText);
}

void CSPVisualManagerXP::OnDrawTask(CDC* pDC, CSPTask* pTask, CImageList* pIcons, BOOL bIsHighlighted,
                                    BOOL /*bIsSelected*/) {
    DrawTaskXP(pDC, pTask, pIcons, bIsHighlighted, 0, TRUE, spGlobalData.clrHotLinkText);
}

int CSPVisualManagerXP::GetMenuImageMargin() const { return 3; }

BOOL CSPVisualManagerXP::IsLook2000Allowed() const { return FALSE; }
