#include "core/records/record_sameness.h"

#include "core/records/field_tables.h"

namespace vimbo {
namespace {

bool SameText(const CompactText& a, const CompactText& b) { return a.view() == b.view(); }

template <typename Record, std::size_t N>
bool SameFields(const Record& a, const Record& b, const RecordField<Record> (&fields)[N]) {
  for (const RecordField<Record>& field : fields)
    if (!SameText(a.*field.member, b.*field.member)) return false;
  return true;
}

}  // namespace

bool SameMoment(const DateTimeValue& a, const DateTimeValue& b) {
  if (a == b) return true;
  if (!a.IsValid() || !b.IsValid()) return a.IsValid() == b.IsValid();
  const auto [dayA, secondA] = a.SplitDay();
  const auto [dayB, secondB] = b.SplitDay();
  return dayA == dayB && secondA == secondB;
}

bool SameFollowUp(const ContactFollowUp& a, const ContactFollowUp& b) {
  if (!a.IsSet() || !b.IsSet()) return a.IsSet() == b.IsSet();
  return a.Done == b.Done && SameMoment(a.When, b.When);
}

bool SameRecord(const Person& a, const Person& b) {
  return SameFields(a, b, kPersonFields) && a.Birthday == b.Birthday && a.Anniversary == b.Anniversary &&
         a.KeepInTouch == b.KeepInTouch && SameText(a.Notes, b.Notes) && a.Details == b.Details;
}

bool SameRecord(const Contact& a, const Contact& b) {
  return a.PersonID == b.PersonID && a.ContactTypeID == b.ContactTypeID && SameText(a.Description, b.Description) &&
         SameMoment(a.DateTime, b.DateTime) && SameFollowUp(a.FollowUp, b.FollowUp);
}

bool SameRecord(const ContactType& a, const ContactType& b) { return SameText(a.Description, b.Description); }

bool SameRecord(const User& a, const User& b) { return SameFields(a, b, kUserFields); }

}  // namespace vimbo
