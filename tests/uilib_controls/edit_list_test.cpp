// Edit list: the standard buttons and their keys (new, delete, move), the
// in-place editor, and the browse button running a (seamed) file dialog.
#include "SPButton.h"
#include "SPEditListBox.h"
#include "test_support.h"
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

// Records the notifications; OnBrowse asks for a file and puts its path
// into the edit that was browsed from.
class CRecordingList : public CSPEditListBox {
public:
    std::vector<std::string> events;
    BOOL bAllowRemove = TRUE;
    CEdit* pBrowseTarget = NULL;

    BOOL OnBeforeRemoveItem(int iItem) override {
        events.push_back("remove?" + std::to_string(iItem));
        return bAllowRemove;
    }
    void OnAfterAddItem(int iItem) override { events.push_back("added" + std::to_string(iItem)); }
    void OnAfterRenameItem(int iItem) override { events.push_back("renamed" + std::to_string(iItem)); }
    void OnAfterMoveItemUp(int iItem) override { events.push_back("up" + std::to_string(iItem)); }
    void OnAfterMoveItemDown(int iItem) override { events.push_back("down" + std::to_string(iItem)); }
    void OnBrowse() override {
        events.push_back("browse");
        CFileDialog dlg(TRUE, NULL, NULL, OFN_HIDEREADONLY | OFN_FILEMUSTEXIST, _T("Programs (*.exe)|*.exe||"), this);
        if (dlg.DoModal() == IDOK && pBrowseTarget != NULL) pBrowseTarget->SetWindowText(dlg.GetPathName());
    }
};

INT_PTR AFXAPI ChooseToolFile(CCommonDialog* pDialog) {
    CFileDialog* pFile = DYNAMIC_DOWNCAST(CFileDialog, pDialog);
    if (pFile == NULL) return IDCANCEL;
    lstrcpyn(pFile->m_ofn.lpstrFile, _T("C:\\tools\\grep.exe"), pFile->m_ofn.nMaxFile);
    return IDOK;
}

struct EditListFixture : ::testing::Test {
    CHostWnd host;
    CRecordingList list;
    void SetUp() override {
        ASSERT_TRUE(host.CreateHost());
        ASSERT_TRUE(list.Create(_T("Menu contents:"), WS_CHILD | WS_VISIBLE, CRect(10, 10, 260, 210), &host, 500));
        ASSERT_TRUE(list.SetStandardButtons());
        for (LPCTSTR lpsz : {_T("Alpha"), _T("Beta"), _T("Gamma")}) list.AddItem(lpsz, (DWORD_PTR)lpsz[0]);
    }
    std::string Items() const {
        std::string s;
        for (int i = 0; i < list.GetCount(); i++) s += std::string(i ? "," : "") + (LPCTSTR)list.GetItemText(i);
        return s;
    }
    // A key as it reaches the list while the list view has the focus.
    BOOL Key(UINT vk, BOOL bAlt = FALSE) {
        list.GetListWnd()->SetFocus();
        MSG msg = {list.GetListWnd()->GetSafeHwnd(), (UINT)(bAlt ? WM_SYSKEYDOWN : WM_KEYDOWN), vk,
                   bAlt ? (LPARAM)(1 << 29) : 0};
        return list.PreTranslateMessage(&msg);
    }
};

TEST_F(EditListFixture, StandardButtonsAreMadeWithTheirCommands) {
    ASSERT_EQ(4, list.GetButtonCount());
    EXPECT_EQ((UINT)-11, list.GetButtonCommand(0));
    EXPECT_EQ((UINT)-14, list.GetButtonCommand(3));
    EXPECT_EQ(2, list.GetButton(0)->GetDlgCtrlID());
    EXPECT_EQ(3, list.GetStdButtonNum(SPEDIT_LIST_BTN_DOWN));
    EXPECT_EQ(CSize(16, 15), list.GetButton(1)->GetImageSize());
    EXPECT_FALSE(list.EnableButton(4, FALSE));
    EXPECT_EQ("Alpha,Beta,Gamma", Items());
}

TEST_F(EditListFixture, AltDownAndUpMoveTheSelectionWithItsData) {
    list.SelectItem(1);
    EXPECT_TRUE(Key(VK_DOWN, TRUE));
    EXPECT_EQ("Alpha,Gamma,Beta", Items());
    EXPECT_EQ(2, list.GetSelItem());
    EXPECT_EQ((DWORD_PTR)'B', list.GetItemData(2));
    // on the last item nothing moves
    EXPECT_TRUE(Key(VK_DOWN, TRUE));
    EXPECT_EQ("Alpha,Gamma,Beta", Items());
    EXPECT_TRUE(Key(VK_UP, TRUE));
    EXPECT_EQ("Alpha,Beta,Gamma", Items());
    EXPECT_EQ(1, list.GetSelItem());
    const std::vector<std::string> expected = {"down2", "up1"};
    EXPECT_EQ(expected, list.events);
}

TEST_F(EditListFixture, DeleteAsksFirstAndNeedsASelection) {
    EXPECT_TRUE(Key(VK_DELETE));
    EXPECT_EQ("Alpha,Beta,Gamma", Items());
    EXPECT_TRUE(list.events.empty());

    list.SelectItem(0);
    list.bAllowRemove = FALSE;
    Key(VK_DELETE);
    EXPECT_EQ("Alpha,Beta,Gamma", Items());
    list.bAllowRemove = TRUE;
    list.OnClickButton(list.GetStdButtonNum(SPEDIT_LIST_BTN_DELETE));
    EXPECT_EQ("Beta,Gamma", Items());
    const std::vector<std::string> expected = {"remove?0", "remove?0"};
    EXPECT_EQ(expected, list.events);
}

TEST_F(EditListFixture, NewItemIsEditedAndKeptOnlyWithText) {
    EXPECT_TRUE(Key(VK_INSERT));
    ASSERT_TRUE(list.IsEditing());
    EXPECT_EQ(4, list.GetCount());
    EXPECT_FALSE(list.GetButton(0)->IsWindowEnabled());
    list.GetEditCtrl().SetWindowText(_T("Delta"));
    list.GetEditCtrl().SendMessage(WM_KEYDOWN, VK_RETURN, 0);
    PumpPending();
    EXPECT_FALSE(list.IsEditing());
    EXPECT_EQ("Alpha,Beta,Gamma,Delta", Items());
    EXPECT_TRUE(list.GetButton(0)->IsWindowEnabled());

    // a new item left empty goes again
    list.OnClickButton(0);
    ASSERT_TRUE(list.IsEditing());
    list.GetEditCtrl().SendMessage(WM_KEYDOWN, VK_RETURN, 0);
    PumpPending();
    EXPECT_EQ("Alpha,Beta,Gamma,Delta", Items());
    const std::vector<std::string> expected = {"added3"};
    EXPECT_EQ(expected, list.events);
}

TEST_F(EditListFixture, SpaceOrF2EditTheSelectionButNotWithCtrl) {
    list.SelectItem(1);
    {
        KeyHeld ctrl(VK_CONTROL);
        EXPECT_FALSE(Key(VK_F2));
        EXPECT_FALSE(list.IsEditing());
        EXPECT_FALSE(Key(VK_SPACE));
        EXPECT_FALSE(list.IsEditing());
    }
    for (UINT vk : {VK_F2, VK_SPACE}) {
        EXPECT_TRUE(Key(vk));
        ASSERT_TRUE(list.IsEditing());
        list.GetEditCtrl().SetWindowText(vk == VK_F2 ? _T("Bet") : _T("Be"));
        list.GetEditCtrl().SendMessage(WM_KEYDOWN, VK_RETURN, 0);
        PumpPending();
    }
    EXPECT_EQ("Alpha,Be,Gamma", Items());
    const std::vector<std::string> expected = {"renamed1", "renamed1"};
    EXPECT_EQ(expected, list.events);
}

struct BrowseFixture : EditListFixture {
    CSPEditBrowseCtrl edit;
    CCommonDialog::AFX_COMMONDIALOG_HOOK pfnOld = NULL;
    void SetUp() override {
        EditListFixture::SetUp();
        ASSERT_TRUE(edit.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL, CRect(10, 230, 210, 254), &host,
                                501));
        edit.SetOwnerList(&list);
        edit.EnableBrowseButton();
        list.pBrowseTarget = &edit;
        pfnOld = CCommonDialog::SetTestHook(&ChooseToolFile);
    }
    void TearDown() override { CCommonDialog::SetTestHook(pfnOld); }
    CPoint ButtonCentreInClient() {
        CPoint pt = edit.GetButtonRect().CenterPoint();
        edit.ScreenToClient(&pt);
        return pt;
    }
};

TEST_F(BrowseFixture, ButtonTakesTwentyPixelsOfTheFrameAndIsNoTextArea) {
    CRect rectWindow, rectClient;
    edit.GetWindowRect(rectWindow);
    edit.GetClientRect(rectClient);
    EXPECT_EQ(20, edit.GetButtonRect().Width());
    EXPECT_LE(rectClient.Width(), rectWindow.Width() - 20);
    EXPECT_EQ(HTBORDER, edit.SendMessage(WM_NCHITTEST, 0,
                                         MAKELPARAM(edit.GetButtonRect().CenterPoint().x,
                                                    edit.GetButtonRect().CenterPoint().y)));
}

TEST_F(BrowseFixture, ClickOnTheButtonBrowsesThroughTheFileDialog) {
    const CPoint ptScreen = edit.GetButtonRect().CenterPoint();
    edit.SendMessage(WM_NCLBUTTONDOWN, HTBORDER, MAKELPARAM(ptScreen.x, ptScreen.y));
    EXPECT_TRUE(edit.IsButtonPressed());
    const CPoint pt = ButtonCentreInClient();
    edit.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(pt.x, pt.y));
    EXPECT_FALSE(edit.IsButtonPressed());
    ASSERT_EQ(1u, list.events.size());
    EXPECT_EQ("browse", list.events[0]);
    CString strText;
    edit.GetWindowText(strText);
    EXPECT_STREQ(_T("C:\\tools\\grep.exe"), strText);
}

TEST_F(BrowseFixture, ClickReleasedOutsideTheButtonDoesNotBrowse) {
    const CPoint ptScreen = edit.GetButtonRect().CenterPoint();
    edit.SendMessage(WM_NCLBUTTONDOWN, HTBORDER, MAKELPARAM(ptScreen.x, ptScreen.y));
    edit.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(5, 5));
    EXPECT_FALSE(edit.IsButtonPressed());
    edit.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_TRUE(list.events.empty());
    EXPECT_NE(&edit, CWnd::GetCapture());
}

}  // namespace
