// SPBarContainer.h - CSPBarContainer: one node of the tree of two-way splits
// with which a bar container manager arranges docking panes and sliders in a
// region (the panes behind one default slider, or those of a multi-bar mini
// frame).
//
// A node holds on each side (left or top, right or bottom) either a bar or a
// child node, and the slider between its halves. Each half has a placement
// weight: the share, in percent, that it takes of the node when the region
// grows, shrinks or a half comes back with no extent.
#pragma once
#include "afxwin.h"
#include "afxtempl.h"

class CSPBarContainerManager;
class CSPControlBar;
class CSPSlider;

class CSPBarContainer : public CObject {
    DECLARE_DYNCREATE(CSPBarContainer)

public:
    // What FindNodeByBar looks for.
    enum FindSide { FIND_LEFT_BAR = 0, FIND_RIGHT_BAR = 1, FIND_SLIDER = 2, FIND_NODE = 3 };

    CSPBarContainer(CSPBarContainerManager* pManager = NULL, CSPControlBar* pLeftBar = NULL,
                    CSPControlBar* pRightBar = NULL, CSPSlider* pSlider = NULL);
    virtual ~CSPBarContainer();

    // --- operations the class adds, in slot order ----------------------------
    // The union of the counted bars' window rectangles, in screen coordinates.
    virtual void CalcWindowRect(CRect& rect, BOOL bIncludeHidden = FALSE) const;
    virtual void GetMinSize(CSize& size) const;
    virtual void GetLeftMinSize(CSize& size) const;
    virtual void GetRightMinSize(CSize& size) const;
    virtual int GetFirstResizeLimit() const;
    virtual void OnHideBar(CSPControlBar* pBar, HDWP hdwp = NULL);
    virtual BOOL RemoveControlBar(CSPControlBar* pBar);
    virtual void RemoveBarFromNode(CSPControlBar* pBar, BOOL bLeft);
    virtual void StoreBarDockInfo(CSPControlBar* pBar);
    virtual void RepositionBars(int x, int y);
    void Serialize(CArchive& ar) override;

    // --- the tree --------------------------------------------------------------------
    void AddRef() { m_nLockCount++; }
    void Release();
    void SetBar(CSPControlBar* pBar, BOOL bLeft);
    void SetChild(CSPBarContainer* pNode, BOOL bLeft);
    void SetSlider(CSPSlider* pSlider) { m_pSlider = pSlider; }
    CSPBarContainer* FindNodeByBar(const CObject* pObject, int nSide);
    void AddChildContainer(CSPBarContainer* pNode);
    BOOL AddContainer(CSPBarContainer* pNode, BOOL bByLeftBar);
    BOOL AssignBarById(UINT nID, CSPControlBar* pBar);
    void CheckForEmptyRecursive();
    // Merges a node with fewer than two occupants into its parent; the root
    // and the children of the root leave that to the manager. Answers TRUE
    // when the node deleted itself.
    BOOL CheckCollapse();
    void CheckSliderVisibility();
    // Lays the subtree out in the rectangle (owner-window client
    // coordinates); answers the batch as the moves left it.
    HDWP LayoutInRect(CRect rect, HDWP hdwp, BOOL bRepaint);
    // Moves the boundary between the halves by the delta (the node's slider
    // was dragged); each half keeps its minimum size.
    int ResizeHalves(int nDelta, HDWP& hdwp);
    void CalcPlacementWeights();
    // A copy of the subtree that takes its visible bars and visible sliders
    // away, leaving the hidden ones here; a node whose slider moves keeps
    // its orientation, style and rectangle to make it again. The copy has
    // the new parent and no manager yet.
    CSPBarContainer* SplitVisible(CSPBarContainer* pNewParent);
    void SetManager(CSPBarContainerManager* pManager, BOOL bRecursive);
    void RemoveNonValidBars();
    CSPControlBar* FindBarByListedID(UINT nID);

    // --- queries -------------------------------------------------------------------
    CSPControlBar* GetLeftBar() const { return m_pBarLeft; }
    CSPControlBar* GetRightBar() const { return m_pBarRight; }
    CSPBarContainer* GetLeftChild() const { return m_pLeftContainer; }
    CSPBarContainer* GetRightChild() const { return m_pRightContainer; }
    CSPBarContainer* GetParentNode() const { return m_pParentContainer; }
    CSPSlider* GetSlider() const { return m_pSlider; }
    CSPBarContainerManager* GetManager() const { return m_pContainerManager; }
    CList<UINT, UINT>* GetBarIDList(const CSPControlBar* pBar);
    BOOL IsLeftBar(const CSPControlBar* pBar) const { return pBar != NULL && pBar == m_pBarLeft; }
    BOOL IsEmpty() const;
    BOOL IsLeftChild() const;
    BOOL IsVisible() const;
    BOOL IsLeftSideEmpty(BOOL bVisibleOnly) const;
    BOOL IsRightSideEmpty(BOOL bVisibleOnly) const;
    BOOL IsHorizontal() const;
    int GetNodeCount() const;
    int GetLockCount() const;
    int GetOccupantCount() const;
    // The placement weight of one half, and of the subtree in its parent.
    int GetHalfWeight(BOOL bLeft) const { return m_nHalfWeight[bLeft ? 0 : 1]; }
    void SetHalfWeight(BOOL bLeft, int nWeight) { m_nHalfWeight[bLeft ? 0 : 1] = nWeight; }
    int GetPlacementWeight() const;
    // The id a loaded node named for a side (-1 when none).
    UINT GetLoadedBarID(BOOL bLeft) const { return bLeft ? m_nLeftBarID : m_nRightBarID; }
    DWORD GetSavedSliderStyle() const { return m_dwSavedSliderStyle; }
    const CRect& GetSavedSliderRect() const { return m_rectSavedSlider; }

    // Records nested deeper than this are damaged: nothing builds such a tree.
    static const int m_nMaxLoadDepth = 64;
    // Reads a tabbed bar record and makes the bar's window (hidden).
    CSPControlBar* LoadTabbedBar(CArchive& ar, BOOL bLeft);

protected:
    // Whether a half counts for the rectangle and the minimum size.
    BOOL IsBarCounted(const CSPControlBar* pBar, BOOL bIncludeHidden) const;
    BOOL IsChildCounted(const CSPBarContainer* pNode, BOOL bIncludeHidden) const;
    BOOL IsAutoHideRegion() const;
    // A half's current rectangle (screen) and minimum size; FALSE when empty.
    BOOL GetHalf(BOOL bLeft, CRect& rect, CSize& sizeMin) const;
    // Places one half in a rectangle of the owner's client coordinates.
    HDWP ApplyHalf(BOOL bLeft, CRect rect, HDWP hdwp, BOOL bRepaint);
    void ScreenToOwner(CRect& rect) const;
    void SerializeSide(CArchive& ar, BOOL bLeft);
    void Load(CArchive& ar, int nDepth);

    CSPControlBar* m_pBarLeft;
    CSPControlBar* m_pBarRight;
    CSPSlider* m_pSlider;
    CSPBarContainer* m_pLeftContainer;
    CSPBarContainer* m_pRightContainer;
    CSPBarContainer* m_pParentContainer;
    CSPBarContainerManager* m_pContainerManager;
    int m_nHalfWeight[2];
    BOOL m_bSavedHorz;
    int m_nLockCount;
    DWORD m_dwSavedSliderStyle;
    CRect m_rectSavedSlider;
    UINT m_nLeftBarID;
    UINT m_nRightBarID;
    UINT m_nSliderID;
    CList<UINT, UINT> m_lstLeftBarIDs;
    CList<UINT, UINT> m_lstRightBarIDs;
};
