#pragma once
// Envelopes: one page per chosen person, the user's address as the return
// address in the top left corner and the person's address as the recipient
// block centred on the right column near the middle of the page.

#include <vector>

#include "core/records/records.h"
#include "core/reports/report.h"
#include "core/reports/report_selection.h"

namespace vimbo {

class EnvelopeReport : public Report {
 public:
  // The persons keep the order given (ascending ID); one envelope each.
  EnvelopeReport(Canvas& canvas, const User& sender, const std::vector<Person>& persons,
                 const EnvelopeOptions& options);

  void DrawPage(Canvas& canvas, int pageIndex) override;

 protected:
  // The return address.
  void DrawHeader() override;
  void DrawFooter(int pageNumber) override;
  void DrawDecorations() override;
  void Paginate() override;

 private:
  // Draws one address from (x, y): name, the chosen extra lines (position
  // before company), the address block and the city line.
  void DrawAddress(int x, int y, std::string_view name, const CompactText* position, const CompactText* company,
                   std::string_view address, std::string_view cityLine);

  User sender_;
  std::vector<Person> persons_;
  EnvelopeOptions options_;
};

}  // namespace vimbo
