// The toolbar's command update: the command-UI operations on the button
// styles and texts, and the idle update of a whole bar.
#include "toolbar_support.h"

#include "SPToolBarCmdUI.h"

using namespace tbtest;

namespace {

class ToolbarCmdUITest : public ToolbarTest {};

}  // namespace

TEST_F(ToolbarCmdUITest, OperationsMapOntoTheStyle) {
    enum Op { kEnable, kCheck, kRadio };
    struct Case {
        Op op;
        int arg;
        UINT before, after;
    } const cases[] = {
        {kEnable, FALSE, 0, TBBS_DISABLED},
        {kEnable, TRUE, TBBS_DISABLED | TBBS_CHECKED, TBBS_CHECKED},
        {kCheck, 0, TBBS_CHECKED | TBBS_INDETERMINATE, TBBS_CHECKBOX},
        {kCheck, 1, 0, TBBS_CHECKBOX | TBBS_CHECKED},
        {kCheck, 2, TBBS_CHECKED, TBBS_CHECKBOX | TBBS_INDETERMINATE},
        {kCheck, 7, TBBS_INDETERMINATE, TBBS_CHECKBOX | TBBS_CHECKED},  // above 2 counts as 1
        {kRadio, TRUE, TBBS_DISABLED, TBBS_DISABLED | TBBS_CHECKBOX | TBBS_CHECKED},
        {kRadio, FALSE, TBBS_CHECKED, TBBS_CHECKBOX},
    };
    CSPToolBar* pBar = MainBar();
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.op << " " << c.arg << " from " << c.before);
        pBar->SetButtonStyle(0, c.before);
        CSPToolBarCmdUI state(pBar, 0);
        EXPECT_EQ(state.m_nID, (UINT)ID_OPEN);
        EXPECT_EQ(state.m_nIndexMax, (UINT)pBar->GetCount());
        if (c.op == kEnable) state.Enable(c.arg);
        if (c.op == kCheck) state.SetCheck(c.arg);
        if (c.op == kRadio) state.SetRadio(c.arg);
        EXPECT_EQ(pBar->GetButtonStyle(0), c.after);
    }
}

TEST_F(ToolbarCmdUITest, TextIsCutAtTheTabAndCanBeIgnored) {
    CSPToolBar* pBar = MainBar();
    CSPToolBarCmdUI state(pBar, 0);
    state.SetText("Open\tCtrl+O");
    EXPECT_EQ(pBar->GetButtonText(0), "Open");
    pBar->SetIgnoreSetText(TRUE);
    state.SetText("Other");
    EXPECT_EQ(pBar->GetButtonText(0), "Open");
}

// Without handlers the idle update disables every command button, but not
// a user tool's, and never touches separators.
TEST_F(ToolbarCmdUITest, IdleUpdateDisablesCommandsWithoutHandler) {
    CSPToolBar* pBar = MainBar();
    pBar->InsertButtonCopy(CSPToolbarButton(0xF060, -1, "Close"), -1);  // a system command
    pBar->OnUpdateCmdUI(frame, TRUE);
    for (int i = 0; i < pBar->GetCount(); i++) {
        SCOPED_TRACE(i);
        const UINT nID = pBar->GetItemID(i);
        const bool bDisabled = (pBar->GetButtonStyle(i) & TBBS_DISABLED) != 0;
        EXPECT_EQ(bDisabled, nID != 0 && nID != 0xF060);
    }
    pBar->OnUpdateCmdUI(frame, FALSE);  // no handler, but nothing disabled anew
    EXPECT_NE(pBar->GetButtonStyle(0) & TBBS_DISABLED, 0u);
    EXPECT_EQ(pBar->GetCommandTarget(), (CWnd*)frame);
}
