// CheckedHeap.cpp - operator new and delete of the test programs that look
// for objects used after they were deleted (tw_add_test ... CHECKED_HEAP).
//
// The program's own heap hands a freed block out again at once, and the
// system's keeps the old contents in place: either way a second delete or a
// call through a deleted object may go unnoticed, or show much later as
// damage elsewhere. Here every block carries a header that says whether it
// is live. A block deleted twice stops the program with a message. A
// deleted block is cleared (a virtual call through it faults at once, a
// window handle read from it is NULL) and kept out of use for a while: the
// latest 64 MB of deleted blocks stay cleared before they go back to the
// system.
#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>

namespace {

constexpr uint64_t kLive = 0x4556494C50414548ull;   // "HEAPLIVE"
constexpr uint64_t kFreed = 0x4545524650414548ull;  // "HEAPFREE"

// 16 bytes, so that the block after it keeps operator new's alignment.
struct Header {
  uint64_t magic;
  uint64_t size;
};

constexpr size_t kQuarantineBytes = size_t(64) << 20;
constexpr size_t kQuarantineBlocks = size_t(1) << 18;

SRWLOCK g_lock = SRWLOCK_INIT;
Header* g_ring[kQuarantineBlocks];  // zero before any constructor runs
size_t g_first = 0, g_count = 0, g_bytes = 0;

[[noreturn]] void Stop(const char* what, const void* p) {
  std::fprintf(stderr, "\nchecked heap: %s (block %p)\n", what, p);
  std::fflush(stderr);
  ::TerminateProcess(::GetCurrentProcess(), 3);
  std::abort();
}

void* Allocate(size_t n) noexcept {
  if (n > SIZE_MAX - sizeof(Header)) return nullptr;
  Header* h = static_cast<Header*>(std::malloc(sizeof(Header) + (n ? n : 1)));
  if (!h) return nullptr;
  h->magic = kLive;
  h->size = n;
  return h + 1;
}

void Release(void* p) noexcept {
  if (!p) return;
  Header* h = static_cast<Header*>(p) - 1;
  if (h->magic == kFreed) Stop("a block deleted twice", p);
  if (h->magic != kLive) Stop("delete of a block this heap never gave", p);
  h->magic = kFreed;
  std::memset(p, 0, h->size);
  Header* pOld[16];
  size_t nOld = 0;
  ::AcquireSRWLockExclusive(&g_lock);
  g_ring[(g_first + g_count) % kQuarantineBlocks] = h;
  g_count++;
  g_bytes += h->size;
  while (nOld < 16 && (g_count == kQuarantineBlocks || g_bytes > kQuarantineBytes)) {
    Header* oldest = g_ring[g_first];
    g_first = (g_first + 1) % kQuarantineBlocks;
    g_count--;
    g_bytes -= oldest->size;
    pOld[nOld++] = oldest;
  }
  ::ReleaseSRWLockExclusive(&g_lock);
  for (size_t i = 0; i < nOld; i++) {
    pOld[i]->magic = 0;
    std::free(pOld[i]);
  }
}

}  // namespace

#include "replaced_new_delete.h"
