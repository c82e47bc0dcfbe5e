// The CHM reader and extraction into a folder: compiled fixtures extract to
// exactly their sources, hand-made LZX streams decode (or fail) as the format
// says, hostile names are refused, damaged files fail with a message, and the
// writer threads keep one file's writes in order and stop at the first failure.
#include "ChmBuilder.h"
#include "ChmReader.h"
#include "ChmTestUtil.h"
#include "ChmUnpack.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <random>

#ifdef _WIN32
#include <windows.h>
#include <tlhelp32.h>
#endif

using namespace chmtest;

namespace {

// Extracts and checks that the folder holds exactly the project's files
// (plus the compiler's note), each byte for byte as its source.
void expectExtractsProject(const std::string& fixture)
{
    SCOPED_TRACE(fixture);
    ScratchDir scratch;
    fs::path target = scratch / (fixture + ".chm");
    chm::UnpackResult r = chm::ExtractMissing(fixtureChm(fixture), target);
    ASSERT_TRUE(r.ok) << r.message;

    std::vector<std::string> sources = projectFiles(fixtureFolder(fixture) / (fixture + ".hhp"));
    ASSERT_FALSE(sources.empty());
    std::set<std::string> expected(sources.begin(), sources.end());
    expected.insert(compilerNote());
    EXPECT_EQ(filesUnder(target), expected);
    EXPECT_EQ(r.written, expected.size());
    for (const std::string& rel : sources) {
        SCOPED_TRACE(rel);
        std::vector<uint8_t> want = readFile(fixtureFolder(fixture) / fs::u8path(rel));
        ASSERT_FALSE(want.empty());
        EXPECT_TRUE(readFile(target / fs::u8path(rel)) == want);
    }
}

std::vector<uint8_t> pseudoRandom(size_t n, uint32_t seed)
{
    std::mt19937 gen(seed);
    std::vector<uint8_t> v(n);
    for (auto& b : v)
        b = uint8_t(gen() % 40 + 'A');   // half compressible, like text
    return v;
}

std::string extractBytes(const std::vector<uint8_t>& chm, ScratchDir& scratch, chm::UnpackResult* out = nullptr)
{
    fs::path file = scratch / "in.chm";
    writeFile(file, chm);
    fs::remove_all(scratch / "out");
    chm::UnpackResult r = chm::ExtractMissing(file, scratch / "out");
    if (out)
        *out = r;
    return r.ok ? std::string() : r.message;
}

// Reads every entry in file order, as the fuzz target does; the reader's
// error that ends it, or "" when the whole file reads.
std::string readEverything(const std::vector<uint8_t>& chm)
{
    try {
        chm::ChmArchive archive(std::make_unique<chm::MemorySource>(chm));
        for (const chm::ChmEntry& e : archive.entries())
            archive.read(e, [](const uint8_t*, size_t) { return true; });
    } catch (const chm::ChmError& err) {
        return err.what();
    }
    return "";
}

// The threads of this process (-1 where they cannot be counted).
int threadsOfThisProcess()
{
#ifdef _WIN32
    HANDLE snap = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
    if (snap == INVALID_HANDLE_VALUE)
        return -1;
    int n = 0;
    THREADENTRY32 t;
    t.dwSize = sizeof t;
    for (BOOL more = Thread32First(snap, &t); more; more = Thread32Next(snap, &t))
        n += t.th32OwnerProcessID == GetCurrentProcessId();
    CloseHandle(snap);
    return n;
#else
    return -1;
#endif
}

// The file an entry name becomes on Windows, which ignores case and the
// dots and blanks that end a name.
std::string windowsFile(const std::string& name)
{
    std::string out;
    for (size_t i = name[0] == '/' ? 1 : 0; i <= name.size(); ++i) {
        if (i == name.size() || name[i] == '/') {
            while (!out.empty() && (out.back() == '.' || out.back() == ' '))
                out.pop_back();
            if (i < name.size())
                out += '/';
        } else {
            char c = name[i];
            out += c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c;
        }
    }
    return out;
}

// A failed extraction leaves no partial file: whatever is in the folder is
// whole, as long as its entry declares.
void expectNoPartialFile(const fs::path& out, const std::vector<uint8_t>& chm)
{
    std::set<std::string> left = filesUnder(out);
    if (left.empty())
        return;
    chm::ChmArchive archive(std::make_unique<chm::MemorySource>(chm));
    for (const std::string& rel : left) {
        const chm::ChmEntry* e = archive.find("/" + rel);
        ASSERT_TRUE(e) << rel;
        EXPECT_EQ(fs::file_size(out / fs::u8path(rel)), e->length) << rel;
    }
}

} // namespace

TEST(ChmFixtures, ExtractEveryCompiledFileByteForByte)
{
    expectExtractsProject("basic");
    expectExtractsProject("large");
}

// The large fixture must really exercise what it is there for: a directory of
// several listing chunks whose header points past chunk 0, and a compressed
// section of several reset intervals.
TEST(ChmFixtures, LargeFixtureCoversChunksAndResetIntervals)
{
    std::vector<uint8_t> f = readFile(fixtureChm("large"));
    ASSERT_GT(f.size(), 0x100u);
    uint64_t dir = get64(f, 0x48);
    EXPECT_GE(get32(f, dir + 0x2C), 3u) << "directory chunks";
    EXPECT_NE(get32(f, dir + 0x20), 0u) << "first listing chunk pointer (the compiler writes it wrong)";

    auto archive = chm::ChmArchive::open(fixtureChm("large"));
    const chm::ChmEntry* control = archive->find("::DataSpace/Storage/MSCompressed/ControlData");
    const chm::ChmEntry* reset = archive->find(
        "::DataSpace/Storage/MSCompressed/Transform/{7FC28940-9D31-11D0-9B27-00A0C91E9C7C}/"
        "InstanceData/ResetTable");
    ASSERT_TRUE(control && reset);
    std::vector<uint8_t> cd = archive->readAll(*control, 64);
    EXPECT_EQ(std::string(cd.begin() + 4, cd.begin() + 8), "LZXC");
    uint64_t interval = uint64_t(get32(cd, 12)) * 0x8000;
    std::vector<uint8_t> rt = archive->readAll(*reset, 1 << 20);
    EXPECT_GT(get64(rt, 0x10), 4 * interval) << "uncompressed length";
    EXPECT_LT(get64(rt, 0x18), get64(rt, 0x10) / 2) << "the data is really compressed";
    const chm::ChmEntry* index = archive->find("/index.htm");
    ASSERT_TRUE(index);
    EXPECT_EQ(index->section, 1u);
}

// Reading backwards and in random order restarts the decoder at reset points.
TEST(ChmFixtures, EntriesReadInAnyOrder)
{
    auto archive = chm::ChmArchive::open(fixtureChm("large"));
    std::vector<const chm::ChmEntry*> pages;
    for (const chm::ChmEntry& e : archive->entries())
        if (!e.isSystem() && !e.isDirectory() && e.name != std::string("/") + compilerNote())
            pages.push_back(&e);
    ASSERT_GT(pages.size(), 300u);
    std::reverse(pages.begin(), pages.end());
    std::vector<const chm::ChmEntry*> shuffled = pages;
    std::shuffle(shuffled.begin(), shuffled.end(), std::mt19937(7));
    pages.insert(pages.end(), shuffled.begin(), shuffled.end());
    for (const chm::ChmEntry* e : pages) {
        SCOPED_TRACE(e->name);
        std::vector<uint8_t> want = readFile(fixtureFolder("large") / fs::u8path(e->name.substr(1)));
        ASSERT_TRUE(archive->readAll(*e, 1 << 20) == want);
    }
}

TEST(ChmFixtures, SecondExtractionWritesOnlyWhatIsMissing)
{
    ScratchDir scratch;
    fs::path target = scratch / "basic.chm";
    chm::UnpackResult first = chm::ExtractMissing(fixtureChm("basic"), target);
    ASSERT_TRUE(first.ok) << first.message;
    fs::remove(target / "docs/notes#1.htm");
    writeFile(target / "images/logo.bmp", {'B', 'M'});   // cut short
    chm::UnpackResult again = chm::ExtractMissing(fixtureChm("basic"), target);
    ASSERT_TRUE(again.ok) << again.message;
    EXPECT_EQ(again.written, 2u);
    EXPECT_EQ(again.present, first.written + first.present - 2);   // toc.hhc is listed twice
    EXPECT_TRUE(readFile(target / "images/logo.bmp") == readFile(fixtureFolder("basic") / "images/logo.bmp"));
    EXPECT_TRUE(readFile(target / "docs/notes#1.htm") == readFile(fixtureFolder("basic") / "docs/notes#1.htm"));
}

// Uncompressed LZX blocks (odd lengths, padding), three reset intervals,
// section 0 files and a directory spread over several listing chunks.
TEST(ChmBuilt, StoredBlocksSectionZeroAndManyChunks)
{
    struct File {
        std::string name;
        std::vector<uint8_t> bytes;
        bool compressed;
    } files[] = {
        {"/a.htm", ChmBuilder::toBytes("<p>a</p>"), false},
        {"/sub/b c.htm", pseudoRandom(70001, 1), true},
        {"/sub/d#e.bin", pseudoRandom(3, 2), true},
        {"/f/g/h.dat", pseudoRandom(130000, 3), true},
        {"/empty.txt", {}, false},
    };
    ChmBuilder b;
    b.add("/", std::string());
    for (const File& f : files) {
        if (f.compressed)
            b.addCompressed(f.name, f.bytes);
        else
            b.add(f.name, f.bytes);
    }
    b.add("/#SYSTEM", "system data");
    b.add("/$OBJINST", "more");
    b.setEntriesPerChunk(3);

    ScratchDir scratch;
    chm::UnpackResult r;
    ASSERT_EQ(extractBytes(b.build(), scratch, &r), "");
    std::set<std::string> names;
    for (const File& f : files) {
        names.insert(f.name.substr(1));
        EXPECT_TRUE(readFile(scratch / ("out" + f.name)) == f.bytes) << f.name;
    }
    EXPECT_EQ(filesUnder(scratch / "out"), names);
}

// A version 2 header has no section-0 offset: the content follows the directory.
TEST(ChmBuilt, Version2Header)
{
    ChmBuilder b;
    b.add("/a.htm", "<p>stored</p>");
    b.addCompressed("/b.htm", "<p>packed</p>");
    std::vector<uint8_t> f = b.build();
    set32(f, 4, 2);
    set32(f, 8, 0x58);
    set64(f, 0x58, 0xFFFFFFFFFFFFull);   // ignored by a version 2 reader
    ScratchDir scratch;
    ASSERT_EQ(extractBytes(f, scratch), "");
    EXPECT_TRUE(readFile(scratch / "out/a.htm") == ChmBuilder::toBytes("<p>stored</p>"));
    EXPECT_TRUE(readFile(scratch / "out/b.htm") == ChmBuilder::toBytes("<p>packed</p>"));
}

// Verbatim blocks written bit by bit: literals, a new offset, a repeated one;
// for every window size, whose position slots set the size of the main tree.
TEST(ChmBuilt, VerbatimBlockDecodes)
{
    for (unsigned windowBits = 15; windowBits <= 21; ++windowBits) {
        SCOPED_TRACE(windowBits);
        LzxWriter w;
        w.setWindowBits(windowBits);
        w.streamHeader();
        w.verbatimHeader(12);
        w.literal('a');
        w.literal('b');
        w.literal('c');
        w.match(6 - 2, 4, 1, 1);   // slot 4, extra 1: formatted 5, offset 3
        w.match(3 - 2, 0, 0, 0);   // slot 0: offset R0 = 3 again
        ChmBuilder b;
        b.setLzxParameters(2, (1u << windowBits) / 0x8000);
        b.addRaw("/abc.txt", 1, 0, 12);
        b.setLzxStream(w.finish(), {0}, 12);
        ScratchDir scratch;
        ASSERT_EQ(extractBytes(b.build(), scratch), "");
        EXPECT_TRUE(readFile(scratch / "out/abc.txt") == ChmBuilder::toBytes("abcabcabcabc"));
    }
}

// Block kinds one after another: a verbatim block whose end leaves the
// stream 16-bit aligned (so the uncompressed block after it skips a whole
// padding word), then two uncompressed blocks, the first of odd length.
TEST(ChmBuilt, BlockKindsFollowEachOther)
{
    LzxWriter w;
    w.streamHeader();
    w.verbatimHeader(8);   // 1 + 27 + 336 + 336 + 329 header bits, then 8 x 10
    for (char c : std::string("ABCDEFGH"))
        w.literal(uint8_t(c));
    const std::string tail1 = "ijk", tail2 = "lm";   // header ends at bit 1136 = 71 x 16
    w.uncompressed(reinterpret_cast<const uint8_t*>(tail1.data()), tail1.size());
    w.uncompressed(reinterpret_cast<const uint8_t*>(tail2.data()), tail2.size());
    ChmBuilder b;
    b.addRaw("/mixed.txt", 1, 0, 13);
    b.setLzxStream(w.finish(), {0}, 13);
    ScratchDir scratch;
    ASSERT_EQ(extractBytes(b.build(), scratch), "");
    EXPECT_TRUE(readFile(scratch / "out/mixed.txt") == ChmBuilder::toBytes("ABCDEFGHijklm"));
}

// E8 translation: operands of E8 bytes go back from absolute to relative
// (position of the E8 byte within the reset interval), except out of range
// and in the last 10 bytes of a frame.
TEST(ChmBuilt, E8TranslationIsUndone)
{
    std::vector<uint8_t> data(64, 0x90);
    auto e8 = [&](size_t at, uint32_t operand) {
        data[at] = 0xE8;
        set32(data, at + 1, operand);
    };
    e8(20, 100);            // absolute 100 at 20 -> 80
    e8(40, 0xFFFFFFF6);     // absolute -10 at 40 -> -10 + 1000 = 990
    e8(48, 2000);           // beyond the translation size: kept
    e8(56, 100);            // in the last 10 bytes: kept
    std::vector<uint8_t> want = data;
    set32(want, 21, 80);
    set32(want, 41, 990);

    LzxWriter w;
    w.streamHeader(1000);
    w.uncompressed(data.data(), data.size());
    ChmBuilder b;
    b.addRaw("/code.bin", 1, 0, data.size());
    b.setLzxStream(w.finish(), {0}, data.size());
    ScratchDir scratch;
    ASSERT_EQ(extractBytes(b.build(), scratch), "");
    EXPECT_TRUE(readFile(scratch / "out/code.bin") == want);
}

TEST(ChmNames, SafeRelativePath)
{
    struct Case {
        const char* name;
        const char* path;   // null: refused
    } cases[] = {
        {"/index.htm", "index.htm"},
        {"/a b/c#d.htm", "a b/c#d.htm"},
        {"/x/y/", "x/y"},
        {"/", ""},
        {"/..a/b..", "..a/b.."},
        {"/../evil.htm", nullptr},
        {"/a/../../evil.htm", nullptr},
        {"/a/..", nullptr},
        {"/./a.htm", nullptr},
        {"/..\\evil.htm", nullptr},
        {"/a\\..\\..\\evil.htm", nullptr},
        {"/.. /evil.htm", nullptr},
        {"/... /evil.htm", nullptr},
        {"//server/share/evil.htm", nullptr},
        {"/\\evil.htm", nullptr},
        {"/C:/evil.htm", nullptr},
        {"/c:evil.htm", nullptr},
        {"/a.htm:stream", nullptr},
        {"/a//b.htm", nullptr},
        {"/con.htm", nullptr},
        {"/sub/NUL", nullptr},
        {"/aux /x.htm", nullptr},
        {"/lpt1.txt", nullptr},
        {"/com9", nullptr},
        {"/console.htm", "console.htm"},
        {"/com10.htm", "com10.htm"},
        {"", nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        fs::path out;
        std::string why;
        bool ok = chm::SafeRelativePath(c.name, out, &why);
        if (c.path) {
            EXPECT_TRUE(ok) << why;
            EXPECT_EQ(out.generic_u8string(), c.path);
        } else {
            EXPECT_FALSE(ok);
            EXPECT_FALSE(why.empty());
        }
    }
}

// One hostile name refuses the whole file: nothing is written, neither
// outside the target nor inside it.
TEST(ChmHostile, EntryLeavingTheTargetIsRefused)
{
    const char* hostile[] = {"/../evil.htm", "/sub/../../evil.htm", "/..\\evil.htm",
                             "/C:/evil.htm", "//evil.htm"};
    for (const char* name : hostile) {
        SCOPED_TRACE(name);
        ChmBuilder b;
        b.add("/ok.htm", "<p>fine</p>");
        b.add(name, "<p>evil</p>");
        b.addCompressed("/z.htm", "<p>packed</p>");
        ScratchDir scratch;
        fs::path box = scratch / "box";
        writeFile(box / "hostile.chm", b.build());
        chm::UnpackResult r = chm::ExtractMissing(box / "hostile.chm", box / "out" / "target");
        EXPECT_FALSE(r.ok);
        EXPECT_NE(r.message.find(name), std::string::npos) << r.message;
        EXPECT_NE(r.message.find("outside the target folder"), std::string::npos) << r.message;
        EXPECT_EQ(filesUnder(scratch.path()), std::set<std::string>{"box/hostile.chm"});
        EXPECT_FALSE(fs::exists(box / "out" / "target"));
        EXPECT_FALSE(fs::exists(fs::path("C:/evil.htm")));
    }
}

// Damaged files: each fails with a message naming the damage, never a crash,
// a hang or an unbounded allocation.
TEST(ChmDamaged, FailCleanly)
{
    const std::vector<uint8_t> compiled = readFile(fixtureChm("basic"));
    ASSERT_FALSE(compiled.empty());
    const uint64_t dir = get64(compiled, 0x48);

    ChmBuilder built;
    built.add("/a.htm", "<p>stored</p>");
    built.addCompressed("/b.htm", std::string(50000, 'b'));
    const std::vector<uint8_t> made = built.build();
    const ChmBuilder::Layout at = built.layout;

    using Edit = std::function<void(std::vector<uint8_t>&)>;
    struct Case {
        const char* what;
        const std::vector<uint8_t>* base;
        Edit edit;
        const char* message;
    } cases[] = {
        {"bad signature", &compiled, [](auto& f) { f[0] = 'X'; }, "bad signature"},
        {"cut to 48 bytes", &compiled, [](auto& f) { f.resize(48); }, "too short"},
        {"cut in the directory", &compiled, [&](auto& f) { f.resize(dir + 0x100); },
         "directory lies past the end"},
        {"cut in the content", &compiled, [](auto& f) { f.resize(f.size() * 3 / 4); }, "past the end"},
        {"directory length huge", &compiled, [](auto& f) { set64(f, 0x50, uint64_t(1) << 40); },
         "directory lies past the end"},
        {"chunk count huge", &compiled, [&](auto& f) { set32(f, dir + 0x2C, 0x00FFFFFF); },
         "directory chunks lie past the end"},
        {"chunk size zero", &compiled, [&](auto& f) { set32(f, dir + 0x10, 0); }, "chunk size"},
        {"chunk signature", &made, [&](auto& f) { f[at.chunks] = 'Q'; }, "bad signature"},
        {"chunk free space", &made, [&](auto& f) { set32(f, at.chunks + 4, 0x7FFFFFFF); }, "free-space"},
        {"content offset past the end", &made, [](auto& f) { set64(f, 0x58, uint64_t(1) << 50); },
         "content lies past the end"},
        {"control data signature", &made, [&](auto& f) { f[at.controlData + 4] = 'Y'; }, "control data"},
        {"window of 3 units", &made, [&](auto& f) { set32(f, at.controlData + 16, 3); },
         "window size"},
        {"reset interval zero", &made, [&](auto& f) { set32(f, at.controlData + 12, 0); },
         "reset interval"},
        {"reset table entry past the end", &made,
         [&](auto& f) { set64(f, at.resetTable + 0x28 + 8, uint64_t(1) << 40); },
         "reset table points past"},
        {"reset table uncompressed length huge", &made,
         [&](auto& f) { set64(f, at.resetTable + 0x10, uint64_t(1) << 50); }, "reset table is too short"},
        {"reset table uncompressed length near 2^64", &made,
         [&](auto& f) { set64(f, at.resetTable + 0x10, ~uint64_t(0) - 0x1000); }, "reset table is too short"},
        {"reset table of zero entries", &made, [&](auto& f) { set32(f, at.resetTable + 4, 0); },
         "reset table is too short"},
        {"reset table out of order", &made,
         [&](auto& f) { set64(f, at.resetTable + 0x28, get64(f, at.resetTable + 0x28 + 8) + 2); },
         "reset table is out of order"},
        {"window of 0 units", &made, [&](auto& f) { set32(f, at.controlData + 16, 0); }, "window size"},
        {"window of 4 MiB", &made, [&](auto& f) { set32(f, at.controlData + 16, 128); }, "window size"},
        {"window of 16 KiB in bytes", &made,
         [&](auto& f) {
             set32(f, at.controlData + 8, 1);
             set32(f, at.controlData + 12, 0x10000);
             set32(f, at.controlData + 16, 0x4000);
         },
         "window size"},
        {"compressed data cut off by the end of the file", &made, [&](auto& f) { f.resize(at.lzx + 10); },
         "compressed data lies past the end of the file"},
        {"reset table count huge", &made, [&](auto& f) { set32(f, at.resetTable + 4, 0x7FFFFFFF); },
         "runs past its entry"},
        {"compressed length past its entry", &made,
         [&](auto& f) { set64(f, at.resetTable + 0x18, uint64_t(1) << 40); }, "runs past its entry"},
        {"LZX data overwritten", &compiled,
         [&](auto& f) {
             auto archive = chm::ChmArchive(std::make_unique<chm::MemorySource>(f));
             const chm::ChmEntry* c = archive.find("::DataSpace/Storage/MSCompressed/Content");
             uint64_t start = get64(f, 0x58) + c->offset;
             for (uint64_t i = 0; i < c->length; ++i)
                 f[start + i] = uint8_t(0xFF - i % 7);
         },
         "LZX data damaged"},
        {"LZX block type zero", &made, [&](auto& f) { f[at.lzx + 1] = 0; f[at.lzx] = 0; },
         "unknown block type"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::vector<uint8_t> f = *c.base;
        c.edit(f);
        ScratchDir scratch;
        std::string message = extractBytes(f, scratch);
        EXPECT_NE(message.find(c.message), std::string::npos) << "message: " << message;
        EXPECT_NE(readEverything(f), "");
        expectNoPartialFile(scratch / "out", f);
    }
}

// LZX streams that break the format's limits, and entries placed outside
// their section.
TEST(ChmDamaged, HandMadeStreamsAndEntriesFailCleanly)
{
    struct Case {
        const char* what;
        std::function<void(ChmBuilder&)> make;
        const char* message;
    };
    auto stream = [](ChmBuilder& b, uint32_t blockLength, uint64_t outLength,
                     const std::function<void(LzxWriter&)>& symbols) {
        LzxWriter w;
        w.streamHeader();
        w.verbatimHeader(blockLength);
        symbols(w);
        b.addRaw("/x.txt", 1, 0, outLength);
        b.setLzxStream(w.finish(), {0}, outLength);
    };
    Case cases[] = {
        {"match before any output",
         [&](ChmBuilder& b) { stream(b, 4, 4, [](LzxWriter& w) { w.match(0, 3, 0, 0); }); },
         "outside the window"},
        {"match reaching before the start",
         [&](ChmBuilder& b) {
             stream(b, 12, 12, [](LzxWriter& w) {
                 for (int i = 0; i < 10; ++i)
                     w.literal('x');
                 w.match(0, 10, 0, 4);   // slot 10: offset 30 after 10 bytes
             });
         },
         "outside the window"},
        {"match past the end of its block",
         [&](ChmBuilder& b) {
             stream(b, 3, 8, [](LzxWriter& w) {
                 w.literal('a');
                 w.literal('b');
                 w.match(2, 3, 0, 0);
             });
         },
         "past the end of its block"},
        {"stream shorter than its block",
         [&](ChmBuilder& b) {
             stream(b, 30000, 30000, [](LzxWriter& w) {
                 for (int i = 0; i < 40; ++i)
                     w.literal('s');
             });
         },
         "ends early"},
        {"stored entry past the end of the file",
         [](ChmBuilder& b) { b.addRaw("/far.htm", 0, 0, uint64_t(1) << 40); }, "past the end of the file"},
        {"compressed entry past the end of its section",
         [](ChmBuilder& b) {
             b.addCompressed("/near.htm", "near");
             b.addRaw("/far.htm", 1, 2, 1000);
         },
         "past the end of the compressed section"},
        {"unknown section", [](ChmBuilder& b) { b.addRaw("/odd.htm", 7, 0, 1); }, "unknown section"},
        {"compressed entry of a terabyte",
         [](ChmBuilder& b) {
             b.addCompressed("/near.htm", "near");
             b.addRaw("/far.htm", 1, 0, uint64_t(1) << 40);
         },
         "past the end of the compressed section"},
        {"section declaring more than its data can hold",
         [](ChmBuilder& b) {
             // 100 frames from 4 compressed bytes: the table is long enough,
             // the data cannot be.
             b.addRaw("/x.txt", 1, 0, 100 * ChmBuilder::kFrame);
             b.setLzxStream({0, 0, 0, 0}, std::vector<uint64_t>(100, 0), 100 * ChmBuilder::kFrame);
         },
         "more data than its compressed data can hold"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ChmBuilder b;
        b.add("/first.htm", "first");
        c.make(b);
        ScratchDir scratch;
        chm::UnpackResult r;
        std::string message = extractBytes(b.build(), scratch, &r);
        EXPECT_NE(message.find(c.message), std::string::npos) << "message: " << message;
        // The file that failed halfway is not left behind.
        std::set<std::string> left = filesUnder(scratch / "out");
        for (const char* failed : {"x.txt", "far.htm", "odd.htm"})
            EXPECT_EQ(left.count(failed), 0u) << failed;
        expectNoPartialFile(scratch / "out", b.build());
    }
}

// Files found by fuzzing, kept as found: reading ends in the reader's format
// error (no crash, no read past a table), and extraction writes nothing.
TEST(ChmHostile, FilesFoundByFuzzingFailAsDamaged)
{
    const std::map<std::string, const char*> expected = {
        // The reset table's uncompressed length is near 2^64; rounded up to
        // frames it used to wrap to a few, and reading indexed past the table.
        {"reset-table-short.chm", "reset table is too short"},
    };
    size_t seen = 0;
    for (const auto& file : fs::directory_iterator(fs::path(TW_CHM_HOSTILE))) {
        std::string name = file.path().filename().u8string();
        SCOPED_TRACE(name);
        auto it = expected.find(name);
        ASSERT_NE(it, expected.end()) << "a fixture without its expected error";
        ++seen;
        std::vector<uint8_t> bytes = readFile(file.path());
        std::string error = readEverything(bytes);
        EXPECT_NE(error.find("damaged"), std::string::npos) << error;
        EXPECT_NE(error.find(it->second), std::string::npos) << error;

        ScratchDir scratch;
        chm::UnpackResult r;
        std::string message = extractBytes(bytes, scratch, &r);
        EXPECT_FALSE(r.ok);
        EXPECT_NE(message.find(it->second), std::string::npos) << message;
        EXPECT_EQ(filesUnder(scratch / "out"), std::set<std::string>());
    }
    EXPECT_EQ(seen, expected.size());
}

// A directory of 100,000 empty entries lists and plans in bounded time and
// memory; the same empty name 100,000 times extracts to one file.
TEST(ChmHostile, HundredThousandEmptyEntries)
{
    const int kEntries = 100000;
    ChmBuilder distinct, same;
    for (int i = 0; i < kEntries; ++i) {
        distinct.addRaw("/e" + std::to_string(i) + ".htm", 0, 0, 0);
        same.addRaw("/empty.htm", 0, 0, 0);
    }
    chm::ChmArchive archive(std::make_unique<chm::MemorySource>(distinct.build()));
    EXPECT_EQ(archive.entries().size(), size_t(kEntries));
    chm::ExtractionPlan plan = chm::PlanExtraction(archive);
    EXPECT_TRUE(plan.ok) << plan.message;
    EXPECT_EQ(plan.files, size_t(kEntries));
    EXPECT_EQ(plan.bytes, 0u);

    ScratchDir scratch;
    chm::UnpackResult r;
    ASSERT_EQ(extractBytes(same.build(), scratch, &r), "");
    EXPECT_EQ(r.written, 1u);
    EXPECT_EQ(r.present, size_t(kEntries - 1));
    EXPECT_EQ(filesUnder(scratch / "out"), std::set<std::string>{"empty.htm"});
}

// The plan adds up what the directory declares, each name once, and reads no
// entry's data; it refuses what extraction refuses.
TEST(ChmHostile, PlanAddsUpDeclaredSizes)
{
    ChmBuilder b;
    b.add("/", std::string());
    b.add("/a.htm", std::string(1000, 'a'));
    b.add("/sub/", std::string());
    b.addCompressed("/sub/b.htm", std::string(70000, 'b'));
    b.addRaw("/A.HTM", 0, 0, 1000);   // the same file to Windows
    b.add("/#SYSTEM", std::string(5000, 's'));
    b.addRaw("/again.htm", 1, 0, 70000);
    std::vector<uint8_t> bytes = b.build();
    chm::ChmArchive archive(std::make_unique<chm::MemorySource>(bytes));
    chm::ExtractionPlan plan = chm::PlanExtraction(archive);
    EXPECT_TRUE(plan.ok) << plan.message;
    EXPECT_EQ(plan.files, 3u);
    EXPECT_EQ(plan.bytes, 1000u + 70000u + 70000u);

    ChmBuilder hostile;
    hostile.add("/../up.htm", "x");
    chm::ChmArchive h(std::make_unique<chm::MemorySource>(hostile.build()));
    plan = chm::PlanExtraction(h);
    EXPECT_FALSE(plan.ok);
    EXPECT_NE(plan.message.find("outside the target folder"), std::string::npos) << plan.message;
}

// Many files on the writer threads, with names that are one file to Windows
// (case, trailing dots) and entries above the buffered size, one of them
// after a short entry of the same file and one before: every file holds what
// the last of its entries in the order of extraction holds, byte for byte.
TEST(ChmWriters, ManyFilesAndOneFileUnderSeveralNamesExtractAsRead)
{
    ChmBuilder b;
    auto add = [&](bool compressed, const std::string& name, const std::vector<uint8_t>& bytes) {
        if (compressed)
            b.addCompressed(name, bytes);
        else
            b.add(name, bytes);
    };
    const size_t big = size_t(chm::kLargestBufferedEntry) + 4321;
    add(false, "/Huge.dat", pseudoRandom(big, 1));   // streamed; the short twin after it is queued
    for (int i = 0; i < 600; ++i) {
        const char* dir = i % 3 == 0 ? "" : i % 3 == 1 ? "/pages" : "/pages/deep";
        add(i % 2, std::string(dir) + "/p" + std::to_string(i) + ".htm", pseudoRandom(i * 37 % 20000, 100 + i));
        if (i < 40)   // long first, short later: a race would leave a long tail or the wrong bytes
            add(i % 2, "/pages/Twin" + std::to_string(i) + ".htm", pseudoRandom(30000 + i, 1000 + i));
        if (i >= 300 && i < 340)
            add(i % 2, "/PAGES/twin" + std::to_string(i - 300) + ".HTM", pseudoRandom(700 + i, 2000 + i));
    }
    add(false, "/same.htm", pseudoRandom(500, 3));
    add(false, "/same.htm", pseudoRandom(500, 3));   // the same name again: found written
    add(true, "/dot.htm", pseudoRandom(9000, 4));
    add(true, "/DOT.htm.", pseudoRandom(300, 5));
    add(true, "/HUGE.DAT", pseudoRandom(10, 6));
    add(true, "/Big.bin", pseudoRandom(2000, 2));   // queued; the long twin right after it is streamed
    add(true, "/big.BIN", pseudoRandom(big, 7));
    const std::vector<uint8_t> bytes = b.build();

    // What each file should hold: its last entry in the order of extraction.
    chm::ChmArchive archive(std::make_unique<chm::MemorySource>(bytes));
    std::vector<const chm::ChmEntry*> order;
    for (const chm::ChmEntry& e : archive.entries())
        if (!e.isSystem() && !e.isDirectory())
            order.push_back(&e);
    std::stable_sort(order.begin(), order.end(), [](auto a, auto b) {
        return a->section != b->section ? a->section < b->section : a->offset < b->offset;
    });
    std::map<std::string, std::vector<uint8_t>> want;
    std::set<std::string> names;
    size_t writes = 0;
    for (const chm::ChmEntry* e : order) {
        if (!names.insert(e->name).second)
            continue;
        want[windowsFile(e->name)] = archive.readAll(*e, 2 * big);
        ++writes;
    }

    const int threads = threadsOfThisProcess();
    ScratchDir scratch;
    chm::UnpackResult r;
    ASSERT_EQ(extractBytes(bytes, scratch, &r), "");
    EXPECT_EQ(threadsOfThisProcess(), threads);
    EXPECT_EQ(r.written, writes);
    EXPECT_EQ(r.present, 1u);
    std::set<std::string> got;
    for (const std::string& rel : filesUnder(scratch / "out")) {
        SCOPED_TRACE(rel);
        got.insert(windowsFile(rel));
        auto it = want.find(windowsFile(rel));
        ASSERT_NE(it, want.end());
        EXPECT_TRUE(readFile(scratch / ("out/" + rel)) == it->second);
    }
    std::set<std::string> expected;
    for (const auto& w : want)
        expected.insert(w.first);
    EXPECT_EQ(got, expected);
}

// The first failure stops the extraction and is the one reported, whether a
// writer thread or the decoder meets it; a failure of the decoder comes after
// the files before it are written (so a writer's earlier failure wins). No
// thread is left, no file is left half written.
TEST(ChmWriters, FirstFailureStopsAndIsReported)
{
    const int kBefore = 200, kAfter = 200;
    struct Case {
        const char* what;
        std::function<void(ChmBuilder&)> first, middle, last;
        std::function<void(const fs::path& out)> prepare;
        const char* message;
        bool allBeforeWritten;   // a failure of the decoder: the files before it are all written
    };
    auto none = [](ChmBuilder&) {};
    auto nothing = [](const fs::path&) {};
    Case cases[] = {
        {"a file where this extraction made a folder",
         [](ChmBuilder& b) { b.add("/x/in.htm", "in"); }, [](ChmBuilder& b) { b.add("/x", "file"); }, none,
         nothing, "The file \"/x\" cannot be created.", false},
        {"a folder where a queued file stands", none,
         [](ChmBuilder& b) {
             b.add("/y", "file");
             b.add("/y/in.htm", "in");
         },
         none, nothing, "The file \"/y/in.htm\" cannot be created.", false},
        {"a folder already in a file's place", none, [](ChmBuilder& b) { b.add("/mid.htm", "mid"); }, none,
         [](const fs::path& out) { fs::create_directories(out / "mid.htm"); },
         "The entry \"/mid.htm\" cannot be written: something else is in its place.", true},
        {"damaged compressed data after the stored files", none, none,
         [](ChmBuilder& b) {
             LzxWriter w;
             w.streamHeader();
             w.verbatimHeader(4);
             w.match(0, 3, 0, 0);   // before any output
             b.addRaw("/z.txt", 1, 0, 4);
             b.setLzxStream(w.finish(), {0}, 4);
         },
         nothing, "outside the window", true},
        {"a writer's failure, then the decoder's",
         [](ChmBuilder& b) { b.add("/x/in.htm", "in"); }, [](ChmBuilder& b) { b.add("/x", "file"); },
         [](ChmBuilder& b) { b.add("/late.htm", "late"); },
         [](const fs::path& out) { fs::create_directories(out / "late.htm"); },
         "The file \"/x\" cannot be created.", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ChmBuilder b;
        c.first(b);
        for (int i = 0; i < kBefore; ++i)
            b.add("/a/f" + std::to_string(i) + ".htm", pseudoRandom(4096, i));
        c.middle(b);
        for (int i = 0; i < kAfter; ++i)
            b.add("/b/f" + std::to_string(i) + ".htm", pseudoRandom(4096, i));
        c.last(b);
        const std::vector<uint8_t> bytes = b.build();

        ScratchDir scratch;
        const fs::path out = scratch / "out";
        c.prepare(out);
        const int threads = threadsOfThisProcess();
        chm::ChmArchive archive(std::make_unique<chm::MemorySource>(bytes));
        const chm::UnpackResult r = chm::ExtractMissing(archive, out);
        EXPECT_EQ(threadsOfThisProcess(), threads);
        EXPECT_FALSE(r.ok);
        EXPECT_NE(r.message.find(c.message), std::string::npos) << r.message;
        EXPECT_LT(r.written, size_t(kBefore + kAfter + 2));
        if (c.allBeforeWritten) {
            EXPECT_GE(r.written, size_t(kBefore));
            for (int i = 0; i < kBefore; ++i)
                EXPECT_TRUE(fs::exists(out / ("a/f" + std::to_string(i) + ".htm"))) << i;
        }
        expectNoPartialFile(out, bytes);
    }
}
