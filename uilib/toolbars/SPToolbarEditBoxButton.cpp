// SPToolbarEditBoxButton.cpp - CSPToolbarEditBoxButton and
// CSPEditBoxButtonEdit.
#include "SPToolbarEditBoxButton.h"

#include "SPGlobalData.h"
#include "SPToolBar.h"
#include "SPToolbarState.h"
#include "SPVisualManager.h"

#include <mbstring.h>

IMPLEMENT_SERIAL(CSPToolbarEditBoxButton, CSPToolbarButton, VERSIONABLE_SCHEMA | 1)

namespace {

const DWORD dwEditBaseStyle = WS_CHILD | WS_VISIBLE;
const int nDefaultWidth = 150;

bool SameText(const CString& a, const CString& b) {
    return _mbscmp((const unsigned char*)(LPCTSTR)a, (const unsigned char*)(LPCTSTR)b) == 0;
}

}  // namespace

CSPToolbarEditBoxButton::CSPToolbarEditBoxButton()
    : m_dwStyle(dwEditBaseStyle | ES_AUTOHSCROLL),
      m_pWndEdit(NULL),
      m_bChangingText(FALSE),
      m_iWidth(nDefaultWidth),
      m_bHorz(TRUE),
      m_bIsHotEdit(FALSE),
      m_sizeText(0, 0) {}

CSPToolbarEditBoxButton::CSPToolbarEditBoxButton(UINT uiID, int iImage, DWORD dwStyle, int iWidth)
    : CSPToolbarButton(uiID, iImage),
      m_dwStyle(dwStyle | dwEditBaseStyle),
      m_pWndEdit(NULL),
      m_bChangingText(FALSE),
      m_iWidth(iWidth == 0 ? nDefaultWidth : iWidth),
      m_bHorz(TRUE),
      m_bIsHotEdit(FALSE),
      m_sizeText(0, 0) {}

CSPToolbarEditBoxButton::~CSPToolbarEditBoxButton() { DestroyEdit(); }

void CSPToolbarEditBoxButton::DestroyEdit() {
    CEdit* pEdit = m_pWndEdit;
    m_pWndEdit = NULL;
    if (pEdit == NULL) return;
    if (pEdit->GetSafeHwnd() != NULL) pEdit->DestroyWindow();
    delete pEdit;
}

CEdit* CSPToolbarEditBoxButton::CreateEdit(CWnd* pWndParent, const CRect& rect) {
    CSPEditBoxButtonEdit* pEdit = new CSPEditBoxButtonEdit(*this);
    if (!pEdit->Create(m_dwStyle, rect, pWndParent, m_nID)) {
        delete pEdit;
        return NULL;
    }
    return pEdit;
}

void CSPToolbarEditBoxButton::SetContents(const CString& strContents) {
    if (SameText(strContents, m_strContents)) return;
    m_strContents = strContents;
    if (m_pWndEdit != NULL && m_pWndEdit->GetSafeHwnd() != NULL) {
        m_bChangingText = TRUE;
        m_pWndEdit->SetWindowText(m_strContents);
        m_bChangingText = FALSE;
    }
}

void CSPToolbarEditBoxButton::SetHotEdit(BOOL bHot) {
    if (m_bIsHotEdit == bHot) return;
    m_bIsHotEdit = bHot;
    if (m_pWndEdit == NULL || m_pWndEdit->GetParent() == NULL) return;
    CWnd* pParent = m_pWndEdit->GetParent();
    pParent->InvalidateRect(m_rect);
    pParent->UpdateWindow();
}

CSPToolbarEditBoxButton* CSPToolbarEditBoxButton::GetByCmd(UINT uiCmd) {
    CObList listButtons;
    CSPToolBar::GetCommandButtons(uiCmd, listButtons);
    for (POSITION pos = listButtons.GetHeadPosition(); pos != NULL;) {
        CSPToolbarEditBoxButton* pEdit = DYNAMIC_DOWNCAST(CSPToolbarEditBoxButton, listButtons.GetNext(pos));
        if (pEdit != NULL) return pEdit;
    }
    return NULL;
}

BOOL CSPToolbarEditBoxButton::SetContentsAll(UINT uiCmd, const CString& strContents) {
    CSPToolbarEditBoxButton* pEdit = GetByCmd(uiCmd);
    if (pEdit == NULL) return FALSE;
    pEdit->SetContents(strContents);
    return TRUE;
}

CString CSPToolbarEditBoxButton::GetContentsAll(UINT uiCmd) {
    CString strContents;
    CSPToolbarEditBoxButton* pEdit = GetByCmd(uiCmd);
    if (pEdit != NULL && pEdit->m_pWndEdit != NULL && pEdit->m_pWndEdit->GetSafeHwnd() != NULL)
        pEdit->m_pWndEdit->GetWindowText(strContents);
    return strContents;
}

// --- the window ----------------------------------------------------------------------------

void CSPToolbarEditBoxButton::OnChangeParentWnd(CWnd* pWndParent) {
    CSPToolbarButton::OnChangeParentWnd(pWndParent);
    if (m_pWndEdit != NULL && m_pWndEdit->GetSafeHwnd() != NULL) {
        if (pWndParent != NULL && m_pWndEdit->GetParent() == pWndParent) return;
        // What was typed into the old window moves with the button.
        m_pWndEdit->GetWindowText(m_strContents);
    }
    DestroyEdit();
    if (pWndParent == NULL || pWndParent->GetSafeHwnd() == NULL) return;

    CRect rect = m_rect;
    rect.DeflateRect(3, 1);
    rect.bottom = rect.top + spGlobalData.nTextHeightHorz;
    m_pWndEdit = CreateEdit(pWndParent, rect);
    if (m_pWndEdit == NULL) return;  // drawn as an ordinary button
    OnMove();
    m_pWndEdit->SetFont(&spGlobalData.fontRegular, TRUE);
    CString strText;
    m_pWndEdit->GetWindowText(strText);
    if (strText.IsEmpty()) {
        m_bChangingText = TRUE;
        m_pWndEdit->SetWindowText(m_strContents);
        m_bChangingText = FALSE;
    } else {
        m_strContents = strText;
    }
    SetStyle(m_nStyle);
}

void CSPToolbarEditBoxButton::OnMove() {
    if (!HasVisibleEdit()) return;
    const int h = spGlobalData.nTextHeightHorz;
    const int y = m_rect.top + std::max(0, (m_rect.Height() - (int)m_sizeText.cy - h) / 2);
    m_pWndEdit->SetWindowPos(NULL, m_rect.left + 3, y, m_rect.Width() - 6, h, SWP_NOZORDER | SWP_NOACTIVATE);
    m_pWndEdit->SetSel(-1, 0);
    m_pWndEdit->SendMessage(EM_SCROLLCARET);
}

void CSPToolbarEditBoxButton::OnSize(int iSize) {
    m_iWidth = iSize;
    m_rect.right = m_rect.left + m_iWidth;
    OnMove();
}

void CSPToolbarEditBoxButton::OnShow(BOOL bShow) {
    if (m_pWndEdit == NULL || m_pWndEdit->GetSafeHwnd() == NULL) return;
    if (!bShow) {
        m_pWndEdit->ShowWindow(SW_HIDE);
        return;
    }
    m_pWndEdit->ShowWindow(SW_SHOWNOACTIVATE);
    OnMove();
}

void CSPToolbarEditBoxButton::SetStyle(UINT nStyle) {
    CSPToolbarButton::SetStyle(nStyle);
    if (m_pWndEdit == NULL || m_pWndEdit->GetSafeHwnd() == NULL) return;
    const BOOL bEnable = g_bCustomizeMode ? IsEditable() : (m_nStyle & TBBS_DISABLED) == 0;
    m_pWndEdit->EnableWindow(bEnable);
}

void CSPToolbarEditBoxButton::GetRect(RECT* pRect) const {
    *pRect = m_rect;
    if (!m_bTextBelow || m_strText.IsEmpty() || m_sizeText.cx <= 0) return;
    // The label's width, centred on the button, down to the label's bottom.
    const int cx = std::min((int)m_sizeText.cx, m_rect.Width());
    pRect->left = m_rect.left + (m_rect.Width() - cx) / 2;
    pRect->right = pRect->left + cx;
}

HBRUSH CSPToolbarEditBoxButton::OnCtlColor(CDC* pDC, UINT /*nCtlColor*/) { return WindowColors(pDC); }

void CSPToolbarEditBoxButton::OnAddToCustomizePage() { CopyFirstOfCommand(); }

int CSPToolbarEditBoxButton::OnDrawOnCustomizeList(CDC* pDC, const CRect& rect, BOOL bSelected) {
    const int nWidth = CSPToolbarButton::OnDrawOnCustomizeList(pDC, rect, bSelected);
    // The width left, at least 8 pixels, shows the edit field.
    CRect rectEdit = rect;
    rectEdit.left = rect.left + nWidth;
    if (rectEdit.Width() < 8) rectEdit.left = rectEdit.right - 8;
    rectEdit.DeflateRect(2, 3);
    pDC->FillSolidRect(rectEdit, ::GetSysColor(COLOR_WINDOW));
    pDC->DrawEdge(rectEdit, EDGE_SUNKEN, BF_RECT);
    return nWidth;
}

BOOL CSPToolbarEditBoxButton::OnClick(CWnd* /*pWnd*/, BOOL /*bDelay*/) { return HasVisibleEdit(); }

// --- size and drawing ----------------------------------------------------------------------

SIZE CSPToolbarEditBoxButton::OnCalculateSize(CDC* pDC, const CSize& sizeDefault, BOOL bHorz) {
    m_bHorz = bHorz;
    const BOOL bHasEdit = m_pWndEdit != NULL && m_pWndEdit->GetSafeHwnd() != NULL;
    if (!bHorz) {
        if (bHasEdit) m_pWndEdit->ShowWindow(SW_HIDE);
        m_sizeText = CSize(0, 0);
        return CSPToolbarButton::OnCalculateSize(pDC, sizeDefault, bHorz);
    }
    if (bHasEdit && !m_bHidden) m_pWndEdit->ShowWindow(SW_SHOWNOACTIVATE);
    m_sizeText = CSize(0, 0);
    if (m_bTextBelow && !m_strText.IsEmpty()) {
        CRect rectText(0, 0, m_iWidth, sizeDefault.cy);
        pDC->DrawText(m_strText, rectText, DT_CALCRECT | DT_WORDBREAK | DT_CENTER);
        m_sizeText = rectText.Size();
    }
    return CSize(m_iWidth, sizeDefault.cy + m_sizeText.cy);
}

void CSPToolbarEditBoxButton::OnDraw(CDC* pDC, const CRect& rect, CSPButtonImages* pImages, BOOL bHorz,
                                     BOOL bCustomizeMode, BOOL bHighlight, BOOL bDrawBorder,
                                     BOOL bGrayDisabledButtons) {
    if (!HasVisibleEdit()) {
        CSPToolbarButton::OnDraw(pDC, rect, pImages, bHorz, bCustomizeMode, bHighlight, bDrawBorder,
                                 bGrayDisabledButtons);
        return;
    }
    const BOOL bDisabled = bCustomizeMode ? !IsEditable() : (m_nStyle & TBBS_DISABLED) != 0;
    CRect rectEdit;
    m_pWndEdit->GetWindowRect(rectEdit);
    if (CWnd* pParent = m_pWndEdit->GetParent()) pParent->ScreenToClient(rectEdit);
    rectEdit.InflateRect(1, 1);
    CSPVisualManager::GetInstance()->OnDrawEditBorder(pDC, rectEdit, bDisabled, TRUE, this);

    if (bHorz && m_bTextBelow && !m_strText.IsEmpty()) {
        CRect rectText = m_rect;
        rectText.top = (m_rect.bottom - m_sizeText.cy + rectEdit.bottom) / 2;
        const COLORREF clrText = bDisabled    ? spGlobalData.clrGrayedText
                                 : bHighlight ? CSPToolBar::GetButtonTextColor()
                                              : spGlobalData.clrBtnText;
        const COLORREF clrOld = pDC->SetTextColor(clrText);
        pDC->DrawText(m_strText, rectText, DT_CENTER | DT_WORDBREAK);
        pDC->SetTextColor(clrOld);
    }
}

// --- notifications, copy, record -----------------------------------------------------------

BOOL CSPToolbarEditBoxButton::NotifyCommand(int iNotifyCode) {
    if (m_pWndEdit == NULL || m_pWndEdit->GetSafeHwnd() == NULL || iNotifyCode != EN_UPDATE) return FALSE;
    CString strText;
    m_pWndEdit->GetWindowText(strText);
    m_strContents = strText;
    CObList listButtons;
    CSPToolBar::GetCommandButtons(m_nID, listButtons);
    for (POSITION pos = listButtons.GetHeadPosition(); pos != NULL;) {
        CSPToolbarEditBoxButton* pOther = DYNAMIC_DOWNCAST(CSPToolbarEditBoxButton, listButtons.GetNext(pos));
        if (pOther != NULL && pOther != this) pOther->SetContents(m_strContents);
    }
    return !m_bChangingText;
}

void CSPToolbarEditBoxButton::CopyFrom(const CSPToolbarButton& s) {
    CSPToolbarButton::CopyFrom(s);
    const CSPToolbarEditBoxButton* pSrc = DYNAMIC_DOWNCAST(CSPToolbarEditBoxButton, (CObject*)&s);
    if (pSrc == NULL || pSrc == this) return;
    m_dwStyle = pSrc->m_dwStyle;
    m_iWidth = pSrc->m_iWidth;
    m_strContents = pSrc->m_strContents;
}

void CSPToolbarEditBoxButton::Serialize(CArchive& ar) {
    CSPToolbarButton::Serialize(ar);
    if (ar.IsStoring()) {
        CString strContents;
        if (m_pWndEdit != NULL && m_pWndEdit->GetSafeHwnd() != NULL) {
            m_pWndEdit->GetWindowText(strContents);
            m_strContents = strContents;
        }
        ar << (DWORD)m_iWidth << (DWORD)m_dwStyle << strContents;
        return;
    }
    DWORD dwWidth = 0, dwStyle = 0;
    CString strContents;
    ar >> dwWidth >> dwStyle >> strContents;
    m_iWidth = (int)dwWidth;
    m_dwStyle = dwStyle;
    m_strContents = strContents;
    m_rect.right = m_rect.left + m_iWidth;
}

// --- CSPEditBoxButtonEdit ------------------------------------------------------------------

BOOL CSPEditBoxButtonEdit::PreTranslateMessage(MSG* pMsg) {
    if (pMsg->message != WM_KEYDOWN) return CEdit::PreTranslateMessage(pMsg);
    switch (pMsg->wParam) {
    case VK_TAB:
        if (CWnd* pParent = GetParent()) {
            CWnd* pNext = pParent->GetNextDlgTabItem(this);
            if (pNext != NULL) pNext->SetFocus();
            return TRUE;
        }
        break;
    case VK_ESCAPE:
        if (CFrameWnd* pFrame = GetTopLevelFrame()) {
            pFrame->SetFocus();
            return TRUE;
        }
        break;
    default:
        break;
    }
    // The edit keeps its clipboard keys even where the frame's accelerators
    // use them.
    if (::GetFocus() == m_hWnd && (::GetKeyState(VK_CONTROL) & 0x8000)) {
        UINT message = 0;
        switch (pMsg->wParam) {
        case VK_DELETE: message = WM_CLEAR; break;
        case 'C': message = WM_COPY; break;
        case 'V': message = WM_PASTE; break;
        case 'X': message = WM_CUT; break;
        case 'Z': message = EM_UNDO; break;
        default: break;
        }
        if (message != 0) {
            SendMessage(message);
            return TRUE;
        }
    }
    return CEdit::PreTranslateMessage(pMsg);
}

void CSPEditBoxButtonEdit::SetOwnerHot(BOOL bHot) { m_edit.SetHotEdit(bHot); }
