#include "ui/shell/main_frame.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QMenuBar>
#include <QScreen>
#include <QSettings>
#include <QShortcut>
#include <QStackedWidget>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QUrl>
#include <algorithm>
#include <optional>
#include <vector>

#include "core/reminders/calendar_days.h"
#include "core/reminders/due_items.h"
#include "ui/editors/last_contacts_dialog.h"
#include "ui/editors/today_dialog.h"
#include "ui/form/command_state.h"
#include "ui/form/main_view.h"
#include "ui/kit/artwork.h"
#include "ui/kit/command_ids.h"
#include "ui/kit/control_ids.h"
#include "ui/kit/program_texts.h"
#include "ui/kit/prompter.h"
#include "ui/shell/about_dialog.h"
#include "ui/shell/command_table.h"
#include "ui/shell/merge_conflicts_dialog.h"
#include "ui/shell/print_preview.h"
#include "ui/shell/settings_store.h"
#include "ui/shell/splash_window.h"

namespace vimbo {
namespace {

// Whether Today shows at start when something is due.
constexpr const char* kTodayAtStartKey = "Settings/ShowTodayAtStart";

}  // namespace

using namespace command;

namespace {

constexpr const char* kCaption = "Vimbo";

}  // namespace

MainFrame::MainFrame(Prompter& prompter, const Options& options)
    : prompter_(prompter),
      document_(prompter),
      help_(options.helpFolder.isEmpty() ? ProgramHelpFolder() : options.helpFolder),
      printing_(prompter),
      openUrl_([](const QUrl& url) { return QDesktopServices::openUrl(url); }) {
  setWindowIcon(ProgramIcon());
  CreateActions();
  CreateMenus();
  if (options.showSplash) {
    SplashWindow splash;
    prompter_.RunDialog(splash);
  }
  CreateToolbars();
  CreateStatusBar();

  {
    auto settings = OpenSettings();
    recent_.ReadFromSettings(*settings);
  }

  // The client is the form, or the print preview in its place.
  client_ = new QStackedWidget(this);
  view_ = new MainView(client_);
  preview_ = new PrintPreview(client_);
  client_->addWidget(view_);
  client_->addWidget(preview_);
  setCentralWidget(client_);
  connect(view_, &MainView::HelpRequested, this, &MainFrame::ShowFormHelp);
  connect(view_, &MainView::FindBarToggled, this, &MainFrame::MakeRoomForFindBar);
  connect(view_, &MainView::CommandKeyPressed, this, &MainFrame::OnCommand);
  view_->SetHelpOutsideForm([this](const QPoint& globalPos) { return ShowCommandHelpAt(globalPos); });

  actions_.value(kToolbar)->setChecked(true);
  actions_.value(kStatusBar)->setChecked(true);

  FitToForm();

  document_.New();
  view_->SetDocument(document_);
  // The enabling of the commands follows what the document and the form
  // say changed; the preview's commands update it themselves.
  connect(&document_, &LogDocument::changed, this, &MainFrame::UpdateCommandStates);
  connect(&document_, &LogDocument::replaced, this, &MainFrame::UpdateCommandStates);
  connect(&document_, &LogDocument::modifiedChanged, this, &MainFrame::UpdateCommandStates);
  const auto retitle = [this] {
    SetTitle();
    UpdateCommandStates();
  };
  connect(&document_, &LogDocument::fileNameChanged, this, retitle);
  connect(&document_, &LogDocument::readOnlyChanged, this, retitle);
  connect(&document_, &LogDocument::reloaded, this, &MainFrame::UpdateCommandStates);
  connect(&document_, &LogDocument::notice, this, [this](const QString& text) { statusBar()->showMessage(text); });
  connect(&document_, &LogDocument::merged, this, &MainFrame::ShowMerged);
  connect(view_, &MainView::StateChanged, this, &MainFrame::UpdateCommandStates);
  connect(view_, &MainView::StateChanged, this, &MainFrame::ShowLastContact);
  connect(&document_, &LogDocument::changed, this, &MainFrame::ShowLastContact);
  SetTitle();
  UpdateCommandStates();
}

MainFrame::~MainFrame() {
  // The form goes before the document it shows.
  delete client_;
}

// ---- building the window --------------------------------------------------------

void MainFrame::CreateActions() {
  for (const CommandInfo& info : Commands()) {
    if (info.id == kRecentFirst) continue;  // the recent-file list makes its own items
    auto* action = new QAction(MenuText(info), this);
    action->setData(static_cast<int>(info.id));
    action->setStatusTip(QString::fromLatin1(info.statusText));
    action->setToolTip(QString::fromLatin1(info.tooltip));
    action->setIcon(CommandIcon(info.id));
    action->setIconVisibleInMenu(false);
    const CommandId id = info.id;
    connect(action, &QAction::triggered, this, [this, id] { OnCommand(id); });
    actions_.insert(id, action);
    // Keys reach their command even while its menu item is disabled, so
    // they are the window's own rather than the action's.
    for (const QString& keys : Shortcuts(info)) {
      auto* shortcut = new QShortcut(QKeySequence(keys), this);
      connect(shortcut, &QShortcut::activated, this, [this, id] { OnCommand(id); });
    }
  }
  actions_.value(kToolbar)->setCheckable(true);
  actions_.value(kStatusBar)->setCheckable(true);
}

namespace {

// The items of one menu or toolbar, in the order of their slots.
template <typename Where>
std::vector<const CommandInfo*> ItemsOf(Where where, Place<Where> CommandInfo::*place) {
  std::vector<const CommandInfo*> items;
  for (const CommandInfo& info : Commands())
    if ((info.*place).where == where) items.push_back(&info);
  std::stable_sort(items.begin(), items.end(),
                   [place](const CommandInfo* a, const CommandInfo* b) { return (a->*place).slot < (b->*place).slot; });
  return items;
}

}  // namespace

void MainFrame::CreateMenus() {
  QHash<MenuId, QMenu*> menus;
  for (const Submenu& submenu : Menus()) {
    const QString title = QString::fromLatin1(submenu.title);
    menus.insert(submenu.id, submenu.place.where == MenuId::kNone ? menuBar()->addMenu(title) : new QMenu(title, this));
  }
  for (const Submenu& menu : Menus()) {
    // Commands and submenus of this menu, by slot.
    struct Item {
      int slot;
      QAction* action;
    };
    std::vector<Item> items;
    for (const CommandInfo* info : ItemsOf(menu.id, &CommandInfo::menu)) {
      if (info->id == kRecentFirst) {
        auto* placeholder = new QAction(QString::fromLatin1(info->menuText), this);
        placeholder->setStatusTip(QString::fromLatin1(info->statusText));
        recent_.AttachMenu(menus.value(menu.id), placeholder, [this](CommandId id) { OnCommand(id); });
        items.push_back({info->menu.slot, placeholder});
      } else {
        items.push_back({info->menu.slot, actions_.value(info->id)});
      }
    }
    for (const Submenu& sub : Menus())
      if (sub.place.where == menu.id) items.push_back({sub.place.slot, menus.value(sub.id)->menuAction()});
    std::stable_sort(items.begin(), items.end(), [](const Item& a, const Item& b) { return a.slot < b.slot; });
    QMenu* target = menus.value(menu.id);
    for (std::size_t i = 0; i < items.size(); ++i) {
      if (i > 0 && items[i].slot / 10 != items[i - 1].slot / 10) target->addSeparator();
      target->addAction(items[i].action);
    }
  }
  contactMenu_ = menus.value(MenuId::kContact);
  personMenu_ = menus.value(MenuId::kPerson);
}

void MainFrame::CreateToolbars() {
  const auto fill = [this](QToolBar* toolbar, ToolbarId id) {
    int lastGroup = -1;
    for (const CommandInfo* info : ItemsOf(id, &CommandInfo::toolbar)) {
      if (lastGroup >= 0 && info->toolbar.slot / 10 != lastGroup) toolbar->addSeparator();
      lastGroup = info->toolbar.slot / 10;
      toolbar->addAction(actions_.value(info->id));
      // Every button has a name of its own for assistive technology, though
      // the Person and Contact commands share their menu texts.
      toolbar->widgetForAction(actions_.value(info->id))->setAccessibleName(SpokenName(*info));
    }
    // The one button without a command shows those a narrow window has no
    // room for: "More Toolbar Buttons", "More Print Preview Buttons".
    for (QToolButton* button : toolbar->findChildren<QToolButton*>())
      if (button->accessibleName().isEmpty())
        button->setAccessibleName(QStringLiteral("More %1 Buttons").arg(toolbar->windowTitle()));
  };

  previewToolbar_ = new QToolBar(QStringLiteral("Print Preview"), this);
  previewToolbar_->setObjectName(QStringLiteral("PreviewToolbar"));
  previewToolbar_->setMovable(false);
  fill(previewToolbar_, ToolbarId::kPreview);
  previewToolbar_->setToolButtonStyle(Qt::ToolButtonIconOnly);

  mainToolbar_ = new QToolBar(QStringLiteral("Toolbar"), this);
  mainToolbar_->setObjectName(QStringLiteral("MainToolbar"));
  mainToolbar_->setMovable(false);
  mainToolbar_->setIconSize(QSize(16, 16));
  // The context-menu request over a toolbar would otherwise offer to hide it
  // behind the View menu's back.
  mainToolbar_->toggleViewAction()->setVisible(false);
  fill(mainToolbar_, ToolbarId::kMain);

  addToolBar(Qt::TopToolBarArea, mainToolbar_);
  addToolBarBreak(Qt::TopToolBarArea);
  addToolBar(Qt::TopToolBarArea, previewToolbar_);
  previewToolbar_->hide();
}

void MainFrame::CreateStatusBar() {
  QStatusBar* bar = statusBar();
  bar->setSizeGripEnabled(true);
  bar->showMessage(QStringLiteral("Ready"));
  // When a menu item's status text goes away, the bar says "Ready" again.
  connect(bar, &QStatusBar::messageChanged, this, [bar](const QString& message) {
    if (message.isEmpty()) bar->showMessage(QStringLiteral("Ready"));
  });
  lastContact_ = new QLabel(bar);
  lastContact_->setObjectName(QStringLiteral("LastContact"));
  bar->addPermanentWidget(lastContact_);
}

int64_t MainFrame::Today() const {
  if (today_) return *today_;
  const QDate now = QDate::currentDate();
  return DayOf(now.year(), now.month(), now.day()).value_or(0);
}

void MainFrame::ShowLastContact() {
  const int32_t person = view_->State().currentPersonId;
  QString text;
  if (person > 0) {
    const std::optional<int64_t> last = LastContactDay(document_.Data(), person);
    const int64_t days = last ? Today() - *last : 0;
    if (!last)
      text = QStringLiteral("No contact yet");
    else if (days == 0)
      text = QStringLiteral("Last contact: today");
    else if (days == 1)
      text = QStringLiteral("Last contact: yesterday");
    else if (days > 1)
      text = QStringLiteral("Last contact: %1 days ago").arg(days);
    else
      text = QStringLiteral("Next contact: in %1 days").arg(-days);
  }
  if (lastContact_->text() != text) lastContact_->setText(text);
}

void MainFrame::ShowToday() {
  const std::unique_ptr<QSettings> settings = OpenSettings();
  TodayDialog dialog(document_, Today(), settings->value(kTodayAtStartKey, true).toBool(), this);
  prompter_.RunDialog(dialog);
  settings->setValue(kTodayAtStartKey, dialog.ShowAtStart());
  if (dialog.ChosenPerson() > 0) view_->GoTo(dialog.ChosenPerson(), dialog.ChosenContact());
}

void MainFrame::ShowLastContacts() {
  LastContactsDialog dialog(document_.Data(), Today(), this);
  prompter_.RunDialog(dialog);
  if (dialog.ChosenPerson() > 0) view_->GoTo(dialog.ChosenPerson(), 0);
}

void MainFrame::ShowTodayIfDue() {
  if (!OpenSettings()->value(kTodayAtStartKey, true).toBool()) return;
  if (!FindDue(document_.Data(), Today(), TodayDialog::kDaysAhead).Empty()) ShowToday();
}

void MainFrame::FitToForm() {
  ensurePolished();
  view_->adjustSize();
  const QSize form = view_->sizeHint();
  const int height = form.height() + menuBar()->sizeHint().height() + mainToolbar_->sizeHint().height() +
                     statusBar()->sizeHint().height();
  resize(form.width(), height);
  setMinimumSize(form.width(), height);
  formMinimumHeight_ = height;
}

// The find bar takes its height from the window rather than from the form:
// the window grows by it while it is open, and gives back what it grew.
void MainFrame::MakeRoomForFindBar(int extra) {
  // Measured before the new least height, which may resize the window itself.
  if (extra > 0 && findBarGrowth_ == 0) findBarGrowth_ = std::max(0, formMinimumHeight_ + extra - height());
  setMinimumHeight(formMinimumHeight_ + extra);
  if (extra > 0) {
    resize(width(), std::max(height(), formMinimumHeight_ + extra));
  } else if (findBarGrowth_ > 0) {
    resize(width(), std::max(formMinimumHeight_, height() - findBarGrowth_));
    findBarGrowth_ = 0;
  }
}

// ---- commands --------------------------------------------------------------------

void MainFrame::OnCommand(CommandId id) {
  if (id >= kRecentFirst && id <= kRecentLast) {
    FileRecent(id);
    return;
  }
  const CommandInfo* info = FindCommand(id);
  // An accelerator or a stale menu must not start what the window is not
  // ready for.
  if (info && ((id == kSave && !document_.IsReadOnly()) || IsEnabled(id))) info->run(*this);
}

bool MainFrame::IsEnabled(CommandId id) const {
  CommandContext context;
  context.form = view_->State();
  context.modified = document_.IsModified();
  context.printable = PrintEnabled();
  context.previewShown = previewShown_;
  context.previewPage = printing_.PreviewPage();
  context.previewPages = printing_.PageCount();
  context.canZoomIn = printing_.CanZoomIn();
  context.canZoomOut = printing_.CanZoomOut();
  context.canUndo = document_.History().CanUndo();
  context.canRedo = document_.History().CanRedo();
  context.readOnly = document_.IsReadOnly();
  return CommandEnabled(id, context);
}

// "&Undo Delete Person", or plain "&Undo" with nothing to undo.
void MainFrame::UpdateUndoTexts() {
  const auto text = [](CommandId id, const std::string& step) {
    const CommandInfo& info = *FindCommand(id);
    QString menu = QString::fromLatin1(info.menuText);
    if (!step.empty()) menu += u' ' + QString::fromStdString(step);
    return menu + u'\t' + Shortcuts(info).first();
  };
  const EditHistory& history = document_.History();
  const QString undo = text(kUndo, history.UndoName());
  const QString redo = text(kRedo, history.RedoName());
  if (actions_.value(kUndo)->text() != undo) actions_.value(kUndo)->setText(undo);
  if (actions_.value(kRedo)->text() != redo) actions_.value(kRedo)->setText(redo);
}

void MainFrame::UpdateCommandStates() {
  UpdateUndoTexts();
  for (auto it = actions_.cbegin(); it != actions_.cend(); ++it) {
    const bool enabled = IsEnabled(it.key());
    if (it.value()->isEnabled() != enabled) it.value()->setEnabled(enabled);
  }
}

bool MainFrame::ShowCommandHelpAt(const QPoint& globalPos) {
  for (QToolBar* toolbar : {mainToolbar_, previewToolbar_}) {
    if (!toolbar->isVisible()) continue;
    const QAction* action = toolbar->actionAt(toolbar->mapFromGlobal(globalPos));
    const CommandInfo* info = action ? FindCommand(static_cast<CommandId>(action->data().toInt())) : nullptr;
    if (!info) continue;
    help_.ShowTopic(QString::fromLatin1(info->helpPage), this);
    return true;
  }
  return false;
}

void MainFrame::SetTitle() {
  QString title = QStringLiteral("%1 [%2]").arg(QLatin1String(texts::kProgramName), document_.Title());
  if (document_.IsReadOnly()) title += QStringLiteral(" (Read-Only)");
  setWindowTitle(title);
}

void MainFrame::SavePlacement() {
  auto settings = OpenSettings();
  WindowPlacementStore().CaptureAndWrite(*settings, *this);
}

bool MainFrame::RestorePlacement() {
  auto settings = OpenSettings();
  const QScreen* screen = QGuiApplication::primaryScreen();
  const QRect area = screen ? screen->virtualGeometry() : QRect(0, 0, 1024, 768);
  return WindowPlacementStore().ReadAndApply(*settings, *this, area);
}

void MainFrame::WriteRecentFiles() {
  auto settings = OpenSettings();
  recent_.WriteToSettings(*settings);
}

void MainFrame::ShowError(const QString& text) {
  prompter_.Message(this, text, QLatin1String(kCaption), Prompter::Icon::kError, Prompter::Buttons::kOk);
}

bool MainFrame::LoadAndRemember(const QString& path) {
  const Outcome loaded = document_.Load(path);
  if (loaded.IsFailed()) ShowError(QString::fromStdString(loaded.message));
  if (!loaded.IsDone()) return false;
  recent_.Add(document_.Title());
  WriteRecentFiles();
  return true;
}

void MainFrame::OpenStartupFiles(const QStringList& arguments) {
  // Shown and remembered as the file dialog gives it, so the recent entry
  // still works when the program is later started from another folder.
  for (const QString& argument : arguments) LoadAndRemember(QDir::cleanPath(QFileInfo(argument).absoluteFilePath()));
}

void MainFrame::FileNew() {
  if (document_.QuerySave(this, QLatin1String(kCaption))) document_.New();
}

void MainFrame::FileOpen() {
  if (!document_.QuerySave(this, QLatin1String(kCaption))) return;
  const Outcome opened = document_.Open(this);
  if (opened.IsFailed()) {
    ShowError(QString::fromStdString(opened.message));
  } else if (opened.IsDone()) {
    recent_.Add(document_.Title());
    WriteRecentFiles();
  }
}

void MainFrame::FileRecent(CommandId id) {
  const QString path = recent_.PathOf(id);
  if (path.isEmpty()) return;
  if (!document_.QuerySave(this, QLatin1String(kCaption))) return;
  const Outcome loaded = document_.Load(path);
  if (loaded.IsDone()) {
    recent_.MoveToTop(id);
  } else if (loaded.IsFailed()) {
    ShowError(QString::fromStdString(loaded.message));
    recent_.Remove(id);
  }
  WriteRecentFiles();
}

void MainFrame::FileSave() {
  const bool unnamed = !document_.IsNamed();
  if (document_.Save(this).IsDone() && unnamed) AfterNamedSave();
}

void MainFrame::FileSaveAs() {
  if (document_.SaveAs(this).IsDone()) AfterNamedSave();
}

void MainFrame::FileMerge() {
  const std::optional<QString> path =
      prompter_.OpenFileName(this, LogDocument::FileFilter(), LogDocument::DefaultExtension());
  if (!path) return;
  const Outcome merged = document_.MergeFrom(*path);
  if (merged.IsFailed()) ShowError(QString::fromStdString(merged.message));
}

void MainFrame::ShowMerged(const std::vector<MergeConflict>& conflicts) {
  if (conflicts.empty()) {
    statusBar()->showMessage(QStringLiteral("The copies were merged without conflicts."));
    return;
  }
  MergeConflictsDialog dialog(conflicts, document_.Data(), this);
  prompter_.RunDialog(dialog);
}

void MainFrame::AfterNamedSave() {
  recent_.Add(document_.Title());
  WriteRecentFiles();
}

void MainFrame::FileExit() {
  SavePlacement();
  // The close request is posted, so the command returns before the window goes.
  QTimer::singleShot(0, this, &QWidget::close);
}

// The save question is never asked inside a close event: while it waits for
// an answer, Qt counts the window as closing, and a second close request
// (another click on the close box, the session ending) would then end the
// program without one. The event is refused and the question runs from the
// event loop; only its Yes (with a successful save) or No closes the window.
void MainFrame::closeEvent(QCloseEvent* event) {
  if (closeConfirmed_) {
    event->accept();
    return;
  }
  event->ignore();
  if (closeAsked_) return;
  closeAsked_ = true;
  QTimer::singleShot(0, this, &MainFrame::AskAndClose);
}

void MainFrame::AskAndClose() {
  SavePlacement();
  const bool mayClose = document_.QuerySave(this, QLatin1String(kCaption));
  closeAsked_ = false;
  if (!mayClose) return;
  closeConfirmed_ = true;
  close();
  closeConfirmed_ = false;
}

void MainFrame::ToggleToolbar() {
  toolbarVisible_ = !toolbarVisible_;
  mainToolbar_->setVisible(toolbarVisible_);
  actions_.value(kToolbar)->setChecked(toolbarVisible_);
}

void MainFrame::ToggleStatusBar() {
  const bool show = statusBar()->isHidden();
  statusBar()->setVisible(show);
  actions_.value(kStatusBar)->setChecked(show);
}

void MainFrame::ShowAbout() {
  AboutDialog about(this);
  prompter_.RunDialog(about);
}

void MainFrame::CheckForUpdate() {
  if (!openUrl_(QUrl(QLatin1String(texts::kUpdatePage))))
    prompter_.Message(this, QStringLiteral("Error opening web browser"), QStringLiteral("Web Browser Error"),
                      Prompter::Icon::kError, Prompter::Buttons::kOk);
}

void MainFrame::ShowFormHelp(int controlId, const QPoint& globalPos) {
  help_.ShowContextHelp(help::MainForm(), controlId, globalPos, view_);
}

// ---- context menus ---------------------------------------------------------------

QMenu* MainFrame::ContextMenuAt(const QPoint& globalPos) const {
  switch (view_->GroupBoxAt(globalPos)) {
    case main_form::kPersonGroup: return personMenu_;
    case main_form::kContactGroup:
    case main_form::kContactsGroup: return contactMenu_;
    default: return nullptr;
  }
}

void MainFrame::contextMenuEvent(QContextMenuEvent* event) {
  QPoint point = event->globalPos();
  if (event->reason() == QContextMenuEvent::Keyboard) {
    // From the keyboard there is no pointer position: the menu opens at the
    // centre of the control that has the focus.
    QWidget* focus = QApplication::focusWidget();
    if (focus) point = focus->mapToGlobal(focus->rect().center());
  }
  const QWidget* under = childAt(mapFromGlobal(point));
  if (under != view_ && !view_->isAncestorOf(under)) {
    QMainWindow::contextMenuEvent(event);
    return;
  }
  if (QMenu* menu = ContextMenuAt(point)) {
    UpdateCommandStates();
    menu->popup(point);
  }
  event->accept();
}

}  // namespace vimbo
