#include "allocation_counter.h"

#include <atomic>
#include <cstdlib>
#include <new>

namespace vimbo::bench {
namespace {

std::atomic<std::size_t> gInUse{0};
std::atomic<std::size_t> gPeak{0};
std::atomic<uint64_t> gCount{0};

// In front of every block: its requested size, and where the underlying
// allocation starts, which differs from the block for a large alignment.
struct Header {
  std::size_t size;
  void* base;
};
// The header rounded up to the fundamental alignment, so the block after it
// keeps the alignment that malloc gives.
constexpr std::size_t kHeaderSpace =
    (sizeof(Header) + alignof(std::max_align_t) - 1) / alignof(std::max_align_t) * alignof(std::max_align_t);

void* TryAllocate(std::size_t size, std::size_t alignment) noexcept {
  // An alignment beyond the header space pads by the alignment itself, which
  // is then at least as large as the header.
  const std::size_t padding = alignment > kHeaderSpace ? alignment : kHeaderSpace;
  if (size > SIZE_MAX - padding) return nullptr;
  void* base = nullptr;
  if (alignment > alignof(std::max_align_t)) {
    if (::posix_memalign(&base, alignment, padding + size) != 0) return nullptr;
  } else {
    base = std::malloc(padding + size);
    if (!base) return nullptr;
  }
  char* block = static_cast<char*>(base) + padding;
  auto* header = reinterpret_cast<Header*>(block) - 1;
  header->size = size;
  header->base = base;

  gCount.fetch_add(1, std::memory_order_relaxed);
  const std::size_t inUse = gInUse.fetch_add(size, std::memory_order_relaxed) + size;
  std::size_t peak = gPeak.load(std::memory_order_relaxed);
  while (inUse > peak && !gPeak.compare_exchange_weak(peak, inUse, std::memory_order_relaxed)) {
  }
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
  const auto* header = static_cast<const Header*>(block) - 1;
  gInUse.fetch_sub(header->size, std::memory_order_relaxed);
  std::free(header->base);
}

std::size_t Plain() { return alignof(std::max_align_t); }
std::size_t Aligned(std::align_val_t alignment) { return static_cast<std::size_t>(alignment); }

}  // namespace

std::size_t HeapInUse() { return gInUse.load(); }
std::size_t HeapPeak() { return gPeak.load(); }
uint64_t AllocationCount() { return gCount.load(); }
void ResetHeapPeak() { gPeak.store(gInUse.load()); }

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
