// small_block_heap.cpp - the program's operator new and delete.
//
// A conversion makes millions of small blocks (DOM nodes and their strings,
// computed styles, boxes, text runs) and frees most of them page by page.
// The system heap takes a lock and searches its free lists for every one of
// them; here a block of up to kMaxSmall bytes comes from a list per size
// class instead (16-byte steps up to 128 bytes, then four classes to each
// doubling: 28 classes), carved from 64 KB runs of one reserved address
// range. A run serves one class for good: with few classes, the sizes a
// program seldom asks for do not each hold runs barely used, and the
// classes' busiest moments, which come at different times, leave less
// memory idle in between (a block wastes up to a fifth of itself for it).
// A freed block goes back to its class's list, so the next page reuses the
// memory of the last one and the process's size follows its largest page,
// as with the system heap. Larger blocks, and every block once the range is used up or
// could not be reserved, go to malloc or have pages of their own (see
// LargeAlloc); delete tells the small ones by the address.
//
// Several threads lay pages out at once: each keeps a small cache of free
// blocks per class, filled from and given back to the shared lists a batch
// at a time, so that most calls take no lock at all. A block freed on
// another thread than the one that made it goes to the freeing thread's
// cache. What a thread's cache holds goes back to the shared lists when the
// thread ends.
#include "small_block_heap.h"

#include <windows.h>
#include <intrin.h>

#include <atomic>
#include <cstdint>
#include <cstdlib>
#include <new>

namespace {

constexpr size_t kGrain = 16;  // the alignment operator new owes its callers
constexpr size_t kMaxSmall = 4096;
constexpr size_t Log2(size_t n) { return n > 1 ? 1 + Log2(n / 2) : 0; }
constexpr size_t kFineMax = 128;  // sizes up to it: one class per kGrain
constexpr size_t kFineClasses = kFineMax / kGrain;
constexpr size_t kStepsPerDoubling = 4;  // above it
constexpr size_t kFineLog = Log2(kFineMax), kStepLog = Log2(kStepsPerDoubling);
constexpr size_t kClasses = kFineClasses + (Log2(kMaxSmall) - kFineLog) * kStepsPerDoubling;
constexpr size_t kRunBytes = 64 * 1024;
static_assert(size_t(1) << kFineLog == kFineMax && size_t(1) << kStepLog == kStepsPerDoubling &&
                  kFineMax / kStepsPerDoubling >= kGrain && kClasses < 256,
              "classes are counted in doublings, and a run's class fits in a byte");

// The class of a request of n bytes (at most kMaxSmall), and the size of its
// blocks.
inline size_t ClassOf(size_t n) {
  if (n <= kFineMax) return n == 0 ? 0 : (n - 1) / kGrain;
  const size_t m = n - 1;
  const unsigned log = 63u - unsigned(__builtin_clzll(m));  // m in [2^log, 2^(log+1))
  return kFineClasses + (log - kFineLog) * kStepsPerDoubling + ((m - (size_t(1) << log)) >> (log - kStepLog));
}
inline size_t ClassSize(size_t c) {
  if (c < kFineClasses) return (c + 1) * kGrain;
  const size_t doubling = (c - kFineClasses) / kStepsPerDoubling;
  const size_t step = (c - kFineClasses) % kStepsPerDoubling;
  return (kFineMax << doubling) + (step + 1) * ((kFineMax / kStepsPerDoubling) << doubling);
}
constexpr size_t kRangeBytes = size_t(4) << 30;  // reserved, committed a run at a time
constexpr size_t kRuns = kRangeBytes / kRunBytes;

struct FreeBlock {
  FreeBlock* next;
  FreeBlock* nextChain;  // the first block of a chain in Heap::chains: the next chain
};

// Zero-initialised before any constructor runs: usable from the first
// allocation of the process on.
struct Heap {
  std::atomic_flag busy = ATOMIC_FLAG_INIT;
  std::atomic<char*> base{nullptr};
  bool reserveTried = false;
  size_t runsUsed = 0;
  FreeBlock* freeList[kClasses] = {};
  // Chains of Batch(c) free blocks as threads gave them back, moved whole.
  FreeBlock* chains[kClasses] = {};
  char* next[kClasses] = {};  // the class's newest run: next block never handed out
  char* end[kClasses] = {};
  uint8_t runClass[kRuns] = {};
  unsigned long long smallAllocations = 0;
};
Heap g_heap;
std::atomic<unsigned long long> g_largeAllocations{0};

// A thread's own free blocks. Only its thread touches the lists; the count
// of allocations is read by others (SmallBlockHeapAllocations).
struct ThreadCache {
  FreeBlock* list[kClasses];
  uint32_t count[kClasses];
  std::atomic<unsigned long long> allocations;
  ThreadCache* nextLive;  // in g_live, under the heap's lock
};
// Blocks moved between a cache and the shared lists at once, and the most a
// cache keeps of a class: about 16 KB and 32 KB of blocks.
inline uint32_t Batch(size_t c) {
  const size_t n = 16384 / ClassSize(c);
  return uint32_t(n < 4 ? 4 : n > 64 ? 64 : n);
}
// Thread-local slots (a fast one for the look-up, a fiber one whose callback
// runs when a thread ends). Set up by the first allocation, under the lock.
constexpr DWORD kNoSlot = 0xFFFFFFFF;
std::atomic<DWORD> g_tls{kNoSlot};
DWORD g_fls = kNoSlot;
bool g_slotsTried = false;
ThreadCache* g_live = nullptr;
unsigned long long g_retiredAllocations = 0;

class Lock {
 public:
  Lock() {
    // Held for a few instructions: spin a little before giving up the
    // processor.
    for (int spins = 0; g_heap.busy.test_and_set(std::memory_order_acquire); ++spins) {
      if (spins < 64)
        YieldProcessor();
      else
        SwitchToThread();
    }
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

// Carves or takes up to |want| blocks of class c from the shared lists onto
// an empty *list (the lock held); the number given. A whole chain given back
// by a thread is taken when there is one.
uint32_t TakeShared(size_t c, uint32_t want, FreeBlock** list) {
  const size_t size = ClassSize(c);
  if (want > 1 && !*list)
    if (FreeBlock* chain = g_heap.chains[c]) {
      g_heap.chains[c] = chain->nextChain;
      *list = chain;
      return Batch(c);
    }
  uint32_t got = 0;
  while (got < want) {
    FreeBlock* b = g_heap.freeList[c];
    if (b) {
      g_heap.freeList[c] = b->next;
    } else {
      if (size_t(g_heap.end[c] - g_heap.next[c]) < size) {
        char* run = NewRun(c);
        if (!run) break;
        g_heap.next[c] = run;
        g_heap.end[c] = run + kRunBytes;
      }
      b = reinterpret_cast<FreeBlock*>(g_heap.next[c]);
      g_heap.next[c] += size;
    }
    b->next = *list;
    *list = b;
    ++got;
  }
  return got;
}

void GiveShared(size_t c, FreeBlock* first, FreeBlock* last) {
  last->next = g_heap.freeList[c];
  g_heap.freeList[c] = first;
}

void RetireCache(void* data) {
  ThreadCache* cache = static_cast<ThreadCache*>(data);
  if (!cache) return;
  // Called on the ending thread: what it still frees goes to the shared lists.
  const DWORD tls = g_tls.load(std::memory_order_acquire);
  if (tls != kNoSlot && TlsGetValue(tls) == cache) TlsSetValue(tls, nullptr);
  {
    Lock lock;
    for (size_t c = 0; c < kClasses; ++c) {
      FreeBlock* first = cache->list[c];
      if (!first) continue;
      FreeBlock* last = first;
      while (last->next) last = last->next;
      GiveShared(c, first, last);
    }
    g_retiredAllocations += cache->allocations.load(std::memory_order_relaxed);
    for (ThreadCache** p = &g_live; *p; p = &(*p)->nextLive)
      if (*p == cache) {
        *p = cache->nextLive;
        break;
      }
  }
  VirtualFree(cache, 0, MEM_RELEASE);
}

void WINAPI RetireCacheAtThreadEnd(void* data) { RetireCache(data); }

// The calling thread's cache, made at its first allocation; null when no
// thread slot can be had (the shared lists are used then).
ThreadCache* CacheOfThread() {
  DWORD tls = g_tls.load(std::memory_order_acquire);
  if (tls == kNoSlot) {
    Lock lock;
    if (!g_slotsTried) {
      g_slotsTried = true;
      const DWORD fls = FlsAlloc(&RetireCacheAtThreadEnd);
      const DWORD fast = fls == FLS_OUT_OF_INDEXES ? TLS_OUT_OF_INDEXES : TlsAlloc();
      if (fast != TLS_OUT_OF_INDEXES) {
        g_fls = fls;
        g_tls.store(fast, std::memory_order_release);
      } else if (fls != FLS_OUT_OF_INDEXES) {
        FlsFree(fls);
      }
    }
    tls = g_tls.load(std::memory_order_relaxed);
    if (tls == kNoSlot) return nullptr;
  }
  ThreadCache* cache;
#if defined(__x86_64__)
  if (tls < 64) {
    // The thread's slot read straight from its environment block (TlsSlots
    // at 0x1480), as TlsGetValue does, without the call and its clearing of
    // the last error.
    cache = reinterpret_cast<ThreadCache*>(__readgsqword(0x1480 + tls * 8));
  } else
#endif
  {
    const DWORD error = GetLastError();  // TlsGetValue clears it
    cache = static_cast<ThreadCache*>(TlsGetValue(tls));
    SetLastError(error);
  }
  if (cache) return cache;
  // Not from operator new: the heap's own bookkeeping.
  cache = static_cast<ThreadCache*>(
      VirtualAlloc(nullptr, sizeof(ThreadCache), MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
  if (!cache) return nullptr;
  if (!FlsSetValue(g_fls, cache) || !TlsSetValue(tls, cache)) {
    FlsSetValue(g_fls, nullptr);
    VirtualFree(cache, 0, MEM_RELEASE);
    return nullptr;
  }
  Lock lock;
  cache->nextLive = g_live;
  g_live = cache;
  return cache;
}

void* SmallAlloc(size_t n) {
  const size_t c = ClassOf(n);
  if (ThreadCache* cache = CacheOfThread()) {
    cache->allocations.store(cache->allocations.load(std::memory_order_relaxed) + 1,
                             std::memory_order_relaxed);
    FreeBlock* b = cache->list[c];
    if (!b) {
      Lock lock;
      cache->count[c] += TakeShared(c, Batch(c), &cache->list[c]);
      b = cache->list[c];
      if (!b) return nullptr;
    }
    cache->list[c] = b->next;
    --cache->count[c];
    return b;
  }
  Lock lock;
  ++g_heap.smallAllocations;
  FreeBlock* b = nullptr;
  TakeShared(c, 1, &b);
  return b;
}

// False when p is not a block of the range (malloc's, then).
bool SmallFree(void* p) {
  char* base = g_heap.base.load(std::memory_order_acquire);
  char* q = static_cast<char*>(p);
  if (!base || q < base || q >= base + kRangeBytes) return false;
  FreeBlock* b = static_cast<FreeBlock*>(p);
  // The run's class was set before any of its blocks was handed out.
  const size_t c = g_heap.runClass[size_t(q - base) / kRunBytes];
  if (ThreadCache* cache = CacheOfThread()) {
    b->next = cache->list[c];
    cache->list[c] = b;
    if (++cache->count[c] > 2 * Batch(c)) {
      // A batch goes back, as one chain, for other threads to use.
      const uint32_t give = Batch(c);
      FreeBlock* first = cache->list[c];
      FreeBlock* last = first;
      for (uint32_t i = 1; i < give; ++i) last = last->next;
      cache->list[c] = last->next;
      cache->count[c] -= give;
      last->next = nullptr;
      Lock lock;
      first->nextChain = g_heap.chains[c];
      g_heap.chains[c] = first;
    }
    return true;
  }
  Lock lock;
  GiveShared(c, b, b);
  return true;
}

// A larger block carries a header that tells where it came from: malloc,
// or pages of its own. The system heap keeps the memory of the blocks it is
// given back, and a long page's lists grow through blocks of every size
// there: pages laid out side by side would leave the process that much
// larger for good (under Wine, with six threads laying pages out, 40 MB of
// its 49 MB were free after a conversion). A block of kOwnPagesMin bytes or
// more has pages of its own instead, in sizes of two steps to each
// doubling. A freed one is kept for the next request of its size while
// those kept come to at most kKeptOwnPagesBytes (taking fresh pages from
// the system and giving them back costs more than filling them), else
// given back to the system.
constexpr size_t kOwnPagesMin = 16 * 1024;
constexpr size_t kKeptOwnPagesBytes = size_t(4) << 20;
constexpr size_t kKeptOwnPagesMax = size_t(4) << 20;  // larger ones are never kept
// The sizes kept: kOwnPagesMin, 1.5 and 2 times it, ... kKeptOwnPagesMax.
constexpr size_t kOwnPagesClasses = 2 * Log2(kKeptOwnPagesMax / kOwnPagesMin) + 1;
static_assert((kOwnPagesMin & (kOwnPagesMin - 1)) == 0 && (kKeptOwnPagesMax & (kKeptOwnPagesMax - 1)) == 0,
              "the sizes kept are counted in doublings of kOwnPagesMin");
enum class LargeKind : uint64_t { kMalloc = 0x6d616c6c6f63ull, kOwnPages = 0x70616765730aull };
struct alignas(16) LargeHeader {
  LargeKind kind;
  uint64_t bytes;  // asked for
  LargeHeader* nextKept;
};

// The pages taken for a block of |total| bytes (header included): a power
// of two or one and a half of one, from kOwnPagesMin on; and the index of
// that size among those kept (meaningful up to kKeptOwnPagesMax).
struct OwnPagesFit {
  size_t size, kept;
};
inline OwnPagesFit FitOwnPages(size_t total) {
  size_t whole = kOwnPagesMin, kept = 0;
  for (; whole < total && whole <= (~size_t(0) >> 2); whole *= 2, kept += 2)
    if (whole + whole / 2 >= total) return {whole + whole / 2, kept + 1};
  return {whole < total ? total : whole, kept};
}

struct KeptOwnPages {
  LargeHeader* lists[kOwnPagesClasses] = {};
  size_t bytes = 0;
};
KeptOwnPages g_kept;  // under the heap's lock

void* LargeAlloc(size_t n) {
  if (n > (~size_t(0) >> 2)) return nullptr;
  const size_t total = n + sizeof(LargeHeader);
  LargeHeader* h = nullptr;
  if (n >= kOwnPagesMin) {
    const OwnPagesFit fit = FitOwnPages(total);
    if (fit.size <= kKeptOwnPagesMax) {
      Lock lock;
      LargeHeader*& list = g_kept.lists[fit.kept];
      if (list) {
        h = list;
        list = h->nextKept;
        g_kept.bytes -= fit.size;
      }
    }
    if (!h) h = static_cast<LargeHeader*>(VirtualAlloc(nullptr, fit.size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
    if (!h) return nullptr;
    h->kind = LargeKind::kOwnPages;
  } else {
    h = static_cast<LargeHeader*>(std::malloc(total));
    if (!h) return nullptr;
    h->kind = LargeKind::kMalloc;
  }
  h->bytes = n;
  return h + 1;
}

void LargeFree(void* p) {
  LargeHeader* h = static_cast<LargeHeader*>(p) - 1;
  if (h->kind != LargeKind::kOwnPages) {
    std::free(h);
    return;
  }
  const OwnPagesFit fit = FitOwnPages(size_t(h->bytes) + sizeof(LargeHeader));
  if (fit.size <= kKeptOwnPagesMax) {
    Lock lock;
    if (g_kept.bytes + fit.size <= kKeptOwnPagesBytes) {
      LargeHeader*& list = g_kept.lists[fit.kept];
      h->nextKept = list;
      list = h;
      g_kept.bytes += fit.size;
      return;
    }
  }
  VirtualFree(h, 0, MEM_RELEASE);
}

void* Allocate(size_t n) noexcept {
  if (n <= kMaxSmall)
    if (void* p = SmallAlloc(n)) return p;
  g_largeAllocations.fetch_add(1, std::memory_order_relaxed);
  return LargeAlloc(n);
}

void Release(void* p) noexcept {
  if (p && !SmallFree(p)) LargeFree(p);
}

}  // namespace

unsigned long long SmallBlockHeapAllocations() {
  unsigned long long small;
  {
    Lock lock;
    small = g_heap.smallAllocations + g_retiredAllocations;
    for (ThreadCache* c = g_live; c; c = c->nextLive)
      small += c->allocations.load(std::memory_order_relaxed);
  }
  return small + g_largeAllocations.load(std::memory_order_relaxed);
}

unsigned long long SmallBlockHeapCommittedBytes() {
  Lock lock;
  return (unsigned long long)g_heap.runsUsed * kRunBytes;
}

#include "replaced_new_delete.h"
