// SPRecentDockInfo.h - where a control bar was last docked and where it last
// floated, so that a double click, a restore or a detached tab can put the
// bar back.
//   CSPRecentDockPlacement  one placement: the container that held the bar,
//                           its rectangle, weight, position and the ids of
//                           the bars that shared the place
//   CSPRecentDockInfo       the docked and the floating placement with the
//                           bar's recent frame side, row, dock bar, slider
//                           and mini frame; every control bar embeds one
#pragma once
#include "afxwin.h"
#include "afxtempl.h"

class CSPBarContainer;
class CSPControlBar;
class CSPDockBar;
class CSPDockBarRow;
class CSPSlider;

class CSPRecentDockPlacement : public CObject {
public:
    CSPRecentDockPlacement();
    virtual ~CSPRecentDockPlacement();

    // Takes the bar's place: the container (or, for a tab, the tabbed bar's
    // container), the bar's window rectangle and placement weight. The
    // owner converts the rectangle to its own coordinates afterwards.
    virtual void StoreDockInfo(CSPBarContainer* pRecentContainer, CSPControlBar* pBar,
                               CSPControlBar* pTabbedBar = NULL);
    // Everything but the position in the container.
    virtual void CopyFrom(const CSPRecentDockPlacement& src);

    void Init();

    CSPBarContainer* m_pRecentBarContainer;
    CRect m_rectRecentFloatingRect;  // the bar's rectangle in this state
    int m_nRecentPercent;            // placement weight
    int m_nRecentPosition;           // position in the container
    CList<UINT, UINT> m_lstRecentListOfBars;  // control ids of the bars that shared the place
    CSPBarContainer* m_pRecentContainerOfTabWnd;

private:
    CSPRecentDockPlacement(const CSPRecentDockPlacement&) = delete;
    CSPRecentDockPlacement& operator=(const CSPRecentDockPlacement&) = delete;
};

class CSPRecentDockInfo : public CObject {
public:
    explicit CSPRecentDockInfo(CSPControlBar* pBar);
    virtual ~CSPRecentDockInfo();

    // Stores the owner's current place: in a mini frame the floating
    // placement, on a slider the docked one, else a floating placement
    // without container.
    virtual void StoreDockInfo(CSPBarContainer* pRecentContainer, CSPControlBar* pTabbedBar = NULL);
    // The docked (TRUE) or the floating (FALSE) half of another record.
    virtual void CopyFrom(BOOL bDocked, const CSPRecentDockInfo& src);

    // Back to the values of a new record.
    void Init();

    CSPBarContainer* GetContainer(BOOL bDocked) const { return Placement(bDocked).m_pRecentBarContainer; }
    CSPBarContainer* GetTabbedContainer(BOOL bDocked) const {
        return Placement(bDocked).m_pRecentContainerOfTabWnd;
    }
    CRect& GetRect(BOOL bDocked) { return Placement(bDocked).m_rectRecentFloatingRect; }
    int GetWeight(BOOL bDocked) const { return Placement(bDocked).m_nRecentPercent; }
    int GetPosition(BOOL bDocked) const { return Placement(bDocked).m_nRecentPosition; }
    CList<UINT, UINT>& GetSiblingIds(BOOL bDocked) { return Placement(bDocked).m_lstRecentListOfBars; }
    void SetSiblingIds(const CList<UINT, UINT>& lst, BOOL bDocked);
    // The slider window of the recent docked state, NULL when it is gone.
    CSPSlider* GetSlider() const;

    CRect m_rectRecentFloatingRect;   // window rectangle of the last mini frame (screen)
    DWORD m_dwRecentAlignmentToFrame; // CBRS_ALIGN_* side of the last docked state
    int m_nRecentRowIndex;
    CSPDockBar* m_pRecentDockBar;
    CSPDockBarRow* m_pRecentDockBarRow;
    HWND m_hRecentDefaultSlider;
    HWND m_hRecentMiniFrame;
    CSPRecentDockPlacement m_recentSliderInfo;     // docked
    CSPRecentDockPlacement m_recentMiniFrameInfo;  // floating
    CSPControlBar* m_pBar;

private:
    CSPRecentDockPlacement& Placement(BOOL bDocked) { return bDocked ? m_recentSliderInfo : m_recentMiniFrameInfo; }
    const CSPRecentDockPlacement& Placement(BOOL bDocked) const {
        return bDocked ? m_recentSliderInfo : m_recentMiniFrameInfo;
    }
    CSPRecentDockInfo(const CSPRecentDockInfo&) = delete;
    CSPRecentDockInfo& operator=(const CSPRecentDockInfo&) = delete;
};
