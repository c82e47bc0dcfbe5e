// SPToolbarState.h - process-wide state of the toolbar family, kept here
// because the visual managers and the managers read it too.
//
//   g_bCustomizeMode    TRUE while the toolbar customisation sheet is open
//   g_lstAllToolbars    every toolbar whose window exists, in creation order
#pragma once
#include "afxwin.h"
#include "afxcoll.h"

extern BOOL g_bCustomizeMode;
extern CObList g_lstAllToolbars;
