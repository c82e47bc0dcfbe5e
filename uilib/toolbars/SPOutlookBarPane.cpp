#include "SPOutlookBarPane.h"

#include <windowsx.h>

#include <algorithm>

#include "SPDrawEffects.h"
#include "SPGlobalData.h"
#include "SPMenuImages.h"
#include "SPMiniFrameWnd.h"
#include "SPOutlookBar.h"
#include "SPOutlookWnd.h"
#include "SPVisualManager.h"

IMPLEMENT_DYNCREATE(CSPOutlookBarPane, CSPToolBar)

CSPButtonImages CSPOutlookBarPane::s_Images;
CSize CSPOutlookBarPane::s_csImage(0, 0);

BEGIN_MESSAGE_MAP(CSPOutlookBarPane, CSPToolBar)
    ON_WM_CREATE()
    ON_WM_SIZE()
    ON_WM_NCCALCSIZE()
    ON_WM_ERASEBKGND()
    ON_WM_SYSCOLORCHANGE()
    ON_WM_TIMER()
    ON_WM_LBUTTONUP()
    ON_WM_SETFOCUS()
END_MESSAGE_MAP()

CSPOutlookBarPane::CSPOutlookBarPane()
    : m_clrRegText((COLORREF)-1),
      m_clrTransparentColor(RGB(255, 0, 255)),
      m_clrBackColor(spGlobalData.clrBtnShadow),
      m_nSize(-1),
      m_csBack(0, 0),
      m_uiBackImageId(0),
      m_iScrollOffset(0),
      m_iFirstVisibleButton(0),
      m_bScrollDown(FALSE),
      m_bDrawShadedHighlight(FALSE),
      m_pDropTarget(NULL) {
    m_bTextLabels = TRUE;
}

CSPOutlookBarPane::~CSPOutlookBarPane() {
    while (!m_OrigButtons.IsEmpty()) delete m_OrigButtons.RemoveHead();
}

void CSPOutlookBarPane::CleanUpLargeImages() {
    s_Images.Clear();
    s_Images.SetImageSize(CSize(0, 0));
    s_csImage = CSize(0, 0);
}

BOOL CSPOutlookBarPane::CreatePane(CWnd* pParentWnd, DWORD dwStyle, UINT uiID, DWORD dwSPBarStyle) {
    if (!Create(pParentWnd, dwStyle, uiID)) return FALSE;
    m_dwSPBarStyle = dwSPBarStyle;
    return TRUE;
}

int CSPOutlookBarPane::OnCreate(LPCREATESTRUCT lpCreateStruct) {
    if (CSPToolBar::OnCreate(lpCreateStruct) == -1) return -1;
    m_dwStyle &= ~(CBRS_GRIPPER | CBRS_BORDER_ANY);
    m_cxLeftBorder = m_cxRightBorder = m_cyTopBorder = m_cyBottomBorder = 0;
    SetWindowPos(&wndBottom, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    CSPMenuImages::Initialize();

    const CSize sizeButton = CSPMenuImages::Size() + CSize(4, 4);
    const CRect rect(CPoint(0, 0), sizeButton);
    struct {
        CSPButton& btn;
        UINT nID;
        int nGlyph;
    } buttons[] = {{m_btnUp, idScrollUp, CSPMenuImages::IdArowUp}, {m_btnDown, idScrollDown, CSPMenuImages::IdArowDown}};
    for (auto& b : buttons) {
        if (!b.btn.Create(_T(""), WS_CHILD | BS_PUSHBUTTON, rect, this, b.nID)) return -1;
        b.btn.SetStdImage(b.nGlyph);
    }
    return 0;
}

// --- buttons -------------------------------------------------------------------

int CSPOutlookBarPane::AddBitmapImage(HBITMAP hBitmap) {
    if (hBitmap == NULL) return -1;
    if (s_Images.GetCount() == 0) {
        BITMAP bmp;
        if (::GetObject(hBitmap, sizeof(bmp), &bmp) == 0) return -1;
        s_csImage = CSize(bmp.bmWidth, bmp.bmHeight);
        s_Images.SetImageSize(s_csImage);
        s_Images.SetTransparentColor(m_clrTransparentColor);
        return s_Images.AddImage(hBitmap);
    }
    BITMAP bmp;
    if (::GetObject(hBitmap, sizeof(bmp), &bmp) == 0) return -1;
    if (bmp.bmWidth == s_csImage.cx && bmp.bmHeight == s_csImage.cy) return s_Images.AddImage(hBitmap);

    // Every image of the collection has the size of the first one.
    CWindowDC dcScreen(NULL);
    CDC dcSrc, dcDest;
    CBitmap bitmap;
    if (!dcSrc.CreateCompatibleDC(&dcScreen) || !dcDest.CreateCompatibleDC(&dcScreen) ||
        !bitmap.CreateCompatibleBitmap(&dcScreen, s_csImage.cx, s_csImage.cy))
        return -1;
    HGDIOBJ hOldSrc = ::SelectObject(dcSrc.GetSafeHdc(), hBitmap);
    CBitmap* pOldDest = dcDest.SelectObject(&bitmap);
    dcDest.SetStretchBltMode(COLORONCOLOR);
    dcDest.StretchBlt(0, 0, s_csImage.cx, s_csImage.cy, &dcSrc, 0, 0, bmp.bmWidth, bmp.bmHeight, SRCCOPY);
    dcDest.SelectObject(pOldDest);
    ::SelectObject(dcSrc.GetSafeHdc(), hOldSrc);
    return s_Images.AddImage((HBITMAP)bitmap.GetSafeHandle());
}

BOOL CSPOutlookBarPane::AddButton(LPCTSTR lpszBmpFileName, LPCTSTR lpszLabel, UINT iIdCommand, int iInsertAt) {
    if (lpszBmpFileName == NULL) return FALSE;
    HBITMAP hBmp = (HBITMAP)::LoadImage(NULL, lpszBmpFileName, IMAGE_BITMAP, 0, 0,
                                        LR_LOADFROMFILE | LR_CREATEDIBSECTION);
    if (hBmp == NULL) return FALSE;
    const int iImage = AddBitmapImage(hBmp);
    ::DeleteObject(hBmp);
    return iImage >= 0 && InternalAddButton(iImage, lpszLabel, iIdCommand, iInsertAt);
}

BOOL CSPOutlookBarPane::AddButton(UINT uiImage, UINT uiLabel, UINT iIdCommand, int iInsertAt) {
    CString strLabel;
    strLabel.LoadString(uiLabel);
    return AddButton(uiImage, strLabel, iIdCommand, iInsertAt);
}

BOOL CSPOutlookBarPane::AddButton(UINT uiImage, LPCTSTR lpszLabel, UINT iIdCommand, int iInsertAt) {
    int iImage = -1;
    if (uiImage != 0) {
        HBITMAP hBmp = (HBITMAP)::LoadImage(AfxGetResourceHandle(), MAKEINTRESOURCE(uiImage), IMAGE_BITMAP, 0, 0,
                                            LR_CREATEDIBSECTION);
        if (hBmp == NULL) return FALSE;
        iImage = AddBitmapImage(hBmp);
        ::DeleteObject(hBmp);
        if (iImage < 0) return FALSE;
    }
    return InternalAddButton(iImage, lpszLabel, iIdCommand, iInsertAt);
}

BOOL CSPOutlookBarPane::AddButton(HBITMAP hBmp, LPCTSTR lpszLabel, UINT iIdCommand, int iInsertAt) {
    const int iImage = AddBitmapImage(hBmp);
    return iImage >= 0 && InternalAddButton(iImage, lpszLabel, iIdCommand, iInsertAt);
}

BOOL CSPOutlookBarPane::AddButton(HICON hIcon, LPCTSTR lpszLabel, UINT iIdCommand, int iInsertAt) {
    if (hIcon == NULL) return FALSE;
    ICONINFO info;
    if (!::GetIconInfo(hIcon, &info)) return FALSE;
    BITMAP bmp = {};
    ::GetObject(info.hbmColor != NULL ? info.hbmColor : info.hbmMask, sizeof(bmp), &bmp);
    const CSize size(bmp.bmWidth, info.hbmColor != NULL ? bmp.bmHeight : bmp.bmHeight / 2);
    if (info.hbmColor != NULL) ::DeleteObject(info.hbmColor);
    if (info.hbmMask != NULL) ::DeleteObject(info.hbmMask);

    CWindowDC dcScreen(NULL);
    CDC dc;
    CBitmap bitmap;
    if (!dc.CreateCompatibleDC(&dcScreen) || !bitmap.CreateCompatibleBitmap(&dcScreen, size.cx, size.cy)) return FALSE;
    CBitmap* pOld = dc.SelectObject(&bitmap);
    dc.FillSolidRect(0, 0, size.cx, size.cy, m_clrTransparentColor);
    ::DrawIconEx(dc.GetSafeHdc(), 0, 0, hIcon, size.cx, size.cy, 0, NULL, DI_NORMAL);
    dc.SelectObject(pOld);
    return AddButton((HBITMAP)bitmap.GetSafeHandle(), lpszLabel, iIdCommand, iInsertAt);
}

BOOL CSPOutlookBarPane::InternalAddButton(int iImageIndex, LPCTSTR lpszLabel, UINT iIdCommand, int iInsertAt) {
    CSPOutlookButton* pButton = new CSPOutlookButton;
    pButton->m_nID = iIdCommand;
    pButton->m_strText = lpszLabel != NULL ? lpszLabel : _T("");
    pButton->SetImage(iImageIndex);
    pButton->m_bText = m_bTextLabels;
    if (InsertButton(pButton, iInsertAt) < 0) {
        delete pButton;
        return FALSE;
    }
    AdjustLayout();
    return TRUE;
}

BOOL CSPOutlookBarPane::RemoveButton(UINT uiCmd) {
    const int iIndex = CommandToIndex(uiCmd);
    if (iIndex < 0 || !CSPToolBar::RemoveButton(iIndex)) return FALSE;
    AdjustLayout();
    if (GetSafeHwnd() != NULL) RedrawWindow();
    return TRUE;
}

void CSPOutlookBarPane::RemoveAllButtons() {
    CSPToolBar::RemoveAllButtons();
    m_iScrollOffset = 0;
    m_iFirstVisibleButton = 0;
    AdjustLocations();
    if (GetSafeHwnd() != NULL) RedrawWindow();
}

// --- colours and background ------------------------------------------------------

void CSPOutlookBarPane::SetTextColor(COLORREF clrRegText) {
    m_clrRegText = clrRegText;
    if (GetSafeHwnd() != NULL) RedrawWindow();
}

void CSPOutlookBarPane::SetBackColor(COLORREF color) {
    m_clrBackColor = color;
    if (GetSafeHwnd() != NULL) RedrawWindow();
}

void CSPOutlookBarPane::SetTransparentColor(COLORREF color) {
    m_clrTransparentColor = color;
    if (GetSafeHwnd() != NULL) {
        if (s_Images.GetTransparentColor() != color) {
            s_Images.SetTransparentColor(color);
            s_Images.CreateFadedImage();
        }
        RedrawWindow();
    }
}

void CSPOutlookBarPane::SetBackImage(UINT uiImageID) {
    if (uiImageID != m_uiBackImageId) {
        m_bmpBack.Clear();
        m_csBack = CSize(0, 0);
        m_bDrawShadedHighlight = FALSE;
        m_uiBackImageId = 0;
        if (uiImageID != 0) {
            HBITMAP hBmp = (HBITMAP)::LoadImage(AfxGetResourceHandle(), MAKEINTRESOURCE(uiImageID), IMAGE_BITMAP, 0, 0,
                                                LR_CREATEDIBSECTION | LR_LOADMAP3DCOLORS);
            BITMAP bmp;
            if (hBmp != NULL && ::GetObject(hBmp, sizeof(bmp), &bmp) != 0 && bmp.bmWidth > 0 && bmp.bmHeight > 0) {
                m_csBack = CSize(bmp.bmWidth, bmp.bmHeight);
                m_bmpBack.SetImageSize(m_csBack);
                m_bmpBack.AddImage(hBmp);
                m_uiBackImageId = uiImageID;
                m_bDrawShadedHighlight = spGlobalData.nBitsPerPixel > 8;
            }
            if (hBmp != NULL) ::DeleteObject(hBmp);
        }
    }
    if (GetSafeHwnd() != NULL) RedrawWindow();
}

void CSPOutlookBarPane::DrawBackground(CDC* pDC, CRect rect) {
    if (m_bmpBack.GetCount() == 0 || m_csBack.cx <= 0 || m_csBack.cy <= 0) {
        pDC->FillSolidRect(rect, m_clrBackColor);
        return;
    }
    CSPDrawState ds;
    if (!m_bmpBack.PrepareDraw(ds)) {
        pDC->FillSolidRect(rect, m_clrBackColor);
        return;
    }
    const int nSaved = pDC->SaveDC();
    pDC->IntersectClipRect(rect);
    for (int x = rect.left; x < rect.right; x += m_csBack.cx)
        for (int y = rect.top; y < rect.bottom; y += m_csBack.cy) m_bmpBack.Draw(pDC, x, y, 0);
    pDC->RestoreDC(nSaved);
    m_bmpBack.EndDraw(ds);
}

void CSPOutlookBarPane::OnSysColorChange() {
    CSPToolBar::OnSysColorChange();
    m_clrBackColor = spGlobalData.clrBtnShadow;
    if (m_uiBackImageId == 0) m_clrRegText = ::GetSysColor(COLOR_WINDOW);
    Invalidate();
}

BOOL CSPOutlookBarPane::OnEraseBkgnd(CDC* /*pDC*/) { return TRUE; }

void CSPOutlookBarPane::OnNcCalcSize(BOOL /*bCalcValidRects*/, NCCALCSIZE_PARAMS* lpncsp) {
    CRect rect(lpncsp->rgrc[0]);
    CRect rectInside(0, 0, 0, 0);
    CalcInsideRect(rectInside, FALSE);
    rect.left += rectInside.left;
    rect.top += rectInside.top;
    rect.right += rectInside.right;
    rect.bottom += rectInside.bottom;
    lpncsp->rgrc[0] = rect;
}

void CSPOutlookBarPane::OnSetFocus(CWnd* pOldWnd) { CWnd::OnSetFocus(pOldWnd); }

CSize CSPOutlookBarPane::CalcFixedLayout(BOOL /*bStretch*/, BOOL /*bHorz*/) {
    CRect rect(0, 0, 0, 0);
    if (GetSafeHwnd() != NULL) GetClientRect(rect);
    return rect.Size();
}

// --- layout and scrolling ------------------------------------------------------------

// Shows the scroll button on top at its place when asked and when it fits
// into the area, else hides it.
static void PlaceScrollButton(CSPButton& btn, const CRect& rect, BOOL bShow, const CRect& rectArea) {
    if (btn.GetSafeHwnd() == NULL) return;
    CRect rectUnion;
    rectUnion.UnionRect(rect, rectArea);
    if (bShow && rectUnion == rectArea)
        btn.SetWindowPos(&CWnd::wndTop, rect.left, rect.top, -1, -1, SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    else
        btn.ShowWindow(SW_HIDE);
}

void CSPOutlookBarPane::AdjustLocations() {
    if (GetSafeHwnd() == NULL) return;
    for (CSPButton* pBtn : {&m_btnUp, &m_btnDown})
        if (pBtn->GetSafeHwnd() != NULL) pBtn->SendMessage(WM_CANCELMODE);

    CSPVisualManager* pVisual = CSPVisualManager::GetInstance();
    const CSize sizeScrollButton = CSPMenuImages::Size() + CSize(4, 4);
    CRect rectClient;
    GetClientRect(rectClient);
    CSize sizeDefault(rectClient.Width() - 2, s_csImage.cy);
    if (IsButtonExtraSizeAvailable()) sizeDefault += pVisual->GetButtonExtraBorder();

    CRect rectInner = rectClient;
    rectInner.DeflateRect(5, 5);
    const CRect rectUp(CPoint(rectClient.right - 5 - sizeScrollButton.cx, rectClient.top + 5), sizeScrollButton);
    PlaceScrollButton(m_btnUp, rectUp, m_iFirstVisibleButton > 0, rectInner);

    CClientDC dc(this);
    CFont* pOldFont = dc.SelectObject(&spGlobalData.fontRegular);
    int y = rectClient.top - m_iScrollOffset;
    for (POSITION pos = m_Buttons.GetHeadPosition(); pos != NULL;) {
        CSPToolbarButton* pButton = (CSPToolbarButton*)m_Buttons.GetNext(pos);
        pButton->m_bText = m_bTextLabels;
        if (CSPOutlookButton* pOutlook = DYNAMIC_DOWNCAST(CSPOutlookButton, pButton)) pOutlook->m_sizeImage = s_csImage;
        CSize size = pButton->OnCalculateSize(&dc, sizeDefault, FALSE);
        size.cx = std::min<int>(size.cx, rectClient.Width() - 1);
        const CRect rect(CPoint(rectClient.left + (rectClient.Width() - size.cx) / 2, y), size);
        if (rect != pButton->Rect()) {
            pButton->SetRect(rect);
            pButton->OnMove();
        }
        y += size.cy;
    }
    dc.SelectObject(pOldFont);

    m_bScrollDown = y > rectClient.bottom;
    const CRect rectDown(CPoint(rectClient.right - 5 - sizeScrollButton.cx, rectClient.bottom - 5 - sizeScrollButton.cy),
                         sizeScrollButton);
    PlaceScrollButton(m_btnDown, rectDown, m_bScrollDown, rectInner);
    for (CSPButton* pBtn : {&m_btnUp, &m_btnDown})
        if (pBtn->GetSafeHwnd() != NULL) pBtn->RedrawWindow();
    UpdateTooltips();
}

int CSPOutlookBarPane::ButtonHeight(int iIndex) const {
    CSPToolbarButton* pButton = GetButton(iIndex);
    return pButton != NULL ? pButton->Rect().Height() : 0;
}

void CSPOutlookBarPane::ScrollUp() {
    if (m_iScrollOffset <= 0 || m_iFirstVisibleButton <= 0) {
        m_iScrollOffset = 0;
        m_iFirstVisibleButton = 0;
        if (GetSafeHwnd() != NULL) KillTimer(idScrollUp);
        return;
    }
    // The step back is the height of the button that comes into view, so
    // that scrolling up undoes scrolling down even when the labels wrap to
    // different heights.
    m_iFirstVisibleButton--;
    m_iScrollOffset -= ButtonHeight(m_iFirstVisibleButton);
    if (m_iFirstVisibleButton == 0 || m_iScrollOffset < 0) m_iScrollOffset = 0;
    AdjustLocations();
    Invalidate();
    UpdateWindow();
}

void CSPOutlookBarPane::ScrollDown() {
    if (!m_bScrollDown || m_iFirstVisibleButton + 1 >= GetCount()) {
        if (GetSafeHwnd() != NULL) KillTimer(idScrollDown);
        return;
    }
    m_iScrollOffset += ButtonHeight(m_iFirstVisibleButton);
    m_iFirstVisibleButton++;
    AdjustLocations();
    Invalidate();
    UpdateWindow();
}

void CSPOutlookBarPane::OnSize(UINT nType, int cx, int cy) {
    CSPToolBar::OnSize(nType, cx, cy);
    AdjustLocations();
    // A taller page brings scrolled buttons back down while the last one
    // would end above the new bottom edge.
    CRect rectClient;
    GetClientRect(rectClient);
    while (m_iScrollOffset > 0 && GetCount() > 0) {
        CSPToolbarButton* pLast = GetButton(GetCount() - 1);
        if (pLast == NULL || pLast->Rect().bottom >= rectClient.bottom) break;
        const int nOffset = m_iScrollOffset;
        ScrollUp();
        if (m_iScrollOffset == nOffset) break;
    }
}

// --- scroll buttons under the mouse -------------------------------------------------

BOOL CSPOutlookBarPane::IsScrollButtonHit(CSPButton& btn, CPoint ptScreen) const {
    if (btn.GetSafeHwnd() == NULL || !btn.IsWindowVisible()) return FALSE;
    CRect rect;
    btn.GetWindowRect(rect);
    return rect.PtInRect(ptScreen);
}

BOOL CSPOutlookBarPane::PreTranslateMessage(MSG* pMsg) {
    if (pMsg->message == WM_MOUSEMOVE || pMsg->message == WM_LBUTTONDOWN || pMsg->message == WM_LBUTTONUP) {
        if (pMsg->message == WM_LBUTTONUP) {
            KillTimer(idScrollUp);
            KillTimer(idScrollDown);
        }
        CPoint ptScreen(GET_X_LPARAM(pMsg->lParam), GET_Y_LPARAM(pMsg->lParam));
        ::ClientToScreen(pMsg->hwnd, &ptScreen);
        struct {
            CSPButton& btn;
            UINT nTimer;
        } buttons[] = {{m_btnUp, idScrollUp}, {m_btnDown, idScrollDown}};
        for (auto& b : buttons) {
            if (!IsScrollButtonHit(b.btn, ptScreen)) continue;
            // A message of the page itself (the button may lie under its
            // capture) reaches the button too; the button's own is dispatched
            // to it as usual.
            const BOOL bForward = pMsg->hwnd != b.btn.GetSafeHwnd();
            if (bForward) {
                CPoint ptButton = ptScreen;
                b.btn.ScreenToClient(&ptButton);
                b.btn.SendMessage(pMsg->message, pMsg->wParam, MAKELPARAM(ptButton.x, ptButton.y));
            }
            if (pMsg->message == WM_LBUTTONDOWN) {
                SetTimer(b.nTimer, nScrollDelay, NULL);
                if (b.nTimer == idScrollUp) ScrollUp();
                else ScrollDown();
            }
            if (bForward) return TRUE;
            break;
        }
    }
    return CSPToolBar::PreTranslateMessage(pMsg);
}

void CSPOutlookBarPane::OnTimer(UINT_PTR nIDEvent) {
    CPoint ptCursor;
    ::GetCursorPos(&ptCursor);
    if (nIDEvent == idScrollUp) {
        if (m_btnUp.IsPressed() && IsScrollButtonHit(m_btnUp, ptCursor)) ScrollUp();
        return;
    }
    if (nIDEvent == idScrollDown) {
        if (m_btnDown.IsPressed() && IsScrollButtonHit(m_btnDown, ptCursor)) ScrollDown();
        return;
    }
    CSPToolBar::OnTimer(nIDEvent);
}

void CSPOutlookBarPane::OnLButtonUp(UINT nFlags, CPoint point) {
    KillTimer(idScrollUp);
    KillTimer(idScrollDown);
    CSPToolBar::OnLButtonUp(nFlags, point);
}

// --- painting ----------------------------------------------------------------------

void CSPOutlookBarPane::DoPaint(CDC* pDCPaint) {
    CRect rectClient;
    GetClientRect(rectClient);
    CSPOffscreenDC offscreen(pDCPaint, rectClient);
    CDC* pDC = offscreen.GetDC();
    const CRect rectClip = offscreen.GetClipBox();
    CSPVisualManager::GetInstance()->OnFillBarBackground(pDC, this, rectClient, rectClient, FALSE);

    if (!m_Buttons.IsEmpty()) {
        pDC->SetTextColor(spGlobalData.clrBtnText);
        pDC->SetBkMode(TRANSPARENT);
        CSPDrawState ds;
        const BOOL bImages = s_Images.GetCount() > 0 && s_Images.PrepareDraw(ds, s_csImage);
        CFont* pOldFont = pDC->SelectObject(&spGlobalData.fontRegular);
        const BOOL bCustomizing = g_bCustomizeMode && !m_bLocked;
        int iButton = 0;
        for (POSITION pos = m_Buttons.GetHeadPosition(); pos != NULL; iButton++) {
            CSPToolbarButton* pButton = (CSPToolbarButton*)m_Buttons.GetNext(pos);
            if (pButton->IsHidden() || !CRect().IntersectRect(pButton->Rect(), rectClip)) continue;
            const BOOL bHighlight = !bCustomizing && (iButton == m_iHighlighted || iButton == m_iButtonCapture) &&
                                    (m_iButtonCapture == -1 || iButton == m_iButtonCapture);
            pButton->OnDraw(pDC, pButton->Rect(), bImages ? &s_Images : NULL, FALSE, bCustomizing, bHighlight,
                            m_bShowHotBorder, m_bGrayDisabledButtons);
        }
        if (bCustomizing && m_pSelToolbar == this) {
            CSPToolbarButton* pSelected = GetButton(m_iSelected);
            if (pSelected != NULL) {
                CRect rectFrame = pSelected->Rect();
                for (int i = 0; i < 2; i++, rectFrame.DeflateRect(1, 1))
                    pDC->Draw3dRect(rectFrame, spGlobalData.clrBtnText, spGlobalData.clrBtnText);
            }
        }
        if (bCustomizing && m_iDragIndex >= 0) DrawDragMarker(pDC);
        pDC->SelectObject(pOldFont);
        if (bImages) s_Images.EndDraw(ds);
    }

    offscreen.Flush();
}

// --- customising and dragging ------------------------------------------------------------

CSPToolbarButton* CSPOutlookBarPane::CreateDroppedButton(IDataObject* pDataObject) {
    CSPToolbarButton* pButton = CSPToolBar::CreateDroppedButton(pDataObject);
    if (pButton != NULL && !pButton->IsKindOf(RUNTIME_CLASS(CSPOutlookButton))) {
        delete pButton;
        return NULL;
    }
    return pButton;
}

DROPEFFECT CSPOutlookBarPane::OnDragOver(IDataObject* pDataObject, DWORD dwKeyState, CPoint point) {
    if (!CSPOutlookButton::IsDraggedIn(pDataObject)) return DROPEFFECT_NONE;

    CPoint ptScreen = point;
    ClientToScreen(&ptScreen);
    if (IsScrollButtonHit(m_btnUp, ptScreen)) {
        ScrollUp();
        return DROPEFFECT_NONE;
    }
    if (IsScrollButtonHit(m_btnDown, ptScreen)) {
        ScrollDown();
        return DROPEFFECT_NONE;
    }
    return CSPToolBar::OnDragOver(pDataObject, dwKeyState, point);
}

BOOL CSPOutlookBarPane::EnableContextMenuItems(CSPToolbarButton* pButton, CMenu* pPopup) {
    if (g_bCustomizeMode && pPopup != NULL) {
        static const UINT s_nGreyed[] = {SP_IDC_IMAGE,      SP_IDC_TEXT,        SP_IDC_IMAGE_AND_TEXT, SP_IDC_APPEARANCE,
                                         SP_IDC_START_GROUP, SP_IDC_RESET_IMAGE, SP_IDC_COPY_IMAGE};
        for (UINT nID : s_nGreyed) pPopup->EnableMenuItem(nID, MF_BYCOMMAND | MF_GRAYED);
    }
    return CSPToolBar::EnableContextMenuItems(pButton, pPopup);
}

// --- the first set of buttons ---------------------------------------------------------

void CSPOutlookBarPane::CopyButtons(const CObList& lstFrom, CObList& lstTo) {
    for (POSITION pos = lstFrom.GetHeadPosition(); pos != NULL;) {
        const CSPToolbarButton* pSrc = (const CSPToolbarButton*)lstFrom.GetNext(pos);
        CSPToolbarButton* pCopy = DYNAMIC_DOWNCAST(CSPToolbarButton, pSrc->GetRuntimeClass()->CreateObject());
        if (pCopy == NULL) continue;
        pCopy->CopyFrom(*pSrc);
        pCopy->m_rect = pSrc->m_rect;
        pCopy->OnChangeParentWnd(this);
        lstTo.AddTail(pCopy);
    }
}

void CSPOutlookBarPane::SaveOriginalState() {
    while (!m_OrigButtons.IsEmpty()) delete m_OrigButtons.RemoveHead();
    CopyButtons(m_Buttons, m_OrigButtons);
}

BOOL CSPOutlookBarPane::RestoreOriginalState() {
    if (m_OrigButtons.IsEmpty()) return FALSE;
    CSPToolBar::RemoveAllButtons();
    CopyButtons(m_OrigButtons, m_Buttons);
    m_iScrollOffset = 0;
    m_iFirstVisibleButton = 0;
    AdjustLayout();
    if (GetSafeHwnd() != NULL) RedrawWindow();
    return TRUE;
}

BOOL CSPOutlookBarPane::MergeWithOriginalButtons(const CObList& lstStored) {
    if (lstStored.IsEmpty()) return FALSE;
    if (lstStored.GetCount() == m_OrigButtons.GetCount()) {
        BOOL bSame = TRUE;
        for (POSITION posA = lstStored.GetHeadPosition(), posB = m_OrigButtons.GetHeadPosition();
             posA != NULL && posB != NULL && bSame;) {
            const CSPToolbarButton* pA = (const CSPToolbarButton*)lstStored.GetNext(posA);
            const CSPToolbarButton* pB = (const CSPToolbarButton*)m_OrigButtons.GetNext(posB);
            bSame = pA->CompareWith(*pB);
        }
        if (bSame) return FALSE;
    }
    RestoreOriginalState();
    return TRUE;
}

// --- the page moved to another outlook bar ----------------------------------------------------

// The outlook bar that holds the page (through its outlook window and its
// wrapper), NULL when it is in none.
static CSPOutlookBar* HoldingBar(CWnd* pPage) {
    for (CWnd* pWnd = pPage->GetParent(); pWnd != NULL; pWnd = pWnd->GetParent()) {
        if (pWnd->IsKindOf(RUNTIME_CLASS(CSPOutlookBar))) return (CSPOutlookBar*)pWnd;
        if (!pWnd->IsKindOf(RUNTIME_CLASS(CSPOutlookWnd)) && !pWnd->IsKindOf(RUNTIME_CLASS(CSPDockingCBWrapper)))
            return NULL;
    }
    return NULL;
}

void CSPOutlookBarPane::RememberDropTarget() {
    if (GetSafeHwnd() == NULL) return;
    CSPOutlookBar* pBar = HoldingBar(this);
    if (pBar != NULL) m_pDropTarget = pBar;
}

BOOL CSPOutlookBarPane::DockControlBar(CSPBaseControlBar* pDockBar, LPCRECT /*lpRect*/, int nDockMethod) {
    CWnd* pTarget = NULL;
    if (nDockMethod == SP_DM_MOUSE)
        pTarget = pDockBar;
    else if (nDockMethod == SP_DM_SHOW)
        pTarget = m_pDropTarget;
    else
        return FALSE;
    // The remembered bar may be gone by now.
    if (pTarget == NULL || !::IsWindow(pTarget->GetSafeHwnd()) || CWnd::FromHandlePermanent(pTarget->GetSafeHwnd()) != pTarget ||
        !pTarget->IsKindOf(RUNTIME_CLASS(CSPOutlookBar)) || GetSafeHwnd() == NULL)
        return FALSE;
    CSPOutlookBar* pNewBar = (CSPOutlookBar*)pTarget;

    CString strLabel;
    GetWindowText(strLabel);
    CSPOutlookBar* pOldBar = HoldingBar(this);
    if (pOldBar == pNewBar) {
        CSPOutlookWnd* pTabs = pNewBar->GetOutlookWnd();
        for (int i = 0; pTabs != NULL && i < pTabs->GetTabsNum(); i++)
            if (pTabs->GetTabWndNoWrapper(i) == this) pNewBar->ActivateTab(i);
        return TRUE;
    }
    CSPOutlookWnd* pOldTabs = pOldBar != NULL ? pOldBar->GetOutlookWnd() : NULL;
    int iOldTab = -1;
    for (int i = 0; pOldTabs != NULL && i < pOldTabs->GetTabsNum() && iOldTab < 0; i++)
        if (pOldTabs->GetTabWndNoWrapper(i) == this) iOldTab = i;
    CWnd* pOldWrapper = iOldTab >= 0 ? pOldTabs->GetTabWnd(iOldTab) : NULL;
    // A renamed page is known by its tab's label.
    if (iOldTab >= 0) pOldTabs->GetTabLabel(iOldTab, strLabel);
    SetWindowText(strLabel);

    CSPMiniFrameWnd* pMiniFrame = GetParentMiniFrame(TRUE);
    if (pMiniFrame != NULL) pMiniFrame->RemoveControlBar(this, FALSE, FALSE);
    pNewBar->AddTab(this, TRUE, TRUE, TRUE);
    if (iOldTab >= 0) {
        pOldTabs->RemoveTab(iOldTab, TRUE);
        // The wrapper that held the page here has nothing left to hold.
        if (pOldWrapper != this && pOldWrapper->GetSafeHwnd() != NULL) pOldWrapper->DestroyWindow();
        pOldBar->UpdateCaptionFromActiveTab();
        pOldBar->HandOverCustomPage(this, pNewBar);
    }
    CSPOutlookWnd* pNewTabs = pNewBar->GetOutlookWnd();
    for (int i = 0; pNewTabs != NULL && i < pNewTabs->GetTabsNum(); i++) {
        if (pNewTabs->GetTabWndNoWrapper(i) != this) continue;
        pNewTabs->SetTabLabel(i, strLabel);
        pNewBar->ActivateTab(i);
    }
    return TRUE;
}
