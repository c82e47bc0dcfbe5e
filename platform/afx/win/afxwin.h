// afxwin.h - the window half of the class library, in one include:
//   afx.h        the core (objects, strings, collections, archives, files)
//   afxres.h     resource and command ids
//   afxgdi.h     CPoint, CSize, CRect, GDI objects, CDC
//   afxwnd.h     CCmdTarget, CCmdUI, CWnd, CMenu, message maps
//   afxapp.h     CWinThread, CWinApp, AfxGetApp, AfxMessageBox, profile
//   afxctl.h     standard controls, CDialog, DDX/DDV
//   afxcmn.h     common controls, CImageList, CToolTipCtrl
//   afxdlgs.h    property sheets and the common dialogs
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
