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

void (*SPClientHooks::pfnGetBarInfo)(CSPBaseControlBar*, SPBarInfo&) = NULL;
void (*SPClientHooks::pfnOutlookPaneFillBackground)(CSPBaseControlBar*, CDC*, CRect) = NULL;
CSPBaseControlBar* (*SPClientHooks::pfnDockingBarAsBar)(CSPDockingControlBar*) = NULL;
void (*SPClientHooks::pfnGetCaptionButtonInfo)(CSPCaptionButton*, SPCaptionButtonInfo&) = NULL;
void (*SPClientHooks::pfnGetPopupMenuInfo)(CSPPopupMenu*, SPPopupMenuInfo&) = NULL;
HWND (*SPClientHooks::pfnGetMiniFrameOwner)(CWnd*) = NULL;
BOOL (*SPClientHooks::pfnMiniFrameHoldsToolBar)(CSPMiniFrameWnd*) = NULL;
void (*SPClientHooks::pfnGetTabInfo)(CSPBaseTabWnd*, int, SPTabInfo&) = NULL;
BOOL (*SPClientHooks::pfnTabWndIsFlat)(CSPTabWnd*) = NULL;
void (*SPClientHooks::pfnGetButtonInfo)(CSPButton*, SPButtonInfo&) = NULL;
void (*SPClientHooks::pfnGetTasksGroupInfo)(CSPTasksGroup*, SPTasksGroupInfo&) = NULL;
void (*SPClientHooks::pfnGetTaskInfo)(CSPTask*, SPTaskInfo&) = NULL;
CFont* (*SPClientHooks::pfnGetMenuFont)(BOOL) = NULL;
COLORREF (*SPClientHooks::pfnGetToolbarButtonTextColor)() = NULL;
CSize (*SPClientHooks::pfnGetMenuImageSize)() = NULL;
BOOL (*SPClientHooks::pfnMenuShadowsOn)() = NULL;

SPBarInfo SPClientHooks::GetBarInfo(CSPBaseControlBar* pBar) {
    SPBarInfo info;
    info.pWnd = NULL;
    info.dwStyle = 0;
    info.bDrawsOwnBorder = FALSE;
    info.bFloatingOrVertical = FALSE;
    info.clrCaptionBack = (COLORREF)-1;
    info.bHideImages = FALSE;
    info.bOnToolBar = FALSE;
    if (pBar != NULL && pfnGetBarInfo != NULL) pfnGetBarInfo(pBar, info);
    return info;
}

SPCaptionButtonInfo SPClientHooks::GetCaptionButtonInfo(CSPCaptionButton* pButton) {
    SPCaptionButtonInfo info;
    info.ptPos = CPoint(0, 0);
    info.bHidden = TRUE;
    info.nHit = 0;
    info.bPushed = FALSE;
    info.bFocused = FALSE;
    if (pButton != NULL && pfnGetCaptionButtonInfo != NULL) pfnGetCaptionButtonInfo(pButton, info);
    return info;
}

SPPopupMenuInfo SPClientHooks::GetPopupMenuInfo(CSPPopupMenu* pMenu) {
    SPPopupMenuInfo info;
    info.pParentButton = NULL;
    info.pParentButtonWnd = NULL;
    info.bHasParentPopupMenu = FALSE;
    info.nDropDirection = 1;
    if (pMenu != NULL && pfnGetPopupMenuInfo != NULL) pfnGetPopupMenuInfo(pMenu, info);
    return info;
}

SPTabInfo SPClientHooks::GetTabInfo(CSPBaseTabWnd* pTabWnd, int iTab) {
    SPTabInfo info;
    info.pWnd = NULL;
    info.clrBack = (COLORREF)-1;
    info.clrText = (COLORREF)-1;
    info.nLocation = 0;
    info.bFlatTabs = FALSE;
    info.bNoMnemonics = FALSE;
    info.bExtraStyle = FALSE;
    info.nDrawOption = 0;
    info.iActiveTab = -1;
    info.sizeImage = CSize(0, 0);
    info.iImage = -1;
    info.hIcon = NULL;
    info.himlImages = NULL;
    if (pTabWnd != NULL && pfnGetTabInfo != NULL) pfnGetTabInfo(pTabWnd, iTab, info);
    return info;
}

SPButtonInfo SPClientHooks::GetButtonInfo(CSPButton* pButton) {
    SPButtonInfo info;
    info.pWnd = NULL;
    info.bPushed = FALSE;
    info.bHighlighted = FALSE;
    if (pButton != NULL && pfnGetButtonInfo != NULL) pfnGetButtonInfo(pButton, info);
    return info;
}

SPTasksGroupInfo SPClientHooks::GetTasksGroupInfo(CSPTasksGroup* pGroup) {
    SPTasksGroupInfo info;
    info.bIsSpecial = FALSE;
    info.rect.SetRectEmpty();
    info.bIsCollapsed = FALSE;
    if (pGroup != NULL && pfnGetTasksGroupInfo != NULL) pfnGetTasksGroupInfo(pGroup, info);
    return info;
}

SPTaskInfo SPClientHooks::GetTaskInfo(CSPTask* pTask) {
    SPTaskInfo info;
    info.nIcon = -1;
    info.bIsLink = FALSE;
    info.rect.SetRectEmpty();
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

COLORREF SPClientHooks::GetToolbarButtonTextColor() {
    return pfnGetToolbarButtonTextColor != NULL ? pfnGetToolbarButtonTextColor() : spGlobalData.clrBtnText;
}

CSize SPClientHooks::GetMenuImageSize() {
    return pfnGetMenuImageSize != NULL ? pfnGetMenuImageSize() : CSize(16, 15);
}

BOOL SPClientHooks::MenuShadowsOn() {
    return pfnMenuShadowsOn != NULL ? pfnMenuShadowsOn() : TRUE;
}
