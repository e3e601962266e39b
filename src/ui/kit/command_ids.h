#pragma once
// The numeric command ids shared by menus, toolbars and accelerators.

namespace vimbo::command {

inline constexpr int kNew = 57600;
inline constexpr int kOpen = 57601;
inline constexpr int kSave = 57603;
inline constexpr int kSaveAs = 57604;
inline constexpr int kPageSetup = 57605;
inline constexpr int kPrintSetup = 57606;
inline constexpr int kPrint = 57607;
inline constexpr int kPrintPreview = 57609;
inline constexpr int kRecentFirst = 57616;
inline constexpr int kRecentLast = 57631;
inline constexpr int kUndo = 57643;
inline constexpr int kRedo = 57644;
inline constexpr int kAbout = 57664;
inline constexpr int kExit = 57665;
inline constexpr int kClosePreview = 58112;
inline constexpr int kNextPage = 58114;
inline constexpr int kPreviousPage = 58115;
inline constexpr int kToolbar = 59392;
inline constexpr int kStatusBar = 59393;

inline constexpr int kContactAdd = 32778;
inline constexpr int kPersonAdd = 32779;
inline constexpr int kContactDelete = 32780;
inline constexpr int kPersonDelete = 32781;
inline constexpr int kContactUpdate = 32782;
inline constexpr int kPersonUpdate = 32791;
inline constexpr int kPersonCancel = 32794;
inline constexpr int kPersonEdit = 32795;
inline constexpr int kContactEdit = 32797;
inline constexpr int kContactCancel = 32798;
inline constexpr int kHelpTopics = 32800;
inline constexpr int kHelpMode = 32802;
inline constexpr int kReportAddressBook = 32803;
inline constexpr int kReportContacts = 32804;
inline constexpr int kReportFont = 32818;
inline constexpr int kZoomIn = 32819;
inline constexpr int kZoomOut = 32820;
inline constexpr int kImportPersons = 32821;
inline constexpr int kExportPersons = 32823;
inline constexpr int kExportContacts = 32824;
inline constexpr int kEditUser = 32825;
inline constexpr int kReportEnvelopes = 32826;
inline constexpr int kEditContactTypes = 32827;
inline constexpr int kCheckForUpdate = 102;

}  // namespace vimbo::command
