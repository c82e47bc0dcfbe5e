// cmdtarg.cpp - CCmdTarget (command routing through message maps), CCmdUI,
// the idle update of dialog controls and the wait cursor.
#include "afximpl.h"
#include <vector>

// --- CCmdTarget -------------------------------------------------------------

IMPLEMENT_DYNAMIC(CCmdTarget, CObject)

CCmdTarget::CCmdTarget() {}
CCmdTarget::~CCmdTarget() {}

const AFX_MSGMAP* PASCAL CCmdTarget::GetThisMessageMap() {
    static const AFX_MSGMAP_ENTRY _messageEntries[] = {{0, 0, 0, 0, NULL, NULL, NULL}};
    static const AFX_MSGMAP messageMap = {NULL, &_messageEntries[0]};
    return &messageMap;
}

const AFX_MSGMAP* CCmdTarget::GetMessageMap() const { return GetThisMessageMap(); }

const AFX_MSGMAP_ENTRY* PASCAL CCmdTarget::FindMessageEntry(const AFX_MSGMAP_ENTRY* lpEntry, UINT nMsg, UINT nCode,
                                                            UINT nID) {
    for (; lpEntry->pfnThunk != NULL; lpEntry++) {
        if (lpEntry->nMessage == nMsg && lpEntry->nCode == nCode && nID >= lpEntry->nID && nID <= lpEntry->nLastID)
            return lpEntry;
    }
    return NULL;
}

BOOL CCmdTarget::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
    // nCode packs the message in its high word (WM_NOTIFY, reflected forms);
    // CN_UPDATE_COMMAND_UI (-1) stays whole.
    UINT nMsg = 0;
    UINT nCodeLookup = (UINT)nCode;
    if ((UINT)nCode != CN_UPDATE_COMMAND_UI) {
        nMsg = HIWORD(nCode);
        nCodeLookup = LOWORD(nCode);
    }
    if (nMsg == 0) nMsg = WM_COMMAND;

    for (const AFX_MSGMAP* pMap = GetMessageMap(); pMap != NULL;
         pMap = pMap->pfnGetBaseMap != NULL ? pMap->pfnGetBaseMap() : NULL) {
        const AFX_MSGMAP_ENTRY* pEntry = FindMessageEntry(pMap->lpEntries, nMsg, nCodeLookup, nID);
        if (pEntry != NULL) {
            if (pHandlerInfo != NULL) {
                pHandlerInfo->pTarget = this;
                pHandlerInfo->pmf = pEntry->pfn;
                return TRUE;
            }
            AFX_CALL call = {nMsg, 0, 0, nID, nCodeLookup, pExtra};
            return pEntry->pfnThunk(this, pEntry->pfn, call) != 0;
        }
        if (pMap->pfnGetBaseMap == NULL) break;
    }
    return FALSE;
}

void CCmdTarget::BeginWaitCursor() {
    AFX_THREAD_STATE* pState = AfxGetThreadState();
    HCURSOR hcurPrev = ::SetCursor(::LoadCursor(NULL, IDC_WAIT));
    if (pState->m_nWaitCursorCount++ == 0) pState->m_hcurWaitCursorRestore = hcurPrev;
}

void CCmdTarget::EndWaitCursor() {
    AFX_THREAD_STATE* pState = AfxGetThreadState();
    if (pState->m_nWaitCursorCount <= 0) return;
    if (--pState->m_nWaitCursorCount == 0) ::SetCursor(pState->m_hcurWaitCursorRestore);
}

void CCmdTarget::RestoreWaitCursor() {
    if (AfxGetThreadState()->m_nWaitCursorCount > 0) ::SetCursor(::LoadCursor(NULL, IDC_WAIT));
}

CWaitCursor::CWaitCursor() {
    CCmdTarget t;
    t.BeginWaitCursor();
}

CWaitCursor::~CWaitCursor() {
    CCmdTarget t;
    t.EndWaitCursor();
}

void CWaitCursor::Restore() {
    CCmdTarget t;
    t.RestoreWaitCursor();
}

// --- CCmdUI -----------------------------------------------------------------

CCmdUI::CCmdUI()
    : m_nID(0), m_nIndex(0), m_pMenu(NULL), m_pSubMenu(NULL), m_pOther(NULL), m_bEnableChanged(FALSE),
      m_bContinueRouting(FALSE), m_nIndexMax(0), m_pParentMenu(NULL) {}

void CCmdUI::Enable(BOOL bOn) {
    if (m_pMenu != NULL) {
        if (m_pSubMenu != NULL) return;  // popups are not enabled through their items
        m_pMenu->EnableMenuItem(m_nIndex, MF_BYPOSITION | (bOn ? MF_ENABLED : (MF_DISABLED | MF_GRAYED)));
    } else if (m_pOther != NULL) {
        // a control losing its enabled state passes the focus on first
        if (!bOn && ::GetFocus() == m_pOther->m_hWnd) {
            HWND hWndParent = ::GetParent(m_pOther->m_hWnd);
            if (hWndParent != NULL) ::SendMessage(hWndParent, WM_NEXTDLGCTL, 0, FALSE);
        }
        ::EnableWindow(m_pOther->m_hWnd, bOn);
    }
    m_bEnableChanged = TRUE;
}

void CCmdUI::SetCheck(int nCheck) {
    if (m_pMenu != NULL) {
        if (m_pSubMenu != NULL) return;
        m_pMenu->CheckMenuItem(m_nIndex, MF_BYPOSITION | (nCheck ? MF_CHECKED : MF_UNCHECKED));
    } else if (m_pOther != NULL) {
        if (::SendMessage(m_pOther->m_hWnd, WM_GETDLGCODE, 0, 0) & DLGC_BUTTON)
            ::SendMessage(m_pOther->m_hWnd, BM_SETCHECK, nCheck, 0);
    }
}

void CCmdUI::SetRadio(BOOL bOn) {
    if (m_pMenu != NULL && m_pSubMenu == NULL) {
        if (bOn)
            m_pMenu->CheckMenuRadioItem(m_nIndex, m_nIndex, m_nIndex, MF_BYPOSITION);
        else
            m_pMenu->CheckMenuItem(m_nIndex, MF_BYPOSITION | MF_UNCHECKED);
        return;
    }
    SetCheck(bOn ? 1 : 0);
}

void CCmdUI::SetText(LPCTSTR lpszText) {
    if (lpszText == NULL) lpszText = _T("");
    if (m_pMenu != NULL) {
        if (m_pSubMenu != NULL) return;
        UINT nState = m_pMenu->GetMenuState(m_nIndex, MF_BYPOSITION) & (MF_CHECKED | MF_GRAYED | MF_DISABLED);
        m_pMenu->ModifyMenu(m_nIndex, MF_BYPOSITION | MF_STRING | nState, m_nID, lpszText);
    } else if (m_pOther != NULL) {
        CString strOld;
        m_pOther->GetWindowText(strOld);
        if (strOld != lpszText) ::SetWindowText(m_pOther->m_hWnd, lpszText);
    }
}

BOOL CCmdUI::DoUpdate(CCmdTarget* pTarget, BOOL bDisableIfNoHndler) {
    if (m_nID == 0 || LOWORD(m_nID) == 0xFFFF) return TRUE;  // separators and static items
    m_bEnableChanged = FALSE;
    BOOL bResult = pTarget->OnCmdMsg(m_nID, CN_UPDATE_COMMAND_UI, this, NULL);
    if (bDisableIfNoHndler && !m_bEnableChanged) {
        AFX_CMDHANDLERINFO info = {NULL, NULL};
        BOOL bHandler = pTarget->OnCmdMsg(m_nID, CN_COMMAND, this, &info);
        Enable(bHandler);
    }
    return bResult;
}

// --- the idle update of dialog controls ------------------------------------------------

void CWnd::UpdateDialogControls(CCmdTarget* pTarget, BOOL bDisableIfNoHndler) {
    CCmdUI state;
    CWnd wndTemp;  // a stand-in for controls without an object
    std::vector<HWND> children;
    for (HWND hWndChild = ::GetTopWindow(m_hWnd); hWndChild != NULL;
         hWndChild = ::GetNextWindow(hWndChild, GW_HWNDNEXT))
        children.push_back(hWndChild);
    for (HWND hWndChild : children) {
        if (!::IsWindow(hWndChild)) continue;
        state.m_nID = ::GetDlgCtrlID(hWndChild);
        CWnd* pWnd = CWnd::FromHandlePermanent(hWndChild);
        wndTemp.m_hWnd = hWndChild;
        state.m_pOther = pWnd != NULL ? pWnd : &wndTemp;

        // A control that updates itself through a reflected handler is done.
        if (pWnd != NULL && pWnd->CWnd::OnCmdMsg(0, MAKELONG((WORD)CN_UPDATE_COMMAND_UI, WM_COMMAND + WM_REFLECT_BASE),
                                                 &state, NULL))
            continue;

        // Check boxes, radio buttons and group boxes are not disabled only
        // because no command handler exists.
        BOOL bDisableTemp = bDisableIfNoHndler;
        if (bDisableTemp && (::SendMessage(hWndChild, WM_GETDLGCODE, 0, 0) & DLGC_BUTTON)) {
            UINT nStyle = (UINT)::GetWindowLong(hWndChild, GWL_STYLE) & 0x0F;
            if (nStyle == BS_AUTOCHECKBOX || nStyle == BS_AUTO3STATE || nStyle == BS_GROUPBOX ||
                nStyle == BS_AUTORADIOBUTTON)
                bDisableTemp = FALSE;
        }
        state.DoUpdate(pTarget, bDisableTemp);
    }
    wndTemp.m_hWnd = NULL;
}
