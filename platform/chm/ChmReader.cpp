#include "ChmReader.h"

#include "Lzx.h"

#include <algorithm>
#include <cstring>

namespace chm {

namespace {

constexpr size_t kItsfMinHeader = 0x58;      // version 2; version 3 adds the section-0 offset
constexpr size_t kItspHeader = 0x54;
constexpr size_t kListingHeader = 0x14;
constexpr uint32_t kMinChunk = 0x40;
constexpr uint32_t kMaxChunk = 0x100000;
constexpr size_t kMaxControlData = 0x1000;
constexpr uint64_t kFrame = LzxDecoder::kFrameSize;
// The most output one compressed byte can give: a match of the longest
// length (257) from the last offset costs at least two bits, one for the
// main tree and one for the length tree. A section declaring more than this
// cannot be decoded from its data.
constexpr uint64_t kMaxLzxExpansion = 257 * 8 / 2;

const char kContentName[] = "::DataSpace/Storage/MSCompressed/Content";
const char kControlName[] = "::DataSpace/Storage/MSCompressed/ControlData";
const char kResetTableName[] =
    "::DataSpace/Storage/MSCompressed/Transform/"
    "{7FC28940-9D31-11D0-9B27-00A0C91E9C7C}/InstanceData/ResetTable";

uint32_t le32(const uint8_t* p)
{
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

uint64_t le64(const uint8_t* p)
{
    return uint64_t(le32(p)) | uint64_t(le32(p + 4)) << 32;
}

[[noreturn]] void damaged(const std::string& what)
{
    throw ChmError("CHM file damaged: " + what);
}

std::string lowerAscii(std::string_view s)
{
    std::string out(s);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return out;
}

// a + b <= limit, without overflow.
bool fits(uint64_t a, uint64_t b, uint64_t limit)
{
    return a <= limit && b <= limit - a;
}

// Variable-length integer of the directory: 7 bits a byte, most significant
// first, the high bit set on every byte but the last.
uint64_t readEncInt(const uint8_t*& p, const uint8_t* end)
{
    uint64_t value = 0;
    for (int i = 0; i < 9; ++i) {
        if (p >= end)
            damaged("directory entry runs past the end of its chunk");
        uint8_t b = *p++;
        value = (value << 7) | (b & 0x7F);
        if (!(b & 0x80))
            return value;
    }
    damaged("directory entry holds an overlong number");
}

} // namespace

bool ChmEntry::isSystem() const
{
    if (name.compare(0, 2, "::") == 0)
        return true;
    return name.size() >= 2 && name[0] == '/' && (name[1] == '#' || name[1] == '$');
}

bool ChmEntry::isDirectory() const
{
    return !name.empty() && name.back() == '/';
}

// State of the LZX section, set up on first use.
struct ChmArchive::Compressed {
    uint64_t start = 0;          // absolute file offset of the compressed data
    uint64_t compressedLength = 0;
    uint64_t uncompressedLength = 0;
    uint64_t framesPerReset = 1;
    std::vector<uint64_t> resetTable;   // compressed offset of each frame
    std::unique_ptr<LzxDecoder> decoder;
    uint64_t nextFrame = UINT64_MAX;    // the frame the decoder gives next
    uint64_t heldFrame = UINT64_MAX;    // the frame `held` points to
    const uint8_t* held = nullptr;
    size_t heldSize = 0;
};

ChmArchive::ChmArchive(std::unique_ptr<ByteSource> source)
    : source_(std::move(source))
{
    if (!source_)
        throw ChmError("no CHM data");
    readHeaders();
}

std::unique_ptr<ChmArchive> ChmArchive::open(const std::filesystem::path& path)
{
    return std::make_unique<ChmArchive>(std::make_unique<FileSource>(path));
}

ChmArchive::~ChmArchive() = default;

void ChmArchive::readHeaders()
{
    const uint64_t fileSize = source_->size();
    uint8_t h[0x60] = {};
    if (fileSize < kItsfMinHeader)
        throw ChmError("not a CHM file (too short)");
    source_->read(0, h, static_cast<size_t>(std::min<uint64_t>(sizeof h, fileSize)));
    if (std::memcmp(h, "ITSF", 4) != 0)
        throw ChmError("not a CHM file (bad signature)");
    uint32_t version = le32(h + 4);
    uint32_t headerLength = le32(h + 8);
    if (version < 2 || version > 3 || headerLength < kItsfMinHeader)
        throw ChmError("unsupported CHM version");

    uint64_t dirOffset = le64(h + 0x48);
    uint64_t dirLength = le64(h + 0x50);
    if (!fits(dirOffset, dirLength, fileSize))
        damaged("directory lies past the end of the file");
    if (version >= 3 && headerLength >= 0x60 && fileSize >= 0x60)
        contentOffset_ = le64(h + 0x58);
    else
        contentOffset_ = dirOffset + dirLength;
    if (contentOffset_ > fileSize)
        damaged("content lies past the end of the file");

    readDirectory(dirOffset, dirLength);
}

void ChmArchive::readDirectory(uint64_t offset, uint64_t length)
{
    if (length < kItspHeader)
        damaged("directory header too short");
    uint8_t h[kItspHeader];
    source_->read(offset, h, sizeof h);
    if (std::memcmp(h, "ITSP", 4) != 0)
        damaged("bad directory signature");
    uint32_t headerLength = le32(h + 8);
    uint32_t chunkSize = le32(h + 0x10);
    uint32_t chunkCount = le32(h + 0x2C);
    if (headerLength < kItspHeader || headerLength > length)
        damaged("bad directory header length");
    if (chunkSize < kMinChunk || chunkSize > kMaxChunk)
        damaged("bad directory chunk size");
    uint64_t chunks = offset + headerLength;
    if (uint64_t(chunkCount) * chunkSize > length - headerLength)
        damaged("directory chunks lie past the end of the directory");

    std::vector<uint8_t> chunk(chunkSize);
    for (uint32_t i = 0; i < chunkCount; ++i) {
        source_->read(chunks + uint64_t(i) * chunkSize, chunk.data(), chunkSize);
        if (std::memcmp(chunk.data(), "PMGL", 4) == 0)
            parseListing(chunk.data(), chunkSize, i);
        else if (std::memcmp(chunk.data(), "PMGI", 4) != 0)
            damaged("directory chunk " + std::to_string(i) + " has a bad signature");
        // Index chunks only speed up lookups; every listing chunk is read anyway.
    }
    for (size_t i = 0; i < entries_.size(); ++i)
        byName_.emplace(lowerAscii(entries_[i].name), i);
}

void ChmArchive::parseListing(const uint8_t* chunk, size_t size, uint32_t number)
{
    uint32_t freeSpace = le32(chunk + 4);
    if (freeSpace > size - kListingHeader)
        damaged("directory chunk " + std::to_string(number) + " has a bad free-space length");
    const uint8_t* p = chunk + kListingHeader;
    const uint8_t* end = chunk + size - freeSpace;
    while (p < end) {
        uint64_t nameLength = readEncInt(p, end);
        if (nameLength == 0 || nameLength > static_cast<uint64_t>(end - p))
            damaged("directory chunk " + std::to_string(number) + " holds a bad entry name");
        ChmEntry e;
        e.name.assign(reinterpret_cast<const char*>(p), static_cast<size_t>(nameLength));
        p += nameLength;
        e.section = readEncInt(p, end);
        e.offset = readEncInt(p, end);
        e.length = readEncInt(p, end);
        entries_.push_back(std::move(e));
    }
}

const ChmEntry* ChmArchive::find(std::string_view name) const
{
    auto it = byName_.find(lowerAscii(name));
    return it == byName_.end() ? nullptr : &entries_[it->second];
}

void ChmArchive::checkPlace(const ChmEntry& entry)
{
    if (entry.section == 0) {
        if (!fits(entry.offset, entry.length, source_->size() - contentOffset_))
            damaged("entry " + entry.name + " lies past the end of the file");
    } else if (entry.section == 1) {
        if (!compressed_)
            openCompressed();
        if (!fits(entry.offset, entry.length, compressed_->uncompressedLength))
            damaged("entry " + entry.name + " lies past the end of the compressed section");
    } else {
        damaged("entry " + entry.name + " lies in an unknown section");
    }
}

bool ChmArchive::read(const ChmEntry& entry, const Sink& sink)
{
    checkPlace(entry);
    if (entry.section == 1)
        return readCompressed(entry, sink);
    uint64_t at = contentOffset_ + entry.offset;
    uint64_t left = entry.length;
    std::vector<uint8_t> buffer(static_cast<size_t>(std::min<uint64_t>(left, 1 << 16)));
    while (left) {
        size_t n = static_cast<size_t>(std::min<uint64_t>(left, buffer.size()));
        source_->read(at, buffer.data(), n);
        if (!sink(buffer.data(), n))
            return false;
        at += n;
        left -= n;
    }
    return true;
}

std::vector<uint8_t> ChmArchive::readAll(const ChmEntry& entry, size_t maxSize)
{
    if (entry.length > maxSize)
        damaged("entry " + entry.name + " is implausibly large");
    std::vector<uint8_t> bytes;
    bytes.reserve(static_cast<size_t>(entry.length));
    read(entry, [&](const uint8_t* data, size_t n) {
        bytes.insert(bytes.end(), data, data + n);
        return true;
    });
    return bytes;
}

void ChmArchive::openCompressed()
{
    const ChmEntry* content = find(kContentName);
    const ChmEntry* control = find(kControlName);
    const ChmEntry* reset = find(kResetTableName);
    if (!content || !control || !reset)
        damaged("the compressed section's description is missing");
    if (content->section != 0 || control->section != 0 || reset->section != 0)
        damaged("the compressed section's description lies in a compressed section");

    auto c = std::make_unique<Compressed>();
    if (!fits(content->offset, content->length, source_->size() - contentOffset_))
        damaged("compressed data lies past the end of the file");
    c->start = contentOffset_ + content->offset;

    // Control data: LZXC, version, reset interval and window size (version 2
    // counts both in 32 KiB units, version 1 in bytes).
    std::vector<uint8_t> cd = readAll(*control, kMaxControlData);
    if (cd.size() < 0x18 || std::memcmp(cd.data() + 4, "LZXC", 4) != 0)
        damaged("bad LZX control data");
    uint32_t version = le32(cd.data() + 8);
    uint64_t resetInterval = le32(cd.data() + 0xC);
    uint64_t windowSize = le32(cd.data() + 0x10);
    if (version == 2) {
        resetInterval *= kFrame;
        windowSize *= kFrame;
    } else if (version != 1) {
        damaged("unsupported LZX control data version");
    }
    unsigned windowBits = 15;
    while (windowBits <= 21 && (uint64_t(1) << windowBits) != windowSize)
        ++windowBits;
    if (windowBits > 21)
        damaged("unsupported LZX window size");
    if (resetInterval == 0 || resetInterval % kFrame != 0)
        damaged("unsupported LZX reset interval");
    c->framesPerReset = resetInterval / kFrame;

    // Reset table: header, then the compressed offset of every frame.
    std::vector<uint8_t> rt = readAll(*reset, source_->size());
    if (rt.size() < 0x28)
        damaged("LZX reset table too short");
    uint32_t count = le32(rt.data() + 4);
    uint32_t entrySize = le32(rt.data() + 8);
    uint32_t headerSize = le32(rt.data() + 0xC);
    c->uncompressedLength = le64(rt.data() + 0x10);
    c->compressedLength = le64(rt.data() + 0x18);
    uint64_t blockLength = le64(rt.data() + 0x20);
    if (entrySize != 8 || blockLength != kFrame || headerSize < 0x28)
        damaged("unsupported LZX reset table");
    if (!fits(headerSize, uint64_t(count) * 8, rt.size()))
        damaged("LZX reset table runs past its entry");
    // Rounded up without overflow: a length near 2^64 must not wrap to a few
    // frames and let entries point at frames the table does not have.
    uint64_t frames = c->uncompressedLength / kFrame + (c->uncompressedLength % kFrame != 0);
    if (count < frames)
        damaged("LZX reset table is too short for the section");
    if (c->compressedLength > content->length)
        damaged("LZX data runs past its entry");
    if (c->uncompressedLength / kMaxLzxExpansion > c->compressedLength)
        damaged("LZX section declares more data than its compressed data can hold");
    c->resetTable.resize(static_cast<size_t>(frames));
    for (uint64_t i = 0; i < frames; ++i) {
        uint64_t at = le64(rt.data() + headerSize + i * 8);
        if (at > c->compressedLength)
            damaged("LZX reset table points past the compressed data");
        if (i > 0 && at < c->resetTable[i - 1])
            damaged("LZX reset table is out of order");
        c->resetTable[i] = at;
    }
    c->decoder = std::make_unique<LzxDecoder>(windowBits);
    compressed_ = std::move(c);
}

// The entry's place has been checked against the section.
bool ChmArchive::readCompressed(const ChmEntry& entry, const Sink& sink)
{
    if (entry.length == 0)
        return true;
    uint64_t first = entry.offset / kFrame;
    uint64_t last = (entry.offset + entry.length - 1) / kFrame;
    for (uint64_t f = first; f <= last; ++f) {
        size_t size = 0;
        const uint8_t* data = compressedFrame(f, size);
        size_t begin = f == first ? static_cast<size_t>(entry.offset % kFrame) : 0;
        size_t end = f == last ? static_cast<size_t>((entry.offset + entry.length - 1) % kFrame + 1) : size;
        if (!sink(data + begin, end - begin))
            return false;
    }
    return true;
}

const uint8_t* ChmArchive::compressedFrame(uint64_t frame, size_t& size)
{
    Compressed& c = *compressed_;
    if (frame == c.heldFrame) {
        size = c.heldSize;
        return c.held;
    }
    // Go on from where the decoder is when that lies in the same reset
    // interval before the frame; otherwise start at the frame's reset point.
    uint64_t resetPoint = frame - frame % c.framesPerReset;
    if (c.nextFrame > frame || c.nextFrame < resetPoint)
        c.nextFrame = resetPoint;
    try {
        while (c.nextFrame <= frame) {
            uint64_t f = c.nextFrame;
            if (f >= c.resetTable.size())
                damaged("LZX frame " + std::to_string(f) + " lies past the reset table");
            if (f % c.framesPerReset == 0)
                c.decoder->start(*source_, c.start + c.resetTable[f], c.start + c.compressedLength);
            size_t n = static_cast<size_t>(std::min<uint64_t>(kFrame, c.uncompressedLength - f * kFrame));
            c.held = c.decoder->decodeFrame(n);
            c.heldSize = n;
            c.heldFrame = f;
            c.nextFrame = f + 1;
        }
    } catch (...) {
        c.nextFrame = UINT64_MAX;
        c.heldFrame = UINT64_MAX;
        c.held = nullptr;
        throw;
    }
    size = c.heldSize;
    return c.held;
}

} // namespace chm
