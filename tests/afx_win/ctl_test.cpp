// Controls and the application loop: the check list box, tree and list
// notifications, image lists, tooltips, and AfxWinMain running a frame-less
// main window through Run with idle processing.
#include "test_app.h"
#include <gtest/gtest.h>

namespace {

const UINT IDC_LIST = 200;
const UINT IDC_TREE = 201;
const UINT IDC_REPORT = 202;

class CCtlParent : public CWnd {
public:
    int nCheckChanges = 0, nSelChanged = 0, nListSel = 0;
    HTREEITEM hNewItem = NULL;

protected:
    afx_msg void OnCheckChange() { nCheckChanges++; }
    afx_msg void OnListSel() { nListSel++; }
    afx_msg void OnTreeSelChanged(NMHDR* pNMHDR, LRESULT* pResult) {
        nSelChanged++;
        hNewItem = reinterpret_cast<NMTREEVIEW*>(pNMHDR)->itemNew.hItem;
        *pResult = 0;
    }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CCtlParent, CWnd)
    ON_CLBN_CHKCHANGE(IDC_LIST, OnCheckChange)
    ON_LBN_SELCHANGE(IDC_LIST, OnListSel)
    ON_NOTIFY(TVN_SELCHANGED, IDC_TREE, OnTreeSelChanged)
END_MESSAGE_MAP()

class CtlTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(parent.CreateEx(0, NULL, _T("controls"), WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 400, 300, NULL,
                                    NULL));
    }
    void TearDown() override { parent.DestroyWindow(); }
    CCtlParent parent;
};

TEST_F(CtlTest, CheckListBoxChecksDataAndClicks) {
    CCheckListBox list;
    ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | LBS_NOTIFY | WS_BORDER, CRect(10, 10, 200, 150), &parent, IDC_LIST));
    EXPECT_TRUE(list.GetStyle() & LBS_OWNERDRAWFIXED);
    list.AddString(_T("first"));
    list.AddString(_T("second"));
    list.InsertString(0, _T("zero"));
    list.SetItemData(2, 1234);
    list.SetCheck(2, 1);
    EXPECT_EQ(list.GetCheck(2), 1);
    EXPECT_EQ(list.GetCheck(0), 0);
    EXPECT_EQ(list.GetItemData(2), (DWORD_PTR)1234);  // the caller's data beside the check
    CString str;
    list.GetText(2, str);
    EXPECT_EQ(str, CString(_T("second")));
    list.SetCheck(1, 2);  // no third state for plain check boxes
    EXPECT_EQ(list.GetCheck(1), 1);

    // a click on the box toggles it and tells the parent
    CRect rectBox = list.GetCheckRect(0);
    ASSERT_FALSE(rectBox.IsRectEmpty());
    CPoint pt = rectBox.CenterPoint();
    list.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
    list.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(pt.x, pt.y));
    EXPECT_EQ(list.GetCheck(0), 1);
    EXPECT_EQ(parent.nCheckChanges, 1);
    EXPECT_EQ(list.GetCurSel(), 0);
    EXPECT_EQ(parent.nListSel, 1);
    // space toggles the item with the caret
    list.SendMessage(WM_KEYDOWN, VK_SPACE, 0);
    EXPECT_EQ(list.GetCheck(0), 0);
    EXPECT_EQ(parent.nCheckChanges, 2);
    // a disabled item does not toggle
    list.Enable(0, FALSE);
    list.SendMessage(WM_KEYDOWN, VK_SPACE, 0);
    EXPECT_EQ(list.GetCheck(0), 0);
    list.UpdateWindow();  // draws through reflection without trouble
    list.DeleteString(2);
    list.ResetContent();
    EXPECT_EQ(list.GetCount(), 0);
}

TEST_F(CtlTest, CheckListBoxAttachedToAnExistingListKeepsItsItems) {
    HWND hList = ::CreateWindow(_T("LISTBOX"), NULL, WS_CHILD | WS_VISIBLE | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS,
                                0, 0, 100, 100, parent.m_hWnd, (HMENU)(UINT_PTR)IDC_LIST, NULL, NULL);
    ASSERT_NE(hList, (HWND)NULL);
    ::SendMessage(hList, LB_ADDSTRING, 0, (LPARAM) "a");
    ::SendMessage(hList, LB_ADDSTRING, 0, (LPARAM) "b");
    ::SendMessage(hList, LB_SETITEMDATA, 1, 4321);
    CCheckListBox list;
    ASSERT_TRUE(list.SubclassWindow(hList));
    EXPECT_EQ(list.GetItemData(1), (DWORD_PTR)4321);
    EXPECT_EQ(list.GetCheck(1), 0);
    list.SetCheck(1, 1);
    EXPECT_EQ(list.GetCheck(1), 1);
    EXPECT_EQ(list.GetItemData(1), (DWORD_PTR)4321);
}

TEST_F(CtlTest, TreeAndReportListWrappersAndNotifications) {
    CTreeCtrl tree;
    ASSERT_TRUE(tree.Create(WS_CHILD | WS_VISIBLE | TVS_HASLINES, CRect(0, 0, 150, 150), &parent, IDC_TREE));
    HTREEITEM hRoot = tree.InsertItem(_T("root"));
    HTREEITEM hChild1 = tree.InsertItem(_T("child one"), hRoot);
    HTREEITEM hChild2 = tree.InsertItem(_T("child two"), hRoot);
    tree.SetItemData(hChild2, 99);
    EXPECT_EQ(tree.GetCount(), 3u);
    EXPECT_EQ(tree.GetRootItem(), hRoot);
    EXPECT_EQ(tree.GetChildItem(hRoot), hChild1);
    EXPECT_EQ(tree.GetNextSiblingItem(hChild1), hChild2);
    EXPECT_EQ(tree.GetItemData(hChild2), (DWORD_PTR)99);
    EXPECT_EQ(tree.GetItemText(hChild1), CString(_T("child one")));
    tree.Expand(hRoot, TVE_EXPAND);
    EXPECT_TRUE(tree.SelectItem(hChild2));
    EXPECT_EQ(tree.GetSelectedItem(), hChild2);
    EXPECT_GE(parent.nSelChanged, 1);
    EXPECT_EQ(parent.hNewItem, hChild2);
    EXPECT_TRUE(tree.DeleteAllItems());
    EXPECT_EQ(tree.GetCount(), 0u);

    CListCtrl list;
    ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT, CRect(160, 0, 390, 150), &parent, IDC_REPORT));
    EXPECT_EQ(list.InsertColumn(0, _T("Name"), LVCFMT_LEFT, 100), 0);
    EXPECT_EQ(list.InsertColumn(1, _T("Size"), LVCFMT_RIGHT, 60), 1);
    EXPECT_EQ(list.InsertItem(0, _T("a.htm")), 0);
    EXPECT_EQ(list.InsertItem(1, _T("b.htm")), 1);
    list.SetItemText(1, 1, _T("12"));
    list.SetItemData(1, 7);
    EXPECT_EQ(list.GetItemCount(), 2);
    EXPECT_EQ(list.GetItemText(1, 1), CString(_T("12")));
    EXPECT_EQ(list.GetItemData(1), (DWORD_PTR)7);
    list.SetItemState(1, LVIS_SELECTED, LVIS_SELECTED);
    EXPECT_EQ(list.GetNextItem(-1, LVNI_SELECTED), 1);
    EXPECT_GT(list.GetStringWidth(_T("wide text")), 0);
    CHeaderCtrl* pHeader = list.GetHeaderCtrl();
    ASSERT_NE(pHeader, (CHeaderCtrl*)NULL);
    EXPECT_EQ(pHeader->GetItemCount(), 2);
}

TEST_F(CtlTest, ImageListsAndTooltips) {
    CImageList images;
    ASSERT_TRUE(images.Create(16, 16, ILC_COLOR24 | ILC_MASK, 0, 4));
    CClientDC screen(NULL);
    CBitmap strip;
    ASSERT_TRUE(strip.CreateCompatibleBitmap(&screen, 32, 16));
    EXPECT_EQ(images.Add(&strip, RGB(255, 0, 255)), 0);
    EXPECT_EQ(images.GetImageCount(), 2);
    EXPECT_EQ(CImageList::FromHandle(images.m_hImageList), &images);
    CImageList copy;
    ASSERT_TRUE(copy.Create(&images));
    EXPECT_NE(copy.m_hImageList, images.m_hImageList);
    EXPECT_EQ(copy.GetImageCount(), 2);
    HIMAGELIST hDetached = copy.Detach();
    CImageList* pTemp = CImageList::FromHandle(hDetached);
    EXPECT_EQ(pTemp->m_hImageList, hDetached);
    EXPECT_EQ(CImageList::FromHandlePermanent(hDetached), (CImageList*)NULL);
    CImageList::DeleteTempMap();
    ImageList_Destroy(hDetached);

    CStatic label;
    ASSERT_TRUE(label.Create(_T("tip me"), WS_VISIBLE, CRect(10, 10, 80, 30), &parent, 300));
    CToolTipCtrl tip;
    ASSERT_TRUE(tip.Create(&parent));
    EXPECT_TRUE(tip.AddTool(&label, _T("the label")));
    EXPECT_TRUE(tip.AddTool(&parent, _T("an area"), CRect(100, 100, 150, 150), 5));
    EXPECT_EQ(tip.GetToolCount(), 2);
    tip.UpdateTipText(_T("changed"), &parent, 5);
    TOOLINFO ti;
    char szText[80] = {};
    EXPECT_TRUE(tip.GetToolInfo(ti, &parent, 5));
    ti.lpszText = szText;
    tip.SendMessage(TTM_GETTEXT, 80, (LPARAM)&ti);
    EXPECT_STREQ(szText, "changed");
    tip.DelTool(&label);
    EXPECT_EQ(tip.GetToolCount(), 1);
    tip.DestroyWindow();

    // a window with tooltips feeds the thread's tooltip from its hit test
    parent.EnableToolTips(TRUE);
    MSG msg = {label.m_hWnd, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5)};
    CPoint pt(15, 15);
    parent.ClientToScreen(&pt);
    msg.pt = pt;
    EXPECT_FALSE(parent.PreTranslateMessage(&msg));
    CToolTipCtrl* pThreadTip = AfxGetThreadState()->m_pToolTip;
    ASSERT_NE(pThreadTip, (CToolTipCtrl*)NULL);
    EXPECT_EQ(pThreadTip->GetToolCount(), 1);
    TOOLINFO tiHit;
    EXPECT_TRUE(pThreadTip->GetToolInfo(tiHit, &label));  // the child, by its handle
    // off every child: the tool goes
    pt = CPoint(300, 200);
    parent.ClientToScreen(&pt);
    msg.pt = pt;
    parent.PreTranslateMessage(&msg);
    EXPECT_EQ(pThreadTip->GetToolCount(), 0);
    parent.EnableToolTips(FALSE);
}

// --- the application loop -------------------------------------------------------------

class CMainWindow : public CWnd {
public:
    static int nDeleted;
    ~CMainWindow() override { nDeleted++; }

protected:
    void PostNcDestroy() override { delete this; }
};
int CMainWindow::nDeleted = 0;

class CRunApp : public CWinApp {
public:
    int nIdleUpdates = 0;
    int nFreeTemps = 0;
    BOOL bClosePosted = FALSE;
    BOOL InitInstance() override {
        CMainWindow* pWnd = new CMainWindow;
        if (!pWnd->CreateEx(0, NULL, _T("main"), WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200, 100, NULL, NULL))
            return FALSE;
        m_pMainWnd = pWnd;
        return TRUE;
    }
    BOOL OnIdle(LONG lCount) override {
        if (lCount == 0) nIdleUpdates++;
        if (lCount == 1) nFreeTemps++;
        BOOL bMore = CWinApp::OnIdle(lCount);
        if (!bMore && !bClosePosted && m_pMainWnd != NULL) {
            // idle work done: the user closes the main window
            bClosePosted = TRUE;
            m_pMainWnd->PostMessage(WM_CLOSE);
        }
        return bMore;
    }
    int ExitInstance() override {
        CWinApp::ExitInstance();
        return 7;
    }
};

TEST(AppLoopTest, WinMainRunsIdleAndEndsWhenTheMainWindowCloses) {
    CMainWindow::nDeleted = 0;
    CRunApp app;
    EXPECT_EQ(AfxGetApp(), &app);
    int nCode = AfxWinMain(::GetModuleHandle(NULL), NULL, (LPTSTR) "", SW_SHOW);
    EXPECT_EQ(nCode, 7);  // ExitInstance's code
    EXPECT_EQ(CMainWindow::nDeleted, 1);
    EXPECT_EQ(app.m_pMainWnd, (CWnd*)NULL);
    EXPECT_GE(app.nIdleUpdates, 1);
    EXPECT_GE(app.nFreeTemps, 1);
}

TEST(AppLoopTest, ModalLoopPassesQuitOn) {
    // WM_QUIT inside a modal loop ends it and is posted again for the outer loop
    CWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, NULL, _T("modal"), WS_POPUP, 0, 0, 10, 10, NULL, NULL));
    ::PostQuitMessage(3);
    EXPECT_EQ(wnd.RunModalLoop(MLF_NOIDLEMSG), -1);
    MSG msg;
    EXPECT_TRUE(::PeekMessage(&msg, NULL, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 3u);
    wnd.DestroyWindow();
}

}  // namespace
