// SPManagerHooks.h - what the command, keyboard and user-tools managers ask
// of the toolbar family and of the library's frames.
//
// The toolbar class (CSPToolBar) and the library frames are written in the
// libraries above this one. The managers reach them through the hooks below,
// which those libraries install for their own classes at start-up (a static
// object in a source file the program links anyway), in the manner of
// SPClientHooks. A hook that is not installed gives the neutral answer noted
// beside it.
#pragma once
#include "afxwin.h"

class CFrameWnd;

struct SPManagerHooks {
    // Toolbars, as the objects of g_lstAllToolbars.
    // The index of the first button at or after iStart with the command;
    // unset: -1 (the bar shows no such button).
    static int (*pfnCommandToIndex)(CObject* pToolBar, UINT uiCmd, int iStart);
    // Removes and deletes the button at the index; unset: FALSE.
    static BOOL (*pfnRemoveButton)(CObject* pToolBar, int iIndex);
    // Lays the bar out again; unset: nothing.
    static void (*pfnAdjustLayout)(CObject* pToolBar);

    // The toolbars' process-wide command lists.
    // Commands whose use is never counted; unset: none.
    static BOOL (*pfnIsCommandExcludedFromCounting)(UINT uiCmd);
    // Commands that may not be customised (a loaded shortcut bound to one
    // loses its command); unset: none.
    static BOOL (*pfnIsCommandNotCustomizable)(UINT uiCmd);
    // The toolbars' layout-aware mnemonic switch; unset: FALSE.
    static BOOL (*pfnIsLayoutAwareMnemonics)();

    // Library frames: the accelerator resource the frame was loaded with
    // (CSPMDIFrameWnd, CSPFrameWnd and CSPOleIPFrameWnd keep it); unset or
    // another frame: 0.
    static UINT (*pfnGetDefaultAccelResId)(CFrameWnd* pFrame);

    // The answers, neutral when a hook is missing.
    static int CommandToIndex(CObject* pToolBar, UINT uiCmd, int iStart);
    static BOOL RemoveButton(CObject* pToolBar, int iIndex);
    static void AdjustLayout(CObject* pToolBar);
    static BOOL IsCommandExcludedFromCounting(UINT uiCmd);
    static BOOL IsCommandNotCustomizable(UINT uiCmd);
    static BOOL IsLayoutAwareMnemonics();
    static UINT GetDefaultAccelResId(CFrameWnd* pFrame);
};
