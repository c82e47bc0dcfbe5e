// The program's operator new: blocks of every size class and beyond, from
// several threads at once, stay aligned, apart and intact; freed blocks are
// handed out again.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <memory>
#include <new>
#include <thread>
#include <vector>

#include "small_block_heap.h"

namespace {

struct Block {
    unsigned char* p;
    size_t size;
    unsigned char fill;
};

// Allocates blocks of sizes 0..limit (and a few large ones), fills each with
// its own byte, frees every other one, allocates again, then checks all.
void Churn(unsigned seed, std::vector<std::string>* faults) {
    std::vector<Block> blocks;
    auto add = [&](size_t size) {
        unsigned char* p = static_cast<unsigned char*>(::operator new(size));
        const unsigned char fill = static_cast<unsigned char>(seed * 31 + blocks.size());
        if (reinterpret_cast<uintptr_t>(p) % 16 != 0) faults->push_back("misaligned block");
        std::memset(p, fill, size);
        blocks.push_back({p, size, fill});
    };
    for (int round = 0; round < 3; ++round) {
        for (size_t size = 0; size <= 5000; size += 7) add(size);
        for (size_t size : {4097u, 8192u, 8193u, 16385u, 20481u, 65536u, 99999u, 1u << 20, (1u << 20) + 1})
            add(size);
        for (size_t i = round % 2; i < blocks.size(); i += 2) {
            ::operator delete(blocks[i].p);
            blocks[i].p = nullptr;
        }
        std::vector<Block> kept;
        for (const Block& b : blocks)
            if (b.p) kept.push_back(b);
        blocks.swap(kept);
    }
    for (const Block& b : blocks) {
        for (size_t i = 0; i < b.size; ++i)
            if (b.p[i] != b.fill) {
                faults->push_back("a block was overwritten");
                break;
            }
        ::operator delete(b.p);
    }
}

}  // namespace

TEST(SmallBlockHeap, BlocksOfAllSizesFromSeveralThreadsStayApart) {
    std::vector<std::vector<std::string>> faults(6);
    std::vector<std::thread> threads;
    for (unsigned t = 0; t < faults.size(); ++t) threads.emplace_back(Churn, t + 1, &faults[t]);
    for (std::thread& t : threads) t.join();
    for (const auto& f : faults) EXPECT_TRUE(f.empty()) << f.front();
}

TEST(SmallBlockHeap, FreedBlockIsReusedAndCounted) {
    const unsigned long long before = SmallBlockHeapAllocations();
    void* a = ::operator new(40);
    ::operator delete(a);
    void* b = ::operator new(40);  // the same class: the block just freed
    EXPECT_EQ(a, b);
    ::operator delete(b);
    int* arr = new (std::nothrow) int[3]();
    ASSERT_NE(arr, nullptr);
    EXPECT_EQ(arr[2], 0);
    delete[] arr;
    EXPECT_GE(SmallBlockHeapAllocations() - before, 3u);
    ::operator delete(nullptr);  // nothing to free
}

// Large blocks are kept when freed and handed out again for the same size
// class; past what is kept, their memory goes back and comes again intact
// in use. A block is whole to its last byte at every class boundary.
TEST(SmallBlockHeap, LargeBlocksAreReusedAndWholeAtClassEdges) {
    for (size_t size : {size_t(4097), size_t(12288), size_t(12289), size_t(16384), size_t(16385),
                        size_t(40960), size_t(40961), size_t(3) << 20, (size_t(3) << 20) + 1}) {
        unsigned char* a = static_cast<unsigned char*>(::operator new(size));
        a[0] = 1;
        a[size - 1] = 2;
        ::operator delete(a);
        unsigned char* b = static_cast<unsigned char*>(::operator new(size));
        EXPECT_EQ(a, b) << size;
        std::memset(b, 0x5A, size);
        ::operator delete(b);
    }
    // More freed at once than the heap keeps: every block still works when
    // taken again.
    std::vector<unsigned char*> blocks;
    const size_t size = size_t(48) << 20;
    for (int i = 0; i < 8; ++i) {
        blocks.push_back(static_cast<unsigned char*>(::operator new(size)));
        std::memset(blocks.back(), i + 1, size);
    }
    for (unsigned char* p : blocks) ::operator delete(p);
    for (int i = 0; i < 8; ++i) {
        blocks[i] = static_cast<unsigned char*>(::operator new(size));
        std::memset(blocks[i], 0x77, size);
        EXPECT_EQ(blocks[i][size - 1], 0x77);
    }
    for (unsigned char* p : blocks) ::operator delete(p);
}

TEST(SmallBlockHeap, ImpossibleSizeThrowsOrReturnsNull) {
    volatile size_t huge = ~size_t(0) - 64;  // (hidden from the compiler's size checks)
    EXPECT_THROW(::operator delete(::operator new(huge)), std::bad_alloc);
    EXPECT_EQ(::operator new(huge, std::nothrow), nullptr);
}
