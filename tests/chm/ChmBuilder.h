// ChmBuilder.h - writes small CHM files for the tests, including ones no
// compiler would write (hostile names, hand-made LZX streams).
//
//   LzxWriter  - an LZX bit stream: uncompressed blocks, and verbatim blocks
//                with fixed trees (every main element 10 bits long), enough
//                to place a literal or a match exactly where a test wants it
//   ChmBuilder - the ITSF/ITSP headers, listing chunks, section 0, and
//                section 1 either stored in uncompressed LZX blocks or given
//                as a ready stream with its reset table
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace chmtest {

inline void put16(std::vector<uint8_t>& v, uint32_t x)
{
    v.push_back(uint8_t(x));
    v.push_back(uint8_t(x >> 8));
}
inline void put32(std::vector<uint8_t>& v, uint32_t x)
{
    put16(v, x & 0xFFFF);
    put16(v, x >> 16);
}
inline void put64(std::vector<uint8_t>& v, uint64_t x)
{
    put32(v, uint32_t(x));
    put32(v, uint32_t(x >> 32));
}
inline void putEncInt(std::vector<uint8_t>& v, uint64_t x)
{
    uint8_t tmp[10];
    int n = 0;
    do {
        tmp[n++] = uint8_t(x & 0x7F);
        x >>= 7;
    } while (x);
    while (n--)
        v.push_back(uint8_t(tmp[n] | (n ? 0x80 : 0)));
}
inline void set32(std::vector<uint8_t>& v, size_t at, uint32_t x)
{
    for (int i = 0; i < 4; ++i)
        v[at + i] = uint8_t(x >> (8 * i));
}
inline void set64(std::vector<uint8_t>& v, size_t at, uint64_t x)
{
    set32(v, at, uint32_t(x));
    set32(v, at + 4, uint32_t(x >> 32));
}
inline uint32_t get32(const std::vector<uint8_t>& v, size_t at)
{
    return uint32_t(v[at]) | uint32_t(v[at + 1]) << 8 | uint32_t(v[at + 2]) << 16 |
           uint32_t(v[at + 3]) << 24;
}
inline uint64_t get64(const std::vector<uint8_t>& v, size_t at)
{
    return get32(v, at) | uint64_t(get32(v, at + 4)) << 32;
}

class LzxWriter {
public:
    // Bits go into 16-bit little-endian words, most significant bit first.
    void bits(uint32_t value, int n)
    {
        for (int i = n - 1; i >= 0; --i) {
            word_ = uint16_t((word_ << 1) | ((value >> i) & 1));
            if (++used_ == 16)
                flushWord();
        }
    }
    // Pads to the next 16-bit boundary (the end of every 32 KiB frame).
    void alignFrame()
    {
        if (used_)
            bits(0, 16 - used_);
    }
    // The header at the start of each reset interval: E8 translation off, or
    // on with the given translation size.
    void streamHeader(uint32_t e8FileSize = 0)
    {
        bits(e8FileSize ? 1 : 0, 1);
        if (e8FileSize) {
            bits(e8FileSize >> 16, 16);
            bits(e8FileSize & 0xFFFF, 16);
        }
    }

    // An uncompressed block: header, 1-16 bits of padding, R0-R2, the bytes,
    // and a padding byte after an odd length.
    void uncompressed(const uint8_t* data, size_t n)
    {
        bits(3, 3);
        bits(uint32_t(n), 24);
        bits(0, used_ ? 16 - used_ : 16);
        put32(out_, 1);
        put32(out_, 1);
        put32(out_, 1);
        out_.insert(out_.end(), data, data + n);
        if (n & 1)
            out_.push_back(0);
    }

    // A verbatim block whose main tree gives every element 10 bits (the code
    // of element k is k) and whose length tree is empty: matches of 2 to 8
    // bytes only. The trees are sent as deltas from all-zero lengths, so this
    // is right for the first block after a reset.
    void verbatimHeader(uint32_t length)
    {
        bits(1, 3);
        bits(length, 24);
        treeLengths(256, 7);            // 0 - 7 = 10 (mod 17)
        treeLengths(8 * mainSlots_, 7);
        treeLengths(249, 0);            // stays 0
    }
    void literal(uint8_t b) { bits(b, 10); }
    // A match with position slot 3 or more: formatted offset = base + extra.
    void match(unsigned lengthMinus2, unsigned slot, uint32_t extra, int extraBits)
    {
        bits(256 + slot * 8 + lengthMinus2, 10);
        if (extraBits)
            bits(extra, extraBits);
    }
    // Position slots of the window (the builder's default is 64 KiB): two per
    // bit up to 19 bits, 42 for 1 MiB, 50 for 2 MiB.
    void setWindowBits(unsigned windowBits)
    {
        mainSlots_ = windowBits == 21 ? 50 : windowBits == 20 ? 42 : windowBits * 2;
    }

    size_t size() const { return out_.size(); }
    std::vector<uint8_t> finish()
    {
        alignFrame();
        return out_;
    }

private:
    void flushWord()
    {
        put16(out_, word_);
        word_ = 0;
        used_ = 0;
    }
    // Pretree giving symbols 0 and `symbol` a 1-bit code (0 and 1), then
    // `count` copies of the 1 code (or of the 0 code when symbol is 0).
    void treeLengths(unsigned count, unsigned symbol)
    {
        for (unsigned i = 0; i < 20; ++i)
            bits((i == 0 || i == symbol) ? 1 : 0, 4);
        for (unsigned i = 0; i < count; ++i)
            bits(symbol ? 1 : 0, 1);
    }

    std::vector<uint8_t> out_;
    uint16_t word_ = 0;
    int used_ = 0;
    unsigned mainSlots_ = 32;
};

class ChmBuilder {
public:
    static constexpr uint32_t kFrame = 0x8000;

    // A file in section 0 (stored).
    void add(const std::string& name, const std::string& bytes) { add(name, toBytes(bytes)); }
    void add(const std::string& name, const std::vector<uint8_t>& bytes)
    {
        entries_.push_back({name, 0, 0, bytes});
    }
    // A file in section 1 (LZX).
    void addCompressed(const std::string& name, const std::string& bytes)
    {
        addCompressed(name, toBytes(bytes));
    }
    void addCompressed(const std::string& name, const std::vector<uint8_t>& bytes)
    {
        entries_.push_back({name, 1, section1_.size(), {}});
        entries_.back().length = bytes.size();
        section1_.insert(section1_.end(), bytes.begin(), bytes.end());
    }
    // An entry with a given place and length and no data of its own.
    void addRaw(const std::string& name, uint64_t section, uint64_t offset, uint64_t length)
    {
        Entry e{name, section, offset, {}};
        e.length = length;
        e.raw = true;
        entries_.push_back(e);
    }

    // Replaces the automatic LZX stream (uncompressed blocks) by a given one.
    void setLzxStream(std::vector<uint8_t> stream, std::vector<uint64_t> resetTable,
                      uint64_t uncompressedLength)
    {
        customStream_ = true;
        stream_ = std::move(stream);
        resetTable_ = std::move(resetTable);
        uncompressedLength_ = uncompressedLength;
    }
    // Control data values in 32 KiB units.
    void setLzxParameters(uint32_t resetIntervalUnits, uint32_t windowUnits)
    {
        resetUnits_ = resetIntervalUnits;
        windowUnits_ = windowUnits;
    }
    void setEntriesPerChunk(size_t n) { entriesPerChunk_ = n; }

    // Offsets of the structures in the last built file, for tests that damage them.
    struct Layout {
        uint64_t directory = 0, chunks = 0, content = 0;
        uint64_t controlData = 0, resetTable = 0, lzx = 0;
    };
    Layout layout;

    std::vector<uint8_t> build()
    {
        std::vector<uint8_t> content;   // section 0
        std::vector<Entry> all = entries_;
        for (Entry& e : all) {
            if (e.section == 0 && !e.raw) {
                e.offset = content.size();
                e.length = e.data.size();
                content.insert(content.end(), e.data.begin(), e.data.end());
            }
        }
        bool compressed = !section1_.empty() || customStream_;
        uint64_t controlAt = 0, resetAt = 0, lzxAt = 0;
        if (compressed) {
            if (!customStream_)
                storeSection1();
            std::vector<uint8_t> names;
            put16(names, 0);
            all.push_back({"::DataSpace/NameList", 0, content.size(), {}});
            all.back().length = 0;
            std::vector<uint8_t> cd;
            put32(cd, 6);
            cd.insert(cd.end(), {'L', 'Z', 'X', 'C'});
            put32(cd, 2);
            put32(cd, resetUnits_);
            put32(cd, windowUnits_);
            put32(cd, 1);
            put32(cd, 0);
            controlAt = content.size();
            all.push_back({"::DataSpace/Storage/MSCompressed/ControlData", 0, controlAt, {}});
            all.back().length = cd.size();
            content.insert(content.end(), cd.begin(), cd.end());

            std::vector<uint8_t> rt;
            put32(rt, 2);
            put32(rt, uint32_t(resetTable_.size()));
            put32(rt, 8);
            put32(rt, 0x28);
            put64(rt, uncompressedLength_);
            put64(rt, stream_.size());
            put64(rt, kFrame);
            for (uint64_t o : resetTable_)
                put64(rt, o);
            resetAt = content.size();
            all.push_back({"::DataSpace/Storage/MSCompressed/Transform/"
                           "{7FC28940-9D31-11D0-9B27-00A0C91E9C7C}/InstanceData/ResetTable",
                           0, resetAt, {}});
            all.back().length = rt.size();
            content.insert(content.end(), rt.begin(), rt.end());

            lzxAt = content.size();
            all.push_back({"::DataSpace/Storage/MSCompressed/Content", 0, lzxAt, {}});
            all.back().length = stream_.size();
            content.insert(content.end(), stream_.begin(), stream_.end());
        }

        // Listing chunks of 4 KiB.
        const uint32_t chunkSize = 0x1000;
        std::vector<std::vector<uint8_t>> chunks;
        size_t i = 0;
        while (i < all.size() || chunks.empty()) {
            std::vector<uint8_t> body;
            size_t inChunk = 0;
            while (i < all.size() && inChunk < entriesPerChunk_) {
                std::vector<uint8_t> rec;
                putEncInt(rec, all[i].name.size());
                rec.insert(rec.end(), all[i].name.begin(), all[i].name.end());
                putEncInt(rec, all[i].section);
                putEncInt(rec, all[i].offset);
                putEncInt(rec, all[i].length);
                if (0x14 + body.size() + rec.size() + 2 > chunkSize)
                    break;
                body.insert(body.end(), rec.begin(), rec.end());
                ++i;
                ++inChunk;
            }
            std::vector<uint8_t> c;
            c.insert(c.end(), {'P', 'M', 'G', 'L'});
            put32(c, uint32_t(chunkSize - 0x14 - body.size()));
            put32(c, 0);
            put32(c, 0);   // previous and next are patched below
            put32(c, 0);
            c.insert(c.end(), body.begin(), body.end());
            c.resize(chunkSize, 0);
            c[chunkSize - 2] = uint8_t(inChunk);
            c[chunkSize - 1] = uint8_t(inChunk >> 8);
            chunks.push_back(std::move(c));
        }
        for (size_t k = 0; k < chunks.size(); ++k) {
            set32(chunks[k], 0x0C, k == 0 ? 0xFFFFFFFFu : uint32_t(k - 1));
            set32(chunks[k], 0x10, k + 1 == chunks.size() ? 0xFFFFFFFFu : uint32_t(k + 1));
        }

        std::vector<uint8_t> f;
        f.insert(f.end(), {'I', 'T', 'S', 'F'});
        put32(f, 3);
        put32(f, 0x60);
        put32(f, 1);
        put32(f, 0);
        put32(f, 0x409);
        static const uint8_t guid1[16] = {0x10, 0xFD, 0x01, 0x7C, 0xAA, 0x7B, 0xD0, 0x11,
                                          0x9E, 0x0C, 0x00, 0xA0, 0xC9, 0x22, 0xE6, 0xEC};
        static const uint8_t guid2[16] = {0x11, 0xFD, 0x01, 0x7C, 0xAA, 0x7B, 0xD0, 0x11,
                                          0x9E, 0x0C, 0x00, 0xA0, 0xC9, 0x22, 0xE6, 0xEC};
        f.insert(f.end(), guid1, guid1 + 16);
        f.insert(f.end(), guid2, guid2 + 16);
        const uint64_t dirLength = 0x54 + uint64_t(chunks.size()) * chunkSize;
        put64(f, 0x60);
        put64(f, 0x18);
        put64(f, 0x78);
        put64(f, dirLength);
        put64(f, 0x78 + dirLength);
        // Header section 0: the file size.
        put32(f, 0x1FE);
        put32(f, 0);
        put64(f, 0);   // patched below
        put32(f, 0);
        put32(f, 0);
        // Directory header.
        layout.directory = f.size();
        f.insert(f.end(), {'I', 'T', 'S', 'P'});
        put32(f, 1);
        put32(f, 0x54);
        put32(f, 0x0A);
        put32(f, chunkSize);
        put32(f, 2);
        put32(f, 1);
        put32(f, 0xFFFFFFFFu);
        put32(f, 0);
        put32(f, uint32_t(chunks.size() - 1));
        put32(f, 0xFFFFFFFFu);
        put32(f, uint32_t(chunks.size()));
        put32(f, 0x409);
        static const uint8_t guid3[16] = {0x6A, 0x92, 0x02, 0x5D, 0x2E, 0x21, 0xD0, 0x11,
                                          0x9D, 0xF9, 0x00, 0xA0, 0xC9, 0x22, 0xE6, 0xEC};
        f.insert(f.end(), guid3, guid3 + 16);
        put32(f, 0x54);
        put32(f, 0xFFFFFFFFu);
        put32(f, 0xFFFFFFFFu);
        put32(f, 0xFFFFFFFFu);
        layout.chunks = f.size();
        for (auto& c : chunks)
            f.insert(f.end(), c.begin(), c.end());
        layout.content = f.size();
        layout.controlData = layout.content + controlAt;
        layout.resetTable = layout.content + resetAt;
        layout.lzx = layout.content + lzxAt;
        f.insert(f.end(), content.begin(), content.end());
        set64(f, 0x68, f.size());
        return f;
    }

    static std::vector<uint8_t> toBytes(const std::string& s) { return {s.begin(), s.end()}; }

private:
    struct Entry {
        std::string name;
        uint64_t section;
        uint64_t offset;
        std::vector<uint8_t> data;
        uint64_t length = 0;
        bool raw = false;
    };

    // Section 1 as uncompressed LZX blocks, one frame at a time; the first
    // frame is split after an odd number of bytes so that the padding byte
    // and the realignment between blocks are exercised.
    void storeSection1()
    {
        LzxWriter w;
        resetTable_.clear();
        const uint64_t total = section1_.size();
        const uint64_t framesPerReset = resetUnits_;
        for (uint64_t at = 0, frame = 0; at < total; at += kFrame, ++frame) {
            resetTable_.push_back(w.size());
            if (frame % framesPerReset == 0)
                w.streamHeader();
            size_t n = size_t(std::min<uint64_t>(kFrame, total - at));
            if (frame == 0 && n > 101) {
                w.uncompressed(section1_.data() + at, 101);
                w.uncompressed(section1_.data() + at + 101, n - 101);
            } else {
                w.uncompressed(section1_.data() + at, n);
            }
            w.alignFrame();
        }
        resetTable_.push_back(w.size());
        stream_ = w.finish();
        uncompressedLength_ = total;
    }

    std::vector<Entry> entries_;
    std::vector<uint8_t> section1_;
    bool customStream_ = false;
    std::vector<uint8_t> stream_;
    std::vector<uint64_t> resetTable_;
    uint64_t uncompressedLength_ = 0;
    uint32_t resetUnits_ = 2, windowUnits_ = 2;
    size_t entriesPerChunk_ = 1000;
};

} // namespace chmtest
