#include <gtest/gtest.h>

#include "core/editing/document_operations.h"
#include "core/transfer/person_text_reader.h"
#include "core/transfer/text_export.h"
#include "support/temp_dir.h"

namespace vimbo {
namespace {

// What the export writes, the import reads back: every exported field of
// every person, enclosers, separators and line breaks inside the values
// included.
TEST(ExportImportRoundTrip, ExportedPersonsImportUnchanged) {
  DocumentData original;
  Person ann;
  ann.ID = 4;
  ann.FName = "Ann";
  ann.LName = "O\"Neil";
  ann.Address = "12 Elm St, Apt \"B\"";
  ann.City = "Springfield";
  ann.State = "IL";
  ann.Zip = "62701";
  ann.Phone = "(217) 555-0100";
  ann.Fax = "(217) 555-0101";
  ann.EMail = "ann@example.com";
  ann.Company = "Acme, \"Inc.\"";
  ann.Position = "Chair, board";
  original.persons.Insert(ann);
  Person moss;
  moss.ID = 9;
  moss.LName = "Moss";
  moss.City = "Ely";
  original.persons.Insert(moss);
  Person acme;
  acme.ID = 12;
  acme.Company = "Widgets";
  acme.Position = "6'2\"";  // an encloser at the end of the line
  acme.State = "\"NY\"";
  original.persons.Insert(acme);
  // Values typed on several lines, and the persons after them.
  Person berg;
  berg.ID = 13;
  berg.FName = "Anna";
  berg.LName = "Berg";
  berg.Address =
      "Hauptstra\xC3\x9F"
      "e 5\r\nPortland, Suite 4";
  berg.City = "Port\nland";
  berg.Company = "Lakeside \"Dental\"\r\n";
  berg.Position = "Office Manager";
  original.persons.Insert(berg);
  Person okafor;
  okafor.ID = 14;
  okafor.LName = "Okafor";
  okafor.Address = "\r\n480 Pine Street\r";
  okafor.EMail = "d.okafor@example.net";
  original.persons.Insert(okafor);

  testing::TempDir dir;
  TextTransferSettings out = PersonsExportSettings();
  out.Fields = out.AvailableFields;
  out.Separator = ",";
  out.Encloser = "\"";
  out.FileName = dir.File("persons.csv");
  ASSERT_EQ(ExportPersons(original, out).count, 5);

  TextTransferSettings in = PersonsImportSettings();
  in.FileName = out.FileName;
  in.Separator = ",";
  in.Encloser = "\"";
  in.FirstLineHasNames = true;
  in.Fields = in.AvailableFields;
  in.ColumnCount = in.AvailableCount;
  DocumentData imported;
  ASSERT_EQ(ImportPersons(imported, ReadPersonsFromText(in)).count, 5);

  auto read = imported.persons.begin();
  for (const auto& [id, expected] : original.persons) {
    ASSERT_NE(read, imported.persons.end());
    const Person& got = (read++)->second;
    EXPECT_EQ(got.FName, expected.FName);
    EXPECT_EQ(got.LName, expected.LName);
    EXPECT_EQ(got.Address, expected.Address);
    EXPECT_EQ(got.City, expected.City);
    EXPECT_EQ(got.State, expected.State);
    EXPECT_EQ(got.Zip, expected.Zip);
    EXPECT_EQ(got.Phone, expected.Phone);
    EXPECT_EQ(got.Fax, expected.Fax);
    EXPECT_EQ(got.EMail, expected.EMail);
    EXPECT_EQ(got.Company, expected.Company);
    EXPECT_EQ(got.Position, expected.Position);
  }
}

}  // namespace
}  // namespace vimbo
