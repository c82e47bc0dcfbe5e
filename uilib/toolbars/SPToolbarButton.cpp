#include "SPToolbarButton.h"
#include "SPButtonImages.h"
#include "SPCommandManager.h"
#include "SPGlobalData.h"
#include "SPToolBar.h"
#include "SPUserToolsManager.h"
#include "SPVisualManager.h"
#include "SPToolbarState.h"
#include "afxole.h"

IMPLEMENT_SERIAL(CSPToolbarButton, CObject, VERSIONABLE_SCHEMA | 1)

CList<UINT, UINT> CSPToolbarButton::m_lstProtectedCommands(10);
BOOL CSPToolbarButton::m_bWrapText = TRUE;
BOOL CSPToolbarButton::m_bUpdateImages = TRUE;

CSPToolbarButton::CSPToolbarButton()
    : m_bUserButton(FALSE),
      m_nID(0),
      m_nStyle(0),
      m_bText(FALSE),
      m_bImage(TRUE),
      m_bWrap(FALSE),
      m_bWholeText(TRUE),
      m_bTextBelow(FALSE),
      m_bDragFromCollection(FALSE),
      m_iImage(-1),
      m_iUserImage(-1),
      m_bLocked(FALSE),
      m_bHidden(FALSE),
      m_nWidth(0),
      m_nHeight(0),
      m_bDisableFill(FALSE),
      m_bExtraSize(FALSE),
      m_bHorz(TRUE) {}

CSPToolbarButton::CSPToolbarButton(UINT uiID, int iImage, LPCTSTR lpszText, BOOL bUserButton, BOOL bLocked)
    : CSPToolbarButton() {
    m_bLocked = bLocked;
    m_nID = uiID;
    m_bUserButton = bUserButton;
    SetImage(iImage);
    m_strText = lpszText != NULL ? lpszText : "";
    if (m_nID == 0 || m_bLocked) return;
    CSPCommandManager* pManager = SPGetCommandManager();
    if (m_bUserButton) {
        if (m_iUserImage == -1)
            m_iUserImage = pManager->GetCmdImage(m_nID, TRUE);
        else
            pManager->SetCmdImage(m_nID, m_iUserImage, TRUE);
    } else {
        if (m_iImage == -1)
            m_iImage = pManager->GetCmdImage(m_nID, FALSE);
        else
            pManager->SetCmdImage(m_nID, m_iImage, FALSE);
    }
}

CSPToolbarButton::~CSPToolbarButton() {}

void CSPToolbarButton::SetProtectedCommands(const CList<UINT, UINT>& lstCmds) {
    m_lstProtectedCommands.RemoveAll();
    for (POSITION pos = lstCmds.GetHeadPosition(); pos != NULL;) m_lstProtectedCommands.AddTail(lstCmds.GetNext(pos));
}

BOOL CSPToolbarButton::IsEditable() const {
    if (m_nID >= 0xE110 && m_nID < 0xE120) return FALSE;  // recent-file list
    if (m_nID >= 0xF000 && m_nID < 0xF1F0) return FALSE;  // system commands
    if ((int)m_nID >= 0xFF00) return FALSE;               // MDI children
    if (m_nID >= 0xE210 && m_nID < 0xE220) return FALSE;  // OLE verbs
    if (g_pUserToolsManager != NULL && m_nID == g_pUserToolsManager->GetToolsEntryCmd()) return FALSE;
    return m_lstProtectedCommands.Find(m_nID) == NULL;
}

void CSPToolbarButton::CopyFrom(const CSPToolbarButton& src) {
    m_nID = src.m_nID;
    m_bLocked = src.m_bLocked;
    m_bUserButton = src.m_bUserButton;
    m_nStyle = src.m_nStyle;
    SetImage(src.GetImage());
    m_strText = src.m_strText;
    m_bText = src.m_bText;
    m_bImage = src.m_bImage;
    m_bWrap = src.m_bWrap;
    m_strTextCustom = src.m_strTextCustom;
    m_bDragFromCollection = FALSE;
}

void CSPToolbarButton::Serialize(CArchive& ar) {
    CObject::Serialize(ar);
    if (ar.IsStoring()) {
        ar << (DWORD)m_nID << (DWORD)m_nStyle << (int)GetImage() << m_strText << (DWORD)m_bUserButton
           << (DWORD)m_bDragFromCollection << (DWORD)m_bText << (DWORD)m_bImage;
        return;
    }
    DWORD dwID, dwStyle, dwUser, dwDrag, dwText, dwImage;
    int iImage;
    ar >> dwID >> dwStyle >> iImage >> m_strText >> dwUser >> dwDrag >> dwText >> dwImage;
    m_nID = dwID;
    m_nStyle = dwStyle;
    m_bUserButton = dwUser != 0;
    m_bDragFromCollection = dwDrag != 0;
    m_bText = dwText != 0;
    m_bImage = dwImage != 0;
    SetImage(iImage);
}

void CSPToolbarButton::SetImage(int iImage) {
    if (IsSeparator()) {
        m_iImage = iImage;  // the separator's width
        return;
    }
    if (m_bUserButton)
        m_iUserImage = iImage;
    else
        m_iImage = iImage;

    if (!m_bLocked && m_nID != 0) {
        CSPCommandManager* pManager = SPGetCommandManager();
        if (iImage != -1) {
            if (m_bUserButton || m_bUpdateImages) pManager->SetCmdImage(m_nID, iImage, m_bUserButton);
        } else {
            m_iImage = pManager->GetCmdImage(m_nID, FALSE);
            m_iUserImage = pManager->GetCmdImage(m_nID, TRUE);
            // A button that has only a user image shows that one.
            if (m_iImage == -1 && !m_bUserButton) m_bUserButton = TRUE;
        }
    }
    if (GetImage() < 0) {
        m_bImage = FALSE;
        m_bText = TRUE;
    }
}

CString CSPToolbarButton::StripMnemonics(const CString& strText) {
    CString str = strText;
    str.Replace("&&", "\x01\x01");
    str.Remove('&');
    str.Replace("\x01\x01", "&");
    return str;
}

CString CSPToolbarButton::LoadCommandText(UINT uiCmd) {
    CString strResource;
    if (uiCmd == 0 || !strResource.LoadString(uiCmd)) return CString();
    const int iNewLine = strResource.Find('\n');
    return iNewLine >= 0 ? strResource.Mid(iNewLine + 1) : CString();
}

BOOL CSPToolbarButton::ExportToMenuButton(CSPToolbarMenuButton& menuButton) const {
    if (m_strText.IsEmpty() && m_nID != 0) {
        CString strResource;
        if (strResource.LoadString(m_nID)) {
            const int iNewLine = strResource.Find('\n');
            if (iNewLine >= 0) menuButton.m_strText = strResource.Mid(iNewLine + 1);
        }
    }
    return TRUE;
}

void CSPToolbarButton::OnChangeParentWnd(CWnd* pWndParent) {
    m_bExtraSize = FALSE;
    CSPToolBar* pBar = DYNAMIC_DOWNCAST(CSPToolBar, pWndParent);
    if (pBar != NULL && pBar->IsButtonExtraSizeAvailable()) m_bExtraSize = TRUE;
}

void CSPToolbarButton::UpdateTextFromResource() {
    if (m_bUserButton || (int)m_nID < 1) return;
    if (g_pUserToolsManager != NULL && g_pUserToolsManager->IsUserToolCmd(m_nID)) return;
    int iImage = -1;
    if (CSPToolBar::m_DefaultImages.Lookup(m_nID, iImage) && iImage >= 0) {
        SetImage(iImage);
        return;
    }
    if (m_bImage) {
        m_bImage = FALSE;
        m_bText = TRUE;
        if (m_strText.IsEmpty()) m_strText = LoadCommandText(m_nID);
    }
}

SIZE CSPToolbarButton::OnCalculateSize(CDC* pDC, const CSize& sizeDefault, BOOL bHorz) {
    if (IsSeparator()) {
        if (!bHorz) return CSize(sizeDefault.cx, 8);
        return CSize(m_iImage < 1 ? 8 : m_iImage, sizeDefault.cy);
    }
    CSize size = sizeDefault;
    if (!m_bImage || !IsImageValid()) {
        const CSize sizeExtra = m_bExtraSize ? CSPVisualManager::GetInstance()->GetButtonExtraBorder() : CSize(0, 0);
        if (bHorz)
            size.cx = sizeExtra.cx;
        else
            size.cy = sizeExtra.cy;
    }
    m_nWidth = 0;
    m_nHeight = 0;
    if (m_strText.IsEmpty()) return size;

    if (m_bTextBelow && bHorz) {
        CRect rectText(0, 0, sizeDefault.cx * 3, sizeDefault.cy);
        UINT uiFormat = DT_CALCRECT | DT_CENTER;
        if (m_bWrapText) uiFormat |= DT_WORDBREAK;
        pDC->DrawText(m_strText, rectText, uiFormat);
        m_nWidth = rectText.Width() + 6;
        m_nHeight = rectText.Height();
        size.cx = (sizeDefault.cx > m_nWidth ? sizeDefault.cx : m_nWidth) + 12;
        size.cy = sizeDefault.cy + m_nHeight + 1;
    } else if (m_bText) {
        const CSize sizeText = pDC->GetTextExtent(StripMnemonics(m_strText));
        if (bHorz)
            size.cx += sizeText.cx + 9;
        else
            size.cy += sizeText.cx + 9;
    }
    return size;
}

void CSPToolbarButton::OnDraw(CDC* pDC, const CRect& rect, CSPButtonImages* pImages, BOOL bHorz,
                              BOOL bCustomizeMode, BOOL bHighlight, BOOL bDrawBorder, BOOL bGrayDisabledButtons) {
    CSPVisualManager* pVisual = CSPVisualManager::GetInstance();
    m_bHorz = bHorz;

    int state = CSPVisualManager::ButtonsIsRegular;
    if (bHighlight)
        state = CSPVisualManager::ButtonsIsHighlighted;
    else if (m_nStyle & (TBBS_CHECKED | TBBS_PRESSED))
        state = CSPVisualManager::ButtonsIsPressed;
    if (!m_bDisableFill)
        pVisual->OnFillButtonInterior(pDC, this, rect,
                                      CSPToolBar::IsCustomizeMode() ? CSPVisualManager::ButtonsIsRegular : state);

    const CSize sizeImage = pImages != NULL ? pImages->GetImageSize() : CSize(0, 0);
    CSPUserTool* pUserTool = NULL;
    if (!m_bUserButton && g_pUserToolsManager != NULL) pUserTool = g_pUserToolsManager->FindTool(m_nID);

    CRect rectInternal = rect;
    const CSize sizeExtra = pVisual->GetButtonExtraBorder();
    if (m_bExtraSize) rectInternal.DeflateRect(sizeExtra.cx / 2, sizeExtra.cy / 2);

    const BOOL bTextBelowHorz = m_bTextBelow && bHorz;
    int nTextWidth = 0;
    if (m_bText && !m_strText.IsEmpty() && !bTextBelowHorz)
        nTextWidth = pDC->GetTextExtent(StripMnemonics(m_strText)).cx + 6;

    CSize sizeArea;
    if (bTextBelowHorz)
        sizeArea = CSize(rectInternal.Width(), sizeImage.cy + 6);
    else if (bHorz)
        sizeArea = CSize(rectInternal.Width() - nTextWidth, rectInternal.Height());
    else
        sizeArea = CSize(rectInternal.Width(), rectInternal.Height() - nTextWidth);
    int x = (sizeArea.cx - sizeImage.cx) / 2;
    int y = (sizeArea.cy - sizeImage.cy) / 2;
    int xText = 3, yText = 3;
    if (m_bText && !m_bTextBelow) {
        TEXTMETRIC tm;
        pDC->GetTextMetrics(&tm);
        if (bHorz)
            yText = (sizeArea.cy - tm.tmHeight - 1) / 2;
        else
            xText = (sizeArea.cx - tm.tmHeight + 1) / 2;
    }

    // The managers of this library offer neither shadowed nor faded images.
    const BOOL bShadowed = FALSE;
    if ((m_nStyle & (TBBS_CHECKED | TBBS_PRESSED)) && !bCustomizeMode && !bShadowed) {
        x++;
        y++;
        yText++;
        xText += bHorz ? 1 : -1;
    }

    const BOOL bDrawImage = m_bImage && IsImageValid() && pImages != NULL;
    const BOOL bDisabled = bCustomizeMode ? !IsEditable() : (m_nStyle & TBBS_DISABLED) != 0;
    const CPoint ptImage(rectInternal.left + x, rectInternal.top + y);
    BOOL bImageReady = FALSE;
    if ((m_nStyle & TBBS_PRESSED) || !(m_nStyle & TBBS_DISABLED) || bCustomizeMode) {
        if (bDrawImage) {
            if (pUserTool != NULL)
                pUserTool->DrawToolIcon(pDC, CRect(ptImage, sizeImage));
            else
                pImages->Draw(pDC, ptImage.x, ptImage.y, GetImage(), FALSE, FALSE);
        }
        bImageReady = bCustomizeMode || (m_nStyle & TBBS_PRESSED);
    }
    if (!bImageReady && bDrawImage) {
        if (pUserTool != NULL)
            pUserTool->DrawToolIcon(pDC, CRect(ptImage, sizeImage));
        else
            pImages->Draw(pDC, ptImage.x, ptImage.y, GetImage(), FALSE, bDisabled && bGrayDisabledButtons);
    }

    if (bTextBelowHorz || (m_bText && !m_strText.IsEmpty())) {
        pDC->SetTextColor(pVisual->GetToolbarButtonTextColor(this, state));
        if (bTextBelowHorz) {
            CRect rectText = rectInternal;
            rectText.top += yText + sizeImage.cy + 3;
            rectText.left = rectInternal.left + (rectInternal.Width() - m_nWidth) / 2;
            rectText.right = rectText.left + m_nWidth;
            UINT uiFormat = DT_CENTER;
            if (m_bWrapText) uiFormat |= DT_WORDBREAK;
            pDC->DrawText(m_strText, rectText, uiFormat);
        } else if (bHorz) {
            if (bDrawImage) xText += sizeImage.cx + 3;
            CRect rectText = rectInternal;
            rectText.left += xText + 3;
            rectText.top += yText;
            pDC->DrawText(m_strText, rectText, DT_SINGLELINE);
        } else {
            if (bDrawImage) yText += sizeImage.cy + 3;
            CRect rectText(rectInternal.right - xText, rectInternal.top + yText + 3, rectInternal.right,
                           rectInternal.bottom);
            pDC->DrawText(StripMnemonics(m_strText), rectText, DT_SINGLELINE | DT_NOCLIP);
        }
    }

    if (!bCustomizeMode && HaveHotBorder() && bDrawBorder) {
        if (m_nStyle & (TBBS_CHECKED | TBBS_PRESSED))
            pVisual->OnDrawButtonBorder(pDC, this, rect, CSPVisualManager::ButtonsIsPressed);
        else if (bHighlight && !(m_nStyle & (TBBS_DISABLED | TBBS_CHECKED | TBBS_INDETERMINATE)))
            pVisual->OnDrawButtonBorder(pDC, this, rect, CSPVisualManager::ButtonsIsHighlighted);
    }
}

int CSPToolbarButton::OnDrawOnCustomizeList(CDC* pDC, const CRect& rect, BOOL bSelected) {
    const BOOL bTextSaved = m_bText;
    m_bText = FALSE;
    CSPButtonImages* pImages = m_bUserButton ? CSPToolBar::m_pUserImages : &CSPToolBar::m_Images;
    const CSize sizeImage = CSPToolBar::m_sizeImage;
    CSPUserTool* pUserTool = NULL;
    if (!m_bUserButton && g_pUserToolsManager != NULL) pUserTool = g_pUserToolsManager->FindTool(m_nID);
    const BOOL bImage = IsImageValid() && (pUserTool != NULL || (pImages != NULL && pImages->GetCount() > 0));

    CSPVisualManager* pVisual = CSPVisualManager::GetInstance();
    CRect rectFill = rect;
    if (bSelected && bImage) rectFill.left += sizeImage.cx + 6;
    const COLORREF clrText = pVisual->OnFillCommandsListBackground(pDC, rectFill, bSelected);

    const CRect rectImage(rect.left, rect.top, rect.left + sizeImage.cx + 6, rect.bottom);
    if (bImage) {
        if (pUserTool != NULL) {
            pUserTool->DrawToolIcon(pDC, CRect(CPoint(rectImage.left + 3, rectImage.top + (rectImage.Height() - sizeImage.cy) / 2),
                                               sizeImage));
        } else {
            CSPDrawState ds;
            if (pImages->PrepareDraw(ds, sizeImage, FALSE)) {
                OnDraw(pDC, rectImage, pImages, TRUE, TRUE, bSelected, TRUE, TRUE);
                pImages->EndDraw(ds);
            }
        }
    }
    m_bText = bTextSaved;

    int nWidth = sizeImage.cx + 6;
    if (!m_strText.IsEmpty()) {
        CRect rectText = rect;
        rectText.left = rect.left + sizeImage.cx + 10;
        const int nOldMode = pDC->SetBkMode(TRANSPARENT);
        const COLORREF clrOld = pDC->SetTextColor(clrText);
        pDC->DrawText(m_strText, rectText, DT_SINGLELINE | DT_VCENTER);
        pDC->SetTextColor(clrOld);
        pDC->SetBkMode(nOldMode);
        const int cxText = pDC->GetTextExtent(StripMnemonics(m_strText)).cx;
        nWidth += cxText < rectText.Width() ? cxText : rectText.Width();
    }
    return nWidth;
}

// --- drag data ----------------------------------------------------------------

UINT CSPToolbarButton::GetClipboardFormat() { return SPToolbarButtonFormat::Get(); }

void CSPToolbarButton::SetClipboardFormatName(LPCTSTR lpszName) { SPToolbarButtonFormat::SetName(lpszName); }

HGLOBAL CSPToolbarButton::PrepareDragData() {
    if (!CanBeStored()) return NULL;
    try {
        CSharedFile file(GMEM_MOVEABLE | GMEM_DDESHARE, 4096);
        CArchive ar(&file, CArchive::store, 4096);
        ar.WriteClass(GetRuntimeClass());
        Serialize(ar);
        ar.Close();
        return file.Detach();
    } catch (CException* e) {
        e->Delete();
        return NULL;
    }
}

CSPToolbarButton* CSPToolbarButton::CreateFromDragData(HGLOBAL hGlobal) {
    const SIZE_T nSize = hGlobal != NULL ? ::GlobalSize(hGlobal) : 0;
    const BYTE* pData = nSize > 0 ? (const BYTE*)::GlobalLock(hGlobal) : NULL;
    if (pData == NULL) return NULL;
    // A copy: the data stays the sender's whatever happens while reading.
    CMemFile file(nSize > 0xFFFFFFF ? 0 : 1024);
    file.Write(pData, (UINT)(nSize > 0xFFFFFFF ? 0 : nSize));
    ::GlobalUnlock(hGlobal);
    file.SeekToBegin();

    CSPToolbarButton* pButton = NULL;
    try {
        CArchive ar(&file, CArchive::load, 4096);
        // Foreign data may name any class: only buttons are created.
        CRuntimeClass* pClass = ar.ReadClass(RUNTIME_CLASS(CSPToolbarButton));
        if (pClass != NULL) pButton = DYNAMIC_DOWNCAST(CSPToolbarButton, pClass->CreateObject());
        if (pButton != NULL) pButton->Serialize(ar);
        ar.Close();
    } catch (CException* e) {
        e->Delete();
        delete pButton;
        pButton = NULL;
    }
    return pButton;
}

CSPToolbarButton* CSPToolbarButton::CreateFromOleData(IDataObject* pDataObject) {
    if (pDataObject == NULL) return NULL;
    FORMATETC format = {(CLIPFORMAT)GetClipboardFormat(), NULL, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
    STGMEDIUM medium;
    memset(&medium, 0, sizeof(medium));
    if (FAILED(pDataObject->GetData(&format, &medium))) return NULL;
    CSPToolbarButton* pButton = medium.tymed == TYMED_HGLOBAL ? CreateFromDragData(medium.hGlobal) : NULL;
    ::ReleaseStgMedium(&medium);
    return pButton;
}

CSPToolbarButton* CSPToolbarButton::CreateFromOleData(COleDataObject* pDataObject) {
    return pDataObject != NULL ? CreateFromOleData(pDataObject->m_lpDataObject) : NULL;
}

HBRUSH CSPToolbarButton::WindowColors(CDC* pDC) {
    pDC->SetTextColor(::GetSysColor(COLOR_WINDOWTEXT));
    pDC->SetBkColor(::GetSysColor(COLOR_WINDOW));
    return ::GetSysColorBrush(COLOR_WINDOW);
}

void CSPToolbarButton::CopyFirstOfCommand() {
    CObList listButtons;
    if (CSPToolBar::GetCommandButtons(m_nID, listButtons) > 0) {
        CSPToolbarButton* pFirst = (CSPToolbarButton*)listButtons.GetHead();
        if (pFirst != this) CopyFrom(*pFirst);
    }
}

void CSPToolbarButton::GetVisualInfo(SPToolbarButtonInfo& info) const {
    info.nStyle = m_nStyle;
    info.bEditable = IsEditable();
    info.rect = m_rect;
    CSPToolbarMenuButton* pMenuButton = DYNAMIC_DOWNCAST(CSPToolbarMenuButton, const_cast<CSPToolbarButton*>(this));
    info.pMenuButton = pMenuButton;
    info.pPopupMenu = pMenuButton != NULL ? pMenuButton->m_pPopupMenu : NULL;
    info.bJoinsMenuBorder = pMenuButton != NULL && pMenuButton->JoinsMenuBorder();
    info.bShowAllButton = IsKindOf(RUNTIME_CLASS(CSPShowAllButton));
    info.bOutlookButton = IsKindOf(RUNTIME_CLASS(CSPOutlookButton));
}

BOOL CSPToolbarButton::HasFocus() const {
    HWND hwnd = const_cast<CSPToolbarButton*>(this)->GetHwnd();
    HWND hwndFocus = ::GetFocus();
    return hwnd != NULL && hwndFocus != NULL && (hwndFocus == hwnd || ::IsChild(hwnd, hwndFocus));
}
