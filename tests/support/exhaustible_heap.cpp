#include "support/exhaustible_heap.h"

#include <cstdlib>
#include <new>

namespace vimbo::testing {
thread_local long gAllocationsLeft = -1;
thread_local std::size_t gLargestAllocation = static_cast<std::size_t>(-1);
}  // namespace vimbo::testing

namespace {

void* Allocate(std::size_t size) noexcept {
  long& left = vimbo::testing::gAllocationsLeft;
  if (left == 0 || size > vimbo::testing::gLargestAllocation) return nullptr;
  if (left > 0) --left;
  return std::malloc(size == 0 ? 1 : size);
}

void* AllocateOrThrow(std::size_t size) {
  if (void* memory = Allocate(size)) return memory;
  throw std::bad_alloc();
}

}  // namespace

// Every unaligned form is replaced, so that each block is freed by the
// counterpart of what allocated it (the library's temporary buffers, for
// one, take the nothrow form and give back through the sized one).
void* operator new(std::size_t size) { return AllocateOrThrow(size); }
void* operator new[](std::size_t size) { return AllocateOrThrow(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept { return Allocate(size); }
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept { return Allocate(size); }
void operator delete(void* memory) noexcept { std::free(memory); }
void operator delete[](void* memory) noexcept { std::free(memory); }
void operator delete(void* memory, std::size_t) noexcept { std::free(memory); }
void operator delete[](void* memory, std::size_t) noexcept { std::free(memory); }
void operator delete(void* memory, const std::nothrow_t&) noexcept { std::free(memory); }
void operator delete[](void* memory, const std::nothrow_t&) noexcept { std::free(memory); }
