// The library frames: the accelerator resource they were loaded with, as
// the keyboard manager asks for it.
#include "docking_support.h"

#include "SPMDIFrameWnd.h"
#include "SPClientHooks.h"

using namespace docktest;

TEST(LibraryFrames, KeepTheAcceleratorResourceTheyWereLoadedWith) {
    CSPFrameWnd* pFrame = new CSPFrameWnd;
    ASSERT_TRUE(pFrame->LoadFrame(300, WS_OVERLAPPEDWINDOW));
    EXPECT_EQ(pFrame->GetDefaultResId(), 300u);
    EXPECT_EQ(SPClientHooks::GetDefaultAccelResId(pFrame), 300u);
    pFrame->DestroyWindow();

    CSPMDIFrameWnd* pMDIFrame = new CSPMDIFrameWnd;
    ASSERT_TRUE(pMDIFrame->LoadFrame(300, WS_OVERLAPPEDWINDOW));
    EXPECT_EQ(SPClientHooks::GetDefaultAccelResId(pMDIFrame), 300u);
    pMDIFrame->DestroyWindow();

    // No table under the resource: none to install again.
    CSPFrameWnd* pBare = new CSPFrameWnd;
    ASSERT_TRUE(pBare->LoadFrame(301, WS_OVERLAPPEDWINDOW));
    EXPECT_EQ(SPClientHooks::GetDefaultAccelResId(pBare), 0u);
    pBare->DestroyWindow();

    CFrameWnd* pPlain = new CFrameWnd;
    ASSERT_TRUE(pPlain->LoadFrame(300, WS_OVERLAPPEDWINDOW));
    EXPECT_EQ(SPClientHooks::GetDefaultAccelResId(pPlain), 0u);
    pPlain->DestroyWindow();
}

// The six library frame kinds, each with its dock manager bound to it, in
// the fixed order the bars test them.
#include "afxdlgs.h"
#include "SPDockingUtils.h"
#include "SPFrameImpl.h"
#include "SPMDIChildWnd.h"
#include "SPOleCntrFrameWnd.h"
#include "SPOleDocIPFrameWnd.h"
#include "SPOleIPFrameWnd.h"

template <class TFrame>
static void ExpectBoundDockManager(TFrame& frame) {
    CSPFrameImpl* pImpl = CSPFrameImpl::FromFrame(&frame);
    ASSERT_NE(pImpl, nullptr);
    EXPECT_EQ(pImpl->GetFrame(), &frame);
    EXPECT_EQ(pImpl->GetDockManager(), frame.GetDockManager());
    EXPECT_EQ(frame.GetDockManager()->GetDockSite(), &frame);
    EXPECT_EQ(CSPDockingUtils::GetDockManager(&frame), frame.GetDockManager());
}

TEST(LibraryFrames, EachKindEmbedsADockManagerBoundToIt) {
    CSPFrameWnd sdi;
    CSPMDIFrameWnd mdi;
    CSPOleIPFrameWnd ip;
    CSPOleDocIPFrameWnd docIp;
    CSPMDIChildWnd child;
    CSPOleCntrFrameWnd cntr;
    ExpectBoundDockManager(sdi);
    ExpectBoundDockManager(mdi);
    ExpectBoundDockManager(ip);
    ExpectBoundDockManager(docIp);
    ExpectBoundDockManager(child);
    ExpectBoundDockManager(cntr);
    // The in-place kinds are not taken for one another.
    EXPECT_FALSE(docIp.IsKindOf(RUNTIME_CLASS(CSPOleIPFrameWnd)));
    EXPECT_FALSE(ip.IsKindOf(RUNTIME_CLASS(CSPOleDocIPFrameWnd)));
    EXPECT_TRUE(child.IsKindOf(RUNTIME_CLASS(CMDIChildWnd)));
}

TEST(DockingUtils, DockManagerOfOtherWindowsIsNone) {
    CSPDockingUtils::m_bDialogHost = FALSE;
    CFrameWnd plain;
    EXPECT_EQ(CSPDockingUtils::GetDockManager(&plain), nullptr);
    EXPECT_EQ(CSPDockingUtils::GetDockManager(NULL), nullptr);
    EXPECT_FALSE(CSPDockingUtils::m_bDialogHost);
    CDialog dialog;
    EXPECT_EQ(CSPDockingUtils::GetDockManager(&dialog), nullptr);
    EXPECT_TRUE(CSPDockingUtils::m_bDialogHost);
    CSPDockingUtils::m_bDialogHost = FALSE;
}

TEST(LibraryFrames, TheMainFrameIsRecordedForBarsWithoutDockSite) {
    CSPFrameWnd* pFrame = MakeFrame();
    ASSERT_NE(pFrame, nullptr);
    CWnd* pOldMain = AfxGetApp()->m_pMainWnd;
    AfxGetApp()->m_pMainWnd = pFrame;
    EXPECT_EQ(CSPFrameImpl::GetMainFrame(), pFrame);
    // The record outlives a main window that is no library frame...
    CFrameWnd plain;
    AfxGetApp()->m_pMainWnd = &plain;
    EXPECT_EQ(CSPFrameImpl::GetMainFrame(), pFrame);
    // ...but not the frame itself.
    AfxGetApp()->m_pMainWnd = pOldMain;
    pFrame->DestroyWindow();
    EXPECT_EQ(CSPFrameImpl::GetMainFrame(), nullptr);
}

TEST(DockingUtils, SideZonesAroundARectangle) {
    const CRect r(100, 100, 200, 160);
    struct {
        CPoint pt;
        BOOL bOutside;
        DWORD dwEnabled;
        BOOL bNear;
        DWORD dwSide;
    } cases[] = {
        {CPoint(150, 90), TRUE, CBRS_ALIGN_ANY, TRUE, CBRS_ALIGN_TOP},        // 10 above the top edge
        {CPoint(150, 90), TRUE, CBRS_ALIGN_LEFT | CBRS_ALIGN_RIGHT | CBRS_ALIGN_BOTTOM, FALSE, 0},
        {CPoint(150, 105), TRUE, CBRS_ALIGN_ANY, FALSE, 0},                   // inside: no outer zone
        {CPoint(150, 105), FALSE, CBRS_ALIGN_ANY, TRUE, CBRS_ALIGN_TOP},      // the inner zone straddles
        {CPoint(95, 95), TRUE, CBRS_ALIGN_ANY, TRUE, CBRS_ALIGN_TOP},         // a corner: top is tested first
        {CPoint(95, 95), TRUE, CBRS_ALIGN_LEFT, TRUE, CBRS_ALIGN_LEFT},
        {CPoint(150, 170), TRUE, CBRS_ALIGN_ANY, TRUE, CBRS_ALIGN_BOTTOM},
        {CPoint(210, 130), TRUE, CBRS_ALIGN_ANY, TRUE, CBRS_ALIGN_RIGHT},
        {CPoint(150, 130), FALSE, CBRS_ALIGN_ANY, FALSE, 0},                  // the middle
        {CPoint(150, 80), TRUE, CBRS_ALIGN_ANY, FALSE, 0},                    // 20 above: too far
    };
    for (auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.pt.x << "," << c.pt.y << " outside " << c.bOutside);
        DWORD dwSide = 0;
        EXPECT_EQ(CSPDockingUtils::CheckDockSide(c.pt.x, c.pt.y, NULL, 15, c.bOutside, dwSide, c.dwEnabled, r),
                  c.bNear);
        if (c.bNear) {
            EXPECT_EQ(dwSide, c.dwSide);
        }
    }
    DWORD dwSide = 0;
    EXPECT_FALSE(CSPDockingUtils::CheckDockSide(0, 0, NULL, 15, TRUE, dwSide, CBRS_ALIGN_ANY, NULL));
}

TEST(DockingUtils, RotatedRectanglesAndOppositeSides) {
    struct {
        int nAngle;
        CRect out;
    } rotations[] = {
        {90, CRect(4, 1, 2, 3)}, {180, CRect(1, 4, 3, 2)}, {-90, CRect(2, 3, 4, 1)},
        {275, CRect(2, 3, 4, 1)}, {270, CRect(1, 2, 3, 4)}, {45, CRect(1, 2, 3, 4)},
    };
    for (auto& c : rotations) {
        CRect rect(1, 2, 3, 4);
        CSPDockingUtils::RotateRect(rect, c.nAngle);
        EXPECT_EQ(rect, c.out) << c.nAngle;
    }
    struct {
        DWORD in, out;
    } sides[] = {{CBRS_ALIGN_LEFT, CBRS_ALIGN_RIGHT},   {CBRS_ALIGN_RIGHT, CBRS_ALIGN_LEFT},
                 {CBRS_ALIGN_TOP, CBRS_ALIGN_BOTTOM},   {CBRS_ALIGN_BOTTOM, CBRS_ALIGN_TOP},
                 {CBRS_ALIGN_TOP | CBRS_BORDER_ANY, CBRS_ALIGN_BOTTOM}, {0, 0}, {CBRS_ALIGN_ANY, 0}};
    for (auto& c : sides) EXPECT_EQ(CSPDockingUtils::GetOppositeAlignment(c.in), c.out) << c.in;
}
