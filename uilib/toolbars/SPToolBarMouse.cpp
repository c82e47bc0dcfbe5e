// SPToolBarMouse.cpp - CSPToolBar as a row of push buttons and menu titles:
// hot tracking, pressing and releasing, menu buttons' popups, mnemonics,
// focus and the status-line prompts.
#include "SPToolBar.h"

#include "SPKeyboardManager.h"
#include "SPMenuSounds.h"
#include "SPTrackMouse.h"
#include "SPUserToolsManager.h"

namespace {

const UINT nPromptSysFirst = 0xEF00;
const UINT nPromptFrameworkIds = 0xEF1F;

BOOL IsValidCommand(UINT nID) { return nID != 0 && nID != (UINT)-1; }

// The window still holds this very object: a command the bar sent may have
// destroyed it.
BOOL StillAlive(HWND hWnd, const CWnd* pWnd) {
    return ::IsWindow(hWnd) && CWnd::FromHandlePermanent(hWnd) == pWnd;
}

}  // namespace

BOOL CSPToolBar::s_bAltCustomization = FALSE;
BOOL CSPToolBar::s_bAltCustomizing = FALSE;

CWnd* CSPToolBar::GetOwnerOrParent() const {
    CWnd* pWnd = GetOwner();
    return pWnd != NULL ? pWnd : GetParent();
}

void CSPToolBar::ShowCommandMessageString(UINT uiCmdId) {
    if (m_hookMouseHelp != NULL) return;
    UINT nPrompt = uiCmdId;
    if (uiCmdId == (UINT)-1)
        nPrompt = AFX_IDS_IDLEMESSAGE;
    else if (uiCmdId >= 0xF000 && uiCmdId < 0xF1F0)
        nPrompt = nPromptSysFirst + (uiCmdId - 0xF000) / 16;
    else if (uiCmdId >= 0xFF00)
        nPrompt = nPromptFrameworkIds;
    CWnd* pTarget = GetOwnerOrParent();
    if (pTarget != NULL && pTarget->GetSafeHwnd() != NULL) pTarget->SendMessage(WM_SETMESSAGESTRING, nPrompt, 0);
}

// --- hot tracking -----------------------------------------------------------------

void CSPToolBar::OnMouseMove(UINT nFlags, CPoint point) {
    if (IsTracking()) {
        CSPBaseToolBar::OnMouseMove(nFlags, point);
        return;
    }
    if (g_bCustomizeMode && !m_bLocked) {
        if (m_bStretchButton) TrackStretch(point);
        return;
    }
    if (abs(point.x - m_ptLastMouse.x) < 1 && abs(point.y - m_ptLastMouse.y) < 1) return;
    m_ptLastMouse = point;

    const int iPrevHighlighted = m_iHighlighted;
    m_iHighlighted = HitTest(point);
    if (m_iHighlighted < 0 && GetFocus() == this) {
        // Keyboard navigation owns the highlight.
        m_iHighlighted = iPrevHighlighted;
        return;
    }
    CSPToolbarButton* pHot = GetButton(m_iHighlighted);
    if (pHot != NULL && (pHot->IsSeparator() || ((pHot->m_nStyle & TBBS_DISABLED) && !AllowSelectDisabled()))) {
        m_iHighlighted = -1;
        pHot = NULL;
    }

    if (!m_bTracked) {
        TRACKMOUSEEVENT tme = {sizeof(tme), TME_LEAVE, m_hWnd, 0};
        SPTrackMouse(&tme);
        m_bTracked = TRUE;
    }

    if (iPrevHighlighted != m_iHighlighted) {
        const BOOL bPressed = m_iButtonCapture >= 0;
        if (bPressed) {
            const UINT nStyle = GetButtonStyle(m_iButtonCapture) & ~TBBS_PRESSED;
            SetButtonStyle(m_iButtonCapture, m_iHighlighted == m_iButtonCapture ? nStyle | TBBS_PRESSED : nStyle);
        }
        BOOL bRedrawn = FALSE;
        if (m_bMenuMode || !bPressed || iPrevHighlighted == m_iButtonCapture) {
            InvalidateButton(iPrevHighlighted);
            bRedrawn = TRUE;
        }
        if (m_bMenuMode || !bPressed || m_iHighlighted == m_iButtonCapture) {
            InvalidateButton(m_iHighlighted);
            bRedrawn = TRUE;
        }
        if (pHot != NULL && (m_bMenuMode || !bPressed || m_iHighlighted == m_iButtonCapture))
            ShowCommandMessageString(pHot->m_nID);
        else if ((!bPressed || (m_bMenuMode && pHot == NULL)) && m_hookMouseHelp == NULL)
            ShowCommandMessageString((UINT)-1);
        OnChangeHot(m_iHighlighted);
        if (bRedrawn && GetSafeHwnd() != NULL) UpdateWindow();
    }
    CSPBaseToolBar::OnMouseMove(nFlags, point);
}

void CSPToolBar::OnChangeHot(int iHot) {
    if (iHot == m_iHot && m_iHot >= 0) iHot = -1;
    m_iHot = iHot;

    int iDropped = -1;
    CSPToolbarMenuButton* pDropped = GetDroppedDownMenu(&iDropped);
    if (!g_bCustomizeMode && pDropped == NULL) return;

    CSPToolbarButton* pButton = GetButton(iHot);
    if (pButton == NULL) {
        m_iHot = -1;
        if (g_bCustomizeMode && !s_bAltCustomizing && pDropped != NULL) pDropped->OnCancelMode();
        return;
    }

    if (pButton == pDropped) {
        if (g_bCustomizeMode) pDropped->OnCancelMode();
    } else {
        if (pDropped != NULL) {
            if (!g_bCustomizeMode) {
                const int iSaved = m_iHighlighted;
                m_iHighlighted = -1;
                pDropped->OnCancelMode();
                m_iHighlighted = iSaved;
            } else {
                pDropped->OnCancelMode();
            }
        }
        CSPToolbarMenuButton* pMenuButton = DYNAMIC_DOWNCAST(CSPToolbarMenuButton, pButton);
        if (pMenuButton != NULL) pMenuButton->OnClick(this, TRUE);
    }

    if (g_bCustomizeMode && m_iDragIndex < 0) {
        InvalidateButton(m_iHighlighted);
        const int iOldSelected = m_iSelected;
        m_iSelected = pButton->IsSeparator() ? -1 : m_iHot;
        InvalidateButton(iOldSelected);
        InvalidateButton(m_iSelected);
    }

    if (m_iHot >= 0 && m_iHot != m_iHighlighted) {
        InvalidateButton(m_iHighlighted);
        InvalidateButton(m_iHot);
        m_iHighlighted = m_iHot;
        if (GetSafeHwnd() != NULL) UpdateWindow();
    }
}

BOOL CSPToolBar::SetHotButtonForMenu(CSPToolbarButton* pButton) {
    if (pButton == NULL) {
        m_iHot = -1;
        return TRUE;
    }
    const int iIndex = ButtonToIndex(pButton);
    if (iIndex < 0) return FALSE;
    if (iIndex != m_iHot) OnChangeHot(iIndex);
    return TRUE;
}

BOOL CSPToolBar::DropDownMenu(CSPToolbarButton* pButton) {
    CSPToolbarMenuButton* pMenuButton = DYNAMIC_DOWNCAST(CSPToolbarMenuButton, pButton);
    if (pMenuButton == NULL || !pMenuButton->OnClick(this, TRUE)) return FALSE;
    if (pMenuButton->m_pPopupMenu != NULL) pMenuButton->SendKeyToPopup(VK_HOME);
    SetHotButtonForMenu(pMenuButton);
    return TRUE;
}

CSPToolbarMenuButton* CSPToolBar::GetDroppedDownMenu(int* pIndex) const {
    int i = 0;
    for (POSITION pos = m_Buttons.GetHeadPosition(); pos != NULL; i++) {
        CSPToolbarMenuButton* pMenuButton = DYNAMIC_DOWNCAST(CSPToolbarMenuButton, m_Buttons.GetNext(pos));
        if (pMenuButton != NULL && pMenuButton->IsDroppedDown()) {
            if (pIndex != NULL) *pIndex = i;
            return pMenuButton;
        }
    }
    if (pIndex != NULL) *pIndex = -1;
    return NULL;
}

BOOL CSPToolBar::ProcessCommand(CSPToolbarButton* pButton) {
    if (pButton == NULL || !IsValidCommand(pButton->m_nID)) return FALSE;
    SPPlayMenuSound(SP_SOUND_MENU_COMMAND);
    AddCommandUsage(pButton->m_nID);
    CWnd* pTarget = GetOwnerOrParent();
    if (pTarget != NULL) pTarget->PostMessage(WM_COMMAND, pButton->m_nID, 0);
    return TRUE;
}

BOOL CSPToolBar::FindButtonByMnemonic(UINT nChar) {
    CSPToolbarButton* pButton = NULL;
    if (!m_AcellKeys.Lookup(CSPKeyboardManager::TranslateCharToUpper(nChar), pButton) || pButton == NULL)
        return FALSE;
    // The popup opens at once: an animation would lag behind the key.
    const int nAnimation = m_nMenuAnimation;
    m_nMenuAnimation = 0;
    const BOOL bDropped = DropDownMenu(pButton);
    m_nMenuAnimation = nAnimation;
    return bDropped ? TRUE : ProcessCommand(pButton);
}

BOOL CSPToolBar::StepHotMenuButton(int nStep) {
    int iDropped = -1;
    CSPToolbarMenuButton* pDropped = GetDroppedDownMenu(&iDropped);
    if (pDropped == NULL) return FALSE;
    const int nCount = GetCount();
    for (int n = 1; n < nCount; n++) {
        const int i = ((iDropped + n * nStep) % nCount + nCount) % nCount;
        CSPToolbarMenuButton* pMenuButton = DYNAMIC_DOWNCAST(CSPToolbarMenuButton, GetButton(i));
        if (pMenuButton == NULL || (pMenuButton->m_nStyle & TBBS_DISABLED)) continue;
        const int nAnimation = m_nMenuAnimation;
        m_nMenuAnimation = 0;
        OnChangeHot(i);
        m_nMenuAnimation = nAnimation;
        if (pMenuButton->m_pPopupMenu != NULL) pMenuButton->SendKeyToPopup(VK_HOME);
        break;
    }
    return TRUE;
}

BOOL CSPToolBar::GetPrevHotButton() { return StepHotMenuButton(-1); }
BOOL CSPToolBar::GetNextHotButton() { return StepHotMenuButton(1); }

void CSPToolBar::Deactivate() {
    if (GetButton(m_iHighlighted) != NULL) {
        const int iOld = m_iHighlighted;
        m_iHot = m_iHighlighted = -1;
        InvalidateButton(iOld);
        if (GetSafeHwnd() != NULL) UpdateWindow();
        ShowCommandMessageString((UINT)-1);
    }
    RestoreFocus();
}

void CSPToolBar::RestoreFocus() {
    if (m_hwndLastFocus != NULL && ::IsWindow(m_hwndLastFocus)) ::SetFocus(m_hwndLastFocus);
    m_hwndLastFocus = NULL;
}

// --- pressing and releasing -----------------------------------------------------------

void CSPToolBar::ReleaseBarCapture() {
    if (GetCapture() == this) ::ReleaseCapture();
    CWnd* pPrevious = m_pWndLastCapture;
    m_pWndLastCapture = NULL;
    if (pPrevious != NULL && ::IsWindow(pPrevious->GetSafeHwnd())) pPrevious->SetCapture();
}

void CSPToolBar::OnLButtonDown(UINT nFlags, CPoint point) {
    if (g_bCustomizeMode && m_pSelToolbar != this) {
        CSPToolBar* pOld = m_pSelToolbar;
        m_pSelToolbar = this;
        if (pOld != NULL && g_lstAllToolbars.Find(pOld) != NULL) {
            const int iOldSelected = pOld->m_iSelected;
            pOld->m_iSelected = -1;
            pOld->InvalidateButton(iOldSelected);
        }
    }

    const int iButton = HitTest(point);
    if (iButton >= 0) {
        s_bAltCustomizing = FALSE;
        if (!m_bLocked && !g_bCustomizeMode && s_bAltCustomization && IsAltKeyDown())
            s_bAltCustomizing = TRUE;
        if (!m_bLocked && (g_bCustomizeMode || s_bAltCustomizing)) {
            OnCustomizeClick(iButton, nFlags, point);
            return;
        }
        PressButton(iButton);
        return;
    }

    if (g_bCustomizeMode && !m_bLocked) {
        const int iOldSelected = m_iSelected;
        m_iSelected = -1;
        InvalidateButton(iOldSelected);
        OnChangeHot(-1);
    }
    m_iButtonCapture = -1;
    if (CanFloat() && m_hcurSizeAll != NULL) ::SetCursor(m_hcurSizeAll);
    CSPBaseToolBar::OnLButtonDown(nFlags, point);
}

BOOL CSPToolBar::IsAltKeyDown() const { return (::GetAsyncKeyState(VK_MENU) & 0x8000) != 0; }

void CSPToolBar::PressButton(int iButton) {
    m_iButtonCapture = iButton;
    UpdateButton(iButton);
    CSPToolbarButton* pButton = GetButton(iButton);
    if (pButton == NULL || ((pButton->m_nStyle & TBBS_DISABLED) && !pButton->CanBePressedDisabled())) {
        m_iButtonCapture = -1;
        return;
    }
    pButton->m_nStyle |= TBBS_PRESSED;
    InvalidateButton(iButton);
    UpdateWindow();
    ShowCommandMessageString(pButton->m_nID);

    const HWND hWnd = m_hWnd;
    if (pButton->OnClick(this, FALSE)) {
        if (!StillAlive(hWnd, this)) return;
        const int iIndex = ButtonToIndex(pButton);
        if (iIndex >= 0) pButton->m_nStyle &= ~TBBS_PRESSED;
        m_iButtonCapture = m_iHighlighted = -1;
        OnChangeHot(-1);
        InvalidateButton(iIndex);
        return;
    }
    if (!StillAlive(hWnd, this)) return;
    m_pWndLastCapture = SetCapture();
    if (m_pWndLastCapture == this) m_pWndLastCapture = NULL;
}

void CSPToolBar::OnLButtonUp(UINT nFlags, CPoint point) {
    if (g_bCustomizeMode && !m_bLocked) {
        if (m_bStretchButton) EndStretch(point);
        CSPBaseToolBar::OnLButtonUp(nFlags, point);
        return;
    }
    if (m_iButtonCapture < 0) {
        if (HitTest(point) < 0) CSPBaseToolBar::OnLButtonUp(nFlags, point);
        if (GetSafeHwnd() != NULL) ResumeHotTracking(point);
        return;
    }

    const int iPressed = m_iButtonCapture;
    ReleaseBarCapture();
    m_iHighlighted = HitTest(point);
    CSPToolbarButton* pButton = GetButton(iPressed);
    UINT nNewStyle = pButton != NULL ? pButton->m_nStyle & ~TBBS_PRESSED : 0;
    UINT nIDCmd = 0;
    if (pButton != NULL && m_iHighlighted == iPressed && HitTest(point) == iPressed) {
        UpdateButton(iPressed);
        pButton = GetButton(iPressed);
        nNewStyle = pButton != NULL ? pButton->m_nStyle & ~TBBS_PRESSED : 0;
        if (pButton != NULL && !(nNewStyle & TBBS_DISABLED)) {
            nIDCmd = pButton->m_nID;
            if (nNewStyle & TBBS_CHECKBOX) {
                nNewStyle &= ~TBBS_INDETERMINATE;
                nNewStyle ^= TBBS_CHECKED;
            }
        }
    }
    if (m_hookMouseHelp == NULL) ShowCommandMessageString((UINT)-1);
    m_iButtonCapture = m_iHighlighted = -1;
    RestoreFocus();

    const HWND hWnd = m_hWnd;
    if (pButton != NULL && HitTest(point) == iPressed && !OnSendCommand(pButton) && IsValidCommand(nIDCmd)) {
        InvalidateButton(iPressed);
        UpdateWindow();
        AddCommandUsage(nIDCmd);
        if (!pButton->OnClickUp()) {
            if (g_pUserToolsManager != NULL && g_pUserToolsManager->IsUserToolCmd(nIDCmd)) {
                g_pUserToolsManager->InvokeTool(nIDCmd);
            } else {
                CWnd* pTarget = GetOwnerOrParent();
                if (pTarget != NULL) pTarget->SendMessage(WM_COMMAND, nIDCmd, 0);
            }
        }
    }
    // The command may have destroyed the bar, or emptied it.
    if (!StillAlive(hWnd, this)) return;
    if (iPressed < GetCount()) {
        SetButtonStyle(iPressed, nNewStyle);
        UpdateButton(iPressed);
        InvalidateButton(iPressed);
    }
    ResumeHotTracking(point);
}

void CSPToolBar::ResumeHotTracking(CPoint point) {
    m_ptLastMouse = CPoint(-1, -1);
    SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(point.x, point.y));
}

void CSPToolBar::OnLButtonDblClk(UINT nFlags, CPoint point) {
    const int iButton = HitTest(point);
    CSPToolbarButton* pButton = GetButton(iButton);
    if (pButton == NULL) {
        CSPBaseToolBar::OnLButtonDblClk(nFlags, point);
        return;
    }
    const HWND hWnd = m_hWnd;
    pButton->OnDblClk(this);
    if (StillAlive(hWnd, this)) OnLButtonDown(nFlags, point);
}

LRESULT CSPToolBar::OnMouseLeave(WPARAM, LPARAM) {
    if (m_hookMouseHelp != NULL) return 0;
    if (m_bMenuMode && !g_bCustomizeMode && GetDroppedDownMenu() != NULL) return 0;
    m_bTracked = FALSE;
    m_ptLastMouse = CPoint(-1, -1);
    if (m_iHighlighted >= 0 && GetFocus() != this) {
        const int iOld = m_iHighlighted;
        m_iHighlighted = -1;
        OnChangeHot(-1);
        InvalidateButton(iOld);
        UpdateWindow();
        ShowCommandMessageString((UINT)-1);
    }
    return 0;
}

void CSPToolBar::OnCancelMode() {
    CSPBaseToolBar::OnCancelMode();
    OnCancelToolbarMode();
}

void CSPToolBar::OnCancelToolbarMode() {
    if (m_bStretchButton) {
        m_bStretchButton = FALSE;
        m_rectTrack.SetRectEmpty();
        m_pDragButton = NULL;
        ReleaseBarCapture();
    }
    CSPToolbarButton* pPressed = GetButton(m_iButtonCapture);
    if (pPressed != NULL) {
        pPressed->m_nStyle &= ~TBBS_PRESSED;
        if (GetCapture() == this) ReleaseBarCapture();
    }
    m_iButtonCapture = m_iHighlighted = -1;
    OnChangeHot(-1);
    for (POSITION pos = m_Buttons.GetHeadPosition(); pos != NULL;)
        ((CSPToolbarButton*)m_Buttons.GetNext(pos))->OnCancelMode();
    m_bTracked = FALSE;
    m_ptLastMouse = CPoint(-1, -1);
    if (GetSafeHwnd() != NULL) Invalidate();
}

// --- keyboard and focus ---------------------------------------------------------------

BOOL CSPToolBar::OnEscapeKey() {
    if (m_bStretchButton) {
        OnCancelToolbarMode();
        return TRUE;
    }
    if (GetDroppedDownMenu() != NULL) return FALSE;
    Deactivate();
    RestoreFocus();
    return TRUE;
}

void CSPToolBar::OnSetFocus(CWnd* pOldWnd) {
    CSPBaseToolBar::OnSetFocus(pOldWnd);
    if (pOldWnd == NULL || pOldWnd == this) return;
    for (CWnd* pWnd = pOldWnd; pWnd != NULL; pWnd = pWnd->GetParent())
        if (DYNAMIC_DOWNCAST(CSPToolBar, CWnd::FromHandlePermanent(pWnd->GetSafeHwnd())) != NULL) return;
    m_hwndLastFocus = pOldWnd->GetSafeHwnd();
}

void CSPToolBar::OnKillFocus(CWnd* pNewWnd) {
    CSPBaseToolBar::OnKillFocus(pNewWnd);
    if (!g_bCustomizeMode) Deactivate();
}

BOOL CSPToolBar::IsLastCommandFromButton(CSPToolbarButton* pButton) {
    HWND hwndButton = pButton != NULL ? pButton->GetHwnd() : NULL;
    if (hwndButton == NULL) return FALSE;
    const MSG* pMsg = CWnd::GetCurrentMessage();
    return pMsg != NULL && (pMsg->hwnd == hwndButton || (HWND)pMsg->lParam == hwndButton);
}

// --- the common-control toolbar queries -----------------------------------------------

LRESULT CSPToolBar::OnToolbarQuery(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case TB_BUTTONCOUNT:
        return GetCount();
    case TB_GETITEMRECT: {
        CSPToolbarButton* pButton = GetButton((int)wParam);
        if (pButton == NULL || lParam == 0) return FALSE;
        *(RECT*)lParam = pButton->Rect();
        return TRUE;
    }
    case TB_GETBUTTON: {
        CSPToolbarButton* pButton = GetButton((int)wParam);
        if (pButton == NULL || lParam == 0) return FALSE;
        TBBUTTON* pInfo = (TBBUTTON*)lParam;
        memset(pInfo, 0, sizeof(TBBUTTON));
        pInfo->idCommand = (int)pButton->m_nID;
        pInfo->fsState = (BYTE)((pButton->m_nStyle >> 16) & 0xFF);
        pInfo->fsStyle = (BYTE)(pButton->m_nStyle & 0xFF);
        return TRUE;
    }
    case TB_GETBUTTONTEXTA: {
        const int iIndex = CommandToIndex((UINT)wParam);
        CSPToolbarButton* pButton = GetButton(iIndex);
        if (pButton == NULL) return -1;
        if (lParam != 0) lstrcpyA((LPSTR)lParam, pButton->m_strText);
        return pButton->m_strText.GetLength();
    }
    }
    return 0;
}

LRESULT CSPToolBar::OnTbButtonCount(WPARAM wParam, LPARAM lParam) {
    return OnToolbarQuery(TB_BUTTONCOUNT, wParam, lParam);
}
LRESULT CSPToolBar::OnTbGetItemRect(WPARAM wParam, LPARAM lParam) {
    return OnToolbarQuery(TB_GETITEMRECT, wParam, lParam);
}
LRESULT CSPToolBar::OnTbGetButton(WPARAM wParam, LPARAM lParam) {
    return OnToolbarQuery(TB_GETBUTTON, wParam, lParam);
}
LRESULT CSPToolBar::OnTbGetButtonText(WPARAM wParam, LPARAM lParam) {
    return OnToolbarQuery(TB_GETBUTTONTEXTA, wParam, lParam);
}
