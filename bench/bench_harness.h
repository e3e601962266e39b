#pragma once
// Interleaved runs and the printed table. A measure runs our work and its
// reference alternately on the same bytes (ours, reference, ours, …), so a
// change of load on a shared machine falls on both sides of a ratio alike;
// every run is timed in process CPU time.

#include <cstddef>
#include <functional>
#include <string>

#include "process_meters.h"

namespace vimbo::bench {

// One side of a measure: does its work `repeats` times and returns the CPU
// seconds the work took, with its setup and teardown left outside.
using Work = std::function<double(int repeats)>;

template <typename Function>
double CpuSecondsOf(Function&& work) {
  const double start = ProcessCpuSeconds();
  work();
  return ProcessCpuSeconds() - start;
}

struct RoundOptions {
  int rounds = 5;           // at least this many rounds
  double minSeconds = 2.0;  // and on until the rounds took this much CPU time
};

struct PairResult {
  double ours = 0;  // seconds per run: the median over the rounds
  double reference = 0;
  double ratio = 0;  // the median of the rounds' own ratios
  int rounds = 0;
};

PairResult Interleave(const Work& ours, const Work& reference, const RoundOptions& options);
// One side alone: the median seconds per run.
double Repeat(const Work& work, const RoundOptions& options);

std::string Milliseconds(double seconds);
std::string Megabytes(double bytes);
// A count with thousands separators: 1,234,567.
std::string Count(double count);

// The table: a measure, our figure, the reference's, their ratio (or a
// figure of its own), and the goal with whether it is met.
void PrintTableHeader();
void PrintRow(const std::string& measure, const std::string& ours, const std::string& reference,
              const std::string& value, const std::string& goal, bool met);
// A line of detail below a row, without a goal.
void PrintNote(const std::string& measure, const std::string& text);
std::string Ratio(double ratio);

}  // namespace vimbo::bench
