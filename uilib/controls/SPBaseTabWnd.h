// SPBaseTabWnd.h - CSPBaseTabWnd: what every tab window of the library
// shares, whatever its tabs look like.
//
// The window owns one record per tab (label, image, colours, the tab's
// client window), keeps one tab active and tells its parent about changes
// through four registered messages (below). How the strip is laid out and
// drawn is left to its kinds (CSPTabWnd). The visual managers read a tab
// through the window's ISPVisualTabWnd side.
#pragma once
#include "afxwin.h"
#include "afxcmn.h"
#include "afxctl.h"
#include "afxole.h"
#include "SPClientHooks.h"

// Sent to the parent; wParam the new index, lParam the tab window. A
// non-zero answer keeps the old tab active.
extern const UINT SP_WM_CHANGING_ACTIVE_TAB;
// Sent to the parent; wParam the new active index, lParam the tab window
// (0 when the change came from a removal, a show/hide, a move or a click).
extern const UINT SP_WM_CHANGE_ACTIVE_TAB;
// Sent to the parent after a tab was dragged to another place; wParam the
// index where the drag began, lParam where it ended.
extern const UINT SP_WM_ON_MOVE_TAB;
// Sent to the parent when a rename is confirmed; wParam the index, lParam
// the new text. Non-zero refuses the text.
extern const UINT SP_WM_ON_RENAME_TAB;

class CSPTabInfo : public CObject {
public:
    CSPTabInfo(const CString& strText, UINT uiIcon, CWnd* pWnd, UINT uiTabID, BOOL bDetachable);
    ~CSPTabInfo() override;

    CString m_strText;
    UINT m_uiIcon;
    HICON m_hIcon;
    CRect m_rect;
    BOOL m_bVisible;
    CWnd* m_pWnd;
    BOOL m_bIsListView;
    int m_nFullWidth;
    UINT m_uiTabID;
    COLORREF m_clrText;
    COLORREF m_clrBack;
    BOOL m_bIsDetachable;
};

// One tab as the saved layout holds it.
struct CSPRestoredTabInfo {
    CString m_strText;
    BOOL m_bVisible = TRUE;
    UINT m_nControlBarID = 0;
    BOOL m_bDetachable = TRUE;
    COLORREF m_clrText = (COLORREF)-1;
    COLORREF m_clrBack = (COLORREF)-1;
};

class CSPBaseTabWnd;

// The tab window's OLE drop target: while the toolbars are customised, a
// dragged toolbar button reaches the window's OnDragEnter, OnDragOver,
// OnDragLeave and OnDrop; anything else is refused here.
class CSPTabDropTarget : public COleDropTarget {
public:
    CSPTabDropTarget() : m_pOwner(NULL) {}

    // Registers the tab window with OLE; FALSE when it cannot be.
    BOOL Register(CSPBaseTabWnd* pOwner);
    CSPBaseTabWnd* GetOwner() const { return m_pOwner; }

    DROPEFFECT OnDragEnter(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point) override;
    DROPEFFECT OnDragOver(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point) override;
    void OnDragLeave(CWnd* pWnd) override;
    // The requested effect when the window's OnDrop took the button, else none.
    DROPEFFECT OnDropEx(CWnd* pWnd, COleDataObject* pDataObject, DROPEFFECT dropDefault, DROPEFFECT dropList,
                        CPoint point) override;

protected:
    // Customise mode is on and the data offers a toolbar button.
    static BOOL IsButtonDrag(COleDataObject* pDataObject);

    CSPBaseTabWnd* m_pOwner;
};

// What a tab window asks of the docking pane that holds it (a tabbed bar,
// built in the docking folder above): taking a pane out of its tab, and
// bringing in the pane that a saved layout names but no tab holds.
class ISPTabDockingHost {
public:
    // Floats the tab's window (nMode 1: dragged out of the strip, the new
    // floating frame goes on with the drag; 2: a double click). FALSE when
    // the window cannot leave.
    virtual BOOL DetachTabWnd(CSPBaseTabWnd* pTabWnd, int iTab, int nMode) = 0;
    // Brings the docking pane with the id (wherever it is) in as a tab.
    virtual void AttachRestoredBar(CSPBaseTabWnd* pTabWnd, UINT nBarID) = 0;

protected:
    ~ISPTabDockingHost() {}
};

// What a tab window asks of the docking pane that wraps a plain window
// going into a tab (CSPDockingCBWrapper, built in the docking folder above),
// so that the window can take part in docking like a pane.
class ISPTabWrapper {
public:
    // Makes the wrapper's window, a child of the tab window, around the
    // window; FALSE (and no window) when it cannot, and the object is then
    // still the caller's to delete. Once made, the wrapper object deletes
    // itself with its window.
    virtual BOOL CreateTabWrapper(CSPBaseTabWnd* pTabWnd, CWnd* pWnd, LPCTSTR lpszLabel) = 0;
    virtual CWnd* GetWrappedWindow() const = 0;

protected:
    ~ISPTabWrapper() {}
};

class CSPBaseTabWnd : public CWnd, public ISPVisualTabWnd {
    DECLARE_DYNAMIC(CSPBaseTabWnd)

public:
    enum Location { LOCATION_BOTTOM = 0, LOCATION_TOP = 1 };

    CSPBaseTabWnd();
    ~CSPBaseTabWnd() override;

    // overridables, in slot order
    virtual BOOL IsPtInTabArea(CPoint point) const = 0;
    virtual void GetTabArea(CRect& rectTabAreaTop, CRect& rectTabAreaBottom) const = 0;
    virtual BOOL SetImageList(HIMAGELIST hImageList);
    virtual BOOL SetImageList(UINT uiID, int cx = 15, COLORREF clrTransp = RGB(255, 0, 255));
    virtual void RecalcTabHeight();
    virtual int GetTabsHeight() const { return m_nTabsHeight; }
    virtual void RecalcLayout() = 0;
    virtual void AddTab(CWnd* pTabWnd, UINT uiResTabLabel, UINT uiImageId = (UINT)-1, BOOL bDetachable = TRUE);
    virtual void AddTab(CWnd* pTabWnd, LPCTSTR lpszTabLabel, UINT uiImageId = (UINT)-1, BOOL bDetachable = TRUE);
    virtual void InsertTab(CWnd* pNewWnd, UINT uiResTabLabel, int nInsertAt, UINT uiImageId = (UINT)-1,
                           BOOL bDetachable = TRUE);
    virtual void InsertTab(CWnd* pNewWnd, LPCTSTR lpszTabLabel, int nInsertAt, UINT uiImageId = (UINT)-1,
                           BOOL bDetachable = TRUE);
    virtual BOOL RemoveTab(int iTab, BOOL bRecalcLayout = TRUE);
    virtual void RemoveAllTabs();
    // The window that goes into a new tab: with wrapping on, a detachable
    // plain window is wrapped into a docking pane of the wrapper class;
    // the window itself when it cannot be wrapped.
    virtual CWnd* CreateWrapper(CWnd* pWnd, LPCTSTR lpszLabel, BOOL bDetachable);
    // The tab's window, or the window a wrapper holds.
    virtual CWnd* GetTabWndNoWrapper(int iTab) const;
    virtual int GetVisibleTabsNum() const;
    virtual BOOL ShowTab(int iTab, BOOL bShow = TRUE, BOOL bRecalcLayout = TRUE, BOOL bActivate = FALSE);
    virtual int GetTabsNum() const { return m_iTabsNum; }
    virtual CWnd* GetTabWnd(int iTab) const;
    virtual BOOL GetTabRect(int iTab, CRect& rect) const;
    virtual BOOL GetTabLabel(int iTab, CString& strLabel) const;
    virtual BOOL SetTabLabel(int iTab, const CString& strLabel);
    virtual UINT GetTabIcon(int iTab) const;
    virtual BOOL SetTabIcon(int iTab, UINT uiIcon);
    virtual BOOL SetTabHicon(int iTab, HICON hIcon);
    virtual HICON GetTabHicon(int iTab) const;
    virtual COLORREF GetTabBkColor(int iTab) const;
    virtual BOOL SetTabBkColor(int iTab, COLORREF color = (COLORREF)-1);
    virtual COLORREF GetTabTextColor(int iTab) const;
    virtual BOOL SetTabTextColor(int iTab, COLORREF color = (COLORREF)-1);
    virtual BOOL IsTabDetachable(int iTab) const;
    virtual BOOL SetTabDetachable(int iTab, BOOL bDetachable = TRUE);
    virtual BOOL StartRenameTab(int iTab);
    virtual BOOL RenameTab();
    virtual BOOL OnRenameTab(int /*iTab*/, CString& /*strName*/) { return TRUE; }
    virtual void EnableInPlaceEdit(BOOL bEnable) = 0;
    virtual void AdjustRenameEditRect(CRect& rectEdit) = 0;
    virtual int GetActiveTab() const { return m_iActiveTab; }
    virtual CWnd* GetActiveWnd() const;
    virtual BOOL SetActiveTab(int iTab) = 0;
    virtual int GetTabFromPoint(CPoint& pt) const;
    virtual int GetTabFromHwnd(HWND hwnd) const;
    virtual BOOL EnsureVisible(int /*iTab*/) { return FALSE; }
    virtual void SetActiveTabColor(COLORREF clr);
    virtual void SetActiveTabTextColor(COLORREF clr);
    virtual COLORREF GetActiveTabColor() const;
    virtual COLORREF GetActiveTabTextColor() const;
    virtual CSize GetImageSize() const { return m_sizeImage; }
    virtual HIMAGELIST GetImageList() const;
    virtual void SetTabBorderSize(int nTabBorderSize, BOOL bRepaint = TRUE);
    virtual int GetTabBorderSize() const { return m_nTabsHeight < 1 ? 0 : m_nTabBorderSize; }
    virtual CWnd* FindTargetWnd(const CPoint& pt) = 0;
    virtual void ApplyRestoredTabInfo(BOOL bUseTabIndexes = FALSE);
    virtual CWnd* GetFirstVisibleTab(int& iTabNum) const;
    virtual CWnd* GetLastVisibleTab(int& iTabNum) const;
    virtual CSize GetMaxWindowSize() const;
    virtual BOOL IsTabVisible(int iTab) const;
    virtual BOOL IsFlatTab() const { return FALSE; }
    virtual BOOL GetExtraStyleFlag() const { return FALSE; }
    virtual BOOL IsInPlaceEdit() const { return m_bIsInPlaceEdit; }
    virtual BOOL IsHideSingleTab() const { return m_bHideSingleTab; }
    virtual void HideSingleTab(BOOL bHide = TRUE);
    // Toolbar buttons dragged over the window in customise mode (the drop
    // target refuses anything else); points in client coordinates. The
    // defaults take nothing. OnDrop gets the effect OnDragOver answered and
    // takes the drop when it answers above 0.
    virtual BOOL OnDrop(COleDataObject* /*pDataObject*/, DROPEFFECT /*dropEffect*/, CPoint /*point*/) { return 0; }
    virtual DROPEFFECT OnDragEnter(COleDataObject* /*pDataObject*/, DWORD /*dwKeyState*/, CPoint /*point*/) {
        return DROPEFFECT_NONE;
    }
    virtual void OnDragLeave() {}
    virtual DROPEFFECT OnDragOver(COleDataObject* /*pDataObject*/, DWORD /*dwKeyState*/, CPoint /*point*/) {
        return DROPEFFECT_NONE;
    }
    virtual void CleanUp();
    virtual int GetTabIndex(int iTab) const { return iTab == -1 ? m_iActiveTab : iTab; }
    // Takes a docking pane out of its tab into a floating frame (nMode 1:
    // dragged out of the strip, only once the pointer left the drag start
    // by the system drag distance; 2: a double click); iTab -1 is the
    // active tab. Only a detachable tab of a tabbed docking pane leaves.
    virtual BOOL DetachTab(int nMode, int iTab = -1);

    // An image list of cx-wide images cut from a bitmap resource, in the
    // bitmap's colour depth (8, 16, 24 or 32 bits, else 4), masked by
    // clrTransp unless it is -1; FALSE when the bitmap does not load.
    static BOOL LoadImageStrip(CImageList& images, UINT uiID, int cx, COLORREF clrTransp, CSize* pSizeImage = NULL);

    // operations
    void SetDrawOption(int nOption, BOOL bRedraw = TRUE);
    int GetDrawOption() const { return m_nDrawOption; }
    void MoveTab(int nSource, int nDest);
    void SwapTabs(int nFisrtTabID, int nSecondTabID);
    void Serialize(CArchive& ar) override;
    int GetLocation() const { return m_location; }
    BOOL IsRenaming() const { return m_pInPlaceEdit != NULL; }
    CEdit* GetRenameEdit() const { return m_pInPlaceEdit; }
    const CSPTabInfo* GetTabInfo(int iTab) const;
    CToolTipCtrl& GetToolTip() { return m_ToolTip; }
    // Registered with OLE on creation when OLE is initialised in the thread.
    CSPTabDropTarget& GetDropTarget() { return m_DropTarget; }
    UINT GetToolCounter() const { return m_nNextTabID; }
    const CArray<CSPRestoredTabInfo, const CSPRestoredTabInfo&>& GetRestoredTabs() const { return m_arTabsRestored; }
    // Forgets a layout read from a docking state that could not be read whole.
    void ClearRestoredTabInfo() {
        m_arTabsRestored.RemoveAll();
        m_nRestoredActiveTab = -1;
    }

    // Plain windows inserted as detachable tabs are wrapped (CreateWrapper);
    // cleared at creation when the tab window sits in no frame.
    BOOL m_bEnableWrapping;
    // The class of the wrappers, NULL for the library's default wrapper.
    CRuntimeClass* m_pWrapperRTC;
    // The library's default wrapper class: the docking folder's wrapper
    // names itself here, the controls cannot name it.
    static CRuntimeClass* m_pDefaultWrapperRTC;

    BOOL m_bActivateLastOnRemove;
    BOOL m_bHotTracking;
    BOOL m_bHideInactiveWnd;
    BOOL m_bIsDockingSite;
    BOOL m_bActivateOnBtnUp;
    BOOL m_bEnableTabSwap;

    BOOL PreTranslateMessage(MSG* pMsg) override;
    void GetTabVisualInfo(int iTab, SPTabInfo& info) override;

protected:
    int m_location;
    CPtrArray m_arTabs;
    int m_iTabsNum;
    int m_iActiveTab;
    int m_iTabBeforeDrag;
    HIMAGELIST m_hImageList;
    CImageList m_Images;
    CSize m_sizeImage;
    CToolTipCtrl m_ToolTip;
    UINT m_nNextTabID;
    int m_nTabBorderSize;
    int m_nTabsHeight;
    int m_iHighlighted;
    int m_iPressed;
    BOOL m_bHideSingleTab;
    COLORREF m_clrActiveTabBk;
    COLORREF m_clrActiveTabFg;
    CBrush m_brActiveTab;
    int m_nDrawOption;
    int m_iEditedTab;
    CEdit* m_pInPlaceEdit;
    BOOL m_bIsInPlaceEdit;
    BOOL m_bTabDrag;
    CPoint m_ptDragStart;
    int m_nDragOffset;
    CArray<CSPRestoredTabInfo, const CSPRestoredTabInfo&> m_arTabsRestored;
    int m_nRestoredActiveTab;
    DWORD m_dwRestoredOption;
    CSPTabDropTarget m_DropTarget;

    CSPTabInfo* Tab(int iTab) const { return (CSPTabInfo*)m_arTabs[iTab]; }
    BOOL IsValid(int iTab) const { return iTab >= 0 && iTab < m_iTabsNum; }
    void NotifyChange(int iTab, LPARAM lParam);
    void ShowInsertedTab(int nInsertAt);
    void CloseRenameEdit();
    void InvalidateTab(int iTab);
    void EndDrag();

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnCancelMode();
    afx_msg void OnDestroy();
    DECLARE_MESSAGE_MAP()
};
