// The page setup of a conversion and the progress dialog.
#include <gtest/gtest.h>

#include <set>

#include "ConvertProgressDlg.h"
#include "PageSetup.h"
#include "PdfSettings.h"
#include "convert_test.h"
#include "nsString.h"

TEST(PageSetupTest, PaperSizes) {
    struct Case {
        int unit;
        const char* name;
        double width, height;  // expected
    } cases[] = {
        {0, "A4", 21 * kInchesPerCm, 29.7 * kInchesPerCm},
        {0, "letter", 21.59 * kInchesPerCm, 27.94 * kInchesPerCm},  // any case
        {0, "B5*", 17.6 * kInchesPerCm, 25 * kInchesPerCm},
        {0, "C5", 16.2 * kInchesPerCm, 22.9 * kInchesPerCm},
        {0, "Tabloid", 21 * kInchesPerCm, 29.7 * kInchesPerCm},  // not in the table: A4
        {0, "", 21 * kInchesPerCm, 29.7 * kInchesPerCm},
        {1, "Letter", 12.5, 30},  // typed centimetres, the name unused
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CPdfSettings s;
        s.m_nPageSizeUnit = c.unit;
        s.m_strPageSize = c.name;
        s.m_dPageWidth = 12.5;
        s.m_dPageHeight = 30;
        s.m_nOrientation = 1;
        s.m_dMarginLeft = 0.1;
        s.m_dMarginBottom = 0.4;
        s.m_nFooterSeperator = 1;
        s.m_strFootRight = "Seite \xFC";
        PageSetupRec* rec = NewPageSetup(s);
        ASSERT_NE(rec, nullptr);
        EXPECT_NEAR(rec->width, c.width, 1e-12);
        EXPECT_NEAR(rec->height, c.height, 1e-12);
        EXPECT_EQ(rec->unit, c.unit);
        EXPECT_EQ(rec->orientation, 1);
        EXPECT_EQ(rec->marginLeft, 0.1);
        EXPECT_EQ(rec->marginBottom, 0.4);
        EXPECT_EQ(rec->headerSeparator, 0);
        EXPECT_EQ(rec->footerSeparator, 1);
        ASSERT_NE(rec->footerRight, nullptr);
        EXPECT_EQ(std::u16string(rec->footerRight->get()), u"Seite \u00FC");
        ASSERT_NE(rec->headerLeft, nullptr);
        EXPECT_EQ(rec->headerLeft->Length(), 0u);
        Host().FreePageSetup(rec);
        EXPECT_EQ(rec->footerRight, nullptr);
        delete rec;
    }
    std::set<std::string> names;
    for (const PaperSizeRow& r : g_PaperSizes) names.insert(r.name);
    EXPECT_EQ(names.size(), 28u);
}

TEST(ProgressDialogTest, TimeTexts) {
    EXPECT_EQ(std::string(CConvertProgressDlg::FormatTime("Time used:", 3725)), "Time used: 01:02:05");
    struct Case {
        int percent, seconds, remaining;
    } cases[] = {{25, 61, 183}, {0, 61, -1}, {100, 61, -1}, {99, 1, 0}, {1, 3, 297}};
    for (const Case& c : cases)
        EXPECT_EQ(CConvertProgressDlg::RemainingSeconds(c.percent, c.seconds), c.remaining)
            << c.percent << "% " << c.seconds << " s";
    EXPECT_EQ(std::string(CConvertProgressDlg::FormatTime("Time remaining:", 183)),
              "Time remaining: 00:03:03");
}

// The shell's report creates and starts the dialog; Cancel asks, and on OK
// clears the converting flag, hides the dialog and stops its timer.
TEST(ProgressDialogTest, ReportAndCancel) {
    ASSERT_EQ(g_pConvertProgressDlg, nullptr);
    g_bConverting = TRUE;
    AfxConvertProgress(1, "");
    ASSERT_NE(g_pConvertProgressDlg, nullptr);
    CConvertProgressDlg* dlg = g_pConvertProgressDlg;
    EXPECT_TRUE(dlg->IsWindowVisible());
    EXPECT_NE(dlg->m_nTimer, 0u);
    dlg->SetDestination("C:\\out.pdf");
    CString text;
    dlg->GetDlgItemText(IDC_DEST_PDF, text);
    EXPECT_EQ(std::string(text), "C:\\out.pdf");
    dlg->SetOpenWhenDone(TRUE);
    EXPECT_TRUE(dlg->GetOpenWhenDone());
    // The current page's control may lag behind; a timer tick brings it up
    // to date and shows the time used.
    dlg->SetCurrentPage("a.htm");
    dlg->SetCurrentPage("b.htm");
    EXPECT_EQ(std::string(dlg->m_strCurrent), "b.htm");
    dlg->SendMessage(WM_TIMER, 1);
    dlg->GetDlgItemText(IDC_CURRENT_URL, text);
    EXPECT_EQ(std::string(text), "b.htm");
    dlg->GetDlgItemText(IDC_TIME_USED, text);
    EXPECT_EQ(std::string(text), "Time used: 00:00:01");

    {
        MessageBoxRecorder boxes(IDCANCEL);  // declines
        dlg->SendMessage(WM_COMMAND, IDC_CANCEL_CONVERT);
        ASSERT_EQ(boxes.texts.size(), 1u);
        EXPECT_EQ(boxes.texts[0], "CHM file is converting to PDF file, do you confirm to cancel?");
        EXPECT_TRUE(g_bConverting);
    }
    {
        MessageBoxRecorder boxes(IDOK);
        dlg->SendMessage(WM_COMMAND, IDC_CANCEL_CONVERT);
        EXPECT_FALSE(g_bConverting);
        EXPECT_FALSE(dlg->IsWindowVisible());
        EXPECT_EQ(dlg->m_nTimer, 0u);
    }
    dlg->SendMessage(WM_CLOSE);  // only minimises
    EXPECT_TRUE(::IsWindow(dlg->m_hWnd));
    delete g_pConvertProgressDlg;
    g_pConvertProgressDlg = nullptr;
}
