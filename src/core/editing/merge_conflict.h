#pragma once
// What a merge of two copies of a document could not join by itself: a
// field changed differently on both sides, or a record deleted on one side
// and changed on the other. Each is reported as one line of text.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/records/person_detail.h"

namespace vimbo {

// In the order the document file holds them, which is the order of the report.
enum class RecordKind : uint8_t { kUser, kPerson, kContact, kContactType };

struct MergeConflict {
  RecordKind kind = RecordKind::kPerson;
  int32_t id = 0;  // 0 for the user
  // The field's element name in the file, or kDeletedField.
  std::string field;
  std::string kept;
  std::string other;

  friend bool operator==(const MergeConflict&, const MergeConflict&) = default;
};

// A record deleted on one side and changed on the other is kept and reported
// under this field, with these two values.
inline constexpr std::string_view kDeletedField = "(deleted)";
inline constexpr std::string_view kChangedValue = "changed";
inline constexpr std::string_view kDeletedValue = "deleted";

// "person", "contact", "contacttype", "user".
std::string_view RecordKindName(RecordKind kind);

// "conflict<TAB>KIND<TAB>ID<TAB>FIELD<TAB>kept<TAB>other" and a line feed.
// The values keep the line to one line: each line break (CR LF, CR or LF)
// and each tab becomes one space.
std::string ConflictLine(const MergeConflict& conflict);

// A person's details as one text: "phone work: 555; address home: 1 Dock
// Rd, Kiel", a photo by its type and size rather than its bytes.
std::string DetailsText(const std::vector<PersonDetail>& details);

}  // namespace vimbo
