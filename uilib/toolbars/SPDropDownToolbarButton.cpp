// SPDropDownToolbarButton.cpp - the drop-down toolbar button, its
// alternatives bar and the frame that shows them.
#include "SPDropDownToolbarButton.h"

#include "SPMenuSounds.h"
#include "SPPopupMenuBar.h"
#include "SPToolbarMenuButton.h"
#include "SPTrackMouse.h"
#include "SPVisualManager.h"

IMPLEMENT_SERIAL(CSPDropDownToolBar, CSPToolBar, 1)
IMPLEMENT_SERIAL(CSPDropDownToolbarButton, CSPToolbarButton, VERSIONABLE_SCHEMA | 1)
IMPLEMENT_DYNAMIC(CSPDropDownFrame, CMiniFrameWnd)

namespace {

// The press timer's id: one no library window uses for anything else.
const UINT_PTR SP_DROPDOWN_PRESS_TIMER_ID = 0xE1E6;
// The control id of the shown copy of the alternatives.
const UINT SP_DROPDOWN_BAR_ID = 59431;

}  // namespace

UINT CSPDropDownToolbarButton::s_uiPressDelay = 500;
CSPDropDownToolbarButton* CSPDropDownToolbarButton::s_pButtonWithTimer = NULL;
CString CSPDropDownFrame::s_strClassName;

// =====================================================================================
// The alternatives bar

BEGIN_MESSAGE_MAP(CSPDropDownToolBar, CSPToolBar)
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONUP()
    ON_MESSAGE(WM_MOUSELEAVE, OnMouseLeave)
END_MESSAGE_MAP()

BOOL CSPDropDownToolBar::LoadBitmap(UINT uiResID, UINT uiColdResID, UINT uiMenuResID, BOOL /*bLocked*/,
                                    UINT uiDisabledResID, UINT uiMenuDisabledResID) {
    return CSPToolBar::LoadBitmap(uiResID, uiColdResID, uiMenuResID, TRUE, uiDisabledResID, uiMenuDisabledResID);
}

BOOL CSPDropDownToolBar::LoadToolBar(UINT uiResID, UINT uiColdResID, UINT uiMenuResID, BOOL /*bLocked*/,
                                     UINT uiDisabledResID, UINT uiMenuDisabledResID, UINT uiHotResID) {
    return CSPToolBar::LoadToolBar(uiResID, uiColdResID, uiMenuResID, TRUE, uiDisabledResID, uiMenuDisabledResID,
                                   uiHotResID);
}

void CSPDropDownToolBar::ShareFrom(CSPDropDownToolBar& source) {
    m_bLocked = TRUE;
    source.m_ImagesLocked.CopyTemplate(m_ImagesLocked);
    source.m_ColdImagesLocked.CopyTemplate(m_ColdImagesLocked);
    source.m_DisabledImagesLocked.CopyTemplate(m_DisabledImagesLocked);
    m_sizeButtonLocked = source.m_sizeButtonLocked;
    m_sizeImageLocked = source.m_sizeImageLocked;
    m_sizeCurButtonLocked = source.m_sizeCurButtonLocked;
    m_sizeCurImageLocked = source.m_sizeCurImageLocked;
    SetControlBarStyle(GetControlBarStyle() & ~CBRS_GRIPPER);
    SetOwner(source.GetOwner() != NULL ? source.GetOwner() : source.GetParent());
    m_bTextLabels = source.m_bTextLabels;
    for (POSITION pos = source.m_Buttons.GetHeadPosition(); pos != NULL;) m_Buttons.AddTail(source.m_Buttons.GetNext(pos));
}

CSPDropDownFrame* CSPDropDownToolBar::GetDropDownFrame() const {
    return DYNAMIC_DOWNCAST(CSPDropDownFrame, GetParent());
}

BOOL CSPDropDownToolBar::OnSendCommand(const CSPToolbarButton* pButton) {
    if (pButton == NULL || (pButton->m_nStyle & TBBS_DISABLED) || pButton->m_nID == 0 || pButton->m_nID == (UINT)-1)
        return FALSE;
    CSPDropDownFrame* pFrame = GetDropDownFrame();
    if (pFrame != NULL && pFrame->GetParentButton() != NULL) pFrame->GetParentButton()->SetDefaultCommand(pButton->m_nID);
    CWnd* pTarget = GetOwner() != NULL ? GetOwner() : GetParent();
    if (pTarget != NULL) pTarget->PostMessage(WM_COMMAND, pButton->m_nID);
    if (pFrame != NULL) pFrame->DestroyWindow();
    return TRUE;
}

void CSPDropDownToolBar::OnUpdateCmdUI(CFrameWnd* /*pTarget*/, BOOL bDisableIfNoHndler) {
    CFrameWnd* pTarget = DYNAMIC_DOWNCAST(CFrameWnd, GetCommandTarget());
    if (pTarget != NULL) CSPToolBar::OnUpdateCmdUI(pTarget, bDisableIfNoHndler);
}

void CSPDropDownToolBar::OnMouseMove(UINT /*nFlags*/, CPoint point) {
    if (GetDropDownFrame() == NULL) return;
    if (!m_bTracking) {
        TRACKMOUSEEVENT tme = {sizeof(tme), TME_LEAVE, GetSafeHwnd(), 0};
        m_bTracking = SPTrackMouse(&tme);
    }
    int iHit = HitTest(point);
    CSPToolbarButton* pHit = GetButton(iHit);
    if (pHit == NULL || pHit->IsSeparator() || ((pHit->m_nStyle & TBBS_DISABLED) && !AllowSelectDisabled()))
        iHit = -1;
    if (iHit == m_iPressed) return;
    if (CSPToolbarButton* pOld = GetButton(m_iPressed)) {
        pOld->m_nStyle &= ~TBBS_PRESSED;
        InvalidateButton(m_iPressed);
    }
    m_iPressed = iHit;
    if (CSPToolbarButton* pNew = GetButton(iHit)) {
        pNew->m_nStyle |= TBBS_PRESSED;
        InvalidateButton(iHit);
        ShowCommandMessageString(pNew->m_nID);
    } else {
        ShowCommandMessageString((UINT)-1);
    }
    UpdateWindow();
    OnChangeHot(iHit);
}

LRESULT CSPDropDownToolBar::OnMouseLeave(WPARAM, LPARAM) {
    m_bTracking = FALSE;
    return 0;
}

void CSPDropDownToolBar::OnLButtonUp(UINT nFlags, CPoint point) {
    CSPDropDownFrame* pFrame = GetDropDownFrame();
    if (pFrame == NULL || g_bCustomizeMode) {
        CSPToolBar::OnLButtonUp(nFlags, point);
        return;
    }
    CRect rectClient;
    GetClientRect(rectClient);
    if (!rectClient.PtInRect(point)) {
        pFrame->DestroyWindow();
        return;
    }
    CSPToolbarButton* pButton = GetButton(HitTest(point));
    if (pButton != NULL) pButton->m_nStyle &= ~TBBS_PRESSED;
    if (!OnSendCommand(pButton)) {
        // Nothing chosen (a separator, a disabled item): the choice stays open.
        if (::GetCapture() != GetSafeHwnd()) SetCapture();
    }
}

// =====================================================================================
// The button

CSPDropDownToolbarButton::CSPDropDownToolbarButton()
    : m_pToolBar(NULL),
      m_pPopupMenu(NULL),
      m_pWndParent(NULL),
      m_uiTimer(0),
      m_iSelectedImage(0),
      m_bInternalDraw(FALSE),
      m_bLocalUserButton(FALSE) {
    m_bLocked = TRUE;
}

CSPDropDownToolbarButton::CSPDropDownToolbarButton(LPCTSTR lpszName, CSPDropDownToolBar* pToolBar)
    : CSPDropDownToolbarButton() {
    m_strName = lpszName != NULL ? lpszName : _T("");
    m_pToolBar = pToolBar;
    if (pToolBar != NULL && pToolBar->GetCount() > 0) CopyFrom(*pToolBar->GetButton(0));
    m_strName = lpszName != NULL ? lpszName : _T("");
    m_pToolBar = pToolBar;
    m_iSelectedImage = 0;
    m_bLocked = TRUE;
}

CSPDropDownToolbarButton::~CSPDropDownToolbarButton() {
    KillPressTimer();
    if (m_pPopupMenu != NULL) {
        m_pPopupMenu->SetButton(NULL);
        if (::IsWindow(m_pPopupMenu->GetSafeHwnd())) m_pPopupMenu->DestroyWindow();
    }
}

void CSPDropDownToolbarButton::CopyFrom(const CSPToolbarButton& s) {
    CSPToolbarButton::CopyFrom(s);
    const CSPDropDownToolbarButton* pSrc = s.IsKindOf(RUNTIME_CLASS(CSPDropDownToolbarButton)) ? (const CSPDropDownToolbarButton*)&s : NULL;
    if (pSrc == NULL) return;
    m_pToolBar = pSrc->m_pToolBar;
    m_strName = pSrc->m_strName;
    m_iSelectedImage = pSrc->m_iSelectedImage;
    m_bLocalUserButton = pSrc->m_bLocalUserButton;
}

void CSPDropDownToolbarButton::SetDefaultCommand(UINT uiCmd) {
    m_nID = uiCmd;
    m_iSelectedImage = 0;
    m_bLocalUserButton = FALSE;
    if (m_pToolBar == NULL) return;
    int iImage = 0;
    for (int i = 0; i < m_pToolBar->GetCount(); i++) {
        CSPToolbarButton* pButton = m_pToolBar->GetButton(i);
        if (pButton->IsSeparator()) continue;
        if (pButton->m_nID == uiCmd) {
            m_bLocalUserButton = pButton->m_bUserButton;
            m_iSelectedImage = m_bLocalUserButton ? pButton->GetImage() : iImage;
            return;
        }
        iImage++;
    }
}

void CSPDropDownToolbarButton::Serialize(CArchive& ar) {
    CSPToolbarButton::Serialize(ar);
    if (ar.IsStoring()) {
        ar << (int)(m_pToolBar != NULL ? m_pToolBar->GetDlgCtrlID() : 0);
        ar << m_strName;
        ar << m_iSelectedImage;
        return;
    }
    int iBarID = 0;
    ar >> iBarID;
    ar >> m_strName;
    ar >> m_iSelectedImage;
    // The alternatives are the live drop-down bar with that id, if any.
    m_pToolBar = NULL;
    for (POSITION pos = g_lstAllToolbars.GetHeadPosition(); pos != NULL && iBarID != 0;) {
        CSPDropDownToolBar* pBar = DYNAMIC_DOWNCAST(CSPDropDownToolBar, g_lstAllToolbars.GetNext(pos));
        if (pBar != NULL && ::IsWindow(pBar->GetSafeHwnd()) && pBar->GetDlgCtrlID() == iBarID) {
            m_pToolBar = pBar;
            break;
        }
    }
    SetDefaultCommand(m_nID);
}

void CSPDropDownToolbarButton::OnChangeParentWnd(CWnd* pWndParent) {
    CSPToolbarButton::OnChangeParentWnd(pWndParent);
    m_pWndParent = pWndParent;
    m_bText = FALSE;
    m_strText.Empty();
    m_bUserButton = FALSE;
}

SIZE CSPDropDownToolbarButton::OnCalculateSize(CDC* pDC, const CSize& sizeDefault, BOOL bHorz) {
    if (m_nID == 0 && m_pToolBar != NULL && m_pToolBar->GetCount() > 0)
        SetDefaultCommand(m_pToolBar->GetButton(0)->m_nID);
    const int iImage = m_iImage;
    const BOOL bImage = m_bImage;
    m_iImage = m_iSelectedImage;
    m_bImage = TRUE;
    CSize size = CSPToolbarButton::OnCalculateSize(pDC, sizeDefault, bHorz);
    m_iImage = iImage;
    m_bImage = bImage;
    size.cx += CSPToolBar::IsLargeIcons() ? 9 : 4;
    return size;
}

void CSPDropDownToolbarButton::OnDraw(CDC* pDC, const CRect& rect, CSPButtonImages* pImages, BOOL bHorz,
                                      BOOL bCustomizeMode, BOOL bHighlight, BOOL bDrawBorder,
                                      BOOL bGrayDisabledButtons) {
    const BOOL bLarge = CSPToolBar::IsLargeIcons();
    if (m_pToolBar != NULL) {
        CRect rectImage = rect;
        rectImage.right -= bLarge ? 8 : 4;
        const int iImage = m_iImage;
        const BOOL bImage = m_bImage;
        m_iImage = m_iSelectedImage;
        m_bImage = TRUE;
        m_bInternalDraw = TRUE;
        CSPButtonImages* pAlternatives = m_bLocalUserButton && CSPToolBar::m_pUserImages != NULL
                                             ? CSPToolBar::m_pUserImages
                                             : m_pToolBar->GetAlternativeImages();
        // The bar is drawing with its own images: the alternatives' strip
        // takes the shared drawing context for this button only.
        CSize sizeImage = m_pToolBar->GetAlternativeImageSize();
        if (bLarge) sizeImage = CSize(sizeImage.cx * 2, sizeImage.cy * 2);
        CSPDrawState ds;
        const BOOL bPrepared = pAlternatives->PrepareDraw(ds, sizeImage);
        CSPToolbarButton::OnDraw(pDC, rectImage, pAlternatives, bHorz, bCustomizeMode, bHighlight, FALSE,
                                 bGrayDisabledButtons);
        if (bPrepared) pAlternatives->EndDraw(ds);
        m_bInternalDraw = FALSE;
        m_iImage = iImage;
        m_bImage = bImage;
    } else {
        CSPToolbarButton::OnDraw(pDC, rect, pImages, bHorz, bCustomizeMode, bHighlight, FALSE, bGrayDisabledButtons);
    }

    // The arrow: a small right triangle in the lower right corner.
    const int a = bLarge ? 14 : 7, c = bLarge ? 7 : 4;
    const int p = (m_nStyle & TBBS_PRESSED) ? 1 : 0;
    const int r = rect.right, b = rect.bottom;
    POINT pts[3] = {{r - a + p - 1, b - c + p + 1}, {r - c + p + 1, b - c + p + 1}, {r - c + p + 1, b - a + p - 1}};
    CBrush brush(::GetSysColor(COLOR_3DDKSHADOW));
    CBrush* pOldBrush = pDC->SelectObject(&brush);
    CPen* pOldPen = (CPen*)pDC->SelectStockObject(NULL_PEN);
    pDC->Polygon(pts, 3);
    pDC->SelectObject(pOldPen);
    pDC->SelectObject(pOldBrush);

    if (bCustomizeMode || !HaveHotBorder() || !bDrawBorder) return;
    CSPVisualManager* pManager = CSPVisualManager::GetInstance();
    if (m_pPopupMenu != NULL || (m_nStyle & (TBBS_CHECKED | TBBS_PRESSED))) {
        const BOOL bCommand = m_nID != 0 && m_nID != (UINT)-1;
        pManager->OnDrawButtonBorder(pDC, this, rect,
                                     bCommand ? CSPVisualManager::ButtonsIsPressed
                                              : CSPVisualManager::ButtonsIsHighlighted);
    } else if (bHighlight && !(m_nStyle & (TBBS_CHECKED | TBBS_INDETERMINATE | TBBS_DISABLED))) {
        pManager->OnDrawButtonBorder(pDC, this, rect, CSPVisualManager::ButtonsIsHighlighted);
    }
}

void CALLBACK CSPDropDownToolbarButton::OnPressTimer(HWND /*hwnd*/, UINT, UINT_PTR, DWORD) {
    CSPDropDownToolbarButton* pButton = s_pButtonWithTimer;
    if (pButton != NULL) pButton->OnClick(pButton->m_pWndParent, FALSE);
}

void CSPDropDownToolbarButton::KillPressTimer() {
    if (m_uiTimer != 0) {
        if (m_pWndParent != NULL && ::IsWindow(m_pWndParent->GetSafeHwnd()))
            ::KillTimer(m_pWndParent->GetSafeHwnd(), SP_DROPDOWN_PRESS_TIMER_ID);
        m_uiTimer = 0;
    }
    if (s_pButtonWithTimer == this) s_pButtonWithTimer = NULL;
}

void CSPDropDownToolbarButton::CloseFrame() {
    if (m_pPopupMenu == NULL) return;
    CSPDropDownFrame* pFrame = m_pPopupMenu;
    m_pPopupMenu = NULL;
    if (::IsWindow(pFrame->GetSafeHwnd())) pFrame->DestroyWindow();
}

BOOL CSPDropDownToolbarButton::OnClick(CWnd* pWnd, BOOL bDelay) {
    if (pWnd != NULL) m_pWndParent = pWnd;
    if (m_uiTimer != 0) {
        // The press was held long enough.
        KillPressTimer();
        if (m_pPopupMenu != NULL) {
            CloseFrame();
        } else {
            const BOOL bOnPopupBar = pWnd != NULL && pWnd->IsKindOf(RUNTIME_CLASS(CSPPopupMenuBar));
            if (!(bOnPopupBar && !g_bCustomizeMode && bDelay)) DropDownToolbar(pWnd);
        }
        if (m_pWndParent != NULL && ::IsWindow(m_pWndParent->GetSafeHwnd())) {
            CRect rect = Rect();
            m_pWndParent->InvalidateRect(rect);
        }
        return FALSE;
    }
    if (m_pWndParent == NULL || !::IsWindow(m_pWndParent->GetSafeHwnd())) return FALSE;
    KillPressTimer();
    m_uiTimer = ::SetTimer(m_pWndParent->GetSafeHwnd(), SP_DROPDOWN_PRESS_TIMER_ID, s_uiPressDelay, OnPressTimer);
    if (m_uiTimer != 0) s_pButtonWithTimer = this;
    return FALSE;
}

BOOL CSPDropDownToolbarButton::OnClickUp() {
    if (m_uiTimer != 0) {
        // Released early: the toolbar runs the current alternative.
        KillPressTimer();
        return FALSE;
    }
    if (m_pPopupMenu == NULL) return TRUE;
    CloseFrame();
    return TRUE;
}

void CSPDropDownToolbarButton::OnCancelMode() {
    if (m_pWndParent != NULL && ::IsWindow(m_pWndParent->GetSafeHwnd())) {
        CRect rect = Rect();
        m_pWndParent->InvalidateRect(rect);
        m_pWndParent->UpdateWindow();
    }
}

BOOL CSPDropDownToolbarButton::DropDownToolbar(CWnd* pWnd) {
    if (m_pToolBar == NULL || m_pPopupMenu != NULL) return FALSE;
    if (pWnd == NULL) pWnd = m_pWndParent;
    if (pWnd == NULL || !::IsWindow(pWnd->GetSafeHwnd())) return FALSE;
    CPoint pt(m_rect.left - 1, m_rect.bottom);
    CSPToolBar* pBar = DYNAMIC_DOWNCAST(CSPToolBar, pWnd);
    if (pBar != NULL && !pBar->IsHorizontal()) pt = CPoint(m_rect.right + 1, m_rect.top);
    pWnd->ClientToScreen(&pt);
    CSPDropDownFrame* pFrame = new CSPDropDownFrame;
    pFrame->SetButton(this);
    m_pPopupMenu = pFrame;
    if (!pFrame->Create(pWnd, pt.x, pt.y, m_pToolBar)) {
        // The frame deletes itself with its window, and a refused one has
        // deleted itself already (PostNcDestroy).
        m_pPopupMenu = NULL;
        return FALSE;
    }
    return TRUE;
}

void CSPDropDownToolbarButton::OnFrameDestroyed() {
    m_pPopupMenu = NULL;
    m_nStyle &= ~TBBS_PRESSED;
}

int CSPDropDownToolbarButton::OnDrawOnCustomizeList(CDC* pDC, const CRect& rect, BOOL bSelected) {
    const CString strText = m_strText;
    m_strText = m_strName;
    const int nWidth = CSPToolbarButton::OnDrawOnCustomizeList(pDC, rect, bSelected);
    m_strText = strText;
    return nWidth;
}

BOOL CSPDropDownToolbarButton::OnEnableContextMenuItems(CMenu* pPopup) {
    for (UINT uiCmd : {SP_IDC_IMAGE, SP_IDC_TEXT, SP_IDC_IMAGE_AND_TEXT, SP_IDC_APPEARANCE, SP_IDC_COPY_IMAGE})
        pPopup->EnableMenuItem(uiCmd, MF_BYCOMMAND | MF_GRAYED);
    return TRUE;
}

BOOL CSPDropDownToolbarButton::ExportToMenuButton(CSPToolbarMenuButton& menuButton) const {
    if (m_pToolBar == NULL || !CSPToolbarButton::ExportToMenuButton(menuButton)) return FALSE;
    CMenu menu;
    menu.CreatePopupMenu();
    for (int i = 0; i < m_pToolBar->GetCount(); i++) {
        CSPToolbarButton* pButton = m_pToolBar->GetButton(i);
        if (pButton->IsSeparator()) {
            menu.AppendMenu(MF_SEPARATOR);
            continue;
        }
        if (pButton->m_nID == 0 || pButton->m_nID == (UINT)-1) continue;
        CString strText = pButton->m_strText;
        if (strText.IsEmpty()) strText = LoadCommandText(pButton->m_nID);
        menu.AppendMenu(MF_STRING, pButton->m_nID, strText);
    }
    menuButton.m_nID = 0;
    menuButton.m_strText = m_strName;
    menuButton.SetImage(-1);
    menuButton.m_bImage = FALSE;
    menuButton.CreateFromMenu(menu.GetSafeHmenu());
    menu.DestroyMenu();
    return TRUE;
}

// =====================================================================================
// The frame

CPoint SPPlaceDropDown(const SPDropDownPlacement& p) {
    CPoint pt = p.pt;
    if (pt.x + p.size.cx > p.sizeScreen.cx) {
        if (p.bVertBar)
            pt.x = p.xBarLeft - p.size.cx;
        else
            pt.x = p.sizeScreen.cx - p.size.cx - 1;
    }
    if (pt.y + p.size.cy > p.sizeScreen.cy) {
        pt.y -= p.size.cy;
        if (p.bHasButton)
            pt.y -= p.nButtonHeight + 4;
        else if (pt.y < 0)
            pt.y = 0;
    }
    return pt;
}

BEGIN_MESSAGE_MAP(CSPDropDownFrame, CMiniFrameWnd)
    ON_WM_CREATE()
    ON_WM_SIZE()
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_WM_MOUSEACTIVATE()
    ON_WM_ACTIVATEAPP()
    ON_WM_DESTROY()
END_MESSAGE_MAP()

CSPDropDownFrame::CSPDropDownFrame() : m_pParentBtn(NULL), m_pWndOriginToolbar(NULL), m_x(0), m_y(0) {}

CSPDropDownFrame::~CSPDropDownFrame() {
    m_wndToolBar.ReleaseSharedButtons();
    if (m_wndToolBar.GetSafeHwnd() != NULL) m_wndToolBar.DestroyWindow();
}

BOOL CSPDropDownFrame::Create(CWnd* pWndParent, int x, int y, CSPDropDownToolBar* pWndOriginToolbar) {
    SPPlayMenuSound(SP_SOUND_MENU_POPUP);
    if (s_strClassName.IsEmpty())
        s_strClassName =
            AfxRegisterWndClass(CS_SAVEBITS, ::LoadCursor(NULL, IDC_ARROW), (HBRUSH)(COLOR_BTNFACE + 1), NULL);
    m_pWndOriginToolbar = pWndOriginToolbar;
    if (x == -1 && y == -1) {
        CPoint pt(0, 0);
        if (pWndParent != NULL) pWndParent->ClientToScreen(&pt);
        x = pWndParent != NULL ? pt.x + 5 : 0;
        y = pWndParent != NULL ? pt.y + 5 : 0;
    }
    m_x = x;
    m_y = y;
    CWnd* pOwner = NULL;
    if (pWndParent != NULL) {
        pOwner = pWndParent->GetOwner();
        if (pOwner == NULL) pOwner = pWndParent->GetParent();
        if (pOwner == NULL) pOwner = pWndParent;
    }
    if (!CMiniFrameWnd::CreateEx(0, s_strClassName, m_strCaption, WS_POPUP, CRect(x, y, x, y), pOwner)) return FALSE;
    SetWindowPos(&wndTop, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    return TRUE;
}

int CSPDropDownFrame::OnCreate(LPCREATESTRUCT lpCreateStruct) {
    if (CMiniFrameWnd::OnCreate(lpCreateStruct) == -1 || m_pWndOriginToolbar == NULL) return -1;
    CSPToolBar* pButtonBar = m_pParentBtn != NULL ? DYNAMIC_DOWNCAST(CSPToolBar, m_pParentBtn->GetParentWnd()) : NULL;
    const BOOL bHorzButtonBar = pButtonBar == NULL || pButtonBar->IsHorizontal();
    // Across the button's bar: a vertical list under a horizontal bar.
    const DWORD dwStyle = bHorzButtonBar ? 0x50005000 : 0x5000A000;
    if (!m_wndToolBar.CreateEx(this, TBSTYLE_FLAT, dwStyle, CRect(1, 1, 1, 1), SP_DROPDOWN_BAR_ID)) return -1;
    m_wndToolBar.ShareFrom(*m_pWndOriginToolbar);
    RecalcLayout();
    ::ReleaseCapture();
    m_wndToolBar.SetCapture();
    return 0;
}

void CSPDropDownFrame::RecalcLayout(BOOL /*bNotify*/) {
    if (GetSafeHwnd() == NULL || m_wndToolBar.GetSafeHwnd() == NULL) return;
    CSPToolBar* pButtonBar = m_pParentBtn != NULL ? DYNAMIC_DOWNCAST(CSPToolBar, m_pParentBtn->GetParentWnd()) : NULL;
    const BOOL bHorzButtonBar = pButtonBar == NULL || pButtonBar->IsHorizontal();
    SPDropDownPlacement p;
    p.pt = CPoint(m_x, m_y);
    p.size = m_wndToolBar.CalcSize(bHorzButtonBar) + CSize(6, 6);
    p.sizeScreen = CSize(::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN));
    p.bVertBar = !bHorzButtonBar;
    if (pButtonBar != NULL) {
        CRect rectBar;
        pButtonBar->GetWindowRect(rectBar);
        p.xBarLeft = rectBar.left;
    }
    p.bHasButton = m_pParentBtn != NULL;
    if (m_pParentBtn != NULL) p.nButtonHeight = m_pParentBtn->Rect().Height();
    const CPoint pt = SPPlaceDropDown(p);
    SetWindowPos(NULL, pt.x, pt.y, p.size.cx, p.size.cy, SWP_NOZORDER | SWP_NOACTIVATE);
}

void CSPDropDownFrame::OnSize(UINT nType, int cx, int cy) {
    CMiniFrameWnd::OnSize(nType, cx, cy);
    if (m_wndToolBar.GetSafeHwnd() != NULL)
        m_wndToolBar.SetWindowPos(NULL, 2, 2, cx - 4, cy - 4, SWP_NOZORDER | SWP_NOACTIVATE);
}

void CSPDropDownFrame::OnPaint() {
    CPaintDC dc(this);
    CRect rect;
    GetClientRect(rect);
    dc.Draw3dRect(rect, ::GetSysColor(COLOR_3DLIGHT), ::GetSysColor(COLOR_3DDKSHADOW));
    rect.DeflateRect(1, 1);
    dc.Draw3dRect(rect, ::GetSysColor(COLOR_3DHILIGHT), ::GetSysColor(COLOR_3DSHADOW));
}

BOOL CSPDropDownFrame::OnEraseBkgnd(CDC* pDC) {
    CRect rect;
    GetClientRect(rect);
    pDC->FillSolidRect(rect, ::GetSysColor(COLOR_3DFACE));
    return TRUE;
}

int CSPDropDownFrame::OnMouseActivate(CWnd*, UINT, UINT) { return MA_NOACTIVATE; }

void CSPDropDownFrame::OnActivateApp(BOOL bActive, DWORD dwThreadID) {
    CMiniFrameWnd::OnActivateApp(bActive, dwThreadID);
    if (!bActive && !g_bCustomizeMode) PostMessage(WM_CLOSE);
}

void CSPDropDownFrame::OnDestroy() {
    CSPDropDownToolbarButton* pButton = m_pParentBtn;
    if (pButton != NULL) {
        pButton->OnFrameDestroyed();
        // The bar of the button ends its press where the cursor is.
        CWnd* pBar = pButton->GetParentWnd();
        if (pBar != NULL && ::IsWindow(pBar->GetSafeHwnd())) {
            CPoint pt;
            ::GetCursorPos(&pt);
            pBar->ScreenToClient(&pt);
            pBar->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(pt.x, pt.y));
        }
    }
    if (::GetCapture() == m_wndToolBar.GetSafeHwnd()) ::ReleaseCapture();
    m_wndToolBar.ReleaseSharedButtons();
    CMiniFrameWnd::OnDestroy();
}

void CSPDropDownFrame::PostNcDestroy() {
    if (m_pParentBtn != NULL) m_pParentBtn->OnCancelMode();
    delete this;
}
