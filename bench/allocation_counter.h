#pragma once
// The benchmark's own operator new and delete, in every form the language
// has, so that the heap a piece of work takes is counted in full. Outside a
// HeapCounter they cost what the library's own do: malloc and free, with
// nothing counted.

#include <cstddef>
#include <cstdint>

namespace vimbo::bench {

// Counts the heap while it lives: the bytes of the blocks allocated less
// those freed (as malloc_usable_size tells them, so what the heap really
// gives), their peak, and the number of allocations. One at a time.
class HeapCounter {
 public:
  HeapCounter();
  ~HeapCounter();
  HeapCounter(const HeapCounter&) = delete;
  HeapCounter& operator=(const HeapCounter&) = delete;

  std::ptrdiff_t PeakBytes() const;
  uint64_t Allocations() const;
};

}  // namespace vimbo::bench
