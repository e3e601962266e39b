#pragma once
// The contacts report: for each chosen person, alphabetically, every logged
// contact within a date range, newest first, with the person's name, the
// date and time and the word-wrapped description, under the title
// "CONTACTS <begin> - <end>" and a row of column headings.

#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "core/records/date_time_value.h"
#include "core/records/document_data.h"
#include "core/records/records.h"
#include "core/reports/report.h"

namespace vimbo {

class ContactsReport : public Report {
 public:
  // Lists the contacts of the chosen persons dated from `beginDate` to
  // `endDate`, both included; contacts of other persons never appear. Pages
  // are laid out once the margins are set.
  ContactsReport(Canvas& canvas, const std::map<int32_t, Person>& chosenPersons, const DateTimeValue& beginDate,
                 const DateTimeValue& endDate, const Contacts& contacts);

  void DrawPage(Canvas& canvas, int pageIndex) override;
  // No contact of the chosen persons falls within the range.
  bool ListsNothing() const override { return entries_.empty(); }

 protected:
  void DrawHeader() override;
  void DrawFooter(int pageNumber) override;
  void DrawDecorations() override;
  void Paginate() override;
  void ContinuePagination(std::size_t entries) override;

 private:
  static constexpr int kFirstEntryLine = 4;

  // One printed contact and the person it is listed under.
  struct Entry {
    std::size_t person;
    std::size_t contact;
  };

  void DrawEntry(const Entry& entry);
  CanvasRect DescriptionRect(int top) const;

  std::vector<Person> persons_;
  std::vector<Contact> contacts_;
  std::vector<Entry> entries_;                   // print order: by person, then newest first
  std::vector<std::vector<std::size_t>> pages_;  // indices into entries_; the last may still grow
  int nextY_ = 0;                                // where the next entry to lay out would start on the last page
  DateTimeValue beginDate_;
  DateTimeValue endDate_;
  int dateColumnX_ = 0;
  std::string lastPersonName_;
};

}  // namespace vimbo
