// The host of the tab window tests: a hidden top-level window holding one
// CSPTabWnd, recording the registered notices it gets and answering the
// changing and rename notices as a test asks.
#pragma once
#include <gtest/gtest.h>
#include <memory>
#include <vector>

#include "MessagePump.h"
#include "SPTabWnd.h"
#include "afxwin.h"

struct TabNotice {
    UINT nMsg;
    WPARAM wParam;
    LPARAM lParam;
};

class CTabHost : public CWnd {
public:
    std::vector<TabNotice> notices;
    LRESULT lChangingAnswer = 0;
    LRESULT lRenameAnswer = 0;

    BOOL CreateHost(int cx, int cy) {
        LPCTSTR lpszClass = AfxRegisterWndClass(0, ::LoadCursor(NULL, IDC_ARROW), (HBRUSH)(COLOR_BTNFACE + 1));
        return CreateEx(0, lpszClass, _T("Tabs test"), WS_POPUP | WS_CLIPCHILDREN, 10, 10, cx, cy, NULL, NULL);
    }
    ~CTabHost() override {
        if (m_hWnd != NULL) DestroyWindow();
    }
    int Count(UINT nMsg) const {
        int n = 0;
        for (const TabNotice& notice : notices)
            if (notice.nMsg == nMsg) n++;
        return n;
    }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == SP_WM_CHANGING_ACTIVE_TAB || message == SP_WM_CHANGE_ACTIVE_TAB ||
            message == SP_WM_ON_MOVE_TAB || message == SP_WM_ON_RENAME_TAB || message == SP_WM_ON_HSCROLL) {
            notices.push_back({message, wParam, lParam});
            if (message == SP_WM_CHANGING_ACTIVE_TAB) return lChangingAnswer;
            if (message == SP_WM_ON_RENAME_TAB) return lRenameAnswer;
            return 0;
        }
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

// A host with a tab window and the tabs' own windows (control ids from 101).
class TabFixture : public ::testing::Test {
protected:
    CTabHost host;
    CSPTabWnd tabs;
    std::vector<std::unique_ptr<CWnd>> windows;

    void Make(CSPTabWnd::Style style, int cx = 400, int cy = 200,
              CSPTabWnd::Location location = CSPTabWnd::LOCATION_TOP, BOOL bClose = FALSE) {
        ASSERT_TRUE(host.CreateHost(cx, cy));
        ASSERT_TRUE(tabs.Create(style, CRect(0, 0, cx, cy), &host, 1, location, bClose));
    }
    CWnd* NewWindow(UINT nID) {
        windows.emplace_back(new CWnd);
        CWnd* pWnd = windows.back().get();
        LPCTSTR lpszClass = AfxRegisterWndClass(0);
        pWnd->CreateEx(0, lpszClass, _T(""), WS_CHILD, CRect(0, 0, 10, 10), &tabs, nID);
        return pWnd;
    }
    void AddTabs(int n, LPCTSTR lpszPrefix = _T("Tab ")) {
        for (int i = 0; i < n; i++) {
            CString strLabel;
            strLabel.Format(_T("%s%d"), lpszPrefix, i);
            tabs.AddTab(NewWindow(101 + (UINT)windows.size()), strLabel);
        }
    }
    BOOL Shown(int iTab) { return (tabs.GetTabWnd(iTab)->GetStyle() & WS_VISIBLE) != 0; }
};
