// AppState.h - process-wide state of the application shell that the
// conversion engine shares:
//   g_bConverting           nonzero while a conversion runs
//   g_szChmFolder           the folder the open CHM was extracted into
//   g_pConvertProgressDlg   the conversion's progress dialog, or null
//   the progress callback   how the engine reports to the view
#pragma once

#include <windows.h>

class CConvertProgressDlg;

// Set while a conversion runs; cleared by Cancel, by the Gecko host's
// construction, and by a quit request met in a nested loop. The page walk
// stops when clear.
extern BOOL g_bConverting;
// Full path of the extraction folder of the open CHM; all zero when none.
extern char g_szChmFolder[1024];
// Created on the first kind-1 report of a conversion; the conversion driver
// deletes it and clears the pointer when the conversion ends.
extern CConvertProgressDlg* g_pConvertProgressDlg;

// The view's progress callback. Kind 0: `lpszText` goes to the status bar.
// Kind 1: the progress dialog is created when missing, then shown and
// started while the converting flag is set, stopped (hidden) when clear.
typedef void (*PFN_CONVERT_PROGRESS)(int nKind, LPCTSTR lpszText);

// Installs the view's callback (null: the shell's default, which does the
// kind-1 part itself and has no status bar). Returns the one before.
PFN_CONVERT_PROGRESS AfxSetConvertProgressHandler(PFN_CONVERT_PROGRESS pfn);
// What the engine calls.
void AfxConvertProgress(int nKind, LPCTSTR lpszText);
