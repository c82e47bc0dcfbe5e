// Placements saved to the registry and restored: the values and key names,
// damaged values, and a whole frame of bars on four sides restored in a new
// process. The same frame, with a caption bar, is the one pictured in the
// docs (written when TW_DOCKING_SCREENSHOT names a file).
#include "layout_support.h"

#include <stdio.h>
#include <stdlib.h>

#include "SPCaptionBar.h"
#include "WindowPicture.h"

using namespace docktest;

namespace {

// A fixed bar that shows its control id, so that a picture tells them apart.
class CLabelBar : public CFixedBar {
public:
    COLORREF m_clrFace = RGB(200, 220, 240);

protected:
    void DoPaint(CDC* pDC) override {
        CRect rect;
        GetClientRect(rect);
        CBrush brush(m_clrFace);
        pDC->FillRect(rect, &brush);
        pDC->Draw3dRect(rect, RGB(255, 255, 255), RGB(90, 90, 120));
        CString strLabel;
        strLabel.Format("%u", GetDlgCtrlID());
        pDC->SetBkMode(TRANSPARENT);
        pDC->DrawText(strLabel, rect, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
    }
};

// Per side: two bars in the first row, one in the second.
const struct {
    UINT nDockID;
    DWORD dwSide;
    COLORREF clrFace;
} kSides[] = {
    {AFX_IDW_DOCKBAR_TOP, CBRS_ALIGN_TOP, RGB(200, 220, 240)},
    {AFX_IDW_DOCKBAR_BOTTOM, CBRS_ALIGN_BOTTOM, RGB(220, 240, 200)},
    {AFX_IDW_DOCKBAR_LEFT, CBRS_ALIGN_LEFT, RGB(240, 220, 200)},
    {AFX_IDW_DOCKBAR_RIGHT, CBRS_ALIGN_RIGHT, RGB(230, 210, 240)},
};
const UINT kFirstID = 2001;
const UINT kHiddenID = 2002;  // saved hidden
const int kBarsPerSide = 3;

struct Showcase {
    CSPFrameWnd* pFrame = NULL;
    CSPCaptionBar* pCaption = NULL;
    std::vector<CLabelBar*> bars;  // kBarsPerSide per side, side by side
};

// The frame with its caption bar and its bars, docked (bDock) or not.
void BuildShowcase(Showcase& s, bool bDock) {
    s.pFrame = new CSPFrameWnd;
    ASSERT_TRUE(s.pFrame->Create(NULL, _T("Docked bars"), WS_OVERLAPPEDWINDOW, CRect(20, 20, 660, 500)));
    s.pFrame->ShowWindow(SW_SHOWNOACTIVATE);
    // The caption bar, listed before the dock bars, spans the whole frame.
    s.pCaption = new CSPCaptionBar;
    ASSERT_TRUE(s.pCaption->Create(WS_CHILD | WS_VISIBLE, s.pFrame, 2000));
    s.pCaption->SetIcon(::LoadIcon(NULL, IDI_INFORMATION), CSPCaptionBar::ALIGN_LEFT);
    s.pCaption->SetText(_T("Contents of the help file"), CSPCaptionBar::ALIGN_LEFT);
    s.pCaption->SetButton(_T("Options"), 0x7200, CSPCaptionBar::ALIGN_RIGHT);
    ASSERT_TRUE(s.pFrame->EnableDocking(CBRS_ALIGN_ANY));
    UINT nID = kFirstID;
    for (const auto& side : kSides) {
        const BOOL bHorz = (side.dwSide & CBRS_ORIENT_HORZ) != 0;
        for (int i = 0; i < kBarsPerSide; i++) {
            CLabelBar* pBar = new CLabelBar;
            pBar->m_nLength = 90 + 15 * i;
            pBar->m_nThickness = 26;
            pBar->m_clrFace = side.clrFace;
            ASSERT_TRUE(pBar->Create(NULL, WS_CHILD | WS_VISIBLE, CRect(0, 0, 10, 10), s.pFrame, nID++));
            pBar->EnableDocking(CBRS_ALIGN_ANY);
            s.bars.push_back(pBar);
            if (!bDock) continue;
            // Row 0: at 0 and at 130; row 1: at 30.
            const int nAlong = i == 0 ? 0 : (i == 1 ? 130 : 30);
            const int nAcross = i == 2 ? 30 : 0;
            CRect rect = bHorz ? CRect(nAlong, nAcross, nAlong + pBar->m_nLength, nAcross + 26)
                               : CRect(nAcross, nAlong, nAcross + 26, nAlong + pBar->m_nLength);
            s.pFrame->DockControlBar(pBar, side.nDockID, rect);
        }
    }
}

CString ExpectedKey() { return ProfilePath("showcase-expected"); }

CString ResultFile() {
    char szTemp[MAX_PATH];
    ::GetTempPathA(sizeof(szTemp), szTemp);
    return CString(szTemp) + "uilib_docking_restore.txt";
}

}  // namespace

TEST(DockingState, PlacementValuesRoundTripUnderTheirKeyNames) {
    const CString profile = ProfilePath("bars");
    DeleteTree(profile);
    Showcase s;
    BuildShowcase(s, true);
    CLabelBar* pBar = s.bars[kBarsPerSide * 2 + 2];  // left side, second row
    ASSERT_EQ(pBar->GetParentDockBar()->GetCurrentAlignment(), (DWORD)CBRS_ALIGN_LEFT);
    ASSERT_TRUE(pBar->SaveState(profile));
    const CString key = profile + "SPControlBar-2009";
    EXPECT_EQ(ReadDword(key, "ID"), 2009);
    EXPECT_EQ(ReadDword(key, "RecentFrameAlignment"), CBRS_ALIGN_LEFT);
    EXPECT_EQ(ReadDword(key, "RecentRowIndex"), 1);
    EXPECT_EQ(ReadDword(key, "IsFloating"), 0);
    EXPECT_EQ(ReadDword(profile + "SPBaseControlBar-2009", "IsVisible"), 1);

    // Damaged values read as missing: a row index as text, a rectangle of
    // the wrong size, an absurd width.
    HKEY h;
    ASSERT_EQ(::RegOpenKeyExA(HKEY_CURRENT_USER, key, 0, KEY_ALL_ACCESS, &h), ERROR_SUCCESS);
    ::RegSetValueExA(h, "RecentRowIndex", 0, REG_SZ, (const BYTE*)"7", 2);
    const BYTE shortRect[8] = {1, 0, 0, 0, 2, 0, 0, 0};
    ::RegSetValueExA(h, "RectRecentDocked", 0, REG_BINARY, shortRect, sizeof(shortRect));
    ::RegCloseKey(h);
    WriteDword(key, "MRUWidth", 0x7FFFFFFF);
    CLabelBar* pProbe = new CLabelBar;  // deletes itself with its window
    ASSERT_TRUE(pProbe->Create(NULL, WS_CHILD, CRect(0, 0, 10, 10), s.pFrame, 2009));
    pProbe->m_recentDockInfo.m_nRecentRowIndex = 0;
    ASSERT_TRUE(pProbe->LoadState(profile));
    EXPECT_EQ(pProbe->m_recentDockInfo.m_nRecentRowIndex, 0);
    EXPECT_EQ(pProbe->GetLoadedDockedRect(), CRect(0, 0, 0, 0));
    EXPECT_EQ(pProbe->GetMRUWidth(), 32767);
    EXPECT_EQ(pProbe->m_recentDockInfo.m_dwRecentAlignmentToFrame, (DWORD)CBRS_ALIGN_LEFT);
    pProbe->DestroyWindow();
    s.pFrame->DestroyWindow();
    DeleteTree(profile);
}

TEST(DockingState, ARowIndexFarPastTheRowsLandsInOneNewRow) {
    Showcase s;
    BuildShowcase(s, true);
    CLabelBar* pBar = s.bars[0];
    CSPDockBar* pTop = s.pFrame->GetDockManager()->FindDockBar(CBRS_ALIGN_TOP, TRUE);
    const INT_PTR nRows = pTop->GetRows().GetCount();
    pBar->UnDockControlBar(FALSE);
    pBar->m_recentDockInfo.m_nRecentRowIndex = 100000;
    pBar->m_recentDockInfo.m_pRecentDockBar = pTop;
    pBar->m_recentDockInfo.m_pRecentDockBarRow = NULL;
    pBar->m_recentDockInfo.GetRect(TRUE) = CRect(-5000, -5000, -4900, -4974);
    CSPDockManager::m_bRestoringDockState = TRUE;
    EXPECT_TRUE(pBar->DockControlBar(pTop, NULL, SP_DM_SHOW));
    CSPDockManager::m_bRestoringDockState = FALSE;
    // One new row behind the others, not a hundred thousand.
    EXPECT_EQ(pTop->GetRows().GetCount(), nRows + 1);
    EXPECT_EQ(pTop->GetRowIndex(pBar->GetDockBarRow()), (int)nRows);
    CRect rect = FrameRect(s.pFrame, pBar), rectTop = FrameRect(s.pFrame, pTop);
    EXPECT_GE(rect.left, rectTop.left);
    EXPECT_GE(rect.top, rectTop.top);
    EXPECT_LE(rect.bottom, rectTop.bottom);
    s.pFrame->DestroyWindow();
}

// The second half of the next test, run in a process of its own.
TEST(DockingState, DISABLED_RestoreInThisProcess) {
    Showcase s;
    BuildShowcase(s, false);
    CSPDockManager* pManager = s.pFrame->GetDockManager();
    const CString profile = ProfilePath("showcase");
    for (CLabelBar* pBar : s.bars) ASSERT_TRUE(pBar->LoadState(profile));
    CSPDockManager::m_bRestoringDockState = TRUE;
    // The bars of the second rows come first: rows named by a bar exist.
    for (int i = (int)s.bars.size() - 1; i >= 0; i--) s.bars[i]->ApplyLoadedDockState(pManager);
    CSPDockManager::m_bRestoringDockState = FALSE;
    s.pFrame->RecalcLayout();

    std::vector<CWnd*> wnds;
    for (CLabelBar* pBar : s.bars) {
        const UINT nID = pBar->GetDlgCtrlID();
        SCOPED_TRACE(nID);
        wnds.push_back(pBar);
        EXPECT_EQ(pBar->IsWindowVisible() != FALSE, nID != kHiddenID);
        CString strName;
        strName.Format("Bar-%u", nID);
        HKEY h;
        ASSERT_EQ(::RegOpenKeyExA(HKEY_CURRENT_USER, ExpectedKey(), 0, KEY_READ, &h), ERROR_SUCCESS);
        CRect rectExpected;
        DWORD cb = sizeof(rectExpected), type = 0;
        LONG r = ::RegQueryValueExA(h, strName, NULL, &type, (LPBYTE)&rectExpected, &cb);
        ::RegCloseKey(h);
        ASSERT_EQ(r, ERROR_SUCCESS);
        if (nID != kHiddenID) {
            EXPECT_EQ(FrameRect(s.pFrame, pBar), rectExpected);
        }
    }
    std::string which;
    EXPECT_TRUE(NoneOverlap(wnds, &which)) << which;
    s.pFrame->DestroyWindow();
    if (!::testing::Test::HasFailure()) {
        FILE* f = fopen(ResultFile(), "w");
        if (f != NULL) {
            fputs("restored\n", f);
            fclose(f);
        }
    }
}

TEST(DockingState, AFrameOfBarsOnFourSidesIsRestoredInANewProcess) {
    const CString profile = ProfilePath("showcase");
    DeleteTree(profile);
    DeleteTree(ExpectedKey());
    ::DeleteFileA(ResultFile());
    Showcase s;
    BuildShowcase(s, true);
    for (const auto& side : kSides) {
        CSPDockBar* pDockBar = s.pFrame->GetDockManager()->FindDockBar(side.dwSide, TRUE);
        EXPECT_EQ(pDockBar->GetRows().GetCount(), 2);
        EXPECT_EQ(pDockBar->GetThickness(), 52);
    }
    std::vector<CWnd*> wnds(s.bars.begin(), s.bars.end());
    wnds.push_back(s.pCaption);
    std::string which;
    EXPECT_TRUE(NoneOverlap(wnds, &which)) << which;

    const char* pszPicture = getenv("TW_DOCKING_SCREENSHOT");
    if (pszPicture != NULL && *pszPicture != 0) {
        s.pFrame->SetWindowPos(&CWnd::wndTopMost, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
        s.pFrame->RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
        PumpPending();
        ::Sleep(300);
        PumpPending();
        EXPECT_TRUE(WriteWindowBitmap(s.pFrame->GetSafeHwnd(), pszPicture, TRUE));
    }

    s.bars[kHiddenID - kFirstID]->ShowControlBar(FALSE, FALSE, FALSE);
    for (CLabelBar* pBar : s.bars) {
        ASSERT_TRUE(pBar->SaveState(profile));
        CString strName;
        strName.Format("Bar-%u", pBar->GetDlgCtrlID());
        CRect rect = FrameRect(s.pFrame, pBar);
        HKEY h;
        ASSERT_EQ(::RegCreateKeyExA(HKEY_CURRENT_USER, ExpectedKey(), 0, NULL, 0, KEY_ALL_ACCESS, NULL, &h, NULL),
                  ERROR_SUCCESS);
        ::RegSetValueExA(h, strName, 0, REG_BINARY, (const BYTE*)&rect, sizeof(rect));
        ::RegCloseKey(h);
    }
    EXPECT_EQ(ReadDword(profile + "SPBaseControlBar-2002", "IsVisible"), 0);
    s.pFrame->DestroyWindow();

    // The same program restores the layout in a process of its own.
    char szExe[MAX_PATH];
    ::GetModuleFileNameA(NULL, szExe, sizeof(szExe));
    CString strCmd;
    strCmd.Format("\"%s\" --gtest_filter=DockingState.DISABLED_RestoreInThisProcess --gtest_also_run_disabled_tests",
                  szExe);
    STARTUPINFOA si = {};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi = {};
    std::vector<char> cmd((LPCTSTR)strCmd, (LPCTSTR)strCmd + strCmd.GetLength() + 1);
    ASSERT_TRUE(::CreateProcessA(NULL, cmd.data(), NULL, NULL, FALSE, 0, NULL, NULL, &si, &pi));
    EXPECT_EQ(::WaitForSingleObject(pi.hProcess, 60000), WAIT_OBJECT_0);
    DWORD dwExit = 1;
    ::GetExitCodeProcess(pi.hProcess, &dwExit);
    ::CloseHandle(pi.hThread);
    ::CloseHandle(pi.hProcess);
    EXPECT_EQ(dwExit, 0u);
    EXPECT_NE(::GetFileAttributesA(ResultFile()), INVALID_FILE_ATTRIBUTES) << "the restoring process did not finish";
    ::DeleteFileA(ResultFile());
}
