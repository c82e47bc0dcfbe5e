// DecompileChm, ReplaceChar and COwnedObList: a CHM extracts completely
// through the HTML Help control call (which writes nothing under Wine) and
// the in-process extraction after it; every failure shows its message.
#include "ChmBuilder.h"
#include "ChmExtract.h"
#include "ChmTestUtil.h"

#include "afxwin.h"

#include <gtest/gtest.h>

using namespace chmtest;

namespace {

std::vector<std::string> g_messages;

int AFXAPI RecordMessage(LPCTSTR text, UINT type, UINT help)
{
    EXPECT_EQ(type, UINT(MB_OK));
    EXPECT_EQ(help, 0u);
    g_messages.push_back(text);
    return IDOK;
}

class Decompile : public ::testing::Test {
protected:
    void SetUp() override
    {
        g_messages.clear();
        previous_ = AfxSetMessageBoxHook(RecordMessage);
    }
    void TearDown() override
    {
        AfxSetMessageBoxHook(previous_);
        SetHtmlHelpControlForTest(nullptr, nullptr);
        SetFreeSpaceQueryForTest(nullptr);
    }

    // Windows form of a scratch path, as the callers build it.
    static std::string win(const fs::path& p) { return p.string(); }

    ScratchDir scratch_;

private:
    AFX_MESSAGEBOX_HOOK previous_ = nullptr;
};

void expectSameAsSources(const fs::path& target, const std::string& fixture)
{
    std::vector<std::string> sources = projectFiles(fixtureFolder(fixture) / (fixture + ".hhp"));
    std::set<std::string> expected(sources.begin(), sources.end());
    expected.insert(compilerNote());
    EXPECT_EQ(filesUnder(target), expected);
    for (const std::string& rel : sources)
        EXPECT_TRUE(readFile(target / fs::u8path(rel)) == readFile(fixtureFolder(fixture) / fs::u8path(rel)))
            << rel;
}

ULONGLONG g_freeBytes = 0;
std::string g_freeAskedFor;

ULONGLONG SmallVolume(const char* path)
{
    g_freeAskedFor = path;
    return g_freeBytes;
}

std::string existsText(int mode, const std::string& target)
{
    CString s;
    s.Format(mode == 0 ? "Failed: The file %s already exists, a folder with same name %s\r\ncan not be "
                         "created. You should change the temp folder location.(in menu->Convert->Options)."
                       : "Failed: The file %s already exists, a folder with same name %s\r\ncan not be "
                         "created. You can not export chm file to a folder with the same chm file inside.",
             target.c_str(), target.c_str());
    return std::string(s);
}

} // namespace

// Opening: the target is <temp>\<name>.chm; paths with blanks on both sides.
TEST_F(Decompile, OpeningExtractsEveryFile)
{
    fs::path chm = scratch_ / "my help/basic copy.chm";
    fs::create_directories(chm.parent_path());
    fs::copy_file(fixtureChm("basic"), chm);
    fs::path target = scratch_ / "temp folder/basic copy.chm";
    fs::create_directories(target.parent_path());

    EXPECT_EQ(DecompileChm(win(chm).c_str(), win(target).c_str(), 0), 1);
    EXPECT_TRUE(g_messages.empty()) << g_messages.front();
    expectSameAsSources(target, "basic");
}

// Exporting: the target ends with '\'. A second export into the same place is
// refused with the export text (the trailing '\' does not defeat the check).
TEST_F(Decompile, ExportExtractsAndRefusesToOverwrite)
{
    std::string target = win(scratch_ / "export/large.chm") + "\\";
    fs::create_directories(scratch_ / "export");
    EXPECT_EQ(DecompileChm(win(fixtureChm("large")).c_str(), target.c_str(), 1), 1);
    EXPECT_TRUE(g_messages.empty());
    expectSameAsSources(scratch_ / "export/large.chm", "large");

    EXPECT_EQ(DecompileChm(win(fixtureChm("large")).c_str(), target.c_str(), 1), 0);
    ASSERT_EQ(g_messages.size(), 1u);
    EXPECT_EQ(g_messages[0], existsText(1, target));
}

// Anything at the target fails with the mode's text and is left as it was,
// even an empty folder.
TEST_F(Decompile, ExistingTargetFailsWithTheModesText)
{
    struct Case {
        const char* what;
        int mode;
        bool folder;
        const char* suffix;
    } cases[] = {
        {"open, folder there", 0, true, ""},
        {"open, file there", 0, false, ""},
        {"export, folder there", 1, true, "\\"},
        {"export, file there", 1, false, "\\"},
        {"export mode 7, folder there", 7, true, "\\"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        g_messages.clear();
        ScratchDir scratch;
        fs::path place = scratch / "basic.chm";
        if (c.folder)
            fs::create_directories(place);
        else
            writeFile(place, ChmBuilder::toBytes("keep me"));
        std::string target = win(place) + c.suffix;

        EXPECT_EQ(DecompileChm(win(fixtureChm("basic")).c_str(), target.c_str(), c.mode), 0);
        ASSERT_EQ(g_messages.size(), 1u);
        EXPECT_EQ(g_messages[0], existsText(c.mode, target));
        if (c.folder)
            EXPECT_TRUE(fs::is_empty(place));
        else
            EXPECT_TRUE(readFile(place) == ChmBuilder::toBytes("keep me"));
    }
}

TEST_F(Decompile, MissingControlOrEntryPointFails)
{
    struct Case {
        const char* module;
        const char* entry;
        const char* message;
    } cases[] = {
        {"no-such-control.ocx", nullptr, "Error load hhctrl.ocx."},
        {nullptr, "noSuchEntryPoint", "Error get process."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        g_messages.clear();
        SetHtmlHelpControlForTest(c.module, c.entry);
        fs::path target = scratch_ / "never";
        EXPECT_EQ(DecompileChm(win(fixtureChm("basic")).c_str(), win(target).c_str(), 0), 0);
        EXPECT_EQ(g_messages, std::vector<std::string>{c.message});
        EXPECT_FALSE(fs::exists(target));
    }
}

// A CHM the in-process extraction cannot handle is a failure with a message,
// not a success with an empty folder.
TEST_F(Decompile, DamagedOrHostileChmFails)
{
    std::vector<uint8_t> damaged = readFile(fixtureChm("basic"));
    damaged.resize(damaged.size() / 2);
    ChmBuilder hostile;
    hostile.add("/index.htm", "<p>hi</p>");
    hostile.add("/../../escaped.htm", "<p>out</p>");
    struct Case {
        const char* what;
        std::vector<uint8_t> bytes;
        const char* reason;
    } cases[] = {
        {"not a CHM", ChmBuilder::toBytes("just some text, no CHM at all: not a CHM file here"), "Not a CHM file"},
        {"cut in half", damaged, "past the end"},
        {"hostile entry", hostile.build(), "outside the target folder"},
        {"no such file", {}, "Cannot open the file"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        g_messages.clear();
        ScratchDir scratch;
        fs::path chm = scratch / "in/x.chm";
        if (!c.bytes.empty())
            writeFile(chm, c.bytes);
        fs::path target = scratch / "in/temp/x.chm";
        EXPECT_EQ(DecompileChm(win(chm).c_str(), win(target).c_str(), 0), 0);
        ASSERT_EQ(g_messages.size(), 1u);
        EXPECT_EQ(g_messages[0].rfind("Failed: " + win(chm) + " could not be extracted to " + win(target), 0), 0u)
            << g_messages[0];
        EXPECT_NE(g_messages[0].find(c.reason), std::string::npos) << g_messages[0];
        EXPECT_FALSE(fs::exists(scratch / "in/escaped.htm"));
        EXPECT_FALSE(fs::exists(scratch / "escaped.htm"));
    }
}

// What the directory declares is added up and compared with the free space
// of the target's volume before anything is written: one byte short refuses
// the CHM with both sizes in the message, and neither the control nor the
// extraction runs; exactly enough extracts.
TEST_F(Decompile, ChmLargerThanTheFreeSpaceIsRefusedBeforeWriting)
{
    // 200 entries over one stored file of 64 KiB, and a compressed file: a
    // small CHM that unpacks to 12.5 MB.
    ChmBuilder b;
    const std::string page(0x10000, 'p');
    b.add("/page.htm", page);
    for (int i = 0; i < 199; ++i)
        b.addRaw("/copy" + std::to_string(i) + ".htm", 0, 0, page.size());
    b.addCompressed("/packed.htm", std::string(5000, 'z'));
    b.add("/#SYSTEM", std::string(100000, 's'));   // not extracted: not counted
    const ULONGLONG declared = 200ull * 0x10000 + 5000;
    fs::path chm = scratch_ / "in/big.chm";
    writeFile(chm, b.build());

    HMODULE fake = ::LoadLibraryA("chm_fake_control.dll");
    ASSERT_NE(fake, nullptr);
    auto writes = reinterpret_cast<void (*)(const char*, const char*, size_t)>(
        ::GetProcAddress(fake, "FakeControlWrites"));
    auto calls = reinterpret_cast<int (*)()>(::GetProcAddress(fake, "FakeControlCalls"));
    ASSERT_TRUE(writes && calls);
    writes("page.htm", page.data(), page.size());
    SetHtmlHelpControlForTest("chm_fake_control.dll", nullptr);
    SetFreeSpaceQueryForTest(SmallVolume);

    fs::path target = scratch_ / "out/big.chm";
    g_freeBytes = declared - 1;
    const int callsBefore = calls();
    EXPECT_EQ(DecompileChm(win(chm).c_str(), win(target).c_str(), 0), 0);
    ASSERT_EQ(g_messages.size(), 1u);
    EXPECT_EQ(g_messages[0], "Failed: " + win(chm) + " could not be extracted to " + win(target) +
                                 ".\r\nIts files need 12.5 MB (13,112,200 bytes), but only 12.5 MB "
                                 "(13,112,199 bytes) are free on the target drive.");
    EXPECT_EQ(g_freeAskedFor, win(target));
    EXPECT_EQ(calls(), callsBefore);
    EXPECT_FALSE(fs::exists(scratch_ / "out"));

    g_messages.clear();
    g_freeBytes = declared;
    EXPECT_EQ(DecompileChm(win(chm).c_str(), win(target).c_str(), 0), 1);
    EXPECT_TRUE(g_messages.empty()) << g_messages.front();
    EXPECT_EQ(filesUnder(target).size(), 201u);
    EXPECT_EQ(fs::file_size(target / "copy198.htm"), page.size());
    writes(nullptr, nullptr, 0);
    ::FreeLibrary(fake);
}

// Small sizes read in bytes; the volume of a folder not made yet is the one
// of the folder above it.
TEST_F(Decompile, FreeSpaceMessageAndVolume)
{
    struct Case {
        ULONGLONG free;
        const char* text;
    } cases[] = {
        {0, "0 bytes"},
        {1023, "1,023 bytes"},
        {1536, "1.5 KB (1,536 bytes)"},
    };
    ChmBuilder b;
    b.add("/a.htm", std::string(2000, 'a'));
    fs::path chm = scratch_ / "a.chm";
    writeFile(chm, b.build());
    SetFreeSpaceQueryForTest(SmallVolume);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        g_messages.clear();
        g_freeBytes = c.free;
        EXPECT_EQ(DecompileChm(win(chm).c_str(), win(scratch_ / "t").c_str(), 0), 0);
        ASSERT_EQ(g_messages.size(), 1u);
        EXPECT_NE(g_messages[0].find(std::string("need 2.0 KB (2,000 bytes), but only ") + c.text + " are free"),
                  std::string::npos)
            << g_messages[0];
        EXPECT_FALSE(fs::exists(scratch_ / "t"));
    }

    ULONGLONG here = FreeSpaceOfVolume(win(scratch_.path()).c_str());
    EXPECT_GT(here, 0u);
    EXPECT_LT(here, ~0ull);
    EXPECT_EQ(FreeSpaceOfVolume(win(scratch_ / "not/yet/made").c_str()) > 0, true);
}

// With a control that does extract (here a stand-in that writes one file):
// the command line quotes both paths and drops the export target's trailing
// '\', the control gets the program's module handle, and what it wrote is
// kept while the rest is extracted.
TEST_F(Decompile, CallsTheControlWithQuotedPathsAndCompletesItsWork)
{
    HMODULE fake = ::LoadLibraryA("chm_fake_control.dll");   // kept loaded: its record survives
    ASSERT_NE(fake, nullptr);
    auto writes = reinterpret_cast<void (*)(const char*, const char*, size_t)>(
        ::GetProcAddress(fake, "FakeControlWrites"));
    auto commandLine = reinterpret_cast<const char* (*)()>(::GetProcAddress(fake, "FakeControlCommandLine"));
    auto instance = reinterpret_cast<HINSTANCE (*)()>(::GetProcAddress(fake, "FakeControlInstance"));
    ASSERT_TRUE(writes && commandLine && instance);
    SetHtmlHelpControlForTest("chm_fake_control.dll", nullptr);

    std::vector<uint8_t> index = readFile(fixtureFolder("basic") / "index.htm");
    writes("index.htm", reinterpret_cast<const char*>(index.data()), index.size());
    fs::path chm = scratch_ / "my help/basic copy.chm";
    fs::create_directories(chm.parent_path());
    fs::copy_file(fixtureChm("basic"), chm);
    fs::path target = scratch_ / "export to/basic copy.chm";
    fs::create_directories(target.parent_path());

    EXPECT_EQ(DecompileChm(win(chm).c_str(), (win(target) + "\\").c_str(), 1), 1);
    EXPECT_TRUE(g_messages.empty());
    EXPECT_EQ(std::string(commandLine()), "-decompile \"" + win(target) + "\" \"" + win(chm) + "\"");
    EXPECT_EQ(instance(), ::GetModuleHandleA(NULL));
    expectSameAsSources(target, "basic");
    writes(nullptr, nullptr, 0);
    ::FreeLibrary(fake);
}

TEST(ReplaceChar, Cases)
{
    struct Case {
        const char* in;
        char from, to;
        const char* out;
    } cases[] = {
        {"C:/temp/dir", '/', '\\', "C:\\temp\\dir"},
        {"C:\\a b\\c#d.htm", '\\', '/', "C:/a b/c#d.htm"},
        {"nothing to do", '/', '\\', "nothing to do"},
        {"////", '/', '\\', "\\\\\\\\"},
        {"", '/', '\\', ""},
    };
    for (const Case& c : cases) {
        std::string s = c.in;
        ReplaceChar(&s[0], c.from, c.to);
        EXPECT_EQ(s, c.out) << c.in;
    }
    ReplaceChar(nullptr, '/', '\\');   // nothing happens
}

namespace {
struct Counted : CObject {
    static int alive;
    Counted() { ++alive; }
    ~Counted() override { --alive; }
};
int Counted::alive = 0;
} // namespace

TEST(COwnedObList, DeletesItsElementsAndGivesItsHead)
{
    {
        COwnedObList list;
        EXPECT_EQ(list.GetHeadOrNull(), nullptr);
        Counted* first = new Counted;
        list.AddTail(first);
        for (int i = 0; i < 24; ++i)   // more than one block of 10
            list.AddTail(new Counted);
        EXPECT_EQ(list.GetHeadOrNull(), first);
        EXPECT_EQ(Counted::alive, 25);
    }
    EXPECT_EQ(Counted::alive, 0);
}
