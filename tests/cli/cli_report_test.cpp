// vimbo-cli report, run in this process on the offscreen platform, and once
// as the program itself.

#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "cli/cli_commands.h"
#include "core/document/document_writer.h"
#include "support/cli_runner.h"
#include "support/temp_dir.h"

namespace vimbo {
namespace {

using testing::CliResult;
using testing::RunCli;

int CountPages(const std::string& pdf) {
  int pages = 0;
  for (std::size_t at = pdf.find("/Type /Page"); at != std::string::npos; at = pdf.find("/Type /Page", at + 1)) {
    if (pdf.compare(at, 12, "/Type /Pages") != 0) ++pages;
  }
  return pages;
}

// Three persons (IDs 1, 2, 5), and contacts of Ann on 1 and 2 March 2004.
std::string ReportDocument(const testing::TempDir& dir) {
  DocumentData data;
  data.AddDefaultContactTypes();
  data.user.FName = "Sam";
  for (const auto& [id, name] : std::vector<std::pair<int32_t, std::string>>{{1, "Ann"}, {2, "Bob"}, {5, "Cy"}}) {
    Person person;
    person.ID = id;
    person.FName = name;
    person.LName = "Lee";
    data.persons.Insert(person);
  }
  for (int32_t day : {1, 2}) {
    Contact contact;
    contact.ID = day;
    contact.PersonID = 1;
    contact.ContactTypeID = 1;
    contact.Description = "Call " + std::to_string(day);
    contact.DateTime.SetDateTime(2004, 3, day, 9, 30, 0);
    data.contacts.Insert(contact);
  }
  std::string path = dir.File("in.tch");
  EXPECT_TRUE(Write(data, path).IsDone());
  return path;
}

TEST(CliReport, WritesEveryPageAndSaysHowMany) {
  testing::TempDir dir;
  const std::string in = ReportDocument(dir);
  const std::string out = dir.File("book.pdf");
  CliResult result = RunCli({"report", "addressbook", in, out});
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(result.err, "");
  EXPECT_EQ(result.out, "1 pages\n");
  EXPECT_EQ(CountPages(testing::ReadBytes(out)), 1);

  result = RunCli({"report", "envelopes", in, out, "--persons", "5,1", "--recipient", "title,company", "--return", "",
                   "--paper", "a4", "--margins", "250,250,250,250"});
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(result.out, "2 pages\n");
  EXPECT_EQ(CountPages(testing::ReadBytes(out)), 2);

  result = RunCli({"report", "contacts", in, out, "--from", "2004-03-02", "--to", "2004-03-02T09:30:00", "--font",
                   "Liberation Serif", "--size", "12", "--persons", "all"});
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(result.out, "1 pages\n");
}

// A report that lists nothing writes no file and says so, whether nobody
// is chosen or no contact falls within the range.
TEST(CliReport, AReportWithoutPagesWritesNoFileAndSaysSo) {
  testing::TempDir dir;
  ASSERT_EQ(RunCli({"new", dir.File("empty.tch")}).status, 0);
  const std::string in = ReportDocument(dir);
  const std::vector<std::vector<std::string>> cases = {
      {"addressbook", dir.File("empty.tch")}, {"contacts", dir.File("empty.tch")},
      {"envelopes", dir.File("empty.tch")},   {"contacts", in, "--from", "2005-01-01"},
      {"contacts", in, "--persons", "2,5"},
  };
  for (const std::vector<std::string>& args : cases) {
    std::vector<std::string> line = {"report", args[0], args[1], dir.File("out.pdf")};
    line.insert(line.end(), args.begin() + 2, args.end());
    const CliResult result = RunCli(line);
    EXPECT_EQ(result.status, 1) << args[0] << " " << args.size();
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err, "The report has no pages; no file was written.\n");
  }
  EXPECT_FALSE(std::filesystem::exists(dir.File("out.pdf")));
}

TEST(CliReport, FailuresSayWhatFailed) {
  testing::TempDir dir;
  const std::string in = ReportDocument(dir);
  CliResult result = RunCli({"report", "addressbook", dir.File("missing.tch"), dir.File("out.pdf")});
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(result.err, "Error loading file.\n");

  result = RunCli({"report", "addressbook", in, dir.File("out.pdf"), "--persons", "1,3"});
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(result.err, "No person with ID 3.\n");
  EXPECT_EQ(result.out, "");

  const std::string out = dir.File("no/such/folder/out.pdf");
  result = RunCli({"report", "addressbook", in, out});
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(result.err, "Error saving " + out + ".\n");
  EXPECT_FALSE(std::filesystem::exists(dir.File("out.pdf")));
}

// A wrong command line says in one line what is wrong, before any file is read.
TEST(CliReport, WrongArgumentsSayWhatIsWrong) {
  const std::vector<std::string> page = {"report", "envelopes", "in.tch", "out.pdf"};
  const struct {
    std::vector<std::string> args;
    std::string what;
  } cases[] = {
      {{"report"}, "report needs addressbook, contacts, envelopes or activity"},
      {{"report", "addressbook", "in.tch"}, "report addressbook needs IN.tch and OUT.pdf"},
      {{"report", "labels", "in.tch", "out.pdf"},
       "unknown report 'labels' (addressbook, contacts, envelopes or activity)"},
      {{"report", "activity", "in.tch", "out.pdf", "--recipient", "title"},
       "report activity takes no option '--recipient'"},
      {{"report", "activity", "in.tch", "out.pdf", "--to", "2004-13-01"}, "invalid value '2004-13-01' for --to"},
      {{"report", "addressbook", "in.tch", "out.pdf", "extra"}, "unexpected argument 'extra'"},
      {{"report", "activity", "in.tch", "in.tch"}, "report activity would write over IN.tch: give another OUT"},
      {{"report", "addressbook", "in.tch", "out.pdf", "--persons"}, "option '--persons' needs a value"},
      {{"report", "addressbook", "in.tch", "out.pdf", "--persons", ""}, "invalid value '' for --persons"},
      {{"report", "addressbook", "in.tch", "out.pdf", "--persons", "1,,2"}, "invalid value '1,,2' for --persons"},
      {{"report", "addressbook", "in.tch", "out.pdf", "--persons", "0"}, "invalid value '0' for --persons"},
      {{"report", "addressbook", "in.tch", "out.pdf", "--persons", "x"}, "invalid value 'x' for --persons"},
      {{"report", "addressbook", "in.tch", "out.pdf", "--from", "2004-03-01"},
       "report addressbook takes no option '--from'"},
      {{"report", "envelopes", "in.tch", "out.pdf", "--to", "2004-03-01"}, "report envelopes takes no option '--to'"},
      {{"report", "addressbook", "in.tch", "out.pdf", "--return", "title"},
       "report addressbook takes no option '--return'"},
      {{"report", "contacts", "in.tch", "out.pdf", "--from", "2004-3-1"}, "invalid value '2004-3-1' for --from"},
      {{"report", "contacts", "in.tch", "out.pdf", "--from", "2004-02-30"}, "invalid value '2004-02-30' for --from"},
      {{"report", "contacts", "in.tch", "out.pdf", "--to", "2004-03-01 09:30:00"},
       "invalid value '2004-03-01 09:30:00' for --to"},
      {{"report", "contacts", "in.tch", "out.pdf", "--to", "2004-03-01T24:00:00"},
       "invalid value '2004-03-01T24:00:00' for --to"},
      {{"--recipient", "name"}, "invalid value 'name' for --recipient"},
      {{"--margins", "500,500,500"}, "invalid value '500,500,500' for --margins"},
      {{"--margins", "500,500,500,-1"}, "invalid value '500,500,500,-1' for --margins"},
      {{"--font", ""}, "invalid value '' for --font"},
      {{"--size", "0"}, "invalid value '0' for --size"},
      {{"--size", "10.5"}, "invalid value '10.5' for --size"},
      {{"--paper", "legal"}, "invalid value 'legal' for --paper"},
  };
  for (const auto& c : cases) {
    std::vector<std::string> args = c.args;
    // Options alone are given to an envelopes report.
    if (args[0] != "report") args.insert(args.begin(), page.begin(), page.end());
    const CliResult result = RunCli(args);
    EXPECT_EQ(result.status, 2) << c.what;
    EXPECT_EQ(result.err, testing::UsageMessage(c.what));
    EXPECT_EQ(result.out, "");
  }
}

// The activity report: 24 months a page, the last twelve months by default.
TEST(CliReport, ActivityCoversTheRangeInPagesOfTwoYears) {
  testing::TempDir dir;
  const std::string in = ReportDocument(dir);
  const std::string out = dir.File("activity.pdf");
  const struct {
    std::vector<std::string> options;
    int pages;  // 0: lists nothing; -1: any number
  } cases[] = {
      {{"--from", "2004-03-01", "--to", "2004-03-31"}, 1},
      {{"--from", "2002-01-01", "--to", "2004-03-01T09:30:00"}, 2},  // 27 months
      {{"--from", "2004-03-02T09:30:01", "--to", "2004-12-31"}, 0},  // after both contacts
      {{"--from", "2004-01-01", "--to", "2004-12-31", "--persons", "2,5"}, 0},
      {{"--from", "2004-01-01", "--to", "2004-12-31", "--persons", "1"}, 1},
      {{"--from", "2004-04-01", "--to", "2004-03-01"}, 0},
      {{"--from", "2004-01-01"}, -1},  // up to this month, however many pages that takes
      {{}, 0},                         // the last twelve months: nothing in them
  };
  for (const auto& c : cases) {
    std::filesystem::remove(out);
    std::vector<std::string> args = {"report", "activity", in, out};
    args.insert(args.end(), c.options.begin(), c.options.end());
    const CliResult result = RunCli(args);
    const std::string what = c.options.empty() ? "defaults" : c.options[0] + " " + c.options[1];
    if (c.pages == 0) {
      EXPECT_EQ(result.status, 1) << what;
      EXPECT_EQ(result.err, "The report has no pages; no file was written.\n") << what;
      EXPECT_FALSE(std::filesystem::exists(out)) << what;
      continue;
    }
    EXPECT_EQ(result.status, 0) << what;
    EXPECT_EQ(result.err, "") << what;
    const int pages = CountPages(testing::ReadBytes(out));
    EXPECT_EQ(result.out, std::to_string(pages) + " pages\n") << what;
    if (c.pages > 0) {
      EXPECT_EQ(pages, c.pages) << what;
    }
  }

  // A contact this month, and one thirteen months ago, fall within and
  // without the default range.
  DocumentData data;
  data.AddDefaultContactTypes();
  Person person;
  person.ID = 1;
  data.persons.Insert(person);
  const DateTimeValue now = DateTimeValue::Now();
  for (const double back : {0.0, 400.0}) {
    data.contacts.Clear();
    Contact contact;
    contact.ID = 1;
    contact.PersonID = 1;
    contact.DateTime = DateTimeValue(std::floor(now.Number()) - back);
    data.contacts.Insert(contact);
    ASSERT_TRUE(Write(data, dir.File("now.tch")).IsDone());
    const CliResult result = RunCli({"report", "activity", dir.File("now.tch"), out});
    EXPECT_EQ(result.status, back == 0.0 ? 0 : 1) << back;
  }
}

TEST(CliReport, TheProgramNeedsNoDisplay) {
  testing::TempDir dir;
  const std::string in = ReportDocument(dir);
  const std::string command = "env -u QT_QPA_PLATFORM -u DISPLAY -u WAYLAND_DISPLAY " + std::string(VIMBO_CLI_PATH) +
                              " report contacts '" + in + "' '" + dir.File("c.pdf") + "' >'" + dir.File("out") +
                              "' 2>'" + dir.File("err") + "'";
  EXPECT_EQ(WEXITSTATUS(std::system(command.c_str())), 0);
  EXPECT_EQ(testing::ReadBytes(dir.File("out")), "1 pages\n");
  EXPECT_EQ(testing::ReadBytes(dir.File("err")), "");
  EXPECT_EQ(testing::ReadBytes(dir.File("c.pdf")).rfind("%PDF", 0), 0u);
}

}  // namespace
}  // namespace vimbo
