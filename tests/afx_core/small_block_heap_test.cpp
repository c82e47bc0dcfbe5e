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
        // (every size of the heap's classes, so that each class edge is met)
        for (size_t size = 0; size <= 5000; size += size < 4200 ? 1 : 7) add(size);
        for (size_t size : {65536u, 1u << 20}) add(size);
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

TEST(SmallBlockHeap, ImpossibleSizeThrowsOrReturnsNull) {
    volatile size_t huge = ~size_t(0) - 64;  // (hidden from the compiler's size checks)
    EXPECT_THROW(::operator delete(::operator new(huge)), std::bad_alloc);
    EXPECT_EQ(::operator new(huge, std::nothrow), nullptr);
}

// Blocks of 16 KB and more have pages of their own, in sizes of two steps
// to each doubling; some freed ones are kept for the next request of their
// size, the rest go back to the system. Sizes either side of each step
// stay apart and intact, whether their pages were kept or fresh.
TEST(SmallBlockHeap, BlocksOfTheirOwnPagesStayIntactAcrossReuse) {
    std::vector<size_t> sizes;
    for (size_t step : {size_t(16) << 10, size_t(24) << 10, size_t(64) << 10, size_t(96) << 10,
                        size_t(128) << 10, size_t(192) << 10,
                        size_t(3) << 20, size_t(4) << 20, size_t(6) << 20})
        for (size_t size : {step - 64, step - 32, step - 1, step, step + 1})
            sizes.push_back(size);
    std::vector<std::string> faults;
    for (int round = 0; round < 3; ++round) {
        std::vector<Block> blocks;
        for (size_t i = 0; i < sizes.size(); ++i) {
            unsigned char* p = static_cast<unsigned char*>(::operator new(sizes[i]));
            if (reinterpret_cast<uintptr_t>(p) % 16 != 0) faults.push_back("misaligned block");
            const unsigned char fill = static_cast<unsigned char>(round * 64 + i);
            std::memset(p, fill, sizes[i]);
            blocks.push_back({p, sizes[i], fill});
        }
        for (const Block& b : blocks) {
            if (b.p[0] != b.fill || b.p[b.size / 2] != b.fill || b.p[b.size - 1] != b.fill)
                faults.push_back("a block was overwritten");
            ::operator delete(b.p);
        }
    }
    EXPECT_TRUE(faults.empty()) << faults.front();

    void* a = ::operator new(100000);
    ::operator delete(a);
    void* b = ::operator new(99000);  // the same pages, kept
    EXPECT_EQ(a, b);
    ::operator delete(b);
}
