// SPDockManager.h - CSPDockManager: the docking services of one library
// frame. Every library frame embeds one and hands its docking requests to
// it: it creates the dock bars, keeps every bar and floating frame of the
// frame in lists, decides where a bar docks, and lays all of them out
// around the frame's client area.
#pragma once
#include "afxwin.h"
#include "afxframe.h"
#include "afxcoll.h"

#include <time.h>

class CSPAutoHideToolBar;
class CSPBaseControlBar;
class CSPDockingControlBar;
class CSPSlider;
class CSPControlBar;
class CSPDockBar;
class CSPMultiMiniFrameWnd;
struct CPrintPreviewState;

// One pinned-away pane in the saved docking state: where it was pinned,
// how it lay when slid out and the group flags of its toolbar.
struct DockedBarStateRecord {
    int m_nBarID = -1;
    DWORD m_dwBarAlignment = 0;
    BOOL m_bIsVisible = FALSE;
    CList<UINT, UINT> m_lstSiblingBars;
    CRect m_rectBar = CRect(0, 0, 0, 0);
    BOOL m_bFirstInGroup = TRUE;
    BOOL m_bLastInGroup = TRUE;
    BOOL m_bActiveInGroup = TRUE;
    // The pane it was written from or applied to; none in a record read.
    CSPDockingControlBar* m_pBar = NULL;

    void Serialize(CArchive& ar);
    void CopyFrom(const DockedBarStateRecord& src);
};

class CSPDockManager : public CObject {
public:
    CSPDockManager();
    virtual ~CSPDockManager();

    // Set while a loaded docking state is applied; bars then report the
    // visibility they had when the state was saved, and dock bars create
    // the rows a restored bar names.
    static BOOL m_bRestoringDockState;
    // The clock of the docking rests (clock() ticks); tests replace it.
    static clock_t (*m_pfnClock)();
    // The registry section of the docking state.
    static LPCTSTR const m_lpszSection;

    BOOL SetDockSite(CFrameWnd* pFrame);
    CFrameWnd* GetDockSite() const { return m_pParentWnd; }

    // --- bars and dock bars ------------------------------------------------------
    // Creates the dock bars of the sides in the style (top, bottom, left,
    // right) that do not exist yet.
    BOOL EnableDocking(DWORD dwStyle);
    BOOL EnableAutoHideBars(DWORD dwStyle);
    // The sides on which panes may be pinned away.
    DWORD GetEnabledAutoHideSides() const { return m_dwEnabledSlideBars; }
    // A bar joins the bar list (or the auto-hide list) once: FALSE for a
    // bar already there.
    BOOL AddControlBar(CSPBaseControlBar* pBar, BOOL bTail = TRUE, BOOL bAutoHide = FALSE,
                       BOOL bInsertForOuterEdge = FALSE);
    // Puts an unlisted bar before or after a listed target; FALSE otherwise.
    BOOL InsertControlBar(CSPBaseControlBar* pBar, CSPBaseControlBar* pTarget, BOOL bAfter = TRUE);
    BOOL RemoveControlBar(CSPBaseControlBar* pBar, BOOL bDestroy = FALSE, BOOL bAdjustLayout = FALSE,
                          BOOL bAutoHide = FALSE);
    // Docks the bar into the dock bar of the id (any for 0); lpRect, in
    // dock-bar client coordinates, chooses the row.
    void DockControlBar(CSPBaseControlBar* pBar, UINT nDockBarID = 0, LPCRECT lpRect = NULL);
    // Docks a toolbar into the target toolbar's row, just before it.
    BOOL DockControlBarLeftOf(CSPControlBar* pBar, CSPControlBar* pLeftOf);
    // The dock-bar hit test: TRUE with the side when the point is within
    // the docking sensitivity of the outer docking edge (bOuterEdge) or of
    // the client area.
    BOOL IsPointNearDockBar(CPoint point, DWORD& dwBarAlignment, BOOL& bOuterEdge) const;
    CSPBaseControlBar* ControlBarFromPoint(CPoint point, int nSensitivity, bool bExactBar = false,
                                           CRuntimeClass* pRTCBarType = NULL, BOOL bVisibleOnly = FALSE,
                                           const CSPBaseControlBar* pBarToIgnore = NULL) const;
    // The bar whose edge zone holds the point, with the side; NULL inside a
    // bar away from its edges.
    CSPBaseControlBar* ControlBarFromPointWithSide(CPoint point, int nSensitivity, DWORD& dwAlignment,
                                                   CRuntimeClass* pRTCBarType = NULL,
                                                   const CSPBaseControlBar* pBarToIgnore = NULL) const;
    CWnd* FindBarByID(UINT uBarID, BOOL bSearchMiniFrames = FALSE) const;
    CSPDockBar* FindDockBar(DWORD dwAlignment, BOOL bForward) const;
    CSPDockBar* FindDockBarByID(CSPControlBar* pBar) const;
    // Appends to lst every bar: listed ones, docked ones before their dock
    // bar, floating ones; of the class when one is given.
    void GetControlBarList(CObList& lst, BOOL bIncludeAutohide = FALSE, CRuntimeClass* pRTCFilter = NULL);
    BOOL IsBarKnown(const CSPBaseControlBar* pBar) const;
    const CObList& GetControlBarList() const { return m_lstControlBars; }
    DWORD GetEnabledSides() const { return m_dwEnabledDockBars; }

    // --- docking state -----------------------------------------------------------------
    // Every pane and mini frame saves its own values, then the value
    // "DockingCBAndSliders" ties them together under the frame's key.
    BOOL SaveState(LPCTSTR lpszProfileName = NULL, UINT uiID = 0);
    // Reads the state; nothing of the frame changes until SetDockState. A
    // damaged value answers FALSE, leaves no window behind and makes the
    // following SetDockState do nothing.
    BOOL LoadState(LPCTSTR lpszProfileName = NULL, UINT uiID = 0);
    void SetDockState();
    void Serialize(CArchive& ar) override;
    // A window made while a state is read; it goes when the read fails.
    void AddLoadedWindow(CWnd* pWnd);
    BOOL IsLoadFailed() const { return m_bLoadFailed; }
    CString GetStateKey(LPCTSTR lpszProfileName, UINT uiID) const;
    // The value read or written last, for the tests of damaged values.
    const CObList& GetRestoredEntries() const { return m_lstLoadedBars; }
    const CObList& GetRestoredMiniFrames() const { return m_lstLoadedMiniFrames; }
    const CObList& GetRestoredTabbedBars() const { return m_lstLoadedTabbedBars; }
    int GetDockedBarStateRecordCount() const { return (int)m_lstDockedBarStateRecords.GetCount(); }

    // --- auto-hide -----------------------------------------------------------------------
    // Gives a pane entering auto-hide mode its button (on the given toolbar,
    // or a new one docked in the side's strip) and lists its slider; the
    // toolbar, NULL when the side has no strip.
    CSPAutoHideToolBar* AutoHideBar(CSPDockingControlBar* pBar, CSPAutoHideToolBar* pCurrAutoHideToolBar = NULL);
    // Slides every pane that is out back in, but the one to keep.
    void HideAutoHideBars(CSPDockingControlBar* pBarToExclude = NULL, BOOL bImmediately = FALSE);
    // Puts an auto-hide slider and its pane against the edge inside the
    // dock bars: with its own thickness (bIsVisible), or just shifted there
    // before the pane slides out.
    void AlignAutoHideBar(CSPSlider* pDefaultSlider, BOOL bIsVisible = TRUE);
    const CObList& GetAutoHideBars() const { return m_lstAutoHideBars; }

    // --- floating frames ------------------------------------------------------------
    BOOL AddMiniFrame(CWnd* pWnd);
    BOOL RemoveMiniFrame(CWnd* pWnd);
    CWnd* FrameFromPoint(CPoint pt, CWnd* pFrameToIgnore, BOOL bMultiMiniFrameOnly) const;
    BOOL SendMessageToMiniFrames(UINT uMessage, WPARAM wParam = 0, LPARAM lParam = 0);
    // Destroys every floating frame of the manager, with the bars in it
    // (its frame goes).
    void DestroyMiniFrames();
    // Decides, while a floating frame moves, whether its bar docks: TRUE to
    // go on moving, FALSE when it was docked away.
    BOOL OnMoveMiniFrame(CWnd* pFrame);
    // The same decision for the floating bar itself.
    BOOL OnMoveFloatingBar(CSPControlBar* pBar, CWnd* pMiniFrame);
    // The same decision for a frame of several panes dragged by its window:
    // after the rest its panes dock as a whole onto the frame side, beside
    // the pane or as tabs of the pane the outline drag would show.
    BOOL OnMoveMultiMiniFrame(CSPMultiMiniFrameWnd* pMulti);
    void OnActivateFrame(BOOL bActivate, BOOL bToolBarsOnly = FALSE);

    // --- layout ---------------------------------------------------------------------
    // The area the pass starts from, in the frame's client coordinates.
    void SetDockingArea(const CRect& rect) { m_rectDockBarBounds = rect; }
    void AdjustDockingLayout(HDWP hdwp = NULL);
    // A pane of a default slider's region: the slider lays it out.
    BOOL IsInSliderRegion(const CSPBaseControlBar* pBar) const;
    void AdjustBarsLayout();
    void UpdateAllVirtualRects();
    // What the pass left to the view, and the edge inside the dock bars;
    // frame client coordinates.
    CRect GetClientAreaBounds() const { return m_rectClientAreaBounds; }
    CRect GetOuterEdgeBounds() const { return m_rectOuterEdgeBounds; }
    BOOL LimitDockedRect(CRect& rect, DWORD dwAlignment) const;
    // Where a window dragged with the pointer at pt (screen) would dock
    // against the frame: a strip of its thickness along the side near the
    // point, at most half the client area, in screen coordinates; empty
    // when it would not dock (or Ctrl is held). Only the sides in
    // dwEnabledSides count.
    void CalcDockPreviewRect(CWnd* pWnd, CPoint pt, CRect& rect, DWORD dwEnabledSides = CBRS_ALIGN_ANY) const;
    // The preview of a dragged docking pane's frame (or of a frame of
    // several panes) at the screen point: among the panes of a floating
    // frame of several panes, beside a docked pane through its slider, or
    // on a frame side. pTarget is the pane it would dock beside or join as
    // a tab (bTab), or the side's dock bar; rect is empty for no preview.
    void CalcDragPreview(CWnd* pDraggedWnd, CPoint pt, CRect& rect, BOOL& bTab, CSPBaseControlBar*& pTarget) const;
    void EnableLayout(BOOL bEnable) { m_bEnableAdjustLayout = bEnable; }

    // --- showing ----------------------------------------------------------------------
    BOOL ShowAllControlBars(BOOL bShow);
    // Hides every docked bar, remembering them, or shows the remembered
    // ones again; FALSE when they already are so.
    BOOL ShowDockedBars(BOOL bShow) { return ShowAllControlBars(bShow); }
    BOOL AreDockedBarsHidden() const { return m_bHideDockingBarsInContainerMode; }
    // Whether the two bars may share a tabbed pane: both are docking panes.
    BOOL CanBarsBeTabbed(const CSPBaseControlBar* pBar, const CSPBaseControlBar* pTabbedBar) const;
    void SetPrintPreviewMode(BOOL bPreview, CPrintPreviewState* pState);
    BOOL IsPrintPreviewValid() const { return m_bIsPrintPreviewMode; }
    void LockUpdate(BOOL bLock);
    BOOL IsUpdateLocked() const { return m_bLockUpdate; }

protected:
    BOOL m_bEnableAdjustLayout;
    BOOL m_bLockUpdate;
    BOOL m_bDisableBarsLayout;
    CObList m_lstControlBars;
    CObList m_lstAutoHideBars;
    CObList m_lstMiniFrames;
    CFrameWnd* m_pParentWnd;
    CRect m_rectDockBarBounds;
    CRect m_rectClientAreaBounds;
    CRect m_rectOuterEdgeBounds;
    DWORD m_dwEnabledDockBars;
    DWORD m_dwEnabledSlideBars;
    CWnd* m_pLastTargetBar;
    CWnd* m_pLastMultiMiniFrame;
    clock_t m_clkLastTime;
    int m_nLastCode;
    BOOL m_bIsPrintPreviewMode;
    CObList m_lstLastHiddenControlBars;
    BOOL m_bHideDockingBarsInContainerMode;
    BOOL m_bAdjustingBarLayout;
    BOOL m_bRecalcLayout;
    CList<HWND, HWND> m_lstHiddenMiniFrames;
    CObList m_lstLoadedBars;        // sliders and panes of the slider section, in bar-list order
    CObList m_lstLoadedTabbedBars;
    CObList m_lstLoadedMiniFrames;
    CPtrList m_lstDockedBarStateRecords;  // DockedBarStateRecord*
    CList<HWND, HWND> m_lstLoadedWindows;  // made while reading
    BOOL m_bLoadFailed;
    // A read that failed or was refused: every window it made goes, and
    // the working lists are emptied.
    void DiscardLoadedState();
    // Every pane and floating frame saves (bSave) or loads its own values.
    void SaveOrLoadBarStates(LPCTSTR lpszProfileName, BOOL bSave);
    void ClearDockedBarStateRecords();
    // Takes a pane out of wherever it is now: a tab window, auto-hide mode,
    // a floating frame or another slider's region.
    void TakePaneOut(CSPDockingControlBar* pPane, CSPSlider* pNewSlider);

    // Hides every visible bar (but status bars) and floating frame, and
    // remembers them for ShowRemembered.
    void HideAndRemember();
    // The auto-hide strips keep clear of the strips of the sides they meet.
    void UpdateAutoHideMargins();
    void ShowRemembered();
    // Fits a bar of the size against remaining on its side (spanning
    // remaining along that side); remaining loses the bar's thickness.
    // bLimit keeps the bar from being thicker than remaining.
    static void FitToSide(CRect& rect, CRect& rectRemaining, DWORD dwAlignment, CSize size, BOOL bLimit);

private:
    // Whether a moving floating frame has rested long enough over its dock
    // target: the pointer stood over the same target (nCode, 0 for none,
    // tells which kind) for clkRest. A new target starts the rest again, no
    // target forgets the last one; once rested, the next rest starts anew.
    BOOL HasRestedOver(CWnd* pTarget, int nCode, clock_t clkRest);
};
