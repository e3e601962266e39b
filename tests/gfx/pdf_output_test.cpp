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

TEST(WriteReportPdf, ReportThatListsNothingWritesNoFile) {
  testing::TempDir dir;
  DocumentData data = PersonsDocument(3);
  ReportSelection nobody;
  nobody.kind = ReportKind::kAddressBook;
  ReportSelection envelopesForNobody = nobody;
  envelopesForNobody.kind = ReportKind::kEnvelopes;
  // Print Preview shows this one's title page; a file of it would say nothing.
  const ReportSelection noContactInRange = Everyone(ReportKind::kContacts, data);
  for (const ReportSelection& selection : {nobody, envelopesForNobody, ReportSelection{}, noContactInRange}) {
    const Outcome outcome = WriteReportPdf(selection, data, dir.File("a.pdf"), {});
    EXPECT_TRUE(outcome.IsDone());
    EXPECT_EQ(outcome.count, 0) << static_cast<int>(selection.kind);
  }
  EXPECT_FALSE(std::filesystem::exists(dir.File("a.pdf")));

  Contact contact;
  contact.ID = 1;
  contact.PersonID = 2;
  contact.ContactTypeID = 1;
  contact.DateTime.SetDateTime(2010, 5, 5, 12, 0, 0);
  data.contacts.Insert(contact);
  EXPECT_EQ(WriteReportPdf(Everyone(ReportKind::kContacts, data), data, dir.File("a.pdf"), {}).count, 1);
  EXPECT_TRUE(std::filesystem::exists(dir.File("a.pdf")));
}

TEST(WriteReportPdf, EveryPageOfTheReportIsInTheFile) {
  testing::TempDir dir;
  const DocumentData data = PersonsDocument(10);
  const std::string path = dir.File("book.pdf");
  const int pages = WriteReportPdf(Everyone(ReportKind::kAddressBook, data), data, path, {}).count;
  ASSERT_GT(pages, 0);
  const std::string pdf = testing::ReadBytes(path);
  EXPECT_EQ(pdf.rfind("%PDF", 0), 0u);
  EXPECT_EQ(CountPages(pdf), pages);
  EXPECT_NE(pdf.find("/MediaBox [0 0 612.000000 792.000000]"), std::string::npos) << "Letter by default";

  // A larger font needs more pages.
  PdfOptions large;
  large.points = 40;
  const int largePages = WriteReportPdf(Everyone(ReportKind::kAddressBook, data), data, path, large).count;
  EXPECT_GT(largePages, pages);
  EXPECT_EQ(CountPages(testing::ReadBytes(path)), largePages);
}

TEST(WriteReportPdf, EnvelopesOnA4OnePerPerson) {
  testing::TempDir dir;
  const DocumentData data = PersonsDocument(3);
  const std::string path = dir.File("envelopes.pdf");
  PdfOptions options;
  options.paper = Paper::kA4;
  EXPECT_EQ(WriteReportPdf(Everyone(ReportKind::kEnvelopes, data), data, path, options).count, 3);
  const std::string pdf = testing::ReadBytes(path);
  EXPECT_EQ(CountPages(pdf), 3);
  EXPECT_NE(pdf.find("/MediaBox [0 0 595.000000 842.000000]"), std::string::npos);
}

TEST(WriteReportPdf, UnwritablePathFailsAndLeavesNothing) {
  testing::TempDir dir;
  const DocumentData data = PersonsDocument(2);
  const std::string path = dir.File("missing/folder/book.pdf");
  const Outcome outcome = WriteReportPdf(Everyone(ReportKind::kAddressBook, data), data, path, {});
  EXPECT_TRUE(outcome.IsFailed());
  EXPECT_EQ(outcome.message, "Error saving " + path + ".");
  EXPECT_FALSE(std::filesystem::exists(dir.File("missing")));
  EXPECT_TRUE(std::filesystem::is_empty(dir.Path()));
}

}  // namespace
}  // namespace vimbo
