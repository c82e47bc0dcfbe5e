// Edit-box buttons: contents kept in the button and spread to its twins,
// the command from the typed-into button only, the edit's own clipboard
// keys, vertical bars, the stored record.
#include "hosted_support.h"

using namespace tbtest;

namespace {

using EditPtr = std::unique_ptr<CSPToolbarEditBoxButton>;

EditPtr MakeEdit(LPCTSTR lpszContents = "") {
    EditPtr p(new CSPToolbarEditBoxButton(ID_OPEN, 0, ES_AUTOHSCROLL, 110));
    p->SetContents(lpszContents);
    return p;
}

EditPtr LoadEdit(const std::vector<BYTE>& bytes) {
    return EditPtr(LoadAs<CSPToolbarEditBoxButton>(bytes, RUNTIME_CLASS(CSPToolbarEditBoxButton)));
}

CSPToolbarEditBoxButton* HostedEdit(CSPToolBar* pBar) {
    return HostedTest::Hosted<CSPToolbarEditBoxButton>(pBar, RUNTIME_CLASS(CSPToolbarEditBoxButton));
}

CString WindowText(CWnd* pWnd) {
    CString s;
    pWnd->GetWindowText(s);
    return s;
}

using EditBoxTest = HostedTest;

}  // namespace

TEST_F(EditBoxTest, TypingReachesTwinsAndOnlyTheTypedIntoButtonPostsTheCommand) {
    CSPToolBar* pFirst = BarWith(*MakeEdit("start"), 0);
    CSPToolBar* pSecond = BarWith(*MakeEdit("start"), 40);
    auto* p1 = HostedEdit(pFirst);
    auto* p2 = HostedEdit(pSecond);
    ASSERT_TRUE(p1 && p2);
    ASSERT_NE(p1->GetHwnd(), (HWND)NULL);
    EXPECT_EQ(WindowText(p1->GetEditBox()), "start");
    // The bar lets the button colour its edit.
    HDC hdc = ::GetDC(p1->GetHwnd());
    EXPECT_EQ((HBRUSH)pFirst->SendMessage(WM_CTLCOLOREDIT, (WPARAM)hdc, (LPARAM)p1->GetHwnd()),
              ::GetSysColorBrush(COLOR_WINDOW));
    ::ReleaseDC(p1->GetHwnd(), hdc);

    p1->GetEditBox()->SetSel(0, -1);
    p1->GetEditBox()->ReplaceSel("typed", TRUE);
    Pump();
    EXPECT_EQ(p2->GetContents(), "typed");
    EXPECT_EQ(WindowText(p2->GetEditBox()), "typed");
    ASSERT_EQ(controlCommands.size(), 1u);
    EXPECT_EQ(controlCommands[0], std::make_pair((UINT)ID_OPEN, (UINT)EN_UPDATE));

    // Set by the program: shown everywhere, no command.
    controlCommands.clear();
    EXPECT_TRUE(CSPToolbarEditBoxButton::SetContentsAll(ID_OPEN, "program"));
    Pump();
    EXPECT_EQ(CSPToolbarEditBoxButton::GetContentsAll(ID_OPEN), "program");
    EXPECT_FALSE(CSPToolbarEditBoxButton::SetContentsAll(999, "x"));
    EXPECT_EQ(CSPToolbarEditBoxButton::GetContentsAll(999), "");

    // A long text typed in is kept whole by the twin.
    const CString strLong(std::string(100000, 'y').c_str());
    p1->GetEditBox()->LimitText(0);
    p2->GetEditBox()->LimitText(0);
    p1->GetEditBox()->SetSel(0, -1);
    p1->GetEditBox()->ReplaceSel(strLong);
    Pump();
    EXPECT_EQ(p2->GetContents().GetLength(), 100000);
}

TEST_F(EditBoxTest, ClipboardKeysActOnTheEditBeforeTheFramesAccelerators) {
    frame->ShowWindow(SW_SHOWNOACTIVATE);
    CSPToolBar* pBar = BarWith(*MakeEdit("hello"), 0);
    auto* p = HostedEdit(pBar);
    ASSERT_TRUE(p != NULL);
    CEdit* pEdit = p->GetEditBox();
    frame->SetActiveWindow();
    pEdit->SetFocus();
    if (::GetFocus() != pEdit->GetSafeHwnd()) GTEST_SKIP() << "the display gave the edit no focus";

    BYTE keys[256];
    ::GetKeyboardState(keys);
    keys[VK_CONTROL] = 0x80;
    ::SetKeyboardState(keys);
    auto Key = [&](WPARAM vk) {
        MSG msg = {pEdit->GetSafeHwnd(), WM_KEYDOWN, vk, 0};
        return pEdit->PreTranslateMessage(&msg);
    };
    pEdit->SetSel(0, -1);
    EXPECT_TRUE(Key('X'));
    EXPECT_EQ(WindowText(pEdit), "");
    EXPECT_TRUE(Key('V'));
    EXPECT_TRUE(Key('V'));
    EXPECT_EQ(WindowText(pEdit), "hellohello");
    pEdit->SetSel(0, 5);
    EXPECT_TRUE(Key('C'));
    EXPECT_TRUE(Key(VK_DELETE));
    EXPECT_EQ(WindowText(pEdit), "hello");
    EXPECT_TRUE(Key('Z'));
    EXPECT_EQ(WindowText(pEdit), "hellohello");
    keys[VK_CONTROL] = 0;
    ::SetKeyboardState(keys);
    EXPECT_FALSE(Key('C'));  // a plain key is typed
}

TEST_F(EditBoxTest, VerticalBarHidesTheEditAndMovedButtonsKeepTheirText) {
    CSPToolBar* pVertical = BarWith(*MakeEdit("kept"), 0, TRUE);
    auto* p = HostedEdit(pVertical);
    ASSERT_TRUE(p != NULL);
    ASSERT_NE(p->GetHwnd(), (HWND)NULL);
    EXPECT_FALSE(p->GetEditBox()->GetStyle() & WS_VISIBLE);
    EXPECT_TRUE(p->HaveHotBorder());
    CRect rect;
    pVertical->GetItemRect(pVertical->CommandToIndex(ID_OPEN), rect);
    EXPECT_LT(rect.Width(), 60);
    pVertical->RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW);

    // Typed into the window, then the button moves to another bar.
    CSPToolBar* pHorizontal = BarWith(*MakeEdit(), 40);
    auto* pTarget = HostedEdit(pHorizontal);
    ASSERT_TRUE(pTarget != NULL);
    pTarget->GetEditBox()->SetWindowText("moved along");
    pTarget->OnChangeParentWnd(pVertical);
    EXPECT_EQ(pTarget->GetContents(), "moved along");
    EXPECT_EQ(WindowText(pTarget->GetEditBox()), "moved along");
}

TEST_F(EditBoxTest, RecordRoundTripsAndDamagedRecordsFail) {
    CSPToolBar* pBar = BarWith(*MakeEdit(), 0);
    auto* p = HostedEdit(pBar);
    ASSERT_TRUE(p != NULL);
    p->GetEditBox()->SetWindowText("from the window");
    const std::vector<BYTE> bytes = StoreObject(*p);
    EditPtr pLoaded = LoadEdit(bytes);
    ASSERT_TRUE(pLoaded != nullptr);
    EXPECT_EQ(pLoaded->GetContents(), "from the window");
    EXPECT_EQ(pLoaded->GetWidth(), 110);

    // Without a window nothing typed exists, so nothing is stored.
    EXPECT_EQ(LoadEdit(StoreObject(*MakeEdit("unshown")))->GetContents(), "");

    for (size_t n = 0; n < bytes.size(); n++) {
        std::vector<BYTE> cut(bytes.begin(), bytes.begin() + n);
        EXPECT_EQ(LoadEdit(cut), nullptr) << n;
    }
    CSPToolbarButton plain(ID_OPEN, 0, "plain");
    EXPECT_EQ(LoadEdit(StoreObject(plain)), nullptr);
}
