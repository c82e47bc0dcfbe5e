// Helpers of the customisation sheet tests: a library frame loaded from the
// test menu and accelerators that records what the sheet tells it, with a
// toolbar and a plain child window; the sheet opened and closed over it.
#pragma once
#include "afxwin.h"
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "MessageBoxRecorder.h"
#include "MessagePump.h"
#include "SPFrameWnd.h"
#include "SPKeyboardPage.h"
#include "SPToolBar.h"
#include "SPToolbarCustomize.h"
#include "customize_res.h"

namespace custtest {

// The application's WinHelp calls (data, command), recorded by the test
// application instead of starting help.
extern std::vector<std::pair<DWORD_PTR, UINT>> g_winHelpCalls;

// A key message as the system sends it; bRepeat sets the auto-repeat bit.
inline MSG KeyMsg(HWND hWnd, UINT message, UINT vk, bool bRepeat = false) {
    MSG msg = {};
    msg.hwnd = hWnd;
    msg.message = message;
    msg.wParam = vk;
    msg.lParam = 1 | (bRepeat ? (1 << 30) : 0) | ((message == WM_KEYUP || message == WM_SYSKEYUP) ? (1u << 31) : 0);
    return msg;
}

// The hot-key edit armed (a click) and keys pressed into it.
inline void Arm(CSPHotKeyEdit& edit) {
    MSG click = {};
    click.hwnd = edit.m_hWnd;
    click.message = WM_LBUTTONDOWN;
    edit.PreTranslateMessage(&click);
}
inline void Press(CSPHotKeyEdit& edit, std::initializer_list<UINT> keys) {
    for (UINT vk : keys) {
        MSG down = KeyMsg(edit.m_hWnd, WM_KEYDOWN, vk);
        edit.PreTranslateMessage(&down);
    }
}

class CTestFrame : public CSPFrameWnd {
public:
    std::vector<int> customizeMessages;  // wParam of each "STOOLBAR_CUSTOMIZE"
    int nResetKeyboard = 0;
    std::vector<int> helpPages;  // wParam of each "STOOLBAR_CUSTOMIZEHELP"
    std::vector<UINT> resetContextMenus;  // wParam of each "STOOLBAR_RESETCONTEXTMENU"

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == SP_WM_CUSTOMIZETOOLBAR) customizeMessages.push_back((int)wParam);
        if (message == SP_WM_RESETKEYBOARD) nResetKeyboard++;
        if (message == SP_WM_CUSTOMIZEHELP) helpPages.push_back((int)wParam);
        if (message == SP_WM_RESETCONTEXTMENU) resetContextMenus.push_back((UINT)wParam);
        return CSPFrameWnd::WindowProc(message, wParam, lParam);
    }
};

class CustomizeTest : public ::testing::Test {
protected:
    CTestFrame* frame = NULL;
    std::unique_ptr<CSPToolBar> bar;
    CWnd child;  // stands for the view: disabled while customising

    void SetUp() override {
        ASSERT_TRUE(SUCCEEDED(::OleInitialize(NULL)));
        frame = new CTestFrame;
        ASSERT_TRUE(frame->LoadFrame(IDR_TESTFRAME, WS_OVERLAPPEDWINDOW));
        bar.reset(new CSPToolBar);
        ASSERT_TRUE(bar->Create(frame, WS_CHILD | WS_VISIBLE | CBRS_TOP, AFX_IDW_TOOLBAR));
        ASSERT_TRUE(bar->LoadToolBar(IDR_TESTBAR));
        bar->SetWindowText(_T("Standard"));
        const CSize size = bar->CalcFixedLayout(FALSE, TRUE);
        bar->SetWindowPos(NULL, 0, 0, size.cx, size.cy, SWP_NOZORDER | SWP_NOACTIVATE);
        bar->AdjustLocations();
        ASSERT_TRUE(child.CreateEx(0, _T("STATIC"), _T("view"), WS_CHILD | WS_VISIBLE, CRect(0, 60, 200, 160), frame,
                                   AFX_IDW_PANE_FIRST));
        frame->ShowWindow(SW_SHOWNOACTIVATE);
        PumpPending();
    }
    void TearDown() override {
        if (g_pWndCustomize != NULL) g_pWndCustomize->DestroyWindow();
        PumpPending();
        if (child.GetSafeHwnd() != NULL) child.DestroyWindow();
        bar.reset();
        if (frame != NULL && ::IsWindow(frame->GetSafeHwnd())) frame->DestroyWindow();
        PumpPending();
        ::OleUninitialize();
    }
    CSPToolbarCustomize* OpenSheet(BOOL bFromMenus = TRUE, UINT uiFlags = 0x0F) {
        CSPToolbarCustomize* pSheet = new CSPToolbarCustomize(frame, bFromMenus, uiFlags);
        EXPECT_TRUE(pSheet->Create());
        pSheet->ShowWindow(SW_SHOWNOACTIVATE);
        PumpPending();
        return pSheet;
    }
    static void CloseSheet(CSPToolbarCustomize* pSheet) {
        pSheet->SendMessage(WM_COMMAND, IDCANCEL);
        PumpPending();
    }
    // The page's window exists once it was shown.
    template <class TPage>
    static TPage* ShowPage(CSPToolbarCustomize* pSheet, TPage* pPage) {
        EXPECT_GE(pSheet->GetPageIndex(pPage), 0);
        pSheet->SetActivePage(pPage);
        PumpPending();
        return pPage;
    }
    static std::vector<std::string> Texts(CListBox& list) {
        std::vector<std::string> texts;
        for (int i = 0; i < list.GetCount(); i++) {
            CString str;
            list.GetText(i, str);
            texts.push_back((LPCTSTR)str);
        }
        return texts;
    }
    static std::vector<std::string> Texts(CComboBox& combo) {
        std::vector<std::string> texts;
        for (int i = 0; i < combo.GetCount(); i++) {
            CString str;
            combo.GetLBText(i, str);
            texts.push_back((LPCTSTR)str);
        }
        return texts;
    }
    // Selects an entry as the user would: the selection and its notification.
    static void SelectEntry(CListBox& list, int i) {
        list.SetCurSel(i);
        list.GetParent()->SendMessage(WM_COMMAND, MAKEWPARAM(list.GetDlgCtrlID(), LBN_SELCHANGE),
                                      (LPARAM)list.GetSafeHwnd());
    }
    static void SelectEntry(CComboBox& combo, int i) {
        combo.SetCurSel(i);
        combo.GetParent()->SendMessage(WM_COMMAND, MAKEWPARAM(combo.GetDlgCtrlID(), CBN_SELCHANGE),
                                       (LPARAM)combo.GetSafeHwnd());
    }
    static int FindEntry(CListBox& list, LPCTSTR lpszText) { return list.FindStringExact(-1, lpszText); }
};

}  // namespace custtest
