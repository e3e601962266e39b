#include "gfx/name_order.h"

#include <QCollator>
#include <algorithm>

#include "gfx/display_text.h"

namespace vimbo {
namespace {

const QCollator& CaseInsensitiveCollator() {
  static const QCollator collator = [] {
    QCollator c;
    c.setCaseSensitivity(Qt::CaseInsensitive);
    return c;
  }();
  return collator;
}

}  // namespace

void SortByName(std::vector<NamedEntry>& entries) {
  const QCollator& collator = CaseInsensitiveCollator();
  std::stable_sort(entries.begin(), entries.end(),
                   [&](const NamedEntry& a, const NamedEntry& b) { return collator.compare(a.text, b.text) < 0; });
}

void SortPersonIdsByName(const Persons& persons, std::vector<int32_t>& ids) {
  std::vector<NamedEntry> entries;
  entries.reserve(ids.size());
  for (const int32_t id : ids) entries.push_back({ToDisplay(persons.Find(id)->DisplayName()), id});
  SortByName(entries);
  for (std::size_t i = 0; i < ids.size(); ++i) ids[i] = entries[i].id;
}

bool ListedBefore(const NamedEntry& entry, const NamedEntry& other) {
  const int order = CaseInsensitiveCollator().compare(entry.text, other.text);
  return order < 0 || (order == 0 && entry.id < other.id);
}

}  // namespace vimbo
