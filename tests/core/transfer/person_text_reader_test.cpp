#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

#include "core/editing/document_operations.h"
#include "core/transfer/person_text_reader.h"
#include "support/temp_dir.h"

namespace vimbo {
namespace {

using Lines = std::vector<std::string>;

class PersonImport : public ::testing::Test {
 protected:
  // Imports `bytes` with the columns given as `fields`.
  int Import(const std::string& bytes, std::vector<std::string> fields, bool firstLineHasNames = false,
             const std::string& separator = ",", const std::string& encloser = "\"") {
    TextTransferSettings settings = PersonsImportSettings();
    settings.FileName = dir_.File("data.txt");
    testing::WriteBytes(settings.FileName, bytes);
    settings.ColumnCount = static_cast<int>(fields.size());
    settings.Fields = std::move(fields);
    settings.FirstLineHasNames = firstLineHasNames;
    settings.Separator = separator;
    settings.Encloser = encloser;
    return ImportPersons(data_, ReadPersonsFromText(settings)).count;
  }

  const Person& At(int32_t id) const {
    static const Person missing;
    const Person* person = data_.persons.Find(id);
    EXPECT_NE(person, nullptr) << "no person " << id;
    return person ? *person : missing;
  }

  testing::TempDir dir_;
  DocumentData data_;
};

TEST_F(PersonImport, SkipsTheNamesLineAndAddsOnePersonPerNamedLine) {
  EXPECT_EQ(Import("FirstName,LastName\nAnn,Lee\n\"Bob\",\"Ray\"\n", {"FirstName", "LastName"}, true), 2);
  ASSERT_EQ(data_.persons.Size(), 2u);
  EXPECT_EQ(At(1).FName, "Ann");
  EXPECT_EQ(At(1).LName, "Lee");
  EXPECT_EQ(At(2).FName, "Bob");
  EXPECT_EQ(At(2).LName, "Ray");
}

TEST_F(PersonImport, EveryKeyFillsItsField) {
  EXPECT_EQ(Import("f,l,a,c,s,z,p,x,e,co,po,t,w,ex,ce,pa,we\n", PersonsImportSettings().AvailableFields), 1);
  const Person& p = At(1);
  EXPECT_EQ(p.FName, "f");
  EXPECT_EQ(p.LName, "l");
  EXPECT_EQ(p.Address, "a");
  EXPECT_EQ(p.City, "c");
  EXPECT_EQ(p.State, "s");
  EXPECT_EQ(p.Zip, "z");
  EXPECT_EQ(p.Phone, "p") << "Phone is the home phone";
  EXPECT_EQ(p.Fax, "x");
  EXPECT_EQ(p.EMail, "e");
  EXPECT_EQ(p.Company, "co");
  EXPECT_EQ(p.Position, "po");
  EXPECT_EQ(p.Title, "t");
  EXPECT_EQ(p.WkPhone, "w");
  EXPECT_EQ(p.WkExt, "ex");
  EXPECT_EQ(p.CelPhone, "ce");
  EXPECT_EQ(p.Pager, "pa");
  EXPECT_EQ(p.WebPage, "we");

  // The six fields beyond the first eleven name nobody on their own.
  EXPECT_EQ(Import("Mr,555,x,y,z,www\n", {"Title", "WorkPhone", "Extension", "CelPhone", "Pager", "WebPage"}), 0);
  EXPECT_EQ(Import(",Lee,Dr,555\n", {"", "LastName", "Title", "CelPhone"}), 1);
  EXPECT_EQ(At(2).Title, "Dr");
  EXPECT_EQ(At(2).CelPhone, "555");
}

TEST_F(PersonImport, OnlyAFirstNameLastNameOrCompanyNamesAPerson) {
  EXPECT_EQ(Import(",,Main St,Springfield,555\n"
                   "Ann,,,,\n"
                   ",Lee,,,\n"
                   ",,,,,Acme\n"
                   "EMPTY FIELD,EOF,Elm St,,\n",
                   {"FirstName", "LastName", "Address", "City", "Phone", "Company"}),
            3);
  EXPECT_EQ(At(1).FName, "Ann");
  EXPECT_EQ(At(2).LName, "Lee");
  EXPECT_EQ(At(3).Company, "Acme");
}

TEST_F(PersonImport, PlaceholderValuesImportAsEmpty) {
  EXPECT_EQ(Import("Lee,EMPTY FIELD,EOF,\"EOF\",EOF \n", {"LastName", "City", "State", "Fax", "Company"}), 1);
  EXPECT_EQ(At(1).City, "");
  EXPECT_EQ(At(1).State, "");
  EXPECT_EQ(At(1).Fax, "");
  EXPECT_EQ(At(1).Company, "") << "trailing blanks are trimmed before the comparison";
}

TEST_F(PersonImport, ColumnsNotImportedMissingAndExtra) {
  EXPECT_EQ(Import("skip,Lee,Ann,extra,more\nx,Ray\n", {"", "LastName", "FirstName"}), 2);
  EXPECT_EQ(At(1).LName, "Lee");
  EXPECT_EQ(At(1).FName, "Ann");
  EXPECT_EQ(At(1).Address, "");
  EXPECT_EQ(At(2).LName, "Ray");
  EXPECT_EQ(At(2).FName, "") << "a line with fewer fields leaves the rest empty";
}

TEST_F(PersonImport, NamesAreTrimmedButOtherFieldsKeepTheirBlanks) {
  EXPECT_EQ(Import("\" Ann \",\"\tLee \",\" Acme \",\" Elm \"\n", {"FirstName", "LastName", "Company", "City"}), 1);
  EXPECT_EQ(At(1).FName, "Ann");
  EXPECT_EQ(At(1).LName, "Lee");
  EXPECT_EQ(At(1).Company, " Acme ");
  EXPECT_EQ(At(1).City, " Elm ");
}

TEST_F(PersonImport, IdsContinueAfterTheLastHandedOut) {
  Person kept;
  kept.ID = 3;
  kept.LName = "Kept";
  data_.persons.Insert(kept);
  data_.persons.LastID = 10;
  EXPECT_EQ(Import("A\nB\n", {"LastName"}), 2);
  EXPECT_EQ(At(3).LName, "Kept");
  EXPECT_EQ(At(11).LName, "A");
  EXPECT_EQ(At(12).LName, "B");
  EXPECT_EQ(data_.persons.LastID, 12);
}

TEST_F(PersonImport, StopsWhenNoIdentifierIsLeft) {
  data_.persons.LastID = std::numeric_limits<int32_t>::max() - 1;
  EXPECT_EQ(Import("A\nB\nC\n", {"LastName"}), 1);
  EXPECT_EQ(data_.persons.Size(), 1u);
  EXPECT_EQ(At(std::numeric_limits<int32_t>::max()).LName, "A");
}

TEST_F(PersonImport, LastLineWithoutLineFeedIsImported) {
  EXPECT_EQ(Import("Ann\nLee", {"LastName"}), 2);
  EXPECT_EQ(At(2).LName, "Lee");
}

TEST_F(PersonImport, AHundredThousandColumnsOnOneLine) {
  constexpr int kColumns = 100000;
  std::string line;
  for (int i = 0; i < kColumns; ++i) {
    if (i > 0) line += ',';
    const std::string value = "v" + std::to_string(i);
    line += i % 2 ? "\"" + value + "\"" : value;
  }
  std::vector<std::string> fields(kColumns);
  fields[0] = "FirstName";
  fields[50001] = "City";
  fields[kColumns - 1] = "LastName";
  EXPECT_EQ(Import(line + "\n" + line + "\n", fields), 2);
  EXPECT_EQ(At(2).FName, "v0");
  EXPECT_EQ(At(2).City, "v50001");
  EXPECT_EQ(At(2).LName, "v99999");
}

TEST_F(PersonImport, LineBreaksInsideEnclosersStayInTheValue) {
  // The names line spans two lines and is skipped whole.
  EXPECT_EQ(Import("\"First\",\"Last\r\nName\",\"Address\"\r\n"
                   "Bob,Ray,\"1 Elm\nBack door\rLeft\"\n"
                   "Cy,Lee,\"open at\nthe end",
                   {"FirstName", "LastName", "Address"}, true),
            2);
  EXPECT_EQ(At(1).Address, "1 Elm\nBack door\rLeft");
  EXPECT_EQ(At(2).Address, "open at\nthe en") << "the record ends with the file; its last character goes";
}

TEST_F(PersonImport, LongLinesAreReadWhole) {
  const std::string longName(5000, 'n');
  EXPECT_EQ(Import(std::string(3000, 'h') + "\n" + longName + ",x\nLee,y\n", {"LastName", "City"}, true), 2);
  EXPECT_EQ(At(1).LName, longName);
  EXPECT_EQ(At(1).City, "x");
  EXPECT_EQ(At(2).LName, "Lee");
}

TEST_F(PersonImport, ByteOrderMarkIsNotPartOfTheFirstField) {
  EXPECT_EQ(Import("\xEF\xBB\xBFLee,Ann\n", {"LastName", "FirstName"}), 1);
  EXPECT_EQ(At(1).LName, "Lee");
  // Only at the very start of the file.
  EXPECT_EQ(Import("\xEF\xBB\xBFnames\n\xEF\xBB\xBFRay\n", {"LastName"}, true), 1);
  EXPECT_EQ(At(2).LName, "\xEF\xBB\xBFRay");
}

TEST_F(PersonImport, BlankAndCarriageReturnLines) {
  EXPECT_EQ(Import("Ann\r\n\r\n\nLee\r\n", {"LastName"}), 2);
  EXPECT_EQ(At(1).LName, "Ann");
  EXPECT_EQ(At(2).LName, "Lee");
}

TEST_F(PersonImport, FilesThatAddNobody) {
  EXPECT_EQ(Import("", {"LastName"}), 0);
  EXPECT_EQ(Import("", {"LastName"}, true), 0);
  EXPECT_EQ(Import("LastName", {"LastName"}, true), 0) << "only the names line";
  EXPECT_EQ(Import("LastName\n", {"LastName"}, true), 0);
  EXPECT_EQ(Import("Lee\n", {}), 0) << "no columns";
  TextTransferSettings settings = PersonsImportSettings();
  settings.FileName = dir_.File("missing.txt");
  settings.Fields = {"LastName"};
  settings.ColumnCount = 1;
  EXPECT_EQ(ImportPersons(data_, ReadPersonsFromText(settings)).count, 0);
  settings.FileName = dir_.Path().string();
  EXPECT_EQ(ImportPersons(data_, ReadPersonsFromText(settings)).count, 0) << "a folder";
  EXPECT_TRUE(data_.persons.Empty());
}

TEST_F(PersonImport, OtherSeparatorsAndNoEncloser) {
  EXPECT_EQ(Import("\"O'Neil\"\t\t'Ann'\n", {"LastName", "FirstName"}, false, "\t", ""), 1);
  EXPECT_EQ(At(1).LName, "\"O'Neil\"");
  EXPECT_EQ(At(1).FName, "'Ann'");
  EXPECT_EQ(Import("'O''Neil';'Ann'\n", {"LastName", "FirstName"}, false, ";", "'"), 1);
  EXPECT_EQ(At(2).LName, "O'Neil");
  EXPECT_EQ(At(2).FName, "Ann");
}

TEST_F(PersonImport, AHundredThousandLines) {
  std::string text = "LastName,City\n";
  for (int i = 0; i < 100000; ++i) text += "Name" + std::to_string(i) + ",Town\n";
  EXPECT_EQ(Import(text, {"LastName", "City"}, true), 100000);
  EXPECT_EQ(At(100000).LName, "Name99999");
}

FieldTokenizer CommaAndQuote() {
  FieldTokenizer tokenizer;
  tokenizer.SetCharacters(",", "\"");
  return tokenizer;
}

TEST(ImportTextRecords, SplitAtLineFeedsOutsideEnclosers) {
  testing::TempDir dir;
  const std::string path = dir.File("lines.txt");
  const auto read = [&](const std::string& bytes) {
    testing::WriteBytes(path, bytes);
    return ReadTextRecords(path, CommaAndQuote());
  };
  EXPECT_EQ(read(""), Lines{});
  EXPECT_EQ(read("\n"), Lines{""});
  EXPECT_EQ(read("a\n\nb"), (Lines{"a", "", "b"}));
  EXPECT_EQ(read("a\r\nb\rc\r\n\r"), (Lines{"a", "b", "c", ""})) << "a carriage return alone ends a line too";
  EXPECT_EQ(read("Ann,Lee\rBob,Ray\r"), (Lines{"Ann,Lee", "Bob,Ray"}));
  EXPECT_EQ(read("\"a\rb\",c\r\"d\r\n\",e\r\r\n"), (Lines{"\"a\rb\",c", "\"d\r\n\",e", ""}))
      << "inside an encloser a carriage return is part of the value";
  EXPECT_EQ(read("\xEF\xBB\xBF\n\xEF\xBB\xBF"), (Lines{"", "\xEF\xBB\xBF"}));
  EXPECT_EQ(read("\xEF\xBB"), Lines{"\xEF\xBB"});
  EXPECT_EQ(read("\xEF\xBB\xBF\"a\r\nb\"\r\nc"), (Lines{"\"a\r\nb\"", "c"}));
  EXPECT_FALSE(ReadTextRecords(dir.File("missing.txt"), CommaAndQuote()).has_value());
}

TEST(ImportTextRecords, FirstRecordAsTheWizardShowsIt) {
  testing::TempDir dir;
  const std::string path = dir.File("first.txt");
  testing::WriteBytes(path, "\xEF\xBB\xBF \"First\",\"Last\" \r\nAnn,Lee\n");
  EXPECT_EQ(ReadFirstRecord(path, CommaAndQuote()), "\"First\",\"Last\"");
  testing::WriteBytes(path, "\"Home\r\nAddress\",Last\r\nAnn,Lee\n");
  EXPECT_EQ(ReadFirstRecord(path, CommaAndQuote()), "\"Home\r\nAddress\",Last");
  EXPECT_EQ(ReadFirstRecord(path, FieldTokenizer()), "\"Home") << "no encloser chosen yet";
  const std::string longLine(3000, 'x');
  testing::WriteBytes(path, longLine);
  EXPECT_EQ(ReadFirstRecord(path, CommaAndQuote()), longLine);
  // A record longer than the front of the file read first.
  const std::string longRecord = "\"" + std::string(70000, 'x') + "\n" + std::string(200000, 'y') + "\",Last";
  testing::WriteBytes(path, longRecord + "\nAnn,Lee\n");
  EXPECT_EQ(ReadFirstRecord(path, CommaAndQuote()), longRecord);
  testing::WriteBytes(path, "");
  EXPECT_EQ(ReadFirstRecord(path, CommaAndQuote()), "");
  EXPECT_FALSE(ReadFirstRecord(dir.File("missing.txt"), CommaAndQuote()).has_value());
  EXPECT_FALSE(ReadFirstRecord(dir.Path().string(), CommaAndQuote()).has_value()) << "a folder";
}

}  // namespace
}  // namespace vimbo
