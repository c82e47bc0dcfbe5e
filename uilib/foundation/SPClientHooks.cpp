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

void (*SPClientHooks::pfnGetTasksGroupInfo)(CSPTasksGroup*, SPTasksGroupInfo&) = NULL;
void (*SPClientHooks::pfnGetTaskInfo)(CSPTask*, SPTaskInfo&) = NULL;

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
    if (ISPVisualPopupMenu* pClient = SPClientOf<ISPVisualPopupMenu>(pMenu)) pClient->GetVisualInfo(info);
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

// ---------------------------------------------------------------------------
// The dialog menu helper's hooks

static CSPPopupMenu* s_pActivePopupMenu = NULL;

CSPPopupMenu* SPPopupMenuClient::GetActivePopupMenu() { return s_pActivePopupMenu; }
void SPPopupMenuClient::SetActivePopupMenu(CSPPopupMenu* pMenu) { s_pActivePopupMenu = pMenu; }
CWnd* SPPopupMenuClient::PopupAsWnd(CSPPopupMenu* pMenu) {
    ISPDialogPopupMenu* pClient = SPClientOf<ISPDialogPopupMenu>(pMenu);
    return pClient != NULL ? pClient->GetPopupWnd() : NULL;
}
int SPPopupMenuClient::MenuHitTest(CSPPopupMenu* pMenu, CPoint ptScreen) {
    ISPDialogPopupMenu* pClient = SPClientOf<ISPDialogPopupMenu>(pMenu);
    return pClient != NULL ? pClient->MenuHitTest(ptScreen) : 4;
}
CSPPopupMenu* SPPopupMenuClient::GetParentPopupMenu(CSPPopupMenu* pMenu) {
    ISPDialogPopupMenu* pClient = SPClientOf<ISPDialogPopupMenu>(pMenu);
    return pClient != NULL ? pClient->GetParentPopupMenu() : NULL;
}
BOOL SPPopupMenuClient::GetParentButton(CSPPopupMenu* pMenu, CRect& rectScreen, BOOL& bOnPopupMenuBar,
                                        BOOL& bHoldsPopupOpen) {
    rectScreen.SetRectEmpty();
    bOnPopupMenuBar = bHoldsPopupOpen = FALSE;
    ISPDialogPopupMenu* pClient = SPClientOf<ISPDialogPopupMenu>(pMenu);
    return pClient != NULL && pClient->GetParentButtonRect(rectScreen, bOnPopupMenuBar, bHoldsPopupOpen);
}
BOOL SPPopupMenuClient::IsOverPopupMenuBar(CPoint ptScreen) {
    ISPDialogPopupMenu* pClient = SPClientOf<ISPDialogPopupMenu>(s_pActivePopupMenu);
    return pClient != NULL && pClient->IsOverParentMenuBar(ptScreen);
}
