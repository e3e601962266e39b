#pragma once
// The ids of every command of the menus, toolbars and accelerators. The
// numbers stay as the help and the command table know them.

#include <QHashFunctions>
#include <cstddef>
#include <ostream>

namespace vimbo {

enum class CommandId : int {
  kNew = 57600,
  kOpen = 57601,
  kSave = 57603,
  kSaveAs = 57604,
  kPageSetup = 57605,
  kPrintSetup = 57606,
  kPrint = 57607,
  kPrintPreview = 57609,
  kRecentFirst = 57616,
  kRecentLast = 57631,
  kUndo = 57643,
  kRedo = 57644,
  kAbout = 57664,
  kExit = 57665,
  kClosePreview = 58112,
  kNextPage = 58114,
  kPreviousPage = 58115,
  kToolbar = 59392,
  kStatusBar = 59393,

  kContactAdd = 32778,
  kPersonAdd = 32779,
  kContactDelete = 32780,
  kPersonDelete = 32781,
  kContactUpdate = 32782,
  kPersonUpdate = 32791,
  kPersonCancel = 32794,
  kPersonEdit = 32795,
  kContactEdit = 32797,
  kContactCancel = 32798,
  kHelpTopics = 32800,
  kHelpMode = 32802,
  kReportAddressBook = 32803,
  kReportContacts = 32804,
  kReportFont = 32818,
  kZoomIn = 32819,
  kZoomOut = 32820,
  kImportPersons = 32821,
  kExportPersons = 32823,
  kExportContacts = 32824,
  kEditUser = 32825,
  kReportEnvelopes = 32826,
  kEditContactTypes = 32827,
  kPersonFind = 32830,
  kImportVCard = 32831,
  kExportVCard = 32832,
  kMerge = 32833,
  kReportActivity = 32834,
  kCheckForUpdate = 102,
};

// The recent-file commands are a range: file n (from 0) is kRecentFirst + n.
constexpr CommandId operator+(CommandId id, int offset) {
  return static_cast<CommandId>(static_cast<int>(id) + offset);
}
constexpr int operator-(CommandId a, CommandId b) { return static_cast<int>(a) - static_cast<int>(b); }

inline std::ostream& operator<<(std::ostream& out, CommandId id) { return out << static_cast<int>(id); }

inline std::size_t qHash(CommandId id, std::size_t seed = 0) noexcept { return ::qHash(static_cast<int>(id), seed); }

// Lets the code say command::kNew, or kNew after `using namespace command`.
namespace command {
using enum CommandId;
}

}  // namespace vimbo
