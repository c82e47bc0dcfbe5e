// FrameTestBars.h - the bars the frame tests put into their frames, and
// where a window lies in another's client area.
#pragma once
#include "afxwin.h"

#include "SPStatusBar.h"
#include "SPToolBar.h"
#include "SPToolbarButton.h"

// A toolbar with one text button "&Run" for command uiCmd.
inline BOOL MakeRunToolbar(CSPToolBar& bar, CWnd* pParent, UINT nID, UINT uiCmd) {
    if (!bar.Create(pParent, WS_CHILD | WS_VISIBLE | CBRS_TOP, nID)) return FALSE;
    bar.InsertButtonCopy(CSPToolbarButton(uiCmd, -1, _T("&Run")));
    bar.GetButton(0)->m_bText = TRUE;
    bar.AdjustLayout();
    return TRUE;
}

// A status bar with only the stretch pane.
inline BOOL MakeStretchStatusBar(CSPStatusBar& bar, CWnd* pParent) {
    if (!bar.Create(pParent)) return FALSE;
    const UINT ids[] = {0};
    return bar.SetIndicators(ids, 1);
}

// The window's rectangle in pRelativeTo's client coordinates.
inline CRect RectIn(CWnd* pRelativeTo, CWnd* pWnd) {
    CRect rect;
    pWnd->GetWindowRect(rect);
    pRelativeTo->ScreenToClient(rect);
    return rect;
}
