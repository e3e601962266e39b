#pragma once
// Writes a report as a PDF file, for vimbo-cli and for scripts.

#include <string>

#include "core/records/document_data.h"
#include "core/records/outcome.h"
#include "core/reports/report.h"
#include "core/reports/report_selection.h"

namespace vimbo {

enum class Paper { kLetter, kA4 };

struct PdfOptions {
  Margins margins;  // thousandths of an inch
  std::string face = "Times New Roman";
  int points = 10;
  Paper paper = Paper::kLetter;
  int resolution = 1200;  // dots per inch
};

// The paper of the user's locale: Letter where measures are imperial, else A4.
Paper LocalePaper();

// Lays the selected report out on pages of the options' paper and writes
// every page to `path`: Done with the page count. A report that lists
// nothing (no person chosen, no contact in the range) writes no file and is
// Done with 0 pages. Failed with "Error saving PATH." when the file cannot be
// written, and then nothing is left under `path`: the PDF is replaced in one
// step.
Outcome WriteReportPdf(const ReportSelection& selection, const DocumentData& data, const std::string& path,
                       const PdfOptions& options);

}  // namespace vimbo
