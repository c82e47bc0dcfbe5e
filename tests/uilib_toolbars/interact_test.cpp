// Toolbars as rows of push buttons: click sequences, check boxes, disabled
// buttons, mnemonics, Escape, prompts and the common-control queries.
#include "interact_support.h"

#include "SPMenuSounds.h"

using namespace tbtest;

namespace {

// Silent sounds for the tests: only counted.
volatile LONG g_nSounds = 0;
void CountSound(LPCSTR lpszEvent) {
    if (lpszEvent != NULL) ::InterlockedIncrement(&g_nSounds);
}

}  // namespace

TEST_F(InteractTest, CommandFiresOnlyOnReleaseOverThePressedButton) {
    CSPToolBar* pBar = NewBar(IDR_MAIN);
    const CPoint ptOpen = Center(pBar, 0), ptOff(ptOpen.x, ptOpen.y + 200);
    const UINT nUsesBefore = CSPToolBar::m_UsageCount.GetCount(ID_OPEN);

    Click(pBar, ptOpen);
    EXPECT_EQ(frame->commands, std::vector<UINT>{ID_OPEN});
    EXPECT_EQ(CSPToolBar::m_UsageCount.GetCount(ID_OPEN), nUsesBefore + 1);
    EXPECT_EQ(pBar->GetButtonStyle(0) & TBBS_PRESSED, 0u);

    // Pressed, dragged off (no longer shown pressed), back (pressed again),
    // off again and released: nothing is sent.
    Send(pBar, WM_LBUTTONDOWN, ptOpen, MK_LBUTTON);
    EXPECT_NE(pBar->GetButtonStyle(0) & TBBS_PRESSED, 0u);
    Send(pBar, WM_MOUSEMOVE, ptOff, MK_LBUTTON);
    EXPECT_EQ(pBar->GetButtonStyle(0) & TBBS_PRESSED, 0u);
    Send(pBar, WM_MOUSEMOVE, ptOpen, MK_LBUTTON);
    EXPECT_NE(pBar->GetButtonStyle(0) & TBBS_PRESSED, 0u);
    Send(pBar, WM_MOUSEMOVE, ptOff, MK_LBUTTON);
    Send(pBar, WM_LBUTTONUP, ptOff);
    EXPECT_EQ(frame->commands.size(), 1u);
    EXPECT_EQ(pBar->GetButtonStyle(0) & TBBS_PRESSED, 0u);
    EXPECT_EQ(::GetCapture(), (HWND)NULL);
}

TEST_F(InteractTest, CheckBoxesAndIndeterminateButtonsToggleOnRelease) {
    struct Case {
        UINT before, after;
    } const cases[] = {
        {TBBS_CHECKBOX, TBBS_CHECKBOX | TBBS_CHECKED},
        {TBBS_CHECKBOX | TBBS_CHECKED, TBBS_CHECKBOX},
        {TBBS_CHECKBOX | TBBS_INDETERMINATE, TBBS_CHECKBOX | TBBS_CHECKED},
        {TBBS_CHECKBOX | TBBS_INDETERMINATE | TBBS_CHECKED, TBBS_CHECKBOX},
        {0, 0},
    };
    CSPToolBar* pBar = NewBar(IDR_MAIN);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.before);
        pBar->SetButtonStyle(1, c.before);
        Click(pBar, Center(pBar, 1));
        EXPECT_EQ(pBar->GetButtonStyle(1), c.after);
    }
    EXPECT_EQ(frame->commands.size(), 5u);
}

TEST_F(InteractTest, DisabledButtonsSendNothing) {
    CSPToolBar* pBar = NewBar(IDR_MAIN);
    // Disabled before the press: never pressed.
    pBar->SetButtonStyle(0, TBBS_DISABLED);
    Click(pBar, Center(pBar, 0));
    EXPECT_EQ(pBar->GetButtonStyle(0), (UINT)TBBS_DISABLED);

    // Disabled during the press (as a command update would): no command,
    // no toggle.
    pBar->SetButtonStyle(1, TBBS_CHECKBOX);
    Send(pBar, WM_LBUTTONDOWN, Center(pBar, 1), MK_LBUTTON);
    pBar->SetButtonStyle(1, TBBS_CHECKBOX | TBBS_DISABLED);
    Send(pBar, WM_LBUTTONUP, Center(pBar, 1));
    EXPECT_EQ(pBar->GetButtonStyle(1), (UINT)(TBBS_CHECKBOX | TBBS_DISABLED));
    EXPECT_TRUE(frame->commands.empty());
}

TEST_F(InteractTest, BarDestroyedByItsOwnCommand) {
    CSPToolBar* pBar = NewBar(IDR_MAIN);
    frame->onCommand = [pBar](UINT) { pBar->DestroyWindow(); };
    Click(pBar, Center(pBar, 0));
    EXPECT_EQ(frame->commands, std::vector<UINT>{ID_OPEN});
    EXPECT_EQ(pBar->GetSafeHwnd(), (HWND)NULL);
}

TEST_F(InteractTest, MnemonicsLaterButtonWins) {
    SPSetMenuSoundPlayer(CountSound);
    CSPToolBar* pBar = NewBar(IDR_MAIN);
    pBar->SetButtonUserData(0, "&Open", TRUE, FALSE);
    pBar->SetButtonUserData(3, "&Other", TRUE, FALSE);  // Print
    pBar->InsertButtonCopy(CSPToolbarButton((UINT)-1, -1, "&Zed"), -1);
    pBar->GetButton(pBar->GetCount() - 1)->m_bText = TRUE;
    pBar->AdjustLayout();

    EXPECT_TRUE(pBar->FindButtonByMnemonic('o'));
    EXPECT_FALSE(pBar->FindButtonByMnemonic('z'));  // command -1
    EXPECT_FALSE(pBar->FindButtonByMnemonic('q'));  // none
    Pump();
    EXPECT_EQ(frame->commands, std::vector<UINT>{ID_PRINT});
    for (int i = 0; i < 200 && g_nSounds == 0; i++) ::Sleep(5);
    EXPECT_EQ(g_nSounds, 1);
    SPSetMenuSoundPlayer(NULL);
}

TEST_F(InteractTest, EscapeReturnsTheFocus) {
    frame->ShowWindow(SW_SHOWNOACTIVATE);
    CSPToolBar* pBar = NewBar(IDR_MAIN);
    CEdit edit;
    ASSERT_TRUE(edit.Create(WS_CHILD | WS_VISIBLE, CRect(0, 100, 100, 120), frame, 1234));
    frame->SetActiveWindow();
    edit.SetFocus();
    pBar->SetFocus();
    if (::GetFocus() != pBar->GetSafeHwnd()) GTEST_SKIP() << "the window manager gave the bar no focus";
    MSG msg = {pBar->GetSafeHwnd(), WM_KEYDOWN, VK_ESCAPE, 0};
    EXPECT_TRUE(pBar->PreTranslateMessage(&msg));
    EXPECT_EQ(::GetFocus(), edit.GetSafeHwnd());
    edit.DestroyWindow();
}

TEST_F(InteractTest, PromptIds) {
    struct Case {
        UINT id, prompt;
    } const cases[] = {
        {0xF060, 0xEF06}, {0xF000, 0xEF00}, {0xF1EF, 0xEF1E}, {0xF1F0, 0xF1F0},
        {0xFF00, 0xEF1F}, {ID_OPEN, ID_OPEN}, {(UINT)-1, AFX_IDS_IDLEMESSAGE},
    };
    CSPToolBar* pBar = NewBar(IDR_MAIN);
    for (const Case& c : cases) {
        frame->prompts.clear();
        pBar->ShowCommandMessageString(c.id);
        EXPECT_EQ(frame->prompts, std::vector<UINT>{c.prompt}) << std::hex << c.id;
    }
    // Hot tracking shows the hot button's prompt, leaving it the idle one.
    frame->prompts.clear();
    Send(pBar, WM_MOUSEMOVE, Center(pBar, 1));
    EXPECT_EQ(pBar->GetHighlightedIndex(), 1);
    Send(pBar, WM_MOUSEMOVE, CPoint(1000, 1000));
    EXPECT_EQ(frame->prompts, (std::vector<UINT>{ID_SAVE, AFX_IDS_IDLEMESSAGE}));
}

TEST_F(InteractTest, CommonControlQueries) {
    CSPToolBar* pBar = NewBar(IDR_MAIN);
    pBar->SetButtonText(0, "Open");
    pBar->SetButtonStyle(0, TBBS_CHECKBOX | TBBS_CHECKED);
    EXPECT_EQ(pBar->SendMessage(TB_BUTTONCOUNT), 6);
    TBBUTTON info;
    ASSERT_TRUE(pBar->SendMessage(TB_GETBUTTON, 0, (LPARAM)&info));
    EXPECT_EQ(info.idCommand, ID_OPEN);
    EXPECT_EQ(info.fsStyle, TBBS_CHECKBOX);
    EXPECT_EQ(info.fsState, TBBS_CHECKED >> 16);
    char text[32] = {0};
    EXPECT_EQ(pBar->SendMessage(TB_GETBUTTONTEXTA, ID_OPEN, (LPARAM)text), 4);
    EXPECT_STREQ(text, "Open");
    RECT rect;
    EXPECT_TRUE(pBar->SendMessage(TB_GETITEMRECT, 1, (LPARAM)&rect));
    EXPECT_EQ(CRect(rect), pBar->GetButton(1)->Rect());
}

// Requests made while a sound plays collapse into the latest.
TEST(MenuSoundsTest, RequestsCollapseIntoTheLatest) {
    static volatile LONG nPlaying = 0, nPlayed = 0;
    static char lastEvent[32];
    SPSetMenuSoundPlayer([](LPCSTR lpszEvent) {
        if (lpszEvent == NULL) return;
        ::InterlockedIncrement(&nPlaying);
        ::Sleep(200);
        lstrcpynA(lastEvent, lpszEvent, sizeof(lastEvent));
        ::InterlockedIncrement(&nPlayed);
    });
    const LONG nBefore = nPlayed;
    SPPlayMenuSound(SP_SOUND_MENU_POPUP);
    for (int i = 0; i < 400 && nPlaying == 0; i++) ::Sleep(5);
    SPPlayMenuSound(SP_SOUND_MENU_COMMAND);
    SPPlayMenuSound(SP_SOUND_MENU_POPUP);
    SPPlayMenuSound(SP_SOUND_MENU_COMMAND);
    for (int i = 0; i < 400 && SPGetMenuSoundRequest() != SP_SOUND_IDLE; i++) ::Sleep(5);
    EXPECT_EQ(nPlayed - nBefore, 2);
    EXPECT_STREQ(lastEvent, "MenuCommand");
    SPSetMenuSoundPlayer(NULL);
    // The real player with events that may have no sound: nothing fails.
    SPPlayMenuSound(SP_SOUND_MENU_POPUP);
    for (int i = 0; i < 400 && SPGetMenuSoundRequest() != SP_SOUND_IDLE; i++) ::Sleep(5);
    EXPECT_EQ(SPGetMenuSoundRequest(), SP_SOUND_IDLE);
}
