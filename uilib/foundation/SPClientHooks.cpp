#include "SPClientHooks.h"
#include "SPGlobalData.h"

BOOL SPIsKindOf(const CObject* pObj, LPCSTR lpszClassName) {
    if (pObj == NULL || lpszClassName == NULL) return FALSE;
    for (const CRuntimeClass* p = pObj->GetRuntimeClass(); p != NULL; p = p->m_pBaseClass) {
        if (lstrcmpA(p->m_lpszClassName, lpszClassName) == 0) return TRUE;
    }
    return FALSE;
}

HIMAGELIST SPGetImageListHandle(CImageList* pImageList) {
    return pImageList != NULL ? pImageList->GetSafeHandle() : NULL;
}

void (*SPClientHooks::pfnGetPopupMenuInfo)(CSPPopupMenu*, SPPopupMenuInfo&) = NULL;
void (*SPClientHooks::pfnGetTasksGroupInfo)(CSPTasksGroup*, SPTasksGroupInfo&) = NULL;
void (*SPClientHooks::pfnGetTaskInfo)(CSPTask*, SPTaskInfo&) = NULL;
CFont* (*SPClientHooks::pfnGetMenuFont)(BOOL) = NULL;

SPBarInfo SPClientHooks::GetBarInfo(CSPBaseControlBar* pBar) {
    SPBarInfo info;
    if (ISPVisualBar* pClient = SPClientOf<ISPVisualBar>(pBar)) pClient->GetVisualInfo(info);
    return info;
}

ISPBarOwnBackground* SPClientHooks::GetOwnBackground(CSPBaseControlBar* pBar) {
    return SPClientOf<ISPBarOwnBackground>(pBar);
}

BOOL SPClientHooks::IsDockingPane(CWnd* pWnd) {
    SPBarInfo info;
    if (ISPVisualBar* pClient = SPClientOf<ISPVisualBar>(pWnd)) pClient->GetVisualInfo(info);
    return info.bDockingPane;
}

template <class T>
static SPToolbarButtonInfo ToolbarButtonInfo(T* pButton) {
    SPToolbarButtonInfo info;
    if (const ISPVisualToolbarButton* pClient = SPClientOf<ISPVisualToolbarButton>(pButton))
        pClient->GetVisualInfo(info);
    return info;
}
SPToolbarButtonInfo SPClientHooks::GetToolbarButtonInfo(CSPToolbarButton* pButton) {
    return ToolbarButtonInfo(pButton);
}
SPToolbarButtonInfo SPClientHooks::GetToolbarButtonInfo(CSPToolbarMenuButton* pButton) {
    return ToolbarButtonInfo(pButton);
}

UINT SPClientHooks::GetDefaultAccelResId(CFrameWnd* pFrame) {
    const ISPAccelFrame* pClient = dynamic_cast<const ISPAccelFrame*>(pFrame);
    return pClient != NULL ? pClient->GetDefaultResId() : 0;
}

SPCaptionButtonInfo SPClientHooks::GetCaptionButtonInfo(CSPCaptionButton* pButton) {
    SPCaptionButtonInfo info;
    const ISPVisualCaptionButton* pClient = SPClientOf<ISPVisualCaptionButton>(pButton);
    if (pClient != NULL) pClient->GetVisualInfo(info);
    return info;
}

ISPMiniFrame* SPClientHooks::GetMiniFrame(CWnd* pWnd) { return SPClientOf<ISPMiniFrame>(pWnd); }

CList<HWND, HWND>& SPMiniFrameList::Windows() {
    static CList<HWND, HWND> s_lst(10);
    return s_lst;
}

void SPMiniFrameList::RedrawAll() {
    for (POSITION pos = Windows().GetHeadPosition(); pos != NULL;) {
        HWND hwnd = Windows().GetNext(pos);
        if (::IsWindow(hwnd))
            ::RedrawWindow(hwnd, NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    }
}

SPPopupMenuInfo SPClientHooks::GetPopupMenuInfo(CSPPopupMenu* pMenu) {
    SPPopupMenuInfo info;
    if (pMenu != NULL && pfnGetPopupMenuInfo != NULL) pfnGetPopupMenuInfo(pMenu, info);
    return info;
}

SPTabInfo SPClientHooks::GetTabInfo(CSPBaseTabWnd* pTabWnd, int iTab) {
    SPTabInfo info;
    if (ISPVisualTabWnd* pClient = SPClientOf<ISPVisualTabWnd>(pTabWnd)) pClient->GetTabVisualInfo(iTab, info);
    return info;
}

BOOL SPClientHooks::IsFlatTabWnd(CSPTabWnd* pTabWnd) {
    SPTabInfo info;
    if (ISPVisualTabWnd* pClient = SPClientOf<ISPVisualTabWnd>(pTabWnd)) pClient->GetTabVisualInfo(-1, info);
    return info.bFlatTabs;
}

SPButtonInfo SPClientHooks::GetButtonInfo(CSPButton* pButton) {
    SPButtonInfo info;
    if (ISPVisualButton* pClient = SPClientOf<ISPVisualButton>(pButton)) pClient->GetVisualInfo(info);
    return info;
}

SPTasksGroupInfo SPClientHooks::GetTasksGroupInfo(CSPTasksGroup* pGroup) {
    SPTasksGroupInfo info;
    if (pGroup != NULL && pfnGetTasksGroupInfo != NULL) pfnGetTasksGroupInfo(pGroup, info);
    return info;
}

SPTaskInfo SPClientHooks::GetTaskInfo(CSPTask* pTask) {
    SPTaskInfo info;
    if (pTask != NULL && pfnGetTaskInfo != NULL) pfnGetTaskInfo(pTask, info);
    return info;
}

CFont* SPClientHooks::GetMenuFont(BOOL bHorz) {
    if (pfnGetMenuFont != NULL) {
        CFont* pFont = pfnGetMenuFont(bHorz);
        if (pFont != NULL) return pFont;
    }
    return bHorz ? &spGlobalData.fontRegular : &spGlobalData.fontVert;
}

// ---------------------------------------------------------------------------
// The dialog menu helper's hooks

CSPPopupMenu* (*SPDlgMenuHooks::pfnGetActivePopupMenu)() = NULL;
void (*SPDlgMenuHooks::pfnSetActivePopupMenu)(CSPPopupMenu*) = NULL;
CWnd* (*SPDlgMenuHooks::pfnPopupAsWnd)(CSPPopupMenu*) = NULL;
int (*SPDlgMenuHooks::pfnMenuHitTest)(CSPPopupMenu*, CPoint) = NULL;
CSPPopupMenu* (*SPDlgMenuHooks::pfnGetParentPopupMenu)(CSPPopupMenu*) = NULL;
BOOL (*SPDlgMenuHooks::pfnGetParentButton)(CSPPopupMenu*, CRect&, BOOL&, BOOL&) = NULL;
BOOL (*SPDlgMenuHooks::pfnIsOverPopupMenuBar)(CPoint) = NULL;

// The active popup while no popup class answers for it.
static CSPPopupMenu* s_pActivePopupMenuRecord = NULL;

CSPPopupMenu* SPDlgMenuHooks::GetActivePopupMenu() {
    return pfnGetActivePopupMenu != NULL ? pfnGetActivePopupMenu() : s_pActivePopupMenuRecord;
}
void SPDlgMenuHooks::SetActivePopupMenu(CSPPopupMenu* pMenu) {
    if (pfnSetActivePopupMenu != NULL) pfnSetActivePopupMenu(pMenu);
    else s_pActivePopupMenuRecord = pMenu;
}
CWnd* SPDlgMenuHooks::PopupAsWnd(CSPPopupMenu* pMenu) {
    return pMenu != NULL && pfnPopupAsWnd != NULL ? pfnPopupAsWnd(pMenu) : NULL;
}
int SPDlgMenuHooks::MenuHitTest(CSPPopupMenu* pMenu, CPoint ptScreen) {
    return pMenu != NULL && pfnMenuHitTest != NULL ? pfnMenuHitTest(pMenu, ptScreen) : 4;
}
CSPPopupMenu* SPDlgMenuHooks::GetParentPopupMenu(CSPPopupMenu* pMenu) {
    return pMenu != NULL && pfnGetParentPopupMenu != NULL ? pfnGetParentPopupMenu(pMenu) : NULL;
}
BOOL SPDlgMenuHooks::GetParentButton(CSPPopupMenu* pMenu, CRect& rectScreen, BOOL& bOnPopupMenuBar,
                                     BOOL& bHoldsPopupOpen) {
    rectScreen.SetRectEmpty();
    bOnPopupMenuBar = bHoldsPopupOpen = FALSE;
    return pMenu != NULL && pfnGetParentButton != NULL &&
           pfnGetParentButton(pMenu, rectScreen, bOnPopupMenuBar, bHoldsPopupOpen);
}
BOOL SPDlgMenuHooks::IsOverPopupMenuBar(CPoint ptScreen) {
    return pfnIsOverPopupMenuBar != NULL && pfnIsOverPopupMenuBar(ptScreen);
}
