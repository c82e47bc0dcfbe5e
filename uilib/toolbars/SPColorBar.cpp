// SPColorBar.cpp - the colour grid, its cells and extra buttons.
#include "SPColorBar.h"

#include <math.h>

#include <algorithm>

#include "SPColorButton.h"
#include "SPColorMenuButton.h"
#include "SPColorDialog.h"
#include "SPGlobalData.h"
#include "SPPopupMenu.h"
#include "SPPropList.h"
#include "SPToolbarState.h"
#include "SPVisualManager.h"

void SPFillRectWithBrush(CDC* pDC, const CRect& rect) {
    if (pDC == NULL) return;
    pDC->FillRect(rect, &spGlobalData.brLight);
}

// ---------------------------------------------------------------------------
// CColorButton

IMPLEMENT_DYNCREATE(CColorButton, CSPToolbarButton)

CColorButton::CColorButton()
    : m_Color(0), m_bHighlight(FALSE), m_bIsAutomatic(FALSE), m_bIsOther(FALSE), m_bIsLabel(FALSE),
      m_bIsDocument(FALSE), m_bIsOtherColor(FALSE), m_pParentBar(NULL) {}

CColorButton::CColorButton(COLORREF color, BOOL bIsAutomatic, BOOL bIsOther, LPCTSTR lpszText, BOOL bIsLabel,
                           BOOL bIsDocument, BOOL bIsOtherColor)
    : m_Color(color), m_bHighlight(FALSE), m_bIsAutomatic(bIsAutomatic), m_bIsOther(bIsOther),
      m_bIsLabel(bIsLabel), m_bIsDocument(bIsDocument), m_bIsOtherColor(bIsOtherColor), m_pParentBar(NULL) {
    m_bLocked = TRUE;
    m_strText = lpszText != NULL ? lpszText : _T("");
}

void CColorButton::OnChangeParentWnd(CWnd* pWndParent) {
    CSPToolbarButton::OnChangeParentWnd(pWndParent);
    m_pParentBar = DYNAMIC_DOWNCAST(CSPColorBar, pWndParent);
}

CString CColorButton::GetTooltipText() const {
    if (IsTextButton()) return m_strText;
    CString strName;
    if (CSPColorBar::ColorNames().Lookup(m_Color, strName)) return strName;
    CString strHex;
    strHex.Format(_T("Hex={%02X,%02X,%02X}"), GetRValue(m_Color), GetGValue(m_Color), GetBValue(m_Color));
    return strHex;
}

// An embossed frame for a disabled button, a shadow line for an enabled one.
void CColorButton::DrawFrame(CDC* pDC, const CRect& rect, BOOL bDisabled) const {
    if (bDisabled) {
        pDC->Draw3dRect(rect, spGlobalData.clrBtnHilite, spGlobalData.clrBtnShadow);
        CRect rectLower = rect;
        rectLower.OffsetRect(1, 1);
        pDC->Draw3dRect(rectLower, spGlobalData.clrBtnShadow, spGlobalData.clrBtnHilite);
    } else {
        pDC->Draw3dRect(rect, spGlobalData.clrBtnShadow, spGlobalData.clrBtnShadow);
    }
}

void CColorButton::OnDraw(CDC* pDC, const CRect& rect, CSPButtonImages* pImages, BOOL bHorz, BOOL bCustomizeMode,
                          BOOL bHighlight, BOOL bDrawBorder, BOOL bGrayDisabledButtons) {
    CPalette* pOldPalette = m_pParentBar != NULL ? m_pParentBar->SelectPalette(pDC) : NULL;
    const UINT nStyle = m_nStyle;
    if (m_bHighlight) m_nStyle |= TBBS_CHECKED;
    const BOOL bDisabled = (m_nStyle & TBBS_DISABLED) != 0;

    CSPVisualManager* pVM = CSPVisualManager::GetInstance();
    pVM->OnFillButtonInterior(pDC, this, rect,
                              bHighlight ? CSPVisualManager::ButtonsIsHighlighted : CSPVisualManager::ButtonsIsRegular);

    const CSize sizeBorder(::GetSystemMetrics(SM_CXBORDER), ::GetSystemMetrics(SM_CYBORDER));
    if (!bDisabled) {
        if ((m_nStyle & (TBBS_CHECKED | TBBS_INDETERMINATE)) && !bHighlight && !m_bIsLabel) {
            CRect rectChecked = rect;
            rectChecked.DeflateRect(2 * sizeBorder.cx, 2 * sizeBorder.cy);
            SPFillRectWithBrush(pDC, rectChecked);
        }
        if (!m_bIsLabel && HaveHotBorder() && bDrawBorder && !bCustomizeMode) {
            if (m_nStyle & (TBBS_CHECKED | TBBS_PRESSED))
                pVM->OnDrawButtonBorder(pDC, this, rect, CSPVisualManager::ButtonsIsPressed);
            else if (bHighlight && !(m_nStyle & (TBBS_CHECKED | TBBS_INDETERMINATE)))
                pVM->OnDrawButtonBorder(pDC, this, rect, CSPVisualManager::ButtonsIsHighlighted);
        }
    }

    CRect rectInner = rect;
    rectInner.DeflateRect(2 * sizeBorder.cx, 2 * sizeBorder.cy);

    if (IsTextButton()) {
        CRect rectText = rectInner;
        if (m_bIsAutomatic && m_Color != (COLORREF)-1) {
            CRect rectSwatch = rectInner;
            rectSwatch.DeflateRect(1, 1);
            rectSwatch.right = rectSwatch.left + rectSwatch.Height();
            if (bDisabled) {
                DrawFrame(pDC, rectSwatch, TRUE);
            } else {
                pDC->FillSolidRect(rectSwatch, m_Color);
                pDC->Draw3dRect(rectSwatch, spGlobalData.clrBtnShadow, spGlobalData.clrBtnShadow);
            }
            rectText.left = rectSwatch.right;
        }
        const COLORREF clrText =
            bDisabled && !m_bIsLabel ? spGlobalData.clrGrayedText : spGlobalData.clrBtnText;
        const COLORREF clrOld = pDC->SetTextColor(clrText);
        const int nOldBk = pDC->SetBkMode(TRANSPARENT);
        CFont* pOldFont = !bHorz ? pDC->SelectObject(&spGlobalData.fontRegular) : NULL;
        UINT uiFormat = DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS;
        if (!m_bIsLabel) uiFormat |= DT_CENTER;
        pDC->DrawText(m_strText, rectText, uiFormat);
        if (pOldFont != NULL) pDC->SelectObject(pOldFont);
        pDC->SetBkMode(nOldBk);
        pDC->SetTextColor(clrOld);
    } else if (!bDisabled) {
        pDC->FillSolidRect(rectInner, m_Color);
    }
    if (!m_bIsOther && !m_bIsLabel) DrawFrame(pDC, rectInner, bDisabled);

    (void)pImages;
    (void)bGrayDisabledButtons;
    if (pOldPalette != NULL) pDC->SelectPalette(pOldPalette, FALSE);
    m_nStyle = nStyle;
}

// ---------------------------------------------------------------------------
// CSPColorBar

IMPLEMENT_SERIAL(CSPColorBar, CSPPopupMenuBar, VERSIONABLE_SCHEMA | 1)

BEGIN_MESSAGE_MAP(CSPColorBar, CSPPopupMenuBar)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_WM_NCCALCSIZE()
    ON_WM_NCPAINT()
    ON_WM_QUERYNEWPALETTE()
    ON_WM_PALETTECHANGED()
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_LBUTTONDBLCLK()
END_MESSAGE_MAP()

CMap<COLORREF, COLORREF, CString, LPCTSTR>& CSPColorBar::ColorNames() {
    static CMap<COLORREF, COLORREF, CString, LPCTSTR> s_names(10);
    static BOOL s_bInit = FALSE;
    if (!s_bInit) {
        s_names.InitHashTable(17);
        s_bInit = TRUE;
    }
    return s_names;
}

CSPColorBar::CSPColorBar()
    : m_nNumColumns(0), m_nNumRowsHorz(0), m_nNumColumnsVert(0), m_nBoxWidth(0), m_nBoxHeight(0),
      m_nTextHeight(0), m_ColorSelected((COLORREF)-1), m_ColorAutomatic((COLORREF)-1), m_lstDocColors(10),
      m_nCommandID(0), m_bStdColorDlg(FALSE), m_bIsEnabled(TRUE), m_bIsTearOff(TRUE),
      m_bShowDocColorsWhenDocked(FALSE), m_pParentBtn(NULL), m_pWndPropList(NULL), m_nHorzOffset(0),
      m_nVertOffset(0), m_bInternal(FALSE), m_nVertMargin(4), m_nHorzMargin(4), m_bInOtherDialog(FALSE) {
    m_bLocked = TRUE;
}

CSPColorBar::CSPColorBar(const CArray<COLORREF, COLORREF>& colors, COLORREF color, LPCTSTR lpszAutoColor,
                         LPCTSTR lpszOtherColor, LPCTSTR lpszDocColors, const CList<COLORREF, COLORREF>& lstDocColors,
                         int nColumns, int nRowsDockHorz, int nColDockVert, COLORREF colorAutomatic,
                         UINT nCommandID, CSPColorButton* pParentBtn)
    : CSPColorBar() {
    m_nNumColumns = nColumns;
    m_nNumRowsHorz = nRowsDockHorz;
    m_nNumColumnsVert = nColDockVert;
    m_ColorSelected = color;
    m_ColorAutomatic = colorAutomatic;
    m_strAutoColor = lpszAutoColor != NULL ? lpszAutoColor : _T("");
    m_strOtherColor = lpszOtherColor != NULL ? lpszOtherColor : _T("");
    m_strDocColors = lpszDocColors != NULL ? lpszDocColors : _T("");
    m_nCommandID = nCommandID;
    m_pParentBtn = pParentBtn;
    m_bIsTearOff = FALSE;
    m_bShowDocColorsWhenDocked = TRUE;
    m_bStdColorDlg = pParentBtn != NULL ? !pParentBtn->m_bAltColorDlg : FALSE;
    m_colors.Copy(colors);
    for (POSITION pos = lstDocColors.GetHeadPosition(); pos != NULL;) m_lstDocColors.AddTail(lstDocColors.GetNext(pos));
}

CSPColorBar::CSPColorBar(CSPColorBar& src, UINT uiCommandID) : CSPColorBar() {
    m_colors.Copy(src.m_colors);
    m_ColorSelected = src.m_ColorSelected;
    m_ColorAutomatic = src.m_ColorAutomatic;
    m_strAutoColor = src.m_strAutoColor;
    m_strOtherColor = src.m_strOtherColor;
    m_strDocColors = src.m_strDocColors;
    m_nNumColumns = src.m_nNumColumns;
    m_nNumRowsHorz = src.m_nNumRowsHorz;
    m_nNumColumnsVert = src.m_nNumColumnsVert;
    m_bStdColorDlg = src.m_bStdColorDlg;
    m_nCommandID = uiCommandID;
    for (POSITION pos = src.m_lstDocColors.GetHeadPosition(); pos != NULL;)
        m_lstDocColors.AddTail(src.m_lstDocColors.GetNext(pos));
}

CSPColorBar::~CSPColorBar() {}

// --- palettes ------------------------------------------------------------------------

int CSPColorBar::ColorsFromPalette(CPalette* pPalette, CArray<COLORREF, COLORREF>& colors) {
    colors.RemoveAll();
    CPalette* pPal = pPalette != NULL ? pPalette : CPalette::FromHandle((HPALETTE)::GetStockObject(DEFAULT_PALETTE));
    if (pPal == NULL || pPal->GetSafeHandle() == NULL) return 0;
    const int nCount = pPal->GetEntryCount();
    if (nCount <= 0) return 0;
    CArray<PALETTEENTRY, PALETTEENTRY&> entries;
    entries.SetSize(nCount);
    pPal->GetPaletteEntries(0, nCount, entries.GetData());
    for (int i = 0; i < nCount; i++)
        colors.Add(RGB(entries[i].peRed, entries[i].peGreen, entries[i].peBlue));
    return nCount;
}

BOOL CSPColorBar::CreatePalette(const CArray<COLORREF, COLORREF>& colors, CPalette& palette) {
    if (palette.GetSafeHandle() != NULL) palette.DeleteObject();
    if (spGlobalData.nBitsPerPixel != 8 || colors.GetSize() == 0) return FALSE;
    const int nColors = std::min<int>((int)colors.GetSize(), 100);
    CArray<BYTE, BYTE> buffer;
    buffer.SetSize(sizeof(LOGPALETTE) + sizeof(PALETTEENTRY) * nColors);
    LOGPALETTE* pLogPalette = (LOGPALETTE*)buffer.GetData();
    pLogPalette->palVersion = 0x300;
    pLogPalette->palNumEntries = (WORD)nColors;
    for (int i = 0; i < nColors; i++) {
        pLogPalette->palPalEntry[i].peRed = GetRValue(colors[i]);
        pLogPalette->palPalEntry[i].peGreen = GetGValue(colors[i]);
        pLogPalette->palPalEntry[i].peBlue = GetBValue(colors[i]);
        pLogPalette->palPalEntry[i].peFlags = 0;
    }
    return palette.CreatePalette(pLogPalette);
}

CPalette* CSPColorBar::SelectPalette(CDC* pDC) {
    if (pDC == NULL) return NULL;
    if (spGlobalData.nBitsPerPixel != 8) {
        if (m_Palette.GetSafeHandle() != NULL) m_Palette.DeleteObject();
        return NULL;
    }
    CPalette* pPalette = m_pParentBtn != NULL ? m_pParentBtn->GetPalette() : NULL;
    if (pPalette == NULL) {
        if (m_Palette.GetSafeHandle() == NULL) CreatePalette(m_colors, m_Palette);
        pPalette = &m_Palette;
    }
    if (pPalette->GetSafeHandle() == NULL) return NULL;
    CPalette* pOld = pDC->SelectPalette(pPalette, FALSE);
    pDC->RealizePalette();
    return pOld;
}

// --- creation --------------------------------------------------------------------------

BOOL CSPColorBar::CreateControl(CWnd* pParentWnd, DWORD dwStyle, UINT nID, CPalette* pPalette, int nColumns,
                                int nRowsDockHorz, int nColDockVert) {
    if (m_colors.GetSize() == 0) {
        m_nNumColumns = nColumns;
        m_nNumRowsHorz = nRowsDockHorz;
        m_nNumColumnsVert = nColDockVert;
        ColorsFromPalette(pPalette, m_colors);
    }
    return Create(pParentWnd, dwStyle, nID);
}

BOOL CSPColorBar::CreateInRect(CWnd* pParentWnd, const CRect& rect, UINT nID, int nColumns, CPalette* pPalette) {
    EnableLargeIcons(FALSE);
    if (nColumns < 1) {
        const int n = pPalette != NULL ? pPalette->GetEntryCount() : 20;
        nColumns = -1;
        for (int c = n; c >= 1; c--) {
            const int nCell = (rect.Width() - 2 * m_nHorzMargin) / c;
            if (nCell != 0 && (n / c) * nCell > rect.Height() - 2 * m_nVertMargin) {
                nColumns = c + 1;
                break;
            }
        }
    }
    if (!CreateControl(pParentWnd, WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP, nID, pPalette, nColumns, 0, 0))
        return FALSE;
    // In a dialog: no gripper and no borders round the bar.
    SetControlBarStyle(GetControlBarStyle() & ~(CBRS_BORDER_ANY | CBRS_BORDER_3D | CBRS_GRIPPER));
    MoveWindow(rect);
    FitCellsToWindow(TRUE, TRUE);
    SetWindowPos(&wndTop, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    SetOwner(pParentWnd);
    m_nCommandID = 0;
    return TRUE;
}

int CSPColorBar::OnCreate(LPCREATESTRUCT lpCreateStruct) {
    if (CSPPopupMenuBar::OnCreate(lpCreateStruct) == -1) return -1;
    const CSize sizeImage = CSPToolbarSharedState::GetMenuImageSize();
    m_nBoxWidth = sizeImage.cx + 1;
    m_nBoxHeight = sizeImage.cy + 1;
    m_nTextHeight = m_nBoxHeight * 3 / 2;
    Rebuild();
    if (m_pParentBtn != NULL) {
        SetCapture();
        m_pParentBtn->OnPopupCaptured();
    } else if (m_pWndPropList != NULL) {
        SetCapture();
    }
    return 0;
}

void CSPColorBar::OnDestroy() {
    if (m_pParentBtn != NULL) {
        m_pParentBtn->OnPopupGone();
        m_pParentBtn = NULL;
    }
    if (m_pWndPropList != NULL) {
        CSPPropList* pList = m_pWndPropList;
        m_pWndPropList = NULL;
        if (::IsWindow(pList->GetSafeHwnd())) {
            pList->CloseColorPopup();
            pList->SetFocus();
        }
    }
    CSPPopupMenuBar::OnDestroy();
}

// --- the buttons -------------------------------------------------------------------------

CColorButton* CSPColorBar::GetColorButton(int iIndex) const { return DYNAMIC_DOWNCAST(CColorButton, GetButton(iIndex)); }

void CSPColorBar::Rebuild() {
    if (GetSafeHwnd() == NULL) return;
    RemoveAllButtons();
    BOOL bFound = FALSE;
    if (!m_strAutoColor.IsEmpty()) {
        CColorButton* pAuto = new CColorButton(m_ColorAutomatic, TRUE, FALSE, m_strAutoColor);
        pAuto->m_bHighlight = m_ColorSelected == (COLORREF)-1;
        bFound = pAuto->m_bHighlight;
        InsertButton(pAuto);
    }
    for (int i = 0; i < m_colors.GetSize(); i++) {
        CColorButton* pCell = new CColorButton(m_colors[i]);
        pCell->m_bHighlight = m_colors[i] == m_ColorSelected;
        if (pCell->m_bHighlight) bFound = TRUE;
        InsertButton(pCell);
    }
    if (!m_strDocColors.IsEmpty() && !m_lstDocColors.IsEmpty()) {
        InsertSeparator();
        InsertButton(new CColorButton((COLORREF)-1, FALSE, FALSE, m_strDocColors, TRUE, TRUE));
        for (POSITION pos = m_lstDocColors.GetHeadPosition(); pos != NULL;) {
            const COLORREF color = m_lstDocColors.GetNext(pos);
            CColorButton* pCell = new CColorButton(color, FALSE, FALSE, NULL, FALSE, TRUE);
            if (!bFound && color == m_ColorSelected) {
                pCell->m_bHighlight = TRUE;
                bFound = TRUE;
            }
            InsertButton(pCell);
        }
    }
    if (!m_strOtherColor.IsEmpty()) {
        InsertSeparator();
        InsertButton(new CColorButton((COLORREF)-1, FALSE, TRUE, m_strOtherColor));
        CColorButton* pSwatch = new CColorButton(m_ColorSelected, FALSE, FALSE, NULL, FALSE, FALSE, TRUE);
        pSwatch->m_bHighlight = !bFound;
        InsertButton(pSwatch);
    }
}

void CSPColorBar::SetColor(COLORREF color) {
    if (m_ColorSelected == color) return;
    m_ColorSelected = color;
    if (GetSafeHwnd() == NULL) return;
    m_iHot = m_iHighlighted = -1;

    BOOL bMatched = FALSE;
    CColorButton* pSwatch = NULL;
    for (int i = 0; i < GetCount(); i++) {
        CColorButton* pButton = GetColorButton(i);
        if (pButton == NULL || pButton->m_bIsOther || pButton->m_bIsLabel) continue;
        if (pButton->m_bHighlight) {
            pButton->m_bHighlight = FALSE;
            InvalidateButton(i);
        }
        if (pButton->m_bIsOtherColor) {
            pSwatch = pButton;
            continue;
        }
        const BOOL bCheck = pButton->m_bIsAutomatic ? color == (COLORREF)-1 : pButton->m_Color == color;
        if (bCheck && !bMatched) {
            pButton->m_bHighlight = TRUE;
            bMatched = TRUE;
            InvalidateButton(i);
        }
    }
    if (pSwatch != NULL) {
        const BOOL bWasVisible = !pSwatch->Rect().IsRectEmpty();
        pSwatch->m_Color = color;
        pSwatch->m_bHighlight = !bMatched;
        const BOOL bVisible = (m_ColorAutomatic == (COLORREF)-1 || color != (COLORREF)-1) && !bMatched;
        if (bVisible != bWasVisible) {
            AdjustLocations();
            Invalidate();
        } else {
            InvalidateButton(ButtonToIndex(pSwatch));
        }
    }
    UpdateWindow();
}

void CSPColorBar::SetFirstExtraButton(LPCTSTR lpszLabel, COLORREF colorAutomatic, BOOL bEnable) {
    m_ColorAutomatic = colorAutomatic;
    m_strAutoColor = bEnable && lpszLabel != NULL ? lpszLabel : _T("");
    Rebuild();
    AdjustLayout();
}

void CSPColorBar::SetSecondExtraButton(LPCTSTR lpszLabel, BOOL bAltColorDlg, BOOL bEnable) {
    m_bStdColorDlg = !bAltColorDlg;
    m_strOtherColor = bEnable && lpszLabel != NULL ? lpszLabel : _T("");
    Rebuild();
    AdjustLayout();
}

void CSPColorBar::SetDocumentColors(LPCTSTR lpszCaption, CList<COLORREF, COLORREF>& lstColors,
                                    BOOL bShowWhenDocked) {
    m_strDocColors = lpszCaption != NULL ? lpszCaption : _T("");
    if (lstColors.GetCount() == m_lstDocColors.GetCount()) {
        BOOL bEqual = TRUE;
        POSITION posNew = lstColors.GetHeadPosition();
        for (POSITION pos = m_lstDocColors.GetHeadPosition(); pos != NULL && bEqual;)
            bEqual = m_lstDocColors.GetNext(pos) == lstColors.GetNext(posNew);
        if (bEqual) return;
    }
    m_lstDocColors.RemoveAll();
    for (POSITION pos = lstColors.GetHeadPosition(); pos != NULL;) m_lstDocColors.AddTail(lstColors.GetNext(pos));
    m_bShowDocColorsWhenDocked = bShowWhenDocked;
    Rebuild();
    AdjustLayout();
}

void CSPColorBar::SetVertMargin(int nVertMargin) {
    m_nVertMargin = nVertMargin;
    AdjustLayout();
}

void CSPColorBar::SetHorzMargin(int nHorzMargin) {
    m_nHorzMargin = nHorzMargin;
    AdjustLayout();
}

// --- layout ---------------------------------------------------------------------------------

BOOL CSPColorBar::IsFloatingBar() const {
    if (!m_bIsTearOff || GetSafeHwnd() == NULL) return !m_bIsTearOff;
    return IsFloating();
}

int CSPColorBar::GetColumnsCount(BOOL bVert) const {
    const int n = (int)m_colors.GetSize();
    if (m_bIsTearOff && !IsFloatingBar()) {
        if (!bVert && m_nNumRowsHorz > 0) return std::max(1, (n + m_nNumRowsHorz - 1) / m_nNumRowsHorz);
        if (m_nNumColumnsVert > 0) return m_nNumColumnsVert;
    }
    if (m_nNumColumns >= 1) return m_nNumColumns;
    return (int)sqrt((double)n) + 1;
}

int CSPColorBar::GetExtraHeight(int nNumColumns) const {
    int nHeight = 0;
    if (!m_strAutoColor.IsEmpty())
        nHeight += m_nTextHeight;
    else if (!m_strOtherColor.IsEmpty())
        nHeight += m_nVertMargin;
    if (!m_strOtherColor.IsEmpty()) nHeight += m_nTextHeight;
    if (!m_strDocColors.IsEmpty() && !m_lstDocColors.IsEmpty() && ShowsDocColors()) {
        const int nDocs = (int)m_lstDocColors.GetCount();
        const int nCols = std::max(1, nNumColumns);
        nHeight += m_nBoxHeight * ((nDocs + nCols - 1) / nCols) + m_nVertMargin + m_nTextHeight + 4;
    }
    return nHeight;
}

CSize CSPColorBar::CalcSize(BOOL bVertDock) {
    const int nColumns = std::max(1, GetColumnsCount(bVertDock));
    const int nRows = ((int)m_colors.GetSize() + nColumns - 1) / nColumns;
    return CSize(m_nBoxWidth * nColumns + 2 * m_nHorzMargin,
                 GetExtraHeight(nColumns) + m_nBoxHeight * nRows + 2 * m_nVertMargin);
}

void CSPColorBar::AdjustLayout() {
    if (GetSafeHwnd() == NULL) return;
    if (!m_bIsTearOff) {
        CSPPopupMenu* pPopup = GetParentPopup();
        if (pPopup != NULL) pPopup->RecalcLayout();
        AdjustLocations();
        Invalidate();
        return;
    }
    CSPToolBar::AdjustLayout();
}

void CSPColorBar::GetSeparatorRect(CSPToolbarButton* pButton, CRect& rect, BOOL /*bHorz*/) const {
    rect = pButton->Rect();
}

void CSPColorBar::AdjustLocations() {
    if (GetSafeHwnd() == NULL) return;
    CRect rectClient;
    GetClientRect(rectClient);
    rectClient.DeflateRect(m_nHorzOffset + m_nHorzMargin, m_nVertOffset + m_nVertMargin);
    const BOOL bShowDocs = ShowsDocColors();
    BOOL bSelectionNotShown = m_strAutoColor.IsEmpty() || m_ColorSelected != (COLORREF)-1;
    int x = rectClient.left;
    int y = rectClient.top;
    BOOL bPrevSeparator = FALSE;

    for (int i = 0; i < GetCount(); i++) {
        CSPToolbarButton* pButton = GetButton(i);
        CRect rect(0, 0, 0, 0);
        if (pButton->IsSeparator()) {
            if (!bPrevSeparator) {
                if (x > rectClient.left) {
                    y += m_nBoxHeight + m_nVertMargin;
                    x = rectClient.left;
                }
                rect = CRect(rectClient.left, y, rectClient.right, y + 2);
                y += 4;
                x = rectClient.left;
            }
            bPrevSeparator = TRUE;
        } else {
            bPrevSeparator = FALSE;
            CColorButton* pColor = DYNAMIC_DOWNCAST(CColorButton, pButton);
            if (pColor == NULL) {
                // not ours: left without a place
            } else if ((pColor->m_bIsDocument || pColor->m_bIsLabel) && !bShowDocs) {
                // the document colours of a docked bar
            } else if (!pColor->IsTextButton()) {
                if (x + m_nBoxWidth > rectClient.right) {
                    y += m_nBoxHeight;
                    x = rectClient.left;
                }
                if (!(pColor->m_bIsOtherColor && !bSelectionNotShown)) {
                    rect = CRect(x, y, x + m_nBoxWidth, y + m_nBoxHeight);
                    if (!pColor->m_bIsOtherColor) x += m_nBoxWidth;
                }
                if (!pColor->m_bIsOtherColor && pColor->m_Color == m_ColorSelected) bSelectionNotShown = FALSE;
                if (pColor->m_bIsOtherColor && !rect.IsRectEmpty()) {
                    // beside the other button, centred on it
                    CSPToolbarButton* pPrev = GetButton(i - 1);
                    const CRect rectOther = pPrev != NULL ? pPrev->Rect() : CRect(x, y, x, y);
                    const int yTop = rectOther.top + (rectOther.Height() - m_nBoxHeight) / 2;
                    rect = CRect(rectClient.right - m_nBoxWidth, yTop, rectClient.right, yTop + m_nBoxHeight);
                }
            } else {
                if (x > rectClient.left) {
                    y += m_nBoxHeight + m_nVertMargin;
                    x = rectClient.left;
                }
                const int nHeight = m_nTextHeight - m_nVertMargin / 2;
                rect = CRect(rectClient.left, y, rectClient.right, y + nHeight);
                if (pColor->m_bIsOther) {
                    if (bSelectionNotShown) rect.right -= m_nBoxWidth;
                    rect.DeflateRect(m_nHorzMargin / 2, m_nVertMargin / 2);
                }
                y += nHeight;
            }
        }
        if (pButton->Rect() != rect) {
            pButton->SetRect(rect);
            pButton->OnMove();
        }
    }
    UpdateTooltips();
}

void CSPColorBar::FitCellsToWindow(BOOL bSquare, BOOL bCenter) {
    if (GetSafeHwnd() == NULL) return;
    CRect rectClient;
    GetClientRect(rectClient);
    // A step that changes nothing ends the search: a bar with nothing to
    // measure, or a client area smaller than any cell.
    for (int nPass = 0; nPass < 2; nPass++) {
        const BOOL bHeight = nPass == 0;
        const int nTarget = bHeight ? rectClient.Height() : rectClient.Width();
        int& nCell = bHeight ? m_nBoxHeight : m_nBoxWidth;
        auto measure = [&]() {
            const CSize size = CalcSize(TRUE);
            return bHeight ? size.cy : size.cx;
        };
        int nSize = measure();
        const BOOL bGrow = nSize < nTarget;
        while (nSize != nTarget) {
            const int nOld = nSize;
            if (bGrow) {
                nCell++;
            } else {
                if (nCell <= 1) break;
                nCell--;
            }
            if (bHeight) m_nTextHeight = m_nBoxHeight * 3 / 2;
            nSize = measure();
            if (nSize == nOld) break;
            if (bGrow && nSize > nTarget) {
                nCell--;
                break;
            }
            if (!bGrow && nSize <= nTarget) break;
        }
        if (bHeight) m_nTextHeight = m_nBoxHeight * 3 / 2;
    }
    m_nBoxHeight = std::max(1, m_nBoxHeight - 1);
    m_nBoxWidth = std::max(1, m_nBoxWidth - 1);
    if (bSquare) m_nBoxWidth = m_nBoxHeight = std::min(m_nBoxWidth, m_nBoxHeight);
    m_nTextHeight = m_nBoxHeight * 3 / 2;
    if (bCenter) {
        const CSize size = CalcSize(TRUE);
        m_nHorzOffset = std::max<int>(0, (rectClient.Width() - size.cx) / 2);
        m_nVertOffset = std::max<int>(0, (rectClient.Height() - size.cy) / 2);
    } else {
        m_nHorzOffset = m_nVertOffset = 0;
    }
    AdjustLocations();
}

// --- drawing -------------------------------------------------------------------------------------

void CSPColorBar::GetVisualInfo(SPBarInfo& info) {
    CSPPopupMenuBar::GetVisualInfo(info);
    info.bColorBar = TRUE;
    info.bOnToolBar = m_bIsTearOff;
}

void CSPColorBar::DoPaint(CDC* pDC) {
    CPalette* pOld = SelectPalette(pDC);
    CSPToolBar::DoPaint(pDC);
    if (pOld != NULL) pDC->SelectPalette(pOld, FALSE);
}

BOOL CSPColorBar::DrawButton(CDC* pDC, CSPToolbarButton* pButton, CSPButtonImages* pImages, BOOL bHighlighted,
                             BOOL bDrawDisabledImages) {
    if (pButton->Rect().IsRectEmpty()) return TRUE;
    return CSPToolBar::DrawButton(pDC, pButton, pImages, bHighlighted, bDrawDisabledImages);
}

void CSPColorBar::OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp) {
    if (m_bIsTearOff) CSPToolBar::OnNcCalcSize(bCalcValidRects, lpncsp);
}

void CSPColorBar::OnNcPaint() {
    if (m_bIsTearOff) CSPToolBar::OnNcPaint();
}

BOOL CSPColorBar::OnQueryNewPalette() {
    Invalidate();
    return CSPPopupMenuBar::OnQueryNewPalette();
}

void CSPColorBar::OnPaletteChanged(CWnd* pFocusWnd) {
    CSPPopupMenuBar::OnPaletteChanged(pFocusWnd);
    if (pFocusWnd != this) Invalidate();
}

BOOL CSPColorBar::OnUserToolTip(CSPToolbarButton* pButton, CString& strTTText) const {
    CColorButton* pColor = DYNAMIC_DOWNCAST(CColorButton, pButton);
    if (pColor == NULL || (pColor->m_nStyle & TBBS_DISABLED)) return FALSE;
    strTTText = pColor->GetTooltipText();
    return TRUE;
}

void CSPColorBar::ShowCommandMessageString(UINT /*uiCmdId*/) { CSPToolBar::ShowCommandMessageString(m_nCommandID); }

// --- the command's enable state ----------------------------------------------------------

void CSPColorBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) {
    if (m_nCommandID != 0 && m_nCommandID != (UINT)-1 && pTarget != NULL) {
        CSPColorBarCmdUI state;
        state.m_pOther = this;
        state.m_nIndexMax = 1;
        state.m_nID = m_nCommandID;
        BOOL bEnabled = m_bIsEnabled;
        if (pTarget->OnCmdMsg(m_nCommandID, CN_UPDATE_COMMAND_UI, &state, NULL)) {
            bEnabled = state.m_bEnabled;
        } else if (bDisableIfNoHndler && !state.m_bEnableChanged) {
            AFX_CMDHANDLERINFO info;
            info.pTarget = NULL;
            bEnabled = pTarget->OnCmdMsg(m_nCommandID, CN_COMMAND, &state, &info);
        }
        if (bEnabled != m_bIsEnabled) {
            m_bIsEnabled = bEnabled;
            for (int i = 0; i < GetCount(); i++) {
                CColorButton* pButton = GetColorButton(i);
                if (pButton == NULL) continue;
                if (bEnabled)
                    pButton->m_nStyle &= ~TBBS_DISABLED;
                else
                    pButton->m_nStyle |= TBBS_DISABLED;
            }
            Invalidate();
        }
    }
    CSPToolBar::OnUpdateCmdUI(pTarget, bDisableIfNoHndler);
}

// --- choosing -----------------------------------------------------------------------------

void CSPColorBar::FocusFrame() {
    CWnd* pFrame = SPGetParentFrame(this);
    if (pFrame == NULL) pFrame = GetTopLevelFrame();
    if (pFrame != NULL && ::IsWindow(pFrame->GetSafeHwnd())) pFrame->SetFocus();
}

void CSPColorBar::ClosePopup() {
    CWnd* pParent = GetParent();
    if (pParent != NULL && ::IsWindow(pParent->GetSafeHwnd())) pParent->SendMessage(WM_CLOSE);
}

CSPColorMenuButton* CSPColorBar::GetColorMenuButton() const {
    CSPPopupMenu* pPopup = GetParentPopup();
    return pPopup != NULL ? DYNAMIC_DOWNCAST(CSPColorMenuButton, pPopup->GetParentButton()) : NULL;
}

BOOL CSPColorBar::OpenColorDialog(const COLORREF colorDefault, COLORREF& colorRes) {
    CSPColorMenuButton* pMenuButton = GetColorMenuButton();
    if (pMenuButton != NULL) return pMenuButton->OpenColorDialog(colorDefault, colorRes);
    return s_pfnRunColorDialog(m_bStdColorDlg, colorDefault, colorRes);
}

// The other button: the dialog runs with the popup hidden; FALSE when the
// bar went with it or nothing was chosen.
BOOL CSPColorBar::RunOtherDialog() {
    const HWND hWnd = GetSafeHwnd();
    CSPPopupMenu* pPopup = GetParentPopup();
    CSPColorMenuButton* pMenuButton = GetColorMenuButton();
    m_bInOtherDialog = TRUE;
    SetInCommand(TRUE);
    if (pPopup != NULL) pPopup->ShowWindow(SW_HIDE);
    COLORREF color = 0;
    const BOOL bOK =
        OpenColorDialog(m_ColorSelected == (COLORREF)-1 ? m_ColorAutomatic : m_ColorSelected, color);
    if (!::IsWindow(hWnd) || CWnd::FromHandlePermanent(hWnd) != this) return FALSE;
    m_bInOtherDialog = FALSE;
    SetInCommand(FALSE);
    if (bOK) {
        ChooseColor(color);
        return FALSE;
    }
    if (HasOwnerControl())
        ClosePopup();
    else if (pMenuButton != NULL)
        SendMenuCommand(0);
    else
        FocusFrame();
    return FALSE;
}

BOOL CSPColorBar::OnSendCommand(const CSPToolbarButton* pButton) {
    if (HasOwnerControl() && GetCapture() == this) ::ReleaseCapture();
    const CColorButton* pColor = DYNAMIC_DOWNCAST(CColorButton, const_cast<CSPToolbarButton*>(pButton));
    if (pColor == NULL || pColor->m_bIsLabel || (pColor->m_nStyle & TBBS_DISABLED)) return FALSE;
    if (pColor->m_bIsOther) {
        RunOtherDialog();
        return TRUE;
    }
    ChooseColor(pColor->m_bIsAutomatic ? (COLORREF)-1 : pColor->m_Color);
    return TRUE;
}

void CSPColorBar::ChooseColor(COLORREF color) {
    CSPColorMenuButton* pMenuButton = GetColorMenuButton();
    if (pMenuButton != NULL) {
        pMenuButton->SetColor(color, TRUE);
        SendMenuCommand(pMenuButton->m_nID);
        return;
    }
    if (m_pParentBtn != NULL) {
        CSPColorButton* pButton = m_pParentBtn;
        pButton->UpdateColor(color);
        if (::IsWindow(GetSafeHwnd())) ClosePopup();
        return;
    }
    if (m_pWndPropList != NULL) {
        m_pWndPropList->OnSelectColor(color);
        if (::IsWindow(GetSafeHwnd())) ClosePopup();
        return;
    }
    // a stand-alone bar: the colour of its command
    SetColor(color);
    CSPColorMenuButton::SetCommandColor(m_nCommandID, color);
    CWnd* pOwner = GetOwnerOrParent();
    if (pOwner != NULL && m_nCommandID != 0 && m_nCommandID != (UINT)-1)
        pOwner->SendMessage(WM_COMMAND, m_nCommandID, 0);
    if (::IsWindow(GetSafeHwnd())) FocusFrame();
}

BOOL CSPColorBar::OnKey(UINT nChar) {
    if (nChar == VK_RETURN) {
        CSPToolbarButton* pHot = GetButton(m_iHot >= 0 ? m_iHot : m_iHighlighted);
        if (pHot != NULL) {
            CWnd* pTarget = GetOwnerOrParent();
            if (pTarget != NULL) pTarget->SendMessage(WM_SETMESSAGESTRING, AFX_IDS_IDLEMESSAGE);
            OnSendCommand(pHot);
            return TRUE;
        }
    }
    return CSPPopupMenuBar::OnKey(nChar);
}

BOOL CSPColorBar::PreTranslateMessage(MSG* pMsg) {
    if (HasOwnerControl() && !m_bInOtherDialog) {
        BOOL bClose = FALSE;
        switch (pMsg->message) {
        case WM_LBUTTONDOWN: {
            CRect rectClient;
            GetClientRect(rectClient);
            CPoint pt((short)LOWORD(pMsg->lParam), (short)HIWORD(pMsg->lParam));
            if (pMsg->hwnd != m_hWnd) {
                ::ClientToScreen(pMsg->hwnd, &pt);
                ScreenToClient(&pt);
            }
            bClose = !rectClient.PtInRect(pt);
            break;
        }
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
        case WM_CONTEXTMENU:
        case WM_SYSKEYDOWN:
            bClose = TRUE;
            break;
        case WM_KEYDOWN:
            bClose = pMsg->wParam == VK_ESCAPE;
            break;
        }
        if (bClose) {
            ClosePopup();
            return TRUE;
        }
    }
    return CSPPopupMenuBar::PreTranslateMessage(pMsg);
}

// --- the mouse ------------------------------------------------------------------------------

void CSPColorBar::OnMouseMove(UINT nFlags, CPoint point) {
    if (g_bCustomizeMode && !m_bInternal) return;
    if (m_bIsTearOff) {
        CSPToolBar::OnMouseMove(nFlags, point);
        return;
    }
    CSPPopupMenuBar::OnMouseMove(nFlags, point);
}

void CSPColorBar::OnLButtonDown(UINT nFlags, CPoint point) {
    if (g_bCustomizeMode && !m_bInternal) return;
    if (HitTest(point) >= 0) return;  // a cell acts on release
    if (m_bIsTearOff)
        CSPToolBar::OnLButtonDown(nFlags, point);
    else
        CSPPopupMenuBar::OnLButtonDown(nFlags, point);
}

void CSPColorBar::OnLButtonUp(UINT nFlags, CPoint point) {
    if (g_bCustomizeMode && !m_bInternal) return;
    CSPToolbarButton* pButton = GetButton(HitTest(point));
    if (pButton != NULL && !pButton->IsSeparator()) {
        OnSendCommand(pButton);
        return;
    }
    CSPToolBar::OnLButtonUp(nFlags, point);
}

void CSPColorBar::OnLButtonDblClk(UINT nFlags, CPoint point) {
    if (g_bCustomizeMode && !m_bInternal) return;
    CSPToolBar::OnLButtonDblClk(nFlags, point);
}

// --- the record -----------------------------------------------------------------------------

void CSPColorBar::Serialize(CArchive& ar) {
    CSPPopupMenuBar::Serialize(ar);
    if (ar.IsStoring()) {
        ar << (int)m_nNumColumns << (int)m_nNumRowsHorz << (int)m_nNumColumnsVert << (DWORD)m_ColorAutomatic;
        ar << m_strAutoColor << m_strOtherColor << m_strDocColors;
        ar << (int)m_bIsTearOff << (DWORD)m_nCommandID << (int)m_bStdColorDlg;
        ar << (int)m_colors.GetSize();
        for (int i = 0; i < m_colors.GetSize(); i++) ar << (DWORD)m_colors[i];
        return;
    }
    int nColumns = 0, nRows = 0, nColumnsVert = 0, bTearOff = 0, bStdDlg = 0, nCount = 0;
    DWORD dwAuto = 0, dwCommand = 0;
    ar >> nColumns >> nRows >> nColumnsVert >> dwAuto;
    ar >> m_strAutoColor >> m_strOtherColor >> m_strDocColors;
    ar >> bTearOff >> dwCommand >> bStdDlg >> nCount;
    // A damaged count must not allocate the world.
    if (nCount < 0 || nCount > 0x10000) AfxThrowArchiveException(CArchiveException::badIndex);
    m_nNumColumns = nColumns;
    m_nNumRowsHorz = nRows;
    m_nNumColumnsVert = nColumnsVert;
    m_ColorAutomatic = (COLORREF)dwAuto;
    m_bIsTearOff = bTearOff;
    m_nCommandID = dwCommand;
    m_bStdColorDlg = bStdDlg;
    m_colors.SetSize(nCount);
    for (int i = 0; i < nCount; i++) {
        DWORD dw = 0;
        ar >> dw;
        m_colors[i] = (COLORREF)dw;
    }
    Rebuild();
    AdjustLocations();
}

static BOOL RunColorDialog(BOOL bStdColorDlg, COLORREF colorDefault, COLORREF& colorRes) {
    if (bStdColorDlg) {
        CColorDialog dlg(colorDefault, CC_FULLOPEN | CC_ANYCOLOR);
        if (dlg.DoModal() != IDOK) return FALSE;
        colorRes = dlg.GetColor();
        return TRUE;
    }
    CSPColorDialog dlg(colorDefault);
    if (dlg.DoModal() != IDOK) return FALSE;
    colorRes = dlg.GetColor();
    return TRUE;
}

BOOL (*CSPColorBar::s_pfnRunColorDialog)(BOOL, COLORREF, COLORREF&) = &RunColorDialog;
