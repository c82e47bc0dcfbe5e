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
