#include "cli/find_command.h"

#include <ostream>
#include <string_view>

#include "cli/cli_commands.h"
#include "cli/command_support.h"
#include "cli/person_order.h"
#include "core/find/find.h"
#include "core/records/date_time_text.h"

namespace vimbo::cli {
namespace {

// A line break of any kind, CR LF included, as one space.
void PutOnOneLine(std::ostream& out, std::string_view text) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    out << (text[i] == '\r' || text[i] == '\n' ? ' ' : text[i]);
  }
}

}  // namespace

int FindCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  RequireArguments(args, 1, 1, "find", "IN.tch");
  if (args.size() < 3) throw UsageError{"find needs at least one word"};
  DocumentData& data = CommandDocument();
  if (!LoadForCommand(data, args[1], err)) return kFailure;
  std::string query;
  for (std::size_t i = 2; i < args.size(); ++i) query.append(i > 2 ? " " : "").append(args[i]);
  FindResults results = Find(data, query);
  if (results.Empty()) return kFailure;
  ListedByName(data.persons, results.persons);
  for (const int32_t id : results.persons) {
    out << "person\t" << id << '\t';
    PutOnOneLine(out, data.persons.Find(id)->DisplayName());
    out << '\n';
  }
  for (const int32_t id : results.contacts) {
    const Contact& contact = *data.contacts.Find(id);
    out << "contact\t" << id << '\t' << contact.PersonID << '\t';
    if (contact.DateTime.IsValid()) out << IsoDateText(contact.DateTime) << ' ' << IsoTimeText(contact.DateTime);
    out << '\t';
    PutOnOneLine(out, contact.Description);
    out << '\n';
  }
  return kSuccess;
}

}  // namespace vimbo::cli
