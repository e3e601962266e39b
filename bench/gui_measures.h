#pragma once
// The measures of the desktop program on the offscreen platform: opening a
// document, the contacts report's preview and the form's person switch, the
// switch also with a screen reader listening.

#include <cstdint>
#include <string>

#include "bench_harness.h"

namespace vimbo::bench {

struct GuiDocuments {
  std::string folder;     // scratch space, also for the program's settings
  std::string document;   // opened, and reported on
  std::string switching;  // a document whose persons have about 10,000 contacts each
  // The persons of `document`, its contacts heaped on its first
  // `heapedPersons` persons by ID, 10,000 each.
  std::string heaped;
  int32_t heapedPersons = 0;
};

// Runs in a process of its own, so the resident memory of the open grows
// from that of a program that has just started. Returns the exit status.
int RunGuiMeasures(int& argc, char** argv, const GuiDocuments& documents, const RoundOptions& options);

}  // namespace vimbo::bench
