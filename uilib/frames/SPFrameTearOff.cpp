// SPFrameTearOff.cpp - CSPFrameImpl: the toolbars torn off popup menus,
// kept by the frame and stored from one run to the next.
#include "SPFrameImpl.h"

#include "SPRegistry.h"
#include "SPToolBar.h"
#include "SPWorkspace.h"

namespace {

const DWORD dwTearOffBarStyle = WS_CHILD | WS_VISIBLE | CBRS_GRIPPER | CBRS_TOP | CBRS_HIDE_INPLACE;

CString BarKey(const CString& strKey, int i) {
    CString strBarKey;
    strBarKey.Format(_T("%s-%d"), (LPCTSTR)strKey, i);
    return strBarKey;
}

}  // namespace

CString CSPFrameImpl::GetTearOffBarsKey() {
    CSPWorkspace* pWorkspace = CSPWorkspace::GetInstance();
    return (pWorkspace != NULL ? pWorkspace->GetRegSectionPath() : CString()) + _T("ControlBars-TearOff");
}

void CSPFrameImpl::AddTearOffBar(CSPBaseControlBar* pBar) {
    if (pBar != NULL && m_listTearOffToolbars.Find(pBar) == NULL) m_listTearOffToolbars.AddTail(pBar);
}

void CSPFrameImpl::RemoveTearOffBar(CSPBaseControlBar* pBar) {
    if (POSITION pos = m_listTearOffToolbars.Find(pBar)) m_listTearOffToolbars.RemoveAt(pos);
}

CSPBaseControlBar* CSPFrameImpl::FindTearOffBar(UINT uiID) const {
    for (POSITION pos = m_listTearOffToolbars.GetHeadPosition(); pos != NULL;) {
        CSPBaseControlBar* pBar = (CSPBaseControlBar*)m_listTearOffToolbars.GetNext(pos);
        if (pBar->GetSafeHwnd() != NULL && (UINT)pBar->GetDlgCtrlID() == uiID) return pBar;
    }
    return NULL;
}

void CSPFrameImpl::DeleteTearOffBars() {
    while (!m_listTearOffToolbars.IsEmpty()) {
        CWnd* pBar = (CWnd*)m_listTearOffToolbars.RemoveHead();
        if (pBar->GetSafeHwnd() != NULL) pBar->DestroyWindow();
        delete pBar;
    }
}

void CSPFrameImpl::SaveTearOffBars(BOOL bFrameBarsOnly) {
    const CString strKey = GetTearOffBarsKey();
    {
        // What an earlier, longer list left goes first.
        CSPRegistryPtr reg;
        CSPRegistry* pReg = reg.Create(FALSE, FALSE);
        if (pReg == NULL) return;
        for (int i = 0; pReg->DeleteKey(BarKey(strKey, i)); i++) {
        }
    }
    int i = 0;
    for (POSITION pos = m_listTearOffToolbars.GetHeadPosition(); pos != NULL;) {
        CSPBaseControlBar* pBar = (CSPBaseControlBar*)m_listTearOffToolbars.GetNext(pos);
        if (pBar->GetSafeHwnd() == NULL) continue;
        if (bFrameBarsOnly && pBar->GetTopLevelFrame() != m_pFrame) continue;
        CSPRegistryPtr reg;
        CSPRegistry* pReg = reg.Create(FALSE, FALSE);
        if (pReg == NULL || !pReg->CreateKey(BarKey(strKey, i))) return;
        CString strName;
        pBar->GetWindowText(strName);
        pReg->Write(_T("ID"), (DWORD)pBar->GetDlgCtrlID());
        pReg->Write(_T("Name"), strName);
        pReg->Write(_T("State"), (CObject*)pBar);
        pBar->SaveState(strKey, i, (UINT)-1);
        i++;
    }
}

void CSPFrameImpl::LoadTearOffBars() {
    DeleteTearOffBars();
    const CString strKey = GetTearOffBarsKey();
    for (int i = 0;; i++) {
        int nID = 0;
        CString strName;
        CObject* pObject = NULL;
        {
            CSPRegistryPtr reg;
            CSPRegistry* pReg = reg.Create(FALSE, TRUE);
            if (pReg == NULL || !pReg->Open(BarKey(strKey, i))) return;
            if (!pReg->Read(_T("ID"), nID) || !pReg->Read(_T("Name"), strName) ||
                !pReg->Read(_T("State"), pObject, RUNTIME_CLASS(CSPToolBar)) || pObject == NULL)
                return;
        }
        CSPToolBar* pBar = (CSPToolBar*)pObject;
        if (nID <= 0 || !pBar->Create(m_pFrame, dwTearOffBarStyle, (UINT)nID)) {
            delete pBar;
            return;
        }
        pBar->SetWindowText(strName);
        SetUserToolbarStyle(pBar);
        m_listTearOffToolbars.AddTail(pBar);
        pBar->LoadState(strKey, i, (UINT)-1);
        m_dockManager.DockControlBar(pBar, 0, NULL);
    }
}
