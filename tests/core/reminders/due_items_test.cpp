#include "core/reminders/due_items.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/editing/document_operations.h"
#include "core/records/date_time_text.h"
#include "core/reminders/calendar_days.h"
#include "support/people.h"

namespace vimbo {
namespace {

DateTimeValue At(const char* text) {
  DateTimeValue value;
  EXPECT_TRUE(ParseDocumentDateText(text, value)) << text;
  return value;
}

int64_t Day(const char* iso) { return ParseDayText(iso).value(); }

// Every due item as one line, in the list's order, so a case reads as the
// list a user would see.
std::vector<std::string> Lines(const DueItems& due) {
  std::vector<std::string> lines;
  for (const DueFollowUp& f : due.followUps)
    lines.push_back("followup " + std::to_string(f.contactId) + " " + IsoDateText(f.when));
  for (const DueKeepInTouch& k : due.keepInTouch)
    lines.push_back("keepintouch " + std::to_string(k.personId) + " " +
                    (k.lastContactDay ? DayText(*k.lastContactDay) : "-") + " " + DayText(k.dueDay));
  for (const ComingDate& c : due.comingDates)
    lines.push_back(std::string(c.kind == DateKind::kBirthday ? "birthday " : "anniversary ") +
                    std::to_string(c.personId) + " " + DayText(c.day) + " " +
                    (c.years ? std::to_string(*c.years) : "-"));
  return lines;
}

// The rules day by day are the table of `vimbo-cli due`'s output; here what
// the line form does not show: a follow-up goes with its person's contacts,
// and the last contact is the latest one, whatever the order of the IDs.
TEST(DueItems, AFollowUpGoesWithItsPersonAndTheLastContactIsTheLatest) {
  DocumentData data;
  data.AddDefaultContactTypes();
  Person bob = testing::NamedPerson(2, "Bob", "Roe");
  bob.KeepInTouch = 7;
  for (const Person& p : {testing::NamedPerson(1, "Ann", "Lee"), bob, testing::NamedPerson(3, "Cy", "Poe")})
    data.persons.Insert(p);
  const auto contact = [&](int32_t id, int32_t person, const char* when, const char* followUp) {
    Contact c = testing::PersonContact(id, person, 1);
    c.DateTime = At(when);
    if (followUp) c.FollowUp = {At(followUp), false};
    data.contacts.Insert(c);
  };
  contact(1, 1, "1/20/2027", "2/20/2027");
  contact(2, 3, "2/2/2027", "3/3/2027");
  contact(3, 3, "2/1/2027", nullptr);
  EXPECT_EQ(Lines(FindDue(data, Day("2027-03-03"), 0)),
            (std::vector<std::string>{"followup 1 2027-02-20", "followup 2 2027-03-03", "keepintouch 2 - 2027-03-03"}));
  ASSERT_TRUE(DeletePerson(data, 1).Done());
  EXPECT_EQ(Lines(FindDue(data, Day("2027-03-03"), 0)),
            (std::vector<std::string>{"followup 2 2027-03-03", "keepintouch 2 - 2027-03-03"}));
  EXPECT_EQ(LastContactDay(data, 3), Day("2027-02-02"));
  EXPECT_EQ(LastContactDay(data, 2), std::nullopt);
}

// The last days of the calendar: a date that would come again only in year
// 10000 is not listed at all, rather than on some day long past.
TEST(DueItems, DatesAtTheEndOfTheCalendar) {
  DocumentData data;
  Person ann = testing::NamedPerson(1, "Ann", "Lee");
  ann.Birthday = {1980, 1, 1};
  ann.Anniversary = {0, 12, 31};
  data.persons.Insert(ann);
  EXPECT_EQ(Lines(FindDue(data, Day("9999-12-31"), 400)), (std::vector<std::string>{"anniversary 1 9999-12-31 -"}));
  EXPECT_EQ(Lines(FindDue(data, Day("9999-12-30"), 1)), (std::vector<std::string>{"anniversary 1 9999-12-31 -"}));
  EXPECT_EQ(Lines(FindDue(data, Day("9998-12-31"), 1)),
            (std::vector<std::string>{"anniversary 1 9998-12-31 -", "birthday 1 9999-01-01 8019"}));
}

TEST(CalendarDays, DayTextIsReadStrictly) {
  EXPECT_EQ(DayText(Day("2027-02-28")), "2027-02-28");
  EXPECT_EQ(ParseDayText("0100-01-01"), DayOf(100, 1, 1));
  for (const char* text : {"2027-02-29", "2027-2-28", "2027-02-2", " 2027-1-01", "2027- 1-01", "+202-01-01",
                           "2027-01-01x", "2027/01/01", "99999-01-01", ""})
    EXPECT_EQ(ParseDayText(text), std::nullopt) << text;
}

}  // namespace
}  // namespace vimbo
