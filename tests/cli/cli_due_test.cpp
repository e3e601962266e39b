#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "core/document/document_loader.h"
#include "core/document/document_writer.h"
#include "core/records/date_time_text.h"
#include "core/reminders/calendar_days.h"
#include "support/cli_runner.h"
#include "support/people.h"
#include "support/temp_dir.h"

namespace vimbo {
namespace {

using testing::CliResult;
using testing::RunCli;

DateTimeValue At(const char* text) {
  DateTimeValue value;
  EXPECT_TRUE(ParseDocumentDateText(text, value)) << text;
  return value;
}

// Ann: an interval run out, follow-ups with notes of several lines, one
// later in the day, one done; a leap-day birthday. Bob: an interval and no
// contact, an anniversary without a year. Cy: a birthday and an anniversary
// on one day, a tab in the name. Dee: a birthday without a year on the day
// of Bob's anniversary.
DocumentData DueDocument() {
  DocumentData data;
  data.AddDefaultContactTypes();
  Person ann = testing::NamedPerson(1, "Ann", "Lee");
  ann.KeepInTouch = 30;
  ann.Birthday = {1980, 2, 29};
  Person bob = testing::NamedPerson(2, "Bob", "Roe");
  bob.KeepInTouch = 7;
  bob.Anniversary = {0, 3, 2};
  Person cy = testing::NamedPerson(3, "Cy\tJo", "Poe");
  cy.Birthday = {2000, 3, 1};
  cy.Anniversary = {2020, 3, 1};
  Person dee = testing::NamedPerson(4, "Dee", "Ray");
  dee.Birthday = {0, 3, 2};
  for (const Person& p : {ann, bob, cy, dee}) data.persons.Insert(p);
  const auto contact = [&](int32_t id, int32_t person, std::string notes, const char* followUp, bool done) {
    Contact c = testing::PersonContact(id, person, 1, std::move(notes));
    c.DateTime = At("1/20/2027 10:00:00 AM");
    if (followUp) c.FollowUp = {At(followUp), done};
    data.contacts.Insert(c);
  };
  contact(1, 1, "Call\r\nback\nabout\rit", "2/27/2027 11:00:00 PM", false);
  contact(2, 1, "", "2/20/2027", false);
  contact(3, 3, "done", "2/1/2027", true);
  contact(4, 3, "later", "3/3/2027", false);
  return data;
}

TEST(CliDue, ListsEachKindInItsOrderByteForByte) {
  testing::TempDir dir;
  const std::string path = dir.File("due.tch");
  ASSERT_TRUE(Write(DueDocument(), path).IsDone());
  const std::string followUps =
      "followup\t2\t1\t2027-02-20\tLee, Ann\t\n"
      "followup\t1\t1\t2027-02-27\tLee, Ann\tCall back about it\n";
  const struct {
    std::vector<std::string> options;
    int status;
    std::string out;
  } cases[] = {
      {{"--today", "2027-01-20", "--days", "0"}, 0, "keepintouch\t2\t\t2027-01-20\tRoe, Bob\n"},
      {{"--days", "0", "--today", "2027-02-27"},
       0,
       followUps + "keepintouch\t1\t2027-01-20\t2027-02-19\tLee, Ann\n"
                   "keepintouch\t2\t\t2027-02-27\tRoe, Bob\n"},
      {{"--today", "2027-02-27"},
       0,
       followUps + "keepintouch\t1\t2027-01-20\t2027-02-19\tLee, Ann\n"
                   "keepintouch\t2\t\t2027-02-27\tRoe, Bob\n"
                   "birthday\t1\t2027-02-28\tLee, Ann\t47\n"
                   "birthday\t3\t2027-03-01\tPoe, Cy Jo\t27\n"
                   "anniversary\t3\t2027-03-01\tPoe, Cy Jo\t7\n"
                   "birthday\t4\t2027-03-02\tRay, Dee\t\n"
                   "anniversary\t2\t2027-03-02\tRoe, Bob\t\n"},
      {{"--today", "2028-02-29", "--days", "1"},
       0,
       followUps + "followup\t4\t3\t2027-03-03\tPoe, Cy Jo\tlater\n"
                   "keepintouch\t1\t2027-01-20\t2027-02-19\tLee, Ann\n"
                   "keepintouch\t2\t\t2028-02-29\tRoe, Bob\n"
                   "birthday\t1\t2028-02-29\tLee, Ann\t48\n"
                   "birthday\t3\t2028-03-01\tPoe, Cy Jo\t28\n"
                   "anniversary\t3\t2028-03-01\tPoe, Cy Jo\t8\n"},
  };
  for (const auto& c : cases) {
    std::vector<std::string> args = {"due", path};
    args.insert(args.end(), c.options.begin(), c.options.end());
    const CliResult result = RunCli(args);
    SCOPED_TRACE(c.options[1]);
    EXPECT_EQ(result.status, c.status);
    EXPECT_EQ(result.out, c.out);
    EXPECT_EQ(result.err, "");
  }
  // Nothing due: nothing listed, exit status 1.
  ASSERT_EQ(RunCli({"new", dir.File("empty.tch")}).status, 0);
  const CliResult nothing = RunCli({"due", dir.File("empty.tch"), "--days", "366"});
  EXPECT_EQ(nothing.status, 1);
  EXPECT_EQ(nothing.out + nothing.err, "");
  // Without --today, the clock's day.
  const std::string today = DayText(DayOf(DateTimeValue::Now()));
  EXPECT_EQ(RunCli({"due", path}).out, RunCli({"due", path, "--today", today}).out);
}

TEST(CliDue, WrongCommandLinesAndUnreadableDocuments) {
  const struct {
    std::vector<std::string> args;
    std::string what;
  } cases[] = {
      {{"due", "--today", "2027-01-01"}, "due needs IN.tch"},
      {{"due", "a.tch", "--today", "2027-02-29"}, "invalid value '2027-02-29' for --today"},
      {{"due", "a.tch", "--days", "-1"}, "invalid value '-1' for --days"},
      {{"due", "a.tch", "--days", "7d"}, "invalid value '7d' for --days"},
      {{"due", "a.tch", "--days", "99999999999"}, "invalid value '99999999999' for --days"},
      {{"export", "ics", "a.tch"}, "export ics needs IN.tch and OUT.ics"},
      // No output is written over the document it comes from.
      {{"export", "ics", "a.tch", "a.tch"}, "export ics would write over IN.tch: give another OUT"},
      {{"export", "vcard", "a.tch", "a.tch"}, "export vcard would write over IN.tch: give another OUT"},
      {{"export", "contacts", "a.tch", "a.tch"}, "export contacts would write over IN.tch: give another OUT"},
  };
  for (const auto& c : cases) {
    const CliResult result = RunCli(c.args);
    EXPECT_EQ(result.status, 2) << c.what;
    EXPECT_EQ(result.err, testing::UsageMessage(c.what));
    EXPECT_EQ(result.out, "");
  }
  testing::TempDir dir;
  for (const std::vector<std::string>& args :
       {std::vector<std::string>{"due", dir.File("missing.tch"), "--today", "2027-01-01"},
        std::vector<std::string>{"export", "ics", dir.File("missing.tch"), dir.File("o.ics")}}) {
    const CliResult result = RunCli(args);
    EXPECT_EQ(result.status, 1) << args[0];
    EXPECT_EQ(result.out + result.err, "Error loading file.\n");
  }
  EXPECT_FALSE(std::filesystem::exists(dir.File("o.ics")));
  // However the path is spelled.
  ASSERT_EQ(RunCli({"new", dir.File("log.tch")}).status, 0);
  const std::string document = testing::ReadBytes(dir.File("log.tch"));
  EXPECT_EQ(RunCli({"export", "persons", dir.File("log.tch"), dir.Path().string() + "/./log.tch"}).status, 2);
  EXPECT_EQ(testing::ReadBytes(dir.File("log.tch")), document);
}

// The calendar goes to the file or to standard output, the count beside it;
// a follow-up keeps its UID when others come and go, and a new one never
// gets the UID of one deleted before it.
TEST(CliIcs, WritesTheCalendarAndKeepsEachUid) {
  testing::TempDir dir;
  const std::string path = dir.File("log.tch");
  ASSERT_TRUE(Write(DueDocument(), path).IsDone());
  const CliResult written = RunCli({"export", "ics", path, dir.File("a.ics")});
  EXPECT_EQ(written.status, 0);
  EXPECT_EQ(written.out, "3 to-dos and 5 events written\n");
  EXPECT_EQ(written.err, "");
  const std::string first = testing::ReadBytes(dir.File("a.ics"));
  const CliResult piped = RunCli({"export", "ics", path, "-"});
  EXPECT_EQ(piped.out.size(), first.size());
  EXPECT_EQ(piped.err, written.out);
  EXPECT_FALSE(std::filesystem::exists("-"));

  const auto uidOf = [](const std::string& text, const std::string& due) {
    const std::size_t at = text.rfind("UID:", text.find(due));
    return text.substr(at, text.find("\r\n", at) - at);
  };
  EXPECT_EQ(uidOf(first, "DUE:20270227T230000"), "UID:vimbo-followup-1@log.tch");
  // Edited as the program edits: loaded, the follow-up at the end removed
  // with its contact, another added.
  DocumentData data;
  ASSERT_EQ(Load(data, path).status, LoadResult::Status::kLoaded);
  data.contacts.Erase(4);
  data.contacts.Erase(1);
  Contact added = testing::PersonContact(data.contacts.NextID(), 2, 1, "new");
  added.DateTime = At("1/21/2027");
  added.FollowUp = {At("2/27/2027 11:00:00 PM"), false};
  data.contacts.Insert(added);
  ASSERT_TRUE(Write(data, path).IsDone());
  ASSERT_EQ(RunCli({"export", "ics", path, dir.File("b.ics")}).status, 0);
  const std::string second = testing::ReadBytes(dir.File("b.ics"));
  EXPECT_EQ(uidOf(second, "DUE;VALUE=DATE:20270220"), uidOf(first, "DUE;VALUE=DATE:20270220"));
  EXPECT_EQ(uidOf(second, "DUE:20270227T230000"), "UID:vimbo-followup-5@log.tch");

  // An empty document is a calendar without entries, not a failure.
  ASSERT_EQ(RunCli({"new", dir.File("empty.tch")}).status, 0);
  EXPECT_EQ(RunCli({"export", "ics", dir.File("empty.tch"), "-"}).err, "0 to-dos and 0 events written\n");
}

}  // namespace
}  // namespace vimbo
