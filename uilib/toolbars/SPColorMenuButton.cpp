// SPColorMenuButton.cpp - the colour menu button and the colour popup.
#include "SPColorMenuButton.h"

#include "SPColorButton.h"
#include "SPCommandManager.h"
#include "SPGlobalData.h"
#include "SPMenuBar.h"
#include "SPMenuImages.h"
#include "SPProp.h"
#include "SPPropList.h"
#include "SPToolBar.h"
#include "SPToolbarState.h"
#include "SPUserToolsManager.h"
#include "SPVisualManager.h"

// ---------------------------------------------------------------------------
// CSPColorMenuButton

IMPLEMENT_SERIAL(CSPColorMenuButton, CSPToolbarMenuButton, VERSIONABLE_SCHEMA | 1)

UINT CSPColorMenuButton::GetDocumentColorsMessage() {
    static const UINT s_uiMessage = ::RegisterWindowMessage(_T("STOOLBAR__GETDOCUMENTCOLORS"));
    return s_uiMessage;
}

CMap<UINT, UINT, COLORREF, COLORREF>& CSPColorMenuButton::CommandColors() {
    static CMap<UINT, UINT, COLORREF, COLORREF> s_colors;
    return s_colors;
}

CSPColorMenuButton::CSPColorMenuButton() { Initialize(); }

CSPColorMenuButton::CSPColorMenuButton(UINT uiCmdID, LPCTSTR lpszText, CPalette* pPalette)
    : CSPToolbarMenuButton(uiCmdID, NULL, SPGetCommandManager()->GetCmdImage(uiCmdID, FALSE), lpszText) {
    Initialize();
    CSPColorBar::ColorsFromPalette(pPalette, m_Colors);
    m_Color = GetColorByCmdID(uiCmdID);
}

void CSPColorMenuButton::Initialize() {
    m_Color = (COLORREF)-1;
    m_colorAutomatic = 0;
    m_nColumns = -1;
    m_nVertDockColumns = -1;
    m_nHorzDockRows = -1;
    m_bIsAutomaticButton = FALSE;
    m_bIsOtherButton = FALSE;
    m_bIsDocumentColors = FALSE;
    m_bStdColorDlg = FALSE;
}

CSPColorMenuButton::~CSPColorMenuButton() {}

void CSPColorMenuButton::EnableAutomaticButton(LPCTSTR lpszLabel, COLORREF colorAutomatic, BOOL bEnable) {
    m_bIsAutomaticButton = bEnable;
    if (!bEnable) return;
    m_strAutomaticButtonLabel = lpszLabel != NULL ? lpszLabel : _T("");
    m_colorAutomatic = colorAutomatic;
}

void CSPColorMenuButton::EnableOtherButton(LPCTSTR lpszLabel, BOOL bAltColorDlg, BOOL bEnable) {
    m_bIsOtherButton = bEnable;
    if (!bEnable) return;
    m_strOtherButtonLabel = lpszLabel != NULL ? lpszLabel : _T("");
    m_bStdColorDlg = !bAltColorDlg;
}

void CSPColorMenuButton::EnableDocumentColors(LPCTSTR lpszLabel, BOOL bEnable) {
    m_bIsDocumentColors = bEnable;
    if (bEnable) m_strDocumentColorsLabel = lpszLabel != NULL ? lpszLabel : _T("");
}

void CSPColorMenuButton::EnableTearOff(UINT uiID, int nVertDockColumns, int nHorzDockRows) {
    // The user tools' ids are handed out by the tools manager: a bar with
    // one of them would clash with a tool.
    const BOOL bUserTool = g_pUserToolsManager != NULL && g_pUserToolsManager->IsUserToolCmd(uiID);
    m_uiTearOffBarID = bUserTool ? 0 : uiID;
    m_nVertDockColumns = nVertDockColumns;
    m_nHorzDockRows = nHorzDockRows;
}

void CSPColorMenuButton::SetColorName(COLORREF color, const CString& strName) {
    CSPColorBar::ColorNames().SetAt(color, strName);
}

COLORREF CSPColorMenuButton::GetColorByCmdID(UINT uiCmdID) {
    COLORREF color = (COLORREF)-1;
    CommandColors().Lookup(uiCmdID, color);
    return color;
}

void CSPColorMenuButton::SetCommandColor(UINT uiCmdID, COLORREF color) {
    CommandColors().SetAt(uiCmdID, color);
    CObList listButtons;
    if (CSPToolBar::GetCommandButtons(uiCmdID, listButtons) == 0) return;
    for (POSITION pos = listButtons.GetHeadPosition(); pos != NULL;) {
        CSPColorMenuButton* pOther = DYNAMIC_DOWNCAST(CSPColorMenuButton, listButtons.GetNext(pos));
        if (pOther != NULL) pOther->SetColor(color, FALSE);
    }
}

void CSPColorMenuButton::SetColor(COLORREF clr, BOOL bNotify) {
    m_Color = clr;
    CommandColors().SetAt(m_nID, m_Color);
    if (m_pWndParent != NULL && ::IsWindow(m_pWndParent->GetSafeHwnd())) {
        CRect rect = m_rect;
        rect.InflateRect(2, 2);
        m_pWndParent->InvalidateRect(rect);
    }
    if (!bNotify) return;
    CObList listButtons;
    if (CSPToolBar::GetCommandButtons(m_nID, listButtons) > 0) {
        for (POSITION pos = listButtons.GetHeadPosition(); pos != NULL;) {
            CSPColorMenuButton* pOther = DYNAMIC_DOWNCAST(CSPColorMenuButton, listButtons.GetNext(pos));
            if (pOther != NULL && pOther != this) pOther->SetColor(clr, FALSE);
        }
    }
    for (POSITION pos = g_lstAllToolbars.GetHeadPosition(); pos != NULL;) {
        CSPColorBar* pBar = DYNAMIC_DOWNCAST(CSPColorBar, g_lstAllToolbars.GetNext(pos));
        if (pBar != NULL && pBar->GetCommandID() == m_nID) pBar->SetColor(clr);
    }
}

BOOL CSPColorMenuButton::OpenColorDialog(const COLORREF colorDefault, COLORREF& colorRes) {
    return CSPColorBar::s_pfnRunColorDialog(m_bStdColorDlg, colorDefault, colorRes);
}

int CSPColorMenuButton::OnDrawOnCustomizeList(CDC* pDC, const CRect& rect, BOOL bSelected) {
    // Without its command it counts as a menu and shows the arrow.
    const UINT uiID = m_nID;
    m_nID = 0;
    const int nWidth = CSPToolbarMenuButton::OnDrawOnCustomizeList(pDC, rect, bSelected);
    m_nID = uiID;
    return nWidth;
}

void CSPColorMenuButton::OnChangeParentWnd(CWnd* pWndParent) {
    CSPToolbarMenuButton::OnChangeParentWnd(pWndParent);
    m_bDrawDownArrow = TRUE;
    if (pWndParent == NULL) {
        m_pWndParent = NULL;
        return;
    }
    if (pWndParent->IsKindOf(RUNTIME_CLASS(CSPMenuBar))) {
        m_bText = TRUE;
    } else if (pWndParent->IsKindOf(RUNTIME_CLASS(CSPPopupMenuBar))) {
        m_bMenuMode = TRUE;
        m_bText = TRUE;
    } else {
        m_bMenuMode = FALSE;
    }
}

CRect CSPColorMenuButton::GetStripRect(const CRect& rect, CSPButtonImages* pImages, BOOL bHorz) const {
    const CSize sizeImage = pImages != NULL ? pImages->GetImageSize() : CSPToolbarSharedState::GetMenuImageSize();
    if (m_bMenuMode) {
        const int nLeft = rect.left + CSPVisualManager::GetInstance()->GetMenuImageMargin() + 1;
        return CRect(nLeft, rect.bottom - 7, nLeft + sizeImage.cx, rect.bottom - 2);
    }
    CRect rectStrip = rect;
    if (m_bDrawDownArrow && bHorz) {
        int nArrow = CSPMenuImages::Size().cx;
        if (CSPToolBar::IsLargeIcons()) nArrow *= 2;
        rectStrip.right -= 4 + nArrow;
    }
    // the image sits centred in what is left
    const int xImage = rectStrip.left + (rectStrip.Width() - sizeImage.cx) / 2;
    const int yImage = rectStrip.top + (rectStrip.Height() - sizeImage.cy) / 2;
    rectStrip = CRect(xImage + 4, yImage + sizeImage.cy - 1, xImage + sizeImage.cx - 4, yImage + sizeImage.cy + 4);
    if (!bHorz) rectStrip.OffsetRect(0, 1);
    if ((m_nStyle & (TBBS_CHECKED | TBBS_PRESSED) || m_pPopupMenu != NULL) && !m_bClickedOnMenu &&
        !CSPToolBar::IsLook2000())
        rectStrip.OffsetRect(1, 1);
    return rectStrip;
}

void CSPColorMenuButton::OnDraw(CDC* pDC, const CRect& rect, CSPButtonImages* pImages, BOOL bHorz,
                                BOOL bCustomizeMode, BOOL bHighlight, BOOL bDrawBorder, BOOL bGrayDisabledButtons) {
    CSPToolbarMenuButton::OnDraw(pDC, rect, pImages, bHorz, bCustomizeMode, bHighlight, bDrawBorder,
                                 bGrayDisabledButtons);
    if (!m_bImage || m_iImage < 0 || pImages == NULL) return;

    CPalette* pOldPalette = NULL;
    if (spGlobalData.nBitsPerPixel == 8) {
        if (m_Palette.GetSafeHandle() == NULL) CSPColorBar::CreatePalette(m_Colors, m_Palette);
        if (m_Palette.GetSafeHandle() != NULL) {
            pOldPalette = pDC->SelectPalette(&m_Palette, FALSE);
            pDC->RealizePalette();
        }
    } else if (m_Palette.GetSafeHandle() != NULL) {
        m_Palette.DeleteObject();
    }

    const BOOL bDisabled = (m_nStyle & TBBS_DISABLED) != 0;
    CRect rectStrip = GetStripRect(rect, pImages, bHorz);
    if (bHighlight && !bCustomizeMode && !(m_nStyle & (TBBS_CHECKED | TBBS_PRESSED)) && !bDisabled &&
        CSPToolBar::IsLook2000()) {
        pDC->FillSolidRect(rectStrip, spGlobalData.clrBtnShadow);
        rectStrip.OffsetRect(-1, -1);
    }
    const COLORREF color = bDisabled ? spGlobalData.clrBtnShadow
                                     : (m_Color == (COLORREF)-1 ? m_colorAutomatic : m_Color);
    pDC->FillSolidRect(rectStrip, color);
    if (!CSPToolBar::IsLook2000())
        pDC->Draw3dRect(rectStrip, spGlobalData.clrBtnShadow, spGlobalData.clrBtnHilite);
    else if (color == spGlobalData.clrBtnFace)
        pDC->Draw3dRect(rectStrip, spGlobalData.clrBtnDkShadow, spGlobalData.clrBtnDkShadow);
    if (pOldPalette != NULL) pDC->SelectPalette(pOldPalette, FALSE);
}

CSPPopupMenu* CSPColorMenuButton::CreatePopupMenu() {
    CList<COLORREF, COLORREF> lstDocColors;
    if (m_bIsDocumentColors && m_pWndParent != NULL && ::IsWindow(m_pWndParent->GetSafeHwnd())) {
        CFrameWnd* pFrame = SPGetParentFrame(m_pWndParent);
        if (pFrame == NULL) pFrame = m_pWndParent->GetTopLevelFrame();
        if (pFrame != NULL)
            pFrame->SendMessage(GetDocumentColorsMessage(), (WPARAM)m_nID, (LPARAM)&lstDocColors);
    }
    CColorPopup* pPopup = new CColorPopup(
        this, m_Colors, m_Color, m_bIsAutomaticButton ? (LPCTSTR)m_strAutomaticButtonLabel : NULL,
        m_bIsOtherButton ? (LPCTSTR)m_strOtherButtonLabel : NULL,
        m_bIsDocumentColors ? (LPCTSTR)m_strDocumentColorsLabel : NULL, lstDocColors, m_nColumns, m_nHorzDockRows,
        m_nVertDockColumns, m_colorAutomatic, m_nID);
    pPopup->m_wndColorBar.m_bStdColorDlg = m_bStdColorDlg;
    return pPopup;
}

void CSPColorMenuButton::CopyFrom(const CSPToolbarButton& s) {
    CSPToolbarMenuButton::CopyFrom(s);
    const CSPColorMenuButton* pSrc = DYNAMIC_DOWNCAST(CSPColorMenuButton, const_cast<CSPToolbarButton*>(&s));
    if (pSrc == NULL) return;
    m_Color = pSrc->m_Color;
    CommandColors().SetAt(m_nID, m_Color);
    m_Colors.Copy(pSrc->m_Colors);
    m_bIsAutomaticButton = pSrc->m_bIsAutomaticButton;
    m_bIsOtherButton = pSrc->m_bIsOtherButton;
    m_bIsDocumentColors = pSrc->m_bIsDocumentColors;
    m_colorAutomatic = pSrc->m_colorAutomatic;
    m_strAutomaticButtonLabel = pSrc->m_strAutomaticButtonLabel;
    m_strOtherButtonLabel = pSrc->m_strOtherButtonLabel;
    m_strDocumentColorsLabel = pSrc->m_strDocumentColorsLabel;
    m_nColumns = pSrc->m_nColumns;
    m_nVertDockColumns = pSrc->m_nVertDockColumns;
    m_nHorzDockRows = pSrc->m_nHorzDockRows;
    m_bStdColorDlg = pSrc->m_bStdColorDlg;
}

void CSPColorMenuButton::Serialize(CArchive& ar) {
    CSPToolbarMenuButton::Serialize(ar);
    if (ar.IsStoring()) {
        ar << (int)m_Colors.GetSize();
        for (int i = 0; i < m_Colors.GetSize(); i++) ar << (DWORD)m_Colors[i];
        ar << m_nColumns << m_nVertDockColumns << m_nHorzDockRows;
        ar << m_bIsAutomaticButton << m_bIsOtherButton << m_bIsDocumentColors;
        ar << m_strAutomaticButtonLabel << m_strOtherButtonLabel << m_strDocumentColorsLabel;
        ar << (DWORD)m_colorAutomatic << m_bStdColorDlg;
        return;
    }
    int nCount = 0;
    ar >> nCount;
    // A damaged count must not allocate the world.
    if (nCount < 0 || nCount > 0x10000) AfxThrowArchiveException(CArchiveException::badIndex);
    m_Colors.SetSize(nCount);
    for (int i = 0; i < nCount; i++) {
        DWORD dw = 0;
        ar >> dw;
        m_Colors[i] = (COLORREF)dw;
    }
    DWORD dwAutomatic = 0;
    ar >> m_nColumns >> m_nVertDockColumns >> m_nHorzDockRows;
    ar >> m_bIsAutomaticButton >> m_bIsOtherButton >> m_bIsDocumentColors;
    ar >> m_strAutomaticButtonLabel >> m_strOtherButtonLabel >> m_strDocumentColorsLabel;
    ar >> dwAutomatic >> m_bStdColorDlg;
    m_colorAutomatic = (COLORREF)dwAutomatic;
    // The colour itself is the command's: take it from a live button.
    CObList listButtons;
    if (CSPToolBar::GetCommandButtons(m_nID, listButtons) > 0) {
        for (POSITION pos = listButtons.GetHeadPosition(); pos != NULL;) {
            CSPColorMenuButton* pOther = DYNAMIC_DOWNCAST(CSPColorMenuButton, listButtons.GetNext(pos));
            if (pOther != NULL && pOther != this && pOther->m_Color != (COLORREF)-1) m_Color = pOther->m_Color;
        }
    }
}

// ---------------------------------------------------------------------------
// CColorPopup

IMPLEMENT_DYNAMIC(CColorPopup, CSPPopupMenu)

BEGIN_MESSAGE_MAP(CColorPopup, CSPPopupMenu)
    ON_WM_CREATE()
END_MESSAGE_MAP()

CColorPopup::CColorPopup(CSPColorMenuButton* pParentBtn, const CArray<COLORREF, COLORREF>& colors, COLORREF color,
                         LPCTSTR lpszAutoColor, LPCTSTR lpszOtherColor, LPCTSTR lpszDocColors,
                         CList<COLORREF, COLORREF>& lstDocColors, int nColumns, int nHorzDockRows,
                         int nVertDockColumns, COLORREF colorAutomatic, UINT uiCommandID)
    : m_wndColorBar(colors, color, lpszAutoColor, lpszOtherColor, lpszDocColors, lstDocColors, nColumns,
                    nHorzDockRows, nVertDockColumns, colorAutomatic, uiCommandID, NULL),
      m_bEnabledInCustomizeMode(FALSE) {
    m_pParentButton = pParentBtn;
}

CColorPopup::CColorPopup(CSPColorButton* pParentBtn, const CArray<COLORREF, COLORREF>& colors, COLORREF color,
                         LPCTSTR lpszAutoColor, LPCTSTR lpszOtherColor, LPCTSTR lpszDocColors,
                         CList<COLORREF, COLORREF>& lstDocColors, int nColumns, COLORREF colorAutomatic)
    : m_wndColorBar(colors, color, lpszAutoColor, lpszOtherColor, lpszDocColors, lstDocColors, nColumns, -1, -1,
                    colorAutomatic, (UINT)-1, pParentBtn),
      m_bEnabledInCustomizeMode(FALSE) {}

CColorPopup::~CColorPopup() {}

int CColorPopup::OnCreate(LPCREATESTRUCT lpCreateStruct) {
    if (g_bCustomizeMode && !m_bEnabledInCustomizeMode) return -1;
    // The frame only: the popup's own bar is the colour bar.
    if (CMiniFrameWnd::OnCreate(lpCreateStruct) == -1) return -1;
    // While the popup unfolds it paints the bar's picture: the bar shows at
    // the end.
    const DWORD dwStyle = (m_bAnimationDone ? 0x50402808 : 0x40402808) | CBRS_TOOLTIPS | CBRS_FLYBY;
    if (!m_wndColorBar.Create(this, dwStyle, 1)) return -1;
    m_wndColorBar.SetOwner(GetParent() != NULL ? GetParent() : GetOwner());
    m_wndColorBar.SetSPBarStyle(m_wndColorBar.GetSPBarStyle() | CBRS_TOOLTIPS);
    SetActiveMenu(this);
    RecalcLayout();
    return 0;
}

CSPColorBar* CColorPopup::CreateTearOffBar(CFrameWnd* pWndMain, UINT uiID, LPCTSTR lpszName) {
    CSPColorMenuButton* pColorButton = DYNAMIC_DOWNCAST(CSPColorMenuButton, m_pParentButton);
    if (pColorButton == NULL || pWndMain == NULL) return NULL;
    CSPColorBar* pBar = new CSPColorBar(m_wndColorBar, pColorButton->m_nID);
    if (!pBar->Create(pWndMain, 0x50402808, uiID)) {
        delete pBar;
        return NULL;
    }
    pBar->SetWindowText(lpszName != NULL ? lpszName : _T(""));
    pBar->SetSPBarStyle(pBar->GetSPBarStyle() | CBRS_TOOLTIPS | CBRS_FLYBY);
    pBar->EnableDocking(CBRS_ALIGN_ANY);
    return pBar;
}

// --- the colour property's popup ---------------------------------------------

static CColorPopup* OpenPropertyPopup(const CSPColorProp::PopupRequest& request) {
    CArray<COLORREF, COLORREF> colors;
    if (request.pColors != NULL) colors.Copy(*request.pColors);
    if (colors.GetSize() == 0) CSPColorBar::ColorsFromPalette(NULL, colors);
    CList<COLORREF, COLORREF> lstNoDocColors;
    CColorPopup* pPopup = new CColorPopup((CSPColorButton*)NULL, colors, request.color, request.lpszAutoColor,
                                          request.lpszOtherColor, NULL, lstNoDocColors, request.nColumns,
                                          request.colorAutomatic);
    pPopup->GetColorBar()->SetPropList(request.pList);
    // A popup that failed has deleted itself (PostNcDestroy).
    if (!pPopup->Create(request.pList, request.ptScreen.x, request.ptScreen.y, NULL, TRUE, TRUE)) return NULL;
    return pPopup;
}

static void ClosePropertyPopup(CColorPopup* pPopup) {
    pPopup->GetColorBar()->SetPropList(NULL);
    if (::IsWindow(pPopup->GetSafeHwnd())) pPopup->SendMessage(WM_CLOSE);
}

static const struct SPColorPropPopupOpener {
    SPColorPropPopupOpener() {
        CSPColorProp::s_pfnOpenPopup = &OpenPropertyPopup;
        CSPColorProp::s_pfnClosePopup = &ClosePropertyPopup;
    }
} s_colorPropPopupOpener;
