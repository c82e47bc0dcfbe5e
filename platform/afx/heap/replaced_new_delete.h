// replaced_new_delete.h - the global operator new and delete of a heap that
// replaces the library's. The heap's one source file includes this after it
// has defined, before it:
//   void* Allocate(size_t n) noexcept;  // a block of n bytes, or null
//   void Release(void* p) noexcept;     // p may be null
// Every replaceable form is defined here, so that no form falls back to the
// library's heap for blocks of the other.
#pragma once

#include <cstddef>
#include <new>

namespace {

// A block, or after the new handler has run out of ways, std::bad_alloc.
void* AllocateOrThrow(size_t n) {
  for (;;) {
    if (void* p = Allocate(n)) return p;
    std::new_handler handler = std::get_new_handler();
    if (!handler) throw std::bad_alloc();
    handler();
  }
}

}  // namespace

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
