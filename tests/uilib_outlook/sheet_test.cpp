// The property sheet: the tab look, and the navigation-pane look whose
// buttons stay in step with the pages.
#include "afxwin.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "MessagePump.h"
#include "SPPropertySheet.h"
#include "WindowPicture.h"
#include "outlook_res.h"
#include "outlook_support.h"

using namespace outlooktest;

namespace {

class SheetTest : public HostTest {
protected:
    CSPPropertySheet sheet{_T("Options")};
    std::vector<std::unique_ptr<CPropertyPage>> pages;

    void TearDown() override {
        if (sheet.GetSafeHwnd() != NULL) sheet.DestroyWindow();
        HostTest::TearDown();
    }
    CPropertyPage* NewPage(int i, BOOL bLibraryPage = TRUE) {
        const UINT nCaption = IDS_PAGE_FIRST + i;
        if (bLibraryPage)
            pages.emplace_back(new CSPPropertyPage(IDD_PAGE, nCaption));
        else
            pages.emplace_back(new CPropertyPage(IDD_PAGE, nCaption));
        return pages.back().get();
    }
    void Open(int nLook, int nPages) {
        sheet.SetLook(nLook);
        for (int i = 0; i < nPages; i++) sheet.AddPage(NewPage(i));
        ASSERT_TRUE(sheet.Create(&host));
        sheet.ShowWindow(SW_SHOWNOACTIVATE);
        PumpPending();
    }
    static CString Caption(int i) {
        CString str;
        str.LoadString(IDS_PAGE_FIRST + i);
        return str;
    }
    // The pane's labels, and whether each matches the page at its position.
    void ExpectButtonsMatchPages() {
        CSPOutlookBarPane* pPane = sheet.GetNavigationPane();
        ASSERT_TRUE(pPane != NULL);
        ASSERT_EQ(sheet.GetPageCount(), pPane->GetCount());
        CTabCtrl* pTab = sheet.GetTabControl();
        for (int i = 0; i < sheet.GetPageCount(); i++) {
            TCHAR szText[256] = {0};
            TCITEM item = {};
            item.mask = TCIF_TEXT;
            item.pszText = szText;
            item.cchTextMax = 255;
            ::SendMessage(pTab->GetSafeHwnd(), TCM_GETITEM, i, (LPARAM)&item);
            EXPECT_EQ(CString(szText), pPane->GetButtonText(i)) << "button " << i;
        }
    }
    int CheckedButton() {
        CSPOutlookBarPane* pPane = sheet.GetNavigationPane();
        int iChecked = -1;
        for (int i = 0; i < pPane->GetCount(); i++) {
            if (pPane->GetButtonStyle(i) & TBBS_CHECKED) {
                EXPECT_EQ(-1, iChecked) << "two buttons selected";
                iChecked = i;
            }
        }
        return iChecked;
    }
    void ClickButton(int i) {
        CSPOutlookBarPane* pPane = sheet.GetNavigationPane();
        const CPoint pt = pPane->GetButton(i)->Rect().CenterPoint();
        pPane->SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(pt.x, pt.y));
        pPane->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
        pPane->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(pt.x, pt.y));
        PumpPending();
    }
};

TEST_F(SheetTest, TabLookHasNoPane) {
    Open(CSPPropertySheet::PropSheetLook_Tabs, 2);
    EXPECT_TRUE(sheet.GetNavigationPane() == NULL);
    EXPECT_TRUE(sheet.GetTabControl()->IsWindowVisible());
    sheet.OnActivatePage(sheet.GetPage(1));
    EXPECT_EQ(-1, sheet.GetActiveButton());
    sheet.AddPage(NewPage(2));
    sheet.RemovePage(0);
    EXPECT_EQ(2, sheet.GetPageCount());
}

TEST_F(SheetTest, NavigationPaneHoldsOneButtonPerPageLeftOfThePages) {
    ASSERT_TRUE(sheet.SetIconsList(IDB_ICONS, 16));
    EXPECT_EQ(4, sheet.GetIcons().GetImageCount());
    Open(CSPPropertySheet::PropSheetLook_OutlookBar, 3);
    CSPOutlookBarPane* pPane = sheet.GetNavigationPane();
    ASSERT_TRUE(pPane != NULL);
    ExpectButtonsMatchPages();
    EXPECT_EQ(Caption(2), pPane->GetButtonText(2));
    for (int i = 0; i < 3; i++) EXPECT_GE(pPane->GetButton(i)->GetImage(), 0) << i;
    EXPECT_EQ(CSize(16, 15), CSPOutlookBarPane::GetLargeImageSize());

    EXPECT_FALSE(sheet.GetTabControl()->IsWindowVisible());
    CRect rectPane, rectPage;
    pPane->GetWindowRect(rectPane);
    sheet.GetActivePage()->GetWindowRect(rectPage);
    EXPECT_GE(rectPage.left, rectPane.right + 5);
    CWnd* pOK = sheet.GetDlgItem(IDOK);
    ASSERT_TRUE(pOK != NULL);
    CRect rectOK;
    pOK->GetWindowRect(rectOK);
    EXPECT_GE(rectOK.left, rectPane.right);

    EXPECT_EQ(0, sheet.GetActiveButton());
    EXPECT_EQ(0, CheckedButton());
}

TEST_F(SheetTest, ClickingAButtonOpensItsPageAndActivationSelectsTheButton) {
    Open(CSPPropertySheet::PropSheetLook_OutlookBar, 3);
    ClickButton(2);
    EXPECT_EQ(2, sheet.GetActiveIndex());
    EXPECT_EQ(2, sheet.GetActiveButton());
    EXPECT_EQ(2, CheckedButton());

    sheet.SetActivePage(1);
    PumpPending();
    EXPECT_EQ(1, sheet.GetActiveButton());
    EXPECT_EQ(1, CheckedButton());
}

// A page that is no library page does not report its activation; the
// sheet selects its button after a click all the same.
TEST_F(SheetTest, ClickOnThePlainPagesButtonSelectsIt) {
    sheet.SetLook(CSPPropertySheet::PropSheetLook_OutlookBar);
    sheet.AddPage(NewPage(0));
    sheet.AddPage(NewPage(1, FALSE));
    ASSERT_TRUE(sheet.Create(&host));
    PumpPending();
    ClickButton(1);
    EXPECT_EQ(1, sheet.GetActiveIndex());
    EXPECT_EQ(1, CheckedButton());
    ClickButton(0);
    EXPECT_EQ(0, CheckedButton());
}

TEST_F(SheetTest, PagesAddedAndRemovedKeepTheButtonsInStep) {
    ASSERT_TRUE(sheet.SetIconsList(IDB_ICONS, 16));
    Open(CSPPropertySheet::PropSheetLook_OutlookBar, 3);
    CSPOutlookBarPane* pPane = sheet.GetNavigationPane();

    sheet.AddPage(NewPage(3));  // the fourth icon
    sheet.AddPage(NewPage(4));  // no icon left: a button without image
    ExpectButtonsMatchPages();
    EXPECT_GE(pPane->GetButton(3)->GetImage(), 0);
    EXPECT_EQ(-1, pPane->GetButton(4)->GetImage());

    // Removing the second page removes the second button, not the first.
    sheet.SetActivePage(3);
    PumpPending();
    sheet.RemovePage(1);
    PumpPending();
    ExpectButtonsMatchPages();
    EXPECT_EQ(Caption(0), pPane->GetButtonText(0));
    EXPECT_EQ(Caption(2), pPane->GetButtonText(1));
    EXPECT_EQ(sheet.GetActiveIndex(), sheet.GetActiveButton());
    EXPECT_EQ(sheet.GetActiveIndex(), CheckedButton());

    // The active page itself, and by pointer.
    sheet.RemovePage(sheet.GetActivePage());
    PumpPending();
    ExpectButtonsMatchPages();
    EXPECT_EQ(sheet.GetActiveIndex(), CheckedButton());
    sheet.RemovePage(99);
    EXPECT_EQ(3, pPane->GetCount());

    // A click on the last button opens the last page.
    ClickButton(2);
    EXPECT_EQ(2, sheet.GetActiveIndex());
}

TEST_F(SheetTest, ActivatingAPageScrollsItsButtonIntoView) {
    Open(CSPPropertySheet::PropSheetLook_OutlookBar, IDS_PAGE_COUNT);
    CSPOutlookBarPane* pPane = sheet.GetNavigationPane();
    ASSERT_TRUE(pPane->IsMoreBelow()) << "the pane should not show all buttons";
    CRect rectClient;
    pPane->GetClientRect(rectClient);
    for (int iPage : {IDS_PAGE_COUNT - 1, 0, 5}) {
        sheet.SetActivePage(iPage);
        PumpPending();
        const CRect rect = pPane->GetButton(iPage)->Rect();
        EXPECT_GE(rect.top, rectClient.top) << iPage;
        EXPECT_LE(rect.bottom, rectClient.bottom) << iPage;
        EXPECT_EQ(iPage, CheckedButton());
    }
}

// With TW_SHEET_SCREENSHOT set, the picture of the docs.
TEST_F(SheetTest, IconsAndSelectionShowInThePane) {
    ASSERT_TRUE(sheet.SetIconsList(IDB_ICONS, 16));
    Open(CSPPropertySheet::PropSheetLook_OutlookBar, 5);
    sheet.SetActivePage(2);
    PumpPending();
    EXPECT_EQ(2, CheckedButton());
    CSPOutlookBarPane* pPane = sheet.GetNavigationPane();
    for (int i = 0; i < 4; i++) EXPECT_GE(pPane->GetButton(i)->GetImage(), 0) << i;
    EXPECT_EQ(-1, pPane->GetButton(4)->GetImage());
    sheet.RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_FRAME);
    if (const char* pszPath = getenv("TW_SHEET_SCREENSHOT")) {
        EXPECT_TRUE(WriteWindowBitmap(sheet.GetSafeHwnd(), pszPath, TRUE)) << pszPath;
    }
}

}  // namespace
