// SPDockDragHelper.h - CSPDockDragHelper: the outline drag of a control bar
// or a floating frame. It draws the outline on the desktop, asks where the
// bar would dock under the cursor, and at the end leaves the chosen target
// to its owner, which docks or floats the bar.
#pragma once
#include "afxwin.h"

class CSPBaseControlBar;
class CSPDockManager;
class CSPDockBar;
class CSPControlBar;

class CSPDockDragHelper {
public:
    CSPDockDragHelper();
    virtual ~CSPDockDragHelper();

    // The window dragged: a control bar or a floating frame; the dock
    // manager is that of its frame, none for another kind of window.
    void SetDockSite(CWnd* pDraggedWnd, CFrameWnd* pFrame);
    // One step of the drag at the cursor; bForce moves even within the
    // system drag threshold.
    void MoveDrag(BOOL bForce);
    // Ends the drag; with bDock the target under the cursor becomes the
    // final target.
    void EndTracking(BOOL bDock);
    void DrawTabOutline(CWnd* pTarget, BOOL bErase);
    static void DrawOutline(const CRect& rect, int nWidth, BOOL bErase, const CRect& rectPrev);

    // The bar the dragged window holds (itself for a bar), NULL when none.
    CSPControlBar* GetDraggedBar() const;
    // TRUE while an outline is on the screen.
    BOOL IsOutlineShown() const { return !m_rectDrawn.IsRectEmpty(); }

    CPoint m_ptLast;
    CRect m_rectFloat;
    CRect m_rectDock;
    // A dock bar, a docking pane or a tabbed bar.
    CSPBaseControlBar* m_pFinalTarget;
    BOOL m_bTabPreviewShown;
    BOOL m_bDragging;
    int m_nPreviewTab;
    int m_nOutlineWidth;
    CSPDockManager* m_pDockManager;
    CWnd* m_pDraggedWnd;
    CSPBaseControlBar* m_pCurrentTarget;
    BOOL m_bTabOutlineDrawn;

    // TRUE while the tab strip of the current target shows where the
    // dragged window would become a tab.
    BOOL IsTabPreviewActive() const { return m_nPreviewTab >= 0; }

protected:
    CRect m_rectDrawn;  // the outline on the screen now, empty for none
    int m_nActiveTabBefore;  // the target's active tab before the placeholder came
    void DrawCurrent(const CRect& rect, int nWidth);
    void EraseCurrent();
    // Takes the placeholder tab (or the tab-shaped outline) away again.
    void RemoveTabPreview();
    // Whether the dragged window is, or holds, docking panes.
    BOOL DragsDockingPanes() const;
};
