#pragma once
// What the measures beside the load share: a step that must succeed, and
// the load of a document as the reference side of a ratio.

#include <stdexcept>
#include <string>

#include "bench_harness.h"
#include "core/document/document_loader.h"

namespace vimbo::bench {

// Stops the run when a step of its setup failed.
inline void Require(bool ok, const char* what) {
  if (!ok) throw std::runtime_error(what);
}

// Loads the document at `path` `repeats` times, each into a fresh one.
inline Work LoadWork(const std::string& path) {
  return [path](int repeats) {
    double seconds = 0;
    for (int i = 0; i < repeats; ++i) {
      DocumentData copy;
      seconds += CpuSecondsOf([&] { Require(Load(copy, path).Ok(), "the document did not load"); });
    }
    return seconds;
  };
}

}  // namespace vimbo::bench
