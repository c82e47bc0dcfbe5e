// The toolbar object: resources, the button list, layout, painting, hit
// testing, tooltips, and the removal of a user tool's buttons.
#include "toolbar_support.h"

#include <algorithm>
#include <cstdlib>

#include "MemoryDC.h"
#include "MessagePump.h"
#include "WindowPicture.h"
#include "SPMiniFrameWnd.h"
#include "SPCommandManager.h"
#include "SPUserToolsManager.h"
#include "SPVisualManager.h"
#include "SPVisualManagerXP.h"
#include "SPWinXPVisualManager.h"

using namespace tbtest;

namespace {

// The ids and kinds of a bar's buttons: a number for a command, "|" for a
// separator.
std::string Layout(const CSPToolBar& bar) {
    std::string s;
    for (int i = 0; i < bar.GetCount(); i++) {
        CSPToolbarButton* p = bar.GetButton(i);
        if (!s.empty()) s += " ";
        s += p->IsSeparator() ? std::string("|") : std::to_string(p->m_nID);
    }
    return s;
}

// The indexes of the buttons that end a row.
std::string Wraps(const CSPToolBar& bar) {
    std::string s;
    for (int i = 0; i < bar.GetCount(); i++)
        if (bar.GetButton(i)->m_bWrap) s += (s.empty() ? "" : " ") + std::to_string(i);
    return s;
}

class CSPToolBarTest : public ToolbarTest {
protected:
    // A bar of the given ids, images remapped from 0 (no strip needed for
    // layout: each button is one column wide).
    CSPToolBar* BarOf(std::initializer_list<UINT> ids) {
        CSPToolBar* pBar = NewBar();
        std::vector<UINT> v(ids);
        pBar->SetButtons(v.data(), (int)v.size());
        return pBar;
    }
};

}  // namespace

TEST_F(CSPToolBarTest, LoadsButtonsAndSizesFromTheResource) {
    CSPToolBar* pBar = NewBar();
    ASSERT_TRUE(pBar->LoadToolBar(IDR_MAIN));
    EXPECT_EQ(CSize(22, 21), CSPToolBar::m_sizeButton);
    EXPECT_EQ(CSize(16, 15), CSPToolBar::m_sizeImage);
    EXPECT_EQ("101 102 | 103 | 104", Layout(*pBar));
    EXPECT_EQ(6, pBar->GetOrigButtons().GetCount());
    EXPECT_EQ((UINT)IDR_MAIN, pBar->GetResourceID());
    for (int k = 0; k < 4; k++) {
        int iImage = -1;
        EXPECT_TRUE(CSPToolBar::m_DefaultImages.Lookup(101 + k, iImage));
        EXPECT_EQ(k, iImage);
    }
    EXPECT_EQ(2, pBar->GetButton(3)->GetImage());
    EXPECT_EQ(3, pBar->GetButton(5)->GetImage());
    EXPECT_EQ(4, CSPToolBar::m_Images.GetCount());

    // The second shared bar's images follow the first bar's in the strip.
    CSPToolBar* pSecond = NewBar(1001);
    ASSERT_TRUE(pSecond->LoadToolBar(IDR_SECOND));
    EXPECT_EQ(4, pSecond->GetImagesOffset());
    EXPECT_EQ(7, CSPToolBar::m_Images.GetCount());
    for (int i = 0; i < 3; i++) EXPECT_EQ(4 + i, pSecond->GetButton(i)->GetImage());
    EXPECT_EQ(0, pBar->GetButton(0)->GetImage());

    // The strips' silver backgrounds became the system's face colour, the
    // colour drawing leaves transparent, in both bars' images.
    CDC dc;
    ASSERT_TRUE(dc.CreateCompatibleDC(NULL));
    HGDIOBJ hOld = ::SelectObject(dc.GetSafeHdc(), CSPToolBar::m_Images.GetImageWell());
    const COLORREF clrFace = ::GetSysColor(COLOR_BTNFACE);
    EXPECT_EQ(clrFace, dc.GetPixel(0, 0));
    EXPECT_EQ(clrFace, dc.GetPixel(4 * 16, 0));
    EXPECT_EQ(RGB(0, 0, 0), dc.GetPixel(2, 2) & 0xFFFFFF) << "the square's black outline stays";
    ::SelectObject(dc.GetSafeHdc(), hOld);
}

TEST_F(CSPToolBarTest, BadToolbarResources) {
    CSPToolBar* pBar = NewBar();
    EXPECT_FALSE(pBar->LoadToolBar(999));  // no such resource
    EXPECT_EQ(0, pBar->GetCount());

    // The count beyond the data: only the items present.
    CSPToolBar* pShort = NewBar(1001);
    ASSERT_TRUE(pShort->LoadToolBar(IDR_COUNT_TOO_BIG));
    EXPECT_EQ("101 102", Layout(*pShort));

    CSPToolBar* pZero = NewBar(1002);
    EXPECT_FALSE(pZero->LoadToolBar(IDR_ZERO_SIZE));
    EXPECT_EQ(0, pZero->GetCount());

    // Five commands over a strip of three images: the bar loads and paints.
    CSPToolBar* pNarrow = NewBar(1003);
    ASSERT_TRUE(pNarrow->LoadToolBar(IDR_NARROW_STRIP));
    EXPECT_EQ(5, pNarrow->GetCount());
    Dock(pNarrow);
    MemoryDC mem(300, 40);
    pNarrow->DoPaint(&mem.dc);
}

TEST_F(CSPToolBarTest, ButtonListOperations) {
    CList<UINT, UINT> forbidden;
    forbidden.AddTail(666);
    CSPToolBar::SetNonPermittedCommands(forbidden);

    struct Case {
        const char* name;
        void (*run)(CSPToolBar&);
        const char* expected;
    };
    const Case cases[] = {
        {"separator first is refused", [](CSPToolBar& b) { b.InsertSeparator(0); }, "1 2 3"},
        {"separator appended", [](CSPToolBar& b) { b.InsertSeparator(-1); }, "1 2 3 |"},
        {"separator inside", [](CSPToolBar& b) { b.InsertSeparator(1); }, "1 | 2 3"},
        {"index beyond the count", [](CSPToolBar& b) { EXPECT_EQ(-1, b.InsertButtonCopy(CSPToolbarButton(9, 0), 4)); },
         "1 2 3"},
        {"index equal to the count appends",
         [](CSPToolBar& b) { EXPECT_EQ(3, b.InsertButtonCopy(CSPToolbarButton(9, 0), 3)); }, "1 2 3 9"},
        {"non-permitted command",
         [](CSPToolBar& b) { EXPECT_EQ(-1, b.InsertButtonCopy(CSPToolbarButton(666, 0), -1)); }, "1 2 3"},
        {"remove between separators leaves one",
         [](CSPToolBar& b) {
             b.InsertSeparator(1);
             b.InsertSeparator(3);
             EXPECT_TRUE(b.RemoveButton(2));
         },
         "1 | 3"},
        {"remove the last command strips trailing separators",
         [](CSPToolBar& b) {
             b.InsertSeparator(2);
             EXPECT_TRUE(b.RemoveButton(3));
         },
         "1 2"},
        {"remove out of range", [](CSPToolBar& b) { EXPECT_FALSE(b.RemoveButton(3)); }, "1 2 3"},
        {"replace all",
         [](CSPToolBar& b) {
             b.InsertButtonCopy(CSPToolbarButton(2, 0), -1);
             EXPECT_EQ(2, b.ReplaceButton(2, CSPToolbarButton(7, 0), TRUE));
         },
         "1 7 3 7"},
    };
    for (const Case& c : cases) {
        CSPToolBar* pBar = BarOf({1, 2, 3});
        c.run(*pBar);
        EXPECT_EQ(c.expected, Layout(*pBar)) << c.name;
    }

    // Non-permitted commands never reach a bar through SetButtons either.
    CSPToolBar* pBar = BarOf({1, 666, 2});
    EXPECT_EQ("1 2", Layout(*pBar));
    // No ids: the bar stays empty and keeps no originals.
    pBar->SetButtons(NULL, 3);
    EXPECT_EQ(0, pBar->GetCount());
    EXPECT_EQ(0, pBar->GetOrigButtons().GetCount());
    // Accessors out of range.
    EXPECT_EQ(NULL, pBar->GetButton(0));
    EXPECT_EQ(0u, pBar->GetItemID(5));
    EXPECT_TRUE(pBar->GetButtonText(-1).IsEmpty());
    UINT id = 1, style = 1;
    int image = 1;
    pBar->GetButtonInfo(2, id, style, image);
    EXPECT_EQ(0u, id);
    EXPECT_EQ(-1, image);
}

TEST_F(CSPToolBarTest, RemovingAdjustsTheHeldIndexes) {
    CSPToolBar* pBar = BarOf({1, 2, 3, 4});
    Dock(pBar);
    // Hover the fourth button, then remove the second.
    const CRect rect = pBar->GetButton(3)->Rect();
    pBar->SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(rect.CenterPoint().x, rect.CenterPoint().y));
    EXPECT_EQ(3, pBar->GetHighlightedIndex());
    pBar->RemoveButton(1);
    EXPECT_EQ(2, pBar->GetHighlightedIndex());
    pBar->RemoveButton(2);
    EXPECT_EQ(-1, pBar->GetHighlightedIndex());
}

TEST_F(CSPToolBarTest, WrapsRowsForAWidth) {
    const struct {
        int width;
        int rows;
        const char* wraps;
    } cases[] = {
        {100, 3, "3 7"},  // 4 x 23 = 92; a fifth would end at 115
        {230, 1, ""},     {229, 2, "8"}, {0, 10, "0 1 2 3 4 5 6 7 8"}, {23, 10, "0 1 2 3 4 5 6 7 8"},
    };
    CSPToolBar* pBar = BarOf({1, 2, 3, 4, 5, 6, 7, 8, 9, 10});
    for (const auto& c : cases) {
        EXPECT_EQ(c.rows, pBar->WrapToolBar(c.width)) << c.width;
        EXPECT_EQ(c.wraps, Wraps(*pBar)) << c.width;
    }
    // A height limit stops wrapping once the next row would reach it.
    EXPECT_EQ(2, pBar->WrapToolBar(0, 30));

    // A separator at the wrap point stays at the end of its row and counts
    // 0 wide there.
    CSPToolBar* pSep = BarOf({1, 2, 0, 3, 4});
    EXPECT_EQ(2, pSep->WrapToolBar(46 + 8));
    EXPECT_EQ("2", Wraps(*pSep));
    EXPECT_EQ(46 + 1, pSep->CalcSize(FALSE).cx);
}

TEST_F(CSPToolBarTest, SizesToALengthAndStretches) {
    CSPToolBar* pBar = BarOf({1, 2, 3, 4, 5, 6, 7, 8, 9, 10});
    const int nRows = pBar->SizeToolBar(100);
    EXPECT_EQ(3, nRows);
    for (int nLength = 92; nLength <= 114; nLength++) EXPECT_EQ(nRows, pBar->SizeToolBar(nLength)) << nLength;
    // By height: no more rows than fit.
    pBar->SizeToolBar(60, TRUE);
    EXPECT_LE(pBar->CalcSize(FALSE).cy, 60);

    const CSize sizeHorz = pBar->CalcLayout(LM_STRETCH | LM_HORZ);
    EXPECT_EQ(32767, sizeHorz.cx);
    const CSize sizeVert = pBar->CalcLayout(LM_STRETCH);
    EXPECT_GE(sizeVert.cy, 32767);
    const CSize sizeFixed = pBar->CalcLayout(LM_HORZ);
    EXPECT_LT(sizeFixed.cx, 32767);
    EXPECT_GE(sizeFixed.cx, 10 * 23);

    // A bar without buttons measures as one button.
    CSPToolBar* pEmpty = BarOf({});
    EXPECT_EQ(CSize(23, 22), pEmpty->CalcSize(FALSE));
}

TEST_F(CSPToolBarTest, ThousandsOfButtonsLayOutAndEnd) {
    std::vector<UINT> ids;
    for (UINT i = 0; i < 3000; i++) ids.push_back(i % 50 == 49 ? 0 : 1000 + i);
    CSPToolBar* pBar = NewBar();
    ASSERT_TRUE(pBar->SetButtons(ids.data(), (int)ids.size()));
    EXPECT_GT(pBar->SizeToolBar(500), 100);
    pBar->SizeToolBar(2000, TRUE);
    const CSize size = pBar->CalcSize(FALSE);
    EXPECT_GT(size.cx, 0);
    Dock(pBar);
    EXPECT_EQ(pBar->GetCount(), pBar->GetToolTip().GetToolCount());
}

TEST_F(CSPToolBarTest, HitTestSkipsSeparatorsAndHiddenButtons) {
    CSPToolBar* pBar = BarOf({1, 0, 2, 3});
    Dock(pBar);
    const CRect rectSep = pBar->GetButton(1)->Rect();
    EXPECT_EQ(8, rectSep.Width());
    EXPECT_EQ(-1, pBar->HitTest(rectSep.CenterPoint()));
    EXPECT_EQ(0, pBar->HitTest(pBar->GetButton(0)->Rect().CenterPoint()));
    EXPECT_EQ(2, pBar->HitTest(pBar->GetButton(2)->Rect().CenterPoint()));
    pBar->GetButton(2)->m_bHidden = TRUE;
    EXPECT_EQ(-1, pBar->HitTest(pBar->GetButton(2)->Rect().CenterPoint()));
    EXPECT_EQ(-1, pBar->HitTest(CPoint(5000, 5)));
}

namespace {
// Pixels of one colour inside a button after painting the bar.
int CountAfterPaint(CSPToolBar* pBar, int iButton, COLORREF clr) {
    CRect rectClient;
    pBar->GetClientRect(rectClient);
    MemoryDC mem(rectClient.Width(), rectClient.Height());
    pBar->DoPaint(&mem.dc);
    return mem.Count(pBar->GetButton(iButton)->Rect(), clr);
}
}  // namespace

TEST_F(CSPToolBarTest, DisabledButtonsWithAndWithoutDisabledImages) {
    const COLORREF clrRed = RGB(0xD0, 0x20, 0x20);
    const COLORREF clrDisabledRed = RGB(0x8D, 0x8D, 0x8D);
    CSPToolBar* pBar = NewBar();
    ASSERT_TRUE(pBar->LoadToolBar(IDR_MAIN));
    Dock(pBar);
    EXPECT_GT(CountAfterPaint(pBar, 0, clrRed), 20);

    // Without disabled images the normal image is greyed: no red left.
    pBar->SetButtonStyle(0, TBBS_DISABLED);
    EXPECT_EQ(0, CountAfterPaint(pBar, 0, clrRed));
    EXPECT_EQ(0, CountAfterPaint(pBar, 0, clrDisabledRed));

    // With disabled images those are drawn as they are.
    CSPToolBar* pWithDisabled = NewBar(1001);
    ASSERT_TRUE(pWithDisabled->LoadToolBar(IDR_MAIN, 0, 0, FALSE, IDB_MAIN_DISABLED));
    Dock(pWithDisabled);
    pWithDisabled->SetButtonStyle(0, TBBS_DISABLED);
    EXPECT_GT(CountAfterPaint(pWithDisabled, 0, clrDisabledRed), 20);

    // In customise mode disabled buttons are drawn as enabled.
    g_bCustomizeMode = TRUE;
    EXPECT_GT(CountAfterPaint(pBar, 0, clrRed), 20);
    g_bCustomizeMode = FALSE;
}

TEST_F(CSPToolBarTest, TooltipTexts) {
    frame->m_hAccelTable = ::LoadAcceleratorsA(AfxGetResourceHandle(), MAKEINTRESOURCEA(IDR_ACCEL));
    ASSERT_TRUE(frame->m_hAccelTable != NULL);
    CSPToolBar* pBar = NewBar();
    ASSERT_TRUE(pBar->LoadToolBar(IDR_MAIN));
    Dock(pBar);

    auto tip = [&](int iButton, INT_PTR* pResult = NULL) {
        TOOLINFO ti;
        memset(&ti, 0, sizeof(ti));
        ti.cbSize = sizeof(ti);
        const INT_PTR nResult = pBar->OnToolHitTest(pBar->GetButton(iButton)->Rect().CenterPoint(), &ti);
        if (pResult != NULL) *pResult = nResult;
        std::string s = ti.lpszText != NULL ? ti.lpszText : "";
        free(ti.lpszText);
        return s;
    };
    INT_PTR nResult = 0;
    EXPECT_EQ("Open (Control+O)", tip(0, &nResult));
    EXPECT_EQ(ID_OPEN, nResult);
    EXPECT_EQ("Save", tip(1));      // no shortcut bound
    EXPECT_EQ("", tip(5, &nResult));  // no newline in the string
    EXPECT_EQ(-1, nResult);
    EXPECT_EQ("", tip(2, &nResult));  // a separator
    EXPECT_EQ(-1, nResult);

    CSPToolBar::m_bShowShortcutKeys = FALSE;
    EXPECT_EQ("Open", tip(0));
    CSPToolBar::m_bShowTooltips = FALSE;
    EXPECT_EQ("", tip(0, &nResult));
    EXPECT_EQ(-1, nResult);
}

// A bar whose tooltips watch its window (their subclass sits before the
// bar's procedure) still sees its own destruction: it leaves the list of
// all toolbars when its window is destroyed.
TEST_F(CSPToolBarTest, DestroyedWithItsTooltipsTheBarLeavesTheList) {
    CSPToolBar* pBar = MainBar();
    pBar->UpdateTooltips();
    ASSERT_GT(pBar->GetToolTip().GetToolCount(), 0);
    ASSERT_NE(nullptr, g_lstAllToolbars.Find(pBar));
    EXPECT_TRUE(pBar->DestroyWindow());
    EXPECT_EQ(nullptr, pBar->GetSafeHwnd());
    EXPECT_EQ(nullptr, g_lstAllToolbars.Find(pBar));
}

TEST_F(CSPToolBarTest, CommandButtonsOfEveryBar) {
    CSPToolBar* pFirst = BarOf({1, 2, 1});
    CSPToolBar* pSecond = BarOf({3, 1});
    CObList buttons;
    buttons.AddTail((CObject*)NULL);  // emptied first
    EXPECT_EQ(3, CSPToolBar::GetCommandButtons(1, buttons));
    EXPECT_EQ(pFirst->GetButton(0), buttons.GetHead());
    EXPECT_EQ(pSecond->GetButton(1), buttons.GetTail());
    EXPECT_EQ(0, CSPToolBar::GetCommandButtons(0, buttons));
    EXPECT_TRUE(buttons.IsEmpty());
}

TEST_F(CSPToolBarTest, RemovingAUserToolRemovesItsButtonsEverywhere) {
    CSPUserToolsManager tools(500, 501, 510);
    CSPUserTool* pTool = tools.CreateNewTool();
    ASSERT_TRUE(pTool != NULL);
    CSPToolBar* pFirst = BarOf({1, 501, 0, 2, 501});
    CSPToolBar* pSecond = BarOf({501, 3});
    pSecond->SetButtonInfo(0, 501, 0, 0);
    ASSERT_TRUE(tools.RemoveTool(pTool));
    EXPECT_EQ("1 | 2", Layout(*pFirst));
    EXPECT_EQ("3", Layout(*pSecond));
}

namespace {
// Writes a memory DC's bitmap as <dir>\\<name>.bmp.
void SaveBitmap(MemoryDC& mem, const char* pszDir, const CString& name) {
    CString path;
    path.Format("%s\\%s.bmp", pszDir, (LPCTSTR)name);
    BITMAPINFOHEADER bih = {};
    bih.biSize = sizeof(bih);
    bih.biWidth = mem.cx;
    bih.biHeight = -mem.cy;
    bih.biPlanes = 1;
    bih.biBitCount = 32;
    std::vector<BYTE> bits(mem.cx * mem.cy * 4);
    ::GetDIBits(mem.dc.GetSafeHdc(), mem.hbm, 0, mem.cy, bits.data(), (BITMAPINFO*)&bih, DIB_RGB_COLORS);
    BITMAPFILEHEADER bfh = {};
    bfh.bfType = 0x4D42;
    bfh.bfOffBits = sizeof(bfh) + sizeof(bih);
    bfh.bfSize = bfh.bfOffBits + (DWORD)bits.size();
    FILE* f = fopen(path, "wb");
    ASSERT_TRUE(f != NULL);
    fwrite(&bfh, sizeof(bfh), 1, f);
    fwrite(&bih, sizeof(bih), 1, f);
    fwrite(bits.data(), bits.size(), 1, f);
    fclose(f);
}
}  // namespace

// The bar as a user sees it, under each visual manager. Written as BMP files
// into TW_SCREENSHOT_DIR when that is set.
TEST_F(CSPToolBarTest, DrawsUnderEveryVisualManager) {
    CSPToolBar* pBar = NewBar();
    ASSERT_TRUE(pBar->LoadToolBar(IDR_MAIN, 0, 0, FALSE, IDB_MAIN_DISABLED));
    pBar->SetButtonStyle(3, TBBS_CHECKED);
    pBar->SetButtonStyle(5, TBBS_DISABLED);
    frame->ShowWindow(SW_SHOWNORMAL);

    const struct {
        CRuntimeClass* pClass;
        const char* name;
    } managers[] = {{RUNTIME_CLASS(CSPVisualManager), "classic"},
                    {RUNTIME_CLASS(CSPVisualManagerXP), "office-xp"},
                    {RUNTIME_CLASS(CSPWinXPVisualManager), "windows-xp"}};
    const char* pszDir = getenv("TW_SCREENSHOT_DIR");
    for (const auto& m : managers) {
        CSPVisualManager::SetDefaultManager(m.pClass);
        Dock(pBar);
        // Highlight the second button as the mouse would.
        const CPoint pt = pBar->GetButton(1)->Rect().CenterPoint();
        pBar->SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(pt.x, pt.y));
        CRect rect;
        pBar->GetClientRect(rect);
        MemoryDC mem(rect.Width(), rect.Height());
        pBar->DoPaint(&mem.dc);
        // Something other than the background was drawn in every button.
        for (int i : {0, 1, 3, 5}) {
            const CRect rectButton = pBar->GetButton(i)->Rect();
            const COLORREF clrBack = mem.Pixel(rectButton.left, rectButton.top);
            EXPECT_LT(mem.Count(rectButton, clrBack), rectButton.Width() * rectButton.Height()) << m.name << i;
        }
        if (pszDir == NULL) continue;
        SaveBitmap(mem, pszDir, CString("toolbar-") + m.name);
        // The frame as it shows on the screen, the bar docked across its top.
        frame->RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
        CRect rectFrame;
        frame->GetWindowRect(rectFrame);
        MemoryDC shot(rectFrame.Width(), rectFrame.Height() / 3);
        CWindowDC dcScreen(NULL);
        shot.dc.BitBlt(0, 0, shot.cx, shot.cy, &dcScreen, rectFrame.left, rectFrame.top, SRCCOPY);
        SaveBitmap(shot, pszDir, CString("frame-") + m.name);
    }
    CSPVisualManager::SetDefaultManager(NULL);
}

// A bar docked across the frame's top and another floating in its own
// frame, as a user sees them under each visual manager. With
// TW_SCREENSHOT_DIR set the screen is written there.
TEST_F(CSPToolBarTest, DockedAndFloatingInTheFrame) {
    ASSERT_TRUE(frame->EnableDocking(CBRS_ALIGN_ANY));
    frame->ShowWindow(SW_SHOWNORMAL);
    CSPToolBar* pDocked = NewBar();
    ASSERT_TRUE(pDocked->LoadToolBar(IDR_MAIN, 0, 0, FALSE, IDB_MAIN_DISABLED));
    pDocked->SetButtonStyle(5, TBBS_DISABLED);
    pDocked->SetWindowText(_T("Main"));
    pDocked->EnableDocking(CBRS_ALIGN_ANY);
    frame->DockControlBar(pDocked);
    CSPToolBar* pFloating = NewBar(1001);
    ASSERT_TRUE(pFloating->LoadToolBar(IDR_SECOND));
    pFloating->SetWindowText(_T("Second"));
    pFloating->EnableDocking(CBRS_ALIGN_ANY);
    frame->DockControlBar(pFloating);
    CRect rectFrame;
    frame->GetWindowRect(rectFrame);
    ASSERT_TRUE(pFloating->FloatControlBar(CRect(rectFrame.left + 300, rectFrame.top + 120, rectFrame.left + 400,
                                                 rectFrame.top + 150),
                                           SP_DM_RECT, true));
    ASSERT_NE(nullptr, pFloating->GetParentMiniFrame());
    EXPECT_TRUE(pFloating->GetParentMiniFrame()->IsWindowVisible());
    frame->RecalcLayout();
    PumpPending();
    EXPECT_EQ(nullptr, pDocked->GetParentMiniFrame());
    EXPECT_NE(nullptr, pDocked->GetParentDockBar());

    const struct {
        CRuntimeClass* pClass;
        const char* name;
    } managers[] = {{RUNTIME_CLASS(CSPVisualManager), "classic"},
                    {RUNTIME_CLASS(CSPVisualManagerXP), "office-xp"},
                    {RUNTIME_CLASS(CSPWinXPVisualManager), "windows-xp"}};
    const char* pszDir = getenv("TW_SCREENSHOT_DIR");
    for (const auto& m : managers) {
        SCOPED_TRACE(m.name);
        CSPVisualManager::SetDefaultManager(m.pClass);
        for (CWnd* pWnd : {(CWnd*)frame, (CWnd*)pFloating->GetParentMiniFrame()})
            pWnd->RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
        PumpPending();
        // Every button of both bars has its place inside its bar.
        for (CSPToolBar* pBar : {pDocked, pFloating}) {
            CRect rectClient;
            pBar->GetClientRect(rectClient);
            for (int i = 0; i < pBar->GetCount(); i++) {
                CRect rectInter;
                EXPECT_TRUE(rectInter.IntersectRect(pBar->GetButton(i)->Rect(), rectClient)) << i;
            }
        }
        if (pszDir == NULL) continue;
        // (the display shows the windows' drawing a moment later)
        for (int i = 0; i < 20; i++) {
            ::Sleep(10);
            PumpPending();
        }
        CRect rectMini, rectShot;
        pFloating->GetParentMiniFrame()->GetWindowRect(rectMini);
        rectShot.UnionRect(CRect(rectFrame.left, rectFrame.top, rectFrame.right, rectFrame.top + 180), rectMini);
        EXPECT_TRUE(WriteScreenBitmap(rectShot, CString(pszDir) + "\\toolbar-docked-and-floating-" + m.name + ".bmp"));
    }
    CSPVisualManager::SetDefaultManager(NULL);
    pFloating->DestroyWindow();
    PumpPending();
}
