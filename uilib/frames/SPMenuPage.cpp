// SPMenuPage.cpp - the Menu page.
#include "SPMenuPage.h"

#include "SPClientHooks.h"
#include "SPContextMenuManager.h"
#include "SPGlobalData.h"
#include "SPMenuBar.h"
#include "SPPopupMenu.h"
#include "SPTempStateStore.h"
#include "SPToolBar.h"
#include "SPToolbarCustomize.h"

// --- the popup of a context menu being customised ---------------------------------

namespace {

// A context menu opened by the page: a library popup with a caption that
// stays open while the sheet is, as a target for dropped commands, and
// tells the page when it goes.
class CSPMenuPagePopup : public CSPPopupMenu {
public:
    CSPMenuPagePopup(CSPMenuPage* pPage, LPCTSTR lpszCaption) : m_pPage(pPage), m_strCaption(lpszCaption) {}

    BOOL PreCreateWindow(CREATESTRUCT& cs) override {
        if (!CSPPopupMenu::PreCreateWindow(cs)) return FALSE;
        cs.style |= WS_CAPTION | WS_SYSMENU;
        cs.lpszName = m_strCaption;
        return TRUE;
    }
    // The popup lays its items out in its client area; the caption comes on
    // top of that.
    void RecalcLayout(BOOL bNotify = TRUE) override {
        CSPPopupMenu::RecalcLayout(bNotify);
        if (GetSafeHwnd() == NULL || (GetStyle() & WS_CAPTION) == 0) return;
        CRect rectClient, rectWindow;
        GetClientRect(rectClient);
        GetWindowRect(rectWindow);
        const CSize sizeWanted = m_FinalSize;
        const int cxExtra = rectWindow.Width() - rectClient.Width();
        const int cyExtra = rectWindow.Height() - rectClient.Height();
        if (rectClient.Size() != sizeWanted)
            SetWindowPos(NULL, 0, 0, sizeWanted.cx + cxExtra, sizeWanted.cy + cyExtra,
                         SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    void ForgetPage() { m_pPage = NULL; }

protected:
    CSPMenuPage* m_pPage;
    CString m_strCaption;

    afx_msg void OnDestroy() {
        CSPMenuPage* pPage = m_pPage;
        m_pPage = NULL;
        if (pPage != NULL) pPage->CloseContextMenu(this);
        CSPPopupMenu::OnDestroy();
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CSPMenuPagePopup, CSPPopupMenu)
    ON_WM_DESTROY()
END_MESSAGE_MAP()

}  // namespace

// --- the page -----------------------------------------------------------------------

IMPLEMENT_DYNAMIC(CSPMenuPage, CPropertyPage)

BEGIN_MESSAGE_MAP(CSPMenuPage, CPropertyPage)
    ON_CBN_SELCHANGE(SP_IDC_FRAME_MENUS, OnSelchangeMenuList)
    ON_BN_CLICKED(SP_IDC_RESET_FRAME_MENU, OnResetFrameMenu)
    ON_CBN_SELCHANGE(SP_IDC_CONTEXT_MENUS, OnSelchangeContextMenu)
    ON_BN_CLICKED(SP_IDC_RESET_CONTEXT, OnResetContextMenu)
    ON_WM_DESTROY()
END_MESSAGE_MAP()

static UINT MenuKey(HMENU hMenu) { return (UINT)(UINT_PTR)hMenu; }

CPoint CSPMenuPage::s_ptContextMenu(-1, -1);

CSPMenuPage::CSPMenuPage(CFrameWnd* pParentFrame, BOOL bAutoSet)
    : CPropertyPage(SP_IDD_CUSTOMIZE_MENU),
      m_iMenuAnimationType(CSPToolBar::m_nMenuAnimation),
      m_bMenuShadows(CSPToolBar::m_bMenuShadows),
      m_pMenuBar(NULL),
      m_hmenuCurr(NULL),
      m_hmenuSelected(NULL),
      m_bIsDefaultMenuLoaded(FALSE),
      m_bAutoSet(bAutoSet),
      m_pParentFrame(pParentFrame),
      m_pContextMenu(NULL),
      m_uiContextMenuResId(0),
      m_bSwitchingMenu(FALSE) {}

CSPMenuPage::~CSPMenuPage() {}

void CSPMenuPage::DoDataExchange(CDataExchange* pDX) {
    CPropertyPage::DoDataExchange(pDX);
    DDX_Control(pDX, SP_IDC_MENU_ANIMATION, m_wndMenuAnimations);
    DDX_Control(pDX, SP_IDC_FRAME_MENUS, m_wndMenusList);
    DDX_Control(pDX, SP_IDC_CONTEXT_MENUS, m_wndContextMenus);
    DDX_Control(pDX, SP_IDC_MENU_ICON, m_wndIcon);
    DDX_Text(pDX, SP_IDC_MENU_DESCRIPTION, m_strMenuDescr);
    DDX_CBString(pDX, SP_IDC_FRAME_MENUS, m_strMenuName);
    DDX_CBString(pDX, SP_IDC_CONTEXT_MENUS, m_strContextMenuName);
    DDX_CBIndex(pDX, SP_IDC_MENU_ANIMATION, m_iMenuAnimationType);
    int nShadows = m_bMenuShadows;
    DDX_Check(pDX, SP_IDC_MENU_SHADOWS, nShadows);
    m_bMenuShadows = nShadows;
}

void CSPMenuPage::SaveMenuState(HMENU hMenu) {
    if (m_pMenuBar == NULL || hMenu == NULL) return;
    m_pMenuBar->OnChangeHot(-1);
    spTempStateStore.SaveState(MenuKey(hMenu), m_pMenuBar);
}

void CSPMenuPage::ShowMenu(HMENU hMenu, BOOL bDefault) {
    if (m_pMenuBar == NULL || hMenu == NULL) return;
    m_bSwitchingMenu = TRUE;
    m_pMenuBar->CreateFromMenu(hMenu, bDefault, FALSE);
    m_bSwitchingMenu = FALSE;
    // The bar rebuilds from the handle; what the user did to that menu
    // comes back from its parked layout.
    if (spTempStateStore.LoadState(MenuKey(hMenu), m_pMenuBar)) m_pMenuBar->AdjustLayout();
}

BOOL CSPMenuPage::OnInitDialog() {
    {
        CSPResourceScope scope;
        CPropertyPage::OnInitDialog();
    }
    if (m_wndMenuAnimations.GetCount() == 0) {
        static LPCTSTR const animations[] = {_T("None"), _T("Unfold"), _T("Slide"), _T("Fade")};
        for (LPCTSTR lpszName : animations) m_wndMenuAnimations.AddString(lpszName);
    }
    m_wndMenuAnimations.SetCurSel(m_iMenuAnimationType);
    if (m_pMenuBar == NULL) {
        CFrameWnd* pTopFrame = m_pParentFrame != NULL ? m_pParentFrame->GetTopLevelFrame() : NULL;
        for (POSITION pos = g_lstAllToolbars.GetHeadPosition(); pos != NULL && m_pMenuBar == NULL;) {
            CSPMenuBar* pBar = DYNAMIC_DOWNCAST(CSPMenuBar, g_lstAllToolbars.GetNext(pos));
            if (pBar != NULL && CWnd::FromHandlePermanent(pBar->GetSafeHwnd()) == pBar &&
                (pTopFrame == NULL || pBar->GetTopLevelFrame() == pTopFrame))
                m_pMenuBar = pBar;
        }
    }

    if (m_pMenuBar != NULL) {
        m_pMenuBar->SetMenuPage(this);
        m_hmenuCurr = m_pMenuBar->GetHMenu();
        SaveMenuState(m_hmenuCurr);
        int iSelected = -1;
        CWinApp* pApp = AfxGetApp();
        if (m_bAutoSet && pApp != NULL && pApp->m_pDocManager != NULL) {
            CList<UINT, UINT> lstIds;
            for (POSITION pos = pApp->GetFirstDocTemplatePosition(); pos != NULL;) {
                CMultiDocTemplate* pTemplate = DYNAMIC_DOWNCAST(CMultiDocTemplate, pApp->GetNextDocTemplate(pos));
                if (pTemplate == NULL || pTemplate->m_hMenuShared == NULL) continue;
                if (lstIds.Find(pTemplate->m_nIDResource) != NULL) continue;
                lstIds.AddTail(pTemplate->m_nIDResource);
                CString strName;
                pTemplate->GetDocString(strName, CDocTemplate::fileNewName);
                const int i = m_wndMenusList.AddString(strName);
                if (i < 0) continue;
                m_wndMenusList.SetItemDataPtr(i, pTemplate);
                if (pTemplate->m_hMenuShared == m_hmenuCurr) iSelected = i;
            }
        }
        CString strDefault;
        {
            CSPResourceScope scope;
            strDefault.LoadString(SP_IDS_DEFAULT_MENU);
        }
        const int iDefault = m_wndMenusList.AddString(strDefault);
        if (iDefault >= 0) m_wndMenusList.SetItemDataPtr(iDefault, NULL);
        if (iSelected < 0) {
            iSelected = iDefault;
            m_bIsDefaultMenuLoaded = TRUE;
        }
        m_wndMenusList.SetCurSel(iSelected);
        m_hmenuSelected = m_hmenuCurr;
        UpdateData(FALSE);
        OnSelchangeMenuList();
    } else {
        m_wndMenusList.EnableWindow(FALSE);
        if (CWnd* pReset = GetDlgItem(SP_IDC_RESET_FRAME_MENU)) pReset->EnableWindow(FALSE);
        CSPResourceScope scope;
        m_strMenuDescr.LoadString(SP_IDS_CANT_CUSTOMIZE_MENUS);
        UpdateData(FALSE);
    }

    // Context menus come from the context-menu manager; the first entry
    // (dashes) opens none. Without a manager the page offers none.
    {
        CString strNone;
        CSPResourceScope scope;
        strNone.LoadString(SP_IDS_CONTEXT_NONE);
        m_wndContextMenus.AddString(strNone);
        m_wndContextMenus.SetCurSel(0);
    }
    if (g_pContextMenuManager != NULL) {
        CStringList lstNames;
        g_pContextMenuManager->GetMenuNames(lstNames);
        for (POSITION pos = lstNames.GetHeadPosition(); pos != NULL;)
            m_wndContextMenus.AddString(lstNames.GetNext(pos));
        const BOOL bAny = m_wndContextMenus.GetCount() >= 2;
        m_wndContextMenus.EnableWindow(bAny);
        if (CWnd* pLabel = GetDlgItem(SP_IDC_CONTEXT_LABEL)) pLabel->EnableWindow(bAny);
    } else {
        static const UINT contextControls[] = {SP_IDC_CONTEXT_LABEL, SP_IDC_CONTEXT_MENUS, SP_IDC_CONTEXT_HINT,
                                               SP_IDC_CONTEXT_GROUP, SP_IDC_RESET_CONTEXT};
        for (UINT nID : contextControls)
            if (CWnd* pWnd = GetDlgItem(nID)) pWnd->ShowWindow(SW_HIDE);
    }

    CSPToolbarCustomize* pSheet = DYNAMIC_DOWNCAST(CSPToolbarCustomize, GetParent());
    const UINT uiFlags = pSheet != NULL ? pSheet->GetFlags() : 0;
    if ((uiFlags & SPCUSTOMIZE_MENU_SHADOWS) == 0)
        if (CWnd* pWnd = GetDlgItem(SP_IDC_MENU_SHADOWS)) pWnd->ShowWindow(SW_HIDE);
    if ((uiFlags & SPCUSTOMIZE_MENU_ANIMATIONS) == 0) {
        if (CWnd* pWnd = GetDlgItem(SP_IDC_ANIMATION_LABEL)) pWnd->ShowWindow(SW_HIDE);
        m_wndMenuAnimations.ShowWindow(SW_HIDE);
    }
    return TRUE;
}

void CSPMenuPage::OnSelchangeMenuList() {
    UpdateData();
    if (m_pMenuBar == NULL) return;
    if (m_hmenuSelected != NULL) SaveMenuState(m_hmenuSelected);

    const int iSel = m_wndMenusList.GetCurSel();
    if (iSel < 0) {
        m_strMenuDescr.Empty();
        m_wndIcon.SendMessage(STM_SETICON, 0);
        m_hmenuSelected = NULL;
        UpdateData(FALSE);
        return;
    }
    CMultiDocTemplate* pTemplate = (CMultiDocTemplate*)m_wndMenusList.GetItemDataPtr(iSel);
    HICON hIcon = NULL;
    HMENU hMenu = NULL;
    if (pTemplate != NULL && pTemplate != (CMultiDocTemplate*)-1) {
        pTemplate->GetDocString(m_strMenuDescr, CDocTemplate::regFileTypeName);
        hIcon = AfxGetApp()->LoadIcon(pTemplate->m_nIDResource);
        if (hIcon == NULL) hIcon = ::LoadIcon(NULL, IDI_APPLICATION);
        hMenu = pTemplate->m_hMenuShared;
    } else {
        {
            CSPResourceScope scope;
            m_strMenuDescr.LoadString(SP_IDS_DEFAULT_MENU_DESCRIPTION);
        }
        CWnd* pMainWnd = AfxGetMainWnd();
        if (pMainWnd != NULL && pMainWnd->GetSafeHwnd() != NULL)
            hIcon = (HICON)::GetClassLongPtr(pMainWnd->m_hWnd, GCLP_HICON);
        hMenu = m_pMenuBar->GetDefaultMenu();
    }
    ShowMenu(hMenu, FALSE);
    m_wndIcon.SendMessage(STM_SETICON, (WPARAM)hIcon);
    m_hmenuSelected = hMenu;
    UpdateData(FALSE);
}

BOOL CSPMenuPage::SelectMenu(CDocTemplate* pTemplate, BOOL bSaveCurr) {
    int iFound = -1;
    for (int i = 0; i < m_wndMenusList.GetCount() && iFound < 0; i++)
        if ((CDocTemplate*)m_wndMenusList.GetItemDataPtr(i) == pTemplate) iFound = i;
    if (iFound < 0) return FALSE;
    if (!bSaveCurr) m_hmenuSelected = NULL;
    m_wndMenusList.SetCurSel(iFound);
    if (m_pMenuBar != NULL) m_hmenuCurr = m_pMenuBar->GetHMenu();
    OnSelchangeMenuList();
    return TRUE;
}

// Every MDI child frame showing the template's documents takes the new
// shared menu.
static void SetChildHandles(CMultiDocTemplate* pTemplate, HMENU hMenu) {
    for (POSITION posDoc = pTemplate->GetFirstDocPosition(); posDoc != NULL;) {
        CDocument* pDoc = pTemplate->GetNextDoc(posDoc);
        for (POSITION posView = pDoc->GetFirstViewPosition(); posView != NULL;) {
            CView* pView = pDoc->GetNextView(posView);
            CMDIChildWnd* pChild = DYNAMIC_DOWNCAST(CMDIChildWnd, pView->GetParentFrame());
            if (pChild != NULL) pChild->SetHandles(hMenu, pTemplate->m_hAccelTable);
        }
    }
}

void CSPMenuPage::OnResetFrameMenu() {
    UpdateData();
    const int iSel = m_wndMenusList.GetCurSel();
    if (m_pMenuBar == NULL || iSel < 0) return;
    CString strPrompt;
    {
        CSPResourceScope scope;
        strPrompt.Format(SP_IDS_RESET_MENU, (LPCTSTR)m_strMenuName);
    }
    if (AfxMessageBox(strPrompt, MB_YESNO | MB_ICONQUESTION) != IDYES) return;

    CMultiDocTemplate* pTemplate = (CMultiDocTemplate*)m_wndMenusList.GetItemDataPtr(iSel);
    CFrameWnd* pFrame = m_pParentFrame;
    HMENU hOld = m_hmenuSelected;
    HMENU hNew = NULL;
    if (pTemplate != NULL && pTemplate != (CMultiDocTemplate*)-1) {
        hNew = ::LoadMenu(AfxGetResourceHandle(), MAKEINTRESOURCE(pTemplate->m_nIDResource));
        if (hNew == NULL) return;
        pTemplate->m_hMenuShared = hNew;
        m_pMenuBar->CreateFromMenu(hNew, FALSE, TRUE);
        SetChildHandles(pTemplate, hNew);
        if (pFrame != NULL && pFrame->SendMessage(SP_WM_RESETMENU, pTemplate->m_nIDResource) != 0)
            m_pMenuBar->AdjustLayout();
    } else {
        // The default menu comes from the resource the frame was loaded with.
        ISPAccelFrame* pAccelFrame = dynamic_cast<ISPAccelFrame*>(pFrame);
        const UINT uiResId = pAccelFrame != NULL ? pAccelFrame->GetDefaultResId() : 0;
        if (uiResId == 0) return;
        hNew = ::LoadMenu(AfxGetResourceHandle(), MAKEINTRESOURCE(uiResId));
        if (hNew == NULL) return;
        m_pMenuBar->CreateFromMenu(hNew, TRUE, TRUE);
        if (pFrame->SendMessage(SP_WM_RESETMENU, uiResId) != 0) m_pMenuBar->AdjustLayout();
        pFrame->m_hMenuDefault = hNew;
    }
    SaveMenuState(hNew);
    if (hOld == m_hmenuCurr) m_hmenuCurr = hNew;
    m_hmenuSelected = hNew;
    if (pFrame != NULL) pFrame->OnUpdateFrameMenu(m_hmenuCurr);
    spTempStateStore.RemoveState(MenuKey(hOld));
    if (hOld != NULL && hOld != hNew) ::DestroyMenu(hOld);
    m_pMenuBar->RedrawWindow();
}

void CSPMenuPage::SaveContextMenuState(CSPPopupMenu* pMenu) {
    if (pMenu == NULL || pMenu->GetSafeHwnd() == NULL) return;
    CRect rectWindow;
    pMenu->GetWindowRect(rectWindow);
    s_ptContextMenu = rectWindow.TopLeft();
    spTempStateStore.SaveState(MenuKey(pMenu->GetHMenu()), pMenu->GetMenuBar());
}

void CSPMenuPage::CloseContextMenu(CSPPopupMenu* pMenu) {
    // A popup the page has already let go of (one it replaces) changes
    // nothing here.
    if (pMenu == NULL || pMenu != m_pContextMenu) return;
    SaveContextMenuState(pMenu);
    m_pContextMenu = NULL;
    if (m_wndContextMenus.GetSafeHwnd() != NULL) m_wndContextMenus.SetCurSel(0);
    if (CWnd* pReset = GetDlgItem(SP_IDC_RESET_CONTEXT)) pReset->EnableWindow(FALSE);
}

void CSPMenuPage::OnSelchangeContextMenu() {
    if (CWnd* pReset = GetDlgItem(SP_IDC_RESET_CONTEXT)) pReset->EnableWindow(FALSE);
    if (g_pContextMenuManager == NULL) return;
    m_uiContextMenuResId = 0;
    if (m_pContextMenu != NULL) {
        CSPPopupMenu* pOld = m_pContextMenu;
        SaveContextMenuState(pOld);
        m_pContextMenu = NULL;
        if (::IsWindow(pOld->GetSafeHwnd())) pOld->SendMessage(WM_CLOSE);
    }
    if (m_wndContextMenus.GetCurSel() <= 0) return;
    UpdateData();
    UINT uiResId = 0;
    HMENU hMenu = g_pContextMenuManager->GetMenuByName(m_strContextMenuName, &uiResId);
    HMENU hPopup = hMenu != NULL ? ::GetSubMenu(hMenu, 0) : NULL;
    if (hPopup == NULL) {
        ::MessageBeep((UINT)-1);
        return;
    }
    m_uiContextMenuResId = uiResId;

    CSPMenuPagePopup* pPopup = new CSPMenuPagePopup(this, m_strContextMenuName);
    pPopup->SetDestroyMenu(FALSE);  // the menu stays the manager's
    CSPToolbarCustomize* pSheet = DYNAMIC_DOWNCAST(CSPToolbarCustomize, GetParent());
    CWnd* pOwner = pSheet != NULL ? (CWnd*)pSheet->GetParentFrame() : NULL;
    if (pOwner == NULL) pOwner = GetTopLevelFrame();
    if (pOwner == NULL) pOwner = AfxGetMainWnd();
    m_pContextMenu = pPopup;
    if (!pPopup->Create(pOwner, s_ptContextMenu.x, s_ptContextMenu.y, hPopup, FALSE, FALSE)) {
        m_pContextMenu = NULL;
        AfxMessageBox(_T("Can't create context menu!"));
        return;
    }
    if (CWnd* pReset = GetDlgItem(SP_IDC_RESET_CONTEXT)) pReset->EnableWindow(TRUE);
}

void CSPMenuPage::OnResetContextMenu() {
    if (g_pContextMenuManager == NULL) return;
    UpdateData();
    CString strPrompt;
    {
        CSPResourceScope scope;
        strPrompt.Format(SP_IDS_RESET_MENU, (LPCTSTR)m_strContextMenuName);
    }
    if (AfxMessageBox(strPrompt, MB_YESNO | MB_ICONQUESTION) != IDYES) return;
    UINT uiResId = 0;
    HMENU hMenu = g_pContextMenuManager->GetMenuByName(m_strContextMenuName, &uiResId);
    HMENU hPopup = hMenu != NULL ? ::GetSubMenu(hMenu, 0) : NULL;
    if (hPopup == NULL) {
        ::MessageBeep((UINT)-1);
        return;
    }
    if (m_pContextMenu != NULL) m_pContextMenu->GetMenuBar()->ImportFromMenu(hPopup, TRUE);
    if (m_pParentFrame != NULL && ::IsWindow(m_pParentFrame->GetSafeHwnd()))
        m_pParentFrame->SendMessage(SP_WM_RESETCONTEXTMENU, uiResId, (LPARAM)m_pContextMenu);
    // Parks the layout as reset and opens the menu again.
    OnSelchangeContextMenu();
    if (m_pContextMenu != NULL) {
        m_pContextMenu->RecalcLayout();
        m_pContextMenu->GetMenuBar()->RedrawWindow();
    }
}

void CSPMenuPage::OnDestroy() {
    UpdateData();
    CSPToolBar::m_nMenuAnimation = m_iMenuAnimationType;
    // The bar lets go of the page (a bar that went has left the list).
    if (m_pMenuBar != NULL && g_lstAllToolbars.Find(m_pMenuBar) != NULL && m_pMenuBar->GetMenuPage() == this)
        m_pMenuBar->SetMenuPage(NULL);
    if (m_pMenuBar != NULL && ::IsWindow(m_pMenuBar->GetSafeHwnd())) {
        if (m_hmenuSelected != NULL) SaveMenuState(m_hmenuSelected);
        if (m_hmenuCurr != NULL) ShowMenu(m_hmenuCurr, FALSE);
    }
    if (m_pContextMenu != NULL) {
        CSPPopupMenu* pMenu = m_pContextMenu;
        SaveContextMenuState(pMenu);
        m_pContextMenu = NULL;
        if (::IsWindow(pMenu->GetSafeHwnd())) pMenu->SendMessage(WM_CLOSE);
    }
    CSPToolBar::m_bMenuShadows = m_bMenuShadows;
    CPropertyPage::OnDestroy();
}
