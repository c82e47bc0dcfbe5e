// SPToolBarCmdUI.cpp - the toolbar's command update: the command-UI object
// and the bar's idle update of its buttons.
#include "SPToolBarCmdUI.h"

#include "SPToolBar.h"
#include "SPUserToolsManager.h"

CSPToolBarCmdUI::CSPToolBarCmdUI(CSPToolBar* pBar, int nIndex) {
    m_pOther = pBar;
    m_nIndexMax = (UINT)pBar->GetCount();
    m_nIndex = (UINT)nIndex;
    m_nID = pBar->GetItemID(nIndex);
}

CSPToolBar* CSPToolBarCmdUI::Bar() const { return static_cast<CSPToolBar*>(m_pOther); }

void CSPToolBarCmdUI::Enable(BOOL bOn) {
    m_bEnableChanged = TRUE;
    UINT nStyle = Bar()->GetButtonStyle((int)m_nIndex) & ~TBBS_DISABLED;
    if (!bOn) nStyle |= TBBS_DISABLED;
    Bar()->SetButtonStyle((int)m_nIndex, nStyle);
}

void CSPToolBarCmdUI::SetCheck(int nCheck) {
    if (nCheck > 2) nCheck = 1;
    UINT nStyle = Bar()->GetButtonStyle((int)m_nIndex) & ~(TBBS_CHECKED | TBBS_INDETERMINATE);
    if (nCheck == 1) nStyle |= TBBS_CHECKED;
    if (nCheck == 2) nStyle |= TBBS_INDETERMINATE;
    Bar()->SetButtonStyle((int)m_nIndex, nStyle | TBBS_CHECKBOX);
}

void CSPToolBarCmdUI::SetRadio(BOOL bOn) {
    SetCheck(bOn ? 1 : 0);
    CSPToolbarButton* pButton = Bar()->GetButton((int)m_nIndex);
    if (pButton != NULL) pButton->SetRadio();
}

// The text up to the first tab: what follows a tab is a menu's shortcut.
static CString BeforeTab(const CString& str) {
    const int iTab = str.Find('\t');
    return iTab >= 0 ? str.Left(iTab) : str;
}

void CSPToolBarCmdUI::SetText(LPCTSTR lpszText) {
    if (Bar()->IsIgnoreSetText()) return;
    CSPToolbarButton* pButton = Bar()->GetButton((int)m_nIndex);
    if (pButton == NULL) return;
    const CString strNew = BeforeTab(lpszText != NULL ? lpszText : "");
    if (BeforeTab(pButton->m_strText) == strNew) return;
    pButton->m_strText = strNew;
    Bar()->AdjustLayout();
}

// System commands and the framework's own ids are never a button's to update.
static BOOL IsFrameworkCommand(UINT nID) { return (nID >= 0xF000 && nID < 0xF1F0) || nID >= 0xFF00; }

static BOOL IsUserTool(UINT nID) { return g_pUserToolsManager != NULL && g_pUserToolsManager->IsUserToolCmd(nID); }

void CSPToolBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) {
    for (int i = 0; i < GetCount(); i++) {
        CSPToolbarButton* pButton = GetButton(i);
        if (pButton == NULL || pButton->IsSeparator() || pButton->m_nID == 0 || IsFrameworkCommand(pButton->m_nID))
            continue;
        CSPToolBarCmdUI state(this, i);
        state.DoUpdate(pTarget, IsUserTool(pButton->m_nID) ? FALSE : bDisableIfNoHndler);
        // An update may have removed buttons.
        if (i >= GetCount()) break;
    }
    UpdateDialogControls(pTarget, bDisableIfNoHndler && m_bDisableControlsIfNoHandler);
}

void CSPToolBar::UpdateButton(int nIndex) {
    CWnd* pTarget = GetCommandTarget();
    CSPToolbarButton* pButton = GetButton(nIndex);
    if (pTarget == NULL || pButton == NULL || IsFrameworkCommand(pButton->m_nID)) return;
    CFrameWnd* pFrame = DYNAMIC_DOWNCAST(CFrameWnd, pTarget);
    BOOL bDisable = pFrame != NULL ? pFrame->m_bAutoMenuEnable : FALSE;
    if (IsUserTool(pButton->m_nID)) bDisable = FALSE;
    CSPToolBarCmdUI state(this, nIndex);
    state.DoUpdate(pTarget, bDisable);
}

CWnd* CSPToolBar::GetCommandTarget() const {
    CWnd* pTarget = GetOwner();
    if (pTarget == NULL) pTarget = GetParent();
    if (m_bRouteCommandsViaFrame && pTarget != NULL && !pTarget->IsFrameWnd()) pTarget = NULL;
    if (pTarget == NULL) pTarget = GetParentFrame();
    return pTarget;
}
