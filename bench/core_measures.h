#pragma once
// The measures of the core library: parse, load, save, the heap of a load,
// export and import, each beside its reference; and how their cost per
// record grows with the document.

#include <cstdint>
#include <string>

#include "bench_harness.h"

namespace vimbo::bench {

// A generated document, written to `path`, with its bytes.
struct BenchDocument {
  std::string path;
  std::string text;
  int32_t persons = 0;
  int32_t contacts = 0;
};

// Generates the document of `persons` and `contacts` and writes it to
// `path`; throws std::runtime_error when it cannot be written.
BenchDocument MakeDocument(const std::string& path, int32_t persons, int32_t contacts);

// The same persons and contacts, every contact given to one of the first
// persons by ID, `perPerson` contacts each (at least two persons): a large
// address book whose busiest persons have long lists. Returns those persons.
int32_t MakeHeapedDocument(const std::string& path, int32_t persons, int32_t contacts, int32_t perPerson);

void RunCoreMeasures(const BenchDocument& document, const std::string& folder, const RoundOptions& options);

// Load, save, export and import at 1,000 contacts and ten times as many
// each step up to `maxContacts`, with a person per ten contacts.
void RunGrowth(const std::string& folder, int32_t maxContacts, const RoundOptions& options);

}  // namespace vimbo::bench
