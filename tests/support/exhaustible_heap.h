#pragma once
// A heap that can be made to run out: a test program that links
// exhaustible_heap.cpp allocates through it, so a test can see what the code
// does when memory ends after any number of allocations.

namespace vimbo::testing {

// How many more allocations this thread may make before each one fails with
// std::bad_alloc; -1 (the start) sets no limit.
extern thread_local long gAllocationsLeft;

}  // namespace vimbo::testing
