// Windows: a strip of toolbar buttons painted in every state with each of the
// three visual managers, the parent frame of a window, and a child's
// background painted by its parent.
//
// With TW_FOUNDATION_SCREENSHOT set to a path, the strip window is also
// written there as a bitmap file (docs/ keeps a picture of it for review).
#include <gtest/gtest.h>
#include <stdlib.h>
#include <string>
#include <vector>
#include "SPButtonImages.h"
#include "SPMenuImages.h"
#include "SPToolbarState.h"
#include "SPToolbarButton.h"
#include "SPVisualManagerXP.h"
#include "SPWinXPVisualManager.h"
#include "fake_clients.h"
#include "test_support.h"
#include "WindowPicture.h"

namespace {

const int kButtonCX = 23, kButtonCY = 22, kRowCY = 34, kLabelCX = 150, kWindowCX = 560;

// Six 16 x 15 pictures drawn here, on the standard face grey.
HBITMAP DrawToolbarPictures() {
    HDC hdcScreen = ::GetDC(NULL);
    HBITMAP hbm = ::CreateCompatibleBitmap(hdcScreen, 16 * 6, 15);
    ::ReleaseDC(NULL, hdcScreen);
    CDC dc;
    dc.Attach(::CreateCompatibleDC(NULL));
    HGDIOBJ hOld = ::SelectObject(dc.GetSafeHdc(), hbm);
    dc.FillSolidRect(CRect(0, 0, 96, 15), RGB(192, 192, 192));
    // 0: a page
    dc.FillSolidRect(CRect(3, 1, 12, 14), RGB(255, 255, 255));
    dc.Draw3dRect(CRect(3, 1, 12, 14), RGB(0, 0, 0), RGB(0, 0, 0));
    for (int y = 4; y < 12; y += 2) dc.FillSolidRect(CRect(5, y, 10, y + 1), RGB(0, 0, 128));
    // 1: a folder
    dc.FillSolidRect(CRect(17, 3, 23, 5), RGB(128, 128, 0));
    dc.FillSolidRect(CRect(17, 5, 31, 13), RGB(255, 220, 0));
    dc.Draw3dRect(CRect(17, 5, 31, 13), RGB(128, 128, 0), RGB(128, 128, 0));
    // 2: a disk
    dc.FillSolidRect(CRect(34, 1, 47, 14), RGB(0, 0, 160));
    dc.FillSolidRect(CRect(36, 2, 45, 7), RGB(255, 255, 255));
    dc.FillSolidRect(CRect(37, 10, 44, 14), RGB(128, 128, 128));
    // 3: a red cross
    for (int i = 0; i < 10; i++) {
        dc.FillSolidRect(CRect(51 + i, 2 + i, 53 + i, 4 + i), RGB(220, 0, 0));
        dc.FillSolidRect(CRect(60 - i, 2 + i, 62 - i, 4 + i), RGB(220, 0, 0));
    }
    // 4: a green tick
    for (int i = 0; i < 4; i++) dc.FillSolidRect(CRect(66 + i, 7 + i, 68 + i, 9 + i), RGB(0, 160, 0));
    for (int i = 0; i < 8; i++) dc.FillSolidRect(CRect(70 + i, 10 - i, 72 + i, 12 - i), RGB(0, 160, 0));
    // 5: a magnifier
    CBrush brNull;
    brNull.CreateStockObject(NULL_BRUSH);
    CPen pen(PS_SOLID, 2, RGB(0, 0, 0));
    HGDIOBJ hOldPen = ::SelectObject(dc.GetSafeHdc(), pen.GetSafeHandle());
    HGDIOBJ hOldBrush = ::SelectObject(dc.GetSafeHdc(), brNull.GetSafeHandle());
    ::Ellipse(dc.GetSafeHdc(), 81, 1, 91, 11);
    ::MoveToEx(dc.GetSafeHdc(), 89, 10, NULL);
    ::LineTo(dc.GetSafeHdc(), 94, 14);
    ::SelectObject(dc.GetSafeHdc(), hOldBrush);
    ::SelectObject(dc.GetSafeHdc(), hOldPen);
    brNull.Detach();
    ::SelectObject(dc.GetSafeHdc(), hOld);
    ::DeleteDC(dc.Detach());
    return hbm;
}

struct ButtonCase {
    LPCSTR pszName;
    UINT nStyle;
    int state;
};
const ButtonCase kButtons[] = {
    {"normal", 0, 0},
    {"hot", 0, 2},
    {"pressed", TBBS_PRESSED, 1},
    {"checked", TBBS_CHECKED, 1},
    {"checked, hot", TBBS_CHECKED, 2},
    {"disabled", TBBS_DISABLED, 0},
};

CRuntimeClass* RowClass(int iRow) {
    switch (iRow) {
    case 0: return RUNTIME_CLASS(CSPVisualManager);
    case 1: return RUNTIME_CLASS(CSPVisualManagerXP);
    default: return RUNTIME_CLASS(CSPWinXPVisualManager);
    }
}

CRect ButtonRect(int iRow, int iButton) {
    const int x = kLabelCX + 14 + iButton * (kButtonCX + 1) + (iButton >= 6 ? 8 : 0);
    const int y = iRow * kRowCY + (kRowCY - kButtonCY) / 2;
    return CRect(x, y, x + kButtonCX, y + kButtonCY);
}

// Paints one row per visual manager, each made current for its row, the
// way a toolbar asks the current manager for every part it draws.
struct StripPainter {
    CSPButtonImages images;
    FakeBar bar{"CSPToolBar"};

    StripPainter() {
        HBITMAP hbm = DrawToolbarPictures();
        images.AddImage(hbm);
        ::DeleteObject(hbm);
        images.MapTo3dColors(FALSE);
        images.SetTransparentColor(spGlobalData.clrBtnFace);
    }

    void Paint(CDC* pDC, const CRect& rectClient) {
        pDC->FillSolidRect(rectClient, ::GetSysColor(COLOR_WINDOW));
        for (int iRow = 0; iRow < 3; iRow++) {
            CSPVisualManager* pManager = CSPVisualManager::CreateVisualManager(RowClass(iRow));
            const CRect rectRow(0, iRow * kRowCY, rectClient.right, (iRow + 1) * kRowCY);

            CRect rectLabel(rectRow);
            rectLabel.right = kLabelCX;
            rectLabel.left += 6;
            CFont* pOldFont = pDC->SelectObject(&spGlobalData.fontRegular);
            pDC->SetBkMode(TRANSPARENT);
            pDC->SetTextColor(::GetSysColor(COLOR_WINDOWTEXT));
            CString strName = pManager->GetRuntimeClass()->m_lpszClassName;
            pDC->DrawText(strName, rectLabel, DT_SINGLELINE | DT_VCENTER);
            if (pOldFont != NULL) pDC->SelectObject(pOldFont);

            CRect rectBar(kLabelCX, rectRow.top + 2, rectRow.right - 6, rectRow.bottom - 2);
            pManager->OnFillBarBackground(pDC, bar.AsBar(), rectBar, rectBar);
            pManager->OnDrawBarGripper(pDC, CRect(rectBar.left + 2, rectBar.top, rectBar.left + 10, rectBar.bottom),
                                       TRUE, bar.AsBar());

            for (int i = 0; i < 6; i++) DrawButton(pDC, pManager, ButtonRect(iRow, i), kButtons[i], i);

            CRect rectSep = ButtonRect(iRow, 6);
            rectSep.left -= 8;
            rectSep.right = rectSep.left + 8;
            pManager->OnDrawSeparator(pDC, bar.AsBar(), rectSep, TRUE);

            // A hot combo drop button and a progress pane at 60 %.
            CRect rectCombo = ButtonRect(iRow, 6);
            rectCombo.right = rectCombo.left + 14;
            pManager->OnDrawComboDropButton(pDC, rectCombo, FALSE, FALSE, TRUE, NULL);
            pManager->OnDrawComboBorder(pDC, rectCombo, FALSE, FALSE, TRUE, NULL);
            CRect rectProgress(rectCombo.right + 10, rectCombo.top + 4, rectCombo.right + 110, rectCombo.bottom - 4);
            pManager->OnDrawStatusBarPaneBorder(pDC, NULL, rectProgress, 0, 0);
            rectProgress.DeflateRect(1, 1);
            pManager->OnDrawStatusBarProgress(pDC, NULL, rectProgress, 100, 60, spGlobalData.clrHilite, (COLORREF)-1,
                                              (COLORREF)-1, TRUE);
        }
        // The menu glyphs under the strips, black and grey.
        const int yGlyphs = 3 * kRowCY + 4;
        CFont* pOldFont = pDC->SelectObject(&spGlobalData.fontRegular);
        CRect rectLabel(6, yGlyphs, kLabelCX, yGlyphs + 26);
        CString strLabel("CSPMenuImages");
        pDC->DrawText(strLabel, rectLabel, DT_SINGLELINE | DT_VCENTER);
        if (pOldFont != NULL) pDC->SelectObject(pOldFont);
        pDC->FillSolidRect(CRect(kLabelCX, yGlyphs, kLabelCX + 25 * 14 + 4, yGlyphs + 26), spGlobalData.clrBtnFace);
        for (int i = 0; i < 25; i++) {
            CSPMenuImages::Draw(pDC, i, CPoint(kLabelCX + 4 + i * 14, yGlyphs + 2), CSPMenuImages::ImageBlack);
            CSPMenuImages::Draw(pDC, i, CPoint(kLabelCX + 4 + i * 14, yGlyphs + 14), CSPMenuImages::ImageGray);
        }
    }

    void DrawButton(CDC* pDC, CSPVisualManager* pManager, const CRect& rect, const ButtonCase& c, int iImage) {
        CSPToolbarButton button(100 + iImage, iImage);
        button.m_nStyle = c.nStyle;
        button.SetRect(rect);
        pManager->OnFillButtonInterior(pDC, &button, rect, c.state);
        CSPDrawState ds;
        if (images.PrepareDraw(ds)) {
            const BOOL bDisabled = (c.nStyle & TBBS_DISABLED) != 0;
            const int x = rect.left + (rect.Width() - 16) / 2 + (c.state == 1 ? 1 : 0);
            const int y = rect.top + (rect.Height() - 15) / 2 + (c.state == 1 ? 1 : 0);
            images.Draw(pDC, x, y, iImage, FALSE, bDisabled);
            images.EndDraw(ds);
        }
        pManager->OnDrawButtonBorder(pDC, &button, rect, c.state);
    }
};

StripPainter* g_pPainter = NULL;

LRESULT CALLBACK StripWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_PAINT) {
        PAINTSTRUCT ps;
        HDC hdc = ::BeginPaint(hwnd, &ps);
        CDC dc;
        dc.Attach(hdc);
        CRect rect;
        ::GetClientRect(hwnd, &rect);
        if (g_pPainter != NULL) g_pPainter->Paint(&dc, rect);
        dc.Detach();
        ::EndPaint(hwnd, &ps);
        return 0;
    }
    if (msg == WM_ERASEBKGND) return 1;
    return ::DefWindowProcA(hwnd, msg, wParam, lParam);
}

HWND CreateTestWindow(LPCSTR pszClass, WNDPROC pfn, DWORD dwStyle, const CRect& rect, HWND hwndParent) {
    WNDCLASSA wc = {};
    if (!::GetClassInfoA(::GetModuleHandleA(NULL), pszClass, &wc)) {
        wc.lpfnWndProc = pfn;
        wc.hInstance = ::GetModuleHandleA(NULL);
        wc.hCursor = ::LoadCursorA(NULL, (LPCSTR)IDC_ARROW);
        wc.lpszClassName = pszClass;
        ::RegisterClassA(&wc);
    }
    return ::CreateWindowExA(0, pszClass, "", dwStyle, rect.left, rect.top, rect.Width(), rect.Height(), hwndParent,
                             NULL, ::GetModuleHandleA(NULL), NULL);
}

}  // namespace

TEST(StripWindow, PaintsEveryButtonStateWithEachManager) {
    ManagerReset reset;
    StripPainter painter;
    ASSERT_EQ(6, painter.images.GetCount());
    g_pPainter = &painter;
    HWND hwnd = CreateTestWindow("TwFoundationStrip", StripWndProc, WS_POPUP | WS_VISIBLE,
                                 CRect(40, 40, 40 + kWindowCX, 40 + 3 * kRowCY + 34), NULL);
    ASSERT_NE(nullptr, hwnd);
    ::UpdateWindow(hwnd);
    PumpPending();

    // What the window shows, read back from its DC: each row in its own look.
    HDC hdc = ::GetDC(hwnd);
    auto at = [&](int iRow, int iButton, int dx, int dy) {
        const CRect r = ButtonRect(iRow, iButton);
        return ::GetPixel(hdc, r.left + dx, r.top + dy);
    };
    // Classic: the pressed button is sunken, the hot one raised.
    EXPECT_EQ(spGlobalData.clrBtnShadow, at(0, 2, 0, 0));
    EXPECT_EQ(spGlobalData.clrBtnHilite, at(0, 2, kButtonCX - 1, kButtonCY - 1));
    EXPECT_EQ(spGlobalData.clrBtnHilite, at(0, 1, 0, 0));
    // XP: hot buttons are tinted and framed in the highlight colour.
    {
        CSPVisualManagerXP xp(TRUE);
        EXPECT_EQ(xp.m_clrMenuItemBorder, at(1, 1, 0, 0));
        EXPECT_EQ(xp.m_clrHighlight, at(1, 1, 1, 1));
        EXPECT_EQ(xp.m_clrHighlightDn, at(1, 2, 1, 1));
        EXPECT_EQ(xp.m_clrBarFace, at(1, 0, 1, 1));
    }
    ::ReleaseDC(hwnd, hdc);

    if (const char* pszPath = getenv("TW_FOUNDATION_SCREENSHOT")) {
        EXPECT_TRUE(WriteWindowBitmap(hwnd, pszPath)) << pszPath;
    }
    ::DestroyWindow(hwnd);
    g_pPainter = NULL;
}

// ---------------------------------------------------------------------------

namespace {

class FrameWindow : public CWnd {
public:
    BOOL IsFrameWnd() const override { return TRUE; }
};

// A floating frame names its owner frame itself: a window that is not its
// owner, to show that the interface is asked rather than the window tree.
class MiniFrameWindow : public CWnd, public ISPMiniFrame {
public:
    HWND m_hwndOwnerFrame = NULL;
    HWND GetOwnerFrameHwnd() const override { return m_hwndOwnerFrame; }
    BOOL HoldsToolBar() const override { return FALSE; }
};

}  // namespace

TEST(ParentFrame, WalksUpAndPassesMiniFramesToTheirOwner) {
    EXPECT_EQ(nullptr, SPGetParentFrame(NULL));
    CWnd noWindow;
    EXPECT_EQ(nullptr, SPGetParentFrame(&noWindow));

    FrameWindow frame;
    ASSERT_TRUE(frame.Attach(CreateTestWindow("TwFoundationPlain", ::DefWindowProcA, WS_OVERLAPPEDWINDOW,
                                              CRect(0, 0, 300, 200), NULL)));
    HWND hwndView = CreateTestWindow("TwFoundationPlain", ::DefWindowProcA, WS_CHILD, CRect(0, 0, 100, 100),
                                     frame.GetSafeHwnd());
    HWND hwndInner = CreateTestWindow("TwFoundationPlain", ::DefWindowProcA, WS_CHILD, CRect(0, 0, 50, 50), hwndView);
    EXPECT_EQ((CWnd*)&frame, (CWnd*)SPGetParentFrame(CWnd::FromHandle(hwndInner)));

    // A bar floating in a mini frame finds the frame that owns the mini frame.
    MiniFrameWindow mini;
    ASSERT_TRUE(mini.Attach(CreateTestWindow("TwFoundationPlain", ::DefWindowProcA, WS_POPUP, CRect(0, 0, 80, 80),
                                             NULL)));
    mini.m_hwndOwnerFrame = frame.GetSafeHwnd();
    HWND hwndBar = CreateTestWindow("TwFoundationPlain", ::DefWindowProcA, WS_CHILD, CRect(0, 0, 40, 40),
                                    mini.GetSafeHwnd());
    EXPECT_EQ((CWnd*)&frame, (CWnd*)SPGetParentFrame(CWnd::FromHandle(hwndBar)));

    // No frame above: NULL.
    HWND hwndLone = CreateTestWindow("TwFoundationPlain", ::DefWindowProcA, WS_POPUP, CRect(0, 0, 40, 40), NULL);
    HWND hwndLoneChild = CreateTestWindow("TwFoundationPlain", ::DefWindowProcA, WS_CHILD, CRect(0, 0, 10, 10), hwndLone);
    EXPECT_EQ(nullptr, SPGetParentFrame(CWnd::FromHandle(hwndLoneChild)));

    ::DestroyWindow(hwndLone);
    ::DestroyWindow(mini.Detach());
    ::DestroyWindow(frame.Detach());
}

namespace {
POINT g_ptEraseOrigin;
int g_nErase = 0;
LRESULT CALLBACK ParentWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_ERASEBKGND) {
        g_nErase++;
        ::GetWindowOrgEx((HDC)wParam, &g_ptEraseOrigin);
        return 1;
    }
    return ::DefWindowProcA(hwnd, msg, wParam, lParam);
}
HMODULE NoThemeLibrary() { return NULL; }
}  // namespace

TEST(ParentBackground, FallsBackToTheParentsEraseWithTheOriginShifted) {
    HWND hwndParent = CreateTestWindow("TwFoundationParent", ParentWndProc, WS_POPUP, CRect(0, 0, 200, 200), NULL);
    HWND hwndChild = CreateTestWindow("TwFoundationPlain", ::DefWindowProcA, WS_CHILD, CRect(30, 20, 80, 60), hwndParent);
    ASSERT_NE(nullptr, hwndChild);

    HMODULE (*pfnOld)() = SPGlobalData::s_pfnLoadUxTheme;
    if (spGlobalData.hinstUxTheme != NULL) {
        ::FreeLibrary(spGlobalData.hinstUxTheme);
        spGlobalData.hinstUxTheme = NULL;
    }
    SPGlobalData::s_pfnLoadUxTheme = NoThemeLibrary;

    MemoryDC mem(50, 40);
    g_nErase = 0;
    CRect rectClip(5, 5, 20, 20);
    EXPECT_TRUE(spGlobalData.DrawParentBackground(CWnd::FromHandle(hwndChild), &mem.dc, rectClip));
    EXPECT_EQ(1, g_nErase);
    EXPECT_EQ(30, g_ptEraseOrigin.x);
    EXPECT_EQ(20, g_ptEraseOrigin.y);
    POINT pt;
    ::GetWindowOrgEx(mem.dc.GetSafeHdc(), &pt);
    EXPECT_EQ(0, pt.x);  // put back
    HRGN hrgn = ::CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(0, ::GetClipRgn(mem.dc.GetSafeHdc(), hrgn));  // no clipping left
    ::DeleteObject(hrgn);

    EXPECT_FALSE(spGlobalData.DrawParentBackground(CWnd::FromHandle(hwndChild), NULL));
    SPGlobalData::s_pfnLoadUxTheme = pfnOld;
    ::DestroyWindow(hwndParent);
}

namespace {
int g_nPaints = 0;
LRESULT CALLBACK CountingWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_PAINT) {
        g_nPaints++;
        PAINTSTRUCT ps;
        ::BeginPaint(hwnd, &ps);
        ::EndPaint(hwnd, &ps);
        return 0;
    }
    return ::DefWindowProcA(hwnd, msg, wParam, lParam);
}
}  // namespace

// RedrawAll repaints the toolbars of the global list that are permanent
// windows of this thread.
TEST(RedrawAll, RepaintsTheListedToolbars) {
    ManagerReset reset;
    CWnd toolbar;
    ASSERT_TRUE(toolbar.Attach(CreateTestWindow("TwFoundationCounting", CountingWndProc, WS_POPUP | WS_VISIBLE,
                                                CRect(0, 0, 50, 20), NULL)));
    CWnd notAttached;  // an object whose window is not its own
    notAttached.m_hWnd = CreateTestWindow("TwFoundationCounting", CountingWndProc, WS_POPUP | WS_VISIBLE,
                                          CRect(60, 0, 110, 20), NULL);
    PumpPending();
    g_lstAllToolbars.AddTail(&toolbar);
    g_lstAllToolbars.AddTail(&notAttached);
    g_nPaints = 0;
    CSPVisualManager::SetDefaultManager(RUNTIME_CLASS(CSPVisualManagerXP));  // redraws all
    EXPECT_EQ(1, g_nPaints);
    g_lstAllToolbars.RemoveAll();
    ::DestroyWindow(notAttached.m_hWnd);
    notAttached.m_hWnd = NULL;
    ::DestroyWindow(toolbar.Detach());
}
