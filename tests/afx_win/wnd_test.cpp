// Windows and messages: creation through the hook, handle maps, message-map
// dispatch, reflection, command routing with CCmdUI, the idle update, the
// pre-translate walk, subclassing, self-destroying handlers and the
// exception barrier.
#include "test_app.h"
#include <gtest/gtest.h>
#include <stdexcept>

namespace {

const UINT WM_TEST_PING = WM_APP + 1;
const UINT WM_TEST_THROW = WM_APP + 2;
const UINT WM_TEST_THROW_USER = WM_APP + 3;
const UINT WM_TEST_THROW_FOREIGN = WM_APP + 4;
const UINT WM_TEST_DESTROY_SELF = WM_APP + 5;
UINT g_nRegisteredMsg = ::RegisterWindowMessage(_T("TomewiseAfxTestRegistered"));

const UINT ID_CMD_HANDLED = 0x8100;
const UINT ID_CMD_DISABLED = 0x8101;
const UINT ID_CMD_NONE = 0x8102;
const UINT ID_CMD_RANGE_FIRST = 0x8110;
const UINT ID_CMD_RANGE_LAST = 0x8114;
const UINT ID_CMD_EX = 0x8120;
const UINT ID_CMD_CHECKED = 0x8121;

// A frame-less top-level window that records what it sees.
class CProbeWnd : public CWnd {
public:
    std::vector<UINT> seen;
    int nCommand = 0, nRange = 0, nRangeId = 0, nExCalls = 0, nPaint = 0;
    BOOL bExAnswer = TRUE;
    MSG lastCurrent = {};
    CSize lastSize;
    int nPreTranslateKeys = 0;
    BOOL bEatKeys = FALSE;
    BOOL bThrowOnCreate = FALSE;
    BOOL bThrowOnPaint = FALSE;

    BOOL CreateTop(LPCTSTR lpszTitle = _T("probe")) {
        return CreateEx(0, AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursor(NULL, IDC_ARROW)), lpszTitle,
                        WS_OVERLAPPEDWINDOW, 10, 10, 300, 200, NULL, NULL);
    }
    BOOL PreTranslateMessage(MSG* pMsg) override {
        if (pMsg->message == WM_KEYDOWN) {
            nPreTranslateKeys++;
            return bEatKeys;
        }
        return FALSE;
    }

protected:
    afx_msg BOOL OnNcCreate(LPCREATESTRUCT lpcs) {
        seen.push_back(WM_NCCREATE);
        return CWnd::OnNcCreate(lpcs);
    }
    afx_msg int OnCreate(LPCREATESTRUCT lpcs) {
        seen.push_back(WM_CREATE);
        if (bThrowOnCreate) AfxThrowResourceException();
        return CWnd::OnCreate(lpcs);
    }
    afx_msg void OnSize(UINT, int cx, int cy) { lastSize = CSize(cx, cy); }
    afx_msg void OnPaint() {
        nPaint++;
        if (bThrowOnPaint) AfxThrowNotSupportedException();
        CPaintDC dc(this);
    }
    afx_msg LRESULT OnPing(WPARAM wParam, LPARAM) {
        lastCurrent = *GetCurrentMessage();
        return (LRESULT)wParam * 2;
    }
    afx_msg LRESULT OnRegistered(WPARAM wParam, LPARAM) { return (LRESULT)wParam + 1; }
    afx_msg LRESULT OnThrow(WPARAM, LPARAM) { AfxThrowNotSupportedException(); }
    afx_msg LRESULT OnThrowUser(WPARAM, LPARAM) { AfxThrowUserException(); }
    afx_msg LRESULT OnThrowForeign(WPARAM, LPARAM) { throw std::runtime_error("boom"); }
    afx_msg void OnHandled() { nCommand++; }
    afx_msg void OnDisabledCmd() { nCommand += 100; }
    afx_msg void OnUpdateDisabled(CCmdUI* pCmdUI) { pCmdUI->Enable(FALSE); }
    afx_msg void OnUpdateChecked(CCmdUI* pCmdUI) { pCmdUI->SetCheck(1); }
    afx_msg void OnRange(UINT nID) {
        nRange++;
        nRangeId = (int)nID;
    }
    afx_msg BOOL OnEx(UINT) {
        nExCalls++;
        return bExAnswer;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CProbeWnd, CWnd)
    ON_WM_NCCREATE()
    ON_WM_CREATE()
    ON_WM_SIZE()
    ON_WM_PAINT()
    ON_MESSAGE(WM_TEST_PING, OnPing)
    ON_REGISTERED_MESSAGE(g_nRegisteredMsg, OnRegistered)
    ON_MESSAGE(WM_TEST_THROW, OnThrow)
    ON_MESSAGE(WM_TEST_THROW_USER, OnThrowUser)
    ON_MESSAGE(WM_TEST_THROW_FOREIGN, OnThrowForeign)
    ON_COMMAND(ID_CMD_HANDLED, OnHandled)
    ON_COMMAND(ID_CMD_DISABLED, OnDisabledCmd)
    ON_UPDATE_COMMAND_UI(ID_CMD_DISABLED, OnUpdateDisabled)
    ON_UPDATE_COMMAND_UI(ID_CMD_CHECKED, OnUpdateChecked)
    ON_COMMAND_RANGE(ID_CMD_RANGE_FIRST, ID_CMD_RANGE_LAST, OnRange)
    ON_COMMAND_EX(ID_CMD_EX, OnEx)
END_MESSAGE_MAP()

TEST(WndTest, CreationHookDeliversNcCreateAndMapsHandle) {
    CProbeWnd wnd;
    ASSERT_TRUE(wnd.CreateTop());
    ASSERT_GE(wnd.seen.size(), 2u);
    EXPECT_EQ(wnd.seen[0], (UINT)WM_NCCREATE);
    EXPECT_EQ(wnd.seen[1], (UINT)WM_CREATE);
    EXPECT_FALSE(AfxIsWindowCreationUnderWay());
    EXPECT_EQ(CWnd::FromHandlePermanent(wnd.m_hWnd), &wnd);
    EXPECT_EQ(CWnd::FromHandle(wnd.m_hWnd), &wnd);
    EXPECT_EQ((WNDPROC)::GetWindowLongPtr(wnd.m_hWnd, GWLP_WNDPROC), AfxGetAfxWndProc());

    wnd.MoveWindow(0, 0, 400, 300);
    CRect rc;
    wnd.GetClientRect(&rc);
    EXPECT_EQ(wnd.lastSize, rc.Size());

    HWND hWnd = wnd.m_hWnd;
    EXPECT_TRUE(wnd.DestroyWindow());
    EXPECT_EQ(wnd.m_hWnd, (HWND)NULL);
    EXPECT_EQ(CWnd::FromHandlePermanent(hWnd), (CWnd*)NULL);
}

TEST(WndTest, TemporaryObjectsForForeignWindowsAreFreedAtIdle) {
    HWND hForeign = ::CreateWindow(_T("STATIC"), _T("x"), WS_POPUP, 0, 0, 10, 10, NULL, NULL, NULL, NULL);
    ASSERT_NE(hForeign, (HWND)NULL);
    EXPECT_EQ(CWnd::FromHandlePermanent(hForeign), (CWnd*)NULL);
    CWnd* pTemp = CWnd::FromHandle(hForeign);
    ASSERT_NE(pTemp, (CWnd*)NULL);
    EXPECT_EQ(pTemp->m_hWnd, hForeign);
    EXPECT_EQ(CWnd::FromHandle(hForeign), pTemp);  // the same while not idle
    EXPECT_EQ(CWnd::FromHandle(NULL), (CWnd*)NULL);
    CWnd* volatile pNull = NULL;
    EXPECT_EQ(pNull->GetSafeHwnd(), (HWND)NULL);

    // attaching a window replaces its temporary object
    CWnd wnd;
    EXPECT_TRUE(wnd.Attach(hForeign));
    EXPECT_EQ(CWnd::FromHandle(hForeign), &wnd);
    CWnd other;
    EXPECT_FALSE(other.Attach(hForeign));  // one permanent object per window
    EXPECT_EQ(wnd.Detach(), hForeign);

    CWnd::FromHandle(hForeign);
    EXPECT_FALSE(theTestApp.OnIdle(1));  // frees the temporary objects; no more idle work
    CWnd* pAgain = CWnd::FromHandle(hForeign);
    EXPECT_EQ(pAgain->m_hWnd, hForeign);
    ::DestroyWindow(hForeign);
    CWnd::DeleteTempMap();
}

TEST(WndTest, MessageMapDispatchAndCurrentMessage) {
    CProbeWnd wnd;
    ASSERT_TRUE(wnd.CreateTop());
    EXPECT_EQ(wnd.SendMessage(WM_TEST_PING, 21, 5), 42);
    EXPECT_EQ(wnd.lastCurrent.message, WM_TEST_PING);
    EXPECT_EQ(wnd.lastCurrent.hwnd, wnd.m_hWnd);
    EXPECT_EQ(wnd.lastCurrent.lParam, 5);
    EXPECT_EQ(wnd.SendMessage(g_nRegisteredMsg, 9), 10);
    // unmapped messages go to the window's own procedure
    wnd.SetWindowText(_T("title"));
    CString str;
    wnd.GetWindowText(str);
    EXPECT_EQ(str, CString(_T("title")));
    wnd.DestroyWindow();
}

TEST(WndTest, CommandRoutingRangesAndDisabledMenuCommands) {
    CProbeWnd wnd;
    ASSERT_TRUE(wnd.CreateTop());
    wnd.SendMessage(WM_COMMAND, ID_CMD_HANDLED);
    EXPECT_EQ(wnd.nCommand, 1);
    // a menu/accelerator command that its update handler disables is dropped
    wnd.SendMessage(WM_COMMAND, ID_CMD_DISABLED);
    EXPECT_EQ(wnd.nCommand, 1);
    wnd.SendMessage(WM_COMMAND, ID_CMD_RANGE_FIRST + 3);
    EXPECT_EQ(wnd.nRange, 1);
    EXPECT_EQ(wnd.nRangeId, (int)ID_CMD_RANGE_FIRST + 3);
    wnd.SendMessage(WM_COMMAND, ID_CMD_RANGE_LAST + 1);
    EXPECT_EQ(wnd.nRange, 1);

    // OnCmdMsg with handler info only reports
    AFX_CMDHANDLERINFO info = {NULL, NULL};
    EXPECT_TRUE(wnd.OnCmdMsg(ID_CMD_HANDLED, CN_COMMAND, NULL, &info));
    EXPECT_EQ(info.pTarget, &wnd);
    EXPECT_EQ(wnd.nCommand, 1);
    EXPECT_FALSE(wnd.OnCmdMsg(ID_CMD_NONE, CN_COMMAND, NULL, NULL));

    // ON_COMMAND_EX: its answer says whether routing stops
    wnd.bExAnswer = FALSE;
    EXPECT_FALSE(wnd.OnCmdMsg(ID_CMD_EX, CN_COMMAND, NULL, NULL));
    wnd.bExAnswer = TRUE;
    EXPECT_TRUE(wnd.OnCmdMsg(ID_CMD_EX, CN_COMMAND, NULL, NULL));
    EXPECT_EQ(wnd.nExCalls, 2);
    wnd.DestroyWindow();
}

// A CCmdUI that records what it was told.
class CRecordingCmdUI : public CCmdUI {
public:
    int nEnable = -1, nCheck = -1;
    void Enable(BOOL bOn) override {
        nEnable = bOn;
        m_bEnableChanged = TRUE;
    }
    void SetCheck(int n) override { nCheck = n; }
};

TEST(WndTest, CmdUIDoUpdate) {
    CProbeWnd wnd;  // a command target; no window needed
    struct Case {
        UINT nID;
        BOOL bDisableIfNoHandler;
        int nEnable;
        int nCheck;
    } cases[] = {
        {ID_CMD_HANDLED, TRUE, 1, -1},    // a command handler enables
        {ID_CMD_NONE, TRUE, 0, -1},       // no handler at all disables
        {ID_CMD_NONE, FALSE, -1, -1},     // ...unless asked not to
        {ID_CMD_DISABLED, TRUE, 0, -1},   // the update handler decides
        {ID_CMD_CHECKED, FALSE, -1, 1},   // update handlers set checks
        {ID_CMD_RANGE_FIRST + 1, TRUE, 1, -1},
    };
    for (const Case& c : cases) {
        CRecordingCmdUI ui;
        ui.m_nID = c.nID;
        ui.DoUpdate(&wnd, c.bDisableIfNoHandler);
        EXPECT_EQ(ui.nEnable, c.nEnable) << std::hex << c.nID;
        EXPECT_EQ(ui.nCheck, c.nCheck) << std::hex << c.nID;
    }
}

TEST(WndTest, UpdateDialogControlsEnablesByHandlers) {
    CProbeWnd wnd;
    ASSERT_TRUE(wnd.CreateTop());
    CRect rc(0, 0, 80, 20);
    CButton btnHandled, btnNone, btnCheckBox, btnChecked;
    ASSERT_TRUE(btnHandled.Create(_T("a"), WS_VISIBLE | BS_PUSHBUTTON, rc, &wnd, ID_CMD_HANDLED));
    ASSERT_TRUE(btnNone.Create(_T("b"), WS_VISIBLE | BS_PUSHBUTTON, rc, &wnd, ID_CMD_NONE));
    ASSERT_TRUE(btnCheckBox.Create(_T("c"), WS_VISIBLE | BS_AUTOCHECKBOX, rc, &wnd, ID_CMD_RANGE_LAST + 5));
    ASSERT_TRUE(btnChecked.Create(_T("d"), WS_VISIBLE | BS_CHECKBOX, rc, &wnd, ID_CMD_CHECKED));
    wnd.UpdateDialogControls(&wnd, TRUE);
    EXPECT_TRUE(btnHandled.IsWindowEnabled());
    EXPECT_FALSE(btnNone.IsWindowEnabled());
    EXPECT_TRUE(btnCheckBox.IsWindowEnabled());  // auto check boxes keep their state
    EXPECT_EQ(btnChecked.GetCheck(), 1);
    wnd.DestroyWindow();
}

// Counts WM_IDLEUPDATECMDUI.
class CIdleCounter : public CWnd {
public:
    int nIdle = 0;

protected:
    afx_msg LRESULT OnIdleUpdate(WPARAM, LPARAM) {
        nIdle++;
        return 0;
    }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CIdleCounter, CWnd)
    ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdate)
END_MESSAGE_MAP()

TEST(WndTest, IdleUpdateReachesMainWindowAndPermanentDescendants) {
    CIdleCounter main, child, grandChild;
    ASSERT_TRUE(main.CreateEx(0, NULL, _T("main"), WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200, 200, NULL, NULL));
    ASSERT_TRUE(child.Create(NULL, NULL, WS_VISIBLE, CRect(0, 0, 50, 50), &main, 1));
    ASSERT_TRUE(grandChild.Create(NULL, NULL, WS_VISIBLE, CRect(0, 0, 20, 20), &child, 2));
    theTestApp.m_pMainWnd = &main;
    EXPECT_TRUE(theTestApp.OnIdle(0));  // more idle work follows
    EXPECT_EQ(main.nIdle, 1);
    EXPECT_EQ(child.nIdle, 1);
    EXPECT_EQ(grandChild.nIdle, 1);
    // an invisible main window gets nothing
    main.ShowWindow(SW_HIDE);
    theTestApp.OnIdle(0);
    EXPECT_EQ(main.nIdle, 1);
    theTestApp.m_pMainWnd = NULL;
    main.DestroyWindow();
}

// Reflection: the control handles its own notifications.
class CReflectButton : public CButton {
public:
    int nReflected = 0;
    int nDrawn = 0;
    CBrush brush;
    CReflectButton() { brush.CreateSolidBrush(RGB(1, 2, 3)); }
    void DrawItem(LPDRAWITEMSTRUCT) override { nDrawn++; }

protected:
    afx_msg void OnClickedReflect() { nReflected++; }
    afx_msg void OnNotifyReflect(NMHDR*, LRESULT* pResult) {
        nReflected += 10;
        *pResult = 77;
    }
    afx_msg HBRUSH CtlColor(CDC*, UINT) { return brush; }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CReflectButton, CButton)
    ON_CONTROL_REFLECT(BN_CLICKED, OnClickedReflect)
    ON_NOTIFY_REFLECT(NM_CLICK, OnNotifyReflect)
    ON_WM_CTLCOLOR_REFLECT()
END_MESSAGE_MAP()

class CParentWnd : public CWnd {
public:
    int nClicked = 0, nNotified = 0, nCtlColor = 0;
    UINT nLastClickedId = 0;

protected:
    afx_msg void OnClicked2() {
        nClicked++;
        nLastClickedId = 2;
    }
    afx_msg void OnClicked1() {
        nClicked++;
        nLastClickedId = 1;
    }
    afx_msg void OnNotify2(NMHDR* pNMHDR, LRESULT* pResult) {
        nNotified++;
        *pResult = (LRESULT)pNMHDR->idFrom;
    }
    afx_msg HBRUSH OnCtlColor(CDC*, CWnd*, UINT) {
        nCtlColor++;
        return (HBRUSH)::GetStockObject(WHITE_BRUSH);
    }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CParentWnd, CWnd)
    ON_BN_CLICKED(1, OnClicked1)
    ON_BN_CLICKED(2, OnClicked2)
    ON_NOTIFY(NM_CLICK, 2, OnNotify2)
    ON_WM_CTLCOLOR()
END_MESSAGE_MAP()

TEST(WndTest, ReflectionOffersNotificationsToTheChildFirst) {
    CParentWnd parent;
    ASSERT_TRUE(parent.CreateEx(0, NULL, _T("parent"), WS_OVERLAPPEDWINDOW, 0, 0, 300, 200, NULL, NULL));
    CReflectButton reflecting;
    CButton plain;
    ASSERT_TRUE(reflecting.Create(_T("r"), WS_VISIBLE | BS_OWNERDRAW, CRect(0, 0, 50, 20), &parent, 1));
    ASSERT_TRUE(plain.Create(_T("p"), WS_VISIBLE | BS_PUSHBUTTON, CRect(0, 30, 50, 50), &parent, 2));

    reflecting.SendMessage(BM_CLICK);
    EXPECT_EQ(reflecting.nReflected, 1);
    EXPECT_EQ(parent.nClicked, 0);  // the child handled it
    plain.SendMessage(BM_CLICK);
    EXPECT_EQ(parent.nClicked, 1);
    EXPECT_EQ(parent.nLastClickedId, 2u);

    NMHDR nm = {reflecting.m_hWnd, 1, (UINT)NM_CLICK};
    EXPECT_EQ(parent.SendMessage(WM_NOTIFY, 1, (LPARAM)&nm), 77);
    EXPECT_EQ(reflecting.nReflected, 11);
    NMHDR nm2 = {plain.m_hWnd, 2, (UINT)NM_CLICK};
    EXPECT_EQ(parent.SendMessage(WM_NOTIFY, 2, (LPARAM)&nm2), 2);
    EXPECT_EQ(parent.nNotified, 1);

    // colours: the reflecting child answers for itself, the parent for the other
    CClientDC dc(&parent);
    EXPECT_EQ((HBRUSH)parent.SendMessage(WM_CTLCOLORBTN, (WPARAM)dc.m_hDC, (LPARAM)reflecting.m_hWnd),
              (HBRUSH)reflecting.brush);
    EXPECT_EQ((HBRUSH)parent.SendMessage(WM_CTLCOLORBTN, (WPARAM)dc.m_hDC, (LPARAM)plain.m_hWnd),
              (HBRUSH)::GetStockObject(WHITE_BRUSH));

    // owner draw reaches the button's DrawItem
    parent.ShowWindow(SW_SHOWNA);
    reflecting.Invalidate();
    reflecting.UpdateWindow();
    EXPECT_GE(reflecting.nDrawn, 1);
    parent.DestroyWindow();
}

// Scroll and owner-draw measuring reflected to the control.
class CReflectSlider : public CSliderCtrl {
public:
    int nScroll = 0;
    UINT nLastCode = 0;

protected:
    afx_msg void HScroll(UINT nSBCode, UINT) {
        nScroll++;
        nLastCode = nSBCode;
    }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CReflectSlider, CSliderCtrl)
    ON_WM_HSCROLL_REFLECT()
END_MESSAGE_MAP()

class CMeasuredList : public CListBox {
public:
    int nMeasured = 0;
    void MeasureItem(LPMEASUREITEMSTRUCT lpMIS) override {
        nMeasured++;
        lpMIS->itemHeight = 21;
    }
    void DrawItem(LPDRAWITEMSTRUCT) override {}
};

class CScrollParent : public CWnd {
public:
    int nParentScroll = 0;

protected:
    afx_msg void OnHScroll(UINT, UINT, CScrollBar*) { nParentScroll++; }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CScrollParent, CWnd)
    ON_WM_HSCROLL()
END_MESSAGE_MAP()

TEST(WndTest, ScrollAndMeasureItemReflection) {
    CScrollParent parent;
    ASSERT_TRUE(parent.CreateEx(0, NULL, _T("p"), WS_OVERLAPPEDWINDOW, 0, 0, 300, 200, NULL, NULL));
    CReflectSlider slider;
    ASSERT_TRUE(slider.Create(WS_CHILD | WS_VISIBLE | TBS_HORZ, CRect(0, 0, 150, 30), &parent, 10));
    parent.SendMessage(WM_HSCROLL, MAKEWPARAM(TB_LINEDOWN, 0), (LPARAM)slider.m_hWnd);
    EXPECT_EQ(slider.nScroll, 1);
    EXPECT_EQ(slider.nLastCode, (UINT)TB_LINEDOWN);
    EXPECT_EQ(parent.nParentScroll, 0);  // the control took it
    parent.SendMessage(WM_HSCROLL, MAKEWPARAM(SB_LINEDOWN, 0), 0);  // the window's own bar
    EXPECT_EQ(parent.nParentScroll, 1);

    // WM_MEASUREITEM arrives while the list is being created
    CMeasuredList list;
    ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | LBS_OWNERDRAWVARIABLE, CRect(0, 40, 150, 150), &parent, 11));
    list.AddString(_T("x"));
    EXPECT_GE(list.nMeasured, 1);
    EXPECT_EQ(list.GetItemHeight(0), 21);
    parent.DestroyWindow();
}

TEST(WndTest, SubclassAndUnsubclassForeignWindow) {
    HWND hButton = ::CreateWindow(_T("BUTTON"), _T("b"), WS_POPUP, 0, 0, 50, 20, NULL, NULL, NULL, NULL);
    ASSERT_NE(hButton, (HWND)NULL);
    WNDPROC pfnOriginal = (WNDPROC)::GetWindowLongPtr(hButton, GWLP_WNDPROC);
    CProbeWnd wnd;
    ASSERT_TRUE(wnd.SubclassWindow(hButton));
    EXPECT_EQ(wnd.SendMessage(WM_TEST_PING, 4), 8);
    // the control's own behaviour goes on underneath
    wnd.SendMessage(BM_SETCHECK, BST_CHECKED);
    EXPECT_EQ(wnd.UnsubclassWindow(), hButton);
    EXPECT_EQ((WNDPROC)::GetWindowLongPtr(hButton, GWLP_WNDPROC), pfnOriginal);
    EXPECT_EQ(CWnd::FromHandlePermanent(hButton), (CWnd*)NULL);
    EXPECT_EQ(::SendMessage(hButton, WM_TEST_PING, 4, 0), 0);
    ::DestroyWindow(hButton);
}

TEST(WndTest, SendMessageToDescendantsPermanentOnly) {
    CIdleCounter parent, child;
    ASSERT_TRUE(parent.CreateEx(0, NULL, _T("p"), WS_POPUP, 0, 0, 100, 100, NULL, NULL));
    ASSERT_TRUE(child.Create(NULL, NULL, 0, CRect(0, 0, 10, 10), &parent, 1));
    HWND hForeign = ::CreateWindow(_T("STATIC"), _T(""), WS_CHILD, 0, 0, 5, 5, parent.m_hWnd, NULL, NULL, NULL);
    ASSERT_NE(hForeign, (HWND)NULL);
    parent.SendMessageToDescendants(WM_IDLEUPDATECMDUI, TRUE, 0, TRUE, TRUE);
    EXPECT_EQ(child.nIdle, 1);
    EXPECT_EQ(parent.nIdle, 0);
    parent.DestroyWindow();
}

TEST(WndTest, PreTranslateWalkFromTargetUpwards) {
    CProbeWnd parent;
    ASSERT_TRUE(parent.CreateTop());
    CProbeWnd child;
    ASSERT_TRUE(child.Create(NULL, NULL, WS_VISIBLE, CRect(0, 0, 10, 10), &parent, 1));
    MSG msg = {child.m_hWnd, WM_KEYDOWN, 'A', 0};
    parent.bEatKeys = TRUE;
    EXPECT_TRUE(CWnd::WalkPreTranslateTree(parent.m_hWnd, &msg));
    EXPECT_EQ(child.nPreTranslateKeys, 1);
    EXPECT_EQ(parent.nPreTranslateKeys, 1);
    // the walk stops at hWndStop
    parent.bEatKeys = TRUE;
    EXPECT_FALSE(CWnd::WalkPreTranslateTree(child.m_hWnd, &msg));
    EXPECT_EQ(parent.nPreTranslateKeys, 1);
    parent.DestroyWindow();
}

TEST(WndTest, ToolHitTestFindsChildUnderPoint) {
    CProbeWnd parent;
    ASSERT_TRUE(parent.CreateTop());
    CStatic label;
    ASSERT_TRUE(label.Create(_T("x"), WS_VISIBLE, CRect(20, 20, 60, 40), &parent, 55));
    TOOLINFO ti = {};
    ti.cbSize = sizeof(ti);
    EXPECT_EQ(parent.OnToolHitTest(CPoint(30, 30), &ti), 55);
    EXPECT_EQ(ti.hwnd, parent.m_hWnd);
    EXPECT_EQ(ti.uId, (UINT_PTR)label.m_hWnd);
    EXPECT_TRUE(ti.uFlags & TTF_IDISHWND);
    EXPECT_EQ(ti.lpszText, LPSTR_TEXTCALLBACK);
    EXPECT_EQ(parent.OnToolHitTest(CPoint(5, 5), NULL), -1);
    parent.DestroyWindow();
}

// A heap window that deletes itself after WM_NCDESTROY.
class CSelfDeleting : public CWnd {
public:
    static int nDeleted;
    BOOL bAnswerFromEx = FALSE;
    ~CSelfDeleting() override { nDeleted++; }

protected:
    void PostNcDestroy() override { delete this; }
    afx_msg LRESULT OnDestroySelf(WPARAM, LPARAM) {
        DestroyWindow();
        return 5;
    }
    afx_msg BOOL OnCloseCmd(UINT) {
        DestroyWindow();
        return bAnswerFromEx;  // FALSE: the dispatcher goes on with routing
    }
    DECLARE_MESSAGE_MAP()
};
int CSelfDeleting::nDeleted = 0;
BEGIN_MESSAGE_MAP(CSelfDeleting, CWnd)
    ON_MESSAGE(WM_TEST_DESTROY_SELF, OnDestroySelf)
    ON_COMMAND_EX(ID_CMD_EX, OnCloseCmd)
END_MESSAGE_MAP()

TEST(WndTest, WindowDestroyedInsideItsOwnHandler) {
    CSelfDeleting::nDeleted = 0;
    CSelfDeleting* p = new CSelfDeleting;
    ASSERT_TRUE(p->CreateEx(0, NULL, _T("self"), WS_POPUP, 0, 0, 50, 50, NULL, NULL));
    HWND hWnd = p->m_hWnd;
    EXPECT_EQ(::SendMessage(hWnd, WM_TEST_DESTROY_SELF, 0, 0), 5);
    EXPECT_EQ(CSelfDeleting::nDeleted, 1);
    EXPECT_FALSE(::IsWindow(hWnd));
    EXPECT_EQ(CWnd::FromHandlePermanent(hWnd), (CWnd*)NULL);

    // a handler that destroys the window and then lets routing continue
    p = new CSelfDeleting;
    ASSERT_TRUE(p->CreateEx(0, NULL, _T("self"), WS_POPUP, 0, 0, 50, 50, NULL, NULL));
    hWnd = p->m_hWnd;
    ::SendMessage(hWnd, WM_COMMAND, ID_CMD_EX, 0);
    EXPECT_EQ(CSelfDeleting::nDeleted, 2);
    EXPECT_FALSE(::IsWindow(hWnd));

    // a self-deleting object whose creation fails is deleted as well
    p = new CSelfDeleting;
    EXPECT_FALSE(p->CreateEx(0, _T("NoSuchClassHere"), NULL, WS_POPUP, 0, 0, 1, 1, NULL, NULL));
    EXPECT_EQ(CSelfDeleting::nDeleted, 3);
}

TEST(WndTest, ExceptionBarrier) {
    MessageBoxRecorder rec;
    CProbeWnd wnd;
    ASSERT_TRUE(wnd.CreateTop());

    // any other message: reported, freed, answered 0
    EXPECT_EQ(wnd.SendMessage(WM_TEST_THROW), 0);
    ASSERT_EQ(rec.texts.size(), 1u);
    // a CUserException was shown already: no second report
    EXPECT_EQ(wnd.SendMessage(WM_TEST_THROW_USER), 0);
    EXPECT_EQ(rec.texts.size(), 1u);
    // exceptions that are not ours are stopped as well
    EXPECT_EQ(wnd.SendMessage(WM_TEST_THROW_FOREIGN), 0);
    ASSERT_EQ(rec.texts.size(), 2u);
    EXPECT_EQ(rec.texts[1], "An unexpected error occurred.");
    // the dispatcher is intact afterwards
    EXPECT_EQ(wnd.SendMessage(WM_TEST_PING, 3), 6);

    // WM_PAINT: the window is validated, so painting does not repeat
    wnd.bThrowOnPaint = TRUE;
    wnd.ShowWindow(SW_SHOWNA);
    wnd.Invalidate();
    wnd.UpdateWindow();
    EXPECT_EQ(wnd.nPaint, 1);
    EXPECT_FALSE(::GetUpdateRect(wnd.m_hWnd, NULL, FALSE));
    wnd.DestroyWindow();

    // WM_CREATE: creation fails
    CProbeWnd failing;
    failing.bThrowOnCreate = TRUE;
    size_t nBefore = rec.texts.size();
    EXPECT_FALSE(failing.CreateTop());
    EXPECT_EQ(failing.m_hWnd, (HWND)NULL);
    EXPECT_EQ(rec.texts.size(), nBefore + 1);
}

void CALLBACK ThrowingTimerProc(HWND hWnd, UINT, UINT_PTR nID, DWORD) {
    ::KillTimer(hWnd, nID);
    AfxThrowNotSupportedException();
}

TEST(WndTest, TimerProcedureRunsInsideTheBarrier) {
    MessageBoxRecorder rec;
    CProbeWnd wnd;
    ASSERT_TRUE(wnd.CreateTop());
    ASSERT_NE(wnd.SetTimer(7, 1, &ThrowingTimerProc), 0u);
    EXPECT_TRUE(PumpUntil([&] { return rec.texts.size() == 1; }));
    wnd.DestroyWindow();
}

TEST(WndTest, GdiObjectsSelectedAndRestored) {
    CClientDC screen(NULL);
    CDC dc;
    ASSERT_TRUE(dc.CreateCompatibleDC(&screen));
    CBitmap bitmap;
    ASSERT_TRUE(bitmap.CreateCompatibleBitmap(&screen, 16, 16));
    CFont font;
    ASSERT_TRUE(font.CreatePointFont(90, _T("Arial")));
    CPen pen(PS_SOLID, 1, RGB(255, 0, 0));
    HGDIOBJ hOrigFont = ::GetCurrentObject(dc, OBJ_FONT);
    HGDIOBJ hOrigPen = ::GetCurrentObject(dc, OBJ_PEN);
    HGDIOBJ hOrigBitmap = ::GetCurrentObject(dc, OBJ_BITMAP);
    {
        CSelectObject selFont(&dc, &font);
        CSelectObject selBitmap(&dc, &bitmap);
        EXPECT_EQ(::GetCurrentObject(dc, OBJ_FONT), font.m_hObject);
        CPen* pOld = dc.SelectObject(&pen);
        ASSERT_NE(pOld, (CPen*)NULL);
        EXPECT_EQ(pOld->m_hObject, hOrigPen);  // a temporary wrapper of the old pen
        dc.MoveTo(0, 0);
        dc.LineTo(10, 10);
        dc.SelectObject(pOld);
        dc.FillSolidRect(CRect(0, 0, 4, 4), RGB(0, 0, 255));
        EXPECT_EQ(dc.GetPixel(1, 1), RGB(0, 0, 255));
    }
    EXPECT_EQ(::GetCurrentObject(dc, OBJ_FONT), hOrigFont);
    EXPECT_EQ(::GetCurrentObject(dc, OBJ_BITMAP), hOrigBitmap);
    EXPECT_EQ(::GetCurrentObject(dc, OBJ_PEN), hOrigPen);
    // the permanent wrapper answers FromHandle
    EXPECT_EQ(CGdiObject::FromHandle(font.m_hObject), &font);
    EXPECT_EQ(CFont::FromHandle((HFONT)font.m_hObject), &font);
    LOGFONT lf;
    EXPECT_GT(font.GetLogFont(&lf), 0);
    EXPECT_LT(lf.lfHeight, 0);

    // the drag outline drawn twice leaves no trace
    CBitmap bmp2;
    ASSERT_TRUE(bmp2.CreateCompatibleBitmap(&screen, 40, 40));
    CSelectObject sel(&dc, &bmp2);
    dc.FillSolidRect(CRect(0, 0, 40, 40), RGB(255, 255, 255));
    CRect rect(5, 5, 30, 30);
    dc.DrawDragRect(rect, CSize(3, 3), NULL, CSize(0, 0));
    bool bChanged = false;
    for (int i = 5; i < 30 && !bChanged; i++) bChanged = dc.GetPixel(i, 5) != RGB(255, 255, 255);
    EXPECT_TRUE(bChanged);
    dc.DrawDragRect(rect, CSize(3, 3), NULL, CSize(0, 0));
    for (int i = 5; i < 30; i++) EXPECT_EQ(dc.GetPixel(i, 5), RGB(255, 255, 255));
    CDC::DeleteTempMap();
    CGdiObject::DeleteTempMap();
}

TEST(WndTest, MenuWrapperAndCmdUIOnMenus) {
    CMenu menu;
    ASSERT_TRUE(menu.CreatePopupMenu());
    menu.AppendMenu(MF_STRING, ID_CMD_HANDLED, _T("&Handled"));
    menu.AppendMenu(MF_STRING, ID_CMD_NONE, _T("&None"));
    EXPECT_EQ(menu.GetMenuItemCount(), 2u);
    EXPECT_EQ(CMenu::FromHandle(menu.m_hMenu), &menu);
    CProbeWnd target;
    for (UINT i = 0; i < menu.GetMenuItemCount(); i++) {
        CCmdUI state;
        state.m_pMenu = &menu;
        state.m_nIndex = i;
        state.m_nIndexMax = menu.GetMenuItemCount();
        state.m_nID = menu.GetMenuItemID(i);
        state.DoUpdate(&target, TRUE);
    }
    EXPECT_FALSE(menu.GetMenuState(ID_CMD_HANDLED, MF_BYCOMMAND) & MF_GRAYED);
    EXPECT_TRUE(menu.GetMenuState(ID_CMD_NONE, MF_BYCOMMAND) & MF_GRAYED);
    CString str;
    menu.GetMenuString(ID_CMD_NONE, str, MF_BYCOMMAND);
    EXPECT_EQ(str, CString(_T("&None")));
}

}  // namespace
