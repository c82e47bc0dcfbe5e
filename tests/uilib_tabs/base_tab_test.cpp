// The tab records, their order, the active tab and its notices, renaming,
// dragging along the strip and the saved layout.
#include "tab_fixture.h"

TEST_F(TabFixture, AVetoingParentKeepsTheOldTabAndTheCallerHearsIt) {
    Make(CSPTabWnd::STYLE_3D);
    AddTabs(3);
    ASSERT_EQ(0, tabs.GetActiveTab());
    host.notices.clear();
    host.lChangingAnswer = 1;
    EXPECT_FALSE(tabs.SetActiveTab(2));
    EXPECT_EQ(0, tabs.GetActiveTab());
    EXPECT_TRUE(Shown(0));
    EXPECT_FALSE(Shown(2));
    EXPECT_EQ(1, host.Count(SP_WM_CHANGING_ACTIVE_TAB));
    EXPECT_EQ(0, host.Count(SP_WM_CHANGE_ACTIVE_TAB));

    // The keyboard neither moves the focus to the hidden window nor
    // announces a change that did not happen.
    tabs.GetTabWnd(0)->SetFocus();
    MSG msg = {tabs.GetSafeHwnd(), WM_KEYDOWN, VK_NEXT, 0};
    {
        BYTE keys[256];
        ::GetKeyboardState(keys);
        keys[VK_CONTROL] = 0x80;
        ::SetKeyboardState(keys);
        EXPECT_TRUE(tabs.PreTranslateMessage(&msg));
        keys[VK_CONTROL] = 0;
        ::SetKeyboardState(keys);
    }
    EXPECT_EQ(0, tabs.GetActiveTab());
    EXPECT_EQ(0, host.Count(SP_WM_CHANGE_ACTIVE_TAB));
    EXPECT_NE(tabs.GetTabWnd(1)->GetSafeHwnd(), ::GetFocus());

    // Removing the active tab while the parent vetoes leaves no tab active,
    // and says nothing changed to the parent.
    EXPECT_TRUE(tabs.RemoveTab(0));
    EXPECT_EQ(2, tabs.GetTabsNum());
    EXPECT_EQ(0, host.Count(SP_WM_CHANGE_ACTIVE_TAB));
    host.lChangingAnswer = 0;
    EXPECT_TRUE(tabs.SetActiveTab(1));
    ASSERT_EQ(1, host.Count(SP_WM_CHANGE_ACTIVE_TAB));
    EXPECT_EQ(1u, host.notices.back().wParam);
    EXPECT_EQ((LPARAM)&tabs, host.notices.back().lParam);
    // From one active tab to another the focus follows.
    EXPECT_TRUE(tabs.SetActiveTab(0));
    EXPECT_EQ(tabs.GetTabWnd(0)->GetSafeHwnd(), ::GetFocus());
}

TEST_F(TabFixture, InsertingAtTheActiveIndexShowsTheNewWindowUnderTheSameNumber) {
    Make(CSPTabWnd::STYLE_3D);
    AddTabs(3);
    ASSERT_TRUE(tabs.SetActiveTab(1));
    CWnd* pOld = tabs.GetTabWnd(1);
    CWnd* pNew = NewWindow(200);
    tabs.InsertTab(pNew, _T("New"), 1);
    EXPECT_EQ(4, tabs.GetTabsNum());
    EXPECT_EQ(1, tabs.GetActiveTab());
    EXPECT_EQ(pNew, tabs.GetTabWnd(1));
    EXPECT_EQ(pOld, tabs.GetTabWnd(2));
    EXPECT_TRUE(Shown(1));
    EXPECT_FALSE(Shown(2));

    // Before the active tab: the same window stays active, one further on.
    tabs.InsertTab(NewWindow(201), _T("First"), 0);
    EXPECT_EQ(2, tabs.GetActiveTab());
    EXPECT_EQ(pNew, tabs.GetActiveWnd());
    EXPECT_FALSE(Shown(0));

    // A window with control id -1 is refused.
    CWnd* pBad = NewWindow((UINT)-1);
    tabs.AddTab(pBad, _T("Bad"));
    EXPECT_EQ(5, tabs.GetTabsNum());
}

TEST_F(TabFixture, RemovingTabs) {
    Make(CSPTabWnd::STYLE_3D);
    AddTabs(1);
    EXPECT_EQ(2u, tabs.GetToolCounter());
    EXPECT_FALSE(tabs.RemoveTab(1));
    EXPECT_TRUE(tabs.RemoveTab(0));
    EXPECT_EQ(0, tabs.GetTabsNum());
    EXPECT_EQ(-1, tabs.GetActiveTab());
    EXPECT_EQ(1u, tabs.GetToolCounter());
    EXPECT_EQ(NULL, tabs.GetActiveWnd());

    // The active tab removed: the first visible tab at its place, else the
    // nearest before it.
    AddTabs(4);
    tabs.ShowTab(2, FALSE);
    ASSERT_TRUE(tabs.SetActiveTab(1));
    host.notices.clear();
    EXPECT_TRUE(tabs.RemoveTab(1));
    EXPECT_EQ(2, tabs.GetActiveTab());  // the former fourth tab
    // The activation's own notice, then the removal's (lParam 0).
    ASSERT_EQ(2, host.Count(SP_WM_CHANGE_ACTIVE_TAB));
    EXPECT_EQ(2u, host.notices.back().wParam);
    EXPECT_EQ(0, host.notices.back().lParam);
    EXPECT_TRUE(tabs.RemoveTab(2));
    EXPECT_EQ(0, tabs.GetActiveTab());

    // A tab before the active one goes: the same window stays active.
    AddTabs(2);
    ASSERT_TRUE(tabs.SetActiveTab(2));
    CWnd* pActive = tabs.GetActiveWnd();
    EXPECT_TRUE(tabs.RemoveTab(0));
    EXPECT_EQ(1, tabs.GetActiveTab());
    EXPECT_EQ(pActive, tabs.GetActiveWnd());
    EXPECT_TRUE(Shown(1));

    tabs.m_bActivateLastOnRemove = TRUE;
    AddTabs(2);
    ASSERT_TRUE(tabs.SetActiveTab(0));
    EXPECT_TRUE(tabs.RemoveTab(0));
    EXPECT_EQ(tabs.GetTabsNum() - 1, tabs.GetActiveTab());
}

TEST_F(TabFixture, HidingTheActiveTabActivatesANeighbour) {
    Make(CSPTabWnd::STYLE_3D);
    AddTabs(3);
    ASSERT_TRUE(tabs.SetActiveTab(1));
    EXPECT_TRUE(tabs.ShowTab(1, FALSE));
    EXPECT_EQ(0, tabs.GetActiveTab());
    EXPECT_FALSE(Shown(1));
    CRect rect;
    EXPECT_FALSE(tabs.GetTabRect(1, rect));
    EXPECT_TRUE(rect.IsRectEmpty());
    EXPECT_EQ(2, tabs.GetVisibleTabsNum());
    EXPECT_TRUE(tabs.ShowTab(1, TRUE));
    EXPECT_EQ(0, tabs.GetActiveTab());
    EXPECT_FALSE(tabs.ShowTab(7, TRUE));
}

TEST_F(TabFixture, MovingAndSwappingKeepTheActiveTab) {
    Make(CSPTabWnd::STYLE_3D);
    AddTabs(4);
    ASSERT_TRUE(tabs.SetActiveTab(1));
    CWnd* pActive = tabs.GetActiveWnd();
    tabs.MoveTab(1, -1);
    EXPECT_EQ(3, tabs.GetActiveTab());
    EXPECT_EQ(pActive, tabs.GetActiveWnd());
    CString str;
    tabs.GetTabLabel(3, str);
    EXPECT_EQ(CString(_T("Tab 1")), str);
    tabs.MoveTab(0, 3);
    EXPECT_EQ(2, tabs.GetActiveTab());
    EXPECT_EQ(pActive, tabs.GetActiveWnd());
    tabs.SwapTabs(0, 9);  // out of range: nothing
    tabs.GetTabLabel(0, str);
    EXPECT_EQ(CString(_T("Tab 2")), str);
}

TEST_F(TabFixture, PerTabDataAndItsRangeChecks) {
    Make(CSPTabWnd::STYLE_3D);
    AddTabs(2);
    EXPECT_EQ((COLORREF)-1, tabs.GetTabBkColor(0));
    EXPECT_TRUE(tabs.SetTabBkColor(0, RGB(1, 2, 3)));
    EXPECT_TRUE(tabs.SetTabTextColor(1, RGB(4, 5, 6)));
    EXPECT_EQ(RGB(1, 2, 3), tabs.GetTabBkColor(0));
    EXPECT_EQ(RGB(4, 5, 6), tabs.GetTabTextColor(1));
    EXPECT_FALSE(tabs.SetTabBkColor(2, 0));
    EXPECT_EQ((COLORREF)-1, tabs.GetTabBkColor(-1));
    EXPECT_EQ((COLORREF)-1, tabs.GetTabTextColor(2));
    EXPECT_EQ((UINT)-1, tabs.GetTabIcon(5));
    EXPECT_FALSE(tabs.SetTabLabel(0, _T("")));
    EXPECT_FALSE(tabs.SetTabLabel(3, _T("x")));
    EXPECT_EQ(NULL, tabs.GetTabWnd(2));
    // A plain window is never detachable: only docking panes leave a tab.
    EXPECT_FALSE(tabs.IsTabDetachable(0));
    EXPECT_EQ(::GetSysColor(COLOR_WINDOW), tabs.GetActiveTabColor());

    // The visual managers read the same record through the foundation.
    const SPTabInfo info = SPClientHooks::GetTabInfo(reinterpret_cast<CSPBaseTabWnd*>(&tabs), 0);
    EXPECT_EQ(CString(_T("Tab 0")), info.strLabel);
    EXPECT_EQ(RGB(1, 2, 3), info.clrBack);
    EXPECT_EQ(1, info.nLocation);
    EXPECT_FALSE(SPClientHooks::IsFlatTabWnd(reinterpret_cast<CSPTabWnd*>(&tabs)));
}

// --- in-place renaming -------------------------------------------------------

class RenameFixture : public TabFixture {
protected:
    void SetUp() override {
        Make(CSPTabWnd::STYLE_FLAT);
        AddTabs(2);
        tabs.EnableInPlaceEdit(TRUE);
        ASSERT_TRUE(tabs.StartRenameTab(0));
        ASSERT_TRUE(tabs.IsRenaming());
    }
    BOOL PressKey(UINT vk) {
        MSG msg = {tabs.GetRenameEdit()->GetSafeHwnd(), WM_KEYDOWN, vk, 0};
        return tabs.PreTranslateMessage(&msg);
    }
    CString Label(int iTab) {
        CString str;
        tabs.GetTabLabel(iTab, str);
        return str;
    }
};

TEST_F(RenameFixture, EnterAppliesTheTextTheParentAccepts) {
    tabs.GetRenameEdit()->SetWindowText(_T("Renamed"));
    EXPECT_TRUE(PressKey(VK_RETURN));
    EXPECT_FALSE(tabs.IsRenaming());
    EXPECT_EQ(CString(_T("Renamed")), Label(0));
    ASSERT_EQ(1, host.Count(SP_WM_ON_RENAME_TAB));
    EXPECT_EQ(0u, host.notices.back().wParam);
}

TEST_F(RenameFixture, RefusedTextsChangeNothingAndKeepTheEditorOpen) {
    struct Case {
        LPCTSTR text;
        LRESULT parentAnswer;
    } cases[] = {{_T(""), 0}, {_T("Refused"), 1}};
    for (const Case& c : cases) {
        host.lRenameAnswer = c.parentAnswer;
        tabs.GetRenameEdit()->SetWindowText(c.text);
        EXPECT_TRUE(PressKey(VK_RETURN));
        EXPECT_TRUE(tabs.IsRenaming()) << c.text;
        EXPECT_EQ(CString(_T("Tab 0")), Label(0)) << c.text;
    }
    EXPECT_EQ(1, host.Count(SP_WM_ON_RENAME_TAB));  // the empty text never reaches the parent
    EXPECT_TRUE(PressKey(VK_ESCAPE));
    EXPECT_FALSE(tabs.IsRenaming());
}

TEST_F(RenameFixture, AClickOutsideTheEditorCancels) {
    tabs.GetRenameEdit()->SetWindowText(_T("Lost"));
    CRect rectEdit;
    tabs.GetRenameEdit()->GetWindowRect(rectEdit);
    tabs.ScreenToClient(rectEdit);
    // A move outside is swallowed and keeps the editor.
    MSG move = {tabs.GetSafeHwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(rectEdit.right + 30, rectEdit.bottom + 30)};
    EXPECT_TRUE(tabs.PreTranslateMessage(&move));
    EXPECT_TRUE(tabs.IsRenaming());
    MSG click = {tabs.GetSafeHwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(rectEdit.right + 30, rectEdit.bottom + 30)};
    EXPECT_TRUE(tabs.PreTranslateMessage(&click));
    EXPECT_FALSE(tabs.IsRenaming());
    EXPECT_EQ(CString(_T("Tab 0")), Label(0));
    EXPECT_EQ(0, host.Count(SP_WM_ON_RENAME_TAB));
}

TEST_F(TabFixture, RenamingNeedsItEnabledAndAFlatStyle) {
    Make(CSPTabWnd::STYLE_3D);
    AddTabs(1);
    tabs.EnableInPlaceEdit(TRUE);
    EXPECT_FALSE(tabs.IsInPlaceEdit());
    EXPECT_FALSE(tabs.StartRenameTab(0));
}

// --- dragging along the strip --------------------------------------------------

TEST_F(TabFixture, ATabDraggedAlongTheStripTakesItsNewPlace) {
    Make(CSPTabWnd::STYLE_3D);
    AddTabs(3);
    CRect rect0, rect2;
    tabs.GetTabRect(0, rect0);
    tabs.GetTabRect(2, rect2);
    CWnd* pDragged = tabs.GetTabWnd(0);
    host.notices.clear();
    tabs.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(rect0.left + 3, rect0.CenterPoint().y));
    tabs.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(rect2.left + 3, rect2.CenterPoint().y));
    EXPECT_EQ(pDragged, tabs.GetTabWnd(2));
    EXPECT_EQ(2, tabs.GetActiveTab());
    tabs.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(rect2.left + 3, rect2.CenterPoint().y));
    ASSERT_EQ(1, host.Count(SP_WM_ON_MOVE_TAB));
    EXPECT_EQ(0u, host.notices.back().wParam);
    EXPECT_EQ(2, host.notices.back().lParam);
    EXPECT_NE(tabs.GetSafeHwnd(), ::GetCapture());

    // A click that moves nothing tells nothing.
    tabs.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(rect2.left + 3, rect2.CenterPoint().y));
    tabs.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(rect2.left + 3, rect2.CenterPoint().y));
    EXPECT_EQ(1, host.Count(SP_WM_ON_MOVE_TAB));

    // With moving switched off the tabs stay.
    tabs.m_bEnableTabSwap = FALSE;
    tabs.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(rect2.left + 3, rect2.CenterPoint().y));
    tabs.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(rect0.left + 3, rect0.CenterPoint().y));
    tabs.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(rect0.left + 3, rect0.CenterPoint().y));
    EXPECT_EQ(pDragged, tabs.GetTabWnd(2));
}

// --- the saved tab layout --------------------------------------------------------

TEST_F(TabFixture, TheSavedLayoutIsAppliedOnlyWhenAskedAndSkipsUnknownIds) {
    Make(CSPTabWnd::STYLE_3D);
    AddTabs(3);  // ids 101, 102, 103
    tabs.SetTabLabel(2, _T("Third renamed"));
    tabs.SetTabBkColor(2, RGB(9, 9, 9));
    tabs.MoveTab(2, 0);
    ASSERT_TRUE(tabs.SetActiveTab(1));
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        tabs.Serialize(ar);
    }
    // A layout naming a window that is gone: id 999 before the others.
    CMemFile file2;
    {
        CArchive ar(&file2, CArchive::store);
        ar << (DWORD)2;
        ar << CString(_T("Gone")) << (DWORD)1 << (DWORD)999 << (DWORD)0 << (DWORD)-1 << (DWORD)-1;
        ar << CString(_T("Back")) << (DWORD)1 << (DWORD)103 << (DWORD)0 << (DWORD)-1 << (DWORD)RGB(7, 7, 7);
        ar << (DWORD)0 << (DWORD)1;
    }

    CTabHost host2;
    ASSERT_TRUE(host2.CreateHost(300, 200));
    CSPTabWnd fresh;
    ASSERT_TRUE(fresh.Create(CSPTabWnd::STYLE_3D, CRect(0, 0, 300, 200), &host2, 1));
    std::vector<std::unique_ptr<CWnd>> own;
    for (UINT id = 101; id <= 103; id++) {
        own.emplace_back(new CWnd);
        own.back()->CreateEx(0, AfxRegisterWndClass(0), _T(""), WS_CHILD, CRect(0, 0, 5, 5), &fresh, id);
        CString str;
        str.Format(_T("Own %u"), id);
        fresh.AddTab(own.back().get(), str);
    }
    file.SeekToBegin();
    {
        CArchive ar(&file, CArchive::load);
        fresh.Serialize(ar);
    }
    CString str;
    fresh.GetTabLabel(0, str);
    EXPECT_EQ(CString(_T("Own 101")), str);  // loading alone changes nothing
    EXPECT_EQ(3, (int)fresh.GetRestoredTabs().GetSize());
    fresh.ApplyRestoredTabInfo(TRUE);
    fresh.GetTabLabel(0, str);
    EXPECT_EQ(CString(_T("Third renamed")), str);
    EXPECT_EQ(103, fresh.GetTabWnd(0)->GetDlgCtrlID());
    EXPECT_EQ(101, fresh.GetTabWnd(1)->GetDlgCtrlID());
    EXPECT_EQ(RGB(9, 9, 9), fresh.GetTabBkColor(0));
    EXPECT_EQ(1, fresh.GetActiveTab());

    file2.SeekToBegin();
    {
        CArchive ar(&file2, CArchive::load);
        fresh.Serialize(ar);
    }
    fresh.ApplyRestoredTabInfo(TRUE);
    EXPECT_EQ(3, fresh.GetTabsNum());
    fresh.GetTabLabel(0, str);
    EXPECT_EQ(CString(_T("Back")), str);
    EXPECT_EQ(RGB(7, 7, 7), fresh.GetTabBkColor(0));
    EXPECT_EQ(0, fresh.GetActiveTab());
}

TEST_F(TabFixture, ALayoutCutShortLeavesTheRestoredTabsAsTheyWere) {
    Make(CSPTabWnd::STYLE_3D);
    AddTabs(2);
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        tabs.Serialize(ar);
    }
    const ULONGLONG nLength = file.GetLength();
    file.SeekToBegin();
    {
        CArchive ar(&file, CArchive::load);
        tabs.Serialize(ar);
    }
    ASSERT_EQ(2, (int)tabs.GetRestoredTabs().GetSize());
    // Cut inside the second record, and a count larger than the data.
    std::vector<BYTE> bytes((size_t)nLength);
    file.SeekToBegin();
    file.Read(bytes.data(), (UINT)nLength);
    std::vector<BYTE> cut(bytes.begin(), bytes.begin() + (ptrdiff_t)(nLength - 12));
    std::vector<BYTE> bigCount = bytes;
    bigCount[0] = 200;
    for (std::vector<BYTE>* pData : {&cut, &bigCount}) {
        CMemFile damaged(pData->data(), (UINT)pData->size());
        BOOL bThrown = FALSE;
        try {
            CArchive ar(&damaged, CArchive::load);
            tabs.Serialize(ar);
        } catch (CArchiveException* e) {
            bThrown = TRUE;
            e->Delete();
        }
        EXPECT_TRUE(bThrown);
        EXPECT_EQ(2, (int)tabs.GetRestoredTabs().GetSize());
    }
}
