#include "ui/kit/help_maps.h"

#include <array>

#include "ui/kit/control_ids.h"

namespace vimbo::help {
namespace {

// Each window's pairs of control number and help context number. A box and
// its label share one context.
namespace mf = main_form;
constexpr HelpPair kMainForm[] = {{mf::kPersonSelector, 1200},
                                  {mf::kTitleLabel, 1205},
                                  {mf::kTitle, 1205},
                                  {mf::kFirstName, 1201},
                                  {mf::kFirstNameLabel, 1201},
                                  {mf::kLastName, 1202},
                                  {mf::kLastNameLabel, 1202},
                                  {mf::kCompany, 1203},
                                  {mf::kCompanyLabel, 1203},
                                  {mf::kPosition, 1204},
                                  {mf::kPositionLabel, 1204},
                                  // The address pairs stand twice; the first of them is the one found.
                                  {mf::kAddress, 1207},
                                  {mf::kAddressLabel, 1207},
                                  {mf::kAddress, 1207},
                                  {mf::kAddressLabel, 1207},
                                  {mf::kCity, 1209},
                                  {mf::kCityLabel, 1209},
                                  {mf::kState, 1210},
                                  {mf::kStateLabel, 1210},
                                  {mf::kPostalCode, 1211},
                                  {mf::kPostalCodeLabel, 1211},
                                  {mf::kHomePhone, 1220},
                                  {mf::kHomePhoneLabel, 1220},
                                  {mf::kWorkPhone, 1221},
                                  {mf::kWorkPhoneLabel, 1221},
                                  {mf::kExtension, 1222},
                                  {mf::kExtensionLabel, 1222},
                                  {mf::kPager, 1226},
                                  {mf::kPagerLabel, 1226},
                                  {mf::kCellPhone, 1225},
                                  {mf::kCellPhoneLabel, 1225},
                                  {mf::kFax, 1223},
                                  {mf::kFaxLabel, 1223},
                                  {mf::kEMail, 1224},
                                  {mf::kEMailLabel, 1224},
                                  {mf::kWebPage, 1227},
                                  {mf::kWebPageLabel, 1227},
                                  {mf::kBirthdaySet, 1240},
                                  {mf::kBirthday, 1240},
                                  {mf::kBirthdayYear, 1240},
                                  {mf::kAnniversarySet, 1241},
                                  {mf::kAnniversary, 1241},
                                  {mf::kAnniversaryYear, 1241},
                                  {mf::kPersonNotes, 1242},
                                  {mf::kDetailsList, 1243},
                                  {mf::kAddDetail, 1244},
                                  {mf::kRemoveDetail, 1245},
                                  {mf::kKeepInTouch, 1246},
                                  {mf::kFollowUpSet, 2005},
                                  {mf::kFollowUp, 2005},
                                  {mf::kFollowUpDone, 2006},
                                  {mf::kNotes, 2001},
                                  {mf::kFindBox, 1230},
                                  {mf::kFindResults, 1231},
                                  {mf::kFindClose, 1232},
                                  {mf::kDate, 2002},
                                  {mf::kDateLabel, 2002},
                                  {mf::kTime, 2004},
                                  {mf::kTimeLabel, 2004},
                                  {mf::kContactType, 2003},
                                  {mf::kContactTypeLabel, 2003},
                                  {mf::kContactsList, 2000}};

constexpr HelpPair kContactTypesDialog[] = {{contact_types::kTypeList, 6300},
                                            {contact_types::kClose, 1010},
                                            {contact_types::kEdit, 1007},
                                            {contact_types::kDelete, 1009},
                                            {contact_types::kAdd, 1008}};

constexpr HelpPair kContactTypeDetailsDialog[] = {{type_details::kDescriptionLabel, 6400},
                                                  {type_details::kDescription, 6400},
                                                  {type_details::kOk, 1000},
                                                  {type_details::kCancel, 1001}};

// The report dialogs. The address book and the envelopes have no range of
// dates, yet their maps list its group as the contacts report's does.
namespace pc = person_choice;
constexpr HelpPair kAddressBookDialog[] = {{pc::kPersons, 3000},
                                           {pc::kSelectAll, 3004},
                                           {pc::kOk, 1000},
                                           {pc::kCancel, 1001},
                                           {pc::kHelp, 1002},
                                           {pc::kPersonsGroup, 3005},
                                           {contacts_report::kRangeGroup, 3006}};
constexpr HelpPair kContactsReportDialog[] = {{pc::kPersons, 3000},
                                              {pc::kSelectAll, 3004},
                                              {contacts_report::kBeginningDate, 3002},
                                              {contacts_report::kEndingDate, 3003},
                                              {pc::kOk, 1000},
                                              {pc::kCancel, 1001},
                                              {pc::kHelp, 1002},
                                              {pc::kPersonsGroup, 3005},
                                              {contacts_report::kRangeGroup, 3006}};
constexpr HelpPair kActivityReportDialog[] = {{pc::kPersons, 3000},
                                              {pc::kSelectAll, 3004},
                                              {activity_report::kFromMonth, 3030},
                                              {activity_report::kToMonth, 3031},
                                              {pc::kOk, 1000},
                                              {pc::kCancel, 1001},
                                              {pc::kHelp, 1002},
                                              {pc::kPersonsGroup, 3033},
                                              {activity_report::kRangeGroup, 3032}};
constexpr HelpPair kEnvelopeDialog[] = {{pc::kPersons, 3000},
                                        {pc::kSelectAll, 3004},
                                        {pc::kOk, 1000},
                                        {pc::kCancel, 1001},
                                        {pc::kHelp, 1002},
                                        {pc::kPersonsGroup, 3005},
                                        {contacts_report::kRangeGroup, 3006},
                                        {envelope::kRecipientTitle, 3007},
                                        {envelope::kRecipientCompany, 3008},
                                        {envelope::kRecipientPosition, 3009},
                                        {envelope::kReturnTitle, 3010},
                                        {envelope::kReturnCompany, 3011},
                                        {envelope::kReturnPosition, 3012}};
constexpr HelpPair kVCardExportDialog[] = {{pc::kPersons, 3000}, {pc::kSelectAll, 3004}, {pc::kOk, 1000},
                                           {pc::kCancel, 1001},  {pc::kHelp, 1002},      {pc::kPersonsGroup, 3020}};

constexpr HelpPair kUserInfoSheet[] = {{user_sheet::kOk, 1000}, {user_sheet::kCancel, 1001}};
namespace gp = general_page;
constexpr HelpPair kGeneralPage[] = {
    {gp::kTitleLabel, 6005},    {gp::kTitle, 6005},    {gp::kCompanyLabel, 6003},   {gp::kCompany, 6003},
    {gp::kPositionLabel, 6004}, {gp::kPosition, 6004}, {gp::kFirstNameLabel, 6001}, {gp::kFirstName, 6001},
    {gp::kLastNameLabel, 6002}, {gp::kLastName, 6002}};
namespace ap = address_page;
constexpr HelpPair kAddressPage[] = {{ap::kAddressLabel, 6107}, {ap::kAddress, 6107},    {ap::kCityLabel, 6109},
                                     {ap::kCity, 6109},         {ap::kStateLabel, 6110}, {ap::kState, 6110},
                                     {ap::kZipLabel, 6111},     {ap::kZip, 6111}};
namespace pp = phone_page;
constexpr HelpPair kPhonePage[] = {
    {pp::kCellPhone, 6226}, {pp::kCellPhoneLabel, 6226}, {pp::kEMail, 6224},     {pp::kEMailLabel, 6224},
    {pp::kFax, 6223},       {pp::kFaxLabel, 6223},       {pp::kHomePhone, 6220}, {pp::kHomePhoneLabel, 6220},
    {pp::kPager, 6225},     {pp::kPagerLabel, 6225},     {pp::kWebPage, 6227},   {pp::kWebPageLabel, 6227},
    {pp::kExtension, 6222}, {pp::kExtensionLabel, 6222}, {pp::kWorkPhone, 6221}, {pp::kWorkPhoneLabel, 6221}};

constexpr HelpPair kTextTransferWizard[] = {{transfer_wizard::kBack, 1005},
                                            {transfer_wizard::kCancel, 1001},
                                            {transfer_wizard::kNext, 1004},
                                            {transfer_wizard::kFinish, 1006}};
constexpr HelpPair kSelectDocumentPage[] = {
    {select_document::kFileName, 4000}, {select_document::kBrowse, 4001}, {select_document::kFileGroup, 4000}};
namespace ds = document_structure;
constexpr HelpPair kDocumentStructurePage[] = {
    {ds::kPreview, 4002},    {ds::kPreviewGroup, 4002},   {ds::kFieldNames, 4004}, {ds::kFieldNamesGroup, 4004},
    {ds::kSeparators, 4006}, {ds::kSeparatorGroup, 4006}, {ds::kEnclosers, 4008},  {ds::kEncloserGroup, 4008}};
constexpr HelpPair kFieldsPage[] = {
    {fields_page::kFields, 4010}, {fields_page::kFieldsGroup, 4010}, {fields_page::kIsoDates, 4012}};
// OK and Cancel answer with the texts every dialog's OK and Cancel have.
constexpr HelpPair kFieldAssignmentDialog[] = {{field_assignment::kKeys, 5000},
                                               {field_assignment::kKeysLabel, 5000},
                                               {field_assignment::kImport, 5001},
                                               {field_assignment::kOk, 1000},
                                               {field_assignment::kCancel, 1001}};

}  // namespace

HelpMap MainForm() { return kMainForm; }
HelpMap ContactTypesDialog() { return kContactTypesDialog; }
HelpMap ContactTypeDetailsDialog() { return kContactTypeDetailsDialog; }
HelpMap AddressBookDialog() { return kAddressBookDialog; }
HelpMap ContactsReportDialog() { return kContactsReportDialog; }
HelpMap ActivityReportDialog() { return kActivityReportDialog; }
HelpMap EnvelopeDialog() { return kEnvelopeDialog; }
HelpMap VCardExportDialog() { return kVCardExportDialog; }
HelpMap UserInfoSheet() { return kUserInfoSheet; }
HelpMap GeneralPage() { return kGeneralPage; }
HelpMap AddressPage() { return kAddressPage; }
HelpMap PhonePage() { return kPhonePage; }
HelpMap TextTransferWizard() { return kTextTransferWizard; }
HelpMap SelectDocumentPage() { return kSelectDocumentPage; }
HelpMap DocumentStructurePage() { return kDocumentStructurePage; }
HelpMap FieldsPage() { return kFieldsPage; }
HelpMap FieldAssignmentDialog() { return kFieldAssignmentDialog; }

std::span<const HelpMap> AllMaps() {
  static const std::array kMaps = {MainForm(),
                                   ContactTypesDialog(),
                                   ContactTypeDetailsDialog(),
                                   AddressBookDialog(),
                                   ContactsReportDialog(),
                                   EnvelopeDialog(),
                                   VCardExportDialog(),
                                   UserInfoSheet(),
                                   GeneralPage(),
                                   AddressPage(),
                                   PhonePage(),
                                   TextTransferWizard(),
                                   SelectDocumentPage(),
                                   DocumentStructurePage(),
                                   FieldsPage(),
                                   FieldAssignmentDialog(),
                                   ActivityReportDialog()};
  return kMaps;
}

std::optional<uint32_t> ContextOf(HelpMap map, uint32_t controlId) {
  for (const auto& [control, context] : map)
    if (control == controlId) return context;
  return std::nullopt;
}

}  // namespace vimbo::help
