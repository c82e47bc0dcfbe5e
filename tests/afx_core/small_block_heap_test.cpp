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
