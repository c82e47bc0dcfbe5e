// afxpreview.h - print preview:
//   CPrintPreviewState  what a frame saves while it shows a preview
//   CDialogBar          a bar made from a dialog template (the preview's
//                       button strip)
//   CPreviewView        the view that shows the pages a view prints
#pragma once
#include "afxdocvw.h"

// The bit of a standard bar (ids AFX_IDW_CONTROLBAR_FIRST up) in a mask of bars.
#define AFX_IDW_CONTROLBAR_FIRST  0xE800
#define AFX_IDW_CONTROLBAR_LAST   0xE8FF
#define AFX_CONTROLBAR_MASK(nIDC) (1UL << ((nIDC) - AFX_IDW_CONTROLBAR_FIRST))

// What a frame gives up for the time of a preview and gets back after it.
struct CPrintPreviewState {
    UINT nIDMainPane;     // the id the main pane had (it is kept out of the way meanwhile)
    HMENU hMenu;          // the menu the frame showed
    DWORD dwStates;       // in: the bars to show in preview; out: the bars that showed
    CView* pViewActiveOld;
    BOOL(CALLBACK* lpfnCloseProc)(CFrameWnd* pFrameWnd);
    HACCEL hAccelTable;

    CPrintPreviewState()
        : nIDMainPane(0), hMenu(NULL), dwStates(AFX_CONTROLBAR_MASK(AFX_IDW_STATUS_BAR)), pViewActiveOld(NULL),
          lpfnCloseProc(NULL), hAccelTable(NULL) {}
};
