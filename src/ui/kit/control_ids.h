#pragma once
// The control numbers of every form and dialog, one enum per window. The
// numbers are the keys of the help maps, so none of them may change; a number
// means something only within its own window (1015 is the main form's Title
// box, the General page's Title box and the envelope dialog's recipient
// Title check box).
//
// The enums are unscoped, each in the namespace of its window, so that a name
// reads as `main_form::kTitle` and passes straight to SetControlId and to the
// help maps.

namespace vimbo {

// The main form. Each box has a label with a number of its own.
namespace main_form {
enum Control : int {
  kPersonGroup = 1028,
  kPersonSelector = 1024,
  kAddress = 1010,
  kAddressLabel = 1032,
  kCity = 1012,
  kCityLabel = 1033,
  kState = 1013,
  kStateLabel = 1034,
  kPostalCode = 1014,
  kPostalCodeLabel = 1035,
  kTitle = 1015,
  kTitleLabel = 1045,
  kFirstName = 1001,
  kFirstNameLabel = 1036,
  kLastName = 1002,
  kLastNameLabel = 1041,
  kCompany = 1003,
  kCompanyLabel = 1037,
  kPosition = 1004,
  kPositionLabel = 1042,
  kHomePhone = 1023,
  kHomePhoneLabel = 1062,
  kWorkPhone = 1025,
  kWorkPhoneLabel = 1064,
  kExtension = 1031,
  kExtensionLabel = 1081,
  kPager = 1027,
  kPagerLabel = 1068,
  kCellPhone = 1016,
  kCellPhoneLabel = 1047,
  kFax = 1006,
  kFaxLabel = 1039,
  kEMail = 1008,
  kEMailLabel = 1040,
  kWebPage = 1074,
  kWebPageLabel = 1072,

  // The person's details beside the boxes.
  kBirthdaySet = 1094,
  kBirthday = 1095,
  kBirthdayYear = 1096,
  kAnniversarySet = 1097,
  kAnniversary = 1098,
  kAnniversaryYear = 1099,
  kPersonNotes = 1100,
  kDetailsList = 1101,
  kAddDetail = 1102,
  kRemoveDetail = 1103,
  kKeepInTouch = 1104,

  kContactGroup = 1029,
  kDate = 1026,
  kDateLabel = 1043,
  kTime = 1076,
  kTimeLabel = 1078,
  kContactType = 1020,
  kContactTypeLabel = 1044,
  kNotes = 1022,
  kFollowUpSet = 1105,
  kFollowUp = 1106,
  kFollowUpDone = 1107,

  kContactsGroup = 1030,
  kContactsList = 1021,

  // The find bar above the form.
  kFindBox = 1090,
  kFindResults = 1091,
  kFindClose = 1092,
};
}  // namespace main_form

// The contact types editor.
namespace contact_types {
enum Control : int {
  kTypeList = 1103,
  kAdd = 1003,
  kDelete = 1004,
  kEdit = 1005,
  kClose = 1,
};
}  // namespace contact_types

// The details dialog of one contact type.
namespace type_details {
enum Control : int {
  kDescriptionLabel = 1092,
  kDescription = 1055,
  kOk = 1,
  kCancel = 2,
};
}  // namespace type_details

// The user information sheet's own buttons; its pages follow.
namespace user_sheet {
enum Control : int {
  kOk = 1,
  kCancel = 2,
};
}  // namespace user_sheet

namespace general_page {
enum Control : int {
  kTitle = 1015,
  kTitleLabel = 1045,
  kFirstName = 1001,
  kFirstNameLabel = 1036,
  kLastName = 1002,
  kLastNameLabel = 1041,
  kCompany = 1003,
  kCompanyLabel = 1037,
  kPosition = 1004,
  kPositionLabel = 1042,
};
}  // namespace general_page

namespace address_page {
enum Control : int {
  kAddress = 1018,
  kAddressLabel = 1075,
  kCity = 1012,
  kCityLabel = 1033,
  kState = 1013,
  kStateLabel = 1034,
  kZip = 1017,
  kZipLabel = 1079,
};
}  // namespace address_page

// The document keeps no pager number, so the page has no pager box; its
// help map still lists the numbers a pager box and its label would have.
namespace phone_page {
enum Control : int {
  kHomePhone = 1023,
  kHomePhoneLabel = 1062,
  kWorkPhone = 1025,
  kWorkPhoneLabel = 1064,
  kExtension = 1031,
  kExtensionLabel = 1081,
  kPager = 1027,
  kPagerLabel = 1068,
  kFax = 1006,
  kFaxLabel = 1039,
  kEMail = 1008,
  kEMailLabel = 1040,
  kCellPhone = 1016,
  kCellPhoneLabel = 1047,
  kWebPage = 1074,
  kWebPageLabel = 1072,
};
}  // namespace phone_page

// The text transfer wizard's buttons; its pages follow.
namespace transfer_wizard {
enum Control : int {
  kBack = 12323,
  kNext = 12324,
  kFinish = 12325,
  kCancel = 2,
};
}  // namespace transfer_wizard

// What every page of the wizard has: the place of the picture on its left.
namespace transfer_page {
enum Control : int {
  kPicture = 1134,
};
}  // namespace transfer_page

namespace select_document {
enum Control : int {
  kFileGroup = 1065,
  kFileName = 1054,
  kBrowse = 1056,
};
}  // namespace select_document

namespace document_structure {
enum Control : int {
  kPreviewGroup = 1150,
  kPreview = 1144,
  kFieldNamesGroup = 1060,
  kFieldNames = 1135,
  kSeparatorGroup = 1059,
  kSeparators = 1140,
  kEncloserGroup = 1061,
  kEnclosers = 1141,
};
}  // namespace document_structure

namespace fields_page {
enum Control : int {
  kFieldsGroup = 1063,
  kFields = 1145,
  kIsoDates = 1146,
};
}  // namespace fields_page

// The dialog that assigns an imported column to a field.
namespace field_assignment {
enum Control : int {
  kKeysLabel = 1066,
  kKeys = 1148,
  kImport = 1147,
  kOk = 1,
  kCancel = 2,
};
}  // namespace field_assignment

// What the report dialogs share: the choice of persons and the buttons.
namespace person_choice {
enum Control : int {
  kPersonsGroup = 1057,
  kPersons = 1046,
  kSelectAll = 1049,
  kOk = 1,
  kCancel = 2,
  kHelp = 1052,
};
}  // namespace person_choice

// The range of dates of the contacts report. The address book and envelope
// dialogs' help maps list kRangeGroup's number too, though neither has it.
namespace contacts_report {
enum Control : int {
  kRangeGroup = 1058,
  kBeginningDate = 1053,
  kEndingDate = 1055,
};
}  // namespace contacts_report

// The range of months of the activity report.
namespace activity_report {
enum Control : int {
  kRangeGroup = 1300,
  kFromMonth = 1301,
  kToMonth = 1302,
};
}  // namespace activity_report

// The envelope dialog's extra lines, for the recipient and the return address.
namespace envelope {
enum Control : int {
  kRecipientTitle = 1015,
  kRecipientCompany = 1003,
  kRecipientPosition = 1004,
  kReturnTitle = 1007,
  kReturnCompany = 1009,
  kReturnPosition = 1011,
};
}  // namespace envelope

}  // namespace vimbo
