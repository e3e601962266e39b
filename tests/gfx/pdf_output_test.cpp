#include "gfx/pdf_output.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "support/temp_dir.h"

namespace vimbo {
namespace {

// The page objects of a PDF: "/Type /Page", but not the "/Type /Pages" tree.
int CountPages(const std::string& pdf) {
  int pages = 0;
  const std::string marker = "/Type /Page";
  for (std::size_t at = pdf.find(marker); at != std::string::npos; at = pdf.find(marker, at + 1)) {
    if (at + marker.size() >= pdf.size() || pdf[at + marker.size()] != 's') ++pages;
  }
  return pages;
}

DocumentData PersonsDocument(int count) {
  DocumentData data;
  data.AddDefaultContactTypes();
  for (int i = 1; i <= count; ++i) {
    Person person;
    person.ID = i;
    person.FName = "First" + std::to_string(i);
    person.LName = "Last" + std::to_string(i);
    person.Address = std::to_string(i) + " Main Street\r\nSuite " + std::to_string(i);
    person.City = "Springfield";
    person.State = "IL";
    person.Zip = "62701";
    person.Phone = "555-0100";
    data.persons.Insert(person);
  }
  return data;
}

ReportSelection Everyone(ReportKind kind, const DocumentData& data) {
  ReportSelection selection;
  selection.kind = kind;
  for (const auto& [id, person] : data.persons) {
    selection.chosenPersons.emplace(id, person);
    selection.envelopePersons.push_back(person);
  }
  selection.beginDate.SetDateTime(2000, 1, 1, 0, 0, 0);
  selection.endDate.SetDateTime(2030, 1, 1, 0, 0, 0);
  return selection;
}

TEST(WriteReportPdf, ReportWithoutPagesWritesNoFile) {
  testing::TempDir dir;
  const DocumentData data = PersonsDocument(3);
  ReportSelection nobody;
  nobody.kind = ReportKind::AddressBook;
  EXPECT_EQ(WriteReportPdf(nobody, data, dir.File("a.pdf"), {}), 0);
  nobody.kind = ReportKind::Envelopes;
  EXPECT_EQ(WriteReportPdf(nobody, data, dir.File("a.pdf"), {}), 0);
  EXPECT_EQ(WriteReportPdf(ReportSelection{}, data, dir.File("a.pdf"), {}), 0) << "no report chosen";
  EXPECT_FALSE(std::filesystem::exists(dir.File("a.pdf")));
}

TEST(WriteReportPdf, EveryPageOfTheReportIsInTheFile) {
  testing::TempDir dir;
  const DocumentData data = PersonsDocument(10);
  const std::string path = dir.File("book.pdf");
  const int pages = WriteReportPdf(Everyone(ReportKind::AddressBook, data), data, path, {});
  ASSERT_GT(pages, 0);
  const std::string pdf = testing::ReadBytes(path);
  EXPECT_EQ(pdf.rfind("%PDF", 0), 0u);
  EXPECT_EQ(CountPages(pdf), pages);
  EXPECT_NE(pdf.find("/MediaBox [0 0 612.000000 792.000000]"), std::string::npos) << "Letter by default";

  // A larger font needs more pages.
  PdfOptions large;
  large.points = 40;
  const int largePages = WriteReportPdf(Everyone(ReportKind::AddressBook, data), data, path, large);
  EXPECT_GT(largePages, pages);
  EXPECT_EQ(CountPages(testing::ReadBytes(path)), largePages);
}

TEST(WriteReportPdf, EnvelopesOnA4OnePerPerson) {
  testing::TempDir dir;
  const DocumentData data = PersonsDocument(3);
  const std::string path = dir.File("envelopes.pdf");
  PdfOptions options;
  options.paper = Paper::A4;
  EXPECT_EQ(WriteReportPdf(Everyone(ReportKind::Envelopes, data), data, path, options), 3);
  const std::string pdf = testing::ReadBytes(path);
  EXPECT_EQ(CountPages(pdf), 3);
  EXPECT_NE(pdf.find("/MediaBox [0 0 595.000000 842.000000]"), std::string::npos);
}

TEST(WriteReportPdf, UnwritablePathFailsAndLeavesNothing) {
  testing::TempDir dir;
  const DocumentData data = PersonsDocument(2);
  const std::string path = dir.File("missing/folder/book.pdf");
  EXPECT_EQ(WriteReportPdf(Everyone(ReportKind::AddressBook, data), data, path, {}), -1);
  EXPECT_FALSE(std::filesystem::exists(dir.File("missing")));
  EXPECT_TRUE(std::filesystem::is_empty(dir.Path()));
}

}  // namespace
}  // namespace vimbo
