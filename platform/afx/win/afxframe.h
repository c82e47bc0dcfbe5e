// afxframe.h - frame windows:
//   CFrameWnd        a main or document frame: menus, accelerators, title,
//                    bar layout (WM_SIZEPARENT), active view, message line,
//                    idle update, the floating-window protocol, context help
//   CMDIFrameWnd     the MDI main frame with its MDICLIENT
//   CMDIChildWnd     an MDI document window with shared menu and accelerators
//   CMiniFrameWnd    a small-caption frame (base of popup and drop-down frames)
//   CDockState       the docking layout in the profile (no bars of its own)
//   AFX_SIZEPARENTPARAMS, AfxRepositionWindow, AfxRepositionBars
// Documents, templates and views follow in afxdocvw.h.
#pragma once
#include "afxwin.h"
#include "afxcoll.h"

class CView;
class CDocument;
class CDocTemplate;
class CFrameWnd;
class CMDIFrameWnd;
class CMDIChildWnd;
struct CPrintPreviewState;

// frame styles (in the low word of the window style)
#define FWS_ADDTOTITLE   0x00008000L  // the title shows the active document
#define FWS_PREFIXTITLE  0x00004000L  // "document - application" rather than the reverse
#define FWS_SNAPTOBARS   0x00002000L

// the style of the views a frame creates
#define AFX_WS_DEFAULT_VIEW  (WS_CHILD | WS_VISIBLE | WS_BORDER)

// help context bases (WM_COMMANDHELP, WinHelp)
#define HID_BASE_COMMAND   0x00010000UL
#define HID_BASE_RESOURCE  0x00020000UL

// NegotiateBorderSpace
#define BORDER_GET      1
#define BORDER_REQUEST  2
#define BORDER_SET      3

// What a bar gets with WM_SIZEPARENT: it takes its room from rect and moves
// itself through hDWP (when not NULL).
struct AFX_SIZEPARENTPARAMS {
    HDWP hDWP;
    RECT rect;       // the room left for the next child (parent client coordinates)
    SIZE sizeTotal;  // what the bars took in each direction
    BOOL bStretch;   // bars stretch to the whole side
};

// Moves hWnd to lpRect (parent client coordinates) through the layout's
// deferred positions; nothing when it is there already. lpLayout NULL moves
// at once.
void AFXAPI AfxRepositionWindow(AFX_SIZEPARENTPARAMS* lpLayout, HWND hWnd, LPCRECT lpRect);

// RepositionBars flags
enum AfxRepositionFlags { reposDefault = 0, reposQuery = 1, reposExtra = 2, reposNoPosLeftOver = 0x8000 };

// The children of pWnd with ids nIDFirst..nIDLast get WM_SIZEPARENT in
// z-order and take their room; the child nIDLeftOver gets the rest.
// reposQuery only answers the rest in *lpRectParam; reposExtra shrinks the
// rest further by the borders in *lpRectParam.
void AFXAPI AfxRepositionBars(CWnd* pWnd, UINT nIDFirst, UINT nIDLast, UINT nIDLeftOver,
                              UINT nFlags = reposDefault, LPRECT lpRectParam = NULL, LPCRECT lpRectClient = NULL,
                              BOOL bStretch = TRUE);

// The descendant of hWnd with control id nID (breadth first), or NULL.
HWND AFXAPI AfxGetDescendantWindow(HWND hWnd, int nID, BOOL bOnlyPerm = FALSE);

// The context the document template hands to the frame it creates.
struct CCreateContext {
    CRuntimeClass* m_pNewViewClass;
    CDocument* m_pCurrentDoc;
    CDocTemplate* m_pNewDocTemplate;
    CView* m_pLastView;
    CFrameWnd* m_pCurrentFrame;
    CCreateContext() : m_pNewViewClass(NULL), m_pCurrentDoc(NULL), m_pNewDocTemplate(NULL), m_pLastView(NULL),
                       m_pCurrentFrame(NULL) {}
};

// --- CDockState --------------------------------------------------------------

// The profile form of a docking layout: "<name>-Summary" holds the bar count
// ("Bars") and the screen size ("ScreenCX", "ScreenCY"); "<name>-Bar<n>"
// one entry per bar. This layer has no control bars of its own, so the
// state it saves holds none; loading reads the summary and skips the bars.
class CDockState : public CObject {
    DECLARE_SERIAL(CDockState)
public:
    CDockState();
    virtual ~CDockState();

    void LoadState(LPCTSTR lpszProfileName);
    void SaveState(LPCTSTR lpszProfileName);
    void Clear();
    DWORD GetVersion() const { return 1; }
    void Serialize(CArchive& ar) override;

    CPtrArray m_arrBarInfo;  // no entries in this layer
    CSize m_sizeScreen;      // the screen the state was saved on
    int m_nBarsLoaded;       // the count the last LoadState read
};

// --- CFrameWnd ---------------------------------------------------------------

class CFrameWnd : public CWnd {
    DECLARE_DYNCREATE(CFrameWnd)
public:
    static const CRect rectDefault;

    CFrameWnd();
    virtual ~CFrameWnd();

    // creation
    BOOL Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle = WS_OVERLAPPEDWINDOW,
                const RECT& rect = rectDefault, CWnd* pParentWnd = NULL, LPCTSTR lpszMenuName = NULL,
                DWORD dwExStyle = 0, CCreateContext* pContext = NULL);
    // Menu, accelerators, icon and title of resource nIDResource (the title
    // is the part of string nIDResource before its first '\n').
    virtual BOOL LoadFrame(UINT nIDResource, DWORD dwDefaultStyle = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                           CWnd* pParentWnd = NULL, CCreateContext* pContext = NULL);
    BOOL LoadAccelTable(LPCTSTR lpszResourceName);
    // Creates a view of the context's class as a child with id nID.
    CWnd* CreateView(CCreateContext* pContext, UINT nID = AFX_IDW_PANE_FIRST);

    // attributes
    virtual CDocument* GetActiveDocument();
    CView* GetActiveView() const { return m_pViewActive; }
    void SetActiveView(CView* pViewNew, BOOL bNotify = TRUE);
    // the active MDI child of an MDI frame, else this frame
    virtual CFrameWnd* GetActiveFrame();
    BOOL IsFrameWnd() const override;
    CFrameWnd* GetParentFrame() const { return (CFrameWnd*)CWnd::GetParentFrame(); }
    CFrameWnd* GetTopLevelFrame() const { return (CFrameWnd*)CWnd::GetTopLevelFrame(); }
    CString GetTitle() const { return m_strTitle; }
    void SetTitle(LPCTSTR lpszTitle) { m_strTitle = lpszTitle; }
    virtual HACCEL GetDefaultAccelerator();
    // The message line: the status bar child (AFX_IDW_STATUS_BAR), or NULL.
    virtual CWnd* GetMessageBar();
    BOOL IsTracking() const { return m_nIDTracking != 0 && m_nIDTracking != AFX_IDS_HELPMODEMESSAGE &&
                                     m_nIDTracking != AFX_IDS_IDLEMESSAGE; }

    // operations
    virtual void RecalcLayout(BOOL bNotify = TRUE);
    void RepositionBars(UINT nIDFirst, UINT nIDLast, UINT nIDLeftOver, UINT nFlags = reposDefault,
                        LPRECT lpRectParam = NULL, LPCRECT lpRectClient = NULL, BOOL bStretch = TRUE) {
        AfxRepositionBars(this, nIDFirst, nIDLast, nIDLeftOver, nFlags, lpRectParam, lpRectClient, bStretch);
    }
    virtual void ActivateFrame(int nCmdShow = -1);
    void InitialUpdateFrame(CDocument* pDoc, BOOL bMakeVisible);
    void SetMessageText(LPCTSTR lpszText);
    void SetMessageText(UINT nID);
    virtual void GetMessageString(UINT nID, CString& rMessage) const;
    // Title, menu and layout work done at the next idle time.
    void DelayUpdateFrameTitle() { m_nIdleFlags |= idleTitle; }
    virtual void DelayUpdateFrameMenu(HMENU hMenuAlt);
    void DelayRecalcLayout(BOOL bNotify = TRUE) { m_nIdleFlags |= (idleLayout | (bNotify ? idleNotify : 0)); }
    virtual void OnUpdateFrameTitle(BOOL bAddToTitle);
    virtual void OnUpdateFrameMenu(HMENU hMenuAlt);
    void UpdateFrameTitleForDocument(LPCTSTR lpszDocName);
    // Sends FS_* to every popup the top-level frame owns, and keeps the
    // caption of the top-level frame in step on (de)activation.
    void NotifyFloatingWindows(DWORD dwFlags);
    virtual BOOL NegotiateBorderSpace(UINT nBorderCmd, LPRECT lpRectBorder);
    virtual void OnSetPreviewMode(BOOL bPreview, CPrintPreviewState* pModeStuff);
    void GetDockState(CDockState& state) const;
    void SetDockState(const CDockState& state);
    void BeginModalState();
    void EndModalState();
    BOOL InModalState() const { return m_cModalStack != 0; }
    void ShowOwnedWindows(BOOL bShow);

    // context help
    virtual BOOL CanEnterHelpMode();
    void ExitHelpMode();

    // overridables
    virtual BOOL OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext* pContext);
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void PostNcDestroy() override;  // deletes the frame

    // data
    UINT m_nIDHelp;          // the resource id of LoadFrame
    HMENU m_hMenuDefault;    // the frame's own menu
    HACCEL m_hAccelTable;
    BOOL m_bAutoMenuEnable;  // items without a handler are disabled
    int m_nWindow;           // the window number in the title (":2"), -1 none, 0 one window
    CRect m_rectBorder;      // border space of NegotiateBorderSpace
    int m_bHelpMode;         // FALSE, HELP_ACTIVE or HELP_ENTERING
    UINT m_nIDTracking;      // the message being shown (menu item, system command)
    UINT m_nIDLastMessage;
    UINT m_nIdleFlags;
    enum IdleFlags { idleMenu = 1, idleTitle = 2, idleNotify = 4, idleLayout = 8 };
    enum HelpMode { HELP_INACTIVE = 0, HELP_ACTIVE = 1, HELP_ENTERING = -1 };
    BOOL(CALLBACK* m_lpfnCloseProc)(CFrameWnd* pFrameWnd);  // print preview's close

protected:
    CView* m_pViewActive;
    CString m_strTitle;
    HMENU m_hMenuAlt;  // the menu of DelayUpdateFrameMenu
    BOOL m_bInRecalcLayout;
    int m_cModalStack;
    CString m_strLoadedTitle;

    BOOL CreateFrameWindow(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                           CWnd* pParentWnd, HMENU hMenu, DWORD dwExStyle, CCreateContext* pContext);
    // The window class of LoadFrame: CS_DBLCLKS with the icon of nIDResource.
    LPCTSTR GetIconWndClass(DWORD dwDefaultStyle, UINT nIDResource);
    void UpdateFrameMenu(HMENU hMenuAlt);

public:
    // message handlers
    afx_msg int OnCreate(LPCREATESTRUCT lpcs);
    afx_msg void OnDestroy();
    afx_msg void OnClose();
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    afx_msg void OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized);
    afx_msg void OnActivateApp(BOOL bActive, DWORD dwThreadID);
    afx_msg BOOL OnNcActivate(BOOL bActive);
    afx_msg void OnEnable(BOOL bEnable);
    afx_msg void OnShowWindow(BOOL bShow, UINT nStatus);
    afx_msg LRESULT OnMenuChar(UINT nChar, UINT nFlags, CMenu* pMenu);
    afx_msg void OnInitMenuPopup(CMenu* pPopupMenu, UINT nIndex, BOOL bSysMenu);
    afx_msg void OnMenuSelect(UINT nItemID, UINT nFlags, HMENU hSysMenu);
    afx_msg LRESULT OnSetMessageString(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnPopMessageString(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnCommandHelp(WPARAM wParam, LPARAM lParam);
    afx_msg void OnUpdateControlBarMenu(CCmdUI* pCmdUI);
    afx_msg BOOL OnBarCheck(UINT nID);
    afx_msg void OnContextHelp();
    afx_msg BOOL OnToolTipText(UINT nID, NMHDR* pNMHDR, LRESULT* pResult);

    DECLARE_MESSAGE_MAP()
};

// --- CMDIFrameWnd --------------------------------------------------------------

class CMDIFrameWnd : public CFrameWnd {
    DECLARE_DYNCREATE(CMDIFrameWnd)
public:
    CMDIFrameWnd();

    HWND m_hWndMDIClient;

    // The MDICLIENT over the rest of the client area; pWindowMenu is the
    // menu the children are listed in.
    virtual BOOL CreateClient(LPCREATESTRUCT lpCreateStruct, CMenu* pWindowMenu);
    BOOL OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext* pContext) override;
    // The popup of hMenu that holds the window commands (0xE130..), else the
    // second-last popup, or NULL.
    virtual HMENU GetWindowMenuPopup(HMENU hMenuBar);

    CMDIChildWnd* MDIGetActive(BOOL* pbMaximized = NULL) const;
    void MDIActivate(CWnd* pWndActivate) { ::SendMessage(m_hWndMDIClient, WM_MDIACTIVATE, (WPARAM)AfxGetSafeHwnd(pWndActivate), 0); }
    void MDICascade() { ::SendMessage(m_hWndMDIClient, WM_MDICASCADE, 0, 0); }
    void MDICascade(int nType) { ::SendMessage(m_hWndMDIClient, WM_MDICASCADE, nType, 0); }
    void MDITile() { ::SendMessage(m_hWndMDIClient, WM_MDITILE, 0, 0); }
    void MDITile(int nType) { ::SendMessage(m_hWndMDIClient, WM_MDITILE, nType, 0); }
    void MDIIconArrange() { ::SendMessage(m_hWndMDIClient, WM_MDIICONARRANGE, 0, 0); }
    void MDIMaximize(CWnd* pWnd) { ::SendMessage(m_hWndMDIClient, WM_MDIMAXIMIZE, (WPARAM)AfxGetSafeHwnd(pWnd), 0); }
    void MDIRestore(CWnd* pWnd) { ::SendMessage(m_hWndMDIClient, WM_MDIRESTORE, (WPARAM)AfxGetSafeHwnd(pWnd), 0); }
    void MDINext() { ::SendMessage(m_hWndMDIClient, WM_MDINEXT, 0, 0); }
    CMenu* MDISetMenu(CMenu* pFrameMenu, CMenu* pWindowMenu);

    CFrameWnd* GetActiveFrame() override;
    void OnUpdateFrameTitle(BOOL bAddToTitle) override;
    void OnUpdateFrameMenu(HMENU hMenuAlt) override;
    BOOL LoadFrame(UINT nIDResource, DWORD dwDefaultStyle = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                   CWnd* pParentWnd = NULL, CCreateContext* pContext = NULL) override;
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;

    afx_msg void OnDestroy();
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnWindowNew();
    afx_msg BOOL OnMDIWindowCmd(UINT nID);
    afx_msg void OnUpdateMDIWindowCmd(CCmdUI* pCmdUI);

    DECLARE_MESSAGE_MAP()
};

// --- CMDIChildWnd ----------------------------------------------------------------

class CMDIChildWnd : public CFrameWnd {
    DECLARE_DYNCREATE(CMDIChildWnd)
public:
    CMDIChildWnd();

    HMENU m_hMenuShared;  // the template's menu, shown while this child is active

    // Creates the child through the MDICLIENT of pParentWnd (the main
    // window when NULL).
    virtual BOOL Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName,
                        DWORD dwStyle = WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW, const RECT& rect = rectDefault,
                        CMDIFrameWnd* pParentWnd = NULL, CCreateContext* pContext = NULL);
    BOOL LoadFrame(UINT nIDResource, DWORD dwDefaultStyle = WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                   CWnd* pParentWnd = NULL, CCreateContext* pContext = NULL) override;
    CMDIFrameWnd* GetMDIFrame() const;
    void SetHandles(HMENU hMenu, HACCEL hAccel) { m_hMenuShared = hMenu; m_hAccelTable = hAccel; }

    void MDIDestroy() { ::SendMessage(::GetParent(m_hWnd), WM_MDIDESTROY, (WPARAM)m_hWnd, 0); }
    void MDIActivate() { ::SendMessage(::GetParent(m_hWnd), WM_MDIACTIVATE, (WPARAM)m_hWnd, 0); }
    void MDIMaximize() { ::SendMessage(::GetParent(m_hWnd), WM_MDIMAXIMIZE, (WPARAM)m_hWnd, 0); }
    void MDIRestore() { ::SendMessage(::GetParent(m_hWnd), WM_MDIRESTORE, (WPARAM)m_hWnd, 0); }

    void ActivateFrame(int nCmdShow = -1) override;
    void OnUpdateFrameTitle(BOOL bAddToTitle) override;
    void OnUpdateFrameMenu(BOOL bActive, CWnd* pActivateWnd, HMENU hMenuAlt);
    using CFrameWnd::OnUpdateFrameMenu;
    BOOL DestroyWindow() override;
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    CFrameWnd* GetActiveFrame() override { return this; }

    afx_msg void OnMDIActivate(BOOL bActivate, CWnd* pActivateWnd, CWnd* pDeactivateWnd);
    afx_msg int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message);
    afx_msg void OnWindowPosChanging(WINDOWPOS* lpWndPos);
    afx_msg BOOL OnNcActivate(BOOL bActive);
    afx_msg void OnDestroy();
    afx_msg void OnSize(UINT nType, int cx, int cy);

protected:
    BOOL UpdateClientEdge(LPRECT lpRect = NULL);

    DECLARE_MESSAGE_MAP()
};

// --- CMiniFrameWnd -----------------------------------------------------------------

// A popup frame with a small caption (WS_EX_TOOLWINDOW). MFS_SYNCACTIVE
// frames answer WM_FLOATSTATUS(FS_SYNCACTIVE) so their owner stays active.
class CMiniFrameWnd : public CFrameWnd {
    DECLARE_DYNCREATE(CMiniFrameWnd)
public:
    CMiniFrameWnd();

    BOOL Create(LPCTSTR lpClassName, LPCTSTR lpWindowName, DWORD dwStyle, const RECT& rect,
                CWnd* pParentWnd = NULL, UINT nID = 0);
    using CWnd::CreateEx;
    BOOL CreateEx(DWORD dwExStyle, LPCTSTR lpClassName, LPCTSTR lpWindowName, DWORD dwStyle, const RECT& rect,
                  CWnd* pParentWnd = NULL, UINT nID = 0, LPVOID lpParam = NULL) override;

    void RecalcLayout(BOOL bNotify = TRUE) override;
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    void PostNcDestroy() override;

    afx_msg LRESULT OnFloatStatus(WPARAM wParam, LPARAM lParam);
    afx_msg void OnClose();

    BOOL m_bSyncActive;  // created with MFS_SYNCACTIVE

    DECLARE_MESSAGE_MAP()
};

#include "afxdocvw.h"
