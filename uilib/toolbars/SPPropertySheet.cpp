#include "SPPropertySheet.h"
#include "SPBaseTabWnd.h"

IMPLEMENT_DYNCREATE(CSPPropSheetPane, CSPOutlookBarPane)
IMPLEMENT_DYNAMIC(CSPPropertySheet, CPropertySheet)

BOOL CSPPropSheetPane::OnSendCommand(const CSPToolbarButton* pButton) {
    if (m_pParent == NULL) return FALSE;
    m_pParent->OnPaneButton(ButtonToIndex(pButton));
    return TRUE;
}

BEGIN_MESSAGE_MAP(CSPPropertySheet, CPropertySheet)
    ON_MESSAGE(WM_SELECT_ACTIVE_BUTTON, OnSelectActiveButton)
END_MESSAGE_MAP()

CSPPropertySheet::CSPPropertySheet() { CommonInit(); }

CSPPropertySheet::CSPPropertySheet(UINT nIDCaption, CWnd* pParentWnd, UINT iSelectPage)
    : CPropertySheet(nIDCaption, pParentWnd, iSelectPage) {
    CommonInit();
}

CSPPropertySheet::CSPPropertySheet(LPCTSTR pszCaption, CWnd* pParentWnd, UINT iSelectPage)
    : CPropertySheet(pszCaption, pParentWnd, iSelectPage) {
    CommonInit();
}

CSPPropertySheet::~CSPPropertySheet() {
    m_Icons.DeleteImageList();
    if (m_wndPane.GetSafeHwnd() != NULL) m_wndPane.DestroyWindow();
}

void CSPPropertySheet::CommonInit() {
    m_look = PropSheetLook_Tabs;
    m_nBarWidth = 100;
    m_nActivePage = -1;
    m_wndPane.m_pParent = this;
}

BOOL CSPPropertySheet::SetIconsList(HIMAGELIST hIcons) {
    m_Icons.DeleteImageList();
    if (hIcons == NULL) return FALSE;
    HIMAGELIST hCopy = ::ImageList_Duplicate(hIcons);
    return hCopy != NULL && m_Icons.Attach(hCopy);
}

BOOL CSPPropertySheet::SetIconsList(UINT uiImageListResID, int cx, COLORREF clrTransparent) {
    return CSPBaseTabWnd::LoadImageStrip(m_Icons, uiImageListResID, cx, clrTransparent);
}

// --- pages and their buttons --------------------------------------------------------

void CSPPropertySheet::AddPaneButton(int iTab) {
    TCHAR szText[256] = {0};
    TCITEM item = {};
    item.mask = TCIF_TEXT;
    item.pszText = szText;
    item.cchTextMax = 255;
    CTabCtrl* pTab = GetTabControl();
    if (pTab != NULL) ::SendMessage(pTab->GetSafeHwnd(), TCM_GETITEM, iTab, (LPARAM)&item);

    HICON hIcon = m_Icons.GetSafeHandle() != NULL && iTab < m_Icons.GetImageCount() ? m_Icons.ExtractIcon(iTab) : NULL;
    // A page without icon still gets its button, or the buttons would no
    // longer match the pages by position.
    if (hIcon == NULL || !m_wndPane.AddButton(hIcon, szText, 0)) m_wndPane.AddButton((UINT)0, szText, 0);
    if (hIcon != NULL) ::DestroyIcon(hIcon);
}

void CSPPropertySheet::AddPage(CPropertyPage* pPage) {
    CPropertySheet::AddPage(pPage);
    if (m_wndPane.GetSafeHwnd() == NULL || GetTabControl() == NULL) return;
    const int nItems = GetTabControl()->GetItemCount();
    if (nItems > 0) AddPaneButton(nItems - 1);
}

void CSPPropertySheet::RemovePage(CPropertyPage* pPage) {
    const int nPage = GetPageIndex(pPage);
    if (nPage >= 0) RemovePage(nPage);
}

void CSPPropertySheet::RemovePage(int nPage) {
    if (nPage < 0 || nPage >= GetPageCount()) return;
    CPropertySheet::RemovePage(nPage);
    if (m_wndPane.GetSafeHwnd() == NULL) return;
    // The button at the page's position goes: the buttons carry no command
    // by which they could be found.
    if (m_nActivePage == nPage)
        m_nActivePage = -1;
    else if (m_nActivePage > nPage)
        m_nActivePage--;
    m_wndPane.CSPToolBar::RemoveButton(nPage);
    m_wndPane.AdjustLayout();
    m_wndPane.RedrawWindow();
    // The sheet opens another page without telling the pages' sheet side.
    CPropertyPage* pActive = GetActivePage();
    if (pActive != NULL && GetPageIndex(pActive) != m_nActivePage) OnActivatePage(pActive);
}

// --- the navigation pane ------------------------------------------------------------

BOOL CSPPropertySheet::OnInitDialog() {
    const BOOL bResult = CPropertySheet::OnInitDialog();
    if (m_look != PropSheetLook_OutlookBar) return bResult;
    CTabCtrl* pTab = GetTabControl();
    if (pTab == NULL) return bResult;

    pTab->ModifyStyle(WS_TABSTOP, 0);
    CRect rectFirstTab(0, 0, 0, 0);
    pTab->GetItemRect(0, rectFirstTab);
    const int nStripHeight = rectFirstTab.bottom + 2;

    if (!m_wndPane.CreatePane(this, WS_CHILD | WS_VISIBLE | CBRS_ALIGN_LEFT, AFX_IDW_TOOLBAR)) return bResult;
    m_wndPane.SetWindowPos(NULL, 0, 0, 100, 100, SWP_NOZORDER | SWP_NOACTIVATE);
    for (int i = 0; i < pTab->GetItemCount(); i++) AddPaneButton(i);

    // The pane takes the place of the tab row: everything else moves right
    // of the pane, and up by the row's height, which the hidden tab control
    // no longer shows.
    const CSize sizeShift(m_nBarWidth + 5, -nStripHeight);
    CRect rectWnd;
    GetWindowRect(rectWnd);
    SetWindowPos(NULL, 0, 0, rectWnd.Width() + sizeShift.cx, rectWnd.Height() + sizeShift.cy + 15,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    CRect rectClient;
    GetClientRect(rectClient);
    m_wndPane.SetWindowPos(NULL, 5, 5, m_nBarWidth, rectClient.Height() - 10, SWP_NOZORDER | SWP_NOACTIVATE);

    auto shift = [this](HWND hWnd, CSize size) {
        if (hWnd == NULL) return;
        CRect rect;
        ::GetWindowRect(hWnd, rect);
        ScreenToClient(rect);
        ::SetWindowPos(hWnd, NULL, rect.left + size.cx, rect.top + size.cy, 0, 0,
                       SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    };
    shift(pTab->GetSafeHwnd(), sizeShift);
    pTab->ShowWindow(SW_HIDE);
    for (int i = 0; i < GetPageCount(); i++) {
        CPropertyPage* pPage = GetPage(i);
        if (pPage != NULL) shift(pPage->GetSafeHwnd(), sizeShift);
    }
    for (UINT nID : {(UINT)IDOK, (UINT)IDCANCEL, (UINT)0x3021, (UINT)IDHELP})
        shift(::GetDlgItem(m_hWnd, nID), CSize(sizeShift.cx, sizeShift.cy + 15));

    m_nActivePage = -1;
    CPropertyPage* pActive = GetActivePage();
    if (pActive != NULL) OnActivatePage(pActive);
    return bResult;
}

void CSPPropertySheet::SetButtonSelected(int iButton, BOOL bSelected) {
    if (iButton < 0 || iButton >= m_wndPane.GetCount()) return;
    const UINT nStyle = m_wndPane.GetButtonStyle(iButton);
    m_wndPane.SetButtonStyle(iButton, bSelected ? (nStyle | TBBS_CHECKED) : (nStyle & ~TBBS_CHECKED));
}

void CSPPropertySheet::OnActivatePage(CPropertyPage* pPage) {
    if (m_wndPane.GetSafeHwnd() == NULL) return;
    SetButtonSelected(m_nActivePage, FALSE);
    m_nActivePage = GetPageIndex(pPage);
    PostMessage(WM_SELECT_ACTIVE_BUTTON);
}

LRESULT CSPPropertySheet::OnSelectActiveButton(WPARAM, LPARAM) {
    if (m_wndPane.GetSafeHwnd() == NULL) return 0;
    CSPToolbarButton* pButton = m_wndPane.GetButton(m_nActivePage);
    if (pButton == NULL) return 0;
    SetButtonSelected(m_nActivePage, TRUE);

    CRect rectClient;
    m_wndPane.GetClientRect(rectClient);
    for (;;) {
        const CRect rect = pButton->Rect();
        const int nOffset = m_wndPane.GetScrollOffset();
        if (rect.top < rectClient.top)
            m_wndPane.ScrollUp();
        else if (rect.bottom > rectClient.bottom && m_wndPane.GetFirstVisibleButton() < m_nActivePage)
            m_wndPane.ScrollDown();  // never past the button itself: it may be taller than the pane
        else
            break;
        if (m_wndPane.GetScrollOffset() == nOffset) break;
    }
    m_wndPane.RedrawWindow();
    return 0;
}

void CSPPropertySheet::OnPaneButton(int iButton) {
    if (iButton < 0 || iButton >= GetPageCount()) return;
    CWaitCursor wait;
    SetActivePage(iButton);
    // A page that is no library page does not report its activation.
    CPropertyPage* pActive = GetActivePage();
    if (pActive != NULL && GetPageIndex(pActive) != m_nActivePage) OnActivatePage(pActive);
}
