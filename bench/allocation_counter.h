#pragma once
// The benchmark's own operator new and delete, in every form the language
// has, so the heap a piece of work asks for is counted in full: the sizes in
// use, their peak and the number of allocations.

#include <cstddef>
#include <cstdint>

namespace vimbo::bench {

std::size_t HeapInUse();
std::size_t HeapPeak();
uint64_t AllocationCount();
// Starts a new peak from the bytes in use now.
void ResetHeapPeak();

}  // namespace vimbo::bench
