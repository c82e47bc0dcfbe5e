// SPToolbarCustomize.cpp - the customisation sheet and its command
// catalogue.
#include "SPToolbarCustomize.h"

#include "afxdocvw.h"

#include <vector>

#include "SPCommandManager.h"
#include "SPContextMenuManager.h"
#include "SPCustomizePage.h"
#include "SPGlobalData.h"
#include "SPKeyboardManager.h"
#include "SPKeyboardPage.h"
#include "SPDockBar.h"
#include "SPFrameWnd.h"
#include "SPMDIFrameWnd.h"
#include "SPMenuBar.h"
#include "SPMousePage.h"
#include "SPMouseManager.h"
#include "SPMenuPage.h"
#include "SPOptionsPage.h"
#include "SPReBar.h"
#include "SPTearOffManager.h"
#include "SPToolBar.h"
#include "SPToolbarsPage.h"
#include "SPToolsPage.h"
#include "SPUserTool.h"
#include "SPUserToolsManager.h"
#include "SPVisualManager.h"
#include "SPWorkspace.h"

CSPToolbarCustomize* g_pWndCustomize = NULL;

IMPLEMENT_DYNAMIC(CSPToolbarCustomize, CPropertySheet)

BEGIN_MESSAGE_MAP(CSPToolbarCustomize, CPropertySheet)
    ON_WM_CREATE()
    ON_MESSAGE(WM_HELP, OnHelp)
    ON_WM_CONTEXTMENU()
END_MESSAGE_MAP()

static const int nIdHelpButton = 9;

CSPToolbarCustomize::CSPToolbarCustomize(CFrameWnd* pWndParentFrame, BOOL bAutoSetFromMenus, UINT uiFlags,
                                         CList<CRuntimeClass*, CRuntimeClass*>* plistCustomPages)
    : CPropertySheet(_T(""), pWndParentFrame),
      m_pCustomizePage(NULL),
      m_pToolbarsPage(NULL),
      m_pKeyboardPage(NULL),
      m_pMenuPage(NULL),
      m_pMousePage(NULL),
      m_pOptionsPage(NULL),
      m_pToolsPage(NULL),
      m_pParentFrame(pWndParentFrame),
      m_bAutoSetFromMenus(bAutoSetFromMenus),
      m_uiFlags(uiFlags) {
    m_ButtonsByCategory.InitHashTable(17);
    m_psh.dwFlags |= PSH_NOAPPLYNOW;
    if (plistCustomPages != NULL) {
        for (POSITION pos = plistCustomPages->GetHeadPosition(); pos != NULL;) {
            CRuntimeClass* pClass = plistCustomPages->GetNext(pos);
            CObject* pPage = pClass != NULL ? pClass->CreateObject() : NULL;
            if (pPage != NULL) m_listCustomPages.AddTail(pPage);
        }
    }

    if (!CSPVisualManager::GetInstance()->IsLook2000Allowed()) m_uiFlags &= ~SPCUSTOMIZE_LOOK2000;

    const BOOL bMenuBar = FrameHasMenuBar(m_pParentFrame);
    {
        CSPResourceScope scope;
        m_pCustomizePage = new CSPCustomizePage;
        m_pToolbarsPage = new CSPToolbarsPage(m_pParentFrame);
        m_pKeyboardPage = new CSPKeyboardPage(m_pParentFrame, m_bAutoSetFromMenus);
        m_pMenuPage = new CSPMenuPage(m_pParentFrame, m_bAutoSetFromMenus);
        m_pMousePage = new CSPMousePage;
        m_pOptionsPage = new CSPOptionsPage(bMenuBar);
        if ((m_uiFlags & SPCUSTOMIZE_NOTOOLS) == 0) m_pToolsPage = new CSPToolsPage;
    }

    AddPage(m_pCustomizePage);
    AddPage(m_pToolbarsPage);
    if (m_pToolsPage != NULL && g_pUserToolsManager != NULL) AddPage(m_pToolsPage);
    // A table the user emptied is still the frame's table to edit.
    if (g_pKeyboardManager != NULL && m_pParentFrame != NULL &&
        (m_pParentFrame->m_hAccelTable != NULL || g_pKeyboardManager->HasTable(m_pParentFrame)))
        AddPage(m_pKeyboardPage);
    if (g_pContextMenuManager != NULL || bMenuBar) AddPage(m_pMenuPage);
    if (g_pMouseManager != NULL) AddPage(m_pMousePage);
    for (POSITION pos = m_listCustomPages.GetHeadPosition(); pos != NULL;) {
        CPropertyPage* pPage = DYNAMIC_DOWNCAST(CPropertyPage, m_listCustomPages.GetNext(pos));
        if (pPage != NULL) AddPage(pPage);
    }
    AddPage(m_pOptionsPage);

    CString strCaption;
    {
        CSPResourceScope scope;
        strCaption.LoadString(SP_IDS_CUSTOMIZE);
        m_strAllCommands.LoadString(SP_IDS_ALL_COMMANDS);
    }
    m_pCustomizePage->SetAllCategory(m_strAllCommands);
    m_pKeyboardPage->SetAllCategory(m_strAllCommands);
    SetTitle(strCaption);

    if (m_bAutoSetFromMenus) SetupFromMenus();

    CString strNewMenu;
    {
        CSPResourceScope scope;
        strNewMenu.LoadString(SP_IDS_NEW_MENU);
    }
    CSPToolbarMenuButton newMenu(0, NULL, -1, strNewMenu);
    AddButton(strNewMenu, newMenu);
}

CSPToolbarCustomize::~CSPToolbarCustomize() {
    POSITION pos = m_ButtonsByCategory.GetStartPosition();
    while (pos != NULL) {
        CString strName;
        CObList* pList = NULL;
        m_ButtonsByCategory.GetNextAssoc(pos, strName, pList);
        while (!pList->IsEmpty()) delete pList->RemoveHead();
        delete pList;
    }
    m_ButtonsByCategory.RemoveAll();
    delete m_pCustomizePage;
    delete m_pToolbarsPage;
    delete m_pKeyboardPage;
    delete m_pMenuPage;
    delete m_pMousePage;
    delete m_pOptionsPage;
    delete m_pToolsPage;
    while (!m_listCustomPages.IsEmpty()) delete m_listCustomPages.RemoveHead();
}

BOOL CSPToolbarCustomize::FrameHasMenuBar(CFrameWnd* pFrame) {
    if (pFrame == NULL || pFrame->GetSafeHwnd() == NULL) return FALSE;
    if (!pFrame->IsKindOf(RUNTIME_CLASS(CSPMDIFrameWnd)) && !pFrame->IsKindOf(RUNTIME_CLASS(CSPFrameWnd)))
        return FALSE;
    for (POSITION pos = g_lstAllToolbars.GetHeadPosition(); pos != NULL;) {
        CSPToolBar* pBar = DYNAMIC_DOWNCAST(CSPToolBar, g_lstAllToolbars.GetNext(pos));
        if (pBar != NULL && pBar->IsKindOf(RUNTIME_CLASS(CSPMenuBar)) && ::IsWindow(pBar->GetSafeHwnd()) &&
            pBar->GetTopLevelFrame() == pFrame->GetTopLevelFrame())
            return TRUE;
    }
    return FALSE;
}

BOOL CSPToolbarCustomize::Create() {
    BOOL bResult;
    {
        CSPResourceScope scope;
        bResult = CPropertySheet::Create(m_pParentFrame, (DWORD)-1, 0);
    }
    if (!bResult) return FALSE;
    SetFrameCustMode(TRUE);
    return TRUE;
}

int CSPToolbarCustomize::OnCreate(LPCREATESTRUCT lpCreateStruct) {
    if (CPropertySheet::OnCreate(lpCreateStruct) == -1) return -1;
    g_pWndCustomize = this;
    return 0;
}

void CSPToolbarCustomize::PostNcDestroy() {
    if (g_pWndCustomize == this) g_pWndCustomize = NULL;
    SetFrameCustMode(FALSE);
    CPropertySheet::PostNcDestroy();
    delete this;
}

void CSPToolbarCustomize::SetFrameCustMode(BOOL bCustMode) {
    // The frame may be gone already when the sheet outlives it.
    const BOOL bFrame = m_pParentFrame != NULL && ::IsWindow(m_pParentFrame->GetSafeHwnd());
    if (bFrame) {
        for (HWND hChild = ::GetWindow(m_pParentFrame->m_hWnd, GW_CHILD); hChild != NULL;
             hChild = ::GetWindow(hChild, GW_HWNDNEXT)) {
            CWnd* pChild = CWnd::FromHandlePermanent(hChild);
            // Bars stay live: they take the drops.
            if (pChild != NULL &&
                (pChild->IsKindOf(RUNTIME_CLASS(CSPDockBar)) || pChild->IsKindOf(RUNTIME_CLASS(CSPReBar)) ||
                 pChild->IsKindOf(RUNTIME_CLASS(CSPToolBar))))
                continue;
            ::EnableWindow(hChild, !bCustMode);
        }
    }
    CSPToolBar::SetCustomizeMode(bCustMode);
    if (!bFrame) return;
    m_pParentFrame->SendMessage(SP_WM_CUSTOMIZETOOLBAR, (WPARAM)bCustMode);
    if (!bCustMode) {
        CFrameWnd* pActive = m_pParentFrame->GetActiveFrame();
        if (pActive != NULL) pActive->PostMessage(WM_SETFOCUS);
    }
}

BOOL CSPToolbarCustomize::OnInitDialog() {
    const BOOL bResult = CPropertySheet::OnInitDialog();

    CWnd* pClose = GetDlgItem(IDCANCEL);
    if (pClose != NULL) {
        CString strClose;
        {
            CSPResourceScope scope;
            strClose.LoadString(SP_IDS_CLOSE);
        }
        pClose->ShowWindow(SW_SHOW);
        pClose->EnableWindow();
        pClose->SetWindowText(strClose);
        SendMessage(DM_SETDEFID, IDCANCEL);
        CWnd* pOK = GetDlgItem(IDOK);
        if (pOK != NULL) {
            pOK->ModifyStyle(BS_DEFPUSHBUTTON, BS_PUSHBUTTON);
            pOK->ShowWindow(SW_HIDE);
        }
        pClose->ModifyStyle(BS_PUSHBUTTON, BS_DEFPUSHBUTTON);

        // The sheet's button row keeps only Close (at its right end) and
        // Help (at its left end).
        CWnd* pApply = GetDlgItem(ID_APPLY_NOW);
        if (pApply != NULL) {
            pApply->ShowWindow(SW_HIDE);
            pApply->EnableWindow(FALSE);
        }
        CRect rectClose;
        pClose->GetWindowRect(rectClose);
        ScreenToClient(rectClose);
        CRect rectClient;
        GetClientRect(rectClient);
        const int yOldTop = rectClose.top;
        pClose->SetWindowPos(NULL, rectClient.right - rectClose.Width() - 8, yOldTop, 0, 0,
                             SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);

        CWnd* pHelp = GetDlgItem(nIdHelpButton);
        if (pHelp != NULL) {
            if (m_uiFlags & SPCUSTOMIZE_NOHELP) {
                pHelp->ShowWindow(SW_HIDE);
                pHelp->EnableWindow(FALSE);
            } else {
                HBITMAP hbmp = (HBITMAP)::LoadImage(AfxGetResourceHandle(), MAKEINTRESOURCE(SP_IDB_CUSTOMIZE_HELP),
                                                    IMAGE_BITMAP, 0, 0, LR_LOADMAP3DCOLORS | LR_CREATEDIBSECTION);
                if (hbmp != NULL) {
                    m_bmpHelp.Attach(hbmp);
                    BITMAP bmp = {};
                    m_bmpHelp.GetBitmap(&bmp);
                    pHelp->ModifyStyle(0, BS_BITMAP);
                    pHelp->SendMessage(BM_SETIMAGE, IMAGE_BITMAP, (LPARAM)hbmp);
                    pHelp->SetWindowPos(NULL, rectClient.left + 8, yOldTop, bmp.bmWidth + 8, bmp.bmHeight + 8,
                                        SWP_NOZORDER | SWP_NOACTIVATE);
                }
                pHelp->ShowWindow(SW_SHOW);
                pHelp->EnableWindow();
            }
        }
    }
    if (m_uiFlags & SPCUSTOMIZE_CONTEXTHELP) ModifyStyleEx(0, WS_EX_CONTEXTHELP);
    return bResult;
}

BOOL CSPToolbarCustomize::OnCommand(WPARAM wParam, LPARAM lParam) {
    switch (LOWORD(wParam)) {
    case IDCANCEL:
        if (g_pUserToolsManager != NULL && m_pToolsPage != NULL && GetPageIndex(m_pToolsPage) >= 0 &&
            !CheckToolsValidity(g_pUserToolsManager->GetUserTools())) {
            SetActivePage(m_pToolsPage);
            return TRUE;
        }
        DestroyWindow();
        return TRUE;
    case nIdHelpButton:
        if (m_pParentFrame != NULL && ::IsWindow(m_pParentFrame->GetSafeHwnd()))
            m_pParentFrame->SendMessage(SP_WM_CUSTOMIZEHELP, GetActiveIndex(), (LPARAM)this);
        return TRUE;
    }
    return CPropertySheet::OnCommand(wParam, lParam);
}

LRESULT CSPToolbarCustomize::OnHelp(WPARAM, LPARAM lParam) {
    HELPINFO* pHelpInfo = (HELPINFO*)lParam;
    if ((m_uiFlags & SPCUSTOMIZE_CONTEXTHELP) && pHelpInfo != NULL && pHelpInfo->iContextType == HELPINFO_WINDOW) {
        AfxGetApp()->WinHelp(pHelpInfo->iCtrlId + 0x41000, HELP_CONTEXTPOPUP);
        return TRUE;
    }
    if (m_pParentFrame != NULL && ::IsWindow(m_pParentFrame->GetSafeHwnd()))
        m_pParentFrame->SendMessage(SP_WM_CUSTOMIZEHELP, GetActiveIndex(), (LPARAM)this);
    return TRUE;
}

// The help context of each control of the pages: its id + 0x41000.
const DWORD* CSPToolbarCustomize::GetHelpIds() {
    static DWORD s_ids[2 * 34 + 2] = {0};
    if (s_ids[0] == 0) {
        static const UINT ranges[][2] = {
            {16601, 16603}, {16611, 16617}, {16621, 16626}, {16631, 16634}, {16641, 16647}, {16651, 16657}};
        int n = 0;
        for (const auto& range : ranges) {
            for (UINT uiId = range[0]; uiId <= range[1]; uiId++) {
                s_ids[n++] = uiId;
                s_ids[n++] = uiId + 0x41000;
            }
        }
        s_ids[n++] = 0;
        s_ids[n] = 0;
    }
    return s_ids;
}

void CSPToolbarCustomize::OnContextMenu(CWnd* pWnd, CPoint /*point*/) {
    CSPWorkspace* pWorkspace = CSPWorkspace::GetInstance();
    if ((m_uiFlags & SPCUSTOMIZE_CONTEXTHELP) && pWorkspace != NULL && pWnd != NULL)
        pWorkspace->OnWinHelp(pWnd, (DWORD_PTR)GetHelpIds());
}

// --- the catalogue ----------------------------------------------------------

CObList* CSPToolbarCustomize::GetCategoryButtons(LPCTSTR lpszCategory) const {
    CObList* pList = NULL;
    if (lpszCategory == NULL || !m_ButtonsByCategory.Lookup(lpszCategory, pList)) return NULL;
    return pList;
}

BOOL CSPToolbarCustomize::IsRefusedCommand(UINT uiCmd) {
    if ((uiCmd >= 0xE110 && uiCmd <= 0xE11F) || (uiCmd >= 0xF000 && uiCmd <= 0xF1EF) || uiCmd >= 0xFF00 ||
        (uiCmd >= 0xE210 && uiCmd <= 0xE21F))
        return uiCmd != (UINT)-1;
    if (g_pUserToolsManager != NULL && uiCmd == g_pUserToolsManager->GetToolsEntryCmd()) return TRUE;
    return !CSPToolBar::IsCommandPermitted(uiCmd);
}

void CSPToolbarCustomize::AddButton(UINT uiCategoryId, const CSPToolbarButton& button, int iInsertBefore) {
    CString strCategory;
    strCategory.LoadString(uiCategoryId);
    AddButton(strCategory, button, iInsertBefore);
}

void CSPToolbarCustomize::AddButton(LPCTSTR lpszCategory, const CSPToolbarButton& button, int iInsertBefore) {
    const UINT uiCmd = button.m_nID;
    if (IsRefusedCommand(uiCmd)) return;

    CString strText = button.m_strText;
    BOOL bUserTool = FALSE;
    if (g_pUserToolsManager != NULL && g_pUserToolsManager->IsUserToolCmd(uiCmd)) {
        CSPUserTool* pTool = g_pUserToolsManager->FindTool(uiCmd);
        if (pTool == NULL) return;
        strText = pTool->m_strLabel;
        bUserTool = TRUE;
    }
    if (strText.IsEmpty()) {
        CString strResource;
        if (uiCmd != 0 && uiCmd != (UINT)-1 && strResource.LoadString(uiCmd)) {
            const int iNewLine = strResource.Find(_T('\n'));
            if (iNewLine >= 0) strText = strResource.Mid(iNewLine + 1);
        }
    } else {
        strText.Remove(_T('&'));
        const int iTab = strText.Find(_T('\t'));
        if (iTab >= 0) strText = strText.Left(iTab);
    }
    if (strText.IsEmpty()) return;

    CObList* pList = GetCategoryButtons(lpszCategory);
    if (pList != NULL) {
        for (POSITION pos = pList->GetHeadPosition(); pos != NULL;) {
            CSPToolbarButton* pOld = (CSPToolbarButton*)pList->GetNext(pos);
            if ((uiCmd != (UINT)-1 && pOld->m_nID == uiCmd) || (uiCmd == (UINT)-1 && pOld->m_nID == (UINT)-1 &&
                                                               pOld->m_strText == strText)) {
                if (pOld->m_strText.IsEmpty()) pOld->m_strText = strText;
                return;
            }
        }
    } else {
        pList = new CObList;
        m_ButtonsByCategory.SetAt(lpszCategory, pList);
        if (m_strAllCommands != lpszCategory) m_lstCategories.AddTail(lpszCategory);
    }

    CSPToolbarButton* pNew = (CSPToolbarButton*)button.GetRuntimeClass()->CreateObject();
    if (pNew == NULL) return;
    pNew->CopyFrom(button);
    pNew->m_strText = strText;
    if (bUserTool) pNew->SetImage(0);
    POSITION posBefore = iInsertBefore >= 0 ? pList->FindIndex(iInsertBefore) : NULL;
    if (posBefore != NULL)
        pList->InsertBefore(posBefore, pNew);
    else
        pList->AddTail(pNew);

    if (m_strAllCommands != lpszCategory) AddButton(m_strAllCommands, button);
    pNew->OnAddToCustomizePage();
}

int CSPToolbarCustomize::RemoveButton(UINT uiCategoryId, UINT uiCmd) {
    if (uiCategoryId == (UINT)-1) {
        for (POSITION pos = m_lstCategories.GetHeadPosition(); pos != NULL;) RemoveButton(m_lstCategories.GetNext(pos), uiCmd);
        RemoveButton(m_strAllCommands, uiCmd);
        return 0;
    }
    CString strCategory;
    strCategory.LoadString(uiCategoryId);
    return RemoveButton(strCategory, uiCmd);
}

int CSPToolbarCustomize::RemoveButton(LPCTSTR lpszCategory, UINT uiCmd) {
    CObList* pList = GetCategoryButtons(lpszCategory);
    if (pList == NULL) return -1;
    int i = 0;
    for (POSITION pos = pList->GetHeadPosition(); pos != NULL; i++) {
        POSITION posThis = pos;
        CSPToolbarButton* pButton = (CSPToolbarButton*)pList->GetNext(pos);
        if (pButton->m_nID == uiCmd) {
            pList->RemoveAt(posThis);
            delete pButton;
            return i;
        }
    }
    return -1;
}

BOOL CSPToolbarCustomize::AddToolBar(UINT uiCategoryId, UINT uiToolbarResId) {
    CString strCategory;
    strCategory.LoadString(uiCategoryId);
    return AddToolBar(strCategory, uiToolbarResId);
}

BOOL CSPToolbarCustomize::AddToolBar(LPCTSTR lpszCategory, UINT uiToolbarResId) {
    HINSTANCE hInst = AfxGetResourceHandle();
    HRSRC hRsrc = ::FindResource(hInst, MAKEINTRESOURCE(uiToolbarResId), RT_TOOLBAR);
    if (hRsrc == NULL) return FALSE;
    HGLOBAL hGlobal = ::LoadResource(hInst, hRsrc);
    if (hGlobal == NULL) return FALSE;
    const WORD* pData = (const WORD*)::LockResource(hGlobal);
    if (pData == NULL) return FALSE;
    // version, width, height, count, then the ids; the count may not run
    // past the resource.
    const DWORD cbSize = ::SizeofResource(hInst, hRsrc);
    if (cbSize < 4 * sizeof(WORD)) return FALSE;
    int nCount = pData[3];
    const int nRoom = (int)(cbSize / sizeof(WORD)) - 4;
    if (nCount > nRoom) nCount = nRoom;
    for (int i = 0; i < nCount; i++) {
        const UINT uiCmd = pData[4 + i];
        if (uiCmd == 0) continue;
        CSPToolbarButton button(uiCmd, -1);
        AddButton(lpszCategory, button);
    }
    return TRUE;
}

BOOL CSPToolbarCustomize::AddMenu(UINT uiMenuResId) {
    CMenu menu;
    if (!menu.LoadMenu(uiMenuResId)) return FALSE;
    AddMenuCommands(&menu, FALSE);
    return TRUE;
}

void CSPToolbarCustomize::SetupFromMenus() {
    CWinApp* pApp = AfxGetApp();
    if (pApp != NULL && pApp->m_pDocManager != NULL) {
        for (POSITION pos = pApp->GetFirstDocTemplatePosition(); pos != NULL;) {
            CMultiDocTemplate* pTemplate = DYNAMIC_DOWNCAST(CMultiDocTemplate, pApp->GetNextDocTemplate(pos));
            if (pTemplate != NULL && pTemplate->m_hMenuShared != NULL)
                AddMenuCommands(CMenu::FromHandle(pTemplate->m_hMenuShared), FALSE);
        }
    }
    if (m_pParentFrame == NULL) return;
    HMENU hMenu = m_pParentFrame->m_hMenuDefault;
    if (hMenu == NULL) {
        for (POSITION pos = g_lstAllToolbars.GetHeadPosition(); pos != NULL && hMenu == NULL;) {
            CSPMenuBar* pBar = DYNAMIC_DOWNCAST(CSPMenuBar, g_lstAllToolbars.GetNext(pos));
            if (pBar != NULL && ::IsWindow(pBar->GetSafeHwnd()) &&
                pBar->GetTopLevelFrame() == m_pParentFrame->GetTopLevelFrame())
                hMenu = pBar->GetDefaultMenu();
        }
    }
    if (hMenu != NULL) AddMenuCommands(CMenu::FromHandle(hMenu), FALSE);
}

CString CSPToolbarCustomize::MenuPathName(const CString& strPath, const CString& strText) {
    CString strSource = strPath + strText;
    const int iTab = strSource.Find(_T('\t'));
    if (iTab >= 0) strSource = strSource.Left(iTab);
    CString strName;
    BOOL bUpper = FALSE;
    for (int i = 0; i < strSource.GetLength(); i++) {
        TCHAR ch = strSource[i];
        if (ch == _T(' ')) {
            bUpper = TRUE;
            continue;
        }
        if (bUpper) ch = (TCHAR)_totupper((unsigned char)ch);
        bUpper = FALSE;
        strName += ch;
    }
    return strName;
}

void CSPToolbarCustomize::AddMenuCommands(const CMenu* pMenu, BOOL bPopup, LPCTSTR lpszCategory,
                                          LPCTSTR lpszMenuPath) {
    if (pMenu == NULL) return;
    BOOL bWindowMenu = FALSE;
    const int nCount = pMenu->GetMenuItemCount();
    for (int i = 0; i < nCount; i++) {
        const UINT uiCmd = pMenu->GetMenuItemID(i);
        CString strText;
        const int nLen = ::GetMenuStringA(pMenu->m_hMenu, i, NULL, 0, MF_BYPOSITION);
        if (nLen > 0) {
            std::vector<char> buffer(nLen * 2 + 2, 0);
            ::GetMenuStringA(pMenu->m_hMenu, i, buffer.data(), (int)buffer.size(), MF_BYPOSITION);
            strText = buffer.data();
        }
        strText.Remove(_T('&'));

        if (uiCmd == 0) continue;
        if (uiCmd == (UINT)-1) {
            CString strCategory = lpszCategory != NULL ? CString(lpszCategory) : strText;
            UINT uiTearOffId = 0;
            if (g_pTearOffMenuManager != NULL) uiTearOffId = g_pTearOffMenuManager->ParseTearOffTag(strText);
            if (lpszCategory == NULL) strCategory = strText;
            CMenu* pSubMenu = pMenu->GetSubMenu(i);
            if (!m_bAutoSetFromMenus) {
                AddMenuCommands(pSubMenu, TRUE);
                continue;
            }
            if (bPopup) {
                CSPToolbarMenuButton menuButton((UINT)-1, pSubMenu != NULL ? pSubMenu->m_hMenu : NULL, -1, strText);
                menuButton.SetTearOff(uiTearOffId);
                AddButton(strCategory, menuButton);
            }
            const CString strPath = CString(lpszMenuPath != NULL ? lpszMenuPath : _T("")) + strText;
            AddMenuCommands(pSubMenu, TRUE, strCategory, strPath);
            continue;
        }

        if (bPopup && uiCmd >= 0xE130 && uiCmd <= 0xE13F) bWindowMenu = TRUE;
        if (lpszCategory != NULL && g_pUserToolsManager != NULL &&
            uiCmd == g_pUserToolsManager->GetToolsEntryCmd()) {
            AddUserTools(lpszCategory);
            continue;
        }
        CSPToolbarButton button(uiCmd, -1, strText);
        if (lpszMenuPath != NULL) button.m_strTextCustom = MenuPathName(lpszMenuPath, strText);
        AddButton(lpszCategory != NULL ? lpszCategory : (LPCTSTR)m_strAllCommands, button);
    }

    // The "Windows" dialog the frame adds to its Window menu at run time.
    CSPMDIFrameWnd* pMDIFrame = DYNAMIC_DOWNCAST(CSPMDIFrameWnd, m_pParentFrame);
    if (bWindowMenu && lpszCategory != NULL && pMDIFrame != NULL && pMDIFrame->GetWindowsDialogCommand() != 0 &&
        pMDIFrame->IsWindowsDialogShownAlways()) {
        CSPToolbarButton button(pMDIFrame->GetWindowsDialogCommand(), -1, pMDIFrame->GetWindowsDialogText());
        AddButton(lpszCategory, button);
    }
}

void CSPToolbarCustomize::AddUserTools(LPCTSTR lpszCategory) {
    CSPResourceScope scope;
    if (g_pUserToolsManager == NULL) return;
    const CObList& lstTools = g_pUserToolsManager->GetUserTools();
    for (POSITION pos = lstTools.GetHeadPosition(); pos != NULL;) {
        CSPUserTool* pTool = (CSPUserTool*)lstTools.GetNext(pos);
        CSPToolbarButton button(pTool->m_uiCmdId, 0, pTool->m_strLabel);
        AddButton(lpszCategory, button);
    }
}

BOOL CSPToolbarCustomize::RenameCategory(LPCTSTR lpszCategoryOld, LPCTSTR lpszCategoryNew) {
    CObList* pList = NULL;
    if (m_lstCategories.Find(lpszCategoryNew) != NULL || m_ButtonsByCategory.Lookup(lpszCategoryNew, pList))
        return FALSE;
    POSITION pos = m_lstCategories.Find(lpszCategoryOld);
    if (pos == NULL || !m_ButtonsByCategory.Lookup(lpszCategoryOld, pList)) return FALSE;
    m_lstCategories.SetAt(pos, lpszCategoryNew);
    m_ButtonsByCategory.RemoveKey(lpszCategoryOld);
    m_ButtonsByCategory.SetAt(lpszCategoryNew, pList);
    return TRUE;
}

static void ReplaceInList(CObList* pList, UINT uiCmd, const CSPToolbarButton& button) {
    if (pList == NULL) return;
    for (POSITION pos = pList->GetHeadPosition(); pos != NULL;) {
        POSITION posThis = pos;
        CSPToolbarButton* pOld = (CSPToolbarButton*)pList->GetNext(pos);
        if (pOld->m_nID != uiCmd) continue;
        CSPToolbarButton* pNew = (CSPToolbarButton*)button.GetRuntimeClass()->CreateObject();
        if (pNew == NULL) continue;
        pNew->CopyFrom(button);
        if (pNew->m_strText.IsEmpty()) pNew->m_strText = pOld->m_strText;
        pList->SetAt(posThis, pNew);
        delete pOld;
    }
}

void CSPToolbarCustomize::ReplaceButton(UINT uiCmd, const CSPToolbarButton& button) {
    for (POSITION pos = m_lstCategories.GetHeadPosition(); pos != NULL;)
        ReplaceInList(GetCategoryButtons(m_lstCategories.GetNext(pos)), uiCmd, button);
    ReplaceInList(GetCategoryButtons(m_strAllCommands), uiCmd, button);
}

BOOL CSPToolbarCustomize::SetUserCategory(LPCTSTR lpszCategory) {
    if (GetCategoryButtons(lpszCategory) == NULL) return FALSE;
    m_pCustomizePage->SetUserCategory(lpszCategory);
    return TRUE;
}

static BOOL HasRealCommand(const CObList* pList) {
    for (POSITION pos = pList->GetHeadPosition(); pos != NULL;) {
        const CSPToolbarButton* pButton = (const CSPToolbarButton*)pList->GetNext(pos);
        if (pButton->m_nID != 0 && pButton->m_nID != (UINT)-1) return TRUE;
    }
    return FALSE;
}

// Both controls take the same messages but for their codes.
template <class TControl>
static void FillCategories(const CSPToolbarCustomize& sheet, TControl& wnd, UINT uiAdd, UINT uiSetData,
                           BOOL bAddEmpty) {
    CStringList lstNames;
    lstNames.AddTail((CStringList*)&sheet.GetCategoryNames());
    lstNames.AddTail(sheet.GetAllCommandsName());
    for (POSITION pos = lstNames.GetHeadPosition(); pos != NULL;) {
        const CString strName = lstNames.GetNext(pos);
        CObList* pList = sheet.GetCategoryButtons(strName);
        if (pList == NULL) continue;
        if (!bAddEmpty && !HasRealCommand(pList)) continue;
        const int i = (int)wnd.SendMessage(uiAdd, 0, (LPARAM)(LPCTSTR)strName);
        if (i >= 0) wnd.SendMessage(uiSetData, i, (LPARAM)pList);
    }
}

void CSPToolbarCustomize::FillCategoriesComboBox(CComboBox& wndCategory, BOOL bAddEmpty) const {
    FillCategories(*this, wndCategory, CB_ADDSTRING, CB_SETITEMDATA, bAddEmpty);
}

void CSPToolbarCustomize::FillCategoriesListBox(CListBox& wndCategory, BOOL bAddEmpty) const {
    FillCategories(*this, wndCategory, LB_ADDSTRING, LB_SETITEMDATA, bAddEmpty);
}

void CSPToolbarCustomize::FillAllCommandsList(CListBox& wndListOfCommands) const {
    wndListOfCommands.ResetContent();
    CObList* pList = GetCategoryButtons(m_strAllCommands);
    if (pList == NULL) return;
    for (POSITION pos = pList->GetHeadPosition(); pos != NULL;) {
        const CSPToolbarButton* pButton = (const CSPToolbarButton*)pList->GetNext(pos);
        const CString& strText = pButton->m_strTextCustom.IsEmpty() ? pButton->m_strText : pButton->m_strTextCustom;
        const int i = wndListOfCommands.AddString(strText);
        if (i >= 0) wndListOfCommands.SetItemData(i, pButton->m_nID);
    }
}

LPCTSTR CSPToolbarCustomize::GetCommandName(UINT uiCmd) const {
    CObList* pList = GetCategoryButtons(m_strAllCommands);
    if (pList == NULL) return NULL;
    for (POSITION pos = pList->GetHeadPosition(); pos != NULL;) {
        const CSPToolbarButton* pButton = (const CSPToolbarButton*)pList->GetNext(pos);
        if (pButton->m_nID == uiCmd) return pButton->m_strText;
    }
    return NULL;
}

int CSPToolbarCustomize::CountCategoryMatches(LPCTSTR lpszText, const CObList& lstButtons) {
    int nCount = 0;
    for (POSITION pos = lstButtons.GetHeadPosition(); pos != NULL;) {
        const CSPToolbarButton* pButton = (const CSPToolbarButton*)lstButtons.GetNext(pos);
        if (pButton->m_strText == lpszText) nCount++;
    }
    return nCount;
}

void CSPToolbarCustomize::ShowToolBar(CSPToolBar* pToolBar, BOOL bShow) {
    m_pToolbarsPage->SetToolbarCheck(pToolBar, bShow);
}

void CSPToolbarCustomize::EnableUserDefinedToolbars(BOOL bEnable) {
    m_pToolbarsPage->EnableUserDefinedToolbars(bEnable);
}
