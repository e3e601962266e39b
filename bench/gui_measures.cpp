#include "gui_measures.h"

#include <sys/stat.h>

#include <QAccessible>
#ifdef VIMBO_BENCH_ACCESSIBILITY
#include <QtGui/private/qguiapplication_p.h>
#include <qpa/qplatformaccessibility.h>
#include <qpa/qplatformintegration.h>
#endif
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
#include "ui/form/person_list_model.h"
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
    return Answer::kCancel;
  }
  int Choose(QWidget*, const QString& text, const QString& caption, Icon, const QStringList& choices) override {
    Refuse(caption + QStringLiteral(": ") + text);
    return static_cast<int>(choices.size()) - 1;
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
  selection.kind = ReportKind::kContacts;
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

#ifdef VIMBO_BENCH_ACCESSIBILITY
// What a screen reader makes the program do, in-process. On Linux Qt's
// bridge to screen readers needs an AT-SPI bus and a reader on it, which a
// bench run seldom has; so Qt's own accessibility switch is turned on
// directly (QAccessible::setActive alone only tells observers: the widgets
// ask the platform's accessibility object, reached through Qt's private
// headers), and this update handler does for each event what the bridge
// does for a reader that listens to every event: finds the object's
// interface and the id it is known by, reads its role, state and name, the
// text of a text event, the value of a value event, and where an object
// shown, hidden, made or removed sits in its parent. On focus the reader
// also reads the focused object's ancestors, as it does to say where the
// focus went.
class ScreenReader final {
 public:
  static void Start() {
    events_ = 0;
    QAccessible::installUpdateHandler(&ScreenReader::Notify);
    Accessibility().setActive(true);
    Check(QAccessible::isActive(), "accessibility could not be switched on");
  }
  static void Stop() {
    Accessibility().setActive(false);
    QAccessible::installUpdateHandler(nullptr);
  }
  static long Events() { return events_; }

 private:
  static void Read(QAccessibleInterface* object) {
    if (object == nullptr || !object->isValid()) return;
    sink_ += QAccessible::uniqueId(object);
    sink_ += object->role();
    sink_ += object->state().focused;
    sink_ += static_cast<unsigned>(object->text(QAccessible::Name).size());
  }

  static void Notify(QAccessibleEvent* event) {
    ++events_;
    QAccessibleInterface* object = event->accessibleInterface();
    if (object == nullptr || !object->isValid()) return;
    Read(object);
    switch (event->type()) {
      case QAccessible::TextInserted:
      case QAccessible::TextRemoved:
      case QAccessible::TextUpdated:
        if (QAccessibleTextInterface* text = object->textInterface())
          sink_ += static_cast<unsigned>(text->text(0, text->characterCount()).size());
        break;
      case QAccessible::ValueChanged:
        if (QAccessibleValueInterface* value = object->valueInterface())
          sink_ += static_cast<unsigned>(value->currentValue().toString().size());
        break;
      case QAccessible::ObjectShow:
      case QAccessible::ObjectHide:
      case QAccessible::ObjectCreated:
      case QAccessible::ObjectDestroyed:
        if (QAccessibleInterface* parent = object->parent()) {
          Read(parent);
          sink_ += static_cast<unsigned>(parent->indexOfChild(object));
        }
        break;
      case QAccessible::Focus:
        for (QAccessibleInterface* up = object->parent(); up != nullptr && up->isValid(); up = up->parent()) Read(up);
        break;
      default: break;
    }
  }

  static QPlatformAccessibility& Accessibility() {
    QPlatformAccessibility* accessibility = QGuiApplicationPrivate::platformIntegration()->accessibility();
    Check(accessibility != nullptr, "the platform has no accessibility");
    return *accessibility;
  }

  static inline long events_ = 0;
  static inline unsigned sink_ = 0;  // keeps the reads from being optimised away
};
#endif

QComboBox& PersonSelector(MainView& view) {
  auto* selector = view.findChild<QComboBox*>(QStringLiteral("PersonSelector"));
  Check(selector != nullptr, "the form has no person selector");
  return *selector;
}

struct SwitchRuns {
  std::vector<double> process, thread, wall;
  int painted = 0;
  double contacts = 0;
};

// The user picks another person in the selector, each of `positions` in
// turn; the switch is over when the form has painted the person and the
// first rows of the contacts.
SwitchRuns RunSwitches(MainView& view, const DocumentData& data, const std::vector<int>& positions, int switches) {
  QComboBox& selector = PersonSelector(view);
  // Any widget's paint counts: the rows of a list are painted by its viewport.
  PaintWatcher watcher;
  QCoreApplication::instance()->installEventFilter(&watcher);
  SwitchRuns runs;
  QElapsedTimer wall;
  std::size_t next = 0;
  for (int i = 0; i < switches; ++i) {
    int position = positions[next++ % positions.size()];
    if (position == selector.currentIndex()) position = positions[next++ % positions.size()];
    watcher.painted = false;
    const double processStart = ProcessCpuSeconds();
    const double threadStart = ThreadCpuSeconds();
    wall.start();
    selector.setCurrentIndex(position);
    emit selector.activated(position);
    QCoreApplication::processEvents();
    runs.wall.push_back(static_cast<double>(wall.nsecsElapsed()) / 1e9);
    runs.thread.push_back(ThreadCpuSeconds() - threadStart);
    runs.process.push_back(ProcessCpuSeconds() - processStart);
    runs.painted += watcher.painted;
    Check(selector.currentIndex() == position, "the form did not switch to the person picked");
    const int32_t shown = view.State().currentPersonId;
    for (const auto& [id, contact] : data.contacts) runs.contacts += contact.PersonID == shown;
  }
  QCoreApplication::instance()->removeEventFilter(&watcher);
  return runs;
}

MainView& OpenForSwitching(MainFrame& frame, const std::string& path) {
  frame.OpenStartupFiles({QString::fromStdString(path)});
  QCoreApplication::processEvents();
  MainView& view = *frame.View();
  Check(PersonSelector(view).count() > 1, "the switch document shows too few persons");
  return view;
}

std::string SwitchNote(const SwitchRuns& runs, const std::vector<double>& seconds) {
  const auto switches = static_cast<double>(seconds.size());
  char note[128];
  std::snprintf(note, sizeof note, "%zu switches (%d painted), %s contacts per person shown, slowest %s",
                seconds.size(), runs.painted, Count(runs.contacts / switches).c_str(),
                Milliseconds(*std::max_element(seconds.begin(), seconds.end())).c_str());
  return note;
}

void SwitchMeasure(MainFrame& frame, const std::string& path, const RoundOptions& options) {
  MainView& view = OpenForSwitching(frame, path);
  std::vector<int> positions(static_cast<std::size_t>(PersonSelector(view).count()));
  for (std::size_t i = 0; i < positions.size(); ++i) positions[i] = static_cast<int>(i);
  const SwitchRuns runs = RunSwitches(view, frame.Doc().Data(), positions, std::max(20, 4 * options.rounds));
  const double median = Median(runs.process);
  PrintRow("person switch in the form, CPU", "", "", Milliseconds(median), "<= 5 ms", median <= 0.005);
  PrintNote("person switch", SwitchNote(runs, runs.process));
}

// The switch among every person of a large document, between persons with
// 10,000 contacts: first as before, then with a screen reader listening. The
// figures are of the main thread, where both the form and a reader's
// questions run.
void ScreenReaderSwitchMeasure(MainFrame& frame, const GuiDocuments& documents, const RoundOptions& options) {
  MainView& view = OpenForSwitching(frame, documents.heaped);
  const DocumentData& data = frame.Doc().Data();
  std::vector<int> positions;
  for (int32_t id = 1; id <= documents.heapedPersons; ++id)
    positions.push_back(PersonSelector(view).findData(id, PersonListModel::kPersonIdRole));
  Check(std::find(positions.begin(), positions.end(), -1) == positions.end(), "a busy person is not listed");
  const int switches = std::max(20, 4 * options.rounds);
  const std::string among = "switch among all";

  // A switch first, as after the open the first ones also fill what the
  // selector and the list keep.
  RunSwitches(view, data, positions, 1);
  const SwitchRuns plain = RunSwitches(view, data, positions, switches);
  const double plainThread = Median(plain.thread);
  PrintRow(among + " persons, main-thread CPU", "", "", Milliseconds(plainThread), "<= 5 ms", plainThread <= 0.005);
  PrintNote(among + " persons", SwitchNote(plain, plain.thread));

#ifdef VIMBO_BENCH_ACCESSIBILITY
  // The first switch with the reader also makes the interfaces of the whole
  // form, once; the medians are of the switches after it, as a reader's
  // user switches again and again.
  ScreenReader::Start();
  RunSwitches(view, data, positions, 1);
  const long eventsBefore = ScreenReader::Events();
  const SwitchRuns read = RunSwitches(view, data, positions, switches);
  const double events = static_cast<double>(ScreenReader::Events() - eventsBefore) / switches;
  ScreenReader::Stop();
  const double thread = Median(read.thread);
  const double wall = Median(read.wall);
  PrintRow(among + ", reader on, main-thread CPU", "", "", Milliseconds(thread), "<= 5 ms", thread <= 0.005);
  PrintRow(among + ", reader on, wall", "", "", Milliseconds(wall), "< 16 ms", wall < 0.016);
  char note[64];
  std::snprintf(note, sizeof note, "; %.0f accessibility events each", events);
  PrintNote(among + ", reader on", SwitchNote(read, read.thread) + note);
#else
  PrintNote(among + ", reader on", "not measured: built without Qt's private headers (qt6-base-private-dev)");
#endif
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
  ScreenReaderSwitchMeasure(*frame, documents, options);
  return prompter.Asked() ? 1 : 0;
}

}  // namespace vimbo::bench
