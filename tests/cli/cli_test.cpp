#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "cli/cli_commands.h"
#include "document/document_writer.h"
#include "support/temp_dir.h"

namespace vimbo {
namespace {

struct CliResult {
  int status;
  std::string out;
  std::string err;
};

CliResult RunCli(const std::vector<std::string>& args) {
  std::ostringstream out;
  std::ostringstream err;
  const int status = cli::Run(args, out, err);
  return {status, out.str(), err.str()};
}

std::string NewDocumentText() {
  DocumentData data;
  data.AddDefaultContactTypes();
  return DocumentText(data);
}

TEST(CliNew, WritesTheNewDocumentBytes) {
  testing::TempDir dir;
  const std::string path = dir.File("new.tch");
  const CliResult result = RunCli({"new", path});
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(result.out, "");
  EXPECT_EQ(testing::ReadBytes(path), NewDocumentText());
}

TEST(CliResave, GivesTheSameBytesForAWrittenFile) {
  testing::TempDir dir;
  ASSERT_EQ(RunCli({"new", dir.File("a.tch")}).status, 0);
  ASSERT_EQ(RunCli({"resave", dir.File("a.tch"), dir.File("b.tch")}).status, 0);
  EXPECT_EQ(testing::ReadBytes(dir.File("b.tch")), testing::ReadBytes(dir.File("a.tch")));
}

TEST(CliResave, KeepsTheShippedSampleByteForByte) {
  testing::TempDir dir;
  const std::string sample = std::string(VIMBO_EXAMPLES_DIR) + "/sample.tch";
  ASSERT_EQ(RunCli({"resave", sample, dir.File("copy.tch")}).status, 0);
  EXPECT_EQ(testing::ReadBytes(dir.File("copy.tch")), testing::ReadBytes(sample));
  const CliResult info = RunCli({"info", sample});
  EXPECT_EQ(info.out, "persons 6\ncontacts 11\ncontact types 4\nversion 12\n");
}

TEST(CliResave, UpgradesAnOlderFileAsOpenDoes) {
  testing::TempDir dir;
  testing::WriteBytes(dir.File("old.tch"), "<Vimbo Version=\"1\"/>");
  ASSERT_EQ(RunCli({"resave", dir.File("old.tch"), dir.File("new.tch")}).status, 0);
  EXPECT_EQ(testing::ReadBytes(dir.File("new.tch")), NewDocumentText());
}

TEST(CliErrors, SayWhatFailedInTheProgramsWords) {
  testing::TempDir dir;
  testing::WriteBytes(dir.File("bad.tch"), "<Vimbo>\n<Persons>\n</Vimbo>\n");
  CliResult result = RunCli({"resave", dir.File("bad.tch"), dir.File("out.tch")});
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(result.err, "Parsing error at line 3\n");

  result = RunCli({"info", dir.File("missing.tch")});
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(result.err, "Error loading file.\n");

  const std::string out = dir.File("no/such/folder/out.tch");
  result = RunCli({"new", out});
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(result.err, "Error saving " + out + ".\n");
}

TEST(CliInfo, CountsTheRecords) {
  testing::TempDir dir;
  testing::WriteBytes(dir.File("a.tch"),
                      "<Vimbo Version=\"12\"><Persons><P ID=\"1\"/><P ID=\"2\"/></Persons>"
                      "<Contacts><C ID=\"1\"/></Contacts></Vimbo>");
  const CliResult result = RunCli({"info", dir.File("a.tch")});
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(result.out, "persons 2\ncontacts 1\ncontact types 0\nversion 12\n");
}

TEST(CliUsage, WrongArgumentsExitWithTwo) {
  for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
           {}, {"new"}, {"new", "a", "b"}, {"resave", "a"}, {"info"}, {"frobnicate", "a"}}) {
    const CliResult result = RunCli(args);
    EXPECT_EQ(result.status, 2);
    EXPECT_NE(result.err.find("usage: vimbo-cli"), std::string::npos);
  }
}

TEST(CliProgram, ExitStatusReachesTheShell) {
  testing::TempDir dir;
  const std::string command = std::string(VIMBO_CLI_PATH) + " new '" + dir.File("p.tch") + "'";
  EXPECT_EQ(WEXITSTATUS(std::system(command.c_str())), 0);
  EXPECT_EQ(testing::ReadBytes(dir.File("p.tch")), NewDocumentText());
  const std::string usage = std::string(VIMBO_CLI_PATH) + " 2>/dev/null";
  EXPECT_EQ(WEXITSTATUS(std::system(usage.c_str())), 2);
}

}  // namespace
}  // namespace vimbo
