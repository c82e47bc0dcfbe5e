// SPDockBarRow.h - CSPDockBarRow: one row of docked bars inside a dock bar.
//
// The row owns no window: its bars are child windows of the dock bar. It
// keeps their order from the leading end (left or top), its own thickness
// and offset across the dock bar, and moves and sizes the bars along the row
// so that they never overlap and never leave it. Each bar has a virtual
// rectangle, the place it wants; the row pushes bars away from it when
// space is short and lets them return when space frees up.
#pragma once
#include "afxwin.h"
#include "afxcoll.h"

class CSPDockBar;
class CSPControlBar;
class CSPBaseControlBar;

class CSPDockBarRow : public CObject {
    DECLARE_DYNAMIC(CSPDockBarRow)

public:
    CSPDockBarRow(CSPDockBar* pParentDockBar, int nOffset, int nHeight);
    virtual ~CSPDockBarRow();

    // --- operations, in slot order ---------------------------------------------
    virtual BOOL InitRow() { return TRUE; }
    virtual void GetFreeRect(CRect& rect);
    virtual int GetVisibleBarCount() const;
    virtual CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz);
    virtual void AddControlBar(CSPControlBar* pBar, int nDockMethod, LPCRECT lpRect = NULL,
                               BOOL bAfterLast = FALSE);
    virtual void InsertControlBar(CSPControlBar* pBar, int nDockMethod);
    virtual BOOL RemoveControlBar(CSPControlBar* pBar);
    virtual void LayoutBarsInSequence(int nStart, int nSpacing);
    virtual BOOL ReservedRowQuery(DWORD_PTR /*dwArg*/) { return FALSE; }
    virtual void Resize(int nOffset);
    virtual void Move(int nOffset);
    virtual void ResolveOverlaps(CSPControlBar* pBar = NULL);
    virtual void RepositionBars(CRect rectNewParentBar, int nMode = -1, BOOL bGrow = FALSE, int nLimit = 0);
    virtual BOOL IsEmpty() const { return m_lstControlBars.IsEmpty(); }
    virtual void UpdateVisibleState(BOOL bDelay);
    virtual void ShowRow(BOOL bShow, BOOL bDelay);
    virtual BOOL ReplaceControlBar(CSPControlBar* pBarOld, CSPControlBar* pBarNew);
    virtual BOOL ShowControlBar(CSPControlBar* pBar, BOOL bShow, BOOL bDelay);
    virtual void ReservedRowHook(DWORD_PTR /*dwArg*/) {}
    virtual BOOL IsVisible() const { return m_bVisible; }
    virtual int GetAvailableLength(BOOL bUseVirtualRect = FALSE) const;
    virtual BOOL IsExclusiveRow() const;
    virtual void InsertControlBarByPos(CSPControlBar* pBar);

    // --- attributes ------------------------------------------------------------------
    BOOL IsHorizontal() const { return (m_dwRowAlignment & CBRS_ORIENT_HORZ) != 0; }
    int GetRowHeight() const { return m_nRowHeight; }
    int GetRowOffset() const { return m_nRowOffset; }
    CSPDockBar* GetDockBar() const { return m_pParentDockBar; }
    const CObList& GetControlBarList() const { return m_lstControlBars; }
    BOOL HasBar(const CSPControlBar* pBar) const { return m_lstControlBars.Find((CObject*)pBar) != NULL; }
    void SetExtraSpace(int nExtra) { m_nExtraSpace = nExtra; }
    void SetInsetMode(int nMode) { m_nExtraAlignment = nMode; }
    void IncludeHiddenBars(BOOL bInclude) { m_bIgnoreBarVisibility = bInclude; }

    // The row rectangle on the screen and in dock-bar client coordinates.
    void GetRowRect(CRect& rect) const;
    void ScreenToRow(CRect& rect) const;
    // Redraws every bar with its frame.
    void RedrawAll();
    // The row's wanted thickness: its thickest bar plus the extra space; 0
    // with no bars.
    int CalcNeededThickness() const;
    // A bar of the row changed its size: a thicker bar widens the row.
    void OnBarResized(CSPBaseControlBar* pBar);
    // Gives each visible bar, from the head, a share of nLength until it is
    // used up; answers what was left.
    int ExpandFromHead(int nLength, HDWP& hdwp);

protected:
    BOOL m_bIgnoreBarVisibility;
    BOOL m_bVisible;
    int m_nRowHeight;
    int m_nRowOffset;
    CObList m_lstControlBars;
    DWORD m_dwRowAlignment;
    CSPDockBar* m_pParentDockBar;
    int m_nExtraSpace;
    int m_nExtraAlignment;
    BOOL m_bInResize;  // a resize notice is being handled

    BOOL IsBarVisible(CSPControlBar* pBar) const;
    // The bar's window rectangle in dock-bar client coordinates.
    CRect GetBarRect(CSPControlBar* pBar) const;
    int Along(const CRect& rect) const { return IsHorizontal() ? rect.left : rect.top; }
    int AlongEnd(const CRect& rect) const { return IsHorizontal() ? rect.right : rect.bottom; }
    int AlongLength(const CRect& rect) const { return IsHorizontal() ? rect.Width() : rect.Height(); }
    int AcrossLength(const CRect& rect) const { return IsHorizontal() ? rect.Height() : rect.Width(); }
    // Places the bar with its leading edge at nAlong (client coordinates),
    // keeping its size and its place across.
    void PlaceBarAt(CSPControlBar* pBar, int nAlong, HDWP& hdwp);
    // ResolveOverlaps for a row of nLength (the row's new length while the
    // dock bar is being resized).
    void ResolveOverlapsIn(CSPControlBar* pBar, int nLength);
    // Lets every visible bar whose window stands away from its virtual
    // rectangle go back there, along the row only.
    void ReturnToVirtualRects();
    // The first or last visible bar, NULL for none.
    CSPControlBar* FirstVisibleBar(BOOL bFromHead) const;
    // The amount by which the first visible bar sticks out before the
    // leading end (bFirst) or the last one past the trailing end.
    int GetOutsideGap(BOOL bFirst) const;
    // Moves the bar along by nDelta within the row's room; answers the
    // amount moved.
    int MoveBarWithin(CSPControlBar* pBar, int nDelta, BOOL bSwap, HDWP& hdwp);
    friend class CSPDockBar;
};
