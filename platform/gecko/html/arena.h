// arena.h - memory for many objects that die together.
//
// A page's document nodes and layout boxes are made by the ten thousand and
// all freed at once when the page is done. Taken one by one from the heap,
// each size among them holds memory of its own after the page, for good;
// from an arena they sit side by side in a few chunks, which go back whole.
// The chunks grow with the arena (4 KB, doubling up to 256 KB), so a short
// page takes little and a long one few chunks.
//
// The arena only hands out memory: whoever makes an object in it calls the
// object's destructor before the arena goes.
#pragma once

#include <cstddef>
#include <new>

namespace tw {

class Arena {
 public:
  Arena() = default;
  Arena(const Arena&) = delete;
  Arena& operator=(const Arena&) = delete;
  ~Arena() {
    while (chunk_) {
      Chunk* prev = chunk_->prev;
      ::operator delete(chunk_);
      chunk_ = prev;
    }
  }

  // Room for `bytes`, aligned to kAlign; throws std::bad_alloc as new does.
  void* allocate(std::size_t bytes) {
    bytes = (bytes + kAlign - 1) & ~(kAlign - 1);
    if (bytes > std::size_t(end_ - next_)) grow(bytes);
    void* p = next_;
    next_ += bytes;
    return p;
  }

  template <class T, class... Args>
  T* make(Args&&... args) {
    return new (allocate(sizeof(T))) T(static_cast<Args&&>(args)...);
  }

 private:
  static constexpr std::size_t kAlign = 16;
  static constexpr std::size_t kFirstChunk = 4096, kLargestChunk = 256 * 1024, kHeapHeader = 64;
  struct alignas(kAlign) Chunk {
    Chunk* prev;
  };

  void grow(std::size_t bytes) {
    // A little under the power of two, for the heap's own header of a
    // larger block.
    std::size_t size = next_size_ - kHeapHeader;
    if (next_size_ < kLargestChunk) next_size_ *= 2;
    if (size < bytes + sizeof(Chunk)) size = bytes + sizeof(Chunk);
    Chunk* c = static_cast<Chunk*>(::operator new(size));
    c->prev = chunk_;
    chunk_ = c;
    next_ = reinterpret_cast<char*>(c + 1);
    end_ = reinterpret_cast<char*>(c) + size;
  }

  Chunk* chunk_ = nullptr;
  char* next_ = nullptr;
  char* end_ = nullptr;
  std::size_t next_size_ = kFirstChunk;
};

}  // namespace tw
