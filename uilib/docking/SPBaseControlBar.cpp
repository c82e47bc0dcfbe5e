#include "SPBaseControlBar.h"

#include <commctrl.h>

#include "SPBaseTabWnd.h"
#include "SPClientHooks.h"
#include "SPDockBar.h"
#include "SPDockBarRow.h"
#include "SPDockManager.h"
#include "SPFrameImpl.h"
#include "SPGlobalData.h"
#include "SPMiniFrameWnd.h"
#include "SPRegistry.h"
#include "SPVisualManager.h"

IMPLEMENT_DYNAMIC(CSPBaseControlBar, CWnd)

LPCTSTR const CSPBaseControlBar::m_lpszSection = _T("SPBaseControlBars");
int CSPBaseControlBar::m_nDefaultDockMode = SP_DT_STANDARD;
BOOL CSPBaseControlBar::m_bIsInDialog = FALSE;

BEGIN_MESSAGE_MAP(CSPBaseControlBar, CWnd)
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_WM_SIZE()
    ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdateCmdUI)
    ON_MESSAGE(WM_HELPHITTEST, OnHelpHitTest)
END_MESSAGE_MAP()

CSPBaseControlBar::CSPBaseControlBar()
    : m_dwInternalState(0),
      m_dwEnabledAlignment(0),
      m_dwStyle(0),
      m_dwSPBarStyle(0),
      m_bRecentVisibleState(FALSE),
      m_bIsRestoredFromRegistry(FALSE),
      m_pParentDockBar(NULL),
      m_pDockBarRow(NULL),
      m_pDockSite(NULL),
      m_nDockMode(0),
      m_rectBar(0, 0, 0, 0),
      m_lpszTemplateName(NULL),
      m_nTemplateWidth(0),
      m_nTemplateHeight(0) {}

CSPBaseControlBar::~CSPBaseControlBar() {}

UINT CSPBaseControlBar::GetPopupMenuMessage() {
    static const UINT nMessage = ::RegisterWindowMessage(_T("STOOLBAR_POPUPMENU"));
    return nMessage;
}

// --- creation -----------------------------------------------------------------

BOOL CSPBaseControlBar::CreateEx(DWORD dwStyleEx, LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle,
                                 const RECT& rect, CWnd* pParentWnd, UINT nID, DWORD dwSPBarStyle,
                                 CCreateContext* pContext) {
    m_dwInternalState &= 0x10000000;
    SetControlBarStyle(GetControlBarStyle() | dwStyle);
    m_dwSPBarStyle = dwSPBarStyle;

    if (m_lpszTemplateName == NULL) {
        if (!CWnd::CreateEx(dwStyleEx, lpszClassName, lpszWindowName, dwStyle, rect, pParentWnd, nID, pContext))
            return FALSE;
    } else {
        CREATESTRUCT cs;
        memset(&cs, 0, sizeof(cs));
        cs.lpszClass = lpszClassName;
        cs.lpszName = lpszWindowName;
        cs.style = dwStyle | WS_CHILD;
        cs.hMenu = (HMENU)(UINT_PTR)nID;
        cs.hInstance = AfxGetInstanceHandle();
        cs.hwndParent = pParentWnd->GetSafeHwnd();
        if (!PreCreateWindow(cs)) {
            PostNcDestroy();  // refused as by CWnd::CreateEx
            return FALSE;
        }
        if (!CreateDlg(m_lpszTemplateName, pParentWnd)) return FALSE;
        ::SetClassLongPtr(m_hWnd, GCLP_HBRBACKGROUND, (LONG_PTR)::GetSysColorBrush(COLOR_BTNFACE));
        SetDlgCtrlID(nID);
        if (!ExecuteDlgInit(m_lpszTemplateName)) {
            DestroyWindow();  // no half-made bar stays behind
            return FALSE;
        }
        CRect rectWnd;
        GetWindowRect(rectWnd);
        m_nTemplateWidth = rectWnd.Width();
        m_nTemplateHeight = rectWnd.Height();
    }

    if (pParentWnd != NULL && pParentWnd->IsFrameWnd())
        m_pDockSite = (CFrameWnd*)pParentWnd;
    else
        m_pDockSite = SPGetParentFrame(pParentWnd);
    return TRUE;
}

CString CSPBaseControlBar::RegisterBarClass(LPCTSTR lpszPrefix) {
    HINSTANCE hInst = AfxGetInstanceHandle();
    HCURSOR hCursor = ::LoadCursor(NULL, IDC_ARROW);
    const UINT nClassStyle = CS_DBLCLKS;
    const UINT_PTR nBrush = COLOR_BTNFACE + 1;
    CString strClassName;
    strClassName.Format("%s:%x:%x:%x:%x", lpszPrefix, (UINT)(UINT_PTR)hInst, nClassStyle, (UINT)(UINT_PTR)hCursor,
                        (UINT)nBrush);
    WNDCLASS wndcls;
    if (!::GetClassInfo(hInst, strClassName, &wndcls)) {
        memset(&wndcls, 0, sizeof(wndcls));
        wndcls.style = nClassStyle;
        wndcls.lpfnWndProc = ::DefWindowProc;
        wndcls.hInstance = hInst;
        wndcls.hCursor = hCursor;
        wndcls.hbrBackground = (HBRUSH)nBrush;
        wndcls.lpszClassName = strClassName;
        if (!::RegisterClass(&wndcls)) AfxThrowResourceException();
    }
    return strClassName;
}

// --- queries ------------------------------------------------------------------

BOOL CSPBaseControlBar::IsHorizontal() const { return (GetCurrentAlignment() & CBRS_ORIENT_HORZ) != 0; }

static CSPMiniFrameWnd* FindParentMiniFrame(const CWnd* pBar) {
    if (pBar->GetSafeHwnd() == NULL) return NULL;
    for (CWnd* pWnd = pBar->GetParent(); pWnd != NULL; pWnd = pWnd->GetParent()) {
        if (pWnd->IsKindOf(RUNTIME_CLASS(CSPMiniFrameWnd))) return (CSPMiniFrameWnd*)pWnd;
    }
    return NULL;
}

CWnd* CSPBaseControlBar::GetParentMiniFrameWnd() const { return FindParentMiniFrame(this); }

CSPMiniFrameWnd* CSPBaseControlBar::GetParentMiniFrame(BOOL /*bNoAssert*/) const { return FindParentMiniFrame(this); }

// The bars a mini frame holds are its child bars.
static int MiniFrameBarCount(CWnd* pMiniFrame) {
    int nCount = 0;
    for (CWnd* pChild = pMiniFrame->GetWindow(GW_CHILD); pChild != NULL; pChild = pChild->GetWindow(GW_HWNDNEXT)) {
        CWnd* pPermanent = CWnd::FromHandlePermanent(pChild->GetSafeHwnd());
        if (pPermanent != NULL && pPermanent->IsKindOf(RUNTIME_CLASS(CSPBaseControlBar))) nCount++;
    }
    return nCount;
}

BOOL CSPBaseControlBar::IsDocked() const {
    CWnd* pMiniFrame = FindParentMiniFrame(this);
    return pMiniFrame == NULL || MiniFrameBarCount(pMiniFrame) != 1;
}

BOOL CSPBaseControlBar::IsTabbed() const {
    return GetSafeHwnd() != NULL && GetParent()->IsKindOf(RUNTIME_CLASS(CSPBaseTabWnd));
}

BOOL CSPBaseControlBar::IsVisible() const {
    if (GetSafeHwnd() == NULL) return FALSE;
    if (IsTabbed()) {
        // A tab of a hidden tab window is not shown; in a shown one the tab's
        // own window carries its visibility.
        CWnd* pTabWnd = GetParent();
        if (pTabWnd == NULL || !pTabWnd->IsWindowVisible()) return FALSE;
        return (GetStyle() & WS_VISIBLE) != 0;
    }
    if (CSPDockManager::m_bRestoringDockState) return GetRecentVisibleState();
    return (GetStyle() & WS_VISIBLE) != 0;
}

BOOL CSPBaseControlBar::CanFloat() const { return (m_dwSPBarStyle & SPCBRS_FLOAT) != 0; }

CFrameWnd* CSPBaseControlBar::GetDockSite() const {
    if (m_pDockSite == NULL && GetSafeHwnd() != NULL) {
        CWnd* pParent = GetParent();
        if (pParent != NULL && pParent->IsKindOf(RUNTIME_CLASS(CDialog))) m_bIsInDialog = TRUE;
    }
    return m_pDockSite;
}

HICON CSPBaseControlBar::GetBarIcon(BOOL bBig) {
    return GetSafeHwnd() != NULL ? (HICON)SendMessage(WM_GETICON, bBig) : NULL;
}

void CSPBaseControlBar::SetCurrentAlignment(DWORD dwAlignment) {
    m_dwStyle = (m_dwStyle & ~CBRS_ALIGN_ANY) | dwAlignment;
}

CSize CSPBaseControlBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz) {
    if (!bStretch) return CSize(0, 0);
    return bHorz ? CSize(32767, 0) : CSize(0, 32767);
}

// --- showing and placing ------------------------------------------------------

BOOL CSPBaseControlBar::ShowControlBar(BOOL bShow, BOOL bDelay, BOOL bActivate) {
    if (GetSafeHwnd() == NULL) return FALSE;
    const int nCmdShow = bShow ? SW_SHOWNOACTIVATE : SW_HIDE;
    const BOOL bTabbed = IsTabbed();
    BOOL bResult = TRUE;
    if (IsFloating() && !bTabbed) {
        ShowWindow(nCmdShow);
        CWnd* pMiniFrame = FindParentMiniFrame(this);
        if (pMiniFrame != NULL) pMiniFrame->ShowWindow(nCmdShow);
    } else if (m_pParentDockBar != NULL) {
        bResult = m_pParentDockBar->ShowControlBar(this, bShow, bDelay, bActivate);
    } else if (!bTabbed) {
        ShowWindow(nCmdShow);
        if (!bDelay) AdjustDockingLayout(NULL);
    } else {
        // A tab is shown by its tab window, which joins the library with
        // the tabbed bars.
        ShowWindow(nCmdShow);
    }
    if (m_pDockBarRow != NULL) {
        CRect rectRow;
        m_pDockBarRow->ScreenToRow(rectRow);
        m_pDockBarRow->RepositionBars(rectRow, -1, FALSE, 0);
    }
    return bResult;
}

void CSPBaseControlBar::AdjustDockingLayout(HDWP hdwp) {
    CSPMiniFrameWnd* pMiniFrame = FindParentMiniFrame(this);
    if (pMiniFrame != NULL) {
        pMiniFrame->RecalcLayout();
        return;
    }
    CFrameWnd* pSite = GetDockSite();
    if (pSite == NULL) return;
    CSPFrameImpl::AdjustFrameDockingLayout(pSite, hdwp);
}

HDWP CSPBaseControlBar::MoveWindow(CRect& rect, BOOL bRepaint, HDWP hdwp) {
    if (GetSafeHwnd() == NULL) return hdwp;
    CRect rectOld;
    GetWindowRect(rectOld);
    CWnd* pRef = FindParentMiniFrame(this);
    if (pRef == NULL) pRef = GetDockSite();
    if (pRef == NULL) pRef = GetParent();
    if (pRef != NULL) pRef->ScreenToClient(rectOld);
    if (rectOld == rect) return hdwp;
    if (hdwp == NULL) {
        CWnd::MoveWindow(rect, bRepaint);
        return NULL;
    }
    return ::DeferWindowPos(hdwp, m_hWnd, NULL, rect.left, rect.top, rect.Width(), rect.Height(),
                            SWP_NOZORDER | SWP_NOACTIVATE);
}

HDWP CSPBaseControlBar::SetWindowPos(const CWnd* pWndInsertAfter, int x, int y, int cx, int cy, UINT nFlags,
                                     HDWP hdwp) {
    if (hdwp == NULL) {
        CWnd::SetWindowPos(pWndInsertAfter, x, y, cx, cy, nFlags);
        return NULL;
    }
    HDWP hdwpNew = ::DeferWindowPos(hdwp, m_hWnd, pWndInsertAfter->GetSafeHwnd(), x, y, cx, cy, nFlags);
    if (hdwpNew == NULL) {
        // The deferred set is gone with the failure: place this bar now.
        SetWindowPos(pWndInsertAfter, x, y, cx, cy, nFlags, NULL);
        return hdwp;
    }
    return hdwpNew;
}

// --- drawing and messages -----------------------------------------------------

void CSPBaseControlBar::DoPaint(CDC* pDC) {
    CRect rectClip;
    pDC->GetClipBox(rectClip);
    CRect rectClient;
    GetClientRect(rectClient);
    CSPVisualManager::GetInstance()->OnFillBarBackground(pDC, this, rectClient, rectClip, FALSE);
}

void CSPBaseControlBar::OnPaint() {
    CPaintDC dc(this);
    if (GetStyle() & WS_VISIBLE) DoPaint(&dc);
}

BOOL CSPBaseControlBar::OnEraseBkgnd(CDC* /*pDC*/) { return TRUE; }

void CSPBaseControlBar::OnSize(UINT nType, int cx, int cy) {
    CWnd::OnSize(nType, cx, cy);
    if (m_pDockBarRow != NULL) m_pDockBarRow->OnBarResized(this);
}

LRESULT CSPBaseControlBar::OnIdleUpdateCmdUI(WPARAM wParam, LPARAM /*lParam*/) {
    if ((GetStyle() & WS_VISIBLE) == 0) return 0L;
    if (m_pParentDockBar != NULL && (m_pParentDockBar->GetStyle() & WS_VISIBLE) == 0) return 0L;
    CWnd* pOwner = GetOwner();
    CFrameWnd* pTarget = NULL;
    if (pOwner != NULL && pOwner->IsFrameWnd())
        pTarget = (CFrameWnd*)pOwner;
    else
        pTarget = SPGetParentFrame(this);
    if (pTarget != NULL) OnUpdateCmdUI(pTarget, (BOOL)wParam);
    return 0L;
}

LRESULT CSPBaseControlBar::OnHelpHitTest(WPARAM /*wParam*/, LPARAM lParam) {
    CPoint point((short)LOWORD(lParam), (short)HIWORD(lParam));
    INT_PTR nHit = OnToolHitTest(point, NULL);
    if (nHit != -1) return (LRESULT)(nHit + 0x10000);
    UINT nID = (UINT)GetDlgCtrlID() & 0xFFFF;
    return nID == 0 ? 0 : (LRESULT)nID + 0x50000;
}

LRESULT CSPBaseControlBar::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
    case WM_DELETEITEM:
    case WM_CHARTOITEM:
    case WM_VKEYTOITEM:
    case WM_COMPAREITEM:
    case WM_NOTIFY:
    case WM_COMMAND:
        break;
    default:
        return CWnd::WindowProc(message, wParam, lParam);
    }

    LRESULT lResult = 0;
    if (OnWndMsg(message, wParam, lParam, &lResult)) return lResult;

    CWnd* pOwner = GetOwner();
    lResult = pOwner != NULL ? pOwner->SendMessage(message, wParam, lParam) : 0;

    if (message == WM_NOTIFY && lParam != 0) {
        NMHDR* pNMHDR = (NMHDR*)lParam;
        if (pNMHDR->code == TTN_NEEDTEXTA) {
            NMTTDISPINFOA* pTTT = (NMTTDISPINFOA*)pNMHDR;
            if (pTTT->szText[0] == 0 && (pTTT->lpszText == NULL || *pTTT->lpszText == 0) && pTTT->hinst == NULL)
                return CWnd::WindowProc(message, wParam, lParam);
        } else if (pNMHDR->code == TTN_NEEDTEXTW) {
            NMTTDISPINFOW* pTTT = (NMTTDISPINFOW*)pNMHDR;
            if (pTTT->szText[0] == 0 && (pTTT->lpszText == NULL || *pTTT->lpszText == 0) && pTTT->hinst == NULL)
                return CWnd::WindowProc(message, wParam, lParam);
        }
    }
    return lResult;
}

BOOL CSPBaseControlBar::PreTranslateMessage(MSG* pMsg) {
    if (CWnd::PreTranslateMessage(pMsg)) return TRUE;

    CWnd* pTopFrame = GetTopLevelFrame();
    if (pTopFrame == NULL || !pTopFrame->IsFrameWnd() ||
        ((CFrameWnd*)pTopFrame)->m_bHelpMode == CFrameWnd::HELP_INACTIVE) {
        CWnd* pOwner = GetOwner();
        if (pOwner != NULL) {
            if (pOwner->PreTranslateMessage(pMsg)) return TRUE;
            for (CWnd* pFrame = pOwner->GetParentFrame(); pFrame != NULL; pFrame = pFrame->GetParentFrame()) {
                if (pFrame->PreTranslateMessage(pMsg)) return TRUE;
            }
        }
    }
    return PreTranslateInput(pMsg);
}

// --- state --------------------------------------------------------------------

void CSPBaseControlBar::Serialize(CArchive& ar) {
    CWnd::Serialize(ar);
    if (ar.IsStoring()) {
        ar << (DWORD)(m_dwStyle & CBRS_ALIGN_ANY);
        ar << (DWORD)IsVisible();
    } else {
        DWORD dwAlign = 0, dwVisible = 0;
        ar >> dwAlign;
        ar >> dwVisible;
        m_dwStyle |= dwAlign;
        m_bRecentVisibleState = (BOOL)dwVisible;
    }
}

CString CSPBaseControlBar::BuildStateKey(const CString& strPrefix, LPCTSTR lpszClassWord, int nIndex,
                                         UINT uiID) const {
    if (nIndex == -1) nIndex = GetSafeHwnd() != NULL ? GetDlgCtrlID() : 0;
    CString strKey;
    if (uiID == (UINT)-1)
        strKey.Format("%s%s-%d", (LPCTSTR)strPrefix, lpszClassWord, nIndex);
    else
        strKey.Format("%s%s-%d%x", (LPCTSTR)strPrefix, lpszClassWord, nIndex, uiID);
    return strKey;
}

BOOL CSPBaseControlBar::LoadState(LPCTSTR lpszProfileName, int nIndex, UINT uiID) {
    CString strKey = BuildStateKey(SPGetRegPath(m_lpszSection, lpszProfileName), _T("SPBaseControlBar"), nIndex, uiID);
    CSPRegistryPtr reg;
    CSPRegistry* pReg = reg.Create(FALSE, TRUE);
    if (pReg == NULL || !pReg->Open(strKey)) return FALSE;
    DWORD dwVisible = 0;
    if (pReg->Read(_T("IsVisible"), dwVisible)) m_bRecentVisibleState = (BOOL)dwVisible;
    m_bIsRestoredFromRegistry = TRUE;
    return TRUE;
}

BOOL CSPBaseControlBar::SaveState(LPCTSTR lpszProfileName, int nIndex, UINT uiID) {
    CString strKey = BuildStateKey(SPGetRegPath(m_lpszSection, lpszProfileName), _T("SPBaseControlBar"), nIndex, uiID);
    CSPRegistryPtr reg;
    CSPRegistry* pReg = reg.Create(FALSE, FALSE);
    if (pReg == NULL || !pReg->CreateKey(strKey)) return FALSE;
    return pReg->Write(_T("IsVisible"), (DWORD)IsVisible());
}

// --- frame dispatchers ----------------------------------------------------------

// Each dispatcher finds the dock site's docking services (the library frame
// classes are tested in their fixed order); a site of another class gets
// nothing. A bar without dock site in a dialog drops its requests.
#define SP_FRAME_IMPL_OR_RETURN(pImpl, result)                  \
    CFrameWnd* pSite = GetDockSite();                          \
    if (pSite == NULL && m_bIsInDialog) return result;         \
    CSPFrameImpl* pImpl = CSPFrameImpl::FromFrame(pSite);

void CSPBaseControlBar::FrameAddControlBar(CSPBaseControlBar* pBar) {
    SP_FRAME_IMPL_OR_RETURN(pImpl, )
    if (pImpl != NULL) pImpl->AddControlBar(pBar, TRUE);
}

BOOL CSPBaseControlBar::FrameRemoveControlBar(CSPBaseControlBar* pBar, BOOL bDestroy, BOOL bAdjustLayout,
                                              BOOL bAutoHide) {
    SP_FRAME_IMPL_OR_RETURN(pImpl, TRUE)
    return pImpl != NULL && pImpl->RemoveControlBarFromDockManager(pBar, bDestroy, bAdjustLayout, bAutoHide);
}

BOOL CSPBaseControlBar::FrameIsPointNearDockBar(CPoint point, DWORD& dwBarAlignment, BOOL& bOuterEdge) {
    SP_FRAME_IMPL_OR_RETURN(pImpl, TRUE)
    return pImpl != NULL && pImpl->IsPointNearDockBar(point, dwBarAlignment, bOuterEdge);
}

CSPBaseControlBar* CSPBaseControlBar::FrameControlBarFromPoint(CPoint point, int nSensitivity, BOOL bExactBar,
                                                               CRuntimeClass* pRTCBarType) {
    SP_FRAME_IMPL_OR_RETURN(pImpl, NULL)
    return pImpl != NULL ? pImpl->ControlBarFromPoint(point, nSensitivity, bExactBar != FALSE, pRTCBarType) : NULL;
}

void CSPBaseControlBar::FrameInsertControlBar(CSPBaseControlBar* pBar, CSPBaseControlBar* pTarget, BOOL bAfter) {
    SP_FRAME_IMPL_OR_RETURN(pImpl, )
    if (pImpl != NULL) pImpl->InsertControlBar(pBar, pTarget, bAfter);
}

void CSPBaseControlBar::FrameDockControlBar(BOOL bUseDockSite) {
    CFrameWnd* pSite = GetDockSite();
    if (pSite == NULL && m_bIsInDialog) return;
    CSPFrameImpl* pImpl = CSPFrameImpl::FromFrame(bUseDockSite ? pSite : SPGetParentFrame(this));
    if (pImpl != NULL) pImpl->DockControlBar(this, 0, NULL);
}

void CSPBaseControlBar::GetVisualInfo(SPBarInfo& info) {
    info.pWnd = this;
    info.dwStyle = GetControlBarStyle();
    info.bFloatingOrVertical = GetSafeHwnd() != NULL && (IsFloating() || !IsHorizontal());
}
