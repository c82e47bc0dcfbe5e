// Library buttons: kinds from the style, check and radio states by click
// and key, size to content, and drawing into memory DCs.
#include "SPButton.h"
#include "SPClientHooks.h"
#include "SPGlobalData.h"
#include "SPWinXPVisualManager.h"
#include "test_support.h"
#include <gtest/gtest.h>
#include <memory>

namespace {

struct ButtonFixture : ::testing::Test {
    CHostWnd host;
    void SetUp() override { ASSERT_TRUE(host.CreateHost()); }

    std::unique_ptr<CSPButton> Make(LPCTSTR lpszText, DWORD dwStyle, UINT nID, const CRect& rect) {
        std::unique_ptr<CSPButton> p(new CSPButton);
        EXPECT_TRUE(p->Create(lpszText, WS_CHILD | WS_VISIBLE | dwStyle, rect, &host, nID));
        return p;
    }
    static void Click(CSPButton& button) {
        CRect rect;
        button.GetClientRect(rect);
        const LPARAM lParam = MAKELPARAM(rect.Width() / 2, rect.Height() / 2);
        button.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, lParam);
        button.SendMessage(WM_LBUTTONUP, 0, lParam);
    }
    // Draws the button as the system would ask for it.
    static void Draw(CSPButton& button, MemoryDC& mem, UINT uiState = 0) {
        DRAWITEMSTRUCT dis = {};
        dis.CtlType = ODT_BUTTON;
        dis.hwndItem = button.GetSafeHwnd();
        dis.hDC = mem.dc.GetSafeHdc();
        button.GetClientRect(&dis.rcItem);
        dis.itemState = uiState;
        button.DrawItem(&dis);
    }
};

TEST_F(ButtonFixture, KindComesFromTheStyleAndTheButtonIsOwnerDrawn) {
    struct Case {
        DWORD dwStyle;
        BOOL bCheck, bRadio, bAuto;
        int nAlign;
    } cases[] = {
        {BS_PUSHBUTTON, FALSE, FALSE, FALSE, CSPButton::ALIGN_CENTER},
        {BS_DEFPUSHBUTTON, FALSE, FALSE, FALSE, CSPButton::ALIGN_CENTER},
        {BS_CHECKBOX | BS_LEFT, TRUE, FALSE, FALSE, CSPButton::ALIGN_LEFT},
        {BS_AUTOCHECKBOX | BS_RIGHT, TRUE, FALSE, TRUE, CSPButton::ALIGN_RIGHT},
        {BS_RADIOBUTTON, FALSE, TRUE, FALSE, CSPButton::ALIGN_CENTER},
        {BS_AUTORADIOBUTTON | BS_LEFT, FALSE, TRUE, TRUE, CSPButton::ALIGN_LEFT},
    };
    for (const Case& c : cases) {
        auto p = Make(_T("Kind"), c.dwStyle, 100, CRect(0, 0, 80, 24));
        EXPECT_EQ((DWORD)BS_OWNERDRAW, p->GetStyle() & BS_TYPEMASK) << std::hex << c.dwStyle;
        EXPECT_EQ(c.bCheck, p->IsCheckBox()) << std::hex << c.dwStyle;
        EXPECT_EQ(c.bRadio, p->IsRadioButton()) << std::hex << c.dwStyle;
        EXPECT_EQ(c.bAuto, p->IsAutoCheck()) << std::hex << c.dwStyle;
        EXPECT_EQ(c.nAlign, p->m_nAlignStyle) << std::hex << c.dwStyle;
    }
}

TEST_F(ButtonFixture, SubclassedDialogControlBecomesOwnerDrawnToo) {
    HWND hwnd = ::CreateWindow(_T("BUTTON"), _T("Sub"), WS_CHILD | WS_VISIBLE | BS_AUTOCHECKBOX, 0, 0, 80, 24,
                               host.GetSafeHwnd(), (HMENU)101, NULL, NULL);
    CSPButton button;
    ASSERT_TRUE(button.SubclassWindow(hwnd));
    EXPECT_EQ((DWORD)BS_OWNERDRAW, button.GetStyle() & BS_TYPEMASK);
    EXPECT_TRUE(button.IsCheckBox() && button.IsAutoCheck());
    Click(button);
    EXPECT_EQ(1, button.GetCheck());
    EXPECT_EQ(BST_CHECKED, ::SendMessage(hwnd, BM_GETCHECK, 0, 0));
}

TEST_F(ButtonFixture, AutoCheckBoxTogglesOnClickAndSpaceAndTellsTheParent) {
    auto p = Make(_T("Check"), BS_AUTOCHECKBOX, 110, CRect(0, 0, 80, 24));
    Click(*p);
    EXPECT_EQ(1, p->GetCheck());
    Click(*p);
    EXPECT_EQ(0, p->GetCheck());
    EXPECT_EQ(2, host.Count(110));

    MSG msg = {p->GetSafeHwnd(), WM_KEYDOWN, VK_SPACE, 0};
    EXPECT_TRUE(p->PreTranslateMessage(&msg));
    EXPECT_EQ(1, p->GetCheck());
    EXPECT_EQ(3, host.Count(110));

    // a plain check box is the program's to check
    auto plain = Make(_T("Plain"), BS_CHECKBOX, 111, CRect(0, 30, 80, 54));
    Click(*plain);
    EXPECT_EQ(0, plain->GetCheck());
    EXPECT_EQ(1, host.Count(111));
}

TEST_F(ButtonFixture, RadioGroupKeepsOneCheckedByClickAndArrowKeys) {
    host.ShowWindow(SW_SHOWNA);  // the arrow keys skip hidden radio buttons
    auto r1 = Make(_T("One"), BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP, 121, CRect(0, 0, 80, 20));
    auto r2 = Make(_T("Two"), BS_AUTORADIOBUTTON, 122, CRect(0, 20, 80, 40));
    auto r3 = Make(_T("Three"), BS_AUTORADIOBUTTON, 123, CRect(0, 40, 80, 60));
    auto other = Make(_T("Next group"), BS_PUSHBUTTON | WS_GROUP, 124, CRect(0, 60, 80, 80));

    Click(*r1);
    EXPECT_EQ(1, r1->GetCheck());
    Click(*r2);
    EXPECT_EQ(0, r1->GetCheck());
    EXPECT_EQ(1, r2->GetCheck());
    // clicking the checked one again keeps it checked
    Click(*r2);
    EXPECT_EQ(1, r2->GetCheck());
    EXPECT_EQ(0, r1->GetCheck() + r3->GetCheck());

    MSG down = {r2->GetSafeHwnd(), WM_KEYDOWN, VK_DOWN, 0};
    EXPECT_TRUE(r2->PreTranslateMessage(&down));
    EXPECT_EQ(1, r3->GetCheck());
    EXPECT_EQ(0, r2->GetCheck());
    EXPECT_EQ(1, host.Count(123));

    MSG up = {r3->GetSafeHwnd(), WM_KEYDOWN, VK_UP, 0};
    EXPECT_TRUE(r3->PreTranslateMessage(&up));
    EXPECT_EQ(1, r2->GetCheck());
    EXPECT_EQ(0, r3->GetCheck());

    // a disabled radio button is skipped
    r3->EnableWindow(FALSE);
    MSG down2 = {r2->GetSafeHwnd(), WM_KEYDOWN, VK_DOWN, 0};
    r2->PreTranslateMessage(&down2);
    EXPECT_EQ(1, r1->GetCheck());
    EXPECT_EQ(0, r3->GetCheck());
}

TEST_F(ButtonFixture, ReturnAndClickOnDownSendTheCommandAtOnce) {
    auto p = Make(_T("Go"), BS_PUSHBUTTON, 130, CRect(0, 0, 80, 24));
    MSG ret = {p->GetSafeHwnd(), WM_KEYDOWN, VK_RETURN, 0};
    EXPECT_TRUE(p->PreTranslateMessage(&ret));
    EXPECT_EQ(1, host.Count(130));

    p->m_bClickOnDown = TRUE;
    p->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    EXPECT_EQ(2, host.Count(130));
    p->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(2, host.Count(130));
}

TEST_F(ButtonFixture, ReleaseOutsideIsNoClickAndStateReachesTheVisualManager) {
    auto p = Make(_T("Out"), BS_AUTOCHECKBOX, 140, CRect(0, 0, 80, 24));
    p->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    SPButtonInfo info = SPClientHooks::GetButtonInfo(p.get());
    EXPECT_EQ(p.get(), info.pWnd);
    EXPECT_TRUE(info.bPushed && info.bHighlighted);
    p->SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(200, 5));
    EXPECT_FALSE(SPClientHooks::GetButtonInfo(p.get()).bPushed);
    p->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(200, 5));
    EXPECT_EQ(0, p->GetCheck());
    EXPECT_EQ(0, host.Count(140));
    EXPECT_NE(p.get(), CWnd::GetCapture());
}

TEST_F(ButtonFixture, SizeToContentOfAnEmptyButtonIsFontHeightPlusTen) {
    auto p = Make(_T(""), BS_PUSHBUTTON, 150, CRect(0, 0, 80, 40));
    CClientDC dc(p.get());
    CFont* pOld = (CFont*)dc.SelectStockObject(DEFAULT_GUI_FONT);
    TEXTMETRIC tm = {};
    ::GetTextMetrics(dc.GetSafeHdc(), &tm);
    const CSize sizeText = dc.GetTextExtent(CString(_T("Label")));
    dc.SelectObject(pOld);

    const CSize size = p->SizeToContent();
    EXPECT_EQ(CSize(10, tm.tmHeight + 10), size);
    CRect rect;
    p->GetWindowRect(rect);
    EXPECT_EQ(size, rect.Size());

    // a label adds its width plus 10 more, an image its width
    p->SetWindowText(_T("Label"));
    EXPECT_EQ(10 + 10 + sizeText.cx, p->SizeToContent(TRUE).cx);
}

TEST_F(ButtonFixture, FlatButtonShowsItsBorderOnlyUnderTheMouse) {
    auto p = Make(_T(""), BS_PUSHBUTTON, 160, CRect(0, 0, 40, 24));
    p->m_nFlatStyle = CSPButton::BUTTONSTYLE_FLAT;
    MemoryDC mem(40, 24);
    Draw(*p, mem);
    EXPECT_EQ(spGlobalData.clrBtnFace, mem.Pixel(0, 0));
    EXPECT_EQ(spGlobalData.clrBtnFace, mem.Pixel(39, 23));

    p->SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(10, 10));
    EXPECT_TRUE(p->IsHighlighted());
    Draw(*p, mem);
    EXPECT_EQ(spGlobalData.clrBtnHilite, mem.Pixel(0, 0));
    EXPECT_EQ(spGlobalData.clrBtnDkShadow, mem.Pixel(39, 23));

    // leaving ends the hot state and the capture
    p->SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(100, 100));
    EXPECT_FALSE(p->IsHighlighted());
    EXPECT_NE(p.get(), CWnd::GetCapture());

    // a 3D button always has its border
    p->m_nFlatStyle = CSPButton::BUTTONSTYLE_3D;
    Draw(*p, mem);
    EXPECT_EQ(spGlobalData.clrBtnHilite, mem.Pixel(0, 0));
}

// A 16 x 16 red square on the 3D face grey that the image lists mask away.
static HBITMAP MakeRedSquare() {
    HDC hdcScreen = ::GetDC(NULL);
    HBITMAP hbm = ::CreateCompatibleBitmap(hdcScreen, 16, 16);
    HDC hdc = ::CreateCompatibleDC(hdcScreen);
    ::ReleaseDC(NULL, hdcScreen);
    HGDIOBJ hOld = ::SelectObject(hdc, hbm);
    CDC::FromHandle(hdc)->FillSolidRect(CRect(0, 0, 16, 16), RGB(192, 192, 192));
    CDC::FromHandle(hdc)->FillSolidRect(CRect(4, 4, 12, 12), RGB(255, 0, 0));
    ::SelectObject(hdc, hOld);
    ::DeleteDC(hdc);
    return hbm;
}

TEST_F(ButtonFixture, ImageIsDrawnInColourAndGreyWhenDisabledAndTheCheckedHalfWhenChecked) {
    auto p = Make(_T(""), BS_AUTOCHECKBOX, 170, CRect(0, 0, 40, 40));
    p->SetImage(MakeRedSquare(), TRUE, NULL, TRUE);
    EXPECT_EQ(CSize(16, 16), p->GetImageSize());
    const COLORREF clrRed = RGB(255, 0, 0);

    MemoryDC mem(40, 40);
    Draw(*p, mem);
    EXPECT_EQ(64, mem.Count(CRect(0, 0, 40, 40), clrRed));
    // the masked background shows the face, not the bitmap's grey
    EXPECT_EQ(spGlobalData.clrBtnFace, mem.Pixel(13, 13));

    p->EnableWindow(FALSE);
    Draw(*p, mem, ODS_DISABLED);
    EXPECT_EQ(0, mem.Count(CRect(0, 0, 40, 40), clrRed));
    p->EnableWindow(TRUE);

    // a checked button without a checked half keeps the normal image;
    // with one it draws that
    p->SetCheck(1);
    p->m_bHighlightChecked = FALSE;
    Draw(*p, mem);
    EXPECT_EQ(64, mem.Count(CRect(0, 0, 40, 40), clrRed));
    HBITMAP hbmBlue = MakeRedSquare();
    {
        HDC hdc = ::CreateCompatibleDC(NULL);
        HGDIOBJ hOld = ::SelectObject(hdc, hbmBlue);
        CDC::FromHandle(hdc)->FillSolidRect(CRect(4, 4, 12, 12), RGB(0, 0, 255));
        ::SelectObject(hdc, hOld);
        ::DeleteDC(hdc);
    }
    p->SetCheckedImage(hbmBlue, TRUE, NULL, TRUE);
    Draw(*p, mem);
    EXPECT_EQ(0, mem.Count(CRect(0, 0, 40, 40), clrRed));
    EXPECT_EQ(64, mem.Count(CRect(0, 0, 40, 40), RGB(0, 0, 255)));
}

TEST_F(ButtonFixture, CheckedButtonIsDrawnPressedAndBrightened) {
    auto p = Make(_T(""), BS_AUTOCHECKBOX, 180, CRect(0, 0, 40, 24));
    p->SetCheck(1);
    MemoryDC mem(40, 24);
    Draw(*p, mem);
    EXPECT_EQ(spGlobalData.clrBtnDkShadow, mem.Pixel(0, 0));
    EXPECT_EQ(spGlobalData.clrBtnHilite, mem.Pixel(39, 23));
    // the inside is lighter than the face (unless the face is white already)
    if (spGlobalData.clrBtnFace != RGB(255, 255, 255)) {
        EXPECT_NE(spGlobalData.clrBtnFace, mem.Pixel(20, 12));
    }
}

TEST_F(ButtonFixture, AutoRepeatSendsCommandsWhileHeld) {
    auto p = Make(_T("Rep"), BS_PUSHBUTTON, 190, CRect(0, 0, 40, 24));
    p->SetAutoRepeatMode(10);
    p->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    // each timer tick while pressed and hot is one command
    p->SendMessage(WM_TIMER, 1, 0);
    p->SendMessage(WM_TIMER, 1, 0);
    EXPECT_EQ(2, host.Count(190));
    p->SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(200, 5));
    p->SendMessage(WM_TIMER, 1, 0);
    EXPECT_EQ(2, host.Count(190));
    p->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(200, 5));
}

TEST_F(ButtonFixture, AutoTooltipAppearsOnlyForALabelThatDoesNotFit) {
    auto narrow = Make(_T("A label far too long for its button"), BS_PUSHBUTTON, 195, CRect(0, 0, 40, 24));
    auto wide = Make(_T("Fits"), BS_PUSHBUTTON, 196, CRect(0, 30, 300, 54));
    MemoryDC mem(300, 24);
    for (CSPButton* p : {narrow.get(), wide.get()}) {
        p->SetAutoTooltip();
        Draw(*p, mem);
    }
    ASSERT_NE(nullptr, narrow->GetToolTipCtrl().GetSafeHwnd());
    TOOLINFO ti = {};
    char szText[80] = {};
    ti.cbSize = TTTOOLINFOA_V1_SIZE;
    ti.hwnd = narrow->GetSafeHwnd();
    ti.uId = 1;
    ti.lpszText = szText;
    narrow->GetToolTipCtrl().SendMessage(TTM_GETTEXT, sizeof(szText), (LPARAM)&ti);
    EXPECT_STREQ("A label far too long for its button", szText);
    EXPECT_EQ(nullptr, wide->GetToolTipCtrl().GetSafeHwnd());
}

// A themed manager that records which buttons it was asked to draw.
class CRecordingThemedManager : public CSPWinXPVisualManager {
    DECLARE_DYNCREATE(CRecordingThemedManager)

public:
    std::vector<CSPButton*> drawn;
    BOOL OnDrawPushButtonWinXP(CDC* pDC, CRect& rect, CSPButton* pButton, UINT) override {
        drawn.push_back(pButton);
        pDC->FillSolidRect(rect, RGB(1, 2, 3));
        return TRUE;
    }
};
IMPLEMENT_DYNCREATE(CRecordingThemedManager, CSPWinXPVisualManager)

TEST_F(ButtonFixture, ThemeSwitchOffersBordersToTheThemedManagerAndTracksHot) {
    auto p = Make(_T(""), BS_PUSHBUTTON, 197, CRect(0, 0, 40, 24));
    MemoryDC mem(40, 24);
    struct Reset {
        ~Reset() {
            CSPButton::EnableWinXPTheme(FALSE);
            CSPVisualManager::DestroyInstance();
        }
    } reset;
    CSPButton::EnableWinXPTheme(TRUE);
    CRecordingThemedManager* pManager = DYNAMIC_DOWNCAST(
        CRecordingThemedManager, CSPVisualManager::CreateVisualManager(RUNTIME_CLASS(CRecordingThemedManager)));
    ASSERT_NE(nullptr, pManager);
    Draw(*p, mem);
    ASSERT_EQ(1u, pManager->drawn.size());
    EXPECT_EQ(p.get(), pManager->drawn[0]);
    EXPECT_EQ(RGB(1, 2, 3), mem.Pixel(0, 0));
    // a 3D button tracks the mouse too while the switch is on
    p->SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    EXPECT_TRUE(p->IsHighlighted());
    p->SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(200, 5));

    CSPButton::EnableWinXPTheme(FALSE);
    Draw(*p, mem);
    EXPECT_EQ(1u, pManager->drawn.size());
    EXPECT_EQ(spGlobalData.clrBtnHilite, mem.Pixel(0, 0));
}

TEST(ButtonResources, HandCursorAndEditListStringsAreLinkedIn) {
    EXPECT_NE(nullptr, ::LoadCursor(::GetModuleHandle(NULL), MAKEINTRESOURCE(16919)));
    const struct {
        UINT nID;
        const char* psz;
    } strings[] = {{16017, "New"}, {16020, "Delete"}, {16021, "Move Item Up"}, {16022, "Move Item Down"}};
    for (const auto& s : strings) {
        CString str;
        EXPECT_TRUE(str.LoadString(s.nID)) << s.nID;
        EXPECT_STREQ(s.psz, str);
    }
}

}  // namespace
