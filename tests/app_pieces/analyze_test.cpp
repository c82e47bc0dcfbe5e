// The analysing dialog: steps from the CHM's size, and the bar filled by a
// clock the test steps by hand.
#include <gtest/gtest.h>

#include <string>

#include "AnalyzeDlg.h"
#include "test_app.h"

namespace {

// A clock that ticks only when told to.
class ManualClock : public CAnalyzeDlg::Clock {
public:
    UINT_PTR Start(CWnd* pWnd, UINT_PTR nIDEvent, UINT nElapse) override {
        m_hWnd = pWnd->m_hWnd;
        m_nID = nIDEvent;
        nLastElapse = nElapse;
        return nIDEvent;
    }
    void Stop(CWnd*, UINT_PTR nIDEvent) override {
        if (nIDEvent == m_nID) m_hWnd = NULL;
        nStops++;
    }
    // n seconds pass.
    void Step(int n) {
        for (int i = 0; i < n && m_hWnd; i++) ::SendMessage(m_hWnd, WM_TIMER, m_nID, 0);
    }
    bool Running() const { return m_hWnd != NULL; }

    UINT nLastElapse = 0;
    int nStops = 0;

private:
    HWND m_hWnd = NULL;
    UINT_PTR m_nID = 0;
};

class AnalyzeDlgTest : public ::testing::Test {
protected:
    void SetUp() override { m_pOld = CAnalyzeDlg::SetClock(&clock); }
    void TearDown() override { CAnalyzeDlg::SetClock(m_pOld); }
    // Opens the dialog as the opener does for a CHM of nBytes bytes.
    void CreateFor(CAnalyzeDlg& dlg, size_t nBytes) {
        const std::string chm = folder.Write("some.chm", std::string(nBytes, 'c'));
        dlg.m_nSteps = CAnalyzeDlg::StepsForFile(chm.c_str());
        ASSERT_TRUE(dlg.Create());
    }
    ManualClock clock;
    ScratchFolder folder;

private:
    CAnalyzeDlg::Clock* m_pOld = nullptr;
};

}  // namespace

TEST(AnalyzeDlgSteps, OneStepPerFiftyThousandBytes) {
    const struct {
        LONG nSize;
        int nSteps;
    } cases[] = {
        {0, 1},        {20000, 1},      {99999, 1},          {100000, 1}, {150000, 2},
        {1000000, 19},  // 19.9999995 in the single-precision factor
        {2000000000, 39999},
        {-1, 1},  // a file of 4 GB less one byte: its low 32 bits read as signed
    };
    for (const auto& c : cases) EXPECT_EQ(c.nSteps, CAnalyzeDlg::StepsForFileSize(c.nSize)) << c.nSize;
    EXPECT_EQ(1, CAnalyzeDlg::StepsForFile("Z:\\no\\such\\file.chm"));
}

TEST_F(AnalyzeDlgTest, TwentyThousandBytesFillTheBarInOneSecond) {
    CAnalyzeDlg dlg;
    CreateFor(dlg, 20000);
    EXPECT_EQ(1, dlg.m_nSteps);
    EXPECT_FALSE(dlg.IsWindowVisible());  // the opener shows it
    EXPECT_EQ(1000u, clock.nLastElapse);
    EXPECT_EQ(0, dlg.m_ctlProgress.GetPos());
    int nLower = -1, nUpper = -1;
    dlg.m_ctlProgress.GetRange(nLower, nUpper);
    EXPECT_EQ(0, nLower);
    EXPECT_EQ(100, nUpper);
    CString caption;
    dlg.GetWindowText(caption);
    EXPECT_STREQ("Analyzing CHM, please wait...", caption);

    clock.Step(1);
    EXPECT_EQ(100, dlg.m_ctlProgress.GetPos());
    clock.Step(3);  // past 100 the bar stays full
    EXPECT_EQ(4, dlg.m_nTicks);
    EXPECT_EQ(100, dlg.m_ctlProgress.GetPos());

    dlg.DestroyWindow();
    EXPECT_FALSE(clock.Running());
    EXPECT_EQ(0u, dlg.m_nTimer);
    EXPECT_EQ(nullptr, dlg.m_hWnd);
}

TEST_F(AnalyzeDlgTest, AMillionBytesTakeNineteenSeconds) {
    CAnalyzeDlg dlg;
    CreateFor(dlg, 1000000);
    EXPECT_EQ(19, dlg.m_nSteps);
    const struct {
        int nSeconds;  // since the last row
        int nPos;
    } rows[] = {{1, 5}, {1, 10}, {8, 52}, {8, 94}, {1, 100}, {5, 100}};
    for (const auto& r : rows) {
        clock.Step(r.nSeconds);
        EXPECT_EQ(r.nPos, dlg.m_ctlProgress.GetPos()) << dlg.m_nTicks << " ticks";
    }
    // Another timer's message moves nothing on.
    dlg.SendMessage(WM_TIMER, 7, 0);
    EXPECT_EQ(24, dlg.m_nTicks);
    // Going with its object stops the clock too.
    {
        CAnalyzeDlg other;
        other.m_nSteps = 3;
        ASSERT_TRUE(other.Create());
    }
    EXPECT_EQ(1, clock.nStops);
}
