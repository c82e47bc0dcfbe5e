// Contents files into the tree, its page paths and the job's table of
// contents.
#include <gtest/gtest.h>

#include "ChmExtract.h"
#include "convert_test.h"
#include "nsString.h"

namespace {

struct Record {
    std::string name;
    std::string page;
    std::string parent;
};

// Every TocRecord of the job in order (marks them handled, then resets).
std::vector<Record> JobRecords() {
    std::vector<Record> out;
    nsCOMPtr<IPdfJob> job = Job();
    TocRecord* rec = nullptr;
    while (NS_SUCCEEDED(job->GetNextPendingTocRecord(&rec)) && rec) {
        Record r;
        r.name = rec->name ? NS_ConvertUTF16toUTF8(*rec->name).get() : "<null>";
        r.page = rec->page ? rec->page : "<null>";
        r.parent = rec->parent && rec->parent->name ? NS_ConvertUTF16toUTF8(*rec->parent->name).get() : "";
        out.push_back(r);
        rec->handled = 1;
    }
    job->Reset();
    return out;
}

}  // namespace

// Titles and pages of every form an entry can take, nested lists, and the
// entries that insert nothing.
TEST(ContentsTest, EntriesIntoTreePathsAndJob) {
    TempFolder folder;
    folder.Write("toc.hhc", Hhc(
        "<UL>\n" +
        Entry("Intro", "intro.htm") +
        "<LI><OBJECT type=\"text/sitemap\"><param name=\"name\" value=\"Chapter\"></OBJECT>\n"
        "<UL>\n"
        "<LI><OBJECT><PARAM NAME=\"NAME\" VALUE=\"Part 1\"><param name=\"Local\" value=\"help.chm::/html/s1.htm\"></OBJECT>\n"
        "<LI><OBJECT><param name=\"Name\" value=\"Part 2\"><param name=\"local\" value=\"html\\s2.htm#frag\"></OBJECT>\n"
        "</UL>\n"
        "<LI><OBJECT><param name=\"Local\" value=\"orphan.htm\"></OBJECT>\n"      // no Name: nothing
        "<LI><OBJECT><param name=\"Name\"><param name=\"Local\" value=\"novalue.htm\"></OBJECT>\n"  // Name without value
        + Entry("Slash", "/abs.htm") + Entry("Empty", nullptr) +
        Entry("Caf\xE9", "caf\xE9.htm") +  // a contents file is in the ANSI code page
        "</UL>\n"));
    TreeWindow w;
    OpenContents(w, folder, {"toc.hhc"});

    std::vector<TreeWindow::Item> items = w.Items();
    struct Want {
        const char* text;
        int depth;
        const char* path;
    } want[] = {
        {"Intro", 0, "intro.htm"},
        {"Chapter", 0, "html/s1.htm"},  // the first page below it
        {"Part 1", 1, "html/s1.htm"},
        {"Part 2", 1, "html\\s2.htm#frag"},
        {"Slash", 0, "/abs.htm"},
        {"Empty", 0, ""},
        {"Caf\xE9", 0, "caf\xE9.htm"},
    };
    ASSERT_EQ(items.size(), sizeof want / sizeof want[0]);
    // The last entry's text is Western; other code pages read it otherwise.
    const size_t checked = GetACP() == 1252 ? items.size() : items.size() - 1;
    for (size_t i = 0; i < checked; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(items[i].text, want[i].text);
        EXPECT_EQ(items[i].depth, want[i].depth);
        EXPECT_EQ(items[i].data, (LPARAM)i);
        EXPECT_EQ(items[i].path, want[i].path);
    }
    EXPECT_EQ(w.tree.m_pPathList->GetCount(), (INT_PTR)items.size());
    EXPECT_EQ(Host().m_nItemCounter, (int)items.size());

    std::vector<Record> recs = JobRecords();
    ASSERT_EQ(recs.size(), items.size());
    const char* parents[] = {"", "", "Chapter", "Chapter", "", "", ""};
    const char* pages[] = {"intro.htm", "html/s1.htm", "html/s1.htm", "html\\s2.htm#frag", "/abs.htm",
                           "<null>", "caf\xE9.htm"};
    for (size_t i = 0; i < checked; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(recs[i].parent, parents[i]);
        EXPECT_EQ(recs[i].page, pages[i]);
    }
    if (GetACP() == 1252) {
        EXPECT_EQ(recs[6].name, "Caf\xC3\xA9");  // UTF-16 in the record
    }
}

// Unbalanced lists load as far as they are sound; a list that is never
// closed keeps its parent to the end.
TEST(ContentsTest, UnbalancedListsAndMissingFile) {
    TempFolder folder;
    folder.Write("bad.hhc", Hhc("<UL>" + Entry("A", "a.htm") + "<UL>" + Entry("B", "b.htm") +
                                "</UL></UL></UL>" + Entry("C", "c.htm") + "<UL>" + Entry("D", "d.htm")));
    TreeWindow w;
    OpenContents(w, folder, {"bad.hhc", "missing.hhc"});
    std::vector<TreeWindow::Item> items = w.Items();
    ASSERT_EQ(items.size(), 4u);
    EXPECT_EQ(items[1].text, "B");
    EXPECT_EQ(items[1].depth, 1);
    EXPECT_EQ(items[2].text, "C");
    EXPECT_EQ(items[2].depth, 0);
    EXPECT_EQ(items[3].text, "D");
    EXPECT_EQ(items[3].depth, 1);
    JobRecords();
}

// Several contents files of one CHM: the tree and the job keep the entries
// of every file, the item data running on.
TEST(ContentsTest, SeveralFilesAppend) {
    TempFolder folder;
    folder.Write("one.hhc", Hhc("<UL>" + Entry("One", "1.htm") + "</UL>"));
    folder.Write("two.hhc", Hhc("<UL>" + Entry("Two", "2.htm") + Entry("Three", nullptr) + "</UL>"));
    TreeWindow w;
    OpenContents(w, folder, {"one.hhc", "two.hhc"});
    std::vector<TreeWindow::Item> items = w.Items();
    ASSERT_EQ(items.size(), 3u);
    EXPECT_EQ(items[2].data, 2);
    EXPECT_EQ(items[2].path, "");
    std::vector<Record> recs = JobRecords();
    ASSERT_EQ(recs.size(), 3u);
    EXPECT_EQ(recs[0].name, "One");
    EXPECT_EQ(recs[1].page, "2.htm");

    // Opening again starts both afresh.
    OpenContents(w, folder, {"two.hhc"});
    EXPECT_EQ(w.Items().size(), 2u);
    EXPECT_EQ(JobRecords().size(), 2u);
}

// A merged contents file leaves each inlined file inside the OBJECT that
// referenced it: the wrapper is no entry (the PARAMs of the entries inside
// are not its own), what it holds nests under the entry before it, and so
// does the next wrapper's.
TEST(ContentsTest, MergedFilesInsideTheirReferencesAreNoEntriesOfTheirOwn) {
    TempFolder folder;
    folder.Write("merged.hhc", Hhc("<UL>\n" + Entry("Main", "index.htm") +
                                   "<OBJECT type=\"text/sitemap\">\n<UL>\n" + Entry("Chapter", "chapter.htm") +
                                   "</UL>\n</OBJECT>\n<OBJECT type=\"text/sitemap\">\n<UL>\n" +
                                   Entry("Appendix", "appendix.htm") + "</UL>\n</OBJECT>\n" +
                                   Entry("After", "after.htm") + "</UL>\n"));
    TreeWindow w;
    OpenContents(w, folder, {"merged.hhc"});
    std::vector<TreeWindow::Item> items = w.Items();
    ASSERT_EQ(items.size(), 4u);
    const struct {
        const char* text;
        int depth;
    } want[] = {{"Main", 0}, {"Chapter", 1}, {"Appendix", 1}, {"After", 0}};
    for (size_t i = 0; i < items.size(); ++i) {
        EXPECT_EQ(items[i].text, want[i].text) << i;
        EXPECT_EQ(items[i].depth, want[i].depth) << i;
    }
    std::vector<Record> recs = JobRecords();
    ASSERT_EQ(recs.size(), 4u);
    EXPECT_EQ(recs[1].parent, "Main");
    EXPECT_EQ(recs[2].parent, "Main");
    EXPECT_EQ(recs[3].parent, "");
}

// A flat list of 50,000 entries is read without deep recursion.
TEST(ContentsTest, FiftyThousandFlatEntries) {
    TempFolder folder;
    std::string body = "<UL>\n";
    body.reserve(50000 * 110);
    for (int i = 0; i < 50000; ++i) body += Entry("E" + std::to_string(i), i % 2 ? nullptr : "p.htm");
    body += "</UL>";
    folder.Write("flat.hhc", Hhc(body));
    TreeWindow w;
    OpenContents(w, folder, {"flat.hhc"});
    EXPECT_EQ(w.tree.GetCount(), 50000u);
    EXPECT_EQ(w.tree.m_pPathList->GetCount(), 50000);
    EXPECT_EQ(Host().m_nItemCounter, 50000);
    JobRecords();
}

// 20,000 nested lists: every entry is read, the nesting stops growing at a
// depth the tree control and the ancestor walks can bear.
TEST(ContentsTest, DeeplyNestedListsAreCapped) {
    TempFolder folder;
    std::string body;
    for (int i = 0; i < 20000; ++i) body += "<UL>" + Entry("E" + std::to_string(i), "p.htm");
    folder.Write("deep.hhc", Hhc(body));
    TreeWindow w;
    OpenContents(w, folder, {"deep.hhc"});
    EXPECT_EQ(w.tree.GetCount(), 20000u);
    int depth = 0;
    for (HTREEITEM h = w.tree.GetRootItem(); h; h = w.tree.GetChildItem(h)) ++depth;
    EXPECT_EQ(depth, 256);
    EXPECT_EQ(Host().m_pItemStack->GetCount(), 0);
    w.tree.Clear();
    EXPECT_EQ(w.tree.GetCount(), 0u);
    JobRecords();
}

// 20,000 entries whose OBJECT is never closed: each OBJECT holds all the
// later ones, and each looks through what it holds for a Local PARAM that
// only the last one has. Every entry is read, in time that grows with the
// file, not with its square (this took minutes).
TEST(ContentsTest, UnclosedObjectsAreReadInLinearTime) {
    TempFolder folder;
    std::string body = "<UL>\n";
    for (int i = 0; i < 20000; ++i)
        body += "<LI><OBJECT type=\"text/sitemap\"><param name=\"Name\" value=\"E" + std::to_string(i) + "\">\n";
    body += "<param name=\"Local\" value=\"last.htm\">";
    folder.Write("unclosed.hhc", Hhc(body));
    TreeWindow w;
    OpenContents(w, folder, {"unclosed.hhc"});
    std::vector<TreeWindow::Item> items = w.Items();
    ASSERT_EQ(items.size(), 20000u);
    EXPECT_EQ(items.front().text, "E0");
    EXPECT_EQ(items.back().text, "E19999");
    EXPECT_EQ(items.back().path, "last.htm");
    JobRecords();
}

// The contents of a compiled CHM, extracted as the open command does.
TEST(ContentsTest, CompiledChm) {
    TempFolder parent;
    std::string target = parent.Path() + "\\basic.chm";
    MessageBoxRecorder boxes(IDOK);
    ASSERT_EQ(DecompileChm(TW_BASIC_CHM, target.c_str(), 0), 1);
    TreeWindow w;
    w.tree.Clear();
    Host().m_nItemCounter = 0;
    lstrcpynA(g_szChmFolder, target.c_str(), sizeof g_szChmFolder);
    Host().LoadContents((target + "\\toc.hhc").c_str(), &w.tree);
    std::vector<TreeWindow::Item> items = w.Items();
    ASSERT_EQ(items.size(), 5u);
    EXPECT_EQ(items[0].text, "Basic fixture");
    EXPECT_EQ(items[0].path, "index.htm");
    EXPECT_EQ(items[1].text, "Chapter 1");
    EXPECT_EQ(items[1].depth, 1);
    EXPECT_EQ(items[1].path, "docs/part one/chapter 1.htm");
    EXPECT_EQ(items[4].path, "docs/deep/er/still/leaf.htm");
    std::vector<Record> recs = JobRecords();
    ASSERT_EQ(recs.size(), 5u);
    EXPECT_EQ(recs[4].parent, "Basic fixture");
}
