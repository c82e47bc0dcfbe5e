// SPFrameImpl.h - CSPFrameImpl: what every library frame adds to its
// framework frame. Each of the six library frames embeds one; it holds the
// frame's dock manager and carries out the docking services the frame
// offers its bars, so that the six frames share one implementation.
//
// CSPDockingFrame<TFrame> is the frame side: the docking services as
// members of the frame itself, forwarded to the embedded object, and the
// frame's layout, which lays the docked bars out around the view.
#pragma once
#include "afxwin.h"
#include "afxframe.h"

#include "SPDockManager.h"

class CSPBaseControlBar;
class CSPControlBar;
class CSPToolBar;
class CSPMenuBar;
class CSPPopupMenu;

class CSPFrameImpl {
public:
    explicit CSPFrameImpl(CFrameWnd* pFrame);
    virtual ~CSPFrameImpl();

    CSPDockManager* GetDockManager() { return &m_dockManager; }
    CFrameWnd* GetFrame() const { return m_pFrame; }

    // --- the docking services of the frame ------------------------------------------
    BOOL AddControlBar(CSPBaseControlBar* pBar, BOOL bTail = TRUE);
    BOOL RemoveControlBarFromDockManager(CSPBaseControlBar* pBar, BOOL bDestroy = TRUE,
                                         BOOL bAdjustLayout = FALSE, BOOL bAutoHide = FALSE);
    BOOL IsPointNearDockBar(CPoint point, DWORD& dwBarAlignment, BOOL& bOuterEdge) const;
    CSPBaseControlBar* ControlBarFromPoint(CPoint point, int nSensitivity, bool bExactBar = false,
                                           CRuntimeClass* pRTCBarType = NULL) const;
    BOOL InsertControlBar(CSPBaseControlBar* pBar, CSPBaseControlBar* pTarget, BOOL bAfter = TRUE);
    void DockControlBar(CSPBaseControlBar* pBar, UINT nDockBarID = 0, LPCRECT lpRect = NULL);
    BOOL DockControlBarLeftOf(CSPControlBar* pBar, CSPControlBar* pLeftOf);
    BOOL EnableDocking(DWORD dwDockStyle);
    BOOL EnableAutoHideBars(DWORD dwDockStyle);
    BOOL OnMoveMiniFrame(CWnd* pFrame);
    void SetPrintPreviewMode(BOOL bPreview, CPrintPreviewState* pState);
    BOOL SendMessageToMiniFrames(UINT uMessage, WPARAM wParam = 0, LPARAM lParam = 0);

    // The layout pass: the docked bars around the frame's client area, then
    // the view (or MDI client) in what they leave.
    void AdjustDockingLayout(HDWP hdwp = NULL);
    // The two halves of that pass, for frames that place their view
    // themselves: the bars alone, and the room they leave (client
    // coordinates of the frame).
    void LayOutDockedBars(HDWP hdwp = NULL);
    CRect GetClientAreaRect() const;
    // Moves the view (the pane AFX_IDW_PANE_FIRST) into that room, at the
    // bottom of the Z order, clipping its siblings and children; with
    // bZOrder FALSE the Z order stays.
    void PlaceView(BOOL bZOrder = TRUE);

    // The embedded object of a library frame, tested in the fixed order of
    // the six frame classes; NULL for any other window.
    static CSPFrameImpl* FromFrame(CWnd* pWnd);
    // The same for the frames that show a library menu bar: the MDI and SDI
    // main frames and the two in-place frames.
    static CSPFrameImpl* FromMenuBarFrame(CWnd* pWnd);
    // Runs the frame's own (virtual) docking layout; FALSE for a window
    // that is no library frame.
    static BOOL AdjustFrameDockingLayout(CWnd* pWnd, HDWP hdwp);
    // The library frame that last became the application's main frame,
    // NULL when none is alive.
    static CFrameWnd* GetMainFrame();

    // --- the library menu bar and the input routing (SPFrameInput.cpp) ------------------
    // The menu bar calls this when it is created in the frame: the frame's
    // own Win32 menu is kept as the default menu, the bar is built from it
    // and the Win32 menu is taken off the window.
    void SetMenuBar(CSPMenuBar* pMenuBar);
    CSPMenuBar* GetMenuBar() const { return m_pMenuBar; }
    HMENU GetDefaultMenu() const { return m_hDefaultMenu; }
    // The library menu bar exists and shows.
    BOOL IsMenuBarVisible() const;
    // The resource the frame was loaded with (0 before LoadFrame).
    void SetDefaultResId(UINT nIDResource) { m_nIDDefaultResource = nIDResource; }
    UINT GetDefaultResId() const { return m_nIDDefaultResource; }

    // A key the frame pre-translates: TRUE when it was used here (sent to
    // the open popup menu, swallowed by a minimised frame, or taken as a
    // mnemonic by Alt and a letter). *pbProcessAccel, when given, is FALSE
    // afterwards when a toolbar control has the focus: the frame must not
    // translate the key as an accelerator then.
    BOOL ProcessKeyboard(int nKey, BOOL* pbProcessAccel = NULL);
    // A mouse button at the screen point over hwnd: TRUE when the click was
    // used here (an open popup menu closed by it, or a control of a toolbar
    // dragged while customising or with Alt).
    BOOL ProcessMouseClick(UINT uiMsg, POINT pt, HWND hwnd);
    // TRUE swallows a mouse move away from an open popup menu.
    BOOL ProcessMouseMove(POINT pt);
    // A library popup menu shows (NULL: none): it becomes the active one and
    // the bar that opened the chain takes the focus. Always TRUE.
    BOOL OnShowPopupMenu(CSPPopupMenu* pMenuPopup);
    // Alt and a letter: the menu bar's button with that mnemonic, else the
    // first visible toolbar of this frame that has one; in print preview
    // only the preview toolbar is asked.
    BOOL OnMenuChar(UINT nChar);
    // The frame lost the activation: an open menu of the menu bar closes.
    void DeactivateMenu();

    // What a library frame's PreTranslateMessage does first. SP_ROUTE_DONE:
    // the message ends here; SP_ROUTE_BASE: the frame's base class handles
    // it; SP_ROUTE_UNTRANSLATED: it goes on to its window untranslated (a
    // key for a focused toolbar control). bInPlace: the routing of an
    // in-place frame, which leaves the system keys to its base.
    enum { SP_ROUTE_BASE = 0, SP_ROUTE_DONE = 1, SP_ROUTE_UNTRANSLATED = 2 };
    int RouteMessage(MSG* pMsg, BOOL bInPlace);

    // The modifier keys as the input routing reads them; tests replace it.
    static SHORT(WINAPI* m_pfnGetAsyncKeyState)(int vKey);

    // --- state kept from one run to the next (SPFrameState.cpp) --------------------
    // Fits the stored window rectangle into a work area; the stored show
    // command becomes the application's.
    void PreCreateWindow(CREATESTRUCT& cs);
    void OnLoadFrame();
    // The SDI and MDI main frames keep their place and the user interface.
    BOOL IsMainFrameKind() const;
    void OnCloseFrame();

    // User toolbars take their ids from [uiFirstID, uiLastID]; their state
    // lives under lpszProfile (the workspace's section path when NULL).
    void InitUserToolbars(LPCTSTR lpszProfile, UINT uiFirstID, UINT uiLastID);
    CSPToolBar* CreateNewToolbar(LPCTSTR lpszName);
    BOOL DeleteToolbar(CSPToolBar* pToolBar);
    static UINT FindFreeToolbarID(UINT uiFirstID, UINT uiLastID, const CObList& lstBars);
    BOOL IsUserBarID(CWnd* pWnd) const;
    CSPToolBar* GetUserToolbarByIndex(int iIndex) const;
    void SetupToolbarMenu(CMenu& menu, UINT uiViewUserToolbarCmdFirst, UINT uiViewUserToolbarCmdLast);
    void LoadUserToolbars();
    void SaveUserToolbars(BOOL bFrameBarsOnly);
    const CObList& GetUserToolbars() const { return m_listUserDefinedToolbars; }

    // Toolbars made from torn-off popup menus (SPFrameTearOff.cpp): owned by
    // the frame, stored under the workspace's "ControlBars-TearOff".
    void AddTearOffBar(CSPBaseControlBar* pBar);
    void RemoveTearOffBar(CSPBaseControlBar* pBar);
    // The tear-off bar with the control id, NULL when there is none.
    CSPBaseControlBar* FindTearOffBar(UINT uiID) const;
    void LoadTearOffBars();
    void SaveTearOffBars(BOOL bFrameBarsOnly);
    const CObList& GetTearOffBars() const { return m_listTearOffToolbars; }
    // The key of the tear-off bars.
    static CString GetTearOffBarsKey();

    // The docking state handed to the dock manager, under the profile and
    // the frame's resource id.
    BOOL LoadDockState(LPCTSTR lpszProfile);
    BOOL SaveDockState(LPCTSTR lpszProfile);
    BOOL IsDockStateValid(const CDockState& state);
    BOOL SetDockState(const CDockState& state);

    // The registered messages of the customisation sheet: lParam is the new
    // bar's name ("STOOLBAR_CREATE") or the bar ("STOOLBAR_DELETE").
    static const UINT SP_WM_TOOLBAR_CREATE;
    static const UINT SP_WM_TOOLBAR_DELETE;

protected:
    CFrameWnd* m_pFrame;
    CSPDockManager m_dockManager;
    static CFrameWnd* m_pMainFrame;
    CSPMenuBar* m_pMenuBar;
    HMENU m_hDefaultMenu;
    UINT m_nIDDefaultResource;
    CRect m_rectDockingArea;
    // Alt went down with no other key or button since: its release moves
    // the focus between the menu bar and the frame.
    BOOL m_bAltAlone;

    UINT m_uiUserToolbarFirst;
    UINT m_uiUserToolbarLast;
    CString m_strUserToolbarsProfile;
    CObList m_listUserDefinedToolbars;
    CObList m_listTearOffToolbars;
    void DeleteTearOffBars();

    // A user toolbar's window with the given id, or NULL (the object deleted).
    CSPToolBar* CreateUserToolbarWindow(UINT uiID);
    static void SetUserToolbarStyle(CSPToolBar* pToolBar);

private:
    CSPFrameImpl(const CSPFrameImpl&) = delete;
    CSPFrameImpl& operator=(const CSPFrameImpl&) = delete;
};

// The frame library bars and menus take as their top-level frame while an
// in-place frame is active (only those set it); NULL otherwise.
extern CFrameWnd* g_pTopLevelFrame;
// That frame, else the window's own top-level frame.
CFrameWnd* SPGetTopLevelFrame(CWnd* pWnd);
// The bar's id lies in the user-toolbar range of its top-level frame.
BOOL SPIsUserToolbar(CWnd* pBar);
// The open library popup menu, if any, is closed.
void SPCloseActivePopupMenu();
// The proposed window rectangle of WM_SIZING has another size than the
// window has now (a plain move does not).
BOOL SPIsSizeChange(CWnd* pWnd, LPCRECT lpRectNew);

class COleClientItem;
// The item active in place in the frame's active view (its document a
// container document), or NULL.
COleClientItem* SPGetActiveOleItem(CFrameWnd* pFrame);

// F1 pressed alone (no Shift, Ctrl or Alt, not repeated): the frames leave
// it to the framework's help.
BOOL SPIsHelpKey(const MSG* pMsg);

// The library's print-preview view is active in the frame.
BOOL SPIsLibraryPreviewView(CWnd* pView);
// Destroys the window's direct children that still exist and are still its
// children, collected first: destroying one may destroy or move others.
void SPDestroyChildWindows(CWnd* pWnd);

// The frame side shared by the library frames: TFrame is the framework
// frame class the library frame derives from.
template <class TFrame>
class CSPDockingFrame : public TFrame {
public:
    CSPDockingFrame() : m_Impl(this) {}

    CSPDockManager* GetDockManager() { return m_Impl.GetDockManager(); }

    BOOL AddControlBar(CSPBaseControlBar* pBar, BOOL bTail = TRUE) { return m_Impl.AddControlBar(pBar, bTail); }
    BOOL RemoveControlBarFromDockManager(CSPBaseControlBar* pBar, BOOL bDestroy = TRUE,
                                         BOOL bAdjustLayout = FALSE, BOOL bAutoHide = FALSE) {
        return m_Impl.RemoveControlBarFromDockManager(pBar, bDestroy, bAdjustLayout, bAutoHide);
    }
    BOOL IsPointNearDockBar(CPoint point, DWORD& dwBarAlignment, BOOL& bOuterEdge) const {
        return m_Impl.IsPointNearDockBar(point, dwBarAlignment, bOuterEdge);
    }
    CSPBaseControlBar* ControlBarFromPoint(CPoint point, int nSensitivity, bool bExactBar = false,
                                           CRuntimeClass* pRTCBarType = NULL) const {
        return m_Impl.ControlBarFromPoint(point, nSensitivity, bExactBar, pRTCBarType);
    }
    BOOL InsertControlBar(CSPBaseControlBar* pBar, CSPBaseControlBar* pTarget, BOOL bAfter = TRUE) {
        return m_Impl.InsertControlBar(pBar, pTarget, bAfter);
    }
    void DockControlBar(CSPBaseControlBar* pBar, UINT nDockBarID = 0, LPCRECT lpRect = NULL) {
        m_Impl.DockControlBar(pBar, nDockBarID, lpRect);
    }
    BOOL DockControlBarLeftOf(CSPControlBar* pBar, CSPControlBar* pLeftOf) {
        return m_Impl.DockControlBarLeftOf(pBar, pLeftOf);
    }
    BOOL EnableDocking(DWORD dwDockStyle) { return m_Impl.EnableDocking(dwDockStyle); }
    BOOL EnableAutoHideBars(DWORD dwDockStyle) { return m_Impl.EnableAutoHideBars(dwDockStyle); }
    BOOL OnMoveMiniFrame(CWnd* pFrame) { return m_Impl.OnMoveMiniFrame(pFrame); }
    void SetPrintPreviewMode(BOOL bPreview, CPrintPreviewState* pState) { m_Impl.SetPrintPreviewMode(bPreview, pState); }
    BOOL SendMessageToMiniFrames(UINT uMessage, WPARAM wParam = 0, LPARAM lParam = 0) {
        return m_Impl.SendMessageToMiniFrames(uMessage, wParam, lParam);
    }
    // Lets the dock manager lay out the docked bars.
    virtual void AdjustDockingLayout(HDWP hdwp = NULL) { m_Impl.AdjustDockingLayout(hdwp); }
    // The frame's layout is the docking layout.
    void RecalcLayout(BOOL /*bNotify*/ = TRUE) override {
        if (this->m_bInRecalcLayout) return;
        this->m_bInRecalcLayout = TRUE;
        this->m_nIdleFlags &= ~(CFrameWnd::idleLayout | CFrameWnd::idleNotify);
        AdjustDockingLayout(NULL);
        this->m_bInRecalcLayout = FALSE;
    }

    // Print preview hides the bars and brings them back afterwards.
    void OnSetPreviewMode(BOOL bPreview, CPrintPreviewState* pState) override {
        m_Impl.SetPrintPreviewMode(bPreview, pState);
        TFrame::OnSetPreviewMode(bPreview, pState);
    }

    CSPFrameImpl m_Impl;

    // A main frame (SDI or MDI) comes up where it was left.
    BOOL PreCreateWindow(CREATESTRUCT& cs) override {
        if (m_Impl.IsMainFrameKind()) m_Impl.PreCreateWindow(cs);
        return TFrame::PreCreateWindow(cs);
    }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        // Floating frames are no descendants of the frame: the idle update
        // reaches them through the dock manager.
        if (message == WM_IDLEUPDATECMDUI) m_Impl.SendMessageToMiniFrames(message, wParam, lParam);
        // A main frame saves the user interface before it closes.
        if (message == WM_CLOSE && m_Impl.IsMainFrameKind()) m_Impl.OnCloseFrame();
        // The customisation sheet asks the frame for new and deleted user toolbars.
        if (message == CSPFrameImpl::SP_WM_TOOLBAR_CREATE)
            return (LRESULT)m_Impl.CreateNewToolbar((LPCTSTR)lParam);
        if (message == CSPFrameImpl::SP_WM_TOOLBAR_DELETE) return m_Impl.DeleteToolbar((CSPToolBar*)lParam);
        return TFrame::WindowProc(message, wParam, lParam);
    }
};
