// MainFrm.cpp - the main frame.
#include "MainFrm.h"

#include "AppState.h"
#include "SPPopupMenu.h"
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

    if (!m_wndMenuBar.Create(this, WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_GRIPPER | CBRS_HIDE_INPLACE, ID_MENU_BAR))
        return -1;
    m_wndMenuBar.SetControlBarStyle(m_wndMenuBar.GetControlBarStyle() | CBRS_SIZE_DYNAMIC);

    if (!m_wndToolBar.CreateEx(this, TBSTYLE_FLAT,
                               WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_GRIPPER | CBRS_TOOLTIPS | CBRS_FLYBY |
                                   CBRS_SIZE_DYNAMIC,
                               CRect(1, 1, 1, 1), AFX_IDW_TOOLBAR) ||
        !m_wndToolBar.LoadToolBar(IDR_MAINFRAME, IDR_MAINFRAME, 0, FALSE, 0, 0, IDR_MAINFRAME))
        return -1;

    // One pane: the stretch pane that shows the frame's messages.
    static const UINT indicators[] = {ID_SEPARATOR};
    if (!m_wndStatusBar.Create(this, WS_CHILD | WS_VISIBLE | CBRS_BOTTOM, AFX_IDW_STATUS_BAR) ||
        !m_wndStatusBar.SetIndicators(indicators, 1))
        return -1;
    CString strReady;
    strReady.LoadString(AFX_IDS_IDLEMESSAGE);
    m_wndStatusBar.SetWindowText(strReady);

    SetTitle(_T("Tomewise 1.1"));

    if (!m_wndContentsBar.Create(_T("CHM Contents"), this, CRect(0, 0, 200, 200), TRUE, ID_VIEW_WORKSPACE,
                                 WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | CBRS_LEFT |
                                     CBRS_FLOAT_MULTI,
                                 0x40, SPCBRS_FLOAT | SPCBRS_AUTOHIDE | SPCBRS_RESIZE | SPCBRS_CLOSE))
        return -1;
    lstrcpyn(m_wndContentsBar.m_szDocName, _T("CHM Contents"), sizeof(m_wndContentsBar.m_szDocName));

    CString strStandard;
    strStandard.LoadString(IDS_TOOLBAR_STANDARD);
    m_wndToolBar.SetWindowText(strStandard);

    m_wndMenuBar.EnableDocking(CBRS_ALIGN_TOP);
    m_wndToolBar.EnableDocking(CBRS_ALIGN_ANY);
    m_wndContentsBar.EnableDocking(CBRS_ALIGN_LEFT | CBRS_ALIGN_RIGHT);
    EnableDocking(CBRS_ALIGN_LEFT);
    // Also makes the ordinary dock bar of every side.
    EnableAutoHideBars(CBRS_ALIGN_ANY);
    // Each bar is docked on its side by name: left to itself, the toolbar
    // would take the first dock bar made (the left one) and the pane, which
    // docks to the frame itself, no side at all. A saved layout moves them
    // afterwards.
    DockControlBar(&m_wndMenuBar, AFX_IDW_DOCKBAR_TOP);
    DockControlBar(&m_wndToolBar, AFX_IDW_DOCKBAR_TOP);
    DockControlBar(&m_wndContentsBar, AFX_IDW_DOCKBAR_LEFT);

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
    pSheet->Create();  // a sheet that failed has deleted itself (PostNcDestroy)
}

void CMainFrame::OnViewWorkspace() {
    m_wndContentsBar.ShowControlBar(!m_wndContentsBar.IsVisible(), FALSE, TRUE);
    RecalcLayout();
}

void CMainFrame::OnUpdateViewWorkspace(CCmdUI* pCmdUI) { pCmdUI->SetCheck(m_wndContentsBar.IsVisible()); }

LRESULT CMainFrame::OnToolbarContextMenu(WPARAM, LPARAM lParam) {
    CMenu menu;
    if (!menu.LoadMenu(IDR_POPUP_TOOLBAR)) return 0;
    // The popup owns the sub-menu from now on and destroys it with itself.
    HMENU hPopup = ::GetSubMenu(menu.m_hMenu, 0);
    if (hPopup != NULL && ::RemoveMenu(menu.m_hMenu, 0, MF_BYPOSITION)) {
        // A popup that cannot be shown has deleted itself and the menu.
        CSPPopupMenu* pPopupMenu = new CSPPopupMenu;
        pPopupMenu->Create(this, (short)LOWORD(lParam), (short)HIWORD(lParam), hPopup, FALSE, FALSE);
    }
    menu.DestroyMenu();
    return 0;
}

BOOL CMainFrame::OnShowPopupMenu(CSPPopupMenu* pMenuPopup) {
    if (pMenuPopup == NULL) return TRUE;
    CSPPopupMenuBar* pMenuBar = pMenuPopup->GetMenuBar();
    if (pMenuBar == NULL || pMenuBar->CommandToIndex(ID_TOOLBARS_PLACEHOLDER) < 0) return TRUE;
    if (CSPToolbarSharedState::IsCustomizeMode()) return FALSE;
    pMenuBar->RemoveAllButtons();
    CMenu menu;
    if (menu.LoadMenu(IDR_POPUP_TOOLBAR)) {
        HMENU hSource = ::GetSubMenu(menu.m_hMenu, 0);
        if (hSource != NULL) pMenuBar->ImportFromMenu(hSource, TRUE);
        menu.DestroyMenu();
    }
    return TRUE;
}
