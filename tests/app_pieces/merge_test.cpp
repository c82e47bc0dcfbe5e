// Merging contents files: a table of small folders of contents files, the
// merged file that cannot be written, hostile contents, and the contents
// files of a compiled CHM with merge references.
#include <gtest/gtest.h>

#include <string.h>

#include <algorithm>
#include <string>
#include <vector>

#include "AppState.h"
#include "ChmUnpack.h"
#include "MergeHhc.h"
#include "test_app.h"

namespace {

std::string Ref(const std::string& target) {
    return "<param name=\"Merge\" value=\"" + target + "\">\n";
}

struct ContentsFile {
    std::string name;
    std::string data;
    bool bOnDisk = true;  // false: listed, but there is no such file
};

struct MergeCase {
    const char* what;
    std::vector<ContentsFile> files;  // listed in this order
    std::vector<std::string> after;   // file names of the list afterwards
    std::vector<std::pair<std::string, std::string>> contents;  // files expected on disk
};

std::vector<std::string> FileNames(const CStringList& list) {
    std::vector<std::string> names;
    for (POSITION pos = list.GetHeadPosition(); pos;) {
        const CString& path = list.GetNext(pos);
        const int nSlash = path.ReverseFind('\\');
        names.push_back(std::string((LPCTSTR)path.Mid(nSlash + 1)));
    }
    return names;
}

CStringList& ListOf(const ScratchFolder& folder, const std::vector<ContentsFile>& files, CStringList& list) {
    for (const ContentsFile& f : files) {
        if (f.bOnDisk) folder.Write(f.name, f.data);
        list.AddTail(CString((folder / f.name).c_str()));
    }
    return list;
}

const std::string kB = "<LI>b1\n<LI>b2\n";
const std::string kC = "<LI>c1\n";
const std::string kLong(20000, 'x');
const std::string kJunk("\x00\xff\r\x01junk\x00\x00\x7f", 12);

// A reference line padded with blanks to `nBytes` bytes, its '\n' included.
std::string PaddedRef(const std::string& target, size_t nBytes) {
    std::string line = Ref(target);
    line.insert(0, nBytes - line.size(), ' ');
    return line;
}

const std::vector<MergeCase>& Cases() {
    static const std::vector<MergeCase> cases = {
        {"two files",
         {{"a.hhc", "<UL>\n" + Ref("b.hhc") + "</UL>\n"}, {"b.hhc", kB}},
         {"tomewise_0.hhc"},
         {{"tomewise_0.hhc", "<UL>\n" + kB + "</UL>\n"}}},
        {"two references in one parent",
         {{"a.hhc", "<UL>\n" + Ref("other.chm::/Sub/b.hhc") + "<HR>\n" + Ref("c.hhc") + "</UL>\n"},
          {"b.hhc", kB},
          {"c.hhc", kC}},
         {"tomewise_0.hhc"},
         {{"tomewise_0.hhc", "<UL>\n" + kB + "<HR>\n" + kC + "</UL>\n"}}},
        {"a name not in the list",
         {{"a.hhc", "<UL>\n" + Ref("missing.hhc")}, {"b.hhc", kB}},
         {"a.hhc", "b.hhc"},
         {}},
        {"upper case",
         {{"a.hhc", "<UL>\n<PARAM NAME=\"MERGE\" VALUE=\"B.HHC\">\n"}, {"b.hhc", kB}},
         {"tomewise_0.hhc"},
         {{"tomewise_0.hhc", "<UL>\n" + kB}}},
        {"short lines copied as they are",
         {{"a.hhc", "\nab\n" + Ref("b.hhc") + "x"}, {"b.hhc", kB}},
         {"tomewise_0.hhc"},
         {{"tomewise_0.hhc", "\nab\n" + kB + "x"}}},
        {"a parent referenced by its child",
         {{"a.hhc", "a1\n" + Ref("b.hhc")}, {"b.hhc", "b1\n" + Ref("a.hhc")}},
         {"tomewise_0.hhc"},
         {{"tomewise_0.hhc", "a1\nb1\n" + Ref("a.hhc")}}},
        {"a file referencing itself",
         {{"a.hhc", "a1\n" + Ref("a.hhc")}, {"b.hhc", kB}},
         {"a.hhc", "b.hhc"},
         {}},
        {"a cycle across three files",
         {{"a.hhc", "a1\n" + Ref("b.hhc")}, {"b.hhc", "b1\n" + Ref("c.hhc")}, {"c.hhc", "c1\n" + Ref("a.hhc")}},
         {"tomewise_1.hhc"},
         {{"tomewise_0.hhc", "a1\nb1\n" + Ref("c.hhc")}, {"tomewise_1.hhc", "a1\nb1\nc1\n" + Ref("a.hhc")}}},
        {"an unknown reference in a merged parent is dropped, a second one to the same child too",
         {{"a.hhc", "a1\n" + Ref("missing.hhc") + Ref("b.hhc") + Ref("b.hhc") + "a2\n"}, {"b.hhc", kB}},
         {"tomewise_0.hhc"},
         {{"tomewise_0.hhc", "a1\n" + kB + "a2\n"}}},
        {"the whole file name counts, not a part of the path",
         {{"maintoc.hhc", "<LI>main\n"}, {"toc.hhc", "<LI>toc\n"}, {"parent.hhc", "p\n" + Ref("toc.hhc")}},
         {"maintoc.hhc", "tomewise_0.hhc"},
         {{"tomewise_0.hhc", "p\n<LI>toc\n"}, {"maintoc.hhc", "<LI>main\n"}}},
        {"a file name with capitals",
         {{"a.hhc", Ref("sub.hhc")}, {"Sub.hhc", kB}},
         {"tomewise_0.hhc"},
         {{"tomewise_0.hhc", kB}}},
        {"a contents file of the CHM named like a merged file",
         {{"a.hhc", "a\n" + Ref("b.hhc")}, {"b.hhc", kB}, {"tomewise_0.hhc", "own\n"}},
         {"tomewise_0.hhc", "tomewise_1.hhc"},
         {{"tomewise_0.hhc", "own\n"}, {"tomewise_1.hhc", "a\n" + kB}}},
        {"a listed file that cannot be opened",
         {{"gone.hhc", "", false}, {"a.hhc", Ref("b.hhc")}, {"b.hhc", kB}},
         {"gone.hhc", "tomewise_0.hhc"},
         {{"tomewise_0.hhc", kB}}},
        {"a line far longer than 8192 characters is copied whole",
         {{"a.hhc", kLong + "\n" + Ref("b.hhc") + kLong}, {"b.hhc", kB}},
         {"tomewise_0.hhc"},
         {{"tomewise_0.hhc", kLong + "\n" + kB + kLong}}},
        {"a reference inside an over-long line is no reference",
         {{"a.hhc", kLong + Ref("b.hhc")}, {"b.hhc", kB}},
         {"a.hhc", "b.hhc"},
         {}},
        {"a reference line that just fits the line buffer",
         {{"a.hhc", PaddedRef("b.hhc", 8191)}, {"b.hhc", kB}},
         {"tomewise_0.hhc"},
         {{"tomewise_0.hhc", kB}}},
        {"a reference line one byte too long for the line buffer",
         {{"a.hhc", PaddedRef("b.hhc", 8192)}, {"b.hhc", kB}},
         {"a.hhc", "b.hhc"},
         {}},
        {"binary junk copied byte for byte",
         {{"a.hhc", kJunk + "\n" + Ref("b.hhc") + kJunk}, {"b.hhc", kJunk + "\r\n" + kJunk}},
         {"tomewise_0.hhc"},
         {{"tomewise_0.hhc", kJunk + "\n" + kJunk + "\r\n" + kJunk + kJunk}}},
        {"a reference whose name holds a NUL byte",
         {{"a.hhc", "<param name=\"Merge\" value=\"b" + std::string(1, '\0') + "x.hhc\">\n"}, {"b.hhc", kB}},
         {"a.hhc", "b.hhc"},
         {}},
    };
    return cases;
}

}  // namespace

TEST(MergeHhcFiles, CasesOfSmallFolders) {
    for (const MergeCase& c : Cases()) {
        SCOPED_TRACE(c.what);
        ScratchFolder folder;
        CStringList list;
        MergeHhcFiles(ListOf(folder, c.files, list), folder.Path().c_str());
        EXPECT_EQ(c.after, FileNames(list));
        for (const auto& expected : c.contents) EXPECT_EQ(expected.second, folder.Read(expected.first));
        // The parents and children stay on disk as they were.
        for (const ContentsFile& f : c.files)
            if (f.bOnDisk && f.name.compare(0, 9, "tomewise_") != 0) {
                EXPECT_EQ(f.data, folder.Read(f.name)) << f.name;
            }
    }
}

TEST(MergeHhcFiles, UsesTheOpenChmsExtractionFolder) {
    ScratchFolder folder;
    CStringList list;
    ListOf(folder, {{"a.hhc", Ref("b.hhc")}, {"b.hhc", kB}}, list);
    lstrcpynA(g_szChmFolder, folder.Path().c_str(), sizeof g_szChmFolder);
    MergeHhcFiles(list);
    g_szChmFolder[0] = 0;
    ASSERT_EQ(1, list.GetCount());
    EXPECT_STREQ((folder / "tomewise_0.hhc").c_str(), list.GetHead());
    EXPECT_EQ(kB, folder.Read("tomewise_0.hhc"));
}

// The merged file cannot be created: the merging stops with the list as it
// was, so every file is still loaded on its own.
TEST(MergeHhcFiles, MergedFileThatCannotBeCreatedLeavesTheList) {
    ScratchFolder folder;
    CStringList list;
    ListOf(folder, {{"a.hhc", Ref("b.hhc")}, {"b.hhc", kB}, {"c.hhc", Ref("a.hhc")}}, list);
    const std::vector<std::string> before = FileNames(list);
    MergeHhcFiles(list, (folder / "no such folder").c_str());
    EXPECT_EQ(before, FileNames(list));
    EXPECT_FALSE(folder.Exists("no such folder"));
}

// A merged file that could be created but not written in full stops the
// merging too, and goes again.
TEST(MergeHhcFiles, MergedFileInAReadOnlyFolder) {
    ScratchFolder folder;
    CStringList list;
    ListOf(folder, {{"a.hhc", Ref("b.hhc")}, {"b.hhc", kB}}, list);
    ASSERT_TRUE(::SetFileAttributesA(folder.Path().c_str(), FILE_ATTRIBUTE_READONLY));
    // Whether a read-only folder refuses new files depends on the platform
    // (and on who runs the test): find out first.
    const std::string probe = folder / "probe.tmp";
    FILE* f = fopen(probe.c_str(), "wb");
    const bool bRefused = f == NULL;
    if (f) {
        fclose(f);
        ::DeleteFileA(probe.c_str());
    }
    MergeHhcFiles(list, folder.Path().c_str());
    ::SetFileAttributesA(folder.Path().c_str(), FILE_ATTRIBUTE_NORMAL);
    if (bRefused) {
        EXPECT_EQ(std::vector<std::string>({"a.hhc", "b.hhc"}), FileNames(list));
        EXPECT_FALSE(folder.Exists("tomewise_0.hhc"));
    } else {
        EXPECT_EQ(std::vector<std::string>({"tomewise_0.hhc"}), FileNames(list));
        EXPECT_EQ(kB, folder.Read("tomewise_0.hhc"));
    }
    EXPECT_EQ(kB, folder.Read("b.hhc"));
}

// An extraction folder so deep that its contents files fit the platform's
// path limit but the merged file's longer name does not.
TEST(MergeHhcFiles, ExtractionFolderNearThePathLimit) {
    ScratchFolder base;
    std::string deep = base.Path();
    const size_t nTarget = MAX_PATH - 1 - strlen("\\tomewise_0.hhc") + 2;  // two characters too long
    while (deep.size() + 1 < nTarget) {
        const size_t nPart = std::min<size_t>(60, nTarget - deep.size() - 1);
        deep += "\\" + std::string(nPart, 'd');
        ASSERT_TRUE(::CreateDirectoryA(deep.c_str(), NULL) || ::GetLastError() == ERROR_ALREADY_EXISTS) << deep;
    }
    ASSERT_GT(deep.size() + strlen("\\tomewise_0.hhc"), (size_t)MAX_PATH - 1);
    CStringList list;
    for (const char* name : {"a.hhc", "b.hhc"}) {
        const std::string path = deep + "\\" + name;
        FILE* f = fopen(path.c_str(), "wb");
        ASSERT_TRUE(f != NULL) << path;
        fputs(name[0] == 'a' ? Ref("b.hhc").c_str() : kB.c_str(), f);
        fclose(f);
        list.AddTail(path.c_str());
    }
    MergeHhcFiles(list, deep.c_str());
    // Either the platform takes the long name or the merge leaves the
    // list: both files are loaded, nothing is lost.
    if (list.GetCount() == 1) {
        EXPECT_EQ(kB, ReadFile((LPCTSTR)list.GetHead()));
    } else {
        EXPECT_EQ(std::vector<std::string>({"a.hhc", "b.hhc"}), FileNames(list));
        EXPECT_EQ(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesA((deep + "\\tomewise_0.hhc").c_str()));
    }
}

// The contents files of a compiled CHM whose main contents file pulls in two
// others ("merged.chm::/Chapters.hhc" and "APPENDIX.HHC").
TEST(MergeHhcFiles, ContentsFilesOfACompiledChm) {
    ScratchFolder folder("tw_merged.chm");
    const chm::UnpackResult unpacked = chm::ExtractMissing(std::filesystem::path(TW_MERGED_CHM),
                                                           std::filesystem::path(folder.Path()));
    ASSERT_TRUE(unpacked.ok) << unpacked.message;
    CStringList list;
    CFileFind finder;
    BOOL bMore = finder.FindFile((folder.Path() + "\\*.hhc").c_str());
    while (bMore) {
        bMore = finder.FindNextFile();
        if (!finder.IsDots() && !finder.IsDirectory()) list.AddTail(finder.GetFilePath());
    }
    finder.Close();
    ASSERT_EQ(3, list.GetCount());
    MergeHhcFiles(list, folder.Path().c_str());
    ASSERT_EQ(std::vector<std::string>({"tomewise_0.hhc"}), FileNames(list));
    const std::string expected = ReadFile(TW_MERGED_EXPECTED);
    ASSERT_FALSE(expected.empty());
    EXPECT_EQ(expected, folder.Read("tomewise_0.hhc"));
}
