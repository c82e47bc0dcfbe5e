// SPMenuBarLayouts.cpp - CSPMenuBar: one customised layout per menu. While
// the program runs the layouts wait in the temporary state store keyed by
// the menu handle, and the bar swaps them as the frame changes menus;
// between runs each is a toolbar state keyed by the menu's resource id.
#include "SPMenuBar.h"

#include "afxdocvw.h"

#include "SPRegistry.h"
#include "SPTearOffManager.h"
#include "SPTempStateStore.h"
#include "SPToolbarMenuButton.h"

namespace {

const TCHAR szMenuBarSection[] = _T("SMenuBar");

UINT StoreKey(HMENU hMenu) { return (UINT)(UINT_PTR)hMenu; }

// Calls fn(template) for every multiple-document template with a shared
// menu.
template <class Fn>
void ForEachTemplateMenu(Fn fn) {
    CWinApp* pApp = AfxGetApp();
    if (pApp == NULL || pApp->m_pDocManager == NULL) return;
    for (POSITION pos = pApp->m_pDocManager->GetFirstDocTemplatePosition(); pos != NULL;) {
        CMultiDocTemplate* pTemplate =
            DYNAMIC_DOWNCAST(CMultiDocTemplate, pApp->m_pDocManager->GetNextDocTemplate(pos));
        if (pTemplate != NULL && pTemplate->m_hMenuShared != NULL) fn(pTemplate);
    }
}

void DeleteButtonList(CObList& list) {
    while (!list.IsEmpty()) delete list.RemoveHead();
}

}  // namespace

BOOL CSPMenuBar::SaveMenuLayout(HMENU hMenu) {
    return hMenu != NULL && spTempStateStore.SaveState(StoreKey(hMenu), this);
}

BOOL CSPMenuBar::LoadMenuLayout(HMENU hMenu) {
    return hMenu != NULL && spTempStateStore.LoadState(StoreKey(hMenu), this);
}

void CSPMenuBar::OnLayoutLoaded() {
    if (GetSafeHwnd() == NULL) return;
    if (CFrameWnd* pFrame = GetParentFrame()) pFrame->RecalcLayout();
    RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
}

BOOL CSPMenuBar::LoadOriginals(UINT uiMenuResId) {
    DeleteButtonList(m_OrigButtons);
    if (AfxGetMainWnd() == NULL) return FALSE;
    HMENU hMenu = ::LoadMenu(AfxGetResourceHandle(), MAKEINTRESOURCE(uiMenuResId));
    if (hMenu == NULL) return FALSE;
    const int nCount = ::GetMenuItemCount(hMenu);
    for (int i = 0; i < nCount; i++) {
        const UINT uiID = ::GetMenuItemID(hMenu, i);
        if (uiID == 0) {
            CSPToolbarButton* pSeparator = new CSPToolbarButton;
            pSeparator->m_nStyle = TBBS_SEPARATOR;
            m_OrigButtons.AddTail(pSeparator);
        } else if (uiID == (UINT)-1) {
            m_OrigButtons.AddTail(new CSPToolbarMenuButton(0, ::GetSubMenu(hMenu, i), -1));
        } else {
            m_OrigButtons.AddTail(new CSPToolbarButton(uiID, -1));
        }
    }
    ::DestroyMenu(hMenu);
    return TRUE;
}

BOOL CSPMenuBar::SaveState(LPCTSTR lpszProfileName, int nIndex, UINT /*uiID*/) {
    const CString strPath = SPGetRegPath(szMenuBarSection, lpszProfileName);
    // The caption buttons belong to no menu's layout.
    const BOOL bWasMaximized = m_bMaximizeMode;
    SetMaximizeMode(FALSE, NULL, FALSE);
    SaveMenuLayout(m_hMenu);

    if (m_bMDIApp) {
        ForEachTemplateMenu([&](CMultiDocTemplate* pTemplate) {
            if (!LoadMenuLayout(pTemplate->m_hMenuShared)) return;
            LoadOriginals(pTemplate->m_nIDResource);
            CSPToolBar::SaveState(strPath, nIndex, pTemplate->m_nIDResource);
        });
    }
    if (LoadMenuLayout(m_hDefaultMenu)) {
        LoadOriginals(m_uiDefMenuResId);
        CSPToolBar::SaveState(strPath, nIndex, 0);
    }

    const BOOL bLoaded = LoadMenuLayout(m_hMenu);
    if (bWasMaximized) RestoreMaximizeMode(!bLoaded);
    if (bLoaded) OnLayoutLoaded();
    if (GetSafeHwnd() != NULL) AdjustLayout();
    return TRUE;
}

BOOL CSPMenuBar::LoadState(LPCTSTR lpszProfileName, int nIndex, UINT /*uiID*/) {
    const CString strPath = SPGetRegPath(szMenuBarSection, lpszProfileName);
    CWnd* pParent = GetSafeHwnd() != NULL ? GetParent() : NULL;
    const BOOL bWasMaximized = m_bMaximizeMode;
    SetMaximizeMode(FALSE, NULL, FALSE);

    // A stored layout counts only when it loads whole and its menu resource
    // is the one it was made from.
    auto loadStored = [&](UINT uiMenuResId, UINT uiKey) -> BOOL {
        LoadOriginals(uiMenuResId);
        m_bResourceWasChanged = FALSE;
        if (!CSPToolBar::LoadState(strPath, nIndex, uiKey) || m_bResourceWasChanged) return FALSE;
        // A damaged layout that fell back to nothing is no layout.
        return GetCount() > 0;
    };

    if (m_bMDIApp) {
        ForEachTemplateMenu([&](CMultiDocTemplate* pTemplate) {
            const HMENU hMenu = pTemplate->m_hMenuShared;
            const UINT uiResId = pTemplate->m_nIDResource;
            if (loadStored(uiResId, uiResId)) {
                SaveMenuLayout(hMenu);
                return;
            }
            if (pParent == NULL) return;
            m_hMenu = NULL;
            CreateFromMenu(hMenu, FALSE, TRUE);
            pParent->SendMessage(SP_WM_RESETMENU, uiResId);
            SaveMenuLayout(hMenu);
            m_hMenu = hMenu;
        });
    }

    if (m_hDefaultMenu != NULL) {
        if (loadStored(m_uiDefMenuResId, 0)) {
            SaveMenuLayout(m_hDefaultMenu);
        } else if (pParent != NULL) {
            const HMENU hDefault = m_hDefaultMenu;
            m_hMenu = NULL;
            CreateFromMenu(hDefault, TRUE, TRUE);
            if (m_uiDefMenuResId == 0) pParent->SendMessage(0x366);
            pParent->SendMessage(SP_WM_RESETMENU, m_uiDefMenuResId);
            SaveMenuLayout(hDefault);
            m_hMenu = hDefault;
        }
    }

    const BOOL bLoaded = LoadMenuLayout(m_hMenu);
    if (bWasMaximized) RestoreMaximizeMode(!bLoaded);
    if (bLoaded) OnLayoutLoaded();
    if (GetSafeHwnd() != NULL) AdjustLayout();
    RebuildAccelerationKeys();
    return TRUE;
}

void CSPMenuBar::UpdateButtonsTextFromResource() {
    const BOOL bWasMaximized = m_bMaximizeMode;
    SetMaximizeMode(FALSE, NULL, FALSE);
    SaveMenuLayout(m_hMenu);
    auto update = [&](HMENU hMenu) {
        if (hMenu == NULL || !LoadMenuLayout(hMenu)) return;
        CSPToolBar::UpdateButtonsTextFromResource();
        SaveMenuLayout(hMenu);
    };
    if (m_bMDIApp) ForEachTemplateMenu([&](CMultiDocTemplate* pTemplate) { update(pTemplate->m_hMenuShared); });
    update(m_hDefaultMenu);
    const BOOL bLoaded = LoadMenuLayout(m_hMenu);
    if (bWasMaximized) RestoreMaximizeMode(!bLoaded);
    if (bLoaded) OnLayoutLoaded();
}

BOOL CSPMenuBar::RestoreOriginalState() {
    // The caption buttons go before the layout is kept, and come back after.
    const BOOL bWasMaximized = m_bMaximizeMode;
    SetMaximizeMode(FALSE, NULL, TRUE);
    SaveMenuLayout(m_hMenu);
    if (g_pTearOffMenuManager != NULL) g_pTearOffMenuManager->SetupTearOffMenus(NULL);

    HMENU hMenuToShow = m_hMenu;
    ForEachTemplateMenu([&](CMultiDocTemplate* pTemplate) {
        HMENU hNew = ::LoadMenu(AfxGetResourceHandle(), MAKEINTRESOURCE(pTemplate->m_nIDResource));
        if (hNew == NULL) return;
        const HMENU hOld = pTemplate->m_hMenuShared;
        pTemplate->m_hMenuShared = hNew;
        m_hMenu = NULL;
        CreateFromMenu(hNew, FALSE, TRUE);
        SaveMenuLayout(hNew);
        if (hOld == hMenuToShow) hMenuToShow = hNew;
        // The open documents' frames show the new menu.
        for (POSITION pos = pTemplate->GetFirstDocPosition(); pos != NULL;) {
            CDocument* pDoc = pTemplate->GetNextDoc(pos);
            for (POSITION posView = pDoc->GetFirstViewPosition(); posView != NULL;) {
                CView* pView = pDoc->GetNextView(posView);
                CMDIChildWnd* pChild = DYNAMIC_DOWNCAST(CMDIChildWnd, pView->GetParentFrame());
                if (pChild != NULL) pChild->SetHandles(hNew, pTemplate->m_hAccelTable);
            }
        }
        spTempStateStore.RemoveState(StoreKey(hOld));
        ::DestroyMenu(hOld);
    });

    if (m_uiDefMenuResId != 0) {
        HMENU hNew = ::LoadMenu(AfxGetResourceHandle(), MAKEINTRESOURCE(m_uiDefMenuResId));
        if (hNew != NULL) {
            const HMENU hOld = m_hDefaultMenu;
            OnSetDefaultMenu(hNew);
            m_hMenu = NULL;
            CreateFromMenu(hNew, TRUE, TRUE);
            SaveMenuLayout(hNew);
            if (hOld == hMenuToShow || hMenuToShow == NULL) hMenuToShow = hNew;
            if (CFrameWnd* pFrame = DYNAMIC_DOWNCAST(CFrameWnd, m_pParentFrame))
                if (pFrame->m_hMenuDefault == hOld) pFrame->m_hMenuDefault = hNew;
            if (hOld != NULL && hOld != hNew) {
                spTempStateStore.RemoveState(StoreKey(hOld));
                ::DestroyMenu(hOld);
            }
        }
    }

    if (LoadMenuLayout(hMenuToShow)) {
        m_hMenu = hMenuToShow;
        if (!bWasMaximized) OnLayoutLoaded();
    }
    if (bWasMaximized) RestoreMaximizeMode(TRUE);
    if (GetSafeHwnd() != NULL) AdjustLayout();
    RebuildAccelerationKeys();
    return TRUE;
}
