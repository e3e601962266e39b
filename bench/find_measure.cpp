#include "find_measure.h"

#include <cstdio>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "core/find/find.h"
#include "core/records/field_tables.h"

namespace vimbo::bench {
namespace {

struct Query {
  std::string_view text;
  std::vector<std::string_view> words;  // as a plain scan looks for them
  bool findsContacts;
};

// Two words of the generated notes, one of them in the middle of many; and
// a word no record holds, which every field is searched through for.
const Query kQueries[] = {
    {"Revised QUOTE", {"revised", "quote"}, true},
    {"shelving", {"shelving"}, false},
};

// The reference: each word looked for, case and accents as they are, in
// every person field and every note, as a plain scan would.
std::size_t PlainScan(const DocumentData& data, const Query& query) {
  std::size_t hits = 0;
  for (const auto& [id, person] : data.persons)
    for (const RecordField<Person>& field : kPersonFields)
      for (const std::string_view word : query.words)
        hits += (person.*field.member).view().find(word) != std::string_view::npos;
  for (const auto& [id, contact] : data.contacts)
    for (const std::string_view word : query.words)
      hits += contact.Description.view().find(word) != std::string_view::npos;
  return hits;
}

void MeasureQuery(const DocumentData& data, const Query& query, const RoundOptions& options) {
  std::size_t found = 0;
  std::size_t scanned = 0;
  const Work find = [&](int repeats) {
    return CpuSecondsOf([&] {
      for (int i = 0; i < repeats; ++i) found = Find(data, query.text).contacts.size();
    });
  };
  const Work scan = [&](int repeats) {
    return CpuSecondsOf([&] {
      for (int i = 0; i < repeats; ++i) scanned = PlainScan(data, query);
    });
  };
  const PairResult result = Interleave(find, scan, options);
  if (query.findsContacts && found == 0) throw std::runtime_error("the find query matched nothing");
  // The goal is set for a document of 100,000 persons and 1,000,000
  // contacts; a smaller one is held to its share of it.
  const double records = static_cast<double>(data.persons.Size() + data.contacts.Size());
  const double goal = 0.050 * records / 1.1e6;
  char goalText[32];
  std::snprintf(goalText, sizeof goalText, "<= %.0f ms", goal * 1000);
  PrintRow("find \"" + std::string(query.text) + "\" / plain substring scan", Milliseconds(result.ours),
           Milliseconds(result.reference), Ratio(result.ratio), goalText, result.ours <= goal);
  char note[160];
  std::snprintf(note, sizeof note, "%s contacts found (plain scan: %s hits); find takes %s times the plain scan's time",
                Count(static_cast<double>(found)).c_str(), Count(static_cast<double>(scanned)).c_str(),
                Ratio(result.ratio).c_str());
  PrintNote("find", note);
}

}  // namespace

void RunFindMeasure(const DocumentData& data, const RoundOptions& options) {
  for (const Query& query : kQueries) MeasureQuery(data, query, options);
  PrintNote("find", "the goal is 50 ms at 100,000 persons, 1,000,000 contacts");
}

}  // namespace vimbo::bench
