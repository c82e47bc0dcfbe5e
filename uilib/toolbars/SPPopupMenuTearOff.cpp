// SPPopupMenuTearOff.cpp - CSPPopupMenu: the tear-off caption of a menu
// marked for tearing off, and the floating toolbar the menu becomes when
// the caption is dragged away.
#include "SPPopupMenu.h"

#include "SPFrameImpl.h"
#include "SPGlobalData.h"
#include "SPMiniFrameWnd.h"
#include "SPTearOffManager.h"
#include "SPToolBar.h"
#include "SPToolbarMenuButton.h"
#include "SPUserToolsManager.h"

namespace {

// The menu button that opened the popup: a button on a bar, or the item of
// the parent popup whose submenu this is.
CSPToolbarMenuButton* OpeningButton(const CSPPopupMenu* pMenu) {
    if (pMenu->GetParentButton() != NULL) return pMenu->GetParentButton();
    CSPPopupMenu* pParent = pMenu->GetParentPopupMenu();
    if (pParent == NULL || pParent->GetMenuBar()->GetOpenSubMenu() != pMenu) return NULL;
    return DYNAMIC_DOWNCAST(CSPToolbarMenuButton,
                            pParent->GetMenuBar()->GetItem(pParent->GetMenuBar()->GetOpenSubMenuIndex()));
}

// Commands that make no sense on a toolbar of their own: the recent files,
// the system commands, the MDI windows, the OLE verbs and the stand-in of
// the user tools.
BOOL IsTearOffExcludedCommand(UINT uiCmd) {
    if (uiCmd >= ID_FILE_MRU_FIRST && uiCmd < ID_FILE_MRU_FIRST + 16) return TRUE;
    if (uiCmd >= 0xF000 && uiCmd < 0xF1F0) return TRUE;
    if (uiCmd >= 0xFF00) return TRUE;
    if (uiCmd >= 0xE210 && uiCmd < 0xE220) return TRUE;
    return g_pUserToolsManager != NULL && uiCmd == g_pUserToolsManager->GetToolsEntryCmd();
}

const UINT nIdsTearOffTip = 16028;
const UINT_PTR nTearOffToolId = 1;

const DWORD dwTearOffBarStyle = WS_CHILD | WS_VISIBLE | CBRS_GRIPPER | CBRS_TOP | CBRS_HIDE_INPLACE;

}  // namespace

BOOL CSPPopupMenu::HasTearOffCaption() const {
    if (g_bCustomizeMode) return FALSE;
    CSPToolbarMenuButton* pButton = OpeningButton(this);
    return pButton != NULL && pButton->IsTearOffMenu();
}

// --- the caption ------------------------------------------------------------------

void CSPPopupMenu::UpdateTearOffToolTip() {
    if (m_rectTearOffCaption.IsRectEmpty()) {
        if (m_wndTearOffToolTip.GetSafeHwnd() != NULL) m_wndTearOffToolTip.DelTool(this, nTearOffToolId);
        return;
    }
    if (m_wndTearOffToolTip.GetSafeHwnd() == NULL) {
        if (!m_wndTearOffToolTip.Create(this, TTS_ALWAYSTIP)) return;
        m_wndTearOffToolTip.Activate(TRUE);
    }
    CString strTip;
    if (!strTip.LoadString(nIdsTearOffTip)) strTip = _T("Drag to make this menu float");
    m_wndTearOffToolTip.DelTool(this, nTearOffToolId);
    m_wndTearOffToolTip.AddTool(this, strTip, m_rectTearOffCaption, nTearOffToolId);
}

BOOL CSPPopupMenu::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    const NMHDR* pHdr = (const NMHDR*)lParam;
    if (pHdr != NULL && m_wndTearOffToolTip.GetSafeHwnd() != NULL && pHdr->hwndFrom == m_wndTearOffToolTip.GetSafeHwnd() &&
        (pHdr->code == TTN_SHOW || pHdr->code == TTN_POP)) {
        // The caption lights up while its tip is shown (and while pressed).
        const BOOL bActive = pHdr->code == TTN_SHOW || m_bTearOffTracking;
        if (bActive != m_bIsTearOffCaptionActive) {
            m_bIsTearOffCaptionActive = bActive;
            InvalidateRect(m_rectTearOffCaption);
        }
    }
    return CMiniFrameWnd::OnNotify(wParam, lParam, pResult);
}

void CSPPopupMenu::OnLButtonDown(UINT nFlags, CPoint point) {
    if (!g_bCustomizeMode && m_rectTearOffCaption.PtInRect(point)) {
        m_bTearOffTracking = TRUE;
        m_bIsTearOffCaptionActive = TRUE;
        InvalidateRect(m_rectTearOffCaption);
        SetCapture();
        return;
    }
    CMiniFrameWnd::OnLButtonDown(nFlags, point);
}

void CSPPopupMenu::OnMouseMove(UINT nFlags, CPoint point) {
    if (m_bTearOffTracking && !m_rectTearOffCaption.PtInRect(point)) {
        m_bTearOffTracking = FALSE;
        m_bIsTearOffCaptionActive = FALSE;
        if (::GetCapture() == GetSafeHwnd()) ::ReleaseCapture();
        ClientToScreen(&point);
        TearOff(point);
        return;
    }
    CMiniFrameWnd::OnMouseMove(nFlags, point);
    TrackScrollButtons(point);
}

void CSPPopupMenu::OnLButtonUp(UINT nFlags, CPoint point) {
    if (m_bTearOffTracking) {
        m_bTearOffTracking = FALSE;
        m_bIsTearOffCaptionActive = FALSE;
        if (::GetCapture() == GetSafeHwnd()) ::ReleaseCapture();
        InvalidateRect(m_rectTearOffCaption);
        return;
    }
    CMiniFrameWnd::OnLButtonUp(nFlags, point);
}

// --- tearing off -------------------------------------------------------------------

BOOL CSPPopupMenu::TearOff(CPoint point) {
    CSPToolbarMenuButton* pButton = OpeningButton(this);
    if (pButton == NULL || !pButton->IsTearOffMenu()) return FALSE;
    const UINT uiID = pButton->GetTearOffID();

    CFrameWnd* pFrame = NULL;
    if (CWnd* pMessageWnd = GetMessageWnd()) pFrame = pMessageWnd->GetTopLevelFrame();
    if (pFrame == NULL && GetOwner() != NULL) pFrame = GetOwner()->GetTopLevelFrame();
    if (pFrame == NULL) pFrame = CSPFrameImpl::GetMainFrame();
    CSPFrameImpl* pImpl = CSPFrameImpl::FromFrame(pFrame);
    if (pImpl == NULL) return FALSE;

    CSPBaseControlBar* pBar = pImpl->FindTearOffBar(uiID);
    if (pBar != NULL) {
        // Torn off before: the bar comes to the cursor.
        CRect rect;
        pBar->GetWindowRect(rect);
        rect.OffsetRect(point - rect.TopLeft());
        pBar->ShowWindow(SW_SHOWNOACTIVATE);
        if (CSPMiniFrameWnd* pMini = pBar->GetParentMiniFrame(TRUE))
            pMini->SetWindowPos(NULL, rect.left, rect.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE |
                                                                  SWP_SHOWWINDOW);
        else
            pBar->FloatControlBar(rect, SP_DM_RECT, true);
        pFrame->RecalcLayout();
        CloseMenu();
        return TRUE;
    }

    CString strName = pButton->m_strText;
    strName.Remove(_T('&'));
    pBar = CreateTearOffBar(pFrame, uiID, strName);
    if (pBar == NULL) return FALSE;
    pImpl->AddTearOffBar(pBar);
    // A bar floats from a dock bar.
    pImpl->DockControlBar(pBar, 0, NULL);

    pBar->OnUpdateCmdUI(pFrame, TRUE);
    const CSize size = pBar->CalcFixedLayout(FALSE, TRUE);
    pBar->FloatControlBar(CRect(point, size), SP_DM_RECT, true);
    pBar->AdjustLayout();
    pFrame->RecalcLayout();

    CSPMiniFrameWnd* pMini = pBar->GetParentMiniFrame(TRUE);
    if (pMini != NULL && pMini->TrackTearOff(this)) {
        // Closing the menus may have hidden the floating frames with them.
        if (::IsWindow(pMini->GetSafeHwnd())) {
            pBar->ShowWindow(SW_SHOWNOACTIVATE);
            pMini->ShowWindow(SW_SHOWNOACTIVATE);
        }
        return TRUE;
    }

    // Cancelled: the drag took the frame and the bar's window with it; the
    // object and its places in the frame's lists go here.
    pImpl->RemoveTearOffBar(pBar);
    pImpl->RemoveControlBarFromDockManager(pBar, FALSE);
    if (pBar->GetSafeHwnd() != NULL) pBar->DestroyWindow();
    delete pBar;
    pFrame->RecalcLayout();
    return FALSE;
}

CSPBaseControlBar* CSPPopupMenu::CreateTearOffBar(CFrameWnd* pWndMain, UINT uiID, LPCTSTR lpszName) {
    if (pWndMain == NULL || uiID == 0) return NULL;
    CSPToolBar* pBar = new CSPToolBar;
    if (!pBar->Create(pWndMain, dwTearOffBarStyle, uiID)) {
        delete pBar;
        return NULL;
    }
    pBar->SetWindowText(lpszName);

    const int nCount = m_hMenu != NULL ? ::GetMenuItemCount(m_hMenu) : 0;
    for (int i = 0; i < nCount; i++) {
        const UINT uiCmd = ::GetMenuItemID(m_hMenu, i);
        CString strText;
        {
            char szText[512] = {0};
            ::GetMenuStringA(m_hMenu, i, szText, sizeof(szText) - 1, MF_BYPOSITION);
            strText = szText;
        }
        if (uiCmd == 0) {
            if (i < nCount - 1) pBar->InsertSeparator();
        } else if (uiCmd == (UINT)-1) {
            HMENU hSub = ::GetSubMenu(m_hMenu, i);
            const UINT uiSubTearOff =
                g_pTearOffMenuManager != NULL ? g_pTearOffMenuManager->ParseTearOffTag(strText) : 0;
            const int iTab = strText.Find(_T('\t'));
            if (iTab >= 0) strText = strText.Left(iTab);
            CSPToolbarMenuButton button(0, hSub, -1, strText);
            button.m_bText = TRUE;
            button.SetTearOff(uiSubTearOff);
            pBar->InsertButton(new CSPToolbarMenuButton(button));
        } else if (!IsTearOffExcludedCommand(uiCmd)) {
            const int iTab = strText.Find(_T('\t'));
            if (iTab >= 0) strText = strText.Left(iTab);
            CSPToolbarButton* pButton = new CSPToolbarButton(uiCmd, -1, strText);
            pButton->m_bText = TRUE;
            pBar->InsertButton(pButton);
        }
    }
    pBar->SetControlBarStyle(pBar->GetControlBarStyle() | CBRS_TOOLTIPS | CBRS_FLYBY | CBRS_SIZE_DYNAMIC);
    pBar->EnableDocking(CBRS_ALIGN_ANY);
    return pBar;
}
