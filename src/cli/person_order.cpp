#include "cli/person_order.h"

#ifdef VIMBO_CLI_REPORTS
#include "gfx/display_text.h"
#include "gfx/name_order.h"
#endif

namespace vimbo::cli {

void ListedByName(const Persons& persons, std::vector<int32_t>& ids) {
#ifdef VIMBO_CLI_REPORTS
  std::vector<NamedEntry> entries;
  entries.reserve(ids.size());
  for (const int32_t id : ids) entries.push_back({ToDisplay(persons.Find(id)->DisplayName()), id});
  SortByName(entries);
  for (std::size_t i = 0; i < ids.size(); ++i) ids[i] = entries[i].id;
#else
  (void)persons;
  (void)ids;
#endif
}

}  // namespace vimbo::cli
