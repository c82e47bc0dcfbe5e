// winmdi.cpp - CMDIFrameWnd and CMDIChildWnd.
#include "afximpl.h"
#include "afxframe.h"

// --- CMDIFrameWnd -------------------------------------------------------------------

IMPLEMENT_DYNCREATE(CMDIFrameWnd, CFrameWnd)

BEGIN_MESSAGE_MAP(CMDIFrameWnd, CFrameWnd)
    ON_WM_DESTROY()
    ON_WM_SIZE()
    ON_COMMAND(ID_WINDOW_NEW, OnWindowNew)
    ON_COMMAND_EX(ID_WINDOW_ARRANGE, OnMDIWindowCmd)
    ON_COMMAND_EX(ID_WINDOW_CASCADE, OnMDIWindowCmd)
    ON_COMMAND_EX(ID_WINDOW_TILE_HORZ, OnMDIWindowCmd)
    ON_COMMAND_EX(ID_WINDOW_TILE_VERT, OnMDIWindowCmd)
    ON_UPDATE_COMMAND_UI(ID_WINDOW_ARRANGE, OnUpdateMDIWindowCmd)
    ON_UPDATE_COMMAND_UI(ID_WINDOW_CASCADE, OnUpdateMDIWindowCmd)
    ON_UPDATE_COMMAND_UI(ID_WINDOW_TILE_HORZ, OnUpdateMDIWindowCmd)
    ON_UPDATE_COMMAND_UI(ID_WINDOW_TILE_VERT, OnUpdateMDIWindowCmd)
    ON_UPDATE_COMMAND_UI(ID_WINDOW_NEW, OnUpdateMDIWindowCmd)
END_MESSAGE_MAP()

CMDIFrameWnd::CMDIFrameWnd() : m_hWndMDIClient(NULL) {}

BOOL CMDIFrameWnd::PreCreateWindow(CREATESTRUCT& cs) {
    if (cs.lpszClass == NULL)
        cs.lpszClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursor(NULL, IDC_ARROW), (HBRUSH)(COLOR_APPWORKSPACE + 1));
    return CFrameWnd::PreCreateWindow(cs);
}

BOOL CMDIFrameWnd::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd, CCreateContext* pContext) {
    if (!CFrameWnd::LoadFrame(nIDResource, dwDefaultStyle, pParentWnd, pContext)) return FALSE;
    // the menu shown while no child is active
    m_hMenuDefault = ::GetMenu(m_hWnd);
    return TRUE;
}

HMENU CMDIFrameWnd::GetWindowMenuPopup(HMENU hMenuBar) {
    if (hMenuBar == NULL) return NULL;
    int iItem = ::GetMenuItemCount(hMenuBar);
    while (iItem-- > 0) {
        HMENU hMenuPop = ::GetSubMenu(hMenuBar, iItem);
        if (hMenuPop == NULL) continue;
        int nItems = ::GetMenuItemCount(hMenuPop);
        for (int i = 0; i < nItems; i++) {
            UINT nID = ::GetMenuItemID(hMenuPop, i);
            if (nID >= AFX_IDM_WINDOW_FIRST && nID <= AFX_IDM_WINDOW_LAST) return hMenuPop;
        }
    }
    return NULL;
}

BOOL CMDIFrameWnd::OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext*) {
    HMENU hMenu = m_hMenuDefault != NULL ? m_hMenuDefault : ::GetMenu(m_hWnd);
    HMENU hWindowMenu = GetWindowMenuPopup(hMenu);
    return CreateClient(lpcs, hWindowMenu != NULL ? CMenu::FromHandle(hWindowMenu) : NULL);
}

BOOL CMDIFrameWnd::CreateClient(LPCREATESTRUCT lpCreateStruct, CMenu* pWindowMenu) {
    CLIENTCREATESTRUCT ccs;
    ccs.hWindowMenu = pWindowMenu->GetSafeHmenu();
    ccs.idFirstChild = AFX_IDM_FIRST_MDICHILD;
    DWORD dwStyle = WS_VISIBLE | WS_CHILD | WS_CLIPCHILDREN | WS_CLIPSIBLINGS | MDIS_ALLCHILDSTYLES;
    if (lpCreateStruct != NULL) dwStyle |= lpCreateStruct->style & (WS_HSCROLL | WS_VSCROLL);
    m_hWndMDIClient = ::CreateWindowEx(WS_EX_CLIENTEDGE, _T("MDICLIENT"), NULL, dwStyle, 0, 0, 0, 0, m_hWnd,
                                       (HMENU)(UINT_PTR)AFX_IDW_PANE_FIRST, AfxGetInstanceHandle(), &ccs);
    if (m_hWndMDIClient == NULL) return FALSE;
    ::BringWindowToTop(m_hWndMDIClient);
    return TRUE;
}

LRESULT CMDIFrameWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    return ::DefFrameProc(m_hWnd, m_hWndMDIClient, message, wParam, lParam);
}

CMDIChildWnd* CMDIFrameWnd::MDIGetActive(BOOL* pbMaximized) const {
    if (pbMaximized != NULL) *pbMaximized = FALSE;
    if (m_hWndMDIClient == NULL) return NULL;
    BOOL bMaximized = FALSE;
    HWND hWnd = (HWND)::SendMessage(m_hWndMDIClient, WM_MDIGETACTIVE, 0, (LPARAM)&bMaximized);
    CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
    if (pWnd == NULL || !pWnd->IsKindOf(RUNTIME_CLASS(CMDIChildWnd))) return NULL;
    if (pbMaximized != NULL) *pbMaximized = bMaximized;
    return (CMDIChildWnd*)pWnd;
}

CMenu* CMDIFrameWnd::MDISetMenu(CMenu* pFrameMenu, CMenu* pWindowMenu) {
    return CMenu::FromHandle((HMENU)::SendMessage(m_hWndMDIClient, WM_MDISETMENU, (WPARAM)pFrameMenu->GetSafeHmenu(),
                                                  (LPARAM)pWindowMenu->GetSafeHmenu()));
}

CFrameWnd* CMDIFrameWnd::GetActiveFrame() {
    CMDIChildWnd* pActiveChild = MDIGetActive();
    return pActiveChild != NULL ? (CFrameWnd*)pActiveChild : (CFrameWnd*)this;
}

void CMDIFrameWnd::OnUpdateFrameTitle(BOOL bAddToTitle) {
    if ((GetStyle() & FWS_ADDTOTITLE) == 0) return;
    CMDIChildWnd* pActiveChild = NULL;
    CDocument* pDocument = GetActiveDocument();
    if (bAddToTitle && (pActiveChild = MDIGetActive()) != NULL && (pActiveChild->GetStyle() & WS_MAXIMIZE) == 0 &&
        (pDocument != NULL || (pDocument = pActiveChild->GetActiveDocument()) != NULL)) {
        UpdateFrameTitleForDocument(pDocument->GetTitle());
    } else {
        // a maximised child shows its title in the frame's caption itself
        CString strTitle;
        if (pActiveChild != NULL) strTitle = pActiveChild->GetTitle();
        UpdateFrameTitleForDocument(strTitle.IsEmpty() ? NULL : (LPCTSTR)strTitle);
    }
}

void CMDIFrameWnd::OnUpdateFrameMenu(HMENU hMenuAlt) {
    CMDIChildWnd* pActiveWnd = MDIGetActive();
    if (pActiveWnd != NULL) {
        pActiveWnd->OnUpdateFrameMenu(TRUE, pActiveWnd, hMenuAlt);
    } else {
        if (hMenuAlt == NULL) hMenuAlt = m_hMenuDefault;
        ::SendMessage(m_hWndMDIClient, WM_MDISETMENU, (WPARAM)hMenuAlt, 0);
    }
}

BOOL CMDIFrameWnd::PreTranslateMessage(MSG* pMsg) {
    if (CWnd::PreTranslateMessage(pMsg)) return TRUE;
    // the active child's accelerators first (they run in this frame)
    CMDIChildWnd* pActiveChild = MDIGetActive();
    if (pActiveChild != NULL && pActiveChild->PreTranslateMessage(pMsg)) return TRUE;
    if (pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST) {
        if (m_bHelpMode != HELP_INACTIVE && pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_ESCAPE) {
            ExitHelpMode();
            return TRUE;
        }
        if (m_hAccelTable != NULL && ::TranslateAccelerator(m_hWnd, m_hAccelTable, pMsg)) return TRUE;
        if ((pMsg->message == WM_KEYDOWN || pMsg->message == WM_SYSKEYDOWN) && m_hWndMDIClient != NULL &&
            ::TranslateMDISysAccel(m_hWndMDIClient, pMsg))
            return TRUE;
    }
    return FALSE;
}

BOOL CMDIFrameWnd::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
    // the active child (its view, document and template) first
    CMDIChildWnd* pActiveChild = MDIGetActive();
    if (pActiveChild != NULL && pActiveChild->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo)) return TRUE;
    return CFrameWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

BOOL CMDIFrameWnd::OnCommand(WPARAM wParam, LPARAM lParam) {
    // the active child sees the command first
    CMDIChildWnd* pActiveChild = MDIGetActive();
    if (pActiveChild != NULL && (HWND)lParam == NULL &&
        AfxCallWndProc(pActiveChild, pActiveChild->m_hWnd, WM_COMMAND, wParam, lParam) != 0)
        return TRUE;
    if (CFrameWnd::OnCommand(wParam, lParam)) return TRUE;
    // the window list (0xFF00 up) and the system commands of the children
    // are the default frame procedure's
    if ((HWND)lParam == NULL && (LOWORD(wParam) & 0xF000) == 0xF000) {
        DefWindowProc(WM_COMMAND, wParam, lParam);
        return TRUE;
    }
    return FALSE;
}

void CMDIFrameWnd::OnDestroy() {
    // a template's shared menu must not go with the window; the MDICLIENT
    // takes its window list out of it on the way
    if (m_hMenuDefault != NULL && ::GetMenu(m_hWnd) != m_hMenuDefault && m_hWndMDIClient != NULL)
        ::SendMessage(m_hWndMDIClient, WM_MDISETMENU, (WPARAM)m_hMenuDefault, 0);
    CFrameWnd::OnDestroy();
}

void CMDIFrameWnd::OnSize(UINT nType, int cx, int cy) {
    // DefFrameProc would size the client over the bars: the layout does it
    if (nType != SIZE_MINIMIZED) RecalcLayout();
    (void)cx;
    (void)cy;
}

BOOL CMDIFrameWnd::OnMDIWindowCmd(UINT nID) {
    UINT msg;
    WPARAM wParam = 0;
    switch (nID) {
    case ID_WINDOW_ARRANGE:
        msg = WM_MDIICONARRANGE;
        break;
    case ID_WINDOW_CASCADE:
        msg = WM_MDICASCADE;
        break;
    case ID_WINDOW_TILE_HORZ:
        msg = WM_MDITILE;
        wParam = MDITILE_HORIZONTAL;
        break;
    case ID_WINDOW_TILE_VERT:
        msg = WM_MDITILE;
        wParam = MDITILE_VERTICAL;
        break;
    default:
        return FALSE;
    }
    ::SendMessage(m_hWndMDIClient, msg, wParam, 0);
    return TRUE;
}

void CMDIFrameWnd::OnUpdateMDIWindowCmd(CCmdUI* pCmdUI) { pCmdUI->Enable(MDIGetActive() != NULL); }

void CMDIFrameWnd::OnWindowNew() {
    CMDIChildWnd* pActiveChild = MDIGetActive();
    CDocument* pDocument = pActiveChild != NULL ? pActiveChild->GetActiveDocument() : NULL;
    CDocTemplate* pTemplate = pDocument != NULL ? pDocument->GetDocTemplate() : NULL;
    if (pTemplate == NULL) {
        AfxMessageBox(AFX_IDP_COMMAND_FAILURE);
        return;
    }
    CFrameWnd* pFrame = pTemplate->CreateNewFrame(pDocument, pActiveChild);
    if (pFrame == NULL) {
        AfxMessageBox(AFX_IDP_COMMAND_FAILURE);
        return;
    }
    pTemplate->InitialUpdateFrame(pFrame, pDocument);
}

// --- CMDIChildWnd ---------------------------------------------------------------------

IMPLEMENT_DYNCREATE(CMDIChildWnd, CFrameWnd)

BEGIN_MESSAGE_MAP(CMDIChildWnd, CFrameWnd)
    ON_WM_MDIACTIVATE()
    ON_WM_MOUSEACTIVATE()
    ON_WM_NCACTIVATE()
    ON_WM_DESTROY()
    ON_WM_SIZE()
END_MESSAGE_MAP()

CMDIChildWnd::CMDIChildWnd() : m_hMenuShared(NULL) {}

CMDIFrameWnd* CMDIChildWnd::GetMDIFrame() const {
    // the parent is the MDICLIENT, its parent the frame
    HWND hWndClient = ::GetParent(m_hWnd);
    CWnd* pFrame = CWnd::FromHandlePermanent(::GetParent(hWndClient));
    if (pFrame == NULL || !pFrame->IsKindOf(RUNTIME_CLASS(CMDIFrameWnd))) return NULL;
    return (CMDIFrameWnd*)pFrame;
}

BOOL CMDIChildWnd::PreCreateWindow(CREATESTRUCT& cs) {
    cs.style |= WS_CHILD;
    return CFrameWnd::PreCreateWindow(cs);
}

BOOL CMDIChildWnd::Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                          CMDIFrameWnd* pParentWnd, CCreateContext* pContext) {
    if (pParentWnd == NULL) {
        CWinThread* pThread = AfxGetThread();
        CWnd* pMainWnd = pThread != NULL ? pThread->m_pMainWnd : NULL;
        if (pMainWnd != NULL && pMainWnd->IsKindOf(RUNTIME_CLASS(CMDIFrameWnd))) pParentWnd = (CMDIFrameWnd*)pMainWnd;
    }
    if (pParentWnd == NULL || pParentWnd->m_hWndMDIClient == NULL) {
        PostNcDestroy();
        return FALSE;
    }
    pParentWnd->RecalcLayout();

    CREATESTRUCT cs = {};
    cs.lpszClass = lpszClassName;
    cs.lpszName = lpszWindowName;
    cs.style = dwStyle;
    cs.x = rect.left;
    cs.y = rect.top;
    cs.cx = rect.right - rect.left;
    cs.cy = rect.bottom - rect.top;
    cs.hwndParent = pParentWnd->m_hWnd;
    cs.hInstance = AfxGetInstanceHandle();
    cs.lpCreateParams = pContext;
    if (!PreCreateWindow(cs)) {
        PostNcDestroy();
        return FALSE;
    }
    m_strTitle = cs.lpszName != NULL ? cs.lpszName : _T("");
    MDICREATESTRUCT mcs;
    mcs.szClass = cs.lpszClass;
    mcs.szTitle = cs.lpszName;
    mcs.hOwner = cs.hInstance;
    mcs.x = cs.x;
    mcs.y = cs.y;
    mcs.cx = cs.cx;
    mcs.cy = cs.cy;
    mcs.style = cs.style & ~(WS_MAXIMIZE | WS_VISIBLE);  // shown below, as asked
    mcs.lParam = (LPARAM)cs.lpCreateParams;

    HWND hWndClient = pParentWnd->m_hWndMDIClient;
    AfxHookWindowCreate(this);
    HWND hWnd = (HWND)::SendMessage(hWndClient, WM_MDICREATE, 0, (LPARAM)&mcs);
    if (!AfxUnhookWindowCreate()) {
        PostNcDestroy();  // no window ever took the object
        return FALSE;
    }
    if (hWnd == NULL) return FALSE;  // the object is gone with its window

    if (cs.style & WS_VISIBLE) {
        ::BringWindowToTop(hWnd);
        if (cs.style & WS_MINIMIZE)
            ShowWindow(SW_SHOWMINIMIZED);
        else if (cs.style & WS_MAXIMIZE)
            ShowWindow(SW_SHOWMAXIMIZED);
        else
            ShowWindow(SW_SHOWNORMAL);
        pParentWnd->MDIActivate(this);
        ::SendMessage(hWndClient, WM_MDIREFRESHMENU, 0, 0);
    }
    return TRUE;
}

BOOL CMDIChildWnd::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd, CCreateContext* pContext) {
    m_nIDHelp = nIDResource;
    // the shared menu and accelerators of the template that makes the child
    CDocTemplate* pTemplate = pContext != NULL ? pContext->m_pNewDocTemplate : NULL;
    if (pTemplate != NULL) {
        m_hMenuShared = pTemplate->m_hMenuShared;
        m_hAccelTable = pTemplate->m_hAccelTable;
    }
    CString strFullString;
    if (strFullString.LoadString(nIDResource)) AfxExtractSubString(m_strTitle, strFullString, 0);
    LPCTSTR lpszClass = GetIconWndClass(dwDefaultStyle, nIDResource);
    CString strTitle = m_strTitle;
    CMDIFrameWnd* pParent = NULL;
    if (pParentWnd != NULL && pParentWnd->IsKindOf(RUNTIME_CLASS(CMDIFrameWnd))) pParent = (CMDIFrameWnd*)pParentWnd;
    if (!Create(lpszClass, strTitle, dwDefaultStyle, rectDefault, pParent, pContext)) return FALSE;
    if (pContext == NULL) SendMessageToDescendants(WM_INITIALUPDATE, 0, 0, TRUE, TRUE);
    return TRUE;
}

LRESULT CMDIChildWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    return ::DefMDIChildProc(m_hWnd, message, wParam, lParam);
}

BOOL CMDIChildWnd::DestroyWindow() {
    if (m_hWnd == NULL) return FALSE;
    CMDIFrameWnd* pFrameWnd = GetMDIFrame();
    if (pFrameWnd == NULL) return CWnd::DestroyWindow();
    // the frame's caption stays as it is while the child goes
    HWND hWndFrame = pFrameWnd->m_hWnd;
    LONG lStyle = ::GetWindowLong(hWndFrame, GWL_STYLE);
    ::SetWindowLong(hWndFrame, GWL_STYLE, lStyle & ~FWS_ADDTOTITLE);
    MDIDestroy();  // this object is gone from here on
    if (::IsWindow(hWndFrame)) {
        ::SetWindowLong(hWndFrame, GWL_STYLE, lStyle);
        pFrameWnd->OnUpdateFrameTitle(TRUE);
    }
    return TRUE;
}

BOOL CMDIChildWnd::PreTranslateMessage(MSG* pMsg) {
    if (CWnd::PreTranslateMessage(pMsg)) return TRUE;
    // the accelerators of a child run in its MDI frame
    if (pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST) {
        CMDIFrameWnd* pFrame = GetMDIFrame();
        HACCEL hAccel = GetDefaultAccelerator();
        return pFrame != NULL && hAccel != NULL && ::TranslateAccelerator(pFrame->m_hWnd, hAccel, pMsg);
    }
    return FALSE;
}

void CMDIChildWnd::ActivateFrame(int nCmdShow) {
    BOOL bVisibleThen = (GetStyle() & WS_VISIBLE) != 0;
    CMDIFrameWnd* pFrameWnd = GetMDIFrame();
    if (pFrameWnd == NULL) {
        CFrameWnd::ActivateFrame(nCmdShow);
        return;
    }
    if (nCmdShow == -1) {
        // a maximised child before keeps the children maximised
        BOOL bMaximized = FALSE;
        pFrameWnd->MDIGetActive(&bMaximized);
        DWORD dwStyle = GetStyle();
        if (bMaximized || (dwStyle & WS_MAXIMIZE))
            nCmdShow = SW_SHOWMAXIMIZED;
        else if (dwStyle & WS_MINIMIZE)
            nCmdShow = SW_SHOWMINIMIZED;
    }
    CFrameWnd::ActivateFrame(nCmdShow);
    BOOL bVisibleNow = (GetStyle() & WS_VISIBLE) != 0;
    if (bVisibleNow && !bVisibleThen) pFrameWnd->MDIActivate(this);
    ::SendMessage(pFrameWnd->m_hWndMDIClient, WM_MDIREFRESHMENU, 0, 0);
    pFrameWnd->DrawMenuBar();
}

void CMDIChildWnd::OnUpdateFrameTitle(BOOL bAddToTitle) {
    CMDIFrameWnd* pFrame = GetMDIFrame();
    if (pFrame != NULL) pFrame->OnUpdateFrameTitle(bAddToTitle);
    if ((GetStyle() & FWS_ADDTOTITLE) == 0) return;
    if (!bAddToTitle) return;
    CDocument* pDocument = GetActiveDocument();
    CString strText = pDocument != NULL ? pDocument->GetTitle() : m_strTitle;
    if (m_nWindow > 0) {
        CString strNum;
        strNum.Format(_T(":%d"), m_nWindow);
        strText += strNum;
    }
    CString strOld;
    GetWindowText(strOld);
    if (strOld != strText) SetWindowText(strText);
}

void CMDIChildWnd::OnUpdateFrameMenu(BOOL bActivate, CWnd* pActivateWnd, HMENU hMenuAlt) {
    CMDIFrameWnd* pFrame = GetMDIFrame();
    if (pFrame == NULL) return;
    if (hMenuAlt == NULL && bActivate) hMenuAlt = m_hMenuShared;
    if (hMenuAlt != NULL && bActivate) {
        ::SendMessage(pFrame->m_hWndMDIClient, WM_MDISETMENU, (WPARAM)hMenuAlt,
                      (LPARAM)pFrame->GetWindowMenuPopup(hMenuAlt));
    } else if (!bActivate && pActivateWnd == NULL) {
        // the last child goes: the frame's own menu comes back
        ::SendMessage(pFrame->m_hWndMDIClient, WM_MDISETMENU, (WPARAM)pFrame->m_hMenuDefault,
                      (LPARAM)pFrame->GetWindowMenuPopup(pFrame->m_hMenuDefault));
    } else {
        ::SendMessage(pFrame->m_hWndMDIClient, WM_MDIREFRESHMENU, 0, 0);
    }
}

void CMDIChildWnd::OnMDIActivate(BOOL bActivate, CWnd* pActivateWnd, CWnd*) {
    CView* pActiveView = GetActiveView();
    if (!bActivate && pActiveView != NULL) pActiveView->OnActivateView(FALSE, pActiveView, pActiveView);
    OnUpdateFrameTitle(bActivate || pActivateWnd != NULL);
    CMDIFrameWnd* pFrame = GetMDIFrame();
    if (bActivate && pActiveView != NULL && pFrame != NULL && ::GetActiveWindow() == pFrame->m_hWnd)
        pActiveView->OnActivateView(TRUE, pActiveView, pActiveView);
    OnUpdateFrameMenu(bActivate, pActivateWnd, NULL);
    if (pFrame != NULL) pFrame->DrawMenuBar();
}

int CMDIChildWnd::OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message) {
    int nResult = CFrameWnd::OnMouseActivate(pDesktopWnd, nHitTest, message);
    if (nResult == MA_NOACTIVATE || nResult == MA_NOACTIVATEANDEAT) return nResult;
    // a click in an inactive child activates it
    CMDIFrameWnd* pFrame = GetMDIFrame();
    if (pFrame != NULL && pFrame->MDIGetActive() != this) MDIActivate();
    return nResult;
}

BOOL CMDIChildWnd::OnNcActivate(BOOL bActive) {
    // the MDI system keeps the caption of the active child itself
    return (BOOL)DefWindowProc(WM_NCACTIVATE, bActive, 0);
}

void CMDIChildWnd::OnWindowPosChanging(WINDOWPOS* lpWndPos) { CFrameWnd::OnWindowPosChanging(lpWndPos); }

void CMDIChildWnd::OnDestroy() {
    // the last child going: the frame's menu comes back
    CMDIFrameWnd* pFrame = GetMDIFrame();
    CFrameWnd::OnDestroy();
    if (pFrame != NULL) {
        HWND hWndNext = (HWND)::SendMessage(pFrame->m_hWndMDIClient, WM_MDIGETACTIVE, 0, 0);
        if (hWndNext == m_hWnd || hWndNext == NULL) {
            // nothing else to activate among the children
            BOOL bOther = FALSE;
            for (HWND h = ::GetWindow(pFrame->m_hWndMDIClient, GW_CHILD); h != NULL; h = ::GetWindow(h, GW_HWNDNEXT))
                if (h != m_hWnd && ::GetWindow(h, GW_OWNER) == NULL) bOther = TRUE;
            if (!bOther) {
                OnUpdateFrameMenu(FALSE, NULL, NULL);
                pFrame->DrawMenuBar();
            }
        }
    }
}

void CMDIChildWnd::OnSize(UINT nType, int cx, int cy) {
    CFrameWnd::OnSize(nType, cx, cy);
    // a maximised child shows its title in the frame
    CMDIFrameWnd* pFrame = GetMDIFrame();
    if (pFrame != NULL && (nType == SIZE_MAXIMIZED || nType == SIZE_RESTORED)) pFrame->DelayUpdateFrameTitle();
}

BOOL CMDIChildWnd::UpdateClientEdge(LPRECT) { return FALSE; }
