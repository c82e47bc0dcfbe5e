// Helpers of the toolbar tests: a hidden library frame holding toolbars
// loaded from this program's resources, and the shared state put back to
// its defaults around each test.
#pragma once
#include "afxwin.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "SPFrameWnd.h"
#include "SPToolBar.h"

namespace tbtest {

// Commands of the test resources.
enum { ID_OPEN = 101, ID_SAVE = 102, ID_PRINT = 103, ID_NOSHORT = 104, ID_EXPORT = 105, ID_FIRST = 111, ID_SECOND = 112 };
enum { IDR_MAIN = 200, IDR_SECOND = 201, IDB_MAIN_DISABLED = 202, IDR_COUNT_TOO_BIG = 210, IDR_ZERO_SIZE = 211,
       IDR_NARROW_STRIP = 212, IDR_MAIN_CHANGED = 203, IDR_ACCEL = 7001 };

// What the body writes into a storing archive, as bytes.
template <class Body>
std::vector<BYTE> ArchiveBytes(Body body) {
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        body(ar);
        ar.Close();
    }
    const UINT n = (UINT)file.GetLength();
    BYTE* p = file.Detach();
    std::vector<BYTE> bytes(p, p + n);
    free(p);
    return bytes;
}

// This program's key for options saved with an explicit profile.
inline CString ProfilePath(LPCTSTR sub) {
    CString s = "Software\\TomewiseTests\\uilib_toolbars\\";
    s += sub;
    if (s.Right(1) != "\\") s += "\\";
    return s;
}

// Puts the process-wide toolbar state back to what a fresh process has.
inline void ResetSharedState() {
    CSPToolBar::ResetAllImages();
    CSPToolBar::m_DisabledImages.Clear();
    CSPToolBar::m_UsageCount.Reset();
    CSPToolBar::SetSizes(CSize(23, 22), CSize(16, 15));
    CSPToolBar::SetLargeIcons(FALSE);
    CList<UINT, UINT> empty;
    CSPToolBar::SetNonPermittedCommands(empty);
    CSPToolBar::SetBasicCommands(empty);
    CSPToolBar::m_bShowTooltips = TRUE;
    CSPToolBar::m_bShowShortcutKeys = TRUE;
    g_bCustomizeMode = FALSE;
    CSPToolBar::SetWorkspaceState(FALSE);
}

class ToolbarTest : public ::testing::Test {
protected:
    CSPFrameWnd* frame = NULL;

    void SetUp() override {
        ResetSharedState();
        frame = new CSPFrameWnd;
        ASSERT_TRUE(frame->Create(NULL, _T("toolbar test"), WS_OVERLAPPEDWINDOW, CRect(40, 40, 640, 340)));
    }
    void TearDown() override {
        if (frame != NULL && ::IsWindow(frame->GetSafeHwnd())) frame->DestroyWindow();
        ResetSharedState();
    }

    // A bar of the frame, laid out across its top as a docked bar.
    CSPToolBar* NewBar(UINT nID = AFX_IDW_TOOLBAR) {
        CSPToolBar* pBar = new CSPToolBar;
        bars.push_back(std::unique_ptr<CSPToolBar>(pBar));
        EXPECT_TRUE(pBar->Create(frame, WS_CHILD | WS_VISIBLE | CBRS_TOP, nID));
        return pBar;
    }
    // A bar loaded from the main toolbar resource, docked at the top.
    CSPToolBar* MainBar() {
        CSPToolBar* pBar = NewBar();
        EXPECT_TRUE(pBar->LoadToolBar(IDR_MAIN));
        Dock(pBar);
        return pBar;
    }
    // Places the bar at the top of the frame at its laid-out size.
    static void Dock(CSPToolBar* pBar, int y = 0) {
        const CSize size = pBar->CalcFixedLayout(FALSE, TRUE);
        pBar->SetWindowPos(NULL, 0, y, size.cx, size.cy, SWP_NOZORDER | SWP_NOACTIVATE);
        pBar->AdjustLocations();
    }

    std::vector<std::unique_ptr<CSPToolBar>> bars;
};

}  // namespace tbtest
