#include "allocation_counter.h"

#include <malloc.h>

#include <atomic>
#include <cstdlib>
#include <new>

namespace vimbo::bench {
namespace {

std::atomic<bool> gCounting{false};
std::atomic<std::ptrdiff_t> gInUse{0};
std::atomic<std::ptrdiff_t> gPeak{0};
std::atomic<uint64_t> gCount{0};

void CountAllocated(void* block) {
  const auto size = static_cast<std::ptrdiff_t>(::malloc_usable_size(block));
  gCount.fetch_add(1, std::memory_order_relaxed);
  const std::ptrdiff_t inUse = gInUse.fetch_add(size, std::memory_order_relaxed) + size;
  std::ptrdiff_t peak = gPeak.load(std::memory_order_relaxed);
  while (inUse > peak && !gPeak.compare_exchange_weak(peak, inUse, std::memory_order_relaxed)) {
  }
}

// Every block comes from malloc or posix_memalign, so free releases any of
// them. A zero-byte request still gets a block of its own, as new requires.
void* TryAllocate(std::size_t size, std::size_t alignment) noexcept {
  if (size == 0) size = 1;
  void* block = nullptr;
  if (alignment > alignof(std::max_align_t)) {
    if (::posix_memalign(&block, alignment, size) != 0) return nullptr;
  } else {
    block = std::malloc(size);
  }
  if (block && gCounting.load(std::memory_order_relaxed)) CountAllocated(block);
  return block;
}

// As the standard's operator new: the new-handler gets its chance to free
// memory before bad_alloc is thrown.
void* Allocate(std::size_t size, std::size_t alignment) {
  for (;;) {
    if (void* block = TryAllocate(size, alignment)) return block;
    const std::new_handler handler = std::get_new_handler();
    if (!handler) throw std::bad_alloc();
    handler();
  }
}

void* AllocateNoThrow(std::size_t size, std::size_t alignment) noexcept {
  try {
    return Allocate(size, alignment);
  } catch (...) {
    return nullptr;
  }
}

void Free(void* block) noexcept {
  if (!block) return;
  if (gCounting.load(std::memory_order_relaxed))
    gInUse.fetch_sub(static_cast<std::ptrdiff_t>(::malloc_usable_size(block)), std::memory_order_relaxed);
  std::free(block);
}

std::size_t Plain() { return alignof(std::max_align_t); }
std::size_t Aligned(std::align_val_t alignment) { return static_cast<std::size_t>(alignment); }

}  // namespace

HeapCounter::HeapCounter() {
  gInUse.store(0);
  gPeak.store(0);
  gCount.store(0);
  gCounting.store(true);
}

HeapCounter::~HeapCounter() { gCounting.store(false); }

std::ptrdiff_t HeapCounter::PeakBytes() const { return gPeak.load(); }
uint64_t HeapCounter::Allocations() const { return gCount.load(); }

}  // namespace vimbo::bench

using vimbo::bench::Aligned;
using vimbo::bench::Allocate;
using vimbo::bench::AllocateNoThrow;
using vimbo::bench::Free;
using vimbo::bench::Plain;

void* operator new(std::size_t size) { return Allocate(size, Plain()); }
void* operator new[](std::size_t size) { return Allocate(size, Plain()); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept { return AllocateNoThrow(size, Plain()); }
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept { return AllocateNoThrow(size, Plain()); }
void* operator new(std::size_t size, std::align_val_t alignment) { return Allocate(size, Aligned(alignment)); }
void* operator new[](std::size_t size, std::align_val_t alignment) { return Allocate(size, Aligned(alignment)); }
void* operator new(std::size_t size, std::align_val_t alignment, const std::nothrow_t&) noexcept {
  return AllocateNoThrow(size, Aligned(alignment));
}
void* operator new[](std::size_t size, std::align_val_t alignment, const std::nothrow_t&) noexcept {
  return AllocateNoThrow(size, Aligned(alignment));
}

void operator delete(void* block) noexcept { Free(block); }
void operator delete[](void* block) noexcept { Free(block); }
void operator delete(void* block, const std::nothrow_t&) noexcept { Free(block); }
void operator delete[](void* block, const std::nothrow_t&) noexcept { Free(block); }
void operator delete(void* block, std::size_t) noexcept { Free(block); }
void operator delete[](void* block, std::size_t) noexcept { Free(block); }
void operator delete(void* block, std::align_val_t) noexcept { Free(block); }
void operator delete[](void* block, std::align_val_t) noexcept { Free(block); }
void operator delete(void* block, std::align_val_t, const std::nothrow_t&) noexcept { Free(block); }
void operator delete[](void* block, std::align_val_t, const std::nothrow_t&) noexcept { Free(block); }
void operator delete(void* block, std::size_t, std::align_val_t) noexcept { Free(block); }
void operator delete[](void* block, std::size_t, std::align_val_t) noexcept { Free(block); }
