#pragma once
// A heap that can be made to run out: a test program that links
// exhaustible_heap.cpp allocates through it, so a test can see what the code
// does when memory ends after any number of allocations.

#include <cstddef>

namespace vimbo::testing {

// How many more allocations this thread may make before each one fails with
// std::bad_alloc; -1 (the start) sets no limit.
extern thread_local long gAllocationsLeft;

// The largest block this thread may allocate; a larger one fails with
// std::bad_alloc, as it would with little memory left.
extern thread_local std::size_t gLargestAllocation;

}  // namespace vimbo::testing
