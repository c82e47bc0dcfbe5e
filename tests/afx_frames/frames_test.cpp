// Frames without documents: LoadFrame, the bar layout through WM_SIZEPARENT,
// the message line, the floating-window protocol, the idle update and the
// main frame's close.
#include "frames_test.h"
#include <gtest/gtest.h>

#include "TestRegistry.h"

BEGIN_MESSAGE_MAP(CFramesTestApp, CWinApp)
    ON_COMMAND(ID_TEST_APPCMD, OnAppCmd)
    ON_COMMAND(ID_TEST_ALLCMD, OnAllCmd)
END_MESSAGE_MAP()

namespace {

// A bar that takes a band at the top or the bottom on WM_SIZEPARENT.
class CTestBar : public CWnd {
public:
    int nTop = 0, nBottom = 0;
    BOOL CreateBar(CWnd* pParent, UINT nID, int top, int bottom) {
        nTop = top;
        nBottom = bottom;
        return Create(NULL, _T(""), WS_CHILD | WS_VISIBLE, CRect(0, 0, 0, 0), pParent, nID);
    }

protected:
    afx_msg LRESULT OnSizeParent(WPARAM, LPARAM lParam) {
        AFX_SIZEPARENTPARAMS* p = (AFX_SIZEPARENTPARAMS*)lParam;
        if (!(GetStyle() & WS_VISIBLE)) return 0;
        CRect rc = p->rect;
        if (nTop > 0) {
            rc.bottom = rc.top + nTop;
            p->rect.top += nTop;
        } else {
            rc.top = rc.bottom - nBottom;
            p->rect.bottom -= nBottom;
        }
        p->sizeTotal.cy += rc.Height();
        AfxRepositionWindow(p, m_hWnd, &rc);
        return 0;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CTestBar, CWnd)
    ON_MESSAGE(WM_SIZEPARENT, OnSizeParent)
END_MESSAGE_MAP()

// A popup that records WM_FLOATSTATUS and answers FS_SYNCACTIVE as told.
class CFloatRecorder : public CWnd {
public:
    std::vector<WPARAM> flags;
    BOOL bSync = FALSE;
    BOOL CreateOwned(CWnd* pOwner) {
        return CreateEx(WS_EX_TOOLWINDOW, AfxRegisterWndClass(0), _T("float"), WS_POPUP | WS_VISIBLE, 500, 10, 50,
                        50, pOwner->m_hWnd, NULL);
    }

protected:
    afx_msg LRESULT OnFloatStatus(WPARAM wParam, LPARAM) {
        if (wParam & FS_SYNCACTIVE) return bSync;
        flags.push_back(wParam);
        return 0;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CFloatRecorder, CWnd)
    ON_MESSAGE(WM_FLOATSTATUS, OnFloatStatus)
END_MESSAGE_MAP()

CRect ChildRect(CWnd* pParent, CWnd* pChild) {
    CRect rc;
    pChild->GetWindowRect(&rc);
    pParent->ScreenToClient(&rc);
    return rc;
}

// An SDI frame of IDR_MAINFRAME with a client area of 400 x 300.
CFrameWnd* MakeFrame(DWORD dwStyle = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE) {
    CFrameWnd* pFrame = new CFrameWnd;
    if (!pFrame->LoadFrame(IDR_MAINFRAME, dwStyle)) return NULL;
    CRect rc(0, 0, 400, 300);
    ::AdjustWindowRectEx(&rc, pFrame->GetStyle(), ::GetMenu(pFrame->m_hWnd) != NULL, pFrame->GetExStyle());
    pFrame->SetWindowPos(NULL, 20, 20, rc.Width(), rc.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
    return pFrame;
}

}  // namespace

TEST(Frame, LoadFrameTakesTitleMenuAndAccelerators) {
    CFrameWnd* pFrame = MakeFrame();
    ASSERT_NE(pFrame, nullptr);
    HWND hWnd = pFrame->m_hWnd;
    EXPECT_EQ(pFrame->GetTitle(), CString(_T("Frames Test")));
    EXPECT_EQ(WindowText(hWnd), "Frames Test");
    EXPECT_NE(pFrame->m_hMenuDefault, (HMENU)NULL);
    EXPECT_EQ(::GetMenu(hWnd), pFrame->m_hMenuDefault);
    EXPECT_NE(pFrame->m_hAccelTable, (HACCEL)NULL);
    EXPECT_EQ(pFrame->m_nIDHelp, (UINT)IDR_MAINFRAME);
    EXPECT_TRUE(pFrame->IsFrameWnd());
    // FWS_ADDTOTITLE brings FWS_PREFIXTITLE: "document - application"
    EXPECT_TRUE(pFrame->GetStyle() & FWS_PREFIXTITLE);
    pFrame->UpdateFrameTitleForDocument(_T("Doc"));
    EXPECT_EQ(WindowText(hWnd), "Doc - Frames Test");
    pFrame->m_nWindow = 2;
    pFrame->UpdateFrameTitleForDocument(_T("Doc"));
    EXPECT_EQ(WindowText(hWnd), "Doc:2 - Frames Test");
    pFrame->DestroyWindow();  // deletes the frame
    EXPECT_FALSE(::IsWindow(hWnd));
}

TEST(Frame, RecalcLayoutGivesBarsTheirBandsAndThePaneTheRest) {
    CFrameWnd* pFrame = MakeFrame();
    ASSERT_NE(pFrame, nullptr);
    CTestBar* pTop = new CTestBar;
    CTestBar* pBottom = new CTestBar;
    CWnd* pPane = new CWnd;
    ASSERT_TRUE(pTop->CreateBar(pFrame, AFX_IDW_TOOLBAR, 20, 0));
    ASSERT_TRUE(pBottom->CreateBar(pFrame, AFX_IDW_STATUS_BAR, 0, 15));
    ASSERT_TRUE(pPane->Create(NULL, _T(""), WS_CHILD | WS_VISIBLE, CRect(0, 0, 1, 1), pFrame, AFX_IDW_PANE_FIRST));
    CRect rcClient;
    pFrame->GetClientRect(&rcClient);
    ASSERT_EQ(rcClient.Size(), CSize(400, 300));

    pFrame->RecalcLayout();
    EXPECT_EQ(ChildRect(pFrame, pTop), CRect(0, 0, 400, 20));
    EXPECT_EQ(ChildRect(pFrame, pBottom), CRect(0, 285, 400, 300));
    EXPECT_EQ(ChildRect(pFrame, pPane), CRect(0, 20, 400, 285));

    // a query moves nothing and answers the room left
    CRect rcQuery;
    pFrame->RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST, reposQuery, &rcQuery);
    EXPECT_EQ(rcQuery, CRect(0, 20, 400, 285));

    // border space taken by the frame shrinks the pane
    CRect rcBorder(5, 0, 10, 0);
    EXPECT_TRUE(pFrame->NegotiateBorderSpace(BORDER_SET, &rcBorder));
    pFrame->RecalcLayout();
    EXPECT_EQ(ChildRect(pFrame, pPane), CRect(5, 20, 390, 285));
    EXPECT_TRUE(pFrame->NegotiateBorderSpace(BORDER_SET, NULL));

    // a hidden bar takes no room; resizing the frame lays out again
    pTop->ShowWindow(SW_HIDE);
    CRect rcWnd(0, 0, 300, 200);
    ::AdjustWindowRectEx(&rcWnd, pFrame->GetStyle(), TRUE, pFrame->GetExStyle());
    pFrame->SetWindowPos(NULL, 0, 0, rcWnd.Width(), rcWnd.Height(), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    pFrame->GetClientRect(&rcClient);
    EXPECT_EQ(ChildRect(pFrame, pPane), CRect(0, 0, rcClient.right, rcClient.bottom - 15));
    EXPECT_EQ(ChildRect(pFrame, pBottom).top, rcClient.bottom - 15);

    // the status bar toggle hides the bar and lays out again
    EXPECT_TRUE(pFrame->OnCmdMsg(ID_VIEW_STATUS_BAR, CN_COMMAND, NULL, NULL));
    EXPECT_FALSE(pBottom->IsWindowVisible());
    EXPECT_EQ(ChildRect(pFrame, pPane), rcClient);

    pFrame->DestroyWindow();  // the children go with it; plain CWnds are ours
    delete pTop;
    delete pBottom;
    delete pPane;
}

TEST(Frame, AnyWindowLaysOutItsBarsAndFindsItsFrames) {
    CFrameWnd* pFrame = MakeFrame();
    ASSERT_NE(pFrame, nullptr);
    CWnd* pHost = new CWnd;
    ASSERT_TRUE(pHost->Create(NULL, _T(""), WS_CHILD | WS_VISIBLE, CRect(0, 0, 200, 100), pFrame, 1));
    CTestBar* pBar = new CTestBar;
    CWnd* pPane = new CWnd;
    ASSERT_TRUE(pBar->CreateBar(pHost, AFX_IDW_TOOLBAR, 10, 0));
    ASSERT_TRUE(pPane->Create(NULL, _T(""), WS_CHILD | WS_VISIBLE, CRect(0, 0, 1, 1), pHost, AFX_IDW_PANE_FIRST));

    // a plain window places the bars among its own children
    pHost->RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST);
    EXPECT_EQ(ChildRect(pHost, pBar), CRect(0, 0, 200, 10));
    EXPECT_EQ(ChildRect(pHost, pPane), CRect(0, 10, 200, 100));

    // frames come back as frames, from any window
    CFrameWnd* pParentFrame = pPane->GetParentFrame();
    CFrameWnd* pTopFrame = pPane->GetTopLevelFrame();
    EXPECT_EQ(pParentFrame, pFrame);
    EXPECT_EQ(pTopFrame, pFrame);
    EXPECT_EQ(pFrame->CWnd::GetParentFrame(), nullptr);
    EXPECT_EQ(pFrame->CWnd::GetTopLevelFrame(), pFrame);
    pHost->DestroyWindow();
    delete pBar;
    delete pPane;
    delete pHost;
    pFrame->DestroyWindow();
}

TEST(Frame, MessageLineShowsPromptsBeforeTheirNewline) {
    CFrameWnd* pFrame = MakeFrame();
    ASSERT_NE(pFrame, nullptr);
    CTestBar* pStatus = new CTestBar;
    ASSERT_TRUE(pStatus->CreateBar(pFrame, AFX_IDW_STATUS_BAR, 0, 15));
    EXPECT_EQ(pFrame->GetMessageBar(), pStatus);
    PumpPending();  // the idle prompt posted at creation
    EXPECT_EQ(WindowText(pStatus->m_hWnd), "Ready");

    CString str;
    pFrame->GetMessageString(ID_TEST_VIEWCMD, str);
    EXPECT_EQ(str, CString(_T("Runs the view command")));
    pFrame->GetMessageString(ID_TEST_ALLCMD, str);  // no newline: all of it
    EXPECT_EQ(str, CString(_T("Everybody answers")));
    pFrame->GetMessageString(ID_TEST_NOHANDLER, str);  // no string
    EXPECT_TRUE(str.IsEmpty());

    pFrame->SetMessageText(ID_FILE_NEW);
    EXPECT_EQ(WindowText(pStatus->m_hWnd), "Create a new document");
    pFrame->SetMessageText(_T("free text"));
    EXPECT_EQ(WindowText(pStatus->m_hWnd), "free text");

    struct {
        UINT nItem;
        UINT nFlags;
        const char* text;
    } cases[] = {
        {ID_TEST_VIEWCMD, MF_STRING, "Runs the view command"},
        {SC_CLOSE, MF_STRING | MF_SYSMENU, "Close the active window and prompt to save the documents"},
        {SC_MAXIMIZE, MF_STRING | MF_SYSMENU, "Enlarge the window to full size"},
        {AFX_IDM_FIRST_MDICHILD + 1, MF_STRING, "Activate this window"},
        {2, MF_POPUP, ""},
    };
    for (const auto& c : cases) {
        pFrame->SendMessage(WM_MENUSELECT, MAKEWPARAM(c.nItem, c.nFlags), (LPARAM)pFrame->m_hMenuDefault);
        EXPECT_EQ(WindowText(pStatus->m_hWnd), c.text) << c.nItem;
    }
    // while a menu is open, a bar's prompt is not put back...
    EXPECT_EQ(pFrame->SendMessage(WM_POPMESSAGESTRING, AFX_IDS_IDLEMESSAGE), 0);
    EXPECT_EQ(WindowText(pStatus->m_hWnd), "");
    // ...and closing the menu shows the idle prompt
    pFrame->SendMessage(WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0);
    EXPECT_EQ(WindowText(pStatus->m_hWnd), "Ready");
    pFrame->SendMessage(WM_POPMESSAGESTRING, ID_FILE_NEW);
    EXPECT_EQ(WindowText(pStatus->m_hWnd), "Create a new document");

    pFrame->DestroyWindow();
    delete pStatus;
}

TEST(Frame, FloatingWindowsFollowTheFrame) {
    CFrameWnd* pFrame = MakeFrame();
    ASSERT_NE(pFrame, nullptr);
    pFrame->ShowWindow(SW_SHOWNA);
    CFloatRecorder* pFloat = new CFloatRecorder;
    ASSERT_TRUE(pFloat->CreateOwned(pFrame));

    pFrame->EnableWindow(FALSE);
    pFrame->EnableWindow(TRUE);
    pFrame->NotifyFloatingWindows(FS_ACTIVATE);
    std::vector<WPARAM> expected = {FS_DISABLE, FS_ENABLE, FS_ACTIVATE};
    EXPECT_EQ(pFloat->flags, expected);

    // activation moving to a popup that syncs keeps the frame's caption active
    pFloat->flags.clear();
    pFloat->bSync = TRUE;
    pFrame->SendMessage(WM_ACTIVATE, WA_INACTIVE, (LPARAM)pFloat->m_hWnd);
    EXPECT_TRUE(pFrame->m_nFlags & WF_STAYACTIVE);
    EXPECT_EQ(pFloat->flags, std::vector<WPARAM>{FS_ACTIVATE});
    pFloat->flags.clear();
    pFloat->bSync = FALSE;
    pFrame->SendMessage(WM_ACTIVATE, WA_INACTIVE, (LPARAM)pFloat->m_hWnd);
    EXPECT_FALSE(pFrame->m_nFlags & WF_STAYACTIVE);
    EXPECT_EQ(pFloat->flags, std::vector<WPARAM>{FS_DEACTIVATE});
    // to a window of another owner: the frame goes inactive
    pFrame->SendMessage(WM_ACTIVATE, WA_INACTIVE, 0);
    EXPECT_FALSE(pFrame->m_nFlags & WF_STAYACTIVE);

    // a mini frame made with MFS_SYNCACTIVE answers FS_SYNCACTIVE
    CMiniFrameWnd* pMini = new CMiniFrameWnd;
    ASSERT_TRUE(pMini->CreateEx(0, NULL, _T("mini"), WS_POPUP | WS_CAPTION | MFS_SYNCACTIVE, CRect(10, 10, 90, 90),
                                pFrame));
    EXPECT_FALSE(pMini->GetStyle() & MFS_SYNCACTIVE);  // not a window style
    EXPECT_NE(pMini->SendMessage(WM_FLOATSTATUS, FS_SYNCACTIVE), 0);
    pFrame->SendMessage(WM_ACTIVATE, WA_INACTIVE, (LPARAM)pMini->m_hWnd);
    EXPECT_TRUE(pFrame->m_nFlags & WF_STAYACTIVE);
    // hiding the frame hides the popups that follow it, showing brings them back
    pMini->ShowWindow(SW_SHOWNA);
    pFrame->ShowWindow(SW_HIDE);
    EXPECT_FALSE(pMini->IsWindowVisible());
    pFrame->ShowWindow(SW_SHOWNA);
    EXPECT_TRUE(pMini->IsWindowVisible());

    pMini->DestroyWindow();  // deletes itself
    pFloat->DestroyWindow();
    delete pFloat;
    pFrame->DestroyWindow();
}

TEST(Frame, IdleUpdateCarriesOutDelayedTitleAndLayout) {
    CFrameWnd* pFrame = MakeFrame();
    ASSERT_NE(pFrame, nullptr);
    pFrame->ShowWindow(SW_SHOWNA);
    CWnd* pPane = new CWnd;
    ASSERT_TRUE(pPane->Create(NULL, _T(""), WS_CHILD | WS_VISIBLE, CRect(0, 0, 1, 1), pFrame, AFX_IDW_PANE_FIRST));
    pFrame->SetTitle(_T("Renamed"));
    pFrame->DelayUpdateFrameTitle();
    pFrame->DelayRecalcLayout();
    EXPECT_EQ(WindowText(pFrame->m_hWnd), "Frames Test");
    theTestApp.OnIdle(0);
    EXPECT_EQ(WindowText(pFrame->m_hWnd), "Renamed");
    CRect rcClient;
    pFrame->GetClientRect(&rcClient);
    EXPECT_EQ(ChildRect(pFrame, pPane), rcClient);
    EXPECT_EQ(pFrame->m_nIdleFlags, 0u);
    pFrame->DestroyWindow();
    delete pPane;
}

TEST(Frame, ClosingTheMainFrameWithoutDocumentsEndsTheLoop) {
    CFrameWnd* pFrame = MakeFrame();
    ASSERT_NE(pFrame, nullptr);
    HWND hWnd = pFrame->m_hWnd;
    theTestApp.m_pMainWnd = pFrame;
    pFrame->SendMessage(WM_CLOSE);
    EXPECT_FALSE(::IsWindow(hWnd));
    EXPECT_EQ(theTestApp.m_pMainWnd, nullptr);
    MSG msg;
    BOOL bQuit = FALSE;
    while (::PeekMessage(&msg, NULL, 0, 0, PM_REMOVE)) bQuit = bQuit || msg.message == WM_QUIT;
    EXPECT_TRUE(bQuit);
}

TEST(Frame, DockStateKeepsTheSummaryInTheProfile) {
    // the profile of this program lives in its own key
    free((void*)theTestApp.m_pszRegistryKey);
    theTestApp.m_pszRegistryKey = _tcsdup(_T("TomewiseTests"));
    free((void*)theTestApp.m_pszProfileName);
    theTestApp.m_pszProfileName = _tcsdup(_T("AfxFramesTests"));
    CDockState state;
    state.SaveState(_T("Workspace\\ControlBars"));
    EXPECT_EQ(theTestApp.GetProfileInt(_T("Workspace\\ControlBars-Summary"), _T("Bars"), -1), 0u);
    EXPECT_EQ((int)theTestApp.GetProfileInt(_T("Workspace\\ControlBars-Summary"), _T("ScreenCX"), -1),
              ::GetSystemMetrics(SM_CXSCREEN));
    CDockState loaded;
    loaded.LoadState(_T("Workspace\\ControlBars"));
    EXPECT_EQ(loaded.m_nBarsLoaded, 0);
    EXPECT_EQ(loaded.m_sizeScreen.cx, ::GetSystemMetrics(SM_CXSCREEN));
    // only this program's key goes
    DeleteRegTree("Software\\TomewiseTests\\AfxFramesTests");
    free((void*)theTestApp.m_pszRegistryKey);
    theTestApp.m_pszRegistryKey = NULL;
}

TEST(Frame, ContextHelpModeEndsWithEscape) {
    CFrameWnd* pFrame = MakeFrame();
    ASSERT_NE(pFrame, nullptr);
    CTestBar* pStatus = new CTestBar;
    ASSERT_TRUE(pStatus->CreateBar(pFrame, AFX_IDW_STATUS_BAR, 0, 15));
    pFrame->ShowWindow(SW_SHOWNA);
    EXPECT_TRUE(pFrame->CanEnterHelpMode());
    // the help mode's loop takes the key meant to end it
    pFrame->PostMessage(WM_KEYDOWN, VK_ESCAPE, 0);
    pFrame->OnContextHelp();
    EXPECT_EQ(pFrame->m_bHelpMode, 0);
    EXPECT_NE(::GetCapture(), pFrame->m_hWnd);
    EXPECT_EQ(WindowText(pStatus->m_hWnd), "Ready");
    pFrame->DestroyWindow();
    delete pStatus;
}
