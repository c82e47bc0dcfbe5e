// winfrm.cpp - CFrameWnd, CMiniFrameWnd, CDockState and the bar layout
// (WM_SIZEPARENT).
#include "afximpl.h"
#include "afxframe.h"
#include <vector>

// --- layout helpers ------------------------------------------------------------

void AFXAPI AfxRepositionWindow(AFX_SIZEPARENTPARAMS* lpLayout, HWND hWnd, LPCRECT lpRect) {
    if (lpLayout != NULL && lpLayout->hDWP == NULL) return;  // a query, or a failed deferral
    HWND hWndParent = ::GetParent(hWnd);
    RECT rectOld;
    ::GetWindowRect(hWnd, &rectOld);
    ::MapWindowPoints(NULL, hWndParent, (LPPOINT)&rectOld, 2);
    if (::EqualRect(&rectOld, lpRect)) return;
    if (lpLayout != NULL)
        lpLayout->hDWP = ::DeferWindowPos(lpLayout->hDWP, hWnd, NULL, lpRect->left, lpRect->top,
                                          lpRect->right - lpRect->left, lpRect->bottom - lpRect->top,
                                          SWP_NOACTIVATE | SWP_NOZORDER);
    else
        ::SetWindowPos(hWnd, NULL, lpRect->left, lpRect->top, lpRect->right - lpRect->left,
                       lpRect->bottom - lpRect->top, SWP_NOACTIVATE | SWP_NOZORDER);
}

void AFXAPI AfxRepositionBars(CWnd* pWnd, UINT nIDFirst, UINT nIDLast, UINT nIDLeftOver, UINT nFlags,
                              LPRECT lpRectParam, LPCRECT lpRectClient, BOOL bStretch) {
    if (pWnd == NULL || pWnd->m_hWnd == NULL) return;
    AFX_SIZEPARENTPARAMS layout = {};
    layout.bStretch = bStretch;
    if (lpRectClient != NULL)
        layout.rect = *lpRectClient;
    else
        ::GetClientRect(pWnd->m_hWnd, &layout.rect);
    BOOL bQuery = (nFlags & ~reposNoPosLeftOver) == reposQuery;
    layout.hDWP = bQuery ? NULL : ::BeginDeferWindowPos(8);

    // the children are listed first: a bar may create or destroy windows
    std::vector<HWND> children;
    for (HWND h = ::GetTopWindow(pWnd->m_hWnd); h != NULL; h = ::GetNextWindow(h, GW_HWNDNEXT)) children.push_back(h);
    HWND hWndLeftOver = NULL;
    for (HWND hWndChild : children) {
        if (!::IsWindow(hWndChild)) continue;
        UINT nIDC = (UINT)::GetDlgCtrlID(hWndChild);
        if (nIDC == nIDLeftOver)
            hWndLeftOver = hWndChild;
        else if (nIDC >= nIDFirst && nIDC <= nIDLast && CWnd::FromHandlePermanent(hWndChild) != NULL)
            ::SendMessage(hWndChild, WM_SIZEPARENT, 0, (LPARAM)&layout);
    }

    if (bQuery) {
        if (lpRectParam != NULL) {
            if (bStretch)
                ::CopyRect(lpRectParam, &layout.rect);
            else {
                lpRectParam->left = lpRectParam->top = 0;
                lpRectParam->right = layout.sizeTotal.cx;
                lpRectParam->bottom = layout.sizeTotal.cy;
            }
        }
        return;
    }
    if ((nFlags & reposExtra) && lpRectParam != NULL) {
        layout.rect.left += lpRectParam->left;
        layout.rect.top += lpRectParam->top;
        layout.rect.right -= lpRectParam->right;
        layout.rect.bottom -= lpRectParam->bottom;
    }
    if (hWndLeftOver != NULL && !(nFlags & reposNoPosLeftOver)) {
        if (layout.rect.right < layout.rect.left) layout.rect.right = layout.rect.left;
        if (layout.rect.bottom < layout.rect.top) layout.rect.bottom = layout.rect.top;
        CWnd* pLeftOver = CWnd::FromHandle(hWndLeftOver);
        pLeftOver->CalcWindowRect(&layout.rect, 0);  // a client edge stays inside
        AfxRepositionWindow(&layout, hWndLeftOver, &layout.rect);
    }
    if (layout.hDWP != NULL) ::EndDeferWindowPos(layout.hDWP);
}

HWND AFXAPI AfxGetDescendantWindow(HWND hWnd, int nID, BOOL bOnlyPerm) {
    // the direct children first, then their descendants
    HWND hWndChild = ::GetDlgItem(hWnd, nID);
    if (hWndChild != NULL && (!bOnlyPerm || CWnd::FromHandlePermanent(hWndChild) != NULL)) return hWndChild;
    for (hWndChild = ::GetTopWindow(hWnd); hWndChild != NULL; hWndChild = ::GetNextWindow(hWndChild, GW_HWNDNEXT)) {
        HWND hWndFound = AfxGetDescendantWindow(hWndChild, nID, bOnlyPerm);
        if (hWndFound != NULL) return hWndFound;
    }
    return NULL;
}

// --- CDockState ------------------------------------------------------------------

IMPLEMENT_SERIAL(CDockState, CObject, 1)

CDockState::CDockState() : m_nBarsLoaded(0) {}
CDockState::~CDockState() { Clear(); }

void CDockState::Clear() { m_arrBarInfo.RemoveAll(); }

void CDockState::LoadState(LPCTSTR lpszProfileName) {
    Clear();
    CWinApp* pApp = AfxGetApp();
    if (pApp == NULL || lpszProfileName == NULL) return;
    CString strSection;
    strSection.Format(_T("%s-Summary"), lpszProfileName);
    m_nBarsLoaded = (int)pApp->GetProfileInt(strSection, _T("Bars"), 0);
    m_sizeScreen.cx = (int)pApp->GetProfileInt(strSection, _T("ScreenCX"), ::GetSystemMetrics(SM_CXSCREEN));
    m_sizeScreen.cy = (int)pApp->GetProfileInt(strSection, _T("ScreenCY"), ::GetSystemMetrics(SM_CYSCREEN));
    // The bars "<name>-Bar<n>" describe control bars this layer does not
    // have: they are not read.
}

void CDockState::SaveState(LPCTSTR lpszProfileName) {
    CWinApp* pApp = AfxGetApp();
    if (pApp == NULL || lpszProfileName == NULL) return;
    // bars of an earlier save go first
    CString strSection;
    for (int i = 0;; i++) {
        strSection.Format(_T("%s-Bar%d"), lpszProfileName, i);
        HKEY hKey = pApp->m_pszRegistryKey != NULL ? pApp->GetAppRegistryKey() : NULL;
        BOOL bExists = FALSE;
        if (hKey != NULL) {
            HKEY hSub = NULL;
            bExists = ::RegOpenKeyEx(hKey, strSection, 0, KEY_READ, &hSub) == ERROR_SUCCESS;
            if (hSub != NULL) ::RegCloseKey(hSub);
            ::RegCloseKey(hKey);
        }
        if (!bExists) break;
        pApp->WriteProfileString(strSection, NULL, NULL);
    }
    strSection.Format(_T("%s-Summary"), lpszProfileName);
    pApp->WriteProfileInt(strSection, _T("Bars"), (int)m_arrBarInfo.GetSize());
    CSize size(::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN));
    pApp->WriteProfileInt(strSection, _T("ScreenCX"), size.cx);
    pApp->WriteProfileInt(strSection, _T("ScreenCY"), size.cy);
}

void CDockState::Serialize(CArchive& ar) {
    if (ar.IsStoring()) {
        ar << (WORD)1 << (WORD)0;  // version, no bars
    } else {
        WORD wVersion = 0, wBars = 0;
        ar >> wVersion >> wBars;
        Clear();
        if (wBars != 0) AfxThrowArchiveException(CArchiveException::badIndex);
    }
}

// --- CFrameWnd ---------------------------------------------------------------------

IMPLEMENT_DYNCREATE(CFrameWnd, CWnd)

const CRect CFrameWnd::rectDefault(CW_USEDEFAULT, CW_USEDEFAULT, 0, 0);

BEGIN_MESSAGE_MAP(CFrameWnd, CWnd)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_WM_CLOSE()
    ON_WM_SIZE()
    ON_WM_ERASEBKGND()
    ON_WM_SETFOCUS()
    ON_WM_ACTIVATE()
    ON_WM_ACTIVATEAPP()
    ON_WM_NCACTIVATE()
    ON_WM_ENABLE()
    ON_WM_SHOWWINDOW()
    ON_WM_MENUCHAR()
    ON_WM_INITMENUPOPUP()
    ON_WM_MENUSELECT()
    ON_MESSAGE(WM_SETMESSAGESTRING, OnSetMessageString)
    ON_MESSAGE(WM_POPMESSAGESTRING, OnPopMessageString)
    ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdateCmdUI)
    ON_MESSAGE(WM_COMMANDHELP, OnCommandHelp)
    ON_UPDATE_COMMAND_UI(ID_VIEW_STATUS_BAR, OnUpdateControlBarMenu)
    ON_COMMAND_EX(ID_VIEW_STATUS_BAR, OnBarCheck)
    ON_UPDATE_COMMAND_UI(ID_VIEW_TOOLBAR, OnUpdateControlBarMenu)
    ON_COMMAND_EX(ID_VIEW_TOOLBAR, OnBarCheck)
    ON_UPDATE_COMMAND_UI(ID_VIEW_REBAR, OnUpdateControlBarMenu)
    ON_COMMAND_EX(ID_VIEW_REBAR, OnBarCheck)
    ON_NOTIFY_EX_RANGE(TTN_NEEDTEXTA, 0, 0xFFFF, OnToolTipText)
    ON_NOTIFY_EX_RANGE(TTN_NEEDTEXTW, 0, 0xFFFF, OnToolTipText)
END_MESSAGE_MAP()

CFrameWnd::CFrameWnd()
    : m_nIDHelp(0), m_hMenuDefault(NULL), m_hAccelTable(NULL), m_bAutoMenuEnable(TRUE), m_nWindow(-1),
      m_rectBorder(0, 0, 0, 0), m_bHelpMode(HELP_INACTIVE), m_nIDTracking(0), m_nIDLastMessage(0), m_nIdleFlags(0),
      m_lpfnCloseProc(NULL), m_pViewActive(NULL), m_hMenuAlt(NULL), m_bInRecalcLayout(FALSE), m_cModalStack(0) {}

CFrameWnd::~CFrameWnd() {}

BOOL CFrameWnd::IsFrameWnd() const { return TRUE; }

void CFrameWnd::PostNcDestroy() { delete this; }

BOOL CFrameWnd::PreCreateWindow(CREATESTRUCT& cs) {
    if (cs.lpszClass == NULL) {
        cs.lpszClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursor(NULL, IDC_ARROW), (HBRUSH)(COLOR_WINDOW + 1));
    }
    if (cs.style & FWS_ADDTOTITLE) cs.style |= FWS_PREFIXTITLE;
    return TRUE;
}

LPCTSTR CFrameWnd::GetIconWndClass(DWORD dwDefaultStyle, UINT nIDResource) {
    HINSTANCE hInst = AfxFindResourceHandle(MAKEINTRESOURCE(nIDResource), RT_GROUP_ICON);
    HICON hIcon = ::LoadIcon(hInst, MAKEINTRESOURCE(nIDResource));
    if (hIcon == NULL) return NULL;  // the default class of PreCreateWindow
    // the class of PreCreateWindow with the icon added
    CREATESTRUCT cs = {};
    cs.style = dwDefaultStyle;
    PreCreateWindow(cs);
    WNDCLASS wndcls;
    if (cs.lpszClass != NULL && ::GetClassInfo(AfxGetInstanceHandle(), cs.lpszClass, &wndcls) &&
        wndcls.hIcon != hIcon)
        return AfxRegisterWndClass(wndcls.style, wndcls.hCursor, wndcls.hbrBackground, hIcon);
    return AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursor(NULL, IDC_ARROW), (HBRUSH)(COLOR_WINDOW + 1), hIcon);
}

BOOL CFrameWnd::CreateFrameWindow(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                                  CWnd* pParentWnd, HMENU hMenu, DWORD dwExStyle, CCreateContext* pContext) {
    m_strTitle = lpszWindowName != NULL ? lpszWindowName : _T("");
    HWND hWndParent = AfxGetSafeHwnd(pParentWnd);
    // The object may be gone on failure (PostNcDestroy): only the answer is used.
    if (!CWnd::CreateEx(dwExStyle, lpszClassName, lpszWindowName, dwStyle, rect.left, rect.top,
                        rect.right - rect.left, rect.bottom - rect.top, hWndParent, hMenu, (LPVOID)pContext)) {
        if (hMenu != NULL) ::DestroyMenu(hMenu);
        return FALSE;
    }
    return TRUE;
}

BOOL CFrameWnd::Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                       CWnd* pParentWnd, LPCTSTR lpszMenuName, DWORD dwExStyle, CCreateContext* pContext) {
    HMENU hMenu = NULL;
    if (lpszMenuName != NULL) {
        HINSTANCE hInst = AfxFindResourceHandle(lpszMenuName, RT_MENU);
        hMenu = ::LoadMenu(hInst, lpszMenuName);
        if (hMenu == NULL) {
            PostNcDestroy();
            return FALSE;
        }
    }
    m_hMenuDefault = hMenu;
    return CreateFrameWindow(lpszClassName, lpszWindowName, dwStyle, rect, pParentWnd, hMenu, dwExStyle, pContext);
}

BOOL CFrameWnd::LoadAccelTable(LPCTSTR lpszResourceName) {
    if (m_hAccelTable != NULL) return FALSE;  // only once
    HINSTANCE hInst = AfxFindResourceHandle(lpszResourceName, RT_ACCELERATOR);
    m_hAccelTable = ::LoadAccelerators(hInst, lpszResourceName);
    return m_hAccelTable != NULL;
}

BOOL CFrameWnd::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd, CCreateContext* pContext) {
    m_nIDHelp = nIDResource;
    CString strFullString;
    if (strFullString.LoadString(nIDResource)) AfxExtractSubString(m_strTitle, strFullString, 0);
    LPCTSTR lpszClass = GetIconWndClass(dwDefaultStyle, nIDResource);
    CString strTitle = m_strTitle;
    // the menu is optional: a frame without one has none
    HINSTANCE hInst = AfxFindResourceHandle(MAKEINTRESOURCE(nIDResource), RT_MENU);
    HMENU hMenu = ::LoadMenu(hInst, MAKEINTRESOURCE(nIDResource));
    m_hMenuDefault = hMenu;
    LoadAccelTable(MAKEINTRESOURCE(nIDResource));
    if (!CreateFrameWindow(lpszClass, strTitle, dwDefaultStyle, rectDefault, pParentWnd, hMenu, 0, pContext))
        return FALSE;  // the frame is deleted
    if (pContext == NULL) SendMessageToDescendants(WM_INITIALUPDATE, 0, 0, TRUE, TRUE);
    return TRUE;
}

int CFrameWnd::OnCreate(LPCREATESTRUCT lpcs) {
    CCreateContext* pContext = (CCreateContext*)lpcs->lpCreateParams;
    if (lpcs->dwExStyle & WS_EX_MDICHILD) {
        LPMDICREATESTRUCT lpmcs = (LPMDICREATESTRUCT)lpcs->lpCreateParams;
        pContext = lpmcs != NULL ? (CCreateContext*)lpmcs->lParam : NULL;
    }
    if (CWnd::OnCreate(lpcs) == -1) return -1;
    if (!OnCreateClient(lpcs, pContext)) return -1;
    // frames that are not children get the idle update themselves
    if (!(GetStyle() & WS_CHILD)) AfxAddIdleUpdateWindow(this);
    PostMessage(WM_SETMESSAGESTRING, AFX_IDS_IDLEMESSAGE);
    RecalcLayout();
    return 0;
}

BOOL CFrameWnd::OnCreateClient(LPCREATESTRUCT, CCreateContext* pContext) {
    if (pContext != NULL && pContext->m_pNewViewClass != NULL) {
        if (CreateView(pContext, AFX_IDW_PANE_FIRST) == NULL) return FALSE;
    }
    return TRUE;
}

CWnd* CFrameWnd::CreateView(CCreateContext* pContext, UINT nID) {
    if (pContext == NULL || pContext->m_pNewViewClass == NULL) return NULL;
    CObject* pObject = pContext->m_pNewViewClass->CreateObject();
    if (pObject == NULL) return NULL;
    if (!pObject->IsKindOf(RUNTIME_CLASS(CWnd))) {
        delete pObject;
        return NULL;
    }
    CWnd* pView = (CWnd*)pObject;
    // a view deletes itself when its window goes (also on failure)
    if (!pView->Create(NULL, NULL, AFX_WS_DEFAULT_VIEW, CRect(0, 0, 0, 0), this, nID, pContext)) return NULL;
    if (pView->GetExStyle() & WS_EX_CLIENTEDGE) ModifyStyleEx(WS_EX_CLIENTEDGE, 0, SWP_FRAMECHANGED);
    return pView;
}

void CFrameWnd::OnDestroy() {
    // the frame's own menu goes with the window, not a shared one
    if (m_hMenuDefault != NULL && ::GetMenu(m_hWnd) != m_hMenuDefault && !(GetStyle() & WS_CHILD))
        ::SetMenu(m_hWnd, m_hMenuDefault);
    if (m_bHelpMode != HELP_INACTIVE) ExitHelpMode();
    CWnd::OnDestroy();
}

// --- activation and the floating-window protocol -------------------------------

void CFrameWnd::OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized) {
    CWnd::OnActivate(nState, pWndOther, bMinimized);
    CFrameWnd* pTopLevel = (GetStyle() & WS_CHILD) ? this : GetTopLevelFrame();
    if (pTopLevel == NULL) pTopLevel = this;
    CWnd* pActive = nState == WA_INACTIVE ? pWndOther : this;
    BOOL bStayActive = FALSE;
    if (pActive != NULL && pActive->m_hWnd != NULL) {
        if (pActive == pTopLevel || pActive->m_hWnd == pTopLevel->m_hWnd)
            bStayActive = TRUE;
        else {
            // one of the frame's popups that keeps it active
            CWnd* pActiveTop = pActive->GetTopLevelFrame();
            HWND hWndOwner = ::GetWindow(pActive->m_hWnd, GW_OWNER);
            BOOL bOurs = (pActiveTop != NULL && pActiveTop->m_hWnd == pTopLevel->m_hWnd);
            for (HWND h = hWndOwner; !bOurs && h != NULL; h = ::GetWindow(h, GW_OWNER)) bOurs = h == pTopLevel->m_hWnd;
            bStayActive = bOurs && ::SendMessage(pActive->m_hWnd, WM_FLOATSTATUS, FS_SYNCACTIVE, 0) != 0;
        }
    }
    pTopLevel->m_nFlags &= ~WF_STAYACTIVE;
    if (bStayActive) pTopLevel->m_nFlags |= WF_STAYACTIVE;
    NotifyFloatingWindows(bStayActive ? FS_ACTIVATE : FS_DEACTIVATE);

    // the frame's view learns of the activation
    CView* pActiveView = GetActiveView();
    if (pActiveView == NULL) {
        CFrameWnd* pActiveFrame = GetActiveFrame();
        if (pActiveFrame != NULL) pActiveView = pActiveFrame->GetActiveView();
    }
    if (pActiveView != NULL) {
        if (nState != WA_INACTIVE && !bMinimized) pActiveView->OnActivateView(TRUE, pActiveView, pActiveView);
        pActiveView->OnActivateFrame(nState, this);
    }
}

void CFrameWnd::NotifyFloatingWindows(DWORD dwFlags) {
    CFrameWnd* pParent = (GetStyle() & WS_CHILD) ? this : GetTopLevelFrame();
    if (pParent == NULL) pParent = this;
    HWND hWndParent = pParent->m_hWnd;
    if (dwFlags & (FS_DEACTIVATE | FS_ACTIVATE)) {
        BOOL bActivate = !(dwFlags & FS_DEACTIVATE);
        if (bActivate && ::IsWindowEnabled(hWndParent) && pParent != this) {
            m_nFlags |= WF_KEEPMINIACTIVE;
            ::SendMessage(hWndParent, WM_NCACTIVATE, TRUE, 0);
            m_nFlags &= ~WF_KEEPMINIACTIVE;
        } else {
            ::SendMessage(hWndParent, WM_NCACTIVATE, bActivate, 0);
        }
    }
    // every top-level window the frame owns (directly or through others)
    std::vector<HWND> windows;
    for (HWND h = ::GetWindow(::GetDesktopWindow(), GW_CHILD); h != NULL; h = ::GetWindow(h, GW_HWNDNEXT))
        windows.push_back(h);
    for (HWND h : windows) {
        if (h == hWndParent || !::IsWindow(h)) continue;
        for (HWND hOwner = ::GetWindow(h, GW_OWNER); hOwner != NULL; hOwner = ::GetWindow(hOwner, GW_OWNER)) {
            if (hOwner == hWndParent) {
                ::SendMessage(h, WM_FLOATSTATUS, dwFlags, 0);
                break;
            }
        }
    }
}

BOOL CFrameWnd::OnNcActivate(BOOL bActive) {
    if (m_nFlags & WF_STAYACTIVE) bActive = TRUE;
    if (!IsWindowEnabled()) bActive = FALSE;
    return (BOOL)DefWindowProc(WM_NCACTIVATE, bActive, 0);
}

void CFrameWnd::OnActivateApp(BOOL bActive, DWORD dwThreadID) {
    CWnd::OnActivateApp(bActive, dwThreadID);
    if (!bActive && m_bHelpMode != HELP_INACTIVE) ExitHelpMode();
}

void CFrameWnd::OnEnable(BOOL bEnable) {
    if (bEnable && (m_nFlags & WF_STAYDISABLED)) {
        EnableWindow(FALSE);
        ::SetFocus(NULL);
        return;
    }
    CWnd::OnEnable(bEnable);
    if (GetStyle() & WS_CHILD) return;
    if (!bEnable && !InModalState()) {
        m_nFlags |= WF_MODALDISABLE;
        BeginModalState();
    } else if (bEnable && (m_nFlags & WF_MODALDISABLE)) {
        m_nFlags &= ~WF_MODALDISABLE;
        EndModalState();
    }
    if (bEnable && (m_nFlags & WF_STAYACTIVE)) SendMessage(WM_NCACTIVATE, TRUE);
    NotifyFloatingWindows(bEnable ? FS_ENABLE : FS_DISABLE);
}

void CFrameWnd::OnShowWindow(BOOL bShow, UINT nStatus) {
    CWnd::OnShowWindow(bShow, nStatus);
    if (nStatus == 0 && !(GetStyle() & WS_CHILD)) NotifyFloatingWindows(bShow ? FS_SHOW : FS_HIDE);
}

// The popups the frame owns follow its modal state (a modal dialog of the
// frame disables them too).
void CFrameWnd::BeginModalState() { m_cModalStack++; }
void CFrameWnd::EndModalState() {
    if (m_cModalStack > 0) m_cModalStack--;
}

void CFrameWnd::ShowOwnedWindows(BOOL bShow) { NotifyFloatingWindows(bShow ? FS_SHOW : FS_HIDE); }

void CFrameWnd::OnSetFocus(CWnd* pOldWnd) {
    if (m_pViewActive != NULL && m_pViewActive->m_hWnd != NULL)
        m_pViewActive->SetFocus();
    else
        CWnd::OnSetFocus(pOldWnd);
}

BOOL CFrameWnd::OnEraseBkgnd(CDC* pDC) {
    if (m_pViewActive != NULL) return TRUE;  // the view paints the whole client area
    return CWnd::OnEraseBkgnd(pDC);
}

void CFrameWnd::OnSize(UINT nType, int cx, int cy) {
    CWnd::OnSize(nType, cx, cy);  // MDI children and frames need the default
    if (nType != SIZE_MINIMIZED) RecalcLayout();
}

LRESULT CFrameWnd::OnMenuChar(UINT nChar, UINT nFlags, CMenu* pMenu) { return CWnd::OnMenuChar(nChar, nFlags, pMenu); }

// --- views and documents ---------------------------------------------------------

CDocument* CFrameWnd::GetActiveDocument() {
    CView* pView = GetActiveView();
    return pView != NULL ? pView->GetDocument() : NULL;
}

CFrameWnd* CFrameWnd::GetActiveFrame() { return this; }

void CFrameWnd::SetActiveView(CView* pViewNew, BOOL bNotify) {
    CView* pViewOld = m_pViewActive;
    if (pViewNew == pViewOld) return;
    m_pViewActive = NULL;  // none while the old one is told
    if (pViewOld != NULL) pViewOld->OnActivateView(FALSE, pViewNew, pViewOld);
    if (m_pViewActive != NULL) return;  // the old view made another one active
    m_pViewActive = pViewNew;
    if (pViewNew != NULL && bNotify) pViewNew->OnActivateView(TRUE, pViewNew, pViewOld);
}

void CFrameWnd::InitialUpdateFrame(CDocument* pDoc, BOOL bMakeVisible) {
    CView* pView = NULL;
    if (GetActiveView() == NULL) {
        HWND hWndPane = AfxGetDescendantWindow(m_hWnd, AFX_IDW_PANE_FIRST, TRUE);
        CWnd* pWnd = CWnd::FromHandlePermanent(hWndPane);
        if (pWnd != NULL && pWnd->IsKindOf(RUNTIME_CLASS(CView))) {
            pView = (CView*)pWnd;
            SetActiveView(pView, FALSE);
        }
    }
    if (bMakeVisible) {
        SendMessageToDescendants(WM_INITIALUPDATE, 0, 0, TRUE, TRUE);
        if (pView != NULL) pView->OnActivateFrame(WA_INACTIVE, this);
        int nCmdShow = -1;
        CWinApp* pApp = AfxGetApp();
        if (pApp != NULL && pApp->m_pMainWnd == this) {
            nCmdShow = pApp->m_nCmdShow;
            pApp->m_nCmdShow = -1;
        }
        ActivateFrame(nCmdShow);
        if (pView != NULL) pView->OnActivateView(TRUE, pView, pView);
    }
    if (pDoc != NULL) pDoc->UpdateFrameCounts();
    OnUpdateFrameTitle(TRUE);
}

void CFrameWnd::ActivateFrame(int nCmdShow) {
    if (nCmdShow == -1) {
        if (!IsWindowVisible())
            nCmdShow = SW_SHOWNORMAL;
        else if (IsIconic())
            nCmdShow = SW_RESTORE;
    }
    if (nCmdShow != -1) ShowWindow(nCmdShow);
    if (nCmdShow != SW_HIDE && nCmdShow != SW_MINIMIZE && nCmdShow != SW_SHOWMINNOACTIVE &&
        nCmdShow != SW_SHOWNA && nCmdShow != SW_SHOWNOACTIVATE) {
        BringWindowToTop();
        if (!(GetStyle() & WS_CHILD)) {
            CWnd* pPopup = GetLastActivePopup();
            if (pPopup != NULL) ::SetForegroundWindow(pPopup->m_hWnd);
        }
    }
}

// --- titles and menus -------------------------------------------------------------

void CFrameWnd::OnUpdateFrameTitle(BOOL bAddToTitle) {
    if ((GetStyle() & FWS_ADDTOTITLE) == 0) return;
    CDocument* pDocument = GetActiveDocument();
    if (bAddToTitle && pDocument != NULL)
        UpdateFrameTitleForDocument(pDocument->GetTitle());
    else
        UpdateFrameTitleForDocument(NULL);
}

static void SetWindowTextIfChanged(HWND hWnd, LPCTSTR lpszNew) {
    int nNewLen = lstrlen(lpszNew);
    TCHAR szOld[256];
    // only compare when the old text fits the buffer
    if (nNewLen < 255 && ::GetWindowText(hWnd, szOld, 256) == nNewLen && lstrcmp(szOld, lpszNew) == 0) return;
    ::SetWindowText(hWnd, lpszNew);
}

void CFrameWnd::UpdateFrameTitleForDocument(LPCTSTR lpszDocName) {
    if ((GetStyle() & FWS_ADDTOTITLE) == 0) return;
    CString strText;
    if (lpszDocName == NULL || *lpszDocName == 0) {
        strText = m_strTitle;
    } else {
        CString strDoc = lpszDocName;
        if (m_nWindow > 0) strDoc.Format(_T("%s:%d"), lpszDocName, m_nWindow);
        if (GetStyle() & FWS_PREFIXTITLE)
            strText = strDoc + _T(" - ") + m_strTitle;
        else
            strText = m_strTitle + _T(" - ") + strDoc;
    }
    SetWindowTextIfChanged(m_hWnd, strText);
}

void CFrameWnd::DelayUpdateFrameMenu(HMENU hMenuAlt) {
    m_hMenuAlt = hMenuAlt;
    m_nIdleFlags |= idleMenu;
}

void CFrameWnd::OnUpdateFrameMenu(HMENU hMenuAlt) {
    if (GetStyle() & WS_CHILD) return;
    if (hMenuAlt == NULL) hMenuAlt = m_hMenuDefault;
    if (hMenuAlt != NULL && ::GetMenu(m_hWnd) != hMenuAlt) ::SetMenu(m_hWnd, hMenuAlt);
}

void CFrameWnd::UpdateFrameMenu(HMENU hMenuAlt) { OnUpdateFrameMenu(hMenuAlt); }

LRESULT CFrameWnd::OnIdleUpdateCmdUI(WPARAM, LPARAM) {
    UINT nFlags = m_nIdleFlags;
    m_nIdleFlags = 0;
    if (nFlags & idleMenu) OnUpdateFrameMenu(m_hMenuAlt);
    if (nFlags & idleTitle) OnUpdateFrameTitle(TRUE);
    if (nFlags & idleLayout) {
        RecalcLayout((nFlags & idleNotify) != 0);
        UpdateWindow();
    }
    if (m_nIDTracking != m_nIDLastMessage) SetMessageText(m_nIDTracking);
    return 0;
}

// --- layout --------------------------------------------------------------------

void CFrameWnd::RecalcLayout(BOOL bNotify) {
    (void)bNotify;
    if (m_bInRecalcLayout) return;
    m_bInRecalcLayout = TRUE;
    m_nIdleFlags &= ~(idleLayout | idleNotify);
    RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST, reposExtra, &m_rectBorder);
    m_bInRecalcLayout = FALSE;
}

BOOL CFrameWnd::NegotiateBorderSpace(UINT nBorderCmd, LPRECT lpRectBorder) {
    CRect border, request;
    switch (nBorderCmd) {
    case BORDER_GET:
        // the room the bars leave
        RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST, reposQuery, lpRectBorder);
        break;
    case BORDER_REQUEST:
        return TRUE;
    case BORDER_SET:
        if (lpRectBorder == NULL) {
            if (!m_rectBorder.IsRectNull()) {
                m_rectBorder.SetRectEmpty();
                return TRUE;
            }
            return FALSE;
        }
        if (!::EqualRect(&m_rectBorder, lpRectBorder)) {
            m_rectBorder = *lpRectBorder;
            return TRUE;
        }
        return FALSE;
    default:
        break;
    }
    return TRUE;
}


void CFrameWnd::GetDockState(CDockState& state) const { state.Clear(); }

void CFrameWnd::SetDockState(const CDockState&) {}

// --- commands and routing ----------------------------------------------------------

BOOL CFrameWnd::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
    // the active view first (it asks its document, the document its template)
    CView* pView = GetActiveView();
    if (pView != NULL && pView->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo)) return TRUE;
    if (CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo)) return TRUE;
    CWinApp* pApp = AfxGetApp();
    if (pApp != NULL && pApp->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo)) return TRUE;
    return FALSE;
}

BOOL CFrameWnd::OnCommand(WPARAM wParam, LPARAM lParam) {
    HWND hWndCtrl = (HWND)lParam;
    UINT nID = LOWORD(wParam);
    CFrameWnd* pFrameWnd = GetTopLevelFrame();
    if (pFrameWnd == NULL) pFrameWnd = this;
    if (pFrameWnd->m_bHelpMode && hWndCtrl == NULL && nID != ID_HELP && nID != ID_DEFAULT_HELP &&
        nID != ID_CONTEXT_HELP) {
        // help for the command instead of the command
        if (!SendMessage(WM_COMMANDHELP, 0, HID_BASE_COMMAND + nID)) SendMessage(WM_COMMAND, ID_DEFAULT_HELP);
        return TRUE;
    }
    return CWnd::OnCommand(wParam, lParam);
}

BOOL CFrameWnd::PreTranslateMessage(MSG* pMsg) {
    if (CWnd::PreTranslateMessage(pMsg)) return TRUE;
    if (pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST) {
        if (m_bHelpMode != HELP_INACTIVE && pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_ESCAPE) {
            ExitHelpMode();
            return TRUE;
        }
        HACCEL hAccel = GetDefaultAccelerator();
        return hAccel != NULL && ::TranslateAccelerator(m_hWnd, hAccel, pMsg);
    }
    return FALSE;
}

HACCEL CFrameWnd::GetDefaultAccelerator() { return m_hAccelTable; }

void CFrameWnd::OnInitMenuPopup(CMenu* pMenu, UINT, BOOL bSysMenu) {
    if (bSysMenu || pMenu == NULL) return;
    CCmdUI state;
    state.m_pMenu = pMenu;
    // the menu bar that holds this popup, when it is a popup of the bar
    CWnd* pTop = GetTopLevelParent();
    HMENU hParentMenu = pTop != NULL ? ::GetMenu(pTop->m_hWnd) : NULL;
    if (hParentMenu != NULL) {
        int nItems = ::GetMenuItemCount(hParentMenu);
        for (int i = 0; i < nItems; i++) {
            if (::GetSubMenu(hParentMenu, i) == pMenu->m_hMenu) {
                state.m_pParentMenu = CMenu::FromHandle(hParentMenu);
                break;
            }
        }
    }
    state.m_nIndexMax = pMenu->GetMenuItemCount();
    for (state.m_nIndex = 0; state.m_nIndex < state.m_nIndexMax; state.m_nIndex++) {
        state.m_nID = pMenu->GetMenuItemID(state.m_nIndex);
        if (state.m_nID == 0) continue;  // separator
        if (state.m_nID == (UINT)-1) {
            // a popup: routed as its first item, never disabled for want of a handler
            state.m_pSubMenu = pMenu->GetSubMenu(state.m_nIndex);
            if (state.m_pSubMenu == NULL || (state.m_nID = state.m_pSubMenu->GetMenuItemID(0)) == 0 ||
                state.m_nID == (UINT)-1)
                continue;
            state.DoUpdate(this, FALSE);
        } else {
            state.m_pSubMenu = NULL;
            state.DoUpdate(this, m_bAutoMenuEnable && state.m_nID < 0xF000);
        }
        // a handler may have added or removed items
        UINT nCount = pMenu->GetMenuItemCount();
        if (nCount < state.m_nIndexMax) {
            state.m_nIndex -= (state.m_nIndexMax - nCount);
            while (state.m_nIndex < nCount && pMenu->GetMenuItemID(state.m_nIndex) == state.m_nID) state.m_nIndex++;
        }
        state.m_nIndexMax = nCount;
    }
}

// --- the message line ------------------------------------------------------------------

CWnd* CFrameWnd::GetMessageBar() {
    return CWnd::FromHandlePermanent(AfxGetDescendantWindow(m_hWnd, AFX_IDW_STATUS_BAR, TRUE));
}

void CFrameWnd::GetMessageString(UINT nID, CString& rMessage) const {
    rMessage.Empty();
    CString str;
    if (str.LoadString(nID)) {
        int n = str.Find('\n');
        rMessage = n >= 0 ? str.Left(n) : str;
    }
}

void CFrameWnd::SetMessageText(LPCTSTR lpszText) { SendMessage(WM_SETMESSAGESTRING, 0, (LPARAM)lpszText); }

void CFrameWnd::SetMessageText(UINT nID) { SendMessage(WM_SETMESSAGESTRING, (WPARAM)nID); }

LRESULT CFrameWnd::OnSetMessageString(WPARAM wParam, LPARAM lParam) {
    UINT nIDLast = m_nIDLastMessage;
    m_nFlags &= ~WF_NOPOPMSG;
    CWnd* pMessageBar = GetMessageBar();
    if (pMessageBar != NULL) {
        CString strMessage;
        LPCTSTR lpsz = _T("");
        if (lParam != 0) {
            lpsz = (LPCTSTR)lParam;
        } else if (wParam != 0) {
            UINT nID = (UINT)wParam;
            if (nID == AFX_IDS_SCCLOSE && m_lpfnCloseProc != NULL) nID = AFX_IDS_PREVIEW_CLOSE;
            GetMessageString(nID, strMessage);
            lpsz = strMessage;
        }
        pMessageBar->SetWindowText(lpsz);
        CWnd* pBarFrame = pMessageBar->GetParentFrame();
        if (pBarFrame != NULL && pBarFrame != this) {
            ((CFrameWnd*)pBarFrame)->m_nIDLastMessage = (UINT)wParam;
            ((CFrameWnd*)pBarFrame)->m_nIDTracking = (UINT)wParam;
        }
    }
    m_nIDLastMessage = (UINT)wParam;
    m_nIDTracking = (UINT)wParam;
    return nIDLast;
}

LRESULT CFrameWnd::OnPopMessageString(WPARAM wParam, LPARAM lParam) {
    if (m_nFlags & WF_NOPOPMSG) return 0;
    return SendMessage(WM_SETMESSAGESTRING, wParam, lParam);
}

void CFrameWnd::OnMenuSelect(UINT nItemID, UINT nFlags, HMENU hSysMenu) {
    CFrameWnd* pFrameWnd = GetTopLevelFrame();
    if (pFrameWnd == NULL) pFrameWnd = this;
    if (nFlags == 0xFFFF && hSysMenu == NULL) {
        // the menu closed: back to the idle prompt
        m_nFlags &= ~WF_NOPOPMSG;
        m_nIDTracking = pFrameWnd->m_bHelpMode ? AFX_IDS_HELPMODEMESSAGE : AFX_IDS_IDLEMESSAGE;
        SendMessage(WM_SETMESSAGESTRING, (WPARAM)m_nIDTracking);
        CWnd* pBar = GetMessageBar();
        if (pBar != NULL) pBar->UpdateWindow();
        return;
    }
    if (nItemID == 0 || (nFlags & (MF_SEPARATOR | MF_POPUP)))
        m_nIDTracking = 0;
    else if (nItemID >= 0xF000 && nItemID < 0xF1F0)
        m_nIDTracking = ((nItemID - 0xF000) >> 4) + AFX_IDS_SCFIRST;  // the system-command prompts
    else if (nItemID >= AFX_IDM_FIRST_MDICHILD)
        m_nIDTracking = AFX_IDS_MDICHILD;
    else
        m_nIDTracking = nItemID;
    if (m_nIDTracking != m_nIDLastMessage) SendMessage(WM_SETMESSAGESTRING, (WPARAM)m_nIDTracking);
    // while the menu is open, bars do not put their own prompts back
    pFrameWnd->m_nFlags |= WF_NOPOPMSG;
}

// --- closing -------------------------------------------------------------------------

void CFrameWnd::OnClose() {
    if (m_lpfnCloseProc != NULL && !(*m_lpfnCloseProc)(this)) return;
    CDocument* pDocument = GetActiveDocument();
    if (pDocument != NULL && !pDocument->CanCloseFrame(this)) return;
    CWinApp* pApp = AfxGetApp();
    if (pApp != NULL && pApp->m_pMainWnd == this) {
        // the main frame: every document is asked and closed first, through
        // the application so that it can take part
        if (pDocument == NULL && !pApp->SaveAllModified()) return;
        pApp->CloseAllDocuments(FALSE);
        // closing the documents may have destroyed the main window already
        if (pApp->m_pMainWnd == NULL) {
            AfxPostQuitMessage(0);
            return;
        }
    }
    // the last frame of a document closes the document instead
    if (pDocument != NULL && pDocument->m_bAutoDelete) {
        BOOL bOtherFrame = FALSE;
        POSITION pos = pDocument->GetFirstViewPosition();
        while (pos != NULL) {
            CView* pView = pDocument->GetNextView(pos);
            if (pView->GetParentFrame() != this) {
                bOtherFrame = TRUE;
                break;
            }
        }
        if (!bOtherFrame) {
            pDocument->OnCloseDocument();
            return;
        }
        pDocument->PreCloseFrame(this);
    }
    DestroyWindow();
}

// --- bars ------------------------------------------------------------------------------

void CFrameWnd::OnUpdateControlBarMenu(CCmdUI* pCmdUI) {
    HWND hWndBar = AfxGetDescendantWindow(m_hWnd, (int)pCmdUI->m_nID, TRUE);
    if (hWndBar != NULL) {
        pCmdUI->SetCheck((::GetWindowLong(hWndBar, GWL_STYLE) & WS_VISIBLE) != 0);
        return;
    }
    pCmdUI->ContinueRouting();
}

BOOL CFrameWnd::OnBarCheck(UINT nID) {
    HWND hWndBar = AfxGetDescendantWindow(m_hWnd, (int)nID, TRUE);
    if (hWndBar == NULL) return FALSE;
    BOOL bVisible = (::GetWindowLong(hWndBar, GWL_STYLE) & WS_VISIBLE) != 0;
    ::ShowWindow(hWndBar, bVisible ? SW_HIDE : SW_SHOWNOACTIVATE);
    RecalcLayout();
    return TRUE;
}

BOOL CFrameWnd::OnToolTipText(UINT, NMHDR* pNMHDR, LRESULT* pResult) {
    // the second part of the command's string ("prompt\ntip")
    UINT_PTR nID = pNMHDR->idFrom;
    BOOL bWide = pNMHDR->code == TTN_NEEDTEXTW;
    UINT uFlags = bWide ? ((TOOLTIPTEXTW*)pNMHDR)->uFlags : ((TOOLTIPTEXTA*)pNMHDR)->uFlags;
    if (uFlags & TTF_IDISHWND) nID = (UINT_PTR)::GetDlgCtrlID((HWND)nID);
    if (nID == 0) return FALSE;
    CString strFull, strTip;
    if (strFull.LoadString((UINT)nID)) AfxExtractSubString(strTip, strFull, 1);
    if (bWide) {
        TOOLTIPTEXTW* pTTT = (TOOLTIPTEXTW*)pNMHDR;
        ::MultiByteToWideChar(CP_ACP, 0, strTip, -1, pTTT->szText, (int)(sizeof(pTTT->szText) / sizeof(WCHAR)));
        pTTT->szText[sizeof(pTTT->szText) / sizeof(WCHAR) - 1] = 0;
    } else {
        TOOLTIPTEXTA* pTTT = (TOOLTIPTEXTA*)pNMHDR;
        lstrcpyn(pTTT->szText, strTip, (int)sizeof(pTTT->szText));
    }
    *pResult = 0;
    ::SetWindowPos(pNMHDR->hwndFrom, HWND_TOP, 0, 0, 0, 0, SWP_NOACTIVATE | SWP_NOSIZE | SWP_NOMOVE);
    return TRUE;
}

// --- context help ----------------------------------------------------------------------

BOOL CFrameWnd::CanEnterHelpMode() { return TRUE; }

void CFrameWnd::ExitHelpMode() {
    if (m_bHelpMode == HELP_INACTIVE) return;
    m_bHelpMode = HELP_INACTIVE;
    if (::GetCapture() == m_hWnd) ::ReleaseCapture();
    SetMessageText(AFX_IDS_IDLEMESSAGE);
}

// The help context of the window under a point: WM_HELPHITTEST answered by
// the window or one of its parents, else its control id.
static DWORD_PTR HelpContextAt(HWND hWndTop, POINT ptScreen) {
    HWND hWnd = ::WindowFromPoint(ptScreen);
    for (; hWnd != NULL; hWnd = ::GetParent(hWnd)) {
        POINT pt = ptScreen;
        ::ScreenToClient(hWnd, &pt);
        LRESULT lResult = ::SendMessage(hWnd, WM_HELPHITTEST, 0, MAKELPARAM(pt.x, pt.y));
        if (lResult != 0) return (DWORD_PTR)lResult;
        if (hWnd == hWndTop) break;
    }
    return 0;
}

void CFrameWnd::OnContextHelp() {
    if (m_bHelpMode != HELP_INACTIVE || !CanEnterHelpMode()) return;
    m_bHelpMode = HELP_ACTIVE;
    SetMessageText(AFX_IDS_HELPMODEMESSAGE);
    ::SetCapture(m_hWnd);
    HCURSOR hcurHelp = ::LoadCursor(NULL, IDC_HELP);
    HCURSOR hcurOld = ::SetCursor(hcurHelp);
    DWORD_PTR dwContext = 0;
    BOOL bChosen = FALSE;
    MSG msg;
    HWND hWnd = m_hWnd;
    while (m_bHelpMode == HELP_ACTIVE && ::IsWindow(hWnd) && ::GetCapture() == hWnd) {
        if (!::GetMessage(&msg, NULL, 0, 0)) {
            ::PostQuitMessage((int)msg.wParam);
            break;
        }
        if (msg.message == WM_LBUTTONDOWN || msg.message == WM_NCLBUTTONDOWN) {
            POINT pt = msg.pt;
            dwContext = HelpContextAt(hWnd, pt);
            bChosen = TRUE;
            break;
        }
        if ((msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE) || msg.message == WM_RBUTTONDOWN) break;
        if (msg.message == WM_MOUSEMOVE || msg.message == WM_SETCURSOR) {
            ::SetCursor(hcurHelp);
            continue;
        }
        ::TranslateMessage(&msg);
        ::DispatchMessage(&msg);
    }
    if (!::IsWindow(hWnd)) return;
    ::SetCursor(hcurOld);
    ExitHelpMode();
    if (bChosen) {
        CWinApp* pApp = AfxGetApp();
        if (pApp != NULL) pApp->WinHelp(dwContext != 0 ? dwContext : 0, dwContext != 0 ? HELP_CONTEXT : HELP_INDEX);
    }
}

LRESULT CFrameWnd::OnCommandHelp(WPARAM, LPARAM lParam) {
    if (lParam == 0) {
        if (IsTracking())
            lParam = HID_BASE_COMMAND + m_nIDTracking;
        else
            lParam = HID_BASE_RESOURCE + m_nIDHelp;
    }
    if (lParam != 0) {
        CWinApp* pApp = AfxGetApp();
        if (pApp != NULL) pApp->WinHelp((DWORD_PTR)lParam);
        return TRUE;
    }
    return FALSE;
}

// --- CMiniFrameWnd -------------------------------------------------------------------------

IMPLEMENT_DYNCREATE(CMiniFrameWnd, CFrameWnd)

BEGIN_MESSAGE_MAP(CMiniFrameWnd, CFrameWnd)
    ON_MESSAGE(WM_FLOATSTATUS, OnFloatStatus)
    ON_WM_CLOSE()
END_MESSAGE_MAP()

CMiniFrameWnd::CMiniFrameWnd() : m_bSyncActive(FALSE) {}

BOOL CMiniFrameWnd::Create(LPCTSTR lpClassName, LPCTSTR lpWindowName, DWORD dwStyle, const RECT& rect,
                           CWnd* pParentWnd, UINT nID) {
    return CreateEx(0, lpClassName, lpWindowName, dwStyle, rect, pParentWnd, nID);
}

BOOL CMiniFrameWnd::CreateEx(DWORD dwExStyle, LPCTSTR lpClassName, LPCTSTR lpWindowName, DWORD dwStyle,
                             const RECT& rect, CWnd* pParentWnd, UINT nID, LPVOID lpParam) {
    m_strTitle = lpWindowName != NULL ? lpWindowName : _T("");
    // a popup is owned by its parent; a child uses nID as its id
    HMENU hMenu = (dwStyle & WS_CHILD) ? (HMENU)(UINT_PTR)nID : NULL;
    return CWnd::CreateEx(dwExStyle, lpClassName, lpWindowName, dwStyle, rect.left, rect.top,
                          rect.right - rect.left, rect.bottom - rect.top, AfxGetSafeHwnd(pParentWnd), hMenu,
                          lpParam);
}

BOOL CMiniFrameWnd::PreCreateWindow(CREATESTRUCT& cs) {
    if (cs.lpszClass == NULL)
        cs.lpszClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursor(NULL, IDC_ARROW), (HBRUSH)(COLOR_BTNFACE + 1));
    if (cs.style & MFS_SYNCACTIVE) {
        // the bit is ours: the system must not see it as a window style
        cs.style &= ~MFS_SYNCACTIVE;
        m_bSyncActive = TRUE;
    }
    if (!(cs.style & WS_CHILD)) cs.dwExStyle |= WS_EX_TOOLWINDOW;
    cs.style &= ~(FWS_ADDTOTITLE | FWS_PREFIXTITLE);
    return TRUE;
}

void CMiniFrameWnd::RecalcLayout(BOOL bNotify) { CFrameWnd::RecalcLayout(bNotify); }

BOOL CMiniFrameWnd::PreTranslateMessage(MSG* pMsg) {
    // keys go to the owner's accelerators, not the mini frame's
    return CWnd::PreTranslateMessage(pMsg);
}

BOOL CMiniFrameWnd::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
    return CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

BOOL CMiniFrameWnd::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    return CWnd::OnNotify(wParam, lParam, pResult);
}

void CMiniFrameWnd::PostNcDestroy() { CFrameWnd::PostNcDestroy(); }

LRESULT CMiniFrameWnd::OnFloatStatus(WPARAM wParam, LPARAM) {
    if (wParam & FS_SYNCACTIVE) return m_bSyncActive ? 1 : 0;
    if (wParam & (FS_ACTIVATE | FS_DEACTIVATE)) {
        // the caption follows the owner's activation
        ::SendMessage(m_hWnd, WM_NCACTIVATE, (wParam & FS_ACTIVATE) != 0, 0);
    }
    if ((wParam & FS_HIDE) && ::IsWindowVisible(m_hWnd)) {
        m_nFlags |= WF_TEMPHIDE;
        ::ShowWindow(m_hWnd, SW_HIDE);
    }
    if ((wParam & FS_SHOW) && (m_nFlags & WF_TEMPHIDE)) {
        m_nFlags &= ~WF_TEMPHIDE;
        ::ShowWindow(m_hWnd, SW_SHOWNA);
    }
    if (wParam & (FS_ENABLE | FS_DISABLE)) ::EnableWindow(m_hWnd, (wParam & FS_ENABLE) != 0);
    return 0;
}

void CMiniFrameWnd::OnClose() { DestroyWindow(); }
