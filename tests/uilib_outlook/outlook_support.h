// Helpers of the outlook tests: a visible host window, square test images
// and the shared large-image collection emptied around each test.
#pragma once
#include "afxwin.h"

#include <gtest/gtest.h>

#include "SPOutlookBarPane.h"

namespace outlooktest {

// A square bitmap of one colour; the caller deletes it.
inline HBITMAP Square(int n, COLORREF clr) {
    CWindowDC dcScreen(NULL);
    CDC dc;
    dc.CreateCompatibleDC(&dcScreen);
    HBITMAP hbmp = ::CreateCompatibleBitmap(dcScreen.GetSafeHdc(), n, n);
    HGDIOBJ hOld = ::SelectObject(dc.GetSafeHdc(), hbmp);
    dc.FillSolidRect(0, 0, n, n, clr);
    ::SelectObject(dc.GetSafeHdc(), hOld);
    return hbmp;
}

// A shown (never activated) popup that holds the windows under test.
class HostTest : public ::testing::Test {
protected:
    CWnd host;

    void SetUp() override {
        CSPOutlookBarPane::CleanUpLargeImages();
        ASSERT_TRUE(host.CreateEx(0, AfxRegisterWndClass(0, ::LoadCursor(NULL, IDC_ARROW), (HBRUSH)(COLOR_BTNFACE + 1)),
                                  _T("outlook test"), WS_POPUP | WS_CAPTION | WS_CLIPCHILDREN, CRect(20, 20, 420, 520),
                                  NULL, 0));
        host.ShowWindow(SW_SHOWNOACTIVATE);
    }
    void TearDown() override {
        if (host.GetSafeHwnd() != NULL) host.DestroyWindow();
        CSPOutlookBarPane::CleanUpLargeImages();
    }
};

}  // namespace outlooktest
