#include "Lzx.h"

#include <algorithm>
#include <cstring>

namespace chm {

namespace {

constexpr unsigned kLiterals = 256;
constexpr unsigned kLengthElements = 249;
constexpr unsigned kAlignedElements = 8;
constexpr unsigned kPretreeElements = 20;
constexpr unsigned kMaxCodeLength = 16;
constexpr unsigned kMinMatch = 2;
constexpr unsigned kMaxMatch = 7 + kLengthElements - 1 + kMinMatch;   // 257
constexpr unsigned kMaxSlots = 50;
constexpr unsigned kMaxPaddingWords = 8;   // zero words fed past the end before giving up

enum BlockType { kVerbatim = 1, kAligned = 2, kUncompressed = 3 };

[[noreturn]] void damaged(const char* what)
{
    throw ChmError(std::string("LZX data damaged (") + what + ")");
}

// Extra bits and base of each position slot: slots 0-3 carry no extra bits,
// then two slots per extra-bit count, capped at 17.
struct SlotTables {
    uint8_t extra[kMaxSlots];
    uint32_t base[kMaxSlots];
    SlotTables()
    {
        uint32_t base_ = 0;
        for (unsigned i = 0; i < kMaxSlots; ++i) {
            extra[i] = static_cast<uint8_t>(i < 4 ? 0 : std::min(17u, (i - 2) / 2));
            base[i] = base_;
            base_ += 1u << extra[i];
        }
    }
};

const SlotTables& slots()
{
    static const SlotTables tables;
    return tables;
}

} // namespace

// --- Bit input ---------------------------------------------------------------

class LzxDecoder::BitInput {
public:
    void start(ByteSource& source, uint64_t begin, uint64_t end)
    {
        source_ = &source;
        at_ = begin;
        end_ = end;
        bufferStart_ = 0;
        bufferLength_ = 0;
        bits_ = 0;
        count_ = 0;
        padding_ = 0;
    }

    // Makes at least n (<= 32) bits available.
    void ensure(int n)
    {
        while (count_ < n) {
            bits_ |= static_cast<uint64_t>(nextWord()) << (48 - count_);
            count_ += 16;
        }
    }
    uint32_t peek(int n) const { return static_cast<uint32_t>(bits_ >> (64 - n)); }
    void skip(int n)
    {
        bits_ <<= n;
        count_ -= n;
    }
    uint32_t read(int n)
    {
        if (n == 0)
            return 0;
        ensure(n);
        uint32_t v = peek(n);
        skip(n);
        return v;
    }

    // End of a frame: drop the bits up to the next 16-bit boundary.
    void alignFrame() { skip(count_ & 15); }

    // Start of an uncompressed block: 1 to 16 bits of padding, then bytes.
    void enterBytes()
    {
        int drop = count_ & 15;
        if (drop == 0) {
            ensure(16);
            drop = 16;
        }
        skip(drop);
        // Give back the whole words fetched ahead.
        at_ -= static_cast<uint64_t>(count_ / 8);
        bits_ = 0;
        count_ = 0;
        if (at_ > end_)
            damaged("compressed data ends early");
    }

    void readBytes(uint8_t* out, size_t n)
    {
        if (at_ > end_ || n > end_ - at_)
            damaged("compressed data ends early");
        while (n) {
            if (at_ < bufferStart_ || at_ >= bufferStart_ + bufferLength_)
                fill(at_);
            size_t take = std::min<uint64_t>(n, bufferStart_ + bufferLength_ - at_);
            std::memcpy(out, &buffer_[at_ - bufferStart_], take);
            out += take;
            at_ += take;
            n -= take;
        }
    }

    void skipByte()
    {
        if (at_ >= end_)
            damaged("compressed data ends early");
        ++at_;
    }

    // Throws when more bits were taken than the range holds.
    void checkOverrun() const
    {
        if (at_ > end_ && (at_ - end_) * 8 > static_cast<uint64_t>(count_))
            damaged("compressed data ends early");
    }

private:
    uint16_t nextWord()
    {
        if (at_ + 2 <= end_) {
            if (at_ < bufferStart_ || at_ + 2 > bufferStart_ + bufferLength_)
                fill(at_);
            const uint8_t* p = &buffer_[at_ - bufferStart_];
            at_ += 2;
            return static_cast<uint16_t>(p[0] | (p[1] << 8));
        }
        // Past the end: zeros, so that look-ahead near the end works; taking
        // them is caught by checkOverrun, running on forever by this limit.
        if (++padding_ > kMaxPaddingWords)
            damaged("compressed data ends early");
        uint16_t w = 0;
        if (at_ < end_) {
            uint8_t last = 0;
            source_->read(at_, &last, 1);
            w = last;
        }
        at_ += 2;
        return w;
    }

    void fill(uint64_t at)
    {
        bufferStart_ = at;
        bufferLength_ = static_cast<size_t>(std::min<uint64_t>(sizeof buffer_, end_ - at));
        source_->read(at, buffer_, bufferLength_);
    }

    ByteSource* source_ = nullptr;
    uint64_t at_ = 0, end_ = 0;   // next byte to fetch; end of the range
    uint64_t bufferStart_ = 0;
    size_t bufferLength_ = 0;
    uint64_t bits_ = 0;           // left-aligned
    int count_ = 0;
    unsigned padding_ = 0;
    uint8_t buffer_[1 << 16];
};

// --- Canonical Huffman trees ---------------------------------------------------

struct LzxDecoder::Tree {
    Tree(unsigned elements, unsigned fastBits)
        : elements(elements), fastBits(fastBits), lengths(elements, 0),
          fast(size_t(1) << fastBits, 0), sorted(elements, 0) {}

    // Builds the decoding tables from `lengths`. An incomplete code is
    // accepted (its unused codes fail when met), an over-subscribed one not.
    void build()
    {
        std::fill(std::begin(count), std::end(count), 0);
        for (unsigned s = 0; s < elements; ++s)
            ++count[lengths[s]];
        count[0] = 0;
        int left = 1;
        for (unsigned len = 1; len <= kMaxCodeLength; ++len) {
            left = (left << 1) - count[len];
            if (left < 0)
                damaged("over-subscribed Huffman code");
        }
        uint16_t offset[kMaxCodeLength + 2] = {};
        for (unsigned len = 1; len <= kMaxCodeLength; ++len)
            offset[len + 1] = static_cast<uint16_t>(offset[len] + count[len]);
        for (unsigned s = 0; s < elements; ++s)
            if (lengths[s])
                sorted[offset[lengths[s]]++] = static_cast<uint16_t>(s);

        std::fill(fast.begin(), fast.end(), 0);
        uint32_t code = 0;
        unsigned index = 0;
        for (unsigned len = 1; len <= fastBits; ++len) {
            for (unsigned i = 0; i < count[len]; ++i, ++code, ++index) {
                uint32_t first = code << (fastBits - len);
                uint32_t last = (code + 1) << (fastBits - len);
                uint16_t entry = static_cast<uint16_t>((sorted[index] << 5) | len);
                std::fill(fast.begin() + first, fast.begin() + last, entry);
            }
            code <<= 1;
        }
    }

    unsigned decode(BitInput& in) const
    {
        in.ensure(16);
        uint32_t peek = in.peek(16);
        uint16_t entry = fast[peek >> (16 - fastBits)];
        if (entry) {
            in.skip(entry & 31);
            return entry >> 5;
        }
        // Longer codes: walk the canonical code one bit at a time.
        int code = 0, first = 0, index = 0;
        for (unsigned len = 1; len <= kMaxCodeLength; ++len) {
            code |= (peek >> (16 - len)) & 1;
            int n = count[len];
            if (code - first < n) {
                in.skip(static_cast<int>(len));
                return sorted[index + code - first];
            }
            index += n;
            first = (first + n) << 1;
            code <<= 1;
        }
        damaged("invalid Huffman code");
    }

    unsigned elements;
    unsigned fastBits;
    std::vector<uint8_t> lengths;   // kept between blocks: new lengths are deltas
    std::vector<uint16_t> fast;     // (symbol << 5) | length, 0 for longer codes
    std::vector<uint16_t> sorted;   // symbols in canonical order
    uint16_t count[kMaxCodeLength + 1] = {};
};

// --- Decoder -------------------------------------------------------------------

LzxDecoder::LzxDecoder(unsigned windowBits)
    : windowBits_(windowBits)
{
    if (windowBits < 15 || windowBits > 21)
        throw ChmError("unsupported LZX window size");
    windowSize_ = size_t(1) << windowBits;
    positionSlots_ = windowBits == 21 ? 50 : windowBits == 20 ? 42 : windowBits * 2;
    mainElements_ = kLiterals + positionSlots_ * 8;
    in_ = std::make_unique<BitInput>();
    pretree_ = std::make_unique<Tree>(kPretreeElements, 8);
    mainTree_ = std::make_unique<Tree>(mainElements_, 11);
    lengthTree_ = std::make_unique<Tree>(kLengthElements, 10);
    alignedTree_ = std::make_unique<Tree>(kAlignedElements, 7);
    history_.resize(2 * windowSize_ + kFrameSize + 1024);
}

LzxDecoder::~LzxDecoder() = default;

void LzxDecoder::start(ByteSource& source, uint64_t begin, uint64_t end)
{
    if (begin > end || end > source.size())
        throw ChmError("LZX data lies past the end of the file");
    in_->start(source, begin, end);
    resetState();
    pos_ = 0;
    frameStart_ = 0;
    started_ = true;
}

void LzxDecoder::resetState()
{
    r0_ = r1_ = r2_ = 1;
    std::fill(mainTree_->lengths.begin(), mainTree_->lengths.end(), 0);
    std::fill(lengthTree_->lengths.begin(), lengthTree_->lengths.end(), 0);
    blockType_ = 0;
    blockLength_ = 0;
    blockRemaining_ = 0;
    headerRead_ = false;
    intelStarted_ = false;
    intelFileSize_ = 0;
    sinceReset_ = 0;
    framesSinceReset_ = 0;
}

const uint8_t* LzxDecoder::decodeFrame(size_t size)
{
    if (!started_)
        throw ChmError("LZX decoder used before start");
    if (size == 0 || size > kFrameSize)
        throw ChmError("bad LZX frame size");

    // Slide the history back when the frame might not fit behind it.
    if (pos_ + kFrameSize + kMaxMatch > history_.size()) {
        size_t shift = frameStart_ > windowSize_ ? frameStart_ - windowSize_ : 0;
        std::memmove(history_.data(), history_.data() + shift, pos_ - shift);
        pos_ -= shift;
        frameStart_ -= shift;
    }

    if (!headerRead_) {
        headerRead_ = true;
        if (in_->read(1)) {
            uint32_t high = in_->read(16);
            uint32_t low = in_->read(16);
            intelFileSize_ = static_cast<int32_t>((high << 16) | low);
        }
    }

    size_t target = frameStart_ + size;
    while (pos_ < target) {
        if (blockRemaining_ == 0)
            readBlockHeader();
        if (blockType_ == kUncompressed)
            copyUncompressed(target);
        else
            decodeCompressed(target);
    }
    in_->alignFrame();
    in_->checkOverrun();

    uint8_t* out = &history_[frameStart_];
    frameStart_ = target;
    if (intelStarted_ && intelFileSize_ != 0 && framesSinceReset_ < 32768 && size > 10) {
        e8Buffer_.assign(out, out + size);
        out = e8Buffer_.data();
        translateE8(out, size);
    }
    ++framesSinceReset_;
    return out;
}

void LzxDecoder::readBlockHeader()
{
    if (blockType_ == kUncompressed && (blockLength_ & 1))
        in_->skipByte();   // an odd uncompressed block is padded to a word

    blockType_ = static_cast<int>(in_->read(3));
    blockLength_ = in_->read(24);
    blockRemaining_ = blockLength_;

    switch (blockType_) {
    case kAligned:
        for (unsigned i = 0; i < kAlignedElements; ++i)
            alignedTree_->lengths[i] = static_cast<uint8_t>(in_->read(3));
        alignedTree_->build();
        [[fallthrough]];
    case kVerbatim:
        readLengths(*mainTree_, 0, kLiterals);
        readLengths(*mainTree_, kLiterals, mainElements_);
        mainTree_->build();
        if (mainTree_->lengths[0xE8])
            intelStarted_ = true;
        readLengths(*lengthTree_, 0, kLengthElements);
        lengthTree_->build();
        break;
    case kUncompressed: {
        intelStarted_ = true;
        in_->enterBytes();
        uint8_t r[12];
        in_->readBytes(r, sizeof r);
        auto le32 = [](const uint8_t* p) {
            return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
        };
        r0_ = le32(r);
        r1_ = le32(r + 4);
        r2_ = le32(r + 8);
        break;
    }
    default:
        damaged("unknown block type");
    }
}

void LzxDecoder::readLengths(Tree& tree, unsigned first, unsigned last)
{
    for (unsigned i = 0; i < kPretreeElements; ++i)
        pretree_->lengths[i] = static_cast<uint8_t>(in_->read(4));
    pretree_->build();

    uint8_t* len = tree.lengths.data();
    for (unsigned x = first; x < last;) {
        unsigned z = pretree_->decode(*in_);
        unsigned run;
        uint8_t value;
        if (z == 17) {
            run = in_->read(4) + 4;
            value = 0;
        } else if (z == 18) {
            run = in_->read(5) + 20;
            value = 0;
        } else if (z == 19) {
            run = in_->read(1) + 4;
            z = pretree_->decode(*in_);
            if (z > 16)
                damaged("bad tree length code");
            value = static_cast<uint8_t>((len[x] + 17 - z) % 17);
        } else {
            len[x] = static_cast<uint8_t>((len[x] + 17 - z) % 17);
            ++x;
            continue;
        }
        if (run > last - x)
            damaged("tree lengths run past the end of the tree");
        std::memset(len + x, value, run);
        x += run;
    }
}

void LzxDecoder::decodeCompressed(size_t target)
{
    const SlotTables& tables = slots();
    const bool aligned = blockType_ == kAligned;
    uint8_t* h = history_.data();
    while (pos_ < target && blockRemaining_ > 0) {
        unsigned symbol = mainTree_->decode(*in_);
        if (symbol < kLiterals) {
            h[pos_++] = static_cast<uint8_t>(symbol);
            ++sinceReset_;
            --blockRemaining_;
            continue;
        }
        symbol -= kLiterals;
        unsigned length = symbol & 7;
        unsigned slot = symbol >> 3;
        if (length == 7)
            length += lengthTree_->decode(*in_);
        length += kMinMatch;

        uint32_t offset;
        if (slot == 0) {
            offset = r0_;
        } else if (slot == 1) {
            offset = r1_;
            r1_ = r0_;
            r0_ = offset;
        } else if (slot == 2) {
            offset = r2_;
            r2_ = r0_;
            r0_ = offset;
        } else {
            unsigned extra = tables.extra[slot];
            offset = tables.base[slot] - 2;
            if (aligned && extra >= 3) {
                offset += in_->read(static_cast<int>(extra - 3)) << 3;
                offset += alignedTree_->decode(*in_);
            } else {
                offset += in_->read(static_cast<int>(extra));
            }
            r2_ = r1_;
            r1_ = r0_;
            r0_ = offset;
        }

        if (length > blockRemaining_)
            damaged("match runs past the end of its block");
        if (offset == 0 || offset > sinceReset_ || offset > windowSize_)
            damaged("match reaches outside the window");
        uint8_t* dst = h + pos_;
        const uint8_t* src = dst - offset;
        if (offset >= length) {
            std::memcpy(dst, src, length);
        } else {
            for (unsigned i = 0; i < length; ++i)
                dst[i] = src[i];
        }
        pos_ += length;
        sinceReset_ += length;
        blockRemaining_ -= length;
    }
}

void LzxDecoder::copyUncompressed(size_t target)
{
    size_t n = std::min<size_t>(blockRemaining_, target - pos_);
    in_->readBytes(history_.data() + pos_, n);
    pos_ += n;
    sinceReset_ += n;
    blockRemaining_ -= static_cast<uint32_t>(n);
}

// Undoes the x86 call translation: the 32-bit operand after each E8 byte was
// turned from relative into absolute by the compressor.
void LzxDecoder::translateE8(uint8_t* data, size_t size)
{
    const int64_t fileSize = intelFileSize_;
    int64_t frameOffset = static_cast<int64_t>(framesSinceReset_ * kFrameSize);
    for (size_t i = 0; i + 10 < size;) {
        if (data[i] != 0xE8) {
            ++i;
            continue;
        }
        uint8_t* p = data + i + 1;
        int64_t absolute = static_cast<int32_t>(uint32_t(p[0]) | uint32_t(p[1]) << 8 |
                                                uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24);
        int64_t current = frameOffset + static_cast<int64_t>(i);
        if (absolute >= -current && absolute < fileSize) {
            int64_t relative = absolute >= 0 ? absolute - current : absolute + fileSize;
            uint32_t v = static_cast<uint32_t>(relative);
            p[0] = static_cast<uint8_t>(v);
            p[1] = static_cast<uint8_t>(v >> 8);
            p[2] = static_cast<uint8_t>(v >> 16);
            p[3] = static_cast<uint8_t>(v >> 24);
        }
        i += 5;
    }
}

} // namespace chm
