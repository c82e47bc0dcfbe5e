// The rebar in a hidden library frame: its band layout saved and restored
// ("RBI", "IDs"), the cases where nothing is restored, and band visibility
// following the bars.
#include "afxwin.h"
#include <gtest/gtest.h>

#include <vector>

#include "SPFrameWnd.h"
#include "SPReBar.h"
#include "SPWorkspace.h"
#include "TestRegistry.h"

namespace {

const UINT ID_REBAR = 0xE804;

struct RebarFixture : ::testing::Test {
    CSPFrameWnd* pFrame = NULL;
    CSPReBar rebar;
    std::vector<CWnd*> children;
    CString strBase = _T("Software\\TomewiseTests\\uilib_frames\\rebar\\");
    CString strKey;

    void SetUp() override {
        strKey.Format("%sSRebar-%ld", (LPCTSTR)strBase, (long)ID_REBAR);
        DeleteRegTree(strBase);
        pFrame = new CSPFrameWnd;
        ASSERT_TRUE(pFrame->Create(NULL, _T("rebar test"), WS_OVERLAPPEDWINDOW, CRect(20, 20, 620, 420)));
        ASSERT_TRUE(rebar.Create(pFrame));
    }
    // A band holding a child window of the given id.
    void AddBand(UINT nID, DWORD dwStyle = RBBS_GRIPPERALWAYS) {
        CWnd* pChild = new CWnd;
        ASSERT_TRUE(pChild->Create(_T("STATIC"), _T("band"), WS_CHILD | WS_VISIBLE, CRect(0, 0, 80, 22), &rebar, nID));
        children.push_back(pChild);
        ASSERT_TRUE(rebar.AddBar(pChild, NULL, NULL, dwStyle));
    }
    std::vector<UINT> Order() {
        std::vector<UINT> ids;
        for (int i = 0; i < rebar.GetBandCount(); i++) {
            REBARBANDINFO rbbi = {};
            rbbi.cbSize = CCSIZEOF_STRUCT(REBARBANDINFO, cxHeader);
            rbbi.fMask = RBBIM_CHILD;
            rebar.SendMessage(RB_GETBANDINFO, i, (LPARAM)&rbbi);
            ids.push_back((UINT)::GetDlgCtrlID(rbbi.hwndChild));
        }
        return ids;
    }
    void TearDown() override {
        if (pFrame != NULL && pFrame->GetSafeHwnd() != NULL) pFrame->DestroyWindow();
        for (CWnd* p : children) delete p;
        DeleteRegTree(strBase);
    }
};

TEST_F(RebarFixture, SavingWritesOne80ByteRecordAndOneIdPerBand) {
    AddBand(501);
    AddBand(502, RBBS_FIXEDSIZE);
    REBARBANDINFO rbbi = {};
    rbbi.cbSize = CCSIZEOF_STRUCT(REBARBANDINFO, cxHeader);
    rbbi.fMask = RBBIM_CHILDSIZE;
    rebar.SendMessage(RB_GETBANDINFO, 1, (LPARAM)&rbbi);

    ASSERT_TRUE(SPSaveRebarState(strBase, pFrame));
    const std::vector<BYTE> rbi = ReadRegRaw(strKey, "RBI");
    const std::vector<BYTE> ids = ReadRegRaw(strKey, "IDs");
    ASSERT_EQ(160u, rbi.size());
    ASSERT_EQ(8u, ids.size());
    const SPRebarBandRecord* rec = (const SPRebarBandRecord*)rbi.data();
    EXPECT_EQ(80u, rec[0].cbSize);
    EXPECT_EQ(0x0B61u, rec[0].fMask);
    EXPECT_EQ(0u, rec[0].hwndChild);
    // A fixed band's minimum width is stored 4 larger than reported.
    EXPECT_EQ(rbbi.cxMinChild + 4, rec[1].cxMinChild);
    EXPECT_EQ(501u, ((const DWORD*)ids.data())[0]);
    EXPECT_EQ(502u, ((const DWORD*)ids.data())[1]);
}

TEST_F(RebarFixture, SavedOrderComesBackAndChangedBandCountsKeepTheProgramsLayout) {
    AddBand(501);
    AddBand(502);
    AddBand(503);
    ASSERT_TRUE(SPSaveRebarState(strBase, pFrame));
    rebar.SendMessage(RB_MOVEBAND, 0, 2);
    ASSERT_EQ((std::vector<UINT>{502, 503, 501}), Order());
    ASSERT_TRUE(SPLoadRebarState(strBase, pFrame));
    EXPECT_EQ((std::vector<UINT>{501, 502, 503}), Order());

    // One band more than saved: nothing is restored.
    rebar.SendMessage(RB_MOVEBAND, 0, 2);
    AddBand(504);
    SPLoadRebarState(strBase, pFrame);
    EXPECT_EQ((std::vector<UINT>{502, 503, 501, 504}), Order());
}

TEST_F(RebarFixture, AnRbiShorterThanItsIdsRestoresNothing) {
    AddBand(501);
    AddBand(502);
    ASSERT_TRUE(SPSaveRebarState(strBase, pFrame));
    std::vector<BYTE> rbi = ReadRegRaw(strKey, "RBI");
    rbi.resize(100);  // one record and a part
    ASSERT_TRUE(WriteRegRaw(strKey, "RBI", rbi));
    rebar.SendMessage(RB_MOVEBAND, 0, 1);
    EXPECT_TRUE(SPLoadRebarState(strBase, pFrame));
    EXPECT_EQ((std::vector<UINT>{502, 501}), Order());
    // No key at all: the enumeration stops.
    DeleteRegTree(strBase);
    EXPECT_FALSE(SPLoadRebarState(strBase, pFrame));
}

TEST_F(RebarFixture, BandsAndTheirBarsShowAndHideTogether) {
    AddBand(501);
    AddBand(502);
    const CSize sizeBoth = rebar.CalcFixedLayout(FALSE, TRUE);
    EXPECT_EQ(32767, sizeBoth.cx);
    EXPECT_GT(sizeBoth.cy, 0);
    // A hidden bar hides its band at the next layout.
    children[1]->ShowWindow(SW_HIDE);
    rebar.CalcFixedLayout(FALSE, TRUE);
    REBARBANDINFO rbbi = {};
    rbbi.cbSize = CCSIZEOF_STRUCT(REBARBANDINFO, cxHeader);
    rbbi.fMask = RBBIM_STYLE;
    rebar.SendMessage(RB_GETBANDINFO, 1, (LPARAM)&rbbi);
    EXPECT_NE(0u, rbbi.fStyle & RBBS_HIDDEN);
    // Showing the band shows its bar.
    rebar.SendMessage(RB_SHOWBAND, 1, TRUE);
    EXPECT_TRUE(children[1]->GetStyle() & WS_VISIBLE);
}

TEST_F(RebarFixture, TheWorkspaceSavesAndLoadsTheFramesRebars) {
    AddBand(501);
    AddBand(502);
    CSPWorkspace ws;
    ws.SetRegistryBase(_T("RebarWorkspace"));
    ASSERT_TRUE(ws.SaveState(NULL, &pFrame->m_Impl));
    CString strWsKey;
    strWsKey.Format("%sSRebar-%ld", (LPCTSTR)ws.GetRegSectionPath(), (long)ID_REBAR);
    EXPECT_EQ(8u, ReadRegRaw(strWsKey, "IDs").size());
    rebar.SendMessage(RB_MOVEBAND, 0, 1);
    ASSERT_TRUE(ws.LoadState(NULL, &pFrame->m_Impl));
    EXPECT_EQ((std::vector<UINT>{501, 502}), Order());
    ws.CleanState();
}

}  // namespace
