#pragma once
// The maps from control ids to help context numbers, one per form or dialog.
// F1 on a control, or a click in help mode, shows the popup text of the
// control's context number.

#include <cstdint>
#include <optional>
#include <span>
#include <utility>

namespace vimbo::help {

using HelpPair = std::pair<uint32_t, uint32_t>;
using HelpMap = std::span<const HelpPair>;

HelpMap MainForm();
HelpMap ContactTypesDialog();
HelpMap ContactTypeDetailsDialog();
HelpMap AddressBookDialog();
HelpMap ContactsReportDialog();
HelpMap ActivityReportDialog();
HelpMap EnvelopeDialog();
HelpMap VCardExportDialog();
HelpMap UserInfoSheet();
HelpMap GeneralPage();
HelpMap AddressPage();
HelpMap PhonePage();
HelpMap TextTransferWizard();
HelpMap SelectDocumentPage();
HelpMap DocumentStructurePage();
HelpMap FieldsPage();
HelpMap FieldAssignmentDialog();

// Every map above, for checks that the help covers them all.
std::span<const HelpMap> AllMaps();

// The context number of `controlId` in `map`, if the map lists it.
std::optional<uint32_t> ContextOf(HelpMap map, uint32_t controlId);

}  // namespace vimbo::help
