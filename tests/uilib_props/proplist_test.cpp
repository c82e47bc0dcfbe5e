// The property list: views and their order, expanding, the keyboard, the
// splitter and the in-place edit's keys.
#include "test_support.h"
#include "SPPropList.h"
#include <gtest/gtest.h>

namespace {

VARIANT VarI4(LONG n) {
    VARIANT v;
    ::VariantInit(&v);
    v.vt = VT_I4;
    v.lVal = n;
    return v;
}

std::string Names(const CSPPropList& list) {
    CList<CSPProp*, CSPProp*> rows;
    list.GetVisibleRows(rows);
    std::string s;
    for (POSITION pos = rows.GetHeadPosition(); pos != NULL;) {
        if (!s.empty()) s += ",";
        s += (LPCTSTR)rows.GetNext(pos)->GetName();
    }
    return s;
}

// Groups "Window" (width, Height) and "Text" (font, Bold), then a top-level
// value "alpha".
struct ListTest : public ::testing::Test {
    CHostWnd host;
    CSPPropList list;
    CSPProp *pWindow, *pText, *pAlpha;
    void SetUp() override {
        ASSERT_TRUE(host.CreateHost(400, 300));
        ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 400, 300), &host, 5));
        pWindow = new CSPProp(_T("Window"), 1);
        pWindow->AddSubItem(new CSPProp(_T("width"), VarI4(10), NULL, 11));
        pWindow->AddSubItem(new CSPProp(_T("Height"), VarI4(20), NULL, 12));
        pText = new CSPProp(_T("Text"), 2);
        pText->AddSubItem(new CSPProp(_T("font"), VarI4(30), NULL, 21));
        pText->AddSubItem(new CSPProp(_T("Bold"), VarI4(40), NULL, 22));
        pAlpha = new CSPProp(_T("alpha"), VarI4(50), NULL, 3);
        ASSERT_EQ(list.AddProperty(pWindow), 0);
        ASSERT_EQ(list.AddProperty(pText), 1);
        ASSERT_EQ(list.AddProperty(pAlpha), 2);
        list.UpdateWindow();
    }
    void Key(UINT vk) { list.SendMessage(WM_KEYDOWN, vk, 0); }
    CString SelName() const { return list.GetCurSel() != NULL ? list.GetCurSel()->GetName() : CString(_T("-")); }
};

TEST_F(ListTest, CategorisedAndAlphabeticOrder) {
    EXPECT_EQ(Names(list), "Window,width,Height,Text,font,Bold,alpha");
    list.SetAlphabeticMode(TRUE);
    // value items only, case-sensitive: capitals first
    EXPECT_EQ(Names(list), "Bold,Height,alpha,font,width");
    // rows one below the other from the list's top
    CList<CSPProp*, CSPProp*> rows;
    list.GetVisibleRows(rows);
    int y = list.GetListRect().top - 1;
    for (POSITION pos = rows.GetHeadPosition(); pos != NULL; y += list.GetRowHeight())
        EXPECT_EQ(rows.GetNext(pos)->GetRect().top, y);
    list.SetAlphabeticMode(FALSE);
    EXPECT_EQ(Names(list), "Window,width,Height,Text,font,Bold,alpha");
}

TEST_F(ListTest, ItemsAreAddedOnceAndFoundByData) {
    EXPECT_EQ(list.AddProperty(pAlpha), -1);
    EXPECT_EQ(list.AddProperty(pWindow->GetSubItem(0)), -1);
    EXPECT_EQ(list.GetPropertyCount(), 3);
    EXPECT_EQ(list.GetProperty(2), pAlpha);
    EXPECT_EQ(list.GetProperty(3), nullptr);
    EXPECT_EQ(list.GetProperty(-1), nullptr);
    EXPECT_EQ(list.FindItemByData(22), pText->GetSubItem(1));
    EXPECT_EQ(list.FindItemByData(22, FALSE), nullptr);
    EXPECT_EQ(pText->GetSubItem(1)->GetOwnerList(), &list);
}

TEST_F(ListTest, ExpandBoxAndKeysCollapseAndExpand) {
    // a press on the group's expand box
    const CRect r = pWindow->GetRect();
    Click(&list, r.left + 3, r.CenterPoint().y);
    EXPECT_FALSE(pWindow->IsExpanded());
    EXPECT_EQ(Names(list), "Window,Text,font,Bold,alpha");
    EXPECT_EQ(pText->GetRect().top, r.bottom);  // moved up into the freed rows

    list.SetCurSel(pText);
    Key(VK_LEFT);
    EXPECT_EQ(Names(list), "Window,Text,alpha");
    Key(VK_ADD);
    Key(VK_RIGHT);
    EXPECT_EQ(Names(list), "Window,Text,font,Bold,alpha");
    Key(VK_SUBTRACT);
    EXPECT_FALSE(pText->IsExpanded());
    // a double click on a group toggles it as well
    const CRect rt = pText->GetRect();
    list.SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(rt.left + 40, rt.CenterPoint().y));
    EXPECT_TRUE(pText->IsExpanded());
}

TEST_F(ListTest, KeyboardMovesAmongTheVisibleRows) {
    struct Step {
        UINT vk;
        const char* sel;
    } steps[] = {{VK_DOWN, "Window"}, {VK_DOWN, "width"}, {VK_END, "alpha"},   {VK_DOWN, "alpha"},
                 {VK_UP, "Bold"},     {VK_HOME, "Window"}, {VK_UP, "Window"}, {VK_NEXT, "alpha"}};
    for (const Step& s : steps) {
        Key(s.vk);
        EXPECT_EQ(std::string(SelName()), s.sel) << s.vk;
    }
    pWindow->Expand(FALSE);
    Key(VK_HOME);
    Key(VK_DOWN);
    EXPECT_EQ(std::string(SelName()), "Text");  // the hidden sub-items are skipped
}

TEST_F(ListTest, SplitterIsGrabbedOnlyWithinThreePixels) {
    const int xSplit = list.GetListRect().left + list.GetNameColumnWidth();
    const CRect r = pAlpha->GetRect();
    // exactly 3 px away: an item is selected
    list.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(xSplit - 3, r.CenterPoint().y));
    EXPECT_EQ(list.GetCurSel(), pAlpha);
    EXPECT_NE(::GetCapture(), list.m_hWnd);
    list.EndEditItem(FALSE);
    list.SetCurSel(NULL);
    // 2 px away: the splitter is dragged and dropped at the cursor
    list.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(xSplit + 2, r.CenterPoint().y));
    EXPECT_EQ(list.GetCurSel(), nullptr);
    EXPECT_EQ(::GetCapture(), list.m_hWnd);
    list.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(120, r.CenterPoint().y));
    list.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(120, r.CenterPoint().y));
    EXPECT_EQ(list.GetNameColumnWidth(), 120);
    HDITEM hdi = {};
    hdi.mask = HDI_WIDTH;
    list.GetHeaderCtrl().GetItem(0, &hdi);
    EXPECT_EQ(hdi.cxy, 122);
    // dropped beyond the right end: held inside the client area
    list.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(120, r.CenterPoint().y));
    list.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(1000, r.CenterPoint().y));
    EXPECT_EQ(list.GetNameColumnWidth(), 400 - ::GetSystemMetrics(SM_CXVSCROLL) - 5);
}

TEST_F(ListTest, PressOnValueEditsAndKeysCommitOrCancel) {
    CSPProp* pWidth = pWindow->GetSubItem(0);
    const CRect r = pWidth->GetRect();
    list.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(list.GetNameColumnWidth() + 30, r.CenterPoint().y));
    list.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(list.GetNameColumnWidth() + 30, r.CenterPoint().y));
    ASSERT_TRUE(pWidth->IsInPlaceEditing());
    CWnd* pEdit = pWidth->GetInPlaceWnd();

    MSG msg = {};
    msg.hwnd = pEdit->m_hWnd;
    msg.message = WM_KEYDOWN;
    msg.wParam = VK_ESCAPE;
    pEdit->SetWindowText(_T("99"));
    EXPECT_TRUE(list.PreTranslateMessage(&msg));
    EXPECT_FALSE(pWidth->IsInPlaceEditing());
    EXPECT_EQ(pWidth->GetValue().lVal, 10);  // Esc drops the typed text
    EXPECT_TRUE(host.changes.empty());

    ASSERT_TRUE(list.EditItem(pWidth));
    msg.hwnd = pWidth->GetInPlaceWnd()->m_hWnd;
    pWidth->GetInPlaceWnd()->SetWindowText(_T("abc"));
    msg.wParam = VK_RETURN;
    EXPECT_TRUE(list.PreTranslateMessage(&msg));
    EXPECT_TRUE(pWidth->IsInPlaceEditing());  // not a number: the edit stays
    pWidth->GetInPlaceWnd()->SetWindowText(_T("99"));
    EXPECT_TRUE(list.PreTranslateMessage(&msg));
    EXPECT_FALSE(pWidth->IsInPlaceEditing());
    EXPECT_EQ(pWidth->GetValue().lVal, 99);
    ASSERT_EQ(host.changes.size(), 1u);
    EXPECT_EQ(host.changes[0].first, (WPARAM)5);

    // while editing the list holds the capture; a press elsewhere ends the
    // edit with the typed value, and is swallowed when that value is refused
    ASSERT_TRUE(list.EditItem(pWidth));
    EXPECT_EQ(::GetCapture(), list.m_hWnd);
    MSG press = {};
    press.hwnd = list.m_hWnd;
    press.message = WM_LBUTTONDOWN;
    press.pt = pAlpha->GetRect().CenterPoint();
    list.ClientToScreen(&press.pt);
    pWidth->GetInPlaceWnd()->SetWindowText(_T("x"));
    EXPECT_TRUE(list.PreTranslateMessage(&press));
    EXPECT_TRUE(pWidth->IsInPlaceEditing());
    // a press on the editor itself goes to the editor
    MSG onEditor = press;
    CRect rectEditor;
    pWidth->GetInPlaceWnd()->GetWindowRect(rectEditor);
    onEditor.pt = rectEditor.CenterPoint();
    EXPECT_TRUE(list.PreTranslateMessage(&onEditor));
    EXPECT_TRUE(pWidth->IsInPlaceEditing());
    pWidth->GetInPlaceWnd()->SendMessage(WM_LBUTTONUP, 0, 0);
    pWidth->GetInPlaceWnd()->SetWindowText(_T("7"));
    EXPECT_FALSE(list.PreTranslateMessage(&press));
    EXPECT_FALSE(pWidth->IsInPlaceEditing());
    EXPECT_EQ(pWidth->GetValue().lVal, 7);
    EXPECT_NE(::GetCapture(), list.m_hWnd);
}

TEST_F(ListTest, DoubleClickOnABooleanTogglesIt) {
    VARIANT v;
    ::VariantInit(&v);
    v.vt = VT_BOOL;
    v.boolVal = VARIANT_FALSE;
    CSPProp* pFlag = new CSPProp(_T("flag"), v);
    pFlag->AddOption(_T("True"));
    pFlag->AddOption(_T("False"));
    list.AddProperty(pFlag);
    const CRect r = pFlag->GetRect();
    const LPARAM lp = MAKELPARAM(list.GetNameColumnWidth() + 30, r.CenterPoint().y);
    list.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, lp);
    list.SendMessage(WM_LBUTTONUP, 0, lp);
    list.SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, lp);
    EXPECT_EQ(std::string(pFlag->FormatProperty()), "True");
    EXPECT_EQ(pFlag->GetValue().boolVal, VARIANT_TRUE);
    ASSERT_EQ(host.changes.size(), 1u);
    EXPECT_EQ(host.changes[0].second, (LPARAM)pFlag);
}

TEST_F(ListTest, HeaderDividerSetsTheNameColumnAndCutTextsGetTips) {
    HDITEM hdi = {};
    hdi.mask = HDI_WIDTH;
    hdi.cxy = 42;
    list.GetHeaderCtrl().SetItem(0, &hdi);  // as the user's drag ends
    EXPECT_EQ(list.GetNameColumnWidth(), 40);

    pAlpha->SetName(_T("a name far too long for a column of forty pixels"));
    list.UpdateWindow();
    EXPECT_TRUE(pAlpha->IsNameTruncated());
    EXPECT_EQ(pAlpha->GetNameTooltip(), pAlpha->GetName());
    EXPECT_FALSE(pAlpha->IsValueTruncated());
    EXPECT_TRUE(pAlpha->GetValueTooltip().IsEmpty());
}

TEST_F(ListTest, TypingOnTheListStartsAnEdit) {
    list.SetCurSel(pAlpha);
    list.SendMessage(WM_CHAR, '7', 0);
    ASSERT_TRUE(pAlpha->IsInPlaceEditing());
    CString str;
    pAlpha->GetInPlaceWnd()->GetWindowText(str);
    EXPECT_EQ(std::string(str), "7");
}

TEST_F(ListTest, ScrollingCountsRowsAndStopsAtTheLastPage) {
    for (int i = 0; i < 40; i++) list.AddProperty(new CSPProp(_T("extra"), VarI4(i)), FALSE);
    const int nPage = list.GetListRect().Height() / list.GetRowHeight() - 1;
    const int nRows = 47;
    list.SendMessage(WM_VSCROLL, SB_BOTTOM, 0);
    EXPECT_EQ(list.GetScrollPosition(), nRows - nPage);
    list.SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, 240), 0);  // two steps up
    EXPECT_EQ(list.GetScrollPosition(), nRows - nPage - 2);
    list.SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, (WORD)(short)-119), 0);  // less than a step
    EXPECT_EQ(list.GetScrollPosition(), nRows - nPage - 2);
    Key(VK_HOME);
    EXPECT_EQ(list.GetScrollPosition(), 0);
    EXPECT_EQ(pWindow->GetRect().top, list.GetListRect().top - 1);
}

TEST_F(ListTest, DescriptionAreaTakesAQuarterAndShowsTheSelection) {
    list.EnableDescriptionArea(TRUE);
    CRect rectClient;
    list.GetClientRect(rectClient);
    EXPECT_EQ(list.GetDescriptionHeight(), rectClient.Height() / 4);
    EXPECT_EQ(list.GetListRect().bottom, rectClient.bottom - rectClient.Height() / 4);
    EXPECT_EQ(list.GetHeaderHeight(), list.GetRowHeight() + 4);
    list.EnableHeaderCtrl(FALSE);
    EXPECT_EQ(list.GetHeaderHeight(), 0);
    EXPECT_EQ(list.GetListRect().top, 0);
    list.SetCurSel(pAlpha);
    list.UpdateWindow();  // paints the description without trouble
}

// One tip per row in view, however often the rows are laid out.
TEST(ListTipTest, TipsFollowTheRows) {
    struct CTipList : public CSPPropList {
        int Tools() { return m_ToolTip.GetToolCount(); }
    };
    CHostWnd host;
    ASSERT_TRUE(host.CreateHost(300, 200));
    CTipList list;
    ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 300, 200), &host, 9));
    for (int i = 0; i < 30; i++) list.AddProperty(new CSPProp(_T("row"), VarI4(i)), FALSE);
    for (int i = 0; i < 5; i++) list.AdjustLayout();
    const int nInView = (list.GetListRect().Height() + list.GetRowHeight()) / list.GetRowHeight();
    EXPECT_GE(list.Tools(), nInView - 1);
    EXPECT_LE(list.Tools(), nInView + 1);
}

}  // namespace
