// CSPToolBar: painting, hit testing and tooltips.
#include "SPToolBar.h"
#include "SPDrawEffects.h"
#include "SPBarBorderHelper.h"
#include "SPGlobalData.h"
#include "SPKeyboardManager.h"
#include "SPUserToolsManager.h"
#include "SPVisualManager.h"

// The text of the last tooltip answered outlives the notification.
static CString s_strToolTipText;

BOOL CSPToolBar::OnEraseBkgnd(CDC* /*pDC*/) { return TRUE; }

void CSPToolBar::OnSysColorChange() {
    CSPBaseToolBar::OnSysColorChange();
    spGlobalData.UpdateSysColors();
    CSPVisualManager::GetInstance()->OnUpdateSystemColors();
    CSPButtonImages* const images[] = {&m_ImagesLocked,         &m_ColdImagesLocked,     &m_DisabledImagesLocked,
                                       &m_LargeImagesLocked,    &m_LargeColdImagesLocked,
                                       &m_LargeDisabledImagesLocked, &m_MenuImagesLocked, &m_DisabledMenuImagesLocked,
                                       m_pUserImages,           &m_Images,               &m_ColdImages,
                                       &m_MenuImages,           &m_DisabledMenuImages,   &m_LargeImages,
                                       &m_LargeColdImages,      &m_LargeDisabledImages};
    for (CSPButtonImages* pImages : images)
        if (pImages != NULL && pImages->GetCount() > 0) pImages->SetTransparentColor(spGlobalData.clrBtnFace);
    Invalidate();
}

// The collection of a kind: the large one replaces the normal one while
// large icons are on, outside menu mode, and when it holds images.
static CSPButtonImages* ChooseImages(CSPButtonImages& normal, CSPButtonImages& large, BOOL bLarge) {
    return bLarge && large.GetCount() > 0 ? &large : &normal;
}

void CSPToolBar::GetDrawImages(CSPButtonImages*& pImages, CSPButtonImages*& pCold, CSPButtonImages*& pDisabled,
                               CSPButtonImages*& pMenu, CSPButtonImages*& pMenuDisabled) {
    const BOOL bLarge = m_bLargeIcons && !m_bMenuMode;
    if (m_bLocked) {
        pImages = ChooseImages(m_ImagesLocked, m_LargeImagesLocked, bLarge);
        pCold = ChooseImages(m_ColdImagesLocked, m_LargeColdImagesLocked, bLarge);
        pDisabled = ChooseImages(m_DisabledImagesLocked, m_LargeDisabledImagesLocked, bLarge);
        pMenu = &m_MenuImagesLocked;
        pMenuDisabled = &m_DisabledMenuImagesLocked;
    } else {
        pImages = ChooseImages(m_Images, m_LargeImages, bLarge);
        pCold = ChooseImages(m_ColdImages, m_LargeColdImages, bLarge);
        pDisabled = ChooseImages(m_DisabledImages, m_LargeDisabledImages, bLarge);
        pMenu = &m_MenuImages;
        pMenuDisabled = &m_DisabledMenuImages;
    }
}

CSize CSPToolBar::GetDrawImageSize() const {
    if (m_bMenuMode) return GetMenuImageSize();
    if (m_bLocked) return m_bLargeIconsAreEnbaled ? m_sizeCurImageLocked : m_sizeImageLocked;
    return m_bLargeIconsAreEnbaled ? m_sizeCurImage : m_sizeImage;
}

// Image drawing prepared for one collection at a time.
class CSPImageDrawing {
public:
    CSPImageDrawing(CSize sizeImage) : m_pImages(NULL), m_sizeImage(sizeImage) {}
    ~CSPImageDrawing() { End(); }
    BOOL Use(CSPButtonImages* pImages) {
        if (pImages == m_pImages) return TRUE;
        End();
        if (pImages == NULL) return TRUE;
        if (pImages->GetTransparentColor() != spGlobalData.clrBtnFace)
            pImages->SetTransparentColor(spGlobalData.clrBtnFace);
        if (!pImages->PrepareDraw(m_ds, m_sizeImage, FALSE)) return FALSE;
        m_pImages = pImages;
        return TRUE;
    }
    void End() {
        if (m_pImages != NULL) m_pImages->EndDraw(m_ds);
        m_pImages = NULL;
    }

private:
    CSPButtonImages* m_pImages;
    CSPDrawState m_ds;
    CSize m_sizeImage;
};

void CSPToolBar::DoPaint(CDC* pDCPaint) {
    CRect rectClient;
    GetClientRect(rectClient);
    const BOOL bHorz = IsHorizontalAligned();
    CSPVisualManager* pVisual = CSPVisualManager::GetInstance();

    CSPOffscreenDC offscreen(pDCPaint, rectClient);
    CDC* pDC = offscreen.GetDC();
    const CRect rectClip = offscreen.GetClipBox();
    if (offscreen.IsOffscreen()) {
        if (!(GetStyle() & TBSTYLE_TRANSPARENT)) {
            pVisual->OnFillBarBackground(pDC, this, rectClient, rectClip, FALSE);
        } else {
            CSPBarBorderHelper border(this);
            border.FillBackground(pDC);
        }
    }

    OnFillBackground(pDC);
    pDC->SetTextColor(spGlobalData.clrBtnText);
    pDC->SetBkMode(TRANSPARENT);

    CSPButtonImages *pImages, *pCold, *pDisabled, *pMenu, *pMenuDisabled;
    GetDrawImages(pImages, pCold, pDisabled, pMenu, pMenuDisabled);
    if (pImages->GetTransparentColor() != spGlobalData.clrBtnFace) pImages->SetTransparentColor(spGlobalData.clrBtnFace);

    CSPImageDrawing drawing(GetDrawImageSize());
    const BOOL bImages = pImages->GetImageWell() != NULL;
    BOOL bPrepared = !bImages || drawing.Use(pImages);
    if (bPrepared) {
        CFont* pOldFont = pDC->SelectObject(GetBarFont(bHorz));
        const BOOL bCustomizing = g_bCustomizeMode && !m_bLocked;
        int iButton = 0;
        for (POSITION pos = m_Buttons.GetHeadPosition(); pos != NULL; iButton++) {
            CSPToolbarButton* pButton = (CSPToolbarButton*)m_Buttons.GetNext(pos);
            if (pButton->IsSeparator()) {
                CRect rectSeparator;
                GetSeparatorRect(pButton, rectSeparator, bHorz);
                const BOOL bWrapped = pButton->m_bWrap && bHorz;
                if (!pButton->IsHidden() && CRect().IntersectRect(rectSeparator, rectClip))
                    DrawSeparator(pDC, rectSeparator, bWrapped ? FALSE : bHorz);
                continue;
            }
            if (!CRect().IntersectRect(pButton->Rect(), rectClip) || !pDC->RectVisible(pButton->Rect())) continue;

            const BOOL bDisabled = (pButton->m_nStyle & TBBS_DISABLED) && !g_bCustomizeMode;
            BOOL bHighlight;
            if (bCustomizing)
                bHighlight = FALSE;
            else if (m_bMenuMode)
                bHighlight = iButton == m_iHighlighted;
            else
                bHighlight = (iButton == m_iHighlighted || iButton == m_iButtonCapture) &&
                             (m_iButtonCapture == -1 || iButton == m_iButtonCapture);

            CSPButtonImages* pButtonImages = pImages;
            BOOL bDisabledImage = FALSE;
            if (pButton->m_bUserButton && pButton->m_iUserImage >= 0) {
                pButtonImages = m_pUserImages;
            } else if (m_bMenuMode) {
                if (bDisabled && pMenuDisabled->GetCount() > 0) {
                    pButtonImages = pMenuDisabled;
                    bDisabledImage = TRUE;
                } else if (pMenu->GetCount() > 0) {
                    pButtonImages = pMenu;
                } else if (bDisabled && pDisabled->GetCount() > 0) {
                    pButtonImages = pDisabled;
                    bDisabledImage = TRUE;
                }
            } else if (bDisabled && pDisabled->GetCount() > 0) {
                pButtonImages = pDisabled;
                bDisabledImage = TRUE;
            } else if (!bHighlight && !(pButton->m_nStyle & TBBS_PRESSED) && pCold->GetCount() > 0 &&
                       !pButton->IsDroppedDown()) {
                pButtonImages = pCold;
            }
            if (bImages && pButtonImages != NULL && !drawing.Use(pButtonImages)) pButtonImages = NULL;
            DrawButton(pDC, pButton, bImages ? pButtonImages : NULL, bHighlight, bDisabledImage);
        }

        if (m_iSelected >= GetCount()) m_iSelected = -1;
        if (bCustomizing && m_pSelToolbar == this) {
            CSPToolbarButton* pSelected = GetButton(m_iSelected);
            if (pSelected != NULL && pSelected->CanBeStored()) {
                CRect rectFrame = pSelected->Rect();
                if (pSelected->GetHwnd() != NULL) rectFrame.InflateRect(0, 1);
                pDC->Draw3dRect(rectFrame, spGlobalData.clrBtnText, spGlobalData.clrBtnText);
                rectFrame.DeflateRect(1, 1);
                pDC->Draw3dRect(rectFrame, spGlobalData.clrBtnText, spGlobalData.clrBtnText);
            }
        }
        if (bCustomizing && m_iDragIndex >= 0) DrawDragMarker(pDC);
        pDC->SelectObject(pOldFont);
    }
    drawing.End();

    if (bPrepared) offscreen.Flush();
}

BOOL CSPToolBar::DrawButton(CDC* pDC, CSPToolbarButton* pButton, CSPButtonImages* pImages, BOOL bHighlighted,
                            BOOL bDrawDisabledImages) {
    if (pButton->IsHidden() || !pDC->RectVisible(pButton->Rect())) return TRUE;
    const BOOL bCustomizeMode = g_bCustomizeMode && !m_bLocked;
    pButton->OnDraw(pDC, pButton->Rect(), pImages, IsHorizontalAligned(), bCustomizeMode, bHighlighted,
                    m_bShowHotBorder, m_bGrayDisabledButtons && !bDrawDisabledImages);
    return TRUE;
}

void CSPToolBar::DrawSeparator(CDC* pDC, const CRect& rect, BOOL bHorz) {
    CSPVisualManager::GetInstance()->OnDrawSeparator(pDC, this, rect, bHorz);
}

void CSPToolBar::DrawDragMarker(CDC* pDC) {
    CPen* pOldPen = pDC->SelectObject(&m_penDrag);
    const BOOL bHorz = IsHorizontalAligned();
    for (int i = 0; i < 2; i++) {
        if (bHorz) {
            const int x = m_rectDrag.left + m_rectDrag.Width() / 2 + i - 1;
            pDC->MoveTo(x, m_rectDrag.top);
            pDC->LineTo(x, m_rectDrag.bottom);
            pDC->MoveTo(m_rectDrag.left + i, m_rectDrag.top + i);
            pDC->LineTo(m_rectDrag.right - i, m_rectDrag.top + i);
            pDC->MoveTo(m_rectDrag.left + i, m_rectDrag.bottom - i - 1);
            pDC->LineTo(m_rectDrag.right - i, m_rectDrag.bottom - i - 1);
        } else {
            const int y = m_rectDrag.top + m_rectDrag.Height() / 2 + i - 1;
            pDC->MoveTo(m_rectDrag.left, y);
            pDC->LineTo(m_rectDrag.right, y);
            pDC->MoveTo(m_rectDrag.left + i, m_rectDrag.top + i);
            pDC->LineTo(m_rectDrag.left + i, m_rectDrag.bottom - i);
            pDC->MoveTo(m_rectDrag.right - i - 1, m_rectDrag.top + i);
            pDC->LineTo(m_rectDrag.right - i - 1, m_rectDrag.bottom - i);
        }
    }
    pDC->SelectObject(pOldPen);
}

int CSPToolBar::HitTest(CPoint point) {
    int i = 0;
    for (POSITION pos = m_Buttons.GetHeadPosition(); pos != NULL; i++) {
        CSPToolbarButton* pButton = (CSPToolbarButton*)m_Buttons.GetNext(pos);
        if (pButton->IsHidden() || !pButton->Rect().PtInRect(point)) continue;
        return pButton->IsSeparator() ? -1 : i;
    }
    return -1;
}

void CSPToolBar::UpdateTooltips() {
    if (m_wndToolTip.GetSafeHwnd() == NULL) return;
    for (int i = 1; i <= m_nTooltipsCount; i++) m_wndToolTip.DelTool(this, i);
    int i = 0;
    for (POSITION pos = m_Buttons.GetHeadPosition(); pos != NULL; i++) {
        CSPToolbarButton* pButton = (CSPToolbarButton*)m_Buttons.GetNext(pos);
        CRect rect = pButton->Rect();
        m_wndToolTip.AddTool(this, LPSTR_TEXTCALLBACK, rect, i + 1);
    }
    m_nTooltipsCount = GetCount();
}

BOOL CSPToolBar::OnUserToolTip(CSPToolbarButton* /*pButton*/, CString& /*strTTText*/) const {
    // The library frames' tooltip hook joins with the frames.
    return FALSE;
}

INT_PTR CSPToolBar::OnToolHitTest(CPoint point, TOOLINFO* pTI) const {
    if (!m_bShowTooltips) return -1;
    const INT_PTR nChild = CSPBaseToolBar::OnToolHitTest(point, pTI);
    if (nChild != -1) return nChild;

    const int iHit = const_cast<CSPToolBar*>(this)->HitTest(point);
    CSPToolbarButton* pButton = GetButton(iHit);
    if (pButton == NULL) return -1;
    const BOOL bValidCmd = pButton->m_nID != 0 && pButton->m_nID != (UINT)-1;
    const INT_PTR nResult = bValidCmd ? (INT_PTR)pButton->m_nID : 0;
    if (pTI == NULL) return nResult;

    CString strText;
    if (!OnUserToolTip(pButton, strText)) {
        const BOOL bUserTool = g_pUserToolsManager != NULL && g_pUserToolsManager->IsUserToolCmd(pButton->m_nID);
        if (!bValidCmd || pButton->m_bUserButton) {
            strText = pButton->m_strText;
            strText.Remove('&');
        } else if (!bUserTool) {
            CString strResource;
            if (strResource.LoadString(pButton->m_nID)) {
                strResource = strResource.Left(255);
                const int iNewLine = strResource.Find('\n');
                if (iNewLine >= 0) strText = strResource.Mid(iNewLine + 1);
            }
        } else {
            strText = pButton->m_strText;
        }
    }
    if (strText.IsEmpty()) return -1;

    CFrameWnd* pParentFrame = SPGetParentFrame(const_cast<CSPToolBar*>(this));
    if (bValidCmd && m_bShowShortcutKeys && pParentFrame != NULL) {
        CFrameWnd* pTopFrame = pParentFrame->GetTopLevelFrame();
        if (pTopFrame == NULL) pTopFrame = pParentFrame;
        CString strKey;
        BOOL bFound = CSPKeyboardManager::FindDefaultAccelerator(pButton->m_nID, strKey, pTopFrame, TRUE);
        if (!bFound) {
            CFrameWnd* pActive = pTopFrame->GetActiveFrame();
            if (pActive != NULL)
                bFound = CSPKeyboardManager::FindDefaultAccelerator(pButton->m_nID, strKey, pActive, FALSE);
        }
        if (bFound && !strKey.IsEmpty()) strText += " (" + strKey + ")";
    }

    pTI->lpszText = (LPSTR)malloc(strText.GetLength() + 1);
    if (pTI->lpszText == NULL) return -1;
    memcpy(pTI->lpszText, (LPCTSTR)strText, strText.GetLength() + 1);
    pTI->rect = pButton->Rect();
    pTI->uId = nResult;
    pTI->hwnd = m_hWnd;
    return nResult;
}

BOOL CSPToolBar::OnNeedTipText(UINT /*id*/, NMHDR* pNMH, LRESULT* /*pResult*/) {
    if (m_wndToolTip.GetSafeHwnd() == NULL || pNMH->hwndFrom != m_wndToolTip.GetSafeHwnd()) return FALSE;
    CPoint point;
    ::GetCursorPos(&point);
    ScreenToClient(&point);
    TOOLINFO ti;
    memset(&ti, 0, sizeof(ti));
    ti.cbSize = sizeof(ti);
    if (OnToolHitTest(point, &ti) < 0 || ti.lpszText == NULL || ti.lpszText == LPSTR_TEXTCALLBACK) return FALSE;
    s_strToolTipText = ti.lpszText;
    free(ti.lpszText);
    NMTTDISPINFOA* pDispInfo = (NMTTDISPINFOA*)pNMH;
    pDispInfo->lpszText = (LPSTR)(LPCTSTR)s_strToolTipText;
    m_wndToolTip.SendMessage(WM_SETFONT, (WPARAM)spGlobalData.fontRegular.GetSafeHandle());
    m_wndToolTip.SetWindowPos(&CWnd::wndTopMost, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    return TRUE;
}

BOOL CSPToolBar::PreTranslateMessage(MSG* pMsg) {
    if (pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_ESCAPE && OnEscapeKey()) return TRUE;
    if (m_wndToolTip.GetSafeHwnd() != NULL && pMsg->message >= WM_MOUSEFIRST && pMsg->message <= WM_MOUSELAST)
        m_wndToolTip.RelayEvent(pMsg);
    return CSPBaseToolBar::PreTranslateMessage(pMsg);
}
