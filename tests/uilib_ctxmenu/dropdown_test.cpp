// The drop-down toolbar button: a quick click runs the current alternative,
// a held press drops the alternatives beside the button, a pick becomes the
// current one and runs; the frame stays on the screen; the record finds its
// alternatives bar again; in a menu the alternatives are a submenu.
#include "ctxmenu_support.h"

#include "CreationRefusal.h"
#include "SPDropDownToolbarButton.h"
#include "SPGlobalData.h"
#include "SPToolbarMenuButton.h"

namespace ctxtest {
namespace {

void PumpFor(DWORD dwMilliseconds) {
    const DWORD dwEnd = ::GetTickCount() + dwMilliseconds;
    while ((int)(dwEnd - ::GetTickCount()) > 0) {
        PumpPending();
        ::Sleep(5);
    }
    PumpPending();
}

struct DropDownTest : ContextMenuFixture {
    CSPDropDownToolBar alternatives;
    CSPToolBar bar;
    CSPDropDownToolbarButton* button = NULL;
    UINT uiOldDelay = 0;

    void SetUp() override {
        ContextMenuFixture::SetUp();
        uiOldDelay = CSPDropDownToolbarButton::s_uiPressDelay;
        CSPDropDownToolbarButton::s_uiPressDelay = 60;
        ASSERT_TRUE(alternatives.Create(frame, WS_CHILD | CBRS_TOP, 0x7301));
        ASSERT_TRUE(alternatives.LoadToolBar(IDR_ALTERNATIVES));
        ASSERT_TRUE(alternatives.IsLocked());
        ASSERT_TRUE(bar.Create(frame, WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_GRIPPER, 0x7302));
        bar.EnableDocking(CBRS_ALIGN_ANY);
        bar.InsertButton(new CSPDropDownToolbarButton(_T("Shapes"), &alternatives));
        frame->DockControlBar(&bar, AFX_IDW_DOCKBAR_TOP);
        frame->RecalcLayout();
        bar.AdjustLayout();
        PumpPending();
        button = DYNAMIC_DOWNCAST(CSPDropDownToolbarButton, bar.GetButton(0));
    }
    void TearDown() override {
        if (button != NULL && button->GetDropDownFrame() != NULL) button->GetDropDownFrame()->DestroyWindow();
        CSPDropDownToolbarButton::s_uiPressDelay = uiOldDelay;
        ContextMenuFixture::TearDown();
    }
    LPARAM Center() const {
        const CPoint pt = button->Rect().CenterPoint();
        return MAKELPARAM(pt.x, pt.y);
    }
};

TEST_F(DropDownTest, QuickClickRunsHeldPressOpensPickRuns) {
    ASSERT_NE(nullptr, button);
    EXPECT_EQ((UINT)ID_ALT_LINE, button->m_nID) << "the first alternative to begin with";

    bar.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, Center());
    bar.SendMessage(WM_LBUTTONUP, 0, Center());
    PumpFor(150);
    EXPECT_EQ(std::vector<UINT>{ID_ALT_LINE}, frame->commands) << "shorter than the delay: runs";
    EXPECT_FALSE(button->IsDropDownOpen());

    frame->commands.clear();
    bar.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, Center());
    PumpFor(200);
    ASSERT_TRUE(button->IsDropDownOpen()) << "held: the alternatives drop down";
    EXPECT_TRUE(frame->commands.empty());
    CSPDropDownFrame* pFrame = button->GetDropDownFrame();
    CSPDropDownToolBar* pShown = pFrame->GetToolBar();
    ASSERT_EQ(3, pShown->GetCount());
    EXPECT_EQ(alternatives.GetButton(2), pShown->GetButton(2)) << "the same buttons, shown";
    CRect rectFrame, rectButton = button->Rect();
    pFrame->GetWindowRect(rectFrame);
    bar.ClientToScreen(rectButton);
    EXPECT_EQ(CPoint(rectButton.left - 1, rectButton.bottom), rectFrame.TopLeft());

    // The picture for the docs, while it is open.
    pFrame->UpdateWindow();
    pShown->UpdateWindow();
    CRect rectShot;
    frame->GetWindowRect(rectShot);
    SaveDocsPicture(CRect(rectShot.TopLeft(), CSize(260, 160)), "toolbar-drop-down-open");

    const CPoint ptPick = pShown->GetButton(2)->Rect().CenterPoint();
    pShown->SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(ptPick.x, ptPick.y));
    pShown->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(ptPick.x, ptPick.y));
    PumpFor(100);
    EXPECT_FALSE(button->IsDropDownOpen());
    EXPECT_EQ(std::vector<UINT>{ID_ALT_ELLIPSE}, frame->commands) << "the pick runs once";
    EXPECT_EQ((UINT)ID_ALT_ELLIPSE, button->m_nID);
    EXPECT_EQ(2, button->GetCurrentImage());
    EXPECT_EQ(3, alternatives.GetCount()) << "the alternatives keep their buttons";

    // A release outside the shown alternatives chooses nothing.
    frame->commands.clear();
    bar.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, Center());
    PumpFor(200);
    ASSERT_TRUE(button->IsDropDownOpen());
    button->GetDropDownFrame()->GetToolBar()->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(-50, -50));
    PumpFor(50);
    EXPECT_FALSE(button->IsDropDownOpen());
    EXPECT_TRUE(frame->commands.empty());
}

TEST_F(DropDownTest, CustomiseMenuGreysTheLookItems) {
    ASSERT_NE(nullptr, button);
    CMenu menu;
    {
        CSPResourceScope scope;
        ASSERT_TRUE(menu.LoadMenu(SP_IDR_BUTTON_MENU));
    }
    CMenu* pPopup = menu.GetSubMenu(0);
    ASSERT_NE(nullptr, pPopup);
    EXPECT_TRUE(bar.EnableContextMenuItems(button, pPopup));
    for (UINT uiCmd : {SP_IDC_IMAGE, SP_IDC_TEXT, SP_IDC_IMAGE_AND_TEXT, SP_IDC_APPEARANCE, SP_IDC_COPY_IMAGE})
        EXPECT_TRUE(pPopup->GetMenuState(uiCmd, MF_BYCOMMAND) & MF_GRAYED) << uiCmd;
    EXPECT_FALSE(pPopup->GetMenuState(SP_IDC_DELETE, MF_BYCOMMAND) & MF_GRAYED);
    EXPECT_FALSE(pPopup->GetMenuState(SP_IDC_IMAGE, MF_BYCOMMAND) & MF_CHECKED) << "the bar's own set-up is skipped";
}

TEST(DropDownPlacement, StaysOnTheScreen) {
    const struct {
        CPoint pt;
        BOOL bVertBar;
        CPoint ptExpected;
    } cases[] = {
        {{100, 100}, FALSE, {100, 100}},  // fits
        {{780, 100}, FALSE, {739, 100}},  // the right edge: pulled in
        {{780, 100}, TRUE, {660, 100}},   // beside a vertical bar: its other side
        {{100, 580}, FALSE, {100, 476}},  // the bottom edge: above the button
    };
    for (const auto& c : cases) {
        SPDropDownPlacement p;
        p.pt = c.pt;
        p.size = CSize(60, 80);
        p.sizeScreen = CSize(800, 600);
        p.bVertBar = c.bVertBar;
        p.xBarLeft = 720;
        p.bHasButton = TRUE;
        p.nButtonHeight = 20;
        EXPECT_EQ(c.ptExpected, SPPlaceDropDown(p)) << c.pt.x << "," << c.pt.y;
    }
}

TEST_F(DropDownTest, RecordFindsItsBarAndMenuGetsTheAlternatives) {
    ASSERT_NE(nullptr, button);
    button->SetDefaultCommand(ID_ALT_BOX);
    EXPECT_EQ(1, button->GetCurrentImage());
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        ar << (CObject*)button;
    }
    file.SeekToBegin();
    CObject* pObject = NULL;
    {
        CArchive ar(&file, CArchive::load);
        ar >> pObject;
    }
    CSPDropDownToolbarButton* pLoaded = DYNAMIC_DOWNCAST(CSPDropDownToolbarButton, pObject);
    ASSERT_NE(nullptr, pLoaded);
    EXPECT_EQ(&alternatives, pLoaded->GetDropDownToolBar());
    EXPECT_EQ(CString(_T("Shapes")), pLoaded->GetName());
    EXPECT_EQ((UINT)ID_ALT_BOX, pLoaded->m_nID);
    EXPECT_EQ(1, pLoaded->GetCurrentImage());
    delete pLoaded;

    // Without its bar (an id that names none) the button has no alternatives.
    alternatives.SetDlgCtrlID(0x7399);
    file.SeekToBegin();
    {
        CArchive ar(&file, CArchive::load);
        ar >> pObject;
    }
    pLoaded = DYNAMIC_DOWNCAST(CSPDropDownToolbarButton, pObject);
    ASSERT_NE(nullptr, pLoaded);
    EXPECT_EQ(nullptr, pLoaded->GetDropDownToolBar());
    EXPECT_FALSE(pLoaded->DropDownToolbar(&bar));
    delete pLoaded;

    CSPToolbarMenuButton menuButton;
    ASSERT_TRUE(button->ExportToMenuButton(menuButton));
    EXPECT_EQ(CString(_T("Shapes")), menuButton.m_strText);
    EXPECT_EQ(0u, menuButton.m_nID);
    ASSERT_EQ(3, menuButton.GetCommands().GetCount());
    const CSPToolbarButton* pLast = (const CSPToolbarButton*)menuButton.GetCommands().GetTail();
    EXPECT_EQ((UINT)ID_ALT_ELLIPSE, pLast->m_nID);
    EXPECT_EQ(CString(_T("Ellipse")), pLast->m_strText) << "the command's short text";
}

// A drop-down frame whose window is refused has deleted itself: the button
// forgets it, stays unpressed and drops the alternatives down next time.
TEST_F(DropDownTest, ARefusedFrameLeavesTheButtonClosed) {
    ASSERT_NE(nullptr, button);
    {
        CCreationRefusal refusal(RUNTIME_CLASS(CSPDropDownFrame), 1);
        EXPECT_FALSE(button->DropDownToolbar(&bar));
        EXPECT_EQ(1, refusal.Refused());
    }
    EXPECT_FALSE(button->IsDropDownOpen());
    PumpPending();
    EXPECT_FALSE(button->m_nStyle & TBBS_PRESSED);
    ASSERT_TRUE(button->DropDownToolbar(&bar));
    ASSERT_TRUE(button->IsDropDownOpen());
    EXPECT_EQ(3, button->GetDropDownFrame()->GetToolBar()->GetCount());
    button->GetDropDownFrame()->DestroyWindow();
    PumpPending();
    EXPECT_FALSE(button->IsDropDownOpen());
}

}  // namespace
}  // namespace ctxtest
