// afxwin.h - the window half of the class library, in one include:
//   afx.h        the core (objects, strings, collections, archives, files)
//   afxres.h     resource and command ids
//   afxgdi.h     CPoint, CSize, CRect, GDI objects, CDC
//   afxwnd.h     CCmdTarget, CCmdUI, CWnd, CMenu, message maps
//   afxapp.h     CWinThread, CWinApp, AfxGetApp, AfxMessageBox, profile
//   afxctl.h     standard controls, CDialog, DDX/DDV
//   afxcmn.h     common controls, CImageList, CToolTipCtrl
//   afxdlgs.h    property sheets and the common dialogs
//
// Using the library in a program:
//   - Resources: the program's .rc includes "afxres.rc" (the standard
//     strings, prompts and cursors); the program gives AFX_IDS_APP_TITLE.
//   - Start-up: one global CWinApp-derived object. The library's WinMain
//     (appmodul.cpp) runs AfxWinMain; link with -Wl,-u,WinMain to use it, or
//     call AfxWinMain from the program's own WinMain. Test programs with
//     their own main just define the application object.
//   - Pointers that may be NULL: use AfxGetSafeHwnd(p), AfxGetSafeHdc(p),
//     AfxGetSafeHandle(p) rather than p->GetSafeHwnd(): the compiler may
//     assume that a pointer a member was called through is not NULL and
//     drop later NULL tests of the caller.
//   - Test seams: AfxSetMessageBoxHook (AfxMessageBox and CWnd::MessageBox)
//     and CCommonDialog::SetTestHook (the common dialogs).
#pragma once
#include "afx.h"
#include <commctrl.h>
#include <commdlg.h>
#include <shellapi.h>
#include "afxres.h"
#include "afxgdi.h"
#include "afxwnd.h"
#include "afxmsg_.h"
#include "afxapp.h"
#include "afxctl.h"
#include "afxcmn.h"
#include "afxdlgs.h"
#include "afxframe.h"
