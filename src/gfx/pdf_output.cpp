#include "gfx/pdf_output.h"

#include <QBuffer>
#include <QLocale>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

#include "core/document/file_io.h"
#include "gfx/qt_canvas.h"

namespace vimbo {

Paper LocalePaper() {
  return QLocale::system().measurementSystem() == QLocale::ImperialUSSystem ? Paper::kLetter : Paper::kA4;
}

Outcome WriteReportPdf(const ReportSelection& selection, const DocumentData& data, const std::string& path,
                       const PdfOptions& options) {
  // The PDF is made in memory and then written through a temporary file, so
  // a failure never leaves a half-written PDF under the name.
  QBuffer buffer;
  buffer.open(QIODevice::WriteOnly);
  QPdfWriter writer(&buffer);
  writer.setCreator("Vimbo");
  writer.setResolution(options.resolution);
  writer.setPageSize(QPageSize(options.paper == Paper::kA4 ? QPageSize::A4 : QPageSize::Letter));
  // A PDF page has no unprintable edge: the report's margins are measured
  // from the sheet's edges.
  writer.setPageMargins(QMarginsF(0, 0, 0, 0));

  QtCanvas measuring = QtCanvas::ForMeasuring(writer);
  const std::unique_ptr<Report> report = CreateReport(selection, data, measuring);
  if (!report) return Outcome::Done(0);
  report->SetMargins(options.margins);
  report->SetFaceName(options.face);
  report->SetPointSize(options.points);
  const int pages = report->GetPageCount();
  if (pages <= 0 || report->ListsNothing()) return Outcome::Done(0);

  QPainter painter;
  if (!painter.begin(&writer)) return Outcome::Failed(SaveErrorMessage(path));
  QtCanvas page = QtCanvas::ForPage(painter, writer);
  for (int i = 0; i < pages; ++i) {
    if (i > 0) writer.newPage();
    page.Save();
    report->DrawPage(page, i);
    page.Restore();
  }
  if (!painter.end()) return Outcome::Failed(SaveErrorMessage(path));
  const QByteArray& bytes = buffer.data();
  if (!WriteFileAtomically(path, std::string_view(bytes.constData(), bytes.size())))
    return Outcome::Failed(SaveErrorMessage(path));
  return Outcome::Done(pages);
}

}  // namespace vimbo
