#include <algorithm>

#include "SPDrawEffects.h"
#include "SPGlobalData.h"
#include "SPOutlookBarPane.h"
#include "SPVisualManager.h"

IMPLEMENT_SERIAL(CSPOutlookButton, CSPToolbarButton, VERSIONABLE_SCHEMA | 1)

CSPOutlookButton::CSPOutlookButton() : m_pWndParentBar(NULL), m_sizeImage(0, 0), m_bIsWholeText(TRUE) {}

CSPOutlookButton::~CSPOutlookButton() {}

BOOL CSPOutlookButton::CanBeDropped(CSPToolBar* pToolbar) { return DYNAMIC_DOWNCAST(CSPOutlookBarPane, pToolbar) != NULL; }

void CSPOutlookButton::OnChangeParentWnd(CWnd* pWndParent) {
    CSPToolbarButton::OnChangeParentWnd(pWndParent);
    m_pWndParentBar = DYNAMIC_DOWNCAST(CSPOutlookBarPane, pWndParent);
}

BOOL CSPOutlookButton::IsDraggedIn(IDataObject* pDataObject) {
    CSPToolbarButton* pButton = CSPToolbarButton::CreateFromOleData(pDataObject);
    const BOOL bOutlook = pButton != NULL && pButton->IsKindOf(RUNTIME_CLASS(CSPOutlookButton));
    delete pButton;
    return bOutlook;
}

void CSPOutlookButton::SetImage(int iImage) { m_iImage = iImage; }

SIZE CSPOutlookButton::OnCalculateSize(CDC* pDC, const CSize& sizeDefault, BOOL bHorz) {
    const BOOL bShowText = m_bText && !m_strText.IsEmpty();
    CRect rectText(0, 0, 0, 0);
    if (!bHorz) {
        rectText.right = std::max<int>(0, sizeDefault.cx - pDC->GetTextExtent(_T("   ")).cx);
        if (bShowText) pDC->DrawText(m_strText, rectText, DT_CALCRECT | DT_WORDBREAK);
        else rectText.bottom = 0;
        m_bIsWholeText = rectText.Width() <= sizeDefault.cx;
        CSize size(std::min<int>(sizeDefault.cx, rectText.Width()), sizeDefault.cy + rectText.Height() + 10);
        size.cx = std::max<int>(size.cx, m_sizeImage.cx);
        return size;
    }

    // Widened a pixel at a time until the label takes no more lines than fit
    // the default height.
    rectText.bottom = sizeDefault.cy;
    if (bShowText) {
        TEXTMETRIC tm;
        pDC->GetTextMetrics(&tm);
        const int nMaxWidth = std::max<int>(1, pDC->GetTextExtent(m_strText).cx);
        do {
            rectText.right++;
            rectText.bottom = sizeDefault.cy;
            pDC->DrawText(m_strText, rectText, DT_CALCRECT | DT_WORDBREAK);
        } while (rectText.Height() > sizeDefault.cy && rectText.Height() > tm.tmHeight && rectText.Width() < nMaxWidth);
    } else {
        rectText.SetRectEmpty();
    }
    m_bIsWholeText = TRUE;
    return CSize(sizeDefault.cx + rectText.Width() + 10,
                 std::max<int>(m_sizeImage.cy, std::min<int>(sizeDefault.cy, rectText.Height())));
}

void CSPOutlookButton::OnDraw(CDC* pDC, const CRect& rect, CSPButtonImages* pImages, BOOL bHorz,
                              BOOL bCustomizeMode, BOOL bHighlight, BOOL /*bDrawBorder*/,
                              BOOL /*bGrayDisabledButtons*/) {
    CSPVisualManager* pVisual = CSPVisualManager::GetInstance();
    const BOOL bTiled = m_pWndParentBar != NULL && m_pWndParentBar->IsBackgroundTiled();
    const BOOL bBackImage = m_pWndParentBar != NULL && m_pWndParentBar->GetBackImage() != 0;
    const BOOL bPressed = !bCustomizeMode && bHighlight && (m_nStyle & TBBS_PRESSED);
    const BOOL bDisabled = (m_nStyle & TBBS_DISABLED) != 0;

    // The button is only as wide as the label was measured; a little room on
    // either side keeps an exact fit from breaking its last word.
    CRect rectText = rect;
    rectText.InflateRect(3, 0);
    const UINT uiTextFormat = m_bIsWholeText ? (DT_CENTER | DT_WORDBREAK) : (DT_WORDBREAK | DT_END_ELLIPSIS);

    if (pImages != NULL && IsImageValid()) {
        CPoint ptImage;
        if (!bHorz) {
            ptImage = CPoint(rect.left + (rect.Width() - m_sizeImage.cx) / 2, rect.top + 5);
            rectText.top = ptImage.y + m_sizeImage.cy + 2;
        } else {
            ptImage = CPoint(rect.left + 5, rect.top + (rect.Height() - m_sizeImage.cy) / 2);
            rectText.left = ptImage.x + m_sizeImage.cx + 10;
            CRect rectCalc = rectText;
            pDC->DrawText(m_strText, rectCalc, uiTextFormat | DT_CALCRECT);
            rectText.top += (rectText.Height() - rectCalc.Height()) / 2;
        }
        if (bPressed) ptImage.Offset(1, 1);

        CRect rectImage(ptImage, m_sizeImage);
        rectImage.InflateRect(2, 2);
        if (!bTiled) {
            CRect rectFrame = rectImage;
            if (m_bExtraSize) {
                const CSize sizeExtra = pVisual->GetButtonExtraBorder();
                rectFrame.InflateRect(std::max<int>(0, sizeExtra.cx / 2 - 1), std::max<int>(0, sizeExtra.cy / 2 - 1));
            }
            pVisual->OnFillButtonInterior(pDC, this, rectFrame, CSPVisualManager::ButtonsIsRegular);
        } else if (bHighlight && !bCustomizeMode) {
            CSPDrawEffects(*pDC).ScaleRectBrightness(rectImage, 85);
        }
        pImages->Draw(pDC, ptImage.x, ptImage.y, GetImage(), FALSE, bDisabled);

        if (!bCustomizeMode && (bHighlight || (m_nStyle & (TBBS_PRESSED | TBBS_CHECKED)))) {
            const BOOL bLookPressed = ((m_nStyle & TBBS_PRESSED) && bHighlight) || (m_nStyle & TBBS_CHECKED);
            pVisual->OnDrawButtonBorder(pDC, this, rectImage,
                                        bLookPressed ? CSPVisualManager::ButtonsIsPressed
                                                     : CSPVisualManager::ButtonsIsHighlighted);
        }
    } else if (!bHorz) {
        rectText.top += 5 + m_sizeImage.cy + 2;
    }

    if (!m_bText || m_strText.IsEmpty()) return;
    COLORREF clrText;
    const COLORREF clrPage = m_pWndParentBar != NULL ? m_pWndParentBar->GetTextColor() : (COLORREF)-1;
    if (clrPage != (COLORREF)-1 && !bDisabled)
        clrText = clrPage;
    else if (bDisabled && bBackImage)
        clrText = ::GetSysColor(COLOR_GRAYTEXT);
    else if (!bBackImage)
        clrText = pVisual->GetToolbarButtonTextColor(this, bHighlight ? CSPVisualManager::ButtonsIsHighlighted
                                                                      : CSPVisualManager::ButtonsIsRegular);
    else
        clrText = ::GetSysColor(COLOR_WINDOWTEXT);
    const COLORREF clrOld = pDC->SetTextColor(clrText);
    pDC->DrawText(m_strText, rectText, uiTextFormat);
    pDC->SetTextColor(clrOld);
}
