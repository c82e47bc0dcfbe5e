// SPSlider.cpp - the splitter between docked docking panes.
#include "SPSlider.h"
#include "SPDockingUtils.h"

#include <algorithm>

#include "SPBarContainer.h"
#include "SPBarContainerManager.h"
#include "SPControlBar.h"
#include "SPGlobalData.h"

using std::max;
using std::min;

IMPLEMENT_DYNCREATE(CSPSlider, CSPBaseControlBar)

int CSPSlider::m_nDefaultWidth = 4;
HCURSOR CSPSlider::m_hCursorHorz = NULL;
HCURSOR CSPSlider::m_hCursorVert = NULL;

// The library's slider cursors (resources of the controls' script).
static const UINT nIdCursorHorzSlider = 30981;
static const UINT nIdCursorVertSlider = 30980;

BEGIN_MESSAGE_MAP(CSPSlider, CSPBaseControlBar)
    ON_WM_CREATE()
    ON_WM_SETCURSOR()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_MOUSEMOVE()
    ON_WM_CANCELMODE()
    ON_WM_PAINT()
    ON_WM_NCDESTROY()
END_MESSAGE_MAP()

CSPSlider::CSPSlider(BOOL bDefaultSlider, CWnd* pOwnerWnd)
    : m_nID((UINT)-1),
      m_dwSliderStyle(0),
      m_nWidth(0),
      m_bTracking(FALSE),
      m_bDefaultSlider(bDefaultSlider),
      m_bAutoHideMode(FALSE),
      m_nMinOffset(0),
      m_nMaxOffset(0),
      m_nContainerValue(-1),
      m_rectDragBounds(0, 0, 0, 0),
      m_rectBounds(0, 0, 0, 0),
      m_pContainerManager(NULL),
      m_pOwnerWnd(pOwnerWnd) {}

CSPSlider::~CSPSlider() {
    if (m_bDefaultSlider) delete m_pContainerManager;
}

// --- creation --------------------------------------------------------------------------------------

BOOL CSPSlider::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID, CCreateContext* pContext) {
    return CreateEx(0, dwStyle, rect, pParentWnd, nID, pContext);
}

BOOL CSPSlider::CreateEx(DWORD dwStyleEx, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID,
                         CCreateContext* /*pContext*/) {
    const CString strClass = RegisterBarClass(_T("SSlider"));
    m_nID = nID;
    m_dwSliderStyle = dwStyle & (SP_SS_HORZ | SP_SS_VERT);
    const CRect rectSlider(rect);
    m_nWidth = (m_dwSliderStyle & SP_SS_VERT) != 0 ? rectSlider.Width() : rectSlider.Height();
    if (m_bDefaultSlider && m_pContainerManager == NULL) {
        m_pContainerManager = new CSPBarContainerManager;
        m_pContainerManager->Create(pParentWnd, this);
    }
    m_pDockSite = DYNAMIC_DOWNCAST(CFrameWnd, pParentWnd);
    if (m_pDockSite == NULL) m_pDockSite = SPGetParentFrame(pParentWnd);
    const DWORD dwWndStyle = (dwStyle & ~(DWORD)(SP_SS_HORZ | SP_SS_VERT)) | WS_CHILD | WS_CLIPSIBLINGS |
                             WS_CLIPCHILDREN;
    return CWnd::CreateEx(dwStyleEx, strClass, NULL, dwWndStyle, rect, pParentWnd, nID);
}

int CSPSlider::OnCreate(LPCREATESTRUCT lpCreateStruct) {
    if (CSPBaseControlBar::OnCreate(lpCreateStruct) == -1) return -1;
    if (m_hCursorHorz == NULL) {
        CSPResourceScope scope;
        m_hCursorHorz = ::LoadCursor(AfxGetResourceHandle(), MAKEINTRESOURCE(nIdCursorHorzSlider));
        m_hCursorVert = ::LoadCursor(AfxGetResourceHandle(), MAKEINTRESOURCE(nIdCursorVertSlider));
    }
    return 0;
}

void CSPSlider::PostNcDestroy() { delete this; }

void CSPSlider::OnNcDestroy() {
    if (m_pContainerManager != NULL) {
        if (m_bDefaultSlider) {
            delete m_pContainerManager;
        } else {
            m_pContainerManager->RemoveSlider(this);
        }
        m_pContainerManager = NULL;
    }
    CSPBaseControlBar::OnNcDestroy();
}

// --- the mouse ---------------------------------------------------------------------------------------

BOOL CSPSlider::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message) {
    if (nHitTest == HTCLIENT) {
        HCURSOR hCursor = (m_dwSliderStyle & SP_SS_HORZ) != 0 ? m_hCursorHorz : m_hCursorVert;
        if (hCursor != NULL) ::SetCursor(hCursor);
        return TRUE;
    }
    return CSPBaseControlBar::OnSetCursor(pWnd, nHitTest, message);
}

void CSPSlider::DrawOutline(const CRect& rectNew, const CRect& rectOld) {
    CWindowDC dc(GetDesktopWindow());
    const CSize size(max(1, m_nWidth / 2), max(1, m_nWidth / 2));
    dc.DrawDragRect(rectNew, size, rectOld.IsRectEmpty() ? NULL : (LPCRECT)rectOld, size);
}

void CSPSlider::OnLButtonDown(UINT nFlags, CPoint point) {
    if (!m_bTracking) {
        m_bTracking = TRUE;
        SetCapture();
        CRect rectWnd;
        GetWindowRect(rectWnd);
        DrawOutline(rectWnd, CRect(0, 0, 0, 0));
        m_rectDragBounds = rectWnd;
        if (m_pContainerManager != NULL)
            m_pContainerManager->GetSliderOffsets(this, m_nMinOffset, m_nMaxOffset, m_nContainerValue);
        m_rectBounds = rectWnd;
        if (IsHorizontal()) {
            m_rectBounds.top += m_nMinOffset;
            m_rectBounds.bottom += m_nMaxOffset;
        } else {
            m_rectBounds.left += m_nMinOffset;
            m_rectBounds.right += m_nMaxOffset;
        }
    }
    CSPBaseControlBar::OnLButtonDown(nFlags, point);
}

CRect CSPSlider::OutlineAt(CPoint ptScreen) const {
    CRect rectWnd;
    GetWindowRect(rectWnd);
    CRect rect = rectWnd;
    if (IsHorizontal()) {
        rect.top = ptScreen.y - m_nWidth / 2;
        rect.bottom = rect.top + m_nWidth;
        if (rect.top < m_rectBounds.top) {
            rect.top = m_rectBounds.top;
            rect.bottom = rect.top + rectWnd.Height();
        } else if (rect.bottom > m_rectBounds.bottom) {
            rect.bottom = m_rectBounds.bottom;
            rect.top = rect.bottom - rectWnd.Height();
        }
    } else {
        rect.left = ptScreen.x - m_nWidth / 2;
        rect.right = rect.left + m_nWidth;
        if (rect.left < m_rectBounds.left) {
            rect.left = m_rectBounds.left;
            rect.right = rect.left + rectWnd.Width();
        } else if (rect.right > m_rectBounds.right) {
            rect.right = m_rectBounds.right;
            rect.left = rect.right - rectWnd.Width();
        }
    }
    return rect;
}

void CSPSlider::OnMouseMove(UINT nFlags, CPoint point) {
    if (m_bTracking) {
        CPoint ptScreen = point;
        ClientToScreen(&ptScreen);
        const CRect rectNew = OutlineAt(ptScreen);
        DrawOutline(rectNew, m_rectDragBounds);
        m_rectDragBounds = rectNew;
    }
    CSPBaseControlBar::OnMouseMove(nFlags, point);
}

void CSPSlider::OnLButtonUp(UINT nFlags, CPoint point) {
    StopTracking(TRUE);
    CSPBaseControlBar::OnLButtonUp(nFlags, point);
}

void CSPSlider::OnCancelMode() {
    StopTracking(FALSE);
    CSPBaseControlBar::OnCancelMode();
}

void CSPSlider::StopTracking(BOOL bMove) {
    if (!m_bTracking) return;
    CRect rectWnd;
    GetWindowRect(rectWnd);
    const CSize offset = m_rectDragBounds.TopLeft() - rectWnd.TopLeft();
    // Erasing: the same rectangle drawn again with the XOR brush.
    DrawOutline(m_rectDragBounds, CRect(0, 0, 0, 0));
    m_rectDragBounds.SetRectEmpty();
    m_bTracking = FALSE;
    if (::GetCapture() == m_hWnd) ::ReleaseCapture();
    if (bMove) MoveSlider(offset);
}

void CSPSlider::MoveSlider(const SIZE& offset) {
    int nDelta;
    if ((m_dwSliderStyle & SP_SS_VERT) != 0)
        nDelta = offset.cx;
    else if ((m_dwSliderStyle & SP_SS_HORZ) != 0)
        nDelta = offset.cy;
    else
        return;
    if (nDelta == 0) return;
    // Where the slider goes, taken before the layout passes below move it.
    CRect rect;
    GetWindowRect(rect);
    GetParent()->ScreenToClient(rect);
    rect.OffsetRect(IsHorizontal() ? 0 : nDelta, IsHorizontal() ? nDelta : 0);
    if (m_pContainerManager != NULL) {
        HDWP hdwp = ::BeginDeferWindowPos(50);
        m_pContainerManager->ResizeBarContainers(this, nDelta, hdwp);
        if (hdwp != NULL) ::EndDeferWindowPos(hdwp);
    }
    AdjustDockingLayout(NULL);
    // A default slider stays where the layout put its region.
    if (!m_bDefaultSlider)
        CWnd::SetWindowPos(NULL, rect.left, rect.top, rect.Width(), rect.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
}

// --- bars ----------------------------------------------------------------------------------------------

void CSPSlider::AddControlBar(CSPControlBar* pBar) {
    if (m_pContainerManager == NULL) return;
    m_pContainerManager->AddControlBar(pBar);
    CheckVisibility();
}

BOOL CSPSlider::AddRecentControlBar(CSPControlBar* pBar) {
    if (m_pContainerManager == NULL || pBar == NULL) return FALSE;
    const BOOL bTaken = m_pContainerManager->AddRecentControlBar(pBar) != NULL;
    CheckVisibility();
    return bTaken;
}

BOOL CSPSlider::InsertControlBar(CSPControlBar* pBar, CSPControlBar* pTarget, DWORD dwAlignment,
                                 LPCRECT /*lpRect*/) {
    if (m_pContainerManager == NULL) return FALSE;
    const BOOL bResult = m_pContainerManager->InsertControlBar(pBar, pTarget, dwAlignment);
    CheckVisibility();
    return bResult;
}

BOOL CSPSlider::ReplaceControlBar(CSPControlBar* pOldBar, CSPControlBar* pNewBar) {
    if (m_pContainerManager == NULL) return FALSE;
    const BOOL bResult = m_pContainerManager->ReplaceControlBar(pOldBar, pNewBar);
    CheckVisibility();
    return bResult;
}

void CSPSlider::RemoveControlBar(CSPControlBar* pBar) {
    if (m_pContainerManager == NULL) return;
    m_pContainerManager->RemoveControlBar(pBar);
    FrameRemoveControlBar(pBar, FALSE, FALSE, m_bAutoHideMode);
    if (m_pContainerManager->IsEmpty() && m_pContainerManager->GetTotalLockCount() == 0 && m_bDefaultSlider) {
        // An emptied side has nothing left to split.
        FrameRemoveControlBar(this, TRUE, FALSE, m_bAutoHideMode);
        return;
    }
    if (CheckVisibility() == 0) ShowWindow(SW_HIDE);
}

HDWP CSPSlider::RepositionBars(CRect& rectNew, HDWP hdwp) {
    if (m_pContainerManager == NULL) return hdwp;
    // The slider lies on the region's edge that faces the frame's client
    // area; the region takes the rest.
    CRect rectSlider = rectNew, rectRegion = rectNew;
    switch (GetCurrentAlignment()) {
    case CBRS_ALIGN_LEFT:
        rectSlider.left = rectRegion.right = max(rectNew.left, rectNew.right - m_nWidth);
        break;
    case CBRS_ALIGN_RIGHT:
        rectSlider.right = rectRegion.left = min(rectNew.right, rectNew.left + m_nWidth);
        break;
    case CBRS_ALIGN_TOP:
        rectSlider.top = rectRegion.bottom = max(rectNew.top, rectNew.bottom - m_nWidth);
        break;
    case CBRS_ALIGN_BOTTOM:
        rectSlider.bottom = rectRegion.top = min(rectNew.bottom, rectNew.top + m_nWidth);
        break;
    default:
        break;
    }
    hdwp = m_pContainerManager->LayoutInRect(rectRegion, hdwp);
    return SetWindowPos(NULL, rectSlider.left, rectSlider.top, rectSlider.Width(), rectSlider.Height(),
                        SWP_NOZORDER | SWP_NOACTIVATE, hdwp);
}

BOOL CSPSlider::AddContainerManager(CSPBarContainerManager& manager, BOOL /*bOuterEdge*/) {
    // A new region on a frame side takes the visible part of another one
    // (a floating frame's panes docked as a whole).
    if (m_pContainerManager == NULL || !m_pContainerManager->IsEmpty()) return FALSE;
    if (!m_pContainerManager->TakeOverVisibleBars(manager)) return FALSE;
    CheckVisibility();
    return TRUE;
}

void CSPSlider::CalcBarLayout(CWnd* pDraggedWnd, CPoint pt, CRect& rect, BOOL& bTab, CSPBaseControlBar*& pTarget) {
    rect.SetRectEmpty();
    bTab = FALSE;
    pTarget = NULL;
    if (m_pContainerManager == NULL) return;
    CSPDockingUtils::CalcContainerDockTarget(*m_pContainerManager, pDraggedWnd, pt, rect, bTab, pTarget);
}

int CSPSlider::CheckVisibility() {
    if (m_pContainerManager == NULL || !m_bDefaultSlider || m_bAutoHideMode) return 0;
    const BOOL bVisible = m_pContainerManager->CheckVisibility();
    if (GetSafeHwnd() != NULL) ShowWindow(bVisible ? SW_SHOW : SW_HIDE);
    return bVisible;
}

void CSPSlider::OnShowControlBar(CSPControlBar* pBar, BOOL bShow) {
    if (m_bAutoHideMode || m_pContainerManager == NULL) return;
    const BOOL bVisible = m_pContainerManager->CheckVisibility();
    if (bShow) {
        ShowWindow(SW_SHOW);
        return;
    }
    ShowWindow(bVisible ? SW_SHOW : SW_HIDE);
    BOOL bLeft = FALSE;
    CSPBarContainer* pNode = m_pContainerManager->FindContainer(pBar, bLeft);
    if (pNode != NULL) pNode->OnHideBar(pBar, NULL);
}

BOOL CSPSlider::CanFloatBars() const { return m_pContainerManager != NULL && m_pContainerManager->CanFloat(); }

void CSPSlider::RemoveIfEmpty() {
    if (m_pContainerManager == NULL) return;
    if (m_pContainerManager->IsEmpty() && m_pContainerManager->GetTotalLockCount() == 0)
        FrameRemoveControlBar(this, TRUE, FALSE, m_bAutoHideMode);
}

// --- base queries ----------------------------------------------------------------------------------------

BOOL CSPSlider::IsResizable() const { return m_pContainerManager == NULL || m_pContainerManager->IsResizable(); }

CSize CSPSlider::CalcFixedLayout(BOOL /*bStretch*/, BOOL /*bHorz*/) {
    CRect rectWnd;
    GetWindowRect(rectWnd);
    CSize size = rectWnd.Size();
    if (m_pContainerManager != NULL) {
        CRect rectRegion;
        m_pContainerManager->CalcWindowRect(rectRegion);
        size += rectRegion.Size();
    }
    return size;
}

// --- painting ----------------------------------------------------------------------------------------------

void CSPSlider::OnPaint() {
    CPaintDC dc(this);
    CRect rect;
    GetClientRect(rect);
    dc.FillRect(rect, &spGlobalData.brBtnFace);
    if (!m_bAutoHideMode) return;
    COLORREF clr;
    CRect rectLine = rect;
    switch (GetCurrentAlignment()) {
    case CBRS_ALIGN_LEFT:
        rectLine.left = rectLine.right - 1;
        clr = spGlobalData.clrBtnHilite;
        break;
    case CBRS_ALIGN_TOP:
        rectLine.top = rectLine.bottom - 1;
        clr = spGlobalData.clrBtnHilite;
        break;
    case CBRS_ALIGN_RIGHT:
        rectLine.right = rectLine.left + 1;
        clr = spGlobalData.clrBtnDkShadow;
        break;
    case CBRS_ALIGN_BOTTOM:
        rectLine.bottom = rectLine.top + 1;
        clr = spGlobalData.clrBtnDkShadow;
        break;
    default:
        return;
    }
    dc.FillSolidRect(rectLine, clr);
}

// --- the record ----------------------------------------------------------------------------------------------

void CSPSlider::Serialize(CArchive& ar) {
    if (!ar.IsStoring()) {
        Load(ar);
        return;
    }
    CSPBaseControlBar::Serialize(ar);
    CRect rect;
    GetWindowRect(rect);
    if (GetParent() != NULL) GetParent()->ScreenToClient(rect);
    ar << (int)m_nID << m_nContainerValue;
    ar << rect.left << rect.top << rect.right << rect.bottom;
    ar << (DWORD)IsWindowVisible() << m_dwSliderStyle << (DWORD)m_nWidth << (DWORD)m_bDefaultSlider;
    ar << (DWORD)m_nMinOffset << (DWORD)m_nMaxOffset;
    if (m_pContainerManager != NULL && m_bDefaultSlider) m_pContainerManager->Serialize(ar);
}

void CSPSlider::Load(CArchive& ar) {
    // Loading makes the window, and a slider whose window is refused has
    // deleted itself (PostNcDestroy). So that its loader has one rule, a
    // slider whose record fails at any step is gone when the exception
    // leaves: deleted here before its window is asked for, destroyed with
    // its window after.
    int nID = 0;
    CRect rect;
    DWORD dwVisible = 0, dwStyle = 0, dwWidth = 0, dwDefault = 0, dwMin = 0, dwMax = 0;
    try {
        CSPBaseControlBar::Serialize(ar);
        ar >> nID >> m_nContainerValue;
        ar >> rect.left >> rect.top >> rect.right >> rect.bottom;
        ar >> dwVisible >> dwStyle >> dwWidth >> dwDefault >> dwMin >> dwMax;
        // Whether a manager's record follows is the creator's choice; a
        // record that says otherwise belongs to another slider.
        if ((dwDefault != 0) != (m_bDefaultSlider != 0) || dwVisible > 1 || m_pOwnerWnd->GetSafeHwnd() == NULL)
            AfxThrowArchiveException(CArchiveException::generic);
    } catch (CException*) {
        delete this;
        throw;
    }
    m_nMinOffset = (int)dwMin;
    m_nMaxOffset = (int)dwMax;
    rect.NormalizeRect();
    DWORD dwWndStyle = dwStyle & ~(DWORD)WS_VISIBLE;
    if (dwVisible != 0) dwWndStyle |= WS_VISIBLE;
    if (!CreateEx(0, dwWndStyle, rect, m_pOwnerWnd, (UINT)nID, NULL))
        AfxThrowArchiveException(CArchiveException::generic);  // gone already
    if ((int)dwWidth > 0 && (int)dwWidth < 0x10000) m_nWidth = (int)dwWidth;
    if (m_bDefaultSlider && m_pContainerManager != NULL) {
        try {
            m_pContainerManager->Serialize(ar);
        } catch (CException*) {
            DestroyWindow();  // deletes the object
            throw;
        }
    }
}
