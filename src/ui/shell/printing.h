#pragma once
// What printing keeps for the run: the printer and its page setup, the
// margins, the report font, the last report chosen in a report dialog, the
// report built from it, and the preview's page and zoom. The main window
// only shows what this holds.

#include <QPrinter>
#include <QString>
#include <cstddef>
#include <functional>
#include <memory>

#include "core/reports/report.h"
#include "core/reports/report_selection.h"

class QPicture;
class QWidget;

namespace vimbo {

struct DocumentData;
class Prompter;
class QtCanvas;

class Printing {
 public:
  explicit Printing(Prompter& prompter);
  ~Printing();
  Printing(const Printing&) = delete;
  Printing& operator=(const Printing&) = delete;

  QPrinter& Printer() { return printer_; }
  const Margins& PageMargins() const { return margins_; }
  const QString& ReportFace() const { return reportFace_; }
  int ReportPoints() const { return reportPoints_; }

  // The last report confirmed in a report dialog, kept for the whole run.
  const ReportSelection& Selection() const { return selection_; }
  void SetSelection(ReportSelection selection) { selection_ = std::move(selection); }
  bool HasSelection() const { return selection_.kind != ReportKind::kNone; }

  // The report of the selection over the document, measured for the
  // printer; none when nothing has been chosen. It is built with the pages
  // up to the one the preview shows laid out; PaginateMore lays out the rest.
  void BuildReport(const DocumentData& data);
  void DropReport();
  Report* CurrentReport() const { return report_.get(); }
  // The pages laid out so far: every page once pagination has finished.
  int PageCount() const { return report_ ? report_->KnownPageCount() : 0; }
  // Whether the current report still has pages to lay out.
  bool Paginating() const { return report_ && !report_->PaginationDone(); }
  // Lays out up to `entries` more entries of the current report; true when
  // nothing is left to lay out.
  bool PaginateMore(std::size_t entries) { return !report_ || report_->PaginateMore(entries); }

  // The page the preview shows, kept within the report.
  int PreviewPage() const { return previewPage_; }
  void SetPreviewPage(int page);
  // Records the page in the printer's units, to be played into the preview.
  void RecordPage(QPicture& picture) const;

  // The preview's zoom steps: the next step in or out, and which of the two
  // commands is still possible.
  void ResetZoom();
  int StepZoom(int current, bool in);
  bool CanZoomIn() const { return zoomInEnabled_; }
  bool CanZoomOut() const { return zoomOutEnabled_; }

  // The page setup, print setup and font dialogs; true when the user
  // confirmed.
  bool PageSetup(QWidget* owner);
  void PrintSetup(QWidget* owner);
  bool ChooseFont(QWidget* owner);

  // Asks for the printer and prints every page of the current report, or of
  // one built for the occasion. `progress` hears of each page.
  void Print(QWidget* owner, const DocumentData& data, const std::function<void(int page, int pages)>& progress);

 private:
  Prompter& prompter_;
  QPrinter printer_;
  Margins margins_;
  QString reportFace_ = QStringLiteral("Times New Roman");
  int reportPoints_ = 10;
  ReportSelection selection_;
  std::unique_ptr<QtCanvas> measuring_;
  std::unique_ptr<Report> report_;
  int previewPage_ = 0;
  bool zoomInEnabled_ = false;
  bool zoomOutEnabled_ = false;
};

}  // namespace vimbo
