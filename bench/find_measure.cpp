#include "find_measure.h"

#include <cstdio>
#include <stdexcept>
#include <string_view>

#include "core/find/find.h"
#include "core/records/field_tables.h"

namespace vimbo::bench {
namespace {

// Two words of the generated notes, one of them in the middle of many.
constexpr std::string_view kQuery = "Revised QUOTE";
constexpr std::string_view kWords[] = {"revised", "quote"};

// The reference: each word looked for, case and accents as they are, in
// every person field and every note, as a plain scan would.
std::size_t PlainScan(const DocumentData& data) {
  std::size_t hits = 0;
  for (const auto& [id, person] : data.persons)
    for (const RecordField<Person>& field : kPersonFields)
      for (const std::string_view word : kWords) hits += (person.*field.member).view().find(word) != std::string_view::npos;
  for (const auto& [id, contact] : data.contacts)
    for (const std::string_view word : kWords) hits += contact.Description.view().find(word) != std::string_view::npos;
  return hits;
}

}  // namespace

void RunFindMeasure(const DocumentData& data, const RoundOptions& options) {
  std::size_t found = 0;
  std::size_t scanned = 0;
  const Work find = [&](int repeats) {
    return CpuSecondsOf([&] {
      for (int i = 0; i < repeats; ++i) found = Find(data, kQuery).contacts.size();
    });
  };
  const Work scan = [&](int repeats) {
    return CpuSecondsOf([&] {
      for (int i = 0; i < repeats; ++i) scanned = PlainScan(data);
    });
  };
  const PairResult result = Interleave(find, scan, options);
  if (found == 0 || scanned == 0) throw std::runtime_error("the find query matched nothing");
  // The goal is set for a document of 100,000 persons and 1,000,000
  // contacts; a smaller one is held to its share of it.
  const double records = static_cast<double>(data.persons.Size() + data.contacts.Size());
  const double goal = 0.050 * records / 1.1e6;
  char goalText[32];
  std::snprintf(goalText, sizeof goalText, "<= %.0f ms", goal * 1000);
  PrintRow("find \"" + std::string(kQuery) + "\" / plain substring scan", Milliseconds(result.ours),
           Milliseconds(result.reference), Ratio(result.ratio), goalText, result.ours <= goal);
  char note[96];
  std::snprintf(note, sizeof note, "%s contacts found; the goal is 50 ms at 100,000 persons, 1,000,000 contacts",
                Count(static_cast<double>(found)).c_str());
  PrintNote("find", note);
}

}  // namespace vimbo::bench
