// afxwnd.h - command targets and windows:
//   CCmdTarget      message maps and command routing (OnCmdMsg)
//   CCmdUI          the state of a command's user interface item
//   CWnd            a window: handle maps, creation, subclassing, dispatch
//   CMenu           a menu handle with the same pair of handle maps
//   CWaitCursor     the wait cursor for the lifetime of a scope
//   AFX_THREAD_STATE  per-thread data of the window half
#pragma once
#include "afxgdi.h"

class CCmdTarget;
class CCmdUI;
class CWnd;
class CMenu;
class CScrollBar;
class CWinThread;
class CToolTipCtrl;

// --- private messages and constants ------------------------------------------

#define WM_SIZEPARENT        0x0361
#define WM_SETMESSAGESTRING  0x0362
#define WM_IDLEUPDATECMDUI   0x0363
#define WM_INITIALUPDATE     0x0364
#define WM_COMMANDHELP       0x0365
#define WM_HELPHITTEST       0x0366
#define WM_EXITHELPMODE      0x0367
#define WM_RECALCPARENT      0x0368
#define WM_SIZECHILD         0x0369
#define WM_KICKIDLE          0x036A
#define WM_QUERYCENTERWND    0x036B
#define WM_DISABLEMODAL      0x036C
#define WM_FLOATSTATUS       0x036D
#define WM_ACTIVATETOPLEVEL  0x036E
#define WM_POPMESSAGESTRING  0x0375

#define WM_REFLECT_BASE      0xBC00
#ifndef WM_CTLCOLOR
#define WM_CTLCOLOR          0x0019
#endif

// WM_FLOATSTATUS values
#define FS_SHOW        0x01
#define FS_HIDE        0x02
#define FS_ACTIVATE    0x04
#define FS_DEACTIVATE  0x08
#define FS_ENABLE      0x10
#define FS_DISABLE     0x20
#define FS_SYNCACTIVE  0x40

// CWnd::m_nFlags
#define WF_TOOLTIPS        0x0001  // window handles tooltips (FilterToolTipMessage)
#define WF_TEMPHIDE        0x0002
#define WF_STAYDISABLED    0x0004
#define WF_MODALLOOP       0x0008  // RunModalLoop runs
#define WF_CONTINUEMODAL   0x0010  // the modal loop goes on
#define WF_STAYACTIVE      0x0020
#define WF_NOPOPMSG        0x0040
#define WF_MODALDISABLE    0x0080
#define WF_KEEPMINIACTIVE  0x0200
#define WF_NOWIN3DEXIT     0x0400
#define WF_OLECTLCONTAINER 0x0100

// command codes of OnCmdMsg
#define CN_COMMAND            0
#define CN_UPDATE_COMMAND_UI  ((UINT)(-1))
#define CN_EVENT              ((UINT)(-2))
#define CN_OLEVERB            ((UINT)(-3))
#define CN_OLE_UNREGISTER     ((UINT)(-4))

// RunModalLoop flags
#define MLF_NOIDLEMSG      0x0001
#define MLF_NOKICKIDLE     0x0002
#define MLF_SHOWONIDLE     0x0004

// control bar styles
#define CBRS_ALIGN_LEFT     0x1000L
#define CBRS_ALIGN_TOP      0x2000L
#define CBRS_ALIGN_RIGHT    0x4000L
#define CBRS_ALIGN_BOTTOM   0x8000L
#define CBRS_ALIGN_ANY      0xF000L
#define CBRS_BORDER_LEFT    0x0100L
#define CBRS_BORDER_TOP     0x0200L
#define CBRS_BORDER_RIGHT   0x0400L
#define CBRS_BORDER_BOTTOM  0x0800L
#define CBRS_BORDER_ANY     0x0F00L
#define CBRS_TOOLTIPS       0x0010L
#define CBRS_FLYBY          0x0020L
#define CBRS_FLOAT_MULTI    0x0040L
#define CBRS_BORDER_3D      0x0080L
#define CBRS_HIDE_INPLACE   0x0008L
#define CBRS_SIZE_DYNAMIC   0x0004L
#define CBRS_SIZE_FIXED     0x0002L
#define CBRS_FLOATING       0x0001L
#define CBRS_GRIPPER        0x00400000L
#define CBRS_ORIENT_HORZ    (CBRS_ALIGN_TOP | CBRS_ALIGN_BOTTOM)
#define CBRS_ORIENT_VERT    (CBRS_ALIGN_LEFT | CBRS_ALIGN_RIGHT)
#define CBRS_ORIENT_ANY     (CBRS_ORIENT_HORZ | CBRS_ORIENT_VERT)
#define CBRS_ALL            0x0040FFFFL
#define CBRS_NOALIGN        0x00000000L
#define CBRS_LEFT           (CBRS_ALIGN_LEFT | CBRS_BORDER_RIGHT)
#define CBRS_TOP            (CBRS_ALIGN_TOP | CBRS_BORDER_BOTTOM)
#define CBRS_RIGHT          (CBRS_ALIGN_RIGHT | CBRS_BORDER_LEFT)
#define CBRS_BOTTOM         (CBRS_ALIGN_BOTTOM | CBRS_BORDER_TOP)

// layout modes
#define LM_STRETCH   0x01
#define LM_HORZ      0x02
#define LM_MRUWIDTH  0x04
#define LM_HORZDOCK  0x08
#define LM_VERTDOCK  0x10
#define LM_LENGTHY   0x20
#define LM_COMMIT    0x40

// toolbar button states
#define TBBS_BUTTON         0x0000
#define TBBS_SEPARATOR      0x0001
#define TBBS_CHECKBOX       0x0002
#define TBBS_GROUP          0x0004
#define TBBS_CHECKGROUP     (TBBS_GROUP | TBBS_CHECKBOX)
#define TBBS_CHECKED        0x00010000
#define TBBS_PRESSED        0x00020000
#define TBBS_DISABLED       0x00040000
#define TBBS_INDETERMINATE  0x00100000
#define TBBS_HIDDEN         0x00080000

// status bar pane styles
#define SBPS_NORMAL     0x0000
#define SBPS_NOBORDERS  0x0100
#define SBPS_POPOUT     0x0200
#define SBPS_OWNERDRAW  0x1000
#define SBPS_DISABLED   0x04000000
#define SBPS_STRETCH    0x08000000

// mini frame style
#define MFS_SYNCACTIVE  0x00000100L

// window class kinds for AfxDeferRegisterClass
#define AFX_WND_REG          0x00001
#define AFX_WNDCONTROLBAR_REG 0x00002
#define AFX_WNDMDIFRAME_REG  0x00004
#define AFX_WNDFRAMEORVIEW_REG 0x00008
#define AFX_WNDCOMMCTLS_REG  0x00010
#define AFX_WNDOLECONTROL_REG 0x00020
#define AFX_WNDCOOLBAR_REG   0x00040

#ifndef afx_msg
#define afx_msg
#endif

// --- message-map structures -------------------------------------------------

typedef void (CCmdTarget::*AFX_PMSG)();

// What a thunk needs to call a handler.
struct AFX_CALL {
    UINT nMsg;
    WPARAM wParam;
    LPARAM lParam;
    UINT nID;      // commands: the command id
    UINT nCode;    // commands: the notification code
    void* pExtra;  // commands: CCmdUI* or AFX_NOTIFY*
};
typedef LRESULT(AFXAPI* AFX_PTHUNK)(CCmdTarget* pTarget, AFX_PMSG pfn, AFX_CALL& call);

struct AFX_MSGMAP_ENTRY {
    UINT nMessage;   // window message (WM_COMMAND, WM_NOTIFY or + WM_REFLECT_BASE for commands)
    UINT nCode;      // notification code, CN_COMMAND or CN_UPDATE_COMMAND_UI
    UINT nID;        // first id of the range
    UINT nLastID;    // last id of the range
    AFX_PTHUNK pfnThunk;
    AFX_PMSG pfn;
    const UINT* pnRegisteredMessage;  // ON_REGISTERED_MESSAGE
};

struct AFX_MSGMAP {
    const AFX_MSGMAP* (PASCAL* pfnGetBaseMap)();
    const AFX_MSGMAP_ENTRY* lpEntries;
};

#define DECLARE_MESSAGE_MAP()                          \
protected:                                             \
    static const AFX_MSGMAP* PASCAL GetThisMessageMap(); \
    const AFX_MSGMAP* GetMessageMap() const override;

// What OnCmdMsg reports instead of calling when asked for the handler.
struct AFX_CMDHANDLERINFO {
    CCmdTarget* pTarget;
    AFX_PMSG pmf;
};

// pExtra of WM_NOTIFY commands.
struct AFX_NOTIFY {
    LRESULT* pResult;
    NMHDR* pNMHDR;
};

// --- CCmdTarget -------------------------------------------------------------

class CCmdTarget : public CObject {
    DECLARE_DYNAMIC(CCmdTarget)
public:
    CCmdTarget();
    virtual ~CCmdTarget();

    // Routes a command (nCode CN_COMMAND, CN_UPDATE_COMMAND_UI, or a control
    // notification packed as MAKELONG(code, WM_COMMAND or WM_NOTIFY)) through
    // this object's message map. With pHandlerInfo it only answers whether a
    // handler exists and fills pHandlerInfo.
    virtual BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo);

    void BeginWaitCursor();
    void EndWaitCursor();
    void RestoreWaitCursor();

    static const AFX_MSGMAP* PASCAL GetThisMessageMap();
    virtual const AFX_MSGMAP* GetMessageMap() const;

    // The entry of pMap's chain that handles the message, or NULL.
    static const AFX_MSGMAP_ENTRY* PASCAL FindMessageEntry(const AFX_MSGMAP_ENTRY* lpEntry, UINT nMsg,
                                                           UINT nCode, UINT nID);
};

// --- CCmdUI -----------------------------------------------------------------

class CCmdUI {
public:
    UINT m_nID;
    UINT m_nIndex;      // menu item or other index
    CMenu* m_pMenu;     // NULL unless a menu
    CMenu* m_pSubMenu;  // the popup of a menu item, or NULL
    CWnd* m_pOther;     // NULL unless another window (control, bar)
    BOOL m_bEnableChanged;
    BOOL m_bContinueRouting;
    UINT m_nIndexMax;   // last + 1 for iterating m_nIndex
    CMenu* m_pParentMenu;

    CCmdUI();

    // overridables, in this slot order (no virtual destructor before them)
    virtual void Enable(BOOL bOn = TRUE);
    virtual void SetCheck(int nCheck = 1);  // 0, 1 or 2 (indeterminate)
    virtual void SetRadio(BOOL bOn = TRUE);
    virtual void SetText(LPCTSTR lpszText);

    void ContinueRouting() { m_bContinueRouting = TRUE; }

    // Routes CN_UPDATE_COMMAND_UI to pTarget. When nobody handled it and
    // bDisableIfNoHndler is set, the item is enabled exactly when pTarget has
    // a CN_COMMAND handler for the id.
    BOOL DoUpdate(CCmdTarget* pTarget, BOOL bDisableIfNoHndler);
};

// Tells whether a command is enabled (OnCommand's check of menu and
// accelerator commands).
class CTestCmdUI : public CCmdUI {
public:
    CTestCmdUI() : m_bEnabled(TRUE) {}
    void Enable(BOOL bOn) override { m_bEnabled = bOn; m_bEnableChanged = TRUE; }
    void SetCheck(int) override {}
    void SetRadio(BOOL) override {}
    void SetText(LPCTSTR) override {}
    BOOL m_bEnabled;
};

// --- per-thread state -------------------------------------------------------

// A dispatch in progress (innermost first); the destructor of a CWnd marks
// its frames so the dispatcher does not touch the object afterwards.
struct AFX_WNDPROC_FRAME {
    CWnd* pWnd;
    BOOL bObjectGone;
    AFX_WNDPROC_FRAME* pPrev;
};

struct AFX_THREAD_STATE {
    CWinThread* m_pCurrentWinThread = NULL;
    // window creation under way: the object that takes the next window
    CWnd* m_pWndInit = NULL;
    HHOOK m_hHookOldCbtFilter = NULL;
    // the message being handled (GetCurrentMessage)
    MSG m_lastSentMsg = {};
    AFX_WNDPROC_FRAME* m_pWndProcFrame = NULL;
    // control notifications are not dispatched to this window (UpdateData)
    HWND m_hLockoutNotifyWindow = NULL;
    // the thread's tooltip for FilterToolTipMessage
    CToolTipCtrl* m_pToolTip = NULL;
    CWnd* m_pLastHit = NULL;
    INT_PTR m_nLastHit = -1;
    // waiting cursors (BeginWaitCursor)
    int m_nWaitCursorCount = 0;
    HCURSOR m_hcurWaitCursorRestore = NULL;
};
AFX_THREAD_STATE* AFXAPI AfxGetThreadState();

// Window creation: the next window created on this thread is attached to
// pWnd from WM_NCCREATE on. AfxUnhookWindowCreate answers FALSE when no
// window took the object.
void AFXAPI AfxHookWindowCreate(CWnd* pWnd);
BOOL AFXAPI AfxUnhookWindowCreate();
// "Window creation under way" on this thread.
inline BOOL AfxIsWindowCreationUnderWay() { return AfxGetThreadState()->m_pWndInit != NULL; }

// The window procedure of every window with a CWnd.
LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam);
WNDPROC AFXAPI AfxGetAfxWndProc();
LRESULT AFXAPI AfxCallWndProc(CWnd* pWnd, HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam);

// The exception barrier of every procedure the system calls: reports the
// exception (unless a CUserException) and frees it. The barrier's answer is
// the caller's business (WM_CREATE -1, WM_PAINT validates, otherwise 0).
void AFXAPI AfxReportBarrierException(CException* e, const MSG* pMsg);
void AFXAPI AfxReportForeignException(const MSG* pMsg);

// Window classes.
BOOL AFXAPI AfxRegisterClass(WNDCLASS* lpWndClass);
LPCTSTR AFXAPI AfxRegisterWndClass(UINT nClassStyle, HCURSOR hCursor = 0, HBRUSH hbrBackground = 0,
                                   HICON hIcon = 0);
BOOL AFXAPI AfxDeferRegisterClass(LONG fToRegister);
#define AFX_WND_CLASS_NAME _T("AfxWnd")

class CWnd;
class CFrameWnd;
inline HWND AfxGetSafeHwnd(const CWnd* p);
// The bar layout of afxframe.h (its flags and defaults are declared there).
void AFXAPI AfxRepositionBars(CWnd* pWnd, UINT nIDFirst, UINT nIDLast, UINT nIDLeftOver, UINT nFlags,
                              LPRECT lpRectParam, LPCRECT lpRectClient, BOOL bStretch);

// --- CWnd -------------------------------------------------------------------

class CWnd : public CCmdTarget {
    DECLARE_DYNCREATE(CWnd)
public:
    // data
    HWND m_hWnd;
    UINT m_nFlags;  // WF_ bits

    static const CWnd wndTop;
    static const CWnd wndBottom;
    static const CWnd wndTopMost;
    static const CWnd wndNoTopMost;

    // construction
    CWnd();
    explicit CWnd(HWND hWnd);  // wraps a marker handle (wndTop...) without a map
    virtual ~CWnd();

    // handle maps
    operator HWND() const;
    HWND GetSafeHwnd() const;  // NULL also when called through a NULL pointer
    static CWnd* PASCAL FromHandle(HWND hWnd);           // temporary object for a foreign window
    static CWnd* PASCAL FromHandlePermanent(HWND hWnd);  // NULL unless attached
    static void PASCAL DeleteTempMap();
    BOOL Attach(HWND hWndNew);
    HWND Detach();
    BOOL SubclassWindow(HWND hWnd);
    BOOL SubclassDlgItem(UINT nID, CWnd* pParent);
    HWND UnsubclassWindow();

    // creation
    virtual BOOL Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                        CWnd* pParentWnd, UINT nID, void* pContext = NULL);
    // Creation goes through PreCreateWindow and the creation hook, so the
    // object sees WM_NCCREATE. On failure PostNcDestroy has run (a
    // self-deleting object is gone) and the answer is FALSE. Every Create of
    // a class keeps that rule, also when it fails before it gets here: after
    // FALSE its caller deletes the object only when PostNcDestroy does not,
    // and touches it no more otherwise. (An object that has its window
    // already is told FALSE and keeps it.)
    BOOL CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, int x, int y,
                  int nWidth, int nHeight, HWND hWndParent, HMENU nIDorHMenu, LPVOID lpParam = NULL);
    virtual BOOL CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle,
                          const RECT& rect, CWnd* pParentWnd, UINT nID, LPVOID lpParam = NULL);
    virtual BOOL DestroyWindow();
    // A dialog template (resource) created as a window of this object.
    BOOL CreateDlg(LPCTSTR lpszTemplateName, CWnd* pParentWnd);
    BOOL CreateDlgIndirect(LPCDLGTEMPLATE lpDialogTemplate, CWnd* pParentWnd, HINSTANCE hInst = NULL);
    // Sends the RT_DLGINIT (240) data of a dialog to its controls.
    BOOL ExecuteDlgInit(LPCTSTR lpszResourceName);
    BOOL ExecuteDlgInit(LPVOID lpResource);

    // style
    DWORD GetStyle() const { return (DWORD)::GetWindowLong(m_hWnd, GWL_STYLE); }
    DWORD GetExStyle() const { return (DWORD)::GetWindowLong(m_hWnd, GWL_EXSTYLE); }
    BOOL ModifyStyle(DWORD dwRemove, DWORD dwAdd, UINT nFlags = 0) {
        return ModifyStyle(m_hWnd, dwRemove, dwAdd, nFlags);
    }
    BOOL ModifyStyleEx(DWORD dwRemove, DWORD dwAdd, UINT nFlags = 0) {
        return ModifyStyleEx(m_hWnd, dwRemove, dwAdd, nFlags);
    }
    static BOOL PASCAL ModifyStyle(HWND hWnd, DWORD dwRemove, DWORD dwAdd, UINT nFlags);
    static BOOL PASCAL ModifyStyleEx(HWND hWnd, DWORD dwRemove, DWORD dwAdd, UINT nFlags);
    CWnd* GetOwner() const;
    void SetOwner(CWnd* pOwnerWnd);

    // messages
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
        return ::SendMessage(m_hWnd, message, wParam, lParam);
    }
    BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
        return ::PostMessage(m_hWnd, message, wParam, lParam);
    }
    // To every child (and with bDeep, every descendant); with bOnlyPerm only
    // to windows that have a permanent object.
    void SendMessageToDescendants(UINT message, WPARAM wParam = 0, LPARAM lParam = 0, BOOL bDeep = TRUE,
                                  BOOL bOnlyPerm = FALSE) {
        SendMessageToDescendants(m_hWnd, message, wParam, lParam, bDeep, bOnlyPerm);
    }
    static void PASCAL SendMessageToDescendants(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam,
                                                BOOL bDeep, BOOL bOnlyPerm);
    static const MSG* PASCAL GetCurrentMessage();

    // text and font
    void SetWindowText(LPCTSTR lpszString) { ::SetWindowText(m_hWnd, lpszString); }
    int GetWindowText(LPTSTR lpszStringBuf, int nMaxCount) const {
        return ::GetWindowText(m_hWnd, lpszStringBuf, nMaxCount);
    }
    void GetWindowText(CString& rString) const;
    int GetWindowTextLength() const { return ::GetWindowTextLength(m_hWnd); }
    void SetFont(CFont* pFont, BOOL bRedraw = TRUE) {
        ::SendMessage(m_hWnd, WM_SETFONT, (WPARAM)AfxGetSafeHandle(pFont), bRedraw);
    }
    CFont* GetFont() const { return CFont::FromHandle((HFONT)::SendMessage(m_hWnd, WM_GETFONT, 0, 0)); }

    // menus and icons
    CMenu* GetMenu() const;
    BOOL SetMenu(CMenu* pMenu);
    void DrawMenuBar() { ::DrawMenuBar(m_hWnd); }
    CMenu* GetSystemMenu(BOOL bRevert) const;
    HICON SetIcon(HICON hIcon, BOOL bBigIcon) {
        return (HICON)::SendMessage(m_hWnd, WM_SETICON, bBigIcon, (LPARAM)hIcon);
    }
    HICON GetIcon(BOOL bBigIcon) const { return (HICON)::SendMessage(m_hWnd, WM_GETICON, bBigIcon, 0); }

    // size and position
    void MoveWindow(int x, int y, int nWidth, int nHeight, BOOL bRepaint = TRUE) {
        ::MoveWindow(m_hWnd, x, y, nWidth, nHeight, bRepaint);
    }
    void MoveWindow(LPCRECT lpRect, BOOL bRepaint = TRUE) {
        ::MoveWindow(m_hWnd, lpRect->left, lpRect->top, lpRect->right - lpRect->left,
                     lpRect->bottom - lpRect->top, bRepaint);
    }
    BOOL SetWindowPos(const CWnd* pWndInsertAfter, int x, int y, int cx, int cy, UINT nFlags);
    void BringWindowToTop() { ::BringWindowToTop(m_hWnd); }
    void GetWindowRect(LPRECT lpRect) const { ::GetWindowRect(m_hWnd, lpRect); }
    void GetClientRect(LPRECT lpRect) const { ::GetClientRect(m_hWnd, lpRect); }
    BOOL GetWindowPlacement(WINDOWPLACEMENT* lpwndpl) const { return ::GetWindowPlacement(m_hWnd, lpwndpl); }
    BOOL SetWindowPlacement(const WINDOWPLACEMENT* lpwndpl) { return ::SetWindowPlacement(m_hWnd, lpwndpl); }
    void ClientToScreen(LPPOINT lpPoint) const { ::ClientToScreen(m_hWnd, lpPoint); }
    void ClientToScreen(LPRECT lpRect) const;
    void ScreenToClient(LPPOINT lpPoint) const { ::ScreenToClient(m_hWnd, lpPoint); }
    void ScreenToClient(LPRECT lpRect) const;
    void MapWindowPoints(CWnd* pwndTo, LPPOINT lpPoint, UINT nCount) const {
        ::MapWindowPoints(m_hWnd, AfxGetSafeHwnd(pwndTo), lpPoint, nCount);
    }
    void MapWindowPoints(CWnd* pwndTo, LPRECT lpRect) const {
        ::MapWindowPoints(m_hWnd, AfxGetSafeHwnd(pwndTo), (LPPOINT)lpRect, 2);
    }
    virtual void CalcWindowRect(LPRECT lpClientRect, UINT nAdjustType = 0);
    // The children nIDFirst..nIDLast take their room as bars, nIDLeftOver
    // gets the rest: AfxRepositionBars on this window (nFlags 0 is
    // reposDefault).
    void RepositionBars(UINT nIDFirst, UINT nIDLast, UINT nIDLeftOver, UINT nFlags = 0, LPRECT lpRectParam = NULL,
                        LPCRECT lpRectClient = NULL, BOOL bStretch = TRUE) {
        AfxRepositionBars(this, nIDFirst, nIDLast, nIDLeftOver, nFlags, lpRectParam, lpRectClient, bStretch);
    }
    void CenterWindow(CWnd* pAlternateOwner = NULL);

    // state
    BOOL ShowWindow(int nCmdShow) { return ::ShowWindow(m_hWnd, nCmdShow); }
    BOOL IsWindowVisible() const { return ::IsWindowVisible(m_hWnd); }
    BOOL IsWindowEnabled() const { return ::IsWindowEnabled(m_hWnd); }
    BOOL EnableWindow(BOOL bEnable = TRUE) { return ::EnableWindow(m_hWnd, bEnable); }
    BOOL IsIconic() const { return ::IsIconic(m_hWnd); }
    BOOL IsZoomed() const { return ::IsZoomed(m_hWnd); }
    BOOL IsWindow() const { return ::IsWindow(m_hWnd); }

    // painting
    CDC* GetDC() { return CDC::FromHandle(::GetDC(m_hWnd)); }
    CDC* GetWindowDC() { return CDC::FromHandle(::GetWindowDC(m_hWnd)); }
    CDC* GetDCEx(CRgn* prgnClip, DWORD flags) {
        return CDC::FromHandle(::GetDCEx(m_hWnd, (HRGN)AfxGetSafeHandle(prgnClip), flags));
    }
    int ReleaseDC(CDC* pDC) { return ::ReleaseDC(m_hWnd, AfxGetSafeHdc(pDC)); }
    CDC* BeginPaint(LPPAINTSTRUCT lpPaint) { return CDC::FromHandle(::BeginPaint(m_hWnd, lpPaint)); }
    void EndPaint(LPPAINTSTRUCT lpPaint) { ::EndPaint(m_hWnd, lpPaint); }
    void Invalidate(BOOL bErase = TRUE) { ::InvalidateRect(m_hWnd, NULL, bErase); }
    void InvalidateRect(LPCRECT lpRect, BOOL bErase = TRUE) { ::InvalidateRect(m_hWnd, lpRect, bErase); }
    void InvalidateRgn(CRgn* pRgn, BOOL bErase = TRUE) {
        ::InvalidateRgn(m_hWnd, (HRGN)AfxGetSafeHandle(pRgn), bErase);
    }
    void ValidateRect(LPCRECT lpRect) { ::ValidateRect(m_hWnd, lpRect); }
    void UpdateWindow() { ::UpdateWindow(m_hWnd); }
    BOOL RedrawWindow(LPCRECT lpRectUpdate = NULL, CRgn* prgnUpdate = NULL,
                      UINT flags = RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE) {
        return ::RedrawWindow(m_hWnd, lpRectUpdate, (HRGN)AfxGetSafeHandle(prgnUpdate), flags);
    }
    void SetRedraw(BOOL bRedraw = TRUE) { ::SendMessage(m_hWnd, WM_SETREDRAW, bRedraw, 0); }
    BOOL LockWindowUpdate() { return ::LockWindowUpdate(m_hWnd); }
    void UnlockWindowUpdate() { ::LockWindowUpdate(NULL); }
    int SetWindowRgn(HRGN hRgn, BOOL bRedraw) { return ::SetWindowRgn(m_hWnd, hRgn, bRedraw); }

    // input and timers
    CWnd* SetFocus() { return FromHandle(::SetFocus(m_hWnd)); }
    static CWnd* PASCAL GetFocus() { return FromHandle(::GetFocus()); }
    CWnd* SetCapture() { return FromHandle(::SetCapture(m_hWnd)); }
    static CWnd* PASCAL GetCapture() { return FromHandle(::GetCapture()); }
    static BOOL PASCAL ReleaseCapture() { return ::ReleaseCapture(); }
    CWnd* SetActiveWindow() { return FromHandle(::SetActiveWindow(m_hWnd)); }
    static CWnd* PASCAL GetActiveWindow() { return FromHandle(::GetActiveWindow()); }
    BOOL SetForegroundWindow() { return ::SetForegroundWindow(m_hWnd); }
    static CWnd* PASCAL GetForegroundWindow() { return FromHandle(::GetForegroundWindow()); }
    // lpfnTimer runs inside the exception barrier as well.
    UINT_PTR SetTimer(UINT_PTR nIDEvent, UINT nElapse, void(CALLBACK* lpfnTimer)(HWND, UINT, UINT_PTR, DWORD));
    BOOL KillTimer(UINT_PTR nIDEvent) { return ::KillTimer(m_hWnd, nIDEvent); }

    // relations
    CWnd* GetParent() const { return FromHandle(::GetParent(m_hWnd)); }
    CWnd* SetParent(CWnd* pWndNewParent) { return FromHandle(::SetParent(m_hWnd, AfxGetSafeHwnd(pWndNewParent))); }
    // The nearest frame among the parents, or NULL.
    CFrameWnd* GetParentFrame() const;
    CWnd* GetTopLevelParent() const;
    CWnd* GetTopLevelOwner() const;
    // This frame (or the parent frame) when no frame lies above it, else the
    // outermost parent frame.
    CFrameWnd* GetTopLevelFrame() const;
    virtual BOOL IsFrameWnd() const;
    CWnd* GetWindow(UINT nCmd) const { return FromHandle(::GetWindow(m_hWnd, nCmd)); }
    CWnd* GetLastActivePopup() const { return FromHandle(::GetLastActivePopup(m_hWnd)); }
    CWnd* GetDlgItem(int nID) const { return FromHandle(::GetDlgItem(m_hWnd, nID)); }
    void GetDlgItem(int nID, HWND* phWnd) const { *phWnd = ::GetDlgItem(m_hWnd, nID); }
    int GetDlgCtrlID() const { return ::GetDlgCtrlID(m_hWnd); }
    int SetDlgCtrlID(int nID) { return (int)::SetWindowLongPtr(m_hWnd, GWLP_ID, nID); }
    BOOL IsChild(const CWnd* pWnd) const { return ::IsChild(m_hWnd, AfxGetSafeHwnd(pWnd)); }
    static CWnd* PASCAL GetDesktopWindow() { return FromHandle(::GetDesktopWindow()); }
    static CWnd* PASCAL WindowFromPoint(POINT point) { return FromHandle(::WindowFromPoint(point)); }
    CWnd* ChildWindowFromPoint(POINT point) const { return FromHandle(::ChildWindowFromPoint(m_hWnd, point)); }
    static CWnd* PASCAL FindWindow(LPCTSTR lpszClassName, LPCTSTR lpszWindowName) {
        return FromHandle(::FindWindow(lpszClassName, lpszWindowName));
    }

    // scroll bars
    int GetScrollPos(int nBar) const;
    int SetScrollPos(int nBar, int nPos, BOOL bRedraw = TRUE);
    void GetScrollRange(int nBar, LPINT lpMinPos, LPINT lpMaxPos) const;
    void SetScrollRange(int nBar, int nMinPos, int nMaxPos, BOOL bRedraw = TRUE);
    void ShowScrollBar(UINT nBar, BOOL bShow = TRUE) { ::ShowScrollBar(m_hWnd, nBar, bShow); }
    BOOL EnableScrollBar(int nSBFlags, UINT nArrowFlags = ESB_ENABLE_BOTH) {
        return ::EnableScrollBar(m_hWnd, nSBFlags, nArrowFlags);
    }
    BOOL SetScrollInfo(int nBar, LPSCROLLINFO lpScrollInfo, BOOL bRedraw = TRUE);
    BOOL GetScrollInfo(int nBar, LPSCROLLINFO lpScrollInfo, UINT nMask = SIF_ALL);
    int GetScrollLimit(int nBar);
    void ScrollWindow(int xAmount, int yAmount, LPCRECT lpRect = NULL, LPCRECT lpClipRect = NULL) {
        ::ScrollWindow(m_hWnd, xAmount, yAmount, lpRect, lpClipRect);
    }
    // The scroll bar control standing in for the window's own nBar, or NULL.
    virtual CScrollBar* GetScrollBarCtrl(int nBar) const;

    // dialog helpers
    int MessageBox(LPCTSTR lpszText, LPCTSTR lpszCaption = NULL, UINT nType = MB_OK);
    void CheckDlgButton(int nIDButton, UINT nCheck) { ::CheckDlgButton(m_hWnd, nIDButton, nCheck); }
    void CheckRadioButton(int nIDFirstButton, int nIDLastButton, int nIDCheckButton) {
        ::CheckRadioButton(m_hWnd, nIDFirstButton, nIDLastButton, nIDCheckButton);
    }
    UINT IsDlgButtonChecked(int nIDButton) const { return ::IsDlgButtonChecked(m_hWnd, nIDButton); }
    int GetCheckedRadioButton(int nIDFirstButton, int nIDLastButton);
    int GetDlgItemText(int nID, LPTSTR lpStr, int nMaxCount) const {
        return ::GetDlgItemText(m_hWnd, nID, lpStr, nMaxCount);
    }
    int GetDlgItemText(int nID, CString& rString) const;
    void SetDlgItemText(int nID, LPCTSTR lpszString) { ::SetDlgItemText(m_hWnd, nID, lpszString); }
    UINT GetDlgItemInt(int nID, BOOL* lpTrans = NULL, BOOL bSigned = TRUE) const {
        return ::GetDlgItemInt(m_hWnd, nID, lpTrans, bSigned);
    }
    void SetDlgItemInt(int nID, UINT nValue, BOOL bSigned = TRUE) { ::SetDlgItemInt(m_hWnd, nID, nValue, bSigned); }
    LRESULT SendDlgItemMessage(int nID, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
        return ::SendDlgItemMessage(m_hWnd, nID, message, wParam, lParam);
    }
    CWnd* GetNextDlgTabItem(CWnd* pWndCtl, BOOL bPrevious = FALSE) const {
        return FromHandle(::GetNextDlgTabItem(m_hWnd, AfxGetSafeHwnd(pWndCtl), bPrevious));
    }
    CWnd* GetNextDlgGroupItem(CWnd* pWndCtl, BOOL bPrevious = FALSE) const {
        return FromHandle(::GetNextDlgGroupItem(m_hWnd, AfxGetSafeHwnd(pWndCtl), bPrevious));
    }
    // DDX: bSaveAndValidate TRUE reads the controls into the members.
    BOOL UpdateData(BOOL bSaveAndValidate = TRUE);
    // Updates the controls of a dialog or bar from pTarget's update handlers.
    void UpdateDialogControls(CCmdTarget* pTarget, BOOL bDisableIfNoHndler);
    virtual void WinHelp(DWORD_PTR dwData, UINT nCmd = HELP_CONTEXT);

    // The owner a modal window gets: pParent's top-level window, or the
    // main window's last active popup when pParent is NULL.
    static CWnd* PASCAL GetSafeOwner(CWnd* pParent = NULL, HWND* phTopLevel = NULL);

    // modal loops
    int RunModalLoop(DWORD dwFlags = 0);
    virtual BOOL ContinueModal();
    virtual void EndModalLoop(int nResult);

    // tooltips
    virtual INT_PTR OnToolHitTest(CPoint point, TOOLINFO* pTI) const;
    // Relays mouse messages to the thread's tooltip (bars with CBRS_TOOLTIPS).
    void FilterToolTipMessage(MSG* pMsg);
    void CancelToolTips(BOOL bKeys = FALSE);

    // overridables
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual BOOL PreTranslateMessage(MSG* pMsg);
    // Dialog keys and mouse messages through ::IsDialogMessage (bars and
    // dialogs call it from PreTranslateMessage).
    BOOL PreTranslateInput(LPMSG lpMsg);
    BOOL IsDialogMessage(LPMSG lpMsg) { return ::IsDialogMessage(m_hWnd, lpMsg); }
    virtual BOOL PreCreateWindow(CREATESTRUCT& cs);
    virtual void PreSubclassWindow();
    virtual void PostNcDestroy();
    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
    virtual BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    virtual BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pLResult);
    virtual BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
    virtual void DoDataExchange(class CDataExchange* pDX);
    virtual BOOL DestroyWindowOnClose() const { return TRUE; }

    // Calls DefWindowProc with the current message.
    LRESULT Default();

    // The pre-translate walk from pMsg->hwnd up to hWndStop.
    static BOOL PASCAL WalkPreTranslateTree(HWND hWndStop, MSG* pMsg);
    // Offers a message from a child to the child (reflection); TRUE when the
    // child handled it.
    static BOOL PASCAL ReflectChildMsg(HWND hWndChild, UINT message, WPARAM wParam, LPARAM lParam,
                                       LRESULT* pResult);
    BOOL ReflectChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    BOOL ReflectLastMsg(HWND hWndChild, LRESULT* pResult = NULL);

    // message handlers: the defaults call Default()
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg BOOL OnNcCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnDestroy();
    afx_msg void OnNcDestroy();  // detaches, then PostNcDestroy
    afx_msg void OnClose();
    afx_msg void OnPaint();
    afx_msg void OnNcPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnMove(int x, int y);
    afx_msg void OnSizing(UINT fwSide, LPRECT pRect);
    afx_msg void OnMoving(UINT fwSide, LPRECT pRect);
    afx_msg void OnGetMinMaxInfo(MINMAXINFO* lpMMI);
    afx_msg void OnWindowPosChanging(WINDOWPOS* lpwndpos);
    afx_msg void OnWindowPosChanged(WINDOWPOS* lpwndpos);
    afx_msg void OnExitSizeMove();
    afx_msg void OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp);
    afx_msg LRESULT OnNcHitTest(CPoint point);
    afx_msg BOOL OnNcActivate(BOOL bActive);
    afx_msg void OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized);
    afx_msg void OnActivateApp(BOOL bActive, DWORD dwThreadID);
    afx_msg int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message);
    afx_msg void OnMDIActivate(BOOL bActivate, CWnd* pActivateWnd, CWnd* pDeactivateWnd);
    afx_msg void OnShowWindow(BOOL bShow, UINT nStatus);
    afx_msg void OnNcLButtonDown(UINT nHitTest, CPoint point);
    afx_msg void OnNcLButtonUp(UINT nHitTest, CPoint point);
    afx_msg void OnNcLButtonDblClk(UINT nHitTest, CPoint point);
    afx_msg void OnNcRButtonDown(UINT nHitTest, CPoint point);
    afx_msg void OnNcMouseMove(UINT nHitTest, CPoint point);
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnRButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnRButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnRButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnMButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnMButtonUp(UINT nFlags, CPoint point);
    afx_msg BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint pt);
    afx_msg void OnCancelMode();
    afx_msg void OnCaptureChanged(CWnd* pWnd);
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnSysKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg UINT OnGetDlgCode();
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    afx_msg void OnKillFocus(CWnd* pNewWnd);
    afx_msg void OnEnable(BOOL bEnable);
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    afx_msg void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    afx_msg void OnContextMenu(CWnd* pWnd, CPoint pos);
    afx_msg void OnSysCommand(UINT nID, LPARAM lParam);
    afx_msg LRESULT OnMenuChar(UINT nChar, UINT nFlags, CMenu* pMenu);
    afx_msg void OnInitMenuPopup(CMenu* pPopupMenu, UINT nIndex, BOOL bSysMenu);
    afx_msg void OnMenuSelect(UINT nItemID, UINT nFlags, HMENU hSysMenu);
    afx_msg void OnSysColorChange();
    afx_msg void OnSettingChange(UINT uFlags, LPCTSTR lpszSection);
    afx_msg void OnStyleChanged(int nStyleType, LPSTYLESTRUCT lpStyleStruct);
    afx_msg void OnStyleChanging(int nStyleType, LPSTYLESTRUCT lpStyleStruct);
    afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
    afx_msg void OnDrawItem(int nIDCtl, LPDRAWITEMSTRUCT lpDrawItemStruct);
    afx_msg void OnMeasureItem(int nIDCtl, LPMEASUREITEMSTRUCT lpMeasureItemStruct);
    afx_msg BOOL OnHelpInfo(HELPINFO* lpHelpInfo);
    afx_msg BOOL OnQueryNewPalette();
    afx_msg void OnPaletteChanged(CWnd* pFocusWnd);
    // reflected messages (ON_WM_CTLCOLOR_REFLECT, ON_WM_H/VSCROLL_REFLECT)
    afx_msg HBRUSH CtlColor(CDC* pDC, UINT nCtlColor);
    afx_msg void HScroll(UINT nSBCode, UINT nPos);
    afx_msg void VScroll(UINT nSBCode, UINT nPos);

    // tooltips for the children of this window (OnToolHitTest)
    BOOL EnableToolTips(BOOL bEnable = TRUE);

    // implementation
    WNDPROC m_pfnSuper;  // the procedure a subclassed window had before
    HWND m_hWndOwner;    // SetOwner; NULL: the parent
    int m_nModalResult;  // RunModalLoop's answer

    // Answers the brush for WM_CTLCOLOR*, asking the child first.
    LRESULT OnCtlColorMsg(UINT message, WPARAM wParam, LPARAM lParam, BOOL* pbHandled);

    DECLARE_MESSAGE_MAP()
    friend LRESULT AFXAPI AfxCallWndProc(CWnd*, HWND, UINT, WPARAM, LPARAM);
};

// Every handle map has the same pair of lookups.
// (CDC, CGdiObject, CMenu and CImageList use them as well.)

inline HWND AfxGetSafeHwnd(const CWnd* p) { return p != NULL ? p->m_hWnd : NULL; }

// --- CMenu ------------------------------------------------------------------

class CMenu : public CObject {
    DECLARE_DYNCREATE(CMenu)
public:
    HMENU m_hMenu;

    CMenu() : m_hMenu(NULL) {}
    virtual ~CMenu();

    operator HMENU() const;
    HMENU GetSafeHmenu() const;  // NULL also when called through a NULL pointer
    static CMenu* PASCAL FromHandle(HMENU hMenu);
    static void PASCAL DeleteTempMap();
    BOOL Attach(HMENU hMenu);
    HMENU Detach();

    BOOL CreateMenu() { return Attach(::CreateMenu()); }
    BOOL CreatePopupMenu() { return Attach(::CreatePopupMenu()); }
    // Loads through the resource chain.
    BOOL LoadMenu(LPCTSTR lpszResourceName);
    BOOL LoadMenu(UINT nIDResource) { return LoadMenu(MAKEINTRESOURCE(nIDResource)); }
    BOOL LoadMenuIndirect(const void* lpMenuTemplate) {
        return Attach(::LoadMenuIndirect((const MENUTEMPLATE*)lpMenuTemplate));
    }
    BOOL DestroyMenu();

    BOOL AppendMenu(UINT nFlags, UINT_PTR nIDNewItem = 0, LPCTSTR lpszNewItem = NULL) {
        return ::AppendMenu(m_hMenu, nFlags, nIDNewItem, lpszNewItem);
    }
    BOOL InsertMenu(UINT nPosition, UINT nFlags, UINT_PTR nIDNewItem = 0, LPCTSTR lpszNewItem = NULL) {
        return ::InsertMenu(m_hMenu, nPosition, nFlags, nIDNewItem, lpszNewItem);
    }
    BOOL ModifyMenu(UINT nPosition, UINT nFlags, UINT_PTR nIDNewItem = 0, LPCTSTR lpszNewItem = NULL) {
        return ::ModifyMenu(m_hMenu, nPosition, nFlags, nIDNewItem, lpszNewItem);
    }
    BOOL RemoveMenu(UINT nPosition, UINT nFlags) { return ::RemoveMenu(m_hMenu, nPosition, nFlags); }
    BOOL DeleteMenu(UINT nPosition, UINT nFlags) { return ::DeleteMenu(m_hMenu, nPosition, nFlags); }
    UINT CheckMenuItem(UINT nIDCheckItem, UINT nCheck) { return ::CheckMenuItem(m_hMenu, nIDCheckItem, nCheck); }
    UINT EnableMenuItem(UINT nIDEnableItem, UINT nEnable) {
        return ::EnableMenuItem(m_hMenu, nIDEnableItem, nEnable);
    }
    BOOL CheckMenuRadioItem(UINT nIDFirst, UINT nIDLast, UINT nIDItem, UINT nFlags) {
        return ::CheckMenuRadioItem(m_hMenu, nIDFirst, nIDLast, nIDItem, nFlags);
    }
    UINT GetMenuItemCount() const { return (UINT)::GetMenuItemCount(m_hMenu); }
    UINT GetMenuItemID(int nPos) const { return ::GetMenuItemID(m_hMenu, nPos); }
    UINT GetMenuState(UINT nID, UINT nFlags) const { return ::GetMenuState(m_hMenu, nID, nFlags); }
    int GetMenuString(UINT nIDItem, LPTSTR lpString, int nMaxCount, UINT nFlags) const {
        return ::GetMenuString(m_hMenu, nIDItem, lpString, nMaxCount, nFlags);
    }
    int GetMenuString(UINT nIDItem, CString& rString, UINT nFlags) const;
    BOOL GetMenuItemInfo(UINT uItem, LPMENUITEMINFO lpMenuItemInfo, BOOL fByPos = FALSE) {
        return ::GetMenuItemInfo(m_hMenu, uItem, fByPos, lpMenuItemInfo);
    }
    BOOL SetMenuItemInfo(UINT uItem, LPMENUITEMINFO lpMenuItemInfo, BOOL fByPos = FALSE) {
        return ::SetMenuItemInfo(m_hMenu, uItem, fByPos, lpMenuItemInfo);
    }
    CMenu* GetSubMenu(int nPos) const { return FromHandle(::GetSubMenu(m_hMenu, nPos)); }
    UINT GetDefaultItem(UINT gmdiFlags, BOOL fByPos = FALSE) { return ::GetMenuDefaultItem(m_hMenu, fByPos, gmdiFlags); }
    BOOL SetDefaultItem(UINT uItem, BOOL fByPos = FALSE) { return ::SetMenuDefaultItem(m_hMenu, uItem, fByPos); }
    BOOL TrackPopupMenu(UINT nFlags, int x, int y, CWnd* pWnd, LPCRECT lpRect = NULL) {
        return ::TrackPopupMenu(m_hMenu, nFlags, x, y, 0, AfxGetSafeHwnd(pWnd), lpRect);
    }
    BOOL operator==(const CMenu& menu) const { return m_hMenu == menu.m_hMenu; }
    BOOL operator!=(const CMenu& menu) const { return m_hMenu != menu.m_hMenu; }

    virtual void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct);
    virtual void MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct);
};

// --- CWaitCursor ------------------------------------------------------------

class CWaitCursor {
public:
    CWaitCursor();
    ~CWaitCursor();
    void Restore();
};
