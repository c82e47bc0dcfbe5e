// SPBarContainerManager.h - CSPBarContainerManager: one region of docking
// panes split by sliders (the panes docked on a frame side behind a default
// slider, or the panes of a multi-bar mini frame).
//
// It keeps the region's bars in layout order, the sliders it created
// between them and the root of the container tree; it adds, inserts,
// replaces and removes bars, resizes the region when a slider moves, and
// writes its part of the docking state.
#pragma once
#include "afxwin.h"
#include "afxtempl.h"

class CSPBarContainer;
class CSPControlBar;
class CSPDockManager;
class CSPSlider;

class CSPBarContainerManager : public CObject {
public:
    CSPBarContainerManager();
    virtual ~CSPBarContainerManager();

    // The library's slider thickness, and the margin kept between a dragged
    // default slider and the frame's edge.
    static const int m_nSliderThickness = 4;
    static const int m_nFrameMargin = 4;

    // --- operations, in slot order -------------------------------------------
    virtual BOOL Create(CWnd* pOwnerWnd, CSPSlider* pDefaultSlider, CRuntimeClass* pContainerClass = NULL);
    virtual void AddControlBar(CSPControlBar* pBar);
    virtual BOOL InsertControlBar(CSPControlBar* pBar, CSPControlBar* pTarget, DWORD dwAlignment);
    virtual void ResizeBarContainers(CSPSlider* pSlider, int nDelta, HDWP& hdwp);
    virtual void CalcWindowRect(CRect& rect) const;
    virtual BOOL RemoveControlBar(CSPControlBar* pBar);
    virtual HDWP LayoutInRect(const CRect& rect, HDWP hdwp);
    virtual BOOL ReplaceControlBar(CSPControlBar* pOldBar, CSPControlBar* pNewBar);
    virtual void GetSliderOffsets(CSPSlider* pSlider, int& nMinOffset, int& nMaxOffset, int& nValue) const;
    virtual BOOL CheckVisibility();
    virtual BOOL IsVisible() const;
    virtual void GetMinSize(CSize& size) const;
    virtual int GetVisibleBarCount() const;
    virtual void ShowBarCaptions(BOOL bShow);
    virtual void HideAll();
    virtual BOOL CanFloat() const;
    virtual BOOL IsResizable() const;
    virtual CSPControlBar* GetFirstBar() const;
    virtual CWnd* GetOwnerWnd() const { return m_pOwnerWnd; }
    virtual CSPControlBar* GetFirstVisibleBar() const;
    virtual void RemoveSlider(CSPSlider* pSlider);
    virtual void StoreBarDockInfo(CSPControlBar* pBar);
    virtual CSPBarContainer* FindContainer(const CSPControlBar* pBar, BOOL& bLeft) const;
    // Takes another manager's whole region beside the target bar, on the
    // side of it that the alignment gives; the other manager is left empty.
    virtual BOOL AddContainerManager(CSPControlBar* pTarget, DWORD dwAlignment, CSPBarContainerManager& other,
                                     BOOL bCopy);
    // For the empty region of a default slider: takes the visible bars of
    // another region, with the sliders between them and the shape of their
    // tree; its hidden bars stay where they are. FALSE when this region
    // holds anything or its owner has no dock manager.
    virtual BOOL TakeOverVisibleBars(CSPBarContainerManager& other);
    // Every visible docking pane of another region becomes a tab of the
    // target; FALSE when the target is not a bar of this region.
    virtual BOOL AttachBarsAsTabs(CSPControlBar* pTarget, CSPBarContainerManager& other);
    // Puts a bar back where its recent dock info says it was in this
    // region: the recorded node when it is still in the tree, else beside
    // the nearest recorded neighbour. The bar, or NULL when it found no
    // place.
    virtual CSPControlBar* AddRecentControlBar(CSPControlBar* pBar);
    // The docking pane of the region under a screen point.
    virtual CSPControlBar* ControlBarFromPoint(CPoint point, int nSensitivity, BOOL bExact, BOOL& bOnTabArea,
                                               BOOL& bOnCaption);
    // For a multi-bar mini frame showing at most one pane: that pane when
    // the point lies in the frame's caption.
    virtual BOOL CaptionBarFromPoint(CPoint point, CSPControlBar*& pBar);
    void Serialize(CArchive& ar) override;

    // Places an incoming rectangle at one side of a target rectangle, a
    // slider's thickness between them; the incoming extent is at most
    // half the target's. The slider style is SP_SS_HORZ for top and
    // bottom, SP_SS_VERT for left and right.
    static void CalcChildRects(CRect& rectTarget, CRect& rectIncoming, CRect& rectSlider, DWORD& dwSliderStyle,
                               DWORD dwAlignment, CSize sizeMinTarget, CSize sizeMinIncoming);

    // A plain slider between two containers, shown and listed; an id of -1
    // (or one a listed slider has) takes the next library-wide id. NULL
    // when its window cannot be made.
    CSPSlider* CreateSlider(CRect rectSlider, DWORD dwSliderStyle, int nSliderID = -1);
    // The root (or a default slider's node) went below two occupants.
    void OnEmptiedContainer(CSPBarContainer* pNode);
    // A slider read with a loaded node joins the list; its id must be new.
    void AddLoadedSlider(CSPSlider* pSlider);

    // The dock manager that a record being read resolves its ids with.
    CSPDockManager* GetLoadingDockManagerPublic() const { return GetLoadingDockManager(); }

    // --- queries -------------------------------------------------------------------
    CSPBarContainer* GetRoot() const { return m_pRootContainer; }
    CSPSlider* GetDefaultSlider() const { return m_pDefaultSlider; }
    const CObList& GetBars() const { return m_lstControlBars; }
    const CObList& GetSliders() const { return m_lstSliders; }
    CRuntimeClass* GetContainerClass() const { return m_pContainerRTC; }
    int GetNodeCount() const;
    int GetTotalLockCount() const;
    BOOL IsEmpty() const { return m_lstControlBars.IsEmpty(); }
    BOOL IsAutoHideRegion() const;
    void AddControlBarsToList(CObList* pListBars, CObList* pListSliders) const;
    void RemoveNonValidBars();
    CSPControlBar* FindBarByListedID(UINT nID);
    // A new node through the container class, else a plain one.
    CSPBarContainer* NewContainer(CSPControlBar* pLeftBar, CSPControlBar* pRightBar, CSPSlider* pSlider);

    // The next library-wide slider id.
    static int m_nNextSliderID;

protected:
    // The dock manager that resolves the bar ids of a loaded record.
    CSPDockManager* GetLoadingDockManager() const;
    // Inserts a tree beside the target bar.
    BOOL InsertContainer(CSPControlBar* pTarget, CSPBarContainer* pIncoming, DWORD dwAlignment);
    // The bar enters the list after the nearest of its recorded neighbours
    // that is listed, else at the head.
    void ListByNeighbours(CSPControlBar* pBar, BOOL bDocked);

    CObList m_lstControlBars;
    CObList m_lstSliders;
    CSPBarContainer* m_pRootContainer;
    CRuntimeClass* m_pContainerRTC;
    CSPSlider* m_pDefaultSlider;
    BOOL m_bDestroyRootContainer;
    CWnd* m_pOwnerWnd;

private:
    CSPBarContainerManager(const CSPBarContainerManager&) = delete;
    CSPBarContainerManager& operator=(const CSPBarContainerManager&) = delete;
};
