#include "core/reports/address_book_report.h"
#include "core/reports/contacts_report.h"
#include "core/reports/envelope_report.h"
#include "core/reports/report.h"

namespace vimbo {

std::unique_ptr<Report> CreateReport(const ReportSelection& selection, const DocumentData& data, Canvas& canvas) {
  switch (selection.kind) {
    case ReportKind::kAddressBook: return std::make_unique<AddressBookReport>(canvas, selection.chosenPersons);
    case ReportKind::kContacts:
      return std::make_unique<ContactsReport>(canvas, selection.chosenPersons, selection.beginDate, selection.endDate,
                                              data.contacts);
    case ReportKind::kEnvelopes:
      return std::make_unique<EnvelopeReport>(canvas, data.user, selection.envelopePersons, selection.envelopeOptions);
    case ReportKind::kNone: break;
  }
  return nullptr;
}

}  // namespace vimbo
