// A maximised MDI child's icon and caption buttons on the menu bar: which
// buttons show, where they sit, what they send, and the icon's system menu
// and double click.
#include "afxwin.h"
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "MessagePump.h"
#include "SPMenuBar.h"
#include "SPRegistry.h"
#include "SPTempStateStore.h"
#include "TestRegistry.h"
#include "SPPopupMenu.h"
#include "SPToolbarSystemMenuButton.h"

namespace {

// The system commands the children got, kept apart from them: a closed
// child deletes itself.
std::vector<UINT> g_sysCommands;

// A child that records the system commands it gets (and still obeys them).
class CRecordingChild : public CMDIChildWnd {
protected:
    afx_msg void OnSysCommand(UINT nID, LPARAM lParam) {
        g_sysCommands.push_back(nID & 0xFFF0);
        CMDIChildWnd::OnSysCommand(nID, lParam);
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CRecordingChild, CMDIChildWnd)
    ON_WM_SYSCOMMAND()
END_MESSAGE_MAP()

class CMenuBarMDIFrame : public CMDIFrameWnd {
public:
    CSPMenuBar menuBar;
};

class MDIMenuBarTest : public ::testing::Test {
protected:
    CMenuBarMDIFrame* frame = NULL;
    HMENU hMenu = NULL;

    void SetUp() override {
        frame = new CMenuBarMDIFrame;
        ASSERT_TRUE(frame->Create(NULL, _T("MDI menu bar test"), WS_OVERLAPPEDWINDOW, CRect(10, 10, 650, 450)));
        ASSERT_TRUE(frame->menuBar.Create(frame));
        hMenu = ::CreateMenu();
        HMENU hFile = ::CreatePopupMenu();
        ::AppendMenuA(hFile, MF_STRING, 501, "&Open");
        HMENU hEdit = ::CreatePopupMenu();
        ::AppendMenuA(hEdit, MF_STRING, 502, "&Copy");
        ::AppendMenuA(hMenu, MF_POPUP, (UINT_PTR)hFile, "&File");
        ::AppendMenuA(hMenu, MF_POPUP, (UINT_PTR)hEdit, "&Edit");
        ASSERT_TRUE(frame->menuBar.CreateFromMenu(hMenu, TRUE));
        CRect rectClient;
        frame->GetClientRect(rectClient);
        frame->menuBar.SetWindowPos(NULL, 0, 0, rectClient.Width(), 24, SWP_NOZORDER);
        frame->ShowWindow(SW_SHOWNORMAL);
        PumpPending();
    }
    void TearDown() override {
        if (CSPPopupMenu* pActive = CSPPopupMenu::GetActiveMenu()) pActive->DestroyWindow();
        PumpPending();
        if (frame != NULL && ::IsWindow(frame->GetSafeHwnd())) frame->DestroyWindow();
        PumpPending();
        if (hMenu != NULL) ::DestroyMenu(hMenu);
    }
    CRecordingChild* NewChild(DWORD dwStyle) {
        g_sysCommands.clear();
        CRecordingChild* pChild = new CRecordingChild;
        if (!pChild->Create(NULL, _T("Document"), WS_CHILD | WS_VISIBLE | dwStyle, CRect(0, 0, 200, 150), frame)) {
            return NULL;
        }
        frame->MDIMaximize(pChild);
        PumpPending();
        return pChild;
    }
    std::vector<UINT> CaptionCommands() {
        std::vector<UINT> cmds;
        for (UINT i = 0; CSPToolbarMenuButtonsButton* p = frame->menuBar.GetMenuBarButton(i); i++)
            cmds.push_back(p->GetSysCommand());
        return cmds;
    }
};

// The child's boxes decide which caption buttons show; they sit at the end
// of the bar, the icon at its start, and off again removes them all.
TEST_F(MDIMenuBarTest, CaptionButtonsFollowTheChildsBoxes) {
    struct {
        DWORD dwStyle;
        std::vector<UINT> expected;
    } cases[] = {{WS_OVERLAPPEDWINDOW, {SC_MINIMIZE, SC_RESTORE, SC_CLOSE}},
                 {WS_OVERLAPPEDWINDOW & ~WS_MINIMIZEBOX, {SC_RESTORE, SC_CLOSE}},
                 {WS_CAPTION | WS_SYSMENU | WS_THICKFRAME, {SC_CLOSE}}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << std::hex << c.dwStyle);
        CRecordingChild* pChild = NewChild(c.dwStyle);
        ASSERT_NE(nullptr, pChild);
        CSPMenuBar& bar = frame->menuBar;
        bar.SetMaximizeMode(TRUE, pChild);
        ASSERT_TRUE(bar.IsMaximizeMode());
        ASSERT_NE(nullptr, bar.GetSystemMenu());
        EXPECT_EQ(c.expected, CaptionCommands());
        ASSERT_EQ((int)(3 + c.expected.size()), bar.GetCount());
        EXPECT_FALSE(bar.GetButton(0)->CanBeStored());
        // The last caption button ends in the bar's bottom-right corner.
        CRect rectClient;
        bar.GetClientRect(rectClient);
        CSPToolbarButton* pLast = bar.GetButton(bar.GetCount() - 1);
        EXPECT_FALSE(pLast->CanBeStored());
        EXPECT_EQ(rectClient.right, pLast->Rect().right);
        EXPECT_EQ(rectClient.bottom, pLast->Rect().bottom);

        bar.SetMaximizeMode(FALSE);
        EXPECT_EQ(2, bar.GetCount());
        EXPECT_EQ(nullptr, bar.GetSystemMenu());
        pChild->MDIDestroy();
        PumpPending();
    }
    // Without a child the mode stays off.
    frame->menuBar.SetMaximizeMode(TRUE, NULL);
    EXPECT_FALSE(frame->menuBar.IsMaximizeMode());
}

// The caption buttons send their system command to the active child; Alt
// then Down opens the first menu past the icon; arrows skip the icon and
// the caption buttons.
TEST_F(MDIMenuBarTest, CaptionButtonsSendAndKeysSkipThem) {
    CRecordingChild* pChild = NewChild(WS_OVERLAPPEDWINDOW);
    ASSERT_NE(nullptr, pChild);
    CSPMenuBar& bar = frame->menuBar;
    bar.SetMaximizeMode(TRUE, pChild);
    ASSERT_NE(nullptr, bar.GetMenuBarButton(SC_MINIMIZE, TRUE));
    EXPECT_TRUE(bar.OnSendCommand(bar.GetMenuBarButton(SC_MINIMIZE, TRUE)));
    PumpPending();
    EXPECT_EQ(std::vector<UINT>{SC_MINIMIZE}, g_sysCommands);

    MSG msg = {frame->GetSafeHwnd(), WM_SYSKEYDOWN, VK_MENU, 0};
    bar.TranslateFrameMessage(&msg);
    msg.message = WM_SYSKEYUP;
    bar.TranslateFrameMessage(&msg);
    EXPECT_EQ(1, bar.GetHotIndex());  // past the icon
    MSG key = {bar.GetSafeHwnd(), WM_KEYDOWN, VK_LEFT, 0};
    EXPECT_TRUE(bar.PreTranslateMessage(&key));
    EXPECT_EQ(2, bar.GetHotIndex());  // wrapped to the last menu, not a caption button
    key.wParam = VK_RIGHT;
    EXPECT_TRUE(bar.PreTranslateMessage(&key));
    EXPECT_EQ(1, bar.GetHotIndex());
    key.wParam = VK_DOWN;
    EXPECT_TRUE(bar.PreTranslateMessage(&key));
    PumpPending();
    CSPToolbarMenuButton* pFile = DYNAMIC_DOWNCAST(CSPToolbarMenuButton, bar.GetButton(1));
    ASSERT_NE(nullptr, pFile);
    EXPECT_NE(nullptr, pFile->m_pPopupMenu);
}

// The icon's menu mirrors the states the child's system menu has now; a
// double click closes the child unless Close is greyed.
TEST_F(MDIMenuBarTest, IconMenuStatesAndDoubleClick) {
    CRecordingChild* pChild = NewChild(WS_OVERLAPPEDWINDOW);
    ASSERT_NE(nullptr, pChild);
    CSPMenuBar& bar = frame->menuBar;
    bar.SetMaximizeMode(TRUE, pChild);
    CSPToolbarSystemMenuButton* pIcon = bar.GetSystemMenu();
    ASSERT_NE(nullptr, pIcon);
    HMENU hSys = ::GetSystemMenu(pChild->GetSafeHwnd(), FALSE);
    ::EnableMenuItem(hSys, SC_MOVE, MF_BYCOMMAND | MF_GRAYED);
    ::EnableMenuItem(hSys, SC_CLOSE, MF_BYCOMMAND | MF_GRAYED);
    HMENU hShown = pIcon->CreateMenu();
    ASSERT_NE(nullptr, hShown);
    EXPECT_TRUE(::GetMenuState(hShown, SC_MOVE, MF_BYCOMMAND) & MF_GRAYED);
    EXPECT_FALSE(::GetMenuState(hShown, SC_SIZE, MF_BYCOMMAND) & MF_GRAYED);
    ::DestroyMenu(hShown);

    pIcon->OnDblClk(&bar);  // Close greyed: the child stays
    PumpPending();
    EXPECT_TRUE(g_sysCommands.empty());
    ::EnableMenuItem(hSys, SC_CLOSE, MF_BYCOMMAND | MF_ENABLED);
    pIcon->OnDblClk(&bar);
    PumpPending();
    EXPECT_EQ(std::vector<UINT>{SC_CLOSE}, g_sysCommands);
}

// Storing, reloading and resetting the menu layouts while a child is
// maximised: the icon and caption buttons come back on the bar, and no
// stored layout holds them.
TEST_F(MDIMenuBarTest, ReloadAndResetPutTheCaptionButtonsBack) {
    CRecordingChild* pChild = NewChild(WS_OVERLAPPEDWINDOW);
    ASSERT_NE(nullptr, pChild);
    CSPMenuBar& bar = frame->menuBar;
    bar.SetMaximizeMode(TRUE, pChild);
    const std::vector<UINT> captions = {SC_MINIMIZE, SC_RESTORE, SC_CLOSE};
    ASSERT_EQ(captions, CaptionCommands());
    const CString strProfile = SPGetRegPath(_T("MDIMenuBarLayouts"));
    const struct {
        const char* pszName;
        std::function<BOOL()> op;
    } ops[] = {{"save", [&] { return bar.SaveState(strProfile, 0); }},
               {"reload", [&] { return bar.LoadState(strProfile, 0); }},
               {"reset", [&] { return bar.RestoreOriginalState(); }}};
    for (const auto& op : ops) {
        SCOPED_TRACE(op.pszName);
        ASSERT_TRUE(op.op());
        EXPECT_TRUE(bar.IsMaximizeMode());
        EXPECT_NE(nullptr, bar.GetSystemMenu());
        EXPECT_EQ(captions, CaptionCommands());
        EXPECT_EQ(6, bar.GetCount());
    }
    // The layout kept for the menu is the two menus alone.
    bar.SetMaximizeMode(FALSE);
    CSPMenuBar other;
    ASSERT_TRUE(other.Create(frame));
    ASSERT_TRUE(spTempStateStore.LoadState((UINT)(UINT_PTR)bar.GetHMenu(), &other));
    EXPECT_EQ(2, other.GetCount());
    other.DestroyWindow();
    spTempStateStore.RemoveAll();
    DeleteRegTree((LPCSTR)strProfile);
}

// Without an MDI frame the caption buttons only beep.
TEST(MenuBarWithoutMDI, CaptionButtonDoesNothingButBeep) {
    CFrameWnd* pFrame = new CFrameWnd;
    ASSERT_TRUE(pFrame->Create(NULL, _T("plain frame")));
    CSPMenuBar bar;
    ASSERT_TRUE(bar.Create(pFrame));
    CSPToolbarMenuButtonsButton button(SC_CLOSE);
    EXPECT_TRUE(bar.OnSendCommand(&button));
    CSPToolbarButton plain(600, -1, _T("Plain"));
    EXPECT_FALSE(bar.OnSendCommand(&plain));
    pFrame->DestroyWindow();
    PumpPending();
}

}  // namespace
