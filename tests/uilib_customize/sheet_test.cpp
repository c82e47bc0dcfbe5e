// The sheet over the frame: customise mode while it is open, a command
// dropped from the Commands page onto the toolbar meanwhile, the Close
// button, and a frame destroyed under the open sheet.
#include "customize_support.h"

#include "SPCustomizePage.h"
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
