// A customised toolbar layout saved in one process and loaded in another:
// a button Alt-dragged to another bar is there again, and a command the
// toolbar resource gained since shows up in the customised bar.
#include "ChildProcess.h"
#include "interact_support.h"

using namespace tbtest;

namespace {

const char* const kChildVariable = "TW_TOOLBARS_CHILD";
LPCTSTR const kProfile = _T("process");

bool IsChild() { return ::GetEnvironmentVariableA(kChildVariable, NULL, 0) != 0; }

// Runs this program again with only the child test; its exit code.
DWORD RunChild() { return RunThisProgramAsChild(kChildVariable, "ToolbarProcessChild.*"); }

}  // namespace

TEST_F(InteractTest, AltDraggedButtonComesBackInANewProcess) {
    if (IsChild()) GTEST_SKIP();
    CSPToolBar::SetWorkspaceState(TRUE, 6, 3, TRUE);
    CScriptedDragBar* pMain = NewBar<CScriptedDragBar>(IDR_MAIN);
    CSPToolBar* pSecond = NewBar(IDR_SECOND, AFX_IDW_TOOLBAR + 1, 40);
    const CRect rectLast = pSecond->GetButton(pSecond->GetCount() - 1)->Rect();
    pMain->pTarget = pSecond;
    pMain->ptDrop = CPoint(rectLast.right - 2, rectLast.CenterPoint().y);

    CSPToolBar::s_bAltCustomization = TRUE;
    pMain->bAltDown = true;
    Send(pMain, WM_LBUTTONDOWN, Center(pMain, 3), MK_LBUTTON);  // Print
    Send(pMain, WM_LBUTTONUP, Center(pMain, 3));
    ASSERT_EQ(Ids(pSecond), (std::vector<UINT>{ID_FIRST, ID_SECOND, 113, ID_PRINT}));
    ASSERT_EQ(Ids(pMain), (std::vector<UINT>{ID_OPEN, ID_SAVE, 0, ID_NOSHORT}));

    ASSERT_TRUE(pMain->SaveState(ProfilePath(kProfile)));
    ASSERT_TRUE(pSecond->SaveState(ProfilePath(kProfile)));
    EXPECT_EQ(RunChild(), 0u);
}

class ToolbarProcessChild : public InteractTest {};

// Disabled in ordinary runs: the test above runs it in its child process.
TEST_F(ToolbarProcessChild, DISABLED_LoadsTheSavedBars) {
    ASSERT_TRUE(IsChild());
    CSPToolBar::SetWorkspaceState(TRUE, 6, 3, TRUE);
    // This release's main bar: Export added to the resource, No-short gone.
    CSPToolBar* pMain = NewBar(IDR_MAIN_CHANGED);
    CSPToolBar* pSecond = NewBar(IDR_SECOND, AFX_IDW_TOOLBAR + 1, 40);
    EXPECT_TRUE(pMain->LoadState(ProfilePath(kProfile)));
    EXPECT_TRUE(pSecond->LoadState(ProfilePath(kProfile)));
    EXPECT_EQ(Ids(pSecond), (std::vector<UINT>{ID_FIRST, ID_SECOND, 113, ID_PRINT}));
    EXPECT_EQ(Ids(pMain), (std::vector<UINT>{ID_OPEN, ID_SAVE, ID_EXPORT}));
    EXPECT_TRUE(pMain->IsResourceChanged());
    EXPECT_FALSE(pSecond->IsResourceChanged());
}
