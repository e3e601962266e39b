#include "bench_harness.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

namespace vimbo::bench {
namespace {

// A small work is repeated within one timed batch until the batch lasts this
// long, so the clock's resolution and the call overhead do not show.
constexpr double kBatchSeconds = 0.02;
constexpr int kMaxRounds = 1000;
constexpr int kMaxRepeats = 100000;

double Median(std::vector<double> values) {
  if (values.empty()) return 0;
  const std::size_t middle = values.size() / 2;
  std::nth_element(values.begin(), values.begin() + static_cast<std::ptrdiff_t>(middle), values.end());
  const double upper = values[middle];
  if (values.size() % 2 == 1) return upper;
  return (upper + *std::max_element(values.begin(), values.begin() + static_cast<std::ptrdiff_t>(middle))) / 2;
}

// The first run, which also warms the caches, tells how many runs a batch
// needs.
int RepeatsFor(const Work& work) {
  const double once = work(1);
  if (once >= kBatchSeconds) return 1;
  const double repeats = std::ceil(kBatchSeconds / std::max(once, 1e-7));
  return static_cast<int>(std::min<double>(repeats, kMaxRepeats));
}

bool Enough(int rounds, double seconds, const RoundOptions& options) {
  return rounds >= kMaxRounds || (rounds >= options.rounds && seconds >= options.minSeconds);
}

}  // namespace

PairResult Interleave(const Work& ours, const Work& reference, const RoundOptions& options) {
  const int oursRepeats = RepeatsFor(ours);
  const int referenceRepeats = RepeatsFor(reference);
  std::vector<double> oursSeconds, referenceSeconds, ratios;
  double total = 0;
  while (!Enough(static_cast<int>(ratios.size()), total, options)) {
    const double a = ours(oursRepeats);
    const double b = reference(referenceRepeats);
    total += a + b;
    oursSeconds.push_back(a / oursRepeats);
    referenceSeconds.push_back(b / referenceRepeats);
    ratios.push_back(referenceSeconds.back() > 0 ? oursSeconds.back() / referenceSeconds.back() : 0);
  }
  return {Median(oursSeconds), Median(referenceSeconds), Median(ratios), static_cast<int>(ratios.size())};
}

double Repeat(const Work& work, const RoundOptions& options) {
  const int repeats = RepeatsFor(work);
  std::vector<double> seconds;
  double total = 0;
  while (!Enough(static_cast<int>(seconds.size()), total, options)) {
    const double batch = work(repeats);
    total += batch;
    seconds.push_back(batch / repeats);
  }
  return Median(seconds);
}

std::string Milliseconds(double seconds) {
  char text[32];
  const double ms = seconds * 1e3;
  std::snprintf(text, sizeof text, ms < 10 ? "%.2f ms" : ms < 100 ? "%.1f ms" : "%.0f ms", ms);
  return text;
}

std::string Megabytes(double bytes) {
  char text[32];
  std::snprintf(text, sizeof text, "%.1f MB", bytes / 1e6);
  return text;
}

std::string Count(double count) {
  char digits[32];
  std::snprintf(digits, sizeof digits, "%.0f", count);
  std::string text;
  const std::string all = digits;
  for (std::size_t i = 0; i < all.size(); ++i) {
    if (i > 0 && (all.size() - i) % 3 == 0 && all[i - 1] != '-') text += ',';
    text += all[i];
  }
  return text;
}

std::string Ratio(double ratio) {
  char text[32];
  std::snprintf(text, sizeof text, "%.2f", ratio);
  return text;
}

void PrintTableHeader() {
  std::printf("%-50s %12s %12s %9s  %-12s\n", "measure", "ours", "reference", "value", "goal");
}

void PrintRow(const std::string& measure, const std::string& ours, const std::string& reference,
              const std::string& value, const std::string& goal, bool met) {
  std::printf("%-50s %12s %12s %9s  %-12s %s\n", measure.c_str(), ours.c_str(), reference.c_str(), value.c_str(),
              goal.c_str(), met ? "met" : "MISSED");
  std::fflush(stdout);
}

void PrintNote(const std::string& measure, const std::string& text) {
  std::printf("  %-48s %s\n", measure.c_str(), text.c_str());
  std::fflush(stdout);
}

}  // namespace vimbo::bench
