// Helpers of the button appearance tests: solid test images, pixels of a
// bitmap, and a library frame with the test toolbar (whose strip fills the
// shared images) and a collection of user images.
#pragma once
#include "afxwin.h"
#include <gtest/gtest.h>

#include <memory>

#include "MessagePump.h"
#include "SPButtonImages.h"
#include "SPCommandManager.h"
#include "SPDrawEffects.h"
#include "SPFrameWnd.h"
#include "SPToolBar.h"
#include "appearance_res.h"

namespace apptest {

// A bitmap of the screen's kind filled with one colour.
inline HBITMAP SolidBitmap(int cx, int cy, COLORREF color) {
    HBITMAP hbm = SPCreateScreenBitmap(cx, cy);
    CDC dc;
    dc.CreateCompatibleDC(NULL);
    HGDIOBJ hOld = ::SelectObject(dc.GetSafeHdc(), hbm);
    dc.FillSolidRect(0, 0, cx, cy, color);
    ::SelectObject(dc.GetSafeHdc(), hOld);
    return hbm;
}

inline COLORREF PixelOf(HBITMAP hbm, int x, int y) {
    CDC dc;
    dc.CreateCompatibleDC(NULL);
    HGDIOBJ hOld = ::SelectObject(dc.GetSafeHdc(), hbm);
    const COLORREF color = dc.GetPixel(x, y);
    ::SelectObject(dc.GetSafeHdc(), hOld);
    return color;
}

// The pixels of a bitmap that have the colour.
inline int CountPixels(HBITMAP hbm, COLORREF color) {
    BITMAP bmp = {};
    ::GetObject(hbm, sizeof(bmp), &bmp);
    CDC dc;
    dc.CreateCompatibleDC(NULL);
    HGDIOBJ hOld = ::SelectObject(dc.GetSafeHdc(), hbm);
    int n = 0;
    for (int y = 0; y < bmp.bmHeight; y++)
        for (int x = 0; x < bmp.bmWidth; x++)
            if (dc.GetPixel(x, y) == color) n++;
    ::SelectObject(dc.GetSafeHdc(), hOld);
    return n;
}

// A frame with the test toolbar and three user images: red, green, blue.
class AppearanceTest : public ::testing::Test {
protected:
    CSPFrameWnd* frame = NULL;
    std::unique_ptr<CSPToolBar> bar;
    CSPButtonImages userImages;

    static constexpr COLORREF clrRed = RGB(255, 0, 0);
    static constexpr COLORREF clrGreen = RGB(0, 255, 0);
    static constexpr COLORREF clrBlue = RGB(0, 0, 255);

    void SetUp() override {
        ASSERT_TRUE(SUCCEEDED(::OleInitialize(NULL)));
        frame = new CSPFrameWnd;
        ASSERT_TRUE(frame->LoadFrame(IDR_APPFRAME, WS_OVERLAPPEDWINDOW));
        bar.reset(new CSPToolBar);
        ASSERT_TRUE(bar->Create(frame, WS_CHILD | WS_VISIBLE | CBRS_TOP, AFX_IDW_TOOLBAR));
        ASSERT_TRUE(bar->LoadToolBar(IDR_APPBAR));
        bar->SetWindowText(_T("Standard"));
        frame->ShowWindow(SW_SHOWNOACTIVATE);
        userImages.SetImageSize(CSize(16, 15));
        for (COLORREF color : {clrRed, clrGreen, clrBlue}) {
            HBITMAP hbm = SolidBitmap(16, 15, color);
            userImages.AddImage(hbm);
            ::DeleteObject(hbm);
        }
        ASSERT_TRUE(CSPToolBar::SetUserImages(&userImages));
        PumpPending();
    }
    void TearDown() override {
        // The command manager outlives the test: it forgets the user images.
        for (UINT uiCmd : {ID_A_NEW, ID_A_OPEN, ID_A_SAVE, ID_A_NOIMAGE}) SPGetCommandManager()->ClearCmdImage(uiCmd);
        CSPToolBar::m_pUserImages = NULL;
        bar.reset();
        if (frame != NULL && ::IsWindow(frame->GetSafeHwnd())) frame->DestroyWindow();
        PumpPending();
        ::OleUninitialize();
    }
    // The colour of a user image's pixel.
    COLORREF UserPixel(int iImage, int x, int y) {
        return PixelOf(userImages.GetImageWell(), iImage * 16 + x, y);
    }
};

}  // namespace apptest
