#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "core/document/document_loader.h"
#include "core/document/document_writer.h"
#include "support/cli_runner.h"
#include "support/people.h"
#include "support/temp_dir.h"

namespace vimbo {
namespace {

using testing::CliResult;
using testing::RunCli;

// A base with Ann and her contact, and two copies: OURS moved Ann to Ely
// and added Bob; THEIRS moved her to Kiel and added Cy under Bob's ID.
struct Copies {
  explicit Copies(const testing::TempDir& dir)
      : base(dir.File("base.tch")), ours(dir.File("ours.tch")), theirs(dir.File("theirs.tch")) {
    DocumentData data;
    data.AddDefaultContactTypes();
    data.persons.Insert(testing::NamedPerson(1, "Ann", "Lee"));
    data.persons.LastID = 1;
    data.contacts.Insert(Dated(testing::PersonContact(1, 1, 1, "called")));
    data.contacts.LastID = 1;
    EXPECT_TRUE(vimbo::Write(data, base).IsDone());
    WriteCopy(data, ours, "Ely", testing::NamedPerson(2, "Bob", "Ray"));
    WriteCopy(data, theirs, "Kiel", testing::NamedPerson(2, "Cy", "Moss"));
  }
  static Contact Dated(Contact contact) {
    contact.DateTime.SetDateTime(2026, 3, contact.ID, 10, 0, 0);
    return contact;
  }
  static void WriteCopy(DocumentData data, const std::string& path, const char* city, const Person& added) {
    Person ann = *data.persons.Find(1);
    ann.City = city;
    data.persons.Replace(ann);
    data.persons.Insert(added);
    data.persons.LastID = 2;
    data.contacts.Insert(Dated(testing::PersonContact(2, 2, 2, added.FName.str())));
    data.contacts.LastID = 2;
    EXPECT_TRUE(vimbo::Write(data, path).IsDone());
  }
  std::string base, ours, theirs;
};

TEST(CliMerge, ConflictsOnStandardOutputAndOutWritten) {
  testing::TempDir dir;
  const Copies copies(dir);
  const std::string out = dir.File("out.tch");
  const std::string oursBytes = testing::ReadBytes(copies.ours);
  CliResult result = RunCli({"merge", copies.base, copies.ours, copies.theirs, out});
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(result.out, "conflict\tperson\t1\tCity\tEly\tKiel\n");
  EXPECT_EQ(result.err, "");
  DocumentData merged;
  ASSERT_TRUE(Load(merged, out).Ok());
  EXPECT_EQ(merged.persons.Find(1)->City, "Ely");
  EXPECT_EQ(merged.persons.Find(2)->FName, "Bob");
  EXPECT_EQ(merged.persons.Find(3)->FName, "Cy") << "THEIRS' added person takes the next ID";
  EXPECT_EQ(merged.persons.LastID, 3);
  EXPECT_EQ(merged.contacts.Find(3)->PersonID, 3) << "and its contact follows it";
  EXPECT_EQ(testing::ReadBytes(copies.ours), oursBytes);

  result = RunCli({"merge", copies.base, copies.ours, copies.theirs, out, "--prefer", "theirs"});
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(result.out, "conflict\tperson\t1\tCity\tKiel\tEly\n");
  ASSERT_TRUE(Load(merged, out).Ok());
  EXPECT_EQ(merged.persons.Find(1)->City, "Kiel");

  // Merging a copy with itself changes nothing and reports nothing.
  result = RunCli({"merge", copies.base, copies.ours, copies.ours, out});
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(result.out, "");
  EXPECT_EQ(testing::ReadBytes(out), oursBytes);
}

TEST(CliMerge, WithoutABaseEverythingDifferentIsKept) {
  testing::TempDir dir;
  const Copies copies(dir);
  const std::string out = dir.File("out.tch");
  const CliResult result = RunCli({"merge", copies.ours, copies.theirs, out});
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.out, "");
  DocumentData merged;
  ASSERT_TRUE(Load(merged, out).Ok());
  // Ann and Bob from OURS; THEIRS' Ann and Cy renumbered, with their contacts.
  ASSERT_EQ(merged.persons.Size(), 4u);
  EXPECT_EQ(merged.persons.Find(3)->City, "Kiel");
  EXPECT_EQ(merged.persons.Find(4)->FName, "Cy");
  ASSERT_EQ(merged.contacts.Size(), 4u);
  EXPECT_EQ(merged.contacts.Find(3)->PersonID, 3);
  EXPECT_EQ(merged.contacts.Find(4)->PersonID, 4);
}

TEST(CliMerge, WrongCommandLinesAndUnreadableInputsWriteNothing) {
  testing::TempDir dir;
  const Copies copies(dir);
  const std::string out = dir.File("out.tch");
  const struct {
    std::vector<std::string> args;
    std::string err;
  } usage[] = {
      {{"merge", copies.ours, out}, "merge needs [BASE.tch] OURS.tch, THEIRS.tch and OUT.tch"},
      {{"merge", "--prefer", "ours", copies.base, copies.ours, copies.theirs, out},
       "merge needs [BASE.tch] OURS.tch, THEIRS.tch and OUT.tch"},
      {{"merge", copies.base, copies.ours, copies.theirs, out, "--prefer", "mine"},
       "invalid value 'mine' for --prefer"},
      {{"merge", copies.base, copies.ours, copies.theirs, out, "--force-it"}, "merge takes no option '--force-it'"},
      {{"merge", copies.base, copies.ours, copies.theirs, copies.ours}, "OUT.tch must not be one of the copies merged"},
      {{"merge", copies.ours, copies.theirs, dir.File("./theirs.tch")}, "OUT.tch must not be one of the copies merged"},
      {{"merge", copies.ours, copies.theirs, "-"}, "merge reads and writes files, not standard input or output"},
  };
  for (const auto& c : usage) {
    const CliResult result = RunCli(c.args);
    EXPECT_EQ(result.status, 2) << c.err;
    EXPECT_EQ(result.err, testing::UsageMessage(c.err));
  }
  testing::WriteBytes(dir.File("bad.tch"), "<Vimbo>\n<Persons>\n</Vimbo>\n");
  for (const std::string& input : {dir.File("missing.tch"), dir.File("bad.tch")}) {
    const CliResult result = RunCli({"merge", copies.base, input, copies.theirs, out});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err, input == dir.File("bad.tch") ? "Parsing error at line 3\n" : "Error loading file.\n");
  }
  EXPECT_FALSE(std::filesystem::exists(out));

  const CliResult unwritable = RunCli({"merge", copies.ours, copies.theirs, dir.File("no/such/out.tch")});
  EXPECT_EQ(unwritable.status, 1);
  EXPECT_EQ(unwritable.err, "Error saving " + dir.File("no/such/out.tch") + ".\n");
}

}  // namespace
}  // namespace vimbo
