#include "core/transfer/text_transfer_settings.h"

#include "core/transfer/transfer_keys.h"

namespace vimbo {
namespace {

TextTransferSettings SettingsFor(const char* recordKind, std::vector<std::string> keys) {
  TextTransferSettings settings;
  settings.RecordKind = recordKind;
  settings.AvailableCount = static_cast<int>(keys.size());
  settings.Fields.assign(keys.size(), std::string());
  settings.AvailableFields = std::move(keys);
  return settings;
}

}  // namespace

TextTransferSettings PersonsExportSettings() { return SettingsFor("Persons", PersonKeyNames()); }

TextTransferSettings ContactsExportSettings() { return SettingsFor("Contacts", ContactKeyNames()); }

TextTransferSettings PersonsImportSettings() {
  TextTransferSettings settings = PersonsExportSettings();
  settings.RequiredFields = {"LastName"};
  return settings;
}

}  // namespace vimbo
