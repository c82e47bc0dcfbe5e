#include "SPButton.h"
#include <algorithm>
#include "SPButtonImages.h"
#include "SPClientHooks.h"
#include "SPDrawEffects.h"
#include "SPGlobalData.h"
#include "SPMenuImages.h"
#include "SPVisualManager.h"
#include "SPWinXPVisualManager.h"

IMPLEMENT_DYNCREATE(CSPButton, CButton)

BOOL CSPButton::s_bWinXPTheme = FALSE;
HCURSOR CSPButton::s_hcurHand = NULL;

static const UINT_PTR idAutoRepeatTimer = 1;
static const UINT idHandCursor = 16919;

BEGIN_MESSAGE_MAP(CSPButton, CButton)
    ON_WM_ERASEBKGND()
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_LBUTTONUP()
    ON_WM_CANCELMODE()
    ON_WM_KILLFOCUS()
    ON_WM_ENABLE()
    ON_WM_SETCURSOR()
    ON_WM_TIMER()
    ON_WM_DESTROY()
    ON_MESSAGE(WM_SETFONT, OnSetFont)
    ON_MESSAGE(BM_SETCHECK, OnBMSetCheck)
    ON_MESSAGE(BM_GETCHECK, OnBMGetCheck)
END_MESSAGE_MAP()

CSPButton::CSPButton()
    : m_nFlatStyle(BUTTONSTYLE_3D),
      m_nAlignStyle(ALIGN_CENTER),
      m_bRightImage(FALSE),
      m_bTransparent(FALSE),
      m_bDrawFocus(TRUE),
      m_bHighlightChecked(TRUE),
      m_bGrayDisabled(TRUE),
      m_bClickOnDown(FALSE),
      m_bPushed(FALSE),
      m_bClickedInside(FALSE),
      m_bHighlighted(FALSE),
      m_bCaptured(FALSE),
      m_bHover(FALSE),
      m_bChecked(FALSE),
      m_bCheckButton(FALSE),
      m_bRadioButton(FALSE),
      m_bAutoCheck(FALSE),
      m_sizeImage(0, 0),
      m_bAutoTooltip(FALSE),
      m_bTooltipCheckPending(FALSE),
      m_nStdImageId(-1),
      m_nStdImageDisabledId(0),
      m_hCursor(NULL),
      m_sizePushOffset(2, 2),
      m_clrRegular((COLORREF)-1),
      m_clrHover((COLORREF)-1),
      m_clrFace((COLORREF)-1),
      m_hFont(NULL),
      m_nAutoRepeatTimeDelay(0) {}

CSPButton::~CSPButton() { CleanUp(); }

// ---------------------------------------------------------------------------
// Kind and creation

void CSPButton::ApplyStyle(DWORD& dwStyle) {
    // Creation subclasses the new window too: its kind is known by then.
    if ((dwStyle & BS_TYPEMASK) == BS_OWNERDRAW) return;
    m_bCheckButton = m_bRadioButton = m_bAutoCheck = FALSE;
    switch (dwStyle & BS_TYPEMASK) {
    case BS_CHECKBOX: m_bCheckButton = TRUE; break;
    case BS_AUTOCHECKBOX: m_bCheckButton = m_bAutoCheck = TRUE; break;
    case BS_RADIOBUTTON: m_bRadioButton = TRUE; break;
    case BS_AUTORADIOBUTTON: m_bRadioButton = m_bAutoCheck = TRUE; break;
    default: break;
    }
    if (m_bCheckButton || m_bRadioButton) {
        switch (dwStyle & BS_CENTER) {
        case BS_LEFT: m_nAlignStyle = ALIGN_LEFT; break;
        case BS_RIGHT: m_nAlignStyle = ALIGN_RIGHT; break;
        case BS_CENTER: m_nAlignStyle = ALIGN_CENTER; break;
        default: break;
        }
    }
    dwStyle = (dwStyle & ~(DWORD)BS_TYPEMASK) | BS_OWNERDRAW;
}

BOOL CSPButton::PreCreateWindow(CREATESTRUCT& cs) {
    DWORD dwStyle = (DWORD)cs.style;
    ApplyStyle(dwStyle);
    cs.style = (LONG)dwStyle;
    return CButton::PreCreateWindow(cs);
}

void CSPButton::PreSubclassWindow() {
    DWORD dwStyle = GetStyle();
    ApplyStyle(dwStyle);
    ::SetWindowLong(m_hWnd, GWL_STYLE, (LONG)dwStyle);
    CButton::PreSubclassWindow();
}

// ---------------------------------------------------------------------------
// Images

void CSPButton::CleanUp() {
    m_sizeImage = CSize(0, 0);
    m_nStdImageId = -1;
    ClearHalf(FALSE);
    ClearHalf(TRUE);
}

void CSPButton::ClearHalf(BOOL bChecked) {
    if (bChecked) {
        m_ImageChecked.DeleteImageList();
        m_ImageCheckedHot.DeleteImageList();
        m_ImageCheckedDisabled.DeleteImageList();
    } else {
        m_Image.DeleteImageList();
        m_ImageHot.DeleteImageList();
        m_ImageDisabled.DeleteImageList();
    }
}

COLORREF CSPButton::GetFaceColor() const {
    return m_clrFace == (COLORREF)-1 ? spGlobalData.clrBtnFace : m_clrFace;
}

void CSPButton::SetImage(HICON hIcon, BOOL bAutoDestroy, HICON hIconHot) {
    SetIconImage(FALSE, hIcon, bAutoDestroy, hIconHot);
}
void CSPButton::SetImage(HBITMAP hBitmap, BOOL bAutoDestroy, HBITMAP hBitmapHot, BOOL bMap3dColors) {
    SetBitmapImage(FALSE, hBitmap, bAutoDestroy, hBitmapHot, bMap3dColors);
}
void CSPButton::SetImage(UINT uiBmpResId, UINT uiBmpHotResId) { SetResourceImage(FALSE, uiBmpResId, uiBmpHotResId); }
void CSPButton::SetCheckedImage(HICON hIcon, BOOL bAutoDestroy, HICON hIconHot) {
    SetIconImage(TRUE, hIcon, bAutoDestroy, hIconHot);
}
void CSPButton::SetCheckedImage(HBITMAP hBitmap, BOOL bAutoDestroy, HBITMAP hBitmapHot, BOOL bMap3dColors) {
    SetBitmapImage(TRUE, hBitmap, bAutoDestroy, hBitmapHot, bMap3dColors);
}
void CSPButton::SetCheckedImage(UINT uiBmpResId, UINT uiBmpHotResId) {
    SetResourceImage(TRUE, uiBmpResId, uiBmpHotResId);
}

void CSPButton::SetIconImage(BOOL bChecked, HICON hIcon, BOOL bAutoDestroy, HICON hIconHot) {
    ClearHalf(bChecked);
    m_sizeImage = CSize(0, 0);
    m_nStdImageId = -1;
    if (hIcon == NULL) return;

    ICONINFO info = {};
    if (!::GetIconInfo(hIcon, &info)) return;
    BITMAP bmp = {};
    ::GetObject(info.hbmColor != NULL ? info.hbmColor : info.hbmMask, sizeof(bmp), &bmp);
    if (info.hbmColor != NULL) ::DeleteObject(info.hbmColor);
    if (info.hbmMask != NULL) ::DeleteObject(info.hbmMask);
    m_sizeImage = CSize(bmp.bmWidth, info.hbmColor != NULL ? bmp.bmHeight : bmp.bmHeight / 2);

    CImageList& list = bChecked ? m_ImageChecked : m_Image;
    CImageList& listHot = bChecked ? m_ImageCheckedHot : m_ImageHot;
    list.Create(m_sizeImage.cx, m_sizeImage.cy, ILC_COLOR32 | ILC_MASK, 0, 1);
    list.Add(hIcon);
    if (hIconHot != NULL) {
        listHot.Create(m_sizeImage.cx, m_sizeImage.cy, ILC_COLOR32 | ILC_MASK, 0, 1);
        listHot.Add(hIconHot);
    }

    // The disabled list: the icon drawn on the face colour, then greyed.
    CDC dc;
    CBitmap bmpIcon;
    if (dc.CreateCompatibleDC(NULL) && bmpIcon.Attach(SPCreateScreenBitmap(m_sizeImage.cx, m_sizeImage.cy))) {
        {
            CSelectObject selBitmap(&dc, &bmpIcon);
            dc.FillSolidRect(CRect(0, 0, m_sizeImage.cx, m_sizeImage.cy), GetFaceColor());
            ::DrawIconEx(dc.GetSafeHdc(), 0, 0, hIcon, m_sizeImage.cx, m_sizeImage.cy, 0, NULL, DI_NORMAL);
        }
        SetImageFromBitmap((HBITMAP)bmpIcon.GetSafeHandle(), bChecked);
    }

    if (bAutoDestroy) {
        ::DestroyIcon(hIcon);
        if (hIconHot != NULL) ::DestroyIcon(hIconHot);
    }
}

void CSPButton::SetBitmapImage(BOOL bChecked, HBITMAP hBitmap, BOOL bAutoDestroy, HBITMAP hBitmapHot,
                               BOOL bMap3dColors) {
    ClearHalf(bChecked);
    m_sizeImage = CSize(0, 0);
    m_nStdImageId = -1;
    if (hBitmap == NULL) return;

    BITMAP bmp = {};
    if (::GetObject(hBitmap, sizeof(bmp), &bmp) == 0) return;
    m_sizeImage = CSize(bmp.bmWidth, bmp.bmHeight);
    const COLORREF clrMask = bMap3dColors ? RGB(192, 192, 192) : GetFaceColor();

    // The disabled list first: adding to an image list blackens the masked
    // pixels of the source bitmap.
    SetImageFromBitmap(hBitmap, bChecked);

    CImageList& list = bChecked ? m_ImageChecked : m_Image;
    CImageList& listHot = bChecked ? m_ImageCheckedHot : m_ImageHot;
    list.Create(m_sizeImage.cx, m_sizeImage.cy, ILC_COLOR32 | ILC_MASK, 0, 1);
    list.Add(CBitmap::FromHandle(hBitmap), clrMask);
    if (hBitmapHot != NULL) {
        listHot.Create(m_sizeImage.cx, m_sizeImage.cy, ILC_COLOR32 | ILC_MASK, 0, 1);
        listHot.Add(CBitmap::FromHandle(hBitmapHot), clrMask);
    }
    if (bAutoDestroy) {
        ::DeleteObject(hBitmap);
        if (hBitmapHot != NULL) ::DeleteObject(hBitmapHot);
    }
}

void CSPButton::SetResourceImage(BOOL bChecked, UINT uiBmpResId, UINT uiBmpHotResId) {
    const UINT uiFlags = LR_LOADMAP3DCOLORS | LR_CREATEDIBSECTION;
    HINSTANCE hInst = ::GetModuleHandle(NULL);
    HBITMAP hbm = uiBmpResId == 0 ? NULL
                                  : (HBITMAP)::LoadImage(hInst, MAKEINTRESOURCE(uiBmpResId), IMAGE_BITMAP, 0, 0, uiFlags);
    HBITMAP hbmHot = uiBmpHotResId == 0 ? NULL
                                        : (HBITMAP)::LoadImage(hInst, MAKEINTRESOURCE(uiBmpHotResId), IMAGE_BITMAP,
                                                               0, 0, uiFlags);
    // LR_LOADMAP3DCOLORS has turned the 0xC0C0C0 background into the face
    // colour, which is what the lists are masked on.
    SetBitmapImage(bChecked, hbm, TRUE, hbmHot, FALSE);
}

void CSPButton::SetImageFromBitmap(HBITMAP hBitmap, BOOL bChecked) {
    CImageList& listDisabled = bChecked ? m_ImageCheckedDisabled : m_ImageDisabled;
    listDisabled.DeleteImageList();
    if (hBitmap == NULL || m_sizeImage.cx <= 0 || m_sizeImage.cy <= 0) return;

    const COLORREF clrFace = GetFaceColor();
    CSPButtonImages images;
    images.SetImageSize(m_sizeImage);
    if (images.AddImage(hBitmap) < 0) return;
    images.SetTransparentColor(clrFace);

    CDC dc;
    CBitmap bmpDisabled;
    if (!dc.CreateCompatibleDC(NULL) || !bmpDisabled.Attach(SPCreateScreenBitmap(m_sizeImage.cx, m_sizeImage.cy)))
        return;
    {
        CSelectObject selBitmap(&dc, &bmpDisabled);
        dc.FillSolidRect(CRect(0, 0, m_sizeImage.cx, m_sizeImage.cy), clrFace);
        CSPDrawState ds;
        if (images.PrepareDraw(ds)) {
            images.Draw(&dc, 0, 0, 0, FALSE, TRUE);
            images.EndDraw(ds);
        }
    }
    listDisabled.Create(m_sizeImage.cx, m_sizeImage.cy, ILC_COLOR32 | ILC_MASK, 0, 1);
    listDisabled.Add(&bmpDisabled, clrFace);
}

void CSPButton::SetStdImage(int nImageId, int nDisabledImageId) {
    CleanUp();
    m_sizeImage = CSPMenuImages::Size();
    m_nStdImageId = nImageId;
    m_nStdImageDisabledId = nDisabledImageId;
}

// ---------------------------------------------------------------------------
// Attributes

void CSPButton::SetTooltip(LPCTSTR lpszToolTipText) {
    if (lpszToolTipText == NULL) {
        if (m_wndToolTip.GetSafeHwnd() != NULL) m_wndToolTip.Activate(FALSE);
        return;
    }
    if (GetSafeHwnd() == NULL) return;
    if (m_wndToolTip.GetSafeHwnd() == NULL) {
        if (!m_wndToolTip.Create(this, TTS_ALWAYSTIP)) return;
        CRect rectClient;
        GetClientRect(rectClient);
        m_wndToolTip.AddTool(this, lpszToolTipText, rectClient, 1);
    } else {
        m_wndToolTip.UpdateTipText(lpszToolTipText, this, 1);
    }
    m_wndToolTip.Activate(TRUE);
}

void CSPButton::SetHandCursor() {
    if (s_hcurHand == NULL) s_hcurHand = ::LoadCursor(::GetModuleHandle(NULL), MAKEINTRESOURCE(idHandCursor));
    m_hCursor = s_hcurHand;
}

void CSPButton::SetFaceColor(COLORREF crFace, BOOL bRedraw) {
    m_clrFace = crFace;
    if (bRedraw && GetSafeHwnd() != NULL) Repaint();
}

void CSPButton::SetStdFont(BOOL bUseStdFont) {
    m_hFont = bUseStdFont ? (HFONT)spGlobalData.fontRegular.GetSafeHandle() : NULL;
}

void CSPButton::SetAutoTooltip(BOOL bAutoTooltip) {
    m_bAutoTooltip = bAutoTooltip;
    m_bTooltipCheckPending = bAutoTooltip;
    if (GetSafeHwnd() != NULL) Invalidate();
}

void CSPButton::SetAutoRepeatMode(int nTimeDelay) { m_nAutoRepeatTimeDelay = nTimeDelay > 0 ? nTimeDelay : 0; }

void CSPButton::SetCheck(int nCheck) {
    if (GetSafeHwnd() != NULL) SendMessage(BM_SETCHECK, nCheck);
    else m_bChecked = nCheck != 0;
}

int CSPButton::GetCheck() const {
    return GetSafeHwnd() != NULL ? (int)SendMessage(BM_GETCHECK) : (m_bChecked ? 1 : 0);
}

LRESULT CSPButton::OnBMSetCheck(WPARAM wParam, LPARAM) {
    const BOOL bChecked = wParam != 0;
    if (bChecked != m_bChecked) {
        m_bChecked = bChecked;
        Invalidate();
    }
    return 0;
}

LRESULT CSPButton::OnBMGetCheck(WPARAM, LPARAM) { return m_bChecked ? BST_CHECKED : BST_UNCHECKED; }

LRESULT CSPButton::OnSetFont(WPARAM wParam, LPARAM) {
    m_hFont = (HFONT)wParam;
    return Default();
}

// ---------------------------------------------------------------------------
// Size

CSize CSPButton::SizeToContent(BOOL bCalcOnly) {
    CString strLabel;
    if (GetSafeHwnd() != NULL) GetWindowText(strLabel);

    CClientDC dc(this);
    CFont* pOldFont = SelectFont(&dc);
    TEXTMETRIC tm = {};
    dc.GetTextMetrics(&tm);
    const CSize sizeText = strLabel.IsEmpty() ? CSize(0, 0) : dc.GetTextExtent(strLabel);
    dc.SelectObject(pOldFont);

    CSize size(m_sizeImage.cx + sizeText.cx + 10, std::max((int)m_sizeImage.cy, (int)tm.tmHeight) + 10);
    if (!strLabel.IsEmpty()) size.cx += 10;
    if (!bCalcOnly && GetSafeHwnd() != NULL)
        SetWindowPos(NULL, -1, -1, size.cx, size.cy, SWP_NOZORDER | SWP_NOMOVE | SWP_NOACTIVATE);
    return size;
}

// ---------------------------------------------------------------------------
// Drawing

void CSPButton::DrawItem(LPDRAWITEMSTRUCT lpDIS) {
    if (lpDIS == NULL) return;
    CDC* pDC = CDC::FromHandle(lpDIS->hDC);
    CRect rectClient = lpDIS->rcItem;
    OnFillBackground(pDC, rectClient);
    OnDrawBorder(pDC, rectClient, lpDIS->itemState);
    OnDraw(pDC, rectClient, lpDIS->itemState);
    if ((lpDIS->itemState & ODS_FOCUS) && m_bDrawFocus) OnDrawFocusRect(pDC, lpDIS->rcItem);
}

void CSPButton::OnFillBackground(CDC* pDC, const CRect& rectClient) {
    if (m_bTransparent) {
        spGlobalData.DrawParentBackground(this, pDC, (LPRECT)(LPCRECT)rectClient);
    } else if (m_clrFace == (COLORREF)-1) {
        pDC->FillRect(rectClient, &spGlobalData.brBtnFace);
    } else {
        pDC->FillSolidRect(rectClient, m_clrFace);
    }
    if (m_bChecked && m_bHighlightChecked && !(m_bPushed && m_bHighlighted)) {
        CSPDrawEffects dm(*pDC);
        dm.ScaleRectBrightness(rectClient, -1, (COLORREF)-1);
    }
}

void CSPButton::OnDrawBorder(CDC* pDC, CRect& rectClient, UINT uiState) {
    if (m_nFlatStyle == BUTTONSTYLE_NOBORDERS) {
        rectClient.DeflateRect(2, 2);
        return;
    }
    if (s_bWinXPTheme) {
        CSPWinXPVisualManager* pManager = DYNAMIC_DOWNCAST(CSPWinXPVisualManager, CSPVisualManager::GetInstance());
        if (pManager != NULL && pManager->OnDrawPushButtonWinXP(pDC, rectClient, this, uiState)) {
            rectClient.DeflateRect(2, 2);
            return;
        }
    }

    const BOOL bPressed = (m_bPushed && m_bHighlighted) || (uiState & ODS_SELECTED) || m_bChecked;
    if (!bPressed) {
        if (m_nFlatStyle != BUTTONSTYLE_FLAT || m_bHighlighted) {
            pDC->Draw3dRect(rectClient, spGlobalData.clrBtnHilite, spGlobalData.clrBtnDkShadow);
            rectClient.DeflateRect(1, 1);
            if (m_nFlatStyle == BUTTONSTYLE_3D || (m_nFlatStyle == BUTTONSTYLE_SEMIFLAT && m_bHighlighted))
                pDC->Draw3dRect(rectClient, spGlobalData.clrBtnLight, spGlobalData.clrBtnShadow);
            rectClient.DeflateRect(1, 1);
        } else {
            // A flat button away from the mouse has no border; its content
            // stays where a bordered one has it.
            rectClient.DeflateRect(2, 2);
        }
    } else {
        pDC->Draw3dRect(rectClient, spGlobalData.clrBtnDkShadow, spGlobalData.clrBtnHilite);
        rectClient.DeflateRect(1, 1);
        if (m_nFlatStyle != BUTTONSTYLE_FLAT)
            pDC->Draw3dRect(rectClient, spGlobalData.clrBtnShadow, spGlobalData.clrBtnLight);
        rectClient.DeflateRect(1, 1);
        rectClient.OffsetRect(m_sizePushOffset);
    }
}

void CSPButton::OnDrawFocusRect(CDC* pDC, const CRect& rectClient) {
    CRect rectFocus = rectClient;
    rectFocus.DeflateRect(2, 2);
    const COLORREF clrFace = GetFaceColor();
    pDC->Draw3dRect(rectFocus, clrFace, clrFace);
    pDC->DrawFocusRect(rectFocus);
}

CFont* CSPButton::SelectFont(CDC* pDC) {
    if (m_hFont != NULL) return pDC->SelectObject(CFont::FromHandle(m_hFont));
    return (CFont*)pDC->SelectStockObject(DEFAULT_GUI_FONT);
}

void CSPButton::OnDraw(CDC* pDC, const CRect& rect, UINT uiState) {
    CString strLabel;
    GetWindowText(strLabel);
    const BOOL bDisabled = (uiState & ODS_DISABLED) != 0 || !IsWindowEnabled();

    CRect rectText = rect;
    CRect rectImage = rect;
    const BOOL bHasImage = m_sizeImage.cx > 0 && m_sizeImage.cy > 0;
    if (bHasImage && !strLabel.IsEmpty()) {
        if (m_bRightImage) {
            rectImage.right = rect.right - 5;
            rectImage.left = rectImage.right - m_sizeImage.cx;
            rectText.right = rectImage.left;
        } else {
            rectImage.left = rect.left + 5;
            rectImage.right = rectImage.left + m_sizeImage.cx;
            rectText.left = rectImage.right;
        }
    }

    // the image
    if (bHasImage) {
        const CPoint ptImage(rectImage.left + (rectImage.Width() - m_sizeImage.cx) / 2,
                             rectImage.top + (rectImage.Height() - m_sizeImage.cy) / 2);
        if (m_nStdImageId >= 0) {
            if (bDisabled && m_bGrayDisabled)
                CSPMenuImages::Draw(pDC, m_nStdImageDisabledId, ptImage, CSPMenuImages::ImageGray);
            else
                CSPMenuImages::Draw(pDC, m_nStdImageId, ptImage, CSPMenuImages::ImageBlack);
        } else {
            CImageList* pList = m_bChecked ? &m_ImageChecked : &m_Image;
            CImageList* pDisabled = m_bChecked ? &m_ImageCheckedDisabled : &m_ImageDisabled;
            CImageList* pHot = m_bChecked ? &m_ImageCheckedHot : &m_ImageHot;
            if (pList->GetSafeHandle() == NULL && m_bChecked) {
                // no checked half: the normal one
                pList = &m_Image;
                pDisabled = &m_ImageDisabled;
                pHot = &m_ImageHot;
            }
            if (bDisabled && m_bGrayDisabled && pDisabled->GetSafeHandle() != NULL &&
                pDisabled->GetImageCount() > 0)
                pList = pDisabled;
            else if (m_bHighlighted && pHot->GetSafeHandle() != NULL && pHot->GetImageCount() > 0)
                pList = pHot;
            if (pList->GetSafeHandle() != NULL) pList->Draw(pDC, 0, ptImage, ILD_NORMAL);
        }
    }

    if (strLabel.IsEmpty()) return;

    // the label
    UINT uiDTFlags = DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS;
    switch (m_nAlignStyle) {
    case ALIGN_LEFT: rectText.left += 5; break;
    case ALIGN_RIGHT:
        uiDTFlags |= DT_RIGHT;
        rectText.right -= 5;
        break;
    default: uiDTFlags |= DT_CENTER; break;
    }

    CFont* pOldFont = SelectFont(pDC);
    const int nOldMode = pDC->SetBkMode(TRANSPARENT);
    if (m_bTooltipCheckPending) {
        m_bTooltipCheckPending = FALSE;
        const CSize sizeText = pDC->GetTextExtent(strLabel);
        SetTooltip(sizeText.cx > rectText.Width() ? (LPCTSTR)strLabel : NULL);
    }

    COLORREF clrText = m_clrRegular == (COLORREF)-1 ? spGlobalData.clrBtnText : m_clrRegular;
    if (m_bHighlighted && m_clrHover != (COLORREF)-1) clrText = m_clrHover;

    if (bDisabled && m_bGrayDisabled) {
        CRect rectShadow = rectText;
        rectShadow.OffsetRect(1, 1);
        const COLORREF clrOld = pDC->SetTextColor(spGlobalData.clrBtnHilite);
        OnDrawText(pDC, rectShadow, strLabel, uiDTFlags, uiState);
        pDC->SetTextColor(spGlobalData.clrGrayedText);
        OnDrawText(pDC, rectText, strLabel, uiDTFlags, uiState);
        pDC->SetTextColor(clrOld);
    } else {
        const COLORREF clrOld = pDC->SetTextColor(clrText);
        OnDrawText(pDC, rectText, strLabel, uiDTFlags, uiState);
        pDC->SetTextColor(clrOld);
    }
    pDC->SetBkMode(nOldMode);
    pDC->SelectObject(pOldFont);
}

void CSPButton::OnDrawText(CDC* pDC, const CRect& rect, const CString& strText, UINT uiDTFlags, UINT) {
    CRect rectText = rect;
    pDC->DrawText(strText, rectText, uiDTFlags);
}

BOOL CSPButton::OnEraseBkgnd(CDC*) { return TRUE; }

// ---------------------------------------------------------------------------
// Mouse

void CSPButton::Repaint() {
    Invalidate();
    UpdateWindow();
}

void CSPButton::SendClickToParent() {
    CWnd* pParent = GetParent();
    if (pParent != NULL)
        pParent->SendMessage(WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(), BN_CLICKED), (LPARAM)m_hWnd);
}

void CSPButton::OnMouseMove(UINT nFlags, CPoint point) {
    m_bHover = FALSE;
    const BOOL bButtonDown = (nFlags & MK_LBUTTON) != 0;
    if (bButtonDown || m_nFlatStyle != BUTTONSTYLE_3D || s_bWinXPTheme) {
        CRect rectClient;
        GetClientRect(rectClient);
        BOOL bChanged = FALSE;
        if (rectClient.PtInRect(point)) {
            m_bHover = TRUE;
            if (!m_bHighlighted) {
                m_bHighlighted = TRUE;
                bChanged = TRUE;
            }
            if (bButtonDown && m_bClickedInside && !m_bPushed) {
                m_bPushed = TRUE;
                bChanged = TRUE;
            }
            if (!m_bCaptured) {
                SetCapture();
                m_bCaptured = TRUE;
            }
        } else {
            if (bButtonDown) {
                if (m_bPushed) {
                    m_bPushed = FALSE;
                    bChanged = TRUE;
                }
            } else if (m_bHighlighted) {
                m_bHighlighted = FALSE;
                bChanged = TRUE;
            }
            if (!bButtonDown && m_bCaptured) {
                ReleaseCapture();
                m_bCaptured = FALSE;
            }
        }
        if (bChanged) Repaint();
    }
    CButton::OnMouseMove(nFlags, point);
}

void CSPButton::OnLButtonDown(UINT nFlags, CPoint point) {
    if (m_bClickOnDown) {
        SendClickToParent();
        return;
    }
    m_bPushed = TRUE;
    m_bClickedInside = TRUE;
    m_bHighlighted = TRUE;
    if (!m_bCaptured) {
        SetCapture();
        m_bCaptured = TRUE;
    }
    Repaint();
    if (m_nAutoRepeatTimeDelay > 0) SetTimer(idAutoRepeatTimer, (UINT)m_nAutoRepeatTimeDelay, NULL);
    CButton::OnLButtonDown(nFlags, point);
}

void CSPButton::OnLButtonDblClk(UINT nFlags, CPoint point) {
    // a second click of a pair is one more press
    if (m_bClickOnDown) {
        SendClickToParent();
        return;
    }
    OnLButtonDown(nFlags, point);
}

void CSPButton::OnLButtonUp(UINT nFlags, CPoint point) {
    const BOOL bClicked = m_bPushed && m_bClickedInside && m_bHighlighted;
    m_bPushed = m_bClickedInside = m_bHighlighted = FALSE;

    if (bClicked && m_bAutoCheck) {
        if (m_bCheckButton) m_bChecked = !m_bChecked;
        else if (m_bRadioButton && !m_bChecked) CheckRadio(this);
    }
    Repaint();
    CButton::OnLButtonUp(nFlags, point);
    if (m_bCaptured || GetCapture() == this) ReleaseCapture();
    m_bCaptured = FALSE;
    if (m_nAutoRepeatTimeDelay > 0) KillTimer(idAutoRepeatTimer);
}

void CSPButton::EndTracking(BOOL bRedraw) {
    const BOOL bWasTracking = m_bPushed || m_bHighlighted || m_bClickedInside || m_bCaptured;
    m_bPushed = m_bClickedInside = m_bHighlighted = m_bHover = FALSE;
    if (m_bCaptured) {
        if (GetCapture() == this) ReleaseCapture();
        m_bCaptured = FALSE;
    }
    if (m_nAutoRepeatTimeDelay > 0 && m_hWnd != NULL) KillTimer(idAutoRepeatTimer);
    if (bRedraw && bWasTracking && m_hWnd != NULL) Repaint();
}

void CSPButton::OnCancelMode() {
    CButton::OnCancelMode();
    EndTracking(TRUE);
}

void CSPButton::OnKillFocus(CWnd* pNewWnd) {
    CButton::OnKillFocus(pNewWnd);
    EndTracking(TRUE);
}

void CSPButton::OnEnable(BOOL bEnable) {
    if (!bEnable) EndTracking(FALSE);
    CButton::OnEnable(bEnable);
}

BOOL CSPButton::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message) {
    if (m_hCursor != NULL) {
        CPoint point;
        ::GetCursorPos(&point);
        ScreenToClient(&point);
        CRect rectClient;
        GetClientRect(rectClient);
        if (rectClient.PtInRect(point)) {
            ::SetCursor(m_hCursor);
            return TRUE;
        }
    }
    return CButton::OnSetCursor(pWnd, nHitTest, message);
}

void CSPButton::OnTimer(UINT_PTR nIDEvent) {
    if (nIDEvent == idAutoRepeatTimer) {
        if (m_bPushed && m_bHighlighted) SendClickToParent();
        return;
    }
    CButton::OnTimer(nIDEvent);
}

void CSPButton::OnDestroy() {
    EndTracking(FALSE);
    if (m_wndToolTip.GetSafeHwnd() != NULL) m_wndToolTip.DestroyWindow();
    CButton::OnDestroy();
}

// ---------------------------------------------------------------------------
// Radio groups and keys

void CSPButton::CheckRadio(CSPButton* pButton) {
    CWnd* pParent = pButton->GetParent();
    if (pParent != NULL) {
        for (HWND hwnd = ::GetWindow(pParent->GetSafeHwnd(), GW_CHILD); hwnd != NULL;
             hwnd = ::GetWindow(hwnd, GW_HWNDNEXT)) {
            CSPButton* pOther = DYNAMIC_DOWNCAST(CSPButton, CWnd::FromHandlePermanent(hwnd));
            if (pOther != NULL && pOther != pButton && pOther->m_bRadioButton && pOther->m_bChecked)
                pOther->SetCheck(0);
        }
    }
    pButton->SetCheck(1);
}

CSPButton* CSPButton::NextRadioInGroup(BOOL bPrevious) {
    CWnd* pParent = GetParent();
    if (pParent == NULL) return NULL;
    HWND hwnd = m_hWnd;
    for (;;) {
        hwnd = ::GetNextDlgGroupItem(pParent->GetSafeHwnd(), hwnd, bPrevious);
        if (hwnd == NULL || hwnd == m_hWnd) return NULL;
        CSPButton* pOther = DYNAMIC_DOWNCAST(CSPButton, CWnd::FromHandlePermanent(hwnd));
        if (pOther != NULL && pOther->m_bRadioButton && ::IsWindowVisible(hwnd) && ::IsWindowEnabled(hwnd))
            return pOther;
    }
}

BOOL CSPButton::PreTranslateMessage(MSG* pMsg) {
    if (m_wndToolTip.GetSafeHwnd() != NULL) {
        switch (pMsg->message) {
        case WM_LBUTTONDOWN:
        case WM_LBUTTONUP:
        case WM_RBUTTONDOWN:
        case WM_RBUTTONUP:
        case WM_MBUTTONDOWN:
        case WM_MBUTTONUP:
        case WM_MOUSEMOVE:
            m_wndToolTip.RelayEvent(pMsg);
            break;
        default: break;
        }
    }

    if (pMsg->message == WM_KEYDOWN && pMsg->hwnd == m_hWnd) {
        if (pMsg->wParam == VK_RETURN) {
            SendClickToParent();
            return TRUE;
        }
        if (m_bAutoCheck && m_bCheckButton && pMsg->wParam == VK_SPACE) {
            SetCheck(m_bChecked ? 0 : 1);
            SendClickToParent();
            return TRUE;
        }
        if (m_bAutoCheck && m_bRadioButton) {
            BOOL bMove = FALSE, bPrevious = FALSE;
            switch (pMsg->wParam) {
            case VK_LEFT:
            case VK_UP: bMove = bPrevious = TRUE; break;
            case VK_RIGHT:
            case VK_DOWN: bMove = TRUE; break;
            default: break;
            }
            if (bMove) {
                CSPButton* pNext = NextRadioInGroup(bPrevious);
                if (pNext != NULL) {
                    CheckRadio(pNext);
                    pNext->SetFocus();
                    pNext->SendClickToParent();
                }
                return TRUE;
            }
        }
    }
    return CButton::PreTranslateMessage(pMsg);
}

void CSPButton::GetVisualInfo(SPButtonInfo& info) {
    info.pWnd = this;
    info.bPushed = IsPressed();
    info.bHighlighted = IsHighlighted();
}
