#include <gtest/gtest.h>

#include <sys/resource.h>

#include <array>
#include <csignal>
#include <filesystem>
#include <iterator>
#include <string>
#include <vector>

#include "core/records/date_time_text.h"
#include "core/transfer/text_export.h"
#include "support/people.h"
#include "support/temp_dir.h"

namespace vimbo {
namespace {

using testing::NamedPerson;

TextTransferSettings Settings(std::vector<std::string> fields, const std::string& separator = ",",
                              const std::string& encloser = "\"") {
  TextTransferSettings settings = PersonsExportSettings();
  settings.Fields = std::move(fields);
  settings.Separator = separator;
  settings.Encloser = encloser;
  return settings;
}

// The text an export hands to its sink, the same as the text made in one
// piece; `lines` receives the lines the outcome counts.
using SinkExport = Outcome (*)(const DocumentData&, const TextTransferSettings&, const ExportSink&, ColumnOrder);
using WholeText = std::string (*)(const DocumentData&, const TextTransferSettings&, ColumnOrder);

std::string SinkText(SinkExport exportTo, WholeText wholeText, const DocumentData& data,
                     const TextTransferSettings& settings, int& lines) {
  std::string text;
  const Outcome outcome = exportTo(
      data, settings,
      [&text](std::string_view bytes) {
        text.append(bytes);
        return true;
      },
      ColumnOrder::kTable);
  EXPECT_TRUE(outcome.IsDone());
  lines = outcome.count;
  EXPECT_EQ(text, wholeText(data, settings, ColumnOrder::kTable));
  return text;
}

std::string PersonsText(const DocumentData& data, const TextTransferSettings& settings, int expectedLines = -1) {
  int lines = -7;
  std::string text = SinkText(ExportPersons, PersonsExportText, data, settings, lines);
  if (expectedLines >= 0) {
    EXPECT_EQ(lines, expectedLines);
  }
  return text;
}

std::string ContactsText(const DocumentData& data, const TextTransferSettings& settings, int& lines) {
  return SinkText(ExportContacts, ContactsExportText, data, settings, lines);
}

// Ann Lee, and a person with only the last name Moss.
DocumentData AnnAndMoss() {
  DocumentData data;
  data.persons.Insert(NamedPerson(1, "Ann", "Lee"));
  data.persons.Insert(NamedPerson(2, "", "Moss"));
  return data;
}

constexpr std::array<const char*, 11> kEleven = {"FirstName", "LastName", "Address", "City",    "State",   "ZipCode",
                                                 "Phone",     "Fax",      "E-Mail",  "Company", "Position"};

TEST(TextExportSettings, OfferEveryKeyInColumnOrder) {
  const TextTransferSettings persons = PersonsExportSettings();
  EXPECT_EQ(persons.RecordKind, "Persons");
  EXPECT_EQ(persons.AvailableFields,
            (std::vector<std::string>{"FirstName", "LastName", "Address", "City", "State", "ZipCode", "Phone", "Fax",
                                      "E-Mail", "Company", "Position", "Title", "WorkPhone", "Extension", "CelPhone",
                                      "Pager", "WebPage"}));
  EXPECT_EQ(persons.AvailableCount, 17);
  EXPECT_EQ(persons.Fields, std::vector<std::string>(17));
  EXPECT_FALSE(persons.IsoDates);
  EXPECT_TRUE(persons.RequiredFields.empty());
  EXPECT_EQ(persons.Separator, "");
  EXPECT_EQ(persons.Encloser, "");
  EXPECT_FALSE(persons.FirstLineHasNames);
  EXPECT_EQ(persons.ColumnCount, 0);

  const TextTransferSettings contacts = ContactsExportSettings();
  EXPECT_EQ(contacts.RecordKind, "Contacts");
  EXPECT_EQ(contacts.AvailableFields,
            (std::vector<std::string>{"FirstName", "LastName", "Date", "Time", "Description", "ContactType"}));
  EXPECT_EQ(contacts.AvailableCount, 6);
  EXPECT_EQ(contacts.Fields, std::vector<std::string>(6));

  const TextTransferSettings import = PersonsImportSettings();
  EXPECT_EQ(import.RecordKind, "Persons");
  EXPECT_EQ(import.AvailableFields, persons.AvailableFields);
  EXPECT_EQ(import.AvailableCount, 17);
  EXPECT_EQ(import.Fields, std::vector<std::string>(17));
  EXPECT_EQ(import.RequiredFields, std::vector<std::string>{"LastName"});
}

TEST(TextExport, WritesNamesThenOneLinePerPersonToTheFile) {
  testing::TempDir dir;
  TextTransferSettings settings = Settings({"FirstName", "LastName"});
  settings.FileName = dir.File("out.csv");
  testing::WriteBytes(settings.FileName, "an older, longer file that the export replaces\n");
  EXPECT_EQ(ExportPersons(AnnAndMoss(), settings).count, 2);
  EXPECT_EQ(testing::ReadBytes(settings.FileName), "\"FirstName\",\"LastName\"\n\"Ann\",\"Lee\"\n,\"Moss\"\n");
}

TEST(TextExport, ColumnsKeepTheirOrderWhateverTheOrderOfTheKeys) {
  DocumentData data;
  Person person = NamedPerson(1, "Ann", "Lee");
  person.Position = "Chair";
  person.Zip = "12345";
  data.persons.Insert(person);
  EXPECT_EQ(PersonsText(data, Settings({"Position", "ZipCode", "FirstName"})),
            "\"Position\",\"ZipCode\",\"FirstName\"\n\"Ann\",\"12345\",\"Chair\"\n");
}

TEST(TextExport, EveryPersonColumnAndItsField) {
  DocumentData data;
  Person p = NamedPerson(1, "F", "L");
  p.Address = "A";
  p.City = "C";
  p.State = "S";
  p.Zip = "Z";
  p.Phone = "P";
  p.Fax = "X";
  p.EMail = "E";
  p.Company = "Co";
  p.Position = "Po";
  p.Title = "T";
  p.WkPhone = "W";
  p.WkExt = "Ex";
  p.CelPhone = "Ce";
  p.Pager = "Pa";
  p.WebPage = "We";
  data.persons.Insert(p);
  EXPECT_EQ(PersonsText(data, Settings(PersonsExportSettings().AvailableFields, ";", "'"), 1),
            "'FirstName';'LastName';'Address';'City';'State';'ZipCode';'Phone';'Fax';'E-Mail';'Company';"
            "'Position';'Title';'WorkPhone';'Extension';'CelPhone';'Pager';'WebPage'\n"
            "'F';'L';'A';'C';'S';'Z';'P';'X';'E';'Co';'Po';'T';'W';'Ex';'Ce';'Pa';'We'\n");
  // The fields of earlier versions alone, as the wizard's default, keep their
  // columns; a new key ticked among them goes after them.
  const std::vector<std::string> eleven(kEleven.begin(), kEleven.end());
  EXPECT_EQ(PersonsText(data, Settings(eleven, ";", "'"), 1),
            "'FirstName';'LastName';'Address';'City';'State';'ZipCode';'Phone';'Fax';'E-Mail';'Company';"
            "'Position'\n'F';'L';'A';'C';'S';'Z';'P';'X';'E';'Co';'Po'\n");
  EXPECT_EQ(PersonsText(data, Settings({"CelPhone", "LastName", "WebPage"})),
            "\"CelPhone\",\"LastName\",\"WebPage\"\n\"L\",\"Ce\",\"We\"\n");
}

TEST(TextExport, NameLineSeparators) {
  const DocumentData data = AnnAndMoss();
  // A separator follows each entry once the line holds something, but never
  // the last entry.
  EXPECT_EQ(PersonsText(data, Settings({"", "FirstName", "", "LastName", ""})),
            "\"FirstName\",,\"LastName\",\n\"Ann\",\"Lee\"\n,\"Moss\"\n");
  EXPECT_EQ(PersonsText(data, Settings({"", "", "LastName"})), "\"LastName\"\n\"Lee\"\n\"Moss\"\n");
  EXPECT_EQ(PersonsText(data, Settings({"LastName", ""})), "\"LastName\",\n\"Lee\"\n\"Moss\"\n");
  EXPECT_EQ(PersonsText(data, Settings({"", ""})), "\n\n\n");
}

TEST(TextExport, UnknownKeysAreNamedButGetNoColumn) {
  EXPECT_EQ(PersonsText(AnnAndMoss(), Settings({"Nickname", "lastname", "LastName", "Birthday"})),
            "\"Nickname\",\"lastname\",\"LastName\",\"Birthday\"\n\"Lee\"\n\"Moss\"\n");
}

TEST(TextExport, NoFieldsGiveOneLineFeedPerLine) { EXPECT_EQ(PersonsText(AnnAndMoss(), Settings({}), 2), "\n\n\n"); }

TEST(TextExport, EmptyValuesAddOnlyTheirSeparator) {
  DocumentData data;
  data.persons.Insert(NamedPerson(1, "Ann", ""));
  data.persons.Insert(NamedPerson(2, "", ""));
  EXPECT_EQ(PersonsText(data, Settings({"FirstName", "LastName"})), "\"FirstName\",\"LastName\"\n\"Ann\",\n,\n");
}

TEST(TextExport, EncloserDoubledInEveryColumn) {
  DocumentData data;
  Person p = NamedPerson(1, "a\"", "O\"Neil");
  p.Address = p.City = p.Company = "x\"y";
  p.State = p.Zip = p.Phone = p.Fax = p.EMail = p.Position = "\"q\"";
  p.Title = p.WkPhone = p.WkExt = p.CelPhone = p.Pager = p.WebPage = "\"";
  data.persons.Insert(p);
  const std::string text = PersonsText(data, Settings(PersonsExportSettings().AvailableFields));
  EXPECT_EQ(text.substr(text.find('\n') + 1),
            "\"a\"\"\",\"O\"\"Neil\",\"x\"\"y\",\"x\"\"y\",\"\"\"q\"\"\",\"\"\"q\"\"\",\"\"\"q\"\"\",\"\"\"q\"\"\","
            "\"\"\"q\"\"\",\"x\"\"y\",\"\"\"q\"\"\",\"\"\"\",\"\"\"\",\"\"\"\",\"\"\"\",\"\"\"\",\"\"\"\"\n");
  // Field names too, where an unusual encloser occurs in them.
  EXPECT_EQ(PersonsText(data, Settings({"LastName"}, ",", "a")), "aLaastNaamea\naO\"Neila\n");
}

TEST(TextExport, WithoutEncloserValuesAreBare) {
  DocumentData data;
  data.persons.Insert(NamedPerson(1, "O\"Neil", "Lee, Jr."));
  EXPECT_EQ(PersonsText(data, Settings({"FirstName", "LastName"}, ",", "")), "FirstName,LastName\nO\"Neil,Lee, Jr.\n");
}

TEST(TextExport, TabSeparatorAndLineBreaksInsideValues) {
  DocumentData data;
  Person p = NamedPerson(1, "Ann", "Lee");
  p.Address = "1 Main St\r\nApt 2\n";
  p.City = "Tab\there";
  data.persons.Insert(p);
  EXPECT_EQ(PersonsText(data, Settings({"Address", "City", "State"}, "\t")),
            "\"Address\"\t\"City\"\t\"State\"\n\"1 Main St\r\nApt 2\n\"\t\"Tab\there\"\t\n");
}

TEST(TextExport, EmptyCollectionWritesAnEmptyFile) {
  testing::TempDir dir;
  TextTransferSettings settings = Settings({"FirstName"});
  settings.FileName = dir.File("empty.csv");
  const DocumentData data;
  const Outcome outcome = ExportPersons(data, settings);
  EXPECT_TRUE(outcome.IsDone());
  EXPECT_EQ(outcome.count, 0);
  EXPECT_TRUE(std::filesystem::exists(settings.FileName));
  EXPECT_EQ(testing::ReadBytes(settings.FileName), "");
  EXPECT_EQ(PersonsText(data, settings, 0), "");
}

// Lowers the largest file this process may write, so a write fails with
// EFBIG instead of raising SIGXFSZ; restores the limit on the way out.
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes) {
    getrlimit(RLIMIT_FSIZE, &saved_);
    previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
    rlimit lowered = saved_;
    lowered.rlim_cur = bytes;
    setrlimit(RLIMIT_FSIZE, &lowered);
  }
  ~FileSizeLimit() {
    setrlimit(RLIMIT_FSIZE, &saved_);
    std::signal(SIGXFSZ, previousHandler_);
  }

 private:
  rlimit saved_{};
  void (*previousHandler_)(int) = nullptr;
};

TEST(TextExport, AFailedWriteSaysSoAndKeepsTheOldFile) {
  testing::TempDir dir;
  TextTransferSettings settings = Settings({"FirstName", "LastName"});
  settings.FileName = dir.File("kept.csv");
  testing::WriteBytes(settings.FileName, "old");
  {
    const FileSizeLimit limit(8);
    const Outcome outcome = ExportPersons(AnnAndMoss(), settings);
    EXPECT_TRUE(outcome.IsFailed());
    EXPECT_EQ(outcome.message, "Error saving " + settings.FileName + ".");
  }
  EXPECT_EQ(testing::ReadBytes(settings.FileName), "old");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 1) << "no temporary file left";

  settings.FileName = dir.File("no/such/folder/out.csv");
  EXPECT_TRUE(ExportPersons(AnnAndMoss(), settings).IsFailed());
  EXPECT_TRUE(ExportContacts(AnnAndMoss(), settings).IsFailed());
  EXPECT_FALSE(std::filesystem::exists(settings.FileName));
}

DateTimeValue Make(int year, int month, int day, int hour, int minute, int second) {
  DateTimeValue value;
  value.SetDateTime(year, month, day, hour, minute, second);
  return value;
}

Contact MakeContact(int32_t id, int32_t person, int32_t type, const DateTimeValue& when, const std::string& text) {
  Contact contact;
  contact.ID = id;
  contact.PersonID = person;
  contact.ContactTypeID = type;
  contact.DateTime = when;
  contact.Description = text;
  return contact;
}

DocumentData ContactsDocument() {
  DocumentData data = AnnAndMoss();
  data.AddDefaultContactTypes();  // 1 Telephone, 2 E-Mail, ...
  data.contacts.Insert(MakeContact(1, 2, 2, Make(2004, 3, 7, 14, 5, 9), "Said \"hi\""));
  data.contacts.Insert(MakeContact(2, 1, 1, Make(1999, 12, 31, 0, 0, 0), ""));
  return data;
}

TextTransferSettings ContactSettings(std::vector<std::string> fields) {
  TextTransferSettings settings = ContactsExportSettings();
  settings.Fields = std::move(fields);
  settings.Separator = ",";
  settings.Encloser = "\"";
  return settings;
}

TEST(TextExport, ContactsWithTheirPersonTypeAndLocaleDateAndTime) {
  int lines = 0;
  const std::string text =
      ContactsText(ContactsDocument(), ContactSettings(ContactsExportSettings().AvailableFields), lines);
  EXPECT_EQ(lines, 2);
  // The program's C locale: %x and %X.
  EXPECT_EQ(text,
            "\"FirstName\",\"LastName\",\"Date\",\"Time\",\"Description\",\"ContactType\"\n"
            ",\"Moss\",\"03/07/04\",\"14:05:09\",\"Said \"\"hi\"\"\",\"E-Mail\"\n"
            "\"Ann\",\"Lee\",\"12/31/99\",\"00:00:00\",,\"Telephone\"\n");
  EXPECT_EQ(ShortDateText(Make(2004, 3, 7, 14, 5, 9)), "03/07/04");
}

TEST(TextExport, ContactsDateAndTimeOnly) {
  int lines = 0;
  EXPECT_EQ(ContactsText(ContactsDocument(), ContactSettings({"Time", "Date"}), lines),
            "\"Time\",\"Date\"\n\"03/07/04\",\"14:05:09\"\n\"12/31/99\",\"00:00:00\"\n");
}

// A contact's person is found by its identifier, wherever the identifiers
// lie: in sequence, or far apart; a contact whose person has gone still gets
// its line. Each line takes its own person's names, enclosers doubled.
TEST(TextExport, ContactsFindTheirPersonsWhereverTheirIdentifiersLie) {
  for (const std::vector<int32_t>& ids : {std::vector<int32_t>{1, 2, 3}, std::vector<int32_t>{3, 70000, 2000000000}}) {
    DocumentData data;
    data.AddDefaultContactTypes();
    for (std::size_t i = 0; i < ids.size(); ++i)
      data.persons.Insert(NamedPerson(ids[i], "F\"" + std::to_string(i), "L" + std::to_string(i)));
    const int32_t order[] = {ids[2], ids[0], ids[2], 12345, ids[1], ids[0]};
    for (int32_t c = 0; c < 6; ++c)
      data.contacts.Insert(MakeContact(c + 1, order[c], 1, Make(2004, 3, 7, 14, 5, 9), ""));
    int lines = 0;
    EXPECT_EQ(ContactsText(data, ContactSettings({"LastName", "FirstName"}), lines),
              "\"LastName\",\"FirstName\"\n"
              "\"F\"\"2\",\"L2\"\n\"F\"\"0\",\"L0\"\n\"F\"\"2\",\"L2\"\n,\n\"F\"\"1\",\"L1\"\n\"F\"\"0\",\"L0\"\n")
        << ids[2];
    EXPECT_EQ(lines, 6);
  }
}

// TEXT as the export writes it: between ENCLOSERs, each one inside doubled;
// an empty text, or no encloser, as it is.
std::string Enclosed(std::string text, const std::string& encloser) {
  if (text.empty() || encloser.empty()) return text;
  for (std::size_t at = text.find(encloser); at != std::string::npos; at = text.find(encloser, at + 2))
    text.insert(at, encloser);
  text.insert(0, encloser);
  text += encloser;
  return text;
}

// The date and time columns give each contact the texts of its own moment:
// across days that meet again in the export's tables, before 1899, half a
// second that rounds up, a time that rounds up into the next day, with an
// encloser that turns up inside the texts, and in any order.
TEST(TextExport, ContactsDateAndTimeTextsOfEveryMoment) {
  const double second = 1.0 / 86400;
  const std::vector<DateTimeValue> moments = {
      Make(2004, 3, 7, 14, 5, 9),
      Make(1944, 11, 9, 8, 0, 1),
      Make(2004, 3, 7, 23, 59, 59),
      DateTimeValue(-1.75),
      DateTimeValue(0.0),
      DateTimeValue(38000 + 43200.5 * second),
      DateTimeValue(38000 + 86399.6 * second),
      DateTimeValue(-38000 - 86399.6 * second),
      Make(1944, 11, 9, 8, 0, 2),
      DateTimeValue(),
      DateTimeValue(2958465.0 - 1e-9),
      Make(2004, 3, 7, 0, 0, 0),
      Make(100, 1, 1, 12, 0, 0),
  };
  for (const std::string& encloser : {std::string("\""), std::string("/"), std::string()}) {
    DocumentData data;
    std::string expected = Enclosed("Date", encloser) + ";" + Enclosed("Time", encloser) + "\n";
    for (int round = 0; round < 2; ++round) {
      for (const DateTimeValue& moment : moments) {
        data.contacts.Insert(MakeContact(static_cast<int32_t>(data.contacts.Size()) + 1, 1, 1, moment, ""));
        expected += Enclosed(ShortDateText(moment), encloser) + ";" + Enclosed(ShortTimeText(moment), encloser) + "\n";
      }
    }
    TextTransferSettings settings = ContactSettings({"Date", "Time"});
    settings.Separator = ";";
    settings.Encloser = encloser;
    int lines = 0;
    EXPECT_EQ(ContactsText(data, settings, lines), expected) << encloser;
    EXPECT_EQ(lines, static_cast<int>(2 * moments.size()));
  }
}

// ISO dates: the date and the time in their own columns, each in one form
// whatever the locale, across the moments that round or lie far back.
TEST(TextExport, ContactsIsoDatesAndTimes) {
  int lines = 0;
  TextTransferSettings settings = ContactSettings(ContactsExportSettings().AvailableFields);
  settings.IsoDates = true;
  EXPECT_EQ(ContactsText(ContactsDocument(), settings, lines),
            "\"FirstName\",\"LastName\",\"Date\",\"Time\",\"Description\",\"ContactType\"\n"
            ",\"Moss\",\"2004-03-07\",\"14:05:09\",\"Said \"\"hi\"\"\",\"E-Mail\"\n"
            "\"Ann\",\"Lee\",\"1999-12-31\",\"00:00:00\",,\"Telephone\"\n");

  const double second = 1.0 / 86400;
  const struct {
    DateTimeValue moment;
    const char* line;
  } cases[] = {
      {Make(2026, 12, 7, 14, 5, 0), "2026-12-07;14:05:00"},
      {Make(2026, 1, 27, 23, 59, 59), "2026-01-27;23:59:59"},
      {Make(2011, 11, 11, 11, 11, 11), "2011-11-11;11:11:11"},
      {DateTimeValue(0.0), "1899-12-30;00:00:00"},
      {DateTimeValue(-1.75), "1899-12-29;18:00:00"},
      {DateTimeValue(38000 + 86399.6 * second), "2004-01-15;00:00:00"},
      {DateTimeValue(DateTimeValue::kMin), "0100-01-01;00:00:00"},
      {DateTimeValue(), ";"},
  };
  DocumentData data;
  std::string expected = "Date;Time\n";
  for (int round = 0; round < 2; ++round) {
    for (const auto& entry : cases) {
      data.contacts.Insert(MakeContact(static_cast<int32_t>(data.contacts.Size()) + 1, 1, 1, entry.moment, ""));
      expected += std::string(entry.line) + "\n";
    }
  }
  settings.Fields = {"Date", "Time"};
  settings.Separator = ";";
  settings.Encloser = "";
  EXPECT_EQ(ContactsText(data, settings, lines), expected);
}

TEST(TextExport, ContactsWithoutPersonOrTypeGetEmptyValues) {
  testing::TempDir dir;
  DocumentData data = ContactsDocument();
  data.contacts.Insert(MakeContact(3, 99, 99, DateTimeValue(1e12), "orphan"));
  data.persons.Erase(1);
  TextTransferSettings settings = ContactSettings(ContactsExportSettings().AvailableFields);
  settings.FileName = dir.File("contacts.csv");
  EXPECT_EQ(ExportContacts(data, settings).count, 3);
  const std::string text = testing::ReadBytes(settings.FileName);
  EXPECT_NE(text.find("\n,,\"12/31/99\",\"00:00:00\",,\"Telephone\"\n"), std::string::npos) << text;
  EXPECT_TRUE(text.ends_with("\n,,,,\"orphan\",\n")) << "an invalid date gives empty texts too";
}

}  // namespace
}  // namespace vimbo
