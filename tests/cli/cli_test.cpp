#include <gtest/gtest.h>
#include <unistd.h>

#include <sys/stat.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "cli/cli_commands.h"
#include "core/document/document_loader.h"
#include "core/document/document_writer.h"
#include "support/cli_runner.h"
#include "support/dates.h"
#include "support/temp_dir.h"

namespace vimbo {
namespace {

using testing::CliResult;
using testing::RunCli;

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

// A document another running Vimbo has open is not written, by any command
// that writes one, unless --force; the lock of a program on this host that
// is gone is no lock.
TEST(CliLock, CommandsThatWriteRefuseAnOpenDocumentUnlessForced) {
  testing::TempDir dir;
  const std::string doc = dir.File("open.tch");
  ASSERT_EQ(RunCli({"new", doc}).status, 0);
  ASSERT_EQ(RunCli({"new", dir.File("copy.tch")}).status, 0);
  testing::WriteBytes(dir.File("people.csv"), "Ann,Lee\n");
  testing::WriteBytes(dir.File("cards.vcf"), "BEGIN:VCARD\r\nVERSION:4.0\r\nFN:Ann Lee\r\nEND:VCARD\r\n");
  const std::vector<std::vector<std::string>> writers = {
      {"new", doc},
      {"resave", doc, doc},
      {"import", doc, dir.File("people.csv"), doc, "--columns", "FirstName,LastName"},
      {"import", doc, dir.File("cards.vcf"), doc},
      {"merge", dir.File("copy.tch"), dir.File("copy.tch"), doc},
  };
  const auto lockedBy = [&](const std::string& host) {
    testing::WriteBytes(dir.File(".open.tch.lock"), "999999999\nvimbo\n" + host + "\n");
  };
  lockedBy("elsewhere.example");
  for (std::vector<std::string> command : writers) {
    const std::string before = testing::ReadBytes(doc);
    const CliResult refused = RunCli(command);
    EXPECT_EQ(refused.status, 1) << command[0];
    const std::string said = doc + " is open in another Vimbo window (elsewhere.example, since ";
    EXPECT_EQ(refused.err.substr(0, said.size()), said);
    EXPECT_EQ(testing::ReadBytes(doc), before);
    command.push_back("--force");
    EXPECT_EQ(RunCli(command).status, 0) << command[0];
  }
  char host[256] = {};
  gethostname(host, sizeof host - 1);
  lockedBy(host);
  EXPECT_EQ(RunCli({"resave", doc, doc}).status, 0) << "a stale lock";
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

// A document with two persons and one contact of each.
std::string TransferDocument(const testing::TempDir& dir) {
  std::string path = dir.File("in.tch");
  DocumentData data;
  data.AddDefaultContactTypes();
  Person ann;
  ann.ID = 1;
  ann.FName = "Ann";
  ann.LName = "O\"Neil";
  ann.City = "Ely";
  data.persons.Insert(ann);
  Person bob;
  bob.ID = 2;
  bob.FName = "Bob";
  data.persons.Insert(bob);
  for (int32_t id : {1, 2}) {
    Contact contact;
    contact.ID = id;
    contact.PersonID = id;
    contact.ContactTypeID = id;
    contact.DateTime.SetDateTime(2004, 3, id, 9, 30, 0);
    data.contacts.Insert(contact);
  }
  EXPECT_TRUE(Write(data, path).IsDone());
  return path;
}

TEST(CliExport, PersonsWithEveryFieldByDefault) {
  testing::TempDir dir;
  const std::string out = dir.File("persons.csv");
  const CliResult result = RunCli({"export", "persons", TransferDocument(dir), out});
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(result.out, "2 lines written\n");
  EXPECT_EQ(result.err, "");
  EXPECT_EQ(testing::ReadBytes(out),
            "\"FirstName\",\"LastName\",\"Address\",\"City\",\"State\",\"ZipCode\",\"Phone\",\"Fax\","
            "\"E-Mail\",\"Company\",\"Position\",\"Title\",\"WorkPhone\",\"Extension\",\"CelPhone\",\"Pager\","
            "\"WebPage\"\n"
            "\"Ann\",\"O\"\"Neil\",,\"Ely\",,,,,,,,,,,,,\n"
            "\"Bob\",,,,,,,,,,,,,,,,\n");
}

TEST(CliExport, ContactsWithIsoDates) {
  testing::TempDir dir;
  const std::string in = TransferDocument(dir);
  const std::string out = dir.File("contacts.csv");
  CliResult result = RunCli({"export", "contacts", in, out, "--iso-dates", "--encloser", "none"});
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(testing::ReadBytes(out),
            "FirstName,LastName,Date,Time,Description,ContactType\n"
            "Ann,O\"Neil,2004-03-01,09:30:00,,Telephone\n"
            "Bob,,2004-03-02,09:30:00,,E-Mail\n");
  result = RunCli({"export", "persons", in, out, "--iso-dates"});
  EXPECT_EQ(result.status, 2) << "persons have no dates";
}

TEST(CliExport, ContactsWithChosenFieldsAndCharacters) {
  testing::TempDir dir;
  const std::string in = TransferDocument(dir);
  const std::string out = dir.File("contacts.txt");
  const CliResult result = RunCli({"export", "contacts", in, out, "--encloser", "none", "--fields", "ContactType,Date",
                                   "--separator", "semicolon"});
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(result.out, "2 lines written\n");
  EXPECT_EQ(testing::ReadBytes(out), "ContactType;Date\nTelephone;03/01/04\nE-Mail;03/02/04\n");

  ASSERT_EQ(RunCli({"export", "contacts", in, out, "--fields", "", "--separator", "x", "--encloser", "'"}).status, 0);
  EXPECT_EQ(testing::ReadBytes(out), "\n\n\n");
  ASSERT_EQ(
      RunCli({"export", "persons", in, out, "--fields", "LastName", "--separator", "tab", "--encloser", "single-quote"})
          .status,
      0);
  EXPECT_EQ(testing::ReadBytes(out), "'LastName'\n'O\"Neil'\n\n");
}

TEST(CliExport, FailuresSayWhatFailed) {
  testing::TempDir dir;
  const std::string in = TransferDocument(dir);
  const std::string out = dir.File("no/such/folder/out.csv");
  CliResult result = RunCli({"export", "persons", in, out});
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(result.out, "");
  EXPECT_EQ(result.err, "Error saving " + out + ".\n");

  result = RunCli({"export", "contacts", dir.File("missing.tch"), dir.File("out.csv")});
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(result.err, "Error loading file.\n");
  EXPECT_FALSE(std::filesystem::exists(dir.File("out.csv")));
}

TEST(CliImport, AddsPersonsAndWritesTheDocument) {
  testing::TempDir dir;
  const std::string in = TransferDocument(dir);
  const std::string text = dir.File("people.txt");
  testing::WriteBytes(text, "\xEF\xBB\xBFid\tLast\tFirst\n7\tLee\tCy\n8\t\tDee\n9\n10\tMoss");
  const std::string out = dir.File("out.tch");
  const CliResult result =
      RunCli({"import", in, text, out, "--first-line-names", "--separator", "tab", "--columns", ",LastName,FirstName"});
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(result.err, "");
  EXPECT_EQ(result.out, "3 names added to current database.\n");

  DocumentData data;
  ASSERT_TRUE(Load(data, out).Ok());
  ASSERT_EQ(data.persons.Size(), 5u);
  EXPECT_EQ(data.persons.Find(3)->LName, "Lee");
  EXPECT_EQ(data.persons.Find(3)->FName, "Cy");
  EXPECT_EQ(data.persons.Find(4)->LName, "Dee") << "tabs in a row separate once";
  EXPECT_EQ(data.persons.Find(5)->LName, "Moss");
  EXPECT_EQ(data.contacts.Size(), 2u);
}

TEST(CliImport, NamesLineImportedUnlessSkipped) {
  testing::TempDir dir;
  const std::string in = TransferDocument(dir);
  const std::string text = dir.File("people.csv");
  testing::WriteBytes(text, "\"LastName\";\"City\"\n'Lee';'Ely'\n");
  const CliResult result = RunCli({"import", in, text, dir.File("out.tch"), "--columns", "LastName,City", "--separator",
                                   ";", "--encloser", "double-quote"});
  EXPECT_EQ(result.out, "2 names added to current database.\n");
  DocumentData data;
  ASSERT_TRUE(Load(data, dir.File("out.tch")).Ok());
  EXPECT_EQ(data.persons.Find(3)->LName, "LastName");
  EXPECT_EQ(data.persons.Find(4)->LName, "'Lee'");
}

// A web address book's file: the first line names the columns, those Vimbo
// knows are imported and the first line is not a person.
TEST(CliImport, ColumnsByTheirNames) {
  testing::TempDir dir;
  const std::string in = TransferDocument(dir);
  const std::string text = dir.File("contacts.csv");
  testing::WriteBytes(text,
                      "Given Name;Family Name;Country;E-mail 1 - Value;Phone 1 - Value;Website;Surname\n"
                      "Cy;Lee;UK;cy@example.org;555;https://lee.example;ignored\n");
  const std::string out = dir.File("out.tch");
  CliResult result = RunCli({"import", in, text, out, "--separator", ";", "--columns", "auto"});
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.out, "1 names added to current database.\n");
  DocumentData data;
  ASSERT_TRUE(Load(data, out).Ok());
  ASSERT_EQ(data.persons.Size(), 3u);
  const Person& cy = *data.persons.Find(3);
  EXPECT_EQ(cy.FName, "Cy");
  EXPECT_EQ(cy.LName, "Lee");
  EXPECT_EQ(cy.EMail, "cy@example.org");
  EXPECT_EQ(cy.Phone, "555");
  EXPECT_EQ(cy.WebPage, "https://lee.example");
  EXPECT_EQ(cy.City, "");
  EXPECT_EQ(cy.Country(), "UK");
  // The second column naming the last name held a value, so it is named.
  EXPECT_EQ(result.err, "Columns not imported: Surname\n");

  // What the export writes comes back by its names, every field of it.
  const std::string csv = dir.File("all.csv");
  ASSERT_EQ(RunCli({"export", "persons", out, csv}).status, 0);
  ASSERT_EQ(RunCli({"import", in, csv, dir.File("back.tch"), "--columns", "auto", "--first-line-names"}).status, 0);
  ASSERT_TRUE(Load(data, dir.File("back.tch")).Ok());
  ASSERT_EQ(data.persons.Size(), 5u);
  EXPECT_EQ(data.persons.Find(5)->WebPage, "https://lee.example");
  EXPECT_EQ(data.persons.Find(3)->LName, "O\"Neil");

  testing::WriteBytes(text, "id,shoe size\n1,x\n");
  result = RunCli({"import", in, text, dir.File("none.tch"), "--columns", "auto"});
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(result.err, "No column of " + text + " has a field name Vimbo knows.\n");
  EXPECT_FALSE(std::filesystem::exists(dir.File("none.tch")));
}

// The layouts of address books in and out: typed columns, a file with
// carriage returns alone as line ends, the columns left out on standard
// error, and our export in their layouts read back whole.
TEST(CliImport, AddressBookLayoutsInAndOut) {
  testing::TempDir dir;
  const std::string in = TransferDocument(dir);
  const std::string text = dir.File("book.csv");
  testing::WriteBytes(text,
                      "Given Name,Family Name,Photo,Group Membership,Phone 1 - Type,Phone 1 - Value,Notes\r"
                      "Ann,Lee,,* myContacts,Work ::: Mobile,555 1 ::: 555 2,\"two\rlines\"\r"
                      "Bob,Ray,https://p.example/b.jpg,,,,\r");
  const std::string out = dir.File("out.tch");
  const CliResult result = RunCli({"import", in, text, out, "--columns", "auto"});
  ASSERT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.out, "2 names added to current database.\n");
  EXPECT_EQ(result.err, "Columns not imported: Photo, Group Membership\n");
  DocumentData data;
  ASSERT_TRUE(Load(data, out).Ok());
  ASSERT_EQ(data.persons.Size(), 4u);
  const Person& ann = *data.persons.Find(3);
  EXPECT_EQ(ann.WkPhone, "555 1");
  EXPECT_EQ(ann.CelPhone, "555 2");
  EXPECT_EQ(ann.Notes, "two\rlines");
  EXPECT_EQ(data.persons.Find(4)->LName, "Ray");

  for (const char* layout : {"google", "outlook", "vimbo"}) {
    const std::string csv = dir.File(std::string(layout) + ".csv");
    const CliResult written = RunCli({"export", "persons", out, csv, "--layout", layout});
    EXPECT_EQ(written.out, "4 lines written\n") << layout;
    const CliResult back = RunCli({"import", in, csv, dir.File("back.tch"), "--columns", "auto"});
    EXPECT_EQ(back.out, "4 names added to current database.\n") << layout;
    EXPECT_EQ(back.err, "") << layout;
    ASSERT_TRUE(Load(data, dir.File("back.tch")).Ok());
    const Person* annAgain = data.persons.Find(5);
    ASSERT_NE(annAgain, nullptr) << layout;
    EXPECT_EQ(annAgain->CelPhone, "555 2") << layout;
    // The program's own columns are the seventeen fields.
    if (std::string(layout) != "vimbo") {
      EXPECT_EQ(annAgain->Notes, "two\rlines") << layout;
    }
  }
  const CliResult piped = RunCli({"export", "persons", out, "-", "--layout", "outlook"});
  EXPECT_EQ(piped.out, testing::ReadBytes(dir.File("outlook.csv")));
  EXPECT_EQ(piped.err, "4 lines written\n");
}

TEST(CliImport, FailuresSayWhatFailed) {
  testing::TempDir dir;
  const std::string in = TransferDocument(dir);
  const std::string text = dir.File("people.csv");
  testing::WriteBytes(text, "Lee\n");

  CliResult result = RunCli({"import", in, dir.File("missing.csv"), dir.File("out.tch"), "--columns", "LastName"});
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(result.err, "Unable to open file " + dir.File("missing.csv") + ".\n");
  EXPECT_FALSE(std::filesystem::exists(dir.File("out.tch")));

  testing::WriteBytes(dir.File("bad.tch"), "<Vimbo>\n<Persons>\n</Vimbo>\n");
  result = RunCli({"import", dir.File("bad.tch"), text, dir.File("out.tch"), "--columns", "LastName"});
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(result.err, "Parsing error at line 3\n");

  const std::string out = dir.File("no/such/folder/out.tch");
  result = RunCli({"import", in, text, out, "--columns", "LastName"});
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(result.out, "");
  EXPECT_EQ(result.err, "Error saving " + out + ".\n");
}

// A wrong command line says in one line what is wrong, points to --help and
// exits with 2, before any file is read or written.
TEST(CliUsage, WrongArgumentsSayWhatIsWrong) {
  const struct {
    std::vector<std::string> args;
    std::string what;
  } cases[] = {
      {{}, "no command given"},
      {{"new"}, "new needs OUT.tch"},
      {{"new", "a", "b"}, "unexpected argument 'b'"},
      {{"resave", "a"}, "resave needs IN.tch and OUT.tch"},
      {{"info"}, "info needs IN.tch"},
      {{"frobnicate", "a"}, "unknown command 'frobnicate'"},
      {{"export"}, "export needs persons, contacts, vcard or ics"},
      {{"export", "persons", "a"}, "export persons needs IN.tch and OUT.txt"},
      {{"export", "people", "a", "b"}, "unknown export 'people' (persons, contacts, vcard or ics)"},
      {{"export", "persons", "a", "b", "--fields"}, "option '--fields' needs a value"},
      {{"export", "persons", "a", "--fields", "LastName"}, "export persons needs IN.tch and OUT.txt"},
      {{"export", "persons", "a", "b", "--columns", "LastName"}, "export persons takes no option '--columns'"},
      {{"export", "persons", "a", "b", "--iso-dates"}, "export persons takes no option '--iso-dates'"},
      {{"export", "persons", "a", "b", "--separator", "colon"}, "invalid value 'colon' for --separator"},
      {{"export", "persons", "a", "b", "--separator", ""}, "invalid value '' for --separator"},
      {{"export", "persons", "a", "b", "--encloser", "\xC2\xAB"}, "invalid value '\xC2\xAB' for --encloser"},
      {{"export", "persons", "a", "b", "extra"}, "unexpected argument 'extra'"},
      {{"export", "persons", "a", "b", "--layout", "excel"}, "invalid value 'excel' for --layout"},
      {{"export", "persons", "a", "b", "--layout", "google", "--fields", "LastName"},
       "option '--fields' does not go with --layout google"},
      {{"export", "contacts", "a", "b", "--layout", "google"}, "export contacts takes no option '--layout'"},
      {{"export", "vcard", "a"}, "export vcard needs IN.tch and OUT.vcf"},
      {{"export", "vcard", "a", "b", "--persons", "1,x"}, "invalid value '1,x' for --persons"},
      {{"import", "a", "b", "c"}, "import needs --columns"},
      {{"import", "a", "b", "--columns", "LastName"}, "import needs IN.tch, DATA and OUT.tch"},
      {{"import", "a", "b", "c", "--columns", "LastName", "--first-line-names", "yes"}, "unexpected argument 'yes'"},
      {{"import", "a", "b", "c", "--columns", "LastName", "--fields", "LastName"}, "import takes no option '--fields'"},
      {{"import", "a", "b", "c", "--format", "xml"}, "invalid value 'xml' for --format"},
      {{"import", "a", "b", "c", "--format", "vcard", "--columns", "LastName"},
       "import of vCard cards takes no option '--columns'"},
      {{"find", "a"}, "find needs at least one word"},
      {{"help", "bogus"}, "unknown command 'bogus'"},
      {{"help", "new", "info"}, "unexpected argument 'info'"},
      {{"--help", "new", "x"}, "unexpected argument 'x'"},
      {{"--version", "--help"}, "unexpected argument '--help'"},
      {{"new", "a", "--version"}, "new takes no option '--version'"},
      {{"-v"}, "unknown command '-v'"},
  };
  for (const auto& c : cases) {
    const CliResult result = RunCli(c.args);
    EXPECT_EQ(result.status, 2) << c.what;
    EXPECT_EQ(result.err, testing::UsageMessage(c.what));
    EXPECT_EQ(result.out, "");
  }
}

// The whole usage, or one command's, is a result: standard output, success.
TEST(CliUsage, HelpAndVersionGoToStandardOutput) {
  const CliResult help = RunCli({"--help"});
  EXPECT_EQ(help.status, 0);
  EXPECT_EQ(help.err, "");
  EXPECT_EQ(
      help.out.rfind("usage: vimbo-cli new OUT.tch [--force]\n       vimbo-cli resave IN.tch OUT.tch [--force]\n", 0),
      0u);
  EXPECT_EQ(RunCli({"help"}).out, help.out);

  const CliResult find = RunCli({"help", "find"});
  EXPECT_EQ(find.status, 0);
  EXPECT_EQ(find.err, "");
  EXPECT_EQ(find.out.rfind("usage: vimbo-cli find IN.tch QUERY...\nfind: ", 0), 0u) << find.out;
  EXPECT_LT(find.out.size(), help.out.size());
  for (const char* command : {"new", "resave", "info", "export", "import", "report", "find", "due"}) {
    const CliResult asked = RunCli({"help", command});
    EXPECT_EQ(asked.status, 0);
    EXPECT_NE(asked.out.find(std::string("vimbo-cli ") + command + " "), std::string::npos) << command;
    EXPECT_EQ(RunCli({command, "--help"}).out, asked.out) << command;
    EXPECT_EQ(RunCli({"--help", command}).out, asked.out) << command;
    // Every line of a command's usage is a line of the whole usage.
    std::istringstream lines(asked.out);
    for (std::string line; std::getline(lines, line);) {
      if (line.starts_with("usage: ")) line.erase(0, 7);
      EXPECT_NE(help.out.find(line), std::string::npos) << line;
    }
  }
  EXPECT_EQ(RunCli({"export", "persons", "missing.tch", "out.txt", "--help"}).status, 0) << "nothing is read";

  const CliResult version = RunCli({"--version"});
  EXPECT_EQ(version.status, 0);
  EXPECT_EQ(version.err, "");
  EXPECT_TRUE(std::regex_match(version.out, std::regex("vimbo-cli [0-9]+(\\.[0-9]+)+\n"))) << version.out;
}

// "-" reads the data from standard input or writes the export to standard
// output, byte for byte what a file gets; the count then goes to standard
// error, so that it does not mix into the data. No file named "-" appears.
TEST(CliStandardStreams, DashReadsOrWritesTheData) {
  testing::TempDir dir;
  const std::string in = TransferDocument(dir);
  for (const std::vector<std::string>& kind : std::vector<std::vector<std::string>>{
           {"persons"}, {"contacts", "--iso-dates"}, {"persons", "--fields", "LastName,City", "--separator", "tab"}}) {
    std::vector<std::string> args = {"export", kind[0], in, dir.File("file.txt")};
    args.insert(args.end(), kind.begin() + 1, kind.end());
    const CliResult toFile = RunCli(args);
    ASSERT_EQ(toFile.status, 0) << toFile.err;
    args[3] = "-";
    const CliResult toOutput = RunCli(args);
    EXPECT_EQ(toOutput.status, 0);
    EXPECT_EQ(toOutput.out, testing::ReadBytes(dir.File("file.txt"))) << kind[0];
    EXPECT_EQ(toOutput.err, toFile.out);
  }
  CliResult cards = RunCli({"export", "vcard", in, "-"});
  EXPECT_EQ(cards.status, 0);
  EXPECT_EQ(cards.out.rfind("BEGIN:VCARD\r\n", 0), 0u);
  EXPECT_EQ(cards.err, "2 cards written\n");

  const struct {
    std::vector<std::string> options;
    std::string input;
    std::string said;
  } imports[] = {
      {{"--columns", "LastName,FirstName"}, "\xEF\xBB\xBFLee,Cy\r\nMoss\n\n", "2 names added to current database.\n"},
      {{"--columns", "auto", "--separator", ";"}, "Surname;Given Name\nLee;Cy", "1 names added to current database.\n"},
      {{}, cards.out, "2 names added to current database.\n"},
      {{"--format", "vcard"}, "BEGIN:VCARD\nFN:x\n", "0 names added to current database. 1 cards could not be read.\n"},
      {{"--columns", "LastName"}, "", "0 names added to current database.\n"},
  };
  for (const auto& c : imports) {
    std::vector<std::string> args = {"import", in, "-", dir.File("out.tch")};
    args.insert(args.end(), c.options.begin(), c.options.end());
    const CliResult result = RunCli(args, c.input);
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out, c.said);
  }
  DocumentData data;
  ASSERT_TRUE(Load(data, dir.File("out.tch")).Ok());
  EXPECT_EQ(data.persons.Size(), 2u) << "the last import added nobody";
  ASSERT_EQ(RunCli({"import", in, "-", dir.File("out.tch"), "--columns", "LastName,FirstName"}, "Lee,Cy\n").status, 0);
  ASSERT_TRUE(Load(data, dir.File("out.tch")).Ok());
  EXPECT_EQ(data.persons.Find(3)->FName, "Cy");
  EXPECT_FALSE(std::filesystem::exists("-")) << "nothing in the working folder";

  // The program itself keeps the two streams apart.
  const std::string command = std::string(VIMBO_CLI_PATH) + " export persons '" + in + "' - --fields LastName >'" +
                              dir.File("o") + "' 2>'" + dir.File("e") + "'";
  EXPECT_EQ(WEXITSTATUS(std::system(command.c_str())), 0);
  EXPECT_EQ(testing::ReadBytes(dir.File("o")), "\"LastName\"\n\"O\"\"Neil\"\n\n");
  EXPECT_EQ(testing::ReadBytes(dir.File("e")), "2 lines written\n");
}

#ifndef VIMBO_CLI_REPORTS
TEST(CliUsage, ABuildWithoutQtHasNoReport) {
  const CliResult result = RunCli({"report", "addressbook", "in.tch", "out.pdf"});
  EXPECT_EQ(result.status, 2);
  EXPECT_EQ(result.err, testing::UsageMessage("this build has no report output (it was built without Qt)"));
}
#endif

TEST(CliProgram, ExitStatusReachesTheShell) {
  testing::TempDir dir;
  const std::string command = std::string(VIMBO_CLI_PATH) + " new '" + dir.File("p.tch") + "'";
  EXPECT_EQ(WEXITSTATUS(std::system(command.c_str())), 0);
  EXPECT_EQ(testing::ReadBytes(dir.File("p.tch")), NewDocumentText());
  const std::string failed = std::string(VIMBO_CLI_PATH) + " export persons '" + dir.File("p.tch") + "' '" +
                             dir.File("no/x.csv") + "' 2>/dev/null";
  EXPECT_EQ(WEXITSTATUS(std::system(failed.c_str())), 1);
  const std::string usage = std::string(VIMBO_CLI_PATH) + " 2>/dev/null";
  EXPECT_EQ(WEXITSTATUS(std::system(usage.c_str())), 2);

  testing::WriteBytes(dir.File("names.csv"), "Last Name,Mobile Phone\nLee,0700\n");
  const std::string byName = std::string(VIMBO_CLI_PATH) + " import '" + dir.File("p.tch") + "' '" +
                             dir.File("names.csv") + "' '" + dir.File("q.tch") + "' --columns auto >/dev/null";
  EXPECT_EQ(WEXITSTATUS(std::system(byName.c_str())), 0);
  DocumentData data;
  ASSERT_TRUE(Load(data, dir.File("q.tch")).Ok());
  ASSERT_EQ(data.persons.Size(), 1u);
  EXPECT_EQ(data.persons.begin()->second.CelPhone, "0700");
}

TEST(CliFind, PersonsThenContactsNewestFirstWithTheirExitStatus) {
  testing::TempDir dir;
  const std::string path = dir.File("find.tch");
  DocumentData data;
  const char* names[][2] = {{"Anna", "Becker"}, {"D\xC3\xA9sir\xC3\xA9", "Okafor"}, {"Zoe", "Quote"}};
  for (int32_t id = 1; id <= 3; ++id) {
    Person person;
    person.ID = id;
    person.FName = names[id - 1][0];
    person.LName = names[id - 1][1];
    data.persons.Insert(person);
  }
  const char* notes[] = {"Sent the quote", "Quote for shelving,\r\nsecond line", "Lunch"};
  for (int32_t id = 1; id <= 3; ++id) {
    Contact contact;
    contact.ID = id;
    contact.PersonID = id;
    contact.DateTime.SetDateTime(2026, 12, id, 14, 5, 9);
    contact.Description = notes[id - 1];
    data.contacts.Insert(contact);
  }
  ASSERT_TRUE(Write(data, path).IsDone());

  CliResult result = RunCli({"find", path, "QUOTE"});
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(result.out,
            "person\t3\tQuote, Zoe\n"
            "contact\t3\t3\t2026-12-03 14:05:09\tLunch\n"
            "contact\t2\t2\t2026-12-02 14:05:09\tQuote for shelving, second line\n"
            "contact\t1\t1\t2026-12-01 14:05:09\tSent the quote\n");
  result = RunCli({"find", path, "desire", "shelving"});
  EXPECT_EQ(result.out, "contact\t2\t2\t2026-12-02 14:05:09\tQuote for shelving, second line\n");
  result = RunCli({"find", path, "quote", "nowhere"});
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(result.out, "");
  EXPECT_EQ(RunCli({"find", path}).status, 2);
  EXPECT_EQ(RunCli({"find", dir.File("missing.tch"), "x"}).status, 1);

  const std::string program = std::string(VIMBO_CLI_PATH) + " find '" + path + "' ";
  EXPECT_EQ(WEXITSTATUS(std::system((program + "okafor >/dev/null").c_str())), 0);
  EXPECT_EQ(WEXITSTATUS(std::system((program + "'   ' >/dev/null").c_str())), 1);
}

TEST(CliVCard, ExportsTheChosenPersonsAndImportsCardsOfAnyVersion) {
  testing::TempDir dir;
  const std::string in = TransferDocument(dir);  // Ann O"Neil (1) and Bob (2)
  CliResult result = RunCli({"export", "vcard", in, dir.File("all.vcf")});
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(result.out, "2 cards written\n");
  const std::string cards = testing::ReadBytes(dir.File("all.vcf"));
  // In the person list's order, which a build without Qt has not: by ID there.
  EXPECT_EQ(cards.substr(0, 29), "BEGIN:VCARD\r\nVERSION:4.0\r\nFN:");
  EXPECT_NE(cards.find("N:;Bob;;;\r\n"), std::string::npos);
  EXPECT_NE(cards.find("N:O\"Neil;Ann;;;\r\n"), std::string::npos);
  EXPECT_EQ(RunCli({"export", "vcard", in, dir.File("one.vcf"), "--persons", "1"}).out, "1 cards written\n");
  result = RunCli({"export", "vcard", in, dir.File("none.vcf"), "--persons", "7"});
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(result.err, "No person with ID 7.\n");

  // Found by its first line, and named by --format.
  testing::WriteBytes(dir.File("cards.txt"),
                      "\r\nBEGIN:VCARD\r\nVERSION:2.1\r\nN:Lee;Ann\r\nEND:VCARD\r\n"
                      "BEGIN:VCARD\r\nN:Broken\r\n");
  result = RunCli({"import", in, dir.File("cards.txt"), dir.File("out.tch")});
  EXPECT_EQ(result.out, "1 names added to current database. 1 cards could not be read.\n");
  EXPECT_EQ(result.err, "line 6: card has no END\n");
  result = RunCli({"import", dir.File("out.tch"), dir.File("one.vcf"), dir.File("out2.tch"), "--format", "vcard"});
  EXPECT_EQ(result.out, "1 names added to current database.\n");
  EXPECT_EQ(RunCli({"info", dir.File("out2.tch")}).out, "persons 4\ncontacts 2\ncontact types 4\nversion 12\n");
  // Older phones read 3.0.
  result = RunCli({"export", "vcard", in, "-", "--version", "3.0"});
  EXPECT_EQ(result.out.substr(0, 26), "BEGIN:VCARD\r\nVERSION:3.0\r\n");
  EXPECT_EQ(result.out.find("VERSION:4.0"), std::string::npos);

  // Text without a card is no import of nothing: nothing is written.
  testing::WriteBytes(dir.File("notes.txt"), "Name,Phone\nAnn,555\n");
  result = RunCli({"import", in, dir.File("notes.txt"), dir.File("none.tch"), "--format", "vcard"});
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(result.err, "No vCard found in " + dir.File("notes.txt") + ".\n");
  EXPECT_FALSE(std::filesystem::exists(dir.File("none.tch")));
  result = RunCli({"import", in, "-", dir.File("none.tch"), "--format", "vcard"}, "");
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(result.err, "No vCard found in standard input.\n");

  for (const std::vector<std::string>& args :
       std::vector<std::vector<std::string>>{{"export", "vcard", in},
                                             {"export", "vcard", in, "x.vcf", "--persons", "two"},
                                             {"export", "vcard", in, "x.vcf", "--version", "2.1"},
                                             {"import", in, dir.File("cards.txt"), "o.tch", "--format", "xml"},
                                             {"import", in, dir.File("cards.txt"), "o.tch", "--separator", "tab"}}) {
    EXPECT_EQ(RunCli(args).status, 2) << args.back();
  }
  const std::string program = std::string(VIMBO_CLI_PATH) + " export vcard '" + in + "' '" + dir.File("s.vcf") + "'";
  EXPECT_EQ(WEXITSTATUS(std::system((program + " >/dev/null").c_str())), 0);
}

TEST(CliFiles, WhatIsNoDocumentIsRefusedAtOnce) {
  testing::TempDir dir;
  testing::WriteBytes(dir.File("other.xml"), "<?xml version=\"1.0\"?>\n<Catalog><Item/></Catalog>\n");
  ASSERT_EQ(::mkfifo(dir.File("pipe.tch").c_str(), 0600), 0);
  for (const std::string& in : {dir.File("other.xml"), dir.File("pipe.tch")}) {
    for (const std::vector<std::string>& args : {std::vector<std::string>{"info", in}, {"resave", in, dir.File("o")}}) {
      const CliResult result = RunCli(args);
      EXPECT_EQ(result.status, 1) << in;
      EXPECT_EQ(result.err, "Error loading file.\n") << in;
    }
  }
  EXPECT_FALSE(std::filesystem::exists(dir.File("o")));
}

TEST(CliProgram, HostileSizesGiveAMessageUnderAMemoryLimit) {
#if defined(__SANITIZE_ADDRESS__)
  GTEST_SKIP() << "an address-sanitized program cannot run under an address space limit";
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
  GTEST_SKIP() << "an address-sanitized program cannot run under an address space limit";
#endif
#endif
  testing::TempDir dir;
  const auto runLimited = [&dir](const std::string& args) {
    const std::string command =
        "ulimit -v 262144; exec " VIMBO_CLI_PATH " " + args + " >'" + dir.File("out") + "' 2>'" + dir.File("err") + "'";
    const int status = std::system(command.c_str());
    return CliResult{WIFEXITED(status) ? WEXITSTATUS(status) : -1, testing::ReadBytes(dir.File("out")),
                     testing::ReadBytes(dir.File("err"))};
  };
  // A file larger than the memory allowed cannot be read.
  testing::WriteBytes(dir.File("huge.tch"), "");
  std::filesystem::resize_file(dir.File("huge.tch"), std::uintmax_t{1} << 30);
  CliResult result = runLimited("info '" + dir.File("huge.tch") + "'");
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(result.err, "Error loading file.\n");

  // Markup characters inside a comment build nothing, so they take no memory.
  testing::WriteBytes(dir.File("comment.tch"), "<Vimbo><!--" + std::string(std::size_t{24} << 20, '<') + "--></Vimbo>");
  result = runLimited("info '" + dir.File("comment.tch") + "'");
  EXPECT_EQ(result.out, "persons 0\ncontacts 0\ncontact types 0\nversion 11\n") << result.err;

  // A long field is streamed to the file, not given memory six times its size.
  DocumentData data;
  data.contacts.Insert({.ID = 1,
                        .PersonID = 0,
                        .DateTime = testing::At(2004, 3, 1, 9, 30),
                        .Description = std::string(std::size_t{40} << 20, 'x'),
                        .ContactTypeID = 0,
                        .FollowUp = {}});
  data.contacts.LastID = 1;
  ASSERT_TRUE(Write(data, dir.File("long.tch")).IsDone());
  result = runLimited("resave '" + dir.File("long.tch") + "' '" + dir.File("copy.tch") + "'");
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_TRUE(testing::ReadBytes(dir.File("copy.tch")) == testing::ReadBytes(dir.File("long.tch")));
}

TEST(CliUsage, UnknownOrRepeatedFieldKeysAreNamed) {
  testing::TempDir dir;
  const std::string in = TransferDocument(dir);
  const std::string data = dir.File("people.csv");
  testing::WriteBytes(data, "Lee,Ann\n");
  const std::string out = dir.File("out");
  struct Case {
    std::vector<std::string> args;
    std::string message;
  } cases[] = {
      {{"export", "persons", in, out, "--fields", "LastName,Nickname"}, "unknown field key 'Nickname'"},
      {{"export", "persons", in, out, "--fields", "lastname"}, "unknown field key 'lastname'"},
      {{"export", "contacts", in, out, "--fields", "City"}, "unknown field key 'City'"},
      {{"export", "persons", in, out, "--fields", "LastName,,City"}, "unknown field key ''"},
      {{"export", "contacts", in, out, "--fields", "Date,Time,Date"}, "field key 'Date' given twice"},
      {{"import", in, data, out, "--columns", "LastName,FristName"}, "unknown field key 'FristName'"},
      {{"import", in, data, out, "--columns", "Date"}, "unknown field key 'Date'"},
      {{"import", in, data, out, "--columns", ",LastName,,LastName"}, "field key 'LastName' given twice"},
      {{"export", "persons", in, out, "--fields", "WebPage,Pager,WebPage"}, "field key 'WebPage' given twice"},
      {{"import", in, data, out, "--columns", "LastName,CellPhone"}, "unknown field key 'CellPhone'"},
  };
  for (const Case& c : cases) {
    const CliResult result = RunCli(c.args);
    EXPECT_EQ(result.status, 2) << c.message;
    EXPECT_EQ(result.err, testing::UsageMessage(c.message));
    EXPECT_EQ(result.out, "");
    EXPECT_FALSE(std::filesystem::exists(out)) << c.message;
  }
  // Empty columns are columns not imported, however many there are.
  const CliResult result = RunCli({"import", in, data, out, "--columns", ",LastName,,"});
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.out, "1 names added to current database.\n");
}

}  // namespace
}  // namespace vimbo
