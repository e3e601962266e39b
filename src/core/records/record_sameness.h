#pragma once
// Whether two records are the same as the document file sees them: each
// field would be written alike. A merge and a change of the whole content
// touch only the records that differ so.

#include "core/records/records.h"

namespace vimbo {

// Two moments are the same when the file would write them alike.
bool SameMoment(const DateTimeValue& a, const DateTimeValue& b);

// Two follow-ups: the same moment, both done or both not; any two unset.
bool SameFollowUp(const ContactFollowUp& a, const ContactFollowUp& b);

bool SameRecord(const Person& a, const Person& b);
bool SameRecord(const Contact& a, const Contact& b);
bool SameRecord(const ContactType& a, const ContactType& b);
bool SameRecord(const User& a, const User& b);

}  // namespace vimbo
