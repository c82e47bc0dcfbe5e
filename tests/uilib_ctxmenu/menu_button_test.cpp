// The menu button: the menu through the library's popups, a choice reported
// with the button's id, a dismissal reporting nothing, no second menu while
// one is open, and the keys that open it.
#include "ctxmenu_support.h"

#include "SPMenuButton.h"

namespace ctxtest {
namespace {

// A parent that records the WM_COMMANDs of its children.
class CCommandParent : public CWnd {
public:
    std::vector<std::pair<UINT, HWND>> commands;

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override {
        commands.push_back({LOWORD(wParam), (HWND)lParam});
        return TRUE;
    }
};

struct MenuButtonTest : ContextMenuFixture {
    CCommandParent parent;
    CSPMenuButton button;
    HMENU hMenu = NULL;

    void SetUp() override {
        ContextMenuFixture::SetUp();
        ASSERT_TRUE(parent.CreateEx(0, AfxRegisterWndClass(0), _T("parent"), WS_CHILD | WS_VISIBLE,
                                    CRect(10, 10, 400, 300), frame, 50));
        ASSERT_TRUE(button.Create(_T("Options"), WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, CRect(20, 20, 140, 44),
                                  &parent, 77));
        hMenu = ::CreatePopupMenu();
        ::AppendMenuA(hMenu, MF_STRING, ID_CTX_ZOOM, "&Zoom");
        ::AppendMenuA(hMenu, MF_STRING, ID_CTX_FIT, "&Fit");
        button.m_hMenu = hMenu;
        button.m_bOSMenu = FALSE;
        button.m_bStayPressed = TRUE;
    }
    void TearDown() override {
        ::DestroyMenu(hMenu);
        ContextMenuFixture::TearDown();
    }
};

TEST_F(MenuButtonTest, ChoiceDismissalAndNoSecondMenu) {
    // Dismissed without a choice: nothing sent, nothing kept; a press while
    // the menu is open opens no second one.
    HWND hwndMenu = NULL;
    bool bSecondOpened = false;
    RunLater(50, [&] {
        CSPPopupMenu* pMenu = ActivePopup();
        if (pMenu == NULL) return;
        hwndMenu = pMenu->GetSafeHwnd();
        EXPECT_TRUE(button.IsMenuActive());
        EXPECT_TRUE(button.IsPressed()) << "stays pressed while open";
        button.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
        bSecondOpened = ActivePopup() != pMenu;
        pMenu->PostMessage(WM_KEYDOWN, VK_ESCAPE);
    });
    button.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    EXPECT_NE((HWND)NULL, hwndMenu);
    EXPECT_FALSE(bSecondOpened);
    EXPECT_EQ(0, button.m_nMenuResult);
    EXPECT_TRUE(parent.commands.empty());
    EXPECT_FALSE(button.IsMenuActive());
    EXPECT_FALSE(button.IsPressed());

    // The menu drops at the button's bottom-left corner; a choice is kept
    // and reported with the button's id. Down opens it from the keyboard.
    CPoint ptMenu;
    RunLater(50, [&] {
        CSPPopupMenu* pMenu = ActivePopup();
        if (pMenu == NULL) return;
        CRect rect;
        pMenu->GetWindowRect(rect);
        ptMenu = rect.TopLeft();
        pMenu->SendMessage(WM_KEYDOWN, VK_DOWN);
        pMenu->SendMessage(WM_KEYDOWN, VK_DOWN);
        pMenu->SendMessage(WM_KEYDOWN, VK_RETURN);
    });
    button.SendMessage(WM_KEYDOWN, VK_DOWN);
    CRect rectButton;
    button.GetWindowRect(rectButton);
    EXPECT_EQ(CPoint(rectButton.left, rectButton.bottom), ptMenu);
    EXPECT_EQ(ID_CTX_FIT, button.m_nMenuResult);
    ASSERT_EQ(1u, parent.commands.size());
    EXPECT_EQ(77u, parent.commands[0].first);
    EXPECT_EQ(button.GetSafeHwnd(), parent.commands[0].second);
    EXPECT_TRUE(frame->commands.empty());
}

TEST_F(MenuButtonTest, WithoutMenuNothingOpens) {
    button.m_hMenu = NULL;
    button.SendMessage(WM_KEYDOWN, VK_SPACE);
    EXPECT_EQ(nullptr, ActivePopup());
    EXPECT_FALSE(button.IsMenuActive());
    // The arrow widens the button by the glyph.
    button.m_hMenu = hMenu;
    const CSize size = button.SizeToContent(TRUE);
    EXPECT_EQ(size.cx, button.CSPButton::SizeToContent(TRUE).cx + 9);
}

}  // namespace
}  // namespace ctxtest
