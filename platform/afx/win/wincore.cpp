// wincore.cpp - CWnd: handle maps, creation, subclassing, the window
// procedure with its exception barrier, message dispatch and reflection.
#include "afximpl.h"
#include <vector>

// --- thread state -------------------------------------------------------------

AFX_THREAD_STATE* AFXAPI AfxGetThreadState() {
    static thread_local AFX_THREAD_STATE* s_pState = NULL;
    if (s_pState == NULL) s_pState = new AFX_THREAD_STATE;
    return s_pState;
}

AFX_CURRENT_MSG_SCOPE::AFX_CURRENT_MSG_SCOPE(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam) {
    AFX_THREAD_STATE* pState = AfxGetThreadState();
    m_saved = pState->m_lastSentMsg;
    pState->m_lastSentMsg.hwnd = hWnd;
    pState->m_lastSentMsg.message = nMsg;
    pState->m_lastSentMsg.wParam = wParam;
    pState->m_lastSentMsg.lParam = lParam;
}

AFX_CURRENT_MSG_SCOPE::~AFX_CURRENT_MSG_SCOPE() { AfxGetThreadState()->m_lastSentMsg = m_saved; }

BOOL AFXAPI AfxIsDispatchTargetAlive(CWnd* pWnd) {
    for (AFX_WNDPROC_FRAME* p = AfxGetThreadState()->m_pWndProcFrame; p != NULL; p = p->pPrev) {
        if (p->pWnd == pWnd) return !p->bObjectGone;
    }
    return TRUE;
}

// --- the thunks ----------------------------------------------------------------

#define THUNK(name, ...)                                                        \
    LRESULT AFXAPI AfxThunk_##name(CCmdTarget* pT, AFX_PMSG pfn, AFX_CALL& c) { \
        using F = __VA_ARGS__;                                                  \
        CWnd* pW = static_cast<CWnd*>(pT);                                      \
        (void)pW;                                                               \
        F f = reinterpret_cast<F>(pfn);
#define CMD_THUNK(name, ...)                                                    \
    LRESULT AFXAPI AfxThunk_##name(CCmdTarget* pT, AFX_PMSG pfn, AFX_CALL& c) { \
        using F = __VA_ARGS__;                                                  \
        F f = reinterpret_cast<F>(pfn);
#define END_THUNK }

static CPoint PointOf(LPARAM lParam) { return CPoint((short)LOWORD(lParam), (short)HIWORD(lParam)); }

CMD_THUNK(cmd_v, void (CCmdTarget::*)())
    (void)c;
    (pT->*f)();
    return TRUE;
END_THUNK
CMD_THUNK(cmd_bw, BOOL (CCmdTarget::*)(UINT))
    return (pT->*f)(c.nID);
END_THUNK
CMD_THUNK(cmd_vw, void (CCmdTarget::*)(UINT))
    (pT->*f)(c.nID);
    return TRUE;
END_THUNK
CMD_THUNK(cmd_b, BOOL (CCmdTarget::*)())
    (void)c;
    return (pT->*f)();
END_THUNK
CMD_THUNK(cmd_ui, void (CCmdTarget::*)(CCmdUI*))
    CCmdUI* pCmdUI = static_cast<CCmdUI*>(c.pExtra);
    if (pCmdUI == NULL) return FALSE;
    pCmdUI->m_bContinueRouting = FALSE;
    (pT->*f)(pCmdUI);
    return !pCmdUI->m_bContinueRouting;
END_THUNK
CMD_THUNK(cmd_notify, void (CCmdTarget::*)(NMHDR*, LRESULT*))
    AFX_NOTIFY* pNotify = static_cast<AFX_NOTIFY*>(c.pExtra);
    if (pNotify == NULL) return FALSE;
    (pT->*f)(pNotify->pNMHDR, pNotify->pResult);
    return TRUE;
END_THUNK
CMD_THUNK(cmd_notify_b, BOOL (CCmdTarget::*)(NMHDR*, LRESULT*))
    AFX_NOTIFY* pNotify = static_cast<AFX_NOTIFY*>(c.pExtra);
    if (pNotify == NULL) return FALSE;
    return (pT->*f)(pNotify->pNMHDR, pNotify->pResult);
END_THUNK
CMD_THUNK(cmd_notify_ex, BOOL (CCmdTarget::*)(UINT, NMHDR*, LRESULT*))
    AFX_NOTIFY* pNotify = static_cast<AFX_NOTIFY*>(c.pExtra);
    if (pNotify == NULL) return FALSE;
    return (pT->*f)(c.nID, pNotify->pNMHDR, pNotify->pResult);
END_THUNK
CMD_THUNK(cmd_notify_r, void (CCmdTarget::*)(UINT, NMHDR*, LRESULT*))
    AFX_NOTIFY* pNotify = static_cast<AFX_NOTIFY*>(c.pExtra);
    if (pNotify == NULL) return FALSE;
    (pT->*f)(c.nID, pNotify->pNMHDR, pNotify->pResult);
    return TRUE;
END_THUNK

THUNK(lwl, LRESULT (CWnd::*)(WPARAM, LPARAM))
    return (pW->*f)(c.wParam, c.lParam);
END_THUNK
THUNK(vv, void (CWnd::*)())
    (pW->*f)();
    return 0;
END_THUNK
THUNK(bv, BOOL (CWnd::*)())
    return (pW->*f)();
END_THUNK
THUNK(wv, UINT (CWnd::*)())
    return (pW->*f)();
END_THUNK
THUNK(is, int (CWnd::*)(LPCREATESTRUCT))
    return (pW->*f)(reinterpret_cast<LPCREATESTRUCT>(c.lParam));
END_THUNK
THUNK(bs, BOOL (CWnd::*)(LPCREATESTRUCT))
    return (pW->*f)(reinterpret_cast<LPCREATESTRUCT>(c.lParam));
END_THUNK
THUNK(bD, BOOL (CWnd::*)(CDC*))
    return (pW->*f)(CDC::FromHandle((HDC)c.wParam));
END_THUNK
THUNK(vwii, void (CWnd::*)(UINT, int, int))
    (pW->*f)((UINT)c.wParam, (short)LOWORD(c.lParam), (short)HIWORD(c.lParam));
    return 0;
END_THUNK
THUNK(vii, void (CWnd::*)(int, int))
    (pW->*f)((short)LOWORD(c.lParam), (short)HIWORD(c.lParam));
    return 0;
END_THUNK
THUNK(vwr, void (CWnd::*)(UINT, LPRECT))
    (pW->*f)((UINT)c.wParam, reinterpret_cast<LPRECT>(c.lParam));
    return TRUE;
END_THUNK
THUNK(vMMI, void (CWnd::*)(MINMAXINFO*))
    (pW->*f)(reinterpret_cast<MINMAXINFO*>(c.lParam));
    return 0;
END_THUNK
THUNK(vPOS, void (CWnd::*)(WINDOWPOS*))
    (pW->*f)(reinterpret_cast<WINDOWPOS*>(c.lParam));
    return 0;
END_THUNK
THUNK(vCALC, void (CWnd::*)(BOOL, NCCALCSIZE_PARAMS*))
    // The handler works on the parameters; Default() gives the usual answer.
    (pW->*f)((BOOL)c.wParam, reinterpret_cast<NCCALCSIZE_PARAMS*>(c.lParam));
    return 0;
END_THUNK
THUNK(lp, LRESULT (CWnd::*)(CPoint))
    return (pW->*f)(PointOf(c.lParam));
END_THUNK
THUNK(bb, BOOL (CWnd::*)(BOOL))
    return (pW->*f)((BOOL)c.wParam);
END_THUNK
THUNK(vb, void (CWnd::*)(BOOL))
    (pW->*f)((BOOL)c.wParam);
    return 0;
END_THUNK
THUNK(vbw, void (CWnd::*)(BOOL, UINT))
    (pW->*f)((BOOL)c.wParam, (UINT)c.lParam);
    return 0;
END_THUNK
THUNK(vwWb, void (CWnd::*)(UINT, CWnd*, BOOL))
    (pW->*f)(LOWORD(c.wParam), CWnd::FromHandle((HWND)c.lParam), (BOOL)HIWORD(c.wParam));
    return 0;
END_THUNK
THUNK(vbd, void (CWnd::*)(BOOL, DWORD))
    (pW->*f)((BOOL)c.wParam, (DWORD)c.lParam);
    return 0;
END_THUNK
THUNK(iWww, int (CWnd::*)(CWnd*, UINT, UINT))
    return (pW->*f)(CWnd::FromHandle((HWND)c.wParam), LOWORD(c.lParam), HIWORD(c.lParam));
END_THUNK
THUNK(bWww, BOOL (CWnd::*)(CWnd*, UINT, UINT))
    return (pW->*f)(CWnd::FromHandle((HWND)c.wParam), LOWORD(c.lParam), HIWORD(c.lParam));
END_THUNK
THUNK(vbWW, void (CWnd::*)(BOOL, CWnd*, CWnd*))
    // An MDI child learns which child loses (wParam) and gains (lParam) activation.
    (pW->*f)((HWND)c.lParam == pW->m_hWnd, CWnd::FromHandle((HWND)c.lParam), CWnd::FromHandle((HWND)c.wParam));
    return 0;
END_THUNK
THUNK(vwp, void (CWnd::*)(UINT, CPoint))
    (pW->*f)((UINT)c.wParam, PointOf(c.lParam));
    return 0;
END_THUNK
THUNK(bwsp, BOOL (CWnd::*)(UINT, short, CPoint))
    return (pW->*f)(LOWORD(c.wParam), (short)HIWORD(c.wParam), PointOf(c.lParam));
END_THUNK
THUNK(vwww, void (CWnd::*)(UINT, UINT, UINT))
    (pW->*f)((UINT)c.wParam, LOWORD(c.lParam), HIWORD(c.lParam));
    return 0;
END_THUNK
THUNK(vW, void (CWnd::*)(CWnd*))
    (pW->*f)(CWnd::FromHandle((HWND)c.wParam));
    return 0;
END_THUNK
THUNK(vt, void (CWnd::*)(UINT_PTR))
    (pW->*f)((UINT_PTR)c.wParam);
    return 0;
END_THUNK
THUNK(vwwS, void (CWnd::*)(UINT, UINT, CScrollBar*))
    (pW->*f)(LOWORD(c.wParam), HIWORD(c.wParam), reinterpret_cast<CScrollBar*>(CWnd::FromHandle((HWND)c.lParam)));
    return 0;
END_THUNK
THUNK(vww, void (CWnd::*)(UINT, UINT))
    (pW->*f)(LOWORD(c.wParam), HIWORD(c.wParam));
    return 0;
END_THUNK
THUNK(vWp, void (CWnd::*)(CWnd*, CPoint))
    (pW->*f)(CWnd::FromHandle((HWND)c.wParam), PointOf(c.lParam));
    return 0;
END_THUNK
THUNK(vwl, void (CWnd::*)(UINT, LPARAM))
    (pW->*f)((UINT)c.wParam, c.lParam);
    return 0;
END_THUNK
THUNK(lwwM, LRESULT (CWnd::*)(UINT, UINT, CMenu*))
    return (pW->*f)(LOWORD(c.wParam), HIWORD(c.wParam), CMenu::FromHandle((HMENU)c.lParam));
END_THUNK
THUNK(vMwb, void (CWnd::*)(CMenu*, UINT, BOOL))
    (pW->*f)(CMenu::FromHandle((HMENU)c.wParam), LOWORD(c.lParam), (BOOL)HIWORD(c.lParam));
    return 0;
END_THUNK
THUNK(vwwh, void (CWnd::*)(UINT, UINT, HMENU))
    (pW->*f)(LOWORD(c.wParam), HIWORD(c.wParam), (HMENU)c.lParam);
    return 0;
END_THUNK
THUNK(vws, void (CWnd::*)(UINT, LPCTSTR))
    (pW->*f)((UINT)c.wParam, reinterpret_cast<LPCTSTR>(c.lParam));
    return 0;
END_THUNK
THUNK(viSS, void (CWnd::*)(int, LPSTYLESTRUCT))
    (pW->*f)((int)c.wParam, reinterpret_cast<LPSTYLESTRUCT>(c.lParam));
    return 0;
END_THUNK
THUNK(hDWw, HBRUSH (CWnd::*)(CDC*, CWnd*, UINT))
    return (LRESULT)(pW->*f)(CDC::FromHandle((HDC)c.wParam), CWnd::FromHandle((HWND)c.lParam),
                             c.nMsg - WM_CTLCOLORMSGBOX);
END_THUNK
THUNK(hDw, HBRUSH (CWnd::*)(CDC*, UINT))
    return (LRESULT)(pW->*f)(CDC::FromHandle((HDC)c.wParam), (UINT)c.lParam);
END_THUNK
THUNK(viDIS, void (CWnd::*)(int, LPDRAWITEMSTRUCT))
    (pW->*f)((int)c.wParam, reinterpret_cast<LPDRAWITEMSTRUCT>(c.lParam));
    return TRUE;
END_THUNK
THUNK(viMIS, void (CWnd::*)(int, LPMEASUREITEMSTRUCT))
    (pW->*f)((int)c.wParam, reinterpret_cast<LPMEASUREITEMSTRUCT>(c.lParam));
    return TRUE;
END_THUNK
THUNK(bHELP, BOOL (CWnd::*)(HELPINFO*))
    return (pW->*f)(reinterpret_cast<HELPINFO*>(c.lParam));
END_THUNK

// --- CWnd: construction and handle maps ----------------------------------------

IMPLEMENT_DYNCREATE(CWnd, CCmdTarget)

const CWnd CWnd::wndTop(HWND_TOP);
const CWnd CWnd::wndBottom(HWND_BOTTOM);
const CWnd CWnd::wndTopMost(HWND_TOPMOST);
const CWnd CWnd::wndNoTopMost(HWND_NOTOPMOST);

CWnd::CWnd() : m_hWnd(NULL), m_nFlags(0), m_pfnSuper(NULL), m_hWndOwner(NULL), m_nModalResult(0) {}

CWnd::CWnd(HWND hWnd) : m_hWnd(hWnd), m_nFlags(0), m_pfnSuper(NULL), m_hWndOwner(NULL), m_nModalResult(0) {}

CWnd::~CWnd() {
    // a dispatch still running for this object must not touch it again
    for (AFX_WNDPROC_FRAME* p = AfxGetThreadState()->m_pWndProcFrame; p != NULL; p = p->pPrev) {
        if (p->pWnd == this) p->bObjectGone = TRUE;
    }
    if (m_hWnd != NULL && AfxGetHandleMaps()->wnd.LookupPermanent(m_hWnd) == this) {
        // the window must not outlive its object
        CWnd::DestroyWindow();
        if (m_hWnd != NULL) Detach();
    }
}

static CWnd* NewTempWnd(HWND h) {
    CWnd* p = new CWnd;
    p->m_hWnd = h;
    return p;
}
static void ClearWnd(CWnd* p) { p->m_hWnd = NULL; }

CWnd* PASCAL CWnd::FromHandle(HWND hWnd) { return AfxGetHandleMaps()->wnd.FromHandle(hWnd, &NewTempWnd); }

CWnd* PASCAL CWnd::FromHandlePermanent(HWND hWnd) {
    return hWnd == NULL ? NULL : AfxGetHandleMaps()->wnd.LookupPermanent(hWnd);
}

void PASCAL CWnd::DeleteTempMap() { AfxGetHandleMaps()->wnd.DeleteTemp(&ClearWnd); }

BOOL CWnd::Attach(HWND hWndNew) {
    if (hWndNew == NULL || m_hWnd != NULL) return FALSE;
    AFX_HANDLE_MAPS* pMaps = AfxGetHandleMaps();
    if (pMaps->wnd.LookupPermanent(hWndNew) != NULL) return FALSE;  // another object has it
    // A temporary wrapper of the same window stays valid until idle time;
    // lookups find the permanent object first.
    m_hWnd = hWndNew;
    pMaps->wnd.SetPermanent(hWndNew, this);
    return TRUE;
}

HWND CWnd::Detach() {
    HWND hWnd = m_hWnd;
    if (hWnd != NULL) AfxGetHandleMaps()->wnd.RemovePermanent(hWnd, this);
    m_hWnd = NULL;
    return hWnd;
}

BOOL CWnd::SubclassWindow(HWND hWnd) {
    if (!::IsWindow(hWnd) || !Attach(hWnd)) return FALSE;
    PreSubclassWindow();
    WNDPROC pfnOld = (WNDPROC)::SetWindowLongPtr(hWnd, GWLP_WNDPROC, (LONG_PTR)&AfxWndProc);
    if (pfnOld != &AfxWndProc) m_pfnSuper = pfnOld;
    return TRUE;
}

BOOL CWnd::SubclassDlgItem(UINT nID, CWnd* pParent) {
    HWND hWndControl = ::GetDlgItem(AfxGetSafeHwnd(pParent), nID);
    return hWndControl != NULL && SubclassWindow(hWndControl);
}

HWND CWnd::UnsubclassWindow() {
    if (m_hWnd == NULL) return NULL;
    if (m_pfnSuper != NULL &&
        (WNDPROC)::GetWindowLongPtr(m_hWnd, GWLP_WNDPROC) == &AfxWndProc) {
        ::SetWindowLongPtr(m_hWnd, GWLP_WNDPROC, (LONG_PTR)m_pfnSuper);
    }
    m_pfnSuper = NULL;
    return Detach();
}

// --- window classes -----------------------------------------------------------

BOOL AFXAPI AfxRegisterClass(WNDCLASS* lpWndClass) {
    WNDCLASS wndcls;
    if (::GetClassInfo(lpWndClass->hInstance, lpWndClass->lpszClassName, &wndcls)) return TRUE;
    return ::RegisterClass(lpWndClass) != 0;
}

LPCTSTR AFXAPI AfxRegisterWndClass(UINT nClassStyle, HCURSOR hCursor, HBRUSH hbrBackground, HICON hIcon) {
    // Names stay valid for the life of the process: callers keep the pointer.
    static CCriticalSection s_lock;
    static std::vector<char*> s_names;
    HINSTANCE hInst = AfxGetInstanceHandle();
    char szName[128];
    if (hCursor == NULL && hbrBackground == NULL && hIcon == NULL)
        wsprintf(szName, "Afx:%p:%x", (void*)hInst, nClassStyle);
    else
        wsprintf(szName, "Afx:%p:%x:%p:%p:%p", (void*)hInst, nClassStyle, (void*)hCursor, (void*)hbrBackground,
                 (void*)hIcon);
    CSingleLock lock(&s_lock, TRUE);
    for (char* p : s_names) {
        if (lstrcmp(p, szName) == 0) return p;
    }
    WNDCLASS wc = {};
    wc.style = nClassStyle;
    wc.lpfnWndProc = ::DefWindowProc;
    wc.hInstance = hInst;
    wc.hIcon = hIcon;
    wc.hCursor = hCursor;
    wc.hbrBackground = hbrBackground;
    wc.lpszClassName = szName;
    if (!AfxRegisterClass(&wc)) AfxThrowResourceException();
    char* pName = _strdup(szName);
    s_names.push_back(pName);
    return pName;
}

void AFXAPI AfxInitCommonControls() {
    static LONG s_done = 0;
    if (InterlockedExchange(&s_done, 1) == 0) {
        INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_WIN95_CLASSES | ICC_BAR_CLASSES | ICC_COOL_CLASSES |
                                                     ICC_DATE_CLASSES | ICC_USEREX_CLASSES | ICC_TAB_CLASSES |
                                                     ICC_PROGRESS_CLASS | ICC_UPDOWN_CLASS};
        ::InitCommonControlsEx(&icc);
    }
}

BOOL AFXAPI AfxDeferRegisterClass(LONG fToRegister) {
    if (fToRegister & (AFX_WNDCOMMCTLS_REG | AFX_WNDCOOLBAR_REG)) AfxInitCommonControls();
    if (fToRegister & AFX_WND_REG) {
        WNDCLASS wc = {};
        wc.style = CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW;
        wc.lpfnWndProc = ::DefWindowProc;
        wc.hInstance = AfxGetInstanceHandle();
        wc.hCursor = ::LoadCursor(NULL, IDC_ARROW);
        wc.lpszClassName = AFX_WND_CLASS_NAME;
        if (!AfxRegisterClass(&wc)) return FALSE;
    }
    return TRUE;
}

// --- creation -------------------------------------------------------------------

static LRESULT CALLBACK AfxCbtFilterHook(int code, WPARAM wParam, LPARAM lParam) {
    AFX_THREAD_STATE* pState = AfxGetThreadState();
    if (code == HCBT_CREATEWND && pState->m_pWndInit != NULL) {
        CWnd* pWndInit = pState->m_pWndInit;
        HWND hWnd = (HWND)wParam;
        try {
            if (pWndInit->Attach(hWnd)) {
                pWndInit->PreSubclassWindow();
                WNDPROC pfnOld = (WNDPROC)::SetWindowLongPtr(hWnd, GWLP_WNDPROC, (LONG_PTR)&AfxWndProc);
                if (pfnOld != &AfxWndProc) pWndInit->m_pfnSuper = pfnOld;
            }
        } catch (CException* e) {
            AfxReportBarrierException(e, NULL);
        } catch (...) {
            AfxReportForeignException(NULL);
        }
        pState->m_pWndInit = NULL;
    }
    return ::CallNextHookEx(pState->m_hHookOldCbtFilter, code, wParam, lParam);
}

void AFXAPI AfxHookWindowCreate(CWnd* pWnd) {
    AFX_THREAD_STATE* pState = AfxGetThreadState();
    if (pState->m_hHookOldCbtFilter == NULL) {
        // installed once per thread and kept, as creations nest
        pState->m_hHookOldCbtFilter =
            ::SetWindowsHookEx(WH_CBT, &AfxCbtFilterHook, NULL, ::GetCurrentThreadId());
        if (pState->m_hHookOldCbtFilter == NULL) AfxThrowMemoryException();
    }
    pState->m_pWndInit = pWnd;
}

BOOL AFXAPI AfxUnhookWindowCreate() {
    AFX_THREAD_STATE* pState = AfxGetThreadState();
    if (pState->m_pWndInit != NULL) {
        pState->m_pWndInit = NULL;
        return FALSE;  // no window took the object
    }
    return TRUE;
}

BOOL CWnd::PreCreateWindow(CREATESTRUCT& cs) {
    if (cs.lpszClass == NULL) {
        if (!AfxDeferRegisterClass(AFX_WND_REG)) return FALSE;
        cs.lpszClass = AFX_WND_CLASS_NAME;
    }
    return TRUE;
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, int x, int y,
                    int nWidth, int nHeight, HWND hWndParent, HMENU nIDorHMenu, LPVOID lpParam) {
    if (m_hWnd != NULL) return FALSE;
    CREATESTRUCT cs;
    cs.dwExStyle = dwExStyle;
    cs.lpszClass = lpszClassName;
    cs.lpszName = lpszWindowName;
    cs.style = dwStyle;
    cs.x = x;
    cs.y = y;
    cs.cx = nWidth;
    cs.cy = nHeight;
    cs.hwndParent = hWndParent;
    cs.hMenu = nIDorHMenu;
    cs.hInstance = AfxGetInstanceHandle();
    cs.lpCreateParams = lpParam;
    if (!PreCreateWindow(cs)) {
        PostNcDestroy();
        return FALSE;
    }
    AfxHookWindowCreate(this);
    HWND hWnd = ::CreateWindowEx(cs.dwExStyle, cs.lpszClass, cs.lpszName, cs.style, cs.x, cs.y, cs.cx, cs.cy,
                                 cs.hwndParent, cs.hMenu, cs.hInstance, cs.lpCreateParams);
    if (!AfxUnhookWindowCreate()) {
        PostNcDestroy();  // no window ever took the object
        return FALSE;
    }
    return hWnd != NULL;
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle,
                    const RECT& rect, CWnd* pParentWnd, UINT nID, LPVOID lpParam) {
    return CreateEx(dwExStyle, lpszClassName, lpszWindowName, dwStyle, rect.left, rect.top,
                    rect.right - rect.left, rect.bottom - rect.top, AfxGetSafeHwnd(pParentWnd),
                    (HMENU)(UINT_PTR)nID, lpParam);
}

BOOL CWnd::Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                  CWnd* pParentWnd, UINT nID, void* pContext) {
    return CreateEx(0, lpszClassName, lpszWindowName, dwStyle | WS_CHILD, rect, pParentWnd, nID, pContext);
}

BOOL CWnd::DestroyWindow() {
    if (m_hWnd == NULL) return FALSE;
    HWND hWnd = m_hWnd;
    CWnd* pThis = this;
    // The object sees WM_DESTROY and WM_NCDESTROY through our procedure,
    // also when another one was put before it and passes the messages on
    // (a tooltip's subclass does). It may be deleted from here on
    // (PostNcDestroy).
    const BOOL bResult = ::DestroyWindow(hWnd);
    // Still mapped to the dead window: no procedure brought the messages to
    // the object (a foreign window, or one that does not pass them on).
    if (!::IsWindow(hWnd) && FromHandlePermanent(hWnd) == pThis) pThis->Detach();
    return bResult;
}

void CWnd::PreSubclassWindow() {}
void CWnd::PostNcDestroy() {}

// --- the window procedure and its barrier ----------------------------------------

WNDPROC AFXAPI AfxGetAfxWndProc() { return &AfxWndProc; }

LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam) {
    CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
    if (pWnd == NULL) return ::DefWindowProc(hWnd, nMsg, wParam, lParam);
    return AfxCallWndProc(pWnd, hWnd, nMsg, wParam, lParam);
}

static LRESULT BarrierResult(const MSG& msg) {
    if (msg.message == WM_CREATE) return -1;
    if (msg.message == WM_PAINT) ::ValidateRect(msg.hwnd, NULL);
    return 0;
}

LRESULT AFXAPI AfxCallWndProc(CWnd* pWnd, HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam) {
    AFX_THREAD_STATE* pState = AfxGetThreadState();
    MSG msg = {};
    msg.hwnd = hWnd;
    msg.message = nMsg;
    msg.wParam = wParam;
    msg.lParam = lParam;
    MSG msgSaved = pState->m_lastSentMsg;
    pState->m_lastSentMsg = msg;
    AFX_WNDPROC_FRAME frame = {pWnd, FALSE, pState->m_pWndProcFrame};
    pState->m_pWndProcFrame = &frame;

    LRESULT lResult = 0;
    try {
        lResult = pWnd->WindowProc(nMsg, wParam, lParam);
    } catch (CException* e) {
        CWinThread* pThread = AfxGetThread();
        try {
            lResult = pThread != NULL ? pThread->ProcessWndProcException(e, &msg) : BarrierResult(msg);
            if (pThread == NULL) AfxReportBarrierException(e, &msg);
        } catch (...) {
            lResult = BarrierResult(msg);
        }
        e->Delete();
    } catch (...) {
        AfxReportForeignException(&msg);
        lResult = BarrierResult(msg);
    }

    pState->m_pWndProcFrame = frame.pPrev;
    pState->m_lastSentMsg = msgSaved;

    // An object whose handler did not call CWnd::OnNcDestroy would keep a
    // dead handle in the map: finish the detaching here.
    if (nMsg == WM_NCDESTROY && !frame.bObjectGone && CWnd::FromHandlePermanent(hWnd) == pWnd) {
        pWnd->m_pfnSuper = NULL;
        pWnd->Detach();
        pWnd->PostNcDestroy();
    }
    return lResult;
}

CString AFXAPI AfxLoadLayerString(UINT nID, LPCTSTR lpszFallback) {
    CString str;
    if (!str.LoadString(nID)) str = lpszFallback;
    return str;
}

void AFXAPI AfxReportBarrierException(CException* e, const MSG* pMsg) {
    if (e == NULL || e->IsKindOf(RUNTIME_CLASS(CUserException))) return;  // the user was told already
    TCHAR szMessage[512];
    UINT nID = (pMsg != NULL && pMsg->message == WM_COMMAND) ? AFX_IDP_COMMAND_FAILURE : AFX_IDP_INTERNAL_FAILURE;
    if (e->GetErrorMessage(szMessage, sizeof(szMessage)))
        AfxMessageBox(szMessage, MB_ICONEXCLAMATION);
    else if (nID == AFX_IDP_COMMAND_FAILURE)
        AfxMessageBox(AfxLoadLayerString(nID, _T("Command failed.")), MB_ICONEXCLAMATION);
    else
        AfxMessageBox(AfxLoadLayerString(nID, _T("An unexpected error occurred.")), MB_ICONEXCLAMATION);
}

void AFXAPI AfxReportForeignException(const MSG* pMsg) {
    UINT nID = (pMsg != NULL && pMsg->message == WM_COMMAND) ? AFX_IDP_COMMAND_FAILURE : AFX_IDP_INTERNAL_FAILURE;
    try {
        AfxMessageBox(AfxLoadLayerString(nID, nID == AFX_IDP_COMMAND_FAILURE ? _T("Command failed.")
                                                                          : _T("An unexpected error occurred.")),
                      MB_ICONEXCLAMATION);
    } catch (...) {
    }
}

const MSG* PASCAL CWnd::GetCurrentMessage() {
    AFX_THREAD_STATE* pState = AfxGetThreadState();
    pState->m_lastSentMsg.time = ::GetMessageTime();
    DWORD dwPos = ::GetMessagePos();
    pState->m_lastSentMsg.pt.x = (short)LOWORD(dwPos);
    pState->m_lastSentMsg.pt.y = (short)HIWORD(dwPos);
    return &pState->m_lastSentMsg;
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT lResult = 0;
    if (!OnWndMsg(message, wParam, lParam, &lResult)) {
        // a handler may have deleted this object
        if (AfxIsDispatchTargetAlive(this)) lResult = DefWindowProc(message, wParam, lParam);
    }
    return lResult;
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (m_pfnSuper != NULL) return ::CallWindowProc(m_pfnSuper, m_hWnd, message, wParam, lParam);
    return ::DefWindowProc(m_hWnd, message, wParam, lParam);
}

LRESULT CWnd::Default() {
    const MSG& msg = AfxGetThreadState()->m_lastSentMsg;
    return DefWindowProc(msg.message, msg.wParam, msg.lParam);
}

// The entry of the map chain for a plain window message.
static const AFX_MSGMAP_ENTRY* FindWndMsgEntry(const AFX_MSGMAP* pMap, UINT message) {
    for (; pMap != NULL; pMap = pMap->pfnGetBaseMap != NULL ? pMap->pfnGetBaseMap() : NULL) {
        for (const AFX_MSGMAP_ENTRY* e = pMap->lpEntries; e->pfnThunk != NULL; e++) {
            if (e->pnRegisteredMessage != NULL) {
                if (message >= 0xC000 && *e->pnRegisteredMessage == message) return e;
            } else if (e->nMessage == message && e->nCode == 0 && e->nID == 0 && e->nLastID == 0) {
                return e;
            }
        }
        if (pMap->pfnGetBaseMap == NULL) break;
    }
    return NULL;
}

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    LRESULT lResult = 0;
    switch (message) {
    case WM_COMMAND:
        if (OnCommand(wParam, lParam)) {
            *pResult = 1;
            return TRUE;
        }
        return FALSE;
    case WM_NOTIFY: {
        NMHDR* pNMHDR = reinterpret_cast<NMHDR*>(lParam);
        if (pNMHDR != NULL && pNMHDR->hwndFrom != NULL && OnNotify(wParam, lParam, &lResult)) {
            *pResult = lResult;
            return TRUE;
        }
        return FALSE;
    }
    case WM_DRAWITEM: {
        LPDRAWITEMSTRUCT p = reinterpret_cast<LPDRAWITEMSTRUCT>(lParam);
        if (p != NULL && p->CtlType != ODT_MENU && ReflectChildMsg(p->hwndItem, message, wParam, lParam, &lResult)) {
            *pResult = TRUE;
            return TRUE;
        }
        break;
    }
    case WM_MEASUREITEM: {
        LPMEASUREITEMSTRUCT p = reinterpret_cast<LPMEASUREITEMSTRUCT>(lParam);
        if (p != NULL && p->CtlType != ODT_MENU) {
            HWND hWndChild = ::GetDlgItem(m_hWnd, p->CtlID);
            if (hWndChild != NULL && ReflectChildMsg(hWndChild, message, wParam, lParam, &lResult)) {
                *pResult = TRUE;
                return TRUE;
            }
        }
        break;
    }
    case WM_COMPAREITEM: {
        LPCOMPAREITEMSTRUCT p = reinterpret_cast<LPCOMPAREITEMSTRUCT>(lParam);
        if (p != NULL && ReflectChildMsg(p->hwndItem, message, wParam, lParam, &lResult)) {
            *pResult = lResult;
            return TRUE;
        }
        break;
    }
    case WM_DELETEITEM: {
        LPDELETEITEMSTRUCT p = reinterpret_cast<LPDELETEITEMSTRUCT>(lParam);
        if (p != NULL && ReflectChildMsg(p->hwndItem, message, wParam, lParam, &lResult)) {
            *pResult = TRUE;
            return TRUE;
        }
        break;
    }
    case WM_HSCROLL:
    case WM_VSCROLL:
        if (lParam != 0 && ReflectChildMsg((HWND)lParam, message, wParam, lParam, &lResult)) {
            *pResult = 0;
            return TRUE;
        }
        break;
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC: {
        BOOL bHandled = FALSE;
        lResult = OnCtlColorMsg(message, wParam, lParam, &bHandled);
        if (bHandled) *pResult = lResult;
        return bHandled;
    }
    default:
        break;
    }
    const AFX_MSGMAP_ENTRY* pEntry = FindWndMsgEntry(GetMessageMap(), message);
    if (pEntry == NULL) return FALSE;
    AFX_CALL call = {message, wParam, lParam, 0, 0, NULL};
    // After the handler this object may be gone: only the result is written.
    *pResult = pEntry->pfnThunk(this, pEntry->pfn, call);
    return TRUE;
}

LRESULT CWnd::OnCtlColorMsg(UINT message, WPARAM wParam, LPARAM lParam, BOOL* pbHandled) {
    LRESULT lResult = 0;
    // the control first (ON_WM_CTLCOLOR_REFLECT)
    if (lParam != 0 && (HWND)lParam != m_hWnd && ReflectChildMsg((HWND)lParam, message, wParam, lParam, &lResult) &&
        lResult != 0) {
        *pbHandled = TRUE;
        return lResult;
    }
    const AFX_MSGMAP_ENTRY* pEntry = FindWndMsgEntry(GetMessageMap(), WM_CTLCOLOR);
    if (pEntry == NULL) {
        *pbHandled = FALSE;
        return 0;
    }
    AFX_CALL call = {message, wParam, lParam, 0, 0, NULL};
    *pbHandled = TRUE;
    return pEntry->pfnThunk(this, pEntry->pfn, call);
}

// --- commands, notifications, reflection -------------------------------------

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM lParam) {
    UINT nID = LOWORD(wParam);
    HWND hWndCtrl = (HWND)lParam;
    int nCode = HIWORD(wParam);
    if (hWndCtrl == NULL) {
        // a menu or accelerator command: dropped when it has become disabled
        if (nID == 0) return FALSE;
        CTestCmdUI state;
        state.m_nID = nID;
        OnCmdMsg(nID, CN_UPDATE_COMMAND_UI, &state, NULL);
        if (!state.m_bEnabled) return TRUE;
        nCode = CN_COMMAND;
    } else {
        // control notifications go to the control first
        LRESULT lResult = 0;
        if (ReflectChildMsg(hWndCtrl, WM_COMMAND, wParam, lParam, &lResult)) return TRUE;
        // and are not dispatched while UpdateData exchanges this window's data
        if (AfxGetThreadState()->m_hLockoutNotifyWindow == m_hWnd) return TRUE;
    }
    return OnCmdMsg(nID, nCode, NULL, NULL);
}

BOOL CWnd::OnNotify(WPARAM, LPARAM lParam, LRESULT* pResult) {
    NMHDR* pNMHDR = reinterpret_cast<NMHDR*>(lParam);
    HWND hWndCtrl = pNMHDR->hwndFrom;
    UINT nID = (UINT)pNMHDR->idFrom;
    int nCode = pNMHDR->code;
    if (ReflectChildMsg(hWndCtrl, WM_NOTIFY, 0, lParam, pResult)) return TRUE;
    if (AfxGetThreadState()->m_hLockoutNotifyWindow == m_hWnd) return TRUE;
    AFX_NOTIFY notify;
    notify.pResult = pResult;
    notify.pNMHDR = pNMHDR;
    return OnCmdMsg(nID, MAKELONG(nCode, WM_NOTIFY), &notify, NULL);
}

BOOL PASCAL CWnd::ReflectChildMsg(HWND hWndChild, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    CWnd* pWnd = FromHandlePermanent(hWndChild);
    if (pWnd == NULL) return FALSE;
    LRESULT lResult = 0;
    if (pResult == NULL) pResult = &lResult;
    AFX_CURRENT_MSG_SCOPE scope(hWndChild, message, wParam, lParam);
    return pWnd->OnChildNotify(message, wParam, lParam, pResult);
}

BOOL CWnd::ReflectLastMsg(HWND hWndChild, LRESULT* pResult) {
    const MSG& msg = AfxGetThreadState()->m_lastSentMsg;
    return ReflectChildMsg(hWndChild, msg.message, msg.wParam, msg.lParam, pResult);
}

BOOL CWnd::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    return ReflectChildNotify(message, wParam, lParam, pResult);
}

BOOL CWnd::ReflectChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    switch (message) {
    case WM_HSCROLL:
    case WM_VSCROLL:
    case WM_PARENTNOTIFY:
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
    case WM_DELETEITEM:
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM:
    case WM_COMPAREITEM:
        return CWnd::OnWndMsg(WM_REFLECT_BASE + message, wParam, lParam, pResult);
    case WM_COMMAND: {
        int nCode = HIWORD(wParam);
        if (CWnd::OnCmdMsg(0, MAKELONG(nCode, WM_REFLECT_BASE + WM_COMMAND), NULL, NULL)) {
            if (pResult != NULL) *pResult = 1;
            return TRUE;
        }
        return FALSE;
    }
    case WM_NOTIFY: {
        NMHDR* pNMHDR = reinterpret_cast<NMHDR*>(lParam);
        AFX_NOTIFY notify;
        notify.pResult = pResult;
        notify.pNMHDR = pNMHDR;
        return CWnd::OnCmdMsg(0, MAKELONG(pNMHDR->code, WM_REFLECT_BASE + WM_NOTIFY), &notify, NULL);
    }
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC: {
        const AFX_MSGMAP_ENTRY* pEntry = FindWndMsgEntry(GetMessageMap(), WM_REFLECT_BASE + WM_CTLCOLOR);
        if (pEntry == NULL) return FALSE;
        AFX_CALL call = {WM_REFLECT_BASE + WM_CTLCOLOR, wParam, (LPARAM)(message - WM_CTLCOLORMSGBOX), 0, 0, NULL};
        LRESULT lResult = pEntry->pfnThunk(this, pEntry->pfn, call);
        if (lResult == 0) return FALSE;  // the parent decides
        *pResult = lResult;
        return TRUE;
    }
    default:
        return FALSE;
    }
}

BOOL CWnd::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
    return CCmdTarget::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

// --- destruction ------------------------------------------------------------------

void CWnd::OnNcDestroy() {
    HWND hWnd = m_hWnd;
    CWinThread* pThread = AfxGetThread();
    if (pThread != NULL) {
        if (pThread->m_pMainWnd == this) {
            // the end of the main window ends the application's loop
            if (pThread == (CWinThread*)AfxGetApp()) AfxPostQuitMessage(0);
            pThread->m_pMainWnd = NULL;
        }
        if (pThread->m_pActiveWnd == this) pThread->m_pActiveWnd = NULL;
    }
    AFX_THREAD_STATE* pState = AfxGetThreadState();
    if (pState->m_pLastHit == this) {
        pState->m_pLastHit = NULL;
        pState->m_nLastHit = -1;
    }
    AfxRemoveIdleUpdateWindow(this);
    Default();
    if (m_pfnSuper != NULL && (WNDPROC)::GetWindowLongPtr(hWnd, GWLP_WNDPROC) == &AfxWndProc)
        ::SetWindowLongPtr(hWnd, GWLP_WNDPROC, (LONG_PTR)m_pfnSuper);
    m_pfnSuper = NULL;
    Detach();
    PostNcDestroy();  // may delete this object
}

// --- descendants and pre-translation ---------------------------------------------

void PASCAL CWnd::SendMessageToDescendants(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam, BOOL bDeep,
                                           BOOL bOnlyPerm) {
    // The children are listed first: a handler may create or destroy windows.
    std::vector<HWND> children;
    for (HWND hWndChild = ::GetTopWindow(hWnd); hWndChild != NULL; hWndChild = ::GetNextWindow(hWndChild, GW_HWNDNEXT))
        children.push_back(hWndChild);
    for (HWND hWndChild : children) {
        if (!::IsWindow(hWndChild)) continue;
        if (bOnlyPerm) {
            CWnd* pWnd = FromHandlePermanent(hWndChild);
            if (pWnd != NULL) AfxCallWndProc(pWnd, hWndChild, message, wParam, lParam);
        } else {
            ::SendMessage(hWndChild, message, wParam, lParam);
        }
        if (bDeep && ::IsWindow(hWndChild) && ::GetTopWindow(hWndChild) != NULL)
            SendMessageToDescendants(hWndChild, message, wParam, lParam, bDeep, bOnlyPerm);
    }
}

BOOL PASCAL CWnd::WalkPreTranslateTree(HWND hWndStop, MSG* pMsg) {
    for (HWND hWnd = pMsg->hwnd; hWnd != NULL; hWnd = ::GetParent(hWnd)) {
        CWnd* pWnd = FromHandlePermanent(hWnd);
        if (pWnd != NULL && pWnd->PreTranslateMessage(pMsg)) return TRUE;
        if (hWnd == hWndStop || !::IsWindow(hWnd)) break;
    }
    return FALSE;
}

BOOL CWnd::PreTranslateInput(LPMSG lpMsg) {
    if ((lpMsg->message < WM_KEYFIRST || lpMsg->message > WM_KEYLAST) &&
        (lpMsg->message < WM_MOUSEFIRST || lpMsg->message > WM_MOUSELAST))
        return FALSE;
    return ::IsDialogMessage(m_hWnd, lpMsg);
}

BOOL CWnd::PreTranslateMessage(MSG* pMsg) {
    if (m_nFlags & WF_TOOLTIPS) FilterToolTipMessage(pMsg);
    return FALSE;
}

// --- relations --------------------------------------------------------------------

CWnd* CWnd::GetOwner() const {
    return m_hWndOwner != NULL ? FromHandle(m_hWndOwner) : GetParent();
}

void CWnd::SetOwner(CWnd* pOwnerWnd) { m_hWndOwner = AfxGetSafeHwnd(pOwnerWnd); }

BOOL CWnd::IsFrameWnd() const { return FALSE; }

CFrameWnd* CWnd::GetParentFrame() const {
    if (m_hWnd == NULL) return NULL;
    for (HWND hWnd = ::GetParent(m_hWnd); hWnd != NULL; hWnd = ::GetParent(hWnd)) {
        CWnd* pWnd = FromHandlePermanent(hWnd);
        if (pWnd != NULL && pWnd->IsFrameWnd()) return (CFrameWnd*)pWnd;
    }
    return NULL;
}

static HWND ParentOrOwner(HWND hWnd) {
    if (::GetWindowLong(hWnd, GWL_STYLE) & WS_CHILD) return ::GetParent(hWnd);
    return ::GetWindow(hWnd, GW_OWNER);
}

CWnd* CWnd::GetTopLevelParent() const {
    if (m_hWnd == NULL) return NULL;
    HWND hWnd = m_hWnd;
    for (HWND hWndT; (hWndT = ParentOrOwner(hWnd)) != NULL;) hWnd = hWndT;
    return FromHandle(hWnd);
}

CWnd* CWnd::GetTopLevelOwner() const {
    if (m_hWnd == NULL) return NULL;
    HWND hWnd = m_hWnd;
    for (HWND hWndT; (hWndT = ::GetWindow(hWnd, GW_OWNER)) != NULL;) hWnd = hWndT;
    return FromHandle(hWnd);
}

CFrameWnd* CWnd::GetTopLevelFrame() const {
    if (m_hWnd == NULL) return NULL;
    CFrameWnd* pFrame = IsFrameWnd() ? (CFrameWnd*)const_cast<CWnd*>(this) : GetParentFrame();
    if (pFrame != NULL) {
        for (CFrameWnd* pTemp; (pTemp = pFrame->CWnd::GetParentFrame()) != NULL;) pFrame = pTemp;
    }
    return pFrame;
}

// --- thin wrappers with some logic -----------------------------------------------

// The style word at nStyleOffset (GWL_STYLE or GWL_EXSTYLE) changed; FALSE
// when it already was so. A nonzero nFlags also tells the window (frame
// changes and the like) through SetWindowPos.
static BOOL ModifyStyleWord(HWND hWnd, int nStyleOffset, DWORD dwRemove, DWORD dwAdd, UINT nFlags) {
    DWORD dwStyle = (DWORD)::GetWindowLong(hWnd, nStyleOffset);
    DWORD dwNewStyle = (dwStyle & ~dwRemove) | dwAdd;
    if (dwStyle == dwNewStyle) return FALSE;
    ::SetWindowLong(hWnd, nStyleOffset, (LONG)dwNewStyle);
    if (nFlags != 0)
        ::SetWindowPos(hWnd, NULL, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | nFlags);
    return TRUE;
}

BOOL PASCAL CWnd::ModifyStyle(HWND hWnd, DWORD dwRemove, DWORD dwAdd, UINT nFlags) {
    return ModifyStyleWord(hWnd, GWL_STYLE, dwRemove, dwAdd, nFlags);
}

BOOL PASCAL CWnd::ModifyStyleEx(HWND hWnd, DWORD dwRemove, DWORD dwAdd, UINT nFlags) {
    return ModifyStyleWord(hWnd, GWL_EXSTYLE, dwRemove, dwAdd, nFlags);
}

void CWnd::GetWindowText(CString& rString) const {
    int nLen = ::GetWindowTextLength(m_hWnd);
    ::GetWindowText(m_hWnd, rString.GetBufferSetLength(nLen), nLen + 1);
    rString.ReleaseBuffer();
}

int CWnd::GetDlgItemText(int nID, CString& rString) const {
    rString.Empty();
    HWND hWnd = ::GetDlgItem(m_hWnd, nID);
    if (hWnd == NULL) return 0;
    int nLen = ::GetWindowTextLength(hWnd);
    ::GetWindowText(hWnd, rString.GetBufferSetLength(nLen), nLen + 1);
    rString.ReleaseBuffer();
    return rString.GetLength();
}

int CWnd::GetCheckedRadioButton(int nIDFirstButton, int nIDLastButton) {
    for (int nID = nIDFirstButton; nID <= nIDLastButton; nID++) {
        if (IsDlgButtonChecked(nID)) return nID;
    }
    return 0;
}

CMenu* CWnd::GetMenu() const { return CMenu::FromHandle(::GetMenu(m_hWnd)); }

BOOL CWnd::SetMenu(CMenu* pMenu) { return ::SetMenu(m_hWnd, (pMenu != NULL ? pMenu->m_hMenu : NULL)); }

CMenu* CWnd::GetSystemMenu(BOOL bRevert) const { return CMenu::FromHandle(::GetSystemMenu(m_hWnd, bRevert)); }

BOOL CWnd::SetWindowPos(const CWnd* pWndInsertAfter, int x, int y, int cx, int cy, UINT nFlags) {
    HWND hWndAfter = pWndInsertAfter == NULL ? NULL : pWndInsertAfter->m_hWnd;
    return ::SetWindowPos(m_hWnd, hWndAfter, x, y, cx, cy, nFlags);
}

void CWnd::ClientToScreen(LPRECT lpRect) const {
    ::ClientToScreen(m_hWnd, (LPPOINT)lpRect);
    ::ClientToScreen(m_hWnd, ((LPPOINT)lpRect) + 1);
}

void CWnd::ScreenToClient(LPRECT lpRect) const {
    ::ScreenToClient(m_hWnd, (LPPOINT)lpRect);
    ::ScreenToClient(m_hWnd, ((LPPOINT)lpRect) + 1);
}

void CWnd::CalcWindowRect(LPRECT lpClientRect, UINT nAdjustType) {
    DWORD dwExStyle = GetExStyle();
    if (nAdjustType == 0) dwExStyle &= ~WS_EX_CLIENTEDGE;
    ::AdjustWindowRectEx(lpClientRect, GetStyle(), FALSE, dwExStyle);
}

void CWnd::CenterWindow(CWnd* pAlternateOwner) {
    DWORD dwStyle = GetStyle();
    HWND hWndCenter = AfxGetSafeHwnd(pAlternateOwner);
    if (hWndCenter == NULL) hWndCenter = (dwStyle & WS_CHILD) ? ::GetParent(m_hWnd) : ::GetWindow(m_hWnd, GW_OWNER);
    RECT rcDlg;
    ::GetWindowRect(m_hWnd, &rcDlg);
    RECT rcArea, rcCenter;
    if (!(dwStyle & WS_CHILD)) {
        MONITORINFO mi = {sizeof(mi)};
        HMONITOR hMon = ::MonitorFromWindow(hWndCenter != NULL ? hWndCenter : m_hWnd, MONITOR_DEFAULTTONEAREST);
        ::GetMonitorInfo(hMon, &mi);
        rcArea = mi.rcWork;
        if (hWndCenter == NULL || !::IsWindowVisible(hWndCenter) || ::IsIconic(hWndCenter))
            rcCenter = rcArea;
        else
            ::GetWindowRect(hWndCenter, &rcCenter);
    } else {
        HWND hWndParent = ::GetParent(m_hWnd);
        ::GetClientRect(hWndParent, &rcArea);
        ::GetClientRect(hWndCenter, &rcCenter);
        ::MapWindowPoints(hWndCenter, hWndParent, (POINT*)&rcCenter, 2);
    }
    int cx = rcDlg.right - rcDlg.left, cy = rcDlg.bottom - rcDlg.top;
    int x = (rcCenter.left + rcCenter.right) / 2 - cx / 2;
    int y = (rcCenter.top + rcCenter.bottom) / 2 - cy / 2;
    if (x + cx > rcArea.right) x = rcArea.right - cx;
    if (x < rcArea.left) x = rcArea.left;
    if (y + cy > rcArea.bottom) y = rcArea.bottom - cy;
    if (y < rcArea.top) y = rcArea.top;
    SetWindowPos(NULL, x, y, -1, -1, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// Timers with a procedure: the procedure runs inside the barrier.
namespace {
struct TimerKey {
    HWND hWnd;
    UINT_PTR nID;
    bool operator==(const TimerKey& o) const { return hWnd == o.hWnd && nID == o.nID; }
};
struct TimerKeyHash {
    size_t operator()(const TimerKey& k) const { return std::hash<void*>()(k.hWnd) ^ std::hash<UINT_PTR>()(k.nID); }
};
typedef void(CALLBACK* TIMERPROC_T)(HWND, UINT, UINT_PTR, DWORD);
thread_local std::unordered_map<TimerKey, TIMERPROC_T, TimerKeyHash>* t_pTimers = NULL;
}  // namespace

static void CALLBACK AfxTimerProc(HWND hWnd, UINT nMsg, UINT_PTR nIDEvent, DWORD dwTime) {
    if (t_pTimers == NULL) return;
    auto it = t_pTimers->find(TimerKey{hWnd, nIDEvent});
    if (it == t_pTimers->end()) return;
    TIMERPROC_T pfn = it->second;
    MSG msg = {};
    msg.hwnd = hWnd;
    msg.message = WM_TIMER;
    msg.wParam = nIDEvent;
    try {
        pfn(hWnd, nMsg, nIDEvent, dwTime);
    } catch (CException* e) {
        AfxReportBarrierException(e, &msg);
        e->Delete();
    } catch (...) {
        AfxReportForeignException(&msg);
    }
}

UINT_PTR CWnd::SetTimer(UINT_PTR nIDEvent, UINT nElapse, void(CALLBACK* lpfnTimer)(HWND, UINT, UINT_PTR, DWORD)) {
    if (lpfnTimer == NULL) return ::SetTimer(m_hWnd, nIDEvent, nElapse, NULL);
    if (t_pTimers == NULL) t_pTimers = new std::unordered_map<TimerKey, TIMERPROC_T, TimerKeyHash>;
    UINT_PTR nResult = ::SetTimer(m_hWnd, nIDEvent, nElapse, &AfxTimerProc);
    if (nResult != 0) (*t_pTimers)[TimerKey{m_hWnd, m_hWnd != NULL ? nIDEvent : nResult}] = lpfnTimer;
    return nResult;
}

// --- scroll bars ---------------------------------------------------------------------

CScrollBar* CWnd::GetScrollBarCtrl(int) const { return NULL; }

int CWnd::GetScrollPos(int nBar) const {
    if (CScrollBar* pBar = GetScrollBarCtrl(nBar))
        return ::GetScrollPos(reinterpret_cast<CWnd*>(pBar)->m_hWnd, SB_CTL);
    return ::GetScrollPos(m_hWnd, nBar);
}

int CWnd::SetScrollPos(int nBar, int nPos, BOOL bRedraw) {
    if (CScrollBar* pBar = GetScrollBarCtrl(nBar))
        return ::SetScrollPos(reinterpret_cast<CWnd*>(pBar)->m_hWnd, SB_CTL, nPos, bRedraw);
    return ::SetScrollPos(m_hWnd, nBar, nPos, bRedraw);
}

void CWnd::GetScrollRange(int nBar, LPINT lpMinPos, LPINT lpMaxPos) const {
    if (CScrollBar* pBar = GetScrollBarCtrl(nBar))
        ::GetScrollRange(reinterpret_cast<CWnd*>(pBar)->m_hWnd, SB_CTL, lpMinPos, lpMaxPos);
    else
        ::GetScrollRange(m_hWnd, nBar, lpMinPos, lpMaxPos);
}

void CWnd::SetScrollRange(int nBar, int nMinPos, int nMaxPos, BOOL bRedraw) {
    if (CScrollBar* pBar = GetScrollBarCtrl(nBar))
        ::SetScrollRange(reinterpret_cast<CWnd*>(pBar)->m_hWnd, SB_CTL, nMinPos, nMaxPos, bRedraw);
    else
        ::SetScrollRange(m_hWnd, nBar, nMinPos, nMaxPos, bRedraw);
}

BOOL CWnd::SetScrollInfo(int nBar, LPSCROLLINFO lpScrollInfo, BOOL bRedraw) {
    lpScrollInfo->cbSize = sizeof(SCROLLINFO);
    HWND hWnd = m_hWnd;
    if (CScrollBar* pBar = GetScrollBarCtrl(nBar)) {
        hWnd = reinterpret_cast<CWnd*>(pBar)->m_hWnd;
        nBar = SB_CTL;
    }
    ::SetScrollInfo(hWnd, nBar, lpScrollInfo, bRedraw);
    return TRUE;
}

BOOL CWnd::GetScrollInfo(int nBar, LPSCROLLINFO lpScrollInfo, UINT nMask) {
    lpScrollInfo->cbSize = sizeof(SCROLLINFO);
    lpScrollInfo->fMask = nMask;
    HWND hWnd = m_hWnd;
    if (CScrollBar* pBar = GetScrollBarCtrl(nBar)) {
        hWnd = reinterpret_cast<CWnd*>(pBar)->m_hWnd;
        nBar = SB_CTL;
    }
    return ::GetScrollInfo(hWnd, nBar, lpScrollInfo);
}

int CWnd::GetScrollLimit(int nBar) {
    SCROLLINFO info;
    if (!GetScrollInfo(nBar, &info, SIF_RANGE | SIF_PAGE)) return 0;
    int nMax = info.nMax;
    if (info.nPage > 0) nMax -= (int)info.nPage - 1;
    return nMax;
}

// --- modal loops --------------------------------------------------------------------

BOOL CWnd::ContinueModal() { return (m_nFlags & WF_CONTINUEMODAL) != 0; }

void CWnd::EndModalLoop(int nResult) {
    m_nModalResult = nResult;
    if (m_nFlags & WF_CONTINUEMODAL) {
        m_nFlags &= ~WF_CONTINUEMODAL;
        PostMessage(WM_NULL);  // wakes the loop
    }
}

// --- dialog helpers and others ---------------------------------------------------------

int CWnd::MessageBox(LPCTSTR lpszText, LPCTSTR lpszCaption, UINT nType) {
    extern int AFXAPI AfxCallMessageBoxHook(LPCTSTR, UINT, UINT, BOOL*);
    BOOL bHooked = FALSE;
    int nResult = AfxCallMessageBoxHook(lpszText, nType, 0, &bHooked);
    if (bHooked) return nResult;
    if (lpszCaption == NULL) lpszCaption = AfxGetAppName();
    return ::MessageBox(m_hWnd, lpszText, lpszCaption, nType);
}

void CWnd::WinHelp(DWORD_PTR dwData, UINT nCmd) {
    if (CWinApp* pApp = AfxGetApp()) pApp->WinHelp(dwData, nCmd);
}

BOOL CWnd::EnableToolTips(BOOL bEnable) {
    BOOL bOld = (m_nFlags & WF_TOOLTIPS) != 0;
    if (bEnable)
        m_nFlags |= WF_TOOLTIPS;
    else
        m_nFlags &= ~WF_TOOLTIPS;
    return bOld;
}

void CWnd::DoDataExchange(CDataExchange*) {}

// --- default handlers ---------------------------------------------------------------

int CWnd::OnCreate(LPCREATESTRUCT) { return (int)Default(); }
BOOL CWnd::OnNcCreate(LPCREATESTRUCT) { return (BOOL)Default(); }
void CWnd::OnDestroy() { Default(); }
void CWnd::OnClose() { Default(); }
void CWnd::OnPaint() { Default(); }
void CWnd::OnNcPaint() { Default(); }
BOOL CWnd::OnEraseBkgnd(CDC*) { return (BOOL)Default(); }
void CWnd::OnSize(UINT, int, int) { Default(); }
void CWnd::OnMove(int, int) { Default(); }
void CWnd::OnSizing(UINT, LPRECT) { Default(); }
void CWnd::OnMoving(UINT, LPRECT) { Default(); }
void CWnd::OnGetMinMaxInfo(MINMAXINFO*) { Default(); }
void CWnd::OnWindowPosChanging(WINDOWPOS*) { Default(); }
void CWnd::OnWindowPosChanged(WINDOWPOS*) { Default(); }
void CWnd::OnExitSizeMove() { Default(); }
void CWnd::OnNcCalcSize(BOOL, NCCALCSIZE_PARAMS*) { Default(); }
LRESULT CWnd::OnNcHitTest(CPoint) { return Default(); }
BOOL CWnd::OnNcActivate(BOOL) { return (BOOL)Default(); }
void CWnd::OnActivate(UINT, CWnd*, BOOL) { Default(); }
void CWnd::OnActivateApp(BOOL, DWORD) { Default(); }
int CWnd::OnMouseActivate(CWnd*, UINT, UINT) { return (int)Default(); }
void CWnd::OnMDIActivate(BOOL, CWnd*, CWnd*) { Default(); }
void CWnd::OnShowWindow(BOOL, UINT) { Default(); }
void CWnd::OnNcLButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnNcLButtonUp(UINT, CPoint) { Default(); }
void CWnd::OnNcLButtonDblClk(UINT, CPoint) { Default(); }
void CWnd::OnNcRButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnNcMouseMove(UINT, CPoint) { Default(); }
BOOL CWnd::OnSetCursor(CWnd*, UINT, UINT) { return (BOOL)Default(); }
void CWnd::OnMouseMove(UINT, CPoint) { Default(); }
void CWnd::OnLButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnLButtonUp(UINT, CPoint) { Default(); }
void CWnd::OnLButtonDblClk(UINT, CPoint) { Default(); }
void CWnd::OnRButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnRButtonUp(UINT, CPoint) { Default(); }
void CWnd::OnRButtonDblClk(UINT, CPoint) { Default(); }
void CWnd::OnMButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnMButtonUp(UINT, CPoint) { Default(); }
BOOL CWnd::OnMouseWheel(UINT, short, CPoint) { return (BOOL)Default(); }
void CWnd::OnCancelMode() { Default(); }
void CWnd::OnCaptureChanged(CWnd*) { Default(); }
void CWnd::OnKeyDown(UINT, UINT, UINT) { Default(); }
void CWnd::OnKeyUp(UINT, UINT, UINT) { Default(); }
void CWnd::OnSysKeyDown(UINT, UINT, UINT) { Default(); }
void CWnd::OnChar(UINT, UINT, UINT) { Default(); }
UINT CWnd::OnGetDlgCode() { return (UINT)Default(); }
void CWnd::OnSetFocus(CWnd*) { Default(); }
void CWnd::OnKillFocus(CWnd*) { Default(); }
void CWnd::OnEnable(BOOL) { Default(); }
void CWnd::OnTimer(UINT_PTR) { Default(); }
void CWnd::OnHScroll(UINT, UINT, CScrollBar*) { Default(); }
void CWnd::OnVScroll(UINT, UINT, CScrollBar*) { Default(); }
void CWnd::OnContextMenu(CWnd*, CPoint) { Default(); }
void CWnd::OnSysCommand(UINT, LPARAM) { Default(); }
LRESULT CWnd::OnMenuChar(UINT, UINT, CMenu*) { return Default(); }
void CWnd::OnInitMenuPopup(CMenu*, UINT, BOOL) { Default(); }
void CWnd::OnMenuSelect(UINT, UINT, HMENU) { Default(); }
void CWnd::OnSysColorChange() { Default(); }
void CWnd::OnSettingChange(UINT, LPCTSTR) { Default(); }
void CWnd::OnStyleChanged(int, LPSTYLESTRUCT) { Default(); }
void CWnd::OnStyleChanging(int, LPSTYLESTRUCT) { Default(); }
HBRUSH CWnd::OnCtlColor(CDC*, CWnd*, UINT) { return (HBRUSH)Default(); }
void CWnd::OnDrawItem(int, LPDRAWITEMSTRUCT) { Default(); }
void CWnd::OnMeasureItem(int, LPMEASUREITEMSTRUCT) { Default(); }
BOOL CWnd::OnHelpInfo(HELPINFO*) { return (BOOL)Default(); }
BOOL CWnd::OnQueryNewPalette() { return (BOOL)Default(); }
void CWnd::OnPaletteChanged(CWnd*) { Default(); }
HBRUSH CWnd::CtlColor(CDC*, UINT) { return NULL; }
void CWnd::HScroll(UINT, UINT) {}
void CWnd::VScroll(UINT, UINT) {}

BEGIN_MESSAGE_MAP(CWnd, CCmdTarget)
    ON_WM_NCDESTROY()
END_MESSAGE_MAP()
