#include "core/reports/activity_report.h"
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
    case ReportKind::kActivity: {
      std::vector<int32_t> persons;
      if (!selection.allPersons)
        for (const auto& [id, person] : selection.chosenPersons) persons.push_back(id);
      return std::make_unique<ActivityReport>(canvas, data, selection.beginDate, selection.endDate,
                                              selection.allPersons ? nullptr : &persons);
    }
    case ReportKind::kNone: break;
  }
  return nullptr;
}

}  // namespace vimbo
