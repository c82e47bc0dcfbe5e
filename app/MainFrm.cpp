// MainFrm.cpp - the main frame.
#include "MainFrm.h"

#include "AppState.h"
#include "SPToolbarCustomize.h"
#include "SPToolbarState.h"
#include "SPVisualManagerXP.h"
#include "TomewiseResource.h"
#include "TomewiseView.h"

// --- CMainFrame --------------------------------------------------------------------

IMPLEMENT_DYNAMIC(CMainFrame, CSPMDIFrameWnd)

static const UINT WM_STOOLBAR_POPUPMENU = ::RegisterWindowMessage(_T("STOOLBAR_POPUPMENU"));

BEGIN_MESSAGE_MAP(CMainFrame, CSPMDIFrameWnd)
    ON_WM_CREATE()
    ON_WM_CLOSE()
    ON_WM_INITMENUPOPUP()
    ON_COMMAND(ID_CUSTOMIZE, OnViewCustomize)
    ON_COMMAND(ID_VIEW_WORKSPACE, OnViewWorkspace)
    ON_UPDATE_COMMAND_UI(ID_VIEW_WORKSPACE, OnUpdateViewWorkspace)
    ON_REGISTERED_MESSAGE(WM_STOOLBAR_POPUPMENU, OnToolbarContextMenu)
END_MESSAGE_MAP()

CMainFrame::CMainFrame() : m_bCloseAfterConversion(FALSE) {}

CMainFrame::~CMainFrame() {}

int CMainFrame::OnCreate(LPCREATESTRUCT lpCreateStruct) {
    if (CSPMDIFrameWnd::OnCreate(lpCreateStruct) == -1) return -1;
    CSPVisualManager::SetDefaultManager(RUNTIME_CLASS(CSPVisualManagerXP));
    // Toolbar buttons may be Alt-dragged outside customise mode.
    CSPToolBar::s_bAltCustomization = TRUE;

    CList<UINT, UINT> lstBasicCommands;
    const UINT basic[] = {ID_TOOLBARS_PLACEHOLDER, ID_OPEN_CHM_FILE, ID_CLOSE_CHM_FILE, ID_FILE_PRINT,
                          ID_APP_EXIT, ID_APP_ABOUT, ID_VIEW_TOOLBAR_ITEM};
    for (UINT uiCmd : basic) lstBasicCommands.AddTail(uiCmd);
    CSPToolBar::SetBasicCommands(lstBasicCommands);

    // The menu stays the frame's own menu until the library's menu bar is
    // on hand.
    if (!m_wndToolBar.CreateEx(this, TBSTYLE_FLAT,
                               WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_GRIPPER | CBRS_TOOLTIPS | CBRS_FLYBY |
                                   CBRS_SIZE_DYNAMIC,
                               CRect(1, 1, 1, 1), AFX_IDW_TOOLBAR) ||
        !m_wndToolBar.LoadToolBar(IDR_MAINFRAME, IDR_MAINFRAME, 0, FALSE, 0, 0, IDR_MAINFRAME))
        return -1;

    // One pane: the stretch pane that shows the frame's messages.
    static const UINT indicators[] = {ID_SEPARATOR};
    if (!m_wndStatusBar.Create(this) || !m_wndStatusBar.SetIndicators(indicators, 1)) return -1;
    CString strReady;
    strReady.LoadString(AFX_IDS_IDLEMESSAGE);
    m_wndStatusBar.SetWindowText(strReady);

    SetTitle(_T("Tomewise 1.1"));

    if (!m_wndContentsBar.Create(NULL, WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | CBRS_LEFT,
                                 CRect(0, 0, 200, 200), this, ID_VIEW_WORKSPACE, 0))
        return -1;
    m_wndContentsBar.SetWindowText(_T("CHM Contents"));
    lstrcpyn(m_wndContentsBar.m_szDocName, _T("CHM Contents"), sizeof(m_wndContentsBar.m_szDocName));

    CString strStandard;
    strStandard.LoadString(IDS_TOOLBAR_STANDARD);
    m_wndToolBar.SetWindowText(strStandard);

    m_wndToolBar.EnableDocking(CBRS_ALIGN_ANY);
    m_wndContentsBar.EnableDocking(CBRS_ALIGN_LEFT | CBRS_ALIGN_RIGHT);
    EnableDocking(CBRS_ALIGN_ANY);
    EnableAutoHideBars(CBRS_ALIGN_ANY);
    DockControlBar(&m_wndToolBar);
    DockControlBar(&m_wndContentsBar);

    AfxSetConvertProgressHandler(&CTomewiseView::OnConvertProgress);
    return 0;
}

void CMainFrame::OnClose() {
    // The engine still walks the tree and the view: stop the walk, and
    // close once the conversion has returned.
    if (g_bConverting || CTomewiseView::s_nConvertDepth > 0) {
        g_bConverting = FALSE;
        m_bCloseAfterConversion = TRUE;
        return;
    }
    CSPMDIFrameWnd::OnClose();
}

void CMainFrame::OnConversionEnded() {
    if (!m_bCloseAfterConversion) return;
    m_bCloseAfterConversion = FALSE;
    PostMessage(WM_CLOSE);
}

// The sheet deletes itself when it closes; at most one is open.
void CMainFrame::OnViewCustomize() {
    if (g_pWndCustomize != NULL) {
        g_pWndCustomize->SetActiveWindow();
        return;
    }
    CSPToolbarCustomize* pSheet = new CSPToolbarCustomize(
        this, TRUE, SPCUSTOMIZE_MENU_SHADOWS | SPCUSTOMIZE_TEXT_LABELS | SPCUSTOMIZE_LOOK2000 | SPCUSTOMIZE_MENU_ANIMATIONS);
    if (!pSheet->Create()) delete pSheet;
}

void CMainFrame::OnViewWorkspace() {
    m_wndContentsBar.ShowControlBar(!m_wndContentsBar.IsVisible(), FALSE, TRUE);
    RecalcLayout();
}

void CMainFrame::OnUpdateViewWorkspace(CCmdUI* pCmdUI) { pCmdUI->SetCheck(m_wndContentsBar.IsVisible()); }

LRESULT CMainFrame::OnToolbarContextMenu(WPARAM, LPARAM lParam) {
    CMenu menu;
    if (!menu.LoadMenu(IDR_POPUP_TOOLBAR)) return 0;
    CMenu* pPopup = menu.GetSubMenu(0);
    // The ordinary popup menu until the library's own is on hand.
    if (pPopup != NULL)
        pPopup->TrackPopupMenu(TPM_LEFTALIGN | TPM_RIGHTBUTTON, (short)LOWORD(lParam), (short)HIWORD(lParam), this);
    menu.DestroyMenu();
    return 0;
}

// The "&Toolbars" placeholder becomes the items of the bars popup; while the
// toolbars are customised the list is not offered.
void CMainFrame::OnInitMenuPopup(CMenu* pPopupMenu, UINT nIndex, BOOL bSysMenu) {
    if (!bSysMenu && pPopupMenu != NULL && pPopupMenu->GetMenuItemCount() > 0 &&
        pPopupMenu->GetMenuItemID(0) == ID_TOOLBARS_PLACEHOLDER) {
        CMenu menu;
        if (!CSPToolbarSharedState::IsCustomizeMode() && menu.LoadMenu(IDR_POPUP_TOOLBAR)) {
            CMenu* pSource = menu.GetSubMenu(0);
            while (pPopupMenu->GetMenuItemCount() > 0) pPopupMenu->DeleteMenu(0, MF_BYPOSITION);
            for (UINT i = 0; pSource != NULL && i < pSource->GetMenuItemCount(); ++i) {
                CString strText;
                pSource->GetMenuString(i, strText, MF_BYPOSITION);
                pPopupMenu->AppendMenu(MF_STRING, pSource->GetMenuItemID(i), strText);
            }
            menu.DestroyMenu();
        }
    }
    CSPMDIFrameWnd::OnInitMenuPopup(pPopupMenu, nIndex, bSysMenu);
}
