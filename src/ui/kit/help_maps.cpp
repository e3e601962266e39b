#include "ui/kit/help_maps.h"

#include <array>

namespace vimbo::help {
namespace {

constexpr HelpPair kMainForm[] = {
    {1024, 1200}, {1045, 1205}, {1015, 1205}, {1001, 1201}, {1036, 1201}, {1002, 1202}, {1041, 1202},
    {1003, 1203}, {1037, 1203}, {1004, 1204}, {1042, 1204}, {1010, 1207}, {1032, 1207}, {1010, 1207},
    {1032, 1207}, {1012, 1209}, {1033, 1209}, {1013, 1210}, {1034, 1210}, {1014, 1211}, {1035, 1211},
    {1023, 1220}, {1062, 1220}, {1025, 1221}, {1064, 1221}, {1031, 1222}, {1081, 1222}, {1027, 1226},
    {1068, 1226}, {1016, 1225}, {1047, 1225}, {1006, 1223}, {1039, 1223}, {1008, 1224}, {1040, 1224},
    {1074, 1227}, {1072, 1227}, {1022, 2001}, {1026, 2002}, {1043, 2002}, {1076, 2004}, {1078, 2004},
    {1020, 2003}, {1044, 2003}, {1021, 2000}};

constexpr HelpPair kContactTypesDialog[] = {{1103, 6300}, {1, 1010}, {1005, 1007}, {1004, 1009}, {1003, 1008}};
constexpr HelpPair kContactTypeDetailsDialog[] = {{1092, 6400}, {1055, 6400}, {1, 1000}, {2, 1001}};
constexpr HelpPair kAddressBookDialog[] = {{1046, 3000}, {1049, 3004}, {1, 1000},    {2, 1001},
                                           {1052, 1002}, {1057, 3005}, {1058, 3006}};
constexpr HelpPair kContactsReportDialog[] = {{1046, 3000}, {1049, 3004}, {1053, 3002}, {1055, 3003}, {1, 1000},
                                              {2, 1001},    {1052, 1002}, {1057, 3005}, {1058, 3006}};
constexpr HelpPair kEnvelopeDialog[] = {{1046, 3000}, {1049, 3004}, {1, 1000},    {2, 1001},    {1052, 1002},
                                        {1057, 3005}, {1058, 3006}, {1015, 3007}, {1003, 3008}, {1004, 3009},
                                        {1007, 3010}, {1009, 3011}, {1011, 3012}};
constexpr HelpPair kUserInfoSheet[] = {{1, 1000}, {2, 1001}};
constexpr HelpPair kGeneralPage[] = {{1045, 6005}, {1015, 6005}, {1037, 6003}, {1003, 6003}, {1042, 6004},
                                     {1004, 6004}, {1036, 6001}, {1001, 6001}, {1041, 6002}, {1002, 6002}};
constexpr HelpPair kAddressPage[] = {{1075, 6107}, {1018, 6107}, {1033, 6109}, {1012, 6109},
                                     {1034, 6110}, {1013, 6110}, {1079, 6111}, {1017, 6111}};
constexpr HelpPair kPhonePage[] = {{1016, 6226}, {1047, 6226}, {1008, 6224}, {1040, 6224}, {1006, 6223},
                                   {1039, 6223}, {1023, 6220}, {1062, 6220}, {1027, 6225}, {1068, 6225},
                                   {1074, 6227}, {1072, 6227}, {1031, 6222}, {1081, 6222}, {1025, 6221},
                                   {1064, 6221}};
constexpr HelpPair kTextTransferWizard[] = {{12323, 1005}, {2, 1001}, {12324, 1004}, {12325, 1006}};
constexpr HelpPair kSelectDocumentPage[] = {{1054, 4000}, {1056, 4001}, {1065, 4000}};
constexpr HelpPair kDocumentStructurePage[] = {{1144, 4002}, {1150, 4002}, {1135, 4004}, {1060, 4004},
                                               {1140, 4006}, {1059, 4006}, {1141, 4008}, {1061, 4008}};
constexpr HelpPair kFieldsPage[] = {{1145, 4010}, {1063, 4010}};
constexpr HelpPair kFieldAssignmentDialog[] = {{1148, 5000}, {1066, 5000}, {1147, 5001}};

}  // namespace

HelpMap MainForm() { return kMainForm; }
HelpMap ContactTypesDialog() { return kContactTypesDialog; }
HelpMap ContactTypeDetailsDialog() { return kContactTypeDetailsDialog; }
HelpMap AddressBookDialog() { return kAddressBookDialog; }
HelpMap ContactsReportDialog() { return kContactsReportDialog; }
HelpMap EnvelopeDialog() { return kEnvelopeDialog; }
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
  static const std::array kMaps = {MainForm(),           ContactTypesDialog(),    ContactTypeDetailsDialog(),
                                   AddressBookDialog(),  ContactsReportDialog(),  EnvelopeDialog(),
                                   UserInfoSheet(),      GeneralPage(),           AddressPage(),
                                   PhonePage(),          TextTransferWizard(),    SelectDocumentPage(),
                                   DocumentStructurePage(), FieldsPage(),         FieldAssignmentDialog()};
  return kMaps;
}

std::optional<uint32_t> ContextOf(HelpMap map, uint32_t controlId) {
  for (const auto& [control, context] : map)
    if (control == controlId) return context;
  return std::nullopt;
}

}  // namespace vimbo::help
