#include "process_meters.h"

#include <cstdio>
#include <cstring>
#include <ctime>

namespace vimbo::bench {
namespace {

double Seconds(clockid_t clock) {
  timespec now{};
  ::clock_gettime(clock, &now);
  return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

// A "Key:   1234 kB" line of /proc/self/status, in bytes.
std::size_t StatusBytes(const char* key) {
  FILE* status = std::fopen("/proc/self/status", "r");
  if (!status) return 0;
  const std::size_t keyLength = std::strlen(key);
  std::size_t kilobytes = 0;
  char line[256];
  while (std::fgets(line, sizeof line, status)) {
    if (std::strncmp(line, key, keyLength) == 0 && line[keyLength] == ':') {
      std::sscanf(line + keyLength + 1, "%zu", &kilobytes);
      break;
    }
  }
  std::fclose(status);
  return kilobytes * 1024;
}

}  // namespace

double ProcessCpuSeconds() { return Seconds(CLOCK_PROCESS_CPUTIME_ID); }
double ThreadCpuSeconds() { return Seconds(CLOCK_THREAD_CPUTIME_ID); }

std::size_t ResidentBytes() { return StatusBytes("VmRSS"); }
std::size_t PeakResidentBytes() { return StatusBytes("VmHWM"); }

bool ResetPeakResident() {
  FILE* refs = std::fopen("/proc/self/clear_refs", "w");
  if (!refs) return false;
  const bool written = std::fputs("5", refs) >= 0;
  return std::fclose(refs) == 0 && written;
}

}  // namespace vimbo::bench
