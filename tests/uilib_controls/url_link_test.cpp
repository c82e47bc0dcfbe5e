// Link buttons: what a click or Return opens (through a stand-in for the
// shell), a disabled link, and sizing to the label.
#include "SPURLLinkButton.h"
#include "test_support.h"
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

struct Opened {
    std::string file;
    int nShow;
    bool bVerb, bParams, bDir;
};
std::vector<Opened> g_opened;

HINSTANCE WINAPI RecordShellExecute(HWND, LPCSTR lpOperation, LPCSTR lpFile, LPCSTR lpParameters, LPCSTR lpDirectory,
                                    INT nShowCmd) {
    g_opened.push_back({lpFile != NULL ? lpFile : "", nShowCmd, lpOperation != NULL, lpParameters != NULL,
                        lpDirectory != NULL});
    return (HINSTANCE)42;
}

struct LinkFixture : ::testing::Test {
    CHostWnd host;
    CSPURLLinkButton link;
    CSPURLLinkButton::PFNSHELLEXECUTE pfnOld = NULL;

    void SetUp() override {
        g_opened.clear();
        pfnOld = CSPURLLinkButton::SetShellExecuteHook(&RecordShellExecute);
        ASSERT_TRUE(host.CreateHost());
        ASSERT_TRUE(link.Create(_T("www.example.org"), WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON,
                                CRect(20, 30, 220, 70), &host, 200));
    }
    void TearDown() override { CSPURLLinkButton::SetShellExecuteHook(pfnOld); }
    void Click() {
        link.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
        link.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    }
};

TEST_F(LinkFixture, ClickOpensPrefixAndUrlOrTheTextShownNormally) {
    struct Case {
        LPCTSTR lpszPrefix;
        LPCTSTR lpszURL;
        const char* pszExpected;
    } cases[] = {
        {NULL, NULL, "www.example.org"},
        {_T("http://"), NULL, "http://www.example.org"},
        {_T("mailto:"), _T("help@example.org"), "mailto:help@example.org"},
        {NULL, _T("C:\\docs\\guide.pdf"), "C:\\docs\\guide.pdf"},
    };
    for (const Case& c : cases) {
        g_opened.clear();
        link.SetURLPrefix(c.lpszPrefix);
        link.SetURL(c.lpszURL);
        Click();
        ASSERT_EQ(1u, g_opened.size()) << c.pszExpected;
        EXPECT_EQ(c.pszExpected, g_opened[0].file);
        // a document's program must not start hidden
        EXPECT_EQ(SW_SHOWNORMAL, g_opened[0].nShow);
        EXPECT_FALSE(g_opened[0].bVerb || g_opened[0].bParams || g_opened[0].bDir);
    }
}

TEST_F(LinkFixture, DisabledLinkDoesNothing) {
    link.EnableWindow(FALSE);
    Click();
    MSG up = {link.GetSafeHwnd(), WM_KEYUP, VK_RETURN, 0};
    link.PreTranslateMessage(&up);
    EXPECT_TRUE(g_opened.empty());
}

TEST_F(LinkFixture, ReturnOpensOnKeyUpAndSpaceIsSwallowed) {
    MSG downRet = {link.GetSafeHwnd(), WM_KEYDOWN, VK_RETURN, 0};
    MSG downSpace = {link.GetSafeHwnd(), WM_KEYDOWN, VK_SPACE, 0};
    MSG upSpace = {link.GetSafeHwnd(), WM_KEYUP, VK_SPACE, 0};
    EXPECT_TRUE(link.PreTranslateMessage(&downRet));
    EXPECT_TRUE(link.PreTranslateMessage(&downSpace));
    EXPECT_TRUE(link.PreTranslateMessage(&upSpace));
    EXPECT_TRUE(g_opened.empty());
    EXPECT_EQ(0, host.Count(200));
    MSG upRet = {link.GetSafeHwnd(), WM_KEYUP, VK_RETURN, 0};
    EXPECT_TRUE(link.PreTranslateMessage(&upRet));
    EXPECT_EQ(1u, g_opened.size());
}

TEST_F(LinkFixture, SizeToContentKeepsTheCornerOrCentres) {
    CRect rectOld;
    link.GetWindowRect(rectOld);
    host.ScreenToClient(rectOld);

    const CSize size = link.SizeToContent(FALSE, FALSE);
    CRect rect;
    link.GetWindowRect(rect);
    host.ScreenToClient(rect);
    EXPECT_EQ(rectOld.TopLeft(), rect.TopLeft());
    EXPECT_EQ(size, rect.Size());
    EXPECT_LT(size.cx, rectOld.Width());
    EXPECT_GT(size.cx, 6);

    link.SetWindowPos(NULL, rectOld.left, rectOld.top, rectOld.Width(), rectOld.Height(), SWP_NOZORDER);
    link.SizeToContent(TRUE, TRUE);
    link.GetWindowRect(rect);
    host.ScreenToClient(rect);
    EXPECT_EQ(rectOld.left + (rectOld.Width() - size.cx) / 2, rect.left);
    EXPECT_EQ(rectOld.top + (rectOld.Height() - size.cy) / 2, rect.top);
}

TEST_F(LinkFixture, DrawsItsLabelInTheLinkColoursWithoutBorder) {
    MemoryDC mem(200, 40);
    mem.Fill(CRect(0, 0, 200, 40), RGB(255, 255, 255));
    CRect rect(0, 0, 200, 40);
    link.OnDraw(&mem.dc, rect, 0);
    EXPECT_GT(mem.Count(rect, ::GetSysColor(COLOR_HIGHLIGHT)), 0);
    // no frame: the corners stay as they were
    EXPECT_EQ(RGB(255, 255, 255), mem.Pixel(0, 0));
    EXPECT_EQ(RGB(255, 255, 255), mem.Pixel(199, 39));
}

}  // namespace
