// SPDockingCBWrapper.cpp - a plain window as a docking pane.
#include "SPDockingCBWrapper.h"
#include "SPRegistry.h"

IMPLEMENT_DYNCREATE(CSPDockingCBWrapper, CSPDockingControlBar)

LPCTSTR const CSPDockingCBWrapper::m_lpszSection = _T("SControlBars");

BEGIN_MESSAGE_MAP(CSPDockingCBWrapper, CSPDockingControlBar)
ON_WM_SIZE()
END_MESSAGE_MAP()

namespace {
// Tab windows wrap plain windows into this class unless told another.
struct DefaultTabWrapper {
    DefaultTabWrapper() { CSPBaseTabWnd::m_pDefaultWrapperRTC = RUNTIME_CLASS(CSPDockingCBWrapper); }
} s_defaultTabWrapper;
}  // namespace

CSPDockingCBWrapper::CSPDockingCBWrapper()
    : m_bAutoDelete(FALSE), m_rectFloatingDefault(30, 30, 180, 180), m_dwDockingAlignment(CBRS_ALIGN_ANY),
      m_pWnd(NULL) {}

CSPDockingCBWrapper::~CSPDockingCBWrapper() {}

void CSPDockingCBWrapper::PostNcDestroy() {
    CSPDockingControlBar::PostNcDestroy();
    if (m_bAutoDelete) delete this;
}

BOOL CSPDockingCBWrapper::CreateTabWrapper(CSPBaseTabWnd* pTabWnd, CWnd* pWnd, LPCTSTR lpszLabel) {
    if (pTabWnd->GetSafeHwnd() == NULL || pWnd->GetSafeHwnd() == NULL) return FALSE;
    DWORD dwStyle = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
    CSPBaseControlBar* pBar = DYNAMIC_DOWNCAST(CSPBaseControlBar, pWnd);
    if (pBar != NULL) dwStyle |= pBar->GetCurrentAlignment() & CBRS_ALIGN_ANY;
    CRect rect;
    pWnd->GetWindowRect(rect);
    pTabWnd->ScreenToClient(rect);
    // Not floatable: the wrapper lives only as the tab. A refusal leaves
    // the object to the tab window, which deletes it: it deletes itself with
    // its window only once the window is there.
    m_bAutoDelete = FALSE;
    if (!Create(lpszLabel != NULL ? lpszLabel : _T(""), pTabWnd, rect, TRUE, (UINT)pWnd->GetDlgCtrlID(), dwStyle, 0x20,
                SPCBRS_AUTOHIDE | SPCBRS_RESIZE | SPCBRS_CLOSE))
        return FALSE;
    ShowCaption(FALSE);
    SetWrappedWnd(pWnd);
    CSPControlBar* pControlBar = DYNAMIC_DOWNCAST(CSPControlBar, pWnd);
    if (pControlBar != NULL) {
        m_recentDockInfo.CopyFrom(TRUE, pControlBar->m_recentDockInfo);
        m_recentDockInfo.CopyFrom(FALSE, pControlBar->m_recentDockInfo);
    }
    m_bAutoDelete = TRUE;
    return TRUE;
}

BOOL CSPDockingCBWrapper::SetWrappedWnd(CWnd* pWnd) {
    if (pWnd->GetSafeHwnd() == NULL) return FALSE;
    pWnd->SetParent(this);
    m_pWnd = pWnd;
    CSPBaseControlBar* pBar = DYNAMIC_DOWNCAST(CSPBaseControlBar, pWnd);
    if (pBar == NULL) {
        EnableDocking(m_dwDockingAlignment);
    } else {
        EnableDocking(pBar->GetEnabledAlignment());
        m_bRecentVisibleState = pBar->GetRecentVisibleState();
        SetRestoredFromRegistry(pBar->IsRestoredFromRegistry());
        CSPControlBar* pControlBar = DYNAMIC_DOWNCAST(CSPControlBar, pWnd);
        if (pControlBar != NULL) m_rectSavedDockedRect = pControlBar->GetLoadedDockedRect();
    }
    CRect rectClient;
    GetClientRect(rectClient);
    pWnd->SetWindowPos(NULL, 0, 0, rectClient.Width(), rectClient.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
    return TRUE;
}

void CSPDockingCBWrapper::OnSize(UINT nType, int cx, int cy) {
    CSPDockingControlBar::OnSize(nType, cx, cy);
    if (m_pWnd->GetSafeHwnd() != NULL) m_pWnd->SetWindowPos(NULL, 0, 0, cx, cy, SWP_NOZORDER | SWP_NOACTIVATE);
}

CString CSPDockingCBWrapper::GetStateKey(LPCTSTR lpszProfileName, int nIndex, UINT uiID) const {
    const CString strPath = SPGetRegPath(m_lpszSection, lpszProfileName);
    if (nIndex == -1) nIndex = GetSafeHwnd() != NULL ? GetDlgCtrlID() : 0;
    CString strKey;
    if (uiID == (UINT)-1)
        strKey.Format("%sSPDockingCBWrapper-%d", (LPCTSTR)strPath, nIndex);
    else
        strKey.Format("%sSPDockingCBWrapper-%d%x", (LPCTSTR)strPath, nIndex, uiID);
    return strKey;
}

BOOL CSPDockingCBWrapper::SaveState(LPCTSTR lpszProfileName, int nIndex, UINT uiID) {
    const CString strKey = GetStateKey(lpszProfileName, nIndex, uiID);
    {
        CSPRegistryPtr reg;
        CSPRegistry* pReg = reg.Create(FALSE, FALSE);
        if (pReg != NULL && pReg->CreateKey(strKey)) {
            CString strName;
            GetWindowText(strName);
            pReg->Write(_T("BarName"), (LPCTSTR)strName);
        }
    }
    return CSPDockingControlBar::SaveState(lpszProfileName, nIndex, uiID);
}

BOOL CSPDockingCBWrapper::LoadState(LPCTSTR lpszProfileName, int nIndex, UINT uiID) {
    const CString strKey = GetStateKey(lpszProfileName, nIndex, uiID);
    {
        CSPRegistryPtr reg;
        CSPRegistry* pReg = reg.Create(FALSE, TRUE);
        if (pReg == NULL || !pReg->Open(strKey)) return FALSE;
        CString strName;
        if (pReg->Read(_T("BarName"), strName) && !strName.IsEmpty()) SetWindowText(strName);
    }
    return CSPDockingControlBar::LoadState(lpszProfileName, nIndex, uiID);
}
