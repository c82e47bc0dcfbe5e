#include "SPReBar.h"

#include "SPGlobalData.h"
#include "SPRegistry.h"

#include <algorithm>
#include <vector>

IMPLEMENT_DYNCREATE(CSPReBar, CSPControlBar)

namespace {

const DWORD dwBarStyleMask = 0x0040FFFF;
// The band information the rebar is asked for: up to cxHeader, the size
// every common-control version understands in this form.
const UINT cbBandInfo = CCSIZEOF_STRUCT(REBARBANDINFO, cxHeader);
const UINT fSavedMask =
    RBBIM_STYLE | RBBIM_CHILDSIZE | RBBIM_SIZE | RBBIM_ID | RBBIM_IDEALSIZE | RBBIM_HEADERSIZE;

REBARBANDINFO NewBandInfo(UINT fMask) {
    REBARBANDINFO rbbi;
    memset(&rbbi, 0, sizeof(rbbi));
    rbbi.cbSize = cbBandInfo;
    rbbi.fMask = fMask;
    return rbbi;
}

// The saved fields of a band, from one form of the record to the other.
template <class TDest, class TSrc>
void CopySavedFields(TDest& dest, const TSrc& src) {
    dest.fStyle = src.fStyle;
    dest.cxMinChild = src.cxMinChild;
    dest.cyMinChild = src.cyMinChild;
    dest.cx = src.cx;
    dest.wID = src.wID;
    dest.cyChild = src.cyChild;
    dest.cyMaxChild = src.cyMaxChild;
    dest.cyIntegral = src.cyIntegral;
    dest.cxIdeal = src.cxIdeal;
    dest.cxHeader = src.cxHeader;
}

SPRebarBandRecord ToRecord(const REBARBANDINFO& rbbi) {
    SPRebarBandRecord rec;
    memset(&rec, 0, sizeof(rec));
    rec.cbSize = sizeof(SPRebarBandRecord);
    rec.fMask = fSavedMask;
    CopySavedFields(rec, rbbi);
    return rec;
}

REBARBANDINFO FromRecord(const SPRebarBandRecord& rec) {
    // Only what was saved is applied; handles and texts stay the band's own.
    REBARBANDINFO rbbi = NewBandInfo(rec.fMask & fSavedMask);
    CopySavedFields(rbbi, rec);
    return rbbi;
}

CString RebarKey(LPCTSTR lpszProfileName, HWND hwndRebar) {
    CString strKey;
    strKey.Format("%sSRebar-%ld", lpszProfileName != NULL ? lpszProfileName : "", (long)::GetDlgCtrlID(hwndRebar));
    return strKey;
}

// The save step: FALSE stops the enumeration (the key cannot be made).
BOOL SaveOneRebar(CSPReBar* pBar, LPCTSTR lpszProfileName) {
    CSPRegistryPtr reg;
    CSPRegistry* pReg = reg.Create(FALSE, FALSE);
    if (pReg == NULL || !pReg->CreateKey(RebarKey(lpszProfileName, pBar->GetSafeHwnd()))) return FALSE;
    const int nCount = pBar->GetBandCount();
    if (nCount <= 0) return TRUE;

    std::vector<SPRebarBandRecord> records(nCount);
    std::vector<DWORD> ids(nCount);
    for (int i = 0; i < nCount; i++) {
        REBARBANDINFO rbbi = NewBandInfo(fSavedMask | RBBIM_CHILD);
        pBar->SendMessage(RB_GETBANDINFO, i, (LPARAM)&rbbi);
        // A fixed band reports its minimum width 4 short of what it takes.
        if (rbbi.fStyle & RBBS_FIXEDSIZE) rbbi.cxMinChild += 4;
        ids[i] = rbbi.hwndChild != NULL ? (DWORD)::GetDlgCtrlID(rbbi.hwndChild) : 0;
        records[i] = ToRecord(rbbi);
    }
    pReg->Write(_T("RBI"), (LPBYTE)records.data(), (UINT)(nCount * sizeof(SPRebarBandRecord)));
    pReg->Write(_T("IDs"), (LPBYTE)ids.data(), (UINT)(nCount * sizeof(DWORD)));
    return TRUE;
}

// The load step: FALSE stops the enumeration (no key for this rebar).
BOOL LoadOneRebar(CSPReBar* pBar, LPCTSTR lpszProfileName) {
    CSPRegistryPtr reg;
    CSPRegistry* pReg = reg.Create(FALSE, TRUE);
    if (pReg == NULL || !pReg->Open(RebarKey(lpszProfileName, pBar->GetSafeHwnd()))) return FALSE;

    LPBYTE pRecords = NULL, pIDs = NULL;
    UINT cbRecords = 0, cbIDs = 0;
    const BOOL bRead = pReg->Read(_T("RBI"), &pRecords, &cbRecords) && pReg->Read(_T("IDs"), &pIDs, &cbIDs);
    const int nSaved = (int)(cbIDs / sizeof(DWORD));
    // A rebar whose bands changed since keeps the program's layout; records
    // beyond the length of "RBI" are never read.
    if (bRead && nSaved == pBar->GetBandCount() && cbRecords >= nSaved * sizeof(SPRebarBandRecord)) {
        const SPRebarBandRecord* records = (const SPRebarBandRecord*)pRecords;
        const DWORD* ids = (const DWORD*)pIDs;
        for (int i = 0; i < nSaved; i++) {
            for (int j = i; j < nSaved; j++) {
                REBARBANDINFO rbbi = NewBandInfo(RBBIM_CHILD);
                pBar->SendMessage(RB_GETBANDINFO, j, (LPARAM)&rbbi);
                if (rbbi.hwndChild == NULL || (DWORD)::GetDlgCtrlID(rbbi.hwndChild) != ids[i]) continue;
                if (j != i) pBar->SendMessage(RB_MOVEBAND, j, i);
                REBARBANDINFO rbbiSaved = FromRecord(records[i]);
                pBar->SendMessage(RB_SETBANDINFO, i, (LPARAM)&rbbiSaved);
                break;
            }
        }
    }
    delete[] pRecords;
    delete[] pIDs;
    return TRUE;
}

struct RebarPass {
    LPCTSTR lpszProfileName;
    BOOL bSave;
};

BOOL CALLBACK RebarStateStep(HWND hwnd, LPARAM lParam) {
    const RebarPass* pPass = (const RebarPass*)lParam;
    CSPReBar* pBar = DYNAMIC_DOWNCAST(CSPReBar, CWnd::FromHandlePermanent(hwnd));
    if (pBar == NULL) return TRUE;
    return pPass->bSave ? SaveOneRebar(pBar, pPass->lpszProfileName) : LoadOneRebar(pBar, pPass->lpszProfileName);
}

BOOL RunRebarPass(LPCTSTR lpszProfileName, CWnd* pWnd, BOOL bSave) {
    RebarPass pass = {lpszProfileName, bSave};
    if (pWnd != NULL) return ::EnumChildWindows(pWnd->GetSafeHwnd(), RebarStateStep, (LPARAM)&pass);
    return ::EnumWindows(RebarStateStep, (LPARAM)&pass);
}

}  // namespace

BOOL SPSaveRebarState(LPCTSTR lpszProfileName, CWnd* pWnd) { return RunRebarPass(lpszProfileName, pWnd, TRUE); }

BOOL SPLoadRebarState(LPCTSTR lpszProfileName, CWnd* pWnd) { return RunRebarPass(lpszProfileName, pWnd, FALSE); }

// --- the bar --------------------------------------------------------------------------

BEGIN_MESSAGE_MAP(CSPReBar, CSPControlBar)
    ON_WM_NCCALCSIZE()
    ON_WM_NCPAINT()
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_MOUSEMOVE()
    ON_NOTIFY_REFLECT(RBN_HEIGHTCHANGE, OnHeightChange)
    ON_NOTIFY_REFLECT(RBN_ENDDRAG, OnHeightChange)
    ON_MESSAGE(RB_SHOWBAND, OnShowBand)
    ON_MESSAGE(WM_RECALCPARENT, OnRecalcParent)
END_MESSAGE_MAP()

CSPReBar::CSPReBar() : m_Impl(this) { SetBorders(0, 0, 0, 0); }

CSPReBar::~CSPReBar() {}

BOOL CSPReBar::Create(CWnd* pParentWnd, DWORD dwCtrlStyle, DWORD dwStyle, UINT nID) {
    DWORD dwBarStyle = dwStyle & dwBarStyleMask;
    if (nID == AFX_IDW_REBAR) dwBarStyle |= CBRS_HIDE_INPLACE;
    m_dwStyle = dwBarStyle;
    m_pDockSite = DYNAMIC_DOWNCAST(CFrameWnd, pParentWnd);
    AfxDeferRegisterClass(AFX_WNDCOOLBAR_REG);

    const DWORD dwWindowStyle = (dwStyle & ~dwBarStyleMask) | dwCtrlStyle | CCS_NOPARENTALIGN | CCS_NOMOVEY |
                                CCS_NODIVIDER | CCS_NORESIZE | RBS_VARHEIGHT | WS_CLIPCHILDREN;
    m_nID = nID;
    if (!CWnd::CreateEx(0, REBARCLASSNAME, NULL, dwWindowStyle, CRect(0, 0, 0, 0), pParentWnd, nID)) return FALSE;
    m_dwStyle = dwBarStyle;  // the window's style bits are no bar style
    SetOwner(pParentWnd);
    // The owner receives the control's notifications.
    CWnd* pOwner = GetOwner();
    if (pOwner != NULL) SendMessage(RB_SETPARENT, (WPARAM)pOwner->GetSafeHwnd());
    return TRUE;
}

BOOL CSPReBar::AddBar(CWnd* pBar, LPCTSTR pszText, CBitmap* pbmp, DWORD dwStyle) {
    REBARBANDINFO rbbi = NewBandInfo(RBBIM_STYLE);
    rbbi.fStyle = dwStyle;
    if (pszText != NULL) {
        rbbi.fMask |= RBBIM_TEXT;
        rbbi.lpText = (LPTSTR)pszText;
    }
    if (pbmp != NULL) {
        rbbi.fMask |= RBBIM_BACKGROUND;
        rbbi.hbmBack = (HBITMAP)pbmp->GetSafeHandle();
    }
    return InsertBar(pBar, &rbbi);
}

BOOL CSPReBar::AddBar(CWnd* pBar, COLORREF clrFore, COLORREF clrBack, LPCTSTR pszText, DWORD dwStyle) {
    REBARBANDINFO rbbi = NewBandInfo(RBBIM_STYLE | RBBIM_COLORS);
    rbbi.fStyle = dwStyle;
    rbbi.clrFore = clrFore;
    rbbi.clrBack = clrBack;
    if (pszText != NULL) {
        rbbi.fMask |= RBBIM_TEXT;
        rbbi.lpText = (LPTSTR)pszText;
    }
    return InsertBar(pBar, &rbbi);
}

BOOL CSPReBar::InsertBar(CWnd* pBar, REBARBANDINFO* pRBBI) {
    if (pBar == NULL || pBar->GetSafeHwnd() == NULL) return FALSE;
    pRBBI->cbSize = cbBandInfo;
    pRBBI->fMask |= RBBIM_CHILD | RBBIM_CHILDSIZE;
    pRBBI->hwndChild = pBar->GetSafeHwnd();
    CSize size;
    CSPControlBar* pControlBar = DYNAMIC_DOWNCAST(CSPControlBar, pBar);
    if (pControlBar != NULL) {
        size = pControlBar->CalcFixedLayout(FALSE, (m_dwStyle & CBRS_ORIENT_HORZ) != 0);
    } else {
        CRect rect;
        pBar->GetWindowRect(rect);
        size = rect.Size();
    }
    pRBBI->cxMinChild = size.cx;
    pRBBI->cyMinChild = size.cy;
    const BOOL bResult = (BOOL)DefWindowProc(RB_INSERTBAND, (WPARAM)-1, (LPARAM)pRBBI);
    CFrameWnd* pFrame = SPGetParentFrame(this);
    if (pFrame != NULL) pFrame->RecalcLayout(TRUE);
    return bResult;
}

void CSPReBar::SetCurrentAlignment(DWORD dwAlignment) {
    const int nCount = GetBandCount();
    for (int i = 0; i < nCount; i++) {
        REBARBANDINFO rbbi = NewBandInfo(RBBIM_CHILD | RBBIM_CHILDSIZE | RBBIM_IDEALSIZE);
        SendMessage(RB_GETBANDINFO, i, (LPARAM)&rbbi);
        CSPBaseControlBar* pBar = DYNAMIC_DOWNCAST(CSPBaseControlBar, CWnd::FromHandlePermanent(rbbi.hwndChild));
        if (pBar != NULL) pBar->SetCurrentAlignment(dwAlignment);
    }
}

void CSPReBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) {
    UpdateDialogControls(pTarget, bDisableIfNoHndler);
}

void CSPReBar::MatchBandVisibility(int nBand, BOOL bChildFollowsBand) {
    REBARBANDINFO rbbi = NewBandInfo(RBBIM_STYLE | RBBIM_CHILD);
    if (!DefWindowProc(RB_GETBANDINFO, nBand, (LPARAM)&rbbi) || rbbi.hwndChild == NULL) return;
    CSPControlBar* pBar = DYNAMIC_DOWNCAST(CSPControlBar, CWnd::FromHandlePermanent(rbbi.hwndChild));
    const BOOL bWindowVisible =
        pBar != NULL ? pBar->IsVisible() : (::GetWindowLong(rbbi.hwndChild, GWL_STYLE) & WS_VISIBLE) != 0;
    const BOOL bBandVisible = (rbbi.fStyle & RBBS_HIDDEN) == 0;
    if (bWindowVisible == bBandVisible) return;
    if (bChildFollowsBand)
        ::ShowWindow(rbbi.hwndChild, bBandVisible ? SW_SHOW : SW_HIDE);
    else
        DefWindowProc(RB_SHOWBAND, nBand, bWindowVisible);
}

CSize CSPReBar::CalcFixedLayout(BOOL /*bStretch*/, BOOL bHorz) {
    const int nCount = GetBandCount();
    for (int i = nCount - 1; i >= 0; i--) MatchBandVisibility(i, FALSE);

    CRect rectUnion(0, 0, 0, 0);
    for (int i = nCount - 1; i >= 0; i--) {
        REBARBANDINFO rbbi = NewBandInfo(RBBIM_STYLE);
        SendMessage(RB_GETBANDINFO, i, (LPARAM)&rbbi);
        if (rbbi.fStyle & RBBS_HIDDEN) continue;
        CRect rect;
        SendMessage(RB_GETRECT, i, (LPARAM)&rect);
        rectUnion.UnionRect(rectUnion, rect);
    }
    if (!rectUnion.IsRectEmpty()) {
        CRect rectBorders(0, 0, 0, 0);
        CalcInsideRect(rectBorders, bHorz);
        rectUnion.right += rectBorders.left - rectBorders.right;
        rectUnion.bottom += rectBorders.top - rectBorders.bottom;
    }
    return bHorz ? CSize(32767, rectUnion.Height()) : CSize(rectUnion.Width(), 32767);
}

CWnd* CSPReBar::ChildFromPoint(CPoint point) const {
    ClientToScreen(&point);
    for (HWND hwnd = ::GetWindow(m_hWnd, GW_CHILD); hwnd != NULL; hwnd = ::GetWindow(hwnd, GW_HWNDNEXT)) {
        if ((WORD)::GetDlgCtrlID(hwnd) == 0xFFFF || !::IsWindowVisible(hwnd)) continue;
        CRect rect;
        ::GetWindowRect(hwnd, rect);
        if (rect.PtInRect(point)) return CWnd::FromHandle(hwnd);
    }
    return NULL;
}

INT_PTR CSPReBar::OnToolHitTest(CPoint point, TOOLINFO* pTI) const {
    CWnd* pChild = ChildFromPoint(point);
    if (pChild != NULL && CWnd::FromHandlePermanent(pChild->GetSafeHwnd()) != NULL) {
        // The child answers in its own coordinates.
        MapWindowPoints(pChild, &point, 1);
        return pChild->OnToolHitTest(point, pTI);
    }
    return CWnd::OnToolHitTest(point, pTI);
}

LRESULT CSPReBar::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_SETMESSAGESTRING || message == WM_POPMESSAGESTRING) {
        CWnd* pOwner = GetOwner();
        if (pOwner == NULL) pOwner = GetParent();
        return pOwner != NULL ? pOwner->SendMessage(message, wParam, lParam) : 0;
    }
    return CSPControlBar::WindowProc(message, wParam, lParam);
}

void CSPReBar::OnNcCalcSize(BOOL /*bCalcValidRects*/, NCCALCSIZE_PARAMS* lpncsp) {
    CRect rectBorders(0, 0, 0, 0);
    CalcInsideRect(rectBorders, (m_dwStyle & CBRS_ORIENT_HORZ) != 0);
    lpncsp->rgrc[0].left += rectBorders.left;
    lpncsp->rgrc[0].top += rectBorders.top;
    lpncsp->rgrc[0].right += rectBorders.right;
    lpncsp->rgrc[0].bottom += rectBorders.bottom;
}

void CSPReBar::OnNcPaint() { m_Impl.DrawBorders(); }

// The rebar control paints and tracks the mouse itself: the bar is not
// dragged as a whole.
void CSPReBar::OnPaint() { Default(); }
BOOL CSPReBar::OnEraseBkgnd(CDC* /*pDC*/) { return (BOOL)Default(); }
void CSPReBar::OnLButtonDown(UINT /*nFlags*/, CPoint /*point*/) { Default(); }
void CSPReBar::OnLButtonUp(UINT /*nFlags*/, CPoint /*point*/) { Default(); }
void CSPReBar::OnMouseMove(UINT /*nFlags*/, CPoint /*point*/) { Default(); }

void CSPReBar::OnHeightChange(NMHDR* /*pNMHDR*/, LRESULT* pResult) {
    AdjustDockingLayout();
    *pResult = 0;
}

LRESULT CSPReBar::OnShowBand(WPARAM wParam, LPARAM /*lParam*/) {
    const LRESULT lResult = Default();
    if (lResult) MatchBandVisibility((int)wParam, TRUE);
    return lResult;
}

LRESULT CSPReBar::OnRecalcParent(WPARAM, LPARAM) {
    CFrameWnd* pFrame = SPGetParentFrame(this);
    if (pFrame != NULL) pFrame->RecalcLayout(TRUE);
    return 0;
}
