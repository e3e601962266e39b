#include "support/exhaustible_heap.h"

#include <cstdlib>
#include <new>

namespace vimbo::testing {
thread_local long gAllocationsLeft = -1;
}  // namespace vimbo::testing

void* operator new(std::size_t size) {
  long& left = vimbo::testing::gAllocationsLeft;
  if (left == 0) throw std::bad_alloc();
  if (left > 0) --left;
  if (void* memory = std::malloc(size == 0 ? 1 : size)) return memory;
  throw std::bad_alloc();
}
void operator delete(void* memory) noexcept { std::free(memory); }
void operator delete(void* memory, std::size_t) noexcept { std::free(memory); }
