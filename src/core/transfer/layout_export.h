#pragma once
// Writing persons in the column layouts that the big web and desktop address
// books import, so that leaving is as easy as arriving: a line of their
// column names, then one line per person, comma-separated, values in double
// quotes where they need them. What a layout has no column for is left out.

#include <optional>
#include <string>
#include <string_view>

#include "core/records/document_data.h"
#include "core/records/outcome.h"
#include "core/transfer/text_export.h"

namespace vimbo {

// kVimbo is the program's own columns, written by ExportPersons.
enum class ExportLayout { kVimbo, kGoogle, kOutlook };

// "vimbo", "google" or "outlook"; nothing for another name.
std::optional<ExportLayout> ExportLayoutNamed(std::string_view name);

// The text of the persons in `layout` (not kVimbo), in the collection's order.
std::string LayoutExportText(const DocumentData& data, ExportLayout layout);

// Writes that text to `path` through a temporary file, or hands it to
// `sink`. Done with the number of persons written; Failed with "Error saving
// FILE." when the file cannot be written.
Outcome ExportPersonsInLayout(const DocumentData& data, ExportLayout layout, const std::string& path);
Outcome ExportPersonsInLayout(const DocumentData& data, ExportLayout layout, const std::string& path,
                              const ExportSink& sink);

}  // namespace vimbo
