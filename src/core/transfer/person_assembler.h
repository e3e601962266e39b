#pragma once
// Puts the values of an imported record into a person, each where its
// column's key says: a typed phone to the field its type goes to while that
// is free and to a detail after that, the parts of an address together, a
// birthday as a date, multi-values ("a ::: b") split into one value each.

#include <string>
#include <string_view>
#include <vector>

#include "core/records/records.h"
#include "core/transfer/column_roles.h"

namespace vimbo {

class PersonAssembler {
 public:
  // One key per column, as the import settings give them.
  explicit PersonAssembler(const std::vector<std::string>& keys);

  // Whether every column is one of the seventeen fields or none, so that a
  // record can be read field by field into the person.
  bool Plain() const { return plain_; }

  // Fills `person` from the record's values, one per column (missing ones
  // count as empty). True when the values name someone: a first name, last
  // name or company, or a phone, e-mail or web address of a typed column.
  bool Fill(const std::vector<std::string>& values, Person& person);

 private:
  class Placement;
  struct Group {
    DetailKind kind;
    std::string label;
    int typeColumn = -1;
    std::vector<std::pair<std::size_t, GroupPart>> parts;
  };

  void PutGroup(const Group& group, const std::vector<std::string>& values, Placement& placement);

  std::vector<ColumnRole> roles_;
  std::vector<std::string> keys_;
  std::vector<Group> groups_;  // in the order of their first column
  bool plain_ = true;
  // Reused from record to record: a group's values split at " ::: ".
  std::vector<std::vector<std::string_view>> pieces_;
  std::vector<std::string_view> types_;
};

}  // namespace vimbo
