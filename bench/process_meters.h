#pragma once
// What the benchmark reads about its own process: CPU time (user and
// kernel, so the system calls of a write count) and resident memory.

#include <cstddef>

namespace vimbo::bench {

// CPU seconds of every thread of the process.
double ProcessCpuSeconds();
// CPU seconds of the calling thread.
double ThreadCpuSeconds();

// The process's resident memory now and its peak, in bytes (VmRSS and VmHWM
// of /proc/self/status); 0 when they cannot be read.
std::size_t ResidentBytes();
std::size_t PeakResidentBytes();
// Starts a new resident peak from the resident memory now; false when the
// system does not allow it.
bool ResetPeakResident();

}  // namespace vimbo::bench
