// SPColorButton.cpp - the colour-choosing push button.
#include "SPColorButton.h"

#include "SPColorMenuButton.h"
#include "SPGlobalData.h"
#include "SPMenuImages.h"
#include "SPToolbarComboBoxButton.h"
#include "SPWinXPVisualManager.h"

IMPLEMENT_DYNCREATE(CSPColorButton, CSPButton)

BEGIN_MESSAGE_MAP(CSPColorButton, CSPButton)
    ON_WM_KEYDOWN()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_MOUSEMOVE()
    ON_WM_SYSCOLORCHANGE()
    ON_WM_GETDLGCODE()
END_MESSAGE_MAP()

CSPColorButton::CSPColorButton()
    : m_bEnabledInCustomizeMode(FALSE), m_bAutoSetFocus(TRUE), m_bAltColorDlg(TRUE), m_Color(0),
      m_ColorAutomatic((COLORREF)-1), m_lstDocColors(10), m_nColumns(-1), m_nVertMargin(0), m_pPalette(NULL),
      m_pPopup(NULL) {}

CSPColorButton::~CSPColorButton() {
    // The popup's bar must not call back into a button that is gone.
    if (m_pPopup != NULL) {
        CColorPopup* pPopup = m_pPopup;
        m_pPopup = NULL;
        pPopup->GetColorBar()->m_pParentBtn = NULL;
        if (::IsWindow(pPopup->GetSafeHwnd())) pPopup->SendMessage(WM_CLOSE);
    }
    delete m_pPalette;
}

BOOL CSPColorButton::IsDrawXPTheme() {
    return s_bWinXPTheme && DYNAMIC_DOWNCAST(CSPWinXPVisualManager, CSPVisualManager::GetInstance()) != NULL &&
           CSPWinXPVisualManager::IsWinXPThemeAvailable();
}

void CSPColorButton::SetColor(COLORREF color) {
    m_Color = color;
    if (GetSafeHwnd() != NULL) {
        Invalidate();
        UpdateWindow();
    }
}

void CSPColorButton::UpdateColor(COLORREF color) {
    SetColor(color);
    CWnd* pParent = GetSafeHwnd() != NULL ? GetParent() : NULL;
    if (pParent != NULL) pParent->SendMessage(WM_COMMAND, (WPARAM)GetDlgCtrlID(), (LPARAM)m_hWnd);
}

void CSPColorButton::EnableAutomaticButton(LPCTSTR lpszLabel, COLORREF colorAutomatic, BOOL bEnable) {
    m_strAutoColorText = bEnable && lpszLabel != NULL ? lpszLabel : _T("");
    m_ColorAutomatic = colorAutomatic;
}

void CSPColorButton::EnableOtherButton(LPCTSTR lpszLabel, BOOL bAltColorDlg, BOOL bEnable) {
    m_strOtherText = bEnable && lpszLabel != NULL ? lpszLabel : _T("");
    m_bAltColorDlg = bAltColorDlg;
}

void CSPColorButton::SetDocumentColors(LPCTSTR lpszLabel, CList<COLORREF, COLORREF>& lstColors) {
    m_lstDocColors.RemoveAll();
    m_strDocColorsText = lpszLabel != NULL ? lpszLabel : _T("");
    if (m_strDocColorsText.IsEmpty()) return;
    for (POSITION pos = lstColors.GetHeadPosition(); pos != NULL;) m_lstDocColors.AddTail(lstColors.GetNext(pos));
}

void CSPColorButton::SetPalette(CPalette* pPalette) {
    delete m_pPalette;
    m_pPalette = NULL;
    // every entry of the given palette, or the screen's 256
    const int nEntries = pPalette != NULL ? pPalette->GetEntryCount() : 256;
    if (nEntries <= 0) return;
    CArray<BYTE, BYTE> buffer;
    buffer.SetSize(sizeof(LOGPALETTE) + sizeof(PALETTEENTRY) * nEntries);
    LOGPALETTE* pLog = (LOGPALETTE*)buffer.GetData();
    pLog->palVersion = 0x300;
    pLog->palNumEntries = (WORD)nEntries;
    if (pPalette != NULL) {
        pPalette->GetPaletteEntries(0, nEntries, pLog->palPalEntry);
    } else {
        CClientDC dc(NULL);
        ::GetSystemPaletteEntries(dc.GetSafeHdc(), 0, nEntries, pLog->palPalEntry);
    }
    m_pPalette = new CPalette;
    if (!m_pPalette->CreatePalette(pLog)) {
        delete m_pPalette;
        m_pPalette = NULL;
    }
}

int CSPColorButton::GetDropWidth() const { return CSPMenuImages::Size().cx + 8; }

CSize CSPColorButton::SizeToContent(BOOL bCalcOnly) {
    CSize size = CSPButton::SizeToContent(TRUE);
    size.cx += CSPMenuImages::Size().cx;
    if (!bCalcOnly && GetSafeHwnd() != NULL)
        SetWindowPos(NULL, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    return size;
}

void CSPColorButton::OnFillBackground(CDC* pDC, const CRect& rectClient) {
    if (IsDrawXPTheme())
        pDC->FillRect(rectClient, CBrush::FromHandle(::GetSysColorBrush(COLOR_WINDOW)));
    else
        CSPButton::OnFillBackground(pDC, rectClient);
}

void CSPColorButton::OnDrawBorder(CDC* pDC, CRect& rectClient, UINT /*uiState*/) {
    if (IsDrawXPTheme()) {
        CSPVisualManager::GetInstance()->OnDrawComboBorder(pDC, rectClient, !IsWindowEnabled(), FALSE, TRUE, NULL);
        return;
    }
    pDC->Draw3dRect(rectClient, spGlobalData.clrBtnDkShadow, spGlobalData.clrBtnHilite);
    rectClient.DeflateRect(1, 1);
    if (m_nFlatStyle != BUTTONSTYLE_FLAT || m_bHighlighted) {
        pDC->Draw3dRect(rectClient, spGlobalData.clrBtnShadow, spGlobalData.clrBtnLight);
        rectClient.DeflateRect(1, 1);
    }
}

void CSPColorButton::OnDrawFocusRect(CDC* pDC, const CRect& rectClient) {
    CRect rectFocus = rectClient;
    rectFocus.right -= CSPMenuImages::Size().cx + 8;
    CSPButton::OnDrawFocusRect(pDC, rectFocus);
}

void CSPColorButton::OnDraw(CDC* pDC, const CRect& rect, UINT uiState) {
    if (m_pPalette == NULL) SetPalette(NULL);
    CPalette* pOldPalette = NULL;
    if (m_pPalette != NULL) {
        pOldPalette = pDC->SelectPalette(m_pPalette, FALSE);
        pDC->RealizePalette();
    }
    const BOOL bDisabled = (uiState & ODS_DISABLED) != 0 || !IsWindowEnabled();
    CRect rectDrop = rect;
    rectDrop.left = rectDrop.right - GetDropWidth();
    CRect rectSwatch = rect;
    rectSwatch.right = rectDrop.left;
    rectSwatch.DeflateRect(2, 2);
    pDC->Draw3dRect(rectSwatch, spGlobalData.clrBtnShadow, spGlobalData.clrBtnHilite);
    rectSwatch.DeflateRect(1, 1);
    if (m_Color != (COLORREF)-1 && !bDisabled) {
        COLORREF color = m_Color;
        if (spGlobalData.nBitsPerPixel == 8 && m_pPalette != NULL)
            color = PALETTEINDEX(m_pPalette->GetNearestPaletteIndex(m_Color));
        CBrush brush(color);
        pDC->FillRect(rectSwatch, &brush);
    }
    if (IsDrawXPTheme()) {
        CSPToolbarComboBoxButton buttonDummy;
        CSPVisualManager::GetInstance()->OnDrawComboDropButton(pDC, rectDrop, bDisabled, m_pPopup != NULL,
                                                              m_bHighlighted, &buttonDummy);
    } else {
        pDC->FillRect(rectDrop, &spGlobalData.brBtnFace);
        pDC->Draw3dRect(rectDrop, spGlobalData.clrBtnHilite, spGlobalData.clrBtnShadow);
        const CSize sizeGlyph = CSPMenuImages::Size();
        const CPoint ptGlyph(rectDrop.left + (rectDrop.Width() - sizeGlyph.cx) / 2,
                             rectDrop.top + (rectDrop.Height() - sizeGlyph.cy) / 2);
        CSPMenuImages::Draw(pDC, CSPMenuImages::IdArowDown, ptGlyph,
                            bDisabled ? CSPMenuImages::ImageGray : CSPMenuImages::ImageBlack);
    }
    if (pOldPalette != NULL) pDC->SelectPalette(pOldPalette, FALSE);
}

void CSPColorButton::OnPopupGone() {
    m_pPopup = NULL;
    if (GetSafeHwnd() != NULL) {
        m_bPushed = m_bHighlighted = FALSE;
        Invalidate();
        SetFocus();
    }
}

void CSPColorButton::OnShowColorPopup() {
    if (m_pPopup != NULL) {
        CColorPopup* pPopup = m_pPopup;
        m_pPopup = NULL;
        if (::IsWindow(pPopup->GetSafeHwnd())) pPopup->SendMessage(WM_CLOSE);
        return;
    }
    if (m_Colors.GetSize() == 0) CSPColorBar::ColorsFromPalette(NULL, m_Colors);
    CColorPopup* pPopup = new CColorPopup(this, m_Colors, m_Color, m_strAutoColorText, m_strOtherText,
                                          m_strDocColorsText, m_lstDocColors, m_nColumns, m_ColorAutomatic);
    pPopup->GetColorBar()->SetVertMargin(m_nVertMargin > 0 ? m_nVertMargin : pPopup->GetColorBar()->GetVertMargin());
    pPopup->SetEnabledInCustomizeMode(m_bEnabledInCustomizeMode);
    m_pPopup = pPopup;
    CRect rectWindow;
    GetWindowRect(rectWindow);
    if (!pPopup->Create(this, rectWindow.left, rectWindow.bottom, NULL, TRUE, TRUE)) {
        m_pPopup = NULL;  // it has deleted itself (PostNcDestroy)
    } else {
        if (m_bEnabledInCustomizeMode) pPopup->GetColorBar()->EnableMouseInCustomizeMode();
        if (m_bAutoSetFocus) pPopup->GetColorBar()->SetFocus();
    }
    if (m_bCaptured && GetCapture() == this) ::ReleaseCapture();
    m_bCaptured = FALSE;
}

void CSPColorButton::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) {
    if (nChar == VK_SPACE || nChar == VK_DOWN) {
        OnShowColorPopup();
        return;
    }
    CButton::OnKeyDown(nChar, nRepCnt, nFlags);
}

void CSPColorButton::OnLButtonDown(UINT /*nFlags*/, CPoint /*point*/) {
    SetFocus();
    OnShowColorPopup();
}

void CSPColorButton::OnLButtonUp(UINT nFlags, CPoint point) {
    // The popup acts on the release, not the button.
    if (m_pPopup != NULL) return;
    CSPButton::OnLButtonUp(nFlags, point);
}

void CSPColorButton::OnMouseMove(UINT nFlags, CPoint point) {
    if (m_pPopup != NULL) return;
    if (IsDrawXPTheme()) {
        const int nStyle = m_nFlatStyle;
        m_nFlatStyle = BUTTONSTYLE_SEMIFLAT;
        CSPButton::OnMouseMove(nFlags, point);
        m_nFlatStyle = nStyle;
        return;
    }
    CSPButton::OnMouseMove(nFlags, point);
}

void CSPColorButton::OnSysColorChange() {
    CButton::OnSysColorChange();
    SetPalette(NULL);
    Invalidate();
}
