// small_block_heap.cpp - the program's operator new and delete.
//
// A conversion makes millions of small blocks (DOM nodes and their strings,
// computed styles, boxes, text runs) and frees most of them page by page.
// The system heap takes a lock and searches its free lists for every one of
// them; here a block of up to kMaxSmall bytes comes from a list per size
// class (16-byte steps) instead, carved from 64 KB runs of one reserved
// address range. A freed block goes back to its class's list, so the next
// page reuses the memory of the last one and the process's size follows its
// largest page, as with the system heap. Larger blocks, and every block once
// the range is used up or could not be reserved, go to malloc; delete tells
// the two apart by the address.
#include "small_block_heap.h"

#include <windows.h>

#include <atomic>
#include <cstdint>
#include <cstdlib>
#include <new>

namespace {

constexpr size_t kGrain = 16;  // the alignment operator new owes its callers
constexpr size_t kMaxSmall = 4096;
constexpr size_t kClasses = kMaxSmall / kGrain;
constexpr size_t kRunBytes = 64 * 1024;
constexpr size_t kRangeBytes = size_t(4) << 30;  // reserved, committed a run at a time
constexpr size_t kRuns = kRangeBytes / kRunBytes;

struct FreeBlock {
  FreeBlock* next;
};

// Zero-initialised before any constructor runs: usable from the first
// allocation of the process on.
struct Heap {
  std::atomic_flag busy = ATOMIC_FLAG_INIT;
  std::atomic<char*> base{nullptr};
  bool reserveTried = false;
  size_t runsUsed = 0;
  FreeBlock* freeList[kClasses] = {};
  char* next[kClasses] = {};  // the class's newest run: next block never handed out
  char* end[kClasses] = {};
  uint8_t runClass[kRuns] = {};
  unsigned long long smallAllocations = 0;
};
Heap g_heap;
std::atomic<unsigned long long> g_largeAllocations{0};

class Lock {
 public:
  Lock() {
    while (g_heap.busy.test_and_set(std::memory_order_acquire)) SwitchToThread();
  }
  ~Lock() { g_heap.busy.clear(std::memory_order_release); }
  Lock(const Lock&) = delete;
  Lock& operator=(const Lock&) = delete;
};

// A fresh run for class c (the lock held); null when none is left.
char* NewRun(size_t c) {
  char* base = g_heap.base.load(std::memory_order_relaxed);
  if (!base) {
    if (g_heap.reserveTried) return nullptr;
    g_heap.reserveTried = true;
    base = static_cast<char*>(VirtualAlloc(nullptr, kRangeBytes, MEM_RESERVE, PAGE_NOACCESS));
    if (!base) return nullptr;
    g_heap.base.store(base, std::memory_order_release);
  }
  if (g_heap.runsUsed == kRuns) return nullptr;
  char* run = base + g_heap.runsUsed * kRunBytes;
  if (!VirtualAlloc(run, kRunBytes, MEM_COMMIT, PAGE_READWRITE)) return nullptr;
  g_heap.runClass[g_heap.runsUsed++] = uint8_t(c);
  return run;
}

void* SmallAlloc(size_t n) {
  const size_t c = n == 0 ? 0 : (n - 1) / kGrain;
  const size_t size = (c + 1) * kGrain;
  Lock lock;
  ++g_heap.smallAllocations;
  if (FreeBlock* b = g_heap.freeList[c]) {
    g_heap.freeList[c] = b->next;
    return b;
  }
  if (size_t(g_heap.end[c] - g_heap.next[c]) < size) {
    char* run = NewRun(c);
    if (!run) return nullptr;
    g_heap.next[c] = run;
    g_heap.end[c] = run + kRunBytes;
  }
  void* p = g_heap.next[c];
  g_heap.next[c] += size;
  return p;
}

// False when p is not a block of the range (malloc's, then).
bool SmallFree(void* p) {
  char* base = g_heap.base.load(std::memory_order_acquire);
  char* q = static_cast<char*>(p);
  if (!base || q < base || q >= base + kRangeBytes) return false;
  FreeBlock* b = static_cast<FreeBlock*>(p);
  Lock lock;
  const size_t c = g_heap.runClass[size_t(q - base) / kRunBytes];
  b->next = g_heap.freeList[c];
  g_heap.freeList[c] = b;
  return true;
}

void* Allocate(size_t n) noexcept {
  if (n <= kMaxSmall)
    if (void* p = SmallAlloc(n)) return p;
  g_largeAllocations.fetch_add(1, std::memory_order_relaxed);
  return std::malloc(n ? n : 1);
}

void* AllocateOrThrow(size_t n) {
  for (;;) {
    if (void* p = Allocate(n)) return p;
    std::new_handler handler = std::get_new_handler();
    if (!handler) throw std::bad_alloc();
    handler();
  }
}

void Release(void* p) noexcept {
  if (p && !SmallFree(p)) std::free(p);
}

}  // namespace

unsigned long long SmallBlockHeapAllocations() {
  unsigned long long small;
  {
    Lock lock;
    small = g_heap.smallAllocations;
  }
  return small + g_largeAllocations.load(std::memory_order_relaxed);
}

void* operator new(size_t n) { return AllocateOrThrow(n); }
void* operator new[](size_t n) { return AllocateOrThrow(n); }
void* operator new(size_t n, const std::nothrow_t&) noexcept {
  try {
    return AllocateOrThrow(n);
  } catch (...) {
    return nullptr;
  }
}
void* operator new[](size_t n, const std::nothrow_t& t) noexcept { return operator new(n, t); }
void operator delete(void* p) noexcept { Release(p); }
void operator delete[](void* p) noexcept { Release(p); }
void operator delete(void* p, size_t) noexcept { Release(p); }
void operator delete[](void* p, size_t) noexcept { Release(p); }
void operator delete(void* p, const std::nothrow_t&) noexcept { Release(p); }
void operator delete[](void* p, const std::nothrow_t&) noexcept { Release(p); }
