#include "SPWindowsDlg.h"

#include "afxdocvw.h"

#include "SPGlobalData.h"
#include "SPMDIFrameWnd.h"

const UINT CSPWindowsDlg::SP_WM_WINDOW_HELP = ::RegisterWindowMessage(_T("WINDOW_HELP"));

BEGIN_MESSAGE_MAP(CSPWindowsDlg, CDialog)
    ON_BN_CLICKED(IDC_SP_WINDOWS_ACTIVATE, OnActivateWindow)
    ON_BN_CLICKED(IDC_SP_WINDOWS_SAVE, OnSave)
    ON_BN_CLICKED(IDC_SP_WINDOWS_CLOSE, OnCloseWindows)
    ON_BN_CLICKED(IDC_SP_WINDOWS_CASCADE, OnCascade)
    ON_BN_CLICKED(IDC_SP_WINDOWS_TILEHORZ, OnTileHorz)
    ON_BN_CLICKED(IDC_SP_WINDOWS_TILEVERT, OnTileVert)
    ON_BN_CLICKED(IDC_SP_WINDOWS_MINIMIZE, OnMinimize)
    ON_BN_CLICKED(ID_HELP, OnHelpButton)
    ON_LBN_SELCHANGE(IDC_SP_WINDOWS_LIST, OnSelChange)
    ON_LBN_DBLCLK(IDC_SP_WINDOWS_LIST, OnActivateWindow)
    ON_MESSAGE(WM_HELP, OnHelpMsg)
END_MESSAGE_MAP()

CSPWindowsDlg::CSPWindowsDlg(CSPMDIFrameWnd* pMDIFrame, BOOL bHelpButton)
    : CDialog(IDD_SP_WINDOW_LIST, pMDIFrame), m_pMDIFrame(pMDIFrame), m_bShowHelpButton(bHelpButton),
      m_bMDIActions(TRUE) {}

HWND CSPWindowsDlg::GetMDIClient() const { return m_pMDIFrame != NULL ? m_pMDIFrame->m_hWndMDIClient : NULL; }

BOOL CSPWindowsDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    m_wndList.m_pDlg = this;
    m_wndList.SubclassDlgItem(IDC_SP_WINDOWS_LIST, this);
    FillWindowList();
    if (!m_bMDIActions) {
        // A child without a system menu cannot be arranged.
        const int ids[] = {IDC_SP_WINDOWS_TILEHORZ, IDC_SP_WINDOWS_TILEVERT, IDC_SP_WINDOWS_CASCADE,
                           IDC_SP_WINDOWS_MINIMIZE};
        for (int nID : ids)
            if (CWnd* pButton = GetDlgItem(nID)) pButton->ShowWindow(SW_HIDE);
    }
    SelActive();
    UpdateButtons();
    if (CWnd* pHelp = GetDlgItem(ID_HELP)) pHelp->ShowWindow(m_bShowHelpButton ? SW_SHOW : SW_HIDE);
    return TRUE;
}

void CSPWindowsDlg::FillWindowList() {
    m_wndList.SetRedraw(FALSE);
    m_wndList.ResetContent();
    m_bMDIActions = TRUE;
    m_lstCloseDisabled.RemoveAll();
    HWND hClient = GetMDIClient();
    for (HWND hChild = hClient != NULL ? ::GetWindow(hClient, GW_CHILD) : NULL; hChild != NULL;
         hChild = ::GetWindow(hChild, GW_HWNDNEXT)) {
        // Icon titles and other helpers of the client are no documents.
        if (::GetWindow(hChild, GW_OWNER) != NULL) continue;
        TCHAR szText[257] = {0};
        ::GetWindowText(hChild, szText, 256);
        const int nItem = m_wndList.AddString(szText);
        if (nItem < 0) continue;
        m_wndList.SetItemData(nItem, (DWORD_PTR)hChild);

        HMENU hSysMenu = (::GetWindowLong(hChild, GWL_STYLE) & WS_SYSMENU) ? ::GetSystemMenu(hChild, FALSE) : NULL;
        if (hSysMenu == NULL) {
            m_bMDIActions = FALSE;
            continue;
        }
        MENUITEMINFO info = {};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_STATE;
        if (!::GetMenuItemInfo(hSysMenu, SC_CLOSE, FALSE, &info) || (info.fState & (MFS_DISABLED | MFS_GRAYED)))
            m_lstCloseDisabled.AddTail(hChild);
    }
    m_wndList.SetRedraw(TRUE);
    m_wndList.Invalidate();
}

void CSPWindowsDlg::SelActive() {
    m_wndList.SetSel(-1, FALSE);
    HWND hClient = GetMDIClient();
    HWND hActive = hClient != NULL ? (HWND)::SendMessage(hClient, WM_MDIGETACTIVE, 0, 0) : NULL;
    for (int i = 0; i < m_wndList.GetCount(); i++) {
        if ((HWND)m_wndList.GetItemData(i) == hActive) {
            m_wndList.SetSel(i, TRUE);
            break;
        }
    }
}

void CSPWindowsDlg::UpdateButtons() {
    const int nSel = m_wndList.GetSelCount();
    BOOL bClose = nSel > 0;
    for (int i = 0; bClose && i < m_wndList.GetCount(); i++)
        if (m_wndList.GetSel(i) > 0 && m_lstCloseDisabled.Find((HWND)m_wndList.GetItemData(i)) != NULL) bClose = FALSE;
    const struct {
        int nID;
        BOOL bEnable;
    } states[] = {
        {IDC_SP_WINDOWS_ACTIVATE, nSel == 1},
        {IDC_SP_WINDOWS_SAVE, nSel > 0},
        {IDC_SP_WINDOWS_CLOSE, bClose},
        {IDC_SP_WINDOWS_TILEHORZ, m_bMDIActions && nSel >= 2},
        {IDC_SP_WINDOWS_TILEVERT, m_bMDIActions && nSel >= 2},
        {IDC_SP_WINDOWS_CASCADE, m_bMDIActions && nSel >= 2},
        {IDC_SP_WINDOWS_MINIMIZE, m_bMDIActions && nSel > 0},
    };
    for (const auto& state : states)
        if (CWnd* pButton = GetDlgItem(state.nID)) pButton->EnableWindow(state.bEnable);
}

void CSPWindowsDlg::Refresh() {
    FillWindowList();
    SelActive();
    UpdateButtons();
}

void CSPWindowsDlg::OnSelChange() { UpdateButtons(); }

void CSPWindowsDlg::GetSelectedChildren(CArray<HWND, HWND>& children, BOOL bWithUnselected,
                                        CArray<BOOL, BOOL>* pSelected) {
    // From the bottom of the list up; windows that went meanwhile are left out.
    for (int i = m_wndList.GetCount() - 1; i >= 0; i--) {
        const BOOL bSelected = m_wndList.GetSel(i) > 0;
        HWND hChild = (HWND)m_wndList.GetItemData(i);
        if ((!bSelected && !bWithUnselected) || !::IsWindow(hChild) || ::GetParent(hChild) != GetMDIClient()) continue;
        children.Add(hChild);
        if (pSelected != NULL) pSelected->Add(bSelected);
    }
}

void CSPWindowsDlg::OnActivateWindow() {
    CWnd* pParent = GetParent();
    if (pParent != NULL) pParent->SetRedraw(FALSE);
    CArray<HWND, HWND> children;
    GetSelectedChildren(children, FALSE, NULL);
    const BOOL bOne = m_wndList.GetSelCount() == 1 && children.GetSize() == 1;
    if (bOne) {
        if (::IsIconic(children[0])) ::ShowWindow(children[0], SW_RESTORE);
        ::SendMessage(GetMDIClient(), WM_MDIACTIVATE, (WPARAM)children[0], 0);
    }
    if (pParent != NULL) {
        pParent->SetRedraw(TRUE);
        pParent->RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    }
    if (bOne) EndDialog(IDOK);
}

void CSPWindowsDlg::OnSave() {
    CArray<HWND, HWND> children;
    GetSelectedChildren(children, FALSE, NULL);
    for (int i = 0; i < children.GetSize(); i++) {
        if (!::IsWindow(children[i])) continue;  // a save may close other windows
        CFrameWnd* pFrame = DYNAMIC_DOWNCAST(CFrameWnd, CWnd::FromHandlePermanent(children[i]));
        CDocument* pDoc = pFrame != NULL ? pFrame->GetActiveDocument() : NULL;
        if (pDoc != NULL) pDoc->SaveModified();
    }
    Refresh();
}

void CSPWindowsDlg::OnCloseWindows() {
    m_wndList.SetRedraw(FALSE);
    CArray<HWND, HWND> children;
    GetSelectedChildren(children, FALSE, NULL);
    for (int i = 0; i < children.GetSize(); i++) {
        if (!::IsWindow(children[i])) continue;
        ::SendMessage(children[i], WM_CLOSE, 0, 0);
        // A refusal (an unsaved document kept) stops the closing.
        if (::IsWindow(children[i]) && ::GetParent(children[i]) == GetMDIClient()) break;
    }
    m_wndList.SetRedraw(TRUE);
    Refresh();
}

// The window animation off for the time of an arrangement: each minimised
// or restored child would animate on its own.
class CSPNoWindowAnimation {
public:
    CSPNoWindowAnimation() : m_bChanged(FALSE) {
        m_info.cbSize = sizeof(m_info);
        if (::SystemParametersInfo(SPI_GETANIMATION, sizeof(m_info), &m_info, 0) && m_info.iMinAnimate != 0) {
            ANIMATIONINFO off = m_info;
            off.iMinAnimate = 0;
            m_bChanged = ::SystemParametersInfo(SPI_SETANIMATION, sizeof(off), &off, 0);
        }
    }
    ~CSPNoWindowAnimation() {
        if (m_bChanged) ::SystemParametersInfo(SPI_SETANIMATION, sizeof(m_info), &m_info, 0);
    }

private:
    ANIMATIONINFO m_info;
    BOOL m_bChanged;
};

void CSPWindowsDlg::Arrange(UINT uMsg, WPARAM wParam) {
    HWND hClient = GetMDIClient();
    if (hClient == NULL) return;
    BeginWaitCursor();
    {
        CSPNoWindowAnimation noAnimation;
        ::LockWindowUpdate(hClient);
        CArray<HWND, HWND> children;
        CArray<BOOL, BOOL> selected;
        GetSelectedChildren(children, TRUE, &selected);
        for (int i = 0; i < children.GetSize(); i++) {
            if (selected[i])
                ::ShowWindow(children[i], SW_RESTORE);
            else
                ::ShowWindow(children[i], SW_MINIMIZE);
        }
        ::SendMessage(hClient, uMsg, wParam, 0);
        ::LockWindowUpdate(NULL);
    }
    EndWaitCursor();
}

void CSPWindowsDlg::OnCascade() { Arrange(WM_MDICASCADE, 0); }

void CSPWindowsDlg::OnTileHorz() { Arrange(WM_MDITILE, MDITILE_HORIZONTAL); }

void CSPWindowsDlg::OnTileVert() { Arrange(WM_MDITILE, MDITILE_VERTICAL); }

void CSPWindowsDlg::OnMinimize() {
    CSPNoWindowAnimation noAnimation;
    m_wndList.SetRedraw(FALSE);
    CArray<HWND, HWND> children;
    GetSelectedChildren(children, FALSE, NULL);
    for (int i = 0; i < children.GetSize(); i++) ::ShowWindow(children[i], SW_MINIMIZE);
    m_wndList.SetRedraw(TRUE);
    Refresh();
}

void CSPWindowsDlg::OnHelpButton() {
    CWnd* pMain = AfxGetMainWnd();
    if (pMain != NULL) pMain->SendMessage(SP_WM_WINDOW_HELP, 0, (LPARAM)this);
}

LRESULT CSPWindowsDlg::OnHelpMsg(WPARAM, LPARAM) {
    OnHelpButton();
    return FALSE;
}

void CSPWindowsList::DrawItem(LPDRAWITEMSTRUCT lpDIS) {
    if (m_pDlg != NULL) m_pDlg->DrawListItem(lpDIS);
}

void CSPWindowsDlg::DrawListItem(LPDRAWITEMSTRUCT lpDIS) {
    if (lpDIS->itemID == (UINT)-1) {
        if (lpDIS->itemAction & ODA_FOCUS) ::DrawFocusRect(lpDIS->hDC, &lpDIS->rcItem);
        return;
    }
    CDC* pDC = CDC::FromHandle(lpDIS->hDC);
    const CRect rect(lpDIS->rcItem);
    const BOOL bSelected = (lpDIS->itemState & ODS_SELECTED) != 0;
    if (lpDIS->itemAction & (ODA_DRAWENTIRE | ODA_SELECT)) {
        ::FillRect(lpDIS->hDC, rect, ::GetSysColorBrush(bSelected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
        HWND hChild = (HWND)lpDIS->itemData;
        // The document's small icon, square, then its title.
        HICON hIcon = ::IsWindow(hChild) ? (HICON)::GetClassLongPtr(hChild, GCLP_HICONSM) : NULL;
        const int cy = rect.Height();
        if (hIcon != NULL) ::DrawIconEx(lpDIS->hDC, rect.left + 2, rect.top, hIcon, cy, cy, 0, NULL, DI_NORMAL);
        CString strText;
        m_wndList.GetText((int)lpDIS->itemID, strText);
        CRect rectText = rect;
        rectText.left += cy + 4;
        pDC->SetTextColor(::GetSysColor(bSelected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
        const int nOldMode = pDC->SetBkMode(TRANSPARENT);
        pDC->DrawText(strText, rectText, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
        pDC->SetBkMode(nOldMode);
    }
    if (lpDIS->itemAction & ODA_FOCUS) pDC->DrawFocusRect(rect);
}
