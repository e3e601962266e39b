#include "gui_measures.h"

#include <sys/stat.h>

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QEvent>
#include <QPainter>
#include <QPicture>
#include <QPrinter>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <optional>
#include <stdexcept>
#include <vector>

#include "core/reports/report.h"
#include "core/reports/report_selection.h"
#include "gfx/qt_canvas.h"
#include "ui/form/main_view.h"
#include "ui/kit/prompter.h"
#include "ui/shell/main_frame.h"
#include "ui/shell/program_setup.h"

namespace vimbo::bench {
namespace {

// Nothing in these runs should ask the user anything: a question means a
// step failed. It is reported and answered in the negative, so the run
// ends instead of waiting for a click that never comes.
class RefusingPrompter final : public Prompter {
 public:
  Answer Message(QWidget*, const QString& text, const QString& caption, Icon, Buttons) override {
    Refuse(caption + QStringLiteral(": ") + text);
    return Answer::Cancel;
  }
  std::optional<QString> OpenFileName(QWidget*, const QString&, const QString&) override {
    Refuse(QStringLiteral("an open-file dialog"));
    return std::nullopt;
  }
  std::optional<QString> SaveFileName(QWidget*, const QString&, const QString&, const QString&) override {
    Refuse(QStringLiteral("a save-file dialog"));
    return std::nullopt;
  }
  int RunDialog(QDialog&) override {
    Refuse(QStringLiteral("a dialog"));
    return 0;
  }
  bool PageSetup(QWidget*, QPrinter&, QMarginsF&) override {
    Refuse(QStringLiteral("the page setup"));
    return false;
  }
  bool PrintDialog(QWidget*, QPrinter&) override {
    Refuse(QStringLiteral("the print dialog"));
    return false;
  }
  std::optional<QFont> FontDialog(QWidget*, const QFont&) override {
    Refuse(QStringLiteral("the font dialog"));
    return std::nullopt;
  }

  bool Asked() const { return asked_; }

 private:
  void Refuse(const QString& what) {
    std::fprintf(stderr, "document_bench: the program asked: %s\n", what.toLocal8Bit().constData());
    asked_ = true;
  }

  bool asked_ = false;
};

void Check(bool ok, const char* what) {
  if (!ok) throw std::runtime_error(what);
}

// Notes a paint of the widgets it watches.
class PaintWatcher final : public QObject {
 public:
  bool painted = false;

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint) painted = true;
    return false;
  }
};

// Runs the event loop until the watched widget has painted, the way the
// program's own loop would have shown it.
void WaitForPaint(const PaintWatcher& watcher) {
  QElapsedTimer wall;
  wall.start();
  while (!watcher.painted) {
    Check(wall.elapsed() < 120'000, "the window did not paint within two minutes");
    QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
  }
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const std::size_t middle = values.size() / 2;
  return values.size() % 2 == 1 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

std::string Seconds(double seconds) {
  char text[32];
  std::snprintf(text, sizeof text, "%.2f s", seconds);
  return text;
}

// From the start of the main window to its first paint with the document
// loaded: the program started with the file named on its command line.
std::unique_ptr<MainFrame> OpenMeasure(Prompter& prompter, const std::string& path) {
  const double fileSize = static_cast<double>(std::filesystem::file_size(path));
  const std::size_t residentBefore = ResidentBytes();
  const bool peakKnown = ResetPeakResident();
  const double threadStart = ThreadCpuSeconds();
  const double processStart = ProcessCpuSeconds();

  auto frame = std::make_unique<MainFrame>(prompter, MainFrame::Options{QString(), false});
  PaintWatcher watcher;
  frame->View()->installEventFilter(&watcher);
  frame->OpenStartupFiles({QString::fromStdString(path)});
  frame->show();
  WaitForPaint(watcher);
  frame->View()->removeEventFilter(&watcher);

  const double threadSeconds = ThreadCpuSeconds() - threadStart;
  const double processSeconds = ProcessCpuSeconds() - processStart;
  const double growth = static_cast<double>(ResidentBytes()) - static_cast<double>(residentBefore);
  PrintRow("open: main window shown, main-thread CPU", "", "", Seconds(threadSeconds), "<= 1.5 s",
           threadSeconds <= 1.5);
  PrintRow("open: resident memory growth / file size", Megabytes(growth), Megabytes(fileSize), Ratio(growth / fileSize),
           "<= 2.5", growth <= 2.5 * fileSize);
  char note[96];
  std::snprintf(note, sizeof note, "%s of CPU in every thread", Seconds(processSeconds).c_str());
  PrintNote("open", note);
  if (peakKnown) {
    const double peak = static_cast<double>(PeakResidentBytes()) - static_cast<double>(residentBefore);
    std::snprintf(note, sizeof note, "%s, %.2f x file size", Megabytes(peak).c_str(), peak / fileSize);
    PrintNote("open: peak resident growth", note);
  }
  return frame;
}

// Lays out the rest of the report the way the preview does while it shows
// page 1: in slices where the report offers them, else all at once.
template <typename AnyReport>
int FinishPagination(AnyReport& report) {
  if constexpr (requires { report.PaginateMore(std::size_t{}); }) {
    constexpr std::size_t kSliceEntries = 500;
    while (!report.PaginateMore(kSliceEntries)) {
    }
  }
  return report.GetPageCount();
}

// The contacts report of every person over every date, as Print Preview
// builds it for the printer: page 1 drawn, then the page count asked.
void ReportMeasure(const DocumentData& data, const RoundOptions& options) {
  ReportSelection selection;
  selection.kind = ReportKind::Contacts;
  for (const auto& [id, person] : data.persons) selection.chosenPersons.emplace(id, person);
  selection.beginDate.SetDateTime(1990, 1, 1, 0, 0, 0);
  selection.endDate.SetDateTime(2030, 12, 31, 23, 59, 59);
  QPrinter printer;

  std::vector<double> firstPage, pageCount;
  int pages = 0;
  // A report that takes the goal's 2 s or more is run once: one round of it
  // already says what matters.
  while (firstPage.empty() ||
         (static_cast<int>(firstPage.size()) < std::min(options.rounds, 3) && pageCount.back() < 2)) {
    const double start = ProcessCpuSeconds();
    QtCanvas measuring = QtCanvas::ForMeasuring(printer);
    std::unique_ptr<Report> report = CreateReport(selection, data, measuring);
    Check(report != nullptr, "no contacts report was made");
    report->SetMargins(Margins{});
    report->SetFaceName("Times New Roman");
    report->SetPointSize(10);
    {
      QPicture picture;
      QPainter painter(&picture);
      QtCanvas page = QtCanvas::ForPreviewPage(painter, printer);
      report->DrawPage(page, 0);
    }
    firstPage.push_back(ProcessCpuSeconds() - start);
    pages = FinishPagination(*report);
    pageCount.push_back(ProcessCpuSeconds() - start);
  }
  const double shown = Median(firstPage);
  const double counted = Median(pageCount);
  PrintRow("contacts report preview: page 1 shown, CPU", "", "", Seconds(shown), "<= 0.3 s", shown <= 0.3);
  PrintRow("contacts report preview: page count known, CPU", "", "", Seconds(counted), "<= 2 s", counted <= 2);
  char note[96];
  std::snprintf(note, sizeof note, "%s persons, %s contacts, %s pages",
                Count(static_cast<double>(data.persons.Size())).c_str(),
                Count(static_cast<double>(data.contacts.Size())).c_str(), Count(pages).c_str());
  PrintNote("contacts report", note);
}

// The user picks another person in the selector; the switch is over when
// the form has painted the person and the first rows of the contacts.
void SwitchMeasure(MainFrame& frame, const std::string& path, const RoundOptions& options) {
  frame.OpenStartupFiles({QString::fromStdString(path)});
  QCoreApplication::processEvents();
  MainView& view = *frame.View();
  QComboBox& selector = *view.findChild<QComboBox*>(QStringLiteral("PersonSelector"));
  const int persons = selector.count();
  Check(persons > 0, "the switch document shows no persons");

  const DocumentData& data = frame.Doc().Data();
  // Any widget's paint counts: the rows of a list are painted by its viewport.
  PaintWatcher watcher;
  QCoreApplication::instance()->installEventFilter(&watcher);
  std::vector<double> seconds;
  double contacts = 0;
  int painted = 0;
  const int switches = std::max(20, 4 * options.rounds);
  for (int i = 0; i < switches; ++i) {
    const int position = (selector.currentIndex() + 1) % persons;
    watcher.painted = false;
    const double start = ProcessCpuSeconds();
    selector.setCurrentIndex(position);
    emit selector.activated(position);
    QCoreApplication::processEvents();
    seconds.push_back(ProcessCpuSeconds() - start);
    painted += watcher.painted;
    Check(selector.currentIndex() == position, "the form did not switch to the person picked");
    for (const auto& [id, contact] : data.contacts) contacts += contact.PersonID == view.State().currentPersonId;
  }
  QCoreApplication::instance()->removeEventFilter(&watcher);
  const double median = Median(seconds);
  PrintRow("person switch in the form, CPU", "", "", Milliseconds(median), "<= 5 ms", median <= 0.005);
  char note[96];
  std::snprintf(note, sizeof note, "%d switches (%d painted), %s contacts per person shown, slowest %s", switches,
                painted, Count(contacts / switches).c_str(),
                Milliseconds(*std::max_element(seconds.begin(), seconds.end())).c_str());
  PrintNote("person switch", note);
}

}  // namespace

int RunGuiMeasures(int& argc, char** argv, const GuiDocuments& documents, const RoundOptions& options) {
  // Offscreen unless told otherwise, and the program's settings (its recent
  // files) kept in the scratch folder instead of the user's.
  ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
  ::setenv("XDG_CONFIG_HOME", (documents.folder + "/config").c_str(), 1);
  const std::string runtime = documents.folder + "/runtime";
  if (!std::getenv("XDG_RUNTIME_DIR") && ::mkdir(runtime.c_str(), 0700) == 0)
    ::setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1);
  QApplication application(argc, argv);
  SetUpRunningProgram();

  RefusingPrompter prompter;
  std::unique_ptr<MainFrame> frame = OpenMeasure(prompter, documents.document);
  ReportMeasure(frame->Doc().Data(), options);
  SwitchMeasure(*frame, documents.switching, options);
  return prompter.Asked() ? 1 : 0;
}

}  // namespace vimbo::bench
