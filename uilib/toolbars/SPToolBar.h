// SPToolBar.h - process-wide state of the toolbar family.
//
//   g_bCustomizeMode    TRUE while the toolbar customisation sheet is open
//   g_lstAllToolbars    every toolbar whose window exists, in creation order
//
// The toolbar class itself, CSPToolBar, is declared here once its base, the
// library's control bar, exists.
#pragma once
#include "afxwin.h"
#include "afxcoll.h"

extern BOOL g_bCustomizeMode;
extern CObList g_lstAllToolbars;
