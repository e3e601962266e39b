#include "core/transfer/ics_writer.h"

#include <gtest/gtest.h>

#include <string>

#include "core/records/date_time_text.h"
#include "support/people.h"

namespace vimbo {
namespace {

DateTimeValue At(const char* text) {
  DateTimeValue value;
  EXPECT_TRUE(ParseDocumentDateText(text, value)) << text;
  return value;
}

// Each kind of entry once, and what must not become one: a done follow-up,
// a person without dates. Text with every character that needs escaping, a
// line long enough to fold inside a two-byte character, a name stored as
// Windows-1252.
TEST(IcsWriter, WritesTheCalendarByteForByte) {
  DocumentData data;
  data.AddDefaultContactTypes();
  Person ann = testing::NamedPerson(1, "Ann", "Lee");
  ann.Birthday = {1980, 2, 29};
  ann.Anniversary = {0, 6, 1};
  Person jose = testing::NamedPerson(2, "Jos\xE9", "");
  jose.Anniversary = {2001, 12, 31};
  Person nobody = testing::NamedPerson(3, "No", "Dates");
  for (const Person& p : {ann, jose, nobody}) data.persons.Insert(p);
  const auto contact = [&](int32_t id, int32_t person, std::string notes, const char* followUp, bool done) {
    Contact c = testing::PersonContact(id, person, 1, std::move(notes));
    c.DateTime = At("1/2/2027");
    c.FollowUp = {At(followUp), done};
    data.contacts.Insert(c);
  };
  contact(7, 1, "Call back; ask a\\b, then\r\nsend\tthe\x01 list", "3/15/2027 5:30:00 PM", false);
  contact(8, 2, "", "3/1/2027", false);
  contact(9, 1, "done already", "2/1/2027", true);
  contact(10, 2, std::string(60, 'x') + "\xC3\xA9\xC3\xA9", "3/1/2027", false);

  DateTimeValue stamp;
  ASSERT_TRUE(stamp.SetDateTime(2027, 3, 1, 8, 5, 9));
  const IcsCalendar calendar = IcsText(data, "/home/me/My log.tch", stamp);
  EXPECT_EQ(calendar.toDos, 3);
  EXPECT_EQ(calendar.events, 3);
  EXPECT_EQ(calendar.text,
            "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Vimbo//Vimbo//EN\r\nCALSCALE:GREGORIAN\r\n"
            "BEGIN:VTODO\r\nUID:vimbo-followup-8@My%20log.tch\r\nDTSTAMP:20270301T080509Z\r\n"
            "DUE;VALUE=DATE:20270301\r\nSUMMARY:Follow up: Jos\xC3\xA9\r\nSTATUS:NEEDS-ACTION\r\nEND:VTODO\r\n"
            "BEGIN:VTODO\r\nUID:vimbo-followup-10@My%20log.tch\r\nDTSTAMP:20270301T080509Z\r\n"
            "DUE;VALUE=DATE:20270301\r\nSUMMARY:Follow up: Jos\xC3\xA9\r\n"
            "DESCRIPTION:" +
                std::string(60, 'x') + "\xC3\xA9\r\n \xC3\xA9\r\nSTATUS:NEEDS-ACTION\r\nEND:VTODO\r\n" +
                "BEGIN:VTODO\r\nUID:vimbo-followup-7@My%20log.tch\r\nDTSTAMP:20270301T080509Z\r\n"
                "DUE:20270315T173000\r\nSUMMARY:Follow up: Lee\\, Ann\r\n"
                "DESCRIPTION:Call back\\; ask a\\\\b\\, then\\nsend\tthe list\r\nSTATUS:NEEDS-ACTION\r\nEND:VTODO\r\n"
                "BEGIN:VEVENT\r\nUID:vimbo-birthday-1@My%20log.tch\r\nDTSTAMP:20270301T080509Z\r\n"
                "DTSTART;VALUE=DATE:19800229\r\nDTEND;VALUE=DATE:19800301\r\n"
                "RRULE:FREQ=YEARLY;BYMONTH=2;BYMONTHDAY=-1\r\nSUMMARY:Birthday: Lee\\, Ann\r\n"
                "TRANSP:TRANSPARENT\r\nEND:VEVENT\r\n"
                "BEGIN:VEVENT\r\nUID:vimbo-anniversary-1@My%20log.tch\r\nDTSTAMP:20270301T080509Z\r\n"
                "DTSTART;VALUE=DATE:20000601\r\nDTEND;VALUE=DATE:20000602\r\nRRULE:FREQ=YEARLY\r\n"
                "SUMMARY:Anniversary: Lee\\, Ann\r\nTRANSP:TRANSPARENT\r\nEND:VEVENT\r\n"
                "BEGIN:VEVENT\r\nUID:vimbo-anniversary-2@My%20log.tch\r\nDTSTAMP:20270301T080509Z\r\n"
                "DTSTART;VALUE=DATE:20011231\r\nDTEND;VALUE=DATE:20020101\r\nRRULE:FREQ=YEARLY\r\n"
                "SUMMARY:Anniversary: Jos\xC3\xA9\r\nTRANSP:TRANSPARENT\r\nEND:VEVENT\r\n"
                "END:VCALENDAR\r\n");
}

TEST(IcsWriter, DocumentNameForTheUids) {
  const struct {
    const char* path;
    const char* name;
  } cases[] = {
      {"log.tch", "log.tch"},
      {"/a/b/My_log-2.tch", "My_log-2.tch"},
      {"dir/caf\xC3\xA9;@x.tch", "caf%C3%A9%3B%40x.tch"},
      {"dir/", "vimbo"},
      {"", "vimbo"},
  };
  for (const auto& c : cases) EXPECT_EQ(IcsDocumentName(c.path), c.name) << c.path;
}

// The last day the calendar holds has no day after it to end on; the event
// is then a day long by the rule for dates without an end.
TEST(IcsWriter, AnEventOnTheLastDayHasNoEnd) {
  DocumentData data;
  Person ann = testing::NamedPerson(1, "Ann", "Lee");
  ann.Birthday = {9999, 12, 31};
  data.persons.Insert(ann);
  const std::string text = IcsText(data, "a.tch", DateTimeValue(0.0)).text;
  EXPECT_NE(text.find("DTSTART;VALUE=DATE:99991231\r\nRRULE:FREQ=YEARLY\r\n"), std::string::npos) << text;
}

}  // namespace
}  // namespace vimbo
