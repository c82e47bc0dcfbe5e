// The library's classes above the foundation describe themselves through the
// interfaces of SPClientHooks.h. A class that stopped doing so would be drawn
// with the neutral record, silently: these tests name each one.
#include <gtest/gtest.h>
#include "SPBaseControlBar.h"
#include "SPButton.h"
#include "SPClientHooks.h"
#include "SPFrameWnd.h"
#include "SPMDIFrameWnd.h"
#include "SPToolbarButton.h"

TEST(LibraryClients, ToolbarButtonsTellTheirStyleAndKind) {
    CSPToolbarButton plain(100, 0);
    plain.m_nStyle = TBBS_CHECKED | TBBS_DISABLED;
    plain.SetRect(CRect(1, 2, 31, 24));
    CSPToolbarMenuButton menu;
    CSPShowAllButton showAll;
    CSPOutlookButton outlook;

    const SPToolbarButtonInfo p = SPClientHooks::GetToolbarButtonInfo(&plain);
    EXPECT_EQ((UINT)(TBBS_CHECKED | TBBS_DISABLED), p.nStyle);
    EXPECT_EQ(plain.IsEditable(), p.bEditable);
    EXPECT_EQ(CRect(1, 2, 31, 24), p.rect);
    EXPECT_EQ(nullptr, p.pMenuButton);
    EXPECT_FALSE(p.bShowAllButton || p.bOutlookButton || p.bJoinsMenuBorder);

    const SPToolbarButtonInfo m = SPClientHooks::GetToolbarButtonInfo(&menu);
    EXPECT_EQ(&menu, m.pMenuButton);
    EXPECT_EQ(nullptr, m.pPopupMenu);
    EXPECT_TRUE(m.bJoinsMenuBorder);
    EXPECT_FALSE(m.bShowAllButton);

    const SPToolbarButtonInfo s = SPClientHooks::GetToolbarButtonInfo(&showAll);
    EXPECT_TRUE(s.bShowAllButton);
    EXPECT_EQ(&showAll, s.pMenuButton) << "the show-all item is a menu button";
    EXPECT_TRUE(SPClientHooks::GetToolbarButtonInfo(&outlook).bOutlookButton);

    const SPToolbarButtonInfo none = SPClientHooks::GetToolbarButtonInfo((CSPToolbarButton*)NULL);
    EXPECT_EQ(0u, none.nStyle);
    EXPECT_EQ(nullptr, none.pMenuButton);
}

TEST(LibraryClients, BarsPushButtonsAndFramesAnswer) {
    CSPBaseControlBar bar;
    const SPBarInfo b = SPClientHooks::GetBarInfo(&bar);
    EXPECT_EQ(&bar, b.pWnd);
    EXPECT_EQ(bar.GetControlBarStyle(), b.dwStyle);
    EXPECT_EQ((COLORREF)-1, b.clrCaptionBack);

    CSPButton button;
    EXPECT_EQ(&button, SPClientHooks::GetButtonInfo(&button).pWnd);

    // Frames that were never loaded keep no accelerator resource; a frame of
    // the class library is not asked at all.
    CSPFrameWnd* pFrame = new CSPFrameWnd;
    CSPMDIFrameWnd* pMDIFrame = new CSPMDIFrameWnd;
    CFrameWnd* pPlain = new CFrameWnd;
    EXPECT_NE(nullptr, dynamic_cast<ISPAccelFrame*>(static_cast<CFrameWnd*>(pFrame)));
    EXPECT_NE(nullptr, dynamic_cast<ISPAccelFrame*>(static_cast<CFrameWnd*>(pMDIFrame)));
    EXPECT_EQ(0u, SPClientHooks::GetDefaultAccelResId(pPlain));
    EXPECT_EQ(0u, SPClientHooks::GetDefaultAccelResId(NULL));
    delete pFrame;
    delete pMDIFrame;
    delete pPlain;
}
