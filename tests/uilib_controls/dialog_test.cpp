// Dialog bases: background colour and bitmap, transparent statics, and the
// menu helper with a stand-in popup menu (keys, clicks, accelerators).
#include "SPDialog.h"
#include "SPPropertyPage.h"
#include "test_support.h"
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

// A dialog template in memory: a popup with a caption and one static.
std::vector<WORD> MakeTemplate() {
    std::vector<WORD> t;
    auto dword = [&t](DWORD d) {
        t.push_back(LOWORD(d));
        t.push_back(HIWORD(d));
    };
    auto text = [&t](const char* psz) {
        for (; *psz != 0; psz++) t.push_back((WORD)(BYTE)*psz);
        t.push_back(0);
    };
    dword(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_SETFONT | DS_MODALFRAME);
    dword(0);
    t.push_back(1);  // items
    t.push_back(10);
    t.push_back(10);
    t.push_back(160);
    t.push_back(100);
    t.push_back(0);  // menu
    t.push_back(0);  // class
    text("Dialog test");
    t.push_back(8);
    text("MS Shell Dlg");
    if (t.size() % 2) t.push_back(0);  // DWORD alignment of the item
    dword(WS_CHILD | WS_VISIBLE | SS_LEFT);
    dword(0);
    t.push_back(10);
    t.push_back(10);
    t.push_back(60);
    t.push_back(12);
    t.push_back(600);
    t.push_back(0xFFFF);
    t.push_back(0x0082);  // static
    text("Label");
    t.push_back(0);
    return t;
}

const UINT idCommand = 0x7000;

class CTestDialog : public CSPDialog {
public:
    int nCommands = 0;
    BOOL CreateFromMemory(CWnd* pParent) {
        m_template = MakeTemplate();
        return CreateIndirect((LPCDLGTEMPLATE)m_template.data(), pParent);
    }
    afx_msg void OnTestCommand() { nCommands++; }
    HBRUSH CtlColorOf(CWnd* pChild, CDC* pDC) {
        return (HBRUSH)SendMessage(WM_CTLCOLORSTATIC, (WPARAM)pDC->GetSafeHdc(), (LPARAM)pChild->GetSafeHwnd());
    }

protected:
    std::vector<WORD> m_template;
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CTestDialog, CSPDialog)
    ON_COMMAND(idCommand, OnTestCommand)
END_MESSAGE_MAP()

int g_nHitAnswer = 4;

// The stand-in popup menu: a window recording what reaches it.
class CFakePopup : public CWnd, public ISPDialogPopupMenu {
public:
    CWnd* GetPopupWnd() override { return this; }
    int MenuHitTest(CPoint) override { return g_nHitAnswer; }
    CSPPopupMenu* GetParentPopupMenu() const override { return NULL; }
    BOOL GetParentButtonRect(CRect&, BOOL&, BOOL&) override { return FALSE; }
    BOOL IsOverParentMenuBar(CPoint) override { return FALSE; }

    std::vector<std::string> received;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_KEYDOWN) received.push_back("key" + std::to_string((int)wParam));
        if (message == WM_CLOSE) received.push_back("close");
        return CWnd::WindowProc(message, wParam, lParam);
    }
};


struct DialogFixture : ::testing::Test {
    CHostWnd host;
    CTestDialog dlg;
    CFakePopup popup;
    void SetUp() override {
        ASSERT_TRUE(host.CreateHost());
        ASSERT_TRUE(dlg.CreateFromMemory(&host));
        g_nHitAnswer = 4;
        LPCTSTR lpszClass = AfxRegisterWndClass(0);
        ASSERT_TRUE(popup.CreateEx(WS_EX_TOOLWINDOW, lpszClass, _T(""), WS_POPUP, 300, 300, 80, 60,
                                   NULL, NULL));
    }
    void TearDown() override {
        dlg.SetActiveMenu(NULL);
        if (popup.GetSafeHwnd() != NULL) popup.DestroyWindow();
        if (dlg.GetSafeHwnd() != NULL) dlg.DestroyWindow();
    }
    void OpenPopup() { dlg.SetActiveMenu(reinterpret_cast<CSPPopupMenu*>(&popup)); }
};

TEST_F(DialogFixture, OpenPopupHooksTheMouseAndClosingUnhooks) {
    EXPECT_FALSE(CSPDialogMenuHelper::IsMouseHooked());
    OpenPopup();
    EXPECT_TRUE(CSPDialogMenuHelper::IsMouseHooked());
    EXPECT_EQ(&dlg.GetMenuHelper(), CSPDialogMenuHelper::GetCurrentHelper());
    dlg.SetActiveMenu(NULL);
    EXPECT_FALSE(CSPDialogMenuHelper::IsMouseHooked());
    EXPECT_EQ(NULL, CSPDialogMenuHelper::GetCurrentHelper());
}

TEST_F(DialogFixture, KeysGoToTheOpenPopupAndAltClosesIt) {
    MSG key = {dlg.GetSafeHwnd(), WM_KEYDOWN, VK_DOWN, 0};
    EXPECT_FALSE(dlg.GetMenuHelper().ProcessMessage(&key));  // no popup yet
    OpenPopup();
    EXPECT_TRUE(dlg.PreTranslateMessage(&key));
    MSG alt = {dlg.GetSafeHwnd(), WM_SYSKEYDOWN, VK_MENU, 0};
    EXPECT_TRUE(dlg.PreTranslateMessage(&alt));
    const std::vector<std::string> expected = {"key40", "close"};
    EXPECT_EQ(expected, popup.received);
    EXPECT_FALSE(::IsWindow(popup.m_hWnd));
    // with the popup gone Alt goes on as usual
    EXPECT_FALSE(dlg.GetMenuHelper().ProcessMessage(&alt));
}

TEST_F(DialogFixture, ClickOnTheCaptionClosesThePopupAndGoesOn) {
    OpenPopup();
    CRect rectWindow;
    dlg.GetWindowRect(rectWindow);
    const CPoint ptCaption(rectWindow.left + 20, rectWindow.top + 5);
    MSG click = {dlg.GetSafeHwnd(), WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(ptCaption.x, ptCaption.y)};
    EXPECT_FALSE(dlg.PreTranslateMessage(&click));
    const std::vector<std::string> expected = {"close"};
    EXPECT_EQ(expected, popup.received);
}

TEST_F(DialogFixture, ClickOnThePopupsOwnBorderClosesItAndFocusesTheDialog) {
    OpenPopup();
    g_nHitAnswer = 1;
    EXPECT_TRUE(dlg.GetMenuHelper().ProcessMouseClick(CPoint(310, 310)));
    EXPECT_FALSE(::IsWindow(popup.m_hWnd));
    // answers that leave the popup open
    ASSERT_TRUE(popup.CreateEx(0, AfxRegisterWndClass(0), _T(""), WS_POPUP, 300, 300, 80, 60, NULL, NULL));
    for (int nHit : {0, 3, 5}) {
        g_nHitAnswer = nHit;
        EXPECT_FALSE(dlg.GetMenuHelper().ProcessMouseClick(CPoint(310, 310)));
        EXPECT_TRUE(::IsWindow(popup.m_hWnd));
    }
}

TEST_F(DialogFixture, AcceleratorWhileThePopupIsOpenClosesItInsteadOfRunning) {
    dlg.SendMessage(WM_COMMAND, MAKEWPARAM(idCommand, 1), 0);
    EXPECT_EQ(1, dlg.nCommands);
    OpenPopup();
    dlg.SendMessage(WM_COMMAND, MAKEWPARAM(idCommand, 1), 0);
    EXPECT_EQ(1, dlg.nCommands);
    const std::vector<std::string> expected = {"key27"};
    EXPECT_EQ(expected, popup.received);
    // a menu command (not an accelerator) is not the helper's
    dlg.SendMessage(WM_COMMAND, MAKEWPARAM(idCommand, 0), 0);
    EXPECT_EQ(2, dlg.nCommands);
}

TEST_F(DialogFixture, MouseMovesOutsideTheOpenPopupAreSwallowed) {
    MSG move = {dlg.GetSafeHwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(5, 5)};
    EXPECT_FALSE(dlg.PreTranslateMessage(&move));
    OpenPopup();
    EXPECT_TRUE(dlg.PreTranslateMessage(&move));
    EXPECT_FALSE(dlg.GetMenuHelper().ProcessMouseMove(CPoint(320, 320)));
}

TEST_F(DialogFixture, DisabledDialogDrawsItsCaptionInactive) {
    BOOL bActive = TRUE;
    dlg.EnableWindow(FALSE);
    dlg.GetMenuHelper().OnNcActivate(bActive);
    EXPECT_FALSE(bActive);
    dlg.EnableWindow(TRUE);
    dlg.m_nFlags |= WF_STAYACTIVE;
    bActive = FALSE;
    dlg.GetMenuHelper().OnNcActivate(bActive);
    EXPECT_TRUE(bActive);
    dlg.m_nFlags &= ~WF_STAYACTIVE;
}

// A 10 x 10 bitmap of one colour.
HBITMAP MakeBitmap(COLORREF clr) {
    HDC hdcScreen = ::GetDC(NULL);
    HBITMAP hbm = ::CreateCompatibleBitmap(hdcScreen, 10, 10);
    HDC hdc = ::CreateCompatibleDC(hdcScreen);
    ::ReleaseDC(NULL, hdcScreen);
    HGDIOBJ hOld = ::SelectObject(hdc, hbm);
    CDC::FromHandle(hdc)->FillSolidRect(CRect(0, 0, 10, 10), clr);
    ::SelectObject(hdc, hOld);
    ::DeleteDC(hdc);
    return hbm;
}

TEST_F(DialogFixture, BackgroundColourAndBitmapLocations) {
    const COLORREF clrBrush = RGB(10, 200, 30), clrBitmap = RGB(200, 20, 40);
    CRect rectClient;
    dlg.GetClientRect(rectClient);
    MemoryDC mem(rectClient.Width(), rectClient.Height());

    dlg.SetBackgroundColor(clrBrush, FALSE);
    dlg.SendMessage(WM_ERASEBKGND, (WPARAM)mem.dc.GetSafeHdc());
    EXPECT_EQ(rectClient.Width() * rectClient.Height(), mem.Count(rectClient, clrBrush));

    // tiled: the bitmap covers everything, the brush never shows
    dlg.SetBackgroundImage(MakeBitmap(clrBitmap), CSPDialog::BACKGR_TILE, TRUE, FALSE);
    mem.Fill(rectClient, RGB(0, 0, 0));
    dlg.SendMessage(WM_ERASEBKGND, (WPARAM)mem.dc.GetSafeHdc());
    EXPECT_EQ(0, mem.Count(rectClient, clrBrush));
    EXPECT_EQ(rectClient.Width() * rectClient.Height(), mem.Count(rectClient, clrBitmap));

    struct Case {
        int nLocation;
        CPoint pt;  // a pixel of the bitmap
    } cases[] = {
        {CSPDialog::BACKGR_TOPLEFT, CPoint(0, 0)},
        {CSPDialog::BACKGR_TOPRIGHT, CPoint(rectClient.right - 1, 0)},
        {CSPDialog::BACKGR_BOTTOMLEFT, CPoint(0, rectClient.bottom - 1)},
        {CSPDialog::BACKGR_BOTTOMRIGHT, CPoint(rectClient.right - 1, rectClient.bottom - 1)},
        {7, CPoint(0, 0)},
    };
    for (const Case& c : cases) {
        dlg.SetBackgroundImage(MakeBitmap(clrBitmap), c.nLocation, TRUE, FALSE);
        dlg.SendMessage(WM_ERASEBKGND, (WPARAM)mem.dc.GetSafeHdc());
        EXPECT_EQ(100, mem.Count(rectClient, clrBitmap)) << c.nLocation;
        EXPECT_EQ(clrBitmap, mem.Pixel(c.pt.x, c.pt.y)) << c.nLocation;
        EXPECT_EQ(rectClient.Width() * rectClient.Height() - 100, mem.Count(rectClient, clrBrush)) << c.nLocation;
    }
}

TEST_F(DialogFixture, ImageThatDoesNotLoadLeavesTheOldOne) {
    HBITMAP hbm = MakeBitmap(RGB(1, 2, 3));
    dlg.SetBackgroundImage(hbm, CSPDialog::BACKGR_TOPLEFT, TRUE, FALSE);
    EXPECT_FALSE(dlg.SetBackgroundImage(31999u, CSPDialog::BACKGR_TILE, FALSE));
    EXPECT_EQ(hbm, dlg.GetBackgroundImage());
    EXPECT_EQ(CSPDialog::BACKGR_TOPLEFT, dlg.GetBackgroundLocation());
    EXPECT_TRUE(dlg.SetBackgroundImage(0u, CSPDialog::BACKGR_TILE, FALSE));
    EXPECT_EQ(NULL, dlg.GetBackgroundImage());
}

TEST_F(DialogFixture, StaticsAreTransparentOverABackground) {
    CWnd* pStatic = dlg.GetDlgItem(600);
    ASSERT_NE(nullptr, pStatic);
    MemoryDC mem(10, 10);
    EXPECT_NE((HBRUSH)::GetStockObject(HOLLOW_BRUSH), dlg.CtlColorOf(pStatic, &mem.dc));
    dlg.SetBackgroundColor(RGB(10, 200, 30), FALSE);
    EXPECT_EQ((HBRUSH)::GetStockObject(HOLLOW_BRUSH), dlg.CtlColorOf(pStatic, &mem.dc));
    EXPECT_EQ(TRANSPARENT, ::GetBkMode(mem.dc.GetSafeHdc()));
}

TEST(PropertyPageBase, IsCreatableAndHasItsHelper) {
    CObject* pObj = RUNTIME_CLASS(CSPPropertyPage)->CreateObject();
    CSPPropertyPage* pPage = DYNAMIC_DOWNCAST(CSPPropertyPage, pObj);
    ASSERT_NE(nullptr, pPage);
    EXPECT_EQ(pPage, pPage->GetMenuHelper().GetOwner());
    delete pObj;
}

}  // namespace
