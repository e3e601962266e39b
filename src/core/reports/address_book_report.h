#pragma once
// The address book: the chosen persons in alphabetical order, eight lines
// each (name, company, position and postal address on the left, phones and
// internet addresses on the right, a rule below), under the title
// "ADDRESS BOOK", with page numbers and corner brackets.

#include <cstddef>
#include <cstdint>
#include <map>
#include <vector>

#include "core/records/records.h"
#include "core/reports/report.h"

namespace vimbo {

class AddressBookReport : public Report {
 public:
  // Copies the persons and sorts them by DisplayName, byte by byte, so
  // upper-case names come before lower-case ones. Pages are laid out once
  // the margins are set.
  AddressBookReport(Canvas& canvas, const std::map<int32_t, Person>& chosenPersons);

  void DrawPage(Canvas& canvas, int pageIndex) override;

 protected:
  void DrawHeader() override;
  void DrawFooter(int pageNumber) override;
  void DrawDecorations() override;
  void Paginate() override;

 private:
  static constexpr int kFirstEntryLine = 2;

  void DrawEntry(const Person& person);

  std::vector<Person> persons_;
  std::vector<std::vector<std::size_t>> pages_;
};

}  // namespace vimbo
