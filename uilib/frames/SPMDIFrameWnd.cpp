#include "SPMDIFrameWnd.h"

#include "SPWindowsDlg.h"

IMPLEMENT_DYNCREATE(CSPMDIFrameWnd, CMDIFrameWnd)

CSPMDIFrameWnd::CSPMDIFrameWnd()
    : m_pDocumentTabs(NULL), m_uiDefaultAccelResId(0), m_uiWindowsDlgMenuId(0), m_bShowWindowsDlgAlways(FALSE),
      m_bShowWindowsDlgHelpButton(FALSE) {}

CSPMDIFrameWnd::~CSPMDIFrameWnd() {}

BOOL CSPMDIFrameWnd::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd, CCreateContext* pContext) {
    // A failed load has deleted the frame: nothing of it may be touched then.
    if (!CMDIFrameWnd::LoadFrame(nIDResource, dwDefaultStyle, pParentWnd, pContext)) return FALSE;
    m_uiDefaultAccelResId = m_hAccelTable != NULL ? nIDResource : 0;
    // The saved user interface comes back once the frame is complete.
    m_Impl.OnLoadFrame();
    return TRUE;
}

// --- the "Windows" dialog ----------------------------------------------------------------

void CSPMDIFrameWnd::EnableWindowsDialog(UINT uiCmdID, LPCTSTR lpszMenuText, BOOL bShowAllways,
                                         BOOL bShowHelpButton) {
    m_uiWindowsDlgMenuId = uiCmdID;
    m_strWindowsDlgMenuText = lpszMenuText != NULL ? lpszMenuText : _T("");
    m_bShowWindowsDlgAlways = bShowAllways;
    m_bShowWindowsDlgHelpButton = bShowHelpButton;
}

void CSPMDIFrameWnd::EnableWindowsDialog(UINT uiCmdID, UINT uiMenuTextResID, BOOL bShowAllways,
                                         BOOL bShowHelpButton) {
    CString strText;
    strText.LoadString(uiMenuTextResID);
    EnableWindowsDialog(uiCmdID, strText, bShowAllways, bShowHelpButton);
}

void CSPMDIFrameWnd::ShowWindowsDialog() {
    CSPWindowsDlg dlg(this, m_bShowWindowsDlgHelpButton);
    dlg.DoModal();
}

BOOL CSPMDIFrameWnd::OnCommand(WPARAM wParam, LPARAM lParam) {
    // The "Windows..." item, and the system's "More Windows..." entry it
    // replaces, open the library's dialog.
    const UINT uiCmd = LOWORD(wParam);
    if (m_uiWindowsDlgMenuId != 0 && (uiCmd == m_uiWindowsDlgMenuId || uiCmd == AFX_IDM_FIRST_MDICHILD + 9)) {
        ShowWindowsDialog();
        return TRUE;
    }
    return CSPDockingFrame<CMDIFrameWnd>::OnCommand(wParam, lParam);
}
