// A library popup menu opened from a library dialog: keys go to the popup,
// Alt, a click outside and an accelerator close it (the accelerator does
// not run), the chosen command reaches the dialog, and the dialog keeps
// its active caption.
#include "afxwin.h"
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "MessagePump.h"
#include "SPDialog.h"
#include "SPDlgImpl.h"
#include "SPPopupMenu.h"

namespace {

enum { IDD_FIRST = 801, IDD_SECOND = 802, IDD_ACCEL = 803 };

// A captioned dialog without controls, from a template in memory.
class CMenuDialog : public CSPDialog {
public:
    std::vector<UINT> commands;

    BOOL CreateCaptioned(CWnd* pParent) {
        const char szCaption[] = "Dialog with a menu";
        m_template.assign(sizeof(DLGTEMPLATE) / sizeof(WORD), 0);
        DLGTEMPLATE* pTemplate = (DLGTEMPLATE*)m_template.data();
        pTemplate->style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE;
        pTemplate->x = pTemplate->y = 20;
        pTemplate->cx = 200;
        pTemplate->cy = 120;
        m_template.push_back(0);  // no menu
        m_template.push_back(0);  // the dialog class
        for (const char* p = szCaption; *p != 0; p++) m_template.push_back((WORD)(BYTE)*p);
        m_template.push_back(0);
        return CreateIndirect((LPCDLGTEMPLATE)m_template.data(), pParent);
    }

protected:
    std::vector<WORD> m_template;
    afx_msg void OnTestCommand(UINT nID) { commands.push_back(nID); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CMenuDialog, CSPDialog)
    ON_COMMAND_RANGE(IDD_FIRST, IDD_ACCEL, OnTestCommand)
END_MESSAGE_MAP()

class DialogPopupTest : public ::testing::Test {
public:
    CMenuDialog dlg;

    void SetUp() override {
        ASSERT_TRUE(dlg.CreateCaptioned(NULL));
        dlg.SetForegroundWindow();
        dlg.SetActiveWindow();
        PumpPending();
    }
    void TearDown() override {
        if (CSPPopupMenu* pActive = CSPPopupMenu::GetActiveMenu()) pActive->DestroyWindow();
        PumpPending();
        if (dlg.GetSafeHwnd() != NULL) dlg.DestroyWindow();
    }
    CSPPopupMenu* OpenMenu() {
        HMENU hMenu = ::CreatePopupMenu();
        ::AppendMenuA(hMenu, MF_STRING, IDD_FIRST, "&First");
        ::AppendMenuA(hMenu, MF_STRING, IDD_SECOND, "&Second");
        CRect rect;
        dlg.GetWindowRect(rect);
        CSPPopupMenu* pMenu = new CSPPopupMenu;
        if (!pMenu->Create(&dlg, rect.left + 40, rect.top + 60, hMenu, FALSE, TRUE)) {
            // it has deleted itself (PostNcDestroy)
            return NULL;
        }
        PumpPending();
        return pMenu;
    }
    BOOL Pre(UINT message, WPARAM wParam, LPARAM lParam = 0) {
        MSG msg = {dlg.GetSafeHwnd(), message, wParam, lParam};
        return dlg.PreTranslateMessage(&msg);
    }
};

TEST_F(DialogPopupTest, KeysReachThePopupAndTheCommandTheDialog) {
    const HWND hwndActive = ::GetActiveWindow();
    CSPPopupMenu* pMenu = OpenMenu();
    ASSERT_NE(nullptr, pMenu);
    EXPECT_EQ(&dlg.GetMenuHelper(), CSPDialogMenuHelper::GetCurrentHelper());
    EXPECT_EQ(hwndActive, ::GetActiveWindow());  // the popup takes no activation
    EXPECT_TRUE(Pre(WM_KEYDOWN, VK_DOWN));
    EXPECT_TRUE(Pre(WM_KEYDOWN, VK_DOWN));
    EXPECT_EQ(1, pMenu->GetMenuBar()->GetHotIndex());
    EXPECT_TRUE(Pre(WM_KEYDOWN, VK_RETURN));
    PumpPending();
    EXPECT_EQ(std::vector<UINT>{IDD_SECOND}, dlg.commands);
    EXPECT_EQ(nullptr, CSPPopupMenu::GetActiveMenu());
    EXPECT_EQ(nullptr, CSPDialogMenuHelper::GetCurrentHelper());
    EXPECT_FALSE(CSPDialogMenuHelper::IsMouseHooked());
}

// Each way of leaving closes the popup without running anything.
TEST_F(DialogPopupTest, AltClickOutsideAndAcceleratorCloseThePopup) {
    const struct {
        const char* name;
        std::function<void(DialogPopupTest&)> leave;
    } cases[] = {
        {"Alt", [](DialogPopupTest& t) { EXPECT_TRUE(t.Pre(WM_SYSKEYDOWN, VK_MENU)); }},
        {"caption click",
         [](DialogPopupTest& t) {
             CRect rect;
             t.dlg.GetWindowRect(rect);
             t.Pre(WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(rect.left + 20, rect.top + 8));
         }},
        {"accelerator",
         [](DialogPopupTest& t) { t.dlg.SendMessage(WM_COMMAND, MAKEWPARAM(IDD_ACCEL, 1), 0); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        CSPPopupMenu* pMenu = OpenMenu();
        ASSERT_NE(nullptr, pMenu);
        const HWND hwndMenu = pMenu->GetSafeHwnd();
        c.leave(*this);
        PumpPending();
        EXPECT_FALSE(::IsWindow(hwndMenu));
        EXPECT_EQ(nullptr, CSPDialogMenuHelper::GetCurrentHelper());
        EXPECT_TRUE(dlg.commands.empty());
    }
    // Without a popup the accelerator runs.
    dlg.SendMessage(WM_COMMAND, MAKEWPARAM(IDD_ACCEL, 1), 0);
    EXPECT_EQ(std::vector<UINT>{IDD_ACCEL}, dlg.commands);
}

}  // namespace
