// The sheet over the frame: customise mode while it is open, a command
// dropped from the Commands page onto the toolbar meanwhile, the Close
// button, and a frame destroyed under the open sheet.
#include "customize_support.h"

#include "CreationRefusal.h"
#include "SPCustomizePage.h"
#include "SPToolsPage.h"
#include "SPUserToolsManager.h"
#include "WindowPicture.h"

using namespace custtest;

TEST_F(CustomizeTest, CustomiseModeLastsWhileTheSheetIsOpen) {
    ASSERT_FALSE(CSPToolBar::IsCustomizeMode());
    CSPToolbarCustomize* pSheet = OpenSheet();
    EXPECT_EQ(pSheet, g_pWndCustomize);
    EXPECT_TRUE(CSPToolBar::IsCustomizeMode());
    EXPECT_FALSE(child.IsWindowEnabled()) << "the view is disabled";
    EXPECT_TRUE(bar->IsWindowEnabled()) << "bars stay enabled";
    EXPECT_EQ((std::vector<int>{1}), frame->customizeMessages);

    // The Close button is the default, labelled from the library's string.
    CWnd* pClose = pSheet->GetDlgItem(IDCANCEL);
    ASSERT_TRUE(pClose != NULL);
    CString strClose;
    pClose->GetWindowText(strClose);
    EXPECT_STREQ("Close", strClose);
    EXPECT_TRUE(pClose->IsWindowVisible());
    CString strCaption;
    pSheet->GetWindowText(strCaption);
    EXPECT_STREQ("Customize", strCaption);

    // A command of the Commands page dropped on the toolbar, as the page's
    // drag hands it over.
    CSPCustomizePage* pPage = pSheet->GetCommandsPage();
    ASSERT_TRUE(pPage->GetSafeHwnd() != NULL);
    SelectEntry(pPage->m_wndCategory, pPage->m_wndCategory.FindStringExact(-1, "Edit"));
    const int iPaste = FindEntry(pPage->m_wndTools, "Paste");
    ASSERT_GE(iPaste, 0);
    CSPToolbarButton* pButton = (CSPToolbarButton*)pPage->m_wndTools.GetItemDataPtr(iPaste);
    COleDataSource source;
    pButton->m_bDragFromCollection = TRUE;
    ASSERT_TRUE(pButton->PrepareDrag(source));
    pButton->m_bDragFromCollection = FALSE;
    const CRect rectLast = bar->GetButton(bar->GetCount() - 1)->Rect();
    const CPoint ptDrop(rectLast.right + 2, rectLast.CenterPoint().y);
    const DROPEFFECT dwEffect = bar->OnDragEnter(source.GetDataObject(), 0, ptDrop);
    ASSERT_NE((DROPEFFECT)DROPEFFECT_NONE, dwEffect);
    ASSERT_TRUE(bar->OnDrop(source.GetDataObject(), dwEffect, ptDrop));
    EXPECT_EQ((UINT)ID_T_PASTE, bar->GetItemID(bar->GetCount() - 1));
    EXPECT_EQ(pButton, pPage->m_wndTools.GetItemDataPtr(iPaste)) << "the catalogue keeps its button";

    CloseSheet(pSheet);
    EXPECT_TRUE(g_pWndCustomize == NULL);
    EXPECT_FALSE(CSPToolBar::IsCustomizeMode());
    EXPECT_TRUE(child.IsWindowEnabled());
    EXPECT_EQ((std::vector<int>{1, 0}), frame->customizeMessages);
    EXPECT_EQ((UINT)ID_T_PASTE, bar->GetItemID(bar->GetCount() - 1)) << "the dropped command stays";
}

namespace {

// The scripted drag of the commands list: drops on g_pDropBar at g_ptDrop,
// counting the drags.
CSPToolBar* g_pDropBar = NULL;
CPoint g_ptDrop;
int g_nDrags = 0;
DROPEFFECT ScriptedDrop(COleDataSource& source) {
    g_nDrags++;
    IDataObject* pData = source.GetDataObject();
    const DROPEFFECT dwEffect = g_pDropBar->OnDragEnter(pData, 0, g_ptDrop);
    if (dwEffect == DROPEFFECT_NONE) {
        g_pDropBar->OnDragLeave();
        return DROPEFFECT_NONE;
    }
    return g_pDropBar->OnDrop(pData, dwEffect, g_ptDrop) ? dwEffect : DROPEFFECT_NONE;
}

}  // namespace

// The list's own drag: a click on an item drags a copy of its command onto
// the bar; a click below the last item starts none.
TEST_F(CustomizeTest, CommandsListDragsOntoTheToolbar) {
    CSPToolbarCustomize* pSheet = OpenSheet();
    CSPCustomizePage* pPage = pSheet->GetCommandsPage();
    SelectEntry(pPage->m_wndCategory, pPage->m_wndCategory.FindStringExact(-1, "Edit"));
    CSPCommandsListBox& list = pPage->m_wndTools;
    const int iCopy = FindEntry(list, "Copy");
    ASSERT_GE(iCopy, 0);
    g_pDropBar = bar.get();
    const CRect rectFirst = bar->GetButton(0)->Rect();
    g_ptDrop = CPoint(rectFirst.left + 2, rectFirst.CenterPoint().y);
    g_nDrags = 0;
    CSPCommandsListBox::s_pfnDragDropForTest = ScriptedDrop;
    const BOOL bDeleteOnDrop = CSPToolBar::m_DropSource.m_bDeleteOnDrop;

    CRect rectItem;
    list.GetItemRect(iCopy, rectItem);
    const CPoint ptItem = rectItem.CenterPoint();
    list.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(ptItem.x, ptItem.y));
    EXPECT_EQ(1, g_nDrags);
    EXPECT_EQ((UINT)ID_T_COPY, bar->GetItemID(0)) << "dropped before the first button";
    EXPECT_FALSE(bar->GetButton(0)->m_bDragFromCollection);
    EXPECT_EQ(bDeleteOnDrop, CSPToolBar::m_DropSource.m_bDeleteOnDrop) << "restored after the drag";
    EXPECT_EQ(iCopy, list.GetCurSel());

    CRect rectClient;
    list.GetClientRect(rectClient);
    list.GetItemRect(list.GetCount() - 1, rectItem);
    ASSERT_LT(rectItem.bottom + 4, rectClient.bottom);
    list.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(rectItem.left + 4, rectItem.bottom + 3));
    EXPECT_EQ(1, g_nDrags) << "no drag below the items";

    CSPCommandsListBox::s_pfnDragDropForTest = NULL;
    CloseSheet(pSheet);
}

namespace {
// A drag during which the sheet goes.
CSPToolbarCustomize* g_pSheetToClose = NULL;
DROPEFFECT CloseSheetDuringDrag(COleDataSource&) {
    g_pSheetToClose->DestroyWindow();
    return DROPEFFECT_NONE;
}
}  // namespace

TEST_F(CustomizeTest, SheetClosedWhileACommandIsDragged) {
    CSPToolbarCustomize* pSheet = OpenSheet();
    CSPCustomizePage* pPage = pSheet->GetCommandsPage();
    SelectEntry(pPage->m_wndCategory, 0);
    CRect rectItem;
    pPage->m_wndTools.GetItemRect(0, rectItem);
    g_pSheetToClose = pSheet;
    CSPCommandsListBox::s_pfnDragDropForTest = CloseSheetDuringDrag;
    pPage->m_wndTools.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON,
                                  MAKELPARAM(rectItem.CenterPoint().x, rectItem.CenterPoint().y));
    CSPCommandsListBox::s_pfnDragDropForTest = NULL;
    PumpPending();
    EXPECT_TRUE(g_pWndCustomize == NULL);
    EXPECT_FALSE(CSPToolBar::IsCustomizeMode());
    EXPECT_TRUE(child.IsWindowEnabled());
}

// Help tells the frame the active page; a derived sheet that finds the
// tools invalid keeps itself and the Tools page open.
class CStrictSheet : public CSPToolbarCustomize {
public:
    explicit CStrictSheet(CFrameWnd* pFrame) : CSPToolbarCustomize(pFrame, TRUE) {}
    BOOL bToolsValid = FALSE;
    BOOL CheckToolsValidity(const CObList&) override { return bToolsValid; }
};

TEST_F(CustomizeTest, HelpAndInvalidToolsKeepTheSheet) {
    CSPUserToolsManager tools(7300, 7301, 7305);
    CStrictSheet* pSheet = new CStrictSheet(frame);
    ASSERT_TRUE(pSheet->Create());
    PumpPending();
    pSheet->SetActivePage(1);
    pSheet->SendMessage(WM_COMMAND, 9);
    EXPECT_EQ((std::vector<int>{1}), frame->helpPages);

    pSheet->SendMessage(WM_COMMAND, IDCANCEL);
    PumpPending();
    ASSERT_EQ(pSheet, g_pWndCustomize) << "still open";
    EXPECT_EQ((CPropertyPage*)pSheet->GetToolsPage(), pSheet->GetActivePage());
    EXPECT_TRUE(CSPToolBar::IsCustomizeMode());
    pSheet->bToolsValid = TRUE;
    CloseSheet(pSheet);
    EXPECT_TRUE(g_pWndCustomize == NULL);
}

// A sheet whose window the system refuses has deleted itself once (its
// creator must not), and the frame is not left in customise mode.
TEST_F(CustomizeTest, ARefusedSheetIsDeletedOnceAndLeavesNoCustomiseMode) {
    struct CCountedSheet : CSPToolbarCustomize {
        int* pnDeleted;
        CCountedSheet(CFrameWnd* pFrame, int* pn) : CSPToolbarCustomize(pFrame, TRUE), pnDeleted(pn) {}
        ~CCountedSheet() override { ++*pnDeleted; }
    };
    int nDeleted = 0;
    {
        CCreationRefusal refusal(RUNTIME_CLASS(CSPToolbarCustomize), 1);
        EXPECT_FALSE((new CCountedSheet(frame, &nDeleted))->Create());
        EXPECT_EQ(1, refusal.Refused());
    }
    PumpPending();
    EXPECT_EQ(1, nDeleted);
    EXPECT_TRUE(g_pWndCustomize == NULL);
    EXPECT_FALSE(CSPToolBar::IsCustomizeMode());
    EXPECT_TRUE(child.IsWindowEnabled());

    CSPToolbarCustomize* pSheet = OpenSheet();
    EXPECT_EQ(pSheet, g_pWndCustomize);
    CloseSheet(pSheet);
    EXPECT_TRUE(g_pWndCustomize == NULL);
}

TEST_F(CustomizeTest, FrameDestroyedUnderTheOpenSheet) {
    OpenSheet();
    ASSERT_TRUE(g_pWndCustomize != NULL);
    child.DestroyWindow();
    bar.reset();
    frame->DestroyWindow();
    frame = NULL;
    PumpPending();
    EXPECT_TRUE(g_pWndCustomize == NULL) << "the sheet went with its frame";
    EXPECT_FALSE(CSPToolBar::IsCustomizeMode());
}

TEST_F(CustomizeTest, ScreenshotOfTheSheet) {
    CSPToolbarCustomize* pSheet = OpenSheet();
    frame->SetWindowPos(NULL, 0, 0, 640, 420, SWP_NOZORDER | SWP_NOACTIVATE);
    pSheet->SetWindowPos(&CWnd::wndTop, 200, 80, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE);
    CSPCustomizePage* pPage = pSheet->GetCommandsPage();
    SelectEntry(pPage->m_wndCategory, 0);
    SelectEntry(pPage->m_wndTools, 1);
    frame->RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_FRAME);
    pSheet->RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_FRAME);
    PumpPending();
    const char* lpszOut = getenv("TW_CUSTOMIZE_SCREENSHOT");
    if (lpszOut != NULL) {
        CRect rect;
        frame->GetWindowRect(rect);
        EXPECT_TRUE(WriteScreenBitmap(rect, lpszOut));
    }
    CloseSheet(pSheet);
}
