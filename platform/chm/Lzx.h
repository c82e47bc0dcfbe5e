// Lzx.h - LZX decompression as used by the compressed section of a CHM.
//
//   chm::LzxDecoder - decodes an LZX stream frame by frame (32 KiB of output
//                     each) from a range of a ByteSource.
//
// The stream is a sequence of 16-bit little-endian words read from the most
// significant bit down. At a reset point every piece of state starts afresh
// (repeated offsets, tree lengths, the E8 header); the CHM's reset table says
// where in the compressed data each reset point begins. After each frame the
// bit stream is realigned to a 16-bit boundary.
//
// Every malformed input ends in a ChmError; work is bounded by the output
// asked for and by the input range, memory by the window size.
#pragma once

#include "ChmSource.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace chm {

class LzxDecoder {
public:
    static constexpr size_t kFrameSize = 0x8000;

    // windowBits: 15 (32 KiB) to 21 (2 MiB).
    explicit LzxDecoder(unsigned windowBits);
    ~LzxDecoder();
    LzxDecoder(const LzxDecoder&) = delete;
    LzxDecoder& operator=(const LzxDecoder&) = delete;

    unsigned windowBits() const { return windowBits_; }

    // Starts decoding at a reset point whose compressed data is the byte range
    // [begin, end) of source. The source must outlive the decoding.
    void start(ByteSource& source, uint64_t begin, uint64_t end);

    // Decodes the next frame of `size` bytes (1 to kFrameSize; only the last
    // frame of a stream is shorter). The bytes stay valid until the next call.
    const uint8_t* decodeFrame(size_t size);

private:
    class BitInput;
    struct Tree;

    void resetState();
    void readBlockHeader();
    void readLengths(Tree& tree, unsigned first, unsigned last);
    void decodeCompressed(size_t target);
    void copyUncompressed(size_t target);
    void translateE8(uint8_t* data, size_t size);

    unsigned windowBits_;
    size_t windowSize_;
    unsigned positionSlots_;
    unsigned mainElements_;

    std::unique_ptr<BitInput> in_;
    std::unique_ptr<Tree> pretree_, mainTree_, lengthTree_, alignedTree_;

    // History buffer: at least windowSize_ bytes before the write position are
    // kept; the buffer is slid back when the end comes near.
    std::vector<uint8_t> history_;
    size_t pos_ = 0;            // write position in history_
    size_t frameStart_ = 0;     // where the frame being decoded begins in history_
    uint64_t sinceReset_ = 0;   // bytes written since the reset point
    uint64_t framesSinceReset_ = 0;
    std::vector<uint8_t> e8Buffer_;

    uint32_t r0_ = 1, r1_ = 1, r2_ = 1;
    int blockType_ = 0;
    uint32_t blockLength_ = 0;
    uint32_t blockRemaining_ = 0;
    bool headerRead_ = false;
    bool intelStarted_ = false;
    int32_t intelFileSize_ = 0;
    bool started_ = false;
};

} // namespace chm
