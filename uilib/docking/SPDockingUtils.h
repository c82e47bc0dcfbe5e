// SPDockingUtils.h - CSPDockingUtils: the geometric and lookup operations
// that the docking classes share: which dock manager a frame has, which
// side of a rectangle a point is near, the opposite side, turning a
// rectangle, and moving windows between parents.
#pragma once
#include "afxwin.h"
#include "afxcoll.h"

class CSPBaseControlBar;
class CSPBarContainerManager;
class CSPDockManager;

class CSPDockingUtils {
public:
    virtual ~CSPDockingUtils() {}

    // Set the first time a docking operation finds its bars in a dialog or
    // property sheet instead of a frame; never cleared.
    static BOOL m_bDialogHost;

    // The dock manager of a library frame; NULL for anything else (a
    // dialog or property sheet also sets the dialog host flag).
    static CSPDockManager* GetDockManager(CWnd* pWnd);
    // TRUE with the side when (x, y) lies in the edge zone of the bar's
    // window rectangle (or of rect without a bar) on an enabled side; the
    // zones lie outside the rectangle with bOutside, else they straddle its
    // edges. Tested in the order top, left, bottom, right.
    static BOOL CheckDockSide(int x, int y, CSPBaseControlBar* pBar, int nSensitivity, BOOL bOutside,
                              DWORD& dwAlignment, DWORD dwEnabledAlignment, LPCRECT lpRect);
    // Left and right, top and bottom change places; 0 for anything else.
    static DWORD GetOppositeAlignment(DWORD dwAlign);
    // Turns the rectangle's four values by 90, 180 or -90 (also 275).
    static void RotateRect(CRect& rect, int nAngle);
    // Gives each window of the list the new parent; all but sliders are
    // hidden meanwhile and parked just out of view.
    static void ReparentWindows(CObList& lst, CWnd* pNewParent, BOOL bVisibleOnly);
    // Whether a floating frame's bar may join a frame of several bars.
    static BOOL CanDockToMultiMiniFrame(CWnd* pWnd);
    // Where a window dragged to the screen point would go among the panes
    // of a region: the pane under (or within the docking sensitivity of)
    // the point as target; bTab when the point is on its caption or tab
    // strip and the window may join it as a tab; otherwise the rectangle
    // (screen) it would take beside the target, on the side the point is
    // nearest to.
    static void CalcContainerDockTarget(CSPBarContainerManager& manager, CWnd* pDraggedWnd, CPoint pt,
                                        CRect& rect, BOOL& bTab, CSPBaseControlBar*& pTarget);
};
