// The conversion driver with the stand-in PDF Utility.
#include <gtest/gtest.h>

#include <fstream>

#include "ConvertProgressDlg.h"
#include "PdfSettings.h"
#include "convert_test.h"

namespace {

class ConvertTest : public ::testing::Test {
protected:
    void SetUp() override {
        FakeUtility::Clear();
        settings.m_nOpenPdf = 0;
        settings.m_strPageSize = "A4";
        settings.m_strHeadLeft = "left";
        pdf = folder.Path() + ".pdf";
        DeleteFileA(pdf.c_str());
    }
    void TearDown() override {
        DeleteFileA(pdf.c_str());
        FakeUtility::Clear();
    }
    // The pages that loaded in page mode, as local paths of the folder.
    std::vector<std::string> PagesLoaded() const {
        std::vector<std::string> out;
        std::string base = PageUrl(folder, "");
        for (const FakeUtility::Load& l : FakeUtility::loads) {
            if (l.pageMode != 1) continue;
            out.push_back(l.uri.compare(0, base.size(), base) == 0 ? l.uri.substr(base.size()) : l.uri);
        }
        return out;
    }
    void Convert() {
        FakeUtility::loads.clear();
        Host().ConvertToPdf(&w.tree, "C:\\help.chm", pdf.c_str(), &settings);
    }

    TempFolder folder;
    TreeWindow w;
    CPdfSettings settings;
    std::string pdf;
};

const char kPage[] = "<html><body><p>page</p></body></html>";

}  // namespace

// The tree's pages in tree order; a page under two fragments loads once; an
// entry without a page loads nothing but still moves the percentage; a
// missing page ends its wait; the PDF Utility finishes with the page setup
// still in place, which goes right after.
TEST_F(ConvertTest, PagesInTreeOrder) {
    folder.Write("a.htm", kPage);
    folder.Write("sub/b c.htm", kPage);
    folder.Write("d.htm", kPage);
    folder.Write("toc.hhc",
                 Hhc("<UL>" + Entry("A", "a.htm") + Entry("Group", nullptr) + "<UL>" +
                     Entry("B", "sub/b c.htm#one") + Entry("B again", "sub\\b c.htm#two") +
                     Entry("Missing", "gone.htm") + "</UL>" + Entry("D", "d.htm") + Entry("Note", nullptr) +
                     "</UL>"));
    OpenContents(w, folder, {"toc.hhc"});
    MessageBoxRecorder boxes(IDOK);
    Convert();

    EXPECT_TRUE(boxes.texts.empty());
    std::vector<std::string> want = {"a.htm", "sub/b%20c.htm#one", "gone.htm", "d.htm"};
    EXPECT_EQ(PagesLoaded(), want);
    std::vector<int> percents;
    std::vector<std::string> current;
    for (const FakeUtility::Load& l : FakeUtility::loads) {
        percents.push_back(l.percent);
        current.push_back(l.current);
    }
    // Seven items: A is 1 of 7; Group (2 of 7) has the first page below it,
    // B's, so B and B again load nothing; Missing is 5 of 7, D 6 of 7; Note,
    // without a page, loads nothing but still moves the percentage to 100.
    EXPECT_EQ(percents, (std::vector<int>{14, 28, 71, 85}));
    EXPECT_EQ(FakeUtility::finishPercent, 100);
    EXPECT_EQ(current[1], "sub/b c.htm#one");
    EXPECT_EQ(FakeUtility::finishCalls, 1);
    EXPECT_TRUE(FakeUtility::sawPageSetup);
    EXPECT_NEAR(FakeUtility::setupWidth, 21 / 2.54, 1e-9);
    EXPECT_NEAR(FakeUtility::setupHeight, 29.7 / 2.54, 1e-9);
    EXPECT_EQ(FakeUtility::setupHeaderLeft, "left");
    EXPECT_EQ(FakeUtility::pdfFile, pdf);
    PageSetupRec* setup = reinterpret_cast<PageSetupRec*>(1);
    Job()->GetPageSetup(&setup);
    EXPECT_EQ(setup, nullptr);
    EXPECT_FALSE(g_bConverting);
    EXPECT_EQ(g_pConvertProgressDlg, nullptr);
}

// Pages that climb out of the extraction folder, or name a drive, load
// nothing, though the file is there.
TEST_F(ConvertTest, PagesOutsideTheFolderLoadNothing) {
    folder.Write("a.htm", kPage);
    folder.Write("in/b.htm", kPage);
    std::string outsideName = folder.Path().substr(folder.Path().find_last_of('\\') + 1) + "-outside.htm";
    std::string outside = folder.Path() + "-outside.htm";
    { std::ofstream(outside, std::ios::binary) << kPage; }
    std::string up = "../" + outsideName;
    std::string deepUp = "in/../../" + outsideName;
    std::string dots = "in\\.. \\... \\" + outsideName;  // up twice
    std::string drive = outside;  // C:\...
    folder.Write("toc.hhc", Hhc("<UL>" + Entry("Up", up.c_str()) + Entry("Deep", deepUp.c_str()) +
                                Entry("Dots", dots.c_str()) + Entry("Drive", drive.c_str()) +
                                Entry("In", "in/./../in/b.htm") + Entry("A", "a.htm") + "</UL>"));
    OpenContents(w, folder, {"toc.hhc"});
    MessageBoxRecorder boxes(IDOK);
    Convert();
    DeleteFileA(outside.c_str());
    EXPECT_EQ(PagesLoaded(), (std::vector<std::string>{"in/./../in/b.htm", "a.htm"}));
    EXPECT_EQ(FakeUtility::finishCalls, 1);
}

// An existing PDF: Cancel writes nothing and leaves the flag clear; OK
// replaces it.
TEST_F(ConvertTest, ExistingPdf) {
    folder.Write("a.htm", kPage);
    folder.Write("toc.hhc", Hhc("<UL>" + Entry("A", "a.htm") + "</UL>"));
    OpenContents(w, folder, {"toc.hhc"});
    {
        std::ofstream(pdf, std::ios::binary) << "old";
    }
    {
        MessageBoxRecorder boxes(IDCANCEL);
        Convert();
        ASSERT_EQ(boxes.texts.size(), 1u);
        EXPECT_EQ(boxes.texts[0], "The pdf file is existing. Do you want to replace it?");
    }
    EXPECT_FALSE(g_bConverting);
    EXPECT_EQ(FakeUtility::finishCalls, 0);
    EXPECT_TRUE(FakeUtility::loads.empty());
    std::ifstream in(pdf, std::ios::binary);
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    in.close();
    EXPECT_EQ(text, "old");

    MessageBoxRecorder boxes(IDOK);
    Convert();
    EXPECT_EQ(boxes.texts.size(), 1u);
    EXPECT_EQ(FakeUtility::finishCalls, 1);
    EXPECT_EQ(PagesLoaded(), std::vector<std::string>{"a.htm"});
}

// A PDF path that cannot be written stops before anything loads.
TEST_F(ConvertTest, PdfCannotBeCreated) {
    folder.Write("toc.hhc", Hhc("<UL>" + Entry("A", "a.htm") + "</UL>"));
    OpenContents(w, folder, {"toc.hhc"});
    MessageBoxRecorder boxes(IDOK);
    Host().ConvertToPdf(&w.tree, "C:\\help.chm", (folder.Path() + "\\no\\such\\x.pdf").c_str(), &settings);
    ASSERT_EQ(boxes.texts.size(), 1u);
    EXPECT_EQ(boxes.texts[0],
              "The pdf file can not create. Maybe it's being opened or you have no permission to "
              "overwrite it.");
    EXPECT_EQ(FakeUtility::finishCalls, 0);
    EXPECT_FALSE(g_bConverting);
}

// Pages that links made wanted load after the tree, also after a Cancel
// pressed during the walk; the PDF Utility is still called.
TEST_F(ConvertTest, CancelStillLoadsWantedPagesAndFinishes) {
    for (const char* p : {"a.htm", "b.htm", "c.htm", "linked.htm"}) folder.Write(p, kPage);
    folder.Write("toc.hhc", Hhc("<UL>" + Entry("A", "a.htm") + Entry("B", "b.htm") + Entry("C", "c.htm") + "</UL>"));
    std::string linked = PageUrl(folder, "linked.htm");
    for (bool cancel : {false, true}) {
        SCOPED_TRACE(cancel);
        OpenContents(w, folder, {"toc.hhc"});
        MessageBoxRecorder boxes(IDOK);  // confirms the Cancel
        FakeUtility::onPage = [&](const FakeUtility::Load& l) {
            if (l.current == "a.htm") {
                int id = 0;
                Job()->AddLinkTarget((linked + "#x").c_str(), &id);
                if (cancel && g_pConvertProgressDlg)
                    g_pConvertProgressDlg->SendMessage(WM_COMMAND, IDC_CANCEL_CONVERT);
            }
            return true;
        };
        Convert();
        std::vector<std::string> want = cancel ? std::vector<std::string>{"a.htm", "linked.htm"}
                                               : std::vector<std::string>{"a.htm", "b.htm", "c.htm", "linked.htm"};
        EXPECT_EQ(PagesLoaded(), want);
        EXPECT_EQ(FakeUtility::finishCalls, 1);
        EXPECT_EQ(boxes.texts.size(), cancel ? 1u : 0u);
        EXPECT_FALSE(g_bConverting);
        FakeUtility::finishCalls = 0;
        DeleteFileA(pdf.c_str());
    }
}

// A Cancel pressed while a page is loading ends the wait, even when the PDF
// Utility never reports the page done.
TEST_F(ConvertTest, CancelWhileAPageLoads) {
    for (const char* p : {"a.htm", "b.htm"}) folder.Write(p, kPage);
    folder.Write("toc.hhc", Hhc("<UL>" + Entry("A", "a.htm") + Entry("B", "b.htm") + "</UL>"));
    OpenContents(w, folder, {"toc.hhc"});
    MessageBoxRecorder boxes(IDOK);
    FakeUtility::onPage = [](const FakeUtility::Load&) {
        // Cancel comes later, from the nested loop's messages.
        ::SetTimer(NULL, 0, 10, [](HWND, UINT, UINT_PTR id, DWORD) {
            ::KillTimer(NULL, id);
            if (g_pConvertProgressDlg) g_pConvertProgressDlg->SendMessage(WM_COMMAND, IDC_CANCEL_CONVERT);
        });
        return false;
    };
    Convert();
    EXPECT_EQ(PagesLoaded(), std::vector<std::string>{"a.htm"});
    EXPECT_EQ(FakeUtility::finishCalls, 1);
    EXPECT_FALSE(g_bConverting);
}

// Pages that end before their load call returns leave no message to wait
// for: a Cancel queued meanwhile still reaches the progress dialog, and the
// walk stops after that page.
TEST_F(ConvertTest, CancelQueuedWhilePagesEndAtOnce) {
    for (const char* p : {"a.htm", "b.htm", "c.htm"}) folder.Write(p, kPage);
    folder.Write("toc.hhc", Hhc("<UL>" + Entry("A", "a.htm") + Entry("B", "b.htm") +
                                Entry("C", "c.htm") + "</UL>"));
    OpenContents(w, folder, {"toc.hhc"});
    MessageBoxRecorder boxes(IDOK);
    FakeUtility::onPage = [](const FakeUtility::Load& load) {
        if (load.uri.find("a.htm") != std::string::npos && g_pConvertProgressDlg) {
            ::PostMessageA(g_pConvertProgressDlg->GetSafeHwnd(), WM_COMMAND, IDC_CANCEL_CONVERT, 0);
            ::Sleep(40);  // the queue is looked at again by the next page
        }
        return true;
    };
    Convert();
    EXPECT_EQ(PagesLoaded(), std::vector<std::string>{"a.htm"});
    EXPECT_EQ(FakeUtility::finishCalls, 1);
    EXPECT_FALSE(g_bConverting);
}

// A quit request during a page's wait ends the conversion and reaches the
// application's loop.
TEST_F(ConvertTest, QuitDuringAPage) {
    for (const char* p : {"a.htm", "b.htm"}) folder.Write(p, kPage);
    folder.Write("toc.hhc", Hhc("<UL>" + Entry("A", "a.htm") + Entry("B", "b.htm") + "</UL>"));
    OpenContents(w, folder, {"toc.hhc"});
    MessageBoxRecorder boxes(IDOK);
    FakeUtility::onPage = [](const FakeUtility::Load&) {
        ::PostQuitMessage(7);
        return false;
    };
    Convert();
    EXPECT_EQ(PagesLoaded(), std::vector<std::string>{"a.htm"});
    EXPECT_FALSE(g_bConverting);
    MSG msg;
    ASSERT_TRUE(::PeekMessageA(&msg, NULL, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 7u);
}

// An empty tree converts to nothing (no division by zero); an item whose
// data is not an index of the path list loads nothing; a PDF Utility that
// fails is reported like a missing one.
TEST_F(ConvertTest, EmptyTreeStrayDataAndFailingUtility) {
    OpenContents(w, folder, {});
    MessageBoxRecorder boxes(IDOK);
    Convert();
    EXPECT_TRUE(PagesLoaded().empty());
    EXPECT_EQ(FakeUtility::finishCalls, 1);
    EXPECT_TRUE(boxes.texts.empty());

    w.tree.InsertItem(TVIF_TEXT | TVIF_PARAM, "stray", 0, 0, 0, 0, 99, TVI_ROOT, TVI_LAST);
    FakeUtility::finishResult = NS_ERROR_FAILURE;
    DeleteFileA(pdf.c_str());
    Convert();
    EXPECT_TRUE(PagesLoaded().empty());
    EXPECT_EQ(FakeUtility::finishCalls, 2);
    EXPECT_EQ(boxes.texts, std::vector<std::string>{"Error:PDF Utility not handled."});
    EXPECT_FALSE(g_bConverting);
}

// 50,000 flat entries to one page under different fragments: walked without
// deep recursion, the page loaded once.
TEST_F(ConvertTest, FiftyThousandEntriesToOnePage) {
    folder.Write("p.htm", kPage);
    std::string body = "<UL>\n";
    for (int i = 0; i < 50000; ++i) body += Entry("E", ("p.htm#f" + std::to_string(i)).c_str());
    body += "</UL>";
    folder.Write("flat.hhc", Hhc(body));
    OpenContents(w, folder, {"flat.hhc"});
    MessageBoxRecorder boxes(IDOK);
    Convert();
    EXPECT_EQ(PagesLoaded(), std::vector<std::string>{"p.htm#f0"});
    EXPECT_EQ(FakeUtility::finishCalls, 1);
    EXPECT_FALSE(g_bConverting);
}
