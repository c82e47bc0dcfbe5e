#include "SPEditListBase.h"
#include <algorithm>
#include "SPButton.h"
#include "SPGlobalData.h"

IMPLEMENT_DYNAMIC(CSPEditListBase, CStatic)

// strings and bitmaps of the standard buttons
static const UINT idsNew = 16017, idsDelete = 16020, idsMoveUp = 16021, idsMoveDown = 16022;
static const UINT idbNew = 16929, idbDelete = 16930, idbMoveUp = 16931, idbMoveDown = 16932;

BEGIN_MESSAGE_MAP(CSPEditListBase, CStatic)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_WM_SIZE()
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_WM_ENABLE()
    ON_WM_GETDLGCODE()
    ON_MESSAGE(WM_SETFONT, OnSetFont)
    ON_MESSAGE(WM_GETFONT, OnGetFont)
END_MESSAGE_MAP()

CSPEditListBase::CSPEditListBase()
    : m_uiStandardBtns(0), m_nCaptionHeight(0), m_bNewItem(FALSE), m_bRedraw(TRUE), m_sizeButton(0, 0) {}

CSPEditListBase::~CSPEditListBase() {
    for (int i = 0; i < m_lstButtons.GetSize(); i++) delete m_lstButtons[i];
    m_lstButtons.RemoveAll();
}

// ---------------------------------------------------------------------------
// Creation and layout

BOOL CSPEditListBase::PreCreateWindow(CREATESTRUCT& cs) {
    cs.style |= WS_CLIPCHILDREN;
    return CStatic::PreCreateWindow(cs);
}

void CSPEditListBase::PreSubclassWindow() {
    CStatic::PreSubclassWindow();
    // The static's own font (the dialog's) is still answered by the static.
    HFONT hFont = (HFONT)::SendMessage(m_hWnd, WM_GETFONT, 0, 0);
    LOGFONT lf = {};
    if (hFont != NULL && ::GetObject(hFont, sizeof(lf), &lf) != 0) m_font.CreateFontIndirect(&lf);
    ModifyStyle(0, WS_CLIPCHILDREN);
    Init();
}

int CSPEditListBase::OnCreate(LPCREATESTRUCT lpCreateStruct) {
    if (CStatic::OnCreate(lpCreateStruct) == -1) return -1;
    Init();
    return 0;
}

void CSPEditListBase::Init() {
    if (m_font.GetSafeHandle() == NULL) {
        LOGFONT lf = {};
        HFONT hFont = NULL;
        CWnd* pParent = GetParent();
        if (pParent != NULL) hFont = (HFONT)pParent->SendMessage(WM_GETFONT);
        if (hFont == NULL) hFont = (HFONT)::GetStockObject(DEFAULT_GUI_FONT);
        if (::GetObject(hFont, sizeof(lf), &lf) != 0) m_font.CreateFontIndirect(&lf);
    }
    CreateList();
    AdjustLayout();
}

void CSPEditListBase::AdjustLayout() {
    if (GetSafeHwnd() == NULL) return;
    CRect rectClient;
    GetClientRect(rectClient);

    // The caption is one text line high with room for the button images.
    TEXTMETRIC tm = {};
    {
        CClientDC dc(this);
        CSelectObject selFont(dc.GetSafeHdc(), m_font.GetSafeHandle() != NULL ? m_font.GetSafeHandle()
                                                                               : ::GetStockObject(DEFAULT_GUI_FONT));
        dc.GetTextMetrics(&tm);
    }

    int cyImage = 0, cxImage = 0;
    for (int i = 0; i < m_lstButtons.GetSize(); i++) {
        cxImage = std::max(cxImage, (int)m_lstButtons[i]->GetImageSize().cx);
        cyImage = std::max(cyImage, (int)m_lstButtons[i]->GetImageSize().cy);
    }
    m_sizeButton = CSize(cxImage + 6, std::max((int)tm.tmHeight, cyImage) + 6);
    m_nCaptionHeight = m_sizeButton.cy + 2;

    // buttons from the right edge, in the order they were added
    int x = rectClient.right - 1 - (int)m_lstButtons.GetSize() * m_sizeButton.cx;
    for (int i = 0; i < m_lstButtons.GetSize(); i++) {
        m_lstButtons[i]->SetWindowPos(NULL, x, rectClient.top + 1, m_sizeButton.cx, m_sizeButton.cy,
                                      SWP_NOZORDER | SWP_NOACTIVATE);
        x += m_sizeButton.cx;
    }

    CWnd* pList = GetListWnd();
    if (pList != NULL && pList->GetSafeHwnd() != NULL) {
        pList->SetWindowPos(NULL, rectClient.left, rectClient.top + m_nCaptionHeight, rectClient.Width(),
                            std::max(0, rectClient.Height() - m_nCaptionHeight), SWP_NOZORDER | SWP_NOACTIVATE);
        CRect rectList;
        pList->GetClientRect(rectList);
        pList->SendMessage(LVM_SETCOLUMNWIDTH, 0, MAKELPARAM(rectList.Width(), 0));
    }
    if (m_bRedraw) Invalidate();
}

void CSPEditListBase::OnSize(UINT nType, int cx, int cy) {
    CStatic::OnSize(nType, cx, cy);
    AdjustLayout();
}

void CSPEditListBase::OnDestroy() {
    for (int i = 0; i < m_lstButtons.GetSize(); i++)
        if (m_lstButtons[i]->GetSafeHwnd() != NULL) m_lstButtons[i]->DestroyWindow();
    CStatic::OnDestroy();
}

BOOL CSPEditListBase::OnEraseBkgnd(CDC*) { return TRUE; }

void CSPEditListBase::OnPaint() {
    CPaintDC dc(this);
    CRect rectCaption;
    GetClientRect(rectCaption);
    rectCaption.bottom = rectCaption.top + m_nCaptionHeight;
    dc.FillRect(rectCaption, &spGlobalData.brBtnFace);

    CString strCaption;
    GetWindowText(strCaption);
    CRect rectText = rectCaption;
    rectText.left += 4;
    if (m_lstButtons.GetSize() > 0 && m_lstButtons[0]->GetSafeHwnd() != NULL) {
        CRect rectButton;
        m_lstButtons[0]->GetWindowRect(rectButton);
        ScreenToClient(rectButton);
        rectText.right = rectButton.left - 2;
    }
    CSelectObject selFont(&dc, &m_font);
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(IsWindowEnabled() ? spGlobalData.clrBtnText : spGlobalData.clrGrayedText);
    dc.DrawText(strCaption, rectText, DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX);
}

UINT CSPEditListBase::OnGetDlgCode() { return DLGC_WANTARROWS | DLGC_WANTCHARS; }

LRESULT CSPEditListBase::OnSetFont(WPARAM wParam, LPARAM lParam) {
    LOGFONT lf = {};
    HFONT hFont = (HFONT)wParam;
    if (hFont == NULL) hFont = (HFONT)::GetStockObject(DEFAULT_GUI_FONT);
    if (::GetObject(hFont, sizeof(lf), &lf) != 0) {
        m_font.DeleteObject();
        m_font.CreateFontIndirect(&lf);
    }
    CWnd* pList = GetListWnd();
    if (pList != NULL && pList->GetSafeHwnd() != NULL) pList->SendMessage(WM_SETFONT, (WPARAM)m_font.GetSafeHandle());
    const BOOL bRedraw = m_bRedraw;
    m_bRedraw = LOWORD(lParam) != 0;
    AdjustLayout();
    m_bRedraw = bRedraw;
    return 0;
}

LRESULT CSPEditListBase::OnGetFont(WPARAM, LPARAM) { return (LRESULT)m_font.GetSafeHandle(); }

void CSPEditListBase::OnEnable(BOOL bEnable) {
    CStatic::OnEnable(bEnable);
    EnableAllButtons(bEnable);
    CWnd* pList = GetListWnd();
    if (pList != NULL && pList->GetSafeHwnd() != NULL) pList->EnableWindow(bEnable);
    RedrawWindow();
}

// ---------------------------------------------------------------------------
// Buttons

BOOL CSPEditListBase::SetStandardButtons(UINT uiBtns) {
    if (GetSafeHwnd() == NULL) return FALSE;
    CSPResourceScope scope;
    struct StdButton {
        UINT uiBit, uiString, uiBitmap;
        WORD wKey;
        BYTE fVirt;
        int nCmd;
    };
    static const StdButton buttons[] = {
        {SPEDIT_LIST_BTN_NEW, idsNew, idbNew, VK_INSERT, 0, CmdNew},
        {SPEDIT_LIST_BTN_DELETE, idsDelete, idbDelete, VK_DELETE, 0, CmdDelete},
        {SPEDIT_LIST_BTN_UP, idsMoveUp, idbMoveUp, VK_UP, FALT, CmdMoveUp},
        {SPEDIT_LIST_BTN_DOWN, idsMoveDown, idbMoveDown, VK_DOWN, FALT, CmdMoveDown},
    };
    for (const StdButton& b : buttons) {
        if (!(uiBtns & b.uiBit)) continue;
        CString strTooltip;
        strTooltip.LoadString(b.uiString);
        if (!AddButton(b.uiBitmap, strTooltip, b.wKey, b.fVirt, (UINT)b.nCmd)) return FALSE;
    }
    m_uiStandardBtns |= uiBtns;
    return TRUE;
}

BOOL CSPEditListBase::AddButton(UINT uiImageResId, LPCTSTR lpszTooltip, WORD wKeyAccelerator, BYTE fVirt,
                                UINT uiButtonID) {
    if (GetSafeHwnd() == NULL) return FALSE;
    CSPButton* pButton = new CSPButton;
    const UINT nID = (UINT)m_lstButtons.GetSize() + 2;
    if (!pButton->Create(_T(""), WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, CRect(0, 0, 0, 0), this, nID)) {
        delete pButton;
        return FALSE;
    }
    pButton->m_nFlatStyle = CSPButton::BUTTONSTYLE_FLAT;
    pButton->m_bDrawFocus = FALSE;
    {
        CSPResourceScope scope;
        pButton->SetImage(uiImageResId);
    }
    if (lpszTooltip != NULL && *lpszTooltip != 0) pButton->SetTooltip(lpszTooltip);

    m_lstButtons.Add(pButton);
    m_lstButtonsID.Add(uiButtonID);
    if (wKeyAccelerator != 0)
        m_mapButtonKeys.SetAt(MAKELONG(wKeyAccelerator, fVirt & (FCONTROL | FALT | FSHIFT)),
                              (int)m_lstButtons.GetSize() - 1);
    AdjustLayout();
    return TRUE;
}

CSPButton* CSPEditListBase::GetButton(int iButton) const {
    return iButton >= 0 && iButton < m_lstButtons.GetSize() ? m_lstButtons[iButton] : NULL;
}

UINT CSPEditListBase::GetButtonCommand(int iButton) const {
    return iButton >= 0 && iButton < m_lstButtonsID.GetSize() ? m_lstButtonsID[iButton] : 0;
}

BOOL CSPEditListBase::EnableButton(int iButton, BOOL bEnable) {
    CSPButton* pButton = GetButton(iButton);
    if (pButton == NULL || pButton->GetSafeHwnd() == NULL) return FALSE;
    pButton->EnableWindow(bEnable);
    return TRUE;
}

void CSPEditListBase::EnableAllButtons(BOOL bEnable) {
    for (int i = 0; i < m_lstButtons.GetSize(); i++) EnableButton(i, bEnable);
}

int CSPEditListBase::GetStdButtonNum(UINT uiStdBtn) const {
    int nCmd = 0;
    switch (uiStdBtn) {
    case SPEDIT_LIST_BTN_NEW: nCmd = CmdNew; break;
    case SPEDIT_LIST_BTN_DELETE: nCmd = CmdDelete; break;
    case SPEDIT_LIST_BTN_UP: nCmd = CmdMoveUp; break;
    case SPEDIT_LIST_BTN_DOWN: nCmd = CmdMoveDown; break;
    default: return -1;
    }
    for (int i = 0; i < m_lstButtonsID.GetSize(); i++)
        if (m_lstButtonsID[i] == (UINT)nCmd) return i;
    return -1;
}

BOOL CSPEditListBase::OnCommand(WPARAM wParam, LPARAM lParam) {
    const int iButton = (int)LOWORD(wParam) - 2;
    if (lParam != 0 && HIWORD(wParam) == BN_CLICKED && iButton >= 0 && iButton < m_lstButtons.GetSize() &&
        (HWND)lParam == m_lstButtons[iButton]->GetSafeHwnd()) {
        OnClickButton(iButton);
        return TRUE;
    }
    return CStatic::OnCommand(wParam, lParam);
}

BOOL CSPEditListBase::MoveSelection(BOOL bUp) {
    const int iSel = GetSelItem();
    const int nCount = GetCount();
    if (iSel < 0 || (bUp ? iSel == 0 : iSel >= nCount - 1)) return FALSE;
    CWnd* pList = GetListWnd();
    pList->SetRedraw(FALSE);
    const CString strText = GetItemText(iSel);
    const DWORD_PTR dwData = GetItemData(iSel);
    RemoveItem(iSel);
    const int iNew = AddItem(strText, dwData, bUp ? iSel - 1 : iSel + 1);
    SelectItem(iNew);
    pList->SetRedraw(TRUE);
    pList->Invalidate();
    if (bUp) OnAfterMoveItemUp(iNew);
    else OnAfterMoveItemDown(iNew);
    return TRUE;
}

void CSPEditListBase::OnClickButton(int iButton) {
    CWnd* pList = GetListWnd();
    if (pList == NULL || pList->GetSafeHwnd() == NULL) return;
    switch ((int)GetButtonCommand(iButton)) {
    case CmdNew: CreateNewItem(); break;
    case CmdDelete: {
        const int iSel = GetSelItem();
        if (iSel >= 0 && OnBeforeRemoveItem(iSel)) RemoveItem(iSel);
        break;
    }
    case CmdMoveUp: MoveSelection(TRUE); break;
    case CmdMoveDown: MoveSelection(FALSE); break;
    default: break;
    }
}

void CSPEditListBase::CreateNewItem() {
    const int iItem = AddItem(_T(""), 0, -1);
    if (iItem < 0) return;
    m_bNewItem = TRUE;
    SelectItem(iItem);
    if (!EditItem(iItem)) {
        // no editor: the empty item goes again
        RemoveItem(iItem);
        m_bNewItem = FALSE;
        EnableAllButtons(TRUE);
    }
}

void CSPEditListBase::OnEndEditItem(LPCTSTR lpszText) {
    const int iSel = GetSelItem();
    const CString strText = lpszText != NULL ? lpszText : _T("");
    if (!strText.IsEmpty()) {
        if (iSel >= 0) {
            SetItemText(iSel, strText);
            if (m_bNewItem) OnAfterAddItem(iSel);
            else OnAfterRenameItem(iSel);
        }
    } else if (m_bNewItem && iSel >= 0) {
        RemoveItem(iSel);
    }
    m_bNewItem = FALSE;
    EnableAllButtons(TRUE);
}

// ---------------------------------------------------------------------------
// Keys

BYTE CSPEditListBase::GetModifiers(const MSG* pMsg) {
    BYTE fModifiers = 0;
    if (::GetKeyState(VK_CONTROL) < 0) fModifiers |= FCONTROL;
    if (::GetKeyState(VK_SHIFT) < 0) fModifiers |= FSHIFT;
    if (::GetKeyState(VK_MENU) < 0 || (pMsg->message == WM_SYSKEYDOWN && (pMsg->lParam & (1 << 29))))
        fModifiers |= FALT;
    return fModifiers;
}

BOOL CSPEditListBase::OnKey(UINT uiKey, BYTE fModifiers) {
    if (fModifiers != 0) return FALSE;
    const int iSel = GetSelItem();
    if (iSel < 0 || (uiKey != VK_SPACE && uiKey != VK_F2)) return FALSE;
    EditItem(iSel);
    return TRUE;
}

BOOL CSPEditListBase::PreTranslateMessage(MSG* pMsg) {
    if (pMsg->message == WM_KEYDOWN || pMsg->message == WM_SYSKEYDOWN) {
        CWnd* pList = GetListWnd();
        if (IsEditing()) {
            // the in-place editor takes every key, Return and Esc included
            ::TranslateMessage(pMsg);
            ::DispatchMessage(pMsg);
            return TRUE;
        }
        if (pList != NULL && pList->GetSafeHwnd() != NULL && ::GetFocus() == pList->GetSafeHwnd()) {
            const BYTE fModifiers = GetModifiers(pMsg);
            int iButton = -1;
            if (m_mapButtonKeys.Lookup(MAKELONG((WORD)pMsg->wParam, fModifiers), iButton)) {
                CSPButton* pButton = GetButton(iButton);
                if (pButton != NULL && pButton->IsWindowEnabled()) OnClickButton(iButton);
                return TRUE;
            }
            if (OnKey((UINT)pMsg->wParam, fModifiers)) return TRUE;
        }
    }
    return CStatic::PreTranslateMessage(pMsg);
}

// ---------------------------------------------------------------------------
// The browse button of the in-place editor

void CSPEditListBase::OnDrawBrowseButton(CDC* pDC, CRect rect, BOOL bIsButtonPressed) {
    pDC->FillRect(rect, CBrush::FromHandle(::GetSysColorBrush(COLOR_BTNFACE)));

    CRect rectText = rect;
    rectText.DeflateRect(1, 2);
    rectText.OffsetRect(0, -2);
    if (bIsButtonPressed) rectText.OffsetRect(1, 1);
    CFont* pOldFont = (CFont*)pDC->SelectStockObject(DEFAULT_GUI_FONT);
    const int nOldMode = pDC->SetBkMode(TRANSPARENT);
    const COLORREF clrOld = pDC->SetTextColor(::GetSysColor(COLOR_BTNTEXT));
    pDC->DrawText(_T("..."), -1, rectText, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
    pDC->SetTextColor(clrOld);
    pDC->SetBkMode(nOldMode);
    pDC->SelectObject(pOldFont);

    const COLORREF clrDkShadow = ::GetSysColor(COLOR_3DDKSHADOW);
    pDC->Draw3dRect(rect, clrDkShadow, clrDkShadow);
    CRect rectEdge = rect;
    rectEdge.DeflateRect(1, 1);
    pDC->DrawEdge(rectEdge, bIsButtonPressed ? BDR_SUNKENINNER : BDR_RAISEDINNER, BF_RECT);
}
