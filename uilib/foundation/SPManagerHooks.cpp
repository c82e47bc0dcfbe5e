#include "SPManagerHooks.h"

int (*SPManagerHooks::pfnCommandToIndex)(CObject*, UINT, int) = NULL;
BOOL (*SPManagerHooks::pfnRemoveButton)(CObject*, int) = NULL;
void (*SPManagerHooks::pfnAdjustLayout)(CObject*) = NULL;
BOOL (*SPManagerHooks::pfnIsCommandExcludedFromCounting)(UINT) = NULL;
BOOL (*SPManagerHooks::pfnIsCommandNotCustomizable)(UINT) = NULL;
BOOL (*SPManagerHooks::pfnIsLayoutAwareMnemonics)() = NULL;
UINT (*SPManagerHooks::pfnGetDefaultAccelResId)(CFrameWnd*) = NULL;

int SPManagerHooks::CommandToIndex(CObject* pToolBar, UINT uiCmd, int iStart) {
    return pfnCommandToIndex != NULL ? pfnCommandToIndex(pToolBar, uiCmd, iStart) : -1;
}

BOOL SPManagerHooks::RemoveButton(CObject* pToolBar, int iIndex) {
    return pfnRemoveButton != NULL ? pfnRemoveButton(pToolBar, iIndex) : FALSE;
}

void SPManagerHooks::AdjustLayout(CObject* pToolBar) {
    if (pfnAdjustLayout != NULL) pfnAdjustLayout(pToolBar);
}

BOOL SPManagerHooks::IsCommandExcludedFromCounting(UINT uiCmd) {
    return pfnIsCommandExcludedFromCounting != NULL ? pfnIsCommandExcludedFromCounting(uiCmd) : FALSE;
}

BOOL SPManagerHooks::IsCommandNotCustomizable(UINT uiCmd) {
    return pfnIsCommandNotCustomizable != NULL ? pfnIsCommandNotCustomizable(uiCmd) : FALSE;
}

BOOL SPManagerHooks::IsLayoutAwareMnemonics() {
    return pfnIsLayoutAwareMnemonics != NULL ? pfnIsLayoutAwareMnemonics() : FALSE;
}

UINT SPManagerHooks::GetDefaultAccelResId(CFrameWnd* pFrame) {
    return pfnGetDefaultAccelResId != NULL && pFrame != NULL ? pfnGetDefaultAccelResId(pFrame) : 0;
}
