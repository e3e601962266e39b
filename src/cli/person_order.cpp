#include "cli/person_order.h"

#ifdef VIMBO_CLI_REPORTS
#include "gfx/name_order.h"
#endif

namespace vimbo::cli {

void ListedByName(const Persons& persons, std::vector<int32_t>& ids) {
#ifdef VIMBO_CLI_REPORTS
  SortPersonIdsByName(persons, ids);
#else
  (void)persons;
  (void)ids;
#endif
}

}  // namespace vimbo::cli
