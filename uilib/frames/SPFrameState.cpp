// The persistence side of CSPFrameImpl: the window's place and show state
// from one run to the next, the user-defined toolbars, and the docking
// state handed to the dock manager.
#include "SPFrameImpl.h"

#include "SPDockBar.h"
#include "SPFrameWnd.h"
#include "SPMDIFrameWnd.h"
#include "SPGlobalData.h"
#include "SPRegistry.h"
#include "SPToolBar.h"
#include "SPWorkspace.h"

namespace {

// The style of a user toolbar: child, visible, gripper, top, hidden in place.
const DWORD dwUserToolbarStyle = WS_CHILD | WS_VISIBLE | CBRS_GRIPPER | CBRS_TOP | CBRS_HIDE_INPLACE;
const UINT nIDSUserToolbarLimit = 16243;

BOOL IsValidRange(UINT uiFirst, UINT uiLast) {
    return uiFirst != (UINT)-1 && uiLast != (UINT)-1 && uiFirst <= uiLast;
}

// Deletes what the control bar levels of a bar saved for its id, so that a
// later user toolbar of the same id starts afresh.
void RemoveBarState(const CString& strProfile, UINT uiID) {
    const CString strPrefix = SPGetRegPath(CSPControlBar::m_lpszSection, strProfile);
    CSPRegistryPtr reg;
    CSPRegistry* pReg = reg.Create(FALSE, FALSE);
    if (pReg == NULL) return;
    for (LPCTSTR lpszClassWord : {_T("SPBaseControlBar"), _T("SPControlBar")}) {
        CString strKey;
        strKey.Format("%s%s-%u", (LPCTSTR)strPrefix, lpszClassWord, uiID);
        pReg->DeleteKey(strKey);
    }
}

}  // namespace

const UINT CSPFrameImpl::SP_WM_TOOLBAR_CREATE = ::RegisterWindowMessage(_T("STOOLBAR_CREATE"));
const UINT CSPFrameImpl::SP_WM_TOOLBAR_DELETE = ::RegisterWindowMessage(_T("STOOLBAR_DELETE"));

// --- window place ---------------------------------------------------------------------

BOOL CSPFrameImpl::IsMainFrameKind() const {
    return m_pFrame->IsKindOf(RUNTIME_CLASS(CSPFrameWnd)) || m_pFrame->IsKindOf(RUNTIME_CLASS(CSPMDIFrameWnd));
}

void CSPFrameImpl::PreCreateWindow(CREATESTRUCT& cs) {
    CSPWorkspace* pWorkspace = CSPWorkspace::GetInstance();
    if (pWorkspace == NULL || cs.hInstance == NULL) return;

    CRect rectStored(cs.x, cs.y, cs.x + cs.cx, cs.y + cs.cy);
    int nFlags = 0;
    int nShowCmd = SW_SHOWNORMAL;
    if (!pWorkspace->LoadWindowPlacement(rectStored, nFlags, nShowCmd)) return;

    // A window never comes back minimised.
    if (nShowCmd != SW_SHOWMAXIMIZED) nShowCmd = SW_SHOWNORMAL;
    CWinApp* pApp = AfxGetApp();
    if (pApp != NULL) {
        const int nCaller = pApp->m_nCmdShow;
        if (nCaller != SW_SHOWMINIMIZED && nCaller != SW_SHOWMAXIMIZED && nCaller != SW_MINIMIZE &&
            nCaller != SW_SHOWMINNOACTIVE)
            pApp->m_nCmdShow = nShowCmd;
    }

    CRect rectWork;
    MONITORINFO mi = {};
    mi.cbSize = sizeof(mi);
    HMONITOR hMonitor = ::MonitorFromPoint(rectStored.TopLeft(), MONITOR_DEFAULTTONEAREST);
    if (hMonitor != NULL && ::GetMonitorInfo(hMonitor, &mi))
        rectWork = mi.rcWork;
    else
        ::SystemParametersInfo(SPI_GETWORKAREA, 0, &rectWork, 0);

    // A rectangle off every work area (a monitor gone) keeps the default;
    // one that overlaps by a strip starts at the strip's visible corner.
    CRect rectVisible;
    if (rectStored.Width() <= 0 || rectStored.Height() <= 0 || !rectVisible.IntersectRect(rectWork, rectStored))
        return;
    cs.x = rectVisible.left;
    cs.y = rectVisible.top;
    cs.cx = rectStored.Width();
    cs.cy = rectStored.Height();
}

void CSPFrameImpl::OnLoadFrame() {
    CSPWorkspace* pWorkspace = CSPWorkspace::GetInstance();
    if (pWorkspace != NULL) pWorkspace->LoadState(NULL, this);
}

void CSPFrameImpl::OnCloseFrame() {
    CSPWorkspace* pWorkspace = CSPWorkspace::GetInstance();
    if (pWorkspace == NULL) return;
    pWorkspace->SaveState(this);

    WINDOWPLACEMENT wp = {};
    wp.length = sizeof(wp);
    if (m_pFrame->GetSafeHwnd() == NULL || !::GetWindowPlacement(m_pFrame->GetSafeHwnd(), &wp)) return;
    const int nShowCmd = wp.showCmd == SW_SHOWMAXIMIZED ? SW_SHOWMAXIMIZED : SW_SHOWNORMAL;
    // The normal position is in work-area coordinates.
    CRect rectWork;
    ::SystemParametersInfo(SPI_GETWORKAREA, 0, &rectWork, 0);
    CRect rect = wp.rcNormalPosition;
    rect.OffsetRect(rectWork.left, rectWork.top);
    pWorkspace->StoreWindowPlacement(rect, (int)wp.flags, nShowCmd);
}

// --- user toolbars --------------------------------------------------------------------

void CSPFrameImpl::InitUserToolbars(LPCTSTR lpszProfile, UINT uiFirstID, UINT uiLastID) {
    if (uiFirstID == (UINT)-1 || uiLastID == (UINT)-1) return;
    m_uiUserToolbarFirst = uiFirstID;
    m_uiUserToolbarLast = uiLastID;
    if (lpszProfile != NULL)
        m_strUserToolbarsProfile = lpszProfile;
    else if (CSPWorkspace::GetInstance() != NULL)
        m_strUserToolbarsProfile = CSPWorkspace::GetInstance()->GetRegSectionPath();
    else
        m_strUserToolbarsProfile.Empty();
}

UINT CSPFrameImpl::FindFreeToolbarID(UINT uiFirstID, UINT uiLastID, const CObList& lstBars) {
    if (!IsValidRange(uiFirstID, uiLastID)) return 0;
    if ((UINT)lstBars.GetCount() >= uiLastID - uiFirstID + 1) return 0;
    for (UINT uiID = uiFirstID; uiID <= uiLastID; uiID++) {
        BOOL bTaken = FALSE;
        for (POSITION pos = lstBars.GetHeadPosition(); pos != NULL && !bTaken;) {
            CWnd* pBar = (CWnd*)lstBars.GetNext(pos);
            bTaken = (UINT)pBar->GetDlgCtrlID() == uiID;
        }
        if (!bTaken) return uiID;
    }
    return 0;
}

BOOL CSPFrameImpl::IsUserBarID(CWnd* pWnd) const {
    if (pWnd == NULL || pWnd->GetSafeHwnd() == NULL || !IsValidRange(m_uiUserToolbarFirst, m_uiUserToolbarLast))
        return FALSE;
    const UINT uiID = (UINT)pWnd->GetDlgCtrlID();
    return uiID >= m_uiUserToolbarFirst && uiID <= m_uiUserToolbarLast;
}

CSPToolBar* CSPFrameImpl::GetUserToolbarByIndex(int iIndex) const {
    POSITION pos = iIndex >= 0 ? m_listUserDefinedToolbars.FindIndex(iIndex) : NULL;
    return pos != NULL ? (CSPToolBar*)m_listUserDefinedToolbars.GetAt(pos) : NULL;
}

CSPToolBar* CSPFrameImpl::CreateUserToolbarWindow(UINT uiID) {
    CSPToolBar* pToolBar = new CSPToolBar;
    if (!pToolBar->Create(m_pFrame, dwUserToolbarStyle, uiID)) {
        delete pToolBar;
        return NULL;
    }
    return pToolBar;
}

void CSPFrameImpl::SetUserToolbarStyle(CSPToolBar* pToolBar) {
    pToolBar->SetControlBarStyle(pToolBar->GetControlBarStyle() | CBRS_TOOLTIPS | CBRS_FLYBY | CBRS_SIZE_DYNAMIC);
    pToolBar->EnableDocking(CBRS_ALIGN_ANY);
}

CSPToolBar* CSPFrameImpl::CreateNewToolbar(LPCTSTR lpszName) {
    const UINT uiID = FindFreeToolbarID(m_uiUserToolbarFirst, m_uiUserToolbarLast, m_listUserDefinedToolbars);
    if (uiID == 0) {
        CString strFormat;
        {
            CSPResourceScope scope;
            if (!strFormat.LoadString(nIDSUserToolbarLimit))
                strFormat = _T("You can't create more than %d user-defined toolbars!");
        }
        CString strMessage;
        const int nMax = IsValidRange(m_uiUserToolbarFirst, m_uiUserToolbarLast)
                             ? (int)(m_uiUserToolbarLast - m_uiUserToolbarFirst + 1)
                             : 0;
        strMessage.Format(strFormat, nMax);
        AfxMessageBox(strMessage, MB_OK | MB_ICONINFORMATION);
        return NULL;
    }

    CSPToolBar* pToolBar = CreateUserToolbarWindow(uiID);
    if (pToolBar == NULL) return NULL;
    pToolBar->SetWindowText(lpszName);
    SetUserToolbarStyle(pToolBar);

    CRect rectBar;
    pToolBar->GetWindowRect(rectBar);
    const CPoint ptFloat(::GetSystemMetrics(SM_CXFULLSCREEN) / 2, ::GetSystemMetrics(SM_CYFULLSCREEN) / 2);
    pToolBar->FloatControlBar(CRect(ptFloat, rectBar.Size()), 0, true);
    pToolBar->SetMRUWidth(32767);
    m_pFrame->RecalcLayout();
    m_listUserDefinedToolbars.AddTail(pToolBar);
    return pToolBar;
}

BOOL CSPFrameImpl::DeleteToolbar(CSPToolBar* pToolBar) {
    POSITION pos = m_listUserDefinedToolbars.Find(pToolBar);
    if (pos == NULL) return FALSE;
    m_listUserDefinedToolbars.RemoveAt(pos);
    RemoveBarState(m_strUserToolbarsProfile, (UINT)pToolBar->GetDlgCtrlID());

    CSPDockBar* pDockBar = pToolBar->GetParentDockBar();
    if (pDockBar != NULL) pDockBar->RemoveControlBar(pToolBar);
    // A floating bar leaves its mini frame when the mini frames exist.
    m_dockManager.RemoveControlBar(pToolBar, FALSE, FALSE, FALSE);
    pToolBar->DestroyWindow();
    delete pToolBar;
    m_pFrame->RecalcLayout();
    return TRUE;
}

void CSPFrameImpl::SetupToolbarMenu(CMenu& menu, UINT uiFirst, UINT uiLast) {
    for (int iPos = 0; iPos < (int)menu.GetMenuItemCount();) {
        const UINT uiCmd = menu.GetMenuItemID(iPos);
        if (uiCmd < uiFirst || uiCmd > uiLast) {
            iPos++;
            continue;
        }
        CSPToolBar* pToolBar = GetUserToolbarByIndex((int)(uiCmd - uiFirst));
        if (pToolBar == NULL) {
            menu.DeleteMenu(iPos, MF_BYPOSITION);
            continue;
        }
        CString strName;
        pToolBar->GetWindowText(strName);
        menu.ModifyMenu(iPos, MF_BYPOSITION | MF_STRING, uiCmd, strName);
        iPos++;
    }
}

void CSPFrameImpl::LoadUserToolbars() {
    if (!IsValidRange(m_uiUserToolbarFirst, m_uiUserToolbarLast)) return;
    for (UINT uiID = m_uiUserToolbarFirst; uiID <= m_uiUserToolbarLast; uiID++) {
        CSPToolBar* pToolBar = CreateUserToolbarWindow(uiID);
        if (pToolBar == NULL) continue;
        // Nothing stored for the id: no toolbar of that id.
        if (!pToolBar->LoadState(m_strUserToolbarsProfile, -1, (UINT)-1)) {
            pToolBar->DestroyWindow();
            delete pToolBar;
            continue;
        }
        SetUserToolbarStyle(pToolBar);
        m_dockManager.DockControlBar(pToolBar, 0, NULL);
        m_listUserDefinedToolbars.AddTail(pToolBar);
    }
}

void CSPFrameImpl::SaveUserToolbars(BOOL bFrameBarsOnly) {
    for (POSITION pos = m_listUserDefinedToolbars.GetHeadPosition(); pos != NULL;) {
        CSPToolBar* pToolBar = (CSPToolBar*)m_listUserDefinedToolbars.GetNext(pos);
        if (bFrameBarsOnly && pToolBar->GetTopLevelFrame() != m_pFrame) continue;
        pToolBar->SaveState(m_strUserToolbarsProfile, -1, (UINT)-1);
    }
}

// --- the docking state ------------------------------------------------------------------

// The docking panes' layout is the dock manager's, saved under the frame's
// resource id; the bars carry their own places as well (their SaveState).
BOOL CSPFrameImpl::LoadDockState(LPCTSTR lpszProfile) {
    return m_pFrame->GetSafeHwnd() != NULL && m_dockManager.LoadState(lpszProfile, m_nIDDefaultResource);
}

BOOL CSPFrameImpl::SaveDockState(LPCTSTR lpszProfile) {
    return m_pFrame->GetSafeHwnd() != NULL && m_dockManager.SaveState(lpszProfile, m_nIDDefaultResource);
}

BOOL CSPFrameImpl::IsDockStateValid(const CDockState& /*state*/) { return TRUE; }

BOOL CSPFrameImpl::SetDockState(const CDockState& state) {
    m_pFrame->SetDockState(state);
    m_dockManager.SetDockState();
    return TRUE;
}
