// The current-manager rules and what the three managers draw, in memory DCs.
#include <gtest/gtest.h>
#include "SPDrawEffects.h"
#include "SPGlobalData.h"
#include "SPMenuImages.h"
#include "SPToolbarState.h"
#include "SPToolbarButton.h"
#include "SPVisualManagerXP.h"
#include "SPWinXPVisualManager.h"
#include "fake_clients.h"
#include "test_support.h"

TEST(VisualManagerInstance, CreatedOnDemandFromTheDefaultClass) {
    ManagerReset reset;
    CSPVisualManager* pFirst = CSPVisualManager::GetInstance();
    ASSERT_NE(nullptr, pFirst);
    EXPECT_EQ(RUNTIME_CLASS(CSPVisualManager), pFirst->GetRuntimeClass());
    EXPECT_TRUE(pFirst->m_bAutoDelete);
    EXPECT_EQ(pFirst, CSPVisualManager::GetInstance());

    CSPVisualManager::SetDefaultManager(RUNTIME_CLASS(CSPVisualManagerXP));
    EXPECT_EQ(nullptr, CSPVisualManager::s_pInstance);
    CSPVisualManager* pXP = CSPVisualManager::GetInstance();
    EXPECT_TRUE(pXP->IsKindOf(RUNTIME_CLASS(CSPVisualManagerXP)));
    EXPECT_TRUE(pXP->m_bAutoDelete);

    // A class that is not a visual manager changes nothing.
    CSPVisualManager::SetDefaultManager(RUNTIME_CLASS(CSPToolbarButton));
    EXPECT_EQ(pXP, CSPVisualManager::s_pInstance);
    EXPECT_EQ(RUNTIME_CLASS(CSPVisualManagerXP), CSPVisualManager::s_pDefaultClass);

    CSPVisualManager::SetDefaultManager(NULL);
    EXPECT_EQ(RUNTIME_CLASS(CSPVisualManager), CSPVisualManager::GetInstance()->GetRuntimeClass());
}

TEST(VisualManagerInstance, CreateVisualManagerReplacesTheCurrentOne) {
    ManagerReset reset;
    CSPVisualManager* pOld = CSPVisualManager::GetInstance();
    EXPECT_EQ(nullptr, CSPVisualManager::CreateVisualManager(NULL));
    EXPECT_EQ(nullptr, CSPVisualManager::CreateVisualManager(RUNTIME_CLASS(CObject)));  // not creatable
    EXPECT_EQ(nullptr, CSPVisualManager::CreateVisualManager(RUNTIME_CLASS(CSPToolbarButton)));
    EXPECT_EQ(pOld, CSPVisualManager::s_pInstance);

    CSPVisualManager* pNew = CSPVisualManager::CreateVisualManager(RUNTIME_CLASS(CSPWinXPVisualManager));
    ASSERT_NE(nullptr, pNew);
    EXPECT_EQ(pNew, CSPVisualManager::s_pInstance);
    EXPECT_TRUE(pNew->m_bAutoDelete);
}

TEST(VisualManagerInstance, TemporaryAndApplicationManagers) {
    ManagerReset reset;
    CSPVisualManager* pCurrent = CSPVisualManager::GetInstance();
    {
        CSPVisualManagerXP temporary(TRUE);
        EXPECT_EQ(pCurrent, CSPVisualManager::s_pInstance);
    }
    EXPECT_EQ(pCurrent, CSPVisualManager::s_pInstance);

    // Made by the application while none is current: current, not auto-deleted.
    CSPVisualManager::DestroyInstance();
    CSPVisualManager* pApp = new CSPVisualManagerXP;
    EXPECT_EQ(pApp, CSPVisualManager::s_pInstance);
    EXPECT_FALSE(pApp->m_bAutoDelete);
    CSPVisualManager::SetDefaultManager(RUNTIME_CLASS(CSPVisualManager));  // deletes it
    EXPECT_EQ(nullptr, CSPVisualManager::s_pInstance);

    // Destroying a non-temporary manager that is not current leaves none current.
    pCurrent = CSPVisualManager::GetInstance();
    CSPVisualManager* pOther = new CSPVisualManager;
    EXPECT_EQ(pCurrent, CSPVisualManager::s_pInstance);
    delete pOther;
    EXPECT_EQ(nullptr, CSPVisualManager::s_pInstance);
    delete pCurrent;
}

TEST(VisualManagerInstance, TaskPaneMetricsOfEachLook) {
    // The themed manager keeps the base look's task-pane layout, not the XP one.
    CSPVisualManager base(TRUE);
    CSPVisualManagerXP xp(TRUE);
    CSPWinXPVisualManager themed(TRUE);
    struct Case {
        const char* name;
        const CSPVisualManager& m;
        int metrics[10];
    };
    const Case cases[] = {
        {"base", base, {12, 12, 15, 25, 13, 7, 12, 5, 4, 1}},
        {"XP", xp, {4, 4, 4, 0, 0, 0, 12, 5, 4, 0}},
        {"themed", themed, {12, 12, 15, 25, 13, 7, 12, 5, 4, 1}},
    };
    for (const Case& c : cases) {
        const CSPVisualManager& m = c.m;
        const int got[10] = {m.m_nVertMargin,          m.m_nHorzMargin,          m.m_nGroupVertOffset,
                             m.m_nGroupCaptionHeight,  m.m_nGroupCaptionHorzOffset,
                             m.m_nGroupCaptionVertOffset, m.m_nTasksHorzOffset, m.m_nTasksIconHorzOffset,
                             m.m_nTasksIconVertOffset, m.m_nTasksTextGap};
        for (int i = 0; i < 10; ++i) EXPECT_EQ(c.metrics[i], got[i]) << c.name << " metric " << i;
    }
}

TEST(VisualManagerXP, ColoursBlendedFromTheSystemColours) {
    ForcedBitsPerPixel high(24);
    CSPVisualManagerXP xp(TRUE);
    const COLORREF window = ::GetSysColor(COLOR_WINDOW), sel = spGlobalData.clrHilite;
    const COLORREF face = spGlobalData.clrBtnFace, shadow = spGlobalData.clrBtnShadow;
    auto ch = [](int c, double f) { int v = (int)(c * f + 0.5); return v > 255 ? 255 : v; };
    const COLORREF menuLight =
        RGB(ch(GetRValue(window), 0.976), ch(GetGValue(window), 0.973), ch(GetBValue(window), 0.969));
    EXPECT_EQ(menuLight, xp.m_clrMenuLight);
    auto mix = [&](int s, int m, int n) { return (s + n * m) / (n + 1); };
    auto pct = [](int c, int p) { int v = c * p / 100; return v > 255 ? 255 : v; };
    const COLORREF hl = RGB(pct(mix(GetRValue(sel), GetRValue(menuLight), 2), 110),
                            pct(mix(GetGValue(sel), GetGValue(menuLight), 2), 110),
                            pct(mix(GetBValue(sel), GetBValue(menuLight), 2), 110));
    EXPECT_EQ(hl, xp.m_clrHighlight);
    EXPECT_EQ(RGB(ch(GetRValue(hl), 0.87), ch(GetGValue(hl), 0.87), ch(GetBValue(hl), 0.87)), xp.m_clrHighlightDn);
    EXPECT_EQ(RGB(mix(GetRValue(sel), GetRValue(menuLight), 5), mix(GetGValue(sel), GetGValue(menuLight), 5),
                  mix(GetBValue(sel), GetBValue(menuLight), 5)),
              xp.m_clrHighlightChecked);
    EXPECT_EQ(CSPDrawEffects::ScaleColor(face, 55), xp.m_clrMenuBorder);
    EXPECT_EQ(CSPDrawEffects::ScaleColor(shadow, 110), xp.m_clrGripper);
    EXPECT_EQ(shadow, xp.m_clrPaneBorder);
    EXPECT_EQ(sel, xp.m_clrMenuItemBorder);

    // A face without saturation keeps the tab background grey.
    double H, L, S;
    CSPDrawEffects::RGBToHLS(face, &H, &L, &S);
    if (S == 0) {
        LOGBRUSH lb;
        ::GetObject(xp.m_brTabBack.GetSafeHandle(), sizeof(lb), &lb);
        EXPECT_EQ(GetRValue(lb.lbColor), GetGValue(lb.lbColor));
        EXPECT_EQ(GetGValue(lb.lbColor), GetBValue(lb.lbColor));
        EXPECT_GE(GetRValue(lb.lbColor), GetRValue(face));
    }
}

TEST(VisualManagerXP, LowColourDisplaysUsePlainSystemColours) {
    ForcedBitsPerPixel eight(8);
    CSPVisualManagerXP xp(TRUE);
    EXPECT_EQ(::GetSysColor(COLOR_WINDOW), xp.m_clrMenuLight);
    EXPECT_EQ(spGlobalData.clrBtnFace, xp.m_clrBarFace);
    EXPECT_EQ(spGlobalData.clrBtnFace, xp.m_clrHighlight);
    EXPECT_EQ(spGlobalData.clrBtnFace, xp.m_clrHighlightDn);
    EXPECT_EQ(::GetSysColor(COLOR_WINDOW), xp.m_clrHighlightChecked);
    EXPECT_EQ(spGlobalData.clrBtnDkShadow, xp.m_clrBarDark);
    EXPECT_EQ(spGlobalData.clrBtnDkShadow, xp.m_clrMenuBorder);
    EXPECT_EQ(spGlobalData.clrBtnShadow, xp.m_clrGripper);
}

TEST(VisualManagerDrawing, ButtonBordersAndInteriors) {
    ManagerReset reset;
    CSPVisualManager base(TRUE);
    CSPVisualManagerXP xp(TRUE);
    CSPToolbarButton button(100, 0);
    const CRect rect(2, 2, 25, 24);
    const COLORREF bg = RGB(5, 6, 7);
    MemoryDC mem(30, 30);

    struct Case {
        CSPVisualManager* pManager;
        int state;
        UINT nStyle;
        COLORREF clrTopLeft, clrBottomRight, clrInside;
    } cases[] = {
        {&base, 0, 0, bg, bg, bg},
        {&base, 1, TBBS_PRESSED, spGlobalData.clrBtnShadow, spGlobalData.clrBtnHilite, bg},
        {&base, 2, 0, spGlobalData.clrBtnHilite, spGlobalData.clrBtnShadow, bg},
        {&xp, 0, 0, bg, bg, bg},
        {&xp, 2, 0, xp.m_clrMenuItemBorder, xp.m_clrMenuItemBorder, xp.m_clrHighlight},
        {&xp, 1, TBBS_PRESSED, xp.m_clrMenuItemBorder, xp.m_clrMenuItemBorder, xp.m_clrHighlightDn},
        {&xp, 1, TBBS_CHECKED, xp.m_clrMenuItemBorder, xp.m_clrMenuItemBorder, xp.m_clrHighlightChecked},
    };
    int i = 0;
    for (const Case& c : cases) {
        mem.Fill(CRect(0, 0, 30, 30), bg);
        button.m_nStyle = c.nStyle;
        c.pManager->OnFillButtonInterior(&mem.dc, &button, rect, c.state);
        c.pManager->OnDrawButtonBorder(&mem.dc, &button, rect, c.state);
        EXPECT_EQ(c.clrTopLeft, mem.Pixel(rect.left, rect.top)) << i;
        EXPECT_EQ(c.clrBottomRight, mem.Pixel(rect.right - 1, rect.bottom - 1)) << i;
        EXPECT_EQ(c.clrInside, mem.Pixel(rect.left + 5, rect.top + 5)) << i;
        i++;
    }

    // While customising, the XP look fills nothing.
    g_bCustomizeMode = TRUE;
    mem.Fill(CRect(0, 0, 30, 30), bg);
    button.m_nStyle = 0;
    xp.OnFillButtonInterior(&mem.dc, &button, rect, 2);
    EXPECT_EQ(bg, mem.Pixel(10, 10));
    g_bCustomizeMode = FALSE;
}

TEST(VisualManagerDrawing, ButtonTextColours) {
    CSPVisualManager base(TRUE);
    CSPVisualManagerXP xp(TRUE);
    CSPToolbarButton button(100, 0);
    EXPECT_EQ(spGlobalData.clrBtnText, base.GetToolbarButtonTextColor(&button, 0));
    button.m_nStyle = TBBS_DISABLED;
    EXPECT_EQ(spGlobalData.clrGrayedText, base.GetToolbarButtonTextColor(&button, 0));
    button.m_nStyle = TBBS_CHECKED;
    EXPECT_EQ(::GetSysColor(COLOR_HIGHLIGHTTEXT), xp.GetToolbarButtonTextColor(&button, 2));
    // While customising, a button that cannot be edited counts as disabled.
    CSPToolbarButton recent(0xE110, 0);
    g_bCustomizeMode = TRUE;
    EXPECT_EQ(spGlobalData.clrGrayedText, base.GetToolbarButtonTextColor(&recent, 0));
    EXPECT_EQ(spGlobalData.clrBtnText, base.GetToolbarButtonTextColor(&button, 0));
    g_bCustomizeMode = FALSE;
}

TEST(VisualManagerDrawing, OperationsThatDrawNothing) {
    CSPVisualManager base(TRUE);
    CSPVisualManagerXP xp(TRUE);
    const COLORREF bg = RGB(5, 6, 7);
    MemoryDC mem(40, 20);
    CSPVisualManager* managers[] = {&base, &xp};
    for (CSPVisualManager* p : managers) {
        mem.Fill(CRect(0, 0, 40, 20), bg);
        p->OnDrawStatusBarProgress(&mem.dc, NULL, CRect(0, 0, 40, 20), 0, 0, RGB(255, 0, 0), (COLORREF)-1,
                                   (COLORREF)-1, TRUE);
        p->OnDrawMenuSystemButton(&mem.dc, CRect(0, 0, 20, 20), SC_MAXIMIZE, 0, TRUE);
        p->OnDrawComboBorder(&mem.dc, CRect(0, 0, 40, 20), FALSE, FALSE, FALSE, NULL);
        EXPECT_EQ(800, mem.Count(CRect(0, 0, 40, 20), bg));
    }
    // Half done: the left half is the bar colour.
    mem.Fill(CRect(0, 0, 40, 20), bg);
    base.OnDrawStatusBarProgress(&mem.dc, NULL, CRect(0, 0, 40, 20), 10, 5, RGB(255, 0, 0), (COLORREF)-1,
                                 (COLORREF)-1, FALSE);
    EXPECT_EQ(RGB(255, 0, 0), mem.Pixel(19, 10));
    EXPECT_EQ(bg, mem.Pixel(20, 10));
}

TEST(VisualManagerDrawing, BarBackgroundsByKind) {
    CSPVisualManager base(TRUE);
    CSPVisualManagerXP xp(TRUE);
    FakeBar toolbar("CSPToolBar"), caption("CSPCaptionBar");
    CWnd other;  // not a library bar: it does not describe itself
    MemoryDC mem(10, 10);
    const CRect r(0, 0, 10, 10);
    base.OnFillBarBackground(&mem.dc, toolbar.AsBar(), r, CRect());
    EXPECT_EQ(spGlobalData.clrBtnFace, mem.Pixel(5, 5));
    xp.OnFillBarBackground(&mem.dc, toolbar.AsBar(), r, CRect());
    EXPECT_EQ(xp.m_clrBarFace, mem.Pixel(5, 5));
    xp.OnFillBarBackground(&mem.dc, reinterpret_cast<CSPBaseControlBar*>(&other), r, CRect());
    EXPECT_EQ(spGlobalData.clrBtnFace, mem.Pixel(5, 5));
    base.OnFillBarBackground(&mem.dc, caption.AsBar(), r, CRect());
    EXPECT_EQ(spGlobalData.clrBtnShadow, mem.Pixel(5, 5));
    caption.m_clrCaption = RGB(1, 2, 250);
    base.OnFillBarBackground(&mem.dc, caption.AsBar(), r, CRect(2, 2, 4, 4));
    EXPECT_EQ(RGB(1, 2, 250), mem.Pixel(3, 3));
    EXPECT_EQ(spGlobalData.clrBtnShadow, mem.Pixel(5, 5));
}

TEST(VisualManagerDrawing, BarBorderShrinksTheRectangle) {
    CSPVisualManager base(TRUE);
    FakeBar bar("CSPToolBar");
    bar.m_dwBarStyle = CBRS_BORDER_LEFT | CBRS_BORDER_BOTTOM;
    bar.m_bFloatingOrVertical = TRUE;
    MemoryDC mem(20, 20);
    mem.Fill(CRect(0, 0, 20, 20), RGB(5, 6, 7));
    CRect rect(0, 0, 20, 20);
    base.OnDrawBarBorder(&mem.dc, bar.AsBar(), rect);
    EXPECT_EQ(CRect(1, 0, 20, 19), rect);
    EXPECT_EQ(spGlobalData.clrBtnHilite, mem.Pixel(0, 5));
    EXPECT_EQ(spGlobalData.clrBtnShadow, mem.Pixel(5, 19));
    EXPECT_EQ(RGB(5, 6, 7), mem.Pixel(5, 0));  // floating: no etched top line
}

TEST(VisualManagerDrawing, XPTabSeparatorsSkipTheTabBeforeTheActiveOne) {
    CSPVisualManagerXP xp(TRUE);
    FakeTabs tabs;
    tabs.info = SPClientHooks::GetTabInfo(NULL, 0);
    tabs.info.iActiveTab = 2;
    tabs.info.nLocation = 0;
    tabs.info.strLabel = "Tab";
    MemoryDC mem(200, 30);
    const COLORREF bg = RGB(5, 6, 7);
    mem.Fill(CRect(0, 0, 200, 30), bg);
    for (int i = 0; i < 3; i++) xp.OnDrawTab(&mem.dc, CRect(i * 60, 5, i * 60 + 59, 25), i, i == 2, tabs.AsTabWnd());
    EXPECT_EQ(spGlobalData.clrBtnShadow, mem.Pixel(59, 15));  // after tab 0
    EXPECT_EQ(bg, mem.Pixel(119, 15));                        // tab 1 stands before the active tab
    EXPECT_EQ(spGlobalData.clrBtnFace, mem.Pixel(150, 6));    // the active tab is filled
}

TEST(VisualManagerDrawing, TasksRestoreTheDCAndCaptionsWithoutNameHaveNoGlyph) {
    InstallTaskHooks();
    CSPVisualManagerXP xp(TRUE);
    MemoryDC mem(120, 30);
    const COLORREF bg = RGB(5, 6, 7);
    mem.Fill(CRect(0, 0, 120, 30), bg);

    FakeGroup group;
    group.info.rect = CRect(0, 0, 120, 30);
    group.info.bIsSpecial = FALSE;
    group.info.bIsCollapsed = TRUE;
    xp.OnDrawTasksGroupCaption(&mem.dc, group.AsGroup(), TRUE, FALSE, TRUE);
    EXPECT_EQ(3600, mem.Count(CRect(0, 0, 120, 30), bg));  // no name: nothing at all

    group.info.strName = "Group";
    xp.OnDrawTasksGroupCaption(&mem.dc, group.AsGroup(), TRUE, FALSE, TRUE);
    EXPECT_LT(mem.Count(CRect(111, 21, 120, 30), bg), 81);  // the glyph box in the corner

    FakeTask task;
    task.info.strName = "Open";
    task.info.nIcon = -1;
    task.info.bIsLink = TRUE;
    task.info.rect = CRect(0, 0, 120, 30);
    CFont font;
    font.CreateStockObject(ANSI_VAR_FONT);
    mem.dc.SelectObject(&font);
    mem.dc.SetTextColor(RGB(1, 1, 1));
    mem.dc.SetBkMode(OPAQUE);
    xp.OnDrawTask(&mem.dc, task.AsTask(), NULL, TRUE, FALSE);
    EXPECT_EQ(font.GetSafeHandle(), ::GetCurrentObject(mem.dc.GetSafeHdc(), OBJ_FONT));
    EXPECT_EQ(RGB(1, 1, 1), mem.dc.GetTextColor());
    EXPECT_EQ(OPAQUE, mem.dc.GetBkMode());
    mem.dc.SelectStockObject(SYSTEM_FONT);
    font.Detach();
    SPClientHooks::pfnGetTaskInfo = NULL;
    SPClientHooks::pfnGetTasksGroupInfo = NULL;
}

// ---------------------------------------------------------------------------
// Themes

static HMODULE NoThemeLibrary() { return NULL; }

TEST(WinXPVisualManager, FallsBackToTheXPLookWithoutThemes) {
    ManagerReset reset;
    HMODULE (*pfnOld)() = SPGlobalData::s_pfnLoadUxTheme;
    SPGlobalData::s_pfnLoadUxTheme = NoThemeLibrary;
    {
        CSPWinXPVisualManager themed(TRUE);
        CSPVisualManagerXP xp(TRUE);
        EXPECT_EQ(nullptr, themed.m_hThemeWindow);
        EXPECT_EQ(nullptr, themed.m_hThemeToolBar);
        EXPECT_EQ(CSize(0, 0), themed.GetButtonExtraBorder());
        EXPECT_EQ(3, themed.GetMenuImageMargin());

        CSPToolbarButton button(100, 0);
        MemoryDC a(30, 30), b(30, 30);
        for (MemoryDC* m : {&a, &b}) m->Fill(CRect(0, 0, 30, 30), RGB(5, 6, 7));
        themed.OnFillButtonInterior(&a.dc, &button, CRect(2, 2, 25, 24), 2);
        themed.OnDrawButtonBorder(&a.dc, &button, CRect(2, 2, 25, 24), 2);
        xp.OnFillButtonInterior(&b.dc, &button, CRect(2, 2, 25, 24), 2);
        xp.OnDrawButtonBorder(&b.dc, &button, CRect(2, 2, 25, 24), 2);
        for (int y = 0; y < 30; y += 3)
            for (int x = 0; x < 30; x += 3) EXPECT_EQ(b.Pixel(x, y), a.Pixel(x, y)) << x << "," << y;

        EXPECT_FALSE(CSPWinXPVisualManager::IsWinXPThemeAvailable());
    }
    SPGlobalData::s_pfnLoadUxTheme = pfnOld;
}

TEST(WinXPVisualManager, UsesThemesWhereTheyOpen) {
    ManagerReset reset;
    CSPVisualManager::SetDefaultManager(RUNTIME_CLASS(CSPVisualManagerXP));
    CSPVisualManager* pCurrent = CSPVisualManager::GetInstance();
    const BOOL bAvailable = CSPWinXPVisualManager::IsWinXPThemeAvailable();
    // Asking leaves the current manager as it was.
    EXPECT_EQ(pCurrent, CSPVisualManager::s_pInstance);
    EXPECT_EQ(RUNTIME_CLASS(CSPVisualManagerXP), pCurrent->GetRuntimeClass());

    CSPWinXPVisualManager themed(TRUE);
    EXPECT_EQ(bAvailable, themed.m_hThemeWindow != NULL);
    if (!bAvailable) GTEST_SKIP() << "no visual styles on this system";
    EXPECT_EQ(CSize(2, 2), themed.GetButtonExtraBorder());
    EXPECT_FALSE(themed.m_bLook2);
    MemoryDC mem(30, 30);
    EXPECT_EQ(::GetSysColor(COLOR_MENUTEXT), themed.OnFillCommandsListBackground(&mem.dc, CRect(0, 0, 30, 30), TRUE));
    EXPECT_EQ(::GetSysColor(COLOR_MENU), mem.Pixel(10, 10));
}

TEST(VisualManagerDrawing, HighlightTextTurnsWhiteOnlyOnDarkHighlights) {
    CSPVisualManagerXP xp(TRUE);
    CSPToolbarButton button(100, 0);
    MemoryDC mem(20, 20);
    struct {
        COLORREF clrHighlight;
        COLORREF clrTextAfter;
    } cases[] = {
        {RGB(200, 200, 200), RGB(1, 2, 3)},   // light: the text colour stays
        {RGB(129, 129, 129), RGB(1, 2, 3)},
        {RGB(128, 200, 200), RGB(255, 255, 255)},
        {RGB(200, 200, 20), RGB(255, 255, 255)},
    };
    for (const auto& c : cases) {
        xp.m_clrHighlight = c.clrHighlight;
        mem.dc.SetTextColor(RGB(1, 2, 3));
        xp.OnFillHighlightedArea(&mem.dc, &button, CRect(0, 0, 20, 20), NULL);
        EXPECT_EQ(c.clrTextAfter, mem.dc.GetTextColor()) << c.clrHighlight;
    }
    button.m_nStyle = TBBS_DISABLED;
    xp.OnFillHighlightedArea(&mem.dc, &button, CRect(0, 0, 20, 20), NULL);
    EXPECT_EQ(spGlobalData.clrGrayedText, mem.dc.GetTextColor());
    EXPECT_EQ(xp.m_clrMenuLight, mem.Pixel(10, 10));
}

TEST(VisualManagerDrawing, NarrowTabsShowNeitherImageNorLabel) {
    CSPVisualManagerXP xp(TRUE);
    FakeTabs tabs;
    tabs.info = SPClientHooks::GetTabInfo(NULL, 0);
    tabs.info.iActiveTab = 0;
    tabs.info.strLabel = "WWWW";
    tabs.info.iImage = 0;
    tabs.info.sizeImage = CSize(16, 16);
    const COLORREF bg = RGB(5, 6, 7);
    MemoryDC mem(60, 30);
    mem.Fill(CRect(0, 0, 60, 30), bg);
    xp.OnDrawTab(&mem.dc, CRect(10, 5, 29, 25), 1, FALSE, tabs.AsTabWnd());  // 19 < 16 + 4
    EXPECT_EQ(19 * 20, mem.Count(CRect(10, 5, 29, 25), bg));
    // Without an image the label starts 8 pixels in.
    tabs.info.iImage = -1;
    xp.OnDrawTab(&mem.dc, CRect(10, 5, 59, 25), 1, FALSE, tabs.AsTabWnd());
    EXPECT_EQ(8 * 20, mem.Count(CRect(10, 5, 18, 25), bg));
    EXPECT_LT(mem.Count(CRect(18, 5, 40, 25), bg), 22 * 20);
}

TEST(VisualManagerDrawing, OnlyDockingPanesShowATitleInTheGripper) {
    CSPVisualManagerXP xp(TRUE);
    FakeBar pane("CSPDockingControlBar"), toolbar("CSPToolBar");
    ASSERT_TRUE(pane.Attach(::CreateWindowExA(0, "STATIC", "Contents", WS_POPUP, 0, 0, 10, 10, NULL, NULL, NULL, NULL)));
    const CRect rect(0, 0, 200, 20);
    for (FakeBar* pBar : {&toolbar, &pane}) {
        MemoryDC mem(200, 20);
        mem.Fill(rect, RGB(5, 6, 7));
        xp.OnDrawBarGripper(&mem.dc, rect, FALSE, pBar->AsBar());
        const int nText = mem.Count(rect, spGlobalData.clrBtnText);
        if (pBar == &pane) {
            EXPECT_GT(nText, 20);
            EXPECT_GT(mem.Count(rect, spGlobalData.clrBtnFace), 20);  // drawn opaque
        } else {
            EXPECT_EQ(0, nText);
        }
    }
    ::DestroyWindow(pane.Detach());
}

TEST(WinXPVisualManager, TaskAreaBorderAndPushedCaptionButtons) {
    CSPWinXPVisualManager themed(TRUE);
    const COLORREF bg = RGB(5, 6, 7);
    MemoryDC mem(40, 40);
    mem.Fill(CRect(0, 0, 40, 40), bg);
    themed.OnDrawTasksGroupAreaBorder(&mem.dc, CRect(0, 0, 40, 40), TRUE, FALSE);
    EXPECT_EQ(1600, mem.Count(CRect(0, 0, 40, 40), bg));
    themed.OnDrawTasksGroupAreaBorder(&mem.dc, CRect(0, 0, 30, 40), TRUE, TRUE);
    EXPECT_EQ(30, mem.Count(CRect(0, 0, 40, 1), spGlobalData.clrHilite));  // (30, 0) itself is left out
    EXPECT_EQ(bg, mem.Pixel(30, 0));
    EXPECT_EQ(1600 - 30, mem.Count(CRect(0, 0, 40, 40), bg));

    // A pushed button without the mouse over it looks like a normal one.
    struct FakeButton : CObject, ISPVisualCaptionButton {
        SPCaptionButtonInfo m_info;
        void GetVisualInfo(SPCaptionButtonInfo& info) const override { info = m_info; }
    } button;
    CSPCaptionButton* pButton = reinterpret_cast<CSPCaptionButton*>(static_cast<CObject*>(&button));
    SPCaptionButtonInfo& s_info = button.m_info;
    s_info = SPCaptionButtonInfo{CPoint(2, 2), FALSE, HTCLOSE, FALSE, FALSE};
    MemoryDC normal(40, 40), pushed(40, 40);
    themed.OnDrawCaptionButton(&normal.dc, pButton, FALSE, FALSE, FALSE, FALSE);
    s_info.bPushed = TRUE;
    themed.OnDrawCaptionButton(&pushed.dc, pButton, FALSE, FALSE, FALSE, FALSE);
    int nDifferent = 0;
    for (int y = 0; y < 40; y++)
        for (int x = 0; x < 40; x++) nDifferent += normal.Pixel(x, y) != pushed.Pixel(x, y);
    EXPECT_EQ(0, nDifferent);
}

// The library clean-up deletes a manager the library made, not one the
// application made.
TEST(VisualManagerInstance, CleanUpDeletesOnlyAutoDeleteManagers) {
    ManagerReset reset;
    CSPVisualManager* pApp = new CSPVisualManagerXP;
    SPCleanUpGlobals();
    EXPECT_EQ(pApp, CSPVisualManager::s_pInstance);
    delete pApp;
    CSPVisualManager::GetInstance();
    SPCleanUpGlobals();
    EXPECT_EQ(nullptr, CSPVisualManager::s_pInstance);
    EXPECT_EQ(nullptr, spGlobalData.fontRegular.GetSafeHandle());
    // Build the shared resources again for the tests after this one.
    spGlobalData.UpdateSysColors();
    spGlobalData.UpdateFonts();
}

// A task draws its icon at the top-left corner; without one its name still
// starts after the icon column.
TEST(VisualManagerDrawing, TaskTextStartsAfterTheIconColumn) {
    InstallTaskHooks();
    CImageList icons;
    ASSERT_TRUE(icons.Create(16, 16, ILC_COLOR24, 1, 1));
    CBitmap bmp;
    ASSERT_TRUE(bmp.Attach(::CreateBitmap(16, 16, 1, 32, NULL)));
    {
        CDC dc;
        dc.Attach(::CreateCompatibleDC(NULL));
        HGDIOBJ hOld = ::SelectObject(dc.GetSafeHdc(), bmp.GetSafeHandle());
        dc.FillSolidRect(CRect(0, 0, 16, 16), RGB(250, 0, 0));
        ::SelectObject(dc.GetSafeHdc(), hOld);
        ::DeleteDC(dc.Detach());
    }
    ASSERT_EQ(0, icons.Add(&bmp, (CBitmap*)NULL));

    CSPVisualManagerXP xp(TRUE);
    FakeTask task;
    task.info.strName = "WWW";
    task.info.bIsLink = FALSE;
    task.info.rect = CRect(0, 0, 100, 20);
    const COLORREF bg = RGB(5, 6, 7);
    for (int nIcon : {0, -1}) {
        task.info.nIcon = nIcon;
        MemoryDC mem(100, 20);
        mem.Fill(CRect(0, 0, 100, 20), bg);
        mem.dc.SetTextColor(RGB(0, 0, 0));
        xp.OnDrawTask(&mem.dc, task.AsTask(), &icons, FALSE, FALSE);
        EXPECT_EQ(nIcon == 0 ? RGB(250, 0, 0) : bg, mem.Pixel(8, 8)) << nIcon;
        EXPECT_EQ(20 * 5, mem.Count(CRect(16, 0, 21, 20), bg)) << nIcon;  // the gap of 5
        EXPECT_LT(mem.Count(CRect(21, 0, 40, 20), bg), 19 * 20) << nIcon;  // then the name
    }
    SPClientHooks::pfnGetTaskInfo = NULL;
    SPClientHooks::pfnGetTasksGroupInfo = NULL;
}

// Without the glyph font the classic caption buttons of a maximised
// document and the status bar's grip are the library's own drawing, not
// the letters that font would turn into glyphs.
TEST(VisualManagerDrawing, GlyphsWithoutTheGlyphFont) {
    CSPMenuImages::SetGlyphFontAvailable(0);
    CSPVisualManager base(TRUE);
    const CRect rectButton(0, 0, 16, 14);
    const struct {
        UINT uiCommand;
        int iGlyph;
    } cases[] = {{SC_MINIMIZE, CSPMenuImages::IdMinimize},
                 {SC_RESTORE, CSPMenuImages::IdRestore},
                 {SC_CLOSE, CSPMenuImages::IdClose}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.uiCommand);
        for (UINT nStyle : {0u, (UINT)TBBS_PRESSED, (UINT)TBBS_DISABLED}) {
            MemoryDC drawn(16, 14), expected(16, 14);
            base.OnDrawMenuSystemButton(&drawn.dc, rectButton, c.uiCommand, nStyle, FALSE);
            CRect rect = rectButton;
            expected.dc.DrawFrameControl(rect, DFC_BUTTON, DFCS_BUTTONPUSH | ((nStyle & TBBS_PRESSED) ? DFCS_PUSHED : 0));
            const CPoint ptShift = (nStyle & TBBS_PRESSED) ? CPoint(1, 1) : CPoint(0, 0);
            CSPMenuImages::Draw(&expected.dc, c.iGlyph, CPoint((16 - 9) / 2, (14 - 9) / 2) + ptShift,
                                (nStyle & TBBS_DISABLED) ? CSPMenuImages::ImageGray : CSPMenuImages::ImageBlack);
            int nDiffer = 0;
            for (int y = 0; y < 14; y++)
                for (int x = 0; x < 16; x++)
                    if (drawn.Pixel(x, y) != expected.Pixel(x, y)) nDiffer++;
            EXPECT_EQ(0, nDiffer) << nStyle;
        }
    }
    // The grip: strokes in the corner, shadow and highlight.
    MemoryDC mem(16, 16);
    mem.Fill(CRect(0, 0, 16, 16), RGB(5, 6, 7));
    base.OnDrawStatusBarSizeBox(&mem.dc, NULL, CRect(0, 0, 16, 16));
    EXPECT_GT(mem.Count(CRect(8, 8, 16, 16), spGlobalData.clrBtnShadow), 6);
    EXPECT_GT(mem.Count(CRect(0, 0, 16, 16), spGlobalData.clrBtnHilite), 3);
    EXPECT_EQ(0, mem.Count(CRect(0, 0, 6, 6), spGlobalData.clrBtnShadow)) << "only the corner";
    CSPMenuImages::SetGlyphFontAvailable(-1);
}
